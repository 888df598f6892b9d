#include "CLumivox5Data.h"

#include "AppPaths.h"
#include "CCommandFunctions.h"
#include "CDeviceAccess.h"
#include "CIniFileAccess.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Arguments.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "CNoOperatingDate.h"
#include "COptionSettings.h"
#include "CProfileList.h"
#include "ExceptionTrace.h"
#include "CScheduleManager.h"
#include "CSectionItemList.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMutexLocker>
#include <QtDebug>

const QString CLumivox5Data::USERLIST_PATH = QStringLiteral("/Corvex Projector User Fennick/Lumivox 5");
const QString CLumivox5Data::SCHEDULE_FILE_PATH = QStringLiteral("/Corvex Projector User Fennick/Lumivox 5");
const QString CLumivox5Data::USERLIST_NAME = QStringLiteral("/user.lst");
const QString CLumivox5Data::USERLIST_MAGIC_CODE = QStringLiteral("258-0017-686-1-5F");
const QString CLumivox5Data::USERLIST_REVISION_CODE = QStringLiteral("Rev.1.0");
const QString CLumivox5Data::PERSONAL_PATH = QStringLiteral("");
const QString CLumivox5Data::PERSONAL_PATH2 = QStringLiteral("");
const QString CLumivox5Data::SCHEDULE_FILE_NAME = QStringLiteral("/Schedule.scd");
const QString CLumivox5Data::WILDCARD_CSVFILE = QStringLiteral("(*.csv)");
const QString CLumivox5Data::WILDCARD_SCHEDULEFILE = QStringLiteral("(*.scd)");
const QString CLumivox5Data::WILDCARD_USERFILE = QStringLiteral("(*.lst)");
const QString CLumivox5Data::SECTION_PREFIX = QStringLiteral("Setting ");
const QString CLumivox5Data::HEADER_SECTION = QStringLiteral("Header Info");
const QString CLumivox5Data::GROUP_SECTION = QStringLiteral("Group");

namespace {
const char* const HOME_SUBFOLDER = "/Application Data";
}

