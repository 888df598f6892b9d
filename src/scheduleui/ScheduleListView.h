#ifndef SCHEDULELISTVIEW_H
#define SCHEDULELISTVIEW_H

#include <QMap>
#include <QTreeView>

class CLumivox5Data;
class CNoOperatingDate;
class CScheduleData;

// The week schedule list of the main window's schedule tab. For now it only
// holds its place in the window: it declares the requests the main window
// connects and shows no rows yet.
class ScheduleListView : public QTreeView
{
    Q_OBJECT
public:
    explicit ScheduleListView(QWidget* parent = nullptr);
    ~ScheduleListView() override;

    void f_UpdateScheduleListView(QMap<int, CScheduleData*>& schedules, CNoOperatingDate& noOperatingDate);

    // The data hub, not owned; set by the main window.
    CLumivox5Data* m_appData;

signals:
    void f_RequestScheduleEdit();
    void f_RequestScheduleExecute();
    void f_RequestScheduleCancel();
    void f_RequestScheduleSettingNoOperatingDate();
    bool f_RequestScheduleIsInExecution();
    bool f_RequestOfflineStatus();

private:
    Q_DISABLE_COPY(ScheduleListView)
};

#endif // SCHEDULELISTVIEW_H
