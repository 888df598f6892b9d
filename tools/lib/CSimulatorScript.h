#ifndef CSIMULATORSCRIPT_H
#define CSIMULATORSCRIPT_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include "CSimReply.h"

// A script of canned answers: each line maps one request frame to a reply,
// both as hexadecimal bytes, e.g.
//
//   # power status
//   00 85 00 00 01 01 87  ->  20 85 01 00 01 00 A7
//   *                     ->  silence
//
// The right side is hex bytes, "silence" or "close". "*" on the left answers
// every request that no other line names. Blank lines and lines starting
// with '#' are ignored.
class CSimulatorScript
{
public:
    // Reads script text; false with the line's number and reason in Error().
    bool Parse(const QString& text);
    bool Load(const QString& path);
    QString Error() const { return m_Error; }

    void Add(const QByteArray& request, const CSimReply& reply) { m_Replies.insert(request, reply); }
    void SetDefault(const CSimReply& reply) { m_Default = reply; }

    CSimReply Reply(const QByteArray& request) const { return m_Replies.value(request, m_Default); }
    int Size() const { return m_Replies.size(); }

    // Hex bytes separated by blanks (or none): "20 85 01", "208501".
    static bool ParseHex(const QString& text, QByteArray* out);

private:
    QMap<QByteArray, CSimReply> m_Replies;
    CSimReply m_Default = CSimReply::Silence();
    QString m_Error;
};

#endif // CSIMULATORSCRIPT_H
