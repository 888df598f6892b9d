// Projector groups of the data hub: membership is held on both sides, in the
// group's member map and in each record's map of group ids to paths.
#include "CLumivox5Data.h"

#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QMutexLocker>
#include <QtDebug>

#include <algorithm>

namespace {
const QChar GROUP_SEPARATOR = CProjectorGroup::PATH_SEPARATOR;
}

void CLumivox5Data::InitGroupIDUsedList()
{
    RunTraced([&] {
        m_GroupIDUsedList->clear();
        for (int i = 0; i < CProjectorGroup::GROUP_ID_MAX; ++i)
            m_GroupIDUsedList->append(CProjectorGroup::EditUnused);
    });
}

void CLumivox5Data::f_SetGroupIDUsed(int id, int mode)
{
    const int index = id - CProjectorGroup::GROUP_ID_MIN;
    if (index >= 0 && index < m_GroupIDUsedList->size())
        (*m_GroupIDUsedList)[index] = mode;
}

CProjectorGroup* CLumivox5Data::f_FindGroupByID(int id)
{
    for (CProjectorGroup* group : *m_ProjectorGroups) {
        if (group->m_GroupID == id)
            return group;
    }
    return nullptr;
}

CProjectorGroup* CLumivox5Data::f_FindGroupByPath(const QString& path)
{
    for (CProjectorGroup* group : *m_ProjectorGroups) {
        if (group->m_GroupPath == path)
            return group;
    }
    return nullptr;
}

void CLumivox5Data::f_DeleteGroups()
{
    if (!m_ProjectorGroups)
        return;
    qDeleteAll(*m_ProjectorGroups);
    m_ProjectorGroups->clear();
}

bool CLumivox5Data::f_PathStartsWith(const QStringList& path, const QStringList& prefix)
{
    if (path.size() < prefix.size())
        return false;
    for (int i = 0; i < prefix.size(); ++i) {
        if (path.at(i) != prefix.at(i))
            return false;
    }
    return true;
}

void CLumivox5Data::f_AddProjectorGroups(QString path, int id, CProjectorGroup::GroupNameEditMode mode)
{
    RunTraced([&] {
        // The id table has room for 1 to 256 only; a damaged list may name others.
        if (id < CProjectorGroup::GROUP_ID_MIN || id > CProjectorGroup::GROUP_ID_MAX) {
            qCDebug(lcAppData, "CLumivox5Data::f_AddProjectorGroups ignores group id [%d]", id);
            return;
        }
        CProjectorGroup* group = new CProjectorGroup();
        group->m_GroupID = id;
        group->m_GroupPath = path;
        group->m_EditMode = mode;
        group->m_InTree = true;
        m_ProjectorGroups->append(group);
        f_SetGroupIDUsed(id, mode);
    });
}

void CLumivox5Data::f_AddProjectorGroups(QString path, int id)
{
    f_AddProjectorGroups(path, id, CProjectorGroup::EditNone);
}

int CLumivox5Data::f_ChangeProjectorGroups(QString path, int id, CProjectorGroup::GroupNameEditMode mode)
{
    return RunTraced(-1, [&] {
        CProjectorGroup* group = f_FindGroupByID(id);
        if (!group)
            return -1;
        group->m_GroupPath = path;
        group->m_EditMode = mode;
        group->m_InTree = true;
        for (int projectorId : group->m_Projectors->keys()) {
            CProjectorData* record = m_pProjectorDatas->value(projectorId, nullptr);
            if (!record)
                continue;
            record->m_GroupList.insert(id, path);
            record->m_GroupsChanged = true;
        }
        f_SetGroupIDUsed(id, mode);
        return 0;
    });
}

int CLumivox5Data::f_AddGroupToProjectorData(int projectorId, CProjectorGroup* group)
{
    return RunTraced(-1, [&] {
        if (!group)
            return -1;
        QMutexLocker lock(&m_Mutex);
        CProjectorData* record = m_pProjectorDatas->value(projectorId, nullptr);
        if (!record || record->m_Id != projectorId)
            return -1;
        if (!record->m_GroupList.contains(group->m_GroupID)) {
            record->m_GroupList.insert(group->m_GroupID, group->m_GroupPath);
            record->m_GroupsChanged = true;
        }
        return 0;
    });
}

int CLumivox5Data::f_RemoveGroupToProjectorData(int projectorId, CProjectorGroup* group)
{
    return RunTraced(-1, [&] {
        if (!group)
            return -1;
        CProjectorData* record = m_pProjectorDatas->value(projectorId, nullptr);
        if (!record || record->m_Id != projectorId)
            return -1;
        record->m_GroupList.remove(group->m_GroupID);
        record->m_GroupsChanged = true;
        return 0;
    });
}

int CLumivox5Data::f_DeleteProjectorGroups(int id)
{
    return RunTraced(-1, [&] {
        CProjectorGroup* group = f_FindGroupByID(id);
        if (!group)
            return -1;
        group->m_GroupPath = QString();
        group->m_EditMode = CProjectorGroup::EditDelete;
        group->m_InTree = false;
        const QList<qint32> members = group->m_Projectors->keys();
        for (int projectorId : members) {
            f_DeleteRegisteredProjector(projectorId, id);
            f_RemoveGroupToProjectorData(projectorId, group);
            if (group->m_Projectors->isEmpty())
                break;
        }
        f_SetGroupIDUsed(id, CProjectorGroup::EditDelete);
        return 0;
    });
}

