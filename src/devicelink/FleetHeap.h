#ifndef FLEETHEAP_H
#define FLEETHEAP_H

// A sweep of a large fleet makes millions of small blocks on several threads.
// Grown a page at a time, the C library's heaps spend a first sweep mostly in
// page faults; grown in large steps backed by huge pages they do not. That
// setting is read when a program starts, so this starts the program once more
// with it (argv as given to main, before anything else is done), unless it
// runs so already or the user has tuned the C library himself. In the
// restarted program the environment is given back as it was, so the programs
// it starts inherit nothing. Returns when no restart is needed or it failed.
void StartWithFleetHeap(char** argv);

// What a program that serves a fleet does first in main(), before its
// application object: StartWithFleetHeap(), then Qt's own event dispatcher
// instead of glib's (which spends time linear in the number of open sockets
// on every socket change) unless QT_NO_GLIB says otherwise.
void StartAsFleetProgram(char** argv);

#endif // FLEETHEAP_H
