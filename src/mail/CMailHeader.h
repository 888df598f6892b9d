#ifndef CMAILHEADER_H
#define CMAILHEADER_H

#include <QString>
#include <QStringList>

// Header text of an outgoing mail: addresses taken apart, display names and
// other text made safe for a header, and header lines folded so that none
// is longer than a receiver takes. Lines end in a single LF here; the
// composer turns them into CR LF.
class CMailHeader
{
public:
    // One address setting: "a@b", "<a@b>" or "Display Name <a@b>".
    struct Address {
        bool valid = false;
        QString name;    // the display name as written, trimmed; empty when none
        QString address; // what stands in the angle brackets, or the whole bare address
    };

    // Longest header line wanted, in octets without the line end.
    static constexpr int LineLength = 78;
    // Text bytes per encoded word: such a word fits one line behind "Subject: ".
    static constexpr int EncodedWordBytes = 42;

    // Takes an address setting apart. Valid: an "@", no line break or NUL,
    // and either no angle brackets or one "<" whose first ">" is followed by
    // nothing but blanks. A "<" inside a quoted display name does not count.
    static Address ParseAddress(const QString& text);

    // `text` as RFC 2047 encoded words (UTF-8, Base64) of whole characters;
    // an empty text gives one empty word.
    static QStringList EncodedWords(const QString& text);
    // A display name as header words: plain words stay, a name holding
    // specials is quoted, a name holding other than ASCII is encoded.
    static QStringList PhraseWords(const QString& name);
    // The header form of an address as words: the bare address, or the
    // display name's words and "<address>".
    static QStringList AddressWords(const Address& address);

    // "Name: " and the words separated by blanks, continued on a new line
    // (LF and a blank) where the next word would pass LineLength; ends in LF.
    static QString Fold(const QString& name, const QStringList& words);
};

#endif // CMAILHEADER_H
