#include <QtTest>

#include <QLoggingCategory>
#include <QNetworkInterface>

#include "MacUtil.h"
#include "NetworkInterfaceCard.h"
#include "NetworkInterfaceProvider.h"
#include "NetworkServices.h"

namespace {

using Interface = NetworkInterfaceProvider::Interface;

QNetworkAddressEntry entry(const QString &ip, const QString &netmask, const QString &broadcast = QString())
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(ip));
    if (!netmask.isEmpty())
        e.setNetmask(QHostAddress(netmask));
    if (!broadcast.isEmpty())
        e.setBroadcast(QHostAddress(broadcast));
    return e;
}

Interface nic(const QString &name, const QString &uiName, const QList<QNetworkAddressEntry> &addresses,
              int flags = QNetworkInterface::IsUp | QNetworkInterface::IsRunning | QNetworkInterface::CanBroadcast)
{
    Interface i;
    i.name = name;
    i.humanReadableName = uiName;
    i.flags = flags;
    i.hardwareAddress = QStringLiteral("02:00:00:00:00:01");
    i.addresses = addresses;
    return i;
}

struct Row
{
    QString device, adapter, address, broadcast;
    bool operator==(const Row &o) const
    {
        return device == o.device && adapter == o.adapter && address == o.address && broadcast == o.broadcast;
    }
};

// Found by QtTest through argument-dependent lookup, for readable failures.
char *toString(const Row &r)
{
    return qstrdup(qPrintable(QStringLiteral("(%1 %2 %3 %4)").arg(r.device, r.adapter, r.address, r.broadcast)));
}

