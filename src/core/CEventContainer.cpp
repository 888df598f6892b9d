#include "CEventContainer.h"

CEventContainer::CEventContainer(CEventBase* event)
    : m_pEvent(event)
{
}

CEventContainer::~CEventContainer()
{
}

CEventBase* CEventContainer::GetEvent() const
{
    return m_pEvent;
}
