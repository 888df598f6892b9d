#ifndef CDATAFUNCTIONS_H
#define CDATAFUNCTIONS_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

#include "CLumivox5Thread.h"
#include "CMailSettings.h"
#include "CScheduleExcuteAdminInfoSub.h"
#include "CVariantParameter.h"

class CCommandFunctions;
class CEventBase;
class CLumivox5Data;
class CProjectorData;
class CSMTPSend;
class CSchedule;
class CScheduleData;
class CTransportLog;
class CVirtualTime;

// The request dispatcher. A request tuple (command id, parameters, from, act,
// targets, cache, log) from the main window, the adjustment plug-in or the
// schedule runner is checked, turned into a typed record by the creator
// registered for (act, command id), run at once by the handler of the
// record's key and deleted. Projector requests become one command engine
// operation per known target; log, mail and schedule requests go to the
// communication log writer, the mail sender and the schedule runner, which
// the dispatcher owns together with the scheduler clock. Everything runs on
// the caller's (GUI) thread.
class CDataFunctions : public CLumivox5Thread
{
    Q_OBJECT
public:
    typedef CEventBase* (CDataFunctions::*CreateFunction)(int cmd, int act, QList<CVariantParameter>* params,
                                                           int from, QList<int>* targets, bool cache,
                                                           bool log);
    typedef void (CDataFunctions::*EventFunction)(CEventBase* event);

    static const int STUB_TABLE_SIZE = 1000;
    static const int COMMAND_ID_MAX = 150;
    static const int FROM_MAX = 10;
    static const int ACT_MAX = 150;
    // The origin of the requests and commands of schedule execution.
    static const int FROM_SCHEDULE = 3;

    explicit CDataFunctions(CLumivox5Data* data);
    ~CDataFunctions() override;

    // 0 handled (or stubbed, or no record), 3 from, 4 command id, 5 act out of
    // range, 6 no creator or no handler, 9 the creator failed.
    int SetDataThreadEvent(int cmd, QList<CVariantParameter>* params, int from, int act,
                           QList<int>* targets, bool cache, bool log);

    // Stub table.
    void f_InitStubMode();
    bool IsStub(int cmd) const;
    void OnStub(int cmd, QString& text, int value);
    // Assigns `data` to the data hub's record of projector `id`, when there is one.
    void SetStubData(int id, const CProjectorData& data);

    // Offline mode as the main window's requests see it: the offline flag and
    // the offline-menu flag both set.
    bool f_IsOfflineMode() const;

    // Schedule execution: the state of expanded instance `key`.
    bool IsTodayExcuteSchedule(int key, QDateTime when);
    void SetExcuteScheduleStatus(int projectorId, int key, CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Enum status);
    bool CheckExcuteScheduleCompleted(int key);
    static bool IsPossibleToRetryErrorCode(int code);
    static int ConvScheduleLogErrorCode(int code);

    void f_AddEnqueueEventLog(QString name, QList<int>* targets, int from, bool cache);
    void f_AddEventLog(QDateTime& time, int a, int b, QString& text, QList<QString>& list);
    int ConnectTargetSignals();

    // The owned workers; the main window wires them to its own slots.
    CTransportLog* GetTransportLog() const { return m_pTransportLog; }
    CSMTPSend* GetSMTPSend() const { return m_pSMTPSend; }
    CSchedule* GetSchedule() const { return m_pSchedule; }
    CVirtualTime* GetVirtualTime() const { return m_pVirtualTime; }

signals:
    void CompletedUpdateTargetList();
    void UpdateTiming(int cmd, int from, int act, int target);
    void UpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act, int target);
    void CompleteGetGain(int dataID);
    void TransportStateUpdate(int target);
    void ScheduleExecuteWithOffline(int cmd, int from, int act, int target, int status, int scheduleid);
    void CompletedMailSignal(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail);

public slots:
    void f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail);
    void f_OnProgress(int max, int value, int eventID, int targetID, int from, int act, int cmd);
    void f_OnCompleted(int eventID, int targetID, int from, int act, int cmd);
    void f_OnError(int errorCode, int eventID, int targetID, int from, int act, int cmd);
    void f_OnNackReceived(int nackCode, int eventID, int targetID, int from, int act, int cmd);
    void f_OnCanceled(int eventID, int targetID, int from, int act, int cmd);
    void f_OnConnectStart(int eventID, int targetID, int from, int act, int cmd);
    void f_OnConnected(int eventID, int targetID, int from, int act, int cmd);
    void f_OnDisconnectStart(int eventID, int targetID, int from, int act, int cmd);
    void f_OnDisconnected(int eventID, int targetID, int from, int act, int cmd);
    void f_OnSendStart(int eventID, int targetID, int from, int act, int cmd);
    void f_OnReceiveStart(int eventID, int targetID, int from, int act, int cmd);
    void f_OnDisconnectedFromPeer(int eventID, int targetID, int from, int act, int cmd);
    void f_OnSend(QDateTime dtTime, QString strTarget, QByteArray aryData, int intLength, int eventID,
                  int targetID, int from, int act, int cmd);
    void f_OnReceived(QDateTime dtTime, QString strTarget, QByteArray aryData, int intLength, int eventID,
                      int targetID, int from, int act, int cmd);
    void ScheduleExecute(int key, int CommID);
    void ErrorNotificationProc(QString msg, int code);

