#ifndef HUBTESTFOLDERS_H
#define HUBTESTFOLDERS_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class CLumivox5Data;

// A program folder and a home folder below one temporary folder, in force
// while the object lives, and data hubs built on them with a command line.
class HubTestFolders
{
public:
    // A model profile file with the multiple-selection input terminals
    // 01H COMPUTER1 (shown) and 1AH HDMI (hidden), and no models.
    static const char* const PROFILE_TWO_TERMINALS;
    // The same without any multiple-selection terminal.
    static const char* const PROFILE_NO_TERMINALS;

    HubTestFolders();
    ~HubTestFolders();

    bool isValid() const { return m_Root.isValid(); }
    QString programFolder() const;
    QString homeFolder() const;
    QString path(const QString& name) const { return m_Root.filePath(name); }

    void writeProfile(const char* text = PROFILE_TWO_TERMINALS);
    static bool writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

    // A hub started with the arguments (the program name comes first) and
    // its translator installed.
    std::unique_ptr<CLumivox5Data> makeHub(const QStringList& arguments = QStringList());

private:
    QTemporaryDir m_Root;
    QList<QByteArray> m_Arguments;
    std::vector<char*> m_Argv;
};

#endif // HUBTESTFOLDERS_H
