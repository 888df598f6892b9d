#include <QtTest>

#include <QScopedPointer>
#include <QTemporaryDir>

#include "CEventBase.h"
#include "CEventContainer.h"
#include "CGainInfo.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CSectionItemList.h"

using Lan = CProjectorData::TYPE_LAN;

namespace {

// A command that counts its own destruction.
class CountedEvent : public CEventBase
{
public:
    explicit CountedEvent(int* deleted) : m_Deleted(deleted) {}
    ~CountedEvent() override { ++*m_Deleted; }
    int* m_Deleted;
};

} // namespace

class tst_CProjectorData : public QObject
{
    Q_OBJECT

    static QList<int> Keys(const QMap<int, CGainInfo*>& map) { return map.keys(); }
    static const QList<int> kGainKeys;

private slots:
    // A record deleted with commands waiting and a command's parameters frees
    // each exactly once (the sanitizer build reports a leak or a double free);
    // a copy shares none of them.
    void deletingFreesWaitingCommandsOnce_data()
    {
        QTest::addColumn<int>("waiting");
        QTest::addColumn<int>("parameters");
        QTest::newRow("nothing") << 0 << 0;
        QTest::newRow("three commands, two parameters") << 3 << 2;
    }

    void deletingFreesWaitingCommandsOnce()
    {
        QFETCH(int, waiting);
        QFETCH(int, parameters);
        int deleted = 0;
        {
            CProjectorData record(nullptr, 1);
            for (int i = 0; i < waiting; ++i)
                record.m_PendingEvents.append(new CEventContainer(new CountedEvent(&deleted)));
            for (int i = 0; i < parameters; ++i)
                record.m_TempParameters.append(new CVariantParameter());
            CProjectorData copy(record);
            QVERIFY(copy.m_PendingEvents.isEmpty());
            QVERIFY(copy.m_TempParameters.isEmpty());
            CProjectorData assigned(nullptr, 2);
            assigned = record;
            QVERIFY(assigned.m_PendingEvents.isEmpty());
            QCOMPARE(deleted, 0);
        }
        QCOMPARE(deleted, waiting);
    }

    void newRecordDefaults()
    {
        CProjectorData record(nullptr, 42);
        QCOMPARE(record.m_Id, 42);
        QCOMPARE(record.m_SettingName, QString("Setting1"));
        QCOMPARE(record.m_Address, QString("192.168.0.10"));
        QCOMPARE(record.m_Port, QString("7142"));
        QCOMPARE(record.m_AddressType, Lan::IP);
        QCOMPARE(record.m_DeviceKind, 0);
        QVERIFY(record.m_Enabled);
        QCOMPARE(record.m_ConnectState, 0);
        QCOMPARE(record.m_ConnectOption, 3);
        QVERIFY(!record.m_NewEntry);
        QVERIFY(!record.m_InputTerminalKnown);
        QVERIFY(record.m_SectionName.isEmpty());
        QVERIFY(!record.m_Profile);
        QVERIFY(record.m_CreatedTick > 0);
        QVERIFY(record.m_LastUpdate.isNull());
        QCOMPARE(Keys(record.m_GainInfo), kGainKeys);
        QCOMPARE(Keys(record.m_ReceivedGainInfo), kGainKeys);
        for (int kind = 0; kind < 6; ++kind) {
            QCOMPARE(record.m_GainInfo.value(kind << 8)->m_Kind.ToInt(), kind);
            QCOMPARE(record.m_GainInfo.value(kind << 8)->m_Index.ToInt(), 0);
        }
        QCOMPARE(record.m_Status[CProjectorData::StLampMode].ToInt(), 4);
        QCOMPARE(record.m_Status[CProjectorData::StLensCover].ToInt(), 2);
        QCOMPARE(record.m_Status[CProjectorData::StStatusValid].ToBool(), false);
        QCOMPARE(record.m_Status[CProjectorData::StErrorWordA].ToULong(), 0u);
        QCOMPARE(record.m_Status[CProjectorData::StRemarkState].ToLong(), 0);
        QCOMPARE(record.m_Status[CProjectorData::StLamp1Info].ToUChar(), quint8(0));
        QCOMPARE(int(CProjectorData::StRawPowerStatus), 97);
        QCOMPARE(int(CProjectorData::StRawFreeze), 105);
        QCOMPARE(int(CProjectorData::StRaw141), 141);
        QCOMPARE(int(CProjectorData::StVerData2), 82);
    }

