#ifndef CDATAFUNCTIONSEVENT_H
#define CDATAFUNCTIONSEVENT_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include "CEventBase.h"
#include "CMailSettings.h"
#include "CTransportLogParameter.h"

class CProjectorData;

// A request accepted by the dispatcher: the common part of the request tuple.
// The dispatcher never sets the event id, so it stays 0; the completion slots
// set it from the engine's report.
class CDataFunctionsEvent : public CEventBase
{
public:
    enum Key {
        KEY_UPDATE_ALL_CONNECTIONS = 1,
        KEY_SET_POWER = 2,
        KEY_SET_INPUT_TERMINAL = 3,
        KEY_SET_PICTURE_MUTE = 4,
        KEY_SET_SOUND_MUTE = 5,
        KEY_SET_OSD_MUTE = 6,
        KEY_SET_FREEZE = 7,
        KEY_AUTO_ALL_UPDATE = 8,
        KEY_GET_ALL_GAIN = 9,
        KEY_GET_GAIN = 10,
        KEY_GET_BRIGHTNESS = 11,
        KEY_GET_CONTRAST = 12,
        KEY_GET_SHARPNESS = 13,
        KEY_GET_HUE = 14,
        KEY_GET_COLOR = 15,
        KEY_GET_VOLUME = 16,
        KEY_SET_GAIN = 17,
        KEY_SET_BRIGHTNESS = 18,
        KEY_SET_CONTRAST = 19,
        KEY_SET_SHARPNESS = 20,
        KEY_SET_HUE = 21,
        KEY_SET_COLOR = 22,
        KEY_SET_VOLUME = 23,
        KEY_SET_PROJECTOR_NAME = 24,
        KEY_STOP = 25,
        KEY_SMTP_SEND = 26,
        KEY_ADD_LOG = 27,
        KEY_CHANGE_LOG_PATH = 28,
        KEY_LOG_ENABLE = 29,
        KEY_COMMAND_COMPLETED = 30,
        KEY_COMMAND_ERROR_END = 31,
        KEY_COMMAND_NACK_RECEIVED = 32,
        KEY_COMMAND_CANCELED = 33,
        KEY_COMMAND_COMPLETED_SCHEDULE = 34,
        KEY_COMMAND_ERROR_END_SCHEDULE = 35,
        KEY_SCHEDULE_START = 36,
        KEY_SCHEDULE_STOP = 37,
        KEY_SCHEDULE_LOG_ENABLE = 38,
        KEY_SCHEDULE_CHANGE_LOG_PATH = 39,
        KEY_SCHEDULE_EXECUTE = 40
    };

    explicit CDataFunctionsEvent(int key);
    ~CDataFunctionsEvent() override;

    QList<int> m_Targets;
    bool m_bCache = false;
    int m_nFrom = 0;
    int m_nAct = 0;
    int m_nCommandID = 0;
};

// Key 1. The two lists are copies owned by the record.
class CDataFunctionsEventUpdateAllConnections : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventUpdateAllConnections();
    ~CDataFunctionsEventUpdateAllConnections() override;
    // Frees the two list copies.
    void DeleteLists();

    QMap<int, CProjectorData*>* m_lstAdd = nullptr;
    QList<bool>* m_lstModifyOnly = nullptr;
    QList<int>* m_lstDelete = nullptr;
    QMap<int, CProjectorData*>* m_Result = nullptr;
};

// A request carrying one integer value (keys 2 to 7).
class CDataFunctionsEventValue : public CDataFunctionsEvent
{
public:
    explicit CDataFunctionsEventValue(int key) : CDataFunctionsEvent(key) {}
    int m_nValue = 0;
};

class CDataFunctionsEventSetPower : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetPower() : CDataFunctionsEventValue(KEY_SET_POWER) {}
};
class CDataFunctionsEventSetInputTerminal : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetInputTerminal() : CDataFunctionsEventValue(KEY_SET_INPUT_TERMINAL) {}
};
class CDataFunctionsEventSetPictureMute : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetPictureMute() : CDataFunctionsEventValue(KEY_SET_PICTURE_MUTE) {}
};
class CDataFunctionsEventSetSoundMute : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetSoundMute() : CDataFunctionsEventValue(KEY_SET_SOUND_MUTE) {}
};
class CDataFunctionsEventSetOSDMute : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetOSDMute() : CDataFunctionsEventValue(KEY_SET_OSD_MUTE) {}
};
class CDataFunctionsEventSetFreeze : public CDataFunctionsEventValue
{
public:
    CDataFunctionsEventSetFreeze() : CDataFunctionsEventValue(KEY_SET_FREEZE) {}
};

// Requests with no extra fields.
class CDataFunctionsEventAutoAllUpdate : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventAutoAllUpdate() : CDataFunctionsEvent(KEY_AUTO_ALL_UPDATE) {}
};
class CDataFunctionsEventGetAllGain : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetAllGain() : CDataFunctionsEvent(KEY_GET_ALL_GAIN) {}
};
class CDataFunctionsEventGetGain : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetGain() : CDataFunctionsEvent(KEY_GET_GAIN) {}
    int m_nKind = 0;
    int m_nSub = 0;
};
class CDataFunctionsEventGetBrightness : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetBrightness() : CDataFunctionsEvent(KEY_GET_BRIGHTNESS) {}
};
class CDataFunctionsEventGetContrast : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetContrast() : CDataFunctionsEvent(KEY_GET_CONTRAST) {}
};
class CDataFunctionsEventGetSharpness : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetSharpness() : CDataFunctionsEvent(KEY_GET_SHARPNESS) {}
};
class CDataFunctionsEventGetHue : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetHue() : CDataFunctionsEvent(KEY_GET_HUE) {}
};
class CDataFunctionsEventGetColor : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetColor() : CDataFunctionsEvent(KEY_GET_COLOR) {}
};
class CDataFunctionsEventGetVolume : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventGetVolume() : CDataFunctionsEvent(KEY_GET_VOLUME) {}
};

