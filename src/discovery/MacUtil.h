#ifndef MACUTIL_H
#define MACUTIL_H

#include <QHash>
#include <QList>
#include <QString>

// Reaches the platform's network-service names (NetworkServices).
class MacUtil
{
public:
    MacUtil() {}
    virtual ~MacUtil() {}

    // The platform object; it lives as long as the process.
    static void *createObject();
    // The services of that object, in the platform's order; empty without an object.
    static QList<QHash<QString, QString> > services(void *object, void *unused);
};

#endif // MACUTIL_H
