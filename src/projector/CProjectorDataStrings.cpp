// Display texts of a projector record. None changes the record.
#include "CProjectorData.h"

#include <QCoreApplication>

#include "CProfile.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"

namespace {

const char kTextContext[] = "CProjectorData";
const QString kNone = QStringLiteral("---");

QString Tr(const char* key)
{
    return QCoreApplication::translate(kTextContext, key);
}

bool IsRunning(int powerStatus)
{
    return powerStatus >= 1 && powerStatus <= 5;
}

} // namespace

QString CProjectorData::f_CommonText(int position) const
{
    if (!f_IsShown())
        return kNone;
    const QString text = m_Status[position].ToString();
    return text.isEmpty() ? kNone : text;
}

QString CProjectorData::f_HoursText(int position, bool unit, const char* unitKey) const
{
    QString text = QStringLiteral("%1").arg(m_Status[position].ToLong() / 3600);
    if (unit)
        text += QLatin1Char(' ') + Tr(unitKey);
    return text;
}

QString CProjectorData::f_MuteText(int flag, int position, bool zeroIsOn) const
{
    if (!f_Flag(flag) || f_CommonText(position) == kNone || m_Status[StPowerStatus].ToInt() == 0)
        return kNone;
    const bool zero = m_Status[position].ToInt() == 0;
    return Tr(zero == zeroIsOn ? QT_TRANSLATE_NOOP("CProjectorData", "StatusMuteOn")
                               : QT_TRANSLATE_NOOP("CProjectorData", "StatusMuteOff"));
}

QString CProjectorData::GetDeviceString()
{
    return m_DeviceKind != 0 ? Tr(QT_TRANSLATE_NOOP("CProjectorData", "DeviceStrRS232C"))
                             : Tr(QT_TRANSLATE_NOOP("CProjectorData", "DeviceStrLan"));
}

QString CProjectorData::GetStatusString()
{
    if (!f_IsConnected() || !m_Status[StStatusValid].ToBool())
        return kNone;
    return IsRunning(m_Status[StPowerStatus].ToInt()) ? Tr(QT_TRANSLATE_NOOP("CProjectorData", "StatusRunning"))
                                                      : Tr(QT_TRANSLATE_NOOP("CProjectorData", "StatusStandby"));
}

QString CProjectorData::GetSettingNameString()
{
    return m_SettingName.isEmpty() ? QString("") : m_SettingName;
}

QString CProjectorData::GetUserCommentString()
{
    return m_Comment.isEmpty() ? QString("") : m_Comment;
}

QString CProjectorData::GetSettingString()
{
    if (m_DeviceKind != 0)
        return kNone;
    return m_Address.isEmpty() ? QString("") : m_Address;
}

QString CProjectorData::GetPortString()
{
    const QString& text = m_DeviceKind != 0 ? m_Address : m_Port;
    return text.isEmpty() ? QString("") : text;
}

QString CProjectorData::GetLastUpdateString()
{
    if (!f_IsConnected())
        return kNone;
    if (!m_LastUpdate.isValid())
        return QString("");
    return m_LastUpdate.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString CProjectorData::GetGroupString()
{
    QString text("");
    for (const QString& name : m_GroupList) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += name;
    }
    return text;
}

QString CProjectorData::GetProjectorNameString()
{
    if (!f_IsShown())
        return QString("");
    const QString text = m_Status[StProjectorName].ToString();
    return text.isEmpty() ? QString("") : text;
}

QString CProjectorData::GetModelNameString()
{
    if (!f_IsConnected())
        return kNone;
    if (f_IsStandby())
        return QString("");
    const QString text = m_Status[StModelName].ToString();
    return text.isEmpty() ? QString("") : text;
}

QString CProjectorData::GetModelSerialNumberString()
{
    if (!f_IsShown() || !f_Flag(ProfileFlag::ReqSerialNumber))
        return kNone;
    const QString text = m_Status[StSerialNumber].ToString();
    return text.isEmpty() ? QString("") : text;
}

QString CProjectorData::GetPictureMuteString()
{
    return f_MuteText(ProfileFlag::ReqPicMuteSts, StPictureMute, false);
}

QString CProjectorData::GetSoundMuteString()
{
    return f_MuteText(ProfileFlag::ReqSndMuteSts, StSoundMute, false);
}

