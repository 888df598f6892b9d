#include <QtTest>

#include "CDataFunctions.h"
#include "CGroupTreeView.h"
#include "CIniFileAccess.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CNoOperatingDate.h"
#include "COptionSettings.h"
#include "CPlistSettingsFormat.h"
#include "CProjectorData.h"
#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSystemClock.h"
#include "CVirtualTime.h"
#include "FormCalendar.h"
#include "FormSchedule.h"
#include "FormScheduleEdit.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ScheduleListView.h"
#include "ScriptedModalBoxes.h"
#include "VirtualTimeSetting.h"
#include "ui_Lumivox5Main.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QComboBox>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTextCodec>
#include <QTimeEdit>
#include <QCheckBox>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Three enabled projectors (the first in "Floor 1"), one disabled.
const QByteArray SCHEDULE_USER_LIST = "[Header Info]\n"
                                      "MagicCode=258-0017-686-1-5F\n"
                                      "RevCode=Rev.1.0\n"
                                      "[Setting 001]\nSettingName=Lobby\nDeviceType=LAN\nLanType=IP\n"
                                      "IPAddress=10.0.0.1\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                                      "[Setting 002]\nSettingName=Hall\nDeviceType=LAN\nLanType=IP\n"
                                      "IPAddress=10.0.0.2\nLanPort=7142\nEnabled=True\n"
                                      "[Setting 003]\nSettingName=Stage\nDeviceType=LAN\nLanType=IP\n"
                                      "IPAddress=10.0.0.3\nLanPort=7142\nEnabled=True\n"
                                      "[Setting 004]\nSettingName=Store\nDeviceType=LAN\nLanType=IP\n"
                                      "IPAddress=10.0.0.4\nLanPort=7142\nEnabled=False\nGroupList=1\n"
                                      "[Group]\n001=\"Floor 1\"\n";

// Wednesday noon: the week runs to the next Wednesday.
const QDateTime SCHEDULE_NOW(QDate(2030, 1, 9), QTime(12, 0));

// A weekly schedule on the weekdays of `days` (bit 0 Sunday) at `time`.
CScheduleData* weeklySchedule(const QString& target, quint8 days, const QTime& time, bool enabled = true,
                              const QString& comment = QString())
{
    auto* data = new CScheduleData(SCHEDULE_NOW);
    data->TargetType = target.startsWith(QLatin1String("10.")) ? CScheduleData::TARGET_TYPE::Projector
                                                               : CScheduleData::TARGET_TYPE::Group;
    data->TargetName = target;
    data->Function = 1;
    data->DurationType = CScheduleData::DURATION_TYPE::Weekly;
    data->DayOfWeek = days;
    data->ExecuteTime = time;
    data->Enable = enabled;
    data->Comment = comment;
    return data;
}

const quint8 EVERY_DAY = 0x7F;
const quint8 MONDAY = 0x02;

int dayOffset(const QDate& date)
{
    return CNoOperatingDate::ToDayOffset(QDateTime(date, QTime(0, 0)));
}

// A schedule file with these schedules and no-operating days.
bool writeScheduleFile(const QString& path, const QList<CScheduleData*>& schedules, const QList<QDate>& days,
                       const QString& codePage = CIniFileAccess::CODEPAGE_UTF16)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    CScheduleFile file(QFileInfo(path).absolutePath(), QFileInfo(path).fileName());
    for (CScheduleData* data : schedules)
        file.m_pScheduleManager->f_AddSchedule(data, true);
    CNoOperatingDate dates;
    for (const QDate& day : days)
        dates.Add(dayOffset(day));
    file.SetHolidayParam(dates);
    return file.SaveScheduleFile(path, true, codePage) == 0;
}

// The comments of the schedules in key order.
QStringList commentsOf(const CScheduleManager* schedules)
{
    QStringList comments;
    for (const CScheduleData* data : schedules->f_GetScheduleMap())
        comments << data->Comment;
    return comments;
}

QList<QDate> noOperatingDays(const CNoOperatingDate* dates, const QDate& from, int count)
{
    QList<QDate> days;
    for (int n = 0; n < count; ++n) {
        if (dates->IsNoOperatingDate(dayOffset(from.addDays(n))))
            days << from.addDays(n);
    }
    return days;
}

QStringList boxTexts(const ScriptedMessageBoxes& boxes)
{
    QStringList texts;
    for (const CMessageBoxes::Box& box : boxes.shown)
        texts << box.text;
    return texts;
}

} // namespace

// Schedules in the main window: the schedule file, execution on and off,
// new days, the week list, the dialogs, import and export.
class tst_Lumivox5MainSchedule : public MainWindowTestBase
{
    Q_OBJECT

    Ui_Lumivox5Main* ui() const { return m_Window->ui; }

    QString scheduleFile() const
    {
        return m_Fixture->homeFolder()
               + QStringLiteral("/Application Data/Corvex Projector User Fennick/Lumivox 5/Schedule.scd");
    }

    // The stored auto-execute value; absent reads as "-".
    static QString storedAutoExecute()
    {
        QSettings settings(CLumivox5Reg::SettingsFilePath(), CPlistSettingsFormat::Format());
        const QString key = CLumivox5Reg::APPREG_KEY_SCHEDULE + QStringLiteral("/AutoExecuteSchedule");
        return settings.contains(key) ? (settings.value(key).toBool() ? "true" : "false") : "-";
    }

