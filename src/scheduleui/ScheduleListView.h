#ifndef SCHEDULELISTVIEW_H
#define SCHEDULELISTVIEW_H

#include <QBrush>
#include <QDate>
#include <QMap>
#include <QPoint>
#include <QString>
#include <QTreeView>

class CLumivox5Data;
class CNoOperatingDate;
class CScheduleData;
class PJDataSortProxyModel;
class QAction;
class QMenu;
class QStandardItemModel;

// The week schedule list of the main window's schedule tab: one row per
// dated instance of the coming week, coloured by its result. The view never
// changes schedule data; its context menu turns choices into requests that
// the main window carries out.
class ScheduleListView : public QTreeView
{
    Q_OBJECT
public:
    // Columns of the item model.
    enum Column {
        COLUMN_TARGET = 0,
        COLUMN_DATE = 1,
        COLUMN_TIME = 2,
        COLUMN_TASK = 3,
        COLUMN_STATUS = 4,
        COLUMN_COMMENT = 5,
        COLUMN_COUNT = 6
    };
    // The column-0 item keeps the instance's key in the map under this role.
    static constexpr int ROLE_SCHEDULE_KEY = 33;
    // Data of the context menu's actions.
    enum MenuId { MENU_EDIT = 0, MENU_EXECUTE = 1, MENU_CANCEL = 2, MENU_NO_OPERATING_DATE = 3 };

    explicit ScheduleListView(QWidget* parent = nullptr);
    ~ScheduleListView() override;

    // Replaces every row by the given instances (keyed by instance key),
    // leaving out those on no-operating dates; the sort stays as it was.
    // Keeps no pointer to either argument.
    void f_UpdateScheduleListView(QMap<int, CScheduleData*>& schedules, CNoOperatingDate& noOperatingDate);

    // A start date as the Date column shows it.
    static QString f_GetScheduleDateString(const QDate& date);

    // The data hub, not owned; set by the main window. Only the input
    // terminal names are read from it.
    CLumivox5Data* m_appData;

    // The context menu's entries, in menu order (data 0 to 3).
    QAction* m_ctxEdit;
    QAction* m_ctxExecute;
    QAction* m_ctxCancel;
    QAction* m_ctxSettingNoOperatingDate;

signals:
    void f_RequestScheduleEdit();
    void f_RequestScheduleExecute();
    void f_RequestScheduleCancel();
    void f_RequestScheduleSettingNoOperatingDate();
    // Asked before the menu opens; must be connected directly, its answer
    // is used at once (false while nothing is connected).
    bool f_RequestScheduleIsInExecution();
    // Declared for the main window; the view itself never asks it.
    bool f_RequestOfflineStatus();

private slots:
    void f_CreateContextMenu(QPoint position);
    void f_CtxSendSignal();
    void f_OnHeaderColumnClick(int column);

private:
    Q_DISABLE_COPY(ScheduleListView)

    void f_CreateContextMenu();
    void f_InitializeListView();
    // Sorts by `column`; the Date column first by time, so that the rows of
    // one date keep execution-time order (the proxy's sort is stable).
    void f_SortRows(int column, Qt::SortOrder order);
    // Width the Date column needs for its longest text in the view's font.
    int f_WidestDateWidth() const;

    QBrush f_GetScheduleStatusColor(CScheduleData& data);
    QString f_GetScheduleTimeString(CScheduleData& data);
    QString f_GetScheduleTaskString(CScheduleData& data);
    QString f_GetScheduleStatusString(CScheduleData& data);
    QString f_GetInputTerminalName(int code) const;

    QMenu* m_contextMenu;
    QStandardItemModel* m_model;
    PJDataSortProxyModel* m_proxy;
};

#endif // SCHEDULELISTVIEW_H
