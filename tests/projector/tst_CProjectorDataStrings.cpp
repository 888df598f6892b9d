#include <QtTest>

#include <QScopedPointer>

#include "../profiles/ProfileTestSupport.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CSectionItemList.h"

using P = CProjectorData;

namespace {

// A record of a connected, running projector with every status text filled.
void FillConnected(CProjectorData& r)
{
    r.m_ConnectState = 3;
    r.m_InputTerminalKnown = true;
    r.m_Status[P::StStatusValid].FromBool(true);
    r.m_Status[P::StPowerStatus].FromInt(1);
    r.m_Status[P::StModelName].FromString("LV-L100");
    r.m_Status[P::StSerialNumber].FromString("SN123");
    r.m_Status[P::StProjectorName].FromString("Hall");
    r.m_Status[P::StPictureMute].FromInt(1);
    r.m_Status[P::StSoundMute].FromInt(0);
    r.m_Status[P::StOsdMute].FromInt(1);
    r.m_Status[P::StLensCover].FromInt(0);
    r.m_Status[P::StLampMode].FromInt(1);
    r.m_Status[P::StInputTerminal].FromInt(0x1A);
    r.m_Status[P::StSignalName].FromString("1080p");
    r.m_Status[P::StFreqHorizontal].FromString("67.5");
    r.m_Status[P::StLamp1Info].FromUChar(0);
    r.m_Status[P::StLamp1Usage].FromLong(7199);
    r.m_Status[P::StLamp2Info].FromUChar(9);
    r.m_Status[P::StLamp2Usage].FromLong(36000);
    r.m_Status[P::StFilterInfo].FromUChar(0);
    r.m_Status[P::StFilterUsed].FromLong(7199);
    r.m_Status[P::StFilterAlarm].FromLong(10800);
    r.m_Status[P::StMacAddress1].FromByteArray(QByteArray::fromHex("001A2B3C4D5E"));
    r.m_Status[P::StMacValid1].FromBool(true);
    r.m_Status[P::StMacAddress2].FromByteArray(QByteArray::fromHex("AABBCCDDEEFF"));
    r.m_Status[P::StMacValid2].FromBool(false);
    r.m_Status[P::StVerFirmware].FromString("1.02");
}

} // namespace

class tst_CProjectorDataStrings : public QObject
{
    Q_OBJECT

    QScopedPointer<EnglishCatalogue> m_Catalogue;
    CProfile* m_AllOn = nullptr; // every flag on, built-in lists
    CProfile* m_Eco = nullptr;   // with its own lamp-mode names

    QString Text(CProjectorData& r, const QString& which)
    {
        if (which == "status") return r.GetStatusString();
        if (which == "device") return r.GetDeviceString();
        if (which == "setting") return r.GetSettingString();
        if (which == "port") return r.GetPortString();
        if (which == "projector name") return r.GetProjectorNameString();
        if (which == "model name") return r.GetModelNameString();
        if (which == "serial") return r.GetModelSerialNumberString();
        if (which == "picture mute") return r.GetPictureMuteString();
        if (which == "sound mute") return r.GetSoundMuteString();
        if (which == "osd mute") return r.GetOSDMuteString();
        if (which == "lens cover") return r.GetLensCoverStateString();
        if (which == "lamp mode") return r.GetLampModeString();
        if (which == "input") return r.GetInputTerminalString();
        if (which == "signal") return r.GetSignalNameString();
        if (which == "h freq") return r.GetFreqHorizontalString();
        if (which == "lamp usage") return r.GetLampUsageString();
        if (which == "lamp2 usage") return r.GetLamp2UsageString();
        if (which == "lamp time") return r.GetRemainingLampTimeString(false);
        if (which == "lamp time unit") return r.GetRemainingLampTimeString(true);
        if (which == "lamp2 time") return r.GetRemainingLamp2TimeString(true);
        if (which == "filter") return r.GetFilterUsageString(false);
        if (which == "filter unit") return r.GetFilterUsageString(true);
        if (which == "filter left") return r.GetRemainingFilterUsageString(true);
        if (which == "mac0") return r.GetMACAddressString(0);
        if (which == "mac1") return r.GetMACAddressString(1);
        if (which == "mac2") return r.GetMACAddressString(2);
        if (which == "firmware") return r.GetVerFirmwareString();
        if (which == "registry") return r.GetRegistryNumberString();
        if (which == "signal type") return r.GetSignalTypeString();
        if (which == "ip") return r.GetIpAddressString(3);
        if (which == "last update") return r.GetLastUpdateString();
        return "unknown text " + which;
    }

private slots:
    void initTestCase()
    {
        m_Catalogue.reset(new EnglishCatalogue);
        QVERIFY(m_Catalogue->isInstalled());
        m_AllOn = new CProfile;
        for (bool& flag : m_AllOn->m_Flags)
            flag = true;
        m_AllOn->m_Flags[ProfileFlag::LaserBeam] = false;
        m_AllOn->m_Flags[ProfileFlag::UseMultipleEcoMode] = false;
        m_Eco = new CProfile;
        for (bool& flag : m_Eco->m_Flags)
            flag = true;
        m_Eco->EcoMarks()->Add(1, 0x00, "OFF", false);
        m_Eco->EcoMarks()->Add(2, 0x01, "SAVE", false);
        m_Eco->m_EcoMarksLoaded = true;
    }

