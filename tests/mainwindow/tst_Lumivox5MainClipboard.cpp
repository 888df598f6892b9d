#include <QtTest>

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorGroup.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowSelectionRig.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

QString idText(QList<int> ids, bool sort = true)
{
    if (sort)
        std::sort(ids.begin(), ids.end());
    QStringList parts;
    for (int id : ids)
        parts << QString::number(id);
    return parts.join(QLatin1Char(','));
}

QList<int> idList(const QString& text)
{
    QList<int> ids;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ids << part.toInt();
    return ids;
}

} // namespace

// Cut, copy, paste and delete of projectors, and the Group menu's commands,
// in a window over four projectors: Floor 1 holds 1 to 3, Floor 2 holds 4,
// Empty none.
class tst_Lumivox5MainClipboard : public QObject
{
    Q_OBJECT

private:
    // "Floor 1=1,2,3;Floor 2=4;Empty=" from the hub's groups, by path.
    static QString members(CLumivox5Data* hub)
    {
        QStringList groups;
        for (const CProjectorGroup* group : qAsConst(*hub->m_ProjectorGroups)) {
            if (group->m_EditMode != CProjectorGroup::EditDelete)
                groups << group->m_GroupPath + QLatin1Char('=') + idText(group->m_Projectors->keys());
        }
        groups.sort();
        return groups.join(QLatin1Char(';'));
    }

private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }

    void clipboard_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("groups");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("selected");

        const QString unchanged = QStringLiteral("Empty=;Floor 1=1,2,3;Floor 2=4");
        QTest::newRow("copy replaces, an empty copy keeps")
            << QStringList{"node:Floor 1", "rows:1,2", "copy", "rows:3", "copy", "rows:", "copy"} << QStringList()
            << "3" << unchanged << "1,2,3" << "";
        QTest::newRow("cut on All Projectors is silent")
            << QStringList{"node:All Projectors", "rows:1", "cut:Ok"} << QStringList() << "" << unchanged
            << "1,2,3,4" << "1";
        QTest::newRow("delete on the Group node is silent")
            << QStringList{"node:Group", "delete:Ok"} << QStringList() << "" << unchanged << "" << "";
        QTest::newRow("cut of one names it")
            << QStringList{"name:1=Stage", "node:Floor 1", "rows:1", "cut:Ok"}
            << QStringList{"One(Stage)\nDo you want delete this settings?"} << "1"
            << "Empty=;Floor 1=2,3;Floor 2=4" << "2,3" << "";
        QTest::newRow("delete of three counts them")
            << QStringList{"node:Floor 1", "rows:1,2,3", "delete:Ok"}
            << QStringList{"Do you want delete these 3 settings?"} << "" << "Empty=;Floor 1=;Floor 2=4" << ""
            << "";
        QTest::newRow("cut cancelled")
            << QStringList{"node:Floor 1", "rows:2", "cut:Cancel"}
            << QStringList{"Two()\nDo you want delete this settings?"} << "" << unchanged << "1,2,3" << "2";
        QTest::newRow("delete keeps the clipboard")
            << QStringList{"node:Floor 2", "rows:4", "copy", "node:Floor 1", "rows:1", "delete:Ok"}
            << QStringList{"One()\nDo you want delete this settings?"} << "4" << "Empty=;Floor 1=2,3;Floor 2=4"
            << "2,3" << "";
        QTest::newRow("one cut, two pastes")
            << QStringList{"node:Floor 1", "rows:1,2", "cut:Ok", "node:Floor 2", "paste", "node:Empty", "paste"}
            << QStringList{"Do you want delete these 2 settings?"} << "1,2" << "Empty=1,2;Floor 1=3;Floor 2=1,2,4"
            << "1,2" << "";
        QTest::newRow("paste into top nodes")
            << QStringList{"node:Floor 1", "rows:1", "copy", "node:All Projectors", "paste", "node:Group", "paste"}
            << QStringList() << "1" << unchanged << "" << "";
        QTest::newRow("paste of members")
            << QStringList{"node:Floor 1", "rows:1,2", "copy", "paste"} << QStringList() << "1,2" << unchanged
            << "1,2,3" << "";
        QTest::newRow("one already in ten groups")
            << QStringList{"node:Floor 1", "rows:1,2", "copy", "full:2", "node:Empty", "paste"}
            << QStringList{"Settings can be registered in up to 10 groups."} << "1,2" << unchanged << "" << "";
        QTest::newRow("a load empties the clipboard")
            << QStringList{"node:Floor 1", "rows:1", "copy", "load", "node:Empty", "paste"} << QStringList() << ""
            << unchanged << "" << "";
        QTest::newRow("drop on another group")
            << QStringList{"node:Floor 2", "rows:4", "copy", "node:Floor 1", "rows:2", "drop:Empty"}
            << QStringList() << "4" << "Empty=4;Floor 1=1,2,3;Floor 2=4" << "1,2,3" << "2";
        QTest::newRow("drop on the selected group")
            << QStringList{"node:Floor 2", "rows:4", "copy", "node:Floor 1", "rows:2", "drop:Floor 1"}
            << QStringList() << "4" << "Empty=;Floor 1=1,2,3,4;Floor 2=4" << "1,2,3,4" << "";
    }
    void clipboard()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, shown);
        QFETCH(QString, clipboard);
        QFETCH(QString, groups);
        QFETCH(QString, listed);
        QFETCH(QString, selected);
        MainWindowSelectionRig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        CLumivox5Data* hub = window->m_Lumivox5Data;
        ScriptedMessageBoxes boxes;

        for (const QString& step : qAsConst(steps)) {
            const QString verb = step.section(QLatin1Char(':'), 0, 0);
            const QString arg = step.section(QLatin1Char(':'), 1);
            if (verb == QLatin1String("node")) {
                QVERIFY2(rig.selectGroupNode(arg), qPrintable(step));
            } else if (verb == QLatin1String("rows")) {
                rig.select(idList(arg));
            } else if (verb == QLatin1String("copy")) {
                window->on_actMenuPJCopy_triggered();
            } else if (verb == QLatin1String("paste")) {
                window->on_actMenuPJPaste_triggered();
            } else if (verb == QLatin1String("cut") || verb == QLatin1String("delete")) {
                boxes.answers << (arg == QLatin1String("Ok") ? QMessageBox::Ok : QMessageBox::Cancel);
                if (verb == QLatin1String("cut"))
                    window->on_actMenuPJCut_triggered();
                else
                    window->on_actMenuPJDelete_triggered();
            } else if (verb == QLatin1String("drop")) {
                emit rig.tree()->f_RequestProjectorPaste(QStringLiteral("Group\\") + arg);
            } else if (verb == QLatin1String("name")) {
                rig.record(arg.section('=', 0, 0).toInt())
                    ->m_Status[CProjectorData::StProjectorName]
                    .FromString(arg.section('=', 1));
            } else if (verb == QLatin1String("full")) {
                for (int id = 200; id < 210; ++id)
                    rig.record(arg.toInt())->m_GroupList.insert(id, QStringLiteral("elsewhere"));
            } else if (verb == QLatin1String("load")) {
                QCOMPARE(hub->LoadUserList(rig.fixture.userListPath()), 0);
                window->f_ResetGroupTree();
            } else {
                QFAIL(qPrintable(step));
            }
        }

        QStringList texts;
        for (const CMessageBoxes::Box& box : qAsConst(boxes.shown)) {
            texts << box.text;
            QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
            QVERIFY(box.modalFlag);
            if (box.icon == QMessageBox::Question) {
                QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
                QCOMPARE(box.defaultButton, QMessageBox::Ok);
            } else {
                QCOMPARE(box.icon, QMessageBox::Warning);
                QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            }
        }
        QCOMPARE(texts, shown);
        QVERIFY(!hub->m_ModalDialog);
        QCOMPARE(idText(hub->m_PasteProjectorIDs, false), clipboard);
        QCOMPARE(members(hub), groups);
        QCOMPARE(idText(rig.list()->GetDispPjDataIDList()), listed);
        QCOMPARE(idText(rig.list()->GetPjDataIDList(true)), selected);
    }

    void groupMenu_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("groups");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("listed");
        QTest::newRow("create") << "create" << "Empty=;Floor 1=1,2,3;Floor 1\\New Group(1)=;Floor 2=4" << true
                                << "";
        QTest::newRow("delete") << "delete" << "Empty=;Floor 2=4" << false << "";
        QTest::newRow("rename") << "rename" << "Empty=;Floor 1=1,2,3;Floor 2=4" << true << "1,2,3";
    }
    void groupMenu()
    {
        QFETCH(QString, entry);
        QFETCH(QString, groups);
        QFETCH(bool, editing);
        QFETCH(QString, listed);
        MainWindowSelectionRig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        QVERIFY(rig.selectGroupNode(QStringLiteral("Floor 1")));
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::Ok;
        if (entry == QLatin1String("create"))
            window->on_actMenuGroupCreate_triggered();
        else if (entry == QLatin1String("delete"))
            window->on_actMenuGroupDelete_triggered();
        else
            window->on_actMenuGroupRename_triggered();

        QCOMPARE(members(window->m_Lumivox5Data), groups);
        QCOMPARE(rig.tree()->IsEditing(), editing);
        QCOMPARE(idText(rig.list()->GetDispPjDataIDList()), listed);
        QCOMPARE(boxes.shown.size(), entry == QLatin1String("delete") ? 1 : 0);
    }

    // A rename shows in the property pane at once; the list keeps its rows
    // and its selection.
    void groupRenameRefreshesTheProperties()
    {
        MainWindowSelectionRig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        QVERIFY(rig.selectGroupNode(QStringLiteral("Floor 1")));
        rig.select({2});
        QPlainTextEdit* groupsBox = window->ui->pteGroupTemp;
        QVERIFY(groupsBox->toPlainText().contains(QStringLiteral("Floor 1")));

        window->on_actMenuGroupRename_triggered();
        auto* editor = qobject_cast<QLineEdit*>(rig.tree()->indexWidget(rig.tree()->currentIndex()));
        QVERIFY(editor);
        editor->setText(QStringLiteral("Hall"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(members(window->m_Lumivox5Data), QStringLiteral("Empty=;Floor 2=4;Hall=1,2,3"));
        QVERIFY(groupsBox->toPlainText().contains(QStringLiteral("Hall")));
        QVERIFY(!groupsBox->toPlainText().contains(QStringLiteral("Floor 1")));
        QCOMPARE(idText(rig.list()->GetPjDataIDList(true)), QStringLiteral("2"));
    }
};

QTEST_MAIN(tst_Lumivox5MainClipboard)
#include "tst_Lumivox5MainClipboard.moc"