    void startWindow(const QStringList& arguments = QStringList())
    {
        QVERIFY(m_Fixture->writeUserList(SCHEDULE_USER_LIST));
        m_Window = m_Fixture->makeWindow(arguments);
        QVERIFY(m_Window->m_blnProfileLoaded);
    }

    void addSchedules(const QList<CScheduleData*>& schedules)
    {
        for (CScheduleData* data : schedules)
            QVERIFY(hub()->m_pScheduleManager->f_AddSchedule(data, true));
    }

    void selectTreeNode(const QModelIndex& index)
    {
        ui()->treeViewGroup->setCurrentIndex(index);
        ui()->treeViewGroup->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    }

    // The week list: "target date time comment" per row, sorted.
    QStringList listed() const
    {
        QAbstractItemModel* model = ui()->treeViewSchedule->model();
        QStringList rows;
        for (int row = 0; model && row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column : {ScheduleListView::COLUMN_TARGET, ScheduleListView::COLUMN_DATE,
                               ScheduleListView::COLUMN_TIME, ScheduleListView::COLUMN_COMMENT})
                cells << model->index(row, column).data().toString();
            rows << cells.join(QLatin1Char(' '));
        }
        rows.sort();
        return rows;
    }

    // The instances the runner holds: "comment yyyy-MM-dd HH:mm".
    QStringList instances() const
    {
        QStringList rows;
        for (const CScheduleData* data : hub()->m_pScheduleExcuteManager->f_GetScheduleMap())
            rows << data->Comment + QLatin1Char(' ')
                        + QDateTime(data->StartDay.date(), data->ExecuteTime).toString("yyyy-MM-dd HH:mm");
        rows.sort();
        return rows;
    }

    // Whether the tray icon shows the schedule-running image.
    bool trayShowsRunning() const
    {
        auto* tray = m_Window->findChild<QSystemTrayIcon*>();
        return tray && sameImage(tray->icon(), QIcon(QStringLiteral(":/icon/ico/NotifyScheduleRunning.ico")));
    }

    static bool sameImage(const QIcon& a, const QIcon& b)
    {
        return a.pixmap(16, 16).toImage() == b.pixmap(16, 16).toImage();
    }

    QStandardItem* floorNode() const
    {
        auto* model = qobject_cast<QStandardItemModel*>(ui()->treeViewGroup->model());
        return model->item(CGroupTreeView::ROW_GROUP, 0)->child(0);
    }

