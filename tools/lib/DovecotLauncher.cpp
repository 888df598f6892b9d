#include "DovecotLauncher.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTcpSocket>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size()
           && file.flush();
}

} // namespace

DovecotLauncher::DovecotLauncher() = default;

DovecotLauncher::~DovecotLauncher()
{
    stop();
}

QString DovecotLauncher::logPath() const
{
    return m_Dir ? m_Dir->filePath(QStringLiteral("dovecot.log")) : QString();
}

QByteArray DovecotLauncher::log() const
{
    QFile file(logPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray DovecotLauncher::loginMarker(const QString& user)
{
    return "Login: user=<" + user.toUtf8() + ">";
}

bool DovecotLauncher::hasLoggedIn(const QString& user) const
{
    return log().contains(loginMarker(user));
}

bool DovecotLauncher::isRunning() const
{
    return m_Process && m_Process->state() != QProcess::NotRunning;
}

bool DovecotLauncher::fail(const QString& reason)
{
    m_Error = reason;
    stop();
    return false;
}

bool DovecotLauncher::writeFiles(const Options& options)
{
    const QString d = m_Dir->path();
    // dovecot's own users (dovecot, dovenull, nobody) must reach the folder.
    if (chmod(QFile::encodeName(d).constData(), 0755) != 0)
        return false;
    for (const char* sub : {"run", "state", "home"}) {
        if (!QDir(d).mkpath(QString::fromLatin1(sub)))
            return false;
    }
    const passwd* nobody = getpwnam("nobody");
    const group* dovecotGroup = getgrnam("dovecot");
    const group* nobodyGroup = nobody ? getgrgid(nobody->pw_gid) : nullptr;
    if (!nobody || !dovecotGroup || !nobodyGroup)
        return false;
    const QByteArray nobodyGroupName(nobodyGroup->gr_name);
    // Mail processes run as nobody and make each user's home below this one.
    if (chown(QFile::encodeName(d + QStringLiteral("/home")).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
        return false;

    QByteArray users;
    for (const auto& user : options.users)
        users += user.first.toUtf8() + ":{PLAIN}" + user.second.toUtf8() + "::::::\n";
    const QString usersPath = d + QStringLiteral("/users");
    if (!WriteText(usersPath, users))
        return false;
    // The authentication process runs as dovecot and must read it; nobody else may.
    if (chown(QFile::encodeName(usersPath).constData(), 0, dovecotGroup->gr_gid) != 0
        || chmod(QFile::encodeName(usersPath).constData(), 0640) != 0)
        return false;

    QStringList listen;
    for (const QHostAddress& address : options.addresses)
        listen << address.toString();
    const QByteArray dir = QFile::encodeName(d);
    QByteArray conf;
    conf += "instance_name = lumivox-test-" + QByteArray::number(qint64(getpid())) + "-"
            + listen.join(QLatin1Char('-')).toLatin1() + "\n";
    conf += "base_dir = " + dir + "/run\n";
    conf += "state_dir = " + dir + "/state\n";
    conf += "log_path = " + dir + "/dovecot.log\n";
    conf += "protocols = pop3\n";
    conf += "listen = " + listen.join(QStringLiteral(", ")).toLatin1() + "\n";
    conf += "ssl = no\n";
    conf += QByteArray("disable_plaintext_auth = ") + (options.disablePlaintextAuth ? "yes" : "no") + "\n";
    conf += "auth_mechanisms = plain\n";
    // Failed log-ins answer at once; the penalty listener would delay later ones.
    conf += "auth_failure_delay = 0\n";
    conf += "service anvil {\n  unix_listener anvil-auth-penalty {\n    path = anvil-auth-penalty-unused\n  }\n}\n";
    conf += "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " + dir + "/users\n}\n";
    conf += "userdb {\n  driver = static\n  args = uid=nobody gid=" + nobodyGroupName
            + " home=" + dir + "/home/%u\n}\n";
    conf += "mail_location = maildir:~/Maildir\n";
    conf += "service pop3-login {\n  inet_listener pop3 {\n    port = 110\n  }\n  inet_listener pop3s {\n    port = 0\n  }\n}\n";
    return WriteText(d + QStringLiteral("/dovecot.conf"), conf);
}

bool DovecotLauncher::waitForGreeting(const QHostAddress& address, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && isRunning()) {
        QTcpSocket socket;
        socket.connectToHost(address, 110);
        if (socket.waitForConnected(500)) {
            // The first greeting waits for dovecot's log-in and authentication
            // processes, which take long on a busy machine: a connection
            // given up early would only start that wait again.
            QByteArray greeting;
            while (!greeting.contains('\n') && socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                greeting += socket.readAll();
            if (greeting.startsWith("+OK"))
                return true;
        }
        QThread::msleep(50);
    }
    return false;
}

bool DovecotLauncher::start(const Options& options)
{
    stop();
    m_Error.clear();
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dovecot"),
                                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
    if (program.isEmpty())
        return fail(QStringLiteral("dovecot is not installed (packages dovecot-core, dovecot-pop3d)"));
    if (options.addresses.isEmpty())
        return fail(QStringLiteral("no address to listen on"));
    for (const QHostAddress& address : options.addresses) {
        // A server left over there would answer in place of ours.
        QTcpSocket probe;
        probe.connectToHost(address, 110);
        if (probe.waitForConnected(300))
            return fail(QStringLiteral("port 110 on %1 is already in use").arg(address.toString()));
    }
    m_Dir = std::make_unique<QTemporaryDir>();
    if (!m_Dir->isValid() || !writeFiles(options))
        return fail(QStringLiteral("cannot write the dovecot folder (run as root?)"));

    m_Process = std::make_unique<QProcess>();
    m_Process->setProcessChannelMode(QProcess::MergedChannels);
    m_Process->setStandardOutputFile(m_Dir->filePath(QStringLiteral("dovecot.stdout")));
    m_Process->start(program, {QStringLiteral("-F"), QStringLiteral("-c"), m_Dir->filePath(QStringLiteral("dovecot.conf"))});
    if (!m_Process->waitForStarted(5000))
        return fail(QStringLiteral("dovecot did not start: ") + m_Process->errorString());
    if (!waitForGreeting(options.addresses.first(), 10000)) {
        QFile out(m_Dir->filePath(QStringLiteral("dovecot.stdout")));
        out.open(QIODevice::ReadOnly);
        return fail(QStringLiteral("dovecot did not greet on %1:110: %2 %3")
                        .arg(options.addresses.first().toString(), QString::fromUtf8(out.readAll()),
                             QString::fromUtf8(log())));
    }
    return true;
}

void DovecotLauncher::stop()
{
    if (m_Process && m_Process->state() != QProcess::NotRunning) {
        m_Process->terminate();
        if (!m_Process->waitForFinished(5000)) {
            m_Process->kill();
            m_Process->waitForFinished(1000);
        }
    }
    m_Process.reset();
}
