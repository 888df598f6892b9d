// Schedule data and execution control.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"

bool Lumivox5Main::f_OnScheduleIsInExecution()
{
    return m_Lumivox5Data ? m_Lumivox5Data->m_ScheduleRunning : false;
}

void Lumivox5Main::f_LoadScheduleData() {}
void Lumivox5Main::f_SaveScheduleData() {}
void Lumivox5Main::f_ScheduleExecute(bool) {}
int Lumivox5Main::f_ScheduleExecuteData(bool, bool)
{
    return 0;
}
void Lumivox5Main::f_InitExcuteSchedule() {}
void Lumivox5Main::f_UpdateScheduleList() {}
void Lumivox5Main::f_VirtualTimeExecute(bool) {}
bool Lumivox5Main::f_OnScheduleLogExists()
{
    return false;
}
void Lumivox5Main::f_OnDateUpdateProc() {}
void Lumivox5Main::f_OnTimerUpdateScheduleList() {}
void Lumivox5Main::f_OnTimerUpdateScheduleListProc() {}
void Lumivox5Main::on_actMenuScheduleEdit_triggered() {}
void Lumivox5Main::on_actMenuScheduleExecute_triggered() {}
void Lumivox5Main::on_actMenuScheduleCancel_triggered() {}
void Lumivox5Main::on_actMenuScheduleSettingNoOperatingDate_triggered() {}

void Lumivox5Main::on_actMenuViewSchedule_triggered() {}
