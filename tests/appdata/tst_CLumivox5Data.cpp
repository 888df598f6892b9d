#include <QtTest>

#include "AppPaths.h"
#include "CCommandFunctions.h"
#include "CDeviceAccess.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "COptionSettings.h"
#include "CProfileList.h"
#include "CSectionItem.h"
#include "CSectionItemList.h"
#include "CProjectorSimulator.h"
#include "HubTestFolders.h"
#include "CKeyEchoTranslator.h"

// The data hub's construction, profiles, language, ids and names, the
// merge of the communication settings dialog's edits, the temporary copy
// and the option item lists.
class tst_CLumivox5Data : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void withoutProfile();
    void withProfile();
    void columnTitlesFollowTheCatalogueInstalledAfterConstruction();
    void unreadableProfileRefused();
    void languageFromArguments_data();
    void languageFromArguments();
    void settingsRoundTrip();
    void demoForcesOfflineWithoutWritingIt();
    void settingsNotWrittenAreReported_data();
    void settingsNotWrittenAreReported();
    void invalidStoredMailSwitchedOffForThisRun_data();
    void invalidStoredMailSwitchedOffForThisRun();
    void idAllocation();
    void uniqueSettingNames();
    void addProjectorFields();
    void idLists();
    void modifySameAddressKeepsStatus();
    void modifyNewAddressResets_data();
    void modifyNewAddressResets();
    void deleteMarksSectionAndFreesId();
    void commandInFlightStoppedWithoutTheLock_data();
    void commandInFlightStoppedWithoutTheLock();
    void temporaryCopyCycle();
    void optionItemLists();
    void optionItemListsRebuiltNotDoubled();
    void inputTerminalsEmpty();

private:
    CProjectorData* add(const QString& name, const QString& address = "10.0.0.1", bool enabled = true);

    std::unique_ptr<HubTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
};

void tst_CLumivox5Data::init()
{
    m_Folders.reset(new HubTestFolders);
    QVERIFY(m_Folders->isValid());
}

void tst_CLumivox5Data::cleanup()
{
    m_Hub.reset();
    m_Folders.reset();
}

CProjectorData* tst_CLumivox5Data::add(const QString& name, const QString& address, bool enabled)
{
    return m_Hub->AddProjector(name, 0, CProjectorData::TYPE_LAN::IP, address, "7142", enabled, "c");
}

void tst_CLumivox5Data::withoutProfile()
{
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->m_pProfileList); // the first list is kept even though it failed
    QVERIFY(m_Hub->m_pProfileList->m_LoadFailed);
    QVERIFY(!m_Hub->InitializeAfterReadProfile());
    QVERIFY(!m_Hub->m_pMultiImageAspectList);
    QVERIFY(m_Hub->m_GroupIDUsedList->isEmpty());
    QCOMPARE(m_Hub->f_GetProjectorCount(), 0);
    QCOMPARE(m_Hub->m_PjListSortID, 3);
    QVERIFY(m_Hub->m_PjListSortAssending);
    QVERIFY(m_Hub->m_ScheduleSaved);
    QVERIFY(!m_Hub->m_AutoExecuteSchedule);
    QVERIFY(!m_Hub->m_ScheduleRunning);
    QVERIFY(m_Hub->m_pOptionSettings->m_ImportAvailable);
    QCOMPARE(m_Hub->m_pPjListColumnStatusDefault->size(), 25);
    QCOMPARE(m_Hub->m_pIDUsedList->size(), 2257);
    QCOMPARE(m_Hub->m_pDeletedIDList->size(), 2257);
    QCOMPARE(m_Hub->m_pIDUsedListTemp->size(), 2257);
    QCOMPARE(m_Hub->m_ScheduleFilePath, m_Folders->homeFolder() + "/Schedule.scd");
    QCOMPARE(m_Hub->GetDefaultScheduleFilePath(), m_Folders->homeFolder()
                                                      + "/Application Data/Corvex Projector User Fennick"
                                                        "/Lumivox 5/Schedule.scd");
}

void tst_CLumivox5Data::withProfile()
{
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    CProfileList* neutral = m_Hub->m_pProfileList;
    QVERIFY(neutral && !neutral->m_LoadFailed);
    QVERIFY(m_Hub->InitializeAfterReadProfile());
    QVERIFY(m_Hub->m_pProfileList != neutral);
    QCOMPARE(m_Hub->m_GroupIDUsedList->size(), 256);
    QVERIFY(!m_Hub->m_GroupIDUsedList->contains(int(CProjectorGroup::EditNone)));
    QVERIFY(m_Hub->m_pMultiVolume3DSurroundList);
}

