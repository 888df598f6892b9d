#ifndef BENCHWINDOW_H
#define BENCHWINDOW_H

// What the window benchmarks share: the application, the folders a main
// window starts from, the window itself, user lists of a given shape and the
// selection of a tree node.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QLoggingCategory>
#include <QString>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <memory>

#include "CFleetSweep.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "Lumivox5Main.h"

// The application of a window benchmark: offscreen unless QT_QPA_PLATFORM
// says otherwise, and without debug output.
class BenchApplication : public QApplication
{
public:
    BenchApplication(int& argc, char** argv) : QApplication(OffscreenByDefault(argc), argv)
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

private:
    // Runs before QApplication's constructor, which picks the platform.
    static int& OffscreenByDefault(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
};

// The shipped model profile file copied into the program folder; says so
// on stderr where it cannot be.
inline bool CopyShippedProfile(const CTestFolders& folders)
{
    const QString profile = CFleetSweep::FindProfile(QString());
    if (profile.isEmpty() || !QFile::copy(profile, folders.programFolder() + QStringLiteral("/Profile.ini"))) {
        std::fprintf(stderr, "Profile.ini not found beside the benchmark\n");
        return false;
    }
    return true;
}

// FleetUserList::PrepareWindowFolders, its error on stderr.
inline bool PrepareWindowFleet(const CTestFolders& folders, int count)
{
    QString error;
    if (!FleetUserList::PrepareWindowFolders(folders, count, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    return true;
}

// A main window started without arguments.
inline std::unique_ptr<Lumivox5Main> NewMainWindow()
{
    CTestCommandLine line{QStringList()};
    return std::unique_ptr<Lumivox5Main>(new Lumivox5Main(line.argc(), line.argv()));
}

// One LAN projector of a user list, at port 7142, enabled, in one group.
struct ListedProjector
{
    QString name;
    QString address;
    int group;
};

// A user list of projectors 1 to `count` and groups 1 to `groups`, each as
// the functions give it.
inline QByteArray UserListText(int count, const std::function<ListedProjector(int n)>& projector, int groups,
                               const std::function<QString(int g)>& groupName)
{
    const auto number = [](int n) { return QByteArray::number(n).rightJustified(3, '0'); };
    QByteArray text = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n";
    for (int n = 1; n <= count; ++n) {
        const ListedProjector p = projector(n);
        text += "[Setting " + number(n) + "]\nSettingName=" + p.name.toLatin1()
                + "\nDeviceType=LAN\nLanType=IP\nIPAddress=" + p.address.toLatin1()
                + "\nLanPort=7142\nEnabled=True\nGroupList=" + QByteArray::number(p.group) + "\n";
    }
    text += "[Group]\n";
    for (int g = 1; g <= groups; ++g)
        text += number(g) + "=\"" + groupName(g).toLatin1() + "\"\n";
    return text;
}

// Makes the node the tree's current and only selected one, as a click does.
inline void SelectNode(QTreeView* tree, const QModelIndex& index)
{
    tree->setCurrentIndex(index);
    tree->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

#endif // BENCHWINDOW_H
