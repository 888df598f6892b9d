#ifndef DOVECOTLAUNCHER_H
#define DOVECOTLAUNCHER_H

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A private dovecot POP3 server for tests: its configuration, user file, log
// and state live in a temporary folder, it listens on port 110 of the given
// loopback addresses only, and it is stopped by its own process id.
class DovecotLauncher
{
public:
    struct Options
    {
        QList<QHostAddress> addresses;           // port 110 on each
        QList<QPair<QString, QString>> users;    // name and plain password
        bool disablePlaintextAuth = false;
    };

    DovecotLauncher();
    ~DovecotLauncher();
    DovecotLauncher(const DovecotLauncher&) = delete;
    DovecotLauncher& operator=(const DovecotLauncher&) = delete;

    // Writes the configuration, starts the server and waits (up to 10 s)
    // until the first address greets with "+OK". On failure the reason is in
    // error() and nothing is left running.
    bool start(const Options& options);
    // Ends the server by its process id, waiting up to 5 s.
    void stop();
    bool isRunning() const;
    QString error() const { return m_Error; }

    QString folder() const { return m_Dir ? m_Dir->path() : QString(); }
    QString logPath() const;
    QByteArray log() const;
    // Whether the log shows a successful log-in of the user.
    bool hasLoggedIn(const QString& user) const;

    // The "Login: user=<...>" line dovecot writes for a successful log-in.
    static QByteArray loginMarker(const QString& user);

private:
    bool writeFiles(const Options& options);
    bool waitForGreeting(const QHostAddress& address, int timeoutMs);
    bool fail(const QString& reason);

    std::unique_ptr<QTemporaryDir> m_Dir;
    std::unique_ptr<QProcess> m_Process;
    QString m_Error;
};

#endif // DOVECOTLAUNCHER_H
