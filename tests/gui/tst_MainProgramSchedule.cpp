#include <QtTest>

#include "AppPaths.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "COptionSettings.h"
#include "CPlistSettingsFormat.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QTextCodec>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QString MAIN_TITLE = QStringLiteral("^Lumivox 5$");

} // namespace

// The built program on a virtual display with virtual time allowed, driven by
// keys alone: a schedule made in the schedule dialogs runs at a virtual time
// against three simulated projectors, is saved at exit and runs again at the
// next start.
class tst_MainProgramSchedule : public QObject
{
    Q_OBJECT

private:
    XvfbSession m_Session;

    // Keeps a picture of the screen for a failed step.
    void keepScreen(const QString& step)
    {
        const QString path = QDir::temp().filePath(QStringLiteral("tst_MainProgramSchedule-%1.png").arg(step));
        if (m_Session.Screenshot(path))
            qWarning("screen kept in %s", qPrintable(path));
    }

    // The visible windows titled like the main window other than `window`
    // (the program's message boxes bear its name).
    QStringList boxes(const QString& window)
    {
        QStringList shown = m_Session.Windows(MAIN_TITLE);
        shown.removeAll(window);
        return shown;
    }

    // Gives the window the keys; false with a warning when they could not be sent.
    bool keys(const QString& window, const QStringList& names)
    {
        if (m_Session.SendKeys(window, names))
            return true;
        qWarning("%s", qPrintable(m_Session.Error()));
        return false;
    }

    // Whether the projector was asked to power on.
    static bool hasPowerOn(const CSimulatedProjector& projector)
    {
        const QList<QByteArray> requests = projector.Requests();
        return std::any_of(requests.begin(), requests.end(),
                           [](const QByteArray& request) { return request.startsWith(QByteArray("\x02\x00", 2)); });
    }

    // The addresses of the schedule log's OK lines of 10:00, one entry a line.
    static QStringList okLines(const QString& log, const QStringList& addresses)
    {
        QStringList found;
        const QString text = QTextCodec::codecForName("UTF-16")->toUnicode(CTestFolders::readFile(log));
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            for (const QString& address : addresses) {
                if (line.startsWith(QLatin1String("2030/01/07, 10:00:")) && line.contains(address + QLatin1Char(','))
                    && line.contains(QLatin1String("OK,")))
                    found << address;
            }
        }
        found.sort();
        return found;
    }

    // The auto-execute value stored in the copy's settings file; absent reads as "-".
    static QString storedAutoExecute(const ProgramCopy& copy)
    {
        AppPaths::setProgramFolder(copy.ProgramFolder());
        const QString path = CLumivox5Reg::SettingsFilePath();
        AppPaths::setProgramFolder(QString());
        QSettings settings(path, CPlistSettingsFormat::Format());
        const QString key = CLumivox5Reg::APPREG_KEY_SCHEDULE + QStringLiteral("/AutoExecuteSchedule");
        return settings.contains(key) ? (settings.value(key).toBool() ? "true" : "false") : "-";
    }

