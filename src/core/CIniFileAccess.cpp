#include "CIniFileAccess.h"
#include "SaveFileBytes.h"

#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

#include <algorithm>
#include <exception>

const QString CIniFileAccess::CODEPAGE_DEFAULT = QStringLiteral("UTF-16");
const QString CIniFileAccess::CODEPAGE_SHIFTJIS = QStringLiteral("Shift_JIS");
const QString CIniFileAccess::CODEPAGE_UTF16 = QStringLiteral("UTF-16");
const QString CIniFileAccess::CODEPAGE_UTF8 = QStringLiteral("UTF-8");

namespace {

// Values and keys read from a file are never null: null asks for a deletion.
QString nonNull(const QString& s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

QString indexName(const QString& section)
{
    // Every edit and every line read looks its section's name up: the upper
    // case of the names met lately serves again instead of a new string each
    // time (a fleet's user list has a few thousand sections).
    thread_local QHash<QString, QString> known;
    const auto it = known.constFind(section);
    if (it != known.constEnd())
        return it.value();
    if (known.size() >= 8192)
        known.clear();
    const QString upper = nonNull(section.toUpper());
    known.insert(section, upper);
    return upper;
}

// Section names that differ only in case are one section of the file (the
// index and a reader of the file take them so); keys and lookups stay exact.
bool sameSection(const QString& a, const QString& b)
{
    return a == b || indexName(a) == indexName(b);
}

// The key table finds a key whatever the case of its section's name, as the
// section index finds the section: a file never gets two values for one key.
QPair<QString, QString> tableKey(const QString& section, const QString& key)
{
    return qMakePair(indexName(section), key);
}

bool sameString(const QString& a, const QString& b)
{
    return a.isNull() == b.isNull() && a == b;
}

QTextCodec* shiftJisCodec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("Shift_JIS");
    return codec;
}

// What the Shift_JIS decoder makes of byte 0x5C; in these files it means a
// backslash even where a decoder yields a yen sign.
QChar shiftJisByte5C()
{
    static const QChar c = [] {
        QTextCodec* codec = shiftJisCodec();
        const QString s = codec ? codec->toUnicode("\x5C", 1) : QString();
        return s.size() == 1 ? s.at(0) : QChar(QLatin1Char('\\'));
    }();
    return c;
}

// The text of a file: decoded by its byte-order mark, else as Shift_JIS; each
// line (ending at "\n" or "\r\n") followed by "\r\n".
QString decodeFileBytes(const QByteArray& bytes)
{
    const uchar* b = reinterpret_cast<const uchar*>(bytes.constData());
    const int n = bytes.size();
    const char* codecName = "Shift_JIS";
    int mark = 0;
    if (n >= 4 && b[0] == 0xFF && b[1] == 0xFE && b[2] == 0x00 && b[3] == 0x00) {
        codecName = "UTF-32LE";
        mark = 4;
    } else if (n >= 4 && b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF) {
        codecName = "UTF-32BE";
        mark = 4;
    } else if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        codecName = "UTF-8";
        mark = 3;
    } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        codecName = "UTF-16LE";
        mark = 2;
    } else if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        codecName = "UTF-16BE";
        mark = 2;
    }

    QString decoded;
    QTextCodec* codec = mark == 0 ? shiftJisCodec() : QTextCodec::codecForName(codecName);
    if (codec) {
        // The mark is already cut off; a second one would be text.
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        decoded = codec->toUnicode(bytes.constData() + mark, n - mark, &state);
    } else {
        decoded = QString::fromLatin1(bytes.constData() + mark, n - mark);
    }
    // A NUL (only a damaged file brings one) ends a value for any reader; it
    // goes at once, so that what is read is what a write gives back.
    decoded.remove(QChar(0));

    QString result;
    result.reserve(decoded.size() + decoded.size() / 16 + 2);
    int start = 0;
    const int size = decoded.size();
    while (start < size) {
        const int feed = decoded.indexOf(QLatin1Char('\n'), start);
        int end = feed < 0 ? size : feed;
        // "\r\n" ends a line; further CRs before its end (or at the end of
        // the text) are line-end junk that no written line could give back.
        while (end > start && decoded.at(end - 1) == QLatin1Char('\r'))
            --end;
        result.append(decoded.midRef(start, end - start));
        result.append(QLatin1String("\r\n"));
        if (feed < 0)
            break;
        start = feed + 1;
    }

    const QChar yen = shiftJisByte5C();
    if (yen != QLatin1Char('\\'))
        result.replace(yen, QLatin1Char('\\'));
    return result;
}

