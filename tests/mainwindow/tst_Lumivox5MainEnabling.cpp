#include <QtTest>

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowSelectionRig.h"
#include "ProfileFlag.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <functional>

namespace {

using Rig = MainWindowSelectionRig;

// The projector entries of the menu bar and of the context menu by one name;
// the context entry is the list's member of that text key.
struct ProjectorEntry
{
    const char* name;
    std::function<QObject*(Ui_Lumivox5Main*)> menuBar;
    std::function<QObject*(CProjectorTreeView*)> context;
};

const QList<ProjectorEntry>& projectorEntries()
{
    static const QList<ProjectorEntry> entries = {
        {"Adjust", [](Ui_Lumivox5Main* u) { return u->actMenuPJAdjust; }, [](CProjectorTreeView* v) { return v->ctxAdjust; }},
        {"Property", [](Ui_Lumivox5Main* u) { return u->actMenuPJProperty; }, [](CProjectorTreeView* v) { return v->ctxProperty; }},
        {"Refresh", [](Ui_Lumivox5Main* u) { return u->actMenuPJRefresh; }, [](CProjectorTreeView* v) { return v->ctxRefresh; }},
        {"Rename", [](Ui_Lumivox5Main* u) { return u->actMenuPJRename; }, [](CProjectorTreeView* v) { return v->ctxEditPJName; }},
        {"Cut", [](Ui_Lumivox5Main* u) { return u->actMenuPJCut; }, [](CProjectorTreeView* v) { return v->ctxCut; }},
        {"Copy", [](Ui_Lumivox5Main* u) { return u->actMenuPJCopy; }, [](CProjectorTreeView* v) { return v->ctxCopy; }},
        {"Paste", [](Ui_Lumivox5Main* u) { return u->actMenuPJPaste; }, [](CProjectorTreeView* v) { return v->ctxPaste; }},
        {"Delete", [](Ui_Lumivox5Main* u) { return u->actMenuPJDelete; }, [](CProjectorTreeView* v) { return v->ctxDelete; }},
        {"Control", [](Ui_Lumivox5Main* u) { return u->menuPJCtrl; }, [](CProjectorTreeView* v) { return v->ctxControl; }},
        {"Web", [](Ui_Lumivox5Main* u) { return u->atcMenuPJWeb; }, [](CProjectorTreeView* v) { return v->ctxWeb; }},
    };
    return entries;
}

// The menu bar's entries that the projector and schedule rules reach outside
// the Projector menu.
QList<QPair<const char*, QObject*>> otherMenuBarEntries(Ui_Lumivox5Main* u)
{
    return {{"ViewRefresh", u->actMenuViewRefresh},
            {"ScheduleEdit", u->actMenuScheduleEdit},
            {"ScheduleExecute", u->actMenuScheduleExecute},
            {"ScheduleCancel", u->actMenuScheduleCancel},
            {"NoOperatingDate", u->actMenuScheduleSettingNoOperatingDate}};
}

QList<QPair<const char*, QObject*>> toolBarEntries(Lumivox5Main* w)
{
    return {{"PowerOn", w->actTBPowerOn},
            {"PowerOff", w->actTBPowerOff},
            {"SignalSelect", w->btnTBSignalSelect},
            {"AVMute", w->actTBAVMute},
            {"Freeze", w->actTBFreeze},
            {"Refresh", w->actTBRefresh},
            {"Stop", w->actTBStop},
            {"ScheduleEdit", w->actTBScheduleEdit},
            {"ScheduleStart", w->actTBScheduleStart},
            {"ScheduleCancel", w->actTBScheduleCancel},
            {"Mail", w->actTBMail},
            {"Communication", w->actTBCommunication},
            {"Option", w->actTBOption},
            {"StartApp", w->btnTBStartApp}};
}

QString enabledNames(const QList<QPair<const char*, QObject*>>& entries)
{
    QStringList names;
    for (const auto& entry : entries) {
        if (entry.second && Rig::isEnabled(entry.second))
            names << QString::fromLatin1(entry.first);
    }
    return names.join(' ');
}

QString contextEnabled(CProjectorTreeView* list)
{
    QList<QPair<const char*, QObject*>> entries;
    for (const ProjectorEntry& entry : projectorEntries())
        entries << qMakePair(entry.name, entry.context(list));
    return enabledNames(entries);
}

} // namespace

