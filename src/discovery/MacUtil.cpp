#include "MacUtil.h"

#include "NetworkServices.h"

void *MacUtil::createObject()
{
    return instanceCreate();
}

QList<QHash<QString, QString> > MacUtil::services(void *object, void *unused)
{
    return getNetworkInformation(object, unused);
}
