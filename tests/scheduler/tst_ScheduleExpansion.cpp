#include <QtTest>

#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "ScheduleTestZone.h"

#include <memory>

namespace {

using Map = CScheduleManager::ScheduleMap;

// Frees an expansion's output: the map and its instances belong to the caller.
struct OwnedMap
{
    explicit OwnedMap(Map* m = new Map()) : map(m) {}
    ~OwnedMap()
    {
        qDeleteAll(*map);
        delete map;
    }
    OwnedMap(const OwnedMap&) = delete;
    OwnedMap& operator=(const OwnedMap&) = delete;
    Map* map;
};

QDate D(int month, int day) { return QDate(2024, month, day); }
QDateTime At(int month, int day, const QTime& time = QTime(0, 0)) { return QDateTime(D(month, day), time); }

CScheduleData* Weekly(int mask, const QTime& et)
{
    CScheduleData* s = new CScheduleData(At(3, 1, QTime(8, 0)));
    s->DurationType = 0;
    s->DayOfWeek = quint8(mask);
    s->ExecuteTime = et;
    s->FinishDay = At(1, 5, QTime(7, 7)); // kept by weekly instances
    return s;
}

CScheduleData* Dated(const QDateTime& start, const QTime& et, const QDateTime& finish = QDateTime())
{
    CScheduleData* s = new CScheduleData(At(3, 1, QTime(8, 0)));
    s->DurationType = 1;
    s->StartDay = start;
    s->ExecuteTime = et;
    s->UseFinishDay = finish.isValid();
    s->FinishDay = finish.isValid() ? finish : start;
    return s;
}

// A range whose finish day is null (foreign file): it ends nothing.
CScheduleData* WithoutFinish(CScheduleData* s)
{
    s->FinishDay = QDateTime();
    return s;
}

QList<QDate> Dates(const Map& map)
{
    QList<QDate> dates;
    for (const CScheduleData* data : map)
        dates << data->StartDay.date();
    return dates;
}

} // namespace

using SchedulePtr = std::shared_ptr<CScheduleData>;
Q_DECLARE_METATYPE(SchedulePtr)

class tst_ScheduleExpansion : public QObject
{
    Q_OBJECT
private:
    void CheckInstances(const CScheduleData& schedule, const Map& output);

private slots:
    void worked_data();
    void worked();
    void combinedExample();
    void selectionOfAWeek();
    void fromMidnight();
    void capOfExpandedCollection();
    void daylightSavingWeek_data();
    void daylightSavingWeek();
};

void tst_ScheduleExpansion::CheckInstances(const CScheduleData& schedule, const Map& output)
{
    int key = 0;
    for (auto it = output.cbegin(); it != output.cend(); ++it, ++key) {
        const CScheduleData* i = it.value();
        QCOMPARE(it.key(), key);
        QCOMPARE(i->DurationType, 1);
        QVERIFY(!i->UseFinishDay);
        QVERIFY(i->Enable);
        QCOMPARE(i->StartDay.time(), QTime(0, 0));
        if (schedule.DurationType == 1)
            QCOMPARE(i->FinishDay, i->StartDay);
        else
            QCOMPARE(i->FinishDay, schedule.FinishDay);
        QCOMPARE(i->ExecuteTime, schedule.ExecuteTime);
        QCOMPARE(i->DayOfWeek, schedule.DayOfWeek);
        QCOMPARE(i->Comment, schedule.Comment);
        QCOMPARE(i->Status, schedule.Status);
        QCOMPARE(i->TargetName, schedule.TargetName);
        QVERIFY(i->AdminInfo && i->AdminInfo != schedule.AdminInfo);
        QVERIFY(i->AdminInfo->DetailesData->isEmpty());
    }
}

