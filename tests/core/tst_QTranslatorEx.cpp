#include <QtTest>

#include "QTranslatorEx.h"

// Catalogue texts lose their accelerator marker on every road the framework
// takes to a translation.
class tst_QTranslatorEx : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(m_Translator.load(QStringLiteral(LUMIVOX_TEST_CATALOGUE)), LUMIVOX_TEST_CATALOGUE);
        QVERIFY(QCoreApplication::installTranslator(&m_Translator));
    }

    void cleanupTestCase()
    {
        QCoreApplication::removeTranslator(&m_Translator);
    }

    void stripsTheFirstMarker_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no marker, ampersands stay") << "NoMarker" << "&Refresh (F5) & more";
        QTest::newRow("trailing marker") << "AllClear" << "All Clear";
        QTest::newRow("same marker twice") << "SameTwice" << "Open or reopen";
        QTest::newRow("other letter stays") << "OtherLetterStays" << "File Open(&O)";
        QTest::newRow("letter case matters") << "CaseMatters" << "File file(&f)";
        QTest::newRow("marker mid-text closes up") << "Middle" << "Save as...";
        QTest::newRow("unclosed marker") << "Unclosed" << "Exit";
        QTest::newRow("bare opener at the end") << "BareOpener" << "Tail";
    }

    void stripsTheFirstMarker()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const QByteArray k = key.toLatin1();
        // Through the application, as every widget text is looked up...
        QCOMPARE(QCoreApplication::translate("Strip", k.constData()), expected);
        // ...and through the translator itself.
        QCOMPARE(m_Translator.translate("Strip", k.constData()), expected);
    }

    void disambiguationAndPluralsAreStrippedToo()
    {
        QCOMPARE(QCoreApplication::translate("Strip", "Disambiguated", "menu"), QStringLiteral("Menu entry"));
        QCOMPARE(QCoreApplication::translate("Strip", "%n projector(s)", nullptr, 1), QStringLiteral("1 projector"));
        QCOMPARE(QCoreApplication::translate("Strip", "%n projector(s)", nullptr, 3), QStringLiteral("3 projectors"));
    }

    void missingEntryShowsTheSourceTextUnstripped()
    {
        QVERIFY(m_Translator.translate("Strip", "Missing(&M)").isNull());
        QCOMPARE(QCoreApplication::translate("Strip", "Missing(&M)"), QStringLiteral("Missing(&M)"));
        QCOMPARE(QCoreApplication::translate("NoSuchContext", "AllClear(&C)"), QStringLiteral("AllClear(&C)"));
    }

    void emptyTranslatorTranslatesNothing()
    {
        QTranslatorEx empty;
        QVERIFY(empty.isEmpty());
        QVERIFY(empty.translate("Strip", "AllClear").isNull());
    }

private:
    QTranslatorEx m_Translator;
};

QTEST_GUILESS_MAIN(tst_QTranslatorEx)
#include "tst_QTranslatorEx.moc"
