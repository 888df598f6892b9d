// The menu bar's drop-downs: each recomputes its entries when it is about to
// show (the Group menu on every selection change instead).
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CDataFunctions.h"
#include "CGroupTreeView.h"
#include "CLumivox5Arguments.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "ApplicationLauncher.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QStandardItem>

namespace {

// More projectors than this cannot be registered, so the search stops offering.
const int PROJECTOR_COUNT_MAX = 2000;

// The F-key shortcuts that the form gives and the menus take away again the
// first time their routine runs; the same key would otherwise stay bound to
// an entry whose enabling no longer follows the view in use.
void removeShortcut(QAction* action)
{
    if (!action->shortcuts().isEmpty())
        action->setShortcuts(QList<QKeySequence>());
}

} // namespace

void Lumivox5Main::f_UpdateMenuFileDropDown()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        const COptionSettings options = *hub->m_pOptionSettings;
        QAction* offline = ui->actMenuFileOffline;
        offline->setChecked(m_DataThread && m_DataThread->f_IsOfflineMode());
        offline->setVisible(hub->m_OfflineMenu);
        // Once taken out, the entry stays out for the rest of the run.
        if (!hub->m_OfflineMenu && ui->menuFile->actions().contains(offline))
            ui->menuFile->removeAction(offline);
        ui->menuFileImport->setEnabled(!hub->m_ScheduleRunning);
        ui->actMenuFileExport->setEnabled(true);
        ui->actMenuFileExit->setEnabled(!hub->m_ModalDialog || options.m_Resident);
        ui->menuFileShowLog->setEnabled(options.m_SaveLog || options.m_SaveScheduleLog || options.m_SaveEventLog);
    });
}

void Lumivox5Main::f_UpdateMenuFileImportDropDown()
{
    RunTraced([&] {
        const bool running = m_Lumivox5Data->m_ScheduleRunning;
        for (QAction* entry : {ui->actMenuFileImportPJList, ui->actMenuFileImportSchedule})
            entry->setEnabled(!running);
    });
}

void Lumivox5Main::f_UpdateMenuFileShowLogDropDown()
{
    RunTraced([&] {
        const COptionSettings options = *m_Lumivox5Data->m_pOptionSettings;
        const struct
        {
            QAction* entry;
            bool logged;
        } logs[] = {{ui->actMenuFileShowLogTransport, options.m_SaveLog},
                    {ui->actMenuFileShowLogSchedule, options.m_SaveScheduleLog},
                    {ui->actMenuFileShowLogEvent, options.m_SaveEventLog}};
        for (const auto& log : logs)
            log.entry->setEnabled(log.logged);
    });
}

void Lumivox5Main::f_UpdateMenuViewDropDown()
{
    RunTraced([&] {
        ui->actMenuViewDetail->setVisible(false);
        removeShortcut(ui->actMenuViewRefresh);
    });
}

void Lumivox5Main::f_UpdateMenuToolDropDown()
{
    RunTraced([&] {
        ui->menuTool->removeAction(ui->actMenuToolSerialAutoSearch);
        const bool running = m_Lumivox5Data->m_ScheduleRunning;
        ui->actMenuToolLANAutoSearch->setEnabled(m_Lumivox5Data->f_GetProjectorCount() < PROJECTOR_COUNT_MAX &&
                                                 !running);
        ui->actMenuToolCommunication->setEnabled(!running);
    });
}

void Lumivox5Main::f_UpdateMenuGroupDropDown(bool focusIn)
{
    RunTraced([&] {
        CGroupTreeView* tree = ui->treeViewGroup;
        for (QAction* entry : {ui->actMenuGroupCreate, ui->actMenuGroupDelete, ui->actMenuGroupRename})
            entry->setEnabled(false);

        const QStandardItem* item = tree->GetSelectedGrpItem();
        if (item && item->parent() && item->index().parent().isValid()) {
            const bool focused = tree->hasFocus() || focusIn;
            ui->actMenuGroupDelete->setEnabled(focused && !tree->IsEditing());
            ui->actMenuGroupRename->setEnabled(focused || tree->IsEditing());
        }
        ui->actMenuGroupCreate->setEnabled(tree->IsSelectedGroupTree());
        removeShortcut(ui->actMenuGroupRename);
    });
}

