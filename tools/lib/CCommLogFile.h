#ifndef CCOMMLOGFILE_H
#define CCOMMLOGFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads back the communication log's day files ("COMM<yyyyMMdd>.txt",
// UTF-16) for tests and tools.
class CCommLogFile
{
public:
    // Every line of the day files in the folder, in file-name order, without
    // its time stamp; the stamps ("yyyy/MM/dd HH:mm:ss.zzz") go to `stamps`.
    static QStringList Lines(const QString& folder, QStringList* stamps = nullptr);
    // The log's hex body of the bytes: "02,8A,00".
    static QString Hex(const QByteArray& bytes);
};

#endif // CCOMMLOGFILE_H
