#include "NetworkServices.h"

#include "NetworkInterfaceProvider.h"

QList<QHash<QString, QString> > NetworkServices::services(void *unused) const
{
    Q_UNUSED(unused)
    QList<QHash<QString, QString> > result;
    const QList<NetworkInterfaceProvider::Interface> all = NetworkInterfaceProvider::interfaces();
    for (const NetworkInterfaceProvider::Interface &nic : all) {
        if (!nic.valid)
            continue;
        QHash<QString, QString> service;
        service.insert(QStringLiteral("DeviceName"), nic.name);
        service.insert(QStringLiteral("CX_NETWORK_UI_NAME"), nic.humanReadableName);
        result.append(service);
    }
    return result;
}

void *instanceCreate()
{
    static NetworkServices instance;
    return &instance;
}

QList<QHash<QString, QString> > getNetworkInformation(void *object, void *unused)
{
    if (!object)
        return {};
    return static_cast<NetworkServices *>(object)->services(unused);
}
