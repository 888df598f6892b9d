#include "CTransportLogAttribute.h"

CTransportLogAttribute::CTransportLogAttribute()
    : m_nID(0)
{
}

CTransportLogAttribute::CTransportLogAttribute(unsigned int id, const QString& name)
    : m_nID(id),
      m_Name(name)
{
}

void CTransportLogAttribute::SetAttribute(unsigned int id, const QString& name)
{
    m_nID = id;
    m_Name = name;
}
