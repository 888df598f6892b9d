#include <QtTest>

#include "CCommandFunctions.h"
#include "CGainInfo.h"
#include "CProjectorData.h"
#include "CSimProjectorModel.h"
#include "EngineTestData.h"
#include "SimFrame.h"

namespace {

QByteArray Request(int index, const QList<int>& values = {})
{
    QList<CVariantParameter> params = IntParams(values);
    QByteArray frame;
    CCommandFunctions::f_MakeStaticCommand(&frame, index, &params);
    return frame;
}

QByteArray NameRequest(const QString& name)
{
    CVariantParameter p;
    p.FromByteArray(name.toUtf8());
    QList<CVariantParameter> params{p};
    QByteArray frame;
    CCommandFunctions::f_MakeStaticCommand(&frame, 28, &params);
    return frame;
}

// A model that answers everything.
CSimModelSpec Everything()
{
    CSimModelSpec spec = CSimModelSpec::Unlisted(true);
    spec.lampCount = 2;
    spec.hasMac3 = true;
    return spec;
}

} // namespace

Q_DECLARE_METATYPE(QList<int>)

class tst_CSimProjectorModel : public QObject
{
    Q_OBJECT
private slots:
    // Every request kind gets a reply that passes the engine's checks and that
    // the engine can store.
    void everyRequestKind_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("params");
        QTest::addColumn<int>("replyId");
        QTest::addColumn<bool>("stores");
        const QList<int> none;
        const QSet<int> storing{0, 1, 13, 14, 15, 16, 18, 19, 20, 21, 22, 24, 25, 26, 27, 29, 30, 31, 32};
        const QMap<int, QList<int>> params{
            {4, {0x06}}, {11, {1, 0xFF, 0, 40, 0}}, {12, {5, 0, 0, 7, 0}}, {16, {1, 1}}, {18, {2, 0, 1}},
            {19, {5, 0, 1}}, {23, {1}}, {24, {0, 4, 1}}, {27, {2}}};
        for (int index = 0; index <= 32; ++index) {
            // Cover 0 reads as the first status form when identified late.
            const int replyId = index == 22 ? 20 : index;
            QTest::addRow("%d", index) << index << params.value(index, none) << replyId << storing.contains(index);
        }
    }

    void everyRequestKind()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, params);
        QFETCH(int, replyId);
        QFETCH(bool, stores);
        CSimProjectorModel model(Everything());
        QByteArray request = index == 17 ? Request(17) : Request(index, params);
        QCOMPARE(CSimProjectorModel::RequestIndex(request), index);
        QByteArray reply = model.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsCommandFrameReceived(reply));
        QVERIFY(CCommandFunctions::f_IsCommandSumSubmit(reply));
        QVERIFY(CCommandFunctions::f_IsMatchCommandID(request, reply));
        QCOMPARE(CCommandFunctions::f_GetNackCode(reply), 0);
        QCOMPARE(CCommandFunctions::f_GetCommandID(reply), replyId);

        CProjectorData record(nullptr, 1);
        record.m_SendFrame = request;
        record.m_ReceiveFrame = reply;
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, index), stores ? 1 : 0);
    }

    // Replies written out byte by byte, so that a misreading of the protocol
    // shared by the simulator and the engine's frame checks still shows.
    void repliesByteForByte_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        const auto row = [](const char* name, const char* model, const char* request, const char* reply) {
            QTest::newRow(name) << QString::fromLatin1(model) << QByteArray::fromHex(request)
                                << QByteArray::fromHex(reply);
        };
        row("model information", "LV-X500", "00BF00000100C0", "20BF00000E00014C4C562D58353030000050054B");
        row("error status", "", "008800000088", "208800000C000000000000000000000000B4");
        row("common status", "", "00BF00000102C2", "20BF00000A02040001010000000000F1");
        row("power on", "", "020000000002", "220000000022");
        row("input", "", "020300000201060E", "220300000025");
        row("OSD mute off", "", "021500000017", "221500000037");
        row("freeze on", "", "0198000001019B", "2198000000B9");
        row("adjustment set", "", "031000000500FF0A030024", "23100000010034");
        row("lamp times", "", "038C0000008F", "238C000010100E000000000000201C00000000000019");
        row("filter", "", "039500000098", "2395000008100E0000407E0500A1");
        row("lamp 2 usage", "", "039600000201019D", "23960000060101201C0000FD");
        row("adjustment get", "", "03040000030000010B", "2304000009026400000032001E00E6");
        row("adjustment get, second form", "", "03050000030000010C", "230500000A026400000032001E0001E9");
        row("cover", "", "0085000001058B", "208500000100A6");
        row("horizontal frequency", "", "00D0000003000301D7", "20D000000D03010936332E39365B6B487A5DF5");
        row("lamp mode", "", "03B000000107BB", "23B00000020701DD");
        row("name", "", "03B00000012CE0", "23B00000122C504A2D310000000000000000000000000009");
        row("MAC 1", "", "03B00000029A004F", "23B00000089A0000112233445574");
        row("serial number", "", "00BF0000020106C8", "20BF00001201063031323334353637383941420000000088");
        row("name set", "", "03B10000122C504A310000000000000000000000000000BD", "23B10000012C01");
        row("not supported", "LV-L100", "0085000001058B", "A085000002000128");
    }

    void repliesByteForByte()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        CSimProjectorModel sim(model.isEmpty() ? Everything() : CSimModelSpec::Shipped(model));
        CSimProjectorState& s = sim.State();
        s.power = 4;
        s.lampUsage[0] = 3600;
        s.lampRemaining[0] = 3600;
        s.filterUsage = 3600;
        s.lampMode = 1;
        s.gains[0].current = 30;
        QCOMPARE(sim.ReplyFrame(request).toHex().toUpper(), reply.toHex().toUpper());
    }

    void modelInformationCarriesTheCode()
    {
        const CSimModelSpec spec = CSimModelSpec::Shipped(QStringLiteral("LV-X500"));
        CSimProjectorModel model(spec);
        CProjectorData record(nullptr, 1);
        record.m_ReceiveFrame = model.ReplyFrame(Request(29));
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, 29), 1);
        CCommandFunctions::f_ModelInfoUpdate(&record);
        QCOMPARE(record.m_Status[CProjectorData::StModelCode1].ToUChar(), quint8(0x4C));
        QCOMPARE(record.m_Status[CProjectorData::StModelCode2].ToUChar(), quint8(0x50));
        QCOMPARE(record.m_Status[CProjectorData::StModelCode3].ToUChar(), quint8(0x05));
        QCOMPARE(record.m_Status[CProjectorData::StModelCode4].ToUChar(), quint8(0x01));
        QCOMPARE(record.m_Status[CProjectorData::StModelName].ToString(), QStringLiteral("LV-X500"));
    }

    void shippedModelsRefuseWhatTheirProfilesLeaveOut_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("code");
        QTest::newRow("LV-L100 lens cover") << "LV-L100" << Request(22) << -101;
        QTest::newRow("LV-L100 third MAC") << "LV-L100" << Request(27, {2}) << -101;
        QTest::newRow("LV-L100 second MAC") << "LV-L100" << Request(27, {1}) << 0;
        QTest::newRow("LV-L100 lamp 2") << "LV-L100" << Request(16, {1, 1}) << -101;
        QTest::newRow("LV-L100 signal") << "LV-L100" << Request(1) << 0;
        QTest::newRow("LV-D200 sound mute") << "LV-D200" << Request(7) << -101;
        QTest::newRow("LV-D200 volume get") << "LV-D200" << Request(18, {5, 0, 1}) << -101;
        QTest::newRow("LV-D200 brightness get") << "LV-D200" << Request(18, {0, 0, 1}) << 0;
        QTest::newRow("LV-D200 freeze") << "LV-D200" << Request(23, {1}) << -101;
        QTest::newRow("LV-D200 lamp 2") << "LV-D200" << Request(16, {1, 1}) << 0;
        QTest::newRow("LV-X500 lamp times") << "LV-X500" << Request(14) << -101;
        QTest::newRow("LV-X500 filter") << "LV-X500" << Request(15) << -101;
        QTest::newRow("LV-X500 third MAC") << "LV-X500" << Request(27, {2}) << 0;
        QTest::newRow("LV-E300 name set") << "LV-E300" << NameRequest(QStringLiteral("A")) << -101;
        QTest::newRow("LV-E300 cover") << "LV-E300" << Request(22) << 0;
    }

    void shippedModelsRefuseWhatTheirProfilesLeaveOut()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, request);
        QFETCH(int, code);
        CSimProjectorModel sim(CSimModelSpec::Shipped(model));
        QByteArray reply = sim.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsMatchCommandID(request, reply));
        QCOMPARE(CCommandFunctions::f_GetNackCode(reply), code);
    }

    void setRequestsChangeTheState()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        model.ReplyFrame(Request(2));
        model.ReplyFrame(Request(4, {0x1A}));
        model.ReplyFrame(Request(5));
        model.ReplyFrame(Request(7));
        model.ReplyFrame(Request(9));
        model.ReplyFrame(Request(8));
        model.ReplyFrame(Request(23, {1}));
        model.ReplyFrame(NameRequest(QStringLiteral("Hall 3")));
        model.ReplyFrame(Request(11, {1, 0xFF, 0, 40, 0}));     // contrast to 40
        model.ReplyFrame(Request(11, {1, 0xFF, 1, 0xFB, 0xFF})); // then 5 down

        CProjectorData record(nullptr, 1);
        record.m_ReceiveFrame = model.ReplyFrame(Request(31));
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, 31), 1);
        CCommandFunctions::f_ProjectorCommonStatusUpdate(&record);
        const CVariantParameter* st = record.m_Status;
        QCOMPARE(st[CProjectorData::StPowerStatus].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StInputTerminal].ToInt(), 0x1A);
        QCOMPARE(st[CProjectorData::StPictureMute].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StSoundMute].ToInt(), 0);
        QCOMPARE(st[CProjectorData::StOsdMute].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StFreeze].ToBool(), true);

        record.m_ReceiveFrame = model.ReplyFrame(Request(26));
        CCommandFunctions::f_StoreReceivedData(&record, 26);
        QCOMPARE(st[CCommandFunctions::RawProjectorName].ToString(), QStringLiteral("Hall 3"));

        record.m_SendFrame = Request(18, {1, 0, 1});
        record.m_ReceiveFrame = model.ReplyFrame(record.m_SendFrame);
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, 18), 1);
        QCOMPARE(record.m_ReceivedGainInfo.value(256)->m_Current.ToInt(), 35);

        model.ReplyFrame(Request(3));
        QCOMPARE(model.State().power, int(CSimProjectorState::POWER_STANDBY));
    }

    void warmUpAndCoolDown()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-E300")));
        model.State().warmUpMs = 30;
        model.State().coolDownMs = 30;
        model.ReplyFrame(Request(2));
        QCOMPARE(model.State().power, int(CSimProjectorState::POWER_WARMING));
        QTRY_COMPARE(model.State().power, int(CSimProjectorState::POWER_ON));
        model.ReplyFrame(Request(3));
        QCOMPARE(model.State().power, int(CSimProjectorState::POWER_COOLING));
        QTRY_COMPARE(model.State().power, int(CSimProjectorState::POWER_STANDBY));
    }

    void errorBitsReachTheErrorStatusReply()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        model.State().errorWordA = 0x00100040;
        model.State().errorWordB = -2;
        model.State().errorByte8 = 0x81;
        CProjectorData record(nullptr, 1);
        record.m_ReceiveFrame = model.ReplyFrame(Request(0));
        QCOMPARE(CCommandFunctions::f_StoreReceivedData(&record, 0), 1);
        QCOMPARE(record.m_Status[CCommandFunctions::RawErrorData1_4].ToInt(), 0x00100040);
        QCOMPARE(record.m_Status[CCommandFunctions::RawErrorData9_12].ToInt(), -2);
        QCOMPARE(record.m_Status[CCommandFunctions::RawErrorData8].ToUChar(), quint8(0x81));
    }

    // The simulator's start option hands the reply's data bytes over as they are.
    void errorStatusFromItsData_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QByteArray>("replied");
        QTest::newRow("lamp failure") << QByteArray::fromHex("40") << true
                                      << QByteArray::fromHex("400000000000000000000000");
        QTest::newRow("every field") << QByteArray::fromHex("0180004002f0b1c2ff00ff7f") << true
                                     << QByteArray::fromHex("0180004002f0b1c2ff00ff7f");
        QTest::newRow("none") << QByteArray() << true << QByteArray(12, '\0');
        QTest::newRow("thirteen bytes") << QByteArray(13, '\x01') << false << QByteArray::fromHex("0700000000000000010000ff");
    }

    void errorStatusFromItsData()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, taken);
        QFETCH(QByteArray, replied);
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QVERIFY(model.State().SetErrorStatus(QByteArray::fromHex("0700000000000000010000ff")));
        QCOMPARE(model.State().SetErrorStatus(data), taken);
        const QByteArray frame = model.ReplyFrame(Request(0));
        QCOMPARE(frame.mid(5, 12).toHex(), replied.toHex());
    }

    void faults()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        const QByteArray request = QByteArray::fromHex("00BF00000102C2");
        const QByteArray good = QByteArray::fromHex("20BF00000A02000001010000000000ED");
        QCOMPARE(model.ReplyFrame(request).toHex(), good.toHex());

        model.SetNack(31, 2, 18);
        QCOMPARE(model.ReplyFrame(request).toHex(), QByteArray("a0bf000002021275"));
        // Other requests are not affected.
        QCOMPARE(model.ReplyFrame(QByteArray::fromHex("00BF00000100C0")).left(2).toHex(), QByteArray("20bf"));
        model.ClearFaults();

        model.SetBadChecksum(31);
        QCOMPARE(model.ReplyFrame(request).toHex(), QByteArray("20bf00000a02000001010000000000b7"));
        model.ClearFaults();

        model.SetWrongEcho(31);
        QCOMPARE(model.ReplyFrame(request).toHex(), QByteArray("20bf00000afd000001010000000000e8"));
        model.ClearFaults();

        model.SetWrongCode(-1);
        QCOMPARE(model.ReplyFrame(request).toHex(), QByteArray("20c000000a02000001010000000000ee"));
        model.ClearFaults();

        QCOMPARE(model.ReplyFrame(request).toHex(), good.toHex());
    }

    void unknownRequestsGetNoAnswer()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QVERIFY(model.ReplyFrame(MakeSimFrame(0x04, 0x00, QByteArray())).isEmpty());
        QVERIFY(model.ReplyFrame(QByteArray::fromHex("0088")).isEmpty());
        QCOMPARE(model.Answer(MakeSimFrame(0x02, 0x02, QByteArray())).action, CSimReply::ACTION_SILENCE);
    }
};

QTEST_GUILESS_MAIN(tst_CSimProjectorModel)
#include "tst_CSimProjectorModel.moc"
