#include <QtTest>

#include "AppPaths.h"
#include "CNoOperatingDate.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CTestFolders.h"
#include "ScheduleFileExample.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

namespace {

CScheduleData* makeRecord(int type, const QString& name, int function, int terminal, int duration,
                          const QDate& start, const QDate& finish, const QTime& at, int days, bool enable,
                          bool useFinish, const QString& comment)
{
    CScheduleData* d = new CScheduleData(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    d->TargetType = type;
    d->TargetName = name;
    d->Function = function;
    d->InputTerminal = terminal;
    d->DurationType = duration;
    d->StartDay = QDateTime(start, QTime(0, 0));
    d->FinishDay = QDateTime(finish, QTime(0, 0));
    d->ExecuteTime = at;
    d->DayOfWeek = quint8(days);
    d->Enable = enable;
    d->UseFinishDay = useFinish;
    d->Comment = comment;
    return d;
}

// The three schedules of the example file, under keys 0 to 2.
void fillExample(CScheduleManager& m)
{
    auto& map = m.f_GetScheduleMap();
    map.insert(0, makeRecord(0, "All Projectors", 1, 1, 0, QDate(2024, 3, 13), QDate(2024, 3, 13),
                             QTime(8, 30), 0x3E, true, false, "Morning on"));
    map.insert(1, makeRecord(0, "Group\\Building A\\Hall 1", 11, 0x1A, 1, QDate(2024, 3, 14),
                             QDate(2024, 3, 20), QTime(12, 0), 0x10, true, true, "Lunch input"));
    map.insert(2, makeRecord(1, "192.168.0.10", 9, 1, 1, QDate(2024, 3, 16), QDate(2024, 3, 16),
                             QTime(18, 45), 0x40, false, false, ""));
}

QByteArray utf16File(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const char* const HEADER = "[Header Info]\nMagicCode=ScheduleData\nRevCode=Rev.1.0\n";

// One schedule section with a few keys of its own.
QString section(int number, const QString& extra = QString())
{
    return QStringLiteral("[ScheduleData %1]\nTargetType=1\nTargetName=10.0.0.%2\nFunction=2\n%3")
        .arg(number, 3, 10, QLatin1Char('0'))
        .arg(number)
        .arg(extra);
}

} // namespace

class tst_CScheduleFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_Dir;

    QString path(const QString& name) const { return m_Dir.path() + QLatin1Char('/') + name; }

    // Loads `text` (UTF-16 with a byte-order mark) through a fresh file object.
    bool load(const QString& text, CScheduleFile& file, bool withHolidays = true)
    {
        if (!CTestFolders::writeFile(path("load.scd"), utf16File(text)))
            return false;
        return file.LoadScheduleFile(withHolidays);
    }

    // One field of the loaded schedule 0, by name.
    static QVariant valueOf(CScheduleFile& file, const QString& field)
    {
        const CScheduleData& d = *file.m_pScheduleManager->f_GetScheduleMap().value(0);
        QVariant actual;
        if (field == "InputTerminal")
            actual = d.InputTerminal;
        else if (field == "DayOfWeek")
            actual = int(d.DayOfWeek);
        else if (field == "Enable")
            actual = d.Enable;
        else if (field == "UseFinishDay")
            actual = d.UseFinishDay;
        else if (field == "TargetName")
            actual = d.TargetName;
        else if (field == "Function")
            actual = d.Function;
        else if (field == "StartDayValid")
            actual = d.StartDay.isValid();
        else if (field == "ExecuteTime")
            actual = d.ExecuteTime;
        else if (field == "Comment")
            actual = d.Comment;
        return actual;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        AppPaths::setHomeFolder(m_Dir.path());
    }

    void defaultLocationIsBelowApplicationData()
    {
        const QString folder = m_Dir.path() + "/Application Data/Corvex Projector User Fennick/Lumivox 5";
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(CTestFolders::writeFile(folder + "/Schedule.scd", utf16File(QString::fromLatin1(SCHEDULE_FILE_EXAMPLE))));
        CScheduleFile file;
        QVERIFY(file.LoadScheduleFile(true));
        QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 3);
    }

