#include <QtTest>

#include "CCommandFunctions.h"
#include "CVariantParameter.h"
#include "EngineTestData.h"

namespace {

QList<CVariantParameter> Text(const QByteArray& bytes)
{
    CVariantParameter p;
    p.FromByteArray(bytes);
    return QList<CVariantParameter>() << p;
}

} // namespace

Q_DECLARE_METATYPE(QList<CVariantParameter>)

class tst_CCommandFunctionsProtocol : public QObject
{
    Q_OBJECT
private slots:
    void requestFrames_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<CVariantParameter>>("params");
        QTest::addColumn<QByteArray>("frame");

        const QList<CVariantParameter> none;
        QTest::newRow("0 error status") << 0 << none << Hex("00 88 00 00 00 88");
        QTest::newRow("1 input signal") << 1 << none << Hex("00 92 00 00 01 FF 92");
        QTest::newRow("2 power on") << 2 << none << Hex("02 00 00 00 00 02");
        QTest::newRow("3 power off") << 3 << none << Hex("02 01 00 00 00 03");
        QTest::newRow("4 input 01") << 4 << IntParams({0x01}) << Hex("02 03 00 00 02 01 01 09");
        QTest::newRow("4 input 1A") << 4 << IntParams({0x1A}) << Hex("02 03 00 00 02 01 1A 22");
        QTest::newRow("5 picture mute on") << 5 << none << Hex("02 10 00 00 00 12");
        QTest::newRow("6 picture mute off") << 6 << none << Hex("02 11 00 00 00 13");
        QTest::newRow("7 sound mute on") << 7 << none << Hex("02 12 00 00 00 14");
        QTest::newRow("8 sound mute off") << 8 << none << Hex("02 13 00 00 00 15");
        QTest::newRow("9 osd mute on") << 9 << none << Hex("02 14 00 00 00 16");
        QTest::newRow("10 osd mute off") << 10 << none << Hex("02 15 00 00 00 17");
        QTest::newRow("11 brightness set") << 11 << IntParams({0x00, 0xFF, 10, 3, 0})
                                           << Hex("03 10 00 00 05 00 FF 0A 03 00 24");
        QTest::newRow("12 volume set") << 12 << IntParams({5, 0, 7, 1, 0}) << Hex("03 10 00 00 05 05 00 07 01 00 25");
        QTest::newRow("13 info 49") << 13 << none << Hex("03 8A 00 00 00 8D");
        QTest::newRow("14 lamp times") << 14 << none << Hex("03 8C 00 00 00 8F");
        QTest::newRow("15 filter") << 15 << none << Hex("03 95 00 00 00 98");
        QTest::newRow("16 lamp 2 usage") << 16 << IntParams({1, 1}) << Hex("03 96 00 00 02 01 01 9D");
        QTest::newRow("17 text set") << 17 << Text("ABC")
                                     << Hex("03 8B 00 00 32 01 41 42 43").append(QByteArray(46, '\0')).append('\x87');
        QTest::newRow("17 text set, 60 bytes cut to 49")
            << 17 << Text(QByteArray(60, 'A'))
            << Hex("03 8B 00 00 32 01").append(QByteArray(49, 'A')).append(char((0x03 + 0x8B + 0x32 + 1 + 49 * 0x41) & 0xFF));
        QTest::newRow("18 gain get") << 18 << IntParams({2, 0, 1}) << Hex("03 04 00 00 03 02 00 01 0D");
        QTest::newRow("19 gain get 2") << 19 << IntParams({5, 0, 1}) << Hex("03 05 00 00 03 05 00 01 11");
        QTest::newRow("20 status") << 20 << none << Hex("00 85 00 00 01 00 86");
        QTest::newRow("21 status 32") << 21 << none << Hex("00 85 00 00 01 04 8A");
        QTest::newRow("22 cover") << 22 << none << Hex("00 85 00 00 01 05 8B");
        QTest::newRow("23 freeze on") << 23 << IntParams({1}) << Hex("01 98 00 00 01 01 9B");
        QTest::newRow("23 freeze off") << 23 << IntParams({0}) << Hex("01 98 00 00 01 00 9A");
        QTest::newRow("24 v freq") << 24 << IntParams({0, 4, 1}) << Hex("00 D0 00 00 03 00 04 01 D8");
        QTest::newRow("25 lamp mode") << 25 << none << Hex("03 B0 00 00 01 07 BB");
        QTest::newRow("26 name") << 26 << none << Hex("03 B0 00 00 01 2C E0");
        QTest::newRow("27 mac 3") << 27 << IntParams({2}) << Hex("03 B0 00 00 02 9A 02 51");
        QTest::newRow("28 name set empty") << 28 << Text("")
                                           << Hex("03 B1 00 00 12 2C").append(QByteArray(17, '\0')).append('\xF2');
        QTest::newRow("28 name set PJ1") << 28 << Text("PJ1")
                                         << Hex("03 B1 00 00 12 2C 50 4A 31").append(QByteArray(14, '\0')).append('\xBD');
        QTest::newRow("28 name set stops at NUL") << 28 << Text(QByteArray("PJ1\0XYZ", 7))
                                                  << Hex("03 B1 00 00 12 2C 50 4A 31").append(QByteArray(14, '\0')).append('\xBD');
        QTest::newRow("28 name set Shift_JIS, cut at 17 bytes")
            << 28 << Text(QStringLiteral("プロジェクタ名前長い").toUtf8())
            << Hex("03 B1 00 00 12 2C 83 76 83 8D 83 57 83 46 83 4E 83 5E 96 BC 91 4F 92 14");
        QTest::newRow("29 model") << 29 << none << Hex("00 BF 00 00 01 00 C0");
        QTest::newRow("30 serial") << 30 << none << Hex("00 BF 00 00 02 01 06 C8");
        QTest::newRow("31 common status") << 31 << none << Hex("00 BF 00 00 01 02 C2");
        QTest::newRow("32 maker") << 32 << none << Hex("01 D3 00 00 01 01 D6");
        QTest::newRow("4 without parameter reads 0") << 4 << none << Hex("02 03 00 00 02 01 00 08");
    }

    void requestFrames()
    {
        QFETCH(int, index);
        QFETCH(QList<CVariantParameter>, params);
        QFETCH(QByteArray, frame);
        QByteArray out("stale");
        QCOMPARE(CCommandFunctions::f_MakeStaticCommand(&out, index, &params), frame.size());
        QCOMPARE(out.toHex(' '), frame.toHex(' '));
        // Every request is itself a complete frame with a good checksum.
        QVERIFY(CCommandFunctions::f_IsCommandFrameReceived(out));
        QVERIFY(CCommandFunctions::f_IsCommandSumSubmit(out));
    }

    void requestIndexOutOfTable()
    {
        QByteArray out;
        QCOMPARE(CCommandFunctions::f_MakeStaticCommand(&out, 33, nullptr), 0);
        QCOMPARE(CCommandFunctions::f_MakeStaticCommand(&out, -1, nullptr), 0);
        QVERIFY(out.isEmpty());
        QCOMPARE(CCommandFunctions::f_MakeStaticCommand(nullptr, 2, nullptr), 0);
    }

    void makeFrameWritesLengthAsGiven()
    {
        QByteArray out;
        QByteArray data(0x123, 'x');
        QCOMPARE(CCommandFunctions::f_MakePJPcCmd(&out, 0x03, 0x8B, data.size(), &data), 0x123 + 6);
        QCOMPARE(quint8(out.at(3)), quint8(0x01));
        QCOMPARE(quint8(out.at(4)), quint8(0x23));
        QCOMPARE(CCommandFunctions::f_GetCorvexPjPcCmdLen(out), 0x123);
    }

    void checksum_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("sum");
        QTest::newRow("empty") << QByteArray() << 0 << 0;
        QTest::newRow("count 0") << Hex("05") << 0 << 0;
        QTest::newRow("count negative") << Hex("05") << -3 << 0;
        QTest::newRow("wraps to low byte") << Hex("FF FF 03") << 3 << 0x01;
        QTest::newRow("part of the array") << Hex("10 20 30") << 2 << 0x30;
        QTest::newRow("count beyond the array") << Hex("10 20") << 9 << 0x30;
    }

    void checksum()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(int, sum);
        QCOMPARE(CCommandFunctions::CreateSum(&bytes, count), sum);
    }

    void completeness_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("sumGood");
        QTest::newRow("empty") << QByteArray() << -1 << false << false;
        QTest::newRow("one byte") << Hex("22") << -1 << false << false;
        QTest::newRow("4 bytes") << Hex("22 00 00 00") << -1 << false << false;
        QTest::newRow("5 bytes, length 0") << Hex("22 00 00 00 00") << 0 << false << false;
        QTest::newRow("ack") << Hex("22 00 00 00 00 22") << 0 << true << true;
        QTest::newRow("ack, bad sum") << Hex("22 00 00 00 00 23") << 0 << true << false;
        QTest::newRow("one byte too many") << Hex("22 00 00 00 00 22 00") << 0 << false << false;
        QTest::newRow("high nibble F3 counts 3")
            << Hex("20 00 00 F3 00").append(QByteArray(0x300, '\0')).append(char(0x13)) << 0x300 << true << true;
        QTest::newRow("data short") << Hex("20 85 00 00 02 00") << 2 << false << false;
    }

    void completeness()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, length);
        QFETCH(bool, complete);
        QFETCH(bool, sumGood);
        QCOMPARE(CCommandFunctions::f_GetCorvexPjPcCmdLen(frame), length);
        QCOMPARE(CCommandFunctions::f_IsCommandFrameReceived(frame), complete);
        QCOMPARE(CCommandFunctions::f_IsCommandSumSubmit(frame), sumGood);
    }

    void match_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<bool>("match");
        const QByteArray input = Hex("02 03 00 00 02 01 01 09");
        QTest::newRow("positive") << input << Hex("22 03 00 00 00 25") << true;
        QTest::newRow("negative") << input << Hex("A2 03 00 00 02 01 02 AA") << true;
        QTest::newRow("other class") << input << Hex("23 03 00 00 00 26") << false;
        QTest::newRow("other code") << input << Hex("22 01 00 00 00 23") << false;
        QTest::newRow("request echoed") << input << input << false;
        QTest::newRow("class 00") << Hex("00 BF 00 00 01 02 C2") << Hex("20 BF 00 00 00 DF") << true;
        QTest::newRow("one byte reply") << input << Hex("22") << false;
        QTest::newRow("nothing sent") << QByteArray() << Hex("22 03 00 00 00 25") << false;
    }

    void match()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, received);
        QFETCH(bool, match);
        QCOMPARE(CCommandFunctions::f_IsMatchCommandID(sent, received), match);
    }

    void nackCodes_data()
    {
        QTest::addColumn<int>("errorClass");
        QTest::addColumn<int>("detail");
        QTest::addColumn<int>("code");
        struct Range { int cls; int last; int base; int out; };
        const Range ranges[] = {{0, 8, -100, -109}, {1, 8, -110, -119}, {2, 18, -120, -139},
                                {3, 8, -140, -149}, {4, 8, -150, -159}, {5, 8, -160, -169}};
        for (const Range& r : ranges) {
            for (int d = 0; d <= r.last; ++d)
                QTest::addRow("class %d detail %d", r.cls, d) << r.cls << d << r.base - d;
            QTest::addRow("class %d detail %d", r.cls, r.last + 1) << r.cls << r.last + 1 << r.out;
            QTest::addRow("class %d detail 255", r.cls) << r.cls << 255 << r.out;
        }
        QTest::newRow("class 6") << 6 << 0 << -179;
        QTest::newRow("class 6 detail 200") << 6 << 200 << -179;
        QTest::newRow("class 7") << 7 << 3 << -189;
        QTest::newRow("class 8") << 8 << 0 << -190;
        QTest::newRow("class 9") << 9 << 1 << -190;
        QTest::newRow("class 255") << 255 << 255 << -190;
    }

    void nackCodes()
    {
        QFETCH(int, errorClass);
        QFETCH(int, detail);
        QFETCH(int, code);
        QByteArray data;
        data.append(char(errorClass)).append(char(detail));
        QByteArray frame;
        CCommandFunctions::f_MakePJPcCmd(&frame, 0xA2, 0x03, 2, &data);
        QCOMPARE(CCommandFunctions::f_GetNackCode(frame), code);
        QVERIFY(CCommandFunctions::f_IsNackResponse(code));
    }

    void nackCodeOfOtherFrames_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("code");
        QTest::newRow("positive reply") << Hex("22 03 00 00 02 01 02 2A") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("negative without data") << Hex("A2 00 00 00 00 A2") << -190;
        QTest::newRow("negative with one data byte") << Hex("A2 00 00 00 01 02 A5") << -190;
        QTest::newRow("negative, exactly two bytes") << Hex("A0 BF 00 00 02 01 02 64") << -112;
    }

    void nackCodeOfOtherFrames()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, code);
        QCOMPARE(CCommandFunctions::f_GetNackCode(frame), code);
    }

    void nackRange_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("nack");
        QTest::newRow("-99") << -99 << false;
        QTest::newRow("-100") << -100 << true;
        QTest::newRow("-190") << -190 << true;
        QTest::newRow("-191") << -191 << false;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("-402") << -402 << false;
    }

    void nackRange()
    {
        QFETCH(int, code);
        QFETCH(bool, nack);
        QCOMPARE(CCommandFunctions::f_IsNackResponse(code), nack);
    }

    void commandIdOfReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << Hex("20 88 00 00 0C 00 00 00 00 00 00 00 00 00 00 00 00 B4") << 0;
        QTest::newRow("1") << Hex("20 92 00 00 02 63 00 17") << 1;
        QTest::newRow("1 other b5") << Hex("20 92 00 00 02 62 00 16") << -1;
        QTest::newRow("2") << Hex("22 00 00 00 00 22") << 2;
        QTest::newRow("3") << Hex("22 01 00 00 00 23") << 3;
        QTest::newRow("4") << Hex("22 03 00 00 00 25") << 4;
        QTest::newRow("5") << Hex("22 10 00 00 00 32") << 5;
        QTest::newRow("6") << Hex("22 11 00 00 00 33") << 6;
        QTest::newRow("7") << Hex("22 12 00 00 00 34") << 7;
        QTest::newRow("8") << Hex("22 13 00 00 00 35") << 8;
        QTest::newRow("9") << Hex("22 14 00 00 00 36") << 9;
        QTest::newRow("10") << Hex("22 15 00 00 00 37") << 10;
        QTest::newRow("02 02 unknown") << Hex("22 02 00 00 00 24") << -1;
        QTest::newRow("11 short") << Hex("23 10 00 00 00 33") << 11;
        QTest::newRow("11 b5 4") << Hex("23 10 00 00 02 04 00 39") << 11;
        QTest::newRow("12") << Hex("23 10 00 00 02 05 00 3A") << 12;
        QTest::newRow("03 10 b5 6") << Hex("23 10 00 00 02 06 00 3B") << -1;
        QTest::newRow("13") << Hex("23 8A 00 00 00 AD") << 13;
        QTest::newRow("14") << Hex("23 8C 00 00 00 AF") << 14;
        QTest::newRow("15") << Hex("23 95 00 00 00 B8") << 15;
        QTest::newRow("16") << Hex("23 96 00 00 00 B9") << 16;
        QTest::newRow("17 short reply") << Hex("23 8B 00 00 00 AE") << 17;
        QTest::newRow("18") << Hex("23 04 00 00 00 27") << 18;
        QTest::newRow("19") << Hex("23 05 00 00 00 28") << 19;
        QTest::newRow("20") << Hex("20 85 00 00 02 00 00 A7") << 20;
        QTest::newRow("21") << Hex("20 85 00 00 02 04 00 AB") << 21;
        QTest::newRow("22") << Hex("20 85 00 00 02 05 00 AC") << 22;
        QTest::newRow("00 85 b5 1") << Hex("20 85 00 00 02 01 00 A8") << -1;
        QTest::newRow("23") << Hex("21 98 00 00 00 B9") << 23;
        QTest::newRow("24") << Hex("20 D0 00 00 00 F0") << 24;
        QTest::newRow("25") << Hex("23 B0 00 00 02 07 01 DD") << 25;
        QTest::newRow("26") << Hex("23 B0 00 00 02 2C 00 01") << 26;
        QTest::newRow("27") << Hex("23 B0 00 00 02 9A 00 6F") << 27;
        QTest::newRow("28") << Hex("23 B1 00 00 02 2C 00 02") << 28;
        QTest::newRow("28 without echo") << Hex("23 B1 00 00 00 D4") << -1;
        QTest::newRow("29") << Hex("20 BF 00 00 02 00 00 E1") << 29;
        QTest::newRow("29 without data reads b5 as 0") << Hex("20 BF 00 00 00 DF") << 29;
        QTest::newRow("30") << Hex("20 BF 00 00 02 01 06 E8") << 30;
        QTest::newRow("31") << Hex("20 BF 00 00 02 02 00 E3") << 31;
        QTest::newRow("32") << Hex("21 D3 00 00 00 F4") << 32;
        QTest::newRow("negative reply") << Hex("A2 00 00 00 02 00 00 A4") << -1;
        QTest::newRow("class 04") << Hex("24 00 00 00 00 24") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
    }

    void commandIdOfReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, index);
        QCOMPARE(CCommandFunctions::f_GetCommandID(reply), index);
    }

    void compareByteArray_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("equal");
        QTest::newRow("count 0, null arrays") << QByteArray() << QByteArray() << 0 << true;
        QTest::newRow("null array") << QByteArray() << Hex("01") << 1 << false;
        QTest::newRow("empty, not null") << QByteArray("") << QByteArray("") << 1 << false;
        QTest::newRow("prefix equal") << Hex("01 02 03") << Hex("01 02 04") << 2 << true;
        QTest::newRow("differs") << Hex("01 02 03") << Hex("01 02 04") << 3 << false;
        QTest::newRow("one too short") << Hex("01 02") << Hex("01 02 03") << 3 << false;
    }

    void compareByteArray()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, count);
        QFETCH(bool, equal);
        QCOMPARE(CCommandFunctions::f_CompareByteArray(a, b, count), equal);
    }
};

QTEST_APPLESS_MAIN(tst_CCommandFunctionsProtocol)
#include "tst_CCommandFunctionsProtocol.moc"