void tst_CLumivox5Data::columnTitlesFollowTheCatalogueInstalledAfterConstruction()
{
    // The window installs the hub's translator between constructing the hub
    // and initialising it: the list header must not keep the bare keys.
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->m_pPjListColumnStatus->value(0)->m_Title, QStringLiteral("MainPjListColumnPjError"));
    CKeyEchoTranslator catalogue("en");
    QCoreApplication::installTranslator(&catalogue);
    const bool initialised = m_Hub->InitializeAfterReadProfile();
    QCoreApplication::removeTranslator(&catalogue);
    QVERIFY(initialised);
    for (auto* columns : {m_Hub->m_pPjListColumnStatus, m_Hub->m_pPjListColumnStatusDefault}) {
        QCOMPARE(columns->size(), int(CListViewColumnStatus::COLUMN_COUNT));
        QCOMPARE(columns->value(0)->m_Title, QStringLiteral("en:CLumivox5Data:MainPjListColumnPjError"));
        QCOMPARE(columns->value(24)->m_Title, QStringLiteral("en:CLumivox5Data:MainPjListColumnRemark"));
    }
}

void tst_CLumivox5Data::unreadableProfileRefused()
{
    m_Folders->writeProfile("[Header Info]\nMagicCode=not-a-profile\n");
    m_Hub = m_Folders->makeHub();
    CProfileList* first = m_Hub->m_pProfileList;
    QVERIFY(!m_Hub->InitializeAfterReadProfile());
    QCOMPARE(m_Hub->m_pProfileList, first);
    QVERIFY(!m_Hub->m_pMultiInputTerminalList);
}

void tst_CLumivox5Data::languageFromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("language");
    QTest::newRow("none, C locale") << QStringList() << 0;
    QTest::newRow("/L=JP") << QStringList({"/L=JP"}) << 1;
    QTest::newRow("-j") << QStringList({"-j"}) << 1;
    QTest::newRow("/L=FRE") << QStringList({"/L=FRE"}) << 3;
    QTest::newRow("/L=CHI") << QStringList({"/L=CHI"}) << 7;
    QTest::newRow("later wins") << QStringList({"/J", "/E"}) << 0;
    QTest::newRow("unknown code, C locale") << QStringList({"/L=XYZ"}) << 0;
}

void tst_CLumivox5Data::languageFromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, language);
    m_Hub = m_Folders->makeHub(arguments);
    QCOMPARE(int(m_Hub->m_LanguageCodeTable.m_LanguageCode), language);
    QVERIFY(m_Hub->m_LanguageCodeTable.m_pTranslator);
}

void tst_CLumivox5Data::settingsRoundTrip()
{
    m_Hub = m_Folders->makeHub();
    m_Hub->m_MainX = 11;
    m_Hub->m_MainY = 22;
    m_Hub->m_MainWidth = 800;
    m_Hub->m_MainHeight = 600;
    m_Hub->m_LastWidth = 640;
    m_Hub->m_LastHeight = 480;
    m_Hub->SetLastWindowSize();
    m_Hub->m_PathExportCSV = "/tmp/csv";
    m_Hub->m_ScheduleFilePath = "/tmp/s.scd";
    m_Hub->m_PjListSortID = 5;
    m_Hub->m_PjListSortAssending = false;
    m_Hub->m_MainTabVisible = false;
    m_Hub->m_Offline = true;
    m_Hub->m_OfflineMenu = true;
    m_Hub->m_pPjListColumnStatus->value(4)->m_Width = 123;
    m_Hub->m_pStartAppList->append(QStringList({"Editor", "/usr/bin/editor", "-n"}));
    QVERIFY(!m_Hub->WriteRegistryAll());

    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->m_MainX, 11);
    QCOMPARE(m_Hub->m_MainY, 22);
    QCOMPARE(m_Hub->m_MainWidth, 640);
    QCOMPARE(m_Hub->m_LastHeight, 480);
    QCOMPARE(m_Hub->m_PathExportCSV, QString("/tmp/csv"));
    QCOMPARE(m_Hub->m_PathExportUserList, m_Folders->homeFolder());
    QCOMPARE(m_Hub->m_ScheduleFilePath, QString("/tmp/s.scd"));
    QCOMPARE(m_Hub->m_PjListSortID, 5);
    QVERIFY(!m_Hub->m_PjListSortAssending);
    QVERIFY(!m_Hub->m_MainTabVisible);
    QVERIFY(m_Hub->m_Offline);
    QVERIFY(m_Hub->m_OfflineMenu);
    QCOMPARE(m_Hub->m_pPjListColumnStatus->value(4)->m_Width, 123);
    QCOMPARE(m_Hub->m_pPjListColumnStatusDefault->value(4)->m_Width == 123, false);
    QCOMPARE(m_Hub->m_pStartAppList->value(0).value(1), QString("/usr/bin/editor"));

    m_Hub->m_AutoExecuteSchedule = true;
    m_Hub->m_MainX = 99;
    QVERIFY(!m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_AUTO_EXECUTE));
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->m_pReg->m_AutoExecuteSchedule);
    QCOMPARE(m_Hub->m_MainX, 11);
}

