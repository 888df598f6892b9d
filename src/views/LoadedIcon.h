#ifndef LOADEDICON_H
#define LOADEDICON_H

#include <QIcon>
#include <QString>

// The icon at a resource path, loaded at its first use and then shared (a
// QIcon copy shares its pictures). Every window part takes its icons here.
// GUI thread only.
const QIcon& LoadedIcon(const QString& path);

#endif // LOADEDICON_H
