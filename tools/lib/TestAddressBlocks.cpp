#include "TestAddressBlocks.h"

QHostAddress TestBlockAddress(int range, int host, qint64 processId)
{
    Q_ASSERT(range == 64 || range == 128);
    Q_ASSERT(host >= 1 && host <= 62);
    const quint32 base = (127u << 24) | (quint32(range) << 16);
    const quint32 block = quint32(processId) & 0xFFFFu;
    return QHostAddress(base + block * 64u + quint32(host));
}
