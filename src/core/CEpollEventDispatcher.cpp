#include "CEpollEventDispatcher.h"

#include "CBatchedSocketIo.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimerEvent>
#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

// Qt's own count of events posted and not yet delivered, in every thread.
Q_CORE_EXPORT uint qGlobalPostedEventsCount();

namespace {

const qint64 NS_PER_MS = 1000000;
// Ready descriptors taken per wait; more stay ready for the next turn, so
// one turn stays short however many sockets are ready.
const int READY_MAX = 128;
// What one read for a watcher takes at most; the rest is read next turn.
const int READ_SIZE = 4096;
// Ready descriptors per millisecond from which a thread with a busy nap
// counts as busy.
const qint64 BUSY_READY_PER_MS = 4;

template <typename T>
bool Later(const T& a, const T& b)
{
    return a.deadlineNs != b.deadlineNs ? a.deadlineNs > b.deadlineNs : a.serial > b.serial;
}

int TypeIndex(QSocketNotifier::Type type)
{
    return type == QSocketNotifier::Read ? 0 : type == QSocketNotifier::Write ? 1 : 2;
}

const quint32 EVENTS_OF_TYPE[3] = {EPOLLIN, EPOLLOUT, EPOLLPRI};
// What wakes each kind of notifier, as Qt's own dispatcher has it: a hang-up
// or error wakes all three, so the socket sees its end.
const quint32 WAKES_TYPE[3] = {EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP, EPOLLOUT | EPOLLHUP | EPOLLERR,
                               EPOLLPRI | EPOLLHUP | EPOLLERR};

} // namespace

void CEpollWatcher::EpollRead(int fd, quint32 events, const char*, int)
{
    // Only a watch that asked for reads gets them.
    EpollReady(fd, events);
}

void CEpollWatcher::EpollSent(int, const QByteArray&, int)
{
}

CEpollEventDispatcher::CEpollEventDispatcher(QObject* parent)
    : QAbstractEventDispatcher(parent)
{
    m_Epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_Wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_Epoll >= 0 && m_Wake >= 0) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = m_Wake;
        if (::epoll_ctl(m_Epoll, EPOLL_CTL_ADD, m_Wake, &ev) != 0)
            qWarning("CEpollEventDispatcher: cannot watch the wake-up descriptor (errno %d)", errno);
    } else {
        qWarning("CEpollEventDispatcher: no epoll or eventfd descriptor (errno %d)", errno);
    }
}

CEpollEventDispatcher::~CEpollEventDispatcher()
{
    SubmitSends();
    if (m_Epoll >= 0)
        ::close(m_Epoll);
    if (m_Wake >= 0)
        ::close(m_Wake);
}

