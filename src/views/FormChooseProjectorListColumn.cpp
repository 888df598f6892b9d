#include "FormChooseProjectorListColumn.h"
#include "ui_FormChooseProjectorListColumn.h"

#include "CListViewColumnStatus.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>

namespace {

// Height of a listed row.
const int CHOOSER_ROW_HEIGHT = 17;
// Shown widths of the model columns: only the titles are seen.
const int CHOOSER_COLUMN_WIDTHS[FormChooseProjectorListColumn::COL_COUNT] = {250, 0, 0, 0, 0};
// The two icon columns, which the operator cannot choose.
const int FIRST_LISTED_KEY = 2;

QStandardItem* ChooserValueItem(const QVariant& value, int role)
{
    QStandardItem* item = new QStandardItem();
    item->setData(value, role);
    item->setEnabled(false);
    return item;
}

} // namespace

FormChooseProjectorListColumn::FormChooseProjectorListColumn(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FormChooseProjectorListColumn)
    , m_model(new QStandardItemModel(0, COL_COUNT, this))
{
    ui->setupUi(this);
    f_CorrectLayout();
    f_SetButtonTexts();
    ui->tvDetails->setModel(m_model);
    connect(ui->tvDetails->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FormChooseProjectorListColumn::f_On_tvDetails_SelectionChanged);
    connect(m_model, &QStandardItemModel::dataChanged, this, &FormChooseProjectorListColumn::f_On_tvDetails_DataChanged);
    ui->tvDetails->setHeaderHidden(true);
    // Only the titles are seen: the value columns are 0 pixels wide.
    ui->tvDetails->header()->setMinimumSectionSize(0);
    ui->tvDetails->header()->setStretchLastSection(false);
    ui->tvDetails->setRootIsDecorated(false);
    ui->tvDetails->setAutoScroll(true);
    f_UpdateButtons();
}

FormChooseProjectorListColumn::~FormChooseProjectorListColumn() = default;

void FormChooseProjectorListColumn::f_CorrectLayout()
{
    for (QWidget* button : {static_cast<QWidget*>(ui->btnHide), static_cast<QWidget*>(ui->btnInit),
                            static_cast<QWidget*>(ui->btnMoveDown), static_cast<QWidget*>(ui->btnMoveUp),
                            static_cast<QWidget*>(ui->btnShow), static_cast<QWidget*>(ui->buttonBox)})
        DialogLayout::RaiseToMinimumButtonHeight(button);
}

void FormChooseProjectorListColumn::f_SetButtonTexts()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
}

void FormChooseProjectorListColumn::closeEvent(QCloseEvent* event)
{
    // The base handling rejects; OK's result must survive it.
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void FormChooseProjectorListColumn::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        for (CListViewColumnStatus* record : qAsConst(m_columnStatusList)) {
            if (record && record->m_Width > MAXIMUM_WIDTH)
                record->m_Width = MAXIMUM_WIDTH;
        }
        f_UpdateColumnData(false);
    });
    QDialog::showEvent(event);
}

void FormChooseProjectorListColumn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The button box puts its standard texts back when the change
        // reaches it, after this handler: ours follow it.
        QMetaObject::invokeMethod(this, &FormChooseProjectorListColumn::f_SetButtonTexts, Qt::QueuedConnection);
    }
    QDialog::changeEvent(event);
}

void FormChooseProjectorListColumn::on_buttonBox_rejected()
{
    reject();
}

void FormChooseProjectorListColumn::on_buttonBox_accepted()
{
    RunTraced([&] { f_UpdateColumnData(true); });
    accept();
}

void FormChooseProjectorListColumn::on_edtWidth_textChanged(QString strWidth)
{
    // Not a number, the empty text included, counts as 0.
    const int width = strWidth.toInt();
    for (int row : f_SelectedRows())
        m_model->item(row, COL_WIDTH)->setData(width, ROLE_VALUE);
}

void FormChooseProjectorListColumn::on_btnInit_clicked()
{
    f_SetInitialize();
}

void FormChooseProjectorListColumn::on_btnHide_clicked()
{
    f_SetCheck(false);
}

void FormChooseProjectorListColumn::on_btnShow_clicked()
{
    f_SetCheck(true);
}

void FormChooseProjectorListColumn::on_btnMoveDown_clicked()
{
    f_ItemMove(false);
}

void FormChooseProjectorListColumn::on_btnMoveUp_clicked()
{
    f_ItemMove(true);
}

void FormChooseProjectorListColumn::f_On_tvDetails_SelectionChanged()
{
    f_UpdateButtons();
    f_UpdateWidth();
}

void FormChooseProjectorListColumn::f_On_tvDetails_DataChanged()
{
    f_UpdateButtons();
}

