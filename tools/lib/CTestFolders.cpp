#include "CTestFolders.h"

#include "AppPaths.h"
#include "CLumivox5Data.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <vector>

CTestFolders::CTestFolders()
{
    QDir root(m_Root.path());
    root.mkpath(QStringLiteral("program"));
    root.mkpath(QStringLiteral("home"));
    AppPaths::setProgramFolder(programFolder());
    AppPaths::setHomeFolder(homeFolder());
}

CTestFolders::~CTestFolders()
{
    AppPaths::setProgramFolder(QString());
    AppPaths::setHomeFolder(QString());
}

QString CTestFolders::programFolder() const
{
    return m_Root.filePath(QStringLiteral("program"));
}

QString CTestFolders::homeFolder() const
{
    return m_Root.filePath(QStringLiteral("home"));
}

QString CTestFolders::userListPath() const
{
    return homeFolder() + QStringLiteral("/Application Data/Corvex Projector User Fennick/Lumivox 5/user.lst");
}

QByteArray CTestFolders::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool CTestFolders::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

CTestCommandLine::CTestCommandLine(const QStringList& arguments)
    : m_Texts{QByteArray("Lumivox 5")}
{
    for (const QString& argument : arguments)
        m_Texts.append(argument.toLocal8Bit());
    for (QByteArray& text : m_Texts)
        m_Argv.push_back(text.data());
    m_Argv.push_back(nullptr);
}

std::unique_ptr<CLumivox5Data> CTestFolders::makeHub(const QStringList& arguments)
{
    // The hub reads its command line while it is built and keeps none of it.
    CTestCommandLine line(arguments);
    return std::unique_ptr<CLumivox5Data>(new CLumivox5Data(line.argc(), line.argv(), nullptr));
}
