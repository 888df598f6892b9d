#ifndef CSMTPREPLYREADER_H
#define CSMTPREPLYREADER_H

#include <QByteArray>
#include <QStringList>

#include "CMailLineBuffer.h"

// Puts an SMTP server's replies back together from the bytes received. A
// reply is one or more lines: "ddd-" lines continue it, and the first line
// that is not three digits and "-" ends it.
class CSmtpReplyReader
{
public:
    enum Status {
        Incomplete, // waiting for more bytes
        Complete,   // a whole reply was taken
        Overflow    // over CMailLineBuffer::MaxBufferedBytes held without a whole reply
    };

    void Append(const QByteArray& bytes) { m_Lines.Append(bytes); }
    // Takes the next whole reply into `reply` (its lines in order).
    Status TakeReply(QStringList* reply);
    // Whatever is held beyond the replies taken, as lines, and forgets it.
    QStringList TakeRest();
    void Clear();

    // True for a line that another line of the same reply follows ("250-...").
    static bool IsContinuation(const QString& line);

private:
    CMailLineBuffer m_Lines;
    QStringList m_Partial;  // lines of the reply being read
    int m_PartialBytes = 0; // their size on the wire
};

#endif // CSMTPREPLYREADER_H
