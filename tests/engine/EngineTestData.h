#ifndef ENGINETESTDATA_H
#define ENGINETESTDATA_H

#include <QByteArray>
#include <QList>

#include "CVariantParameter.h"

// Bytes written as hex with blanks: "02 00 00 00 00 02".
inline QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Request parameters, one integer each.
inline QList<CVariantParameter> IntParams(const QList<int>& values)
{
    QList<CVariantParameter> list;
    for (int v : values) {
        CVariantParameter p;
        p.FromInt(v);
        list.append(p);
    }
    return list;
}

#endif // ENGINETESTDATA_H
