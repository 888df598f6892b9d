// The commands that change a projector or read its adjustment values. Each
// runs the identification first and acts from step 5 on; an error or negative
// reply to one of its own requests ends it with that code.

#include "CCommandFunctions.h"

#include "CCommandFunctionsEvent.h"
#include "CDeviceAccess.h"
#include "CGainInfo.h"
#include "CProfile.h"
#include "CommandEngineCodes.h"

using namespace CommandEngineCode;

namespace {

const int STEP_FIRST = 6;
const int STEP_SECOND = 7;

// The input terminal one model family refuses with (1, 1) although it switches.
const int TERMINAL_REFUSED_BUT_TAKEN = 0x21;
const int NACK_1_1 = -111;
const int TERMINAL_COMPONENT = 0x12;
const int TERMINAL_COMPONENT_SENT = 0x10;

int ValueOf(CEventBase* event)
{
    return static_cast<CCommandFunctionsEventValue*>(event)->m_nValue;
}

void ShowTerminal(CProjectorData* record, int terminal)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StInputTerminal].FromInt(terminal);
    // Wide, so that no terminal number a caller passes can overflow.
    const qint64 t = qint64(terminal) - 1;
    st[CProjectorData::StInputTerminalNumber].FromInt(qint32(t % 5 + 1));
    st[CProjectorData::StInputTerminalType].FromInt(qint32(t / 5 + 1));
    record->m_InputTerminalKnown = true;
}

// One link of the scheduled mute chains: the on chain runs steps 6, 8, 10,
// the off chain 7, 9, 11.
struct MuteLink
{
    int flag;
    int request;
    int position;
};

MuteLink MuteLinkOf(int step)
{
    switch (step) {
    case 6: return {ProfileFlag::SetPicMuteOn, REQ_PICTURE_MUTE_ON, CProjectorData::StPictureMute};
    case 7: return {ProfileFlag::SetPicMuteOff, REQ_PICTURE_MUTE_OFF, CProjectorData::StPictureMute};
    case 8: return {ProfileFlag::SetSndMuteOn, REQ_SOUND_MUTE_ON, CProjectorData::StSoundMute};
    case 9: return {ProfileFlag::SetSndMuteOff, REQ_SOUND_MUTE_OFF, CProjectorData::StSoundMute};
    case 10: return {ProfileFlag::SetOsdMuteOn, REQ_OSD_MUTE_ON, CProjectorData::StOsdMute};
    default: return {ProfileFlag::SetOsdMuteOff, REQ_OSD_MUTE_OFF, CProjectorData::StOsdMute};
    }
}

const int MUTE_CHAIN_LAST = 11;

} // namespace

CProjectorData* CCommandFunctions::f_BeginValueStep(CEventBase* event, int key)
{
    const bool started = event->GetEventKey() == key;
    CProjectorData* record = f_BeginStep(event, key);
    if (record == nullptr)
        return nullptr;
    if (started)
        f_AppendTempParameterInt(record, ValueOf(event));
    return f_Identify(record) ? record : nullptr;
}

bool CCommandFunctions::f_RefuseInStandby(CProjectorData* record)
{
    if (!f_IsIn1WStandby(record))
        return false;
    record->m_Result = RESULT_ERROR;
    record->m_ErrorCode = ERROR_STANDBY;
    f_EndSequence(record, ERROR_STANDBY);
    return true;
}

void CCommandFunctions::SetPowerProc(CEventBase* event)
{
    CProjectorData* record = f_BeginValueStep(event, CCommandFunctionsEvent::KEY_SET_POWER);
    if (record == nullptr)
        return;
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED:
        // Power on is the one command a projector in 1 W standby takes.
        if (f_GetTempParameterInt(record, 0) == 1) {
            if (f_ProfileFlag(record, ProfileFlag::SetPowerOn)) {
                record->m_StepNo = STEP_FIRST;
                f_SendStatic(record, REQ_POWER_ON);
                return;
            }
        } else {
            if (f_RefuseInStandby(record))
                return;
            if (f_ProfileFlag(record, ProfileFlag::SetPowerOff)) {
                record->m_StepNo = STEP_SECOND;
                f_SendStatic(record, REQ_POWER_OFF);
                return;
            }
        }
        f_EndSequence(record, 0);
        return;
    case STEP_FIRST:
    case STEP_SECOND:
        f_StoreReceivedData(record, record->m_StepNo == STEP_FIRST ? REQ_POWER_ON : REQ_POWER_OFF);
        f_EndSequence(record, 0);
        return;
    default:
        f_EndSequence(record, 0);
        return;
    }
}

