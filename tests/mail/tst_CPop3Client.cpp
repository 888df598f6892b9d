#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include "CPop3Client.h"
#include "DovecotLauncher.h"
#include "CScriptedMailPeer.h"
#include "MailTraceRecorder.h"

using R = CMailSettings::SMTP_RESULT;
using Step = ScriptedMailStep;
Q_DECLARE_METATYPE(QList<ScriptedMailStep>)

namespace {

// This test's own loopback addresses, port 110 on each.
const QString PEER = QStringLiteral("127.0.25.130");
const QString NOTHING_LISTENS = QStringLiteral("127.0.25.131");
const QString DOVECOT = QStringLiteral("127.0.25.132");
const QString DOVECOT_STRICT = QStringLiteral("127.0.25.133");

const QString PASSWORD = QStringLiteral("s3cret-Pw");

R::Enum ResultOf(const QSignalSpy& spy, int index = 0)
{
    return spy.at(index).at(0).value<R::Enum>();
}

} // namespace

class tst_CPop3Client : public QObject
{
    Q_OBJECT

private:
    DovecotLauncher m_Dovecot;
    DovecotLauncher m_DovecotStrict;

    // Runs one log-in and waits for its outcome; one EndSignal, no second.
    R::Enum runOnce(CPop3Client& client, const QString& server, const QString& user, const QString& password)
    {
        QSignalSpy ended(&client, &CPop3Client::EndSignal);
        client.Init();
        client.StartAuth(server, user, password);
        if (!ended.wait(15000))
            return R::Executing;
        QTest::qWait(100);
        if (ended.count() != 1)
            return R::Executing;
        return ResultOf(ended);
    }

private slots:
    void initTestCase()
    {
        DovecotLauncher::Options options;
        options.addresses = {QHostAddress(DOVECOT)};
        options.users = {{QStringLiteral("alice"), PASSWORD}};
        QVERIFY2(m_Dovecot.start(options), qPrintable(m_Dovecot.error()));
        options.addresses = {QHostAddress(DOVECOT_STRICT)};
        options.disablePlaintextAuth = true;
        QVERIFY2(m_DovecotStrict.start(options), qPrintable(m_DovecotStrict.error()));
    }

    void cleanupTestCase()
    {
        m_Dovecot.stop();
        m_DovecotStrict.stop();
    }

    void constructedIdle()
    {
        CPop3Client client;
        QCOMPARE(client.GetResult(), R::Executing);
        QCOMPARE(client.GetState(), CPop3Client::STATES::Idle);
        QVERIFY(client.GetSocket() == nullptr);
        QCOMPARE(client.GetLoginTimeOut(), 60000);
    }

