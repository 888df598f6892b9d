#ifndef CFILEIO_H
#define CFILEIO_H

#include <QString>

class QTextCodec;

// Names of a Shift_JIS/UTF-16 file conversion that the system never needs:
// the INI reader and writer choose the code page themselves. No operation
// here opens, reads or changes a file.
class CFileIO
{
public:
    CFileIO() {}

    bool IsUTF16LE(const QString& path);
    void EncodeChangeOverWrite(const QString& path, QTextCodec* sourceCodec, QTextCodec* targetCodec);
    void EncodeChangeOverWrite(const QString& sourcePath, QTextCodec* sourceCodec,
                               const QString& targetPath, QTextCodec* targetCodec);
    void SjisToUTF16LE(const QString& sourcePath, const QString& targetPath);
    void SjisToUTF16LE(const QString& path);
};

#endif // CFILEIO_H
