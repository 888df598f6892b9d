#include <QDateTime>
#include <QStandardItemModel>
#include <QtTest>

#include "PJDataSortProxyModel.h"

namespace {

class TestProxy : public PJDataSortProxyModel
{
public:
    using PJDataSortProxyModel::lessThan;
};

const QVariant NONE;

} // namespace

class tst_PJDataSortProxyModel : public QObject
{
    Q_OBJECT

private slots:
    // Which sort ran shows only in the trace.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("lumivox.views.debug=true")); }
    void comparison_data();
    void comparison();
    void baseComparisonUntilEntryZeroIsSet_data();
    void baseComparisonUntilEntryZeroIsSet();
    void tableIsClampedAndWideColumnsUseBase();
    void placeholderLeadsAscendingAndTrailsDescending();
};

// Column 1 of a two-row model is compared with the type under test; entry 0 is set.
void tst_PJDataSortProxyModel::comparison_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("left");
    QTest::addColumn<QVariant>("right");
    QTest::addColumn<QVariant>("leftKey");
    QTest::addColumn<QVariant>("rightKey");
    QTest::addColumn<bool>("expected");

    const QVariant dash("---");
    for (int type = 0; type <= 5; ++type) {
        const QByteArray t = QByteArray::number(type);
        QTest::newRow("type " + t + ": --- vs ---") << type << dash << dash << NONE << NONE << false;
        QTest::newRow("type " + t + ": --- vs empty") << type << dash << QVariant("") << NONE << NONE << true;
        QTest::newRow("type " + t + ": empty vs ---") << type << QVariant("") << dash << NONE << NONE << false;
    }
    // A key that would say otherwise does not outrank the placeholder.
    QTest::newRow("role key: --- before a smaller key") << 4 << dash << QVariant("") << QVariant(9) << QVariant(0) << true;

    QTest::newRow("text: code units, upper case first") << 0 << QVariant("B") << QVariant("a") << NONE << NONE << true;
    QTest::newRow("text: a vs B") << 0 << QVariant("a") << QVariant("B") << NONE << NONE << false;
    QTest::newRow("text: empty first") << 0 << QVariant("") << QVariant("x") << NONE << NONE << true;
    QTest::newRow("text: equal") << 0 << QVariant("x") << QVariant("x") << NONE << NONE << false;

    QTest::newRow("integer: 9 < 10") << 1 << QVariant("9") << QVariant("10") << NONE << NONE << true;
    QTest::newRow("integer: 10 vs 9") << 1 << QVariant("10") << QVariant("9") << NONE << NONE << false;
    QTest::newRow("integer: negative") << 1 << QVariant("-5") << QVariant("3") << NONE << NONE << true;
    // No number on one side: the base comparison, as text here.
    QTest::newRow("integer: fallback 10 vs 9x") << 1 << QVariant("10") << QVariant("9x") << NONE << NONE << true;
    QTest::newRow("integer: fallback 9x vs 10") << 1 << QVariant("9x") << QVariant("10") << NONE << NONE << false;

    QTest::newRow("dotted: .9 < .10") << 2 << QVariant("192.168.0.9") << QVariant("192.168.0.10") << NONE << NONE << true;
    QTest::newRow("dotted: .10 vs .9") << 2 << QVariant("192.168.0.10") << QVariant("192.168.0.9") << NONE << NONE << false;
    QTest::newRow("dotted: first part decides") << 2 << QVariant("9.255.255.255") << QVariant("10.0.0.1") << NONE << NONE << true;
    QTest::newRow("dotted: equal") << 2 << QVariant("10.0.0.1") << QVariant("10.0.0.1") << NONE << NONE << false;
    QTest::newRow("dotted: letter part counts 0") << 2 << QVariant("1.2.3.x") << QVariant("1.2.3.1") << NONE << NONE << true;
    QTest::newRow("dotted: empty part counts 0") << 2 << QVariant("1.2..4") << QVariant("1.2.1.4") << NONE << NONE << true;
    // Not four parts on both sides: the base comparison, as text.
    QTest::newRow("dotted: three parts use base") << 2 << QVariant("10.0.1") << QVariant("9.0.0.1") << NONE << NONE << true;
    QTest::newRow("dotted: five parts use base") << 2 << QVariant("9.0.0.1.1") << QVariant("10.0.0.1") << NONE << NONE << false;

    QTest::newRow("date-time: stored values")
        << 3 << QVariant(QDateTime(QDate(2026, 1, 2), QTime(9, 0), Qt::UTC))
        << QVariant(QDateTime(QDate(2026, 1, 2), QTime(10, 0), Qt::UTC)) << NONE << NONE << true;
    // 10:00 at +09:00 is 01:00 UTC: earlier, although its text sorts later.
    QTest::newRow("date-time: ISO texts, chronological")
        << 3 << QVariant("2026-01-02T10:00:00+09:00") << QVariant("2026-01-02T05:00:00Z") << NONE << NONE << true;
    QTest::newRow("date-time: one side invalid, texts decide")
        << 3 << QVariant("2026-01-02T10:00:00") << QVariant("abc") << NONE << NONE << true;
    // Stored dates order by the calendar, whatever their texts say.
    QTest::newRow("date-time: dates across a month end")
        << 3 << QVariant(QDate(2015, 3, 31)) << QVariant(QDate(2015, 4, 1)) << NONE << NONE << true;
    QTest::newRow("date-time: dates, later vs earlier")
        << 3 << QVariant(QDate(2015, 4, 1)) << QVariant(QDate(2015, 3, 31)) << NONE << NONE << false;
    QTest::newRow("date-time: equal dates") << 3 << QVariant(QDate(2015, 4, 1)) << QVariant(QDate(2015, 4, 1))
                                            << NONE << NONE << false;
    QTest::newRow("date-time: a date is its start of day")
        << 3 << QVariant(QDate(2015, 4, 1)) << QVariant(QDateTime(QDate(2015, 4, 1), QTime(0, 0, 1)))
        << NONE << NONE << true;
    QTest::newRow("date-time: an invalid date, texts decide")
        << 3 << QVariant(QDate(2015, 4, 1)) << QVariant(QDate()) << NONE << NONE << false;
    QTest::newRow("date-time: list format falls back to text")
        << 3 << QVariant("2026/01/02 09:00:00") << QVariant("2026/01/02 10:00:00") << NONE << NONE << true;

    QTest::newRow("role 1032: 0 < 1") << 4 << QVariant("z") << QVariant("a") << QVariant(0) << QVariant(1) << true;
    QTest::newRow("role 1032: 1 vs 0") << 4 << QVariant("a") << QVariant("z") << QVariant(1) << QVariant(0) << false;
    QTest::newRow("role 1032: missing ties with 0") << 4 << QVariant("a") << QVariant("b") << NONE << QVariant(0) << false;
    QTest::newRow("role 1032: 0 ties with missing") << 4 << QVariant("a") << QVariant("b") << QVariant(0) << NONE << false;
    QTest::newRow("role 1032: missing < 1") << 4 << QVariant("") << QVariant("") << NONE << QVariant(1) << true;
    QTest::newRow("role 1032: non-numeric counts 0") << 4 << QVariant("") << QVariant("") << QVariant("x") << QVariant(1) << true;
    QTest::newRow("role 1033: 1 < 2") << 5 << QVariant("") << QVariant("") << QVariant(1) << QVariant(2) << true;
    QTest::newRow("role 1033: 2 vs 1") << 5 << QVariant("") << QVariant("") << QVariant(2) << QVariant(1) << false;

    // A type no list gives: the base comparison.
    QTest::newRow("type 7: base") << 7 << QVariant("10") << QVariant("9") << NONE << NONE << true;
}

