#include <QtTest>

#include "CScheduleTargetText.h"
#include "ScheduleTestRig.h"

namespace {

// The dispatcher's stub-path signals in the order they came, with the
// connection state the projector's record had at each transport update.
class SignalLog
{
public:
    SignalLog(CDataFunctions* dispatcher, CLumivox5Data* hub)
    {
        QObject::connect(dispatcher, &CDataFunctions::TransportStateUpdate, dispatcher, [this, hub](int target) {
            const CProjectorData* record = hub->GetProjectorData(target);
            m_Lines << QStringLiteral("state %1:%2").arg(target).arg(record ? record->m_ConnectState : -1);
        });
        QObject::connect(dispatcher, &CDataFunctions::UpdateTiming, dispatcher,
                         [this](int cmd, int from, int act, int target) {
                             m_Lines << QStringLiteral("timing %1,%2,%3,%4").arg(cmd).arg(from).arg(act).arg(target);
                         });
        QObject::connect(dispatcher, &CDataFunctions::UpdateError, dispatcher,
                         [this](QString msg, QString address, int code, int cmd, int from, int act, int target) {
                             m_Lines << QStringLiteral("error %1,%2,%3,%4,%5,%6,%7")
                                            .arg(msg, address)
                                            .arg(code)
                                            .arg(cmd)
                                            .arg(from)
                                            .arg(act)
                                            .arg(target);
                         });
    }
    QStringList m_Lines;
};

} // namespace

