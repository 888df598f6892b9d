// The status update: reads everything the model's profile says it can tell
// into the projector record, one request per step after the identification.

#include "CCommandFunctions.h"

#include <QTextCodec>

#include "CCommandFunctionsEvent.h"
#include "CDeviceAccess.h"
#include "CGainInfo.h"
#include "CProfile.h"
#include "CommandEngineCodes.h"

using namespace CommandEngineCode;

namespace {

// Temporary parameters of the status update.
const int TEMP_LAMP_UNSUPPORTED = 0;
const int TEMP_LAMP_FAILURE = 1;
const int TEMP_SIGNAL_FAILURE = 2;
const int TEMP_MAC3_NACK = 3;

// Negative-reply codes with a meaning of their own here.
const int NACK_0_0 = -100;
const int NACK_0_1 = -101;
const int NACK_1_0 = -110;
const int NACK_2_3 = -123;
const int NACK_OTHER_CLASS = -190;

const int FILTER_ALARM_WHEN_UNKNOWN = 360000;
const int POWER_STATUS_LAMP_LESS = 5;

const char* const NO_TEXT = "---";

// Positions written by the status update; their set state is cleared when it
// starts and checked by a cached update.
const int CACHED_POSITIONS[] = {
    CProjectorData::StProjectorName, CProjectorData::StLampMode, CProjectorData::StLensCover,
    CProjectorData::StLamp1Info, CProjectorData::StLamp1Usage, CProjectorData::StLamp1Remaining,
    CProjectorData::StLamp1Value, CProjectorData::StLamp2Info, CProjectorData::StLamp2Usage,
    CProjectorData::StLamp2Remaining, CProjectorData::StLamp2Value, CProjectorData::StMacAddress1,
    CProjectorData::StMacAddress2, CProjectorData::StMacAddress3, CProjectorData::StMacValid1,
    CProjectorData::StMacValid2, CProjectorData::StMacValid3, CProjectorData::StFilterInfo,
    CProjectorData::StFilterUsed, CProjectorData::StFilterAlarm, CProjectorData::StSignalName,
    CProjectorData::StFreqHorizontal, CProjectorData::StFreqVertical, CProjectorData::StSyncPolarity,
    CProjectorData::StErrorWordA, CProjectorData::StErrorData56, CProjectorData::StErrorData7,
    CProjectorData::StErrorData8, CProjectorData::StErrorWordB,
};

const int GAIN_KEYS[] = {0, 256, 512, 768, 1024, 1280};

bool Positive(const int* result)
{
    return *result == CCommandFunctions::RESULT_ACK;
}

// A reply that is not positive: an error unless it was a negative reply; the
// code stays the record's error code.
void NotPositive(int* result)
{
    if (*result != CCommandFunctions::RESULT_NACK)
        *result = CCommandFunctions::RESULT_ERROR;
}

void Failed(int* result, int* code, int failure)
{
    *result = CCommandFunctions::RESULT_ERROR;
    *code = failure;
}

void Succeeded(int* result, int* code)
{
    *result = CCommandFunctions::RESULT_ACK;
    *code = 0;
}

bool IsNack(const int* result, const int* code, int nack)
{
    return *result == CCommandFunctions::RESULT_NACK && *code == nack;
}

// A sum of two 32-bit counters that stays in range.
qint32 Saturated(qint64 value)
{
    return qint32(qBound(qint64(INT32_MIN), value, qint64(INT32_MAX)));
}

// Whether the reply repeats the request's data bytes 5 up to `last`.
bool EchoMatches(const CProjectorData* record, int last = 5)
{
    const QByteArray& sent = record->m_SendFrame;
    const QByteArray& reply = record->m_ReceiveFrame;
    return sent.size() > last && reply.size() > last && sent.mid(5, last - 4) == reply.mid(5, last - 4);
}

bool IsGainStep(int step)
{
    return step >= 37 && step <= 48;
}

void SetNoText(CVariantParameter* st, int position)
{
    static const QString noText = QString::fromLatin1(NO_TEXT);
    st[position].FromString(noText);
}

} // namespace

// ---------------------------------------------------------------------------
// Model checks

bool CCommandFunctions::f_NeedExchangeComponentTerminal(CProjectorData* record)
{
    const CProfile* profile = record->m_Profile;
    if (profile == nullptr)
        return false;
    const quint32 code = profile->m_ModelCode;
    const int b1 = int(code >> 24);
    const int b2 = int((code >> 16) & 0xFF);
    const int b3 = int((code >> 8) & 0xFF);
    if (b1 != 0x08)
        return false;
    if (b2 == 0x00)
        return b3 == 0x07 || b3 == 0x09 || b3 == 0x10 || b3 == 0x11;
    if (b2 == 0x01)
        return b3 == 0x09 || b3 == 0x10 || b3 == 0x11;
    return false;
}

