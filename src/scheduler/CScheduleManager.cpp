#include "CScheduleManager.h"

#include "CDayOffset.h"
#include "ExceptionTrace.h"
#include "CScheduleTargetText.h"

#include <algorithm>
#include <limits>

namespace {

// Schedules are judged by the local wall clock: a date and a time of day as
// stored, combined into milliseconds without time-zone arithmetic. That is
// cheap in the expansion loops, keeps every set weekday at exactly one
// instance across a daylight-saving change, and compares a time that falls
// into a daylight-saving gap by its face value.
const qint64 DAY_MS = Q_INT64_C(86400000);
const qint64 MINUTE_MS = 60000;
// Null dates (foreign files) count as long past, as a null date-time does:
// a null start began long ago, a null finish ended long ago.
const qint64 FAR_PAST = std::numeric_limits<qint64>::min() / 4;
// Julian days beyond this are no calendar dates of any schedule; clamped so
// that the millisecond product cannot overflow.
const qint64 JD_LIMIT = Q_INT64_C(10000000000);

qint64 MsOfDay(const QTime& time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() : 0;
}

qint64 WallMs(const QDate& date, qint64 msOfDay)
{
    if (!date.isValid())
        return FAR_PAST;
    return qBound(-JD_LIMIT, date.toJulianDay(), JD_LIMIT) * DAY_MS + msOfDay;
}

qint64 WallMs(const QDateTime& dateTime)
{
    return WallMs(dateTime.date(), MsOfDay(dateTime.time()));
}

// The key an expansion stores an instance under: the number of entries,
// or, should a caller's map already hold that key, the lowest free one.
int NextOutputKey(const CScheduleManager::ScheduleMap& output)
{
    const int count = output.size();
    if (!output.contains(count))
        return count;
    int expected = 0;
    for (auto it = output.lowerBound(0); it != output.cend() && it.key() == expected; ++it)
        ++expected;
    return expected; // at most count: count keys cannot fill 0..count
}

// One expansion run: the base time's terms computed once, and the 00:00
// date-times of the few days an expansion can touch built once each.
class CExpansion
{
public:
    CExpansion(const QDateTime& base, bool keepToday)
        : m_KeepToday(keepToday)
    {
        const QDate baseDate = base.date();
        m_BaseJd = baseDate.isValid() ? qBound(-JD_LIMIT, baseDate.toJulianDay(), JD_LIMIT) : 0;
        m_BaseWeekday = baseDate.isValid() ? baseDate.dayOfWeek() % 7 : 0;
        m_BaseTimeMs = MsOfDay(base.time());
        m_Base = m_BaseJd * DAY_MS + m_BaseTimeMs;
        m_D0 = m_BaseJd * DAY_MS;
        m_D1 = m_D0 + DAY_MS;
        m_D7 = m_D0 + 7 * DAY_MS;
        m_W = m_Base + 7 * DAY_MS;
        m_Valid = baseDate.isValid();
    }

    void Expand(const CScheduleData& schedule, CScheduleManager::ScheduleMap& output)
    {
        if (!m_Valid)
            return;
        if (schedule.DurationType == CScheduleData::DURATION_TYPE::Dated)
            ExpandDated(schedule, output);
        else
            ExpandWeekly(schedule, output);
    }

private:
    void ExpandWeekly(const CScheduleData& schedule, CScheduleManager::ScheduleMap& output)
    {
        const qint64 etm = MsOfDay(schedule.ExecuteTime) / MINUTE_MS * MINUTE_MS;
        for (int d = 0; d < 7; ++d) {
            if (!(schedule.DayOfWeek & (1u << d)))
                continue;
            qint64 jd = m_BaseJd + d - m_BaseWeekday;
            const qint64 a = jd * DAY_MS + etm;
            if (m_KeepToday ? a < m_Base : a <= m_Base)
                jd += 7;
            Store(schedule, jd, false, output);
        }
    }

