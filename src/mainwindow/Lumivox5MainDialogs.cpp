// Settings dialogs, help, about, web page and external applications.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "About.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CLumivox5Reg.h"
#include "CProfileList.h"
#include "FormOptionSettings.h"
#include "FormStartOtherApp.h"
#include "SettingsDialogFrame.h"

#include <QCoreApplication>

#include <memory>

void Lumivox5Main::f_ShowColumnDetail() {}
void Lumivox5Main::f_ShowMailSettings() {}
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
void Lumivox5Main::f_ShowCommunicationSettings() {}
void Lumivox5Main::f_ShowVirtualTimeSetting() {}
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
void Lumivox5Main::f_ShowHelp() {}
void Lumivox5Main::f_ShowHelpPage(QString, QWidget*) {}
void Lumivox5Main::f_HTMLViewerParentChange(QWidget*) {}
void Lumivox5Main::f_HTMLViewerClosed() {}
void Lumivox5Main::f_ShowWeb() {}

void Lumivox5Main::on_actMenuViewEditColumn_triggered() {}
void Lumivox5Main::on_actMenuToolMail_triggered() {}
void Lumivox5Main::on_actMenuToolOption_triggered()
{
    f_ShowOptionSettings();
}
void Lumivox5Main::on_actMenuToolCommunication_triggered() {}
void Lumivox5Main::on_actMenuToolStartProcessSettings_triggered()
{
    f_ShowStartAppSettings();
}
void Lumivox5Main::on_actMenuHelpHelp_triggered() {}
void Lumivox5Main::on_actMenuHelpAbout_triggered()
{
    f_ShowAbout();
}
void Lumivox5Main::on_actMenuHelpVirtualTime_triggered() {}
void Lumivox5Main::on_actMenuHelpVirtualTimeSetting_triggered() {}
void Lumivox5Main::on_atcMenuPJWeb_triggered() {}
