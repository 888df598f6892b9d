#ifndef CPLISTSETTINGSFORMAT_H
#define CPLISTSETTINGSFORMAT_H

#include <QIODevice>
#include <QSettings>
#include <QString>

// The settings file's format: an XML property list whose top dictionary holds
// one nested dictionary per key segment ("a/b/c" is a > b > c). Values are
// string, integer, real, true/false, data (byte arrays), date and array;
// QSettings does the file handling (lock, new file swapped in on write).
class CPlistSettingsFormat
{
public:
    // The QSettings format, registered on first use.
    static QSettings::Format Format();

    // QSettings read and write functions of the format.
    static bool Read(QIODevice& device, QSettings::SettingsMap& map);
    static bool Write(QIODevice& device, const QSettings::SettingsMap& map);

    // The state of the file as a settings file: NoError when it is missing,
    // empty or a property list this format reads, FormatError when it cannot
    // be parsed, AccessError when it cannot be opened.
    static QSettings::Status CheckFile(const QString& path);

private:
    CPlistSettingsFormat() = delete;
};

#endif // CPLISTSETTINGSFORMAT_H
