#ifndef CSCHEDULEMANAGER_H
#define CSCHEDULEMANAGER_H

#include "CScheduleData.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

// A keyed, owning collection of schedule records: the user's schedules
// (keys 0 to 999, and 1000) or the expanded instances of the coming week
// (keys 0 to 6999, and 7000). Maps returned by the queries are new and
// belong to the caller; their records stay the collection's, except those
// made by expansion, which belong to the caller too.
class CScheduleManager
{
public:
    using ScheduleMap = QMap<int, CScheduleData*>;

    static const int MAX_SCHEDULE_KEY = 1000;
    static const int MAX_EXPAND_SCHEDULE_KEY = 7000;

    CScheduleManager();
    // Deep copy, renumbered 0, 1, 2, ... in key order.
    CScheduleManager(const CScheduleManager& other);
    CScheduleManager& operator=(const CScheduleManager&) = delete;
    ~CScheduleManager();

    ScheduleMap& f_GetScheduleMap() { return *m_pScheduleMap; }
    const ScheduleMap& f_GetScheduleMap() const { return *m_pScheduleMap; }

    void f_ClearSchedule();
    // Deep copies of `source`'s records under the same keys replace all own records.
    void f_CopyScheduleData(const ScheduleMap& source);
    void f_RemoveSchedule(int key);

    // Stores and owns `data`; false when refused (at the limit, or no free key
    // is left), in which case the record stays the caller's.
    bool f_AddSchedule(CScheduleData* data, bool lowestFreeKey);
    bool f_AddExpandSchedule(CScheduleData* data);
    // false: the number of records. true: the lowest free key from 0 to 999, else 1000.
    static int f_MakeScheduleKey(const ScheduleMap& map, bool lowestFreeKey);
    // The same with 0 to 6999, else 7000.
    static int f_MakeExpandScheduleKey(const ScheduleMap& map, bool lowestFreeKey);

    int f_GetSchedulesCount(const QString& name) const;
    // true: 1000 or more records (the dialogs' limit); false: 1001 or more.
    bool f_IsMaxSchedule(const QString& name, bool forDialog) const;
    // 7001 or more records.
    bool f_IsMaxExpandSchedule(const QString& name) const;

    // Whether `data` concerns the selection: a group or all projectors by
    // its stored name, a projector by one of the projectors' address texts.
    static bool f_IsTargetScheduleData(const CScheduleData& data, const QString& name,
                                       const QList<QString>& names);
    ScheduleMap* f_GetSchedules(const QString& name) const;
    ScheduleMap* GetExpandSchedulesTarget(const QString& name, const QList<QString>& names) const;

    // Falls on the date of `at`, at or after its minute. Enable is not tested.
    static bool f_IsSpecifiedDateTimeSchedule(const CScheduleData& data, const QDateTime& at);
    ScheduleMap* GetSpecifiedDateTimeSchedule(const QDateTime& at) const;

    // Appends the instances of one schedule for the seven days after `base`.
    static void f_ExpandSchedules(const QDateTime& base, const CScheduleData& schedule,
                                  ScheduleMap& output, bool keepToday);
    ScheduleMap* MakeExpandSchedules(const QDateTime& base, bool keepToday) const;
    ScheduleMap* f_GetExpandSchedulesAWeek(const QString& name, const QList<QString>& names,
                                           const QDateTime& base) const;

    static int ToDayOffset(const QDateTime& date);
    static QDateTime ToDateTime(int offset);

private:
    static int LowestFreeKey(const ScheduleMap& map, int fallback);
    bool Insert(CScheduleData* data, int key, int fallback);
    void DeleteAll();

    ScheduleMap* m_pScheduleMap;
};

#endif // CSCHEDULEMANAGER_H
