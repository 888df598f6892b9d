#include "FormStartOtherApp.h"
#include "ui_FormStartOtherApp.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QVariantMap>

#include <algorithm>

#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "FormStartOtherAppAdd.h"
#include "ModalBoxes.h"

const QString FormStartOtherApp::KEY_DISPLAY_NAME = QStringLiteral("DisplayName");
const QString FormStartOtherApp::KEY_PATH = QStringLiteral("Path");
const QString FormStartOtherApp::KEY_ARGUMENTS = QStringLiteral("Arguments");

namespace {
const char* const HELP_PAGE_START_APP = "_RESOURCE/html/ApplicationStartSetting.htm";
// Names a removal question lists before it says "...".
const int REMOVAL_NAMES_SHOWN = 3;
} // namespace

FormStartOtherApp::FormStartOtherApp(QWidget* parent)
    : QDialog(parent)
    , m_AppList(nullptr)
    , m_MaxCount(0)
    , ui(new Ui::FormStartOtherApp)
    , m_Model(nullptr)
{
    RunTraced([&] {
        ui->setupUi(this);
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            DialogLayout::RaiseToMinimumButtonHeight(child);
        ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
        ui->buttonBox->button(QDialogButtonBox::Help)->setText(tr("&Help"));
        m_Model = new QStandardItemModel(0, 1, this);
        ui->treeViewAppList->setModel(m_Model);
        ui->treeViewAppList->setHeaderHidden(true);
        ui->treeViewAppList->setRootIsDecorated(false);
        ui->treeViewAppList->setSelectionMode(QAbstractItemView::ExtendedSelection);
        ui->treeViewAppList->setSelectionBehavior(QAbstractItemView::SelectRows);
        connect(ui->treeViewAppList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &FormStartOtherApp::f_On_SelectionChanged);
        for (QPushButton* button : {ui->btnMoveUp, ui->btnMoveDown, ui->btnEdit, ui->btnRemove})
            button->setEnabled(false);
    });
}

FormStartOtherApp::~FormStartOtherApp()
{
}

QStandardItem* FormStartOtherApp::f_NewItem(const QStringList& entry)
{
    auto* item = new QStandardItem(entry.value(0));
    item->setEditable(false);
    QVariantMap map;
    map.insert(KEY_DISPLAY_NAME, entry.value(0));
    map.insert(KEY_PATH, entry.value(1));
    map.insert(KEY_ARGUMENTS, entry.value(2));
    item->setData(map, ENTRY_ROLE);
    return item;
}

QStringList FormStartOtherApp::f_Entry(const QStandardItem* item)
{
    const QVariantMap map = item ? item->data(ENTRY_ROLE).toMap() : QVariantMap();
    return {map.value(KEY_DISPLAY_NAME).toString(), map.value(KEY_PATH).toString(),
            map.value(KEY_ARGUMENTS).toString()};
}

QList<int> FormStartOtherApp::f_SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : ui->treeViewAppList->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FormStartOtherApp::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        // A later opening of the same dialog shows the list afresh, not
        // appended to what the last one left.
        m_Model->removeRows(0, m_Model->rowCount());
        if (m_AppList) {
            for (const QStringList& entry : *m_AppList)
                m_Model->appendRow(f_NewItem(entry));
            ui->treeViewAppList->resizeColumnToContents(0);
        }
        f_UpdateButton();
    });
    QDialog::showEvent(event);
}

