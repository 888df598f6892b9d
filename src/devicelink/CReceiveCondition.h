#ifndef CRECEIVECONDITION_H
#define CRECEIVECONDITION_H

#include <QByteArray>

// When is a reply on the byte stream complete? The condition names where the
// length field sits and how to read it; the functions below apply it to the
// bytes received so far. They are plain functions so that the port, the
// projector simulator and the tests share one rule.
struct CReceiveCondition
{
    enum Type {
        TYPE_IMMEDIATE = 0,       // complete at once (as is every unknown type)
        TYPE_FIXED = 1,           // complete at `extra` bytes
        TYPE_BITS = 2,            // bit-field length L counts the whole reply
        TYPE_BITS_PLUS_EXTRA = 3, // bit-field length L plus `extra` bytes
        TYPE_TEXT = 4,            // text-field length L counts the whole reply
        TYPE_TEXT_PLUS_EXTRA = 5  // text-field length L plus `extra` bytes
    };

    int type = TYPE_IMMEDIATE;
    int extra = 0;       // extra length
    int first = 0;       // first position (bit or byte, by type)
    int last = 0;        // last position
    int base = 0;        // number base of a text field
    bool forwardBytes = true;
    bool msbFirst = true;

    static CReceiveCondition Make(int type, int extra, int first, int last, int base,
                                  bool forwardBytes, bool msbFirst)
    {
        CReceiveCondition c;
        c.type = type;
        c.extra = extra;
        c.first = first;
        c.last = last;
        c.base = base;
        c.forwardBytes = forwardBytes;
        c.msbFirst = msbFirst;
        return c;
    }

    // Projector replies: ((byte 3 AND 0x0F) * 256 + byte 4) + 6 bytes.
    static CReceiveCondition ProjectorReply();
};

bool IsReceiveCompleted(const QByteArray& data, const CReceiveCondition& condition);

// How many of the bytes received make the complete reply, -1 while it is not
// complete. Bytes beyond it came after the reply and belong to none.
int GetReceiveCompletedSize(const QByteArray& data, const CReceiveCondition& condition);

// The length read from a bit field (positions count bits, 0 = the most
// significant bit of byte 0); -1 when it cannot be read yet or is malformed
// (also a value above INT_MAX).
int GetReceivedBitFieldLength(const QByteArray& data, int first, int last,
                              bool forwardBytes, bool msbFirst);

// The length read from a text field of at most four characters (positions
// count bytes); -1 when it cannot be read yet, does not convert or is
// negative.
int GetReceivedTextFieldLength(const QByteArray& data, int first, int last,
                               int base, bool forwardBytes);

// Picks the reader by type: 2 and 3 the bit field, 4 and 5 the text field,
// -1 for any other type.
int GetReceivedLength(const QByteArray& data, const CReceiveCondition& condition);

#endif // CRECEIVECONDITION_H
