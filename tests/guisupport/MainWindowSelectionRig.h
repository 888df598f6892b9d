#ifndef MAINWINDOWSELECTIONRIG_H
#define MAINWINDOWSELECTIONRIG_H

#include "MainWindowFixture.h"

#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

class CGroupTreeView;
class CProfile;
class CProjectorData;
class CProjectorTreeView;
class Lumivox5Main;
class QWidget;

// A main window over four registered projectors whose records the test puts
// in any state: group "Floor 1" holds 1 to 3, "Floor 2" holds 4, "Empty" none.
// The tests of the window's enabling and check dots select, focus and read
// entries with it.
class MainWindowSelectionRig
{
public:
    MainWindowSelectionRig();
    ~MainWindowSelectionRig();
    MainWindowSelectionRig(const MainWindowSelectionRig&) = delete;
    MainWindowSelectionRig& operator=(const MainWindowSelectionRig&) = delete;

    // Writes the model profile and the user list and builds the window with
    // the arguments after the program name; false when it was not built.
    bool start(const QStringList& arguments = QStringList());

    // A profile the rig owns, offering exactly the given functions (ids of
    // ProfileFlag); `freeze` is its freeze support value.
    CProfile* profile(const QList<int>& flags, int freeze = 0);
    // A profile offering every function.
    CProfile* fullProfile();
    // The flag ids of every function (freeze support is a value of its own).
    static QList<int> everyFunction();

    CProjectorData* record(int id) const;
    // The record's connection state, profile and status values.
    struct State
    {
        int connect = 3;
        CProfile* profile = nullptr;
        int power = 1;
        int pictureMute = 0;
        int soundMute = 0;
        int osdMute = 0;
        bool freeze = false;
    };
    void setState(int id, const State& state);

    // Selects exactly these projectors in the list (one selection change each).
    void select(const QList<int>& ids);
    // Selects a group tree node as a click would: "All Projectors", "Group",
    // "Search Result" or a group's name; an empty name clears the selection.
    bool selectGroupNode(const QString& name);
    QModelIndex groupNode(const QString& name) const;

    // Shows the window, makes it the active one and gives `widget` the
    // keyboard focus; false when the platform did not activate it.
    bool focus(QWidget* widget);

    // The icon key of the check dot (true) or the blank (false).
    qint64 dotKey(bool checked) const;
    // "dot", "blank" or "none" for a menu or action.
    QString dotOf(const QObject* entry) const;
    static bool isEnabled(const QObject* entry);

    CProjectorTreeView* list() const;
    CGroupTreeView* tree() const;
    MainWindowFixture fixture;
    std::unique_ptr<Lumivox5Main> window;

private:
    std::deque<std::unique_ptr<CProfile>> m_Profiles;
};

#endif // MAINWINDOWSELECTIONRIG_H
