#ifndef PJDATASORTPROXYMODEL_H
#define PJDATASORTPROXYMODEL_H

#include <QSortFilterProxyModel>

// The sort proxy of the lists: each source column gets a sort type (text,
// integer, dotted numbers, date-time, or an integer key in role 1032 or
// 1033); "---" cells sort before every real value.
class PJDataSortProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    enum SortType {
        SORT_NOT_SET = -1,
        SORT_TEXT = 0,
        SORT_INTEGER = 1,
        SORT_DOTTED = 2,
        SORT_DATETIME = 3,
        SORT_ROLE_1032 = 4,
        SORT_ROLE_1033 = 5
    };
    static constexpr int SORT_TABLE_SIZE = 64;
    static constexpr int ROLE_SORT_KEY_1032 = 1032;
    static constexpr int ROLE_SORT_KEY_1033 = 1033;

    explicit PJDataSortProxyModel(QObject* parent = nullptr);
    ~PJDataSortProxyModel() override;

    // Copies `bytes` bytes of the table over the sort-type table from entry 0;
    // at most the table's own 256 bytes are taken. Takes effect at the next
    // comparison.
    void SetSortType(int* table, int bytes);

    // Dotted texts of exactly four parts compared part by part as decimal
    // numbers, a part that is no number counting as 0: whether `left` sorts
    // first. `comparable` tells whether both texts have four parts; when not,
    // the result is false and means nothing.
    static bool DottedLessThan(const QString& left, const QString& right, bool* comparable);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    bool f_TypedLessThan(const QModelIndex& left, const QModelIndex& right) const;
    bool f_BaseLessThan(const QModelIndex& left, const QModelIndex& right) const;

    int m_sortTypes[SORT_TABLE_SIZE];
};

#endif // PJDATASORTPROXYMODEL_H