CLumivox5Data::CLumivox5Data(int argc, char** argv, QObject* parent)
    : m_pCommandFunctions(nullptr)
    , m_pDeviceAccess(nullptr)
    , m_pReg(nullptr)
    , m_MainX(0)
    , m_MainY(0)
    , m_MainWidth(0)
    , m_MainHeight(0)
    , m_LastWidth(0)
    , m_LastHeight(0)
    , m_MainPainLeftWidth(0)
    , m_MainPainLeftHeight(0)
    , m_MainPainTopHeight(0)
    , m_pProfileList(nullptr)
    , m_pMultiInputTerminalList(nullptr)
    , m_pMultiPicturePresetList(nullptr)
    , m_pMultiPictureGammaList(nullptr)
    , m_pMultiPictureColorTempratureList(nullptr)
    , m_pMultiImageOverscanList(nullptr)
    , m_pMultiImageAspectList(nullptr)
    , m_pMultiVideoRandomNRList(nullptr)
    , m_pMultiVideoMosquitoNRList(nullptr)
    , m_pMultiVideoBlockNRList(nullptr)
    , m_pMultiVideoDeinterlaceList(nullptr)
    , m_pMultiVideo3DYCSeparationList(nullptr)
    , m_pMultiVolume3DSurroundList(nullptr)
    , m_ScheduleVisible(true)
    , m_MainTabVisible(true)
    , m_Offline(false)
    , m_OfflineMenu(false)
    , m_pMailSettings(nullptr)
    , m_pOptionSettings(nullptr)
    , m_pNoOperatingDate(nullptr)
    , m_pScheduleManager(nullptr)
    , m_pScheduleExcuteManager(nullptr)
    , m_ScheduleSaved(true)
    , m_AutoExecuteSchedule(false)
    , m_ScheduleRunning(false)
    , m_pUserList(nullptr)
    , m_LastAddedID(0)
    , m_PjListSortID(CListViewColumnStatus::DEFAULT_SORT_ID)
    , m_PjListSortAssending(true)
    , m_GroupIDUsedList(nullptr)
    , m_pArguments(nullptr)
    , m_pStartAppList(nullptr)
    , m_pProjectorDatas(nullptr)
    , m_pProjectorDatasTemp(nullptr)
    , m_pIDUsedList(nullptr)
    , m_pIDUsedListTemp(nullptr)
    , m_pDeletedIDList(nullptr)
    , m_ProjectorGroups(nullptr)
    , m_pPjListColumnStatus(nullptr)
    , m_pPjListColumnStatusDefault(nullptr)
{
    m_pArguments = new CLumivox5Arguments(argc, argv);
    f_SelectLanguage();
    m_LanguageCodeTable.SetCulture(parent);

    m_pUserList = new CIniFileAccess();
    m_pMailSettings = new CMailSettings();
    m_pOptionSettings = new COptionSettings();
    m_pNoOperatingDate = new CNoOperatingDate();
    m_pScheduleManager = new CScheduleManager();
    m_pScheduleExcuteManager = new CScheduleManager();

    m_pStartAppList = new QList<QStringList>;
    m_pPjListColumnStatusDefault = new QMap<int, CListViewColumnStatus*>;
    m_pPjListColumnStatus = new QMap<int, CListViewColumnStatus*>;
    m_pProjectorDatas = new ProjectorMap;

    m_pDeviceAccess = new CDeviceAccess(nullptr);
    m_pCommandFunctions = new CCommandFunctions();
    m_pCommandFunctions->SetProjectorDatas(m_pProjectorDatas);
    m_pCommandFunctions->SetDeviceAccess(m_pDeviceAccess);
    // Sockets and their timers run beside the window, not in its thread.
    m_pDeviceAccess->StartWorkerThread();

    m_GroupIDUsedList = new QList<int>;
    m_ProjectorGroups = new QList<CProjectorGroup*>;
    m_pIDUsedList = new QList<bool>;
    f_ResetFlags(m_pIDUsedList, ID_MAX);
    m_pDeletedIDList = new QList<bool>(*m_pIDUsedList);
    m_pIDUsedListTemp = new QList<bool>(*m_pIDUsedList);
    m_pProjectorDatasTemp = new ProjectorMap;

    m_pReg = new CLumivox5Reg();

    const QString home = AppPaths::homeFolder();
    m_PathExportCSV = home + PERSONAL_PATH2;
    m_PathExportUserList = home + PERSONAL_PATH2;
    m_ScheduleFilePath = home + PERSONAL_PATH2 + SCHEDULE_FILE_NAME;

    CListViewColumnStatus::f_MakePjListColumns(m_pPjListColumnStatusDefault);
    CListViewColumnStatus::f_MakePjListColumns(m_pPjListColumnStatus);

    f_ReadSettingsAll();
    m_pOptionSettings->m_ImportAvailable = m_pArguments->m_ImportAvailable;

    LoadProfile(false);
}

CLumivox5Data::~CLumivox5Data()
{
    if (m_pDeviceAccess)
        m_pDeviceAccess->CancelAll();
    delete m_pDeviceAccess;
    m_pDeviceAccess = nullptr;
    delete m_pCommandFunctions;
    m_pCommandFunctions = nullptr;

    delete m_pUserList;
    delete m_pArguments;
    delete m_pMailSettings;
    delete m_pMailSettingsOffForRun;
    delete m_pOptionSettings;
    delete m_pNoOperatingDate;
    delete m_pScheduleManager;
    delete m_pScheduleExcuteManager;
    delete m_pStartAppList;

    DeleteAllProjectors();
    f_DeleteRecords(m_pProjectorDatas);
    delete m_pProjectorDatas;
    f_DeleteRecords(m_pProjectorDatasTemp);
    delete m_pProjectorDatasTemp;

    delete m_pIDUsedList;
    delete m_pIDUsedListTemp;
    delete m_pDeletedIDList;
    CListViewColumnStatus::DeleteColumns(m_pPjListColumnStatus);
    delete m_pPjListColumnStatus;
    CListViewColumnStatus::DeleteColumns(m_pPjListColumnStatusDefault);
    delete m_pPjListColumnStatusDefault;
    delete m_pReg;
    delete m_GroupIDUsedList;
    f_DeleteGroups();
    delete m_ProjectorGroups;
    delete m_pProfileList;
    qDeleteAll(m_RetiredProfileLists);
    for (CSectionItemList* list :
         {m_pMultiInputTerminalList, m_pMultiPicturePresetList, m_pMultiPictureGammaList,
          m_pMultiPictureColorTempratureList, m_pMultiImageOverscanList, m_pMultiImageAspectList,
          m_pMultiVideoRandomNRList, m_pMultiVideoMosquitoNRList, m_pMultiVideoBlockNRList,
          m_pMultiVideoDeinterlaceList, m_pMultiVideo3DYCSeparationList, m_pMultiVolume3DSurroundList})
        delete list;
}

