#ifndef CPROJECTORDATA_H
#define CPROJECTORDATA_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include "CPJErrorStatusList.h"
#include "CVariantParameter.h"

class CEventContainer;
class CGainInfo;
class CProfile;
class CProfileList;

// The record kept per configured projector: the operator's connection
// settings, the matched model profile, the polled status values, the
// adjustment values and the command engine's working fields. GUI thread only;
// no lock of its own.
class CProjectorData
{
public:
    // What the LAN address text holds.
    struct TYPE_LAN {
        enum Enum {
            HOST = 0,
            IP = 1,
            IP2 = 2,
            NETWORK = 3, // may hold '/'
            RANGE = 4    // may hold '-'
        };
    };

    // Status value positions (index into m_Status). The numbering is shared by
    // every subsystem that reads or writes status: entries are renamed, never
    // renumbered.
    enum Status {
        StModelCode1 = 1,
        StModelCode2 = 2,
        StModelCode3 = 3,
        StModelCode4 = 4,
        StModelName = 5,
        StMakerField3 = 6, // third field of the maker information
        StMakerId = 7,
        StOemInfo = 8,
        StSerialNumber = 9,
        StStatusValid = 10,
        StLowPowerStandby = 11,
        StPowerStatus = 12,
        StPowerIndicator = 13,
        StPictureMute = 14,
        StSoundMute = 15,
        StOsdMute = 16,
        StFreeze = 17,
        StErrorWordA = 18,
        StErrorData56 = 19,
        StErrorData7 = 20,
        StErrorData8 = 21,
        StErrorWordB = 22,
        StPrevErrorWordA = 23,
        StPrevErrorData56 = 24,
        StPrevErrorData7 = 25,
        StPrevErrorData8 = 26,
        StPrevErrorWordB = 27,
        StRemarkState = 28,
        StLampMode = 29,
        StLensCover = 30,
        StInputTerminalNumber = 31,
        StInputTerminalType = 32,
        StInputTerminal = 33,
        StPowerStatus16 = 34,
        StRegistryNumber = 35,
        StUnused036 = 36,
        StLastProjectorName = 37,
        StProjectorName = 38,
        StUnused039 = 39,
        StUnused040 = 40,
        StUnused041 = 41,
        StUnused042 = 42,
        StUnused043 = 43,
        StUnused044 = 44,
        StSSID = 45,
        StConnectionMode = 46,
        StWepWpa = 47,
        StChannel = 48,
        StSignalLevel = 49,
        StMacAddress1 = 50,
        StMacAddress2 = 51,
        StMacAddress3 = 52,
        StMacValid1 = 53,
        StMacValid2 = 54,
        StMacValid3 = 55,
        StLamp1Info = 56,
        StLamp1Usage = 57,
        StLamp1Remaining = 58,
        StLamp1Value = 59,
        StLamp2Info = 60,
        StLamp2Usage = 61,
        StLamp2Remaining = 62,
        StLamp2Value = 63,
        StFilterInfo = 64,
        StFilterUsed = 65,
        StFilterAlarm = 66,
        StUnused067 = 67,
        StUnused068 = 68,
        StSignalName = 69,
        StFreqHorizontal = 70,
        StFreqVertical = 71,
        StSyncPolarity = 72,
        StSyncForm = 73,
        StScanType = 74,
        StVerProduct = 75,
        StVerSerialNumber = 76,
        StVerLanUnitType = 77,
        StVerLanUnitVersion = 78,
        StVerFirmware = 79,
        StVerData = 80,
        StVerFirmware2 = 81,
        StVerData2 = 82,
        StRaw083 = 83,
        StRaw084 = 84,
        StRaw085 = 85,
        StRaw086 = 86,
        StRaw087 = 87,
        StRaw088 = 88,
        StRaw089 = 89,
        StRaw090 = 90,
        StRaw091 = 91,
        StRaw092 = 92,
        StRaw093 = 93,
        StRaw094 = 94,
        StRaw095 = 95,
        StRaw096 = 96,
        StRaw097 = 97,
        StRaw098 = 98,
        StRaw099 = 99,
        StRaw100 = 100,
        StRaw101 = 101,
        StRaw102 = 102,
        StRaw103 = 103,
        StRaw104 = 104,
        StRaw105 = 105,
        StRaw106 = 106,
        StRaw107 = 107,
        StRaw108 = 108,
        StRaw109 = 109,
        StRaw110 = 110,
        StRaw111 = 111,
        StRaw112 = 112,
        StRaw113 = 113,
        StRaw114 = 114,
        StRaw115 = 115,
        StRaw116 = 116,
        StRaw117 = 117,
        StRaw118 = 118,
        StRaw119 = 119,
        StRaw120 = 120,
        StRaw121 = 121,
        StRaw122 = 122,
        StRaw123 = 123,
        StRaw124 = 124,
        StRaw125 = 125,
        StRaw126 = 126,
        StRaw127 = 127,
        StRaw128 = 128,
        StRaw129 = 129,
        StRaw130 = 130,
        StRaw131 = 131,
        StRaw132 = 132,
        StRaw133 = 133,
        StRaw134 = 134,
        StRaw135 = 135,
        StRaw136 = 136,
        StRaw137 = 137,
        StRaw138 = 138,
        StRaw139 = 139,
        StRaw140 = 140,
        StRaw141 = 141,
        // Raw engine slots named by what they hold; the engine may rename the others.
        StRawPowerStatus = StRaw097,
        StRawInputTerminalNumber = StRaw099,
        StRawInputTerminalType = StRaw100,
        StRawPictureMute = StRaw102,
        StRawSoundMute = StRaw103,
        StRawOsdMute = StRaw104,
        StRawFreeze = StRaw105,
        StatusCount = 142 // array size: slot 0 is unused, positions run 1..141
    };

