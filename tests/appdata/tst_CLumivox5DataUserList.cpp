#include <QtTest>

#include "CIniFileAccess.h"
#include "CLumivox5Data.h"
#include "HubTestFolders.h"
#include "UserListExample.h"

#include <QDir>
#include <QFile>
#include <QTextCodec>

// The user list of the data hub: writing, section numbers, reading with its
// checks and limits, imports and the temporary copy.
class tst_CLumivox5DataUserList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void exampleFileRoundTrip();
    void headerOnlyWhenEmpty();
    void newRecordsTakeTheirIdAsSection();
    void sectionNumbersAroundTakenSections();
    void sectionAboveNineHundredNinetyNine();
    void deletedProjectorLeavesFileAndStaysGone();
    void lanTypesWritten_data();
    void lanTypesWritten();
    void lastProjectorName();
    void editedListLoadsAsSaved();
    void deletedGroupWrittenEmpty();
    void foreignMagicCode_data();
    void foreignMagicCode();
    void nullTextsKeepTheirKeys();
    void failedSaveKeepsPreviousFile();
    void exportCodePages();
    void checks();
    void readerSections_data();
    void readerSections();
    void readerAddresses_data();
    void readerAddresses();
    void readerLimits();
    void readerKeepsAtMostTwoThousand();
    void readerGroups();
    void importRefusedBeforeAnythingIsDropped_data();
    void importRefusedBeforeAnythingIsDropped();
    void importReplacesList();
    void temporaryCopyNeverTouchesLiveProjectors();
    void idFlagsCoverUnreadSections();

private:
    QString listPath() const { return m_Hub->GetDefaultUserListPath(); }
    // Writes a user list made of the given sections after a valid header.
    void writeList(const QString& body, const QString& magic = "258-0017-686-1-5F");
    // The saved file read back through a fresh accessor.
    QString savedValue(const QString& section, const QString& key);

    std::unique_ptr<HubTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
};

namespace {

QString section(int n, const QString& body)
{
    return QString("[Setting %1]\n").arg(n, 3, 10, QLatin1Char('0')) + body;
}

const QString VALID_IP = "DeviceType=LAN\nLanType=IP\nIPAddress=10.0.0.1\nEnabled=True\n";

} // namespace

void tst_CLumivox5DataUserList::init()
{
    m_Folders.reset(new HubTestFolders);
    QVERIFY(m_Folders->isValid());
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());
}

void tst_CLumivox5DataUserList::cleanup()
{
    m_Hub.reset();
    m_Folders.reset();
}

void tst_CLumivox5DataUserList::writeList(const QString& body, const QString& magic)
{
    const QString text = "[Header Info]\nMagicCode=" + magic + "\nRevCode=Rev.1.0\n" + body;
    QVERIFY(HubTestFolders::writeFile(listPath(), text.toUtf8()));
}

QString tst_CLumivox5DataUserList::savedValue(const QString& sectionName, const QString& key)
{
    CIniFileAccess ini(listPath());
    QString value;
    ini.GetIniString(sectionName, key, QString(), &value);
    return value;
}