// ---------------------------------------------------------------- language, profiles

void CLumivox5Data::f_SelectLanguage()
{
    RunTraced([&] {
        if (m_LanguageCodeTable.SetLanguageCodeByArg(m_pArguments ? m_pArguments->m_Language : QString()) < 0)
            m_LanguageCodeTable.SetLanguageCodeByLocale(QLocale::system());
    });
}

bool CLumivox5Data::LoadProfile(bool inCurrentLanguage)
{
    return RunTraced(false, [&] {
        CProfileList* list = new CProfileList(AppPaths::programFolder() + QLatin1Char('/') + CProfileList::PROFILE_NAME,
                                              inCurrentLanguage ? m_LanguageCodeTable.m_LanguageCode
                                                                : CLanguageCodeTable::LANG_ENGLISH);
        if (!m_pProfileList) {
            m_pProfileList = list;
            return true;
        }
        if (list->m_LoadFailed) {
            delete list;
            return false;
        }
        // Records made earlier keep pointing at the list they were made with;
        // the old list must outlive them.
        bool referenced = false;
        for (CProjectorData* record : *m_pProjectorDatas)
            referenced = referenced || record->m_ProfileList == m_pProfileList;
        for (CProjectorData* record : *m_pProjectorDatasTemp)
            referenced = referenced || record->m_ProfileList == m_pProfileList;
        if (referenced)
            m_RetiredProfileLists.append(m_pProfileList);
        else
            delete m_pProfileList;
        m_pProfileList = list;
        return true;
    });
}

bool CLumivox5Data::InitializeAfterReadProfile()
{
    return RunTraced(false, [&] {
        if (!QFileInfo::exists(AppPaths::programFolder() + QLatin1Char('/') + CProfileList::PROFILE_NAME)) {
            qCDebug(lcAppData, "!!! [Profile.ini] didn't exist !!!");
            return false;
        }
        if (!LoadProfile(true))
            return false;
        CListViewColumnStatus::f_TranslatePjListColumns(m_pPjListColumnStatusDefault);
        CListViewColumnStatus::f_TranslatePjListColumns(m_pPjListColumnStatus);
        InitMultiInputTerminalList();
        InitMultiPicturePresetList();
        InitMultiPictureGammaList();
        InitMultiPictureColorTempratureList();
        InitMultiImageOverscanList();
        InitMultiImageAspectList();
        InitMultiVideoRandomNRList();
        InitMultiVideoMosquitoNRList();
        InitMultiVideoBlockNRList();
        InitMultiVideoDeinterlaceList();
        InitMultiVideo3DYCSeparationList();
        InitMultiVolume3DSurroundList();
        InitGroupIDUsedList();
        return true;
    });
}

// ---------------------------------------------------------------- settings

