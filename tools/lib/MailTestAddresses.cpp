#include "MailTestAddresses.h"

#include <QCoreApplication>

#include "TestAddressBlocks.h"

QHostAddress MailTestAddress(int host)
{
    return TestBlockAddress(64, host, QCoreApplication::applicationPid());
}
