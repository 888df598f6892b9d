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

void CPortBase::f_OnDisconnectTimerTimeout()
{
    if (m_pListener)
        m_pListener->PortDisconnectTimerTimeout(m_nKey);
    emit DisconnectTimerTimeout(m_nKey);
}

void CPortBase::f_OnReceiveTimerTimeout()
{
    if (m_pListener)
        m_pListener->PortReceiveTimerTimeout(m_nKey);
    emit ReceiveTimerTimeout(m_nKey);
}

void CPortBase::f_OnFrameTimerTimeout()
{
    if (m_pListener)
        m_pListener->PortFrameTimerTimeout(m_nKey);
    emit FrameTimerTimeout(m_nKey);
}

void CPortBase::f_TellConnected()
{
    if (m_pListener)
        m_pListener->PortConnected(m_nKey);
    emit Connected(m_nKey);
}

void CPortBase::f_TellReadyRead()
{
    if (m_pListener)
        m_pListener->PortReadyRead(m_nKey);
    emit ReadyRead(m_nKey);
}

void CPortBase::f_TellDisconnected()
{
    if (m_pListener)
        m_pListener->PortDisconnected(m_nKey);
    emit Disconnected(m_nKey);
}

void CPortBase::f_TellError(int code)
{
    if (m_pListener)
        m_pListener->PortError(m_nKey, code);
    emit Error(m_nKey, code);
}

void CPortBase::f_TellStateChanged()
{
    if (m_pListener)
        m_pListener->PortStateChanged(m_nKey);
    emit StateChanged(m_nKey);
}
