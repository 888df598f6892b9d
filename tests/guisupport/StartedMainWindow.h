#ifndef STARTEDMAINWINDOW_H
#define STARTEDMAINWINDOW_H

#include <QByteArray>

#include <memory>

class Lumivox5Main;
class MainWindowFixture;

// A main window built in the test process over the fixture's folders, with
// the shipped model profile and the given user list, listing All Projectors.
// Null (with the test failed) when it cannot be built.
std::unique_ptr<Lumivox5Main> StartMainWindow(MainWindowFixture& fixture, const QByteArray& userList);

#endif // STARTEDMAINWINDOW_H
