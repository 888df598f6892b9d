#include "ScheduleListView.h"

ScheduleListView::ScheduleListView(QWidget* parent)
    : QTreeView(parent)
    , m_appData(nullptr)
{
}

ScheduleListView::~ScheduleListView() = default;

void ScheduleListView::f_UpdateScheduleListView(QMap<int, CScheduleData*>& schedules,
                                                CNoOperatingDate& noOperatingDate)
{
    Q_UNUSED(schedules)
    Q_UNUSED(noOperatingDate)
}
