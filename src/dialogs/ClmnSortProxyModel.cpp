#include "ClmnSortProxyModel.h"

#include "ExceptionTrace.h"
#include "PJDataSortProxyModel.h"

bool ClmnSortProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return RunTraced(false, [&] {
        if (left.column() == ADDRESS_COLUMN) {
            bool comparable = false;
            const bool less = PJDataSortProxyModel::DottedLessThan(left.data(Qt::DisplayRole).toString(),
                                                                   right.data(Qt::DisplayRole).toString(), &comparable);
            if (comparable)
                return less;
        }
        return QSortFilterProxyModel::lessThan(left, right);
    });
}
