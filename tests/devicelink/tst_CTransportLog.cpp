#include <QtTest>

#include "CTransportLog.h"
#include "CTransportLogManager.h"
#include "CTransportLogParameter.h"
#include "CTestFolders.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QDateTime kStamp(QDate(2024, 3, 5), QTime(14, 7, 9, 31));

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// The file as the log writes it: UTF-16 little-endian, BOM first.
QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

const QByteArray kBom("\xFF\xFE", 2);

QString errorText()
{
    return QCoreApplication::translate("CTransportLog", "FileWriteErrorMsg");
}

} // namespace

class tst_CTransportLog : public QObject
{
    Q_OBJECT

private slots:
    void lineFormat_data();
    void lineFormat();
    void attributesAreFixed();
    void newFileStartsWithOneByteOrderMark();
    void recordDateNamesTheFile();
    void slotsWriteTheirAttribute();
    void onAndOff();
    void emptyFolderWritesNothing();
    void missingFolderIsCreated();
    void openFailureReports12_data();
    void openFailureReports12();
    void writeFailureReports16();
};

void tst_CTransportLog::lineFormat_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");

    const QString head = QStringLiteral("2024/03/05 14:07:09.031,192.168.0.10,");
    QTest::newRow("free text") << 0 << QByteArray() << 0 << QStringLiteral("Connected.")
                               << head + QStringLiteral("Ex,Connected.");
    QTest::newRow("free text ignores data") << 0 << bytes({1, 2}) << 2 << QStringLiteral("x")
                                            << head + QStringLiteral("Ex,x");
    QTest::newRow("sent frame") << 1 << bytes({0x02, 0x8A, 0x00}) << 3 << QString()
                                << head + QStringLiteral("Tx,02,8A,00");
    QTest::newRow("received, upper-case hex") << 2 << bytes({0xAB, 0xff, 0x0c}) << 3 << QString()
                                              << head + QStringLiteral("Rx,AB,FF,0C");
    QTest::newRow("empty frame") << 1 << QByteArray() << 0 << QString() << head + QStringLiteral("Tx,");
    QTest::newRow("size shorter than data") << 1 << bytes({1, 2, 3, 4}) << 2 << QString()
                                            << head + QStringLiteral("Tx,01,02");
    QTest::newRow("size longer than data") << 2 << bytes({1, 2}) << 9 << QString()
                                           << head + QStringLiteral("Rx,01,02");
    QTest::newRow("size zero") << 1 << bytes({1, 2}) << 0 << QString() << head + QStringLiteral("Tx,");
    QTest::newRow("size negative") << 1 << bytes({1, 2}) << -5 << QString() << head + QStringLiteral("Tx,");
    QTest::newRow("unknown attribute") << 7 << bytes({0x10}) << 1 << QStringLiteral("ignored")
                                       << head + QStringLiteral(",10");
    QTest::newRow("negative attribute") << -1 << bytes({0x10}) << 1 << QString()
                                        << head + QStringLiteral(",10");
}

void tst_CTransportLog::lineFormat()
{
    QFETCH(int, attribute);
    QFETCH(QByteArray, data);
    QFETCH(int, size);
    QFETCH(QString, text);
    QFETCH(QString, line);

    CTransportLogManager manager;
    CTransportLogParameter record;
    if (attribute == 0)
        record.SetFreeParameters(kStamp, QStringLiteral("192.168.0.10"), text);
    else
        record.SetStandardParameters(kStamp, attribute, QStringLiteral("192.168.0.10"), data, size);
    QCOMPARE(manager.GetLogString(record), line);
}

