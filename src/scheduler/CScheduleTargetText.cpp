#include "CScheduleTargetText.h"

#include "CProjectorGroup.h"

#include <QCoreApplication>

QString CScheduleTargetText::AllProjectors()
{
    return QCoreApplication::translate("QObject", "GroupTreeAllProjectors");
}

QString CScheduleTargetText::GroupPrefix()
{
    return QCoreApplication::translate("QObject", "GroupTreeGroup");
}

QString CScheduleTargetText::Group(const QString& path)
{
    return GroupPrefix() + CProjectorGroup::PATH_SEPARATOR + path;
}