void CCommandFunctions::f_SetMuteSequence(CEventBase* event, int key, int onFlag, int onRequest, int offFlag,
                                          int offRequest, int position)
{
    CProjectorData* record = f_BeginValueStep(event, key);
    if (record == nullptr)
        return;
    const int value = f_GetTempParameterInt(record, 0);
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED:
        if (f_RefuseInStandby(record))
            return;
        if (value == 1 && f_ProfileFlag(record, onFlag)) {
            record->m_StepNo = STEP_FIRST;
            f_SendStatic(record, onRequest);
            return;
        }
        if (value != 1 && f_ProfileFlag(record, offFlag)) {
            record->m_StepNo = STEP_SECOND;
            f_SendStatic(record, offRequest);
            return;
        }
        f_EndSequence(record, 0);
        return;
    case STEP_FIRST:
    case STEP_SECOND:
        f_StoreReceivedData(record, record->m_StepNo == STEP_FIRST ? onRequest : offRequest);
        record->m_Status[position].FromInt(value == 1 ? 1 : 0);
        f_EndSequence(record, 0);
        return;
    default:
        f_EndSequence(record, 0);
        return;
    }
}

void CCommandFunctions::SetPictureMuteProc(CEventBase* event)
{
    f_SetMuteSequence(event, CCommandFunctionsEvent::KEY_SET_PICTURE_MUTE, ProfileFlag::SetPicMuteOn,
                      REQ_PICTURE_MUTE_ON, ProfileFlag::SetPicMuteOff, REQ_PICTURE_MUTE_OFF,
                      CProjectorData::StPictureMute);
}

void CCommandFunctions::SetSoundMuteProc(CEventBase* event)
{
    f_SetMuteSequence(event, CCommandFunctionsEvent::KEY_SET_SOUND_MUTE, ProfileFlag::SetSndMuteOn,
                      REQ_SOUND_MUTE_ON, ProfileFlag::SetSndMuteOff, REQ_SOUND_MUTE_OFF, CProjectorData::StSoundMute);
}

void CCommandFunctions::SetOSDMuteProc(CEventBase* event)
{
    f_SetMuteSequence(event, CCommandFunctionsEvent::KEY_SET_OSD_MUTE, ProfileFlag::SetOsdMuteOn, REQ_OSD_MUTE_ON,
                      ProfileFlag::SetOsdMuteOff, REQ_OSD_MUTE_OFF, CProjectorData::StOsdMute);
}

void CCommandFunctions::SetInputTerminalProc(CEventBase* event)
{
    const int key = CCommandFunctionsEvent::KEY_SET_INPUT_TERMINAL;
    const bool started = event->GetEventKey() == key;
    const auto* e = static_cast<const CCommandFunctionsEvent*>(event);
    CProjectorData* record = f_GetTarget(e->m_nTargetID);
    if (record == nullptr)
        return;
    // One model family answers this terminal with a negative reply (1, 1)
    // although it switches to it.
    if (!started && record->m_StepNo == STEP_FIRST && record->m_Result == RESULT_NACK
        && record->m_ErrorCode == NACK_1_1 && f_GetTempParameterInt(record, 0) == TERMINAL_REFUSED_BUT_TAKEN
        && record->m_Profile != nullptr && (record->m_Profile->m_ModelCode >> 8) == 0x060005u) {
        ShowTerminal(record, TERMINAL_REFUSED_BUT_TAKEN);
        record->m_Result = RESULT_ACK;
        record->m_ErrorCode = 0;
        f_EndSequence(record, 0);
        return;
    }
    record = f_BeginValueStep(event, key);
    if (record == nullptr)
        return;
    const int terminal = f_GetTempParameterInt(record, 0);
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED: {
        const int sent = terminal == TERMINAL_COMPONENT && f_NeedExchangeComponentTerminal(record)
                             ? TERMINAL_COMPONENT_SENT
                             : terminal;
        if (f_RefuseInStandby(record))
            return;
        if (f_ProfileFlag(record, ProfileFlag::SetInputTerminal)) {
            record->m_StepNo = STEP_FIRST;
            f_SendStaticBytes(record, REQ_INPUT_TERMINAL, {sent});
            return;
        }
        f_EndSequence(record, 0);
        return;
    }
    case STEP_FIRST:
        f_StoreReceivedData(record, REQ_INPUT_TERMINAL);
        // The list shows the terminal asked for, not the code that was sent.
        ShowTerminal(record, terminal);
        f_EndSequence(record, 0);
        return;
    default:
        f_EndSequence(record, 0);
        return;
    }
}

