// Rows of the projector list: one per projector record, its 25 texts, its id
// and its look (text colour, height, error marks and icons, hour warnings).
#include "CProjectorTreeView.h"
#include "LoadedIcon.h"

#include "CProjectorData.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QBrush>
#include <QDebug>
#include <QFont>
#include <QIcon>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTimer>

namespace {

// Each key's cell text, in the order the cells are made and written.
struct CellText {
    int key;
    QString (*text)(CProjectorData& record);
};

const CellText CELL_TEXTS[] = {
    { 0, [](CProjectorData&) { return QString(); } },
    { 1, [](CProjectorData&) { return QString(); } },
    { 3, [](CProjectorData& r) { return r.GetSettingNameString(); } },
    { 5, [](CProjectorData& r) { return r.GetSettingString(); } },
    { 8, [](CProjectorData& r) { return r.GetStatusString(); } },
    { 12, [](CProjectorData& r) { return r.GetLampModeString(); } },
    { 13, [](CProjectorData& r) { return r.GetRemainingLampTimeString(false); } },
    { 15, [](CProjectorData& r) { return r.GetFilterUsageString(false); } },
    { 16, [](CProjectorData& r) { return r.GetInputTerminalString(); } },
    { 17, [](CProjectorData& r) { return r.GetMACAddressString(0); } },
    { 21, [](CProjectorData& r) { return r.GetModelSerialNumberString(); } },
    { 2, [](CProjectorData& r) { return r.GetProjectorNameString(); } },
    { 4, [](CProjectorData& r) { return r.GetDeviceString(); } },
    { 6, [](CProjectorData& r) { return r.GetPortString(); } },
    { 7, [](CProjectorData& r) { return r.GetModelNameString(); } },
    { 9, [](CProjectorData& r) { return r.GetPictureMuteString(); } },
    { 10, [](CProjectorData& r) { return r.GetSoundMuteString(); } },
    { 11, [](CProjectorData& r) { return r.GetOSDMuteString(); } },
    { 14, [](CProjectorData& r) { return r.GetRemainingLamp2TimeString(false); } },
    { 18, [](CProjectorData& r) { return r.GetMACAddressString(2); } },
    { 19, [](CProjectorData& r) { return r.GetMACAddressString(3); } },
    { 22, [](CProjectorData& r) { return r.GetUserCommentString(); } },
    { 23, [](CProjectorData& r) { return r.GetLastUpdateString(); } },
    { 24, [](CProjectorData& r) { return r.GetRemarkString(true, false); } },
    { 20, [](CProjectorData& r) { return r.GetLensCoverStateString(); } },
};

// The hour columns and the warning each shows in red bold.
struct HourWarning {
    int key;
    bool (CProjectorData::*warned)();
};

const HourWarning HOUR_WARNINGS[] = {
    { 13, &CProjectorData::f_IsRemainingLampTimeError },
    { 14, &CProjectorData::f_IsRemainingLamp2TimeError },
    { 15, &CProjectorData::f_IsRemainingFilterUsageError },
};

const int ROW_HEIGHT = 24;
const int CANCELED_BY_USER = -10;

const QString ICON_PJ_ERROR = QStringLiteral(":/icon/ico/PjError12_1.ico");
const QString ICON_COMM_ERROR = QStringLiteral(":/icon/ico/PjError12_2.ico");
const QString ICON_NAK_ERROR = QStringLiteral(":/icon/ico/PjError12_3.ico");

} // namespace

void CProjectorTreeView::AddRange(QList<CProjectorData*> records)
{
    for (CProjectorData* record : records)
        Add(record);
}

void CProjectorTreeView::Add(CProjectorData* record)
{
    if (!record)
        return;
    RunTraced([&] {
        QStandardItemModel* source = f_SourceModel();
        const int row = source->rowCount();
        QVector<QStandardItem*> cells(qMax(1, source->columnCount()), nullptr);
        for (const CellText& cell : CELL_TEXTS) {
            QStandardItem* item = new QStandardItem(QString(""));
            // Only a name cell may open an editor: a click on any other cell of
            // a selected row must not let the operator overwrite a shown value.
            if (cell.key != KEY_PJ_NAME)
                item->setEditable(false);
            const int column = f_ColumnOfKey(cell.key);
            if (column < 0 || column >= cells.size()) {
                delete item;
                continue;
            }
            delete cells[column];
            cells[column] = item;
        }
        for (QStandardItem*& item : cells) {
            if (!item) {
                item = new QStandardItem();
                item->setEditable(false);
            }
        }
        const QString rule(62, QLatin1Char('^'));
        qCDebug(lcViews, "%s\n    CProjectorTreeView::Add SettingName[%s] Setting[%s]\n\n%s", qUtf8Printable(rule),
               qUtf8Printable(record->GetSettingNameString()), qUtf8Printable(record->GetSettingString()),
               qUtf8Printable(rule));

        const int code = record->m_Result != 0 ? record->m_ErrorCode : 0;
        // The cells are filled before the row joins the model, so the row is
        // sorted into place by its real values and the fill sends no changes.
        f_SetVisual(row, cells, *record, code);
        m_addingRow = true;
        source->insertRow(row, cells.toList());
        m_addingRow = false;
        const int id = f_RowId(row);
        if (m_rowIndexValid && !m_rowById.contains(id))
            m_rowById.insert(id, row);
    });
}

