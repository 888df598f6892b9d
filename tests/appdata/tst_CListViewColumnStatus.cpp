#include <QtTest>

#include "CKeyEchoTranslator.h"
#include "CLanguageCodeTable.h"
#include "CListViewColumnStatus.h"

namespace {

// Owns a column map for the length of a test.
struct ColumnMapHolder {
    CListViewColumnStatus::ColumnMap map;
    ~ColumnMapHolder() { CListViewColumnStatus::DeleteColumns(&map); }
};

} // namespace

class tst_CListViewColumnStatus : public QObject
{
    Q_OBJECT
private slots:
    void constructors()
    {
        const CListViewColumnStatus full(7, QStringLiteral("Model"), 120, 3, false);
        QCOMPARE(full.m_ID, 7);
        QCOMPARE(full.m_Title, QStringLiteral("Model"));
        QCOMPARE(full.m_Width, 120);
        QCOMPARE(full.m_DisplayIndex, 3);
        QCOMPARE(full.m_Visible, false);
        QVERIFY(!full.parent());

        const CListViewColumnStatus shortForm(9, QStringLiteral("Mute"), 75);
        QCOMPARE(shortForm.m_DisplayIndex, 9);
        QCOMPARE(shortForm.m_Visible, true);

        QObject owner;
        CListViewColumnStatus* child = new CListViewColumnStatus(&owner);
        QCOMPARE(child->parent(), &owner);
        QCOMPARE(child->m_ID, 0);
        QVERIFY(child->m_Title.isEmpty());
        QCOMPARE(child->m_Width, 0);
        QCOMPARE(child->m_DisplayIndex, 0);
        QCOMPARE(child->m_Visible, false);
    }

    void copyIsIndependentAndParentless()
    {
        QObject owner;
        CListViewColumnStatus* original = new CListViewColumnStatus(&owner);
        original->m_ID = 4;
        original->m_Title = QStringLiteral("Device");
        original->m_Width = 60;
        original->m_DisplayIndex = 11;
        original->m_Visible = true;

        CListViewColumnStatus copy(original);
        QVERIFY(!copy.parent());
        QCOMPARE(copy.m_ID, 4);
        QCOMPARE(copy.m_Title, QStringLiteral("Device"));
        QCOMPARE(copy.m_Width, 60);
        QCOMPARE(copy.m_DisplayIndex, 11);
        QCOMPARE(copy.m_Visible, true);

        copy.m_Width = 999;
        copy.m_Visible = false;
        QCOMPARE(original->m_Width, 60);
        QCOMPARE(original->m_Visible, true);
    }

