#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "CBatchedSocketIo.h"

// The same results whether the kernel does the operations through a ring in
// one call or one system call each.
class tst_CBatchedSocketIo : public QObject
{
    Q_OBJECT

    static CBatchedSocketIo* Make(bool direct)
    {
        if (direct)
            qputenv("LUMIVOX_NO_IO_URING", "1");
        auto* io = new CBatchedSocketIo;
        qunsetenv("LUMIVOX_NO_IO_URING");
        return io;
    }

    // A connected pair of non-blocking TCP sockets on loopback.
    static bool TcpPair(int fds[2])
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof at;
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0
            || ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0)
            return false;
        fds[0] = ::socket(AF_INET, SOCK_STREAM, 0);
        const bool connected = ::connect(fds[0], reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
        fds[1] = ::accept(listener, nullptr, nullptr);
        ::close(listener);
        for (int i = 0; i < 2; ++i)
            ::fcntl(fds[i], F_SETFL, ::fcntl(fds[i], F_GETFL) | O_NONBLOCK);
        return connected && fds[1] >= 0;
    }

    static CBatchedSocketIo::Op Send(int fd, QByteArray& data)
    {
        return CBatchedSocketIo::Op{fd, data.data(), data.size(), true, 0};
    }

    static CBatchedSocketIo::Op Receive(int fd, QByteArray& buffer)
    {
        return CBatchedSocketIo::Op{fd, buffer.data(), buffer.size(), false, 0};
    }

private slots:
    void resultsAsTheSystemCallsGiveThem_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::newRow("in one call") << false;
        QTest::newRow("one call each") << true;
    }

    void resultsAsTheSystemCallsGiveThem()
    {
        QFETCH(bool, direct);
        QScopedPointer<CBatchedSocketIo> io(Make(direct));
        if (direct)
            QVERIFY(!io->IsBatched());
        int a[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, a), 0);

        // Sends on one socket keep their order; a read sees what came before
        // it in the same call; a read with nothing there does not wait.
        QByteArray first("abc");
        QByteArray second("de");
        QByteArray in(16, '\0');
        QByteArray empty(16, '\0');
        CBatchedSocketIo::Op ops[] = {Send(a[0], first), Send(a[0], second), Receive(a[1], in),
                                      Receive(a[0], empty)};
        io->Run(ops, 4);
        QCOMPARE(ops[0].result, 3);
        QCOMPARE(ops[1].result, 2);
        QCOMPARE(ops[2].result, 5);
        QCOMPARE(in.left(5), QByteArray("abcde"));
        QCOMPARE(ops[3].result, -EAGAIN);

        // More operations than one call of the ring takes, still in order
        // (over TCP, whose buffer takes them all).
        int tcp[2] = {-1, -1};
        QVERIFY(TcpPair(tcp));
        std::vector<QByteArray> bytes;
        for (int i = 0; i < 300; ++i)
            bytes.push_back(QByteArray(1, char('0' + i % 10)));
        std::vector<CBatchedSocketIo::Op> many;
        for (QByteArray& b : bytes)
            many.push_back(Send(tcp[0], b));
        io->Run(many.data(), int(many.size()));
        QByteArray sent;
        for (const CBatchedSocketIo::Op& op : many) {
            QCOMPARE(op.result, 1);
            sent.append(op.data, 1);
        }
        // Loopback hands the bytes over at once, or after a delayed ACK.
        QByteArray received;
        for (int i = 0; i < 5000 && received.size() < sent.size(); ++i) {
            QByteArray chunk(400, '\0');
            CBatchedSocketIo::Op read = Receive(tcp[1], chunk);
            io->Run(&read, 1);
            if (read.result > 0)
                received.append(chunk.left(read.result));
            else
                QThread::msleep(1);
        }
        QCOMPARE(received, sent);
        ::close(tcp[0]);
        ::close(tcp[1]);

        // The peer gone: a send fails without a signal, a read sees the end.
        ::close(a[1]);
        QByteArray late("x");
        QByteArray end(16, '\0');
        CBatchedSocketIo::Op after[] = {Send(a[0], late), Receive(a[0], end)};
        io->Run(after, 2);
        QCOMPARE(after[0].result, -EPIPE);
        QCOMPARE(after[1].result, 0);
        ::close(a[0]);
    }
};

QTEST_APPLESS_MAIN(tst_CBatchedSocketIo)
#include "tst_CBatchedSocketIo.moc"
