#include <QtTest>

#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CProjectorData.h"
#include "CSchedule.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTarget.h"
#include "CSystemClock.h"
#include "CTestFolders.h"
#include "ScheduleTestCatalogue.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const char* const PROFILE_FIXTURE =
    "[Header Info]\n"
    "MagicCode=258-0017-686-1-5F\n"
    "RevCode=R5.00\n"
    "[Models]\n"
    "4C100100=LV-L100\n"
    "[LV-L100 Functions]\n"
    "[MultipleSelected InputTerminal]\n"
    "Count=2\n"
    "Code1=01H\n"
    "Name1=COMPUTER1\n"
    "ShowTerminal1=TRUE\n"
    "Code2=1AH\n"
    "Name2=HDMI1\n"
    "ShowTerminal2=TRUE\n";

const QDate DAY(2024, 3, 13);
const QDate HOLIDAY(2024, 3, 20);

QDateTime at(const QDate& d, int h, int m, int s = 0)
{
    return QDateTime(d, QTime(h, m, s));
}

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// The dispatcher's side: receives the runner's execution requests (queued,
// as the dispatcher does), keeps the per-projector records and answers
// through the runner's request operations.
class FakeDispatcher : public QObject
{
    Q_OBJECT
public:
    FakeDispatcher(CSchedule* runner, CLumivox5Data* hub)
        : m_pRunner(runner)
        , m_pHub(hub)
    {
        connect(runner, &CSchedule::ScheduleExecution, this, &FakeDispatcher::ScheduleExecute,
                Qt::QueuedConnection);
    }

    QList<QPair<int, int>> m_Calls;

    CScheduleData* Instance(int key) const
    {
        return m_pHub->m_pScheduleExcuteManager->f_GetScheduleMap().value(key, nullptr);
    }
    CScheduleExcuteAdminInfoSub* Sub(int key, int id) const
    {
        CScheduleData* d = Instance(key);
        return d ? d->AdminInfo->DetailesData->value(id, nullptr) : nullptr;
    }

    // A projector's command completed.
    void Complete(int key, int id, const QDateTime& time)
    {
        Sub(key, id)->Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Completed;
        m_pRunner->RequestScheduleAddLog(id, Instance(key), time, CScheduleData::STATUS_TYPE::OK, "");
        CheckCompleted(key);
    }

    // A projector's command failed with a retryable error.
    void Fail(int key, int id, const QDateTime& time)
    {
        CScheduleExcuteAdminInfoSub* sub = Sub(key, id);
        const bool retry = !sub->IsRetryMax();
        sub->Status = retry ? CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::RetryPending
                            : CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Failed;
        m_pRunner->RequestScheduleAddLog(id, Instance(key), time, CScheduleData::STATUS_TYPE::NG,
                                         "Error No.42(Code:-21)");
        if (!CheckCompleted(key))
            m_pRunner->RequestScheduleSetResult(key, CScheduleData::STATUS_TYPE::NG);
        if (retry)
            m_pRunner->RequestScheduleExcuteRetry(key, id);
    }

public slots:
    void ScheduleExecute(int key, int commId)
    {
        m_Calls.append(qMakePair(key, commId));
        CScheduleData* d = Instance(key);
        if (!d)
            return;
        QList<int> targets = commId < 0 ? CScheduleTarget::f_GetTargetProjectors(*d, *m_pHub->m_pProjectorDatas)
                                        : QList<int>({ commId });
        for (int id : qAsConst(targets)) {
            auto*& sub = (*d->AdminInfo->DetailesData)[id];
            if (!sub)
                sub = new CScheduleExcuteAdminInfoSub();
            sub->Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Executing;
        }
    }

private:
    bool CheckCompleted(int key)
    {
        CScheduleData* d = Instance(key);
        int verdict = 0;
        if (!d || !d->AdminInfo->IsExcuteScheduleCompleted(&verdict))
            return false;
        d->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished;
        m_pRunner->RequestScheduleSetResult(key, CScheduleData::STATUS_TYPE::Enum(verdict));
        return true;
    }

