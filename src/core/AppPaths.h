#ifndef APPPATHS_H
#define APPPATHS_H

#include <QString>

// The two folders the program reads and writes below: the program folder
// (the executable with Profile.ini, the culture folders and the settings file)
// and the user's home folder. Both default to the real ones; tests point them
// at a temporary folder so they never touch the real files.
class AppPaths
{
public:
    // Folder of the executable, without a trailing separator.
    static QString programFolder();
    // The user's home folder as the platform reports it, without a trailing separator.
    static QString homeFolder();

    // An empty text goes back to the real folder.
    static void setProgramFolder(const QString& folder);
    static void setHomeFolder(const QString& folder);

private:
    AppPaths() = delete;
};

#endif // APPPATHS_H
