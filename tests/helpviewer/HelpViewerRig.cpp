#include "HelpViewerRig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "AppPaths.h"

HelpViewerRig::HelpViewerRig()
{
    QDir(m_Root.path()).mkpath(QStringLiteral("program/Help"));
    AppPaths::setProgramFolder(programFolder());
}

HelpViewerRig::~HelpViewerRig()
{
    AppPaths::setProgramFolder(QString());
}

QString HelpViewerRig::programFolder() const
{
    return m_Root.filePath(QStringLiteral("program"));
}

QString HelpViewerRig::helpFolder() const
{
    return programFolder() + QStringLiteral("/Help/");
}

QString HelpViewerRig::path(const QString& relativePath) const
{
    return programFolder() + QLatin1Char('/') + relativePath;
}

bool HelpViewerRig::write(const QString& relativePath, const QByteArray& contents)
{
    const QString file = path(relativePath);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(contents) == contents.size();
}

void HelpViewerRig::usePrivateRuntimeFolder()
{
    static QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
}
