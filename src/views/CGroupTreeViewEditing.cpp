// Group tree editing: projectors dropped on a group, the group menu, and
// creating, renaming and deleting groups.
#include "CGroupTreeView.h"

#include "CLumivox5Data.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"

#include <QAction>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QStandardItem>
#include <QSet>
#include <QStandardItem>
#include <QStandardItemModel>

#include <iterator>

namespace {

// The group menu; `data` is what the dispatch acts on.
struct GroupMenuEntry
{
    const char* key;
    const char* objectName;
    int data;
    bool onGroupNode;
    bool onGroup;
};

const GroupMenuEntry GROUP_MENU[] = {
    {QT_TRANSLATE_NOOP("CGroupTreeView", "ctxMenuGroupCreate"), "actCreate", 0, true, true},
    {QT_TRANSLATE_NOOP("CGroupTreeView", "ctxMenuGroupDelete"), "actDelete", 1, false, true},
    {QT_TRANSLATE_NOOP("CGroupTreeView", "ctxMenuGroupRename"), "actRename", 2, false, true},
};

enum GroupMenuData { MENU_CREATE = 0, MENU_DELETE = 1, MENU_RENAME = 2 };

} // namespace

void CGroupTreeView::f_ShowWarning(const QString& text)
{
    CMessageBoxes::Show(this, m_appData, QMessageBox::Warning, tr("Lumivox5MsgTitle"), text, QMessageBox::Ok,
                        QMessageBox::NoButton);
}

void CGroupTreeView::f_ClearDropMarks()
{
    for (int row = 0; row < m_model->rowCount(); ++row)
        f_SetTreeViewHighLight(f_TopNode(row));
}

// ---- dropping projectors ----

void CGroupTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    f_ClearDropMarks();
    QStandardItem* item = m_model->itemFromIndex(index);
    item->setForeground(palette().brush(QPalette::HighlightedText));
    item->setBackground(palette().brush(QPalette::Highlight));
    // Only a group takes projectors.
    event->setAccepted(index.parent().isValid());
    if (item->hasChildren())
        expand(index);
}

void CGroupTreeView::dragLeaveEvent(QDragLeaveEvent* event)
{
    f_ClearDropMarks();
    QTreeView::dragLeaveEvent(event);
}

void CGroupTreeView::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    m_dropIdList = (data ? data->text() : QString()).split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
    m_dropPos = event->pos();
    emit PostDropEvent();
    // The source must not remove what it dragged: nothing moved.
    event->setAccepted(false);
    // The base class would end the drag state; without it the view would
    // stay in it and ignore the next clicks.
    setState(QAbstractItemView::NoState);
}

void CGroupTreeView::f_PostDropEvent()
{
    RunTraced([&] {
        QList<int> scratch;
        QList<int>& held = m_appData ? m_appData->m_PasteProjectorIDs : scratch;
        const QList<int> saved = held;
        held.clear();
        held.reserve(m_dropIdList.size());
        for (const QString& text : qAsConst(m_dropIdList)) {
            bool ok = false;
            const int id = text.toInt(&ok, 10);
            if (ok)
                held.append(id);
        }
        const QModelIndex index = indexAt(m_dropPos);
        if (index.isValid())
            emit f_RequestProjectorPaste(GetFullPath(true, index));
        else
            qCDebug(lcViews, "!! drpPos is inValid !!");
        held = saved;
    });
    f_ClearDropMarks();
    emit f_RequestChangeGroupName();
    m_dropIdList.clear();
}

// ---- the group menu ----

void CGroupTreeView::f_CreateContextMenu()
{
    if (!m_groupMenu)
        m_groupMenu = new QMenu(this);
    for (const GroupMenuEntry& entry : GROUP_MENU) {
        QAction* action = m_groupMenu->addAction(tr(entry.key));
        action->setObjectName(QString::fromLatin1(entry.objectName));
        action->setData(entry.data);
        connect(action, &QAction::triggered, this, &CGroupTreeView::f_SelectedGrpMenu);
    }
}

