// The relay of a status pass's completions to the plug-ins: a batch of
// 20,000 reports over 2000 projectors handed to a plug-in whose handler
// does nothing, so that the figure is the relay's own (sorting out one
// completion per projector, and one emission per projector and command
// object). Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <memory>
#include <vector>

#include "CCommandIF.h"
#include "CFleetSweep.h"
#include "CLumivox5PluginIF.h"
#include "CTestFolders.h"
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    CTestFolders folders;
    const QString profile = CFleetSweep::FindProfile(QString());
    if (profile.isEmpty() || !QFile::copy(profile, folders.programFolder() + QStringLiteral("/Profile.ini"))) {
        std::fprintf(stderr, "Profile.ini not found beside the benchmark\n");
        return 1;
    }
    CTestCommandLine line{QStringList()};
    std::unique_ptr<Lumivox5Main> window(new Lumivox5Main(line.argc(), line.argv()));
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
    std::vector<double> idleRuns;
    for (int run = 0; run < RUNS; ++run)
        idleRuns.push_back(WallMs([&] { window->f_OnUpdateTimingToPluginProc(batch); }));
    window->m_plugins = builtIn;
    std::vector<double> panelRuns;
    for (int run = 0; run < RUNS; ++run)
        panelRuns.push_back(WallMs([&] { window->f_OnUpdateTimingToPluginProc(batch); }));
    window->m_plugins.append(idle);

    std::printf("Completions of a status pass relayed to the plug-ins: %d reports over %d projectors, median of %d runs\n",
                REPORTS, TARGETS, RUNS);
    std::printf("  idle plug-in             %8.2f ms   (target < 20 ms)\n", Median(idleRuns));
    std::printf("  adjustment plug-in       %8.2f ms   (the panel's own handler; its display refresh follows the batch)\n", Median(panelRuns));
    return 0;
}

#include "bench_gui_plugins.moc"
