#include <QtTest>

#include "CScheduleManager.h"
#include "CScheduleTargetText.h"

#include <memory>

namespace {

const QDateTime kCreated(QDate(2024, 3, 13), QTime(9, 0));

CScheduleData* Record(const QString& comment, const QString& target = CScheduleTargetText::AllProjectors(),
                      int targetType = 0)
{
    CScheduleData* data = new CScheduleData(kCreated);
    data->Comment = comment;
    data->TargetName = target;
    data->TargetType = targetType;
    return data;
}

// A collection holding records (commented with their key) under exactly `keys`.
void FillKeys(CScheduleManager& manager, const QList<int>& keys)
{
    CScheduleManager::ScheduleMap source;
    for (int key : keys)
        source.insert(key, Record(QString::number(key)));
    manager.f_CopyScheduleData(source);
    qDeleteAll(source);
}

QStringList Comments(const CScheduleManager::ScheduleMap& map)
{
    QStringList result;
    for (const CScheduleData* data : map)
        result << data->Comment;
    return result;
}

} // namespace

class tst_CScheduleManager : public QObject
{
    Q_OBJECT
private slots:
    void makeKeys_data();
    void makeKeys();
    void userLimits();
    void expandedLimit();
    void addUnderHeldKeyKeepsRecord_data();
    void addUnderHeldKeyKeepsRecord();
    void renumberingAndKeyKeepingCopies();
    void removeAndClear();
    void dueTest_data();
    void dueTest();
    void dueRecordsOfCollection();
    void targetQueries();
    void dayOffsets_data();
    void dayOffsets();
};

void tst_CScheduleManager::makeKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("byCount");
    QList<int> all1000;
    for (int i = 0; i < 1000; ++i)
        all1000 << i;
    QList<int> all7000;
    for (int i = 0; i < 7000; ++i)
        all7000 << i;
    QTest::newRow("empty") << QList<int>{} << false << 0 << 0;
    QTest::newRow("{0,1,3}") << QList<int>{0, 1, 3} << false << 2 << 3;
    QTest::newRow("{1,2}") << QList<int>{1, 2} << false << 0 << 2;
    QTest::newRow("{-4,0,1}") << QList<int>{-4, 0, 1} << false << 2 << 3;
    QTest::newRow("0..999") << all1000 << false << 1000 << 1000;
    QTest::newRow("expanded {0,1,3}") << QList<int>{0, 1, 3} << true << 2 << 3;
    QTest::newRow("expanded 0..999") << all1000 << true << 1000 << 1000;
    QTest::newRow("expanded 0..6999") << all7000 << true << 7000 << 7000;
}

void tst_CScheduleManager::makeKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, expanded);
    QFETCH(int, lowest);
    QFETCH(int, byCount);
    CScheduleManager::ScheduleMap map;
    for (int key : keys)
        map.insert(key, nullptr);
    if (expanded) {
        QCOMPARE(CScheduleManager::f_MakeExpandScheduleKey(map, true), lowest);
        QCOMPARE(CScheduleManager::f_MakeExpandScheduleKey(map, false), byCount);
    } else {
        QCOMPARE(CScheduleManager::f_MakeScheduleKey(map, true), lowest);
        QCOMPARE(CScheduleManager::f_MakeScheduleKey(map, false), byCount);
    }
}

void tst_CScheduleManager::userLimits()
{
    CScheduleManager manager;
    for (int i = 0; i < 999; ++i)
        QVERIFY(manager.f_AddSchedule(Record(QString::number(i)), true));
    QVERIFY(!manager.f_IsMaxSchedule(QStringLiteral("any"), true));
    QVERIFY(manager.f_AddSchedule(Record(QStringLiteral("999")), true));
    QCOMPARE(manager.f_GetScheduleMap().size(), 1000);
    QVERIFY(manager.f_IsMaxSchedule(QStringLiteral("any"), true));
    QVERIFY(!manager.f_IsMaxSchedule(QStringLiteral("any"), false));

    // The loader's add still fits one more, under key 1000.
    CScheduleData* extra = Record(QStringLiteral("extra"));
    QVERIFY(manager.f_AddSchedule(extra, true));
    QCOMPARE(manager.f_GetScheduleMap().value(1000), extra);
    QVERIFY(manager.f_IsMaxSchedule(QString(), false));

    std::unique_ptr<CScheduleData> refused(Record(QStringLiteral("refused")));
    QVERIFY(!manager.f_AddSchedule(refused.get(), false));
    QVERIFY(!manager.f_AddSchedule(refused.get(), true));
    QCOMPARE(manager.f_GetScheduleMap().size(), 1001);
    QVERIFY(!manager.f_GetScheduleMap().values().contains(refused.get()));
    QVERIFY(!manager.f_AddSchedule(nullptr, true));
}

