#include "DeviceSettingWindow.h"
#include "ui_DeviceSettingWindow.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "ClmnSortProxyModel.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "LoadedIcon.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"
#include "QStyledItemDelegateEx2.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>

#include <functional>

namespace {

struct TargetColumn
{
    const char* title;
    int width;
};

// The list's columns: setting name (with the check box), device, setting
// (address), port, last projector name, comment.
const TargetColumn TARGET_COLUMNS[] = {
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnSettingName"), 120},
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnDevice"), 60},
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnSetting"), 130},
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnPort"), 60},
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnPjName"), 120},
    {QT_TRANSLATE_NOOP("DeviceSettingWindow", "CommSettingDevListColumnComment"), 120},
};
const int TARGET_COLUMN_COUNT = int(sizeof(TARGET_COLUMNS) / sizeof(TARGET_COLUMNS[0]));

const char* const TARGET_HELP_PAGE = "_RESOURCE/html/CommunicationSetting.htm";
// The Setting column of a serial target.
const char* const SERIAL_NO_ADDRESS = "---";

bool IsListedTarget(const CProjectorData* record)
{
    return record->m_DeviceKind != 0 ||
           (record->m_AddressType != CProjectorData::TYPE_LAN::NETWORK &&
            record->m_AddressType != CProjectorData::TYPE_LAN::RANGE);
}

} // namespace

DeviceSettingWindow::DeviceSettingWindow(QWidget* parent)
    : QDialog(parent)
    , aryNewDatas(new QMap<int, CProjectorData*>)
    , aryDeletableProjectorsID(new QList<bool>)
    , aryModifyProjectorsID(new QList<bool>)
    , ui(new Ui_DeviceSettingWindow)
{
    RegisterWindowIcons();
    ui->setupUi(this);
    RunTraced([&] {
        f_CorrectLayout();
        ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
        ui->buttonBox->button(QDialogButtonBox::Help)->setText(tr("&Help"));
        for (int id = 0; id <= CLumivox5Data::ID_MAX; ++id) {
            aryDeletableProjectorsID->append(false);
            aryModifyProjectorsID->append(false);
        }
        f_InitializeListView();
        f_CreateContextMenu();
        QTreeViewEx* view = ui->tvDeviceSettings;
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, &DeviceSettingWindow::f_ShowContextMenu);
        connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                &DeviceSettingWindow::f_TvDeviceSettings_CloseEditor);
        connect(m_pProxy, &QAbstractItemModel::dataChanged, this,
                &DeviceSettingWindow::f_On_tvDeviceSettings_DataChanged);
        f_UpdateButtonsEnable();
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &DeviceSettingWindow::f_UpdateButtonsEnable);
    });
}

DeviceSettingWindow::~DeviceSettingWindow()
{
    delete m_pContextMenu;
    if (m_pProxy)
        m_pProxy->setSourceModel(nullptr);
    delete m_pModel;
    delete aryNewDatas;
    delete aryDeletableProjectorsID;
    delete aryModifyProjectorsID;
    delete ui;
}

void DeviceSettingWindow::f_CorrectLayout()
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        DialogLayout::RaiseToMinimumButtonHeight(child);
}

// ---------------------------------------------------------------- the list

void DeviceSettingWindow::f_InitializeListView()
{
    m_pModel = new QStandardItemModel(0, TARGET_COLUMN_COUNT);
    for (int column = 0; column < TARGET_COLUMN_COUNT; ++column)
        m_pModel->setHeaderData(column, Qt::Horizontal, tr(TARGET_COLUMNS[column].title), Qt::EditRole);
    m_pProxy = new ClmnSortProxyModel(this);
    // The list sorts when it is told to, not at every change.
    m_pProxy->setDynamicSortFilter(false);
    m_pProxy->setSourceModel(m_pModel);
    QTreeViewEx* view = ui->tvDeviceSettings;
    view->setModel(m_pProxy);
    for (int column = 0; column < TARGET_COLUMN_COUNT; ++column)
        view->setColumnWidth(column, TARGET_COLUMNS[column].width);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSortingEnabled(true);
    view->m_EditColumn = 0;
    view->setItemDelegate(new QStyledItemDelegateEx2(view));
}

