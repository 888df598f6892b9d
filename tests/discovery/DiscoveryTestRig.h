#ifndef DISCOVERYTESTRIG_H
#define DISCOVERYTESTRIG_H

#include <QByteArray>
#include <QHostAddress>
#include <QtEndian>

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

#endif // DISCOVERYTESTRIG_H
