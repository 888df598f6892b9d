// The LAN search of the main window over a /22 of simulated projectors
// answering from a process of their own (1022 answers to a broadcast search):
// the longest tick of the search dialog, the delay from an answer reaching
// the engine to its row in the table, and Connect with every row ticked,
// that is registering the 1022 projectors and saving the list, until the
// search returns; then the list showing them. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
//
//   bench_gui_lansearch [--responder PATH] [--runs N]

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CFleetSweep.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "CTestFolders.h"
#include "DiscoveryResponder.h"
#include "DiscoveryResponderProcess.h"
#include "DiscoveryTestRig.h"
#include "FleetHeap.h"
#include "Lumivox5Main.h"
#include "PJSearchDlg.h"
#include "PJSearchUdp.h"

namespace {

const char* const Subnet = "127.0.4.0/22";
const char* const FanOut = "127.0.7.255";
const int Hosts = 1022;
const int TickLimitMs = 50;
const int SearchTimeoutMs = 30000;

struct RunFigures
{
    int rows = 0;
    int registered = 0;
    double longestTickMs = -1;
    int ticks = 0;
    double longestDelayMs = -1; // from an answer in the engine's list to its row
    double meanDelayMs = -1;
    int atFirstTick = 0;        // rows shown at the first tick after their answer
    double connectMs = -1;      // Connect clicked until the search returned
    double shownMs = -1;        // then until All Projectors lists them
};

// Times each run of the dialog's refresh tick: from the timer's event to the
// end of the last slot on its timeout (connected after the dialog's own).
class TickTimer : public QObject
{
public:
    explicit TickTimer(QTimer* timer)
    {
        timer->installEventFilter(this);
        connect(timer, &QTimer::timeout, this, [this] {
            if (m_Started) {
                ticks.push_back(m_Clock.nsecsElapsed() / 1e6);
                m_Started = false;
            }
        });
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) {
            m_Clock.start();
            m_Started = true;
        }
        return false;
    }
    std::vector<double> ticks;

private:
    QElapsedTimer m_Clock;
    bool m_Started = false;
};

