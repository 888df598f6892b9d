#include "CCommandFunctionsEvent.h"

CCommandFunctionsEvent::CCommandFunctionsEvent(int key, int eventID, int target, int from, int act, int cmd,
                                               bool flag)
    : m_bFlag(flag), m_nTargetID(target), m_nFrom(from), m_nAct(act), m_nCmd(cmd)
{
    m_nEventKey = key;
    m_nEventID = eventID;
}