void tst_CLumivox5DataUserList::exampleFileRoundTrip()
{
    QVERIFY(HubTestFolders::writeFile(listPath(), QByteArray(USER_LIST_EXAMPLE)));
    QCOMPARE(listPath(), m_Folders->homeFolder()
                             + "/Application Data/Corvex Projector User Fennick/Lumivox 5/user.lst");
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 4}));

    CProjectorData* lobby = m_Hub->GetProjectorData(1);
    QCOMPARE(lobby->m_SettingName, QString("Setting1"));
    QCOMPARE(lobby->m_Comment, QString("Lobby"));
    QCOMPARE(lobby->m_AddressType, CProjectorData::TYPE_LAN::IP);
    QCOMPARE(lobby->m_Address, QString("192.168.0.10"));
    QCOMPARE(lobby->m_Port, QString("7142"));
    QCOMPARE(lobby->m_Status[CProjectorData::StLastProjectorName].ToString(), QString("KX200 Series"));
    QVERIFY(lobby->m_Enabled);
    QVERIFY(!lobby->m_NewEntry);
    QCOMPARE(lobby->m_SectionName, QString("Setting 001"));
    QCOMPARE(lobby->m_GroupList.keys(), QList<int>({1, 2}));
    QCOMPARE(lobby->m_GroupList.value(2), QString("Floor 1\\Room A"));

    CProjectorData* hall = m_Hub->GetProjectorData(4);
    QCOMPARE(hall->m_AddressType, CProjectorData::TYPE_LAN::HOST);
    QCOMPARE(hall->m_Address, QString("pj-hall.local"));
    QVERIFY(!hall->m_Enabled);
    QVERIFY(hall->m_GroupList.isEmpty());

    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);
    QCOMPARE(m_Hub->m_ProjectorGroups->at(0)->m_Projectors->keys(), QList<qint32>({1}));
    QCOMPARE(m_Hub->m_ProjectorGroups->at(2)->m_Projectors->size(), 0);

    // Saved again and read by a second hub: the same projectors and groups.
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 004", "HostName"), QString("pj-hall.local"));
    QCOMPARE(savedValue("Setting 001", "GroupList"), QString("1,2"));
    QCOMPARE(savedValue("Group", "002"), QString("Floor 1\\Room A"));
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 4}));
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.keys(), QList<int>({1, 2}));
    QCOMPARE(m_Hub->GetProjectorData(4)->m_Address, QString("pj-hall.local"));
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);
}

void tst_CLumivox5DataUserList::headerOnlyWhenEmpty()
{
    // Saved before any load (the header was never set): still a user list.
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(m_Hub->f_IsUserList(listPath()), 0);
    QVERIFY(QFile::remove(listPath()));
    QCOMPARE(m_Hub->LoadUserList(), -1);
    QVERIFY(!QFile::exists(listPath()));
    QCOMPARE(m_Hub->SaveUserList(), 0);
    CIniFileAccess ini(listPath());
    QStringList sections;
    ini.GetIniSections(sections);
    QCOMPARE(sections, QStringList({"Header Info"}));
    QCOMPARE(savedValue("Header Info", "MagicCode"), QString("258-0017-686-1-5F"));
    QCOMPARE(savedValue("Header Info", "RevCode"), QString("Rev.1.0"));
    // Written as UTF-16 with a byte-order mark.
    QVERIFY(HubTestFolders::readFile(listPath()).startsWith("\xFF\xFE"));
}

void tst_CLumivox5DataUserList::newRecordsTakeTheirIdAsSection()
{
    QCOMPARE(m_Hub->LoadUserList(), -1);
    CProjectorData* first = m_Hub->AddProjector("", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, "");
    CProjectorData* second = m_Hub->AddProjector("", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.2", "7142", true, "");
    QCOMPARE(first->m_Id, 1);
    QCOMPARE(second->m_Id, 2);
    QVERIFY(first->m_NewEntry);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(first->m_SectionName, QString("Setting 001"));
    QCOMPARE(second->m_SectionName, QString("Setting 002"));
    QVERIFY(!first->m_NewEntry);
    QCOMPARE(savedValue("Setting 002", "IPAddress"), QString("10.0.0.2"));

    // Added 3 and 4, deleted 3 before a save: 4 is still saved as its own id.
    CProjectorData* third = m_Hub->AddProjector("", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.3", "7142", true, "");
    CProjectorData* fourth = m_Hub->AddProjector("", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.4", "7142", true, "");
    QCOMPARE(third->m_Id, 3);
    QCOMPARE(fourth->m_Id, 4);
    const QList<int> deleteThird = {3};
    m_Hub->DeleteModifyProjectors(&deleteThird, nullptr, nullptr, nullptr);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(fourth->m_SectionName, QString("Setting 004"));
    QVERIFY(savedValue("Setting 003", "IPAddress").isNull());

    // Deleting 4 removes its own section; nothing comes back at the next load.
    const QList<int> deleteFourth = {4};
    m_Hub->DeleteModifyProjectors(&deleteFourth, nullptr, nullptr, nullptr);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 2}));
}

