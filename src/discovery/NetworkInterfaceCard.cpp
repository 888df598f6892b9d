#include "NetworkInterfaceCard.h"

#include <QLoggingCategory>

#include "NetworkInterfaceProvider.h"

Q_LOGGING_CATEGORY(lcInterfaceCard, "lumivox.discovery.nic", QtWarningMsg)

NetworkInterfaceCard::NetworkInterfaceCard()
{
    const quint32 loopback = QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const QList<NetworkInterfaceProvider::Interface> all = NetworkInterfaceProvider::interfaces();
    for (const NetworkInterfaceProvider::Interface &nic : all) {
        if (!nic.valid)
            continue;
        qCDebug(lcInterfaceCard, "-----------------------------------");
        qCDebug(lcInterfaceCard, "NIC humanReadableName =%s", qPrintable(nic.humanReadableName));
        // An interface that is down still offers its addresses.
        qCDebug(lcInterfaceCard, "NIC flags             =%x", unsigned(nic.flags));
        qCDebug(lcInterfaceCard, "NIC hardwareAddress   =%s", qPrintable(nic.hardwareAddress));
        qCDebug(lcInterfaceCard, "NIC Addr Count        =%d", int(nic.addresses.size()));
        qCDebug(lcInterfaceCard, "NIC AdapterName       =%s", qPrintable(nic.name));
        for (int i = 0; i < nic.addresses.size(); ++i) {
            const QNetworkAddressEntry &entry = nic.addresses.at(i);
            const quint32 ip = entry.ip().toIPv4Address();
            qCDebug(lcInterfaceCard, "NIC IP Address(%d)=%x", i, unsigned(ip));
            if (ip == 0 || ip == loopback || entry.netmask().toIPv4Address() == 0)
                continue;
            // The table has room for sixteen rows; further addresses are left out.
            if (m_Count >= MaxDevices)
                continue;
            m_DeviceName[m_Count] = nic.humanReadableName;
            m_AdapterName[m_Count] = nic.name;
            m_IpAddress[m_Count] = entry.ip();
            // An entry without a broadcast address (the test provider's, or a
            // platform that leaves it out) gets the one its netmask implies.
            m_BroadcastAddress[m_Count] = entry.broadcast().isNull()
                ? QHostAddress(ip | ~entry.netmask().toIPv4Address())
                : entry.broadcast();
            ++m_Count;
        }
    }
}

bool NetworkInterfaceCard::isDeviceReady(int index) const
{
    return index >= 0 && index < m_Count && index < MaxDevices && !m_DeviceName[index].isEmpty();
}

bool NetworkInterfaceCard::GetIpAddress(int index, QHostAddress *address) const
{
    return CopyRow(index, m_IpAddress, address);
}

bool NetworkInterfaceCard::GetBroadcastAddress(int index, QHostAddress *address) const
{
    return CopyRow(index, m_BroadcastAddress, address);
}

bool NetworkInterfaceCard::GetAdapterName(int index, QString *name) const
{
    return CopyRow(index, m_AdapterName, name);
}

bool NetworkInterfaceCard::GetDeviceName(int index, QString *name) const
{
    return CopyRow(index, m_DeviceName, name);
}