protected:
    void f_CreateEventList() override;

    // Tables.
    int f_AddEventCreateFunctionList(int act, int cmd, CreateFunction creator);
    void f_CreateEventCreateFunctionList();
    void f_CreateEventFunctionsList();
    CEventBase* f_CreateEventData(int cmd, QList<CVariantParameter>* params, int from, int act,
                                  QList<int>* targets, bool cache, bool log, int* result);
    void f_StubSetDataThreadEvent(int cmd, QList<CVariantParameter>* params, int from, int act,
                                  QList<int>* targets, bool cache, bool log);

    // Creators, one per record kind.
    CEventBase* f_CreateEventUpdateAllConnections(int cmd, int act, QList<CVariantParameter>* params,
                                                  int from, QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetPower(int cmd, int act, QList<CVariantParameter>* params, int from,
                                      QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetInputTerminal(int cmd, int act, QList<CVariantParameter>* params, int from,
                                              QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetPictureMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                            QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetSoundMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                          QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetOSDMute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                        QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetFreeze(int cmd, int act, QList<CVariantParameter>* params, int from,
                                       QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventAutoAllUpdate(int cmd, int act, QList<CVariantParameter>* params, int from,
                                           QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetAllGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                        QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                     QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetBrightness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                           QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetContrast(int cmd, int act, QList<CVariantParameter>* params, int from,
                                         QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetSharpness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                          QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetHue(int cmd, int act, QList<CVariantParameter>* params, int from,
                                    QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetColor(int cmd, int act, QList<CVariantParameter>* params, int from,
                                      QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventGetVolume(int cmd, int act, QList<CVariantParameter>* params, int from,
                                       QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetGain(int cmd, int act, QList<CVariantParameter>* params, int from,
                                     QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetBrightness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                           QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetContrast(int cmd, int act, QList<CVariantParameter>* params, int from,
                                         QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetSharpness(int cmd, int act, QList<CVariantParameter>* params, int from,
                                          QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetHue(int cmd, int act, QList<CVariantParameter>* params, int from,
                                    QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetColor(int cmd, int act, QList<CVariantParameter>* params, int from,
                                      QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetVolume(int cmd, int act, QList<CVariantParameter>* params, int from,
                                       QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSetProjectorName(int cmd, int act, QList<CVariantParameter>* params, int from,
                                              QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventStop(int cmd, int act, QList<CVariantParameter>* params, int from,
                                  QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventSMTPSend(int cmd, int act, QList<CVariantParameter>* params, int from,
                                      QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventAddLog(int cmd, int act, QList<CVariantParameter>* params, int from,
                                    QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventChangeLogPath(int cmd, int act, QList<CVariantParameter>* params, int from,
                                           QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventLogEnable(int cmd, int act, QList<CVariantParameter>* params, int from,
                                       QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventCommandCompleted(int cmd, int act, QList<CVariantParameter>* params, int from,
                                              QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventCommandErrorEnd(int cmd, int act, QList<CVariantParameter>* params, int from,
                                             QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventCommandCompletedSchedule(int cmd, int act, QList<CVariantParameter>* params,
                                                      int from, QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventCommandErrorEndSchedule(int cmd, int act, QList<CVariantParameter>* params,
                                                     int from, QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventScheduleStart(int cmd, int act, QList<CVariantParameter>* params, int from,
                                           QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventScheduleStop(int cmd, int act, QList<CVariantParameter>* params, int from,
                                          QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventScheduleLogEnable(int cmd, int act, QList<CVariantParameter>* params, int from,
                                               QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventScheduleChangeLogPath(int cmd, int act, QList<CVariantParameter>* params,
                                                   int from, QList<int>* targets, bool cache, bool log);
    CEventBase* f_CreateEventScheduleExecute(int cmd, int act, QList<CVariantParameter>* params, int from,
                                             QList<int>* targets, bool cache, bool log);

    // Projector handlers.
    void UpdateAllConnectionsProc(CEventBase* event);
    void SetPowerProc(CEventBase* event);
    void SetInputTerminalProc(CEventBase* event);
    void SetPictureMuteProc(CEventBase* event);
    void SetSoundMuteProc(CEventBase* event);
    void SetOSDMuteProc(CEventBase* event);
    void SetFreezeProc(CEventBase* event);
    void AutoAllUpdateProc(CEventBase* event);
    void GetAllGainProc(CEventBase* event);
    void GetBrightnessProc(CEventBase* event);
    void GetContrastProc(CEventBase* event);
    void GetSharpnessProc(CEventBase* event);
    void GetHueProc(CEventBase* event);
    void GetColorProc(CEventBase* event);
    void GetVolumeProc(CEventBase* event);
    void SetBrightnessProc(CEventBase* event);
    void SetContrastProc(CEventBase* event);
    void SetSharpnessProc(CEventBase* event);
    void SetHueProc(CEventBase* event);
    void SetColorProc(CEventBase* event);
    void SetVolumeProc(CEventBase* event);
    void SetProjectorNameProc(CEventBase* event);
    void StopProc(CEventBase* event);

    // Control handlers.
    void SMTPSendProc(CEventBase* event);
    void AddLogProc(CEventBase* event);
    void ChangeLogPathProc(CEventBase* event);
    void LogEnableProc(CEventBase* event);
    void ScheduleStartProc(CEventBase* event);
    void ScheduleStopProc(CEventBase* event);
    void ScheduleLogEnableProc(CEventBase* event);
    void ScheduleChangeLogPathProc(CEventBase* event);

    // Completion handlers.
    void CommandCompletedProc(CEventBase* event);
    void CommandErrorEndProc(CEventBase* event);
    void CommandNackReceivedProc(CEventBase* event);
    void CommandCanceledProc(CEventBase* event);

    // Schedule execution: what a schedule's command did at one projector.
    virtual void CommandCompletedProcSchedule(CEventBase* event);
    virtual void CommandErrorEndProcSchedule(CEventBase* event);
    void ScheduleExecuteProc(CEventBase* event);
    void ScheduleExecuteProcPower(QList<int> targets, int key, CScheduleData& schedule);
    void ScheduleExecuteProcMute(QList<int> targets, int key, CScheduleData& schedule);
    void ScheduleExecuteProcInputChange(QList<int> targets, int key, CScheduleData& schedule);

    CLumivox5Data* m_pLumivox5Data;

private:
    struct StubEntry
    {
        bool on = false;
        int value = 0;
        QString text;
    };

    // A projector handler's walk over the record's targets: `operation` is
    // called for each target the data hub knows, in list order.
    template <typename Operation>
    void f_ForEachTarget(CEventBase* event, Operation operation);
    using ValueOperation = int (CCommandFunctions::*)(int, int, int, int, int, int, bool);
    void f_SendValue(CEventBase* event, ValueOperation operation);
    // The get-adjustment handlers: the keys are asked of every target.
    void f_GetGainProc(CEventBase* event, const QList<int>& keys);
    // The set-adjustment handlers: kind and sub index of the value set.
    void f_SetGainProc(CEventBase* event, int kind);
    // The completion handlers for failures: the schedule's error path with `code`.
    void f_ErrorEndToSchedule(CEventBase* event, int code);
    // Schedule execution helpers.
    CScheduleData* f_FindExpandedSchedule(int key) const;
    // Ends an instance that sends nothing: NG, one log line for no projector.
    void f_ScheduleEndWithoutTargets(int key);
    // Sends the instance's command with `cmd` and `value` to each target that
    // the projector map holds, and marks each as sent.
    void f_ScheduleSend(const QList<int>& targets, int key, CScheduleData& schedule, int cmd, int value);
    // Whether a result of projector `projectorId` for the command sent under
    // `ticket` is taken; then the key of the instance that sent it, that
    // instance and its sub-record (either may be null: the instance may be
    // gone, its key taken by a newer one) and whether the command went today
    // to the enabled instance.
    bool f_TakeScheduleResult(int projectorId, int ticket, int* key, CScheduleData** instance,
                              const CScheduleExcuteAdminInfoSub** sub, bool* today);
    // The instance's log line text for a failure with `code`.
    static QString f_ScheduleErrorText(int code);
    // Fills the common fields of a new record from the tuple.
    void f_SetCommonFields(CEventBase* record, int cmd, int act, int from, QList<int>* targets, bool cache);
    template <class Record, typename Fill>
    CEventBase* f_NewRecord(int cmd, int act, QList<CVariantParameter>* params, int from, QList<int>* targets,
                            bool cache, bool log, int minimum, const char* traceName, Fill fill);

    CSMTPSend* m_pSMTPSend;
    CTransportLog* m_pTransportLog;
    QVector<StubEntry> m_StubTable;
    CSchedule* m_pSchedule;
    CVirtualTime* m_pVirtualTime;
    QMap<int, CreateFunction> m_CreateFunctions[3];
    QMap<int, EventFunction> m_EventFunctions;
    // Offline mode as the previous request found it; leaving it clears the stubs.
    bool m_bOfflineAtLastRequest = false;
    // The instance that sent each schedule command still waiting for its
    // result, by the ticket the command carries through the engine (its event
    // id, below 0): keys are reused when the week is expanded again, so a late result
    // must reach neither a newer instance nor that instance's own command to
    // the same projector.
    struct ScheduleSender
    {
        int key;
        quint64 serial;
        int projectorId;
    };
    QHash<int, ScheduleSender> m_ScheduleSenders;
    int m_LastScheduleTicket = 0;
};

#endif // CDATAFUNCTIONS_H
