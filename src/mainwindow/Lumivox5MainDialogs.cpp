// Settings dialogs, help, about, web page and external applications.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "About.h"
#include "AppPaths.h"
#include "ApplicationLauncher.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "COptionSettings.h"
#include "CProfileList.h"
#include "CVirtualTime.h"
#include "DeviceSettingWindow.h"
#include "ExceptionTrace.h"
#include "FormChooseProjectorListColumn.h"
#include "FormMailSettings.h"
#include "FormOptionSettings.h"
#include "FormStartOtherApp.h"
#include "HelpNames.h"
#include "LogCategories.h"
#include "ModalBoxes.h"
#include "CProjectorTreeView.h"
#include "SettingsDialogFrame.h"
#include "VirtualTimeSetting.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <memory>
#include <vector>

void Lumivox5Main::f_ShowColumnDetail()
{
    f_UpdatePjListColumn(true);
    // Every copy handed to the chooser is freed here, once: after Default its
    // working list points at the default copies.
    std::vector<std::unique_ptr<CListViewColumnStatus>> copies;
    const auto fill = [&copies](const CListViewColumnStatus::ColumnMap* map, QList<CListViewColumnStatus*>* list) {
        list->clear();
        for (int key = 0; map && key < map->size(); ++key) {
            if (CListViewColumnStatus* record = map->value(key, nullptr)) {
                copies.emplace_back(new CListViewColumnStatus(record));
                list->append(copies.back().get());
            }
        }
    };
    RunSettingsDialog<FormChooseProjectorListColumn>(
        this, m_Lumivox5Data,
        [&](FormChooseProjectorListColumn* dialog) {
            fill(m_Lumivox5Data->m_pPjListColumnStatus, &dialog->m_columnStatusList);
            fill(m_Lumivox5Data->m_pPjListColumnStatusDefault, &dialog->m_defaultColumnStatusList);
        },
        [&](FormChooseProjectorListColumn* dialog) {
            CListViewColumnStatus::ColumnMap* columns = m_Lumivox5Data->m_pPjListColumnStatus;
            CListViewColumnStatus::DeleteColumns(columns);
            for (CListViewColumnStatus* record : qAsConst(dialog->m_columnStatusList))
                CListViewColumnStatus::f_AddPjListColumns(columns, record->m_ID, record->m_Title, record->m_Width,
                                                          record->m_DisplayIndex, record->m_Visible);
            f_UpdatePjListColumn(false);
        });
    f_PjListColumnCheck();
}

void Lumivox5Main::f_ShowMailSettings()
{
    // The dialog edits a copy; the hub takes it over only on OK.
    CMailSettings edited(*m_Lumivox5Data->m_pMailSettings);
    RunSettingsDialog<FormMailSettings>(
        this, m_Lumivox5Data,
        [&](FormMailSettings* dialog) {
            connect(dialog, &FormMailSettings::OnSendTestMail, this, &Lumivox5Main::f_OnSendTestMail);
            connect(dialog, &FormMailSettings::ShowHelpSignal, this, &Lumivox5Main::f_ShowHelpPage,
                    Qt::QueuedConnection);
            dialog->m_pMailSettings = &edited;
            m_pFormMailSettings = dialog;
        },
        [&](FormMailSettings*) {
            *m_Lumivox5Data->m_pMailSettings = edited;
            // The store answers true when the group could not be written.
            if (m_Lumivox5Data->WriteRegistryFunc(CLumivox5Reg::REG_MAIL))
                CMessageBoxes::Warning(
                    this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                    tr("MainMsgMailSettingsNotSaved").arg(QDir::toNativeSeparators(CLumivox5Reg::SettingsFilePath())));
        });
    m_pFormMailSettings = nullptr;
}

void Lumivox5Main::f_ShowOptionSettings()
{
    // The dialog edits a copy; only OK hands it back. The settings file gets
    // the options at exit with the other settings.
    std::unique_ptr<COptionSettings> options(new COptionSettings(*m_Lumivox5Data->m_pOptionSettings));
    RunSettingsDialog<FormOptionSettings>(
        this, m_Lumivox5Data,
        [&](FormOptionSettings* dialog) {
            connect(dialog, &FormOptionSettings::ShowHelpSignal, this, &Lumivox5Main::f_ShowHelpPage,
                    Qt::QueuedConnection);
            dialog->m_pOptionSettings = options.get();
        },
        [&](FormOptionSettings*) {
            *m_Lumivox5Data->m_pOptionSettings = *options;
            if (options->m_AutoUpdate)
                f_SetUpdateAllProjectorsTimerInterval(options->m_AutoUpdateInterval);
            f_EnableUpdateAllProjectorsTimer(true);
            f_RequestTransportLogPath(1);
            f_RequestTransportLogEnable(1);
            f_RequestScheduleLogEnable(1);
            f_RequestScheduleChangeLogPath(1);
        });
}

