#ifndef CSCHEDULE_H
#define CSCHEDULE_H

#include "CEventBase.h"
#include "CLumivox5Thread.h"
#include "CScheduleData.h"

#include <QDateTime>
#include <QList>
#include <QString>

class CLumivox5Data;
class CScheduleManager;
class QTimer;

// A projector of an instance waiting to be sent again.
class CScheduleRetryInfo
{
public:
    CScheduleRetryInfo(int key, int projectorId) : m_Key(key), m_ProjectorID(projectorId) {}
    virtual ~CScheduleRetryInfo() = default;

    qint32 m_Key;
    qint32 m_ProjectorID;
};

// Request records of the runner; the request operation sets the key.
class CScheduleEvent : public CEventBase
{
public:
    void f_SetEventKey(int key) { m_nEventKey = key; }
};

class CScheduleEventScheduleStart : public CScheduleEvent
{
public:
    QDateTime m_StartTime;
};

class CScheduleEventScheduleStop : public CScheduleEvent
{
};

class CScheduleEventScheduleLogEnable : public CScheduleEvent
{
public:
    bool m_Enable = false;
};

class CScheduleEventScheduleChangeLogPath : public CScheduleEvent
{
public:
    QString m_Path;
};

class CScheduleEventSetResult : public CScheduleEvent
{
public:
    int m_Key = 0;
    CScheduleData::STATUS_TYPE::Enum m_Result = CScheduleData::STATUS_TYPE::None;
};

class CScheduleEventDateTimeUpdate : public CScheduleEvent
{
public:
    bool m_NewDay = false;
    QDateTime m_Time;
};

class CScheduleEventAddLog : public CScheduleEvent
{
public:
    int m_ProjectorID = -1;
    CScheduleData* m_pData = nullptr;
    QDateTime m_Time;
    CScheduleData::STATUS_TYPE::Enum m_Status = CScheduleData::STATUS_TYPE::None;
    QString m_Text;
};

class CScheduleEventExcuteRetry : public CScheduleEvent
{
public:
    int m_Key = 0;
    int m_ProjectorID = -1;
};

class CScheduleEventExcuteRetryCheck : public CScheduleEvent
{
};

// The schedule runner: at each minute of the scheduler clock it asks for the
// execution of the due instances of the expanded collection, skips those on
// no-operating dates, takes the results, sends failed projectors again and
// writes the daily schedule log. It works on the data hub's instances and
// keeps only their keys. Everything runs on the caller's thread; the only
// deferrals are its queued connections.
class CSchedule : public CLumivox5Thread
{
    Q_OBJECT
public:
    static const QString CODEPAGE_DEFAULT;
    static const QString CODEPAGE_SHIFTJIS;
    static const QString CODEPAGE_UTF16;
    static const QString CODEPAGE_UTF8;

    explicit CSchedule(QObject* parent = nullptr);
    ~CSchedule() override;

    void RequestScheduleStart(QDateTime now);
    void RequestScheduleStop();
    void RequestScheduleLogEnable(bool on);
    void RequestScheduleChangeLogPath(QString folder);
    void RequestScheduleSetResult(int key, CScheduleData::STATUS_TYPE::Enum result);
    void RequestScheduleAddLog(int projectorId, CScheduleData* instance, QDateTime time,
                               CScheduleData::STATUS_TYPE::Enum status, QString text);
    void RequestScheduleExcuteRetry(int key, int projectorId);

    // Set by the owner right after construction; not owned.
    CLumivox5Data* m_pData = nullptr;

    bool IsRunning() const { return m_Running; }
    bool IsLogEnabled() const { return m_LogEnabled; }
    QString GetLogPath() const { return m_LogPath; }
    // Keys of the instances of the day still to be looked at, ascending.
    QList<int> GetExcuteKeys() const { return m_ExcuteKeys; }
    int GetRetryCount() const { return m_pRetryList->size(); }
    bool IsRetryTimerActive() const;

    // One schedule log line (log on and a folder set).
    void f_AddLogProc(int projectorId, CScheduleData* instance, QDateTime time,
                      CScheduleData::STATUS_TYPE::Enum status, QString text);
    QString f_GetScheduleTaskString(CScheduleData& instance);
    QString f_GetScheduleStatusString(CScheduleData::STATUS_TYPE::Enum status);

public slots:
    void PostUpdateDate(QDateTime dt);
    void PostUpdateTime(QDateTime dt);

signals:
    void UpdateDate();
    void UpdateScheduleList();
    void ScheduleExecution(int Key, int CommID);
    void PostUpdateDateTime(bool newDay, QDateTime dt);
    void ErrorOccurred(QString msg, int code);

protected:
    void f_CreateEventList() override;

private slots:
    void PostUpdateDateTimeProc(bool newDay, QDateTime dt);
    void f_RequestExcuteRetryCheck();

private:
    void f_RunEvent(CScheduleEvent& event, int key);

    void f_ScheduleStartProc(CEventBase* event);
    void f_ScheduleStopProc(CEventBase* event);
    void f_ScheduleLogEnableProc(CEventBase* event);
    void f_ScheduleChangeLogPathProc(CEventBase* event);
    void f_ScheduleSetResultProc(CEventBase* event);
    void f_ScheduleDateTimeUpdateProc(CEventBase* event);
    void f_ScheduleAddLogProc(CEventBase* event);
    void f_ScheduleExcuteRetryProc(CEventBase* event);
    void f_ScheduleExcuteRetryCheckProc(CEventBase* event);

    void f_CheckExcuteData(QDateTime now);
    void f_ClearRetryList();
    bool f_LogOn() const { return m_LogEnabled && !m_LogPath.isEmpty(); }

    // The data hub's parts the runner reads.
    CScheduleManager* f_ExpandedSchedules() const;
    CScheduleData* f_FindInstance(int key) const;

    bool m_Running = false;
    bool m_LogEnabled = false;
    QString m_LogPath;
    QList<int> m_ExcuteKeys;
    QList<CScheduleRetryInfo*>* m_pRetryList;
    QTimer* m_pRetryTimer;
};

#endif // CSCHEDULE_H
