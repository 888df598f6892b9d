// The main window over a temporary home with a user list of 2000 projectors
// in 100 groups: its construction, and a switch of the group tree from All
// Projectors to a group and back. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "CFleetSweep.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CGroupTreeView.h"
#include "CProjectorTreeView.h"
#include "CTestFolders.h"
#include "Lumivox5Main.h"

namespace {

const int FLEET = 2000;
const int GROUPS = 100;
const int RUNS = 5;

double Milliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QByteArray FleetUserList()
{
    QByteArray text = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n";
    for (int n = 1; n <= FLEET; ++n) {
        text += QString("[Setting %1]\nSettingName=Hall %2 PJ%3\nDeviceType=LAN\nLanType=IP\n"
                        "IPAddress=10.%4.%5.%6\nLanPort=7142\nEnabled=True\nGroupList=%7\n")
                    .arg(n, 3, 10, QLatin1Char('0'))
                    .arg((n * 7919) % 97)
                    .arg(n)
                    .arg(n / 250 + 1)
                    .arg(n % 250 + 1)
                    .arg((n * 13) % 250 + 1)
                    .arg((n - 1) % GROUPS + 1)
                    .toLatin1();
    }
    text += "[Group]\n";
    for (int g = 1; g <= GROUPS; ++g)
        text += QString("%1=\"Group %2\"\n").arg(g, 3, 10, QLatin1Char('0')).arg(g, 3, 10, QLatin1Char('0')).toLatin1();
    return text;
}

void Select(QTreeView* tree, const QModelIndex& index)
{
    tree->setCurrentIndex(index);
    tree->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

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
    const QString userList =
        folders.homeFolder() + QStringLiteral("/Application Data/Corvex Projector User Fennick/Lumivox 5/user.lst");
    if (!CTestFolders::writeFile(userList, FleetUserList())) {
        std::fprintf(stderr, "cannot write the user list\n");
        return 1;
    }

    std::vector<double> builds;
    std::vector<double> toGroup;
    std::vector<double> toAll;
    int listed = 0;
    int groupListed = 0;
    for (int run = 0; run < RUNS; ++run) {
        // Each start reads the user list the last one left.
        CTestFolders::writeFile(userList, FleetUserList());
        std::unique_ptr<Lumivox5Main> window;
        builds.push_back(Milliseconds([&] {
            CTestCommandLine line{QStringList()};
            window.reset(new Lumivox5Main(line.argc(), line.argv()));
        }));
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
        toGroup.push_back(Milliseconds([&] { Select(tree, group); }));
        groupListed = list->model()->rowCount();
        toAll.push_back(Milliseconds([&] { Select(tree, tree->model()->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0)); }));
        if (list->model()->rowCount() != listed) {
            std::fprintf(stderr, "All Projectors lists %d rows after the switch, %d before\n",
                         list->model()->rowCount(), listed);
            return 1;
        }
        window.reset();
    }

    // The status pass over every listed row, each with a new result and a new
    // reported name (so every row changes and the list re-sorts), from one
    // and from ten reports per projector.
    CTestFolders::writeFile(userList, FleetUserList());
    CTestCommandLine line{QStringList()};
    std::unique_ptr<Lumivox5Main> window(new Lumivox5Main(line.argc(), line.argv()));
    QCoreApplication::processEvents();
    window->f_SortPjList(2, Qt::AscendingOrder);
    const QList<int> ids = window->m_Lumivox5Data->GetProjectorDataIDList(false);
    std::vector<double> passes[2];
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
            passes[kind].push_back(Milliseconds([&] { window->OnTimerUpdateDelay(); }));
        }
    }
    window.reset();

    std::printf("Main window with %d projectors in %d groups (%d listed, %d in a group), median of %d runs\n", FLEET,
                GROUPS, listed, groupListed, RUNS);
    std::printf("  construction             %8.1f ms   (target < 1000 ms)\n", Median(builds));
    std::printf("  All Projectors -> group  %8.1f ms   (target < 300 ms)\n", Median(toGroup));
    std::printf("  group -> All Projectors  %8.1f ms   (target < 300 ms)\n", Median(toAll));
    std::printf("  status pass, %5d reports %8.1f ms   (target < 200 ms, all rows changed, re-sorted)\n", FLEET,
                Median(passes[0]));
    std::printf("  status pass, %5d reports %8.1f ms   (target < 200 ms, all rows changed, re-sorted)\n",
                FLEET * 10, Median(passes[1]));
    return 0;
}
