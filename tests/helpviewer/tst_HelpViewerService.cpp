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

// A raw client on a thread of its own (the service's wait for data blocks the
// thread it runs on): sends the pieces with the pause between them and reports
// whether the service closed the connection afterwards.
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
