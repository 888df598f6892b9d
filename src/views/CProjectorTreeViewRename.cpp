// Renaming a projector in place, and dragging the selected projectors out of
// the list as a comma-separated list of their ids.
#include "CProjectorTreeView.h"

#include "ExceptionTrace.h"
#include "PJDataSortProxyModel.h"
#include "LogCategories.h"

#include <QDebug>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QStandardItemModel>

void CProjectorTreeView::ProjectorRename()
{
    RunTraced([&] {
        const QList<int> rows = f_SelectedRows();
        if (rows.size() != 1)
            return;
        edit(f_ProxyModel()->index(rows.first(), f_ColumnOfKey(KEY_PJ_NAME)));
    });
}

void CProjectorTreeView::edit(const QModelIndex& index)
{
    QTreeView::edit(index);
}

bool CProjectorTreeView::edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event)
{
    return RunTraced(false, [&] {
        PJDataSortProxyModel* proxy = f_ProxyModel();
        const int nameColumn = f_ColumnOfKey(KEY_PJ_NAME);
        const QModelIndex nameIndex = proxy->index(index.row(), nameColumn);
        if (!nameIndex.isValid() || f_SelectedRows().size() != 1 || isColumnHidden(nameColumn))
            return false;

        const QModelIndex sourceName = proxy->mapToSource(nameIndex);
        m_editRowIdx = sourceName.row();
        const QStandardItem* nameItem = f_SourceModel()->itemFromIndex(sourceName);
        m_editOldName = nameItem ? nameItem->text() : QString();

        bool enabled = false;
        emit f_RequestIsSetProjectorNameEnabled(f_RowId(m_editRowIdx), enabled);
        if (!enabled)
            return false;

        if (trigger == QAbstractItemView::AllEditTriggers) {
            scrollTo(nameIndex);
            setCurrentIndex(nameIndex);
            return QTreeView::edit(nameIndex, QAbstractItemView::AllEditTriggers, event);
        }
        // Only name cells are editable, so other cells open nothing here.
        return QTreeView::edit(index, trigger, event);
    });
}

void CProjectorTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint)
{
    // Closing never moves editing on to another cell; the text is in the model already.
    QTreeView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    RunTraced([&] {
        if (m_editRowIdx == -1) {
            qCDebug(lcViews, "!! set miss check m_editRowIdx !!");
            return;
        }
        QStandardItem* nameItem = f_SourceModel()->item(m_editRowIdx, f_ColumnOfKey(KEY_PJ_NAME));
        if (!nameItem)
            return;
        const int id = f_RowId(m_editRowIdx);
        const QString newName = nameItem->text();
        if (newName.length() > PJ_NAME_MAX_LENGTH) {
            emit f_RequestShowMsgBoxWarn(tr("MainMsgPjNameOverMessage").arg(PJ_NAME_MAX_LENGTH));
            nameItem->setText(m_editOldName);
            return;
        }
        if (newName == m_editOldName) {
            qCDebug(lcViews, "ProjectorName not Changed");
            return;
        }
        emit f_RequestRenameEnd(id, newName);
    });
}

void CProjectorTreeView::startDrag(Qt::DropActions supportedActions)
{
    RunTraced([&] {
        const QList<int> rows = f_SelectedRows();
        if (rows.isEmpty())
            return;
        QString ids;
        for (int row : rows) {
            const QModelIndex sourceIndex = f_ProxyModel()->mapToSource(f_ProxyModel()->index(row, 0));
            const QStandardItem* item = f_SourceModel()->item(sourceIndex.row(), 0);
            if (!item)
                continue;
            bool ok = false;
            const int id = item->data(ROLE_PJDATA_ID).toInt(&ok);
            if (ok)
                ids += QString::number(id) + QLatin1Char(',');
        }
        ids.chop(1);
        // The item-model format lets the group tree accept the drag; the plain
        // text is what it reads.
        QMimeData* mime = model()->mimeData(selectedIndexes());
        if (!mime)
            mime = new QMimeData();
        mime->setText(ids);
        QDrag* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(supportedActions, Qt::CopyAction);
    });
}