    void ExpandDated(const CScheduleData& schedule, CScheduleManager::ScheduleMap& output)
    {
        const qint64 et = MsOfDay(schedule.ExecuteTime);
        const qint64 etm = et / MINUTE_MS * MINUTE_MS;
        const qint64 s = WallMs(schedule.StartDay);
        const qint64 f = WallMs(schedule.FinishDay);
        const qint64 x = WallMs(schedule.FinishDay.date(), etm);
        const bool use = schedule.UseFinishDay;
        const bool run = use && ((m_D1 <= f && f <= m_D7) || (f > m_D7 && m_W < x));
        const bool todayOk = m_KeepToday || m_BaseTimeMs < et;
        const qint64 last = std::min(x, m_W);

        if (s < m_D0) {
            if (!use)
                return;
            if (f == m_D0) {
                if (todayOk)
                    Store(schedule, m_BaseJd, true, output);
            } else if (run) {
                Run((todayOk ? m_D0 : m_D1) + et, last, schedule, output);
            }
        } else if (s == m_D0) {
            if (!use || f == s) {
                if (todayOk)
                    Store(schedule, m_BaseJd, true, output);
            } else if (run) {
                Run((todayOk ? m_D0 : m_D1) + et, last, schedule, output);
            }
        } else if (s < m_D1) {
            // Begins on the base day after 00:00: nothing.
        } else if (s <= m_D7) {
            const qint64 startJd = schedule.StartDay.date().toJulianDay();
            if (!use || f == s)
                Store(schedule, startJd, true, output);
            else if (run)
                Run(startJd * DAY_MS + et, last, schedule, output);
        }
    }

    // One instance a day from the instant `first` while not after `last`
    // (at most eight: `first` is at or after D0, `last` at or before W).
    void Run(qint64 first, qint64 last, const CScheduleData& schedule,
             CScheduleManager::ScheduleMap& output)
    {
        for (qint64 at = first; at <= last; at += DAY_MS)
            Store(schedule, at / DAY_MS, true, output);
    }

    void Store(const CScheduleData& schedule, qint64 jd, bool dated,
               CScheduleManager::ScheduleMap& output)
    {
        CScheduleData* instance = new CScheduleData(schedule);
        instance->DurationType = CScheduleData::DURATION_TYPE::Dated;
        instance->UseFinishDay = false;
        instance->StartDay = DayStart(jd);
        if (dated)
            instance->FinishDay = instance->StartDay;
        else
            instance->Enable = true;
        output.insert(NextOutputKey(output), instance);
    }

    QDateTime DayStart(qint64 jd)
    {
        const qint64 index = jd - (m_BaseJd - 7);
        if (index < 0 || index >= CACHE_DAYS)
            return CDayOffset::ToDateTime(int(jd - CDayOffset::Origin().toJulianDay()));
        if (!m_DayFilled[index]) {
            m_Days[index] = CDayOffset::ToDateTime(int(jd - CDayOffset::Origin().toJulianDay()));
            m_DayFilled[index] = true;
        }
        return m_Days[index];
    }

    // Weekly instances fall from the Sunday before the base day to 13 days after it.
    static const int CACHE_DAYS = 21;

    bool m_KeepToday;
    bool m_Valid;
    qint64 m_BaseJd;
    int m_BaseWeekday;
    qint64 m_BaseTimeMs;
    qint64 m_Base, m_D0, m_D1, m_D7, m_W;
    QDateTime m_Days[CACHE_DAYS];
    bool m_DayFilled[CACHE_DAYS] = {};
};

bool IsSpecified(const CScheduleData& data, const QDate& date, const QTime& minute)
{
    if (minute > data.ExecuteTime)
        return false;
    if (data.DurationType != CScheduleData::DURATION_TYPE::Dated)
        return (data.DayOfWeek & CScheduleData::WeekdayBit(date)) != 0;
    if (data.UseFinishDay)
        return data.StartDay.date() <= date && data.FinishDay.date() >= date;
    return data.StartDay.date() == date;
}

} // namespace

CScheduleManager::CScheduleManager()
    : m_pScheduleMap(new ScheduleMap())
{
}

