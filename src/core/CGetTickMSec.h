#ifndef CGETTICKMSEC_H
#define CGETTICKMSEC_H

#include <QtGlobal>

// The application's one monotonic millisecond clock. A reading is never 0:
// a stored tick of 0 means "never set".
class CGetTickMSec
{
public:
    CGetTickMSec() {}
    ~CGetTickMSec() {}

    static qint64 GetTickMSec();
};

#endif // CGETTICKMSEC_H
