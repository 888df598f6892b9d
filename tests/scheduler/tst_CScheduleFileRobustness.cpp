#include <QtTest>

#include "AppPaths.h"
#include "ByteMutator.h"
#include "CScheduleData.h"
#include "CScheduleFile.h"
#include "CScheduleManager.h"
#include "CTestFolders.h"
#include "ScheduleFileExample.h"

namespace {

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
            QVERIFY(CTestFolders::writeFile(path, Utf16(SCHEDULE_FILE_EXAMPLE)));
            CScheduleFile file(m_Dir.path(), QStringLiteral("load.scd"));
            QVERIFY(file.LoadScheduleFile(true));
            QCOMPARE(file.m_pScheduleManager->f_GetScheduleMap().size(), 3);
        }
        ByteMutator mutator(0x5CDu);
        int loadedCount = 0;
        for (int i = 0; i < 400; ++i) {
            const QByteArray text = mutator.MutateLines(SCHEDULE_FILE_EXAMPLE);
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
