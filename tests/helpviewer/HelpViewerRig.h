#ifndef HELPVIEWERRIG_H
#define HELPVIEWERRIG_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder for the help viewer (its settings file and its
// Help/ tree), made the program folder while the rig lives, and a private
// runtime folder, so that no test meets another's viewer socket.
class HelpViewerRig
{
public:
    HelpViewerRig();
    ~HelpViewerRig();
    HelpViewerRig(const HelpViewerRig&) = delete;
    HelpViewerRig& operator=(const HelpViewerRig&) = delete;

    bool isValid() const { return m_Root.isValid(); }
    QString programFolder() const;
    // "<program folder>/Help/"
    QString helpFolder() const;
    // Writes a file below the program folder, folders included.
    bool write(const QString& relativePath, const QByteArray& contents = QByteArray("<html><body>page</body></html>"));
    QString path(const QString& relativePath) const;

    // Points the runtime folder (where the viewer's socket lies) at a fresh
    // private folder for this process.
    static void usePrivateRuntimeFolder();

private:
    QTemporaryDir m_Root;
};

#endif // HELPVIEWERRIG_H
