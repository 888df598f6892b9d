// Schedule control in the main window over 2000 projectors in 100 groups and
// 1000 schedules (100 of them for one group): Execute, a new day while
// running, the week list refreshed for All Projectors (7000 instances) and
// for that group (700), and the import of the largest schedule file (1001
// schedules with 40-character comments, every day from 2000 to 2050 a
// no-operating day) with its list refresh. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"
#include "RaiseOpenFileLimit.h"
#include "ScheduleListView.h"

namespace {

const int FLEET = 2000;
const int GROUPS = 100;
const int RUNS = 5;

// Projector n (1 to 2000) at 10.a.b.c in group (n - 1) % 100 + 1, "Group 001" to "Group 100".
QByteArray FleetInGroups()
{
    return UserListText(
        FLEET,
        [](int n) {
            return ListedProjector{QStringLiteral("PJ%1").arg(n, 3, 10, QLatin1Char('0')),
                                   QStringLiteral("10.1.%1.%2").arg(n / 250).arg(n % 250 + 1), (n - 1) % GROUPS + 1};
        },
        GROUPS, [](int g) { return QStringLiteral("Group %1").arg(g, 3, 10, QLatin1Char('0')); });
}

// A daily schedule at a time of its own.
CScheduleData* Daily(int i, const QString& target, int type)
{
    auto* s = new CScheduleData(QDateTime(QDate(2024, 3, 13), QTime(8, 0)));
    s->TargetType = type;
    s->TargetName = target;
    s->Function = 1 + i % 11;
    s->DurationType = CScheduleData::DURATION_TYPE::Weekly;
    s->DayOfWeek = 0x7F;
    s->ExecuteTime = QTime(0, 0).addSecs((i * 7 % 1440) * 60);
    s->Enable = true;
    s->Comment = QStringLiteral("Event %1").arg(i);
    return s;
}

// 1000 schedules: 100 for "Group 001" and its projectors, the rest for all
// projectors, other groups and projectors of other groups.
void FillSchedules(CScheduleManager& schedules)
{
    for (int i = 0; i < 1000; ++i) {
        const int group = 1 + (i < 100 ? 0 : 1 + i % (GROUPS - 1));
        CScheduleData* s = nullptr;
        if (i < 50)
            s = Daily(i, CScheduleTargetText::Group(QStringLiteral("Group 001")), CScheduleData::TARGET_TYPE::Group);
        else if (i < 100 || i % 3 == 0) {
            // Projector n is in group (n - 1) % 100 + 1.
            const int n = group + GROUPS * (i % 20);
            s = Daily(i, QStringLiteral("10.1.%1.%2").arg(n / 250).arg(n % 250 + 1),
                      CScheduleData::TARGET_TYPE::Projector);
        } else if (i % 3 == 1)
            s = Daily(i, CScheduleTargetText::AllProjectors(), CScheduleData::TARGET_TYPE::Group);
        else
            s = Daily(i, CScheduleTargetText::Group(QStringLiteral("Group %1").arg(group, 3, 10, QLatin1Char('0'))),
                      CScheduleData::TARGET_TYPE::Group);
        schedules.f_AddSchedule(s, false);
    }
}

// The largest schedule file there is.
bool WriteLargestFile(const QString& path)
{
    CScheduleFile file(QFileInfo(path).absolutePath(), QFileInfo(path).fileName());
    const QString comment = QStringLiteral("Comment of forty characters, exactly!!!");
    for (int i = 0; i <= CScheduleManager::MAX_SCHEDULE_KEY; ++i) {
        CScheduleData* s = Daily(i, i % 2 ? QStringLiteral("10.1.%1.%2").arg(i / 250).arg(i % 250 + 1)
                                          : CScheduleTargetText::Group(QStringLiteral("Group %1").arg(i % 100 + 1, 3, 10, QLatin1Char('0'))),
                                 i % 2);
        s->Comment = comment;
        file.m_pScheduleManager->f_AddSchedule(s, false);
    }
    CNoOperatingDate everyDay;
    for (int day = 0; day < CNoOperatingDate::DayCount(); ++day)
        everyDay.Add(day);
    file.SetHolidayParam(everyDay);
    return file.SaveScheduleFile(path, true) == 0;
}

void Report(const char* what, const std::vector<double>& ms, double targetMs, const QString& note)
{
    const double median = Median(ms);
    std::printf("%-44s %8.1f ms  (target < %.0f ms)%s  %s\n", what, median, targetMs,
                median < targetMs ? "" : "  OVER", qPrintable(note));
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    RaiseOpenFileLimit();
    CTestFolders folders;
    if (!CopyShippedProfile(folders))
        return 1;
    const QString userList = folders.userListPath();
    const QString largest = folders.path(QStringLiteral("largest.scd"));
    if (!CTestFolders::writeFile(userList, FleetInGroups()) || !WriteLargestFile(largest)) {
        std::fprintf(stderr, "cannot write the user list or the schedule file\n");
        return 1;
    }
    // Every question is answered OK, every file dialog with the largest file.
    CMessageBoxes::SetScript([](const CMessageBoxes::Box&) { return QMessageBox::Ok; });
    CFileDialogs::SetScript([&](const CFileDialogs::Request&) { return CFileDialogs::Answer{largest, QString()}; });

    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    if (!window->m_blnProfileLoaded) {
        std::fprintf(stderr, "the window did not load its profile\n");
        return 1;
    }
    window->show();
    QCoreApplication::processEvents();
    CLumivox5Data* hub = window->m_Lumivox5Data;
    CGroupTreeView* tree = window->findChild<CGroupTreeView*>(QStringLiteral("treeViewGroup"));
    auto* list = window->findChild<ScheduleListView*>(QStringLiteral("treeViewSchedule"));
    const QModelIndex all = tree->model()->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0);
    const QModelIndex group = tree->model()->index(0, 0, tree->model()->index(CGroupTreeView::ROW_GROUP, 0));
    SelectNode(tree, all);
    FillSchedules(*hub->m_pScheduleManager);

