#include "CDeviceAccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QThread>

#include "CDeviceAccessEvent.h"
#include "CEpollEventDispatcher.h"
#include "CLocalClock.h"
#include "CPortTCP.h"
#include "CTransport.h"

#include <algorithm>

#include <sched.h>

namespace {
Q_LOGGING_CATEGORY(lcDevice, "lumivox.devicelink", QtWarningMsg)

// How long a busy worker pauses before it waits (see SetBusyNap): under a
// millisecond, nothing next to a projector's reply time.
const int BUSY_NAP_US = 300;

QDateTime Now()
{
    return CLocalClock::Now();
}
}

CDeviceAccess::CDeviceAccess(QObject* parent)
    : QObject(parent)
    , m_RecordedState(new QAtomicInt[TARGET_MAX])
    , m_RecordedCanceled(new QAtomicInt[TARGET_MAX])
{
    for (int i = 0; i < TARGET_MAX; ++i)
        m_RecordedState[i].storeRelaxed(-1);
    qRegisterMetaType<CTransport*>("CTransport*");
    f_Init();
    connect(this, &CDeviceAccess::CheckEvent, this, &CDeviceAccess::f_OnCheckEvent, Qt::QueuedConnection);
    connect(this, &CDeviceAccess::DeleteLatorSignal, this, &CDeviceAccess::DeleteLator, Qt::QueuedConnection);
}

CDeviceAccess::~CDeviceAccess()
{
    for (CDeviceAccess* shard : m_Shards)
        delete shard;
    m_Shards.clear();
    if (m_pWorker && QThread::currentThread() != m_pWorker) {
        // Sockets and timers end in the thread that owns them; then this
        // object comes back to the deleting thread and the worker ends.
        QThread* here = QThread::currentThread();
        QMetaObject::invokeMethod(this, [this, here]() {
            f_DeleteEverything();
            moveToThread(here);
        }, Qt::BlockingQueuedConnection);
        m_pWorker->quit();
        m_pWorker->wait();
        delete m_pWorker;
        m_pWorker = nullptr;
        // Reports not yet delivered go with it.
        delete m_pRelay;
        m_pRelay = nullptr;
    }
    f_DeleteEverything();
}

void CDeviceAccess::f_DeleteEverything()
{
    f_DeleteAllTransports();
    for (CTransport* transport : qAsConst(m_Deleting)) {
        transport->m_pPort->BeforeDelete();
        delete transport;
    }
    m_Deleting.clear();
    QMutexLocker lock(&m_RequestMutex);
    qDeleteAll(m_Requests);
    m_Requests.clear();
}

int CDeviceAccess::DefaultWorkerCount()
{
    int cores = QThread::idealThreadCount();
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0)
        cores = CPU_COUNT(&set);
    // Every further thread adds hand-overs and wake-ups and takes a core from
    // the GUI thread and the rest of the machine: on eight cores two threads
    // sweep 2000 projectors sooner and with less CPU time than four.
    return qBound(1, cores / 3, 4);
}

bool CDeviceAccess::StartWorkerThread(int threads)
{
    if (m_pWorker || !m_Shards.empty() || m_pFront || parent() || thread() != QThread::currentThread())
        return false;
    const int most = TARGET_MAX;
    const int count = threads > 0 ? qMin(threads, most) : DefaultWorkerCount();
    // One delivery budget per turn of this thread's loop, shared by the workers.
    if (QAbstractEventDispatcher* here = QAbstractEventDispatcher::instance()) {
        m_bDeliveryTurnKnown = true;
        connect(here, &QAbstractEventDispatcher::awake, this, [this]() { m_DeliveredThisTurnNs = 0; },
                Qt::DirectConnection);
    }
    for (int i = 0; i < count; ++i) {
        auto* shard = new CDeviceAccess;
        shard->m_pFront = this;
        m_Shards.push_back(shard);
        shard->f_StartOwnWorker(i);
    }
    return true;
}

QThread* CDeviceAccess::WorkerThread() const
{
    return m_Shards.empty() ? m_pWorker : m_Shards.front()->m_pWorker;
}

QList<QThread*> CDeviceAccess::WorkerThreads() const
{
    QList<QThread*> threads;
    for (CDeviceAccess* shard : m_Shards)
        threads.append(shard->m_pWorker);
    if (m_pWorker)
        threads.append(m_pWorker);
    return threads;
}

// The worker that owns this id's connection, or null without workers.
CDeviceAccess* CDeviceAccess::f_Shard(int nTargetID) const
{
    if (m_Shards.empty())
        return nullptr;
    const int n = static_cast<int>(m_Shards.size());
    return m_Shards[static_cast<size_t>((nTargetID % n + n) % n)];
}

