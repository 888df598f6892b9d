#ifndef APPLICATIONLAUNCHER_H
#define APPLICATIONLAUNCHER_H

#include <QString>
#include <QStringList>

#include <functional>

// Starts an entry of the launch list, never through a shell: an executable
// file runs detached with the arguments as they are; a folder or any other
// file opens with the desktop's handler, which takes no arguments. Tests
// install a script in place of the start.
class CApplicationLauncher
{
public:
    using Script = std::function<void(const QString& path, const QStringList& arguments)>;

    static void Start(const QString& path, const QStringList& arguments);
    // An empty script starts for real again.
    static void SetScript(Script script);

    // The argument text as the started program gets it: tabs count as
    // blanks, the ends are trimmed, every single blank separates (two in a
    // row give an empty argument between them).
    static QStringList SplitArguments(const QString& text);

private:
    CApplicationLauncher() = delete;
};

#endif // APPLICATIONLAUNCHER_H
