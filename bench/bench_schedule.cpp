// Times the schedule expansion and the due-record query on a full year's
// worth of schedules, and the heap held by one expanded instance.
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

namespace {
std::atomic<long long> g_Allocated{0};
}

void* operator new(std::size_t size)
{
    g_Allocated += static_cast<long long>(size);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Map = CScheduleManager::ScheduleMap;

const QDateTime kBase(QDate(2024, 3, 13), QTime(12, 0));
const QDateTime kMidnight(QDate(2024, 3, 13), QTime(0, 0));

void FreeMap(Map* map)
{
    qDeleteAll(*map);
    delete map;
}

// Median of `runs` timings in milliseconds; `setup` runs untimed before each.
double Time(int runs, const std::function<void()>& setup, const std::function<void()>& work,
            const std::function<void()>& teardown)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        setup();
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(timer.nsecsElapsed() / 1e6);
        teardown();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void FillWeekly(CScheduleManager& user)
{
    for (int i = 0; i < 1000; ++i) {
        CScheduleData* s = new CScheduleData(kBase);
        s->DayOfWeek = 0x7F;
        s->ExecuteTime = QTime(0, 0).addSecs((i % 1440) * 60);
        user.f_AddSchedule(s, true);
    }
}

void FillDailyRanges(CScheduleManager& user)
{
    for (int i = 0; i < 1000; ++i) {
        CScheduleData* s = new CScheduleData(kBase);
        s->DurationType = 1;
        s->StartDay = QDateTime(QDate(2024, 3, 1), QTime(0, 0));
        s->FinishDay = QDateTime(QDate(2024, 4, 30), QTime(0, 0));
        s->UseFinishDay = true;
        s->ExecuteTime = QTime(0, 0); // from midnight: eight days each
        user.f_AddSchedule(s, true);
    }
}

// Moves instances into the expanded collection; the refused ones are freed.
int MoveInto(CScheduleManager& expanded, Map* made)
{
    int refused = 0;
    for (CScheduleData* i : *made)
        if (!expanded.f_AddExpandSchedule(i)) {
            delete i;
            ++refused;
        }
    delete made;
    return refused;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = 7;

    // (a) 1000 weekly schedules on all seven days: expand and move 7000 instances.
    {
        CScheduleManager user;
        FillWeekly(user);
        CScheduleManager expanded;
        int count = 0;
        const double ms = Time(runs, [] {}, [&] {
            Map* made = user.MakeExpandSchedules(kBase, false);
            count = made->size();
            MoveInto(expanded, made);
        }, [&] { expanded.f_ClearSchedule(); });
        std::printf("(a) weekly x1000, all days: %d instances expanded and moved in %.2f ms\n", count, ms);
    }

    // (b) 1000 dated daily ranges from 00:00, keepToday: 8000 made, 7001 kept.
    {
        CScheduleManager user;
        FillDailyRanges(user);
        CScheduleManager expanded;
        int made = 0;
        int refused = 0;
        const double ms = Time(runs, [] {}, [&] {
            Map* out = user.MakeExpandSchedules(kMidnight, true);
            made = out->size();
            refused = MoveInto(expanded, out);
        }, [&] { expanded.f_ClearSchedule(); });
        std::printf("(b) daily ranges x1000 from 00:00: %d made, %d kept, %d refused in %.2f ms\n", made,
                    made - refused, refused, ms);
    }

    // (c) the week list of one group that 100 of the 1000 schedules target.
    {
        const QString hall = CScheduleTargetText::Group(QStringLiteral("Hall"));
        QList<QString> members;
        for (int i = 0; i < 100; ++i)
            members << QStringLiteral("10.0.0.%1").arg(i + 1);
        CScheduleManager user;
        for (int i = 0; i < 1000; ++i) {
            CScheduleData* s = new CScheduleData(kBase);
            s->DayOfWeek = 0x7F;
            s->ExecuteTime = QTime(0, 0).addSecs((i % 1440) * 60);
            if (i % 10 == 0) {
                s->TargetName = hall;
            } else if (i % 2) {
                s->TargetName = CScheduleTargetText::Group(QStringLiteral("Other%1").arg(i));
            } else {
                s->TargetType = 1;
                s->TargetName = QStringLiteral("10.1.%1.%2").arg(i / 256).arg(i % 256);
            }
            user.f_AddSchedule(s, true);
        }
        int count = 0;
        const double ms = Time(runs * 3, [] {}, [&] {
            Map* week = user.f_GetExpandSchedulesAWeek(hall, members, kBase);
            count = week->size();
            FreeMap(week);
        }, [] {});
        std::printf("(c) week of one group (100 of 1000 schedules): %d instances in %.2f ms\n", count, ms);
    }

    // (d) the due records among 7001 instances.
    {
        CScheduleManager user;
        FillDailyRanges(user);
        CScheduleManager expanded;
        MoveInto(expanded, user.MakeExpandSchedules(kMidnight, true));
        const QDateTime at(QDate(2024, 3, 15), QTime(0, 0, 30));
        int count = 0;
        const double ms = Time(runs * 3, [] {}, [&] {
            Map* due = expanded.GetSpecifiedDateTimeSchedule(at);
            count = due->size();
            delete due;
        }, [] {});
        std::printf("(d) due records among %d instances: %d in %.3f ms\n", int(expanded.f_GetScheduleMap().size()),
                    count, ms);
    }

    // Heap held by one expanded instance (its copy of a weekly schedule).
    {
        CScheduleData schedule(kBase);
        schedule.Comment = QStringLiteral("Hall");
        const long long before = g_Allocated.load();
        CScheduleData* instance = new CScheduleData(schedule);
        const long long bytes = g_Allocated.load() - before;
        std::printf("heap of one instance: %lld bytes requested (record %zu, execution state %zu)\n", bytes,
                    sizeof(CScheduleData), sizeof(CScheduleExcuteAdminInfo));
        delete instance;
    }
    return 0;
}
