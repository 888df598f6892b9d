#include <QtTest>

#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "COptionSettings.h"
#include "CTestFolders.h"
#include "FleetUserList.h"

// The user list `./run.sh --fleet` starts the program with, read back as the
// program reads it.
class tst_FleetUserList : public QObject
{
    Q_OBJECT
private slots:
    void readsBackInThreeGroups_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("seven") << 7;
        QTest::newRow("the most a list holds") << int(CLumivox5Data::USERLIST_PROJECTOR_MAX);
    }

    void readsBackInThreeGroups()
    {
        QFETCH(int, count);
        CTestFolders folders;
        QVERIFY(folders.isValid());
        QString error;
        {
            auto writer = CTestFolders::makeHub();
            QVERIFY2(FleetUserList::Write(writer.get(), count, QHostAddress("127.0.0.2"), 7142, &error),
                     qPrintable(error));
        }
        auto reader = CTestFolders::makeHub();
        reader->InitGroupIDUsedList();
        QCOMPARE(reader->LoadUserList(), 0);
        QCOMPARE(reader->f_GetProjectorCount(), count);
        QStringList paths;
        for (const CProjectorGroup* group : *reader->m_ProjectorGroups)
            paths << group->m_GroupPath;
        QCOMPARE(paths, FleetUserList::Groups());

        const QList<QHostAddress> expected = FleetUserList::Addresses(QHostAddress("127.0.0.2"), count);
        QCOMPARE(expected.size(), count);
        QMap<QString, int> perGroup;
        QSet<QString> addresses;
        for (CProjectorData* record : *reader->m_pProjectorDatas) {
            QCOMPARE(record->m_Port, QString("7142"));
            QVERIFY(record->m_Enabled);
            QCOMPARE(record->m_GroupList.size(), 1);
            const int n = record->m_SettingName.mid(QString("Projector ").size()).toInt();
            QCOMPARE(record->m_Address, expected.at(n - 1).toString());
            QCOMPARE(record->m_GroupList.first(), FleetUserList::Groups().at((n - 1) % 3));
            ++perGroup[record->m_GroupList.first()];
            addresses.insert(record->m_Address);
        }
        QCOMPARE(addresses.size(), count);
        QCOMPARE(perGroup.value("Floor 1"), (count + 2) / 3);
        QCOMPARE(perGroup.value("Floor 3"), count / 3);
    }

    void addressesPassOverTheOnesTheProgramRefuses_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("span");
        QTest::newRow("within one block") << "127.0.0.2" << 20 << "127.0.0.21" << 20;
        QTest::newRow("up to the end of a block") << "127.0.0.2" << 253 << "127.0.0.254" << 253;
        QTest::newRow("over .255 and .0") << "127.0.0.2" << 254 << "127.0.1.1" << 256;
        QTest::newRow("a full fleet") << "127.0.0.2" << 2000 << "127.0.7.223" << 2014;
        QTest::newRow("a refused first address") << "127.0.0.255" << 1 << "127.0.1.1" << 3;
    }

    void addressesPassOverTheOnesTheProgramRefuses()
    {
        QFETCH(QString, first);
        QFETCH(int, count);
        QFETCH(QString, last);
        QFETCH(int, span);
        const QList<QHostAddress> addresses = FleetUserList::Addresses(QHostAddress(first), count);
        QCOMPARE(addresses.size(), count);
        QCOMPARE(addresses.last().toString(), last);
        QCOMPARE(FleetUserList::Span(QHostAddress(first), count), span);
        for (const QHostAddress& address : addresses) {
            const quint32 host = address.toIPv4Address() & 0xFF;
            QVERIFY(host != 0 && host != 255);
        }
    }

    void replacesAListTheHubWouldNotWriteOver()
    {
        CTestFolders folders;
        auto hub = CTestFolders::makeHub();
        QVERIFY(CTestFolders::writeFile(hub->GetDefaultUserListPath(), "[Header Info]\nMagicCode=other\n"));
        QString error;
        QVERIFY2(FleetUserList::Write(hub.get(), 3, QHostAddress("127.0.0.2"), 7142, &error), qPrintable(error));
        auto reader = CTestFolders::makeHub();
        reader->InitGroupIDUsedList();
        QCOMPARE(reader->LoadUserList(), 0);
        QCOMPARE(reader->f_GetProjectorCount(), 3);
    }

    void automaticUpdateAloneGoesIntoTheSettingsFile()
    {
        CTestFolders folders;
        {
            auto hub = CTestFolders::makeHub();
            QString error;
            QVERIFY2(FleetUserList::EnableAutoUpdate(hub.get(), 1, &error), qPrintable(error));
        }
        auto reader = CTestFolders::makeHub();
        QVERIFY(reader->m_pOptionSettings->m_AutoUpdate);
        QCOMPARE(reader->m_pOptionSettings->m_AutoUpdateInterval, 1);
        // No window place: the program starts as on a first start.
        QVERIFY(!reader->m_pReg->m_PositionValid);
        QVERIFY(!reader->m_pReg->m_SizeValid);
    }
};

QTEST_GUILESS_MAIN(tst_FleetUserList)
#include "tst_FleetUserList.moc"