void CLumivox5Data::f_ReadSettingsAll()
{
    RunTraced([&] {
        m_pReg->SetPjListColumnStatus(*m_pPjListColumnStatus);
        m_pReg->Read();

        if (!m_pReg->m_PathExportCSV.isEmpty())
            m_PathExportCSV = m_pReg->m_PathExportCSV;
        if (!m_pReg->m_PathExportUserList.isEmpty())
            m_PathExportUserList = m_pReg->m_PathExportUserList;

        m_MainX = m_pReg->m_MainX;
        m_MainY = m_pReg->m_MainY;
        m_MainWidth = m_pReg->m_MainWidth;
        m_MainHeight = m_pReg->m_MainHeight;
        m_LastWidth = m_pReg->m_MainWidth;
        m_LastHeight = m_pReg->m_MainHeight;
        for (int n = 0; n < 3; ++n)
            m_SplitterSizes[n] = m_pReg->m_SplitterSizes[n];
        m_MainTabVisible = m_pReg->m_MainTabVisible;

        *m_pMailSettings = *m_pReg->m_pMailSettings;
        // Stored settings the mail dialog would refuse keep error mails off
        // for this run; the stored value stays until mail settings are written.
        if (m_pMailSettings->m_Enabled && CMailSettings::GetInputError(*m_pMailSettings) != 0) {
            m_pMailSettings->m_Enabled = false;
            delete m_pMailSettingsOffForRun;
            m_pMailSettingsOffForRun = new CMailSettings(*m_pMailSettings);
        }

        *m_pOptionSettings = *m_pReg->m_pOptionSettings;
        m_pReg->m_pNoOperatingDate->Clone(*m_pNoOperatingDate);
        if (!m_pReg->m_ScheduleFilePath.isEmpty())
            m_ScheduleFilePath = m_pReg->m_ScheduleFilePath;
        // The main window resumes schedule execution at start when it was on.
        m_AutoExecuteSchedule = m_pReg->m_AutoExecuteSchedule;

        CListViewColumnStatus::CopyColumns(*m_pReg->m_pPjListColumnStatus, m_pPjListColumnStatus);

        m_PjListSortID = m_pReg->m_PjListSortID;
        m_PjListSortAssending = m_pReg->m_PjListSortAssending;
        m_Offline = m_pReg->m_Offline;
        m_OfflineMenu = m_pReg->m_OfflineMenu;
        if (m_pArguments->m_Demo) {
            m_Offline = true;
            m_OfflineMenu = true;
        }
        *m_pStartAppList = *m_pReg->m_pStartAppList;
    });
}

void CLumivox5Data::f_CopyToStore()
{
    m_pReg->m_PathExportCSV = m_PathExportCSV;
    m_pReg->m_PathExportUserList = m_PathExportUserList;
    m_pReg->m_MainX = m_MainX;
    m_pReg->m_MainY = m_MainY;
    m_pReg->m_MainWidth = m_MainWidth;
    m_pReg->m_MainHeight = m_MainHeight;
    m_pReg->m_MainPainLeftWidth = m_MainPainLeftWidth;
    m_pReg->m_MainPainLeftHeight = m_MainPainLeftHeight;
    m_pReg->m_MainPainTopHeight = m_MainPainTopHeight;
    for (int n = 0; n < 3; ++n)
        m_pReg->m_SplitterSizes[n] = m_SplitterSizes[n];
    m_pReg->m_ScheduleVisible = m_ScheduleVisible;
    m_pReg->m_MainTabVisible = m_MainTabVisible;

    f_CopyMailSettingsToStore();
    m_pReg->SetPjListColumnStatus(*m_pPjListColumnStatus);
    m_pReg->m_PjListSortID = m_PjListSortID;
    m_pReg->m_PjListSortAssending = m_PjListSortAssending;
    *m_pReg->m_pOptionSettings = *m_pOptionSettings;
    m_pReg->m_pNoOperatingDate->Copy(*m_pNoOperatingDate);
    m_pReg->m_ScheduleFilePath = m_ScheduleFilePath;

    // A demo run never changes the stored offline state.
    if (!m_pArguments->m_Demo) {
        m_pReg->m_Offline = m_Offline;
        m_pReg->m_OfflineMenu = m_OfflineMenu;
    }
    *m_pReg->m_pStartAppList = *m_pStartAppList;
}

