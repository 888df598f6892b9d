// The File menu's exports and the menu import over a fleet of 2000
// projectors: the CSV of All Projectors with all 25 columns shown, the import
// of a list of 2000 projectors in 100 groups (load, default file, rebuilt
// views), and the export in the compatible Shift_JIS form together with the
// save of the default list that precedes it. Boxes and file dialogs are
// answered by scripts. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <memory>
#include <vector>

#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "Lumivox5Main.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"

namespace {

const int EXPORT_FLEET = 2000;
const int EXPORT_GROUPS = 100;
const int EXPORT_RUNS = 5;

// 2000 projectors spread over 100 groups, as another installation's list.
QByteArray HundredGroupList()
{
    QString text = QStringLiteral("[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n");
    for (int n = 1; n <= EXPORT_FLEET; ++n)
        text += QStringLiteral("[Setting %1]\nSettingName=Room %2\nDeviceType=LAN\nLanType=IP\nIPAddress=10.2.%3.%4\n"
                               "LanPort=7142\nEnabled=True\nGroupList=%5\n")
                    .arg(n, 3, 10, QLatin1Char('0'))
                    .arg(n)
                    .arg(n / 200 + 1)
                    .arg(n % 200 + 1)
                    .arg(n % EXPORT_GROUPS + 1);
    text += QStringLiteral("[Group]\n");
    for (int g = 1; g <= EXPORT_GROUPS; ++g)
        text += QStringLiteral("%1=\"Wing %2\"\n").arg(g, 3, 10, QLatin1Char('0')).arg(g);
    return text.toLatin1();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    CTestFolders folders;
    QString error;
    if (!FleetUserList::PrepareWindowFolders(folders, EXPORT_FLEET, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    CTestCommandLine line{QStringList()};
    std::unique_ptr<Lumivox5Main> window(new Lumivox5Main(line.argc(), line.argv()));
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

    std::vector<double> csv;
    answer = folders.path(QStringLiteral("export/fleet.csv"));
    QDir().mkpath(QFileInfo(answer).absolutePath());
    for (int run = 0; run < EXPORT_RUNS; ++run)
        csv.push_back(WallMs([&] { window->f_Export(); }));
    const qint64 csvBytes = QFileInfo(answer).size();

    std::vector<double> sjis;
    answer = folders.path(QStringLiteral("export/fleet.lst"));
    answerFilter = Lumivox5Main::tr("UserListFileANSIFilter");
    for (int run = 0; run < EXPORT_RUNS; ++run)
        sjis.push_back(WallMs([&] { window->f_ExportUserList(); }));
    const qint64 sjisBytes = QFileInfo(answer).size();

    std::vector<double> imports;
    answer = folders.path(QStringLiteral("import/other.lst"));
    answerFilter.clear();
    CTestFolders::writeFile(answer, HundredGroupList());
    for (int run = 0; run < EXPORT_RUNS; ++run)
        imports.push_back(WallMs([&] { window->f_ImportUserList(); }));
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
