#include "ProjectorTestAddresses.h"

#include <QCoreApplication>

#include "TestAddressBlocks.h"

QHostAddress ProjectorTestAddress(int host)
{
    return TestBlockAddress(128, host, QCoreApplication::applicationPid());
}