bool CCommandFunctions::f_IsMacAddressAvailable(CProjectorData* record, const QByteArray& mac)
{
    if (mac.size() < 6 || mac.left(6) == QByteArray(6, '\0'))
        return false;
    const CProfile* profile = record->m_Profile;
    if (profile == nullptr)
        return true;
    const quint32 code = profile->m_ModelCode;
    if (code == 0x02000600u && mac.left(6) == QByteArray::fromHex("D40100EA1D00"))
        return false;
    if (((code >> 8) == 0x020005u || (code >> 8) == 0x060005u) && mac.left(6) == QByteArray::fromHex("6F0100EA1D00"))
        return false;
    return true;
}

// ---------------------------------------------------------------------------
// Preparations

bool CCommandFunctions::f_PreparationGetPjName(CProjectorData* record)
{
    record->m_Status[CProjectorData::StProjectorName].FromString(QString(""));
    return f_ProfileFlag(record, ProfileFlag::ReqProjectorName);
}

namespace {

bool PrepareMac(CProjectorData* record, int n, bool supported)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StMacAddress1 + n].FromByteArray(QByteArray(6, '\0'));
    st[CProjectorData::StMacValid1 + n].FromBool(false);
    return record->m_DeviceKind == 0 && supported;
}

} // namespace

bool CCommandFunctions::f_PreparationGetMacAddress(CProjectorData* record)
{
    return PrepareMac(record, 0, f_ProfileFlag(record, ProfileFlag::ReqMACAddress));
}

bool CCommandFunctions::f_PreparationGetMacAddress2(CProjectorData* record)
{
    return PrepareMac(record, 1, f_ProfileFlag(record, ProfileFlag::ReqMACAddress));
}

bool CCommandFunctions::f_PreparationGetMacAddress3(CProjectorData* record)
{
    return PrepareMac(record, 2, f_ProfileFlag(record, ProfileFlag::ReqMACAddress3));
}

bool CCommandFunctions::f_PreparationGetLampMode(CProjectorData* record)
{
    record->m_Status[CProjectorData::StLampMode].FromInt(0);
    return f_ProfileFlag(record, ProfileFlag::ReqLampMode);
}

bool CCommandFunctions::f_PreparationGetCoverStatus(CProjectorData* record)
{
    record->m_Status[CProjectorData::StLensCover].FromInt(0);
    return f_ProfileFlag(record, ProfileFlag::ChkLensCoverSts);
}

bool CCommandFunctions::f_PreparationGetLamp1Time37_1(CProjectorData* record)
{
    return f_ProfileFlag(record, ProfileFlag::ReqRemainingLampTime)
           && !f_ProfileFlag(record, ProfileFlag::UseNewCommandReqRemainingLampTime);
}

bool CCommandFunctions::f_PreparationGetLamp1Usage37_4(CProjectorData* record)
{
    return f_ProfileFlag(record, ProfileFlag::UseNewCommandReqRemainingLampTime);
}

bool CCommandFunctions::f_PreparationGetLamp2Usage37_4(CProjectorData* record)
{
    return f_ProfileFlag(record, ProfileFlag::ReqRemainingLamp2Time);
}

bool CCommandFunctions::f_PreparationGetFilterUsage(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StFilterInfo].FromUChar(CProjectorData::INFO_NOT_AVAILABLE);
    st[CProjectorData::StFilterUsed].FromLong(-1);
    st[CProjectorData::StFilterAlarm].FromLong(-1);
    return f_ProfileFlag(record, ProfileFlag::ReqRemainingFilterUsage);
}

bool CCommandFunctions::f_PreparationGetInputHeader(CProjectorData* record)
{
    SetNoText(record->m_Status, CProjectorData::StSignalName);
    return f_ProfileFlag(record, ProfileFlag::ReqSourceName);
}

bool CCommandFunctions::f_PreparationGetInfoStringReqFreqH(CProjectorData* record)
{
    SetNoText(record->m_Status, CProjectorData::StFreqHorizontal);
    return f_ProfileFlag(record, ProfileFlag::ReqHorizontalFrequency);
}

bool CCommandFunctions::f_PreparationGetInfoStringReqFreqV(CProjectorData* record)
{
    SetNoText(record->m_Status, CProjectorData::StFreqVertical);
    return f_ProfileFlag(record, ProfileFlag::ReqVerticalFrequency);
}

bool CCommandFunctions::f_PreparationGetInfoStringReqSyncPol(CProjectorData* record)
{
    SetNoText(record->m_Status, CProjectorData::StSyncPolarity);
    return f_ProfileFlag(record, ProfileFlag::ReqSyncPolarity);
}

