#include <QtTest>

#include "CAiosmtpdServer.h"
#include "CDataFunctions.h"
#include "CDataFunctionsEvent.h"
#include "CMailSettings.h"
#include "CSMTPEvent.h"
#include "CSMTPSend.h"
#include "CTransportLog.h"
#include "CTransportLogManager.h"
#include "DispatcherTestRig.h"
#include "MailTestAddresses.h"

#include "CSchedule.h"
#include "CVirtualTime.h"

#include <QSignalSpy>

namespace {

// The trace lines written while a test runs.
QStringList g_Messages;
QtMessageHandler g_PreviousHandler = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtDebugMsg) {
        g_Messages << text;
        return;
    }
    g_PreviousHandler(type, context, text);
}

QStringList traces()
{
    QStringList out;
    const QString prefix = QStringLiteral("f_AddEnqueueEventLog : Event:");
    for (const QString& m : qAsConst(g_Messages)) {
        if (m.startsWith(prefix))
            out << m.mid(prefix.size());
    }
    return out;
}

CVariantParameter intParam(qint32 v)
{
    CVariantParameter p;
    p.FromInt(v);
    return p;
}

CVariantParameter textParam(const QString& v)
{
    CVariantParameter p;
    p.FromString(v);
    return p;
}

CVariantParameter pointerParam(void* v)
{
    CVariantParameter p;
    p.FromPointer(v);
    return p;
}

QList<CVariantParameter> ints(const QList<int>& values)
{
    QList<CVariantParameter> out;
    for (int v : values)
        out << intParam(v);
    return out;
}

// One schedule result as schedule execution receives it.
struct ScheduleResult
{
    bool failed = false;
    int target = 0;
    int command = 0;
    int eventID = 0;
    int code = 0;
    int from = 0;
};

// A dispatcher that records what reaches schedule execution.
class RecordingDispatcher : public CDataFunctions
{
public:
    explicit RecordingDispatcher(CLumivox5Data* data) : CDataFunctions(data) {}

    QList<ScheduleResult> results;

protected:
    void CommandCompletedProcSchedule(CEventBase* event) override
    {
        auto* r = static_cast<CDataFunctionsEventCommandCompletedSchedule*>(event);
        results << ScheduleResult{false, r->m_nTarget, r->m_nCommand, r->m_nScheduleEventID, 0, r->m_nFrom};
    }
    void CommandErrorEndProcSchedule(CEventBase* event) override
    {
        auto* r = static_cast<CDataFunctionsEventCommandErrorEndSchedule*>(event);
        results << ScheduleResult{true, r->m_nTarget, r->m_nCommand, r->m_nScheduleEventID, r->m_nErrorCode,
                                  r->m_nFrom};
    }
};

typedef DispatcherTestRig<RecordingDispatcher> Rig;

struct CreatorRow
{
    int act;
    int cmd;
    const char* trace;
    int result;
};

// Every registered (act, command id), its trace name and what the request gives.
const CreatorRow kCreators[] = {
    {0, 129, "Stop", 0},
    {0, 133, "UpdateAllConnections", 0},
    {0, 137, "(ADD)Log", 0},
    {0, 138, "(Change)LogPath", 0},
    {0, 139, "LogEnable", 0},
    {0, 141, "SMTPSend", 0},
    {0, 142, "CommandCompleted", 0},
    {0, 143, "CommandErrorEnd", 0},
    {0, 144, "ScheduleStart", 0},
    {0, 145, "ScheduleStop", 0},
    {0, 146, "ScheduleChangeLogPath", 0},
    {0, 147, "ScheduleLogEnable", 0},
    {0, 148, "ScheduleExecute", 0},
    {0, 149, "CommandCompletedSchedule", 0},
    {0, 150, "CommandErrorEndSchedule", 0},
    {1, 1, "(GET)Auto All Update", 0},
    {1, 9, "(GET)AllGain", 0},
    {1, 10, "(GET)AllGain", 6}, // a record, but no handler
    {1, 23, "(GET)Contrast", 0},
    {1, 24, "(GET)Brightness", 0},
    {1, 25, "()GetSharpness", 0},
    {1, 26, "(GET)Color", 0},
    {1, 27, "(GET)Hue", 0},
    {1, 42, "(GET)Volume", 0},
    {2, 2, "(SET)Power", 0},
    {2, 3, "(SET)InputTerminal", 0},
    {2, 4, "(SET)SoundMute", 0},
    {2, 5, "(SET)PictureMute", 0},
    {2, 6, "(SET)OSDMute", 0},
    {2, 7, "(SET)Freeze", 0},
    {2, 10, "(SET)Gain", 6}, // a record, but no handler
    {2, 23, "(SET)Contrast", 0},
    {2, 24, "(SET)Brightness", 0},
    {2, 25, "(SET)Sharpness", 0},
    {2, 26, "(SET)Color", 0},
    {2, 27, "(SET)Hue", 0},
    {2, 42, "(SET)Volume", 0},
    {2, 93, "(SET)ProjectorName", 0},
};

} // namespace