class CDataFunctionsEventSetGain : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventSetGain() : CDataFunctionsEvent(KEY_SET_GAIN) {}
    int m_nValue1 = 0;
    int m_nValue2 = 0;
    int m_nValue3 = 0;
    qint16 m_nValue4 = 0;
};

// An adjustment set request: parameters 0 and 1 (keys 18 to 23).
class CDataFunctionsEventSetAdjustment : public CDataFunctionsEvent
{
public:
    explicit CDataFunctionsEventSetAdjustment(int key) : CDataFunctionsEvent(key) {}
    int m_nFirstValue = 0;
    int m_nSecondValue = 0;
};
class CDataFunctionsEventSetBrightness : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetBrightness() : CDataFunctionsEventSetAdjustment(KEY_SET_BRIGHTNESS) {}
};
class CDataFunctionsEventSetContrast : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetContrast() : CDataFunctionsEventSetAdjustment(KEY_SET_CONTRAST) {}
};
class CDataFunctionsEventSetSharpness : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetSharpness() : CDataFunctionsEventSetAdjustment(KEY_SET_SHARPNESS) {}
};
class CDataFunctionsEventSetHue : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetHue() : CDataFunctionsEventSetAdjustment(KEY_SET_HUE) {}
};
class CDataFunctionsEventSetColor : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetColor() : CDataFunctionsEventSetAdjustment(KEY_SET_COLOR) {}
};
class CDataFunctionsEventSetVolume : public CDataFunctionsEventSetAdjustment
{
public:
    CDataFunctionsEventSetVolume() : CDataFunctionsEventSetAdjustment(KEY_SET_VOLUME) {}
};

class CDataFunctionsEventSetProjectorName : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventSetProjectorName() : CDataFunctionsEvent(KEY_SET_PROJECTOR_NAME) {}
    QString m_Name;
};

class CDataFunctionsEventStop : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventStop() : CDataFunctionsEvent(KEY_STOP) {}
};

class CDataFunctionsEventSMTPSend : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventSMTPSend() : CDataFunctionsEvent(KEY_SMTP_SEND) {}
    CMailSettings m_MailSettings;
    QString m_Subject;
    QString m_Body;
    bool m_bTestMail = false;
};

class CDataFunctionsEventAddLog : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventAddLog() : CDataFunctionsEvent(KEY_ADD_LOG) {}
    CTransportLogParameter m_LogParameter;
};

class CDataFunctionsEventChangeLogPath : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventChangeLogPath() : CDataFunctionsEvent(KEY_CHANGE_LOG_PATH) {}
    QString m_Path;
};

class CDataFunctionsEventLogEnable : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventLogEnable() : CDataFunctionsEvent(KEY_LOG_ENABLE) {}
    bool m_bEnabled = false;
};

class CDataFunctionsEventCommandCompleted : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandCompleted() : CDataFunctionsEvent(KEY_COMMAND_COMPLETED) {}
    int m_nTarget = 0;
};

class CDataFunctionsEventCommandErrorEnd : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandErrorEnd() : CDataFunctionsEvent(KEY_COMMAND_ERROR_END) {}
    int m_nTarget = 0;
    int m_nErrorCode = 0;
};

class CDataFunctionsEventCommandNackReceived : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandNackReceived() : CDataFunctionsEvent(KEY_COMMAND_NACK_RECEIVED) {}
    int m_nTarget = 0;
    int m_nNackCode = 0;
};

class CDataFunctionsEventCommandCanceled : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandCanceled() : CDataFunctionsEvent(KEY_COMMAND_CANCELED) {}
    int m_nTarget = 0;
};

class CDataFunctionsEventCommandCompletedSchedule : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandCompletedSchedule() : CDataFunctionsEvent(KEY_COMMAND_COMPLETED_SCHEDULE) {}
    int m_nTarget = 0;
    int m_nCommand = 0;
    int m_nScheduleEventID = 0;
};

class CDataFunctionsEventCommandErrorEndSchedule : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventCommandErrorEndSchedule() : CDataFunctionsEvent(KEY_COMMAND_ERROR_END_SCHEDULE) {}
    int m_nTarget = 0;
    int m_nCommand = 0;
    int m_nScheduleEventID = 0;
    int m_nErrorCode = 0;
};

class CDataFunctionsEventScheduleStart : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventScheduleStart() : CDataFunctionsEvent(KEY_SCHEDULE_START) {}
    QDateTime m_StartTime;
};

class CDataFunctionsEventScheduleStop : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventScheduleStop() : CDataFunctionsEvent(KEY_SCHEDULE_STOP) {}
};

class CDataFunctionsEventScheduleLogEnable : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventScheduleLogEnable() : CDataFunctionsEvent(KEY_SCHEDULE_LOG_ENABLE) {}
    bool m_bEnabled = false;
};

class CDataFunctionsEventScheduleChangeLogPath : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventScheduleChangeLogPath() : CDataFunctionsEvent(KEY_SCHEDULE_CHANGE_LOG_PATH) {}
    QString m_Path;
};

class CDataFunctionsEventScheduleExecute : public CDataFunctionsEvent
{
public:
    CDataFunctionsEventScheduleExecute() : CDataFunctionsEvent(KEY_SCHEDULE_EXECUTE) {}
    // Without its parameters the request names no instance (no key is
    // negative), so it runs nothing.
    int m_nKey = -1;
    int m_nCommID = -1;
};

#endif // CDATAFUNCTIONSEVENT_H