void tst_CLumivox5DataUserList::sectionNumbersAroundTakenSections()
{
    // Sections 001, 002 and 004 exist; 002 is serial and stays unread, so
    // its number is never handed out. A record whose own number is taken
    // gets the smallest free one.
    writeList(section(1, VALID_IP) + section(2, "DeviceType=Serial\nCommPort=COM1\n") + section(4, VALID_IP));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 4}));
    CProjectorData* a = m_Hub->AddProjector("A", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.5", "7142", true, "");
    QCOMPARE(a->m_Id, 3);
    // A record put under a taken number by hand falls back to the next free section.
    CProjectorData* b = m_Hub->f_AddProjectorThread(9);
    b->m_NewEntry = true;
    b->m_Address = "10.0.0.9";
    m_Hub->m_pUserList->SetIniString("Setting 009", "Comment", "unread");
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(a->m_SectionName, QString("Setting 003"));
    QCOMPARE(b->m_SectionName, QString("Setting 005"));
    QCOMPARE(savedValue("Setting 002", "CommPort"), QString("COM1"));
}

void tst_CLumivox5DataUserList::sectionAboveNineHundredNinetyNine()
{
    CProjectorData* record = m_Hub->f_AddProjectorThread(1000);
    record->m_NewEntry = true;
    record->m_SettingName = "Big";
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(record->m_SectionName, QString("Setting 1000"));
    QCOMPARE(savedValue("Setting 1000", "SettingName"), QString("Big"));
}

void tst_CLumivox5DataUserList::deletedProjectorLeavesFileAndStaysGone()
{
    writeList(section(1, VALID_IP + "Comment=keep\n") + section(2, VALID_IP + "Comment=drop\nExtra=1\n"));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const QList<int> ids = {2};
    QCOMPARE(m_Hub->DeleteModifyProjectors(&ids, nullptr, nullptr, nullptr), 0);
    QVERIFY(!m_Hub->GetProjectorData(2));
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QVERIFY(savedValue("Setting 002", "Extra").isNull());
    QVERIFY(savedValue("Setting 002", "Comment").isNull());
    QCOMPARE(savedValue("Setting 001", "Comment"), QString("keep"));
}

void tst_CLumivox5DataUserList::lanTypesWritten_data()
{
    QTest::addColumn<int>("lanType");
    QTest::addColumn<QString>("typeText");
    QTest::addColumn<QString>("addressKey");
    QTest::newRow("host") << 0 << "HOST" << "HostName";
    QTest::newRow("ip") << 1 << "IP" << "IPAddress";
    QTest::newRow("second ip form") << 2 << "IP" << "IPAddress";
    QTest::newRow("network") << 3 << "Network" << "Network";
    QTest::newRow("range") << 4 << "RANGE" << "Network";
}

void tst_CLumivox5DataUserList::lanTypesWritten()
{
    QFETCH(int, lanType);
    QFETCH(QString, typeText);
    QFETCH(QString, addressKey);
    CProjectorData* record = m_Hub->AddProjector("X", 0, CProjectorData::TYPE_LAN::Enum(lanType), "addr", "1234",
                                                 false, "c");
    QVERIFY(record);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 001", "DeviceType"), QString("LAN"));
    QCOMPARE(savedValue("Setting 001", "LanType"), typeText);
    QCOMPARE(savedValue("Setting 001", addressKey), QString("addr"));
    QCOMPARE(savedValue("Setting 001", "LanPort"), QString("1234"));
    QCOMPARE(savedValue("Setting 001", "Enabled"), QString("False"));
    QCOMPARE(savedValue("Setting 001", "GroupList"), QString(""));
}

void tst_CLumivox5DataUserList::lastProjectorName()
{
    CProjectorData* record = m_Hub->AddProjector("X", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, "");
    record->m_Status[CProjectorData::StLastProjectorName].FromString("Stored");
    record->m_Status[CProjectorData::StProjectorName].FromString("Polled");
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 001", "LastPjName"), QString("Stored"));
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 001", "LastPjName"), QString("Polled"));
}

