#include "MainWindowTestBase.h"

#include "GuiTestSupport.h"
#include "Lumivox5Main.h"

#include <QLoggingCategory>
#include <QtTest>

MainWindowTestBase::MainWindowTestBase() = default;

MainWindowTestBase::~MainWindowTestBase() = default;

CLumivox5Data* MainWindowTestBase::hub() const
{
    return m_Window->m_Lumivox5Data;
}

void MainWindowTestBase::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
    // The profile loader and the engine trace every step.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

void MainWindowTestBase::init()
{
    m_Fixture.reset(new MainWindowFixture);
    QVERIFY(m_Fixture->writeProfile(CTestFolders::readFile(QStringLiteral(":/mainwindow/Profile.ini"))));
}

void MainWindowTestBase::cleanup()
{
    m_Window.reset();
    m_Fixture.reset();
}