void tst_PJDataSortProxyModel::comparison()
{
    QFETCH(int, type);
    QFETCH(QVariant, left);
    QFETCH(QVariant, right);
    QFETCH(QVariant, leftKey);
    QFETCH(QVariant, rightKey);
    QFETCH(bool, expected);

    QStandardItemModel model(2, 2);
    const int keyRole = type == 5 ? PJDataSortProxyModel::ROLE_SORT_KEY_1033 : PJDataSortProxyModel::ROLE_SORT_KEY_1032;
    model.setData(model.index(0, 1), left, Qt::DisplayRole);
    model.setData(model.index(1, 1), right, Qt::DisplayRole);
    if (leftKey.isValid())
        model.setData(model.index(0, 1), leftKey, keyRole);
    if (rightKey.isValid())
        model.setData(model.index(1, 1), rightKey, keyRole);

    TestProxy proxy;
    proxy.setSourceModel(&model);
    int table[64];
    std::fill(std::begin(table), std::end(table), -1);
    table[0] = 0;
    table[1] = type;
    proxy.SetSortType(table, 256);

    QCOMPARE(proxy.lessThan(model.index(0, 1), model.index(1, 1)), expected);
}

// Until entry 0 is set every column compares with the base comparison ("10"
// before "9", as text), even a column whose own entry is set.
void tst_PJDataSortProxyModel::baseComparisonUntilEntryZeroIsSet_data()
{
    QTest::addColumn<bool>("setTable");
    QTest::newRow("table never set") << false;
    QTest::newRow("entry 0 unset, column 1 integer") << true;
}

