#include "LoadedIcon.h"

#include <QHash>

// Outside any namespace, as the resource's registration function is.
static void f_InitWindowIconResources()
{
    Q_INIT_RESOURCE(Lumivox5Icons);
}

void RegisterWindowIcons()
{
    static const bool registered = (f_InitWindowIconResources(), true);
    Q_UNUSED(registered);
}

const QIcon& LoadedIcon(const QString& path)
{
    RegisterWindowIcons();
    static QHash<QString, QIcon> icons;
    auto it = icons.find(path);
    if (it == icons.end())
        it = icons.insert(path, QIcon(path));
    return it.value();
}
