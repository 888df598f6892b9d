#ifndef CPOP3REPLYREADER_H
#define CPOP3REPLYREADER_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "CMailLineBuffer.h"

// Reads a POP3 server's replies from the bytes received: a reply is one
// complete line. The client sends its next command only after a reply, so
// whatever came with a reply (further lines, or the start of one) was sent
// before the server saw that command and answers nothing of ours: it is
// dropped, an unfinished line up to its end.
class CPop3ReplyReader
{
public:
    enum Status {
        Incomplete, // waiting for more bytes
        Complete,   // a reply was taken
        Overflow    // over CMailLineBuffer::MaxBufferedBytes held without a line end
    };

    void Append(const QByteArray& bytes) { m_Lines.Append(bytes); }
    // Takes the next reply into `reply` and drops what came with it.
    Status TakeReply(QString* reply);
    // The lines dropped since the last call (for the trace), and forgets them.
    QStringList TakeDropped();
    void Clear();

private:
    CMailLineBuffer m_Lines;
    // The rest of a line that had begun when the last reply was taken is dropped.
    bool m_SkipToLineEnd = false;
    QStringList m_Dropped;
};

#endif // CPOP3REPLYREADER_H
