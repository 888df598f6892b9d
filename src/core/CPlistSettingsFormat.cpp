#include "CPlistSettingsFormat.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>
#include <limits>

namespace {

// ---------------------------------------------------------------- writing

// A key path's place in the dictionary tree: a value, sub-keys, or both (the
// value then goes under the empty key inside the dictionary).
struct KeyNode {
    QVariant value;
    bool hasValue = false;
    QMap<QString, KeyNode> children;
};

// Whether XML 1.0 can carry the character at `i` (references included); a
// valid surrogate pair counts as one character of length 2.
int xmlCharLength(const QString& text, int i)
{
    const ushort u = text.at(i).unicode();
    if (QChar::isHighSurrogate(u))
        return (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 0;
    if (QChar::isLowSurrogate(u))
        return 0;
    if (u < 0x20 && u != 0x9 && u != 0xA && u != 0xD)
        return 0;
    return (u == 0xFFFE || u == 0xFFFF) ? 0 : 1;
}

bool isXmlText(const QString& text)
{
    for (int i = 0; i < text.size();) {
        const int length = xmlCharLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// The text without the characters XML cannot carry.
QString xmlTextOnly(const QString& text)
{
    QString kept;
    for (int i = 0; i < text.size();) {
        const int length = xmlCharLength(text, i);
        kept += text.mid(i, qMax(length, 0));
        i += qMax(length, 1);
    }
    return kept;
}

class PlistWriter
{
public:
    explicit PlistWriter(QIODevice* device) : m_Xml(device)
    {
        m_Xml.setAutoFormatting(true);
        m_Xml.setAutoFormattingIndent(-1);
    }

    bool write(const KeyNode& root)
    {
        m_Xml.writeStartDocument();
        m_Xml.writeDTD(QStringLiteral(
            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">"));
        m_Xml.writeStartElement(QStringLiteral("plist"));
        m_Xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        writeNode(root);
        m_Xml.writeEndElement();
        m_Xml.writeEndDocument();
        return !m_Xml.hasError();
    }

private:
    void writeNode(const KeyNode& node)
    {
        m_Xml.writeStartElement(QStringLiteral("dict"));
        if (node.hasValue) {
            m_Xml.writeTextElement(QStringLiteral("key"), QString());
            writeValue(node.value);
        }
        for (auto it = node.children.constBegin(); it != node.children.constEnd(); ++it) {
            writeKey(it.key());
            if (it.value().children.isEmpty())
                writeValue(it.value().value);
            else
                writeNode(it.value());
        }
        m_Xml.writeEndElement();
    }

    void writeKey(const QString& key)
    {
        // A key that XML cannot carry keeps the characters it can.
        writeText(QStringLiteral("key"), isXmlText(key) ? key : xmlTextOnly(key));
    }

    // Element text; carriage returns as references, since a reader turns a
    // literal one into a line feed.
    void writeText(const QString& element, const QString& text)
    {
        if (!text.contains(QLatin1Char('\r'))) {
            m_Xml.writeTextElement(element, text);
            return;
        }
        m_Xml.writeStartElement(element);
        const QStringList parts = text.split(QLatin1Char('\r'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0)
                m_Xml.writeEntityReference(QStringLiteral("#13"));
            if (!parts.at(i).isEmpty())
                m_Xml.writeCharacters(parts.at(i));
        }
        m_Xml.writeEndElement();
    }

    void writeString(const QString& text)
    {
        if (isXmlText(text))
            writeText(QStringLiteral("string"), text);
        else
            // Characters XML cannot hold: the text's bytes keep them all.
            writeData(text.toUtf8());
    }

    void writeData(const QByteArray& bytes)
    {
        m_Xml.writeTextElement(QStringLiteral("data"), QString::fromLatin1(bytes.toBase64()));
    }

    void writeValue(const QVariant& value)
    {
        switch (static_cast<int>(value.type())) {
        case QMetaType::Bool:
            m_Xml.writeEmptyElement(value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
            return;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::SChar:
        case QMetaType::Char:
            m_Xml.writeTextElement(QStringLiteral("integer"), QString::number(value.toLongLong()));
            return;
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
        case QMetaType::UChar:
            m_Xml.writeTextElement(QStringLiteral("integer"), QString::number(value.toULongLong()));
            return;
        case QMetaType::Double:
        case QMetaType::Float:
            m_Xml.writeTextElement(QStringLiteral("real"), realText(value.toDouble()));
            return;
        case QMetaType::QByteArray:
            writeData(value.toByteArray());
            return;
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QDateTime when = value.toDateTime();
            // Milliseconds only where there are some, as the reader keeps them.
            if (when.isValid())
                m_Xml.writeTextElement(QStringLiteral("date"),
                                       when.toUTC().toString(when.time().msec() != 0
                                                                 ? QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")
                                                                 : QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")));
            else
                writeString(QString());
            return;
        }
        case QMetaType::QStringList:
        case QMetaType::QVariantList: {
            m_Xml.writeStartElement(QStringLiteral("array"));
            const QVariantList items = value.toList();
            for (const QVariant& item : items)
                writeValue(item);
            m_Xml.writeEndElement();
            return;
        }
        case QMetaType::QVariantMap:
        case QMetaType::QVariantHash: {
            const QVariantMap entries = value.toMap();
            m_Xml.writeStartElement(QStringLiteral("dict"));
            for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
                writeKey(it.key());
                writeValue(it.value());
            }
            m_Xml.writeEndElement();
            return;
        }
        default:
            // Any other kind is kept as its text form, as far as it has one.
            writeString(value.canConvert<QString>() ? value.toString() : QString());
            return;
        }
    }

    static QString realText(double value)
    {
        if (std::isnan(value))
            return QStringLiteral("nan");
        if (std::isinf(value))
            return value > 0 ? QStringLiteral("+infinity") : QStringLiteral("-infinity");
        return QString::number(value, 'g', std::numeric_limits<double>::max_digits10);
    }

    QXmlStreamWriter m_Xml;
};

// ---------------------------------------------------------------- reading

class PlistReader
{
public:
    explicit PlistReader(QIODevice* device) : m_Xml(device) {}

    // Deeper nesting than any settings file needs is taken as damage, so a
    // hostile file cannot exhaust the stack.
    static const int MAX_DEPTH = 256;

    bool read(QSettings::SettingsMap& map)
    {
        if (!nextStartElement() || m_Xml.name() != QLatin1String("plist"))
            return false;
        // An empty plist holds no settings; otherwise exactly one dictionary.
        if (nextStartElement()) {
            if (m_Xml.name() != QLatin1String("dict") || !readTreeDict(QString(), map))
                return false;
            if (nextStartElement())
                return false;
        }
        if (m_Xml.hasError() || !m_Xml.isEndElement())
            return false;
        // Nothing but comments and whitespace may follow the root.
        while (!m_Xml.atEnd()) {
            m_Xml.readNext();
            if (m_Xml.isStartElement() || (m_Xml.isCharacters() && !m_Xml.isWhitespace()))
                return false;
        }
        return !m_Xml.hasError();
    }

private:
    // Reads to the next start element inside the current element; false at
    // its end or on an error. Text between elements is not allowed.
    bool nextStartElement()
    {
        while (!m_Xml.atEnd()) {
            switch (m_Xml.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
                return false;
            case QXmlStreamReader::Characters:
                if (!m_Xml.isWhitespace()) {
                    m_Xml.raiseError(QStringLiteral("text outside a value"));
                    return false;
                }
                break;
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
        return false;
    }

    // A dictionary of the key tree: its entries become key paths below prefix.
    bool readTreeDict(const QString& prefix, QSettings::SettingsMap& map)
    {
        DepthGuard guard(&m_Depth);
        if (m_Depth > MAX_DEPTH)
            return false;
        while (nextStartElement()) {
            QString key;
            if (!readKey(&key) || !nextStartElement())
                return false;
            const QString path = key.isEmpty() ? prefix
                                               : (prefix.isEmpty() ? key : prefix + QLatin1Char('/') + key);
            if (m_Xml.name() == QLatin1String("dict")) {
                if (!readTreeDict(path, map))
                    return false;
            } else {
                QVariant value;
                if (!readValue(&value))
                    return false;
                if (!path.isEmpty())
                    map.insert(path, value);
            }
        }
        return !m_Xml.hasError();
    }

    bool readKey(QString* key)
    {
        if (m_Xml.name() != QLatin1String("key"))
            return false;
        *key = m_Xml.readElementText();
        return !m_Xml.hasError();
    }

    // The value whose start element was just read, up to its end element.
    bool readValue(QVariant* value)
    {
        DepthGuard guard(&m_Depth);
        if (m_Depth > MAX_DEPTH)
            return false;
        const QStringRef name = m_Xml.name();
        if (name == QLatin1String("string")) {
            *value = m_Xml.readElementText();
        } else if (name == QLatin1String("integer")) {
            const QString text = m_Xml.readElementText().trimmed();
            bool ok = false;
            const qlonglong number = text.toLongLong(&ok);
            if (ok) {
                if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
                    *value = static_cast<int>(number);
                else
                    *value = number;
            } else {
                const qulonglong big = text.toULongLong(&ok);
                if (!ok)
                    return false;
                *value = big;
            }
        } else if (name == QLatin1String("real")) {
            const QString text = m_Xml.readElementText().trimmed();
            const QString lower = text.toLower();
            bool ok = true;
            double number = 0;
            if (lower == QLatin1String("nan"))
                number = std::numeric_limits<double>::quiet_NaN();
            else if (lower == QLatin1String("+infinity") || lower == QLatin1String("infinity")
                     || lower == QLatin1String("inf") || lower == QLatin1String("+inf"))
                number = std::numeric_limits<double>::infinity();
            else if (lower == QLatin1String("-infinity") || lower == QLatin1String("-inf"))
                number = -std::numeric_limits<double>::infinity();
            else
                number = text.toDouble(&ok);
            if (!ok)
                return false;
            *value = number;
        } else if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const bool flag = name == QLatin1String("true");
            if (!m_Xml.readElementText().trimmed().isEmpty())
                return false;
            *value = flag;
        } else if (name == QLatin1String("data")) {
            QByteArray encoded = m_Xml.readElementText().toLatin1();
            encoded = encoded.simplified().replace(' ', QByteArray());
            const QByteArray::FromBase64Result decoded =
                QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                return false;
            *value = decoded.decoded;
        } else if (name == QLatin1String("date")) {
            QDateTime when = QDateTime::fromString(m_Xml.readElementText().trimmed(), Qt::ISODate);
            if (!when.isValid())
                return false;
            *value = when.toUTC();
        } else if (name == QLatin1String("array")) {
            QVariantList items;
            while (nextStartElement()) {
                QVariant item;
                if (!readValue(&item))
                    return false;
                items.append(item);
            }
            if (m_Xml.hasError())
                return false;
            *value = items;
        } else if (name == QLatin1String("dict")) {
            QVariantMap entries;
            while (nextStartElement()) {
                QString key;
                QVariant item;
                if (!readKey(&key) || !nextStartElement() || !readValue(&item))
                    return false;
                entries.insert(key, item);
            }
            if (m_Xml.hasError())
                return false;
            *value = entries;
        } else {
            return false;
        }
        return !m_Xml.hasError();
    }

    struct DepthGuard {
        explicit DepthGuard(int* depth) : m_Depth(depth) { ++*m_Depth; }
        ~DepthGuard() { --*m_Depth; }
        int* m_Depth;
    };

    QXmlStreamReader m_Xml;
    int m_Depth = 0;
};

// A key path goes into the tree split at each "/" between two parts that are
// not empty; the rest ("//", a "/" at either end) stays in one dictionary key
// at its level, which the reader joins back to the same path.
void insertKey(KeyNode* root, const QString& key, const QVariant& value)
{
    if (key.isEmpty())
        return;
    KeyNode* node = root;
    QString rest = key;
    for (int slash = rest.indexOf(QLatin1Char('/')); slash > 0 && slash < rest.size() - 1;
         slash = rest.indexOf(QLatin1Char('/'))) {
        node = &node->children[rest.left(slash)];
        rest = rest.mid(slash + 1);
    }
    node = &node->children[rest];
    node->value = value;
    node->hasValue = true;
}

} // namespace

QSettings::Format CPlistSettingsFormat::Format()
{
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("plist"), &CPlistSettingsFormat::Read, &CPlistSettingsFormat::Write,
        Qt::CaseSensitive);
    return format;
}

bool CPlistSettingsFormat::Read(QIODevice& device, QSettings::SettingsMap& map)
{
    QSettings::SettingsMap entries;
    PlistReader reader(&device);
    if (!reader.read(entries))
        return false;
    map = entries;
    return true;
}

bool CPlistSettingsFormat::Write(QIODevice& device, const QSettings::SettingsMap& map)
{
    KeyNode root;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        // An invalid value reads as absent; leaving it out reads the same.
        if (it.value().isValid())
            insertKey(&root, it.key(), it.value());
    }
    PlistWriter writer(&device);
    return writer.write(root);
}

QSettings::Status CPlistSettingsFormat::CheckFile(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return QSettings::NoError;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QSettings::AccessError;
    if (file.size() == 0)
        return QSettings::NoError;
    QSettings::SettingsMap map;
    return Read(file, map) ? QSettings::NoError : QSettings::FormatError;
}
