#include <QtTest>

#include "CNoOperatingDate.h"
#include "ScheduleTestZone.h"

class tst_CNoOperatingDate : public QObject
{
    Q_OBJECT
private slots:
    void newSetIsAllOperating();
    void dayOffsets_data();
    void dayOffsets();
    void addAndRemove_data();
    void addAndRemove();
    void outOfRangeIsIgnored_data();
    void outOfRangeIsIgnored();
    void wholeDayIsMarked();
    void dayWithMidnightGap();
    void copyAndCloneDirection();
    void copiesChangeIndependently();
};

void tst_CNoOperatingDate::newSetIsAllOperating()
{
    CNoOperatingDate set;
    QCOMPARE(CNoOperatingDate::DayCount(), 18628);
    for (int i = -1; i <= CNoOperatingDate::DayCount(); ++i)
        QVERIFY2(!set.IsNoOperatingDate(i), qPrintable(QString::number(i)));
    QVERIFY(!set.IsNoOperatingDate(QDateTime(QDate(2024, 3, 13), QTime(12, 0))));
}

void tst_CNoOperatingDate::dayOffsets_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::newRow("first day") << QDate(2000, 1, 1) << 0;
    QTest::newRow("day before") << QDate(1999, 12, 31) << -1;
    QTest::newRow("leap year end") << QDate(2001, 1, 1) << 366;
    QTest::newRow("last day") << QDate(2050, 12, 31) << 18627;
    QTest::newRow("after last day") << QDate(2051, 1, 1) << 18628;
}

void tst_CNoOperatingDate::dayOffsets()
{
    QFETCH(QDate, date);
    QFETCH(int, offset);
    QCOMPARE(CNoOperatingDate::ToDayOffset(QDateTime(date, QTime(23, 59, 59))), offset);
    QCOMPARE(CNoOperatingDate::ToDateTime(offset), QDateTime(date, QTime(0, 0)));
}

void tst_CNoOperatingDate::addAndRemove_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << 0;
    QTest::newRow("2024-02-29") << QDate(2024, 2, 29) << 8825;
    QTest::newRow("2050-12-31") << QDate(2050, 12, 31) << 18627;
}

void tst_CNoOperatingDate::addAndRemove()
{
    QFETCH(QDate, date);
    QFETCH(int, offset);
    CNoOperatingDate set;
    set.Add(QDateTime(date, QTime(8, 0)));
    QVERIFY(set.IsNoOperatingDate(offset));
    QVERIFY(!set.IsNoOperatingDate(offset - 1));
    QVERIFY(!set.IsNoOperatingDate(offset + 1));

    set.Add(offset); // a second Add changes nothing
    QVERIFY(set.IsNoOperatingDate(offset));

    set.Remove(QDateTime(date, QTime(0, 0)));
    QVERIFY(!set.IsNoOperatingDate(offset));
    set.Remove(offset); // removing an unmarked day changes nothing
    QVERIFY(!set.IsNoOperatingDate(offset));
}

void tst_CNoOperatingDate::outOfRangeIsIgnored_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("-1") << -1;
    QTest::newRow("18628 (2051-01-01)") << 18628;
    QTest::newRow("99999 (file entry)") << 99999;
    QTest::newRow("int min") << std::numeric_limits<int>::min();
    QTest::newRow("int max") << std::numeric_limits<int>::max();
}

void tst_CNoOperatingDate::outOfRangeIsIgnored()
{
    QFETCH(int, offset);
    CNoOperatingDate set;
    set.Add(18627);
    set.Add(offset);
    set.Add(CNoOperatingDate::ToDateTime(offset));
    QVERIFY(!set.IsNoOperatingDate(offset));
    set.Remove(offset);
    set.Remove(CNoOperatingDate::ToDateTime(offset));
    QVERIFY(set.IsNoOperatingDate(18627));
    for (int i = 0; i < 18627; ++i)
        QVERIFY(!set.IsNoOperatingDate(i));

    // An invalid date names no day (it must not fall back to 2000-01-01).
    set.Add(QDateTime());
    QVERIFY(!set.IsNoOperatingDate(0));
    set.Add(0);
    QVERIFY(!set.IsNoOperatingDate(QDateTime()));
}

