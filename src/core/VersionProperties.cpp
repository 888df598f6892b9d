#include "VersionProperties.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QXmlStreamReader>

#include "ExceptionTrace.h"

namespace {

// A `key` or `string` element still open while the document is read; its
// text is everything text-like below it, nested elements included.
struct OpenText
{
    QStringList* list;
    int index;
    int depth;
};

} // namespace

QString ReadBundleVersion(QIODevice* device)
{
    QStringList keys;
    QStringList strings;
    QVector<OpenText> open;
    QXmlStreamReader reader(device);
    // Names are compared as written, prefix and all.
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QStringRef name = reader.qualifiedName();
            QStringList* list = name == QLatin1String("key") ? &keys
                                : name == QLatin1String("string") ? &strings : nullptr;
            // The root element itself is not one of its own descendants.
            if (list && depth > 1) {
                list->append(QString());
                open.append({list, list->size() - 1, depth});
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.isEmpty() && open.last().depth == depth)
                open.removeLast();
            --depth;
            break;
        case QXmlStreamReader::Characters:
            // Text made of blanks only is layout, not content.
            if (reader.isWhitespace() && !reader.isCDATA())
                break;
            for (const OpenText& text : open)
                (*text.list)[text.index] += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return QString();
    const int index = keys.indexOf(QStringLiteral("CFBundleVersion"));
    return index < 0 ? QString() : strings.value(index);
}

QString ReadBundleVersion(const QByteArray& document)
{
    QBuffer buffer;
    buffer.setData(document);
    if (!buffer.open(QIODevice::ReadOnly))
        return QString();
    return ReadBundleVersion(&buffer);
}

void SetupVersionProperties(const QString& plistPath, const VersionConstants& constants)
{
    RunTraced([&] {
        QString version;
        QFile file(plistPath);
        if (file.open(QIODevice::ReadOnly)) {
            version = ReadBundleVersion(&file);
            file.close();
        }
        QCoreApplication::setApplicationName(constants.programName);
        QCoreApplication::setApplicationVersion(version);
        QObject* application = QCoreApplication::instance();
        if (!application)
            return;
        const struct
        {
            const char* name;
            const QString& value;
        } properties[] = {
            {"FileDescription", constants.programName},
            {"FileVersion", version},
            {"LegalCopyright", constants.copyright},
            {"OriginalFilename", constants.originalFilename},
            {"ProductVersion", version},
            {"ProductName", constants.programName},
            {"InternalName", constants.programName},
            {"CompanyName", constants.companyName},
            // This key has always carried the copyright line, not a version.
            {"CFBundleInfoDictionaryVersion", constants.copyright},
            {"CFBundleExecutable", constants.executableName},
            {"CFBundleName", constants.programName},
        };
        for (const auto& property : properties)
            application->setProperty(property.name, QVariant(property.value));
        application->setProperty("CFBundlePackageType", QVariant(QStringLiteral("APPL")));
        application->setProperty("NOTE", QVariant(QString()));
    });
}
