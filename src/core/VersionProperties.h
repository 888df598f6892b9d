#ifndef VERSIONPROPERTIES_H
#define VERSIONPROPERTIES_H

#include <QByteArray>
#include <QString>

class QIODevice;

// What a program records about itself on its application object at start-up,
// apart from the version, which comes from its embedded property list.
struct VersionConstants
{
    QString programName;
    QString copyright;
    QString companyName;
    QString originalFilename; // the "OriginalFilename" value
    QString executableName;   // the "CFBundleExecutable" value
};

// The version in an XML property list: the text of the `string` element at
// the position of the first `key` element reading exactly "CFBundleVersion".
// Keys and strings anywhere below the root pair by position in the document,
// not by adjacency. Empty when the document does not parse or holds no such
// pair.
QString ReadBundleVersion(QIODevice* device);
QString ReadBundleVersion(const QByteArray& document);

// Sets the application name, the application version read from the property
// list at `plistPath` and the identity properties of the application object
// (all texts). A missing or unreadable list gives the empty version.
void SetupVersionProperties(const QString& plistPath, const VersionConstants& constants);

#endif // VERSIONPROPERTIES_H