void tst_CLumivox5Data::demoForcesOfflineWithoutWritingIt()
{
    m_Hub = m_Folders->makeHub();
    QVERIFY(!m_Hub->m_Offline);
    m_Hub->WriteRegistryAll();
    m_Hub.reset();

    m_Hub = m_Folders->makeHub({"/demo"});
    QVERIFY(m_Hub->m_Offline);
    QVERIFY(m_Hub->m_OfflineMenu);
    m_Hub->m_MainX = 5;
    m_Hub->WriteRegistryAll();
    m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_OFFLINE_MODE);
    m_Hub.reset();

    m_Hub = m_Folders->makeHub();
    QVERIFY(!m_Hub->m_Offline);
    QVERIFY(!m_Hub->m_OfflineMenu);
    QCOMPARE(m_Hub->m_MainX, 5);
    m_Hub->SetOfflineMode(true);
    QVERIFY(!m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_OFFLINE_MODE));
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->m_Offline);
}

// True from a write means the settings were not saved (the exit says so).
void tst_CLumivox5Data::settingsNotWrittenAreReported_data()
{
    QTest::addColumn<QString>("blocker"); // what stands in the way of the file
    QTest::addColumn<bool>("failed");
    QTest::newRow("written") << QString() << false;
    QTest::newRow("settings file is a folder") << QStringLiteral("folder") << true;
    QTest::newRow("program folder is a file") << QStringLiteral("file") << true;
}

void tst_CLumivox5Data::settingsNotWrittenAreReported()
{
    QFETCH(QString, blocker);
    QFETCH(bool, failed);
    m_Hub = m_Folders->makeHub();
    if (blocker == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(CLumivox5Reg::SettingsFilePath()));
    } else if (blocker == QLatin1String("file")) {
        const QString file = m_Folders->path(QStringLiteral("not-a-folder"));
        QVERIFY(CTestFolders::writeFile(file, QByteArray("x")));
        AppPaths::setProgramFolder(file);
    }
    QCOMPARE(m_Hub->WriteRegistryAll(), failed);
    QCOMPARE(m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_MAIL), failed);
    QCOMPARE(m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_AUTO_EXECUTE), failed);
    QCOMPARE(QFileInfo(CLumivox5Reg::SettingsFilePath()).isFile(), !failed);
}

void tst_CLumivox5Data::invalidStoredMailSwitchedOffForThisRun_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("valid stays on") << "pj@example.org" << true;
    QTest::newRow("no sender switched off") << "" << false;
}

