#include <QLoggingCategory>
#include <QtTest>

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

#include "CDeviceAccess.h"
#include "CProjectorSimulator.h"
#include "DeviceAccessRecorder.h"
#include "SimFrame.h"

namespace {

// The projector's answer to a request: the reply frame of the same command,
// carrying the request's data back.
CSimReply EchoReply(const QByteArray& request)
{
    return CSimReply::Answer(MakeSimFrame(static_cast<unsigned char>(request.at(0)) | 0x20,
                                          static_cast<unsigned char>(request.at(1)), request.mid(5, request.size() - 6)));
}

QByteArray Request(const QByteArray& data = QByteArray("\x01", 1))
{
    return MakeSimFrame(0x00, 0x85, data);
}

} // namespace

// One manager and simulated projectors on free loopback ports.
class tst_CDeviceAccess : public QObject
{
    Q_OBJECT

    CProjectorSimulator* m_Simulator = nullptr;
    CDeviceAccess* m_Access = nullptr;
    DeviceAccessRecorder* m_Recorder = nullptr;

    CSimulatedProjector* StartProjectors(int count)
    {
        if (!m_Simulator->Start(count, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0)) {
            qWarning("%s", qPrintable(m_Simulator->ErrorString()));
            return nullptr;
        }
        m_Simulator->SetHandler(EchoReply);
        return m_Simulator->Projector(0);
    }

    void Send(int id, const CSimulatedProjector* projector, QByteArray frame = Request())
    {
        QString host = projector->AddressText();
        QString port = projector->PortText();
        m_Access->SendCommand(id, &frame, 0, 0, &host, &port, false);
    }

    void SendTo(int id, QString host, QString port, QByteArray frame = Request())
    {
        m_Access->SendCommand(id, &frame, 0, 0, &host, &port, false);
    }

private slots:
    void initTestCase()
    {
        // Per-connection traces would bury the test log.
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.devicelink*.debug=false\ndefault.debug=false"));
    }

    void init()
    {
        m_Simulator = new CProjectorSimulator;
        m_Access = new CDeviceAccess;
        m_Recorder = new DeviceAccessRecorder(m_Access);
    }

    void cleanup()
    {
        delete m_Recorder;
        delete m_Access;
        delete m_Simulator;
    }