bool CDeviceAccess::f_StartOwnWorker(int index)
{
    m_pRelay = new QObject;
    m_pWorker = new QThread;
    m_pWorker->setObjectName(QStringLiteral("device link %1").arg(index));
    // Each side hands over what a turn of its event loop produced in one
    // posted event, at the start of its next turn or before it waits: one
    // wake-up of the other thread per turn, not per request or report.
    auto* dispatcher = new CEpollEventDispatcher;
    // A fleet's replies come thick and fast: a worker that pauses briefly
    // before it waits takes many in one turn instead of waking for each.
    dispatcher->SetBusyNap(BUSY_NAP_US);
    m_pWorker->setEventDispatcher(dispatcher);
    connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this]() {
        f_HandOverReports();
        m_TurnClock.start();
    }, Qt::DirectConnection);
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this]() { f_HandOverReports(); },
            Qt::DirectConnection);
    if (QAbstractEventDispatcher* here = QAbstractEventDispatcher::instance()) {
        connect(here, &QAbstractEventDispatcher::awake, m_pRelay, [this]() { f_HandOverRequests(); },
                Qt::DirectConnection);
        connect(here, &QAbstractEventDispatcher::aboutToBlock, m_pRelay, [this]() { f_HandOverRequests(); },
                Qt::DirectConnection);
    } else {
        m_bRequestsAtOnce = true;
    }
    moveToThread(m_pWorker);
    m_pWorker->start();
    return true;
}

void CDeviceAccess::f_Report(int kind, int nTargetID, const QString& target, const QByteArray& data, int code)
{
    Report report{kind, nTargetID, code, QDateTime(), target, data};
    if (kind != REPORT_CANCELED && kind != REPORT_STATE)
        report.time = Now();
    if (!m_pWorker) {
        f_Emit(report);
        return;
    }
    QMutexLocker lock(&m_OutboxMutex);
    m_Outbox.push_back(std::move(report));
}

// In the worker.
void CDeviceAccess::f_HandOverReports()
{
    QMutexLocker lock(&m_OutboxMutex);
    if (!m_Outbox.empty() && !m_bDeliveryPosted) {
        m_bDeliveryPosted = true;
        f_PostDelivery();
    }
}

// In the creating thread (with the request lock held when `locked`).
void CDeviceAccess::f_HandOverRequests(bool locked)
{
    if (!locked)
        m_RequestMutex.lock();
    if (!m_Requests.isEmpty() && !m_bRequestsPosted) {
        m_bRequestsPosted = true;
        QMetaObject::invokeMethod(this, [this]() { f_RunRequests(); }, Qt::QueuedConnection);
    }
    if (!locked)
        m_RequestMutex.unlock();
}

void CDeviceAccess::f_Emit(const Report& r)
{
    CDeviceAccess* out = m_pFront ? m_pFront : this;
    switch (r.kind) {
    case REPORT_CONNECTED:
        emit out->ConnectCompleted(r.time, r.target, QStringLiteral("Connected."), r.id);
        break;
    case REPORT_SENT:
        emit out->SendCompleted(r.time, r.target, r.data, r.id);
        break;
    case REPORT_RECEIVED:
        emit out->Received(r.time, r.target, r.data, r.id);
        break;
    case REPORT_DISCONNECTED:
        emit out->DisconnectCompleted(r.time, r.target, QStringLiteral("Disconnected."), r.id);
        break;
    case REPORT_ERROR:
        emit out->Error(r.time, r.target, r.code, r.id);
        break;
    case REPORT_CANCELED:
        emit out->Canceled(r.id);
        break;
    case REPORT_STATE:
        emit out->StateChanged(r.id);
        break;
    default:
        break;
    }
}

// Called with m_OutboxMutex held.
void CDeviceAccess::f_PostDelivery()
{
    QMetaObject::invokeMethod(m_pRelay, [this]() { f_Deliver(); }, Qt::QueuedConnection);
}

// In the creating thread: what the worker has reported so far joins the
// reports waiting there.
void CDeviceAccess::f_TakeOutbox(bool deliveryStarts)
{
    // Swapped under the lock, moved after it: the worker reports meanwhile.
    std::vector<Report> taken;
    {
        QMutexLocker lock(&m_OutboxMutex);
        if (deliveryStarts)
            m_bDeliveryPosted = false;
        taken.swap(m_Outbox);
        m_Outbox.reserve(taken.size());
    }
    for (Report& r : taken)
        m_Delivering.push_back(std::move(r));
}

void CDeviceAccess::f_PostDeliveryOfRest()
{
    if (m_Delivering.empty())
        return;
    QMutexLocker lock(&m_OutboxMutex);
    if (!m_bDeliveryPosted) {
        m_bDeliveryPosted = true;
        f_PostDelivery();
    }
}

