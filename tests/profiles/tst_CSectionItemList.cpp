#include <QtTest>

#include "CIniFileAccess.h"
#include "CSectionItemList.h"

#include <QTemporaryDir>

#include <memory>

namespace {

using LC = CLanguageCodeTable;

QList<int> codesOf(const CSectionItemList& list)
{
    QList<int> codes;
    for (const CSectionItem* item : list.values())
        codes << item->code;
    return codes;
}

QStringList namesOf(const CSectionItemList& list)
{
    QStringList names;
    for (const CSectionItem* item : list.values())
        names << item->name;
    return names;
}

const char* const MULTI = "MultipleSelected InputTerminal";

// Item-list sections of a profile file with the cases the loaders must survive.
QByteArray fixtureText()
{
    QByteArray text = "\xEF\xBB\xBF"
        "[M1 InputTerminal]\r\n"
        "Count=3\r\n"
        "Code1=01H\r\n"
        "Name1=COMPUTER1,\xE3\x82\xB3\xE3\x83\xB3\xE3\x83\x94\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xBF" "1\r\n"
        "Code3=1AH\r\n"
        "Name3=DIGITAL\r\n"
        "Code3Sub=0AH\r\n"
        "[CountMissing]\r\nCode1=01H\r\nName1=X\r\n"
        "[CountEmpty]\r\nCount=\r\nCode1=01H\r\n"
        "[CountAbc]\r\nCount=abc\r\nCode1=01H\r\n"
        "[CountZero]\r\nCount=0\r\nCode1=01H\r\nName1=X\r\n"
        "[CountMinus5]\r\nCount=-5\r\nCode1=01H\r\n"
        "[CountMinus1]\r\nCount=-1\r\nCode1=01H\r\n"
        "[AllSkipped]\r\nCount=2\r\nCode1=1ah\r\nCode2=1A\r\n"
        "[Codes]\r\nCount=7\r\n"
        "Code1=1ah\r\nName1=lower h\r\n"
        "Code2=1A\r\nName2=no h\r\n"
        "Code3=ZZH\r\nName3=not hex\r\n"
        "Code4=1AH\r\nName4=H alone\r\nCode4Sub=H\r\n"
        "Code5=1BH\r\nName5=sub without H\r\nCode5Sub=0A\r\n"
        "Code6=FFH\r\nName6=sub\r\nCode6Sub=20H\r\n"
        "Code7=H\r\nName7=empty code\r\n"
        "[Names]\r\nCount=5\r\n"
        "Code1=01H\r\nName1=COMPUTER1,,,\r\n"
        "Code2=02H\r\nName2=COMPUTER2\r\nName2_1=,ABC\r\n"
        "Code3=03H\r\nName3=A,B,C,D,E\r\n"
        "Code4=04H\r\nName4_1=GERMAN ONLY\r\n"
        "Code5=05H\r\nName5=E0, J1 ,C2,K3\r\nName5_1=G4,F5,I6,S7\r\nName5_2=W8,R9,P10,F11\r\n"
        "Name5_3=N12,D13,T14,P15\r\nName5_4=G16,H17,C18,A19\r\n"
        ;
    // "[MultipleSelected InputTerminal]": five entries, the third without a code.
    text += QByteArray("[") + MULTI + "]\r\n"
        "Count=5\r\n"
        "Code1=01H\r\nName1=COMPUTER1\r\n"
        "Code2=02H\r\nName2=COMPUTER2\r\nShowTerminal2=TRUE\r\nCode2Sub=0AH\r\n"
        "Name3=NO CODE\r\nShowTerminal3=TRUE\r\n"
        "Code4=1AH\r\nName4=DIGITAL\r\nShowTerminal4=True\r\n"
        "Code5=20H\r\nName5=NETWORK\r\nShowTerminal5=tRuE\r\n"
        "[MultiZero]\r\nCount=0\r\nCode1=01H\r\n"
        "[MultiMinus]\r\nCount=-3\r\nCode1=01H\r\n";
    text += "[Count40]\r\nCount=40\r\n";
    for (int n = 1; n <= 40; ++n)
        text += QStringLiteral("Code%1=%2H\r\nName%1=ITEM%1\r\n").arg(n).arg(n, 2, 16, QLatin1Char('0')).toLatin1();
    return text;
}

} // namespace

