#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "TextFileAppend.h"

Q_DECLARE_METATYPE(TextAppendResult)

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_TextFileAppend : public QObject
{
    Q_OBJECT
private slots:
    // Two appends to one file: the byte-order mark comes once, at the start
    // of a new file, and only for the Unicode code pages.
    void appendsAndMarksNewFiles_data()
    {
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("UTF-16: little-endian with BOM")
            << "UTF-16" << QByteArray("\xFF\xFE" "a\0\n\0" "b\0\n\0", 10);
        QTest::newRow("UTF-8: with BOM") << "UTF-8" << QByteArray("\xEF\xBB\xBF" "a\nb\n");
        QTest::newRow("Shift_JIS: no mark") << "Shift_JIS" << QByteArray("a\nb\n");
    }

    void appendsAndMarksNewFiles()
    {
        QFETCH(QString, codePage);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The day's folder is made on the first write.
        const QString path = dir.filePath(QStringLiteral("logs/day.txt"));
        QCOMPARE(AppendTextFile(path, QStringLiteral("a\n"), codePage), TextAppendResult::Ok);
        QCOMPARE(AppendTextFile(path, QStringLiteral("b\n"), codePage), TextAppendResult::Ok);
        QCOMPARE(readAll(path), expected);
    }

    void reportsFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextAppendResult>("expected");
        QTest::newRow("folder is a file") << "blocker/day.txt" << "UTF-16" << "a\n" << TextAppendResult::OpenFailed;
        QTest::newRow("unknown code page") << "day.txt" << "no-such-codec" << "a\n" << TextAppendResult::WriteFailed;
        QTest::newRow("text the code page cannot hold")
            << "day.txt" << "ISO-8859-1" << QString::fromUtf8("\xE6\x97\xA5\n") << TextAppendResult::WriteFailed;
    }

    void reportsFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, codePage);
        QFETCH(QString, text);
        QFETCH(TextAppendResult, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile blocker(dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(AppendTextFile(dir.filePath(name), text, codePage), expected);
    }

    void fullDiskIsAWriteFailure()
    {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full on this system");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("day.txt"));
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
        QCOMPARE(AppendTextFile(path, QStringLiteral("a\n"), QStringLiteral("UTF-16")), TextAppendResult::WriteFailed);
    }
};

QTEST_GUILESS_MAIN(tst_TextFileAppend)
#include "tst_TextFileAppend.moc"
