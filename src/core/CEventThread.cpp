#include "CEventThread.h"

#include "CEventAbort.h"
#include "CEventBase.h"
#include "CEventContainer.h"
#include "CGetTickMSec.h"
#include "ExceptionTrace.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QLoggingCategory>
#include <QMutexLocker>

#include <cstdarg>
#include <new>

namespace {

Q_LOGGING_CATEGORY(lcEventThread, "lumivox.eventthread", QtWarningMsg)

const qint64 kRestartWaitMSec = 30000;
const qint64 kForcedQuitMSec = 5000;
// One step of the waits above; a wait ends early once the thread has finished.
const int kWaitStepMSec = 1000;

// Traces print 32-bit ids, the low half of a 64-bit handle.
quint32 low32(const void* p)
{
    return static_cast<quint32>(reinterpret_cast<quintptr>(p));
}

quint32 currentThreadTag()
{
    return low32(QThread::currentThreadId());
}

} // namespace

CEventThread::CEventThread(QObject* parent)
    : QThread(parent),
      nID(0),
      m_bEnding(false),
      m_bAutoStartEnd(false),
      m_bPoolCurrent(false),
      m_bPooledNext(false),
      m_bEndIfEmpty(false)
{
}

CEventThread::~CEventThread()
{
    // Destroying a running QThread aborts the process: end the loop first.
    if (isRunning() && QThread::currentThread() != this) {
        f_ForcedQuit();
        wait();
    }
    RunTraced([&] { f_ClearEventQueue(); });
}

void CEventThread::f_Trace(const char* format, ...) const
{
    // Written out only when someone reads it: a fleet's ports trace as they come and go.
    if (!lcEventThread().isDebugEnabled())
        return;
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    qCDebug(lcEventThread, "[%08X:%08X] %s", currentThreadTag(), low32(this), qPrintable(text));
}

// ---- handler table ---------------------------------------------------------

int CEventThread::f_AddEvent(int key, EventFunction handler)
{
    if (m_EventFunctions.contains(key))
        return -2;
    m_EventFunctions.insert(key, handler);
    return 0;
}

CEventThread::EventFunction CEventThread::f_GetEventFunction(int key) const
{
    return m_EventFunctions.value(key, nullptr);
}

int CEventThread::f_CreateAbortEvent()
{
    f_AddEvent(0, &CEventThread::f_EventAbort);
    return 0;
}

void CEventThread::f_EventAbort(CEventBase* /*event*/)
{
}

// ---- queueing --------------------------------------------------------------

void CEventThread::EnqueueEvent(CEventBase* event)
{
    if (!event)
        return;
    QMutexLocker locker(&m_QueueAccessMutex);
    if (IsThreadRestartRequired())
        CreateThreadBeforeEnqueue();

    CEventContainer* box = new (std::nothrow) CEventContainer(event);
    if (!box) {
        // Ownership was taken: an event that cannot be queued is freed.
        delete event;
        return;
    }
    f_Trace("m_EventQueue.enqueue[%d] ... Queue EQ", event->GetEventKey());
    m_EventQueue.enqueue(box);
}

void CEventThread::WakeUp()
{
    QMutexLocker locker(&m_WaitMutex);
    m_WaitCondition.wakeOne();
}

void CEventThread::ThreadAbort()
{
    EnqueueEvent(new CEventAbort());
    WakeUp();
}

int CEventThread::GetEventQueueCount()
{
    QMutexLocker locker(&m_QueueAccessMutex);
    return m_EventQueue.count();
}

int CEventThread::GetPooledEventQueueCount()
{
    QMutexLocker locker(&m_QueueAccessMutex);
    return m_PooledEventQueue.count();
}

void CEventThread::f_DeleteBoxes(QQueue<CEventContainer*>& queue)
{
    while (!queue.isEmpty()) {
        CEventContainer* box = queue.dequeue();
        if (!box)
            continue;
        try {
            delete box->GetEvent();
        } catch (...) {
        }
        delete box;
    }
}