// One record is one line: a line feed inside a value would turn the rest into
// lines of their own (even section headers) when the file is read. A lone CR
// splits no line and is kept.
QString oneLine(const QString& s)
{
    if (!s.contains(QLatin1Char('\n')))
        return s;
    QString r = s;
    r.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r;
}

// The reader trims a value of these.
bool hasEnclosingSpace(const QString& s)
{
    return !s.isEmpty() && (s.front().isSpace() || s.back().isSpace());
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

CIniFileAccess::CIniFileAccess()
    : lines(new IniList)
    , index(new IniIndex)
    , codePage(CODEPAGE_DEFAULT)
    , writeLines(new IniList)
    , writeIndex(new IniIndex)
    , deleting(false)
{
}

CIniFileAccess::CIniFileAccess(const QString& path)
    : CIniFileAccess()
{
    ReadIniFile(path);
}

CIniFileAccess::CIniFileAccess(const QString& path, const QString& codePage)
    : CIniFileAccess()
{
    this->codePage = codePage;
    ReadIniFile(path);
}

CIniFileAccess::CIniFileAccess(const CIniFileAccess* other)
    : CIniFileAccess()
{
    f_Copy(other);
}

CIniFileAccess::~CIniFileAccess()
{
    for (const KeyTable* table : {&lineKeys, &writeKeys}) {
        for (const PendingKey& waiting : table->pending)
            delete waiting.record;
    }
    qDeleteAll(*lines);
    qDeleteAll(*writeLines);
    delete lines;
    delete writeLines;
    delete index;
    delete writeIndex;
    deleteList.clear();
}

int CIniFileAccess::ReadIniFile(const QString& path)
{
    return RunTraced(-1, [&] {
        this->path = path;
        return f_ReadIniFile(path, text, lines, index);
    });
}

void CIniFileAccess::f_Copy(const CIniFileAccess* other)
{
    if (!other || other == this)
        return;
    RunTraced([&] {
        other->f_Settle(other->lines);
        other->f_Settle(other->writeLines);
        codePage = other->codePage;
        path = other->path;
        text = other->text;
        deleting = other->deleting;
        outText = other->outText;
        f_ClearList(lines, index);
        f_ClearList(writeLines, writeIndex);
        f_CopyList(other->lines, lines);
        f_CopyList(other->writeLines, writeLines);
        *index = *other->index;
        *writeIndex = *other->writeIndex;
        deleteList = other->deleteList;
    });
}

// ---------------------------------------------------------------------------
// Record list upkeep: every insertion and removal goes through these, so the
// key table always names the first record of each section and key.

CIniFileAccess::KeyTable& CIniFileAccess::f_KeyTable(const IniList* list) const
{
    return list == lines ? lineKeys : writeKeys;
}

CIniFileAccess::IniIndex* CIniFileAccess::f_IndexOf(const IniList* list) const
{
    return list == lines ? index : writeIndex;
}

void CIniFileAccess::f_Settle(const IniList* list) const
{
    KeyTable& table = f_KeyTable(list);
    if (table.pending.isEmpty())
        return;
    QVector<PendingKey> waiting;
    waiting.swap(table.pending);
    // At one place, the keys of an earlier section go first (its run ends
    // there), and the keys of one section keep the order they were added in.
    const auto goesBefore = [](const PendingKey& a, const PendingKey& b) {
        return a.before < b.before || (a.before == b.before && a.sectionPos < b.sectionPos);
    };
    std::stable_sort(waiting.begin(), waiting.end(), goesBefore);

    IniList* target = list == lines ? lines : writeLines;
    IniList merged;
    merged.reserve(target->size() + waiting.size());
    int next = 0;
    for (int pos = 0; pos < target->size(); ++pos) {
        while (next < waiting.size() && waiting.at(next).before == pos)
            merged.append(waiting.at(next++).record);
        merged.append(target->at(pos));
    }
    while (next < waiting.size())
        merged.append(waiting.at(next++).record);
    target->swap(merged);

    // A section moves past the keys settled ahead of its first record; keys
    // of its own that went there start it now.
    IniIndex* sectionIndex = f_IndexOf(list);
    for (auto it = sectionIndex->begin(); it != sectionIndex->end(); ++it) {
        PendingKey start;
        start.before = it.value();
        start.sectionPos = it.value();
        it.value() += int(std::lower_bound(waiting.cbegin(), waiting.cend(), start, goesBefore) - waiting.cbegin());
    }
}

void CIniFileAccess::f_InsertRecord(IniList* list, int position, IniData* record)
{
    f_InsertRecord(list, position, record, record->key.isEmpty() ? QString() : indexName(record->section));
}

void CIniFileAccess::f_InsertRecord(IniList* list, int position, IniData* record, const QString& upper)
{
    const bool atEnd = position >= list->size();
    list->insert(position, record);
    KeyTable& table = f_KeyTable(list);
    if (atEnd)
        table.tail = record;
    if (record->key.isEmpty())
        return;
    KeyEntry& entry = table.keys[qMakePair(upper, record->key)];
    // A repeated key is rare: only then is the order looked up.
    if (entry.count == 0 || (!atEnd && list->indexOf(entry.first) > position))
        entry.first = record;
    ++entry.count;
}

void CIniFileAccess::f_RemoveRecord(IniList* list, int position)
{
    IniData* record = list->takeAt(position);
    KeyTable& table = f_KeyTable(list);
    if (table.tail == record)
        table.tail = nullptr;
    if (!record->key.isEmpty()) {
        auto it = table.keys.find(tableKey(record->section, record->key));
        if (it != table.keys.end()) {
            if (--it->count <= 0) {
                table.keys.erase(it);
            } else if (it->first == record) {
                // No copy comes before the removed one: the next starts here.
                it->first = nullptr;
                for (int pos = position; pos < list->size(); ++pos) {
                    IniData* d = list->at(pos);
                    if (d->key == record->key && sameSection(d->section, record->section)) {
                        it->first = d;
                        break;
                    }
                }
                if (!it->first)
                    table.keys.erase(it);
            }
        }
    }
    delete record;
}

void CIniFileAccess::f_ClearList(IniList* list, IniIndex* sectionIndex)
{
    for (const PendingKey& waiting : f_KeyTable(list).pending)
        delete waiting.record;
    qDeleteAll(*list);
    list->clear();
    sectionIndex->clear();
    f_KeyTable(list) = KeyTable();
}

// The source is settled by the caller (it may be another accessor's list).
void CIniFileAccess::f_CopyList(const IniList* from, IniList* to)
{
    to->reserve(from->size());
    for (const IniData* d : *from)
        f_InsertRecord(to, to->size(), new IniData(d->section, d->key, d->value, d->quoted));
}

CIniFileAccess::Snapshot CIniFileAccess::f_Snapshot() const
{
    Snapshot snapshot;
    RunTraced([&] {
        f_Settle(lines);
        snapshot.lines.reserve(lines->size());
        for (const IniData* d : qAsConst(*lines))
            snapshot.lines.append(*d);
        snapshot.sectionIndex = *index;
        snapshot.deleteList = deleteList;
        snapshot.codePage = codePage;
        snapshot.path = path;
        snapshot.deleting = deleting;
    });
    return snapshot;
}

CIniFileAccess::CIniFileAccess(const Snapshot& snapshot)
    : CIniFileAccess()
{
    RunTraced([&] {
        codePage = snapshot.codePage;
        path = snapshot.path;
        deleting = snapshot.deleting;
        deleteList = snapshot.deleteList;
        lines->reserve(snapshot.lines.size());
        for (const IniData& d : snapshot.lines)
            f_InsertRecord(lines, lines->size(), new IniData(d.section, d.key, d.value, d.quoted));
        *index = snapshot.sectionIndex;
    });
}

// ---------------------------------------------------------------------------
// Reading

int CIniFileAccess::f_ReadIniFile(const QString& filePath, QString& fileText, IniList* list,
                                  IniIndex* sectionIndex)
{
    return RunTraced(-1, [&] {
        fileText = QLatin1String("");
        qCDebug(lcCore, "-- Read File \n[%s]", qPrintable(filePath));
        if (!QFileInfo::exists(filePath)) {
            qCDebug(lcCore, "Not Exists[%s]", qPrintable(filePath));
        } else {
            // Binary mode: a text-mode read drops every 0x0D byte, which is
            // half of many UTF-16 characters (and of every CRLF).
            QFile file(filePath);
            if (file.open(QIODevice::ReadOnly)) {
                fileText = decodeFileBytes(file.readAll());
                file.close();
            }
        }
        f_FileToIni(fileText, list, sectionIndex);
        qCDebug(lcCore, "%s", QByteArray(58, '-').constData());
        return 0;
    });
}

QString CIniFileAccess::f_GetFeedCode(const QString& fileText)
{
    const int crlf = fileText.indexOf(QLatin1String("\r\n"));
    const int lfcr = fileText.indexOf(QLatin1String("\n\r"));
    if (crlf >= 0 || lfcr >= 0) {
        if (lfcr < 0 || (crlf >= 0 && crlf < lfcr))
            return QStringLiteral("\r\n");
        return QStringLiteral("\n\r");
    }
    if (fileText.contains(QLatin1Char('\n')))
        return QStringLiteral("\n");
    if (fileText.contains(QLatin1Char('\r')))
        return QStringLiteral("\r");
    return QLatin1String("");
}

void CIniFileAccess::f_FileToIni(const QString& fileText, IniList* list, IniIndex* sectionIndex)
{
    QString feed = f_GetFeedCode(fileText);
    if (feed.isEmpty())
        feed = QStringLiteral("\r\n");
    f_ClearList(list, sectionIndex);

    QString section;            // null until the first header
    QString upper = QLatin1String("");
    bool sectionPending = true;
    bool rawMode = true;        // lines before the first header are kept whole
    bool repeatedSection = false;

    int start = 0;
    const int size = fileText.size();
    while (start < size) {
        const int end0 = fileText.indexOf(feed, start);
        const int end = end0 < 0 ? size : end0;
        const QString line = fileText.mid(start, end - start);
        start = end0 < 0 ? size : end0 + feed.size();

        const QString name = f_LineToSection(line);
        const QString nameUpper = name.isEmpty() ? QString() : indexName(name);
        if (!name.isEmpty() && !sectionIndex->contains(nameUpper)) {
            section = name;
            upper = nameUpper;
            sectionPending = true;
            rawMode = false;
            repeatedSection = false;
            continue;
        }
        if (!name.isEmpty()) {
            // A section seen before: its header and lines are kept as plain
            // lines of the section before, so they are written back as they
            // were and never become values of that section's keys.
            rawMode = true;
            repeatedSection = true;
        }

        QString key;
        QString value;
        bool quoted = f_LineToKey(line, &key, &value);
        if (repeatedSection)
            key = QLatin1String("");
        if (key.isEmpty() || rawMode) {
            value = nonNull(line);
            quoted = false;
        }
        f_AddIniData(section, key, value, list, quoted, upper);
        if (sectionPending) {
            sectionIndex->insert(upper, list->size() - 1);
            sectionPending = false;
        }
    }
}

QString CIniFileAccess::f_LineToSection(const QString& line)
{
    if (line.isEmpty() || line.at(0) != QLatin1Char('['))
        return QLatin1String("");
    const int close = line.indexOf(QLatin1Char(']'), 1);
    const QString name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
    return nonNull(name.trimmed());
}

bool CIniFileAccess::f_LineToKey(const QString& line, QString* key, QString* value)
{
    const int semicolon = line.indexOf(QLatin1Char(';'));
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
        *key = QLatin1String("");
        *value = QLatin1String("");
        return false;
    }
    *key = nonNull(line.left(equals).trimmed());
    *value = nonNull(line.mid(equals + 1).trimmed());
    if (value->size() >= 2 && value->startsWith(QLatin1Char('"')) && value->endsWith(QLatin1Char('"'))) {
        *value = nonNull(value->mid(1, value->size() - 2));
        return true;
    }
    return false;
}

