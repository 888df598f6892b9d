#include "StartedMainWindow.h"

#include "Lumivox5Main.h"
#include "MainWindowFixture.h"

#include <QtTest>

std::unique_ptr<Lumivox5Main> StartMainWindow(MainWindowFixture& fixture, const QByteArray& userList)
{
    // The test folders embed the shipped profile under this name.
    const QByteArray profile = CTestFolders::readFile(QStringLiteral(":/mainwindow/Profile.ini"));
    if (!QTest::qVerify(!profile.isEmpty() && fixture.writeProfile(profile) && fixture.writeUserList(userList),
                        "profile and user list written", "", __FILE__, __LINE__))
        return nullptr;
    std::unique_ptr<Lumivox5Main> window = fixture.makeWindow();
    if (!QTest::qVerify(window->m_blnProfileLoaded, "m_blnProfileLoaded", "", __FILE__, __LINE__))
        return nullptr;
    window->f_ShowAllProjectors();
    return window;
}