void tst_CNoOperatingDate::wholeDayIsMarked()
{
    CNoOperatingDate set;
    const QDate day(2024, 3, 13);
    set.Add(QDateTime(day, QTime(0, 0)));
    QVERIFY(set.IsNoOperatingDate(QDateTime(day, QTime(0, 0))));
    QVERIFY(set.IsNoOperatingDate(QDateTime(day, QTime(23, 59, 59, 999))));
    QVERIFY(!set.IsNoOperatingDate(QDateTime(day.addDays(1), QTime(0, 0))));
    QVERIFY(!set.IsNoOperatingDate(QDateTime(day.addDays(-1), QTime(23, 59))));
}

void tst_CNoOperatingDate::dayWithMidnightGap()
{
    // Chile's clocks jump from 00:00 to 01:00 on 2024-09-08: Qt calls that
    // day's 00:00 invalid, yet it names the day.
    if (!ScheduleTestZone::Available("America/Santiago"))
        QSKIP("no tzdata");
    ScheduleTestZone zone("America/Santiago");
    const QDate day(2024, 9, 8);
    const QDateTime midnight(day, QTime(0, 0));
    CNoOperatingDate set;
    set.Add(midnight);
    QVERIFY(set.IsNoOperatingDate(CNoOperatingDate::ToDayOffset(QDateTime(day, QTime(12, 0)))));
    QVERIFY(set.IsNoOperatingDate(midnight));
    set.Remove(midnight);
    QVERIFY(!set.IsNoOperatingDate(QDateTime(day, QTime(12, 0))));
}

void tst_CNoOperatingDate::copyAndCloneDirection()
{
    CNoOperatingDate a;
    CNoOperatingDate b;
    a.Add(10);
    b.Add(20);

    a.Clone(b); // b takes a's flags
    QVERIFY(b.IsNoOperatingDate(10));
    QVERIFY(!b.IsNoOperatingDate(20));

    CNoOperatingDate c;
    c.Add(30);
    a.Copy(c); // a takes c's flags
    QVERIFY(a.IsNoOperatingDate(30));
    QVERIFY(!a.IsNoOperatingDate(10));
    QVERIFY(c.IsNoOperatingDate(30));
    QVERIFY(!c.IsNoOperatingDate(10));
}

void tst_CNoOperatingDate::copiesChangeIndependently()
{
    CNoOperatingDate original;
    original.Add(100);

    CNoOperatingDate cloned;
    original.Clone(cloned);
    CNoOperatingDate constructed(original);
    CNoOperatingDate copied;
    copied.Copy(original);

    cloned.Add(200);
    constructed.Remove(100);
    original.Add(300);
    copied.Add(400);

    QVERIFY(original.IsNoOperatingDate(100));
    QVERIFY(!original.IsNoOperatingDate(200));
    QVERIFY(original.IsNoOperatingDate(300));
    QVERIFY(!original.IsNoOperatingDate(400));

    QVERIFY(cloned.IsNoOperatingDate(100));
    QVERIFY(cloned.IsNoOperatingDate(200));
    QVERIFY(!cloned.IsNoOperatingDate(300));

    QVERIFY(!constructed.IsNoOperatingDate(100));
    QVERIFY(!constructed.IsNoOperatingDate(300));

    QVERIFY(copied.IsNoOperatingDate(100));
    QVERIFY(copied.IsNoOperatingDate(400));
    QVERIFY(!copied.IsNoOperatingDate(300));
}

QTEST_APPLESS_MAIN(tst_CNoOperatingDate)
#include "tst_CNoOperatingDate.moc"