    // The example file byte for byte: UTF-16LE, a byte-order mark, LF endings,
    // bare values; then read back into equal records.
    void writesExampleAndReadsItBack()
    {
        CScheduleFile out(m_Dir.path(), "unused");
        fillExample(*out.m_pScheduleManager);
        CNoOperatingDate dates;
        dates.Add(QDateTime(QDate(2024, 5, 3), QTime(9, 0)));
        dates.Add(QDateTime(QDate(2024, 3, 20), QTime(0, 0)));
        out.SetHolidayParam(dates);
        QCOMPARE(out.m_HolidayList, QList<qint32>({ 8845, 8889 }));

        const QString target = path("new folder/Schedule.scd");
        QCOMPARE(out.SaveScheduleFile(target, true), 0);
        QCOMPARE(CTestFolders::readFile(target), utf16File(QString::fromLatin1(SCHEDULE_FILE_EXAMPLE)));

        CScheduleFile in(path("new folder"), "Schedule.scd");
        QVERIFY(in.LoadScheduleFile(true));
        const auto& expected = out.m_pScheduleManager->f_GetScheduleMap();
        const auto& loaded = in.m_pScheduleManager->f_GetScheduleMap();
        QCOMPARE(loaded.keys(), QList<int>({ 0, 1, 2 }));
        for (int key : loaded.keys()) {
            const CScheduleData& a = *expected.value(key);
            const CScheduleData& b = *loaded.value(key);
            QCOMPARE(b.TargetType, a.TargetType);
            QCOMPARE(b.TargetName, a.TargetName);
            QCOMPARE(b.Function, a.Function);
            QCOMPARE(b.InputTerminal, a.InputTerminal);
            QCOMPARE(b.DurationType, a.DurationType);
            QCOMPARE(b.StartDay, a.StartDay);
            QCOMPARE(b.FinishDay, a.FinishDay);
            QCOMPARE(b.ExecuteTime, a.ExecuteTime);
            QCOMPARE(b.DayOfWeek, a.DayOfWeek);
            QCOMPARE(b.Enable, a.Enable);
            QCOMPARE(b.UseFinishDay, a.UseFinishDay);
            QCOMPARE(b.Comment, a.Comment);
            QCOMPARE(b.Status, qint32(CScheduleData::STATUS_TYPE::None));
        }
        QCOMPARE(in.m_HolidayList, out.m_HolidayList);
        QCOMPARE(in.m_HolidayCount, 2);
    }

    void loadOutcome_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<qint32>>("holidays");

