#include <QIcon>
#include <QStandardItemModel>
#include <QTimer>
#include <QtTest>

#include "CProjectorData.h"
#include "CProjectorListRig.h"
#include "CProjectorTreeView.h"

namespace {

// The progress frame a cell shows (1 to 4), 0 for no icon, -1 for another picture.
int Frame(const QStandardItem* cell)
{
    const QIcon icon = cell->data(Qt::DecorationRole).value<QIcon>();
    if (icon.isNull())
        return 0;
    const QImage shown = icon.pixmap(32, 32).toImage();
    for (int frame = 1; frame <= 4; ++frame) {
        if (QIcon(QString(":/icon/ico/Progress32_%1.ico").arg(frame)).pixmap(32, 32).toImage() == shown)
            return frame;
    }
    return -1;
}

// A list whose animation steps only when the test says so.
struct ProgressRig : CProjectorListRig {
    QTimer* timer = nullptr;

    ProgressRig()
    {
        for (QTimer* t : view->findChildren<QTimer*>()) {
            if (t->interval() == 200)
                timer = t;
        }
    }
    void tick() { QMetaObject::invokeMethod(view.get(), "f_OnTimerProgress_Tick"); }
    QStandardItem* cellOf(int row) const { return cell(row, CProjectorTreeView::KEY_COMM_ERROR); }
    int state(int row) const { return cellOf(row)->data(CProjectorTreeView::ROLE_PROGRESS_STATE).toInt(); }
    int frame(int row) const { return Frame(cellOf(row)); }
};

} // namespace

class tst_CProjectorTreeViewProgress : public QObject
{
    Q_OBJECT

private slots:
    void stoppedTimerShowsFirstFrameAtOnce();
    void runningTimerShowsFirstFrameAtNextTick();
    void framesCycle();
    void restartKeepsOneEntry();
    void stopClearsIconAtOnce();
    void unknownIdIsListedAndSkipped();
    void stateZeroLosesItsIcon();
    void firstOfDuplicateIdsAnimates();
    void rowsRemovedElsewhereAreFollowed();
    void stopOnlyIconLeftBeforeRefresh();
};

void tst_CProjectorTreeViewProgress::stoppedTimerShowsFirstFrameAtOnce()
{
    ProgressRig rig;
    QVERIFY(rig.timer);
    rig.addRecord(5);
    rig.timer->stop();
    rig.view->CheckProgressIcon(5, true);
    QCOMPARE(rig.frame(0), 1);
    QCOMPARE(rig.state(0), 2);
    QVERIFY(rig.timer->isActive());
}

// Adding a row starts the timer, so a start shows frame 1 at the next tick.
void tst_CProjectorTreeViewProgress::runningTimerShowsFirstFrameAtNextTick()
{
    ProgressRig rig;
    rig.addRecord(5);
    QVERIFY(rig.timer->isActive());
    rig.view->CheckProgressIcon(5, true);
    QCOMPARE(rig.frame(0), 0);
    QCOMPARE(rig.state(0), 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.frame(0), 1, 1000);
}

void tst_CProjectorTreeViewProgress::framesCycle()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    QList<int> frames;
    QList<int> states;
    for (int i = 0; i < 5; ++i) {
        rig.tick();
        frames << rig.frame(0);
        states << rig.state(0);
    }
    QCOMPARE(frames, QList<int>({ 1, 2, 3, 4, 1 }));
    QCOMPARE(states, QList<int>({ 2, 3, 4, 1, 2 }));
}

// A second entry for the id would step the cell twice per tick.
void tst_CProjectorTreeViewProgress::restartKeepsOneEntry()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    rig.tick();
    rig.tick();
    QCOMPARE(rig.frame(0), 2);
    rig.view->CheckProgressIcon(5, true);
    QCOMPARE(rig.state(0), 1);
    rig.tick();
    QCOMPARE(rig.frame(0), 1);
    QCOMPARE(rig.state(0), 2);
}

void tst_CProjectorTreeViewProgress::stopClearsIconAtOnce()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    rig.tick();
    QCOMPARE(rig.frame(0), 1);
    rig.view->CheckProgressIcon(5);
    QCOMPARE(rig.frame(0), 0);
    QCOMPARE(rig.state(0), 0);
    rig.tick();
    QCOMPARE(rig.frame(0), 0);
}

void tst_CProjectorTreeViewProgress::unknownIdIsListedAndSkipped()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.view->CheckProgressIcon(99, true);
    rig.tick();
    QCOMPARE(rig.frame(0), 0);
    // Once a row for it exists, its refresh starts the animation.
    rig.addRecord(99);
    QCOMPARE(rig.state(1), 1);
    rig.tick();
    QCOMPARE(rig.frame(1), 1);

    // Stopping an id without a row only takes it off the list.
    rig.view->CheckProgressIcon(77);
    QCOMPARE(rig.frame(1), 1);
}

void tst_CProjectorTreeViewProgress::stateZeroLosesItsIcon()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    rig.tick();
    rig.cellOf(0)->setData(0, CProjectorTreeView::ROLE_PROGRESS_STATE);
    rig.tick();
    QCOMPARE(rig.frame(0), 0);
    QCOMPARE(rig.state(0), 0);
}

void tst_CProjectorTreeViewProgress::firstOfDuplicateIdsAnimates()
{
    ProgressRig rig;
    rig.addRecord(5);
    rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    rig.tick();
    QCOMPARE(rig.frame(0), 1);
    QCOMPARE(rig.frame(1), 0);
    QCOMPARE(rig.state(1), 0);
}

// Rows taken out of the model by others leave no stale id-to-row entries.
void tst_CProjectorTreeViewProgress::rowsRemovedElsewhereAreFollowed()
{
    ProgressRig rig;
    for (int id : { 1, 2, 3 })
        rig.addRecord(id);
    rig.view->CheckProgressIcon(3, true); // the index now knows row 2
    rig.source()->removeRow(0);
    rig.view->CheckProgressIcon(2, true);
    rig.tick();
    QCOMPARE(rig.frame(0), 1); // id 2, now row 0
    QCOMPARE(rig.frame(1), 1); // id 3, now row 1
    QCOMPARE(rig.state(1), 2);
    rig.source()->removeRows(0, rig.source()->rowCount());
    rig.addRecord(3);
    rig.tick();
    QCOMPARE(rig.frame(0), 1);
}

// After a stop the cell stays empty until its row is refreshed, which also
// leaves an error icon of the refresh alone.
void tst_CProjectorTreeViewProgress::stopOnlyIconLeftBeforeRefresh()
{
    ProgressRig rig;
    CProjectorData* record = rig.addRecord(5);
    rig.view->CheckProgressIcon(5, true);
    rig.tick();
    rig.view->CheckProgressIcon(5);
    rig.view->SetPjDataVisual(0, *record, 0);
    QCOMPARE(rig.frame(0), 0);
    QCOMPARE(rig.state(0), 0);
}

QTEST_MAIN(tst_CProjectorTreeViewProgress)
#include "tst_CProjectorTreeViewProgress.moc"
