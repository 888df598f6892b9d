// Schedule data and execution control, schedule import and export, virtual time.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CDataFunctions.h"
#include "CGroupTreeView.h"
#include "CIniFileAccess.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CNoOperatingDate.h"
#include "CProjectorData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CVirtualTime.h"
#include "ExceptionTrace.h"
#include "FormCalendar.h"
#include "FormSchedule.h"
#include "LogCategories.h"
#include "ModalBoxes.h"
#include "SaveFileBytes.h"
#include "ScheduleListView.h"
#include "SettingsDialogFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// A schedule file object for one load or save of `path`.
std::unique_ptr<CScheduleFile> scheduleFileFor(const QString& path)
{
    QDir folder(path);
    folder.cdUp();
    return std::unique_ptr<CScheduleFile>(new CScheduleFile(folder.path(), QFileInfo(path).fileName()));
}

// The no-operating dates a loaded file listed, in file order.
CNoOperatingDate noOperatingDatesOf(const CScheduleFile& file)
{
    CNoOperatingDate dates;
    for (qint32 offset : file.m_HolidayList)
        dates.Add(offset);
    return dates;
}

// The wait cursor on a window for as long as it lives.
class CScheduleWaitCursor
{
public:
    explicit CScheduleWaitCursor(QWidget* window)
        : m_Window(window)
    {
        m_Window->setCursor(Qt::WaitCursor);
    }
    ~CScheduleWaitCursor() { m_Window->setCursor(Qt::ArrowCursor); }
    CScheduleWaitCursor(const CScheduleWaitCursor&) = delete;
    CScheduleWaitCursor& operator=(const CScheduleWaitCursor&) = delete;

private:
    QWidget* m_Window;
};

} // namespace

bool Lumivox5Main::f_OnScheduleIsInExecution()
{
    return m_Lumivox5Data ? m_Lumivox5Data->m_ScheduleRunning : false;
}

void Lumivox5Main::f_LoadScheduleData()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        const QString path = hub->GetDefaultScheduleFilePath();
        if (path.isEmpty() || !QFileInfo::exists(path))
            return;
        std::unique_ptr<CScheduleFile> file = scheduleFileFor(path);
        file->m_pScheduleManager->f_CopyScheduleData(hub->m_pScheduleManager->f_GetScheduleMap());
        if (!file->LoadScheduleFile(true)) {
            // The exit save writes a fresh file there: first keep the only
            // copy of what the operator had, or spare the file.
            if (hub->CopyRejectedFileAside(path).isEmpty())
                hub->m_ScheduleFileSpared = true;
            CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"), tr("MainMsgScheduleReadErrorMessage"));
            return;
        }
        hub->m_pScheduleManager->f_CopyScheduleData(file->m_pScheduleManager->f_GetScheduleMap());
        hub->m_pNoOperatingDate->Copy(noOperatingDatesOf(*file));
        f_InitExcuteSchedule();
    });
}

QString Lumivox5Main::f_SaveScheduleData()
{
    CLumivox5Data* hub = m_Lumivox5Data;
    const QString path = hub->GetDefaultScheduleFilePath();
    const QString shown = QDir::toNativeSeparators(path);
    const QString failed = tr("MainMsgExitScheduleNotSaved").arg(shown);
    return RunTraced(failed, [&] {
        if (hub->m_ScheduleFileSpared)
            return tr("MainMsgScheduleFileSpared").arg(shown);
        std::unique_ptr<CScheduleFile> file = scheduleFileFor(path);
        file->m_pScheduleManager->f_CopyScheduleData(hub->m_pScheduleManager->f_GetScheduleMap());
        file->SetHolidayParam(CNoOperatingDate(*hub->m_pNoOperatingDate));
        if (file->SaveScheduleFile(path, true) >= 2) {
            const QString reason = SaveFailureReason(path);
            return reason.isEmpty() ? failed : failed + QLatin1Char(' ') + reason;
        }
        hub->m_ScheduleSaved = true;
        return QString();
    });
}

void Lumivox5Main::f_InitExcuteSchedule()
{
    RunTraced([&] { m_Lumivox5Data->m_pScheduleExcuteManager->f_ClearSchedule(); });
}

