#ifndef CDEVICEACCESS_H
#define CDEVICEACCESS_H

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

#include "CPortBase.h"

class CDeviceAccessEvent;
class CPortTCP;
class CTransport;
class QThread;

// The one manager of connections to projectors: one transport (and TCP port)
// per projector id with a connection. Requests are queued and carried out one
// per event-loop delivery; results come back as signals stamped with the
// time, the target's address text and the projector id.
class CDeviceAccess : public QObject, private CPortListener
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

    // Moves the connections to threads of their own (each an epoll
    // dispatcher), so that thousands of sockets neither load the caller's
    // thread nor one core: projector id % N lives on worker N's thread, with
    // N from the cores this process may use (one per three cores, 1 to 4)
    // unless `threads` names it. Call once, from the thread that
    // created this object, before the first request; requests and queries
    // then come from that thread. Requests are queued as before (never
    // carried out inside the call) and the disconnect timers are started and
    // stopped through the same queue; Cancel, CancelAll and Delete wait for
    // the worker(s); the state queries read what the worker last recorded.
    // The signals are emitted in the creating thread, each projector's in the
    // order its worker made them, in batches of a few milliseconds per
    // event-loop turn; Cancel delivers its target's reports (Canceled among
    // them) before it returns, as without a worker.
    bool StartWorkerThread(int threads = 0);
    QThread* WorkerThread() const;
    QList<QThread*> WorkerThreads() const;
    static int DefaultWorkerCount();

    // For tests and diagnostics: how many transports exist, queued requests.
    int GetTransportCount();
    int GetQueuedRequestCount();

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
    // Each port's reports, told directly (see f_ConnectTargetSignals).
    void PortConnected(int key) override { f_OnConnected(key); }
    void PortReadyRead(int key) override { f_OnReadyRead(key); }
    void PortDisconnected(int key) override { f_OnDisconnected(key); }
    void PortError(int key, int code) override { f_OnError(key, code); }
    void PortFrameTimerTimeout(int key) override { f_OnFrameTimerTimeout(key); }
    void PortReceiveTimerTimeout(int key) override { f_OnReceiveTimerTimeout(key); }
    void PortDisconnectTimerTimeout(int key) override { f_OnDisconnectTimerTimeout(key); }
    void PortStateChanged(int key) override { f_OnStateChanged(key); }

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
    CTransport* f_Transport(int nTargetID) const
    {
        return nTargetID >= 0 && size_t(nTargetID) < m_TransportById.size() ? m_TransportById[size_t(nTargetID)]
                                                                            : nullptr;
    }
    bool f_IsInUse(int nTargetID) const;
    bool f_FromOtherThread() const;
    void f_Enqueue(CDeviceAccessEvent* request);
    void f_CarryOut(CDeviceAccessEvent* request);
    void f_RunRequests();
    void f_HandOverRequests(bool locked = false);
    void f_HandOverReports();
    bool f_TurnBudgetSpent() const;
    void f_Record(int nTargetID);
    int f_CancelHere(int nTargetID);
    void f_CancelAllHere();
    void f_DeleteEverything();

    // With a worker thread the results travel to the creating thread in
    // batches: one posted event carries every report made meanwhile, and the
    // signals are emitted there, in the order they were made.
    enum ReportKind { REPORT_CONNECTED, REPORT_SENT, REPORT_RECEIVED, REPORT_DISCONNECTED, REPORT_ERROR,
                      REPORT_CANCELED, REPORT_STATE };
    struct Report
    {
        int kind;
        int id;
        int code;
        QDateTime time;
        QString target;
        QByteArray data;
    };
    void f_Report(int kind, int nTargetID, const QString& target = QString(), const QByteArray& data = QByteArray(),
                  int code = 0);
    void f_Emit(const Report& report);
    void f_PostDelivery();
    void f_Deliver();
    void f_DeliverFor(int nTargetID);
    void f_TakeOutbox(bool deliveryStarts);
    void f_PostDeliveryOfRest();
    void f_SetInUse(int nTargetID, bool inUse);
    bool f_StartOwnWorker(int index);
    CDeviceAccess* f_Shard(int nTargetID) const;
    qint64 f_DeliveryBudgetNs() const;

    QMap<int, CTransport*> m_Transports;
    // The same by index, for the lookups of every frame.
    std::vector<CTransport*> m_TransportById;
    QList<bool> m_InUse;
    QList<CDeviceAccessEvent*> m_Requests; // under m_RequestMutex
    QMutex m_RequestMutex;
    bool m_bRequestsPosted = false; // under m_RequestMutex
    bool m_bRequestsAtOnce = false; // the creating thread has no event loop to hook
    QThread* m_pWorker = nullptr;
    // Since the worker's event loop last came back: how long this turn has
    // run, so one turn never carries out a whole fleet's requests at once.
    QElapsedTimer m_TurnClock;
    // Per id, what another thread's queries read: the socket state (-1 for
    // no transport) and the canceled flag. Written by the worker only.
    std::unique_ptr<QAtomicInt[]> m_RecordedState;
    std::unique_ptr<QAtomicInt[]> m_RecordedCanceled;
    QObject* m_pRelay = nullptr; // lives in the creating thread
    QMutex m_OutboxMutex;
    std::vector<Report> m_Outbox;    // under m_OutboxMutex
    bool m_bDeliveryPosted = false;  // under m_OutboxMutex
    std::deque<Report> m_Delivering; // the creating thread's only
    // With several workers this object only hands each request to the
    // worker of its id (one CDeviceAccess each, living in its thread), and
    // the workers emit their reports as this object's signals.
    std::vector<CDeviceAccess*> m_Shards;
    CDeviceAccess* m_pFront = nullptr;
    // The creating thread's delivery time in its current event-loop turn,
    // summed over the workers, so that together they keep one budget.
    qint64 m_DeliveredThisTurnNs = 0;
    bool m_bDeliveryTurnKnown = false;
    // Taken out of the map, waiting for their queued deletion.
    QList<CTransport*> m_Deleting;
};

#endif // CDEVICEACCESS_H
