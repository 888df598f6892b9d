#include <QtTest>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "CEpollEventDispatcher.h"

namespace {

// A thread running its event loop on the epoll dispatcher, and a way to run
// code in it and wait for the code to finish.
class EpollThread
{
public:
    EpollThread()
    {
        m_Thread.setEventDispatcher(new CEpollEventDispatcher);
        m_Context.moveToThread(&m_Thread);
        m_Thread.start();
    }
    ~EpollThread()
    {
        m_Thread.quit();
        m_Thread.wait();
    }
    void Run(const std::function<void()>& work)
    {
        QMetaObject::invokeMethod(&m_Context, work, Qt::BlockingQueuedConnection);
    }
    void Post(const std::function<void()>& work) { QMetaObject::invokeMethod(&m_Context, work, Qt::QueuedConnection); }
    QThread& Thread() { return m_Thread; }

private:
    QThread m_Thread;
    QObject m_Context;
};

// Counts what it is told; optionally renews another descriptor's watch when told.
struct CountingWatcher : CEpollWatcher
{
    void EpollReady(int fd, quint32 events) override
    {
        ++told;
        lastEvents = events;
        char buffer[16];
        if (events & EPOLLIN)
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
        if (renew)
            renew();
    }
    int told = 0;
    quint32 lastEvents = 0;
    std::function<void()> renew;
};

// Records what the dispatcher read and sent for it.
struct ReadingWatcher : CEpollWatcher
{
    void EpollReady(int, quint32) override { ++toldReady; }
    void EpollRead(int, quint32, const char* data, int result) override
    {
        reads.append(result > 0 ? QByteArray(data, result) : QByteArray::number(result));
    }
    void EpollSent(int, const QByteArray& data, int result) override
    {
        sent.append(data + ':' + QByteArray::number(result));
    }
    int toldReady = 0;
    QList<QByteArray> reads;
    QList<QByteArray> sent;
};

// A connected pair of non-blocking local sockets, closed at the end.
class SocketPair
{
public:
    SocketPair() { m_Ok = ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, m_Fd) == 0; }
    ~SocketPair()
    {
        Close(0);
        Close(1);
    }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;
    bool IsOk() const { return m_Ok; }
    int operator[](int i) const { return m_Fd[i]; }
    void Close(int i)
    {
        if (m_Fd[i] >= 0)
            ::close(m_Fd[i]);
        m_Fd[i] = -1;
    }

private:
    int m_Fd[2] = {-1, -1};
    bool m_Ok = false;
};

QByteArray ReadAvailable(int fd)
{
    QByteArray all;
    char buffer[64];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        all.append(buffer, int(got));
    return all;
}

} // namespace

class tst_CEpollEventDispatcher : public QObject
{
    Q_OBJECT
private slots:
    void theThreadUsesIt()
    {
        EpollThread worker;
        bool ours = false;
        worker.Run([&] { ours = qobject_cast<CEpollEventDispatcher*>(QAbstractEventDispatcher::instance()) != nullptr; });
        QVERIFY(ours);
        auto* dispatcher = qobject_cast<CEpollEventDispatcher*>(worker.Thread().eventDispatcher());
        QVERIFY(dispatcher && dispatcher->IsValid());
    }