int Lumivox5Main::f_ScheduleExecuteData(bool confirm, bool fromMidnight)
{
    return RunTraced(false, [&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        CScheduleWaitCursor wait(this);
        QDateTime base = m_DataThread->GetVirtualTime()->GetNowTime();
        if (fromMidnight)
            base = QDateTime(base.date(), QTime(0, 0));
        std::unique_ptr<CScheduleManager::ScheduleMap> week(
            hub->m_pScheduleManager->MakeExpandSchedules(base, fromMidnight));
        const auto discard = [&week] {
            qDeleteAll(*week);
            week->clear();
        };
        const CNoOperatingDate dates(*hub->m_pNoOperatingDate);
        bool anyOperating = false;
        for (const CScheduleData* instance : qAsConst(*week)) {
            if (!dates.IsNoOperatingDate(instance->StartDay)) {
                anyOperating = true;
                break;
            }
        }
        if (confirm && !anyOperating) {
            const QMessageBox::StandardButton answer =
                CMessageBoxes::Question(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleMsgStartConfirmation"),
                                        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
            if (answer != QMessageBox::Ok) {
                discard();
                return false;
            }
        }
        f_InitExcuteSchedule();
        CScheduleManager* expanded = hub->m_pScheduleExcuteManager;
        for (auto it = week->begin(); it != week->end(); it = week->erase(it)) {
            // Past the collection's limit an instance is dropped.
            if (!expanded->f_AddExpandSchedule(it.value()))
                delete it.value();
        }
        return true;
    });
}

void Lumivox5Main::f_StoreAutoExecuteSchedule()
{
    CLumivox5Data* hub = m_Lumivox5Data;
    if (hub->m_pReg->m_AutoExecuteSchedule == hub->m_ScheduleRunning)
        return;
    hub->m_AutoExecuteSchedule = hub->m_ScheduleRunning;
    hub->WriteRegistryFunc(CLumivox5Reg::REG_AUTO_EXECUTE);
}

void Lumivox5Main::f_ShowScheduleRunning(bool running)
{
    m_Lumivox5Data->m_ScheduleRunning = running;
    f_SetNotifyScheduleRunningIcon(running);
    if (auto* model = qobject_cast<QStandardItemModel*>(ui->treeViewGroup->model()))
        ui->treeViewGroup->f_SetAllGroupIcons(model->item(CGroupTreeView::ROW_GROUP, 0));
}

void Lumivox5Main::f_ScheduleExecute(bool start)
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        if (start) {
            if (hub->m_pScheduleManager->f_GetScheduleMap().isEmpty()) {
                CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleMsgNoScheduleData"));
                f_StoreAutoExecuteSchedule();
                return;
            }
            if (ui->tabMain->currentWidget() != ui->tabSchedule)
                ui->tabMain->setCurrentWidget(ui->tabSchedule);
            if (!f_ScheduleExecuteData(true, false)) {
                f_StoreAutoExecuteSchedule();
                return;
            }
            f_UpdateAllUnconnectedConnection(false);
            f_RequestScheduleStart(1);
            f_ShowScheduleRunning(true);
            f_UpdateScheduleList();
        } else {
            const QMessageBox::StandardButton answer =
                CMessageBoxes::Question(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleMsgStopConfirmation"),
                                        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
            if (answer != QMessageBox::Ok) {
                f_StoreAutoExecuteSchedule();
                return;
            }
            f_RequestScheduleStop(1);
            f_ShowScheduleRunning(false);
        }
        f_StoreAutoExecuteSchedule();
        f_UpdateMenuHelpDropDown();
    });
}

void Lumivox5Main::f_OnDateUpdateProc()
{
    RunTraced([&] {
        if (m_Lumivox5Data->m_ScheduleRunning) {
            f_ScheduleExecuteData(false, true);
            f_RequestScheduleStop(1);
            f_RequestScheduleStart(1);
        } else {
            f_InitExcuteSchedule();
        }
        f_UpdateScheduleList();
    });
}

