#include <QtTest>

#include "CProfile.h"
#include "EngineTestData.h"
#include "EngineTestRig.h"
#include "SimFrame.h"

namespace {

const int FROM = 1;
const int ACT = 2;
const int CMD_POWER = 2;

QList<int> Ints(const QList<QVariant>& args)
{
    QList<int> out;
    for (const QVariant& v : args)
        out << v.toInt();
    return out;
}

} // namespace

class tst_CCommandFunctions : public QObject
{
    Q_OBJECT
private slots:
    void identificationWithShippedProfiles_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<quint32>("code");
        for (const CSimModelSpec& spec : CSimModelSpec::ShippedModels()) {
            const quint32 code = quint32(quint8(spec.code.at(0))) << 24 | quint32(quint8(spec.code.at(1))) << 16
                                 | quint32(quint8(spec.code.at(2))) << 8 | quint32(quint8(spec.code.at(3)));
            QTest::newRow(qPrintable(spec.name)) << spec.name << code;
        }
    }

    void identificationWithShippedProfiles()
    {
        QFETCH(QString, model);
        QFETCH(quint32, code);
        EngineTestRig rig;
        QVERIFY(rig.ProfilesLoaded());
        const int id = rig.Add(CSimModelSpec::Shipped(model));
        QVERIFY(id > 0);
        EngineSpies spies(&rig.m_Engine);

        QCOMPARE(rig.m_Engine.SetPower(1, 77, id, FROM, ACT, CMD_POWER, false), 0);
        QTRY_COMPARE(spies.Ends(), 1);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(Ints(spies.completed.at(0)), (QList<int>{77, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(Ints(spies.timing.at(0)), (QList<int>{CMD_POWER, FROM, ACT, id}));
        QCOMPARE(spies.updateError.count(), 0);
        // Model information, common status, then the command's own frame.
        QCOMPARE(rig.Requests(id), (QList<int>{29, 31, 2}));

        CProjectorData* record = rig.Record(id);
        QCOMPARE(record->m_ConnectState, CProjectorData::CONNECT_STATE_CONNECTED);
        QCOMPARE(record->m_EngineFlags[CCommandFunctions::FLAG_PROFILE_FOUND], quint8(1));
        QVERIFY(record->m_Profile != nullptr);
        // A six-digit profile code matches any fourth byte.
        const quint32 mask = record->m_Profile->m_ModelCodeLength == 6 ? 0xFFFFFF00u : 0xFFFFFFFFu;
        QCOMPARE(record->m_Profile->m_ModelCode & mask, code & mask);
        QCOMPARE(record->m_Status[CProjectorData::StModelName].ToString(), model);
        QCOMPARE(record->m_Status[CProjectorData::StModelCode1].ToUChar(), quint8(code >> 24));
        QCOMPARE(record->m_StepNo, 0);
        QVERIFY(record->m_TempParameters.isEmpty());
        QCOMPARE(rig.Model(id)->State().power, int(CSimProjectorState::POWER_ON));
    }

    void commonStatusReachesTheRecord()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorState& state = rig.Model(id)->State();
        state.power = CSimProjectorState::POWER_ON;
        state.inputTerminal = 0x1A;
        state.pictureMute = true;
        state.osdMute = true;
        state.freeze = true;
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 0, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        const CVariantParameter* st = rig.Record(id)->m_Status;
        QCOMPARE(st[CProjectorData::StPowerStatus].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StPowerIndicator].ToInt(), 255);
        QCOMPARE(st[CProjectorData::StInputTerminal].ToInt(), 0x1A);
        QCOMPARE(st[CProjectorData::StPictureMute].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StSoundMute].ToInt(), 0);
        QCOMPARE(st[CProjectorData::StOsdMute].ToInt(), 1);
        QCOMPARE(st[CProjectorData::StFreeze].ToBool(), true);
        QCOMPARE(st[CProjectorData::StLowPowerStandby].ToBool(), false);
        QVERIFY(st[CProjectorData::StStatusValid].ToBool());
    }

    void unlistedModel_data()
    {
        QTest::addColumn<bool>("ownMaker");
        QTest::addColumn<int>("power");
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("code");
        QTest::newRow("own maker: accepted") << true << 0 << QList<int>{29, 31, 32, 2} << 0;
        QTest::newRow("other maker: not identified") << false << 0 << QList<int>{29, 31, 32} << -43;
        QTest::newRow("in 1 W standby: not identified, no maker request")
            << true << 15 << QList<int>{29, 31} << -43;
        QTest::newRow("power status 16 is 1 W standby too") << true << 16 << QList<int>{29, 31} << -43;
    }

    void unlistedModel()
    {
        QFETCH(bool, ownMaker);
        QFETCH(int, power);
        QFETCH(QList<int>, requests);
        QFETCH(int, code);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Unlisted(ownMaker));
        rig.Model(id)->State().power = power;
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 5, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 1);
        QCOMPARE(rig.Requests(id), requests);
        CProjectorData* record = rig.Record(id);
        QCOMPARE(record->m_EngineFlags[CCommandFunctions::FLAG_PROFILE_FOUND], quint8(0));
        if (code == 0) {
            QCOMPARE(spies.completed.count(), 1);
            QCOMPARE(record->m_ConnectState, CProjectorData::CONNECT_STATE_CONNECTED);
            QCOMPARE(record->m_EngineFlags[CCommandFunctions::FLAG_IDENTIFIED], quint8(1));
            // The fallback profile stands in for the model.
            QVERIFY(record->m_Profile != nullptr);
            QVERIFY(record->m_Profile->m_Dummy);
        } else {
            QCOMPARE(spies.error.count(), 1);
            QCOMPARE(Ints(spies.error.at(0)), (QList<int>{code, 5, id, FROM, ACT, CMD_POWER}));
            QCOMPARE(spies.updateError.count(), 1);
            const QList<QVariant> e = spies.updateError.at(0);
            QCOMPARE(e.at(0).toString(), QStringLiteral("Error"));
            QCOMPARE(e.at(1).toString(), record->m_Address);
            QCOMPARE(e.at(2).toInt(), code);
            QCOMPARE(Ints(e.mid(3)), (QList<int>{CMD_POWER, FROM, ACT, id}));
            QCOMPARE(record->m_ConnectState, 0);
        }
    }

    void replyFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("requests");
        QTest::newRow("wrong echo of the common status") << "echo" << 31 << -402 << "Error" << QList<int>{29, 31};
        QTest::newRow("other code byte in the reply") << "code" << 2 << -402 << "Error" << QList<int>{29, 31, 2};
        QTest::newRow("bad checksum") << "checksum" << 29 << -401 << "Error" << QList<int>{29};
        QTest::newRow("negative reply (2, 3)") << "nack" << 2 << -123 << "Nack received." << QList<int>{29, 31, 2};
        QTest::newRow("negative reply to the model request") << "nack" << 29 << -123 << "Nack received."
                                                             << QList<int>{29};
    }

    void replyFaults()
    {
        QFETCH(QString, fault);
        QFETCH(int, request);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFETCH(QList<int>, requests);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel* model = rig.Model(id);
        if (fault == QLatin1String("echo"))
            model->SetWrongEcho(request);
        else if (fault == QLatin1String("code"))
            model->SetWrongCode(request);
        else if (fault == QLatin1String("checksum"))
            model->SetBadChecksum(request);
        else
            model->SetNack(request, 2, 3);
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 9, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 1);
        if (fault == QLatin1String("nack")) {
            QCOMPARE(Ints(spies.nack.at(0)), (QList<int>{code, 9, id, FROM, ACT, CMD_POWER}));
        } else {
            QCOMPARE(spies.error.count(), 1);
            QCOMPARE(spies.error.at(0).at(0).toInt(), code);
        }
        QCOMPARE(spies.updateError.count(), 1);
        QCOMPARE(spies.updateError.at(0).at(0).toString(), message);
        QCOMPARE(spies.updateError.at(0).at(2).toInt(), code);
        QCOMPARE(rig.Requests(id), requests);
        QCOMPARE(rig.Record(id)->m_StepNo, 0);
    }

    // An identification reply too short for its layout answers nothing: the
    // values of an earlier identification must not stand in for it.
    void shortIdentificationReplies_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QList<int>>("requests");
        QTest::newRow("model information without data") << 29 << Hex("20 BF 00 00 00 DF") << QList<int>{29};
        QTest::newRow("model information one byte short")
            << 29 << MakeSimFrame(0x20, 0xBF, QByteArray(13, '\0')) << QList<int>{29};
        QTest::newRow("common status with only its echo") << 31 << Hex("20 BF 00 00 01 02 E2") << QList<int>{29, 31};
        QTest::newRow("common status without data") << 31 << Hex("20 BF 00 00 00 DF") << QList<int>{29, 31};
        QTest::newRow("maker information one byte short")
            << 32 << MakeSimFrame(0x21, 0xD3, QByteArray(49, '\0')) << QList<int>{29, 31, 32};
    }

    void shortIdentificationReplies()
    {
        QFETCH(int, request);
        QFETCH(QByteArray, reply);
        QFETCH(QList<int>, requests);
        EngineTestRig rig;
        // Unlisted, so the maker is asked; a first power-on identifies it fully.
        const int id = rig.Add(CSimModelSpec::Unlisted(true));
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        rig.Projector(id)->ClearRequests();

        CSimProjectorModel* model = rig.Model(id);
        rig.Projector(id)->SetHandler([model, request, reply](const QByteArray& frame) {
            return CSimProjectorModel::RequestIndex(frame) == request ? CSimReply::Answer(reply) : model->Answer(frame);
        });
        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 2);
        QCOMPARE(Ints(spies.error.at(0)), (QList<int>{-402, 2, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(rig.Requests(id), requests);
        QCOMPARE(rig.Model(id)->State().power, int(CSimProjectorState::POWER_ON));
    }

    // A projector that sends bytes after each complete reply (a line end):
    // the reply is judged on its own length, whether the bytes come in one
    // segment or the reply is split and the extra bytes come with its end.
    void bytesAfterAReply_data()
    {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<bool>("split");
        QTest::newRow("CR, one segment") << QByteArray("\r") << false;
        QTest::newRow("CR, two segments") << QByteArray("\r") << true;
        QTest::newRow("CR LF, one segment") << QByteArray("\r\n") << false;
        QTest::newRow("a whole second frame, one segment") << Hex("20 85 00 00 01 00 A6") << false;
    }

    void bytesAfterAReply()
    {
        QFETCH(QByteArray, extra);
        QFETCH(bool, split);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel* model = rig.Model(id);
        rig.Projector(id)->SetHandler([model, extra, split](const QByteArray& frame) {
            CSimReply reply = model->Answer(frame);
            if (split) {
                reply.chunkSizes = {reply.data.size() - 1};
                reply.gapMs = 20;
            }
            reply.data += extra;
            return reply;
        });
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 9, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 1);
        QCOMPARE(spies.error.count(), 0);
        QCOMPARE(spies.completed.count(), 1);
        QCOMPARE(rig.Requests(id), (QList<int>{29, 31, 2}));
        QCOMPARE(rig.Model(id)->State().power, int(CSimProjectorState::POWER_ON));
        // Nothing of what came after the last reply reaches the next command.
        rig.m_Engine.SetPower(0, 10, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 2);
        QCOMPARE(spies.completed.count(), 2);
    }

    void makerFieldsReachTheRecord()
    {
        CProjectorData record(nullptr, 1);
        CVariantParameter* st = record.m_Status;
        st[CCommandFunctions::RawMakerField1].FromByteArray(QByteArray(16, 'a'));
        st[CCommandFunctions::RawMakerField2].FromByteArray(QByteArray(16, 'b'));
        st[CCommandFunctions::RawMakerField3].FromByteArray(QByteArray(16, 'c'));
        CCommandFunctions::f_OEMInfoUpdate(&record);
        QCOMPARE(st[CProjectorData::StOemInfo].ToByteArray(), QByteArray(16, 'a'));
        QCOMPARE(st[CProjectorData::StMakerId].ToByteArray(), QByteArray(16, 'b'));
        QCOMPARE(st[CProjectorData::StMakerField3].ToByteArray(), QByteArray(16, 'c'));
    }

    void deletedRecordIsForgotten_data()
    {
        QTest::addColumn<bool>("stopFirst"); // as the data hub deletes a projector
        QTest::newRow("stopped, then deleted") << true;
        QTest::newRow("deleted, then its disconnection is reported") << false;
    }

    // What the engine keeps per projector id goes with the record, so a new
    // record under the same id starts afresh.
    void deletedRecordIsForgotten()
    {
        QFETCH(bool, stopFirst);
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        QVERIFY(rig.m_Engine.f_HasReturnParameter(id));

        if (stopFirst)
            QCOMPARE(rig.m_Engine.Stop(0, id, 0, 0, 0, false), 0);
        delete rig.m_Records.take(id);
        if (!stopFirst)
            rig.m_Engine.f_OnDisconnected(QDateTime::currentDateTime(), QString(), QString(), id);
        QTRY_VERIFY(!rig.m_Engine.f_HasReturnParameter(id));
    }

    // A record deleted and another made under its id before the engine's next
    // check: what the engine kept for the old one must not hold back the new
    // one's results (a command that never ends blocks every later one).
    void reusedIdStartsAfresh()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        QVERIFY(rig.m_Engine.f_HasReturnParameter(id));

        // Replaced within one turn of the event loop: no check runs between.
        std::unique_ptr<CProjectorData> old(rig.m_Records.take(id));
        auto* fresh = new CProjectorData(old->m_ProfileList, id);
        fresh->m_Address = old->m_Address;
        fresh->m_Port = old->m_Port;
        rig.m_Records.insert(id, fresh);
        old.reset();

        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 2);
        QCOMPARE(spies.completed.count(), 2);
        QCOMPARE(spies.completed.at(1).at(0).toInt(), 2);
    }

    void socketErrorIsACommunicationError()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QVERIFY(rig.Projector(id)->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE));
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 3, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.Ends(), 1);
        QCOMPARE(Ints(spies.error.at(0)), (QList<int>{-301, 3, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("Error"));
        QCOMPARE(spies.updateError.at(0).at(2).toInt(), -301);
        QCOMPARE(rig.Record(id)->m_ConnectState, 0);
    }

    // A refused connection ends the commands waiting behind the first one
    // too: each with its own result, none silently lost.
    void refusedConnectionEndsEveryWaitingCommand()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        QVERIFY(rig.Projector(id)->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE));
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 3, id, FROM, ACT, CMD_POWER, false);
        rig.m_Engine.SetPower(0, 4, id, 3, ACT, CMD_POWER, false);
        rig.m_Engine.GetGeneralData(5, id, FROM, 1, 1, false);
        QTRY_COMPARE(spies.Ends(), 3);
        QCOMPARE(spies.error.count(), 3);
        QCOMPARE(Ints(spies.error.at(0)), (QList<int>{-301, 3, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(Ints(spies.error.at(1)), (QList<int>{-301, 4, id, 3, ACT, CMD_POWER}));
        QCOMPARE(Ints(spies.error.at(2)), (QList<int>{-301, 5, id, FROM, 1, 1}));
        QCOMPARE(spies.updateError.count(), 3);
        QVERIFY(rig.Record(id)->m_PendingEvents.isEmpty());
        QCOMPARE(rig.Record(id)->m_StepNo, 0);

        // A later command tries the connection afresh and runs once it works.
        QVERIFY(rig.Projector(id)->SetConnectMode(CSimulatedProjector::CONNECT_ACCEPT));
        rig.m_Engine.SetPower(1, 6, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        QCOMPARE(spies.Ends(), 4);
    }

    // A reply that comes when its request was given up updates the record but
    // never reaches the command that runs; a broken one is only dropped.
    void lateRepliesNeverReachTheRunningCommand()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel* model = rig.Model(id);
        CSimulatedProjector* projector = rig.Projector(id);
        // Identification is answered; the power request is not.
        projector->SetHandler([model](const QByteArray& request) {
            return CSimProjectorModel::RequestIndex(request) == 2 ? CSimReply::Silence() : model->Answer(request);
        });
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(rig.Requests(id).size(), 3);
        CProjectorData* record = rig.Record(id);
        QTRY_COMPARE(record->m_SendFrame.at(1), char(0x00));
        QTRY_COMPARE(record->m_StepNo, 6);

        const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
        const QString address = record->m_Address;
        QByteArray name = model->ReplyFrame(MakeSimFrame(0x03, 0xB0, QByteArray("\x2C", 1)));
        rig.m_Engine.f_OnReceived(before, address, name, id);
        QCOMPARE(record->m_Status[CCommandFunctions::RawProjectorName].ToString(), QStringLiteral("PJ-1"));

        // A late power acknowledgement would end the command if it got through.
        rig.m_Engine.f_OnReceived(before, address, QByteArray::fromHex("220000000022"), id);
        QByteArray badSum = QByteArray::fromHex("220000000023");
        rig.m_Engine.f_OnReceived(before, address, badSum, id);
        rig.m_Engine.f_OnReceived(before, address, QByteArray::fromHex("2200000001"), id);
        rig.m_Engine.f_OnReceived(before, address, QByteArray::fromHex("A200000002020000"), id);
        QTest::qWait(50);
        QCOMPARE(spies.Ends(), 0);
        QCOMPARE(spies.updateError.count(), 0);
        QCOMPARE(record->m_StepNo, 6);

        // The command still ends by its own means: here, the user stops it.
        QCOMPARE(rig.m_Engine.Stop(0, id, FROM, 0, CMD_POWER, false), 0);
        QTRY_COMPARE(spies.canceled.count(), 1);
        QCOMPARE(Ints(spies.canceled.at(0)), (QList<int>{1, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(spies.updateError.count(), 1);
        QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("User canceled."));
        QCOMPARE(spies.updateError.at(0).at(2).toInt(), -10);
        QCOMPARE(spies.Ends(), 1);
    }

    // After a command ended in error, a reply counts as late whatever its time.
    void replyAfterAnErrorIsLate()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        rig.Model(id)->SetWrongEcho(31);
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.error.count(), 1);
        CProjectorData* record = rig.Record(id);
        QCOMPARE(record->m_ErrorCode, -402);

        const QByteArray reply = MakeSimFrame(0x23, 0x95, Hex("10 00 00 00 20 00 00 00"));
        rig.m_Engine.f_OnReceived(QDateTime::currentDateTime().addSecs(1), record->m_Address, reply, id);
        rig.m_Engine.f_OnReceived(QDateTime::currentDateTime().addSecs(1), record->m_Address,
                                  QByteArray::fromHex("2395000008"), id);
        QTest::qWait(20);
        QCOMPARE(record->m_Status[CCommandFunctions::RawFilterUsage].ToInt(), 0x10);
        QCOMPARE(spies.error.count(), 1);
        QCOMPARE(spies.Ends(), 1);
    }

    void commandsOfOneProjectorRunInOrder()
    {
        EngineTestRig rig;
        const int first = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        const int second = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-E300")));
        // A slow projector: the second command must wait for the first.
        CSimFaults slow;
        slow.extraDelayMs = 20;
        rig.Projector(first)->SetFaults(slow);
        EngineSpies spies(&rig.m_Engine);

        QCOMPARE(rig.m_Engine.SetPower(1, 101, first, FROM, ACT, CMD_POWER, false), 0);
        QCOMPARE(rig.m_Engine.SetPower(0, 102, first, FROM, ACT, CMD_POWER, false), 0);
        QCOMPARE(rig.m_Engine.SetPower(0, 201, second, FROM, ACT, CMD_POWER, false), 0);
        QCOMPARE(rig.m_Engine.SetPower(1, 103, first, FROM, ACT, CMD_POWER, false), 0);
        QCOMPARE(rig.Record(first)->m_PendingEvents.size(), 3);

        QTRY_COMPARE(spies.completed.count(), 4);
        QCOMPARE(rig.Requests(first), (QList<int>{29, 31, 2, 29, 31, 3, 29, 31, 2}));
        QCOMPARE(rig.Requests(second), (QList<int>{29, 31, 3}));
        QList<int> firstOrder;
        for (const QList<QVariant>& c : qAsConst(spies.completed)) {
            if (c.at(1).toInt() == first)
                firstOrder << c.at(0).toInt();
        }
        QCOMPARE(firstOrder, (QList<int>{101, 102, 103}));
        // Queued commands reuse the connection.
        QCOMPARE(rig.Projector(first)->AcceptedCount(), 1);
    }

    void disconnectsOnceTheQueueIsEmpty()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-D200")));
        EngineSpies spies(&rig.m_Engine);
        QSignalSpy closed(rig.Projector(id), &CSimulatedProjector::ClientDisconnected);

        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        QCOMPARE(rig.Projector(id)->OpenConnectionCount(), 1);
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(rig.Projector(id)->OpenConnectionCount(), 0);

        // The next command connects again.
        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 2);
        QCOMPARE(rig.Projector(id)->AcceptedCount(), 2);
    }

    void stopCancelsTheRunningAndPendingCommands()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-X500")));
        rig.Projector(id)->SetHandler([](const QByteArray&) { return CSimReply::Silence(); });
        EngineSpies spies(&rig.m_Engine);

        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(rig.Requests(id).size(), 1);
        QCOMPARE(rig.m_Engine.Stop(0, id, FROM, 0, 0, false), 0);
        QTRY_COMPARE(spies.canceled.count(), 1);
        QCOMPARE(spies.canceled.at(0).at(0).toInt(), 1);
        QCOMPARE(spies.updateError.at(0).at(0).toString(), QStringLiteral("User canceled."));
        QCOMPARE(spies.updateError.at(0).at(2).toInt(), -10);
        QVERIFY(rig.Record(id)->m_PendingEvents.isEmpty());
        QTest::qWait(50);
        // The pending command never ran.
        QCOMPARE(spies.Ends(), 1);
        QCOMPARE(rig.Requests(id), (QList<int>{29}));
    }

    void stopOnAnIdleProjectorEndsNothing()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        EngineSpies spies(&rig.m_Engine);
        QCOMPARE(rig.m_Engine.Stop(0, id, FROM, 0, 0, false), 0);
        QTest::qWait(20);
        QCOMPARE(spies.Ends(), 0);
        QCOMPARE(spies.updateError.count(), 0);
    }

    void unknownProjector()
    {
        EngineTestRig rig;
        QList<int> keys{0, 256};
        CCommandFunctions& e = rig.m_Engine;
        QCOMPARE(e.SetPower(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetInputTerminal(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetPictureMute(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetSoundMute(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetOSDMute(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetFreeze(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetAVMuteSchedule(1, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetGain(0, 0, 0, 0, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.SetProjectorName(QStringLiteral("x"), 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.GetGeneralData(0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.GetGain(keys, 0, 42, 0, 0, 0, false), -2);
        QCOMPARE(e.Stop(0, 42, 0, 0, 0, false), -2);
    }

    void resultsForAnIdleProjectorRunNoHandler()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        EngineSpies spies(&rig.m_Engine);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.completed.count(), 1);
        CProjectorData* record = rig.Record(id);
        rig.m_Engine.f_OnSequenceCompleted(id);
        rig.m_Engine.f_OnError(-21, id);
        rig.m_Engine.f_OnNackReceived(-101, id);
        rig.m_Engine.f_OnCanceled(id);
        QTest::qWait(20);
        QCOMPARE(spies.Ends(), 1);
        QCOMPARE(record->m_StepNo, 0);
    }

    // A projector that hangs up on the model request: the command ends with
    // the communication error, and the next one still gets a result of its own.
    void hangUpWhileIdentifying()
    {
        EngineTestRig rig;
        const int id = rig.Add(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        rig.Projector(id)->SetHandler([](const QByteArray&) { return CSimReply::Close(); });
        EngineSpies spies(&rig.m_Engine);
        QSignalSpy state(&rig.m_Engine, &CCommandFunctions::TransportStateUpdate);
        rig.m_Engine.SetPower(1, 1, id, FROM, ACT, CMD_POWER, false);
        rig.m_Engine.SetPower(0, 2, id, FROM, ACT, CMD_POWER, false);
        QTRY_COMPARE(spies.error.count(), 2);
        QCOMPARE(Ints(spies.error.at(0)), (QList<int>{-301, 1, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(Ints(spies.error.at(1)), (QList<int>{-301, 2, id, FROM, ACT, CMD_POWER}));
        QCOMPARE(rig.Requests(id), (QList<int>{29, 29}));
        QVERIFY(state.count() > 0);
        QCOMPARE(rig.Record(id)->m_ConnectState, 0);
    }

    void setupOnlyOnce()
    {
        CCommandFunctions engine;
        QMap<int, CProjectorData*> records;
        CDeviceAccess access;
        QCOMPARE(engine.SetProjectorDatas(&records), 0);
        QCOMPARE(engine.SetProjectorDatas(&records), -1);
        QCOMPARE(engine.SetDeviceAccess(&access), 0);
        QCOMPARE(engine.SetDeviceAccess(&access), -1);
    }
};

QTEST_GUILESS_MAIN(tst_CCommandFunctions)
#include "tst_CCommandFunctions.moc"
