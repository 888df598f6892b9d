#include "CPop3ReplyReader.h"

CPop3ReplyReader::Status CPop3ReplyReader::TakeReply(QString* reply)
{
    QString line;
    int rawSize = 0;
    while (m_Lines.TakeLine(&line, &rawSize)) {
        if (m_SkipToLineEnd) {
            m_SkipToLineEnd = false;
            m_Dropped << line;
            continue;
        }
        // The cap holds for a reply however it arrived.
        if (rawSize > CMailLineBuffer::MaxBufferedBytes)
            return Overflow;
        QString stale;
        while (m_Lines.TakeLine(&stale))
            m_Dropped << stale;
        m_SkipToLineEnd = m_Lines.Buffered() > 0;
        m_Lines.Clear();
        if (reply)
            *reply = line;
        return Complete;
    }
    if (m_Lines.Buffered() > CMailLineBuffer::MaxBufferedBytes)
        return Overflow;
    return Incomplete;
}

QStringList CPop3ReplyReader::TakeDropped()
{
    QStringList dropped;
    dropped.swap(m_Dropped);
    return dropped;
}

void CPop3ReplyReader::Clear()
{
    m_Lines.Clear();
    m_SkipToLineEnd = false;
    m_Dropped.clear();
}