class tst_CDataFunctions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.engine.debug=true"));
        g_Messages.clear();
        g_PreviousHandler = qInstallMessageHandler(captureMessages);
    }
    void cleanup() { qInstallMessageHandler(g_PreviousHandler); }

    void constructionWiresTheWorkers_data();
    void constructionWiresTheWorkers();
    void rangesAreTestedInOrder_data();
    void rangesAreTestedInOrder();
    void creatorTable_data();
    void creatorTable();
    void everyOtherPairHasNoCreator();
    void stubbedIdNeverReachesACreator();

    void projectorHandlers_data();
    void projectorHandlers();
    void targetsUnknownSkippedDuplicatesKept();
    void shortParameterListsGiveZeroValues();
    void stopClearsOnlyItsTargets();
    void updateAllConnections();

    void completionRouting_data();
    void completionRouting();
    void resultRequestsReachSchedule();

    void logRequestsReachTheLogWriter();
    void logSlotsWriteFrames();
    void mailRequestReachesTheSender();
    void mailRequestIsDelivered();
    void mailCompletionIsPassedOn();
    void scheduleRequestsReachTheRunner();
    void backgroundFailuresBecomeUpdateError();
};

// ---- construction ----------------------------------------------------------------------

void tst_CDataFunctions::constructionWiresTheWorkers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("virtualTime");
    QTest::newRow("plain start") << QStringList() << false;
    QTest::newRow("/VT") << QStringList{QStringLiteral("/VT")} << true;
}

void tst_CDataFunctions::constructionWiresTheWorkers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, virtualTime);

    Rig rig(arguments);
    CDataFunctions* d = rig.Dispatcher();
    QVERIFY(d->GetTransportLog() != nullptr);
    QVERIFY(d->GetSMTPSend() != nullptr);
    QVERIFY(d->GetSchedule() != nullptr);
    QCOMPARE(d->GetSchedule()->m_pData, rig.Hub());
    QVERIFY(d->GetVirtualTime() != nullptr);
    QVERIFY(d->GetVirtualTime()->IsRunning());
    QCOMPARE(d->GetVirtualTime()->m_VirtualTimeAllowed, virtualTime);
    // The log writer starts as it is made: on, in the program's folder.
    QVERIFY(d->GetTransportLog()->GetManager()->IsEnabled());
}

// ---- result table ---------------------------------------------------------------------

void tst_CDataFunctions::rangesAreTestedInOrder_data()
{
    QTest::addColumn<int>("cmd");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("act");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("trace");

    const QStringList none;
    QTest::newRow("command id 151 before bad from and act") << 151 << 11 << 151 << 4 << none;
    QTest::newRow("command id -1 counts as too large") << -1 << 0 << 2 << 4 << none;
    QTest::newRow("from 11 before bad act") << 2 << 11 << 151 << 3 << none;
    QTest::newRow("from -1 counts as too large") << 2 << -1 << 2 << 3 << none;
    QTest::newRow("act 151") << 2 << 0 << 151 << 5 << none;
    QTest::newRow("act -1 counts as too large") << 2 << 0 << -1 << 5 << none;
    QTest::newRow("act 3 in range but unknown") << 2 << 0 << 3 << 5 << none;
    QTest::newRow("act 150 in range but unknown") << 2 << 0 << 150 << 5 << none;
    QTest::newRow("(0, 140) has no creator") << 140 << 0 << 0 << 6 << none;
    QTest::newRow("(1, 2) has no creator") << 2 << 0 << 1 << 6 << none;
    QTest::newRow("(1, 10) record without handler") << 10 << 0 << 1 << 6 << QStringList{"(GET)AllGain"};
    QTest::newRow("(2, 10) record without handler") << 10 << 0 << 2 << 6 << QStringList{"(SET)Gain"};
    QTest::newRow("highest command id and from") << 150 << 10 << 0 << 0 << QStringList{"CommandErrorEndSchedule"};
    QTest::newRow("set power") << 2 << 1 << 2 << 0 << QStringList{"(SET)Power"};
}

void tst_CDataFunctions::rangesAreTestedInOrder()
{
    QFETCH(int, cmd);
    QFETCH(int, from);
    QFETCH(int, act);
    QFETCH(int, result);
    QFETCH(QStringList, trace);

    Rig rig;
    g_Messages.clear();
    QList<CVariantParameter> params;
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(cmd, &params, from, act, nullptr, false, true), result);
    QCOMPARE(traces(), trace);
}