void tst_CLumivox5Data::invalidStoredMailSwitchedOffForThisRun()
{
    QFETCH(QString, sender);
    QFETCH(bool, enabled);
    m_Hub = m_Folders->makeHub();
    m_Hub->m_pMailSettings->m_Enabled = true;
    m_Hub->m_pMailSettings->m_Recipients = QList<QString>({"ops@example.org"});
    m_Hub->m_pMailSettings->m_SMTPServer = "smtp.example.org";
    m_Hub->m_pMailSettings->m_Authority = 0;
    m_Hub->m_pMailSettings->m_Sender = sender;
    QVERIFY(!m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_MAIL));
    m_Hub.reset();

    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->m_pMailSettings->m_Enabled, enabled);
    QCOMPARE(m_Hub->m_pMailSettings->m_SMTPServer, QString("smtp.example.org"));
    QVERIFY(m_Hub->m_pReg->m_pMailSettings->m_Enabled); // the stored value is untouched

    // Writing the settings at exit keeps the stored value as well.
    m_Hub->WriteRegistryAll();
    m_Hub->WriteRegistryFunc(CLumivox5Reg::REG_MAIL);
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->m_pReg->m_pMailSettings->m_Enabled);
    QCOMPARE(m_Hub->m_pMailSettings->m_Enabled, enabled);

    // Settings the operator changes in the run are written as they are.
    m_Hub->m_pMailSettings->m_Sender = "desk@example.org";
    m_Hub->m_pMailSettings->m_Enabled = false;
    m_Hub->WriteRegistryAll();
    m_Hub.reset();
    m_Hub = m_Folders->makeHub();
    QVERIFY(!m_Hub->m_pReg->m_pMailSettings->m_Enabled);
    QCOMPARE(m_Hub->m_pReg->m_pMailSettings->m_Sender, QString("desk@example.org"));
}

void tst_CLumivox5Data::idAllocation()
{
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QCOMPARE(m_Hub->GetUnusedID(), 1);
    QCOMPARE(add("a")->m_Id, 1);
    QCOMPARE(add("b")->m_Id, 2);
    m_Hub->f_AddProjectorThread(4);
    QCOMPARE(m_Hub->GetUnusedID(), 3);
    const QList<int> ids = {2};
    m_Hub->DeleteModifyProjectors(&ids, nullptr, nullptr, nullptr);
    QCOMPARE(m_Hub->GetUnusedID(), 2);
    QCOMPARE(m_Hub->m_LastAddedID, 2);

    QVERIFY(!m_Hub->f_AddProjectorThread(0));
    QVERIFY(!m_Hub->f_AddProjectorThread(2257));
    for (int id = 1; id <= 2256; ++id) {
        if (!m_Hub->GetProjectorData(id))
            QVERIFY(m_Hub->f_AddProjectorThread(id));
    }
    QCOMPARE(m_Hub->GetUnusedID(), -1);
    QVERIFY(!add("full"));
}

void tst_CLumivox5Data::uniqueSettingNames()
{
    m_Hub = m_Folders->makeHub();
    add("Setting1");
    add("Setting3");
    add("Settings");
    add("Setting0");
    QCOMPARE(add(QString())->m_SettingName, QString("Setting2"));
    QCOMPARE(add(QString())->m_SettingName, QString("Setting4"));
    // A given name is kept even when another record has it.
    QCOMPARE(add("Setting1")->m_SettingName, QString("Setting1"));
    QCOMPARE(m_Hub->f_GetUniqueSettingName(m_Hub->m_pProjectorDatas, "Hall"), QString("Hall1"));
    QCOMPARE(m_Hub->f_GetUniqueSettingName(nullptr, "Hall"), QString("Hall1"));
}

void tst_CLumivox5Data::addProjectorFields()
{
    m_Hub = m_Folders->makeHub();
    for (int id = 1; id <= 11; ++id)
        m_Hub->f_AddProjectorThread(id);
    CProjectorData* record = m_Hub->AddProjector("Hall", 0, CProjectorData::TYPE_LAN::HOST, "pj.local", "7000",
                                                 false, "note");
    QVERIFY(record);
    QCOMPARE(record->m_Id, 12);
    QCOMPARE(m_Hub->m_LastAddedID, 12);
    QCOMPARE(record->m_SectionName, QString("Setting 12"));
    QVERIFY(record->m_NewEntry);
    QCOMPARE(record->m_AddressType, CProjectorData::TYPE_LAN::HOST);
    QCOMPARE(record->m_Address, QString("pj.local"));
    QCOMPARE(record->m_Port, QString("7000"));
    QVERIFY(!record->m_Enabled);
    QCOMPARE(record->m_Comment, QString("note"));
    QCOMPARE(m_Hub->GetTransportThread(12), record);
    QVERIFY(!m_Hub->GetTransportThread(13));
}

void tst_CLumivox5Data::idLists()
{
    m_Hub = m_Folders->makeHub();
    add("a", "10.0.0.1", true);
    add("b", "10.0.0.2", false);
    add("c", "10.0.0.3", true)->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({1, 2, 3}));
    QCOMPARE(m_Hub->GetProjectorDataIDList(true), QList<int>({1, 3}));
    QCOMPARE(m_Hub->GetProjectorDataIDListUnConnected(false), QList<int>({1, 2}));
    QCOMPARE(m_Hub->GetProjectorDataIDListUnConnected(true), QList<int>({1}));
}

