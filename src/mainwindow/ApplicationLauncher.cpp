#include "ApplicationLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "LogCategories.h"

namespace {

CApplicationLauncher::Script& launcherScript()
{
    static CApplicationLauncher::Script script;
    return script;
}

} // namespace

void CApplicationLauncher::SetScript(Script script)
{
    launcherScript() = std::move(script);
}

QStringList CApplicationLauncher::SplitArguments(const QString& text)
{
    QString arguments = text;
    arguments.replace(QLatin1Char('\t'), QLatin1Char(' '));
    arguments = arguments.trimmed();
    if (arguments.isEmpty())
        return QStringList();
    return arguments.split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

void CApplicationLauncher::Start(const QString& path, const QStringList& arguments)
{
    if (const Script& script = launcherScript()) {
        script(path, arguments);
        return;
    }
    const QFileInfo target(path);
    if (target.isFile() && target.isExecutable()) {
        if (!QProcess::startDetached(path, arguments))
            qCDebug(lcMainWindow) << "could not start" << path;
        return;
    }
    if (!arguments.isEmpty())
        qCDebug(lcMainWindow) << "opened without its arguments:" << path << arguments;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        qCDebug(lcMainWindow) << "could not open" << path;
}
