#include <QtTest>

#include "CProjectorData.h"
#include "FleetUserList.h"
#include "MailTestAddresses.h"
#include "ProjectorTestAddresses.h"
#include "TestAddressBlocks.h"

// Test servers at fixed ports keep to their own process's blocks: apart from
// every fleet the projector simulator places, from each other and from the
// blocks of other processes.
class tst_TestAddressBlocks : public QObject
{
    Q_OBJECT
private slots:
    void blocks_data()
    {
        QTest::addColumn<qint64>("processId");
        QTest::newRow("process 1") << qint64(1);
        QTest::newRow("process 4242") << qint64(4242);
        QTest::newRow("process 65535") << qint64(65535);
        QTest::newRow("a process id past 65535") << qint64(65536 * 3 + 17);
    }

    void blocks()
    {
        QFETCH(qint64, processId);
        // The largest fleet, from where `./run.sh --fleet` starts it.
        const QList<QHostAddress> fleet = FleetUserList::Addresses(QHostAddress(QStringLiteral("127.0.0.2")), 2000);
        const quint32 fleetFirst = fleet.first().toIPv4Address();
        const quint32 fleetLast = fleet.last().toIPv4Address();
        const QHostAddress projectorRange(QStringLiteral("127.128.0.0"));
        const QHostAddress mailRange(QStringLiteral("127.64.0.0"));
        const quint32 firstProjector = TestBlockAddress(128, 1, processId).toIPv4Address();
        for (int host = 1; host <= 62; ++host) {
            const QHostAddress projector = TestBlockAddress(128, host, processId);
            const QHostAddress mail = TestBlockAddress(64, host, processId);
            QVERIFY2(projector.isInSubnet(projectorRange, 10), qPrintable(projector.toString()));
            QVERIFY2(mail.isInSubnet(mailRange, 10), qPrintable(mail.toString()));
            QVERIFY(projector.toIPv4Address() < fleetFirst || projector.toIPv4Address() > fleetLast);
            // Consecutive, and each one the program takes as a projector's.
            QCOMPARE(projector.toIPv4Address(), firstProjector + quint32(host - 1));
            QVERIFY2(CProjectorData::IsIPAdrrCheck(projector.toString(), CProjectorData::TYPE_LAN::IP),
                     qPrintable(projector.toString()));
        }
        // The next process's block and this one share no address.
        const quint32 next = TestBlockAddress(128, 1, processId + 1).toIPv4Address();
        QVERIFY(next > firstProjector + 61 || next + 61 < firstProjector);
        // A user list written from the first address names the block's.
        QCOMPARE(FleetUserList::Addresses(TestBlockAddress(128, 1, processId), 3),
                 (QList<QHostAddress>{TestBlockAddress(128, 1, processId), TestBlockAddress(128, 2, processId),
                                      TestBlockAddress(128, 3, processId)}));
    }

    void thisProcessTakesItsOwnBlock()
    {
        const qint64 self = QCoreApplication::applicationPid();
        QCOMPARE(ProjectorTestAddress(5), TestBlockAddress(128, 5, self));
        QCOMPARE(MailTestAddress(5), TestBlockAddress(64, 5, self));
    }
};

QTEST_MAIN(tst_TestAddressBlocks)
#include "tst_TestAddressBlocks.moc"
