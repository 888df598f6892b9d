// The File menu's exports and the menu import over a fleet of 2000
// projectors: the CSV of All Projectors with all 25 columns shown, the import
// of a list of 2000 projectors in 100 groups (load, default file, rebuilt
// views), and the export in the compatible Shift_JIS form together with the
// save of the default list that precedes it. Boxes and file dialogs are
// answered by scripts. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"

namespace {

const int EXPORT_FLEET = 2000;
const int EXPORT_GROUPS = 100;
const int EXPORT_RUNS = 5;

// 2000 projectors spread over 100 groups, as another installation's list.
QByteArray HundredGroupList()
{
    return UserListText(
        EXPORT_FLEET,
        [](int n) {
            return ListedProjector{QStringLiteral("Room %1").arg(n),
                                   QStringLiteral("10.2.%1.%2").arg(n / 200 + 1).arg(n % 200 + 1), n % EXPORT_GROUPS + 1};
        },
        EXPORT_GROUPS, [](int g) { return QStringLiteral("Wing %1").arg(g); });
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    CTestFolders folders;
    if (!PrepareWindowFleet(folders, EXPORT_FLEET))
        return 1;
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    QCoreApplication::processEvents();
    CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
    for (CListViewColumnStatus* status : *window->m_Lumivox5Data->m_pPjListColumnStatus)
        status->m_Visible = true;
    window->f_UpdatePjListColumn(false);

    QString answer;
    QString answerFilter;
    CFileDialogs::SetScript([&](const CFileDialogs::Request&) { return CFileDialogs::Answer{answer, answerFilter}; });
    QStringList shown;
    CMessageBoxes::SetScript([&](const CMessageBoxes::Box& box) {
        shown << box.text;
        return QMessageBox::Ok;
    });

    answer = folders.path(QStringLiteral("export/fleet.csv"));
    QDir().mkpath(QFileInfo(answer).absolutePath());
    const std::vector<double> csv = WallMsRuns(EXPORT_RUNS, [&] { window->f_Export(); });
    const qint64 csvBytes = QFileInfo(answer).size();

    answer = folders.path(QStringLiteral("export/fleet.lst"));
    answerFilter = Lumivox5Main::tr("UserListFileANSIFilter");
    const std::vector<double> sjis = WallMsRuns(EXPORT_RUNS, [&] { window->f_ExportUserList(); });
    const qint64 sjisBytes = QFileInfo(answer).size();

    answer = folders.path(QStringLiteral("import/other.lst"));
    answerFilter.clear();
    CTestFolders::writeFile(answer, HundredGroupList());
    const std::vector<double> imports = WallMsRuns(EXPORT_RUNS, [&] { window->f_ImportUserList(); });
    // Where an import's time goes, step by step.
    CLumivox5Data* hub = window->m_Lumivox5Data;
    const double load = WallMs([&] { hub->LoadUserList(answer); });
    const double keep = WallMs([&] { hub->ExportUserList(hub->GetDefaultUserListPath()); });
    const double tree = WallMs([&] { window->f_ResetGroupTree(); });
    const double fill = WallMs([&] { window->f_InitPjList(); });
    const double sort = WallMs([&] { window->f_PjListColumnCheck(); });
    const double schedules = WallMs([&] { window->f_UpdateScheduleList(); });
    const int rows = list->model()->rowCount();
    const int registered = window->m_Lumivox5Data->f_GetProjectorCount();

    CFileDialogs::SetScript(CFileDialogs::Script());
    CMessageBoxes::SetScript(CMessageBoxes::Script());
    std::printf("CSV of %d rows x 25 columns (%lld bytes): median %.1f ms (target < 200 ms)\n", EXPORT_FLEET,
                static_cast<long long>(csvBytes), Median(csv));
    std::printf("Shift_JIS export with the save before it (%lld bytes): median %.1f ms (target < 1000 ms)\n",
                static_cast<long long>(sjisBytes), Median(sjis));
    std::printf("menu import of %d projectors in %d groups (load, default file, rebuilds; %d registered, %d rows listed): "
                "median %.1f ms (target < 1500 ms)\n",
                EXPORT_FLEET, EXPORT_GROUPS, registered, rows, Median(imports));
    std::printf("  its steps: load %.1f, default file %.1f, group tree %.1f, list %.1f, sort %.1f, schedule list %.1f ms\n",
                load, keep, tree, fill, sort, schedules);
    std::printf("boxes shown: %lld, the last: %s\n", static_cast<long long>(shown.size()),
                shown.isEmpty() ? "" : qPrintable(shown.last()));
    window.reset();
    return 0;
}
