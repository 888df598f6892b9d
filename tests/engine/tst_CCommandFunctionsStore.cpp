#include <QtTest>

#include "CCommandFunctions.h"
#include "CGainInfo.h"
#include "CProjectorData.h"
#include "EngineTestData.h"
#include "SimFrame.h"

namespace {

QByteArray Reply(int cls, int code, const QByteArray& data)
{
    return MakeSimFrame(static_cast<unsigned char>(cls), static_cast<unsigned char>(code), data);
}

QString HexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

QByteArray Zeros(int n)
{
    return QByteArray(n, '\0');
}

int SetCount(const CProjectorData& record)
{
    int count = 0;
    for (int i = CProjectorData::StRaw083; i <= CProjectorData::StRaw141; ++i)
        count += record.m_Status[i].IsSet() ? 1 : 0;
    return count;
}

} // namespace

// Each row: the reply to request `index`; what is read back from one raw slot
// afterwards ("i" integer, "b" hex bytes, "s" text); rows with `stored` 0
// must leave every raw slot untouched.
class tst_CCommandFunctionsStore : public QObject
{
    Q_OBJECT
private slots:
    void layouts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("expected");
        typedef CCommandFunctions C;

        const QByteArray errors = Hex("01 02 03 84 05 86 07 08 09 0A 0B 8C");
        QTest::newRow("0 word A") << 0 << Reply(0x20, 0x88, errors) << 1 << int(C::RawErrorData1_4) << "i"
                                  << QString::number(qint32(0x84030201));
        QTest::newRow("0 data 5-6 signed") << 0 << Reply(0x20, 0x88, errors) << 1 << int(C::RawErrorData5_6) << "i"
                                           << QString::number(qint16(0x8605));
        QTest::newRow("0 data 7") << 0 << Reply(0x20, 0x88, errors) << 1 << int(C::RawErrorData7) << "i" << "7";
        QTest::newRow("0 data 8") << 0 << Reply(0x20, 0x88, errors) << 1 << int(C::RawErrorData8) << "i" << "8";
        QTest::newRow("0 word B") << 0 << Reply(0x20, 0x88, errors) << 1 << int(C::RawErrorData9_12) << "i"
                                  << QString::number(qint32(0x8C0B0A09));
        QTest::newRow("0 one byte short") << 0 << Reply(0x20, 0x88, errors.left(11)) << 0 << -1 << "" << "";

        QByteArray signal = Hex("63 00 00") + QByteArray("COMPUTER1").leftJustified(15, '\0') + Zeros(20) + Hex("07 09");
        QTest::newRow("1 name") << 1 << Reply(0x20, 0x92, signal) << 1 << int(C::RawSignalName) << "b"
                                << HexText(QByteArray("COMPUTER1").leftJustified(15, '\0'));
        QTest::newRow("1 byte 43") << 1 << Reply(0x20, 0x92, signal) << 1 << int(C::RawSignalByte1) << "i" << "7";
        QTest::newRow("1 byte 44") << 1 << Reply(0x20, 0x92, signal) << 1 << int(C::RawSignalByte2) << "i" << "9";
        QTest::newRow("1 short") << 1 << Reply(0x20, 0x92, signal.left(39)) << 0 << -1 << "" << "";

        QTest::newRow("13") << 13 << Reply(0x23, 0x8A, QByteArray(49, 'v')) << 1 << int(C::RawInformation49) << "b"
                            << HexText(QByteArray(49, 'v'));
        QTest::newRow("13 short") << 13 << Reply(0x23, 0x8A, QByteArray(48, 'v')) << 0 << -1 << "" << "";

