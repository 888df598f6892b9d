#include "PJSearchUdp.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QTextCodec>
#include <QtEndian>

#include <cstddef>
#include <cstring>

#include "Ipv4Text.h"

Q_LOGGING_CATEGORY(lcSearchUdp, "lumivox.discovery.search", QtWarningMsg)

namespace {

const int RequestSize = int(sizeof(SEARCH_REQ));
const int ReplySize = int(sizeof(SEARCH_ACK));
const int SendTimerMs = 500;
const int BroadcastSends = 4;
// Flags for which a reply must share an application flag with the search.
const quint32 AppFlagCheckMask = 0x04044800u;
// A burst of replies from a whole subnet overflows the default receive buffer.
const int ReceiveBufferBytes = 1024 * 1024;
// Read what arrived every so many sends of a long address search, so the
// replies to its first requests do not overflow the buffer meanwhile.
const int SendsBetweenReads = 32;
// Datagrams handled per readyRead; any rest raises readyRead again, so a flood
// cannot hold the event loop.
const int ReadsPerNotification = 4096;

const quint8 RequestTemplate[RequestSize] = {
    'Q', 'R', 'P', 'J', 0x13, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x70, 0x00, 0x00, 0x00, 0x00, 0x00,
    // CommandID, reserved, application flags and padding stay zero.
};

// Length of a NUL-terminated text inside [begin, begin + maxLength).
int boundedLength(const char *begin, int maxLength)
{
    const void *nul = std::memchr(begin, '\0', size_t(maxLength));
    return nul ? int(static_cast<const char *>(nul) - begin) : maxLength;
}

// A v4-mapped IPv6 sender (dual-stack socket) compares unequal to the plain
// IPv4 address the targets and the found list hold.
QHostAddress normalisedSender(const QHostAddress &sender)
{
    if (sender.protocol() == QAbstractSocket::IPv6Protocol) {
        bool isV4 = false;
        const quint32 v4 = sender.toIPv4Address(&isV4);
        if (isV4 && v4 != 0)
            return QHostAddress(v4);
    }
    return sender;
}

struct BindEndpoint
{
    QHostAddress address = QHostAddress(QHostAddress::AnyIPv4);
    quint16 port = PJSearchUdp::DefaultPort;
};

BindEndpoint &defaultBindEndpoint()
{
    static BindEndpoint endpoint;
    return endpoint;
}

QTextCodec *nameCodec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("Shift_JIS");
    return codec;
}

} // namespace

PJSearchUdp::PJSearchUdp(QObject *parent, int flags, QList<QHostAddress> list)
    : QObject(parent)
    , m_Flags(flags)
    , m_IpList(list)
    , m_BindAddress(defaultBindEndpoint().address)
    , m_Port(defaultBindEndpoint().port)
{
    std::memcpy(&m_Request, RequestTemplate, sizeof m_Request);
    for (int i = 0; i < m_IpList.size(); ++i)
        qCDebug(lcSearchUdp) << "IP Address" << i << ":" << m_IpList.at(i).toString();
    connect(&m_Socket, &QUdpSocket::readyRead, this, &PJSearchUdp::UdpReadyRead);
    connect(&m_Socket, &QAbstractSocket::errorOccurred, this, &PJSearchUdp::UdpSocketError);
    connect(&m_Socket, &QAbstractSocket::disconnected, this, &PJSearchUdp::UdpSocketDisconnect);
    // A coarse timer may fire 5 % early; the resends keep their half second.
    m_SendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_SendTimer, &QTimer::timeout, this, &PJSearchUdp::UdpSendTimeout);
}

PJSearchUdp::~PJSearchUdp()
{
    m_SendTimer.stop();
    m_Socket.close();
}

void PJSearchUdp::SetBindAddress(const QHostAddress &address, quint16 port)
{
    m_BindAddress = address;
    m_Port = port;
}

void PJSearchUdp::SetDefaultBindAddress(const QHostAddress &address, quint16 port)
{
    defaultBindEndpoint() = address.isNull() ? BindEndpoint() : BindEndpoint{address, port};
}

