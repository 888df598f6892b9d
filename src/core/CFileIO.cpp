#include "CFileIO.h"

#include <QTextCodec>

bool CFileIO::IsUTF16LE(const QString& path)
{
    Q_UNUSED(path)
    return true;
}

void CFileIO::EncodeChangeOverWrite(const QString& path, QTextCodec* sourceCodec, QTextCodec* targetCodec)
{
    Q_UNUSED(path)
    Q_UNUSED(sourceCodec)
    Q_UNUSED(targetCodec)
}

void CFileIO::EncodeChangeOverWrite(const QString& sourcePath, QTextCodec* sourceCodec,
                                    const QString& targetPath, QTextCodec* targetCodec)
{
    Q_UNUSED(sourcePath)
    Q_UNUSED(sourceCodec)
    Q_UNUSED(targetPath)
    Q_UNUSED(targetCodec)
}

void CFileIO::SjisToUTF16LE(const QString& sourcePath, const QString& targetPath)
{
    Q_UNUSED(sourcePath)
    Q_UNUSED(targetPath)
    QTextCodec* unicode = QTextCodec::codecForName("UTF-16");
    QTextCodec* sjis = QTextCodec::codecForName("Shift-JIS");
    Q_UNUSED(unicode)
    Q_UNUSED(sjis)
}

void CFileIO::SjisToUTF16LE(const QString& path)
{
    SjisToUTF16LE(path, path);
}