        const QByteArray times = Hex("10 0E 00 00 00 00 00 00 20 1C 00 00 FF FF FF FF");
        QTest::newRow("14 T1") << 14 << Reply(0x23, 0x8C, times) << 1 << int(C::RawLampTime1) << "i" << "3600";
        QTest::newRow("14 T3") << 14 << Reply(0x23, 0x8C, times) << 1 << int(C::RawLampTime3) << "i" << "7200";
        QTest::newRow("14 T4 negative") << 14 << Reply(0x23, 0x8C, times) << 1 << int(C::RawLampTime4) << "i" << "-1";
        QTest::newRow("14 short") << 14 << Reply(0x23, 0x8C, times.left(15)) << 0 << -1 << "" << "";

        const QByteArray filter = Hex("10 0E 00 00 40 7E 05 00");
        QTest::newRow("15 usage") << 15 << Reply(0x23, 0x95, filter) << 1 << int(C::RawFilterUsage) << "i" << "3600";
        QTest::newRow("15 alarm") << 15 << Reply(0x23, 0x95, filter) << 1 << int(C::RawFilterAlarm) << "i" << "360000";
        QTest::newRow("15 short") << 15 << Reply(0x23, 0x95, filter.left(7)) << 0 << -1 << "" << "";

        QTest::newRow("16 lamp 1 usage") << 16 << Reply(0x23, 0x96, Hex("00 01 00 46 05 00")) << 1
                                         << int(C::RawLamp1Content1) << "i" << "345600";
        QTest::newRow("16 lamp 2 usage") << 16 << Reply(0x23, 0x96, Hex("01 01 10 0E 00 00")) << 1
                                         << int(C::RawLamp2Content1) << "i" << "3600";
        QTest::newRow("16 lamp byte 2 is lamp 1") << 16 << Reply(0x23, 0x96, Hex("02 00 05 00 00 00")) << 1
                                                  << int(C::RawLamp1Content0) << "i" << "5";
        QTest::newRow("16 content 2") << 16 << Reply(0x23, 0x96, Hex("00 02 01 00 00 00")) << 1
                                      << int(C::RawLamp1Content2) << "i" << "1";
        QTest::newRow("16 content 3") << 16 << Reply(0x23, 0x96, Hex("01 03 02 00 00 00")) << 1
                                      << int(C::RawLamp2Content3) << "i" << "2";
        QTest::newRow("16 content 8") << 16 << Reply(0x23, 0x96, Hex("00 08 03 00 00 00")) << 1
                                      << int(C::RawLamp1Content8) << "i" << "3";
        QTest::newRow("16 content 4 reads byte 10") << 16 << Reply(0x23, 0x96, Hex("00 04 FF FF FF 32")) << 1
                                                    << int(C::RawLamp1Content4) << "i" << "50";
        QTest::newRow("16 content 4 negative refused") << 16 << Reply(0x23, 0x96, Hex("00 04 00 00 00 F0")) << 0
                                                       << -1 << "" << "";
        QTest::newRow("16 content 5 refused") << 16 << Reply(0x23, 0x96, Hex("00 05 01 00 00 00")) << 0 << -1 << ""
                                              << "";
        QTest::newRow("16 short") << 16 << Reply(0x23, 0x96, Hex("00 01 00 46 05")) << 0 << -1 << "" << "";

        QTest::newRow("20") << 20 << Reply(0x20, 0x85, Hex("01 02 03")) << 1 << int(C::RawStatus3) << "i" << "3";
        QTest::newRow("20 short") << 20 << Reply(0x20, 0x85, Hex("01 02")) << 0 << -1 << "" << "";
        QTest::newRow("21") << 21 << Reply(0x20, 0x85, QByteArray(32, 'k')) << 1 << int(C::RawStatusBlock) << "b"
                            << HexText(QByteArray(32, 'k'));
        QTest::newRow("21 short") << 21 << Reply(0x20, 0x85, QByteArray(31, 'k')) << 0 << -1 << "" << "";
        QTest::newRow("22 cover at byte 5") << 22 << Reply(0x20, 0x85, Hex("01")) << 1 << int(C::RawCover) << "i"
                                            << "1";
        QTest::newRow("22 no data") << 22 << Reply(0x20, 0x85, QByteArray()) << 0 << -1 << "" << "";