void DeviceSettingWindow::f_UpdateDeviceList(bool select)
{
    RunTraced([&] {
        if (!m_Lumivox5Data || !m_Lumivox5Data->m_pProjectorDatasTemp)
            return;
        int last = 0;
        const CLumivox5Data::ProjectorMap& records = *m_Lumivox5Data->m_pProjectorDatasTemp;
        for (auto entry = records.cbegin(); entry != records.cend(); ++entry) {
            if (entry.value() && IsListedTarget(entry.value()) && f_SetListViewRow(entry.key(), entry.value()))
                last = entry.key();
        }
        // One sort for the whole fill gives the order a sort per row would.
        f_SortByName();
        if (select && last)
            f_SelectRow(last);
        qCDebug(lcDialogs, "DeviceSettingWindow listed targets [%d]", m_pModel->rowCount());
    });
    f_UpdateButtonsEnable();
}

void DeviceSettingWindow::f_UpdateListViewItem(int id, CProjectorData* record, bool select)
{
    RunTraced([&] {
        if (!f_SetListViewRow(id, record))
            return;
        f_SortByName();
        if (select)
            f_SelectRow(id);
    });
}

bool DeviceSettingWindow::f_SetListViewRow(int id, CProjectorData* record)
{
    if (!record || id <= 0 || id > CLumivox5Data::ID_MAX)
        return false;
    const bool lan = record->m_DeviceKind == 0;
    const QString texts[TARGET_COLUMN_COUNT] = {
        record->m_SettingName,
        lan ? tr("DeviceStrLan") : tr("DeviceStrSerial"),
        lan ? record->m_Address : QString::fromLatin1(SERIAL_NO_ADDRESS),
        lan ? record->m_Port : record->m_Address,
        record->m_Status[CProjectorData::StLastProjectorName].ToString(),
        record->m_Comment,
    };
    const Qt::CheckState check = record->m_Enabled ? Qt::Checked : Qt::Unchecked;

    QStandardItem* name = m_RowItems.value(id, nullptr);
    if (name) {
        // Each change of column 0 reaches the check box handler.
        name->setText(texts[0]);
        name->setCheckState(check);
        const int row = name->row();
        for (int column = 1; column < TARGET_COLUMN_COUNT; ++column)
            m_pModel->item(row, column)->setText(texts[column]);
        return true;
    }

    QList<QStandardItem*> items;
    name = new QStandardItem(texts[0]);
    name->setCheckable(true);
    name->setCheckState(check);
    name->setData(id, ROLE_ID);
    items << name;
    for (int column = 1; column < TARGET_COLUMN_COUNT; ++column) {
        // Only the name is edited in place: the other cells show what the
        // connection editor changes.
        QStandardItem* item = new QStandardItem(texts[column]);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        items << item;
    }
    m_pModel->appendRow(items);
    m_RowItems.insert(id, name);
    // An inserted row is a change of its column-0 item.
    f_MarkAsChanged(id);
    return true;
}

void DeviceSettingWindow::f_SortByName()
{
    ui->tvDeviceSettings->sortByColumn(0, Qt::AscendingOrder);
}

void DeviceSettingWindow::f_SelectRow(int id)
{
    QStandardItem* name = m_RowItems.value(id, nullptr);
    if (!name)
        return;
    const QModelIndex index = m_pProxy->mapFromSource(name->index());
    ui->tvDeviceSettings->setCurrentIndex(index);
    ui->tvDeviceSettings->scrollTo(index, QAbstractItemView::EnsureVisible);
}

int DeviceSettingWindow::f_SourceRowId(int row) const
{
    const QStandardItem* name = m_pModel->item(row, 0);
    if (!name)
        return 0;
    bool ok = false;
    const int id = name->data(ROLE_ID).toInt(&ok);
    return (ok && id > 0 && id <= CLumivox5Data::ID_MAX) ? id : 0;
}

CProjectorData* DeviceSettingWindow::f_TempRecord(int id) const
{
    if (!m_Lumivox5Data || id <= 0 || id > CLumivox5Data::ID_MAX)
        return nullptr;
    return m_Lumivox5Data->GetProjectorDataTemp(id);
}

int DeviceSettingWindow::f_TargetCount() const
{
    if (!m_Lumivox5Data || !m_Lumivox5Data->m_pProjectorDatasTemp)
        return m_pModel->rowCount();
    return m_Lumivox5Data->m_pProjectorDatasTemp->size();
}

int DeviceSettingWindow::f_SelectedRowCount() const
{
    const QItemSelectionModel* selection = ui->tvDeviceSettings->selectionModel();
    return selection ? selection->selectedRows(0).count() : 0;
}

// ---------------------------------------------------------------- check boxes and renaming

