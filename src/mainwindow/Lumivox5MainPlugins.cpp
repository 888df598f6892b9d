// Plug-in hosting: loading the adjustment panel and forwarding status
// reports to it.
#include "Lumivox5Main.h"
#include "LogCategories.h"

void Lumivox5Main::f_LoadPlugin() {}
void Lumivox5Main::on_actMenuPJAdjust_triggered() {}

void Lumivox5Main::f_OnUpdateTimingToPluginProc(const QList<QList<int>>& reports)
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_OnUpdateTimingToPluginProc entries[%d]", int(reports.size()));
}
void Lumivox5Main::f_OnUpdateErrorToPluginProc(QString, QString, int, int, int, int, int) {}