void CIniFileAccess::f_AddIniData(const QString& section, const QString& key, const QString& value,
                                  IniList* list, bool quoted, const QString& upper)
{
    f_InsertRecord(list, list->size(), new IniData(section, key, value, quoted), upper);
}

// ---------------------------------------------------------------------------
// Lookups

void CIniFileAccess::GetIniString(const QString& section, const QString& key, const QString& defaultValue,
                                  QString* result) const
{
    if (!result)
        return;
    RunTraced([&] {
        *result = defaultValue;
        if (!index->contains(indexName(section)))
            return;
        if (!key.isEmpty()) {
            const KeyEntry entry = lineKeys.keys.value(tableKey(section, key));
            // The match itself is exact.
            if (entry.first && entry.first->section == section)
                *result = entry.first->value;
            return;
        }
        // The empty key names the section's first line that is no key line.
        f_Settle(lines);
        for (const IniData* d : *lines) {
            if (d->section == section && d->key.isEmpty()) {
                *result = d->value;
                return;
            }
        }
    });
}

int CIniFileAccess::GetIniInt(const QString& section, const QString& key, int defaultValue) const
{
    return RunTraced(defaultValue, [&] {
        QString s;
        GetIniString(section, key, QString(), &s);
        bool ok = false;
        const int value = s.toInt(&ok, 10);
        return ok ? value : defaultValue;
    });
}