void tst_CDataFunctions::creatorTable_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QString>("trace");
    QTest::addColumn<int>("result");
    for (const CreatorRow& row : kCreators) {
        QTest::addRow("(%d, %d)", row.act, row.cmd)
            << row.act << row.cmd << QString::fromLatin1(row.trace) << row.result;
    }
}

// Each registered pair creates its record (its trace name shows it) and is
// handled with or without parameters; the trace line only when asked for.
void tst_CDataFunctions::creatorTable()
{
    QFETCH(int, act);
    QFETCH(int, cmd);
    QFETCH(QString, trace);
    QFETCH(int, result);

    Rig rig;
    g_Messages.clear();
    QList<int> targets{1};
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(cmd, nullptr, 1, act, &targets, false, true), result);
    QCOMPARE(traces(), QStringList{trace});

    g_Messages.clear();
    QList<CVariantParameter> empty;
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(cmd, &empty, 1, act, &targets, false, false), result);
    QCOMPARE(traces(), QStringList());
}

void tst_CDataFunctions::everyOtherPairHasNoCreator()
{
    Rig rig;
    QSet<QPair<int, int>> registered;
    for (const CreatorRow& row : kCreators)
        registered.insert(qMakePair(row.act, row.cmd));
    g_Messages.clear();
    for (int act = 0; act <= 2; ++act) {
        for (int cmd = 0; cmd <= 150; ++cmd) {
            if (registered.contains(qMakePair(act, cmd)))
                continue;
            QList<int> targets{1};
            QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(cmd, nullptr, 0, act, &targets, false, true), 6);
        }
    }
    QCOMPARE(traces(), QStringList());
}

void tst_CDataFunctions::stubbedIdNeverReachesACreator()
{
    Rig rig;
    QString text;
    QVERIFY(!rig.Dispatcher()->IsStub(2));
    rig.Dispatcher()->OnStub(2, text, 0);
    QVERIFY(rig.Dispatcher()->IsStub(2));
    rig.Dispatcher()->OnStub(151, text, 0);
    QVERIFY(!rig.Dispatcher()->IsStub(151));
    QVERIFY(!rig.Dispatcher()->IsStub(-1));

    rig.AddRecord(1);
    QList<int> targets{1};
    QList<CVariantParameter> params = ints({1});
    g_Messages.clear();
    // Even an act that the creators would refuse.
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 1, 7, &targets, false, true), 0);
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 1, 2, &targets, false, true), 0);
    QCOMPARE(traces(), QStringList());
    QVERIFY(rig.Pending(1).isEmpty());
    // The range checks still come first.
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 11, 2, &targets, false, true), 3);
}

// ---- projector handlers ------------------------------------------------------------------

void tst_CDataFunctions::projectorHandlers_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QList<int>>("params");
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QString>("name");

    QTest::newRow("power") << 2 << 2 << QList<int>{1} << int(CCommandFunctionsEvent::KEY_SET_POWER) << QList<int>{1}
                           << QString();
    QTest::newRow("input terminal") << 2 << 3 << QList<int>{0x21} << int(CCommandFunctionsEvent::KEY_SET_INPUT_TERMINAL)
                                    << QList<int>{0x21} << QString();
    QTest::newRow("sound mute (id 4)") << 2 << 4 << QList<int>{1} << int(CCommandFunctionsEvent::KEY_SET_SOUND_MUTE)
                                       << QList<int>{1} << QString();
    QTest::newRow("picture mute (id 5)") << 2 << 5 << QList<int>{0}
                                         << int(CCommandFunctionsEvent::KEY_SET_PICTURE_MUTE) << QList<int>{0}
                                         << QString();
    QTest::newRow("OSD mute") << 2 << 6 << QList<int>{1} << int(CCommandFunctionsEvent::KEY_SET_OSD_MUTE)
                              << QList<int>{1} << QString();
    QTest::newRow("freeze") << 2 << 7 << QList<int>{1} << int(CCommandFunctionsEvent::KEY_SET_FREEZE) << QList<int>{1}
                            << QString();
    QTest::newRow("status update") << 1 << 1 << QList<int>()
                                   << int(CCommandFunctionsEvent::KEY_ALL_UPDATE) << QList<int>() << QString();
    QTest::newRow("all adjustments, keys ascending")
        << 1 << 9 << QList<int>() << int(CCommandFunctionsEvent::KEY_GET_GAIN)
        << QList<int>{0x000, 0x100, 0x200, 0x300, 0x400, 0x500} << QString();
    QTest::newRow("get brightness") << 1 << 24 << QList<int>()
                                    << int(CCommandFunctionsEvent::KEY_GET_GAIN) << QList<int>{0x000} << QString();
    QTest::newRow("get contrast") << 1 << 23 << QList<int>()
                                  << int(CCommandFunctionsEvent::KEY_GET_GAIN) << QList<int>{0x100} << QString();
    QTest::newRow("get color") << 1 << 26 << QList<int>() << int(CCommandFunctionsEvent::KEY_GET_GAIN)
                               << QList<int>{0x200} << QString();
    QTest::newRow("get hue") << 1 << 27 << QList<int>() << int(CCommandFunctionsEvent::KEY_GET_GAIN)
                             << QList<int>{0x300} << QString();
    QTest::newRow("get sharpness") << 1 << 25 << QList<int>()
                                   << int(CCommandFunctionsEvent::KEY_GET_GAIN) << QList<int>{0x400} << QString();
    QTest::newRow("get volume") << 1 << 42 << QList<int>() << int(CCommandFunctionsEvent::KEY_GET_GAIN)
                                << QList<int>{0x500} << QString();
    // Kind, sub index, then parameter 1 before parameter 0.
    QTest::newRow("set brightness (10, 3)") << 2 << 24 << QList<int>{10, 3} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                                            << QList<int>{0, 255, 3, 10} << QString();
    QTest::newRow("set contrast") << 2 << 23 << QList<int>{10, 3} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                                  << QList<int>{1, 255, 3, 10} << QString();
    QTest::newRow("set color") << 2 << 26 << QList<int>{-5, 2} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                               << QList<int>{2, 255, 2, -5} << QString();
    QTest::newRow("set hue") << 2 << 27 << QList<int>{4, 1} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                             << QList<int>{3, 255, 1, 4} << QString();
    QTest::newRow("set sharpness") << 2 << 25 << QList<int>{6, 0} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                                   << QList<int>{4, 255, 0, 6} << QString();
    QTest::newRow("set volume (7, 1)") << 2 << 42 << QList<int>{7, 1} << int(CCommandFunctionsEvent::KEY_SET_GAIN)
                                       << QList<int>{5, 0, 1, 7} << QString();
    QTest::newRow("projector name") << 2 << 93 << QList<int>()
                                    << int(CCommandFunctionsEvent::KEY_SET_PROJECTOR_NAME) << QList<int>()
                                    << QStringLiteral("Hall A");
}