void tst_ScheduleExpansion::worked_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<SchedulePtr>("schedule");
    QTest::addColumn<QDateTime>("base");
    QTest::addColumn<QList<QDate>>("withoutToday");
    QTest::addColumn<QList<QDate>>("keepToday");

    using L = QList<QDate>;
    const QList<QDate> week{D(3, 14), D(3, 15), D(3, 16), D(3, 17), D(3, 18), D(3, 19), D(3, 20)};
    // New York's clocks go forward on Sunday 03-10, inside the week that
    // holds the base day; the week's days must not move.
    for (const QByteArray& zone : {QByteArray("UTC"), QByteArray("America/New_York")}) {
        auto row = [&](const char* name, CScheduleData* s, const QTime& base, const L& kF, const L& kT) {
            s->Comment = QString::fromLatin1(name);
            s->Status = 1; // copied into instances
            QTest::addRow("%s %s", name, zone.constData())
                << zone << SchedulePtr(s) << At(3, 13, base) << kF << kT;
        };
        row("E1", Weekly(0x2A, QTime(9, 0)), QTime(10, 0), {D(3, 18), D(3, 20), D(3, 15)},
            {D(3, 18), D(3, 20), D(3, 15)});
        row("E2", Weekly(0x08, QTime(10, 0)), QTime(10, 0), {D(3, 20)}, {D(3, 13)});
        row("E3", Weekly(0x7F, QTime(10, 0)), QTime(12, 0),
            {D(3, 17), D(3, 18), D(3, 19), D(3, 20), D(3, 14), D(3, 15), D(3, 16)},
            {D(3, 17), D(3, 18), D(3, 19), D(3, 20), D(3, 14), D(3, 15), D(3, 16)});
        row("E4", Weekly(0x08, QTime(10, 0, 30)), QTime(10, 0, 15), {D(3, 20)}, {D(3, 20)});
        row("E5", Dated(At(3, 13), QTime(8, 0)), QTime(7, 59), {D(3, 13)}, {D(3, 13)});
        row("E5'", Dated(At(3, 13), QTime(8, 0)), QTime(8, 0), {}, {D(3, 13)});
        row("E6", Dated(At(3, 13), QTime(10, 0), At(3, 17)), QTime(12, 0),
            {D(3, 14), D(3, 15), D(3, 16), D(3, 17)}, {D(3, 13), D(3, 14), D(3, 15), D(3, 16), D(3, 17)});
        row("E7", Dated(At(3, 13, QTime(14, 0)), QTime(15, 0)), QTime(10, 0), {}, {});
        row("E8", Dated(At(2, 10), QTime(6, 0), At(4, 12)), QTime(7, 0), week, L{D(3, 13)} + week);
        row("E9", Dated(At(3, 16), QTime(9, 0)), QTime(10, 0), {D(3, 16)}, {D(3, 16)});
        row("E10", Dated(At(3, 18), QTime(9, 0), At(3, 25)), QTime(10, 0), {D(3, 18), D(3, 19), D(3, 20)},
            {D(3, 18), D(3, 19), D(3, 20)});
        row("E11", Dated(At(3, 20), QTime(11, 0)), QTime(10, 0), {D(3, 20)}, {D(3, 20)});
        row("E12 single", Dated(At(3, 1), QTime(9, 0)), QTime(10, 0), {}, {});
        row("E12 range", Dated(At(3, 1), QTime(9, 0), At(3, 12)), QTime(10, 0), {}, {});
        row("E13", Dated(At(3, 1), QTime(11, 0), At(3, 13)), QTime(10, 0), {D(3, 13)}, {D(3, 13)});
        row("E13'", Dated(At(3, 1), QTime(11, 0), At(3, 13)), QTime(12, 0), {}, {D(3, 13)});
        row("E14", Dated(At(3, 21), QTime(9, 0)), QTime(10, 0), {}, {});
        row("E16", Dated(At(3, 13), QTime(9, 0), At(3, 13, QTime(12, 0))), QTime(10, 0), {}, {});
        // Not in the examples: a finish day on D7 with a time part and X not
        // after W ends nothing, so the whole run is dropped; a finish equal to
        // the start is a single day; a null start (foreign file) counts as long past.
        row("F on D7 with time", Dated(At(3, 14), QTime(9, 0), At(3, 20, QTime(6, 0))), QTime(10, 0), {}, {});
        row("F equals S", Dated(At(3, 15), QTime(9, 0), At(3, 15)), QTime(10, 0), {D(3, 15)}, {D(3, 15)});
        row("null start", Dated(QDateTime(), QTime(9, 0), At(3, 15)), QTime(10, 0), {D(3, 14), D(3, 15)},
            {D(3, 13), D(3, 14), D(3, 15)});
        row("null finish", WithoutFinish(Dated(At(3, 1), QTime(9, 0), At(3, 15))), QTime(10, 0), {}, {});
    }
}

void tst_ScheduleExpansion::worked()
{
    QFETCH(QByteArray, zone);
    QFETCH(SchedulePtr, schedule);
    QFETCH(QDateTime, base);
    QFETCH(QList<QDate>, withoutToday);
    QFETCH(QList<QDate>, keepToday);
    if (!ScheduleTestZone::Available(zone))
        QSKIP("no tzdata");
    ScheduleTestZone tz(zone);
    // The rows were built in the zone of the process; rebuild the local
    // date-times in this one.
    const QDateTime localBase(base.date(), base.time());
    schedule->StartDay = QDateTime(schedule->StartDay.date(), schedule->StartDay.time());
    schedule->FinishDay = QDateTime(schedule->FinishDay.date(), schedule->FinishDay.time());

    for (bool kT : {false, true}) {
        OwnedMap direct;
        CScheduleManager::f_ExpandSchedules(localBase, *schedule, *direct.map, kT);
        QCOMPARE(Dates(*direct.map), kT ? keepToday : withoutToday);
        CheckInstances(*schedule, *direct.map);

        CScheduleManager manager;
        QVERIFY(manager.f_AddSchedule(new CScheduleData(*schedule), false));
        OwnedMap made(manager.MakeExpandSchedules(localBase, kT));
        QCOMPARE(Dates(*made.map), kT ? keepToday : withoutToday);

        // E15: a disabled schedule is expanded only when asked for directly.
        manager.f_GetScheduleMap().value(0)->Enable = false;
        OwnedMap none(manager.MakeExpandSchedules(localBase, kT));
        QVERIFY(none.map->isEmpty());
    }
}