    // A peer that keeps sending after its reply: only the reply is handed on,
    // however much arrives while no request is outstanding.
    void bytesAfterTheReplyDoNotPileUp()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        const int chunks = 48;
        m_Simulator->SetHandler([chunks](const QByteArray& request) {
            CSimReply reply = EchoReply(request);
            const int replySize = reply.data.size();
            // Each junk chunk claims the largest data length and carries it.
            const QByteArray junk = MakeSimFrame(0x20, 0x85, QByteArray(4095, 'j')).leftJustified(8192, 'k');
            reply.data.append(junk.repeated(chunks));
            reply.chunkSizes.append(replySize);
            for (int i = 0; i < chunks - 1; ++i)
                reply.chunkSizes.append(junk.size());
            reply.gapMs = 5;
            return reply;
        });
        Send(5, projector);
        QTRY_COMPARE(m_Recorder->Results(5).size(), 1);
        QTest::qWait(chunks * 5 + 200);
        QCOMPARE(m_Recorder->Results(5).size(), 1);
        QCOMPARE(m_Recorder->Results(5).first().data, MakeSimFrame(0x20, 0x85, "\x01"));
    }

    // A reply is made of what arrives after its request went out. Bytes the
    // projector sent after its last reply are no part of the next one: in
    // the reply's own segment, or in a segment of their own that is already
    // in when the next request goes out, before the manager has read it.
    void replyStartsAfterItsRequest_data()
    {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<bool>("ownSegment");
        QTest::newRow("CR in the reply's segment") << QByteArray("\r") << false;
        QTest::newRow("two segments: the CR in its own") << QByteArray("\r") << true;
        QTest::newRow("two segments: a frame nobody asked for") << MakeSimFrame(0x20, 0x85, "zz") << true;
    }

    void replyStartsAfterItsRequest()
    {
        QFETCH(QByteArray, extra);
        QFETCH(bool, ownSegment);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        const QString port = QString::number(server.serverPort());
        const QByteArray first = Request("\x01");
        const QByteArray second = Request("\x02");

        SendTo(3, QStringLiteral("127.0.0.1"), port, first);
        QTRY_VERIFY(server.hasPendingConnections());
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        QTRY_COMPARE(peer->bytesAvailable(), qint64(first.size()));
        QCOMPARE(peer->readAll(), first);
        peer->write(EchoReply(first).data + (ownSegment ? QByteArray() : extra));
        QVERIFY(peer->flush());
        QTRY_COMPARE(m_Recorder->Results(3).size(), 1);

        if (ownSegment) {
            peer->write(extra);
            QVERIFY(peer->flush());
        }
        // The next request goes out before any socket is looked at again.
        SendTo(3, QStringLiteral("127.0.0.1"), port, second);
        QCoreApplication::sendPostedEvents(m_Access, QEvent::MetaCall);
        QCOMPARE(m_Recorder->Count(3, "send"), 2);

        QTRY_COMPARE(peer->bytesAvailable(), qint64(second.size()));
        QCOMPARE(peer->readAll(), second);
        peer->write(EchoReply(second).data);
        QVERIFY(peer->flush());
        QTRY_COMPARE(m_Recorder->Results(3).size(), 2);
        QCOMPARE(m_Recorder->Results(3).at(0).data, EchoReply(first).data);
        QCOMPARE(m_Recorder->Results(3).at(1).data, EchoReply(second).data);
    }

    void connectSendAndCompleteReply()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        const QByteArray frame = Request("\x07");
        Send(5, projector, frame);
        QCOMPARE(m_Recorder->events.size(), 0); // carried out from the event loop only

        QTRY_COMPARE(m_Recorder->Results(5).size(), 1);
        QCOMPARE(m_Recorder->Kinds(5), (QStringList{"connect", "send", "received"}));
        const QList<DeviceEvent> events = m_Recorder->Of(5);
        QCOMPARE(events.at(0).msg, QStringLiteral("Connected."));
        QCOMPARE(events.at(1).data, frame);
        QCOMPARE(events.at(2).data, MakeSimFrame(0x20, 0x85, "\x07"));
        for (const DeviceEvent& e : events)
            QCOMPARE(e.target, projector->AddressText());
        QCOMPARE(projector->Requests(), QList<QByteArray>{frame});
        QCOMPARE(m_Access->GetConnectionState(5), int(QAbstractSocket::ConnectedState));
        QVERIFY(m_Access->IsCommunicating(5));

        // The open connection carries the next request.
        Send(5, projector, Request("\x08"));
        QTRY_COMPARE(m_Recorder->Results(5).size(), 2);
        QCOMPARE(m_Recorder->Results(5).at(1).data, MakeSimFrame(0x20, 0x85, "\x08"));
        QCOMPARE(projector->AcceptedCount(), 1);
    }

    void replyInChunksCompletesOnTheLast_data()
    {
        QTest::addColumn<QList<int>>("chunks");
        QTest::addColumn<int>("gapMs");
        QTest::newRow("three chunks") << QList<int>{3, 4} << 100;
        // Each gap is shorter than the 600 ms frame gap, all together longer:
        // every chunk restarts the gap.
        QTest::newRow("three slow chunks") << QList<int>{3, 4} << 400;
        QTest::newRow("header split before the length") << QList<int>{4, 1} << 400;
    }

    void replyInChunksCompletesOnTheLast()
    {
        QFETCH(QList<int>, chunks);
        QFETCH(int, gapMs);
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        const QByteArray reply = MakeSimFrame(0x20, 0x85, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        projector->SetHandler([&](const QByteArray&) {
            CSimReply r = CSimReply::Answer(reply);
            r.chunkSizes = chunks;
            r.gapMs = gapMs;
            return r;
        });
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        QCOMPARE(m_Recorder->Results(1).at(0).kind, QStringLiteral("received"));
        QCOMPARE(m_Recorder->Results(1).at(0).data, reply);
        QTest::qWait(700);
        QCOMPARE(m_Recorder->Results(1).size(), 1);
    }

    void partialReplyHandedOnAfterFrameGap()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        const QByteArray five = MakeSimFrame(0x20, 0x85, "abcde").left(5);
        projector->SetHandler([&](const QByteArray&) { return CSimReply::Answer(five); });
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        const DeviceEvent result = m_Recorder->Results(1).at(0);
        QCOMPARE(result.kind, QStringLiteral("received"));
        QCOMPARE(result.data, five);
        const qint64 sentAt = m_Recorder->Of(1, "send").at(0).atMs;
        QVERIFY2(result.atMs - sentAt >= 550, "handed on before the frame gap ended");
        QVERIFY2(result.atMs - sentAt < 4500, "handed on by the response timeout, not the frame gap");

        // The response timer was stopped: no second result for this request.
        QTest::qWait(5000);
        QCOMPARE(m_Recorder->Results(1).size(), 1);
    }

    // A timer's timeout travels through the event loop and can arrive after
    // the request already has its result; it must never give a second one.
    void lateTimeoutsGiveNoSecondResult_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("after a complete reply") << false;
        QTest::newRow("after nothing came in time") << true;
    }

    void lateTimeoutsGiveNoSecondResult()
    {
        QFETCH(bool, silent);
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        CSimFaults faults;
        faults.silent = silent;
        projector->SetFaults(faults);
        Send(1, projector);
        QTRY_COMPARE_WITH_TIMEOUT(m_Recorder->Results(1).size(), 1, 8000);
        m_Access->f_OnReceiveTimerTimeout(1);
        m_Access->f_OnFrameTimerTimeout(1);
        m_Access->f_OnReceiveTimerTimeout(1);
        QCOMPARE(m_Recorder->Results(1).size(), 1);

        // A late timeout of the old request while the next one is under way
        // is not that request's result either.
        faults.silent = true;
        projector->SetFaults(faults);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Count(1, "send"), 2);
        m_Access->f_OnReceiveTimerTimeout(1);
        m_Access->f_OnFrameTimerTimeout(1);
        QCOMPARE(m_Recorder->Results(1).size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_Recorder->Results(1).size(), 2, 8000);
        QCOMPARE(m_Recorder->Results(1).at(1).code, -21);
    }

    void silenceEndsWithMinus21()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        CSimFaults faults;
        faults.silent = true;
        projector->SetFaults(faults);
        Send(1, projector);
        QTRY_COMPARE_WITH_TIMEOUT(m_Recorder->Results(1).size(), 1, 8000);
        const DeviceEvent result = m_Recorder->Results(1).at(0);
        QCOMPARE(result.kind, QStringLiteral("error"));
        QCOMPARE(result.code, -21);
        QCOMPARE(result.target, projector->AddressText());
        QVERIFY(result.atMs - m_Recorder->Of(1, "send").at(0).atMs >= 4500); // timers may fire 5 % early
        QTest::qWait(700);
        QCOMPARE(m_Recorder->Results(1).size(), 1);
        // The connection stays for the next request.
        QCOMPARE(m_Access->GetConnectionState(1), int(QAbstractSocket::ConnectedState));
    }

    void refusedPortReportsSocketErrorAndDeletesTransport()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE);
        Send(3, projector);
        QTRY_COMPARE(m_Recorder->Results(3).size(), 1);
        QCOMPARE(m_Recorder->Results(3).at(0).kind, QStringLiteral("error"));
        QCOMPARE(m_Recorder->Results(3).at(0).code, -1000);
        QCOMPARE(m_Access->GetConnectionState(3), -1);
        QCOMPARE(m_Access->GetTransportCount(), 0);
        QTRY_COMPARE(m_Recorder->Count(3, "disconnect"), 1);
        QCOMPARE(m_Recorder->Of(3, "disconnect").at(0).msg, QStringLiteral("Disconnected."));
        QCOMPARE(m_Recorder->Count(3, "send"), 0);

        // The id is free again: the next request opens a new transport.
        projector->SetConnectMode(CSimulatedProjector::CONNECT_ACCEPT);
        Send(3, projector);
        QTRY_COMPARE(m_Recorder->Results(3).size(), 2);
        QCOMPARE(m_Recorder->Results(3).at(1).kind, QStringLiteral("received"));
    }

    void unreachableProjectorTimesOutInSeconds()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL));
        Send(2, projector);
        QTRY_COMPARE_WITH_TIMEOUT(m_Recorder->Results(2).size(), 1, 10000);
        const DeviceEvent result = m_Recorder->Results(2).at(0);
        QCOMPARE(result.kind, QStringLiteral("error"));
        QCOMPARE(result.code, -1000 - int(QAbstractSocket::SocketTimeoutError));
        QVERIFY2(result.atMs >= 2500, qPrintable(QString::number(result.atMs)));
        QCOMPARE(m_Access->GetTransportCount(), 0);
        QTRY_COMPARE(m_Recorder->Count(2, "disconnect"), 1);
        QTest::qWait(200);
        QCOMPARE(m_Recorder->Results(2).size(), 1);
    }

    void badHostOrPortEndsTheRequest_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::newRow("empty host") << "" << "7142";
        QTest::newRow("port not a number") << "127.0.0.1" << "abc";
        QTest::newRow("empty port") << "127.0.0.1" << "";
        QTest::newRow("port 0") << "127.0.0.1" << "0";
        QTest::newRow("negative port") << "127.0.0.1" << "-1";
        QTest::newRow("port past 65535") << "127.0.0.1" << "70000";
    }

    void badHostOrPortEndsTheRequest()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        SendTo(4, host, port);
        QTRY_COMPARE(m_Recorder->Results(4).size(), 1);
        QCOMPARE(m_Recorder->Results(4).at(0).kind, QStringLiteral("error"));
        QCOMPARE(m_Recorder->Results(4).at(0).code, -3);
        QCOMPARE(m_Access->GetTransportCount(), 0);
        QTRY_COMPARE(m_Recorder->Count(4, "disconnect"), 1);
        QCOMPARE(m_Recorder->Results(4).size(), 1);
    }

    void requestWithoutHostOrPortIsDropped()
    {
        QByteArray frame = Request();
        QString text = QStringLiteral("127.0.0.1");
        m_Access->SendCommand(1, &frame, 0, 0, nullptr, &text, false);
        m_Access->SendCommand(2, &frame, 0, 0, &text, nullptr, false);
        m_Access->SendCommand(CDeviceAccess::TARGET_MAX, &frame, 0, 0, &text, &text, false);
        m_Access->SendCommand(-1, &frame, 0, 0, &text, &text, false);
        QTRY_COMPARE(m_Access->GetQueuedRequestCount(), 0);
        QTest::qWait(50);
        QCOMPARE(m_Access->GetTransportCount(), 0);
        QCOMPARE(m_Recorder->events.size(), 0);
    }

    void cancelWithoutTransportLeavesTheQueue()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        Send(1, projector);
        QCOMPARE(m_Access->Cancel(1), -1);
        QCOMPARE(m_Access->GetQueuedRequestCount(), 1);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        QCOMPARE(m_Recorder->Results(1).at(0).kind, QStringLiteral("received"));
    }

    void cancelWhileConnecting()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL));
        Send(1, projector);
        QTRY_COMPARE(m_Access->GetConnectionState(1), int(QAbstractSocket::ConnectingState));
        QSignalSpy canceled(m_Access, &CDeviceAccess::Canceled);
        QCOMPARE(m_Access->Cancel(1), 0);
        QCOMPARE(canceled.count(), 0); // reported through the event loop
        QVERIFY(m_Access->IsCanceled(1));
        QTRY_COMPARE(canceled.count(), 1);
        QCOMPARE(m_Access->GetConnectionState(1), -1);
        QTRY_COMPARE(m_Recorder->Count(1, "disconnect"), 1);
        // The abandoned attempt reports nothing more, not even its connect timeout.
        QTest::qWait(3500);
        QCOMPARE(m_Recorder->Kinds(1), (QStringList{"canceled", "disconnect"}));
    }

    void cancelWhileConnectedReportsBeforeReturning()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        QSignalSpy canceled(m_Access, &CDeviceAccess::Canceled);
        QCOMPARE(m_Access->Cancel(1), 0);
        QCOMPARE(canceled.count(), 1);
        QCOMPARE(canceled.at(0).at(0).toInt(), 1);
        QCOMPARE(m_Access->GetConnectionState(1), -1);
        QCOMPARE(m_Recorder->Count(1, "disconnect"), 0);
        QTRY_COMPARE(m_Recorder->Count(1, "disconnect"), 1);
        QTRY_COMPARE(projector->OpenConnectionCount(), 0);
    }

    void cancelWhileAwaitingReplyDropsQueuedRequests()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        CSimFaults faults;
        faults.silent = true;
        projector->SetFaults(faults);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Count(1, "send"), 1);
        Send(1, projector, Request("\x02")); // queued, not yet carried out
        Send(2, projector);                  // another target's request stays
        QCOMPARE(m_Access->Cancel(1), 0);
        QCOMPARE(m_Recorder->Count(1, "canceled"), 1);
        QCOMPARE(m_Access->GetQueuedRequestCount(), 1);
        QTRY_COMPARE(m_Recorder->Count(2, "send"), 1);
        // Neither the response timer nor the dropped request reports later.
        QTest::qWait(5500);
        QCOMPARE(m_Recorder->Results(1).size(), 1);
        QCOMPARE(m_Recorder->Count(1, "send"), 1);
    }

    void disconnectTimerClosesTheConnection()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        QCOMPARE(projector->OpenConnectionCount(), 1);

        // Stopped in time, it closes nothing.
        m_Access->DisconnectTimerStart(1);
        QTest::qWait(200);
        m_Access->DisconnectTimerStop(1);
        QTest::qWait(600);
        QCOMPARE(projector->OpenConnectionCount(), 1);
        QCOMPARE(m_Access->GetTransportCount(), 1);

        m_Access->DisconnectTimerStart(1);
        QTRY_COMPARE(m_Recorder->Count(1, "disconnect"), 1);
        QCOMPARE(m_Access->GetTransportCount(), 0);
        QTRY_COMPARE(projector->OpenConnectionCount(), 0);

        // The next request opens a new connection.
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 2);
        QCOMPARE(projector->AcceptedCount(), 2);
    }

    // Two requests for a new target in one event-loop turn share one
    // transport; the second frame waits until the first request has its
    // result, whatever that is, and then goes out at once.
    void twoSendsInOneTurn_data()
    {
        QTest::addColumn<int>("firstAction");
        QTest::addColumn<int>("firstCode");
        QTest::addColumn<int>("connections");
        QTest::newRow("first answered") << int(CSimReply::ACTION_ANSWER) << 0 << 1;
        QTest::newRow("first unanswered") << int(CSimReply::ACTION_SILENCE) << -21 << 1;
        // The connection closes with the frame still waiting: it is opened again.
        QTest::newRow("first closes the connection")
            << int(CSimReply::ACTION_CLOSE) << -1000 - int(QAbstractSocket::RemoteHostClosedError) << 2;
    }

    void twoSendsInOneTurn()
    {
        QFETCH(int, firstAction);
        QFETCH(int, firstCode);
        QFETCH(int, connections);
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        projector->SetHandler([firstAction](const QByteArray& request) {
            if (request != Request("\x01") || firstAction == CSimReply::ACTION_ANSWER)
                return EchoReply(request);
            return firstAction == CSimReply::ACTION_CLOSE ? CSimReply::Close() : CSimReply::Silence();
        });
        Send(1, projector, Request("\x01"));
        Send(1, projector, Request("\x02"));
        QTRY_COMPARE_WITH_TIMEOUT(m_Recorder->Results(1).size(), 2, 9000);
        QCOMPARE(projector->AcceptedCount(), connections);
        QCOMPARE(projector->Requests(), (QList<QByteArray>{Request("\x01"), Request("\x02")}));
        const QList<DeviceEvent> results = m_Recorder->Results(1);
        if (firstCode == 0) {
            QCOMPARE(m_Recorder->Kinds(1), (QStringList{"connect", "send", "received", "send", "received"}));
            QCOMPARE(results.at(0).data, MakeSimFrame(0x20, 0x85, "\x01"));
        } else {
            QCOMPARE(results.at(0).kind, QStringLiteral("error"));
            QCOMPARE(results.at(0).code, firstCode);
        }
        QCOMPARE(results.at(1).kind, QStringLiteral("received"));
        QCOMPARE(results.at(1).data, MakeSimFrame(0x20, 0x85, "\x02"));
    }

    void disconnectRequestClosesAndNextSendReconnects()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 1);
        QCOMPARE(m_Access->Disconnect(1), 0);
        QTRY_COMPARE(m_Recorder->Count(1, "disconnect"), 1);
        QTRY_COMPARE(projector->OpenConnectionCount(), 0);
        QCOMPARE(m_Access->GetTransportCount(), 1); // kept, closed
        QCOMPARE(m_Access->IsCommunicating(1), false);
        Send(1, projector);
        QTRY_COMPARE(m_Recorder->Results(1).size(), 2);
        QCOMPARE(m_Recorder->Results(1).at(1).kind, QStringLiteral("received"));
        QCOMPARE(projector->AcceptedCount(), 2);
    }

    void manyProjectorsEachGetTheirOwnReplies()
    {
        const int count = 200;
        QVERIFY(StartProjectors(count));
        for (int i = 0; i < count; ++i) {
            CSimulatedProjector* projector = m_Simulator->Projector(i);
            const QByteArray tag = QByteArray::number(i);
            projector->SetHandler([tag](const QByteArray&) { return CSimReply::Answer(MakeSimFrame(0x20, 0x85, tag)); });
        }
        for (int i = 0; i < count; ++i)
            Send(100 + i, m_Simulator->Projector(i));
        QTRY_COMPARE_WITH_TIMEOUT([&] {
            int done = 0;
            for (int i = 0; i < count; ++i)
                done += m_Recorder->Results(100 + i).size();
            return done;
        }(), count, 20000);
        QCOMPARE(m_Access->GetTransportCount(), count);
        for (int i = 0; i < count; ++i) {
            const QList<DeviceEvent> results = m_Recorder->Results(100 + i);
            QCOMPARE(results.size(), 1);
            QCOMPARE(results.at(0).kind, QStringLiteral("received"));
            QCOMPARE(results.at(0).data, MakeSimFrame(0x20, 0x85, QByteArray::number(i)));
            QCOMPARE(results.at(0).target, m_Simulator->Projector(i)->AddressText());
            QCOMPARE(m_Simulator->Projector(i)->AcceptedCount(), 1);
        }
    }

    void neutralAnswersWithoutTransport()
    {
        QCOMPARE(m_Access->GetConnectionState(7), -1);
        QCOMPARE(m_Access->IsCommunicating(7), false);
        QCOMPARE(m_Access->GetLastError(7), 0);
        QCOMPARE(m_Access->IsCanceled(7), false);
        QCOMPARE(m_Access->Cancel(7), -1);
        QCOMPARE(m_Access->GetConnectionState(-5), -1);
        QCOMPARE(m_Access->GetConnectionState(99999), -1);
        m_Access->DisconnectTimerStart(7);
        m_Access->DisconnectTimerStop(7);
        m_Access->Delete(7);
        QCOMPARE(m_Access->f_GetUnusedKey(), 0);
        QTest::qWait(20);
        QCOMPARE(m_Recorder->events.size(), 0);
    }

    void deleteTwiceDeletesOnce()
    {
        CSimulatedProjector* projector = StartProjectors(1);
        QVERIFY(projector);
        Send(0, projector);
        QTRY_COMPARE(m_Recorder->Results(0).size(), 1);
        QCOMPARE(m_Access->f_GetUnusedKey(), 1);
        m_Access->Delete(0);
        m_Access->Delete(0);
        QCOMPARE(m_Access->f_GetUnusedKey(), 0);
        QCOMPARE(m_Access->GetConnectionState(0), -1);
        QTRY_COMPARE(m_Recorder->Count(0, "disconnect"), 1);
        QTest::qWait(50);
        QCOMPARE(m_Recorder->Count(0, "disconnect"), 1);
    }
};

QTEST_GUILESS_MAIN(tst_CDeviceAccess)
#include "tst_CDeviceAccess.moc"