// One engine command per target with the request's identity: event id 0,
// the target, from, act, command id and the cache flag.
void tst_CDataFunctions::projectorHandlers()
{
    QFETCH(int, act);
    QFETCH(int, cmd);
    QFETCH(QList<int>, params);
    QFETCH(int, key);
    QFETCH(QList<int>, values);
    QFETCH(QString, name);
    QList<CVariantParameter> parameters = ints(params);
    if (!name.isEmpty())
        parameters << textParam(name);

    Rig rig;
    rig.AddRecord(3);
    rig.AddRecord(8);
    QList<int> targets{8, 3};
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(cmd, &parameters, 4, act, &targets, true, false), 0);

    for (int id : {3, 8}) {
        const QList<CCommandFunctionsEvent*> pending = rig.Pending(id);
        QCOMPARE(pending.size(), 1);
        CCommandFunctionsEvent* e = pending.first();
        QCOMPARE(e->GetEventKey(), key);
        QCOMPARE(e->GetEventID(), 0);
        QCOMPARE(e->m_nTargetID, id);
        QCOMPARE(e->m_nFrom, 4);
        QCOMPARE(e->m_nAct, act);
        QCOMPARE(e->m_nCmd, cmd);
        QCOMPARE(e->m_bFlag, true);
        if (key == CCommandFunctionsEvent::KEY_GET_GAIN) {
            QCOMPARE(static_cast<CCommandFunctionsEventGetGain*>(e)->m_Keys, values);
        } else if (key == CCommandFunctionsEvent::KEY_SET_GAIN) {
            auto* g = static_cast<CCommandFunctionsEventSetGain*>(e);
            QCOMPARE((QList<int>{g->m_nFirst, g->m_nSecond, g->m_nThird, g->m_nFourth}), values);
        } else if (key == CCommandFunctionsEvent::KEY_SET_PROJECTOR_NAME) {
            QCOMPARE(static_cast<CCommandFunctionsEventSetProjectorName*>(e)->m_Name, name);
        } else if (!values.isEmpty()) {
            QCOMPARE(static_cast<CCommandFunctionsEventValue*>(e)->m_nValue, values.first());
        }
    }
}

void tst_CDataFunctions::targetsUnknownSkippedDuplicatesKept()
{
    Rig rig;
    rig.AddRecord(5);
    QList<int> targets{5, 9, 5};
    QList<CVariantParameter> params = ints({1, 3}); // the second value is ignored
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 1, 2, &targets, false, false), 0);
    QCOMPARE(rig.Pending(5).size(), 2);
    for (CCommandFunctionsEvent* e : rig.Pending(5))
        QCOMPARE(static_cast<CCommandFunctionsEventValue*>(e)->m_nValue, 1);
    QVERIFY(rig.Hub()->GetProjectorData(9) == nullptr);
    // The caller's list is not changed.
    QCOMPARE(targets, (QList<int>{5, 9, 5}));

    // No targets at all, or no list: nothing.
    QList<int> none;
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 1, 2, &none, false, false), 0);
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, &params, 1, 2, nullptr, false, false), 0);
    QCOMPARE(rig.Pending(5).size(), 2);
}

