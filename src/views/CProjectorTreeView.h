#ifndef CPROJECTORTREEVIEW_H
#define CPROJECTORTREEVIEW_H

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QTreeView>
#include <QVariant>
#include <QVector>

class CListViewColumnStatus;
class CProjectorData;
class PJDataSortProxyModel;
class QAction;
class QMenu;
class QMouseEvent;
class QStandardItem;
class QStandardItemModel;
class QTimer;

// The main window's projector list: one row per projector, one column per
// list column (key ids 0 to 24). The view does no projector work itself:
// every user request leaves as a signal, and the main window asks it for the
// ids of the shown or selected projectors.
class CProjectorTreeView : public QTreeView
{
    Q_OBJECT
public:
    // Item data roles of the list.
    static constexpr int ROLE_PJDATA_ID = Qt::UserRole + 1; // column-0 item: projector id
    static constexpr int ROLE_PROGRESS_STATE = 1031;       // Communication Error cell: animation frame
    static constexpr int ROLE_PJ_ERROR_MARK = 1032;        // Projector Error cell: 0 or 1
    static constexpr int ROLE_COMM_ERROR_LEVEL = 1033;     // Communication Error cell: 0, 1 or 2

    // Column keys the view itself acts on.
    static constexpr int KEY_PJ_ERROR = 0;
    static constexpr int KEY_COMM_ERROR = 1;
    static constexpr int KEY_PJ_NAME = 2;

    // Longest projector name, in UTF-16 code units.
    static constexpr int PJ_NAME_MAX_LENGTH = 16;

    explicit CProjectorTreeView(QWidget* parent = nullptr);
    ~CProjectorTreeView() override;

    // Columns.
    void InitializePjListColumn(QMap<int, CListViewColumnStatus*>* columns);
    void UpdatePjListColumn(bool toStatus, QMap<int, CListViewColumnStatus*>* columns);
    static bool lessThanKeyIDOfPJList(CListViewColumnStatus* a, CListViewColumnStatus* b);
    static bool lessThanDisplayIndexOfPJList(CListViewColumnStatus* a, CListViewColumnStatus* b);

    // Rows; `row` is always a row of the source model.
    void AddRange(QList<CProjectorData*> records);
    void Add(CProjectorData* record);
    void SetPjDataVisual(int row, CProjectorData& record, int code);
    void f_UpdateParam(int row, CProjectorData& record);

    // Projector ids: all rows in display order, or (true) the selected rows
    // in the order the selection model lists them.
    QList<int> GetDispPjDataIDList();
    QList<int> GetPjDataIDList(bool selectedOnly);
    // `column` is a model column; callers holding a key map it first.
    bool IsVisibleColumn(int column);
    // The negative-reply range of result codes.
    static bool f_IsNakError(int code);

    // Key id to model column; filled once by InitializePjListColumn.
    QMap<int, int> m_columnIndexByKey;

