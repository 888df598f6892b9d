#include <QtTest>

#include "ApplicationLauncher.h"
#include "CLumivox5Data.h"
#include "FormStartOtherApp.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

// The menu as the operator reads it: "text" or "-" for a separator,
// "(text)" for a disabled item.
QStringList menuItems(QMenu* menu)
{
    QStringList items;
    for (QAction* action : menu->actions())
        items << (action->isSeparator() ? QString("-")
                                        : action->isEnabled() ? action->text() : "(" + action->text() + ")");
    return items;
}

} // namespace

// The launch menus, starting an entry and the launch list dialog's launcher.
class tst_Lumivox5MainStartApp : public MainWindowTestBase
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        CApplicationLauncher::SetScript(CApplicationLauncher::Script());
        MainWindowTestBase::cleanup();
    }
    void splitting_data();
    void splitting();
    void menusAndStarting();
    void dialogReplacesTheListShownNextTime();
};

void tst_Lumivox5MainStartApp::splitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("two blanks") << "a  b" << QStringList{"a", "", "b"};
    QTest::newRow("tab") << "a\tb" << QStringList{"a", "b"};
    QTest::newRow("ends trimmed") << "  a b  " << QStringList{"a", "b"};
    QTest::newRow("blanks only") << "   " << QStringList();
    QTest::newRow("quotes and shell text kept") << "\"two\" $(touch x);y"
                                                << QStringList{"\"two\"", "$(touch", "x);y"};
}

void tst_Lumivox5MainStartApp::splitting()
{
    QFETCH(QString, text);
    QFETCH(QStringList, arguments);
    QCOMPARE(CApplicationLauncher::SplitArguments(text), arguments);
}

// Both menus list the entries in order; the third item starts the third
// entry; a missing path warns with the entry's name and starts nothing.
void tst_Lumivox5MainStartApp::menusAndStarting()
{
    QTemporaryDir folder;
    m_Window = m_Fixture->makeWindow();
    QVERIFY(m_Window->m_blnProfileLoaded);
    QList<QStringList>* list = hub()->m_pStartAppList;
    list->clear();
    QMenu* toolMenu = m_Window->ui->menuToolStartProcess;
    QMenu* buttonMenu = m_Window->btnTBStartApp->menu();
    QVERIFY(buttonMenu);
    for (QMenu* menu : {toolMenu, buttonMenu}) {
        emit menu->aboutToShow();
        QCOMPARE(menuItems(menu), (QStringList{"(None)", "-", "&Application launch setting..."}));
    }
    *list << QStringList{"Shell", "/bin/sh", "-c  x"} << QStringList{"Gone", folder.path() + "/gone", ""}
          << QStringList{"Folder", folder.path(), "dropped"};
    QList<QPair<QString, QStringList>> started;
    CApplicationLauncher::SetScript(
        [&](const QString& path, const QStringList& arguments) { started << qMakePair(path, arguments); });
    ScriptedMessageBoxes boxes;
    bool modalDuringWarning = false;
    CMessageBoxes::SetScript([&](const CMessageBoxes::Box& box) {
        boxes.shown << box;
        modalDuringWarning = box.modalFlag;
        return QMessageBox::Ok;
    });
    for (QMenu* menu : {toolMenu, buttonMenu}) {
        emit menu->aboutToShow();
        QCOMPARE(menuItems(menu), (QStringList{"Shell", "Gone", "Folder", "-", "&Application launch setting..."}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(menu->actions().at(i)->data().toInt(), i);
    }
    toolMenu->actions().at(2)->trigger();
    buttonMenu->actions().at(0)->trigger();
    toolMenu->actions().at(1)->trigger();
    QCOMPARE(started.size(), 2);
    QCOMPARE(started[0].first, folder.path());
    QCOMPARE(started[0].second, QStringList{"dropped"});
    QCOMPARE(started[1].first, QString("/bin/sh"));
    QCOMPARE(started[1].second, (QStringList{"-c", "", "x"}));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QString("Gone does not exist."));
    QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
    QVERIFY(modalDuringWarning);
    QVERIFY(!hub()->m_ModalDialog);
}

// The launcher hands the hub's list to the dialog and back: OK without a
// change keeps the same list alive (no double free), Cancel changes nothing,
// and the next opening of a menu shows the dialog's changes.
void tst_Lumivox5MainStartApp::dialogReplacesTheListShownNextTime()
{
    m_Window = m_Fixture->makeWindow();
    QList<QStringList>* list = hub()->m_pStartAppList;
    *list = {{"A", "/a", ""}, {"B", "/b", ""}};
    for (const QString& ending : {QString("ok"), QString("cancel"), QString("move and ok")}) {
        bool modalWhileOpen = false;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            auto* dialog = qobject_cast<FormStartOtherApp*>(shown);
            QVERIFY(dialog);
            modalWhileOpen = hub()->m_ModalDialog;
            QCOMPARE(dialog->m_MaxCount, 10);
            QCOMPARE(dialog->windowFlags(), Qt::WindowFlags(0x0A003003));
            if (ending != "ok") {
                auto* view = dialog->findChild<QAbstractItemView*>("treeViewAppList");
                view->setCurrentIndex(view->model()->index(1, 0));
                dialog->findChild<QPushButton*>("btnMoveUp")->click();
            }
            const auto which = ending == "cancel" ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok;
            dialog->findChild<QDialogButtonBox*>("buttonBox")->button(which)->click();
        });
        m_Window->ui->actMenuToolStartProcessSettings->trigger();
        QVERIFY(modalWhileOpen);
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(hub()->m_pStartAppList, list);
        QVERIFY(m_Window->findChildren<FormStartOtherApp*>().isEmpty());
    }
    QCOMPARE(list->at(0).value(0), QString("B"));
    QMenu* toolMenu = m_Window->ui->menuToolStartProcess;
    emit toolMenu->aboutToShow();
    QCOMPARE(menuItems(toolMenu), (QStringList{"B", "A", "-", "&Application launch setting..."}));
}

QTEST_MAIN(tst_Lumivox5MainStartApp)
#include "tst_Lumivox5MainStartApp.moc"
