// Window state: placement, position and size, closing with its saves, and
// coming to the front.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CBackgroundWriter.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"
#include "WindowPlacement.h"
#include "LogCategories.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>

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
        qCDebug(lcMainWindow, "blocked toolbar's the context menu.");
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
            qCDebug(lcMainWindow, "desktop size[%d %d] app size[%d %d]", desktop.width(), desktop.height(), hub->m_MainWidth,
                   hub->m_MainHeight);
        if (positionValid)
            qCDebug(lcMainWindow, "desktop pos[%d %d] app pos[%d %d]", desktop.left(), desktop.top(), hub->m_MainX, hub->m_MainY);
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
        qCDebug(lcMainWindow, "app pos[%d %d] size[%d %d]", frame.left(), frame.top(), frame.width(), frame.height());

        // The splitters as the operator left them; the first time, a left
        // column 240 wide with the detail pane 145 high, and the projector
        // list above a tab area 280 high.
        layout()->activate();
        // What the panes share: the splitter's length less its handles.
        const auto room = [](QSplitter* splitter) {
            int sum = 0;
            for (int size : splitter->sizes())
                sum += size;
            return sum;
        };
        // The left column's middle pane (the hidden sub list) gets nothing.
        const QList<int> first[3] = {{240, room(ui->splitter_2) - 240},
                                     {room(ui->splitter) - 145, 0, 145},
                                     {room(ui->splitter_3) - 280, 280}};
        const QList<QSplitter*> splitters = f_Splitters();
        for (int n = 0; n < splitters.size(); ++n) {
            QSplitter* splitter = splitters.at(n);
            const QList<int>& stored = hub->m_SplitterSizes[n];
            // A pane hidden at exit was stored as 0. The tab area hidden so
            // leaves the list all the room whatever the sizes, and shown
            // again it would come back at its least: the first sizes serve.
            bool usable = stored.size() == splitter->count();
            for (int i = 0; usable && i < stored.size(); ++i)
                usable = stored.at(i) > 0 || first[n].at(i) == 0 || !splitter->widget(i)->isHidden();
            splitter->setSizes(usable ? stored : first[n]);
        }
    });
}

QList<QSplitter*> Lumivox5Main::f_Splitters() const
{
    // In the order of the stored sizes.
    return {ui->splitter_2, ui->splitter, ui->splitter_3};
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
    // While maximised or full screen the stored size stays the one before,
    // however often the screen resizes the window: that is what is saved.
    if (isMaximisedOrFullScreen(state)) {
        hub->m_MainX = 0;
        hub->m_MainY = 0;
        return;
    }
    hub->m_LastWidth = hub->m_MainWidth;
    hub->m_LastHeight = hub->m_MainHeight;
    hub->m_MainWidth = frameGeometry().width();
    hub->m_MainHeight = frameGeometry().height();
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
    // Everything is written before the close is taken: when a write fails,
    // the operator may try again, exit without it, or keep the program running.
    bool closing = true;
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        f_UpdatePjListColumn(true);
        const QList<QSplitter*> splitters = f_Splitters();
        for (int n = 0; n < splitters.size(); ++n)
            hub->m_SplitterSizes[n] = splitters.at(n)->sizes();
        const QRect frame = frameGeometry();
        qCDebug(lcMainWindow, "app pos[%d %d] size[%d %d]", frame.left(), frame.top(), frame.width(), frame.height());
        for (;;) {
            const QStringList failures = f_SaveAtExit();
            if (failures.isEmpty())
                return;
            const QMessageBox::StandardButton answer = CMessageBoxes::Show(
                this, hub, QMessageBox::Warning, tr("Lumivox5MsgTitle"),
                tr("MainMsgExitSaveFailed").arg(failures.join(QLatin1Char('\n'))),
                QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::Cancel, QMessageBox::Retry,
                {{QMessageBox::Ignore, tr("MainBtnExitAnyway")}});
            if (answer == QMessageBox::Retry)
                continue;
            closing = answer == QMessageBox::Ignore;
            return;
        }
    });
    if (!closing) {
        event->ignore();
        return;
    }
    QApplication::setQuitOnLastWindowClosed(true);
    event->accept();
    RunTraced([&] {
        f_EnableUpdateAllProjectorsTimer(false);
        f_DisconnectAllConnection();
    });
}

QStringList Lumivox5Main::f_SaveAtExit()
{
    CLumivox5Data* hub = m_Lumivox5Data;
    QStringList failures;
    // The schedules live only in memory until now.
    const QString schedules = f_SaveScheduleData();
    if (!schedules.isEmpty())
        failures << schedules;
    // The settings store answers true when a group could not be written.
    if (hub->WriteRegistryAll())
        failures << tr("MainMsgExitSettingsNotSaved").arg(QDir::toNativeSeparators(CLumivox5Reg::SettingsFilePath()));
    const int listed = hub->SaveUserList();
    if (listed != 0)
        failures << f_UserListFailureLine(listed, hub->GetDefaultUserListPath(), QString());
    return failures;
}

QString Lumivox5Main::f_UserListFailureLine(int code, const QString& path, const QString& reason)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString line = code == -2 ? tr("MainMsgExitUserListNotAList").arg(shown)
                              : tr("MainMsgExitUserListNotSaved").arg(shown);
    if (!reason.isEmpty())
        line += QLatin1Char(' ') + reason;
    return line;
}

void Lumivox5Main::f_SaveUserListInBackground(const QList<int>* onlyIds)
{
    const int handed = m_Lumivox5Data->SaveUserListInBackground(
        m_pUserListWriter, [this](const CBackgroundWriter::Result& result, const QString& path) {
            if (result.code == 0) {
                m_blnUserListSaveFailed = false;
                return;
            }
            if (m_blnUserListSaveFailed)
                return;
            m_blnUserListSaveFailed = true;
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgReportedNamesNotSaved")
                                       .arg(f_UserListFailureLine(result.code, path, result.reason)));
        },
        onlyIds);
    if (handed != 0 && !m_blnUserListSaveFailed) {
        m_blnUserListSaveFailed = true;
        CMessageBoxes::Warning(
            this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
            tr("MainMsgReportedNamesNotSaved")
                .arg(f_UserListFailureLine(handed, m_Lumivox5Data->GetDefaultUserListPath(), QString())));
    }
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
