#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

#include "CPortTCP.h"
#include "CProjectorSimulator.h"
#include "SimFrame.h"

namespace {

// Records what a port tells its listener, in order, with the count of
// ReadyRead signals the spy had heard at that moment.
class RecordingListener : public CPortListener
{
public:
    QStringList told;
    const QSignalSpy* readySpy = nullptr;
    void PortConnected(int key) override { told << QStringLiteral("connected %1").arg(key); }
    void PortReadyRead(int key) override
    {
        told << QStringLiteral("ready %1 after %2 signals").arg(key).arg(readySpy ? readySpy->count() : -1);
    }
    void PortDisconnected(int key) override { told << QStringLiteral("disconnected %1").arg(key); }
    void PortError(int key, int code) override { told << QStringLiteral("error %1 %2").arg(key).arg(code); }
    void PortFrameTimerTimeout(int key) override { told << QStringLiteral("frame timeout %1").arg(key); }
    void PortReceiveTimerTimeout(int key) override { told << QStringLiteral("receive timeout %1").arg(key); }
    void PortDisconnectTimerTimeout(int key) override { told << QStringLiteral("disconnect timeout %1").arg(key); }
    void PortStateChanged(int) override {}
};

} // namespace

class tst_CPortTCP : public QObject
{
    Q_OBJECT

    CProjectorSimulator* m_Simulator = nullptr;

    CSimulatedProjector* StartProjector()
    {
        if (!m_Simulator->Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0))
            return nullptr;
        CSimulatedProjector* projector = m_Simulator->Projector(0);
        projector->SetHandler([](const QByteArray& request) {
            return CSimReply::Answer(MakeSimFrame(0x20, static_cast<unsigned char>(request.at(1)), "ok"));
        });
        return projector;
    }

    static int Connect(CPortTCP& port, const CSimulatedProjector* projector, bool wait)
    {
        QString host = projector->AddressText();
        QString portText = projector->PortText();
        return port.Connect(&host, &portText, wait);
    }

    // Connects without blocking and waits, with the event loop, for the result.
    static bool ConnectAndWait(CPortTCP& port, const CSimulatedProjector* projector)
    {
        QSignalSpy connected(&port, &CPortBase::Connected);
        return Connect(port, projector, false) == 0 && connected.wait(5000);
    }

