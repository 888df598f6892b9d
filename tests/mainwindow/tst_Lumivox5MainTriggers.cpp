#include <QtTest>

#include "CDataFunctions.h"
#include "CGroupTreeView.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ScheduleListView.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QDesktopServices>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>

namespace {

// Three identified projectors, the first two in "Floor 1".
const char TRIGGERS_USER_LIST[] = "[Header Info]\n"
                                  "MagicCode=258-0017-686-1-5F\n"
                                  "RevCode=Rev.1.0\n"
                                  "[Setting 001]\nSettingName=One\nDeviceType=LAN\nLanType=IP\n"
                                  "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                                  "[Setting 002]\nSettingName=Two\nDeviceType=LAN\nLanType=IP\n"
                                  "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                                  "[Setting 003]\nSettingName=Three\nDeviceType=LAN\nLanType=IP\n"
                                  "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=\n"
                                  "[Group]\n001=\"Floor 1\"\n";

} // namespace

// Records the addresses the desktop would open.
class TriggersUrlRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

// Notes a close request to the window and lets it go no further.
class TriggersCloseCatcher : public QObject
{
public:
    bool closed = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            closed = true;
            event->ignore();
            return true;
        }
        return false;
    }
};

// Every trigger of the main window (menu bar, toolbar, the lists' context
// menus, the schedule list's requests, the tray menu) reaches its operation:
// each row names the first thing that operation does that can be seen.
class tst_Lumivox5MainTriggers : public MainWindowTestBase
{
    Q_OBJECT

private:
    CProfile m_Full;
    TriggersUrlRecorder m_Urls;

    Ui_Lumivox5Main* ui() const { return m_Window->ui; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }

