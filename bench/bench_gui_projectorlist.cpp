// The projector list with a full fleet of 2000 projectors: filling it, a
// refresh of every row, a sort by a column of each sort type, one progress
// tick with every projector animated, and the id lists with every row
// selected. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QMetaObject>
#include <QSortFilterProxyModel>

#include <cstdio>
#include <functional>
#include <vector>

#include "BenchWindow.h"
#include "CListViewColumnStatus.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "ProcessFigures.h"

namespace {

const int FLEET = 2000;

// Varied values, so that every sort has real work to do.
void FillRecord(CProjectorData* record, int id, int round)
{
    record->m_SettingName = QString("Hall %1 PJ%2").arg((id * 7919) % 97).arg(id);
    record->m_Address = QString("10.%1.%2.%3").arg(id % 3).arg((id * 37) % 256).arg((id * 101) % 256);
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    record->m_LastUpdate = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs((id * 7907L) % 8000000 + round);
    record->m_Status[CProjectorData::StLamp1Info].FromUChar(0);
    record->m_Status[CProjectorData::StLamp1Usage].FromLong(((id * 4409) % 20000 + round) * 3600);
    record->m_Status[CProjectorData::StFilterInfo].FromUChar(0);
    record->m_Status[CProjectorData::StFilterUsed].FromLong(((id * 613) % 9000) * 3600);
    record->m_Status[CProjectorData::StFilterAlarm].FromLong(8000 * 3600);
    record->m_Status[CProjectorData::StErrorWordA].FromULong(id % 13 == 0 ? 0x1000u : 0u);
}

int CodeOf(int id)
{
    return id % 11 == 0 ? -301 : (id % 17 == 0 ? -150 : 0);
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);

    QMap<int, CListViewColumnStatus*> columns;
    CListViewColumnStatus::f_MakePjListColumns(&columns);
    // Last Update is hidden by default; sorting by it works all the same.
    CProjectorTreeView view;
    view.InitializePjListColumn(&columns);
    view.UpdatePjListColumn(false, &columns);
    view.resize(1400, 900);
    view.show();
    QCoreApplication::processEvents();

    std::vector<CProjectorData*> records;
    QList<CProjectorData*> list;
    for (int id = 1; id <= FLEET; ++id) {
        CProjectorData* record = new CProjectorData(nullptr, id);
        FillRecord(record, id, 0);
        records.push_back(record);
        list.append(record);
    }

    auto column = [&](int key) { return view.m_columnIndexByKey.value(key); };
    std::printf("projector list, %d rows, platform %s\n", FLEET, qPrintable(QGuiApplication::platformName()));

    const double fill = WallMs([&] {
        view.AddRange(list);
        view.sortByColumn(column(3), Qt::AscendingOrder);
    });
    std::printf("fill (AddRange + one sort):            %8.1f ms  (target < 300)\n", fill);
    QCoreApplication::processEvents();

    // The rows' source order is the records' order.
    auto refreshAll = [&] {
        for (int row = 0; row < FLEET; ++row)
            view.SetPjDataVisual(row, *records[size_t(row)], CodeOf(row + 1));
    };
    double changed = 0;
    for (int round = 1; round <= 3; ++round) {
        for (int i = 0; i < FLEET; ++i)
            FillRecord(records[size_t(i)], i + 1, round);
        changed += WallMs(refreshAll);
        QCoreApplication::processEvents();
    }
    std::printf("refresh of every row, values changed:  %8.1f ms  (target < 200)\n", changed / 3);
    // Out of contact: every cell of every row turns grey.
    for (CProjectorData* record : records)
        record->m_ConnectState = 0;
    std::printf("refresh of every row, all turn grey:   %8.1f ms\n", WallMs(refreshAll));
    for (CProjectorData* record : records)
        record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    refreshAll();
    std::printf("refresh of every row, unchanged:       %8.1f ms\n", WallMs(refreshAll));
    QCoreApplication::processEvents();

    const struct {
        const char* name;
        int key;
    } sorts[] = {
        { "text (Setting Name)", 3 }, { "integer (Lamp Used Hours)", 13 }, { "dotted (Setting)", 5 },
        { "date-time (Last Update)", 23 }, { "role 1032 (Projector Error)", 0 }, { "role 1033 (Comm. Error)", 1 },
    };
    for (const auto& sort : sorts) {
        const int c = column(sort.key);
        const double up = WallMs([&] { view.sortByColumn(c, Qt::AscendingOrder); });
        const double down = WallMs([&] { view.sortByColumn(c, Qt::DescendingOrder); });
        std::printf("sort by %-28s %8.1f ms ascending, %6.1f ms descending  (target < 100)\n", sort.name, up, down);
        QCoreApplication::processEvents();
    }

    for (int id = 1; id <= FLEET; ++id)
        view.CheckProgressIcon(id, true);
    double tick = 0;
    const int ticks = 8;
    for (int i = 0; i < ticks; ++i)
        tick += WallMs([&] { QMetaObject::invokeMethod(&view, "f_OnTimerProgress_Tick"); });
    std::printf("progress tick, %d projectors animated:  %8.2f ms  (target < 10)\n", FLEET, tick / ticks);
    const double stopAll = WallMs([&] {
        for (int id = 1; id <= FLEET; ++id)
            view.CheckProgressIcon(id, false);
    });
    std::printf("stop of %d animations:                 %8.1f ms\n", FLEET, stopAll);

    view.selectAll();
    QList<int> ids;
    const double selected = WallMs([&] { ids = view.GetPjDataIDList(true); });
    std::printf("selected id list, all %d selected:    %8.2f ms  (%d ids, target < 5)\n", FLEET, selected, int(ids.size()));
    const double shown = WallMs([&] { ids = view.GetDispPjDataIDList(); });
    std::printf("displayed id list:                     %8.2f ms  (%d ids, target < 5)\n", shown, int(ids.size()));

    for (CProjectorData* record : records)
        delete record;
    CListViewColumnStatus::DeleteColumns(&columns);
    return 0;
}
