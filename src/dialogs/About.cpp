#include "About.h"

#include <QtGlobal>

#include "VersionProperties.h"

void About::SetupVersion()
{
    // The property list lives in a static library, which the linker would
    // otherwise leave out.
    Q_INIT_RESOURCE(AppPlist);
    VersionConstants constants;
    constants.programName = QStringLiteral("Lumivox 5");
    constants.copyright = QStringLiteral("Copyright (C) 2009-2026 Corvex Systems, Ltd. All Rights Reserved.");
    constants.companyName = QStringLiteral("Corvex Systems, Ltd.");
    constants.originalFilename = QStringLiteral("Lumivox5.exe");
    constants.executableName = QStringLiteral("Lumivox5");
    SetupVersionProperties(QStringLiteral(":/app.plist"), constants);
}
