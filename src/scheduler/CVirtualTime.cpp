#include "CVirtualTime.h"

#include "CDayOffset.h"
#include "ExceptionTrace.h"
#include "CSystemClock.h"

#include <QTimer>

CVirtualTime::CVirtualTime(QObject* parent)
    : QObject(parent)
    , m_StartTime(CSystemClock::Now())
    , m_LastTime(m_StartTime)
{
    CreateTimer();
}

CVirtualTime::CVirtualTime(const CVirtualTime& other, QObject* parent)
    : QObject(parent)
    , m_VirtualTimeAllowed(other.m_VirtualTimeAllowed)
    , m_VirtualTimeOn(other.m_VirtualTimeOn)
    , m_BasedOnNow(other.m_BasedOnNow)
    , m_Acceleration(other.m_Acceleration)
    , m_Counter(other.m_Counter)
    , m_StartTime(other.m_StartTime)
    , m_LastTime(other.m_StartTime)
{
    CreateTimer();
}

CVirtualTime::~CVirtualTime()
{
    m_pTimer->stop();
}

void CVirtualTime::CreateTimer()
{
    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(1000);
    connect(m_pTimer, &QTimer::timeout, this, &CVirtualTime::f_OnTimerUpdateDelay);
}

void CVirtualTime::Start()
{
    m_Running = true;
    m_Counter = 0;
    m_pTimer->setInterval(1000);
    m_pTimer->start();
}

void CVirtualTime::Stop()
{
    m_Running = false;
    m_pTimer->stop();
}

QDateTime CVirtualTime::GetNowTime() const
{
    if (!m_VirtualTimeAllowed)
        return CSystemClock::Now();
    return m_LastTime;
}

int CVirtualTime::ToDayOffset(const QDateTime& date)
{
    return CDayOffset::ToDayOffset(date);
}

QDateTime CVirtualTime::ToDateTime(int offset)
{
    return CDayOffset::ToDateTime(offset);
}

void CVirtualTime::f_OnTimerUpdateDelay()
{
    RunTraced([this] {
        m_pTimer->stop();

        QDateTime now;
        if (m_VirtualTimeAllowed && m_VirtualTimeOn) {
            // Summed in 64 bits: the acceleration is whatever the operator typed.
            const qint64 sum = qint64(m_Counter) + m_Acceleration;
            m_Counter = (sum > COUNTER_LIMIT || sum < -qint64(COUNTER_LIMIT)) ? 0 : qint32(sum);
            now = f_UpdateVirtualTime();
        } else {
            now = CSystemClock::Now();
        }

        if (ToDayOffset(now) != ToDayOffset(m_LastTime))
            emit f_OnUpdateDate(now);
        const QTime t = now.time();
        const QTime last = m_LastTime.time();
        if (now.date().day() != m_LastTime.date().day() || t.hour() != last.hour()
            || t.minute() != last.minute())
            emit f_OnUpdateMinute(now);
        m_LastTime = now;

        if (m_Running)
            m_pTimer->start();
    });
}

QDateTime CVirtualTime::f_UpdateVirtualTime()
{
    if (m_BasedOnNow) {
        m_Counter = m_Counter > 0 ? m_Counter - 1 : 0;
        return CSystemClock::Now().addSecs(m_Counter);
    }
    return m_StartTime.addSecs(m_Counter);
}
