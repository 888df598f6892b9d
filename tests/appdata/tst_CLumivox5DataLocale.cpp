#include <QtTest>

#include "CLumivox5Data.h"
#include "HubTestFolders.h"

// Without a language argument the hub takes the language of the system
// locale's country; this test runs under a Japanese locale.
class tst_CLumivox5DataLocale : public QObject
{
    Q_OBJECT
private slots:
    void languageFromLocale_data();
    void languageFromLocale();
};

void tst_CLumivox5DataLocale::languageFromLocale_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("language");
    QTest::newRow("no argument: the locale's country") << QStringList() << 1;
    QTest::newRow("unknown argument: the locale's country") << QStringList({"/L=XYZ"}) << 1;
    QTest::newRow("argument wins") << QStringList({"/L=ENG"}) << 0;
}

void tst_CLumivox5DataLocale::languageFromLocale()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, language);
    QCOMPARE(QLocale::system().country(), QLocale::Japan);
    HubTestFolders folders;
    QVERIFY(folders.isValid());
    std::unique_ptr<CLumivox5Data> hub = folders.makeHub(arguments);
    QCOMPARE(int(hub->m_LanguageCodeTable.m_LanguageCode), language);
}

int main(int argc, char** argv)
{
    // Read once, when the system locale is first asked for.
    qputenv("LC_ALL", "ja_JP.UTF-8");
    QCoreApplication app(argc, argv);
    tst_CLumivox5DataLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CLumivox5DataLocale.moc"
