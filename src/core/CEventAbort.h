#ifndef CEVENTABORT_H
#define CEVENTABORT_H

#include "CEventBase.h"

// Key 0: dispatching it ends the event thread's loop.
class CEventAbort : public CEventBase
{
public:
    CEventAbort();
    ~CEventAbort() override;
};

#endif // CEVENTABORT_H
