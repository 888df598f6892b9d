#include "LogCategories.h"

Q_LOGGING_CATEGORY(lcCore, "lumivox.core", QtWarningMsg)
Q_LOGGING_CATEGORY(lcProfiles, "lumivox.profiles", QtWarningMsg)
Q_LOGGING_CATEGORY(lcProjector, "lumivox.projector", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDeviceLink, "lumivox.devicelink", QtWarningMsg)
Q_LOGGING_CATEGORY(lcEngine, "lumivox.engine", QtWarningMsg)
Q_LOGGING_CATEGORY(lcAppData, "lumivox.appdata", QtWarningMsg)
Q_LOGGING_CATEGORY(lcScheduler, "lumivox.scheduler", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMainWindow, "lumivox.mainwindow", QtWarningMsg)
Q_LOGGING_CATEGORY(lcViews, "lumivox.views", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDialogs, "lumivox.dialogs", QtWarningMsg)
Q_LOGGING_CATEGORY(lcAdjust, "lumivox.plugins.adjust", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHelpViewer, "lumivox.helpviewer", QtWarningMsg)
