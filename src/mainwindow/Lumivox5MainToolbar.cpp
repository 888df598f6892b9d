// The toolbar: its buttons, their drop-downs and what a click runs.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"
#include "LoadedIcon.h"

#include "ExceptionTrace.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

using Slot = void (Lumivox5Main::*)();
using ActionMember = QAction* Lumivox5Main::*;
using ButtonMember = QToolButton* Lumivox5Main::*;

// One toolbar item, left to right: an action (a click runs `clicked`), or a
// tool button whose click only opens its menu. `showDropDown` fills the
// item's drop-down as it opens; an item without one has no menu.
struct ToolItem
{
    ActionMember action;
    ButtonMember button;
    const char* icon;
    const char* tip;
    Slot clicked;
    Slot showDropDown;
    bool separatorAfter;
};

const ToolItem TOOL_ITEMS[] = {
    {&Lumivox5Main::actTBPowerOn, nullptr, ":/icon/ico/PowerOn32.ico", QT_TRANSLATE_NOOP("Lumivox5Main", "Power On"),
     &Lumivox5Main::f_On_TBPWOn, nullptr, false},
    {&Lumivox5Main::actTBPowerOff, nullptr, ":/icon/ico/PowerOff32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Power Off"), &Lumivox5Main::f_On_TBPWOff, nullptr, false},
    {nullptr, &Lumivox5Main::btnTBSignalSelect, ":/icon/ico/PjCtl_MltInpSw32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Signal Select"), nullptr, &Lumivox5Main::f_On_TBSWInputShowDropDown, false},
    {&Lumivox5Main::actTBAVMute, nullptr, ":/icon/ico/PjCtl_MltMute32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "AV-MUTE"), &Lumivox5Main::f_On_TBAVMute,
     &Lumivox5Main::f_On_TBAVMuteShowDropDown, false},
    {&Lumivox5Main::actTBFreeze, nullptr, ":/icon/ico/Freeze32.ico", QT_TRANSLATE_NOOP("Lumivox5Main", "Freeze"),
     &Lumivox5Main::f_On_TBFreeze, &Lumivox5Main::f_On_TBFreezeShowDropDown, false},
    {&Lumivox5Main::actTBRefresh, nullptr, ":/icon/ico/Refresh32.ico", QT_TRANSLATE_NOOP("Lumivox5Main", "Refresh"),
     &Lumivox5Main::f_On_TBRefresh, nullptr, false},
    {&Lumivox5Main::actTBStop, nullptr, ":/icon/ico/Stop32.ico", QT_TRANSLATE_NOOP("Lumivox5Main", "Stop"),
     &Lumivox5Main::f_On_TBStop, nullptr, true},
    {&Lumivox5Main::actTBScheduleEdit, nullptr, ":/icon/ico/ScheduleEdit32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Schedule Edit"), &Lumivox5Main::f_On_TBScheduleEdit, nullptr, false},
    {&Lumivox5Main::actTBScheduleStart, nullptr, ":/icon/ico/ScheduleExec32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Schedule Execute"), &Lumivox5Main::f_On_TBScheduleStart, nullptr, false},
    {&Lumivox5Main::actTBScheduleCancel, nullptr, ":/icon/ico/ScheduleCancel32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Schedule Cancel"), &Lumivox5Main::f_On_TBScheduleCancel, nullptr, true},
    {&Lumivox5Main::actTBMail, nullptr, ":/icon/ico/MailSetting32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Mail Settings"), &Lumivox5Main::f_ShowMailSettings, nullptr, false},
    {&Lumivox5Main::actTBCommunication, nullptr, ":/icon/ico/Option_Device32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Communication Settings"), &Lumivox5Main::f_ShowCommunicationSettings, nullptr,
     false},
    {&Lumivox5Main::actTBOption, nullptr, ":/icon/ico/Option32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Option Settings"), &Lumivox5Main::f_ShowOptionSettings, nullptr, true},
    {nullptr, &Lumivox5Main::btnTBStartApp, ":/icon/ico/StartApp32.ico",
     QT_TRANSLATE_NOOP("Lumivox5Main", "Start Application Settings"), nullptr,
     &Lumivox5Main::f_On_MenuToolStartProcess_hovered, false},
};

// The fixed entries of the AV-MUTE and Freeze drop-downs, in menu order.
struct DropDownEntry
{
    ActionMember owner;
    ActionMember entry;
    const char* text;
    Slot slot;
};

const DropDownEntry DROP_DOWN_ENTRIES[] = {
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBPictureMuteOn,
     QT_TRANSLATE_NOOP("Lumivox5Main", "Picture Blank On"), &Lumivox5Main::f_On_TBPictureMuteOn},
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBPictureMuteOff,
     QT_TRANSLATE_NOOP("Lumivox5Main", "Picture Blank Off"), &Lumivox5Main::f_On_TBPictureMuteOff},
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBSoundMuteOn, QT_TRANSLATE_NOOP("Lumivox5Main", "Sound Mute On"),
     &Lumivox5Main::f_On_TBSoundMuteOn},
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBSoundMuteOff,
     QT_TRANSLATE_NOOP("Lumivox5Main", "Sound Mute Off"), &Lumivox5Main::f_On_TBSoundMuteOff},
    // Worded from the display's side: muting it switches it off.
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBOSDMuteOn,
     QT_TRANSLATE_NOOP("Lumivox5Main", "On-screen Display Off"), &Lumivox5Main::f_On_TBOSDMuteOn},
    {&Lumivox5Main::actTBAVMute, &Lumivox5Main::actTBOSDMuteOff,
     QT_TRANSLATE_NOOP("Lumivox5Main", "On-screen Display On"), &Lumivox5Main::f_On_TBOSDMuteOff},
    {&Lumivox5Main::actTBFreeze, &Lumivox5Main::actTBFreezeOn, QT_TRANSLATE_NOOP("Lumivox5Main", "Freeze O&n"),
     &Lumivox5Main::f_On_TBFreezeOn},
    {&Lumivox5Main::actTBFreeze, &Lumivox5Main::actTBFreezeOff, QT_TRANSLATE_NOOP("Lumivox5Main", "Freeze O&ff"),
     &Lumivox5Main::f_On_TBFreezeOff},
};

} // namespace