    void gainInfoRecords()
    {
        CGainInfo fresh;
        for (const CVariantParameter* v : { &fresh.m_Kind, &fresh.m_Index, &fresh.m_Max, &fresh.m_Min,
                                            &fresh.m_Current, &fresh.m_DefaultKnown, &fresh.m_Default,
                                            &fresh.m_Status })
            QCOMPARE(v->ToInt(), 0);
        QCOMPARE(CGainInfo::Key(fresh.m_Kind.ToInt(), fresh.m_Index.ToInt()), 0);

        CGainInfo source;
        source.m_Kind.FromInt(5);
        source.m_Max.FromInt(63);
        source.m_Current.FromInt(20);
        source.m_DefaultKnown.FromInt(1);
        source.m_Default.FromInt(31);
        source.m_Status.FromInt(CGainInfo::STATUS_ADJUSTABLE);
        fresh.f_Copy(source);
        QCOMPARE(fresh.m_Kind.ToInt(), 5);
        QCOMPARE(fresh.m_Max.ToInt(), 63);
        QCOMPARE(fresh.m_Current.ToInt(), 20);
        QCOMPARE(fresh.m_DefaultKnown.ToInt(), 1);
        QCOMPARE(fresh.m_Default.ToInt(), 31);
        QCOMPARE(fresh.m_Status.ToInt(), 2);

        // Creating again replaces the records without leaking or doubling them.
        CProjectorData record(nullptr, 1);
        CGainInfo* before = record.m_GainInfo.value(0x300);
        record.f_CreateGainInfoData();
        QCOMPARE(record.m_GainInfo.size(), 6);
        QCOMPARE(record.m_ReceivedGainInfo.size(), 6);
        QVERIFY(record.m_GainInfo.value(0x300) != nullptr);
        Q_UNUSED(before)
    }

    // Every member a copy takes, each set away from its default, arrives.
    void copyTakesEveryMember()
    {
        CProfile profile;
        QTemporaryDir dir;
        CProfileList profileList(dir.filePath("absent.ini"));
        CProfileList* profiles = &profileList;
        CProjectorData source(nullptr, 7);
        source.m_ConnectOption = 9;
        source.m_NewEntry = true;
        source.m_InputTerminalKnown = true;
        source.m_CreatedTick = 123456789012ull;
        source.m_LastUpdate = QDateTime(QDate(2026, 5, 4), QTime(3, 2, 1), Qt::UTC);
        source.m_SettingName = "Hall A";
        source.m_SectionName = "Setting 007";
        source.m_SectionNumber = 7;
        source.m_Comment = "left";
        source.m_Enabled = false;
        source.m_Profile = &profile;
        source.m_ProfileList = profiles;
        source.m_AddressType = CProjectorData::TYPE_LAN::RANGE;
        source.m_ConnectParameter = 5;
        source.m_DeviceKind = 1;
        source.m_Address = "10.1.2.3";
        source.m_Port = "7143";
        source.m_ConnectState = 3;
        for (int i = 0; i < CProjectorData::StatusCount; ++i)
            source.m_Status[i].FromInt(1000 + i);
        source.m_GroupList.insert(2, "Floor");
        source.m_GroupsChanged = true;

        CProjectorData copy(nullptr, 1);
        copy.f_Copy(source);
        QCOMPARE(copy.m_ConnectOption, 9);
        QCOMPARE(copy.m_NewEntry, true);
        QCOMPARE(copy.m_InputTerminalKnown, true);
        QCOMPARE(copy.m_CreatedTick, 123456789012ull);
        QCOMPARE(copy.m_LastUpdate, source.m_LastUpdate);
        QCOMPARE(copy.m_Id, 7);
        QCOMPARE(copy.m_SettingName, QString("Hall A"));
        QCOMPARE(copy.m_SectionName, QString("Setting 007"));
        QCOMPARE(copy.m_SectionNumber, 7);
        QCOMPARE(copy.m_Comment, QString("left"));
        QCOMPARE(copy.m_Enabled, false);
        QCOMPARE(copy.m_Profile, &profile);
        QCOMPARE(copy.m_ProfileList, profiles);
        QCOMPARE(copy.m_AddressType, CProjectorData::TYPE_LAN::RANGE);
        QCOMPARE(copy.m_ConnectParameter, 5);
        QCOMPARE(copy.m_DeviceKind, 1);
        QCOMPARE(copy.m_Address, QString("10.1.2.3"));
        QCOMPARE(copy.m_Port, QString("7143"));
        QCOMPARE(copy.m_ConnectState, 3);
        for (int i = 0; i < CProjectorData::StatusCount; ++i)
            QCOMPARE(copy.m_Status[i].ToInt(), 1000 + i);
        QCOMPARE(copy.m_GroupList, source.m_GroupList);
        QCOMPARE(copy.m_GroupsChanged, true);

        // The copy constructor takes them all the same way.
        CProjectorData constructed(source);
        QCOMPARE(constructed.m_Enabled, false);
        QCOMPARE(constructed.m_ConnectOption, 9);
        QCOMPARE(constructed.m_Status[CProjectorData::StatusCount - 1].ToInt(), 1000 + CProjectorData::StatusCount - 1);
    }

