// Window state, plug-in hosting, the main tab, tray icon and status bar.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
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

namespace {

// The exit question by what keeps running: [schedule running][mail enabled].
const char* const EXIT_QUESTIONS[2][2] = {
    {nullptr, QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgExitAppMessageMailEnable")},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgExitAppMessageScheduleExecuted"),
     QT_TRANSLATE_NOOP("Lumivox5Main", "MainMsgExitAppMessageMailEnableAndScheduleExecuted")},
};

bool isMaximisedOrFullScreen(Qt::WindowStates state)
{
    return state & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

} // namespace

bool Lumivox5Main::eventFilter(QObject* object, QEvent* event)
{
    // The menu bar's and toolbar's right-click menu would let the operator
    // hide the toolbar for good; the keyboard's context menu still passes.
    if (event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse) {
        qDebug("blocked toolbar's the context menu.");
        return true;
    }
    return QMainWindow::eventFilter(object, event);
}

void Lumivox5Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_blnFirstShowDone && m_blnProfileLoaded) {
        f_InitPosition();
        m_blnFirstShowDone = true;
    }
}

void Lumivox5Main::f_InitPosition()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 800, 600);
        const QRect available = screen ? screen->availableGeometry() : desktop;

        const bool sizeValid = hub->m_pReg->m_SizeValid;
        const bool positionValid = hub->m_pReg->m_PositionValid;
        if (sizeValid)
            qDebug("desktop size[%d %d] app size[%d %d]", desktop.width(), desktop.height(), hub->m_MainWidth,
                   hub->m_MainHeight);
        if (positionValid)
            qDebug("desktop pos[%d %d] app pos[%d %d]", desktop.left(), desktop.top(), hub->m_MainX, hub->m_MainY);
        const QRect place = WindowPlacement::Place(
            desktop, available, QRect(hub->m_MainX, hub->m_MainY, hub->m_MainWidth, hub->m_MainHeight),
            positionValid, sizeValid);
        if (!sizeValid) {
            hub->m_LastWidth = hub->m_MainWidth;
            hub->m_LastHeight = hub->m_MainHeight;
            hub->m_MainWidth = place.width();
            hub->m_MainHeight = place.height();
        }
        // A clamped position is used, not stored; a centred one is stored.
        if (!positionValid) {
            hub->m_MainX = place.x();
            hub->m_MainY = place.y();
        }
        const int x = place.x();
        const int y = place.y();
        const int w = place.width();
        const int h = place.height();
        move(x, y);

        // The stored size is the frame's; the widget is smaller by the decoration.
        const int innerW = w - (frameGeometry().width() - width());
        const int innerH = h - (frameGeometry().height() - height());
        resize(innerW > 0 ? innerW : w, innerH > 0 ? innerH : h);
        const QRect frame = frameGeometry();
        qDebug("app pos[%d %d] size[%d %d]", frame.left(), frame.top(), frame.width(), frame.height());

        ui->splitter_2->setSizes({240, ui->splitter_2->width() - 240});
        ui->splitter->setSizes({ui->splitter->height() - 145, 145});
        ui->splitter_3->setSizes({100, ui->splitter_3->height() - 100});
    });
}

void Lumivox5Main::moveEvent(QMoveEvent*)
{
    // While maximised the position is (0, 0), stored by the resize.
    const Qt::WindowStates state = windowState();
    if (!m_blnFirstShowDone || !isVisible() || (state & Qt::WindowMinimized) || isMaximisedOrFullScreen(state))
        return;
    m_Lumivox5Data->m_MainX = frameGeometry().left();
    m_Lumivox5Data->m_MainY = frameGeometry().top();
}

void Lumivox5Main::resizeEvent(QResizeEvent*)
{
    const Qt::WindowStates state = windowState();
    if (!m_blnFirstShowDone || !isVisible() || (state & Qt::WindowMinimized))
        return;
    CLumivox5Data* hub = m_Lumivox5Data;
    hub->m_LastWidth = hub->m_MainWidth;
    hub->m_LastHeight = hub->m_MainHeight;
    hub->m_MainWidth = frameGeometry().width();
    hub->m_MainHeight = frameGeometry().height();
    if (isMaximisedOrFullScreen(state)) {
        hub->m_MainX = 0;
        hub->m_MainY = 0;
    }
}

bool Lumivox5Main::f_FormClosePreparation()
{
    return RunTraced(true, [&] {
        const CMailSettings mail = *m_Lumivox5Data->m_pMailSettings;
        const char* key = EXIT_QUESTIONS[m_Lumivox5Data->m_ScheduleRunning ? 1 : 0][mail.m_Enabled ? 1 : 0];
        if (!key)
            return true;
        const QMessageBox::StandardButton answer =
            CMessageBoxes::Question(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"), tr(key),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        return answer != QMessageBox::Cancel;
    });
}

void Lumivox5Main::closeEvent(QCloseEvent* event)
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (!m_blnProfileLoaded || !f_FormClosePreparation()) {
        event->ignore();
        return;
    }
    QApplication::setQuitOnLastWindowClosed(true);
    event->accept();
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        if (isMaximisedOrFullScreen(windowState()))
            hub->SetLastWindowSize();
        f_SaveScheduleData();
        f_EnableUpdateAllProjectorsTimer(false);
        f_DisconnectAllConnection();
        f_UpdatePjListColumn(true);
        const QRect frame = frameGeometry();
        qDebug("app pos[%d %d] size[%d %d]", frame.left(), frame.top(), frame.width(), frame.height());

        // An exit never passes over lost changes in silence.
        QStringList failures;
        // The settings store answers true when a group could not be written.
        if (hub->WriteRegistryAll())
            failures << tr("MainMsgExitSettingsNotSaved").arg(QDir::toNativeSeparators(CLumivox5Reg::SettingsFilePath()));
        const int listed = hub->SaveUserList();
        const QString listPath = QDir::toNativeSeparators(hub->GetDefaultUserListPath());
        if (listed == -2)
            failures << tr("MainMsgExitUserListNotAList").arg(listPath);
        else if (listed != 0)
            failures << tr("MainMsgExitUserListNotSaved").arg(listPath);
        if (!failures.isEmpty())
            CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgExitSaveFailed").arg(failures.join(QLatin1Char('\n'))));
    });
}

void Lumivox5Main::f_EnableWindowProc()
{
    f_EnableWindowProc(false);
}

void Lumivox5Main::f_EnableWindowProc(bool UpdateScheduleList)
{
    QApplication::setQuitOnLastWindowClosed(true);
    if (UpdateScheduleList)
        f_UpdateScheduleList();
    if (windowState() == Qt::WindowMinimized)
        showNormal();
    raise();
    QApplication::setActiveWindow(this);
    activateWindow();
}

void Lumivox5Main::f_EnableWindowClose()
{
    QApplication::setQuitOnLastWindowClosed(true);
    close();
}

void Lumivox5Main::on_actMenuFileExit_triggered()
{
    close();
}

void Lumivox5Main::f_CreateTrayIcon() {}
void Lumivox5Main::f_SetNotifyScheduleRunningIcon(bool) {}
void Lumivox5Main::f_On_IconActivated(QSystemTrayIcon::ActivationReason) {}

void Lumivox5Main::f_CreateEventStringStatusBar(int) {}
void Lumivox5Main::f_SetStatusbarCenterMessage() {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString) {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString, QString, int) {}
void Lumivox5Main::updateStatusMessage() {}
