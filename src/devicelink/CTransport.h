#ifndef CTRANSPORT_H
#define CTRANSPORT_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class CPortTCP;

// One projector's connection as the device access manager keeps it: the
// reply being assembled, where to connect, and the frames waiting to go out.
class CTransport : public QObject
{
    Q_OBJECT
public:
    enum State {
        STATE_NEW = 0,           // created, connect requested
        STATE_REPLY_RECEIVED = 1,
        STATE_CONNECTING = 2,
        STATE_CONNECTED = 3,
        STATE_AWAITING_REPLY = 4,
        STATE_CLOSING = 6,
        STATE_CLOSED = 7
    };

    CTransport();
    ~CTransport() override;

    QByteArray m_ReceiveBuffer;
    QString m_Host;
    QString m_Port;
    int m_nParam1 = 0;
    int m_nParam2 = 0;
    int m_nState = STATE_NEW;
    bool m_bCanceled = false;
    CPortTCP* m_pPort = nullptr;
    QList<QByteArray> m_PendingFrames;
    // Set by every send, cleared once the request has its result (a reply, a
    // partial reply, nothing in time, or an error): a timeout that arrives
    // while it is clear belongs to a request that is already answered.
    bool m_bAwaitingReply = false;
};

#endif // CTRANSPORT_H
