// The SMTP client against a scripted in-process server, plain and TLS: what
// real servers cannot be made to do (codes at chosen steps, replies in pieces
// or several at once, silence, closes).
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "CMailTestCertificates.h"
#include "CSMTPClient.h"
#include "CScriptedMailPeer.h"
#include "CSystemClock.h"
#include "MailTestRig.h"
#include "MailTraceRecorder.h"

using RESULT = CMailSettings::SMTP_RESULT;
using Step = ScriptedMailStep;
using Script = QList<ScriptedMailStep>;

Q_DECLARE_METATYPE(QList<ScriptedMailStep>)

namespace {

// This run's addresses.
const QHostAddress PlainPeer = MailTestAddress(1);
const QHostAddress TlsPeer = MailTestAddress(2);
const QHostAddress OtherAddress = MailTestAddress(3);

const QStringList OneRecipient{"r1@example.org", "", ""};
const QStringList TwoRecipients{"r1@example.org", "", "r3@example.org"};
const QString Subject = QStringLiteral("[Lumivox 5] Test Mail");
const QString Body = QStringLiteral("Projector PJ-1 reports error 0x12.");

const QByteArray Challenge = "PDE5NzIuOTg3NjU0MzIxQGN1cmw+";
const QByteArray CramAnswer = "dXNlciA3MDMxNzI1NTk5ZmRiYjVkNDEyNjg5YWEzMjNlM2UwYg==";
const QByteArray PlainBlob = "dXNlcgB1c2VyAHNlY3JldA==";

// Stands for the mail text and its dot line in the expected client bytes.
const QByteArray MessagePlaceholder = "<MESSAGE>";
// Every mail has a Message-ID of its own; compared, all stand as this one.
const QString SameMessageId = QStringLiteral("<id@example.org>");

QByteArray WithSameMessageId(QByteArray bytes)
{
    static const QRegularExpression id(QStringLiteral("Message-ID: <[^>\r\n]*>"));
    return QString::fromUtf8(bytes).replace(id, QStringLiteral("Message-ID: ") + SameMessageId).toUtf8();
}

QDateTime Now()
{
    return QDateTime(QDate(2026, 12, 9), QTime(17, 5, 3), Qt::OffsetFromUTC, 9 * 3600);
}

Step Greeting() { return Step::reply("220 peer ready\r\n"); }
Step EhloNoAuth() { return Step::reply("250-peer\r\n250-8BITMIME\r\n250 HELP\r\n"); }
Step EhloAuth(const QByteArray& mechanisms)
{
    return Step::reply("250-peer\r\n250-AUTH " + mechanisms + "\r\n250 HELP\r\n");
}
Step Ok() { return Step::reply("250 OK\r\n"); }
Step GoAhead() { return Step::reply("354 go ahead\r\n"); }
Step Queued() { return Step::afterMessage("250 queued\r\n"); }
Step Bye() { return Step::reply("221 bye\r\n"); }

// From MAIL FROM on, every reply good.
Script Delivery(int recipients)
{
    Script s{Ok()};
    for (int i = 0; i < recipients; ++i)
        s << Ok();
    return s << GoAhead() << Queued() << Bye();
}

QByteArray Ehlo(const QHostAddress& server) { return "EHLO " + server.toString().toLatin1() + "\r\n"; }
const QByteArray MailFrom = "MAIL FROM: <from@example.org>\r\n";
const QByteArray Rcpt1 = "RCPT TO:<r1@example.org>\r\n";
const QByteArray Rcpt3 = "RCPT TO:<r3@example.org>\r\n";
const QByteArray Data = "DATA\r\n";
const QByteArray Quit = "QUIT\r\n";

QByteArray DeliveryBytes(int recipients)
{
    QByteArray bytes = MailFrom + Rcpt1;
    if (recipients > 1)
        bytes += Rcpt3;
    return bytes + Data + MessagePlaceholder + Quit;
}

Script Joined(const QList<Script>& parts)
{
    Script all;
    for (const Script& part : parts)
        all += part;
    return all;
}

// Every part of every step one byte at a time.
Script ByteByByte(const Script& script)
{
    Script result;
    for (const Step& step : script) {
        Step bytes = Step::perByte(step.parts.join());
        bytes.clientEnd = step.clientEnd;
        bytes.closeAfter = step.closeAfter;
        result << bytes;
    }
    return result;
}

} // namespace

