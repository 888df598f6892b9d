#include "LocalServerPath.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/un.h>
#include <unistd.h>

QString LocalServerPath(const QString& name)
{
    // Empty when the runtime folder is missing or not the user's own (0700).
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // A socket's path must fit its address, terminating zero included.
    const QString inRuntime = runtime + QLatin1Char('/') + name;
    if (!runtime.isEmpty() && size_t(QFile::encodeName(inRuntime).size()) < sizeof(sockaddr_un::sun_path))
        return inRuntime;
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(::getuid());
}
