#include <QtTest>

#include <QTemporaryDir>
#include <QTextCodec>

#include "CFileIO.h"

class tst_CFileIO : public QObject
{
    Q_OBJECT
private slots:
    void isUTF16LEAnswersTrueWithoutOpening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QString("missing.ini");
        QTest::newRow("shift_jis") << QString("sjis.ini");
    }

    void isUTF16LEAnswersTrueWithoutOpening()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QFile f(dir.filePath("sjis.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[A]\r\nk=\x82\xa0\r\n");
        f.close();
        CFileIO io;
        QVERIFY(io.IsUTF16LE(dir.filePath(name)));
    }

    void conversionsLeaveTheFileAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.ini");
        const QString other = dir.filePath("b.ini");
        const QByteArray bytes("[A]\r\nk=\x82\xa0\\\r\n");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        CFileIO io;
        io.SjisToUTF16LE(path);
        io.SjisToUTF16LE(path, other);
        io.EncodeChangeOverWrite(path, QTextCodec::codecForName("Shift_JIS"), QTextCodec::codecForName("UTF-16LE"));
        io.EncodeChangeOverWrite(path, QTextCodec::codecForName("Shift_JIS"), other, QTextCodec::codecForName("UTF-16LE"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QVERIFY(!QFile::exists(other));
    }
};

QTEST_APPLESS_MAIN(tst_CFileIO)
#include "tst_CFileIO.moc"
