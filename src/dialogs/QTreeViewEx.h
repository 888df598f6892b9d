#ifndef QTREEVIEWEX_H
#define QTREEVIEWEX_H

#include <QPersistentModelIndex>
#include <QTreeView>

// The tree view of the connection target list: it edits in place only while
// exactly one row is selected, and sends every programmatic edit request
// (edit(index)) to the same row's edit column when one is set.
class QTreeViewEx : public QTreeView
{
    Q_OBJECT
public:
    explicit QTreeViewEx(QWidget* parent = nullptr);
    ~QTreeViewEx() override;

    // The column programmatic edit requests go to; -1 for none.
    int m_EditColumn = -1;

    // Asks for editing with every trigger allowed.
    void edit(const QModelIndex& index);

    // The cell the last editor was opened on; it stays valid after that
    // editor closed, so the close handler knows which row was edited.
    QModelIndex EditedIndex() const { return m_EditedIndex; }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    // Sorting moves rows: a persistent index follows its row.
    QPersistentModelIndex m_EditedIndex;
    // Edits `index` and remembers it when an editor opened on it.
    bool f_Edit(const QModelIndex& index, EditTrigger trigger, QEvent* event);
};

#endif // QTREEVIEWEX_H