void tst_CDataFunctions::shortParameterListsGiveZeroValues()
{
    Rig rig;
    rig.AddRecord(1);
    QList<int> targets{1};
    QList<CVariantParameter> one = ints({9});
    // A set-adjustment request needs two values: with one it sends zeros.
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(24, &one, 1, 2, &targets, false, false), 0);
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(2, nullptr, 1, 2, &targets, false, false), 0);
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(93, nullptr, 1, 2, &targets, false, false), 0);
    const QList<CCommandFunctionsEvent*> pending = rig.Pending(1);
    QCOMPARE(pending.size(), 3);
    auto* gain = static_cast<CCommandFunctionsEventSetGain*>(pending.at(0));
    QCOMPARE((QList<int>{gain->m_nFirst, gain->m_nSecond, gain->m_nThird, gain->m_nFourth}),
             (QList<int>{0, 255, 0, 0}));
    QCOMPARE(static_cast<CCommandFunctionsEventValue*>(pending.at(1))->m_nValue, 0);
    QCOMPARE(static_cast<CCommandFunctionsEventSetProjectorName*>(pending.at(2))->m_Name, QString());
}

void tst_CDataFunctions::stopClearsOnlyItsTargets()
{
    Rig rig;
    rig.AddRecord(1);
    rig.AddRecord(2);
    QList<int> both{1, 2};
    QList<CVariantParameter> on = ints({1});
    rig.Dispatcher()->SetDataThreadEvent(2, &on, 1, 2, &both, false, false);
    QList<int> first{1, 77};
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(129, nullptr, 1, 0, &first, false, false), 0);
    QCOMPARE(rig.Pending(1).size(), 0);
    QCOMPARE(rig.Pending(2).size(), 1);
}

void tst_CDataFunctions::updateAllConnections()
{
    Rig rig;
    rig.AddRecord(5);
    rig.AddRecord(6);
    QSignalSpy done(rig.Dispatcher(), &CDataFunctions::CompletedUpdateTargetList);

    // Without its lists the request changes nothing, but still reports.
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(133, nullptr, 1, 0, nullptr, false, false), 0);
    QList<CVariantParameter> nulls{pointerParam(nullptr), pointerParam(nullptr), pointerParam(nullptr),
                                   pointerParam(nullptr)};
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(133, &nulls, 1, 0, nullptr, false, false), 0);
    QCOMPARE(done.count(), 2);
    QVERIFY(rig.Hub()->GetProjectorData(5) != nullptr);

    // Sent as (added, modify-only, delete, result); deleting 5 keeps 6.
    QMap<int, CProjectorData*> added;
    QList<bool> modifyOnly;
    QList<int> deleted{5};
    QMap<int, CProjectorData*> result;
    QList<CVariantParameter> params{pointerParam(&added), pointerParam(&modifyOnly), pointerParam(&deleted),
                                    pointerParam(&result)};
    QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(133, &params, 1, 0, nullptr, false, false), 0);
    QCOMPARE(done.count(), 3);
    QVERIFY(rig.Hub()->GetProjectorData(5) == nullptr);
    QVERIFY(rig.Hub()->GetProjectorData(6) != nullptr);
    QCOMPARE(deleted, QList<int>{5});
}

// ---- completion routing --------------------------------------------------------------------

void tst_CDataFunctions::completionRouting_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("reaches");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<int>("routedCode");

    QTest::newRow("completed, schedule") << "completed" << 3 << 0 << true << false << 0;
    QTest::newRow("completed, user") << "completed" << 1 << 0 << false << false << 0;
    QTest::newRow("error -301, schedule") << "error" << 3 << -301 << true << true << -301;
    QTest::newRow("error, plug-in") << "error" << 2 << -301 << false << false << 0;
    QTest::newRow("negative reply -142, schedule") << "nack" << 3 << -142 << true << true << -142;
    QTest::newRow("negative reply, user") << "nack" << 1 << -142 << false << false << 0;
    QTest::newRow("canceled, schedule") << "canceled" << 3 << 0 << true << true << -10;
    QTest::newRow("canceled, user") << "canceled" << 1 << 0 << false << false << 0;
}