// A list a hand or another program wrote loads, is edited, saved at exit and
// loaded again: every start sees what the one before saw, plus the edits.
void tst_CLumivox5DataUserList::editedListLoadsAsSaved()
{
    const QString longName = QString(47, QLatin1Char('N')) + QChar(0x3000) + "cut here";
    const QString text = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"
                         + section(1, "IPAddress=10.0.0.1\nSettingName=Lobby\n")
                         + section(2, "  [note=old\nIPAddress=10.0.0.2\nSettingName=Stage\nLastPjName=" + longName + "\n")
                         + "[setting 001]\nIPAddress=10.0.0.9\nSettingName=Ghost\n";
    QVERIFY(HubTestFolders::writeFile(listPath(), QTextCodec::codecForName("Shift_JIS")->fromUnicode(text)));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 2}));
    QCOMPARE(m_Hub->GetProjectorData(1)->m_Address, QString("10.0.0.1"));
    const QString shownName = longName.left(48);
    QCOMPARE(m_Hub->GetProjectorData(2)->m_Status[CProjectorData::StLastProjectorName].ToString(), shownName);

    CProjectorData* stage = m_Hub->GetProjectorData(2);
    stage->m_SettingName = "\"Stage\"";
    stage->m_Comment = "  front row ";
    const QList<int> lobby = {1};
    QCOMPARE(m_Hub->DeleteModifyProjectors(&lobby, nullptr, nullptr, nullptr), 0);
    CProjectorData* hall = m_Hub->AddProjector("Hall", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.3", "7142", true, "");
    QVERIFY(hall);
    QCOMPARE(hall->m_Id, 1);
    QCOMPARE(m_Hub->SaveUserList(), 0);

    QByteArray saved;
    for (int start = 0; start < 2; ++start) {
        m_Hub.reset();
        m_Hub = m_Folders->makeHub();
        QVERIFY(m_Hub->InitializeAfterReadProfile());
        QCOMPARE(m_Hub->LoadUserList(), 0);
        QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 2}));
        QCOMPARE(m_Hub->GetProjectorData(1)->m_SettingName, QString("Hall"));
        QCOMPARE(m_Hub->GetProjectorData(1)->m_Address, QString("10.0.0.3"));
        CProjectorData* loaded = m_Hub->GetProjectorData(2);
        QCOMPARE(loaded->m_Address, QString("10.0.0.2"));
        QCOMPARE(loaded->m_SettingName, QString("\"Stage\""));
        QCOMPARE(loaded->m_Comment, QString("  front row "));
        QCOMPARE(loaded->m_Status[CProjectorData::StLastProjectorName].ToString(), shownName);
        QCOMPARE(savedValue("Setting 002", "[note"), QString("old"));
        // The exit save of an unchanged list writes the same bytes.
        QCOMPARE(m_Hub->SaveUserList(), 0);
        if (start == 1)
            QCOMPARE(HubTestFolders::readFile(listPath()), saved);
        saved = HubTestFolders::readFile(listPath());
    }
}

void tst_CLumivox5DataUserList::deletedGroupWrittenEmpty()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("Keep"), 1);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("Gone"), 2);
    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteGroup("Gone"), 0);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Group", "001"), QString("Keep"));
    QCOMPARE(savedValue("Group", "002"), QString(""));
    const QString text = QTextCodec::codecForName("UTF-16")->toUnicode(HubTestFolders::readFile(listPath()));
    QVERIFY2(text.contains("002=\"\""), qPrintable(text));
    QCOMPARE(m_Hub->m_ProjectorGroups->at(1)->m_EditMode, CProjectorGroup::EditNone);
    QCOMPARE(m_Hub->m_GroupIDUsedList->at(1), int(CProjectorGroup::EditNone));

    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 1);
}

void tst_CLumivox5DataUserList::foreignMagicCode_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("another magic code")
        << QByteArray("[Header Info]\nMagicCode=000-0000-000-0-00\n[Setting 001]\nIPAddress=10.0.0.9\n");
    QTest::newRow("empty file") << QByteArray();
}