int CLumivox5Data::UpdateGroupDataAtCreateGroup(QString path)
{
    return RunTraced(-1, [&] {
        for (int index = 0; index < m_GroupIDUsedList->size() && index < CProjectorGroup::GROUP_ID_MAX; ++index) {
            const int mode = m_GroupIDUsedList->at(index);
            const int id = index + CProjectorGroup::GROUP_ID_MIN;
            if (mode == CProjectorGroup::EditDelete && f_FindGroupByID(id)) {
                f_ChangeProjectorGroups(path, id, CProjectorGroup::EditCreate);
                return id;
            }
            if (mode == CProjectorGroup::EditUnused || mode == CProjectorGroup::EditDelete) {
                f_AddProjectorGroups(path, id, CProjectorGroup::EditCreate);
                return id;
            }
        }
        return -1;
    });
}

int CLumivox5Data::UpdateGroupDataAtChangeGroupName(QString newName, QString oldPath)
{
    return RunTraced(-1, [&] {
        if (newName.isEmpty() || oldPath.isEmpty()) {
            qCDebug(lcAppData, "update group error targetGroupPath:[%s] newGroup:[%s]", qUtf8Printable(oldPath),
                   qUtf8Printable(newName));
            return -1;
        }
        const QStringList oldSegments = oldPath.split(GROUP_SEPARATOR, Qt::KeepEmptyParts);
        int result = -1;
        // Renaming changes paths only, never the list, so the walk is stable.
        for (CProjectorGroup* group : *m_ProjectorGroups) {
            const QStringList segments = group->m_GroupPath.split(GROUP_SEPARATOR, Qt::KeepEmptyParts);
            if (!f_PathStartsWith(segments, oldSegments))
                continue;
            QString newPath;
            for (int i = 0; i < oldSegments.size() - 1; ++i)
                newPath += segments.at(i) + GROUP_SEPARATOR;
            newPath += newName;
            for (int i = oldSegments.size(); i < segments.size(); ++i)
                newPath += GROUP_SEPARATOR + segments.at(i);
            f_ChangeProjectorGroups(newPath, group->m_GroupID, CProjectorGroup::EditRename);
            result = 0;
        }
        return result;
    });
}

int CLumivox5Data::UpdateGroupDataAtDeleteGroup(QString path)
{
    return RunTraced(-1, [&] {
        const QStringList prefix = path.split(GROUP_SEPARATOR, Qt::KeepEmptyParts);
        QList<int> ids;
        for (CProjectorGroup* group : *m_ProjectorGroups) {
            if (group->m_EditMode == CProjectorGroup::EditDelete)
                continue;
            if (f_PathStartsWith(group->m_GroupPath.split(GROUP_SEPARATOR, Qt::KeepEmptyParts), prefix))
                ids.append(group->m_GroupID);
        }
        int result = -1;
        for (int id : ids) {
            if (f_DeleteProjectorGroups(id) == 0)
                result = 0;
        }
        return result;
    });
}

int CLumivox5Data::UpdateGroupDataAtDeleteProjector(QString path, int projectorId)
{
    return RunTraced(-1, [&] {
        CProjectorGroup* group = f_FindGroupByPath(path);
        if (!group)
            return -1;
        f_DeleteRegisteredProjector(projectorId, group->m_GroupID);
        f_RemoveGroupToProjectorData(projectorId, group);
        return 0;
    });
}

int CLumivox5Data::UpdateGroupDataAtPasteProjector(QString path)
{
    return RunTraced(-1, [&] {
        for (int projectorId : m_PasteProjectorIDs) {
            CProjectorData* record = m_pProjectorDatas->value(projectorId, nullptr);
            if (!record)
                return -2;
            if (record->m_GroupList.size() >= PROJECTOR_GROUP_MAX)
                return -3;
        }
        CProjectorGroup* group = f_FindGroupByPath(path);
        if (!group)
            return -1;
        for (int projectorId : m_PasteProjectorIDs) {
            f_AddRegisteredProjector(projectorId, group->m_GroupID);
            f_AddGroupToProjectorData(projectorId, group);
        }
        return 0;
    });
}

int CLumivox5Data::GroupListGet(QString text, QList<int>* ids)
{
    RunTraced([&] {
        if (!ids)
            return;
        ids->clear();
        if (text.isEmpty())
            return;
        const QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
        for (int i = 0; i < parts.size() && i < PROJECTOR_GROUP_MAX; ++i)
            ids->append(parts.at(i).toInt(nullptr, 10));
        std::sort(ids->begin(), ids->end());
    });
    return 0;
}

void CLumivox5Data::f_GetGroupListString(QMap<int, QString>* groups, QString& text)
{
    RunTraced([&] {
        QStringList parts;
        if (groups) {
            for (int id : groups->keys())
                parts.append(QString::number(id));
        }
        text = parts.join(QLatin1Char(','));
    });
}

int CLumivox5Data::f_AddRegisteredProjector(int projectorId, int groupId)
{
    return RunTraced(-1, [&] {
        CProjectorGroup* group = f_FindGroupByID(groupId);
        if (!group)
            return -1;
        if (group->m_Projectors->contains(projectorId))
            return -2;
        group->m_Projectors->insert(projectorId, projectorId);
        return 0;
    });
}

int CLumivox5Data::f_DeleteRegisteredProjector(int projectorId, int groupId)
{
    return RunTraced(-1, [&] {
        CProjectorGroup* group = f_FindGroupByID(groupId);
        if (!group)
            return -1;
        group->m_Projectors->remove(projectorId);
        return 0;
    });
}
