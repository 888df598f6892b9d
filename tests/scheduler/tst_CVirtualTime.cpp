#include <QtTest>

#include "CSystemClock.h"
#include "CVirtualTime.h"

namespace {

// One recorded signal of the clock.
struct Emission
{
    QString signal;
    QDateTime at;
};

// Records the clock's signals in the order they come.
class Recorder
{
public:
    explicit Recorder(CVirtualTime& clock)
    {
        QObject::connect(&clock, &CVirtualTime::f_OnUpdateDate, &context,
                         [this](QDateTime at) { emissions.append({QStringLiteral("date"), at}); });
        QObject::connect(&clock, &CVirtualTime::f_OnUpdateMinute, &context,
                         [this](QDateTime at) { emissions.append({QStringLiteral("minute"), at}); });
    }
    QStringList Signals() const
    {
        QStringList names;
        for (const Emission& e : emissions)
            names << e.signal;
        return names;
    }
    QList<QDateTime> Minutes() const
    {
        QList<QDateTime> result;
        for (const Emission& e : emissions)
            if (e.signal == QLatin1String("minute"))
                result << e.at;
        return result;
    }
    void Clear() { emissions.clear(); }

    QObject context;
    QList<Emission> emissions;
};

} // namespace

class tst_CVirtualTime : public QObject
{
    Q_OBJECT
private:
    QDateTime m_SystemNow;
    // The computer's clock moves on one second, as between two real ticks.
    void AdvanceSystem(int seconds = 1) { m_SystemNow = m_SystemNow.addSecs(seconds); }
    void Tick(CVirtualTime& clock, int seconds = 1)
    {
        AdvanceSystem(seconds);
        clock.f_OnTimerUpdateDelay();
    }
    static QTimer* TimerOf(CVirtualTime& clock) { return clock.findChild<QTimer*>(); }

private slots:
    void init()
    {
        m_SystemNow = QDateTime(QDate(2026, 5, 4), QTime(10, 20, 30));
        CSystemClock::SetNowFunction([this] { return m_SystemNow; });
    }
    void cleanup() { CSystemClock::SetNowFunction({}); }

    void initialState();
    void withoutVtFollowsSystemClock();
    void vtAllowedButOffReportsLastTick();
    void startTimeWithAccelerationOne();
    void accelerations_data();
    void accelerations();
    void basedOnNowLeadNeverNegative();
    void dateSignalBeforeMinuteSignal();
    void counterWrap_data();
    void counterWrap();
    void startStopAndTimer();
    void copyConstructor();
    void dayOffsets();
};

void tst_CVirtualTime::initialState()
{
    CVirtualTime clock;
    QVERIFY(!clock.m_VirtualTimeAllowed);
    QVERIFY(!clock.m_VirtualTimeOn);
    QVERIFY(clock.m_BasedOnNow);
    QCOMPARE(clock.m_Acceleration, 1);
    QCOMPARE(clock.m_Counter, 0);
    QCOMPARE(clock.m_StartTime, m_SystemNow);
    QCOMPARE(clock.m_LastTime, m_SystemNow);
    QVERIFY(!clock.IsRunning());
    QTimer* timer = TimerOf(clock);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isActive());
}

void tst_CVirtualTime::withoutVtFollowsSystemClock()
{
    CVirtualTime clock;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = false;
    clock.m_Acceleration = 3600;
    clock.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(8, 0));
    Recorder rec(clock);

    m_SystemNow = QDateTime(QDate(2026, 5, 4), QTime(10, 20, 59));
    QCOMPARE(clock.GetNowTime(), m_SystemNow);
    Tick(clock); // 10:21:00: a new minute of the real clock
    QCOMPARE(rec.Signals(), QStringList{"minute"});
    QCOMPARE(rec.emissions.at(0).at, m_SystemNow);
    AdvanceSystem(); // between ticks "now" follows the computer exactly
    QCOMPARE(clock.GetNowTime(), m_SystemNow);
    QCOMPARE(clock.m_Counter, 0);
}

void tst_CVirtualTime::vtAllowedButOffReportsLastTick()
{
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_BasedOnNow = false;
    clock.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(8, 0));
    Tick(clock);
    const QDateTime ticked = m_SystemNow;
    QCOMPARE(clock.GetNowTime(), ticked);
    m_SystemNow = m_SystemNow.addMSecs(900);
    QCOMPARE(clock.GetNowTime(), ticked); // one tick old, not the computer's time
}

