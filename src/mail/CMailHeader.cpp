#include "CMailHeader.h"

namespace {

bool IsAtext(QChar c)
{
    if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
        return true;
    return QStringLiteral("!#$%&'*+-/=?^_`{|}~").contains(c);
}

bool IsQuoted(const QString& text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

// The text of a quoted string: the quotes gone, each escaped character as itself.
QString Unquoted(const QString& quoted)
{
    QString text;
    const QString inner = quoted.mid(1, quoted.size() - 2);
    for (int i = 0; i < inner.size(); ++i) {
        if (inner.at(i) == QLatin1Char('\\') && i + 1 < inner.size())
            ++i;
        text += inner.at(i);
    }
    return text;
}

// The first "<" that is not inside a quoted string; -1 when none.
int OpeningBracket(const QString& text)
{
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == QLatin1Char('\\'))
            ++i;
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('<'))
            return i;
    }
    return -1;
}

} // namespace

CMailHeader::Address CMailHeader::ParseAddress(const QString& text)
{
    Address result;
    // Line breaks or a NUL would let a setting add commands or header lines.
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0))
        || !text.contains(QLatin1Char('@')))
        return result;
    const bool open = text.contains(QLatin1Char('<'));
    const bool close = text.contains(QLatin1Char('>'));
    if (open != close)
        return result;
    const int start = OpeningBracket(text);
    if (start < 0) {
        result.address = text.trimmed();
        result.valid = true;
        return result;
    }
    // Only the first bracketed address counts: text after it would reach the
    // envelope as command parameters.
    const int end = text.indexOf(QLatin1Char('>'), start + 1);
    if (end < 0 || !text.mid(end + 1).trimmed().isEmpty())
        return result;
    result.name = text.left(start).trimmed();
    result.address = text.mid(start + 1, end - start - 1).trimmed();
    result.valid = true;
    return result;
}

QStringList CMailHeader::EncodedWords(const QString& text)
{
    QStringList words;
    QByteArray chunk;
    auto flush = [&] {
        words << QStringLiteral("=?utf-8?B?") + QString::fromLatin1(chunk.toBase64()) + QStringLiteral("?=");
        chunk.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        // A character outside the BMP is two UTF-16 units and stays whole.
        const int units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray character = text.mid(i, units).toUtf8();
        i += units - 1;
        if (!chunk.isEmpty() && chunk.size() + character.size() > EncodedWordBytes)
            flush();
        chunk += character;
    }
    if (!chunk.isEmpty() || words.isEmpty())
        flush();
    return words;
}

QStringList CMailHeader::PhraseWords(const QString& name)
{
    const QString text = IsQuoted(name) ? Unquoted(name) : name;
    if (text.isEmpty())
        return {};
    bool plain = !text.contains(QStringLiteral("=?"));
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return EncodedWords(text);
        if (c != QLatin1Char(' ') && !IsAtext(c))
            plain = false;
    }
    if (plain)
        return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return {QLatin1Char('"') + quoted + QLatin1Char('"')};
}

QStringList CMailHeader::AddressWords(const Address& address)
{
    QStringList words = PhraseWords(address.name);
    if (words.isEmpty())
        return {address.address};
    return words << QLatin1Char('<') + address.address + QLatin1Char('>');
}

QString CMailHeader::Fold(const QString& name, const QStringList& words)
{
    QString text = name + QLatin1Char(':');
    if (words.isEmpty())
        return text + QStringLiteral(" \n");
    int lineLength = text.toUtf8().size();
    for (int i = 0; i < words.size(); ++i) {
        const int size = words.at(i).toUtf8().size();
        if (i > 0 && lineLength + 1 + size > LineLength) {
            text += QStringLiteral("\n ");
            lineLength = 1 + size;
        } else {
            text += QLatin1Char(' ');
            lineLength += 1 + size;
        }
        text += words.at(i);
    }
    return text + QLatin1Char('\n');
}
