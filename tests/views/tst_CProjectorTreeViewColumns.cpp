#include <QHeaderView>
#include <QStandardItemModel>
#include <QtTest>

#include <algorithm>

#include "CListViewColumnStatus.h"
#include "CProjectorListRig.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"

namespace {

const QList<int> DEFAULT_HIDDEN_KEYS = { 2, 4, 6, 7, 9, 10, 11, 14, 18, 19, 20, 22, 23, 24 };

// Gives the keys, in this order, the display indexes 0, 1, 2 …; the keys not
// listed follow in key order.
void SetDisplayOrder(QMap<int, CListViewColumnStatus*>& columns, const QList<int>& keys)
{
    int place = 0;
    for (int key : keys)
        columns[key]->m_DisplayIndex = place++;
    for (CListViewColumnStatus* record : columns) {
        if (!keys.contains(record->m_ID))
            record->m_DisplayIndex = place++;
    }
}

// The keys of the header's sections from left to right, hidden ones included.
QList<int> VisualKeyOrder(const CProjectorListRig& rig)
{
    QHeaderView* header = rig.view->header();
    QList<int> keys;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        keys << rig.source()->horizontalHeaderItem(section)->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt();
    }
    return keys;
}

// The keys in the display order the records give.
QList<int> StoredKeyOrder(const QMap<int, CListViewColumnStatus*>& columns)
{
    QList<CListViewColumnStatus*> records = columns.values();
    std::sort(records.begin(), records.end(), CProjectorTreeView::lessThanDisplayIndexOfPJList);
    QList<int> keys;
    for (const CListViewColumnStatus* record : records)
        keys << record->m_ID;
    return keys;
}

QString KeysText(const QList<int>& keys)
{
    QStringList texts;
    for (int key : keys)
        texts << QString::number(key);
    return texts.join(QLatin1Char(','));
}

} // namespace

class tst_CProjectorTreeViewColumns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsInKeyOrder();
    void storedDisplayIndexesDecideModelColumns();
    void sortTypesFollowTheKeys_data();
    void sortTypesFollowTheKeys();
    void readBackKeepsHiddenWidth();
    void applyShowsColumnAtItsPlaceAndWidth();
    void applyAfterTwoMovesInTheChooser();
    void everyOrderOfSixColumnsAppliesExactly();
    void comparators();
};

void tst_CProjectorTreeViewColumns::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
}

void tst_CProjectorTreeViewColumns::defaultsInKeyOrder()
{
    CProjectorListRig rig;
    QCOMPARE(rig.source()->columnCount(), 25);
    for (int key = 0; key < 25; ++key) {
        QCOMPARE(rig.view->m_columnIndexByKey.value(key, -1), key);
        const QStandardItem* item = rig.source()->horizontalHeaderItem(key);
        QVERIFY(item);
        QCOMPARE(item->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(), key);
        QCOMPARE(rig.view->isColumnHidden(key), DEFAULT_HIDDEN_KEYS.contains(key));
        QCOMPARE(rig.view->IsVisibleColumn(key), !DEFAULT_HIDDEN_KEYS.contains(key));
        if (!rig.view->isColumnHidden(key))
            QCOMPARE(rig.view->columnWidth(key), rig.columns[key]->m_Width);
    }
    // The icon columns have no title; the others show the hub's translated title.
    QCOMPARE(rig.source()->horizontalHeaderItem(0)->text(), QString());
    QCOMPARE(rig.source()->horizontalHeaderItem(1)->text(), QString());
    QCOMPARE(rig.source()->horizontalHeaderItem(3)->text(), QString("Setting Name"));
    QCOMPARE(rig.source()->horizontalHeaderItem(24)->text(), QString("Remark"));
}