void CIniFileAccess::GetIniKeys(const QString& section, QStringList& keys) const
{
    RunTraced([&] {
        keys.clear();
        f_Settle(lines);
        const auto it = index->constFind(indexName(section));
        if (it == index->constEnd())
            return;
        bool begun = false;
        for (int pos = it.value(); pos < lines->size(); ++pos) {
            const IniData* d = lines->at(pos);
            if (d->section == section) {
                begun = true;
                if (!d->key.trimmed().isEmpty())
                    keys.append(d->key);
            } else if (sameSection(d->section, section)) {
                continue;
            } else if (begun || !d->key.isEmpty()) {
                break;
            }
        }
    });
}

void CIniFileAccess::GetIniSections(QStringList& sections) const
{
    RunTraced([&] {
        sections.clear();
        f_Settle(lines);
        QMap<int, QString> byPosition;
        for (auto it = index->constBegin(); it != index->constEnd(); ++it) {
            if (it.value() >= 0 && it.value() < lines->size() && !lines->at(it.value())->section.isEmpty())
                byPosition.insert(it.value(), lines->at(it.value())->section);
        }
        sections = byPosition.values();
    });
}

// ---------------------------------------------------------------------------
// Edits

int CIniFileAccess::SetIniString(const QString& section, const QString& key, const QString& value, bool quoted)
{
    // A NUL would be dropped on reading: it is dropped here, so that what is
    // held is what a write gives back.
    QString held = value;
    if (held.contains(QChar(0)))
        held.remove(QChar(0));
    return f_SetIniString(section, key, held, lines, index, quoted);
}

