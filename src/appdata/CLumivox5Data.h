#ifndef CLUMIVOX5DATA_H
#define CLUMIVOX5DATA_H

#include <QList>
#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

#include "CBackgroundWriter.h"
#include "CLanguageCodeTable.h"
#include "CProjectorData.h"
#include "CProjectorGroup.h"

class CCommandFunctions;
class CDeviceAccess;
class IniSectionValues;
class CIniFileAccess;
class CListViewColumnStatus;
class CLumivox5Arguments;
class CLumivox5Reg;
class CMailSettings;
class CNoOperatingDate;
class COptionSettings;
class CProfileList;
class CScheduleManager;
class CSectionItemList;
class QObject;

// The data hub: owns the projector records (keyed by projector id), a
// temporary copy of them for the communication settings dialog, the model
// profiles, the option item lists, the groups, the schedules, the settings and
// the user list store, the device access object and the command engine. Its
// members are public; the main window and the dialogs use them directly.
// GUI thread only; the map mutex guards the projector map against the few
// readers that may run from signal handlers.
class CLumivox5Data
{
public:
    typedef QMap<int, CProjectorData*> ProjectorMap;

    static const QString USERLIST_PATH;
    static const QString SCHEDULE_FILE_PATH;
    static const QString USERLIST_NAME;
    static const QString USERLIST_MAGIC_CODE;
    static const QString USERLIST_REVISION_CODE;
    static const QString PERSONAL_PATH;
    static const QString PERSONAL_PATH2;
    static const QString SCHEDULE_FILE_NAME;
    static const QString WILDCARD_CSVFILE;
    static const QString WILDCARD_SCHEDULEFILE;
    static const QString WILDCARD_USERFILE;

    // Projector ids and user list section numbers run from 1 to ID_MAX; the
    // flag lists have ID_MAX + 1 entries, entry 0 never being used.
    static const int ID_MAX = 2256;
    // Most projectors one load of a user list accepts.
    static const int USERLIST_PROJECTOR_MAX = 2000;
    // Most groups a projector belongs to.
    static const int PROJECTOR_GROUP_MAX = 10;
    // Lengths of texts read from a user list.
    static const int USERLIST_NAME_MAX = 32;
    static const int USERLIST_PJNAME_MAX = 48;
    static const QString SECTION_PREFIX; // "Setting "
    static const QString HEADER_SECTION; // "Header Info"
    static const QString GROUP_SECTION;  // "Group"

    // The parent receives the translator of the chosen language.
    CLumivox5Data(int argc, char** argv, QObject* parent);
    ~CLumivox5Data();

    // --- construction, profiles, language (data hub)
    bool InitializeAfterReadProfile();
    bool LoadProfile(bool inCurrentLanguage);
    void f_SelectLanguage();
    void f_ReadSettingsAll();

    // --- projector records
    CProjectorData* GetProjectorData(int id);
    CProjectorData* GetTransportThread(int id);
    int f_GetProjectorCount();
    QList<int> GetProjectorDataIDList(bool enabledOnly);
    QList<int> GetProjectorDataIDListUnConnected(bool enabledOnly);
    int GetUnusedID();
    int f_GetUnusedID(ProjectorMap* map);
    CProjectorData* f_AddProjectorThread(int id);
    CProjectorData* AddProjector(QString settingName, int deviceKind, CProjectorData::TYPE_LAN::Enum lanType,
                                 QString address, QString port, bool enabled, QString comment);
    QString f_GetUniqueSettingName(ProjectorMap* map, QString baseName);
    // The caller keeps owning what is left in `source` afterwards.
    int DeleteModifyProjectors(QList<int> const* ids, QList<bool>* modified, ProjectorMap* source,
                               ProjectorMap* changed);
    int DeleteAllProjectors();

    // --- temporary copy for the communication settings dialog
    void InitProjectorDataTemp();
    CProjectorData* GetProjectorDataTemp(int id);
    int AddProjectorTemp(int id, CProjectorData* record);
    void DeleteProjectorTemp(int id);
    int GetUnusedIDTemp();
    QString GetUniqueSettingNameFromTemp(QString baseName);

    // --- settings and files
    // Both answer true when the settings could not be saved.
    bool WriteRegistryFunc(int mask);
    bool WriteRegistryAll();
    void SetOfflineMode(bool offline);
    void SetLastWindowSize();
    QString GetDefaultUserListPath();
    QString GetDefaultScheduleFilePath();
    bool ReadPortNames(QStringList* ports);

    // --- option item lists
    void InitMultiInputTerminalList();
    void InitMultiPicturePresetList();
    void InitMultiPictureGammaList();
    void InitMultiPictureColorTempratureList();
    void InitMultiImageOverscanList();
    void InitMultiImageAspectList();
    void InitMultiVideoRandomNRList();
    void InitMultiVideoMosquitoNRList();
    void InitMultiVideoBlockNRList();
    void InitMultiVideoDeinterlaceList();
    void InitMultiVideo3DYCSeparationList();
    void InitMultiVolume3DSurroundList();