// In the creating thread: the reports in the order they were made, for a few
// milliseconds at most per event-loop turn, so a burst of replies from a
// large fleet never holds the thread up for long.
void CDeviceAccess::f_Deliver()
{
    f_TakeOutbox(true);
    const qint64 budgetNs = f_DeliveryBudgetNs();
    QElapsedTimer spent;
    spent.start();
    // Taken off one at a time: a slot that runs a nested event loop may
    // deliver the rest meanwhile. At least one, so every worker gets on.
    bool first = true;
    while (!m_Delivering.empty() && (first || spent.nsecsElapsed() < budgetNs)) {
        first = false;
        const Report r = std::move(m_Delivering.front());
        m_Delivering.pop_front();
        f_Emit(r);
    }
    if (m_pFront)
        m_pFront->m_DeliveredThisTurnNs += spent.nsecsElapsed();
    f_PostDeliveryOfRest();
}

// What is left of the creating thread's delivery time in this turn.
qint64 CDeviceAccess::f_DeliveryBudgetNs() const
{
    const qint64 budgetNs = 5 * 1000 * 1000;
    if (!m_pFront || !m_pFront->m_bDeliveryTurnKnown)
        return budgetNs;
    return budgetNs - m_pFront->m_DeliveredThisTurnNs;
}

// In the creating thread: every waiting report of one target, now, in order;
// the other targets' reports keep their turn.
void CDeviceAccess::f_DeliverFor(int nTargetID)
{
    f_TakeOutbox(false);
    for (;;) {
        const auto it = std::find_if(m_Delivering.begin(), m_Delivering.end(),
                                     [nTargetID](const Report& r) { return r.id == nTargetID; });
        if (it == m_Delivering.end())
            break;
        const Report r = std::move(*it);
        m_Delivering.erase(it);
        f_Emit(r);
    }
    f_PostDeliveryOfRest();
}

bool CDeviceAccess::f_FromOtherThread() const
{
    return m_pWorker && QThread::currentThread() != m_pWorker;
}

// What another thread's queries read for this id from now on.
void CDeviceAccess::f_Record(int nTargetID)
{
    if (nTargetID < 0 || nTargetID >= TARGET_MAX)
        return;
    CTransport* transport = f_Transport(nTargetID);
    m_RecordedState[nTargetID].storeRelease(transport ? transport->m_pPort->GetConnectionState() : -1);
    m_RecordedCanceled[nTargetID].storeRelease(transport && transport->m_bCanceled ? 1 : 0);
}

// Without a worker every request goes with one CheckEvent. With one, a single
// posted event carries out what the creating thread queued in one turn of
// its loop, a few milliseconds' worth per turn of the worker's loop; either
// way nothing is carried out inside the call that queued it, and the order
// is kept.
void CDeviceAccess::f_Enqueue(CDeviceAccessEvent* request)
{
    const int id = request->m_nTargetID;
    {
        QMutexLocker lock(&m_RequestMutex);
        m_Requests.append(request);
        if (m_pWorker) {
            if (m_bRequestsAtOnce)
                f_HandOverRequests(true);
            return;
        }
    }
    emit CheckEvent(id);
}

bool CDeviceAccess::f_TurnBudgetSpent() const
{
    const qint64 budgetMs = 5;
    return m_TurnClock.isValid() && m_TurnClock.elapsed() >= budgetMs;
}

void CDeviceAccess::f_RunRequests()
{
    for (;;) {
        // All that is queued, taken under the lock at once; the creating
        // thread queues more meanwhile.
        QList<CDeviceAccessEvent*> batch;
        {
            QMutexLocker lock(&m_RequestMutex);
            if (m_Requests.isEmpty()) {
                m_bRequestsPosted = false;
                return;
            }
            if (f_TurnBudgetSpent()) {
                // The rest on a later turn, after the sockets and timers.
                QMetaObject::invokeMethod(this, [this]() { f_RunRequests(); }, Qt::QueuedConnection);
                return;
            }
            batch.swap(m_Requests);
        }
        int done = 0;
        while (done < batch.size() && (done == 0 || !f_TurnBudgetSpent()))
            f_CarryOut(batch.at(done++));
        if (done < batch.size()) {
            // Not carried out this turn: before those queued meanwhile.
            QMutexLocker lock(&m_RequestMutex);
            m_Requests = batch.mid(done) + m_Requests;
        }
    }
}

void CDeviceAccess::f_Init()
{
    m_InUse = QList<bool>();
    m_InUse.reserve(TARGET_MAX);
    for (int i = 0; i < TARGET_MAX; ++i)
        m_InUse.append(false);
    f_DeleteAllTransports();
}

