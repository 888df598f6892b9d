// The animated progress icon of projectors being communicated with.
#include "CProjectorTreeView.h"
#include "LoadedIcon.h"

#include "ExceptionTrace.h"

#include <QIcon>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const char* const PROGRESS_FRAMES[] = {
    ":/icon/ico/Progress32_1.ico",
    ":/icon/ico/Progress32_2.ico",
    ":/icon/ico/Progress32_3.ico",
    ":/icon/ico/Progress32_4.ico",
};
const int FRAME_COUNT = 4;

const QIcon& FrameIcon(int frame)
{
    static const QIcon icons[FRAME_COUNT] = {
        LoadedIcon(QString::fromLatin1(PROGRESS_FRAMES[0])),
        LoadedIcon(QString::fromLatin1(PROGRESS_FRAMES[1])),
        LoadedIcon(QString::fromLatin1(PROGRESS_FRAMES[2])),
        LoadedIcon(QString::fromLatin1(PROGRESS_FRAMES[3])),
    };
    return icons[frame];
}

} // namespace

void CProjectorTreeView::CheckProgressIcon(int target, bool bStart)
{
    RunTraced([&] {
        if (bStart) {
            if (!m_progressPjDataIDList->contains(target))
                m_progressPjDataIDList->append(target);
        } else {
            m_progressPjDataIDList->removeAll(target);
        }
        const int row = f_FindRow(target);
        if (row >= 0) {
            QStandardItem* cell = f_SourceModel()->item(row, f_ColumnOfKey(KEY_COMM_ERROR));
            if (cell) {
                cell->setData(bStart ? 1 : 0, ROLE_PROGRESS_STATE);
                if (!bStart)
                    cell->setData(QVariant(), Qt::DecorationRole);
            }
        }
        if (m_progressTimer->isActive())
            return;
        f_OnTimerProgress_Tick();
        m_progressTimer->start();
    });
}

void CProjectorTreeView::f_OnTimerProgress_Tick()
{
    RunTraced([&] {
        if (m_progressPjDataIDList->isEmpty())
            return;
        const int column = f_ColumnOfKey(KEY_COMM_ERROR);
        CellWriter writer(f_SourceModel(), f_EditedSourceIndex());
        for (int id : *m_progressPjDataIDList) {
            const int row = f_FindRow(id);
            if (row < 0)
                continue;
            QStandardItem* cell = f_SourceModel()->item(row, column);
            if (cell)
                f_SetProgressFrame(writer, cell);
        }
    });
}

void CProjectorTreeView::f_SetProgressFrame(CellWriter& writer, QStandardItem* cell)
{
    bool ok = false;
    const int state = cell->data(ROLE_PROGRESS_STATE).toInt(&ok);
    if (!ok || state < 1 || state > FRAME_COUNT) {
        writer.set(cell, QVariant(), Qt::DecorationRole);
        return;
    }
    // State n shows frame n and moves on to the next, frame 4 back to frame 1.
    writer.set(cell, FrameIcon(state - 1), Qt::DecorationRole);
    writer.set(cell, state % FRAME_COUNT + 1, ROLE_PROGRESS_STATE);
}

int CProjectorTreeView::f_FindRow(int id)
{
    QStandardItemModel* source = f_SourceModel();
    if (m_rowIndexValid) {
        const int row = m_rowById.value(id, -1);
        // Rows changed behind the view's back make the index rebuild itself.
        if (row < 0 || (row < source->rowCount() && f_RowId(row) == id))
            return row;
    }
    m_rowById.clear();
    const int rows = source->rowCount();
    m_rowById.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const int rowId = f_RowId(row);
        // The first row with an id wins.
        if (!m_rowById.contains(rowId))
            m_rowById.insert(rowId, row);
    }
    m_rowIndexValid = true;
    return m_rowById.value(id, -1);
}

void CProjectorTreeView::f_InvalidateRowIndex()
{
    m_rowIndexValid = false;
}
