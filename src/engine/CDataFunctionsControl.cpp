// Log, mail and schedule control requests: each passes its values on to one
// of the workers the dispatcher owns.
#include "CDataFunctions.h"
#include "ExceptionTrace.h"

#include "CDataFunctionsEvent.h"
#include "CSMTPSend.h"
#include "CSchedule.h"
#include "CTransportLog.h"

#include <QDebug>

namespace {

// The log and schedule handlers keep a failure of their worker to themselves.
template <typename Call>
void guarded(Call call)
{
    RunTraced(false, [&] {
        call();
        return true;
    });
}

} // namespace

void CDataFunctions::AddLogProc(CEventBase* event)
{
    CTransportLogParameter parameter = static_cast<CDataFunctionsEventAddLog*>(event)->m_LogParameter;
    guarded([&] {
        if (m_pTransportLog)
            m_pTransportLog->AddLog(parameter);
    });
}

void CDataFunctions::ChangeLogPathProc(CEventBase* event)
{
    const QString path = static_cast<CDataFunctionsEventChangeLogPath*>(event)->m_Path;
    guarded([&] {
        if (m_pTransportLog)
            m_pTransportLog->LogPath(path);
    });
}

void CDataFunctions::LogEnableProc(CEventBase* event)
{
    const bool enabled = static_cast<CDataFunctionsEventLogEnable*>(event)->m_bEnabled;
    guarded([&] {
        if (m_pTransportLog)
            m_pTransportLog->LogEnabled(enabled);
    });
}

void CDataFunctions::SMTPSendProc(CEventBase* event)
{
    auto* request = static_cast<CDataFunctionsEventSMTPSend*>(event);
    if (m_pSMTPSend)
        m_pSMTPSend->SMTPSend(request->m_MailSettings, request->m_Subject, request->m_Body, request->m_bTestMail);
}

void CDataFunctions::ScheduleStartProc(CEventBase* event)
{
    const QDateTime start = static_cast<CDataFunctionsEventScheduleStart*>(event)->m_StartTime;
    guarded([&] {
        if (m_pSchedule)
            m_pSchedule->RequestScheduleStart(start);
    });
}

void CDataFunctions::ScheduleStopProc(CEventBase* /*event*/)
{
    guarded([&] {
        if (m_pSchedule)
            m_pSchedule->RequestScheduleStop();
    });
}

void CDataFunctions::ScheduleLogEnableProc(CEventBase* event)
{
    const bool enabled = static_cast<CDataFunctionsEventScheduleLogEnable*>(event)->m_bEnabled;
    guarded([&] {
        if (m_pSchedule)
            m_pSchedule->RequestScheduleLogEnable(enabled);
    });
}

void CDataFunctions::ScheduleChangeLogPathProc(CEventBase* event)
{
    const QString path = static_cast<CDataFunctionsEventScheduleChangeLogPath*>(event)->m_Path;
    guarded([&] {
        if (m_pSchedule)
            m_pSchedule->RequestScheduleChangeLogPath(path);
    });
}

void CDataFunctions::f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail)
{
    emit CompletedMailSignal(result, isTestMail);
}
