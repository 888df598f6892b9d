#ifndef LOADEDICON_H
#define LOADEDICON_H

#include <QIcon>
#include <QString>

// The icon at a resource path, loaded at its first use and then shared (a
// QIcon copy shares its pictures). Every window part takes its icons here.
// GUI thread only.
const QIcon& LoadedIcon(const QString& path);

// Makes the window icons (the resources of the static GUI library, which the
// linker would otherwise drop) available to resource paths; once is enough,
// more calls do nothing. LoadedIcon does it itself; a form that names an icon
// in its layout calls it before building the layout.
void RegisterWindowIcons();

#endif // LOADEDICON_H
