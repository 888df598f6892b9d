// Times the schedule file at its largest (1001 schedules with 40-character
// comments, every day from 2000 to 2050 a no-operating day) and the schedule
// log: one instance on 2000 projectors, and ten instances for all projectors
// skipped on a no-operating date with 2000 connected projectors.
#include "CNoOperatingDate.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>


namespace {

// Median of `runs` timings in milliseconds.
double Time(int runs, const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-58s %9.1f ms  (target < %.0f ms)%s\n", what, ms, targetMs, ms < targetMs ? "" : "  OVER");
}

void FillLargest(CScheduleFile& file)
{
    const QString comment = QStringLiteral("Comment of forty characters, exactly!!!");
    for (int i = 0; i <= CScheduleManager::MAX_SCHEDULE_KEY; ++i) {
        auto* d = new CScheduleData(QDateTime(QDate(2024, 3, 13), QTime(8, 0)));
        d->TargetType = i % 2;
        d->TargetName = i % 2 ? QStringLiteral("192.168.%1.%2").arg(i / 250).arg(i % 250)
                              : QStringLiteral("Group\\Building %1\\Hall %2").arg(i / 10).arg(i % 10);
        d->Function = 1 + i % 11;
        d->InputTerminal = i % 256;
        d->Comment = comment;
        file.m_pScheduleManager->f_AddSchedule(d, false);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));

    CNoOperatingDate all;
    for (int d = 0; d < CNoOperatingDate::DayCount(); ++d)
        all.Add(d);

    CScheduleFile out(dir.path(), QStringLiteral("Schedule.scd"));
    FillLargest(out);
    std::printf("schedule file: %d schedules, %d no-operating days\n",
                out.m_pScheduleManager->f_GetScheduleMap().size(), CNoOperatingDate::DayCount());

    Report("SetHolidayParam (18,628 days marked)", Time(5, [&] { out.SetHolidayParam(all); }), 200);

    const QString path = dir.path() + QStringLiteral("/Schedule.scd");
    int saved = -1;
    Report("SaveScheduleFile (UTF-16, holidays)", Time(5, [&] { saved = out.SaveScheduleFile(path, true); }), 200);
    if (saved != 0)
        std::printf("  save result %d\n", saved);

    int records = 0;
    int days = 0;
    Report("LoadScheduleFile (holidays)", Time(5, [&] {
               CScheduleFile in(dir.path(), QStringLiteral("Schedule.scd"));
               in.LoadScheduleFile(true);
               records = in.m_pScheduleManager->f_GetScheduleMap().size();
               days = in.m_HolidayCount;
           }),
           200);
    std::printf("  loaded %d schedules, %d days\n", records, days);

    return 0;
}