CScheduleManager::CScheduleManager(const CScheduleManager& other)
    : m_pScheduleMap(new ScheduleMap())
{
    try {
        for (const CScheduleData* data : qAsConst(*other.m_pScheduleMap)) {
            if (data)
                m_pScheduleMap->insert(f_MakeScheduleKey(*m_pScheduleMap, false), new CScheduleData(*data));
        }
    } catch (...) {
        // No destructor runs for a half-built collection.
        DeleteAll();
        delete m_pScheduleMap;
        throw;
    }
}

CScheduleManager::~CScheduleManager()
{
    DeleteAll();
    delete m_pScheduleMap;
}

void CScheduleManager::DeleteAll()
{
    qDeleteAll(*m_pScheduleMap);
    m_pScheduleMap->clear();
}

void CScheduleManager::f_ClearSchedule()
{
    DeleteAll();
}

void CScheduleManager::f_CopyScheduleData(const ScheduleMap& source)
{
    if (&source == m_pScheduleMap)
        return; // a copy of itself: it already holds exactly these records
    RunTraced([&] {
        DeleteAll();
        for (auto it = source.cbegin(); it != source.cend(); ++it) {
            if (it.value())
                m_pScheduleMap->insert(it.key(), new CScheduleData(*it.value()));
        }
    });
}

void CScheduleManager::f_RemoveSchedule(int key)
{
    delete m_pScheduleMap->take(key);
}

int CScheduleManager::LowestFreeKey(const ScheduleMap& map, int fallback)
{
    int expected = 0;
    for (auto it = map.lowerBound(0); it != map.cend() && it.key() == expected && expected < fallback; ++it)
        ++expected;
    return std::min(expected, fallback);
}

int CScheduleManager::f_MakeScheduleKey(const ScheduleMap& map, bool lowestFreeKey)
{
    return lowestFreeKey ? LowestFreeKey(map, MAX_SCHEDULE_KEY) : map.size();
}

int CScheduleManager::f_MakeExpandScheduleKey(const ScheduleMap& map, bool lowestFreeKey)
{
    return lowestFreeKey ? LowestFreeKey(map, MAX_EXPAND_SCHEDULE_KEY) : map.size();
}

// A key already held is never overwritten: the lowest free key of the range
// stands in, and when even that is held the add is refused.
bool CScheduleManager::Insert(CScheduleData* data, int key, int fallback)
{
    if (m_pScheduleMap->contains(key)) {
        key = LowestFreeKey(*m_pScheduleMap, fallback);
        if (m_pScheduleMap->contains(key))
            return false;
    }
    m_pScheduleMap->insert(key, data);
    return true;
}

bool CScheduleManager::f_AddSchedule(CScheduleData* data, bool lowestFreeKey)
{
    if (!data)
        return false;
    return RunTraced(false, [&] {
        if (f_IsMaxSchedule(data->TargetName, false))
            return false;
        return Insert(data, f_MakeScheduleKey(*m_pScheduleMap, lowestFreeKey), MAX_SCHEDULE_KEY);
    });
}

bool CScheduleManager::f_AddExpandSchedule(CScheduleData* data)
{
    if (!data)
        return false;
    return RunTraced(false, [&] {
        if (f_IsMaxExpandSchedule(data->TargetName))
            return false;
        return Insert(data, f_MakeExpandScheduleKey(*m_pScheduleMap, false), MAX_EXPAND_SCHEDULE_KEY);
    });
}

int CScheduleManager::f_GetSchedulesCount(const QString& name) const
{
    int count = 0;
    for (const CScheduleData* data : qAsConst(*m_pScheduleMap))
        if (data && data->TargetName == name)
            ++count;
    return count;
}

bool CScheduleManager::f_IsMaxSchedule(const QString& name, bool forDialog) const
{
    Q_UNUSED(name) // the limit is the same for every target
    return m_pScheduleMap->size() > (forDialog ? MAX_SCHEDULE_KEY - 1 : MAX_SCHEDULE_KEY);
}