void CProjectorTreeView::SetPjDataVisual(int row, CProjectorData& record, int code)
{
    RunTraced([&] {
        if (row < 0 || row >= f_SourceModel()->rowCount())
            return;
        f_SetVisual(row, f_RowCells(row), record, code);
    });
}

void CProjectorTreeView::f_UpdateParam(int row, CProjectorData& record)
{
    RunTraced([&] {
        if (row < 0 || row >= f_SourceModel()->rowCount())
            return;
        const QVector<QStandardItem*> cells = f_RowCells(row);
        CellWriter writer(f_SourceModel(), f_EditedSourceIndex());
        f_SetTexts(writer, cells, record);
    });
}

QVector<QStandardItem*> CProjectorTreeView::f_RowCells(int row)
{
    QStandardItemModel* source = f_SourceModel();
    QVector<QStandardItem*> cells(source->columnCount(), nullptr);
    for (int column = 0; column < cells.size(); ++column) {
        QStandardItem* item = source->item(row, column);
        if (!item) {
            item = new QStandardItem();
            item->setEditable(false);
            source->setItem(row, column, item);
        }
        cells[column] = item;
    }
    return cells;
}

QModelIndex CProjectorTreeView::f_EditedSourceIndex() const
{
    if (state() != QAbstractItemView::EditingState)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(current.model());
    return proxy ? proxy->mapToSource(current) : current;
}

void CProjectorTreeView::f_SetTexts(CellWriter& writer, const QVector<QStandardItem*>& cells, CProjectorData& record)
{
    if (cells.isEmpty())
        return;
    for (const CellText& cell : CELL_TEXTS) {
        const int column = f_ColumnOfKey(cell.key);
        if (column >= 0 && column < cells.size())
            writer.set(cells.at(column), cell.text(record), Qt::DisplayRole);
    }
    QStandardItem* first = cells.at(0);
    const QVariant previous = first->data(ROLE_PJDATA_ID);
    if (previous.isValid() && previous.toInt() != record.m_Id)
        f_InvalidateRowIndex();
    writer.set(first, record.m_Id, ROLE_PJDATA_ID);
}

