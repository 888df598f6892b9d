#include <QtTest>

#include <ctime>

#include "CLocalClock.h"

namespace {

const QString Format = QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz");

qint64 Utc(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC).toMSecsSinceEpoch();
}

} // namespace

class tst_CLocalClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesLocalTime_data();
    void matchesLocalTime();
    void nowIsNow();
};

void tst_CLocalClock::initTestCase()
{
    // Central European rules written out, so no zone file is needed: summer
    // time from the last Sunday of March 01:00 UTC to the last Sunday of October.
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
}

void tst_CLocalClock::matchesLocalTime_data()
{
    QTest::addColumn<qint64>("around");
    QTest::newRow("into summer time") << Utc(2026, 3, 29, 1, 0, 0);
    QTest::newRow("out of summer time") << Utc(2026, 10, 25, 1, 0, 0);
    QTest::newRow("winter") << Utc(2026, 1, 15, 12, 0, 0);
    QTest::newRow("new year local") << Utc(2025, 12, 31, 23, 0, 0);
    QTest::newRow("before the epoch") << qint64(-1500);
}

void tst_CLocalClock::matchesLocalTime()
{
    QFETCH(qint64, around);
    // Every quarter second over the change, plus the millisecond either side of it.
    QList<qint64> instants{around - 1, around, around + 1};
    for (qint64 step = -3 * 3600 * 1000LL; step <= 3 * 3600 * 1000LL; step += 15 * 60 * 1000LL)
        instants << around + step;
    for (qint64 step = -3000; step <= 3000; step += 250)
        instants << around + step;
    std::sort(instants.begin(), instants.end());
    QDateTime previous;
    for (qint64 utc : instants) {
        const QDateTime ours = CLocalClock::At(utc);
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(utc, Qt::LocalTime);
        QCOMPARE(ours.toString(Format), local.toString(Format));
        QCOMPARE(ours.date(), local.date());
        QCOMPARE(ours.time(), local.time());
        QVERIFY(ours == local);
        QCOMPARE(ours.toMSecsSinceEpoch(), utc);
        if (previous.isValid() && previous.toMSecsSinceEpoch() < utc) {
            // Across the autumn change the wall clock goes back; order follows the instant.
            QVERIFY(previous < ours);
            QVERIFY(ours > QDateTime::fromMSecsSinceEpoch(previous.toMSecsSinceEpoch(), Qt::LocalTime));
        }
        previous = ours;
    }
}

void tst_CLocalClock::nowIsNow()
{
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = CLocalClock::Now();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(before <= now && now <= after);
    QCOMPARE(now.offsetFromUtc(), now.toLocalTime().offsetFromUtc());
}

QTEST_APPLESS_MAIN(tst_CLocalClock)

#include "tst_CLocalClock.moc"