void Lumivox5Main::f_VirtualTimeExecute(bool on)
{
    RunTraced([&] {
        ui->actMenuHelpVirtualTime->setChecked(on);
        CVirtualTime* clock = m_DataThread->GetVirtualTime();
        clock->Stop();
        clock->m_VirtualTimeOn = on;
        clock->Start();
        f_UpdateMenuHelpDropDown();
        f_WaitAndUpdateScheduleList();
    });
}

void Lumivox5Main::f_WaitAndUpdateScheduleList()
{
    CScheduleWaitCursor wait(this);
    for (int n = 0; n < 10; ++n)
        QThread::msleep(100);
    f_UpdateScheduleList();
}

void Lumivox5Main::f_OnTimerUpdateScheduleList()
{
    if (!m_tmrUpdateScheduleList->isActive())
        m_tmrUpdateScheduleList->start();
}

void Lumivox5Main::f_OnTimerUpdateScheduleListProc()
{
    m_tmrUpdateScheduleList->stop();
    f_UpdateScheduleList();
}

void Lumivox5Main::f_UpdateScheduleList()
{
    RunTraced([&] {
        if (ui->tabMain->currentWidget() != ui->tabSchedule)
            return;
        CLumivox5Data* hub = m_Lumivox5Data;
        CGroupTreeView* tree = ui->treeViewGroup;
        const int groupId = tree->GetCurrentGroupID();
        QString path;
        const QModelIndexList selected = tree->selectionModel() ? tree->selectionModel()->selectedRows(0)
                                                                : QModelIndexList();
        if (selected.size() == 1)
            path = tree->GetFullPath(true, selected.first());
        QList<QString> addresses;
        if (groupId >= 0) {
            for (const CProjectorData* record : qAsConst(*hub->m_pProjectorDatas)) {
                if (record && record->m_Enabled && (groupId == 0 || record->m_GroupList.contains(groupId)))
                    addresses.append(record->m_Address);
            }
        }
        // Instances computed for display are the caller's; the other map
        // refers to the hub's own instances.
        const bool computed = !hub->m_ScheduleRunning
                              && hub->m_pScheduleExcuteManager->f_GetScheduleMap().isEmpty();
        std::unique_ptr<CScheduleManager::ScheduleMap> shown(
            computed ? hub->m_pScheduleManager->f_GetExpandSchedulesAWeek(
                           path, addresses, m_DataThread->GetVirtualTime()->GetNowTime())
                     : hub->m_pScheduleExcuteManager->GetExpandSchedulesTarget(path, addresses));
        CNoOperatingDate dates(*hub->m_pNoOperatingDate);
        ui->treeViewSchedule->f_UpdateScheduleListView(*shown, dates);
        if (computed)
            qDeleteAll(*shown);
    });
}

bool Lumivox5Main::f_OnScheduleLogExists()
{
    return f_IsScheduleExecutionHistoryLogExists();
}

void Lumivox5Main::on_actMenuScheduleEdit_triggered()
{
    RunSettingsDialog<FormSchedule>(
        this, m_Lumivox5Data,
        [&](FormSchedule* dialog) {
            connect(dialog, &FormSchedule::ShowHelpSignal, this, &Lumivox5Main::f_ShowHelpPage,
                    Qt::QueuedConnection);
            connect(dialog, &FormSchedule::HTMLViewerParentChangeSignal, this,
                    &Lumivox5Main::f_HTMLViewerParentChange);
            dialog->m_ScheduleManager->f_CopyScheduleData(m_Lumivox5Data->m_pScheduleManager->f_GetScheduleMap());
            dialog->m_appData = m_Lumivox5Data;
            dialog->m_DataFunctions = m_DataThread;
        },
        [&](FormSchedule* dialog) {
            m_Lumivox5Data->m_pScheduleManager->f_CopyScheduleData(dialog->m_ScheduleManager->f_GetScheduleMap());
            m_Lumivox5Data->m_ScheduleSaved = !dialog->m_Modified;
            f_InitExcuteSchedule();
            f_UpdateScheduleList();
        });
}

void Lumivox5Main::on_actMenuScheduleExecute_triggered()
{
    f_ScheduleExecute(true);
    f_UpdateToolbarEnabled();
}

void Lumivox5Main::on_actMenuScheduleCancel_triggered()
{
    f_ScheduleExecute(false);
    f_UpdateToolbarEnabled();
}

