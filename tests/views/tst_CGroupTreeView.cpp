#include <QtTest>

#include "CGroupTreeView.h"
#include "CKeyEchoTranslator.h"
#include "GuiTestSupport.h"
#include "CLumivox5Data.h"
#include "CProjectorGroup.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CTestFolders.h"

#include <QHelpEvent>
#include <QLabel>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTextCodec>
#include <QToolTip>

#include <memory>

namespace {

// Groups as the hub keeps them, made from paths; ids count from 1.
class GroupList
{
public:
    explicit GroupList(const QStringList& paths = QStringList())
    {
        for (const QString& path : paths)
            add(path);
    }
    ~GroupList() { qDeleteAll(m_Groups); }
    GroupList(const GroupList&) = delete;
    GroupList& operator=(const GroupList&) = delete;

    void add(const QString& path)
    {
        auto* group = new CProjectorGroup();
        group->m_GroupID = m_Groups.size() + 1;
        group->m_GroupPath = path;
        m_Groups.append(group);
    }
    QList<CProjectorGroup*>* list() { return &m_Groups; }

private:
    QList<CProjectorGroup*> m_Groups;
};

QStandardItemModel* modelOf(CGroupTreeView& tree)
{
    return qobject_cast<QStandardItemModel*>(tree.model());
}

QStandardItem* groupNode(CGroupTreeView& tree)
{
    return modelOf(tree)->item(CGroupTreeView::ROW_GROUP, 0);
}

// The items below `item` as "name[child,child]", siblings joined by ",".
QString shape(const QStandardItem* item)
{
    QStringList parts;
    for (int row = 0; row < item->rowCount(); ++row) {
        const QStandardItem* child = item->child(row, 0);
        const QString below = shape(child);
        parts << (below.isEmpty() ? child->text() : child->text() + QLatin1Char('[') + below + QLatin1Char(']'));
    }
    return parts.join(QLatin1Char(','));
}

// The group item at the path below the Group node; null when absent.
QStandardItem* findGroup(CGroupTreeView& tree, const QString& path)
{
    QStandardItem* item = groupNode(tree);
    for (const QString& name : path.split(QLatin1Char('\\'))) {
        QStandardItem* next = nullptr;
        for (int row = 0; item && row < item->rowCount() && !next; ++row) {
            if (item->child(row, 0)->text() == name)
                next = item->child(row, 0);
        }
        item = next;
    }
    return item;
}

void select(CGroupTreeView& tree, QStandardItem* item)
{
    QVERIFY(item);
    tree.setCurrentIndex(item->index());
}

bool sameImage(const QIcon& a, const QIcon& b)
{
    return !a.isNull() && a.pixmap(16, 16).toImage() == b.pixmap(16, 16).toImage();
}

QIcon resourceIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icon/ico/%1.ico").arg(QLatin1String(name)));
}

} // namespace