void CDeviceAccess::f_DeleteAllTransports()
{
    for (CTransport* transport : qAsConst(m_Transports)) {
        f_DisconnectTargetSignals(transport);
        transport->m_pPort->BeforeDelete();
        delete transport;
    }
    m_Transports.clear();
    std::fill(m_TransportById.begin(), m_TransportById.end(), nullptr);
}

bool CDeviceAccess::f_IsInUse(int nTargetID) const
{
    return nTargetID >= 0 && nTargetID < m_InUse.size() && m_InUse.at(nTargetID);
}

void CDeviceAccess::f_SetInUse(int nTargetID, bool inUse)
{
    if (nTargetID >= 0 && nTargetID < m_InUse.size())
        m_InUse[nTargetID] = inUse;
}

// ---- requests ---------------------------------------------------------------

int CDeviceAccess::SendCommand(int nTargetID, QByteArray* data, int param1, int param2, QString* host,
                               QString* port, bool wait)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->SendCommand(nTargetID, data, param1, param2, host, port, wait);
    auto* request = new CDeviceAccessEvent;
    request->m_nTargetID = nTargetID;
    request->m_nKind = CDeviceAccessEvent::KIND_SEND;
    if (data)
        request->m_Data = *data;
    request->m_nParam1 = param1;
    request->m_nParam2 = param2;
    request->m_bHasHost = host != nullptr;
    request->m_bHasPort = port != nullptr;
    if (host)
        request->m_Host = *host;
    if (port)
        request->m_Port = *port;
    request->m_bWait = wait;
    f_Enqueue(request);
    return 0;
}

int CDeviceAccess::Disconnect(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->Disconnect(nTargetID);
    auto* request = new CDeviceAccessEvent;
    request->m_nTargetID = nTargetID;
    request->m_nKind = CDeviceAccessEvent::KIND_DISCONNECT;
    f_Enqueue(request);
    return 0;
}

void CDeviceAccess::f_OnCheckEvent(int)
{
    CDeviceAccessEvent* request = nullptr;
    {
        QMutexLocker lock(&m_RequestMutex);
        if (m_Requests.isEmpty())
            return;
        request = m_Requests.takeFirst();
    }
    f_CarryOut(request);
}

void CDeviceAccess::f_CarryOut(CDeviceAccessEvent* request)
{
    const int id = request->m_nTargetID;
    switch (request->m_nKind) {
    case CDeviceAccessEvent::KIND_SEND:
        f_SendEvent(*request);
        break;
    case CDeviceAccessEvent::KIND_DISCONNECT:
        if (CTransport* transport = f_Transport(id))
            transport->m_pPort->Abort();
        break;
    case CDeviceAccessEvent::KIND_TIMER_START:
        DisconnectTimerStart(id);
        break;
    case CDeviceAccessEvent::KIND_TIMER_STOP:
        DisconnectTimerStop(id);
        break;
    default:
        break;
    }
    delete request;
    f_Record(id);
}

void CDeviceAccess::f_SendEvent(const CDeviceAccessEvent& request)
{
    const int id = request.m_nTargetID;
    CTransport* transport = f_Transport(id);
    if (!transport) {
        if (!request.m_bHasHost || !request.m_bHasPort || f_IsInUse(id))
            return;
        if (id < 0 || id >= TARGET_MAX) {
            qCDebug(lcDevice, "Target id %d is out of range.", id);
            return;
        }
        f_SetInUse(id, true);
        transport = new CTransport;
        transport->m_pPort = new CPortTCP(nullptr);
        transport->m_pPort->SetKey(id);
        transport->m_Host = request.m_Host;
        transport->m_Port = request.m_Port;
        transport->m_nParam1 = request.m_nParam1;
        transport->m_nParam2 = request.m_nParam2;
        m_Transports.insert(id, transport);
        if (m_TransportById.empty())
            m_TransportById.assign(TARGET_MAX, nullptr);
        m_TransportById[size_t(id)] = transport;
        f_Record(id);
        f_ConnectTargetSignals(transport);
        transport->m_pPort->SetReceiveCompletedCondition(3, 6, 28, 39, 0, true, true);
        // A reply starts with the first byte received after its request went
        // out: what came before (a line end after the last reply that had not
        // been read yet) is dropped as the request is sent.
        transport->m_pPort->SetClearBeforeSend(true);
    }

    transport->m_PendingFrames.append(request.m_Data);
    switch (transport->m_nState) {
    case CTransport::STATE_NEW:
    case CTransport::STATE_CLOSED:
        f_Reconnect(id, transport, request.m_Host, request.m_Port, request.m_bWait);
        break;
    case CTransport::STATE_REPLY_RECEIVED:
    case CTransport::STATE_CONNECTED:
        // The first frame after connecting leaves the state at "connected";
        // while its reply is outstanding the new frame waits its turn.
        if (!transport->m_bAwaitingReply)
            f_SendNow(id, transport);
        break;
    default:
        break;
    }
}