private slots:
    void initTestCase()
    {
        // Per-connection traces would bury the test log.
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.devicelink*.debug=false\ndefault.debug=false"));
    }

    void init() { m_Simulator = new CProjectorSimulator; }
    void cleanup() { delete m_Simulator; }

    void errorEncoding_data()
    {
        QTest::addColumn<int>("socketError");
        QTest::addColumn<int>("code");
        QTest::newRow("connection refused") << int(QAbstractSocket::ConnectionRefusedError) << -1000;
        QTest::newRow("remote host closed") << int(QAbstractSocket::RemoteHostClosedError) << -1001;
        QTest::newRow("socket timeout") << int(QAbstractSocket::SocketTimeoutError) << -1005;
        QTest::newRow("proxy protocol, the last numbered") << int(QAbstractSocket::ProxyProtocolError) << -1018;
        QTest::newRow("operation error, Qt 5 only") << int(QAbstractSocket::OperationError) << -1099;
        QTest::newRow("temporary error, Qt 5 only") << int(QAbstractSocket::TemporaryError) << -1099;
        QTest::newRow("unknown") << int(QAbstractSocket::UnknownSocketError) << -1099;
    }

    void errorEncoding()
    {
        QFETCH(int, socketError);
        QFETCH(int, code);
        QCOMPARE(CPortTCP::f_EncodeError(socketError), code);
    }

    void connectRefusesBadHostOrPort_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::newRow("empty host") << "" << "7142";
        QTest::newRow("port not a number") << "127.0.0.1" << "71x2";
        QTest::newRow("port 0") << "127.0.0.1" << "0";
        QTest::newRow("port past 65535") << "127.0.0.1" << "70000";
    }

    void connectRefusesBadHostOrPort()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        CPortTCP tcp;
        tcp.SetKey(42);
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QSignalSpy starts(&tcp, &CPortBase::ConnectStart);
        QCOMPARE(tcp.Connect(&host, &port, false), -3);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), 42);
        QCOMPARE(errors.at(0).at(1).toInt(), -3);
        QCOMPARE(starts.count(), 0);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
    }

    void connectWhileBusyIsRefusedSilently()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        QSignalSpy connected(&tcp, &CPortBase::Connected);
        QCOMPARE(Connect(tcp, projector, false), 0);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_CONNECTING));

        QSignalSpy errors(&tcp, &CPortBase::Error);
        QSignalSpy starts(&tcp, &CPortBase::ConnectStart);
        QCOMPARE(Connect(tcp, projector, false), -4);
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(Connect(tcp, projector, false), -4);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(starts.count(), 0);
    }

    void sendWhileConnectingGoesOut()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        tcp.SetKey(3);
        QSignalSpy sent(&tcp, &CPortBase::SendCompleted);
        QSignalSpy ready(&tcp, &CPortBase::ReadyRead);
        QCOMPARE(Connect(tcp, projector, false), 0);
        const QByteArray frame = MakeSimFrame(0x00, 0xBF, QByteArray());
        QCOMPARE(tcp.Send(frame, 0, -1), 0);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(1).toByteArray(), frame);
        QCOMPARE(sent.at(0).at(2).toInt(), frame.size());
        QTRY_COMPARE(projector->Requests(), QList<QByteArray>{frame});

        QTRY_VERIFY(ready.count() >= 1);
        QCOMPARE(ready.at(0).at(0).toInt(), 3);
        QSignalSpy received(&tcp, &CPortBase::Received);
        QByteArray out("x");
        QCOMPARE(tcp.Receive(&out, 5000), 0);
        QCOMPARE(out, QByteArray("x") + MakeSimFrame(0x20, 0xBF, "ok"));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(1).toByteArray(), MakeSimFrame(0x20, 0xBF, "ok"));
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_CONNECTED));
    }

    void sendAndReceiveWhileDisconnectedFail()
    {
        CPortTCP tcp;
        tcp.SetKey(8);
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QSignalSpy sendStarts(&tcp, &CPortBase::SendStart);
        QCOMPARE(tcp.Send(QByteArray("abc"), 0, -1), -5);
        QByteArray out;
        QCOMPARE(tcp.Receive(&out, 100), -5);
        QCOMPARE(errors.count(), 2);
        QCOMPARE(errors.at(0).at(1).toInt(), -5);
        QCOMPARE(errors.at(1).at(1).toInt(), -5);
        QCOMPARE(sendStarts.count(), 0);
        QVERIFY(out.isEmpty());
    }

    void blockingConnect()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        QSignalSpy connected(&tcp, &CPortBase::Connected);
        QCOMPARE(Connect(tcp, projector, true), 0);
        QCOMPARE(connected.count(), 1);
        QVERIFY(tcp.IsConnected());
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_CONNECTED));

        // Notifications flow again after the blocking connect.
        QSignalSpy ready(&tcp, &CPortBase::ReadyRead);
        tcp.Send(MakeSimFrame(0x00, 0x85, QByteArray()), 0, -1);
        QTRY_VERIFY(ready.count() >= 1);

        QSignalSpy disconnected(&tcp, &CPortBase::Disconnected);
        QCOMPARE(tcp.Disconnect(), 0);
        QVERIFY(disconnected.count() >= 1);
        QVERIFY(!tcp.IsConnected());
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
    }

    // The listener hears every report before the signal goes out; the
    // signals reach whoever connects, also to a port that has a listener,
    // and stop when the last one disconnects.
    void listenerFirstThenSignals()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        tcp.SetKey(7);
        RecordingListener listener;
        tcp.SetListener(&listener);
        auto* ready = new QSignalSpy(&tcp, &CPortBase::ReadyRead);
        listener.readySpy = ready;
        QSignalSpy connected(&tcp, &CPortBase::Connected);
        QSignalSpy sent(&tcp, &CPortBase::SendCompleted);
        QVERIFY(ConnectAndWait(tcp, projector));
        tcp.Send(MakeSimFrame(0x00, 0x85, QByteArray()), 0, -1);
        QTRY_COMPARE(ready->count(), 1);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(listener.told, (QStringList{"connected 7", "ready 7 after 0 signals"}));

        delete ready; // the listener goes on alone
        listener.readySpy = nullptr;
        QVERIFY(QObject::disconnect(&tcp, &CPortBase::SendCompleted, nullptr, nullptr));
        tcp.Send(MakeSimFrame(0x00, 0x85, QByteArray()), 0, -1);
        QTRY_COMPARE(listener.told.size(), 3);
        QCOMPARE(listener.told.last(), QStringLiteral("ready 7 after -1 signals"));
        QCOMPARE(sent.count(), 1);

        tcp.SetListener(nullptr);
        QSignalSpy readyAgain(&tcp, &CPortBase::ReadyRead);
        tcp.Send(MakeSimFrame(0x00, 0x85, QByteArray()), 0, -1);
        QTRY_COMPARE(readyAgain.count(), 1);
        QCOMPARE(listener.told.size(), 3);
    }

    void blockingConnectRefused()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE);
        CPortTCP tcp;
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QCOMPARE(Connect(tcp, projector, true), -1000);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(1).toInt(), -1000);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
        QVERIFY(!tcp.IsConnected());
    }

    void connectTimeoutGivesSocketTimeout_data()
    {
        QTest::addColumn<bool>("wait");
        QTest::newRow("connecting in the background") << false;
        QTest::newRow("blocking connect") << true;
    }

    void connectTimeoutGivesSocketTimeout()
    {
        QFETCH(bool, wait);
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL));
        CPortTCP tcp;
        tcp.SetKey(11);
        tcp.SetConnectTimeout(300);
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QCOMPARE(Connect(tcp, projector, wait), wait ? -1005 : 0);
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), 11);
        QCOMPARE(errors.at(0).at(1).toInt(), -1005);
        QCOMPARE(tcp.GetLastError(), -1005);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
        QCOMPARE(tcp.GetSocketState(), int(QAbstractSocket::UnconnectedState));
        // Free to try again.
        projector->SetConnectMode(CSimulatedProjector::CONNECT_ACCEPT);
        QVERIFY(ConnectAndWait(tcp, projector));
        QCOMPARE(errors.count(), 1);
    }

    void abortWhileConnectingReportsLater()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL));
        CPortTCP tcp;
        tcp.SetKey(6);
        QSignalSpy disconnected(&tcp, &CPortBase::Disconnected);
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QCOMPARE(Connect(tcp, projector, false), 0);
        QTRY_COMPARE(tcp.GetSocketState(), int(QAbstractSocket::ConnectingState));
        tcp.Abort();
        QCOMPARE(disconnected.count(), 0);
        QCOMPARE(tcp.GetSocketState(), int(QAbstractSocket::UnconnectedState));
        QTRY_COMPARE(disconnected.count(), 1);
        QCOMPARE(disconnected.at(0).at(0).toInt(), 6);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
        QTest::qWait(100);
        QCOMPARE(errors.count(), 0);
    }

    void abortConnectedReportsAtOnce()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        QVERIFY(ConnectAndWait(tcp, projector));
        QSignalSpy disconnected(&tcp, &CPortBase::Disconnected);
        tcp.Abort();
        QCOMPARE(disconnected.count(), 1);
        QTRY_COMPARE(projector->OpenConnectionCount(), 0);
    }

    void abortUnconnectedDoesNothing()
    {
        CPortTCP tcp;
        QSignalSpy disconnected(&tcp, &CPortBase::Disconnected);
        tcp.Abort();
        QTest::qWait(20);
        QCOMPARE(disconnected.count(), 0);
    }

    void peerCloseReportsErrorThenDisconnect()
    {
        CSimulatedProjector* projector = StartProjector();
        QVERIFY(projector);
        CPortTCP tcp;
        QVERIFY(ConnectAndWait(tcp, projector));
        QSignalSpy errors(&tcp, &CPortBase::Error);
        QSignalSpy disconnected(&tcp, &CPortBase::Disconnected);
        projector->CloseConnections();
        QTRY_COMPARE(disconnected.count(), 1);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(1).toInt(), -1001);
        QCOMPARE(tcp.GetTransportState(), int(CPortTCP::TS_DISCONNECTED));
    }

    void timersReportWithTheKey_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("disconnect timer") << 0;
        QTest::newRow("receive timer") << 1;
        QTest::newRow("frame timer") << 2;
    }

    void timersReportWithTheKey()
    {
        QFETCH(int, which);
        CPortTCP tcp;
        tcp.SetKey(77);
        QTimer* timers[] = {tcp.GetDisconnectTimer(), tcp.GetReceiveTimer(), tcp.GetFrameTimer()};
        QSignalSpy spies[] = {QSignalSpy(&tcp, &CPortBase::DisconnectTimerTimeout),
                              QSignalSpy(&tcp, &CPortBase::ReceiveTimerTimeout),
                              QSignalSpy(&tcp, &CPortBase::FrameTimerTimeout)};
        QVERIFY(timers[which]->isSingleShot());
        timers[which]->start();
        QTRY_COMPARE_WITH_TIMEOUT(spies[which].count(), 1, 8000);
        QCOMPARE(spies[which].at(0).at(0).toInt(), 77);
        for (int other = 0; other < 3; ++other) {
            if (other != which)
                QCOMPARE(spies[other].count(), 0);
        }
    }

    void destructionEndsTheThread()
    {
        CPortTCP tcp;
        QVERIFY(tcp.Destruction(true));
        QVERIFY(!tcp.isRunning());
    }
};

QTEST_GUILESS_MAIN(tst_CPortTCP)
#include "tst_CPortTCP.moc"
