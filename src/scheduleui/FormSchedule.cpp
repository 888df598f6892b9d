#include "FormSchedule.h"
#include "ui_FormSchedule.h"

#include "CDataFunctions.h"
#include "CLumivox5Data.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CSectionItemList.h"
#include "CSystemClock.h"
#include "CVirtualTime.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "FormScheduleEdit.h"
#include "LoadedIcon.h"
#include "ModalBoxes.h"
#include "PJDataSortProxyModel.h"

#include <QAction>
#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>

#include <algorithm>
#include <iterator>

const char* const FormSchedule::HELP_PAGE = "_RESOURCE/html/Schedule.htm";

namespace {

struct ScheduleColumn {
    const char* titleKey;
    int width;
    int sortType;
};

const ScheduleColumn SCHEDULE_COLUMNS[FormSchedule::COLUMN_COUNT] = {
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnNumber"), 80, PJDataSortProxyModel::SORT_INTEGER },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnTarget"), 130, PJDataSortProxyModel::SORT_DOTTED },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnSettingName"), 110, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnFunction"), 150, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnAdvancedSetting"), 190, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnDuration"), 210, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnTime"), 50, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("FormSchedule", "ScheduleListColumnComment"), 80, PJDataSortProxyModel::SORT_TEXT },
};

const int SIGNAL_SELECT = 11;

// The command of each function code 1 to 10.
const char* const COMMAND_KEYS[] = {
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemPowerOn"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemPowerOff"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemPictureMuteON"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemPictureMuteOFF"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemSoundMuteON"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemSoundMuteOFF"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemOSDMuteON"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemOSDMuteOFF"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemAllMuteON"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleEditComboItemAllMuteOFF"),
};

// Sunday (bit 0 of the weekday mask) to Saturday (bit 6).
const char* const WEEKDAY_KEYS[] = {
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationSunday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationMonday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationTuesday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationWednesday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationThursday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationFriday"),
    QT_TRANSLATE_NOOP("FormSchedule", "ScheduleDurationSaturday"),
};

const char* const STYLE_SHEET =
    " QTreeView::item:!selected {border-right: 1px solid #ece9d8; border-bottom: 1px solid #ece9d8;}";

// Projector address -> setting name; the first projector by ascending id wins.
QHash<QString, QString> SettingNamesByAddress(const CLumivox5Data* hub)
{
    QHash<QString, QString> names;
    if (!hub || !hub->m_pProjectorDatas)
        return names;
    for (const CProjectorData* record : *hub->m_pProjectorDatas) {
        if (record && !names.contains(record->m_Address))
            names.insert(record->m_Address, record->m_SettingName);
    }
    return names;
}

QString SettingName(const CScheduleData& data, const QHash<QString, QString>& names)
{
    if (data.TargetType != CScheduleData::TARGET_TYPE::Projector)
        return QLatin1String("");
    return names.value(data.TargetName, QLatin1String(""));
}

} // namespace

FormSchedule::FormSchedule(QWidget* parent)
    : QDialog(parent)
    , m_appData(nullptr)
    , m_DataFunctions(nullptr)
    , m_ScheduleManager(nullptr)
    , m_Modified(false)
    , m_ctxCopy(nullptr)
    , m_ctxPaste(nullptr)
    , m_ctxAdd(nullptr)
    , m_ctxEdit(nullptr)
    , m_ctxDelete(nullptr)
    , m_ctxAllDelete(nullptr)
    , ui(new Ui::FormSchedule)
    , m_UpdateGuard(true)
    , m_Clipboard(nullptr)
    , m_Rebuilding(false)
    , m_contextMenu(nullptr)
    , m_model(nullptr)
    , m_proxy(nullptr)
{
    RegisterWindowIcons();
    ui->setupUi(this);
    f_CorrectLayout();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    ui->buttonBox->button(QDialogButtonBox::Help)->setText(tr("&Help"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    m_ScheduleManager = new CScheduleManager();
    f_CreateContextMenu();
    f_InitializeListView();

    QTreeView* list = ui->lsvSchedule;
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &FormSchedule::createScheduleContextMenu);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FormSchedule::f_lsvSchedule_selectionChanged);
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, &FormSchedule::f_lsvSchedule_DataChanged);
    // The list would take Ctrl+C for itself (it copies the cell text).
    list->installEventFilter(this);
}

