#include <QtTest>

#include "AppPaths.h"
#include "COptionSettings.h"

class tst_COptionSettings : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppPaths::setHomeFolder(QString()); }

    void constants()
    {
        const QString path = QStringLiteral("Corvex Projector User Fennick/Lumivox 5");
        QCOMPARE(COptionSettings::DEF_PATH, path);
        QCOMPARE(COptionSettings::DEF_TRANSPORTLOGPATH, path);
        QCOMPARE(COptionSettings::DEF_SCHEDULELOGPATH, path);
        QVERIFY(COptionSettings::DEF_BOOTIMPORTPATH.isEmpty());
        QVERIFY(COptionSettings::DEF_EVENTLOGPATH.isEmpty());
    }

    void defaultsFollowTheHomeFolderAtConstruction_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("expectedHome");
        QTest::newRow("plain") << "/Users/a" << "/Users/a";
        QTest::newRow("trailing separator dropped") << "/Users/a/" << "/Users/a";
    }

    void defaultsFollowTheHomeFolderAtConstruction()
    {
        QFETCH(QString, home);
        QFETCH(QString, expectedHome);
        AppPaths::setHomeFolder(home);
        const COptionSettings options;
        AppPaths::setHomeFolder(QStringLiteral("/elsewhere"));

        const QString logs = expectedHome + "/Application Data/Corvex Projector User Fennick/Lumivox 5";
        QCOMPARE(options.m_SaveLogPath, logs);
        QCOMPARE(options.m_SaveScheduleLogPath, logs);
        QCOMPARE(options.m_SaveEventLogPath, expectedHome + "/Application Data/");
        QVERIFY(options.m_ImportPath.isEmpty());
        QCOMPARE(options.m_AutoUpdateInterval, 10);
        QCOMPARE(options.m_Resident, false);
        QCOMPARE(options.m_SaveLog, false);
        QCOMPARE(options.m_AutoUpdate, false);
        QCOMPARE(options.m_SaveScheduleLog, false);
        QCOMPARE(options.m_ImportAvailable, false);
        QCOMPARE(options.m_Import, false);
        QCOMPARE(options.m_SaveEventLog, false);
    }

    void copyFromPointerTakesEveryField()
    {
        AppPaths::setHomeFolder(QStringLiteral("/Users/a"));
        COptionSettings source;
        source.m_Resident = true;
        source.m_SaveLog = true;
        source.m_AutoUpdate = true;
        source.m_SaveLogPath = QStringLiteral("/logs");
        source.m_AutoUpdateInterval = 55;
        source.m_SaveScheduleLog = true;
        source.m_SaveScheduleLogPath = QStringLiteral("/sched");
        source.m_ImportAvailable = true;
        source.m_Import = true;
        source.m_ImportPath = QStringLiteral("/import.lst");
        source.m_SaveEventLog = true;
        source.m_SaveEventLogPath = QStringLiteral("/events");

        // Built under another home folder, so no field can come from the defaults.
        AppPaths::setHomeFolder(QStringLiteral("/Users/b"));
        COptionSettings copy(&source);
        QCOMPARE(copy.m_Resident, true);
        QCOMPARE(copy.m_SaveLog, true);
        QCOMPARE(copy.m_AutoUpdate, true);
        QCOMPARE(copy.m_SaveLogPath, QStringLiteral("/logs"));
        QCOMPARE(copy.m_AutoUpdateInterval, 55);
        QCOMPARE(copy.m_SaveScheduleLog, true);
        QCOMPARE(copy.m_SaveScheduleLogPath, QStringLiteral("/sched"));
        QCOMPARE(copy.m_ImportAvailable, true);
        QCOMPARE(copy.m_Import, true);
        QCOMPARE(copy.m_ImportPath, QStringLiteral("/import.lst"));
        QCOMPARE(copy.m_SaveEventLog, true);
        QCOMPARE(copy.m_SaveEventLogPath, QStringLiteral("/events"));

        copy.m_SaveLogPath = QStringLiteral("/changed");
        QCOMPARE(source.m_SaveLogPath, QStringLiteral("/logs"));

        const COptionSettings fromNull(static_cast<COptionSettings*>(nullptr));
        QCOMPARE(fromNull.m_SaveEventLogPath, QStringLiteral("/Users/b/Application Data/"));
    }
};

QTEST_GUILESS_MAIN(tst_COptionSettings)
#include "tst_COptionSettings.moc"
