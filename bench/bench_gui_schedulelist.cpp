// The main window's week schedule list at its largest: a refill with 7001
// instances (1000 daily schedules expanded from midnight) sorted by date, a
// click on the Date header, and a refill with one group's week (700 rows).
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QHeaderView>
#include <QTranslator>
#include <QMouseEvent>

#include <cstdio>
#include <functional>
#include <vector>

#include "BenchWindow.h"
#include "CLanguageCodeTable.h"
#include "CNoOperatingDate.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "ProcessFigures.h"
#include "ScheduleListView.h"

namespace {

const QDateTime BASE(QDate(2024, 3, 13), QTime(12, 0));
const QDateTime MIDNIGHT(QDate(2024, 3, 13), QTime(0, 0));
const int RUNS = 5;

// Targets, commands, results and comments vary, so the cells are not all alike.
void Vary(CScheduleData* s, int i)
{
    if (i % 3 == 0)
        s->TargetName = CScheduleTargetText::AllProjectors();
    else if (i % 3 == 1)
        s->TargetName = CScheduleTargetText::Group(QStringLiteral("Hall %1\\Floor %2").arg(i % 17).arg(i % 5));
    else {
        s->TargetType = CScheduleData::TARGET_TYPE::Projector;
        s->TargetName = QStringLiteral("10.%1.%2.%3").arg(i % 3).arg((i * 37) % 256).arg((i * 101) % 256);
    }
    s->Function = 1 + i % 11;
    s->Comment = QStringLiteral("Event %1").arg(i);
}

// 1000 dated daily ranges from midnight: 8000 instances made, 7001 kept.
void FillFullWeek(CScheduleManager& expanded)
{
    CScheduleManager user;
    for (int i = 0; i < 1000; ++i) {
        CScheduleData* s = new CScheduleData(BASE);
        s->DurationType = CScheduleData::DURATION_TYPE::Dated;
        s->StartDay = QDateTime(QDate(2024, 3, 1), QTime(0, 0));
        s->FinishDay = QDateTime(QDate(2024, 4, 30), QTime(0, 0));
        s->UseFinishDay = true;
        s->ExecuteTime = QTime(0, 0).addSecs((i * 7 % 1440) * 60);
        Vary(s, i);
        user.f_AddSchedule(s, true);
    }
    CScheduleManager::ScheduleMap* made = user.MakeExpandSchedules(MIDNIGHT, true);
    int index = 0;
    for (CScheduleData* instance : *made) {
        instance->Status = index++ % 4;
        if (!expanded.f_AddExpandSchedule(instance))
            delete instance;
    }
    delete made;
}

// One group's week: 100 weekly schedules on all seven days.
CScheduleManager::ScheduleMap* GroupWeek()
{
    CScheduleManager user;
    const QString hall = CScheduleTargetText::Group(QStringLiteral("Hall"));
    for (int i = 0; i < 100; ++i) {
        CScheduleData* s = new CScheduleData(BASE);
        s->DayOfWeek = 0x7F;
        s->ExecuteTime = QTime(0, 0).addSecs((i * 13 % 1440) * 60);
        Vary(s, i);
        s->TargetType = CScheduleData::TARGET_TYPE::Group;
        s->TargetName = hall;
        user.f_AddSchedule(s, true);
    }
    return user.f_GetExpandSchedulesAWeek(hall, QList<QString>(), BASE);
}

// A click on a header section as the mouse gives it.
void ClickHeader(QHeaderView* header, int section)
{
    const QPoint at(header->sectionViewportPosition(section) + 10, header->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(header->viewport(), &press);
    QCoreApplication::sendEvent(header->viewport(), &release);
}

// Median wall time of `work`, each run followed by the repaint it asked for (not timed).
double MedianMs(const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int run = 0; run < RUNS; ++run) {
        ms.push_back(WallMs(work));
        QCoreApplication::processEvents();
    }
    return Median(ms);
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    // The texts the operator reads, as the program shows them.
    CLanguageCodeTable language(CLanguageCodeTable::LANG_ENGLISH);
    language.SetCulture(&app);
    if (language.m_pTranslator)
        QCoreApplication::installTranslator(language.m_pTranslator);

    ScheduleListView view;
    view.resize(900, 500);
    view.show();
    QCoreApplication::processEvents();
    CNoOperatingDate noOperatingDate;
    noOperatingDate.Add(MIDNIGHT.addDays(3)); // one day of the week left out

    CScheduleManager expanded;
    FillFullWeek(expanded);
    CScheduleManager::ScheduleMap& week = expanded.f_GetScheduleMap();
    std::printf("week schedule list, platform %s, median of %d runs\n", qPrintable(QGuiApplication::platformName()),
                RUNS);

    CNoOperatingDate none;
    const double full = MedianMs([&] { view.f_UpdateScheduleListView(week, none); });
    std::printf("refill, %d instances, sorted by Date:  %8.1f ms  (%d rows, target < 500)\n", int(week.size()), full,
                view.model()->rowCount());
    const double paint = WallMs([&] {
        view.viewport()->repaint();
    });
    std::printf("repaint of the shown rows:                %8.1f ms\n", paint);
    const double partial = MedianMs([&] { view.f_UpdateScheduleListView(week, noOperatingDate); });
    std::printf("refill, one no-operating day left out:   %8.1f ms  (%d rows)\n", partial, view.model()->rowCount());

    view.f_UpdateScheduleListView(week, none);
    QCoreApplication::processEvents();
    const double click = MedianMs([&] { ClickHeader(view.header(), ScheduleListView::COLUMN_DATE); });
    std::printf("Date header click, %d rows:             %8.1f ms  (target < 300)\n", view.model()->rowCount(), click);
    const double otherClick = MedianMs([&] { ClickHeader(view.header(), ScheduleListView::COLUMN_TASK); });
    std::printf("Task header click, %d rows:             %8.1f ms\n", view.model()->rowCount(), otherClick);

    CScheduleManager::ScheduleMap* group = GroupWeek();
    view.sortByColumn(ScheduleListView::COLUMN_DATE, Qt::AscendingOrder);
    const double small = MedianMs([&] { view.f_UpdateScheduleListView(*group, none); });
    std::printf("refill, one group's week:                %8.1f ms  (%d rows, target < 50)\n", small,
                view.model()->rowCount());
    qDeleteAll(*group);
    delete group;
    return 0;
}
