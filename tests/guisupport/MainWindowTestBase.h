#ifndef MAINWINDOWTESTBASE_H
#define MAINWINDOWTESTBASE_H

#include "MainWindowFixture.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CLumivox5Data;
class Lumivox5Main;

// The base of a main-window test class: the English catalogue for the run,
// quiet debug output, and for every test function new folders holding the
// model profile of the test's resources (":/mainwindow/Profile.ini"); the
// window a test starts goes before its folders. A test class with more to
// set up declares its own slot of the same name and calls this one.
class MainWindowTestBase : public QObject
{
    Q_OBJECT

protected:
    MainWindowTestBase();
    ~MainWindowTestBase() override;

    std::unique_ptr<MainWindowFixture> m_Fixture;
    std::unique_ptr<Lumivox5Main> m_Window;

    CLumivox5Data* hub() const;
    // The window's projectors, "id name address port lanType kind enabled comment" each.
    QStringList registered() const;

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};

#endif // MAINWINDOWTESTBASE_H