    void builtInTable_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("visible");
        const struct { const char* key; int width; bool visible; } rows[] = {
            { "MainPjListColumnPjError", 28, true },        { "MainPjListColumnConnectError", 28, true },
            { "MainPjListColumnPjName", 131, false },       { "MainPjListColumnSettingName", 120, true },
            { "MainPjListColumnDevice", 60, false },        { "MainPjListColumnSetting", 130, true },
            { "MainPjListColumnPort", 60, false },          { "MainPjListColumnModelName", 120, false },
            { "MainPjListColumnStatus", 100, true },        { "MainPjListColumnPictureMute", 75, false },
            { "MainPjListColumnSoundMute", 75, false },     { "MainPjListColumnOSDMute", 75, false },
            { "MainPjListColumnLampMode", 100, true },      { "MainPjListColumnLampTime", 48, true },
            { "MainPjListColumnLamp2Time", 48, false },     { "MainPjListColumnFilterUsage", 48, true },
            { "MainPjListColumnInputTerminal", 190, true }, { "MainPjListColumnMACAddress", 150, true },
            { "MainPjListColumnMACAddress2", 150, false },  { "MainPjListColumnMACAddress3", 150, false },
            { "MainPjListColumnLensCoverState", 76, false }, { "MainPjListColumnSerialNumber", 120, true },
            { "MainPjListColumnComment", 76, false },       { "MainPjListColumnLastUpdate", 170, false },
            { "MainPjListColumnRemark", 200, false },
        };
        for (int id = 0; id < 25; ++id)
            QTest::addRow("%d %s", id, rows[id].key) << id << rows[id].key << rows[id].width << rows[id].visible;
    }

    void builtInTable()
    {
        QFETCH(int, id);
        QFETCH(QString, key);
        QFETCH(int, width);
        QFETCH(bool, visible);
        ColumnMapHolder columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns.map);
        QCOMPARE(columns.map.size(), 25);
        CListViewColumnStatus* column = columns.map.value(id);
        QVERIFY(column);
        QCOMPARE(column->m_ID, id);
        QCOMPARE(column->m_DisplayIndex, id);
        QCOMPARE(column->m_Width, width);
        QCOMPARE(column->m_Visible, visible);
        QCOMPARE(column->m_Title, key);     // no catalogue installed: the key itself
        QVERIFY(!column->parent());
    }

    void elevenColumnsVisibleByDefault()
    {
        ColumnMapHolder columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns.map);
        QList<int> visible;
        for (CListViewColumnStatus* column : qAsConst(columns.map)) {
            if (column->m_Visible)
                visible.append(column->m_ID);
        }
        QCOMPARE(visible, (QList<int>{ 0, 1, 3, 5, 8, 12, 13, 15, 16, 17, 21 }));
        QCOMPARE(CListViewColumnStatus::DEFAULT_SORT_ID, 3);
    }

    void englishTitlesFromTheEmbeddedCatalogue()
    {
        CLanguageCodeTable language(CLanguageCodeTable::LANG_ENGLISH);
        language.SetCulture(nullptr);
        QVERIFY(language.m_pTranslator);
        QCoreApplication::installTranslator(language.m_pTranslator);
        ColumnMapHolder columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns.map);
        QCoreApplication::removeTranslator(language.m_pTranslator);
        QStringList titles;
        for (CListViewColumnStatus* column : qAsConst(columns.map))
            titles.append(column->m_Title);
        QCOMPARE(titles, (QStringList{ "Projector Error", "Communication Error", "Projector Name", "Setting Name",
                                       "Device", "Setting", "Port", "Model Name", "Status", "Picture Blank",
                                       "Sound Mute", "On-screen Display", "Eco Mode", "Lamp Used Hours",
                                       "Lamp2 Used Hours", "Filter Used Hours", "Input Terminal", "MAC Address",
                                       "MAC Address2", "MAC Address3", "Lens Cover/Shutter", "Serial No.",
                                       "User Comment", "Last Update", "Remark" }));
    }

    void titlesComeFromTheInstalledCatalogue()
    {
        CKeyEchoTranslator japanese(QStringLiteral("ja"));
        QCoreApplication::installTranslator(&japanese);
        ColumnMapHolder columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns.map);
        QCoreApplication::removeTranslator(&japanese);
        QCOMPARE(columns.map.value(0)->m_Title, QStringLiteral("ja:CLumivox5Data:MainPjListColumnPjError"));
        QCOMPARE(columns.map.value(24)->m_Title, QStringLiteral("ja:CLumivox5Data:MainPjListColumnRemark"));
    }

    void addWithoutIdTakesTheMapSize()
    {
        ColumnMapHolder columns;
        CListViewColumnStatus::f_AddPjListColumns(&columns.map, QStringLiteral("a"), 10, 0, true);
        CListViewColumnStatus::f_AddPjListColumns(&columns.map, QStringLiteral("b"), 20, 1, false);
        QCOMPARE(columns.map.keys(), (QList<int>{ 0, 1 }));
        QCOMPARE(columns.map.value(1)->m_Title, QStringLiteral("b"));

        CListViewColumnStatus::f_MakePjListColumns(&columns.map);
        QCOMPARE(columns.map.size(), 25);
        QCOMPARE(columns.map.value(1)->m_Width, 28);
        CListViewColumnStatus::f_AddPjListColumns(&columns.map, QStringLiteral("extra"), 5, 25, true);
        QCOMPARE(columns.map.size(), 26);
        QCOMPARE(columns.map.value(25)->m_ID, 25);
        QCOMPARE(columns.map.value(25)->m_Title, QStringLiteral("extra"));
    }

    void addUnderATakenIdReplacesAndFreesTheOldRecord()
    {
        ColumnMapHolder columns;
        CListViewColumnStatus::f_AddPjListColumns(&columns.map, 5, QStringLiteral("old"), 10, 5, true);
        QPointer<CListViewColumnStatus> old = columns.map.value(5);
        CListViewColumnStatus::f_AddPjListColumns(&columns.map, 5, QStringLiteral("new"), 20, 2, false);
        QCOMPARE(columns.map.size(), 1);
        QCOMPARE(columns.map.value(5)->m_Title, QStringLiteral("new"));
        QVERIFY(old.isNull());
    }

    void copyColumnsMakesIndependentCopies()
    {
        ColumnMapHolder source;
        ColumnMapHolder target;
        CListViewColumnStatus::f_MakePjListColumns(&source.map);
        CListViewColumnStatus::f_AddPjListColumns(&target.map, QStringLiteral("stale"), 1, 0, true);
        QPointer<CListViewColumnStatus> stale = target.map.value(0);

        CListViewColumnStatus::CopyColumns(source.map, &target.map);
        QVERIFY(stale.isNull());
        QCOMPARE(target.map.size(), 25);
        for (int id = 0; id < 25; ++id) {
            QVERIFY(target.map.value(id) != source.map.value(id));
            QCOMPARE(target.map.value(id)->m_Width, source.map.value(id)->m_Width);
        }
        target.map.value(3)->m_Width = 1;
        QCOMPARE(source.map.value(3)->m_Width, 120);
    }
};

QTEST_GUILESS_MAIN(tst_CListViewColumnStatus)
#include "tst_CListViewColumnStatus.moc"