void Lumivox5Main::on_actMenuScheduleSettingNoOperatingDate_triggered()
{
    RunSettingsDialog<FormCalendar>(
        this, m_Lumivox5Data,
        [&](FormCalendar* dialog) { dialog->m_NoOperatingDate->Copy(CNoOperatingDate(*m_Lumivox5Data->m_pNoOperatingDate)); },
        [&](FormCalendar* dialog) {
            m_Lumivox5Data->m_pNoOperatingDate->Copy(*dialog->m_NoOperatingDate);
            f_UpdateScheduleList();
        });
}

void Lumivox5Main::on_actMenuViewSchedule_triggered() {}

void Lumivox5Main::f_ImportSchedule()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        if (CMessageBoxes::Question(this, hub, tr("Lumivox5MsgTitle"), tr("MainMsgScheduleOverWriteMessage"),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
            != QMessageBox::Ok)
            return;
        const QString chosen =
            CFileDialogs::GetOpenFileName(this, hub, QString(), f_ScheduleDialogStartFile(), tr("ScheduleFileFilter"));
        activateWindow();
        if (chosen.isEmpty())
            return;
        CModalDialogFlag modal(hub);
        std::unique_ptr<CScheduleWaitCursor> wait(new CScheduleWaitCursor(this));
        std::unique_ptr<CScheduleFile> file = scheduleFileFor(chosen);
        if (!file->LoadScheduleFile(true)) {
            wait.reset();
            CMessageBoxes::Critical(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleEditMsgLoadFailed"));
            return;
        }
        hub->m_pScheduleManager->f_CopyScheduleData(file->m_pScheduleManager->f_GetScheduleMap());
        if (!file->m_HolidayList.isEmpty()
            && CMessageBoxes::Question(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleMsgNoOperatingDataGet"),
                                       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
                   == QMessageBox::Ok)
            hub->m_pNoOperatingDate->Copy(noOperatingDatesOf(*file));
        f_InitExcuteSchedule();
        f_UpdateScheduleList();
        hub->m_ScheduleFilePath = chosen;
        wait.reset();
        CMessageBoxes::Information(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleEditMsgLoadComp"));
    });
}

void Lumivox5Main::f_ExportSchedule()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        const QString ansi = tr("ScheduleFileANSIFilter");
        QString selectedFilter;
        const QString chosen =
            CFileDialogs::GetSaveFileName(this, hub, QString(), f_ScheduleDialogStartFile(),
                                          tr("ScheduleFileFilter") + QStringLiteral(";;") + ansi, &selectedFilter);
        activateWindow();
        if (chosen.isEmpty())
            return;
        const QString codePage = selectedFilter.contains(ansi, Qt::CaseInsensitive) ? CIniFileAccess::CODEPAGE_SHIFTJIS
                                                                                    : CIniFileAccess::CODEPAGE_UTF16;
        std::unique_ptr<CScheduleFile> file = scheduleFileFor(chosen);
        file->m_pScheduleManager->f_CopyScheduleData(hub->m_pScheduleManager->f_GetScheduleMap());
        file->SetHolidayParam(CNoOperatingDate(*hub->m_pNoOperatingDate));
        const int result = file->SaveScheduleFile(chosen, true, codePage);
        if (result >= 2) {
            CMessageBoxes::Critical(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleEditMsgSaveFailed"));
            return;
        }
        hub->m_ScheduleFilePath = chosen;
        hub->m_ScheduleSaved = true;
        if (result == 0)
            CMessageBoxes::Information(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleEditMsgSaveComp"));
        else
            CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"), tr("ScheduleEditMsgSaveConvertedError"));
    });
}

QString Lumivox5Main::f_ScheduleDialogStartFile() const
{
    QDir folder(m_Lumivox5Data->m_ScheduleFilePath);
    folder.cdUp();
    return folder.path() + QLatin1Char('/') + CScheduleFile::DEF_SCHEDULE_NAME;
}

void Lumivox5Main::on_actMenuFileImportSchedule_triggered()
{
    f_ImportSchedule();
}

void Lumivox5Main::on_actMenuFileExportSchedule_triggered()
{
    f_ExportSchedule();
}
