#ifndef CLUMIVOX5THREAD_H
#define CLUMIVOX5THREAD_H

#include "CEventThread.h"

// Marks the application's own workers; adds nothing to the event thread.
class CLumivox5Thread : public CEventThread
{
    Q_OBJECT
public:
    explicit CLumivox5Thread(QObject* parent = nullptr);
    ~CLumivox5Thread() override;
};

#endif // CLUMIVOX5THREAD_H
