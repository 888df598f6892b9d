#include "CCreateDemoData.h"

#include "CDataFunctions.h"
#include "CGainInfo.h"
#include "CLumivox5Data.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CSystemClock.h"

#include <QByteArray>
#include <QtGlobal>

#include <initializer_list>

namespace {

using St = CProjectorData;

const int FROM_SCHEDULE = 3;
const int ACT_GET = 1;
const int ACT_SET = 2;
// Command ids above this are log, mail and schedule control requests.
const int LAST_PROJECTOR_CMD = 136;

// Re-stamps a value as freshly read without changing it.
void touchInt(CVariantParameter& value)
{
    value.FromInt(value.ToInt());
}

void touchInts(std::initializer_list<CVariantParameter*> values)
{
    for (CVariantParameter* value : values)
        touchInt(*value);
}

// Input a and input b of a terminal number (terminal = a + 5 * b - 5).
void setInputTerminal(CProjectorData* record, int terminal)
{
    record->m_Status[St::StInputTerminal].FromInt(terminal);
    record->m_Status[St::StInputTerminalNumber].FromInt((terminal - 1) % 5 + 1);
    record->m_Status[St::StInputTerminalType].FromInt((terminal - 1) / 5 + 1);
    record->m_Status[St::StPowerStatus16].FromInt(0);
}

void setSignal(CProjectorData* record, const QString& name, const QString& horizontal, const QString& vertical,
               const QString& polarity)
{
    record->m_Status[St::StSignalName].FromString(name);
    record->m_Status[St::StFreqHorizontal].FromString(horizontal);
    record->m_Status[St::StFreqVertical].FromString(vertical);
    record->m_Status[St::StSyncPolarity].FromString(polarity);
}

void setNames(CProjectorData* record, const char* projectorName, const char* modelName)
{
    record->m_Status[St::StProjectorName].FromString(QString::fromLatin1(projectorName));
    record->m_Status[St::StModelName].FromString(QString::fromLatin1(modelName));
}

// The shown adjustment limits of the demo: max, min, default, initial value.
struct GainLimits
{
    int cmd;
    int key;
    int max;
    int min;
    int defaultValue;
    int initial;
};

const GainLimits GAIN_LIMITS[] = {
    {24, 0, 80, -20, 30, 30},       // brightness
    {23, 256, 90, -10, 40, 40},     // contrast
    {26, 512, 60, -40, 10, 10},     // color
    {27, 768, 50, -50, 0, 0},       // hue
    {25, 1024, 70, -30, 20, 20},    // sharpness
    {42, 1280, 40, -60, -10, -10},  // volume
};

const GainLimits* gainLimits(int cmd)
{
    for (const GainLimits& limits : GAIN_LIMITS) {
        if (limits.cmd == cmd)
            return &limits;
    }
    return nullptr;
}

} // namespace

CCreateDemoData::CCreateDemoData(QObject* parent)
    : QObject(parent)
{
}

CCreateDemoData::~CCreateDemoData()
{
    m_pLumivox5Data = nullptr;
    m_pDataFunctions = nullptr;
}

// ---- sample status ----------------------------------------------------------------