    // Connection state: connected with valid status values.
    static const int CONNECT_STATE_CONNECTED = 3;
    // Lamp and filter information code: not available.
    static const int INFO_NOT_AVAILABLE = 9;
    // Remark state bit: the filter alarm entry has been handed out.
    static const qint32 REMARK_FILTER_ALARM_SENT = 4;

    CProjectorData(CProfileList* profileList, int id);
    CProjectorData(const CProjectorData& other);
    CProjectorData& operator=(const CProjectorData& other);
    virtual ~CProjectorData();

    CProjectorData& f_Copy(const CProjectorData& other);
    int ConnectionReset(CProjectorData* other);
    CProjectorData* CopyConnection();
    bool IsConnectDestinationCompare(CProjectorData* other);
    bool IsOtherSettingCompare(CProjectorData* other);

    // Strict: no blanks; for a network "address/prefix", for a range
    // "first-last" (either may also be one plain address).
    static bool IsIPAdrrCheck(QString text, TYPE_LAN::Enum type);
    // The text in its clean dotted form ("010.0.0.1" gives "10.0.0.1"), the
    // form to store; empty when the check refuses it.
    static QString CleanAddressText(const QString& text, TYPE_LAN::Enum type);
    // A port number 0 to 65535 in its plain decimal form (" 07142" gives
    // "7142"), the form the user list reader keeps; other text unchanged.
    static QString CleanPortText(const QString& text);
    static bool SDecCheck(QString text, TYPE_LAN::Enum type);

    bool f_LampErrorBitEnabled(int lamp);
    bool f_IsRemainingLampTimeError();
    bool f_IsRemainingLamp2TimeError();
    bool f_IsRemainingFilterUsageError();
    int GetInputSignalPrioritySub();

    void f_CreateGainInfoData();