bool CCommandFunctions::f_PreparationGetError(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StErrorWordA].FromULong(0);
    st[CProjectorData::StErrorData56].FromShort(0);
    st[CProjectorData::StErrorData7].FromUChar(0);
    st[CProjectorData::StErrorData8].FromUChar(0);
    st[CProjectorData::StErrorWordB].FromLong(0);
    return f_ProfileFlag(record, ProfileFlag::ReqRemark);
}

bool CCommandFunctions::f_PreparationGetSerialNumber(CProjectorData* record)
{
    SetNoText(record->m_Status, CProjectorData::StSerialNumber);
    return f_ProfileFlag(record, ProfileFlag::ReqSerialNumber);
}

bool CCommandFunctions::f_PreparationGetGainPicture(CProjectorData* record)
{
    return f_ProfileFlag(record, ProfileFlag::ReqGainPicture);
}

bool CCommandFunctions::f_PreparationGetGainVolume(CProjectorData* record)
{
    return f_ProfileFlag(record, ProfileFlag::ReqGainVolume);
}

// ---------------------------------------------------------------------------
// Reply operations

void CCommandFunctions::f_GetPjNameSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    if (f_StoreReceivedData(record, REQ_PROJECTOR_NAME) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    record->m_Status[CProjectorData::StProjectorName].FromString(
        f_WithBackslash(record->m_Status[RawProjectorName].ToString()));
}

QString CCommandFunctions::f_WithBackslash(QString name)
{
    QTextCodec* sjis = f_ShiftJisCodec();
    if (sjis == nullptr)
        return name;
    static const QString yen = sjis->toUnicode(QByteArray("\x5C", 1));
    if (!yen.isEmpty() && yen != QLatin1String("\\"))
        name.replace(yen, QLatin1String("\\"));
    return name;
}

namespace {

// MAC address n (0 to 2): the reply must echo both data bytes of the
// request; the second names the address, and a reply about another one
// would leave the asked address showing its old value.
void MacReply(CProjectorData* record, int n, bool supported, int* result, int* code)
{
    CVariantParameter* st = record->m_Status;
    if (*result != CCommandFunctions::RESULT_ACK)
        return;
    if (!EchoMatches(record, 6) || CCommandFunctions::f_StoreReceivedData(record, REQ_MAC_ADDRESS) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    const int raw = CCommandFunctions::RawMacAddress1 + n;
    const QByteArray mac = supported ? st[raw].ToByteArray().left(6) : QByteArray(6, '\0');
    st[CProjectorData::StMacAddress1 + n].FromByteArray(mac);
    st[CProjectorData::StMacValid1 + n].FromBool(supported && CCommandFunctions::f_IsMacAddressAvailable(record, mac));
}

void MacNotAvailable(CProjectorData* record, int n, int* result, int* code)
{
    record->m_Status[CProjectorData::StMacAddress1 + n].FromByteArray(QByteArray(6, '\0'));
    record->m_Status[CProjectorData::StMacValid1 + n].FromBool(false);
    Succeeded(result, code);
}

} // namespace

void CCommandFunctions::f_GetMacAddressSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (IsNack(result, code, NACK_0_1))
        MacNotAvailable(record, 0, result, code);
    else if (Positive(result))
        MacReply(record, 0, f_ProfileFlag(record, ProfileFlag::ReqMACAddress), result, code);
    else
        NotPositive(result);
}

void CCommandFunctions::f_GetMacAddress2SequenceProc(CProjectorData* record, int* result, int* code)
{
    const bool anyNackIsSuccess = !f_ProfileFlag(record, ProfileFlag::IsErrorNackOfMAC2);
    if (IsNack(result, code, NACK_0_1) || (*result == RESULT_NACK && anyNackIsSuccess))
        MacNotAvailable(record, 1, result, code);
    else if (Positive(result))
        MacReply(record, 1, f_ProfileFlag(record, ProfileFlag::ReqMACAddress), result, code);
    else
        NotPositive(result);
}

// Any negative reply counts as "no third address"; its code is held by the
// status update and reported at its end.
void CCommandFunctions::f_GetMacAddress3SequenceProc(CProjectorData* record, int* result, int* code)
{
    if (*result == RESULT_NACK)
        MacNotAvailable(record, 2, result, code);
    else if (Positive(result))
        MacReply(record, 2, f_ProfileFlag(record, ProfileFlag::ReqMACAddress3), result, code);
    else
        NotPositive(result);
}

