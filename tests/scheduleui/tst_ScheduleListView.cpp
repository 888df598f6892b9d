#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QtTest>

#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CProfileList.h"
#include "CScheduleData.h"
#include "CScheduleTargetText.h"
#include "CSectionItemList.h"
#include "CTestFolders.h"
#include "GuiTestSupport.h"
#include "ScheduleListView.h"

#include <algorithm>
#include <memory>

namespace {

using ScheduleMap = QMap<int, CScheduleData*>;

// Instances the test owns; the view keeps no pointer to them.
struct Instances {
    ScheduleMap map;
    ~Instances() { qDeleteAll(map); }

    CScheduleData* add(int key, const QDate& date, const QTime& time)
    {
        CScheduleData* data = new CScheduleData(QDateTime(date, time));
        data->DurationType = CScheduleData::DURATION_TYPE::Dated;
        data->StartDay = QDateTime(date, time);
        data->ExecuteTime = time;
        data->TargetName = CScheduleTargetText::AllProjectors();
        delete map.value(key);
        map.insert(key, data);
        return data;
    }
};

QAbstractProxyModel* Proxy(ScheduleListView& view)
{
    return qobject_cast<QAbstractProxyModel*>(view.model());
}

QStandardItemModel* Source(ScheduleListView& view)
{
    return qobject_cast<QStandardItemModel*>(Proxy(view)->sourceModel());
}

// The rows as shown, top to bottom: "yyyy-MM-dd HH:mm" from the Date and Time cells.
QStringList ShownDateTimes(ScheduleListView& view)
{
    QStringList rows;
    QAbstractItemModel* model = view.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QDate date = model->index(row, ScheduleListView::COLUMN_DATE).data().toDate();
        rows << date.toString(Qt::ISODate) + " " + model->index(row, ScheduleListView::COLUMN_TIME).data().toString();
    }
    return rows;
}

// The week from Saturday 28 March to Friday 3 April 2015, two or three
// instances a day. Within a day the keys run against the times, so only a
// sort by time can put them in time order.
void FillWeekAcrossMonthEnd(Instances& instances)
{
    int key = 0;
    for (int day = 0; day < 7; ++day) {
        const QDate date = QDate(2015, 3, 28).addDays(day);
        for (const QTime& time : { QTime(18, 30), QTime(12, 0), QTime(7, 5) }) {
            if (day % 2 && time == QTime(12, 0))
                continue;
            instances.add(key++, date, time);
        }
    }
}

QStringList Sorted(QStringList rows, Qt::SortOrder order)
{
    std::sort(rows.begin(), rows.end()); // ISO texts sort as date, then time
    if (order == Qt::DescendingOrder)
        std::reverse(rows.begin(), rows.end());
    return rows;
}

void ClickHeader(ScheduleListView& view, int column)
{
    QHeaderView* header = view.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
}

// What the context menu offers: each entry's text, "[disabled]" when disabled.
QStringList MenuState(QMenu* menu)
{
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            entries << "-";
        else
            entries << action->text() + (action->isEnabled() ? "" : " [disabled]");
    }
    return entries;
}

struct RequestSpies {
    explicit RequestSpies(ScheduleListView* view)
        : edit(view, &ScheduleListView::f_RequestScheduleEdit)
        , execute(view, &ScheduleListView::f_RequestScheduleExecute)
        , cancel(view, &ScheduleListView::f_RequestScheduleCancel)
        , noOperatingDate(view, &ScheduleListView::f_RequestScheduleSettingNoOperatingDate)
    {
    }
    QStringList sent() const
    {
        QStringList names;
        if (edit.count())
            names << QString("edit x%1").arg(edit.count());
        if (execute.count())
            names << QString("execute x%1").arg(execute.count());
        if (cancel.count())
            names << QString("cancel x%1").arg(cancel.count());
        if (noOperatingDate.count())
            names << QString("no operating date x%1").arg(noOperatingDate.count());
        return names;
    }
    QSignalSpy edit;
    QSignalSpy execute;
    QSignalSpy cancel;
    QSignalSpy noOperatingDate;
};

} // namespace

