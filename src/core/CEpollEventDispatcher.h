#ifndef CEPOLLEVENTDISPATCHER_H
#define CEPOLLEVENTDISPATCHER_H

#include <QAbstractEventDispatcher>
#include <QAtomicInt>
#include <QByteArray>

#include <memory>
#include <vector>

class CBatchedSocketIo;
class QSocketNotifier;

// Told of a watched descriptor's readiness by the dispatcher directly, with
// no event object, notifier or signal in between: for classes that hold
// thousands of sockets on one thread.
class CEpollWatcher
{
public:
    virtual void EpollReady(int fd, quint32 events) = 0;
    // For a watch that lets the dispatcher read: what one read of the ready
    // descriptor gave (bytes, 0 at the end, a negative errno), done together
    // with the reads of the other ready descriptors.
    virtual void EpollRead(int fd, quint32 events, const char* data, int result);
    // What became of a send queued with QueueSend(): bytes taken by the
    // kernel (perhaps fewer than queued), or a negative errno.
    virtual void EpollSent(int fd, const QByteArray& data, int result);

protected:
    ~CEpollWatcher() = default;
};

// An event dispatcher for worker threads that serve thousands of sockets:
// readiness comes from epoll (cost per ready socket, not per open socket) and
// timers live in a heap with their entries in a table by id (Qt's timer ids
// are small and reused), so starting, stopping and firing a timer costs
// O(log n) whatever the number of timers, without an allocation.
// Install with QThread::setEventDispatcher() before the thread starts; the
// GUI thread keeps the platform's own dispatcher.
class CEpollEventDispatcher : public QAbstractEventDispatcher
{
    Q_OBJECT
public:
    explicit CEpollEventDispatcher(QObject* parent = nullptr);
    ~CEpollEventDispatcher() override;

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    bool hasPendingEvents() override;

    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;

    using QAbstractEventDispatcher::registerTimer;
    void registerTimer(int timerId, int interval, Qt::TimerType timerType, QObject* object) override;
    bool unregisterTimer(int timerId) override;
    bool unregisterTimers(QObject* object) override;
    QList<TimerInfo> registeredTimers(QObject* object) const override;
    int remainingTime(int timerId) override;

    void wakeUp() override;
    void interrupt() override;
    void flush() override {}

    // While the thread is busy (a few ready descriptors each millisecond),
    // each wait starts with a pause of this length, so that one turn takes
    // what a wake-up each would otherwise bring: a little latency for much
    // less of the machine. Never while a post or timer is due; 0 (the
    // default): no pause.
    void SetBusyNap(int microseconds);

    // False when the kernel refused an epoll or eventfd descriptor; the
    // dispatcher then only runs posted events and timers.
    bool IsValid() const { return m_Epoll >= 0 && m_Wake >= 0; }

    // The dispatcher of the calling thread when it is one of these, else null.
    static CEpollEventDispatcher* ForCurrentThread();
    // `watcher` is told when `fd` becomes ready for `events` (EPOLLIN,
    // EPOLLOUT; a hang-up or error is told to either); events 0 or a null
    // watcher ends the watch. From the dispatcher's thread only; a descriptor
    // is watched either this way or by socket notifiers. Readiness seen
    // before a change of watcher or events is not told to the new one.
    // With `reads` the dispatcher itself reads the descriptor when it is
    // readable, for all such watches of a turn in one call into the kernel,
    // and tells EpollRead().
    void WatchDescriptor(int fd, quint32 events, CEpollWatcher* watcher, bool reads = false);

    // Queues a send on a descriptor watched by `watcher`; the queued sends go
    // to the kernel together, before the thread next waits, or at once with
    // SubmitSends() (needed before the descriptor is used otherwise or
    // closed). Sends on one descriptor keep their order. False: nothing
    // queued, the caller sends itself.
    bool QueueSend(int fd, const QByteArray& data, CEpollWatcher* watcher);
    void SubmitSends();

private:
    struct Timer
    {
        QObject* object = nullptr;
        qint64 intervalNs = 0;
        qint64 deadlineNs = 0;
        quint64 serial = 0; // the heap entry that is current for this timer
        int interval = 0;
        Qt::TimerType type = Qt::CoarseTimer;
        bool inTimerEvent = false;
    };
    struct HeapEntry
    {
        qint64 deadlineNs;
        quint64 serial; // also the order among equal deadlines
        int timerId;
    };
    struct Watch
    {
        QSocketNotifier* notifier[3] = {nullptr, nullptr, nullptr};
        quint32 events = 0; // what the kernel watches
        bool pending = false; // a change waits for the next wait
        CEpollWatcher* watcher = nullptr;
        quint32 watcherEvents = 0;
        bool watcherReads = false; // the dispatcher reads for the watcher
        quint32 generation = 0; // of the watcher's registration
        quint32 sendGeneration = 0; // of the watcher itself
    };

    static qint64 f_NowNs();
    void f_PushTimer(int timerId, Timer& timer);
    int f_WaitMs(qint64 now) const;
    int f_ActivateTimers();
    int f_ActivateNotifiers(const struct epoll_event* ready, int count);
    void f_UpdateWatch(int fd, Watch& watch);
    void f_ChangeWatch(int fd, Watch& watch);
    void f_ApplyPendingWatches();
    void f_DrainWake();

    int m_Epoll = -1;
    int m_Wake = -1;
    QAtomicInt m_WakePending;
    QAtomicInt m_Interrupted;
    Timer* f_FindTimer(int timerId);
    const Timer* f_FindTimer(int timerId) const;

    // By timer id; a slot without an object is free.
    std::vector<Timer> m_Timers;
    int m_TimerCount = 0;
    std::vector<HeapEntry> m_Heap;
    quint64 m_NextSerial = 1;
    Watch* f_FindWatch(int fd);

    // By descriptor number (small and reused, as timer ids).
    std::vector<Watch> m_Watches;
    std::vector<int> m_PendingWatches;

    struct QueuedSend
    {
        int fd;
        QByteArray data;
        CEpollWatcher* watcher;
        quint32 generation;
    };
    CBatchedSocketIo* f_Io();
    std::unique_ptr<CBatchedSocketIo> m_pIo; // made in this thread, at first use
    std::vector<QueuedSend> m_Sends;
    std::vector<char> m_ReadBuffers;

    void f_CountReady(int count);
    bool f_Nap(int timeoutMs);
    qint64 m_NapNs = 0;
    qint64 m_WindowStartNs = 0;
    qint64 m_WindowReady = 0;
    bool m_bBusy = false;
};

#endif // CEPOLLEVENTDISPATCHER_H