void CCommandFunctions::f_GetLampModeSequenceProc(CProjectorData* record, int* result, int* code)
{
    CVariantParameter* st = record->m_Status;
    if (IsNack(result, code, NACK_0_1)) {
        st[CProjectorData::StLampMode].FromInt(4);
        Succeeded(result, code);
        return;
    }
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    if (!EchoMatches(record) || f_StoreReceivedData(record, REQ_LAMP_MODE) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    const int value = st[RawLampMode].ToUChar();
    int mode = value;
    if (f_ProfileFlag(record, ProfileFlag::EcoModeValueRangeCheck)) {
        if (value == 0 || value == 1)
            mode = value;
        else if ((value == 2 || value == 3) && f_ProfileFlag(record, ProfileFlag::UseMultipleEcoMode))
            mode = value;
        else
            mode = 4;
    }
    st[CProjectorData::StLampMode].FromInt(mode);
}

void CCommandFunctions::f_GetCoverStatusSequenceProc(CProjectorData* record, int* result, int* code)
{
    CVariantParameter* st = record->m_Status;
    if (IsNack(result, code, NACK_0_1)) {
        st[CProjectorData::StLensCover].FromInt(2);
        Succeeded(result, code);
        return;
    }
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    if (f_StoreReceivedData(record, REQ_COVER_STATUS) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    const int value = st[RawCover].ToUChar();
    st[CProjectorData::StLensCover].FromInt(value == 0 ? 0 : value == 1 ? 1 : 2);
}

namespace {

// A negative reply that says the lamp or filter request is not supported.
void NoteUnsupported(const int* result, const int* code, bool* unsupported)
{
    if (*result == CCommandFunctions::RESULT_NACK && (*code == NACK_0_0 || *code == NACK_0_1 || *code == NACK_1_0)
        && unsupported != nullptr)
        *unsupported = true;
}

// What the lamp and filter requests share: a reply of "not supported" marks
// the lamp as such; anything else not positive is left to the step.
bool LampReplyUsable(int* result, int* code, bool* unsupported)
{
    NoteUnsupported(result, code, unsupported);
    if (*result != CCommandFunctions::RESULT_ACK) {
        NotPositive(result);
        return false;
    }
    return true;
}

} // namespace

void CCommandFunctions::f_GetLamp1Time37_1SequenceProc(CProjectorData* record, int* result, int* code,
                                                       bool* unsupported)
{
    if (!LampReplyUsable(result, code, unsupported))
        return;
    if (f_StoreReceivedData(record, REQ_LAMP_TIMES) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    CVariantParameter* st = record->m_Status;
    const qint64 t1 = st[RawLampTime1].ToLong();
    const qint64 t2 = st[RawLampTime2].ToLong();
    const qint64 t3 = st[RawLampTime3].ToLong();
    st[CProjectorData::StLamp1Info].FromUChar(0);
    st[CProjectorData::StLamp1Usage].FromLong(Saturated(t1 + t2));
    st[CProjectorData::StLamp1Remaining].FromLong(Saturated(t3 - t1));
}

namespace {

void LampUsageReply(CProjectorData* record, int lamp, int* result, int* code, bool* unsupported)
{
    if (!LampReplyUsable(result, code, unsupported))
        return;
    // The reply must be about the asked lamp and its usage time.
    const QByteArray& reply = record->m_ReceiveFrame;
    if (reply.size() < 7 || (reply.at(5) == 1 ? 1 : 0) != lamp || reply.at(6) != 1
        || CCommandFunctions::f_StoreReceivedData(record, REQ_LAMP_INFO) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    CVariantParameter* st = record->m_Status;
    const int raw = lamp == 0 ? CCommandFunctions::RawLamp1Content1 : CCommandFunctions::RawLamp2Content1;
    st[lamp == 0 ? CProjectorData::StLamp1Info : CProjectorData::StLamp2Info].FromUChar(0);
    st[lamp == 0 ? CProjectorData::StLamp1Usage : CProjectorData::StLamp2Usage].FromLong(st[raw].ToLong());
}

} // namespace

void CCommandFunctions::f_GetLamp1Usage37_4SequenceProc(CProjectorData* record, int* result, int* code,
                                                        bool* unsupported)
{
    LampUsageReply(record, 0, result, code, unsupported);
}

void CCommandFunctions::f_GetLamp2Usage37_4SequenceProc(CProjectorData* record, int* result, int* code,
                                                        bool* unsupported)
{
    LampUsageReply(record, 1, result, code, unsupported);
}

void CCommandFunctions::f_GetFilterUsageSequenceProc(CProjectorData* record, int* result, int* code,
                                                     bool* unsupported)
{
    CVariantParameter* st = record->m_Status;
    // Noted before the answers below turn the reply into a success.
    NoteUnsupported(result, code, unsupported);
    if (IsNack(result, code, NACK_0_0) || IsNack(result, code, NACK_OTHER_CLASS)) {
        st[CProjectorData::StFilterUsed].FromLong(0);
        st[CProjectorData::StFilterAlarm].FromLong(FILTER_ALARM_WHEN_UNKNOWN);
        st[CProjectorData::StFilterInfo].FromUChar(0);
        Succeeded(result, code);
        return;
    }
    if (IsNack(result, code, NACK_0_1)) {
        st[CProjectorData::StFilterUsed].FromLong(-1);
        st[CProjectorData::StFilterAlarm].FromLong(-1);
        Succeeded(result, code);
        return;
    }
    if (!LampReplyUsable(result, code, unsupported))
        return;
    if (f_StoreReceivedData(record, REQ_FILTER_USAGE) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    const qint32 usage = st[RawFilterUsage].ToLong();
    st[CProjectorData::StFilterUsed].FromLong(usage);
    st[CProjectorData::StFilterAlarm].FromLong(st[RawFilterAlarm].ToLong());
    if (usage >= 0)
        st[CProjectorData::StFilterInfo].FromUChar(0);
}

namespace {

// The signal name and the two frequencies fall back to "---" on an error
// that is not a negative reply.
void SignalError(CProjectorData* record, int* result)
{
    if (*result == CCommandFunctions::RESULT_NACK)
        return;
    *result = CCommandFunctions::RESULT_ERROR;
    SetNoText(record->m_Status, CProjectorData::StSignalName);
    SetNoText(record->m_Status, CProjectorData::StFreqHorizontal);
    SetNoText(record->m_Status, CProjectorData::StFreqVertical);
}

// One information string (request 24): the reply must be of the asked kind.
void InfoStringReply(CProjectorData* record, int raw, int position, int* result, int* code)
{
    if (!Positive(result)) {
        SignalError(record, result);
        return;
    }
    const QByteArray& sent = record->m_SendFrame;
    const QByteArray& reply = record->m_ReceiveFrame;
    if (sent.size() < 7 || reply.size() < 6 || reply.at(5) != sent.at(6)
        || CCommandFunctions::f_StoreReceivedData(record, REQ_INFO_STRING) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        SignalError(record, result);
        return;
    }
    record->m_Status[position].FromString(CCommandFunctions::f_TextUpToNul(record->m_Status[raw].ToByteArray()));
}

void FrequencyReply(CProjectorData* record, int raw, int position, int* result, int* code)
{
    if (IsNack(result, code, NACK_2_3)) {
        SetNoText(record->m_Status, position);
        Succeeded(result, code);
        return;
    }
    InfoStringReply(record, raw, position, result, code);
}

} // namespace

void CCommandFunctions::f_GetInputHeaderSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (!Positive(result)) {
        SignalError(record, result);
        return;
    }
    if (f_StoreReceivedData(record, REQ_SIGNAL_INFO) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        SignalError(record, result);
        return;
    }
    record->m_Status[CProjectorData::StSignalName].FromString(
        f_TextUpToNul(record->m_Status[RawSignalName].ToByteArray()));
}

void CCommandFunctions::f_GetInfoStringReqFreqHSequenceProc(CProjectorData* record, int* result, int* code)
{
    FrequencyReply(record, RawFreqHorizontal, CProjectorData::StFreqHorizontal, result, code);
}

void CCommandFunctions::f_GetInfoStringReqFreqVSequenceProc(CProjectorData* record, int* result, int* code)
{
    FrequencyReply(record, RawFreqVertical, CProjectorData::StFreqVertical, result, code);
}

void CCommandFunctions::f_GetInfoStringReqSyncPolSequenceProc(CProjectorData* record, int* result, int* code)
{
    InfoStringReply(record, RawSyncPolarity, CProjectorData::StSyncPolarity, result, code);
}

void CCommandFunctions::f_GetErrorStatusSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    if (f_StoreReceivedData(record, REQ_ERROR_STATUS) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    CVariantParameter* st = record->m_Status;
    st[CProjectorData::StErrorWordA] = st[RawErrorData1_4];
    st[CProjectorData::StErrorData56] = st[RawErrorData5_6];
    st[CProjectorData::StErrorData7] = st[RawErrorData7];
    st[CProjectorData::StErrorData8] = st[RawErrorData8];
    st[CProjectorData::StErrorWordB] = st[RawErrorData9_12];
}

void CCommandFunctions::f_GetSerialNumberSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    if (f_StoreReceivedData(record, REQ_SERIAL_NUMBER) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    record->m_Status[CProjectorData::StSerialNumber].FromString(
        f_TextUpToNul(record->m_Status[RawSerialNumber].ToByteArray()));
}

void CCommandFunctions::f_GetGainSequenceProc(CProjectorData* record, int* result, int* code)
{
    if (!Positive(result)) {
        NotPositive(result);
        return;
    }
    const QByteArray& sent = record->m_SendFrame;
    const int index = sent.size() > 1 && static_cast<unsigned char>(sent.at(1)) == 0x05 ? REQ_GAIN_GET_NEW
                                                                                        : REQ_GAIN_GET;
    if (sent.size() < 7) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    const int key = CGainInfo::Key(static_cast<unsigned char>(sent.at(5)), static_cast<unsigned char>(sent.at(6)));
    if (!record->m_ReceivedGainInfo.contains(key))
        f_SetGainInfoDummyData(record, key);
    if (f_StoreReceivedData(record, index) == 0) {
        Failed(result, code, ERROR_MISMATCH);
        return;
    }
    f_CopyGainInfo(record, key);
}

// ---------------------------------------------------------------------------
// Adjustment records

CGainInfo* CCommandFunctions::f_SetGainInfoDummyData(CProjectorData* record, int key)
{
    CGainInfo* gain = record->m_ReceivedGainInfo.value(key, nullptr);
    if (gain == nullptr) {
        gain = new CGainInfo();
        record->m_ReceivedGainInfo.insert(key, gain);
    }
    // Copied from one blank record: building a fresh one each time costs
    // more than the copy.
    static const CGainInfo blank;
    *gain = blank;
    gain->m_Kind.FromInt(key >> 8);
    gain->m_Index.FromInt(key & 0xFF);
    return gain;
}

void CCommandFunctions::f_CopyGainInfo(CProjectorData* record, int key)
{
    const CGainInfo* stored = record->m_ReceivedGainInfo.value(key, nullptr);
    if (stored == nullptr)
        return;
    CGainInfo* shown = record->m_GainInfo.value(key, nullptr);
    if (shown == nullptr) {
        shown = new CGainInfo();
        record->m_GainInfo.insert(key, shown);
    }
    shown->f_Copy(*stored);
}

// ---------------------------------------------------------------------------
// The status update command

bool CCommandFunctions::f_IsAllUpdateCached(CProjectorData* record) const
{
    const CVariantParameter* st = record->m_Status;
    for (int position : CACHED_POSITIONS) {
        if (!st[position].IsSet())
            return false;
    }
    for (int key : GAIN_KEYS) {
        const CGainInfo* gain = record->m_GainInfo.value(key, nullptr);
        if (gain == nullptr)
            continue;
        if (!f_IsGainInfoKnown(gain))
            return false;
    }
    return true;
}

bool CCommandFunctions::f_IsGainInfoKnown(const CGainInfo* gain)
{
    for (const CVariantParameter* v : {&gain->m_Kind, &gain->m_Index, &gain->m_Max, &gain->m_Min, &gain->m_Current,
                                       &gain->m_DefaultKnown, &gain->m_Default, &gain->m_Status}) {
        if (!v->IsSet())
            return false;
    }
    return true;
}

void CCommandFunctions::f_CompleteAtOnce(CProjectorData* record)
{
    const ReturnParameter r = f_Return(record);
    f_ClearTempParameter(record);
    if (m_pDeviceAccess != nullptr)
        m_pDeviceAccess->Disconnect(r.target);
    emit Completed(r.eventID, r.target, r.from, r.act, r.cmd);
    emit UpdateTiming(r.cmd, r.from, r.act, r.target);
    // The disconnection may never be reported (no connection was open), so
    // the commands behind this one must not wait for it.
    emit CheckCommand(r.target);
}

void CCommandFunctions::f_EndAllUpdate(CProjectorData* record, int code)
{
    if (code == 0)
        record->m_Result = RESULT_ACK;
    else
        record->m_Result = f_IsNackResponse(code) ? RESULT_NACK : RESULT_ERROR;
    record->m_ErrorCode = code;
    f_EndSequence(record, code);
}

void CCommandFunctions::AllUpdateProc(CEventBase* event)
{
    const CCommandFunctionsEvent* e = static_cast<const CCommandFunctionsEvent*>(event);
    CProjectorData* record = f_GetTarget(e->m_nTargetID);
    if (record == nullptr)
        return;
    if (event->GetEventKey() == CCommandFunctionsEvent::KEY_ALL_UPDATE) {
        if (f_PoolCheck(record))
            return;
        record->m_CommandId = CCommandFunctionsEvent::KEY_ALL_UPDATE;
        f_StoreReturnParameter(record, event);
        f_ClearTempParameter(record);
        if (e->m_bFlag && f_IsAllUpdateCached(record)) {
            f_CompleteAtOnce(record);
            return;
        }
        f_AppendTempParameterBool(record, false);
        f_AppendTempParameterInt(record, 0);
        f_AppendTempParameterInt(record, 0);
        f_AppendTempParameterInt(record, 0);
        for (int position : CACHED_POSITIONS)
            record->m_Status[position].ClearSetState(false);
        record->m_Status[CProjectorData::StSerialNumber].ClearSetState(false);
    } else if (record->m_StepNo < STEP_IDENTIFIED) {
        if (f_CheckResult(record))
            return;
    } else if (record->m_Result == RESULT_CANCELED) {
        f_EndSequence(record, ERROR_CANCELED);
        return;
    } else if (record->m_Result == RESULT_ERROR && f_IsNackResponse(record->m_ErrorCode)) {
        f_EndAllUpdate(record, record->m_ErrorCode);
        return;
    }
    if (!f_Identify(record))
        return;
    bool send = false;
    while (f_AllUpdateSequenceProc(record, send)) {
    }
    if (send)
        f_SendAllUpdateRequest(record);
}

bool CCommandFunctions::f_AllUpdateSequenceProc(CProjectorData* record, bool& send)
{
    int* result = &record->m_Result;
    int* code = &record->m_ErrorCode;
    const int step = record->m_StepNo;
    // An odd step prepares a request: the next step sends it, or it is skipped.
    const auto prepared = [&](bool sendIt) {
        record->m_StepNo = sendIt ? step + 1 : step + 2;
        send = sendIt;
        return !sendIt;
    };
    const auto endWith = [&](int endCode) {
        f_EndAllUpdate(record, endCode);
        return false;
    };
    const auto holdLampFailure = [&](bool flagged) {
        if (flagged)
            f_SetTempParameterBool(record, TEMP_LAMP_UNSUPPORTED, true);
        if (*result != RESULT_ACK && f_GetTempParameterInt(record, TEMP_LAMP_FAILURE) == 0)
            f_SetTempParameterInt(record, TEMP_LAMP_FAILURE, *code);
        record->m_StepNo = step + 1;
        return true;
    };
    const auto holdSignalFailure = [&]() {
        if (*result != RESULT_ACK && f_GetTempParameterInt(record, TEMP_SIGNAL_FAILURE) == 0)
            f_SetTempParameterInt(record, TEMP_SIGNAL_FAILURE, *code);
        record->m_StepNo = step + 1;
        return true;
    };
    const auto nextOrEnd = [&]() {
        if (*result != RESULT_ACK)
            return endWith(*code);
        record->m_StepNo = step + 1;
        return true;
    };
    bool unsupported = false;

    switch (step) {
    case 5:
        if (f_IsIn1WStandby(record)) {
            *code = 0;
            return endWith(0);
        }
        return prepared(f_PreparationGetPjName(record));
    case 6:
        f_GetPjNameSequenceProc(record, result, code);
        return nextOrEnd();
    case 7:
        return prepared(f_PreparationGetMacAddress(record));
    case 8:
        f_GetMacAddressSequenceProc(record, result, code);
        return nextOrEnd();
    case 9:
        return prepared(f_PreparationGetMacAddress2(record));
    case 10:
        f_GetMacAddress2SequenceProc(record, result, code);
        return nextOrEnd();
    case 11:
        return prepared(f_PreparationGetMacAddress3(record));
    case 12: {
        const bool nack = *result == RESULT_NACK;
        const int nackCode = *code;
        f_GetMacAddress3SequenceProc(record, result, code);
        if (nack && f_GetTempParameterInt(record, TEMP_MAC3_NACK) == 0)
            f_SetTempParameterInt(record, TEMP_MAC3_NACK, nackCode);
        return nextOrEnd();
    }
    case 13:
        return prepared(f_PreparationGetLampMode(record));
    case 14:
        f_GetLampModeSequenceProc(record, result, code);
        return nextOrEnd();
    case 15:
        return prepared(f_PreparationGetCoverStatus(record));
    case 16:
        f_GetCoverStatusSequenceProc(record, result, code);
        return nextOrEnd();
    case 17: {
        CVariantParameter* st = record->m_Status;
        for (int base : {int(CProjectorData::StLamp1Info), int(CProjectorData::StLamp2Info)}) {
            st[base].FromUChar(CProjectorData::INFO_NOT_AVAILABLE);
            st[base + 1].FromLong(0);
            st[base + 2].FromLong(0);
            st[base + 3].FromLong(0);
        }
        return prepared(f_PreparationGetLamp1Time37_1(record));
    }
    case 18:
        f_GetLamp1Time37_1SequenceProc(record, result, code, &unsupported);
        return holdLampFailure(unsupported);
    case 19:
        return prepared(f_PreparationGetLamp1Usage37_4(record));
    case 20:
        f_GetLamp1Usage37_4SequenceProc(record, result, code, &unsupported);
        return holdLampFailure(unsupported);
    case 21:
        return prepared(f_PreparationGetLamp2Usage37_4(record));
    case 22:
        // Lamp 2 holds no failure: only a "not supported" answer is noted.
        f_GetLamp2Usage37_4SequenceProc(record, result, code, &unsupported);
        if (unsupported)
            f_SetTempParameterBool(record, TEMP_LAMP_UNSUPPORTED, true);
        record->m_StepNo = step + 1;
        return true;
    case 23:
        return prepared(f_PreparationGetFilterUsage(record));
    case 24:
        f_GetFilterUsageSequenceProc(record, result, code, &unsupported);
        return holdLampFailure(unsupported);
    case 25: {
        if (f_GetTempParameterBool(record, TEMP_LAMP_UNSUPPORTED)
            && record->m_Status[CProjectorData::StPowerStatus].ToInt() == POWER_STATUS_LAMP_LESS)
            f_SetTempParameterInt(record, TEMP_LAMP_FAILURE, 0);
        const int held = f_GetTempParameterInt(record, TEMP_LAMP_FAILURE);
        if (held != 0)
            return endWith(held);
        return prepared(f_PreparationGetInputHeader(record));
    }
    case 26:
        f_GetInputHeaderSequenceProc(record, result, code);
        return holdSignalFailure();
    case 27:
        return prepared(f_PreparationGetInfoStringReqFreqH(record));
    case 28:
        f_GetInfoStringReqFreqHSequenceProc(record, result, code);
        return holdSignalFailure();
    case 29:
        return prepared(f_PreparationGetInfoStringReqFreqV(record));
    case 30:
        f_GetInfoStringReqFreqVSequenceProc(record, result, code);
        return holdSignalFailure();
    case 31:
        return prepared(f_PreparationGetInfoStringReqSyncPol(record));
    case 32:
        f_GetInfoStringReqSyncPolSequenceProc(record, result, code);
        return holdSignalFailure();
    case 33: {
        const int held = f_GetTempParameterInt(record, TEMP_SIGNAL_FAILURE);
        if (held != 0)
            return endWith(held);
        return prepared(f_PreparationGetError(record));
    }
    case 34:
        f_GetErrorStatusSequenceProc(record, result, code);
        return nextOrEnd();
    case 35:
        if (!f_PreparationGetSerialNumber(record))
            return endWith(f_GetTempParameterInt(record, TEMP_MAC3_NACK));
        return prepared(true);
    case 36:
        f_GetSerialNumberSequenceProc(record, result, code);
        return nextOrEnd();
    case 37:
    case 39:
    case 41:
    case 43:
    case 45: {
        const bool supported = f_PreparationGetGainPicture(record);
        if (supported)
            f_SetGainInfoDummyData(record, CGainInfo::Key((step - 37) / 2, 0));
        return prepared(supported);
    }
    case 38:
    case 40:
    case 42:
    case 44:
    case 46:
        // A picture adjustment that cannot be read leaves the shown one as it was.
        f_GetGainSequenceProc(record, result, code);
        record->m_StepNo = step + 1;
        return true;
    case 47:
        if (!f_PreparationGetGainVolume(record))
            return endWith(f_GetTempParameterInt(record, TEMP_MAC3_NACK));
        f_SetGainInfoDummyData(record, CGainInfo::Key(CGainInfo::KindAudioVolume, 0));
        return prepared(true);
    case 48:
        f_GetGainSequenceProc(record, result, code);
        if (*result != RESULT_ACK)
            return endWith(*code);
        return endWith(f_GetTempParameterInt(record, TEMP_MAC3_NACK));
    default:
        return endWith(0);
    }
}

void CCommandFunctions::f_SendAllUpdateRequest(CProjectorData* record)
{
    const int step = record->m_StepNo;
    if (IsGainStep(step)) {
        const int index = f_ProfileFlag(record, ProfileFlag::UseNewCommandReqGainParameter) ? REQ_GAIN_GET_NEW
                                                                                             : REQ_GAIN_GET;
        f_SendStaticBytes(record, index, {(step - 38) / 2, 0, 1});
        return;
    }
    switch (step) {
    case 6: f_SendStatic(record, REQ_PROJECTOR_NAME); break;
    case 8: f_SendStaticBytes(record, REQ_MAC_ADDRESS, {0}); break;
    case 10: f_SendStaticBytes(record, REQ_MAC_ADDRESS, {1}); break;
    case 12: f_SendStaticBytes(record, REQ_MAC_ADDRESS, {2}); break;
    case 14: f_SendStatic(record, REQ_LAMP_MODE); break;
    case 16: f_SendStatic(record, REQ_COVER_STATUS); break;
    case 18: f_SendStatic(record, REQ_LAMP_TIMES); break;
    case 20: f_SendStaticBytes(record, REQ_LAMP_INFO, {0, 1}); break;
    case 22: f_SendStaticBytes(record, REQ_LAMP_INFO, {1, 1}); break;
    case 24: f_SendStatic(record, REQ_FILTER_USAGE); break;
    case 26: f_SendStatic(record, REQ_SIGNAL_INFO); break;
    case 28: f_SendStaticBytes(record, REQ_INFO_STRING, {0, 3, 1}); break;
    case 30: f_SendStaticBytes(record, REQ_INFO_STRING, {0, 4, 1}); break;
    case 32: f_SendStaticBytes(record, REQ_INFO_STRING, {0, 5, 1}); break;
    case 34: f_SendStatic(record, REQ_ERROR_STATUS); break;
    case 36: f_SendStatic(record, REQ_SERIAL_NUMBER); break;
    default: break;
    }
}
