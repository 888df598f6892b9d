#include "CTransportLogParameter.h"

#include "CLocalClock.h"

CTransportLogParameter::CTransportLogParameter()
    : m_Time(CLocalClock::Now()),
      m_nAttribute(ATTR_FREE),
      m_nSize(0)
{
}

CTransportLogParameter::CTransportLogParameter(const CTransportLogParameter& other)
    : m_nAttribute(ATTR_FREE),
      m_nSize(0)
{
    f_Copy(other);
}

CTransportLogParameter& CTransportLogParameter::operator=(const CTransportLogParameter& other)
{
    if (this != &other)
        f_Copy(other);
    return *this;
}

void CTransportLogParameter::f_Copy(const CTransportLogParameter& other)
{
    m_Time = other.m_Time;
    m_nAttribute = other.m_nAttribute;
    m_Target = other.m_Target;
    m_Data = other.m_Data;
    m_nSize = other.m_nSize;
    m_Text = other.m_Text;
}

void CTransportLogParameter::SetFreeParameters(const QDateTime& time, const QString& target,
                                               const QString& text)
{
    m_Time = time;
    m_nAttribute = ATTR_FREE;
    m_Target = target;
    m_Data.clear();
    m_nSize = 0;
    m_Text = text;
}

void CTransportLogParameter::SetStandardParameters(const QDateTime& time, int attribute,
                                                   const QString& target, QByteArray& data,
                                                   int size)
{
    m_Time = time;
    m_nAttribute = attribute;
    m_Target = target;
    m_Data = data;
    m_nSize = size;
    m_Text.clear();
}
