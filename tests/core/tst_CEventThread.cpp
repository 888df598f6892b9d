#include <QtTest>
#include <QException>
#include <QLoggingCategory>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <vector>

#include "CEventBase.h"
#include "CLumivox5Thread.h"

namespace {

// What a test event asks its handler to do.
struct Step
{
    int seq = 0;
    int key = 1;
    bool poolOnce = false; // hold the event back the first time it is handled
    int nextPooled = -1;   // -1: nothing, 0/1: SetNextEventIsPooled(false/true)
    int throwKind = 0;     // 0: none, 1: std::exception, 2: QException, 3: int
};

// Counts every construction and destruction, so a lost event (never freed)
// or an event freed twice shows up in the totals; the sanitizer build also
// catches the second delete itself.
class TestEvent : public CEventBase
{
public:
    static std::atomic<int> s_created;
    static std::atomic<int> s_destroyed;

    explicit TestEvent(const Step& step, int id = 0)
        : m_step(step)
    {
        m_nEventKey = step.key;
        m_nEventID = id;
        ++s_created;
    }
    ~TestEvent() override { ++s_destroyed; }

    Step m_step;
    int m_handled = 0;
};
std::atomic<int> TestEvent::s_created{0};
std::atomic<int> TestEvent::s_destroyed{0};

int liveEvents()
{
    return TestEvent::s_created - TestEvent::s_destroyed;
}

class OtherException : public QException
{
public:
    void raise() const override { throw *this; }
    OtherException* clone() const override { return new OtherException(*this); }
};

// Everything the worker reports, guarded: it is written from the worker
// thread and read from the test thread.
struct Log
{
    struct Signal
    {
        QByteArray name;
        int nID;
        int key;
        int id;
        bool operator==(const Signal& o) const
        {
            return name == o.name && nID == o.nID && key == o.key && id == o.id;
        }
    };

    mutable QMutex mutex;
    QList<int> handled;          // seq of each handled event, in order
    QList<Signal> signals_;
    bool handlerOutsideWorker = false;

    QList<int> handledSeqs() const
    {
        QMutexLocker l(&mutex);
        return handled;
    }
    int handledCount() const
    {
        QMutexLocker l(&mutex);
        return handled.size();
    }
    QList<Signal> signalList() const
    {
        QMutexLocker l(&mutex);
        return signals_;
    }
    int count(const QByteArray& name) const
    {
        QMutexLocker l(&mutex);
        int n = 0;
        for (const Signal& s : signals_)
            n += s.name == name ? 1 : 0;
        return n;
    }
    bool has(const QByteArray& name, int nID, int key, int id) const
    {
        QMutexLocker l(&mutex);
        return signals_.contains({name, nID, key, id});
    }
    void add(const QByteArray& name, int nID, int key = -1, int id = -1)
    {
        QMutexLocker l(&mutex);
        signals_.append({name, nID, key, id});
    }
};

class TestThread : public CLumivox5Thread
{
    Q_OBJECT
public:
    explicit TestThread(Log* log, bool endInOwnDestructor = true)
        : m_log(log),
          m_endInOwnDestructor(endInOwnDestructor)
    {
        connect(this, &CEventThread::ThreadStarted, this, [log](int n) { log->add("started", n); }, Qt::DirectConnection);
        connect(this, &CEventThread::ThreadEventWait, this, [log](int n) { log->add("wait", n); }, Qt::DirectConnection);
        connect(this, &CEventThread::ThreadEventStart, this,
                [log](int n, int k, int i) { log->add("start", n, k, i); }, Qt::DirectConnection);
        connect(this, &CEventThread::ThreadEventFinished, this,
                [log](int n, int k, int i) { log->add("finished", n, k, i); }, Qt::DirectConnection);
        connect(this, &CEventThread::ThreadEnd, this, [log](int n) { log->add("end", n); }, Qt::DirectConnection);
    }
    ~TestThread() override
    {
        if (m_endInOwnDestructor)
            SafeAbort();
    }

