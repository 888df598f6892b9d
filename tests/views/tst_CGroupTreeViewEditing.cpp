#include <QtTest>

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProjectorGroup.h"
#include "CTestFolders.h"
#include "GuiTestSupport.h"
#include "ScriptedModalBoxes.h"

#include <QAction>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMimeData>
#include <QStandardItem>
#include <QStandardItemModel>

#include <memory>

namespace {

const QString TOP_ALL = QStringLiteral("<all>");
const QString TOP_GROUP = QStringLiteral("<group>");
const QString TOP_SEARCH = QStringLiteral("<search>");

// Debug lines of the views, caught while a test needs one of them.
QStringList g_debugLines;
QtMessageHandler g_previousHandler = nullptr;
void catchDebug(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtDebugMsg && qstrcmp(context.category, "lumivox.views") == 0)
        g_debugLines << text;
    else if (g_previousHandler)
        g_previousHandler(type, context, text);
}

} // namespace

// Editing the groups in the tree: drops, the group menu, creating, renaming,
// deleting and the keys, against a real data hub.
class tst_CGroupTreeViewEditing : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::unique_ptr<CGroupTreeView> m_Tree;

    QStandardItemModel* model() const { return qobject_cast<QStandardItemModel*>(m_Tree->model()); }

    // The hub knows the groups, the tree is built from them and shown.
    void build(const QStringList& paths)
    {
        for (const QString& path : paths)
            QVERIFY(m_Hub->UpdateGroupDataAtCreateGroup(path) > 0);
        m_Tree->ResetGroupTree(m_Hub->m_ProjectorGroups);
        m_Tree->expandAll();
        m_Tree->resize(300, 600);
        m_Tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Tree.get()));
    }

    // The hub's groups not deleted, sorted.
    QStringList hubPaths() const
    {
        QStringList paths;
        for (const CProjectorGroup* group : qAsConst(*m_Hub->m_ProjectorGroups)) {
            if (group->m_EditMode != CProjectorGroup::EditDelete)
                paths << group->m_GroupPath;
        }
        paths.sort();
        return paths;
    }

    // A top node by its marker, or a group by its path.
    QModelIndex node(const QString& name) const
    {
        if (name == TOP_ALL)
            return model()->index(CGroupTreeView::ROW_ALL_PROJECTORS, 0);
        if (name == TOP_GROUP)
            return model()->index(CGroupTreeView::ROW_GROUP, 0);
        if (name == TOP_SEARCH)
            return model()->index(CGroupTreeView::ROW_SEARCH_RESULT, 0);
        QModelIndex index = model()->index(CGroupTreeView::ROW_GROUP, 0);
        for (const QString& part : name.split(QLatin1Char('\\'))) {
            QModelIndex next;
            for (int row = 0; row < model()->rowCount(index) && !next.isValid(); ++row) {
                if (model()->index(row, 0, index).data().toString() == part)
                    next = model()->index(row, 0, index);
            }
            index = next;
        }
        return index;
    }

    // Selects a node as a click would; an empty name clears the selection.
    void select(const QString& name)
    {
        if (name.isEmpty()) {
            m_Tree->selectionModel()->clearSelection();
            return;
        }
        const QModelIndex index = node(name);
        QVERIFY2(index.isValid(), qPrintable(name));
        m_Tree->setCurrentIndex(index);
    }

    // The editor open on the current node, if any.
    QLineEdit* editor() const { return qobject_cast<QLineEdit*>(m_Tree->indexWidget(m_Tree->currentIndex())); }

    static QStringList sorted(QStringList paths)
    {
        paths.sort();
        return paths;
    }

    // Ends the edit with the typed name as Return does, at once (the
    // delegate itself would wait for the event loop).
    void finish(QLineEdit* line, const QString& typed)
    {
        line->setText(typed);
        QAbstractItemDelegate* delegate = m_Tree->itemDelegate();
        emit delegate->commitData(line);
        emit delegate->closeEditor(line, QAbstractItemDelegate::SubmitModelCache);
    }

    // Runs the queued name check (and a queued drop).
    static void runQueued() { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); }

    // The texts of the boxes shown, each checked to be a proper warning.
    static QStringList warnings(const ScriptedMessageBoxes& boxes)
    {
        QStringList texts;
        for (const CMessageBoxes::Box& box : boxes.shown) {
            texts << box.text;
            if (box.icon != QMessageBox::Warning || box.title != QLatin1String("Lumivox 5") ||
                box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok) ||
                box.defaultButton != QMessageBox::NoButton || !box.modalFlag)
                texts << QStringLiteral("(not a proper warning)");
        }
        return texts;
    }

    // A drag from the projector list entering the tree at `at`: it carries
    // the list's item data besides the ids as text.
    void enter(QMimeData& data, const QString& ids, const QPoint& at)
    {
        data.setText(ids);
        data.setData(QStringLiteral("application/x-qstandarditemmodeldatalist"), QByteArray());
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Tree->viewport(), &enter);
        QVERIFY(enter.isAccepted());
    }

    bool marked(const QModelIndex& index) const
    {
        QStandardItem* item = model()->itemFromIndex(index);
        return item->foreground() == m_Tree->palette().brush(QPalette::HighlightedText) &&
               item->background() == m_Tree->palette().brush(QPalette::Highlight);
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
    }

    void init()
    {
        m_Folders.reset(new CTestFolders);
        m_Hub = CTestFolders::makeHub();
        // As a load of an empty user list leaves it.
        m_Hub->InitGroupIDUsedList();
        m_Tree.reset(new CGroupTreeView);
        m_Tree->m_appData = m_Hub.get();
        m_Tree->setAcceptDrops(true);
        m_Tree->setDragDropMode(QAbstractItemView::DropOnly);
        m_Tree->setEditTriggers(QAbstractItemView::SelectedClicked);
    }

    void cleanup()
    {
        m_Tree.reset();
        m_Hub.reset();
        m_Folders.reset();
    }

    void drop_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("target"); // empty: below the last node
        QTest::addColumn<QStringList>("pasted");
        QTest::addColumn<QList<int>>("held");

        QTest::newRow("three ids") << "3,7,12" << "Hall A\\Floor 2" << QStringList{"Group\\Hall A\\Floor 2"}
                                   << QList<int>{3, 7, 12};
        QTest::newRow("gaps and junk") << "3,,x,7" << "Hall A\\Floor 2" << QStringList{"Group\\Hall A\\Floor 2"}
                                       << QList<int>{3, 7};
        QTest::newRow("no ids") << "" << "Hall A" << QStringList{"Group\\Hall A"} << QList<int>();
        QTest::newRow("top node") << "5" << TOP_GROUP << QStringList{"Group"} << QList<int>{5};
        QTest::newRow("below the last node") << "3" << "" << QStringList() << QList<int>();
    }
    void drop()
    {
        QFETCH(QString, payload);
        QFETCH(QString, target);
        QFETCH(QStringList, pasted);
        QFETCH(QList<int>, held);
        build({"Hall A", "Hall A\\Floor 2"});
        // Cut earlier and not pasted yet.
        m_Hub->m_PasteProjectorIDs = {99, 98};

        QStringList requests;
        QList<QList<int>> heldDuring;
        connect(m_Tree.get(), &CGroupTreeView::f_RequestProjectorPaste, this,
                [&](const QString& path) {
                    requests << path;
                    heldDuring << m_Hub->m_PasteProjectorIDs;
                },
                Qt::DirectConnection);
        QSignalSpy changed(m_Tree.get(), &CGroupTreeView::f_RequestChangeGroupName);

        const QPoint at = target.isEmpty() ? QPoint(5, m_Tree->viewport()->height() - 2)
                                           : m_Tree->visualRect(node(target)).center();
        QVERIFY(!m_Tree->indexAt(at).isValid() == target.isEmpty());
        QMimeData data;
        enter(data, payload, at);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Tree->viewport(), &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Tree->viewport(), &drop);
        // The source learns that nothing was done; the paste comes later.
        QVERIFY(!drop.isAccepted());
        QVERIFY(requests.isEmpty());

        g_debugLines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.views.debug=true"));
        g_previousHandler = qInstallMessageHandler(catchDebug);
        runQueued();
        qInstallMessageHandler(g_previousHandler);
        QLoggingCategory::setFilterRules(QString());

        QCOMPARE(requests, pasted);
        if (!pasted.isEmpty())
            QCOMPARE(heldDuring.first(), held);
        QCOMPARE(g_debugLines.contains(QStringLiteral("!! drpPos is inValid !!")), pasted.isEmpty());
        QCOMPARE(m_Hub->m_PasteProjectorIDs, (QList<int>{99, 98}));
        QCOMPARE(changed.count(), 1);
        if (!target.isEmpty())
            QVERIFY(!marked(node(target)));
    }

    void dragMarks_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("expands");
        QTest::newRow("group") << "Hall B" << true << false;
        QTest::newRow("group with groups below") << "Hall A" << true << true;
        QTest::newRow("All Projectors") << TOP_ALL << false << false;
        QTest::newRow("Group node") << TOP_GROUP << false << false;
        QTest::newRow("Search Result") << TOP_SEARCH << false << false;
    }
    void dragMarks()
    {
        QFETCH(QString, over);
        QFETCH(bool, accepted);
        QFETCH(bool, expands);
        build({"Hall A", "Hall A\\Floor 2", "Hall B"});
        m_Tree->collapse(node("Hall A"));
        QMimeData data;
        enter(data, QStringLiteral("1"), QPoint(5, m_Tree->viewport()->height() - 2));
        auto moveTo = [&](const QPoint& at) {
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            move.setAccepted(false);
            QCoreApplication::sendEvent(m_Tree->viewport(), &move);
            return move.isAccepted();
        };

        // Marked before: the last node hovered loses its mark.
        moveTo(m_Tree->visualRect(node("Hall B")).center());
        QCOMPARE(moveTo(m_Tree->visualRect(node(over)).center()), accepted);
        QVERIFY(marked(node(over)));
        for (const QString& other : {TOP_ALL, TOP_GROUP, TOP_SEARCH, QStringLiteral("Hall A"), QStringLiteral("Hall B")})
            QCOMPARE(marked(node(other)), other == over);
        QCOMPARE(m_Tree->isExpanded(node("Hall A")), expands);

        // Empty space keeps the mark; leaving the tree takes it away.
        moveTo(QPoint(5, m_Tree->viewport()->height() - 2));
        QVERIFY(marked(node(over)));
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(m_Tree->viewport(), &leave);
        QVERIFY(!marked(node(over)));
    }

    void groupMenu_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("enabled"); // create, delete, rename; empty: no menu
        QTest::newRow("nothing selected") << "" << "";
        QTest::newRow("All Projectors") << TOP_ALL << "";
        QTest::newRow("Group node") << TOP_GROUP << "100";
        QTest::newRow("Search Result") << TOP_SEARCH << "000";
        QTest::newRow("group") << "Hall A" << "111";
    }
    void groupMenu()
    {
        QFETCH(QString, selected);
        QFETCH(QString, enabled);
        build({"Hall A"});
        select(selected);

        QString seen;
        QStringList texts;
        GuiTestSupport::OnNextPopup(
            [&](QWidget* popup) {
                for (QAction* action : popup->actions()) {
                    seen += action->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
                    texts << action->text();
                }
                popup->close();
            },
            enabled.isEmpty() ? 100 : 5000);
        emit m_Tree->customContextMenuRequested(QPoint(5, 5));
        if (enabled.isEmpty())
            QTest::qWait(150);
        QCOMPARE(seen, enabled);
        if (!enabled.isEmpty())
            QCOMPARE(texts, (QStringList{"&Create Group", "&Delete", "&Rename"}));
    }

    void menuDispatch_data()
    {
        QTest::addColumn<QVariant>("data");
        QTest::addColumn<QString>("effect");
        QTest::newRow("0 creates") << QVariant(0) << "create";
        QTest::newRow("1 deletes") << QVariant(1) << "delete";
        QTest::newRow("2 renames") << QVariant(2) << "rename";
        QTest::newRow("3") << QVariant(3) << "";
        QTest::newRow("text 1") << QVariant(QStringLiteral("1")) << "";
    }
    void menuDispatch()
    {
        QFETCH(QVariant, data);
        QFETCH(QString, effect);
        build({"Hall A"});
        select(QStringLiteral("Hall A"));
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::Cancel;
        QAction action(nullptr);
        action.setData(data);
        QVERIFY(connect(&action, SIGNAL(triggered()), m_Tree.get(), SLOT(f_SelectedGrpMenu())));
        action.trigger();

        QString seen;
        if (hubPaths().contains(QStringLiteral("Hall A\\New Group(1)")))
            seen = QStringLiteral("create");
        else if (!boxes.shown.isEmpty())
            seen = QStringLiteral("delete");
        else if (editor())
            seen = QStringLiteral("rename");
        QCOMPARE(seen, effect);
        // Without a selection no entry acts.
        select(QString());
        boxes.shown.clear();
        action.setData(1);
        action.trigger();
        QVERIFY(boxes.shown.isEmpty());
    }

    void create_data()
    {
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("created"); // the new group's path; empty: none

        QStringList many;
        for (int i = 1; i <= 99; ++i)
            many << QStringLiteral("G%1").arg(i, 3, 10, QLatin1Char('0'));
        const QString countBox = QStringLiteral("Up to 100 group can be created.");
        const QString depthBox = QStringLiteral("Each group can be created with up to 5 hierarchies.");
        QTest::newRow("99 groups") << many << TOP_GROUP << QStringList() << "New Group(1)";
        QStringList chain{"A", "A\\B", "A\\B\\C", "A\\B\\C\\D", "A\\B\\C\\D\\E"};
        QTest::newRow("100 groups") << many + QStringList{"Z"} << TOP_GROUP << QStringList{countBox} << "";
        QTest::newRow("100 groups, too deep too")
            << QStringList(many.mid(0, 95)) + chain << "A\\B\\C\\D\\E" << QStringList{countBox} << "";
        QTest::newRow("below level 5") << QStringList(chain.mid(0, 4)) << "A\\B\\C\\D" << QStringList() << "A\\B\\C\\D\\New Group(1)";
        QTest::newRow("below level 6") << chain << "A\\B\\C\\D\\E" << QStringList{depthBox} << "";
        QTest::newRow("gap in the numbers") << QStringList{"Hall", "Hall\\New Group(1)", "Hall\\New Group(3)"} << "Hall"
                                            << QStringList() << "Hall\\New Group(2)";
        QTest::newRow("other case blocks nothing") << QStringList{"Hall", "Hall\\new group(1)"} << "Hall"
                                                   << QStringList() << "Hall\\New Group(1)";
        QTest::newRow("from All Projectors") << QStringList{"New Group(1)"} << TOP_ALL << QStringList()
                                             << "New Group(2)";
        QTest::newRow("from Search Result") << QStringList() << TOP_SEARCH << QStringList() << "New Group(1)";
        // The hub holds 256 groups the tree cannot show: no id is left.
        QStringList hidden;
        for (int i = 1; i <= 256; ++i)
            hidden << QStringLiteral("a\\b\\c\\d\\e\\f%1").arg(i);
        QTest::newRow("hub out of ids") << hidden << TOP_GROUP << QStringList{countBox} << "";
    }
    void create()
    {
        QFETCH(QStringList, groups);
        QFETCH(QString, selected);
        QFETCH(QStringList, shown);
        QFETCH(QString, created);
        build(groups);
        select(selected);
        const QStringList before = hubPaths();
        const int itemsBefore = m_Tree->GetItemCount(model()->item(CGroupTreeView::ROW_GROUP));
        ScriptedMessageBoxes boxes;

        QCOMPARE(m_Tree->CreateNewGrpTree(), created.isEmpty() ? -1 : 0);
        QCOMPARE(warnings(boxes), shown);
        if (created.isEmpty()) {
            QCOMPARE(hubPaths(), before);
            QCOMPARE(m_Tree->GetItemCount(model()->item(CGroupTreeView::ROW_GROUP)), itemsBefore);
            QVERIFY(!editor());
            QVERIFY(!m_Tree->m_isEditing);
            return;
        }
        // Known to the hub under its default name while its editor is open.
        QCOMPARE(hubPaths(), sorted(QStringList(before) << created));
        QCOMPARE(m_Tree->currentIndex(), node(created));
        QVERIFY(editor());
        QVERIFY(m_Tree->m_isEditing);
        QCOMPARE(m_Tree->GetFullPath(false, m_Tree->currentIndex()), created);

        // Escape keeps the default name; the hub hears nothing more.
        QTest::keyClick(editor(), Qt::Key_Escape);
        runQueued();
        QVERIFY(!editor());
        QVERIFY(!m_Tree->m_isEditing);
        QCOMPARE(hubPaths(), sorted(QStringList(before) << created));
        for (const CProjectorGroup* group : qAsConst(*m_Hub->m_ProjectorGroups)) {
            if (group->m_GroupPath == created)
                QCOMPARE(group->m_EditMode, CProjectorGroup::EditCreate);
        }
        QVERIFY(boxes.shown.size() == shown.size());
    }

    void names_data()
    {
        QTest::addColumn<QString>("renamed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("moveAway"); // another node selected before the check runs
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("reopened");
        QTest::addColumn<QStringList>("paths"); // the hub's groups afterwards; empty: unchanged

        const QString bad = QStringLiteral("A group name cannot contain any of the following characters:\n\\");
        const QString tooLong = QStringLiteral("Your typed name exceeds the length limit.\n"
                                               "The name must be 64 characters or less.");
        const QString twice = QStringLiteral("A group with the name you specified already exists.\n"
                                             "Specify a different name.");
        const QString e = QString::fromUtf8("\xc3\xa9");
        const QString cjk = QString::fromUtf8("\xe6\xbc\xa2");
        auto renamedTo = [](const QString& floor) {
            return QStringList{"Annex", "Annex\\Floor 5", "Hall A", "Hall A\\Floor 4", "Hall A\\" + floor};
        };
        const QString floor = QStringLiteral("Hall A\\Floor 2");
        QTest::newRow("separator") << floor << "A\\B" << false << QStringList{bad} << false << QStringList();
        QTest::newRow("empty") << floor << "" << false << QStringList() << true << QStringList();
        QTest::newRow("65 ASCII") << floor << QString(65, 'x') << false << QStringList{tooLong} << true
                                  << QStringList();
        QTest::newRow("33 two-byte") << floor << e.repeated(33) << false << QStringList{tooLong} << true
                                     << QStringList();
        QTest::newRow("22 three-byte") << floor << cjk.repeated(22) << false << QStringList{tooLong} << true
                                       << QStringList();
        QTest::newRow("64 ASCII") << floor << QString(64, 'x') << false << QStringList() << false
                                  << renamedTo(QString(64, 'x'));
        QTest::newRow("32 two-byte") << floor << e.repeated(32) << false << QStringList() << false
                                     << renamedTo(e.repeated(32));
        QTest::newRow("21 three-byte") << floor << cjk.repeated(21) << false << QStringList() << false
                                       << renamedTo(cjk.repeated(21));
        QTest::newRow("sibling's name") << floor << "Floor 4" << false << QStringList{twice} << false
                                        << QStringList();
        QTest::newRow("name used elsewhere") << floor << "Floor 5" << false << QStringList() << false
                                             << renamedTo("Floor 5");
        QTest::newRow("separator and too long") << floor << "\\" + QString(69, 'x') << false
                                                << QStringList{bad, tooLong} << true << QStringList();
        QTest::newRow("unchanged") << floor << "Floor 2" << false << QStringList() << false << QStringList();
        QTest::newRow("leaf renamed") << floor << "Floor 3" << false << QStringList() << false
                                      << renamedTo("Floor 3");
        QTest::newRow("upper group renamed")
            << "Hall A" << "Hall B" << false << QStringList() << false
            << QStringList{"Annex", "Annex\\Floor 5", "Hall B", "Hall B\\Floor 2", "Hall B\\Floor 4"};
        QTest::newRow("selection moved first") << floor << "Floor 3" << true << QStringList() << false
                                               << renamedTo("Floor 3");
    }
    void names()
    {
        QFETCH(QString, renamed);
        QFETCH(QString, typed);
        QFETCH(bool, moveAway);
        QFETCH(QStringList, shown);
        QFETCH(bool, reopened);
        QFETCH(QStringList, paths);
        build({"Hall A", "Hall A\\Floor 2", "Hall A\\Floor 4", "Annex", "Annex\\Floor 5"});
        const QStringList before = hubPaths();
        paths = paths.isEmpty() ? before : sorted(paths);
        select(renamed);
        const QPersistentModelIndex edited = node(renamed);
        const QString oldName = edited.data().toString();
        QStringList pathsAtSignal;
        connect(m_Tree.get(), &CGroupTreeView::f_RequestChangeGroupName, this,
                [&] { pathsAtSignal = hubPaths(); });
        ScriptedMessageBoxes boxes;

        m_Tree->RenameGrpTree();
        QVERIFY(m_Tree->m_isEditing);
        QLineEdit* line = editor();
        QVERIFY(line);
        finish(line, typed);
        QVERIFY(!m_Tree->m_isEditing);
        if (moveAway)
            select(QStringLiteral("Annex"));
        runQueued();

        QCOMPARE(warnings(boxes), shown);
        QCOMPARE(hubPaths(), paths);
        const bool accepted = paths != before;
        QCOMPARE(pathsAtSignal, accepted ? paths : QStringList());
        QVERIFY(edited.isValid());
        QCOMPARE(edited.data().toString(), accepted ? typed : oldName);
        QCOMPARE(edited.data(Qt::ToolTipRole).toString(), edited.data().toString());
        QCOMPARE(m_Tree->indexWidget(edited) != nullptr, reopened);
        QCOMPARE(m_Tree->m_isEditing, reopened);
        if (reopened)
            QCOMPARE(qobject_cast<QLineEdit*>(m_Tree->indexWidget(edited))->text(), oldName);
        // Groups stay sorted; the top nodes keep their rows.
        QCOMPARE(node(TOP_GROUP).data().toString(), QStringLiteral("Group"));
        const QModelIndex parent = edited.parent();
        for (int row = 1; row < model()->rowCount(parent); ++row)
            QVERIFY(model()->index(row - 1, 0, parent).data().toString() <
                    model()->index(row, 0, parent).data().toString());
    }

    // The check finds nothing to do when its item went away meanwhile.
    void editedGroupGoneBeforeTheCheck()
    {
        build({"Hall A", "Hall B"});
        select(QStringLiteral("Hall A"));
        m_Tree->RenameGrpTree();
        QLineEdit* line = editor();
        QVERIFY(line);
        finish(line, QStringLiteral("Hall C"));
        m_Tree->ResetGroupTree(m_Hub->m_ProjectorGroups);
        QSignalSpy changed(m_Tree.get(), &CGroupTreeView::f_RequestChangeGroupName);
        runQueued();
        QCOMPARE(hubPaths(), (QStringList{"Hall A", "Hall B"}));
        QCOMPARE(changed.count(), 0);
    }

    void deleteGroup_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("question"); // empty: none asked
        QTest::addColumn<QStringList>("paths");

        const QStringList all{"Hall A", "Hall A\\Floor 2", "Hall A\\Floor 2\\Room 5", "Hall B"};
        QTest::newRow("with groups below") << "Hall A" << int(QMessageBox::Ok) << 0
                                           << "Do you want to remove this group 'Hall A' and all its settings?"
                                           << QStringList{"Hall B"};
        QTest::newRow("without groups below")
            << "Hall A\\Floor 2\\Room 5" << int(QMessageBox::Ok) << 0 << "Room 5\nDo you want to delete this group?"
            << QStringList{"Hall A", "Hall A\\Floor 2", "Hall B"};
        QTest::newRow("cancelled") << "Hall A" << int(QMessageBox::Cancel) << 0
                                   << "Do you want to remove this group 'Hall A' and all its settings?" << all;
        QTest::newRow("Group node") << TOP_GROUP << int(QMessageBox::Ok) << 0 << "" << all;
        QTest::newRow("All Projectors") << TOP_ALL << int(QMessageBox::Ok) << 0 << "" << all;
        QTest::newRow("nothing selected") << "" << int(QMessageBox::Ok) << -1 << "" << all;
    }
    void deleteGroup()
    {
        QFETCH(QString, selected);
        QFETCH(int, answer);
        QFETCH(int, result);
        QFETCH(QString, question);
        QFETCH(QStringList, paths);
        build({"Hall A", "Hall A\\Floor 2", "Hall A\\Floor 2\\Room 5", "Hall B"});
        select(selected);
        const int itemsBefore = m_Tree->GetItemCount(model()->item(CGroupTreeView::ROW_GROUP));
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::StandardButton(answer);

        QCOMPARE(m_Tree->DeleteGrpTree(), result);
        QCOMPARE(boxes.shown.size(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            const CMessageBoxes::Box& box = boxes.shown.first();
            QCOMPARE(box.text, question);
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.defaultButton, QMessageBox::NoButton);
            QVERIFY(box.modalFlag);
        }
        QCOMPARE(hubPaths(), paths);
        const bool deleted = paths.size() < 4;
        QCOMPARE(m_Tree->GetItemCount(model()->item(CGroupTreeView::ROW_GROUP)),
                 deleted ? paths.size() : itemsBefore);
        if (deleted) {
            // Nothing selected, nothing open: the items taken out are gone.
            QVERIFY(!m_Tree->IsSelectedGroupTree());
            QCOMPARE(m_Tree->GetCurrentGroupID(), -1);
            QVERIFY(!node(selected).isValid());
            m_Tree->f_SetAllGroupIcons(model()->item(CGroupTreeView::ROW_GROUP));
        }
    }

    void keys_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("effect"); // question, editor, base, or nothing
        QTest::newRow("Delete on a group") << "Hall A" << int(Qt::Key_Delete) << "question";
        QTest::newRow("F2 on a group") << "Hall A" << int(Qt::Key_F2) << "editor";
        QTest::newRow("Delete on Group node") << TOP_GROUP << int(Qt::Key_Delete) << "";
        QTest::newRow("F2 on Group node") << TOP_GROUP << int(Qt::Key_F2) << "";
        QTest::newRow("Delete on All Projectors") << TOP_ALL << int(Qt::Key_Delete) << "";
        QTest::newRow("F2 on Search Result") << TOP_SEARCH << int(Qt::Key_F2) << "";
        QTest::newRow("Delete, nothing selected") << "" << int(Qt::Key_Delete) << "";
        QTest::newRow("F2, nothing selected") << "" << int(Qt::Key_F2) << "";
        QTest::newRow("Down") << TOP_ALL << int(Qt::Key_Down) << "base";
        QTest::newRow("Escape") << "Hall A" << int(Qt::Key_Escape) << "base";
    }
    void keys()
    {
        QFETCH(QString, selected);
        QFETCH(int, key);
        QFETCH(QString, effect);
        build({"Hall A"});
        select(selected);
        const QModelIndex current = m_Tree->currentIndex();
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::Cancel;

        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(m_Tree.get(), &press);

        QString seen;
        if (!boxes.shown.isEmpty())
            seen = QStringLiteral("question");
        else if (editor())
            seen = QStringLiteral("editor");
        else if (m_Tree->currentIndex() != current || !press.isAccepted())
            seen = QStringLiteral("base");
        QCOMPARE(seen, effect);
        QCOMPARE(hubPaths(), QStringList{"Hall A"});
    }
};

QTEST_MAIN(tst_CGroupTreeViewEditing)
#include "tst_CGroupTreeViewEditing.moc"
