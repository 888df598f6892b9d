#ifndef PJSEARCHUDP_H
#define PJSEARCHUDP_H

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUdpSocket>

// One projector found by a search.
struct PJ_LIST_INFO
{
    QString name;
    QHostAddress address;
    int status = 0; // the reply's status word; the search dialog uses 255 for "did not answer"
};

// Discovery datagrams. Every integer field is little-endian on the wire.
struct SEARCH_HEADER
{
    char PacketID[4];    // "QRPJ", no terminator
    quint8 Fixed[4];     // 13 00 00 00
    quint16 SeqNo;
    quint16 DataLength;  // bytes after the first 16
    quint32 TimeStamp;   // low 32 bits of ms since the epoch
};

struct SEARCH_REQ
{
    SEARCH_HEADER Header;
    quint32 CommandID;
    quint32 Reserved;
    quint32 AppFlag;
    quint8 Reserved2[100];
};

struct SEARCH_ACK
{
    SEARCH_HEADER Header;
    quint32 CommandID;
    quint32 Status;
    quint8 Reserved[8];
    char IpAddress[64];  // dotted text, NUL-terminated within the field
    char Name[48];       // Shift_JIS; read on to the end of the datagram when unterminated
    quint32 AppFlag;
    quint8 Reserved2[108];
};

static_assert(sizeof(SEARCH_HEADER) == 16, "header layout");
static_assert(sizeof(SEARCH_REQ) == 128, "request layout");
static_assert(sizeof(SEARCH_ACK) == 256, "reply layout");

enum {
    SRCH_CMD_BROADCAST = 2,
    SRCH_CMD_UNICAST = 3,
    SRCH_CMD_ACCEPT = 5,
    SRCH_CMD_NOTIFY = 8
};

// Finds projectors by UDP: sends search requests to the targets, answers
// broadcast replies with an accept and collects the repliers. It emits no
// signals; its owner polls isRunning() and the found list.
class PJSearchUdp : public QObject
{
    Q_OBJECT
public:
    static const quint16 DefaultPort = 5320;

    // list: element 0 the local interface address, then the addresses to send to.
    PJSearchUdp(QObject *parent, int flags, QList<QHostAddress> list);
    ~PJSearchUdp() override;

    // Production binds every local IPv4 address on 5320; tests bind one
    // loopback address on a free port. The port is also the destination port.
    void SetBindAddress(const QHostAddress &address, quint16 port);
    quint16 Port() const { return m_Port; }
    // What engines made from now on bind to, for the whole process (engines
    // made by the search dialog included); a null address restores every
    // local IPv4 address on 5320.
    static void SetDefaultBindAddress(const QHostAddress &address, quint16 port);
    // The addresses of the current search: the local one first, then the targets.
    QList<QHostAddress> SearchIpList() const { return m_IpList; }

    bool Start(unsigned int command);
    bool Stop();
    bool isRunning() const { return m_Running; }
    // The command of the last successful start (SRCH_CMD_BROADCAST or SRCH_CMD_UNICAST), 0 before one.
    unsigned int Mode() const { return m_Mode; }
    void SearchIpListUpdate(QList<QHostAddress> list);

    int PJListCount() const { return m_PJList.size(); }
    bool PJListGet(int index, PJ_LIST_INFO &info) const;
    int PJListAdd(QHostAddress address, QString name, int status);
    int PJListClear();

    int SearchAckDataCheck(SEARCH_ACK *ack, QHostAddress *sender);
    void UdpSend(QHostAddress address, const char *data, unsigned long long length);

private slots:
    void UdpSendTimeout();
    void UdpReadyRead();
    void UdpSocketError();
    void UdpSocketDisconnect();

private:
    void ReceiveDatagrams(int limit);
    void ProcessDatagram(const char *data, qint64 size, QHostAddress sender, const SEARCH_REQ &request);

    int m_Flags;
    QList<QHostAddress> m_IpList;
    QList<PJ_LIST_INFO> m_PJList;
    QSet<QHostAddress> m_PJListIndex; // addresses in m_PJList, so adding stays O(1)
    SEARCH_REQ m_Request;
    quint16 m_SeqNo = 0;
    quint32 m_SendTime = 0;
    unsigned int m_Mode = 0;
    QUdpSocket m_Socket;
    QTimer m_SendTimer;
    QHostAddress m_BindAddress;
    quint16 m_Port;
    int m_SendCounter = 0;
    bool m_Running = false;
};

#endif // PJSEARCHUDP_H
