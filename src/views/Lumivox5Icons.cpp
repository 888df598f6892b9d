#include "Lumivox5Icons.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitLumivox5Icons()
{
    Q_INIT_RESOURCE(Lumivox5Icons);
}

void RegisterLumivox5Icons()
{
    static const bool registered = (InitLumivox5Icons(), true);
    Q_UNUSED(registered);
}
