#include <QtTest>

#include <QDataStream>
#include <QLocalSocket>

#include <atomic>
#include <functional>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "CStartService.h"
#include "HelpViewerRig.h"

namespace {

// One handoff message as a later start writes it.
QByteArray handoffMessage(const QString& text)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_6);
    out << text;
    return bytes;
}

// A client on a thread of its own (its waits block that thread): sends the
// pieces with the pause between them and reports whether the service closed
// the connection afterwards.
class HandoffClient
{
public:
    HandoffClient(QList<QByteArray> pieces, int pauseMs)
        : m_Thread([this, pieces, pauseMs] {
            QLocalSocket socket;
            socket.connectToServer(CStartService::ServerName());
            if (!socket.waitForConnected(5000))
                return;
            for (int i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    QThread::msleep(pauseMs);
                socket.write(pieces.at(i));
                socket.waitForBytesWritten(5000);
            }
            m_Closed = socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(10000);
            m_Done = true;
        })
    {
    }
    ~HandoffClient() { m_Thread.join(); }
    bool done() const { return m_Done; }
    bool closedByViewer() const { return m_Closed; }

private:
    std::atomic<bool> m_Done{ false };
    std::atomic<bool> m_Closed{ false };
    std::thread m_Thread;
};

// A later start that writes `bytes` and closes at once, before the viewer
// has looked at its connection. False when it could not connect.
bool sendAndClose(const QByteArray& bytes)
{
    const QByteArray path = QFile::encodeName(CStartService::ServerName());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool sent = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0
                      && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    return sent;
}

} // namespace

class tst_HelpViewerService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { HelpViewerRig::usePrivateRuntimeFolder(); }

    void receivesWholeMessages_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QStringList>("expected");
        const QByteArray pages = handoffMessage(QStringLiteral("/INDEX=EN-US/INDEX.HTM,/CONTENTS=EN-US/A.HTM"));
        QTest::newRow("whole message, a comma splits")
            << QList<QByteArray>{ pages } << QStringList{ "/INDEX=EN-US/INDEX.HTM", "/CONTENTS=EN-US/A.HTM" };
        QTest::newRow("two pieces 200 ms apart")
            << QList<QByteArray>{ pages.left(9), pages.mid(9) }
            << QStringList{ "/INDEX=EN-US/INDEX.HTM", "/CONTENTS=EN-US/A.HTM" };
        QTest::newRow("empty text") << QList<QByteArray>{ handoffMessage(QLatin1String("")) } << QStringList{ "" };
    }
    void receivesWholeMessages()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QStringList, expected);
        CStartService service;
        QVERIFY(service.CheckStart({ QStringLiteral("viewer") }));
        QSignalSpy started(&service, &CStartService::MultipleStarted);
        HandoffClient client(pieces, 200);
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 5000);
        QCOMPARE(started.at(0).at(0).toStringList(), expected);
        QTRY_VERIFY(client.done());
        QVERIFY(client.closedByViewer());
    }

    void incompleteMessageGivesNothing()
    {
        CStartService service;
        service.SetDeadline(500);
        QVERIFY(service.CheckStart({ QStringLiteral("viewer") }));
        QSignalSpy started(&service, &CStartService::MultipleStarted);
        HandoffClient client({ QByteArray(1, '\0') }, 0);
        QTRY_VERIFY_WITH_TIMEOUT(client.done(), 5000);
        QVERIFY(client.closedByViewer());
        QCoreApplication::processEvents();
        QCOMPARE(started.count(), 0);
    }

    // Later starts that go away at any point of their message, several at
    // once: each is dropped, a whole message still counts, and the viewer
    // goes on taking handoffs.
    void connectionsThatGoAwayAreDropped_data()
    {
        QTest::addColumn<QList<QByteArray>>("clients");
        QTest::addColumn<int>("messages");
        const QByteArray pages = handoffMessage(QStringLiteral("/CONTENTS=EN-US/A.HTM"));
        QTest::newRow("closes before sending") << QList<QByteArray>{ QByteArray() } << 0;
        QTest::newRow("closes within the length") << QList<QByteArray>{ pages.left(2) } << 0;
        QTest::newRow("two close within the text") << QList<QByteArray>{ pages.left(9), pages.left(7) } << 0;
        QTest::newRow("closes after a whole message") << QList<QByteArray>{ pages } << 1;
        QTest::newRow("several at once")
            << QList<QByteArray>{ QByteArray(), pages, pages.left(3), pages.left(9), pages } << 2;
    }
    void connectionsThatGoAwayAreDropped()
    {
        QFETCH(QList<QByteArray>, clients);
        QFETCH(int, messages);
        CStartService service;
        QVERIFY(service.CheckStart({ QStringLiteral("viewer") }));
        QSignalSpy started(&service, &CStartService::MultipleStarted);
        for (const QByteArray& bytes : clients)
            QVERIFY(sendAndClose(bytes));
        HandoffClient last({ handoffMessage(QStringLiteral("/INDEX=EN-US/INDEX.HTM")) }, 0);
        QTRY_VERIFY_WITH_TIMEOUT(last.done(), 5000);
        QVERIFY(last.closedByViewer());
        QTRY_COMPARE(started.count(), messages + 1);
        QCoreApplication::processEvents();
        QCOMPARE(started.count(), messages + 1);
        QStringList received;
        for (const QList<QVariant>& arguments : started)
            received += arguments.at(0).toStringList();
        QCOMPARE(received.count("/CONTENTS=EN-US/A.HTM"), messages);
        QVERIFY(received.contains("/INDEX=EN-US/INDEX.HTM"));
        QVERIFY(service.IsListening());
        QTRY_VERIFY(service.findChildren<QLocalSocket*>().isEmpty());
    }

    void laterStartHandsOver_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("upper-cased") << QStringList{ "/contents=en-US/a b.htm" }
                                     << QStringList{ "/CONTENTS=EN-US/A B.HTM" };
        QTest::newRow("no arguments: one empty entry") << QStringList{} << QStringList{ "" };
        QTest::newRow("a comma splits an argument") << QStringList{ "a,b", "c" } << QStringList{ "A", "B", "C" };
    }
    void laterStartHandsOver()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        CStartService first;
        QVERIFY(first.CheckStart({ QStringLiteral("viewer") }));
        QSignalSpy started(&first, &CStartService::MultipleStarted);
        std::atomic<int> handedOver{ -1 };
        std::thread later([&] {
            CStartService second;
            handedOver = second.CheckStart(QStringList{ QStringLiteral("viewer") } + arguments) ? 0 : 1;
        });
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 5000);
        QCOMPARE(started.at(0).at(0).toStringList(), expected);
        QTRY_COMPARE(handedOver.load(), 1);
        later.join();
    }

    void staleSocketFileIsTakenOver()
    {
        const QByteArray path = QFile::encodeName(CStartService::ServerName());
        QFile::remove(QString::fromLocal8Bit(path));
        // A socket file nobody listens at, as a viewer that was killed leaves it.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
        QVERIFY(QFile::exists(QString::fromLocal8Bit(path)));

        CStartService service;
        QVERIFY(service.CheckStart({ QStringLiteral("viewer") }));
        QVERIFY(service.IsListening());
    }
};

QTEST_MAIN(tst_HelpViewerService)
#include "tst_HelpViewerService.moc"
