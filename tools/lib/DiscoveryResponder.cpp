#include "DiscoveryResponder.h"

#include <QTimer>
#include <QUdpSocket>
#include <QtEndian>

#include <cstring>

#include "CGetTickMSec.h"

namespace {

const int ReplySize = 256;
const int AddressOffset = 32;
const int AddressField = 64;
const int NameOffset = 96;
const int NameField = 48;
const int AppFlagOffset = 144;
const int ReceiveBufferBytes = 1024 * 1024;

quint32 readLe32(const QByteArray &data, int offset)
{
    if (data.size() < offset + 4)
        return 0;
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

void writeLe32(QByteArray &data, int offset, quint32 value)
{
    qToLittleEndian<quint32>(value, data.data() + offset);
}

} // namespace

DiscoveryResponder::DiscoveryResponder(quint16 port, QObject *parent)
    : QObject(parent)
    , m_Port(port)
{
}

DiscoveryResponder::~DiscoveryResponder() = default; // sockets are children

bool DiscoveryResponder::isLoopback(const QHostAddress &address)
{
    bool ok = false;
    const quint32 v4 = address.toIPv4Address(&ok);
    return ok && address.protocol() == QAbstractSocket::IPv4Protocol && (v4 >> 24) == 127;
}

QUdpSocket *DiscoveryResponder::bindSocket(const QHostAddress &address)
{
    if (!isLoopback(address))
        return nullptr;
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(address, m_Port, QUdpSocket::DontShareAddress)) {
        delete socket;
        return nullptr;
    }
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, ReceiveBufferBytes);
    return socket;
}

bool DiscoveryResponder::addResponder(const QHostAddress &address)
{
    if (!isLoopback(address) || m_IndexByAddress.contains(address.toIPv4Address()))
        return false;
    QUdpSocket *socket = bindSocket(address);
    if (!socket)
        return false;
    const int index = m_Responders.size();
    m_Responders.append({address, socket});
    m_IndexByAddress.insert(address.toIPv4Address(), index);
    connect(socket, &QUdpSocket::readyRead, this, [this, socket, index] { readSocket(socket, index); });
    return true;
}

bool DiscoveryResponder::setFanOutAddress(const QHostAddress &address)
{
    if (m_FanOut)
        return false;
    QUdpSocket *socket = bindSocket(address);
    if (!socket)
        return false;
    m_FanOut = socket;
    m_FanOutAddress = address;
    connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readSocket(socket, -1); });
    return true;
}

QList<QHostAddress> DiscoveryResponder::responderAddresses() const
{
    QList<QHostAddress> result;
    for (const Responder &r : m_Responders)
        result.append(r.address);
    return result;
}

void DiscoveryResponder::setScript(const QHostAddress &responder, const DiscoveryReplyScript &script)
{
    m_Scripts.insert(responder.toIPv4Address(), script);
}

DiscoveryReplyScript DiscoveryResponder::script(const QHostAddress &responder) const
{
    return m_Scripts.value(responder.toIPv4Address(), m_DefaultScript);
}

QList<DiscoveryDatagram> DiscoveryResponder::log(quint32 commandId) const
{
    QList<DiscoveryDatagram> result;
    for (const DiscoveryDatagram &d : m_Log) {
        if (commandIdOf(d.data) == commandId)
            result.append(d);
    }
    return result;
}

void DiscoveryResponder::clearLog()
{
    m_Log.clear();
}

void DiscoveryResponder::resetCounters()
{
    m_Requests = m_Replies = m_Accepts = m_Datagrams = 0;
}

quint32 DiscoveryResponder::commandIdOf(const QByteArray &datagram)
{
    return readLe32(datagram, 16);
}

quint16 DiscoveryResponder::seqNoOf(const QByteArray &datagram)
{
    if (datagram.size() < 10)
        return 0;
    return qFromLittleEndian<quint16>(datagram.constData() + 8);
}

