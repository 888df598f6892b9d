// Command requests, status updates and automatic update.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CCreateDemoData.h"
#include "CDataFunctions.h"
#include "CVirtualTime.h"
#include "CDeviceAccess.h"
#include "CLumivox5Data.h"
#include "CMailSettings.h"
#include "COptionSettings.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"
#include "ProfileFlag.h"
#include "ProjectorAbility.h"
#include "LogCategories.h"

#include <QDateTime>
#include <QHash>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTimer>

namespace {

Lumivox5Main::RequestSink& requestSink()
{
    static Lumivox5Main::RequestSink sink;
    return sink;
}

// One member of the selected-connection family: its request, the profile
// flags its targets need (-1: connection state alone counts), and the
// confirmation texts of the members that may ask.
struct SelectedRequest
{
    const char* name;
    int command;
    int flagOn;
    int flagOff;
    const char* confirmOn;
    const char* confirmOff;
};

const SelectedRequest POWER = {"f_SetPowerSelectedConnection", 2, ProfileFlag::SetPowerOn,
                               ProfileFlag::SetPowerOff, QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiPowerOnMessage"),
                               QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiPowerOffMessage")};
const SelectedRequest PICTURE_MUTE = {"f_SetPictureMuteSelectedConnection", 5, -1, -1,
                                      QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiPictureMuteOnMessage"),
                                      QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiPictureMuteOffMessage")};
const SelectedRequest SOUND_MUTE = {"f_SetSoundMuteSelectedConnection", 4, -1, -1,
                                    QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiSoundMuteOnMessage"),
                                    QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiSoundMuteOffMessage")};
const SelectedRequest OSD_MUTE = {"f_SetOSDMuteSelectedConnection", 6, -1, -1,
                                  QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiOSDMuteOnMessage"),
                                  QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgMultiOSDMuteOffMessage")};
const SelectedRequest FREEZE = {"f_SetFreezeSelectedConnection", 7, -1, -1, nullptr, nullptr};
const SelectedRequest INPUT_TERMINAL = {"f_SetInputTerminalSelectedConnection", 3, -1, -1, nullptr, nullptr};

QList<CVariantParameter> oneValue(int value)
{
    QList<CVariantParameter> params;
    params.append(CVariantParameter().FromInt(value));
    return params;
}

const char* yesNo(bool value)
{
    return value ? "true" : "false";
}

// A report's trace block: the time and the line, framed by rows of "#".
// Built only when the trace is on: a fleet sends thousands of reports.
void traceReport(const QString& line)
{
    if (!lcMainWindow().isDebugEnabled())
        return;
    const QByteArray frame(81, '#');
    qCDebug(lcMainWindow, "%s\n[%s] %s\n%s", frame.constData(),
           qUtf8Printable(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz"))),
           qUtf8Printable(line), frame.constData());
}

// The entry of an error report: kind 1, target, code, cmd, from, act.
QList<int> errorEntry(int target, int code, int cmd, int from, int act)
{
    return QList<int>{1, target, code, cmd, from, act};
}

} // namespace

void Lumivox5Main::f_SetUpdateAllProjectorsTimerInterval(int minutes)
{
    if (!m_tmrUpdateAllProjectors)
        return;
    // A stored value outside the options dialog's range (1 to 60 minutes)
    // is taken as its nearest end; the product is formed in 64 bits.
    const qint64 clamped = qBound(1, minutes, 60);
    m_tmrUpdateAllProjectors->setInterval(int(clamped * 60000));
}

void Lumivox5Main::f_EnableUpdateAllProjectorsTimer(bool enable)
{
    if (!m_tmrUpdateAllProjectors)
        return;
    if (enable && m_Lumivox5Data->m_pOptionSettings->m_AutoUpdate)
        m_tmrUpdateAllProjectors->start();
    else
        m_tmrUpdateAllProjectors->stop();
}

void Lumivox5Main::SetRequestSink(RequestSink sink)
{
    requestSink() = std::move(sink);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target,
                               bool cache, bool log)
{
    RunTraced([&] {
        if (target)
            qCDebug(lcMainWindow, "Lumivox5Main::SendCommand command[%d] targetCnt[%d]", id, int(target->size()));
        else
            qCDebug(lcMainWindow, "Lumivox5Main::SendCommand command[%d]", id);
        if (requestSink())
            requestSink()(id, param, from, act, target, cache, log);
        else
            f_HandOnRequest(id, param, from, act, target, cache, log);
    });
}

void Lumivox5Main::SendCommand(int id)
{
    SendCommand(id, nullptr, 0, 0, nullptr, false, false);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param)
{
    SendCommand(id, param, 0, 0, nullptr, false, false);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param, int from)
{
    SendCommand(id, param, from, 0, nullptr, false, false);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param, int from, int act)
{
    SendCommand(id, param, from, act, nullptr, false, false);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target)
{
    SendCommand(id, param, from, act, target, false, false);
}

void Lumivox5Main::SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target,
                               bool cache)
{
    SendCommand(id, param, from, act, target, cache, false);
}

void Lumivox5Main::f_HandOnRequest(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target,
                                   bool cache, bool log)
{
    if (!m_DataThread)
        return;
    if (m_DataThread->f_IsOfflineMode() && m_demoData) {
        qCDebug(lcMainWindow, "Lumivox5Main::SendCommand OfflineMode");
        m_demoData->m_pLumivox5Data = m_Lumivox5Data;
        m_demoData->ChangeData(id, param, from, act, target, cache, log);
        QString empty;
        m_DataThread->OnStub(id, empty, 0);
    }
    m_DataThread->SetDataThreadEvent(id, param, from, act, target, cache, log);
}

// Runs one member of the selected-connection family: `confirm` asks first,
// the targets are the identified selected projectors the member's flag allows.
static void sendToSelected(Lumivox5Main* window, const SelectedRequest& request, int sts, int value, bool confirm)
{
    QList<CProjectorData*> records = window->f_GetSelectedPjDataList();
    if (confirm) {
        const char* key = sts == 1 ? request.confirmOn : request.confirmOff;
        const QMessageBox::StandardButton answer = CMessageBoxes::Show(
            window, window->m_Lumivox5Data, QMessageBox::Information, Lumivox5Main::tr("Lumivox5MsgTitle"),
            Lumivox5Main::tr(key), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        if (answer != QMessageBox::Ok)
            return;
        // The box ran an event loop: take the selection as it is now.
        records = window->f_GetSelectedPjDataList();
    }
    if (records.isEmpty())
        return;
    const int flag = sts == 1 ? request.flagOn : request.flagOff;
    QList<int> targets;
    for (CProjectorData* record : qAsConst(records)) {
        if (isIdentified(record) && (flag < 0 || profileHas(record->m_Profile, flag)))
            targets.append(record->m_Id);
    }
    if (targets.isEmpty())
        return;
    QList<CVariantParameter> params = oneValue(value);
    window->SendCommand(request.command, &params, 1, 2, &targets, true, true);
}

void Lumivox5Main::f_SetPowerSelectedConnection(int sts, bool blnConfirm)
{
    qCDebug(lcMainWindow, "call f_SetPowerSelectedConnection : sts=%d, blnConfirm=%s", sts, yesNo(blnConfirm));
    RunTraced([&] { sendToSelected(this, POWER, sts, sts, blnConfirm); });
}

void Lumivox5Main::f_SetInputTerminalSelectedConnection(unsigned char code)
{
    qCDebug(lcMainWindow, "call f_SetInputTerminalSelectedConnection : sts=0x%02x", code);
    RunTraced([&] { sendToSelected(this, INPUT_TERMINAL, code, code, false); });
}

void Lumivox5Main::f_SetFreezeSelectedConnection(int sts)
{
    qCDebug(lcMainWindow, "call f_SetFreezeSelectedConnection : sts=%d", sts);
    RunTraced([&] { sendToSelected(this, FREEZE, sts, sts, false); });
}

void Lumivox5Main::f_SetFreezeAutoToggle()
{
    qCDebug(lcMainWindow, "call f_SetFreezeAutoToggle");
    RunTraced([&] {
        for (CProjectorData* record : f_GetSelectedPjDataList()) {
            if (isIdentified(record)) {
                f_SetFreezeSelectedConnection(record->m_Status[CProjectorData::StFreeze].ToBool() ? 2 : 1);
                return;
            }
        }
    });
}

void Lumivox5Main::f_SetPictureMuteSelectedConnection(int sts, bool blnConfirm)
{
    qCDebug(lcMainWindow, "call f_SetPictureMuteSelectedConnection : sts=%d, blnConfirm=%s", sts, yesNo(blnConfirm));
    RunTraced([&] { sendToSelected(this, PICTURE_MUTE, sts, sts, blnConfirm); });
}

void Lumivox5Main::f_SetSoundMuteSelectedConnection(int sts, bool blnConfirm)
{
    qCDebug(lcMainWindow, "call f_SetSoundMuteSelectedConnection : sts=%d, blnConfirm=%s", sts, yesNo(blnConfirm));
    RunTraced([&] { sendToSelected(this, SOUND_MUTE, sts, sts, blnConfirm); });
}

void Lumivox5Main::f_SetOSDMuteSelectedConnection(int sts, bool blnConfirm)
{
    qCDebug(lcMainWindow, "call f_SetOSDMuteSelectedConnection : sts=%d, blnConfirm=%s", sts, yesNo(blnConfirm));
    RunTraced([&] { sendToSelected(this, OSD_MUTE, sts, sts, blnConfirm); });
}

void Lumivox5Main::f_AllSwitchingMute()
{
    qCDebug(lcMainWindow, "call f_AllSwitchingMute");
    RunTraced([&] {
        const QList<CProjectorData*> records = f_GetSelectedPjDataList();
        if (records.isEmpty())
            return;
        const int mode = records.first()->m_Status[CProjectorData::StPictureMute].ToInt() == 0 ? 1 : 0;
        // Picture, sound and on-screen display mute, sent in this order.
        const struct {
            int command;
            int flag;
        } kinds[] = {{5, mode == 1 ? ProfileFlag::SetPicMuteOn : ProfileFlag::SetPicMuteOff},
                     {4, mode == 1 ? ProfileFlag::SetSndMuteOn : ProfileFlag::SetSndMuteOff},
                     {6, mode == 1 ? ProfileFlag::SetOsdMuteOn : ProfileFlag::SetOsdMuteOff}};
        QList<int> targets[3];
        for (CProjectorData* record : records) {
            if (!isIdentified(record) || !record->m_Profile)
                continue;
            for (int kind = 0; kind < 3; ++kind) {
                if (profileHas(record->m_Profile, kinds[kind].flag))
                    targets[kind].append(record->m_Id);
            }
        }
        for (int kind = 0; kind < 3; ++kind) {
            if (targets[kind].isEmpty())
                continue;
            QList<CVariantParameter> params = oneValue(mode);
            SendCommand(kinds[kind].command, &params, 1, 2, &targets[kind], true, true);
        }
    });
}

void Lumivox5Main::f_PJRefresh()
{
    RunTraced([&] {
        QList<int> targets = ui->treeViewPJList->GetPjDataIDList(true);
        SendCommand(1, nullptr, 1, 1, &targets, false, true);
    });
}

void Lumivox5Main::f_PJRefresh(QMap<int, CProjectorData*>* targetDatas)
{
    RunTraced([&] {
        if (!targetDatas || targetDatas->isEmpty())
            return;
        QList<int> targets = targetDatas->keys();
        SendCommand(1, nullptr, 1, 1, &targets, false, true);
    });
}

void Lumivox5Main::f_UpdateAllConnection(bool blnOnlyShowDevices)
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_UpdateAllConnection blnOnlyShowDevices[%s]", yesNo(blnOnlyShowDevices));
    RunTraced([&] {
        QList<int> targets = blnOnlyShowDevices ? ui->treeViewPJList->GetDispPjDataIDList()
                                                : m_Lumivox5Data->GetProjectorDataIDList(true);
        SendCommand(1, nullptr, 0, 1, &targets, false, false);
    });
}

void Lumivox5Main::f_UpdateAllUnconnectedConnection(bool blnOnlyShowDevices)
{
    qCDebug(lcMainWindow, "call f_UpdateAllUnconnectedConnection");
    RunTraced([&] {
        QList<int> targets;
        if (blnOnlyShowDevices) {
            for (CProjectorData* record : f_GetDispPjDataList()) {
                if (!isIdentified(record))
                    targets.append(record->m_Id);
            }
        } else {
            targets = m_Lumivox5Data->GetProjectorDataIDListUnConnected(true);
        }
        SendCommand(1, nullptr, 1, 1, &targets, false, true);
    });
}

void Lumivox5Main::f_DisconnectAllConnection()
{
    // Nothing is closed here: the engine ends its connections itself.
    RunTraced([&] { ui->treeViewPJList->GetPjDataIDList(false); });
}

void Lumivox5Main::f_Stop(bool blnAllStop)
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_Stop[%s]", yesNo(blnAllStop));
    RunTraced([&] {
        QList<int> targets = blnAllStop ? m_Lumivox5Data->GetProjectorDataIDList(true)
                                        : ui->treeViewPJList->GetPjDataIDList(true);
        SendCommand(129, nullptr, 1, 0, &targets, true, true);
    });
}

void Lumivox5Main::f_OnUpdateTimingProc(const QList<QList<int>>& reports)
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_OnUpdateTimingProc entries[%d]", int(reports.size()));
    RunTraced([&] {
        PassRun run;
        run.reports = reports;
        // The newest entry per projector: later entries overwrite earlier ones.
        run.newestCode.reserve(reports.size());
        for (const QList<int>& entry : reports) {
            if (entry.size() > 2)
                run.newestCode.insert(entry.at(1), entry.at(2));
        }
        m_PassRuns.push_back(run);
        f_WritePassSlice();
    });
}

namespace {
const int PASS_ROWS_PER_CHECK = 64;
} // namespace

void Lumivox5Main::f_WritePassSlice()
{
    // A slice that runs an event loop (a box shown by a handler) goes on by
    // itself when the loop returns.
    if (m_blnPassSliceRunning)
        return;
    m_blnPassSliceRunning = true;
    RunTraced([&] {
        QElapsedTimer slice;
        slice.start();
        ui->treeViewPJList->header()->setSectionsClickable(false);
        while (!m_PassRuns.empty()) {
            if (!f_WritePassRows(m_PassRuns.front(), slice)) {
                if (m_tmrPassSlice)
                    m_tmrPassSlice->start();
                return;
            }
            const PassRun run = std::move(m_PassRuns.front());
            m_PassRuns.pop_front();
            f_EndPass(run);
            if (!m_PassRuns.empty() && slice.nsecsElapsed() >= m_PassSliceNs) {
                if (m_tmrPassSlice)
                    m_tmrPassSlice->start();
                return;
            }
        }
    });
    m_blnPassSliceRunning = false;
    if (m_PassRuns.empty())
        ui->treeViewPJList->header()->setSectionsClickable(true);
}

bool Lumivox5Main::f_WritePassRows(PassRun& run, const QElapsedTimer& slice)
{
    CProjectorTreeView* view = ui->treeViewPJList;
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    auto* model = proxy ? qobject_cast<QStandardItemModel*>(proxy->sourceModel()) : nullptr;
    if (!model || run.newestCode.isEmpty())
        return true;
    const int nameColumn = view->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME, 0);
    int sinceCheck = 0;
    for (;;) {
        if (run.restart) {
            run.restart = false;
            run.nextRow = 0;
        }
        if (run.nextRow >= model->rowCount())
            return true;
        if (++sinceCheck > PASS_ROWS_PER_CHECK) {
            sinceCheck = 1;
            if (slice.nsecsElapsed() >= m_PassSliceNs)
                return false;
        }
        const int row = run.nextRow++;
        const int id = model->index(row, 0).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
        auto code = run.newestCode.constFind(id);
        if (code == run.newestCode.constEnd() || run.written.contains(id))
            continue;
        run.written.insert(id);
        const bool last = run.written.size() == run.newestCode.size();
        CProjectorData* record = m_Lumivox5Data->GetProjectorData(id);
        if (!record)
            continue;
        const QString before = model->index(row, nameColumn).data().toString();
        view->SetPjDataVisual(row, *record, code.value());
        if (model->index(row, nameColumn).data().toString() != before)
            run.renamed.append(id);
        if (last)
            return true;
    }
}

void Lumivox5Main::f_EndPass(const PassRun& run)
{
    // Errors are mailed for every known projector, listed or not.
    if (m_Lumivox5Data->m_pMailSettings && m_Lumivox5Data->m_pMailSettings->m_Enabled) {
        for (auto it = run.newestCode.constBegin(); it != run.newestCode.constEnd(); ++it) {
            if (CProjectorData* record = m_Lumivox5Data->GetProjectorData(it.key()))
                f_ErrorMailProc(record);
        }
    }
    f_PjListColumnCheck();
    // The renamed records go into the user list in a turn of their own.
    if (!run.renamed.isEmpty()) {
        const QList<int> renamed = run.renamed;
        QTimer::singleShot(0, this, [this, renamed] { f_SaveUserListInBackground(&renamed); });
    }
    if (ui->tabMain->currentWidget() == ui->tabPropery)
        f_UpdateProperty();
    f_RefreshDetailAndMenus();
    f_OnUpdateTimingToPluginProc(run.reports);
}

// The four log requests: a one-value control request without targets.
static void sendLogSetting(Lumivox5Main* window, int command, const CVariantParameter& value, int from)
{
    QList<CVariantParameter> params{value};
    window->SendCommand(command, &params, from, 0, nullptr, false, false);
}

void Lumivox5Main::f_RequestTransportLogPath(int from)
{
    RunTraced([&] {
        const COptionSettings options(*m_Lumivox5Data->m_pOptionSettings);
        sendLogSetting(this, 138, CVariantParameter().FromString(options.m_SaveLogPath), from);
    });
}

void Lumivox5Main::f_RequestTransportLogEnable(int from)
{
    RunTraced([&] {
        const COptionSettings options(*m_Lumivox5Data->m_pOptionSettings);
        sendLogSetting(this, 139, CVariantParameter().FromBool(options.m_SaveLog), from);
    });
}

void Lumivox5Main::f_RequestScheduleLogEnable(int from)
{
    RunTraced([&] {
        const COptionSettings options(*m_Lumivox5Data->m_pOptionSettings);
        sendLogSetting(this, 147, CVariantParameter().FromBool(options.m_SaveScheduleLog), from);
    });
}

void Lumivox5Main::f_RequestScheduleChangeLogPath(int from)
{
    RunTraced([&] {
        const COptionSettings options(*m_Lumivox5Data->m_pOptionSettings);
        sendLogSetting(this, 146, CVariantParameter().FromString(options.m_SaveScheduleLogPath), from);
    });
}

void Lumivox5Main::f_RequestScheduleStart(int from)
{
    RunTraced([&] {
        // The runner builds its execution set for the scheduler clock's now.
        sendLogSetting(this, 144, CVariantParameter().FromDateTime(m_DataThread->GetVirtualTime()->GetNowTime()), from);
    });
}

void Lumivox5Main::f_RequestScheduleStop(int from)
{
    RunTraced([&] { SendCommand(145, nullptr, from, 0, nullptr, false, false); });
}

void Lumivox5Main::f_QueueReport(const QList<int>& entry)
{
    {
        QMutexLocker lock(&m_mtxUpdateQueue);
        m_UpdateQueue.append(entry);
    }
    if (m_Lumivox5Data->GetProjectorData(entry.at(1)))
        f_OnCheckTimerUpdate();
    else if (entry.at(0) == 0)
        qCDebug(lcMainWindow, "Lumivox5Main::OnReceiveUpdateTiming target not found[%d]", entry.at(1));
}

void Lumivox5Main::OnReceiveUpdateTiming(int cmd, int from, int act, int target)
{
    RunTraced([&] {
        traceReport(QStringLiteral("Lumivox5Main::OnReceiveUpdateTiming cmd[%1] from[%2] act[%3] target[%4]")
                        .arg(cmd)
                        .arg(from)
                        .arg(act)
                        .arg(target));
        f_QueueReport(QList<int>{0, target, 0, cmd, from, act});
    });
}

void Lumivox5Main::OnReceiveUpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act,
                                        int target)
{
    RunTraced([&] {
        // The texts are joined, not substituted: they may hold "%".
        traceReport(QStringLiteral("Lumivox5Main::OnReceiveUpdateError msg[") + msg + QStringLiteral("], strTarget[")
                    + strTarget
                    + QStringLiteral("], code[%1], cmd[%2], from[%3], act[%4], target[%5]")
                          .arg(code)
                          .arg(cmd)
                          .arg(from)
                          .arg(act)
                          .arg(target));
        if (strTarget.isEmpty() && target == 0) {
            QMutexLocker lock(&m_mtxUpdateQueue);
            int& seen = m_SeenGeneralErrors[qMakePair(msg, code)];
            if (seen++ > 0)
                return;
        }
        f_QueueReport(errorEntry(target, code, cmd, from, act));
        // A report naming no projector still brings a pass, which ends its coalescing.
        if (strTarget.isEmpty() && target == 0)
            f_OnCheckTimerUpdate();
        f_OnUpdateErrorToPluginProc(msg, strTarget, code, cmd, from, act, target);
    });
}

