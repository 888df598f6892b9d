#include <QtTest>

#include "CLumivox5Data.h"
#include "CGroupTreeView.h"
#include "CProjectorData.h"
#include "DeviceSettingWindow.h"
#include "EditSettingWindow.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "QTreeViewEx.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

#include <functional>

namespace {

// Six projectors: four listed (3 enabled, one not), a network and a range.
const QByteArray USER_LIST = "[Header Info]\n"
                             "MagicCode=258-0017-686-1-5F\n"
                             "RevCode=Rev.1.0\n"
                             "[Setting 001]\nSettingName=Lobby\nDeviceType=LAN\nLanType=IP\n"
                             "IPAddress=10.0.0.1\nLanPort=7142\nEnabled=True\nComment=front\nGroupList=1\n"
                             "[Setting 002]\nSettingName=Hall\nDeviceType=LAN\nLanType=HOST\n"
                             "HostName=pj-hall.local\nLanPort=7142\nEnabled=True\n"
                             "[Setting 003]\nSettingName=Stage\nDeviceType=LAN\nLanType=IP\n"
                             "IPAddress=10.0.0.3\nLanPort=7142\nEnabled=True\n"
                             "[Setting 004]\nSettingName=Store\nDeviceType=LAN\nLanType=IP\n"
                             "IPAddress=10.0.0.4\nLanPort=7142\nEnabled=False\n"
                             "[Setting 005]\nSettingName=Net\nDeviceType=LAN\nLanType=Network\n"
                             "Network=10.1.0.0/16\nLanPort=7142\nEnabled=True\n"
                             "[Setting 006]\nSettingName=Span\nDeviceType=LAN\nLanType=RANGE\n"
                             "Network=10.2.0.1-10.2.0.9\nLanPort=7142\nEnabled=True\n"
                             "[Group]\n001=\"Floor 1\"\n";

QStandardItemModel* sourceModelOf(QTreeViewEx* view)
{
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    return proxy ? qobject_cast<QStandardItemModel*>(proxy->sourceModel()) : nullptr;
}

// The source row that shows this name, -1 for none.
int sourceRowOf(QStandardItemModel* model, const QString& name)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->item(row, 0)->text() == name)
            return row;
    }
    return -1;
}

