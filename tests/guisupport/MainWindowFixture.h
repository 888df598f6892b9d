#ifndef MAINWINDOWFIXTURE_H
#define MAINWINDOWFIXTURE_H

#include "CTestFolders.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class CLumivox5Data;
class Lumivox5Main;

// Temporary program and home folders for a main window built in the test
// process: the model profile, the user list and the saved settings are the
// test's to choose.
class MainWindowFixture : public CTestFolders
{
public:
    bool writeProfile(const QByteArray& text);
    bool writeUserList(const QByteArray& text);
    // Each projector section of the saved user list: the values of `keys`
    // that it has, joined by blanks.
    QStringList savedProjectors(const QStringList& keys) const;
    // Changes the saved settings through a hub of their own, written at once.
    void saveSettings(const std::function<void(CLumivox5Data*)>& change);

    // Selects exactly the rows of these projectors in the window's list.
    static void selectProjectors(Lumivox5Main* window, const QList<int>& ids);

    // A window started with the arguments after the program name.
    std::unique_ptr<Lumivox5Main> makeWindow(const QStringList& arguments = QStringList());
};

#endif // MAINWINDOWFIXTURE_H