bool CCreateDemoData::CreateAllData(int mode, QList<int>* ids)
{
    if (!ids || !m_pLumivox5Data)
        return true;
    const QByteArray macs[3] = {QByteArray::fromHex("0123456789AB"), QByteArray::fromHex("FEDCBA987654"),
                                QByteArray::fromHex("456789ABCDEF")};
    const QDateTime lastUpdate = CSystemClock::Now().addDays(-2);
    const QList<int> list = *ids;
    for (int i = 0; i < list.size(); ++i) {
        const int id = list.at(i);
        CProjectorData* record = m_pLumivox5Data->GetProjectorData(id);
        if (!record || (mode != 1 && id <= 0))
            continue;
        const bool connected = record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED;

        record->m_InputTerminalKnown = true;
        for (int n = 0; n < 3; ++n) {
            record->m_Status[St::StMacAddress1 + n].FromByteArray(macs[n]);
            record->m_Status[St::StMacValid1 + n].FromBool(true);
        }
        f_SetModelCode(record, 19, 0, 16, 255);
        if (!connected)
            f_WriteBaseSample(record);
        switch (id) {
        case 1:
            f_SetModelCode(record, 21, 0, 16, 255);
            break;
        case 2:
            f_SetModelCode(record, 23, 0, 16, 255);
            break;
        case 3:
            f_SetModelCode(record, 25, 0, 16, 255);
            break;
        default:
            break;
        }
        if (!connected)
            f_WriteSampleById(record);

        record->m_LastUpdate = lastUpdate;
        f_SetModelProfile(record, i);
    }
    return true;
}

void CCreateDemoData::f_SetModelCode(CProjectorData* record, int b1, int b2, int b3, int b4)
{
    const int bytes[4] = {b1, b2, b3, b4};
    for (int n = 0; n < 4; ++n)
        record->m_Status[St::StModelCode1 + n].FromString(QString::number(bytes[n]));
}

void CCreateDemoData::f_SetModelProfile(CProjectorData* record, int position)
{
    CProfileList* profiles = m_pLumivox5Data->m_pProfileList;
    if (!profiles)
        return;
    CProfile* profile = nullptr;
    if (profiles->f_GetProfile(record->m_Status[St::StModelCode1].ToUChar(),
                               record->m_Status[St::StModelCode2].ToUChar(),
                               record->m_Status[St::StModelCode3].ToUChar(),
                               record->m_Status[St::StModelCode4].ToUChar(), &profile)
        && profile) {
        record->m_Profile = profile;
        return;
    }
    const QList<CProfile*> all = profiles->m_ProfileMap.values();
    if (!all.isEmpty())
        record->m_Profile = all.at(position % all.size());
}

void CCreateDemoData::f_WriteBaseSample(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    setNames(record, "KX200 Series", "KX200A");
    st[St::StStatusValid].FromBool(true);
    st[St::StLampMode].FromInt(0);
    st[St::StErrorWordA].FromULong(0);
    st[St::StLamp1Info].FromUChar(0);
    st[St::StLamp1Remaining].FromLong(3600);
    st[St::StLamp1Value].FromLong(100);
    st[St::StLamp1Usage].FromLong(345600);
    st[St::StLamp2Info].FromUChar(CProjectorData::INFO_NOT_AVAILABLE);
    st[St::StFilterInfo].FromUChar(0);
    st[St::StFilterUsed].FromLong(345600);
    setInputTerminal(record, 1);
    st[St::StPowerIndicator].FromUChar(0);
    st[St::StPictureMute].FromInt(0);
    st[St::StSoundMute].FromInt(0);
    st[St::StOsdMute].FromInt(0);
    st[St::StFreeze].FromBool(false);
    st[St::StPowerStatus16].FromInt(0);
    st[St::StPowerStatus].FromInt(4);
    setSignal(record, QStringLiteral("1280x1024 60Hz"), QStringLiteral("63.96[kHz]"), QStringLiteral(" 60.02[Hz]"),
              QStringLiteral("H:(+) V:(+)"));
}