RunFigures RunSearch(const QString& profile)
{
    RunFigures f;
    CTestFolders folders;
    const QString userList = folders.userListPath();
    if (!QFile::copy(profile, folders.programFolder() + QStringLiteral("/Profile.ini")) ||
        !CTestFolders::writeFile(userList, "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"))
        return f;
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    if (!window->m_blnProfileLoaded)
        return f;
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> seen(Hosts + 1, -1);  // when each found-list entry appeared
    std::vector<double> shown(Hosts + 1, -1); // when its row did
    std::vector<double> tickEnds;
    std::unique_ptr<TickTimer> ticks;
    QTimer driver;
    driver.setInterval(1);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = QApplication::activeModalWidget();
        PJSearchUdp* engine = dialog ? dialog->findChild<PJSearchUdp*>() : nullptr;
        if (!engine)
            return;
        auto* timer = dialog->findChild<QTimer*>(QStringLiteral("timerSearch"));
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidgetPJList"));
        if (!ticks) {
            ticks.reset(new TickTimer(timer));
            QObject::connect(timer, &QTimer::timeout, ticks.get(), [&, table] {
                const double now = clock.nsecsElapsed() / 1e6;
                tickEnds.push_back(now);
                for (int r = 0; r < std::min(table->rowCount(), Hosts); ++r) {
                    if (shown[r] < 0)
                        shown[r] = now;
                }
            });
        }
        const double now = clock.nsecsElapsed() / 1e6;
        for (int i = 0; i < std::min(engine->PJListCount(), Hosts); ++i) {
            if (seen[i] < 0)
                seen[i] = now;
        }
        const bool done = !timer->isActive() && !engine->isRunning();
        if (!done && clock.elapsed() < SearchTimeoutMs)
            return;
        driver.stop();
        f.rows = table->rowCount();
        for (int r = 0; r < table->rowCount(); ++r)
            table->item(r, 0)->setCheckState(Qt::Checked);
        clock.restart();
        dialog->findChild<QPushButton*>(QStringLiteral("pushButtonConnect"))->click();
    });
    driver.start();
    window->f_LANAutoSearch();
    f.connectMs = clock.nsecsElapsed() / 1e6;
    f.registered = window->m_Lumivox5Data->f_GetProjectorCount();
    CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
    while (list->model()->rowCount() < f.registered && clock.elapsed() < SearchTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    f.shownMs = clock.nsecsElapsed() / 1e6 - f.connectMs;

    if (ticks && !ticks->ticks.empty()) {
        f.ticks = int(ticks->ticks.size());
        f.longestTickMs = *std::max_element(ticks->ticks.begin(), ticks->ticks.end());
    }
    double sum = 0;
    int counted = 0;
    for (int i = 0; i < f.rows && i < Hosts; ++i) {
        if (seen[i] < 0 || shown[i] < 0)
            continue;
        const double delay = shown[i] - seen[i];
        f.longestDelayMs = std::max(f.longestDelayMs, delay);
        sum += delay;
        ++counted;
        // The answer is seen by a 1 ms poll, so it may have come just before a tick.
        const auto firstTick = std::lower_bound(tickEnds.begin(), tickEnds.end(), seen[i] - 1.0);
        if (firstTick != tickEnds.end() && shown[i] <= *firstTick)
            ++f.atFirstTick;
    }
    if (counted)
        f.meanDelayMs = sum / counted;
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    StartAsFleetProgram(argv); // as the program does
    BenchApplication app(argc, argv);

    QString program = QDir(app.applicationDirPath()).filePath("../tools/discovery-responder");
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == "--responder" && i + 1 < args.size())
            program = args.at(++i);
        else if (args.at(i) == "--runs" && i + 1 < args.size())
            runs = qMax(1, args.at(++i).toInt());
    }
    const QString profile = CFleetSweep::FindProfile(QString());
    if (profile.isEmpty() || !QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "Profile.ini or the responder program (%s) not found\n", qPrintable(program));
        return 2;
    }
    const QHostAddress local(QStringLiteral("127.0.0.1"));
    const quint16 port = DiscoveryResponder::findFreePort({local, QHostAddress(FanOut), QHostAddress("127.0.4.1")});
    DiscoveryResponderProcess responder;
    if (port == 0 || !responder.start(program, port, Subnet, FanOut, Hosts)) {
        std::fprintf(stderr, "responder did not start\n");
        return 2;
    }
    // The interface the search runs on: its broadcast domain is the responders' /22.
    ScopedSearchSetup setup({{"lan0", "127.0.3.1", 22, FanOut}}, local, port);
    // The refresh of 1022 projectors that do not exist is not what is measured.
    Lumivox5Main::SetRequestSink([](int, QList<CVariantParameter>*, int, int, QList<int>*, bool, bool) {});

    std::printf("LAN search of the main window, %d responders in %s (own process), port %u\n", Hosts, Subnet,
                unsigned(port));
    // Addresses whose last part is 0 or 255 are no device addresses: not registered.
    int devices = 0;
    for (quint32 a = QHostAddress(QStringLiteral("127.0.4.1")).toIPv4Address(), n = 0; n < quint32(Hosts); ++a, ++n)
        devices += (a & 0xFF) != 0 && (a & 0xFF) != 255;
    std::printf("run  rows  ticks  longest-tick-ms  answer-to-row-ms max/mean  at-first-tick  connect-ms  "
                "registered  shown-ms\n");
    int status = 0;
    double worstTick = 0, worstDelay = 0, worstConnect = 0;
    for (int run = 1; run <= runs; ++run) {
        const RunFigures f = RunSearch(profile);
        std::printf("%3d  %4d  %5d  %15.1f  %10.1f / %6.1f  %13d  %10.1f  %10d  %8.1f\n", run, f.rows, f.ticks,
                    f.longestTickMs, f.longestDelayMs, f.meanDelayMs, f.atFirstTick, f.connectMs, f.registered,
                    f.shownMs);
        if (f.rows != Hosts || f.registered != devices || f.atFirstTick != Hosts)
            status = 1;
        worstTick = std::max(worstTick, f.longestTickMs);
        worstDelay = std::max(worstDelay, f.longestDelayMs);
        worstConnect = std::max(worstConnect, f.connectMs);
    }
    std::printf("targets: no tick over %d ms (worst %.1f); each row at the first tick after its answer, "
                "ticks %d ms apart (longest wait %.1f); registration under 1000 ms (worst %.1f)\n",
                TickLimitMs, worstTick, PJSearchDlg::TICK_MS, worstDelay, worstConnect);
    Lumivox5Main::SetRequestSink(Lumivox5Main::RequestSink());
    responder.stop();
    return status;
}
