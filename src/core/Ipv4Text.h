#ifndef IPV4TEXT_H
#define IPV4TEXT_H

#include <QString>
#include <QStringList>

// Dotted IPv4 text as people type it: always decimal, so leading zeros are
// harmless ("192.168.001.010" is 192.168.1.10) and "0x10" or short forms such
// as "10.1" are refused. The masked address edit pads each part with blanks
// ("192.   168.   1.   10"), which are trimmed away.

// The parts of a dotted text, split on '.' and trimmed; as many as there are.
QStringList splitIpv4Parts(const QString &text);

// Parses exactly four parts of one to three decimal digits, each 0..255.
// On success stores the value (first part in the top byte) when value is not
// null and returns true; otherwise returns false and leaves value alone.
bool parseIpv4Text(const QString &text, quint32 *value);

// False for addresses that cannot name a device: 0.0.0.0, 255.255.255.255,
// a first part of 0, and the loopback block 127.0.0.0/8.
bool isUsableIpv4Address(quint32 value);

#endif // IPV4TEXT_H
