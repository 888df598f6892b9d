#ifndef CEVENTTHREAD_H
#define CEVENTTHREAD_H

#include <QMap>
#include <QMutex>
#include <QQueue>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class CEventBase;
class CEventContainer;

// Base of the background workers: a thread that takes events from its queue
// one at a time and calls the member function registered for the event's key.
// Key 0 ends the loop. A handler may hold its event back in a pooled queue
// and ask for it again later. With automatic start/end the thread starts when
// an event is queued and ends when its queue has run dry.
//
// A subclass that registers handlers of its own should end the thread
// (SafeAbort()) in its own destructor: by the time this base destructor runs
// the subclass's handlers are gone.
class CEventThread : public QThread
{
    Q_OBJECT
public:
    typedef void (CEventThread::*EventFunction)(CEventBase*);

    explicit CEventThread(QObject* parent = nullptr);
    ~CEventThread() override;

    // Handler table: one handler per key; -2 when the key is taken.
    int f_AddEvent(int key, EventFunction handler);
    EventFunction f_GetEventFunction(int key) const;
    int f_CreateAbortEvent();

    // Queueing. EnqueueEvent takes ownership of the event; it does not wake
    // the loop, the producer calls WakeUp() after it.
    void EnqueueEvent(CEventBase* event);
    void WakeUp();
    void ThreadAbort();
    int GetEventQueueCount();
    int GetPooledEventQueueCount();
    int f_ClearEventQueue();

    // Called by handlers while they run, in the worker thread.
    void PoolCurrentEvent();
    // The next pass takes from the pooled queue first; with endIfEmpty the
    // thread ends when both queues turn out empty.
    void SetNextEventIsPooled(bool endIfEmpty);

    void SetAutoStartEnd(bool on);
    bool GetAutoStartEnd() const;

    void start(QThread::Priority priority = QThread::InheritPriority);
    void start(int nID, QThread::Priority priority = QThread::InheritPriority);
    virtual void CreateThreadBeforeEnqueue();
    bool IsThreadRestartRequired();
    void SafeAbort();

signals:
    void ThreadStarted(int nID);
    void ThreadEventWait(int nID);
    void ThreadEventStart(int nID, int ekey, int eid);
    void ThreadEventFinished(int nID, int ekey, int eid);
    void ThreadEnd(int nID);

protected:
    void run() override;
    virtual void f_CreateEventList() = 0;

    void f_EventAbort(CEventBase* event);
    bool f_DequeueEvent(QQueue<CEventContainer*>* queue, CEventContainer** out);
    void f_ForcedQuit();

private:
    void f_Trace(const char* format, ...) const Q_ATTRIBUTE_FORMAT_PRINTF(2, 3);
    void f_Dispatch(CEventBase* event);
    void f_Dispose(CEventContainer* box);
    static void f_DeleteBoxes(QQueue<CEventContainer*>& queue);

    QQueue<CEventContainer*> m_EventQueue;
    QQueue<CEventContainer*> m_PooledEventQueue;
    QMap<int, EventFunction> m_EventFunctions;
    QWaitCondition m_WaitCondition;
    QMutex m_WaitMutex;
    QMutex m_QueueAccessMutex;
    std::atomic<int> nID;
    std::atomic<bool> m_bEnding;
    bool m_bAutoStartEnd;
    bool m_bPoolCurrent;
    bool m_bPooledNext;
    bool m_bEndIfEmpty;
};

#endif // CEVENTTHREAD_H