qint64 CEpollEventDispatcher::f_NowNs()
{
    timespec ts;
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

bool CEpollEventDispatcher::hasPendingEvents()
{
    return qGlobalPostedEventsCount() > 0;
}

void CEpollEventDispatcher::wakeUp()
{
    if (m_WakePending.testAndSetAcquire(0, 1) && m_Wake >= 0) {
        const quint64 one = 1;
        if (::write(m_Wake, &one, sizeof one) < 0) {
            // The counter is full: the thread is awake anyway.
        }
    }
}

void CEpollEventDispatcher::interrupt()
{
    m_Interrupted.storeRelease(1);
    wakeUp();
}

void CEpollEventDispatcher::f_DrainWake()
{
    // One read takes the whole count of an eventfd.
    quint64 count;
    if (m_Wake >= 0 && ::read(m_Wake, &count, sizeof count) < 0 && errno == EINTR)
        f_DrainWake();
}

// ---- timers ------------------------------------------------------------

CEpollEventDispatcher::Timer* CEpollEventDispatcher::f_FindTimer(int timerId)
{
    if (timerId < 1 || size_t(timerId) >= m_Timers.size() || !m_Timers[size_t(timerId)].object)
        return nullptr;
    return &m_Timers[size_t(timerId)];
}

const CEpollEventDispatcher::Timer* CEpollEventDispatcher::f_FindTimer(int timerId) const
{
    return const_cast<CEpollEventDispatcher*>(this)->f_FindTimer(timerId);
}

void CEpollEventDispatcher::f_PushTimer(int timerId, Timer& timer)
{
    timer.serial = m_NextSerial++;
    m_Heap.push_back(HeapEntry{timer.deadlineNs, timer.serial, timerId});
    std::push_heap(m_Heap.begin(), m_Heap.end(), Later<HeapEntry>);
    // Entries of stopped timers stay until they come to the top; rebuild
    // when they outnumber the live ones.
    if (m_Heap.size() > 2 * size_t(m_TimerCount) + 64) {
        m_Heap.clear();
        for (size_t id = 1; id < m_Timers.size(); ++id) {
            const Timer& t = m_Timers[id];
            if (t.object)
                m_Heap.push_back(HeapEntry{t.deadlineNs, t.serial, int(id)});
        }
        std::make_heap(m_Heap.begin(), m_Heap.end(), Later<HeapEntry>);
    }
}

void CEpollEventDispatcher::registerTimer(int timerId, int interval, Qt::TimerType timerType, QObject* object)
{
    if (timerId < 1 || interval < 0 || !object) {
        qWarning("CEpollEventDispatcher::registerTimer: invalid arguments");
        return;
    }
    if (size_t(timerId) >= m_Timers.size())
        m_Timers.resize(std::max(size_t(timerId) + 1, m_Timers.size() * 2));
    Timer& timer = m_Timers[size_t(timerId)];
    if (!timer.object)
        ++m_TimerCount;
    timer.object = object;
    timer.interval = interval;
    timer.intervalNs = qint64(interval) * NS_PER_MS;
    timer.type = timerType;
    timer.inTimerEvent = false;
    timer.deadlineNs = f_NowNs() + timer.intervalNs;
    f_PushTimer(timerId, timer);
}

bool CEpollEventDispatcher::unregisterTimer(int timerId)
{
    Timer* timer = f_FindTimer(timerId);
    if (!timer)
        return false;
    *timer = Timer();
    --m_TimerCount;
    return true;
}

// Rare (an object with running timers deleted or moved): a look at every slot.
bool CEpollEventDispatcher::unregisterTimers(QObject* object)
{
    bool any = false;
    for (Timer& t : m_Timers) {
        if (object && t.object == object) {
            t = Timer();
            --m_TimerCount;
            any = true;
        }
    }
    return any;
}

QList<QAbstractEventDispatcher::TimerInfo> CEpollEventDispatcher::registeredTimers(QObject* object) const
{
    QList<TimerInfo> list;
    for (size_t id = 1; object && id < m_Timers.size(); ++id) {
        const Timer& t = m_Timers[id];
        if (t.object == object)
            list.append(TimerInfo(int(id), t.interval, t.type));
    }
    return list;
}

int CEpollEventDispatcher::remainingTime(int timerId)
{
    const Timer* timer = f_FindTimer(timerId);
    if (!timer)
        return -1;
    const qint64 left = timer->deadlineNs - f_NowNs();
    return left <= 0 ? 0 : int((left + NS_PER_MS - 1) / NS_PER_MS);
}

int CEpollEventDispatcher::f_WaitMs(qint64 now) const
{
    // The top may be a stopped timer's entry: a wake-up too early then
    // finds nothing due and waits again, which is harmless.
    if (m_Heap.empty())
        return -1;
    const qint64 left = m_Heap.front().deadlineNs - now;
    if (left <= 0)
        return 0;
    const qint64 ms = (left + NS_PER_MS - 1) / NS_PER_MS;
    return ms > 0x7fffffff ? 0x7fffffff : int(ms);
}

int CEpollEventDispatcher::f_ActivateTimers()
{
    const qint64 now = f_NowNs();
    // Take every due timer first, then deliver: a zero-interval timer fires
    // once per turn, and a timer stopped by an earlier one's event does not fire.
    QVarLengthArray<QPair<int, quint64>, 64> due;
    while (!m_Heap.empty() && m_Heap.front().deadlineNs <= now) {
        std::pop_heap(m_Heap.begin(), m_Heap.end(), Later<HeapEntry>);
        const HeapEntry entry = m_Heap.back();
        m_Heap.pop_back();
        const Timer* timer = f_FindTimer(entry.timerId);
        if (!timer || timer->serial != entry.serial)
            continue;
        due.append(qMakePair(entry.timerId, quint64(0)));
    }
    for (auto& d : due) {
        Timer& t = m_Timers[size_t(d.first)];
        if (t.inTimerEvent) {
            // Still inside its own event (a nested loop): not again before
            // that ends.
            t.deadlineNs = now + qMax<qint64>(t.intervalNs, NS_PER_MS);
            f_PushTimer(d.first, t);
            d.first = 0;
            continue;
        }
        t.deadlineNs += t.intervalNs;
        if (t.deadlineNs <= now)
            t.deadlineNs = now + t.intervalNs;
        f_PushTimer(d.first, t);
        d.second = t.serial;
    }
    int fired = 0;
    for (const auto& d : due) {
        if (d.first == 0)
            continue;
        // Looked up afresh each time: an event may start timers and so
        // move the table.
        Timer* timer = f_FindTimer(d.first);
        if (!timer || timer->serial != d.second)
            continue;
        timer->inTimerEvent = true;
        QObject* object = timer->object;
        QTimerEvent event(d.first);
        QCoreApplication::sendEvent(object, &event);
        ++fired;
        if (Timer* after = f_FindTimer(d.first))
            after->inTimerEvent = false;
    }
    return fired;
}

// ---- socket notifiers --------------------------------------------------

CEpollEventDispatcher::Watch* CEpollEventDispatcher::f_FindWatch(int fd)
{
    return fd >= 0 && size_t(fd) < m_Watches.size() ? &m_Watches[size_t(fd)] : nullptr;
}

CEpollEventDispatcher* CEpollEventDispatcher::ForCurrentThread()
{
    return qobject_cast<CEpollEventDispatcher*>(QAbstractEventDispatcher::instance());
}

void CEpollEventDispatcher::WatchDescriptor(int fd, quint32 events, CEpollWatcher* watcher, bool reads)
{
    if (fd < 0)
        return;
    events &= EPOLLIN | EPOLLOUT;
    if (!watcher)
        events = 0;
    if (size_t(fd) >= m_Watches.size()) {
        if (events == 0)
            return;
        m_Watches.resize(std::max(size_t(fd) + 1, m_Watches.size() * 2));
    }
    Watch& watch = m_Watches[size_t(fd)];
    watch.watcherReads = events != 0 && reads;
    if (watch.watcher == (events ? watcher : nullptr) && watch.watcherEvents == events)
        return;
    // Queued sends belong to the watcher, whatever it waits for.
    if (watch.watcher != (events ? watcher : nullptr))
        ++watch.sendGeneration;
    watch.watcher = events ? watcher : nullptr;
    watch.watcherEvents = events;
    ++watch.generation;
    f_ChangeWatch(fd, watch);
}

CBatchedSocketIo* CEpollEventDispatcher::f_Io()
{
    if (!m_pIo)
        m_pIo.reset(new CBatchedSocketIo);
    return m_pIo.get();
}

bool CEpollEventDispatcher::QueueSend(int fd, const QByteArray& data, CEpollWatcher* watcher)
{
    const Watch* watch = f_FindWatch(fd);
    if (!watch || !watcher || watch->watcher != watcher)
        return false;
    // A second send on the descriptor in the same turn goes with the first.
    for (auto it = m_Sends.rbegin(); it != m_Sends.rend(); ++it) {
        if (it->fd == fd) {
            if (it->watcher != watcher || it->generation != watch->sendGeneration)
                break;
            it->data.append(data);
            return true;
        }
    }
    m_Sends.push_back(QueuedSend{fd, data, watcher, watch->sendGeneration});
    return true;
}

void CEpollEventDispatcher::SubmitSends()
{
    while (!m_Sends.empty()) {
        std::vector<QueuedSend> sends;
        sends.swap(m_Sends);
        // A send whose watcher is gone is dropped: its number may belong to
        // another socket by now (a watcher sends what it queued before it
        // lets its descriptor go).
        const auto current = [this](const QueuedSend& q) {
            const Watch* watch = f_FindWatch(q.fd);
            return watch && watch->watcher == q.watcher && watch->sendGeneration == q.generation;
        };
        std::vector<CBatchedSocketIo::Op> ops;
        std::vector<size_t> of;
        ops.reserve(sends.size());
        of.reserve(sends.size());
        for (size_t i = 0; i < sends.size(); ++i) {
            QueuedSend& q = sends[i];
            if (!current(q))
                continue;
            ops.push_back(CBatchedSocketIo::Op{q.fd, const_cast<char*>(q.data.constData()), q.data.size(), true, 0});
            of.push_back(i);
        }
        f_Io()->Run(ops.data(), int(ops.size()));
        // Told in order; a watcher told earlier may have ended a later one.
        for (size_t k = 0; k < ops.size(); ++k) {
            const QueuedSend& q = sends[of[k]];
            if (current(q))
                q.watcher->EpollSent(q.fd, q.data, ops[k].result);
        }
    }
}

void CEpollEventDispatcher::f_UpdateWatch(int fd, Watch& watch)
{
    quint32 wanted = watch.watcherEvents;
    for (int i = 0; i < 3; ++i)
        if (watch.notifier[i])
            wanted |= EVENTS_OF_TYPE[i];
    if (m_Epoll < 0 || wanted == watch.events)
        return;
    epoll_event ev{};
    ev.events = wanted;
    ev.data.fd = fd;
    int rc;
    if (wanted == 0) {
        rc = ::epoll_ctl(m_Epoll, EPOLL_CTL_DEL, fd, &ev);
        // Closed before it was unwatched: the kernel has forgotten it already.
        if (rc != 0 && (errno == EBADF || errno == ENOENT))
            rc = 0;
    } else if (watch.events == 0) {
        rc = ::epoll_ctl(m_Epoll, EPOLL_CTL_ADD, fd, &ev);
        if (rc != 0 && errno == EEXIST)
            rc = ::epoll_ctl(m_Epoll, EPOLL_CTL_MOD, fd, &ev);
    } else {
        rc = ::epoll_ctl(m_Epoll, EPOLL_CTL_MOD, fd, &ev);
        // The descriptor number was closed and opened again meanwhile.
        if (rc != 0 && errno == ENOENT)
            rc = ::epoll_ctl(m_Epoll, EPOLL_CTL_ADD, fd, &ev);
    }
    if (rc != 0)
        qWarning("CEpollEventDispatcher: cannot watch socket %d (errno %d)", fd, errno);
    watch.events = wanted;
}

// A socket that stays watched but changes what for (a write notifier enabled
// for one write and disabled after it, all in one turn) is told to the kernel
// only before the next wait, and not at all when the change undoes itself. A
// socket that starts or stops being watched is told at once: its descriptor
// may be closed and its number given to a new socket before then.
void CEpollEventDispatcher::f_ChangeWatch(int fd, Watch& watch)
{
    bool anyNotifier = watch.watcherEvents != 0;
    for (QSocketNotifier* n : watch.notifier)
        anyNotifier = anyNotifier || n != nullptr;
    if (watch.events == 0 || !anyNotifier) {
        f_UpdateWatch(fd, watch);
        return;
    }
    if (!watch.pending) {
        watch.pending = true;
        m_PendingWatches.push_back(fd);
    }
}

void CEpollEventDispatcher::f_ApplyPendingWatches()
{
    for (int fd : m_PendingWatches) {
        Watch* watch = f_FindWatch(fd);
        if (!watch || !watch->pending)
            continue;
        watch->pending = false;
        f_UpdateWatch(fd, *watch);
    }
    m_PendingWatches.clear();
}

void CEpollEventDispatcher::registerSocketNotifier(QSocketNotifier* notifier)
{
    const int fd = int(notifier->socket());
    if (fd < 0)
        return;
    if (size_t(fd) >= m_Watches.size())
        m_Watches.resize(std::max(size_t(fd) + 1, m_Watches.size() * 2));
    Watch& watch = m_Watches[size_t(fd)];
    const int type = TypeIndex(notifier->type());
    if (watch.notifier[type] && watch.notifier[type] != notifier)
        qWarning("CEpollEventDispatcher: socket %d already has a notifier of that type", fd);
    watch.notifier[type] = notifier;
    f_ChangeWatch(fd, watch);
}

void CEpollEventDispatcher::unregisterSocketNotifier(QSocketNotifier* notifier)
{
    const int fd = int(notifier->socket());
    Watch* watch = f_FindWatch(fd);
    if (!watch)
        return;
    const int type = TypeIndex(notifier->type());
    if (watch->notifier[type] != notifier)
        return;
    watch->notifier[type] = nullptr;
    f_ChangeWatch(fd, *watch);
    if (watch->events == 0 && !watch->watcher) {
        // The generation stays: readiness seen for an earlier watcher of
        // this number must never reach a later one.
        const quint32 generation = watch->generation;
        const quint32 sendGeneration = watch->sendGeneration;
        *watch = Watch();
        watch->generation = generation;
        watch->sendGeneration = sendGeneration;
    }
}

int CEpollEventDispatcher::f_ActivateNotifiers(const epoll_event* ready, int count)
{
    struct Pending
    {
        QSocketNotifier* notifier; // null: the watcher's
        int fd;
        int type;
        CEpollWatcher* watcher;
        quint32 generation;
        quint32 events;
        int read; // index of the read done for the watcher, or -1
    };
    QVarLengthArray<Pending, READY_MAX> pending;
    QVarLengthArray<CBatchedSocketIo::Op, READY_MAX> reads;
    for (int i = 0; i < count; ++i) {
        const int fd = ready[i].data.fd;
        if (fd == m_Wake) {
            f_DrainWake();
            continue;
        }
        const Watch* watch = f_FindWatch(fd);
        if (!watch)
            continue;
        if (watch->watcher) {
            quint32 events = ready[i].events & watch->watcherEvents;
            if (ready[i].events & (EPOLLHUP | EPOLLERR | EPOLLRDHUP))
                events |= ready[i].events & (EPOLLHUP | EPOLLERR | EPOLLRDHUP);
            int read = -1;
            if (watch->watcherReads && (watch->watcherEvents & EPOLLIN)
                && (events & (EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP))) {
                read = reads.size();
                reads.append(CBatchedSocketIo::Op{fd, nullptr, READ_SIZE, false, 0});
            }
            if (events)
                pending.append(Pending{nullptr, fd, 0, watch->watcher, watch->generation, events, read});
        }
        for (int type = 0; type < 3; ++type)
            if (watch->notifier[type] && (ready[i].events & WAKES_TYPE[type]))
                pending.append(Pending{watch->notifier[type], fd, type, nullptr, 0, 0, -1});
    }
    if (!reads.isEmpty()) {
        // Every ready descriptor read in one go, before anyone is told.
        if (m_ReadBuffers.size() < size_t(READY_MAX) * READ_SIZE)
            m_ReadBuffers.resize(size_t(READY_MAX) * READ_SIZE);
        for (int r = 0; r < reads.size(); ++r)
            reads[r].data = m_ReadBuffers.data() + size_t(r) * READ_SIZE;
        f_Io()->Run(reads.data(), reads.size());
    }
    int activated = 0;
    for (const Pending& p : pending) {
        // An earlier delivery may have disabled or deleted this one.
        const Watch* watch = f_FindWatch(p.fd);
        if (!watch)
            continue;
        if (!p.notifier) {
            if (watch->watcher != p.watcher || watch->generation != p.generation)
                continue;
            if (p.read >= 0)
                p.watcher->EpollRead(p.fd, p.events, reads[p.read].data, reads[p.read].result);
            else
                p.watcher->EpollReady(p.fd, p.events);
            ++activated;
            continue;
        }
        if (watch->notifier[p.type] != p.notifier)
            continue;
        QEvent event(QEvent::SockAct);
        QCoreApplication::sendEvent(p.notifier, &event);
        ++activated;
    }
    return activated;
}

// ---- the loop ----------------------------------------------------------

void CEpollEventDispatcher::SetBusyNap(int microseconds)
{
    m_NapNs = qMax(0, microseconds) * qint64(1000);
}

// Ready descriptors per millisecond, judged over windows of a millisecond
// or more: a busy thread has at least a few in each.
void CEpollEventDispatcher::f_CountReady(int count)
{
    if (m_NapNs <= 0)
        return;
    const qint64 now = f_NowNs();
    const qint64 window = now - m_WindowStartNs;
    if (window >= NS_PER_MS) {
        m_bBusy = m_WindowReady * NS_PER_MS >= BUSY_READY_PER_MS * window;
        m_WindowStartNs = now;
        m_WindowReady = 0;
    }
    if (count > 0)
        m_WindowReady += count;
}

// While busy, a wait for the next ready descriptor would end for each one,
// and a wake-up costs more than the work it brings: a switch of threads and
// caches gone cold. So first a short moment passes, and what has come
// meanwhile is taken in one turn. Not while a post or a timer is due.
bool CEpollEventDispatcher::f_Nap(int timeoutMs)
{
    if (m_NapNs <= 0 || !m_bBusy || m_WakePending.loadAcquire() || m_Interrupted.loadRelaxed())
        return false;
    qint64 nap = m_NapNs;
    if (timeoutMs >= 0)
        nap = qMin(nap, qint64(timeoutMs) * NS_PER_MS);
    if (nap <= 0)
        return false;
    timespec pause{time_t(nap / 1000000000), long(nap % 1000000000)};
    ::nanosleep(&pause, nullptr);
    return true;
}

bool CEpollEventDispatcher::processEvents(QEventLoop::ProcessEventsFlags flags)
{
    emit awake();
    // Cleared before the posted events run, so a post from now on wakes the
    // wait below.
    if (m_WakePending.fetchAndStoreAcquire(0))
        f_DrainWake();
    QCoreApplication::sendPostedEvents();

    const bool withNotifiers = !(flags & QEventLoop::ExcludeSocketNotifiers);
    const bool withTimers = !(flags & QEventLoop::X11ExcludeTimers);
    // An interrupt is taken only here, after its wake-up may already have
    // been drained above: one that came before this turn (the loop may have
    // looked at its exit flag just before it) ends the turn without a wait;
    // one that comes later stays set, and its wake-up ends the wait.
    const bool interrupted = m_Interrupted.fetchAndStoreAcquire(0) != 0;
    const bool canWait = (flags & QEventLoop::WaitForMoreEvents) && !interrupted && !m_WakePending.loadAcquire();
    int timeout = 0;
    if (canWait) {
        timeout = withTimers ? f_WaitMs(f_NowNs()) : -1;
        emit aboutToBlock();
    }

    epoll_event ready[READY_MAX];
    int count = 0;
    // The turn's sends go first: a send that does not go through wants the
    // descriptor watched for room, which the wait must already know.
    SubmitSends();
    f_ApplyPendingWatches();
    if (timeout != 0 && withNotifiers && f_Nap(timeout))
        timeout = withTimers ? f_WaitMs(f_NowNs()) : -1;
    if (withNotifiers && m_Epoll >= 0) {
        count = ::epoll_wait(m_Epoll, ready, READY_MAX, timeout);
        f_CountReady(count);
    } else if (m_Wake >= 0) {
        // Sockets left out: wait for a wake-up or a timer only.
        pollfd one{m_Wake, POLLIN, 0};
        if (::poll(&one, 1, timeout) < 0 && errno != EINTR)
            qWarning("CEpollEventDispatcher: poll failed (errno %d)", errno);
        if (one.revents)
            f_DrainWake();
    } else if (timeout != 0) {
        // No descriptors at all: sleep until the next timer, at most a moment.
        ::usleep(timeout < 0 ? 10000 : qMin(timeout, 10) * 1000);
    }
    if (count < 0) {
        if (errno != EINTR)
            qWarning("CEpollEventDispatcher: epoll_wait failed (errno %d)", errno);
        count = 0;
    }

    int activated = 0;
    if (count > 0)
        activated += f_ActivateNotifiers(ready, count);
    if (withTimers)
        activated += f_ActivateTimers();
    return activated > 0;
}
