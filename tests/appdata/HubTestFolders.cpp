#include "HubTestFolders.h"

#include "AppPaths.h"
#include "CLumivox5Data.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

const char* const HubTestFolders::PROFILE_TWO_TERMINALS =
    "[Header Info]\n"
    "MagicCode=258-0017-686-1-5F\n"
    "[Models]\n"
    "[MultipleSelected InputTerminal]\n"
    "Count=2\n"
    "Code1=1AH\n"
    "Name1=HDMI\n"
    "ShowTerminal1=FALSE\n"
    "Code2=01H\n"
    "Name2=COMPUTER1\n"
    "ShowTerminal2=TRUE\n";

const char* const HubTestFolders::PROFILE_NO_TERMINALS =
    "[Header Info]\n"
    "MagicCode=258-0017-686-1-5F\n"
    "[Models]\n";

HubTestFolders::HubTestFolders()
{
    QDir root(m_Root.path());
    root.mkpath(QStringLiteral("program"));
    root.mkpath(QStringLiteral("home"));
    AppPaths::setProgramFolder(programFolder());
    AppPaths::setHomeFolder(homeFolder());
}

HubTestFolders::~HubTestFolders()
{
    AppPaths::setProgramFolder(QString());
    AppPaths::setHomeFolder(QString());
}

QString HubTestFolders::programFolder() const
{
    return m_Root.filePath(QStringLiteral("program"));
}

QString HubTestFolders::homeFolder() const
{
    return m_Root.filePath(QStringLiteral("home"));
}

void HubTestFolders::writeProfile(const char* text)
{
    writeFile(programFolder() + QStringLiteral("/Profile.ini"), QByteArray(text));
}

bool HubTestFolders::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray HubTestFolders::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

std::unique_ptr<CLumivox5Data> HubTestFolders::makeHub(const QStringList& arguments)
{
    m_Arguments.clear();
    m_Argv.clear();
    m_Arguments.append(QByteArray("Lumivox 5"));
    for (const QString& argument : arguments)
        m_Arguments.append(argument.toLocal8Bit());
    for (QByteArray& argument : m_Arguments)
        m_Argv.push_back(argument.data());
    m_Argv.push_back(nullptr);
    std::unique_ptr<CLumivox5Data> hub(new CLumivox5Data(int(m_Arguments.size()), m_Argv.data(), nullptr));
    if (hub->m_LanguageCodeTable.m_pTranslator)
        QCoreApplication::installTranslator(hub->m_LanguageCodeTable.m_pTranslator);
    return hub;
}