int CIniFileAccess::SetIniString(const QString& section, const QString& key, const QString& value)
{
    return SetIniString(section, key, value, false);
}

int CIniFileAccess::SetIniInt(const QString& section, const QString& key, int value)
{
    return f_SetIniString(section, key, QString::number(value), lines, index, false);
}

void CIniFileAccess::f_DeleteSection(const QString& section, int sectionPosition, IniList* list,
                                     IniIndex* sectionIndex)
{
    // Comment, blank and other plain lines stay where they are.
    int pos = sectionPosition;
    int removed = 0;
    while (pos < list->size() && sameSection(list->at(pos)->section, section)) {
        if (list->at(pos)->key.isEmpty()) {
            ++pos;
        } else {
            f_RemoveRecord(list, pos);
            ++removed;
        }
    }
    const QString upper = indexName(section);
    sectionIndex->remove(upper);
    if (removed > 0) {
        for (auto it = sectionIndex->begin(); it != sectionIndex->end(); ++it) {
            if (it.value() > sectionPosition)
                it.value() -= removed;
        }
    }
}

// A name is written only if it reads back as itself: a line feed or NUL
// splits or ends its line, "]" ends a section's header early, a key holding
// "=" or ";" reads as a shorter key or a comment, and blanks around a name are
// trimmed away. Every name the reader gives passes (a key starting with "["
// is written so that it reads as a key).
bool CIniFileAccess::f_IsWritableName(const QString& section, const QString& key)
{
    if (hasEnclosingSpace(section) || hasEnclosingSpace(key))
        return false;
    const auto holds = [](const QString& name, QChar a, QChar b, QChar c, QChar d) {
        for (const QChar ch : name) {
            if (ch == a || ch == b || ch == c || ch == d)
                return true;
        }
        return false;
    };
    const QChar lineFeed(QLatin1Char('\n'));
    const QChar nul(0);
    return !holds(section, lineFeed, nul, QLatin1Char(']'), QLatin1Char(']'))
        && !holds(key, lineFeed, nul, QLatin1Char('='), QLatin1Char(';'));
}

