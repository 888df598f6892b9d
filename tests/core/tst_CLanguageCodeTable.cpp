#include <QtTest>

#include "CLanguageCodeTable.h"
#include "QTranslatorEx.h"

using LC = CLanguageCodeTable;

class tst_CLanguageCodeTable : public QObject
{
    Q_OBJECT
private slots:
    // What was loaded from where shows in the trace.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("lumivox.core.debug=true")); }
    void rows_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("culture");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<int>("offset");
        const struct { const char* culture; int codePage; const char* encoding; int offset; } rows[] = {
            { "en-US", 20127, "us-ascii", 4000 }, { "ja-JP", 932, "shift_jis", 0 },
            { "de-DE", 28591, "iso-8859-1", 4000 }, { "fr-FR", 28591, "iso-8859-1", 4000 },
            { "it-IT", 28591, "iso-8859-1", 4000 }, { "es-ES", 28591, "iso-8859-1", 4000 },
            { "sv-SE", 28591, "iso-8859-1", 4000 }, { "zh-CN", 20936, "x-cp20936", 4000 },
            { "fi-FI", 28591, "iso-8859-1", 4000 }, { "nb-NO", 28591, "iso-8859-1", 4000 },
            { "nl-NL", 28591, "iso-8859-1", 4000 }, { "tr-TR", 28599, "iso-8859-9", 4000 },
            { "pl-PL", 28592, "iso-8859-2", 4000 }, { "ru-RU", 28595, "iso-8859-5", 4000 },
            { "el-GR", 28597, "iso-8859-7", 4000 }, { "ko-KR", 949, "ks_c_5601-1987", 4000 },
            { "hu-HU", 28592, "iso-8859-2", 4000 }, { "pt-PT", 28591, "iso-8859-1", 4000 },
            { "cs-CZ", 28592, "iso-8859-2", 4000 }, { "ar-SA", 28596, "iso-8859-6", 4000 },
            { "da-DK", 28591, "iso-8859-1", 4000 },
        };
        QCOMPARE(int(sizeof rows / sizeof rows[0]), int(LC::LANG_COUNT));
        for (int i = 0; i < LC::LANG_COUNT; ++i) {
            QTest::newRow(rows[i].culture) << i << rows[i].culture << rows[i].codePage
                                           << rows[i].encoding << rows[i].offset;
        }
    }

    // Every lookup by index gives the row, whatever the current language, and
    // the no-argument forms give the current language's row.
    void rows()
    {
        QFETCH(int, language);
        QFETCH(QString, culture);
        QFETCH(int, codePage);
        QFETCH(QString, encoding);
        QFETCH(int, offset);
        for (LC::LANGUAGE_CODE current : { LC::LANG_ENGLISH, LC::LANG_JAPANESE, LC::LANG_DANISH }) {
            const LC table(current);
            QCOMPARE(*table.GetCultureString(language), culture);
            QCOMPARE(table.GetEncodingInt(language), codePage);
            QCOMPARE(*table.GetEncodingString(language), encoding);
            QCOMPARE(table.GetPJCodePage(language), language);
            QCOMPARE(table.GetStringTableOffset(language), offset);
        }
        const LC table(static_cast<LC::LANGUAGE_CODE>(language));
        QCOMPARE(table.m_LanguageCode, language);
        QCOMPARE(*table.GetCultureString(), culture);
        QCOMPARE(table.GetEncodingInt(), codePage);
        QCOMPARE(*table.GetEncodingString(), encoding);
        QCOMPARE(table.GetPJCodePage(), language);
        QCOMPARE(table.GetStringTableOffset(), offset);
    }

    void unknownIndexGivesTheCurrentLanguage_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("25") << 25;
        QTest::newRow("-1") << -1;
        QTest::newRow("21") << 21;
        QTest::newRow("argument key 1000") << 1000;
    }

    void unknownIndexGivesTheCurrentLanguage()
    {
        QFETCH(int, index);
        LC table(LC::LANG_CHINESE);
        QCOMPARE(*table.GetCultureString(index), QStringLiteral("zh-CN"));
        QCOMPARE(*table.GetEncodingString(index), QStringLiteral("x-cp20936"));
        QCOMPARE(table.GetEncodingInt(index), 20936);
        QCOMPARE(table.GetPJCodePage(index), 7);
        table.m_LanguageCode = LC::LANG_JAPANESE;
        QCOMPARE(table.GetStringTableOffset(index), 0);
        QCOMPARE(*table.GetCultureString(index), QStringLiteral("ja-JP"));
    }

    void stringResultsStayValidAndShared()
    {
        LC table(LC::LANG_FRENCH);
        const QString* first = table.GetCultureString();
        table.m_LanguageCode = LC::LANG_ENGLISH;
        QCOMPARE(table.GetCultureString(3), first);
        QCOMPARE(*first, QStringLiteral("fr-FR"));
    }

    void defaultConstructorStartsJapanese()
    {
        const LC table;
        QCOMPARE(table.m_LanguageCode, LC::LANG_JAPANESE);
        QVERIFY(!table.m_TranslatorReady);
        QVERIFY(!table.m_pTranslator);
        QCOMPARE(table.GetEnglishCatalogueName(), QStringLiteral("Lumivox5.en-US"));
    }

    void argument_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("language");
        // The start language 18 (Czech) is never chosen by an argument.
        QTest::newRow("ENG") << "ENG" << 0 << 0;
        QTest::newRow("EN") << "EN" << 0 << 0;
        QTest::newRow("JPN") << "JPN" << 0 << 1;
        QTest::newRow("JP") << "JP" << 0 << 1;
        QTest::newRow("FRE") << "FRE" << 0 << 3;
        QTest::newRow("CHI") << "CHI" << 0 << 7;
        QTest::newRow("lower case") << "eng" << -1 << 18;
        QTest::newRow("mixed case") << "Jp" << -1 << 18;
        QTest::newRow("leading blank") << " ENG" << -1 << 18;
        QTest::newRow("trailing blank") << "ENG " << -1 << 18;
        QTest::newRow("unknown code") << "DEU" << -1 << 18;
        QTest::newRow("prefix of a code") << "E" << -1 << 18;
        QTest::newRow("empty") << "" << -1 << 18;
        QTest::newRow("null") << QString() << -1 << 18;
    }

    void argument()
    {
        QFETCH(QString, arg);
        QFETCH(int, result);
        QFETCH(int, language);
        LC table(LC::LANG_CZECH);
        QCOMPARE(table.SetLanguageCodeByArg(arg), result);
        QCOMPARE(int(table.m_LanguageCode), language);
    }

    void locale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("language");
        QTest::newRow("France") << QLocale(QLocale::French, QLocale::France) << 3;
        QTest::newRow("Japan") << QLocale(QLocale::Japanese, QLocale::Japan) << 1;
        QTest::newRow("China") << QLocale(QLocale::Chinese, QLocale::China) << 7;
        // The country decides, not the language.
        QTest::newRow("Chinese in Singapore") << QLocale(QLocale::Chinese, QLocale::Singapore) << 0;
        QTest::newRow("French in Canada") << QLocale(QLocale::French, QLocale::Canada) << 0;
        QTest::newRow("Chinese in Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << 0;
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << 0;
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << 0;
        QTest::newRow("C locale") << QLocale::c() << 0;
    }

    void locale()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, language);
        QCOMPARE(int(LC::LanguageCodeForLocale(locale)), language);
        LC table;
        table.SetLanguageCodeByLocale(locale);
        QCOMPARE(int(table.m_LanguageCode), language);
    }

    void selectLanguage_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("language");
        // Chosen on a French system.
        QTest::newRow("jp in lower case") << "jp" << 0 << 1;
        QTest::newRow("Eng in mixed case") << "Eng" << 0 << 0;
        QTest::newRow("CHI") << "CHI" << 0 << 7;
        QTest::newRow("empty: the country decides") << "" << -1 << 3;
        QTest::newRow("unknown: the country decides") << "deu" << -1 << 3;
        QTest::newRow("blank: the country decides") << " jp" << -1 << 3;
    }

    void selectLanguage()
    {
        QFETCH(QString, arg);
        QFETCH(int, result);
        QFETCH(int, language);
        LC table;
        QCOMPARE(table.SelectLanguage(arg, QLocale(QLocale::French, QLocale::France)), result);
        QCOMPARE(int(table.m_LanguageCode), language);
    }

    // A language outside the table never makes a lookup fail.
    void languageOutsideTheTable()
    {
        const LC constructed(static_cast<LC::LANGUAGE_CODE>(1000));
        QCOMPARE(int(constructed.m_LanguageCode), 1);

        LC table;
        table.m_LanguageCode = static_cast<LC::LANGUAGE_CODE>(1000);
        QVERIFY(table.GetCultureString());
        QCOMPARE(*table.GetCultureString(), QStringLiteral("en-US"));
        QCOMPARE(*table.GetEncodingString(-1), QStringLiteral("us-ascii"));
        QCOMPARE(table.GetEncodingInt(), 20127);
        QCOMPARE(*table.GetCultureString(7), QStringLiteral("zh-CN"));
    }

    // English comes from the embedded catalogue whatever the executable is called.
    void englishLoadsTheEmbeddedCatalogue()
    {
        QVERIFY(QCoreApplication::applicationName() != QStringLiteral("Lumivox5"));
        LC table(LC::LANG_ENGLISH);
        QObject parent;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^={73}$"));
        QTest::ignoreMessage(QtDebugMsg,
                             "translateFile load complete \n  dir[:/translations] \n  filename[Lumivox5.en-US]");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^={73}$"));
        table.SetCulture(&parent);
        QVERIFY(table.m_TranslatorReady);
        QVERIFY(table.m_pTranslator);
        QCOMPARE(table.m_pTranslator->parent(), &parent);
        QVERIFY(!table.m_pTranslator->isEmpty());
        QCOMPARE(table.m_pTranslator->translate("DeviceSettingWindow", "Menu_AllClear"), QStringLiteral("All Clear"));
        QVERIFY(QFile::exists(QStringLiteral(":/translations/Lumivox5.en-US.qm")));
    }

    // Other languages look for <program folder>/<culture>/<base name>.<culture>.qm.
    void otherLanguageLoadsItsCatalogueBesideTheProgram()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/zh-CN");
        const QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
        QVERIFY2(QFile::exists(folder + QStringLiteral("/%1.zh-CN.qm").arg(baseName)),
                 "the build places the fixture catalogue beside the test program");
        LC table(LC::LANG_CHINESE);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^={73}$"));
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QStringLiteral("translateFile load complete \n  dir[%1] \n  filename[%2.zh-CN]")
                                            .arg(folder, baseName)));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^={73}$"));
        table.SetCulture(nullptr);
        QVERIFY(table.m_TranslatorReady);
        QCOMPARE(table.m_pTranslator->translate("DeviceSettingWindow", "Menu_AllClear"),
                 QString::fromUtf8("全部清除"));
        QCOMPARE(int(table.m_LanguageCode), 7);
    }

    // Without its own catalogue a language shows the English texts, not the
    // keys, and stays the chosen language.
    void missingCatalogueFallsBackToEnglish_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("French") << 3;
        QTest::newRow("Japanese") << 1;
        QTest::newRow("German") << 2;
    }

    void missingCatalogueFallsBackToEnglish()
    {
        QFETCH(int, language);
        LC table(static_cast<LC::LANGUAGE_CODE>(language));
        table.SetCulture(nullptr);
        QVERIFY(table.m_TranslatorReady);
        QCOMPARE(table.m_pTranslator->translate("DeviceSettingWindow", "Menu_AllClear"), QStringLiteral("All Clear"));
        QCOMPARE(int(table.m_LanguageCode), language);
    }

    void readyEvenWhenNoCatalogueExists()
    {
        LC table(LC::LANG_FRENCH);
        table.SetEnglishCatalogueName(QStringLiteral("NoSuchCatalogue.en-US"));
        table.SetCulture(nullptr);
        QVERIFY(table.m_TranslatorReady);
        QVERIFY(table.m_pTranslator);
        QVERIFY(table.m_pTranslator->isEmpty());

        LC english(LC::LANG_ENGLISH);
        english.SetEnglishCatalogueName(QStringLiteral("NoSuchCatalogue.en-US"));
        english.SetCulture(nullptr);
        QVERIFY(english.m_TranslatorReady);
        QVERIFY(english.m_pTranslator->isEmpty());
    }

    // The table owns its translator: destroying the table removes it from the
    // application's translators (the sanitizer build checks nothing leaks).
    void installedTranslatorLeavesWithTheTable()
    {
        {
            LC table(LC::LANG_ENGLISH);
            table.SetCulture(nullptr);
            QVERIFY(QCoreApplication::installTranslator(table.m_pTranslator));
            QCOMPARE(QCoreApplication::translate("DeviceSettingWindow", "Menu_AllClear"), QStringLiteral("All Clear"));
        }
        QCOMPARE(QCoreApplication::translate("DeviceSettingWindow", "Menu_AllClear"), QStringLiteral("Menu_AllClear"));
    }

    void secondSetCultureReplacesTheTranslator()
    {
        LC table(LC::LANG_ENGLISH);
        table.SetCulture(nullptr);
        QPointer<QTranslatorEx> first = table.m_pTranslator;
        table.SetCulture(nullptr);
        QVERIFY(first.isNull());
        QVERIFY(table.m_pTranslator);
    }
};

QTEST_GUILESS_MAIN(tst_CLanguageCodeTable)
#include "tst_CLanguageCodeTable.moc"
