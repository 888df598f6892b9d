#include "CScheduleTarget.h"

#include "CProjectorData.h"
#include "CProjectorGroup.h"
#include "CScheduleData.h"
#include "CScheduleTargetText.h"

QString CScheduleTarget::f_GetGroupPath(const QString& targetName)
{
    // Only the leading word: a user group may itself be named "Group".
    const QString prefix = CScheduleTargetText::GroupPrefix() + CProjectorGroup::PATH_SEPARATOR;
    return targetName.startsWith(prefix, Qt::CaseSensitive) ? targetName.mid(prefix.size()) : targetName;
}

QList<int> CScheduleTarget::f_GetTargetProjectors(const CScheduleData& instance,
                                                  const QMap<int, CProjectorData*>& projectors)
{
    enum { All, Group, Address } kind = Address;
    QString match = instance.TargetName;
    if (instance.TargetType == CScheduleData::TARGET_TYPE::Group) {
        if (instance.TargetName == CScheduleTargetText::AllProjectors()) {
            kind = All;
        } else {
            kind = Group;
            match = f_GetGroupPath(instance.TargetName);
        }
    }

    QList<int> ids;
    for (auto it = projectors.constBegin(); it != projectors.constEnd(); ++it) {
        const CProjectorData* pj = it.value();
        if (!pj || !pj->m_Enabled || pj->m_ConnectState != CProjectorData::CONNECT_STATE_CONNECTED)
            continue;
        bool qualifies = false;
        switch (kind) {
        case All:
            qualifies = true;
            break;
        case Group:
            for (const QString& path : pj->m_GroupList) {
                if (path == match) {
                    qualifies = true;
                    break;
                }
            }
            break;
        case Address:
            qualifies = pj->m_Address == instance.TargetName;
            break;
        }
        if (qualifies)
            ids.append(it.key());
    }
    return ids;
}