class tst_Lumivox5MainEnabling : public QObject
{
    Q_OBJECT

private:
    // 1 identified with every function; 2 identified, can only power on;
    // 3 not identified, every function; 4 identified on a serial line.
    void giveFleetStates(Rig& rig)
    {
        CProfile* full = rig.fullProfile();
        Rig::State state;
        state.profile = full;
        rig.setState(1, state);
        rig.setState(4, state);
        rig.record(4)->m_DeviceKind = 1;
        state.profile = rig.profile({ProfileFlag::SetPowerOn});
        rig.setState(2, state);
        state.profile = full;
        state.connect = 0;
        rig.setState(3, state);
    }

    void setNameColumnShown(Rig& rig, bool shown)
    {
        rig.list()->setColumnHidden(rig.list()->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME), !shown);
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    // Every projector entry of the menu bar, the context menus of both lists
    // and the toolbar, from the selection and its surroundings.
    void entriesFollowTheSelection_data()
    {
        QTest::addColumn<QString>("node");          // group tree node selected first
        QTest::addColumn<QList<int>>("selection");  // then the list's selection
        QTest::addColumn<bool>("treeClicked");      // then a click on the tree
        QTest::addColumn<QString>("focus");         // "list", "tree" or "" (the window inactive)
        QTest::addColumn<bool>("clipboard");
        QTest::addColumn<bool>("running");          // a schedule runs
        QTest::addColumn<bool>("nameColumn");       // the name column shown
        QTest::addColumn<QString>("menuBar");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("toolBar");

        const QString always = QStringLiteral("ViewRefresh ScheduleEdit ScheduleExecute NoOperatingDate");
        const QString tools = QStringLiteral("Refresh Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp");
        const QString everyTool = QStringLiteral("PowerOn PowerOff SignalSelect AVMute Freeze ") + tools;
        QTest::newRow("only power on offered")
            << "All Projectors" << QList<int>{2} << false << "" << false << false << true
            << "Adjust Property Refresh Copy Control Web " + always
            << "Adjust Property Refresh Copy Control Web"
            << "PowerOn " + tools;
        QTest::newRow("one full, one not identified")
            << "All Projectors" << QList<int>{1, 3} << false << "" << false << false << true
            << "Adjust Property Refresh Copy Control " + always << "Adjust Property Refresh Copy Control"
            << everyTool;
        QTest::newRow("one full: rename and browser")
            << "All Projectors" << QList<int>{1} << false << "" << false << false << true
            << "Adjust Property Refresh Rename Copy Control Web " + always
            << "Adjust Property Refresh Rename Copy Control Web" << everyTool;
        QTest::newRow("serial line: no browser")
            << "All Projectors" << QList<int>{4} << false << "" << false << false << true
            << "Adjust Property Refresh Rename Copy Control " + always
            << "Adjust Property Refresh Rename Copy Control" << everyTool;
        QTest::newRow("only the not identified")
            << "All Projectors" << QList<int>{3} << false << "" << false << false << true
            << "Adjust Property Refresh Copy " + always << "Adjust Property Refresh Copy" << tools;
        QTest::newRow("a group: cut and delete")
            << "Floor 1" << QList<int>{1} << false << "list" << false << false << true
            << "Adjust Property Refresh Rename Cut Copy Delete Control Web " + always
            << "Adjust Property Refresh Rename Cut Copy Delete Control Web" << everyTool;
        QTest::newRow("a group, the tree focused")
            << "Floor 1" << QList<int>{1} << false << "tree" << false << false << true
            << "Adjust Property Refresh Rename Cut Copy Delete Control Web " + always
            << "Adjust Property Refresh Rename Copy Control Web" << everyTool;
        QTest::newRow("tree clicked after the selection")
            << "Floor 1" << QList<int>{1} << true << "list" << false << false << true
            << "Adjust Property Refresh Control Web " + always
            << "Adjust Property Refresh Cut Copy Delete Control Web" << everyTool;
        QTest::newRow("name column hidden")
            << "Floor 1" << QList<int>{1} << false << "" << false << false << false
            << "Adjust Property Refresh Cut Copy Delete Control Web " + always
            << "Adjust Property Refresh Copy Control Web" << everyTool;
        QTest::newRow("clipboard, all projectors")
            << "All Projectors" << QList<int>{1} << false << "list" << true << false << true
            << "Adjust Property Refresh Rename Copy Control Web " + always
            << "Adjust Property Refresh Rename Copy Control Web" << everyTool;
        QTest::newRow("clipboard, a group, the list focused")
            << "Floor 1" << QList<int>{1} << false << "list" << true << false << true
            << "Adjust Property Refresh Rename Cut Copy Paste Delete Control Web " + always
            << "Adjust Property Refresh Rename Cut Copy Paste Delete Control Web" << everyTool;
        QTest::newRow("clipboard, a group, no focus")
            << "Floor 1" << QList<int>{1} << false << "" << true << false << true
            << "Adjust Property Refresh Rename Cut Copy Paste Delete Control Web " + always
            << "Adjust Property Refresh Rename Copy Control Web" << everyTool;
        QTest::newRow("clipboard, the tree focused on no node")
            << "" << QList<int>{} << false << "tree" << true << false << true
            << QString("Adjust Property Paste ScheduleEdit ScheduleExecute NoOperatingDate")
            << "Adjust Property Paste" << "Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp";
        QTest::newRow("clipboard, the Group node")
            << "Group" << QList<int>{} << false << "tree" << true << false << true
            << QString("Adjust Property ScheduleEdit ScheduleExecute NoOperatingDate") << "Adjust Property"
            << "Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp";
        QTest::newRow("an empty group")
            << "Empty" << QList<int>{} << false << "" << false << false << true
            << QString("Adjust Property ScheduleEdit ScheduleExecute NoOperatingDate") << "Adjust Property"
            << "Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp";
        QTest::newRow("clipboard, Search Result")
            << "Search Result" << QList<int>{} << false << "tree" << true << false << true
            << QString("Adjust Property ScheduleEdit ScheduleExecute NoOperatingDate") << "Adjust Property"
            << "Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp";
        QTest::newRow("schedule running")
            << "All Projectors" << QList<int>{1} << false << "" << false << true << true
            << "Adjust Property Refresh Rename Copy Control Web ViewRefresh ScheduleCancel"
            << "Adjust Property Refresh Rename Copy Control Web"
            << "PowerOn PowerOff SignalSelect AVMute Freeze Refresh Stop ScheduleCancel Mail Option StartApp";
    }

