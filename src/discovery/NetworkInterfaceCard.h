#ifndef NETWORKINTERFACECARD_H
#define NETWORKINTERFACECARD_H

#include <QHostAddress>
#include <QString>

// The machine's usable IPv4 addresses, one row each, with their interface
// names and broadcast addresses; taken once, when the object is built.
class NetworkInterfaceCard
{
public:
    enum { MaxDevices = 16 };

    NetworkInterfaceCard();

    int GetDeviceCount() const { return m_Count; }
    bool isDeviceReady(int index) const;
    bool GetIpAddress(int index, QHostAddress *address) const;
    bool GetBroadcastAddress(int index, QHostAddress *address) const;
    bool GetAdapterName(int index, QString *name) const;
    bool GetDeviceName(int index, QString *name) const;

private:
    // Copies a ready row's cell out; otherwise leaves out alone and answers false.
    template <typename T>
    bool CopyRow(int index, const T (&table)[MaxDevices], T *out) const
    {
        if (!out || !isDeviceReady(index))
            return false;
        *out = table[index];
        return true;
    }

    int m_Count = 0;
    QString m_DeviceName[MaxDevices];   // humanReadableName()
    QString m_AdapterName[MaxDevices];  // name()
    QHostAddress m_IpAddress[MaxDevices];
    QHostAddress m_BroadcastAddress[MaxDevices];
};

#endif // NETWORKINTERFACECARD_H
