#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTimer>
#include <QtTest>

#include "CListViewColumnStatus.h"
#include "CProjectorData.h"
#include "CProjectorListRig.h"
#include "CProjectorTreeView.h"

namespace {

const QStringList ICON_PATHS = {
    ":/icon/ico/PjError12_1.ico",  ":/icon/ico/PjError12_2.ico",  ":/icon/ico/PjError12_3.ico",
    ":/icon/ico/Progress32_1.ico", ":/icon/ico/Progress32_2.ico", ":/icon/ico/Progress32_3.ico",
    ":/icon/ico/Progress32_4.ico",
};

// Which of the views' icons a cell shows: its file name without folder and
// suffix ("PjError12_2"), or "" for none.
QString IconName(const QStandardItem* cell)
{
    const QIcon icon = cell->data(Qt::DecorationRole).value<QIcon>();
    if (icon.isNull())
        return QString();
    const QImage shown = icon.pixmap(32, 32).toImage();
    for (const QString& path : ICON_PATHS) {
        if (QIcon(path).pixmap(32, 32).toImage() == shown)
            return path.mid(11).chopped(4);
    }
    return QStringLiteral("unknown");
}

QColor TextColour(const QStandardItem* cell)
{
    return cell->data(Qt::ForegroundRole).value<QBrush>().color();
}

bool Bold(const QStandardItem* cell)
{
    return cell->data(Qt::FontRole).value<QFont>().weight() == QFont::Bold;
}

const QColor BLACK(0, 0, 0);
const QColor GREY(128, 128, 128);
const QColor RED(Qt::red);

} // namespace

class tst_CProjectorTreeViewRows : public QObject
{
    Q_OBJECT

private slots:
    void everyIconLoads();
    void rowLook_data();
    void rowLook();
    void disconnectedKeepsMarksAndFonts();
    void successLeavesCommunicationIconAlone_data();
    void successLeavesCommunicationIconAlone();
    void addTakesTheLastCommandsResult();
    void rowHeightAndTextColour();
    void refreshReportsChangedRowsOnly();
    void onlyNameCellsAreEditable();
    void progressStateOfAnAnimatedProjector();
    void addRangeAppendsInListOrder();
    void textsLandByKeyWithColumnsMovedOrHidden();
};

void tst_CProjectorTreeViewRows::everyIconLoads()
{
    CProjectorListRig rig; // the view registers the icon resources
    for (const QString& path : ICON_PATHS) {
        QImageReader reader(path);
        QVERIFY2(reader.canRead(), qPrintable(path + ": " + reader.errorString()));
        QVERIFY2(!QIcon(path).pixmap(16, 16).isNull(), qPrintable(path));
    }
}

// A connected record's row after SetPjDataVisual with a result code.
void tst_CProjectorTreeViewRows::rowLook_data()
{
    QTest::addColumn<int>("connectState");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("errorWordA");
    QTest::addColumn<bool>("filterAlarm");
    QTest::addColumn<QString>("errorIcon");
    QTest::addColumn<int>("mark");
    QTest::addColumn<QString>("commIcon");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("lampWarned");
    QTest::addColumn<bool>("filterWarned");

    QTest::newRow("connected, fine") << 3 << 0 << 0 << false << "" << 0 << "" << 0 << false << false;
    QTest::newRow("error word") << 3 << 0 << 0x1000 << false << "PjError12_1" << 1 << "" << 0 << false << false;
    QTest::newRow("lamp error bit") << 3 << 0 << 0x40 << false << "PjError12_1" << 1 << "" << 0 << true << false;
    QTest::newRow("filter alarm only") << 3 << 0 << 0 << true << "PjError12_1" << 1 << "" << 0 << false << true;
    QTest::newRow("code -100: negative reply") << 3 << -100 << 0 << false << "" << 0 << "PjError12_3" << 2 << false << false;
    QTest::newRow("code -190: negative reply") << 3 << -190 << 0 << false << "" << 0 << "PjError12_3" << 2 << false << false;
    QTest::newRow("code -99: error") << 3 << -99 << 0 << false << "" << 0 << "PjError12_2" << 1 << false << false;
    QTest::newRow("code -191: error") << 3 << -191 << 0 << false << "" << 0 << "PjError12_2" << 1 << false << false;
    QTest::newRow("code -21: error") << 3 << -21 << 0 << false << "" << 0 << "PjError12_2" << 1 << false << false;
    QTest::newRow("code -10: canceled") << 3 << -10 << 0 << false << "" << 0 << "" << 0 << false << false;
    // Out of contact: no error icon and no mark written, but a failure shows.
    QTest::newRow("disconnected, error word") << 0 << 0 << 0x1000 << true << "" << -1 << "" << 0 << false << false;
    QTest::newRow("disconnected, failure") << 2 << -301 << 0 << false << "" << -1 << "PjError12_2" << 1 << false << false;
}

