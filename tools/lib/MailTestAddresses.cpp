#include "MailTestAddresses.h"

#include <QCoreApplication>

QHostAddress MailTestAddress(int host)
{
    Q_ASSERT(host >= 1 && host <= 62);
    const quint32 base = (127u << 24) | (64u << 16);
    const quint32 block = quint32(QCoreApplication::applicationPid()) & 0xFFFFu;
    return QHostAddress(base + block * 64u + quint32(host));
}