void tst_CDataFunctions::completionRouting()
{
    QFETCH(QString, slot);
    QFETCH(int, from);
    QFETCH(int, code);
    QFETCH(bool, reaches);
    QFETCH(bool, failed);
    QFETCH(int, routedCode);

    Rig rig;
    RecordingDispatcher* d = rig.Dispatcher();
    // The projector need not exist any more.
    const int eventID = 44, target = 7, act = 2, cmd = 5;
    if (slot == QLatin1String("completed"))
        d->f_OnCompleted(eventID, target, from, act, cmd);
    else if (slot == QLatin1String("error"))
        d->f_OnError(code, eventID, target, from, act, cmd);
    else if (slot == QLatin1String("nack"))
        d->f_OnNackReceived(code, eventID, target, from, act, cmd);
    else
        d->f_OnCanceled(eventID, target, from, act, cmd);

    if (!reaches) {
        QCOMPARE(d->results.size(), 0);
        return;
    }
    QCOMPARE(d->results.size(), 1);
    const ScheduleResult r = d->results.first();
    QCOMPARE(r.failed, failed);
    QCOMPARE(r.target, target);
    QCOMPARE(r.command, cmd);
    QCOMPARE(r.eventID, eventID);
    QCOMPARE(r.code, routedCode);
    QCOMPARE(r.from, 3);
}

void tst_CDataFunctions::resultRequestsReachSchedule()
{
    Rig rig;
    RecordingDispatcher* d = rig.Dispatcher();

    // 142 and 143 go the way of a completion with their own id as command id.
    QList<CVariantParameter> p142 = ints({7});
    QCOMPARE(d->SetDataThreadEvent(142, &p142, 3, 0, nullptr, false, false), 0);
    QList<CVariantParameter> p143 = ints({8, -21});
    QCOMPARE(d->SetDataThreadEvent(143, &p143, 3, 0, nullptr, false, false), 0);
    QCOMPARE(d->SetDataThreadEvent(143, &p143, 1, 0, nullptr, false, false), 0); // not a schedule's
    // 149 and 150 carry target, command id, event id (and code) in their parameters.
    QList<CVariantParameter> p149 = ints({9, 2, 55});
    QCOMPARE(d->SetDataThreadEvent(149, &p149, 3, 0, nullptr, false, false), 0);
    QList<CVariantParameter> p150 = ints({10, 4, 56, -402});
    QCOMPARE(d->SetDataThreadEvent(150, &p150, 3, 0, nullptr, false, false), 0);

    QCOMPARE(d->results.size(), 4);
    QCOMPARE(d->results.at(0).failed, false);
    QCOMPARE(d->results.at(0).target, 7);
    QCOMPARE(d->results.at(0).command, 142);
    QCOMPARE(d->results.at(1).failed, true);
    QCOMPARE(d->results.at(1).target, 8);
    QCOMPARE(d->results.at(1).command, 143);
    QCOMPARE(d->results.at(1).code, -21);
    QCOMPARE(d->results.at(2).target, 9);
    QCOMPARE(d->results.at(2).command, 2);
    QCOMPARE(d->results.at(2).eventID, 55);
    QCOMPARE(d->results.at(3).target, 10);
    QCOMPARE(d->results.at(3).command, 4);
    QCOMPARE(d->results.at(3).eventID, 56);
    QCOMPARE(d->results.at(3).code, -402);
}

// ---- control requests --------------------------------------------------------------------------

void tst_CDataFunctions::logRequestsReachTheLogWriter()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    CTransportLogManager* manager = d->GetTransportLog()->GetManager();
    const QString folder = rig.Folder(QStringLiteral("commlog"));

    QList<CVariantParameter> path{textParam(folder)};
    QCOMPARE(d->SetDataThreadEvent(138, &path, 1, 0, nullptr, false, false), 0);
    QCOMPARE(manager->GetFolder(), folder);

    QList<CVariantParameter> off;
    off << CVariantParameter().FromBool(false);
    QCOMPARE(d->SetDataThreadEvent(139, &off, 1, 0, nullptr, false, false), 0);
    QVERIFY(!manager->IsEnabled());
    QList<CVariantParameter> on;
    on << CVariantParameter().FromBool(true);
    QCOMPARE(d->SetDataThreadEvent(139, &on, 1, 0, nullptr, false, false), 0);
    QVERIFY(manager->IsEnabled());

    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9, 31));
    QList<CVariantParameter> add;
    add << CVariantParameter().FromDateTime(when) << intParam(1) << textParam(QStringLiteral("192.168.0.10"))
        << CVariantParameter().FromByteArray(QByteArray("\x02\x8A\x00\x01", 4)) << intParam(3);
    QCOMPARE(d->SetDataThreadEvent(137, &add, 1, 0, nullptr, false, false), 0);

    QFile file(folder + QStringLiteral("/COMM20240305.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2),
             QStringLiteral("2024/03/05 14:07:09.031,192.168.0.10,Tx,02,8A,00\n"));

    // A switch without its value switches off rather than reading garbage.
    QCOMPARE(d->SetDataThreadEvent(139, nullptr, 1, 0, nullptr, false, false), 0);
    QVERIFY(!manager->IsEnabled());

    // An empty folder is handed on as it is, and then nothing is written.
    QList<CVariantParameter> empty{textParam(QString())};
    QCOMPARE(d->SetDataThreadEvent(138, &empty, 1, 0, nullptr, false, false), 0);
    QCOMPARE(manager->GetFolder(), QString());
}

