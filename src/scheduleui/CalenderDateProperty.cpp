#include "CalenderDateProperty.h"

#include "CSystemClock.h"

CalenderDateProperty::CalenderDateProperty()
    : m_Label(nullptr)
    , m_Date(CSystemClock::Now())
    , m_Enabled(false)
    , m_PrevMonth(false)
    , m_NextMonth(false)
{
}

CalenderDateProperty::~CalenderDateProperty()
{
}