    // --- groups
    void InitGroupIDUsedList();
    void f_AddProjectorGroups(QString path, int id, CProjectorGroup::GroupNameEditMode mode);
    void f_AddProjectorGroups(QString path, int id);
    int f_ChangeProjectorGroups(QString path, int id, CProjectorGroup::GroupNameEditMode mode);
    int f_AddGroupToProjectorData(int projectorId, CProjectorGroup* group);
    int f_RemoveGroupToProjectorData(int projectorId, CProjectorGroup* group);
    int f_DeleteProjectorGroups(int id);
    int UpdateGroupDataAtCreateGroup(QString path);
    int UpdateGroupDataAtChangeGroupName(QString newName, QString oldPath);
    int UpdateGroupDataAtDeleteGroup(QString path);
    int UpdateGroupDataAtDeleteProjector(QString path, int projectorId);
    int UpdateGroupDataAtPasteProjector(QString path);
    int GroupListGet(QString text, QList<int>* ids);
    void f_GetGroupListString(QMap<int, QString>* groups, QString& text);

    // --- user list file
    void f_SetUserListHeaderData();
    void GetSectionIDUsedList(QString prefix, QList<bool>* used, int max);
    void GetSectionIDUsedListByPJData(QList<bool>* used, int max, ProjectorMap* map);
    void f_DeletedPjSettings(QList<bool>* deleted);
    void f_SetPjList(ProjectorMap* map);
    void f_SetGroupList(ProjectorMap* map);
    int f_WriteUserList(QString path);
    int SaveUserList(QString path, ProjectorMap* map, QList<bool>* deleted);
    int SaveUserList();
    // The same save with the file written by `writer`'s thread: the records go
    // into the list held here at once, and a copy of it is handed over. The
    // job's result code is SaveUserList's; on success the job's report clears
    // the rejected-list mark, and `report` gets the result on this thread.
    // -3 when nothing could be handed over. With `onlyIds`, only those
    // records go into the list (a status pass renames some; the others are
    // there as last saved); a new record among them makes it all of them.
    // Every later save, export and load of the list here first waits until
    // `writer` is idle, so that an older copy never lands after a newer one.
    int SaveUserListInBackground(CBackgroundWriter* writer,
                                 std::function<void(const CBackgroundWriter::Result&, const QString& path)> report,
                                 const QList<int>* onlyIds = nullptr);
    int ExportUserList(QString path, QString codePage);
    int ExportUserList(QString path);
    int CheckUserList(QString path);
    int f_IsUserList(QString path);

    // --- user list reader
    int f_ReadUserListFile(QString path);
    void f_UpdatePjListByUserList(ProjectorMap* map, bool live);
    int LoadUserList(QString path, ProjectorMap* map, bool live);
    int LoadUserList();
    int LoadTempUserList();
    int LoadUserList(QString path);
    // A user list at the default path that is no user list (another or no
    // "MagicCode", an empty file) loads nothing (-2); its first such load in a
    // run copies it aside as "user.lst.bad" (replacing an older copy), after
    // which saves write a fresh list there. The copy's path, empty when none
    // was made in this run.
    QString GetRejectedUserListCopy() const;
    // A default file that failed its format check is copied aside as
    // "<file>.bad" before anything may write over it; an older copy is
    // replaced only by a complete new one. The copy's path, empty when the
    // file could not be read or copied.
    QString CopyRejectedFileAside(const QString& path);
    void f_ClearUserList();
    int f_AddRegisteredProjector(int projectorId, int groupId);
    int f_DeleteRegisteredProjector(int projectorId, int groupId);

