#ifndef CTRANSPORTLOGMANAGER_H
#define CTRANSPORTLOGMANAGER_H

#include <QByteArray>
#include <QList>
#include <QString>

#include "CTransportLogAttribute.h"

class CTransportLogParameter;

// The communication log's settings (folder, on or off) and the rules that
// turn a record into its line.
class CTransportLogManager
{
public:
    // Attributes 0 "Ex", 1 "Tx", 2 "Rx"; the program's folder; enabled.
    CTransportLogManager();

    // 0 added, 1 the id is already there, 2 failure.
    int AddAttribute(CTransportLogAttribute& attribute);
    // The name of the first attribute with that id, or an empty text.
    QString GetAttributeString(unsigned int id, bool* found = nullptr) const;

    // "yyyy/MM/dd HH:mm:ss.zzz,<target>,<attribute>,<body>"
    QString GetLogString(CTransportLogParameter& parameter) const;
    // The first min(size, data size) bytes as upper-case hex pairs joined by ",".
    static QString f_CreateBodyString(QByteArray& data, int size);

    QString GetFolder() const { return m_Folder; }
    void SetFolder(const QString& folder) { m_Folder = folder; }
    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }

private:
    QList<CTransportLogAttribute> m_Attributes;
    QString m_Folder;
    bool m_bEnabled;
};

#endif // CTRANSPORTLOGMANAGER_H