void tst_CTransportLog::attributesAreFixed()
{
    CTransportLogManager manager;
    bool found = false;
    QCOMPARE(manager.GetAttributeString(0, &found), QStringLiteral("Ex"));
    QVERIFY(found);
    QCOMPARE(manager.GetAttributeString(2, &found), QStringLiteral("Rx"));
    QVERIFY(found);
    QCOMPARE(manager.GetAttributeString(3, &found), QString());
    QVERIFY(!found);

    CTransportLogAttribute taken(1, QStringLiteral("Other"));
    QCOMPARE(manager.AddAttribute(taken), 1);
    QCOMPARE(manager.GetAttributeString(1), QStringLiteral("Tx"));
    CTransportLogAttribute fresh(3, QStringLiteral("Zz"));
    QCOMPARE(manager.AddAttribute(fresh), 0);
    QCOMPARE(manager.GetAttributeString(3), QStringLiteral("Zz"));

    QVERIFY(manager.IsEnabled());
    QCOMPARE(manager.GetFolder(), QCoreApplication::applicationDirPath());
}

void tst_CTransportLog::newFileStartsWithOneByteOrderMark()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CTransportLog log;
    log.LogPath(dir.path());
    QSignalSpy errors(&log, &CTransportLog::ErrorOccurred);

    QByteArray frame = bytes({0x02, 0x8A, 0x00});
    log.AddLog(kStamp.addMSecs(-41), QStringLiteral("192.168.0.10"), QStringLiteral("Connected."));
    log.AddLog(kStamp, 1, QStringLiteral("192.168.0.10"), frame, frame.size());

    const QByteArray expected =
        kBom + utf16(QStringLiteral("2024/03/05 14:07:08.990,192.168.0.10,Ex,Connected.\n"
                                    "2024/03/05 14:07:09.031,192.168.0.10,Tx,02,8A,00\n"));
    QCOMPARE(CTestFolders::readFile(dir.filePath(QStringLiteral("COMM20240305.txt"))), expected);
    QCOMPARE(errors.count(), 0);

    // A file that is already there (say, written by an earlier run) gets no mark.
    QFile old(dir.filePath(QStringLiteral("COMM20240306.txt")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(kBom + utf16(QStringLiteral("earlier\n")));
    old.close();
    log.AddLog(kStamp.addDays(1), QStringLiteral("h"), QStringLiteral("later"));
    QCOMPARE(CTestFolders::readFile(old.fileName()),
             kBom + utf16(QStringLiteral("earlier\n2024/03/06 14:07:09.031,h,Ex,later\n")));
}

void tst_CTransportLog::recordDateNamesTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CTransportLog log;
    log.LogPath(dir.path());

    const QDateTime lastMoment(QDate(2023, 12, 31), QTime(23, 59, 59, 999));
    log.AddLog(lastMoment, QStringLiteral("a"), QStringLiteral("old day"));
    log.AddLog(lastMoment.addMSecs(1), QStringLiteral("a"), QStringLiteral("new day"));
    // Written today, stamped long ago: the stamp decides.
    log.AddLog(QDateTime(QDate(2001, 1, 2), QTime(3, 4, 5)), QStringLiteral("a"), QStringLiteral("past"));

    QCOMPARE(CTestFolders::readFile(dir.filePath(QStringLiteral("COMM20231231.txt"))),
             kBom + utf16(QStringLiteral("2023/12/31 23:59:59.999,a,Ex,old day\n")));
    QCOMPARE(CTestFolders::readFile(dir.filePath(QStringLiteral("COMM20240101.txt"))),
             kBom + utf16(QStringLiteral("2024/01/01 00:00:00.000,a,Ex,new day\n")));
    QCOMPARE(CTestFolders::readFile(dir.filePath(QStringLiteral("COMM20010102.txt"))),
             kBom + utf16(QStringLiteral("2001/01/02 03:04:05.000,a,Ex,past\n")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

void tst_CTransportLog::slotsWriteTheirAttribute()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CTransportLog log;
    log.LogPath(dir.path());

    log.AddFreeLog(kStamp, QStringLiteral("10.0.0.1"), QStringLiteral("Disconnected."), 4);
    log.AddTxLog(kStamp, QStringLiteral("10.0.0.1"), bytes({0x00, 0xBF}), 4);
    log.AddRxLog(kStamp, QStringLiteral("10.0.0.1"), bytes({0x20, 0xBF, 0x01}), 4);
    log.AddTxLog(kStamp, QStringLiteral("10.0.0.1"), QByteArray(), 4);

    const QString head = QStringLiteral("2024/03/05 14:07:09.031,10.0.0.1,");
    QCOMPARE(CTestFolders::readFile(dir.filePath(QStringLiteral("COMM20240305.txt"))),
             kBom + utf16(head + QStringLiteral("Ex,Disconnected.\n") + head + QStringLiteral("Tx,00,BF\n")
                          + head + QStringLiteral("Rx,20,BF,01\n") + head + QStringLiteral("Tx,\n")));
}

void tst_CTransportLog::onAndOff()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CTransportLog log;
    log.LogPath(dir.path());
    const QString file = dir.filePath(QStringLiteral("COMM20240305.txt"));

    log.LogEnabled(false);
    QVERIFY(!log.GetManager()->IsEnabled());
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("dropped"));
    QVERIFY(!QFile::exists(file));

    log.LogEnabled(true);
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("kept"));
    log.LogEnabled(false);
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("dropped again"));
    QCOMPARE(CTestFolders::readFile(file), kBom + utf16(QStringLiteral("2024/03/05 14:07:09.031,a,Ex,kept\n")));
}