void Lumivox5Main::f_CreateToolBar()
{
    RunTraced([&] {
        QToolBar* bar = ui->mainToolBar;
        bar->setMovable(false);
        bar->setIconSize(QSize(32, 32));
        bar->setWindowTitle(tr("ToolBar"));
        setUnifiedTitleAndToolBarOnMac(true);

        // Buttons carry no text, only their caption as a tool tip.
        for (const ToolItem& item : TOOL_ITEMS) {
            QMenu* menu = item.showDropDown ? new QMenu(this) : nullptr;
            if (menu)
                connect(menu, &QMenu::aboutToShow, this, item.showDropDown);
            if (item.action) {
                QAction* action = new QAction(LoadedIcon(QString::fromLatin1(item.icon)), QString(), this);
                action->setToolTip(tr(item.tip));
                connect(action, &QAction::triggered, this, item.clicked);
                if (menu)
                    action->setMenu(menu);
                this->*item.action = action;
            } else {
                QToolButton* button = new QToolButton(this);
                button->setIcon(LoadedIcon(QString::fromLatin1(item.icon)));
                button->setToolTip(tr(item.tip));
                button->setMenu(menu);
                button->setPopupMode(QToolButton::InstantPopup);
                // A button of our own looks like the toolbar's.
                button->setIconSize(bar->iconSize());
                button->setToolButtonStyle(bar->toolButtonStyle());
                connect(bar, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
                connect(bar, &QToolBar::toolButtonStyleChanged, button, &QToolButton::setToolButtonStyle);
                this->*item.button = button;
            }
        }
        for (const DropDownEntry& entry : DROP_DOWN_ENTRIES) {
            QAction* action = new QAction(tr(entry.text), this);
            connect(action, &QAction::triggered, this, entry.slot);
            (this->*entry.owner)->menu()->addAction(action);
            this->*entry.entry = action;
        }

        for (const ToolItem& item : TOOL_ITEMS) {
            if (item.action)
                bar->addAction(this->*item.action);
            else
                bar->addWidget(this->*item.button);
            if (item.separatorAfter)
                bar->addSeparator();
        }
    });
}

void Lumivox5Main::f_On_TBPWOn()
{
    f_SetPowerSelectedConnection(1, true);
}

void Lumivox5Main::f_On_TBPWOff()
{
    f_SetPowerSelectedConnection(0, true);
}

void Lumivox5Main::f_On_TBSWInputShowDropDown()
{
    // The menu that is opening; called directly, the button's own.
    QMenu* menu = qobject_cast<QMenu*>(sender());
    if (!menu && btnTBSignalSelect)
        menu = btnTBSignalSelect->menu();
    if (menu)
        f_MenuSignalSelectDropDownCreate(menu);
}

void Lumivox5Main::f_On_TBAVMute()
{
    f_AllSwitchingMute();
}

void Lumivox5Main::f_On_TBPictureMuteOn()
{
    f_SetPictureMuteSelectedConnection(1, false);
}

void Lumivox5Main::f_On_TBPictureMuteOff()
{
    f_SetPictureMuteSelectedConnection(0, false);
}

void Lumivox5Main::f_On_TBSoundMuteOn()
{
    f_SetSoundMuteSelectedConnection(1, false);
}

void Lumivox5Main::f_On_TBSoundMuteOff()
{
    f_SetSoundMuteSelectedConnection(0, false);
}

void Lumivox5Main::f_On_TBOSDMuteOn()
{
    f_SetOSDMuteSelectedConnection(1, false);
}

void Lumivox5Main::f_On_TBOSDMuteOff()
{
    f_SetOSDMuteSelectedConnection(0, false);
}

void Lumivox5Main::f_On_TBFreeze()
{
    f_SetFreezeAutoToggle();
}

void Lumivox5Main::f_On_TBFreezeOn()
{
    f_SetFreezeSelectedConnection(1);
}

void Lumivox5Main::f_On_TBFreezeOff()
{
    f_SetFreezeSelectedConnection(2);
}

void Lumivox5Main::f_On_TBRefresh()
{
    f_UpdateAllConnection(true);
}

void Lumivox5Main::f_On_TBStop()
{
    f_Stop(true);
}

void Lumivox5Main::f_On_TBScheduleEdit()
{
    on_actMenuScheduleEdit_triggered();
}

void Lumivox5Main::f_On_TBScheduleStart()
{
    on_actMenuScheduleExecute_triggered();
}

void Lumivox5Main::f_On_TBScheduleCancel()
{
    on_actMenuScheduleCancel_triggered();
}
