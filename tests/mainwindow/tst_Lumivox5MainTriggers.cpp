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
#include <vector>

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

    // The action enabled and triggered (a row is about where a trigger
    // leads, not when it is offered); none without an action.
    static std::function<void()> fireEnabled(QAction* action)
    {
        if (!action)
            return {};
        return [action] {
            action->setEnabled(true);
            action->trigger();
        };
    }

    static QAction* entry(const std::map<QString, QAction*>& entries, const QString& name)
    {
        const auto found = entries.find(name);
        return found == entries.end() ? nullptr : found->second;
    }

    // The trigger of a row, by kind and name.
    std::function<void()> trigger(const QString& kind, const QString& name)
    {
        Lumivox5Main* window = m_Window.get();
        if (kind == QLatin1String("menu"))
            return fireEnabled(window->findChild<QAction*>(name));
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
            return fireEnabled(entry(entries, name));
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
            return fireEnabled(entry(entries, name));
        }
        if (kind == QLatin1String("group"))
            return fireEnabled(ui()->treeViewGroup->findChild<QAction*>(name));
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
    struct Trigger
    {
        const char* kind;
        const char* name;
    };
    // An operation and every trigger that reaches it, all from the same setup.
    struct Operation
    {
        const char* setup;
        QString effect;
        std::vector<Trigger> triggers;
    };
    const Operation operations[] = {
        // File
        {"list", "offline:true", {{"menu", "actMenuFileOffline"}}},
        {"list",
         "box:The existing connection target list will be overwritten by imported data.\nDo you want to proceed?",
         {{"menu", "actMenuFileImportPJList"}}},
        {"list", "", {{"menu", "actMenuFileImportEventLog"}}},
        {"list", "file:save", {{"menu", "actMenuFileExportCSVFile"}}},
        {"list", "file:save", {{"menu", "actMenuFileExportPJList"}}},
        {"list", "", {{"menu", "actMenuFileExportEventLog"}}},
        {"list", "box:The existing schedule will be overwritten by imported data.\nDo you want to proceed?",
         {{"menu", "actMenuFileImportSchedule"}}},
        {"list", "file:save", {{"menu", "actMenuFileExportSchedule"}}},
        {"list", "url:file:///", {{"menu", "actMenuFileShowLogTransport"}}},
        {"list", "url:file:///", {{"menu", "actMenuFileShowLogSchedule"}}},
        {"list", "", {{"menu", "actMenuFileShowLogEvent"}}},
        {"list", exitQuestion, {{"menu", "actMenuFileExit"}, {"tray", "5"}}},
        // View
        {"list", "detail:false", {{"menu", "actMenuViewDetail"}}},
        {"list", "dialog:FormChooseProjectorListColumn", {{"menu", "actMenuViewEditColumn"}}},
        {"list", "selected:3", {{"menu", "actMenuViewSelectAll"}}},
        {"list", "request:129 - 1 0 [1,2,3] 1 1", {{"menu", "actMenuViewStop"}, {"toolbar", "actTBStop"}}},
        {"list", "request:1 - 0 1 [1,3,2] 0 0", {{"menu", "actMenuViewRefresh"}, {"toolbar", "actTBRefresh"}}},
        {"list", "request:1 - 0 1 [1,2,3] 0 0", {{"menu", "actMenuViewRefreshAll"}}},
        {"list", "", {{"menu", "actMenuViewEventListClear"}}},
        {"list", "sort:Setting", {{"sort", "Setting"}}},
        // Tool
        {"list", "dialog:FormMailSettings", {{"menu", "actMenuToolMail"}, {"toolbar", "actTBMail"}}},
        {"list", "dialog:FormOptionSettings", {{"menu", "actMenuToolOption"}, {"toolbar", "actTBOption"}}},
        {"list", "dialog:DeviceSettingWindow",
         {{"menu", "actMenuToolCommunication"}, {"toolbar", "actTBCommunication"}}},
        {"list", "dialog:PJSearchDlg", {{"menu", "actMenuToolLANAutoSearch"}}},
        {"list", "dialog:FormAutoSearchSerial", {{"menu", "actMenuToolSerialAutoSearch"}}},
        {"list", "dialog:FormStartOtherApp", {{"menu", "actMenuToolStartProcessSettings"}}},
        // Group, from the menu bar and the group tree's context menu
        {"group", "editor:group", {{"menu", "actMenuGroupCreate"}, {"group", "actCreate"}}},
        {"group", "box:Floor 1\nDo you want to delete this group?",
         {{"menu", "actMenuGroupDelete"}, {"group", "actDelete"}}},
        {"group", "editor:group", {{"menu", "actMenuGroupRename"}, {"group", "actRename"}}},
        // Projector, from the menu bar, the projector list's context menu and the toolbar
        {"list", "tab:tabWidgetAdjust", {{"menu", "actMenuPJAdjust"}, {"context", "ctxAdjust"}}},
        {"list", "box:Turn on the selected projector.",
         {{"menu", "actMenuPJCtrlPowerOn"}, {"toolbar", "actTBPowerOn"}, {"context", "ctxControlPowerOn"}}},
        {"list", "box:Turn off the selected projector.",
         {{"menu", "actMenuPJCtrlPowerOff"}, {"toolbar", "actTBPowerOff"}, {"context", "ctxControlPowerOff"}}},
        {"list", "request:7 [1]" + one,
         {{"menu", "actMenuPJCtrlFreezeOn"}, {"toolbar", "actTBFreezeOn"}, {"context", "ctxControlFreezeOn"}}},
        {"list", "request:7 [2]" + one,
         {{"menu", "actMenuPJCtrlFreezeOff"}, {"toolbar", "actTBFreezeOff"}, {"context", "ctxControlFreezeOff"}}},
        {"list", "request:5 [1]" + one,
         {{"menu", "actMenuPJCtrlPictureMuteOn"},
          {"toolbar", "actTBPictureMuteOn"},
          {"context", "ctxControlPictureMuteOn"}}},
        {"list", "request:5 [0]" + one,
         {{"menu", "actMenuPJCtrlPictureMuteOff"},
          {"toolbar", "actTBPictureMuteOff"},
          {"context", "ctxControlPictureMuteOff"}}},
        {"list", "request:4 [1]" + one,
         {{"menu", "actMenuPJCtrlSoundMuteOn"},
          {"toolbar", "actTBSoundMuteOn"},
          {"context", "ctxControlSoundMuteOn"}}},
        {"list", "request:4 [0]" + one,
         {{"menu", "actMenuPJCtrlSoundMuteOff"},
          {"toolbar", "actTBSoundMuteOff"},
          {"context", "ctxControlSoundMuteOff"}}},
        {"list", "request:6 [1]" + one,
         {{"menu", "actMenuPJCtrlOSDMuteOn"}, {"toolbar", "actTBOSDMuteOn"}, {"context", "ctxControlOsdMuteOn"}}},
        {"list", "request:6 [0]" + one,
         {{"menu", "actMenuPJCtrlOSDMuteOff"}, {"toolbar", "actTBOSDMuteOff"}, {"context", "ctxControlOsdMuteOff"}}},
        // The toolbar's two toggles, from nothing frozen or muted
        {"list", "request:5 [1]" + one, {{"toolbar", "actTBAVMute"}}},
        {"list", "request:7 [1]" + one, {{"toolbar", "actTBFreeze"}}},
        {"rename", "editor:list", {{"menu", "actMenuPJRename"}, {"context", "ctxEditPJName"}}},
        {"list", "request:1 - 1 1 [1] 0 1", {{"menu", "actMenuPJRefresh"}, {"context", "ctxRefresh"}}},
        {"group", "paste:1", {{"menu", "actMenuPJCut"}, {"context", "ctxCut"}}},
        {"list", "paste:1", {{"menu", "actMenuPJCopy"}, {"context", "ctxCopy"}}},
        {"paste", "rows:3", {{"menu", "actMenuPJPaste"}, {"context", "ctxPaste"}}},
        {"group", "box:One()\nDo you want delete this settings?",
         {{"menu", "actMenuPJDelete"}, {"context", "ctxDelete"}}},
        {"list", "tab:tabPropery", {{"menu", "actMenuPJProperty"}, {"context", "ctxProperty"}}},
        {"list", "url:http://192.168.0.11/", {{"menu", "atcMenuPJWeb"}, {"context", "ctxWeb"}}},
        // Schedule, from the menu bar, the toolbar, the tray menu (by place) and the schedule list
        {"list", "dialog:FormSchedule",
         {{"menu", "actMenuScheduleEdit"}, {"toolbar", "actTBScheduleEdit"}, {"schedule", "f_RequestScheduleEdit"}}},
        {"list", "box:No events are not listed in the schedule. Add an event.",
         {{"menu", "actMenuScheduleExecute"},
          {"toolbar", "actTBScheduleStart"},
          {"tray", "1"},
          {"schedule", "f_RequestScheduleExecute"}}},
        {"list", "box:Do you cancel the schedule?",
         {{"menu", "actMenuScheduleCancel"},
          {"toolbar", "actTBScheduleCancel"},
          {"tray", "2"},
          {"schedule", "f_RequestScheduleCancel"}}},
        {"list", "dialog:FormCalendar",
         {{"menu", "actMenuScheduleSettingNoOperatingDate"}, {"schedule", "f_RequestScheduleSettingNoOperatingDate"}}},
        // Help
        {"list", "box:Lumivox 5 Help does not exist.", {{"menu", "actMenuHelpHelp"}, {"tray", "3"}}},
        {"list", "dialog:About", {{"menu", "actMenuHelpAbout"}, {"tray", "4"}}},
        {"list", "dialog:VirtualTimeSetting", {{"menu", "actMenuHelpVirtualTimeSetting"}}},
        // The tray menu's first entry
        {"minimized", "minimized:false", {{"tray", "0"}}},
    };
    for (const Operation& operation : operations) {
        for (const Trigger& trigger : operation.triggers)
            QTest::addRow("%s %s", trigger.kind, trigger.name)
                << trigger.kind << trigger.name << operation.setup << operation.effect;
    }
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