QList<int> FormChooseProjectorListColumn::f_SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : ui->tvDetails->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FormChooseProjectorListColumn::f_UpdateColumnData(bool toStatus)
{
    // Equal display indexes (a hand-edited settings file) sort by key, so
    // that moves and the numbering on OK never depend on the list's order.
    m_columnStatusList = CListViewColumnStatus::SortedByDisplayIndex(m_columnStatusList);
    if (toStatus) {
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const int key = m_model->item(row, COL_KEY)->data(ROLE_VALUE).toInt();
            for (CListViewColumnStatus* record : qAsConst(m_columnStatusList)) {
                if (record->m_ID != key)
                    continue;
                record->m_DisplayIndex = m_model->item(row, COL_DISPLAY_INDEX)->text().toInt();
                const int width = m_model->item(row, COL_WIDTH)->data(ROLE_VALUE).toInt();
                record->m_Width = width < 0 ? NEGATIVE_WIDTH : width;
                record->m_Visible = m_model->item(row, COL_TITLE)->checkState() == Qt::Checked;
                break;
            }
        }
        CListViewColumnStatus::NumberVisibleFirst(CListViewColumnStatus::SortedByDisplayIndex(m_columnStatusList));
        m_columnStatusList = CListViewColumnStatus::SortedByDisplayIndex(m_columnStatusList);
        return;
    }

    // The icon columns are left out by key, wherever a settings file put them.
    QList<CListViewColumnStatus*> listed;
    for (CListViewColumnStatus* record : qAsConst(m_columnStatusList)) {
        if (record->m_ID >= FIRST_LISTED_KEY)
            listed.append(record);
    }
    m_model->setRowCount(listed.size());
    for (int row = 0; row < listed.size(); ++row) {
        const CListViewColumnStatus* record = listed.at(row);
        const QByteArray key = record->m_Title.toUtf8();
        QStandardItem* title = new QStandardItem(QCoreApplication::translate("CLumivox5Data", key.constData()));
        title->setCheckable(true);
        title->setCheckState(record->m_Visible ? Qt::Checked : Qt::Unchecked);
        title->setSizeHint(QSize(-1, CHOOSER_ROW_HEIGHT));
        title->setEditable(false);
        m_model->setItem(row, COL_TITLE, title);
        m_model->setItem(row, COL_WIDTH, ChooserValueItem(record->m_Width, ROLE_VALUE));
        m_model->setItem(row, COL_KEY, ChooserValueItem(record->m_ID, ROLE_VALUE));
        m_model->setItem(row, COL_DISPLAY_INDEX, ChooserValueItem(record->m_DisplayIndex, Qt::EditRole));
        m_model->setItem(row, COL_VISIBLE, ChooserValueItem(record->m_Visible, ROLE_VALUE));
    }
    for (int column = 0; column < COL_COUNT; ++column)
        ui->tvDetails->setColumnWidth(column, CHOOSER_COLUMN_WIDTHS[column]);
}

void FormChooseProjectorListColumn::f_ItemMove(bool up)
{
    const QList<int> rows = f_SelectedRows();
    if (!rows.isEmpty()) {
        const int row = rows.first();
        const int neighbour = up ? row - 1 : row + 1;
        if (neighbour >= 0 && neighbour < m_model->rowCount()) {
            m_model->setSortRole(Qt::EditRole);
            // The row swaps display indexes with its neighbour in display
            // order; with gaps left by the unlisted icon columns that is not
            // always one more or one less.
            const QString index = m_model->item(row, COL_DISPLAY_INDEX)->text();
            const QString target = m_model->item(neighbour, COL_DISPLAY_INDEX)->text();
            for (int r = 0; r < m_model->rowCount(); ++r) {
                QStandardItem* cell = m_model->item(r, COL_DISPLAY_INDEX);
                const QString text = cell->text();
                if (text == index)
                    cell->setData(target.toInt(), Qt::EditRole);
                else if (text == target)
                    cell->setData(index.toInt(), Qt::EditRole);
            }
            m_model->sort(COL_DISPLAY_INDEX, Qt::AscendingOrder);
            const QModelIndexList moved = ui->tvDetails->selectionModel()->selectedIndexes();
            if (!moved.isEmpty())
                ui->tvDetails->scrollTo(moved.first(), QAbstractItemView::EnsureVisible);
        }
    }
    f_UpdateButtons();
}

void FormChooseProjectorListColumn::f_SetCheck(bool check)
{
    for (int row : f_SelectedRows())
        m_model->item(row, COL_TITLE)->setCheckState(check ? Qt::Checked : Qt::Unchecked);
    ui->tvDetails->setFocus();
}

void FormChooseProjectorListColumn::f_UpdateButtons()
{
    const QList<int> rows = f_SelectedRows();
    if (rows.isEmpty()) {
        for (QPushButton* button : {ui->btnMoveUp, ui->btnMoveDown, ui->btnShow, ui->btnHide})
            button->setEnabled(false);
        return;
    }
    const int row = rows.first();
    const bool checked = m_model->item(row, COL_TITLE)->checkState() == Qt::Checked;
    ui->btnMoveUp->setEnabled(row != 0);
    ui->btnMoveDown->setEnabled(row != m_model->rowCount() - 1);
    ui->btnShow->setEnabled(!checked);
    ui->btnHide->setEnabled(checked);
}

void FormChooseProjectorListColumn::f_UpdateWidth()
{
    const QList<int> rows = f_SelectedRows();
    if (rows.isEmpty())
        ui->edtWidth->clear();
    else
        ui->edtWidth->setText(QString::number(m_model->item(rows.first(), COL_WIDTH)->data(ROLE_VALUE).toInt()));
}

void FormChooseProjectorListColumn::f_SetInitialize()
{
    RunTraced([&] {
        const QMessageBox::StandardButton answer =
            CMessageBoxes::Question(this, nullptr, tr("Lumivox5MsgTitle"), tr("ChooseColumnMsgSetDefaultMessage"),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        if (answer == QMessageBox::Ok) {
            CListViewColumnStatus::NumberVisibleFirst(m_defaultColumnStatusList);
            m_columnStatusList = m_defaultColumnStatusList;
            f_UpdateColumnData(false);
        }
    });
    f_UpdateWidth();
}