void CCreateDemoData::f_WriteSampleById(CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    const QString none;
    switch (record->m_Id) {
    case 1:
        setNames(record, "KX410 Series", "KX410B");
        setSignal(record, QStringLiteral("No signal"), none, none, none);
        setInputTerminal(record, 1);
        break;
    case 2:
        setNames(record, "KX520 Series", "KX520C");
        setSignal(record, QStringLiteral("NTSC358"), QStringLiteral("15.73[kHz]"), QStringLiteral(" 59.93[Hz]"),
                  QStringLiteral("H:(+) V:(+)"));
        st[St::StLamp2Info].FromUChar(0);
        st[St::StLamp2Usage].FromLong(345600);
        setInputTerminal(record, 1);
        break;
    case 3:
        setNames(record, "KX630 Series", "KX630D");
        setSignal(record, none, none, none, none);
        st[St::StLamp2Info].FromUChar(0);
        st[St::StLamp2Usage].FromLong(345600);
        setInputTerminal(record, 6);
        break;
    case 4:
        setNames(record, "KX200 Series", "KX200A");
        setSignal(record, none, none, none, none);
        setInputTerminal(record, 6);
        break;
    default: {
        // Id 5 shows worn lamps and a clogged filter; later ids nearly so.
        const bool five = record->m_Id == 5;
        st[St::StPowerStatus].FromInt(4);
        st[St::StStatusValid].FromBool(true);
        st[St::StLowPowerStandby].FromBool(false);
        st[St::StLampMode].FromInt(2);
        st[St::StLamp1Remaining].FromLong(five ? 0 : 10);
        st[St::StLamp1Usage].FromLong(90000);
        st[St::StLamp2Remaining].FromLong(five ? 0 : 10);
        st[St::StLamp2Usage].FromLong(3600);
        st[St::StFilterInfo].FromUChar(five ? 0 : 10);
        st[St::StFilterUsed].FromLong(4000000);
        st[St::StErrorWordA].FromULong(3);
        break;
    }
    }
}

// ---- requests ---------------------------------------------------------------------

void CCreateDemoData::ChangeData(int cmd, QList<CVariantParameter>* params, int from, int act, QList<int>* targets,
                                 bool /*cache*/, bool /*log*/)
{
    // Control requests reach the dispatcher through the caller's own
    // request, once; forwarding them here as well would run them twice.
    if (cmd > LAST_PROJECTOR_CMD || !targets || !m_pLumivox5Data)
        return;
    if (cmd == 1) {
        // One pass fabricates every target; once per target would redo all of
        // them for each one.
        CreateAllData(1, targets);
        return;
    }
    const QList<int> ids = *targets;
    for (int id : ids) {
        CProjectorData* record = m_pLumivox5Data->GetProjectorData(id);
        if (!record)
            continue;
        if (!f_ChangeRecord(cmd, params, act, record) || from != FROM_SCHEDULE)
            continue;
        // A schedule's command completes under its instance key; without the
        // key there is nobody to report to.
        if (m_pDataFunctions && params && params->size() >= 2)
            m_pDataFunctions->f_OnCompleted(params->at(1).ToInt(), id, FROM_SCHEDULE, ACT_SET, cmd);
    }
}

bool CCreateDemoData::f_ChangeRecord(int cmd, QList<CVariantParameter>* params, int act, CProjectorData* record)
{
    CVariantParameter* st = record->m_Status;
    if (gainLimits(cmd)) {
        f_ChangeGain(cmd, act, record, params);
        return false;
    }
    if (act == ACT_GET) {
        switch (cmd) {
        case 2:
            touchInt(st[St::StPowerStatus]);
            break;
        case 3:
            setInputTerminal(record, st[St::StInputTerminal].ToInt());
            break;
        case 4:
            touchInt(st[St::StSoundMute]);
            break;
        case 5:
            touchInt(st[St::StPictureMute]);
            break;
        case 6:
            touchInt(st[St::StOsdMute]);
            break;
        case 7:
            st[St::StFreeze].FromBool(st[St::StFreeze].ToBool());
            break;
        case 93:
            st[St::StProjectorName].FromString(st[St::StProjectorName].ToString());
            break;
        default:
            break;
        }
        return false;
    }
    // A set without its value changes nothing: a missing value must not
    // switch a projector off.
    if (act != ACT_SET || !params || params->isEmpty())
        return false;
    const int v = params->at(0).ToInt();
    switch (cmd) {
    case 2:
        if (v == 1) {
            st[St::StPowerStatus].FromInt(4);
            st[St::StLowPowerStandby].FromBool(false);
        } else {
            st[St::StPowerStatus].FromInt(0);
        }
        st[St::StPictureMute].FromInt(0);
        st[St::StSoundMute].FromInt(0);
        st[St::StOsdMute].FromInt(0);
        st[St::StFreeze].FromBool(false);
        return true;
    case 3:
        setInputTerminal(record, v);
        return true;
    case 4:
        st[St::StSoundMute].FromInt(v);
        return true;
    case 5:
        st[St::StPictureMute].FromInt(v);
        return true;
    case 6:
        st[St::StOsdMute].FromInt(v);
        return true;
    case 7:
        st[St::StFreeze].FromBool(v == 1);
        return false;
    case 8:
        st[St::StSoundMute].FromInt(v);
        st[St::StPictureMute].FromInt(v);
        st[St::StOsdMute].FromInt(v);
        return true;
    case 93:
        st[St::StProjectorName].FromString(params->at(0).ToString());
        return false;
    default:
        return false;
    }
}

