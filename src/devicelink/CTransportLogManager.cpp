#include "CTransportLogManager.h"

#include "AppPaths.h"
#include "CTransportLogParameter.h"
#include "ExceptionTrace.h"
#include "HexText.h"

#include <QDebug>

#include <exception>

CTransportLogManager::CTransportLogManager()
    : m_Folder(AppPaths::programFolder()),
      m_bEnabled(true)
{
    const struct {
        unsigned int id;
        const char* name;
    } kinds[] = {{CTransportLogParameter::ATTR_FREE, "Ex"},
                 {CTransportLogParameter::ATTR_TX, "Tx"},
                 {CTransportLogParameter::ATTR_RX, "Rx"}};
    for (const auto& kind : kinds) {
        CTransportLogAttribute attribute(kind.id, QLatin1String(kind.name));
        AddAttribute(attribute);
    }
}

int CTransportLogManager::AddAttribute(CTransportLogAttribute& attribute)
{
    try {
        bool found = false;
        GetAttributeString(attribute.GetID(), &found);
        if (found)
            return 1;
        m_Attributes.append(attribute);
        return 0;
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return 2;
}

QString CTransportLogManager::GetAttributeString(unsigned int id, bool* found) const
{
    for (const CTransportLogAttribute& attribute : m_Attributes) {
        if (attribute.GetID() == id) {
            if (found)
                *found = true;
            return attribute.GetName();
        }
    }
    if (found)
        *found = false;
    return QString();
}

QString CTransportLogManager::GetLogString(CTransportLogParameter& parameter) const
{
    const QDateTime time = parameter.GetTime();
    QString line = time.date().toString(QStringLiteral("yyyy/MM/dd"));
    line += QLatin1Char(' ');
    line += time.time().toString(QStringLiteral("HH:mm:ss.zzz"));
    line += QLatin1Char(',');
    line += parameter.GetTarget();
    line += QLatin1Char(',');
    line += GetAttributeString(static_cast<unsigned int>(parameter.GetAttribute()));
    line += QLatin1Char(',');
    if (parameter.GetAttribute() == CTransportLogParameter::ATTR_FREE) {
        line += parameter.GetText();
    } else {
        QByteArray data = parameter.GetData();
        line += f_CreateBodyString(data, parameter.GetSize());
    }
    return line;
}

QString CTransportLogManager::f_CreateBodyString(QByteArray& data, int size)
{
    if (size < 1 || data.isEmpty())
        return QString();
    return CommaHex(data.left(size));
}
