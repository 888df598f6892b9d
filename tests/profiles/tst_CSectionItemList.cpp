#include <QtTest>

#include "CSectionItemList.h"

#include <memory>

namespace {

QList<int> codesOf(const CSectionItemList& list)
{
    QList<int> codes;
    for (const CSectionItem* item : list.values())
        codes << item->code;
    return codes;
}

} // namespace

class tst_CSectionItemList : public QObject
{
    Q_OBJECT
private slots:
    void overloadsSetTheirFields_data()
    {
        QTest::addColumn<int>("overload");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("builtIn");
        QTest::addColumn<bool>("hasSub");
        QTest::addColumn<int>("sub");
        QTest::addColumn<bool>("show");
        // Each adds code 0x1A named "DIGITAL".
        QTest::newRow("item, keyed by its code") << 0 << 0x1A << true << true << 7 << false;
        QTest::newRow("key, code, name, builtIn, show") << 1 << 3 << false << false << 0 << false;
        QTest::newRow("key, code, name, sub, builtIn") << 2 << 4 << false << true << 0x0A << true;
        QTest::newRow("key, code, name, builtIn") << 3 << 5 << true << false << 0 << true;
        QTest::newRow("code, name, builtIn") << 4 << 0x1A << true << false << 0 << true;
    }

    void overloadsSetTheirFields()
    {
        QFETCH(int, overload);
        QFETCH(int, key);
        QFETCH(bool, builtIn);
        QFETCH(bool, hasSub);
        QFETCH(int, sub);
        QFETCH(bool, show);
        CSectionItemList list;
        const QString name = QStringLiteral("DIGITAL");
        switch (overload) {
        case 0: {
            auto* item = new CSectionItem;
            item->code = 0x1A;
            item->name = name;
            item->builtIn = builtIn;
            item->hasSub = hasSub;
            item->sub = sub;
            item->show = show;
            QVERIFY(list.Add(item));
            QCOMPARE(list.value(key), item);
            break;
        }
        case 1:
            list.Add(key, 0x1A, name, builtIn, show);
            break;
        case 2:
            list.Add(key, 0x1A, name, sub, builtIn);
            break;
        case 3:
            list.Add(key, 0x1A, name, builtIn);
            break;
        case 4:
            list.Add(0x1A, name, builtIn);
            break;
        }
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.keys(), QList<int>{ key });
        const CSectionItem* item = list.value(key);
        QVERIFY(item);
        QCOMPARE(item->code, 0x1A);
        QCOMPARE(item->name, name);
        QCOMPARE(item->builtIn, builtIn);
        QCOMPARE(item->hasSub, hasSub);
        QCOMPARE(item->sub, sub);
        QCOMPARE(item->show, show);
    }

    void readersSeeAscendingKeys()
    {
        CSectionItemList byCode;
        for (int code : { 0x01, 0x02, 0x1A, 0x06, 0x0B, 0x12, 0x1F, 0x20 })
            byCode.Add(code, QString::number(code), true);
        QCOMPARE(codesOf(byCode), (QList<int>{ 0x01, 0x02, 0x06, 0x0B, 0x12, 0x1A, 0x1F, 0x20 }));

        // Entry-number keys keep the file's order whatever the codes are.
        CSectionItemList byEntry;
        byEntry.Add(3, 0x01, QStringLiteral("third"), false);
        byEntry.Add(1, 0x20, QStringLiteral("first"), false);
        QCOMPARE(codesOf(byEntry), (QList<int>{ 0x20, 0x01 }));
    }

    void sameKeyReplacesTheItem()
    {
        CSectionItemList list;
        list.Add(0x02, QStringLiteral("16:9"), true);
        list.Add(0x00, QStringLiteral("4:3"), true);
        list.Add(0x02, QStringLiteral("WIDE SCREEN"), true);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.value(0x02)->name, QStringLiteral("WIDE SCREEN"));

        // Storing the item already under its key again keeps it alive.
        CSectionItem* item = list.value(0x02);
        QVERIFY(list.Add(item));
        QCOMPARE(list.value(0x02), item);
        QCOMPARE(item->name, QStringLiteral("WIDE SCREEN"));
    }

    void fullListTakesNothing()
    {
        CSectionItemList list;
        for (int code = 0; code < CSectionItemList::TERM_MAX; ++code)
            list.Add(code, QStringLiteral("item %1").arg(code), false);
        QCOMPARE(list.count(), 35);

        list.Add(100, QStringLiteral("36th"), false);
        list.Add(36, 100, QStringLiteral("36th"), false);
        list.Add(36, 100, QStringLiteral("36th"), 1, false);
        list.Add(36, 100, QStringLiteral("36th"), false, true);
        // Not even a replacement under an existing key.
        list.Add(5, QStringLiteral("replaced"), true);
        std::unique_ptr<CSectionItem> extra(new CSectionItem);
        extra->code = 101;
        QVERIFY(!list.Add(extra.get())); // still ours: freed by the unique_ptr

        QCOMPARE(list.count(), 35);
        QCOMPARE(list.keys().last(), 34);
        QCOMPARE(list.value(5)->name, QStringLiteral("item 5"));
        QVERIFY(!list.Add(nullptr));
    }

    void clearEmptiesForANewLoad()
    {
        CSectionItemList list;
        for (int code = 0; code < 40; ++code)
            list.Add(code, QString(), false);
        list.Clear();
        QVERIFY(list.isEmpty());
        QVERIFY(list.values().isEmpty());
        list.Add(1, 0x1A, QStringLiteral("DIGITAL"), false);
        QCOMPARE(list.count(), 1);
        list.qDebugSnapShot();
        QCOMPARE(list.count(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_CSectionItemList)
#include "tst_CSectionItemList.moc"