    void OnEvent(CEventBase* base)
    {
        TestEvent* event = static_cast<TestEvent*>(base);
        {
            QMutexLocker l(&m_log->mutex);
            m_log->handled.append(event->m_step.seq);
            if (QThread::currentThread() != this)
                m_log->handlerOutsideWorker = true;
        }
        const Step& step = event->m_step;
        if (step.poolOnce && event->m_handled == 0)
            PoolCurrentEvent();
        ++event->m_handled;
        if (step.nextPooled >= 0)
            SetNextEventIsPooled(step.nextPooled == 1);
        switch (step.throwKind) {
        case 1: throw std::runtime_error("handler failed");
        case 2: throw OtherException();
        case 3: throw 42;
        default: break;
        }
    }
    void OnOther(CEventBase* base)
    {
        QMutexLocker l(&m_log->mutex);
        m_log->handled.append(-static_cast<TestEvent*>(base)->m_step.seq);
    }

    // Registered by the loop for keys 1 and 2; key 3 stays unknown.
    void f_CreateEventList() override
    {
        f_AddEvent(1, static_cast<EventFunction>(&TestThread::OnEvent));
        f_AddEvent(2, static_cast<EventFunction>(&TestThread::OnEvent));
    }

    void enqueue(const Step& step, int id = 0)
    {
        EnqueueEvent(new TestEvent(step, id));
        WakeUp();
    }

private:
    Log* m_log;
    bool m_endInOwnDestructor;
};

Step step(int seq, int key = 1)
{
    Step s;
    s.seq = seq;
    s.key = key;
    return s;
}

// Proves the loop is alive and idle: a marker event is handled.
bool handlesMarker(TestThread& thread, Log& log, int seq)
{
    thread.enqueue(step(seq));
    QDeadlineTimer guard(20000);
    while (!guard.hasExpired()) {
        if (log.handledSeqs().contains(seq))
            return true;
        QThread::msleep(1);
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(QVector<Step>)

class tst_CEventThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The loop traces every step; thousands of lines would drown the output.
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    }

    void init()
    {
        TestEvent::s_created = 0;
        TestEvent::s_destroyed = 0;
    }

    void cleanup()
    {
        QCOMPARE(liveEvents(), 0);
    }

    // The idle announcement goes out with no lock held: an observer on the
    // worker may queue work and wake the thread, and that work is run.
    void waitObserverMayQueueWork()
    {
        Log log;
        TestThread thread(&log);
        std::atomic<bool> queued(false);
        connect(&thread, &CEventThread::ThreadEventWait, &thread, [&thread, &queued](int) {
            if (!queued.exchange(true))
                thread.enqueue(step(1));
        }, Qt::DirectConnection);
        thread.start();
        QTRY_COMPARE(log.handledSeqs(), QList<int>{1});
        QVERIFY(handlesMarker(thread, log, 2));
        thread.SafeAbort();
        QVERIFY(thread.isFinished());
    }

    void dispatchRunsInWorkerInOrder_data()
    {
        QTest::addColumn<bool>("withID");
        QTest::addColumn<int>("expectedID");
        QTest::newRow("start(nID)") << true << 7;
        QTest::newRow("start() leaves nID 0") << false << 0;
    }

    void dispatchRunsInWorkerInOrder()
    {
        QFETCH(bool, withID);
        QFETCH(int, expectedID);
        Log log;
        TestThread thread(&log);
        if (withID)
            thread.start(7);
        else
            thread.start();
        QTRY_VERIFY(log.count("wait") >= 1);

        thread.enqueue(step(1), 11);
        thread.enqueue(step(2), 12);
        thread.enqueue(step(3), 13);
        QTRY_COMPARE(log.handledCount(), 3);
        QCOMPARE(log.handledSeqs(), (QList<int>{1, 2, 3}));
        QVERIFY(!log.handlerOutsideWorker);

        thread.SafeAbort();
        QVERIFY(thread.isFinished());

        QList<Log::Signal> sig = log.signalList();
        sig.erase(std::remove_if(sig.begin(), sig.end(), [](const Log::Signal& s) { return s.name == "wait"; }),
                  sig.end());
        const int n = expectedID;
        const QList<Log::Signal> expected{
            {"started", n, -1, -1},
            {"start", n, 1, 11}, {"finished", n, 1, 11},
            {"start", n, 1, 12}, {"finished", n, 1, 12},
            {"start", n, 1, 13}, {"finished", n, 1, 13},
            {"start", n, 0, 0}, {"finished", n, 0, 0},
            {"end", n, -1, -1},
        };
        QCOMPARE(sig.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QVERIFY2(sig[i] == expected[i], qPrintable(QString("signal %1: %2").arg(i).arg(QString(sig[i].name))));
        }
        for (const Log::Signal& s : log.signalList())
            QCOMPARE(s.nID, expectedID);
    }

    void abortEndsLoopAndLeavesLaterEventsQueued()
    {
        Log log;
        TestThread thread(&log);
        thread.enqueue(step(1), 21);
        thread.ThreadAbort();
        thread.enqueue(step(2), 22);
        // Never started: the events wait.
        QCOMPARE(thread.GetEventQueueCount(), 3);
        QCOMPARE(log.handledCount(), 0);

        thread.start(5);
        QVERIFY(thread.wait(20000));
        QCOMPARE(log.handledSeqs(), QList<int>{1});
        QCOMPARE(log.count("start"), 2);
        QCOMPARE(log.count("finished"), 2);
        QVERIFY(log.has("start", 5, 0, 0));
        QVERIFY(log.has("finished", 5, 0, 0));
        QCOMPARE(log.signalList().last(), (Log::Signal{"end", 5, -1, -1}));
        QCOMPARE(thread.GetEventQueueCount(), 1);
        QCOMPARE(liveEvents(), 1);

        // A second start runs what was left behind.
        thread.start(6);
        QTRY_COMPARE(log.handledSeqs(), (QList<int>{1, 2}));
        QVERIFY(log.has("start", 6, 1, 22));
        thread.SafeAbort();
        QVERIFY(thread.isFinished());
    }

    void unknownKeyIsFreedAndNextHandled()
    {
        Log log;
        TestThread thread(&log);
        thread.start();
        thread.enqueue(step(1, 3), 31);
        thread.enqueue(step(2), 32);
        QTRY_COMPARE(log.handledSeqs(), QList<int>{2});
        QTRY_COMPARE(liveEvents(), 0);
        QCOMPARE(log.count("start"), 1);
        QVERIFY(!log.has("start", 0, 3, 31));
    }

    void throwingHandler_data()
    {
        QTest::addColumn<int>("throwKind");
        QTest::newRow("std::exception") << 1;
        QTest::newRow("QException") << 2;
        QTest::newRow("int") << 3;
    }

    void throwingHandler()
    {
        QFETCH(int, throwKind);
        Log log;
        TestThread thread(&log);
        thread.start();
        Step bad = step(1, 2);
        bad.throwKind = throwKind;
        thread.enqueue(bad, 41);
        thread.enqueue(step(2), 42);
        QTRY_COMPARE(log.handledSeqs(), (QList<int>{1, 2}));
        QTRY_COMPARE(log.count("finished"), 1);
        QVERIFY(log.has("start", 0, 2, 41));
        QVERIFY(!log.has("finished", 0, 2, 41));
        QVERIFY(log.has("finished", 0, 1, 42));
        QVERIFY(thread.isRunning());
        QTRY_COMPARE(liveEvents(), 0);
    }

    void pooling_data()
    {
        QTest::addColumn<QVector<Step>>("steps");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<bool>("endsByItself");
        QTest::addColumn<int>("pooledLeft");

        Step poolA = step(1);
        poolA.poolOnce = true;
        Step retryFalse = step(2);
        retryFalse.nextPooled = 0;
        Step retryTrue = step(2);
        retryTrue.nextPooled = 1;

        QTest::newRow("(false): the pooled event runs before the next queued one")
            << QVector<Step>{poolA, retryFalse, step(3)} << QList<int>{1, 2, 1, 3} << false << 0;
        QTest::newRow("(true): the pooled event runs before the next queued one")
            << QVector<Step>{poolA, retryTrue, step(3)} << QList<int>{1, 2, 1, 3} << false << 0;
        QTest::newRow("no request: the pooled event stays pooled")
            << QVector<Step>{poolA, step(2), step(3)} << QList<int>{1, 2, 3} << false << 1;

        Step lastTrue = step(1);
        lastTrue.nextPooled = 1;
        Step lastFalse = step(1);
        lastFalse.nextPooled = 0;
        QTest::newRow("(true) with both queues empty ends the thread")
            << QVector<Step>{lastTrue} << QList<int>{1} << true << 0;
        QTest::newRow("(true) with a queued event goes on")
            << QVector<Step>{lastTrue, step(2)} << QList<int>{1, 2} << false << 0;
        QTest::newRow("(false) with both queues empty waits")
            << QVector<Step>{lastFalse} << QList<int>{1} << false << 0;
        Step poolB = step(2);
        poolB.poolOnce = true;
        poolB.nextPooled = 1;
        QTest::newRow("(true) from the pooling handler itself retries it first")
            << QVector<Step>{poolB, step(3)} << QList<int>{2, 2, 3} << false << 0;
    }

    void pooling()
    {
        QFETCH(QVector<Step>, steps);
        QFETCH(QList<int>, order);
        QFETCH(bool, endsByItself);
        QFETCH(int, pooledLeft);

        Log log;
        TestThread thread(&log);
        // Queued before the start, so the order does not depend on timing.
        for (const Step& s : steps)
            thread.enqueue(s);
        thread.start();

        if (endsByItself) {
            QVERIFY(thread.wait(20000));
            QCOMPARE(log.handledSeqs(), order);
            QCOMPARE(log.count("end"), 1);
        } else {
            QVERIFY(handlesMarker(thread, log, 99));
            QCOMPARE(log.handledSeqs(), order + QList<int>{99});
            QVERIFY(thread.isRunning());
        }
        QCOMPARE(thread.GetPooledEventQueueCount(), pooledLeft);
        QCOMPARE(thread.GetEventQueueCount(), 0);

        // The worker frees the marker event just after its handler has logged it.
        QTRY_COMPARE(liveEvents(), pooledLeft);
    }

    void clearEventQueueFreesBothQueues()
    {
        Log log;
        TestThread thread(&log);
        QCOMPARE(thread.f_ClearEventQueue(), 0);

        Step poolA = step(1);
        poolA.poolOnce = true;
        Step poolB = step(2);
        poolB.poolOnce = true;
        thread.enqueue(poolA);
        thread.enqueue(poolB);
        thread.ThreadAbort();
        thread.start();
        QVERIFY(thread.wait(20000));
        QCOMPARE(thread.GetPooledEventQueueCount(), 2);
        for (int i = 0; i < 5; ++i)
            thread.EnqueueEvent(new TestEvent(step(10 + i)));
        QCOMPARE(liveEvents(), 7);

        QCOMPARE(thread.f_ClearEventQueue(), 0);
        QCOMPARE(thread.GetEventQueueCount(), 0);
        QCOMPARE(thread.GetPooledEventQueueCount(), 0);
        QCOMPARE(liveEvents(), 0);
    }

    void registration()
    {
        Log log;
        TestThread thread(&log);
        QCOMPARE(thread.f_AddEvent(1, static_cast<CEventThread::EventFunction>(&TestThread::OnOther)), 0);
        QCOMPARE(thread.f_AddEvent(1, static_cast<CEventThread::EventFunction>(&TestThread::OnEvent)), -2);
        QVERIFY(thread.f_GetEventFunction(1) == static_cast<CEventThread::EventFunction>(&TestThread::OnOther));
        QVERIFY(thread.f_GetEventFunction(3) == nullptr);

        // The loop's own registration finds key 1 taken and keeps the first handler.
        thread.start();
        thread.enqueue(step(5));
        QTRY_COMPARE(log.handledSeqs(), QList<int>{-5});
        QVERIFY(thread.f_GetEventFunction(0) != nullptr);
        QVERIFY(thread.f_GetEventFunction(2) == static_cast<CEventThread::EventFunction>(&TestThread::OnEvent));

        // Direct use: the handler runs in the caller's thread.
        TestEvent direct(step(6));
        (thread.*thread.f_GetEventFunction(2))(&direct);
        QCOMPARE(log.handledSeqs(), (QList<int>{-5, 6}));
        QVERIFY(log.handlerOutsideWorker);
    }

    void autoStartEndRestart()
    {
        Log log;
        TestThread thread(&log);
        thread.SetAutoStartEnd(true);
        QVERIFY(thread.GetAutoStartEnd());
        QVERIFY(!thread.isRunning());

        thread.enqueue(step(1));
        QTRY_COMPARE(log.count("end"), 1);
        QVERIFY(thread.wait(20000));
        QCOMPARE(log.handledSeqs(), QList<int>{1});
        QCOMPARE(log.count("started"), 1);

        thread.enqueue(step(2));
        QTRY_COMPARE(log.count("end"), 2);
        QVERIFY(thread.wait(20000));
        QCOMPARE(log.handledSeqs(), (QList<int>{1, 2}));
        QCOMPARE(log.count("started"), 2);
        QCOMPARE(thread.GetEventQueueCount(), 0);

        // Queued quickly one after the other: none is left behind.
        for (int i = 3; i < 203; ++i)
            thread.enqueue(step(i));
        QTRY_COMPARE(log.handledCount(), 202);
        QVERIFY(thread.wait(20000));
        QCOMPARE(thread.GetEventQueueCount(), 0);
    }

    void manyProducersLoseNothing_data()
    {
        QTest::addColumn<bool>("autoStartEnd");
        QTest::newRow("started thread") << false;
        QTest::newRow("automatic start and end") << true;
    }

    void manyProducersLoseNothing()
    {
        QFETCH(bool, autoStartEnd);
        const int producers = 4;
        const int perProducer = 2000;

        Log log;
        TestThread thread(&log);
        thread.SetAutoStartEnd(autoStartEnd);
        if (!autoStartEnd)
            thread.start();

        std::vector<QThread*> workers;
        for (int p = 0; p < producers; ++p) {
            workers.push_back(QThread::create([&thread, p, perProducer] {
                for (int i = 0; i < perProducer; ++i) {
                    thread.enqueue(step(p * perProducer + i));
                    if (i % 97 == 0)
                        QThread::yieldCurrentThread();
                }
            }));
        }
        for (QThread* w : workers)
            w->start();
        for (QThread* w : workers) {
            QVERIFY(w->wait(120000));
            delete w;
        }

        QTRY_COMPARE_WITH_TIMEOUT(log.handledCount(), producers * perProducer, 120000);
        const QList<int> seqs = log.handledSeqs();
        std::vector<int> seen(producers * perProducer, 0);
        std::vector<int> lastOfProducer(producers, -1);
        for (int seq : seqs) {
            QVERIFY(seq >= 0 && seq < producers * perProducer);
            ++seen[seq];
            // Each producer's events keep their order.
            const int p = seq / perProducer;
            QVERIFY(seq > lastOfProducer[p]);
            lastOfProducer[p] = seq;
        }
        for (int count : seen)
            QCOMPARE(count, 1);

        thread.SafeAbort();
        QVERIFY(!thread.isRunning());
        QCOMPARE(thread.GetEventQueueCount(), 0);
        QCOMPARE(TestEvent::s_created.load(), producers * perProducer);
        QCOMPARE(TestEvent::s_destroyed.load(), producers * perProducer);
    }

    void safeAbortOnIdleThreadReturns()
    {
        Log log;
        TestThread thread(&log);
        thread.SafeAbort(); // never started
        QVERIFY(!thread.isRunning());
        QCOMPARE(log.count("end"), 0);

        thread.start();
        QTRY_VERIFY(log.count("wait") >= 1);
        thread.enqueue(step(1));
        thread.SafeAbort();
        QVERIFY(thread.isFinished());
        QCOMPARE(log.count("end"), 1);
        thread.SafeAbort(); // already finished
    }

    void destroyingRunningThreadEndsIt_data()
    {
        QTest::addColumn<bool>("autoStartEnd");
        QTest::addColumn<int>("throwKind");
        QTest::newRow("started thread, waiting") << false << 0;
        // A failed handler does not arm the automatic end: the thread waits.
        QTest::newRow("automatic start, waiting after a failed handler") << true << 1;
    }

    void destroyingRunningThreadEndsIt()
    {
        QFETCH(bool, autoStartEnd);
        QFETCH(int, throwKind);
        Log log;
        // The subclass does not end the thread itself: the base must.
        TestThread* thread = new TestThread(&log, false);
        thread->SetAutoStartEnd(autoStartEnd);
        Step keep = step(1);
        keep.poolOnce = true;
        keep.throwKind = throwKind;
        thread->enqueue(keep);
        if (!autoStartEnd)
            thread->start();
        QTRY_VERIFY(log.count("wait") >= 1);
        QVERIFY(thread->isRunning());
        QCOMPARE(thread->GetPooledEventQueueCount(), 1);
        QCOMPARE(liveEvents(), 1);

        delete thread;
        QCOMPARE(log.count("end"), 1);
        QCOMPARE(liveEvents(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_CEventThread)
#include "tst_CEventThread.moc"
