#include "MainWindowTestBase.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
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

QStringList MainWindowTestBase::registered() const
{
    QStringList result;
    const CLumivox5Data::ProjectorMap* map = hub()->m_pProjectorDatas;
    for (auto it = map->cbegin(); it != map->cend(); ++it) {
        const CProjectorData* r = it.value();
        result << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                      .arg(r->m_Id)
                      .arg(r->m_SettingName, r->m_Address, r->m_Port)
                      .arg(int(r->m_AddressType))
                      .arg(r->m_DeviceKind)
                      .arg(int(r->m_Enabled))
                      .arg(r->m_Comment);
    }
    return result;
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