// Stubbed command ids: projector requests answered without a projector,
// control requests still carried out, and stubs that end with offline mode.
class tst_StubMode : public QObject
{
    Q_OBJECT

private slots:
    void projectorRequestsAreAnsweredAtOnce_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("act");
        QTest::addColumn<QList<int>>("targets");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("power, two known targets")
            << 2 << "" << 0 << 2 << QList<int>{1, 2}
            << QStringList{"state 1:1", "state 2:1", "state 1:3", "timing 2,1,2,1", "state 2:3", "timing 2,1,2,2"};
        QTest::newRow("input fails with the stubbed code")
            << 3 << "Stubbed failure" << -21 << 2 << QList<int>{2, 9}
            << QStringList{"state 2:1", "state 9:-1", "state 2:3", "error Stubbed failure,10.0.0.2,-21,3,1,2,2",
                           "state 9:-1", "error Stubbed failure,,-21,3,1,2,9"};
        QTest::newRow("an act no creator knows") << 40 << "" << 0 << 7 << QList<int>{1}
                                                 << QStringList{"state 1:1", "state 1:3", "timing 40,1,7,1"};
        QTest::newRow("repeated target") << 5 << "" << 0 << 2 << QList<int>{1, 1}
                                         << QStringList{"state 1:1", "state 1:1", "state 1:3", "timing 5,1,2,1",
                                                        "state 1:3", "timing 5,1,2,1"};
    }

    void projectorRequestsAreAnsweredAtOnce()
    {
        QFETCH(int, cmd);
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, act);
        QFETCH(QList<int>, targets);
        QFETCH(QStringList, expected);
        DispatcherTestRig<> rig;
        rig.AddRecord(1)->m_Address = QStringLiteral("10.0.0.1");
        rig.AddRecord(2)->m_Address = QStringLiteral("10.0.0.2");
        CDataFunctions* d = rig.Dispatcher();
        SignalLog log(d, rig.Hub());
        d->OnStub(cmd, text, value);
        QVERIFY(d->IsStub(cmd));

        QList<CVariantParameter> params{CVariantParameter().FromInt(1)};
        QCOMPARE(d->SetDataThreadEvent(cmd, &params, 1, act, &targets, true, true), 0);
        QCOMPARE(log.m_Lines, expected);
        // Nothing was queued for a projector.
        QVERIFY(rig.Pending(1).isEmpty());
        QVERIFY(rig.Pending(2).isEmpty());
    }

    void nullTargetsEmitNothing()
    {
        DispatcherTestRig<> rig;
        rig.AddRecord(1);
        CDataFunctions* d = rig.Dispatcher();
        SignalLog log(d, rig.Hub());
        QString empty;
        d->OnStub(2, empty, 0);
        QList<CVariantParameter> params{CVariantParameter().FromInt(1)};
        QCOMPARE(d->SetDataThreadEvent(2, &params, 1, 2, nullptr, false, false), 0);
        QCOMPARE(log.m_Lines, QStringList());
        QCOMPARE(rig.Hub()->GetProjectorData(1)->m_ConnectState, 0);
    }

    void idsOutsideTheTableAreNeverStubbed_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<bool>("stubbed");
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("150") << 150 << true;
        QTest::newRow("151") << 151 << false;
        QTest::newRow("999") << 999 << false;
    }

    void idsOutsideTheTableAreNeverStubbed()
    {
        QFETCH(int, cmd);
        QFETCH(bool, stubbed);
        DispatcherTestRig<> rig;
        QString text = QStringLiteral("x");
        QVERIFY(!rig.Dispatcher()->IsStub(cmd));
        rig.Dispatcher()->OnStub(cmd, text, 1);
        QCOMPARE(rig.Dispatcher()->IsStub(cmd), stubbed);
    }

    // Stubbed control requests still run; without parameters only the
    // schedule stop does.
    void controlRequestsStillRun()
    {
        ScheduleTestRig rig;
        CDataFunctions* d = rig.Dispatcher();
        CSchedule* runner = d->GetSchedule();
        QString empty;
        for (int cmd : {144, 145, 146, 147})
            d->OnStub(cmd, empty, -5);
        QVERIFY(runner->IsRunning());

        // A start and a log folder without parameters do nothing.
        QCOMPARE(d->SetDataThreadEvent(146, nullptr, 1, 0, nullptr, false, false), 0);
        QCOMPARE(runner->GetLogPath(), rig.LogFolder());
        // The stop needs none.
        QCOMPARE(d->SetDataThreadEvent(145, nullptr, 1, 0, nullptr, false, false), 0);
        QVERIFY(!runner->IsRunning());
        QCOMPARE(d->SetDataThreadEvent(144, nullptr, 1, 0, nullptr, false, false), 0);
        QVERIFY(!runner->IsRunning());

        QList<CVariantParameter> start{CVariantParameter().FromDateTime(rig.m_Now)};
        QCOMPARE(d->SetDataThreadEvent(144, &start, 1, 0, nullptr, false, false), 0);
        QVERIFY(runner->IsRunning());
        QList<CVariantParameter> folder{CVariantParameter().FromString(QStringLiteral("/elsewhere"))};
        QCOMPARE(d->SetDataThreadEvent(146, &folder, 1, 0, nullptr, false, false), 0);
        QCOMPARE(runner->GetLogPath(), QStringLiteral("/elsewhere"));
    }

    // A stubbed schedule execution still runs the instance, and its
    // stubbed result requests reach it.
    void stubbedScheduleRequests()
    {
        ScheduleTestRig rig;
        CDataFunctions* d = rig.Dispatcher();
        QString empty;
        for (int cmd : {148, 149, 150})
            d->OnStub(cmd, empty, 0);
        rig.AddRecord(4);
        rig.AddRecord(5);
        rig.SetOffline(true, true); // so that nothing reaches the command engine
        rig.Connected(4);
        rig.Connected(5);
        rig.AddInstance(7, 0, CScheduleTargetText::AllProjectors(), 2);

        QList<CVariantParameter> execute{CVariantParameter().FromInt(7), CVariantParameter().FromInt(-1)};
        QCOMPARE(d->SetDataThreadEvent(148, &execute, 3, 0, nullptr, false, false), 0);
        QCOMPARE(rig.SubStatus(7, 4), int(CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Executing));

        QList<CVariantParameter> done{CVariantParameter().FromInt(4), CVariantParameter().FromInt(2),
                                      CVariantParameter().FromInt(7)};
        QCOMPARE(d->SetDataThreadEvent(149, &done, 3, 0, nullptr, false, false), 0);
        QList<CVariantParameter> failed{CVariantParameter().FromInt(5), CVariantParameter().FromInt(2),
                                        CVariantParameter().FromInt(7), CVariantParameter().FromInt(-10)};
        QCOMPARE(d->SetDataThreadEvent(150, &failed, 3, 0, nullptr, false, false), 0);
        QCOMPARE(rig.SubStatus(7, 4), int(CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Completed));
        QCOMPARE(rig.SubStatus(7, 5), int(CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Failed));
        QCOMPARE(rig.Instance(7)->Status, int(CScheduleData::STATUS_TYPE::NG));
        // A result request without its parameters does nothing.
        QCOMPARE(d->SetDataThreadEvent(149, nullptr, 3, 0, nullptr, false, false), 0);
    }

    // Stubs outlive nothing but offline mode: a request after offline mode
    // was left finds the table cleared; stubs set outside it stay.
    void leavingOfflineModeClearsTheStubs_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("offline mode on, then off") << true << true << true;
        QTest::newRow("offline flag without its menu") << true << false << false;
        QTest::newRow("never offline") << false << false << false;
    }

    void leavingOfflineModeClearsTheStubs()
    {
        QFETCH(bool, offline);
        QFETCH(bool, menu);
        QFETCH(bool, cleared);
        DispatcherTestRig<> rig;
        rig.AddRecord(1);
        CDataFunctions* d = rig.Dispatcher();
        QString empty;
        d->OnStub(2, empty, 0);
        QList<CVariantParameter> params{CVariantParameter().FromInt(1)};
        QList<int> targets{1};

        rig.Hub()->m_Offline = offline;
        rig.Hub()->m_OfflineMenu = menu;
        d->SetDataThreadEvent(2, &params, 1, 2, &targets, false, false);
        QVERIFY(rig.Pending(1).isEmpty());

        rig.Hub()->m_Offline = false;
        rig.Hub()->m_OfflineMenu = false;
        d->SetDataThreadEvent(2, &params, 1, 2, &targets, false, false);
        QCOMPARE(d->IsStub(2), !cleared);
        QCOMPARE(rig.Pending(1).size(), cleared ? 1 : 0);
    }

    void setStubData()
    {
        DispatcherTestRig<> rig;
        rig.AddRecord(3);
        CProjectorData data(rig.Hub()->m_pProfileList, 3);
        data.m_Address = QStringLiteral("10.1.2.3");
        data.m_Status[CProjectorData::StPowerStatus].FromInt(1);
        rig.Dispatcher()->SetStubData(3, data);
        rig.Dispatcher()->SetStubData(8, data); // no such projector
        QCOMPARE(rig.Hub()->GetProjectorData(3)->m_Address, QStringLiteral("10.1.2.3"));
        QCOMPARE(rig.Hub()->GetProjectorData(3)->m_Status[CProjectorData::StPowerStatus].ToInt(), 1);
        QVERIFY(rig.Hub()->GetProjectorData(8) == nullptr);
    }
};

QTEST_GUILESS_MAIN(tst_StubMode)
#include "tst_StubMode.moc"