    std::printf("schedule control, %d projectors in %d groups, %d schedules, platform %s, median of %d runs\n",
                hub->f_GetProjectorCount(), GROUPS, int(hub->m_pScheduleManager->f_GetScheduleMap().size()),
                qPrintable(QGuiApplication::platformName()), RUNS);

    std::vector<double> execute, newDay, refreshAll, refreshGroup, import;
    int instances = 0, allRows = 0, groupRows = 0, importRows = 0;
    for (int run = 0; run < RUNS; ++run) {
        execute.push_back(WallMs([&] { window->f_ScheduleExecute(true); }));
        instances = hub->m_pScheduleExcuteManager->f_GetScheduleMap().size();
        newDay.push_back(WallMs([&] { window->f_OnDateUpdateProc(); }));
        SelectNode(tree, all);
        refreshAll.push_back(WallMs([&] { window->f_UpdateScheduleList(); }));
        allRows = list->model()->rowCount();
        SelectNode(tree, group);
        refreshGroup.push_back(WallMs([&] { window->f_UpdateScheduleList(); }));
        groupRows = list->model()->rowCount();
        window->f_ScheduleExecute(false);
        QCoreApplication::processEvents();
    }
    SelectNode(tree, all);
    for (int run = 0; run < RUNS; ++run) {
        import.push_back(WallMs([&] { window->f_ImportSchedule(); }));
        importRows = list->model()->rowCount();
        QCoreApplication::processEvents();
    }
    if (hub->m_pScheduleManager->f_GetScheduleMap().size() != CScheduleManager::MAX_SCHEDULE_KEY + 1) {
        std::fprintf(stderr, "the import left %d schedules\n", int(hub->m_pScheduleManager->f_GetScheduleMap().size()));
        return 1;
    }
    Report("Execute", execute, 300, QStringLiteral("(%1 instances)").arg(instances));
    Report("new day while running", newDay, 300, QString());
    Report("week list refresh, All Projectors", refreshAll, 600, QStringLiteral("(%1 rows)").arg(allRows));
    Report("week list refresh, one group", refreshGroup, 100, QStringLiteral("(%1 rows)").arg(groupRows));
    Report("import of the largest file with refresh", import, 500,
           QStringLiteral("(%1 rows; every day a no-operating day)").arg(importRows));
    CMessageBoxes::SetScript(CMessageBoxes::Script());
    CFileDialogs::SetScript(CFileDialogs::Script());
    window.reset();
    return 0;
}