class tst_ScheduleListView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void columns();
    void rowLook_data();
    void rowLook();
    void noOperatingDatesAreLeftOut();
    void refillKeepsDateThenTimeOrder_data();
    void refillKeepsDateThenTimeOrder();
    void dateHeaderClickSortsTimesWithTheDates();
    void contextMenuFollowsExecution_data();
    void contextMenuFollowsExecution();
    void menuEntriesSendOnlyTheirRequest_data();
    void menuEntriesSendOnlyTheirRequest();

private:
    std::unique_ptr<CTestFolders> m_folders;
    std::unique_ptr<CLumivox5Data> m_hub;
};

void tst_ScheduleListView::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
    m_folders.reset(new CTestFolders());
    m_hub = CTestFolders::makeHub();
    QVERIFY(m_hub->m_pProfileList && m_hub->m_pProfileList->m_MultiTermList);
    CSectionItemList* terminals = m_hub->m_pProfileList->m_MultiTermList;
    terminals->Clear();
    terminals->Add(0, 0x1A, "HDMI 1", false, true);
    terminals->Add(1, 0x21, "Input %1", false, true);
}

void tst_ScheduleListView::cleanupTestCase()
{
    m_hub.reset();
    m_folders.reset();
}

void tst_ScheduleListView::columns()
{
    ScheduleListView view;
    QAbstractItemModel* model = view.model();
    const QStringList titles = { "Target", "Date", "Execution Time", "Task", "Status", "Comment" };
    const QList<int> widths = { 130, 130, 100, 210, 55, 70 };
    QCOMPARE(model->columnCount(), titles.size());
    for (int column = 0; column < titles.size(); ++column) {
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), titles.at(column));
        if (column != ScheduleListView::COLUMN_DATE)
            QCOMPARE(view.columnWidth(column), widths.at(column));
    }
    // The Date column is never narrower than usual, nor than its texts.
    const int dateWidth = view.columnWidth(ScheduleListView::COLUMN_DATE);
    QVERIFY(dateWidth >= 130);
    for (const QDate& date : { QDate(2015, 9, 27), QDate(2015, 12, 30), QDate(2015, 5, 23) }) {
        const QString text = ScheduleListView::f_GetScheduleDateString(date);
        QVERIFY2(QFontMetrics(view.font()).horizontalAdvance(text) < dateWidth, qPrintable(text));
    }
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
}

void tst_ScheduleListView::rowLook_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("terminal");
    QTest::addColumn<QString>("task");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QColor>("colour");

    const QColor black(Qt::black);
    QTest::newRow("status 0") << 0 << 1 << 0 << "Power ON" << "" << black;
    QTest::newRow("status 1: OK") << 1 << 2 << 0 << "Power OFF" << "OK" << QColor(Qt::blue);
    QTest::newRow("status 2: NG") << 2 << 3 << 0 << "Picture Blank ON" << "NG" << QColor(Qt::red);
    QTest::newRow("status 3: NA") << 3 << 4 << 0 << "Picture Blank OFF" << "NA" << QColor(Qt::green);
    QTest::newRow("status 7") << 7 << 5 << 0 << "Sound Mute ON" << "" << black;
    QTest::newRow("function 6") << 0 << 6 << 0 << "Sound Mute OFF" << "" << black;
    QTest::newRow("function 7: display mute on") << 0 << 7 << 0 << "On-screen Display OFF" << "" << black;
    QTest::newRow("function 8: display mute off") << 0 << 8 << 0 << "On-screen Display ON" << "" << black;
    QTest::newRow("function 9") << 0 << 9 << 0 << "AV-MUTE ON" << "" << black;
    QTest::newRow("function 10") << 0 << 10 << 0 << "AV-MUTE OFF" << "" << black;
    QTest::newRow("function 11, known terminal") << 0 << 11 << 0x1A << "Switch to HDMI 1" << "" << black;
    QTest::newRow("function 11, %1 in the name") << 0 << 11 << 0x21 << "Switch to Input %1" << "" << black;
    QTest::newRow("function 11, unknown terminal") << 0 << 11 << 0x99 << "Switch to " << "" << black;
    QTest::newRow("function 0") << 0 << 0 << 0 << "" << "" << black;
    QTest::newRow("function 12") << 0 << 12 << 0 << "" << "" << black;
}