QString CProjectorData::GetOSDMuteString()
{
    // The column tells whether the on-screen display is shown: a mute value of
    // 0 (display shown) reads ON.
    return f_MuteText(ProfileFlag::ReqOsdMuteSts, StOsdMute, true);
}

QString CProjectorData::GetLensCoverStateString()
{
    if (!f_Flag(ProfileFlag::ChkLensCoverSts) || f_CommonText(StLensCover) == kNone)
        return kNone;
    return m_Status[StLensCover].ToInt() == 0 ? Tr(QT_TRANSLATE_NOOP("CProjectorData", "LensCoverStateOpen"))
                                              : Tr(QT_TRANSLATE_NOOP("CProjectorData", "LensCoverStateClose"));
}

QString CProjectorData::GetLampModeString()
{
    try {
        if (!f_Flag(ProfileFlag::ReqLampMode) || f_CommonText(StLampMode) == kNone)
            return kNone;
        const int mode = m_Status[StLampMode].ToInt();
        if (m_Profile->m_EcoMarksLoaded) {
            for (const CSectionItem* item : m_Profile->EcoMarks()->values()) {
                if (item->code == mode)
                    return item->name;
            }
            return kNone;
        }
        switch (mode) {
        case 0:
            return Tr(QT_TRANSLATE_NOOP("CProjectorData", "LampModeNormal"));
        case 1:
            return f_Flag(ProfileFlag::UseMultipleEcoMode)
                       ? Tr(QT_TRANSLATE_NOOP("CProjectorData", "LampModeMultipleEcoAuto"))
                       : Tr(QT_TRANSLATE_NOOP("CProjectorData", "LampModeEco"));
        case 2:
            return Tr(QT_TRANSLATE_NOOP("CProjectorData", "LampModeMultipleEco1"));
        case 3:
            return Tr(QT_TRANSLATE_NOOP("CProjectorData", "LampModeMultipleEco2"));
        default:
            return kNone;
        }
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return kNone;
}

QString CProjectorData::GetInputTerminalString()
{
    try {
        if (!f_Flag(ProfileFlag::ReqInputTerminal) || !m_InputTerminalKnown
            || f_CommonText(StInputTerminal) == kNone || m_Status[StPowerStatus].ToInt() == 0)
            return kNone;
        const int value = m_Status[StInputTerminal].ToInt();
        for (const CSectionItem* item : m_Profile->InputTerminals()->values()) {
            if (item->code == value || (item->hasSub && item->sub == value))
                return item->name;
        }
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return kNone;
}

QString CProjectorData::f_SignalText(int position) const
{
    if (!IsRunning(m_Status[StPowerStatus].ToInt()))
        return kNone;
    return f_CommonText(position);
}

QString CProjectorData::GetSignalNameString() { return f_SignalText(StSignalName); }

QString CProjectorData::GetFreqHorizontalString() { return f_SignalText(StFreqHorizontal); }

QString CProjectorData::GetFreqVerticalString() { return f_SignalText(StFreqVertical); }

QString CProjectorData::GetSyncPolString() { return f_SignalText(StSyncPolarity); }

QString CProjectorData::GetLampUsageString()
{
    // Standby is not tested: lamp hours stay readable in low-power standby.
    if (!f_IsConnected() || m_Status[StLamp1Info].ToUChar() == INFO_NOT_AVAILABLE)
        return kNone;
    return f_HoursText(StLamp1Usage, false, nullptr);
}

QString CProjectorData::GetLamp2UsageString()
{
    if (!f_IsConnected() || m_Status[StLamp2Info].ToUChar() == INFO_NOT_AVAILABLE)
        return kNone;
    return f_HoursText(StLamp2Usage, false, nullptr);
}

QString CProjectorData::GetRemainingLampTimeString(bool unit)
{
    if (f_CommonText(StLamp1Usage) == kNone || m_Status[StLamp1Info].ToUChar() == INFO_NOT_AVAILABLE)
        return kNone;
    return f_HoursText(StLamp1Usage, unit, QT_TRANSLATE_NOOP("CProjectorData", "PropertyLampHourUnit"));
}

QString CProjectorData::GetRemainingLamp2TimeString(bool unit)
{
    if (f_CommonText(StLamp2Usage) == kNone || m_Status[StLamp2Info].ToUChar() == INFO_NOT_AVAILABLE)
        return kNone;
    return f_HoursText(StLamp2Usage, unit, QT_TRANSLATE_NOOP("CProjectorData", "PropertyLampHourUnit"));
}

QString CProjectorData::GetFilterUsageString(bool unit)
{
    if (f_CommonText(StFilterUsed) == kNone || m_Status[StFilterInfo].ToUChar() == INFO_NOT_AVAILABLE)
        return kNone;
    return f_HoursText(StFilterUsed, unit, QT_TRANSLATE_NOOP("CProjectorData", "PropertyLampHourUnit"));
}

QString CProjectorData::GetRemainingFilterUsageString(bool unit)
{
    if (!f_IsShown())
        return kNone;
    const qint64 used = m_Status[StFilterUsed].ToLong();
    const qint64 alarm = m_Status[StFilterAlarm].ToLong();
    if (used < 0 || alarm <= 0)
        return kNone;
    const qint64 remaining = alarm - used;
    // Time left is rounded up to whole hours; time overdue is truncated.
    const qint64 hours = remaining > 0 ? (remaining + 3599) / 3600 : remaining / 3600;
    QString text = QString::number(hours);
    if (unit)
        text += QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("CProjectorData", "PropertyFilterHourUnit"));
    return text;
}

QString CProjectorData::GetMACAddressString(int n)
{
    if (m_DeviceKind != 0 || !f_IsShown())
        return kNone;
    const int address = n == 2 ? StMacAddress2 : n == 3 ? StMacAddress3 : StMacAddress1;
    const int valid = n == 2 ? StMacValid2 : n == 3 ? StMacValid3 : StMacValid1;
    const QByteArray bytes = m_Status[address].ToByteArray();
    if (!m_Status[valid].ToBool() || bytes.size() < 6)
        return QString("");
    return QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", quint8(bytes[0]), quint8(bytes[1]),
                             quint8(bytes[2]), quint8(bytes[3]), quint8(bytes[4]), quint8(bytes[5]));
}

