#include <QtTest>

#include <memory>

#include "EngineTestRig.h"
#include "RaiseOpenFileLimit.h"

namespace {

const int FLEET = 200;

// A rig with a fleet of the shipped models, each answering after `delayMs`;
// the device link in the main thread (no threads) or in `threads` of its own.
std::unique_ptr<EngineTestRig> Fleet(int delayMs, int threads)
{
    return FleetRig(FLEET,
                    {QStringLiteral("LV-L100"), QStringLiteral("LV-D200"), QStringLiteral("LV-X500"),
                     QStringLiteral("LV-E300")},
                    delayMs, threads > 0, threads);
}

void DeviceLinkThreadRows()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("device link in the main thread") << 0;
    QTest::newRow("device link in its own thread") << 1;
    QTest::newRow("device link in four threads") << 4;
}

QSet<int> Targets(const QSignalSpy& spy, int column)
{
    QSet<int> out;
    for (const QList<QVariant>& args : spy)
        out.insert(args.at(column).toInt());
    return out;
}

} // namespace

class tst_CCommandFunctionsFleet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RaiseOpenFileLimit(); }

    void everyProjectorEndsOnce_data() { DeviceLinkThreadRows(); }

    // Every projector of a fleet polled at once ends exactly once.
    void everyProjectorEndsOnce()
    {
        QFETCH(int, threads);
        std::unique_ptr<EngineTestRig> rig = Fleet(0, threads);
        QVERIFY(rig && rig->ProfilesLoaded());
        EngineSpies spies(&rig->m_Engine);
        for (int id = 1; id <= FLEET; ++id)
            QCOMPARE(rig->m_Engine.GetGeneralData(0, id, 1, 1, 1, false), 0);
        QTRY_COMPARE_WITH_TIMEOUT(spies.Ends(), FLEET, 60000);
        QTest::qWait(50);
        QCOMPARE(spies.Ends(), FLEET);
        QCOMPARE(spies.completed.count(), FLEET);
        QCOMPARE(Targets(spies.completed, 1).size(), FLEET);
    }

    // The program ending in the middle of a fleet sweep: the engine, the
    // device link and the records go while frames are out and replies on
    // their way; nothing may run on them afterwards (sanitizer build).
    void stoppingMidSweepEndsCleanly_data() { DeviceLinkThreadRows(); }

    void stoppingMidSweepEndsCleanly()
    {
        QFETCH(int, threads);
        std::unique_ptr<EngineTestRig> rig = Fleet(20, threads);
        QVERIFY(rig && rig->ProfilesLoaded());
        std::unique_ptr<EngineSpies> spies(new EngineSpies(&rig->m_Engine));
        for (int id = 1; id <= FLEET; ++id)
            QCOMPARE(rig->m_Engine.GetGeneralData(0, id, 1, 1, 1, false), 0);
        QTRY_VERIFY_WITH_TIMEOUT(spies->timing.count() + spies->Ends() > 0 || rig->m_Access.GetTransportCount() > 0,
                                 10000);
        QTest::qWait(100);
        QVERIFY(spies->Ends() < FLEET);
        spies.reset();
        rig.reset();
        QTest::qWait(300);
    }
};

QTEST_GUILESS_MAIN(tst_CCommandFunctionsFleet)
#include "tst_CCommandFunctionsFleet.moc"