bool PJSearchUdp::Start(unsigned int command)
{
    if (command == SRCH_CMD_BROADCAST)
        PJListClear();

    if (m_IpList.isEmpty() || m_IpList.at(0).toIPv4Address() == 0) {
        qCDebug(lcSearchUdp, "####NIC Error!!");
        qCDebug(lcSearchUdp, "    NIC Count = %d", int(m_IpList.size()));
        if (!m_IpList.isEmpty())
            qCDebug(lcSearchUdp, "    My IP Address %s", qPrintable(m_IpList.at(0).toString()));
        return false;
    }

    // Without the port the replies never reach us: a search from another
    // port would look like one that found nothing.
    if (m_Socket.state() != QAbstractSocket::BoundState) {
        if (!m_Socket.bind(m_BindAddress, m_Port,
                           QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            qCDebug(lcSearchUdp, "####Bind Error!! %s:%u %s", qPrintable(m_BindAddress.toString()),
                    unsigned(m_Port), qPrintable(m_Socket.errorString()));
            m_Socket.close();
            m_Running = false;
            return false;
        }
        m_Socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, ReceiveBufferBytes);
    }

    m_Mode = command;
    ++m_SeqNo;
    m_SendTime = quint32(QDateTime::currentMSecsSinceEpoch());
    qCDebug(lcSearchUdp, "Send Time = %u", m_SendTime);
    m_Running = true;

    m_Request.Header.SeqNo = qToLittleEndian<quint16>(m_SeqNo);
    m_Request.Header.TimeStamp = qToLittleEndian<quint32>(m_SendTime);
    m_Request.Header.DataLength = qToLittleEndian<quint16>(quint16(RequestSize - sizeof(SEARCH_HEADER)));
    m_Request.AppFlag = qToLittleEndian<quint32>(quint32(m_Flags));
    m_Request.CommandID = qToLittleEndian<quint32>(quint32(command));

    const SEARCH_REQ request = m_Request;
    const QList<QHostAddress> targets = m_IpList;
    for (int i = 1; i < targets.size(); ++i) {
        qCDebug(lcSearchUdp) << "Send IP Address" << i << ":" << targets.at(i).toString();
        UdpSend(targets.at(i), reinterpret_cast<const char *>(&request), RequestSize);
        if (i % SendsBetweenReads == 0)
            ReceiveDatagrams(ReadsPerNotification);
    }
    qCDebug(lcSearchUdp, "UDPSend Loop End!!");

    m_SendCounter = 1;
    m_SendTimer.start(SendTimerMs);
    return true;
}

bool PJSearchUdp::Stop()
{
    qCDebug(lcSearchUdp, "Stop");
    m_SendTimer.stop();
    m_Running = false;
    m_Socket.close();
    return true;
}

void PJSearchUdp::SearchIpListUpdate(QList<QHostAddress> list)
{
    m_IpList = list;
}

bool PJSearchUdp::PJListGet(int index, PJ_LIST_INFO &info) const
{
    if (index < 0 || index >= m_PJList.size())
        return false;
    info = m_PJList.at(index);
    return true;
}

int PJSearchUdp::PJListAdd(QHostAddress address, QString name, int status)
{
    if (m_PJListIndex.contains(address))
        return 0;
    PJ_LIST_INFO info;
    info.name = name;
    info.address = address;
    info.status = status;
    m_PJList.append(info);
    m_PJListIndex.insert(address);
    return 0;
}

int PJSearchUdp::PJListClear()
{
    m_PJList.clear();
    m_PJListIndex.clear();
    return 0;
}

int PJSearchUdp::SearchAckDataCheck(SEARCH_ACK *ack, QHostAddress *sender)
{
    qCDebug(lcSearchUdp, "@@SearchAckDataCheck : Start!!");
    const quint32 commandId = qFromLittleEndian<quint32>(ack->CommandID);
    if (commandId == SRCH_CMD_NOTIFY) {
        qCDebug(lcSearchUdp, "##### SearchAckDataCheck : ack->CommandID == SRCH_CMD_NOTIFY");
        qCDebug(lcSearchUdp, "@@SearchAckDataCheck : End!!");
        return 3;
    }
    qCDebug(lcSearchUdp, "SearchAckDataCheck : (01) ack->CommandID  [OK]");

    if (std::memcmp(ack->Header.PacketID, "QRPJ", 4) != 0)
        return 0;
    qCDebug(lcSearchUdp, "SearchAckDataCheck : (02) Header.PacketID [OK]");

    if (qFromLittleEndian<quint16>(ack->Header.SeqNo) != m_SeqNo)
        return 0;
    qCDebug(lcSearchUdp, "SearchAckDataCheck : (03) Header.SeqNo    [OK]");

    const quint32 flags = quint32(m_Flags);
    if ((flags & AppFlagCheckMask) != 0 && (qFromLittleEndian<quint32>(ack->AppFlag) & flags) == 0)
        return 0;
    qCDebug(lcSearchUdp, "SearchAckDataCheck : (04) AppFlag         [OK]");

    if (commandId == SRCH_CMD_BROADCAST) {
        qCDebug(lcSearchUdp, "SearchAckDataCheck : (05) Broadcast        [OK]");
        qCDebug(lcSearchUdp, "@@SearchAckDataCheck : End!!");
        return 2;
    }

    qCDebug(lcSearchUdp, "SearchAckDataCheck : (05) Unicast Check...");
    if (!sender || !m_IpList.contains(*sender))
        return 0;
    qCDebug(lcSearchUdp, "SearchAckDataCheck : (06) Unicast         [OK]");
    qCDebug(lcSearchUdp, "@@SearchAckDataCheck : End!!");
    return 1;
}

