#ifndef TOOLARGUMENTS_H
#define TOOLARGUMENTS_H

#include <QString>

// A whole number of a tool's command line within [minimum, maximum]; false
// (and `out` untouched) for anything else.
inline bool ParseInt(const QString& text, int minimum, int maximum, int* out)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return false;
    *out = value;
    return true;
}

#endif // TOOLARGUMENTS_H