QList<Row> rowsOf(const NetworkInterfaceCard &card)
{
    QList<Row> rows;
    for (int i = 0; i < card.GetDeviceCount(); ++i) {
        Row r;
        QHostAddress a, b;
        if (!card.GetDeviceName(i, &r.device) || !card.GetAdapterName(i, &r.adapter)
            || !card.GetIpAddress(i, &a) || !card.GetBroadcastAddress(i, &b))
            return {};
        r.address = a.toString();
        r.broadcast = b.toString();
        rows.append(r);
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(QList<Interface>)
Q_DECLARE_METATYPE(QList<Row>)


class tst_NetworkInterfaceCard : public QObject
{
    Q_OBJECT

    static void use(const QList<Interface> &interfaces)
    {
        NetworkInterfaceProvider::setSource([interfaces] { return interfaces; });
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));
    }

    void cleanup()
    {
        NetworkInterfaceProvider::setSource({});
    }

    void rows_data()
    {
        QTest::addColumn<QList<Interface>>("interfaces");
        QTest::addColumn<QList<Row>>("rows");

        const QList<Interface> ethernet{nic("enp3s0", "Ethernet", {entry("192.168.1.5", "255.255.255.0")})};
        QTest::newRow("one /24 address") << ethernet
            << QList<Row>{{"Ethernet", "enp3s0", "192.168.1.5", "192.168.1.255"}};
        QTest::newRow("broadcast as the platform gives it")
            << QList<Interface>{nic("eth0", "eth0", {entry("10.1.2.3", "255.0.0.0", "10.1.2.255")})}
            << QList<Row>{{"eth0", "eth0", "10.1.2.3", "10.1.2.255"}};
        QTest::newRow("loopback") << QList<Interface>{nic("lo", "lo", {entry("127.0.0.1", "255.0.0.0"), entry("::1", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff")},
                                                          QNetworkInterface::IsUp | QNetworkInterface::IsLoopBack)}
                                  << QList<Row>{};
        QTest::newRow("IPv6 only") << QList<Interface>{nic("wlan0", "wlan0", {entry("fe80::1", "ffff:ffff:ffff:ffff::")})}
                                   << QList<Row>{};
        QTest::newRow("netmask 0") << QList<Interface>{nic("eth1", "eth1", {entry("192.168.7.7", "0.0.0.0")})}
                                   << QList<Row>{};
        QTest::newRow("no netmask") << QList<Interface>{nic("eth1", "eth1", {entry("192.168.7.7", QString())})}
                                    << QList<Row>{};
        QTest::newRow("down interface still counts")
            << QList<Interface>{nic("eth2", "eth2", {entry("172.16.0.9", "255.255.0.0")}, 0)}
            << QList<Row>{{"eth2", "eth2", "172.16.0.9", "172.16.255.255"}};
        Interface invalid = nic("bad0", "bad0", {entry("10.9.9.9", "255.255.255.0")});
        invalid.valid = false;
        QTest::newRow("invalid interface") << QList<Interface>{invalid} << QList<Row>{};
        QTest::newRow("two addresses in order")
            << QList<Interface>{nic("eth0", "LAN", {entry("10.0.0.2", "255.255.255.0"), entry("fe80::2", "ffff:ffff:ffff:ffff::"),
                                                    entry("10.0.1.2", "255.255.255.0")})}
            << QList<Row>{{"LAN", "eth0", "10.0.0.2", "10.0.0.255"}, {"LAN", "eth0", "10.0.1.2", "10.0.1.255"}};
        QTest::newRow("interfaces in platform order")
            << QList<Interface>{ethernet.first(), nic("lo", "lo", {entry("127.0.0.1", "255.0.0.0")}),
                                nic("wlp2s0", "Wi-Fi", {entry("192.168.50.20", "255.255.252.0")})}
            << QList<Row>{{"Ethernet", "enp3s0", "192.168.1.5", "192.168.1.255"},
                          {"Wi-Fi", "wlp2s0", "192.168.50.20", "192.168.51.255"}};

        QList<QNetworkAddressEntry> seventeen;
        QList<Row> sixteen;
        for (int i = 1; i <= 17; ++i) {
            seventeen.append(entry(QStringLiteral("10.0.%1.1").arg(i), "255.255.255.0"));
            if (i <= 16)
                sixteen.append({"big", "big0", QStringLiteral("10.0.%1.1").arg(i), QStringLiteral("10.0.%1.255").arg(i)});
        }
        QTest::newRow("17 addresses give 16 rows") << QList<Interface>{nic("big0", "big", seventeen)} << sixteen;
    }

    void rows()
    {
        QFETCH(QList<Interface>, interfaces);
        QFETCH(QList<Row>, rows);
        use(interfaces);
        const NetworkInterfaceCard card;
        QCOMPARE(card.GetDeviceCount(), rows.size());
        QCOMPARE(rowsOf(card), rows);
    }

    // Out of range, the getters answer false and leave their output alone.
    void gettersOutsideTheRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("-1") << -1;
        QTest::newRow("count") << 1;
        QTest::newRow("16") << 16;
        QTest::newRow("large") << 1000000;
    }

    void gettersOutsideTheRows()
    {
        QFETCH(int, index);
        use({nic("eth0", "eth0", {entry("192.168.1.5", "255.255.255.0")})});
        const NetworkInterfaceCard card;
        QCOMPARE(card.GetDeviceCount(), 1);
        QVERIFY(card.isDeviceReady(0));
        QVERIFY(!card.isDeviceReady(index));

        const QHostAddress marker(QStringLiteral("1.2.3.4"));
        QHostAddress a = marker, b = marker;
        QString adapter = QStringLiteral("keep"), device = QStringLiteral("keep");
        QVERIFY(!card.GetIpAddress(index, &a));
        QVERIFY(!card.GetBroadcastAddress(index, &b));
        QVERIFY(!card.GetAdapterName(index, &adapter));
        QVERIFY(!card.GetDeviceName(index, &device));
        QCOMPARE(a, marker);
        QCOMPARE(b, marker);
        QCOMPARE(adapter, QStringLiteral("keep"));
        QCOMPARE(device, QStringLiteral("keep"));
    }

    // A row whose interface has no readable name is not offered.
    void rowWithoutDeviceNameIsNotReady()
    {
        use({nic("eth0", "", {entry("192.168.1.5", "255.255.255.0")})});
        const NetworkInterfaceCard card;
        QCOMPARE(card.GetDeviceCount(), 1);
        QVERIFY(!card.isDeviceReady(0));
        QHostAddress a;
        QVERIFY(!card.GetIpAddress(0, &a));
        QVERIFY(a.isNull());
    }

    void noInterfaces()
    {
        use({});
        const NetworkInterfaceCard card;
        QCOMPARE(card.GetDeviceCount(), 0);
        QVERIFY(!card.isDeviceReady(0));
        QVERIFY(MacUtil::services(MacUtil::createObject(), nullptr).isEmpty());
    }

    // Services: one table per valid interface, in the platform's order.
    void services()
    {
        Interface invalid = nic("bad0", "bad0", {});
        invalid.valid = false;
        use({nic("wlp2s0", "Wi-Fi", {}), invalid, nic("enp3s0", "Ethernet", {entry("10.0.0.1", "255.0.0.0")})});
        void *object = MacUtil::createObject();
        QVERIFY(object);
        QCOMPARE(MacUtil::createObject(), object); // one object for the process
        const QList<QHash<QString, QString>> list = MacUtil::services(object, nullptr);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0), (QHash<QString, QString>{{"DeviceName", "wlp2s0"}, {"CX_NETWORK_UI_NAME", "Wi-Fi"}}));
        QCOMPARE(list.at(1), (QHash<QString, QString>{{"DeviceName", "enp3s0"}, {"CX_NETWORK_UI_NAME", "Ethernet"}}));
        QCOMPARE(getNetworkInformation(instanceCreate(), nullptr), list);
        QVERIFY(MacUtil::services(nullptr, nullptr).isEmpty());
    }

    // Without a test source the machine's own interfaces are read; loopback never gives a row.
    void systemInterfaces()
    {
        const NetworkInterfaceCard card;
        QVERIFY(card.GetDeviceCount() <= NetworkInterfaceCard::MaxDevices);
        for (int i = 0; i < card.GetDeviceCount(); ++i) {
            QHostAddress a;
            if (card.GetIpAddress(i, &a))
                QVERIFY(a != QHostAddress(QHostAddress::LocalHost));
        }
        const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
        const int valid = int(std::count_if(all.cbegin(), all.cend(), [](const QNetworkInterface &n) { return n.isValid(); }));
        QCOMPARE(MacUtil::services(MacUtil::createObject(), nullptr).size(), valid);
    }
};

QTEST_GUILESS_MAIN(tst_NetworkInterfaceCard)
#include "tst_NetworkInterfaceCard.moc"