void PJSearchUdp::UdpSend(QHostAddress address, const char *data, unsigned long long length)
{
    // UDP output is not buffered, so nothing is waited for before sending.
    const qint64 sent = m_Socket.writeDatagram(data, qint64(length), address, m_Port);
    if (sent == -1)
        qCDebug(lcSearchUdp) << "############################UDPSend Error!!  = " << address.toString();
}

void PJSearchUdp::UdpSendTimeout()
{
    if (m_Mode != SRCH_CMD_BROADCAST || m_IpList.size() < 2) {
        Stop();
        return;
    }
    if (m_SendCounter >= BroadcastSends) {
        Stop();
        return;
    }
    qCDebug(lcSearchUdp) << "IP Address = " << m_IpList.at(1).toString();
    UdpSend(m_IpList.at(1), reinterpret_cast<const char *>(&m_Request), RequestSize);
    ++m_SendCounter;
}

void PJSearchUdp::UdpReadyRead()
{
    ReceiveDatagrams(ReadsPerNotification);
}

void PJSearchUdp::ReceiveDatagrams(int limit)
{
    for (int n = 0; n < limit && m_Socket.state() == QAbstractSocket::BoundState
                    && m_Socket.hasPendingDatagrams(); ++n) {
        // The accept goes out as the request stands now, whatever later calls change.
        const SEARCH_REQ request = m_Request;
        char buffer[ReplySize];
        QHostAddress sender;
        const qint64 size = m_Socket.readDatagram(buffer, ReplySize, &sender);
        if (size < 0)
            break;
        ProcessDatagram(buffer, size, normalisedSender(sender), request);
    }
}

void PJSearchUdp::ProcessDatagram(const char *data, qint64 size, QHostAddress sender,
                                  const SEARCH_REQ &request)
{
    if (!m_IpList.isEmpty() && sender == m_IpList.at(0)) {
        qCDebug(lcSearchUdp, "##echo##:hostip() : %s", qPrintable(sender.toString()));
        return;
    }

    qCDebug(lcSearchUdp, "Receive Data Count = %d", int(size));
    qCDebug(lcSearchUdp, "Receive Data Top   = %s",
            QByteArray(data, boundedLength(data, int(size))).constData());
    qCDebug(lcSearchUdp, "IP Address         = %s", qPrintable(sender.toString()));

    if (size < ReplySize)
        return;

    SEARCH_ACK ack;
    std::memcpy(&ack, data, sizeof ack);
    const int result = SearchAckDataCheck(&ack, &sender);
    if (result == 0)
        return;

    if (result == 2) {
        SEARCH_REQ accept = request;
        accept.CommandID = qToLittleEndian<quint32>(SRCH_CMD_ACCEPT);
        UdpSend(sender, reinterpret_cast<const char *>(&accept), RequestSize);
        qCDebug(lcSearchUdp, "Accept Command Send : %s", qPrintable(sender.toString()));
    }

    // The name runs from offset 96 to its NUL or the end of the datagram.
    const int nameOffset = int(offsetof(SEARCH_ACK, Name));
    const char *nameBytes = data + nameOffset;
    const int nameLength = boundedLength(nameBytes, ReplySize - nameOffset);
    QTextCodec *codec = nameCodec();
    const QString name = codec ? codec->toUnicode(nameBytes, nameLength)
                               : QString::fromUtf8(nameBytes, nameLength);

    const QString addressText = QString::fromLatin1(
        ack.IpAddress, boundedLength(ack.IpAddress, int(sizeof ack.IpAddress)));
    const int status = int(qFromLittleEndian<quint32>(ack.Status));

    quint32 reported = 0;
    const bool parsed = parseIpv4Text(addressText, &reported);
    qCDebug(lcSearchUdp, "hostip1 : %s", qPrintable(sender.toString()));
    qCDebug(lcSearchUdp, "hostip2 : %s", qPrintable(parsed ? QHostAddress(reported).toString() : QString()));

    // An address no device can have (0.0.0.0, broadcast, 127.x) is not listed:
    // the operator could register it and reach the local machine instead.
    if (!parsed || !isUsableIpv4Address(reported) || reported == sender.toIPv4Address()) {
        PJListAdd(sender, name, status);
    } else {
        PJListAdd(QHostAddress(reported), name, status);
        PJListAdd(sender, name, status);
    }
}

void PJSearchUdp::UdpSocketError()
{
    qCDebug(lcSearchUdp) << "####################################udpSocketError :" << m_Socket.errorString();
}

void PJSearchUdp::UdpSocketDisconnect()
{
    qCDebug(lcSearchUdp) << "###################################udpSocketDisconnect :";
}
