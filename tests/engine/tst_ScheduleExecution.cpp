#include <QtTest>

#include "CScheduleTargetText.h"
#include "ScheduleTestRig.h"

namespace {

using SubStatus = CScheduleExcuteAdminInfoSub::EXCUTE_STATUS;
using Result = CScheduleData::STATUS_TYPE;
using State = CScheduleExcuteAdminInfo::EXCUTE_STATE;

const int KEY = 17;
const int FROM = CDataFunctions::FROM_SCHEDULE;

QString line(const QString& name, const char* status, const QString& attempt, const QString& text = QString())
{
    return QStringList{name, QLatin1String(status), attempt, text}.join(QLatin1Char('|'));
}

// The tail a frame list has after the identification frames (model
// information and common status) that open every command.
QList<int> afterIdentification(const QList<int>& requests)
{
    if (requests.size() < 2 || requests.at(0) != 29 || requests.at(1) != 31)
        return QList<int>{-1};
    return requests.mid(2);
}

CSimModelSpec model()
{
    return CSimModelSpec::Shipped(QStringLiteral("LV-L100"));
}

} // namespace

// What the dispatcher does with an expanded schedule instance: the targets it
// picks, the commands it sends, how each projector's result, failure and
// retry folds into the instance, its log lines and its result.
class tst_ScheduleExecution : public QObject
{
    Q_OBJECT

private slots:
    void functionCodesSendTheirFrames_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<QList<int>>("frames");
        QTest::newRow("1 power on") << 1 << QList<int>{2};
        QTest::newRow("2 power off") << 2 << QList<int>{3};
        QTest::newRow("3 picture mute on") << 3 << QList<int>{5};
        QTest::newRow("4 picture mute off") << 4 << QList<int>{6};
        QTest::newRow("5 sound mute on") << 5 << QList<int>{7};
        QTest::newRow("6 sound mute off") << 6 << QList<int>{8};
        QTest::newRow("7 OSD mute on") << 7 << QList<int>{9};
        QTest::newRow("8 OSD mute off") << 8 << QList<int>{10};
        QTest::newRow("9 AV mute on") << 9 << QList<int>{5, 7, 9};
        QTest::newRow("10 AV mute off") << 10 << QList<int>{6, 8, 10};
        QTest::newRow("11 input") << 11 << QList<int>{4};
    }

    void functionCodesSendTheirFrames()
    {
        QFETCH(int, function);
        QFETCH(QList<int>, frames);
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(model()));
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), function, 6);

        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QCOMPARE(rig.SubStatus(KEY, id), int(SubStatus::Executing));
        QTRY_COMPARE_WITH_TIMEOUT(rig.Instance(KEY)->Status, int(Result::OK), 10000);

        QCOMPARE(afterIdentification(rig.Requests(id)), frames);
        if (function == 11)
            QCOMPARE(rig.Simulated(id)->Requests().last(), QByteArray::fromHex("020300000201060E"));
        QCOMPARE(rig.SubStatus(KEY, id), int(SubStatus::Completed));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Finished));
        QCOMPARE(rig.Log(), QStringList{line(rig.Address(id), "OK", "1")});
    }

    void targets_data()
    {
        QTest::addColumn<int>("targetType");
        QTest::addColumn<QString>("targetName");
        QTest::addColumn<int>("commId");
        QTest::addColumn<QList<int>>("served"); // positions 0..3 of the projectors below
        // 0: enabled, connected, in two groups named "Hall"; 1: enabled,
        // connected, in "Hall\Left"; 2: disabled, connected; 3: enabled, not connected.
        QTest::newRow("all projectors") << 0 << CScheduleTargetText::AllProjectors() << -1 << QList<int>{0, 1};
        QTest::newRow("group once per projector") << 0 << CScheduleTargetText::Group(QStringLiteral("Hall")) << -1
                                                  << QList<int>{0};
        QTest::newRow("group path") << 0 << CScheduleTargetText::Group(QStringLiteral("Hall\\Left")) << -1
                                    << QList<int>{1};
        QTest::newRow("address") << 1 << QStringLiteral("#1") << -1 << QList<int>{1};
        QTest::newRow("address of a disabled projector") << 1 << QStringLiteral("#2") << -1 << QList<int>{};
        QTest::newRow("retry of a disabled projector") << 0 << CScheduleTargetText::AllProjectors() << 2
                                                       << QList<int>{2};
        QTest::newRow("retry of an unconnected projector") << 0 << CScheduleTargetText::AllProjectors() << 3
                                                           << QList<int>{3};
    }

    void targets()
    {
        QFETCH(int, targetType);
        QFETCH(QString, targetName);
        QFETCH(int, commId);
        QFETCH(QList<int>, served);
        ScheduleTestRig rig;
        QList<int> ids;
        for (int i = 0; i < 4; ++i)
            ids << rig.AddSimulated(model());
        for (int i = 0; i < 3; ++i)
            rig.Connected(ids.at(i));
        CProjectorData* hall = rig.Hub()->GetProjectorData(ids.at(0));
        hall->m_GroupList.insert(1, QStringLiteral("Hall"));
        hall->m_GroupList.insert(2, QStringLiteral("Hall"));
        rig.Hub()->GetProjectorData(ids.at(1))->m_GroupList.insert(3, QStringLiteral("Hall\\Left"));
        // The name is not what an address target matches.
        rig.Hub()->GetProjectorData(ids.at(1))->m_SettingName = QStringLiteral("Renamed");
        rig.Hub()->GetProjectorData(ids.at(2))->m_Enabled = false;
        if (targetName.startsWith(QLatin1Char('#')))
            targetName = rig.Address(ids.at(targetName.mid(1).toInt()));
        rig.AddInstance(KEY, targetType, targetName, 1);
        // A retry finds its projector's record waiting for it.
        if (commId >= 0) {
            auto* sub = new CScheduleExcuteAdminInfoSub();
            sub->Status = SubStatus::RetryPending;
            rig.Instance(KEY)->AdminInfo->DetailesData->insert(ids.at(commId), sub);
        }

        rig.Dispatcher()->ScheduleExecute(KEY, commId < 0 ? -1 : ids.at(commId));
        if (served.isEmpty()) {
            QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.Instance(KEY)->Status, int(Result::OK), 10000);
        for (int i = 0; i < 4; ++i) {
            const bool expected = served.contains(i);
            QCOMPARE(afterIdentification(rig.Requests(ids.at(i))), expected ? QList<int>{2} : QList<int>{-1});
            QCOMPARE(rig.SubStatus(KEY, ids.at(i)), expected ? int(SubStatus::Completed) : -1);
        }
        QCOMPARE(rig.Log().size(), served.size());
    }

    void nothingToSendEndsNG_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("function");
        QTest::newRow("no projector in the group") << "Nowhere" << 1;
        QTest::newRow("function 0") << "Hall" << 0;
        QTest::newRow("function 12") << "Hall" << 12;
    }

    void nothingToSendEndsNG()
    {
        QFETCH(QString, group);
        QFETCH(int, function);
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(model()));
        rig.Hub()->GetProjectorData(id)->m_GroupList.insert(1, QStringLiteral("Hall"));
        const QString target = CScheduleTargetText::Group(group);
        rig.AddInstance(KEY, 0, target, function);

        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Finished));
        QCOMPARE(rig.Log(), QStringList{line(target, "NG", "1")});
        QCOMPARE(rig.Instance(KEY)->AdminInfo->DetailesData->size(), 0);
        QTest::qWait(50);
        QVERIFY(rig.Simulated(id)->Requests().isEmpty());
    }

    void retryableCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("retry");
        QTest::addColumn<int>("logCode");
        const struct {
            int code;
            bool retry;
            int logCode;
        } rows[] = {
            {0, false, 0},      {-4, false, 16},    {-5, false, 16},    {-10, false, 18},   {-19, false, 3},
            {-20, true, 42},    {-21, true, 42},    {-22, false, 3},    {-42, false, 3},    {-43, false, 3},
            {-99, false, 3},    {-100, true, 45},   {-142, true, 45},   {-169, true, 45},   {-170, false, 3},
            {-178, false, 3},   {-179, true, 45},   {-180, false, 3},   {-189, true, 45},   {-190, true, 45},
            {-191, false, 3},   {-300, false, 3},   {-301, true, 13},   {-302, true, 43},   {-303, true, 44},
            {-304, true, 43},   {-305, true, 44},   {-306, false, 3},   {-311, false, 11},  {-312, false, 10},
            {-313, false, 16},  {-402, false, 3},   {-1001, false, 3},  {5, false, 3},
        };
        for (const auto& row : rows)
            QTest::addRow("%d", row.code) << row.code << row.retry << row.logCode;
    }

    void retryableCodes()
    {
        QFETCH(int, code);
        QFETCH(bool, retry);
        QFETCH(int, logCode);
        QCOMPARE(CDataFunctions::IsPossibleToRetryErrorCode(code), retry);
        QCOMPARE(CDataFunctions::ConvScheduleLogErrorCode(code), logCode);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("retriesMade");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("-21 first attempt") << "error" << -21 << 0 << int(SubStatus::RetryPending)
                                           << "Error No.42(Code:-21)";
        QTest::newRow("-21 second attempt") << "error" << -21 << 1 << int(SubStatus::RetryPending)
                                            << "Error No.42(Code:-21)";
        QTest::newRow("-21 third attempt") << "error" << -21 << 2 << int(SubStatus::Failed) << "Error No.42(Code:-21)";
        QTest::newRow("-301") << "error" << -301 << 0 << int(SubStatus::RetryPending) << "Error No.13(Code:-301)";
        QTest::newRow("-402 not retried") << "error" << -402 << 0 << int(SubStatus::Failed)
                                          << "Error No.03(Code:-402)";
        QTest::newRow("-42 not retried") << "error" << -42 << 0 << int(SubStatus::Failed) << "Error No.03(Code:-42)";
        QTest::newRow("nack -142") << "nack" << -142 << 0 << int(SubStatus::RetryPending) << "Error No.45(Code:-142)";
        QTest::newRow("cancel") << "cancel" << -10 << 0 << int(SubStatus::Failed) << "Error No.18(Code:-10)";
        QTest::newRow("-10 as an error") << "error" << -10 << 0 << int(SubStatus::Failed) << "Error No.18(Code:-10)";
    }

    // One projector's failure: its status, its log line, the instance's
    // result and the retry request.
    void failures()
    {
        QFETCH(QString, slot);
        QFETCH(int, code);
        QFETCH(int, retriesMade);
        QFETCH(int, status);
        QFETCH(QString, text);
        ScheduleTestRig rig;
        const int id = rig.AddRecord(4)->m_Id;
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        auto* sub = new CScheduleExcuteAdminInfoSub();
        sub->Status = SubStatus::Executing;
        sub->RetryCount = retriesMade;
        sub->RequestTime = rig.m_Now;
        rig.Instance(KEY)->AdminInfo->DetailesData->insert(id, sub);

        CDataFunctions* d = rig.Dispatcher();
        if (slot == QLatin1String("error"))
            d->f_OnError(code, KEY, id, FROM, 2, 2);
        else if (slot == QLatin1String("nack"))
            d->f_OnNackReceived(code, KEY, id, FROM, 2, 2);
        else
            d->f_OnCanceled(KEY, id, FROM, 2, 2);

        const bool retry = status == int(SubStatus::RetryPending);
        QCOMPARE(rig.SubStatus(KEY, id), status);
        QCOMPARE(rig.Log(), QStringList{line(rig.Address(id), "NG", QString::number(retriesMade + 1), text)});
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, retry ? int(State::Executing) : int(State::Finished));
        QCOMPARE(rig.Dispatcher()->GetSchedule()->GetRetryCount(), retry ? 1 : 0);
    }

    void oneFinalFailureMakesTheInstanceNG()
    {
        ScheduleTestRig rig;
        const int a = rig.Connected(rig.AddSimulated(model()));
        const int b = rig.Connected(rig.AddSimulated(model()));
        // The second projector answers only after the first one's failure is in.
        rig.Simulated(b)->SetFaults(CSimFaults{1500, {}, 0, false, false});
        rig.Model(a)->SetNack(2, 0, 2); // -102, retryable
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        rig.Sub(KEY, a)->RetryCount = 2; // its last attempt

        QTRY_COMPARE_WITH_TIMEOUT(rig.SubStatus(KEY, a), int(SubStatus::Failed), 10000);
        QCOMPARE(rig.SubStatus(KEY, b), int(SubStatus::Executing));
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Executing));

        QTRY_COMPARE_WITH_TIMEOUT(rig.SubStatus(KEY, b), int(SubStatus::Completed), 10000);
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Finished));
        QCOMPARE(rig.Log(), (QStringList{line(rig.Address(a), "NG", "3", QStringLiteral("Error No.45(Code:-102)")),
                                         line(rig.Address(b), "OK", "1")}));
    }

    void resultsDropped_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<int>("projector");
        QTest::newRow("runner stopped") << true << 4;
        QTest::newRow("unknown projector") << false << 99;
    }

    void resultsDropped()
    {
        QFETCH(bool, stopped);
        QFETCH(int, projector);
        ScheduleTestRig rig;
        rig.AddRecord(4);
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        for (int id : {4, 99}) {
            auto* sub = new CScheduleExcuteAdminInfoSub();
            sub->Status = SubStatus::Executing;
            sub->RequestTime = rig.m_Now;
            rig.Instance(KEY)->AdminInfo->DetailesData->insert(id, sub);
        }
        if (stopped)
            rig.Control(145, {});
        rig.Dispatcher()->f_OnCompleted(KEY, projector, FROM, 2, 2);
        rig.Dispatcher()->f_OnError(-21, KEY, projector, FROM, 2, 2);
        QCOMPARE(rig.SubStatus(KEY, projector), int(SubStatus::Executing));
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::None));
        QCOMPARE(rig.Log(), QStringList());
        QCOMPARE(rig.Dispatcher()->GetSchedule()->GetRetryCount(), 0);
    }

    void lateResults_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("logged");
        QTest::newRow("sent yesterday") << "yesterday" << true;
        QTest::newRow("instance disabled") << "disabled" << true;
        QTest::newRow("instance gone, a user schedule under its key") << "gone" << false;
    }

    // A result that is not today's changes no status; it is logged against
    // its instance while that exists, never against a user schedule.
    void lateResults()
    {
        QFETCH(QString, situation);
        QFETCH(bool, logged);
        ScheduleTestRig rig;
        const int id = rig.AddRecord(4)->m_Id;
        rig.Hub()->m_pScheduleManager->f_GetScheduleMap().insert(KEY, new CScheduleData(rig.m_Now));
        CScheduleData* instance = rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        auto* sub = new CScheduleExcuteAdminInfoSub();
        sub->Status = SubStatus::Executing;
        sub->RequestTime = rig.m_Now;
        instance->AdminInfo->DetailesData->insert(id, sub);
        if (situation == QLatin1String("yesterday"))
            sub->RequestTime = rig.m_Now.addDays(-1);
        else if (situation == QLatin1String("disabled"))
            instance->Enable = false;
        else
            delete rig.Expanded().take(KEY);

        rig.Dispatcher()->f_OnCompleted(KEY, id, FROM, 2, 2);
        rig.Dispatcher()->f_OnError(-21, KEY, id, FROM, 2, 2);
        if (rig.Instance(KEY)) {
            QCOMPARE(rig.SubStatus(KEY, id), int(SubStatus::Executing));
            QCOMPARE(rig.Instance(KEY)->Status, int(Result::None));
        }
        QCOMPARE(rig.Log().size(), logged ? 2 : 0);
        QCOMPARE(rig.Dispatcher()->GetSchedule()->GetRetryCount(), 0);
    }

    // An execute request too short to name its instance runs none, not
    // instance 0.
    void executeRequestWithoutItsParameters()
    {
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(model()));
        rig.AddInstance(0, 0, CScheduleTargetText::AllProjectors(), 1);
        QList<CVariantParameter> one{CVariantParameter().FromInt(0)};
        QCOMPARE(rig.Dispatcher()->SetDataThreadEvent(148, &one, FROM, 0, nullptr, false, false), 0);
        QCOMPARE(rig.Instance(0)->AdminInfo->DetailesData->size(), 0);
        QCOMPARE(rig.Instance(0)->Status, int(Result::None));
        QTest::qWait(50);
        QVERIFY(rig.Simulated(id)->Requests().isEmpty());
    }

    void retryOfADeletedProjectorEndsTheInstance()
    {
        ScheduleTestRig rig;
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        auto* sub = new CScheduleExcuteAdminInfoSub();
        sub->Status = SubStatus::RetryPending;
        sub->RetryCount = 1;
        rig.Instance(KEY)->AdminInfo->DetailesData->insert(42, sub);

        rig.Dispatcher()->ScheduleExecute(KEY, 42);
        QCOMPARE(rig.SubStatus(KEY, 42), int(SubStatus::Failed));
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Finished));
        // The record is gone: the line names the projector by its id.
        QCOMPARE(rig.Log(), QStringList{line("42", "NG", "2", "Error No.03(Code:-2)")});
    }

    void lateResultAfterTheWeekIsExpandedAgain_data()
    {
        // What the newer instance did with the projector: 0 nothing, 1 it waits
        // for a result, 2 it sent its own command there, which fails.
        QTest::addColumn<int>("newer");
        QTest::newRow("newer instance without a command to it") << 0;
        QTest::newRow("newer instance waiting for its own result") << 1;
        QTest::newRow("newer instance sent to the same projector") << 2;
    }

    // The key of an instance is reused when the week is expanded again: a
    // result of the older instance's command reaches neither the newer
    // instance's state nor its log lines, even when the newer one sent a
    // command of its own to the same projector.
    void lateResultAfterTheWeekIsExpandedAgain()
    {
        QFETCH(int, newer);
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(model()));
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        QSignalSpy completed(rig.Hub()->m_pCommandFunctions, &CCommandFunctions::Completed);
        QSignalSpy failed(rig.Hub()->m_pCommandFunctions, &CCommandFunctions::NackReceived);
        // The older instance's command is answered, the newer one's refused:
        // the newer command follows the older one and the two requests that
        // identify the model again.
        rig.Model(id)->SetNack(rig.Requests(id).size() + 3, 3, 2);
        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QCOMPARE(rig.SubStatus(KEY, id), int(SubStatus::Executing));

        // Expanded again before the command ran: another schedule under the key.
        delete rig.Expanded().take(KEY);
        CScheduleData* later = rig.AddInstance(KEY, 1, rig.Address(id), 2);
        if (newer == 1) {
            auto* sub = new CScheduleExcuteAdminInfoSub();
            sub->Status = SubStatus::Executing;
            sub->RequestTime = rig.m_Now;
            later->AdminInfo->DetailesData->insert(id, sub);
        } else if (newer == 2) {
            rig.Dispatcher()->ScheduleExecute(KEY, -1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 10000);
        if (newer == 2) {
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
            QTRY_COMPARE(rig.Log().size(), 1);
            QTest::qWait(50);
            QCOMPARE(rig.Log(), QStringList{line(rig.Address(id), "NG", "1", "Error No.45(Code:-142)")});
            QCOMPARE(rig.SubStatus(KEY, id), int(SubStatus::RetryPending));
            QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));
            return;
        }
        QTest::qWait(50);
        QCOMPARE(rig.SubStatus(KEY, id), newer == 1 ? int(SubStatus::Executing) : -1);
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::None));
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Executing));
        QCOMPARE(rig.Log(), QStringList());
    }

    // One projector succeeds, the other fails twice and then succeeds: the
    // instance shows NG from the first failure and ends OK.
    void retryTimeline()
    {
        ScheduleTestRig rig;
        const int p1 = rig.Connected(rig.AddSimulated(model()));
        const int p2 = rig.Connected(rig.AddSimulated(model()));
        rig.Model(p2)->SetNack(2, 3, 2); // -142
        rig.AddInstance(KEY, 0, CScheduleTargetText::AllProjectors(), 1);
        CSchedule* runner = rig.Dispatcher()->GetSchedule();
        auto retryTicks = [runner] {
            for (int i = 0; i < 3; ++i)
                QVERIFY(QMetaObject::invokeMethod(runner, "f_RequestExcuteRetryCheck", Qt::DirectConnection));
        };

        rig.Dispatcher()->ScheduleExecute(KEY, -1);
        QTRY_COMPARE_WITH_TIMEOUT(rig.SubStatus(KEY, p2), int(SubStatus::RetryPending), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(rig.SubStatus(KEY, p1), int(SubStatus::Completed), 10000);
        QCOMPARE(rig.Instance(KEY)->Status, int(Result::NG));

        retryTicks();
        QCOMPARE(rig.Sub(KEY, p2)->RetryCount, 1);
        QTRY_COMPARE_WITH_TIMEOUT(rig.Log().size(), 3, 10000);
        QCOMPARE(rig.SubStatus(KEY, p2), int(SubStatus::RetryPending));

        rig.Model(p2)->ClearFaults();
        retryTicks();
        QTRY_COMPARE_WITH_TIMEOUT(rig.Instance(KEY)->Status, int(Result::OK), 10000);
        QCOMPARE(rig.Instance(KEY)->AdminInfo->ExcuteStatus, int(State::Finished));
        QCOMPARE(afterIdentification(rig.Requests(p1)), QList<int>{2});
        QCOMPARE(rig.Requests(p2).count(2), 3);

        const QString nack = QStringLiteral("Error No.45(Code:-142)");
        QStringList log = rig.Log();
        // The first two results come in either order.
        std::sort(log.begin(), log.begin() + 2);
        QStringList first{line(rig.Address(p1), "OK", "1"), line(rig.Address(p2), "NG", "1", nack)};
        std::sort(first.begin(), first.end());
        const QStringList expected =
            first + QStringList{line(rig.Address(p2), "NG", "2", nack), line(rig.Address(p2), "OK", "3")};
        QCOMPARE(log, expected);
    }

    // A user schedule, expanded into the week, fires at its minute.
    void userScheduleFiresAtItsMinute()
    {
        ScheduleTestRig rig;
        const int id = rig.Connected(rig.AddSimulated(model()));
        auto* schedule = new CScheduleData(rig.m_Now);
        schedule->Function = 1;
        schedule->StartDay = QDateTime(rig.m_Now.date(), QTime(10, 5));
        schedule->ExecuteTime = QTime(10, 5);
        schedule->DayOfWeek = 0x7F;
        QVERIFY(rig.Hub()->m_pScheduleManager->f_AddSchedule(schedule, true));
        QScopedPointer<CScheduleManager::ScheduleMap> week(
            rig.Hub()->m_pScheduleManager->MakeExpandSchedules(rig.m_Now, true));
        QVERIFY(!week.isNull());
        for (CScheduleData* instance : qAsConst(*week))
            QVERIFY(rig.Hub()->m_pScheduleExcuteManager->f_AddExpandSchedule(instance));
        int key = -1;
        for (auto it = rig.Expanded().cbegin(); it != rig.Expanded().cend(); ++it) {
            if (it.value()->StartDay.date() == rig.m_Now.date())
                key = it.key();
        }
        QVERIFY(key >= 0);
        rig.Control(144, {CVariantParameter().FromDateTime(rig.m_Now)});

        rig.Dispatcher()->GetSchedule()->PostUpdateTime(QDateTime(rig.m_Now.date(), QTime(10, 4)));
        QTest::qWait(100);
        QVERIFY(rig.Simulated(id)->Requests().isEmpty());

        rig.Dispatcher()->GetSchedule()->PostUpdateTime(QDateTime(rig.m_Now.date(), QTime(10, 5)));
        QTRY_COMPARE_WITH_TIMEOUT(rig.Instance(key)->Status, int(Result::OK), 10000);
        QCOMPARE(afterIdentification(rig.Requests(id)), QList<int>{2});
        QCOMPARE(rig.Log(), QStringList{line(rig.Address(id), "OK", "1")});
    }
};

QTEST_GUILESS_MAIN(tst_ScheduleExecution)
#include "tst_ScheduleExecution.moc"