void tst_CProjectorTreeViewRows::rowLook()
{
    QFETCH(int, connectState);
    QFETCH(int, code);
    QFETCH(int, errorWordA);
    QFETCH(bool, filterAlarm);
    QFETCH(QString, errorIcon);
    QFETCH(int, mark);
    QFETCH(QString, commIcon);
    QFETCH(int, level);
    QFETCH(bool, lampWarned);
    QFETCH(bool, filterWarned);

    CProjectorListRig rig;
    CProjectorData* record = rig.makeRecord(4);
    record->m_ConnectState = connectState;
    rig.view->Add(record); // a fresh row: nothing written before
    record->m_Status[CProjectorData::StErrorWordA].FromULong(quint32(errorWordA));
    record->m_Status[CProjectorData::StLamp1Info].FromUChar(0);
    record->m_Status[CProjectorData::StLamp2Info].FromUChar(0);
    record->m_Status[CProjectorData::StFilterInfo].FromUChar(0);
    record->m_Status[CProjectorData::StFilterAlarm].FromLong(100);
    record->m_Status[CProjectorData::StFilterUsed].FromLong(filterAlarm ? 100 : 99);
    rig.view->SetPjDataVisual(0, *record, code);

    const QStandardItem* errorCell = rig.cell(0, 0);
    const QStandardItem* commCell = rig.cell(0, 1);
    QCOMPARE(IconName(errorCell), errorIcon);
    const QVariant markValue = errorCell->data(CProjectorTreeView::ROLE_PJ_ERROR_MARK);
    QCOMPARE(markValue.isValid() ? markValue.toInt() : -1, mark);
    QCOMPARE(IconName(commCell), commIcon);
    QCOMPARE(commCell->data(CProjectorTreeView::ROLE_COMM_ERROR_LEVEL).toInt(), level);

    const QColor text = connectState == 3 ? BLACK : GREY;
    QCOMPARE(TextColour(rig.cell(0, 13)), lampWarned ? RED : text);
    QCOMPARE(Bold(rig.cell(0, 13)), lampWarned);
    QCOMPARE(TextColour(rig.cell(0, 14)), text);
    QCOMPARE(Bold(rig.cell(0, 14)), false);
    QCOMPARE(TextColour(rig.cell(0, 15)), filterWarned ? RED : text);
    QCOMPARE(Bold(rig.cell(0, 15)), filterWarned);
    QCOMPARE(TextColour(rig.cell(0, 8)), text);
}