    // Members, in the hub's declaration order.
    CCommandFunctions* m_pCommandFunctions;
    CDeviceAccess* m_pDeviceAccess;
    CLumivox5Reg* m_pReg;
    int m_MainX;
    int m_MainY;
    int m_MainWidth;
    int m_MainHeight;
    int m_LastWidth;
    int m_LastHeight;
    int m_MainPainLeftWidth;
    int m_MainPainLeftHeight;
    int m_MainPainTopHeight;
    // The main window's splitter pane sizes, as stored (CLumivox5Reg).
    QList<int> m_SplitterSizes[3];
    CProfileList* m_pProfileList;
    CSectionItemList* m_pMultiInputTerminalList;
    CSectionItemList* m_pMultiPicturePresetList;
    CSectionItemList* m_pMultiPictureGammaList;
    CSectionItemList* m_pMultiPictureColorTempratureList;
    CSectionItemList* m_pMultiImageOverscanList;
    CSectionItemList* m_pMultiImageAspectList;
    CSectionItemList* m_pMultiVideoRandomNRList;
    CSectionItemList* m_pMultiVideoMosquitoNRList;
    CSectionItemList* m_pMultiVideoBlockNRList;
    CSectionItemList* m_pMultiVideoDeinterlaceList;
    CSectionItemList* m_pMultiVideo3DYCSeparationList;
    CSectionItemList* m_pMultiVolume3DSurroundList;
    bool m_ScheduleVisible;
    bool m_MainTabVisible;
    bool m_Offline;
    bool m_OfflineMenu;
    CMailSettings* m_pMailSettings;
    COptionSettings* m_pOptionSettings;
    QString m_ScheduleFilePath;
    CNoOperatingDate* m_pNoOperatingDate;
    CScheduleManager* m_pScheduleManager;
    CScheduleManager* m_pScheduleExcuteManager;
    bool m_ScheduleSaved;
    // The default schedule file failed its check at start and could not be
    // copied aside: the exit save leaves it alone.
    bool m_ScheduleFileSpared = false;
    bool m_AutoExecuteSchedule;
    // True while schedule execution is on; the stored twin is m_AutoExecuteSchedule.
    bool m_ScheduleRunning;
    CIniFileAccess* m_pUserList;
    QString m_PathExportCSV;
    QString m_PathExportUserList;
    int m_LastAddedID;
    int m_PjListSortID;
    bool m_PjListSortAssending;
    QList<int>* m_GroupIDUsedList;
    CLumivox5Arguments* m_pArguments;
    CLanguageCodeTable m_LanguageCodeTable;
    QList<QStringList>* m_pStartAppList;
    QMutex m_Mutex;
    ProjectorMap* m_pProjectorDatas;
    ProjectorMap* m_pProjectorDatasTemp;
    QList<bool>* m_pIDUsedList;
    QList<bool>* m_pIDUsedListTemp;
    QList<bool>* m_pDeletedIDList;
    QList<CProjectorGroup*>* m_ProjectorGroups;
    QMap<int, CListViewColumnStatus*>* m_pPjListColumnStatus;
    QMap<int, CListViewColumnStatus*>* m_pPjListColumnStatusDefault;
    QList<int> m_PasteProjectorIDs;
    // True while the main window shows a modal dialog, file dialog or message
    // box; the File menu and the tray icon read it.
    bool m_ModalDialog = false;

private:
    Q_DISABLE_COPY(CLumivox5Data)

    // Profile lists replaced by a reload while records still point at them.
    QList<CProfileList*> m_RetiredProfileLists;
    // The rejected user list that saves may write over (cleared by the first
    // save), and where its copy went.
    QString m_RejectedUserList;
    QString m_RejectedUserListCopy;
    // The writer the last background save of the user list went to.
    QPointer<CBackgroundWriter> m_pUserListWriter;
    // Mail settings found invalid at start are off for this run only: while
    // the hub still holds these, the stored ones are written back unchanged.
    CMailSettings* m_pMailSettingsOffForRun = nullptr;

    static void f_SetFlag(QList<bool>* flags, int index, bool value);
    static bool f_GetFlag(const QList<bool>* flags, int index);
    static int f_FirstClearFlag(const QList<bool>* flags);
    static void f_ResetFlags(QList<bool>* flags, int max);
    // The id-in-use flags after a load: the map's ids and the store's sections.
    void f_RebuildIDUsedList(QList<bool>* flags, ProjectorMap* map);
    void f_DeleteRecords(ProjectorMap* map);
    void f_DeleteGroups();
    CProjectorGroup* f_FindGroupByID(int id);
    CProjectorGroup* f_FindGroupByPath(const QString& path);
    void f_SetGroupIDUsed(int id, int mode);
    static bool f_PathStartsWith(const QStringList& path, const QStringList& prefix);
    static QString f_SectionName(int number);
    void f_EnsureUserListHeader();
    // Blocks until no background save of the user list is being written.
    void f_WaitForUserListWriter();
    // Every user list value goes through here: a null text would delete its key.
    void f_SetUserListValue(const QString& section, const QString& key, const QString& value, bool quoted = false);
    bool f_SetRejectedUserListAside(const QString& path);
    void f_CopyMailSettingsToStore();
    void f_CopyMailSettingsFromStore();
    void f_CopyToStore();
    // Reads one "Setting nnn" section into a new record; null when the section
    // is not loaded (serial, invalid).
    bool f_ReadProjectorSection(const IniSectionValues& values, QString* settingName,
                                CProjectorData::TYPE_LAN::Enum* lanType, QString* address, int* port,
                                QString* lastName, bool* enabled, QString* comment, QList<int>* groups);
};

#endif // CLUMIVOX5DATA_H