    void scriptedPeer_data()
    {
        QTest::addColumn<QList<ScriptedMailStep>>("script");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QByteArray>("clientBytes");

        const QByteArray all = "USER u\r\nPASS p\r\nQUIT\r\n";
        const QList<Step> ok{Step::reply("+OK ready\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n"),
                             Step::reply("+OK bye\r\n")};
        QTest::newRow("all +OK") << ok << 9 << all;
        QTest::newRow("+ok in lower case") << QList<Step>{Step::reply("+ok ready\r\n"), Step::reply("+ok\r\n"),
                                                          Step::reply("+Ok\r\n"), Step::reply("+oK\r\n")}
                                           << 9 << all;
        QTest::newRow("-ERR greeting") << QList<Step>{Step::reply("-ERR go away\r\n")} << 12 << QByteArray();
        QTest::newRow("empty greeting line") << QList<Step>{Step::reply("\r\n")} << 12 << QByteArray();
        QTest::newRow("-ERR after USER") << QList<Step>{Step::reply("+OK\r\n"), Step::reply("-ERR who\r\n")} << 13
                                         << QByteArray("USER u\r\n");
        QTest::newRow("-ERR after PASS")
            << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("-ERR [AUTH] no\r\n")} << 14
            << QByteArray("USER u\r\nPASS p\r\n");
        QTest::newRow("-ERR after QUIT") << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n"),
                                                        Step::reply("+OK\r\n"), Step::reply("-ERR\r\n")}
                                         << 18 << all;
        QList<Step> bytes;
        for (const Step& step : ok)
            bytes << Step::perByte(step.parts.first(), 3);
        QTest::newRow("every reply byte by byte") << bytes << 9 << all;
        QTest::newRow("a line that came with the greeting is dropped")
            << QList<Step>{Step::reply("+OK\r\n-ERR\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n"),
                           Step::reply("+OK\r\n")}
            << 9 << all;
        QTest::newRow("the rest of a stale line is dropped too")
            << QList<Step>{Step::reply("+OK\r\n-ER"), Step::reply("R late\r\n+OK\r\n"), Step::reply("+OK\r\n"),
                           Step::reply("+OK\r\n")}
            << 9 << all;
        QTest::newRow("closed after PASS") << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::close()}
                                           << 14 << QByteArray("USER u\r\nPASS p\r\n");
        QList<Step> closing = ok;
        closing.last().closeAfter = true;
        QTest::newRow("closed after the QUIT reply") << closing << 9 << all;
        QTest::newRow("64 KiB without a line end") << QList<Step>{Step::reply(QByteArray(70000, '+'))} << 12
                                                   << QByteArray();
    }

    void scriptedPeer()
    {
        QFETCH(QList<ScriptedMailStep>, script);
        QFETCH(int, expected);
        QFETCH(QByteArray, clientBytes);

        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        peer.setScript(script);

        CPop3Client client;
        QCOMPARE(int(runOnce(client, PEER, QStringLiteral("u"), QStringLiteral("p"))), expected);
        QCOMPARE(peer.received(), clientBytes);
        QCOMPARE(peer.connectionCount(), 1);
        QCOMPARE(client.GetResult(), R::Enum(expected));
        // The run ended with the socket closed.
        QVERIFY(client.GetSocket() != nullptr);
        QCOMPARE(client.GetSocket()->state(), QAbstractSocket::UnconnectedState);
    }

    // One command per reply: nothing goes out before the reply it follows.
    void oneCommandPerReply()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        peer.setScript({Step::reply("+OK\r\n"), Step::reply("+OK\r\n")});
        CPop3Client client;
        QSignalSpy ended(&client, &CPop3Client::EndSignal);
        client.Init();
        client.StartAuth(PEER, QStringLiteral("u"), QStringLiteral("p"));
        QTRY_COMPARE(peer.received(), QByteArray("USER u\r\nPASS p\r\n"));
        QTest::qWait(200);
        QCOMPARE(peer.received(), QByteArray("USER u\r\nPASS p\r\n"));
        QCOMPARE(ended.count(), 0);
        QCOMPARE(client.GetState(), CPop3Client::STATES::Pass);
    }

    void silentServerTimesOut()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        CPop3Client client;
        client.SetLoginTimeOut(500);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runOnce(client, PEER, QStringLiteral("u"), QStringLiteral("p")), R::Pop3NotResponse);
        QVERIFY2(clock.elapsed() >= 450, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(peer.connectionCount(), 1);
        QCOMPARE(client.GetSocket()->state(), QAbstractSocket::UnconnectedState);
        QTRY_VERIFY(peer.clientClosed());
    }

    void refusedAndUnknownHost_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("expected");
        QTest::newRow("refused") << NOTHING_LISTENS << 10;
        QTest::newRow("no such host") << QStringLiteral("no such host") << 11;
    }

    void refusedAndUnknownHost()
    {
        QFETCH(QString, server);
        QFETCH(int, expected);
        CPop3Client client;
        QCOMPARE(int(runOnce(client, server, QStringLiteral("u"), QStringLiteral("p"))), expected);
    }

    // Without Init the earlier outcome stands: the exchange runs, nothing is reported.
    void startAuthWithoutInitAfterAnEndedRun()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        peer.setScript({Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n")});
        CPop3Client client;
        QCOMPARE(runOnce(client, PEER, QStringLiteral("u"), QStringLiteral("p")), R::Pop3OK);

        QSignalSpy ended(&client, &CPop3Client::EndSignal);
        client.StartAuth(PEER, QStringLiteral("v"), QStringLiteral("q"));
        QTRY_COMPARE(peer.connectionCount(), 2);
        QTRY_COMPARE(peer.received(), QByteArray("USER u\r\nPASS p\r\nQUIT\r\nUSER v\r\nPASS q\r\nQUIT\r\n"));
        QTest::qWait(100);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(client.GetResult(), R::Pop3OK);
    }

    // A time-out of an earlier run that reaches the client late ends nothing.
    void staleTimeOutIsIgnored()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        peer.setScript({Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n")});
        CPop3Client client;
        QSignalSpy ended(&client, &CPop3Client::EndSignal);
        client.Init();
        client.StartAuth(PEER, QStringLiteral("u"), QStringLiteral("p"));
        QVERIFY(QMetaObject::invokeMethod(&client, "f_OnTimerTimeOut"));
        QVERIFY(ended.wait(5000));
        QCOMPARE(ResultOf(ended), R::Pop3OK);
    }

    void destroyedWhileRunning()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        peer.setScript({Step::reply("+OK\r\n")});
        auto* client = new CPop3Client;
        QSignalSpy ended(client, &CPop3Client::EndSignal);
        client->Init();
        client->StartAuth(PEER, QStringLiteral("u"), QStringLiteral("p"));
        QTRY_COMPARE(peer.received(), QByteArray("USER u\r\n"));
        delete client;
        QTRY_VERIFY(peer.clientClosed());
        QCOMPARE(ended.count(), 0);
    }

    void socketErrors_data()
    {
        QTest::addColumn<QAbstractSocket::SocketError>("error");
        QTest::addColumn<int>("expected");
        using E = QAbstractSocket;
        QTest::newRow("refused") << E::ConnectionRefusedError << 10;
        QTest::newRow("remote closed") << E::RemoteHostClosedError << 12;
        QTest::newRow("host not found") << E::HostNotFoundError << 11;
        QTest::newRow("proxy not found") << E::ProxyNotFoundError << 11;
        QTest::newRow("proxy protocol") << E::ProxyProtocolError << 11;
        QTest::newRow("access") << E::SocketAccessError << 15;
        QTest::newRow("proxy authentication") << E::ProxyAuthenticationRequiredError << 15;
        QTest::newRow("proxy refused") << E::ProxyConnectionRefusedError << 15;
        QTest::newRow("proxy closed") << E::ProxyConnectionClosedError << 15;
        QTest::newRow("socket time-out") << E::SocketTimeoutError << 20;
        QTest::newRow("proxy time-out") << E::ProxyConnectionTimeoutError << 20;
        QTest::newRow("datagram too large") << E::DatagramTooLargeError << 16;
        QTest::newRow("network") << E::NetworkError << 12;
        QTest::newRow("unknown") << E::UnknownSocketError << 12;
        QTest::newRow("ssl handshake") << E::SslHandshakeFailedError << 12;
    }

    void socketErrors()
    {
        QFETCH(QAbstractSocket::SocketError, error);
        QFETCH(int, expected);
        QCOMPARE(int(CPop3Client::GetSocketError(error)), expected);
    }

    void commandsAreUtf8AndThePasswordIsMasked()
    {
        using S = CPop3Client::STATES;
        const QString user = QStringLiteral("j\u00fcrgen");
        QCOMPARE(CPop3Client::CommandFor(S::User, user, PASSWORD), QByteArray("USER j\xc3\xbcrgen\r\n"));
        QCOMPARE(CPop3Client::CommandFor(S::Pass, user, QString()), QByteArray("PASS \r\n"));
        QCOMPARE(CPop3Client::CommandFor(S::Quit, user, PASSWORD), QByteArray("QUIT\r\n"));
        QVERIFY(CPop3Client::CommandFor(S::Greeting, user, PASSWORD).isEmpty());
        QVERIFY(CPop3Client::CommandFor(S::Idle, user, PASSWORD).isEmpty());
        QCOMPARE(CPop3Client::TracedCommand(S::Pass, "PASS x\r\n"), QByteArray("PASS ****\r\n"));
        QCOMPARE(CPop3Client::TracedCommand(S::User, "USER x\r\n"), QByteArray("USER x\r\n"));
    }

    void dovecot_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("expected");
        QTest::newRow("good log-in") << DOVECOT << QStringLiteral("alice") << PASSWORD << 9;
        QTest::newRow("wrong password") << DOVECOT << QStringLiteral("alice") << QStringLiteral("wrong") << 14;
        QTest::newRow("unknown user") << DOVECOT << QStringLiteral("mallory") << PASSWORD << 14;
        // A peer at another address is not a local one: plain USER is refused.
        QTest::newRow("plain text refused") << DOVECOT_STRICT << QStringLiteral("alice") << PASSWORD << 13;
    }

    void dovecot()
    {
        QFETCH(QString, server);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, expected);
        MailTraceRecorder traces;
        CPop3Client client;
        QCOMPARE(int(runOnce(client, server, user, password)), expected);
        QVERIFY(traces.lines().join(QLatin1Char('\n')).contains(QStringLiteral("[POP3] SND << \"USER ")));
        QCOMPARE(traces.findAny({password}), QString());
        if (expected == 9)
            QTRY_VERIFY(m_Dovecot.hasLoggedIn(user));
    }
};

QTEST_GUILESS_MAIN(tst_CPop3Client)
#include "tst_CPop3Client.moc"
