#include <QtTest>

#include "CGainInfo.h"
#include "CProfile.h"
#include "EngineTestData.h"
#include "EngineTestRig.h"
#include "SimFrame.h"

namespace {

const int FROM = 2;
const int ACT = 2;

using namespace ProfileFlag;

const QStringList IDENTIFY = {"29", "31"};

} // namespace

class tst_CCommandFunctionsSet : public QObject
{
    Q_OBJECT

    // Runs one command and waits for its end.
    static void Run(EngineTestRig& rig, int id, EngineSpies& spies, const QString& command, int value)
    {
        const int before = spies.Ends();
        CCommandFunctions& e = rig.m_Engine;
        int queued = -1;
        if (command == QLatin1String("power"))
            queued = e.SetPower(value, 8, id, FROM, ACT, 2, false);
        else if (command == QLatin1String("input"))
            queued = e.SetInputTerminal(value, 8, id, FROM, ACT, 3, false);
        else if (command == QLatin1String("picture"))
            queued = e.SetPictureMute(value, 8, id, FROM, ACT, 5, false);
        else if (command == QLatin1String("sound"))
            queued = e.SetSoundMute(value, 8, id, FROM, ACT, 4, false);
        else if (command == QLatin1String("osd"))
            queued = e.SetOSDMute(value, 8, id, FROM, ACT, 6, false);
        else if (command == QLatin1String("freeze"))
            queued = e.SetFreeze(value, 8, id, FROM, ACT, 7, false);
        else if (command == QLatin1String("schedule"))
            queued = e.SetAVMuteSchedule(value, 8, id, 3, ACT, 9, false);
        QCOMPARE(queued, 0);
        QTRY_COMPARE(spies.Ends(), before + 1);
    }

    static void CheckEnd(EngineSpies& spies, int code)
    {
        if (code == 0) {
            QCOMPARE(spies.completed.count(), 1);
            QCOMPARE(spies.updateError.count(), 0);
            return;
        }
        QCOMPARE(spies.updateError.count(), 1);
        QCOMPARE(spies.updateError.at(0).at(2).toInt(), code);
        if (CCommandFunctions::f_IsNackResponse(code)) {
            QCOMPARE(spies.nack.count(), 1);
            QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("Nack received."));
        } else {
            QCOMPARE(spies.error.count(), 1);
            QCOMPARE(spies.error.at(0).at(0).toInt(), code);
            QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("Error"));
        }
    }