void FormStartOtherApp::closeEvent(QCloseEvent* event)
{
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void FormStartOtherApp::f_UpdateButton()
{
    // Add follows the count; the others follow the selection.
    ui->btnAdd->setEnabled(m_Model->rowCount() < m_MaxCount);
    for (QPushButton* button : {ui->btnMoveUp, ui->btnMoveDown, ui->btnEdit, ui->btnRemove})
        button->setEnabled(false);
    const QList<int> rows = f_SelectedRows();
    if (rows.isEmpty())
        return;
    ui->btnRemove->setEnabled(true);
    if (rows.size() > 1)
        return;
    ui->btnEdit->setEnabled(true);
    ui->btnMoveUp->setEnabled(rows.first() > 0);
    ui->btnMoveDown->setEnabled(rows.first() < m_Model->rowCount() - 1);
}

void FormStartOtherApp::f_On_SelectionChanged(QItemSelection, QItemSelection)
{
    f_UpdateButton();
}

bool FormStartOtherApp::f_RunEditor(const QString& title, const QStringList& entry, QStringList* result)
{
    FormStartOtherAppAdd editor(this);
    editor.m_Title = title;
    if (!entry.isEmpty())
        editor.SetAppData(entry.value(0), entry.value(1), entry.value(2));
    editor.setModal(true);
    emit HTMLViewerParentChangeSignal(&editor);
    const int answer = editor.exec();
    emit HTMLViewerParentChangeSignal(this);
    if (answer != QDialog::Accepted)
        return false;
    *result = QStringList{editor.m_DisplayName, editor.m_Path, editor.m_Argument};
    return true;
}

void FormStartOtherApp::f_ItemAdd()
{
    const QModelIndexList selected = ui->treeViewAppList->selectionModel()->selectedRows();
    const int at = selected.isEmpty() ? m_Model->rowCount() : selected.last().row() + 1;
    QStringList entry;
    if (f_RunEditor(tr("StartAppSettingEditTitleNew"), QStringList(), &entry)) {
        QStandardItem* item = f_NewItem(entry);
        m_Model->insertRow(at, item);
        ui->treeViewAppList->setCurrentIndex(item->index());
    }
    f_UpdateButton();
}

void FormStartOtherApp::f_ItemEdit()
{
    const QList<int> rows = f_SelectedRows();
    if (rows.size() != 1)
        return;
    QStandardItem* item = m_Model->item(rows.first());
    QStringList entry;
    if (!f_RunEditor(tr("StartAppSettingEditTitleEdit"), f_Entry(item), &entry))
        return;
    item = m_Model->item(rows.first());
    QStandardItem* changed = f_NewItem(entry);
    item->setText(changed->text());
    item->setData(changed->data(ENTRY_ROLE), ENTRY_ROLE);
    delete changed;
    ui->treeViewAppList->setCurrentIndex(item->index());
}

void FormStartOtherApp::f_ItemRemove()
{
    const QList<int> rows = f_SelectedRows();
    if (rows.isEmpty())
        return;
    QString text;
    if (rows.size() == 1) {
        text = tr("StartOtherAppDeleteMessage").arg(m_Model->item(rows.first())->text());
    } else {
        text = tr("StartOtherAppDeleteMessage2").arg(rows.size());
        for (int i = 0; i < rows.size() && i < REMOVAL_NAMES_SHOWN; ++i)
            text += QLatin1Char('\n') + m_Model->item(rows.at(i))->text();
        if (rows.size() > REMOVAL_NAMES_SHOWN)
            text += QStringLiteral("...");
    }
    if (CMessageBoxes::Question(this, nullptr, tr("Lumivox5MsgTitle"), text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok)
        != QMessageBox::Ok)
        return;
    int next = rows.last() + 1;
    if (next >= m_Model->rowCount())
        next = rows.first() - 1;
    ui->treeViewAppList->setCurrentIndex(next >= 0 ? m_Model->index(next, 0) : QModelIndex());
    for (int i = rows.size() - 1; i >= 0; --i)
        m_Model->removeRow(rows.at(i));
    f_UpdateButton();
}

void FormStartOtherApp::f_ItemMove(bool up)
{
    const QList<int> rows = f_SelectedRows();
    if (rows.size() != 1)
        return;
    const int from = rows.first();
    const int to = qBound(0, from + (up ? -1 : 1), m_Model->rowCount() - 1);
    const QList<QStandardItem*> taken = m_Model->takeRow(from);
    m_Model->insertRow(to, taken);
    ui->treeViewAppList->setCurrentIndex(m_Model->index(to, 0));
    f_UpdateButton();
}

void FormStartOtherApp::on_btnAdd_clicked()
{
    RunTraced([&] { f_ItemAdd(); });
    ui->treeViewAppList->resizeColumnToContents(0);
}

void FormStartOtherApp::on_btnEdit_clicked()
{
    RunTraced([&] { f_ItemEdit(); });
    ui->treeViewAppList->resizeColumnToContents(0);
}

void FormStartOtherApp::on_treeViewAppList_doubleClicked(QModelIndex)
{
    on_btnEdit_clicked();
}

void FormStartOtherApp::on_btnRemove_clicked()
{
    RunTraced([&] { f_ItemRemove(); });
    ui->treeViewAppList->resizeColumnToContents(0);
}

void FormStartOtherApp::on_btnMoveUp_clicked()
{
    RunTraced([&] { f_ItemMove(true); });
}

void FormStartOtherApp::on_btnMoveDown_clicked()
{
    RunTraced([&] { f_ItemMove(false); });
}

void FormStartOtherApp::on_buttonBox_accepted()
{
    RunTraced([&] {
        if (!m_AppList)
            m_AppList = new QList<QStringList>;
        m_AppList->clear();
        for (int row = 0; row < m_Model->rowCount(); ++row)
            m_AppList->append(f_Entry(m_Model->item(row)));
    });
    setResult(QDialog::Accepted);
    close();
}

void FormStartOtherApp::on_buttonBox_rejected()
{
    setResult(QDialog::Rejected);
    close();
}

void FormStartOtherApp::on_buttonBox_helpRequested()
{
    emit ShowHelpSignal(QString::fromLatin1(HELP_PAGE_START_APP), this);
}