// A list that is no user list loads nothing; it is copied aside once, so that
// what the operator adds in this run is saved.
void tst_CLumivox5DataUserList::foreignMagicCode()
{
    QFETCH(QByteArray, content);
    QVERIFY(HubTestFolders::writeFile(listPath(), content));
    const QString aside = listPath() + ".bad";
    QVERIFY(HubTestFolders::writeFile(aside, "an older copy"));
    QVERIFY(m_Hub->GetRejectedUserListCopy().isEmpty());

    QCOMPARE(m_Hub->LoadUserList(), -2);
    QCOMPARE(m_Hub->f_GetProjectorCount(), 0);
    QStringList sections;
    m_Hub->m_pUserList->GetIniSections(sections);
    QCOMPARE(sections, QStringList({"Header Info"}));
    QCOMPARE(m_Hub->GetRejectedUserListCopy(), aside);
    QCOMPARE(HubTestFolders::readFile(aside), content);
    QCOMPARE(HubTestFolders::readFile(listPath()), content);

    // Another file that is no user list is still never written over.
    const QString other = m_Folders->path("other.lst");
    QVERIFY(HubTestFolders::writeFile(other, content));
    m_Hub->AddProjector("X", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, "");
    QCOMPARE(m_Hub->SaveUserList(other, m_Hub->m_pProjectorDatas, nullptr), -2);
    QCOMPARE(HubTestFolders::readFile(other), content);

    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(HubTestFolders::readFile(aside), content);
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1}));
    QCOMPARE(m_Hub->GetProjectorData(1)->m_Address, QString("10.0.0.1"));
    QVERIFY(m_Hub->GetRejectedUserListCopy().isEmpty());
    QCOMPARE(HubTestFolders::readFile(aside), content);
}

// A null text is written as an empty value: it never deletes its key, so the
// record loads again.
void tst_CLumivox5DataUserList::nullTextsKeepTheirKeys()
{
    QCOMPARE(m_Hub->LoadUserList(), -1);
    CProjectorData* record = m_Hub->AddProjector("", 0, CProjectorData::TYPE_LAN::HOST, "projector.local", "7142",
                                                 true, "");
    record->m_Address = QString();
    record->m_SettingName = QString();
    record->m_Comment = QString();
    record->m_Port = QString();
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 001", "HostName"), QString(""));
    QVERIFY(!savedValue("Setting 001", "HostName").isNull());
    QCOMPARE(savedValue("Setting 001", "SettingName"), QString(""));
    QVERIFY(!savedValue("Setting 001", "SettingName").isNull());
    QCOMPARE(savedValue("Setting 001", "Comment"), QString(""));
    QVERIFY(!savedValue("Setting 001", "Comment").isNull());
    QCOMPARE(savedValue("Setting 001", "LanPort"), QString(""));
    QVERIFY(!savedValue("Setting 001", "LanPort").isNull());

    // Saved again over a list that held values, the keys stay too.
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1}));
    m_Hub->GetProjectorData(1)->m_Address = "named.local";
    QCOMPARE(m_Hub->SaveUserList(), 0);
    m_Hub->GetProjectorData(1)->m_Address = QString();
    QCOMPARE(m_Hub->SaveUserList(), 0);
    QCOMPARE(savedValue("Setting 001", "HostName"), QString(""));
    QVERIFY(!savedValue("Setting 001", "HostName").isNull());
}

void tst_CLumivox5DataUserList::failedSaveKeepsPreviousFile()
{
    writeList(section(1, VALID_IP + "Comment=old\n"));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const QByteArray before = HubTestFolders::readFile(listPath());
    m_Hub->GetProjectorData(1)->m_Comment = "new";
    const QString folder = QFileInfo(listPath()).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = QFileInfo(folder).isWritable() && QFile(listPath()).open(QIODevice::Append);
    if (writable) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Running with rights that ignore permissions: make the path a folder instead.
        const QString blocked = m_Folders->path("blocked.lst");
        QDir().mkpath(blocked + "/inner");
        QCOMPARE(m_Hub->SaveUserList(blocked, m_Hub->m_pProjectorDatas, nullptr), -3);
        return;
    }
    QCOMPARE(m_Hub->SaveUserList(), -3);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(HubTestFolders::readFile(listPath()), before);
}

