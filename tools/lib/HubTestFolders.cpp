#include "HubTestFolders.h"

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

void HubTestFolders::writeProfile(const char* text)
{
    writeFile(programFolder() + QStringLiteral("/Profile.ini"), QByteArray(text));
}

std::unique_ptr<CLumivox5Data> HubTestFolders::makeHub(const QStringList& arguments)
{
    std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub(arguments);
    if (hub->m_LanguageCodeTable.m_pTranslator)
        QCoreApplication::installTranslator(hub->m_LanguageCodeTable.m_pTranslator);
    return hub;
}