QString CProjectorData::GetRegistryNumberString() { return f_CommonText(StRegistryNumber); }
QString CProjectorData::GetSSIDString() { return f_CommonText(StSSID); }
QString CProjectorData::GetConnectionModeString() { return f_CommonText(StConnectionMode); }
QString CProjectorData::GetWepWpaString() { return f_CommonText(StWepWpa); }
QString CProjectorData::GetChannelString() { return f_CommonText(StChannel); }
QString CProjectorData::GetSignalLevelString() { return f_CommonText(StSignalLevel); }
QString CProjectorData::GetSyncFormString() { return f_CommonText(StSyncForm); }
QString CProjectorData::GetScanTypeString() { return f_CommonText(StScanType); }
QString CProjectorData::GetVerProductString() { return f_CommonText(StVerProduct); }
QString CProjectorData::GetVerSerialNumberString() { return f_CommonText(StVerSerialNumber); }
QString CProjectorData::GetVerLanUnitTypeString() { return f_CommonText(StVerLanUnitType); }
QString CProjectorData::GetVerLanUnitVersionString() { return f_CommonText(StVerLanUnitVersion); }
QString CProjectorData::GetVerFirmwareString() { return f_CommonText(StVerFirmware); }
QString CProjectorData::GetVerDataString() { return f_CommonText(StVerData); }
QString CProjectorData::GetVerFirmware2String() { return f_CommonText(StVerFirmware2); }
QString CProjectorData::GetVerData2String() { return f_CommonText(StVerData2); }

QString CProjectorData::GetSignalTypeString() { return kNone; }
QString CProjectorData::GetVidelFormatString() { return kNone; }

QString CProjectorData::GetIpAddressString(int)
{
    return f_IsShown() ? QStringLiteral("192.168.0.10") : kNone;
}

QString CProjectorData::GetGatewayString(int)
{
    return f_IsShown() ? QStringLiteral("172.16.200.1") : kNone;
}

QString CProjectorData::GetSubnetMaskString(int)
{
    return f_IsShown() ? QStringLiteral("255.255.0.0") : kNone;
}
