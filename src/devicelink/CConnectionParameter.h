#ifndef CCONNECTIONPARAMETER_H
#define CCONNECTIONPARAMETER_H

#include <QString>

// Connection settings of one target as the device link describes them.
class CConnectionParameter
{
public:
    int m_nParam1 = 0;
    int m_nParam2 = 0;
    QString m_Host;
    QString m_Port;
};

#endif // CCONNECTIONPARAMETER_H
