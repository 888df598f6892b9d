#ifndef CPORTTCPEVENT_H
#define CPORTTCPEVENT_H

#include <QByteArray>
#include <QString>

#include "CEventBase.h"
#include "CReceiveCondition.h"

// The request records of the TCP port. The port's operations build them on
// the stack and run the handler registered for their key at once.
class CPortTCPEvent : public CEventBase
{
public:
    enum Key {
        KEY_CONNECT = 1,
        KEY_SEND = 2,
        KEY_RECEIVE = 3,
        KEY_DISCONNECT = 4,
        KEY_DISCONNECTED = 5,
        KEY_SET_CONNECT_TIMEOUT = 6,
        KEY_SET_SEND_TIMEOUT = 7,
        KEY_SET_RECEIVE_TIMEOUT = 8,
        KEY_SET_FRAME_TIMEOUT = 9
    };

    explicit CPortTCPEvent(int key)
    {
        m_nEventKey = key;
        SetEventID(1);
    }
};

class CPortTCPEventConnect : public CPortTCPEvent
{
public:
    CPortTCPEventConnect(const QString& host, const QString& port)
        : CPortTCPEvent(KEY_CONNECT), m_Host(host), m_Port(port) {}
    QString m_Host;
    QString m_Port;
};

class CPortTCPEventSend : public CPortTCPEvent
{
public:
    CPortTCPEventSend(const QByteArray& data, bool clearBeforeSend)
        : CPortTCPEvent(KEY_SEND), m_Data(data), m_bClearBeforeSend(clearBeforeSend) {}
    QByteArray m_Data;
    bool m_bClearBeforeSend;
};

class CPortTCPEventReceive : public CPortTCPEvent
{
public:
    CPortTCPEventReceive(QByteArray* out, int maxSize, const CReceiveCondition& condition)
        : CPortTCPEvent(KEY_RECEIVE), m_pOut(out), m_nMaxSize(maxSize), m_Condition(condition) {}
    QByteArray* m_pOut;
    int m_nMaxSize;
    CReceiveCondition m_Condition;
};

class CPortTCPEventDisconnect : public CPortTCPEvent
{
public:
    CPortTCPEventDisconnect() : CPortTCPEvent(KEY_DISCONNECT) {}
};

class CPortTCPEventDisconnected : public CPortTCPEvent
{
public:
    CPortTCPEventDisconnected() : CPortTCPEvent(KEY_DISCONNECTED) {}
};

// Keys 6 to 9: the new timeout in milliseconds.
class CPortTCPEventSetTimeout : public CPortTCPEvent
{
public:
    CPortTCPEventSetTimeout(int key, int timeout) : CPortTCPEvent(key), m_nTimeout(timeout) {}
    int m_nTimeout;
};

#endif // CPORTTCPEVENT_H