void tst_CProjectorTreeViewColumns::storedDisplayIndexesDecideModelColumns()
{
    CProjectorListRig rig(false);
    SetDisplayOrder(rig.columns, { 0, 1, 16, 3 });
    rig.view->InitializePjListColumn(&rig.columns);
    QCOMPARE(rig.view->m_columnIndexByKey.value(16), 2);
    QCOMPARE(rig.view->m_columnIndexByKey.value(3), 3);
    QCOMPARE(rig.view->m_columnIndexByKey.value(2), 4);
    QCOMPARE(rig.source()->horizontalHeaderItem(2)->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt(), 16);
    QCOMPARE(rig.source()->horizontalHeaderItem(2)->text(), QString("Input Terminal"));
}

// Three rows get the texts given in one key's column, which is then sorted
// ascending; the columns stand in reverse key order, so each sort type must
// follow its key to another model column.
void tst_CProjectorTreeViewColumns::sortTypesFollowTheKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ascending");
    QTest::newRow("Setting: dotted numbers") << 5 << QStringList({ "10.0.0.10", "---", "10.0.0.9" })
                                             << QStringList({ "---", "10.0.0.9", "10.0.0.10" });
    for (int key : { 13, 14, 15 })
        QTest::addRow("hours key %d: integers", key) << key << QStringList({ "100", "9", "20" })
                                                     << QStringList({ "9", "20", "100" });
    QTest::newRow("Last Update: date-time texts")
        << 23 << QStringList({ "2026-01-02T10:00:00+09:00", "2026-01-02T05:00:00Z", "2026-01-01T23:00:00Z" })
        << QStringList({ "2026-01-01T23:00:00Z", "2026-01-02T10:00:00+09:00", "2026-01-02T05:00:00Z" });
    QTest::newRow("Setting Name: text") << 3 << QStringList({ "b", "B", "a" }) << QStringList({ "B", "a", "b" });
}

void tst_CProjectorTreeViewColumns::sortTypesFollowTheKeys()
{
    QFETCH(int, key);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ascending);
    CProjectorListRig rig(false);
    QList<int> reversed;
    for (int k = 24; k >= 0; --k)
        reversed << k;
    SetDisplayOrder(rig.columns, reversed);
    rig.view->InitializePjListColumn(&rig.columns);
    const int column = rig.view->m_columnIndexByKey.value(key);
    QCOMPARE(column, 24 - key);

    for (int row = 0; row < texts.size(); ++row) {
        rig.addRecord(row + 1);
        rig.cell(row, key)->setText(texts.at(row));
    }
    rig.view->sortByColumn(column, Qt::AscendingOrder);
    QStringList shown;
    for (int row = 0; row < rig.proxy()->rowCount(); ++row)
        shown << rig.proxy()->index(row, column).data().toString();
    QCOMPARE(shown, ascending);
}

void tst_CProjectorTreeViewColumns::readBackKeepsHiddenWidth()
{
    CProjectorListRig rig;
    rig.view->UpdatePjListColumn(false, &rig.columns);
    // The operator drags Status (key 8) in front of Setting Name and widens it.
    QHeaderView* header = rig.view->header();
    header->moveSection(header->visualIndex(8), 2);
    header->resizeSection(8, 222);
    rig.columns[4]->m_Width = 99; // Device, hidden

    rig.view->UpdatePjListColumn(true, &rig.columns);
    QCOMPARE(rig.columns[8]->m_DisplayIndex, 2);
    QCOMPARE(rig.columns[2]->m_DisplayIndex, 3);
    QCOMPARE(rig.columns[3]->m_DisplayIndex, 4);
    QCOMPARE(rig.columns[8]->m_Width, 222);
    QCOMPARE(rig.columns[4]->m_Width, 99);
    QCOMPARE(rig.columns[4]->m_Visible, false);
    QCOMPARE(StoredKeyOrder(rig.columns), VisualKeyOrder(rig));
}