void tst_CLumivox5DataUserList::exportCodePages()
{
    m_Hub->AddProjector(QString::fromUtf8("日本"), 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, "");
    QCOMPARE(m_Hub->SaveUserList(), 0);
    const QString utf16 = m_Folders->path("out16.lst");
    const QString sjis = m_Folders->path("outsjis.lst");
    QCOMPARE(m_Hub->ExportUserList(utf16), 0);
    QCOMPARE(m_Hub->ExportUserList(sjis, CIniFileAccess::CODEPAGE_SHIFTJIS), 0);
    QVERIFY(HubTestFolders::readFile(utf16).startsWith("\xFF\xFE"));
    QVERIFY(HubTestFolders::readFile(sjis).contains("\x93\xFA\x96\x7B"));
    QCOMPARE(m_Hub->CheckUserList(utf16), 0);
    QCOMPARE(m_Hub->CheckUserList(sjis), 0);
    const QString blocked = m_Folders->path("dir.lst");
    QDir().mkpath(blocked + "/inner");
    QCOMPARE(m_Hub->ExportUserList(blocked), 2);
}

void tst_CLumivox5DataUserList::checks()
{
    const QString missing = m_Folders->path("missing.lst");
    const QString other = m_Folders->path("other.lst");
    const QString good = m_Folders->path("good.lst");
    QVERIFY(HubTestFolders::writeFile(other, "[Header Info]\nMagicCode=nope\n"));
    QVERIFY(HubTestFolders::writeFile(good, "[header info]\nmagiccode=258-0017-686-1-5F\n"));
    QCOMPARE(m_Hub->f_IsUserList(missing), -1);
    QCOMPARE(m_Hub->f_IsUserList(other), -2);
    QCOMPARE(m_Hub->f_IsUserList(good), 0);

    // CheckUserList sets the header into the store when it refuses a file.
    QStringList sections;
    m_Hub->m_pUserList->GetIniSections(sections);
    QVERIFY(sections.isEmpty());
    QCOMPARE(m_Hub->CheckUserList(good), 0);
    m_Hub->m_pUserList->GetIniSections(sections);
    QVERIFY(sections.isEmpty());
    QCOMPARE(m_Hub->CheckUserList(other), -2);
    m_Hub->m_pUserList->GetIniSections(sections);
    QCOMPARE(sections, QStringList({"Header Info"}));
}

void tst_CLumivox5DataUserList::readerSections_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("001 and 005") << section(1, VALID_IP) + section(5, VALID_IP) << QList<int>({1, 5});
    QTest::newRow("000, 2257 and unpadded 7 unread")
        << "[Setting 000]\n" + VALID_IP + "[Setting 2257]\n" + VALID_IP + "[Setting 7]\n" + VALID_IP
        << QList<int>();
    QTest::newRow("lower-case section name") << "[setting 003]\n" + VALID_IP << QList<int>({3});
    QTest::newRow("serial skipped") << section(1, "DeviceType=serial\nCommPort=COM1\n") << QList<int>();
    QTest::newRow("unknown device type") << section(1, "DeviceType=USB\nIPAddress=10.0.0.1\n") << QList<int>();
    QTest::newRow("empty device type is LAN") << section(1, "DeviceType=\nIPAddress=10.0.0.1\n") << QList<int>({1});
    QTest::newRow("host without host name") << section(1, "LanType=HOST\n") << QList<int>();
    QTest::newRow("ip first number 300") << section(1, "IPAddress=300.1.1.1\n") << QList<int>();
    QTest::newRow("unknown lan type") << section(1, "LanType=WIFI\nIPAddress=10.0.0.1\n") << QList<int>();
    QTest::newRow("port 70000") << section(1, "IPAddress=10.0.0.1\nLanPort=70000\n") << QList<int>();
    QTest::newRow("port -1") << section(1, "IPAddress=10.0.0.1\nLanPort=-1\n") << QList<int>();
    QTest::newRow("port 65535") << section(1, "IPAddress=10.0.0.1\nLanPort=65535\n") << QList<int>({1});
}

void tst_CLumivox5DataUserList::readerSections()
{
    QFETCH(QString, body);
    QFETCH(QList<int>, ids);
    writeList(body);
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), ids);
}

