#include <QtTest>

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "ClmnSortProxyModel.h"
#include "DeviceSettingWindow.h"
#include "EditSettingWindow.h"
#include "GuiTestSupport.h"
#include "HubTestFolders.h"
#include "QLineEditExBase.h"
#include "QStyledItemDelegateEx2.h"
#include "QTreeViewEx.h"
#include "ScriptedModalBoxes.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

#include <functional>
#include <memory>

namespace {

// A record as "id|name|kind|type|address|port|enabled|comment"; kind 0 is
// LAN, type a CProjectorData::TYPE_LAN value, enabled 1 or 0.
CProjectorData* makeRecord(CLumivox5Data* hub, const QString& spec)
{
    const QStringList f = spec.split(QLatin1Char('|'));
    auto* record = new CProjectorData(hub->m_pProfileList, f.at(0).toInt());
    record->m_SettingName = f.at(1);
    record->m_DeviceKind = f.at(2).toInt();
    record->m_AddressType = CProjectorData::TYPE_LAN::Enum(f.at(3).toInt());
    record->m_Address = f.at(4);
    record->m_Port = f.at(5);
    record->m_Enabled = f.at(6) == QLatin1String("1");
    record->m_Comment = f.value(7);
    return record;
}

// A plain LAN target at an IPv4 address, enabled.
QString target(int id, const QString& name, const QString& address = QStringLiteral("10.0.0.1"))
{
    return QStringLiteral("%1|%2|0|1|%3|7142|1|").arg(id).arg(name, address);
}

QList<int> sortedIds(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<int> idsOf(const QList<bool>* flags)
{
    QList<int> ids;
    for (int id = 0; id < flags->size(); ++id) {
        if (flags->at(id))
            ids << id;
    }
    return ids;
}

QTreeViewEx* viewOf(QWidget* dialog)
{
    return dialog->findChild<QTreeViewEx*>(QStringLiteral("tvDeviceSettings"));
}

QPushButton* buttonOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

// The editor a view has open, or null (a closed one is hidden until it goes).
QLineEdit* editorOf(QAbstractItemView* view)
{
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>()) {
        if (!editor->isHidden())
            return editor;
    }
    return nullptr;
}

// Makes exactly these rows of the view selected, the first of them current.
void selectRows(QAbstractItemView* view, const QList<int>& rows)
{
    view->selectionModel()->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        view->selectionModel()->setCurrentIndex(view->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
}

// Types into the open editor and ends the edit with `key`.
void typeIntoEditor(QAbstractItemView* view, const QString& text, Qt::Key key)
{
    QLineEdit* editor = editorOf(view);
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, key);
    QTRY_VERIFY(!editorOf(view));
}

} // namespace

