#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "FormStartOtherApp.h"
#include "FormStartOtherAppAdd.h"
#include "GuiTestSupport.h"
#include "ScriptedModalBoxes.h"

namespace {

QList<QStringList> entries(int count)
{
    QList<QStringList> list;
    for (int i = 0; i < count; ++i)
        list << QStringList{QString("App %1").arg(i), QString("/opt/app%1").arg(i), QString("-n %1").arg(i)};
    return list;
}

QPushButton* button(QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(name);
}

QPushButton* boxButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

// Selects exactly these rows of the list dialog's view.
void selectRows(FormStartOtherApp& dialog, const QList<int>& rows)
{
    QTreeView* view = dialog.findChild<QTreeView*>("treeViewAppList");
    view->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// "U D E R": which of Move Up, Move Down, Edit and Delete are enabled.
QString enabledListButtons(FormStartOtherApp& dialog)
{
    const struct {
        const char* name;
        char letter;
    } buttons[] = {{"btnMoveUp", 'U'}, {"btnMoveDown", 'D'}, {"btnEdit", 'E'}, {"btnRemove", 'R'}};
    QString state;
    for (const auto& shown : buttons)
        state += button(dialog, shown.name)->isEnabled() ? QChar(shown.letter) : QChar('-');
    return state;
}

} // namespace

class tst_FormStartOtherApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }
    void editorOkFollowsNameAndPath_data();
    void editorOkFollowsNameAndPath();
    void editorLimitsChooserAndEndings();
    void listButtons_data();
    void listButtons();
    void countRuleForAdd();
    void removalQuestion_data();
    void removalQuestion();
    void orderReachesTheListOnlyOnOk_data();
    void orderReachesTheListOnlyOnOk();
    void nullListGivesANewOne();
};

void tst_FormStartOtherApp::editorOkFollowsNameAndPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << "" << "" << false;
    QTest::newRow("name only") << "Editor" << "" << false;
    QTest::newRow("path only") << "" << "/usr/bin/editor" << false;
    QTest::newRow("both") << "Editor" << "/usr/bin/editor" << true;
    QTest::newRow("blanks count") << " " << "  " << true;
}

void tst_FormStartOtherApp::editorOkFollowsNameAndPath()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(bool, enabled);
    // Opened with the values (as for a change), then typed anew.
    FormStartOtherAppAdd editor;
    QVERIFY(!boxButton(&editor, QDialogButtonBox::Ok)->isEnabled());
    editor.m_Title = "Edit";
    editor.SetAppData(name, path, "");
    editor.show();
    QCOMPARE(editor.windowTitle(), QString("Edit"));
    QCOMPARE(editor.windowFlags(), Qt::WindowFlags(0x0A003003));
    QCOMPARE(boxButton(&editor, QDialogButtonBox::Ok)->isEnabled(), enabled);
    editor.findChild<QLineEdit*>("txtDisplayName")->clear();
    QVERIFY(!boxButton(&editor, QDialogButtonBox::Ok)->isEnabled());
    editor.findChild<QLineEdit*>("txtDisplayName")->setText(name);
    QCOMPARE(boxButton(&editor, QDialogButtonBox::Ok)->isEnabled(), enabled);
}