FormSchedule::~FormSchedule()
{
    // The actions are the menu's children.
    delete m_contextMenu;
    delete m_Clipboard;
    delete m_ScheduleManager;
}

void FormSchedule::f_CorrectLayout()
{
    for (QWidget* button : { static_cast<QWidget*>(ui->btnDelete), static_cast<QWidget*>(ui->btnEdit),
                             static_cast<QWidget*>(ui->btnNew), static_cast<QWidget*>(ui->buttonBox) })
        DialogLayout::WidenToMinimumButtonWidth(button);
}

void FormSchedule::f_CreateContextMenu()
{
    // Copy and Paste show the standard shortcuts as text only: the keys
    // themselves are handled by the dialog, so that they act once.
    struct MenuEntry {
        const char* key;
        QAction* FormSchedule::*action;
        void (FormSchedule::*slot)();
        QKeySequence::StandardKey shortcut;
    };
    const MenuEntry entries[] = {
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxScheduleCopy"), &FormSchedule::m_ctxCopy,
          &FormSchedule::f_CopyMenu_Click, QKeySequence::Copy },
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxSchedulePaste"), &FormSchedule::m_ctxPaste,
          &FormSchedule::f_PasteMenu_Click, QKeySequence::Paste },
        { nullptr, nullptr, nullptr, QKeySequence::UnknownKey },
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxScheduleAdd"), &FormSchedule::m_ctxAdd, &FormSchedule::f_NewSchedule,
          QKeySequence::UnknownKey },
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxScheduleEdit"), &FormSchedule::m_ctxEdit,
          &FormSchedule::f_EditSchedule, QKeySequence::UnknownKey },
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxScheduleDelete"), &FormSchedule::m_ctxDelete,
          &FormSchedule::f_DeleteSchedule, QKeySequence::UnknownKey },
        { QT_TRANSLATE_NOOP("FormSchedule", "ctxScheduleAllDelete"), &FormSchedule::m_ctxAllDelete,
          &FormSchedule::f_AllDeleteSchedule, QKeySequence::UnknownKey },
    };
    m_contextMenu = new QMenu();
    for (const MenuEntry& entry : entries) {
        if (!entry.key) {
            m_contextMenu->addSeparator();
            continue;
        }
        QString text = tr(entry.key);
        if (entry.shortcut != QKeySequence::UnknownKey)
            text += QLatin1Char('\t') + QKeySequence(entry.shortcut).toString(QKeySequence::NativeText);
        QAction* action = m_contextMenu->addAction(text);
        this->*entry.action = action;
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

void FormSchedule::f_InitializeListView()
{
    QTreeView* list = ui->lsvSchedule;
    m_model = new QStandardItemModel(0, COLUMN_COUNT, this);
    for (int column = 0; column < COLUMN_COUNT; ++column)
        m_model->setHeaderData(column, Qt::Horizontal, tr(SCHEDULE_COLUMNS[column].titleKey), Qt::EditRole);

    m_proxy = new PJDataSortProxyModel(this);
    int sortTypes[PJDataSortProxyModel::SORT_TABLE_SIZE];
    std::fill(std::begin(sortTypes), std::end(sortTypes), int(PJDataSortProxyModel::SORT_NOT_SET));
    for (int column = 0; column < COLUMN_COUNT; ++column)
        sortTypes[column] = SCHEDULE_COLUMNS[column].sortType;
    m_proxy->SetSortType(sortTypes, int(sizeof(sortTypes)));
    // Rows are sorted when the list is rebuilt or a header is clicked, never
    // one by one while a rebuild appends them or a box is switched.
    m_proxy->setDynamicSortFilter(false);
    m_proxy->setSourceModel(m_model);
    list->setModel(m_proxy);

    // A column is never narrower than its title ("Execution Time" is wider
    // than its 50 pixels in most fonts).
    for (int column = 0; column < COLUMN_COUNT; ++column)
        list->setColumnWidth(column, std::max(SCHEDULE_COLUMNS[column].width, list->header()->sectionSizeHint(column)));
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(true);
    list->setStyleSheet(QLatin1String(STYLE_SHEET));
}

// Queries --------------------------------------------------------------------

bool FormSchedule::f_IsCheckedSchedule(const CScheduleData& data)
{
    if (data.DurationType != CScheduleData::DURATION_TYPE::Weekly)
        return true;
    return (data.DayOfWeek & 0x7F) != 0;
}

int FormSchedule::f_GetScheduleListSelectedId() const
{
    const QModelIndexList rows = ui->lsvSchedule->selectionModel()->selectedRows(COLUMN_NUMBER);
    if (rows.size() != 1)
        return -1;
    const QStandardItem* item = f_NumberItemAtViewRow(rows.first());
    return item ? item->data(ROLE_SCHEDULE_KEY).toInt() : -1;
}

int FormSchedule::f_GetScheduleListSelectedIndex() const
{
    const QModelIndexList rows = ui->lsvSchedule->selectionModel()->selectedRows(COLUMN_NUMBER);
    if (rows.size() != 1)
        return -1;
    const QStandardItem* item = m_model->item(rows.first().row(), COLUMN_NUMBER);
    return item ? item->data(ROLE_SCHEDULE_KEY).toInt() : -1;
}

QStandardItem* FormSchedule::f_NumberItemAtViewRow(const QModelIndex& index) const
{
    const QModelIndex source = m_proxy->mapToSource(index);
    return source.isValid() ? m_model->item(source.row(), COLUMN_NUMBER) : nullptr;
}

bool FormSchedule::IsScheduleDataCopyEnabled()
{
    f_UpdateButtons();
    f_UpdateNewButton();
    return ui->btnEdit->isEnabled();
}

bool FormSchedule::IsScheduleDataPasteEnabled()
{
    f_UpdateButtons();
    f_UpdateNewButton();
    return ui->btnNew->isEnabled() && m_Clipboard && !m_ScheduleManager->f_IsMaxSchedule(m_Clipboard->TargetName, true);
}

// Cell texts -----------------------------------------------------------------

QString FormSchedule::f_GetSettingNameString(const CScheduleData& data) const
{
    return SettingName(data, SettingNamesByAddress(m_appData));
}

QString FormSchedule::f_GetFunctionString(const CScheduleData& data)
{
    if (data.Function == 1 || data.Function == 2)
        return tr("ScheduleEditComboItemPower");
    if (data.Function >= 3 && data.Function <= 10)
        return tr("ScheduleEditComboItemMute");
    if (data.Function == SIGNAL_SELECT)
        return tr("ScheduleEditComboItemSignalSelect");
    return QLatin1String("");
}

QString FormSchedule::f_GetAdvancedSettingString(const CScheduleData& data) const
{
    if (data.Function >= 1 && data.Function <= int(std::size(COMMAND_KEYS)))
        return tr(COMMAND_KEYS[data.Function - 1]);
    if (data.Function == SIGNAL_SELECT && m_appData && m_appData->m_pProfileList
        && m_appData->m_pProfileList->m_MultiTermList)
        return m_appData->m_pProfileList->m_MultiTermList->f_GetNameOfCode(data.InputTerminal);
    return QLatin1String("");
}

QString FormSchedule::f_GetDurationString(const CScheduleData& data)
{
    if (data.DurationType == CScheduleData::DURATION_TYPE::Dated) {
        const QString format = tr("ScheduleDurationDateFormat");
        QString text = data.StartDay.toString(format);
        if (data.UseFinishDay && data.FinishDay != data.StartDay)
            text += QLatin1String(" - ") + data.FinishDay.toString(format);
        return text;
    }
    QStringList days;
    for (int day = 0; day < int(std::size(WEEKDAY_KEYS)); ++day) {
        if (data.DayOfWeek & (1u << day))
            days << tr(WEEKDAY_KEYS[day]);
    }
    return days.join(tr("ScheduleDurationSeparate"));
}

QString FormSchedule::f_GetTimeString(const CScheduleData& data)
{
    return data.ExecuteTime.toString(QStringLiteral("HH:mm"));
}

// The list and the buttons ---------------------------------------------------

void FormSchedule::f_UpdateScheduleList()
{
    RunTraced([&] {
        m_Rebuilding = true;
        ui->lsvSchedule->setUpdatesEnabled(false);
        m_model->removeRows(0, m_model->rowCount());
        const QHash<QString, QString> names = SettingNamesByAddress(m_appData);
        const CScheduleManager::ScheduleMap& schedules = m_ScheduleManager->f_GetScheduleMap();
        for (auto it = schedules.cbegin(); it != schedules.cend(); ++it) {
            const CScheduleData* data = it.value();
            if (!data)
                continue;
            const QString texts[COLUMN_COUNT] = {
                QString::number(it.key() + 1), data->TargetName,           SettingName(*data, names),
                f_GetFunctionString(*data),    f_GetAdvancedSettingString(*data), f_GetDurationString(*data),
                f_GetTimeString(*data),        data->Comment,
            };
            QList<QStandardItem*> row;
            row.reserve(COLUMN_COUNT);
            for (const QString& text : texts) {
                QStandardItem* item = new QStandardItem(text);
                item->setEditable(false);
                row << item;
            }
            QStandardItem* number = row.first();
            number->setCheckable(true);
            number->setCheckState(data->Enable ? Qt::Checked : Qt::Unchecked);
            number->setData(it.key(), ROLE_SCHEDULE_KEY);
            m_model->appendRow(row);
        }
        ui->lsvSchedule->setUpdatesEnabled(true);
    });
    m_Rebuilding = false;
}

void FormSchedule::f_UpdateButtons()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(m_Modified);
    const bool selected = ui->lsvSchedule->selectionModel()->hasSelection();
    ui->btnEdit->setEnabled(selected);
    ui->btnDelete->setEnabled(selected);
}

