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
    emit DisconnectTimerTimeout(m_nKey);
}

void CPortBase::f_OnReceiveTimerTimeout()
{
    emit ReceiveTimerTimeout(m_nKey);
}

void CPortBase::f_OnFrameTimerTimeout()
{
    emit FrameTimerTimeout(m_nKey);
}
