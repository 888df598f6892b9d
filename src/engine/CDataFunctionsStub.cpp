// Stub mode: requests whose command id is stubbed are answered without a
// projector. Log, mail and schedule requests still run; projector requests
// get a simulated connection and the stubbed result per target.
#include "CDataFunctions.h"
#include "ExceptionTrace.h"

#include "CDataFunctionsEvent.h"
#include "CGetTickMSec.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"

#include <memory>

bool CDataFunctions::f_IsOfflineMode() const
{
    return m_pLumivox5Data && m_pLumivox5Data->m_Offline && m_pLumivox5Data->m_OfflineMenu;
}

void CDataFunctions::SetStubData(int id, const CProjectorData& data)
{
    if (!m_pLumivox5Data)
        return;
    if (CProjectorData* record = m_pLumivox5Data->GetProjectorData(id))
        *record = data;
}

void CDataFunctions::f_StubSetDataThreadEvent(int cmd, QList<CVariantParameter>* params, int from, int act,
                                              QList<int>* targets, bool cache, bool /*log*/)
{
    // Control requests still run: the record their creator builds (without
    // targets or trace line), handed straight to their handler.
    const struct {
        int cmd;
        CreateFunction creator;
        EventFunction handler;
    } controls[] = {
        {137, &CDataFunctions::f_CreateEventAddLog, &CDataFunctions::AddLogProc},
        {138, &CDataFunctions::f_CreateEventChangeLogPath, &CDataFunctions::ChangeLogPathProc},
        {139, &CDataFunctions::f_CreateEventLogEnable, &CDataFunctions::LogEnableProc},
        {141, &CDataFunctions::f_CreateEventSMTPSend, &CDataFunctions::SMTPSendProc},
        {144, &CDataFunctions::f_CreateEventScheduleStart, &CDataFunctions::ScheduleStartProc},
        {145, &CDataFunctions::f_CreateEventScheduleStop, &CDataFunctions::ScheduleStopProc},
        {146, &CDataFunctions::f_CreateEventScheduleChangeLogPath, &CDataFunctions::ScheduleChangeLogPathProc},
        {147, &CDataFunctions::f_CreateEventScheduleLogEnable, &CDataFunctions::ScheduleLogEnableProc},
        {148, &CDataFunctions::f_CreateEventScheduleExecute, &CDataFunctions::ScheduleExecuteProc},
        {149, &CDataFunctions::f_CreateEventCommandCompletedSchedule, &CDataFunctions::CommandCompletedProcSchedule},
        {150, &CDataFunctions::f_CreateEventCommandErrorEndSchedule, &CDataFunctions::CommandErrorEndProcSchedule},
    };
    for (const auto& control : controls) {
        if (control.cmd != cmd)
            continue;
        // Only the schedule stop needs no parameter.
        if (params == nullptr && cmd != 145)
            return;
        RunTraced([&] {
            std::unique_ptr<CEventBase> record((this->*control.creator)(cmd, act, params, from, nullptr, cache, false));
            (this->*control.handler)(record.get());
        });
        return;
    }

    // A projector request, whatever its act.
    if (targets == nullptr)
        return;
    const QList<int> ids = *targets;
    auto record = [this](int id) { return m_pLumivox5Data ? m_pLumivox5Data->GetProjectorData(id) : nullptr; };

    for (int id : ids) {
        if (CProjectorData* pj = record(id))
            pj->m_ConnectState = 1;
        emit TransportStateUpdate(id);
    }

    // The views see the connecting state for at least one tick.
    const qint64 first = CGetTickMSec::GetTickMSec();
    while (CGetTickMSec::GetTickMSec() == first) {
    }

    const StubEntry entry = m_StubTable.at(cmd);
    for (int id : ids) {
        if (CProjectorData* pj = record(id))
            pj->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        emit TransportStateUpdate(id);
        // Looked up again: a receiver may have removed the projector.
        CProjectorData* pj = record(id);
        if (entry.value != 0)
            emit UpdateError(entry.text, pj ? pj->GetSettingString() : QString(""), entry.value, cmd, from, act, id);
        else
            emit UpdateTiming(cmd, from, act, id);
    }
}
