#include "CGroupTreeView.h"
#include "LoadedIcon.h"

#include "CLumivox5Data.h"
#include "CProjectorGroup.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "LogCategories.h"

#include <QAbstractItemDelegate>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTextCodec>

#include <functional>

const QString CGroupTreeView::GROUP_SEPARATOR = QString(CProjectorGroup::PATH_SEPARATOR);

namespace {

const char* const ICON_ALL_PROJECTORS = ":/icon/ico/PCLink.ico";
const char* const ICON_GROUP = ":/icon/ico/ProjectorGroup.ico";
const char* const ICON_SEARCH_RESULT = ":/icon/ico/SearchResult.ico";
const char* const ICON_CLOSED = ":/icon/ico/DeviceSelClose.ico";
const char* const ICON_OPEN = ":/icon/ico/DeviceSelOpen.ico";
const char* const ICON_SCHEDULE_RUNNING = ":/icon/ico/GroupScheduleRunning.ico";

// Role of the Search Result node's search condition.
const int ROLE_SEARCH_CONDITION = Qt::UserRole + 1;

// What the "Shift-JIS" codec decodes the separator's byte to; empty without
// that codec. Looked up once: the codec list does not change while running.
const QString& shiftJisSeparator()
{
    static const QString text = [] {
        QTextCodec* codec = QTextCodec::codecForName("Shift-JIS");
        return codec ? codec->toUnicode(QByteArray(1, '\x5C')) : QString();
    }();
    return text;
}

// Calls `visit` for every descendant of `item` in column 0, parents first.
void forEachDescendant(QStandardItem* item, const std::function<void(QStandardItem*)>& visit)
{
    for (int row = 0; row < item->rowCount(); ++row) {
        QStandardItem* child = item->child(row, 0);
        if (!child)
            continue;
        visit(child);
        forEachDescendant(child, visit);
    }
}

} // namespace

CGroupTreeView::CGroupTreeView(QWidget* parent)
    : QTreeView(parent)
    , m_isEditing(false)
    , m_appData(nullptr)
    , m_searchTitleLabel(nullptr)
    , m_searchConditionLabel(nullptr)
    , m_groupMenu(nullptr)
    , m_openItem(nullptr)
    , m_itemDepth(0)
    , m_model(nullptr)
{
    m_iconClosed = LoadedIcon(QString::fromLatin1(ICON_CLOSED));
    m_iconOpen = LoadedIcon(QString::fromLatin1(ICON_OPEN));
    m_iconScheduleRunning = LoadedIcon(QString::fromLatin1(ICON_SCHEDULE_RUNNING));
    header()->hide();
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);

    f_CreateContextMenu();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &CGroupTreeView::f_ShowContextMenu);

    // Parentless, as the view's model for its whole life; freed by the destructor.
    m_model = new QStandardItemModel(0, 1);
    const struct {
        QString text;
        const char* icon;
    } topNodes[] = {
        { CScheduleTargetText::AllProjectors(), ICON_ALL_PROJECTORS },
        { CScheduleTargetText::GroupPrefix(), ICON_GROUP },
        { tr("Search Result"), ICON_SEARCH_RESULT },
    };
    for (const auto& node : topNodes) {
        auto* item = new QStandardItem(LoadedIcon(QString::fromLatin1(node.icon)), node.text);
        item->setEditable(false);
        m_model->appendRow(item);
    }
    setModel(m_model);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CGroupTreeView::f_SelectionChanged);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &CGroupTreeView::f_SelectionChanged);
    setCurrentIndex(m_model->index(ROW_ALL_PROJECTORS, 0));

    connect(this, &CGroupTreeView::PostDropEvent, this, &CGroupTreeView::f_PostDropEvent, Qt::QueuedConnection);
    connect(this, &CGroupTreeView::CheckGroupName, this, &CGroupTreeView::f_CheckGroupName, Qt::QueuedConnection);
}

CGroupTreeView::~CGroupTreeView()
{
    // The view lets go of a model that is destroyed under it.
    delete m_model;
}

QStandardItem* CGroupTreeView::f_TopNode(int row) const
{
    return m_model->item(row, 0);
}

int CGroupTreeView::f_TopRow(const QStandardItem* item)
{
    if (!item || item->parent())
        return -1;
    return item->row();
}

