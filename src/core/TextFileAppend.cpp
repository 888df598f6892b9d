#include "TextFileAppend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>
#include <QTextStream>

TextAppendResult AppendTextFile(const QString& path, const QString& text, const QString& codePage)
{
    QTextCodec* codec = QTextCodec::codecForName(codePage.toLatin1());
    if (!codec)
        return TextAppendResult::WriteFailed;

    // A folder that cannot be made shows as a failed open below.
    const QFileInfo info(path);
    if (!info.dir().exists())
        QDir().mkpath(info.absolutePath());

    QFile file(path);
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return TextAppendResult::OpenFailed;

    QTextStream stream(&file);
    stream.setCodec(codec);
    const QString upper = codePage.toUpper();
    stream.setGenerateByteOrderMark(!existed && (upper == QLatin1String("UTF-16") || upper == QLatin1String("UTF-8")));
    stream << text;
    stream.flush();
    file.flush();

    const bool written = codec->canEncode(text) && file.error() == QFileDevice::NoError
                         && stream.status() == QTextStream::Ok;
    file.close();
    return written ? TextAppendResult::Ok : TextAppendResult::WriteFailed;
}