void tst_CProjectorTreeViewColumns::applyShowsColumnAtItsPlaceAndWidth()
{
    CProjectorListRig rig;
    rig.columns[2]->m_Visible = true;
    rig.columns[2]->m_Width = 140;
    SetDisplayOrder(rig.columns, { 0, 1, 3, 2 });
    rig.view->UpdatePjListColumn(false, &rig.columns);
    QVERIFY(!rig.view->isColumnHidden(2));
    QCOMPARE(rig.view->columnWidth(2), 140);
    QCOMPARE(rig.view->header()->visualIndex(2), 3);
}

// In the column chooser Status goes up twice, then Eco Mode three times, and
// OK numbers the icon columns, the shown columns in list order and then the
// hidden ones.
void tst_CProjectorTreeViewColumns::applyAfterTwoMovesInTheChooser()
{
    CProjectorListRig rig;
    const QList<int> order = { 0, 1, 12, 8, 3, 5, 13, 15, 16, 17, 21, 2, 4, 6, 7, 9, 10, 11, 14, 18, 19, 20, 22, 23, 24 };
    SetDisplayOrder(rig.columns, order);
    rig.view->UpdatePjListColumn(false, &rig.columns);
    QCOMPARE(VisualKeyOrder(rig), order);

    CListViewColumnStatus::ColumnMap readBack;
    CListViewColumnStatus::CopyColumns(rig.columns, &readBack);
    rig.view->UpdatePjListColumn(true, &readBack);
    QCOMPARE(StoredKeyOrder(readBack), order);
    CListViewColumnStatus::DeleteColumns(&readBack);
}

void tst_CProjectorTreeViewColumns::everyOrderOfSixColumnsAppliesExactly()
{
    CProjectorListRig rig;
    QList<int> six = { 3, 5, 8, 12, 13, 15 };
    for (CListViewColumnStatus* record : rig.columns)
        record->m_Visible = record->m_ID <= 1 || six.contains(record->m_ID);
    std::sort(six.begin(), six.end());
    int orders = 0;
    do {
        const QList<int> first = QList<int>({ 0, 1 }) + six;
        SetDisplayOrder(rig.columns, first);
        const QList<int> expected = StoredKeyOrder(rig.columns);
        // Each order is applied over the one before, as the operator would.
        rig.view->UpdatePjListColumn(false, &rig.columns);
        if (VisualKeyOrder(rig) != expected)
            QFAIL(qPrintable(QString("order %1 shown as %2").arg(KeysText(expected), KeysText(VisualKeyOrder(rig)))));
        for (CListViewColumnStatus* record : rig.columns)
            record->m_DisplayIndex = -1;
        rig.view->UpdatePjListColumn(true, &rig.columns);
        QCOMPARE(StoredKeyOrder(rig.columns), expected);
        ++orders;
    } while (std::next_permutation(six.begin(), six.end()));
    QCOMPARE(orders, 720);
}

void tst_CProjectorTreeViewColumns::comparators()
{
    CListViewColumnStatus a(3, "a", 10, 7, true);
    CListViewColumnStatus b(5, "b", 10, 2, true);
    CListViewColumnStatus c(3, "c", 10, 2, true);
    QVERIFY(CProjectorTreeView::lessThanKeyIDOfPJList(&a, &b));
    QVERIFY(!CProjectorTreeView::lessThanKeyIDOfPJList(&b, &a));
    QVERIFY(!CProjectorTreeView::lessThanKeyIDOfPJList(&a, &c));
    QVERIFY(!CProjectorTreeView::lessThanKeyIDOfPJList(&c, &a));
    QVERIFY(CProjectorTreeView::lessThanDisplayIndexOfPJList(&b, &a));
    QVERIFY(!CProjectorTreeView::lessThanDisplayIndexOfPJList(&a, &b));
    QVERIFY(!CProjectorTreeView::lessThanDisplayIndexOfPJList(&b, &c));
    QVERIFY(!CProjectorTreeView::lessThanDisplayIndexOfPJList(&c, &b));
}

QTEST_MAIN(tst_CProjectorTreeViewColumns)
#include "tst_CProjectorTreeViewColumns.moc"