// 50, 256 and 256 characters; one line only; the chooser; OK, Cancel, Escape.
void tst_FormStartOtherApp::editorLimitsChooserAndEndings()
{
    FormStartOtherAppAdd editor;
    editor.show();
    QLineEdit* name = editor.findChild<QLineEdit*>("txtDisplayName");
    QLineEdit* path = editor.findChild<QLineEdit*>("txtPath");
    QLineEdit* arguments = editor.findChild<QLineEdit*>("txtArgument");
    name->setText(QString(51, 'n'));
    path->setText(QString(257, 'p'));
    arguments->setText(QString(257, 'a'));
    QCOMPARE(name->text().size(), 50);
    QCOMPARE(path->text().size(), 256);
    QCOMPARE(arguments->text().size(), 256);
    arguments->setText("a\nb");
    QCOMPARE(arguments->text(), QString("a"));

    ScriptedFileDialogs files;
    files.answers << CFileDialogs::Answer{"/usr/bin/chosen", QString()} << CFileDialogs::Answer();
    button(editor, "btnRefer")->click();
    button(editor, "btnRefer")->click();
    QCOMPARE(files.asked.size(), 2);
    QCOMPARE(files.asked[0].filter, QString("Application files(*);;all files(*)"));
    QCOMPARE(files.asked[0].directory, QString(256, 'p'));
    QCOMPARE(path->text(), QString("/usr/bin/chosen"));

    boxButton(&editor, QDialogButtonBox::Ok)->click();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QVERIFY(!editor.isVisible());
    QCOMPARE(editor.m_DisplayName, QString(50, 'n'));
    QCOMPARE(editor.m_Path, QString("/usr/bin/chosen"));
    QCOMPARE(editor.m_Argument, QString("a"));
    for (bool escape : {true, false}) {
        FormStartOtherAppAdd other;
        other.show();
        if (escape)
            QTest::keyClick(&other, Qt::Key_Escape);
        else
            boxButton(&other, QDialogButtonBox::Cancel)->click();
        QCOMPARE(other.result(), int(QDialog::Rejected));
        QVERIFY(!other.isVisible());
    }
}

void tst_FormStartOtherApp::listButtons_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("none selected") << 3 << QList<int>() << "----";
    QTest::newRow("first of three") << 3 << QList<int>{0} << "-DER";
    QTest::newRow("middle of three") << 3 << QList<int>{1} << "UDER";
    QTest::newRow("last of three") << 3 << QList<int>{2} << "U-ER";
    QTest::newRow("the only one") << 1 << QList<int>{0} << "--ER";
    QTest::newRow("two of three") << 3 << QList<int>{0, 2} << "---R";
}

