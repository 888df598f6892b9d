#ifndef QSTYLEDITEMDELEGATEEX2_H
#define QSTYLEDITEMDELEGATEEX2_H

#include <QStyledItemDelegate>

// The item delegate of the connection target list: its editor is the
// single-line edit, and Tab and Backtab stay in the editor, so an edit never
// moves on to another cell. Return commits, Escape cancels.
class QStyledItemDelegateEx2 : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit QStyledItemDelegateEx2(QObject* parent = nullptr);

    bool eventFilter(QObject* object, QEvent* event) override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

#endif // QSTYLEDITEMDELEGATEEX2_H