    void cleanupTestCase()
    {
        delete m_AllOn;
        delete m_Eco;
    }

    void texts_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("expected");
        // Disconnected.
        QTest::newRow("off: status") << "off" << "status" << "---";
        QTest::newRow("off: lamp") << "off" << "lamp usage" << "---";
        QTest::newRow("off: filter") << "off" << "filter unit" << "---";
        QTest::newRow("off: mute") << "off" << "picture mute" << "---";
        QTest::newRow("off: input") << "off" << "input" << "---";
        QTest::newRow("off: projector name") << "off" << "projector name" << "";
        QTest::newRow("off: model name") << "off" << "model name" << "---";
        QTest::newRow("off: last update") << "off" << "last update" << "---";
        QTest::newRow("off: device") << "off" << "device" << "LAN";
        QTest::newRow("off: setting") << "off" << "setting" << "192.168.0.10";
        QTest::newRow("off: port") << "off" << "port" << "7142";
        // Connected, running, every flag on.
        QTest::newRow("on: status") << "on" << "status" << "Running";
        QTest::newRow("on: projector name") << "on" << "projector name" << "Hall";
        QTest::newRow("on: model name") << "on" << "model name" << "LV-L100";
        QTest::newRow("on: serial") << "on" << "serial" << "SN123";
        QTest::newRow("on: picture mute 1") << "on" << "picture mute" << "ON";
        QTest::newRow("on: sound mute 0") << "on" << "sound mute" << "OFF";
        QTest::newRow("on: osd mute 1 is OFF") << "on" << "osd mute" << "OFF";
        QTest::newRow("on: lens cover 0") << "on" << "lens cover" << "Open";
        QTest::newRow("on: lamp mode 1") << "on" << "lamp mode" << "ON";
        QTest::newRow("on: input by code") << "on" << "input" << "DIGITAL";
        QTest::newRow("on: signal") << "on" << "signal" << "1080p";
        QTest::newRow("on: h freq") << "on" << "h freq" << "67.5";
        QTest::newRow("on: lamp usage 7199 s") << "on" << "lamp usage" << "1";
        QTest::newRow("on: lamp2 not available") << "on" << "lamp2 usage" << "---";
        QTest::newRow("on: lamp time") << "on" << "lamp time" << "1";
        QTest::newRow("on: lamp time unit") << "on" << "lamp time unit" << "1 [H]";
        QTest::newRow("on: lamp2 time") << "on" << "lamp2 time" << "---";
        QTest::newRow("lamp 2 present: usage") << "lamp2" << "lamp2 usage" << "10";
        QTest::newRow("lamp 2 present: time") << "lamp2" << "lamp2 time" << "10 [H]";
        QTest::newRow("lamp 2 present, standby: usage kept") << "lamp2standby" << "lamp2 usage" << "10";
        QTest::newRow("lamp 2 present, standby: time") << "lamp2standby" << "lamp2 time" << "---";
        QTest::newRow("on: filter") << "on" << "filter" << "1";
        QTest::newRow("on: filter unit") << "on" << "filter unit" << "1 [H]";
        QTest::newRow("on: filter left rounds up") << "on" << "filter left" << "2 [H]";
        QTest::newRow("on: mac 0") << "on" << "mac0" << "00-1A-2B-3C-4D-5E";
        QTest::newRow("on: mac 1") << "on" << "mac1" << "00-1A-2B-3C-4D-5E";
        QTest::newRow("on: mac 2 not valid") << "on" << "mac2" << "";
        QTest::newRow("on: firmware") << "on" << "firmware" << "1.02";
        QTest::newRow("on: empty registry") << "on" << "registry" << "---";
        QTest::newRow("on: signal type") << "on" << "signal type" << "---";
        QTest::newRow("on: fixed ip") << "on" << "ip" << "192.168.0.10";
        QTest::newRow("on: invalid last update") << "on" << "last update" << "";
        // Low-power standby.
        QTest::newRow("standby: status") << "standby" << "status" << "Running";
        QTest::newRow("standby: mute") << "standby" << "picture mute" << "---";
        QTest::newRow("standby: projector name") << "standby" << "projector name" << "";
        QTest::newRow("standby: model name") << "standby" << "model name" << "";
        QTest::newRow("standby: lamp usage kept") << "standby" << "lamp usage" << "1";
        QTest::newRow("standby: lamp time") << "standby" << "lamp time" << "---";
        QTest::newRow("standby: mac") << "standby" << "mac1" << "---";
        // Power status.
        QTest::newRow("power 6: standby") << "power6" << "status" << "Standby";
        QTest::newRow("power 6: signal") << "power6" << "signal" << "---";
        QTest::newRow("power 6: mute") << "power6" << "picture mute" << "ON";
        QTest::newRow("power 0: mute") << "power0" << "picture mute" << "---";
        QTest::newRow("power 0: input") << "power0" << "input" << "---";
        QTest::newRow("status not valid") << "invalid" << "status" << "---";
        // Profile flags.
        QTest::newRow("no profile: mute") << "noprofile" << "picture mute" << "---";
        QTest::newRow("no profile: lamp mode") << "noprofile" << "lamp mode" << "---";
        QTest::newRow("no profile: serial") << "noprofile" << "serial" << "---";
        QTest::newRow("no profile: lamp usage") << "noprofile" << "lamp usage" << "1";
        QTest::newRow("flags off: osd") << "flagsoff" << "osd mute" << "---";
        QTest::newRow("flags off: lens") << "flagsoff" << "lens cover" << "---";
        QTest::newRow("flags off: input") << "flagsoff" << "input" << "---";
        QTest::newRow("input not known") << "unknowninput" << "input" << "---";
        QTest::newRow("input by sub code") << "subinput" << "input" << "HDMI";
        QTest::newRow("input without match") << "noinput" << "input" << "---";
        QTest::newRow("multiple eco: 1") << "multieco" << "lamp mode" << "AUTO ECO";
        QTest::newRow("lamp mode 2") << "mode2" << "lamp mode" << "ECO1";
        QTest::newRow("lamp mode 3") << "mode3" << "lamp mode" << "ECO2";
        QTest::newRow("lamp mode 0") << "mode0" << "lamp mode" << "OFF";
        QTest::newRow("lamp mode 4") << "mode4" << "lamp mode" << "---";
        QTest::newRow("eco list: 1") << "eco" << "lamp mode" << "SAVE";
        QTest::newRow("eco list: no item") << "ecomode3" << "lamp mode" << "---";
        // Serial connection.
        QTest::newRow("serial: device") << "rs232c" << "device" << "RS-232C";
        QTest::newRow("serial: setting") << "rs232c" << "setting" << "---";
        QTest::newRow("serial: port is port name") << "rs232c" << "port" << "ttyUSB0";
        QTest::newRow("serial: mac") << "rs232c" << "mac1" << "---";
    }

    void texts()
    {
        QFETCH(QString, setup);
        QFETCH(QString, which);
        QFETCH(QString, expected);
        CProjectorData r(nullptr, 1);
        r.m_Profile = m_AllOn;
        if (setup != "off")
            FillConnected(r);
        if (setup == "standby" || setup == "lamp2standby") r.m_Status[P::StLowPowerStandby].FromBool(true);
        if (setup.startsWith("lamp2")) r.m_Status[P::StLamp2Info].FromUChar(0);
        if (setup == "power6") r.m_Status[P::StPowerStatus].FromInt(6);
        if (setup == "power0") r.m_Status[P::StPowerStatus].FromInt(0);
        if (setup == "invalid") r.m_Status[P::StStatusValid].FromBool(false);
        if (setup == "noprofile") r.m_Profile = nullptr;
        CProfile off;
        off.f_SetInit();
        if (setup == "flagsoff") r.m_Profile = &off;
        if (setup == "unknowninput") r.m_InputTerminalKnown = false;
        CProfile sub;
        sub.InputTerminals()->Clear();
        sub.InputTerminals()->Add(1, 0x1A, "HDMI", 0xA1, false);
        for (bool& flag : sub.m_Flags)
            flag = true;
        if (setup == "subinput") {
            r.m_Profile = &sub;
            r.m_Status[P::StInputTerminal].FromInt(0xA1);
        }
        if (setup == "noinput") r.m_Status[P::StInputTerminal].FromInt(0x55);
        CProfile multi;
        for (bool& flag : multi.m_Flags)
            flag = true;
        if (setup == "multieco") r.m_Profile = &multi;
        if (setup.startsWith("mode")) r.m_Status[P::StLampMode].FromInt(setup.mid(4).toInt());
        if (setup.startsWith("eco")) r.m_Profile = m_Eco;
        if (setup == "ecomode3") r.m_Status[P::StLampMode].FromInt(3);
        if (setup == "rs232c") {
            r.m_DeviceKind = 1;
            r.m_Address = "ttyUSB0";
        }
        QCOMPARE(Text(r, which), expected);
    }

    void remainingFilterHours_data()
    {
        QTest::addColumn<qint32>("used");
        QTest::addColumn<qint32>("alarm");
        QTest::addColumn<QString>("expected");
        QTest::newRow("3601 s left") << 0 << 3601 << "2";
        QTest::newRow("1 s left") << 3599 << 3600 << "1";
        QTest::newRow("none left") << 3600 << 3600 << "0";
        QTest::newRow("one hour over") << 7200 << 3600 << "-1";
        QTest::newRow("less than an hour over") << 7000 << 3600 << "0";
        QTest::newRow("alarm 0") << 100 << 0 << "---";
        QTest::newRow("negative used") << -1 << 3600 << "---";
        QTest::newRow("largest alarm") << 0 << 2147483647 << "596524";
    }

    void remainingFilterHours()
    {
        QFETCH(qint32, used);
        QFETCH(qint32, alarm);
        QFETCH(QString, expected);
        CProjectorData r(nullptr, 1);
        FillConnected(r);
        r.m_Status[P::StFilterUsed].FromLong(used);
        r.m_Status[P::StFilterAlarm].FromLong(alarm);
        QCOMPARE(r.GetRemainingFilterUsageString(false), expected);
    }

    void groupsAndLastUpdate()
    {
        CProjectorData r(nullptr, 1);
        QCOMPARE(r.GetGroupString(), QString(""));
        r.m_GroupList.insert(9, "Second");
        r.m_GroupList.insert(2, "First");
        QCOMPARE(r.GetGroupString(), QString("First\r\nSecond"));
        r.m_ConnectState = 3;
        r.m_LastUpdate = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
        QCOMPARE(r.GetLastUpdateString(), QString("2026/03/04 05:06:07"));
        r.m_SettingName.clear();
        QCOMPARE(r.GetSettingNameString(), QString(""));
        QVERIFY(!r.GetSettingNameString().isNull());
    }
};

QTEST_GUILESS_MAIN(tst_CProjectorDataStrings)
#include "tst_CProjectorDataStrings.moc"
