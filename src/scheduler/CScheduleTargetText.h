#ifndef CSCHEDULETARGETTEXT_H
#define CSCHEDULETARGETTEXT_H

#include <QString>

// The stored target names of schedules for all projectors and for groups.
// Every writer and every matcher takes them from here, in the one context
// "QObject", so that no catalogue can translate them differently.
class CScheduleTargetText
{
public:
    // "All Projectors".
    static QString AllProjectors();
    // "Group", the prefix of a group target.
    static QString GroupPrefix();
    // "Group" + "\" + the group's path ("Group\Hall\Left").
    static QString Group(const QString& path);
};

#endif // CSCHEDULETARGETTEXT_H
