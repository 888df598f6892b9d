#include "CScriptedMailPeer.h"

#include <QSslSocket>
#include <QTimer>

#include <sys/socket.h>

ScriptedMailStep ScriptedMailStep::reply(const QByteArray& bytes, int delayMs)
{
    ScriptedMailStep step;
    step.parts << bytes;
    step.delayMs = delayMs;
    return step;
}

ScriptedMailStep ScriptedMailStep::perLine(const QByteArray& bytes, int partDelayMs)
{
    ScriptedMailStep step;
    int start = 0;
    while (start < bytes.size()) {
        int end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        step.parts << bytes.mid(start, end - start);
        start = end;
    }
    step.partDelayMs = partDelayMs;
    return step;
}

ScriptedMailStep ScriptedMailStep::perByte(const QByteArray& bytes, int partDelayMs)
{
    ScriptedMailStep step;
    for (char c : bytes)
        step.parts << QByteArray(1, c);
    step.partDelayMs = partDelayMs;
    return step;
}

ScriptedMailStep ScriptedMailStep::afterMessage(const QByteArray& bytes)
{
    ScriptedMailStep step = reply(bytes);
    step.clientEnd = "\r\n.\r\n";
    return step;
}

ScriptedMailStep ScriptedMailStep::close()
{
    ScriptedMailStep step;
    step.closeAfter = true;
    return step;
}

ScriptedMailStep ScriptedMailStep::thenReset() const
{
    ScriptedMailStep step = *this;
    step.resetAfter = true;
    return step;
}

CScriptedMailPeer::CScriptedMailPeer(QObject* parent)
    : QTcpServer(parent)
{
}

CScriptedMailPeer::~CScriptedMailPeer()
{
    qDeleteAll(m_Connections); // the sockets are children and go with the server
}

void CScriptedMailPeer::setTls(const QSslCertificate& certificate, const QSslKey& key)
{
    m_Tls = true;
    m_Certificate = certificate;
    m_Key = key;
}

bool CScriptedMailPeer::listenOn(const QHostAddress& address, quint16 port, QString* error)
{
    if (listen(address, port))
        return true;
    if (error)
        *error = QStringLiteral("scripted mail peer cannot listen on %1 port %2: %3 (tests bind "
                                "low ports and need root; is another server using it?)")
                     .arg(address.toString())
                     .arg(port)
                     .arg(errorString());
    return false;
}

void CScriptedMailPeer::reset()
{
    for (Connection* connection : qAsConst(m_Connections)) {
        if (connection->socket) {
            connection->socket->disconnect(this);
            connection->socket->abort();
            delete connection->socket; // also drops its pending turns

        }
    }
    qDeleteAll(m_Connections);
    m_Connections.clear();
    m_Received.clear();
    m_ConnectionCount = 0;
    m_StepsDone = 0;
    m_ClientClosed = false;
    m_TlsErrors.clear();
}

void CScriptedMailPeer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    auto* connection = new Connection;
    connection->socket = socket;
    m_Connections << connection;
    ++m_ConnectionCount;
    m_StepsDone = 0;
    m_ClientClosed = false;
    connect(socket, &QSslSocket::readyRead, this, [this, connection] { onReadyRead(connection); });
    connect(socket, &QSslSocket::disconnected, this, [this] { m_ClientClosed = true; });
    if (!m_Tls) {
        begin(connection);
        return;
    }
    connect(socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), this,
            [this](const QList<QSslError>& errors) {
                for (const QSslError& e : errors)
                    m_TlsErrors << e.errorString();
            });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        if (!socket->isEncrypted())
            m_TlsErrors << socket->errorString();
    });
    connect(socket, &QSslSocket::encrypted, this, [this, connection] { begin(connection); });
    socket->setLocalCertificate(m_Certificate);
    socket->setPrivateKey(m_Key);
    socket->startServerEncryption();
}

void CScriptedMailPeer::begin(Connection* connection)
{
    if (!m_Steps.isEmpty())
        runStep(connection, 0);
}

void CScriptedMailPeer::onReadyRead(Connection* connection)
{
    const QByteArray data = connection->socket->readAll();
    m_Received += data;
    connection->input += data;
    tryNextStep(connection);
}

void CScriptedMailPeer::tryNextStep(Connection* connection)
{
    if (connection->running || connection->nextStep == 0 || connection->nextStep >= m_Steps.size())
        return;
    const int index = connection->nextStep;
    if (!connection->input.endsWith(m_Steps.at(index).clientEnd))
        return;
    connection->input.clear();
    runStep(connection, index);
}

void CScriptedMailPeer::runStep(Connection* connection, int index)
{
    connection->running = true;
    connection->nextStep = index + 1;
    QTimer::singleShot(m_Steps.at(index).delayMs, connection->socket,
                       [this, connection, index] { writePart(connection, index, 0); });
}

void CScriptedMailPeer::writePart(Connection* connection, int index, int part)
{
    const ScriptedMailStep& step = m_Steps.at(index);
    if (part < step.parts.size()) {
        connection->socket->write(step.parts.at(part));
        connection->socket->flush();
        if (part + 1 < step.parts.size()) {
            QTimer::singleShot(step.partDelayMs, connection->socket,
                               [this, connection, index, part] { writePart(connection, index, part + 1); });
            return;
        }
    }
    if (step.resetAfter) {
        // What was written is on its way (loopback, no delay); closing with
        // a zero linger time sends RST instead of FIN.
        const linger now{1, 0};
        setsockopt(int(connection->socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
        connection->socket->abort();
    } else if (step.closeAfter) {
        connection->socket->disconnectFromHost();
    }
    connection->running = false;
    m_StepsDone = index + 1;
    emit stepDone(index);
    tryNextStep(connection);
}
