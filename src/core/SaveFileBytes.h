#pragma once

#include <QByteArray>
#include <QSaveFile>

// Writes all of `bytes` to an open save file and puts it in place. QSaveFile
// does not notice when the last flush of its buffer fails (disk full, size
// limit) and would put the short file in place: flush first, commit only then.
inline bool WriteWholeAndCommit(QSaveFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size() && file.flush() && file.commit();
}
