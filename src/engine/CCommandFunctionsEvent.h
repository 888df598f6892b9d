#ifndef CCOMMANDFUNCTIONSEVENT_H
#define CCOMMANDFUNCTIONSEVENT_H

#include <QList>
#include <QString>

#include "CEventBase.h"

// One command for one projector, or one result fed back into the command that
// runs: the handler key, the caller's event id, the cache flag (answer from
// values already known when they are complete) and who asked for what.
class CCommandFunctionsEvent : public CEventBase
{
public:
    // Handler keys; 2 is not used.
    enum Key {
        KEY_CREATE = 1,
        KEY_SEQUENCE_COMPLETED = 3,
        KEY_ON_ERROR = 4,
        KEY_NACK_RECEIVED = 5,
        KEY_CANCELED = 6,
        KEY_SET_POWER = 7,
        KEY_SET_INPUT_TERMINAL = 8,
        KEY_SET_PICTURE_MUTE = 9,
        KEY_SET_SOUND_MUTE = 10,
        KEY_SET_OSD_MUTE = 11,
        KEY_SET_FREEZE = 12,
        KEY_SET_GAIN = 13,
        KEY_CANCEL = 14,
        KEY_ALL_UPDATE = 15,
        KEY_GET_GAIN = 16,
        KEY_SET_PROJECTOR_NAME = 17,
        KEY_SET_MUTE_ALL_SCHEDULE = 18
    };

    CCommandFunctionsEvent(int key, int eventID, int target, int from, int act, int cmd, bool flag);

    bool m_bFlag;
    int m_nTargetID;
    int m_nFrom;
    int m_nAct;
    int m_nCmd;
};

// A command that carries one integer (power, mutes, freeze, input terminal,
// scheduled mute of all three).
class CCommandFunctionsEventValue : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventValue(int key, int value, int eventID, int target, int from, int act, int cmd,
                                bool flag)
        : CCommandFunctionsEvent(key, eventID, target, from, act, cmd, flag), m_nValue(value)
    {
    }
    int m_nValue;
};

class CCommandFunctionsEventSetPower : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetPower(int value, int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEventValue(KEY_SET_POWER, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetInputTerminal : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetInputTerminal(int terminal, int eventID, int target, int from, int act, int cmd,
                                           bool flag)
        : CCommandFunctionsEventValue(KEY_SET_INPUT_TERMINAL, terminal, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetPictureMute : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetPictureMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEventValue(KEY_SET_PICTURE_MUTE, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetSoundMute : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetSoundMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEventValue(KEY_SET_SOUND_MUTE, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetOSDMute : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetOSDMute(int value, int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEventValue(KEY_SET_OSD_MUTE, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetFreeze : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetFreeze(int value, int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEventValue(KEY_SET_FREEZE, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetMuteAllSchedule : public CCommandFunctionsEventValue
{
public:
    CCommandFunctionsEventSetMuteAllSchedule(int value, int eventID, int target, int from, int act, int cmd,
                                             bool flag)
        : CCommandFunctionsEventValue(KEY_SET_MUTE_ALL_SCHEDULE, value, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventSetGain : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventSetGain(int first, int second, int third, int fourth, int eventID, int target,
                                  int from, int act, int cmd, bool flag)
        : CCommandFunctionsEvent(KEY_SET_GAIN, eventID, target, from, act, cmd, flag),
          m_nFirst(first), m_nSecond(second), m_nThird(third), m_nFourth(fourth) {}
    int m_nFirst;
    int m_nSecond;
    int m_nThird;
    int m_nFourth;
};

class CCommandFunctionsEventGetGain : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventGetGain(const QList<int>& keys, int eventID, int target, int from, int act, int cmd,
                                  bool flag)
        : CCommandFunctionsEvent(KEY_GET_GAIN, eventID, target, from, act, cmd, flag), m_Keys(keys) {}
    QList<int> m_Keys;
};

class CCommandFunctionsEventSetProjectorName : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventSetProjectorName(const QString& name, int eventID, int target, int from, int act,
                                           int cmd, bool flag)
        : CCommandFunctionsEvent(KEY_SET_PROJECTOR_NAME, eventID, target, from, act, cmd, flag), m_Name(name) {}
    QString m_Name;
};

class CCommandFunctionsEventAllUpdate : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventAllUpdate(int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEvent(KEY_ALL_UPDATE, eventID, target, from, act, cmd, flag) {}
};

class CCommandFunctionsEventCancel : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventCancel(int eventID, int target, int from, int act, int cmd, bool flag)
        : CCommandFunctionsEvent(KEY_CANCEL, eventID, target, from, act, cmd, flag) {}
};

// Results fed back into the running command, built from its return parameters.
class CCommandFunctionsEventSequenceCompleted : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventSequenceCompleted(int eventID, int target, int from, int act, int cmd)
        : CCommandFunctionsEvent(KEY_SEQUENCE_COMPLETED, eventID, target, from, act, cmd, false) {}
};

class CCommandFunctionsEventOnError : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventOnError(int eventID, int target, int from, int act, int cmd)
        : CCommandFunctionsEvent(KEY_ON_ERROR, eventID, target, from, act, cmd, false) {}
};

class CCommandFunctionsEventNackReceived : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventNackReceived(int eventID, int target, int from, int act, int cmd)
        : CCommandFunctionsEvent(KEY_NACK_RECEIVED, eventID, target, from, act, cmd, false) {}
};

class CCommandFunctionsEventCanceled : public CCommandFunctionsEvent
{
public:
    CCommandFunctionsEventCanceled(int eventID, int target, int from, int act, int cmd)
        : CCommandFunctionsEvent(KEY_CANCELED, eventID, target, from, act, cmd, false) {}
};

#endif // CCOMMANDFUNCTIONSEVENT_H
