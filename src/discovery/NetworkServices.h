#ifndef NETWORKSERVICES_H
#define NETWORKSERVICES_H

#include <QHash>
#include <QList>
#include <QString>

// The platform's network services with the names the operator knows them by.
// On Linux every interface is a service: "DeviceName" is its system name and
// "CX_NETWORK_UI_NAME" its human-readable name, in the platform's order.
class NetworkServices
{
public:
    QList<QHash<QString, QString> > services(void *unused) const;
};

// The bridge the search dialog reaches the platform layer through.
// The object lives as long as the process; nobody frees it.
void *instanceCreate();
QList<QHash<QString, QString> > getNetworkInformation(void *object, void *unused);

#endif // NETWORKSERVICES_H