    void start(const QString& setup)
    {
        QVERIFY(m_Fixture->writeUserList(TRIGGERS_USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        for (int id : {1, 2, 3}) {
            CProjectorData* record = hub()->GetProjectorData(id);
            QVERIFY(record);
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            record->m_Profile = &m_Full;
        }
        if (setup == QLatin1String("group") || setup == QLatin1String("paste")) {
            QAbstractItemModel* model = ui()->treeViewGroup->model();
            const QModelIndex floor1 = model->index(0, 0, model->index(CGroupTreeView::ROW_GROUP, 0));
            ui()->treeViewGroup->setCurrentIndex(floor1);
            ui()->treeViewGroup->selectionModel()->select(floor1, QItemSelectionModel::ClearAndSelect);
            ui()->treeViewGroup->setFocus();
        }
        if (setup == QLatin1String("paste"))
            hub()->m_PasteProjectorIDs = {3};
        if (setup == QLatin1String("rename")) {
            // Names are edited in their own column only.
            hub()->m_pPjListColumnStatus->value(CProjectorTreeView::KEY_PJ_NAME)->m_Visible = true;
            m_Window->f_UpdatePjListColumn(false);
        }
        m_Window->show();
        if (setup == QLatin1String("minimized"))
            m_Window->showMinimized();
        MainWindowFixture::selectProjectors(m_Window.get(), {1});
        // Property is current after start; another page shows that Property comes back.
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
    }

    // The trigger of a row, by kind and name.
    std::function<void()> trigger(const QString& kind, const QString& name)
    {
        Lumivox5Main* window = m_Window.get();
        if (kind == QLatin1String("menu")) {
            auto* action = window->findChild<QAction*>(name);
            if (!action)
                return {};
            return [action] {
                action->setEnabled(true);
                action->trigger();
            };
        }
        if (kind == QLatin1String("toolbar")) {
            const std::map<QString, QAction*> entries{
                {"actTBPowerOn", window->actTBPowerOn},
                {"actTBPowerOff", window->actTBPowerOff},
                {"actTBAVMute", window->actTBAVMute},
                {"actTBFreeze", window->actTBFreeze},
                {"actTBRefresh", window->actTBRefresh},
                {"actTBStop", window->actTBStop},
                {"actTBScheduleEdit", window->actTBScheduleEdit},
                {"actTBScheduleStart", window->actTBScheduleStart},
                {"actTBScheduleCancel", window->actTBScheduleCancel},
                {"actTBMail", window->actTBMail},
                {"actTBCommunication", window->actTBCommunication},
                {"actTBOption", window->actTBOption},
                {"actTBPictureMuteOn", window->actTBPictureMuteOn},
                {"actTBPictureMuteOff", window->actTBPictureMuteOff},
                {"actTBSoundMuteOn", window->actTBSoundMuteOn},
                {"actTBSoundMuteOff", window->actTBSoundMuteOff},
                {"actTBOSDMuteOn", window->actTBOSDMuteOn},
                {"actTBOSDMuteOff", window->actTBOSDMuteOff},
                {"actTBFreezeOn", window->actTBFreezeOn},
                {"actTBFreezeOff", window->actTBFreezeOff},
            };
            const auto found = entries.find(name);
            if (found == entries.end() || !found->second)
                return {};
            QAction* action = found->second;
            return [action] {
                action->setEnabled(true);
                action->trigger();
            };
        }
        if (kind == QLatin1String("context")) {
            CProjectorTreeView* view = list();
            const std::map<QString, QAction*> entries{
                {"ctxAdjust", view->ctxAdjust},
                {"ctxControlPowerOn", view->ctxControlPowerOn},
                {"ctxControlPowerOff", view->ctxControlPowerOff},
                {"ctxControlFreezeOn", view->ctxControlFreezeOn},
                {"ctxControlFreezeOff", view->ctxControlFreezeOff},
                {"ctxControlPictureMuteOn", view->ctxControlPictureMuteOn},
                {"ctxControlPictureMuteOff", view->ctxControlPictureMuteOff},
                {"ctxControlSoundMuteOn", view->ctxControlSoundMuteOn},
                {"ctxControlSoundMuteOff", view->ctxControlSoundMuteOff},
                {"ctxControlOsdMuteOn", view->ctxControlOsdMuteOn},
                {"ctxControlOsdMuteOff", view->ctxControlOsdMuteOff},
                {"ctxEditPJName", view->ctxEditPJName},
                {"ctxRefresh", view->ctxRefresh},
                {"ctxCut", view->ctxCut},
                {"ctxCopy", view->ctxCopy},
                {"ctxPaste", view->ctxPaste},
                {"ctxDelete", view->ctxDelete},
                {"ctxWeb", view->ctxWeb},
                {"ctxProperty", view->ctxProperty},
            };
            const auto found = entries.find(name);
            if (found == entries.end() || !found->second)
                return {};
            QAction* action = found->second;
            return [action] {
                action->setEnabled(true);
                action->trigger();
            };
        }
        if (kind == QLatin1String("group")) {
            auto* action = ui()->treeViewGroup->findChild<QAction*>(name);
            if (!action)
                return {};
            return [action] {
                action->setEnabled(true);
                action->trigger();
            };
        }
        if (kind == QLatin1String("schedule")) {
            ScheduleListView* schedules = ui()->treeViewSchedule;
            const QByteArray signal = name.toLatin1();
            return [schedules, signal] {
                QMetaObject::invokeMethod(schedules, signal.constData(), Qt::DirectConnection);
                // The window takes these requests queued.
                QCoreApplication::processEvents();
            };
        }
        if (kind == QLatin1String("tray")) {
            // The tray menu: the window's own menu that is neither in the menu
            // bar nor the toolbar, and ends with Exit.
            QList<QAction*> entries;
            for (QMenu* menu : window->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
                const QList<QAction*> actions = menu->actions();
                if (actions.isEmpty() || actions.last()->text() != Lumivox5Main::tr("TrayMenuExit"))
                    continue;
                for (QAction* action : actions) {
                    if (!action->isSeparator())
                        entries << action;
                }
            }
            const int index = name.toInt();
            if (index < 0 || index >= entries.size())
                return {};
            QAction* action = entries.at(index);
            return [action] { action->trigger(); };
        }
        if (kind == QLatin1String("sort")) {
            QMenu* menu = ui()->menuViewSort;
            return [menu, name] {
                emit menu->aboutToShow();
                for (QAction* action : menu->actions()) {
                    if (action->text() == name) {
                        action->trigger();
                        return;
                    }
                }
            };
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        MainWindowTestBase::initTestCase();
        for (bool& flag : m_Full.m_Flags)
            flag = true;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_Urls, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_Urls, "open");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void triggersReachTheirOperations_data();
    void triggersReachTheirOperations();
};

void tst_Lumivox5MainTriggers::triggersReachTheirOperations_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    // "list": All Projectors, projector 1 selected; "group": Floor 1 the same;
    // "paste": Floor 1 with projector 3 copied; "rename": the name column shown;
    // "minimized": the window minimised.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("effect"); // "" for an entry that does nothing

    // The answers every row gets: default buttons, cancelled file dialogs,
    // rejected dialogs. Request tuples: "id [params] from act [targets] cache log".
    const QString one = QStringLiteral(" 1 2 [1] 1 1");
    const QString exitQuestion = QStringLiteral("close");
    struct Row
    {
        const char* kind;
        const char* name;
        const char* setup;
        QString effect;
    };
    const Row rows[] = {
        // File
        {"menu", "actMenuFileOffline", "list", "offline:true"},
        {"menu", "actMenuFileImportPJList", "list",
         "box:The existing connection target list will be overwritten by imported data.\nDo you want to proceed?"},
        {"menu", "actMenuFileImportEventLog", "list", ""},
        {"menu", "actMenuFileExportCSVFile", "list", "file:save"},
        {"menu", "actMenuFileExportPJList", "list", "file:save"},
        {"menu", "actMenuFileExportEventLog", "list", ""},
        {"menu", "actMenuFileImportSchedule", "list",
         "box:The existing schedule will be overwritten by imported data.\nDo you want to proceed?"},
        {"menu", "actMenuFileExportSchedule", "list", "file:save"},
        {"menu", "actMenuFileShowLogTransport", "list", "url:file:///"},
        {"menu", "actMenuFileShowLogSchedule", "list", "url:file:///"},
        {"menu", "actMenuFileShowLogEvent", "list", ""},
        {"menu", "actMenuFileExit", "list", exitQuestion},
        // View
        {"menu", "actMenuViewDetail", "list", "detail:false"},
        {"menu", "actMenuViewEditColumn", "list", "dialog:FormChooseProjectorListColumn"},
        {"menu", "actMenuViewSelectAll", "list", "selected:3"},
        {"menu", "actMenuViewStop", "list", "request:129 - 1 0 [1,2,3] 1 1"},
        {"menu", "actMenuViewRefresh", "list", "request:1 - 0 1 [1,3,2] 0 0"},
        {"menu", "actMenuViewRefreshAll", "list", "request:1 - 0 1 [1,2,3] 0 0"},
        {"menu", "actMenuViewEventListClear", "list", ""},
        // Tool
        {"menu", "actMenuToolMail", "list", "dialog:FormMailSettings"},
        {"menu", "actMenuToolOption", "list", "dialog:FormOptionSettings"},
        {"menu", "actMenuToolCommunication", "list", "dialog:DeviceSettingWindow"},
        {"menu", "actMenuToolLANAutoSearch", "list", "dialog:PJSearchDlg"},
        {"menu", "actMenuToolSerialAutoSearch", "list", "dialog:FormAutoSearchSerial"},
        {"menu", "actMenuToolStartProcessSettings", "list", "dialog:FormStartOtherApp"},
        // Group
        {"menu", "actMenuGroupCreate", "group", "editor:group"},
        {"menu", "actMenuGroupDelete", "group", "box:Floor 1\nDo you want to delete this group?"},
        {"menu", "actMenuGroupRename", "group", "editor:group"},
        // Projector
        {"menu", "actMenuPJAdjust", "list", "tab:tabWidgetAdjust"},
        {"menu", "actMenuPJCtrlPowerOn", "list", "box:Turn on the selected projector."},
        {"menu", "actMenuPJCtrlPowerOff", "list", "box:Turn off the selected projector."},
        {"menu", "actMenuPJCtrlFreezeOn", "list", "request:7 [1]" + one},
        {"menu", "actMenuPJCtrlFreezeOff", "list", "request:7 [2]" + one},
        {"menu", "actMenuPJCtrlPictureMuteOn", "list", "request:5 [1]" + one},
        {"menu", "actMenuPJCtrlPictureMuteOff", "list", "request:5 [0]" + one},
        {"menu", "actMenuPJCtrlSoundMuteOn", "list", "request:4 [1]" + one},
        {"menu", "actMenuPJCtrlSoundMuteOff", "list", "request:4 [0]" + one},
        {"menu", "actMenuPJCtrlOSDMuteOn", "list", "request:6 [1]" + one},
        {"menu", "actMenuPJCtrlOSDMuteOff", "list", "request:6 [0]" + one},
        {"menu", "actMenuPJRename", "rename", "editor:list"},
        {"menu", "actMenuPJRefresh", "list", "request:1 - 1 1 [1] 0 1"},
        {"menu", "actMenuPJCut", "group", "paste:1"},
        {"menu", "actMenuPJCopy", "list", "paste:1"},
        {"menu", "actMenuPJPaste", "paste", "rows:3"},
        {"menu", "actMenuPJDelete", "group", "box:One()\nDo you want delete this settings?"},
        {"menu", "actMenuPJProperty", "list", "tab:tabPropery"},
        {"menu", "atcMenuPJWeb", "list", "url:http://192.168.0.11/"},
        // Schedule
        {"menu", "actMenuScheduleEdit", "list", "dialog:FormSchedule"},
        {"menu", "actMenuScheduleExecute", "list", "box:No events are not listed in the schedule. Add an event."},
        {"menu", "actMenuScheduleCancel", "list", "box:Do you cancel the schedule?"},
        {"menu", "actMenuScheduleSettingNoOperatingDate", "list", "dialog:FormCalendar"},
        // Help
        {"menu", "actMenuHelpHelp", "list", "box:Lumivox 5 Help does not exist."},
        {"menu", "actMenuHelpAbout", "list", "dialog:About"},
        {"menu", "actMenuHelpVirtualTimeSetting", "list", "dialog:VirtualTimeSetting"},
        // Toolbar
        {"toolbar", "actTBPowerOn", "list", "box:Turn on the selected projector."},
        {"toolbar", "actTBPowerOff", "list", "box:Turn off the selected projector."},
        {"toolbar", "actTBAVMute", "list", "request:5 [1]" + one},
        {"toolbar", "actTBFreeze", "list", "request:7 [1]" + one},
        {"toolbar", "actTBRefresh", "list", "request:1 - 0 1 [1,3,2] 0 0"},
        {"toolbar", "actTBStop", "list", "request:129 - 1 0 [1,2,3] 1 1"},
        {"toolbar", "actTBScheduleEdit", "list", "dialog:FormSchedule"},
        {"toolbar", "actTBScheduleStart", "list", "box:No events are not listed in the schedule. Add an event."},
        {"toolbar", "actTBScheduleCancel", "list", "box:Do you cancel the schedule?"},
        {"toolbar", "actTBMail", "list", "dialog:FormMailSettings"},
        {"toolbar", "actTBCommunication", "list", "dialog:DeviceSettingWindow"},
        {"toolbar", "actTBOption", "list", "dialog:FormOptionSettings"},
        {"toolbar", "actTBPictureMuteOn", "list", "request:5 [1]" + one},
        {"toolbar", "actTBPictureMuteOff", "list", "request:5 [0]" + one},
        {"toolbar", "actTBSoundMuteOn", "list", "request:4 [1]" + one},
        {"toolbar", "actTBSoundMuteOff", "list", "request:4 [0]" + one},
        {"toolbar", "actTBOSDMuteOn", "list", "request:6 [1]" + one},
        {"toolbar", "actTBOSDMuteOff", "list", "request:6 [0]" + one},
        {"toolbar", "actTBFreezeOn", "list", "request:7 [1]" + one},
        {"toolbar", "actTBFreezeOff", "list", "request:7 [2]" + one},
        // The projector list's context menu
        {"context", "ctxAdjust", "list", "tab:tabWidgetAdjust"},
        {"context", "ctxControlPowerOn", "list", "box:Turn on the selected projector."},
        {"context", "ctxControlPowerOff", "list", "box:Turn off the selected projector."},
        {"context", "ctxControlFreezeOn", "list", "request:7 [1]" + one},
        {"context", "ctxControlFreezeOff", "list", "request:7 [2]" + one},
        {"context", "ctxControlPictureMuteOn", "list", "request:5 [1]" + one},
        {"context", "ctxControlPictureMuteOff", "list", "request:5 [0]" + one},
        {"context", "ctxControlSoundMuteOn", "list", "request:4 [1]" + one},
        {"context", "ctxControlSoundMuteOff", "list", "request:4 [0]" + one},
        {"context", "ctxControlOsdMuteOn", "list", "request:6 [1]" + one},
        {"context", "ctxControlOsdMuteOff", "list", "request:6 [0]" + one},
        {"context", "ctxEditPJName", "rename", "editor:list"},
        {"context", "ctxRefresh", "list", "request:1 - 1 1 [1] 0 1"},
        {"context", "ctxCut", "group", "paste:1"},
        {"context", "ctxCopy", "list", "paste:1"},
        {"context", "ctxPaste", "paste", "rows:3"},
        {"context", "ctxDelete", "group", "box:One()\nDo you want delete this settings?"},
        {"context", "ctxWeb", "list", "url:http://192.168.0.11/"},
        {"context", "ctxProperty", "list", "tab:tabPropery"},
        // The group tree's context menu
        {"group", "actCreate", "group", "editor:group"},
        {"group", "actDelete", "group", "box:Floor 1\nDo you want to delete this group?"},
        {"group", "actRename", "group", "editor:group"},
        // The tray menu, by place
        {"tray", "0", "minimized", "minimized:false"},
        {"tray", "1", "list", "box:No events are not listed in the schedule. Add an event."},
        {"tray", "2", "list", "box:Do you cancel the schedule?"},
        {"tray", "3", "list", "box:Lumivox 5 Help does not exist."},
        {"tray", "4", "list", "dialog:About"},
        {"schedule", "f_RequestScheduleEdit", "list", "dialog:FormSchedule"},
        {"schedule", "f_RequestScheduleExecute", "list", "box:No events are not listed in the schedule. Add an event."},
        {"schedule", "f_RequestScheduleCancel", "list", "box:Do you cancel the schedule?"},
        {"schedule", "f_RequestScheduleSettingNoOperatingDate", "list", "dialog:FormCalendar"},
        {"tray", "5", "list", exitQuestion},
        // View > Sort
        {"sort", "Setting", "list", "sort:Setting"},
    };
    for (const Row& row : rows)
        QTest::addRow("%s %s", row.kind, row.name) << row.kind << row.name << row.setup << row.effect;
}

void tst_Lumivox5MainTriggers::triggersReachTheirOperations()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, setup);
    QFETCH(QString, effect);
    start(setup);
    const std::function<void()> fire = trigger(kind, name);
    QVERIFY2(fire, "no such trigger");

