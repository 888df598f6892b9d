// Menus, context menus, toolbar and their enabling.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

void Lumivox5Main::f_UpdateMenuFileDropDown() {}
void Lumivox5Main::f_UpdateMenuFileImportDropDown() {}
void Lumivox5Main::f_UpdateMenuFileShowLogDropDown() {}
void Lumivox5Main::f_UpdateMenuViewDropDown() {}
void Lumivox5Main::f_UpdateMenuToolDropDown() {}
void Lumivox5Main::f_UpdateMenuGroupDropDown(bool) {}
void Lumivox5Main::onUpdateMenuGroupDropDown() {}
void Lumivox5Main::f_UpdateMenuProjectorDropDown() {}
void Lumivox5Main::f_UpdateMenuScheduleDropDown() {}
void Lumivox5Main::f_UpdateMenuHelpDropDown() {}
void Lumivox5Main::f_On_MenuHelp_hovered() {}
void Lumivox5Main::f_On_MenuViewSort_hovered() {}
void Lumivox5Main::f_On_MenuToolStartProcess_hovered() {}
void Lumivox5Main::on_menuPJCtrl_hovered() {}
void Lumivox5Main::f_On_menuPJCtrlPower_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlSignalSelect_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlFreeze_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlPictureMute_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlSoundMute_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlOSDMute_showDropDown() {}
void Lumivox5Main::f_On_ViewSortSelected() {}
void Lumivox5Main::f_OnInputSW_triggered() {}
void Lumivox5Main::f_On_AppStartSelected() {}
void Lumivox5Main::f_MenuSignalSelectDropDownCreate(QMenu*) {}
void Lumivox5Main::f_MenuSortDropDownCreate(QMenu*) {}
void Lumivox5Main::f_MenuAppStartDropDownCreate(QMenu*) {}
void Lumivox5Main::f_UpdateToolbarEnabled() {}
void Lumivox5Main::f_UpdateProjectorMenuEnabled(MENU_TYPE::Enum) {}
void Lumivox5Main::f_UpdateScheduleMenuEnabled(MENU_TYPE::Enum) {}
bool Lumivox5Main::f_RenameMenuAvailable()
{
    return false;
}
void Lumivox5Main::f_SetMenuCheckedDot(QObject*, bool) {}
void Lumivox5Main::f_MenuPJCtrlDropDownOpening(MENU_TYPE::Enum) {}
void Lumivox5Main::f_MenuPowerDropDownOpening(MENU_TYPE::Enum) {}
void Lumivox5Main::f_MenuFreezeDropDownOpening(MENU_TYPE::Enum) {}
void Lumivox5Main::f_MenuPictureMuteDropDownOpening(MENU_TYPE::Enum) {}
void Lumivox5Main::f_MenuSoundMuteDropDownOpening(MENU_TYPE::Enum) {}
void Lumivox5Main::f_MenuOSDMuteDropDownOpening(MENU_TYPE::Enum) {}

void Lumivox5Main::f_PJCtxDropDownShow() {}
void Lumivox5Main::f_PJCtxControlDropDownShow() {}
void Lumivox5Main::f_PJCtxPowerDropDownShow() {}
void Lumivox5Main::f_PJCtxFreezeDropDownShow() {}
void Lumivox5Main::f_PJCtxPictureMuteDropDownShow() {}
void Lumivox5Main::f_PJCtxSoundMuteDropDownShow() {}
void Lumivox5Main::f_PJCtxOSDMuteDropDownShow() {}

void Lumivox5Main::f_CreateToolBar() {}
void Lumivox5Main::f_On_TBPWOn() {}
void Lumivox5Main::f_On_TBPWOff() {}
void Lumivox5Main::f_On_TBSWInputShowDropDown() {}
void Lumivox5Main::f_On_TBAVMute() {}
void Lumivox5Main::f_On_TBAVMuteShowDropDown() {}
void Lumivox5Main::f_On_TBPictureMuteOn() {}
void Lumivox5Main::f_On_TBPictureMuteOff() {}
void Lumivox5Main::f_On_TBSoundMuteOn() {}
void Lumivox5Main::f_On_TBSoundMuteOff() {}
void Lumivox5Main::f_On_TBOSDMuteOn() {}
void Lumivox5Main::f_On_TBOSDMuteOff() {}
void Lumivox5Main::f_On_TBFreeze() {}
void Lumivox5Main::f_On_TBFreezeOn() {}
void Lumivox5Main::f_On_TBFreezeOff() {}
void Lumivox5Main::f_On_TBFreezeShowDropDown() {}
void Lumivox5Main::f_On_TBRefresh() {}
void Lumivox5Main::f_On_TBStop() {}
void Lumivox5Main::f_On_TBAdjust() {}
void Lumivox5Main::f_On_TBDetail() {}
void Lumivox5Main::f_On_TBScheduleEdit() {}
void Lumivox5Main::f_On_TBScheduleStart() {}
void Lumivox5Main::f_On_TBScheduleCancel() {}
