#ifndef CSIMREPLY_H
#define CSIMREPLY_H

#include <QByteArray>
#include <QList>

// What a simulated projector does with one request frame.
struct CSimReply
{
    enum Action {
        ACTION_ANSWER,  // send `data` (after `delayMs`, split by `chunkSizes`)
        ACTION_SILENCE, // send nothing; the connection stays open
        ACTION_CLOSE    // close the connection instead of answering
    };

    Action action = ACTION_SILENCE;
    QByteArray data;
    int delayMs = 0;          // before the first byte
    QList<int> chunkSizes;    // sizes of the leading chunks; the rest goes last
    int gapMs = 0;            // pause between chunks
    bool closeAfter = false;  // close the connection once everything is sent

    static CSimReply Answer(const QByteArray& bytes)
    {
        CSimReply r;
        r.action = ACTION_ANSWER;
        r.data = bytes;
        return r;
    }
    static CSimReply Silence() { return CSimReply(); }
    static CSimReply Close()
    {
        CSimReply r;
        r.action = ACTION_CLOSE;
        return r;
    }

    // Splits `data` by `chunkSizes`: one chunk when none are given.
    QList<QByteArray> Chunks() const;
};

// Faults a simulated projector applies to every reply, over what its handler
// asks for.
struct CSimFaults
{
    int extraDelayMs = 0;      // added to every reply's delay
    QList<int> chunkSizes;     // used when the reply has none of its own
    int gapMs = 0;             // gap for those chunks
    bool silent = false;       // never answer
    bool closeOnRequest = false; // close the connection on every request
};

#endif // CSIMREPLY_H
