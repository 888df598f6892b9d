#ifndef CDEVICEACCESS_H
#define CDEVICEACCESS_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class CDeviceAccessEvent;
class CPortTCP;
class CTransport;

// The one manager of connections to projectors: one transport (and TCP port)
// per projector id with a connection. Requests are queued and carried out one
// per event-loop delivery; results come back as signals stamped with the
// time, the target's address text and the projector id.
class CDeviceAccess : public QObject
{
    Q_OBJECT
public:
    static const int TARGET_MAX = 5000;

    explicit CDeviceAccess(QObject* parent = nullptr);
    ~CDeviceAccess() override;

    int SendCommand(int nTargetID, QByteArray* data, int param1, int param2, QString* host,
                    QString* port, bool wait);
    int Disconnect(int nTargetID);
    int Cancel(int nTargetID);
    int CancelAll();
    bool IsCommunicating(int nTargetID);
    int GetConnectionState(int nTargetID);
    int GetLastError(int nTargetID);
    bool IsCanceled(int nTargetID);
    void DisconnectTimerStart(int nTargetID);
    void DisconnectTimerStop(int nTargetID);
    void Delete(int nTargetID);
    int f_GetUnusedKey() const;

    // For tests and diagnostics: how many transports exist, queued requests.
    int GetTransportCount() const { return m_Transports.size(); }
    int GetQueuedRequestCount() const { return m_Requests.size(); }

signals:
    void ConnectCompleted(QDateTime time, QString target, QString msg, int nTargetID);
    void SendCompleted(QDateTime time, QString target, QByteArray data, int nTargetID);
    void Received(QDateTime time, QString target, QByteArray data, int nTargetID);
    void DisconnectCompleted(QDateTime time, QString target, QString msg, int nTargetID);
    void Error(QDateTime time, QString target, int code, int nTargetID);
    void Canceled(int nTargetID);
    void CheckEvent(int nTargetID);
    void DeleteLatorSignal(int nTargetID, CTransport* transport);
    void StateChanged(int nTargetID);

public slots:
    void f_OnCheckEvent(int nTargetID);
    void f_OnConnected(int target);
    void f_OnReadyRead(int target);
    void f_OnDisconnected(int target);
    void f_OnError(int target, int code);
    void DeleteLator(int nTargetID, CTransport* transport);
    void f_OnStateChanged(int nTargetID);
    void f_OnFrameTimerTimeout(int nTargetID);
    void f_OnReceiveTimerTimeout(int nTargetID);
    void f_OnDisconnectTimerTimeout(int nTargetID);

private:
    void f_Init();
    void f_SendEvent(const CDeviceAccessEvent& request);
    void f_DeleteAllTransports();
    void f_SendNow(int nTargetID, CTransport* transport);
    void f_SendOldestFrame(int nTargetID, CTransport* transport, int stateAfterSend);
    void f_OnTimeout(int nTargetID, bool receiveTimer);
    void f_Reconnect(int nTargetID, CTransport* transport, const QString& host, const QString& port,
                     bool wait);
    void f_SendPending(int nTargetID, CTransport* transport);
    void f_TimeoutEnding(int nTargetID, CTransport* transport);
    CTransport* f_TransportNotCanceled(int nTargetID);
    void f_CancelEnding(int nTargetID, CTransport* transport);
    void f_StateSynchronizeWithSocket(CTransport* transport);
    void f_ConnectTargetSignals(CTransport* transport);
    void f_DisconnectTargetSignals(CTransport* transport);
    CTransport* f_Transport(int nTargetID) const { return m_Transports.value(nTargetID, nullptr); }
    bool f_IsInUse(int nTargetID) const;
    void f_SetInUse(int nTargetID, bool inUse);

    QMap<int, CTransport*> m_Transports;
    QList<bool> m_InUse;
    QList<CDeviceAccessEvent*> m_Requests;
    // Taken out of the map, waiting for their queued deletion.
    QList<CTransport*> m_Deleting;
};

#endif // CDEVICEACCESS_H
