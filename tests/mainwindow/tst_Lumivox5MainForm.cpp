#include <QtTest>

#include "CGroupTreeView.h"
#include "GuiTestSupport.h"
#include "MainWindowMenus.h"
#include "CProjectorTreeView.h"
#include "ScheduleListView.h"
#include "ui_Lumivox5Main.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>

#include <memory>

namespace {

// A plain main window with a few by-name slots, to see the form bind them.
class FormTestWindow : public QMainWindow
{
    Q_OBJECT
public:
    QStringList calls;

public slots:
    void on_actMenuPJCut_triggered() { calls << QStringLiteral("cut"); }
    void on_actMenuFileOffline_triggered(bool checked)
    {
        calls << (checked ? QStringLiteral("offline on") : QStringLiteral("offline off"));
    }
    void on_atcMenuPJWeb_triggered() { calls << QStringLiteral("web"); }
    void on_actMenuPJProperty_triggered() { calls << QStringLiteral("property"); }
    void on_actMenuViewSchedule_triggered() { calls << QStringLiteral("view schedule"); }
    void on_menuPJCtrl_hovered() { calls << QStringLiteral("control hovered"); }
};

// The window with its form set up; the English catalogue must be installed.
struct Form
{
    Form() { ui.setupUi(&window); }
    FormTestWindow window;
    Ui_Lumivox5Main ui;
};

// Texts as a catalogue in another language gives them: "[key]", and for the
// shortcut keys another shortcut.
class BracketTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "Lumivox5Main") != 0)
            return QString();
        const QString key = QString::fromUtf8(sourceText);
        if (shortcutKeys().contains(key))
            return QStringLiteral("Shift+") + key;
        return QLatin1Char('[') + key + QLatin1Char(']');
    }
    static QStringList shortcutKeys()
    {
        return { "Ctrl+A", "F5", "Del", "F2", "Ctrl+X", "Ctrl+C", "Ctrl+V", "F1" };
    }
};

bool bracketed(const QString& text)
{
    return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
}

} // namespace

