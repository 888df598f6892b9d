#ifndef CDEVICEACCESSEVENT_H
#define CDEVICEACCESSEVENT_H

#include <QByteArray>
#include <QString>

// One queued request of the device access manager.
class CDeviceAccessEvent
{
public:
    // The timer kinds come only from another thread, which may not touch the
    // port's timers itself.
    enum Kind { KIND_SEND = 1, KIND_DISCONNECT = 2, KIND_TIMER_START = 3, KIND_TIMER_STOP = 4 };

    int m_nTargetID = 0;
    int m_nKind = KIND_SEND;
    QByteArray m_Data;
    int m_nParam1 = 0;
    int m_nParam2 = 0;
    QString m_Host;
    QString m_Port;
    bool m_bHasHost = false; // the caller passed a host text
    bool m_bHasPort = false; // the caller passed a port text
    bool m_bWait = false;
};

#endif // CDEVICEACCESSEVENT_H
