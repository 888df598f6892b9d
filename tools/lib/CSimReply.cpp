#include "CSimReply.h"

QList<QByteArray> CSimReply::Chunks() const
{
    QList<QByteArray> chunks;
    int offset = 0;
    for (int size : chunkSizes) {
        if (offset >= data.size())
            break;
        if (size <= 0)
            continue;
        chunks.append(data.mid(offset, size));
        offset += size;
    }
    if (offset < data.size() || chunks.isEmpty())
        chunks.append(data.mid(offset));
    return chunks;
}