void CCommandFunctions::SetFreezeProc(CEventBase* event)
{
    CProjectorData* record = f_BeginValueStep(event, CCommandFunctionsEvent::KEY_SET_FREEZE);
    if (record == nullptr)
        return;
    const int value = f_GetTempParameterInt(record, 0);
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED:
        if (f_RefuseInStandby(record))
            return;
        if (record->m_Profile != nullptr && record->m_Profile->m_FreezeSupported == 1) {
            record->m_StepNo = STEP_FIRST;
            f_SendStaticBytes(record, REQ_FREEZE, {value});
            return;
        }
        f_EndSequence(record, 0);
        return;
    case STEP_FIRST:
        f_StoreReceivedData(record, REQ_FREEZE);
        record->m_Status[CProjectorData::StFreeze].FromBool(value == 1);
        f_EndSequence(record, 0);
        return;
    default:
        f_EndSequence(record, 0);
        return;
    }
}

void CCommandFunctions::SetMuteAllScheduleProc(CEventBase* event)
{
    CProjectorData* record = f_BeginValueStep(event, CCommandFunctionsEvent::KEY_SET_MUTE_ALL_SCHEDULE);
    if (record == nullptr)
        return;
    const bool on = f_GetTempParameterInt(record, 0) == 1;
    const int step = record->m_StepNo;
    if (step == STEP_IDENTIFIED) {
        const int first = on ? 6 : 7;
        bool any = false;
        for (int s = first; s <= MUTE_CHAIN_LAST; s += 2)
            any = any || f_ProfileFlag(record, MuteLinkOf(s).flag);
        if (!any) {
            record->m_Result = RESULT_ERROR;
            record->m_ErrorCode = ERROR_MISMATCH;
            f_EndSequence(record, ERROR_MISMATCH);
            return;
        }
        if (f_RefuseInStandby(record))
            return;
        record->m_StepNo = first;
        f_MuteChainNext(record);
        return;
    }
    if (step < STEP_FIRST || step > MUTE_CHAIN_LAST) {
        f_EndSequence(record, 0);
        return;
    }
    // The reply to this step's mute request.
    const MuteLink link = MuteLinkOf(step);
    f_StoreReceivedData(record, link.request);
    record->m_Status[link.position].FromInt(on ? 1 : 0);
    record->m_StepNo = step + 2;
    f_MuteChainNext(record);
}

// Sends the request of the first supported link from the current step on, or
// ends the chain.
void CCommandFunctions::f_MuteChainNext(CProjectorData* record)
{
    while (record->m_StepNo <= MUTE_CHAIN_LAST) {
        const MuteLink link = MuteLinkOf(record->m_StepNo);
        if (f_ProfileFlag(record, link.flag)) {
            f_SendStatic(record, link.request);
            return;
        }
        record->m_StepNo += 2;
    }
    f_EndSequence(record, 0);
}

