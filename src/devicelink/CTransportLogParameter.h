#ifndef CTRANSPORTLOGPARAMETER_H
#define CTRANSPORTLOGPARAMETER_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One communication log record: a free text (attribute 0), or a frame sent
// (1) or received (2) with how many of its bytes to log.
class CTransportLogParameter
{
public:
    enum Attribute { ATTR_FREE = 0, ATTR_TX = 1, ATTR_RX = 2 };

    // Stamped with the current date and time, attribute 0, nothing else.
    CTransportLogParameter();
    CTransportLogParameter(const CTransportLogParameter& other);
    CTransportLogParameter& operator=(const CTransportLogParameter& other);

    void SetFreeParameters(const QDateTime& time, const QString& target, const QString& text);
    void SetStandardParameters(const QDateTime& time, int attribute, const QString& target,
                               QByteArray& data, int size);

    QDateTime GetTime() const { return m_Time; }
    int GetAttribute() const { return m_nAttribute; }
    QString GetTarget() const { return m_Target; }
    QByteArray GetData() const { return m_Data; }
    int GetSize() const { return m_nSize; }
    QString GetText() const { return m_Text; }

private:
    void f_Copy(const CTransportLogParameter& other);

    QDateTime m_Time;
    int m_nAttribute;
    QString m_Target;
    QByteArray m_Data;
    int m_nSize;
    QString m_Text;
};

#endif // CTRANSPORTLOGPARAMETER_H
