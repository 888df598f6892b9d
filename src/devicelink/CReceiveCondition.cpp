#include "CReceiveCondition.h"

#include <QString>

#include <algorithm>
#include <climits>

CReceiveCondition CReceiveCondition::ProjectorReply()
{
    return Make(TYPE_BITS_PLUS_EXTRA, 6, 28, 39, 0, true, true);
}

namespace {

int BitAt(const QByteArray& data, int position)
{
    const unsigned char byte = static_cast<unsigned char>(data.at(position / 8));
    return (byte & (0x80 >> (position % 8))) ? 1 : 0;
}

} // namespace

int GetReceivedBitFieldLength(const QByteArray& data, int first, int last,
                              bool forwardBytes, bool msbFirst)
{
    if (first < 0 || last < 0 || first > last || last - first > 31)
        return -1;
    if (last / 8 >= data.size())
        return -1;

    // Each visited bit enters at the least significant end; with more than
    // 32 visited bits the earliest ones fall off the top.
    quint32 value = 0;
    auto visit = [&](int position) { value = (value << 1) | quint32(BitAt(data, position)); };

    const int firstByte = first / 8;
    const int lastByte = last / 8;
    if (forwardBytes && msbFirst) {
        for (int p = first; p <= last; ++p)
            visit(p);
    } else if (!forwardBytes && !msbFirst) {
        for (int p = last; p >= first; --p)
            visit(p);
    } else if (forwardBytes) { // LSB first, bytes forward
        if (firstByte == lastByte) {
            for (int p = last; p >= first; --p)
                visit(p);
        } else {
            for (int b = firstByte; b <= lastByte; ++b)
                for (int p = b * 8 + 7; p >= b * 8; --p)
                    visit(p);
        }
    } else { // MSB first, bytes backward
        if (firstByte == lastByte) {
            for (int p = first; p <= last; ++p)
                visit(p);
        } else {
            for (int b = lastByte; b >= firstByte; --b)
                for (int p = b * 8; p <= b * 8 + 7; ++p)
                    visit(p);
        }
    }
    // A 32-bit field with its top bit set is no length a reply can have; as
    // a negative int it would declare any data complete.
    return value > quint32(INT_MAX) ? -1 : static_cast<int>(value);
}

int GetReceivedTextFieldLength(const QByteArray& data, int first, int last,
                               int base, bool forwardBytes)
{
    if (first < 0 || last < 0 || first > last || last - first > 3)
        return -1;
    if (last >= data.size())
        return -1;
    if (base != 0 && (base < 2 || base > 36))
        return -1;

    QByteArray field = data.mid(first, last - first + 1);
    if (!forwardBytes)
        std::reverse(field.begin(), field.end());
    bool ok = false;
    const int value = QString::fromLatin1(field).toInt(&ok, base);
    // A signed text ("-5") is no length either.
    return ok && value >= 0 ? value : -1;
}

int GetReceivedLength(const QByteArray& data, const CReceiveCondition& c)
{
    switch (c.type) {
    case CReceiveCondition::TYPE_BITS:
    case CReceiveCondition::TYPE_BITS_PLUS_EXTRA:
        return GetReceivedBitFieldLength(data, c.first, c.last, c.forwardBytes, c.msbFirst);
    case CReceiveCondition::TYPE_TEXT:
    case CReceiveCondition::TYPE_TEXT_PLUS_EXTRA:
        return GetReceivedTextFieldLength(data, c.first, c.last, c.base, c.forwardBytes);
    default:
        return -1;
    }
}

bool IsReceiveCompleted(const QByteArray& data, const CReceiveCondition& c)
{
    return GetReceiveCompletedSize(data, c) >= 0;
}

int GetReceiveCompletedSize(const QByteArray& data, const CReceiveCondition& c)
{
    if (c.extra < 0 || c.first < 0 || c.last < 0 || c.first > c.last)
        return -1;

    const qint64 n = data.size();
    // 64-bit sums: a length field near INT_MAX must not overflow.
    qint64 size = 0;
    switch (c.type) {
    case CReceiveCondition::TYPE_FIXED:
        size = c.extra;
        break;
    case CReceiveCondition::TYPE_BITS:
    case CReceiveCondition::TYPE_TEXT:
    case CReceiveCondition::TYPE_BITS_PLUS_EXTRA:
    case CReceiveCondition::TYPE_TEXT_PLUS_EXTRA: {
        const int length = GetReceivedLength(data, c);
        if (length == -1)
            return -1;
        const bool plusExtra = c.type == CReceiveCondition::TYPE_BITS_PLUS_EXTRA
                               || c.type == CReceiveCondition::TYPE_TEXT_PLUS_EXTRA;
        const bool bits = c.type == CReceiveCondition::TYPE_BITS || c.type == CReceiveCondition::TYPE_BITS_PLUS_EXTRA;
        // The length field itself is always part of the reply.
        const qint64 fieldEnd = bits ? c.last / 8 + 1 : c.last + 1;
        size = qMax(qint64(length) + (plusExtra ? c.extra : 0), fieldEnd);
        break;
    }
    default:
        return int(n);
    }
    return n >= size ? int(size) : -1;
}