void tst_CDataFunctions::logSlotsWriteFrames()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    const QString folder = rig.Folder(QStringLiteral("slots"));
    d->GetTransportLog()->LogPath(folder);
    const QDateTime when(QDate(2024, 3, 5), QTime(1, 2, 3, 4));
    d->f_OnSend(when, QStringLiteral("h"), QByteArray("\x00\xBF\x00", 3), 2, 0, 1, 1, 2, 2);
    d->f_OnReceived(when, QStringLiteral("h"), QByteArray("\x20\xBF", 2), 2, 0, 1, 1, 2, 2);

    QFile file(folder + QStringLiteral("/COMM20240305.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2),
             QStringLiteral("2024/03/05 01:02:03.004,h,Tx,00,BF\n2024/03/05 01:02:03.004,h,Rx,20,BF\n"));
}

void tst_CDataFunctions::mailRequestReachesTheSender()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    CMailSettings settings;
    // A loopback address where nothing listens: the connection is refused at once.
    const QString nothingListens = MailTestAddress(1).toString();
    settings.m_SMTPServer = nothingListens;
    settings.m_Sender = QStringLiteral("lumivox@example.test");
    settings.m_Recipients = QList<QString>{QStringLiteral("ops@example.test")};
    QList<CVariantParameter> params{pointerParam(&settings), textParam(QStringLiteral("Subject")),
                                    textParam(QStringLiteral("Body")), CVariantParameter().FromBool(true)};
    QCOMPARE(d->SetDataThreadEvent(141, &params, 1, 0, nullptr, false, true), 0);
    // The settings are copied: changing the caller's object afterwards changes nothing.
    settings.m_SMTPServer = QStringLiteral("changed");

    const QList<const CSMTPSendEventSMTPSend*> requests = d->GetSMTPSend()->GetPendingRequests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first()->m_MailSettings.m_SMTPServer, nothingListens);
    QCOMPARE(requests.first()->m_MailSettings.m_Recipients, QList<QString>{QStringLiteral("ops@example.test")});
    QCOMPARE(requests.first()->m_Subject, QStringLiteral("Subject"));
    QCOMPARE(requests.first()->m_Body, QStringLiteral("Body"));
    QCOMPARE(requests.first()->m_bTestMail, true);

    // A null settings pointer sends with the initial settings instead of reading through it.
    QList<CVariantParameter> noSettings{pointerParam(nullptr), textParam(QStringLiteral("S")),
                                        textParam(QStringLiteral("B")), CVariantParameter().FromBool(false)};
    QCOMPARE(d->SetDataThreadEvent(141, &noSettings, 1, 0, nullptr, false, false), 0);
    QCOMPARE(d->GetSMTPSend()->GetPendingRequests().size(), 2);
    QCOMPARE(d->GetSMTPSend()->GetPendingRequests().at(1)->m_MailSettings.m_SMTPServer, CMailSettings().m_SMTPServer);

    // Each request ends with a reported outcome, never silently.
    QSignalSpy completed(d, &CDataFunctions::CompletedMailSignal);
    QTRY_COMPARE(completed.count(), 2);
    QCOMPARE(completed.at(0).at(0).value<CMailSettings::SMTP_RESULT::Enum>(), CMailSettings::SMTP_RESULT::FailedConnect);
    QCOMPARE(completed.at(0).at(1).toBool(), true);
    QCOMPARE(completed.at(1).at(0).value<CMailSettings::SMTP_RESULT::Enum>(), CMailSettings::SMTP_RESULT::InvalidSetting);
    QCOMPARE(completed.at(1).at(1).toBool(), false);
}

