#include <QtTest>

#include "CCommLogFile.h"
#include "CCommandFunctions.h"
#include "CDataFunctions.h"
#include "CProjectorSimulator.h"
#include "CScheduleData.h"
#include "CScheduleExcuteAdminInfo.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CSystemClock.h"
#include "CGroupTreeView.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "MainWindowMenus.h"
#include "PJDataSortProxyModel.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTextCodec>
#include <QTimer>

namespace {

// Four projectors: 1 to 3 enabled, 4 disabled; "Floor 1" holds 1 and 4,
// "Floor 2" holds 3, "Empty" holds only the disabled 4.
const char FLEET_USER_LIST[] = "[Header Info]\n"
                               "MagicCode=258-0017-686-1-5F\n"
                               "RevCode=Rev.1.0\n"
                               "[Setting 001]\nSettingName=Bravo\nDeviceType=LAN\nLanType=IP\n"
                               "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                               "[Setting 002]\nSettingName=Alpha\nDeviceType=LAN\nLanType=IP\n"
                               "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n"
                               "[Setting 003]\nSettingName=Charlie\nDeviceType=LAN\nLanType=IP\n"
                               "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=2\n"
                               "[Setting 004]\nSettingName=Delta\nDeviceType=LAN\nLanType=IP\n"
                               "IPAddress=192.168.0.14\nLanPort=7142\nEnabled=False\nGroupList=1,3\n"
                               "[Group]\n"
                               "001=\"Floor 1\"\n"
                               "002=\"Floor 2\"\n"
                               "003=\"Empty\"\n";

// The same format with one projector only, to tell an import from the default list.
const char IMPORTED_USER_LIST[] = "[Header Info]\n"
                                  "MagicCode=258-0017-686-1-5F\n"
                                  "RevCode=Rev.1.0\n"
                                  "[Setting 001]\nSettingName=Imported\nDeviceType=LAN\nLanType=IP\n"
                                  "IPAddress=192.168.0.21\nLanPort=7142\nEnabled=True\nGroupList=\n";

const char NOT_A_USER_LIST[] = "[Header Info]\nMagicCode=something else\n[Setting 001]\nSettingName=Lost\n";

// Catches the warnings Qt writes while a window is built.
QStringList* g_Warnings = nullptr;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (g_Warnings && type == QtWarningMsg)
        g_Warnings->append(text);
}

} // namespace

class tst_Lumivox5Main : public MainWindowTestBase
{
    Q_OBJECT

private:
    void start(const QStringList& arguments = QStringList())
    {
        m_Window = m_Fixture->makeWindow(arguments);
        QVERIFY(m_Window->m_blnProfileLoaded);
    }
    Ui_Lumivox5Main* ui() const { return m_Window->ui; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }
    PJDataSortProxyModel* proxy() const { return qobject_cast<PJDataSortProxyModel*>(list()->model()); }
    QList<int> shownIds() const { return list()->GetDispPjDataIDList(); }
    QStringList pageNames(QTabWidget* tabs) const
    {
        QStringList names;
        for (int i = 0; i < tabs->count(); ++i)
            names << tabs->widget(i)->objectName();
        return names;
    }
    // Selects a node of the group tree as the operator's click would.
    void selectGroupNode(const QModelIndex& index)
    {
        ui()->treeViewGroup->setCurrentIndex(index);
        ui()->treeViewGroup->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    }
    QModelIndex topNode(int row) const { return ui()->treeViewGroup->model()->index(row, 0); }
    QModelIndex groupNode(const QString& name) const
    {
        const QModelIndex group = topNode(CGroupTreeView::ROW_GROUP);
        QAbstractItemModel* model = ui()->treeViewGroup->model();
        for (int row = 0; row < model->rowCount(group); ++row) {
            if (model->index(row, 0, group).data().toString() == name)
                return model->index(row, 0, group);
        }
        return QModelIndex();
    }
    int modelColumn(int key) const { return list()->m_columnIndexByKey.value(key, 0); }

private slots:

    void withoutProfileOnlyTheHubExists()
    {
        QFile::remove(m_Fixture->programFolder() + QStringLiteral("/Profile.ini"));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(!m_Window->m_blnProfileLoaded);
        QVERIFY(m_Window->m_Lumivox5Data != nullptr);
        QVERIFY(m_Window->m_DataThread == nullptr);
        QVERIFY(m_Window->m_demoData == nullptr);
        QVERIFY(m_Window->m_plugins.isEmpty());
        QVERIFY(m_Window->m_tmrUpdateAllProjectors == nullptr);
        QVERIFY(m_Window->findChildren<QTimer*>().isEmpty());
        QVERIFY(m_Window->centralWidget() == nullptr);
        QVERIFY(!m_Window->isVisible());
        m_Window.reset();
    }

    void everyActionBindsItsSlotByName()
    {
        QStringList warnings;
        g_Warnings = &warnings;
        QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        m_Window = m_Fixture->makeWindow();
        qInstallMessageHandler(previous);
        g_Warnings = nullptr;
        QVERIFY(m_Window->m_blnProfileLoaded);
        for (const QString& warning : qAsConst(warnings)) {
            QVERIFY2(!warning.contains(QLatin1String("connect")), qPrintable(warning));
        }

        const QStringList unbound{QStringLiteral("actMenuFileShowLogEvent"),
                                  QStringLiteral("actMenuViewEventListClear")};
        const QMetaObject* meta = m_Window->metaObject();
        int checked = 0;
        // The group tree's own menu dispatches by the entries' data.
        const QList<QAction*> treeMenu = m_Window->ui->treeViewGroup->findChildren<QAction*>();
        for (QAction* action : m_Window->findChildren<QAction*>()) {
            const QString name = action->objectName();
            if (treeMenu.contains(action))
                continue;
            if (action->menu() || !(name.startsWith(QLatin1String("act")) || name.startsWith(QLatin1String("atc"))))
                continue;
            const QByteArray slot = QStringLiteral("on_%1_triggered").arg(name).toLatin1();
            const bool bound = meta->indexOfSlot(slot + "()") >= 0 || meta->indexOfSlot(slot + "(bool)") >= 0;
            QVERIFY2(bound != unbound.contains(name), qPrintable(name));
            ++checked;
        }
        QVERIFY(checked > 50);
    }

