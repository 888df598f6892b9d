// The projector list: population, columns, recorded sort, selection.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CGroupTreeView.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "PJDataSortProxyModel.h"

#include <QMutexLocker>
#include <QStandardItemModel>

void Lumivox5Main::f_InitPjList()
{
    RunTraced([&] {
        CProjectorTreeView* list = ui->treeViewPJList;
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(list->model());
        auto* source = proxy ? qobject_cast<QStandardItemModel*>(proxy->sourceModel()) : nullptr;
        if (!source)
            return;
        source->removeRows(0, source->rowCount());

        const int groupId = ui->treeViewGroup->GetCurrentGroupID();
        if (groupId < 0)
            return;

        QList<CProjectorData*> records;
        {
            QMutexLocker lock(&m_Lumivox5Data->m_Mutex);
            for (CProjectorData* record : qAsConst(*m_Lumivox5Data->m_pProjectorDatas)) {
                if (record && record->m_Enabled && (groupId == 0 || record->m_GroupList.contains(groupId)))
                    records.append(record);
            }
        }
        list->AddRange(records);

        const int lastAdded = m_Lumivox5Data->m_LastAddedID;
        QModelIndex current;
        for (int row = 0; row < proxy->rowCount(); ++row) {
            const QModelIndex index = proxy->index(row, 0);
            if (proxy->mapToSource(index).data(CProjectorTreeView::ROLE_PJDATA_ID).toInt() == lastAdded)
                current = index;
        }
        if (current.isValid()) {
            list->setCurrentIndex(current);
            list->scrollTo(current, QAbstractItemView::EnsureVisible);
        }

        f_UpdateToolbarEnabled();
        f_UpdateMenuViewDropDown();
    });
}

void Lumivox5Main::f_InitializePjListDisplayIndex()
{
    RunTraced([&] {
        // The visible columns keep their order in front; the hidden follow by id.
        CListViewColumnStatus::NumberVisibleFirst(
            CListViewColumnStatus::SortedByDisplayIndex(m_Lumivox5Data->m_pPjListColumnStatus->values()));
    });
}

void Lumivox5Main::f_PjListColumnCheck()
{
    RunTraced([&] {
        QMap<int, CListViewColumnStatus*>* columns = m_Lumivox5Data->m_pPjListColumnStatus;
        const int recorded = m_Lumivox5Data->m_PjListSortID;
        const Qt::SortOrder order = m_Lumivox5Data->m_PjListSortAssending ? Qt::AscendingOrder : Qt::DescendingOrder;

        CListViewColumnStatus* found = nullptr;
        for (CListViewColumnStatus* status : qAsConst(*columns)) {
            if (status && status->m_ID == recorded) {
                found = status;
                break;
            }
        }
        if (!found)
            return;
        int id = found->m_ID;
        if (!found->m_Visible) {
            id = 0;
            for (auto it = columns->end(); it != columns->begin();) {
                --it;
                if (it.value() && it.value()->m_Visible) {
                    id = it.value()->m_ID;
                    break;
                }
            }
        }
        f_SortPjList(ui->treeViewPJList->m_columnIndexByKey.value(id, 0), order);
    });
}

void Lumivox5Main::f_UpdatePjListColumn(bool fromView)
{
    ui->treeViewPJList->UpdatePjListColumn(fromView, m_Lumivox5Data->m_pPjListColumnStatus);
}

QList<CProjectorData*> Lumivox5Main::f_GetSelectedPjDataList()
{
    QList<CProjectorData*> records;
    RunTraced([&] {
        for (int id : ui->treeViewPJList->GetPjDataIDList(true)) {
            if (CProjectorData* record = m_Lumivox5Data->GetProjectorData(id))
                records.append(record);
        }
    });
    return records;
}

QList<CProjectorData*> Lumivox5Main::f_GetDispPjDataList()
{
    QList<CProjectorData*> records;
    RunTraced([&] {
        for (int id : ui->treeViewPJList->GetDispPjDataIDList()) {
            if (CProjectorData* record = m_Lumivox5Data->GetProjectorData(id))
                records.append(record);
        }
    });
    return records;
}

void Lumivox5Main::f_PjListSelectAll()
{
    ui->treeViewPJList->selectAll();
}

void Lumivox5Main::on_actMenuViewSelectAll_triggered()
{
    f_PjListSelectAll();
}

void Lumivox5Main::f_ShowAllProjectors()
{
    RunTraced([&] {
        CGroupTreeView* groups = ui->treeViewGroup;
        if (!groups->IsSelectedAllProjectors()) {
            groups->setCurrentIndex(groups->model()->index(0, 0));
            ui->tabMain->setCurrentIndex(0);
        } else {
            f_InitPjList();
            f_PjListColumnCheck();
        }
        f_UpdateToolbarEnabled();
        f_UpdateMenuViewDropDown();
    });
}

void Lumivox5Main::f_On_treeViewPJList_selectionChanged()
{
    RunTraced([&] {
        m_blnGroupTreeActive = false;
        f_UpdateProperty();
        f_RefreshDetailAndMenus();
        f_SetStatusbarCenterMessage();
    });
}

// What follows a change of the listed projectors or their selection: the
// detail pane, the toolbar and the menus that depend on the selection.
void Lumivox5Main::f_RefreshDetailAndMenus()
{
    f_On_UpdateShowDetail();
    f_UpdateToolbarEnabled();
    f_UpdateMenuFileDropDown();
    f_UpdateMenuViewDropDown();
    f_UpdateMenuGroupDropDown(false);
    f_UpdateMenuProjectorDropDown();
}

// Nothing in the window invokes the two sub list slots; they stay as slots.
void Lumivox5Main::f_On_UpdateSubPJList() {}

void Lumivox5Main::f_On_treeViewPJListSub_selectionChanged() {}

void Lumivox5Main::f_SortPjList(int intColumn, Qt::SortOrder sortOrder)
{
    RunTraced([&] {
        CProjectorTreeView* list = ui->treeViewPJList;
        if (intColumn < 0) {
            auto* proxy = qobject_cast<QSortFilterProxyModel*>(list->model());
            if (!proxy)
                return;
            intColumn = proxy->sortColumn();
            sortOrder = proxy->sortOrder();
        }
        list->sortByColumn(intColumn, sortOrder);
        f_RecordSort(intColumn, sortOrder);
    });
}

void Lumivox5Main::f_OnChangePjListSortConditions()
{
    RunTraced([&] {
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(ui->treeViewPJList->model());
        if (proxy)
            f_RecordSort(proxy->sortColumn(), proxy->sortOrder());
    });
}

void Lumivox5Main::f_RecordSort(int column, Qt::SortOrder order)
{
    const QMap<int, int>& byKey = ui->treeViewPJList->m_columnIndexByKey;
    int id = column;
    for (int i = 0; i < byKey.size(); ++i) {
        if (byKey.value(i, -1) == column) {
            id = i;
            break;
        }
    }
    m_Lumivox5Data->m_PjListSortID = id;
    m_Lumivox5Data->m_PjListSortAssending = order == Qt::AscendingOrder;
}