void Lumivox5Main::OnTransportStateUpdate(int target)
{
    RunTraced([&] {
        const QByteArray frame(56, '+');
        qCDebug(lcMainWindow, "%s\n[%s] Lumivox5Main::OnTransportStateUpdate target[%d]\n%s", frame.constData(),
               qUtf8Printable(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz"))), target,
               frame.constData());
        const bool communicating =
            m_Lumivox5Data->m_pDeviceAccess && m_Lumivox5Data->m_pDeviceAccess->IsCommunicating(target);
        qCDebug(lcMainWindow, "Lumivox5Main::OnTransportStateUpdate Connect[%s]", communicating ? "START" : "END");
        ui->treeViewPJList->CheckProgressIcon(target, communicating);
    });
}

void Lumivox5Main::f_RunUpdatePass(QTimer* stop, QMutex* stopGuard)
{
    {
        QMutexLocker lock(stopGuard);
        stop->stop();
    }
    // The pass works on its own copy, unlocked: reports made while it runs
    // queue up for the next pass instead of blocking on the lock. The copy is
    // this call's own, so a pass run from an event loop inside this one (a box
    // shown by a handler) takes only what was queued since.
    QList<QList<int>> reports;
    {
        QMutexLocker lock(&m_mtxUpdateQueue);
        reports.swap(m_UpdateQueue);
        for (auto it = m_SeenGeneralErrors.constBegin(); it != m_SeenGeneralErrors.constEnd(); ++it) {
            if (it.value() > 1)
                qCDebug(lcMainWindow, "Lumivox5Main: %d more reports of [%s] code[%d] dropped", it.value() - 1,
                       qUtf8Printable(it.key().first), it.key().second);
        }
        m_SeenGeneralErrors.clear();
    }
    f_OnUpdateTimingProc(reports);
}

void Lumivox5Main::OnTimerUpdateDelay()
{
    RunTraced([&] { f_RunUpdatePass(m_tmrUpdateMidFlow, &m_mtxUpdateMidFlow); });
}

void Lumivox5Main::OnTimerUpdateMidFlow()
{
    RunTraced([&] { f_RunUpdatePass(m_tmrUpdateDelay, &m_mtxUpdateDelay); });
}

void Lumivox5Main::f_TmrUpdateAllProjectors_Tick()
{
    f_UpdateAllConnection(false);
}

void Lumivox5Main::f_OnCheckTimerUpdate()
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_OnCheckTimerUpdate");
    if (!m_tmrUpdateDelay || !m_tmrUpdateMidFlow)
        return;
    if (!m_tmrUpdateDelay->isActive() || !m_tmrUpdateMidFlow->isActive()) {
        QMutexLocker lock(&m_mtxUpdateMidFlow);
        m_tmrUpdateMidFlow->start();
    }
    QMutexLocker lock(&m_mtxUpdateDelay);
    m_tmrUpdateDelay->start();
}