void tst_CVirtualTime::startTimeWithAccelerationOne()
{
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = false;
    clock.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(8, 59, 50));
    clock.Start();
    clock.m_LastTime = m_SystemNow; // the real time of the previous tick
    Recorder rec(clock);

    Tick(clock);
    QCOMPARE(clock.GetNowTime(), QDateTime(QDate(2030, 1, 1), QTime(8, 59, 51)));
    QCOMPARE(rec.Signals(), (QStringList{"date", "minute"}));
    rec.Clear();
    for (int i = 0; i < 8; ++i)
        Tick(clock);
    QVERIFY(rec.emissions.isEmpty());
    Tick(clock); // the ninth tick after the first
    QCOMPARE(rec.Signals(), QStringList{"minute"});
    QCOMPARE(rec.emissions.at(0).at, QDateTime(QDate(2030, 1, 1), QTime(9, 0, 0)));
    clock.Stop();
}

void tst_CVirtualTime::accelerations_data()
{
    QTest::addColumn<bool>("basedOnNow");
    QTest::addColumn<int>("acceleration");
    QTest::addColumn<int>("expectedMinutes"); // minute signals in 6 ticks
    QTest::addColumn<int>("secondsPerTick");  // virtual seconds gained per tick
    QTest::newRow("start, 60: every tick a minute") << false << 60 << 6 << 60;
    QTest::newRow("start, 120: every tick, minutes skipped") << false << 120 << 6 << 120;
    QTest::newRow("start, 0: stands still") << false << 0 << 0 << 0;
    QTest::newRow("start, -5: runs backwards") << false << -5 << 1 << -5;
    QTest::newRow("now, 0: real time") << true << 0 << 0 << 1;
    QTest::newRow("now, 1: real time") << true << 1 << 0 << 1;
    QTest::newRow("now, 60: gains 59 s a tick") << true << 60 << 6 << 60;
}

void tst_CVirtualTime::accelerations()
{
    QFETCH(bool, basedOnNow);
    QFETCH(int, acceleration);
    QFETCH(int, expectedMinutes);
    QFETCH(int, secondsPerTick);

    m_SystemNow = QDateTime(QDate(2026, 5, 4), QTime(10, 20, 0));
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = basedOnNow;
    clock.m_Acceleration = acceleration;
    clock.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(9, 0, 15));
    clock.Start();
    Tick(clock); // first tick: leaves whatever the construction time was
    const QDateTime first = clock.GetNowTime();
    Recorder rec(clock);
    for (int i = 0; i < 6; ++i) {
        const QDateTime before = clock.GetNowTime();
        Tick(clock);
        QCOMPARE(before.secsTo(clock.GetNowTime()), qint64(secondsPerTick));
    }
    QCOMPARE(rec.Minutes().size(), expectedMinutes);
    if (!basedOnNow && acceleration == 0)
        QCOMPARE(first, clock.m_StartTime);
    if (basedOnNow && acceleration <= 1)
        QCOMPARE(clock.GetNowTime(), m_SystemNow);
    if (acceleration == 120) {
        // 09:02, 09:04, ...: every other minute never shows.
        const QList<QDateTime> minutes = rec.Minutes();
        for (int i = 1; i < minutes.size(); ++i)
            QCOMPARE(minutes.at(i - 1).secsTo(minutes.at(i)), qint64(120));
        QCOMPARE(minutes.first().time(), QTime(9, 4, 15));
    }
    clock.Stop();
}

void tst_CVirtualTime::basedOnNowLeadNeverNegative()
{
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = true;
    clock.m_Acceleration = 31;
    clock.Start();
    for (int i = 0; i < 4; ++i)
        Tick(clock);
    QCOMPARE(clock.m_Counter, 120);
    QCOMPARE(clock.GetNowTime(), m_SystemNow.addSecs(120));

    clock.m_Acceleration = -5;
    for (int i = 0; i < 30; ++i) {
        Tick(clock);
        QVERIFY(clock.m_Counter >= 0);
        QVERIFY(clock.GetNowTime() >= m_SystemNow);
    }
    QCOMPARE(clock.m_Counter, 0);
    QCOMPARE(clock.GetNowTime(), m_SystemNow);
    clock.Stop();
}

