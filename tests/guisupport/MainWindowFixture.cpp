#include "MainWindowFixture.h"

#include "CLumivox5Data.h"
#include "Lumivox5Main.h"


bool MainWindowFixture::writeProfile(const QByteArray& text)
{
    return writeFile(programFolder() + QStringLiteral("/Profile.ini"), text);
}

QString MainWindowFixture::userListPath() const
{
    return homeFolder() + QStringLiteral("/Application Data/Corvex Projector User Fennick/Lumivox 5/user.lst");
}

bool MainWindowFixture::writeUserList(const QByteArray& text)
{
    return writeFile(userListPath(), text);
}

void MainWindowFixture::saveSettings(const std::function<void(CLumivox5Data*)>& change)
{
    std::unique_ptr<CLumivox5Data> hub = makeHub();
    change(hub.get());
    hub->WriteRegistryAll();
}

std::unique_ptr<Lumivox5Main> MainWindowFixture::makeWindow(const QStringList& arguments)
{
    CTestCommandLine line(arguments);
    return std::unique_ptr<Lumivox5Main>(new Lumivox5Main(line.argc(), line.argv()));
}