class tst_CGroupTreeView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Name lengths are counted in the local 8-bit encoding.
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
        GuiTestSupport::InstallEnglishCatalogue();
    }

    void construction()
    {
        CGroupTreeView tree;
        QStandardItemModel* model = modelOf(tree);
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->columnCount(), 1);
        QCOMPARE(model->item(0)->text(), CScheduleTargetText::AllProjectors());
        QCOMPARE(model->item(1)->text(), CScheduleTargetText::GroupPrefix());
        QCOMPARE(model->item(2)->text(), QStringLiteral("Search Result"));
        for (int row = 0; row < 3; ++row)
            QVERIFY(!model->item(row)->isEditable());
        QVERIFY(tree.isHeaderHidden());
        QVERIFY(!tree.rootIsDecorated());
        QCOMPARE(tree.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(tree.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(tree.contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(tree.currentIndex(), model->index(0, 0));
        QVERIFY(tree.IsSelectedAllProjectors());
        QVERIFY(!tree.m_isEditing);
        QVERIFY(!tree.m_appData);
    }

    void iconsLoad_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : { "PCLink", "ProjectorGroup", "SearchResult", "DeviceSelClose", "DeviceSelOpen",
                                  "GroupScheduleRunning", "ProjectorImage" })
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void iconsLoad()
    {
        QFETCH(QString, name);
        QImage image(QStringLiteral(":/icon/ico/%1.ico").arg(name));
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY(image.width() >= 16);
    }

    void resetGroupTree_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("expected");

        const QString ascii64(64, QLatin1Char('x'));
        const QString ascii65(65, QLatin1Char('y'));
        const QString latin32(32, QChar(0x00E9)); // 64 bytes
        const QString latin33(33, QChar(0x00E9)); // 66 bytes
        const QString cjk21(21, QChar(0x6F22)); // 63 bytes
        const QString cjk22(22, QChar(0x5B57)); // 66 bytes

        QTest::newRow("child listed before its parent") << QStringList{ "Hall A\\Floor 2", "Hall A" }
                                                        << "Hall A[Floor 2]";
        QTest::newRow("missing middle segment") << QStringList{ "Hall A", "Hall A\\Floor 2\\Room 5" }
                                                << "Hall A[Room 5]";
        QTest::newRow("empty segment") << QStringList{ "A\\\\B", "A" } << "A";
        QTest::newRow("trailing separator") << QStringList{ "A\\", "B" } << "B";
        QTest::newRow("leading separator") << QStringList{ "\\A" } << "";
        QTest::newRow("empty path") << QStringList{ "" } << "";
        QTest::newRow("five segments") << QStringList{ "A", "A\\B", "A\\B\\C", "A\\B\\C\\D", "A\\B\\C\\D\\E" }
                                       << "A[B[C[D[E]]]]";
        QTest::newRow("six segments")
            << QStringList{ "A", "A\\B", "A\\B\\C", "A\\B\\C\\D", "A\\B\\C\\D\\E", "A\\B\\C\\D\\E\\F" }
            << "A[B[C[D[E]]]]";
        QTest::newRow("64 and 65 ASCII bytes") << QStringList{ ascii65, ascii64 } << ascii64;
        QTest::newRow("32 and 33 two-byte letters") << QStringList{ latin33, latin32 } << latin32;
        QTest::newRow("21 and 22 CJK letters") << QStringList{ cjk22, cjk21 } << cjk21;
        QTest::newRow("long segment drops its subgroup too")
            << QStringList{ "A", "A\\" + ascii65, "A\\" + ascii65 + "\\B" } << "A";
        QTest::newRow("duplicates once") << QStringList{ "A", "A", "A\\B", "A\\B" } << "A[B]";
        QTest::newRow("case-sensitive order") << QStringList{ "b", "B", "a", "A" } << "A,B,a,b";
        QTest::newRow("every level sorted") << QStringList{ "Z", "Z\\b", "Z\\a", "M" } << "M,Z[a,b]";

        QStringList many;
        QStringList first100;
        for (int i = 149; i >= 0; --i) {
            const QString name = QStringLiteral("G%1").arg(i, 3, 10, QLatin1Char('0'));
            many << name;
            if (i >= 50)
                first100.prepend(name);
        }
        QTest::newRow("150 groups give the first 100, sorted") << many << first100.join(QLatin1Char(','));

        // Nested groups count as well: 99 top groups, then two below the first.
        QStringList nested = many.mid(0, 99);
        nested << QStringLiteral("G149\\one") << QStringLiteral("G149\\two");
        QStringList top99 = many.mid(0, 99);
        std::sort(top99.begin(), top99.end());
        QString nestedShape = top99.join(QLatin1Char(','));
        nestedShape.replace(QStringLiteral("G149"), QStringLiteral("G149[one]"));
        QTest::newRow("the limit counts every level") << nested << nestedShape;
    }
    void resetGroupTree()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, expected);
        GroupList groups(paths);
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        QCOMPARE(shape(groupNode(tree)), expected);
        QVERIFY(tree.isExpanded(groupNode(tree)->index()));
        QCOMPARE(tree.currentIndex(), modelOf(tree)->index(0, 0));
        QCOMPARE(tree.GetCurrentGroupID(), 0);
        // The groups the tree leaves out stay in the hub's list untouched.
        QCOMPARE(groups.list()->size(), paths.size());
    }

    void resetReplacesTheGroups()
    {
        GroupList first({ "A", "A\\B" });
        GroupList second({ "C" });
        CGroupTreeView tree;
        tree.ResetGroupTree(first.list());
        tree.collapse(groupNode(tree)->index());
        tree.ResetGroupTree(second.list());
        QCOMPARE(shape(groupNode(tree)), QStringLiteral("C"));
        QVERIFY(tree.isExpanded(groupNode(tree)->index()));
        tree.ResetGroupTree(nullptr);
        QCOMPARE(shape(groupNode(tree)), QString());
    }

    void groupItems()
    {
        GroupList groups({ "Hall A" });
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        QStandardItem* item = findGroup(tree, QStringLiteral("Hall A"));
        QVERIFY(item);
        QCOMPARE(item->toolTip(), QStringLiteral("Hall A"));
        QVERIFY(sameImage(item->icon(), resourceIcon("DeviceSelClose")));
        // Renamed in place; the name check tells the hub.
        QVERIFY(item->isEditable());
    }

    void shiftJisSeparator()
    {
        QTextCodec* codec = QTextCodec::codecForName("Shift-JIS");
        if (!codec)
            QSKIP("no Shift-JIS codec");
        const QString separator = codec->toUnicode(QByteArray(1, '\x5C'));
        QVERIFY(!separator.isEmpty());
        QCOMPARE(CGroupTreeView::f_SplitGroupPath(QStringLiteral("A") + separator + QStringLiteral("B")),
                 (QStringList{ "A", "B" }));
        QCOMPARE(CGroupTreeView::f_SplitGroupPath(QStringLiteral("A\\B")), (QStringList{ "A", "B" }));
        QCOMPARE(CGroupTreeView::f_SplitGroupPath(QStringLiteral("A\\\\")), (QStringList{ "A", "", "" }));
        QCOMPARE(CGroupTreeView::f_SplitGroupPath(QStringLiteral("A")), (QStringList{ "A" }));
    }

    void fullPath()
    {
        GroupList groups({ "Hall A", "Hall A\\Floor 2" });
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        QStandardItem* floor = findGroup(tree, QStringLiteral("Hall A\\Floor 2"));
        QVERIFY(floor);
        QCOMPARE(tree.GetFullPath(true, floor->index()), QStringLiteral("Group\\Hall A\\Floor 2"));
        QCOMPARE(tree.GetFullPath(false, floor->index()), QStringLiteral("Hall A\\Floor 2"));
        // The form in which a schedule names the group.
        QCOMPARE(tree.GetFullPath(true, floor->index()), CScheduleTargetText::Group(QStringLiteral("Hall A\\Floor 2")));
        const QModelIndex group = groupNode(tree)->index();
        QCOMPARE(tree.GetFullPath(true, group), QStringLiteral("Group"));
        QCOMPARE(tree.GetFullPath(false, group), QStringLiteral("Group"));
        const QModelIndex all = modelOf(tree)->index(0, 0);
        QCOMPARE(tree.GetFullPath(false, all), CScheduleTargetText::AllProjectors());
        QCOMPARE(tree.GetFullPath(true, QModelIndex()), QString());
    }

    void stdItemAndCount()
    {
        GroupList groups({ "Hall A", "Hall A\\Floor 1", "Hall A\\Floor 2" });
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        QStandardItem* hall = findGroup(tree, QStringLiteral("Hall A"));
        QStandardItem* floor = findGroup(tree, QStringLiteral("Hall A\\Floor 2"));
        QCOMPARE(tree.GetItemCount(groupNode(tree)), 3);
        QCOMPARE(tree.GetItemCount(hall), 2);
        QCOMPARE(tree.GetItemCount(floor), 0);
        QCOMPARE(tree.GetItemCount(nullptr), 0);

        int depth = -1;
        QCOMPARE(tree.GetStdItem(floor->index(), depth), floor);
        QCOMPARE(depth, 3);
        QCOMPARE(tree.GetStdItem(groupNode(tree)->index(), depth), groupNode(tree));
        QCOMPARE(depth, 1);
        QCOMPARE(tree.GetStdItem(QModelIndex(), depth), static_cast<QStandardItem*>(nullptr));
        QCOMPARE(depth, 0);
    }

    void currentGroupId()
    {
        CTestFolders folders;
        std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
        GroupList groups({ "Hall A", "Hall A\\Floor 2", "Hall B", "Hall B\\X\\Orphan" });
        hub->m_ProjectorGroups->append(*groups.list());
        CGroupTreeView tree;
        tree.m_appData = hub.get();
        tree.ResetGroupTree(hub->m_ProjectorGroups);

        QCOMPARE(tree.GetCurrentGroupID(), 0);
        QVERIFY(tree.IsSelectedAllProjectors());
        QVERIFY(tree.IsSelectedGroupTree());

        select(tree, findGroup(tree, QStringLiteral("Hall A\\Floor 2")));
        QCOMPARE(tree.GetCurrentGroupID(), 2);
        QVERIFY(!tree.IsSelectedAllProjectors());
        QCOMPARE(tree.GetSelectedGrpItem(), findGroup(tree, QStringLiteral("Hall A\\Floor 2")));

        // Shown below Hall B, its tree path matches no group of the hub.
        select(tree, findGroup(tree, QStringLiteral("Hall B\\Orphan")));
        QCOMPARE(tree.GetCurrentGroupID(), -1);

        select(tree, groupNode(tree));
        QCOMPARE(tree.GetCurrentGroupID(), -1);
        QVERIFY(tree.IsSelectedGroupTree());
        select(tree, modelOf(tree)->item(CGroupTreeView::ROW_SEARCH_RESULT));
        QCOMPARE(tree.GetCurrentGroupID(), -1);
        QVERIFY(tree.IsSelectedGroupTree());
        QVERIFY(!tree.IsSelectedAllProjectors());

        hub->m_ProjectorGroups->clear(); // the list above owns them
    }

    // The open item is forgotten before its item goes away.
    void openItemRemoved()
    {
        CTestFolders folders;
        std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
        GroupList groups({ "Hall A", "Hall A\\Floor 2" });
        GroupList fewer({ "Hall B" });
        CGroupTreeView tree;
        tree.m_appData = hub.get();
        tree.ResetGroupTree(groups.list());

        select(tree, findGroup(tree, QStringLiteral("Hall A\\Floor 2")));
        tree.ResetGroupTree(fewer.list());
        QCOMPARE(tree.GetCurrentGroupID(), 0);
        QCOMPARE(tree.GetSelectedGrpItem(), modelOf(tree)->item(0));

        select(tree, findGroup(tree, QStringLiteral("Hall B")));
        tree.selectionModel()->clearSelection();
        QCOMPARE(tree.GetCurrentGroupID(), -1);
        QVERIFY(!tree.IsSelectedAllProjectors());
        QCOMPARE(tree.GetSelectedGrpItem(), static_cast<QStandardItem*>(nullptr));
        QVERIFY(!tree.IsSelectedGroupTree());
        // Removing the item that was open while nothing is selected.
        groupNode(tree)->removeRows(0, groupNode(tree)->rowCount());
        QCOMPARE(tree.GetCurrentGroupID(), -1);
        tree.f_SetAllGroupIcons(groupNode(tree));
    }

    // Top nodes keep rows 0, 1, 2 under texts that sort otherwise.
    void topRowsFixedInAnyLanguage()
    {
        CKeyEchoTranslator translator(QStringLiteral("t"));
        QCoreApplication::installTranslator(&translator);
        const QString all = CScheduleTargetText::AllProjectors();
        const QString group = CScheduleTargetText::GroupPrefix();
        const QString search = QCoreApplication::translate("CGroupTreeView", "Search Result");
        QVERIFY(search < all && all < group); // a sort of the top level would move them

        GroupList groups({ "b", "a" });
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        QCoreApplication::removeTranslator(&translator);

        QStandardItemModel* model = modelOf(tree);
        QCOMPARE(model->item(0)->text(), all);
        QCOMPARE(model->item(1)->text(), group);
        QCOMPARE(model->item(2)->text(), search);
        QCOMPARE(shape(model->item(1)), QStringLiteral("a,b"));
        QCOMPARE(tree.GetCurrentGroupID(), 0);
        QCOMPARE(tree.GetFullPath(true, findGroup(tree, QStringLiteral("a"))->index()), group + QStringLiteral("\\a"));
    }

    void iconRule_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("hallA");
        QTest::addColumn<QString>("hallB");
        QTest::addColumn<QString>("floor");

        QTest::newRow("off, scheduled group selected")
            << false << "Hall A" << "DeviceSelOpen" << "DeviceSelClose" << "DeviceSelClose";
        QTest::newRow("off, other group selected")
            << false << "Hall B" << "DeviceSelClose" << "DeviceSelOpen" << "DeviceSelClose";
        QTest::newRow("on, scheduled group selected")
            << true << "Hall A" << "GroupScheduleRunning" << "DeviceSelClose" << "DeviceSelClose";
        QTest::newRow("on, other group selected")
            << true << "Hall B" << "GroupScheduleRunning" << "DeviceSelOpen" << "DeviceSelClose";
        QTest::newRow("on, subgroup selected")
            << true << "Hall A\\Floor 2" << "GroupScheduleRunning" << "DeviceSelClose" << "DeviceSelOpen";
        QTest::newRow("on, top node selected")
            << true << "" << "GroupScheduleRunning" << "DeviceSelClose" << "DeviceSelClose";
    }
    void iconRule()
    {
        QFETCH(bool, running);
        QFETCH(QString, selected);
        QFETCH(QString, hallA);
        QFETCH(QString, hallB);
        QFETCH(QString, floor);

        CTestFolders folders;
        std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
        auto* schedule = new CScheduleData();
        schedule->TargetName = CScheduleTargetText::Group(QStringLiteral("Hall A"));
        QVERIFY(hub->m_pScheduleManager->f_AddSchedule(schedule, true));
        GroupList groups({ "Hall A", "Hall A\\Floor 2", "Hall B" });
        CGroupTreeView tree;
        tree.m_appData = hub.get();
        tree.ResetGroupTree(groups.list());
        if (!selected.isEmpty())
            select(tree, findGroup(tree, selected));

        // Switching execution: the main window sets the flag, then renews the icons.
        hub->m_ScheduleRunning = running;
        tree.f_SetAllGroupIcons(groupNode(tree));
        auto check = [&](const char* path, const QString& icon) {
            QStandardItem* item = findGroup(tree, QString::fromUtf8(path));
            QVERIFY(item);
            QVERIFY2(sameImage(item->icon(), resourceIcon(icon.toLatin1().constData())), path);
        };
        check("Hall A", hallA);
        check("Hall B", hallB);
        check("Hall A\\Floor 2", floor);
        // Top nodes keep their own icons.
        QVERIFY(sameImage(groupNode(tree)->icon(), resourceIcon("ProjectorGroup")));

        // A selection change renews them the same way.
        select(tree, modelOf(tree)->item(0));
        check("Hall A", running ? QStringLiteral("GroupScheduleRunning") : QStringLiteral("DeviceSelClose"));
        check("Hall B", QStringLiteral("DeviceSelClose"));
    }

    void searchResultLabels()
    {
        QWidget window;
        QLabel title(&window);
        QLabel condition(QStringLiteral("old"), &window);
        title.hide();
        condition.hide();
        CGroupTreeView tree(&window);
        tree.m_searchTitleLabel = &title;
        tree.m_searchConditionLabel = &condition;

        select(tree, modelOf(tree)->item(CGroupTreeView::ROW_SEARCH_RESULT));
        QVERIFY(!title.isHidden());
        QVERIFY(!condition.isHidden());
        QCOMPARE(condition.text(), QString());

        select(tree, groupNode(tree));
        QVERIFY(title.isHidden());
        QVERIFY(condition.isHidden());

        // Without labels a selection change still works.
        tree.m_searchTitleLabel = nullptr;
        tree.m_searchConditionLabel = nullptr;
        select(tree, modelOf(tree)->item(CGroupTreeView::ROW_SEARCH_RESULT));
        QCOMPARE(tree.GetCurrentGroupID(), -1);
    }

    void toolTipOnlyWhenCut()
    {
        GroupList groups({ "A rather long group name" });
        CGroupTreeView tree;
        tree.ResetGroupTree(groups.list());
        tree.resize(400, 200);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QStandardItem* item = findGroup(tree, QStringLiteral("A rather long group name"));
        QVERIFY(item);

        auto toolTipShown = [&]() {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return false;
            const QPoint pos = tree.visualRect(item->index()).center();
            QHelpEvent event(QEvent::ToolTip, pos, tree.viewport()->mapToGlobal(pos));
            QCoreApplication::sendEvent(tree.viewport(), &event);
            return QToolTip::isVisible() && QToolTip::text() == item->text();
        };
        QVERIFY(!toolTipShown());
        tree.resize(60, 200);
        QVERIFY(tree.visualRect(item->index()).width() > 0);
        QVERIFY(toolTipShown());
        QToolTip::hideText();
    }

};

QTEST_MAIN(tst_CGroupTreeView)
#include "tst_CGroupTreeView.moc"