void Lumivox5Main::f_OnScheduleExecuteWithOffline(int cmd, int from, int act, int target, int status,
                                                  int scheduleid)
{
    RunTraced([&] {
        QList<CVariantParameter> params{CVariantParameter().FromInt(status), CVariantParameter().FromInt(scheduleid)};
        QList<int> targets{target};
        SendCommand(cmd, &params, from, act, &targets, false, true);
    });
}

void Lumivox5Main::on_actMenuPJCtrlPowerOn_triggered()
{
    f_SetPowerSelectedConnection(1, true);
}

void Lumivox5Main::on_actMenuPJCtrlPowerOff_triggered()
{
    f_SetPowerSelectedConnection(0, true);
}

void Lumivox5Main::on_actMenuPJCtrlFreezeOn_triggered()
{
    f_SetFreezeSelectedConnection(1);
}

void Lumivox5Main::on_actMenuPJCtrlFreezeOff_triggered()
{
    f_SetFreezeSelectedConnection(2);
}

void Lumivox5Main::on_actMenuPJCtrlPictureMuteOn_triggered()
{
    f_SetPictureMuteSelectedConnection(1, false);
}

void Lumivox5Main::on_actMenuPJCtrlPictureMuteOff_triggered()
{
    f_SetPictureMuteSelectedConnection(0, false);
}

void Lumivox5Main::on_actMenuPJCtrlSoundMuteOn_triggered()
{
    f_SetSoundMuteSelectedConnection(1, false);
}

void Lumivox5Main::on_actMenuPJCtrlSoundMuteOff_triggered()
{
    f_SetSoundMuteSelectedConnection(0, false);
}

void Lumivox5Main::on_actMenuPJCtrlOSDMuteOn_triggered()
{
    f_SetOSDMuteSelectedConnection(1, false);
}

void Lumivox5Main::on_actMenuPJCtrlOSDMuteOff_triggered()
{
    f_SetOSDMuteSelectedConnection(0, false);
}

void Lumivox5Main::on_actMenuPJRefresh_triggered()
{
    f_PJRefresh();
}

void Lumivox5Main::on_actMenuViewStop_triggered()
{
    f_Stop(true);
}

void Lumivox5Main::on_actMenuViewRefresh_triggered()
{
    f_UpdateAllConnection(true);
}

void Lumivox5Main::on_actMenuViewRefreshAll_triggered()
{
    f_UpdateAllConnection(false);
}
