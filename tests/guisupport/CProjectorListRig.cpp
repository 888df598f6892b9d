#include "CProjectorListRig.h"

#include "CListViewColumnStatus.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"

#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

CProjectorListRig::CProjectorListRig(bool initialize, CProjectorTreeView* givenView)
    : view(givenView ? givenView : new CProjectorTreeView())
{
    CListViewColumnStatus::f_MakePjListColumns(&columns);
    if (initialize)
        view->InitializePjListColumn(&columns);
}

CProjectorListRig::~CProjectorListRig()
{
    view.reset();
    qDeleteAll(m_Records);
    CListViewColumnStatus::DeleteColumns(&columns);
}

CProjectorData* CProjectorListRig::makeRecord(int id)
{
    CProjectorData* record = new CProjectorData(nullptr, id);
    record->m_SettingName = QStringLiteral("PJ%1").arg(id);
    record->m_Address = QStringLiteral("10.0.%1.%2").arg(id / 256).arg(id % 256);
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    m_Records.append(record);
    return record;
}

CProjectorData* CProjectorListRig::addRecord(int id)
{
    CProjectorData* record = makeRecord(id);
    view->Add(record);
    return record;
}

QStandardItemModel* CProjectorListRig::source() const
{
    return qobject_cast<QStandardItemModel*>(proxy()->sourceModel());
}

QSortFilterProxyModel* CProjectorListRig::proxy() const
{
    return qobject_cast<QSortFilterProxyModel*>(view->model());
}

QStandardItem* CProjectorListRig::cell(int sourceRow, int key) const
{
    return source()->item(sourceRow, view->m_columnIndexByKey.value(key, 0));
}

void CProjectorListRig::selectSourceRows(const QList<int>& rows)
{
    QItemSelectionModel* selection = view->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
        const QModelIndex index = proxy()->mapFromSource(source()->index(row, 0));
        selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}