class tst_CSectionItemList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        const QString path = m_Dir.filePath(QStringLiteral("Profile.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(fixtureText()) > 0);
        file.close();
        m_Ini.reset(new CIniFileAccess(path));
        int dummy = 0;
        QVERIFY2(CSectionItemList().f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_ENGLISH,
                                                               QStringLiteral("M1 InputTerminal"), dummy),
                 "the fixture profile file reads");
    }

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

        // An item held under its entry number is not stored a second time.
        list.Add(7, 0x1A, QStringLiteral("DIGITAL"), false);
        QVERIFY(!list.Add(list.value(7)));
        QCOMPARE(list.keys(), (QList<int>{ 0x00, 0x02, 7 }));
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
    void nameColumnPerLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("column");
        const int columns[] = { 0, 1, 4, 5, 6, 7, 8, 2, 11, 12, 13, 14, 15, 9, 16, 3, 17, 10, 18, 19, 20 };
        for (int language = 0; language < LC::LANG_COUNT; ++language) {
            const LC table(static_cast<LC::LANGUAGE_CODE>(language));
            QTest::newRow(qPrintable(*table.GetCultureString())) << language << columns[language];
        }
        QTest::newRow("-1") << -1 << 0;
        QTest::newRow("21") << 21 << 0;
        QTest::newRow("argument key 1001") << 1001 << 0;
    }

    // Each language reads its own column of a fully named entry; Danish (column
    // 20, which no key fills) and any empty column fall back to column 0.
    void nameColumnPerLanguage()
    {
        QFETCH(int, language);
        QFETCH(int, column);
        const auto code = static_cast<LC::LANGUAGE_CODE>(language);
        QCOMPARE(CSectionItemList::f_LC2PLC(code), column);

        const QStringList names = CSectionItemList::f_GetInputTermNameList(m_Ini.get(), QStringLiteral("Names"),
                                                                            QStringLiteral("Name5"));
        QCOMPARE(names.size(), 21);
        QCOMPARE(names.at(1), QStringLiteral(" J1 ")); // used as it stands
        QCOMPARE(names.at(20), QString(""));

        CSectionItemList list;
        int count = -7;
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), code, QStringLiteral("Names"), count));
        QCOMPARE(count, 5);
        const QString expected = column == 20 ? QStringLiteral("E0") : names.at(column);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(list.value(5)->name, expected);
    }

    void nameListSplitting_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("columns"); // the first eight
        const QString e;
        QTest::newRow("empty parts leave columns empty") << "Name1"
            << QStringList{ "COMPUTER1", e, e, e, e, e, e, e };
        QTest::newRow("leading comma is one whole name") << "Name2"
            << QStringList{ "COMPUTER2", e, e, e, ",ABC", e, e, e };
        QTest::newRow("fifth name ignored") << "Name3"
            << QStringList{ "A", "B", "C", "D", e, e, e, e };
        QTest::newRow("only the second key") << "Name4"
            << QStringList{ e, e, e, e, "GERMAN ONLY", e, e, e };
        QTest::newRow("missing key") << "Name9"
            << QStringList{ e, e, e, e, e, e, e, e };
    }

    void nameListSplitting()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, columns);
        const QStringList names = CSectionItemList::f_GetInputTermNameList(m_Ini.get(), QStringLiteral("Names"), key);
        QCOMPARE(names.size(), 21);
        QCOMPARE(names.mid(0, 8), columns);
        QCOMPARE(names.mid(8), QStringList(QVector<QString>(13).toList()));
    }

    // Which entry's name is taken: the language's column, else column 0.
    void namesOfEntries()
    {
        CSectionItemList list;
        int count = 0;
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_JAPANESE, QStringLiteral("Names"), count));
        QCOMPARE(namesOf(list).mid(0, 4), (QStringList{ "COMPUTER1", "COMPUTER2", "B", QString() }));
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_GERMAN, QStringLiteral("Names"), count));
        QCOMPARE(namesOf(list).mid(0, 4), (QStringList{ "COMPUTER1", ",ABC", "A", "GERMAN ONLY" }));
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_JAPANESE, QStringLiteral("M1 InputTerminal"), count));
        QCOMPARE(list.value(1)->name, QString::fromUtf8("\xE3\x82\xB3\xE3\x83\xB3\xE3\x83\x94\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xBF" "1"));
    }

    void modelSectionCount_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("count"); // 99: not written
        QTest::addColumn<int>("items");
        QTest::newRow("Count missing") << "CountMissing" << false << 99 << 0;
        QTest::newRow("Count empty") << "CountEmpty" << false << 99 << 0;
        QTest::newRow("Count abc") << "CountAbc" << false << 99 << 0;
        QTest::newRow("Count -1") << "CountMinus1" << false << 99 << 0;
        QTest::newRow("section missing") << "NoSuchSection" << false << 99 << 0;
        QTest::newRow("Count 0: no choices, no built-in list") << "CountZero" << true << 99 << 0;
        QTest::newRow("Count -5") << "CountMinus5" << false << 0 << 0;
        QTest::newRow("every entry skipped") << "AllSkipped" << false << 0 << 0;
        QTest::newRow("Count 40 reads 35") << "Count40" << true << 35 << 35;
        QTest::newRow("gap at entry 2") << "M1 InputTerminal" << true << 2 << 2;
    }

    void modelSectionCount()
    {
        QFETCH(QString, section);
        QFETCH(bool, result);
        QFETCH(int, count);
        QFETCH(int, items);
        CSectionItemList list;
        list.Add(0x7F, QStringLiteral("left over from a previous load"), true);
        int written = 99;
        QCOMPARE(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_ENGLISH, section, written), result);
        QCOMPARE(written, count);
        QCOMPARE(list.count(), items);
        QVERIFY(!list.value(0x7F));
    }

    void entriesKeepTheFileOrderByEntryNumber()
    {
        CSectionItemList list;
        int count = 0;
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_ENGLISH, QStringLiteral("M1 InputTerminal"), count));
        QCOMPARE(list.keys(), (QList<int>{ 1, 3 }));
        QCOMPARE(codesOf(list), (QList<int>{ 0x01, 0x1A }));
        const CSectionItem* digital = list.value(3);
        QCOMPARE(digital->name, QStringLiteral("DIGITAL"));
        QVERIFY(digital->hasSub);
        QCOMPARE(digital->sub, 0x0A);
        for (const CSectionItem* item : list.values()) {
            QVERIFY(!item->builtIn);
            QVERIFY(item->show);
        }

        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_ENGLISH, QStringLiteral("Count40"), count));
        QCOMPARE(list.keys().first(), 1);
        QCOMPARE(list.keys().last(), 35);
        QCOMPARE(list.value(35)->code, 0x23);
        QCOMPARE(list.value(35)->name, QStringLiteral("ITEM35"));
    }

    void codesAndSubCodes_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("hasSub");
        QTest::addColumn<int>("sub");
        QTest::newRow("1ah: lower-case h skipped") << 1 << false << 0 << false << 0;
        QTest::newRow("1A: no H skipped") << 2 << false << 0 << false << 0;
        QTest::newRow("ZZH: code 0") << 3 << true << 0 << false << 0;
        QTest::newRow("sub H alone: no sub") << 4 << true << 0x1A << false << 0;
        QTest::newRow("sub 0A: last character still removed") << 5 << true << 0x1B << true << 0;
        QTest::newRow("sub 20H") << 6 << true << 0xFF << true << 0x20;
        QTest::newRow("code H alone: code 0") << 7 << true << 0 << false << 0;
    }

    void codesAndSubCodes()
    {
        QFETCH(int, entry);
        QFETCH(bool, stored);
        QFETCH(int, code);
        QFETCH(bool, hasSub);
        QFETCH(int, sub);
        CSectionItemList list;
        int count = 0;
        QVERIFY(list.f_LoadProfileSectionItems(m_Ini.get(), LC::LANG_ENGLISH, QStringLiteral("Codes"), count));
        QCOMPARE(count, 5);
        const CSectionItem* item = list.value(entry);
        QCOMPARE(item != nullptr, stored);
        if (!item)
            return;
        QCOMPARE(item->code, code);
        QCOMPARE(item->hasSub, hasSub);
        QCOMPARE(item->sub, sub);
    }

    void multipleSelectedList()
    {
        CSectionItemList list;
        int count = 99;
        QVERIFY(list.f_LoadMultipleSelectedTermList(m_Ini.get(), LC::LANG_ENGLISH, QString::fromLatin1(MULTI), count));
        QCOMPARE(count, 4);
        QCOMPARE(list.keys(), (QList<int>{ 1, 2, 4, 5 }));
        QCOMPARE(namesOf(list), (QStringList{ "COMPUTER1", "COMPUTER2", "DIGITAL", "NETWORK" }));
        QList<bool> shown;
        for (const CSectionItem* item : list.values()) {
            shown << item->show;
            QVERIFY(!item->builtIn);
            QVERIFY(!item->hasSub); // no sub-codes in this list
        }
        // ShowTerminal missing hides; TRUE in any letter case shows.
        QCOMPARE(shown, (QList<bool>{ false, true, true, true }));
    }

    void multipleSelectedCount_data()
    {
        QTest::addColumn<QString>("section");
        QTest::newRow("Count 0") << "MultiZero";
        QTest::newRow("Count -3") << "MultiMinus";
        QTest::newRow("Count missing") << "CountMissing";
        QTest::newRow("section missing") << "NoSuchSection";
    }

    void multipleSelectedCount()
    {
        QFETCH(QString, section);
        CSectionItemList list;
        list.Add(0x7F, QStringLiteral("left over"), true);
        int count = 99;
        QVERIFY(!list.f_LoadMultipleSelectedTermList(m_Ini.get(), LC::LANG_ENGLISH, section, count));
        QCOMPARE(count, 99);
        QVERIFY(list.isEmpty());
    }

    void withoutAFileNothingLoads()
    {
        CSectionItemList list;
        int count = 99;
        QVERIFY(!list.f_LoadProfileSectionItems(nullptr, LC::LANG_ENGLISH, QStringLiteral("Names"), count));
        QVERIFY(!list.f_LoadMultipleSelectedTermList(nullptr, LC::LANG_ENGLISH, QString::fromLatin1(MULTI), count));
        QCOMPARE(count, 99);
        QCOMPARE(CSectionItemList::f_GetInputTermNameList(nullptr, QStringLiteral("Names"), QStringLiteral("Name1")),
                 QStringList(QVector<QString>(21).toList()));
    }

private:
    QTemporaryDir m_Dir;
    std::unique_ptr<CIniFileAccess> m_Ini;
};

QTEST_GUILESS_MAIN(tst_CSectionItemList)
#include "tst_CSectionItemList.moc"