void tst_CLumivox5Data::modifySameAddressKeepsStatus()
{
    m_Hub = m_Folders->makeHub();
    CProjectorData* record = add("Old", "10.0.0.1");
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    record->m_Status[CProjectorData::StProjectorName].FromString("Polled");

    CProjectorData* edited = new CProjectorData(nullptr, 1);
    edited->m_Address = "10.0.0.1";
    edited->m_Port = "7142";
    edited->m_SettingName = "New";
    edited->m_Comment = "new comment";
    CLumivox5Data::ProjectorMap source;
    source.insert(1, edited);
    CLumivox5Data::ProjectorMap changed;
    const QList<int> ids = {1};
    QList<bool> modified = {false, true};
    QCOMPARE(m_Hub->DeleteModifyProjectors(&ids, &modified, &source, &changed), 0);
    QCOMPARE(m_Hub->GetProjectorData(1), record);
    QCOMPARE(record->m_SettingName, QString("New"));
    QCOMPARE(record->m_Comment, QString("new comment"));
    QCOMPARE(record->m_ConnectState, CProjectorData::CONNECT_STATE_CONNECTED);
    QCOMPARE(record->m_Status[CProjectorData::StProjectorName].ToString(), QString("Polled"));
    QVERIFY(changed.isEmpty());
    QVERIFY(source.isEmpty());
    delete edited; // the caller keeps owning what it handed over
}

void tst_CLumivox5Data::modifyNewAddressResets_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled reported") << true;
    QTest::newRow("disabled not reported") << false;
}

void tst_CLumivox5Data::modifyNewAddressResets()
{
    QFETCH(bool, enabled);
    m_Hub = m_Folders->makeHub();
    CProjectorData* record = add("Old", "10.0.0.1");
    record->m_SectionName = "Setting 001";
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;

    CProjectorData* edited = new CProjectorData(nullptr, 77);
    edited->m_Address = "10.0.0.2";
    edited->m_Enabled = enabled;
    edited->m_SectionName = "Setting 077";
    CLumivox5Data::ProjectorMap source;
    source.insert(1, edited);
    CLumivox5Data::ProjectorMap changed;
    const QList<int> ids = {1};
    QList<bool> modified = {false, true};
    m_Hub->DeleteModifyProjectors(&ids, &modified, &source, &changed);
    QCOMPARE(m_Hub->GetProjectorData(1), record);
    QCOMPARE(record->m_Address, QString("10.0.0.2"));
    QCOMPARE(record->m_Id, 1);
    QCOMPARE(record->m_SectionName, QString("Setting 001"));
    QVERIFY(record->m_ConnectState != CProjectorData::CONNECT_STATE_CONNECTED);
    QCOMPARE(changed.contains(1), enabled);
    QVERIFY(source.isEmpty());
    delete edited;
}

void tst_CLumivox5Data::deleteMarksSectionAndFreesId()
{
    m_Hub = m_Folders->makeHub();
    add("a");
    add("b");
    add("c");
    // Id 2 is flagged but missing from the source: skipped, kept. Id 9 has no
    // record. Id 3 is past the flags: deleted.
    const QList<int> ids = {1, 2, 9, 3};
    QList<bool> modified = {false, false, true};
    CLumivox5Data::ProjectorMap source;
    QCOMPARE(m_Hub->DeleteModifyProjectors(&ids, &modified, &source, nullptr), 0);
    QCOMPARE(m_Hub->GetProjectorDataIDList(false), QList<int>({2}));
    QCOMPARE(m_Hub->m_pDeletedIDList->at(1), true);
    QCOMPARE(m_Hub->m_pDeletedIDList->at(2), false);
    QCOMPARE(m_Hub->m_pDeletedIDList->at(3), true);
    QCOMPARE(m_Hub->m_pIDUsedList->at(1), false);
    QCOMPARE(m_Hub->DeleteAllProjectors(), 0);
    QCOMPARE(m_Hub->f_GetProjectorCount(), 0);
    const QList<int> none;
    QCOMPARE(m_Hub->DeleteModifyProjectors(&none, nullptr, nullptr, nullptr), 0);
    QCOMPARE(m_Hub->DeleteModifyProjectors(nullptr, nullptr, nullptr, nullptr), 0);
}

