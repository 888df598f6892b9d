#ifndef RAISEOPENFILELIMIT_H
#define RAISEOPENFILELIMIT_H

// Each projector connection holds one socket, and a fleet of 2000 projectors is
// polled at once: raise the process's soft limit on open files to its hard
// limit. Returns the soft limit now in force, or -1 when it cannot be read.
long RaiseOpenFileLimit();

#endif // RAISEOPENFILELIMIT_H