void CDeviceAccess::f_Reconnect(int nTargetID, CTransport* transport, const QString& host,
                                const QString& port, bool wait)
{
    QString hostText = host;
    QString portText = port;
    const int result = transport->m_pPort->Connect(&hostText, &portText, wait);
    // -4: a connection is already under way. Any other failure ends the
    // request now, unless the port's own error report has done so already.
    if (result < 0 && result != -4 && f_Transport(nTargetID) == transport) {
        const QString target = transport->m_Host;
        Delete(nTargetID);
        f_Report(REPORT_ERROR, nTargetID, target, QByteArray(), result);
    }
}

void CDeviceAccess::f_SendNow(int nTargetID, CTransport* transport)
{
    transport->m_ReceiveBuffer.clear();
    f_SendOldestFrame(nTargetID, transport, CTransport::STATE_AWAITING_REPLY);
}

// Sends the oldest waiting frame and starts the response timer.
void CDeviceAccess::f_SendOldestFrame(int nTargetID, CTransport* transport, int stateAfterSend)
{
    if (transport->m_PendingFrames.isEmpty())
        return;
    const QByteArray frame = transport->m_PendingFrames.takeFirst();
    if (transport->m_pPort->Send(frame, 0, -1) < 0)
        return; // reported through the port's Error
    transport->m_nState = stateAfterSend;
    transport->m_bAwaitingReply = true;
    transport->m_pPort->GetReceiveTimer()->start();
    f_Report(REPORT_SENT, nTargetID, transport->m_Host, frame);
    // A failure to write reports through the port's Error as before, after
    // the send was reported.
    if (f_Transport(nTargetID) == transport)
        transport->m_pPort->FlushSent();
}

// After a request has its result, the next waiting frame goes out at once;
// a closed connection with frames waiting is opened again.
void CDeviceAccess::f_SendPending(int nTargetID, CTransport* transport)
{
    if (f_Transport(nTargetID) != transport || transport->m_PendingFrames.isEmpty()
        || transport->m_bAwaitingReply || transport->m_bCanceled)
        return;
    switch (transport->m_nState) {
    case CTransport::STATE_REPLY_RECEIVED:
    case CTransport::STATE_CONNECTED:
        f_SendNow(nTargetID, transport);
        break;
    case CTransport::STATE_CLOSED:
        f_Reconnect(nTargetID, transport, transport->m_Host, transport->m_Port, false);
        break;
    default:
        break; // connecting or closing: the connection's own report goes on
    }
}

// ---- port signals -----------------------------------------------------------

void CDeviceAccess::f_OnConnected(int target)
{
    CTransport* transport = f_TransportNotCanceled(target);
    if (!transport)
        return;
    transport->m_nState = CTransport::STATE_CONNECTED;
    transport->m_ReceiveBuffer.clear();
    f_Report(REPORT_CONNECTED, target, transport->m_Host);
    // The state stays "connected" while this first frame is out.
    if (f_Transport(target) == transport)
        f_SendOldestFrame(target, transport, CTransport::STATE_CONNECTED);
}

void CDeviceAccess::f_OnReadyRead(int target)
{
    CTransport* transport = f_TransportNotCanceled(target);
    if (!transport)
        return;
    CPortTCP* port = transport->m_pPort;
    QByteArray chunk;
    port->Receive(&chunk, 5000);
    if (chunk.isEmpty())
        return;

    // Bytes while no request is outstanding answer nothing (a line end after
    // a reply, the rest of a reply already given up on): kept, they would be
    // taken for the start of the next reply.
    if (!transport->m_bAwaitingReply) {
        qCDebug(lcDevice, "projector %d: %d byte(s) with no request outstanding dropped", target, chunk.size());
        return;
    }
    const bool heldBytes = !transport->m_ReceiveBuffer.isEmpty();
    transport->m_ReceiveBuffer.append(chunk);
    QTimer* receiveTimer = port->GetReceiveTimer();
    QTimer* frameTimer = port->GetFrameTimer();

    const int replySize = GetReceiveCompletedSize(transport->m_ReceiveBuffer, port->GetReceiveCompletedCondition());
    if (replySize < 0) {
        // A gap timer that has fired but whose timeout is still on its way
        // must not cut this reply short.
        if (heldBytes && !frameTimer->isActive())
            port->SetFrameTimeoutIgnored(true);
        frameTimer->stop();
        frameTimer->start();
        return;
    }

    if (!receiveTimer->isActive())
        port->SetReceiveTimeoutIgnored(true);
    if (heldBytes && !frameTimer->isActive())
        port->SetFrameTimeoutIgnored(true);
    // What came after the complete reply in the same read (a line end some
    // projectors add) answers nothing: the reply is judged without it, as it
    // is when those bytes come in a read of their own.
    if (replySize < transport->m_ReceiveBuffer.size()) {
        qCDebug(lcDevice, "projector %d: %d byte(s) after the reply dropped", target,
                transport->m_ReceiveBuffer.size() - replySize);
        transport->m_ReceiveBuffer.truncate(replySize);
    }
    receiveTimer->stop();
    frameTimer->stop();
    transport->m_bAwaitingReply = false;
    transport->m_nState = CTransport::STATE_REPLY_RECEIVED;
    f_Report(REPORT_RECEIVED, target, transport->m_Host, transport->m_ReceiveBuffer);
    f_SendPending(target, transport);
}