QList<CProjectorGroup*>* CGroupTreeView::f_HubGroups() const
{
    return m_appData ? m_appData->m_ProjectorGroups : nullptr;
}

QStringList CGroupTreeView::f_ForbiddenNameTexts()
{
    QStringList texts{GROUP_SEPARATOR};
    if (!shiftJisSeparator().isEmpty() && !texts.contains(shiftJisSeparator()))
        texts.append(shiftJisSeparator());
    return texts;
}

QStringList CGroupTreeView::f_SplitGroupPath(const QString& path)
{
    QStringList parts = path.split(GROUP_SEPARATOR, Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() == 1 && !shiftJisSeparator().isEmpty())
        parts = path.split(shiftJisSeparator(), Qt::KeepEmptyParts, Qt::CaseSensitive);
    return parts;
}

void CGroupTreeView::ResetGroupTree(QList<CProjectorGroup*>* groups)
{
    QStandardItem* groupNode = f_TopNode(ROW_GROUP);
    // The open item may be among the rows removed below.
    if (f_TopRow(m_openItem) < 0)
        m_openItem = nullptr;
    groupNode->removeRows(0, groupNode->rowCount());

    int placed = 0;
    for (int level = 0; groups && level < GROUP_LEVEL_MAX && placed < GROUP_COUNT_MAX; ++level) {
        for (const CProjectorGroup* group : qAsConst(*groups)) {
            if (placed >= GROUP_COUNT_MAX)
                break;
            if (!group)
                continue;
            const QStringList parts = f_SplitGroupPath(group->m_GroupPath);
            if (parts.size() != level + 1)
                continue;
            QStandardItem* parent = groupNode;
            for (int i = 0; i < parts.size(); ++i) {
                const QString& part = parts.at(i);
                if (part.isEmpty() || part.toLocal8Bit().size() > GROUP_NAME_BYTES_MAX)
                    break;
                QStandardItem* found = nullptr;
                for (int row = 0; row < parent->rowCount() && !found; ++row) {
                    QStandardItem* child = parent->child(row, 0);
                    if (child && child->text() == part)
                        found = child;
                }
                if (found) {
                    parent = found;
                } else if (i == parts.size() - 1) {
                    auto* item = new QStandardItem(m_iconClosed, part);
                    item->setToolTip(part);
                    parent->appendRow(item);
                    ++placed;
                }
                // A missing middle segment is passed over: the same parent goes on.
            }
        }
    }

    expand(groupNode->index());
    setCurrentIndex(m_model->index(ROW_ALL_PROJECTORS, 0));
    // Already current and selected before: no signal came, but the open item must be recorded.
    f_SelectionChanged();
    // Only the groups: the top nodes keep their rows in every language.
    groupNode->sortChildren(0, Qt::AscendingOrder);
}

QString CGroupTreeView::GetFullPath(bool withTop, QModelIndex index)
{
    QString path = index.data(Qt::DisplayRole).toString();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        path = up.data(Qt::DisplayRole).toString() + GROUP_SEPARATOR + path;
    qCDebug(lcViews, "Group::[%s]", qUtf8Printable(path));
    if (withTop)
        return path;
    const int at = path.indexOf(GROUP_SEPARATOR);
    return at < 0 ? path : path.mid(at + GROUP_SEPARATOR.size());
}

QStandardItem* CGroupTreeView::GetStdItem(QModelIndex index, int& depth)
{
    m_itemDepth = 0;
    QList<QModelIndex> chain;
    for (QModelIndex up = index; up.isValid(); up = up.parent()) {
        chain.prepend(up);
        ++m_itemDepth;
    }
    depth = m_itemDepth;
    if (chain.isEmpty())
        return nullptr;
    QStandardItem* item = m_model->item(chain.first().row(), chain.first().column());
    for (int i = 1; i < chain.size() && item; ++i)
        item = item->child(chain.at(i).row(), chain.at(i).column());
    return item;
}

int CGroupTreeView::GetItemCount(QStandardItem* item)
{
    int count = 0;
    if (item)
        forEachDescendant(item, [&count](QStandardItem*) { ++count; });
    return count;
}

