#include <QtTest>

#include "CScheduleData.h"
#include "CScheduleExcuteAdminInfo.h"
#include "CSystemClock.h"

using Sub = CScheduleExcuteAdminInfoSub;

class tst_CScheduleExcuteAdminInfo : public QObject
{
    Q_OBJECT
private:
    static void Fill(CScheduleExcuteAdminInfo& info, const QList<int>& statuses)
    {
        int id = 100;
        for (int status : statuses) {
            Sub* sub = new Sub();
            sub->Status = status;
            info.DetailesData->insert(id--, sub); // ids descend: the walk is by id
        }
    }

private slots:
    void cleanup() { CSystemClock::SetNowFunction({}); }

    void newSubRecord();
    void completion_data();
    void completion();
    void targetCompleted();
    void retryThresholds_data();
    void retryThresholds();
    void initAdminInfoFreesRecords();
    void copyDetails();
};

void tst_CScheduleExcuteAdminInfo::newSubRecord()
{
    const QDateTime now(QDate(2024, 3, 13), QTime(10, 0, 5));
    CSystemClock::SetNowFunction([now] { return now; });
    Sub sub;
    QCOMPARE(sub.Status, int(Sub::EXCUTE_STATUS::Initial));
    QCOMPARE(sub.RetryCount, 0);
    QCOMPARE(sub.RetryTickCount, 0);
    QCOMPARE(sub.RequestTime, now);

    sub.Status = Sub::EXCUTE_STATUS::RetryPending;
    sub.RetryCount = 2;
    sub.RetryTickCount = 3;
    Sub copy(sub);
    QCOMPARE(copy.Status, int(Sub::EXCUTE_STATUS::RetryPending));
    QCOMPARE(copy.RetryCount, 2);
    QCOMPARE(copy.RetryTickCount, 3);
    QCOMPARE(copy.RequestTime, now);

    const QDateTime later = now.addSecs(60);
    CSystemClock::SetNowFunction([later] { return later; });
    sub.InitStatus();
    QCOMPARE(sub.Status, 0);
    QCOMPARE(sub.RetryCount, 0);
    QCOMPARE(sub.RetryTickCount, 0);
    QCOMPARE(sub.RequestTime, later);
}

void tst_CScheduleExcuteAdminInfo::completion_data()
{
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("verdict"); // -1: result left untouched
    QTest::newRow("no records") << QList<int>{} << true << 1;
    QTest::newRow("{3,0,4}: NG") << QList<int>{3, 0, 4} << true << 2;
    QTest::newRow("{4,2}: open, untouched") << QList<int>{4, 2} << false << -1;
    QTest::newRow("{3,3}: OK") << QList<int>{3, 3} << true << 1;
    QTest::newRow("{0}: OK") << QList<int>{0} << true << 1;
    QTest::newRow("{5,3}: NG") << QList<int>{5, 3} << true << 2;
    QTest::newRow("{3,1}: executing") << QList<int>{3, 1} << false << -1;
    QTest::newRow("{1,4}: open before failed") << QList<int>{1, 4} << false << -1;
}

void tst_CScheduleExcuteAdminInfo::completion()
{
    QFETCH(QList<int>, statuses);
    QFETCH(bool, complete);
    QFETCH(int, verdict);
    CScheduleExcuteAdminInfo info;
    Fill(info, statuses);
    int result = -1;
    QCOMPARE(info.IsExcuteScheduleCompleted(&result), complete);
    QCOMPARE(result, verdict);
}

void tst_CScheduleExcuteAdminInfo::targetCompleted()
{
    CScheduleExcuteAdminInfo info;
    Fill(info, {0, 1, 2, 3, 4, 5}); // ids 100, 99, ..., 95
    QCOMPARE(info.IsTergetPjCompleted(100), true);
    QCOMPARE(info.IsTergetPjCompleted(99), false);
    QCOMPARE(info.IsTergetPjCompleted(98), false);
    QCOMPARE(info.IsTergetPjCompleted(97), true);
    QCOMPARE(info.IsTergetPjCompleted(96), true);
    QCOMPARE(info.IsTergetPjCompleted(95), true);
    QCOMPARE(info.IsTergetPjCompleted(1), false); // no record
}

void tst_CScheduleExcuteAdminInfo::retryThresholds_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("retryMax");
    QTest::addColumn<bool>("retryTime");
    QTest::newRow("0") << 0 << false << false;
    QTest::newRow("1") << 1 << false << false;
    QTest::newRow("2") << 2 << true << false;
    QTest::newRow("3") << 3 << true << true;
}

void tst_CScheduleExcuteAdminInfo::retryThresholds()
{
    QFETCH(int, count);
    QFETCH(bool, retryMax);
    QFETCH(bool, retryTime);
    Sub sub;
    sub.RetryCount = count;
    sub.RetryTickCount = count;
    QCOMPARE(sub.IsRetryMax(), retryMax);
    QCOMPARE(sub.IsRetryTime(), retryTime);
}

void tst_CScheduleExcuteAdminInfo::initAdminInfoFreesRecords()
{
    CScheduleExcuteAdminInfo info;
    info.ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing;
    Fill(info, {1, 3});
    info.InitAdminInfo();
    QCOMPARE(info.ExcuteStatus, 0);
    QVERIFY(info.DetailesData);
    QVERIFY(info.DetailesData->isEmpty());
    // The sanitizer build checks that the records were freed, here and when
    // a filled state is destroyed below.
    CScheduleExcuteAdminInfo filled;
    Fill(filled, {1, 2, 3});
}

void tst_CScheduleExcuteAdminInfo::copyDetails()
{
    CScheduleExcuteAdminInfo source;
    Fill(source, {2, 3});
    source.DetailesData->value(100)->RetryCount = 1;
    CScheduleExcuteAdminInfo target;
    target.ExcuteStatus = 1;
    Fill(target, {4, 4, 4});

    target.f_CopyDetailesData(*source.DetailesData);
    QCOMPARE(target.ExcuteStatus, 1);
    QCOMPARE(target.DetailesData->keys(), (QList<int>{99, 100}));
    QVERIFY(target.DetailesData->value(100) != source.DetailesData->value(100));
    QCOMPARE(target.DetailesData->value(100)->Status, 2);
    QCOMPARE(target.DetailesData->value(100)->RetryCount, 1);
    target.DetailesData->value(100)->Status = 3;
    QCOMPARE(source.DetailesData->value(100)->Status, 2);

    target.f_CopyDetailesData(*target.DetailesData); // a copy of itself keeps its records
    QCOMPARE(target.DetailesData->size(), 2);
    QCOMPARE(target.DetailesData->value(100)->Status, 3);
}

QTEST_APPLESS_MAIN(tst_CScheduleExcuteAdminInfo)
#include "tst_CScheduleExcuteAdminInfo.moc"
