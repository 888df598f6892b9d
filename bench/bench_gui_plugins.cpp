// The relay of a status pass's completions to the plug-ins: a batch of
// 20,000 reports over 2000 projectors handed to a plug-in whose handler
// does nothing, so that the figure is the relay's own (sorting out one
// completion per projector, and one emission per projector and command
// object). And the adjustment panel's own work with 2000 projectors
// selected: reading the selection, deciding a value, a refresh, and the
// display after a batch of 2000 completions. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <QFile>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSortFilterProxyModel>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CCommandIF.h"
#include "CGainInfo.h"
#include "CGeneralSlider.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CLumivox5PluginIF.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "CTestFolders.h"
#include "FormPJAdjust.h"
#include "Lumivox5Main.h"
#include "ProcessFigures.h"

namespace {

const int TARGETS = 2000;
const int REPORTS = 20000;
const int RUNS = 9;

// One command object; what the window relays to it goes nowhere.
class IdlePlugin : public CLumivox5PluginIF
{
    Q_OBJECT
    Q_INTERFACES(CLumivox5PluginIF)
public:
    IdlePlugin() { QObject::connect(&m_Commands, &CCommandIF::UpdateTiming, &m_Commands, [](int, int, int, int) {}); }
    void SetupUi(QWidget*) override {}
    int GetIFCount() override { return 1; }
    QObject* GetIF(int index) override { return index == 0 ? &m_Commands : nullptr; }

private:
    CCommandIF m_Commands;
};

// The panel on a hub of 2000 connected, powered projectors, all selected
// in a projector list; its requests go to a recorder that copies them.
void benchPanel()
{
    std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
    CProfile profile;
    QMap<int, CListViewColumnStatus*> columns;
    CListViewColumnStatus::f_MakePjListColumns(&columns);
    std::unique_ptr<CProjectorTreeView> view(new CProjectorTreeView);
    view->InitializePjListColumn(&columns);
    for (int n = 0; n < TARGETS; ++n) {
        CProjectorData* pj = hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                               QStringLiteral("10.1.%1.%2").arg(n / 250).arg(n % 250 + 1),
                                               QStringLiteral("7142"), true, QString());
        pj->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        pj->m_Status[CProjectorData::StPowerStatus].FromInt(1);
        pj->m_Profile = &profile;
        for (CGainInfo* gain : qAsConst(pj->m_GainInfo)) {
            gain->m_Min.FromInt(0);
            gain->m_Max.FromInt(255);
            gain->m_Current.FromInt(100);
            gain->m_DefaultKnown.FromBool(true);
            gain->m_Default.FromInt(128);
            gain->m_Status.FromInt(2);
        }
        view->Add(pj);
    }
    view->selectAll();

    FormPJAdjust panel;
    panel.m_Lumivox5Data = hub.get();
    panel.m_pTreeViewPJList = view.get();
    panel.m_pTreeViewPJListSub = view.get();
    int requests = 0;
    QList<int> copied;
    QObject::connect(&panel, &FormPJAdjust::SendCommand, &panel,
                     [&](int, QList<CVariantParameter>*, int, int, QList<int>* target, bool, bool) {
                         copied = *target;
                         ++requests;
                     });

    std::vector<double> decideRuns, batchRuns;
    const std::vector<double> selectionRuns = WallMsRuns(RUNS, [&] { panel.MainTabChanged(); });
    auto* slider = panel.findChild<CGeneralSlider*>(QStringLiteral("hSlidePictureBrightness"));
    auto* refresh = panel.findChild<QPushButton*>(QStringLiteral("pushButtonUpdate"));
    for (int run = 0; run < RUNS; ++run) {
        decideRuns.push_back(WallMs([&] {
            slider->setValue(5);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            emit slider->mouseReleased(&release);
        }));
    }
    const bool decided = requests == 2 * RUNS && copied.size() == TARGETS;
    const std::vector<double> refreshRuns = WallMsRuns(RUNS, [&] { refresh->click(); });
    for (int run = 0; run < RUNS; ++run) {
        batchRuns.push_back(WallMs([&] {
            for (int n = 1; n <= TARGETS; ++n)
                QMetaObject::invokeMethod(&panel, "UpdateTiming", Q_ARG(int, 24), Q_ARG(int, 7), Q_ARG(int, 1),
                                          Q_ARG(int, n));
            QCoreApplication::processEvents();
        }));
    }
    view.reset();
    CListViewColumnStatus::DeleteColumns(&columns);

    std::printf("Adjustment panel, %d projectors selected, median of %d runs%s\n", TARGETS, RUNS,
                decided ? "" : " (A DECIDE DID NOT REACH EVERY TARGET)");
    std::printf("  page refresh (reads the targets)   %8.2f ms   (target for the reading < 5 ms)\n",
                Median(selectionRuns));
    std::printf("  decide (set and read back)         %8.2f ms   (target < 20 ms)\n", Median(decideRuns));
    std::printf("  refresh (8 requests)               %8.2f ms   (target < 20 ms)\n", Median(refreshRuns));
    std::printf("  batch of %d completions          %8.2f ms   (target < 50 ms)\n", TARGETS, Median(batchRuns));
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);

    CTestFolders folders;
    if (!CopyShippedProfile(folders))
        return 1;
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    if (!window->m_blnProfileLoaded) {
        std::fprintf(stderr, "the window did not load its profile\n");
        return 1;
    }

    // Ten reports per projector in arrival order, one in five an error.
    QList<QList<int>> batch;
    batch.reserve(REPORTS);
    for (int n = 0; n < REPORTS; ++n) {
        const int target = (n * 7919) % TARGETS + 1;
        batch.append(QList<int>{n % 5 == 4 ? 1 : 0, target, n % 5 == 4 ? -7 : 0, 23 + n % 5, 7, 1 + n % 2});
    }

    const QList<CLumivox5PluginIF*> builtIn = window->m_plugins;
    window->m_plugins.clear();
    auto* idle = new IdlePlugin;
    window->f_BindPlugin(idle);
    const auto relay = [&] { window->f_OnUpdateTimingToPluginProc(batch); };
    const std::vector<double> idleRuns = WallMsRuns(RUNS, relay);
    window->m_plugins = builtIn;
    const std::vector<double> panelRuns = WallMsRuns(RUNS, relay);
    window->m_plugins.append(idle);
    window.reset();

    std::printf("Completions of a status pass relayed to the plug-ins: %d reports over %d projectors, median of %d runs\n",
                REPORTS, TARGETS, RUNS);
    std::printf("  idle plug-in             %8.2f ms   (target < 20 ms)\n", Median(idleRuns));
    std::printf("  adjustment plug-in       %8.2f ms   (the panel's own handler; its display refresh follows the batch)\n", Median(panelRuns));
    benchPanel();
    return 0;
}

#include "bench_gui_plugins.moc"
