#include "CPJErrorStatus.h"

QString CPJErrorStatus::GetFirstLineErrorString() const
{
    const int lf = ErrorString.indexOf(QLatin1Char('\n'));
    if (lf < 0)
        return ErrorString; // a carriage return alone does not end the line
    QString line = ErrorString.left(lf);
    const int cr = line.indexOf(QLatin1Char('\r'));
    if (cr >= 0)
        line.truncate(cr);
    return line;
}
