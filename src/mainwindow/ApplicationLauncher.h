#ifndef APPLICATIONLAUNCHER_H
#define APPLICATIONLAUNCHER_H

#include <QString>
#include <QStringList>

#include <functional>

class QUrl;

// Starts an entry of the launch list, never through a shell: an executable
// file runs detached with the arguments as they are; a folder, any other
// file, and an executable file that cannot run as a program (a document with
// execute bits, as shared and foreign file systems give every file) open with
// the desktop's handler, which takes no arguments. Tests install a script in
// place of the start, or an opener in place of the desktop's handler.
class CApplicationLauncher
{
public:
    using Script = std::function<void(const QString& path, const QStringList& arguments)>;
    using Opener = std::function<bool(const QUrl& url)>;

    // False when nothing could be started or opened. A relative path is
    // taken from the working folder, never searched for.
    static bool Start(const QString& path, const QStringList& arguments);
    // An empty script starts for real again.
    static void SetScript(Script script);
    // An empty opener opens with the desktop's handler again.
    static void SetOpener(Opener opener);

    // The argument text as the started program gets it: tabs count as
    // blanks, the ends are trimmed, every single blank separates (two in a
    // row give an empty argument between them).
    static QStringList SplitArguments(const QString& text);

private:
    CApplicationLauncher() = delete;
};

#endif // APPLICATIONLAUNCHER_H