void FormSchedule::f_UpdateNewButton()
{
    ui->btnNew->setEnabled(!m_ScheduleManager->f_IsMaxSchedule(QString(), true));
}

void FormSchedule::f_lsvSchedule_selectionChanged(const QItemSelection&, const QItemSelection&)
{
    f_UpdateButtons();
    f_UpdateNewButton();
}

void FormSchedule::f_MarkChange(const std::function<void()>& refresh)
{
    if (!m_UpdateGuard)
        m_Modified = true;
    const bool guard = m_UpdateGuard;
    m_UpdateGuard = true;
    refresh();
    m_UpdateGuard = guard;
}

void FormSchedule::f_Rebuild(int sortColumn, Qt::SortOrder sortOrder, const std::function<int()>& currentRow)
{
    f_UpdateScheduleList();
    if (sortColumn >= 0)
        ui->lsvSchedule->sortByColumn(sortColumn, sortOrder);
    if (currentRow)
        f_SetCurrentViewRow(currentRow());
    f_UpdateButtons();
    f_UpdateNewButton();
}

int FormSchedule::f_ViewRowOfKey(int key) const
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->item(row, COLUMN_NUMBER)->data(ROLE_SCHEDULE_KEY).toInt() == key)
            return m_proxy->mapFromSource(m_model->index(row, COLUMN_NUMBER)).row();
    }
    return -1;
}