// ---- adjustments ------------------------------------------------------------------

void CCreateDemoData::f_ChangeGain(int cmd, int act, CProjectorData* record, QList<CVariantParameter>* params)
{
    const GainLimits* limits = gainLimits(cmd);
    if (!limits)
        return;
    QMap<int, int> map;
    CreateGainRelateData(&map, limits->max, limits->min, limits->defaultValue, limits->initial);
    const CGainInfo* shown = record->m_GainInfo.value(limits->key, nullptr);
    const int current = shown ? shown->m_Current.ToInt() : 50;
    CreateGainData(act, record, limits->key, params, map, current);
}

void CCreateDemoData::CreateGainRelateData(QMap<int, int>* limits, int max, int min, int defaultValue, int initial)
{
    if (!limits)
        return;
    limits->insert(0, max);
    limits->insert(1, min);
    limits->insert(2, defaultValue);
    limits->insert(3, initial);
}

void CCreateDemoData::CreateGainData(int act, CProjectorData* record, int key, QList<CVariantParameter>* params,
                                     QMap<int, int> limits, int current)
{
    if (!record)
        return;
    CGainInfo* gain = record->m_GainInfo.value(key, nullptr);
    if (!gain)
        return;
    if (act == ACT_GET) {
        if (gain->m_Max.ToInt() == 0) {
            gain->m_Max.FromInt(limits.value(0));
            gain->m_Min.FromInt(limits.value(1));
            gain->m_Default.FromInt(limits.value(2));
            gain->m_Current.FromInt(limits.value(3));
            // The demo gives a default, so it knows it: else Reset would
            // skip every adjustment offline.
            gain->m_DefaultKnown.FromInt(1);
        } else {
            touchInts({&gain->m_Max, &gain->m_Min, &gain->m_Default, &gain->m_Current, &gain->m_DefaultKnown});
        }
        touchInts({&gain->m_Kind, &gain->m_Index});
        const int power = record->m_Status[St::StPowerStatus].ToInt();
        const bool adjustable = power >= 1 && power <= 5 && !record->m_Status[St::StLowPowerStandby].ToBool();
        gain->m_Status.FromInt(adjustable ? CGainInfo::STATUS_ADJUSTABLE : 1);
        return;
    }
    // A set reads a mode and a value; without both it changes nothing.
    if (act != ACT_SET || !params || params->size() < 2)
        return;
    int value = params->at(1).ToInt();
    if (params->at(0).ToInt() == 1) {
        // A relative step stays within the range; an absolute value is the
        // caller's and is kept as given.
        const qint64 stepped = qint64(value) + current;
        value = int(qBound<qint64>(gain->m_Min.ToInt(), stepped, gain->m_Max.ToInt()));
    }
    gain->m_Current.FromInt(value);
    touchInts({&gain->m_Max, &gain->m_Min, &gain->m_Default, &gain->m_Kind, &gain->m_Index, &gain->m_DefaultKnown,
               &gain->m_Status});
}
