#include "Ipv4Text.h"

QStringList splitIpv4Parts(const QString &text)
{
    QStringList parts = text.split(QLatin1Char('.'));
    for (QString &part : parts)
        part = part.trimmed();
    return parts;
}

bool parseIpv4Text(const QString &text, quint32 *value)
{
    const QStringList parts = splitIpv4Parts(text);
    if (parts.size() != 4)
        return false;
    quint32 result = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        quint32 octet = 0;
        for (const QChar c : part) {
            // Only ASCII digits: QChar::isDigit would also take other scripts' digits.
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            octet = octet * 10 + quint32(c.unicode() - '0');
        }
        if (octet > 255)
            return false;
        result = (result << 8) | octet;
    }
    if (value)
        *value = result;
    return true;
}

bool isUsableIpv4Address(quint32 value)
{
    if (value == 0xFFFFFFFFu)
        return false;
    const quint32 first = value >> 24;
    return first != 0 && first != 127;
}