void CCommandFunctions::SetGainProc(CEventBase* event)
{
    const bool started = event->GetEventKey() == CCommandFunctionsEvent::KEY_SET_GAIN;
    CProjectorData* record = f_BeginStep(event, CCommandFunctionsEvent::KEY_SET_GAIN);
    if (record == nullptr)
        return;
    if (started) {
        const auto* e = static_cast<CCommandFunctionsEventSetGain*>(event);
        f_AppendTempParameterUChar(record, quint8(e->m_nFirst));
        f_AppendTempParameterUChar(record, quint8(e->m_nSecond));
        f_AppendTempParameterUChar(record, quint8(e->m_nFourth));
        f_AppendTempParameterUChar(record, quint8(e->m_nThird & 0xFF));
        f_AppendTempParameterUChar(record, quint8((e->m_nThird >> 8) & 0xFF));
    }
    if (!f_Identify(record))
        return;
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED: {
        if (f_RefuseInStandby(record))
            return;
        QList<int> bytes;
        for (int i = 0; i < 5; ++i)
            bytes << f_GetTempParameterUChar(record, i);
        const int kind = bytes.at(0);
        if (kind < CGainInfo::KindAudioVolume && f_ProfileFlag(record, ProfileFlag::SetGainPicture)) {
            record->m_StepNo = STEP_FIRST;
            f_SendStaticBytes(record, REQ_GAIN_SET_PICTURE, bytes);
            return;
        }
        if (kind == CGainInfo::KindAudioVolume && f_ProfileFlag(record, ProfileFlag::SetGainVolume)) {
            record->m_StepNo = STEP_SECOND;
            f_SendStaticBytes(record, REQ_GAIN_SET_VOLUME, bytes);
            return;
        }
        f_EndSequence(record, 0);
        return;
    }
    case STEP_FIRST:
    case STEP_SECOND:
        f_StoreReceivedData(record, record->m_StepNo == STEP_FIRST ? REQ_GAIN_SET_PICTURE : REQ_GAIN_SET_VOLUME);
        f_EndSequence(record, 0);
        return;
    default:
        f_EndSequence(record, 0);
        return;
    }
}

namespace {

void ClearGainValues(CGainInfo* gain)
{
    for (CVariantParameter* v : {&gain->m_Kind, &gain->m_Index, &gain->m_Max, &gain->m_Min, &gain->m_Current,
                                 &gain->m_DefaultKnown, &gain->m_Default, &gain->m_Status})
        v->ClearSetState(false);
}

} // namespace

void CCommandFunctions::GetGainProc(CEventBase* event)
{
    const bool started = event->GetEventKey() == CCommandFunctionsEvent::KEY_GET_GAIN;
    if (started) {
        const auto* e = static_cast<const CCommandFunctionsEventGetGain*>(event);
        CProjectorData* record = f_GetTarget(e->m_nTargetID);
        if (record == nullptr || f_PoolCheck(record))
            return;
        record->m_CommandId = CCommandFunctionsEvent::KEY_GET_GAIN;
        f_StoreReturnParameter(record, event);
        f_ClearTempParameter(record);
        bool cached = e->m_bFlag;
        for (int key : e->m_Keys) {
            const CGainInfo* gain = record->m_GainInfo.value(key, nullptr);
            if (cached && gain != nullptr && !f_IsGainInfoKnown(gain))
                cached = false;
        }
        if (e->m_Keys.isEmpty() || cached) {
            f_CompleteAtOnce(record);
            return;
        }
        for (int key : e->m_Keys) {
            if (CGainInfo* gain = record->m_GainInfo.value(key, nullptr))
                ClearGainValues(gain);
        }
        f_AppendTempParameterInt(record, e->m_Keys.size());
        for (int key : e->m_Keys)
            f_AppendTempParameterInt(record, key);
        if (!f_Identify(record))
            return;
    } else {
        CProjectorData* record = f_BeginStep(event, CCommandFunctionsEvent::KEY_GET_GAIN);
        if (record == nullptr || !f_Identify(record))
            return;
    }
    CProjectorData* record = f_GetTarget(static_cast<const CCommandFunctionsEvent*>(event)->m_nTargetID);
    if (record == nullptr)
        return;
    const int step = record->m_StepNo;
    if (step == STEP_IDENTIFIED) {
        if (f_RefuseInStandby(record))
            return;
        record->m_StepNo = STEP_FIRST;
        f_GetGainNext(record);
        return;
    }
    // The reply to the request for key number step - 5, read as the status
    // update reads it: a reply that cannot be stored ends the command.
    int result = record->m_Result;
    int code = record->m_ErrorCode;
    f_GetGainSequenceProc(record, &result, &code);
    if (result != RESULT_ACK) {
        record->m_Result = result;
        record->m_ErrorCode = code;
        f_EndSequence(record, code);
        return;
    }
    record->m_StepNo = step + 1;
    f_GetGainNext(record);
}