void CDeviceAccess::f_OnFrameTimerTimeout(int nTargetID)
{
    f_OnTimeout(nTargetID, false);
}

void CDeviceAccess::f_OnReceiveTimerTimeout(int nTargetID)
{
    f_OnTimeout(nTargetID, true);
}

// The frame gap (600 ms without a further chunk) or the response time (5000 ms
// after the send) has run out.
void CDeviceAccess::f_OnTimeout(int nTargetID, bool receiveTimer)
{
    CTransport* transport = f_Transport(nTargetID);
    if (!transport)
        return;
    CPortTCP* port = transport->m_pPort;
    QTimer* own = receiveTimer ? port->GetReceiveTimer() : port->GetFrameTimer();
    QTimer* other = receiveTimer ? port->GetFrameTimer() : port->GetReceiveTimer();
    const bool ignored = receiveTimer ? port->IsReceiveTimeoutIgnored() : port->IsFrameTimeoutIgnored();
    if (ignored) {
        if (receiveTimer)
            port->SetReceiveTimeoutIgnored(false);
        else
            port->SetFrameTimeoutIgnored(false);
        return;
    }
    // Late: the request already has its result, or a newer send or chunk
    // restarted the timer. The gap timer only runs once bytes of this
    // request are in, so a gap without bytes belongs to an earlier request.
    if (!transport->m_bAwaitingReply || own->isActive()
        || (!receiveTimer && transport->m_ReceiveBuffer.isEmpty()))
        return;
    // The other timer may have fired too, its timeout still on its way.
    if (!other->isActive()) {
        if (!receiveTimer)
            port->SetReceiveTimeoutIgnored(true);
        else if (!transport->m_ReceiveBuffer.isEmpty())
            port->SetFrameTimeoutIgnored(true);
    }
    other->stop();
    f_TimeoutEnding(nTargetID, transport);
}

// Nothing more came in time: hand on what has arrived, or -21 for nothing.
void CDeviceAccess::f_TimeoutEnding(int nTargetID, CTransport* transport)
{
    f_StateSynchronizeWithSocket(transport);
    transport->m_bAwaitingReply = false;
    if (transport->m_ReceiveBuffer.isEmpty())
        f_Report(REPORT_ERROR, nTargetID, transport->m_Host, QByteArray(), -21);
    else
        f_Report(REPORT_RECEIVED, nTargetID, transport->m_Host, transport->m_ReceiveBuffer);
    f_SendPending(nTargetID, transport);
}

void CDeviceAccess::f_OnError(int target, int code)
{
    CTransport* transport = f_TransportNotCanceled(target);
    if (!transport)
        return;
    transport->m_pPort->GetReceiveTimer()->stop();
    transport->m_pPort->GetFrameTimer()->stop();
    f_StateSynchronizeWithSocket(transport);
    // The error is the request's result; a timeout still on its way is not.
    transport->m_bAwaitingReply = false;
    const QString host = transport->m_Host;
    if (transport->m_nState == CTransport::STATE_CLOSED)
        Delete(target);
    f_Report(REPORT_ERROR, target, host, QByteArray(), code);
}

void CDeviceAccess::f_OnDisconnected(int target)
{
    CTransport* transport = f_TransportNotCanceled(target);
    if (!transport)
        return;
    transport->m_nState = CTransport::STATE_CLOSED;
    f_Report(REPORT_DISCONNECTED, target, transport->m_Host);
    f_SendPending(target, transport);
}

void CDeviceAccess::f_OnStateChanged(int nTargetID)
{
    f_Record(nTargetID);
    f_Report(REPORT_STATE, nTargetID);
}