void tst_ScheduleListView::rowLook()
{
    QFETCH(int, status);
    QFETCH(int, function);
    QFETCH(int, terminal);
    QFETCH(QString, task);
    QFETCH(QString, statusText);
    QFETCH(QColor, colour);

    Instances instances;
    CScheduleData* data = instances.add(41, QDate(2015, 3, 28), QTime(7, 5));
    data->Status = status;
    data->Function = function;
    data->InputTerminal = terminal;
    data->TargetName = CScheduleTargetText::Group("Hall A");
    data->Comment = "lobby";
    CNoOperatingDate noOperatingDate;
    ScheduleListView view;
    view.m_appData = m_hub.get();
    view.f_UpdateScheduleListView(instances.map, noOperatingDate);

    QStandardItemModel* source = Source(view);
    QCOMPARE(source->rowCount(), 1);
    const QStringList texts = { "Group\\Hall A", "", "07:05", task, statusText, "lobby" };
    for (int column = 0; column < ScheduleListView::COLUMN_COUNT; ++column) {
        const QStandardItem* cell = source->item(0, column);
        if (column != ScheduleListView::COLUMN_DATE)
            QCOMPARE(cell->text(), texts.at(column));
        QCOMPARE(cell->foreground().color(), colour);
        QCOMPARE(cell->foreground().style(), Qt::SolidPattern);
        QVERIFY2(!(cell->flags() & Qt::ItemIsEditable), qPrintable(QString("column %1").arg(column)));
    }
    QCOMPARE(source->item(0, 0)->data(33), QVariant(41));
    // The date itself, shown in the list's format.
    const QModelIndex date = view.model()->index(0, ScheduleListView::COLUMN_DATE);
    QCOMPARE(date.data(), QVariant(QDate(2015, 3, 28)));
    const QStyledItemDelegate* delegate = qobject_cast<QStyledItemDelegate*>(view.itemDelegate(date));
    QVERIFY(delegate);
    QCOMPARE(delegate->displayText(date.data(), QLocale()), QString("Mar.28, 2015 (Sat)"));
}

void tst_ScheduleListView::noOperatingDatesAreLeftOut()
{
    Instances instances;
    instances.add(0, QDate(2015, 3, 30), QTime(9, 0));
    instances.add(1, QDate(2015, 3, 31), QTime(23, 59))->Status = CScheduleData::STATUS_TYPE::NG;
    instances.add(2, QDate(2015, 4, 1), QTime(0, 0));
    CNoOperatingDate noOperatingDate;
    noOperatingDate.Add(QDateTime(QDate(2015, 3, 31), QTime(0, 0)));
    ScheduleListView view;
    view.f_UpdateScheduleListView(instances.map, noOperatingDate);
    QCOMPARE(ShownDateTimes(view), QStringList({ "2015-03-30 09:00", "2015-04-01 00:00" }));

    // A refill replaces the rows.
    noOperatingDate.Remove(QDateTime(QDate(2015, 3, 31), QTime(0, 0)));
    view.f_UpdateScheduleListView(instances.map, noOperatingDate);
    QCOMPARE(Source(view)->rowCount(), 3);
}

void tst_ScheduleListView::refillKeepsDateThenTimeOrder_data()
{
    QTest::addColumn<int>("sortOrder");
    QTest::newRow("ascending") << int(Qt::AscendingOrder);
    QTest::newRow("descending") << int(Qt::DescendingOrder);
}

// Across the month end, so that the text order ("Apr.01" before "Mar.31")
// would show itself.
void tst_ScheduleListView::refillKeepsDateThenTimeOrder()
{
    QFETCH(int, sortOrder);
    const Qt::SortOrder order = Qt::SortOrder(sortOrder);
    Instances instances;
    FillWeekAcrossMonthEnd(instances);
    CNoOperatingDate noOperatingDate;
    ScheduleListView view;
    view.sortByColumn(ScheduleListView::COLUMN_DATE, order);
    view.f_UpdateScheduleListView(instances.map, noOperatingDate);

    const QStringList shown = ShownDateTimes(view);
    QCOMPARE(shown.size(), 18);
    QCOMPARE(shown, Sorted(shown, order));
    QCOMPARE(view.header()->sortIndicatorSection(), int(ScheduleListView::COLUMN_DATE));
    QCOMPARE(view.header()->sortIndicatorOrder(), order);
}