// Selects the row that shows this name, alone.
void selectByName(DeviceSettingWindow* dialog, const QString& name)
{
    auto* view = dialog->findChild<QTreeViewEx*>(QStringLiteral("tvDeviceSettings"));
    QStandardItemModel* model = sourceModelOf(view);
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    const QModelIndex index = proxy->mapFromSource(model->index(sourceRowOf(model, name), 0));
    view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Runs a dialog command that opens the connection editor, sets these
// fields ("txtLANPort" etc.) and presses OK. The editor's title.
QString runEditor(DeviceSettingWindow* dialog, const char* command, const QMap<QString, QString>& fields)
{
    QString title;
    GuiTestSupport::OnNextPopup([&](QWidget* editor) {
        title = editor->windowTitle();
        for (auto field = fields.cbegin(); field != fields.cend(); ++field)
            editor->findChild<QLineEdit*>(field.key())->setText(field.value());
        editor->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QMetaObject::invokeMethod(dialog, command);
    return title;
}

} // namespace

// The main window's settings dialog launchers.
class tst_Lumivox5MainDialogs : public MainWindowTestBase
{
    Q_OBJECT

    Ui_Lumivox5Main* ui() const { return m_Window->ui; }

    QStringList saved() const
    {
        return m_Fixture->savedProjectors({"SettingName", "IPAddress", "HostName", "Network", "Enabled"});
    }

    void startWindow()
    {
        QVERIFY(m_Fixture->writeUserList(USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        QCOMPARE(hub()->f_GetProjectorCount(), 6);
    }

    // Tool > Communication Settings...; `edit` works in the dialog, then OK
    // or Cancel. Whether a dialog showed.
    bool runDialog(const std::function<void(DeviceSettingWindow*)>& edit, bool ok, int timeoutMs = 5000)
    {
        bool shown = false;
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            auto* dialog = qobject_cast<DeviceSettingWindow*>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            shown = true;
            QCOMPARE(dialog->windowFlags(), Qt::WindowFlags(0x0A003003));
            QVERIFY(hub()->m_ModalDialog);
            edit(dialog);
            auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        }, timeoutMs);
        ui()->actMenuToolCommunication->trigger();
        // A wait for a dialog that never came ends before the caller's locals go.
        if (!shown)
            QTest::qWait(timeoutMs + 50);
        return shown;
    }

    // A rename through the list's editor, an uncheck, and two destinations
    // changed in the dialog's records: 10.0.0.3 (enabled) and 10.0.0.4 (not).
    static void editTargets(DeviceSettingWindow* dialog)
    {
        auto* view = dialog->findChild<QTreeViewEx*>(QStringLiteral("tvDeviceSettings"));
        QStandardItemModel* model = sourceModelOf(view);
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 4);
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
        const QModelIndex lobby = proxy->mapFromSource(model->index(sourceRowOf(model, QStringLiteral("Lobby")), 0));
        view->selectionModel()->select(lobby, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->setCurrentIndex(lobby);
        view->edit(lobby);
        QLineEdit* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Lobby West"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(sourceRowOf(model, QStringLiteral("Lobby West")) >= 0, true);
        model->item(sourceRowOf(model, QStringLiteral("Hall")), 0)->setCheckState(Qt::Unchecked);
        dialog->aryNewDatas->value(3)->m_Address = QStringLiteral("10.0.0.33");
        dialog->aryNewDatas->value(4)->m_Address = QStringLiteral("10.0.0.44");
    }

private slots:
    // OK: renames, check boxes and destinations reach the registered
    // projectors in place; only an enabled changed destination is refreshed;
    // networks and ranges, never listed, stay; the list is saved.
    void communicationSettingsOk()
    {
        startWindow();
        RequestRecorder recorder;
        ScriptedMessageBoxes boxes;
        QVERIFY(runDialog(editTargets, true));
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(registered(),
                 QStringList({"1 Lobby West 10.0.0.1 7142 1 0 1 front", "2 Hall pj-hall.local 7142 0 0 0 ",
                              "3 Stage 10.0.0.33 7142 1 0 1 ", "4 Store 10.0.0.44 7142 1 0 0 ",
                              "5 Net 10.1.0.0/16 7142 3 0 1 ", "6 Span 10.2.0.1-10.2.0.9 7142 4 0 1 "}));
        QCOMPARE(recorder.requests, QStringList{"1 - 1 1 [3] 0 1"});
        QCOMPARE(saved(), QStringList({"Lobby West 10.0.0.1 True", "Hall pj-hall.local False", "Stage 10.0.0.33 True",
                                       "Store 10.0.0.44 False", "Net 10.1.0.0/16 True", "Span 10.2.0.1-10.2.0.9 True"}));
        QVERIFY(hub()->m_pProjectorDatasTemp->isEmpty());
        QCOMPARE(boxes.shown.size(), 0);
        // Group membership kept.
        QCOMPARE(hub()->GetProjectorData(1)->m_GroupList.keys(), QList<int>{1});
    }

    // Cancel: nothing reaches the registered projectors or the saved list;
    // the dialog's copy is dropped.
    void communicationSettingsCancel()
    {
        startWindow();
        // A group shown: the rebuilt tree shows all projectors again.
        CGroupTreeView* tree = ui()->treeViewGroup;
        const QModelIndex groups = tree->model()->index(CGroupTreeView::ROW_GROUP, 0);
        tree->setCurrentIndex(tree->model()->index(0, 0, groups));
        QVERIFY(!tree->IsSelectedAllProjectors());
        const QStringList before = registered();
        QByteArray savedAtOpen;
        RequestRecorder recorder;
        QVERIFY(runDialog(
            [&](DeviceSettingWindow* dialog) {
                savedAtOpen = CTestFolders::readFile(m_Fixture->userListPath());
                editTargets(dialog);
            },
            false));
        QVERIFY(!savedAtOpen.isEmpty());
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(registered(), before);
        QCOMPARE(CTestFolders::readFile(m_Fixture->userListPath()), savedAtOpen);
        QCOMPARE(recorder.requests, QStringList());
        QVERIFY(hub()->m_pProjectorDatasTemp->isEmpty());
        QCOMPARE(hub()->m_ProjectorGroups->size(), 1);
        QVERIFY(tree->IsSelectedAllProjectors());
    }

    // A list that cannot be saved first: the dialog would work on an older
    // copy, so it does not open, and the operator is told.
    void communicationSettingsUnsaved()
    {
        startWindow();
        QVERIFY(QFile::remove(m_Fixture->userListPath()));
        QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
        ScriptedMessageBoxes boxes;
        const QStringList before = registered();
        QVERIFY(!runDialog([](DeviceSettingWindow*) {}, true, 300));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
        QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
        QCOMPARE(boxes.shown.at(0).text,
                 QStringLiteral("The projector list could not be saved.\nThe communication settings cannot be opened."));
        QVERIFY(boxes.shown.at(0).modalFlag);
        QCOMPARE(registered(), before);
        QVERIFY(hub()->m_pProjectorDatasTemp->isEmpty());
    }

    // A list that cannot be written at OK: the box names the changes made
    // in the dialog, which the program keeps.
    void communicationSettingsUnsavedAtOk()
    {
        startWindow();
        ScriptedMessageBoxes boxes;
        QVERIFY(runDialog(
            [&](DeviceSettingWindow* dialog) {
                editTargets(dialog);
                QVERIFY(QFile::remove(m_Fixture->userListPath()));
                QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
            },
            true));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Warning);
        QCOMPARE(boxes.shown.at(0).text,
                 QStringLiteral("The projector list could not be written to %1.\nThe changes made in the communication "
                                "settings (projectors added, edited or deleted) are kept and written again at exit.")
                     .arg(QDir::toNativeSeparators(m_Fixture->userListPath())));
        QCOMPARE(hub()->GetProjectorData(1)->m_SettingName, QStringLiteral("Lobby West"));
    }

    // Targets made and changed in the connection editor: a new one is
    // registered as a new projector, an edited one takes its new port (0 is
    // stored: the device link refuses to connect to it) and is refreshed;
    // both are saved.
    void communicationSettingsEditor()
    {
        startWindow();
        RequestRecorder recorder;
        ScriptedMessageBoxes boxes;
        QStringList editorsSeen;
        QVERIFY(runDialog(
            [&](DeviceSettingWindow* dialog) {
                dialog->findChild<QTreeViewEx*>()->selectionModel()->clearSelection();
                editorsSeen << runEditor(dialog, "f_CreateNewConnection",
                                         {{"txtSettingName", "Annex"}, {"txtLANIPv4", "10.0.0.9"}});
                selectByName(dialog, QStringLiteral("Stage"));
                editorsSeen << runEditor(dialog, "f_CreateEditConnection", {{"txtLANPort", "0"}});
            },
            true));
        QCOMPARE(editorsSeen, QStringList({"New Settings", "Edit"}));
        QCOMPARE(boxes.shown.size(), 0);
        QCOMPARE(hub()->GetProjectorData(3)->m_Port, QStringLiteral("0"));
        CProjectorData* annex = hub()->GetProjectorData(7);
        QVERIFY(annex);
        QCOMPARE(annex->m_SettingName, QStringLiteral("Annex"));
        QCOMPARE(annex->m_Address, QStringLiteral("10.0.0.9"));
        QVERIFY(recorder.requests.contains(QStringLiteral("1 - 1 1 [3] 0 1")));
        QCOMPARE(m_Fixture->savedProjectors({"SettingName", "IPAddress", "LanPort"}),
                 QStringList({"Lobby 10.0.0.1 7142", "Hall 7142", "Stage 10.0.0.3 0", "Store 10.0.0.4 7142", "Net 7142",
                              "Span 7142", "Annex 10.0.0.9 7142"}));
    }

    // A port typed with blanks or a leading zero is kept as its number, so
    // the next OK without edits finds the projector unchanged: it keeps its
    // id and its group.
    void communicationSettingsTypedPort_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("blank before") << " 7142";
        QTest::newRow("leading zero") << "07142";
    }

    void communicationSettingsTypedPort()
    {
        QFETCH(QString, typed);
        startWindow();
        ScriptedMessageBoxes boxes;
        QVERIFY(runDialog(
            [&](DeviceSettingWindow* dialog) {
                selectByName(dialog, QStringLiteral("Lobby"));
                QCOMPARE(runEditor(dialog, "f_CreateEditConnection", {{"txtLANPort", typed}}), QStringLiteral("Edit"));
            },
            true));
        QCOMPARE(hub()->GetProjectorData(1)->m_Port, QStringLiteral("7142"));
        QVERIFY(runDialog([](DeviceSettingWindow*) {}, true));
        QCOMPARE(boxes.shown.size(), 0);
        CProjectorData* lobby = hub()->GetProjectorData(1);
        QVERIFY(lobby);
        QCOMPARE(lobby->m_SettingName, QStringLiteral("Lobby"));
        QCOMPARE(lobby->m_GroupList.keys(), QList<int>{1});
        QCOMPARE(hub()->f_GetProjectorCount(), 6);
    }
};

QTEST_MAIN(tst_Lumivox5MainDialogs)
#include "tst_Lumivox5MainDialogs.moc"