QByteArray DiscoveryResponder::buildReply(const QByteArray &request, const QHostAddress &own,
                                          const DiscoveryReplyScript &script)
{
    QByteArray reply(ReplySize, '\0');
    if (script.wrongMagic)
        std::memcpy(reply.data(), "XRPJ", 4);
    else
        std::memcpy(reply.data(), "QRPJ", 4);
    if (request.size() >= 8)
        std::memcpy(reply.data() + 4, request.constData() + 4, 4);
    else
        reply[4] = char(0x13);
    const quint16 seqNo = quint16(seqNoOf(request) + script.seqNoOffset);
    qToLittleEndian<quint16>(seqNo, reply.data() + 8);
    qToLittleEndian<quint16>(quint16(ReplySize - 16), reply.data() + 10);
    writeLe32(reply, 12, readLe32(request, 12));
    const quint32 requested = commandIdOf(request);
    writeLe32(reply, 16, script.commandId != 0 ? script.commandId : requested);
    writeLe32(reply, 20, script.status);
    writeLe32(reply, AppFlagOffset, script.appFlag);

    const QByteArray address = script.addressText.isNull() ? own.toString().toLatin1() : script.addressText;
    std::memcpy(reply.data() + AddressOffset, address.constData(), size_t(qMin(address.size(), AddressField)));

    const QByteArray name = script.name.isNull() ? "PJ-" + own.toString().toLatin1() : script.name;
    if (script.nameWithoutNul) {
        // Every byte from 96 to the end carries name text, so no NUL ends it.
        const QByteArray text = name.isEmpty() ? QByteArray("N") : name;
        for (int i = NameOffset; i < ReplySize; ++i) {
            const char c = text.at((i - NameOffset) % text.size());
            reply[i] = c ? c : 'N';
        }
    } else {
        std::memcpy(reply.data() + NameOffset, name.constData(), size_t(qMin(name.size(), NameField - 1)));
    }

    if (script.length < ReplySize)
        reply.truncate(qMax(0, script.length));
    else if (script.length > ReplySize)
        reply.append(QByteArray(script.length - ReplySize, '\0'));
    return reply;
}

quint16 DiscoveryResponder::findFreePort(const QList<QHostAddress> &addresses)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QUdpSocket probe;
        if (!probe.bind(QHostAddress(QHostAddress::LocalHost), 0, QUdpSocket::DontShareAddress))
            continue;
        const quint16 port = probe.localPort();
        probe.close();
        bool free = true;
        for (const QHostAddress &address : addresses) {
            QUdpSocket check;
            if (!check.bind(address, port, QUdpSocket::DontShareAddress)) {
                free = false;
                break;
            }
        }
        if (free)
            return port;
    }
    return 0;
}

bool DiscoveryResponder::sendUnsolicited(const QHostAddress &from, const QHostAddress &to, quint16 seqNo)
{
    const int index = m_IndexByAddress.value(from.toIPv4Address(), -1);
    if (index < 0 || !isLoopback(to))
        return false;
    QByteArray header(16, '\0');
    qToLittleEndian<quint16>(seqNo, header.data() + 8);
    const QByteArray reply = buildReply(header, from, script(from));
    return m_Responders.at(index).socket->writeDatagram(reply, to, m_Port) == reply.size();
}

bool DiscoveryResponder::sendRaw(const QHostAddress &from, const QHostAddress &to, const QByteArray &data)
{
    const int index = m_IndexByAddress.value(from.toIPv4Address(), -1);
    if (index < 0 || !isLoopback(to))
        return false;
    return m_Responders.at(index).socket->writeDatagram(data, to, m_Port) == data.size();
}

void DiscoveryResponder::readSocket(QUdpSocket *socket, int responderIndex)
{
    const QHostAddress receiver = responderIndex >= 0 ? m_Responders.at(responderIndex).address
                                                      : m_FanOutAddress;
    while (socket->hasPendingDatagrams()) {
        const qint64 pending = socket->pendingDatagramSize();
        QByteArray data(int(qMax<qint64>(pending, 0)), '\0');
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 size = socket->readDatagram(data.data(), data.size(), &sender, &senderPort);
        if (size < 0)
            break;
        data.truncate(int(size));
        ++m_Datagrams;
        if (m_Logging)
            m_Log.append({CGetTickMSec::GetTickMSec(), receiver, sender, senderPort, data});

        const bool framed = data.size() >= 20 && data.startsWith("QRPJ");
        const quint32 command = framed ? commandIdOf(data) : 0;
        if (command == 5) {
            ++m_Accepts;
        } else if (command == 2 || command == 3) {
            ++m_Requests;
            if (!isLoopback(sender))
                continue;
            if (responderIndex >= 0) {
                answer(responderIndex, data, sender);
            } else {
                for (int i = 0; i < m_Responders.size(); ++i)
                    answer(i, data, sender);
            }
        }
    }
    emit datagramReceived();
}

void DiscoveryResponder::answer(int responderIndex, const QByteArray &request, const QHostAddress &to)
{
    const DiscoveryReplyScript s = script(m_Responders.at(responderIndex).address);
    if (s.silent)
        return;
    if (s.delayMs <= 0) {
        sendReplies(responderIndex, request, to);
        return;
    }
    QTimer::singleShot(s.delayMs, this, [this, responderIndex, request, to] {
        sendReplies(responderIndex, request, to);
    });
}

void DiscoveryResponder::sendReplies(int responderIndex, const QByteArray &request, const QHostAddress &to)
{
    const Responder &r = m_Responders.at(responderIndex);
    const DiscoveryReplyScript s = script(r.address);
    const QByteArray reply = buildReply(request, r.address, s);
    for (int i = 0; i < s.copies; ++i) {
        if (r.socket->writeDatagram(reply, to, m_Port) == reply.size())
            ++m_Replies;
    }
}
