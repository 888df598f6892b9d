#ifndef CSCHEDULETARGET_H
#define CSCHEDULETARGET_H

#include <QList>
#include <QMap>
#include <QString>

class CProjectorData;
class CScheduleData;

// The projectors a schedule instance concerns, resolved from its stored
// target: all projectors, a group by its path, or one projector by its
// address text. Only enabled projectors whose model is identified
// (connection state 3) are taken.
class CScheduleTarget
{
public:
    // Ids in ascending order.
    static QList<int> f_GetTargetProjectors(const CScheduleData& instance,
                                            const QMap<int, CProjectorData*>& projectors);
    // The group path of a group target: the name with every "Group\" removed
    // ("Group\Group\X" gives "X").
    static QString f_GetGroupPath(const QString& targetName);
};

#endif // CSCHEDULETARGET_H
