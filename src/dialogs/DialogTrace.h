#ifndef DIALOGTRACE_H
#define DIALOGTRACE_H

#include <QLoggingCategory>

// The trace lines of the settings dialogs; off unless switched on.
Q_DECLARE_LOGGING_CATEGORY(lcSettingsDialogs)

#endif // DIALOGTRACE_H