void CDeviceAccess::f_OnDisconnectTimerTimeout(int nTargetID)
{
    CTransport* transport = f_Transport(nTargetID);
    if (!transport)
        return;
    // Restarted since it fired, or a request is under way: the connection is in use.
    if (transport->m_pPort->GetDisconnectTimer()->isActive() || transport->m_bAwaitingReply
        || !transport->m_PendingFrames.isEmpty())
        return;
    Delete(nTargetID);
}

// The target's transport, or null when it has none or was canceled (a
// canceled transport is ended here: the port's next report finishes it).
CTransport* CDeviceAccess::f_TransportNotCanceled(int nTargetID)
{
    CTransport* transport = f_Transport(nTargetID);
    if (transport && transport->m_bCanceled) {
        f_CancelEnding(nTargetID, transport);
        return nullptr;
    }
    return transport;
}

void CDeviceAccess::f_CancelEnding(int nTargetID, CTransport* transport)
{
    f_Report(REPORT_CANCELED, nTargetID);
    transport->m_bCanceled = false;
    f_Record(nTargetID);
    transport->m_nState = CTransport::STATE_CLOSED;
    if (f_Transport(nTargetID) == transport)
        Delete(nTargetID);
}

void CDeviceAccess::f_StateSynchronizeWithSocket(CTransport* transport)
{
    switch (transport->m_pPort->GetSocketState()) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
        transport->m_nState = CTransport::STATE_CONNECTING;
        break;
    case QAbstractSocket::ConnectedState:
    case QAbstractSocket::BoundState:
        transport->m_nState = CTransport::STATE_CONNECTED;
        break;
    case QAbstractSocket::ClosingState:
        transport->m_nState = CTransport::STATE_CLOSING;
        break;
    default:
        transport->m_nState = CTransport::STATE_CLOSED;
        break;
    }
}

// ---- queries and control ----------------------------------------------------

int CDeviceAccess::Cancel(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->Cancel(nTargetID);
    if (f_FromOtherThread()) {
        // As without a worker: the caller has seen every report of the
        // target up to the cancel, and the cancel's own reports (Canceled
        // first of all) before this returns.
        f_DeliverFor(nTargetID);
        int result = -1;
        QMetaObject::invokeMethod(this, [this, nTargetID, &result]() { result = f_CancelHere(nTargetID); },
                                  Qt::BlockingQueuedConnection);
        f_DeliverFor(nTargetID);
        return result;
    }
    return f_CancelHere(nTargetID);
}

int CDeviceAccess::f_CancelHere(int nTargetID)
{
    CTransport* transport = f_Transport(nTargetID);
    if (!transport)
        return -1;
    CPortTCP* port = transport->m_pPort;
    port->GetDisconnectTimer()->stop();
    port->GetReceiveTimer()->stop();
    port->GetFrameTimer()->stop();
    {
        QMutexLocker lock(&m_RequestMutex);
        for (int i = m_Requests.size() - 1; i >= 0; --i) {
            if (m_Requests.at(i)->m_nTargetID == nTargetID)
                delete m_Requests.takeAt(i);
        }
    }
    const int socketState = port->GetConnectionState();
    if (socketState < 1 || socketState > 6)
        return -1;
    transport->m_bCanceled = true;
    f_Record(nTargetID);
    port->Abort();
    f_Record(nTargetID);
    return 0;
}

int CDeviceAccess::CancelAll()
{
    for (CDeviceAccess* shard : m_Shards)
        shard->CancelAll();
    if (f_FromOtherThread())
        QMetaObject::invokeMethod(this, [this]() { f_CancelAllHere(); }, Qt::BlockingQueuedConnection);
    else
        f_CancelAllHere();
    return 0;
}

void CDeviceAccess::f_CancelAllHere()
{
    // An abort may take a transport out of the map, but never frees it here.
    const QList<CTransport*> transports = m_Transports.values();
    for (CTransport* transport : transports)
        transport->m_pPort->Abort();
}

bool CDeviceAccess::IsCommunicating(int nTargetID)
{
    return GetConnectionState(nTargetID) > 0;
}

int CDeviceAccess::GetConnectionState(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->GetConnectionState(nTargetID);
    if (f_FromOtherThread())
        return nTargetID >= 0 && nTargetID < TARGET_MAX ? m_RecordedState[nTargetID].loadAcquire() : -1;
    CTransport* transport = f_Transport(nTargetID);
    return transport ? transport->m_pPort->GetConnectionState() : -1;
}