int CEventThread::f_ClearEventQueue()
{
    int result = 0;
    f_Trace("m_QueueAccessMutex.lock() clear start");
    m_QueueAccessMutex.lock();
    f_Trace("m_QueueAccessMutex.lock() clear end");
    try {
        f_DeleteBoxes(m_EventQueue);
        f_DeleteBoxes(m_PooledEventQueue);
    } catch (...) {
        result = -1;
    }
    f_Trace("m_QueueAccessMutex.unlock() clear start");
    m_QueueAccessMutex.unlock();
    f_Trace("m_QueueAccessMutex.unlock() clear end");
    return result;
}

// ---- control from handlers -------------------------------------------------

void CEventThread::PoolCurrentEvent()
{
    m_bPoolCurrent = true;
}

void CEventThread::SetNextEventIsPooled(bool endIfEmpty)
{
    m_bPooledNext = true;
    m_bEndIfEmpty = endIfEmpty;
}

void CEventThread::SetAutoStartEnd(bool on)
{
    m_bAutoStartEnd = on;
}

bool CEventThread::GetAutoStartEnd() const
{
    return m_bAutoStartEnd;
}

// ---- thread control --------------------------------------------------------

void CEventThread::start(QThread::Priority priority)
{
    QThread::start(priority);
}

void CEventThread::start(int id, QThread::Priority priority)
{
    nID = id;
    QThread::start(priority);
}

void CEventThread::CreateThreadBeforeEnqueue()
{
    if (m_bAutoStartEnd)
        QThread::start(QThread::InheritPriority);
}

bool CEventThread::IsThreadRestartRequired()
{
    const qint64 deadline = CGetTickMSec::GetTickMSec() + kRestartWaitMSec;
    if (!m_bEnding)
        return !isRunning();

    // The loop has decided to end: wait for it to be gone before a restart.
    // A wait on itself would never return.
    if (QThread::currentThread() == this)
        return false;
    for (;;) {
        if (!isRunning()) {
            m_bEnding = false;
            return true;
        }
        if (!m_bEnding)
            return false;
        wait(QDeadlineTimer(kWaitStepMSec));
        if (CGetTickMSec::GetTickMSec() >= deadline) {
            qCDebug(lcEventThread, "!!! CEventThread::IsThreadRestartRequired");
            return false;
        }
    }
}

void CEventThread::SafeAbort()
{
    f_ForcedQuit();
}

void CEventThread::f_ForcedQuit()
{
    RunTraced([&] {
        if (!isRunning())
            return;
        if (QThread::currentThread() == this) {
            // Called from a handler: the loop cannot be waited for from
            // inside; it ends when it reaches the abort event.
            ThreadAbort();
            return;
        }
        if (!m_bEnding) {
            f_ClearEventQueue();
            ThreadAbort();
            qCDebug(lcEventThread, "[%08X] Abort.", currentThreadTag());
        }
        const qint64 deadline = CGetTickMSec::GetTickMSec() + kForcedQuitMSec;
        for (;;) {
            if (isFinished()) {
                qCDebug(lcEventThread, "[%08X] Finished.", currentThreadTag());
                return;
            }
            wait(QDeadlineTimer(kWaitStepMSec));
            if (CGetTickMSec::GetTickMSec() >= deadline) {
                qCDebug(lcEventThread, "Timeout! Thread [%08X] is not finished. Execute forced quit.", currentThreadTag());
                quit();
            }
        }
    });
}

// ---- the loop --------------------------------------------------------------

bool CEventThread::f_DequeueEvent(QQueue<CEventContainer*>* queue, CEventContainer** out)
{
    QMutexLocker locker(&m_QueueAccessMutex);
    if (!queue->isEmpty()) {
        CEventContainer* box = queue->dequeue();
        if (box) {
            *out = box;
            m_bEndIfEmpty = false;
            m_bEnding = false;
            return true;
        }
        qCDebug(lcEventThread, "[%08X] Queue Access Failed.", currentThreadTag());
    }
    if (!m_bEndIfEmpty) {
        m_bEnding = false;
        return false;
    }
    // Decided under the queue mutex, so a producer either sees the ending
    // flag (and restarts the thread) or the loop sees its event.
    if (queue == &m_EventQueue)
        m_bEnding = true;
    else
        m_bEnding = m_EventQueue.isEmpty();
    return false;
}