    void copyKeepsSettingsAndOwnsFreshAdjustments()
    {
        CProfile profile;
        CProjectorData source(nullptr, 7);
        source.m_SettingName = "Hall A";
        source.m_Comment = "left";
        source.m_Address = "10.1.2.3";
        source.m_SectionName = "Setting 007";
        source.m_SectionNumber = 7;
        source.m_ConnectState = 3;
        source.m_Profile = &profile;
        source.m_GroupList.insert(2, "Floor");
        source.m_StepNo = 9;
        source.m_SendFrame = "frame";
        source.m_Status[CProjectorData::StModelName].FromString("LV-L100");
        source.m_GainInfo.value(0)->m_Current.FromInt(55);

        CProjectorData copy(source);
        QCOMPARE(copy.m_Id, 7);
        QCOMPARE(copy.m_SettingName, QString("Hall A"));
        QCOMPARE(copy.m_Address, QString("10.1.2.3"));
        QCOMPARE(copy.m_SectionName, QString("Setting 007"));
        QCOMPARE(copy.m_ConnectState, 3);
        QCOMPARE(copy.m_Profile, &profile);
        QCOMPARE(copy.m_GroupList.value(2), QString("Floor"));
        QCOMPARE(copy.m_Status[CProjectorData::StModelName].ToString(), QString("LV-L100"));
        QCOMPARE(copy.m_StepNo, 0); // engine state is not copied
        QVERIFY(copy.m_SendFrame.isEmpty());
        QCOMPARE(copy.m_GainInfo.value(0)->m_Current.ToInt(), 0);

        CProjectorData assigned(nullptr, 1);
        assigned = source;
        assigned = source;
        QCOMPARE(Keys(assigned.m_GainInfo), kGainKeys);
        QCOMPARE(Keys(assigned.m_ReceivedGainInfo), kGainKeys);
        for (int key : kGainKeys) {
            QVERIFY(assigned.m_GainInfo.value(key) != source.m_GainInfo.value(key));
            QVERIFY(assigned.m_ReceivedGainInfo.value(key) != source.m_ReceivedGainInfo.value(key));
        }
        assigned = assigned;
        QCOMPARE(assigned.m_GainInfo.size(), 6);
    }

