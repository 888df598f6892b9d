#include <QtTest>

#include <QThread>

#include <memory>

#include "EngineTestRig.h"

namespace {

// Every report of the device link and the engine for one projector, in the
// order the main thread saw them; a report that arrives in any other thread
// is marked.
class ReportLog : public QObject
{
public:
    ReportLog(CDeviceAccess* access, CCommandFunctions* engine)
    {
        connect(access, &CDeviceAccess::ConnectCompleted, this,
                [this](QDateTime, QString, QString msg, int id) { Add(QStringLiteral("connected %1 ").arg(id) + msg); });
        connect(access, &CDeviceAccess::SendCompleted, this,
                [this](QDateTime, QString, QByteArray data, int id) { Add(Frame("sent", id, data)); });
        connect(access, &CDeviceAccess::Received, this,
                [this](QDateTime, QString, QByteArray data, int id) { Add(Frame("received", id, data)); });
        connect(access, &CDeviceAccess::DisconnectCompleted, this, [this](QDateTime, QString, QString msg, int id) {
            Add(QStringLiteral("disconnected %1 ").arg(id) + msg);
        });
        connect(access, &CDeviceAccess::Error, this,
                [this](QDateTime, QString, int code, int id) { Add(QStringLiteral("error %1 %2").arg(id).arg(code)); });
        connect(access, &CDeviceAccess::Canceled, this, [this](int id) { Add(QStringLiteral("canceled %1").arg(id)); });
        connect(engine, &CCommandFunctions::Completed, this,
                [this](int, int target, int from, int act, int cmd) {
                    Add(QStringLiteral("completed %1 %2 %3 %4").arg(target).arg(from).arg(act).arg(cmd));
                });
        connect(engine, &CCommandFunctions::UpdateTiming, this, [this](int cmd, int from, int act, int target) {
            Add(QStringLiteral("timing %1 %2 %3 %4").arg(target).arg(from).arg(act).arg(cmd));
        });
        connect(engine, &CCommandFunctions::UpdateError, this,
                [this](QString msg, QString, int code, int, int, int, int target) {
                    Add(QStringLiteral("update error %1 %2 ").arg(target).arg(code) + msg);
                });
    }

    QStringList m_Lines;
    int m_ElsewhereCount = 0;

private:
    static QString Frame(const char* what, int id, const QByteArray& data)
    {
        return QStringLiteral("%1 %2 ").arg(QLatin1String(what)).arg(id) + QString::fromLatin1(data.toHex(' '));
    }
    void Add(const QString& line)
    {
        if (QThread::currentThread() != qApp->thread())
            ++m_ElsewhereCount;
        m_Lines << line;
    }
};

std::unique_ptr<EngineTestRig> Rig(bool deviceLinkThread, int projectors = 1, int threads = 0)
{
    return FleetRig(projectors, {QStringLiteral("LV-L100")}, 0, deviceLinkThread, threads);
}

// The report lines of each projector, in the order they came.
QMap<int, QStringList> ByProjector(const QStringList& lines)
{
    QMap<int, QStringList> out;
    for (const QString& line : lines) {
        const QStringList words = line.split(QLatin1Char(' '));
        out[words.value(line.startsWith(QLatin1String("update error")) ? 2 : 1).toInt()] << line;
    }
    return out;
}

bool AllClosed(const QMap<int, QStringList>& byProjector, int projectors)
{
    if (byProjector.size() != projectors)
        return false;
    for (const QStringList& lines : byProjector) {
        if (!lines.last().startsWith(QLatin1String("disconnected")))
            return false;
    }
    return true;
}

// One command from the main thread, the device link in the main thread or in
// its own: the reports, their order and the frames the projector saw, up to
// the connection's close.
struct Outcome
{
    QStringList lines;
    QStringList requests;
    int elsewhere = 0;
};

void RunCommand(bool deviceLinkThread, const QString& command, Outcome& out)
{
    std::unique_ptr<EngineTestRig> rig = Rig(deviceLinkThread);
    QVERIFY(rig && rig->ProfilesLoaded());
    ReportLog log(&rig->m_Access, &rig->m_Engine);
    if (command == QLatin1String("status"))
        rig->m_Engine.GetGeneralData(0, 1, 1, 1, 1, false);
    else if (command == QLatin1String("power on"))
        rig->m_Engine.SetPower(1, 0, 1, 0, 2, 2, false);
    else
        rig->m_Engine.SetInputTerminal(0x06, 0, 1, 0, 2, 3, false);
    // Ends with the close 500 ms after the command's end.
    QTRY_VERIFY_WITH_TIMEOUT(!log.m_Lines.isEmpty() && log.m_Lines.last().startsWith(QLatin1String("disconnected")),
                             20000);
    out.lines = log.m_Lines;
    out.requests = rig->RequestTexts(1);
    out.elsewhere = log.m_ElsewhereCount;
}

} // namespace