    void entriesFollowTheSelection()
    {
        QFETCH(QString, node);
        QFETCH(QList<int>, selection);
        QFETCH(bool, treeClicked);
        QFETCH(QString, focus);
        QFETCH(bool, clipboard);
        QFETCH(bool, running);
        QFETCH(bool, nameColumn);
        QFETCH(QString, menuBar);
        QFETCH(QString, context);
        QFETCH(QString, toolBar);

        Rig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        Ui_Lumivox5Main* ui = window->ui;
        giveFleetStates(rig);
        setNameColumnShown(rig, nameColumn);
        // An entry reads as disabled while it is hidden; shown, it tells its rule.
        for (QAction* hidden : {ui->actMenuPJAdjust, ui->actMenuPJProperty, ui->treeViewPJList->ctxAdjust,
                                ui->treeViewPJList->ctxProperty, ui->treeViewPJListSub->ctxAdjust,
                                ui->treeViewPJListSub->ctxProperty})
            hidden->setVisible(true);
        // Copied as the operator would: projector 1 from All Projectors.
        if (clipboard) {
            rig.select({1});
            window->ProjectorCopy();
            QCOMPARE(window->m_Lumivox5Data->m_PasteProjectorIDs, QList<int>{1});
        }
        window->m_Lumivox5Data->m_ScheduleRunning = running;

        // Unselected first, so that the node's selection is a change.
        QVERIFY(rig.selectGroupNode(QString()));
        QVERIFY(rig.selectGroupNode(node));
        if (!focus.isEmpty())
            QVERIFY(rig.focus(focus == QLatin1String("list") ? static_cast<QWidget*>(rig.list())
                                                             : ui->treeViewGroup));
        rig.select(selection);
        if (treeClicked)
            emit ui->treeViewGroup->clicked(ui->treeViewGroup->currentIndex());

        // Each place as it is about to be used.
        emit ui->menuProjector->aboutToShow();
        emit ui->menuSchedule->aboutToShow();
        emit rig.list()->f_RequestDropDownShow();
        window->f_UpdateToolbarEnabled();

        QList<QPair<const char*, QObject*>> bar;
        for (const ProjectorEntry& entry : projectorEntries())
            bar << qMakePair(entry.name, entry.menuBar(ui));
        bar << otherMenuBarEntries(ui);
        QCOMPARE(enabledNames(bar), menuBar);
        QCOMPARE(contextEnabled(ui->treeViewPJList), context);
        QCOMPARE(contextEnabled(ui->treeViewPJListSub), context);
        bool renameOffered = false;
        window->f_IsSetProjectorNameEnabled(-1, renameOffered);
        QCOMPARE(renameOffered, menuBar.contains(QLatin1String("Rename")));

        QVERIFY(window->actTBPowerOn);
        QCOMPARE(enabledNames(toolBarEntries(window)), toolBar);
    }

