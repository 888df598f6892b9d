#include <QtTest>

#include "AppPaths.h"

class tst_AppPaths : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());
    }

    void defaultsAreTheRealFolders()
    {
        QCOMPARE(AppPaths::programFolder(), QCoreApplication::applicationDirPath());
        QCOMPARE(AppPaths::homeFolder(), QDir::homePath());
    }

    void overridesAnswerUntilCleared_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/tmp/x" << "/tmp/x";
        QTest::newRow("trailing separator") << "/tmp/x/" << "/tmp/x";
        QTest::newRow("doubled separators") << "/tmp//x//" << "/tmp/x";
    }

    void overridesAnswerUntilCleared()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        AppPaths::setProgramFolder(given);
        AppPaths::setHomeFolder(given);
        QCOMPARE(AppPaths::programFolder(), expected);
        QCOMPARE(AppPaths::homeFolder(), expected);

        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());
        QCOMPARE(AppPaths::programFolder(), QCoreApplication::applicationDirPath());
        QCOMPARE(AppPaths::homeFolder(), QDir::homePath());
    }

    void foldersAreIndependent()
    {
        QTemporaryDir program;
        QTemporaryDir home;
        QVERIFY(program.isValid() && home.isValid());
        AppPaths::setProgramFolder(program.path());
        QCOMPARE(AppPaths::programFolder(), program.path());
        QCOMPARE(AppPaths::homeFolder(), QDir::homePath());
        AppPaths::setHomeFolder(home.path());
        QCOMPARE(AppPaths::programFolder(), program.path());
        QCOMPARE(AppPaths::homeFolder(), home.path());
    }
};

QTEST_GUILESS_MAIN(tst_AppPaths)
#include "tst_AppPaths.moc"