void DeviceSettingWindow::f_On_tvDeviceSettings_DataChanged(QModelIndex topLeft, QModelIndex)
{
    RunTraced([&] {
        if (!topLeft.isValid() || topLeft.column() != 0)
            return;
        const int row = m_pProxy->mapToSource(topLeft).row();
        const int id = f_SourceRowId(row);
        CProjectorData* record = f_TempRecord(id);
        if (!record)
            return;
        f_MarkAsChanged(id);
        record->m_Enabled = m_pModel->item(row, 0)->checkState() == Qt::Checked;
    });
}

void DeviceSettingWindow::f_AllListCheck()
{
    RunTraced([&] {
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            m_pModel->item(row, 0)->setCheckState(Qt::Checked);
    });
}

void DeviceSettingWindow::f_AllListCheckClear()
{
    RunTraced([&] {
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            m_pModel->item(row, 0)->setCheckState(Qt::Unchecked);
    });
}

void DeviceSettingWindow::f_TvDeviceSettings_CloseEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    RunTraced([&] {
        // Escape wrote nothing back: the record keeps its name, unmarked.
        if (hint == QAbstractItemDelegate::RevertModelCache)
            return;
        // The row the editor was opened on: F2 opens it on the selected row,
        // and the current row may be another one.
        const QModelIndex edited = ui->tvDeviceSettings->EditedIndex();
        if (!edited.isValid())
            return;
        const int row = m_pProxy->mapToSource(edited).row();
        const int id = f_SourceRowId(row);
        CProjectorData* record = f_TempRecord(id);
        const QLineEdit* edit = qobject_cast<QLineEdit*>(editor);
        if (!record || !edit)
            return;
        const QString text = edit->text();
        if (text.toLocal8Bit().size() <= NAME_BYTES_MAX) {
            if (text != record->m_SettingName)
                f_MarkAsChanged(id);
            record->m_SettingName = text;
            f_SortByName();
            return;
        }
        CMessageBoxes::Critical(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                tr("CommSettingMsgSettingNameOverMessage").arg(NAME_BYTES_MAX));
        m_pModel->item(row, 0)->setText(record->m_SettingName);
    });
}

// ---------------------------------------------------------------- buttons, menu and keys

void DeviceSettingWindow::f_UpdateButtonsEnable()
{
    RunTraced([&] {
        const int selected = f_SelectedRowCount();
        ui->btnNewConnection->setEnabled(f_TargetCount() < TARGET_MAX);
        ui->btnEdit->setEnabled(selected == 1);
        ui->btnDelete->setEnabled(selected >= 1);
    });
}

void DeviceSettingWindow::f_CreateContextMenu()
{
    RunTraced([&] {
        if (m_pContextMenu)
            return;
        struct Entry
        {
            const char* name;
            const char* text;
            std::function<void()> run;
            bool separatorBefore;
        };
        const Entry entries[] = {
            {"actNew", QT_TR_NOOP("Menu_NewSettings"), [this] { f_CreateNewConnection(); }, false},
            {"actEdit", QT_TR_NOOP("Menu_Edit"), [this] { f_CreateEditConnection(); }, false},
            {"actDel", QT_TR_NOOP("Menu_Delete"), [this] { f_DeleteConnection(); }, false},
            // Asks before it deletes.
            {"actAllDel", QT_TR_NOOP("Menu_AllDelete"), [this] { f_DeleteAllConnection(true); }, false},
            {"actRename", QT_TR_NOOP("Menu_Rename"), [this] { f_EditSettingName(); }, false},
            {"actAllCheck", QT_TR_NOOP("Menu_AllCheck"), [this] { f_AllListCheck(); }, true},
            {"actAllClear", QT_TR_NOOP("Menu_AllClear"), [this] { f_AllListCheckClear(); }, false},
        };
        m_pContextMenu = new QMenu;
        for (const Entry& entry : entries) {
            if (entry.separatorBefore)
                m_pContextMenu->addSeparator();
            QAction* action = new QAction(tr(entry.text), m_pContextMenu);
            action->setObjectName(QLatin1String(entry.name));
            connect(action, &QAction::triggered, this, entry.run);
            m_pContextMenu->addAction(action);
        }
    });
}

void DeviceSettingWindow::f_ShowContextMenu(QPoint point)
{
    RunTraced([&] {
        if (!m_pContextMenu)
            return;
        if (QAction* edit = m_pContextMenu->findChild<QAction*>(QStringLiteral("actEdit")))
            edit->setEnabled(ui->btnEdit->isEnabled());
        if (QAction* del = m_pContextMenu->findChild<QAction*>(QStringLiteral("actDel")))
            del->setEnabled(ui->btnDelete->isEnabled());
        if (QAction* rename = m_pContextMenu->findChild<QAction*>(QStringLiteral("actRename")))
            rename->setEnabled(f_SelectedRowCount() == 1);
        // The request's point is in the viewport's coordinates.
        m_pContextMenu->exec(ui->tvDeviceSettings->viewport()->mapToGlobal(point));
    });
}