    CSchedule* m_pRunner;
    CLumivox5Data* m_pHub;
};

} // namespace

class tst_CSchedule : public QObject
{
    Q_OBJECT

    CTestFolders m_Folders;
    CLumivox5Data* m_pHub = nullptr;
    CSchedule* m_pRunner = nullptr;
    FakeDispatcher* m_pDispatcher = nullptr;
    QString m_LogFolder;

    CScheduleManager& Expanded() { return *m_pHub->m_pScheduleExcuteManager; }

    // An expanded instance on `day` at `time`, stored under the next key.
    int AddInstance(const QDate& day, const QTime& time, int function = 1,
                    const QString& target = QStringLiteral("All Projectors"), int type = 0,
                    int status = CScheduleData::STATUS_TYPE::None)
    {
        auto* d = new CScheduleData(at(day, 0, 0));
        d->DurationType = CScheduleData::DURATION_TYPE::Dated;
        d->StartDay = at(day, 0, 0);
        d->FinishDay = d->StartDay;
        d->UseFinishDay = false;
        d->ExecuteTime = time;
        d->Function = function;
        d->TargetName = target;
        d->TargetType = type;
        d->Status = status;
        const int key = Expanded().f_GetScheduleMap().size();
        Expanded().f_AddExpandSchedule(d);
        return key;
    }

    int AddProjector(const QString& address, const QStringList& groups = {}, bool enabled = true, int state = 3)
    {
        CProjectorData* pj = m_pHub->AddProjector(QStringLiteral("Setting"), 0, CProjectorData::TYPE_LAN::IP,
                                                  address, QStringLiteral("7142"), enabled, QString());
        if (!pj)
            return -1;
        pj->m_ConnectState = state;
        int n = 1;
        for (const QString& g : groups)
            pj->m_GroupList.insert(n++, g);
        return pj->m_Id;
    }

    QString LogPath(const QDate& day) const
    {
        return m_LogFolder + "/SCHE" + day.toString("yyyyMMdd") + ".log";
    }

