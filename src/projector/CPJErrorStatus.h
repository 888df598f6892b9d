#ifndef CPJERRORSTATUS_H
#define CPJERRORSTATUS_H

#include <QString>
#include <QtGlobal>

// One decoded projector error: the mask of the reported bit of error word A or
// of error word B, the kind of the entry, and the translated message.
class CPJErrorStatus
{
public:
    // RemarkKind bit of the filter alarm entry.
    static const qint32 KIND_FILTER_ALARM = 4;

    CPJErrorStatus() : ErrorString("") {}
    CPJErrorStatus(quint32 bitA, quint32 bitB, qint32 kind, const QString& text)
        : ErrorBitA(bitA), ErrorBitB(bitB), RemarkKind(kind), ErrorString(text) {}

    // The text up to its first line break.
    QString GetFirstLineErrorString() const;

    quint32 ErrorBitA = 0;
    quint32 ErrorBitB = 0;
    qint32 RemarkKind = 0;
    QString ErrorString;
};

#endif // CPJERRORSTATUS_H
