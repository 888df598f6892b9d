#ifndef ADJUSTLOGGING_H
#define ADJUSTLOGGING_H

#include <QLoggingCategory>

// The trace of the plug-in interface and the adjustment panel (off by default).
Q_DECLARE_LOGGING_CATEGORY(lcAdjust)

#endif // ADJUSTLOGGING_H
