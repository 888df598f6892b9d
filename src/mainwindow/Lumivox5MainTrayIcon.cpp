// The tray icon and its menu.
#include "Lumivox5Main.h"

void Lumivox5Main::f_CreateTrayIcon() {}
void Lumivox5Main::f_SetNotifyScheduleRunningIcon(bool) {}
void Lumivox5Main::f_On_IconActivated(QSystemTrayIcon::ActivationReason) {}
