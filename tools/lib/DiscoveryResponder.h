#ifndef DISCOVERYRESPONDER_H
#define DISCOVERYRESPONDER_H

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QVector>

class QUdpSocket;

// How one simulated projector answers a discovery request.
struct DiscoveryReplyScript
{
    bool silent = false;          // no reply at all
    quint32 status = 0;
    QByteArray addressText;       // null: the responder's own address
    QByteArray name;              // null: "PJ-" and the responder's address
    bool nameWithoutNul = false;  // the name fills bytes 96..255 with no NUL anywhere
    quint32 appFlag = 0x20;
    quint32 commandId = 0;        // 0: the request's own (2 or 3); else 2, 3, 8, ...
    bool wrongMagic = false;
    int seqNoOffset = 0;          // added to the request's SeqNo
    int length = 256;             // bytes on the wire: shorter cuts, longer pads with zeros
    int copies = 1;               // replies per request
    int delayMs = 0;              // before the replies go out
};

// One datagram that reached a responder or the fan-out address.
struct DiscoveryDatagram
{
    qint64 arrivalMs = 0;         // CGetTickMSec at arrival
    QHostAddress receiver;        // the responder or fan-out address it came to
    QHostAddress sender;
    quint16 senderPort = 0;
    QByteArray data;
};

// Simulated projectors for the discovery protocol, each on its own loopback
// address at one port; a fan-out address stands for a broadcast domain, where
// every responder answers. Nothing here ever leaves 127.0.0.0/8.
class DiscoveryResponder : public QObject
{
    Q_OBJECT
public:
    explicit DiscoveryResponder(quint16 port, QObject *parent = nullptr);
    ~DiscoveryResponder() override;

    quint16 port() const { return m_Port; }

    // False outside 127.0.0.0/8, for an address already added, or when the bind fails.
    bool addResponder(const QHostAddress &address);
    bool setFanOutAddress(const QHostAddress &address);
    int responderCount() const { return m_Responders.size(); }
    QList<QHostAddress> responderAddresses() const;

    void setDefaultScript(const DiscoveryReplyScript &script) { m_DefaultScript = script; }
    void setScript(const QHostAddress &responder, const DiscoveryReplyScript &script);
    DiscoveryReplyScript script(const QHostAddress &responder) const;

    // Sends a reply built from a script without a request (an unsolicited
    // notification when the script's command is 8) from a responder to to:port().
    bool sendUnsolicited(const QHostAddress &from, const QHostAddress &to, quint16 seqNo = 0);
    // Sends any bytes from a responder to to:port().
    bool sendRaw(const QHostAddress &from, const QHostAddress &to, const QByteArray &data);

    void setLogging(bool on) { m_Logging = on; }
    QList<DiscoveryDatagram> log() const { return m_Log; }
    QList<DiscoveryDatagram> log(quint32 commandId) const; // datagrams carrying that CommandID
    void clearLog();

    qint64 requestsReceived() const { return m_Requests; }
    qint64 repliesSent() const { return m_Replies; }
    qint64 acceptsReceived() const { return m_Accepts; }
    qint64 datagramsReceived() const { return m_Datagrams; }
    void resetCounters();

    // The reply a responder at own gives to request under script.
    static QByteArray buildReply(const QByteArray &request, const QHostAddress &own,
                                 const DiscoveryReplyScript &script);
    // A port that is free on every given address (0 when none was found).
    static quint16 findFreePort(const QList<QHostAddress> &addresses);
    static bool isLoopback(const QHostAddress &address);
    static quint32 commandIdOf(const QByteArray &datagram);
    static quint16 seqNoOf(const QByteArray &datagram);

signals:
    void datagramReceived();

private:
    struct Responder
    {
        QHostAddress address;
        QUdpSocket *socket = nullptr;
    };

    QUdpSocket *bindSocket(const QHostAddress &address);
    void readSocket(QUdpSocket *socket, int responderIndex);
    void answer(int responderIndex, const QByteArray &request, const QHostAddress &to);
    void sendReplies(int responderIndex, const QByteArray &request, const QHostAddress &to);

    quint16 m_Port;
    QVector<Responder> m_Responders;
    QHash<quint32, int> m_IndexByAddress;
    QHash<quint32, DiscoveryReplyScript> m_Scripts;
    DiscoveryReplyScript m_DefaultScript;
    QUdpSocket *m_FanOut = nullptr;
    QHostAddress m_FanOutAddress;
    bool m_Logging = true;
    QList<DiscoveryDatagram> m_Log;
    qint64 m_Requests = 0;
    qint64 m_Replies = 0;
    qint64 m_Accepts = 0;
    qint64 m_Datagrams = 0;
};

#endif // DISCOVERYRESPONDER_H
