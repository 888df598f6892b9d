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

// The size of the whole frame at the start of `bytes` (five header bytes,
// the data, the checksum), or 0 while the header or the rest has not all
// arrived. The simulator cuts requests with this rule of its own, so that a
// misreading of the length field in the program cannot hide in both.
inline int SimFrameLength(const QByteArray& bytes)
{
    if (bytes.size() < 5)
        return 0;
    const int dataLength = (static_cast<unsigned char>(bytes.at(3)) & 0x0F) * 256
                           + static_cast<unsigned char>(bytes.at(4));
    const int total = dataLength + 6;
    return bytes.size() >= total ? total : 0;
}

#endif // SIMFRAME_H