void tst_CScheduleManager::expandedLimit()
{
    CScheduleManager manager;
    for (int i = 0; i < 7001; ++i) {
        QVERIFY(!manager.f_IsMaxExpandSchedule(QString()));
        QVERIFY(manager.f_AddExpandSchedule(Record(QString::number(i))));
    }
    QVERIFY(manager.f_IsMaxExpandSchedule(QString()));
    QCOMPARE(manager.f_GetScheduleMap().firstKey(), 0);
    QCOMPARE(manager.f_GetScheduleMap().lastKey(), 7000);
    std::unique_ptr<CScheduleData> refused(Record(QStringLiteral("refused")));
    QVERIFY(!manager.f_AddExpandSchedule(refused.get()));
    QCOMPARE(manager.f_GetScheduleMap().size(), 7001);
}

void tst_CScheduleManager::addUnderHeldKeyKeepsRecord_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("expanded");
    QTest::addColumn<int>("expectedKey");
    QTest::newRow("user {0,1,3}: count 3 held -> 2") << QList<int>{0, 1, 3} << false << 2;
    QTest::newRow("user {1,2}: count 2 held -> 0") << QList<int>{1, 2} << false << 0;
    QTest::newRow("user {0,5}: count 2 free") << QList<int>{0, 5} << false << 2;
    QTest::newRow("expanded {0,1,3}: count 3 held -> 2") << QList<int>{0, 1, 3} << true << 2;
    QTest::newRow("expanded {4,2,3,7}: count 4 held -> 0") << QList<int>{2, 3, 4, 7} << true << 0;
}

void tst_CScheduleManager::addUnderHeldKeyKeepsRecord()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, expanded);
    QFETCH(int, expectedKey);
    CScheduleManager manager;
    FillKeys(manager, keys);
    CScheduleData* added = Record(QStringLiteral("new"));
    QVERIFY(expanded ? manager.f_AddExpandSchedule(added) : manager.f_AddSchedule(added, false));
    const CScheduleManager::ScheduleMap& map = manager.f_GetScheduleMap();
    QCOMPARE(map.size(), keys.size() + 1);
    QCOMPARE(map.value(expectedKey), added);
    for (int key : keys)
        QCOMPARE(map.value(key)->Comment, QString::number(key)); // nothing dropped
}

void tst_CScheduleManager::renumberingAndKeyKeepingCopies()
{
    CScheduleManager source;
    FillKeys(source, {2, 5, 9});
    source.f_GetScheduleMap().value(5)->AdminInfo->ExcuteStatus = 1;

    CScheduleManager renumbered(source);
    QCOMPARE(renumbered.f_GetScheduleMap().keys(), (QList<int>{0, 1, 2}));
    QCOMPARE(Comments(renumbered.f_GetScheduleMap()), (QStringList{"2", "5", "9"}));

    CScheduleManager keyed;
    FillKeys(keyed, {0, 1}); // replaced entirely
    keyed.f_CopyScheduleData(source.f_GetScheduleMap());
    QCOMPARE(keyed.f_GetScheduleMap().keys(), (QList<int>{2, 5, 9}));
    QCOMPARE(Comments(keyed.f_GetScheduleMap()), (QStringList{"2", "5", "9"}));

    for (const CScheduleManager* copy : {&renumbered, &keyed}) {
        for (const CScheduleData* data : copy->f_GetScheduleMap()) {
            QVERIFY(!source.f_GetScheduleMap().values().contains(const_cast<CScheduleData*>(data)));
            QCOMPARE(data->AdminInfo->ExcuteStatus, 0);
        }
    }
    // The source is unchanged and independent.
    keyed.f_GetScheduleMap().value(5)->Comment = QStringLiteral("changed");
    QCOMPARE(source.f_GetScheduleMap().value(5)->Comment, QStringLiteral("5"));
    QCOMPARE(source.f_GetScheduleMap().size(), 3);

    keyed.f_CopyScheduleData(keyed.f_GetScheduleMap()); // a copy of itself keeps everything
    QCOMPARE(keyed.f_GetScheduleMap().keys(), (QList<int>{2, 5, 9}));
    QCOMPARE(keyed.f_GetScheduleMap().value(5)->Comment, QStringLiteral("changed"));
}

