// Settings dialogs, help, about, web page and external applications.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

void Lumivox5Main::f_ShowColumnDetail() {}
void Lumivox5Main::f_ShowMailSettings() {}
void Lumivox5Main::f_ShowOptionSettings() {}
void Lumivox5Main::f_ShowCommunicationSettings() {}
void Lumivox5Main::f_ShowVirtualTimeSetting() {}
void Lumivox5Main::f_ShowStartAppSettings() {}
void Lumivox5Main::f_ShowAbout() {}
void Lumivox5Main::f_ShowHelp() {}
void Lumivox5Main::f_ShowHelpPage(QString, QWidget*) {}
void Lumivox5Main::f_HTMLViewerParentChange(QWidget*) {}
void Lumivox5Main::f_HTMLViewerClosed() {}
void Lumivox5Main::f_ShowWeb() {}

void Lumivox5Main::on_actMenuViewEditColumn_triggered() {}
void Lumivox5Main::on_actMenuToolMail_triggered() {}
void Lumivox5Main::on_actMenuToolOption_triggered() {}
void Lumivox5Main::on_actMenuToolCommunication_triggered() {}
void Lumivox5Main::on_actMenuToolStartProcessSettings_triggered() {}
void Lumivox5Main::on_actMenuHelpHelp_triggered() {}
void Lumivox5Main::on_actMenuHelpAbout_triggered() {}
void Lumivox5Main::on_actMenuHelpVirtualTime_triggered() {}
void Lumivox5Main::on_actMenuHelpVirtualTimeSetting_triggered() {}
void Lumivox5Main::on_atcMenuPJWeb_triggered() {}
