// Window state, plug-in hosting, the main tab, tray icon and status bar.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "ExceptionTrace.h"

#include <QLabel>
#include <QTabWidget>

void Lumivox5Main::on_tabMain_currentChanged(int index)
{
    // Building the form and removing its pages change the page before the
    // dispatcher exists.
    if (!m_DataThread)
        return;
    RunTraced([&] {
        QWidget* page = ui->tabMain->widget(index);
        const QString name = page ? page->objectName() : QString();
        const bool schedule = name == QLatin1String("tabSchedule");
        if (schedule)
            f_UpdateScheduleList();
        if (m_lblStatus[2]) {
            m_lblStatus[2]->setVisible(schedule);
            m_lblStatus[0]->setVisible(schedule);
        }
        if (!schedule && name == QLatin1String("tabPropery"))
            f_UpdateProperty();
    });
}

void Lumivox5Main::f_LoadPlugin() {}
void Lumivox5Main::on_actMenuPJAdjust_triggered() {}

bool Lumivox5Main::eventFilter(QObject* object, QEvent* event)
{
    return QMainWindow::eventFilter(object, event);
}

void Lumivox5Main::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
}

void Lumivox5Main::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
}

void Lumivox5Main::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

void Lumivox5Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
}

void Lumivox5Main::f_InitPosition() {}
bool Lumivox5Main::f_FormClosePreparation()
{
    return false;
}
void Lumivox5Main::f_EnableWindowProc() {}
void Lumivox5Main::f_EnableWindowProc(bool) {}
void Lumivox5Main::f_EnableWindowClose() {}
void Lumivox5Main::on_actMenuFileExit_triggered() {}

void Lumivox5Main::f_CreateTrayIcon() {}
void Lumivox5Main::f_SetNotifyScheduleRunningIcon(bool) {}
void Lumivox5Main::f_On_IconActivated(QSystemTrayIcon::ActivationReason) {}

void Lumivox5Main::f_CreateEventStringStatusBar(int) {}
void Lumivox5Main::f_SetStatusbarCenterMessage() {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString) {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString, QString, int) {}
void Lumivox5Main::updateStatusMessage() {}
