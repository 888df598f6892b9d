#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include "CPop3Client.h"
#include "CPop3ReplyReader.h"
#include "CScriptedMailPeer.h"
#include "DovecotLauncher.h"
#include "MailTestAddresses.h"
#include "MailTraceRecorder.h"

using R = CMailSettings::SMTP_RESULT;
using Step = ScriptedMailStep;
Q_DECLARE_METATYPE(QList<ScriptedMailStep>)

namespace {

// This run's own loopback addresses, port 110 on each.
const QString PEER = MailTestAddress(1).toString();
const QString NOTHING_LISTENS = MailTestAddress(2).toString();
const QString DOVECOT = MailTestAddress(3).toString();
const QString DOVECOT_STRICT = MailTestAddress(4).toString();

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
        QCOMPARE(client.GetTimeOut(), 60000);
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
        QTest::newRow("a 70 KiB line that came with the greeting is dropped")
            << QList<Step>{Step::reply("+OK ready\r\n" + QByteArray(70000, 'x') + "\r\n"), Step::reply("+OK\r\n"),
                           Step::reply("+OK\r\n"), Step::reply("+OK\r\n")}
            << 9 << all;
        QTest::newRow("the rest of a stale line is dropped too")
            << QList<Step>{Step::reply("+OK\r\n-ER"), Step::reply("R late\r\n+OK\r\n"), Step::reply("+OK\r\n"),
                           Step::reply("+OK\r\n")}
            << 9 << all;
        // The peer resets the connection right after its good reply, so
        // the client's next command fails to go out: the end is that command's.
        QTest::newRow("reset after +OK to PASS")
            << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n").thenReset()} << 18
            << QByteArray("USER u\r\nPASS p\r\n");
        QTest::newRow("reset after +OK to USER")
            << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n").thenReset()} << 14
            << QByteArray("USER u\r\n");
        QTest::newRow("closed after PASS") << QList<Step>{Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::close()}
                                           << 14 << QByteArray("USER u\r\nPASS p\r\n");
        QList<Step> closing = ok;
        closing.last().closeAfter = true;
        QTest::newRow("closed after the QUIT reply") << closing << 9 << all;
        QTest::newRow("64 KiB without a line end") << QList<Step>{Step::reply(QByteArray(70000, '+'))} << 12
                                                   << QByteArray();
        QTest::newRow("70 KiB greeting line with its end")
            << QList<Step>{Step::reply("+OK " + QByteArray(70000, 'x') + "\r\n")} << 12 << QByteArray();
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
        client.SetTimeOut(500);
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