    void connectionReset()
    {
        CProjectorData record(nullptr, 5);
        record.m_SectionName = "Setting 005";
        record.m_SectionNumber = 5;
        QCOMPARE(record.ConnectionReset(nullptr), -1);
        QCOMPARE(record.m_Id, 5);

        CProjectorData edited(nullptr, 99);
        edited.m_SectionName = "Setting 099";
        edited.m_SectionNumber = 99;
        edited.m_Address = "10.0.0.2";
        edited.m_ConnectState = 3;
        edited.m_InputTerminalKnown = true;
        edited.m_Status[CProjectorData::StErrorWordA].FromULong(0x41);
        edited.m_Status[CProjectorData::StPrevErrorWordB].FromLong(3);
        edited.m_Status[CProjectorData::StMacValid2].FromBool(true);
        edited.m_Status[CProjectorData::StStatusValid].FromBool(true);
        edited.m_Status[CProjectorData::StModelName].FromString("LV-X500");

        QCOMPARE(record.ConnectionReset(&edited), 0);
        QCOMPARE(record.m_Id, 5);
        QCOMPARE(record.m_SectionName, QString("Setting 005"));
        QCOMPARE(record.m_SectionNumber, 5);
        QCOMPARE(record.m_Address, QString("10.0.0.2"));
        QCOMPARE(record.m_ConnectState, 0);
        QVERIFY(!record.m_InputTerminalKnown);
        for (int pos = CProjectorData::StErrorWordA; pos <= CProjectorData::StPrevErrorWordB; ++pos)
            QCOMPARE(record.m_Status[pos].ToInt64(), qint64(0));
        QCOMPARE(record.m_Status[CProjectorData::StLamp1Info].ToUChar(), quint8(9));
        QCOMPARE(record.m_Status[CProjectorData::StLamp2Info].ToUChar(), quint8(9));
        QCOMPARE(record.m_Status[CProjectorData::StFilterInfo].ToUChar(), quint8(9));
        QVERIFY(!record.m_Status[CProjectorData::StMacValid2].ToBool());
        QVERIFY(!record.m_Status[CProjectorData::StStatusValid].ToBool());
        QCOMPARE(record.m_Status[CProjectorData::StModelName].ToString(), QString("LV-X500"));
    }

    void copyConnectionTakesConnectionOnly()
    {
        CProfile profile;
        CProjectorData record(nullptr, 12);
        record.m_DeviceKind = 1;
        record.m_AddressType = Lan::HOST;
        record.m_Address = "ttyS0";
        record.m_Port = "9000";
        record.m_Comment = "c";
        record.m_SettingName = "n";
        record.m_SectionName = "Setting 012";
        record.m_ConnectOption = 5;
        record.m_Enabled = false;
        record.m_ConnectState = 3;
        record.m_Profile = &profile;
        record.m_GroupList.insert(1, "g");
        QScopedPointer<CProjectorData> copy(record.CopyConnection());
        QVERIFY(copy);
        QCOMPARE(copy->m_Id, 12);
        QCOMPARE(copy->m_DeviceKind, 1);
        QCOMPARE(copy->m_AddressType, Lan::HOST);
        QCOMPARE(copy->m_Address, QString("ttyS0"));
        QCOMPARE(copy->m_Port, QString("9000"));
        QCOMPARE(copy->m_Comment, QString("c"));
        QCOMPARE(copy->m_SettingName, QString("n"));
        QCOMPARE(copy->m_SectionName, QString("Setting 012"));
        QCOMPARE(copy->m_ConnectOption, 5);
        QVERIFY(copy->m_Enabled); // the settings dialog sets it itself
        QCOMPARE(copy->m_ConnectState, 0);
        QVERIFY(!copy->m_Profile);
        QVERIFY(copy->m_GroupList.isEmpty());
    }

