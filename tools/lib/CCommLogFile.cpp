#include "CCommLogFile.h"

#include "HexText.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
const int kStampLength = 23; // "yyyy/MM/dd HH:mm:ss.zzz"
}

QStringList CCommLogFile::Lines(const QString& folder, QStringList* stamps)
{
    QStringList lines;
    QDir dir(folder);
    for (const QString& name : dir.entryList(QStringList{QStringLiteral("COMM*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextStream stream(&file);
        stream.setCodec("UTF-16");
        for (const QString& line : stream.readAll().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (stamps)
                *stamps << line.left(kStampLength);
            lines << line.mid(kStampLength + 1);
        }
    }
    return lines;
}

QString CCommLogFile::Hex(const QByteArray& bytes)
{
    return CommaHex(bytes);
}
