#include <QtTest>

#include "CScheduleData.h"
#include "CScheduleTargetText.h"
#include "CSystemClock.h"

using Sub = CScheduleExcuteAdminInfoSub;

class tst_CScheduleData : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { CSystemClock::SetNowFunction({}); }

    void defaults_data();
    void defaults();
    void defaultConstructorUsesSystemNow();
    void initTwiceOwnsOneFreshState();
    void copyKeepsStatusDropsProgress();
    void assignmentIsDeep();
    void targetTexts();
};

void tst_CScheduleData::defaults_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QDateTime>("startDay");
    QTest::addColumn<int>("mask");
    QTest::newRow("Mon 23:30 -> Tuesday") << QDateTime(QDate(2024, 3, 11), QTime(23, 30))
                                          << QDateTime(QDate(2024, 3, 12), QTime(0, 30)) << 0x04;
    QTest::newRow("Sat 10:00") << QDateTime(QDate(2024, 3, 16), QTime(10, 0))
                               << QDateTime(QDate(2024, 3, 16), QTime(11, 0)) << 0x40;
    QTest::newRow("Sun 10:00") << QDateTime(QDate(2024, 3, 17), QTime(10, 0))
                               << QDateTime(QDate(2024, 3, 17), QTime(11, 0)) << 0x01;
    QTest::newRow("Sat 23:00:45 -> Sunday, seconds kept")
        << QDateTime(QDate(2024, 3, 16), QTime(23, 0, 45))
        << QDateTime(QDate(2024, 3, 17), QTime(0, 0, 45)) << 0x01;
}

void tst_CScheduleData::defaults()
{
    QFETCH(QDateTime, time);
    QFETCH(QDateTime, startDay);
    QFETCH(int, mask);
    CScheduleData data(time);
    QCOMPARE(data.TargetType, 0);
    QCOMPARE(data.TargetName, CScheduleTargetText::AllProjectors());
    QCOMPARE(data.Function, 1);
    QCOMPARE(data.InputTerminal, 1);
    QCOMPARE(data.DurationType, 0);
    QCOMPARE(data.StartDay, startDay);
    QCOMPARE(data.FinishDay, startDay);
    QCOMPARE(data.ExecuteTime, startDay.time());
    QCOMPARE(int(data.DayOfWeek), mask);
    QVERIFY(data.Enable);
    QVERIFY(!data.UseFinishDay);
    QVERIFY(data.Comment.isEmpty());
    QCOMPARE(data.Status, 0);
    QVERIFY(data.AdminInfo);
    QCOMPARE(data.AdminInfo->ExcuteStatus, 0);
    QVERIFY(data.AdminInfo->DetailesData->isEmpty());
}

void tst_CScheduleData::defaultConstructorUsesSystemNow()
{
    const QDateTime now(QDate(2024, 3, 11), QTime(23, 30));
    CSystemClock::SetNowFunction([now] { return now; });
    CScheduleData data;
    QCOMPARE(data.StartDay, QDateTime(QDate(2024, 3, 12), QTime(0, 30)));
    QCOMPARE(int(data.DayOfWeek), 0x04);
}

void tst_CScheduleData::initTwiceOwnsOneFreshState()
{
    CScheduleData data(QDateTime(QDate(2024, 3, 13), QTime(9, 0)));
    data.AdminInfo->ExcuteStatus = 1;
    data.AdminInfo->DetailesData->insert(7, new Sub());
    data.Status = CScheduleData::STATUS_TYPE::NG;
    data.Comment = QStringLiteral("x");

    const QDateTime again(QDate(2024, 3, 14), QTime(9, 0));
    data.f_InitData(again);
    data.f_InitData(again);
    QVERIFY(data.AdminInfo);
    QCOMPARE(data.AdminInfo->ExcuteStatus, 0);
    QVERIFY(data.AdminInfo->DetailesData->isEmpty());
    QCOMPARE(data.Status, 0);
    QVERIFY(data.Comment.isEmpty());
    QCOMPARE(data.StartDay, again.addSecs(3600));
    // Leaks or double frees of the replaced states show in the sanitizer build.
}

