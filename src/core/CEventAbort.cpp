#include "CEventAbort.h"

CEventAbort::CEventAbort()
{
    m_nEventKey = 0;
    m_nEventID = 0;
}

CEventAbort::~CEventAbort()
{
}
