#ifndef QSTYLEDITEMDELEGATEEX_H
#define QSTYLEDITEMDELEGATEEX_H

#include <QStyledItemDelegate>

// The item delegate of the projector list and the group tree: a grabbing
// single-line editor over the whole cell, started with the cell's text and
// written back under the edit role. Tab and Backtab do nothing while it is
// open, so an edit never moves on to the next cell.
class QStyledItemDelegateEx : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QStyledItemDelegateEx(QObject* parent = nullptr);
    ~QStyledItemDelegateEx() override;

    bool eventFilter(QObject* object, QEvent* event) override;
    // Tab and Backtab, which an open editor keeps to itself.
    static bool IsEditorTabKey(const QEvent* event);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

#endif // QSTYLEDITEMDELEGATEEX_H