// A projector that drops out of contact keeps its error mark (role 1032) and
// the weight of its hour cells, loses its error icon and turns grey.
void tst_CProjectorTreeViewRows::disconnectedKeepsMarksAndFonts()
{
    CProjectorListRig rig;
    CProjectorData* record = rig.addRecord(4);
    record->m_Status[CProjectorData::StFilterInfo].FromUChar(0);
    record->m_Status[CProjectorData::StFilterAlarm].FromLong(100);
    record->m_Status[CProjectorData::StFilterUsed].FromLong(120);
    rig.view->SetPjDataVisual(0, *record, 0);
    QCOMPARE(rig.cell(0, 0)->data(CProjectorTreeView::ROLE_PJ_ERROR_MARK).toInt(), 1);
    QVERIFY(Bold(rig.cell(0, 15)));

    record->m_ConnectState = 0;
    rig.view->SetPjDataVisual(0, *record, 0);
    QCOMPARE(rig.cell(0, 0)->data(CProjectorTreeView::ROLE_PJ_ERROR_MARK).toInt(), 1);
    QCOMPARE(IconName(rig.cell(0, 0)), QString());
    QVERIFY(Bold(rig.cell(0, 15)));
    QCOMPARE(TextColour(rig.cell(0, 15)), GREY);
}

void tst_CProjectorTreeViewRows::successLeavesCommunicationIconAlone_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("success") << 0;
    QTest::newRow("canceled") << -10;
}

void tst_CProjectorTreeViewRows::successLeavesCommunicationIconAlone()
{
    QFETCH(int, code);
    CProjectorListRig rig;
    CProjectorData* record = rig.addRecord(4);
    rig.view->SetPjDataVisual(0, *record, -301);
    QCOMPARE(IconName(rig.cell(0, 1)), QString("PjError12_2"));
    rig.view->SetPjDataVisual(0, *record, code);
    QCOMPARE(IconName(rig.cell(0, 1)), QString("PjError12_2"));
    QCOMPARE(rig.cell(0, 1)->data(CProjectorTreeView::ROLE_COMM_ERROR_LEVEL).toInt(), 0);
}

// A record whose last command failed shows it when its row is added; an idle
// record's stale code does not count.
void tst_CProjectorTreeViewRows::addTakesTheLastCommandsResult()
{
    CProjectorListRig rig;
    CProjectorData* failed = rig.makeRecord(1);
    failed->m_Result = 3;
    failed->m_ErrorCode = -150;
    CProjectorData* idle = rig.makeRecord(2);
    idle->m_Result = 0;
    idle->m_ErrorCode = -150;
    rig.view->AddRange({ failed, idle });
    QCOMPARE(rig.cell(0, 1)->data(CProjectorTreeView::ROLE_COMM_ERROR_LEVEL).toInt(), 2);
    QCOMPARE(rig.cell(1, 1)->data(CProjectorTreeView::ROLE_COMM_ERROR_LEVEL).toInt(), 0);
}

void tst_CProjectorTreeViewRows::rowHeightAndTextColour()
{
    CProjectorListRig rig;
    rig.addRecord(1);
    for (int column = 0; column < rig.source()->columnCount(); ++column) {
        const QStandardItem* cell = rig.source()->item(0, column);
        QCOMPARE(cell->data(Qt::SizeHintRole).toSize(), QSize(-1, 24));
        QCOMPARE(cell->data(Qt::ForegroundRole).value<QBrush>(), QBrush(BLACK));
    }
}

// A refresh reports a changed row once, as one block, so that the proxy and
// the view follow; an unchanged row reports nothing.
void tst_CProjectorTreeViewRows::refreshReportsChangedRowsOnly()
{
    CProjectorListRig rig;
    rig.addRecord(1);
    CProjectorData* record = rig.addRecord(2);
    QSignalSpy changes(rig.source(), &QAbstractItemModel::dataChanged);
    rig.view->SetPjDataVisual(1, *record, 0);
    QCOMPARE(changes.count(), 0);

    record->m_SettingName = "Renamed";
    rig.view->SetPjDataVisual(1, *record, 0);
    QCOMPARE(changes.count(), 1);
    const QModelIndex topLeft = changes.first().at(0).toModelIndex();
    const QModelIndex bottomRight = changes.first().at(1).toModelIndex();
    QCOMPARE(topLeft.row(), 1);
    QCOMPARE(bottomRight.row(), 1);
    const int column = rig.view->m_columnIndexByKey.value(3);
    QVERIFY(topLeft.column() <= column && column <= bottomRight.column());
    QCOMPARE(rig.proxy()->mapFromSource(rig.source()->index(1, column)).data().toString(), QString("Renamed"));
}