void tst_ScheduleListView::dateHeaderClickSortsTimesWithTheDates()
{
    Instances instances;
    FillWeekAcrossMonthEnd(instances);
    CNoOperatingDate noOperatingDate;
    ScheduleListView view;
    view.resize(800, 400);
    view.show();
    view.f_UpdateScheduleListView(instances.map, noOperatingDate);
    QCOMPARE(ShownDateTimes(view), Sorted(ShownDateTimes(view), Qt::AscendingOrder));

    // Each click flips the order; within a date the times follow it.
    for (int click = 0; click < 2; ++click) {
        ClickHeader(view, ScheduleListView::COLUMN_DATE);
        const Qt::SortOrder order = view.header()->sortIndicatorOrder();
        QCOMPARE(order, click == 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(ShownDateTimes(view), Sorted(ShownDateTimes(view), order));
    }
}

void tst_ScheduleListView::contextMenuFollowsExecution_data()
{
    QTest::addColumn<int>("executing"); // -1: nothing connected
    QTest::addColumn<bool>("fromHeader");
    QTest::addColumn<QStringList>("entries");

    const QStringList stopped = { "&Edit...", "E&xecute", "&Cancel [disabled]", "-", "Setting &No Operating Date..." };
    const QStringList running = { "&Edit... [disabled]", "E&xecute [disabled]", "&Cancel", "-",
                                  "Setting &No Operating Date... [disabled]" };
    QTest::newRow("execution off") << 0 << false << stopped;
    QTest::newRow("execution on") << 1 << false << running;
    QTest::newRow("nothing connected") << -1 << false << stopped;
    QTest::newRow("on the header, execution on") << 1 << true << running;
}

// The list is empty: the menu opens over empty space too.
void tst_ScheduleListView::contextMenuFollowsExecution()
{
    QFETCH(int, executing);
    QFETCH(bool, fromHeader);
    QFETCH(QStringList, entries);

    ScheduleListView view;
    int asked = 0;
    if (executing >= 0) {
        connect(&view, &ScheduleListView::f_RequestScheduleIsInExecution, this,
                [&] {
                    ++asked;
                    return executing == 1;
                },
                Qt::DirectConnection);
    }
    view.resize(600, 300);
    view.show();
    QStringList shown;
    QPoint where;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        shown = MenuState(qobject_cast<QMenu*>(popup));
        where = popup->pos();
        popup->close();
    });
    // At the pointer, in the coordinates of the widget that asked.
    const QPoint point(10, 12);
    QWidget* origin = fromHeader ? static_cast<QWidget*>(view.header()) : view.viewport();
    if (fromHeader)
        emit view.header()->customContextMenuRequested(point);
    else
        emit view.customContextMenuRequested(point);
    QCOMPARE(shown, entries);
    QCOMPARE(asked, executing >= 0 ? 1 : 0);
    QCOMPARE(where, origin->mapToGlobal(point));
}

void tst_ScheduleListView::menuEntriesSendOnlyTheirRequest_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("data");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("Edit") << 0 << 0 << QStringList({ "edit x1" });
    QTest::newRow("Execute") << 1 << 1 << QStringList({ "execute x1" });
    QTest::newRow("Cancel") << 2 << 2 << QStringList({ "cancel x1" });
    QTest::newRow("Setting No Operating Date") << 3 << 3 << QStringList({ "no operating date x1" });
    QTest::newRow("data 99") << 0 << 99 << QStringList();
}

void tst_ScheduleListView::menuEntriesSendOnlyTheirRequest()
{
    QFETCH(int, entry);
    QFETCH(int, data);
    QFETCH(QStringList, sent);

    ScheduleListView view;
    QAction* actions[] = { view.m_ctxEdit, view.m_ctxExecute, view.m_ctxCancel, view.m_ctxSettingNoOperatingDate };
    for (int id = 0; id < 4; ++id)
        QCOMPARE(actions[id]->data(), QVariant(id));
    RequestSpies spies(&view);
    actions[entry]->setData(data);
    actions[entry]->trigger();
    QCOMPARE(spies.sent(), sent);
}

QTEST_MAIN(tst_ScheduleListView)
#include "tst_ScheduleListView.moc"
