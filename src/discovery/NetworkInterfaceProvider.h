#ifndef NETWORKINTERFACEPROVIDER_H
#define NETWORKINTERFACEPROVIDER_H

#include <QList>
#include <QNetworkAddressEntry>
#include <QString>

#include <functional>

// The machine's network interfaces as the discovery code reads them. In
// production they come from QNetworkInterface; tests install their own list,
// since QNetworkInterface objects cannot be made up.
class NetworkInterfaceProvider
{
public:
    struct Interface
    {
        bool valid = true;
        QString name;              // system name, e.g. "enp3s0"
        QString humanReadableName;
        int flags = 0;             // QNetworkInterface::InterfaceFlags
        QString hardwareAddress;
        QList<QNetworkAddressEntry> addresses;
    };
    using Source = std::function<QList<Interface>()>;

    // The interfaces from the current source, in the platform's order.
    static QList<Interface> interfaces();
    // What QNetworkInterface::allInterfaces() reports.
    static QList<Interface> systemInterfaces();
    // Replaces the source for the whole process; an empty source restores the system's.
    static void setSource(Source source);
};

#endif // NETWORKINTERFACEPROVIDER_H