void tst_CTransportLog::emptyFolderWritesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    CTransportLog log;
    QSignalSpy errors(&log, &CTransportLog::ErrorOccurred);
    log.LogPath(QString());
    QCOMPARE(log.GetManager()->GetFolder(), QString());
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("nowhere"));

    QDir::setCurrent(cwd);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(errors.count(), 0);
}

void tst_CTransportLog::missingFolderIsCreated()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("one/two/three"));
    CTransportLog log;
    log.LogPath(folder);
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("deep"));
    QCOMPARE(CTestFolders::readFile(folder + QStringLiteral("/COMM20240305.txt")),
             kBom + utf16(QStringLiteral("2024/03/05 14:07:09.031,a,Ex,deep\n")));
}

void tst_CTransportLog::openFailureReports12_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("folder");
    // A regular file where a folder should be: the folder cannot be made.
    QTest::newRow("folder is a file") << QStringLiteral("plain") << QStringLiteral("plain");
    QTest::newRow("parent is a file") << QStringLiteral("plain") << QStringLiteral("plain/logs");
    // The day's file name taken by a folder.
    QTest::newRow("day file is a folder") << QString() << QString();
}

void tst_CTransportLog::openFailureReports12()
{
    QFETCH(QString, blocker);
    QFETCH(QString, folder);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!blocker.isEmpty()) {
        QFile file(dir.filePath(blocker));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    } else {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("COMM20240305.txt")));
    }

    CTransportLog log;
    log.LogPath(folder.isEmpty() ? dir.path() : dir.filePath(folder));
    QSignalSpy errors(&log, &CTransportLog::ErrorOccurred);
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("lost"));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), errorText());
    QCOMPARE(errors.at(0).at(1).toInt(), 12);

    // The writer goes on working once the folder is usable again.
    QTemporaryDir good;
    log.LogPath(good.path());
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("found"));
    QCOMPARE(errors.count(), 1);
    QVERIFY(QFile::exists(good.filePath(QStringLiteral("COMM20240305.txt"))));
}

void tst_CTransportLog::writeFailureReports16()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The day's file opens for appending, but every write fails: a full disk.
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), dir.filePath(QStringLiteral("COMM20240305.txt"))));

    CTransportLog log;
    log.LogPath(dir.path());
    QSignalSpy errors(&log, &CTransportLog::ErrorOccurred);
    log.AddLog(kStamp, QStringLiteral("a"), QStringLiteral("no room"));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), errorText());
    QCOMPARE(errors.at(0).at(1).toInt(), 16);
}

QTEST_GUILESS_MAIN(tst_CTransportLog)
#include "tst_CTransportLog.moc"