        const QString header = QString::fromLatin1(HEADER);
        QTest::newRow("header in any case")
            << "[Header Info]\nMagicCode=scheduledata\nRevCode=REV.1.0\nScheduleCount=1\n" + section(0)
            << true << 1 << QList<qint32>();
        QTest::newRow("other magic") << "[Header Info]\nMagicCode=ScheduleDat\nRevCode=Rev.1.0\nScheduleCount=1\n"
                                            + section(0)
                                     << false << 0 << QList<qint32>();
        QTest::newRow("other revision") << "[Header Info]\nMagicCode=ScheduleData\nRevCode=Rev.1.1\n"
                                           "ScheduleCount=1\n" + section(0)
                                        << false << 0 << QList<qint32>();
        QTest::newRow("no header") << section(0) << false << 0 << QList<qint32>();
        QTest::newRow("count 0 with holidays")
            << header + "ScheduleCount=0\n" + section(0) + "[Holiday]\nCount=2\nDayData 00001=5\nDayData 00002=7\n"
            << true << 0 << QList<qint32>({ 5, 7 });
        QTest::newRow("negative count") << header + "ScheduleCount=-3\n" + section(0) << true << 0 << QList<qint32>();
        // A damaged count invents nothing: only the sections present load.
        QTest::newRow("count above the sections")
            << header + "ScheduleCount=5\n" + section(0) + section(1) + section(2) << true << 3 << QList<qint32>();
        QTest::newRow("a section missing in between")
            << header + "ScheduleCount=3\n" + section(0) + section(2) << true << 2 << QList<qint32>();
        QTest::newRow("only the second day of three")
            << header + "ScheduleCount=0\n[Holiday]\nCount=3\nDayData 00002=100\n" << true << 0
            << QList<qint32>({ 100 });
        QTest::newRow("negative and absurd days")
            << header + "ScheduleCount=0\n[Holiday]\nCount=3\nDayData 00001=-5\nDayData 00002=99999\n"
                        "DayData 00003=x\n"
            << true << 0 << QList<qint32>({ 99999 });
        QTest::newRow("days beyond the count")
            << header + "ScheduleCount=0\n[Holiday]\nCount=1\nDayData 00001=1\nDayData 00002=2\n" << true << 0
            << QList<qint32>({ 1 });
        QTest::newRow("day keys not in the file's numbering")
            << header + "ScheduleCount=0\n[Holiday]\nCount=3\nDayData 1=1\nDayData 00003=3\nDayData 002=2\n"
            << true << 0 << QList<qint32>({ 3 });
        QTest::newRow("sections and keys in another case")
            << "[HEADER INFO]\nmagiccode=ScheduleData\nrevcode=Rev.1.0\nschedulecount=2\n" + section(0)
                   + section(1).toLower() + "[holiday]\ncount=1\ndaydata 00001=9\n"
            << true << 2 << QList<qint32>({ 9 });
        QTest::newRow("days in any order read by number")
            << header + "ScheduleCount=0\n[Holiday]\nCount=2\nDayData 00002=20\nDayData 00001=10\n" << true << 0
            << QList<qint32>({ 10, 20 });
    }

    void loadOutcome()
    {
        QFETCH(QString, text);
        QFETCH(bool, loaded);
        QFETCH(int, records);
        QFETCH(QList<qint32>, holidays);

        CScheduleFile file(m_Dir.path(), "load.scd");
        QCOMPARE(load(text, file), loaded);
        QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), records);
        QCOMPARE(file.m_HolidayList, holidays);
        QCOMPARE(file.m_HolidayCount, holidays.size());
        // Whatever loaded came from a section of the file.
        for (const CScheduleData* d : file.m_pScheduleManager->f_GetScheduleMap())
            QCOMPARE(d->TargetType, 1);
    }

    // A failed load keeps what the file object held.
    void failedLoadKeepsContent()
    {
        CScheduleFile file(m_Dir.path(), "missing.scd");
        file.m_pScheduleManager->f_AddSchedule(new CScheduleData(), false);
        file.m_HolidayList << 4;
        file.m_HolidayCount = 1;
        QVERIFY(!file.LoadScheduleFile(true));
        QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 1);
        QCOMPARE(file.m_HolidayList, QList<qint32>({ 4 }));

        QVERIFY(!load(section(0), file));
        QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 1);
    }

    void holidaysOnlyWhenAsked()
    {
        CScheduleFile file(m_Dir.path(), "load.scd");
        QVERIFY(load(QString::fromLatin1(HEADER) + "ScheduleCount=0\n[Holiday]\nCount=1\nDayData 00001=9\n", file,
                     false));
        QVERIFY(file.m_HolidayList.isEmpty());
        QCOMPARE(file.m_HolidayCount, 0);
    }

    void loadValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("terminal 1AH") << "InputTerminal=1AH" << "InputTerminal" << QVariant(0x1A);
        QTest::newRow("terminal 1a") << "InputTerminal=1a" << "InputTerminal" << QVariant(0x1A);
        QTest::newRow("terminal 1ah") << "InputTerminal=1ah" << "InputTerminal" << QVariant(0);
        QTest::newRow("terminal zz") << "InputTerminal=zz" << "InputTerminal" << QVariant(0);
        QTest::newRow("terminal beyond a byte") << "InputTerminal=1A2H" << "InputTerminal" << QVariant(0);
        QTest::newRow("terminal 1FFH") << "InputTerminal=1FFH" << "InputTerminal" << QVariant(0);
        QTest::newRow("terminal FFH") << "InputTerminal=FFH" << "InputTerminal" << QVariant(0xFF);
        QTest::newRow("terminal -1H") << "InputTerminal=-1H" << "InputTerminal" << QVariant(0);
        QTest::newRow("weekdays low byte") << "DayOfWeek=17fH" << "DayOfWeek" << QVariant(0x7F);
        QTest::newRow("enable 1") << "Enable=1" << "Enable" << QVariant(true);
        QTest::newRow("enable 2") << "Enable=2" << "Enable" << QVariant(false);
        QTest::newRow("enable true") << "Enable=true" << "Enable" << QVariant(false);
        QTest::newRow("enable missing") << "Comment=x" << "Enable" << QVariant(true);
        QTest::newRow("finish day flag 1") << "UseFinishDay=1" << "UseFinishDay" << QVariant(true);
        QTest::newRow("yen sign") << QString::fromUtf8("TargetName=Group\u00A5A\u00A5B") << "TargetName"
                                  << QVariant("Group\\A\\B");
        QTest::newRow("function not a number") << "Function=x" << "Function" << QVariant(1);
        QTest::newRow("month 13") << "StartDay Month=13" << "StartDayValid" << QVariant(false);
        QTest::newRow("seconds kept") << "ExecuteTime Second=30" << "ExecuteTime" << QVariant(QTime(7, 15, 30));
        QTest::newRow("function in lower case") << "function=2" << "Function" << QVariant(2);
        QTest::newRow("enable 0 in lower case") << "enable=0" << "Enable" << QVariant(false);
        QTest::newRow("target name in upper case") << "TARGETNAME=Hall" << "TargetName" << QVariant("Hall");
        QTest::newRow("comment with %1") << "Comment=100%1 off" << "Comment" << QVariant("100%1 off");
        QTest::newRow("comment with blanks around") << "Comment=\"  lead \"" << "Comment" << QVariant("  lead ");
        QTest::newRow("comment in quotes") << "Comment=\"\"on\"\"" << "Comment" << QVariant("\"on\"");
        QTest::newRow("target name with a trailing blank") << "TargetName=\"Group\\Hall \"" << "TargetName"
                                                           << QVariant("Group\\Hall ");
    }

    void loadValue()
    {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);

        // The line comes first: of a key held twice, the first one counts.
        const QString text = QString::fromLatin1(HEADER) + "ScheduleCount=1\n[ScheduleData 000]\n" + line
                             + "\nStartDay Year=2024\nStartDay Month=3\nStartDay Day=1\n"
                               "ExecuteTime Hour=7\nExecuteTime Minute=15\nExecuteTime Second=0\n";
        CScheduleFile file(m_Dir.path(), "load.scd");
        QVERIFY(load(text, file));
        QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 1);
        QCOMPARE(valueOf(file, field), expected);
        // Saved and loaded again, the value stays what the first load gave.
        QCOMPARE(file.SaveScheduleFile(path("again.scd"), true), 0);
        CScheduleFile again(m_Dir.path(), "again.scd");
        QVERIFY(again.LoadScheduleFile(true));
        QCOMPARE(valueOf(again, field), expected);
    }


    // Counts from the file never drive a loop: the largest count returns at
    // once with what a collection holds.
    void largestCountsReturnAtOnce()
    {
        QString text = QString::fromLatin1(HEADER) + "ScheduleCount=2147483647\n";
        for (int i = 0; i < 1003; ++i)
            text += section(i);
        text += "[Holiday]\nCount=2147483647\nDayData 00001=1\nDayData 2147483647=2\nDayData 00007=7\n";
        CScheduleFile file(m_Dir.path(), "load.scd");
        QVERIFY(load(text, file));
        const auto& map = file.m_pScheduleManager->f_GetScheduleMap();
        QCOMPARE(map.size(), 1001);
        QCOMPARE(map.value(1000)->TargetName, QString("10.0.0.1000"));
        QCOMPARE(file.m_HolidayList, QList<qint32>({ 1, 7, 2 }));
    }

    // Sections are numbered by position; nothing of an older file survives.
    void saveWritesOnlyTheCollection()
    {
        const QString target = path("replace.scd");
        QVERIFY(CTestFolders::writeFile(target, utf16File("[Header Info]\nMagicCode=ScheduleData\nOld=1\n[ScheduleData 009]\n"
                                             "TargetType=1\n[Other]\nKey=Value\n")));
        CScheduleFile out(m_Dir.path(), "unused");
        fillExample(*out.m_pScheduleManager);
        auto& map = out.m_pScheduleManager->f_GetScheduleMap();
        map.insert(9, map.take(2));
        map.insert(5, map.take(1));
        map.insert(2, map.take(0));
        QCOMPARE(out.SaveScheduleFile(target, false), 0);

        const QByteArray bytes = CTestFolders::readFile(target);
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                                (bytes.size() - 2) / 2);
        QVERIFY(!text.contains("Old="));
        QVERIFY(!text.contains("[Other]"));
        QVERIFY(!text.contains("[Holiday]"));
        QVERIFY(!text.contains("[ScheduleData 009]"));
        QVERIFY(text.contains("ScheduleCount=3\n[ScheduleData 000]\nTargetType=0\nTargetName=All Projectors\n"));
        QVERIFY(text.contains("[ScheduleData 001]\nTargetType=0\nTargetName=Group\\Building A"));
        QVERIFY(text.contains("[ScheduleData 002]\nTargetType=1\nTargetName=192.168.0.10\n"));

        CScheduleFile in(m_Dir.path(), "replace.scd");
        QVERIFY(in.LoadScheduleFile(true));
        QCOMPARE(in.m_pScheduleManager->f_GetScheduleMap().size(), 3);
        QCOMPARE(in.m_pScheduleManager->f_GetScheduleMap().value(2)->TargetName, QString("192.168.0.10"));
    }

    void sectionNamesAndHexTexts()
    {
        CScheduleFile out(m_Dir.path(), "unused");
        for (int i = 0; i < 1001; ++i) {
            CScheduleData* d = makeRecord(1, "x", 1, i == 1000 ? 0x105 : 5, 0, QDate(2024, 1, 1),
                                          QDate(2024, 1, 1), QTime(1, 0), 0x3E, true, false, QString());
            QVERIFY(out.m_pScheduleManager->f_AddSchedule(d, false));
        }
        const QString target = path("many.scd");
        QCOMPARE(out.SaveScheduleFile(target, false), 0);
        const QByteArray bytes = CTestFolders::readFile(target);
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                                (bytes.size() - 2) / 2);
        QVERIFY(text.contains("[ScheduleData 000]\n"));
        QVERIFY(text.contains("[ScheduleData 999]\n"));
        QVERIFY(text.contains("[ScheduleData 1000]\n"));
        QVERIFY(text.contains("InputTerminal=05H\n"));
        QVERIFY(text.contains("[ScheduleData 1000]\nTargetType=1\nTargetName=x\nFunction=1\nInputTerminal=05H\n"));
        // A null comment is written as an empty value, not dropped.
        QVERIFY(text.endsWith("UseFinishDay=0\nComment=\n"));
    }

    void setHolidayParam()
    {
        CScheduleFile file(m_Dir.path(), "unused");
        file.m_HolidayList << 77;
        CNoOperatingDate dates;
        dates.Add(18627);
        dates.Add(0);
        dates.Add(8845);
        file.SetHolidayParam(dates);
        QCOMPARE(file.m_HolidayList, QList<qint32>({ 0, 8845, 18627 }));
        QCOMPARE(file.m_HolidayCount, 3);

        file.SetHolidayParam(CNoOperatingDate());
        QVERIFY(file.m_HolidayList.isEmpty());
        QCOMPARE(file.m_HolidayCount, 0);
    }

    // The export for the previous version: Shift_JIS without a mark; a
    // character it cannot hold is reported (1) and written as "?".
    void shiftJisExport()
    {
        if (!QTextCodec::codecForName("Shift_JIS"))
            QSKIP("no Shift_JIS codec");
        CScheduleFile out(m_Dir.path(), "unused");
        fillExample(*out.m_pScheduleManager);
        out.m_pScheduleManager->f_GetScheduleMap().value(0)->Comment = QString::fromUtf8("Caf\u00E9 \u0100");
        const QString target = path("export.scd");
        QCOMPARE(out.SaveScheduleFile(target, true, "Shift_JIS"), 1);
        const QByteArray bytes = CTestFolders::readFile(target);
        QVERIFY(bytes.startsWith("[Header Info]\nMagicCode=ScheduleData\n"));
        QVERIFY(bytes.contains("TargetName=Group\\Building A\\Hall 1\n"));
        QVERIFY(bytes.contains("Comment=Caf"));
        QVERIFY(bytes.contains("?\n"));

        CScheduleFile in(m_Dir.path(), "export.scd");
        QVERIFY(in.LoadScheduleFile(true));
        QCOMPARE(in.m_pScheduleManager->f_GetScheduleMap().value(1)->TargetName,
                 QString("Group\\Building A\\Hall 1"));
    }

    void failedSave_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("unknown code page") << "codepage";
        QTest::newRow("folder is a regular file") << "folderfile";
        QTest::newRow("path is a folder") << "pathfolder";
    }

    // A save that fails says 2 and leaves what was there.
    void failedSave()
    {
        QFETCH(QString, kind);
        const QString old = path("old.scd");
        const QByteArray before = utf16File(QString::fromLatin1(SCHEDULE_FILE_EXAMPLE));
        QVERIFY(CTestFolders::writeFile(old, before));
        CScheduleFile out(m_Dir.path(), "unused");
        fillExample(*out.m_pScheduleManager);
        out.m_pScheduleManager->f_GetScheduleMap().value(0)->Comment = "changed";

        if (kind == "codepage") {
            QCOMPARE(out.SaveScheduleFile(old, true, "No-Such-Code-Page"), 2);
        } else if (kind == "folderfile") {
            QCOMPARE(out.SaveScheduleFile(old + "/Schedule.scd", true), 2);
        } else {
            const QString folder = path("a folder");
            QVERIFY(QDir().mkpath(folder));
            QCOMPARE(out.SaveScheduleFile(folder, true), 2);
            QVERIFY(QFileInfo(folder).isDir());
        }
        QCOMPARE(CTestFolders::readFile(old), before);
    }
};

QTEST_GUILESS_MAIN(tst_CScheduleFile)
#include "tst_CScheduleFile.moc"