void tst_CScheduleManager::removeAndClear()
{
    CScheduleManager manager;
    FillKeys(manager, {0, 1, 3});
    manager.f_RemoveSchedule(2); // not held: nothing changes
    QCOMPARE(manager.f_GetScheduleMap().keys(), (QList<int>{0, 1, 3}));
    manager.f_RemoveSchedule(1);
    QCOMPARE(manager.f_GetScheduleMap().keys(), (QList<int>{0, 3}));
    manager.f_ClearSchedule();
    QVERIFY(manager.f_GetScheduleMap().isEmpty());
    QVERIFY(manager.f_AddSchedule(Record(QStringLiteral("again")), false));
    QCOMPARE(manager.f_GetScheduleMap().keys(), QList<int>{0});
}

void tst_CScheduleManager::dueTest_data()
{
    QTest::addColumn<int>("durationType");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("finish");
    QTest::addColumn<bool>("useFinish");
    QTest::addColumn<QTime>("executeTime");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<bool>("due");

    const QDateTime none;
    const QDate sunday(2024, 3, 17);
    QTest::newRow("Sun 23:59, ET 23:59:30") << 0 << 0x01 << none << none << false << QTime(23, 59, 30)
                                            << QDateTime(sunday, QTime(23, 59, 10)) << true;
    QTest::newRow("next minute (Mon 00:00)") << 0 << 0x01 << none << none << false << QTime(23, 59, 30)
                                             << QDateTime(sunday.addDays(1), QTime(0, 0)) << false;
    QTest::newRow("10:05 at 10:05:30") << 0 << 0x7F << none << none << false << QTime(10, 5)
                                       << QDateTime(sunday, QTime(10, 5, 30)) << true;
    QTest::newRow("10:05 at 09:00") << 0 << 0x7F << none << none << false << QTime(10, 5)
                                    << QDateTime(sunday, QTime(9, 0)) << true;
    QTest::newRow("10:05 at 10:06") << 0 << 0x7F << none << none << false << QTime(10, 5)
                                    << QDateTime(sunday, QTime(10, 6)) << false;
    QTest::newRow("weekday not set") << 0 << 0x7E << none << none << false << QTime(10, 5)
                                     << QDateTime(sunday, QTime(9, 0)) << false;
    QTest::newRow("Saturday bit 6") << 0 << 0x40 << none << none << false << QTime(10, 5)
                                    << QDateTime(sunday.addDays(-1), QTime(9, 0)) << true;

    const QDateTime s(QDate(2024, 3, 1), QTime(10, 0));
    const QDateTime f(QDate(2024, 3, 3), QTime(0, 0));
    const QTime et(12, 0);
    QTest::newRow("range: 02-29") << 1 << 0 << s << f << true << et << QDateTime(QDate(2024, 2, 29), QTime(8, 0)) << false;
    QTest::newRow("range: 03-01 (start has 10:00)") << 1 << 0 << s << f << true << et << QDateTime(QDate(2024, 3, 1), QTime(8, 0)) << true;
    QTest::newRow("range: 03-02") << 1 << 0 << s << f << true << et << QDateTime(QDate(2024, 3, 2), QTime(8, 0)) << true;
    QTest::newRow("range: 03-03 (finish at 00:00)") << 1 << 0 << s << f << true << et << QDateTime(QDate(2024, 3, 3), QTime(11, 59, 59)) << true;
    QTest::newRow("range: 03-04") << 1 << 0 << s << f << true << et << QDateTime(QDate(2024, 3, 4), QTime(8, 0)) << false;
    QTest::newRow("single day: the day") << 1 << 0 << s << f << false << et << QDateTime(QDate(2024, 3, 1), QTime(8, 0)) << true;
    QTest::newRow("single day: inside the unused range") << 1 << 0 << s << f << false << et << QDateTime(QDate(2024, 3, 2), QTime(8, 0)) << false;
    QTest::newRow("invalid execute time") << 1 << 0 << s << f << false << QTime() << QDateTime(QDate(2024, 3, 1), QTime(0, 0)) << false;
}

void tst_CScheduleManager::dueTest()
{
    QFETCH(int, durationType);
    QFETCH(int, mask);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, finish);
    QFETCH(bool, useFinish);
    QFETCH(QTime, executeTime);
    QFETCH(QDateTime, at);
    QFETCH(bool, due);
    CScheduleData data(kCreated);
    data.DurationType = durationType;
    data.DayOfWeek = quint8(mask);
    data.StartDay = start;
    data.FinishDay = finish;
    data.UseFinishDay = useFinish;
    data.ExecuteTime = executeTime;
    data.Enable = false; // not tested by the due test itself
    QCOMPARE(CScheduleManager::f_IsSpecifiedDateTimeSchedule(data, at), due);
}

