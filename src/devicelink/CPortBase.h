#ifndef CPORTBASE_H
#define CPORTBASE_H

#include <QAtomicInt>
#include <QByteArray>
#include <QMetaMethod>
#include <QString>
#include <QTimer>

#include "CEventThread.h"
#include "CReceiveCondition.h"

// Told of a port's reports directly, before its signals go out: the device
// access layer, which holds thousands of ports, is a port's one listener.
class CPortListener
{
public:
    virtual void PortConnected(int key) = 0;
    virtual void PortReadyRead(int key) = 0;
    virtual void PortDisconnected(int key) = 0;
    virtual void PortError(int key, int code) = 0;
    virtual void PortFrameTimerTimeout(int key) = 0;
    virtual void PortReceiveTimerTimeout(int key) = 0;
    virtual void PortDisconnectTimerTimeout(int key) = 0;
    virtual void PortStateChanged(int key) = 0;

protected:
    ~CPortListener() = default;
};

// The abstract connection to one projector. It keeps the reply completion
// condition and three single-shot timers (disconnect 500 ms, receive 5000 ms,
// frame gap 600 ms) that the device access layer arms and reacts to; every
// signal carries the port's key, the projector id.
class CPortBase : public CEventThread
{
    Q_OBJECT
public:
    explicit CPortBase(QObject* parent = nullptr);
    ~CPortBase() override;

    virtual int Connect(QString* host, QString* port, bool wait) = 0;
    virtual int Connect(bool wait) = 0;
    virtual int Disconnect() = 0;
    virtual int Send(QByteArray data, int from, int length) = 0;
    virtual int Receive(QByteArray* out, int maxSize) = 0;
    virtual bool Destruction(bool wait) = 0;
    virtual int GetConnectionState() = 0;
    virtual void BeforeDelete();

    void SetReceiveCompletedCondition(int type, int extra, int first, int last, int base,
                                      bool forwardBytes, bool msbFirst);
    CReceiveCondition GetReceiveCompletedCondition() const { return m_Condition; }
    bool IsReceiveCompleted(const QByteArray& data) const;
    bool IsReceiveCompleted(const QByteArray& data, int type, int extra, int first, int last,
                            int base, bool forwardBytes, bool msbFirst) const;
    int f_GetReceivedLength(const QByteArray& data, int first, int last, bool forwardBytes,
                            bool msbFirst) const;
    int f_GetReceivedLength(const QByteArray& data, int first, int last, int base,
                            bool forwardBytes) const;
    int f_GetReceivedLength(const QByteArray& data, int type, int first, int last, int base,
                            bool forwardBytes, bool msbFirst) const;

    bool IsConnected() const { return m_bConnected; }
    int GetLastError() const { return m_nLastError; }

    int GetKey() const { return m_nKey; }
    void SetKey(int key) { m_nKey = key; }

    // Null: the signals alone tell.
    void SetListener(CPortListener* listener) { m_pListener = listener; }

    // The timers belong to the port, but only the device access layer starts
    // and stops them.
    QTimer* GetDisconnectTimer() { return &m_DisconnectTimer; }
    QTimer* GetReceiveTimer() { return &m_ReceiveTimer; }
    QTimer* GetFrameTimer() { return &m_FrameTimer; }

    // A timer's timeout reaches the layer above through a queued call, so it
    // can arrive after the layer has already handed the reply on; these flags
    // let the layer drop such a late timeout once.
    bool IsReceiveTimeoutIgnored() const { return m_bIgnoreReceiveTimeout; }
    void SetReceiveTimeoutIgnored(bool ignore) { m_bIgnoreReceiveTimeout = ignore; }
    bool IsFrameTimeoutIgnored() const { return m_bIgnoreFrameTimeout; }
    void SetFrameTimeoutIgnored(bool ignore) { m_bIgnoreFrameTimeout = ignore; }

    static const int DISCONNECT_TIMER_MSEC = 500;
    static const int RECEIVE_TIMER_MSEC = 5000;
    static const int FRAME_TIMER_MSEC = 600;

public slots:
    virtual void Abort() = 0;

signals:
    void ConnectStart(int key);
    void Connected(int key);
    void DisconnectStart(int key);
    void Disconnected(int key);
    void SendStart(int key);
    void SendCompleted(int key, QByteArray data, int size);
    void ReceiveStart(int key);
    void Received(int key, QByteArray data, int size);
    void Error(int key, int code);
    void DisconnectedFromPeer(int key);
    void ReceiveBufferCleared(int key);
    void ReadyRead(int key);
    void DisconnectTimerTimeout(int key);
    void ReceiveTimerTimeout(int key);
    void FrameTimerTimeout(int key);
    void StateChanged(int key);

private slots:
    void f_OnDisconnectTimerTimeout();
    void f_OnReceiveTimerTimeout();
    void f_OnFrameTimerTimeout();

protected:
    // Whether anything is connected to the port's own signals: a fleet's
    // ports report every frame, mostly to their listener alone, and a signal
    // nobody hears still costs its emission.
    bool f_Heard() const { return m_nHeard.loadRelaxed() > 0; }
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

    // The listener first, then the signal (a listener never deletes the port
    // while it is told).
    void f_TellConnected();
    void f_TellReadyRead();
    void f_TellDisconnected();
    void f_TellError(int code);
    void f_TellStateChanged();
    template <typename... Args>
    void f_Tell(void (CPortListener::*told)(int, Args...), void (CPortBase::*signal)(int, Args...), Args... args);

    CReceiveCondition m_Condition;
    bool m_bConnected = false;
    QByteArray m_SendBuffer;
    QByteArray m_ReceiveBuffer;
    int m_nLastError = 0;
    QTimer m_DisconnectTimer;
    QTimer m_ReceiveTimer;
    QTimer m_FrameTimer;
    bool m_bIgnoreReceiveTimeout = false;
    bool m_bIgnoreFrameTimeout = false;
    int m_nKey = 0;
    CPortListener* m_pListener = nullptr;
    QAtomicInt m_nHeard;
};

#endif // CPORTBASE_H