private slots:
    void setSequences_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("requests"); // after the identification
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");          // a shown value, or 0
        QTest::addColumn<int>("shown");

        const QString l100 = QStringLiteral("LV-L100");
        const QString d200 = QStringLiteral("LV-D200");
        const int pic = CProjectorData::StPictureMute;
        const int snd = CProjectorData::StSoundMute;
        const int osd = CProjectorData::StOsdMute;
        const int freeze = CProjectorData::StFreeze;
        const int terminal = CProjectorData::StInputTerminal;
        QTest::newRow("power on") << "power" << 1 << l100 << "" << QStringList{"2"} << 0 << 0 << 0;
        QTest::newRow("power on in 1 W standby is sent") << "power" << 1 << l100 << "standby" << QStringList{"2"} << 0
                                                         << 0 << 0;
        QTest::newRow("power off") << "power" << 0 << l100 << "" << QStringList{"3"} << 0 << 0 << 0;
        QTest::newRow("power off in 1 W standby") << "power" << 0 << l100 << "standby" << QStringList{} << -42 << 0 << 0;
        QTest::newRow("power off, negative reply") << "power" << 0 << l100 << "nack" << QStringList{"3"} << -123 << 0
                                                   << 0;
        QTest::newRow("picture mute on") << "picture" << 1 << l100 << "" << QStringList{"5"} << 0 << pic << 1;
        QTest::newRow("picture mute off") << "picture" << 0 << l100 << "muted" << QStringList{"6"} << 0 << pic << 0;
        QTest::newRow("picture mute in 1 W standby") << "picture" << 1 << l100 << "standby" << QStringList{} << -42
                                                     << pic << 0;
        QTest::newRow("picture mute, negative reply") << "picture" << 1 << l100 << "nack" << QStringList{"5"} << -123
                                                      << pic << 0;
        QTest::newRow("sound mute on") << "sound" << 1 << l100 << "" << QStringList{"7"} << 0 << snd << 1;
        QTest::newRow("sound mute off") << "sound" << 0 << l100 << "muted" << QStringList{"8"} << 0 << snd << 0;
        QTest::newRow("sound mute on a model without it") << "sound" << 1 << d200 << "" << QStringList{} << 0 << snd
                                                          << 0;
        QTest::newRow("OSD mute on") << "osd" << 1 << l100 << "" << QStringList{"9"} << 0 << osd << 1;
        QTest::newRow("OSD mute off") << "osd" << 0 << l100 << "muted" << QStringList{"10"} << 0 << osd << 0;
        QTest::newRow("OSD mute in 1 W standby") << "osd" << 0 << l100 << "standby" << QStringList{} << -42 << 0 << 0;
        QTest::newRow("freeze on") << "freeze" << 1 << l100 << "" << QStringList{"23 01"} << 0 << freeze << 1;
        QTest::newRow("freeze off") << "freeze" << 0 << l100 << "frozen" << QStringList{"23 00"} << 0 << freeze << 0;
        QTest::newRow("freeze on a model without it") << "freeze" << 1 << d200 << "" << QStringList{} << 0 << freeze
                                                      << 0;
        QTest::newRow("freeze in 1 W standby") << "freeze" << 1 << l100 << "standby" << QStringList{} << -42 << 0 << 0;
        QTest::newRow("input 06") << "input" << 0x06 << l100 << "" << QStringList{"4 06"} << 0 << terminal << 0x06;
        QTest::newRow("input 12 elsewhere is sent as it is") << "input" << 0x12 << l100 << "" << QStringList{"4 12"}
                                                              << 0 << terminal << 0x12;
        QTest::newRow("input 12 on 08 00 07 xx is sent as 10") << "input" << 0x12 << l100 << "code 08000701"
                                                                << QStringList{"4 10"} << 0 << terminal << 0x12;
        QTest::newRow("input 12 on 08 01 10 xx is sent as 10") << "input" << 0x12 << l100 << "code 08011001"
                                                                << QStringList{"4 10"} << 0 << terminal << 0x12;
        QTest::newRow("input 12 on 08 01 07 xx is sent as it is") << "input" << 0x12 << l100 << "code 08010701"
                                                                   << QStringList{"4 12"} << 0 << terminal << 0x12;
        QTest::newRow("input, the smallest number a caller can pass") << "input" << int(INT_MIN) << l100 << ""
                                                                      << QStringList{"4 00"} << 0 << terminal
                                                                      << int(INT_MIN);
        QTest::newRow("input in 1 W standby") << "input" << 0x06 << l100 << "standby" << QStringList{} << -42 << 0 << 0;
        QTest::newRow("input, negative reply (2, 3)") << "input" << 0x06 << l100 << "nack" << QStringList{"4 06"}
                                                      << -123 << 0 << 0;
        QTest::newRow("input 21 refused with (1, 1) on 06 00 05 xx: taken")
            << "input" << 0x21 << l100 << "code 06000501 nack11" << QStringList{"4 21"} << 0 << terminal << 0x21;
        QTest::newRow("input 06 refused with (1, 1) on 06 00 05 xx: refused")
            << "input" << 0x06 << l100 << "code 06000501 nack11" << QStringList{"4 06"} << -111 << 0 << 0;
        QTest::newRow("input 21 refused with (1, 1) elsewhere: refused")
            << "input" << 0x21 << l100 << "nack11" << QStringList{"4 21"} << -111 << 0 << 0;
        QTest::newRow("scheduled mute on") << "schedule" << 1 << l100 << "" << QStringList{"5", "7", "9"} << 0 << osd
                                           << 1;
        QTest::newRow("scheduled mute off") << "schedule" << 0 << l100 << "muted" << QStringList{"6", "8", "10"} << 0
                                            << pic << 0;
        QTest::newRow("scheduled mute on, only sound mute on") << "schedule" << 1 << l100 << "sound only"
                                                               << QStringList{"7"} << 0 << snd << 1;
        QTest::newRow("scheduled mute on without sound mute") << "schedule" << 1 << d200 << "" << QStringList{"5", "9"}
                                                              << 0 << pic << 1;
        QTest::newRow("scheduled mute on, no mute on") << "schedule" << 1 << l100 << "no mute on" << QStringList{}
                                                       << -402 << 0 << 0;
        QTest::newRow("scheduled mute off, no mute on: off still works") << "schedule" << 0 << l100 << "no mute on"
                                                                         << QStringList{"6", "8", "10"} << 0 << 0 << 0;
        QTest::newRow("scheduled mute with no mute, in standby: -402 first")
            << "schedule" << 1 << l100 << "no mute on standby" << QStringList{} << -402 << 0 << 0;
        QTest::newRow("scheduled mute in 1 W standby") << "schedule" << 1 << l100 << "standby" << QStringList{} << -42
                                                       << 0 << 0;
        QTest::newRow("scheduled mute, negative reply to the second")
            << "schedule" << 1 << l100 << "nack sound" << QStringList{"5", "7"} << -123 << pic << 1;
    }

    void setSequences()
    {
        QFETCH(QString, command);
        QFETCH(int, value);
        QFETCH(QString, model);
        QFETCH(QString, setup);
        QFETCH(QStringList, requests);
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(int, shown);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(model));
        CSimProjectorModel* sim = rig.Model(id);
        CSimProjectorState& state = sim->State();
        state.power = setup.contains(QLatin1String("standby")) ? 15 : int(CSimProjectorState::POWER_ON);
        if (setup.contains(QLatin1String("muted")))
            state.pictureMute = state.soundMute = state.osdMute = true;
        if (setup.contains(QLatin1String("frozen")))
            state.freeze = true;
        if (setup.startsWith(QLatin1String("code "))) {
            const QByteArray code = QByteArray::fromHex(setup.mid(5, 8).toLatin1());
            sim->Spec().code = code;
            CProfile* profile = nullptr;
            rig.m_Profiles->f_GetProfile(0x4C, 0x10, 0x01, 0x00, &profile);
            profile->m_ModelCode = quint32(quint8(code.at(0))) << 24 | quint32(quint8(code.at(1))) << 16
                                   | quint32(quint8(code.at(2))) << 8 | quint8(code.at(3));
            QCOMPARE(rig.ProfileFor(id), profile);
        }
        if (setup.contains(QLatin1String("sound only")))
            rig.SetFlags(id, {SetPicMuteOn, SetOsdMuteOn}, false);
        if (setup.contains(QLatin1String("no mute on")))
            rig.SetFlags(id, {SetPicMuteOn, SetSndMuteOn, SetOsdMuteOn}, false);
        if (setup.contains(QLatin1String("nack11")))
            sim->SetNack(4, 1, 1);
        else if (setup.contains(QLatin1String("nack sound")))
            sim->SetNack(7, 2, 3);
        else if (setup == QLatin1String("nack")) {
            // Every set request, none of the identification.
            for (int r : {2, 3, 4, 5, 6, 7, 8, 9, 10, 23})
                sim->SetNack(r, 2, 3);
        }
        EngineSpies spies(&rig.m_Engine);

        Run(rig, id, spies, command, value);
        QCOMPARE(rig.RequestTexts(id), IDENTIFY + requests);
        CheckEnd(spies, code);
        if (position != 0)
            QCOMPARE(rig.Record(id)->m_Status[position].ToInt(), shown);
        if (position == CProjectorData::StInputTerminal && shown > 0) {
            QCOMPARE(rig.Record(id)->m_Status[CProjectorData::StInputTerminalNumber].ToInt(), (shown - 1) % 5 + 1);
            QCOMPARE(rig.Record(id)->m_Status[CProjectorData::StInputTerminalType].ToInt(), (shown - 1) / 5 + 1);
        }
        QCOMPARE(rig.Record(id)->m_StepNo, 0);
        QVERIFY(rig.Record(id)->m_TempParameters.isEmpty());
    }

    // A record deleted while one command runs and others wait frees them all
    // (the sanitizer build reports leaks and double frees); reports that come
    // after it find no record and change nothing.
    void deletingARecordWithCommandsQueued()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        // Never answers, so the first command stays at its first request.
        rig.Projector(id)->SetHandler([](const QByteArray&) { return CSimReply::Silence(); });
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetProjectorName(QStringLiteral("A"), 1, id, FROM, ACT, 93, false);
        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, 2, false);
        rig.m_Engine.GetGeneralData(3, id, FROM, 1, 1, false);
        CProjectorData* record = rig.Record(id);
        QTRY_COMPARE(rig.Projector(id)->Requests().size(), 1);
        QCOMPARE(record->m_TempParameters.size(), 1);
        QCOMPARE(record->m_PendingEvents.size(), 2);
        rig.m_Records.remove(id);
        delete record;
        QTest::qWait(200);
        QCOMPARE(spies.Ends(), 0);
    }

    // Terminal 0x12 on the component-exchanging models: a = 3, b = 4.
    void componentTerminalParts()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        rig.Model(id)->State().power = CSimProjectorState::POWER_ON;
        EngineSpies spies(&rig.m_Engine);
        Run(rig, id, spies, QStringLiteral("input"), 0x12);
        const CVariantParameter* st = rig.Record(id)->m_Status;
        QCOMPARE(st[CProjectorData::StInputTerminalNumber].ToInt(), 3);
        QCOMPARE(st[CProjectorData::StInputTerminalType].ToInt(), 4);
    }

    void gainSet_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<int>>("arguments"); // first, second, third, fourth
        QTest::addColumn<bool>("standby");
        QTest::addColumn<QByteArray>("frame");     // empty: none sent
        QTest::addColumn<int>("code");
        QTest::newRow("brightness (10, 3)") << "LV-L100" << QList<int>{0, 0xFF, 3, 10} << false
                                            << Hex("03 10 00 00 05 00 FF 0A 03 00 24") << 0;
        QTest::newRow("volume (7, 1)") << "LV-L100" << QList<int>{5, 0, 1, 7} << false
                                       << Hex("03 10 00 00 05 05 00 07 01 00 25") << 0;
        QTest::newRow("a 16-bit value, low byte first") << "LV-L100" << QList<int>{1, 0xFF, 0x1234, 0} << false
                                                        << Hex("03 10 00 00 05 01 FF 00 34 12 5E") << 0;
        QTest::newRow("volume on a model without it") << "LV-D200" << QList<int>{5, 0, 1, 7} << false << QByteArray()
                                                      << 0;
        QTest::newRow("kind 6 is never sent") << "LV-L100" << QList<int>{6, 0, 1, 7} << false << QByteArray() << 0;
        QTest::newRow("in 1 W standby") << "LV-L100" << QList<int>{0, 0xFF, 3, 10} << true << QByteArray() << -42;
    }

    void gainSet()
    {
        QFETCH(QString, model);
        QFETCH(QList<int>, arguments);
        QFETCH(bool, standby);
        QFETCH(QByteArray, frame);
        QFETCH(int, code);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(model));
        rig.Model(id)->State().power = standby ? 15 : int(CSimProjectorState::POWER_ON);
        EngineSpies spies(&rig.m_Engine);
        QCOMPARE(rig.m_Engine.SetGain(arguments.at(0), arguments.at(1), arguments.at(2), arguments.at(3), 8, id, FROM,
                                      ACT, 24, false),
                 0);
        QTRY_COMPARE(spies.Ends(), 1);
        CheckEnd(spies, code);
        const QList<QByteArray> sent = rig.Projector(id)->Requests();
        QCOMPARE(sent.size(), frame.isEmpty() ? 2 : 3);
        if (!frame.isEmpty())
            QCOMPARE(sent.last(), frame);
    }

    void gainGet_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("requests"); // after the identification
        QTest::addColumn<int>("code");
        QTest::newRow("picture and volume, newer form") << QList<int>{0, 256, 1280} << ""
                                                        << QStringList{"19 00 00 01", "19 01 00 01", "19 05 00 01"} << 0;
        QTest::newRow("first form") << QList<int>{768} << "old" << QStringList{"18 03 00 01"} << 0;
        QTest::newRow("volume not readable: zeros, no request") << QList<int>{0, 1280} << "novolume"
                                                                << QStringList{"19 00 00 01"} << 0;
        QTest::newRow("kind 6 never") << QList<int>{1536, 512} << "" << QStringList{"19 02 00 01"} << 0;
        QTest::newRow("in 1 W standby") << QList<int>{0} << "standby" << QStringList{} << -42;
        QTest::newRow("negative reply ends") << QList<int>{0, 256} << "nack" << QStringList{"19 00 00 01"} << -123;
        QTest::newRow("short reply ends, the old value is not shown")
            << QList<int>{0, 256} << "short" << QStringList{"19 00 00 01"} << -402;
    }

    void gainGet()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, setup);
        QFETCH(QStringList, requests);
        QFETCH(int, code);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorState& state = rig.Model(id)->State();
        state.power = setup == QLatin1String("standby") ? 15 : int(CSimProjectorState::POWER_ON);
        state.gains[0].current = 77;
        state.gains[768].minimum = -10;
        state.gains[1280].current = 9;
        if (setup == QLatin1String("old"))
            rig.SetFlags(id, {UseNewCommandReqGainParameter}, false);
        if (setup == QLatin1String("novolume"))
            rig.SetFlags(id, {ReqGainVolume}, false);
        if (setup == QLatin1String("nack"))
            rig.Model(id)->SetNack(19, 2, 3);
        if (setup == QLatin1String("short")) {
            CSimProjectorModel* model = rig.Model(id);
            rig.Projector(id)->SetHandler([model](const QByteArray& frame) {
                if (CSimProjectorModel::RequestIndex(frame) == 19)
                    return CSimReply::Answer(MakeSimFrame(0x23, 0x05, Hex("02 10 00")));
                return model->Answer(frame);
            });
        }
        CProjectorData* record = rig.Record(id);
        // Earlier values that a read must replace.
        record->m_GainInfo.value(1280)->m_Current.FromInt(55);
        record->m_ReceivedGainInfo.value(0)->m_Current.FromInt(55);
        EngineSpies spies(&rig.m_Engine);
        QCOMPARE(rig.m_Engine.GetGain(keys, 8, id, FROM, 1, 9, false), 0);
        QTRY_COMPARE(spies.Ends(), 1);
        CheckEnd(spies, code);
        QCOMPARE(rig.RequestTexts(id), IDENTIFY + requests);
        if (code != 0) {
            QVERIFY(!record->m_GainInfo.value(0)->m_Current.IsSet());
            return;
        }
        if (keys.contains(0))
            QCOMPARE(record->m_GainInfo.value(0)->m_Current.ToInt(), 77);
        if (keys.contains(768))
            QCOMPARE(record->m_GainInfo.value(768)->m_Min.ToInt(), -10);
        if (keys.contains(1280)) {
            const CGainInfo* volume = record->m_GainInfo.value(1280);
            QCOMPARE(volume->m_Kind.ToInt(), 5);
            QCOMPARE(volume->m_Current.ToInt(), setup == QLatin1String("novolume") ? 0 : 9);
        }
        if (keys.contains(1536)) {
            const CGainInfo* other = record->m_GainInfo.value(1536);
            QVERIFY(other != nullptr);
            QCOMPARE(other->m_Kind.ToInt(), 6);
            QCOMPARE(other->m_Max.ToInt(), 0);
        }
    }

    // No keys, or every listed value known with the cache flag: nothing is
    // sent, not even the identification.
    void gainGetAtOnce_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("cache");
        QTest::addColumn<int>("sent");
        QTest::newRow("no keys") << QList<int>{} << false << 0;
        QTest::newRow("cached, all known") << QList<int>{0, 256} << true << 0;
        QTest::newRow("not cached") << QList<int>{0, 256} << false << 4;
    }

    void gainGetAtOnce()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, cache);
        QFETCH(int, sent);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        rig.Model(id)->State().power = CSimProjectorState::POWER_ON;
        EngineSpies spies(&rig.m_Engine);
        QCOMPARE(rig.m_Engine.GetGain(keys, 8, id, FROM, 1, 9, cache), 0);
        QTRY_COMPARE(spies.Ends(), 1);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(spies.timing.count(), 1);
        QCOMPARE(rig.Requests(id).size(), sent);

        // A cached read of a value whose state was cleared asks again.
        if (cache) {
            rig.Record(id)->m_GainInfo.value(256)->m_Default.ClearSetState(false);
            QCOMPARE(rig.m_Engine.GetGain(keys, 9, id, FROM, 1, 9, cache), 0);
            QTRY_COMPARE(spies.Ends(), 2);
            QCOMPARE(rig.Requests(id).size(), 4);
        }
    }

    void projectorName_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("code");
        QTest::newRow("set and read back") << "LV-L100" << "" << "PJ1" << QStringList{"28", "26"} << "PJ1" << 0;
        QTest::newRow("cut at 17 bytes on the projector") << "LV-L100" << "" << "Projector-Hall-A-North"
                                                          << QStringList{"28", "26"} << "Projector-Hall-A-" << 0;
        QTest::newRow("model cannot set it: read only") << "LV-E300" << "" << "PJ1" << QStringList{"26"} << "PJ-1" << 0;
        QTest::newRow("model cannot read it: shown empty") << "LV-L100" << "noread" << "PJ1" << QStringList{"28"} << ""
                                                           << 0;
        QTest::newRow("in 1 W standby") << "LV-L100" << "standby" << "PJ1" << QStringList{} << "" << -42;
        QTest::newRow("negative reply to the set") << "LV-L100" << "nack" << "PJ1" << QStringList{"28"} << "" << -123;
    }

    void projectorName()
    {
        QFETCH(QString, model);
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(QStringList, requests);
        QFETCH(QString, shown);
        QFETCH(int, code);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(model));
        rig.Model(id)->State().power = setup == QLatin1String("standby") ? 15 : int(CSimProjectorState::POWER_ON);
        if (setup == QLatin1String("noread"))
            rig.SetFlags(id, {ReqProjectorName}, false);
        if (setup == QLatin1String("nack"))
            rig.Model(id)->SetNack(28, 2, 3);
        CProjectorData* record = rig.Record(id);
        record->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("old"));
        EngineSpies spies(&rig.m_Engine);
        QCOMPARE(rig.m_Engine.SetProjectorName(name, 8, id, FROM, ACT, 93, false), 0);
        QTRY_COMPARE(spies.Ends(), 1);
        CheckEnd(spies, code);
        QCOMPARE(rig.RequestTexts(id), IDENTIFY + requests);
        if (requests.contains(QStringLiteral("28")) && name == QLatin1String("PJ1"))
            QCOMPARE(rig.Projector(id)->Requests().at(2),
                     Hex("03 B1 00 00 12 2C 50 4A 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 BD"));
        const CVariantParameter& v = record->m_Status[CProjectorData::StProjectorName];
        if (code == 0) {
            QCOMPARE(v.ToString(), shown);
            QVERIFY(v.IsSet());
        } else {
            // Not known any more: the next cached update asks again.
            QVERIFY(!v.IsSet());
        }
    }
};

QTEST_GUILESS_MAIN(tst_CCommandFunctionsSet)
#include "tst_CCommandFunctionsSet.moc"