void CLumivox5Data::f_CopyMailSettingsToStore()
{
    // Switched off at start for this run only and not changed since: the
    // store keeps the settings it read, the operator's "on" included.
    if (m_pMailSettingsOffForRun && *m_pMailSettingsOffForRun == *m_pMailSettings)
        return;
    delete m_pMailSettingsOffForRun;
    m_pMailSettingsOffForRun = nullptr;
    *m_pReg->m_pMailSettings = *m_pMailSettings;
}

// True when the settings were not saved, as the store answers; a write cut
// short by an exception was not saved either.
bool CLumivox5Data::WriteRegistryAll()
{
    return RunTraced(true, [&] {
        f_CopyToStore();
        return m_pReg->Write(CLumivox5Reg::REG_ALL);
    });
}

bool CLumivox5Data::WriteRegistryFunc(int mask)
{
    return RunTraced(true, [&] {
        if (mask & CLumivox5Reg::REG_MAIL)
            f_CopyMailSettingsToStore();
        if (mask == CLumivox5Reg::REG_AUTO_EXECUTE) {
            m_pReg->m_AutoExecuteSchedule = m_AutoExecuteSchedule;
        } else if ((mask & CLumivox5Reg::REG_OFFLINE_MODE) && !m_pArguments->m_Demo) {
            m_pReg->m_Offline = m_Offline;
            m_pReg->m_OfflineMenu = m_OfflineMenu;
        }
        return m_pReg->Write(mask);
    });
}

void CLumivox5Data::SetOfflineMode(bool offline)
{
    m_Offline = offline;
}

void CLumivox5Data::SetLastWindowSize()
{
    m_MainWidth = m_LastWidth;
    m_MainHeight = m_LastHeight;
}

QString CLumivox5Data::GetDefaultUserListPath()
{
    return AppPaths::homeFolder() + QLatin1String(HOME_SUBFOLDER) + USERLIST_PATH + USERLIST_NAME;
}

QString CLumivox5Data::GetDefaultScheduleFilePath()
{
    return AppPaths::homeFolder() + QLatin1String(HOME_SUBFOLDER) + SCHEDULE_FILE_PATH + SCHEDULE_FILE_NAME;
}

bool CLumivox5Data::ReadPortNames(QStringList* ports)
{
    return RunTraced(false, [&] { return m_pReg->ReadPortNames(ports) == 0; });
}

// ---------------------------------------------------------------- id flags

void CLumivox5Data::f_ResetFlags(QList<bool>* flags, int max)
{
    if (!flags)
        return;
    flags->clear();
    flags->reserve(max + 1);
    for (int i = 0; i <= max; ++i)
        flags->append(false);
}

void CLumivox5Data::f_SetFlag(QList<bool>* flags, int index, bool value)
{
    if (flags && index >= 0 && index < flags->size())
        (*flags)[index] = value;
}

bool CLumivox5Data::f_GetFlag(const QList<bool>* flags, int index)
{
    return flags && index >= 0 && index < flags->size() && flags->at(index);
}

int CLumivox5Data::f_FirstClearFlag(const QList<bool>* flags)
{
    if (!flags)
        return -1;
    for (int i = 1; i <= ID_MAX && i < flags->size(); ++i) {
        if (!flags->at(i))
            return i;
    }
    return -1;
}

void CLumivox5Data::f_DeleteRecords(ProjectorMap* map)
{
    if (!map)
        return;
    qDeleteAll(*map);
    map->clear();
}

// ---------------------------------------------------------------- projector records

CProjectorData* CLumivox5Data::GetProjectorData(int id)
{
    return RunTraced<CProjectorData*>(nullptr, [&] { return m_pProjectorDatas->value(id, nullptr); });
}

CProjectorData* CLumivox5Data::GetTransportThread(int id)
{
    return RunTraced<CProjectorData*>(nullptr, [&] {
        QMutexLocker lock(&m_Mutex);
        return m_pProjectorDatas->value(id, nullptr);
    });
}

int CLumivox5Data::f_GetProjectorCount()
{
    return m_pProjectorDatas ? m_pProjectorDatas->size() : 0;
}

