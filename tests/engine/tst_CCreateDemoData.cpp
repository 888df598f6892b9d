#include <QtTest>

#include "CCommLogFile.h"
#include "CGainInfo.h"
#include "CProfile.h"
#include "CScheduleTargetText.h"
#include "ScheduleTestRig.h"

namespace {

using St = CProjectorData;
const int KEY = 23;

QList<CVariantParameter> ints(const QList<int>& values)
{
    QList<CVariantParameter> out;
    for (int v : values)
        out << CVariantParameter().FromInt(v);
    return out;
}

// Offline mode with records 1 to `count` fabricated by a first get-all.
void offlineWithSamples(ScheduleTestRig& rig, int count)
{
    QList<int> ids;
    for (int id = 1; id <= count; ++id)
        ids << rig.AddRecord(id)->m_Id;
    rig.SetOffline(true, true);
    rig.SendCommand(1, nullptr, 1, 1, &ids, false, true);
}

} // namespace

// Offline mode's demo data: the sample status per projector id, requests
// applied to the records, and schedule commands completing through the
// dispatcher.
class tst_CCreateDemoData : public QObject
{
    Q_OBJECT

private slots:
    void sampleStatusById_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("projectorName");
        QTest::addColumn<QString>("modelName");
        QTest::addColumn<QStringList>("signal"); // name, horizontal, vertical, polarity
        QTest::addColumn<QList<int>>("input");   // terminal, a, b
        // lamp mode, error word, lamp 1 usage, remaining; lamp 2 code, usage,
        // remaining; filter code, usage
        QTest::addColumn<QList<int>>("wear");
        QTest::addColumn<quint32>("modelCode");
        const QStringList none{"", "", "", ""};
        QTest::newRow("1") << 1 << "KX410 Series" << "KX410B" << QStringList{"No signal", "", "", ""}
                           << QList<int>{1, 1, 1} << QList<int>{0, 0, 345600, 3600, 9, 0, 0, 0, 345600}
                           << quint32(0x150010FF);
        QTest::newRow("2") << 2 << "KX520 Series" << "KX520C"
                           << QStringList{"NTSC358", "15.73[kHz]", " 59.93[Hz]", "H:(+) V:(+)"}
                           << QList<int>{1, 1, 1} << QList<int>{0, 0, 345600, 3600, 0, 345600, 0, 0, 345600}
                           << quint32(0x170010FF);
        QTest::newRow("3") << 3 << "KX630 Series" << "KX630D" << none << QList<int>{6, 1, 2}
                           << QList<int>{0, 0, 345600, 3600, 0, 345600, 0, 0, 345600} << quint32(0x190010FF);
        QTest::newRow("4") << 4 << "KX200 Series" << "KX200A" << none << QList<int>{6, 1, 2}
                           << QList<int>{0, 0, 345600, 3600, 9, 0, 0, 0, 345600} << quint32(0x130010FF);
        QTest::newRow("5") << 5 << "KX200 Series" << "KX200A"
                           << QStringList{"1280x1024 60Hz", "63.96[kHz]", " 60.02[Hz]", "H:(+) V:(+)"}
                           << QList<int>{1, 1, 1} << QList<int>{2, 3, 90000, 0, 9, 3600, 0, 0, 4000000}
                           << quint32(0x130010FF);
        QTest::newRow("7") << 7 << "KX200 Series" << "KX200A"
                           << QStringList{"1280x1024 60Hz", "63.96[kHz]", " 60.02[Hz]", "H:(+) V:(+)"}
                           << QList<int>{1, 1, 1} << QList<int>{2, 3, 90000, 10, 9, 3600, 10, 10, 4000000}
                           << quint32(0x130010FF);
    }

    void sampleStatusById()
    {
        QFETCH(int, id);
        QFETCH(QString, projectorName);
        QFETCH(QString, modelName);
        QFETCH(QStringList, signal);
        QFETCH(QList<int>, input);
        QFETCH(QList<int>, wear);
        QFETCH(quint32, modelCode);
        ScheduleTestRig rig;
        offlineWithSamples(rig, 7);
        const CProjectorData* r = rig.Hub()->GetProjectorData(id);
        const CVariantParameter* st = r->m_Status;

        QCOMPARE(r->m_ConnectState, CProjectorData::CONNECT_STATE_CONNECTED);
        QCOMPARE(st[St::StProjectorName].ToString(), projectorName);
        QCOMPARE(st[St::StModelName].ToString(), modelName);
        QCOMPARE((QStringList{st[St::StSignalName].ToString(), st[St::StFreqHorizontal].ToString(),
                              st[St::StFreqVertical].ToString(), st[St::StSyncPolarity].ToString()}),
                 signal);
        QCOMPARE((QList<int>{st[St::StInputTerminal].ToInt(), st[St::StInputTerminalNumber].ToInt(),
                             st[St::StInputTerminalType].ToInt()}),
                 input);
        QCOMPARE((QList<int>{st[St::StLampMode].ToInt(), int(st[St::StErrorWordA].ToULong()),
                             st[St::StLamp1Usage].ToLong(), st[St::StLamp1Remaining].ToLong(),
                             st[St::StLamp2Info].ToUChar(), st[St::StLamp2Usage].ToLong(),
                             st[St::StLamp2Remaining].ToLong(), st[St::StFilterInfo].ToUChar(),
                             st[St::StFilterUsed].ToLong()}),
                 wear);
        QCOMPARE(st[St::StPowerStatus].ToInt(), 4);
        QVERIFY(st[St::StStatusValid].ToBool());
        QVERIFY(!st[St::StFreeze].ToBool());
        QCOMPARE(st[St::StLamp1Value].ToLong(), 100);
        QVERIFY(r->m_InputTerminalKnown);
        const QByteArray macs[3] = {QByteArray::fromHex("0123456789AB"), QByteArray::fromHex("FEDCBA987654"),
                                    QByteArray::fromHex("456789ABCDEF")};
        for (int n = 0; n < 3; ++n) {
            QCOMPARE(st[St::StMacAddress1 + n].ToByteArray(), macs[n]);
            QVERIFY(st[St::StMacValid1 + n].ToBool());
        }
        QCOMPARE(st[St::StModelCode1].ToString() + "," + st[St::StModelCode4].ToString(),
                 QString("%1,255").arg(modelCode >> 24));
        QCOMPARE(r->m_LastUpdate, rig.m_Now.addDays(-2));
        QVERIFY(r->m_Profile != nullptr);
        QCOMPARE(r->m_Profile->m_ModelCode, modelCode);
    }

    // A second get-all refreshes the model code and the time but keeps
    // what a set command changed.
    void secondGetAllKeepsSetValues()
    {
        ScheduleTestRig rig;
        offlineWithSamples(rig, 2);
        QList<int> ids{1, 2};
        QList<CVariantParameter> off = ints({0});
        rig.SendCommand(2, &off, 1, 2, &ids, false, true);
        QList<CVariantParameter> input = ints({11});
        rig.SendCommand(3, &input, 1, 2, &ids, false, true);
        CProjectorData* r = rig.Hub()->GetProjectorData(2);
        r->m_Status[St::StModelCode1].FromString(QStringLiteral("99"));
        r->m_LastUpdate = QDateTime();

        QSignalSpy timing(rig.Dispatcher(), &CDataFunctions::UpdateTiming);
        rig.SendCommand(1, nullptr, 1, 1, &ids, false, true);
        QCOMPARE(timing.count(), 2); // the stub path answered both
        QCOMPARE(r->m_Status[St::StPowerStatus].ToInt(), 0);
        QCOMPARE(r->m_Status[St::StInputTerminal].ToInt(), 11);
        QCOMPARE(r->m_Status[St::StInputTerminalNumber].ToInt(), 1);
        QCOMPARE(r->m_Status[St::StInputTerminalType].ToInt(), 3);
        QCOMPARE(r->m_Status[St::StModelCode1].ToString(), QStringLiteral("23"));
        QCOMPARE(r->m_LastUpdate, rig.m_Now.addDays(-2));
        QCOMPARE(r->m_Status[St::StSignalName].ToString(), QStringLiteral("NTSC358"));
    }

    void changeData_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("act");
        QTest::addColumn<QList<int>>("params");
        // power, standby, picture, sound, OSD mute, freeze, terminal, a, b
        QTest::addColumn<QList<int>>("expected");
        // Before each row: power 4, all three mutes on, freeze on, input 6.
        QTest::newRow("power off") << 2 << 2 << QList<int>{0} << QList<int>{0, 0, 0, 0, 0, 0, 6, 1, 2};
        QTest::newRow("power value 2 is off") << 2 << 2 << QList<int>{2} << QList<int>{0, 0, 0, 0, 0, 0, 6, 1, 2};
        QTest::newRow("power on") << 2 << 2 << QList<int>{1} << QList<int>{4, 0, 0, 0, 0, 0, 6, 1, 2};
        QTest::newRow("power get") << 2 << 1 << QList<int>{0} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("power without its value") << 2 << 2 << QList<int>{} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("power as a control request") << 2 << 0 << QList<int>{0}
                                                    << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("input 10") << 3 << 2 << QList<int>{10} << QList<int>{4, 0, 1, 1, 1, 1, 10, 5, 2};
        QTest::newRow("input 11") << 3 << 2 << QList<int>{11} << QList<int>{4, 0, 1, 1, 1, 1, 11, 1, 3};
        QTest::newRow("input get") << 3 << 1 << QList<int>{} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("sound mute off") << 4 << 2 << QList<int>{0} << QList<int>{4, 0, 1, 0, 1, 1, 6, 1, 2};
        QTest::newRow("picture mute off") << 5 << 2 << QList<int>{0} << QList<int>{4, 0, 0, 1, 1, 1, 6, 1, 2};
        QTest::newRow("OSD mute off") << 6 << 2 << QList<int>{0} << QList<int>{4, 0, 1, 1, 0, 1, 6, 1, 2};
        QTest::newRow("freeze 2 is off") << 7 << 2 << QList<int>{2} << QList<int>{4, 0, 1, 1, 1, 0, 6, 1, 2};
        QTest::newRow("freeze 1") << 7 << 2 << QList<int>{1} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("AV mute off") << 8 << 2 << QList<int>{0} << QList<int>{4, 0, 0, 0, 0, 1, 6, 1, 2};
        QTest::newRow("AV mute get") << 8 << 1 << QList<int>{0} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
        QTest::newRow("no row for 50") << 50 << 2 << QList<int>{0} << QList<int>{4, 0, 1, 1, 1, 1, 6, 1, 2};
    }

    void changeData()
    {
        QFETCH(int, cmd);
        QFETCH(int, act);
        QFETCH(QList<int>, params);
        QFETCH(QList<int>, expected);
        ScheduleTestRig rig;
        offlineWithSamples(rig, 4);
        CProjectorData* r = rig.Hub()->GetProjectorData(4);
        CVariantParameter* st = r->m_Status;
        for (int slot : {St::StPictureMute, St::StSoundMute, St::StOsdMute})
            st[slot].FromInt(1);
        st[St::StFreeze].FromBool(true);
        if (cmd == 2 && act == 2 && params == QList<int>{1}) {
            st[St::StPowerStatus].FromInt(15);
            st[St::StLowPowerStandby].FromBool(true);
        }

        QList<CVariantParameter> list = ints(params);
        QList<int> targets{4, 77};
        rig.m_Demo.ChangeData(cmd, &list, 1, act, &targets, false, false);
        QCOMPARE((QList<int>{st[St::StPowerStatus].ToInt(), int(st[St::StLowPowerStandby].ToBool()),
                             st[St::StPictureMute].ToInt(), st[St::StSoundMute].ToInt(), st[St::StOsdMute].ToInt(),
                             int(st[St::StFreeze].ToBool()), st[St::StInputTerminal].ToInt(),
                             st[St::StInputTerminalNumber].ToInt(), st[St::StInputTerminalType].ToInt()}),
                 expected);
    }

    void projectorName()
    {
        ScheduleTestRig rig;
        offlineWithSamples(rig, 1);
        QList<int> targets{1};
        QList<CVariantParameter> name{CVariantParameter().FromString(QStringLiteral("Hall A"))};
        rig.m_Demo.ChangeData(93, &name, 1, 2, &targets, false, false);
        QCOMPARE(rig.Hub()->GetProjectorData(1)->m_Status[St::StProjectorName].ToString(), QStringLiteral("Hall A"));
        rig.m_Demo.ChangeData(93, nullptr, 1, 2, &targets, false, false);
        QCOMPARE(rig.Hub()->GetProjectorData(1)->m_Status[St::StProjectorName].ToString(), QStringLiteral("Hall A"));
    }

    void adjustments_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<int>("power");
        QTest::addColumn<QList<int>>("set");      // (mode, value); empty: none
        QTest::addColumn<QList<int>>("expected"); // current, max, min, default, status
        QTest::newRow("brightness read") << 24 << true << 4 << QList<int>{} << QList<int>{30, 80, -20, 30, 2};
        QTest::newRow("contrast read") << 23 << true << 4 << QList<int>{} << QList<int>{40, 90, -10, 40, 2};
        QTest::newRow("color read") << 26 << true << 4 << QList<int>{} << QList<int>{10, 60, -40, 10, 2};
        QTest::newRow("hue read") << 27 << true << 4 << QList<int>{} << QList<int>{0, 50, -50, 0, 2};
        QTest::newRow("sharpness read") << 25 << true << 4 << QList<int>{} << QList<int>{20, 70, -30, 20, 2};
        QTest::newRow("volume read") << 42 << true << 4 << QList<int>{} << QList<int>{-10, 40, -60, -10, 2};
        QTest::newRow("read while off") << 24 << true << 0 << QList<int>{} << QList<int>{30, 80, -20, 30, 1};
        QTest::newRow("relative +100 stops at max") << 24 << true << 4 << QList<int>{1, 100}
                                                    << QList<int>{80, 80, -20, 30, 2};
        QTest::newRow("relative -100 stops at min") << 24 << true << 4 << QList<int>{1, -100}
                                                    << QList<int>{-20, 80, -20, 30, 2};
        QTest::newRow("relative +5") << 42 << true << 4 << QList<int>{1, 5} << QList<int>{-5, 40, -60, -10, 2};
        QTest::newRow("absolute 100 kept") << 24 << true << 4 << QList<int>{0, 100} << QList<int>{100, 80, -20, 30, 2};
        QTest::newRow("set without its value") << 24 << true << 4 << QList<int>{1} << QList<int>{30, 80, -20, 30, 2};
        QTest::newRow("absolute before any read") << 24 << false << 4 << QList<int>{0, 7} << QList<int>{7, 0, 0, 0, 0};
    }

    void adjustments()
    {
        QFETCH(int, cmd);
        QFETCH(bool, readFirst);
        QFETCH(int, power);
        QFETCH(QList<int>, set);
        QFETCH(QList<int>, expected);
        ScheduleTestRig rig;
        offlineWithSamples(rig, 1);
        CProjectorData* r = rig.Hub()->GetProjectorData(1);
        r->m_Status[St::StPowerStatus].FromInt(power);
        QList<int> targets{1};
        if (readFirst)
            rig.m_Demo.ChangeData(cmd, nullptr, 1, 1, &targets, false, false);
        if (!set.isEmpty() || !readFirst) {
            QList<CVariantParameter> list = ints(set);
            rig.m_Demo.ChangeData(cmd, &list, 1, 2, &targets, false, false);
        }
        const int kind = cmd == 24 ? 0 : cmd == 23 ? 1 : cmd == 26 ? 2 : cmd == 27 ? 3 : cmd == 25 ? 4 : 5;
        const CGainInfo* gain = r->m_GainInfo.value(CGainInfo::Key(kind, 0));
        QVERIFY(gain);
        QCOMPARE((QList<int>{gain->m_Current.ToInt(), gain->m_Max.ToInt(), gain->m_Min.ToInt(), gain->m_Default.ToInt(),
                             gain->m_Status.ToInt()}),
                 expected);
        // A read gives the default, so the default is known (Reset needs it).
        QCOMPARE(gain->m_DefaultKnown.ToInt(), readFirst ? 1 : 0);
    }

    // A schedule's power-off in offline mode changes the records and
    // completes under the instance's key, with an OK line per projector.
    void offlineSchedulePowerOff()
    {
        ScheduleTestRig rig;
        offlineWithSamples(rig, 2);
        for (int id : {1, 2})
            rig.Hub()->GetProjectorData(id)->m_Status[St::StPictureMute].FromInt(1);
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 2);
        QSignalSpy timing(rig.Dispatcher(), &CDataFunctions::UpdateTiming);

        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QTRY_COMPARE(rig.Instance(KEY)->Status, int(CScheduleData::STATUS_TYPE::OK));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished));
        for (int id : {1, 2}) {
            const CVariantParameter* st = rig.Hub()->GetProjectorData(id)->m_Status;
            QCOMPARE(st[St::StPowerStatus].ToInt(), 0);
            QCOMPARE(st[St::StPictureMute].ToInt(), 0);
            QVERIFY(!st[St::StFreeze].ToBool());
        }
        QCOMPARE(rig.Log(), (QStringList{rig.Address(1) + "|OK|1|", rig.Address(2) + "|OK|1|"}));
        QCOMPARE(timing.count(), 2);
        QCOMPARE(timing.at(0), (QList<QVariant>{2, 3, 2, 1}));
    }

    // A schedule's set without the instance key in its parameters changes
    // the record but reports nothing.
    void scheduleSetWithoutKeyReportsNothing()
    {
        ScheduleTestRig rig;
        offlineWithSamples(rig, 1);
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 2);
        auto* sub = new CScheduleExcuteAdminInfoSub();
        sub->Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Executing;
        sub->RequestTime = rig.m_Now;
        rig.Instance(KEY)->AdminInfo->DetailesData->insert(1, sub);
        QList<int> targets{1};
        QList<CVariantParameter> value = ints({0});
        rig.m_Demo.ChangeData(2, &value, 3, 2, &targets, false, true);
        QCOMPARE(rig.Hub()->GetProjectorData(1)->m_Status[St::StPowerStatus].ToInt(), 0);
        QCOMPARE(sub->Status, int(CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Executing));
        QCOMPARE(rig.Log(), QStringList());
    }

    // With the offline flag but not its menu flag the program is online:
    // a schedule's command goes to the projector and its result back to
    // the instance.
    void offlineFlagAloneSendsRealCommands()
    {
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(CSimModelSpec::Shipped(QStringLiteral("LV-L100"))));
        rig.SetOffline(true, false);
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QTRY_COMPARE_WITH_TIMEOUT(rig.Instance(KEY)->Status, int(CScheduleData::STATUS_TYPE::OK), 10000);
        QCOMPARE(rig.Requests(id), (QList<int>{29, 31, 2}));
        QCOMPARE(rig.Log(), QStringList{rig.Address(id) + "|OK|1|"});
    }

    // After offline mode a power-on reaches the projector again.
    void powerOnAfterOfflineModeReachesTheProjector()
    {
        ScheduleTestRig rig;
        const int id = rig.AddSimulated(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QList<int> targets{id};
        QList<CVariantParameter> on = ints({1});
        rig.SetOffline(true, true);
        rig.SendCommand(2, &on, 1, 2, &targets, true, true);
        QTest::qWait(100);
        QVERIFY(rig.Simulated(id)->Requests().isEmpty());

        rig.SetOffline(false, true);
        QSignalSpy completed(rig.Hub()->m_pCommandFunctions, &CCommandFunctions::Completed);
        rig.SendCommand(2, &on, 1, 2, &targets, true, true);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 10000);
        QCOMPARE(rig.Requests(id), (QList<int>{29, 31, 2}));
    }

    // Control requests sent in offline mode run once.
    void controlRequestsRunOnceOffline()
    {
        ScheduleTestRig rig;
        rig.SetOffline(true, true);
        const QString folder = rig.Folder(QStringLiteral("comm"));
        rig.Control(138, {CVariantParameter().FromString(folder)});
        rig.Control(139, {CVariantParameter().FromBool(true)});
        rig.Control(137, {CVariantParameter().FromDateTime(rig.m_Now), CVariantParameter().FromInt(0),
                          CVariantParameter().FromString(QStringLiteral("10.0.0.1")),
                          CVariantParameter().FromByteArray(QByteArray("Demo line")),
                          CVariantParameter().FromInt(9)});
        QTRY_COMPARE(CCommLogFile::Lines(folder).size(), 1);

        QSignalSpy mails(rig.Dispatcher(), &CDataFunctions::CompletedMailSignal);
        CMailSettings settings;
        rig.Control(141, {CVariantParameter().FromPointer(&settings), CVariantParameter().FromString("Subject"),
                          CVariantParameter().FromString("Body"), CVariantParameter().FromBool(true)});
        QTRY_COMPARE(mails.count(), 1);
        QTest::qWait(100);
        QCOMPARE(mails.count(), 1);
        QCOMPARE(CCommLogFile::Lines(folder).size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_CCreateDemoData)
#include "tst_CCreateDemoData.moc"