        QTest::newRow("24 horizontal") << 24 << Reply(0x20, 0xD0, Hex("03 01 09") + QByteArray("63.96[kHz]")) << 1
                                       << int(C::RawFreqHorizontal) << "b" << HexText(QByteArray("63.96[kHz]"));
        QTest::newRow("24 vertical") << 24 << Reply(0x20, 0xD0, Hex("04 01 01") + QByteArray("60")) << 1
                                     << int(C::RawFreqVertical) << "b" << HexText(QByteArray("60"));
        QTest::newRow("24 sync") << 24 << Reply(0x20, 0xD0, Hex("05 01 00") + QByteArray("+")) << 1
                                 << int(C::RawSyncPolarity) << "b" << HexText(QByteArray("+"));
        QTest::newRow("24 other kind") << 24 << Reply(0x20, 0xD0, Hex("06 01 00") + QByteArray("+")) << 0 << -1 << ""
                                       << "";
        QTest::newRow("24 byte 6 not 1") << 24 << Reply(0x20, 0xD0, Hex("03 02 00") + QByteArray("+")) << 0 << -1
                                         << "" << "";
        QTest::newRow("24 text shorter than its length")
            << 24 << Reply(0x20, 0xD0, Hex("03 01 09") + QByteArray("63.96")) << 0 << -1 << "" << "";

        QTest::newRow("25") << 25 << Reply(0x23, 0xB0, Hex("07 02")) << 1 << int(C::RawLampMode) << "i" << "2";
        QTest::newRow("25 short") << 25 << Reply(0x23, 0xB0, Hex("07")) << 0 << -1 << "" << "";

        QTest::newRow("26 name") << 26 << Reply(0x23, 0xB0, Hex("2C") + QByteArray("PJ-1").leftJustified(17, '\0'))
                                 << 1 << int(C::RawProjectorName) << "s" << "PJ-1";
        QTest::newRow("26 Shift_JIS name")
            << 26 << Reply(0x23, 0xB0, Hex("2C 83 76 83 8D 00 41") + Zeros(11)) << 1 << int(C::RawProjectorName) << "s"
            << QStringLiteral("プロ");
        QTest::newRow("26 short") << 26 << Reply(0x23, 0xB0, Hex("2C") + QByteArray("PJ-1").leftJustified(16, '\0'))
                                  << 0 << -1 << "" << "";

        QTest::newRow("27 MAC 1") << 27 << Reply(0x23, 0xB0, Hex("9A 00 00 11 22 33 44 55")) << 1
                                  << int(C::RawMacAddress1) << "b" << "001122334455";
        QTest::newRow("27 MAC 2") << 27 << Reply(0x23, 0xB0, Hex("9A 01 00 11 22 33 44 56")) << 1
                                  << int(C::RawMacAddress2) << "b" << "001122334456";
        QTest::newRow("27 MAC 3") << 27 << Reply(0x23, 0xB0, Hex("9A 02 00 11 22 33 44 57")) << 1
                                  << int(C::RawMacAddress3) << "b" << "001122334457";
        QTest::newRow("27 other goes to MAC 1") << 27 << Reply(0x23, 0xB0, Hex("9A 07 AA BB CC DD EE FF")) << 1
                                                << int(C::RawMacAddress1) << "b" << "aabbccddeeff";
        QTest::newRow("27 short") << 27 << Reply(0x23, 0xB0, Hex("9A 00 00 11 22 33 44")) << 0 << -1 << "" << "";

