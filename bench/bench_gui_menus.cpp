// The main window over a user list of 2000 projectors, every one identified
// as one of the shipped models (in turn) and running: with one row and with
// every row selected, the window's reaction to the selection change, the
// about-to-show of each drop-down that looks at the selection (menu bar,
// Control and its sub-menus, Signal Select, Sort, the list's context menu),
// the status pass over a report from every projector, and the status bar's
// selection count. Then the column chooser's OK: from the click to the
// list showing the new layout, sorted again. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "BenchWindow.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "CSectionItem.h"
#include "CSectionItemList.h"
#include "ProcessFigures.h"

namespace {

const int FLEET = 2000;
const int RUNS = 9;
const double REACTION_TARGET_MS = 30;
const double DROP_DOWN_TARGET_MS = 10;
const double PASS_TARGET_MS = 200;
const double CENTRE_MESSAGE_TARGET_MS = 5;
const double CHOOSER_OK_TARGET_MS = 200;

double MedianOf(const std::function<void()>& prepare, const std::function<void()>& work)
{
    return Median(WallMsRuns(RUNS, work, prepare));
}

// The drop-downs, by the slot their aboutToShow() runs.
struct DropDown
{
    const char* name;
    void (Lumivox5Main::*show)();
};

const DropDown DROP_DOWNS[] = {
    {"Projector menu", &Lumivox5Main::f_UpdateMenuProjectorDropDown},
    {"Control", &Lumivox5Main::on_menuPJCtrl_hovered},
    {"Power", &Lumivox5Main::f_On_menuPJCtrlPower_showDropDown},
    {"Freeze", &Lumivox5Main::f_On_menuPJCtrlFreeze_showDropDown},
    {"Picture Blank", &Lumivox5Main::f_On_menuPJCtrlPictureMute_showDropDown},
    {"Sound Mute", &Lumivox5Main::f_On_menuPJCtrlSoundMute_showDropDown},
    {"On-screen Display", &Lumivox5Main::f_On_menuPJCtrlOSDMute_showDropDown},
    {"Signal Select", &Lumivox5Main::f_On_menuPJCtrlSignalSelect_showDropDown},
    {"Sort", &Lumivox5Main::f_On_MenuViewSort_hovered},
    {"context menu", &Lumivox5Main::f_PJCtxDropDownShow},
    {"context Control", &Lumivox5Main::f_PJCtxControlDropDownShow},
};

// Every record as a poll of a running projector of a shipped model leaves
// it, the models taken in turn; mutes and freeze vary.
bool IdentifyFleet(CLumivox5Data* hub)
{
    QList<CProfile*> models;
    for (auto it = hub->m_pProfileList->m_ProfileMap.cbegin(); it != hub->m_pProfileList->m_ProfileMap.cend(); ++it) {
        if (it.key() != -1)
            models.append(it.value());
    }
    if (models.isEmpty())
        return false;
    int n = 0;
    for (int id : hub->GetProjectorDataIDList(false)) {
        CProjectorData* record = hub->GetProjectorData(id);
        CProfile* model = models.at(n % models.size());
        record->m_Profile = model;
        record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        auto& st = record->m_Status;
        st[CProjectorData::StStatusValid].FromBool(true);
        st[CProjectorData::StPowerStatus].FromInt(1);
        st[CProjectorData::StPictureMute].FromInt(n % 2);
        st[CProjectorData::StSoundMute].FromInt((n / 2) % 2);
        st[CProjectorData::StOsdMute].FromInt((n / 3) % 2);
        st[CProjectorData::StFreeze].FromBool(n % 5 == 0);
        if (model->InputTerminals() && !model->InputTerminals()->isEmpty()) {
            const QList<CSectionItem*> inputs = model->InputTerminals()->values();
            st[CProjectorData::StInputTerminal].FromInt(inputs.at(n % inputs.size())->code);
            record->m_InputTerminalKnown = true;
        }
        ++n;
    }
    return true;
}

// Opens the column chooser, moves its first row down and takes the time
// from OK to the end of the launcher: the layout written back, applied to
// the list's header and the list sorted again.
double ChooserOkMs(Lumivox5Main* window)
{
    QElapsedTimer clock;
    QTimer::singleShot(0, window, [&clock] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* list = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("tvDetails")) : nullptr;
        auto* down = dialog ? dialog->findChild<QPushButton*>(QStringLiteral("btnMoveDown")) : nullptr;
        auto* buttons = dialog ? dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")) : nullptr;
        if (!list || !down || !buttons) {
            if (dialog)
                dialog->close();
            return;
        }
        list->setCurrentIndex(list->model()->index(0, 0));
        down->click();
        clock.start();
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    window->f_ShowColumnDetail();
    return clock.isValid() ? clock.nsecsElapsed() / 1e6 : -1;
}

// A report from every projector, as a poll of the whole fleet leaves them.
void QueueReports(Lumivox5Main* window, const QList<int>& ids)
{
    for (int id : ids)
        window->OnReceiveUpdateTiming(1, 1, 1, id);
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    CTestFolders folders;
    if (!PrepareWindowFleet(folders, FLEET))
        return 1;
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    if (!window->m_blnProfileLoaded || !IdentifyFleet(window->m_Lumivox5Data)) {
        std::fprintf(stderr, "the window did not load the shipped models\n");
        return 1;
    }
    window->show();
    QCoreApplication::processEvents();
    CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
    const QList<int> ids = list->GetDispPjDataIDList();
    // The rows show what the records now hold.
    QueueReports(window.get(), ids);
    window->OnTimerUpdateDelay();

    QItemSelectionModel* selection = list->selectionModel();
    const auto selectRow = [&](int row) {
        selection->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    int counts[2] = {};
    double reaction[2] = {};
    std::vector<double> dropDowns[2];
    double pass[2] = {};
    double centre[2] = {};
    for (int kind = 0; kind < 2; ++kind) {
        int next = 0;
        if (kind == 0) {
            // Another row each time, so that every run is a change.
            reaction[kind] = MedianOf([] {}, [&] { selectRow(next++ % 2); });
        } else {
            reaction[kind] = MedianOf([&] { selectRow(0); }, [&] { list->selectAll(); });
        }
        counts[kind] = int(list->GetPjDataIDList(true).size());
        for (const DropDown& dropDown : DROP_DOWNS)
            dropDowns[kind].push_back(MedianOf([] {}, [&] { (window.get()->*dropDown.show)(); }));
        pass[kind] = MedianOf([&] { QueueReports(window.get(), ids); }, [&] { window->OnTimerUpdateDelay(); });
        centre[kind] = MedianOf([] {}, [&] { window->f_SetStatusbarCenterMessage(); });
    }
    const double chooserOk = MedianOf([] {}, [&] { ChooserOkMs(window.get()); });
    std::vector<double> okTimes;
    for (int run = 0; run < RUNS; ++run)
        okTimes.push_back(ChooserOkMs(window.get()));
    std::sort(okTimes.begin(), okTimes.end());

    std::printf("Main window, %d projectors listed, every one identified as a shipped model; median of %d runs, ms\n",
                int(ids.size()), RUNS);
    std::printf("  %-34s %10s %10s   target\n", "", "1 selected", "all selected");
    std::printf("  %-34s %10.2f %10.2f   < %.0f\n", "selection reaction", reaction[0], reaction[1],
                REACTION_TARGET_MS);
    for (size_t i = 0; i < std::size(DROP_DOWNS); ++i)
        std::printf("  %-34s %10.2f %10.2f   < %.0f\n", (std::string(DROP_DOWNS[i].name) + " about to show").c_str(),
                    dropDowns[0][i], dropDowns[1][i], DROP_DOWN_TARGET_MS);
    std::printf("  %-34s %10.2f %10.2f   < %.0f\n", "status pass, a report each", pass[0], pass[1], PASS_TARGET_MS);
    std::printf("  %-34s %10.2f %10.2f   < %.0f\n", "status bar selection count", centre[0], centre[1],
                CENTRE_MESSAGE_TARGET_MS);
    std::printf("  (selected rows: %d and %d)\n", counts[0], counts[1]);
    std::printf("Column chooser OK to a re-sorted list of %d rows: median %.2f ms, worst %.2f ms (target < %.0f); "
                "whole launcher %.2f ms\n",
                int(ids.size()), okTimes.at(okTimes.size() / 2), okTimes.back(), CHOOSER_OK_TARGET_MS, chooserOk);
    return 0;
}
