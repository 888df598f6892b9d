#include <QtTest>

#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

#include "CStartService.h"

namespace {

// A Unix stream socket at `path`, bound or connected; -1 when that fails.
int RawSocket(const QString& path, bool server)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof(address.sun_path))
        return -1;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if ((server ? ::bind(fd, raw, sizeof(address)) : ::connect(fd, raw, sizeof(address))) == 0)
        return fd;
    ::close(fd);
    return -1;
}

bool CanConnect(const QString& path)
{
    QLocalSocket client;
    client.connectToServer(path);
    return client.waitForConnected(2000);
}

} // namespace

// The single-instance check inside one process: each test runs with a runtime
// folder of its own, so the socket never lies where a real program looks.
class tst_CStartService : public QObject
{
    Q_OBJECT
private slots:
    // The outcome of each probe shows in the trace.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("lumivox.mainwindow.debug=true")); }

    void init()
    {
        m_Runtime.reset(new QTemporaryDir);
        QVERIFY(m_Runtime->isValid());
        QVERIFY(qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_Runtime->path())));
        m_Path = m_Runtime->path() + "/Lumivox 5";
    }

    void cleanup()
    {
        for (int fd : m_Fds)
            ::close(fd);
        m_Fds.clear();
        m_Runtime.reset();
    }

    void serverNameIsTheFullPathInTheRuntimeFolder()
    {
        CStartService service;
        QCOMPARE(service.ServerName(), m_Path);
    }

    void withNoServerItListens()
    {
        {
            CStartService service;
            QTest::ignoreMessage(QtDebugMsg, "[CStartService::ConnectError] Lumivox5 not exist");
            QVERIFY(service.CheckStart());
            QVERIFY(QFileInfo::exists(m_Path));
            QVERIFY(CanConnect(m_Path));
        }
        // Its server name goes with it.
        QVERIFY(!QFileInfo::exists(m_Path));
    }

    void aStaleSocketIsRefusedRemovedAndListenedOn()
    {
        // What a crashed run leaves behind: a socket file nobody listens on.
        const int fd = RawSocket(m_Path, true);
        QVERIFY(fd >= 0);
        ::close(fd);
        QVERIFY(QFileInfo::exists(m_Path));
        QVERIFY(!CanConnect(m_Path));

        CStartService service;
        // Refused, so it listens there; the stale file is replaced.
        QTest::ignoreMessage(QtDebugMsg, "[CStartService::ConnectError] Lumivox5 not exist");
        QVERIFY(service.CheckStart());
        QVERIFY(CanConnect(m_Path));
    }

    void aRunningInstanceMakesTheCheckFail()
    {
        CStartService first;
        QVERIFY(first.CheckStart());
        first.StartHandingOver();
        QSignalSpy started(&first, &CStartService::MultipleStarted);
        {
            CStartService second;
            QTest::ignoreMessage(QtDebugMsg, "[CStartService::ConnectSuccess] Lumivox5 already exist");
            QVERIFY(!second.CheckStart());
        }
        QTRY_COMPARE(started.count(), 1);
        // The later start leaves the first instance's server in place.
        QVERIFY(QFileInfo::exists(m_Path));
        QVERIFY(CanConnect(m_Path));
    }

    void everyLaterStartIsHandedOver()
    {
        // More later starts than the server keeps pending connections.
        const int starts = 35;
        CStartService first;
        QVERIFY(first.CheckStart());
        first.StartHandingOver();
        QSignalSpy started(&first, &CStartService::MultipleStarted);
        for (int i = 0; i < starts; ++i) {
            CStartService later;
            QVERIFY2(!later.CheckStart(), qPrintable(QString("start %1").arg(i + 1)));
        }
        QTRY_COMPARE(started.count(), starts);
        QCOMPARE(first.findChildren<QLocalSocket*>().size(), 0);
    }

    // Later starts that close at once, send bytes and close, or stay open,
    // several at once: each is one knock, no connection stays with the first
    // instance, and it goes on taking starts.
    void knocksThatGoAwayAtAnyPointAreCounted()
    {
        CStartService first;
        QVERIFY(first.CheckStart());
        first.StartHandingOver();
        QSignalSpy started(&first, &CStartService::MultipleStarted);
        for (const QByteArray& bytes : { QByteArray(), QByteArray("x"), QByteArray(64, 'y') }) {
            const int fd = RawSocket(m_Path, false);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
            ::close(fd);
        }
        const int open = RawSocket(m_Path, false);
        QVERIFY(open >= 0);
        m_Fds.push_back(open);
        QTRY_COMPARE(started.count(), 4);
        QTRY_VERIFY(first.findChildren<QLocalSocket*>().isEmpty());
        CStartService later;
        QVERIFY(!later.CheckStart());
        QTRY_COMPARE(started.count(), 5);
        QVERIFY(CanConnect(m_Path));
    }

    void onlyTheOwnerMayUseTheSocket()
    {
        CStartService service;
        QVERIFY(service.CheckStart());
        struct stat info{};
        QCOMPARE(::stat(QFile::encodeName(m_Path).constData(), &info), 0);
        QVERIFY(S_ISSOCK(info.st_mode));
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(info.st_uid, ::getuid());
    }

    void aRuntimeFolderTooDeepForAnAddressFallsBack()
    {
        // A runtime folder so deep that the socket path does not fit an address.
        QString deep = m_Runtime->path();
        while (deep.size() < 120)
            deep += "/folder-of-a-long-name";
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep)));
        QTemporaryDir temp;
        QVERIFY(qputenv("TMPDIR", QFile::encodeName(temp.path())));
        CStartService service;
        QVERIFY(service.ServerName().startsWith(temp.path() + "/"));
        QVERIFY(service.CheckStart());
        QVERIFY(!service.ListenFailed());
        QVERIFY(CanConnect(service.ServerName()));
        QVERIFY(qunsetenv("TMPDIR"));
    }

    void aListenThatFailsIsToldApartFromAnotherInstance()
    {
        // A folder has the socket's name: refused, and listening there fails twice.
        QVERIFY(QDir().mkpath(m_Path));
        CStartService service;
        QTest::ignoreMessage(QtDebugMsg, "[CStartService::ConnectError] Lumivox5 not exist");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^!!! Listen error\\[.+\\] !!!$"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^!!! Listen error\\[.+\\] !!!$"));
        QVERIFY(!service.CheckStart());
        QVERIFY(service.ListenFailed());
        QVERIFY(!service.ListenError().isEmpty());
        QVERIFY(service.findChildren<QLocalServer*>().isEmpty());
        // A later start is not a failure of that kind.
        QVERIFY(QDir(m_Path).removeRecursively());
        CStartService first;
        QVERIFY(first.CheckStart());
        CStartService later;
        QVERIFY(!later.CheckStart());
        QVERIFY(!later.ListenFailed());
    }

    // Starts that knock while the first instance is still being built are
    // signalled once it hands over, then every start at once.
    void startsBeforeTheHandOverWait()
    {
        CStartService first;
        QVERIFY(first.CheckStart());
        QSignalSpy started(&first, &CStartService::MultipleStarted);
        for (int i = 0; i < 2; ++i) {
            CStartService later;
            QVERIFY(!later.CheckStart());
        }
        QTest::qWait(100);
        QCOMPARE(started.count(), 0);
        first.StartHandingOver();
        QCOMPARE(started.count(), 2);
        CStartService third;
        QVERIFY(!third.CheckStart());
        QTRY_COMPARE(started.count(), 3);
    }

    void noAnswerWithinTheDeadlineGivesFalse()
    {
        // A server whose queue of waiting connections is full: a connect
        // neither succeeds nor fails.
        const int server = RawSocket(m_Path, true);
        QVERIFY(server >= 0);
        m_Fds.push_back(server);
        QCOMPARE(::listen(server, 0), 0);
        const int waiting = RawSocket(m_Path, false);
        QVERIFY(waiting >= 0);
        m_Fds.push_back(waiting);

        CStartService service;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!service.CheckStart());
        QVERIFY(clock.elapsed() >= CStartService::PROBE_TIMEOUT_MS - 100);
        QVERIFY(service.findChildren<QLocalServer*>().isEmpty());
        QVERIFY(service.findChildren<QLocalSocket*>().isEmpty());
        // Someone else's socket is left alone.
        QVERIFY(QFileInfo::exists(m_Path));
    }

private:
    std::unique_ptr<QTemporaryDir> m_Runtime;
    QString m_Path;
    std::vector<int> m_Fds;
};

QTEST_GUILESS_MAIN(tst_CStartService)
#include "tst_CStartService.moc"
