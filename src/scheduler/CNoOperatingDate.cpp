#include "CNoOperatingDate.h"

#include "CDayOffset.h"
#include "ExceptionTrace.h"

int CNoOperatingDate::DayCount()
{
    static const int count = CDayOffset::ToDayOffset(QDate(2050, 12, 31)) + 1;
    return count;
}

CNoOperatingDate::CNoOperatingDate()
{
    m_Flags.resize(DayCount());
}

CNoOperatingDate::CNoOperatingDate(const CNoOperatingDate& other)
    : m_Flags(other.m_Flags)
{
}

CNoOperatingDate::~CNoOperatingDate()
{
    m_Flags.clear();
}

void CNoOperatingDate::Copy(const CNoOperatingDate& source)
{
    m_Flags = source.m_Flags;
}

void CNoOperatingDate::Clone(CNoOperatingDate& target) const
{
    target.m_Flags = m_Flags;
}

int CNoOperatingDate::ToDayOffset(const QDateTime& date)
{
    return CDayOffset::ToDayOffset(date);
}

QDateTime CNoOperatingDate::ToDateTime(int offset)
{
    return CDayOffset::ToDateTime(offset);
}

bool CNoOperatingDate::IsNoOperatingDate(int offset) const
{
    return InRange(offset) && m_Flags.testBit(offset);
}

bool CNoOperatingDate::IsNoOperatingDate(const QDateTime& date) const
{
    // A null date would count as offset 0 (2000-01-01); it names no day. (A
    // local time in a daylight-saving gap is "invalid" but still has its date.)
    return date.date().isValid() && IsNoOperatingDate(ToDayOffset(date));
}

void CNoOperatingDate::Add(int offset)
{
    if (InRange(offset) && !m_Flags.testBit(offset))
        RunTraced([&] { m_Flags.setBit(offset); });
}

void CNoOperatingDate::Add(const QDateTime& date)
{
    if (date.date().isValid())
        Add(ToDayOffset(date));
}

void CNoOperatingDate::Remove(int offset)
{
    if (InRange(offset) && m_Flags.testBit(offset))
        RunTraced([&] { m_Flags.clearBit(offset); });
}

void CNoOperatingDate::Remove(const QDateTime& date)
{
    if (date.date().isValid())
        Remove(ToDayOffset(date));
}
