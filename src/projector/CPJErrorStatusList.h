#ifndef CPJERRORSTATUSLIST_H
#define CPJERRORSTATUSLIST_H

#include <QList>

#include "CPJErrorStatus.h"

// An ordered list of decoded errors, passed by value. Callers read m_List
// directly (count(), value(i)).
class CPJErrorStatusList
{
public:
    CPJErrorStatusList() {}
    ~CPJErrorStatusList() { Clear(); }

    void Add(const CPJErrorStatus& status) { m_List.append(status); }
    void Clear() { m_List.clear(); }

    QList<CPJErrorStatus> m_List;
};

#endif // CPJERRORSTATUSLIST_H
