#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include "CProjectorSimulator.h"
#include "CSimulatorScript.h"
#include "SimFrame.h"

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// Connects a plain client to the projector.
bool ConnectClient(QTcpSocket* socket, const CSimulatedProjector* projector)
{
    socket->connectToHost(projector->Address(), projector->Port());
    return socket->waitForConnected(3000);
}

// Reads until `size` bytes are in or `ms` pass; what arrived.
QByteArray ReadFor(QTcpSocket* socket, int size, int ms)
{
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    // The simulator runs in this thread: wait with the event loop running.
    while (data.size() < size && clock.elapsed() < ms) {
        QTest::qWait(10);
        data.append(socket->readAll());
    }
    return data;
}

} // namespace

class tst_CProjectorSimulator : public QObject
{
    Q_OBJECT
private slots:
    // The simulator's own length rule, against frames written out by hand.
    void frameLength_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("header only") << Hex("0200000000") << 0;
        QTest::newRow("no data") << Hex("020000000002") << 6;
        QTest::newRow("one data byte") << Hex("0085000001058B") << 7;
        QTest::newRow("checksum missing") << Hex("008500000105") << 0;
        QTest::newRow("followed by more") << Hex("020000000002020100") << 6;
        QTest::newRow("high nibble of byte 3 ignored") << Hex("02000070000002") << 6;
        QTest::newRow("byte 3 counts 256") << QByteArray(Hex("0300000100") + QByteArray(256, 'x') + Hex("AA")) << 262;
        QTest::newRow("256 + 1 short by one") << QByteArray(Hex("0300000101") + QByteArray(256, 'x') + Hex("AA"))
                                              << 0;
        QTest::newRow("largest") << QByteArray(Hex("03000FFFFF") + QByteArray(4095, 'x') + Hex("AA")) << 4101;
    }

    void frameLength()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        QCOMPARE(SimFrameLength(bytes), length);
    }

    void requestsAreCutFromTheByteStream()
    {
        CProjectorSimulator simulator;
        QVERIFY2(simulator.Start(1, CProjectorSimulator::CONSECUTIVE_PORTS, 0,
                                 QHostAddress(QStringLiteral("127.0.0.1"))),
                 qPrintable(simulator.ErrorString()));
        CSimulatedProjector* projector = simulator.Projector(0);
        projector->SetHandler([](const QByteArray& request) {
            return CSimReply::Answer(MakeSimFrame(0x20, static_cast<unsigned char>(request.at(1)), QByteArray(1, 'k')));
        });
        QSignalSpy requests(projector, &CSimulatedProjector::RequestReceived);

        QTcpSocket client;
        QVERIFY(ConnectClient(&client, projector));
        const QByteArray first = MakeSimFrame(0x00, 0x85, Hex("01"));
        const QByteArray second = MakeSimFrame(0x00, 0xBF, QByteArray());
        // Two frames in one write, then one frame in two writes.
        client.write(first + second);
        client.flush();
        QTRY_COMPARE(requests.count(), 2);
        client.write(first.left(3));
        client.flush();
        QTest::qWait(50);
        QCOMPARE(requests.count(), 2);
        client.write(first.mid(3));
        client.flush();
        QTRY_COMPARE(requests.count(), 3);
        QCOMPARE(projector->Requests(), (QList<QByteArray>{first, second, first}));

        const QByteArray expected = MakeSimFrame(0x20, 0x85, "k") + MakeSimFrame(0x20, 0xBF, "k")
                                    + MakeSimFrame(0x20, 0x85, "k");
        QCOMPARE(ReadFor(&client, expected.size(), 3000), expected);
    }

    void replyIsDelayedAndSplit()
    {
        CProjectorSimulator simulator;
        QVERIFY(simulator.Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0));
        CSimulatedProjector* projector = simulator.Projector(0);
        const QByteArray reply = MakeSimFrame(0x20, 0x85, Hex("0102030405"));
        projector->SetHandler([reply](const QByteArray&) {
            CSimReply r = CSimReply::Answer(reply);
            r.chunkSizes = {3, 4};
            r.gapMs = 300;
            return r;
        });

        QTcpSocket client;
        QVERIFY(ConnectClient(&client, projector));
        client.write(MakeSimFrame(0x00, 0x85, QByteArray()));
        client.flush();
        // The first chunk comes alone; the rest follows after the gaps.
        QCOMPARE(ReadFor(&client, 3, 3000), reply.left(3));
        QCOMPARE(ReadFor(&client, 1, 150), QByteArray());
        QCOMPARE(ReadFor(&client, reply.size() - 3, 3000), reply.mid(3));
    }

    void faultsSilenceAndClose()
    {
        CProjectorSimulator simulator;
        QVERIFY(simulator.Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0));
        CSimulatedProjector* projector = simulator.Projector(0);
        projector->SetHandler([](const QByteArray&) { return CSimReply::Answer(MakeSimFrame(0x20, 0x85, "x")); });
        const QByteArray request = MakeSimFrame(0x00, 0x85, QByteArray());

        CSimFaults faults;
        faults.silent = true;
        projector->SetFaults(faults);
        QTcpSocket client;
        QVERIFY(ConnectClient(&client, projector));
        client.write(request);
        client.flush();
        QTRY_COMPARE(projector->Requests().size(), 1);
        QCOMPARE(ReadFor(&client, 1, 300), QByteArray());
        QCOMPARE(client.state(), QAbstractSocket::ConnectedState);

        faults.silent = false;
        faults.closeOnRequest = true;
        projector->SetFaults(faults);
        client.write(request);
        client.flush();
        QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(projector->Requests().size(), 2);
    }

    void connectModes()
    {
        CProjectorSimulator simulator;
        QVERIFY(simulator.Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0));
        CSimulatedProjector* projector = simulator.Projector(0);

        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE));
        QTcpSocket refused;
        QVERIFY(!ConnectClient(&refused, projector));
        QCOMPARE(refused.error(), QAbstractSocket::ConnectionRefusedError);

        QVERIFY2(projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL), qPrintable(projector->ErrorString()));
        QTcpSocket stalled;
        stalled.connectToHost(projector->Address(), projector->Port());
        QTest::qWait(1500);
        QCOMPARE(stalled.state(), QAbstractSocket::ConnectingState);
        stalled.abort();

        QVERIFY(projector->SetConnectMode(CSimulatedProjector::CONNECT_ACCEPT));
        QTcpSocket accepted;
        QVERIFY(ConnectClient(&accepted, projector));
        QTRY_COMPARE(projector->AcceptedCount(), 1);
    }

    void onlyLoopbackAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("127.0.0.1") << "127.0.0.1" << true;
        QTest::newRow("127.255.255.254") << "127.255.255.254" << true;
        QTest::newRow("private LAN") << "192.168.0.10" << false;
        QTest::newRow("any address") << "0.0.0.0" << false;
        QTest::newRow("IPv6 loopback") << "::1" << false;
        QTest::newRow("128.0.0.1") << "128.0.0.1" << false;
    }

    void onlyLoopbackAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        CProjectorSimulator simulator;
        QCOMPARE(simulator.Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0, QHostAddress(address)), allowed);
        QCOMPARE(simulator.Count(), allowed ? 1 : 0);
    }

    void fleetStaysInsideLoopback()
    {
        CProjectorSimulator simulator;
        QVERIFY(!simulator.Start(3, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0,
                                 QHostAddress(QStringLiteral("127.255.255.254"))));
        QCOMPARE(simulator.Count(), 2);
    }

    void script_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("reply");

        const QString script = QStringLiteral(
            "# comment\n"
            "\n"
            "00 85 00 00 01 01 87 -> 20 85 01 00 01 00 A7\n"
            "0000 -> close\n"
            "* -> silence\n");
        QTest::newRow("named request") << script << true << Hex("00850000010187")
                                       << int(CSimReply::ACTION_ANSWER) << Hex("208501000100A7");
        QTest::newRow("close") << script << true << Hex("0000") << int(CSimReply::ACTION_CLOSE) << QByteArray();
        QTest::newRow("any other request") << script << true << Hex("01") << int(CSimReply::ACTION_SILENCE) << QByteArray();
        QTest::newRow("default answer") << QStringLiteral("* -> 01 02") << true << Hex("77")
                                        << int(CSimReply::ACTION_ANSWER) << Hex("0102");
        QTest::newRow("no arrow") << QStringLiteral("00 85") << false << QByteArray() << 0 << QByteArray();
        QTest::newRow("odd digits") << QStringLiteral("008 -> 01") << false << QByteArray() << 0 << QByteArray();
        QTest::newRow("bad reply") << QStringLiteral("00 -> hello") << false << QByteArray() << 0 << QByteArray();
    }

    void script()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, request);
        QFETCH(int, action);
        QFETCH(QByteArray, reply);
        CSimulatorScript script;
        QCOMPARE(script.Parse(text), valid);
        if (!valid) {
            QVERIFY(script.Error().startsWith(QLatin1String("line 1")));
            return;
        }
        const CSimReply r = script.Reply(request);
        QCOMPARE(int(r.action), action);
        QCOMPARE(r.data, reply);
    }

    void chunks_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::newRow("whole") << QList<int>() << QList<QByteArray>{"abcdef"};
        QTest::newRow("rest goes last") << QList<int>{2, 3} << QList<QByteArray>{"ab", "cde", "f"};
        QTest::newRow("sizes past the end") << QList<int>{4, 9, 9} << QList<QByteArray>{"abcd", "ef"};
        QTest::newRow("zero sizes skipped") << QList<int>{0, 6} << QList<QByteArray>{"abcdef"};
    }

    void chunks()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(QList<QByteArray>, chunks);
        CSimReply reply = CSimReply::Answer("abcdef");
        reply.chunkSizes = sizes;
        QCOMPARE(reply.Chunks(), chunks);
    }
};

QTEST_GUILESS_MAIN(tst_CProjectorSimulator)
#include "tst_CProjectorSimulator.moc"