private slots:
    void init()
    {
        MainWindowTestBase::init();
        CSystemClock::SetNowFunction([] { return SCHEDULE_NOW; });
    }

    void cleanup()
    {
        m_Window.reset();
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        MainWindowTestBase::cleanup();
    }

    void loadAtStart_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("schedules");
        QTest::addColumn<QList<QDate>>("days");
        const QDate settingsDay(2030, 1, 10);
        const QDate fileDay(2030, 1, 11);
        QTest::newRow("missing file: silent, the settings' day stays")
            << "missing" << QStringList() << QStringList() << QList<QDate>{settingsDay};
        QTest::newRow("foreign file: one warning, copied aside, nothing taken")
            << "foreign" << QStringList{"The file format is corrupted."} << QStringList()
            << QList<QDate>{settingsDay};
        QTest::newRow("valid file: its schedules and only its days")
            << "valid" << QStringList() << QStringList{"first", "second"} << QList<QDate>{fileDay};
        QTest::newRow("valid file without days: none left")
            << "valid, no days" << QStringList() << QStringList{"first", "second"} << QList<QDate>();
    }

    void loadAtStart()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, schedules);
        QFETCH(QList<QDate>, days);
        m_Fixture->saveSettings([](CLumivox5Data* h) { h->m_pNoOperatingDate->Add(dayOffset(QDate(2030, 1, 10))); });
        const QByteArray foreign = "[Header Info]\nMagicCode=something else\n";
        if (file == "foreign") {
            QVERIFY(QDir().mkpath(QFileInfo(scheduleFile()).absolutePath()));
            QVERIFY(CTestFolders::writeFile(scheduleFile(), foreign));
        } else if (file.startsWith("valid")) {
            const QList<QDate> fileDays = file == "valid" ? QList<QDate>{QDate(2030, 1, 11)} : QList<QDate>();
            QVERIFY(writeScheduleFile(scheduleFile(),
                                      {weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(10, 0), true, "first"),
                                       weeklySchedule("10.0.0.2", MONDAY, QTime(11, 0), true, "second")},
                                      fileDays));
        }
        ScriptedMessageBoxes shown;
        startWindow();
        QCOMPARE(boxTexts(shown), boxes);
        QCOMPARE(commentsOf(hub()->m_pScheduleManager), schedules);
        QCOMPARE(noOperatingDays(hub()->m_pNoOperatingDate, QDate(2030, 1, 1), 31), days);
        QVERIFY(hub()->m_pScheduleExcuteManager->f_GetScheduleMap().isEmpty());
        if (file == "foreign") {
            QCOMPARE(CTestFolders::readFile(scheduleFile() + ".bad"), foreign);
            // The exit save writes a fresh file over the one set aside.
            addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0), true, "new")});
            QCOMPARE(m_Window->f_SaveScheduleData(), QString());
            CScheduleFile reread(QFileInfo(scheduleFile()).absolutePath(), "Schedule.scd");
            QVERIFY(reread.LoadScheduleFile(true));
            QCOMPARE(commentsOf(reread.m_pScheduleManager), QStringList{"new"});
            QCOMPARE(CTestFolders::readFile(scheduleFile() + ".bad"), foreign);
        }
    }

    // A foreign file that cannot be copied aside is never written over.
    void foreignFileThatCannotBeSetAsideIsSpared()
    {
        const QByteArray foreign = "not a schedule file";
        QVERIFY(QDir().mkpath(scheduleFile() + ".bad/blocked"));
        QVERIFY(CTestFolders::writeFile(scheduleFile(), foreign));
        ScriptedMessageBoxes shown;
        startWindow();
        QCOMPARE(boxTexts(shown), QStringList{"The file format is corrupted."});
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0))});
        const QString failure = m_Window->f_SaveScheduleData();
        QCOMPARE(shown.shown.size(), 1);
        QVERIFY2(failure.contains(QDir::toNativeSeparators(scheduleFile())), qPrintable(failure));
        QCOMPARE(CTestFolders::readFile(scheduleFile()), foreign);
    }

    // A save that fails says why, naming the file, and leaves what was at
    // the path; the caller shows it.
    void aFailedSaveSaysWhy()
    {
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0))});
        QVERIFY(QDir().mkpath(scheduleFile() + "/kept"));
        ScriptedMessageBoxes shown;
        QCOMPARE(m_Window->f_SaveScheduleData(),
                 QDir::toNativeSeparators(scheduleFile())
                     + QStringLiteral(": the schedules could not be written. a folder has that name"));
        QVERIFY(shown.shown.isEmpty());
        QVERIFY(QFileInfo(scheduleFile() + "/kept").isDir());
    }

    void execute_data()
    {
        QTest::addColumn<QString>("schedules");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("expanded");
        const QString question = "There are no events to be executed within one week.\nDo you want to continue ?";
        QTest::newRow("no schedules: warning, stays off")
            << "none" << int(QMessageBox::Ok) << QStringList{"No events are not listed in the schedule. Add an event."}
            << false << QStringList();
        QTest::newRow("all disabled, Cancel: stays off")
            << "disabled" << int(QMessageBox::Cancel) << QStringList{question} << false << QStringList();
        QTest::newRow("all disabled, OK: runs with nothing")
            << "disabled" << int(QMessageBox::Ok) << QStringList{question} << true << QStringList();
        QTest::newRow("all on no-operating days, Cancel: stays off")
            << "resting" << int(QMessageBox::Cancel) << QStringList{question} << false << QStringList();
        QTest::newRow("normal: the week from now")
            << "normal" << int(QMessageBox::Ok) << QStringList() << true
            << QStringList{"daily 2030-01-10 11:00", "daily 2030-01-11 11:00", "daily 2030-01-12 11:00",
                           "daily 2030-01-13 11:00", "daily 2030-01-14 11:00", "daily 2030-01-15 11:00",
                           "daily 2030-01-16 11:00", "monday 2030-01-14 10:00"};
    }

    void execute()
    {
        QFETCH(QString, schedules);
        QFETCH(int, answer);
        QFETCH(QStringList, boxes);
        QFETCH(bool, running);
        QFETCH(QStringList, expanded);
        startWindow();
        const QString all = CScheduleTargetText::AllProjectors();
        if (schedules == "disabled")
            addSchedules({weeklySchedule(all, EVERY_DAY, QTime(11, 0), false)});
        if (schedules == "resting") {
            addSchedules({weeklySchedule(all, MONDAY, QTime(10, 0))});
            hub()->m_pNoOperatingDate->Add(dayOffset(QDate(2030, 1, 14)));
        }
        if (schedules == "normal")
            addSchedules({weeklySchedule(all, EVERY_DAY, QTime(11, 0), true, "daily"),
                          weeklySchedule(CScheduleTargetText::Group("Floor 1"), MONDAY, QTime(10, 0), true, "monday")});
        ui()->tabMain->setCurrentWidget(ui()->tabPropery);
        const QIcon floorBefore = floorNode()->icon();
        ScriptedMessageBoxes shown;
        shown.answers << QMessageBox::StandardButton(answer);
        RequestRecorder recorder;
        ui()->actMenuScheduleExecute->trigger();

        QCOMPARE(boxTexts(shown), boxes);
        QCOMPARE(hub()->m_ScheduleRunning, running);
        QCOMPARE(instances(), expanded);
        QCOMPARE(storedAutoExecute(), running ? QString("true") : QString("-"));
        QCOMPARE(m_Window->actTBScheduleCancel->isEnabled(), running);
        QCOMPARE(trayShowsRunning(), running);
        if (!running) {
            QVERIFY(recorder.requests.isEmpty());
            return;
        }
        QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabSchedule);
        // The unconnected projectors are polled, then the runner starts at the clock's now.
        QVERIFY(recorder.requests.size() >= 2);
        QVERIFY(!recorder.requests.first().startsWith("144 "));
        QCOMPARE(recorder.requests.last(), QString("144 [0] 1 0 - 0 0"));
        QCOMPARE(recorder.parameters.last().value(0).ToDateTime(), SCHEDULE_NOW);
        // A group with schedules shows that they run.
        QCOMPARE(sameImage(floorNode()->icon(), floorBefore), schedules != "normal");
        if (schedules == "normal")
            QCOMPARE(listed().size(), 8);
    }

    // The stored value is written when it changes, and only then; a stop
    // needs the operator's OK and keeps the instances.
    void stopAndTheStoredValue()
    {
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), EVERY_DAY, QTime(11, 0))});
        ScriptedMessageBoxes shown;
        ui()->actMenuScheduleExecute->trigger();
        QVERIFY(hub()->m_ScheduleRunning);
        QCOMPARE(storedAutoExecute(), QString("true"));
        const QStringList expanded = instances();
        QVERIFY(trayShowsRunning());

        QVERIFY(QFile::remove(CLumivox5Reg::SettingsFilePath()));
        RequestRecorder recorder;
        shown.answers << QMessageBox::Cancel;
        ui()->actMenuScheduleCancel->trigger();
        QCOMPARE(boxTexts(shown).last(), QString("Do you cancel the schedule?"));
        QVERIFY(hub()->m_ScheduleRunning);
        QVERIFY(recorder.requests.isEmpty());
        QVERIFY(trayShowsRunning());
        QVERIFY(!QFileInfo::exists(CLumivox5Reg::SettingsFilePath()));

        shown.answers << QMessageBox::Ok;
        ui()->actMenuScheduleCancel->trigger();
        QVERIFY(!hub()->m_ScheduleRunning);
        QCOMPARE(recorder.requests, QStringList{"145 - 1 0 - 0 0"});
        QCOMPARE(instances(), expanded);
        QVERIFY(!trayShowsRunning());
        QCOMPARE(storedAutoExecute(), QString("false"));
        QVERIFY(m_Window->actTBScheduleStart->isEnabled());
    }

    // Stored on, the next start resumes; with no schedules it warns once and
    // clears the stored value.
    void resumeAtStart_data()
    {
        QTest::addColumn<bool>("withSchedule");
        QTest::newRow("a schedule: running, Property page") << true;
        QTest::newRow("no schedule: warned, cleared") << false;
    }

    void resumeAtStart()
    {
        QFETCH(bool, withSchedule);
        m_Fixture->saveSettings([](CLumivox5Data* h) {
            h->m_AutoExecuteSchedule = true;
            h->WriteRegistryFunc(CLumivox5Reg::REG_AUTO_EXECUTE);
        });
        if (withSchedule)
            QVERIFY(writeScheduleFile(scheduleFile(),
                                      {weeklySchedule(CScheduleTargetText::AllProjectors(), EVERY_DAY, QTime(11, 0))}, {}));
        ScriptedMessageBoxes shown;
        startWindow();
        QCOMPARE(hub()->m_ScheduleRunning, withSchedule);
        QCOMPARE(shown.shown.size(), withSchedule ? 0 : 1);
        QCOMPARE(storedAutoExecute(), withSchedule ? QString("true") : QString("false"));
        QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabPropery);
    }

    void newDay_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("running: restarted from midnight") << true;
        QTest::newRow("off: emptied, the computed week shown") << false;
    }

    void newDay()
    {
        QFETCH(bool, running);
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), EVERY_DAY, QTime(0, 30), true, "early")});
        ScriptedMessageBoxes shown;
        ui()->actMenuScheduleExecute->trigger();
        QVERIFY(!instances().contains("early 2030-01-09 00:30"));
        if (!running) {
            shown.answers << QMessageBox::Ok;
            ui()->actMenuScheduleCancel->trigger();
        }
        RequestRecorder recorder;
        m_Window->f_OnDateUpdateProc();
        if (running) {
            QCOMPARE(recorder.requests, QStringList({"145 - 1 0 - 0 0", "144 [0] 1 0 - 0 0"}));
            QCOMPARE(instances().size(), 7);
            QVERIFY(instances().contains("early 2030-01-09 00:30"));
            QVERIFY(instances().contains("early 2030-01-15 00:30"));
        } else {
            QVERIFY(recorder.requests.isEmpty());
            QVERIFY(instances().isEmpty());
            QCOMPARE(listed().size(), 7);
        }
    }

    void listRefresh_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<QStringList>("comments");
        const QStringList all{"all", "floor", "lobby", "stage", "store"};
        QTest::newRow("All Projectors, computed week") << "all" << false << all;
        QTest::newRow("All Projectors, the runner's instances") << "all" << true << all;
        QTest::newRow("a group: its schedules and its enabled members'") << "group" << false
                                                                          << QStringList{"floor", "lobby"};
        QTest::newRow("a group, the runner's instances") << "group" << true << QStringList{"floor", "lobby"};
        QTest::newRow("the Group node: no addresses, no group path matches") << "groups" << false << QStringList();
    }

    // What the week list shows for the selected node.
    void listRefresh()
    {
        QFETCH(QString, node);
        QFETCH(bool, expanded);
        QFETCH(QStringList, comments);
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0), true, "all"),
                      weeklySchedule(CScheduleTargetText::Group("Floor 1"), MONDAY, QTime(9, 0), true, "floor"),
                      weeklySchedule("10.0.0.1", MONDAY, QTime(9, 0), true, "lobby"),
                      weeklySchedule("10.0.0.3", MONDAY, QTime(9, 0), true, "stage"),
                      weeklySchedule("10.0.0.4", MONDAY, QTime(9, 0), true, "store")});
        if (expanded)
            QVERIFY(m_Window->f_ScheduleExecuteData(false, false));
        QAbstractItemModel* tree = ui()->treeViewGroup->model();
        const QModelIndex groupNode = tree->index(CGroupTreeView::ROW_GROUP, 0);
        selectTreeNode(node == "all" ? tree->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0)
                                     : node == "group" ? tree->index(0, 0, groupNode) : groupNode);
        ui()->tabMain->setCurrentWidget(ui()->tabPropery);
        m_Window->f_UpdateScheduleList();
        ui()->tabMain->blockSignals(true);
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        ui()->tabMain->blockSignals(false);
        const QStringList before = listed();
        m_Window->f_UpdateScheduleList();
        QStringList shown;
        for (const QString& row : listed())
            shown << row.section(QLatin1Char(' '), -1);
        shown.sort();
        QCOMPARE(shown, comments);
        // Shown only on its page: the refresh above the page change did nothing.
        QCOMPARE(before, QStringList());
        QCOMPARE(hub()->m_pScheduleExcuteManager->f_GetScheduleMap().size(), expanded ? 5 : 0);
    }

    // A burst of results refreshes the list once, 3 s after the first.
    void resultBurstRefreshesOnce()
    {
        startWindow();
        QTimer* timer = m_Window->m_tmrUpdateScheduleList;
        QVERIFY(!timer->isActive());
        m_Window->f_OnTimerUpdateScheduleList();
        QTest::qWait(600);
        m_Window->f_OnTimerUpdateScheduleList();
        m_Window->f_OnTimerUpdateScheduleList();
        QVERIFY(timer->isActive());
        QVERIFY(timer->remainingTime() < 2600);
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        selectTreeNode(ui()->treeViewGroup->model()->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0));
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0))});
        QCOMPARE(listed().size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(listed().size(), 1, 4000);
        QVERIFY(!timer->isActive());
    }

    void editorOpener_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted: copied back, instances emptied") << true;
        QTest::newRow("rejected: nothing changes") << false;
    }

    void editorOpener()
    {
        QFETCH(bool, accept);
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), EVERY_DAY, QTime(11, 0), true, "kept")});
        QVERIFY(m_Window->f_ScheduleExecuteData(false, false));
        bool seen = false;
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            auto* dialog = qobject_cast<FormSchedule*>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            seen = true;
            QVERIFY(hub()->m_ModalDialog);
            QCOMPARE(commentsOf(dialog->m_ScheduleManager), QStringList{"kept"});
            QCOMPARE(dialog->m_DataFunctions, m_Window->m_DataThread);
            dialog->m_ScheduleManager->f_GetScheduleMap().value(0)->Comment = "edited";
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        ui()->actMenuScheduleEdit->trigger();
        QVERIFY(seen);
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(commentsOf(hub()->m_pScheduleManager), QStringList{accept ? "edited" : "kept"});
        QCOMPARE(hub()->m_pScheduleExcuteManager->f_GetScheduleMap().isEmpty(), accept);
    }

    void calendarOpener_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted: the days replaced") << true;
        QTest::newRow("cancelled: the days kept") << false;
    }

    void calendarOpener()
    {
        QFETCH(bool, accept);
        startWindow();
        hub()->m_pNoOperatingDate->Add(dayOffset(QDate(2030, 1, 10)));
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            auto* dialog = qobject_cast<FormCalendar*>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            QVERIFY(dialog->m_NoOperatingDate->IsNoOperatingDate(dayOffset(QDate(2030, 1, 10))));
            dialog->m_NoOperatingDate->Remove(dayOffset(QDate(2030, 1, 10)));
            dialog->m_NoOperatingDate->Add(dayOffset(QDate(2030, 1, 12)));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        ui()->actMenuScheduleSettingNoOperatingDate->trigger();
        QCOMPARE(noOperatingDays(hub()->m_pNoOperatingDate, QDate(2030, 1, 1), 31),
                 accept ? QList<QDate>{QDate(2030, 1, 12)} : QList<QDate>{QDate(2030, 1, 10)});
    }

    void virtualTimeSetting_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted: virtual time from the start") << true;
        QTest::newRow("cancelled: the clock as it was, after a second") << false;
    }

    void virtualTimeSetting()
    {
        QFETCH(bool, accept);
        startWindow({"/VT"});
        CVirtualTime* clock = m_Window->m_DataThread->GetVirtualTime();
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            auto* dialog = qobject_cast<VirtualTimeSetting*>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            QVERIFY(!clock->IsRunning());
            dialog->findChild<QCheckBox*>("chkTimeBase")->setChecked(false);
            dialog->findChild<QDateEdit*>("dateStartDate")->setDate(QDate(2030, 1, 7));
            dialog->findChild<QTimeEdit*>("dateStartTime")->setTime(QTime(9, 59, 50));
            dialog->findChild<QLineEdit*>("txtAcceleration")->setText("5");
            auto* box = dialog->findChild<QDialogButtonBox*>("buttonBox");
            box->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        QElapsedTimer elapsed;
        elapsed.start();
        ui()->actMenuHelpVirtualTimeSetting->trigger();
        QVERIFY(elapsed.elapsed() >= 900);
        QVERIFY(clock->IsRunning());
        QCOMPARE(clock->m_Counter, 0);
        QCOMPARE(ui()->actMenuHelpVirtualTime->isChecked(), accept);
        QCOMPARE(clock->m_VirtualTimeOn, accept);
        QCOMPARE(clock->m_BasedOnNow, !accept);
        QCOMPARE(clock->m_Acceleration, accept ? 5 : 1);
        if (accept) {
            clock->f_OnTimerUpdateDelay();
            QCOMPARE(clock->GetNowTime(), QDateTime(QDate(2030, 1, 7), QTime(9, 59, 55)));
            // The setting entry is closed while virtual time runs.
            m_Window->f_UpdateMenuHelpDropDown();
            QVERIFY(!ui()->actMenuHelpVirtualTimeSetting->isEnabled());
            ui()->actMenuHelpVirtualTime->trigger();
            QVERIFY(!clock->m_VirtualTimeOn);
        }
    }

    void logFolderLookup_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("found");
        QTest::newRow("an existing folder") << "folder" << true;
        QTest::newRow("an existing file") << "file" << true;
        QTest::newRow("a missing folder") << "missing" << false;
    }

    void logFolderLookup()
    {
        QFETCH(QString, entry);
        QFETCH(bool, found);
        const QString path = m_Fixture->path("schedule logs");
        if (entry == "folder")
            QVERIFY(QDir().mkpath(path));
        if (entry == "file")
            QVERIFY(CTestFolders::writeFile(path, "x"));
        m_Fixture->saveSettings([&](CLumivox5Data* h) { h->m_pOptionSettings->m_SaveScheduleLogPath = path; });
        startWindow();
        QCOMPARE(m_Window->f_GetScheduleExecutionHistoryLogPath(), found ? path : QString());
        QCOMPARE(m_Window->f_IsScheduleExecutionHistoryLogExists(), found);
        QCOMPARE(m_Window->f_OnScheduleLogExists(), found);
    }

    void import_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("schedules");
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<bool>("pathStored");
        const QString overwrite = "The existing schedule will be overwritten by imported data.\nDo you want to proceed?";
        const QString readDays = "Read the No Operating Date?";
        const QString done = "Schedule Import has been completed.";
        const QList<QDate> old{QDate(2030, 1, 10)};
        const QList<QDate> fromFile{QDate(2030, 1, 11), QDate(2030, 1, 12)};
        QTest::newRow("Cancel to the question: nothing read")
            << "with days" << QList<int>{QMessageBox::Cancel} << QStringList{overwrite} << QStringList{"old"} << old
            << false;
        QTest::newRow("Cancel in the file dialog: nothing read")
            << "cancel" << QList<int>{QMessageBox::Ok} << QStringList{overwrite} << QStringList{"old"} << old << false;
        QTest::newRow("with days, OK: schedules and days")
            << "with days" << QList<int>{QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok}
            << QStringList{overwrite, readDays, done} << QStringList{"a", "b"} << fromFile << true;
        QTest::newRow("with days, Cancel: schedules only")
            << "with days" << QList<int>{QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Ok}
            << QStringList{overwrite, readDays, done} << QStringList{"a", "b"} << old << true;
        QTest::newRow("without days: no second question")
            << "no days" << QList<int>{QMessageBox::Ok, QMessageBox::Ok} << QStringList{overwrite, done}
            << QStringList{"a", "b"} << old << true;
        QTest::newRow("no schedules: none left")
            << "empty" << QList<int>{QMessageBox::Ok, QMessageBox::Ok} << QStringList{overwrite, done}
            << QStringList() << old << true;
        QTest::newRow("foreign file: failed, nothing changes")
            << "foreign" << QList<int>{QMessageBox::Ok, QMessageBox::Ok}
            << QStringList{overwrite, "Schedule Import has been failed."} << QStringList{"old"} << old << false;
    }

    void import()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, schedules);
        QFETCH(QList<QDate>, days);
        QFETCH(bool, pathStored);
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), EVERY_DAY, QTime(11, 0), true, "old")});
        hub()->m_pNoOperatingDate->Add(dayOffset(QDate(2030, 1, 10)));
        QVERIFY(m_Window->f_ScheduleExecuteData(false, false));
        const QString chosen = m_Fixture->path("imports/chosen.scd");
        if (file == "foreign") {
            QVERIFY(QDir().mkpath(m_Fixture->path("imports")));
            QVERIFY(CTestFolders::writeFile(chosen, "[Header Info]\nMagicCode=other\n"));
        } else if (file != "cancel") {
            QList<CScheduleData*> list;
            if (file != "empty")
                list = {weeklySchedule("10.0.0.1", MONDAY, QTime(8, 0), true, "a"),
                        weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0), true, "b")};
            QVERIFY(writeScheduleFile(chosen, list,
                                      file == "with days" ? QList<QDate>{QDate(2030, 1, 11), QDate(2030, 1, 12)}
                                                          : QList<QDate>()));
        }
        const QString pathBefore = hub()->m_ScheduleFilePath;
        ScriptedMessageBoxes shown;
        for (int answer : answers)
            shown.answers << QMessageBox::StandardButton(answer);
        ScriptedFileDialogs files;
        files.answers << CFileDialogs::Answer{file == "cancel" ? QString() : chosen, QString()};
        ui()->actMenuFileImportSchedule->trigger();
        QCOMPARE(boxTexts(shown), boxes);
        QCOMPARE(files.asked.size(), answers.first() == QMessageBox::Ok ? 1 : 0);
        QCOMPARE(commentsOf(hub()->m_pScheduleManager), schedules);
        QCOMPARE(noOperatingDays(hub()->m_pNoOperatingDate, QDate(2030, 1, 1), 31), days);
        QCOMPARE(hub()->m_ScheduleFilePath, pathStored ? chosen : pathBefore);
        QCOMPARE(hub()->m_pScheduleExcuteManager->f_GetScheduleMap().isEmpty(), pathStored);
        QVERIFY(!hub()->m_ModalDialog);
        if (pathStored) {
            // The next dialog opens in that folder.
            files.answers << CFileDialogs::Answer{QString(), QString()};
            ui()->actMenuFileExportSchedule->trigger();
            QCOMPARE(files.asked.last().directory, m_Fixture->path("imports/Schedule.scd"));
        }
    }

    void exportFile_data()
    {
        QTest::addColumn<QString>("filterChosen");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("pathStored");
        const QByteArray utf16Bom("\xFF\xFE", 2);
        QTest::newRow("schedule files: UTF-16")
            << "schedule list files(*.scd)" << "Hall" << "out/a.scd" << utf16Bom
            << "Schedule Export has been completed." << true;
        QTest::newRow("all files: UTF-16")
            << "all files(*.*)" << "Hall" << "out/a.scd" << utf16Bom << "Schedule Export has been completed." << true;
        QTest::newRow("ANSI: Shift_JIS")
            << "Lumivox 4 compatible(*.scd)" << "Hall" << "out/a.scd" << QByteArray("[")
            << "Schedule Export has been completed." << true;
        QTest::newRow("ANSI with a character it lacks: warned, written")
            << "Lumivox 4 compatible(*.scd)" << QString::fromUtf8("Hall \xe2\x82\xac") << "out/a.scd"
            << QByteArray("[")
            << "Schedule Export has been completed.\nThe character that was not able to be converted was replaced "
               "with \"?\"."
            << true;
        QTest::newRow("a folder in the way: failed, path kept")
            << "schedule list files(*.scd)" << "Hall" << "out/blocked" << QByteArray()
            << "Schedule Export has been failed." << false;
    }

    void exportFile()
    {
        QFETCH(QString, filterChosen);
        QFETCH(QString, comment);
        QFETCH(QString, target);
        QFETCH(QByteArray, start);
        QFETCH(QString, box);
        QFETCH(bool, pathStored);
        startWindow();
        addSchedules({weeklySchedule(CScheduleTargetText::AllProjectors(), MONDAY, QTime(9, 0), true, comment)});
        hub()->m_pNoOperatingDate->Add(dayOffset(QDate(2030, 1, 10)));
        QVERIFY(QDir().mkpath(m_Fixture->path("out/blocked/inside")));
        const QString chosen = m_Fixture->path(target);
        const QString pathBefore = hub()->m_ScheduleFilePath;
        ScriptedMessageBoxes shown;
        ScriptedFileDialogs files;
        files.answers << CFileDialogs::Answer{chosen, filterChosen};
        ui()->actMenuFileExportSchedule->trigger();
        QCOMPARE(files.asked.size(), 1);
        QCOMPARE(files.asked.first().filter,
                 QString("schedule list files(*.scd);;all files(*.*);;Lumivox 4 compatible(*.scd)"));
        QCOMPARE(files.asked.first().directory, QFileInfo(pathBefore).absolutePath() + "/Schedule.scd");
        QCOMPARE(boxTexts(shown), QStringList{box});
        QCOMPARE(hub()->m_ScheduleFilePath, pathStored ? chosen : pathBefore);
        if (!pathStored) {
            QVERIFY(QFileInfo(chosen + "/inside").isDir());
            return;
        }
        QVERIFY(CTestFolders::readFile(chosen).startsWith(start));
        CScheduleFile reread(QFileInfo(chosen).absolutePath(), QFileInfo(chosen).fileName());
        QVERIFY(reread.LoadScheduleFile(true));
        QCOMPARE(commentsOf(reread.m_pScheduleManager).size(), 1);
        QCOMPARE(reread.m_HolidayList, QList<qint32>{dayOffset(QDate(2030, 1, 10))});
    }

    // A schedule made in the dialogs, virtual time set in its dialog, Execute:
    // at virtual 10:00 the projectors are switched on and the log says so.
    void scheduleEndToEnd()
    {
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        const QString logs = m_Fixture->path("schedule logs");
        QVERIFY(QDir().mkpath(logs));
        m_Fixture->saveSettings([&](CLumivox5Data* h) {
            h->m_pOptionSettings->m_SaveScheduleLog = true;
            h->m_pOptionSettings->m_SaveScheduleLogPath = logs;
        });
        QVERIFY(m_Fixture->writeUserList("[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"));
        m_Window = m_Fixture->makeWindow({"/VT"});
        QVERIFY(m_Window->m_blnProfileLoaded);

        CProjectorSimulator simulator;
        std::vector<std::unique_ptr<CSimProjectorModel>> models;
        struct Teardown
        {
            std::unique_ptr<Lumivox5Main>& window;
            ~Teardown() { window.reset(); }
        } teardown{m_Window};
        QStringList addresses;
        for (int i = 0; i < 3; ++i) {
            models.emplace_back(new CSimProjectorModel(CSimModelSpec::Shipped(QStringLiteral("LV-L100"))));
            CSimProjectorModel* model = models.back().get();
            CSimulatedProjector* projector =
                simulator.AddProjector(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + i)), 0);
            QVERIFY(projector);
            projector->SetHandler([model](const QByteArray& request) { return model->Answer(request); });
            QVERIFY(hub()->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP, projector->AddressText(),
                                        projector->PortText(), true, QString()));
            addresses << projector->AddressText();
        }
        m_Window->f_ShowAllProjectors();

        // Schedule > Edit... > Add...: Monday 10:00, power on, all projectors.
        bool edited = false;
        GuiTestSupport::OnNextPopup([&](QWidget* list) {
            QVERIFY(qobject_cast<FormSchedule*>(list));
            GuiTestSupport::OnNextPopup([&](QWidget* editor) {
                QVERIFY(qobject_cast<FormScheduleEdit*>(editor));
                QCOMPARE(editor->findChild<QComboBox*>("cmbTargetGroup")->currentText(),
                         CScheduleTargetText::AllProjectors());
                for (const char* day : {"chkSunday", "chkMonday", "chkTuesday", "chkWednesday", "chkThursday",
                                        "chkFriday", "chkSaturday"})
                    editor->findChild<QCheckBox*>(day)->setChecked(QByteArray(day) == "chkMonday");
                editor->findChild<QSpinBox*>("udcHour")->setValue(10);
                editor->findChild<QSpinBox*>("udcMinute")->setValue(0);
                editor->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
                edited = true;
            });
            list->findChild<QPushButton*>("btnNew")->click();
            list->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        ui()->actMenuScheduleEdit->trigger();
        QVERIFY(edited);
        QCOMPARE(hub()->m_pScheduleManager->f_GetScheduleMap().size(), 1);

        // Help > Virtual Time Setting...: 2030-01-07 09:59:50, five seconds a tick.
        CVirtualTime* clock = m_Window->m_DataThread->GetVirtualTime();
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            QVERIFY(qobject_cast<VirtualTimeSetting*>(widget));
            widget->findChild<QCheckBox*>("chkTimeBase")->setChecked(false);
            widget->findChild<QDateEdit*>("dateStartDate")->setDate(QDate(2030, 1, 7));
            widget->findChild<QTimeEdit*>("dateStartTime")->setTime(QTime(9, 59, 50));
            widget->findChild<QLineEdit*>("txtAcceleration")->setText("5");
            widget->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        ui()->actMenuHelpVirtualTimeSetting->trigger();
        // The test ticks the clock itself.
        clock->Stop();
        clock->f_OnTimerUpdateDelay();
        QCOMPARE(clock->GetNowTime(), QDateTime(QDate(2030, 1, 7), QTime(9, 59, 55)));
        QTest::qWait(50);

        ScriptedMessageBoxes shown;
        ui()->actMenuScheduleExecute->trigger();
        QVERIFY(hub()->m_ScheduleRunning);
        QCOMPARE(instances(), QStringList{" 2030-01-07 10:00"});
        // Execute polled the projectors; they answer before 10:00.
        for (CProjectorData* record : qAsConst(*hub()->m_pProjectorDatas))
            QTRY_COMPARE_WITH_TIMEOUT(record->m_ConnectState, int(CProjectorData::CONNECT_STATE_CONNECTED), 10000);
        clock->f_OnTimerUpdateDelay();
        QCOMPARE(clock->GetNowTime(), QDateTime(QDate(2030, 1, 7), QTime(10, 0)));

        for (const auto& model : models)
            QTRY_COMPARE_WITH_TIMEOUT(model->State().power != CSimProjectorState::POWER_STANDBY, true, 10000);
        const QString logFile = logs + "/SCHE20300107.log";
        const auto okLines = [&] {
            QFile file(logFile);
            QStringList lines;
            if (file.open(QIODevice::ReadOnly)) {
                const QString text = QTextCodec::codecForName("UTF-16")->toUnicode(file.readAll());
                for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                    for (const QString& address : addresses) {
                        if (line.contains(address + QLatin1Char(',')) && line.contains(QLatin1String("OK,")))
                            lines << address;
                    }
                }
            }
            lines.sort();
            return lines;
        };
        QTRY_COMPARE_WITH_TIMEOUT(okLines(), addresses, 15000);
        QVERIFY(shown.shown.isEmpty());
    }
};

QTEST_MAIN(tst_Lumivox5MainSchedule)
#include "tst_Lumivox5MainSchedule.moc"
