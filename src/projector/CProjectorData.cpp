#include "CProjectorData.h"

#include <QDebug>

#include "CEventBase.h"
#include "CEventContainer.h"
#include "CGainInfo.h"
#include "CGetTickMSec.h"
#include "CProfile.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"
#include "Ipv4Text.h"
#include "LogCategories.h"

CProjectorData::CProjectorData(CProfileList* profileList, int id)
{
    try {
        qCDebug(lcProjector, "create PJ Constract------------------------- ");
        m_Id = id;
        m_ProfileList = profileList;
        m_SettingName = QStringLiteral("Setting1");
        m_SectionName = QString("");
        m_Comment = QString("");
        m_Address = QStringLiteral("192.168.0.10");
        m_Port = QStringLiteral("7142");
        f_CreateGainInfoData();
        f_InitStatus();
        m_CreatedTick = quint64(CGetTickMSec::GetTickMSec());
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
}

CProjectorData::CProjectorData(const CProjectorData& other)
{
    f_Copy(other);
}

CProjectorData& CProjectorData::operator=(const CProjectorData& other)
{
    return f_Copy(other);
}

CProjectorData::~CProjectorData()
{
    f_DeleteGainInfo();
    f_DeleteCommandState();
}

// The record owns its waiting commands and the running command's
// parameters; whoever takes one out of these lists frees it.
void CProjectorData::DeletePendingEvents()
{
    // Emptied first, so the list never holds a freed command.
    const QList<CEventContainer*> pending = m_PendingEvents;
    m_PendingEvents.clear();
    for (CEventContainer* box : pending) {
        delete box->GetEvent();
        delete box;
    }
}

void CProjectorData::f_DeleteCommandState()
{
    DeletePendingEvents();
    const QList<CVariantParameter*> temporary = m_TempParameters;
    m_TempParameters.clear();
    qDeleteAll(temporary);
}

void CProjectorData::f_InitStatus()
{
    m_Status[StStatusValid].FromBool(false);
    m_Status[StLowPowerStandby].FromBool(false);
    m_Status[StFreeze].FromBool(false);
    for (int base : { int(StErrorWordA), int(StPrevErrorWordA) }) {
        m_Status[base].FromULong(0);
        m_Status[base + 1].FromShort(0);
        m_Status[base + 2].FromUChar(0);
        m_Status[base + 3].FromUChar(0);
        m_Status[base + 4].FromLong(0);
    }
    m_Status[StRemarkState].FromLong(0);
    m_Status[StLampMode].FromInt(4);
    m_Status[StLensCover].FromInt(2);
    m_Status[StPowerStatus16].FromInt(0);
    m_Status[StLamp1Info].FromUChar(0);
    m_Status[StLamp1Remaining].FromLong(0);
    m_Status[StLamp1Value].FromLong(0);
    m_Status[StLamp2Remaining].FromLong(0);
    m_Status[StLamp2Value].FromLong(0);
}

void CProjectorData::f_DeleteGainInfo()
{
    qDeleteAll(m_GainInfo);
    m_GainInfo.clear();
    qDeleteAll(m_ReceivedGainInfo);
    m_ReceivedGainInfo.clear();
}

void CProjectorData::f_CreateGainInfoData()
{
    for (QMap<int, CGainInfo*>* map : { &m_GainInfo, &m_ReceivedGainInfo }) {
        for (int kind = 0; kind < CGainInfo::KindCount; ++kind) {
            CGainInfo* info = new CGainInfo();
            info->m_Kind.FromInt(kind);
            info->m_Index.FromInt(0);
            const int key = CGainInfo::Key(kind, 0);
            delete map->value(key, nullptr);
            map->insert(key, info);
        }
    }
}

void CProjectorData::f_CopySettings(const CProjectorData& other)
{
    m_ConnectOption = other.m_ConnectOption;
    m_NewEntry = other.m_NewEntry;
    m_InputTerminalKnown = other.m_InputTerminalKnown;
    m_CreatedTick = other.m_CreatedTick;
    m_LastUpdate = other.m_LastUpdate;
    m_Id = other.m_Id;
    m_SettingName = other.m_SettingName;
    m_SectionName = other.m_SectionName;
    m_SectionNumber = other.m_SectionNumber;
    m_Comment = other.m_Comment;
    m_Enabled = other.m_Enabled;
    m_Profile = other.m_Profile;
    m_ProfileList = other.m_ProfileList;
    m_AddressType = other.m_AddressType;
    m_ConnectParameter = other.m_ConnectParameter;
    m_DeviceKind = other.m_DeviceKind;
    m_Address = other.m_Address;
    m_Port = other.m_Port;
    m_ConnectState = other.m_ConnectState;
    for (int i = 0; i < StatusCount; ++i)
        m_Status[i] = other.m_Status[i];
    m_GroupList = other.m_GroupList;
    m_GroupsChanged = other.m_GroupsChanged;
}

CProjectorData& CProjectorData::f_Copy(const CProjectorData& other)
{
    if (&other == this)
        return *this;
    f_CopySettings(other);
    // Adjustment values are polled again; the copy gets fresh records of its own.
    f_CreateGainInfoData();
    return *this;
}

int CProjectorData::ConnectionReset(CProjectorData* other)
{
    if (!other)
        return -1;
    const qint32 id = m_Id;
    const QString sectionName = m_SectionName;
    const qint32 sectionNumber = m_SectionNumber;
    f_Copy(*other);
    m_Id = id;
    m_SectionName = sectionName;
    m_SectionNumber = sectionNumber;
    m_ConnectState = 0;
    for (int pos = StErrorWordA; pos <= StPrevErrorWordB; ++pos)
        m_Status[pos].FromInt(0);
    m_Status[StLamp1Info].FromUChar(INFO_NOT_AVAILABLE);
    m_Status[StLamp2Info].FromUChar(INFO_NOT_AVAILABLE);
    m_Status[StFilterInfo].FromUChar(INFO_NOT_AVAILABLE);
    m_InputTerminalKnown = false;
    m_Status[StMacValid1].FromBool(false);
    m_Status[StMacValid2].FromBool(false);
    m_Status[StMacValid3].FromBool(false);
    m_Status[StStatusValid].FromBool(false);
    return 0;
}

CProjectorData* CProjectorData::CopyConnection()
{
    try {
        CProjectorData* copy = new CProjectorData(m_ProfileList, m_Id);
        copy->m_DeviceKind = m_DeviceKind;
        copy->m_AddressType = m_AddressType;
        copy->m_Address = m_Address;
        copy->m_Port = m_Port;
        copy->m_Comment = m_Comment;
        copy->m_SettingName = m_SettingName;
        if (!m_SectionName.isNull())
            copy->m_SectionName = m_SectionName;
        copy->m_ConnectOption = m_ConnectOption;
        return copy;
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return nullptr;
}

bool CProjectorData::IsConnectDestinationCompare(CProjectorData* other)
{
    if (!other)
        return false;
    if (m_ConnectParameter != other->m_ConnectParameter || m_Enabled != other->m_Enabled
        || m_Address != other->m_Address || m_DeviceKind != other->m_DeviceKind)
        return false;
    // " 7142" typed once and "7142" read back from the user list are one port.
    return m_DeviceKind != 0 || CleanPortText(m_Port) == CleanPortText(other->m_Port);
}

bool CProjectorData::IsOtherSettingCompare(CProjectorData* other)
{
    return other && m_SettingName == other->m_SettingName && m_Comment == other->m_Comment;
}

bool CProjectorData::SDecCheck(QString text, TYPE_LAN::Enum type)
{
    bool result = false;
    for (const QChar c : text) {
        if (c.isDigit()) {
            result = true;
        } else if (c == QLatin1Char('/')) {
            if (type != TYPE_LAN::NETWORK)
                return false;
            result = true;
        } else if (c == QLatin1Char('-')) {
            if (type != TYPE_LAN::RANGE)
                return false;
            result = true;
        }
    }
    return result;
}

bool CProjectorData::IsIPAdrrCheck(QString text, TYPE_LAN::Enum type)
{
    return !CleanAddressText(text, type).isEmpty();
}

namespace {

// Exactly four parts of one to three ASCII digits and nothing else: a blank
// anywhere is refused, since the connection could not use the text.
bool strictAddress(const QString& text, quint32* address)
{
    for (const QChar c : text) {
        if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    return parseIpv4Text(text, address);
}

bool deviceAddress(quint32 address)
{
    const quint32 first = address >> 24;
    const quint32 fourth = address & 0xFF;
    return first >= 1 && first <= 223 && fourth >= 1 && fourth <= 254;
}

QString dotted(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

} // namespace

QString CProjectorData::CleanAddressText(const QString& text, TYPE_LAN::Enum type)
{
    if (!SDecCheck(text, type))
        return QString();
    quint32 address = 0;
    if (type == TYPE_LAN::NETWORK && text.contains(QLatin1Char('/'))) {
        // A network: its address, "/" and a prefix length of 1 to 32.
        const QStringList parts = text.split(QLatin1Char('/'));
        if (parts.size() != 2 || !strictAddress(parts.at(0), &address) || parts.at(1).isEmpty()
            || parts.at(1).size() > 3)
            return QString();
        quint32 prefix = 0;
        for (const QChar c : parts.at(1)) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QString();
            prefix = prefix * 10 + quint32(c.unicode() - '0');
        }
        const quint32 first = address >> 24;
        if (first < 1 || first > 223 || prefix < 1 || prefix > 32)
            return QString();
        return dotted(address) + QLatin1Char('/') + QString::number(prefix);
    }
    if (type == TYPE_LAN::RANGE && text.contains(QLatin1Char('-'))) {
        // A range: two device addresses joined by "-", the first not above the second.
        const QStringList parts = text.split(QLatin1Char('-'));
        quint32 last = 0;
        if (parts.size() != 2 || !strictAddress(parts.at(0), &address) || !strictAddress(parts.at(1), &last)
            || !deviceAddress(address) || !deviceAddress(last) || address > last)
            return QString();
        return dotted(address) + QLatin1Char('-') + dotted(last);
    }
    if (!strictAddress(text, &address) || !deviceAddress(address))
        return QString();
    return dotted(address);
}

QString CProjectorData::CleanPortText(const QString& text)
{
    bool isNumber = false;
    const int port = text.toInt(&isNumber, 10);
    return isNumber && port >= 0 && port <= 65535 ? QString::number(port) : text;
}

bool CProjectorData::f_Flag(int id) const
{
    return m_Profile && m_Profile->GetProfileBoolParameter(id);
}

bool CProjectorData::f_IsLaser() const
{
    return f_Flag(ProfileFlag::LaserBeam);
}

bool CProjectorData::f_LampErrorBitEnabled(int lamp)
{
    if (f_IsLaser())
        return false;
    const quint32 wordA = m_Status[StErrorWordA].ToULong();
    return (wordA & (lamp == 2 ? 0x3C00400u : 0x1801C0u)) != 0;
}

bool CProjectorData::f_IsRemainingLampTimeError()
{
    if (!f_IsConnected() || m_Status[StLamp1Info].ToUChar() == INFO_NOT_AVAILABLE)
        return false;
    return f_LampErrorBitEnabled(1);
}

bool CProjectorData::f_IsRemainingLamp2TimeError()
{
    if (!f_IsConnected() || m_Status[StLamp2Info].ToUChar() == INFO_NOT_AVAILABLE)
        return false;
    return f_LampErrorBitEnabled(2);
}

bool CProjectorData::f_IsRemainingFilterUsageError()
{
    if (!f_IsConnected() || m_Status[StFilterInfo].ToUChar() == INFO_NOT_AVAILABLE)
        return false;
    const qint64 alarm = m_Status[StFilterAlarm].ToLong();
    if (alarm <= 0)
        return false;
    return alarm - qint64(m_Status[StFilterUsed].ToLong()) <= 0;
}

int CProjectorData::GetInputSignalPrioritySub()
{
    const int value = m_Status[StInputTerminal].ToInt();
    if (!m_Profile)
        return value;
    try {
        for (const CSectionItem* item : m_Profile->InputTerminals()->values()) {
            if (item->code == value)
                return item->hasSub ? item->sub : value;
        }
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return value;
}