QList<int> CLumivox5Data::GetProjectorDataIDList(bool enabledOnly)
{
    return RunTraced(QList<int>(), [&] {
        QMutexLocker lock(&m_Mutex);
        QList<int> ids;
        for (auto it = m_pProjectorDatas->cbegin(); it != m_pProjectorDatas->cend(); ++it) {
            if (!enabledOnly || it.value()->m_Enabled)
                ids.append(it.key());
        }
        return ids;
    });
}

QList<int> CLumivox5Data::GetProjectorDataIDListUnConnected(bool enabledOnly)
{
    return RunTraced(QList<int>(), [&] {
        QMutexLocker lock(&m_Mutex);
        QList<int> ids;
        for (auto it = m_pProjectorDatas->cbegin(); it != m_pProjectorDatas->cend(); ++it) {
            const CProjectorData* record = it.value();
            if (record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED)
                continue;
            if (!enabledOnly || record->m_Enabled)
                ids.append(it.key());
        }
        return ids;
    });
}

int CLumivox5Data::GetUnusedID()
{
    return f_GetUnusedID(m_pProjectorDatas);
}

int CLumivox5Data::f_GetUnusedID(ProjectorMap*)
{
    // The live flags answer for every map: they also hold the section numbers
    // of the user list, which a new projector must not take.
    return f_FirstClearFlag(m_pIDUsedList);
}

CProjectorData* CLumivox5Data::f_AddProjectorThread(int id)
{
    return RunTraced<CProjectorData*>(nullptr, [&] {
        if (id < 1 || id > ID_MAX)
            return static_cast<CProjectorData*>(nullptr);
        CProjectorData* record = new CProjectorData(m_pProfileList, id);
        CProjectorData* previous = m_pProjectorDatas->value(id, nullptr);
        if (previous && previous != record)
            qCDebug(lcAppData, "CLumivox5Data::f_AddProjectorThread replaces the record of id [%d]", id);
        m_pProjectorDatas->insert(id, record);
        f_SetFlag(m_pIDUsedList, id, true);
        return record;
    });
}

CProjectorData* CLumivox5Data::AddProjector(QString settingName, int deviceKind,
                                            CProjectorData::TYPE_LAN::Enum lanType, QString address,
                                            QString port, bool enabled, QString comment)
{
    return RunTraced<CProjectorData*>(nullptr, [&]() -> CProjectorData* {
        const int id = GetUnusedID();
        if (id < 0)
            return nullptr;
        const QString base = QCoreApplication::translate("CLumivox5Data", "Setting");
        const QString name = settingName.isEmpty() ? f_GetUniqueSettingName(m_pProjectorDatas, base) : settingName;
        CProjectorData* record = f_AddProjectorThread(id);
        m_LastAddedID = id;
        if (!record)
            return nullptr;
        record->m_SettingName = name;
        record->m_NewEntry = true;
        record->m_SectionName = base + QStringLiteral(" %1").arg(id);
        record->m_DeviceKind = deviceKind;
        record->m_AddressType = lanType;
        record->m_Address = address;
        record->m_Port = port;
        record->m_Enabled = enabled;
        record->m_Comment = comment;
        return record;
    });
}

QString CLumivox5Data::f_GetUniqueSettingName(ProjectorMap* map, QString baseName)
{
    return RunTraced(baseName, [&] {
        QList<bool> taken;
        f_ResetFlags(&taken, ID_MAX);
        if (map) {
            for (const CProjectorData* record : *map) {
                const QString& name = record->m_SettingName;
                if (name.length() <= baseName.length() || !name.startsWith(baseName))
                    continue;
                bool ok = false;
                const int n = name.mid(baseName.length()).toInt(&ok, 10);
                if (ok && n != 0)
                    f_SetFlag(&taken, n, true);
            }
        }
        const int n = f_FirstClearFlag(&taken);
        return n < 0 ? baseName : baseName + QString::number(n);
    });
}

