#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

// Writes all of `bytes` to an open save file and puts it in place. QSaveFile
// does not notice when the last flush of its buffer fails (disk full, size
// limit) and would put the short file in place: flush first, commit only then.
inline bool WriteWholeAndCommit(QSaveFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

// Why a file could not be written at `path`, as far as the system tells;
// empty when nothing is in the way now.
inline QString SaveFailureReason(const QString& path)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("a folder has that name");
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    probe.cancelWriting();
    return QString();
}
