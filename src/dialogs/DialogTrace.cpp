#include "DialogTrace.h"

Q_LOGGING_CATEGORY(lcSettingsDialogs, "lumivox.dialogs.settings", QtWarningMsg)