void tst_CLumivox5Data::commandInFlightStoppedWithoutTheLock_data()
{
    QTest::addColumn<bool>("modify");
    QTest::newRow("deleted") << false;
    QTest::newRow("moved to a new address") << true;
}

void tst_CLumivox5Data::commandInFlightStoppedWithoutTheLock()
{
    QFETCH(bool, modify);
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());

    // A projector that takes the request and never answers.
    CProjectorSimulator simulator;
    CSimFaults faults;
    faults.silent = true;
    simulator.SetFaults(faults);
    CSimulatedProjector* projector = simulator.AddProjector(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    QVERIFY(projector);
    CProjectorData* record = m_Hub->AddProjector("pj", 0, CProjectorData::TYPE_LAN::IP, projector->AddressText(),
                                                 projector->PortText(), true, "");
    QVERIFY(record);
    const int id = record->m_Id;
    QCOMPARE(m_Hub->m_pCommandFunctions->SetPower(1, 0, id, 0, 2, 2, false), 0);
    QTRY_VERIFY(!projector->Requests().isEmpty());

    // Receivers that read the hub's id lists while the command is stopped.
    int reports = 0;
    int heldLock = 0;
    QList<int> seen;
    auto receiver = [&]() {
        ++reports;
        if (!m_Hub->m_Mutex.tryLock()) {
            ++heldLock;
            return;
        }
        m_Hub->m_Mutex.unlock();
        seen = m_Hub->GetProjectorDataIDList(false);
    };
    QObject context;
    connect(m_Hub->m_pCommandFunctions, &CCommandFunctions::Canceled, &context, receiver, Qt::DirectConnection);
    connect(m_Hub->m_pCommandFunctions, &CCommandFunctions::UpdateError, &context, receiver, Qt::DirectConnection);
    connect(m_Hub->m_pCommandFunctions, &CCommandFunctions::TransportStateUpdate, &context, receiver,
            Qt::DirectConnection);
    connect(m_Hub->m_pDeviceAccess, &CDeviceAccess::Canceled, &context, receiver, Qt::DirectConnection);
    connect(m_Hub->m_pDeviceAccess, &CDeviceAccess::StateChanged, &context, receiver, Qt::DirectConnection);

    const QList<int> ids = {id};
    QList<bool> modified;
    for (int i = 0; i <= id; ++i)
        modified << (modify && i == id);
    CProjectorData* edited = new CProjectorData(nullptr, id);
    edited->m_Address = "127.0.0.3";
    edited->m_Port = "7142";
    CLumivox5Data::ProjectorMap source;
    source.insert(id, edited);
    CLumivox5Data::ProjectorMap changed;
    QCOMPARE(m_Hub->DeleteModifyProjectors(&ids, &modified, &source, &changed), 0);
    delete edited;

    QVERIFY(reports > 0);
    QCOMPARE(heldLock, 0);
    QCOMPARE(seen, QList<int>({id})); // the record is changed after the stop
    QCOMPARE(m_Hub->GetProjectorData(id) != nullptr, modify);
    if (modify)
        QCOMPARE(m_Hub->GetProjectorData(id)->m_Address, QString("127.0.0.3"));
    QVERIFY(!m_Hub->m_pDeviceAccess->IsCommunicating(id));
}

void tst_CLumivox5Data::temporaryCopyCycle()
{
    m_Hub = m_Folders->makeHub();
    add("live");
    m_Hub->InitProjectorDataTemp();
    QCOMPARE(m_Hub->GetUnusedIDTemp(), 1);
    CProjectorData* one = new CProjectorData(m_Hub->m_pProfileList, 1);
    one->m_SettingName = "Setting1";
    QCOMPARE(m_Hub->AddProjectorTemp(1, one), 1);
    QCOMPARE(m_Hub->GetProjectorDataTemp(1), one);
    QCOMPARE(m_Hub->GetUnusedIDTemp(), 2);
    QCOMPARE(m_Hub->GetUniqueSettingNameFromTemp("Setting"), QString("Setting2"));

    m_Hub->DeleteProjectorTemp(1);
    QVERIFY(!m_Hub->GetProjectorDataTemp(1));
    QCOMPARE(m_Hub->GetUnusedIDTemp(), 1);
    QVERIFY(m_Hub->m_pDeletedIDList->at(1));
    m_Hub->DeleteProjectorTemp(50);
    QVERIFY(m_Hub->m_pDeletedIDList->at(50));
    QVERIFY(m_Hub->GetProjectorData(1)); // the live record is untouched

    m_Hub->AddProjectorTemp(3, new CProjectorData(m_Hub->m_pProfileList, 3));
    m_Hub->InitProjectorDataTemp();
    QVERIFY(m_Hub->m_pProjectorDatasTemp->isEmpty());
    QVERIFY(!m_Hub->m_pDeletedIDList->contains(true));
    QVERIFY(!m_Hub->m_pIDUsedListTemp->contains(true));
}

