// Menu-bar drop-downs, context menus and the enabling of projector entries.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QMenu>

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
void Lumivox5Main::f_On_MenuToolStartProcess_hovered() {}
void Lumivox5Main::on_menuPJCtrl_hovered() {}
void Lumivox5Main::f_On_menuPJCtrlPower_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlFreeze_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlPictureMute_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlSoundMute_showDropDown() {}
void Lumivox5Main::f_On_menuPJCtrlOSDMute_showDropDown() {}
void Lumivox5Main::f_On_AppStartSelected() {}
void Lumivox5Main::f_MenuAppStartDropDownCreate(QMenu*) {}
void Lumivox5Main::f_UpdateToolbarEnabled() {}
void Lumivox5Main::f_UpdateProjectorMenuEnabled(MENU_TYPE::Enum) {}
void Lumivox5Main::f_UpdateScheduleMenuEnabled(MENU_TYPE::Enum) {}
bool Lumivox5Main::f_RenameMenuAvailable()
{
    return false;
}

const QIcon& Lumivox5Main::f_DotIcon(bool checked)
{
    QIcon& icon = checked ? m_CheckedDotIcon : m_BlankDotIcon;
    if (icon.isNull())
        icon = QIcon(checked ? QStringLiteral(":/icon/ico/CheckedDot.ico") : QStringLiteral(":/icon/ico/BlankChecked.ico"));
    return icon;
}

void Lumivox5Main::f_SetMenuCheckedDot(QObject* entry, bool checked)
{
    if (auto* menu = qobject_cast<QMenu*>(entry))
        menu->setIcon(f_DotIcon(checked));
    else if (auto* action = qobject_cast<QAction*>(entry))
        action->setIcon(f_DotIcon(checked));
}
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