void DeviceSettingWindow::keyPressEvent(QKeyEvent* event)
{
    RunTraced([&] {
        switch (event->key()) {
        case Qt::Key_F2:
            if (f_SelectedRowCount() == 1)
                f_EditSettingName();
            break;
        case Qt::Key_Delete:
            f_DeleteConnection();
            break;
        case Qt::Key_Return:
            f_CreateEditConnection();
            break;
        default:
            QDialog::keyPressEvent(event);
            return;
        }
        event->accept();
    });
}

void DeviceSettingWindow::on_tvDeviceSettings_doubleClicked(QModelIndex)
{
    RunTraced([&] {
        if (f_SelectedRowCount() == 1)
            f_CreateEditConnection();
    });
}

void DeviceSettingWindow::on_tvDeviceSettings_clicked(QModelIndex) {}

// ---------------------------------------------------------------- life cycle

void DeviceSettingWindow::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        f_InitDeletableProjectorList();
        f_UpdateDeviceList(false);
    });
    QDialog::showEvent(event);
}

void DeviceSettingWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void DeviceSettingWindow::closeEvent(QCloseEvent* event)
{
    // The close rejects a visible dialog; a result OK set survives it.
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void DeviceSettingWindow::on_buttonBox_accepted()
{
    setResult(QDialog::Accepted);
    close();
}

void DeviceSettingWindow::on_buttonBox_rejected()
{
    setResult(QDialog::Rejected);
    close();
}

void DeviceSettingWindow::on_buttonBox_helpRequested()
{
    emit ShowHelpSignal(QString::fromLatin1(TARGET_HELP_PAGE), this);
}

// ---------------------------------------------------------------- the change set

void DeviceSettingWindow::f_InitDeletableProjectorList()
{
    RunTraced([&] {
        for (int id = 0; id < aryDeletableProjectorsID->size(); ++id)
            (*aryDeletableProjectorsID)[id] = false;
        if (!m_Lumivox5Data || !m_Lumivox5Data->m_pProjectorDatasTemp)
            return;
        const CLumivox5Data::ProjectorMap& records = *m_Lumivox5Data->m_pProjectorDatasTemp;
        for (auto entry = records.cbegin(); entry != records.cend(); ++entry) {
            const int id = entry.key();
            CProjectorData* temporary = entry.value();
            if (!temporary || id <= 0 || id > CLumivox5Data::ID_MAX)
                continue;
            CProjectorData* registered = m_Lumivox5Data->GetProjectorData(id);
            if (!registered) {
                aryNewDatas->insert(id, temporary);
            } else if (!f_IsConnectDestinationCompare(registered, temporary) ||
                       !f_IsOtherSettingCompare(registered, temporary)) {
                // Replaced at the commit: deleted and added anew.
                targetList.append(id);
                aryNewDatas->insert(id, temporary);
            } else {
                (*aryDeletableProjectorsID)[id] = true;
                (*aryModifyProjectorsID)[id] = true;
            }
        }
    });
}

bool DeviceSettingWindow::f_IsConnectDestinationCompare(CProjectorData* a, CProjectorData* b)
{
    return RunTraced(false, [&] { return a && b && b->IsConnectDestinationCompare(a); });
}

bool DeviceSettingWindow::f_IsOtherSettingCompare(CProjectorData* a, CProjectorData* b)
{
    return RunTraced(false, [&] { return a && b && b->IsOtherSettingCompare(a); });
}

void DeviceSettingWindow::f_MarkAsChanged(int id)
{
    if (id <= 0 || id >= aryDeletableProjectorsID->size() || !aryDeletableProjectorsID->at(id))
        return;
    (*aryDeletableProjectorsID)[id] = false;
    targetList.append(id);
    if (CProjectorData* record = f_TempRecord(id))
        aryNewDatas->insert(id, record);
}

void DeviceSettingWindow::f_MarkAsDeleted(int id)
{
    if (id <= 0 || id >= aryDeletableProjectorsID->size())
        return;
    if (aryDeletableProjectorsID->at(id)) {
        (*aryDeletableProjectorsID)[id] = false;
        targetList.append(id);
    } else {
        aryNewDatas->remove(id);
    }
    (*aryModifyProjectorsID)[id] = false;
}
