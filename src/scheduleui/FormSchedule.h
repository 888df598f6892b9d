#ifndef FORMSCHEDULE_H
#define FORMSCHEDULE_H

#include <QDialog>
#include <QItemSelection>
#include <QModelIndex>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class CDataFunctions;
class CLumivox5Data;
class CScheduleData;
class CScheduleManager;
class PJDataSortProxyModel;
class QAction;
class QEvent;
class QKeyEvent;
class QMenu;
class QShowEvent;
class QStandardItem;
class QStandardItemModel;

namespace Ui {
class FormSchedule;
}

// The list of the user's schedules, in which the operator switches them on
// and off, adds, edits, deletes, copies and pastes them. It works on its
// own working collection: the opener copies the user schedules in before
// exec() and copies them back only on 1 (OK). The keys of the working
// collection stay 0 to n-1; a schedule is shown with the number key + 1.
class FormSchedule : public QDialog
{
    Q_OBJECT
public:
    enum Column {
        COLUMN_NUMBER = 0,
        COLUMN_TARGET,
        COLUMN_SETTING_NAME,
        COLUMN_FUNCTION,
        COLUMN_ADVANCED_SETTING,
        COLUMN_DURATION,
        COLUMN_TIME,
        COLUMN_COMMENT,
        COLUMN_COUNT
    };
    // The number cell keeps the schedule's key under this role.
    static constexpr int ROLE_SCHEDULE_KEY = Qt::UserRole + 1;
    // The help page of the dialog.
    static const char* const HELP_PAGE;

    explicit FormSchedule(QWidget* parent = nullptr);
    ~FormSchedule() override;

    // Whether the enable box of the schedule can be switched: a dated one,
    // or a weekly one with at least one weekday.
    static bool f_IsCheckedSchedule(const CScheduleData& data);
    // The key of the one selected row; -1 without exactly one.
    int f_GetScheduleListSelectedId() const;
    // The key in the number cell of the source row at the selected view row;
    // -1 without exactly one selected row. It is the view row, as the keys
    // run 0 to n-1 in the source rows.
    int f_GetScheduleListSelectedIndex() const;
    bool IsScheduleDataCopyEnabled();
    bool IsScheduleDataPasteEnabled();

    // The cell texts of a schedule.
    QString f_GetSettingNameString(const CScheduleData& data) const;
    static QString f_GetFunctionString(const CScheduleData& data);
    QString f_GetAdvancedSettingString(const CScheduleData& data) const;
    static QString f_GetDurationString(const CScheduleData& data);
    static QString f_GetTimeString(const CScheduleData& data);

    void f_UpdateScheduleList();
    void f_UpdateButtons();
    void f_UpdateNewButton();

    // Set by the opener: the data hub (projectors, groups, profiles; the
    // message boxes' modal flag) and the request dispatcher (its scheduler
    // clock dates new schedules). Neither is owned.
    CLumivox5Data* m_appData;
    CDataFunctions* m_DataFunctions;
    // The schedules being edited; owned, empty at construction.
    CScheduleManager* m_ScheduleManager;
    // Set by the operator's first change after the first show.
    bool m_Modified;

    // The context menu's entries, in menu order.
    QAction* m_ctxCopy;
    QAction* m_ctxPaste;
    QAction* m_ctxAdd;
    QAction* m_ctxEdit;
    QAction* m_ctxDelete;
    QAction* m_ctxAllDelete;

signals:
    void ShowHelpSignal(QString url, QWidget* parent);
    void HTMLViewerParentChangeSignal(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_buttonBox_helpRequested();
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_lsvSchedule_doubleClicked(const QModelIndex& index);
    void on_btnDelete_clicked();
    void on_btnEdit_clicked();
    void on_btnNew_clicked();
    void f_lsvSchedule_DataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void f_lsvSchedule_selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void createScheduleContextMenu(QPoint position);
    void f_CopyMenu_Click();
    void f_PasteMenu_Click();
    void f_NewSchedule();
    void f_EditSchedule();
    void f_DeleteSchedule();
    void f_AllDeleteSchedule();
    void f_HTMLViewerParentChange(QWidget* parent);

private:
    Q_DISABLE_COPY(FormSchedule)

    void f_CorrectLayout();
    void f_CreateContextMenu();
    void f_InitializeListView();
    void f_CopySchedule();
    void f_PasteSchedule();
    // Runs the schedule edit dialog (FormScheduleEdit::EDITMODE) on `record`; its result.
    int f_RunEditor(int mode, const QString& title, CScheduleData* record);
    // Runs `action` when `enabled` says so, then refreshes the buttons.
    void f_ClipboardAction(bool (FormSchedule::*enabled)(), void (FormSchedule::*action)());
    // Ctrl+C and Ctrl+V; false for any other key.
    bool f_CopyPasteKey(QKeyEvent* event);

    // Sets the modified flag (unless the update guard is set) and runs
    // `refresh` with the guard set.
    void f_MarkChange(const std::function<void()>& refresh);
    // Rebuilds the list, sorts it again by the remembered column (none when
    // negative), makes the view row `currentRow` gives current (when given)
    // and refreshes the buttons.
    void f_Rebuild(int sortColumn, Qt::SortOrder sortOrder, const std::function<int()>& currentRow);
    // The view row of the schedule with `key`; -1 when it is not listed.
    int f_ViewRowOfKey(int key) const;
    void f_SetCurrentViewRow(int row);
    // Replaces the working collection by copies of `records`, keyed 0 to n-1.
    void f_StoreRenumbered(const QList<const CScheduleData*>& records);
    QStandardItem* f_NumberItemAtViewRow(const QModelIndex& index) const;

    std::unique_ptr<Ui::FormSchedule> ui;
    // While set, changes do not set the modified flag; cleared at the first show.
    bool m_UpdateGuard;
    // The one copied schedule; owned.
    CScheduleData* m_Clipboard;
    // Set while the list is rebuilt; the list's change notices are ignored then.
    bool m_Rebuilding;
    QMenu* m_contextMenu;
    QStandardItemModel* m_model;
    PJDataSortProxyModel* m_proxy;
};

#endif // FORMSCHEDULE_H