    // The item context menu's entries, in menu order; the main window enables
    // and checks them.
    QAction* ctxAdjust = nullptr;
    QMenu* ctxControl = nullptr;
    QMenu* ctxControlPower = nullptr;
    QAction* ctxControlPowerOn = nullptr;
    QAction* ctxControlPowerOff = nullptr;
    QMenu* ctxControlSignalSelect = nullptr;
    QMenu* ctxControlFreeze = nullptr;
    QAction* ctxControlFreezeOn = nullptr;
    QAction* ctxControlFreezeOff = nullptr;
    QMenu* ctxControlPictureMute = nullptr;
    QAction* ctxControlPictureMuteOn = nullptr;
    QAction* ctxControlPictureMuteOff = nullptr;
    QMenu* ctxControlSoundMute = nullptr;
    QAction* ctxControlSoundMuteOn = nullptr;
    QAction* ctxControlSoundMuteOff = nullptr;
    QMenu* ctxControlOsdMute = nullptr;
    QAction* ctxControlOsdMuteOn = nullptr;
    QAction* ctxControlOsdMuteOff = nullptr;
    QAction* ctxEditPJName = nullptr;
    QAction* ctxRefresh = nullptr;
    QAction* ctxCut = nullptr;
    QAction* ctxCopy = nullptr;
    QAction* ctxPaste = nullptr;
    QAction* ctxDelete = nullptr;
    QAction* ctxWeb = nullptr;
    QAction* ctxProperty = nullptr;

public slots:
    // Starts renaming the single selected projector in place.
    void ProjectorRename();
    // Starts (bStart) or stops the progress animation of one projector.
    void CheckProgressIcon(int target, bool bStart = false);
    // Forwards to the base class's slot of the same name.
    void edit(const QModelIndex& index);

signals:
    void f_RequestAdjust();
    void f_RequestPowerOn();
    void f_RequestPowerOff();
    void f_RequestFreezeOn();
    void f_RequestFreezeOff();
    void f_RequestPicMuteOn();
    void f_RequestPicMuteOff();
    void f_RequestSoundMuteOn();
    void f_RequestSoundMuteOff();
    void f_RequestOsdMuteOn();
    void f_RequestOsdMuteOff();
    void f_RequestProjectorReName();
    void f_RequestRefresh();
    void f_RequestProjectorCut();
    void f_RequestProjectorCopy();
    void f_RequestProjectorPaste();
    void f_RequestProjectorDelete();
    void f_RequestShowWeb();
    void f_RequestProperty();
    void f_RequestEditColumns();
    void f_RequestDropDownShow();
    void f_RequestControlDropDownShow();
    void f_RequestPowerDropDownShow();
    void f_RequestFreezeDropDownShow();
    void f_RequestPictureMuteDropDownShow();
    void f_RequestSoundMuteDropDownShow();
    void f_RequestOSDMuteDropDownShow();
    void f_RequestSignalSelectDropDownCreate(QMenu* menu);
    // Must be connected directly: the receiver answers through `enabled`.
    void f_RequestIsSetProjectorNameEnabled(int dataId, bool& enabled);
    void f_RequestRenameEnd(int dataId, QString newName);
    void f_RequestShowMsgBoxWarn(QString text);
    void f_ChangePjListSortConditions();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger, QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private slots:
    void f_ShowHeaderContextMenu(QPoint position);
    void f_ShowContextMenu(QPoint position);
    void f_CreateHeaderContextMenu();
    void f_CreateContextMenu();
    void f_CtxSendSignal();
    void f_CtxAboutToShow();
    void f_CtxControlAboutToShow();
    void f_CtxPowerAboutToShow();
    void f_CtxSignalSelectAboutToShow();
    void f_CtxFreezeAboutToShow();
    void f_CtxPictureMuteAboutToShow();
    void f_CtxSoundMuteAboutToShow();
    void f_CtxOSDMuteAboutToShow();
    void f_OnTimerProgress_Tick();
    void f_OnHeaderColumnClick(int index);
    void f_OnSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void f_HeaderMousePressEvent(QMouseEvent* event);
    void f_HeaderMouseReleaseEvent(QMouseEvent* event);

private:
    // Writes cells of the source model with its signals held back and then
    // reports the changed block once: a refresh pass or a progress tick over
    // 2000 rows would otherwise send one change per cell and role.
    class CellWriter
    {
    public:
        // `editing`: a cell of the model with an open editor, never reported
        // as changed (the view would refill the editor from it).
        explicit CellWriter(QStandardItemModel* model, const QModelIndex& editing = QModelIndex());
        ~CellWriter();
        // Sets the value unless the cell holds an equal one.
        void set(QStandardItem* cell, const QVariant& value, int role);

    private:
        QStandardItemModel* m_model;
        bool m_wasBlocked;
        int m_top, m_bottom, m_left, m_right;
        QPersistentModelIndex m_editing;
        void f_Report(int top, int left, int bottom, int right) const;
    };

    QStandardItemModel* f_SourceModel() const;
    PJDataSortProxyModel* f_ProxyModel() const;
    // The model column of a key; a key the map lacks stands for column 0.
    int f_ColumnOfKey(int key) const;
    // The projector id on a source row's column-0 item.
    int f_RowId(int row) const;
    // The first source row carrying the id, or -1.
    int f_FindRow(int id);
    void f_InvalidateRowIndex();
    // Row look shared by a new row's detached cells and a row in the model;
    // `cells` holds one item per model column.
    void f_SetVisual(int row, const QVector<QStandardItem*>& cells, CProjectorData& record, int code);
    void f_SetTexts(CellWriter& writer, const QVector<QStandardItem*>& cells, CProjectorData& record);
    // The row's items, one per column; a missing one is made.
    QVector<QStandardItem*> f_RowCells(int row);
    // The source cell of an open editor, or an invalid index.
    QModelIndex f_EditedSourceIndex() const;
    // The proxy rows the selection model reports as selected, in its order
    // (what selectedRows(0) gives, without its per-column checks for rows
    // selected whole).
    QList<int> f_SelectedRows() const;
    void f_SetProgressFrame(CellWriter& writer, QStandardItem* cell);

    // Rename in progress: the source row and the name shown when it started.
    int m_editRowIdx;
    QString m_editOldName;
    QMenu* m_headerMenu;
    QMenu* m_contextMenu;
    QTimer* m_progressTimer;
    // Ids of the projectors whose animation runs, in the order they started.
    QList<int>* m_progressPjDataIDList;

    // Projector id to its first source row, rebuilt after rows move or go.
    QHash<int, int> m_rowById;
    bool m_rowIndexValid;
    bool m_addingRow;
};

#endif // CPROJECTORTREEVIEW_H
