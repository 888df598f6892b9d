// The main window over a temporary home with a user list of 2000 projectors
// in 100 groups: its construction, and a switch of the group tree from All
// Projectors to a group and back. Then Refresh All over 2000 simulated
// projectors answering from a process of their own: the time until every
// listed row shows its result, the longest time the GUI thread went without
// its event loop meanwhile, and the command engine's sweep of the same fleet
// in the same run, with the longest events the GUI thread handled, by
// receiver, so that a stall names its source. The simulated projectors report
// names of their own, so this first poll renames every row, as the first poll
// of a fleet whose names were set at the projectors does. Runs offscreen
// unless QT_QPA_PLATFORM says otherwise.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QHostAddress>
#include <QMap>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QThread>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "FleetHeap.h"
#include "CCommandFunctions.h"
#include "CFleetSweep.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProjectorData.h"
#include "CGroupTreeView.h"
#include "CProjectorTreeView.h"
#include "RaiseOpenFileLimit.h"
#include "ProcessFigures.h"

namespace {

const int FLEET = 2000;
const int GROUPS = 100;
const int RUNS = 5;
// The simulated projectors answer after this; the first address is the one
// the simulator starts from.
const int REPLY_DELAY_MS = 20;
const char* const FIRST_ADDRESS = "127.0.0.2";
const int POLL_TIMEOUT_MS = 120000;
// The list column showing the power status.
const int STATUS_KEY = 8;

// Times each event the GUI thread's event loops hand out (not the events
// sent while one is handled): the longest per receiver class and event type.
class CTimedApplication : public BenchApplication
{
public:
    using BenchApplication::BenchApplication;
    struct Longest
    {
        qint64 ns = 0;
        int over50Ms = 0;
    };
    QMap<QString, Longest> m_Longest;
    bool m_Timing = false;

    bool notify(QObject* receiver, QEvent* event) override
    {
        // The GUI thread's events only: the other threads' event loops pass
        // through here too, and the tables below are the GUI thread's.
        if (!m_Timing || m_Depth > 0 || QThread::currentThread() != thread()) {
            ++m_Depth;
            const bool taken = QApplication::notify(receiver, event);
            --m_Depth;
            return taken;
        }
        // Timers and the context objects of connections are told apart by their parents.
        QString what = QString::fromLatin1(receiver->metaObject()->className());
        if (receiver->parent())
            what += QLatin1String(" in ") + QString::fromLatin1(receiver->parent()->metaObject()->className());
        what += QStringLiteral(" (event %1)").arg(int(event->type()));
        QElapsedTimer clock;
        clock.start();
        ++m_Depth;
        const bool taken = QApplication::notify(receiver, event);
        --m_Depth;
        const qint64 ns = clock.nsecsElapsed();
        Longest& longest = m_Longest[what];
        longest.ns = qMax(longest.ns, ns);
        if (ns > 50 * 1000000LL)
            ++longest.over50Ms;
        return taken;
    }

    double LongestMs() const
    {
        qint64 ns = 0;
        for (const Longest& longest : m_Longest)
            ns = qMax(ns, longest.ns);
        return ns / 1e6;
    }

    // The `count` longest, longest first.
    QList<QPair<QString, Longest>> Top(int count) const
    {
        QList<QPair<QString, Longest>> all;
        for (auto it = m_Longest.constBegin(); it != m_Longest.constEnd(); ++it)
            all.append(qMakePair(it.key(), it.value()));
        std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.second.ns > b.second.ns; });
        return all.mid(0, count);
    }

private:
    int m_Depth = 0;
};

struct PollFigures
{
    qint64 untilAllShownMs = -1; // -1: not every row within the time allowed
    qint64 longestStallMs = 0;
    int rows = 0;
    int ended = 0; // projectors whose request the engine ended
    int shown = 0;
    int renamed = 0; // rows whose projector name the poll changed
};

