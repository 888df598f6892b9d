#ifndef LOGCATEGORIES_H
#define LOGCATEGORIES_H

#include <QLoggingCategory>

// The trace categories of the subsystems. Debug and info lines are off by
// default and switched on by QT_LOGGING_RULES (for instance
// "lumivox.mainwindow.debug=true" or "lumivox.*.debug=true"); warnings stay on.
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcProfiles)
Q_DECLARE_LOGGING_CATEGORY(lcProjector)
Q_DECLARE_LOGGING_CATEGORY(lcDeviceLink)
Q_DECLARE_LOGGING_CATEGORY(lcEngine)
Q_DECLARE_LOGGING_CATEGORY(lcAppData)
Q_DECLARE_LOGGING_CATEGORY(lcScheduler)
Q_DECLARE_LOGGING_CATEGORY(lcMainWindow)
Q_DECLARE_LOGGING_CATEGORY(lcViews)
Q_DECLARE_LOGGING_CATEGORY(lcDialogs)
Q_DECLARE_LOGGING_CATEGORY(lcAdjust)
Q_DECLARE_LOGGING_CATEGORY(lcHelpViewer)

#endif // LOGCATEGORIES_H