// A click on a selected row must not open an editor on Status, a MAC
// address or an icon cell: only the name cell is editable.
void tst_CProjectorTreeViewRows::onlyNameCellsAreEditable()
{
    CProjectorListRig rig;
    rig.addRecord(1);
    for (int key = 0; key < 25; ++key)
        QCOMPARE(bool(rig.cell(0, key)->flags() & Qt::ItemIsEditable), key == CProjectorTreeView::KEY_PJ_NAME);
}

void tst_CProjectorTreeViewRows::progressStateOfAnAnimatedProjector()
{
    CProjectorListRig rig;
    QTimer* timer = nullptr;
    for (QTimer* t : rig.view->findChildren<QTimer*>()) {
        if (t->interval() == 200)
            timer = t;
    }
    QVERIFY(timer);
    QVERIFY(!timer->isActive());
    rig.addRecord(1);
    QVERIFY(timer->isActive()); // also with nothing animated

    rig.view->CheckProgressIcon(5, true); // no row yet
    rig.addRecord(5);
    QCOMPARE(rig.cell(1, 1)->data(CProjectorTreeView::ROLE_PROGRESS_STATE).toInt(), 1);
    QCOMPARE(rig.cell(0, 1)->data(CProjectorTreeView::ROLE_PROGRESS_STATE).toInt(), 0);
}

void tst_CProjectorTreeViewRows::addRangeAppendsInListOrder()
{
    CProjectorListRig rig;
    rig.view->sortByColumn(rig.view->m_columnIndexByKey.value(3), Qt::DescendingOrder);
    rig.view->AddRange({});
    QCOMPARE(rig.source()->rowCount(), 0);
    rig.addRecord(5);
    CProjectorData* a = rig.makeRecord(7);
    CProjectorData* b = rig.makeRecord(3);
    CProjectorData* c = rig.makeRecord(9);
    rig.view->AddRange({ a, b, c });
    QCOMPARE(rig.source()->rowCount(), 4);
    QList<int> ids;
    for (int row = 0; row < 4; ++row)
        ids << rig.source()->item(row, 0)->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
    QCOMPARE(ids, QList<int>({ 5, 7, 3, 9 }));
}

void tst_CProjectorTreeViewRows::textsLandByKeyWithColumnsMovedOrHidden()
{
    CProjectorListRig rig(false);
    // Reverse key order, Setting Name hidden.
    int place = 0;
    for (int key = 24; key >= 0; --key)
        rig.columns[key]->m_DisplayIndex = place++;
    rig.columns[3]->m_Visible = false;
    rig.view->InitializePjListColumn(&rig.columns);
    QCOMPARE(rig.view->m_columnIndexByKey.value(3), 21);

    CProjectorData* record = rig.makeRecord(42);
    record->m_Comment = "north wall";
    rig.view->Add(record);
    QCOMPARE(rig.cell(0, 3)->text(), QString("PJ42"));
    QCOMPARE(rig.cell(0, 5)->text(), QString("10.0.0.42"));
    QCOMPARE(rig.cell(0, 22)->text(), QString("north wall"));
    QCOMPARE(rig.cell(0, 4)->text(), record->GetDeviceString());
    QCOMPARE(rig.cell(0, 0)->text(), QString());
    QCOMPARE(rig.cell(0, 1)->text(), QString());
    // The id sits on model column 0, which holds key 24 here.
    QCOMPARE(rig.source()->item(0, 0)->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(), 42);
    QVERIFY(!rig.cell(0, 0)->data(CProjectorTreeView::ROLE_PJDATA_ID).isValid());
}

QTEST_MAIN(tst_CProjectorTreeViewRows)
#include "tst_CProjectorTreeViewRows.moc"
