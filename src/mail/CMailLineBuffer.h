#ifndef CMAILLINEBUFFER_H
#define CMAILLINEBUFFER_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Received bytes of a mail conversation, handed on one complete line at a
// time: TCP keeps no message boundaries, so a reply may come in pieces or
// several replies in one read. A line ends at LF; the CR before it and any
// text from a NUL on are left out.
class CMailLineBuffer
{
public:
    // A peer that sends more than this without ending what it started is
    // given up on, so it cannot grow the buffer without end.
    static constexpr int MaxBufferedBytes = 64 * 1024;

    void Append(const QByteArray& bytes);
    // The next complete line, however long; false (and `line` untouched) when
    // none is complete. The readers hold a reply to the cap themselves: a long
    // line that is no reply is taken and dropped like any other.
    // `rawSize`, when given, receives the bytes the line took in the buffer.
    bool TakeLine(QString* line, int* rawSize = nullptr);
    // Everything still buffered, as lines; an unfinished last line is included.
    QStringList TakeAll();
    // Bytes received and not yet taken.
    int Buffered() const { return m_Buffer.size() - m_Start; }
    void Clear();

    // The text of one received line: CR before the line end dropped, cut at a NUL.
    static QString LineText(const QByteArray& raw);

private:
    QByteArray m_Buffer;
    int m_Start = 0;      // first byte not yet taken
    int m_SearchFrom = 0; // no LF between m_Start and here
};

#endif // CMAILLINEBUFFER_H
