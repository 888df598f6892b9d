#include "CScheduleTargetText.h"

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
    return GroupPrefix() + QLatin1Char('\\') + path;
}
