#ifndef SCHEDULETESTRIG_H
#define SCHEDULETESTRIG_H

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextCodec>

#include "CCreateDemoData.h"
#include "CSchedule.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CSystemClock.h"
#include "CVirtualTime.h"
#include "DispatcherTestRig.h"

// A dispatcher rig for schedule execution, wired as the main window wires
// it: the engine's results reach the dispatcher's completion slots (queued),
// offline schedule commands reach a stand-in of the main window's
// `SendCommand` (queued), the schedule log is on in a temporary folder, the
// system time is fixed and the runner is started.
class ScheduleTestRig : public DispatcherTestRig<>
{
public:
    explicit ScheduleTestRig(const QDateTime& now = QDateTime(QDate(2026, 3, 11), QTime(10, 0, 30)))
        : m_Now(now)
    {
        CSystemClock::SetNowFunction([now] { return now; });
        CDataFunctions* d = Dispatcher();
        CCommandFunctions* engine = Hub()->m_pCommandFunctions;
        QObject::connect(engine, &CCommandFunctions::Completed, d, &CDataFunctions::f_OnCompleted,
                         Qt::QueuedConnection);
        QObject::connect(engine, &CCommandFunctions::Error, d, &CDataFunctions::f_OnError, Qt::QueuedConnection);
        QObject::connect(engine, &CCommandFunctions::NackReceived, d, &CDataFunctions::f_OnNackReceived,
                         Qt::QueuedConnection);
        QObject::connect(engine, &CCommandFunctions::Canceled, d, &CDataFunctions::f_OnCanceled,
                         Qt::QueuedConnection);
        m_Demo.m_pDataFunctions = d;
        QObject::connect(
            d, &CDataFunctions::ScheduleExecuteWithOffline, d,
            [this](int cmd, int from, int act, int target, int status, int scheduleid) {
                QList<CVariantParameter> params;
                params << CVariantParameter().FromInt(status) << CVariantParameter().FromInt(scheduleid);
                QList<int> targets{target};
                SendCommand(cmd, &params, from, act, &targets, false, true);
            },
            Qt::QueuedConnection);

        Control(147, {CVariantParameter().FromBool(true)});
        Control(146, {CVariantParameter().FromString(LogFolder())});
        Control(144, {CVariantParameter().FromDateTime(now)});
    }
    ~ScheduleTestRig() { CSystemClock::SetNowFunction(CSystemClock::NowFunction()); }

    // The main window's `SendCommand`: the demo data and the stub first in
    // offline mode, then the dispatcher.
    void SendCommand(int cmd, QList<CVariantParameter>* params, int from, int act, QList<int>* targets, bool cache,
                     bool log)
    {
        if (Hub()->m_OfflineMenu && Hub()->m_Offline) {
            m_Demo.m_pLumivox5Data = Hub();
            m_Demo.ChangeData(cmd, params, from, act, targets, cache, log);
            QString empty;
            Dispatcher()->OnStub(cmd, empty, 0);
        }
        Dispatcher()->SetDataThreadEvent(cmd, params, from, act, targets, cache, log);
    }

    // A control request as the main window sends it.
    void Control(int cmd, QList<CVariantParameter> params)
    {
        SendCommand(cmd, &params, 1, 0, nullptr, false, false);
    }

    void SetOffline(bool offline, bool menu)
    {
        Hub()->m_Offline = offline;
        Hub()->m_OfflineMenu = menu;
    }

    // An expanded instance under `key`, dated today, already started by
    // the runner (execution state 1).
    CScheduleData* AddInstance(int key, int targetType, const QString& targetName, int function, int input = 1)
    {
        auto* instance = new CScheduleData(m_Now);
        instance->TargetType = targetType;
        instance->TargetName = targetName;
        instance->Function = function;
        instance->InputTerminal = input;
        instance->StartDay = QDateTime(m_Now.date(), QTime(m_Now.time().hour(), m_Now.time().minute()));
        instance->ExecuteTime = instance->StartDay.time();
        instance->Enable = true;
        instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing;
        Expanded().insert(key, instance);
        return instance;
    }
    CScheduleManager::ScheduleMap& Expanded() { return Hub()->m_pScheduleExcuteManager->f_GetScheduleMap(); }
    CScheduleData* Instance(int key) { return Expanded().value(key, nullptr); }
    CScheduleExcuteAdminInfoSub* Sub(int key, int id)
    {
        CScheduleData* instance = Instance(key);
        return instance ? instance->AdminInfo->DetailesData->value(id, nullptr) : nullptr;
    }
    int SubStatus(int key, int id)
    {
        CScheduleExcuteAdminInfoSub* sub = Sub(key, id);
        return sub ? sub->Status : -1;
    }

    // A record marked connected, as a status update leaves it.
    int Connected(int id)
    {
        if (CProjectorData* record = Hub()->GetProjectorData(id))
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        return id;
    }

    QString LogFolder() const { return Folder(QStringLiteral("schedule-log")); }

    // The schedule log of the day, one "name|status|attempt|text" per line.
    QStringList Log() const
    {
        QFile file(LogFolder() + QStringLiteral("/SCHE%1.log").arg(m_Now.toString(QStringLiteral("yyyyMMdd"))));
        if (!file.open(QIODevice::ReadOnly))
            return QStringList();
        const QString text = QTextCodec::codecForName("UTF-16")->toUnicode(file.readAll());
        static const QRegularExpression line(
            QStringLiteral("^[^,]*, [^,]*, ([^,]*), .*, \\S*(OK|NG|NA),   ([0-9]+|---),(.*), $"));
        QStringList out;
        for (const QString& raw : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = line.match(raw);
            out << (m.hasMatch() ? QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)}.join('|')
                                 : QStringLiteral("?") + raw);
        }
        return out;
    }

    // The address text of a projector, as the log names it.
    QString Address(int id) const { return Hub()->GetProjectorData(id)->m_Address; }

    QDateTime m_Now;
    CCreateDemoData m_Demo;
};

#endif // SCHEDULETESTRIG_H