class tst_Lumivox5MainForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<int>("role");
        auto row = [](const char* name, const char* menu, const char* text, const char* shortcut, bool hidden,
                      bool checkable, QAction::MenuRole role) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(menu) << QString::fromUtf8(text)
                                << QString::fromUtf8(shortcut) << hidden << checkable << int(role);
        };
        row("actMenuFileOffline", "menuFile", "&Work Offline", "", false, true, QAction::TextHeuristicRole);
        row("actMenuFileImportPJList", "menuFileImport", "&Projector List...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileImportSchedule", "menuFileImport", "&Schedule...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileImportEventLog", "menuFileImport", "&Event log", "", true, false, QAction::TextHeuristicRole);
        row("actMenuFileExportCSVFile", "actMenuFileExport", "&CSV File...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileExportPJList", "actMenuFileExport", "&Projector List...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileExportSchedule", "actMenuFileExport", "&Schedule...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileExportEventLog", "actMenuFileExport", "&Event log...", "", true, false, QAction::TextHeuristicRole);
        row("actMenuFileExit", "menuFile", "E&xit", "", false, false, QAction::NoRole);
        row("actMenuViewEditColumn", "menuView", "E&dit Column...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuViewSelectAll", "menuView", "Select &All", "Ctrl+A", false, false, QAction::TextHeuristicRole);
        row("actMenuViewStop", "menuView", "S&top", "", false, false, QAction::TextHeuristicRole);
        row("actMenuViewRefresh", "menuView", "&Refresh", "F5", false, false, QAction::TextHeuristicRole);
        row("actMenuViewRefreshAll", "menuView", "Re&fresh All", "", false, false, QAction::TextHeuristicRole);
        row("actMenuViewEventListClear", "menuView", "EventList &Clear", "", true, false, QAction::TextHeuristicRole);
        row("actMenuToolMail", "menuTool", "&Mail Settings...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuToolOption", "menuTool", "&Option Settings...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuToolCommunication", "menuTool", "&Communication Settings...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuToolLANAutoSearch", "menuTool", "&LAN Auto Search...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuToolSerialAutoSearch", "menuTool", "&Serial Auto Search...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuToolStartProcessSettings", "menuTool", "&Application launch setting...", "", true, false, QAction::TextHeuristicRole);
        row("actMenuGroupCreate", "menuGroup", "&Create Group", "", false, false, QAction::TextHeuristicRole);
        row("actMenuGroupDelete", "menuGroup", "&Delete", "Del", false, false, QAction::TextHeuristicRole);
        row("actMenuGroupRename", "menuGroup", "&Rename", "F2", false, false, QAction::TextHeuristicRole);
        row("actMenuPJAdjust", "menuProjector", "&Adjustment", "", true, false, QAction::TextHeuristicRole);
        row("actMenuPJRename", "menuProjector", "Re&name", "F2", false, false, QAction::TextHeuristicRole);
        row("actMenuPJRefresh", "menuProjector", "Re&fresh", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCut", "menuProjector", "Cu&t", "Ctrl+X", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCopy", "menuProjector", "&Copy", "Ctrl+C", false, false, QAction::TextHeuristicRole);
        row("actMenuPJPaste", "menuProjector", "&Paste", "Ctrl+V", false, false, QAction::TextHeuristicRole);
        row("actMenuPJDelete", "menuProjector", "&Delete", "Del", false, false, QAction::TextHeuristicRole);
        row("actMenuPJProperty", "menuProjector", "P&roperty", "", true, false, QAction::TextHeuristicRole);
        row("actMenuScheduleEdit", "menuSchedule", "&Edit...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuScheduleExecute", "menuSchedule", "E&xecute", "", false, false, QAction::TextHeuristicRole);
        row("actMenuScheduleCancel", "menuSchedule", "&Cancel", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileShowLogSchedule", "menuFileShowLog", "&Schedule...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuScheduleSettingNoOperatingDate", "menuSchedule", "Setting &No Operating Date...", "", false, false, QAction::NoRole);
        row("actMenuHelpHelp", "menuHelp", "&Help", "F1", false, false, QAction::NoRole);
        row("actMenuHelpAbout", "menuHelp", "&About Lumivox 5", "", false, false, QAction::AboutRole);
        row("actMenuHelpVirtualTime", "menuHelp", "Virtual Time", "", false, true, QAction::TextHeuristicRole);
        row("actMenuHelpVirtualTimeSetting", "menuHelp", "Virtual Time Setting...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileShowLogTransport", "menuFileShowLog", "&Transport...", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlPowerOn", "menuPJCtrlPower", "Power O&n", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlPowerOff", "menuPJCtrlPower", "Power O&ff", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlFreezeOn", "menuPJCtrlFreeze", "Freeze O&n", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlFreezeOff", "menuPJCtrlFreeze", "Freeze O&ff", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlPictureMuteOn", "menuPJCtrlPictureMute", "Picture Blank O&n", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlPictureMuteOff", "menuPJCtrlPictureMute", "Picture Blank O&ff", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlSoundMuteOn", "menuPJCtrlSoundMute", "Sound Mute O&n", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlSoundMuteOff", "menuPJCtrlSoundMute", "Sound Mute O&ff", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlOSDMuteOn", "menuPJCtrlOSDMute", "On-screen Display O&ff", "", false, false, QAction::TextHeuristicRole);
        row("actMenuPJCtrlOSDMuteOff", "menuPJCtrlOSDMute", "On-screen Display O&n", "", false, false, QAction::TextHeuristicRole);
        row("actMenuFileShowLogEvent", "menuFileShowLog", "&Event...", "", true, false, QAction::TextHeuristicRole);
        row("actMenuViewSchedule", "", "&Schedule", "", false, true, QAction::TextHeuristicRole);
        row("actMenuViewDetail", "menuView", "&Detail", "", false, true, QAction::TextHeuristicRole);
        row("atcMenuPJWeb", "menuProjector", "&HTTPServer", "", false, false, QAction::TextHeuristicRole);
    }
    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, menu);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QFETCH(bool, hidden);
        QFETCH(bool, checkable);
        QFETCH(int, role);
        Form form;
        auto* action = form.window.findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(action, "an action of the main window");
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QCOMPARE(action->isVisible(), !hidden);
        QCOMPARE(action->isCheckable(), checkable);
        QVERIFY(!action->isChecked());
        QCOMPARE(int(action->menuRole()), role);
        QVERIFY(action->icon().isNull());
        QStringList holders;
        for (const QMenu* each : form.ui.menuBar->findChildren<QMenu*>()) {
            if (each->actions().contains(action))
                holders << each->objectName();
        }
        QCOMPARE(holders, menu.isEmpty() ? QStringList() : QStringList{ menu });
    }

    // Created in this order, before the widgets.
    void actionOrder()
    {
        Form form;
        QStringList created;
        for (const QObject* child : form.window.children()) {
            if (const auto* action = qobject_cast<const QAction*>(child))
                created << action->objectName();
        }
        QCOMPARE(created.size(), 56);
        QCOMPARE(created, actionNames());
    }

    void menus_data() { MainWindowMenus::AddRows(); }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, title);
        QFETCH(QStringList, entries);
        Form form;
        auto* menu = form.ui.menuBar->findChild<QMenu*>(name);
        QVERIFY(menu);
        QCOMPARE(menu->parent()->objectName(), parent);
        QCOMPARE(menu->title(), title);
        QCOMPARE(MainWindowMenus::Entries(menu), entries);
    }

    void menuBar()
    {
        Form form;
        QCOMPARE(form.window.menuBar(), form.ui.menuBar);
        QCOMPARE(form.ui.menuBar->findChildren<QMenu*>().size(), 19);
        QStringList shown;
        for (const QAction* action : form.ui.menuBar->actions())
            shown << MainWindowMenus::EntryName(action);
        QCOMPARE(shown, (QStringList{ "menuFile", "menuView", "menuTool", "menuGroup", "menuProjector", "menuSchedule",
                                      "menuHelp" }));
        QCOMPARE(form.ui.menuBar->geometry(), QRect(0, 0, 936, 24));
    }

    void window()
    {
        Form form;
        QCOMPARE(form.window.objectName(), QStringLiteral("Lumivox5Main"));
        QCOMPARE(form.window.size(), QSize(936, 776));
        QCOMPARE(form.window.minimumSize(), QSize(115, 175));
        QCOMPARE(form.window.windowTitle(), QStringLiteral("Lumivox 5"));
        QVERIFY(!form.window.windowIcon().isNull());
        QCOMPARE(form.window.centralWidget(), form.ui.centralWidget);
        QCOMPARE(form.window.statusBar(), form.ui.statusBar);
        QCOMPARE(form.window.toolBarArea(form.ui.mainToolBar), Qt::TopToolBarArea);
        QVERIFY(form.ui.mainToolBar->actions().isEmpty());
    }

    // The main window names itself before setting up its form.
    void windowKeepsItsName()
    {
        FormTestWindow window;
        window.setObjectName(QStringLiteral("Named"));
        Ui_Lumivox5Main ui;
        ui.setupUi(&window);
        QCOMPARE(window.objectName(), QStringLiteral("Named"));
    }

    void views()
    {
        Form form;
        CGroupTreeView* tree = form.ui.treeViewGroup;
        QCOMPARE(tree->metaObject()->className(), "CGroupTreeView");
        QVERIFY(tree->acceptDrops());
        QCOMPARE(tree->dragDropMode(), QAbstractItemView::DropOnly);
        QVERIFY(!tree->dragEnabled());
        QCOMPARE(tree->autoExpandDelay(), -1);
        QCOMPARE(tree->editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::SelectedClicked));
        QVERIFY(tree->allColumnsShowFocus());
        QCOMPARE(tree->frameShape(), QFrame::WinPanel);
        QCOMPARE(tree->frameShadow(), QFrame::Sunken);
        QCOMPARE(tree->minimumSize(), QSize(25, 25));
        QCOMPARE(tree->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(tree->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

        QVERIFY(form.ui.treeViewPJList->inherits("CProjectorTreeView"));
        QVERIFY(form.ui.treeViewPJListSub->inherits("CProjectorTreeView"));
        QCOMPARE(form.ui.treeViewPJList->dragDropMode(), QAbstractItemView::DragOnly);
        QVERIFY(form.ui.treeViewPJList->dragEnabled());
        QCOMPARE(form.ui.treeViewPJList->frameShape(), QFrame::NoFrame);
        QCOMPARE(form.ui.treeViewPJList->minimumHeight(), 25);
        QCOMPARE(form.ui.treeViewPJListSub->minimumSize(), QSize(1, 1));

        QCOMPARE(form.ui.treeViewSchedule->metaObject()->className(), "ScheduleListView");
        QCOMPARE(form.ui.treeViewSchedule->frameShape(), QFrame::NoFrame);
        QCOMPARE(form.ui.treeViewEventLog->metaObject()->className(), "QTreeView");
    }

    void splittersCannotCollapse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QStringList>("panes");
        QTest::newRow("splitter_2") << "splitter_2" << int(Qt::Horizontal) << QStringList{ "splitter", "framePain" };
        QTest::newRow("splitter") << "splitter" << int(Qt::Vertical)
                                  << QStringList{ "treeViewGroup", "treeViewPJListSub", "scrollAreaDetail" };
        QTest::newRow("splitter_3") << "splitter_3" << int(Qt::Vertical)
                                    << QStringList{ "treeViewPJList", "scrollAreaTabMain" };
    }
    void splittersCannotCollapse()
    {
        QFETCH(QString, name);
        QFETCH(int, orientation);
        QFETCH(QStringList, panes);
        Form form;
        auto* splitter = form.window.findChild<QSplitter*>(name);
        QVERIFY(splitter);
        QCOMPARE(int(splitter->orientation()), orientation);
        QVERIFY(!splitter->childrenCollapsible());
        QStringList shown;
        for (int i = 0; i < splitter->count(); ++i)
            shown << splitter->widget(i)->objectName();
        QCOMPARE(shown, panes);

        // Dragging a handle all the way leaves every pane its minimum.
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        QList<int> sizes = splitter->sizes();
        sizes[0] = 0;
        splitter->setSizes(sizes);
        for (int size : splitter->sizes())
            QVERIFY(size > 0);
    }

    void pages()
    {
        Form form;
        QTabWidget* tabMain = form.ui.tabMain;
        QCOMPARE(tabMain->count(), 4);
        QCOMPARE(tabMain->currentIndex(), 1);
        QCOMPARE(tabMain->widget(0), form.ui.tabPJList);
        QCOMPARE(tabMain->widget(1), form.ui.tabPropery);
        QCOMPARE(tabMain->widget(2), form.ui.tabSchedule);
        QCOMPARE(tabMain->widget(3), form.ui.tabEventLog);
        QCOMPARE(tabMain->tabText(0), QStringLiteral("Projector List"));
        QCOMPARE(tabMain->tabText(1), QStringLiteral("Property"));
        QCOMPARE(tabMain->tabText(2), QStringLiteral("Schedule"));
        QCOMPARE(tabMain->tabText(3), QStringLiteral("EventLog"));
        QCOMPARE(tabMain->tabPosition(), QTabWidget::North);
        QCOMPARE(tabMain->focusPolicy(), Qt::TabFocus);
        QCOMPARE(tabMain->minimumSize(), QSize(525, 380));

        QTabWidget* secondary = form.ui.tabWidget_2;
        QCOMPARE(secondary->count(), 5);
        QCOMPARE(secondary->currentIndex(), 2);
        QCOMPARE(secondary->tabPosition(), QTabWidget::South);
        const QStringList pages{ "tabPropertyGeneral", "tabPropertyInput", "tabPropertyNetwork", "tabPropertyVersion",
                                 "tab_PropertyGeneralTemp" };
        const QStringList titles{ "General", "Source", "Network", "Version", "General" };
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(secondary->widget(i)->objectName(), pages.at(i));
            QCOMPARE(secondary->tabText(i), titles.at(i));
        }
    }

    void texts_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("detail 1") << "lblDetail1" << "Setting";
        QTest::newRow("detail 5") << "lblDetail5" << "Input Terminal";
        QTest::newRow("detail value is blank") << "lblDetail1Param" << QString(QChar(0x00A0));
        QTest::newRow("search container shows its key") << "label" << "Container for Search";
        QTest::newRow("search title") << "lblSearchResultTitle" << "Search Result";
        QTest::newRow("search condition") << "lblSearchResultCondition" << "search condition";
        QTest::newRow("property name") << "lblPropPJNameTemp" << "Projector Name";
        QTest::newRow("sync polarity") << "lblPropSyncPolicyTemp" << "Sync Polarity";
        QTest::newRow("property value is blank") << "lblPropPJNameParamTemp" << QString(QChar(0x00A0));
        QTest::newRow("remark") << "lblRemarkTemp" << "Remark";
        QTest::newRow("group") << "lblGroupTemp" << "Group";
        QTest::newRow("empty label") << "label_2" << "";
        QTest::newRow("hours") << "lblhours_3" << "H";
        QTest::newRow("hidden page key") << "lblPropIpAddr" << "lblPropIpAddr";
    }
    void texts()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        Form form;
        auto* widget = form.window.findChild<QLabel*>(label);
        QVERIFY(widget);
        QCOMPARE(widget->text(), text);
    }

    void searchTitleFont()
    {
        Form form;
        QCOMPARE(form.ui.lblSearchResultTitle->font().pointSize(), 15);
        QVERIFY(form.ui.lblSearchResultTitle->font().bold());
    }

    void plainTextFields()
    {
        Form form;
        for (QPlainTextEdit* edit : { form.ui.pteRemarkTemp, form.ui.pteGroupTemp }) {
            QVERIFY(edit->isReadOnly());
            QVERIFY(edit->isEnabled());
            QCOMPARE(edit->minimumSize(), QSize(130, 105));
            QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
            QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
                QCOMPARE(edit->palette().color(group, QPalette::Base), QColor(212, 208, 200));
        }
        QVERIFY(!form.ui.pteRemark->isEnabled());
        QVERIFY(!form.ui.pteGroup->isEnabled());
    }

    // One chain through the whole window visits them in this order.
    void focusChain()
    {
        Form form;
        const QList<QWidget*> expected{ form.ui.treeViewGroup, form.ui.treeViewPJListSub, form.ui.treeViewPJList,
                                        form.ui.tabMain,       form.ui.treeViewSchedule,  form.ui.treeViewEventLog,
                                        form.ui.pteGroup,      form.ui.pteRemark };
        QList<QWidget*> found;
        QWidget* widget = form.ui.treeViewGroup;
        do {
            if (expected.contains(widget) && !found.contains(widget))
                found << widget;
            widget = widget->nextInFocusChain();
        } while (widget != form.ui.treeViewGroup);
        QCOMPARE(found, expected);
    }

    // After a language change every text, title and shortcut is renewed.
    void retranslateRenewsEveryText()
    {
        Form form;
        BracketTranslator other;
        QCoreApplication::installTranslator(&other);
        form.ui.retranslateUi(&form.window);
        QCoreApplication::removeTranslator(&other);

        QVERIFY(bracketed(form.window.windowTitle()));
        const QList<QAction*> actions = form.window.findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(actions.size(), 56);
        for (const QAction* action : actions)
            QVERIFY2(bracketed(action->text()), qPrintable(action->objectName() + ": " + action->text()));
        const QList<QMenu*> menus = form.ui.menuBar->findChildren<QMenu*>();
        QCOMPARE(menus.size(), 19);
        for (const QMenu* menu : menus)
            QVERIFY2(bracketed(menu->title()), qPrintable(menu->objectName() + ": " + menu->title()));
        QCOMPARE(form.ui.actMenuPJRename->text(), QStringLiteral("[Projector &Rename]"));
        QCOMPARE(form.ui.menuFileImport->title(), QStringLiteral("[&Imoprt]"));
        QCOMPARE(form.ui.menuHelp->title(), QStringLiteral("[&Help]"));
        QCOMPARE(form.ui.actMenuViewSelectAll->shortcut(), QKeySequence(QStringLiteral("Shift+Ctrl+A")));
        QCOMPARE(form.ui.actMenuGroupDelete->shortcut(), QKeySequence(QStringLiteral("Shift+Del")));
        QCOMPARE(form.ui.actMenuPJDelete->shortcut(), QKeySequence(QStringLiteral("Shift+Del")));
        QCOMPARE(form.ui.actMenuHelpHelp->shortcut(), QKeySequence(QStringLiteral("Shift+F1")));
        for (const QAction* action : actions) {
            if (!action->shortcut().isEmpty())
                QVERIFY2(action->shortcut()[0] & Qt::ShiftModifier, qPrintable(action->objectName()));
        }

        for (const QLabel* label : form.window.findChildren<QLabel*>()) {
            const QString text = label->text();
            // Value labels stay blank until the window writes a value.
            if (text.isEmpty() || text == QString(QChar(0x00A0)))
                continue;
            QVERIFY2(bracketed(text), qPrintable(label->objectName() + ": " + text));
        }
        for (const QTabWidget* tabs : form.window.findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i)
                QVERIFY2(bracketed(tabs->tabText(i)), qPrintable(tabs->widget(i)->objectName()));
        }
        for (const QGroupBox* box : form.window.findChildren<QGroupBox*>())
            QVERIFY2(bracketed(box->title()), qPrintable(box->objectName()));

        // And back.
        form.ui.retranslateUi(&form.window);
        QCOMPARE(form.ui.actMenuPJRename->text(), QStringLiteral("Re&name"));
        QCOMPARE(form.ui.actMenuViewSelectAll->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    }

    void slotsBoundByName()
    {
        Form form;
        form.ui.actMenuPJCut->trigger();
        form.ui.actMenuFileOffline->trigger();
        form.ui.actMenuFileOffline->trigger();
        form.ui.atcMenuPJWeb->trigger();
        // Hidden or in no menu, they are bound all the same.
        form.ui.actMenuPJProperty->trigger();
        form.ui.actMenuViewSchedule->trigger();
        emit form.ui.menuPJCtrl->hovered(form.ui.actMenuPJCtrlPowerOn);
        QCOMPARE(form.window.calls, (QStringList{ "cut", "offline on", "offline off", "web", "property",
                                                  "view schedule", "control hovered" }));
    }