    // Display texts.
    QString GetDeviceString();
    QString GetStatusString();
    QString GetSettingNameString();
    QString GetUserCommentString();
    QString GetSettingString();
    QString GetPortString();
    QString GetLastUpdateString();
    QString GetGroupString();
    QString GetProjectorNameString();
    QString GetModelNameString();
    QString GetModelSerialNumberString();
    QString GetPictureMuteString();
    QString GetSoundMuteString();
    QString GetOSDMuteString();
    QString GetLensCoverStateString();
    QString GetLampModeString();
    QString GetInputTerminalString();
    QString GetSignalNameString();
    QString GetFreqHorizontalString();
    QString GetFreqVerticalString();
    QString GetSyncPolString();
    QString GetLampUsageString();
    QString GetLamp2UsageString();
    QString GetRemainingLampTimeString(bool unit);
    QString GetRemainingLamp2TimeString(bool unit);
    QString GetFilterUsageString(bool unit);
    QString GetRemainingFilterUsageString(bool unit);
    QString GetMACAddressString(int n);
    QString GetRegistryNumberString();
    QString GetSSIDString();
    QString GetConnectionModeString();
    QString GetWepWpaString();
    QString GetChannelString();
    QString GetSignalLevelString();
    QString GetSyncFormString();
    QString GetScanTypeString();
    QString GetVerProductString();
    QString GetVerSerialNumberString();
    QString GetVerLanUnitTypeString();
    QString GetVerLanUnitVersionString();
    QString GetVerFirmwareString();
    QString GetVerDataString();
    QString GetVerFirmware2String();
    QString GetVerData2String();
    QString GetSignalTypeString();
    QString GetVidelFormatString();
    QString GetIpAddressString(int n);
    QString GetGatewayString(int n);
    QString GetSubnetMaskString(int n);

    // Error decoding and remarks.
    CPJErrorStatusList GetPjErrMessage(int unused, bool onlyNew);
    CPJErrorStatusList CommonErrSts(bool onlyNew);
    CPJErrorStatusList GetRemarkErrorStatusList(bool summary, bool onlyNew);
    CPJErrorStatusList GetNewRemarkErrorStatusList();
    QString GetRemarkString(bool summary, bool onlyNew);

    // 1: the command engine's working state, owned and interpreted by it.
    qint32 m_StepNo = 0;
    qint32 m_CommandId = 0;
    qint32 m_Result = 0;
    qint32 m_ErrorCode = 0;
    qint32 m_StepWork = 0;
    // 2: engine flags.
    quint8 m_EngineFlags[8] = {};
    // 3: the frame last sent and its reply.
    QByteArray m_SendFrame;
    QByteArray m_ReceiveFrame;
    // 4: engine counters.
    quint8 m_EngineCounters[8] = {};
    // 5: parameters of the current command (owned).
    QList<CVariantParameter*> m_TempParameters;
    // 6
    qint32 m_EngineValue = 0;
    // 7: commands waiting for this projector (owned, with their commands).
    QList<CEventContainer*> m_PendingEvents;
    // Frees the waiting commands and empties the list.
    void DeletePendingEvents();

    // 8..31: settings and status, copied by f_Copy (except 28, 29).
    qint32 m_ConnectOption = 3;
    bool m_NewEntry = false;
    bool m_InputTerminalKnown = false;
    quint64 m_CreatedTick = 0;
    QDateTime m_LastUpdate;
    qint32 m_Id = 0;
    QString m_SettingName;
    QString m_SectionName;
    qint32 m_SectionNumber = 0;
    QString m_Comment;
    bool m_Enabled = true;
    CProfile* m_Profile = nullptr;         // not owned
    CProfileList* m_ProfileList = nullptr; // not owned
    TYPE_LAN::Enum m_AddressType = TYPE_LAN::IP;
    qint32 m_ConnectParameter = 0;
    qint32 m_DeviceKind = 0; // 0 LAN, other RS-232C
    QString m_Address;
    QString m_Port;
    qint32 m_ConnectState = 0;
    CVariantParameter m_Status[StatusCount];
    QMap<int, CGainInfo*> m_GainInfo;         // owned
    QMap<int, CGainInfo*> m_ReceivedGainInfo; // owned
    QMap<int, QString> m_GroupList;
    bool m_GroupsChanged = false;

private:
    void f_InitStatus();
    void f_CopySettings(const CProjectorData& other);
    void f_DeleteGainInfo();
    void f_DeleteCommandState();
    bool f_IsConnected() const { return m_ConnectState == CONNECT_STATE_CONNECTED; }
    bool f_IsStandby() const { return m_Status[StLowPowerStandby].ToBool(); }
    bool f_IsShown() const { return f_IsConnected() && !f_IsStandby(); }
    bool f_Flag(int id) const;
    bool f_IsLaser() const;
    QString f_CommonText(int position) const;
    QString f_SignalText(int position) const;
    QString f_HoursText(int position, bool unit, const char* unitKey) const;
    QString f_MuteText(int flag, int position, bool zeroIsOn) const;
};

#endif // CPROJECTORDATA_H