void tst_FormStartOtherApp::listButtons()
{
    QFETCH(int, count);
    QFETCH(QList<int>, rows);
    QFETCH(QString, enabled);
    QList<QStringList> list = entries(count);
    FormStartOtherApp dialog;
    dialog.m_AppList = &list;
    dialog.m_MaxCount = 10;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Application launch setting"));
    QCOMPARE(enabledListButtons(dialog), QString("----"));
    selectRows(dialog, rows);
    QCOMPARE(enabledListButtons(dialog), enabled);
    // Edit and the moves do nothing with several rows selected.
    if (rows.size() > 1) {
        button(dialog, "btnEdit")->setEnabled(true);
        button(dialog, "btnEdit")->click();
        button(dialog, "btnMoveUp")->setEnabled(true);
        button(dialog, "btnMoveUp")->click();
        boxButton(&dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(list, entries(count));
    }
}

// Add follows the count: off at 10, on after a removal, off again when an
// add reaches 10; a cancelled add applies the rule too; and so at the next
// opening.
void tst_FormStartOtherApp::countRuleForAdd()
{
    QList<QStringList> list = entries(10);
    ScriptedMessageBoxes boxes;
    FormStartOtherApp dialog;
    dialog.m_AppList = &list;
    dialog.m_MaxCount = 10;
    dialog.show();
    QPushButton* add = button(dialog, "btnAdd");
    QVERIFY(!add->isEnabled());
    selectRows(dialog, {4});
    button(dialog, "btnRemove")->click();
    QVERIFY(add->isEnabled());
    GuiTestSupport::OnNextPopup([](QWidget* editor) { QTest::keyClick(editor, Qt::Key_Escape); });
    add->click();
    QVERIFY(add->isEnabled());
    selectRows(dialog, {1});
    GuiTestSupport::OnNextPopup([](QWidget* editor) {
        QCOMPARE(editor->windowTitle(), QString("Add"));
        editor->findChild<QLineEdit*>("txtDisplayName")->setText("New");
        editor->findChild<QLineEdit*>("txtPath")->setText("/opt/new");
        boxButton(editor, QDialogButtonBox::Ok)->click();
    });
    add->click();
    QVERIFY(!add->isEnabled());
    boxButton(&dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(list.size(), 10);
    // Inserted below the selected row, where the removed one had been left out.
    QCOMPARE(list.at(2), (QStringList{"New", "/opt/new", ""}));
    QCOMPARE(list.at(5), entries(10).at(5));
    // Opened once more, it shows the list afresh, not added to the rows the
    // last opening left, and Add follows the count again.
    const QList<QStringList> stored = list;
    dialog.show();
    QCOMPARE(dialog.findChild<QTreeView*>("treeViewAppList")->model()->rowCount(), 10);
    QVERIFY(!add->isEnabled());
    QCOMPARE(enabledListButtons(dialog), QString("----"));
    boxButton(&dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(list, stored);
}

void tst_FormStartOtherApp::removalQuestion_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("current");
    QTest::newRow("one") << QList<int>{2} << "App 2\nDo you want to delete the settings?" << "App 3";
    QTest::newRow("five") << QList<int>{6, 1, 2, 3, 4}
                          << "Do you want to delete selected 5 settings?\nApp 1\nApp 2\nApp 3..." << "App 0";
    QTest::newRow("three, no dots") << QList<int>{3, 1, 2}
                                    << "Do you want to delete selected 3 settings?\nApp 1\nApp 2\nApp 3" << "App 4";
    QTest::newRow("the last two") << QList<int>{6, 5} << "Do you want to delete selected 2 settings?\nApp 5\nApp 6"
                                  << "App 4";
    QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4, 5, 6} << QString() << QString();
}

// The rows go on OK only; the next current row is below the highest, else
// above the lowest.
void tst_FormStartOtherApp::removalQuestion()
{
    QFETCH(QList<int>, rows);
    QFETCH(QString, text);
    QFETCH(QString, current);
    QList<QStringList> list = entries(7);
    ScriptedMessageBoxes boxes;
    boxes.answers << QMessageBox::Cancel << QMessageBox::Ok;
    FormStartOtherApp dialog;
    dialog.m_AppList = &list;
    dialog.m_MaxCount = 10;
    dialog.show();
    QTreeView* view = dialog.findChild<QTreeView*>("treeViewAppList");
    selectRows(dialog, rows);
    button(dialog, "btnRemove")->click();
    QCOMPARE(view->model()->rowCount(), 7);
    button(dialog, "btnRemove")->click();
    QCOMPARE(boxes.shown.size(), 2);
    if (!text.isEmpty())
        QCOMPARE(boxes.shown[0].text, text);
    QCOMPARE(boxes.shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(boxes.shown[0].defaultButton, QMessageBox::Ok);
    QCOMPARE(view->model()->rowCount(), 7 - rows.size());
    QCOMPARE(view->currentIndex().data().toString(), current);
    if (current.isEmpty())
        QCOMPARE(enabledListButtons(dialog), QString("----"));
}

void tst_FormStartOtherApp::orderReachesTheListOnlyOnOk_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("up");
    QTest::newRow("move up, OK") << true << true;
    QTest::newRow("move down, OK") << true << false;
    QTest::newRow("move up, Cancel") << false << true;
}

void tst_FormStartOtherApp::orderReachesTheListOnlyOnOk()
{
    QFETCH(bool, ok);
    QFETCH(bool, up);
    QList<QStringList> list = entries(4);
    FormStartOtherApp dialog;
    dialog.m_AppList = &list;
    dialog.m_MaxCount = 10;
    GuiTestSupport::OnNextPopup([&](QWidget*) {
        selectRows(dialog, {2});
        button(dialog, up ? "btnMoveUp" : "btnMoveDown")->click();
        // The moved entry stays selected: a second move follows it.
        button(dialog, up ? "btnMoveUp" : "btnMoveDown")->click();
        boxButton(&dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(dialog.exec(), ok ? 1 : 0);
    QCOMPARE(dialog.m_AppList, &list);
    QList<QStringList> expected = entries(4);
    if (ok)
        expected.move(2, up ? 0 : 3);
    QCOMPARE(list, expected);
}

// Given no list, OK makes one; accepting without a change still refills.
void tst_FormStartOtherApp::nullListGivesANewOne()
{
    FormStartOtherApp dialog;
    dialog.m_MaxCount = 10;
    dialog.show();
    QVERIFY(button(dialog, "btnAdd")->isEnabled());
    boxButton(&dialog, QDialogButtonBox::Ok)->click();
    QVERIFY(dialog.m_AppList);
    QVERIFY(dialog.m_AppList->isEmpty());
    delete dialog.m_AppList;
}

QTEST_MAIN(tst_FormStartOtherApp)
#include "tst_FormStartOtherApp.moc"
