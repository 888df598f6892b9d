#include "CTransport.h"

#include "CPortTCP.h"

CTransport::CTransport()
    : QObject(nullptr)
{
}

CTransport::~CTransport()
{
    delete m_pPort;
}
