#include <QtTest>

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProjectorData.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowSelectionRig.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QMenu>

#include <functional>

namespace {

using Rig = MainWindowSelectionRig;

// What the operator sees of a menu once it is about to show: the visible
// entries in order, "|" for a separator (leading, trailing and doubled ones
// collapse as the menu draws them), "&" dropped, " >" for a sub-menu, the
// shortcut in brackets and " -" for a disabled entry.
QString shown(QMenu* menu)
{
    emit menu->aboutToShow();
    QStringList items;
    bool afterSeparator = true;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator()) {
            if (!afterSeparator)
                items << QStringLiteral("|");
            afterSeparator = true;
            continue;
        }
        afterSeparator = false;
        QString text = QString(action->text()).remove('&');
        if (action->menu())
            text += QStringLiteral(" >");
        if (!action->shortcut().isEmpty())
            text += QStringLiteral(" (%1)").arg(action->shortcut().toString());
        if (!action->isEnabled())
            text += QStringLiteral(" -");
        items << text;
    }
    if (!items.isEmpty() && items.last() == QLatin1String("|"))
        items.removeLast();
    return items.join(QStringLiteral(", "));
}

} // namespace

class tst_Lumivox5MainMenuBar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Rig> m_Rig;
    Ui_Lumivox5Main* ui() const { return m_Rig->window->ui; }
    CLumivox5Data* hub() const { return m_Rig->window->m_Lumivox5Data; }

    // A window on the rig's four projectors, started with these arguments.
    void start(const QStringList& arguments = QStringList())
    {
        m_Rig.reset(new Rig);
        QVERIFY(m_Rig->start(arguments));
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void cleanup() { m_Rig.reset(); }

    // The menus of a first start, with nothing registered and default
    // options, as the operator opens them one after the other.
    void menusOfAFirstStart_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entries");
        QTest::newRow("menuFile") << "menuFile" << "Import >, Export >, |, Display log > -, |, Exit";
        QTest::newRow("menuFileImport") << "menuFileImport" << "Projector List..., Schedule...";
        QTest::newRow("actMenuFileExport") << "actMenuFileExport" << "CSV File..., Projector List..., Schedule...";
        QTest::newRow("menuFileShowLog") << "menuFileShowLog" << "Transport... -, Schedule... -";
        QTest::newRow("menuView") << "menuView"
                                  << "Sort >, Edit Column..., Select All (Ctrl+A), |, Stop, Refresh -, Refresh All";
        QTest::newRow("menuTool") << "menuTool"
                                  << "Mail Settings..., Option Settings..., |, Communication Settings..., "
                                     "LAN Auto Search..., |, Launch application >";
        // No selection has changed yet: the form's state and keys.
        QTest::newRow("menuGroup") << "menuGroup" << "Create Group, Delete (Del), Rename (F2)";
        QTest::newRow("menuProjector") << "menuProjector"
                                       << "Control > -, Rename -, Refresh -, |, Cut (Ctrl+X) -, Copy (Ctrl+C) -, "
                                          "Paste (Ctrl+V) -, Delete (Del) -, |, HTTPServer -";
        QTest::newRow("menuPJCtrl") << "menuPJCtrl"
                                    << "Power > -, |, Signal Select > -, |, Freeze > -, Picture Blank > -, "
                                       "Sound Mute > -, On-screen Display > -";
        QTest::newRow("menuSchedule") << "menuSchedule" << "Edit..., Execute, Cancel -, |, Setting No Operating Date...";
        QTest::newRow("menuHelp") << "menuHelp" << "Help, |, About Lumivox 5";
    }

    void menusOfAFirstStart()
    {
        QFETCH(QString, menu);
        QFETCH(QString, entries);
        m_Rig.reset(new Rig);
        QVERIFY(m_Rig->fixture.writeProfile(CTestFolders::readFile(QStringLiteral(":/mainwindow/Profile.ini"))));
        m_Rig->window = m_Rig->fixture.makeWindow();
        QVERIFY(m_Rig->window->m_blnProfileLoaded);
        auto* opened = ui()->menuBar->findChild<QMenu*>(menu);
        QVERIFY(opened);
        QCOMPARE(shown(opened), entries);
    }

    // Without the offline menu the entry leaves File the first time the File
    // rules run and does not come back.
    void workOfflineRemovedForGood()
    {
        start();
        QVERIFY(ui()->menuFile->actions().contains(ui()->actMenuFileOffline));
        m_Rig->select({1});
        QVERIFY(!ui()->menuFile->actions().contains(ui()->actMenuFileOffline));
        hub()->m_OfflineMenu = true;
        emit ui()->menuFile->aboutToShow();
        QVERIFY(!ui()->menuFile->actions().contains(ui()->actMenuFileOffline));
    }

    // With "/DEMO" the entry stays and shows the mode.
    void workOfflineWithDemo()
    {
        start({QStringLiteral("/DEMO")});
        QCOMPARE(shown(ui()->menuFile).section(QStringLiteral(", "), 0, 0), QStringLiteral("Work Offline"));
        QVERIFY(ui()->actMenuFileOffline->isChecked());
        hub()->m_Offline = false;
        emit ui()->menuFile->aboutToShow();
        QVERIFY(ui()->menuFile->actions().contains(ui()->actMenuFileOffline));
        QVERIFY(!ui()->actMenuFileOffline->isChecked());
    }

    // Exit, the import menu and the log menu from the hub's flags and options.
    void fileEntries_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<bool>("resident");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QList<bool>>("logs"); // communication, schedule, event
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("import");
        QTest::addColumn<QString>("log");
        const QString imports = QStringLiteral("Projector List..., Schedule...");
        const QString noImports = QStringLiteral("Projector List... -, Schedule... -");
        QTest::newRow("plain") << false << false << false << QList<bool>{true, true, true}
                               << "Import >, Export >, |, Display log >, |, Exit" << imports
                               << "Transport..., Schedule...";
        QTest::newRow("a modal dialog") << true << false << false << QList<bool>{true, false, false}
                                        << "Import >, Export >, |, Display log >, |, Exit -" << imports
                                        << "Transport..., Schedule... -";
        QTest::newRow("a modal dialog, resident") << true << true << false << QList<bool>{false, true, false}
                                                  << "Import >, Export >, |, Display log >, |, Exit" << imports
                                                  << "Transport... -, Schedule...";
        QTest::newRow("only the event log") << false << false << false << QList<bool>{false, false, true}
                                            << "Import >, Export >, |, Display log >, |, Exit" << imports
                                            << "Transport... -, Schedule... -";
        QTest::newRow("no log") << false << false << false << QList<bool>{false, false, false}
                                << "Import >, Export >, |, Display log > -, |, Exit" << imports
                                << "Transport... -, Schedule... -";
        QTest::newRow("schedule running") << false << false << true << QList<bool>{true, true, true}
                                          << "Import > -, Export >, |, Display log >, |, Exit" << noImports
                                          << "Transport..., Schedule...";
    }

    void fileEntries()
    {
        QFETCH(bool, modal);
        QFETCH(bool, resident);
        QFETCH(bool, running);
        QFETCH(QList<bool>, logs);
        QFETCH(QString, file);
        QFETCH(QString, import);
        QFETCH(QString, log);
        start();
        COptionSettings* options = hub()->m_pOptionSettings;
        options->m_Resident = resident;
        options->m_SaveLog = logs.at(0);
        options->m_SaveScheduleLog = logs.at(1);
        options->m_SaveEventLog = logs.at(2);
        hub()->m_ModalDialog = modal;
        hub()->m_ScheduleRunning = running;
        QCOMPARE(shown(ui()->menuFile), file);
        QCOMPARE(shown(ui()->menuFileImport), import);
        QCOMPARE(shown(ui()->menuFileShowLog), log);
        // The event log's entry follows its option, though it stays hidden.
        ui()->actMenuFileShowLogEvent->setVisible(true);
        emit ui()->menuFileShowLog->aboutToShow();
        QCOMPARE(ui()->actMenuFileShowLogEvent->isEnabled(), logs.at(2));
    }

    // LAN search up to the register's limit and never while a schedule runs;
    // the serial search never shows.
    void toolEntries_data()
    {
        QTest::addColumn<int>("registered");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("tool");
        QTest::newRow("1999") << 1999 << false
                              << "Mail Settings..., Option Settings..., |, Communication Settings..., "
                                 "LAN Auto Search..., |, Launch application >";
        QTest::newRow("2000") << 2000 << false
                              << "Mail Settings..., Option Settings..., |, Communication Settings..., "
                                 "LAN Auto Search... -, |, Launch application >";
        QTest::newRow("running") << 4 << true
                                 << "Mail Settings..., Option Settings..., |, Communication Settings... -, "
                                    "LAN Auto Search... -, |, Launch application >";
    }

    void toolEntries()
    {
        QFETCH(int, registered);
        QFETCH(bool, running);
        QFETCH(QString, tool);
        start();
        for (int id = hub()->f_GetProjectorCount() + 1; id <= registered; ++id)
            QVERIFY(hub()->f_AddProjectorThread(id));
        QCOMPARE(hub()->f_GetProjectorCount(), registered);
        hub()->m_ScheduleRunning = running;
        QCOMPARE(shown(ui()->menuTool), tool);
        ui()->actMenuToolSerialAutoSearch->setVisible(true);
        QCOMPARE(shown(ui()->menuTool), tool);
        QVERIFY(!ui()->menuTool->actions().contains(ui()->actMenuToolSerialAutoSearch));
    }

    // The Group menu after a change of the tree's selection, from what is
    // selected, whether the tree has the focus (or is just getting it) and
    // whether a group name is being edited.
    void groupEntries_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("focusIn");
        QTest::addColumn<QString>("group");
        QTest::newRow("group, focused") << "Floor 1" << true << false << false << "Create Group, Delete (Del), Rename";
        QTest::newRow("group, editing") << "Floor 1" << true << true << false << "Create Group, Delete (Del) -, Rename";
        QTest::newRow("group, editing, unfocused")
            << "Floor 1" << false << true << false << "Create Group, Delete (Del) -, Rename";
        QTest::newRow("group, unfocused") << "Floor 1" << false << false << false
                                          << "Create Group, Delete (Del) -, Rename -";
        QTest::newRow("group, getting the focus") << "Floor 1" << false << false << true
                                                  << "Create Group, Delete (Del), Rename";
        QTest::newRow("all projectors, focused") << "All Projectors" << true << false << false
                                                 << "Create Group, Delete (Del) -, Rename -";
        QTest::newRow("search result, focused") << "Search Result" << true << false << true
                                                << "Create Group, Delete (Del) -, Rename -";
        QTest::newRow("nothing selected") << "" << true << false << true << "Create Group -, Delete (Del) -, Rename -";
    }

    void groupEntries()
    {
        QFETCH(QString, node);
        QFETCH(bool, focused);
        QFETCH(bool, editing);
        QFETCH(bool, focusIn);
        QFETCH(QString, group);
        start();
        if (focused)
            QVERIFY(m_Rig->focus(ui()->treeViewGroup));
        else
            QVERIFY(m_Rig->focus(m_Rig->list()));
        QVERIFY(m_Rig->selectGroupNode(node));
        ui()->treeViewGroup->m_isEditing = editing;
        m_Rig->window->f_UpdateMenuGroupDropDown(focusIn);
        QCOMPARE(shown(ui()->menuGroup), group);
    }

    // The virtual clock's entries exist only with "/VT" and rest while a
    // schedule runs; its setting only while the clock is off.
    void helpEntries_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("clockOn");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("help");
        QTest::newRow("without /VT") << QStringList() << false << false << "Help, |, About Lumivox 5";
        QTest::newRow("/VT") << QStringList{"/VT"} << false << false
                             << "Help, |, About Lumivox 5, Virtual Time, Virtual Time Setting...";
        QTest::newRow("/VT, clock on") << QStringList{"/VT"} << true << false
                                       << "Help, |, About Lumivox 5, Virtual Time, Virtual Time Setting... -";
        QTest::newRow("/VT, running") << QStringList{"/VT"} << false << true
                                      << "Help, |, About Lumivox 5, Virtual Time -, Virtual Time Setting... -";
    }

    void helpEntries()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, clockOn);
        QFETCH(bool, running);
        QFETCH(QString, help);
        start(arguments);
        ui()->actMenuHelpVirtualTime->setChecked(clockOn);
        hub()->m_ScheduleRunning = running;
        QCOMPARE(shown(ui()->menuHelp), help);
    }

    // Four keys stop working once their menu's rules have run; the others stay.
    void fourShortcutsGoAtTheirFirstRun_data()
    {
        QTest::addColumn<QString>("routine");
        QTest::addColumn<QString>("action");
        QTest::newRow("projector rename") << "f_UpdateMenuProjectorDropDown" << "actMenuPJRename";
        QTest::newRow("group rename") << "onUpdateMenuGroupDropDown" << "actMenuGroupRename";
        QTest::newRow("refresh") << "f_UpdateMenuViewDropDown" << "actMenuViewRefresh";
        QTest::newRow("help") << "f_On_MenuHelp_hovered" << "actMenuHelpHelp";
    }

    void fourShortcutsGoAtTheirFirstRun()
    {
        QFETCH(QString, routine);
        QFETCH(QString, action);
        start();
        // Help keeps its key until the Help menu first opens.
        QCOMPARE(ui()->actMenuHelpHelp->shortcut(), QKeySequence(Qt::Key_F1));
        ui()->retranslateUi(m_Rig->window.get());
        auto* entry = m_Rig->window->findChild<QAction*>(action);
        QVERIFY(entry);
        QVERIFY(!entry->shortcut().isEmpty());
        QVERIFY(QMetaObject::invokeMethod(m_Rig->window.get(), routine.toLatin1().constData()));
        QVERIFY(entry->shortcuts().isEmpty());
        for (QAction* kept : {ui()->actMenuViewSelectAll, ui()->actMenuGroupDelete, ui()->actMenuPJCut,
                              ui()->actMenuPJCopy, ui()->actMenuPJPaste, ui()->actMenuPJDelete})
            QVERIFY2(!kept->shortcut().isEmpty(), qPrintable(kept->objectName()));
    }
};

QTEST_MAIN(tst_Lumivox5MainMenuBar)
#include "tst_Lumivox5MainMenuBar.moc"
