#include <QtTest>

#include "CLumivox5Arguments.h"

namespace {

// Parses `args` as the command line after the program path.
CLumivox5Arguments parse(const QStringList& args, const QByteArray& program = "/opt/Lumivox 5/Lumivox 5")
{
    QList<QByteArray> storage;
    storage.append(program);
    for (const QString& arg : args)
        storage.append(arg.toLocal8Bit());
    QVector<char*> argv;
    for (QByteArray& bytes : storage)
        argv.append(bytes.data());
    argv.append(nullptr);
    return CLumivox5Arguments(storage.size(), argv.data());
}

} // namespace

class tst_CLumivox5Arguments : public QObject
{
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("virtualTime");
        QTest::addColumn<bool>("demo");

        QTest::newRow("none") << QStringList() << "" << false << false;
        QTest::newRow("/DEMO") << QStringList{"/DEMO"} << "" << false << true;
        QTest::newRow("/demo") << QStringList{"/demo"} << "" << false << true;
        QTest::newRow("/Demo") << QStringList{"/Demo"} << "" << false << true;
        QTest::newRow("-DEMO ignored") << QStringList{"-DEMO"} << "" << false << false;
        QTest::newRow("DEMO ignored") << QStringList{"DEMO"} << "" << false << false;
        QTest::newRow("/VT") << QStringList{"/VT"} << "" << true << false;
        QTest::newRow("/vt") << QStringList{"/vt"} << "" << true << false;
        QTest::newRow("/VTX ignored") << QStringList{"/VTX"} << "" << false << false;
        QTest::newRow("/E") << QStringList{"/E"} << "ENG" << false << false;
        QTest::newRow("-e") << QStringList{"-e"} << "ENG" << false << false;
        QTest::newRow("/L=EN") << QStringList{"/L=EN"} << "ENG" << false << false;
        QTest::newRow("/J") << QStringList{"/J"} << "JPN" << false << false;
        QTest::newRow("-J") << QStringList{"-J"} << "JPN" << false << false;
        QTest::newRow("/l=jp") << QStringList{"/l=jp"} << "JPN" << false << false;
        QTest::newRow("/E2 ignored") << QStringList{"/E2"} << "" << false << false;
        QTest::newRow("/L=jpn") << QStringList{"/L=jpn"} << "JPN" << false << false;
        QTest::newRow("/L=french") << QStringList{"/L=french"} << "FRE" << false << false;
        QTest::newRow("/L=CHI") << QStringList{"/L=CHI"} << "CHI" << false << false;
        QTest::newRow("unknown three letters kept") << QStringList{"/L=deu"} << "DEU" << false << false;
        QTest::newRow("/L=E ignored") << QStringList{"/L=E"} << "" << false << false;
        QTest::newRow("/L= ignored") << QStringList{"/L="} << "" << false << false;
        QTest::newRow("/E then /J") << QStringList{"/E", "/J"} << "JPN" << false << false;
        QTest::newRow("/J then /E") << QStringList{"/J", "/E"} << "ENG" << false << false;
        QTest::newRow("/L=FRE then /E") << QStringList{"/L=FRE", "/e"} << "ENG" << false << false;
        QTest::newRow("all together") << QStringList{"/vt", "x", "/L=chinese", "/demo", "/DEMO"}
                                      << "CHI" << true << true;
    }

    void table()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, language);
        QFETCH(bool, virtualTime);
        QFETCH(bool, demo);
        const CLumivox5Arguments parsed = parse(args);
        QCOMPARE(parsed.m_Language, language);
        QCOMPARE(parsed.m_VirtualTime, virtualTime);
        QCOMPARE(parsed.m_Demo, demo);
        QCOMPARE(parsed.m_ImportAvailable, true);
    }

    void programPathIsExaminedToo()
    {
        const CLumivox5Arguments parsed = parse(QStringList(), "/demo");
        QCOMPARE(parsed.m_Demo, true);
    }

    void emptyOrMissingVectorNeverFails()
    {
        const CLumivox5Arguments none(0, nullptr);
        QCOMPARE(none.m_Language, QString());
        QCOMPARE(none.m_ImportAvailable, true);
        QCOMPARE(none.m_Demo, false);

        char demo[] = "/DEMO";
        char* withHole[] = { nullptr, demo, nullptr };
        const CLumivox5Arguments holes(2, withHole);
        QCOMPARE(holes.m_Demo, true);

        const CLumivox5Arguments negative(-3, withHole);
        QCOMPARE(negative.m_Demo, false);
    }
};

QTEST_GUILESS_MAIN(tst_CLumivox5Arguments)
#include "tst_CLumivox5Arguments.moc"
