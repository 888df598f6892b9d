// Columns of the projector list: built once from the data hub's column map,
// later applied from it and read back into it.
#include "CProjectorTreeView.h"

#include "CListViewColumnStatus.h"
#include "ExceptionTrace.h"
#include "PJDataSortProxyModel.h"
#include "LogCategories.h"

#include <QDebug>
#include <QHeaderView>
#include <QStandardItemModel>

#include <algorithm>

namespace {

// Sort type of each key id, in key order.
const int SORT_TYPE_BY_KEY[CListViewColumnStatus::COLUMN_COUNT] = {
    PJDataSortProxyModel::SORT_ROLE_1032, // 0 Projector Error
    PJDataSortProxyModel::SORT_ROLE_1033, // 1 Communication Error
    PJDataSortProxyModel::SORT_TEXT,      // 2 Projector Name
    PJDataSortProxyModel::SORT_TEXT,      // 3 Setting Name
    PJDataSortProxyModel::SORT_TEXT,      // 4 Device
    PJDataSortProxyModel::SORT_DOTTED,    // 5 Setting
    PJDataSortProxyModel::SORT_TEXT,      // 6 Port
    PJDataSortProxyModel::SORT_TEXT,      // 7 Model Name
    PJDataSortProxyModel::SORT_TEXT,      // 8 Status
    PJDataSortProxyModel::SORT_TEXT,      // 9 Picture Blank
    PJDataSortProxyModel::SORT_TEXT,      // 10 Sound Mute
    PJDataSortProxyModel::SORT_TEXT,      // 11 On-screen Display
    PJDataSortProxyModel::SORT_TEXT,      // 12 Eco Mode
    PJDataSortProxyModel::SORT_INTEGER,   // 13 Lamp Used Hours
    PJDataSortProxyModel::SORT_INTEGER,   // 14 Lamp2 Used Hours
    PJDataSortProxyModel::SORT_INTEGER,   // 15 Filter Used Hours
    PJDataSortProxyModel::SORT_TEXT,      // 16 Input Terminal
    PJDataSortProxyModel::SORT_TEXT,      // 17 MAC Address
    PJDataSortProxyModel::SORT_TEXT,      // 18 MAC Address2
    PJDataSortProxyModel::SORT_TEXT,      // 19 MAC Address3
    PJDataSortProxyModel::SORT_TEXT,      // 20 Lens Cover/Shutter
    PJDataSortProxyModel::SORT_TEXT,      // 21 Serial No.
    PJDataSortProxyModel::SORT_TEXT,      // 22 User Comment
    PJDataSortProxyModel::SORT_DATETIME,  // 23 Last Update
    PJDataSortProxyModel::SORT_TEXT,      // 24 Remark
};

// The map's records in ascending key order, then by display index.
QList<CListViewColumnStatus*> RecordsByDisplayIndex(const QMap<int, CListViewColumnStatus*>& columns)
{
    QList<CListViewColumnStatus*> records;
    for (CListViewColumnStatus* record : columns) {
        if (record)
            records.append(record);
    }
    std::stable_sort(records.begin(), records.end(), CProjectorTreeView::lessThanDisplayIndexOfPJList);
    return records;
}

} // namespace

bool CProjectorTreeView::lessThanKeyIDOfPJList(CListViewColumnStatus* a, CListViewColumnStatus* b)
{
    return a->m_ID < b->m_ID;
}

bool CProjectorTreeView::lessThanDisplayIndexOfPJList(CListViewColumnStatus* a, CListViewColumnStatus* b)
{
    return a->m_DisplayIndex < b->m_DisplayIndex;
}

