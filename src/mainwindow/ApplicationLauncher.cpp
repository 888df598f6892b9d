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

CApplicationLauncher::Opener& launcherOpener()
{
    static CApplicationLauncher::Opener opener;
    return opener;
}

bool openWithDesktop(const QString& path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    if (const CApplicationLauncher::Opener& opener = launcherOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

} // namespace

void CApplicationLauncher::SetScript(Script script)
{
    launcherScript() = std::move(script);
}

void CApplicationLauncher::SetOpener(Opener opener)
{
    launcherOpener() = std::move(opener);
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

bool CApplicationLauncher::Start(const QString& path, const QStringList& arguments)
{
    if (const Script& script = launcherScript()) {
        script(path, arguments);
        return true;
    }
    // A program name without a folder would be looked for on PATH first.
    const QFileInfo target(QFileInfo(path).absoluteFilePath());
    const QString file = target.filePath();
    if (target.isFile() && target.isExecutable()) {
        if (QProcess::startDetached(file, arguments))
            return true;
        qCDebug(lcMainWindow) << "could not start" << file << "as a program, opening it";
    }
    if (!arguments.isEmpty())
        qCDebug(lcMainWindow) << "opened without its arguments:" << file << arguments;
    if (openWithDesktop(file))
        return true;
    qCDebug(lcMainWindow) << "could not open" << file;
    return false;
}