// A key line starting with "[" would read as a header; one leading blank,
// which the reader trims, keeps it a key line.
QString CIniFileAccess::f_KeyText(const QString& key)
{
    const QString text = oneLine(key);
    if (text.startsWith(QLatin1Char('[')) && !f_LineToSection(text + QLatin1Char('=')).isEmpty())
        return QLatin1Char(' ') + text;
    return text;
}

// A value the reader would not give back bare (blanks around it, or a pair of
// enclosing quotes) goes between quotes.
QString CIniFileAccess::f_ValueText(const QString& value, bool quoted)
{
    const QString text = oneLine(value);
    const bool enclosedInQuotes = text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
    if (!quoted && !enclosedInQuotes && !hasEnclosingSpace(text))
        return text;
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A plain line of a section that would read back as a header or a key line
// (the lines of a repeated section) is written as a comment: it never becomes
// a section or a key of the file, wherever the edits moved its section.
QString CIniFileAccess::f_PlainLineText(const QString& line)
{
    const QString text = oneLine(line);
    QString key;
    QString value;
    f_LineToKey(text, &key, &value);
    if (key.isEmpty() && f_LineToSection(text).isEmpty())
        return text;
    return QLatin1Char(';') + text;
}

int CIniFileAccess::f_SetIniString(const QString& section, const QString& key, const QString& value,
                                   IniList* list, IniIndex* sectionIndex, bool quoted)
{
    return RunTraced(2, [&] {
        if (section.isNull()) {
            f_ClearList(list, sectionIndex);
            f_AddDeleteList(QString(), QString());
            return 0;
        }
        if (!f_IsWritableName(section, key)) {
            qCDebug(lcCore, "!! ini name refused [%s] [%s] !!", qPrintable(section), qPrintable(key));
            return -1;
        }

        const QString upper = indexName(section);
        const bool addingKey = !key.isEmpty() && !value.isNull();
        if (addingKey) {
            // The common edit: a key that is there already (under any spelling
            // of its section) keeps its place.
            IniData* existing = f_KeyTable(list).keys.value(qMakePair(upper, key)).first;
            if (existing) {
                f_UpdateRecord(existing, value, quoted);
                return 0;
            }
        } else {
            // Only new keys wait; every other edit works on positions.
            f_Settle(list);
        }

        const auto found = sectionIndex->constFind(upper);
        if (found == sectionIndex->constEnd()) {
            if (!key.isNull() && !value.isNull()) {
                // A new section always goes to the end.
                const int pos = list->size();
                f_InsertRecord(list, pos, new IniData(section, key, value, quoted), upper);
                sectionIndex->insert(upper, pos);
            } else {
                f_AddDeleteList(section, key);
            }
            return 0;
        }
        const int sectionPos = found.value();

        if (key.isNull()) {
            f_DeleteSection(section, sectionPos, list, sectionIndex);
            f_AddDeleteList(section, QString());
            return 0;
        }
        if (value.isNull()) {
            f_DeleteKey(section, key, sectionPos, list, sectionIndex);
            f_AddDeleteList(section, key);
            return 0;
        }
        if (key.isEmpty()) {
            // The empty key names the section's first plain line.
            int matchPos = -1;
            int insertPos = -1;
            f_FindInRun(section, upper, key, sectionPos, list, &matchPos, &insertPos);
            if (matchPos >= 0) {
                f_UpdateRecord(list->at(matchPos), value, quoted);
                return 0;
            }
        }
        f_InsertKey(section, upper, key, value, quoted, sectionPos, list, sectionIndex);
        return 0;
    });
}

void CIniFileAccess::f_UpdateRecord(IniData* record, const QString& value, bool quoted)
{
    record->value = value;
    record->quoted = quoted;
    // An edited line from before the first header is a key line now.
    if (record->section.isNull())
        record->section = QLatin1String("");
}

// Walks the section's run: its records and the plain lines among them, up to
// the first key line of another section. Gives the position of the first
// record of the key (-1 when none) and, when there is none, where a new key
// goes: after the section's last key line, ahead of the plain lines that
// close the run.
void CIniFileAccess::f_FindInRun(const QString& section, const QString& upper, const QString& key, int sectionPos,
                                 const IniList* list, int* matchPos, int* insertPos) const
{
    *matchPos = -1;
    int trailing = 0;
    int pos = sectionPos;
    for (; pos < list->size(); ++pos) {
        const IniData* d = list->at(pos);
        const bool plain = d->key.isEmpty();
        const bool ofSection = d->section == section || indexName(d->section) == upper;
        if (!plain && !ofSection)
            break;
        if (d->key == key && ofSection) {
            *matchPos = pos;
            return;
        }
        trailing = plain ? trailing + 1 : 0;
    }
    *insertPos = qBound(0, pos - trailing, list->size());
}

// Every copy of the key goes: a copy left behind would be its value at the
// next read.
void CIniFileAccess::f_DeleteKey(const QString& section, const QString& key, int sectionPos, IniList* list,
                                 IniIndex* sectionIndex)
{
    const QString upper = indexName(section);
    for (;;) {
        int matchPos = -1;
        int insertPos = -1;
        f_FindInRun(section, upper, key, sectionPos, list, &matchPos, &insertPos);
        if (matchPos < 0)
            return;
        f_RemoveRecord(list, matchPos);
        for (auto it = sectionIndex->begin(); it != sectionIndex->end(); ++it) {
            if (it.value() > matchPos)
                --it.value();
        }
        // Removing the section's first record: the entry stays only while a
        // record of the section is still there, so it never points into the
        // next section.
        if (sectionPos == matchPos
            && (matchPos >= list->size() || indexName(list->at(matchPos)->section) != upper)) {
            sectionIndex->remove(upper);
            return;
        }
    }
}

void CIniFileAccess::f_InsertKey(const QString& section, const QString& upper, const QString& key,
                                 const QString& value, bool quoted, int sectionPos, IniList* list,
                                 IniIndex* sectionIndex)
{
    const KeyTable& table = f_KeyTable(list);
    int insertPos = -1;
    if (!key.isEmpty() && table.tail && !list->isEmpty() && list->last() == table.tail
        && (table.tail->section == section || indexName(table.tail->section) == upper)
        && !table.tail->key.isEmpty()) {
        // The section ends the list and its last record is a key line: the
        // new key goes to the very end.
        insertPos = list->size();
    } else {
        int matchPos = -1;
        f_FindInRun(section, upper, key, sectionPos, list, &matchPos, &insertPos);
    }
    const bool atEnd = insertPos >= list->size();
    if (!atEnd && !key.isEmpty()) {
        // A new key (no record carries it yet) waits to be settled, so that a
        // run of additions does not move every later record and section again
        // and again.
        KeyTable& waiting = f_KeyTable(list);
        PendingKey added;
        added.before = insertPos;
        added.sectionPos = sectionPos;
        added.record = new IniData(section, key, value, quoted);
        waiting.pending.append(added);
        KeyEntry& entry = waiting.keys[qMakePair(upper, key)];
        if (entry.count == 0)
            entry.first = added.record;
        ++entry.count;
        return;
    }
    f_InsertRecord(list, insertPos, new IniData(section, key, value, quoted), upper);
    if (!atEnd) {
        for (auto it = sectionIndex->begin(); it != sectionIndex->end(); ++it) {
            if (it.key() != upper && it.value() >= insertPos)
                ++it.value();
        }
    }
}

void CIniFileAccess::f_AddDeleteList(const QString& section, const QString& key)
{
    if (deleting)
        return;
    for (const QStringList& pair : qAsConst(deleteList)) {
        if (sameString(pair.at(0), section) && sameString(pair.at(1), key))
            return;
    }
    deleteList.append(QStringList{section, key});
}

void CIniFileAccess::f_ExecuteDeleteList(IniList* list, IniIndex* sectionIndex)
{
    deleting = true;
    for (const QStringList& pair : qAsConst(deleteList))
        f_SetIniString(pair.at(0), pair.at(1), QString(), list, sectionIndex, false);
    deleting = false;
}

// ---------------------------------------------------------------------------
// Writing

int CIniFileAccess::WriteIniFile(const QString& path, bool withoutMerge, const QString& codePage)
{
    const int result = RunTraced(2, [&] {
        bool replayed = false;
        f_ClearList(writeLines, writeIndex);
        if (!withoutMerge) {
            // Content that cannot be read cannot be merged; writing over it
            // would lose every key the accessor does not hold.
            if (QFileInfo::exists(path)) {
                QFile probe(path);
                if (!probe.open(QIODevice::ReadOnly)) {
                    qCDebug(lcCore, "!! read ini file error !! [%s]", qPrintable(path));
                    return -1;
                }
            }
            if (f_ReadIniFile(path, outText, writeLines, writeIndex) != 0)
                return 2;
            f_ExecuteDeleteList(writeLines, writeIndex);
            replayed = true;
            f_LayOver();
        } else {
            f_Settle(lines);
            f_CopyList(lines, writeLines);
            *writeIndex = *index;
        }
        f_IniToFile(&outText, writeLines);

        QTextCodec* codec = nullptr;
        QByteArray bytes;
        if (codePage == CODEPAGE_UTF16) {
            codec = QTextCodec::codecForName("UTF-16LE");
            bytes = QByteArray("\xFF\xFE", 2);
        } else if (codePage == CODEPAGE_UTF8) {
            codec = QTextCodec::codecForName("UTF-8");
            bytes = QByteArray("\xEF\xBB\xBF", 3);
        } else if (!codePage.isEmpty()) {
            codec = QTextCodec::codecForName(codePage.toLatin1());
        }
        if (!codec) {
            qCDebug(lcCore, "!! unknown code page [%s] !!", qPrintable(codePage));
            return -1;
        }
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        bytes.append(codec->fromUnicode(outText.constData(), outText.size(), &state));
        const bool lossy = state.invalidChars > 0;

        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash > 0) {
            const QString folder = path.left(slash);
            if (!QDir(folder).exists())
                QDir().mkpath(folder);
        }

        // The old file is replaced only once the new one is complete.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        if (!WriteWholeAndCommit(file, bytes)) {
            qCDebug(lcCore, "!! write ini file error !!");
            return -1;
        }
        // Kept until a write succeeded, so that a failed one loses no deletion.
        if (replayed)
            deleteList.clear();
        return lossy ? 1 : 0;
    });
    // Never left set by a replay that an exception ended.
    deleting = false;
    return result;
}