    m_Urls.opened.clear();
    const int tabBefore = ui()->tabMain->currentIndex();
    const int selectedBefore = list()->selectionModel()->selectedRows().size();
    const int rowsBefore = list()->model()->rowCount();
    const bool offlineBefore = hub()->m_Offline;
    const bool minimizedBefore = m_Window->isMinimized();
    const bool detailBefore = hub()->m_MainTabVisible;
    const QList<int> pasteBefore = hub()->m_PasteProjectorIDs;
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(list()->model());
    const int sortBefore = proxy->sortColumn();
    TriggersCloseCatcher closing;
    m_Window->installEventFilter(&closing);
    QStringList dialogs;
    QTimer dialogCatcher;
    connect(&dialogCatcher, &QTimer::timeout, this, [&dialogs] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogs << (dialog->objectName().isEmpty() ? QString::fromLatin1(dialog->metaObject()->className())
                                                       : dialog->objectName());
            dialog->reject();
        }
    });
    dialogCatcher.start(10);

    QStringList effects;
    {
        RequestRecorder recorder;
        ScriptedMessageBoxes boxes;
        ScriptedFileDialogs files;
        fire();
        QCoreApplication::processEvents();
        for (const CMessageBoxes::Box& box : qAsConst(boxes.shown))
            effects << QStringLiteral("box:") + box.text;
        for (const CFileDialogs::Request& request : qAsConst(files.asked))
            effects << (request.kind == CFileDialogs::OPEN_FILE   ? QStringLiteral("file:open")
                        : request.kind == CFileDialogs::SAVE_FILE ? QStringLiteral("file:save")
                                                                  : QStringLiteral("file:folder"));
        for (const QString& request : qAsConst(recorder.requests))
            effects << QStringLiteral("request:") + request;
    }
    m_Window->removeEventFilter(&closing);
    for (const QString& dialog : qAsConst(dialogs))
        effects << QStringLiteral("dialog:") + dialog;
    for (const QString& url : qAsConst(m_Urls.opened))
        effects << QStringLiteral("url:") + url;
    if (closing.closed)
        effects << QStringLiteral("close");
    if (ui()->tabMain->currentIndex() != tabBefore)
        effects << QStringLiteral("tab:") + ui()->tabMain->currentWidget()->objectName();
    if (list()->selectionModel()->selectedRows().size() != selectedBefore)
        effects << QStringLiteral("selected:%1").arg(list()->selectionModel()->selectedRows().size());
    if (list()->model()->rowCount() != rowsBefore)
        effects << QStringLiteral("rows:%1").arg(list()->model()->rowCount());
    if (hub()->m_Offline != offlineBefore)
        effects << QStringLiteral("offline:%1").arg(hub()->m_Offline ? "true" : "false");
    if (m_Window->isMinimized() != minimizedBefore)
        effects << QStringLiteral("minimized:%1").arg(m_Window->isMinimized() ? "true" : "false");
    if (hub()->m_MainTabVisible != detailBefore)
        effects << QStringLiteral("detail:%1").arg(hub()->m_MainTabVisible ? "true" : "false");
    if (hub()->m_PasteProjectorIDs != pasteBefore) {
        QStringList ids;
        for (int id : qAsConst(hub()->m_PasteProjectorIDs))
            ids << QString::number(id);
        effects << QStringLiteral("paste:") + ids.join(QLatin1Char(','));
    }
    if (proxy->sortColumn() != sortBefore)
        effects << QStringLiteral("sort:%1").arg(list()->model()->headerData(proxy->sortColumn(), Qt::Horizontal).toString());
    for (QLineEdit* editor : list()->viewport()->findChildren<QLineEdit*>()) {
        if (!editor->isHidden())
            effects << QStringLiteral("editor:list");
    }
    if (ui()->treeViewGroup->IsEditing())
        effects << QStringLiteral("editor:group");

    if (effect.isEmpty()) {
        QCOMPARE(effects, QStringList());
    } else {
        const bool seen = std::any_of(effects.cbegin(), effects.cend(),
                                      [&effect](const QString& e) { return e.startsWith(effect); });
        QVERIFY2(seen, qPrintable(effects.join(QLatin1String(" | "))));
    }
}

QTEST_MAIN(tst_Lumivox5MainTriggers)
#include "tst_Lumivox5MainTriggers.moc"
