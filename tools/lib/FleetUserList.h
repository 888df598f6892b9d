#ifndef FLEETUSERLIST_H
#define FLEETUSERLIST_H

#include <QHostAddress>
#include <QString>
#include <QStringList>

class CLumivox5Data;
class CTestFolders;

// The user list of a fleet of simulated projectors, made with the data hub's
// own operations: projectors named "Projector 1", "Projector 2", ... on
// consecutive addresses from the first one (as the projector simulator places
// them), in the groups of Groups() in turn. Addresses the program refuses
// (host part 0 or 255) are passed over, so a simulator needs Span() places.
class FleetUserList
{
public:
    static QStringList Groups();
    // The addresses of `count` projectors from `first`.
    static QList<QHostAddress> Addresses(const QHostAddress& first, int count);
    // How many consecutive addresses from `first` those take.
    static int Span(const QHostAddress& first, int count);

    // Adds the groups and projectors to an empty hub and saves its user list
    // in the home folder, replacing any list there; false with `error`.
    static bool Write(CLumivox5Data* hub, int count, const QHostAddress& first, quint16 port, QString* error);
    // Program and home folders for a main window over such a fleet: the
    // shipped model profile file copied into the program folder and the user
    // list written in the home folder; false with `error`.
    static bool PrepareFolders(const CTestFolders& folders, int count, const QHostAddress& first, quint16 port,
                               QString* error);
    // The same with `count` projectors from 10.1.0.1:7142, where nothing
    // answers: the window benchmarks' set-up.
    static bool PrepareWindowFolders(const CTestFolders& folders, int count, QString* error);
    // Turns the automatic update on at `minutes` in the program folder's
    // settings file; the other settings stay as they are.
    static bool EnableAutoUpdate(CLumivox5Data* hub, int minutes, QString* error);
};

#endif // FLEETUSERLIST_H