int CIniFileAccess::WriteIniFile(const QString& path, const QString& codePage)
{
    return WriteIniFile(path, false, codePage);
}

int CIniFileAccess::WriteIniFile(const QString& path)
{
    return WriteIniFile(path, false, codePage);
}

int CIniFileAccess::WriteIniFile(const char* path)
{
    return WriteIniFile(QString::fromUtf8(path), false, codePage);
}

int CIniFileAccess::WriteIniFile(bool withoutMerge)
{
    return WriteIniFile(path, withoutMerge, codePage);
}

int CIniFileAccess::WriteIniFile()
{
    return WriteIniFile(path, false, codePage);
}

// Lays the accessor's key records over the file's records. Lines before the
// first header and plain lines (comments, blanks, lines of repeated sections)
// are not edits: the file's own stay where they are. Of a key held twice only
// the record that lookups return is written.
void CIniFileAccess::f_LayOver()
{
    f_Settle(lines);
    for (const IniData* d : qAsConst(*lines)) {
        if (d->section.isNull() || d->key.isEmpty())
            continue;
        if (lineKeys.keys.value(tableKey(d->section, d->key)).first != d)
            continue;
        f_SetIniString(d->section, d->key, d->value, writeLines, writeIndex, d->quoted);
    }
}

void CIniFileAccess::f_IniToFile(QString* output, const IniList* list) const
{
    f_Settle(list);
    output->clear();
    QString header = QLatin1String("");
    for (const IniData* d : *list) {
        if (d->section.isNull()) {
            // Above the first header: as it was read.
            output->append(oneLine(d->value));
        } else if (d->key.isEmpty()) {
            output->append(f_PlainLineText(d->value));
        } else {
            // Keys without a section name go without a header.
            if (!d->section.isEmpty() && !sameSection(d->section, header)) {
                header = d->section;
                output->append(QLatin1Char('['));
                output->append(oneLine(header));
                output->append(QLatin1String("]\n"));
            }
            output->append(f_KeyText(d->key));
            output->append(QLatin1Char('='));
            output->append(f_ValueText(d->value, d->quoted));
        }
        output->append(QLatin1Char('\n'));
    }
}