// The communication settings dialog: its list, check boxes, renaming,
// enabling, life cycle and change set; and the list's proxy, view and delegate.
class tst_DeviceSettingWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<HubTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::unique_ptr<DeviceSettingWindow> m_Dialog;

    QTreeViewEx* view() const { return viewOf(m_Dialog.get()); }

    // Registers records in the hub's projector map.
    void registerRecords(const QStringList& specs)
    {
        for (const QString& spec : specs) {
            CProjectorData* record = makeRecord(m_Hub.get(), spec);
            m_Hub->m_pProjectorDatas->insert(record->m_Id, record);
            (*m_Hub->m_pIDUsedList)[record->m_Id] = true;
        }
    }

    // Puts records into the temporary map, as the opener's reload does.
    void temporaryRecords(const QStringList& specs)
    {
        for (const QString& spec : specs) {
            CProjectorData* record = makeRecord(m_Hub.get(), spec);
            m_Hub->AddProjectorTemp(record->m_Id, record);
        }
    }

    // The same records registered and in the temporary map, then the dialog shown.
    void showWith(const QStringList& specs)
    {
        registerRecords(specs);
        temporaryRecords(specs);
        m_Dialog->show();
    }

    // Rows in view order as "name|device|setting|port|projector name|comment|check".
    QStringList rows() const
    {
        const QAbstractItemModel* model = view()->model();
        QStringList result;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            cells << QString::number(model->index(r, 0).data(Qt::CheckStateRole).toInt());
            result << cells.join(QLatin1Char('|'));
        }
        return result;
    }

    QStringList names() const
    {
        QStringList result;
        for (const QString& row : rows())
            result << row.section(QLatin1Char('|'), 0, 0);
        return result;
    }

    int rowOfName(const QString& name) const { return names().indexOf(name); }

    CProjectorData* temp(int id) const { return m_Hub->GetProjectorDataTemp(id); }

    void invoke(const char* slot) { QVERIFY(QMetaObject::invokeMethod(m_Dialog.get(), slot)); }

    // Opens the in-place editor on the name of the one selected row.
    void startRename(const QString& name)
    {
        const int row = rowOfName(name);
        QVERIFY(row >= 0);
        selectRows(view(), {row});
        view()->edit(view()->model()->index(row, 0));
        QVERIFY(editorOf(view()));
    }

    // The context menu's entries as "objectName text enabled", shown on the view.
    QStringList contextMenu()
    {
        QStringList entries;
        GuiTestSupport::OnNextPopup([&](QWidget* popup) {
            for (QAction* action : popup->actions()) {
                if (!action->isSeparator())
                    entries << QStringLiteral("%1 %2 %3").arg(action->objectName(), action->text()).arg(action->isEnabled());
            }
            popup->close();
        });
        QMetaObject::invokeMethod(m_Dialog.get(), "f_ShowContextMenu", Q_ARG(QPoint, QPoint(5, 5)));
        return entries;
    }

    // The connection editor's fields as "title|name|mode|address|port|comment"
    // (mode "ip" or "host"; the address without the mask's blanks).
    static QString editorFields(QWidget* editor)
    {
        const auto text = [editor](const char* name) {
            return editor->findChild<QLineEdit*>(QLatin1String(name))->text();
        };
        const bool host = editor->findChild<QRadioButton*>(QStringLiteral("optLANModeHost"))->isChecked();
        return QStringList({editor->windowTitle(), text("txtSettingName"), host ? "host" : "ip",
                            host ? text("txtLANHost") : text("txtLANIPv4").remove(QLatin1Char(' ')), text("txtLANPort"),
                            text("txtComment")})
            .join(QLatin1Char('|'));
    }

    // Runs a command that opens the connection editor; `fill` may change its
    // fields, then OK (or Cancel) ends it. The editor's fields as it opened,
    // or "none" when no editor opened.
    QString runEditor(const char* command, bool ok, std::function<void(QWidget*)> fill = {})
    {
        // The watch outlives this call when no editor opens: it must then do nothing.
        auto seen = std::make_shared<QString>(QStringLiteral("none"));
        auto waiting = std::make_shared<bool>(true);
        GuiTestSupport::OnNextPopup(
            [seen, waiting, ok, fill](QWidget* editor) {
                if (!*waiting || !qobject_cast<EditSettingWindow*>(editor))
                    return;
                *seen = editorFields(editor);
                if (fill)
                    fill(editor);
                auto* box = editor->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
                // A refused OK leaves the editor open: cancel it then.
                if (editor->isVisible())
                    box->button(QDialogButtonBox::Cancel)->click();
            },
            2000);
        invoke(command);
        *waiting = false;
        return *seen;
    }

    static void setField(QWidget* editor, const char* name, const QString& text)
    {
        editor->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
    }

    // Ids of the rows in view order.
    QList<int> rowIds() const
    {
        QList<int> ids;
        for (int r = 0; r < view()->model()->rowCount(); ++r)
            ids << view()->model()->index(r, 0).data(DeviceSettingWindow::ROLE_ID).toInt();
        return ids;
    }

    // The current row's name, "none" without one.
    QString currentName() const
    {
        const QModelIndex current = view()->currentIndex();
        return current.isValid() ? view()->model()->index(current.row(), 0).data().toString() : QStringLiteral("none");
    }

    // Many plain targets "P<id>" at distinct addresses, then `unlisted`
    // address ranges, which the list never shows.
    static QStringList manyTargets(int count, int unlisted = 0)
    {
        QStringList specs;
        for (int id = 1; id <= count; ++id)
            specs << QStringLiteral("%1|P%1|0|1|10.0.%2.%3|7142|1|").arg(id).arg(id / 250).arg(id % 250 + 1);
        for (int id = count + 1; id <= count + unlisted; ++id)
            specs << QStringLiteral("%1|R%1|0|4|10.9.0.1-10.9.0.9|7142|1|").arg(id);
        return specs;
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void init()
    {
        m_Folders.reset(new HubTestFolders);
        m_Folders->writeProfile();
        m_Hub = m_Folders->makeHub();
        m_Dialog.reset(new DeviceSettingWindow);
        m_Dialog->m_Lumivox5Data = m_Hub.get();
    }

    void cleanup()
    {
        m_Dialog.reset();
        m_Hub.reset();
        m_Folders.reset();
    }

    // ------------------------------------------------------------ list view components

    void proxyOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("less");
        QTest::newRow("9 before 10") << 2 << "9.0.0.1" << "10.0.0.2" << true;
        QTest::newRow("10 after 9") << 2 << "10.0.0.2" << "9.0.0.1" << false;
        QTest::newRow("last part by number") << 2 << "10.0.0.2" << "10.0.0.10" << true;
        QTest::newRow("zeros padded: equal") << 2 << "192.168.000.010" << "192.168.0.10" << false;
        QTest::newRow("zeros padded: equal, turned") << 2 << "192.168.0.10" << "192.168.000.010" << false;
        QTest::newRow("a part that is no number is 0") << 2 << "10.0.x.1" << "10.0.1.1" << true;
        QTest::newRow("host name by text") << 2 << "pj-hall" << "10.0.0.1" << false;
        QTest::newRow("address before host name") << 2 << "10.0.0.1" << "pj-hall" << true;
        QTest::newRow("three parts by text") << 2 << "10.2.3" << "9.2.3.4" << true;
        QTest::newRow("serial placeholder by text") << 2 << "---" << "1.2.3.4" << true;
        QTest::newRow("port by text") << 3 << "10023" << "7142" << true;
        QTest::newRow("other columns by text") << 0 << "10.0.0.2" << "9.0.0.1" << true;
    }

    void proxyOrder()
    {
        QFETCH(int, column);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, less);
        QStandardItemModel model(2, 6);
        model.setItem(0, column, new QStandardItem(left));
        model.setItem(1, column, new QStandardItem(right));
        ClmnSortProxyModel proxy;
        proxy.setSourceModel(&model);
        QCOMPARE(proxy.lessThan(model.index(0, column), model.index(1, column)), less);
    }

    // Editing only while exactly one row is selected; a programmatic request
    // goes to the edit column of the same row.
    void viewEditing_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("editColumn");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("edited");
        QTest::newRow("none selected") << QList<int>() << 0 << 0 << -1;
        QTest::newRow("one, to the edit column") << QList<int>{1} << 0 << 4 << 0;
        QTest::newRow("one, on the edit column") << QList<int>{1} << 0 << 0 << 0;
        QTest::newRow("two selected") << QList<int>{0, 1} << 0 << 0 << -1;
        QTest::newRow("no edit column: the cell asked") << QList<int>{1} << -1 << 4 << 4;
    }

    void viewEditing()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, editColumn);
        QFETCH(int, requested);
        QFETCH(int, edited);
        QStandardItemModel model(3, 6);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 6; ++c)
                model.setItem(r, c, new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c)));
        QTreeViewEx view;
        QCOMPARE(view.m_EditColumn, -1);
        view.setModel(&model);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.setItemDelegate(new QStyledItemDelegateEx2(&view));
        view.m_EditColumn = editColumn;
        view.show();
        selectRows(&view, selected);
        view.edit(model.index(1, requested));
        QLineEdit* editor = editorOf(&view);
        QCOMPARE(editor != nullptr, edited >= 0);
        if (!editor)
            return;
        QVERIFY(qobject_cast<QLineEditExBase*>(editor));
        typeIntoEditor(&view, QStringLiteral("typed"), Qt::Key_Return);
        for (int c = 0; c < 6; ++c)
            QCOMPARE(model.item(1, c)->text(), c == edited ? QStringLiteral("typed") : QStringLiteral("r1c%1").arg(c));
    }

    // Tab and Backtab stay in the editor, which keeps its text; Return commits.
    void editorKeepsTab()
    {
        QStandardItemModel model(2, 2);
        model.setItem(0, 0, new QStandardItem(QStringLiteral("a")));
        model.setItem(1, 0, new QStandardItem(QStringLiteral("b")));
        QTreeViewEx view;
        view.setModel(&model);
        view.setItemDelegate(new QStyledItemDelegateEx2(&view));
        view.show();
        selectRows(&view, {0});
        view.edit(model.index(0, 0));
        QLineEdit* editor = editorOf(&view);
        QVERIFY(editor);
        editor->setText(QStringLiteral("typed"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QTest::keyClick(editor, Qt::Key_Backtab);
        QCoreApplication::processEvents();
        QCOMPARE(editorOf(&view), editor);
        QCOMPARE(editor->text(), QStringLiteral("typed"));
        QCOMPARE(model.item(0, 0)->text(), QStringLiteral("a"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(model.item(0, 0)->text(), QStringLiteral("typed"));
        QCOMPARE(model.item(1, 0)->text(), QStringLiteral("b"));
    }

    // ------------------------------------------------------------ the dialog

    void formAndTexts()
    {
        QCOMPARE(m_Dialog->objectName(), QStringLiteral("DeviceSettingWindow"));
        QCOMPARE(m_Dialog->windowTitle(), QStringLiteral("Communication Settings"));
        QCOMPARE(m_Dialog->minimumSize(), QSize(740, 295));
        QCOMPARE(m_Dialog->maximumSize(), QSize(740, 295));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnNewConnection")->text(), QStringLiteral("&New Settings..."));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnEdit")->text(), QStringLiteral("&Edit..."));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnDelete")->text(), QStringLiteral("&Delete"));
        auto* box = m_Dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QCOMPARE(box->button(QDialogButtonBox::Ok)->text(), QStringLiteral("&OK"));
        QCOMPARE(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
        QCOMPARE(box->button(QDialogButtonBox::Help)->text(), QStringLiteral("&Help"));
        QStringList titles;
        for (int c = 0; c < view()->model()->columnCount(); ++c)
            titles << view()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"Setting Name", "Device", "Setting", "Port", "Projector Name", "Comment"}));
        // No button row lower than 32 pixels.
        m_Dialog->show();
        for (const char* name : {"btnNewConnection", "btnEdit", "btnDelete"})
            QVERIFY(buttonOf(m_Dialog.get(), name)->height() >= 32);
        QVERIFY(box->height() >= 32);
        // Help names the page and the dialog.
        QSignalSpy help(m_Dialog.get(), &DeviceSettingWindow::ShowHelpSignal);
        box->button(QDialogButtonBox::Help)->click();
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toString(), QStringLiteral("_RESOURCE/html/CommunicationSetting.htm"));
        QCOMPARE(help.at(0).at(1).value<QWidget*>(), m_Dialog.get());
    }

    // Every temporary record but networks and ranges, by kind.
    void listedRows()
    {
        temporaryRecords({"1|Host|0|0|pj-hall.local|7142|1|Hall", "2|Address|0|1|192.168.0.10|10023|0|",
                          "3|Serial|1|1|/dev/ttyS0||1|Rack", "4|Range|0|4|10.0.0.1-10.0.0.9|7142|1|",
                          "5|Network|0|3|10.1.0.0/16|7142|1|"});
        temp(2)->m_Status[CProjectorData::StLastProjectorName].FromString(QStringLiteral("KX200 Series"));
        m_Dialog->show();
        QCOMPARE(rows(), QStringList({"Address|LAN|192.168.0.10|10023|KX200 Series||0",
                                      "Host|LAN|pj-hall.local|7142||Hall|2", "Serial|Serial|---|/dev/ttyS0||Rack|2"}));
        QCOMPARE(m_Dialog->aryNewDatas->keys(), QList<int>({1, 2, 3, 4, 5}));
        QVERIFY(m_Dialog->targetList.isEmpty());
    }

    // After showing, every listed registered target is in targetList (once)
    // and aryNewDatas; it is updated in place when it matched its registered
    // projector. Unlisted ones keep their flags and stay out.
    void changeSetAtShow_data()
    {
        QTest::addColumn<QStringList>("registered");
        QTest::addColumn<QStringList>("temporary");
        QTest::addColumn<QList<int>>("targets");
        QTest::addColumn<QList<int>>("newDatas");
        QTest::addColumn<QList<int>>("modify");
        QTest::newRow("unchanged") << QStringList{target(1, "A"), target(2, "B")}
                                   << QStringList{target(1, "A"), target(2, "B")} << QList<int>{1, 2}
                                   << QList<int>{1, 2} << QList<int>{1, 2};
        QTest::newRow("temporary only") << QStringList() << QStringList{target(3, "C")} << QList<int>()
                                        << QList<int>{3} << QList<int>();
        QTest::newRow("name differs") << QStringList{target(1, "A"), target(2, "B")}
                                      << QStringList{target(1, "A"), target(2, "Renamed")} << QList<int>{1, 2}
                                      << QList<int>{1, 2} << QList<int>{1};
        QTest::newRow("comment differs") << QStringList{target(1, "A")} << QStringList{"1|A|0|1|10.0.0.1|7142|1|note"}
                                         << QList<int>{1} << QList<int>{1} << QList<int>();
        QTest::newRow("destination differs")
            << QStringList{target(1, "A"), target(2, "B")} << QStringList{target(1, "A", "10.0.0.9"), "2|B|0|1|10.0.0.1|7142|0|"}
            << QList<int>{1, 2} << QList<int>{1, 2} << QList<int>();
        QTest::newRow("network and range unlisted")
            << QStringList{"4|R|0|4|10.0.0.1-10.0.0.9|7142|1|", "5|N|0|3|10.1.0.0/16|7142|1|", target(6, "F")}
            << QStringList{"4|R|0|4|10.0.0.1-10.0.0.9|7142|1|", "5|N|0|3|10.1.0.0/16|7142|1|", target(6, "F")}
            << QList<int>{6} << QList<int>{6} << QList<int>{4, 5, 6};
    }

    void changeSetAtShow()
    {
        QFETCH(QStringList, registered);
        QFETCH(QStringList, temporary);
        QFETCH(QList<int>, targets);
        QFETCH(QList<int>, newDatas);
        QFETCH(QList<int>, modify);
        registerRecords(registered);
        temporaryRecords(temporary);
        m_Dialog->show();
        QCOMPARE(sortedIds(m_Dialog->targetList), targets);
        QCOMPARE(m_Dialog->aryNewDatas->keys(), newDatas);
        for (int id : newDatas)
            QCOMPARE(m_Dialog->aryNewDatas->value(id), temp(id));
        QCOMPARE(idsOf(m_Dialog->aryModifyProjectorsID), modify);
        QCOMPARE(m_Dialog->aryModifyProjectorsID->size(), CLumivox5Data::ID_MAX + 1);
    }

    // A check box change reaches the record at once; a target enters
    // targetList once however often it changes.
    void checkBoxes()
    {
        showWith({target(1, "A"), target(2, "B"), "3|C|0|1|10.0.0.3|7142|0|"});
        QStandardItemModel* model =
            qobject_cast<QStandardItemModel*>(qobject_cast<QSortFilterProxyModel*>(view()->model())->sourceModel());
        QVERIFY(model);
        for (int round = 0; round < 3; ++round) {
            model->item(0, 0)->setCheckState(Qt::Unchecked);
            QCOMPARE(temp(1)->m_Enabled, false);
            model->item(0, 0)->setCheckState(Qt::Checked);
            QCOMPARE(temp(1)->m_Enabled, true);
        }
        invoke("f_AllListCheckClear");
        QCOMPARE(QList<bool>({temp(1)->m_Enabled, temp(2)->m_Enabled, temp(3)->m_Enabled}),
                 QList<bool>({false, false, false}));
        invoke("f_AllListCheck");
        QCOMPARE(QList<bool>({temp(1)->m_Enabled, temp(2)->m_Enabled, temp(3)->m_Enabled}),
                 QList<bool>({true, true, true}));
        QCOMPARE(sortedIds(m_Dialog->targetList), QList<int>({1, 2, 3}));
        QCOMPARE(m_Dialog->aryNewDatas->keys(), QList<int>({1, 2, 3}));
        // The registered records stay as they were.
        QVERIFY(!m_Hub->GetProjectorData(3)->m_Enabled);
    }

    // All Check on ten rows: ten flags set, no id twice.
    void allCheckOnTenRows()
    {
        QStringList specs;
        for (int id = 1; id <= 10; ++id)
            specs << QStringLiteral("%1|P%1|0|1|10.0.0.%1|7142|0|").arg(id);
        showWith(specs);
        invoke("f_AllListCheck");
        for (int id = 1; id <= 10; ++id)
            QVERIFY(temp(id)->m_Enabled);
        QCOMPARE(sortedIds(m_Dialog->targetList), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }

    // Names up to 32 bytes of the local encoding are stored (an empty one
    // too); longer ones are refused with the limit in the message, and the
    // row shows the old name again.
    void rename_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("stored");
        QTest::newRow("32 ASCII") << QString(32, QLatin1Char('n')) << true;
        QTest::newRow("33 ASCII") << QString(33, QLatin1Char('n')) << false;
        QTest::newRow("11 three-byte characters") << QString(11, QChar(0x65E5)) << false;
        QTest::newRow("10 three-byte characters") << QString(10, QChar(0x65E5)) << true;
        QTest::newRow("empty") << QString() << true;
    }

    void rename()
    {
        QFETCH(QString, typed);
        QFETCH(bool, stored);
        showWith({target(1, "Old"), target(2, "Other")});
        ScriptedMessageBoxes boxes;
        startRename(QStringLiteral("Old"));
        typeIntoEditor(view(), typed, Qt::Key_Return);
        QCOMPARE(temp(1)->m_SettingName, stored ? typed : QStringLiteral("Old"));
        QVERIFY(names().contains(stored ? typed : QStringLiteral("Old")));
        QCOMPARE(boxes.shown.size(), stored ? 0 : 1);
        if (!stored) {
            QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
            QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
            QCOMPARE(boxes.shown.at(0).text,
                     QStringLiteral("Your typed name exceeds the length limit.\nThe name must be 32 characters or less."));
        }
        QCOMPARE(m_Hub->GetProjectorData(1)->m_SettingName, QStringLiteral("Old"));
    }

    // F2 renames the selected row's record, also when the current row moved
    // on without selecting (Ctrl+Down), and so does a refused name put back.
    void renameFollowsTheEditedRow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stored") << "X" << "X";
        QTest::newRow("refused") << QString(33, QLatin1Char('n')) << "A";
    }

    void renameFollowsTheEditedRow()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        showWith({target(1, "A"), target(2, "B")});
        ScriptedMessageBoxes boxes;
        selectRows(view(), {0});
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(currentName(), QStringLiteral("B"));
        QTest::keyClick(view(), Qt::Key_F2);
        QCOMPARE(editorOf(view())->text(), QStringLiteral("A"));
        typeIntoEditor(view(), typed, Qt::Key_Return);
        QCOMPARE(temp(1)->m_SettingName, shown);
        QCOMPARE(temp(2)->m_SettingName, QStringLiteral("B"));
        QStringList expected{shown, "B"};
        expected.sort();
        QCOMPARE(names(), expected);
    }

    // Escape leaves the record's name and the row as they were.
    void renameCancelledWithEscape()
    {
        showWith({target(1, "Old")});
        startRename(QStringLiteral("Old"));
        typeIntoEditor(view(), QStringLiteral("Typed"), Qt::Key_Escape);
        QCOMPARE(temp(1)->m_SettingName, QStringLiteral("Old"));
        QCOMPARE(names(), QStringList{"Old"});
    }

    // A rename puts the rows back in name order, whatever the operator sorted by.
    void renameSortsByName()
    {
        showWith({target(1, "B", "10.0.0.9"), target(2, "C", "10.0.0.10"), target(3, "D", "10.0.0.2")});
        QCOMPARE(names(), QStringList({"B", "C", "D"}));
        view()->sortByColumn(2, Qt::AscendingOrder);
        QCOMPARE(names(), QStringList({"D", "B", "C"}));
        startRename(QStringLiteral("C"));
        typeIntoEditor(view(), QStringLiteral("A"), Qt::Key_Return);
        QCOMPARE(names(), QStringList({"A", "B", "D"}));
    }

    // A click on an already selected row edits its name only: the other
    // cells show what the connection editor changes.
    void clicksEditOnlyTheName_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("editor");
        QTest::newRow("setting name") << 0 << true;
        QTest::newRow("setting") << 2 << false;
        QTest::newRow("comment") << 5 << false;
    }

    void clicksEditOnlyTheName()
    {
        QFETCH(int, column);
        QFETCH(bool, editor);
        const int interval = QApplication::doubleClickInterval();
        QApplication::setDoubleClickInterval(50);
        showWith({target(1, "A"), target(2, "B")});
        selectRows(view(), {0});
        const QRect cell = view()->visualRect(view()->model()->index(0, column));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::qWait(200);
        QApplication::setDoubleClickInterval(interval);
        QCOMPARE(editorOf(view()) != nullptr, editor);
    }

    // New, Edit and Delete by the selection; the menu's Edit, Delete and
    // Rename likewise; New Settings only below 2000 rows.
    void enabling_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("unlisted");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("menu");
        QTest::newRow("none selected") << 3 << 0 << QList<int>() << "100" << "1001011";
        QTest::newRow("one selected") << 3 << 0 << QList<int>{1} << "111" << "1111111";
        QTest::newRow("two selected") << 3 << 0 << QList<int>{0, 2} << "101" << "1011011";
        QTest::newRow("empty list") << 0 << 0 << QList<int>() << "100" << "1001011";
        QTest::newRow("2000 rows") << 2000 << 0 << QList<int>{5} << "011" << "1111111";
        QTest::newRow("1999 rows and a range") << 1999 << 1 << QList<int>{5} << "011" << "1111111";
    }

    void enabling()
    {
        QFETCH(int, count);
        QFETCH(int, unlisted);
        QFETCH(QList<int>, selected);
        QFETCH(QString, buttons);
        QFETCH(QString, menu);
        temporaryRecords(manyTargets(count, unlisted));
        m_Dialog->show();
        QCOMPARE(view()->model()->rowCount(), count);
        selectRows(view(), selected);
        QString enabled;
        for (const char* name : {"btnNewConnection", "btnEdit", "btnDelete"})
            enabled += buttonOf(m_Dialog.get(), name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(enabled, buttons);
        QString entries;
        for (const QString& entry : contextMenu())
            entries += entry.right(1);
        QCOMPARE(entries, menu);
    }

    void contextMenuEntries()
    {
        m_Dialog->show();
        QCOMPARE(contextMenu(), QStringList({"actNew &New Settings... 1", "actEdit &Edit... 0", "actDel &Delete 0",
                                             "actAllDel &All Delete 1", "actRename &Rename 0",
                                             "actAllCheck All Chec&k 1", "actAllClear All Clear 1"}));
    }

    // OK ends with 1, Cancel and the close box with 0.
    void results_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "ok" << 1;
        QTest::newRow("Cancel") << "cancel" << 0;
        QTest::newRow("close box") << "close" << 0;
        QTest::newRow("Escape") << "escape" << 0;
    }

    void results()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        temporaryRecords({target(1, "A")});
        auto* box = m_Dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            QCOMPARE(shown, m_Dialog.get());
            if (how == QLatin1String("ok"))
                box->button(QDialogButtonBox::Ok)->click();
            else if (how == QLatin1String("cancel"))
                box->button(QDialogButtonBox::Cancel)->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(m_Dialog->exec(), result);
    }

    // A language change sets the title and the three buttons again; the
    // column titles stay.
    void languageChange()
    {
        m_Dialog->show();
        m_Dialog->setWindowTitle(QStringLiteral("x"));
        for (const char* name : {"btnNewConnection", "btnEdit", "btnDelete"})
            buttonOf(m_Dialog.get(), name)->setText(QStringLiteral("x"));
        view()->model()->setHeaderData(0, Qt::Horizontal, QStringLiteral("x"));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_Dialog.get(), &change);
        QCOMPARE(m_Dialog->windowTitle(), QStringLiteral("Communication Settings"));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnNewConnection")->text(), QStringLiteral("&New Settings..."));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnEdit")->text(), QStringLiteral("&Edit..."));
        QCOMPARE(buttonOf(m_Dialog.get(), "btnDelete")->text(), QStringLiteral("&Delete"));
        QCOMPARE(view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("x"));
    }

    // ------------------------------------------------------------ creating, editing, deleting

    // New opens the editor below 2000 rows; at 2000, or with no free id, a
    // message and nothing else.
    void newLimits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("unlisted");
        QTest::addColumn<bool>("idsExhausted");
        QTest::addColumn<QString>("message");
        QTest::newRow("1999 rows") << 1999 << 0 << false << "";
        QTest::newRow("2000 rows") << 2000 << 0 << false << "Up to 2000 settings can be entered.";
        // The commit registers every record: unlisted ones count too.
        QTest::newRow("1999 rows and a range") << 1999 << 1 << false << "Up to 2000 settings can be entered.";
        QTest::newRow("no free id") << 3 << 0 << true << "There is no ID that can be used for the setting.";
    }

    void newLimits()
    {
        QFETCH(int, count);
        QFETCH(int, unlisted);
        QFETCH(bool, idsExhausted);
        QFETCH(QString, message);
        temporaryRecords(manyTargets(count, unlisted));
        m_Dialog->show();
        if (idsExhausted) {
            for (int id = 1; id < m_Hub->m_pIDUsedListTemp->size(); ++id)
                (*m_Hub->m_pIDUsedListTemp)[id] = true;
        }
        ScriptedMessageBoxes boxes;
        const QString editor = runEditor("f_CreateNewConnection", false);
        QCOMPARE(editor == QLatin1String("none"), !message.isEmpty());
        QCOMPARE(boxes.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
            QCOMPARE(boxes.shown.at(0).text, message);
        }
        QCOMPARE(view()->model()->rowCount(), count);
    }

    // New starts from the first selected row's connection, or from the
    // defaults, under the smallest free "Setting" number.
    void newTemplate_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("fields");
        QTest::newRow("none selected") << QStringList{target(1, "A")} << QList<int>()
                                       << "New Settings|Setting1|ip|192.168.0.10|7142|";
        QTest::newRow("two selected: the first")
            << QStringList{"1|A|0|0|pj-a|10023|1|first", "2|B|0|1|10.0.0.2|7142|1|second"} << QList<int>{0, 1}
            << "New Settings|Setting1|host|pj-a|10023|first";
        QTest::newRow("Setting1 and Setting3") << QStringList{target(1, "Setting1"), target(2, "Setting3")}
                                               << QList<int>() << "New Settings|Setting2|ip|192.168.0.10|7142|";
        QTest::newRow("SettingA and Setting0 take none") << QStringList{target(1, "SettingA"), target(2, "Setting0")}
                                                         << QList<int>() << "New Settings|Setting1|ip|192.168.0.10|7142|";
        QTest::newRow("Setting01 takes 1") << QStringList{target(1, "Setting01")} << QList<int>()
                                           << "New Settings|Setting2|ip|192.168.0.10|7142|";
    }

    void newTemplate()
    {
        QFETCH(QStringList, records);
        QFETCH(QList<int>, selected);
        QFETCH(QString, fields);
        showWith(records);
        selectRows(view(), selected);
        QCOMPARE(runEditor("f_CreateNewConnection", false), fields);
    }

    // Cancel changes nothing and leaves the id free; OK adds the target under
    // it, as a new entry, current and in aryNewDatas only.
    void newCancelThenOk()
    {
        showWith({target(1, "A"), target(3, "C")});
        const QStringList before = rows();
        runEditor("f_CreateNewConnection", false);
        QCOMPARE(rows(), before);
        QCOMPARE(m_Hub->m_pProjectorDatasTemp->keys(), QList<int>({1, 3}));
        runEditor("f_CreateNewConnection", true, [](QWidget* editor) {
            setField(editor, "txtSettingName", QStringLiteral("B"));
            setField(editor, "txtLANIPv4", QStringLiteral("10.0.0.2"));
        });
        CProjectorData* added = temp(2);
        QVERIFY(added);
        QCOMPARE(added->m_SettingName, QStringLiteral("B"));
        QCOMPARE(added->m_Address, QStringLiteral("10.0.0.2"));
        QVERIFY(added->m_NewEntry);
        QVERIFY(added->m_Enabled);
        QCOMPARE(added->m_SectionName, QStringLiteral("Setting 2"));
        QCOMPARE(names(), QStringList({"A", "B", "C"}));
        QCOMPARE(currentName(), QStringLiteral("B"));
        QCOMPARE(m_Dialog->aryNewDatas->value(2), added);
        QCOMPARE(sortedIds(m_Dialog->targetList), QList<int>({1, 3}));
    }

    // Edit opens on exactly one selected row; OK takes the values over and
    // checks the target, Cancel (also after a refused OK) changes nothing.
    void edit_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("record");
        QTest::newRow("OK") << QList<int>{0} << "10023" << true << "Edit|A|ip|10.0.0.1|7142|" << "B|10023|1";
        QTest::newRow("Cancel") << QList<int>{0} << "10023" << false << "Edit|A|ip|10.0.0.1|7142|" << "A|7142|0";
        QTest::newRow("refused OK, then Cancel") << QList<int>{0} << "x" << true << "Edit|A|ip|10.0.0.1|7142|"
                                                 << "A|7142|0";
        QTest::newRow("none selected") << QList<int>() << "10023" << true << "none" << "A|7142|0";
        QTest::newRow("two selected") << QList<int>{0, 1} << "10023" << true << "none" << "A|7142|0";
    }

    void edit()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, port);
        QFETCH(bool, ok);
        QFETCH(QString, opened);
        QFETCH(QString, record);
        showWith({"1|A|0|1|10.0.0.1|7142|0|", target(2, "Z")});
        ScriptedMessageBoxes boxes;
        selectRows(view(), selected);
        const QString seen = runEditor("f_CreateEditConnection", ok, [&](QWidget* editor) {
            setField(editor, "txtSettingName", QStringLiteral("B"));
            setField(editor, "txtLANPort", port);
        });
        QCOMPARE(seen, opened);
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(temp(1)->m_SettingName, temp(1)->m_Port).arg(int(temp(1)->m_Enabled)),
                 record);
        QCOMPARE(rows().contains(QStringLiteral("B|LAN|10.0.0.1|10023|||2")), record.startsWith(QLatin1Char('B')));
        QCOMPARE(m_Hub->GetProjectorData(1)->m_SettingName, QStringLiteral("A"));
    }

    // OK without a change on a disabled registered target enables it; the
    // commit lets the projector take it over and reconnects it.
    void editUnchangedReconnects()
    {
        showWith({"1|A|0|1|10.0.0.1|7142|0|", target(2, "B")});
        selectRows(view(), {0});
        runEditor("f_CreateEditConnection", true);
        QVERIFY(temp(1)->m_Enabled);
        QCOMPARE(rows().first().right(1), QStringLiteral("2"));
        QMap<int, CProjectorData*> reconnect;
        m_Hub->DeleteModifyProjectors(&m_Dialog->targetList, m_Dialog->aryModifyProjectorsID, m_Dialog->aryNewDatas,
                                      &reconnect);
        QCOMPARE(reconnect.size(), 1);
        QCOMPARE(reconnect.first(), m_Hub->GetProjectorData(1));
        QVERIFY(m_Hub->GetProjectorData(1)->m_Enabled);
    }

    // Rename opens the name editor of exactly one selected row.
    void renameCommand_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("opened");
        QTest::newRow("one") << QList<int>{1} << true;
        QTest::newRow("none") << QList<int>() << false;
        QTest::newRow("two") << QList<int>{0, 1} << false;
    }

    void renameCommand()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, opened);
        showWith({target(1, "A"), target(2, "B")});
        selectRows(view(), selected);
        invoke("f_EditSettingName");
        QLineEdit* editor = editorOf(view());
        QCOMPARE(editor != nullptr, opened);
        if (editor)
            QCOMPARE(editor->text(), QStringLiteral("B"));
    }

    // The question names one row, or the count and the first three rows; the
    // address of a serial target is its port.
    void deleteQuestion_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << QList<int>{1} << "B(1.1.1.2)\nDo you want to delete the settings?";
        QTest::newRow("serial") << QList<int>{5} << "S(/dev/ttyS0)\nDo you want to delete the settings?";
        QTest::newRow("three") << QList<int>{0, 1, 5}
                               << "Do you want to delete selected 3 settings?\nA(1.1.1.1)\nB(1.1.1.2)\nS(/dev/ttyS0)";
        QTest::newRow("five") << QList<int>{0, 1, 2, 3, 4}
                              << "Do you want to delete selected 5 settings?\nA(1.1.1.1)\nB(1.1.1.2)\nC(1.1.1.3)...";
    }

    void deleteQuestion()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, question);
        showWith({target(1, "A", "1.1.1.1"), target(2, "B", "1.1.1.2"), target(3, "C", "1.1.1.3"),
                  target(4, "D", "1.1.1.4"), target(5, "E", "1.1.1.5"), "6|S|1|1|/dev/ttyS0||1|"});
        selectRows(view(), selected);
        const QStringList before = rows();
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::Cancel;
        invoke("f_DeleteConnection");
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Question);
        QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
        QCOMPARE(boxes.shown.at(0).text, question);
        QCOMPARE(boxes.shown.at(0).buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(boxes.shown.at(0).defaultButton, QMessageBox::Ok);
        QCOMPARE(rows(), before);
        QCOMPARE(m_Hub->m_pProjectorDatasTemp->size(), 6);
    }

    // Exactly the selected rows and records go, also where the shown order
    // differs from the ids' order; then the row below the last deleted one is
    // current, else the one above the first, else none.
    void deleteRows_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("current");
        QTest::newRow("2nd and 4th shown") << QList<int>{1, 3} << QStringList{"A", "C", "E"} << "E";
        QTest::newRow("last two") << QList<int>{3, 4} << QStringList{"A", "B", "C"} << "C";
        QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4} << QStringList() << "none";
        QTest::newRow("none: no question") << QList<int>() << QStringList{"A", "B", "C", "D", "E"} << "none";
    }

    void deleteRows()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, left);
        QFETCH(QString, current);
        // Names in the reverse order of the ids.
        showWith({target(1, "E"), target(2, "D"), target(3, "C"), target(4, "B"), target(5, "A")});
        QCOMPARE(rowIds(), QList<int>({5, 4, 3, 2, 1}));
        view()->setCurrentIndex(QModelIndex());
        selectRows(view(), selected);
        ScriptedMessageBoxes boxes;
        invoke("f_DeleteConnection");
        QCOMPARE(boxes.shown.size(), selected.isEmpty() ? 0 : 1);
        QCOMPARE(names(), left);
        QStringList kept;
        for (CProjectorData* record : m_Hub->m_pProjectorDatasTemp->values())
            kept << record->m_SettingName;
        std::sort(kept.begin(), kept.end());
        QCOMPARE(kept, left);
        QCOMPARE(currentName(), current);
    }

    // A deleted registered target leaves aryNewDatas and stays once in
    // targetList, no longer updated in place; one created in the dialog
    // leaves aryNewDatas only.
    void deleteChangeSet()
    {
        showWith({target(1, "A"), target(2, "B")});
        runEditor("f_CreateNewConnection", true, [](QWidget* editor) {
            setField(editor, "txtSettingName", QStringLiteral("C"));
        });
        QCOMPARE(m_Dialog->aryNewDatas->keys(), QList<int>({1, 2, 3}));
        ScriptedMessageBoxes boxes;
        selectRows(view(), {0, 2});
        invoke("f_DeleteConnection");
        QCOMPARE(names(), QStringList{"B"});
        QCOMPARE(m_Dialog->aryNewDatas->keys(), QList<int>({2}));
        QCOMPARE(sortedIds(m_Dialog->targetList), QList<int>({1, 2}));
        QCOMPARE(idsOf(m_Dialog->aryModifyProjectorsID), QList<int>({2}));
    }

    // A registered target deleted and a new one under its id: the commit
    // deletes the projector and leaves the new record to be added.
    void deletedIdReusedByNew()
    {
        showWith({target(1, "A"), target(2, "B")});
        ScriptedMessageBoxes boxes;
        selectRows(view(), {0});
        invoke("f_DeleteConnection");
        view()->setCurrentIndex(QModelIndex());
        view()->selectionModel()->clearSelection();
        runEditor("f_CreateNewConnection", true, [](QWidget* editor) {
            setField(editor, "txtSettingName", QStringLiteral("New"));
        });
        QCOMPARE(temp(1)->m_SettingName, QStringLiteral("New"));
        QMap<int, CProjectorData*> reconnect;
        m_Hub->DeleteModifyProjectors(&m_Dialog->targetList, m_Dialog->aryModifyProjectorsID, m_Dialog->aryNewDatas,
                                      &reconnect);
        QVERIFY(!m_Hub->GetProjectorData(1));
        QCOMPARE(m_Hub->GetProjectorData(2)->m_SettingName, QStringLiteral("B"));
        QCOMPARE(m_Dialog->aryNewDatas->keys(), QList<int>({1}));
        QCOMPARE(m_Dialog->aryNewDatas->value(1), temp(1));
    }

    // Delete All asks first, even on an empty list, and spares networks and ranges.
    void deleteAll_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<int>>("kept");
        const QStringList mixed{target(1, "A"), "2|N|0|3|10.1.0.0/16|7142|1|", target(3, "C"),
                                "4|R|0|4|10.0.0.1-10.0.0.9|7142|1|"};
        QTest::newRow("OK") << mixed << int(QMessageBox::Ok) << QList<int>{2, 4};
        QTest::newRow("Cancel") << mixed << int(QMessageBox::Cancel) << QList<int>{1, 2, 3, 4};
        QTest::newRow("empty list") << QStringList() << int(QMessageBox::Ok) << QList<int>();
    }

    void deleteAll()
    {
        QFETCH(QStringList, records);
        QFETCH(int, answer);
        QFETCH(QList<int>, kept);
        showWith(records);
        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::StandardButton(answer);
        invoke("f_DeleteAllConnection");
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).text, QStringLiteral("Do you want to delete all settings?"));
        QCOMPARE(m_Hub->m_pProjectorDatasTemp->keys(), kept);
        QCOMPARE(view()->model()->rowCount(), answer == QMessageBox::Ok ? 0 : 2);
        QVERIFY(buttonOf(m_Dialog.get(), "btnNewConnection")->isEnabled());
    }
};

QTEST_MAIN(tst_DeviceSettingWindow)
#include "tst_DeviceSettingWindow.moc"
