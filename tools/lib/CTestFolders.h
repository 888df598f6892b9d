#ifndef CTESTFOLDERS_H
#define CTESTFOLDERS_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class CLumivox5Data;

// A command line as `main` receives it: the program name "Lumivox 5", then
// the arguments. The texts live as long as the object.
class CTestCommandLine
{
public:
    explicit CTestCommandLine(const QStringList& arguments);
    CTestCommandLine(const CTestCommandLine&) = delete;
    CTestCommandLine& operator=(const CTestCommandLine&) = delete;
    int argc() const { return int(m_Texts.size()); }
    char** argv() { return m_Argv.data(); }

private:
    QList<QByteArray> m_Texts;
    std::vector<char*> m_Argv;
};

// A program folder ("program") and a home folder ("home") below one
// temporary folder; the program looks up both there while the object lives.
class CTestFolders
{
public:
    CTestFolders();
    ~CTestFolders();
    CTestFolders(const CTestFolders&) = delete;
    CTestFolders& operator=(const CTestFolders&) = delete;

    bool isValid() const { return m_Root.isValid(); }
    QString programFolder() const;
    QString homeFolder() const;
    // The user list a main window loads at start.
    QString userListPath() const;
    QString path(const QString& name) const { return m_Root.filePath(name); }

    // The whole file; empty when it cannot be read.
    static QByteArray readFile(const QString& path);
    // Writes the file (and its folder) anew; false when that fails.
    static bool writeFile(const QString& path, const QByteArray& bytes);

    // A data hub started with the program name "Lumivox 5" and `arguments`.
    static std::unique_ptr<CLumivox5Data> makeHub(const QStringList& arguments = QStringList());

private:
    QTemporaryDir m_Root;
};

#endif // CTESTFOLDERS_H