    void compares_data()
    {
        QTest::addColumn<int>("deviceKind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("sameDestination");
        QTest::addColumn<bool>("sameOther");
        QTest::newRow("identical") << 0 << "" << true << true;
        QTest::newRow("address") << 0 << "address" << false << true;
        QTest::newRow("LAN port") << 0 << "port" << false << true;
        QTest::newRow("LAN port as typed") << 0 << "typed port" << true << true;
        QTest::newRow("serial port text") << 1 << "port" << true << true;
        QTest::newRow("enabled") << 0 << "enabled" << false << true;
        QTest::newRow("parameter") << 0 << "parameter" << false << true;
        QTest::newRow("device kind") << 0 << "kind" << false << true;
        QTest::newRow("name") << 0 << "name" << true << false;
        QTest::newRow("comment") << 0 << "comment" << true << false;
    }

    void compares()
    {
        QFETCH(int, deviceKind);
        QFETCH(QString, field);
        QFETCH(bool, sameDestination);
        QFETCH(bool, sameOther);
        CProjectorData a(nullptr, 1);
        a.m_DeviceKind = deviceKind;
        CProjectorData b(a);
        if (field == "address") b.m_Address = "10.0.0.9";
        if (field == "port") b.m_Port = "7143";
        if (field == "typed port") b.m_Port = " 07142";
        if (field == "enabled") b.m_Enabled = false;
        if (field == "parameter") b.m_ConnectParameter = 1;
        if (field == "kind") b.m_DeviceKind = 1;
        if (field == "name") b.m_SettingName = "x";
        if (field == "comment") b.m_Comment = "x";
        QCOMPARE(a.IsConnectDestinationCompare(&b), sameDestination);
        QCOMPARE(a.IsOtherSettingCompare(&b), sameOther);
        QVERIFY(!a.IsConnectDestinationCompare(nullptr));
        QVERIFY(!a.IsOtherSettingCompare(nullptr));
    }

    void addressCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("clean");
        QTest::newRow("plain") << "192.168.0.10" << 1 << true << "192.168.0.10";
        QTest::newRow("type 2") << "192.168.0.10" << 2 << true << "192.168.0.10";
        QTest::newRow("smallest") << "1.0.0.1" << 1 << true << "1.0.0.1";
        QTest::newRow("largest") << "223.255.255.254" << 1 << true << "223.255.255.254";
        QTest::newRow("leading zeros") << "010.001.000.001" << 1 << true << "10.1.0.1";
        QTest::newRow("first part 0") << "0.1.2.3" << 1 << false << "";
        QTest::newRow("multicast") << "224.0.0.1" << 1 << false << "";
        QTest::newRow("fourth part 0") << "10.0.0.0" << 1 << false << "";
        QTest::newRow("broadcast") << "10.0.0.255" << 1 << false << "";
        QTest::newRow("part above 255") << "10.300.0.1" << 1 << false << "";
        QTest::newRow("three parts") << "10.0.0" << 1 << false << "";
        QTest::newRow("five parts") << "10.0.0.1.2" << 1 << false << "";
        QTest::newRow("empty part") << "10..0.1" << 1 << false << "";
        QTest::newRow("letter part") << "192.168.x.1" << 1 << false << "";
        QTest::newRow("trailing letter") << "192.168.0.1a" << 1 << false << "";
        QTest::newRow("four digits") << "10.0000.0.1" << 1 << false << "";
        QTest::newRow("sign") << "10.+1.0.1" << 1 << false << "";
        QTest::newRow("blank inside a part") << "10.1 1.0.1" << 1 << false << "";
        // The connection could not use these: the caller trims what an edit pads.
        QTest::newRow("padded by the address edit") << "192.   168.   1.   10" << 1 << false << "";
        QTest::newRow("leading blank") << " 10.0.0.1" << 1 << false << "";
        QTest::newRow("trailing blank") << "10.0.0.1 " << 1 << false << "";
        QTest::newRow("blank before a dot") << "10 .0.0.1" << 1 << false << "";
        QTest::newRow("tab") << "10.0.0.1\t" << 1 << false << "";
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("10.\xd9\xa1.0.1") << 1 << false << "";
        QTest::newRow("empty") << "" << 1 << false << "";
        QTest::newRow("dots only") << "..." << 1 << false << "";
        QTest::newRow("slash for type 1") << "10.0.0.1/8" << 1 << false << "";
        QTest::newRow("network") << "192.168.0.0/24" << 3 << true << "192.168.0.0/24";
        QTest::newRow("network, leading zeros") << "192.168.000.000/024" << 3 << true << "192.168.0.0/24";
        QTest::newRow("network of one address") << "10.0.0.1/32" << 3 << true << "10.0.0.1/32";
        QTest::newRow("network without a prefix") << "10.0.0.1" << 3 << true << "10.0.0.1";
        QTest::newRow("network prefix 0") << "10.0.0.0/0" << 3 << false << "";
        QTest::newRow("network prefix 33") << "10.0.0.0/33" << 3 << false << "";
        QTest::newRow("network without prefix digits") << "10.0.0.0/" << 3 << false << "";
        QTest::newRow("network with two slashes") << "10.0.0.0/8/8" << 3 << false << "";
        QTest::newRow("network multicast") << "224.0.0.0/8" << 3 << false << "";
        QTest::newRow("network padded") << "10.0.0.0 /8" << 3 << false << "";
        QTest::newRow("range") << "192.168.0.10-192.168.0.20" << 4 << true << "192.168.0.10-192.168.0.20";
        QTest::newRow("range of one") << "10.0.0.1-10.0.0.1" << 4 << true << "10.0.0.1-10.0.0.1";
        QTest::newRow("range without an end") << "10.0.0.1" << 4 << true << "10.0.0.1";
        QTest::newRow("range backwards") << "10.0.0.20-10.0.0.10" << 4 << false << "";
        QTest::newRow("range end broadcast") << "10.0.0.1-10.0.0.255" << 4 << false << "";
        QTest::newRow("range short end") << "10.0.0.1-20" << 4 << false << "";
        QTest::newRow("range padded") << "10.0.0.1 - 10.0.0.2" << 4 << false << "";
        QTest::newRow("dash for network") << "10.0.0.1-10.0.0.2" << 3 << false << "";
    }

