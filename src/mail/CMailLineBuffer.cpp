#include "CMailLineBuffer.h"

void CMailLineBuffer::Append(const QByteArray& bytes)
{
    // Taken bytes are dropped once they make up most of the buffer, so the
    // front of a long conversation is not copied again and again.
    if (m_Start > 0 && m_Start >= m_Buffer.size() / 2) {
        m_Buffer.remove(0, m_Start);
        m_SearchFrom -= m_Start;
        m_Start = 0;
    }
    m_Buffer.append(bytes);
}

bool CMailLineBuffer::TakeLine(QString* line, int* rawSize)
{
    const int end = m_Buffer.indexOf('\n', qMax(m_Start, m_SearchFrom));
    if (end < 0) {
        m_SearchFrom = m_Buffer.size();
        return false;
    }
    const QByteArray raw = m_Buffer.mid(m_Start, end - m_Start);
    if (rawSize)
        *rawSize = end + 1 - m_Start;
    m_Start = end + 1;
    m_SearchFrom = m_Start;
    if (line)
        *line = LineText(raw);
    return true;
}

QStringList CMailLineBuffer::TakeAll()
{
    QStringList lines;
    QString line;
    while (TakeLine(&line))
        lines << line;
    if (Buffered() > 0)
        lines << LineText(m_Buffer.mid(m_Start));
    Clear();
    return lines;
}

void CMailLineBuffer::Clear()
{
    m_Buffer.clear();
    m_Start = 0;
    m_SearchFrom = 0;
}

QString CMailLineBuffer::LineText(const QByteArray& raw)
{
    int length = raw.indexOf('\0');
    if (length < 0)
        length = raw.size();
    if (length == raw.size() && length > 0 && raw.at(length - 1) == '\r')
        --length;
    return QString::fromLatin1(raw.constData(), length);
}