void Lumivox5Main::f_ShowCommunicationSettings()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        // The dialog edits a copy read back from the saved list: from an older
        // file, OK would undo renames and bring deleted projectors back.
        if (hub->SaveUserList() != 0) {
            CMessageBoxes::Critical(this, hub, tr("Lumivox5MsgTitle"), tr("MainMsgUserListSaveErrorMessage"));
            return;
        }
        hub->LoadTempUserList();
        bool accepted = false;
        RunSettingsDialog<DeviceSettingWindow>(
            this, hub,
            [&](DeviceSettingWindow* dialog) {
                connect(dialog, &DeviceSettingWindow::ShowHelpSignal, this, &Lumivox5Main::f_ShowHelpPage,
                        Qt::QueuedConnection);
                connect(dialog, &DeviceSettingWindow::HTMLViewerParentChangeSignal, this,
                        &Lumivox5Main::f_HTMLViewerParentChange);
                dialog->m_Lumivox5Data = hub;
                qCDebug(lcMainWindow, " -- open DeviceSettingWindow -- ");
            },
            [&](DeviceSettingWindow* dialog) {
                accepted = true;
                // The records the dialog hands over stay the temporary map's:
                // the hub and the registration copy their values.
                QMap<int, CProjectorData*> reconnect;
                hub->DeleteModifyProjectors(&dialog->targetList, dialog->aryModifyProjectorsID,
                                            dialog->aryNewDatas, &reconnect);
                f_PJRefresh(&reconnect);
                // Edits and deletions are unsaved as well as the additions.
                f_DirectAddProjector(dialog->aryNewDatas, true, QT_TR_NOOP("MainMsgCommSettingsSaveFailed"));
            });
        hub->InitProjectorDataTemp();
        f_InitGroupTree();
        if (accepted)
            f_UpdateScheduleList();
        f_EnableUpdateAllProjectorsTimer(true);
    });
}

void Lumivox5Main::f_ShowVirtualTimeSetting()
{
    CVirtualTime* clock = m_DataThread->GetVirtualTime();
    clock->Stop();
    const int result = RunSettingsDialog<VirtualTimeSetting>(
        this, m_Lumivox5Data,
        [&](VirtualTimeSetting* dialog) {
            dialog->m_BasedOnNow = clock->m_BasedOnNow;
            dialog->m_StartTime = clock->m_StartTime;
            dialog->m_Acceleration = clock->m_Acceleration;
        },
        [&](VirtualTimeSetting* dialog) {
            clock->m_BasedOnNow = dialog->m_BasedOnNow;
            clock->m_StartTime = dialog->m_StartTime;
            clock->m_Acceleration = dialog->m_Acceleration;
            f_VirtualTimeExecute(true);
        });
    if (result != QDialog::Accepted) {
        clock->Start();
        f_WaitAndUpdateScheduleList();
    }
}

void Lumivox5Main::f_ShowStartAppSettings()
{
    RunSettingsDialog<FormStartOtherApp>(
        this, m_Lumivox5Data,
        [&](FormStartOtherApp* dialog) {
            connect(dialog, &FormStartOtherApp::ShowHelpSignal, this, &Lumivox5Main::f_ShowHelpPage,
                    Qt::QueuedConnection);
            connect(dialog, &FormStartOtherApp::HTMLViewerParentChangeSignal, this,
                    &Lumivox5Main::f_HTMLViewerParentChange);
            dialog->m_AppList = m_Lumivox5Data->m_pStartAppList;
            dialog->m_MaxCount = CLumivox5Reg::START_APP_SLOTS;
        },
        [&](FormStartOtherApp* dialog) {
            // The dialog refills the list it was given; a list it made
            // itself replaces the hub's.
            if (dialog->m_AppList != m_Lumivox5Data->m_pStartAppList) {
                delete m_Lumivox5Data->m_pStartAppList;
                m_Lumivox5Data->m_pStartAppList = dialog->m_AppList;
            }
        });
}

