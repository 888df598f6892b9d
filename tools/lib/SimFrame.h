#ifndef SIMFRAME_H
#define SIMFRAME_H

#include <QByteArray>

// A control-protocol frame: two command bytes, a zero byte, the data length
// (high nibble of byte 3 unused, low nibble and byte 4), the data, and the
// sum of all earlier bytes as checksum.
inline QByteArray MakeSimFrame(unsigned char byte0, unsigned char byte1, const QByteArray& data)
{
    QByteArray frame;
    frame.append(char(byte0));
    frame.append(char(byte1));
    frame.append(char(0));
    frame.append(char((data.size() >> 8) & 0x0F));
    frame.append(char(data.size() & 0xFF));
    frame.append(data);
    unsigned int sum = 0;
    for (char c : frame)
        sum += static_cast<unsigned char>(c);
    frame.append(char(sum & 0xFF));
    return frame;
}

#endif // SIMFRAME_H