void Lumivox5Main::onUpdateMenuGroupDropDown()
{
    m_blnGroupTreeActive = true;
    f_UpdateMenuGroupDropDown(false);
}

void Lumivox5Main::f_UpdateMenuProjectorDropDown()
{
    RunTraced([&] {
        f_UpdateProjectorMenuEnabled(MENU_TYPE::MAIN_MENU);
        removeShortcut(ui->actMenuPJRename);
    });
}

void Lumivox5Main::f_UpdateMenuScheduleDropDown()
{
    f_UpdateScheduleMenuEnabled(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_On_MenuHelp_hovered()
{
    f_UpdateMenuHelpDropDown();
}

void Lumivox5Main::f_UpdateMenuHelpDropDown()
{
    RunTraced([&] {
        const bool virtualTime = m_Lumivox5Data->m_pArguments && m_Lumivox5Data->m_pArguments->m_VirtualTime;
        const bool running = m_Lumivox5Data->m_ScheduleRunning;
        QAction* clock = ui->actMenuHelpVirtualTime;
        QAction* setting = ui->actMenuHelpVirtualTimeSetting;
        clock->setVisible(virtualTime);
        setting->setVisible(virtualTime);
        clock->setEnabled(!running);
        setting->setEnabled(!clock->isChecked() && !running);
        removeShortcut(ui->actMenuHelpHelp);
    });
}

void Lumivox5Main::f_On_MenuToolStartProcess_hovered()
{
    if (auto* menu = qobject_cast<QMenu*>(sender()))
        f_MenuAppStartDropDownCreate(menu);
}

void Lumivox5Main::f_On_AppStartSelected()
{
    RunTraced([&] {
        auto* action = qobject_cast<QAction*>(sender());
        const QList<QStringList>* list = m_Lumivox5Data->m_pStartAppList;
        if (!action || !list)
            return;
        const int position = action->data().toInt();
        if (position < 0 || position >= list->size())
            return;
        const QStringList entry = list->at(position);
        // The file checked is the file started: a relative path is the
        // working folder's, never one found on PATH.
        const QString path = QFileInfo(entry.value(1)).absoluteFilePath();
        if (!QFile::exists(path)) {
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgNotExistApplicationPath").arg(entry.value(0)));
            return;
        }
        const QStringList arguments = CApplicationLauncher::SplitArguments(entry.value(2));
        qCDebug(lcMainWindow) << ">" << path << arguments;
        if (!CApplicationLauncher::Start(path, arguments))
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                   tr("MainMsgNotOpenedApplicationPath").arg(QDir::toNativeSeparators(path)));
    });
}

void Lumivox5Main::f_MenuAppStartDropDownCreate(QMenu* menu)
{
    RunTraced([&] {
        // Rebuilt at each opening, so the list's latest changes show. The
        // items belong to the menu: clearing it deletes them.
        menu->clear();
        const QList<QStringList>* list = m_Lumivox5Data->m_pStartAppList;
        const int count = list ? list->size() : 0;
        for (int position = 0; position < count; ++position) {
            auto* action = new QAction(list->at(position).value(0), menu);
            action->setData(position);
            connect(action, &QAction::triggered, this, &Lumivox5Main::f_On_AppStartSelected);
            menu->addAction(action);
        }
        if (count == 0) {
            auto* none = new QAction(tr("MenuAppNone"), menu);
            none->setEnabled(false);
            menu->addAction(none);
        }
        menu->addSeparator();
        auto* settings = new QAction(tr("&Start Application Settings..."), menu);
        connect(settings, &QAction::triggered, this, &Lumivox5Main::f_ShowStartAppSettings);
        menu->addAction(settings);
    });
}
