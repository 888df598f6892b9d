#include <QtTest>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

#include <functional>

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

    void socketNotifiersReadWriteAndDisable()
    {
        int fds[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds), 0);
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
        ::close(fds[1]);
        worker.Run([&] {
            delete reader;
            delete writer;
        });
        ::close(fds[0]);
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
};

QTEST_GUILESS_MAIN(tst_CEpollEventDispatcher)
#include "tst_CEpollEventDispatcher.moc"