    // The lists ask before a name is edited in place; the answer concerns the
    // selection, whatever projector they name.
    void renameAnswersTheListsQuestion()
    {
        Rig rig;
        QVERIFY(rig.start());
        giveFleetStates(rig);
        setNameColumnShown(rig, true);
        rig.select({1});
        bool enabled = false;
        emit rig.list()->f_RequestIsSetProjectorNameEnabled(3, enabled);
        QVERIFY(enabled);
        rig.record(1)->m_Profile = rig.profile({ProfileFlag::SetPowerOn});
        emit rig.list()->f_RequestIsSetProjectorNameEnabled(1, enabled);
        QVERIFY(!enabled);
    }

    // A click on the group tree makes it the object of the menu bar's edit
    // entries until the list's selection changes again.
    void aTreeClickHoldsUntilTheListSelectionChanges()
    {
        Rig rig;
        QVERIFY(rig.start());
        giveFleetStates(rig);
        setNameColumnShown(rig, true);
        Ui_Lumivox5Main* ui = rig.window->ui;
        QVERIFY(rig.selectGroupNode(QStringLiteral("Floor 1")));
        rig.select({1});
        const QList<QAction*> edits{ui->actMenuPJCut, ui->actMenuPJCopy, ui->actMenuPJDelete, ui->actMenuPJRename};
        for (QAction* edit : edits)
            QVERIFY2(edit->isEnabled(), qPrintable(edit->objectName()));
        emit ui->treeViewGroup->clicked(ui->treeViewGroup->currentIndex());
        emit ui->menuProjector->aboutToShow();
        for (QAction* edit : edits)
            QVERIFY2(!edit->isEnabled(), qPrintable(edit->objectName()));
        emit ui->menuProjector->aboutToShow();
        QVERIFY(!ui->actMenuPJCopy->isEnabled());
        rig.select({2});
        QVERIFY(ui->actMenuPJCopy->isEnabled());
        rig.select({1});
        for (QAction* edit : edits)
            QVERIFY2(edit->isEnabled(), qPrintable(edit->objectName()));
    }

    // "Del" sits on both Delete entries; after a change of either view's
    // selection exactly one of them is enabled, and the key reaches it.
    void oneDeleteAfterEachSelectionChange()
    {
        Rig rig;
        QVERIFY(rig.start());
        giveFleetStates(rig);
        Ui_Lumivox5Main* ui = rig.window->ui;
        QCOMPARE(ui->actMenuGroupDelete->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(ui->actMenuPJDelete->shortcut(), QKeySequence(Qt::Key_Delete));
        // Each Delete asks; the question is declined.
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::Cancel << QMessageBox::Cancel;
        QSignalSpy groupDelete(ui->actMenuGroupDelete, &QAction::triggered);
        QSignalSpy projectorDelete(ui->actMenuPJDelete, &QAction::triggered);

        QVERIFY(rig.focus(ui->treeViewGroup));
        QVERIFY(rig.selectGroupNode(QStringLiteral("Floor 1")));
        QVERIFY(ui->actMenuGroupDelete->isEnabled());
        QVERIFY(!ui->actMenuPJDelete->isEnabled());
        QTest::keyClick(ui->treeViewGroup, Qt::Key_Delete);
        QCOMPARE(groupDelete.count(), 1);
        QCOMPARE(projectorDelete.count(), 0);

        QVERIFY(rig.focus(rig.list()));
        rig.select({2});
        QVERIFY(!ui->actMenuGroupDelete->isEnabled());
        QVERIFY(ui->actMenuPJDelete->isEnabled());
        QTest::keyClick(rig.list(), Qt::Key_Delete);
        QCOMPARE(groupDelete.count(), 1);
        QCOMPARE(projectorDelete.count(), 1);
    }

    // The toolbar with nothing in the list, as the operator first sees it.
    void toolBarOfAnEmptyList()
    {
        Rig rig;
        QVERIFY(rig.fixture.writeProfile(CTestFolders::readFile(QStringLiteral(":/mainwindow/Profile.ini"))));
        rig.window = rig.fixture.makeWindow();
        QVERIFY(rig.window->m_blnProfileLoaded);
        QCOMPARE(rig.list()->model()->rowCount(), 0);
        QVERIFY(!rig.window->ui->actMenuViewRefresh->isEnabled());
        QVERIFY(rig.window->actTBPowerOn);
        QCOMPARE(enabledNames(toolBarEntries(rig.window.get())),
                 QStringLiteral("Stop ScheduleEdit ScheduleStart Mail Communication Option StartApp"));
    }
};

QTEST_MAIN(tst_Lumivox5MainEnabling)
#include "tst_Lumivox5MainEnabling.moc"