    // The time-out of a run reaches the client through the event loop; when
    // the next run starts before it is delivered, it ends nothing.
    void staleTimeOutIsIgnored()
    {
        CScriptedMailPeer peer;
        QString error;
        QVERIFY2(peer.listenOn(QHostAddress(PEER), 110, &error), qPrintable(error));
        CPop3Client client;
        client.SetTimeOut(100);
        const QList<QTimer*> timers = client.findChildren<QTimer*>();
        QCOMPARE(timers.size(), 1);
        QSignalSpy ended(&client, &CPop3Client::EndSignal);
        // The first run meets a silent server. When its timer fires, the
        // client's queued time-out is posted first; this runs at once and
        // starts a run that the server answers.
        bool restarted = false;
        connect(timers.first(), &QTimer::timeout, this, [&] {
            if (restarted)
                return;
            restarted = true;
            peer.setScript(
                {Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n"), Step::reply("+OK\r\n")});
            client.SetTimeOut(CPop3Client::DefaultTimeOutMs);
            client.Init();
            client.StartAuth(PEER, QStringLiteral("u"), QStringLiteral("p"));
        });
        client.Init();
        client.StartAuth(PEER, QStringLiteral("u"), QStringLiteral("p"));
        QVERIFY(ended.wait(5000));
        QVERIFY(restarted);
        QCOMPARE(ResultOf(ended), R::Pop3OK);
        QTest::qWait(100);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(peer.connectionCount(), 2);
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

    void commandsAreUtf8AndThePasswordIsMasked_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("trace");
        using S = CPop3Client::STATES;
        QTest::newRow("USER in UTF-8") << int(S::User) << PASSWORD << QByteArray("USER j\xc3\xbcrgen\r\n")
                                       << QStringLiteral("USER j\u00fcrgen");
        QTest::newRow("PASS masked") << int(S::Pass) << PASSWORD << "PASS " + PASSWORD.toUtf8() + "\r\n"
                                     << QStringLiteral("PASS ****");
        QTest::newRow("empty PASS") << int(S::Pass) << QString() << QByteArray("PASS \r\n") << QStringLiteral("PASS ****");
        QTest::newRow("QUIT") << int(S::Quit) << PASSWORD << QByteArray("QUIT\r\n") << QStringLiteral("QUIT");
        QTest::newRow("greeting: none") << int(S::Greeting) << PASSWORD << QByteArray() << QString();
        QTest::newRow("idle: none") << int(S::Idle) << PASSWORD << QByteArray() << QString();
    }

    void commandsAreUtf8AndThePasswordIsMasked()
    {
        QFETCH(int, state);
        QFETCH(QString, password);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, trace);
        const CPop3Client::Command command =
            CPop3Client::f_BuildCommand(CPop3Client::STATES::Enum(state), QStringLiteral("j\u00fcrgen"), password);
        QCOMPARE(command.bytes, bytes);
        QCOMPARE(command.trace, trace);
    }

    // A reply is one whole line; what came with it answers nothing of ours.
    void replyReader_data()
    {
        QTest::addColumn<QByteArrayList>("chunks"); // appended one by one, a reply taken after each
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<int>("lastStatus");

        const int complete = CPop3ReplyReader::Complete;
        const int incomplete = CPop3ReplyReader::Incomplete;
        const int overflow = CPop3ReplyReader::Overflow;
        QTest::newRow("one line") << QByteArrayList{"+OK ready\r\n"} << QStringList{"+OK ready"} << QStringList()
                                  << complete;
        QTest::newRow("in pieces") << QByteArrayList{"+O", "K rea", "dy\r", "\n"} << QStringList{"+OK ready"}
                                   << QStringList() << complete;
        QTest::newRow("LF alone, text cut at a NUL")
            << QByteArrayList{QByteArray("+OK\0junk\n", 9)} << QStringList{"+OK"} << QStringList() << complete;
        QTest::newRow("empty line") << QByteArrayList{"\r\n"} << QStringList{""} << QStringList() << complete;
        QTest::newRow("lines that came with a reply are dropped")
            << QByteArrayList{"+OK\r\n-ERR one\r\n-ERR two\r\n", "+OK next\r\n"} << QStringList{"+OK", "+OK next"}
            << QStringList{"-ERR one", "-ERR two"} << complete;
        QTest::newRow("the rest of a line begun with a reply is dropped")
            << QByteArrayList{"+OK\r\n-ER", "R late\r\n+OK next\r\n"} << QStringList{"+OK", "+OK next"}
            << QStringList{"R late"} << complete;
        // However long a line that came with a reply, the next reply is read.
        for (const int length : {100, 70000}) {
            const QByteArray extra(length, 'x');
            QTest::addRow("a %d-byte line that came with a reply is dropped", length)
                << QByteArrayList{"+OK ready\r\n" + extra + "\r\n", "+OK user accepted\r\n"}
                << QStringList{"+OK ready", "+OK user accepted"} << QStringList{QString::fromLatin1(extra)}
                << complete;
        }
        QTest::newRow("64 KiB without a line end") << QByteArrayList{QByteArray(64 * 1024, '+')} << QStringList()
                                                   << QStringList() << incomplete;
        QTest::newRow("one byte more") << QByteArrayList{QByteArray(64 * 1024, '+'), "+"} << QStringList()
                                       << QStringList() << overflow;
        // The cap does not depend on how the bytes arrive.
        QTest::newRow("70 KiB line in one read") << QByteArrayList{"+OK " + QByteArray(70 * 1024, 'x') + "\r\n"}
                                                 << QStringList() << QStringList() << overflow;
        QTest::newRow("64 KiB line with its end in one read")
            << QByteArrayList{"+OK " + QByteArray(64 * 1024 - 6, 'x') + "\r\n"}
            << QStringList{"+OK " + QString(64 * 1024 - 6, 'x')} << QStringList() << complete;
        QTest::newRow("over 64 KiB while dropping a line")
            << QByteArrayList{"+OK\r\nx", QByteArray(64 * 1024 + 1, 'x')} << QStringList{"+OK"} << QStringList()
            << overflow;
    }

    void replyReader()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(QStringList, replies);
        QFETCH(QStringList, dropped);
        QFETCH(int, lastStatus);
        CPop3ReplyReader reader;
        QStringList taken;
        QStringList droppedLines;
        int status = CPop3ReplyReader::Incomplete;
        for (const QByteArray& chunk : chunks) {
            reader.Append(chunk);
            QString reply;
            status = reader.TakeReply(&reply);
            if (status == CPop3ReplyReader::Complete)
                taken << reply;
            droppedLines << reader.TakeDropped();
        }
        QCOMPARE(taken, replies);
        QCOMPARE(droppedLines, dropped);
        QCOMPARE(status, lastStatus);
        reader.Clear();
        reader.Append("+OK after\r\n");
        QString reply;
        QCOMPARE(int(reader.TakeReply(&reply)), int(CPop3ReplyReader::Complete));
        QCOMPARE(reply, QStringLiteral("+OK after"));
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