void CGroupTreeView::f_ShowContextMenu(QPoint position)
{
    if (!selectionModel()->hasSelection())
        return;
    f_CheckStdItem();
    if (!m_openItem)
        return;
    const int topRow = f_TopRow(m_openItem);
    if (topRow == ROW_ALL_PROJECTORS)
        return;
    const QList<QAction*> actions = m_groupMenu->actions();
    for (int i = 0; i < actions.size() && i < int(std::size(GROUP_MENU)); ++i) {
        const GroupMenuEntry& entry = GROUP_MENU[i];
        actions.at(i)->setEnabled(topRow == ROW_GROUP ? entry.onGroupNode
                                                      : topRow == ROW_SEARCH_RESULT ? false : entry.onGroup);
    }
    m_groupMenu->exec(viewport()->mapToGlobal(position));
}

void CGroupTreeView::f_SelectedGrpMenu()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action || !selectionModel()->hasSelection())
        return;
    const QVariant data = action->data();
    if (data.userType() != QMetaType::Int)
        return;
    switch (data.toInt()) {
    case MENU_CREATE:
        CreateNewGrpTree();
        break;
    case MENU_DELETE:
        DeleteGrpTree();
        break;
    case MENU_RENAME:
        RenameGrpTree();
        break;
    default:
        break;
    }
}

// ---- keys ----

void CGroupTreeView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Delete && key != Qt::Key_F2) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        int level = 0;
        m_openItem = GetStdItem(rows.first(), level);
        // The three top nodes are neither deleted nor renamed.
        if (level != 1) {
            if (key == Qt::Key_Delete)
                DeleteGrpTree();
            else
                RenameGrpTree();
        }
    }
    event->accept();
}

// ---- creating ----

int CGroupTreeView::CreateNewGrpTree()
{
    return RunTraced(-1, [&] {
        if (!selectionModel()->hasSelection())
            return -1;
        f_CheckStdItem();
        if (!m_openItem)
            return -1;
        QStandardItem* parent = m_openItem;
        int level = m_itemDepth;
        // All Projectors and Search Result hold no groups: a group made
        // there goes where its path puts it, below the Group node.
        if (f_TopRow(parent) >= 0 && f_TopRow(parent) != ROW_GROUP) {
            parent = f_TopNode(ROW_GROUP);
            level = 1;
        }
        QStandardItem* groupNode = f_TopNode(ROW_GROUP);
        const QString countText = tr("MainMsgGroupCountOverMessage").arg(QString::number(GROUP_COUNT_MAX));
        if (groupNode->hasChildren() && GetItemCount(groupNode) > GROUP_COUNT_MAX - 1) {
            f_ShowWarning(countText);
            return -1;
        }
        if (level > GROUP_LEVEL_MAX) {
            f_ShowWarning(tr("MainMsgGroupDepthOverMessage").arg(QString::number(GROUP_LEVEL_MAX)));
            return -1;
        }

        QSet<QString> taken;
        for (int row = 0; row < parent->rowCount(); ++row)
            taken.insert(parent->child(row, 0)->text());
        const QString base = tr("MainNewGroupName");
        QString name;
        for (int n = 1; name.isEmpty() || taken.contains(name); ++n)
            name = base + QLatin1Char('(') + QString::number(n) + QLatin1Char(')');

        auto* item = new QStandardItem(m_iconOpen, name);
        parent->appendRow(item);
        const QModelIndex index = item->index();
        // The hub has run out of group ids (deleted groups keep theirs until
        // the next load): a group it would not save must not show.
        if (m_appData && m_appData->UpdateGroupDataAtCreateGroup(GetFullPath(false, index)) < 0) {
            parent->removeRow(item->row());
            f_ShowWarning(countText);
            return -1;
        }
        expand(parent->index());
        setCurrentIndex(index);
        edit(index);
        return 0;
    });
}

// ---- renaming ----

void CGroupTreeView::RenameGrpTree()
{
    RunTraced([&] {
        if (!selectionModel()->hasSelection())
            return;
        f_CheckStdItem();
        if (m_openItem && m_openItem->index().isValid())
            edit(m_openItem->index());
    });
}

bool CGroupTreeView::edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event)
{
    if (!index.isValid() || selectionModel()->selectedRows().size() != 1)
        return false;
    const bool byProgram = trigger == QAbstractItemView::AllEditTriggers;
    if (byProgram) {
        m_isEditing = true;
        scrollTo(index, QAbstractItemView::EnsureVisible);
    }
    if (!QTreeView::edit(index, trigger, event)) {
        // No editor came (a top node): no edit is open either.
        if (byProgram)
            m_isEditing = false;
        return false;
    }
    // Recorded only for an editor that opened: the view also asks here on
    // every click, which must not replace the item whose check is pending.
    m_editOldName = index.data(Qt::DisplayRole).toString();
    m_editIndex = index;
    return true;
}

void CGroupTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    m_isEditing = false;
    QTreeView::closeEditor(editor, hint);
    emit CheckGroupName();
}

void CGroupTreeView::f_CheckGroupName()
{
    RunTraced([&] {
        // The item may have gone (deleted, or the tree rebuilt) meanwhile.
        if (!m_editIndex.isValid() || !m_editIndex.parent().isValid())
            return;
        QStandardItem* item = m_model->itemFromIndex(m_editIndex);
        if (!item)
            return;
        const QString newName = item->text();
        const QString oldName = m_editOldName;
        bool accepted = true;
        bool reopen = false;

        for (const QString& forbidden : f_ForbiddenNameTexts()) {
            if (newName.contains(forbidden)) {
                item->setText(oldName);
                f_ShowWarning(tr("MainMsgGroupNameBadCharacterMessage").arg(forbidden));
                accepted = false;
                break;
            }
        }
        if (newName == oldName) {
            item->setToolTip(item->text());
            accepted = false;
        }
        if (newName.isEmpty()) {
            item->setText(oldName);
            reopen = true;
            accepted = false;
        }
        if (newName.toLocal8Bit().size() > GROUP_NAME_BYTES_MAX) {
            item->setText(oldName);
            f_ShowWarning(tr("MainMsgGroupNameLengthOverMessage").arg(QString::number(GROUP_NAME_BYTES_MAX)));
            reopen = true;
            accepted = false;
        }
        QStandardItem* parent = item->parent();
        int sameName = 0;
        for (int row = 0; parent && row < parent->rowCount(); ++row) {
            if (parent->child(row, 0)->text() == newName)
                ++sameName;
        }
        if (sameName >= 2) {
            item->setText(oldName);
            f_ShowWarning(tr("MainMsgGroupNameAlreadyExistMessage"));
            accepted = false;
        }

        if (reopen) {
            edit(QModelIndex(m_editIndex));
            return;
        }
        if (!accepted)
            return;
        item->setToolTip(item->text());
        // Only the groups: the top nodes keep their rows in every language.
        f_TopNode(ROW_GROUP)->sortChildren(0, Qt::AscendingOrder);
        const QString newPath = GetFullPath(false, m_editIndex);
        const int last = newPath.lastIndexOf(GROUP_SEPARATOR);
        const QString oldPath = last < 0 ? oldName : newPath.left(last + GROUP_SEPARATOR.size()) + oldName;
        if (m_appData)
            m_appData->UpdateGroupDataAtChangeGroupName(newName, oldPath);
        emit f_RequestChangeGroupName();
    });
}

// ---- deleting ----

int CGroupTreeView::DeleteGrpTree()
{
    return RunTraced(-1, [&] {
        if (!selectionModel()->hasSelection())
            return -1;
        f_CheckStdItem();
        // A top node is never deleted: the rest of the window finds the
        // Group node at its row, and the hub would take its text for a group.
        if (!m_openItem || f_TopRow(m_openItem) >= 0)
            return 0;
        const QString name = m_openItem->text();
        const QString text = m_openItem->hasChildren() ? tr("MainMsgGroupDeleteMessage").arg(name)
                                                       : tr("MainMsgGroupDeleteMessage2").arg(name);
        const QPersistentModelIndex target = m_openItem->index();
        const QMessageBox::StandardButton answer =
            CMessageBoxes::Question(this, m_appData, tr("Lumivox5MsgTitle"), text,
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton);
        if (answer != QMessageBox::Ok || !target.isValid())
            return 0;
        if (m_appData)
            m_appData->UpdateGroupDataAtDeleteGroup(GetFullPath(false, target));
        // Nothing may point at the items taken out: the list empties through
        // the selection signal, as for any empty selection. The current index
        // goes too, or the view would select a neighbour in its place.
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        selectionModel()->clearSelection();
        m_openItem = nullptr;
        QStandardItem* parent = m_model->itemFromIndex(target.parent());
        if (parent)
            qDeleteAll(parent->takeRow(target.row()));
        return 0;
    });
}
