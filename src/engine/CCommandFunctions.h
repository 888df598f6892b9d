#ifndef CCOMMANDFUNCTIONS_H
#define CCOMMANDFUNCTIONS_H

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include "CLumivox5Thread.h"
#include "CProjectorData.h"

class CDeviceAccess;
class CEventBase;
class CGainInfo;
class QTextCodec;
class CVariantParameter;

// The command engine: turns requests for a projector into commands, keeps
// them in the projector's pending list, runs them one at a time per
// projector as step machines that send frames through the device access
// object, matches the replies and reports each command's end with signals.
// Everything runs on the caller's (GUI) thread; the handler table of the
// event thread base is used only to find a command's handler by its key.
class CCommandFunctions : public CLumivox5Thread
{
    Q_OBJECT
public:
    // Command results kept in the projector record.
    enum Result { RESULT_NONE = 0, RESULT_ACK = 1, RESULT_ERROR = 2, RESULT_NACK = 3, RESULT_CANCELED = 4 };

    // Where the engine keeps each reply value in the record's status array.
    enum RawSlot {
        RawModelCode1 = CProjectorData::StRaw083,  // reply 29
        RawModelCode2 = CProjectorData::StRaw084,
        RawModelCode3 = CProjectorData::StRaw085,
        RawModelCode4 = CProjectorData::StRaw086,
        RawModelName = CProjectorData::StRaw087,
        RawSerialNumber = CProjectorData::StRaw088, // reply 30
        RawMakerByte = CProjectorData::StRaw089,    // reply 32
        RawMakerField1 = CProjectorData::StRaw090,
        RawMakerField2 = CProjectorData::StRaw091,
        RawMakerField3 = CProjectorData::StRaw092,
        RawStatus1 = CProjectorData::StRaw093,      // reply 20: three bytes
        RawStatus2 = CProjectorData::StRaw094,
        RawStatus3 = CProjectorData::StRaw095,
        RawCover = CProjectorData::StRaw096,        // reply 22
        RawCommonB6 = CProjectorData::StRaw097,     // reply 31: b6 to b14
        RawCommonB7 = CProjectorData::StRaw098,
        RawCommonB8 = CProjectorData::StRaw099,
        RawCommonB9 = CProjectorData::StRaw100,
        RawCommonB10 = CProjectorData::StRaw101,
        RawCommonB11 = CProjectorData::StRaw102,
        RawCommonB12 = CProjectorData::StRaw103,
        RawCommonB13 = CProjectorData::StRaw104,
        RawCommonB14 = CProjectorData::StRaw105,
        RawStatusBlock = CProjectorData::StRaw106,  // reply 21
        RawErrorData1_4 = CProjectorData::StRaw107, // reply 0
        RawErrorData5_6 = CProjectorData::StRaw108,
        RawErrorData7 = CProjectorData::StRaw109,
        RawErrorData8 = CProjectorData::StRaw110,
        RawErrorData9_12 = CProjectorData::StRaw111,
        RawSignalName = CProjectorData::StRaw112,   // reply 1
        RawSignalByte1 = CProjectorData::StRaw113,
        RawSignalByte2 = CProjectorData::StRaw114,
        RawInformation49 = CProjectorData::StRaw115, // reply 13
        RawLampTime1 = CProjectorData::StRaw116,    // reply 14: T1 to T4
        RawLampTime2 = CProjectorData::StRaw117,
        RawLampTime3 = CProjectorData::StRaw118,
        RawLampTime4 = CProjectorData::StRaw119,
        RawFilterUsage = CProjectorData::StRaw120,  // reply 15
        RawFilterAlarm = CProjectorData::StRaw121,
        RawLamp1Content0 = CProjectorData::StRaw122, // reply 16, lamp 1: contents 0, 1, 2, 3, 8, 4
        RawLamp1Content1 = CProjectorData::StRaw123,
        RawLamp1Content2 = CProjectorData::StRaw124,
        RawLamp1Content3 = CProjectorData::StRaw125,
        RawLamp1Content8 = CProjectorData::StRaw126,
        RawLamp1Content4 = CProjectorData::StRaw127,
        RawLamp2Content0 = CProjectorData::StRaw128, // reply 16, lamp 2
        RawLamp2Content1 = CProjectorData::StRaw129,
        RawLamp2Content2 = CProjectorData::StRaw130,
        RawLamp2Content3 = CProjectorData::StRaw131,
        RawLamp2Content8 = CProjectorData::StRaw132,
        RawLamp2Content4 = CProjectorData::StRaw133,
        RawFreqHorizontal = CProjectorData::StRaw134, // reply 24
        RawFreqVertical = CProjectorData::StRaw135,
        RawSyncPolarity = CProjectorData::StRaw136,
        RawLampMode = CProjectorData::StRaw137,     // reply 25
        RawProjectorName = CProjectorData::StRaw138, // reply 26
        RawMacAddress1 = CProjectorData::StRaw139,  // reply 27
        RawMacAddress2 = CProjectorData::StRaw140,
        RawMacAddress3 = CProjectorData::StRaw141
    };