        const QByteArray model = Hex("00 FF 13 4B 58 32 30 30 41 00 00 00 10 85");
        QTest::newRow("29 code 1 at byte 7") << 29 << Reply(0x20, 0xBF, model) << 1 << int(C::RawModelCode1) << "i"
                                             << "19";
        QTest::newRow("29 code 2 at byte 17") << 29 << Reply(0x20, 0xBF, model) << 1 << int(C::RawModelCode2) << "i"
                                              << "16";
        QTest::newRow("29 code 3 at byte 18") << 29 << Reply(0x20, 0xBF, model) << 1 << int(C::RawModelCode3) << "i"
                                              << "133";
        QTest::newRow("29 code 4 at byte 6") << 29 << Reply(0x20, 0xBF, model) << 1 << int(C::RawModelCode4) << "i"
                                             << "255";
        QTest::newRow("29 name") << 29 << Reply(0x20, 0xBF, model) << 1 << int(C::RawModelName) << "b"
                                 << "4b5832303041000000";
        QTest::newRow("29 short") << 29 << Reply(0x20, 0xBF, model.left(13)) << 0 << -1 << "" << "";

        QTest::newRow("30") << 30 << Reply(0x20, 0xBF, Hex("01 06") + QByteArray("0123456789AB").leftJustified(16, '\0'))
                            << 1 << int(C::RawSerialNumber) << "b"
                            << HexText(QByteArray("0123456789AB").leftJustified(16, '\0'));
        QTest::newRow("30 short") << 30 << Reply(0x20, 0xBF, Hex("01 06") + QByteArray(15, 'x')) << 0 << -1 << "" << "";

        const QByteArray common = Hex("02 01 0A 02 03 0B 01 00 01 05");
        QTest::newRow("31 b6") << 31 << Reply(0x20, 0xBF, common) << 1 << int(C::RawCommonB6) << "i" << "1";
        QTest::newRow("31 b7") << 31 << Reply(0x20, 0xBF, common) << 1 << int(C::RawCommonB7) << "i" << "10";
        QTest::newRow("31 b9") << 31 << Reply(0x20, 0xBF, common) << 1 << int(C::RawCommonB9) << "i" << "3";
        QTest::newRow("31 b14") << 31 << Reply(0x20, 0xBF, common) << 1 << int(C::RawCommonB14) << "i" << "5";
        QTest::newRow("31 short") << 31 << Reply(0x20, 0xBF, common.left(9)) << 0 << -1 << "" << "";
        QTest::newRow("31 no data at all") << 31 << Hex("20 BF 00 00 00 DF") << 0 << -1 << "" << "";

        QByteArray maker = Hex("01 07") + QByteArray("ONE").leftJustified(16, '\0')
                           + QByteArray("CorvexPJ").leftJustified(16, '\0') + QByteArray("THREE").leftJustified(16, '\0');
        QTest::newRow("32 maker byte") << 32 << Reply(0x21, 0xD3, maker) << 1 << int(C::RawMakerByte) << "i" << "7";
        QTest::newRow("32 field 2") << 32 << Reply(0x21, 0xD3, maker) << 1 << int(C::RawMakerField2) << "b"
                                    << HexText(QByteArray("CorvexPJ").leftJustified(16, '\0'));
        QTest::newRow("32 field 3") << 32 << Reply(0x21, 0xD3, maker) << 1 << int(C::RawMakerField3) << "b"
                                    << HexText(QByteArray("THREE").leftJustified(16, '\0'));
        QTest::newRow("32 short") << 32 << Reply(0x21, 0xD3, maker.left(49)) << 0 << -1 << "" << "";