    void addressCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(bool, valid);
        QFETCH(QString, clean);
        QCOMPARE(CProjectorData::IsIPAdrrCheck(text, Lan::Enum(type)), valid);
        QCOMPARE(CProjectorData::CleanAddressText(text, Lan::Enum(type)), clean);
    }

    void digitCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("valid");
        QTest::newRow("network slash") << "1/2" << 3 << true;
        QTest::newRow("slash for IP") << "1/2" << 1 << false;
        QTest::newRow("range dash") << "1-2" << 4 << true;
        QTest::newRow("dash for network") << "1-2" << 3 << false;
        QTest::newRow("no digit") << "abc" << 0 << false;
        QTest::newRow("dots pass") << "1.a.b" << 0 << true;
        QTest::newRow("empty") << "" << 1 << false;
    }

    void digitCheck()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(bool, valid);
        QCOMPARE(CProjectorData::SDecCheck(text, Lan::Enum(type)), valid);
    }

    // Each of the ten lamp error bits of error word A belongs to one lamp.
    void lampErrorMasks_data()
    {
        QTest::addColumn<quint32>("word");
        QTest::addColumn<bool>("lamp1");
        QTest::addColumn<bool>("lamp2");
        for (int bit : { 6, 7, 8, 19, 20 })
            QTest::addRow("lamp 1 bit %d", bit) << (1u << bit) << true << false;
        for (int bit : { 10, 22, 23, 24, 25 })
            QTest::addRow("lamp 2 bit %d", bit) << (1u << bit) << false << true;
        for (int bit : { 0, 5, 9, 11, 18, 21, 26, 31 })
            QTest::addRow("other bit %d", bit) << (1u << bit) << false << false;
        QTest::newRow("every lamp 1 bit") << 0x1801C0u << true << false;
        QTest::newRow("every lamp 2 bit") << 0x3C00400u << false << true;
        QTest::newRow("none") << 0u << false << false;
    }

    void lampErrorMasks()
    {
        QFETCH(quint32, word);
        QFETCH(bool, lamp1);
        QFETCH(bool, lamp2);
        CProjectorData record(nullptr, 1);
        record.m_Status[CProjectorData::StErrorWordA].FromULong(word);
        QCOMPARE(record.f_LampErrorBitEnabled(1), lamp1);
        QCOMPARE(record.f_LampErrorBitEnabled(2), lamp2);
    }

    void lampErrorBits()
    {
        CProjectorData record(nullptr, 1);
        record.m_Status[CProjectorData::StErrorWordA].FromULong(0x400);
        QVERIFY(record.f_LampErrorBitEnabled(2));
        QVERIFY(!record.f_LampErrorBitEnabled(1));
        record.m_Status[CProjectorData::StErrorWordA].FromULong(0x80);
        QVERIFY(record.f_LampErrorBitEnabled(1));
        QVERIFY(record.f_LampErrorBitEnabled(0)); // any argument but 2 is lamp 1
        QVERIFY(!record.f_LampErrorBitEnabled(2));

        // The maintenance tests need a connection and an available lamp.
        QVERIFY(!record.f_IsRemainingLampTimeError());
        record.m_ConnectState = 3;
        QVERIFY(record.f_IsRemainingLampTimeError());
        record.m_Status[CProjectorData::StLamp1Info].FromUChar(9);
        QVERIFY(!record.f_IsRemainingLampTimeError());
        record.m_Status[CProjectorData::StErrorWordA].FromULong(0x2000000);
        record.m_Status[CProjectorData::StLamp2Info].FromUChar(0);
        QVERIFY(record.f_IsRemainingLamp2TimeError());

        CProfile laser;
        laser.m_Flags[ProfileFlag::LaserBeam] = true;
        record.m_Profile = &laser;
        QVERIFY(!record.f_LampErrorBitEnabled(1));
        QVERIFY(!record.f_LampErrorBitEnabled(2));
        QVERIFY(!record.f_IsRemainingLamp2TimeError());
    }

    void filterError_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("info");
        QTest::addColumn<qint32>("used");
        QTest::addColumn<qint32>("alarm");
        QTest::addColumn<bool>("error");
        QTest::newRow("reached") << 3 << 0 << 3600 << 3600 << true;
        QTest::newRow("past") << 3 << 0 << 7200 << 3600 << true;
        QTest::newRow("before") << 3 << 0 << 3599 << 3600 << false;
        QTest::newRow("alarm 0") << 3 << 0 << 3600 << 0 << false;
        QTest::newRow("not connected") << 0 << 0 << 3600 << 3600 << false;
        QTest::newRow("not available") << 3 << 9 << 3600 << 3600 << false;
        QTest::newRow("extreme values") << 3 << 0 << -2147483647 - 1 << 2147483647 << false;
    }

    void filterError()
    {
        QFETCH(int, state);
        QFETCH(int, info);
        QFETCH(qint32, used);
        QFETCH(qint32, alarm);
        QFETCH(bool, error);
        CProjectorData record(nullptr, 1);
        record.m_ConnectState = state;
        record.m_Status[CProjectorData::StFilterInfo].FromUChar(quint8(info));
        record.m_Status[CProjectorData::StFilterUsed].FromLong(used);
        record.m_Status[CProjectorData::StFilterAlarm].FromLong(alarm);
        QCOMPARE(record.f_IsRemainingFilterUsageError(), error);
    }

    void inputSignalSubValue()
    {
        CProjectorData record(nullptr, 1);
        record.m_Status[CProjectorData::StInputTerminal].FromInt(0x1A);
        QCOMPARE(record.GetInputSignalPrioritySub(), 0x1A);
        CProfile profile;
        profile.InputTerminals()->Clear();
        profile.InputTerminals()->Add(1, 0x1A, "HDMI1", 0xA1, false);
        profile.InputTerminals()->Add(2, 0x1A, "HDMI1 again", 0xB1, false);
        profile.InputTerminals()->Add(3, 0x06, "VIDEO", false);
        record.m_Profile = &profile;
        QCOMPARE(record.GetInputSignalPrioritySub(), 0xA1);
        record.m_Status[CProjectorData::StInputTerminal].FromInt(0x06);
        QCOMPARE(record.GetInputSignalPrioritySub(), 0x06);
        record.m_Status[CProjectorData::StInputTerminal].FromInt(0x30);
        QCOMPARE(record.GetInputSignalPrioritySub(), 0x30);
    }
};

const QList<int> tst_CProjectorData::kGainKeys = { 0x000, 0x100, 0x200, 0x300, 0x400, 0x500 };

QTEST_GUILESS_MAIN(tst_CProjectorData)
#include "tst_CProjectorData.moc"