void tst_PJDataSortProxyModel::baseComparisonUntilEntryZeroIsSet()
{
    QFETCH(bool, setTable);
    QStandardItemModel model(2, 2);
    model.setData(model.index(0, 1), "10");
    model.setData(model.index(1, 1), "9");
    TestProxy proxy;
    proxy.setSourceModel(&model);
    if (setTable) {
        int table[64];
        std::fill(std::begin(table), std::end(table), -1);
        table[1] = PJDataSortProxyModel::SORT_INTEGER;
        proxy.SetSortType(table, 256);
    }
    QTest::ignoreMessage(QtDebugMsg, "Sort use Qt sort !!!");
    QVERIFY(proxy.lessThan(model.index(0, 1), model.index(1, 1)));
    QTest::ignoreMessage(QtDebugMsg, "Sort use Qt sort !!!");
    QVERIFY(!proxy.lessThan(model.index(1, 1), model.index(0, 1)));
}

// A table longer than the proxy's own 64 entries is cut, not copied past its
// end; columns from 64 on compare with the base comparison.
void tst_PJDataSortProxyModel::tableIsClampedAndWideColumnsUseBase()
{
    QStandardItemModel model(2, 70);
    for (int column : { 63, 64 }) {
        model.setData(model.index(0, column), "10");
        model.setData(model.index(1, column), "9");
    }
    TestProxy proxy;
    proxy.setSourceModel(&model);
    int table[100];
    std::fill(std::begin(table), std::end(table), int(PJDataSortProxyModel::SORT_INTEGER));
    proxy.SetSortType(table, int(sizeof(table)));
    QVERIFY(!proxy.lessThan(model.index(0, 63), model.index(1, 63))); // 10 < 9 as numbers: no
    QVERIFY(proxy.lessThan(model.index(0, 64), model.index(1, 64)));  // as text: yes
}

void tst_PJDataSortProxyModel::placeholderLeadsAscendingAndTrailsDescending()
{
    QStandardItemModel model;
    for (const char* text : { "20", "---", "3", "100" })
        model.appendRow(new QStandardItem(QString::fromLatin1(text)));
    PJDataSortProxyModel proxy;
    proxy.setSourceModel(&model);
    int table[64];
    std::fill(std::begin(table), std::end(table), -1);
    table[0] = PJDataSortProxyModel::SORT_INTEGER;
    proxy.SetSortType(table, 256);

    auto shown = [&] {
        QStringList texts;
        for (int row = 0; row < proxy.rowCount(); ++row)
            texts << proxy.index(row, 0).data().toString();
        return texts;
    };
    proxy.sort(0, Qt::AscendingOrder);
    QCOMPARE(shown(), QStringList({ "---", "3", "20", "100" }));
    proxy.sort(0, Qt::DescendingOrder);
    QCOMPARE(shown(), QStringList({ "100", "20", "3", "---" }));
}

QTEST_MAIN(tst_PJDataSortProxyModel)
#include "tst_PJDataSortProxyModel.moc"
