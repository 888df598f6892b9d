#include "CConnectIF.h"

CConnectIF::CConnectIF(QObject* parent)
    : QObject(parent)
{
}

CConnectIF::~CConnectIF() = default;
