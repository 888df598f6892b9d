#include "LocalServerPath.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

QString LocalServerPath(const QString& name)
{
    // Empty when the runtime folder is missing or not the user's own (0700).
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + QLatin1Char('/') + name;
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(::getuid());
}
