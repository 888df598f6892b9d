#ifndef DISCOVERYTESTRIG_H
#define DISCOVERYTESTRIG_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QString>
#include <QtEndian>

#include "NetworkInterfaceProvider.h"
#include "PJSearchUdp.h"

// The 128-byte request the engine must send, for comparison byte by byte.
inline QByteArray expectedRequest(quint16 seqNo, quint32 timeStamp, quint32 command, quint32 flags)
{
    char r[128] = {'Q', 'R', 'P', 'J', 0x13};
    qToLittleEndian<quint16>(seqNo, r + 8);
    qToLittleEndian<quint16>(112, r + 10);
    qToLittleEndian<quint32>(timeStamp, r + 12);
    qToLittleEndian<quint32>(command, r + 16);
    qToLittleEndian<quint32>(flags, r + 24);
    return QByteArray(r, int(sizeof r));
}

inline quint32 timeStampOf(const QByteArray &datagram)
{
    return datagram.size() >= 16 ? qFromLittleEndian<quint32>(datagram.constData() + 12) : 0;
}

// While it lives, the process sees only the given interfaces and new search
// engines bind to the given endpoint; both are restored when it goes.
class ScopedSearchSetup
{
public:
    struct Row
    {
        QString name;      // system and human-readable name
        QString address;   // dotted
        int prefix;        // netmask length
        QString broadcast; // dotted; where a broadcast search is sent
    };

    ScopedSearchSetup(const QList<Row> &rows, const QHostAddress &bind, quint16 port)
    {
        QList<NetworkInterfaceProvider::Interface> interfaces;
        for (const Row &row : rows) {
            NetworkInterfaceProvider::Interface nic;
            nic.name = row.name;
            nic.humanReadableName = row.name;
            nic.flags = int(QNetworkInterface::IsUp | QNetworkInterface::IsRunning | QNetworkInterface::CanBroadcast);
            QNetworkAddressEntry entry;
            entry.setIp(QHostAddress(row.address));
            entry.setPrefixLength(row.prefix);
            entry.setBroadcast(QHostAddress(row.broadcast));
            nic.addresses.append(entry);
            interfaces.append(nic);
        }
        NetworkInterfaceProvider::setSource([interfaces] { return interfaces; });
        PJSearchUdp::SetDefaultBindAddress(bind, port);
    }
    ~ScopedSearchSetup()
    {
        NetworkInterfaceProvider::setSource(NetworkInterfaceProvider::Source());
        PJSearchUdp::SetDefaultBindAddress(QHostAddress(), 0);
    }
    ScopedSearchSetup(const ScopedSearchSetup &) = delete;
    ScopedSearchSetup &operator=(const ScopedSearchSetup &) = delete;
};

#endif // DISCOVERYTESTRIG_H
