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

bool writeFile(const QString& path, const QByteArray& contents, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    file.close();
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner;
    return file.setPermissions(executable ? readable | QFile::ExeOwner : readable);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
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
        CApplicationLauncher::SetOpener(CApplicationLauncher::Opener());
        if (!m_Folder.isEmpty())
            QDir::setCurrent(m_Folder);
        m_Folder.clear();
        qputenv("PATH", m_Path);
        MainWindowTestBase::cleanup();
    }
    void splitting_data();
    void splitting();
    void menusAndStarting();
    void startingRunsTheFileOrOpensIt_data();
    void startingRunsTheFileOrOpensIt();
    void dialogReplacesTheListShownNextTime();

private:
    // The working folder and PATH to restore.
    QString m_Folder;
    QByteArray m_Path = qgetenv("PATH");
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

void tst_Lumivox5MainStartApp::startingRunsTheFileOrOpensIt_data()
{
    QTest::addColumn<QString>("entryPath");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("opens");
    // What the started program wrote, and whether the desktop was asked.
    QTest::addColumn<QByteArray>("ran");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("warned");
    const QByteArray program = "#!/bin/sh\necho here > \"$1\"\n";
    const QByteArray document = "minutes of the meeting\n";
    QTest::newRow("program") << "%1/tool" << program << true << true << QByteArray("here") << false << false;
    QTest::newRow("relative: the working folder's file, not PATH's")
        << "tool" << program << true << true << QByteArray("here") << false << false;
    QTest::newRow("document") << "%1/tool" << document << false << true << QByteArray() << true << false;
    QTest::newRow("document with execute bits")
        << "%1/tool" << document << true << true << QByteArray() << true << false;
    QTest::newRow("document with execute bits, no handler either")
        << "%1/tool" << document << true << false << QByteArray() << true << true;
}

// An entry's file runs as a program when it can; otherwise the desktop's
// handler opens it, and when that fails too, a warning names the file.
void tst_Lumivox5MainStartApp::startingRunsTheFileOrOpensIt()
{
    QFETCH(QString, entryPath);
    QFETCH(QByteArray, contents);
    QFETCH(bool, executable);
    QFETCH(bool, opens);
    QFETCH(QByteArray, ran);
    QFETCH(bool, opened);
    QFETCH(bool, warned);
    QTemporaryDir folder;
    const QString file = folder.filePath("tool");
    const QString marker = folder.filePath("ran");
    QVERIFY(writeFile(file, contents, executable));
    // Another program of the same name on PATH, which must not run.
    QVERIFY(QDir(folder.path()).mkdir("bin"));
    QVERIFY(writeFile(folder.filePath("bin/tool"), "#!/bin/sh\necho PATH > \"$1\"\n", true));
    qputenv("PATH", QFile::encodeName(folder.filePath("bin")) + ':' + m_Path);
    m_Folder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));

    m_Window = m_Fixture->makeWindow();
    *hub()->m_pStartAppList = { { "Tool", QString(entryPath).replace("%1", folder.path()), marker } };
    QList<QUrl> urls;
    CApplicationLauncher::SetOpener([&](const QUrl& url) {
        urls << url;
        return opens;
    });
    ScriptedMessageBoxes boxes;
    QMenu* menu = m_Window->ui->menuToolStartProcess;
    emit menu->aboutToShow();
    menu->actions().at(0)->trigger();

    if (!ran.isEmpty())
        QTRY_COMPARE(readFile(marker), ran);
    QCOMPARE(urls, opened ? QList<QUrl>{ QUrl::fromLocalFile(file) } : QList<QUrl>());
    QCOMPARE(boxes.shown.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(boxes.shown[0].text, file + " could not be started or opened.");
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
    }
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
