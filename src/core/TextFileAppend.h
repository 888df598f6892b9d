#ifndef TEXTFILEAPPEND_H
#define TEXTFILEAPPEND_H

#include <QString>

// How an append to a text log went; a failure's value is the error code the
// logs report with their "FileWriteErrorMsg".
enum class TextAppendResult {
    Ok = 0,
    OpenFailed = 12,  // the file (or its folder) cannot be made or opened
    WriteFailed = 16, // the write failed, or the code page cannot hold the text
};

// Appends `text` to the daily log file at `path` in the code page `codePage`
// ("UTF-16", "UTF-8" or another codec name), making the folder first. A new
// file starts with a byte-order mark when the code page is UTF-16 or UTF-8.
TextAppendResult AppendTextFile(const QString& path, const QString& text, const QString& codePage);

#endif // TEXTFILEAPPEND_H