    void timersFireByDeadlineThenStartOrder()
    {
        EpollThread worker;
        QStringList fired; // touched in the worker only until it is read there
        QObject* context = nullptr;
        worker.Run([&] {
            context = new QObject;
            auto* stopped = new QTimer(context);
            stopped->setSingleShot(true);
            connect(stopped, &QTimer::timeout, context, [&] { fired << QStringLiteral("stopped"); });
            QTimer::singleShot(60, context, [&] { fired << QStringLiteral("60"); });
            QTimer::singleShot(20, Qt::PreciseTimer, context, [&, stopped] {
                fired << QStringLiteral("20a");
                stopped->stop();
            });
            QTimer::singleShot(20, Qt::PreciseTimer, context, [&] { fired << QStringLiteral("20b"); });
            QTimer::singleShot(40, context, [&] { fired << QStringLiteral("40"); });
            // Due together with the first: stopped by it before its turn.
            stopped->setTimerType(Qt::PreciseTimer);
            stopped->start(20);
        });
        QStringList seen;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { seen = fired; }), seen.size() >= 4), 10000);
        QTest::qWait(100);
        worker.Run([&] {
            seen = fired;
            delete context;
        });
        QCOMPARE(seen, (QStringList{"20a", "20b", "40", "60"}));
    }

    void repeatingTimerStopAndRemainingTime()
    {
        EpollThread worker;
        int ticks = 0;
        int remaining = -2;
        int afterStop = -2;
        QTimer* repeating = nullptr;
        QTimer* far = nullptr;
        worker.Run([&] {
            repeating = new QTimer;
            repeating->setInterval(2);
            connect(repeating, &QTimer::timeout, repeating, [&] {
                if (++ticks == 5)
                    repeating->stop();
            });
            repeating->start();
            far = new QTimer;
            far->start(100000);
            remaining = far->remainingTime();
            far->stop();
            afterStop = far->remainingTime();
        });
        QVERIFY2(remaining > 90000 && remaining <= 100000, qPrintable(QString::number(remaining)));
        QCOMPARE(afterStop, -1);
        bool active = true;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { active = repeating->isActive(); }), !active), 10000);
        worker.Run([&] {
            QCOMPARE(ticks, 5);
            delete repeating;
            delete far;
        });
    }

    void aTimerDoesNotFireInsideItsOwnEvent()
    {
        EpollThread worker;
        int depth = 0;
        int deepest = 0;
        int ticks = 0;
        QTimer* timer = nullptr;
        worker.Run([&] {
            timer = new QTimer;
            timer->setInterval(1);
            connect(timer, &QTimer::timeout, timer, [&] {
                ++ticks;
                deepest = qMax(deepest, ++depth);
                if (ticks == 1) {
                    // A nested loop that lets other timers run meanwhile.
                    QEventLoop loop;
                    int others = 0;
                    QTimer other;
                    connect(&other, &QTimer::timeout, &loop, [&] {
                        if (++others == 10)
                            loop.quit();
                    });
                    other.start(1);
                    loop.exec();
                }
                if (ticks == 3)
                    timer->stop();
                --depth;
            });
            timer->start();
        });
        bool active = true;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { active = timer->isActive(); }), !active), 10000);
        worker.Run([&] { delete timer; });
        QCOMPARE(deepest, 1);
    }

    void postsFromAnotherThreadWakeTheWait()
    {
        // No timer anywhere: the worker waits without a time limit, and only a
        // wake-up brings each post in.
        EpollThread worker;
        QAtomicInt delivered;
        for (int i = 0; i < 50; ++i) {
            worker.Post([&] { delivered.ref(); });
            if (i % 10 == 0)
                QThread::msleep(5);
        }
        QTRY_COMPARE_WITH_TIMEOUT(delivered.loadAcquire(), 50, 10000);
    }

    void deleteLaterAndQuitAreCarriedOut()
    {
        QPointer<QObject> doomed;
        {
            EpollThread worker;
            worker.Run([&] {
                doomed = new QObject;
                doomed->deleteLater();
            });
            QTRY_VERIFY_WITH_TIMEOUT(doomed.isNull(), 10000);
        }
        QVERIFY(doomed.isNull());
    }

    // A quit that comes between the loop's look at its exit flag and the
    // dispatcher's next turn: that turn must not wait, or the thread never
    // sees the exit (a stop of the thread would hang).
    void anInterruptBeforeTheTurnEndsItsWait()
    {
        EpollThread worker;
        QAtomicInt turnEnded;
        worker.Post([&] {
            QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher();
            dispatcher->interrupt();
            dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
            turnEnded.storeRelease(1);
        });
        // Without the fix the turn waits for good; a post would end it, so a
        // failing run still finishes.
        QTest::qWait(500);
        const bool waited = !turnEnded.loadAcquire();
        if (waited)
            worker.Post([] {});
        QTRY_VERIFY_WITH_TIMEOUT(turnEnded.loadAcquire(), 10000);
        QVERIFY(!waited);

        // And the race itself, many times over: each thread stops in time.
        for (int i = 0; i < 200; ++i) {
            EpollThread racer;
            racer.Post([] {});
        }
    }

    void socketNotifiersReadWriteAndDisable()
    {
        SocketPair fds;
        QVERIFY(fds.IsOk());
        EpollThread worker;
        QByteArray received;
        int writable = 0;
        QSocketNotifier* reader = nullptr;
        QSocketNotifier* writer = nullptr;
        worker.Run([&] {
            reader = new QSocketNotifier(fds[0], QSocketNotifier::Read);
            connect(reader, &QSocketNotifier::activated, reader, [&] {
                char buffer[64];
                const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
                if (n > 0)
                    received.append(buffer, int(n));
            });
            writer = new QSocketNotifier(fds[0], QSocketNotifier::Write);
            connect(writer, &QSocketNotifier::activated, writer, [&] {
                ++writable;
                writer->setEnabled(false);
            });
        });
        QCOMPARE(::write(fds[1], "abc", 3), ssize_t(3));
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { seen = received; }), seen == "abc"), 10000);
        worker.Run([&] {
            QCOMPARE(writable, 1);
            reader->setEnabled(false);
        });
        QCOMPARE(::write(fds[1], "de", 2), ssize_t(2));
        // Disabled: the bytes wait in the socket until the reader is back.
        worker.Run([&] {
            QCoreApplication::processEvents();
            QCOMPARE(received, QByteArray("abc"));
            reader->setEnabled(true);
        });
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { seen = received; }), seen == "abcde"), 10000);
        fds.Close(1);
        worker.Run([&] {
            delete reader;
            delete writer;
        });
    }

    // Within one turn: a watched socket's notifiers go, its descriptor is
    // closed and the number comes back for a new socket, whose reader must
    // then be woken; a write notifier enabled and disabled again in that turn
    // leaves the reader alone.
    void descriptorNumberReusedInOneTurn()
    {
        EpollThread worker;
        int fresh[2] = {-1, -1};
        int reused = -1;
        QByteArray received;
        QSocketNotifier* reader = nullptr;
        worker.Run([&] {
            int old[2];
            QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, old) == 0);
            auto* oldReader = new QSocketNotifier(old[0], QSocketNotifier::Read);
            auto* oldWriter = new QSocketNotifier(old[0], QSocketNotifier::Write);
            oldWriter->setEnabled(false);
            delete oldWriter;
            delete oldReader;
            ::close(old[0]);
            ::close(old[1]);
            QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fresh) == 0);
            reused = fresh[0] == old[0] || fresh[1] == old[0] ? old[0] : -1;
            if (fresh[1] == old[0])
                std::swap(fresh[0], fresh[1]);
            reader = new QSocketNotifier(fresh[0], QSocketNotifier::Read);
            connect(reader, &QSocketNotifier::activated, reader, [&] {
                char buffer[16];
                const ssize_t n = ::read(fresh[0], buffer, sizeof buffer);
                if (n > 0)
                    received.append(buffer, int(n));
            });
            auto* writer = new QSocketNotifier(fresh[0], QSocketNotifier::Write);
            writer->setEnabled(false);
            delete writer;
        });
        QVERIFY(reused >= 0); // the kernel hands out the lowest free number
        QCOMPARE(::write(fresh[1], "x", 1), ssize_t(1));
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { seen = received; }), seen == "x"), 10000);
        worker.Run([&] { delete reader; });
        ::close(fresh[0]);
        ::close(fresh[1]);
    }

    void watchersAreToldDirectly()
    {
        SocketPair fds;
        QVERIFY(fds.IsOk());
        EpollThread worker;
        CountingWatcher watcher;
        worker.Run([&] {
            CEpollEventDispatcher::ForCurrentThread()->WatchDescriptor(fds[0], EPOLLOUT, &watcher);
            QCoreApplication::processEvents();
            QCOMPARE(watcher.told, 1);
            QCOMPARE(watcher.lastEvents & EPOLLOUT, quint32(EPOLLOUT));
            CEpollEventDispatcher::ForCurrentThread()->WatchDescriptor(fds[0], EPOLLIN, &watcher);
            QCoreApplication::processEvents();
            QCOMPARE(watcher.told, 1); // nothing to read yet
        });
        QCOMPARE(::write(fds[1], "a", 1), ssize_t(1));
        int told = 0;
        QTRY_VERIFY_WITH_TIMEOUT((worker.Run([&] { told = watcher.told; }), told == 2), 10000);
        worker.Run([&] {
            QCOMPARE(watcher.lastEvents & EPOLLIN, quint32(EPOLLIN));
            CEpollEventDispatcher::ForCurrentThread()->WatchDescriptor(fds[0], 0, nullptr);
        });
        QCOMPARE(::write(fds[1], "b", 1), ssize_t(1));
        worker.Run([&] {
            QCoreApplication::processEvents();
            QCOMPARE(watcher.told, 2); // no longer watched
        });
    }

    // The dispatcher reads every ready socket of a turn for its watcher and
    // sends what watchers queued before it waits: two sends on one socket in
    // one turn go out as one, in order; a send whose watcher has gone is
    // dropped; a descriptor not watched by the sender is refused.
    void readsAndSendsGoTogether()
    {
        SocketPair x;
        SocketPair y;
        QVERIFY(x.IsOk() && y.IsOk());
        EpollThread worker;
        ReadingWatcher onX;
        ReadingWatcher onY;
        worker.Run([&] {
            CEpollEventDispatcher* d = CEpollEventDispatcher::ForCurrentThread();
            d->WatchDescriptor(x[0], EPOLLIN, &onX, true);
            d->WatchDescriptor(y[0], EPOLLIN, &onY, true);
            QCoreApplication::processEvents();
            QCOMPARE(::write(x[1], "x1", 2), ssize_t(2));
            QCOMPARE(::write(y[1], "y1", 2), ssize_t(2));
            QCoreApplication::processEvents();
            QCOMPARE(onX.reads, QList<QByteArray>{"x1"});
            QCOMPARE(onY.reads, QList<QByteArray>{"y1"});
            QCOMPARE(onX.toldReady + onY.toldReady, 0);

            QVERIFY(d->QueueSend(x[0], "ab", &onX));
            QVERIFY(d->QueueSend(x[0], "cd", &onX));
            QVERIFY(!d->QueueSend(x[0], "no", &onY));
            QVERIFY(d->QueueSend(y[0], "zz", &onY));
            QCOMPARE(ReadAvailable(x[1]), QByteArray()); // not before the turn ends
            d->WatchDescriptor(y[0], 0, nullptr);
            QCoreApplication::processEvents();
            QCOMPARE(ReadAvailable(x[1]), QByteArray("abcd"));
            QCOMPARE(onX.sent, QList<QByteArray>{"abcd:4"});
            QCOMPARE(ReadAvailable(y[1]), QByteArray());
            QVERIFY(onY.sent.isEmpty());

            // The peer gone: the read tells the end, the send the failure.
            x.Close(1);
            QVERIFY(d->QueueSend(x[0], "e", &onX));
            d->SubmitSends();
            QCOMPARE(onX.sent.last(), QByteArray("e:") + QByteArray::number(-EPIPE));
            QCoreApplication::processEvents();
            QCOMPARE(onX.reads.last(), QByteArray("0"));
            d->WatchDescriptor(x[0], 0, nullptr);
        });
    }

    // A thread with a busy nap pauses before it waits only once it is busy;
    // then what comes during the pause is taken in the same turn.
    void aBusyThreadTakesWhatComesDuringItsNap()
    {
        const int count = 32; // ready in one millisecond even on a slow machine
        SocketPair pairs[count];
        for (const SocketPair& pair : pairs)
            QVERIFY(pair.IsOk());
        EpollThread worker;
        CountingWatcher watchers[count];
        worker.Run([&] {
            CEpollEventDispatcher* d = CEpollEventDispatcher::ForCurrentThread();
            // A long nap, so that a busy machine's late thread start still
            // falls inside it and an at-once end stays far from it.
            d->SetBusyNap(200000);
            for (int i = 0; i < count; ++i)
                d->WatchDescriptor(pairs[i][0], EPOLLIN, &watchers[i]);
            const auto turn = [](qint64* ms) {
                QElapsedTimer clock;
                clock.start();
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                *ms = clock.elapsed();
            };
            const auto writeAll = [&] {
                for (const SocketPair& pair : pairs)
                    QCOMPARE(::write(pair[1], "a", 1), ssize_t(1));
            };
            // Not yet busy: a single ready socket ends the wait at once.
            qint64 ms = 0;
            QCOMPARE(::write(pairs[0][1], "a", 1), ssize_t(1));
            turn(&ms);
            QCOMPARE(watchers[0].told, 1);
            QVERIFY2(ms < 150, qPrintable(QString::number(ms)));
            // Many ready sockets in each of two milliseconds: busy.
            for (int round = 0; round < 2; ++round) {
                QThread::msleep(1);
                writeAll();
                turn(&ms);
            }
            QCOMPARE(watchers[1].told, 2);
            // One ready now, another during the pause: both in one turn.
            QCOMPARE(::write(pairs[0][1], "b", 1), ssize_t(1));
            std::thread late([&] {
                QThread::msleep(15);
                if (::write(pairs[1][1], "b", 1) != 1)
                    qWarning("no write");
            });
            turn(&ms);
            late.join();
            QCOMPARE(watchers[0].told, 4);
            QCOMPARE(watchers[1].told, 3);
            QVERIFY2(ms >= 190, qPrintable(QString::number(ms)));
            for (const SocketPair& pair : pairs)
                d->WatchDescriptor(pair[0], 0, nullptr);
        });
    }

    // Two readable sockets seen in one wait; whichever is told first watches
    // the other anew. The other's readiness from that wait belongs to the old
    // watch and is dropped; the new watch is told on the next turn.
    void readinessOfAnEarlierWatchIsDropped()
    {
        SocketPair x;
        SocketPair y;
        QVERIFY(x.IsOk() && y.IsOk());
        EpollThread worker;
        CountingWatcher onX;
        CountingWatcher onY;
        worker.Run([&] {
            CEpollEventDispatcher* d = CEpollEventDispatcher::ForCurrentThread();
            onX.renew = [d, &y, &onY] {
                d->WatchDescriptor(y[0], 0, nullptr);
                d->WatchDescriptor(y[0], EPOLLIN, &onY);
            };
            onY.renew = [d, &x, &onX] {
                d->WatchDescriptor(x[0], 0, nullptr);
                d->WatchDescriptor(x[0], EPOLLIN, &onX);
            };
            d->WatchDescriptor(x[0], EPOLLIN, &onX);
            d->WatchDescriptor(y[0], EPOLLIN, &onY);
            QCoreApplication::processEvents(); // the watches reach the kernel
        });
        // Written and waited for within one call, so the thread's own loop
        // gets no turn in between.
        worker.Run([&] {
            QCOMPARE(::write(x[1], "x", 1), ssize_t(1));
            QCOMPARE(::write(y[1], "y", 1), ssize_t(1));
            QCoreApplication::processEvents();
            QCOMPARE(onX.told + onY.told, 1);
            onX.renew = nullptr;
            onY.renew = nullptr;
            QCoreApplication::processEvents();
            QCOMPARE(onX.told + onY.told, 2);
            QCOMPARE(onX.told, 1);
            CEpollEventDispatcher::ForCurrentThread()->WatchDescriptor(x[0], 0, nullptr);
            CEpollEventDispatcher::ForCurrentThread()->WatchDescriptor(y[0], 0, nullptr);
        });
    }
};

QTEST_GUILESS_MAIN(tst_CEpollEventDispatcher)
#include "tst_CEpollEventDispatcher.moc"
