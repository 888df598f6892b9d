#include "NetworkInterfaceProvider.h"

#include <QNetworkInterface>

namespace {

NetworkInterfaceProvider::Source &currentSource()
{
    static NetworkInterfaceProvider::Source source;
    return source;
}

} // namespace

QList<NetworkInterfaceProvider::Interface> NetworkInterfaceProvider::interfaces()
{
    const Source &source = currentSource();
    return source ? source() : systemInterfaces();
}

QList<NetworkInterfaceProvider::Interface> NetworkInterfaceProvider::systemInterfaces()
{
    QList<Interface> result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &nic : all) {
        Interface entry;
        entry.valid = nic.isValid();
        entry.name = nic.name();
        entry.humanReadableName = nic.humanReadableName();
        entry.flags = int(nic.flags());
        entry.hardwareAddress = nic.hardwareAddress();
        entry.addresses = nic.addressEntries();
        result.append(entry);
    }
    return result;
}

void NetworkInterfaceProvider::setSource(Source source)
{
    currentSource() = std::move(source);
}