// Sends the request for the key of the current step when its kind can be
// read; a kind that cannot shows zeros. Ends after the last key.
void CCommandFunctions::f_GetGainNext(CProjectorData* record)
{
    const int count = f_GetTempParameterInt(record, 0);
    while (record->m_StepNo <= count + STEP_IDENTIFIED) {
        const int key = f_GetTempParameterInt(record, record->m_StepNo - STEP_IDENTIFIED);
        const int kind = key >> 8;
        const bool supported = (kind >= 0 && kind < CGainInfo::KindAudioVolume
                                && f_ProfileFlag(record, ProfileFlag::ReqGainPicture))
                               || (kind == CGainInfo::KindAudioVolume
                                   && f_ProfileFlag(record, ProfileFlag::ReqGainVolume));
        if (supported) {
            const int index = f_ProfileFlag(record, ProfileFlag::UseNewCommandReqGainParameter) ? REQ_GAIN_GET_NEW
                                                                                                 : REQ_GAIN_GET;
            f_SendStaticBytes(record, index, {kind, key & 0xFF, 1});
            return;
        }
        CGainInfo* shown = record->m_GainInfo.value(key, nullptr);
        if (shown == nullptr) {
            shown = new CGainInfo();
            record->m_GainInfo.insert(key, shown);
        }
        *shown = CGainInfo();
        shown->m_Kind.FromInt(kind);
        shown->m_Index.FromInt(key & 0xFF);
        record->m_StepNo += 1;
    }
    f_EndSequence(record, 0);
}

bool CCommandFunctions::f_IsReadingGain(const CProjectorData* record, int key)
{
    if (record == nullptr || record->m_CommandId != CCommandFunctionsEvent::KEY_GET_GAIN
        || record->m_StepNo == STEP_IDLE)
        return false;
    // Key number i is asked at step i + 5 and its value stored as the step moves on.
    const int count = f_GetTempParameterInt(record, 0);
    for (int i = 1; i <= count; ++i) {
        if (f_GetTempParameterInt(record, i) == key)
            return record->m_StepNo <= i + STEP_IDENTIFIED;
    }
    return false;
}

void CCommandFunctions::SetProjectorNameProc(CEventBase* event)
{
    const bool started = event->GetEventKey() == CCommandFunctionsEvent::KEY_SET_PROJECTOR_NAME;
    CProjectorData* record = f_BeginStep(event, CCommandFunctionsEvent::KEY_SET_PROJECTOR_NAME);
    if (record == nullptr)
        return;
    if (started) {
        record->m_Status[CProjectorData::StProjectorName].ClearSetState(false);
        f_AppendTempParameterString(record,
                                    f_WithBackslash(static_cast<CCommandFunctionsEventSetProjectorName*>(event)->m_Name));
    }
    if (!f_Identify(record))
        return;
    switch (record->m_StepNo) {
    case STEP_IDENTIFIED: {
        if (f_RefuseInStandby(record))
            return;
        record->m_StepNo = STEP_FIRST;
        if (f_ProfileFlag(record, ProfileFlag::SetProjectorName)) {
            QList<CVariantParameter> params;
            params.append(CVariantParameter());
            params.last().FromString(f_GetTempParameterString(record, 0));
            f_SendStatic(record, REQ_PROJECTOR_NAME_SET, &params);
            return;
        }
    }
        Q_FALLTHROUGH();
    case STEP_FIRST:
        record->m_StepNo = STEP_SECOND;
        if (f_ProfileFlag(record, ProfileFlag::ReqProjectorName)) {
            f_SendStatic(record, REQ_PROJECTOR_NAME);
            return;
        }
        record->m_Status[CProjectorData::StProjectorName].FromString(QString(""));
        f_EndSequence(record, 0);
        return;
    case STEP_SECOND: {
        int result = record->m_Result;
        int code = record->m_ErrorCode;
        f_GetPjNameSequenceProc(record, &result, &code);
        record->m_Result = result;
        record->m_ErrorCode = code;
        f_EndSequence(record, result == RESULT_ACK ? 0 : code);
        return;
    }
    default:
        f_EndSequence(record, 0);
        return;
    }
}
