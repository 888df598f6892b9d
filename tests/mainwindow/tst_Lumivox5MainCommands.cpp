#include <QtTest>

#include "CCommLogFile.h"
#include "CDataFunctions.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"
#include "LogCategories.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "ProfileFlag.h"
#include "RequestRecorder.h"
#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QHostAddress>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QTextCodec>

#include <algorithm>
#include <memory>

namespace {

// Four projectors, 1 to 3 enabled and shown, 4 disabled.
const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=One\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 002]\nSettingName=Two\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 003]\nSettingName=Three\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 004]\nSettingName=Four\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.14\nLanPort=7142\nEnabled=False\nGroupList=\n";

// Counts the status passes from the window's trace.
int g_Passes = 0;
// Progress reports: "START" or "END".
QStringList g_Progress;
int g_LastEntries = -1;
// The entries the plug-in relay was given, pass by pass.
QList<int> g_Relayed;
// The trace blocks of the received reports.
QStringList g_ReportTraces;
qint64 g_LastPassAt = 0;
// The rows the passes refreshed: "address code".
QStringList g_Visuals;
QtMessageHandler g_Previous = nullptr;
void countPasses(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("Lumivox5Main::f_OnUpdateTimingProc"))) {
        ++g_Passes;
        g_LastPassAt = QDateTime::currentMSecsSinceEpoch();
        g_LastEntries = text.section('[', 1).section(']', 0, 0).toInt();
    } else if (text.contains(QLatin1String("] Lumivox5Main::OnReceiveUpdate"))) {
        g_ReportTraces << text;
    } else if (text.startsWith(QLatin1String("Lumivox5Main::f_OnUpdateTimingToPluginProc"))) {
        g_Relayed << text.section('[', 1).section(']', 0, 0).toInt();
    } else if (text.startsWith(QLatin1String("Lumivox5Main::OnTransportStateUpdate Connect["))) {
        g_Progress << text.section('[', 1).section(']', 0, 0);
    } else if (text.startsWith(QLatin1String("CProjectorTreeView::SetPjDataVisual"))) {
        g_Visuals << text.section(QLatin1String("data["), 1).section(']', 0, 0) + ' ' +
                         text.section(QLatin1String("errCode["), 1).section(']', 0, 0);
    }
    else if (type != QtDebugMsg && g_Previous)
        g_Previous(type, context, text);
}

} // namespace