        for (int index : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 23, 28})
            QTest::addRow("%d stores nothing", index) << index << Reply(0x22, 0x00, Zeros(60)) << 0 << -1 << "" << "";
        QTest::newRow("-1 stores nothing") << -1 << Reply(0x22, 0x00, Zeros(60)) << 0 << -1 << "" << "";
        QTest::newRow("33 stores nothing") << 33 << Reply(0x22, 0x00, Zeros(60)) << 0 << -1 << "" << "";
        QTest::newRow("empty frame") << 0 << QByteArray() << 0 << -1 << "" << "";
        QTest::newRow("length field beyond the bytes") << 0 << Hex("20 88 00 00 0C 00 00") << 0 << -1 << "" << "";
    }

    void layouts()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, reply);
        QFETCH(int, stored);
        QFETCH(int, slot);
        QFETCH(QString, form);
        QFETCH(QString, expected);

        CProjectorData record(nullptr, 1);
        record.m_ReceiveFrame = reply;
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, index), stored);
        if (stored == 0) {
            QCOMPARE(SetCount(record), 0);
            return;
        }
        const CVariantParameter& value = record.m_Status[slot];
        QVERIFY(value.IsSet());
        if (form == QLatin1String("i"))
            QCOMPARE(QString::number(value.ToInt64()), expected);
        else if (form == QLatin1String("b"))
            QCOMPARE(QString::fromLatin1(value.ToByteArray().toHex()), expected.toLower());
        else
            QCOMPARE(value.ToString(), expected);
    }

    void adjustmentReplies_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("defaultKnown");

        QByteArray sent18, sent19, sent18volume;
        QList<CVariantParameter> p = IntParams({1, 0, 1});
        CCommandFunctions::f_MakeStaticCommand(&sent18, 18, &p);
        CCommandFunctions::f_MakeStaticCommand(&sent19, 19, &p);
        p[0].FromInt(5);
        CCommandFunctions::f_MakeStaticCommand(&sent18volume, 18, &p);
        const QByteArray values = Hex("02 64 00 F6 FF 32 00 1E 00");
        QTest::newRow("18 contrast") << 18 << sent18 << Reply(0x23, 0x04, values) << 1 << 256 << 1;
        QTest::newRow("18 volume") << 18 << sent18volume << Reply(0x23, 0x04, values) << 1 << 1280 << 1;
        QTest::newRow("19 default-known from byte 14") << 19 << sent19 << Reply(0x23, 0x05, values + Hex("00")) << 1
                                                       << 256 << 0;
        QTest::newRow("18 short") << 18 << sent18 << Reply(0x23, 0x04, values.left(8)) << 0 << 256 << 0;
        QTest::newRow("19 without byte 14") << 19 << sent19 << Reply(0x23, 0x05, values) << 0 << 256 << 0;
        QTest::newRow("18 no such key") << 18 << Hex("03 04 00 00 03 09 00 01 14") << Reply(0x23, 0x04, values) << 0
                                        << 256 << 0;
        QTest::newRow("18 nothing sent") << 18 << QByteArray() << Reply(0x23, 0x04, values) << 0 << 256 << 0;
    }

    void adjustmentReplies()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, reply);
        QFETCH(int, stored);
        QFETCH(int, key);
        QFETCH(int, defaultKnown);

        CProjectorData record(nullptr, 1);
        record.m_SendFrame = sent;
        record.m_ReceiveFrame = reply;
        CGainInfo* gain = record.m_ReceivedGainInfo.value(key);
        QVERIFY(gain != nullptr);
        const int before = gain->m_Current.ToInt();
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, index), stored);
        if (stored == 0) {
            QCOMPARE(gain->m_Current.ToInt(), before);
            return;
        }
        QCOMPARE(gain->m_Status.ToInt(), 2);
        QCOMPARE(gain->m_Max.ToInt(), 100);
        QCOMPARE(gain->m_Min.ToInt(), -10);
        QCOMPARE(gain->m_Default.ToInt(), 50);
        QCOMPARE(gain->m_Current.ToInt(), 30);
        QCOMPARE(gain->m_DefaultKnown.ToInt(), defaultKnown);
        QCOMPARE(gain->m_Kind.ToInt(), key >> 8);
        QVERIFY(gain->m_Kind.IsSet());
        QVERIFY(gain->m_Index.IsSet());
        // The shown record is not touched by storing.
        QVERIFY(record.m_GainInfo.value(key)->m_Current.ToInt() != 30);
    }
};

QTEST_APPLESS_MAIN(tst_CCommandFunctionsStore)
#include "tst_CCommandFunctionsStore.moc"