void tst_CLumivox5DataUserList::readerAddresses_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<int>("lanType"); // -1: the section is skipped
    QTest::addColumn<QString>("address");
    QTest::newRow("network") << "LanType=Network\nNetwork=192.168.0.0/24\n" << 3 << "192.168.0.0/24";
    QTest::newRow("network in lower case") << "lantype=network\nnetwork=10.1.0.0/16\n" << 3 << "10.1.0.0/16";
    QTest::newRow("range") << "LanType=RANGE\nNetwork=10.0.0.10-10.0.0.20\n" << 4 << "10.0.0.10-10.0.0.20";
    QTest::newRow("range backwards") << "LanType=RANGE\nNetwork=10.0.0.20-10.0.0.10\n" << -1 << "";
    QTest::newRow("network as a range") << "LanType=Network\nNetwork=10.0.0.1-10.0.0.2\n" << -1 << "";
    QTest::newRow("ip with leading zeros stored clean") << "IPAddress=010.000.000.001\n" << 1 << "10.0.0.1";
    QTest::newRow("ip with a blank") << "IPAddress=10 .0.0.1\n" << -1 << "";
    QTest::newRow("ip with a leading blank") << "IPAddress=\" 10.0.0.1\"\n" << -1 << "";
}

void tst_CLumivox5DataUserList::readerAddresses()
{
    QFETCH(QString, entries);
    QFETCH(int, lanType);
    QFETCH(QString, address);
    writeList(section(1, "DeviceType=LAN\n" + entries));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const CProjectorData* record = m_Hub->GetProjectorData(1);
    if (lanType < 0) {
        QVERIFY(!record);
        return;
    }
    QVERIFY(record);
    QCOMPARE(int(record->m_AddressType), lanType);
    QCOMPARE(record->m_Address, address);
}

void tst_CLumivox5DataUserList::readerLimits()
{
    const QString longName(40, QLatin1Char('n'));
    const QString longPjName(60, QLatin1Char('p'));
    writeList(section(1, "lantype=host\nHostName=" + longName + "\nSettingName=" + longName + "\nComment=" + longName
                             + "\nLastPjName=" + longPjName + "\nEnabled=true\n")
              + section(2, "IPAddress=10.0.0.2\nLanPort=abc\nEnabled=True\n")
              + section(3, "LanType=Network\nNetwork=10.0.0.1\n") + section(4, "LanType=RANGE\nNetwork=10.0.0.1\n"));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    CProjectorData* host = m_Hub->GetProjectorData(1);
    QVERIFY(host);
    QCOMPARE(host->m_AddressType, CProjectorData::TYPE_LAN::HOST);
    QCOMPARE(host->m_Address, longName.left(32));
    QCOMPARE(host->m_SettingName, longName.left(32));
    QCOMPARE(host->m_Comment, longName.left(32));
    QCOMPARE(host->m_Status[CProjectorData::StLastProjectorName].ToString(), longPjName.left(48));
    QVERIFY(!host->m_Enabled);
    CProjectorData* ip = m_Hub->GetProjectorData(2);
    QVERIFY(ip);
    QCOMPARE(ip->m_AddressType, CProjectorData::TYPE_LAN::IP);
    QCOMPARE(ip->m_Port, QString("7142"));
    QVERIFY(ip->m_Enabled);
    QCOMPARE(m_Hub->GetProjectorData(3)->m_AddressType, CProjectorData::TYPE_LAN::NETWORK);
    QCOMPARE(m_Hub->GetProjectorData(4)->m_AddressType, CProjectorData::TYPE_LAN::RANGE);
}

void tst_CLumivox5DataUserList::readerKeepsAtMostTwoThousand()
{
    QString body;
    for (int n = 1; n <= 2100; ++n)
        body += section(n, "IPAddress=10.0.0.1\n");
    writeList(body);
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const QList<int> ids = m_Hub->GetProjectorDataIDList(false);
    QCOMPARE(ids.size(), 2000);
    QCOMPARE(ids.first(), 1);
    QCOMPARE(ids.last(), 2000);
    // The unread sections keep their numbers: a new projector takes none of them.
    CProjectorData* added = m_Hub->AddProjector("X", 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, "");
    QVERIFY(added);
    QCOMPARE(added->m_Id, 2101);
}

