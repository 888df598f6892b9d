#include "CAiosmtpdServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QEventLoop>
#include <QTimer>

const char* const CAiosmtpdServer::Python = "/usr/bin/python3";

namespace {

const int StopWaitMs = 5000;

} // namespace

CAiosmtpdServer::CAiosmtpdServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_Process, &QProcess::readyReadStandardOutput, this, &CAiosmtpdServer::readOutput);
    connect(&m_Process, &QProcess::readyReadStandardError, this,
            [this] { m_ErrorOutput += QString::fromLocal8Bit(m_Process.readAllStandardError()); });
}

CAiosmtpdServer::~CAiosmtpdServer()
{
    stop();
}

QString CAiosmtpdServer::scriptPath(const QString& name)
{
    return QStringLiteral(LUMIVOX_MAILSERVERS_DIR "/")
           + (name.isEmpty() ? QStringLiteral("smtp_test_server.py") : name);
}

bool CAiosmtpdServer::launch(const AiosmtpdOptions& options, QString* error)
{
    m_Options = options;
    if (!QFileInfo::exists(QString::fromLatin1(Python))) {
        *error = QStringLiteral("%1 is missing (package python3-aiosmtpd)").arg(QLatin1String(Python));
        return false;
    }
    if (!m_Spool.isValid()) {
        *error = QStringLiteral("no temporary spool folder");
        return false;
    }
    QStringList arguments{QStringLiteral("-W"), QStringLiteral("ignore"), scriptPath(options.script),
                          QStringLiteral("--address"), options.address.toString(),
                          QStringLiteral("--spool"), m_Spool.path()};
    for (quint16 port : options.plainPorts)
        arguments << QStringLiteral("--plain-port") << QString::number(port);
    for (quint16 port : options.tlsPorts)
        arguments << QStringLiteral("--tls-port") << QString::number(port);
    if (!options.certificateFile.isEmpty())
        arguments << QStringLiteral("--cert") << options.certificateFile;
    if (!options.keyFile.isEmpty())
        arguments << QStringLiteral("--key") << options.keyFile;
    for (const auto& user : options.users)
        arguments << QStringLiteral("--user") << user.first + QLatin1Char(':') + user.second;
    for (const QString& mechanism : options.excludeMechanisms)
        arguments << QStringLiteral("--exclude-mechanism") << mechanism;
    if (options.noAuth)
        arguments << QStringLiteral("--no-auth");
    for (const auto& refusal : options.refusals)
        arguments << QStringLiteral("--refuse") << refusal.first + QLatin1Char('=') + refusal.second;
    arguments << options.scriptArguments;

    m_Process.start(QString::fromLatin1(Python), arguments);
    if (!m_Process.waitForStarted()) {
        *error = QStringLiteral("cannot start %1: %2").arg(QLatin1String(Python), m_Process.errorString());
        return false;
    }
    return true;
}

bool CAiosmtpdServer::waitReady(QString* error, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_Ready && m_BindFailure.isEmpty() && m_Process.state() == QProcess::Running
           && !deadline.hasExpired()) {
        m_Process.waitForReadyRead(50);
        readOutput();
    }
    readOutput();
    const QString where = m_Options.address.toString();
    if (!m_BindFailure.isEmpty()) {
        *error = QStringLiteral("test SMTP server cannot listen on %1 port %2 (tests bind low ports "
                                "and need root; is another server using it?)")
                     .arg(where, m_BindFailure);
        return false;
    }
    if (!m_Ready) {
        m_ErrorOutput += QString::fromLocal8Bit(m_Process.readAllStandardError());
        *error = QStringLiteral("test SMTP server on %1 did not start: %2").arg(where, m_ErrorOutput);
        return false;
    }
    return true;
}

void CAiosmtpdServer::stop()
{
    if (m_Process.state() == QProcess::NotRunning)
        return;
    m_Process.terminate(); // SIGTERM to this process id only
    if (!m_Process.waitForFinished(StopWaitMs)) {
        m_Process.kill();
        m_Process.waitForFinished(StopWaitMs);
    }
    readOutput();
}

void CAiosmtpdServer::readOutput()
{
    m_OutputBuffer += m_Process.readAllStandardOutput();
    int end;
    while ((end = m_OutputBuffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_OutputBuffer.left(end)).trimmed();
        m_OutputBuffer.remove(0, end + 1);
        if (line == QLatin1String("READY"))
            m_Ready = true;
        else if (line.startsWith(QLatin1String("BIND-FAILED ")))
            m_BindFailure = line.mid(12);
        else if (line.startsWith(QLatin1String("CONNECT ")))
            ++m_Connections;
        else if (line.startsWith(QLatin1String("REFUSED-MAIL")))
            ++m_RefusedMail;
        else if (line.startsWith(QLatin1String("STORED ")))
            m_Stored << line.mid(7);
        else if (line.startsWith(QLatin1String("CLOSED ")))
            m_ClosedSessions << line.split(QLatin1Char(' ')).mid(2);
    }
}

bool CAiosmtpdServer::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    readOutput();
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        readOutput();
    }
    return done();
}

bool CAiosmtpdServer::waitForMessages(int count, int timeoutMs)
{
    return waitFor([&] { return m_Stored.size() >= count; }, timeoutMs);
}

bool CAiosmtpdServer::waitForClosedSessions(int count, int timeoutMs)
{
    return waitFor([&] { return m_ClosedSessions.size() >= count; }, timeoutMs);
}

QByteArray CAiosmtpdServer::rawMessage(int index) const
{
    if (index < 0 || index >= m_Stored.size())
        return QByteArray();
    QFile in(QDir(m_Spool.path()).filePath(m_Stored.at(index) + QStringLiteral(".eml")));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QJsonObject CAiosmtpdServer::summary(int index) const
{
    if (index < 0 || index >= m_Stored.size())
        return QJsonObject();
    QFile in(QDir(m_Spool.path()).filePath(m_Stored.at(index) + QStringLiteral(".json")));
    if (!in.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(in.readAll()).object();
}