void tst_CLumivox5Data::optionItemLists()
{
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());

    struct Expected
    {
        CSectionItemList* list;
        QStringList names; // in ascending code order
    };
    const QList<Expected> lists = {
        {m_Hub->m_pMultiPicturePresetList,
         {"HIGH-BRIGHT", "PRESENTATION", "VIDEO", "MOVIE", "GRAPHIC", "sRGB", "DICOM SIM."}},
        {m_Hub->m_pMultiPictureGammaList, {"DYNAMIC", "NATURAL", "BLACK DETAIL"}},
        {m_Hub->m_pMultiPictureColorTempratureList, {"5000", "6500", "7800", "8500", "9300", "10500"}},
        {m_Hub->m_pMultiImageOverscanList, {"0%", "5%", "10%"}},
        {m_Hub->m_pMultiImageAspectList,
         {"4:3", "LETTER BOX", "WIDE SCREEN", "4:3 FILL", "ZOOM", "5:4", "16:10", "15:9"}},
        {m_Hub->m_pMultiVideoRandomNRList, {"OFF", "LOW", "MEDIUM", "HIGH"}},
        {m_Hub->m_pMultiVideoMosquitoNRList, {"OFF", "LOW", "MEDIUM", "HIGH"}},
        {m_Hub->m_pMultiVideoBlockNRList, {"OFF", "ON"}},
        {m_Hub->m_pMultiVideoDeinterlaceList, {"AUTO", "VIDEO", "FILM"}},
        {m_Hub->m_pMultiVideo3DYCSeparationList, {"OFF", "ON"}},
        {m_Hub->m_pMultiVolume3DSurroundList, {"OFF", "ON"}},
    };
    for (const Expected& expected : lists) {
        QVERIFY(expected.list);
        QStringList names;
        for (const CSectionItem* item : expected.list->values()) {
            names << item->name;
            QVERIFY(item->show);
        }
        QCOMPARE(names, expected.names);
    }
    QCOMPARE(m_Hub->m_pMultiImageAspectList->keys(), QList<int>({0, 1, 2, 4, 7, 11, 12, 13}));

    const QList<CSectionItem*> terminals = m_Hub->m_pMultiInputTerminalList->values();
    QCOMPARE(terminals.size(), 2);
    QCOMPARE(terminals.at(0)->code, 0x01);
    QCOMPARE(terminals.at(0)->name, QString("COMPUTER1"));
    QVERIFY(terminals.at(0)->show);
    QCOMPARE(terminals.at(1)->code, 0x1A);
    QCOMPARE(terminals.at(1)->name, QString("HDMI"));
    QVERIFY(!terminals.at(1)->show);
    // Copies: the profile list keeps its own items.
    QVERIFY(!m_Hub->m_pProfileList->m_MultiTermList->values().contains(terminals.at(0)));
}

void tst_CLumivox5Data::optionItemListsRebuiltNotDoubled()
{
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());
    CSectionItemList* aspect = m_Hub->m_pMultiImageAspectList;
    m_Hub->InitMultiImageAspectList();
    m_Hub->InitMultiInputTerminalList();
    QCOMPARE(m_Hub->m_pMultiImageAspectList, aspect);
    QCOMPARE(aspect->count(), 8);
    QCOMPARE(aspect->value(2)->name, QString("WIDE SCREEN"));
    QCOMPARE(m_Hub->m_pMultiInputTerminalList->count(), 2);
}

void tst_CLumivox5Data::inputTerminalsEmpty()
{
    m_Folders->writeProfile(HubTestFolders::PROFILE_NO_TERMINALS);
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());
    QVERIFY(m_Hub->m_pMultiInputTerminalList);
    QVERIFY(m_Hub->m_pMultiInputTerminalList->isEmpty());
}

QTEST_GUILESS_MAIN(tst_CLumivox5Data)
#include "tst_CLumivox5Data.moc"