class tst_DeviceLinkThread : public QObject
{
    Q_OBJECT
private slots:
    void reportsInTheMainThreadInTheSameOrder_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("completed"); // target, from, act, command id
        QTest::newRow("status update") << QStringLiteral("status") << QStringLiteral("completed 1 1 1 1");
        QTest::newRow("power on") << QStringLiteral("power on") << QStringLiteral("completed 1 0 2 2");
        QTest::newRow("input terminal") << QStringLiteral("input") << QStringLiteral("completed 1 0 2 3");
    }

    void reportsInTheMainThreadInTheSameOrder()
    {
        QFETCH(QString, command);
        QFETCH(QString, completed);
        Outcome alone;
        RunCommand(false, command, alone);
        Outcome threaded;
        RunCommand(true, command, threaded);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(alone.lines.size() > 4);
        QVERIFY(alone.lines.contains(completed));
        QCOMPARE(threaded.elsewhere, 0);
        QCOMPARE(threaded.lines, alone.lines);
        QCOMPARE(threaded.requests, alone.requests);
    }

    // Projectors whose connections live on different threads: in the main
    // thread each one's reports come in the order they come without threads,
    // however the projectors interleave.
    void eachProjectorKeepsItsOrderOnSeveralThreads()
    {
        const int projectors = 8;
        QMap<int, QStringList> alone;
        for (int threads : {0, 4}) {
            std::unique_ptr<EngineTestRig> rig = Rig(threads > 0, projectors, threads);
            QVERIFY(rig && rig->ProfilesLoaded());
            QCOMPARE(rig->m_Access.WorkerThreads().size(), threads);
            ReportLog log(&rig->m_Access, &rig->m_Engine);
            for (int id = 1; id <= projectors; ++id)
                QCOMPARE(rig->m_Engine.GetGeneralData(0, id, 1, 1, 1, false), 0);
            // Each connection counts, whichever thread holds it.
            QTRY_COMPARE(rig->m_Access.GetTransportCount(), projectors);
            QTRY_VERIFY_WITH_TIMEOUT(AllClosed(ByProjector(log.m_Lines), projectors), 30000);
            QCOMPARE(rig->m_Access.GetTransportCount(), 0);
            QCOMPARE(log.m_ElsewhereCount, 0);
            if (threads == 0) {
                alone = ByProjector(log.m_Lines);
                QVERIFY(alone.value(1).contains(QStringLiteral("completed 1 1 1 1")));
            } else {
                QCOMPARE(ByProjector(log.m_Lines), alone);
            }
        }
    }

    // The record goes while its frame is out in the device link's thread; the
    // late reply finds no record and changes nothing (sanitizer build).
    void recordDeletedWhileItsFrameIsOut()
    {
        std::unique_ptr<EngineTestRig> rig = Rig(true, 2);
        QVERIFY(rig && rig->ProfilesLoaded());
        CSimFaults slow;
        slow.extraDelayMs = 1000;
        rig->Projector(1)->SetFaults(slow);
        EngineSpies spies(&rig->m_Engine);
        QList<int> sent;
        QList<int> received;
        connect(&rig->m_Access, &CDeviceAccess::SendCompleted, this,
                [&](QDateTime, QString, QByteArray, int id) { sent << id; });
        connect(&rig->m_Access, &CDeviceAccess::Received, this,
                [&](QDateTime, QString, QByteArray, int id) { received << id; });
        QCOMPARE(rig->m_Engine.GetGeneralData(0, 1, 1, 1, 1, false), 0);
        QCOMPARE(rig->m_Engine.GetGeneralData(0, 2, 1, 1, 1, false), 0);
        QTRY_VERIFY_WITH_TIMEOUT(sent.contains(1), 10000);
        QVERIFY(!received.contains(1));
        delete rig->m_Records.take(1);
        QTRY_VERIFY_WITH_TIMEOUT(received.contains(1), 10000);
        // The other projector goes on to its end; the deleted one has none.
        QTRY_COMPARE_WITH_TIMEOUT(spies.Ends(), 1, 30000);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(spies.completed.at(0).at(1).toInt(), 2);
        QCOMPARE(rig->m_Engine.GetGeneralData(0, 1, 1, 1, 1, false), -2);
    }
};

QTEST_GUILESS_MAIN(tst_DeviceLinkThread)
#include "tst_DeviceLinkThread.moc"