    // Engine flags kept in the record.
    enum EngineFlag { FLAG_PROFILE_FOUND = 0, FLAG_IDENTIFIED = 1 };

    explicit CCommandFunctions(QObject* parent = nullptr);
    ~CCommandFunctions() override;

    int SetProjectorDatas(QMap<int, CProjectorData*>* projectors);
    int SetDeviceAccess(CDeviceAccess* deviceAccess);
    int ConnectionReset(int target, CProjectorData* record);
    int Create();
    int StopAndWait();

    // Requests: 0 queued, -2 no such projector, -30 stopped by an exception.
    int SetPower(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetInputTerminal(int terminal, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetPictureMute(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetSoundMute(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetOSDMute(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetFreeze(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetAVMuteSchedule(int value, int eventID, int target, int from, int act, int cmd, bool flag);
    int SetGain(int first, int second, int third, int fourth, int eventID, int target, int from, int act,
                int cmd, bool flag);
    int SetProjectorName(QString name, int eventID, int target, int from, int act, int cmd, bool flag);
    int GetGeneralData(int eventID, int target, int from, int act, int cmd, bool flag);
    int GetGain(QList<int>& keys, int eventID, int target, int from, int act, int cmd, bool flag);
    int Stop(int eventID, int target, int from, int act, int cmd, bool flag);

    // Whether the projector's running command reads the adjustment value
    // under `key` ((kind << 8) + sub index) and its reply has not come yet:
    // the value is cleared until then.
    static bool f_IsReadingGain(const CProjectorData* record, int key);

    // Frame building.
    // Whether the engine keeps return parameters for the id (diagnostics).
    bool f_HasReturnParameter(int id) const;

    static int CreateSum(const QByteArray* data, int count);
    static int CreateSum(const QByteArray* data);
    static int f_MakePJPcCmd(QByteArray* out, unsigned char cls, unsigned char code, int length,
                             QByteArray* data);
    static int f_MakeStaticCommand(QByteArray* out, int index, QList<CVariantParameter>* params);

    // Reply checks.
    static int f_GetCorvexPjPcCmdLen(QByteArray& frame);
    static bool f_IsCommandFrameReceived(QByteArray& frame);
    static bool f_IsCommandSumSubmit(QByteArray& frame);
    static bool f_IsMatchCommandID(QByteArray& sent, QByteArray& received);
    static int f_GetNackCode(QByteArray& reply);
    static bool f_IsNackResponse(int code);
    static int f_GetCommandID(QByteArray& reply);
    static bool f_CompareByteArray(const QByteArray& a, const QByteArray& b, int count);

    // Stores the values of the record's last received frame, a positive reply
    // to request `index`, into its raw reply fields: 1 stored, 0 nothing.
    static int f_StoreReceivedData(CProjectorData* record, int index);

    // Identification (the opening of every command).
    static void f_ModelInfoUpdate(CProjectorData* record);
    // Stored reply text: the bytes up to the first NUL, as text.
    static QString f_TextUpToNul(const QByteArray& bytes);
    // A projector name with the text Shift-JIS makes of the byte 0x5C as "\".
    static QString f_WithBackslash(QString name);
    static QTextCodec* f_ShiftJisCodec();
    static bool f_UpadteCurrentProfile(CProjectorData* record);
    static void f_OEMInfoUpdate(CProjectorData* record);
    static bool f_IsOEMCorvexPJ(CProjectorData* record);
    static void f_ProjectorCommonStatusUpdate(CProjectorData* record);
    static bool IsIn1WStandbyUpdate(CProjectorData* record);
    static bool f_NeedExchangeComponentTerminal(CProjectorData* record);
    static bool f_IsMacAddressAvailable(CProjectorData* record, const QByteArray& mac);

    // Status update: each preparation writes the placeholder of its value and
    // says whether the request is to be sent.
    static bool f_PreparationGetPjName(CProjectorData* record);
    static bool f_PreparationGetMacAddress(CProjectorData* record);
    static bool f_PreparationGetMacAddress2(CProjectorData* record);
    static bool f_PreparationGetMacAddress3(CProjectorData* record);
    static bool f_PreparationGetLampMode(CProjectorData* record);
    static bool f_PreparationGetCoverStatus(CProjectorData* record);
    static bool f_PreparationGetLamp1Time37_1(CProjectorData* record);
    static bool f_PreparationGetLamp1Usage37_4(CProjectorData* record);
    static bool f_PreparationGetLamp2Usage37_4(CProjectorData* record);
    static bool f_PreparationGetFilterUsage(CProjectorData* record);
    static bool f_PreparationGetInputHeader(CProjectorData* record);
    static bool f_PreparationGetInfoStringReqFreqH(CProjectorData* record);
    static bool f_PreparationGetInfoStringReqFreqV(CProjectorData* record);
    static bool f_PreparationGetInfoStringReqSyncPol(CProjectorData* record);
    static bool f_PreparationGetError(CProjectorData* record);
    static bool f_PreparationGetSerialNumber(CProjectorData* record);
    static bool f_PreparationGetGainPicture(CProjectorData* record);
    static bool f_PreparationGetGainVolume(CProjectorData* record);

    // Status update: each reply operation converts a positive reply into the
    // record; otherwise it leaves the result at 3 (negative reply) or makes it
    // 2, except where a negative reply counts as success or as "not supported".
    static void f_GetPjNameSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetMacAddressSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetMacAddress2SequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetMacAddress3SequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetLampModeSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetCoverStatusSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetLamp1Time37_1SequenceProc(CProjectorData* record, int* result, int* code, bool* unsupported);
    static void f_GetLamp1Usage37_4SequenceProc(CProjectorData* record, int* result, int* code, bool* unsupported);
    static void f_GetLamp2Usage37_4SequenceProc(CProjectorData* record, int* result, int* code, bool* unsupported);
    static void f_GetFilterUsageSequenceProc(CProjectorData* record, int* result, int* code, bool* unsupported);
    static void f_GetInputHeaderSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetInfoStringReqFreqHSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetInfoStringReqFreqVSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetInfoStringReqSyncPolSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetErrorStatusSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetSerialNumberSequenceProc(CProjectorData* record, int* result, int* code);
    static void f_GetGainSequenceProc(CProjectorData* record, int* result, int* code);

    // Adjustment records: resets the stored record of `key` (made when
    // missing) to its kind and sub index with every other value 0.
    static CGainInfo* f_SetGainInfoDummyData(CProjectorData* record, int key);
    // True when all eight values of an adjustment record are known.
    static bool f_IsGainInfoKnown(const CGainInfo* gain);
    // Copies the stored record of `key` into the shown one (made when missing).
    static void f_CopyGainInfo(CProjectorData* record, int key);

signals:
    void Completed(int eventID, int targetID, int from, int act, int cmd);
    void Error(int errorCode, int eventID, int targetID, int from, int act, int cmd);
    void NackReceived(int nackCode, int eventID, int targetID, int from, int act, int cmd);
    void Canceled(int eventID, int targetID, int from, int act, int cmd);
    void UpdateTiming(int cmd, int from, int act, int target);
    void UpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act, int target);
    void TransportStateUpdate(int target);
    void CheckCommand(int nTargetID);
    // Declared for the interface; never emitted.
    void Progress(int value, int nTargetID);
    void ConnectStart(int nTargetID);
    void Connected(int nTargetID);
    void DisconnectStart(int nTargetID);
    void Disconnected(int nTargetID);
    void SendStart(int nTargetID);
    void ReceiveStart(int nTargetID);
    void DisconnectedFromPeer(int nTargetID);
    void Send(int nTargetID);
    void Received(int nTargetID);

public slots:
    virtual void f_OnConnectStart();
    virtual void f_OnConnectCompleted(QDateTime time, QString target, QString msg, int nTargetID);
    virtual void f_OnDisconnectStart();
    virtual void f_OnDisconnected(QDateTime time, QString target, QString msg, int nTargetID);
    virtual void f_OnSendStart();
    virtual void f_OnSendCompleted(QDateTime time, QString target, QByteArray data, int nTargetID);
    virtual void f_OnReceiveStart();
    virtual void f_OnReceived(QDateTime time, QString target, QByteArray data, int nTargetID);
    virtual void f_OnError(QDateTime time, QString target, int code, int nTargetID);
    virtual void f_OnError(int code, int nTargetID);
    virtual void f_OnProgress(int value, int nTargetID);
    virtual void f_OnDisconnectedFromPeer();
    virtual void f_OnSequenceCompleted(int nTargetID);
    virtual void f_OnNackReceived(int code, int nTargetID);
    virtual void f_OnCanceled(int nTargetID);
    void f_OnCheckCommand(int nTargetID);
    void f_OnStateChanged(int nTargetID);

protected:
    void f_CreateEventList() override;

    // Handlers by key.
    void CreateProc(CEventBase* event);
    void SequenceCompletedProc(CEventBase* event);
    void OnErrorProc(CEventBase* event);
    void NackReceivedProc(CEventBase* event);
    void CanceledProc(CEventBase* event);
    void SetPowerProc(CEventBase* event);
    void SetInputTerminalProc(CEventBase* event);
    void SetPictureMuteProc(CEventBase* event);
    void SetSoundMuteProc(CEventBase* event);
    void SetOSDMuteProc(CEventBase* event);
    void SetFreezeProc(CEventBase* event);
    void SetGainProc(CEventBase* event);
    void CancelProc(CEventBase* event);
    void AllUpdateProc(CEventBase* event);
    void GetGainProc(CEventBase* event);
    void SetProjectorNameProc(CEventBase* event);
    void SetMuteAllScheduleProc(CEventBase* event);

    // Status update steps from 5 on: true while the next step is to run now.
    bool f_AllUpdateSequenceProc(CProjectorData* record, bool& send);
    void f_SendAllUpdateRequest(CProjectorData* record);
    void f_EndAllUpdate(CProjectorData* record, int code);
    bool f_IsAllUpdateCached(CProjectorData* record) const;
    // A command answered from what is known: the connection closes and the
    // command completes without a frame; the queue is looked at again at once.
    void f_CompleteAtOnce(CProjectorData* record);
    // The opening of a command that carries one value: the record once the
    // identification is done, null while it runs or when the command ended.
    CProjectorData* f_BeginValueStep(CEventBase* event, int key);
    // At step 5 of a set command: refuses it in 1 W standby (true, ended).
    bool f_RefuseInStandby(CProjectorData* record);
    // The single mutes: one family with its own flags, requests and value.
    void f_SetMuteSequence(CEventBase* event, int key, int onFlag, int onRequest, int offFlag, int offRequest,
                           int position);
    void f_MuteChainNext(CProjectorData* record);
    void f_GetGainNext(CProjectorData* record);

    CProjectorData* f_GetTarget(int id) const;
    int f_Queue(CEventBase* event, int target);
    void f_SendCommand(CProjectorData* record, QByteArray& frame, bool wait);
    void f_SendStatic(CProjectorData* record, int index, QList<CVariantParameter>* params = nullptr);
    // A request whose data parameters are the given bytes.
    void f_SendStaticBytes(CProjectorData* record, int index, const QList<int>& bytes);
    static bool f_ProfileFlag(const CProjectorData* record, int id);
    static bool f_IsIn1WStandby(const CProjectorData* record);
    void f_StoreReturnParameter(CProjectorData* record, const CEventBase* event);
    bool f_PoolCheck(CProjectorData* record);
    bool f_CheckResult(CProjectorData* record);
    void f_EndSequence(CProjectorData* record, int code);
    void f_DisconnectSequence(CProjectorData* record, int code);
    void f_DeletePendingCommands(CProjectorData* record);
    void f_EndDroppedCommands(int target);
    void f_ForgetTarget(int id);
    void f_CallCurrentHandler(CProjectorData* record, CEventBase* result);

    // The opening of a command handler: started with its own key, the command
    // takes over the record; re-entered with a result, the result is checked.
    // Null when the command does not go on now.
    CProjectorData* f_BeginStep(CEventBase* event, int ownKey);
    // Identification: true once it is done (step 5 and above); otherwise the
    // next identification frame has been sent or the command has ended.
    bool f_Identify(CProjectorData* record);
    bool f_CommonCurrentSequenceProc(CProjectorData* record, bool& send);
    void f_EndWithMismatch(CProjectorData* record);

    // Temporary parameters of the running command.
    static void f_AppendTempParameterString(CProjectorData* record, const QString& value);
    static void f_AppendTempParameterBool(CProjectorData* record, bool value);
    static void f_AppendTempParameterInt(CProjectorData* record, int value);
    static void f_AppendTempParameterUChar(CProjectorData* record, unsigned char value);
    static QString f_GetTempParameterString(CProjectorData* record, int index);
    static bool f_GetTempParameterBool(CProjectorData* record, int index);
    static int f_GetTempParameterInt(const CProjectorData* record, int index);
    static unsigned char f_GetTempParameterUChar(CProjectorData* record, int index);
    static void f_SetTempParameterInt(CProjectorData* record, int index, int value);
    static void f_SetTempParameterBool(CProjectorData* record, int index, bool value);
    static void f_ClearTempParameter(CProjectorData* record);

private:
    // What the running command of a projector reports with, and when its
    // last frame went out or came in.
    struct ReturnParameter
    {
        int eventID = 0;
        int target = 0;
        int from = 0;
        int act = 0;
        int cmd = 0;
        QDateTime lastFrameTime;
        const CProjectorData* owner = nullptr;
    };

    ReturnParameter& f_Return(CProjectorData* record);
    CProjectorData* f_TakeResult(CEventBase* event, int result);
    template <class Command, typename... Args>
    int f_QueueNew(int target, Args&&... args);
    template <class ResultEvent>
    void f_FeedResult(int nTargetID, const int* code, void (CCommandFunctions::*proc)(CEventBase*));

    QMap<int, CProjectorData*>* m_pProjectorDatas;
    CDeviceAccess* m_pDeviceAccess;
    QHash<int, ReturnParameter> m_ReturnParameters;
    // Projectors whose waiting commands end with the running one.
    QSet<int> m_DropWaiting;
    // Frames with parameters by request index and parameter bytes.
    QHash<QByteArray, QByteArray> m_BuiltFrames;
};

#endif // CCOMMANDFUNCTIONS_H