void tst_CVirtualTime::dateSignalBeforeMinuteSignal()
{
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = false;
    clock.m_Acceleration = 1;
    clock.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(23, 59, 58));
    clock.Start();
    Tick(clock); // 23:59:59
    Recorder rec(clock);
    Tick(clock); // 00:00:00 of the next day
    QCOMPARE(rec.Signals(), (QStringList{"date", "minute"}));
    const QDateTime midnight(QDate(2030, 1, 2), QTime(0, 0));
    QCOMPARE(rec.emissions.at(0).at, midnight);
    QCOMPARE(rec.emissions.at(1).at, midnight);
    clock.Stop();

    // The computer's clock crossing midnight does the same.
    CVirtualTime real;
    m_SystemNow = QDateTime(QDate(2026, 5, 4), QTime(23, 59, 59));
    real.f_OnTimerUpdateDelay();
    Recorder realRec(real);
    Tick(real);
    QCOMPARE(realRec.Signals(), (QStringList{"date", "minute"}));
}

void tst_CVirtualTime::counterWrap_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("acceleration");
    QTest::addColumn<int>("expected");
    QTest::newRow("limit kept") << 1581119999 << 1 << 1581120000;
    QTest::newRow("one past the limit") << 1581120000 << 1 << 0;
    QTest::newRow("acceleration 2e9") << 0 << 2000000000 << 0;
    QTest::newRow("int max onto the limit") << 1581120000 << std::numeric_limits<int>::max() << 0;
    QTest::newRow("negative limit kept") << -1581119999 << -1 << -1581120000;
    QTest::newRow("one below the negative limit") << -1581120000 << -1 << 0;
    QTest::newRow("acceleration -2e9") << 0 << -2000000000 << 0;
    QTest::newRow("int min onto the negative limit") << -1581120000 << std::numeric_limits<int>::min() << 0;
}

void tst_CVirtualTime::counterWrap()
{
    QFETCH(int, counter);
    QFETCH(int, acceleration);
    QFETCH(int, expected);
    CVirtualTime clock;
    clock.m_VirtualTimeAllowed = true;
    clock.m_VirtualTimeOn = true;
    clock.m_BasedOnNow = false;
    clock.m_StartTime = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    clock.m_Acceleration = acceleration;
    clock.m_Counter = counter;
    Tick(clock);
    QCOMPARE(clock.m_Counter, expected);
    QCOMPARE(clock.GetNowTime(), clock.m_StartTime.addSecs(expected));
}

void tst_CVirtualTime::startStopAndTimer()
{
    CVirtualTime clock;
    QTimer* timer = TimerOf(clock);
    clock.m_Counter = 77;
    clock.Start();
    QVERIFY(clock.IsRunning());
    QCOMPARE(clock.m_Counter, 0);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    Tick(clock);
    QVERIFY(timer->isActive()); // restarted after the tick
    clock.Stop();
    QVERIFY(!clock.IsRunning());
    QVERIFY(!timer->isActive());
    Tick(clock);
    QVERIFY(!timer->isActive()); // a tick while stopped does not restart it
}

void tst_CVirtualTime::copyConstructor()
{
    CVirtualTime original;
    original.m_VirtualTimeAllowed = true;
    original.m_VirtualTimeOn = true;
    original.m_BasedOnNow = false;
    original.m_Acceleration = 60;
    original.m_StartTime = QDateTime(QDate(2030, 1, 1), QTime(8, 0));
    original.Start();
    Tick(original);
    Tick(original);
    QCOMPARE(original.m_Counter, 120);

    QObject parent;
    CVirtualTime* copy = new CVirtualTime(original, &parent);
    QCOMPARE(copy->parent(), &parent);
    QVERIFY(copy->m_VirtualTimeAllowed);
    QVERIFY(copy->m_VirtualTimeOn);
    QVERIFY(!copy->m_BasedOnNow);
    QCOMPARE(copy->m_Acceleration, 60);
    QCOMPARE(copy->m_Counter, 120);
    QCOMPARE(copy->m_StartTime, original.m_StartTime);
    QCOMPARE(copy->m_LastTime, original.m_StartTime);
    QVERIFY(!copy->IsRunning());
    QTimer* timer = TimerOf(*copy);
    QVERIFY(timer && timer != TimerOf(original));
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 1000);

    // The copy ticks on its own timer and state.
    copy->f_OnTimerUpdateDelay();
    QCOMPARE(copy->m_Counter, 180);
    QCOMPARE(original.m_Counter, 120);
    original.Stop();
}

void tst_CVirtualTime::dayOffsets()
{
    QCOMPARE(CVirtualTime::ToDayOffset(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), 0);
    QCOMPARE(CVirtualTime::ToDayOffset(QDateTime(QDate(1999, 12, 31), QTime(23, 59))), -1);
    QCOMPARE(CVirtualTime::ToDateTime(0), QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
}

QTEST_GUILESS_MAIN(tst_CVirtualTime)
#include "tst_CVirtualTime.moc"
