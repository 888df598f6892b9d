#include "CScheduleGuard.h"

#include <QtGlobal>

void CScheduleGuard::Report(const char* what)
{
    qDebug("exception occured [%s]", what ? what : "");
}