    void constructionLeavesTheStartLayout()
    {
        start();
        QCOMPARE(pageNames(ui()->tabMain), (QStringList{"tabPropery", "tabWidgetAdjust", "tabSchedule"}));
        QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabPropery);
        QVERIFY(ui()->tabWidget_2->isHidden());
        QCOMPARE(ui()->tabWidget_2->count(), 1);
        QVERIFY(ui()->treeViewPJListSub->isHidden());
        QVERIFY(ui()->widgetSearch->isHidden());
        QVERIFY(ui()->lblSearchResultTitle->isHidden());
        QVERIFY(ui()->lblSearchResultCondition->isHidden());
        QCOMPARE(ui()->treeViewGroup->m_appData, hub());
        QCOMPARE(ui()->treeViewSchedule->m_appData, hub());
        QVERIFY(m_Window->m_lblStatus[0]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[1]->isHidden());
        QVERIFY(m_Window->m_lblStatus[2]->isHidden());
        QVERIFY(!ui()->actMenuFileOffline->isVisible());
        QVERIFY(m_Window->m_DataThread != nullptr);
        QVERIFY(m_Window->m_demoData != nullptr);
        QVERIFY(m_Window->m_tmrStatusMessage->isActive());
        QCOMPARE(m_Window->m_tmrStatusMessage->interval(), 500);
        QVERIFY(!m_Window->m_tmrUpdateDelay->isActive());
        QVERIFY(m_Window->m_tmrUpdateDelay->isSingleShot());
        QCOMPARE(m_Window->m_tmrUpdateMidFlow->interval(), 5000);
        QCOMPARE(m_Window->m_tmrUpdateScheduleList->interval(), 3000);
        QVERIFY(!m_Window->m_tmrUpdateScheduleList->isActive());
        QVERIFY(!hub()->m_ModalDialog);
        QVERIFY(m_Window->isVisible());
        // The sub list has the six columns of its own model.
        QCOMPARE(ui()->treeViewPJListSub->model()->columnCount(), 6);
    }

    void demoShowsWorkOfflineAndSwitchesAtOnce()
    {
        start({QStringLiteral("/DEMO")});
        QVERIFY(ui()->actMenuFileOffline->isVisible());
        QVERIFY(hub()->m_Offline);
        QVERIFY(m_Window->f_OnOfflineStatus());
        ui()->actMenuFileOffline->setChecked(true);
        ui()->actMenuFileOffline->trigger();
        QVERIFY(!hub()->m_Offline);
        QVERIFY(!m_Window->f_OnOfflineStatus());
        ui()->actMenuFileOffline->trigger();
        QVERIFY(hub()->m_Offline);
    }

    void allProjectorsListsTheEnabledInTheSavedSort()
    {
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        m_Fixture->saveSettings([](CLumivox5Data* h) {
            h->m_PjListSortID = 3; // setting name
            h->m_PjListSortAssending = false;
        });
        start();
        QVERIFY(ui()->treeViewGroup->IsSelectedAllProjectors());
        QCOMPARE(proxy()->sortColumn(), modelColumn(3));
        QCOMPARE(proxy()->sortOrder(), Qt::DescendingOrder);
        // Charlie, Bravo, Alpha; the disabled Delta nowhere.
        QCOMPARE(shownIds(), (QList<int>{3, 1, 2}));
        QVERIFY(!list()->currentIndex().isValid());
    }

    void groupNodesListTheirEnabledMembers_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("Floor 1") << "Floor 1" << QList<int>{1};
        QTest::newRow("Floor 2") << "Floor 2" << QList<int>{3};
        QTest::newRow("only disabled members") << "Empty" << QList<int>();
        QTest::newRow("the Group node itself") << "" << QList<int>();
        QTest::newRow("Search Result") << "*" << QList<int>();
    }

    void groupNodesListTheirEnabledMembers()
    {
        QFETCH(QString, node);
        QFETCH(QList<int>, ids);
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        QCOMPARE(shownIds().size(), 3);
        QModelIndex index = node.isEmpty() ? topNode(CGroupTreeView::ROW_GROUP)
                            : node == "*"  ? topNode(CGroupTreeView::ROW_SEARCH_RESULT)
                                           : groupNode(node);
        QVERIFY(index.isValid());
        selectGroupNode(index);
        QCOMPARE(shownIds(), ids);
        // Back to All Projectors: the whole list again.
        selectGroupNode(topNode(CGroupTreeView::ROW_ALL_PROJECTORS));
        QCOMPARE(shownIds().size(), 3);
    }

    void theLastAddedProjectorIsTheCurrentRow()
    {
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        CProjectorData* added = hub()->AddProjector(QStringLiteral("Echo"), 0, CProjectorData::TYPE_LAN::IP,
                                                    QStringLiteral("192.168.0.15"), QStringLiteral("7142"), true,
                                                    QString());
        QVERIFY(added);
        m_Window->f_InitPjList();
        QCOMPARE(shownIds().size(), 4);
        const QModelIndex current = list()->currentIndex();
        QVERIFY(current.isValid());
        QCOMPARE(proxy()->mapToSource(current.sibling(current.row(), 0)).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(),
                 added->m_Id);
        // Not in the shown group: no current row.
        selectGroupNode(groupNode(QStringLiteral("Floor 2")));
        QVERIFY(!list()->currentIndex().isValid());
    }

    void displayIndexesAreMadeDense()
    {
        start();
        QMap<int, CListViewColumnStatus*>* table = hub()->m_pPjListColumnStatus;
        const QMap<int, CListViewColumnStatus*> saved = *table;
        table->clear();
        struct Column
        {
            int id;
            bool visible;
            int index;
        };
        const QList<Column> columns{{0, true, 3}, {1, true, 7}, {2, false, 0}, {5, true, 1}, {9, false, 4}};
        for (const Column& c : columns) {
            auto* status = new CListViewColumnStatus;
            status->m_ID = c.id;
            status->m_Visible = c.visible;
            status->m_DisplayIndex = c.index;
            table->insert(c.id, status);
        }
        m_Window->f_InitializePjListDisplayIndex();
        const QMap<int, int> expected{{0, 1}, {1, 2}, {5, 0}, {2, 3}, {9, 4}};
        QMap<int, int> got;
        for (CListViewColumnStatus* status : qAsConst(*table))
            got.insert(status->m_ID, status->m_DisplayIndex);
        qDeleteAll(*table);
        *table = saved;
        QCOMPARE(got, expected);
    }

    void sortCheckFallsBack_data()
    {
        QTest::addColumn<int>("recorded");
        QTest::addColumn<QList<int>>("hidden"); // ids to hide; -1: all
        QTest::addColumn<int>("expectedKey");   // -1: unchanged
        QTest::newRow("visible column") << 5 << QList<int>() << 5;
        QTest::newRow("hidden: highest visible id") << 5 << QList<int>{5, 24, 23, 22, 21, 20} << 19;
        QTest::newRow("all hidden: column 0") << 5 << QList<int>{-1} << 0;
        QTest::newRow("no such column: unchanged") << 99 << QList<int>() << -1;
    }

    void sortCheckFallsBack()
    {
        QFETCH(int, recorded);
        QFETCH(QList<int>, hidden);
        QFETCH(int, expectedKey);
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        list()->sortByColumn(modelColumn(3), Qt::AscendingOrder);
        for (CListViewColumnStatus* status : qAsConst(*hub()->m_pPjListColumnStatus)) {
            status->m_Visible = !(hidden.contains(status->m_ID) || hidden.contains(-1));
        }
        // Columns 20 to 24 may be hidden already; make 19 the highest visible.
        if (!hidden.isEmpty() && !hidden.contains(-1))
            hub()->m_pPjListColumnStatus->value(19)->m_Visible = true;
        hub()->m_PjListSortID = recorded;
        hub()->m_PjListSortAssending = false;
        m_Window->f_PjListColumnCheck();
        if (expectedKey < 0) {
            QCOMPARE(proxy()->sortColumn(), modelColumn(3));
            QCOMPARE(proxy()->sortOrder(), Qt::AscendingOrder);
            QCOMPARE(hub()->m_PjListSortID, recorded);
        } else {
            QCOMPARE(proxy()->sortColumn(), modelColumn(expectedKey));
            QCOMPARE(proxy()->sortOrder(), Qt::DescendingOrder);
            QCOMPARE(hub()->m_PjListSortID, expectedKey);
        }
    }

    void aHeaderClickRecordsTheSortWithoutSortingAgain()
    {
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        list()->sortByColumn(modelColumn(5), Qt::DescendingOrder);
        QSignalSpy sorted(proxy(), &QAbstractItemModel::layoutChanged);
        emit list()->f_ChangePjListSortConditions();
        QCOMPARE(sorted.count(), 0);
        QCOMPARE(hub()->m_PjListSortID, 5);
        QVERIFY(!hub()->m_PjListSortAssending);
    }

    void selectAllSelectsEveryRow()
    {
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        QVERIFY(m_Window->f_GetSelectedPjDataList().isEmpty());
        ui()->actMenuViewSelectAll->trigger();
        QList<int> selected;
        for (CProjectorData* record : m_Window->f_GetSelectedPjDataList())
            selected << record->m_Id;
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, (QList<int>{1, 2, 3}));
        QCOMPARE(m_Window->f_GetDispPjDataList().size(), 3);
    }

    void updateIntervals_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("5 minutes") << 5 << 300000;
        QTest::newRow("0") << 0 << 60000;
        QTest::newRow("negative") << -3 << 60000;
        QTest::newRow("60, the dialog's largest") << 60 << 3600000;
        QTest::newRow("61") << 61 << 3600000;
        QTest::newRow("35792, past int in milliseconds") << 35792 << 3600000;
        QTest::newRow("100000") << 100000 << 3600000;
    }

    // The same value stored in the settings and applied at start, and set later.
    void updateIntervals()
    {
        QFETCH(int, minutes);
        QFETCH(int, milliseconds);
        m_Fixture->saveSettings([minutes](CLumivox5Data* h) {
            h->m_pOptionSettings->m_AutoUpdate = true;
            h->m_pOptionSettings->m_AutoUpdateInterval = minutes;
        });
        start();
        QCOMPARE(m_Window->m_tmrUpdateAllProjectors->interval(), milliseconds);
        QVERIFY(m_Window->m_tmrUpdateAllProjectors->isActive());
        m_Window->f_SetUpdateAllProjectorsTimerInterval(7);
        m_Window->f_SetUpdateAllProjectorsTimerInterval(minutes);
        QCOMPARE(m_Window->m_tmrUpdateAllProjectors->interval(), milliseconds);
    }

    void autoUpdateSwitchesTheTimer()
    {
        m_Fixture->saveSettings([](CLumivox5Data* h) {
            h->m_pOptionSettings->m_AutoUpdate = true;
            h->m_pOptionSettings->m_AutoUpdateInterval = 0;
        });
        start();
        // A saved 0 never leaves a 0 ms timer running.
        QVERIFY(m_Window->m_tmrUpdateAllProjectors->isActive());
        QCOMPARE(m_Window->m_tmrUpdateAllProjectors->interval(), 60000);
        hub()->m_pOptionSettings->m_AutoUpdate = false;
        m_Window->f_EnableUpdateAllProjectorsTimer(true);
        QVERIFY(!m_Window->m_tmrUpdateAllProjectors->isActive());
        hub()->m_pOptionSettings->m_AutoUpdate = true;
        m_Window->f_EnableUpdateAllProjectorsTimer(true);
        QVERIFY(m_Window->m_tmrUpdateAllProjectors->isActive());
        m_Window->f_EnableUpdateAllProjectorsTimer(false);
        QVERIFY(!m_Window->m_tmrUpdateAllProjectors->isActive());
    }

    void importAtStart_data()
    {
        QTest::addColumn<QByteArray>("imported"); // empty: no such file
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QList<int>>("ids");
        // The default list's place is taken by a folder: the import cannot be kept there.
        QTest::addColumn<bool>("defaultUnwritable");
        QTest::newRow("imported") << QByteArray(IMPORTED_USER_LIST) << QStringList() << QList<int>{1} << false;
        QTest::newRow("not a user list") << QByteArray(NOT_A_USER_LIST)
                                         << QStringList{"warning:The file format is corrupted."}
                                         << QList<int>{1, 2, 3} << false;
        QTest::newRow("missing") << QByteArray()
                                 << QStringList{"critical:Projector List Import has been failed."}
                                 << QList<int>{1, 2, 3} << false;
        QTest::newRow("imported, its copy not written")
            << QByteArray(IMPORTED_USER_LIST)
            << QStringList{"warning:The imported projector list is in use, but it could not be written to %1.\n"
                           "It is written again at exit."}
            << QList<int>{1} << true;
    }

    void importAtStart()
    {
        QFETCH(QByteArray, imported);
        QFETCH(QStringList, boxes);
        QFETCH(QList<int>, ids);
        QFETCH(bool, defaultUnwritable);
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        if (defaultUnwritable) {
            QVERIFY(QFile::remove(m_Fixture->userListPath()));
            QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
            boxes = QStringList{boxes.first().arg(QDir::toNativeSeparators(m_Fixture->userListPath()))};
        }
        const QString path = m_Fixture->path(QStringLiteral("import/fleet.lst"));
        if (!imported.isEmpty())
            QVERIFY(CTestFolders::writeFile(path, imported));
        m_Fixture->saveSettings([path](CLumivox5Data* h) {
            h->m_pOptionSettings->m_Import = true;
            h->m_pOptionSettings->m_ImportPath = path;
        });
        ScriptedMessageBoxes script;
        start();
        QStringList shown;
        for (const CMessageBoxes::Box& box : qAsConst(script.shown)) {
            QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
            QVERIFY(box.modalFlag);
            shown << QStringLiteral("%1:%2")
                         .arg(box.icon == QMessageBox::Warning    ? "warning"
                              : box.icon == QMessageBox::Critical ? "critical"
                                                                  : "other",
                              box.text);
        }
        QCOMPARE(shown, boxes);
        QVERIFY(!hub()->m_ModalDialog);
        QList<int> listed = shownIds();
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, ids);
        // An import becomes the list loaded at the next start.
        if (boxes.isEmpty() || defaultUnwritable) {
            if (defaultUnwritable)
                QVERIFY(QDir(m_Fixture->userListPath()).removeRecursively());
            QVERIFY(m_Window->close());
        }
        if (boxes.isEmpty() || defaultUnwritable)
            QVERIFY(QTextCodec::codecForName("UTF-16")
                        ->toUnicode(CTestFolders::readFile(m_Fixture->userListPath()))
                        .contains(QLatin1String("Imported")));
    }

    void aCorruptUserListIsSetAsideWithOneWarning()
    {
        QVERIFY(m_Fixture->writeUserList(NOT_A_USER_LIST));
        ScriptedMessageBoxes script;
        start();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown.first().icon, QMessageBox::Warning);
        QCOMPARE(script.shown.first().text, QStringLiteral("The file format is corrupted."));
        QCOMPARE(hub()->GetRejectedUserListCopy(), m_Fixture->userListPath() + QStringLiteral(".bad"));
        QCOMPARE(CTestFolders::readFile(m_Fixture->userListPath() + QStringLiteral(".bad")),
                 QByteArray(NOT_A_USER_LIST));
        QVERIFY(shownIds().isEmpty());
        QCOMPARE(hub()->f_GetProjectorCount(), 0);
    }

    void theScheduleTabShowsTheSideLabels()
    {
        start();
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        QVERIFY(!m_Window->m_lblStatus[0]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[2]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[1]->isHidden());
        ui()->tabMain->setCurrentWidget(ui()->tabPropery);
        QVERIFY(m_Window->m_lblStatus[0]->isHidden());
        QVERIFY(m_Window->m_lblStatus[2]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[1]->isHidden());
    }
    // The request comes queued; from a group it selects All Projectors and
    // the first page, from All Projectors it rebuilds the list.
    void showAllProjectors()
    {
        QVERIFY(m_Fixture->writeUserList(FLEET_USER_LIST));
        start();
        selectGroupNode(groupNode(QStringLiteral("Floor 2")));
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        emit m_Window->ShowAllProjectorsSignal();
        QCOMPARE(shownIds(), (QList<int>{3}));
        QTRY_VERIFY(ui()->treeViewGroup->IsSelectedAllProjectors());
        QCOMPARE(ui()->tabMain->currentIndex(), 0);
        QCOMPARE(shownIds().size(), 3);

        QVERIFY(hub()->AddProjector(QStringLiteral("Echo"), 0, CProjectorData::TYPE_LAN::IP,
                                    QStringLiteral("192.168.0.15"), QStringLiteral("7142"), true, QString()));
        emit m_Window->ShowAllProjectorsSignal();
        QTRY_COMPARE(shownIds().size(), 4);
        QVERIFY(list()->currentIndex().isValid());
    }

    // The built window keeps the form's menus until they are opened; only the
    // offline entry's and Detail's visibility are its own.
    void menusByObjectName_data() { MainWindowMenus::AddRows(); }

    void menusByObjectName()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, title);
        QFETCH(QStringList, entries);
        start();
        auto* menu = ui()->menuBar->findChild<QMenu*>(name);
        QVERIFY(menu);
        QCOMPARE(menu->parent()->objectName(), parent);
        QCOMPARE(menu->title(), title);
        QCOMPARE(MainWindowMenus::Entries(menu), entries);

        // Hidden entries as the form leaves them, and Work Offline without "/DEMO".
        QMainWindow plain;
        Ui_Lumivox5Main form;
        form.setupUi(&plain);
        auto* formMenu = form.menuBar->findChild<QMenu*>(name);
        QVERIFY(formMenu);
        QStringList hidden;
        QStringList formHidden;
        for (const QAction* action : menu->actions()) {
            if (!action->isVisible())
                hidden << MainWindowMenus::EntryName(action);
        }
        for (const QAction* action : formMenu->actions()) {
            if (!action->isVisible() && action->objectName() != QLatin1String("actMenuFileOffline"))
                formHidden << MainWindowMenus::EntryName(action);
        }
        if (name == QLatin1String("menuFile"))
            formHidden.prepend(QStringLiteral("actMenuFileOffline"));
        // The View rules hide Detail from the first list fill on.
        if (name == QLatin1String("menuView"))
            formHidden.prepend(QStringLiteral("actMenuViewDetail"));
        QCOMPARE(hidden, formHidden);
    }

    // The window's wiring carries a schedule's power-on to three simulated
    // projectors and its results back, queued, to the instance; and the
    // device link's exchanges reach the communication log.
    void aSchedulePowerOnComesBackToItsInstance()
    {
        start();
        CDataFunctions* dispatcher = m_Window->m_DataThread;
        const QDateTime now(QDate(2026, 3, 11), QTime(10, 0, 30));
        CSystemClock::SetNowFunction([now] { return now; });

        const QString folder = m_Fixture->path(QStringLiteral("comm"));
        QList<CVariantParameter> path{CVariantParameter().FromString(folder)};
        QCOMPARE(dispatcher->SetDataThreadEvent(138, &path, 1, 0, nullptr, false, false), 0);
        QList<CVariantParameter> on{CVariantParameter().FromBool(true)};
        QCOMPARE(dispatcher->SetDataThreadEvent(139, &on, 1, 0, nullptr, false, false), 0);
        QList<CVariantParameter> start{CVariantParameter().FromDateTime(now)};
        QCOMPARE(dispatcher->SetDataThreadEvent(144, &start, 1, 0, nullptr, false, false), 0);

        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CProjectorSimulator simulator;
        // The window goes before the projectors and the clock comes back, on every path.
        struct Teardown
        {
            std::unique_ptr<Lumivox5Main>& window;
            ~Teardown()
            {
                window.reset();
                CSystemClock::SetNowFunction(CSystemClock::NowFunction());
            }
        } teardown{m_Window};
        QStringList addresses;
        for (int i = 0; i < 3; ++i) {
            CSimulatedProjector* projector = simulator.AddProjector(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + i)), 0);
            QVERIFY(projector);
            projector->SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
            CProjectorData* record = hub()->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                                         projector->AddressText(), projector->PortText(), true,
                                                         QString());
            QVERIFY(record);
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            addresses << projector->AddressText();
        }

        const int key = 7001;
        auto* instance = new CScheduleData(now);
        instance->TargetType = 0;
        instance->TargetName = CScheduleTargetText::AllProjectors();
        instance->Function = 1;
        instance->StartDay = QDateTime(now.date(), QTime(10, 0));
        instance->ExecuteTime = instance->StartDay.time();
        instance->Enable = true;
        instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing;
        hub()->m_pScheduleExcuteManager->f_GetScheduleMap().insert(key, instance);

        // The instance hears of a result only on a later pass of the event
        // loop: when the engine reports the last one, it is not complete yet.
        QList<int> statusAtReport;
        connect(hub()->m_pCommandFunctions, &CCommandFunctions::Completed, this,
                [&](int, int, int, int, int) { statusAtReport << instance->Status; });
        dispatcher->ScheduleExecute(key, -1);
        QTRY_COMPARE_WITH_TIMEOUT(instance->Status, int(CScheduleData::STATUS_TYPE::OK), 15000);
        QCOMPARE(statusAtReport.size(), 3);
        QVERIFY(!statusAtReport.contains(int(CScheduleData::STATUS_TYPE::OK)));

        QTRY_VERIFY_WITH_TIMEOUT(!CCommLogFile::Lines(folder).isEmpty(), 5000);
        const QStringList lines = CCommLogFile::Lines(folder);
        for (const QString& address : qAsConst(addresses)) {
            QVERIFY2(lines.contains(address + QStringLiteral(",Ex,Connected.")), qPrintable(address));
            bool sent = false;
            for (const QString& line : lines)
                sent = sent || line.startsWith(address + QStringLiteral(",Tx,"));
            QVERIFY2(sent, qPrintable(address));
        }
    }
};

QTEST_MAIN(tst_Lumivox5Main)
#include "tst_Lumivox5Main.moc"