void Lumivox5Main::f_ShowAbout()
{
    RunSettingsDialog<About>(
        this, m_Lumivox5Data,
        [&](About* dialog) {
            connect(dialog, &About::on_f_HelpRevision, this, &Lumivox5Main::f_ShowHelpPage, Qt::QueuedConnection);
            // The dialog shows the model profile file's header as it is now.
            const CProfileList* profiles = m_Lumivox5Data->m_pProfileList;
            const struct {
                const char* property;
                QString value;
            } versions[] = {
                {"SetupVersion", profiles ? profiles->m_SetupVersion : QString()},
                {"ProfileVersion", profiles ? profiles->m_ProfileVersion : QString()},
                {"ProfileExtraVersion", profiles ? profiles->m_ExtraVersion : QString()},
                {"CopyrightYear", profiles ? profiles->m_CopyrightYear : QString()},
            };
            for (const auto& version : versions)
                QCoreApplication::instance()->setProperty(version.property, version.value);
        },
        [](About*) {});
}

void Lumivox5Main::f_ShowHelp()
{
    f_ShowHelpPage(HelpNames::AboutPage(), nullptr);
}

void Lumivox5Main::f_ShowHelpPage(QString page, QWidget*)
{
    RunTraced([&] {
        const QString viewer = AppPaths::programFolder() + QLatin1Char('/') + HelpNames::ViewerProgram();
        const QFileInfo file(viewer);
        if (!file.isFile() || !file.isExecutable()) {
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgNotExistApplicationPath").arg(HelpNames::ViewerProgram()));
            return;
        }
        const QString folder = HelpNames::LanguageFolder(int(m_Lumivox5Data->m_LanguageCodeTable.m_LanguageCode));
        const QStringList arguments{
            QStringLiteral("/INDEX=") + folder + HelpNames::IndexPage(),
            QStringLiteral("/CONTENTS=") + folder + (page.isEmpty() ? HelpNames::AboutPage() : page),
        };
        // A viewer started just before has time to listen, so this start hands
        // its pages over instead of opening a second window.
        QThread::msleep(500);
        qCDebug(lcMainWindow) << ">" << viewer << arguments;
        CApplicationLauncher::Start(viewer, arguments);
    });
}

void Lumivox5Main::f_HTMLViewerParentChange(QWidget*) {}
void Lumivox5Main::f_HTMLViewerClosed() {}

void Lumivox5Main::f_ShowWeb()
{
    RunTraced([&] {
        CProjectorTreeView* list = ui->treeViewPJList;
        const QModelIndexList rows = list->selectionModel()->selectedRows(0);
        if (rows.size() != 1)
            return;
        // The address is the Setting column's text, wherever that column is shown.
        constexpr int settingKey = 5;
        const int column = list->m_columnIndexByKey.value(settingKey, 0);
        const QString host = list->model()->index(rows.first().row(), column).data(Qt::DisplayRole).toString();
        if (host == QLatin1String("---"))
            return;
        // The host setter brackets an IPv6 address; any other text stays as it is.
        QUrl address;
        address.setScheme(QStringLiteral("http"));
        address.setHost(host);
        // A text that is no host ("192.168.0.10:8080", "proj 1") would leave
        // the host out and hand the browser "http:///". Asked before the
        // path is set, which forgets the host's error.
        if (!address.isValid()) {
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgWebAddressInvalid").arg(host));
            return;
        }
        address.setPath(QStringLiteral("/"));
        QDesktopServices::openUrl(address);
    });
}

void Lumivox5Main::on_actMenuViewEditColumn_triggered()
{
    f_ShowColumnDetail();
}

void Lumivox5Main::on_actMenuToolMail_triggered()
{
    f_ShowMailSettings();
}

void Lumivox5Main::on_actMenuToolOption_triggered()
{
    f_ShowOptionSettings();
}

void Lumivox5Main::on_actMenuToolCommunication_triggered()
{
    f_ShowCommunicationSettings();
}

void Lumivox5Main::on_actMenuToolStartProcessSettings_triggered()
{
    f_ShowStartAppSettings();
}

void Lumivox5Main::on_actMenuHelpHelp_triggered()
{
    f_ShowHelp();
}

void Lumivox5Main::on_actMenuHelpAbout_triggered()
{
    f_ShowAbout();
}

void Lumivox5Main::on_actMenuHelpVirtualTime_triggered()
{
    f_VirtualTimeExecute(ui->actMenuHelpVirtualTime->isChecked());
}

void Lumivox5Main::on_actMenuHelpVirtualTimeSetting_triggered()
{
    f_ShowVirtualTimeSetting();
}

void Lumivox5Main::on_atcMenuPJWeb_triggered()
{
    f_ShowWeb();
}
