#include <QtTest>

#include "AppPaths.h"
#include "ByteMutator.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CTestFolders.h"

namespace {

const char* const VALID =
    "[Header Info]\n"
    "MagicCode=ScheduleData\n"
    "RevCode=Rev.1.0\n"
    "ScheduleCount=2\n"
    "[ScheduleData 000]\n"
    "TargetType=0\n"
    "TargetName=Group\\Building A\\Hall 1\n"
    "Function=11\n"
    "InputTerminal=1aH\n"
    "DurationType=1\n"
    "StartDay Year=2024\n"
    "StartDay Month=3\n"
    "StartDay Day=14\n"
    "StartDay Hour=0\n"
    "StartDay Minute=0\n"
    "StartDay Second=0\n"
    "FinishDay Year=2024\n"
    "FinishDay Month=3\n"
    "FinishDay Day=20\n"
    "FinishDay Hour=0\n"
    "FinishDay Minute=0\n"
    "FinishDay Second=0\n"
    "ExecuteTime Hour=12\n"
    "ExecuteTime Minute=0\n"
    "ExecuteTime Second=0\n"
    "DayOfWeek=10H\n"
    "Enable=1\n"
    "UseFinishDay=1\n"
    "Comment=Lunch input\n"
    "[ScheduleData 001]\n"
    "TargetType=1\n"
    "TargetName=192.168.0.10\n"
    "Function=9\n"
    "InputTerminal=01H\n"
    "DurationType=0\n"
    "StartDay Year=2024\n"
    "StartDay Month=3\n"
    "StartDay Day=16\n"
    "ExecuteTime Hour=18\n"
    "ExecuteTime Minute=45\n"
    "DayOfWeek=40H\n"
    "Enable=0\n"
    "UseFinishDay=0\n"
    "Comment=\n"
    "[Holiday]\n"
    "Count=2\n"
    "DayData 00001=8845\n"
    "DayData 00002=8889\n";

QByteArray Utf16(const QByteArray& text)
{
    const QString s = QString::fromUtf8(text);
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    return bytes;
}

} // namespace

// Damaged schedule files: loading takes or refuses them, and what it takes
// saves again.
class tst_CScheduleFileRobustness : public QObject
{
    Q_OBJECT
    QTemporaryDir m_Dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        AppPaths::setHomeFolder(m_Dir.path());
    }

    void mutatedFiles()
    {
        const QString path = m_Dir.filePath(QStringLiteral("load.scd"));
        {
            QVERIFY(CTestFolders::writeFile(path, Utf16(VALID)));
            CScheduleFile file(m_Dir.path(), QStringLiteral("load.scd"));
            QVERIFY(file.LoadScheduleFile(true));
            QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 2);
        }
        ByteMutator mutator(0x5CDu);
        int loadedCount = 0;
        for (int i = 0; i < 400; ++i) {
            const QByteArray text = mutator.MutateLines(VALID);
            QVERIFY(CTestFolders::writeFile(path, mutator.Below(4) == 0 ? mutator.Mutate(Utf16(text)) : Utf16(text)));
            CScheduleFile file(m_Dir.path(), QStringLiteral("load.scd"));
            if (!file.LoadScheduleFile(mutator.Below(4) != 0))
                continue;
            ++loadedCount;
            QVERIFY(file.m_HolidayCount >= 0);
            QCOMPARE(file.m_HolidayCount, file.m_HolidayList.size());
            const int saved = file.SaveScheduleFile(m_Dir.filePath(QStringLiteral("save.scd")), true);
            QVERIFY2(saved == 0 || saved == 1, qPrintable(QString::fromUtf8(text)));
        }
        QVERIFY(loadedCount > 100);
    }
};

QTEST_GUILESS_MAIN(tst_CScheduleFileRobustness)
#include "tst_CScheduleFileRobustness.moc"