class tst_CSMTPClientSession : public QObject
{
    Q_OBJECT

    std::unique_ptr<MailTraceRecorder> m_Trace;
    CMailTestCertificates m_Certificates;
    std::unique_ptr<CScriptedMailPeer> m_Plain;
    std::unique_ptr<CScriptedMailPeer> m_Tls;

    CScriptedMailPeer& peer(bool tls) { return tls ? *m_Tls : *m_Plain; }

    QByteArray expectedBytes(QByteArray bytes, const QStringList& recipients) const
    {
        QStringList present;
        for (const QString& r : recipients) {
            if (!r.isEmpty())
                present << r;
        }
        const QString message = CSMTPClient::f_ComposeMessage(QStringLiteral("from@example.org"), present,
                                                              Subject, Body, Now(), SameMessageId);
        return bytes.replace(MessagePlaceholder, message.toUtf8() + "\r\n.\r\n");
    }

    // Runs one mail to the peer; gives the outcomes reported.
    QList<int> runMail(bool tls, int authority, const QStringList& recipients, const Script& script,
                       int sessionTimeOutMs = 0)
    {
        return runMail(MailTestSettings(tls ? TlsPeer : PlainPeer, authority, recipients, tls), script,
                       sessionTimeOutMs);
    }

    QList<int> runMail(const CMailSettings& settings, const Script& script, int sessionTimeOutMs = 0)
    {
        CScriptedMailPeer& p = peer(settings.m_SMTPOverSSL);
        p.reset();
        p.setScript(script);
        return SendOneMail(settings, Subject, Body, sessionTimeOutMs);
    }

private slots:
    void initTestCase()
    {
        m_Trace = std::make_unique<MailTraceRecorder>();
        CSystemClock::SetNowFunction([] { return Now(); });
        QString error;
        QVERIFY2(m_Certificates.create({PlainPeer, TlsPeer}, OtherAddress, &error), qPrintable(error));
        m_Certificates.trustInThisProcess();

        m_Plain = std::make_unique<CScriptedMailPeer>();
        QVERIFY2(m_Plain->listenOn(PlainPeer, CSMTPClient::SmtpPort, &error), qPrintable(error));
        m_Tls = std::make_unique<CScriptedMailPeer>();
        m_Tls->setTls(m_Certificates.certificate(CMailTestCertificates::Trusted),
                      m_Certificates.key(CMailTestCertificates::Trusted));
        QVERIFY2(m_Tls->listenOn(TlsPeer, CSMTPClient::SmtpOverSslPort, &error), qPrintable(error));
    }

