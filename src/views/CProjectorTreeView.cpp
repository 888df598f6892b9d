#include "CProjectorTreeView.h"

#include "ExceptionTrace.h"
#include "Lumivox5Icons.h"
#include "PJDataSortProxyModel.h"
#include "QHeaderViewEx.h"
#include "QStyledItemDelegateEx.h"

#include <QAction>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const int PROGRESS_INTERVAL_MS = 200;
const int EDIT_COLUMNS_ACTION_ID = 0;
// The width the column chooser gives a column with a negative width.
const int MINIMUM_COLUMN_WIDTH = 12;

} // namespace

CProjectorTreeView::CProjectorTreeView(QWidget* parent)
    : QTreeView(parent)
    , m_editRowIdx(-1)
    , m_headerMenu(nullptr)
    , m_contextMenu(nullptr)
    , m_progressTimer(nullptr)
    , m_progressPjDataIDList(nullptr)
    , m_rowIndexValid(false)
    , m_addingRow(false)
{
    RegisterLumivox5Icons();

    setRootIsDecorated(false);
    setAutoScroll(true);
    setSortingEnabled(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked);

    QStandardItemModel* source = new QStandardItemModel(0, 0, this);
    PJDataSortProxyModel* proxy = new PJDataSortProxyModel(this);
    proxy->setSourceModel(source);
    // Rows re-sort only on request: a refresh pass writes every cell, and a
    // row must not jump while it is being renamed.
    proxy->setDynamicSortFilter(false);
    setModel(proxy);
    // Rows that move or go make the id index stale; the rows Add appends keep it.
    connect(source, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_addingRow)
            f_InvalidateRowIndex();
    });
    connect(source, &QAbstractItemModel::rowsRemoved, this, &CProjectorTreeView::f_InvalidateRowIndex);
    connect(source, &QAbstractItemModel::rowsMoved, this, &CProjectorTreeView::f_InvalidateRowIndex);
    connect(source, &QAbstractItemModel::modelReset, this, &CProjectorTreeView::f_InvalidateRowIndex);
    connect(source, &QAbstractItemModel::layoutChanged, this, &CProjectorTreeView::f_InvalidateRowIndex);

    QHeaderViewEx* headerView = new QHeaderViewEx(Qt::Horizontal, this);
    headerView->setDefaultAlignment(Qt::AlignLeft);
    // Qt's own minimum follows the font and is wider than the 28-pixel icon
    // columns; stored widths must come back as they were stored.
    headerView->setMinimumSectionSize(MINIMUM_COLUMN_WIDTH);
    setHeader(headerView);
    headerView->setSectionsMovable(true);
    headerView->setSectionsClickable(true);
    connect(headerView, &QHeaderViewEx::mousePress, this, &CProjectorTreeView::f_HeaderMousePressEvent);
    connect(headerView, &QHeaderViewEx::mouseRelease, this, &CProjectorTreeView::f_HeaderMouseReleaseEvent);

    f_CreateHeaderContextMenu();
    f_CreateContextMenu();

    m_editRowIdx = -1;
    m_editOldName = QString("");

    headerView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(headerView, &QWidget::customContextMenuRequested, this, &CProjectorTreeView::f_ShowHeaderContextMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &CProjectorTreeView::f_ShowContextMenu);

    m_progressPjDataIDList = new QList<int>();
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(PROGRESS_INTERVAL_MS);
    connect(m_progressTimer, &QTimer::timeout, this, &CProjectorTreeView::f_OnTimerProgress_Tick);

    headerView->setStretchLastSection(false);
    connect(headerView, &QHeaderView::sectionClicked, this, &CProjectorTreeView::f_OnHeaderColumnClick);
    connect(headerView, &QHeaderView::sectionMoved, this, &CProjectorTreeView::f_OnSectionMoved);

    setItemDelegate(new QStyledItemDelegateEx(this));
}

CProjectorTreeView::~CProjectorTreeView()
{
    delete m_headerMenu;
    delete m_contextMenu;
    if (m_progressTimer->isActive())
        m_progressTimer->stop();
    delete m_progressTimer;
    delete m_progressPjDataIDList;
}

QStandardItemModel* CProjectorTreeView::f_SourceModel() const
{
    return static_cast<QStandardItemModel*>(f_ProxyModel()->sourceModel());
}

PJDataSortProxyModel* CProjectorTreeView::f_ProxyModel() const
{
    return static_cast<PJDataSortProxyModel*>(model());
}

int CProjectorTreeView::f_ColumnOfKey(int key) const
{
    return m_columnIndexByKey.value(key, 0);
}

