// The tray icon and its menu.
#include "Lumivox5Main.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace {

// The tray menu's entries in order; a separator follows those marked.
struct TrayEntry
{
    const char* key;
    void (Lumivox5Main::*slot)();
    bool separatorAfter;
};

const TrayEntry TRAY_ENTRIES[] = {
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuWindowShow"), &Lumivox5Main::f_EnableWindowProc, true},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuScheduleExecute"), &Lumivox5Main::on_actMenuScheduleExecute_triggered,
     false},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuScheduleCancel"), &Lumivox5Main::on_actMenuScheduleCancel_triggered,
     true},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuHelp"), &Lumivox5Main::f_ShowHelp, true},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuVersion"), &Lumivox5Main::f_ShowAbout, true},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "TrayMenuExit"), &Lumivox5Main::f_EnableWindowClose, false},
};

} // namespace

// The icon is made once and never shown: its menu and image are kept up to
// date for the day it is.
void Lumivox5Main::f_CreateTrayIcon()
{
    m_trayIconMenu = new QMenu(this);
    for (const TrayEntry& entry : TRAY_ENTRIES) {
        QAction* action = new QAction(tr(entry.key), this);
        connect(action, &QAction::triggered, this, entry.slot);
        m_trayIconMenu->addAction(action);
        if (entry.separatorAfter)
            m_trayIconMenu->addSeparator();
    }
    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setContextMenu(m_trayIconMenu);
    m_trayIcon->setToolTip(tr("trayToolTip"));
}

void Lumivox5Main::f_SetNotifyScheduleRunningIcon(bool running)
{
    if (!m_trayIcon)
        return;
    m_trayIcon->setIcon(QIcon(running ? QStringLiteral(":/icon/ico/NotifyScheduleRunning.ico")
                                      : QStringLiteral(":/icon/ico/ProjectorImage.ico")));
}

// The icon is never shown, so nothing activates it.
void Lumivox5Main::f_On_IconActivated(QSystemTrayIcon::ActivationReason) {}