void tst_ScheduleExpansion::combinedExample()
{
    CScheduleManager manager;
    CScheduleData* e1 = Weekly(0x2A, QTime(9, 0));
    CScheduleData* e6 = Dated(At(3, 13), QTime(10, 0), At(3, 17));
    CScheduleData* disabled = Weekly(0x7F, QTime(23, 0));
    e1->Comment = QStringLiteral("E1");
    e6->Comment = QStringLiteral("E6");
    disabled->Enable = false;
    QVERIFY(manager.f_AddSchedule(e1, false));
    QVERIFY(manager.f_AddSchedule(e6, false));
    QVERIFY(manager.f_AddSchedule(disabled, false));

    OwnedMap out(manager.MakeExpandSchedules(At(3, 13, QTime(12, 0)), false));
    QCOMPARE(out.map->keys(), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(Dates(*out.map), (QList<QDate>{D(3, 18), D(3, 20), D(3, 15), D(3, 14), D(3, 15), D(3, 16), D(3, 17)}));
    QStringList origin;
    for (const CScheduleData* i : *out.map)
        origin << i->Comment;
    QCOMPARE(origin, (QStringList{"E1", "E1", "E1", "E6", "E6", "E6", "E6"}));

    // Moved into an emptied expanded collection they keep their keys.
    CScheduleManager expanded;
    for (CScheduleData* i : *out.map)
        QVERIFY(expanded.f_AddExpandSchedule(i));
    out.map->clear();
    QCOMPARE(Dates(expanded.f_GetScheduleMap()), (QList<QDate>{D(3, 18), D(3, 20), D(3, 15), D(3, 14), D(3, 15), D(3, 16), D(3, 17)}));
}

void tst_ScheduleExpansion::selectionOfAWeek()
{
    const QString hall = CScheduleTargetText::Group(QStringLiteral("Hall"));
    CScheduleManager manager;
    CScheduleData* all = Weekly(0x08, QTime(10, 0));
    all->TargetName = CScheduleTargetText::AllProjectors();
    CScheduleData* group = Weekly(0x08, QTime(11, 0));
    group->TargetName = hall;
    CScheduleData* pj = Weekly(0x08, QTime(12, 0));
    pj->TargetType = 1;
    pj->TargetName = QStringLiteral("192.168.0.10");
    CScheduleData* other = Weekly(0x08, QTime(13, 0));
    other->TargetType = 1;
    other->TargetName = QStringLiteral("192.168.0.11");
    CScheduleData* off = Weekly(0x08, QTime(14, 0));
    off->TargetName = hall;
    off->Enable = false;
    for (CScheduleData* s : {all, group, pj, other, off})
        QVERIFY(manager.f_AddSchedule(s, false));
    const QList<QString> names{QStringLiteral("192.168.0.10")};
    const QDateTime base = At(3, 13, QTime(11, 0)); // Wednesday

    OwnedMap forGroup(manager.f_GetExpandSchedulesAWeek(hall, names, base));
    QCOMPARE(forGroup.map->size(), 2);
    // keepToday false: 11:00 is not later than the base, so it moves a week.
    QCOMPARE(forGroup.map->value(0)->ExecuteTime, QTime(11, 0));
    QCOMPARE(forGroup.map->value(0)->StartDay.date(), D(3, 20));
    QCOMPARE(forGroup.map->value(1)->ExecuteTime, QTime(12, 0));
    QCOMPARE(forGroup.map->value(1)->StartDay.date(), D(3, 13));

    OwnedMap forAll(manager.f_GetExpandSchedulesAWeek(CScheduleTargetText::AllProjectors(), names, base));
    QCOMPARE(forAll.map->size(), 4);
}

void tst_ScheduleExpansion::fromMidnight()
{
    const QDateTime midnight = At(3, 13);
    OwnedMap weekly;
    std::unique_ptr<CScheduleData> atMidnight(Weekly(0x08, QTime(0, 0)));
    CScheduleManager::f_ExpandSchedules(midnight, *atMidnight, *weekly.map, true);
    QCOMPARE(Dates(*weekly.map), QList<QDate>{D(3, 13)});

    OwnedMap daily;
    std::unique_ptr<CScheduleData> range(Dated(At(3, 1), QTime(0, 0), At(4, 30)));
    CScheduleManager::f_ExpandSchedules(midnight, *range, *daily.map, true);
    QCOMPARE(Dates(*daily.map),
             (QList<QDate>{D(3, 13), D(3, 14), D(3, 15), D(3, 16), D(3, 17), D(3, 18), D(3, 19), D(3, 20)}));
}

void tst_ScheduleExpansion::capOfExpandedCollection()
{
    CScheduleManager user;
    for (int i = 0; i < 1000; ++i) {
        CScheduleData* s = Dated(At(3, 1), QTime(0, 0), At(4, 30));
        s->Comment = QString::number(i);
        QVERIFY(user.f_AddSchedule(s, true));
    }
    OwnedMap made(user.MakeExpandSchedules(At(3, 13), true));
    QCOMPARE(made.map->size(), 8000);

    CScheduleManager expanded;
    QList<CScheduleData*> refused;
    for (CScheduleData* i : *made.map)
        if (!expanded.f_AddExpandSchedule(i))
            refused << i;
    made.map->clear();
    QCOMPARE(expanded.f_GetScheduleMap().size(), 7001);
    QCOMPARE(refused.size(), 999);
    // The first 875 schedules fit whole, 875 with its first instance; the
    // highest-keyed schedules' instances are the refused ones.
    QCOMPARE(expanded.f_GetScheduleMap().value(7000)->Comment, QStringLiteral("875"));
    QCOMPARE(refused.first()->Comment, QStringLiteral("875"));
    QCOMPARE(refused.last()->Comment, QStringLiteral("999"));
    qDeleteAll(refused); // the caller's; the sanitizer build checks nothing else is lost
}

void tst_ScheduleExpansion::daylightSavingWeek_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("base");
    QTest::addColumn<QTime>("executeTime");
    // Each base lies a few days before the zone's change; the executing hour
    // is the one that is skipped or repeated that night.
    QTest::newRow("New York spring") << QByteArray("America/New_York") << At(3, 8, QTime(12, 0)) << QTime(2, 30);
    QTest::newRow("New York autumn") << QByteArray("America/New_York") << At(11, 1, QTime(12, 0)) << QTime(1, 30);
    QTest::newRow("Berlin spring") << QByteArray("Europe/Berlin") << At(3, 28, QTime(2, 30)) << QTime(2, 30);
    QTest::newRow("Berlin autumn") << QByteArray("Europe/Berlin") << At(10, 25, QTime(0, 0)) << QTime(2, 30);
    QTest::newRow("Berlin spring, midnight") << QByteArray("Europe/Berlin") << At(3, 31, QTime(0, 0)) << QTime(0, 0);
}