    QByteArray LogFile(const QStringList& lines) const
    {
        QByteArray bytes("\xFF\xFE", 2);
        for (const QString& line : lines)
            bytes += utf16(line + "\n");
        return bytes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_Folders.isValid());
        QVERIFY(CTestFolders::writeFile(m_Folders.programFolder() + "/Profile.ini", PROFILE_FIXTURE));
        QVERIFY(InstallEnglishCatalogue());
        CSystemClock::SetNowFunction([] { return at(DAY, 9, 0); });
    }

    void cleanupTestCase() { CSystemClock::SetNowFunction(nullptr); }

    void init()
    {
        static char name[] = "Lumivox 5";
        static char* argv[] = { name, nullptr };
        int argc = 1;
        m_pHub = new CLumivox5Data(argc, argv, nullptr);
        QVERIFY(m_pHub->InitializeAfterReadProfile());
        m_pRunner = new CSchedule(nullptr);
        m_pRunner->m_pData = m_pHub;
        m_pDispatcher = new FakeDispatcher(m_pRunner, m_pHub);
        static int run = 0;
        m_LogFolder = m_Folders.path("log ") + QString::number(++run);
        QDir(m_LogFolder).removeRecursively();
    }

    void cleanup()
    {
        delete m_pDispatcher;
        delete m_pRunner;
        delete m_pHub;
        m_pDispatcher = nullptr;
        m_pRunner = nullptr;
        m_pHub = nullptr;
    }

    // Start at 10:05:30: the 10:05 and 10:06 instances wait; the 10:05 one
    // runs at once (through the queue), the 10:06 one at its minute; earlier
    // and already decided instances are left alone.
    void startTakesTheDaysOpenInstances()
    {
        const int k0 = AddInstance(DAY, QTime(10, 5));
        const int k1 = AddInstance(DAY, QTime(10, 6));
        AddInstance(DAY, QTime(9, 0));
        AddInstance(DAY, QTime(10, 5), 1, "All Projectors", 0, CScheduleData::STATUS_TYPE::NA);
        AddInstance(DAY.addDays(1), QTime(10, 5));

        m_pRunner->RequestScheduleStart(at(DAY, 10, 5, 30));
        QVERIFY(m_pRunner->IsRunning());
        QCOMPARE(m_pRunner->GetExcuteKeys(), QList<int>({ k0, k1 }));
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());

        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(m_pDispatcher->m_Calls, (QList<QPair<int, int>>{ { k0, -1 } }));
        QCOMPARE(m_pDispatcher->Instance(k0)->AdminInfo->ExcuteStatus, 1);
        QCOMPARE(m_pDispatcher->Instance(k1)->AdminInfo->ExcuteStatus, 0);

        m_pRunner->PostUpdateTime(at(DAY, 10, 6, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(m_pDispatcher->m_Calls, (QList<QPair<int, int>>{ { k0, -1 }, { k1, -1 } }));

        // A second start takes only instances without a result; none runs twice.
        m_pRunner->RequestScheduleSetResult(k0, CScheduleData::STATUS_TYPE::NG);
        m_pRunner->RequestScheduleStart(at(DAY, 10, 5, 10));
        QCOMPARE(m_pRunner->GetExcuteKeys(), QList<int>({ k1 }));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(m_pDispatcher->m_Calls.size(), 2);
    }

    // Keys that disappeared in a rebuild of the expanded collection are
    // passed over, and so is an instance of another day under an old key.
    void rebuiltCollectionIsSafe()
    {
        const int k0 = AddInstance(DAY, QTime(10, 5));
        m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        QCoreApplication::processEvents();
        Expanded().f_ClearSchedule();
        AddInstance(DAY.addDays(1), QTime(10, 5));
        m_pRunner->PostUpdateTime(at(DAY, 10, 5, 0));
        QCoreApplication::processEvents();
        QCOMPARE(m_pRunner->GetExcuteKeys(), QList<int>({ k0 }));
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());
        Expanded().f_ClearSchedule();
        m_pRunner->PostUpdateTime(at(DAY, 10, 5, 0));
        QCoreApplication::processEvents();
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());
    }

    // An instance whose time carries seconds never matches a minute.
    void exactMinuteOnly()
    {
        AddInstance(DAY, QTime(10, 5, 30));
        m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        m_pRunner->PostUpdateTime(at(DAY, 10, 5, 30));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());
    }

    void noOperatingDate_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("logOn");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("group with projectors")
            << "Group\\Building A\\Hall 1" << true
            << QStringList({ "2024/03/20, 08:30:00, 192.168.0.14, Power ON, NA,   ---,, ",
                             "2024/03/20, 08:30:00, 192.168.0.12, Power ON, NA,   ---,, " });
        QTest::newRow("all projectors") << "All Projectors" << true
                                        << QStringList({ "2024/03/20, 08:30:00, 192.168.0.14, Power ON, NA,   ---,, ",
                                                         "2024/03/20, 08:30:00, 192.168.0.12, Power ON, NA,   ---,, ",
                                                         "2024/03/20, 08:30:00, 192.168.0.13, Power ON, NA,   ---,, " });
        QTest::newRow("group without projectors")
            << "Group\\Nowhere" << true
            << QStringList({ "2024/03/20, 08:30:00, Group\\Nowhere, Power ON, NA,   1,, " });
        QTest::newRow("log off") << "Group\\Building A\\Hall 1" << false << QStringList();
    }

    // A due instance on a no-operating date: NA, finished, nothing sent, and
    // with the log on one line per qualifying projector in id order (the
    // projectors are added out of address order), or one line for none.
    void noOperatingDate()
    {
        QFETCH(QString, target);
        QFETCH(bool, logOn);
        QFETCH(QStringList, lines);

        AddProjector("192.168.0.14", { "Building A\\Hall 1" });
        AddProjector("192.168.0.12", { "Other", "Building A\\Hall 1" });
        AddProjector("192.168.0.13", { "Building A\\Hall 1\\Left" });
        AddProjector("192.168.0.15", { "Building A\\Hall 1" }, false);
        AddProjector("192.168.0.16", { "Building A\\Hall 1" }, true, 0);
        m_pHub->m_pNoOperatingDate->Add(at(HOLIDAY, 0, 0));
        const int key = AddInstance(HOLIDAY, QTime(8, 30), 1, target);
        m_pRunner->RequestScheduleLogEnable(logOn);
        m_pRunner->RequestScheduleChangeLogPath(m_LogFolder);
        QSignalSpy list(m_pRunner, &CSchedule::UpdateScheduleList);

        m_pRunner->RequestScheduleStart(at(HOLIDAY, 8, 29, 0));
        m_pRunner->PostUpdateTime(at(HOLIDAY, 8, 30, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        CScheduleData* d = m_pDispatcher->Instance(key);
        QCOMPARE(d->Status, qint32(CScheduleData::STATUS_TYPE::NA));
        QCOMPARE(d->AdminInfo->ExcuteStatus, 2);
        QCOMPARE(list.count(), 1);
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());
        if (lines.isEmpty())
            QVERIFY(!QFile::exists(LogPath(HOLIDAY)));
        else
            QCOMPARE(CTestFolders::readFile(LogPath(HOLIDAY)), LogFile(lines));
    }

    void setResultForMissingKey()
    {
        const int key = AddInstance(DAY, QTime(10, 0));
        QSignalSpy list(m_pRunner, &CSchedule::UpdateScheduleList);
        m_pRunner->RequestScheduleSetResult(key + 1, CScheduleData::STATUS_TYPE::OK);
        QCOMPARE(list.count(), 0);
        QCOMPARE(m_pDispatcher->Instance(key)->Status, 0);
        // Stopped or not, a known key takes its result.
        m_pRunner->RequestScheduleSetResult(key, CScheduleData::STATUS_TYPE::OK);
        QCOMPARE(list.count(), 1);
        QCOMPARE(m_pDispatcher->Instance(key)->Status, 1);
    }

    void dateEventWhileStopped()
    {
        AddInstance(DAY, QTime(0, 0));
        QSignalSpy date(m_pRunner, &CSchedule::UpdateDate);
        m_pRunner->PostUpdateDate(at(DAY, 0, 0));
        m_pRunner->PostUpdateTime(at(DAY, 0, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(date.count(), 1);
        QVERIFY(!m_pRunner->IsRunning());
        QVERIFY(m_pRunner->GetExcuteKeys().isEmpty());
        QVERIFY(m_pDispatcher->m_Calls.isEmpty());
    }

    // A new day while running empties the map and the retries; only a new
    // start (the main window's answer) fills them again.
    void newDayWhileRunning()
    {
        AddProjector("192.168.0.20");
        const int key = AddInstance(DAY, QTime(10, 0));
        AddInstance(DAY, QTime(11, 0));
        m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const int id = m_pDispatcher->m_Calls.isEmpty() ? -1 : m_pHub->m_pProjectorDatas->firstKey();
        QVERIFY(id > 0);
        m_pDispatcher->Fail(key, id, at(DAY, 10, 0, 5));
        QCOMPARE(m_pRunner->GetRetryCount(), 1);
        QSignalSpy date(m_pRunner, &CSchedule::UpdateDate);
        m_pRunner->PostUpdateDate(at(DAY.addDays(1), 0, 0));
        QCoreApplication::processEvents();
        QCOMPARE(date.count(), 1);
        QVERIFY(m_pRunner->GetExcuteKeys().isEmpty());
        QCOMPARE(m_pRunner->GetRetryCount(), 0);
        QVERIFY(m_pRunner->IsRunning());
    }

    // The main window's answer to a new day: expand the user schedules from
    // 00:00 of the new day (keeping today's), stop and start the runner. The
    // new day's midnight instance then runs.
    void newDayAnsweredByTheMainWindow()
    {
        AddProjector("192.168.0.30");
        auto* weekly = new CScheduleData(at(DAY, 0, 0));
        weekly->DayOfWeek = 0x7F;
        weekly->ExecuteTime = QTime(0, 0);
        weekly->StartDay = at(DAY.addDays(-7), 0, 0);
        QVERIFY(m_pHub->m_pScheduleManager->f_AddSchedule(weekly, false));
        const QDateTime now = at(DAY.addDays(1), 0, 0, 5);
        connect(m_pRunner, &CSchedule::UpdateDate, this, [&] {
            CScheduleManager::ScheduleMap* week =
                m_pHub->m_pScheduleManager->MakeExpandSchedules(at(now.date(), 0, 0), true);
            Expanded().f_ClearSchedule();
            for (CScheduleData* d : qAsConst(*week))
                Expanded().f_AddExpandSchedule(d);
            delete week;
            m_pRunner->RequestScheduleStop();
            m_pRunner->RequestScheduleStart(now);
        }, Qt::QueuedConnection);

        m_pRunner->RequestScheduleStart(at(DAY, 23, 59, 0));
        m_pRunner->PostUpdateDate(now);
        m_pRunner->PostUpdateTime(now);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(m_pDispatcher->m_Calls.size(), 1);
        const CScheduleData* run = m_pDispatcher->Instance(m_pDispatcher->m_Calls.at(0).first);
        QVERIFY(run);
        QCOMPARE(run->StartDay.date(), now.date());
        QCOMPARE(run->ExecuteTime, QTime(0, 0));
        QCOMPARE(run->AdminInfo->ExcuteStatus, 1);
    }

    void retryIgnored_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("running");
        QTest::newRow("waiting") << 0 << true;
        QTest::newRow("finished") << 2 << true;
        QTest::newRow("executing but stopped") << 1 << false;
    }

    void retryIgnored()
    {
        QFETCH(int, state);
        QFETCH(bool, running);
        const int key = AddInstance(DAY, QTime(23, 0));
        if (running)
            m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        m_pDispatcher->Instance(key)->AdminInfo->ExcuteStatus = state;
        m_pRunner->RequestScheduleExcuteRetry(key, 1);
        m_pRunner->RequestScheduleExcuteRetry(key + 5, 1);
        QCOMPARE(m_pRunner->GetRetryCount(), 0);
        QVERIFY(!m_pRunner->IsRetryTimerActive());
    }

    // The retry timeline of a group of two: P1 succeeds, P2 fails twice and
    // succeeds on the third attempt; the retry ticks are run by hand.
    void retryTimeline()
    {
        const int p1 = AddProjector("192.168.0.10", { "Building A\\Hall 1" });
        const int p2 = AddProjector("192.168.0.11", { "Building A\\Hall 1" });
        const int key = AddInstance(DAY, QTime(10, 0), 1, "Group\\Building A\\Hall 1");
        m_pRunner->RequestScheduleLogEnable(true);
        m_pRunner->RequestScheduleChangeLogPath(m_LogFolder);
        auto tick = [&] { QVERIFY(QMetaObject::invokeMethod(m_pRunner, "f_RequestExcuteRetryCheck")); };
        auto pump = [] {
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        };

        m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        pump();
        QCOMPARE(m_pDispatcher->m_Calls, (QList<QPair<int, int>>{ { key, -1 } }));
        m_pDispatcher->Complete(key, p1, at(DAY, 10, 0, 2));
        m_pDispatcher->Fail(key, p2, at(DAY, 10, 0, 5));
        CScheduleData* d = m_pDispatcher->Instance(key);
        QCOMPARE(d->Status, 2);
        QCOMPARE(m_pRunner->GetRetryCount(), 1);
        QVERIFY(m_pRunner->IsRetryTimerActive());

        tick();
        tick();
        pump();
        QCOMPARE(m_pDispatcher->m_Calls.size(), 1);
        QCOMPARE(m_pDispatcher->Sub(key, p2)->RetryTickCount, 2);
        tick();
        pump();
        QCOMPARE(m_pDispatcher->m_Calls.last(), qMakePair(key, p2));
        QCOMPARE(m_pDispatcher->Sub(key, p2)->RetryCount, 1);
        QCOMPARE(m_pRunner->GetRetryCount(), 0);
        QVERIFY(!m_pRunner->IsRetryTimerActive());

        m_pDispatcher->Fail(key, p2, at(DAY, 10, 0, 11));
        tick();
        tick();
        tick();
        pump();
        QCOMPARE(m_pDispatcher->m_Calls.size(), 3);
        QCOMPARE(m_pDispatcher->Sub(key, p2)->RetryCount, 2);

        m_pDispatcher->Complete(key, p2, at(DAY, 10, 0, 16));
        QCOMPARE(d->Status, 1);
        QCOMPARE(d->AdminInfo->ExcuteStatus, 2);
        QCOMPARE(CTestFolders::readFile(LogPath(DAY)),
                 LogFile({ "2024/03/13, 10:00:02, 192.168.0.10, Power ON, OK,   1,, ",
                           "2024/03/13, 10:00:05, 192.168.0.11, Power ON, NG,   1,Error No.42(Code:-21), ",
                           "2024/03/13, 10:00:11, 192.168.0.11, Power ON, NG,   2,Error No.42(Code:-21), ",
                           "2024/03/13, 10:00:16, 192.168.0.11, Power ON, OK,   3,, " }));
    }

    // After two retries none follows; a record whose projector waits without
    // a final status stays until Stop clears the list.
    void retryLimitAndStop()
    {
        const int p = AddProjector("192.168.0.10");
        const int key = AddInstance(DAY, QTime(10, 0));
        m_pRunner->RequestScheduleStart(at(DAY, 10, 0, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        CScheduleExcuteAdminInfoSub* sub = m_pDispatcher->Sub(key, p);
        QVERIFY(sub);
        sub->RetryCount = 2;
        sub->Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::RetryPending;
        m_pRunner->RequestScheduleExcuteRetry(key, p);
        m_pRunner->RequestScheduleExcuteRetry(key, 999);
        for (int i = 0; i < 6; ++i)
            QVERIFY(QMetaObject::invokeMethod(m_pRunner, "f_RequestExcuteRetryCheck"));
        QCoreApplication::processEvents();
        QCOMPARE(m_pDispatcher->m_Calls.size(), 1);
        QCOMPARE(m_pRunner->GetRetryCount(), 2);
        QVERIFY(m_pRunner->IsRetryTimerActive());

        sub->Status = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Failed;
        QVERIFY(QMetaObject::invokeMethod(m_pRunner, "f_RequestExcuteRetryCheck"));
        QCOMPARE(m_pRunner->GetRetryCount(), 1);

        m_pRunner->RequestScheduleStop();
        QCOMPARE(m_pRunner->GetRetryCount(), 0);
        QVERIFY(QMetaObject::invokeMethod(m_pRunner, "f_RequestExcuteRetryCheck"));
        QVERIFY(!m_pRunner->IsRetryTimerActive());
    }

    // The log lines of every kind, byte for byte, each day in its own file
    // with a byte-order mark before its first line only.
    void logLines()
    {
        const int p10 = AddProjector("192.168.0.10");
        const int p11 = AddProjector("192.168.0.11");
        const int p12 = AddProjector("192.168.0.12");
        const int p13 = AddProjector("192.168.0.13");
        const int power = AddInstance(DAY, QTime(10, 0));
        const int group = AddInstance(HOLIDAY, QTime(8, 30), 11, "Group\\Building A\\Hall 1");
        const int unknown = AddInstance(DAY, QTime(12, 0), 11, "Group\\X");
        const int off = AddInstance(DAY, QTime(12, 0), 2);
        CScheduleData* d = m_pDispatcher->Instance(power);
        auto sub = [](CScheduleData* i, int id, int retries) {
            auto* s = new CScheduleExcuteAdminInfoSub();
            s->RetryCount = retries;
            i->AdminInfo->DetailesData->insert(id, s);
        };
        sub(d, p10, 0);
        sub(d, p11, 0);
        m_pDispatcher->Instance(group)->InputTerminal = 0x1A;
        m_pDispatcher->Instance(unknown)->InputTerminal = 0x77;
        sub(m_pDispatcher->Instance(unknown), p13, 0);

        m_pRunner->RequestScheduleLogEnable(true);
        m_pRunner->RequestScheduleChangeLogPath(m_LogFolder + "/");
        QSignalSpy errors(m_pRunner, &CSchedule::ErrorOccurred);
        using S = CScheduleData::STATUS_TYPE;
        m_pRunner->RequestScheduleAddLog(p10, d, at(DAY, 10, 0, 2), S::OK, "");
        m_pRunner->RequestScheduleAddLog(p11, d, at(DAY, 10, 0, 5), S::NG, "Error No.42(Code:-21)");
        d->AdminInfo->DetailesData->value(p11)->RetryCount = 2;
        m_pRunner->RequestScheduleAddLog(p11, d, at(DAY, 10, 0, 16), S::OK, "");
        m_pRunner->RequestScheduleAddLog(p12, m_pDispatcher->Instance(power), at(HOLIDAY, 8, 30), S::NA, "");
        m_pRunner->RequestScheduleAddLog(-1, m_pDispatcher->Instance(group), at(HOLIDAY, 8, 30), S::NA, "");
        m_pRunner->RequestScheduleAddLog(p13, m_pDispatcher->Instance(unknown), at(DAY, 12, 0), S::OK, "");
        m_pRunner->RequestScheduleAddLog(-1, m_pDispatcher->Instance(off), at(DAY, 12, 0), S::NG, "");
        QCOMPARE(errors.count(), 0);

        QCOMPARE(CTestFolders::readFile(LogPath(DAY)),
                 LogFile({ "2024/03/13, 10:00:02, 192.168.0.10, Power ON, OK,   1,, ",
                           "2024/03/13, 10:00:05, 192.168.0.11, Power ON, NG,   1,Error No.42(Code:-21), ",
                           "2024/03/13, 10:00:16, 192.168.0.11, Power ON, OK,   3,, ",
                           "2024/03/13, 12:00:00, 192.168.0.13, , OK,   1,, ",
                           "2024/03/13, 12:00:00, All Projectors, Power OFF, NG,   1,, " }));
        QCOMPARE(CTestFolders::readFile(LogPath(HOLIDAY)),
                 LogFile({ "2024/03/20, 08:30:00, 192.168.0.12, Power ON, NA,   ---,, ",
                           "2024/03/20, 08:30:00, Group\\Building A\\Hall 1, HDMI1, NA,   1,, " }));
    }

    void logTextsAndFiles()
    {
        const int key = AddInstance(DAY, QTime(10, 0), 7, "Group\\100%1 \\%2");
        CScheduleData* d = m_pDispatcher->Instance(key);
        QSignalSpy errors(m_pRunner, &CSchedule::ErrorOccurred);
        using S = CScheduleData::STATUS_TYPE;

        // Off, or without a folder: nothing at all.
        m_pRunner->RequestScheduleChangeLogPath(m_LogFolder);
        m_pRunner->RequestScheduleAddLog(-1, d, at(DAY, 23, 59, 40), S::OK, "");
        m_pRunner->RequestScheduleLogEnable(true);
        m_pRunner->RequestScheduleChangeLogPath("");
        m_pRunner->RequestScheduleAddLog(-1, d, at(DAY, 23, 59, 40), S::OK, "");
        QVERIFY(!QDir(m_LogFolder).exists());

        // A projector id without a record (deleted meanwhile) is named by
        // its id; a "%1" stays.
        m_pRunner->RequestScheduleChangeLogPath(m_LogFolder);
        m_pRunner->RequestScheduleAddLog(4321, d, at(DAY, 23, 59, 40), S::None, "x %1");
        m_pRunner->RequestScheduleAddLog(-1, d, at(DAY.addDays(1), 0, 0, 10), S::OK, "");
        QCOMPARE(errors.count(), 0);
        QCOMPARE(CTestFolders::readFile(LogPath(DAY)),
                 LogFile({ "2024/03/13, 23:59:40, 4321, On-screen Display OFF, ,     ---,x %1, " }));
        QCOMPARE(CTestFolders::readFile(LogPath(DAY.addDays(1))),
                 LogFile({ "2024/03/14, 00:00:10, Group\\100%1 \\%2, On-screen Display OFF, OK,   1,, " }));

        // A folder that is a regular file: code 12, nothing written.
        const QString blocked = m_Folders.path("blocked");
        QVERIFY(CTestFolders::writeFile(blocked, "x"));
        m_pRunner->RequestScheduleChangeLogPath(blocked);
        m_pRunner->RequestScheduleAddLog(-1, d, at(DAY, 10, 0), S::OK, "");
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QString("An error occurred while writing the file."));
        QCOMPARE(errors.at(0).at(1).toInt(), 12);
        QCOMPARE(CTestFolders::readFile(blocked), QByteArray("x"));

        // A device that refuses the line: code 16.
        if (QFile::exists("/dev/full")) {
            const QString full = m_Folders.path("full");
            QVERIFY(QDir().mkpath(full));
            QVERIFY(QFile::link("/dev/full", full + "/SCHE20240313.log"));
            m_pRunner->RequestScheduleChangeLogPath(full);
            m_pRunner->RequestScheduleAddLog(-1, d, at(DAY, 10, 0), S::OK, "");
            QCOMPARE(errors.count(), 2);
            QCOMPARE(errors.at(1).at(1).toInt(), 16);
        }
    }

    void taskAndStatusTexts()
    {
        const QStringList tasks = { "",
                                    "Power ON",
                                    "Power OFF",
                                    "Picture Blank ON",
                                    "Picture Blank OFF",
                                    "Sound Mute ON",
                                    "Sound Mute OFF",
                                    "On-screen Display OFF",
                                    "On-screen Display ON",
                                    "AV-MUTE ON",
                                    "AV-MUTE OFF",
                                    "COMPUTER1",
                                    "" };
        CScheduleData d(at(DAY, 9, 0));
        d.InputTerminal = 1;
        for (int f = 0; f < tasks.size(); ++f) {
            d.Function = f;
            QCOMPARE(m_pRunner->f_GetScheduleTaskString(d), tasks.at(f));
        }
        using S = CScheduleData::STATUS_TYPE;
        QCOMPARE(m_pRunner->f_GetScheduleStatusString(S::OK), QString("OK,   "));
        QCOMPARE(m_pRunner->f_GetScheduleStatusString(S::NG), QString("NG,   "));
        QCOMPARE(m_pRunner->f_GetScheduleStatusString(S::NA), QString("NA,   "));
        QCOMPARE(m_pRunner->f_GetScheduleStatusString(S::None), QString(",     "));
        QCOMPARE(m_pRunner->f_GetScheduleStatusString(S::Enum(9)), QString(",     "));
    }
};

QTEST_GUILESS_MAIN(tst_CSchedule)
#include "tst_CSchedule.moc"
