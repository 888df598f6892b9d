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

    void faults()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QByteArray request = Request(31);

        model.SetNack(31, 2, 18);
        QByteArray reply = model.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsCommandSumSubmit(reply));
        QVERIFY(CCommandFunctions::f_IsMatchCommandID(request, reply));
        QCOMPARE(CCommandFunctions::f_GetNackCode(reply), -138);
        // Other requests are not affected.
        QByteArray other = Request(29);
        QByteArray otherReply = model.ReplyFrame(other);
        QCOMPARE(CCommandFunctions::f_GetNackCode(otherReply), 0);
        model.ClearFaults();

        model.SetBadChecksum(31);
        reply = model.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsCommandFrameReceived(reply));
        QVERIFY(!CCommandFunctions::f_IsCommandSumSubmit(reply));
        model.ClearFaults();

        model.SetWrongEcho(31);
        reply = model.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsCommandSumSubmit(reply));
        QVERIFY(CCommandFunctions::f_IsMatchCommandID(request, reply));
        QVERIFY(reply.at(5) != request.at(5));
        model.ClearFaults();

        model.SetWrongCode(-1);
        reply = model.ReplyFrame(request);
        QVERIFY(CCommandFunctions::f_IsCommandSumSubmit(reply));
        QVERIFY(!CCommandFunctions::f_IsMatchCommandID(request, reply));
        model.ClearFaults();

        reply = model.ReplyFrame(request);
        QCOMPARE(reply.at(5), request.at(5));
        QCOMPARE(CCommandFunctions::f_GetNackCode(reply), 0);
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