QStandardItem* CGroupTreeView::GetSelectedGrpItem()
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return nullptr;
    return m_model->itemFromIndex(selected.first());
}

bool CGroupTreeView::IsSelectedGroupTree()
{
    return selectionModel()->hasSelection();
}

void CGroupTreeView::f_CheckStdItem()
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    int depth = 0;
    // With nothing selected no item is open: the last one may be gone.
    m_openItem = rows.isEmpty() ? nullptr : GetStdItem(rows.first(), depth);
}

int CGroupTreeView::GetCurrentGroupID()
{
    f_CheckStdItem();
    if (!m_openItem)
        return -1;
    const int topRow = f_TopRow(m_openItem);
    if (topRow >= 0)
        return topRow == ROW_ALL_PROJECTORS ? 0 : -1;
    QList<CProjectorGroup*>* groups = f_HubGroups();
    if (!groups)
        return -1;
    const QString path = GetFullPath(false, m_openItem->index());
    for (const CProjectorGroup* group : qAsConst(*groups)) {
        if (group && group->m_GroupPath == path)
            return group->m_GroupID;
    }
    return -1;
}

bool CGroupTreeView::IsSelectedAllProjectors()
{
    return GetCurrentGroupID() == 0;
}

void CGroupTreeView::f_SetNodeIcons(QStandardItem* item)
{
    if (!item)
        return;
    if (m_appData && m_appData->m_ScheduleRunning && m_appData->m_pScheduleManager
        && m_appData->m_pScheduleManager->f_GetSchedulesCount(GetFullPath(true, item->index())) > 0) {
        item->setIcon(m_iconScheduleRunning);
        return;
    }
    item->setIcon(item == m_openItem ? m_iconOpen : m_iconClosed);
}

void CGroupTreeView::f_SetAllGroupIcons(QStandardItem* item)
{
    if (!item)
        return;
    if (item->index().parent().isValid())
        f_SetNodeIcons(item);
    forEachDescendant(item, [this](QStandardItem* child) { f_SetNodeIcons(child); });
}

void CGroupTreeView::changeAllDeviceCloseIcon(QStandardItem* item)
{
    if (item)
        forEachDescendant(item, [this](QStandardItem* child) { child->setIcon(m_iconClosed); });
}

void CGroupTreeView::f_SetTreeViewHighLight(QStandardItem* item)
{
    if (!item)
        return;
    const QBrush text = palette().brush(QPalette::Text);
    const QBrush base = palette().brush(QPalette::Base);
    auto restore = [&](QStandardItem* target) {
        target->setForeground(text);
        target->setBackground(base);
    };
    restore(item);
    forEachDescendant(item, restore);
}

void CGroupTreeView::edit(const QModelIndex& index)
{
    QAbstractItemView::edit(index);
}

void CGroupTreeView::f_IconChange(QModelIndex index)
{
    int depth = 0;
    m_openItem = GetStdItem(index, depth);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStandardItem* top = f_TopNode(row);
        if (top && top->hasChildren())
            changeAllDeviceCloseIcon(top);
    }
    f_SetAllGroupIcons(f_TopNode(ROW_GROUP));
}

void CGroupTreeView::f_SelectionChanged()
{
    if (!selectionModel()->hasSelection()) {
        m_openItem = nullptr;
        return;
    }
    f_CheckStdItem();
    if (!m_openItem)
        return;
    f_IconChange(m_openItem->index());
    const bool searchResult = f_TopRow(m_openItem) == ROW_SEARCH_RESULT;
    if (searchResult && m_searchConditionLabel)
        m_searchConditionLabel->setText(m_openItem->data(ROLE_SEARCH_CONDITION).toString());
    if (m_searchTitleLabel)
        m_searchTitleLabel->setVisible(searchResult);
    if (m_searchConditionLabel)
        m_searchConditionLabel->setVisible(searchResult);
}

bool CGroupTreeView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QModelIndex index = indexAt(static_cast<QHelpEvent*>(event)->pos());
        QAbstractItemDelegate* delegate = index.isValid() ? itemDelegate(index) : nullptr;
        // A name shown whole needs no tool tip.
        if (delegate && visualRect(index).width() >= delegate->sizeHint(viewOptions(), index).width())
            return false;
    }
    return QTreeView::viewportEvent(event);
}