int CProjectorTreeView::f_RowId(int row) const
{
    const QStandardItem* item = f_SourceModel()->item(row, 0);
    return item ? item->data(ROLE_PJDATA_ID).toInt() : 0;
}

QList<int> CProjectorTreeView::GetDispPjDataIDList()
{
    return RunTraced(QList<int>(), [&] {
        QList<int> ids;
        PJDataSortProxyModel* proxy = f_ProxyModel();
        const int rows = proxy->rowCount();
        ids.reserve(rows);
        for (int row = 0; row < rows; ++row)
            ids.append(f_RowId(proxy->mapToSource(proxy->index(row, 0)).row()));
        return ids;
    });
}

QList<int> CProjectorTreeView::GetPjDataIDList(bool selectedOnly)
{
    if (!selectedOnly)
        return GetDispPjDataIDList();
    return RunTraced(QList<int>(), [&] {
        QList<int> ids;
        const QList<int> rows = f_SelectedRows();
        ids.reserve(rows.size());
        PJDataSortProxyModel* proxy = f_ProxyModel();
        for (int row : rows)
            ids.append(f_RowId(proxy->mapToSource(proxy->index(row, 0)).row()));
        return ids;
    });
}

QList<int> CProjectorTreeView::f_SelectedRows() const
{
    QList<int> rows;
    const QItemSelectionModel* selection = selectionModel();
    const int rowCount = model()->rowCount();
    const int lastColumn = model()->columnCount() - 1;
    QVector<bool> seen(rowCount, false);
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.parent().isValid())
            continue;
        // A range over every column selects its rows whole; others need asking.
        const bool whole = range.left() == 0 && range.right() == lastColumn;
        for (int row = range.top(); row <= range.bottom() && row < rowCount; ++row) {
            if (seen.at(row))
                continue;
            seen[row] = true;
            if (whole || selection->isRowSelected(row, QModelIndex()))
                rows.append(row);
        }
    }
    return rows;
}

bool CProjectorTreeView::IsVisibleColumn(int column)
{
    return !isColumnHidden(column);
}

bool CProjectorTreeView::f_IsNakError(int code)
{
    return code >= -190 && code <= -100;
}

void CProjectorTreeView::f_HeaderMousePressEvent(QMouseEvent* event)
{
    if (!event)
        return;
    // A drag that starts on one of the two icon columns never moves it.
    const int visual = header()->visualIndexAt(event->pos().x());
    const bool pinned = visual == f_ColumnOfKey(KEY_PJ_ERROR) || visual == f_ColumnOfKey(KEY_COMM_ERROR);
    header()->setSectionsMovable(!pinned);
}

void CProjectorTreeView::f_HeaderMouseReleaseEvent(QMouseEvent*)
{
    header()->setSectionsMovable(true);
}

void CProjectorTreeView::f_OnSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex)
{
    // The two icon columns stay at the left edge and nothing else goes there;
    // the undo raises this once more for the reverse move, which passes.
    const bool iconColumnMovedAway = logicalIndex <= 1 && newVisualIndex != logicalIndex;
    const bool otherColumnMovedThere = logicalIndex >= 2 && newVisualIndex <= 1;
    if (iconColumnMovedAway || otherColumnMovedThere)
        header()->moveSection(newVisualIndex, oldVisualIndex);
}

void CProjectorTreeView::f_OnHeaderColumnClick(int)
{
    emit f_ChangePjListSortConditions();
}

void CProjectorTreeView::f_CreateHeaderContextMenu()
{
    m_headerMenu = new QMenu();
    QAction* action = m_headerMenu->addAction(tr("Edit Columns"));
    action->setData(QVariant(EDIT_COLUMNS_ACTION_ID));
    connect(action, &QAction::triggered, this, &CProjectorTreeView::f_CtxSendSignal);
}

// Both positions come in the coordinates of the widget that asked: the header,
// and the view's viewport.
void CProjectorTreeView::f_ShowHeaderContextMenu(QPoint position)
{
    m_headerMenu->exec(header()->mapToGlobal(position));
}

void CProjectorTreeView::f_ShowContextMenu(QPoint position)
{
    m_contextMenu->exec(viewport()->mapToGlobal(position));
}

void CProjectorTreeView::focusInEvent(QFocusEvent* event)
{
    RunTraced([&] {
        if (!selectionModel()->hasSelection() && f_ProxyModel()->rowCount() > 0)
            setCurrentIndex(f_ProxyModel()->index(0, 0));
    });
    QTreeView::focusInEvent(event);
}