// Refresh All from the menu's slot; done when every listed row shows its
// result: after the engine ended that projector's request, a status pass
// wrote the row's name and status as the record has them (the progress
// icon's end changes the row before that). A 5 ms timer meanwhile measures
// the gaps of the GUI thread's event loop.
PollFigures PollFleet(Lumivox5Main* window)
{
    PollFigures figures;
    CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(list->model());
    QAbstractItemModel* rows = proxy ? proxy->sourceModel() : list->model();
    figures.rows = rows->rowCount();
    const int nameColumn = list->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME, 0);
    const int statusColumn = list->m_columnIndexByKey.value(STATUS_KEY, 0);
    CLumivox5Data* hub = window->m_Lumivox5Data;
    QHash<int, QString> namesBefore;
    for (int row = 0; row < figures.rows; ++row)
        namesBefore.insert(rows->index(row, 0).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(),
                           rows->index(row, nameColumn).data().toString());
    QSet<int> ended;
    QSet<int> shown;
    QEventLoop loop;
    QElapsedTimer clock;
    CCommandFunctions* engine = window->m_Lumivox5Data->m_pCommandFunctions;
    const auto end = [&](int target) { ended.insert(target); };
    QObject::connect(engine, &CCommandFunctions::Completed, &loop, [&](int, int target, int, int, int) { end(target); });
    QObject::connect(engine, &CCommandFunctions::Error, &loop,
                     [&](int, int, int target, int, int, int) { end(target); });
    QObject::connect(engine, &CCommandFunctions::NackReceived, &loop,
                     [&](int, int, int target, int, int, int) { end(target); });
    QObject::connect(engine, &CCommandFunctions::Canceled, &loop, [&](int, int target, int, int, int) { end(target); });
    QObject::connect(rows, &QAbstractItemModel::dataChanged, &loop,
                     [&](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                         for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                             const int id = rows->index(row, 0).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
                             if (!ended.contains(id))
                                 continue;
                             CProjectorData* record = hub->GetProjectorData(id);
                             if (record && rows->index(row, nameColumn).data().toString() == record->GetProjectorNameString()
                                 && rows->index(row, statusColumn).data().toString() == record->GetStatusString())
                                 shown.insert(id);
                         }
                         if (shown.size() >= figures.rows && figures.untilAllShownMs < 0) {
                             figures.untilAllShownMs = clock.elapsed();
                             loop.quit();
                         }
                     });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    QObject::connect(&probe, &QTimer::timeout, &loop, [&] {
        figures.longestStallMs = qMax(figures.longestStallMs, sinceTick.elapsed());
        sinceTick.restart();
    });
    clock.start();
    window->on_actMenuViewRefreshAll_triggered();
    limit.start(POLL_TIMEOUT_MS);
    probe.start(5);
    sinceTick.start();
    loop.exec();
    // The stall that ended the wait counts too.
    figures.longestStallMs = qMax(figures.longestStallMs, sinceTick.elapsed());
    figures.ended = ended.size();
    figures.shown = shown.size();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const int id = rows->index(row, 0).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
        if (rows->index(row, nameColumn).data().toString() != namesBefore.value(id))
            ++figures.renamed;
    }
    return figures;
}

QByteArray GroupedUserList()
{
    return UserListText(
        FLEET,
        [](int n) {
            return ListedProjector{QStringLiteral("Hall %1 PJ%2").arg((n * 7919) % 97).arg(n),
                                   QStringLiteral("10.%1.%2.%3")
                                       .arg(n / 250 + 1)
                                       .arg(n % 250 + 1)
                                       .arg((n * 13) % 250 + 1),
                                   (n - 1) % GROUPS + 1};
        },
        GROUPS, [](int g) { return QStringLiteral("Group %1").arg(g, 3, 10, QLatin1Char('0')); });
}

} // namespace