void FormSchedule::f_SetCurrentViewRow(int row)
{
    const QModelIndex index = m_proxy->index(row, COLUMN_NUMBER);
    if (!index.isValid())
        return;
    ui->lsvSchedule->setCurrentIndex(index);
    ui->lsvSchedule->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void FormSchedule::f_StoreRenumbered(const QList<const CScheduleData*>& records)
{
    CScheduleManager renumbered;
    CScheduleManager::ScheduleMap& map = renumbered.f_GetScheduleMap();
    int key = 0;
    for (const CScheduleData* record : records)
        map.insert(key++, new CScheduleData(*record));
    m_ScheduleManager->f_CopyScheduleData(map);
}

// The enable box -------------------------------------------------------------

void FormSchedule::f_lsvSchedule_DataChanged(const QModelIndex& topLeft, const QModelIndex&)
{
    if (m_Rebuilding)
        return;
    RunTraced([&] {
        QStandardItem* item = f_NumberItemAtViewRow(topLeft);
        if (!item)
            return;
        CScheduleData* data = m_ScheduleManager->f_GetScheduleMap().value(item->data(ROLE_SCHEDULE_KEY).toInt());
        if (!data)
            return;
        if (!f_IsCheckedSchedule(*data)) {
            // A weekly schedule without a weekday cannot be switched.
            item->setCheckState(data->Enable ? Qt::Checked : Qt::Unchecked);
            return;
        }
        const bool checked = item->data(Qt::CheckStateRole).toInt() == Qt::Checked;
        if (checked == data->Enable)
            return;
        data->Enable = checked;
        f_MarkChange([&] { f_UpdateButtons(); });
    });
}

void FormSchedule::on_lsvSchedule_doubleClicked(const QModelIndex& index)
{
    RunTraced([&] {
        if (QStandardItem* item = f_NumberItemAtViewRow(index))
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
}

// Operations -----------------------------------------------------------------

void FormSchedule::on_btnNew_clicked()
{
    f_NewSchedule();
}

void FormSchedule::on_btnEdit_clicked()
{
    f_EditSchedule();
}

void FormSchedule::on_btnDelete_clicked()
{
    f_DeleteSchedule();
}

void FormSchedule::f_NewSchedule()
{
    // One add at a time in the whole program; released on every way out.
    static bool procf = false;
    if (procf)
        return;
    procf = true;
    struct Release {
        ~Release() { procf = false; }
    } release;

    RunTraced([&] {
        const int sortColumn = m_proxy->sortColumn();
        const Qt::SortOrder sortOrder = m_proxy->sortOrder();
        const QDateTime now = m_DataFunctions && m_DataFunctions->GetVirtualTime()
                                  ? m_DataFunctions->GetVirtualTime()->GetNowTime()
                                  : CSystemClock::Now();
        std::unique_ptr<CScheduleData> record(new CScheduleData(now));
        const int result = f_RunEditor(FormScheduleEdit::EDITMODE::Add, tr("FormScheduleAddTitle"), record.get());
        // A refused record stays ours and goes with `record`.
        if (result != QDialog::Accepted || !m_ScheduleManager->f_AddSchedule(record.get(), true))
            return;
        record.release();
        const int newest = m_ScheduleManager->f_GetScheduleMap().lastKey();
        f_MarkChange([&] { f_Rebuild(sortColumn, sortOrder, [&] { return f_ViewRowOfKey(newest); }); });
    });
}

int FormSchedule::f_RunEditor(int mode, const QString& title, CScheduleData* record)
{
    QPointer<FormScheduleEdit> dialog = new FormScheduleEdit(
        m_ScheduleManager, FormScheduleEdit::EDITMODE::Enum(mode), m_appData, title, this);
    connect(dialog, &FormScheduleEdit::HTMLViewerParentChangeSignal, this, &FormSchedule::f_HTMLViewerParentChange);
    dialog->m_ScheduleData = record;
    dialog->setModal(true);
    f_HTMLViewerParentChange(dialog);
    const int result = dialog->exec();
    f_HTMLViewerParentChange(this);
    delete dialog;
    return result;
}

void FormSchedule::f_EditSchedule()
{
    RunTraced([&] {
        const int key = f_GetScheduleListSelectedId();
        const CScheduleData* stored = key < 0 ? nullptr : m_ScheduleManager->f_GetScheduleMap().value(key);
        if (!stored)
            return;
        const int sortColumn = m_proxy->sortColumn();
        const Qt::SortOrder sortOrder = m_proxy->sortOrder();
        std::unique_ptr<CScheduleData> copy(new CScheduleData(*stored));
        const int result = f_RunEditor(FormScheduleEdit::EDITMODE::Edit, tr("FormScheduleEditTitle"), copy.get());
        CScheduleData* target = m_ScheduleManager->f_GetScheduleMap().value(key);
        if (result != QDialog::Accepted || !target)
            return;
        target->f_SetData(*copy);
        f_MarkChange([&] { f_Rebuild(sortColumn, sortOrder, [&] { return f_ViewRowOfKey(key); }); });
    });
}

void FormSchedule::f_DeleteSchedule()
{
    RunTraced([&] {
        const int position = f_GetScheduleListSelectedIndex();
        const int key = f_GetScheduleListSelectedId();
        if (key < 0)
            return;
        const QMessageBox::StandardButton answer =
            CMessageBoxes::Question(this, m_appData, tr("Lumivox5MsgTitle"),
                                    tr("ScheduleMsgDeleteScheduleMessage").arg(key + 1),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return;
        const int sortColumn = m_proxy->sortColumn();
        const Qt::SortOrder sortOrder = m_proxy->sortOrder();
        m_ScheduleManager->f_RemoveSchedule(key);
        const CScheduleManager::ScheduleMap& remaining = m_ScheduleManager->f_GetScheduleMap();
        f_StoreRenumbered(QList<const CScheduleData*>(remaining.cbegin(), remaining.cend()));
        // The row that moved into the deleted one's place, or the new last row.
        f_MarkChange([&] {
            f_Rebuild(sortColumn, sortOrder, [&] { return std::min(position, m_proxy->rowCount() - 1); });
        });
    });
}

void FormSchedule::f_AllDeleteSchedule()
{
    RunTraced([&] {
        const QMessageBox::StandardButton answer =
            CMessageBoxes::Question(this, m_appData, tr("Lumivox5MsgTitle"), tr("ScheduleMsgAllDeleteScheduleMessage"),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return;
        m_ScheduleManager->f_ClearSchedule();
        f_MarkChange([&] { f_Rebuild(-1, Qt::AscendingOrder, nullptr); });
    });
}

void FormSchedule::f_CopyMenu_Click()
{
    f_ClipboardAction(&FormSchedule::IsScheduleDataCopyEnabled, &FormSchedule::f_CopySchedule);
}

void FormSchedule::f_ClipboardAction(bool (FormSchedule::*enabled)(), void (FormSchedule::*action)())
{
    RunTraced([&] {
        if (!(this->*enabled)())
            return;
        (this->*action)();
        f_UpdateButtons();
        f_UpdateNewButton();
    });
}

void FormSchedule::f_CopySchedule()
{
    delete m_Clipboard;
    m_Clipboard = nullptr;
    const CScheduleData* stored = m_ScheduleManager->f_GetScheduleMap().value(f_GetScheduleListSelectedId());
    if (stored)
        m_Clipboard = new CScheduleData(*stored);
}

void FormSchedule::f_PasteMenu_Click()
{
    f_ClipboardAction(&FormSchedule::IsScheduleDataPasteEnabled, &FormSchedule::f_PasteSchedule);
}

void FormSchedule::f_PasteSchedule()
{
    const int sortColumn = m_proxy->sortColumn();
    const Qt::SortOrder sortOrder = m_proxy->sortOrder();
    int position = f_GetScheduleListSelectedIndex();
    if (position == -1)
        position = m_model->rowCount();
    const CScheduleManager::ScheduleMap& schedules = m_ScheduleManager->f_GetScheduleMap();
    QList<const CScheduleData*> records(schedules.cbegin(), schedules.cend());
    records.insert(std::clamp(position, 0, int(records.size())), m_Clipboard);
    f_StoreRenumbered(records);
    f_MarkChange([&] { f_Rebuild(sortColumn, sortOrder, [&] { return position; }); });
}

// Context menu, keys, help ---------------------------------------------------

void FormSchedule::createScheduleContextMenu(QPoint position)
{
    RunTraced([&] {
        m_ctxCopy->setEnabled(IsScheduleDataCopyEnabled());
        m_ctxPaste->setEnabled(IsScheduleDataPasteEnabled());
        m_ctxAdd->setEnabled(ui->btnNew->isEnabled());
        m_ctxEdit->setEnabled(ui->btnEdit->isEnabled());
        m_ctxDelete->setEnabled(ui->btnDelete->isEnabled());
        m_ctxAllDelete->setEnabled(!m_ScheduleManager->f_GetScheduleMap().isEmpty());
        // The position comes in the coordinates of the list's viewport.
        m_contextMenu->exec(ui->lsvSchedule->viewport()->mapToGlobal(position));
    });
}

bool FormSchedule::f_CopyPasteKey(QKeyEvent* event)
{
    if (event->modifiers() != Qt::ControlModifier)
        return false;
    if (event->key() == Qt::Key_C) {
        if (IsScheduleDataCopyEnabled())
            f_CopyMenu_Click();
        return true;
    }
    if (event->key() == Qt::Key_V) {
        if (IsScheduleDataPasteEnabled())
            f_PasteMenu_Click();
        return true;
    }
    return false;
}

void FormSchedule::keyPressEvent(QKeyEvent* event)
{
    if (!f_CopyPasteKey(event))
        QDialog::keyPressEvent(event); // Escape rejects the dialog there
}

bool FormSchedule::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lsvSchedule && event->type() == QEvent::KeyPress
        && f_CopyPasteKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void FormSchedule::f_HTMLViewerParentChange(QWidget* parent)
{
    emit HTMLViewerParentChangeSignal(parent);
}

void FormSchedule::on_buttonBox_helpRequested()
{
    emit ShowHelpSignal(QLatin1String(HELP_PAGE), this);
}

void FormSchedule::on_buttonBox_accepted()
{
    done(QDialog::Accepted);
}

void FormSchedule::on_buttonBox_rejected()
{
    done(QDialog::Rejected);
}

// Showing --------------------------------------------------------------------

void FormSchedule::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        f_Rebuild(COLUMN_NUMBER, Qt::AscendingOrder, [] { return 0; });
    });
    m_UpdateGuard = false;
    QDialog::showEvent(event);
}

void FormSchedule::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
