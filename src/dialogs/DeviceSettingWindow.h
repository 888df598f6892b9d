#ifndef DEVICESETTINGWINDOW_H
#define DEVICESETTINGWINDOW_H

#include <QAbstractItemDelegate>
#include <QDialog>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QModelIndex>
#include <QPoint>
#include <QString>

class CLumivox5Data;
class CProjectorData;
class ClmnSortProxyModel;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class Ui_DeviceSettingWindow;

// The communication settings dialog: one row per connection target of the
// data hub's temporary projector map, with a check box for its enabled flag,
// in-place renaming, and the commands that create, edit and delete targets.
// It changes only the temporary map and keeps in its change set what the
// main window applies to the registered projectors after OK; it never
// touches the registered projectors, the user list or the settings.
class DeviceSettingWindow : public QDialog
{
    Q_OBJECT
public:
    // The role of column 0 that holds a row's projector id.
    static const int ROLE_ID = Qt::UserRole + 1;
    // The most targets the list holds.
    static const int TARGET_MAX = 2000;
    // The longest setting name, in bytes of the local 8-bit encoding.
    static const int NAME_BYTES_MAX = 32;

    explicit DeviceSettingWindow(QWidget* parent = nullptr);
    ~DeviceSettingWindow() override;

    // Set by the caller before exec(); every record lookup goes to its
    // temporary map.
    CLumivox5Data* m_Lumivox5Data = nullptr;

    // The change set. Ids of registered projectors the commit deletes or
    // replaces, in the order they came.
    QList<int> targetList;
    // Temporary records (owned by the temporary map) the commit adds, or
    // uses to update a registered projector in place.
    QMap<int, CProjectorData*>* aryNewDatas;
    // Per id: a registered projector found unchanged and not yet in targetList.
    QList<bool>* aryDeletableProjectorsID;
    // Per id: the registered projector is updated in place, not replaced.
    QList<bool>* aryModifyProjectorsID;

    // Compares every temporary record with its registered one and fills the
    // change set and the flag lists; run at every show, before the fill.
    void f_InitDeletableProjectorList();
    // `b` compared with `a`: the same destination (enabled flag, address,
    // kind, port), and the same name and comment.
    bool f_IsConnectDestinationCompare(CProjectorData* a, CProjectorData* b);
    bool f_IsOtherSettingCompare(CProjectorData* a, CProjectorData* b);

signals:
    void ShowHelpSignal(QString url, QWidget* parent);
    void HTMLViewerParentChangeSignal(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void f_UpdateButtonsEnable();
    void f_AllListCheck();
    void f_AllListCheckClear();
    void f_On_tvDeviceSettings_DataChanged(QModelIndex topLeft, QModelIndex bottomRight);
    void f_TvDeviceSettings_CloseEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint);
    void f_CreateContextMenu();
    void f_ShowContextMenu(QPoint point);
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void on_buttonBox_helpRequested();
    void on_tvDeviceSettings_doubleClicked(QModelIndex index);
    void on_tvDeviceSettings_clicked(QModelIndex index);

    // Creating, editing, renaming and deleting targets.
    void f_CreateNewConnection();
    void f_CreateEditConnection();
    void f_EditSettingName();
    void f_DeleteConnection();
    void f_DeleteAllConnection(bool blenDlg = true);
    void on_btnNewConnection_clicked();
    void on_btnEdit_clicked();
    void on_btnDelete_clicked();

private:
    Q_DISABLE_COPY(DeviceSettingWindow)

    void f_CorrectLayout();
    void f_InitializeListView();
    void f_UpdateDeviceList(bool select);
    // Adds or refreshes the row of one record, sorts the list by name and,
    // with `select`, makes the row current and visible.
    void f_UpdateListViewItem(int id, CProjectorData* record, bool select);
    // Adds or refreshes the row, nothing more; false for no record or no id.
    bool f_SetListViewRow(int id, CProjectorData* record);
    void f_SortByName();
    void f_SelectRow(int id);

    // Runs the connection editor on a copy of `record` and, after its OK,
    // adds the target under `id` (new) or takes the values over (edited).
    void f_ShowEditSettingWindow(CProjectorData* record, int id, QString title);
    // Selected rows in view order, as source rows with their ids.
    QList<QPair<int, int>> f_SelectedSourceRows() const;
    // Removes the rows and records of these (source row, id) pairs.
    void f_RemoveTargets(QList<QPair<int, int>> targets);

    // The change set's two steps.
    void f_MarkAsChanged(int id);
    void f_MarkAsDeleted(int id);

    // The id a source row carries, 0 for none or one out of range.
    int f_SourceRowId(int row) const;
    // The temporary record of an id, null for none.
    CProjectorData* f_TempRecord(int id) const;
    int f_SelectedRowCount() const;
    // The targets the limit counts: every record of the temporary map,
    // listed or not, since OK registers them all.
    int f_TargetCount() const;

    Ui_DeviceSettingWindow* ui;
    QMenu* m_pContextMenu = nullptr;
    QStandardItemModel* m_pModel = nullptr;
    ClmnSortProxyModel* m_pProxy = nullptr;
    // The column-0 item of each listed id, so that a row is found without a scan.
    QHash<int, QStandardItem*> m_RowItems;
};

#endif // DEVICESETTINGWINDOW_H
