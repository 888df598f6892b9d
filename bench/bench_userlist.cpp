// Times saving and loading a full user list through the data hub: 2000
// projectors in 100 groups (two or three groups each), in a temporary home
// folder. Prints the median of several runs of each.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "AppPaths.h"
#include "CLumivox5Data.h"

namespace {

const int PROJECTORS = 2000;
const int GROUPS = 100;
const int RUNS = 5;

std::unique_ptr<CLumivox5Data> makeHub()
{
    static char program[] = "Lumivox 5";
    static char* argv[] = {program, nullptr};
    return std::unique_ptr<CLumivox5Data>(new CLumivox5Data(1, argv, nullptr));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    QDir(root.path()).mkpath("home");
    QDir(root.path()).mkpath("program");
    AppPaths::setHomeFolder(root.filePath("home"));
    AppPaths::setProgramFolder(root.filePath("program"));

    std::unique_ptr<CLumivox5Data> hub = makeHub();
    hub->InitGroupIDUsedList();
    for (int g = 0; g < GROUPS; ++g)
        hub->UpdateGroupDataAtCreateGroup(QStringLiteral("Floor %1\\Room %2").arg(g / 10).arg(g % 10));
    for (int i = 0; i < PROJECTORS; ++i) {
        const QString address = QStringLiteral("10.%1.%2.%3").arg(i / 62500).arg((i / 250) % 250).arg(i % 250 + 1);
        hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP, address, "7142", true,
                          QStringLiteral("Rack %1").arg(i % 40));
    }
    for (int g = 0; g < GROUPS; ++g) {
        hub->m_PasteProjectorIDs.clear();
        for (int id = 1; id <= PROJECTORS; ++id) {
            if (id % GROUPS == g || (id * 7) % GROUPS == g || (g < 10 && id % 37 == g))
                hub->m_PasteProjectorIDs.append(id);
        }
        hub->UpdateGroupDataAtPasteProjector(QStringLiteral("Floor %1\\Room %2").arg(g / 10).arg(g % 10));
    }

    std::vector<double> saves;
    std::vector<double> loads;
    int saveResult = 0;
    int loadResult = 0;
    int loaded = 0;
    for (int run = 0; run < RUNS; ++run) {
        // Every run writes the whole list again, over the file of the last one.
        for (int id = 1; id <= PROJECTORS; ++id)
            hub->GetProjectorData(id)->m_Comment = QStringLiteral("Rack %1 run %2").arg(id % 40).arg(run);
        QElapsedTimer timer;
        timer.start();
        saveResult = hub->SaveUserList();
        saves.push_back(timer.nsecsElapsed() / 1e6);

        std::unique_ptr<CLumivox5Data> reader = makeHub();
        reader->InitGroupIDUsedList();
        timer.start();
        loadResult = reader->LoadUserList();
        loads.push_back(timer.nsecsElapsed() / 1e6);
        loaded = reader->f_GetProjectorCount();
    }

    // A list whose projector sections hold only an address: its first save
    // adds every other key into each section.
    std::vector<double> firstSaves;
    int firstSaveResult = 0;
    for (int run = 0; run < RUNS; ++run) {
        QString text = QStringLiteral("[Header Info]\r\nMagicCode=258-0017-686-1-5F\r\nRevCode=Rev.1.0\r\n");
        for (int i = 0; i < PROJECTORS; ++i)
            text += QStringLiteral("[Setting %1]\r\nIPAddress=10.%2.%3.%4\r\n")
                        .arg(i + 1, 3, 10, QLatin1Char('0'))
                        .arg(i / 62500)
                        .arg((i / 250) % 250)
                        .arg(i % 250 + 1);
        QFile sparse(hub->GetDefaultUserListPath());
        if (!sparse.open(QIODevice::WriteOnly | QIODevice::Truncate) || sparse.write(text.toUtf8()) < 0)
            return 1;
        sparse.close();
        std::unique_ptr<CLumivox5Data> first = makeHub();
        first->InitGroupIDUsedList();
        if (first->LoadUserList() != 0 || first->f_GetProjectorCount() != PROJECTORS)
            return 1;
        QElapsedTimer timer;
        timer.start();
        firstSaveResult = first->SaveUserList();
        firstSaves.push_back(timer.nsecsElapsed() / 1e6);
    }

    const qint64 size = QFileInfo(hub->GetDefaultUserListPath()).size();
    std::printf("user list: %d projectors, %d groups, file %lld bytes\n", PROJECTORS, GROUPS,
                static_cast<long long>(size));
    std::printf("save: median %.1f ms (result %d)\n", median(saves), saveResult);
    std::printf("load: median %.1f ms (result %d, %d projectors)\n", median(loads), loadResult, loaded);
    std::printf("first save of %d projectors with only an address: median %.1f ms (result %d)\n", PROJECTORS,
                median(firstSaves), firstSaveResult);
    return (saveResult == 0 && loadResult == 0 && loaded == PROJECTORS && firstSaveResult == 0) ? 0 : 1;
}
