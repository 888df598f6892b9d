#include <QtTest>

#include "CCommandFunctionsEvent.h"
#include "CGainInfo.h"
#include "CProfile.h"
#include "EngineTestData.h"
#include "EngineTestRig.h"
#include "SimFrame.h"

namespace {

const int FROM = 1;
const int ACT = 1;
const int CMD_UPDATE = 1;

using namespace ProfileFlag;

QStringList Gains(const QString& request)
{
    QStringList out;
    for (int kind = 0; kind <= 5; ++kind)
        out << QStringLiteral("%1 0%2 00 01").arg(request).arg(kind);
    return out;
}

// Every request of a full update with every flag on, first lamp and
// adjustment forms.
QStringList FullStreamFirstForms()
{
    return QStringList{"29", "31", "26", "27 00", "27 01", "27 02", "25", "22", "14", "16 01 01", "15", "1",
                       "24 00 03 01", "24 00 04 01", "24 00 05 01", "0", "30"}
           + Gains("18");
}

QStringList FullStreamNewForms()
{
    return QStringList{"29", "31", "26", "27 00", "27 01", "27 02", "25", "22", "16 00 01", "16 01 01", "15", "1",
                       "24 00 03 01", "24 00 04 01", "24 00 05 01", "0", "30"}
           + Gains("19");
}

} // namespace

// The status update against a simulated LV-L100 whose profile is switched to
// the test model's flags.
class tst_CCommandFunctionsUpdate : public QObject
{
    Q_OBJECT

    // A simulated projector that answers everything, with a profile that asks
    // for everything; `newForms` picks the newer lamp and adjustment requests.
    int AddFullModel(EngineTestRig& rig, bool newForms)
    {
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel* model = rig.Model(id);
        model->Spec().unsupported.clear();
        model->Spec().hasMac3 = true;
        model->Spec().lampCount = 2;
        model->State().power = CSimProjectorState::POWER_ON;
        rig.SetFlags(id, {ReqProjectorName, ReqMACAddress, ReqMACAddress3, ReqLampMode, ChkLensCoverSts,
                          ReqRemainingLampTime, ReqRemainingLamp2Time, ReqRemainingFilterUsage, ReqSourceName,
                          ReqHorizontalFrequency, ReqVerticalFrequency, ReqSyncPolarity, ReqRemark, ReqSerialNumber,
                          ReqGainPicture, ReqGainVolume, IsErrorNackOfMAC2},
                     true);
        rig.SetFlags(id, {UseNewCommandReqRemainingLampTime, UseNewCommandReqGainParameter}, newForms);
        return id;
    }