private slots:
    void initTestCase()
    {
        ProgramCopy::StartDisplayForTestCase(m_Session);
    }

    void scheduleRunsAtVirtualTimeAndResumesAtTheNextStart()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        std::vector<std::unique_ptr<CSimProjectorModel>> models;
        std::vector<std::unique_ptr<CSimulatedProjector>> projectors;
        QStringList addresses;
        for (int n = 0; n < 3; ++n) {
            models.emplace_back(new CSimProjectorModel(CSimModelSpec::Shipped(QStringLiteral("LV-L100"))));
            CSimProjectorModel* model = models.back().get();
            projectors.emplace_back(new CSimulatedProjector(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + n)),
                                                            projectors.empty() ? 0 : projectors.front()->Port()));
            projectors.back()->SetHandler([model](const QByteArray& request) { return model->Answer(request); });
            QVERIFY2(projectors.back()->Start(), qPrintable(projectors.back()->ErrorString()));
            addresses << projectors.back()->AddressText();
        }

        // The three in the user list; the schedule log on, into a folder of its own.
        const QString logs = copy.Path(QStringLiteral("schedule logs"));
        QVERIFY(QDir().mkpath(logs));
        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        {
            auto hub = CTestFolders::makeHub();
            QVERIFY2(FleetUserList::Write(hub.get(), 3, projectors.front()->Address(), projectors.front()->Port(),
                                          &error),
                     qPrintable(error));
            hub->m_pOptionSettings->m_SaveScheduleLog = true;
            hub->m_pOptionSettings->m_SaveScheduleLogPath = logs;
            *hub->m_pReg->m_pOptionSettings = *hub->m_pOptionSettings;
            QVERIFY(!hub->m_pReg->Write(CLumivox5Reg::REG_OPTION));
        }
        const QString scheduleFile = QFileInfo(copy.UserListPath()).absolutePath() + QStringLiteral("/Schedule.scd");
        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());

        QProcess* program = copy.Launch(m_Session, {QStringLiteral("/VT")});
        const QString window = m_Session.WaitForWindow(MAIN_TITLE, 60000);
        QVERIFY2(!window.isEmpty(), program->readAllStandardError().right(2000).constData());
        const QSize mainSize = m_Session.Geometry(window).size();

        // Help > Virtual Time Setting... (the menu's last entry): not from
        // now but from 2030/01/07 09:57:00, six seconds a tick, so that the
        // clock passes 10:00:00 exactly, 30 ticks after OK. The dialog opens
        // with the focus on OK: back past the acceleration to the "current
        // time" box.
        QVERIFY(keys(window, {"alt+h", "Up", "Return"}));
        const QString setting = m_Session.WaitForWindow(QStringLiteral("^Virtual Time Setting$"), 20000);
        if (setting.isEmpty())
            keepScreen(QStringLiteral("virtual-time"));
        QVERIFY(!setting.isEmpty());
        // The date and time edits move on by themselves when a field is full.
        QVERIFY(keys(setting, {"shift+Tab", "shift+Tab", "space", "Tab", "2", "0", "3", "0", "0", "1", "0", "7", "Tab",
                               "0", "9", "5", "7", "0", "0", "Tab", "ctrl+a", "6", "alt+o"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Virtual Time Setting$")).isEmpty(), 20000);

        // Schedule > Edit... > Add...: the new schedule is for All
        // Projectors, on its own day (the virtual Monday) and powers on; its
        // time becomes 10:00.
        QVERIFY(keys(window, {"alt+s", "e"}));
        const QString list = m_Session.WaitForWindow(QStringLiteral("^Edit a schedule$"), 20000);
        if (list.isEmpty())
            keepScreen(QStringLiteral("schedule-list"));
        QVERIFY(!list.isEmpty());
        QVERIFY(keys(list, {"alt+a"}));
        const QString editor = m_Session.WaitForWindow(QStringLiteral("^Add$"), 20000);
        if (editor.isEmpty())
            keepScreen(QStringLiteral("schedule-editor"));
        QVERIFY(!editor.isEmpty());
        // Back from the first field, past the buttons, the enable box, the
        // comment and both function lists to the hour.
        QStringList back;
        for (int n = 0; n < 8; ++n)
            back << QStringLiteral("shift+Tab");
        QVERIFY(keys(editor, back + QStringList{"ctrl+a", "1", "0", "Tab", "ctrl+a", "0", "0", "alt+o"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Add$")).isEmpty(), 20000);
        QVERIFY(keys(list, {"alt+o"}));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Edit a schedule$")).isEmpty(), 20000);

        // Schedule > Execute: stored at once for the next start.
        QVERIFY(keys(window, {"alt+s", "x"}));
        QTRY_COMPARE_WITH_TIMEOUT(storedAutoExecute(copy), QString("true"), 20000);
        for (const auto& projector : projectors)
            QVERIFY(!hasPowerOn(*projector));

        // At virtual 10:00 each projector is switched on, and the day's log
        // has one OK line for each, written at 10:00.
        QTRY_VERIFY2_WITH_TIMEOUT(
            std::all_of(models.begin(), models.end(),
                        [](const std::unique_ptr<CSimProjectorModel>& model) {
                            return model->State().power == CSimProjectorState::POWER_ON;
                        }),
            program->readAllStandardError().right(3000).constData(), 60000);
        for (const auto& projector : projectors)
            QVERIFY2(hasPowerOn(*projector), qPrintable(projector->AddressText()));
        const QString log = logs + QStringLiteral("/SCHE20300107.log");
        QTRY_COMPARE_WITH_TIMEOUT(okLines(log, addresses), addresses, 20000);
        if (!boxes(window).isEmpty())
            keepScreen(QStringLiteral("box"));
        QVERIFY(boxes(window).isEmpty());

        // File > Exit asks, as the schedule stops with the program: OK. The
        // schedule is saved.
        QVERIFY(keys(window, {"alt+f", "x"}));
        QString question;
        QTRY_VERIFY_WITH_TIMEOUT(!(question = boxes(window).value(0)).isEmpty(), 20000);
        QVERIFY(keys(question, {"Tab", "space"}));
        QVERIFY(ProgramCopy::Finish(program, 30000));
        QCOMPARE(program->exitCode(), 0);
        CScheduleFile saved(QFileInfo(scheduleFile).absolutePath(), QFileInfo(scheduleFile).fileName());
        QVERIFY(saved.LoadScheduleFile(true));
        const QList<CScheduleData*> schedules = saved.m_pScheduleManager->f_GetScheduleMap().values();
        QCOMPARE(schedules.size(), 1);
        const CScheduleData& schedule = *schedules.first();
        QCOMPARE(schedule.TargetName, QStringLiteral("All Projectors"));
        QCOMPARE(schedule.DayOfWeek, CScheduleData::WeekdayBit(QDate(2030, 1, 7)));
        QCOMPARE(schedule.ExecuteTime, QTime(10, 0));
        QCOMPARE(schedule.StartDay.date(), QDate(2030, 1, 7));
        QVERIFY(schedule.Enable);
        QCOMPARE(storedAutoExecute(copy), QString("true"));

        // Started again (without virtual time), it executes the schedule at
        // once. Schedule > Cancel, open only while a schedule runs, asks;
        // OK stops it, which is stored for the start after, and the exit no
        // longer asks.
        program = copy.Launch(m_Session);
        const QString again = m_Session.WaitForWindow(MAIN_TITLE, 60000);
        QVERIFY2(!again.isEmpty(), program->readAllStandardError().right(2000).constData());
        QCOMPARE(m_Session.Geometry(again).size(), mainSize);
        QVERIFY(keys(again, {"alt+s", "c"}));
        QTRY_VERIFY_WITH_TIMEOUT(!(question = boxes(again).value(0)).isEmpty(), 20000);
        QVERIFY(keys(question, {"Tab", "space"}));
        QTRY_COMPARE_WITH_TIMEOUT(storedAutoExecute(copy), QString("false"), 20000);
        QVERIFY(keys(again, {"alt+f", "x"}));
        QVERIFY(ProgramCopy::Finish(program, 30000));
        QCOMPARE(program->exitCode(), 0);
    }
};

QTEST_MAIN(tst_MainProgramSchedule)
#include "tst_MainProgramSchedule.moc"
