#include "CEventBase.h"

CEventBase::CEventBase()
    : m_nEventID(0),
      m_nEventKey(0)
{
}

CEventBase::CEventBase(const CEventBase& other)
    : m_nEventID(0),
      m_nEventKey(0)
{
    f_Copy(other);
}

CEventBase::~CEventBase()
{
}

CEventBase& CEventBase::operator=(const CEventBase& other)
{
    if (this != &other)
        f_Copy(other);
    return *this;
}

int CEventBase::GetEventKey() const
{
    return m_nEventKey;
}

int CEventBase::GetEventID() const
{
    return m_nEventID;
}

void CEventBase::SetEventID(int id)
{
    m_nEventID = id;
}

void CEventBase::f_Copy(const CEventBase& other)
{
    m_nEventID = other.m_nEventID;
    m_nEventKey = other.m_nEventKey;
}
