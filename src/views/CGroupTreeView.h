#ifndef CGROUPTREEVIEW_H
#define CGROUPTREEVIEW_H

#include <QIcon>
#include <QList>
#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTreeView>

class CLumivox5Data;
class CProjectorGroup;
class QLabel;
class QMenu;
class QStandardItem;
class QStandardItemModel;

// The group tree beside the projector list: three fixed top nodes (All
// Projectors, Group, Search Result) and, below Group, the operator's groups
// built from their paths. The selected node decides which projectors and
// schedules the main window lists.
class CGroupTreeView : public QTreeView
{
    Q_OBJECT
public:
    // Separates the segments of a group path.
    static const QString GROUP_SEPARATOR;

    // Rows of the three top nodes; they keep these rows in every language.
    enum TopRow { ROW_ALL_PROJECTORS = 0, ROW_GROUP = 1, ROW_SEARCH_RESULT = 2 };

    // What the tree shows at most.
    static const int GROUP_COUNT_MAX = 100;
    static const int GROUP_LEVEL_MAX = 5;
    static const int GROUP_NAME_BYTES_MAX = 64;

    explicit CGroupTreeView(QWidget* parent = nullptr);
    ~CGroupTreeView() override;

    void ResetGroupTree(QList<CProjectorGroup*>* groups);
    QString GetFullPath(bool withTop, QModelIndex index);
    QStandardItem* GetStdItem(QModelIndex index, int& depth);
    int GetItemCount(QStandardItem* item);
    QStandardItem* GetSelectedGrpItem();
    bool IsSelectedGroupTree();
    int GetCurrentGroupID();
    bool IsSelectedAllProjectors();
    void f_CheckStdItem();
    void f_SetNodeIcons(QStandardItem* item);
    void changeAllDeviceCloseIcon(QStandardItem* item);
    void f_SetTreeViewHighLight(QStandardItem* item);

    // Group editing: each returns -1 when nothing is selected or a limit
    // refused the change, 0 otherwise.
    int CreateNewGrpTree();
    void RenameGrpTree();
    int DeleteGrpTree();

    // The segments of a stored group path: split at the separator, empty
    // segments kept; a path without one is split at the text the "Shift-JIS"
    // codec gives for the separator's byte, when that codec exists.
    static QStringList f_SplitGroupPath(const QString& path);
    // Texts a group name must not hold: the separator and its "Shift-JIS" form.
    static QStringList f_ForbiddenNameTexts();

    // Whether a group name is being edited in place.
    bool IsEditing() const { return m_isEditing; }

    bool m_isEditing;
    CLumivox5Data* m_appData;
    QLabel* m_searchTitleLabel;
    QLabel* m_searchConditionLabel;

public slots:
    void f_SetAllGroupIcons(QStandardItem* item);
    void edit(const QModelIndex& index);

signals:
    void PostDropEvent();
    void f_RequestProjectorPaste(QString pathGroup);
    void CheckGroupName();
    void f_RequestChangeGroupName();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event) override;

private slots:
    void f_SelectionChanged();
    void f_IconChange(QModelIndex index);
    void f_PostDropEvent();
    void f_CheckGroupName();
    void f_CreateContextMenu();
    void f_ShowContextMenu(QPoint position);
    void f_SelectedGrpMenu();

private:
    Q_DISABLE_COPY(CGroupTreeView)

    QStandardItem* f_TopNode(int row) const;
    // The top node's row, or -1 for a group item or null.
    static int f_TopRow(const QStandardItem* item);
    QList<CProjectorGroup*>* f_HubGroups() const;
    // Removes the drop-target marking from the whole tree.
    void f_ClearDropMarks();
    void f_ShowWarning(const QString& text);

    QString m_editOldName;
    // The item whose editor opened last: the name check must find it even
    // when the selection moved on before the check ran.
    QPersistentModelIndex m_editIndex;
    QMenu* m_groupMenu;
    QStandardItem* m_openItem;
    int m_itemDepth;
    QList<QString> m_dropIdList;
    QPoint m_dropPos;

    QStandardItemModel* m_model;
    QIcon m_iconClosed;
    QIcon m_iconOpen;
    QIcon m_iconScheduleRunning;
};

#endif // CGROUPTREEVIEW_H
