#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex& pathMutex()
{
    static QMutex mutex;
    return mutex;
}

QString& programOverride()
{
    static QString folder;
    return folder;
}

QString& homeOverride()
{
    static QString folder;
    return folder;
}

QString withoutTrailingSeparator(const QString& folder)
{
    QString result = QDir::cleanPath(folder);
    // The root folder stays "/"; every other folder loses a trailing separator.
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

} // namespace

QString AppPaths::programFolder()
{
    {
        QMutexLocker lock(&pathMutex());
        if (!programOverride().isEmpty())
            return programOverride();
    }
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::homeFolder()
{
    {
        QMutexLocker lock(&pathMutex());
        if (!homeOverride().isEmpty())
            return homeOverride();
    }
    return withoutTrailingSeparator(QDir::homePath());
}

void AppPaths::setProgramFolder(const QString& folder)
{
    QMutexLocker lock(&pathMutex());
    programOverride() = folder.isEmpty() ? QString() : withoutTrailingSeparator(folder);
}

void AppPaths::setHomeFolder(const QString& folder)
{
    QMutexLocker lock(&pathMutex());
    homeOverride() = folder.isEmpty() ? QString() : withoutTrailingSeparator(folder);
}