void tst_ScheduleExpansion::daylightSavingWeek()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, base);
    QFETCH(QTime, executeTime);
    if (!ScheduleTestZone::Available(zone))
        QSKIP("no tzdata");
    ScheduleTestZone tz(zone);
    const QDateTime localBase(base.date(), base.time());
    std::unique_ptr<CScheduleData> weekly(Weekly(0x7F, executeTime));
    std::unique_ptr<CScheduleData> daily(Dated(At(1, 1), executeTime, At(12, 31)));

    for (bool kT : {false, true}) {
        OwnedMap out;
        CScheduleManager::f_ExpandSchedules(localBase, *weekly, *out.map, kT);
        QCOMPARE(out.map->size(), 7);
        QSet<int> weekdays;
        QSet<QDate> days;
        for (const CScheduleData* i : *out.map) {
            const QDate day = i->StartDay.date();
            QVERIFY(i->StartDay.isValid());
            QCOMPARE(i->StartDay.time(), QTime(0, 0));
            QVERIFY(day >= localBase.date() && day <= localBase.date().addDays(7));
            weekdays.insert(day.dayOfWeek());
            days.insert(day);
        }
        QCOMPARE(weekdays.size(), 7);
        QCOMPARE(days.size(), 7);

        OwnedMap run;
        CScheduleManager::f_ExpandSchedules(localBase, *daily, *run.map, kT);
        // One instance a day from the base day (or the next) to the last
        // whose time is not after the base plus seven days.
        const bool today = kT || localBase.time() < executeTime;
        const bool lastDay = executeTime.hour() * 60 + executeTime.minute()
                             <= localBase.time().hour() * 60 + localBase.time().minute();
        QCOMPARE(run.map->size(), 6 + int(today) + int(lastDay));
        QDate expected = today ? localBase.date() : localBase.date().addDays(1);
        for (const CScheduleData* i : *run.map) {
            QCOMPARE(i->StartDay.date(), expected);
            expected = expected.addDays(1);
        }
    }
}

QTEST_GUILESS_MAIN(tst_ScheduleExpansion)
#include "tst_ScheduleExpansion.moc"
