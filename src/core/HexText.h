#ifndef HEXTEXT_H
#define HEXTEXT_H

#include <QByteArray>
#include <QString>

// Bytes as upper-case hex pairs joined by ",": "02,8A,00". The form of the
// communication log's bodies and of byte arrays in the settings file.
inline QString CommaHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(',').toUpper());
}

#endif // HEXTEXT_H