void tst_CLumivox5DataUserList::readerGroups()
{
    writeList(section(1, "IPAddress=10.0.0.1\nGroupList=3,7\n") + section(2, "IPAddress=10.0.0.1\nGroupList=,3\n")
              + section(3, "IPAddress=10.0.0.1\nGroupList=3,99\n")
              + "[Group]\n003=\"Three\"\n007=\"Seven\"\n008=\"\"\n256=\"Last\"\n");
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);
    QCOMPARE(m_Hub->m_ProjectorGroups->at(2)->m_GroupID, 256);
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.keys(), QList<int>({3, 7}));
    QVERIFY(m_Hub->GetProjectorData(2)->m_GroupList.isEmpty());
    QCOMPARE(m_Hub->GetProjectorData(3)->m_GroupList.keys(), QList<int>({3}));
    QCOMPARE(m_Hub->m_ProjectorGroups->at(0)->m_Projectors->keys(), QList<qint32>({1, 3}));
    QCOMPARE(m_Hub->m_ProjectorGroups->at(1)->m_Projectors->keys(), QList<qint32>({1}));
}

void tst_CLumivox5DataUserList::importRefusedBeforeAnythingIsDropped_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("result");
    QTest::newRow("missing") << QByteArray() << -1;
    QTest::newRow("foreign magic") << QByteArray("[Header Info]\nMagicCode=x\n[Setting 001]\nIPAddress=10.0.0.9\n") << -2;
}

void tst_CLumivox5DataUserList::importRefusedBeforeAnythingIsDropped()
{
    QFETCH(QByteArray, content);
    QFETCH(int, result);
    QVERIFY(HubTestFolders::writeFile(listPath(), QByteArray(USER_LIST_EXAMPLE)));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const QString importPath = m_Folders->path("import.lst");
    if (!content.isEmpty())
        QVERIFY(HubTestFolders::writeFile(importPath, content));
    QCOMPARE(m_Hub->LoadUserList(importPath), result);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 4}));
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.size(), 2);
}

void tst_CLumivox5DataUserList::importReplacesList()
{
    QVERIFY(HubTestFolders::writeFile(listPath(), QByteArray(USER_LIST_EXAMPLE)));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    const QString importPath = m_Folders->path("import.lst");
    QVERIFY(HubTestFolders::writeFile(importPath, "[Header Info]\nMagicCode=258-0017-686-1-5F\n[Setting 009]\n"
                                                  "IPAddress=10.0.0.9\n[Group]\n002=\"Two\"\n"));
    QCOMPARE(m_Hub->LoadUserList(importPath), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({9}));
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 1);
    // The store now holds the imported list only; no section is deleted by it.
    QCOMPARE(m_Hub->ExportUserList(listPath()), 0);
    QVERIFY(!m_Hub->m_pDeletedIDList->contains(true));
    QCOMPARE(savedValue("Setting 009", "IPAddress"), QString("10.0.0.9"));
    QVERIFY(savedValue("Setting 001", "IPAddress").isNull());
    QCOMPARE(m_Hub->GetUnusedID(), 1);
}

void tst_CLumivox5DataUserList::temporaryCopyNeverTouchesLiveProjectors()
{
    QVERIFY(HubTestFolders::writeFile(listPath(), QByteArray(USER_LIST_EXAMPLE)));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    CProjectorData* live = m_Hub->GetProjectorData(1);

    m_Hub->InitProjectorDataTemp();
    QCOMPARE(m_Hub->LoadTempUserList(), 0);
    QCOMPARE(m_Hub->m_pProjectorDatasTemp->keys(), QList<int>({1, 4}));
    QVERIFY(m_Hub->GetProjectorDataTemp(1) != live);
    // A second fill with the copy still holding records.
    QCOMPARE(m_Hub->LoadTempUserList(), 0);
    QCOMPARE(m_Hub->m_pProjectorDatasTemp->keys(), QList<int>({1, 4}));
    QCOMPARE(m_Hub->GetProjectorData(1), live);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 4}));
    QVERIFY(!m_Hub->m_pDeletedIDList->contains(true));
    QCOMPARE(m_Hub->GetUnusedIDTemp(), 2);
}

void tst_CLumivox5DataUserList::idFlagsCoverUnreadSections()
{
    writeList(section(1, VALID_IP) + section(2, "DeviceType=Serial\n") + section(3, "LanType=HOST\n"));
    QCOMPARE(m_Hub->LoadUserList(), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1}));
    QCOMPARE(m_Hub->GetUnusedID(), 4);
}

QTEST_GUILESS_MAIN(tst_CLumivox5DataUserList)
#include "tst_CLumivox5DataUserList.moc"
