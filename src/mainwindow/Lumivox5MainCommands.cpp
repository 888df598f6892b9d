// Command requests, status updates, automatic update and mail requests.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "COptionSettings.h"

#include <QTimer>

void Lumivox5Main::f_SetUpdateAllProjectorsTimerInterval(int minutes)
{
    if (!m_tmrUpdateAllProjectors)
        return;
    m_tmrUpdateAllProjectors->setInterval(minutes > 0 ? minutes * 60000 : 60000);
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

void Lumivox5Main::SendCommand(int, QList<CVariantParameter>*, int, int, QList<int>*, bool, bool) {}
void Lumivox5Main::f_SetPowerSelectedConnection(int, bool) {}
void Lumivox5Main::f_SetInputTerminalSelectedConnection(unsigned char) {}
void Lumivox5Main::f_SetFreezeSelectedConnection(int) {}
void Lumivox5Main::f_SetFreezeAutoToggle() {}
void Lumivox5Main::f_SetPictureMuteSelectedConnection(int, bool) {}
void Lumivox5Main::f_SetSoundMuteSelectedConnection(int, bool) {}
void Lumivox5Main::f_SetOSDMuteSelectedConnection(int, bool) {}
void Lumivox5Main::f_AllSwitchingMute() {}
void Lumivox5Main::f_PJRefresh() {}
void Lumivox5Main::f_PJRefresh(QMap<int, CProjectorData*>*) {}
void Lumivox5Main::f_UpdateAllConnection(bool) {}
void Lumivox5Main::f_UpdateAllUnconnectedConnection(bool) {}
void Lumivox5Main::f_DisconnectAllConnection() {}
void Lumivox5Main::f_Stop(bool) {}
void Lumivox5Main::f_OnUpdateTimingProc() {}
void Lumivox5Main::f_OnUpdateTimingToPluginProc() {}
void Lumivox5Main::f_OnUpdateErrorToPluginProc(QString, QString, int, int, int, int, int) {}
void Lumivox5Main::f_RequestTransportLogPath(int) {}
void Lumivox5Main::f_RequestTransportLogEnable(int) {}
void Lumivox5Main::f_RequestScheduleLogEnable(int) {}
void Lumivox5Main::f_RequestScheduleChangeLogPath(int) {}
void Lumivox5Main::f_RequestScheduleStart(int) {}
void Lumivox5Main::f_RequestScheduleStop(int) {}
void Lumivox5Main::OnReceiveUpdateTiming(int, int, int, int) {}
void Lumivox5Main::OnReceiveUpdateError(QString, QString, int, int, int, int, int) {}
void Lumivox5Main::OnTransportStateUpdate(int) {}
void Lumivox5Main::OnTimerUpdateDelay() {}
void Lumivox5Main::OnTimerUpdateMidFlow() {}
void Lumivox5Main::f_TmrUpdateAllProjectors_Tick() {}
void Lumivox5Main::f_OnCheckTimerUpdate() {}

void Lumivox5Main::f_SendMail(CMailSettings, QString, QString, bool) {}
void Lumivox5Main::f_ErrorMailProc(CProjectorData*) {}
void Lumivox5Main::f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum, bool) {}
void Lumivox5Main::f_OnSendTestMail(CMailSettings*) {}
void Lumivox5Main::f_OnSendErrorMail(CProjectorData*, QString, int) {}

void Lumivox5Main::on_actMenuPJCtrlPowerOn_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlPowerOff_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlFreezeOn_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlFreezeOff_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlPictureMuteOn_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlPictureMuteOff_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlSoundMuteOn_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlSoundMuteOff_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlOSDMuteOn_triggered() {}
void Lumivox5Main::on_actMenuPJCtrlOSDMuteOff_triggered() {}
void Lumivox5Main::on_actMenuPJRefresh_triggered() {}
void Lumivox5Main::on_actMenuViewStop_triggered() {}
void Lumivox5Main::on_actMenuViewRefresh_triggered() {}
void Lumivox5Main::on_actMenuViewRefreshAll_triggered() {}
