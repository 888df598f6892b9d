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

// Keeps what each connection sent and whether it has ended.
class Collector : public QObject
{
public:
    Collector()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this]() {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s]() {
                    const QByteArray in = s->readAll();
                    received += in;
                    if (in.contains("ping"))
                        s->write("pong");
                });
                connect(s, &QTcpSocket::disconnected, this, [this]() { ended = true; });
            }
        });
    }
    QTcpServer server;
    QByteArray received;
    bool ended = false;
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

    // On a thread of the epoll dispatcher the stream's reads and sends go
    // with the thread's others; what is written still reaches the peer in
    // order, also when the stream is aborted in the same turn.
    void onAnEpollThreadWritesKeepOrderBeforeAnAbort()
    {
        Collector peer;
        QThread thread;
        thread.setEventDispatcher(new CEpollEventDispatcher);
        QObject context;
        context.moveToThread(&thread);
        thread.start();
        const auto run = [&context](const std::function<void()>& work) {
            QMetaObject::invokeMethod(&context, work, Qt::BlockingQueuedConnection);
        };
        CTcpStream* stream = nullptr;
        QByteArray answer;
        run([&]() {
            stream = new CTcpStream;
            connect(stream, &CTcpStream::readyRead, stream, [&]() { answer += stream->readAll(); });
            stream->connectToHost(QStringLiteral("127.0.0.1"), peer.server.serverPort());
        });
        QAbstractSocket::SocketState state = QAbstractSocket::UnconnectedState;
        QTRY_VERIFY((run([&]() { state = stream->state(); }), state == QAbstractSocket::ConnectedState));
        run([&]() { QCOMPARE(stream->write("ping"), qint64(4)); });
        QByteArray seen;
        QTRY_COMPARE((run([&]() { seen = answer; }), seen), QByteArray("pong"));
        run([&]() {
            QCOMPARE(stream->write("one"), qint64(3));
            QCOMPARE(stream->write("two"), qint64(3));
            QCOMPARE(stream->bytesToWrite(), qint64(0));
            stream->abort();
        });
        QTRY_VERIFY(peer.ended);
        QCOMPARE(peer.received, QByteArray("pingonetwo"));
        run([&]() { delete stream; });
        thread.quit();
        thread.wait();
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
