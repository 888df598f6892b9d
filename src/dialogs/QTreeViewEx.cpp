#include "QTreeViewEx.h"

#include "ExceptionTrace.h"

QTreeViewEx::QTreeViewEx(QWidget* parent)
    : QTreeView(parent)
{
}

QTreeViewEx::~QTreeViewEx()
{
}

void QTreeViewEx::edit(const QModelIndex& index)
{
    QTreeView::edit(index);
}

bool QTreeViewEx::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    return RunTraced(false, [&] {
        if (!selectionModel() || selectionModel()->selectedRows(0).count() != 1)
            return false;
        if (trigger == AllEditTriggers && m_EditColumn >= 0 && model()) {
            const QModelIndex target = model()->index(index.row(), m_EditColumn);
            scrollTo(target, EnsureVisible);
            return f_Edit(target, trigger, event);
        }
        return f_Edit(index, trigger, event);
    });
}

bool QTreeViewEx::f_Edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool result = QTreeView::edit(index, trigger, event);
    if (result && indexWidget(index))
        m_EditedIndex = index;
    return result;
}
