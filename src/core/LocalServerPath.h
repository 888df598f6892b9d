#ifndef LOCALSERVERPATH_H
#define LOCALSERVERPATH_H

#include <QString>

// The full socket path a program's single-instance server listens under:
// `name` in the user's own runtime folder, or, when there is none or the path
// there is too long for a socket address (107 bytes), in the temporary folder
// with the user id appended ("<name>-<uid>"). A bare name
// would put the socket into the temporary folder every user shares, where a
// second user's start would find the first user's program.
QString LocalServerPath(const QString& name);

#endif // LOCALSERVERPATH_H