private:
    static QStringList actionNames()
    {
        return {
            "actMenuFileOffline",
            "actMenuFileImportPJList",
            "actMenuFileImportSchedule",
            "actMenuFileImportEventLog",
            "actMenuFileExportCSVFile",
            "actMenuFileExportPJList",
            "actMenuFileExportSchedule",
            "actMenuFileExportEventLog",
            "actMenuFileExit",
            "actMenuViewEditColumn",
            "actMenuViewSelectAll",
            "actMenuViewStop",
            "actMenuViewRefresh",
            "actMenuViewRefreshAll",
            "actMenuViewEventListClear",
            "actMenuToolMail",
            "actMenuToolOption",
            "actMenuToolCommunication",
            "actMenuToolLANAutoSearch",
            "actMenuToolSerialAutoSearch",
            "actMenuToolStartProcessSettings",
            "actMenuGroupCreate",
            "actMenuGroupDelete",
            "actMenuGroupRename",
            "actMenuPJAdjust",
            "actMenuPJRename",
            "actMenuPJRefresh",
            "actMenuPJCut",
            "actMenuPJCopy",
            "actMenuPJPaste",
            "actMenuPJDelete",
            "actMenuPJProperty",
            "actMenuScheduleEdit",
            "actMenuScheduleExecute",
            "actMenuScheduleCancel",
            "actMenuFileShowLogSchedule",
            "actMenuScheduleSettingNoOperatingDate",
            "actMenuHelpHelp",
            "actMenuHelpAbout",
            "actMenuHelpVirtualTime",
            "actMenuHelpVirtualTimeSetting",
            "actMenuFileShowLogTransport",
            "actMenuPJCtrlPowerOn",
            "actMenuPJCtrlPowerOff",
            "actMenuPJCtrlFreezeOn",
            "actMenuPJCtrlFreezeOff",
            "actMenuPJCtrlPictureMuteOn",
            "actMenuPJCtrlPictureMuteOff",
            "actMenuPJCtrlSoundMuteOn",
            "actMenuPJCtrlSoundMuteOff",
            "actMenuPJCtrlOSDMuteOn",
            "actMenuPJCtrlOSDMuteOff",
            "actMenuFileShowLogEvent",
            "actMenuViewSchedule",
            "actMenuViewDetail",
            "atcMenuPJWeb",
        };
    }
};

QTEST_MAIN(tst_Lumivox5MainForm)
#include "tst_Lumivox5MainForm.moc"