    void cleanupTestCase()
    {
        m_Plain.reset();
        m_Tls.reset();
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        // No run may have written a secret into the trace.
        const QString found = m_Trace->findAny({QStringLiteral("secret"), QStringLiteral("c2VjcmV0"),
                                                QString::fromLatin1(PlainBlob), QString::fromLatin1(CramAnswer)});
        m_Trace.reset();
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("the trace holds ") + found));
    }

    void conversation_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<int>("authority");
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("clientBytes");
        QTest::addColumn<int>("code");

        const QByteArray ehlo = Ehlo(PlainPeer);
        const QByteArray ehloTls = Ehlo(TlsPeer);
        const int completed = RESULT::Completed;

        QTest::newRow("no authentication")
            << false << 0 << OneRecipient << Joined({{Greeting(), EhloNoAuth()}, Delivery(1)})
            << ehlo + DeliveryBytes(1) << completed;
        QTest::newRow("over TLS")
            << true << 0 << TwoRecipients << Joined({{Greeting(), EhloNoAuth()}, Delivery(2)})
            << ehloTls + DeliveryBytes(2) << completed;
        QTest::newRow("CRAM-MD5 chosen over PLAIN and LOGIN")
            << false << 2 << OneRecipient
            << Joined({{Greeting(), EhloAuth("PLAIN LOGIN CRAM-MD5"), Step::reply("334 " + Challenge + "\r\n"),
                        Step::reply("235 ok\r\n")},
                       Delivery(1)})
            << ehlo + "AUTH CRAM-MD5\r\n" + CramAnswer + "\r\n" + DeliveryBytes(1) << completed;
        QTest::newRow("PLAIN")
            << false << 2 << OneRecipient
            << Joined({{Greeting(), EhloAuth("LOGIN PLAIN"), Step::reply("235 ok\r\n")}, Delivery(1)})
            << ehlo + "AUTH PLAIN " + PlainBlob + "\r\n" + DeliveryBytes(1) << completed;
        QTest::newRow("LOGIN")
            << false << 2 << OneRecipient
            << Joined({{Greeting(), EhloAuth("LOGIN"), Step::reply("334 VXNlcm5hbWU6\r\n"),
                        Step::reply("334 UGFzc3dvcmQ6\r\n"), Step::reply("235 ok\r\n")},
                       Delivery(1)})
            << ehlo + "AUTH LOGIN\r\ndXNlcg==\r\nc2VjcmV0\r\n" + DeliveryBytes(1) << completed;
        QTest::newRow("AUTH as the last EHLO line, over TLS")
            << true << 2 << OneRecipient
            << Joined({{Greeting(), Step::reply("250-peer\r\n250-8BITMIME\r\n250 AUTH PLAIN LOGIN\r\n"),
                        Step::reply("235 ok\r\n")},
                       Delivery(1)})
            << ehloTls + "AUTH PLAIN " + PlainBlob + "\r\n" + DeliveryBytes(1) << completed;
        QTest::newRow("no AUTH offered") << false << 2 << OneRecipient << Script{Greeting(), EhloNoAuth()}
                                         << ehlo << int(RESULT::FailedNotSupportAuth);
        QTest::newRow("no supported mechanism") << false << 2 << OneRecipient
                                                << Script{Greeting(), EhloAuth("GSSAPI NTLM")} << ehlo
                                                << int(RESULT::FailedNotSupportAuth);
        QTest::newRow("535 to the LOGIN password")
            << false << 2 << OneRecipient
            << Script{Greeting(), EhloAuth("LOGIN"), Step::reply("334 VXNlcm5hbWU6\r\n"),
                      Step::reply("334 UGFzc3dvcmQ6\r\n"), Step::reply("535 5.7.8 invalid\r\n")}
            << ehlo + "AUTH LOGIN\r\ndXNlcg==\r\nc2VjcmV0\r\n" << int(RESULT::FailedSmtpAuth);
        QTest::newRow("535 to AUTH PLAIN")
            << false << 2 << OneRecipient
            << Script{Greeting(), EhloAuth("PLAIN"), Step::reply("535 5.7.8 invalid\r\n")}
            << ehlo + "AUTH PLAIN " + PlainBlob + "\r\n" << int(RESULT::FailedSmtpAuth);
        QTest::newRow("421 greeting") << false << 0 << OneRecipient << Script{Step::reply("421 busy\r\n")}
                                      << QByteArray() << int(RESULT::FailedConnect);
        QTest::newRow("5xx to EHLO") << false << 0 << OneRecipient
                                     << Script{Greeting(), Step::reply("500 what\r\n")} << ehlo
                                     << int(RESULT::Failed);
        QTest::newRow("551 to RCPT, then good replies")
            << false << 0 << TwoRecipients
            << Script{Greeting(), EhloNoAuth(),       Ok(),    Step::reply("551 go elsewhere\r\n"),
                      Ok(),       GoAhead(),          Queued(), Bye()}
            << ehlo + DeliveryBytes(2) << int(RESULT::FaildRecipient);
        QTest::newRow("one of two recipients 550")
            << false << 0 << TwoRecipients
            << Script{Greeting(), Step::reply("250 peer\r\n"), Ok(), Ok(), Step::reply("550 no such user\r\n"),
                      GoAhead(),  Queued(),                     Bye()}
            << ehlo + DeliveryBytes(2) << int(RESULT::FaildRecipient);
        QTest::newRow("only recipient 550, then 554 to DATA")
            << false << 0 << OneRecipient
            << Script{Greeting(), EhloNoAuth(), Ok(), Step::reply("550 no such user\r\n"),
                      Step::reply("554 no valid recipients\r\n")}
            << ehlo + MailFrom + Rcpt1 + Data << int(RESULT::Failed);
        QTest::newRow("5xx to QUIT")
            << false << 0 << OneRecipient
            << Joined({{Greeting(), EhloNoAuth(), Ok(), Ok(), GoAhead(), Queued(), Step::reply("500 what\r\n")}})
            << ehlo + DeliveryBytes(1) << completed;
        QTest::newRow("closed at QUIT")
            << false << 0 << OneRecipient
            << Script{Greeting(), EhloNoAuth(), Ok(), Ok(), GoAhead(), Queued(), Step::close()}
            << ehlo + DeliveryBytes(1) << completed;
        QTest::newRow("550, then closed at QUIT")
            << false << 0 << TwoRecipients
            << Script{Greeting(), EhloNoAuth(), Ok(), Step::reply("550 no such user\r\n"), Ok(), GoAhead(),
                      Queued(), Step::close()}
            << ehlo + DeliveryBytes(2) << int(RESULT::FaildRecipient);
        // A peer that resets the connection right after a good reply: the
        // client's next command fails to go out, and the end belongs to it.
        QTest::newRow("reset after 235")
            << false << 2 << OneRecipient
            << Script{Greeting(), EhloAuth("PLAIN"), Step::reply("235 ok\r\n").thenReset()}
            << ehlo + "AUTH PLAIN " + PlainBlob + "\r\n" << int(RESULT::Failed);
        QTest::newRow("reset after the 250 to RCPT")
            << false << 0 << OneRecipient << Script{Greeting(), EhloNoAuth(), Ok(), Ok().thenReset()}
            << ehlo + MailFrom + Rcpt1 << int(RESULT::Failed);
        QTest::newRow("reset after the 250 to the message")
            << false << 0 << OneRecipient
            << Script{Greeting(), EhloNoAuth(), Ok(), Ok(), GoAhead(), Queued().thenReset()}
            << ehlo + MailFrom + Rcpt1 + Data + MessagePlaceholder << completed;
        QTest::newRow("550, then reset after the 250 to the message")
            << false << 0 << TwoRecipients
            << Script{Greeting(), EhloNoAuth(), Ok(), Step::reply("550 no such user\r\n"), Ok(), GoAhead(),
                      Queued().thenReset()}
            << ehlo + MailFrom + Rcpt1 + Rcpt3 + Data + MessagePlaceholder << int(RESULT::FaildRecipient);
        QTest::newRow("closed after the greeting") << false << 0 << OneRecipient
                                                   << Script{Greeting(), Step::close()} << ehlo
                                                   << int(RESULT::Failed);
        QTest::newRow("554 to the message") << false << 0 << OneRecipient
                                            << Script{Greeting(), EhloNoAuth(), Ok(), Ok(), GoAhead(),
                                                      Step::afterMessage("554 rejected\r\n")}
                                            << ehlo + MailFrom + Rcpt1 + Data + MessagePlaceholder
                                            << int(RESULT::Failed);
        QTest::newRow("220- greeting and EHLO lines in separate writes")
            << false << 2 << OneRecipient
            << Joined({{Step::perLine("220-peer\r\n220-second line\r\n220 ready\r\n"),
                        Step::perLine("250-peer\r\n250-AUTH PLAIN\r\n250 HELP\r\n"), Step::reply("235 ok\r\n")},
                       Delivery(1)})
            << ehlo + "AUTH PLAIN " + PlainBlob + "\r\n" + DeliveryBytes(1) << completed;
        QTest::newRow("every reply byte by byte")
            << false << 2 << TwoRecipients
            << ByteByByte(Joined({{Greeting(), EhloAuth("CRAM-MD5"), Step::reply("334 " + Challenge + "\r\n"),
                                   Step::reply("235 ok\r\n")},
                                  Delivery(2)}))
            << ehlo + "AUTH CRAM-MD5\r\n" + CramAnswer + "\r\n" + DeliveryBytes(2) << completed;
        QTest::newRow("LF alone ends lines") << false << 0 << OneRecipient
                                             << Script{Step::reply("220 ready\n"), Step::reply("250-peer\n250 HELP\n"),
                                                       Step::reply("250 OK\n"), Step::reply("250 OK\n"),
                                                       Step::reply("354 go\n"), Step::afterMessage("250 ok\n"),
                                                       Step::reply("221 bye\n")}
                                             << ehlo + DeliveryBytes(1) << completed;
        QTest::newRow("lines after a whole reply are dropped")
            << false << 0 << OneRecipient
            << Joined({{Step::reply("220 ready\r\n554 stray\r\n"), EhloNoAuth()}, Delivery(1)})
            << ehlo + DeliveryBytes(1) << completed;
        QByteArray endless;
        while (endless.size() <= 64 * 1024)
            endless += "220-still greeting\r\n";
        QTest::newRow("greeting over 64 KiB") << false << 0 << OneRecipient << Script{Step::reply(endless)}
                                              << QByteArray() << int(RESULT::FailedConnect);
        QByteArray endlessEhlo = "250-peer\r\n";
        while (endlessEhlo.size() <= 64 * 1024)
            endlessEhlo += "250-X-PADDING\r\n";
        QTest::newRow("EHLO reply over 64 KiB") << false << 0 << OneRecipient
                                                << Script{Greeting(), Step::reply(endlessEhlo)} << ehlo
                                                << int(RESULT::Failed);
    }

    void conversation()
    {
        QFETCH(bool, tls);
        QFETCH(int, authority);
        QFETCH(QStringList, recipients);
        QFETCH(Script, script);
        QFETCH(QByteArray, clientBytes);
        QFETCH(int, code);

        const QList<int> codes = runMail(tls, authority, recipients, script);
        QCOMPARE(codes, QList<int>{code});
        QCOMPARE(WithSameMessageId(peer(tls).received()), expectedBytes(clientBytes, recipients));
        QVERIFY(peer(tls).tlsErrors().isEmpty());
    }

    // An empty user name or password is still a line of its own: the
    // server's question is answered, and the next command keeps its place.
    void loginAnswersAreLinesEvenWhenEmpty_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("answers");
        QTest::newRow("empty password") << "user" << "" << QByteArray("dXNlcg==\r\n\r\n");
        QTest::newRow("empty user") << "" << "secret" << QByteArray("\r\nc2VjcmV0\r\n");
        QTest::newRow("both empty") << "" << "" << QByteArray("\r\n\r\n");
    }

    void loginAnswersAreLinesEvenWhenEmpty()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, answers);
        CMailSettings settings = MailTestSettings(PlainPeer, 2, OneRecipient);
        settings.m_User = user;
        settings.m_Pass = password;
        const Script script{Greeting(), EhloAuth("LOGIN"), Step::reply("334 VXNlcm5hbWU6\r\n"),
                            Step::reply("334 UGFzc3dvcmQ6\r\n"), Step::reply("535 5.7.8 invalid\r\n")};
        QCOMPARE(runMail(settings, script), QList<int>{RESULT::FailedSmtpAuth});
        QCOMPARE(m_Plain->received(), Ehlo(PlainPeer) + "AUTH LOGIN\r\n" + answers);
    }

    void tracesMaskSecrets_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QStringList>("masked"); // the lines the trace shows instead
        QTest::newRow("PLAIN") << Joined({{Greeting(), EhloAuth("PLAIN"), Step::reply("235 ok\r\n")}, Delivery(1)})
                               << QStringList{"[SMTP] SND << \"AUTH PLAIN ****\""};
        QTest::newRow("LOGIN") << Joined({{Greeting(), EhloAuth("LOGIN"), Step::reply("334 VXNlcm5hbWU6\r\n"),
                                           Step::reply("334 UGFzc3dvcmQ6\r\n"), Step::reply("235 ok\r\n")},
                                          Delivery(1)})
                               << QStringList{"[SMTP] SND << \"AUTH LOGIN\"", "[SMTP] SND << \"****\"",
                                              "[SMTP] SND << \"****\""};
        QTest::newRow("CRAM-MD5") << Joined({{Greeting(), EhloAuth("CRAM-MD5"), Step::reply("334 " + Challenge + "\r\n"),
                                              Step::reply("235 ok\r\n")},
                                             Delivery(1)})
                                  << QStringList{"[SMTP] SND << \"AUTH CRAM-MD5\"", "[SMTP] SND << \"****\""};
    }

    void tracesMaskSecrets()
    {
        QFETCH(Script, script);
        QFETCH(QStringList, masked);
        m_Trace->clear();
        QCOMPARE(runMail(false, 2, OneRecipient, script), QList<int>{RESULT::Completed});
        QStringList sent;
        for (const QString& line : m_Trace->lines()) {
            if (line.startsWith(QStringLiteral("[SMTP] SND << \"AUTH")) || line.contains(QStringLiteral("\"****\"")))
                sent << line;
        }
        QCOMPARE(sent, masked);
        QVERIFY(m_Trace->lines().contains(QStringLiteral("[SMTP] SND << \"MAIL FROM: <from@example.org>\"")));
        const QString found = m_Trace->findAny({QStringLiteral("secret"), QStringLiteral("c2VjcmV0"),
                                                QStringLiteral("dXNlcg"), QString::fromLatin1(CramAnswer)});
        QVERIFY2(found.isEmpty(), qPrintable(found));
    }

    void sessionTimerRunsFromSendMail()
    {
        m_Plain->reset();
        m_Plain->setScript({});
        CSMTPClient client;
        const QList<QTimer*> timers = client.findChildren<QTimer*>();
        QCOMPARE(timers.size(), 1);
        QTimer* timer = timers.first();
        QCOMPARE(timer->interval(), 60000);
        QCOMPARE(client.GetTimeOut(), 60000);
        QVERIFY(timer->isSingleShot());
        QVERIFY(!timer->isActive());
        client.SendMail(MailTestSettings(PlainPeer, 0, OneRecipient), Subject, Body);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 60000);
    }

    void silenceTimesOut()
    {
        const QList<int> codes = runMail(false, 0, OneRecipient, {}, 300);
        QCOMPARE(codes, QList<int>{RESULT::FailedTimeOut});
        QCOMPARE(m_Plain->received(), QByteArray());
        QTRY_VERIFY(m_Plain->clientClosed());
    }

    void repliesDoNotRestartTheTimer()
    {
        // A whole session needs eight replies 200 ms apart; the limit is 500 ms.
        Script slow = Joined({{Greeting(), EhloNoAuth()}, Delivery(1)});
        for (Step& step : slow)
            step.delayMs = 200;
        const QList<int> codes = runMail(false, 0, OneRecipient, slow, 500);
        QCOMPARE(codes, QList<int>{RESULT::FailedTimeOut});
        QVERIFY(m_Plain->stepsDone() < slow.size());
    }

    void laterErrorsChangeNothing_data()
    {
        QTest::addColumn<int>("timeOutMs");
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("code");
        QTest::newRow("after a time-out") << 300 << Script() << int(RESULT::FailedTimeOut);
        QTest::newRow("after a completed mail")
            << 0 << Joined({{Greeting(), EhloNoAuth()}, Delivery(1)}) << int(RESULT::Completed);
    }

    void laterErrorsChangeNothing()
    {
        QFETCH(int, timeOutMs);
        QFETCH(Script, script);
        QFETCH(int, code);

        m_Plain->reset();
        m_Plain->setScript(script);
        CSMTPClient client;
        if (timeOutMs > 0)
            client.SetTimeOut(timeOutMs);
        QSignalSpy ends(&client, &CSMTPClient::EndSignal);
        client.SendMail(MailTestSettings(PlainPeer, 0, OneRecipient), Subject, Body);
        QVERIFY(ends.wait(15000));
        QVERIFY(QMetaObject::invokeMethod(&client, "f_OnErrorReceived",
                                          Q_ARG(QAbstractSocket::SocketError,
                                                QAbstractSocket::RemoteHostClosedError)));
        QVERIFY(QMetaObject::invokeMethod(&client, "f_OnTimerTimeOut"));
        // Nothing more goes out once the session has ended.
        const QByteArray received = m_Plain->received();
        QVERIFY(!client.f_Send(CSMTPClient::STATES::Quit));
        QTest::qWait(100);
        QCOMPARE(ends.count(), 1);
        QCOMPARE(int(client.GetResult()), code);
        QCOMPARE(m_Plain->received(), received);
    }

    void nextMailStartedFromTheOutcomeSlot_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("timeOutMs");
        QTest::addColumn<int>("code");
        QTest::newRow("outcome from a reply") << Joined({{Greeting(), EhloNoAuth()}, Delivery(1)})
                                              << CSMTPClient::DefaultTimeOutMs << int(RESULT::Completed);
        QTest::newRow("outcome from a socket error")
            << Script{Greeting(), EhloNoAuth(), Ok(), Ok(), GoAhead(), Queued(), Step::close()}
            << CSMTPClient::DefaultTimeOutMs << int(RESULT::Completed);
        QTest::newRow("outcome from the time-out") << Script{} << 300 << int(RESULT::FailedTimeOut);
    }

    void nextMailStartedFromTheOutcomeSlot()
    {
        // The receiver starts the next mail inside the outcome signal, which
        // the client emits from a signal of its own socket.
        QFETCH(Script, script);
        QFETCH(int, timeOutMs);
        QFETCH(int, code);
        m_Plain->reset();
        m_Plain->setScript(script);
        CSMTPClient client;
        client.SetTimeOut(timeOutMs);
        QList<int> codes;
        connect(&client, &CSMTPClient::EndSignal, this, [&](RESULT::Enum result) {
            codes << int(result);
            if (codes.size() < 3) {
                client.Init();
                client.SendMail(MailTestSettings(PlainPeer, 0, OneRecipient), Subject, Body);
            }
        });
        client.SendMail(MailTestSettings(PlainPeer, 0, OneRecipient), Subject, Body);
        QTRY_COMPARE_WITH_TIMEOUT(codes.size(), 3, 15000);
        QCOMPARE(codes, (QList<int>{code, code, code}));
        QCOMPARE(m_Plain->connectionCount(), 3);
    }

    void clientIsReusedMailAfterMail()
    {
        const Script script = Joined({{Greeting(), EhloNoAuth()}, Delivery(1)});
        CSMTPClient client;
        QSignalSpy ends(&client, &CSMTPClient::EndSignal);
        for (int mail = 0; mail < 3; ++mail) {
            m_Plain->reset();
            m_Plain->setScript(script);
            client.Init();
            client.SendMail(MailTestSettings(PlainPeer, 0, OneRecipient), Subject, Body);
            QVERIFY(ends.wait(15000));
            QCOMPARE(ends.count(), mail + 1);
            QCOMPARE(ends.last().at(0).value<RESULT::Enum>(), RESULT::Completed);
            QCOMPARE(WithSameMessageId(m_Plain->received()),
                     expectedBytes(Ehlo(PlainPeer) + DeliveryBytes(1), OneRecipient));
        }
    }
};

QTEST_GUILESS_MAIN(tst_CSMTPClientSession)
#include "tst_CSMTPClientSession.moc"