void CProjectorTreeView::InitializePjListColumn(QMap<int, CListViewColumnStatus*>* columns)
{
    if (!columns)
        return;
    RunTraced([&] {
        const QList<CListViewColumnStatus*> records = RecordsByDisplayIndex(*columns);
        QStandardItemModel* source = f_SourceModel();
        source->setColumnCount(records.size());

        QList<int> hidden;
        QList<int> widths;
        for (int c = 0; c < records.size(); ++c) {
            const CListViewColumnStatus* record = records.at(c);
            m_columnIndexByKey.insert(record->m_ID, c);
            QStandardItem* item = new QStandardItem();
            item->setData(record->m_ID, ROLE_PJDATA_ID);
            // The two icon columns have no title. The hub translated the titles
            // when it built the map.
            if (record->m_ID > KEY_COMM_ERROR)
                item->setText(record->m_Title);
            if (!record->m_Visible)
                hidden.append(c);
            widths.append(record->m_Width);
            source->setHorizontalHeaderItem(c, item);
            qCDebug(lcViews, "[PJListHeader] column[%d], Name[%s] keyID[%d] DisplayIndex[%d]", c,
                   qUtf8Printable(record->m_Title), record->m_ID, record->m_DisplayIndex);
        }
        for (int c : hidden)
            setColumnHidden(c, true);
        for (int c = 0; c < widths.size(); ++c)
            setColumnWidth(c, widths.at(c));

        int table[PJDataSortProxyModel::SORT_TABLE_SIZE];
        std::fill(std::begin(table), std::end(table), int(PJDataSortProxyModel::SORT_NOT_SET));
        for (auto it = m_columnIndexByKey.constBegin(); it != m_columnIndexByKey.constEnd(); ++it) {
            const int key = it.key();
            const int column = it.value();
            if (key >= 0 && key < CListViewColumnStatus::COLUMN_COUNT && column >= 0
                && column < PJDataSortProxyModel::SORT_TABLE_SIZE)
                table[column] = SORT_TYPE_BY_KEY[key];
        }
        f_ProxyModel()->SetSortType(table, int(sizeof(table)));
    });
}

void CProjectorTreeView::UpdatePjListColumn(bool toStatus, QMap<int, CListViewColumnStatus*>* columns)
{
    if (!columns)
        return;
    RunTraced([&] {
        QStandardItemModel* source = f_SourceModel();
        QHeaderView* headerView = header();
        const int sections = headerView->count();
        // The record of each model column, through its header item's key.
        QList<CListViewColumnStatus*> records;
        for (int c = 0; c < sections; ++c) {
            const QStandardItem* item = source->horizontalHeaderItem(c);
            records.append(item ? columns->value(item->data(ROLE_PJDATA_ID).toInt(), nullptr) : nullptr);
        }

        if (toStatus) {
            for (int c = 0; c < sections; ++c) {
                CListViewColumnStatus* record = records.at(c);
                if (!record)
                    continue;
                record->m_DisplayIndex = headerView->visualIndex(c);
                // A hidden column keeps its width for when it is shown again.
                if (record->m_Visible)
                    record->m_Width = headerView->sectionSize(c);
            }
            return;
        }

        for (int c = 0; c < sections; ++c) {
            const CListViewColumnStatus* record = records.at(c);
            if (!record)
                continue;
            setColumnHidden(c, !record->m_Visible);
            setColumnWidth(c, record->m_Width);
        }
        // Sections go to their places in ascending order of stored display
        // index: each move then leaves the places already filled alone, which
        // moving in model-column order does not.
        QList<CListViewColumnStatus*> byDisplayIndex;
        for (CListViewColumnStatus* record : records) {
            if (record)
                byDisplayIndex.append(record);
        }
        std::stable_sort(byDisplayIndex.begin(), byDisplayIndex.end(), lessThanDisplayIndexOfPJList);
        for (int place = 0; place < byDisplayIndex.size(); ++place) {
            const int section = m_columnIndexByKey.value(byDisplayIndex.at(place)->m_ID, -1);
            if (section < 0)
                continue;
            const int current = headerView->visualIndex(section);
            if (current != place)
                headerView->moveSection(current, place);
        }
    });
}
