#include <QtTest>

#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

#include "CTcpStream.h"

// The stream stands in for QTcpSocket in the projector port, whose reactions
// depend on the order of the socket's signals. Each scenario is played with a
// QTcpSocket and with a CTcpStream against the same server, and the two must
// report the same steps.
namespace {

enum Scenario { PEER_CLOSES, REFUSED, ABORT_CONNECTED, CLOSE_CONNECTED, ECHO, BY_NAME, ABORT_CONNECTING };

class Peer : public QObject
{
public:
    explicit Peer(bool closeAtOnce)
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this, closeAtOnce]() {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                if (closeAtOnce) {
                    s->disconnectFromHost();
                    continue;
                }
                connect(s, &QTcpSocket::readyRead, s, [s]() { s->write(s->readAll()); });
            }
        });
    }
    QTcpServer server;
};

template <class Socket>
void Play(Scenario scenario, quint16 port, QStringList* played, QByteArray* echoed)
{
    Socket socket;
    QStringList& steps = *played;
    QObject::connect(&socket, &Socket::stateChanged, [&](QAbstractSocket::SocketState s) {
        steps << QStringLiteral("state %1").arg(int(s));
    });
    QObject::connect(&socket, &Socket::connected, [&]() { steps << QStringLiteral("connected"); });
    QObject::connect(&socket, &Socket::disconnected, [&]() { steps << QStringLiteral("disconnected"); });
    QObject::connect(&socket, &Socket::errorOccurred, [&](QAbstractSocket::SocketError e) {
        steps << QStringLiteral("error %1").arg(int(e));
    });
    QObject::connect(&socket, &Socket::readyRead, [&]() { echoed->append(socket.readAll()); });

    const QString host = scenario == BY_NAME ? QStringLiteral("localhost") : QStringLiteral("127.0.0.1");
    socket.connectToHost(host, port);
    if (scenario == ABORT_CONNECTING) {
        socket.abort();
        QTest::qWait(50);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QAbstractSocket::ConnectedState
                                 || socket.state() == QAbstractSocket::UnconnectedState,
                             5000);
    switch (scenario) {
    case PEER_CLOSES:
    case REFUSED:
        QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QAbstractSocket::UnconnectedState, 5000);
        break;
    case ABORT_CONNECTED:
        socket.abort();
        break;
    case CLOSE_CONNECTED:
        socket.close();
        break;
    case ECHO:
    case BY_NAME:
        socket.write(QByteArray("\x00\x88\x00\x00\x00\x88", 6));
        socket.flush();
        QTRY_COMPARE_WITH_TIMEOUT(echoed->size(), 6, 5000);
        socket.abort();
        break;
    default:
        break;
    }
    QTest::qWait(20);
}

} // namespace

class tst_CTcpStream : public QObject
{
    Q_OBJECT
private slots:
    void stepsAsASocketReportsThem_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::newRow("the peer closes") << int(PEER_CLOSES);
        QTest::newRow("nobody listens") << int(REFUSED);
        QTest::newRow("aborted when connected") << int(ABORT_CONNECTED);
        QTest::newRow("closed when connected") << int(CLOSE_CONNECTED);
        QTest::newRow("a frame and its echo") << int(ECHO);
        QTest::newRow("a host name") << int(BY_NAME);
        QTest::newRow("aborted while connecting") << int(ABORT_CONNECTING);
    }

    void stepsAsASocketReportsThem()
    {
        QFETCH(int, scenario);
        Peer peer(scenario == PEER_CLOSES);
        quint16 port = peer.server.serverPort();
        if (scenario == REFUSED) {
            // A port that was free a moment ago.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        }
        QByteArray socketEcho;
        QByteArray streamEcho;
        QStringList expected;
        QStringList steps;
        Play<QTcpSocket>(Scenario(scenario), port, &expected, &socketEcho);
        Play<CTcpStream>(Scenario(scenario), port, &steps, &streamEcho);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(steps, expected);
        QCOMPARE(streamEcho, socketEcho);
    }

    void writesWhileConnectingGoOutOnceConnected()
    {
        Peer peer(false);
        CTcpStream stream;
        QByteArray echoed;
        connect(&stream, &CTcpStream::readyRead, this, [&]() { echoed += stream.readAll(); });
        stream.connectToHost(QStringLiteral("127.0.0.1"), peer.server.serverPort());
        QCOMPARE(stream.write("abc"), qint64(3));
        QTRY_COMPARE(echoed, QByteArray("abc"));
        stream.abort();
        // Unconnected: refused, as a socket does.
        QCOMPARE(stream.write("x"), qint64(-1));
    }

    void waitsForTheConnection()
    {
        Peer peer(false);
        CTcpStream stream;
        stream.connectToHost(QStringLiteral("localhost"), peer.server.serverPort());
        QVERIFY(stream.waitForConnected(3000));
        QCOMPARE(stream.state(), QAbstractSocket::ConnectedState);
    }
};

QTEST_MAIN(tst_CTcpStream)
#include "tst_CTcpStream.moc"
