#ifndef CTRANSPORTLOGEVENT_H
#define CTRANSPORTLOGEVENT_H

#include <QString>

#include "CEventBase.h"
#include "CTransportLogParameter.h"

// Requests of the communication log writer.
class CTransportLogEvent : public CEventBase
{
public:
    enum Key { KEY_ADD = 1, KEY_PATH = 2, KEY_ENABLED = 3 };
};

class CTransportLogEventAdd : public CTransportLogEvent
{
public:
    explicit CTransportLogEventAdd(const CTransportLogParameter& parameter)
        : m_Parameter(parameter)
    {
        m_nEventKey = KEY_ADD;
    }
    CTransportLogParameter m_Parameter;
};

class CTransportLogEventPath : public CTransportLogEvent
{
public:
    explicit CTransportLogEventPath(const QString& folder)
        : m_Folder(folder)
    {
        m_nEventKey = KEY_PATH;
    }
    QString m_Folder;
};

class CTransportLogEventEnabled : public CTransportLogEvent
{
public:
    explicit CTransportLogEventEnabled(bool enabled)
        : m_bEnabled(enabled)
    {
        m_nEventKey = KEY_ENABLED;
    }
    bool m_bEnabled;
};

#endif // CTRANSPORTLOGEVENT_H
