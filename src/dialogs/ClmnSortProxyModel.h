#ifndef CLMNSORTPROXYMODEL_H
#define CLMNSORTPROXYMODEL_H

#include <QSortFilterProxyModel>

// The sort proxy of the connection target list: the Setting column orders
// dotted IPv4 addresses by their numbers (9.0.0.1 before 10.0.0.2); every
// other column, and any text that is not four dotted parts, by plain text.
class ClmnSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // The column whose addresses sort by number.
    static const int ADDRESS_COLUMN = 2;

    // Both indexes are of the source model and of one column.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

#endif // CLMNSORTPROXYMODEL_H