void tst_CScheduleManager::dueRecordsOfCollection()
{
    CScheduleManager manager;
    FillKeys(manager, {4, 8, 12});
    const QDateTime at(QDate(2024, 3, 17), QTime(10, 0, 40));
    for (CScheduleData* data : manager.f_GetScheduleMap()) {
        data->DayOfWeek = 0x01;
        data->ExecuteTime = QTime(10, 0);
    }
    manager.f_GetScheduleMap().value(8)->Enable = false;
    manager.f_GetScheduleMap().value(12)->ExecuteTime = QTime(9, 59);
    std::unique_ptr<CScheduleManager::ScheduleMap> due(manager.GetSpecifiedDateTimeSchedule(at));
    QCOMPARE(due->keys(), QList<int>{4});
    QCOMPARE(due->value(4), manager.f_GetScheduleMap().value(4)); // the collection's own record
}

void tst_CScheduleManager::targetQueries()
{
    const QString all = CScheduleTargetText::AllProjectors();
    const QString hall = CScheduleTargetText::Group(QStringLiteral("Hall"));
    CScheduleManager manager;
    CScheduleManager::ScheduleMap source;
    source.insert(3, Record(QStringLiteral("all"), all, 0));
    source.insert(5, Record(QStringLiteral("hall"), hall, 0));
    source.insert(6, Record(QStringLiteral("pj10"), QStringLiteral("192.168.0.10"), 1));
    source.insert(8, Record(QStringLiteral("pj11"), QStringLiteral("192.168.0.11"), 1));
    source.insert(9, Record(QStringLiteral("odd type"), hall, 2));
    manager.f_CopyScheduleData(source);
    qDeleteAll(source);
    const QList<QString> names{QStringLiteral("192.168.0.10")};

    QCOMPARE(manager.f_GetSchedulesCount(hall), 2);
    QCOMPARE(manager.f_GetSchedulesCount(hall.toUpper()), 0); // exact text only

    const CScheduleManager::ScheduleMap& map = manager.f_GetScheduleMap();
    QVERIFY(CScheduleManager::f_IsTargetScheduleData(*map.value(5), hall, names));
    QVERIFY(!CScheduleManager::f_IsTargetScheduleData(*map.value(3), hall, names));
    QVERIFY(CScheduleManager::f_IsTargetScheduleData(*map.value(6), hall, names));
    QVERIFY(!CScheduleManager::f_IsTargetScheduleData(*map.value(8), hall, names));
    QVERIFY(!CScheduleManager::f_IsTargetScheduleData(*map.value(9), hall, names));

    std::unique_ptr<CScheduleManager::ScheduleMap> byName(manager.f_GetSchedules(hall));
    QCOMPARE(byName->keys(), (QList<int>{5, 9}));
    QCOMPARE(byName->value(5), map.value(5));

    std::unique_ptr<CScheduleManager::ScheduleMap> selected(manager.GetExpandSchedulesTarget(hall, names));
    QCOMPARE(selected->keys(), (QList<int>{0, 1}));
    QCOMPARE(selected->value(0), map.value(5));
    QCOMPARE(selected->value(1), map.value(6));

    std::unique_ptr<CScheduleManager::ScheduleMap> everything(manager.GetExpandSchedulesTarget(all, {}));
    QCOMPARE(everything->keys(), (QList<int>{0, 1, 2, 3, 4}));
    QCOMPARE(Comments(*everything), (QStringList{"all", "hall", "pj10", "pj11", "odd type"}));
}

void tst_CScheduleManager::dayOffsets_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << 0;
    QTest::newRow("1999-12-31") << QDate(1999, 12, 31) << -1;
    QTest::newRow("2001-01-01") << QDate(2001, 1, 1) << 366;
    QTest::newRow("2024-03-13") << QDate(2024, 3, 13) << 8838;
}

void tst_CScheduleManager::dayOffsets()
{
    QFETCH(QDate, date);
    QFETCH(int, offset);
    QCOMPARE(CScheduleManager::ToDayOffset(QDateTime(date, QTime(18, 0))), offset);
    QCOMPARE(CScheduleManager::ToDateTime(offset), QDateTime(date, QTime(0, 0)));
}

QTEST_GUILESS_MAIN(tst_CScheduleManager)
#include "tst_CScheduleManager.moc"