    static void Update(EngineTestRig& rig, int id, EngineSpies& spies, bool cache = false)
    {
        const int before = spies.Ends();
        QCOMPARE(rig.m_Engine.GetGeneralData(40, id, FROM, ACT, CMD_UPDATE, cache), 0);
        QTRY_COMPARE(spies.Ends(), before + 1);
    }

private slots:
    void requestStream_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("requests");
        QTest::newRow("every flag on, first forms") << "" << FullStreamFirstForms();
        QTest::newRow("newer lamp and adjustment forms") << "new" << FullStreamNewForms();
        QTest::newRow("1 W standby: identification only") << "standby" << QStringList{"29", "31"};
        QTest::newRow("power status 16 is 1 W standby too") << "standby16" << QStringList{"29", "31"};
        QTest::newRow("no serial number: ends after the error status")
            << "noserial" << QStringList(FullStreamFirstForms().mid(0, 16));
        QStringList noVolume = FullStreamFirstForms();
        noVolume.removeLast();
        QTest::newRow("no volume: ends after the picture adjustments") << "novolume" << noVolume;
        QStringList serial = FullStreamFirstForms();
        serial.erase(serial.begin() + 3, serial.begin() + 6);
        QTest::newRow("serial line: no MAC addresses") << "serial" << serial;
        QTest::newRow("nothing optional asked")
            << "bare" << QStringList{"29", "31", "0", "30"};
    }

    void requestStream()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, requests);
        EngineTestRig rig;
        const int id = AddFullModel(rig, setup == QLatin1String("new"));
        if (setup == QLatin1String("standby"))
            rig.Model(id)->State().power = 15;
        else if (setup == QLatin1String("standby16"))
            rig.Model(id)->State().power = 16;
        else if (setup == QLatin1String("noserial"))
            rig.SetFlags(id, {ReqSerialNumber}, false);
        else if (setup == QLatin1String("novolume"))
            rig.SetFlags(id, {ReqGainVolume}, false);
        else if (setup == QLatin1String("serial"))
            rig.Record(id)->m_DeviceKind = 1;
        else if (setup == QLatin1String("bare"))
            rig.SetFlags(id, {ReqProjectorName, ReqMACAddress, ReqMACAddress3, ReqLampMode, ChkLensCoverSts,
                              ReqRemainingLampTime, ReqRemainingLamp2Time, ReqRemainingFilterUsage, ReqSourceName,
                              ReqHorizontalFrequency, ReqVerticalFrequency, ReqSyncPolarity, ReqGainPicture,
                              ReqGainVolume, UseNewCommandReqRemainingLampTime},
                         false);
        EngineSpies spies(&rig.m_Engine);

        Update(rig, id, spies);
        QCOMPARE(rig.RequestTexts(id), requests);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(spies.updateError.count(), 0);
        QCOMPARE(spies.timing.count(), 1);
        CProjectorData* record = rig.Record(id);
        QCOMPARE(record->m_StepNo, 0);
        QVERIFY(record->m_TempParameters.isEmpty());
    }

    void valuesReachTheRecord_data()
    {
        QTest::addColumn<bool>("newForms");
        QTest::newRow("first forms") << false;
        QTest::newRow("newer forms") << true;
    }

    void valuesReachTheRecord()
    {
        QFETCH(bool, newForms);
        EngineTestRig rig;
        const int id = AddFullModel(rig, newForms);
        CSimProjectorState& s = rig.Model(id)->State();
        s.projectorName = QStringLiteral("Hall A");
        s.lampMode = 1;
        s.cover = 1;
        s.lampUsage[0] = 3600;
        s.lampRemaining[0] = 7200;
        s.lampUsage[1] = 100;
        s.filterUsage = 1800;
        s.filterAlarm = 360000;
        s.errorWordA = 0x81;
        s.errorWordB = 0x4;
        s.gains[CGainInfo::Key(1, 0)].current = 33;
        s.gains[CGainInfo::Key(5, 0)].maximum = 20;
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QCOMPARE(spies.completed.count(), 1);

        const CProjectorData* record = rig.Record(id);
        const CVariantParameter* st = record->m_Status;
        QCOMPARE(st[CProjectorData::StProjectorName].ToString(), QStringLiteral("Hall A"));
        QCOMPARE(st[CProjectorData::StMacAddress1].ToByteArray(), Hex("00 11 22 33 44 55"));
        QCOMPARE(st[CProjectorData::StMacAddress3].ToByteArray(), Hex("00 11 22 33 44 57"));
        QVERIFY(st[CProjectorData::StMacValid1].ToBool());
        QVERIFY(st[CProjectorData::StMacValid3].ToBool());
        QCOMPARE(st[CProjectorData::StLampMode].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StLensCover].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StLamp1Info].ToInt(), 0);
        QCOMPARE(st[CProjectorData::StLamp1Usage].ToLong(), 3600);
        // The first form also tells the remaining time: T3 - T1.
        QCOMPARE(st[CProjectorData::StLamp1Remaining].ToLong(), newForms ? 0 : 7200);
        QCOMPARE(st[CProjectorData::StLamp2Info].ToInt(), 0);
        QCOMPARE(st[CProjectorData::StLamp2Usage].ToLong(), 100);
        QCOMPARE(st[CProjectorData::StFilterInfo].ToInt(), 0);
        QCOMPARE(st[CProjectorData::StFilterUsed].ToLong(), 1800);
        QCOMPARE(st[CProjectorData::StFilterAlarm].ToLong(), 360000);
        QCOMPARE(st[CProjectorData::StSignalName].ToString(), QStringLiteral("COMPUTER1"));
        QCOMPARE(st[CProjectorData::StFreqHorizontal].ToString(), QStringLiteral("63.96[kHz]"));
        QCOMPARE(st[CProjectorData::StFreqVertical].ToString(), QStringLiteral("60.02[Hz]"));
        QCOMPARE(st[CProjectorData::StSyncPolarity].ToString(), QStringLiteral("H:(-) V:(-)"));
        QCOMPARE(st[CProjectorData::StErrorWordA].ToULong(), 0x81u);
        QCOMPARE(st[CProjectorData::StErrorWordB].ToULong(), 0x4u);
        QCOMPARE(st[CProjectorData::StSerialNumber].ToString(), QStringLiteral("0123456789AB"));
        const CGainInfo* contrast = record->m_GainInfo.value(CGainInfo::Key(1, 0));
        QCOMPARE(contrast->m_Current.ToInt(), 33);
        QCOMPARE(contrast->m_Kind.ToInt(), 1);
        QCOMPARE(contrast->m_Status.ToInt(), 2);
        QCOMPARE(record->m_GainInfo.value(CGainInfo::Key(5, 0))->m_Max.ToInt(), 20);
    }

    // Negative replies the update takes as an answer, and those that end it.
    void negativeReplies_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("errorClass");
        QTest::addColumn<int>("detail");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("code");       // 0: completed
        QTest::addColumn<QString>("last");   // the last request sent
        QTest::addColumn<int>("position");   // a status value to check, or 0
        QTest::addColumn<QString>("value");

        const int mac1 = CProjectorData::StMacAddress1;
        QTest::newRow("MAC 1 (0, 1): no address") << 27 << 0 << 1 << "mac1" << 0 << "19 05 00 01" << mac1 << "000000000000";
        QTest::newRow("MAC 1 (0, 2): ends") << 27 << 0 << 2 << "mac1" << -102 << "27 00" << 0 << "";
        QTest::newRow("MAC 2 (0, 1): no address") << 27 << 0 << 1 << "mac2" << 0 << "19 05 00 01"
                                                 << int(CProjectorData::StMacAddress2) << "000000000000";
        QTest::newRow("MAC 2 (2, 3) where the model says any is an answer")
            << 27 << 2 << 3 << "mac2 lenient" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("MAC 2 (2, 3) otherwise: ends") << 27 << 2 << 3 << "mac2" << -123 << "27 01" << 0 << "";
        QTest::newRow("MAC 3 (2, 3): runs to the end, then the negative reply")
            << 27 << 2 << 3 << "mac3" << -123 << "19 05 00 01" << int(CProjectorData::StMacAddress3) << "000000000000";
        QTest::newRow("MAC 3 (2, 3) without volume: still reported")
            << 27 << 2 << 3 << "mac3 novolume" << -123 << "19 04 00 01" << 0 << "";
        QTest::newRow("MAC 3 (2, 3) without serial number: still reported")
            << 27 << 2 << 3 << "mac3 noserial" << -123 << "0" << 0 << "";
        QTest::newRow("lamp mode (0, 1): mode 4") << 25 << 0 << 1 << "" << 0 << "19 05 00 01"
                                                  << int(CProjectorData::StLampMode) << "4";
        QTest::newRow("lamp mode (2, 0): ends") << 25 << 2 << 0 << "" << -120 << "25" << 0 << "";
        QTest::newRow("cover (0, 1): state 2") << 22 << 0 << 1 << "" << 0 << "19 05 00 01"
                                               << int(CProjectorData::StLensCover) << "2";
        QTest::newRow("filter (0, 0): usage 0, alarm 360000") << 15 << 0 << 0 << "" << 0 << "19 05 00 01"
                                                             << int(CProjectorData::StFilterAlarm) << "360000";
        QTest::newRow("filter (8, 0): usage 0") << 15 << 8 << 0 << "" << 0 << "19 05 00 01"
                                                << int(CProjectorData::StFilterUsed) << "0";
        QTest::newRow("filter (0, 1): unknown usage") << 15 << 0 << 1 << "" << 0 << "19 05 00 01"
                                                      << int(CProjectorData::StFilterUsed) << "-1";
        QTest::newRow("filter (1, 0): held, reported after the filter") << 15 << 1 << 0 << "" << -110 << "15" << 0 << "";
        QTest::newRow("horizontal frequency (2, 3): ---") << 24 << 2 << 3 << "h" << 0 << "19 05 00 01"
                                                          << int(CProjectorData::StFreqHorizontal) << "---";
        QTest::newRow("vertical frequency (2, 3): ---") << 24 << 2 << 3 << "v" << 0 << "19 05 00 01"
                                                        << int(CProjectorData::StFreqVertical) << "---";
        QTest::newRow("sync polarity (2, 3): held, reported after it")
            << 24 << 2 << 3 << "sync" << -123 << "24 00 05 01" << 0 << "";
        QTest::newRow("signal name (2, 0): held, reported after sync polarity")
            << 1 << 2 << 0 << "" << -120 << "24 00 05 01" << int(CProjectorData::StSignalName) << "---";
        QTest::newRow("lamp (0, 0): held") << 16 << 0 << 0 << "lamp1" << -100 << "15" << 0 << "";
        QTest::newRow("lamp (0, 0) with power status 5: not supported, goes on")
            << 16 << 0 << 0 << "lamp1 power5" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("lamp (2, 0) with power status 5: held") << 16 << 2 << 0 << "lamp1 power5" << -120 << "15" << 0 << "";
        QTest::newRow("lamp 2 (2, 0): not held, goes on") << 16 << 2 << 0 << "lamp2" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("lamp 2 (0, 0) with power status 5 clears a lamp 1 failure")
            << 16 << 0 << 0 << "lamp2 power5 lampfail" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("filter (0, 0) with power status 5 clears a lamp failure")
            << 15 << 0 << 0 << "power5 lampfail" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("filter (0, 1) with power status 5 clears a lamp failure")
            << 15 << 0 << 1 << "power5 lampfail" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("filter (0, 1) with another power status: the lamp failure stays")
            << 15 << 0 << 1 << "lampfail" << -120 << "15" << 0 << "";
        QTest::newRow("name (2, 0): ends at once") << 26 << 2 << 0 << "" << -120 << "26" << 0 << "";
        QTest::newRow("error status (2, 0): ends") << 0 << 2 << 0 << "" << -120 << "0" << 0 << "";
        QTest::newRow("serial number (2, 0): ends") << 30 << 2 << 0 << "" << -120 << "30" << 0 << "";
        QTest::newRow("picture adjustment (2, 0): goes on") << 19 << 2 << 0 << "gain0" << 0 << "19 05 00 01" << 0 << "";
        QTest::newRow("volume (2, 0): ends with it") << 19 << 2 << 0 << "gain5" << -120 << "19 05 00 01" << 0 << "";
    }

    void negativeReplies()
    {
        QFETCH(int, request);
        QFETCH(int, errorClass);
        QFETCH(int, detail);
        QFETCH(QString, setup);
        QFETCH(int, code);
        QFETCH(QString, last);
        QFETCH(int, position);
        QFETCH(QString, value);
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        rig.SetFlags(id, {ChkLensCoverSts}, request == 22);
        if (setup.contains(QLatin1String("lenient")))
            rig.SetFlags(id, {IsErrorNackOfMAC2}, false);
        if (setup.contains(QLatin1String("novolume")))
            rig.SetFlags(id, {ReqGainVolume}, false);
        if (setup.contains(QLatin1String("noserial")))
            rig.SetFlags(id, {ReqSerialNumber}, false);
        if (setup.contains(QLatin1String("power5")))
            rig.Model(id)->State().power = 5;
        // Lamp 1 fails on its own (lamp 2 follows the row's reply).
        if (setup.contains(QLatin1String("lampfail")))
            rig.Model(id)->SetNack(16, 2, 0);
        // Which of the requests sharing an index answers negatively.
        QByteArray only;
        if (setup.startsWith(QLatin1String("mac")))
            only = QByteArray(1, char(setup.mid(3, 1).toInt() - 1));
        else if (setup == QLatin1String("h"))
            only = QByteArray(1, char(3));
        else if (setup == QLatin1String("v"))
            only = QByteArray(1, char(4));
        else if (setup == QLatin1String("sync"))
            only = QByteArray(1, char(5));
        else if (setup.startsWith(QLatin1String("lamp")))
            only = QByteArray(1, char(setup.startsWith(QLatin1String("lamp2")) ? 1 : 0));
        else if (setup.startsWith(QLatin1String("gain")))
            only = QByteArray(1, char(setup.mid(4).toInt()));
        const int selector = request == 24 ? 6 : 5;   // the data byte that tells them apart
        const int skip = request == 27 ? 1 : 0;
        CSimProjectorModel* model = rig.Model(id);
        const QByteArray nack = QByteArray().append(char(errorClass)).append(char(detail));
        rig.Projector(id)->SetHandler([=](const QByteArray& frame) {
            if (CSimProjectorModel::RequestIndex(frame) == request
                && (only.isEmpty() || frame.mid(selector + skip, 1) == only)) {
                const unsigned char cls = quint8(frame.at(0)) | 0xA0;
                return CSimReply::Answer(MakeSimFrame(cls, quint8(frame.at(1)), nack));
            }
            return model->Answer(frame);
        });
        EngineSpies spies(&rig.m_Engine);

        Update(rig, id, spies);
        QCOMPARE(rig.RequestTexts(id).last(), last);
        if (code == 0) {
            QCOMPARE(spies.completed.count(), 1);
        } else {
            QCOMPARE(spies.nack.count(), 1);
            QCOMPARE(spies.nack.at(0).at(0).toInt(), code);
            QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("Nack received."));
        }
        if (position != 0) {
            const CVariantParameter& v = rig.Record(id)->m_Status[position];
            const QString text = position >= CProjectorData::StMacAddress1 && position <= CProjectorData::StMacAddress3
                                     ? QString::fromLatin1(v.ToByteArray().toHex())
                                     : v.ToString();
            QCOMPARE(text, value);
        }
        QVERIFY(rig.Record(id)->m_TempParameters.isEmpty());
    }

    // Of two held lamp and filter failures the first one is reported.
    void firstHeldFailureIsReported()
    {
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        rig.Model(id)->SetNack(16, 2, 0);
        rig.Model(id)->SetNack(15, 2, 1);
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QCOMPARE(spies.nack.count(), 1);
        QCOMPARE(spies.nack.at(0).at(0).toInt(), -120);
        QCOMPARE(rig.RequestTexts(id).last(), QStringLiteral("15"));
    }

    void echoMismatchEnds_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<bool>("otherAddress"); // a MAC reply about another address
        QTest::newRow("MAC address") << 27 << false;
        QTest::newRow("MAC address reply naming the second address") << 27 << true;
        QTest::newRow("lamp mode") << 25 << false;
    }

    void echoMismatchEnds()
    {
        QFETCH(int, request);
        QFETCH(bool, otherAddress);
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        CSimProjectorModel* model = rig.Model(id);
        if (otherAddress) {
            rig.Projector(id)->SetHandler([model](const QByteArray& frame) {
                if (CSimProjectorModel::RequestIndex(frame) == 27)
                    return CSimReply::Answer(model->ReplyFrame(MakeSimFrame(0x03, 0xB0, Hex("9A 01"))));
                return model->Answer(frame);
            });
        } else {
            model->SetWrongEcho(request);
        }
        CProjectorData* record = rig.Record(id);
        record->m_Status[CCommandFunctions::RawMacAddress1].FromByteArray(Hex("0A 0B 0C 0D 0E 0F"));
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QCOMPARE(spies.error.count(), 1);
        QCOMPARE(spies.error.at(0).at(0).toInt(), -402);
        QCOMPARE(rig.Requests(id).last(), request);
        QVERIFY(record->m_Status[CProjectorData::StMacAddress1].ToByteArray() != Hex("0A 0B 0C 0D 0E 0F"));
    }

    void lampModeRange_data()
    {
        QTest::addColumn<bool>("rangeCheck");
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<int>("reported");
        QTest::addColumn<int>("shown");
        QTest::newRow("checked, 1") << true << false << 1 << 1;
        QTest::newRow("checked, 3 on a single eco mode model") << true << false << 3 << 4;
        QTest::newRow("checked, 3 on a multiple eco mode model") << true << true << 3 << 3;
        QTest::newRow("checked, 9") << true << true << 9 << 4;
        QTest::newRow("unchecked, 9 taken as it is") << false << false << 9 << 9;
    }

    void lampModeRange()
    {
        QFETCH(bool, rangeCheck);
        QFETCH(bool, multiple);
        QFETCH(int, reported);
        QFETCH(int, shown);
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        rig.SetFlags(id, {EcoModeValueRangeCheck}, rangeCheck);
        rig.SetFlags(id, {UseMultipleEcoMode}, multiple);
        rig.Model(id)->State().lampMode = reported;
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(rig.Record(id)->m_Status[CProjectorData::StLampMode].ToInt(), shown);
    }

    // With the cache flag and everything known, nothing is sent and the
    // connection closes; the commands behind it still run even when no
    // disconnection is ever reported.
    void cachedUpdate()
    {
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QCOMPARE(spies.completed.count(), 1);
        const int sent = rig.Requests(id).size();

        Update(rig, id, spies, true);
        QCOMPARE(spies.completed.count(), 2);
        QCOMPARE(rig.Requests(id).size(), sent);
        QTRY_COMPARE(rig.Projector(id)->OpenConnectionCount(), 0);

        // Without the flag the update asks again.
        Update(rig, id, spies, false);
        QCOMPARE(spies.completed.count(), 3);
        QCOMPARE(rig.Requests(id).size(), 2 * sent);

        // A cached update and a power command queued behind a running
        // command: both run once it ends.
        rig.m_Engine.SetPower(1, 1, id, FROM, 2, 2, false);
        rig.m_Engine.GetGeneralData(2, id, FROM, ACT, CMD_UPDATE, true);
        rig.m_Engine.SetPower(1, 3, id, FROM, 2, 2, false);
        QTRY_COMPARE(spies.Ends(), 6);
        QCOMPARE(spies.completed.count(), 6);
        QCOMPARE(spies.completed.at(5).at(0).toInt(), 3);
    }

    // Behind a command whose connection the projector dropped there is no
    // connection to report a disconnection; the command after the cached one
    // still runs.
    void cachedUpdateWithoutConnection()
    {
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        CSimProjectorModel* model = rig.Model(id);
        rig.Projector(id)->SetHandler([model](const QByteArray& frame) {
            return CSimProjectorModel::RequestIndex(frame) == 3 ? CSimReply::Close() : model->Answer(frame);
        });

        rig.m_Engine.SetPower(0, 1, id, FROM, 2, 2, false);
        rig.m_Engine.GetGeneralData(2, id, FROM, ACT, CMD_UPDATE, true);
        rig.m_Engine.SetPower(1, 3, id, FROM, 2, 2, false);
        QTRY_COMPARE(spies.Ends(), 4);
        QCOMPARE(spies.error.count(), 1);
        QCOMPARE(spies.error.at(0).at(1).toInt(), 1);
        QCOMPARE(spies.completed.count(), 3);
        QCOMPARE(spies.completed.at(1).at(0).toInt(), 2);
        QCOMPARE(spies.completed.at(2).at(0).toInt(), 3);
    }

    // Commands answered at once while no connection exists: nothing ever
    // reports a disconnection, yet the command behind each one starts.
    void immediateCompletionsDoNotStallTheQueue()
    {
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        QTRY_COMPARE(rig.m_Access.GetConnectionState(id), -1);

        // Queued without the engine's own notice, then looked at once.
        CProjectorData* record = rig.Record(id);
        record->m_PendingEvents.append(
            new CEventContainer(new CCommandFunctionsEventAllUpdate(2, id, FROM, ACT, CMD_UPDATE, true)));
        record->m_PendingEvents.append(
            new CEventContainer(new CCommandFunctionsEventGetGain(QList<int>(), 3, id, FROM, ACT, 9, false)));
        record->m_PendingEvents.append(
            new CEventContainer(new CCommandFunctionsEventGetGain(QList<int>{0, 256}, 4, id, FROM, ACT, 9, true)));
        rig.m_Engine.f_OnCheckCommand(id);
        QTRY_COMPARE(spies.completed.count(), 4);
        QCOMPARE(spies.completed.at(3).at(0).toInt(), 4);
        QVERIFY(record->m_PendingEvents.isEmpty());
    }

    // A partly known record is asked again even with the cache flag.
    void cacheMissAsksAgain()
    {
        EngineTestRig rig;
        const int id = AddFullModel(rig, true);
        EngineSpies spies(&rig.m_Engine);
        Update(rig, id, spies);
        const int sent = rig.Requests(id).size();
        rig.Record(id)->m_Status[CProjectorData::StFilterAlarm].ClearSetState(false);
        Update(rig, id, spies, true);
        QCOMPARE(spies.completed.count(), 2);
        QCOMPARE(rig.Requests(id).size(), 2 * sent);
    }
};

QTEST_GUILESS_MAIN(tst_CCommandFunctionsUpdate)
#include "tst_CCommandFunctionsUpdate.moc"