void CEventThread::f_Dispatch(CEventBase* event)
{
    const int key = event->GetEventKey();
    const int id = event->GetEventID();
    const EventFunction handler = f_GetEventFunction(key);
    if (handler) {
        f_Trace("Thread event(%d:%d) started.", key, id);
        emit ThreadEventStart(nID, key, id);
        try {
            (this->*handler)(event);
            f_Trace("Thread event(%d:%d) finished.", key, id);
            emit ThreadEventFinished(nID, key, id);
            if (m_bAutoStartEnd)
                m_bEndIfEmpty = true;
        } catch (...) {
            // Nothing a handler throws may end the worker.
            f_Trace("Event Execute Failed.");
        }
    } else {
        f_Trace("Thread event(%d:%d) is not started.", key, id);
    }
}

void CEventThread::f_Dispose(CEventContainer* box)
{
    CEventBase* event = box->GetEvent();
    if (m_bPoolCurrent && event) {
        f_Trace("m_PooledEventQueue.enqueue[%d] ... Queue EQ pool", event->GetEventKey());
        QMutexLocker locker(&m_QueueAccessMutex);
        m_PooledEventQueue.enqueue(box);
        m_bPoolCurrent = false;
        return;
    }
    m_bPoolCurrent = false;
    try {
        delete event;
    } catch (...) {
        f_Trace("Event is not in allocated memory.");
    }
    delete box;
}

void CEventThread::run()
{
    f_Trace("Thread started.");
    emit ThreadStarted(nID);
    m_bPoolCurrent = false;
    m_bPooledNext = false;
    m_bEndIfEmpty = false;
    m_bEnding = false;

    f_CreateAbortEvent();
    f_CreateEventList();

    f_Trace("while(1) ... 1");
    bool end = false;
    while (!end) {
        f_Trace("while(1) ... 2");
        CEventContainer* box = nullptr;
        bool taken = false;

        if (m_bPooledNext) {
            f_Trace("f_DequeueEvent(pool) ... 1");
            if (f_DequeueEvent(&m_PooledEventQueue, &box)) {
                taken = true;
                f_Trace("event = container->GetEvent()[%d] ... Queue DQ pool",
                        box->GetEvent() ? box->GetEvent()->GetEventKey() : -1);
                m_bPooledNext = false;
            } else if (m_bEnding) {
                f_Trace("bEnd = true ... 2");
                end = true;
            }
        }

        if (!taken && !end) {
            m_WaitMutex.lock();
            m_QueueAccessMutex.lock();
            if (!m_EventQueue.isEmpty()) {
                m_QueueAccessMutex.unlock();
            } else if (m_bEndIfEmpty) {
                f_Trace("m_EventQueue.count() <= 0 ... 1");
                f_Trace("bEnd = true ... 1");
                m_bEnding = true;
                m_QueueAccessMutex.unlock();
                end = true;
            } else {
                f_Trace("m_EventQueue.count() <= 0 ... 1");
                m_QueueAccessMutex.unlock();
                // Announced with no lock held, so a direct observer may queue
                // an event or wake the thread; the queue is looked at again
                // afterwards, and a wake-up from then on is not missed.
                m_WaitMutex.unlock();
                emit ThreadEventWait(nID);
                m_WaitMutex.lock();
                if (GetEventQueueCount() == 0) {
                    f_Trace("m_WaitCondition.wait ... 1");
                    m_WaitCondition.wait(&m_WaitMutex);
                    f_Trace("m_WaitCondition.wait end ... 1");
                }
            }
            m_WaitMutex.unlock();

            if (!end) {
                f_Trace("f_DequeueEvent(normal) ... 1");
                if (f_DequeueEvent(&m_EventQueue, &box)) {
                    taken = true;
                    f_Trace("event = container->GetEvent()[%d] ... Queue DQ",
                            box->GetEvent() ? box->GetEvent()->GetEventKey() : -1);
                    m_bPooledNext = false;
                } else if (m_bEnding) {
                    f_Trace("bEnd = true ... 3");
                    end = true;
                } else {
                    f_Trace("continue ... 1");
                    continue;
                }
            }
        }

        if (!taken)
            continue;
        CEventBase* event = box->GetEvent();
        if (event) {
            f_Dispatch(event);
            if (event->GetEventKey() == 0) {
                f_Trace("bEnd = true ... 4");
                m_bEnding = true;
                end = true;
            }
        }
        f_Dispose(box);
    }

    f_Trace("Thread end.");
    emit ThreadEnd(nID);
    nID = 0;
}
