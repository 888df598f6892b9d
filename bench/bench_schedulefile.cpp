// Times the schedule file at its largest (1001 schedules with 40-character
// comments, every day from 2000 to 2050 a no-operating day) and the schedule
// log: one instance on 2000 projectors, and ten instances for all projectors
// skipped on a no-operating date with 2000 connected projectors.
#include "AppPaths.h"
#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CProjectorData.h"
#include "CSchedule.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

const char* const PROFILE =
    "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=R5.00\n[Models]\n4C100100=LV-L100\n[LV-L100 Functions]\n";

// The log benchmarks: a data hub with 2000 connected projectors.
void BenchLog(const QString& root)
{
    const QString program = root + QStringLiteral("/program");
    QDir().mkpath(program);
    AppPaths::setProgramFolder(program);
    AppPaths::setHomeFolder(root);
    QFile profile(program + QStringLiteral("/Profile.ini"));
    if (!profile.open(QIODevice::WriteOnly) || profile.write(PROFILE) < 0)
        return;
    profile.close();

    static char name[] = "Lumivox 5";
    static char* argv[] = { name, nullptr };
    CLumivox5Data hub(1, argv, nullptr);
    hub.InitializeAfterReadProfile();
    QList<int> ids;
    for (int i = 0; i < 2000; ++i) {
        CProjectorData* pj = hub.AddProjector(QStringLiteral("Setting"), 0, CProjectorData::TYPE_LAN::IP,
                                              QStringLiteral("10.0.%1.%2").arg(i / 250).arg(i % 250 + 1),
                                              QStringLiteral("7142"), true, QString());
        if (!pj)
            break;
        pj->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        ids.append(pj->m_Id);
    }

    CSchedule runner;
    runner.m_pData = &hub;
    runner.RequestScheduleLogEnable(true);
    const QDate day(2024, 3, 13);
    auto* instance = new CScheduleData(QDateTime(day, QTime(0, 0)));
    instance->StartDay = QDateTime(day, QTime(0, 0));
    instance->ExecuteTime = QTime(10, 0);
    instance->TargetName = CScheduleTargetText::AllProjectors();
    for (int id : qAsConst(ids))
        instance->AdminInfo->DetailesData->insert(id, new CScheduleExcuteAdminInfoSub());
    hub.m_pScheduleExcuteManager->f_AddExpandSchedule(instance);

    int run = 0;
    Report("schedule log: one instance on 2000 projectors (2000 lines)", Time(5, [&] {
               runner.RequestScheduleChangeLogPath(root + QStringLiteral("/log%1").arg(++run));
               const QDateTime time(day, QTime(10, 0, 2));
               for (int id : qAsConst(ids))
                   runner.RequestScheduleAddLog(id, instance, time, CScheduleData::STATUS_TYPE::OK, QString());
           }),
           200);

    // Ten instances for all projectors, due on a no-operating date.
    hub.m_pScheduleExcuteManager->f_ClearSchedule();
    hub.m_pNoOperatingDate->Add(QDateTime(day, QTime(0, 0)));
    for (int i = 0; i < 10; ++i) {
        auto* d = new CScheduleData(QDateTime(day, QTime(0, 0)));
        d->DurationType = CScheduleData::DURATION_TYPE::Dated;
        d->StartDay = QDateTime(day, QTime(0, 0));
        d->ExecuteTime = QTime(10, 0);
        d->TargetName = CScheduleTargetText::AllProjectors();
        hub.m_pScheduleExcuteManager->f_AddExpandSchedule(d);
    }
    Report("schedule log: 10 skipped instances x 2000 (20,000 lines)", Time(5, [&] {
               for (CScheduleData* d : hub.m_pScheduleExcuteManager->f_GetScheduleMap()) {
                   d->Status = CScheduleData::STATUS_TYPE::None;
                   d->AdminInfo->InitAdminInfo();
               }
               runner.RequestScheduleChangeLogPath(root + QStringLiteral("/log%1").arg(++run));
               runner.RequestScheduleStart(QDateTime(day, QTime(10, 0)));
               QCoreApplication::processEvents();
           }),
           1000);
    QFile check(root + QStringLiteral("/log%1/SCHE20240313.log").arg(run));
    std::printf("  last file: %lld bytes\n", check.size());
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

    BenchLog(dir.path());

    return 0;
}