bool CScheduleManager::f_IsMaxExpandSchedule(const QString& name) const
{
    Q_UNUSED(name)
    return m_pScheduleMap->size() > MAX_EXPAND_SCHEDULE_KEY;
}

bool CScheduleManager::f_IsTargetScheduleData(const CScheduleData& data, const QString& name,
                                              const QList<QString>& names)
{
    if (data.TargetType == CScheduleData::TARGET_TYPE::Group)
        return data.TargetName == name;
    if (data.TargetType == CScheduleData::TARGET_TYPE::Projector)
        return names.contains(data.TargetName);
    return false;
}

CScheduleManager::ScheduleMap* CScheduleManager::f_GetSchedules(const QString& name) const
{
    ScheduleMap* result = new ScheduleMap();
    RunTraced([&] {
        for (auto it = m_pScheduleMap->cbegin(); it != m_pScheduleMap->cend(); ++it)
            if (it.value() && it.value()->TargetName == name)
                result->insert(it.key(), it.value());
    });
    return result;
}

CScheduleManager::ScheduleMap* CScheduleManager::GetExpandSchedulesTarget(
    const QString& name, const QList<QString>& names) const
{
    ScheduleMap* result = new ScheduleMap();
    RunTraced([&] {
        const bool all = name == CScheduleTargetText::AllProjectors();
        for (CScheduleData* data : qAsConst(*m_pScheduleMap))
            if (data && (all || f_IsTargetScheduleData(*data, name, names)))
                result->insert(f_MakeExpandScheduleKey(*result, false), data);
    });
    return result;
}

bool CScheduleManager::f_IsSpecifiedDateTimeSchedule(const CScheduleData& data, const QDateTime& at)
{
    const QTime time = at.time();
    return IsSpecified(data, at.date(), QTime(time.hour(), time.minute()));
}

CScheduleManager::ScheduleMap* CScheduleManager::GetSpecifiedDateTimeSchedule(const QDateTime& at) const
{
    ScheduleMap* result = new ScheduleMap();
    RunTraced([&] {
        const QDate date = at.date();
        const QTime time = at.time();
        const QTime minute(time.hour(), time.minute());
        for (auto it = m_pScheduleMap->cbegin(); it != m_pScheduleMap->cend(); ++it) {
            CScheduleData* data = it.value();
            if (data && data->Enable && IsSpecified(*data, date, minute))
                result->insert(it.key(), data);
        }
    });
    return result;
}

void CScheduleManager::f_ExpandSchedules(const QDateTime& base, const CScheduleData& schedule,
                                         ScheduleMap& output, bool keepToday)
{
    RunTraced([&] { CExpansion(base, keepToday).Expand(schedule, output); });
}

CScheduleManager::ScheduleMap* CScheduleManager::MakeExpandSchedules(const QDateTime& base,
                                                                   bool keepToday) const
{
    ScheduleMap* output = new ScheduleMap();
    RunTraced([&] {
        CExpansion expansion(base, keepToday);
        for (const CScheduleData* data : qAsConst(*m_pScheduleMap))
            if (data && data->Enable)
                expansion.Expand(*data, *output);
    });
    return output;
}

CScheduleManager::ScheduleMap* CScheduleManager::f_GetExpandSchedulesAWeek(
    const QString& name, const QList<QString>& names, const QDateTime& base) const
{
    ScheduleMap* output = new ScheduleMap();
    RunTraced([&] {
        const bool all = name == CScheduleTargetText::AllProjectors();
        CExpansion expansion(base, false);
        for (const CScheduleData* data : qAsConst(*m_pScheduleMap))
            if (data && data->Enable && (all || f_IsTargetScheduleData(*data, name, names)))
                expansion.Expand(*data, *output);
    });
    return output;
}

int CScheduleManager::ToDayOffset(const QDateTime& date)
{
    return CDayOffset::ToDayOffset(date);
}

QDateTime CScheduleManager::ToDateTime(int offset)
{
    return CDayOffset::ToDateTime(offset);
}
