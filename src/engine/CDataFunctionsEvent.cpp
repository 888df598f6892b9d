#include "CDataFunctionsEvent.h"

CDataFunctionsEvent::CDataFunctionsEvent(int key)
{
    m_nEventKey = key;
}

CDataFunctionsEvent::~CDataFunctionsEvent()
{
}

CDataFunctionsEventUpdateAllConnections::CDataFunctionsEventUpdateAllConnections()
    : CDataFunctionsEvent(KEY_UPDATE_ALL_CONNECTIONS)
{
}

CDataFunctionsEventUpdateAllConnections::~CDataFunctionsEventUpdateAllConnections()
{
    // The handler frees the copies; a record dropped before it ran does it here.
    DeleteLists();
}

void CDataFunctionsEventUpdateAllConnections::DeleteLists()
{
    delete m_lstModifyOnly;
    m_lstModifyOnly = nullptr;
    delete m_lstDelete;
    m_lstDelete = nullptr;
}
