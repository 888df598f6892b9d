#include <QtTest>

#include "Ipv4Text.h"

class tst_Ipv4Text : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<quint32>("value");
        QTest::newRow("plain") << "192.168.1.10" << true << 0xC0A8010Au;
        QTest::newRow("leading zeros stay decimal") << "192.168.001.010" << true << 0xC0A8010Au;
        QTest::newRow("08 is eight") << "10.08.09.010" << true << 0x0A08090Au;
        QTest::newRow("masked edit text") << "192.   168.   1.   10" << true << 0xC0A8010Au;
        QTest::newRow("masked, short parts") << "1  .2  .3  .4  " << true << 0x01020304u;
        QTest::newRow("all zero") << "0.0.0.0" << true << 0u;
        QTest::newRow("all 255") << "255.255.255.255" << true << 0xFFFFFFFFu;
        QTest::newRow("octet 256") << "192.168.1.256" << false << 0u;
        QTest::newRow("four digits") << "192.168.1.0010" << false << 0u;
        QTest::newRow("hexadecimal") << "0x10.1.1.1" << false << 0u;
        QTest::newRow("two parts") << "10.1" << false << 0u;
        QTest::newRow("one number") << "3232235786" << false << 0u;
        QTest::newRow("five parts") << "1.2.3.4.5" << false << 0u;
        QTest::newRow("trailing dot") << "1.2.3.4." << false << 0u;
        QTest::newRow("empty part") << "1..3.4" << false << 0u;
        QTest::newRow("empty masked edit") << ".   .   .   " << false << 0u;
        QTest::newRow("empty") << "" << false << 0u;
        QTest::newRow("sign") << "+1.2.3.4" << false << 0u;
        QTest::newRow("inner blank") << "1 2.3.4.5" << false << 0u;
        QTest::newRow("other script digits") << QString::fromUtf8("\u0661.2.3.4") << false << 0u;
        QTest::newRow("IPv6") << "::1" << false << 0u;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(quint32, value);
        quint32 got = 0xDEADBEEF;
        QCOMPARE(parseIpv4Text(text, &got), ok);
        QCOMPARE(got, ok ? value : 0xDEADBEEFu);
        QCOMPARE(parseIpv4Text(text, nullptr), ok);
    }

    void splitParts()
    {
        QCOMPARE(splitIpv4Parts(QStringLiteral("192.   168.   1.   10")),
                 (QStringList{"192", "168", "1", "10"}));
        QCOMPARE(splitIpv4Parts(QStringLiteral(" 10 .1")), (QStringList{"10", "1"}));
    }

    void usable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("usable");
        QTest::newRow("0.0.0.0") << "0.0.0.0" << false;
        QTest::newRow("255.255.255.255") << "255.255.255.255" << false;
        QTest::newRow("first octet 0") << "0.1.2.3" << false;
        QTest::newRow("loopback") << "127.0.0.1" << false;
        QTest::newRow("loopback block") << "127.200.0.9" << false;
        QTest::newRow("multicast") << "224.0.0.1" << true;
        QTest::newRow("subnet broadcast") << "10.0.0.255" << true;
        QTest::newRow("first usable") << "1.0.0.0" << true;
        QTest::newRow("126.x") << "126.255.255.255" << true;
        QTest::newRow("128.x") << "128.0.0.0" << true;
    }

    void usable()
    {
        QFETCH(QString, text);
        QFETCH(bool, usable);
        quint32 value = 0;
        QVERIFY(parseIpv4Text(text, &value));
        QCOMPARE(isUsableIpv4Address(value), usable);
    }
};

QTEST_APPLESS_MAIN(tst_Ipv4Text)
#include "tst_Ipv4Text.moc"