int CDeviceAccess::GetLastError(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->GetLastError(nTargetID);
    if (f_FromOtherThread()) {
        int result = 0;
        QMetaObject::invokeMethod(this, [this, nTargetID, &result]() { result = GetLastError(nTargetID); },
                                  Qt::BlockingQueuedConnection);
        return result;
    }
    CTransport* transport = f_Transport(nTargetID);
    return transport ? transport->m_pPort->GetLastError() : 0;
}

bool CDeviceAccess::IsCanceled(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID))
        return shard->IsCanceled(nTargetID);
    if (f_FromOtherThread())
        return nTargetID >= 0 && nTargetID < TARGET_MAX && m_RecordedCanceled[nTargetID].loadAcquire() != 0;
    CTransport* transport = f_Transport(nTargetID);
    return transport ? transport->m_bCanceled : false;
}

void CDeviceAccess::DisconnectTimerStart(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID)) {
        shard->DisconnectTimerStart(nTargetID);
        return;
    }
    if (f_FromOtherThread()) {
        auto* request = new CDeviceAccessEvent;
        request->m_nTargetID = nTargetID;
        request->m_nKind = CDeviceAccessEvent::KIND_TIMER_START;
        f_Enqueue(request);
        return;
    }
    if (CTransport* transport = f_Transport(nTargetID))
        transport->m_pPort->GetDisconnectTimer()->start();
}

void CDeviceAccess::DisconnectTimerStop(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID)) {
        shard->DisconnectTimerStop(nTargetID);
        return;
    }
    if (f_FromOtherThread()) {
        auto* request = new CDeviceAccessEvent;
        request->m_nTargetID = nTargetID;
        request->m_nKind = CDeviceAccessEvent::KIND_TIMER_STOP;
        f_Enqueue(request);
        return;
    }
    if (CTransport* transport = f_Transport(nTargetID))
        transport->m_pPort->GetDisconnectTimer()->stop();
}

void CDeviceAccess::Delete(int nTargetID)
{
    if (CDeviceAccess* shard = f_Shard(nTargetID)) {
        shard->Delete(nTargetID);
        return;
    }
    if (f_FromOtherThread()) {
        QMetaObject::invokeMethod(this, [this, nTargetID]() { Delete(nTargetID); }, Qt::BlockingQueuedConnection);
        return;
    }
    CTransport* transport = m_Transports.take(nTargetID);
    if (!transport)
        return;
    m_TransportById[size_t(nTargetID)] = nullptr;
    f_SetInUse(nTargetID, false);
    // From here on nothing of the old port may reach a newer transport of
    // the same id.
    f_DisconnectTargetSignals(transport);
    transport->m_pPort->GetDisconnectTimer()->stop();
    transport->m_pPort->GetReceiveTimer()->stop();
    transport->m_pPort->GetFrameTimer()->stop();
    m_Deleting.append(transport);
    f_Record(nTargetID);
    emit DeleteLatorSignal(nTargetID, transport);
}

void CDeviceAccess::DeleteLator(int nTargetID, CTransport* transport)
{
    if (!m_Deleting.removeOne(transport))
        return;
    const QString host = transport->m_Host;
    transport->m_pPort->BeforeDelete();
    delete transport;
    f_Report(REPORT_STATE, nTargetID);
    f_Report(REPORT_DISCONNECTED, nTargetID, host);
}

int CDeviceAccess::GetTransportCount()
{
    int count = 0;
    for (CDeviceAccess* shard : m_Shards)
        count += shard->GetTransportCount();
    // The shards' connections plus this object's own.
    if (f_FromOtherThread())
        QMetaObject::invokeMethod(this, [this, &count]() { count += m_Transports.size(); }, Qt::BlockingQueuedConnection);
    else
        count += m_Transports.size();
    return count;
}

int CDeviceAccess::GetQueuedRequestCount()
{
    int count = 0;
    for (CDeviceAccess* shard : m_Shards)
        count += shard->GetQueuedRequestCount();
    if (!m_Shards.empty())
        return count;
    QMutexLocker lock(&m_RequestMutex);
    return m_Requests.size();
}

int CDeviceAccess::f_GetUnusedKey() const
{
    for (int i = 0; i < m_InUse.size(); ++i) {
        const CDeviceAccess* owner = m_Shards.empty() ? this : f_Shard(i);
        if (!owner->m_InUse.at(i))
            return i;
    }
    return -1;
}

// This object is the port's listener, told of its reports directly: per
// port no connections to make and undo, per frame no signal to pass through.
void CDeviceAccess::f_ConnectTargetSignals(CTransport* transport)
{
    transport->m_pPort->SetListener(this);
}

void CDeviceAccess::f_DisconnectTargetSignals(CTransport* transport)
{
    transport->m_pPort->SetListener(nullptr);
}