int CLumivox5Data::DeleteModifyProjectors(QList<int> const* ids, QList<bool>* modified, ProjectorMap* source,
                                          ProjectorMap* changed)
{
    if (!ids || ids->isEmpty())
        return 0;
    RunTraced([&] {
        // Decide under the lock, stop commands without it (stopping can report
        // synchronously to receivers that ask the hub for its id lists), then
        // change the map under the lock again.
        enum Action { Keep, Rename, Reset, Remove };
        QList<QPair<int, Action>> plan;
        {
            QMutexLocker lock(&m_Mutex);
            for (int id : *ids) {
                CProjectorData* record = m_pProjectorDatas->value(id, nullptr);
                if (!record)
                    continue;
                const bool isModified = modified && id >= 0 && id < modified->size() && modified->at(id);
                if (!isModified) {
                    plan.append(qMakePair(id, Remove));
                    continue;
                }
                CProjectorData* edited = source ? source->value(id, nullptr) : nullptr;
                if (!edited)
                    continue;
                plan.append(qMakePair(id, record->IsConnectDestinationCompare(edited) ? Rename : Reset));
            }
        }

        if (m_pCommandFunctions && m_pDeviceAccess) {
            for (const auto& step : plan) {
                if (step.second == Reset || step.second == Remove)
                    m_pCommandFunctions->Stop(0, step.first, 0, 0, 0, false);
            }
        }

        QMutexLocker lock(&m_Mutex);
        for (const auto& step : plan) {
            const int id = step.first;
            CProjectorData* record = m_pProjectorDatas->value(id, nullptr);
            if (!record)
                continue;
            if (step.second == Remove) {
                m_pProjectorDatas->remove(id);
                delete record;
                f_SetFlag(m_pDeletedIDList, id, true);
                f_SetFlag(m_pIDUsedList, id, false);
                qCDebug(lcAppData, "CLumivox5Data::DeleteModifyProjectors Delete Device: [%d]", id);
                continue;
            }
            CProjectorData* edited = source ? source->value(id, nullptr) : nullptr;
            if (!edited)
                continue;
            if (step.second == Rename) {
                record->m_Comment = edited->m_Comment;
                record->m_SettingName = edited->m_SettingName;
            } else {
                record->ConnectionReset(edited);
                if (changed && record->m_Enabled)
                    changed->insert(id, record);
            }
            source->remove(id);
        }
    });
    return 0;
}

int CLumivox5Data::DeleteAllProjectors()
{
    if (!m_pProjectorDatas)
        return 0;
    const QList<int> ids = m_pProjectorDatas->keys();
    return DeleteModifyProjectors(&ids, nullptr, nullptr, nullptr);
}

// ---------------------------------------------------------------- temporary copy

void CLumivox5Data::InitProjectorDataTemp()
{
    RunTraced([&] {
        f_DeleteRecords(m_pProjectorDatasTemp);
        f_ResetFlags(m_pIDUsedListTemp, ID_MAX);
        f_ResetFlags(m_pDeletedIDList, ID_MAX);
    });
}

CProjectorData* CLumivox5Data::GetProjectorDataTemp(int id)
{
    return RunTraced<CProjectorData*>(nullptr, [&] { return m_pProjectorDatasTemp->value(id, nullptr); });
}

int CLumivox5Data::AddProjectorTemp(int id, CProjectorData* record)
{
    return RunTraced(-1, [&] {
        m_pProjectorDatasTemp->insert(id, record);
        f_SetFlag(m_pIDUsedListTemp, id, true);
        return id;
    });
}

void CLumivox5Data::DeleteProjectorTemp(int id)
{
    RunTraced([&] {
        delete m_pProjectorDatasTemp->take(id);
        f_SetFlag(m_pDeletedIDList, id, true);
        f_SetFlag(m_pIDUsedListTemp, id, false);
    });
}

int CLumivox5Data::GetUnusedIDTemp()
{
    return f_FirstClearFlag(m_pIDUsedListTemp);
}

QString CLumivox5Data::GetUniqueSettingNameFromTemp(QString baseName)
{
    return f_GetUniqueSettingName(m_pProjectorDatasTemp, baseName);
}
