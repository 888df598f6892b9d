#include "CPortBase.h"

CPortBase::CPortBase(QObject* parent)
    : CEventThread(parent)
{
    SetAutoStartEnd(true);

    m_DisconnectTimer.setSingleShot(true);
    m_DisconnectTimer.setInterval(DISCONNECT_TIMER_MSEC);
    m_ReceiveTimer.setSingleShot(true);
    m_ReceiveTimer.setInterval(RECEIVE_TIMER_MSEC);
    m_FrameTimer.setSingleShot(true);
    m_FrameTimer.setInterval(FRAME_TIMER_MSEC);
    connect(&m_DisconnectTimer, &QTimer::timeout, this, &CPortBase::f_OnDisconnectTimerTimeout,
            Qt::QueuedConnection);
    connect(&m_ReceiveTimer, &QTimer::timeout, this, &CPortBase::f_OnReceiveTimerTimeout,
            Qt::QueuedConnection);
    connect(&m_FrameTimer, &QTimer::timeout, this, &CPortBase::f_OnFrameTimerTimeout,
            Qt::QueuedConnection);
}

CPortBase::~CPortBase() = default;

void CPortBase::BeforeDelete()
{
}

void CPortBase::SetReceiveCompletedCondition(int type, int extra, int first, int last, int base,
                                             bool forwardBytes, bool msbFirst)
{
    m_Condition = CReceiveCondition::Make(type, extra, first, last, base, forwardBytes, msbFirst);
}

bool CPortBase::IsReceiveCompleted(const QByteArray& data) const
{
    return ::IsReceiveCompleted(data, m_Condition);
}

bool CPortBase::IsReceiveCompleted(const QByteArray& data, int type, int extra, int first, int last,
                                   int base, bool forwardBytes, bool msbFirst) const
{
    return ::IsReceiveCompleted(data, CReceiveCondition::Make(type, extra, first, last, base, forwardBytes, msbFirst));
}

int CPortBase::f_GetReceivedLength(const QByteArray& data, int first, int last, bool forwardBytes,
                                   bool msbFirst) const
{
    return GetReceivedBitFieldLength(data, first, last, forwardBytes, msbFirst);
}

int CPortBase::f_GetReceivedLength(const QByteArray& data, int first, int last, int base,
                                   bool forwardBytes) const
{
    return GetReceivedTextFieldLength(data, first, last, base, forwardBytes);
}

int CPortBase::f_GetReceivedLength(const QByteArray& data, int type, int first, int last, int base,
                                   bool forwardBytes, bool msbFirst) const
{
    return GetReceivedLength(data, CReceiveCondition::Make(type, 0, first, last, base, forwardBytes, msbFirst));
}

template <typename... Args>
void CPortBase::f_Tell(void (CPortListener::*told)(int, Args...), void (CPortBase::*signal)(int, Args...),
                       Args... args)
{
    if (m_pListener)
        (m_pListener->*told)(m_nKey, args...);
    if (f_Heard())
        (this->*signal)(m_nKey, args...);
}

// Counted for the port's own signals only; a disconnection of everything
// at once is not counted down, so the count errs on the side of emitting.
void CPortBase::connectNotify(const QMetaMethod& signal)
{
    if (signal.enclosingMetaObject() == &CPortBase::staticMetaObject)
        m_nHeard.ref();
    CEventThread::connectNotify(signal);
}

void CPortBase::disconnectNotify(const QMetaMethod& signal)
{
    if (signal.isValid() && signal.enclosingMetaObject() == &CPortBase::staticMetaObject)
        m_nHeard.deref();
    CEventThread::disconnectNotify(signal);
}

void CPortBase::f_OnDisconnectTimerTimeout()
{
    f_Tell(&CPortListener::PortDisconnectTimerTimeout, &CPortBase::DisconnectTimerTimeout);
}

void CPortBase::f_OnReceiveTimerTimeout()
{
    f_Tell(&CPortListener::PortReceiveTimerTimeout, &CPortBase::ReceiveTimerTimeout);
}

void CPortBase::f_OnFrameTimerTimeout()
{
    f_Tell(&CPortListener::PortFrameTimerTimeout, &CPortBase::FrameTimerTimeout);
}

void CPortBase::f_TellConnected()
{
    f_Tell(&CPortListener::PortConnected, &CPortBase::Connected);
}

void CPortBase::f_TellReadyRead()
{
    f_Tell(&CPortListener::PortReadyRead, &CPortBase::ReadyRead);
}

void CPortBase::f_TellDisconnected()
{
    f_Tell(&CPortListener::PortDisconnected, &CPortBase::Disconnected);
}

void CPortBase::f_TellError(int code)
{
    f_Tell(&CPortListener::PortError, &CPortBase::Error, code);
}

void CPortBase::f_TellStateChanged()
{
    f_Tell(&CPortListener::PortStateChanged, &CPortBase::StateChanged);
}