int main(int argc, char** argv)
{
    StartAsFleetProgram(argv); // as the program does
    CTimedApplication app(argc, argv);
    RaiseOpenFileLimit();
    CTestFolders folders;
    if (!CopyShippedProfile(folders))
        return 1;
    const QString userList = folders.userListPath();
    if (!CTestFolders::writeFile(userList, GroupedUserList())) {
        std::fprintf(stderr, "cannot write the user list\n");
        return 1;
    }

    std::vector<double> builds;
    std::vector<double> toGroup;
    std::vector<double> toAll;
    int listed = 0;
    int groupListed = 0;
    // A start over the grouped list (each start reads the list the last one left), timed.
    const auto start = [&](std::unique_ptr<Lumivox5Main>& window) {
        CTestFolders::writeFile(userList, GroupedUserList());
        return WallMs([&] { window = NewMainWindow(); });
    };
    for (int run = 0; run < RUNS; ++run) {
        std::unique_ptr<Lumivox5Main> window;
        builds.push_back(start(window));
        if (!window->m_blnProfileLoaded) {
            std::fprintf(stderr, "the window did not load its profile\n");
            return 1;
        }
        QCoreApplication::processEvents();
        CGroupTreeView* tree = window->findChild<CGroupTreeView*>(QStringLiteral("treeViewGroup"));
        CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
        listed = list->model()->rowCount();
        const QModelIndex groupNode = tree->model()->index(CGroupTreeView::ROW_GROUP, 0);
        const QModelIndex group = tree->model()->index(run % GROUPS, 0, groupNode);
        toGroup.push_back(WallMs([&] { SelectNode(tree, group); }));
        groupListed = list->model()->rowCount();
        toAll.push_back(WallMs([&] { SelectNode(tree, tree->model()->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0)); }));
        if (list->model()->rowCount() != listed) {
            std::fprintf(stderr, "All Projectors lists %d rows after the switch, %d before\n",
                         list->model()->rowCount(), listed);
            return 1;
        }
        window.reset();
    }

    // The same start with the "Import" option: the user list comes from
    // another file and becomes the home folder's list.
    const QString importPath = folders.path(QStringLiteral("import/user.lst"));
    const auto setImport = [&](bool on) {
        auto hub = CTestFolders::makeHub();
        hub->m_pOptionSettings->m_Import = on;
        hub->m_pOptionSettings->m_ImportPath = on ? importPath : QString();
        hub->WriteRegistryAll();
    };
    CTestFolders::writeFile(importPath, GroupedUserList());
    setImport(true);
    std::vector<double> importBuilds;
    for (int run = 0; run < RUNS; ++run) {
        std::unique_ptr<Lumivox5Main> window;
        importBuilds.push_back(start(window));
        QCoreApplication::processEvents();
        const int rows = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"))->model()->rowCount();
        if (rows != listed) {
            std::fprintf(stderr, "the imported list shows %d rows, the loaded one %d\n", rows, listed);
            return 1;
        }
    }
    setImport(false);

    // The status pass over every listed row, each with a new result and a new
    // reported name (so every row changes and the list re-sorts), from one
    // and from ten reports per projector.
    CTestFolders::writeFile(userList, GroupedUserList());
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    QCoreApplication::processEvents();
    window->f_SortPjList(2, Qt::AscendingOrder);
    const QList<int> ids = window->m_Lumivox5Data->GetProjectorDataIDList(false);
    std::vector<double> passes[2];
    std::vector<double> slices[2]; // the longest the GUI thread spent in one go on a pass
    QHeaderView* header = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"))->header();
    const int perProjector[2] = {1, 10};
    for (int run = 0; run < RUNS; ++run) {
        for (int kind = 0; kind < 2; ++kind) {
            for (int id : ids) {
                CProjectorData* record = window->m_Lumivox5Data->GetProjectorData(id);
                record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
                record->m_Status[CProjectorData::StProjectorName].FromString(
                    QStringLiteral("PJ %1 %2").arg((id * 7919 + run * 31 + kind) % 5003).arg(run));
                for (int n = 0; n < perProjector[kind]; ++n) {
                    if (n % 2)
                        window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("PJ"), -7, 1, 1,
                                                     1, id);
                    else
                        window->OnReceiveUpdateTiming(1, 1, 1, id);
                }
            }
            // The pass writes its first slice at once and the rest in later
            // turns of the event loop; the list's header is clickable again
            // when its rows are done.
            const double first = WallMs([&] { window->OnTimerUpdateDelay(); });
            app.m_Longest.clear();
            app.m_Timing = true;
            const double rest = WallMs([&] {
                while (!header->sectionsClickable())
                    QCoreApplication::processEvents();
                // The renamed records are saved in a turn of their own.
                QCoreApplication::processEvents();
            });
            app.m_Timing = false;
            passes[kind].push_back(first + rest);
            slices[kind].push_back(qMax(first, app.LongestMs()));
        }
    }
    window.reset();

    // The simulated fleet: the user list passes over the addresses the
    // program refuses, so the simulator spans a few more; the engine sweeps
    // the same projectors the window lists.
    const QHostAddress first{QString::fromLatin1(FIRST_ADDRESS)};
    CFleetSweep sweep;
    if (!sweep.StartSimulator(CFleetSweep::FindSimulator(QString()), FleetUserList::Span(first, FLEET),
                              QStringLiteral("LV-L100"), REPLY_DELAY_MS, {QStringLiteral("--vary")})
        || !sweep.CreateRecords(CFleetSweep::FindProfile(QString()))) {
        std::fprintf(stderr, "%s\n", qPrintable(sweep.Error()));
        return 1;
    }
    for (auto it = sweep.Records().begin(); it != sweep.Records().end();) {
        if (CProjectorData::IsIPAdrrCheck(it.value()->m_Address, CProjectorData::TYPE_LAN::IP)) {
            ++it;
        } else {
            delete it.value();
            it = sweep.Records().erase(it);
        }
    }
    const quint16 port = quint16(sweep.Records().first()->m_Port.toUInt());
    {
        QString error;
        auto hub = CTestFolders::makeHub();
        if (!FleetUserList::Write(hub.get(), FLEET, first, port, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    window = NewMainWindow();
    QCoreApplication::processEvents();
    app.m_Timing = true;
    const PollFigures poll = PollFleet(window.get());
    app.m_Timing = false;
    window.reset();
    const CFleetSweep::Outcome engine = sweep.Sweep(POLL_TIMEOUT_MS);

    std::printf("Main window with %d projectors in %d groups (%d listed, %d in a group), median of %d runs\n", FLEET,
                GROUPS, listed, groupListed, RUNS);
    std::printf("  construction             %8.1f ms   (target < 1000 ms)\n", Median(builds));
    std::printf("  construction, import     %8.1f ms   (the user list imported at start)\n", Median(importBuilds));
    std::printf("  All Projectors -> group  %8.1f ms   (target < 300 ms)\n", Median(toGroup));
    std::printf("  group -> All Projectors  %8.1f ms   (target < 300 ms)\n", Median(toAll));
    std::printf("  status pass, %5d reports %8.1f ms   (target < 200 ms, all rows and names changed, re-sorted,\n"
                "                                       the user list handed to the writer thread)\n",
                FLEET, Median(passes[0]));
    std::printf("    longest slice          %8.1f ms   (target <= 50 ms, the GUI thread held in one go)\n",
                Median(slices[0]));
    std::printf("  status pass, %5d reports %8.1f ms   (target < 200 ms, all rows changed, re-sorted)\n",
                FLEET * 10, Median(passes[1]));
    std::printf("    longest slice          %8.1f ms   (target <= 50 ms)\n", Median(slices[1]));
    std::printf("Refresh All over %d simulated projectors in another process (reply after %d ms), one run\n",
                int(sweep.Records().size()), REPLY_DELAY_MS);
    if (poll.untilAllShownMs < 0)
        std::printf("  until every row shows   (only %d of %d rows within %d ms, %d ended)\n", poll.shown,
                    poll.rows, POLL_TIMEOUT_MS, poll.ended);
    else
        std::printf("  until every row shows   %8lld ms   (%d rows, %d of them renamed)\n",
                    static_cast<long long>(poll.untilAllShownMs), poll.rows, poll.renamed);
    std::printf("  engine sweep            %8lld ms   (%d completed, %d failed%s)\n",
                static_cast<long long>(engine.wallMs), engine.completed, engine.failed,
                engine.timedOut ? ", timed out" : "");
    if (poll.untilAllShownMs >= 0)
        std::printf("  difference              %8lld ms   (target <= 1500 ms)\n",
                    static_cast<long long>(poll.untilAllShownMs - engine.wallMs));
    std::printf("  longest GUI stall       %8lld ms   (target <= 50 ms; first poll, names arriving, the user\n"
                "                                       list saved by the writer thread)\n",
                static_cast<long long>(poll.longestStallMs));
    std::printf("  longest events by receiver:\n");
    for (const auto& entry : app.Top(6))
        std::printf("    %8.1f ms  %3d over 50 ms  %s\n", entry.second.ns / 1e6, entry.second.over50Ms,
                    qPrintable(entry.first));
    return poll.untilAllShownMs >= 0 && !engine.timedOut ? 0 : 1;
}