class tst_Lumivox5MainCommands : public MainWindowTestBase
{
    Q_OBJECT

private:
    // Profiles the test hands to the records: every function, and one that
    // can only switch power off and sound mute.
    CProfile m_Full;
    CProfile m_Partial;

    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }
    // Runs `body` once, from a handler of the list's model inside the next pass.
    QMetaObject::Connection insideThePass(bool* fired, std::function<void()> body)
    {
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(list()->model());
        return connect(proxy->sourceModel(), &QAbstractItemModel::dataChanged, this, [fired, body] {
            if (*fired)
                return;
            *fired = true;
            body();
        });
    }
    QString savedList() const
    {
        const QByteArray bytes = CTestFolders::readFile(m_Fixture->userListPath());
        return QTextCodec::codecForUtfText(bytes)->toUnicode(bytes);
    }

    void start()
    {
        QVERIFY(m_Fixture->writeUserList(USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
        QList<int> shown = list()->GetDispPjDataIDList();
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, (QList<int>{1, 2, 3}));
        // 1 identified with every function, 2 not identified, 3 identified
        // with the partial profile, 4 (disabled) identified.
        const struct {
            int id;
            int state;
            CProfile* profile;
        } records[] = {{1, CProjectorData::CONNECT_STATE_CONNECTED, &m_Full},
                       {2, 0, &m_Full},
                       {3, CProjectorData::CONNECT_STATE_CONNECTED, &m_Partial},
                       {4, CProjectorData::CONNECT_STATE_CONNECTED, &m_Full}};
        for (const auto& entry : records) {
            CProjectorData* record = hub()->GetProjectorData(entry.id);
            QVERIFY(record);
            record->m_ConnectState = entry.state;
            record->m_Profile = entry.profile;
        }
    }

    void select(const QList<int>& ids)
    {
        MainWindowFixture::selectProjectors(m_Window.get(), ids);
    }

    // A window listing `count` projectors, each pass written a slice of 64
    // rows at a time (the slice's time set to nothing), no pass of its own.
    void startLongList(int count)
    {
        QByteArray text = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n";
        for (int n = 1; n <= count; ++n)
            text += QStringLiteral("[Setting %1]\nSettingName=P%1\nDeviceType=LAN\nLanType=IP\n"
                                   "IPAddress=10.0.%2.%3\nLanPort=7142\nEnabled=True\nGroupList=\n")
                        .arg(n, 3, 10, QLatin1Char('0'))
                        .arg(n / 200 + 1)
                        .arg(n % 200 + 1)
                        .toLatin1();
        QVERIFY(m_Fixture->writeUserList(text));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
        m_Window->m_PassSliceNs = 0;
        m_Window->m_tmrUpdateDelay->setInterval(60000);
    }
    QAbstractItemModel* sourceRows() const
    {
        return qobject_cast<QSortFilterProxyModel*>(list()->model())->sourceModel();
    }
    // Source rows whose communication cell shows `level`.
    int rowsAtLevel(int level) const
    {
        const int commColumn = list()->m_columnIndexByKey.value(CProjectorTreeView::KEY_COMM_ERROR);
        QAbstractItemModel* rows = sourceRows();
        int n = 0;
        for (int row = 0; row < rows->rowCount(); ++row)
            n += rows->index(row, commColumn).data(CProjectorTreeView::ROLE_COMM_ERROR_LEVEL).toInt() == level;
        return n;
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nlumivox.mainwindow.debug=true\nlumivox.views.debug=true"));
        g_Previous = qInstallMessageHandler(countPasses);
        for (bool& flag : m_Full.m_Flags)
            flag = true;
        for (bool& flag : m_Partial.m_Flags)
            flag = false;
        m_Partial.m_Flags[ProfileFlag::SetPowerOff] = true;
        m_Partial.m_Flags[ProfileFlag::SetSndMuteOn] = true;
        m_Partial.m_Flags[ProfileFlag::SetSndMuteOff] = true;
    }

    void cleanupTestCase() { qInstallMessageHandler(g_Previous); }

    void requestsForTheSelection_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QList<int>>("selection");
        // 0 as loaded, 1 every record picture-muted and frozen, 2 projector 1
        // disabled after the list was built.
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QStringList>("expected");

        const QList<int> three{1, 2, 3};
        QTest::newRow("power on") << QByteArray("on_actMenuPJCtrlPowerOn_triggered") << three << 0 << false << 1
                                  << QStringList{"2 [1] 1 2 [1] 1 1"};
        QTest::newRow("power off") << QByteArray("on_actMenuPJCtrlPowerOff_triggered") << three << 0 << false << 1
                                   << QStringList{"2 [0] 1 2 [1,3] 1 1"};
        QTest::newRow("power on, cancel") << QByteArray("on_actMenuPJCtrlPowerOn_triggered") << three << 0 << true
                                          << 1 << QStringList();
        QTest::newRow("power on, nothing selected")
            << QByteArray("on_actMenuPJCtrlPowerOn_triggered") << QList<int>() << 0 << false << 1 << QStringList();
        QTest::newRow("power on, only unidentified")
            << QByteArray("on_actMenuPJCtrlPowerOn_triggered") << QList<int>{2} << 0 << false << 1 << QStringList();
        QTest::newRow("picture mute on ignores the profile")
            << QByteArray("on_actMenuPJCtrlPictureMuteOn_triggered") << three << 0 << false << 0
            << QStringList{"5 [1] 1 2 [1,3] 1 1"};
        QTest::newRow("picture mute off") << QByteArray("on_actMenuPJCtrlPictureMuteOff_triggered") << three << 0
                                          << false << 0 << QStringList{"5 [0] 1 2 [1,3] 1 1"};
        QTest::newRow("sound mute on") << QByteArray("on_actMenuPJCtrlSoundMuteOn_triggered") << three << 0 << false
                                       << 0 << QStringList{"4 [1] 1 2 [1,3] 1 1"};
        QTest::newRow("sound mute off") << QByteArray("on_actMenuPJCtrlSoundMuteOff_triggered") << three << 0
                                        << false << 0 << QStringList{"4 [0] 1 2 [1,3] 1 1"};
        QTest::newRow("display mute on") << QByteArray("on_actMenuPJCtrlOSDMuteOn_triggered") << three << 0 << false
                                         << 0 << QStringList{"6 [1] 1 2 [1,3] 1 1"};
        QTest::newRow("display mute off") << QByteArray("on_actMenuPJCtrlOSDMuteOff_triggered") << three << 0
                                          << false << 0 << QStringList{"6 [0] 1 2 [1,3] 1 1"};
        QTest::newRow("freeze on") << QByteArray("on_actMenuPJCtrlFreezeOn_triggered") << three << 0 << false << 0
                                   << QStringList{"7 [1] 1 2 [1,3] 1 1"};
        QTest::newRow("freeze off") << QByteArray("on_actMenuPJCtrlFreezeOff_triggered") << three << 0 << false << 0
                                    << QStringList{"7 [2] 1 2 [1,3] 1 1"};
        QTest::newRow("AV mute on") << QByteArray("f_AllSwitchingMute") << three << 0 << false << 0
                                    << QStringList{"5 [1] 1 2 [1] 1 1", "4 [1] 1 2 [1,3] 1 1", "6 [1] 1 2 [1] 1 1"};
        QTest::newRow("AV mute off") << QByteArray("f_AllSwitchingMute") << three << 1 << false << 0
                                     << QStringList{"5 [0] 1 2 [1] 1 1", "4 [0] 1 2 [1,3] 1 1", "6 [0] 1 2 [1] 1 1"};
        QTest::newRow("AV mute, none qualifies")
            << QByteArray("f_AllSwitchingMute") << QList<int>{2} << 0 << false << 0 << QStringList();
        QTest::newRow("freeze toggle, frozen") << QByteArray("f_SetFreezeAutoToggle") << three << 1 << false << 0
                                               << QStringList{"7 [2] 1 2 [1,3] 1 1"};
        QTest::newRow("freeze toggle, not frozen") << QByteArray("f_SetFreezeAutoToggle") << three << 0 << false << 0
                                                   << QStringList{"7 [1] 1 2 [1,3] 1 1"};
        QTest::newRow("freeze toggle, none identified")
            << QByteArray("f_SetFreezeAutoToggle") << QList<int>{2} << 0 << false << 0 << QStringList();
        // The list shows One, Three, Two: sorted by name.
        QTest::newRow("projector refresh") << QByteArray("on_actMenuPJRefresh_triggered") << three << 0 << false << 0
                                           << QStringList{"1 - 1 1 [1,3,2] 0 1"};
        QTest::newRow("view refresh: the shown rows, in their order")
            << QByteArray("on_actMenuViewRefresh_triggered") << three << 0 << false << 0
            << QStringList{"1 - 0 1 [1,3,2] 0 0"};
        QTest::newRow("refresh all: the enabled, by id") << QByteArray("on_actMenuViewRefreshAll_triggered") << three
                                                         << 0 << false << 0 << QStringList{"1 - 0 1 [1,2,3] 0 0"};
        QTest::newRow("view refresh: a shown one disabled since")
            << QByteArray("on_actMenuViewRefresh_triggered") << three << 2 << false << 0
            << QStringList{"1 - 0 1 [1,3,2] 0 0"};
        QTest::newRow("refresh all: one disabled since") << QByteArray("on_actMenuViewRefreshAll_triggered") << three
                                                         << 2 << false << 0 << QStringList{"1 - 0 1 [2,3] 0 0"};
        QTest::newRow("stop: the enabled") << QByteArray("on_actMenuViewStop_triggered") << QList<int>() << 0
                                           << false << 0 << QStringList{"129 - 1 0 [1,2,3] 1 1"};
    }

    void requestsForTheSelection()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QList<int>, selection);
        QFETCH(int, state);
        QFETCH(bool, cancel);
        QFETCH(int, boxes);
        QFETCH(QStringList, expected);
        start();
        for (int id = 1; id <= 4; ++id) {
            CProjectorData* record = hub()->GetProjectorData(id);
            record->m_Status[CProjectorData::StPictureMute].FromInt(state);
            record->m_Status[CProjectorData::StFreeze].FromBool(state == 1);
        }
        if (state == 2)
            hub()->GetProjectorData(1)->m_Enabled = false;
        select(selection);
        ScriptedMessageBoxes scripted;
        if (cancel)
            scripted.answers << QMessageBox::Cancel;
        RequestRecorder recorder;
        // The two toggles are operations, not slots of their own.
        if (slot == "f_AllSwitchingMute")
            m_Window->f_AllSwitchingMute();
        else if (slot == "f_SetFreezeAutoToggle")
            m_Window->f_SetFreezeAutoToggle();
        else
            QVERIFY(QMetaObject::invokeMethod(m_Window.get(), slot.constData(), Qt::DirectConnection));
        QCOMPARE(recorder.requests, expected);
        QCOMPARE(scripted.shown.size(), boxes);
        for (const CMessageBoxes::Box& box : qAsConst(scripted.shown)) {
            QVERIFY(box.modalFlag);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.defaultButton, QMessageBox::Ok);
            QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
            QCOMPARE(box.text, slot.contains("PowerOn") ? QStringLiteral("Turn on the selected projector.")
                                                        : QStringLiteral("Turn off the selected projector."));
        }
        QVERIFY(!hub()->m_ModalDialog);
    }

    void sendCommandWithOneArgument()
    {
        start();
        {
            RequestRecorder recorder;
            m_Window->SendCommand(1, nullptr, 0, 0, nullptr, false, false);
            QCOMPARE(recorder.requests, QStringList{"1 - 0 0 - 0 0"});
        }
        // The dispatcher has no request for (0, 1) and refuses it silently.
        QCOMPARE(m_Window->m_DataThread->SetDataThreadEvent(1, nullptr, 0, 0, nullptr, false, false) != 0, true);
        m_Window->SendCommand(1, nullptr, 0, 0, nullptr, false, false);
    }

    // The shorter forms, as a plug-in's request object calls them by name.
    void shorterSendCommands_data()
    {
        QTest::addColumn<int>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("id") << 1 << "9 - 0 0 - 0 0";
        QTest::newRow("parameters") << 2 << "9 [4] 0 0 - 0 0";
        QTest::newRow("from") << 3 << "9 [4] 1 0 - 0 0";
        QTest::newRow("act") << 4 << "9 [4] 1 2 - 0 0";
        QTest::newRow("targets") << 5 << "9 [4] 1 2 [3,1] 0 0";
        QTest::newRow("cache") << 6 << "9 [4] 1 2 [3,1] 1 0";
    }

    void shorterSendCommands()
    {
        QFETCH(int, arguments);
        QFETCH(QString, expected);
        start();
        QList<CVariantParameter> params{CVariantParameter().FromInt(4)};
        QList<int> targets{3, 1};
        QList<CVariantParameter>* p = &params;
        QList<int>* t = &targets;
        RequestRecorder recorder;
        Lumivox5Main* w = m_Window.get();
        switch (arguments) {
        case 1: w->SendCommand(9); break;
        case 2: w->SendCommand(9, p); break;
        case 3: w->SendCommand(9, p, 1); break;
        case 4: w->SendCommand(9, p, 1, 2); break;
        case 5: w->SendCommand(9, p, 1, 2, t); break;
        default: w->SendCommand(9, p, 1, 2, t, true); break;
        }
        // Each is a slot of its own as well.
        const QList<QByteArray> types{"int", "QList<CVariantParameter>*", "int", "int", "QList<int>*", "bool"};
        const QByteArray signature = "SendCommand(" + types.mid(0, arguments).join(',') + ')';
        QVERIFY2(w->metaObject()->indexOfSlot(signature.constData()) >= 0, signature.constData());
        QCOMPARE(recorder.requests, QStringList{expected});
    }

    void constructionSendsTheLogSettings()
    {
        m_Fixture->saveSettings([this](CLumivox5Data* h) {
            h->m_pOptionSettings->m_SaveLog = true;
            h->m_pOptionSettings->m_SaveLogPath = m_Fixture->homeFolder() + QStringLiteral("/comm");
            h->m_pOptionSettings->m_SaveScheduleLog = false;
            h->m_pOptionSettings->m_SaveScheduleLogPath = m_Fixture->homeFolder() + QStringLiteral("/sche");
        });
        RequestRecorder recorder;
        start();
        QVERIFY(recorder.requests.size() >= 4);
        QCOMPARE(recorder.requests.mid(0, 4),
                 (QStringList{"138 [0] 1 0 - 0 0", "139 [1] 1 0 - 0 0", "147 [0] 1 0 - 0 0", "146 [0] 1 0 - 0 0"}));
        QCOMPARE(recorder.parameters.at(0).at(0).ToString(), m_Fixture->homeFolder() + QStringLiteral("/comm"));
        QCOMPARE(recorder.parameters.at(1).at(0).ToBool(), true);
        QCOMPARE(recorder.parameters.at(2).at(0).ToBool(), false);
        QCOMPARE(recorder.parameters.at(3).at(0).ToString(), m_Fixture->homeFolder() + QStringLiteral("/sche"));
    }

    void offlineScheduleCommandIsResent()
    {
        start();
        RequestRecorder recorder;
        m_Window->f_OnScheduleExecuteWithOffline(2, 3, 2, 7, 1, 12);
        QCOMPARE(recorder.requests, QStringList{"2 [1,12] 3 2 [7] 0 1"});
    }

    void offlineRequestsPassTheDemoEngineAndTheStub()
    {
        start();
        hub()->GetProjectorData(2)->m_ConnectState = 0;
        QSignalSpy timing(m_Window->m_DataThread, SIGNAL(UpdateTiming(int, int, int, int)));
        hub()->m_OfflineMenu = true;
        hub()->SetOfflineMode(true);
        QVERIFY(m_Window->m_DataThread->f_IsOfflineMode());
        QVERIFY(!m_Window->m_DataThread->IsStub(1));
        QList<int> targets{2};
        m_Window->SendCommand(1, nullptr, 1, 1, &targets, false, true);
        // The demo engine fabricated the record's values, the command is
        // marked as stubbed, and the stub answers at once and marks the
        // projector identified.
        const CProjectorData* record = hub()->GetProjectorData(2);
        QCOMPARE(record->m_Status[CProjectorData::StMacAddress1].ToByteArray(), QByteArray::fromHex("0123456789AB"));
        QCOMPARE(record->m_Status[CProjectorData::StModelCode1].ToString(), QStringLiteral("23"));
        QCOMPARE(record->m_LastUpdate.date(), QDate::currentDate().addDays(-2));
        QVERIFY(m_Window->m_DataThread->IsStub(1));
        QTRY_VERIFY(!timing.isEmpty());
        QCOMPARE(timing.last().at(3).toInt(), 2);
        QCOMPARE(hub()->GetProjectorData(2)->m_ConnectState, int(CProjectorData::CONNECT_STATE_CONNECTED));
    }

    void reportTraceBlocks_data()
    {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("line");
        QTest::newRow("timing") << false << "Lumivox5Main::OnReceiveUpdateTiming cmd[1] from[2] act[3] target[9]";
        QTest::newRow("error") << true
                               << "Lumivox5Main::OnReceiveUpdateError msg[no %1 answer], strTarget[Two], code[-7], "
                                  "cmd[1], from[2], act[3], target[9]";
    }

    // Each report writes its block: the time to the millisecond and the
    // line, between two rows of 81 "#".
    void reportTraceBlocks()
    {
        QFETCH(bool, error);
        QFETCH(QString, line);
        start();
        g_ReportTraces.clear();
        if (error)
            m_Window->OnReceiveUpdateError(QStringLiteral("no %1 answer"), QStringLiteral("Two"), -7, 1, 2, 3, 9);
        else
            m_Window->OnReceiveUpdateTiming(1, 2, 3, 9);
        QCOMPARE(g_ReportTraces.size(), 1);
        const QString frame(81, QLatin1Char('#'));
        const QRegularExpression block(QStringLiteral("^%1\\n\\[\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] %2\\n%1$")
                                           .arg(frame, QRegularExpression::escape(line)));
        QVERIFY2(block.match(g_ReportTraces.first()).hasMatch(), qPrintable(g_ReportTraces.first()));
    }

    // Without rules the window's trace is silent (a fleet would print
    // thousands of lines); its warnings stay on.
    void traceIsOffByDefault()
    {
        start();
        QLoggingCategory::setFilterRules(QString());
        g_ReportTraces.clear();
        m_Window->OnReceiveUpdateTiming(1, 2, 3, 9);
        const bool debug = lcMainWindow().isDebugEnabled();
        const bool info = lcMainWindow().isInfoEnabled();
        const bool warning = lcMainWindow().isWarningEnabled();
        QLoggingCategory::setFilterRules(
            QStringLiteral("*.debug=false\nlumivox.mainwindow.debug=true\nlumivox.views.debug=true"));
        QVERIFY(g_ReportTraces.isEmpty());
        QVERIFY(!debug && !info);
        QVERIFY(warning);
    }

    void aBurstGivesOnePassAfterItsLastReport()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(500);
        g_Passes = 0;
        QElapsedTimer clock;
        for (int i = 0; i < 5; ++i) {
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
            clock.start();
            QTest::qWait(150);
        }
        QCOMPARE(g_Passes, 0);
        QTRY_COMPARE(g_Passes, 1);
        QVERIFY(clock.elapsed() >= 490);
        QTest::qWait(700);
        QCOMPARE(g_Passes, 1);
    }

    void aSteadyStreamGivesPassesAtTheMidFlowInterval()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(400);
        m_Window->m_tmrUpdateMidFlow->setInterval(1000);
        g_Passes = 0;
        qint64 lastReport = 0;
        for (int i = 0; i < 30; ++i) {
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
            lastReport = QDateTime::currentMSecsSinceEpoch();
            QTest::qWait(100);
        }
        const int during = g_Passes;
        // Three seconds of reports every 100 ms: a pass about every second,
        // not one at the end only (nor one per report).
        QVERIFY2(during >= 2 && during <= 6, qPrintable(QString::number(during)));
        // And a last one after the last report.
        QTRY_VERIFY(!m_Window->m_tmrUpdateDelay->isActive() && !m_Window->m_tmrUpdateMidFlow->isActive());
        QTRY_VERIFY(g_LastPassAt >= lastReport);
    }

    void unknownProjectorsArmNothing()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        g_Passes = 0;
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 999);
        QVERIFY(!m_Window->m_tmrUpdateDelay->isActive());
        QVERIFY(!m_Window->m_tmrUpdateMidFlow->isActive());
        QTest::qWait(300);
        QCOMPARE(g_Passes, 0);
    }

    void generalErrorsAreTakenOncePerPass()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        g_Passes = 0;
        for (int i = 0; i < 2000; ++i) {
            m_Window->OnReceiveUpdateError(QStringLiteral("cannot write"), QString(), -3, 0, 0, 0, 0);
            m_Window->OnReceiveUpdateError(QStringLiteral("cannot open"), QString(), -3, 0, 0, 0, 0);
        }
        // Reports naming a projector always come through.
        for (int i = 0; i < 3; ++i)
            m_Window->OnReceiveUpdateError(QStringLiteral("cannot write"), QStringLiteral("One"), -3, 1, 1, 1, 1);
        QTRY_COMPARE(g_Passes, 1);
        QCOMPARE(g_LastEntries, 2 + 3);
        // After the pass a repeat is taken again.
        m_Window->OnReceiveUpdateError(QStringLiteral("cannot write"), QString(), -3, 0, 0, 0, 0);
        QTRY_COMPARE(g_Passes, 2);
        QCOMPARE(g_LastEntries, 1);
    }

    void theNewestReportOfARowWins()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        g_Passes = 0;
        g_Visuals.clear();
        m_Window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("One"), -7, 1, 1, 1, 1);
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
        m_Window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("Two"), -7, 1, 1, 1, 2);
        QTRY_COMPARE(g_Passes, 1);
        g_Visuals.sort();
        QCOMPARE(g_Visuals, (QStringList{"192.168.0.11 0", "192.168.0.12 -7"}));
    }

    void aReportedNameIsSavedWithThePass()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        g_Passes = 0;
        // Both identified projectors report a new name with the poll.
        hub()->GetProjectorData(1)->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("Hall"));
        hub()->GetProjectorData(3)->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("Foyer"));
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 3);
        QTRY_COMPARE(g_Passes, 1);
        // Written off the GUI thread, shortly after the pass.
        QTRY_VERIFY(savedList().contains(QLatin1String("=Hall")));
        QVERIFY(savedList().contains(QLatin1String("=Foyer")));
    }

    // A pass's save that cannot be written is reported once, naming the
    // file and the reason; after a save that succeeded, the next failure is
    // reported again.
    void aFailedSaveOfAPassIsReportedOnce()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(50);
        QVERIFY(QFile::remove(m_Fixture->userListPath()));
        QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
        ScriptedMessageBoxes script;
        const auto renamedPass = [&](const QString& name) {
            g_Passes = 0;
            hub()->GetProjectorData(1)->m_Status[CProjectorData::StProjectorName].FromString(name);
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
            QTRY_COMPARE(g_Passes, 1);
        };
        renamedPass(QStringLiteral("Hall"));
        QTRY_COMPARE(script.shown.size(), 1);
        const CMessageBoxes::Box box = script.shown.first();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(m_Fixture->userListPath())), qPrintable(box.text));
        QVERIFY2(box.text.contains(QLatin1String("a folder has that name")), qPrintable(box.text));
        renamedPass(QStringLiteral("Hall 2"));
        QTest::qWait(200);
        QCOMPARE(script.shown.size(), 1);
        QVERIFY(QDir(m_Fixture->userListPath()).removeRecursively());
        renamedPass(QStringLiteral("Hall 3"));
        QTRY_VERIFY(savedList().contains(QLatin1String("=Hall 3")));
        QVERIFY(QFile::remove(m_Fixture->userListPath()));
        QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
        renamedPass(QStringLiteral("Hall 4"));
        QTRY_COMPARE(script.shown.size(), 2);
    }

    void reportsMadeDuringAPassWaitForTheNext()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        g_Passes = 0;
        bool fired = false;
        // A handler on the list's model runs inside the pass: a synchronous
        // report and the hub's lock, as the engine's handlers take it, must
        // neither block nor be lost.
        QMetaObject::Connection connection = insideThePass(&fired, [&] {
            QVERIFY(hub()->m_Mutex.tryLock(2000));
            hub()->m_Mutex.unlock();
            QCOMPARE(hub()->GetProjectorDataIDList(true).size(), 3);
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 2);
        });
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
        QTRY_COMPARE(g_Passes, 1);
        QVERIFY(fired);
        QTRY_COMPARE(g_Passes, 2);
        QCOMPARE(g_LastEntries, 1);
        disconnect(connection);
    }

    // A handler inside a pass runs an event loop (a box) in which the next
    // pass runs: that pass takes only the newer reports, and the outer pass
    // still relays its own to the plug-in.
    void aPassInsideAPassLeavesTheOuterReports()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        bool fired = false;
        QMetaObject::Connection connection = insideThePass(&fired, [&] {
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 2);
            m_Window->OnReceiveUpdateTiming(1, 1, 1, 3);
            m_Window->OnTimerUpdateDelay();
        });
        g_Relayed.clear();
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
        QTRY_VERIFY(fired);
        QTRY_COMPARE(g_Relayed.size(), 2);
        // The inner pass waits for the outer one's rows: each relays its own,
        // in the order they were taken.
        QCOMPARE(g_Relayed, (QList<int>{1, 2}));
        disconnect(connection);
    }

    // A pass over a long list writes it a slice at a time (here 64 rows, the
    // slice's time set to nothing), with turns of the event loop between. A
    // pass taken meanwhile is written after it, never overtaken by its older
    // results; the list ends sorted by the new names and keeps its selection.
    void aLongPassIsWrittenInSlicesInOrder()
    {
        const int count = 300;
        startLongList(count);
        // The list sorted by the reported names (a column hidden by default).
        for (CListViewColumnStatus* column : qAsConst(*hub()->m_pPjListColumnStatus)) {
            if (column->m_ID == CProjectorTreeView::KEY_PJ_NAME)
                column->m_Visible = true;
        }
        const int nameColumn = list()->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME);
        m_Window->f_SortPjList(nameColumn, Qt::AscendingOrder);
        QList<int> newOrder;
        for (int id = 1; id <= count; ++id) {
            CProjectorData* record = hub()->GetProjectorData(id);
            QVERIFY(record);
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            record->m_Profile = &m_Full;
            // Reported names sort the other way round.
            record->m_Status[CProjectorData::StProjectorName].FromString(
                QStringLiteral("N%1").arg(count + 1 - id, 3, 10, QLatin1Char('0')));
            newOrder.prepend(id);
        }
        select({5, 7});
        const QModelIndex current = list()->model()->index(newOrder.size() - 5, nameColumn);
        const int currentId = current.data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
        list()->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);

        for (int id = 1; id <= count; ++id)
            m_Window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("P"), -7, 1, 1, 1, id);
        m_Window->OnTimerUpdateDelay();
        const int firstSlice = rowsAtLevel(1);
        QVERIFY2(firstSlice > 0 && firstSlice < count, qPrintable(QString::number(firstSlice)));
        QVERIFY(!list()->header()->sectionsClickable());

        for (int id = 1; id <= count; ++id)
            m_Window->OnReceiveUpdateTiming(1, 1, 1, id);
        m_Window->OnTimerUpdateDelay();
        QTRY_VERIFY(list()->header()->sectionsClickable());
        QCOMPARE(rowsAtLevel(0), count);
        QCOMPARE(list()->GetDispPjDataIDList(), newOrder);
        QList<int> selected = list()->GetPjDataIDList(true);
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, (QList<int>{5, 7}));
        QCOMPARE(list()->currentIndex().data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(), currentId);
    }

    void rowsComingAndGoingBetweenSlices_data()
    {
        QTest::addColumn<int>("firstRemoved"); // source row, -1 for none
        QTest::addColumn<int>("removed");
        QTest::addColumn<bool>("added");
        QTest::newRow("rows gone behind the walk") << 0 << 10 << false;
        QTest::newRow("rows gone ahead of the walk") << 200 << 10 << false;
        QTest::newRow("a row come") << -1 << 0 << true;
        QTest::newRow("rows gone behind and a row come") << 20 << 30 << true;
    }

    // Rows that come or go between two slices of a pass: every row listed at
    // its end shows the pass's result, and no row is written twice.
    void rowsComingAndGoingBetweenSlices()
    {
        QFETCH(int, firstRemoved);
        QFETCH(int, removed);
        QFETCH(bool, added);
        const int count = 300;
        startLongList(count);
        QAbstractItemModel* rows = sourceRows();
        // The last projector is left out of the list until it comes back.
        const QModelIndexList lastRow =
            rows->match(rows->index(0, 0), CProjectorTreeView::ROLE_PJDATA_ID, count, 1, Qt::MatchExactly);
        QCOMPARE(lastRow.size(), 1);
        QVERIFY(rows->removeRow(lastRow.first().row()));

        g_Visuals.clear();
        for (int id = 1; id <= count; ++id)
            m_Window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("P"), -7, 1, 1, 1, id);
        m_Window->OnTimerUpdateDelay();
        QVERIFY(!list()->header()->sectionsClickable());
        QStringList written = g_Visuals;
        QVERIFY2(written.size() < count / 2, qPrintable(QString::number(written.size())));

        if (firstRemoved >= 0)
            QVERIFY(rows->removeRows(firstRemoved, removed));
        if (added)
            list()->Add(hub()->GetProjectorData(count));
        g_Visuals.clear();
        QTRY_VERIFY(list()->header()->sectionsClickable());
        written += g_Visuals;

        QCOMPARE(rows->rowCount(), count - 1 - removed + (added ? 1 : 0));
        QCOMPARE(rowsAtLevel(1), rows->rowCount());
        const QSet<QString> once(written.begin(), written.end());
        QCOMPARE(once.size(), written.size());
        for (int id : list()->GetDispPjDataIDList())
            QVERIFY2(once.contains(hub()->GetProjectorData(id)->m_Address + QStringLiteral(" -7")),
                     qPrintable(QString::number(id)));
    }

    void aTickPollsTheEnabledProjectors()
    {
        start();
        RequestRecorder recorder;
        m_Window->f_TmrUpdateAllProjectors_Tick();
        QCOMPARE(recorder.requests, QStringList{"1 - 0 1 [1,2,3] 0 0"});
    }

    void refreshOfAMap_data()
    {
        QTest::addColumn<bool>("null");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("null") << true << QList<int>() << QStringList();
        QTest::newRow("empty") << false << QList<int>() << QStringList();
        QTest::newRow("two") << false << QList<int>{3, 1} << QStringList{"1 - 1 1 [1,3] 0 1"};
    }

    void refreshOfAMap()
    {
        QFETCH(bool, null);
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, expected);
        start();
        QMap<int, CProjectorData*> records;
        for (int id : ids)
            records.insert(id, hub()->GetProjectorData(id));
        RequestRecorder recorder;
        m_Window->f_PJRefresh(null ? nullptr : &records);
        QCOMPARE(recorder.requests, expected);
    }

    void unconnectedPolls()
    {
        start();
        RequestRecorder recorder;
        m_Window->f_UpdateAllUnconnectedConnection(false);
        m_Window->f_UpdateAllUnconnectedConnection(true);
        select({1, 2});
        m_Window->f_Stop(false);
        QCOMPARE(recorder.requests,
                 (QStringList{"1 - 1 1 [2] 0 1", "1 - 1 1 [2] 0 1", "129 - 1 0 [1,2] 1 1"}));
    }
    // Refresh All polls two simulated projectors through the real dispatcher:
    // the rows come back with their results, the progress icon goes on and
    // off, and the log settings sent at construction put the exchanges into
    // the communication log.
    void aRealPollRefreshesTheRows()
    {
        const QString folder = m_Fixture->path(QStringLiteral("comm"));
        m_Fixture->saveSettings([&](CLumivox5Data* h) {
            h->m_pOptionSettings->m_SaveLog = true;
            h->m_pOptionSettings->m_SaveLogPath = folder;
        });
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(m_Fixture->writeUserList("[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->m_tmrUpdateDelay->setInterval(300);

        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CProjectorSimulator simulator;
        struct Teardown
        {
            std::unique_ptr<Lumivox5Main>& window;
            ~Teardown() { window.reset(); }
        } teardown{m_Window};
        QStringList addresses;
        for (int i = 0; i < 2; ++i) {
            CSimulatedProjector* projector =
                simulator.AddProjector(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + i)), 0);
            QVERIFY(projector);
            projector->SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
            QVERIFY(hub()->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP, projector->AddressText(),
                                        projector->PortText(), true, QString()));
            addresses << projector->AddressText() + QStringLiteral(" 0");
        }
        m_Window->f_ShowAllProjectors();
        QCOMPARE(list()->GetDispPjDataIDList().size(), 2);

        g_Passes = 0;
        g_Visuals.clear();
        g_Progress.clear();
        m_Window->on_actMenuViewRefreshAll_triggered();
        QTRY_VERIFY_WITH_TIMEOUT(g_Visuals.size() >= 2, 15000);
        QStringList visuals = g_Visuals;
        visuals.removeDuplicates();
        visuals.sort();
        QCOMPARE(visuals, addresses);
        QVERIFY(g_Progress.contains(QStringLiteral("START")));
        QTRY_VERIFY2_WITH_TIMEOUT(g_Progress.contains(QStringLiteral("END")), qPrintable(g_Progress.join(' ')), 5000);
        for (int id : list()->GetDispPjDataIDList())
            QCOMPARE(hub()->GetProjectorData(id)->m_ConnectState, int(CProjectorData::CONNECT_STATE_CONNECTED));
        QTRY_VERIFY_WITH_TIMEOUT(!CCommLogFile::Lines(folder).isEmpty(), 5000);
    }
};

QTEST_MAIN(tst_Lumivox5MainCommands)
#include "tst_Lumivox5MainCommands.moc"