void tst_CScheduleData::copyKeepsStatusDropsProgress()
{
    CScheduleData instance(QDateTime(QDate(2024, 3, 13), QTime(9, 0)));
    instance.TargetType = 1;
    instance.TargetName = QStringLiteral("192.168.0.10");
    instance.Function = 11;
    instance.InputTerminal = 0x06;
    instance.DurationType = 1;
    instance.StartDay = QDateTime(QDate(2024, 3, 13), QTime(0, 0));
    instance.FinishDay = QDateTime(QDate(2024, 3, 20), QTime(0, 0));
    instance.ExecuteTime = QTime(9, 15, 30);
    instance.DayOfWeek = 0x2A;
    instance.Enable = false;
    instance.UseFinishDay = true;
    instance.Comment = QStringLiteral("Hall");
    instance.Status = CScheduleData::STATUS_TYPE::NG;
    instance.AdminInfo->ExcuteStatus = 1;
    Sub* running = new Sub();
    running->Status = Sub::EXCUTE_STATUS::Executing;
    instance.AdminInfo->DetailesData->insert(3, running);

    CScheduleData copy(instance);
    CScheduleData setData(QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
    setData.AdminInfo->ExcuteStatus = 2;
    setData.AdminInfo->DetailesData->insert(9, new Sub());
    CScheduleExcuteAdminInfo* kept = setData.AdminInfo;
    setData.f_SetData(instance);

    for (CScheduleData* c : {&copy, &setData}) {
        QCOMPARE(c->TargetType, 1);
        QCOMPARE(c->TargetName, QStringLiteral("192.168.0.10"));
        QCOMPARE(c->Function, 11);
        QCOMPARE(c->InputTerminal, 0x06);
        QCOMPARE(c->DurationType, 1);
        QCOMPARE(c->StartDay, instance.StartDay);
        QCOMPARE(c->FinishDay, instance.FinishDay);
        QCOMPARE(c->ExecuteTime, QTime(9, 15, 30));
        QCOMPARE(int(c->DayOfWeek), 0x2A);
        QVERIFY(!c->Enable);
        QVERIFY(c->UseFinishDay);
        QCOMPARE(c->Comment, QStringLiteral("Hall"));
        QCOMPARE(c->Status, int(CScheduleData::STATUS_TYPE::NG));
        QVERIFY(c->AdminInfo && c->AdminInfo != instance.AdminInfo);
        QCOMPARE(c->AdminInfo->ExcuteStatus, 0);
        QVERIFY(c->AdminInfo->DetailesData->isEmpty());
    }
    QCOMPARE(setData.AdminInfo, kept); // f_SetData keeps its own state object
    // The source keeps its progress.
    QCOMPARE(instance.AdminInfo->ExcuteStatus, 1);
    QCOMPARE(instance.AdminInfo->DetailesData->value(3), running);
}

void tst_CScheduleData::assignmentIsDeep()
{
    CScheduleData a(QDateTime(QDate(2024, 3, 13), QTime(9, 0)));
    a.AdminInfo->DetailesData->insert(1, new Sub());
    CScheduleData b(QDateTime(QDate(2024, 3, 14), QTime(9, 0)));
    b = a;
    QVERIFY(b.AdminInfo != a.AdminInfo);
    QVERIFY(b.AdminInfo->DetailesData->isEmpty());
    QCOMPARE(b.StartDay, a.StartDay);
    a = a; // self-assignment keeps the progress
    QCOMPARE(a.AdminInfo->DetailesData->size(), 1);
}

void tst_CScheduleData::targetTexts()
{
    QCOMPARE(CScheduleTargetText::Group(QStringLiteral("Hall\\Left")),
             CScheduleTargetText::GroupPrefix() + QStringLiteral("\\Hall\\Left"));
    QVERIFY(!CScheduleTargetText::AllProjectors().isEmpty());
    QVERIFY(CScheduleTargetText::AllProjectors() != CScheduleTargetText::GroupPrefix());
}

QTEST_GUILESS_MAIN(tst_CScheduleData)
#include "tst_CScheduleData.moc"