void CProjectorTreeView::f_SetVisual(int row, const QVector<QStandardItem*>& cells, CProjectorData& record,
                                     int code)
{
    qCDebug(lcViews, "CProjectorTreeView::SetPjDataVisual row[%d] data[%s] errCode[%d]", row,
           qUtf8Printable(record.m_Address), code);
    if (cells.isEmpty())
        return;
    // Cells not yet in the model (a row being added) have no model to hold back.
    CellWriter writer(cells.at(0)->model(), f_EditedSourceIndex());
    f_SetTexts(writer, cells, record);

    const int id = cells.at(0)->data(ROLE_PJDATA_ID).toInt();
    auto cellOfKey = [&](int key) {
        const int column = f_ColumnOfKey(key);
        return (column >= 0 && column < cells.size()) ? cells.at(column) : cells.at(0);
    };
    QStandardItem* errorCell = cellOfKey(KEY_PJ_ERROR);
    QStandardItem* commCell = cellOfKey(KEY_COMM_ERROR);

    // A refreshed row of an animated projector starts its animation afresh.
    if (m_progressTimer->isActive())
        m_progressTimer->stop();
    writer.set(commCell, m_progressPjDataIDList->contains(id) ? 1 : 0, ROLE_PROGRESS_STATE);
    m_progressTimer->start();

    // Each value is worked out first and written once, so that refreshing an
    // unchanged row changes nothing.
    const bool connected = record.m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED;
    bool warned[3] = { false, false, false };
    if (connected) {
        for (int i = 0; i < 3; ++i) {
            // Through a local copy: GCC's bounds check misreads a call
            // through a member pointer taken straight from the table.
            bool (CProjectorData::*test)() = HOUR_WARNINGS[i].warned;
            warned[i] = (record.*test)();
        }
    }
    const QBrush textBrush(connected ? QColor(0, 0, 0) : QColor(128, 128, 128, 255));
    const QBrush warningBrush(Qt::red);
    const QSize sizeHint(-1, ROW_HEIGHT);
    for (int column = 0; column < cells.size(); ++column) {
        bool red = false;
        for (int i = 0; i < 3; ++i)
            red = red || (warned[i] && f_ColumnOfKey(HOUR_WARNINGS[i].key) == column);
        writer.set(cells.at(column), red ? warningBrush : textBrush, Qt::ForegroundRole);
        writer.set(cells.at(column), sizeHint, Qt::SizeHintRole);
    }

    int level = 0;
    if (code != 0 && code != CANCELED_BY_USER) {
        level = f_IsNakError(code) ? 2 : 1;
        writer.set(commCell, LoadedIcon(level == 2 ? ICON_NAK_ERROR : ICON_COMM_ERROR), Qt::DecorationRole);
    }
    writer.set(commCell, level, ROLE_COMM_ERROR_LEVEL);

    // Marks and warnings of a projector out of contact keep their last values;
    // only its error icon goes.
    if (!connected) {
        writer.set(errorCell, QVariant(), Qt::DecorationRole);
        return;
    }

    const bool marked = record.m_Status[CProjectorData::StErrorWordA].ToLong() != 0
                        || record.f_IsRemainingFilterUsageError();
    writer.set(errorCell, marked ? QVariant(LoadedIcon(ICON_PJ_ERROR)) : QVariant(), Qt::DecorationRole);
    writer.set(errorCell, marked ? 1 : 0, ROLE_PJ_ERROR_MARK);

    for (int i = 0; i < 3; ++i) {
        QStandardItem* cell = cellOfKey(HOUR_WARNINGS[i].key);
        const QVariant current = cell->data(Qt::FontRole);
        QFont font = current.canConvert<QFont>() ? current.value<QFont>() : QFont();
        font.setWeight(warned[i] ? QFont::Bold : QFont::Normal);
        writer.set(cell, font, Qt::FontRole);
    }
}

CProjectorTreeView::CellWriter::CellWriter(QStandardItemModel* model, const QModelIndex& editing)
    : m_model(model)
    , m_wasBlocked(model ? model->blockSignals(true) : false)
    , m_top(-1)
    , m_bottom(-1)
    , m_left(-1)
    , m_right(-1)
    , m_editing(editing.model() == model ? editing : QModelIndex())
{
}

CProjectorTreeView::CellWriter::~CellWriter()
{
    if (!m_model)
        return;
    m_model->blockSignals(m_wasBlocked);
    if (m_top < 0 || m_wasBlocked)
        return;
    const int row = m_editing.row();
    const int column = m_editing.column();
    if (!m_editing.isValid() || row < m_top || row > m_bottom || column < m_left || column > m_right) {
        f_Report(m_top, m_left, m_bottom, m_right);
        return;
    }
    // The changed block around the edited cell: the rows above and below
    // it whole, its own row left and right of it.
    f_Report(m_top, m_left, row - 1, m_right);
    f_Report(row + 1, m_left, m_bottom, m_right);
    f_Report(row, m_left, row, column - 1);
    f_Report(row, column + 1, row, m_right);
}

void CProjectorTreeView::CellWriter::f_Report(int top, int left, int bottom, int right) const
{
    if (top <= bottom && left <= right)
        emit m_model->dataChanged(m_model->index(top, left), m_model->index(bottom, right));
}

void CProjectorTreeView::CellWriter::set(QStandardItem* cell, const QVariant& value, int role)
{
    const QVariant current = cell->data(role);
    // An absent value and an invalid one are the same; QVariant compares icons
    // by picture identity, which the shared icons keep.
    if (current.isValid() == value.isValid() && (!value.isValid() || current == value))
        return;
    cell->setData(value, role);
    if (!m_model)
        return;
    const int row = cell->row();
    const int column = cell->column();
    m_top = m_top < 0 ? row : qMin(m_top, row);
    m_bottom = qMax(m_bottom, row);
    m_left = m_left < 0 ? column : qMin(m_left, column);
    m_right = qMax(m_right, column);
}
