// The user list of the data hub: the INI file of registered projectors and
// groups, its writer, its reader and the checks of its header.
//
// A projector's section number is its projector id: records read from the
// file take the number of their section as id, and a record added later takes
// "Setting <id>" at its first save, so that deleting it removes its own
// section.
#include "CLumivox5Data.h"

#include "CIniFileAccess.h"
#include "ExceptionTrace.h"
#include "IniSectionValues.h"
#include "LogCategories.h"
#include "SaveFileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QtDebug>

#include <memory>

namespace {

const QString KEY_MAGIC = QStringLiteral("MagicCode");
const QString KEY_REVISION = QStringLiteral("RevCode");
const QString KEY_SETTING_NAME = QStringLiteral("SettingName");
const QString KEY_COMMENT = QStringLiteral("Comment");
const QString KEY_DEVICE_TYPE = QStringLiteral("DeviceType");
const QString KEY_COMM_PORT = QStringLiteral("CommPort");
const QString KEY_LAN_TYPE = QStringLiteral("LanType");
const QString KEY_HOST_NAME = QStringLiteral("HostName");
const QString KEY_IP_ADDRESS = QStringLiteral("IPAddress");
const QString KEY_NETWORK = QStringLiteral("Network");
const QString KEY_LAN_PORT = QStringLiteral("LanPort");
const QString KEY_LAST_PJ_NAME = QStringLiteral("LastPjName");
const QString KEY_ENABLED = QStringLiteral("Enabled");
const QString KEY_GROUP_LIST = QStringLiteral("GroupList");

const QString DEVICE_LAN = QStringLiteral("LAN");
const QString DEVICE_SERIAL = QStringLiteral("Serial");
const QString LAN_HOST = QStringLiteral("HOST");
const QString LAN_IP = QStringLiteral("IP");
const QString LAN_NETWORK = QStringLiteral("Network");
const QString LAN_RANGE = QStringLiteral("RANGE");
const QString TEXT_TRUE = QStringLiteral("True");
const QString TEXT_FALSE = QStringLiteral("False");
const int DEFAULT_LAN_PORT = 7142;
const int LAN_PORT_MAX = 65535;

QString magicCodeOf(const CIniFileAccess* ini, const QString& headerSection)
{
    return IniSectionValues(ini, headerSection).value(KEY_MAGIC, QString(""));
}

bool canRead(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

// 0 a user list; -2 a file that is none; -1 none to read. Reads no member,
// so a writer thread may ask too.
int isUserListFile(const QString& path)
{
    return RunTraced(-1, [&] {
        if (!QFileInfo::exists(path) || !canRead(path))
            return -1;
        std::unique_ptr<CIniFileAccess> ini(new CIniFileAccess());
        if (ini->ReadIniFile(path) != 0)
            return -1;
        return magicCodeOf(ini.get(), CLumivox5Data::HEADER_SECTION) == CLumivox5Data::USERLIST_MAGIC_CODE ? 0 : -2;
    });
}

} // namespace

QString CLumivox5Data::f_SectionName(int number)
{
    return SECTION_PREFIX + QString::number(number).rightJustified(3, QLatin1Char('0'));
}

// ---------------------------------------------------------------- writer

void CLumivox5Data::f_SetUserListValue(const QString& section, const QString& key, const QString& value,
                                       bool quoted)
{
    m_pUserList->SetIniString(section, key, value.isNull() ? QString(QLatin1String("")) : value, quoted);
}

void CLumivox5Data::f_SetUserListHeaderData()
{
    RunTraced([&] {
        f_SetUserListValue(HEADER_SECTION, KEY_MAGIC, USERLIST_MAGIC_CODE);
        f_SetUserListValue(HEADER_SECTION, KEY_REVISION, USERLIST_REVISION_CODE);
    });
}

void CLumivox5Data::f_EnsureUserListHeader()
{
    // A list written without its header would be refused at the next start.
    if (magicCodeOf(m_pUserList, HEADER_SECTION).isEmpty())
        f_SetUserListHeaderData();
}

void CLumivox5Data::f_WaitForUserListWriter()
{
    if (m_pUserListWriter)
        m_pUserListWriter->WaitForIdle();
}

void CLumivox5Data::GetSectionIDUsedList(QString prefix, QList<bool>* used, int max)
{
    RunTraced([&] {
        if (!used)
            return;
        f_ResetFlags(used, max);
        QStringList sections;
        m_pUserList->GetIniSections(sections);
        for (const QString& name : qAsConst(sections)) {
            const QString rest = name.length() > prefix.length() ? name.mid(prefix.length()) : name;
            const int n = rest.toInt(nullptr, 10);
            if (n < 1 || n > max)
                continue;
            const QString expected = prefix + QString::number(n).rightJustified(3, QLatin1Char('0'));
            if (expected.compare(name, Qt::CaseInsensitive) == 0)
                f_SetFlag(used, n, true);
        }
    });
}

void CLumivox5Data::GetSectionIDUsedListByPJData(QList<bool>* used, int max, ProjectorMap* map)
{
    RunTraced([&] {
        if (!used)
            return;
        f_ResetFlags(used, max);
        if (!map)
            return;
        for (const CProjectorData* record : *map) {
            if (record->m_NewEntry)
                continue;
            const int n = record->m_SectionName.mid(SECTION_PREFIX.length()).toInt(nullptr, 10);
            if (n >= 1 && n <= max)
                f_SetFlag(used, n, true);
        }
    });
}

void CLumivox5Data::f_DeletedPjSettings(QList<bool>* deleted)
{
    RunTraced([&] {
        if (!deleted)
            return;
        for (int n = 1; n < deleted->size(); ++n) {
            if (deleted->at(n))
                m_pUserList->SetIniString(f_SectionName(n), QString(), QString());
        }
    });
}

void CLumivox5Data::f_SetPjList(ProjectorMap* map)
{
    RunTraced([&] {
        if (!map)
            return;
        QList<bool> taken;
        bool tableBuilt = false;
        for (auto it = map->begin(); it != map->end(); ++it) {
            CProjectorData* record = it.value();
            if (record->m_NewEntry) {
                if (!tableBuilt) {
                    QList<bool> byRecords;
                    GetSectionIDUsedList(SECTION_PREFIX, &taken, ID_MAX);
                    GetSectionIDUsedListByPJData(&byRecords, ID_MAX, map);
                    for (int n = 1; n <= ID_MAX; ++n) {
                        if (byRecords.at(n))
                            taken[n] = true;
                    }
                    tableBuilt = true;
                }
                int n = record->m_Id;
                if (f_GetFlag(&taken, n) || n < 1 || n > ID_MAX) {
                    n = f_FirstClearFlag(&taken);
                    if (n < 0) {
                        // Stays new and unsaved: a record without a section
                        // would address the whole store.
                        qCDebug(lcAppData, "CLumivox5Data::f_SetPjList no free section for projector [%d]", record->m_Id);
                        continue;
                    }
                    qCDebug(lcAppData, "CLumivox5Data::f_SetPjList section %d taken, projector [%d] saved as [%s]",
                           record->m_Id, record->m_Id, qUtf8Printable(f_SectionName(n)));
                }
                record->m_SectionName = f_SectionName(n);
                record->m_SectionNumber = n;
                record->m_NewEntry = false;
                taken[n] = true;
            }
            const QString section = record->m_SectionName;
            if (section.isEmpty())
                continue;

            f_SetUserListValue(section, KEY_SETTING_NAME, record->m_SettingName);
            f_SetUserListValue(section, KEY_COMMENT, record->m_Comment);
            if (record->m_DeviceKind != 0) {
                f_SetUserListValue(section, KEY_DEVICE_TYPE, DEVICE_SERIAL);
                f_SetUserListValue(section, KEY_COMM_PORT, record->m_Address);
            } else {
                f_SetUserListValue(section, KEY_DEVICE_TYPE, DEVICE_LAN);
                QString lanType;
                QString addressKey;
                switch (record->m_AddressType) {
                case CProjectorData::TYPE_LAN::HOST:
                    lanType = LAN_HOST;
                    addressKey = KEY_HOST_NAME;
                    break;
                case CProjectorData::TYPE_LAN::IP:
                case CProjectorData::TYPE_LAN::IP2:
                    lanType = LAN_IP;
                    addressKey = KEY_IP_ADDRESS;
                    break;
                case CProjectorData::TYPE_LAN::NETWORK:
                    lanType = LAN_NETWORK;
                    addressKey = KEY_NETWORK;
                    break;
                case CProjectorData::TYPE_LAN::RANGE:
                    lanType = LAN_RANGE;
                    addressKey = KEY_NETWORK;
                    break;
                }
                if (!lanType.isEmpty()) {
                    f_SetUserListValue(section, KEY_LAN_TYPE, lanType);
                    f_SetUserListValue(section, addressKey, record->m_Address);
                }
                f_SetUserListValue(section, KEY_LAN_PORT, record->m_Port);
            }
            const QString polled = record->m_Status[CProjectorData::StProjectorName].ToString();
            const bool connected = record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED;
            const QString lastName = (!polled.isNull() && connected)
                                         ? polled
                                         : record->m_Status[CProjectorData::StLastProjectorName].ToString();
            f_SetUserListValue(section, KEY_LAST_PJ_NAME, lastName);
            f_SetUserListValue(section, KEY_ENABLED, record->m_Enabled ? TEXT_TRUE : TEXT_FALSE);
        }
    });
}

void CLumivox5Data::f_SetGroupList(ProjectorMap* map)
{
    RunTraced([&] {
        for (CProjectorGroup* group : qAsConst(*m_ProjectorGroups)) {
            if (group->m_EditMode == CProjectorGroup::EditNone)
                continue;
            const QString key = QString::number(group->m_GroupID).rightJustified(3, QLatin1Char('0'));
            f_SetUserListValue(GROUP_SECTION, key, group->m_GroupPath, true);
            group->m_EditMode = CProjectorGroup::EditNone;
            f_SetGroupIDUsed(group->m_GroupID, CProjectorGroup::EditNone);
        }
        if (!map)
            return;
        for (CProjectorData* record : qAsConst(*map)) {
            if (record->m_NewEntry || record->m_SectionName.isEmpty())
                continue;
            QString text(QLatin1String(""));
            f_GetGroupListString(&record->m_GroupList, text);
            f_SetUserListValue(record->m_SectionName, KEY_GROUP_LIST, text);
            record->m_GroupsChanged = false;
        }
    });
}

int CLumivox5Data::f_WriteUserList(QString path)
{
    return RunTraced(-3, [&] {
        // 1: written with "?" for characters the code page lacks.
        const int written = m_pUserList->WriteIniFile(path);
        return (written == 0 || written == 1) ? 0 : -3;
    });
}

int CLumivox5Data::SaveUserList(QString path, ProjectorMap* map, QList<bool>* deleted)
{
    return RunTraced(-3, [&] {
        f_WaitForUserListWriter();
        const QString target = path.isEmpty() ? GetDefaultUserListPath() : path;
        f_EnsureUserListHeader();
        if (deleted && !deleted->isEmpty())
            f_DeletedPjSettings(deleted);
        f_SetPjList(map);
        f_SetGroupList(map);
        // A rejected list that was copied aside is written over; any other
        // file that is no user list is left alone.
        if (f_IsUserList(target) == -2 && target != m_RejectedUserList)
            return -2;
        const int result = f_WriteUserList(target);
        if (result == 0 && target == m_RejectedUserList)
            m_RejectedUserList.clear();
        return result;
    });
}

int CLumivox5Data::SaveUserList()
{
    return SaveUserList(QString(), m_pProjectorDatas, m_pDeletedIDList);
}

int CLumivox5Data::SaveUserListInBackground(
    CBackgroundWriter* writer, std::function<void(const CBackgroundWriter::Result&, const QString& path)> report,
    const QList<int>* onlyIds)
{
    return RunTraced(-3, [&] {
        if (!writer)
            return -3;
        m_pUserListWriter = writer;
        const QString target = GetDefaultUserListPath();
        f_EnsureUserListHeader();
        if (m_pDeletedIDList && !m_pDeletedIDList->isEmpty())
            f_DeletedPjSettings(m_pDeletedIDList);
        ProjectorMap some;
        ProjectorMap* records = m_pProjectorDatas;
        if (onlyIds && m_pProjectorDatas) {
            bool all = false;
            for (int id : *onlyIds) {
                CProjectorData* record = m_pProjectorDatas->value(id);
                if (record && record->m_NewEntry)
                    all = true;
                else if (record)
                    some.insert(id, record);
            }
            if (!all)
                records = &some;
        }
        f_SetPjList(records);
        // The groups change only with a full save.
        if (records == m_pProjectorDatas)
            f_SetGroupList(m_pProjectorDatas);
        // The list's values as they are now; the writer thread builds its own
        // accessor from them, so the GUI thread neither copies the list nor
        // waits for it, and goes on editing its own at once.
        auto snapshot = std::make_shared<const CIniFileAccess::Snapshot>(m_pUserList->f_Snapshot());
        const bool overRejected = target == m_RejectedUserList;
        writer->Submit(
            [snapshot, target, overRejected] {
                CBackgroundWriter::Result result;
                if (!overRejected && isUserListFile(target) == -2) {
                    result.code = -2;
                    return result;
                }
                CIniFileAccess copy(*snapshot);
                const int written = copy.WriteIniFile(target);
                if (written != 0 && written != 1) {
                    result.code = -3;
                    result.reason = SaveFailureReason(target);
                }
                return result;
            },
            [this, target, overRejected, report](const CBackgroundWriter::Result& result) {
                if (result.code == 0 && overRejected && m_RejectedUserList == target)
                    m_RejectedUserList.clear();
                if (report)
                    report(result, target);
            });
        return 0;
    });
}

int CLumivox5Data::ExportUserList(QString path, QString codePage)
{
    return RunTraced(2, [&] {
        f_WaitForUserListWriter();
        f_EnsureUserListHeader();
        const int written = m_pUserList->WriteIniFile(path, true, codePage);
        return (written == 0 || written == 1) ? written : 2;
    });
}

int CLumivox5Data::ExportUserList(QString path)
{
    return ExportUserList(path, CIniFileAccess::CODEPAGE_DEFAULT);
}

int CLumivox5Data::f_IsUserList(QString path)
{
    return isUserListFile(path);
}

int CLumivox5Data::CheckUserList(QString path)
{
    const int result = f_IsUserList(path);
    if (result != 0)
        f_SetUserListHeaderData();
    return result;
}

// ---------------------------------------------------------------- reader

int CLumivox5Data::f_ReadUserListFile(QString path)
{
    return RunTraced(-1, [&] {
        if (!QFileInfo::exists(path) || !canRead(path)) {
            f_SetUserListHeaderData();
            return -1;
        }
        if (m_pUserList->ReadIniFile(path) != 0) {
            f_SetUserListHeaderData();
            return -1;
        }
        if (magicCodeOf(m_pUserList, HEADER_SECTION) == USERLIST_MAGIC_CODE) {
            f_SetUserListHeaderData();
            return 0;
        }
        m_pUserList->SetIniString(QString(), QString(), QString());
        f_SetUserListHeaderData();
        return -2;
    });
}

bool CLumivox5Data::f_ReadProjectorSection(const IniSectionValues& values, QString* settingName,
                                           CProjectorData::TYPE_LAN::Enum* lanType, QString* address, int* port,
                                           QString* lastName, bool* enabled, QString* comment, QList<int>* groups)
{
    const QString empty(QLatin1String(""));

    const QString deviceType = values.value(KEY_DEVICE_TYPE, empty);
    if (deviceType.toUpper() == QLatin1String("SERIAL")) {
        qCDebug(lcAppData, "//////////Not reading usr.lst of Serial Setting//////////");
        return false;
    }
    *settingName = values.value(KEY_SETTING_NAME, empty).left(USERLIST_NAME_MAX);
    if (!deviceType.isEmpty() && deviceType.compare(DEVICE_LAN, Qt::CaseInsensitive) != 0)
        return false;

    const QString type = values.value(KEY_LAN_TYPE, LAN_IP).toUpper();
    if (type == LAN_HOST) {
        if (!values.contains(KEY_HOST_NAME))
            return false;
        *address = values.value(KEY_HOST_NAME, empty).left(USERLIST_NAME_MAX);
        *lanType = CProjectorData::TYPE_LAN::HOST;
    } else if (type == LAN_IP) {
        *address = values.value(KEY_IP_ADDRESS, empty);
        *lanType = CProjectorData::TYPE_LAN::IP;
    } else if (type == LAN_NETWORK.toUpper()) {
        *address = values.value(KEY_NETWORK, empty);
        *lanType = CProjectorData::TYPE_LAN::NETWORK;
    } else if (type == LAN_RANGE) {
        *address = values.value(KEY_NETWORK, empty);
        *lanType = CProjectorData::TYPE_LAN::RANGE;
    } else {
        return false;
    }
    if (*lanType != CProjectorData::TYPE_LAN::HOST) {
        // Kept in the clean dotted form the connection can use.
        *address = CProjectorData::CleanAddressText(*address, *lanType);
        if (address->isEmpty())
            return false;
    }

    bool isNumber = false;
    *port = values.value(KEY_LAN_PORT, empty).toInt(&isNumber, 10);
    if (!isNumber)
        *port = DEFAULT_LAN_PORT;
    if (*port < 0 || *port > LAN_PORT_MAX)
        return false;

    *lastName = values.value(KEY_LAST_PJ_NAME, empty).left(USERLIST_PJNAME_MAX);
    *enabled = values.value(KEY_ENABLED, TEXT_FALSE) == TEXT_TRUE;
    *comment = values.value(KEY_COMMENT, empty).left(USERLIST_NAME_MAX);
    GroupListGet(values.value(KEY_GROUP_LIST, empty), groups);
    return true;
}

void CLumivox5Data::f_UpdatePjListByUserList(ProjectorMap* map, bool live)
{
    RunTraced([&] {
        if (!map)
            return;
        if (live) {
            if (!map->isEmpty())
                DeleteAllProjectors();
            // Whatever the deletion left (records of another map) is not ours.
            if (map != m_pProjectorDatas)
                f_DeleteRecords(map);
            map->clear();
        } else {
            // Filling the dialog's copy never touches the live projectors.
            f_DeleteRecords(map);
            if (map == m_pProjectorDatasTemp)
                f_ResetFlags(m_pIDUsedListTemp, ID_MAX);
        }
        f_DeleteGroups();

        const QHash<QString, QString> spellings = IniSectionValues::Spellings(m_pUserList);

        const IniSectionValues groups(m_pUserList, GROUP_SECTION, spellings);
        for (int id = CProjectorGroup::GROUP_ID_MIN; id <= CProjectorGroup::GROUP_ID_MAX; ++id) {
            const QString path = groups.value(QString::number(id).rightJustified(3, QLatin1Char('0')), QString(""));
            if (!path.isEmpty())
                f_AddProjectorGroups(path, id);
        }

        int accepted = 0;
        for (int n = 1; n <= ID_MAX; ++n) {
            const QString sectionName = f_SectionName(n);
            if (!spellings.contains(sectionName.toUpper()))
                continue;
            QString settingName;
            CProjectorData::TYPE_LAN::Enum lanType = CProjectorData::TYPE_LAN::IP;
            QString address;
            int port = DEFAULT_LAN_PORT;
            QString lastName;
            bool enabled = false;
            QString comment;
            QList<int> groupIds;
            const IniSectionValues values(m_pUserList, sectionName, spellings);
            if (!f_ReadProjectorSection(values, &settingName, &lanType, &address, &port, &lastName, &enabled, &comment,
                                        &groupIds))
                continue;
            if (++accepted > USERLIST_PROJECTOR_MAX)
                break;

            CProjectorData* record = nullptr;
            if (live) {
                record = f_AddProjectorThread(n);
                if (!record)
                    break;
            } else {
                record = new CProjectorData(m_pProfileList, n);
                delete map->value(n, nullptr);
                map->insert(n, record);
            }
            record->m_SettingName = settingName;
            record->m_SectionName = sectionName;
            record->m_SectionNumber = n;
            record->m_DeviceKind = 0;
            record->m_AddressType = lanType;
            record->m_Address = address;
            record->m_Port = QString::number(port);
            record->m_Status[CProjectorData::StLastProjectorName].FromString(lastName);
            record->m_Enabled = enabled;
            record->m_Comment = comment;

            for (int groupId : qAsConst(groupIds)) {
                if (groupId == 0)
                    break;
                for (CProjectorGroup* group : qAsConst(*m_ProjectorGroups)) {
                    if (group->m_GroupID != groupId)
                        continue;
                    group->m_Projectors->insert(n, n);
                    record->m_GroupList.insert(groupId, group->m_GroupPath);
                }
            }
        }
    });
}

int CLumivox5Data::LoadUserList(QString path, ProjectorMap* map, bool live)
{
    int result = -2;
    RunTraced([&] {
        f_WaitForUserListWriter();
        const QString target = path.isEmpty() ? GetDefaultUserListPath() : path;
        result = f_ReadUserListFile(target);
        // Left as it is, the rejected list would block every save of this run.
        if (result == -2 && m_RejectedUserListCopy.isEmpty() && target == GetDefaultUserListPath())
            f_SetRejectedUserListAside(target);
        if (result < 0)
            return;
        f_UpdatePjListByUserList(map, live);
    });
    return result;
}

void CLumivox5Data::f_RebuildIDUsedList(QList<bool>* flags, ProjectorMap* map)
{
    RunTraced([&] {
        GetSectionIDUsedList(SECTION_PREFIX, flags, ID_MAX);
        if (!map)
            return;
        for (int id : map->keys())
            f_SetFlag(flags, id, true);
    });
}

int CLumivox5Data::LoadUserList()
{
    const int result = LoadUserList(QString(), m_pProjectorDatas, true);
    f_RebuildIDUsedList(m_pIDUsedList, m_pProjectorDatas);
    return result;
}

int CLumivox5Data::LoadTempUserList()
{
    const int result = LoadUserList(QString(), m_pProjectorDatasTemp, false);
    f_RebuildIDUsedList(m_pIDUsedListTemp, m_pProjectorDatasTemp);
    return result;
}

int CLumivox5Data::LoadUserList(QString path)
{
    f_WaitForUserListWriter();
    const int checked = CheckUserList(path);
    if (checked < 0)
        return checked;
    f_ClearUserList();
    const int result = LoadUserList(path, m_pProjectorDatas, true);
    f_RebuildIDUsedList(m_pIDUsedList, m_pProjectorDatas);
    return result;
}

bool CLumivox5Data::f_SetRejectedUserListAside(const QString& path)
{
    const QString aside = CopyRejectedFileAside(path);
    if (aside.isEmpty())
        return false;
    m_RejectedUserList = path;
    m_RejectedUserListCopy = aside;
    return true;
}

QString CLumivox5Data::CopyRejectedFileAside(const QString& path)
{
    return RunTraced(QString(), [&] {
        const QString aside = path + QStringLiteral(".bad");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            qCDebug(lcAppData, "[%s] cannot be read to be set aside", qUtf8Printable(path));
            return QString();
        }
        const QByteArray bytes = file.readAll();
        QSaveFile copy(aside);
        if (!copy.open(QIODevice::WriteOnly) || !WriteWholeAndCommit(copy, bytes)) {
            qCDebug(lcAppData, "[%s] cannot be set aside as [%s]", qUtf8Printable(path), qUtf8Printable(aside));
            return QString();
        }
        qCDebug(lcAppData, "[%s] failed its format check; set aside as [%s]", qUtf8Printable(path), qUtf8Printable(aside));
        return aside;
    });
}

QString CLumivox5Data::GetRejectedUserListCopy() const
{
    return m_RejectedUserListCopy;
}

void CLumivox5Data::f_ClearUserList()
{
    RunTraced([&] {
        DeleteAllProjectors();
        m_PasteProjectorIDs.clear();
        f_ResetFlags(m_pDeletedIDList, ID_MAX);
        f_ResetFlags(m_pIDUsedListTemp, ID_MAX);
        InitGroupIDUsedList();
        f_DeleteGroups();
        CIniFileAccess* fresh = new CIniFileAccess();
        delete m_pUserList;
        m_pUserList = fresh;
    });
}