void tst_CDataFunctions::mailRequestIsDelivered()
{
    CAiosmtpdServer receiver;
    AiosmtpdOptions options;
    options.address = MailTestAddress(2);
    options.plainPorts = {25};
    options.noAuth = true;
    QString error;
    QVERIFY2(receiver.start(options, &error), qPrintable(error));

    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    CMailSettings settings;
    settings.m_SMTPServer = options.address.toString();
    settings.m_Sender = QStringLiteral("lumivox@example.test");
    settings.m_Recipients = QList<QString>{QStringLiteral("ops@example.test"), QString(), QString()};
    QSignalSpy completed(d, &CDataFunctions::CompletedMailSignal);
    QList<CVariantParameter> params{pointerParam(&settings), textParam(QStringLiteral("Projector error")),
                                    textParam(QStringLiteral("Lamp failure")), CVariantParameter().FromBool(false)};
    QCOMPARE(d->SetDataThreadEvent(141, &params, 1, 0, nullptr, false, true), 0);

    QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
    QCOMPARE(completed.at(0).at(0).value<CMailSettings::SMTP_RESULT::Enum>(), CMailSettings::SMTP_RESULT::Completed);
    QCOMPARE(completed.at(0).at(1).toBool(), false);
    QVERIFY(receiver.waitForMessages(1));
    const QJsonObject mail = receiver.summary(0);
    QCOMPARE(mail.value(QStringLiteral("subject")).toString(), QStringLiteral("Projector error"));
    QCOMPARE(mail.value(QStringLiteral("body")).toString(), QStringLiteral("Lamp failure"));
    QCOMPARE(mail.value(QStringLiteral("rcpt_tos")).toArray().size(), 1);
}

void tst_CDataFunctions::mailCompletionIsPassedOn()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    QSignalSpy completed(d, &CDataFunctions::CompletedMailSignal);
    d->f_OnCompletedMail(CMailSettings::SMTP_RESULT::Completed, true);
    d->f_OnCompletedMail(CMailSettings::SMTP_RESULT::FailedSmtpAuth, false);
    QCOMPARE(completed.count(), 2);
    QCOMPARE(completed.at(0).at(0).value<CMailSettings::SMTP_RESULT::Enum>(), CMailSettings::SMTP_RESULT::Completed);
    QCOMPARE(completed.at(0).at(1).toBool(), true);
    QCOMPARE(completed.at(1).at(0).value<CMailSettings::SMTP_RESULT::Enum>(),
             CMailSettings::SMTP_RESULT::FailedSmtpAuth);
    QCOMPARE(completed.at(1).at(1).toBool(), false);
}

void tst_CDataFunctions::scheduleRequestsReachTheRunner()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    CSchedule* runner = d->GetSchedule();
    QVERIFY(runner != nullptr);
    QCOMPARE(runner->m_pData, rig.Hub());

    const QString folder = rig.Folder(QStringLiteral("schedulelog"));
    QList<CVariantParameter> path{textParam(folder)};
    QCOMPARE(d->SetDataThreadEvent(146, &path, 1, 0, nullptr, false, false), 0);
    QList<CVariantParameter> on;
    on << CVariantParameter().FromBool(true);
    QCOMPARE(d->SetDataThreadEvent(147, &on, 1, 0, nullptr, false, false), 0);
    QList<CVariantParameter> start;
    start << CVariantParameter().FromDateTime(QDateTime(QDate(2024, 3, 5), QTime(8, 0)));
    QCOMPARE(d->SetDataThreadEvent(144, &start, 1, 0, nullptr, false, false), 0);
    QTRY_VERIFY(runner->IsRunning());
    QCOMPARE(runner->GetLogPath(), folder);
    QVERIFY(runner->IsLogEnabled());

    // Stop needs no parameters.
    QCOMPARE(d->SetDataThreadEvent(145, nullptr, 1, 0, nullptr, false, false), 0);
    QTRY_VERIFY(!runner->IsRunning());
    QList<CVariantParameter> empty{textParam(QString())};
    QCOMPARE(d->SetDataThreadEvent(146, &empty, 1, 0, nullptr, false, false), 0);
    QTRY_COMPARE(runner->GetLogPath(), QString());
}

void tst_CDataFunctions::backgroundFailuresBecomeUpdateError()
{
    Rig rig;
    CDataFunctions* d = rig.Dispatcher();
    QSignalSpy errors(d, &CDataFunctions::UpdateError);
    d->ErrorNotificationProc(QStringLiteral("x"), -5);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0), (QVariantList{QStringLiteral("x"), QString(), -5, 0, 0, 0, 0}));

    // The log writer's failure comes the same way.
    const QString blocker = rig.Folder(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    d->GetTransportLog()->LogPath(blocker);
    d->GetTransportLog()->AddLog(QDateTime::currentDateTime(), QStringLiteral("h"), QStringLiteral("t"));
    QCOMPARE(errors.count(), 2);
    QCOMPARE(errors.at(1).at(1).toString(), QString());
    QCOMPARE(errors.at(1).at(2).toInt(), 12);
    QCOMPARE(errors.at(1).at(3).toInt(), 0);

    // And the schedule runner's.
    emit d->GetSchedule()->ErrorOccurred(QStringLiteral("schedule"), 16);
    QCOMPARE(errors.count(), 3);
    QCOMPARE(errors.at(2), (QVariantList{QStringLiteral("schedule"), QString(), 16, 0, 0, 0, 0}));
}

QTEST_GUILESS_MAIN(tst_CDataFunctions)
#include "tst_CDataFunctions.moc"
