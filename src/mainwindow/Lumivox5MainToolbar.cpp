// The toolbar: its buttons, their drop-downs and what a click runs.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

void Lumivox5Main::f_CreateToolBar() {}
void Lumivox5Main::f_On_TBPWOn() {}
void Lumivox5Main::f_On_TBPWOff() {}
void Lumivox5Main::f_On_TBSWInputShowDropDown() {}
void Lumivox5Main::f_On_TBAVMute() {}
void Lumivox5Main::f_On_TBPictureMuteOn() {}
void Lumivox5Main::f_On_TBPictureMuteOff() {}
void Lumivox5Main::f_On_TBSoundMuteOn() {}
void Lumivox5Main::f_On_TBSoundMuteOff() {}
void Lumivox5Main::f_On_TBOSDMuteOn() {}
void Lumivox5Main::f_On_TBOSDMuteOff() {}
void Lumivox5Main::f_On_TBFreeze() {}
void Lumivox5Main::f_On_TBFreezeOn() {}
void Lumivox5Main::f_On_TBFreezeOff() {}
void Lumivox5Main::f_On_TBRefresh() {}
void Lumivox5Main::f_On_TBStop() {}
void Lumivox5Main::f_On_TBAdjust() {}
void Lumivox5Main::f_On_TBDetail() {}
void Lumivox5Main::f_On_TBScheduleEdit() {}
void Lumivox5Main::f_On_TBScheduleStart() {}
void Lumivox5Main::f_On_TBScheduleCancel() {}
