#include "CSmtpReplyReader.h"

CSmtpReplyReader::Status CSmtpReplyReader::TakeReply(QStringList* reply)
{
    QString line;
    int rawSize = 0;
    while (m_Lines.TakeLine(&line, &rawSize)) {
        m_Partial << line;
        m_PartialBytes += rawSize;
        // The cap holds however the reply arrived.
        if (m_PartialBytes > CMailLineBuffer::MaxBufferedBytes)
            return Overflow;
        if (!IsContinuation(line)) {
            if (reply)
                *reply = m_Partial;
            m_Partial.clear();
            m_PartialBytes = 0;
            return Complete;
        }
    }
    if (m_PartialBytes + m_Lines.Buffered() > CMailLineBuffer::MaxBufferedBytes)
        return Overflow;
    return Incomplete;
}

QStringList CSmtpReplyReader::TakeRest()
{
    QStringList rest = m_Partial + m_Lines.TakeAll();
    m_Partial.clear();
    m_PartialBytes = 0;
    return rest;
}

void CSmtpReplyReader::Clear()
{
    m_Lines.Clear();
    m_Partial.clear();
    m_PartialBytes = 0;
}

bool CSmtpReplyReader::IsContinuation(const QString& line)
{
    if (line.size() < 4 || line.at(3) != QLatin1Char('-'))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (line.at(i) < QLatin1Char('0') || line.at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}
