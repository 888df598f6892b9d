#ifndef CTRANSPORTLOGATTRIBUTE_H
#define CTRANSPORTLOGATTRIBUTE_H

#include <QString>

// One kind of communication log record: its id and the name written in the
// record's line ("Ex", "Tx", "Rx").
class CTransportLogAttribute
{
public:
    CTransportLogAttribute();
    CTransportLogAttribute(unsigned int id, const QString& name);
    CTransportLogAttribute(const CTransportLogAttribute& other) = default;
    CTransportLogAttribute& operator=(const CTransportLogAttribute& other) = default;

    void SetAttribute(unsigned int id, const QString& name);
    unsigned int GetID() const { return m_nID; }
    QString GetName() const { return m_Name; }

private:
    unsigned int m_nID;
    QString m_Name;
};

#endif // CTRANSPORTLOGATTRIBUTE_H
