#include <QEventLoop>
#include <QHostAddress>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "CAiosmtpdServer.h"
#include "CPop3Client.h"
#include "CSMTPClient.h"
#include "CSMTPEvent.h"
#include "CSMTPSend.h"
#include "CScriptedMailPeer.h"
#include "DovecotLauncher.h"
#include "MailTestAddresses.h"
#include "MailTraceRecorder.h"

using R = CMailSettings::SMTP_RESULT;
using Mutator = std::function<void(CMailSettings&)>;
Q_DECLARE_METATYPE(Mutator)

namespace {

// This run's own loopback addresses.
const QString DOVECOT = MailTestAddress(1).toString();         // POP3 on 110
const QString RECEIVER = MailTestAddress(2).toString();        // aiosmtpd on 25
const QString NOTHING_LISTENS = MailTestAddress(3).toString();
const QString SILENT = MailTestAddress(4).toString();          // greets, then says nothing
const QString POP_GATE = MailTestAddress(5).toString();        // SMTP demanding POP before SMTP

const QString USER = QStringLiteral("alice");
const QString PASSWORD = QStringLiteral("pop-s3cret");

CMailSettings Settings(const QString& smtpServer, int authority = 0)
{
    CMailSettings s;
    s.m_Recipients = {QStringLiteral("ops@example.test"), QString(), QString()};
    s.m_Sender = QStringLiteral("lumivox@example.test");
    s.m_SMTPServer = smtpServer;
    s.m_POP3Server = DOVECOT;
    s.m_User = USER;
    s.m_Pass = PASSWORD;
    s.m_Authority = authority;
    return s;
}

R::Enum ResultOf(const QSignalSpy& spy, int index)
{
    return spy.at(index).at(0).value<R::Enum>();
}

bool FlagOf(const QSignalSpy& spy, int index)
{
    return spy.at(index).at(1).toBool();
}

} // namespace

class tst_CSMTPSend : public QObject
{
    Q_OBJECT

private:
    DovecotLauncher m_Dovecot;
    CAiosmtpdServer m_Receiver;
    // Plain SMTP that takes MAIL FROM only after a fresh POP3 log-in of the user.
    CAiosmtpdServer m_Gate;

    int popLogins() const { return int(m_Dovecot.log().count(DovecotLauncher::loginMarker(USER))); }

private slots:
    void initTestCase()
    {
        DovecotLauncher::Options pop;
        pop.addresses = {QHostAddress(DOVECOT)};
        pop.users = {{USER, PASSWORD}};
        QVERIFY2(m_Dovecot.start(pop), qPrintable(m_Dovecot.error()));

        AiosmtpdOptions smtp;
        smtp.address = QHostAddress(RECEIVER);
        smtp.plainPorts = {25};
        smtp.noAuth = true;
        QString error;
        QVERIFY2(m_Receiver.start(smtp, &error), qPrintable(error));
        AiosmtpdOptions gate = smtp;
        gate.address = QHostAddress(POP_GATE);
        gate.script = QStringLiteral("pop_before_smtp.py");
        gate.scriptArguments = QStringList{QStringLiteral("--pop-log"), m_Dovecot.logPath(),
                                           QStringLiteral("--pop-user"), USER};
        QVERIFY2(m_Gate.start(gate, &error), qPrintable(error));
    }

    void cleanupTestCase()
    {
        m_Gate.stop();
        m_Receiver.stop();
        m_Dovecot.stop();
    }

    void constructedIdle()
    {
        CSMTPSend sender;
        QVERIFY(!sender.IsBusy());
        QVERIFY(sender.GetPendingRequests().isEmpty());
        QVERIFY(sender.GetPop3Client() != nullptr);
        QVERIFY(sender.GetSMTPClient() != nullptr);
        QVERIFY(!sender.isRunning());
    }

    // Requests wait for the event loop; they run in order, each reported with its own flag.
    void twoRequestsInRequestOrder()
    {
        const int before = m_Receiver.messageCount();
        CSMTPSend sender;
        QSignalSpy completed(&sender, &CSMTPSend::CompletedMailSignal);
        sender.SMTPSend(Settings(RECEIVER), QStringLiteral("first"), QStringLiteral("one"), true);
        sender.SMTPSend(Settings(RECEIVER), QStringLiteral("second"), QStringLiteral("two"), false);

        // Nothing has touched the network yet.
        QCOMPARE(sender.GetPendingRequests().size(), 2);
        QCOMPARE(sender.GetPendingRequests().at(0)->m_Subject, QStringLiteral("first"));
        QCOMPARE(sender.GetPendingRequests().at(1)->m_bTestMail, false);
        QCOMPARE(sender.GetPendingRequests().at(0)->GetEventKey(), 1);
        QVERIFY(!sender.IsBusy());
        QVERIFY(sender.GetSMTPClient()->GetSocket() == nullptr);
        QVERIFY(sender.GetPop3Client()->GetSocket() == nullptr);
        QCOMPARE(completed.count(), 0);

        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 2, 15000);
        QCOMPARE(ResultOf(completed, 0), R::Completed);
        QCOMPARE(FlagOf(completed, 0), true);
        QCOMPARE(ResultOf(completed, 1), R::Completed);
        QCOMPARE(FlagOf(completed, 1), false);
        QVERIFY(m_Receiver.waitForMessages(before + 2));
        QCOMPARE(m_Receiver.summary(before).value(QStringLiteral("subject")).toString(), QStringLiteral("first"));
        QCOMPARE(m_Receiver.summary(before + 1).value(QStringLiteral("subject")).toString(),
                 QStringLiteral("second"));
        QTest::qWait(100);
        QCOMPARE(completed.count(), 2);
        QVERIFY(!sender.IsBusy());
    }

    // The gate takes mail only after a fresh POP3 log-in.
    void popBeforeSmtp()
    {
        const int stored = m_Gate.messageCount();
        const int refused = m_Gate.refusedMailCount();
        const int logins = popLogins();
        MailTraceRecorder traces;
        CSMTPSend sender;
        QSignalSpy completed(&sender, &CSMTPSend::CompletedMailSignal);
        sender.SMTPSend(Settings(POP_GATE, 1), QStringLiteral("after POP"), QStringLiteral("body"), true);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
        QCOMPARE(ResultOf(completed, 0), R::Completed);
        QCOMPARE(FlagOf(completed, 0), true);
        QCOMPARE(popLogins(), logins + 1);
        QTRY_COMPARE(m_Gate.messageCount(), stored + 1);
        QCOMPARE(m_Gate.refusedMailCount(), refused);
        QVERIFY(traces.lines().join(QLatin1Char('\n')).contains(QStringLiteral("[POP3] SND << \"PASS ****")));
        QCOMPARE(traces.findAny({PASSWORD}), QString());
        QTest::qWait(100);
        QCOMPARE(completed.count(), 1);

        // Without the log-in the same server refuses the mail.
        sender.SMTPSend(Settings(POP_GATE, 0), QStringLiteral("no POP"), QStringLiteral("body"), false);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 2, 15000);
        QCOMPARE(ResultOf(completed, 1), R::Failed);
        QCOMPARE(m_Gate.refusedMailCount(), refused + 1);
        QCOMPARE(m_Gate.messageCount(), stored + 1);
    }

    void popFailureStopsBeforeSmtp_data()
    {
        QTest::addColumn<QString>("popServer");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("expected");
        QTest::newRow("wrong password") << DOVECOT << QStringLiteral("wrong") << 14;
        QTest::newRow("refused") << NOTHING_LISTENS << PASSWORD << 10;
    }

    void popFailureStopsBeforeSmtp()
    {
        QFETCH(QString, popServer);
        QFETCH(QString, password);
        QFETCH(int, expected);
        const int connections = m_Gate.connectionCount();
        CSMTPSend sender;
        QSignalSpy completed(&sender, &CSMTPSend::CompletedMailSignal);
        CMailSettings settings = Settings(POP_GATE, 1);
        settings.m_POP3Server = popServer;
        settings.m_Pass = password;
        sender.SMTPSend(settings, QStringLiteral("s"), QStringLiteral("b"), true);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
        QCOMPARE(int(ResultOf(completed, 0)), expected);
        QCOMPARE(FlagOf(completed, 0), true);
        QTest::qWait(300);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(m_Gate.connectionCount(), connections);
        QVERIFY(sender.GetSMTPClient()->GetSocket() == nullptr);
    }

    void invalidSettingsNeverConnect_data()
    {
        QTest::addColumn<Mutator>("change");
        QTest::addColumn<int>("authority");
        QTest::newRow("no recipient entry and no server") << Mutator([](CMailSettings& s) {
            s.m_Recipients.clear();
            s.m_SMTPServer.clear();
        }) << 0;
        QTest::newRow("no recipient entry") << Mutator([](CMailSettings& s) { s.m_Recipients.clear(); }) << 0;
        QTest::newRow("empty server") << Mutator([](CMailSettings& s) { s.m_SMTPServer.clear(); }) << 0;
        QTest::newRow("CR in the user name, POP before SMTP")
            << Mutator([](CMailSettings& s) { s.m_User += QStringLiteral("\rRSET"); }) << 1;
        QTest::newRow("LF in the password, SMTP authentication")
            << Mutator([](CMailSettings& s) { s.m_Pass += QStringLiteral("\nQUIT"); }) << 2;
        QTest::newRow("NUL in the POP3 server, POP before SMTP")
            << Mutator([](CMailSettings& s) { s.m_POP3Server += QChar(0); }) << 1;
        QTest::newRow("LF in the sender")
            << Mutator([](CMailSettings& s) { s.m_Sender += QStringLiteral("\nBcc: x@y.test"); }) << 0;
        QTest::newRow("CR in a recipient")
            << Mutator([](CMailSettings& s) { s.m_Recipients[2] = QStringLiteral("a@b.test\r"); }) << 0;
        QTest::newRow("LF in the SMTP server")
            << Mutator([](CMailSettings& s) { s.m_SMTPServer += QStringLiteral("\n"); }) << 0;
    }

    void invalidSettingsNeverConnect()
    {
        QFETCH(Mutator, change);
        QFETCH(int, authority);
        const int logins = popLogins();
        CSMTPSend sender;
        QSignalSpy completed(&sender, &CSMTPSend::CompletedMailSignal);
        CMailSettings settings = Settings(RECEIVER, authority);
        change(settings);
        QVERIFY(!CSMTPSend::IsSendable(settings));
        sender.SMTPSend(settings, QStringLiteral("s"), QStringLiteral("b"), false);
        QTRY_COMPARE(completed.count(), 1);
        QCOMPARE(ResultOf(completed, 0), R::InvalidSetting);
        QCOMPARE(FlagOf(completed, 0), false);
        QVERIFY(sender.GetSMTPClient()->GetSocket() == nullptr);
        QVERIFY(sender.GetPop3Client()->GetSocket() == nullptr);
        QTest::qWait(100);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(popLogins(), logins);
        QVERIFY(!sender.IsBusy());
    }

    // Only what a request sends is checked; empty recipient entries are the server's to judge.
    void sendableSettings()
    {
        CMailSettings s = Settings(RECEIVER, 0);
        s.m_Pass = QStringLiteral("not\nsent");
        s.m_POP3Server = QStringLiteral("not\rsent");
        QVERIFY(CSMTPSend::IsSendable(s));
        s.m_Authority = 2;
        QVERIFY(!CSMTPSend::IsSendable(s));
        CMailSettings blanks = Settings(QStringLiteral(" "), 0);
        blanks.m_Recipients = {QString(), QString(), QString()};
        QVERIFY(CSMTPSend::IsSendable(blanks));
    }

    // Only the dialog guarantees a recipient; the settings file may hold three empty ones.
    void emptyRecipientEntriesAreTheServersToJudge()
    {
        const int connections = m_Receiver.connectionCount();
        const int stored = m_Receiver.messageCount();
        CSMTPSend sender;
        QSignalSpy completed(&sender, &CSMTPSend::CompletedMailSignal);
        CMailSettings settings = Settings(RECEIVER);
        settings.m_Recipients = {QString(), QString(), QString()};
        sender.SMTPSend(settings, QStringLiteral("s"), QStringLiteral("b"), true);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
        QCOMPARE(ResultOf(completed, 0), R::Failed);
        QTRY_COMPARE(m_Receiver.connectionCount(), connections + 1);
        QCOMPARE(m_Receiver.messageCount(), stored);
    }

    void destroyedWithRequestsRunningAndWaiting()
    {
        CScriptedMailPeer silent;
        QString error;
        QVERIFY2(silent.listenOn(QHostAddress(SILENT), 25, &error), qPrintable(error));
        silent.setScript({ScriptedMailStep::reply("220 hello\r\n")});
        auto* sender = new CSMTPSend;
        QSignalSpy completed(sender, &CSMTPSend::CompletedMailSignal);
        for (int i = 0; i < 3; ++i)
            sender->SMTPSend(Settings(SILENT), QStringLiteral("s%1").arg(i), QStringLiteral("b"), i == 0);
        QTRY_VERIFY(silent.received().startsWith("EHLO "));
        QVERIFY(sender->IsBusy());
        QCOMPARE(sender->GetPendingRequests().size(), 2);
        delete sender;
        QTRY_VERIFY(silent.clientClosed());
        QTest::qWait(100);
        QCOMPARE(completed.count(), 0);
        QCOMPARE(silent.connectionCount(), 1);
    }

    // A receiver may run an event loop of its own in its outcome slot (a
    // message box); a request that arrives meanwhile starts after the slot.
    void nestedEventLoopInTheOutcomeSlot()
    {
        CSMTPSend sender;
        QList<int> results;
        int pendingInsideSlot = -1;
        bool busyInsideSlot = false;
        connect(&sender, &CSMTPSend::CompletedMailSignal, this,
                [&](CMailSettings::SMTP_RESULT::Enum result, bool) {
                    results << int(result);
                    if (results.size() != 1)
                        return;
                    QEventLoop loop;
                    QTimer::singleShot(100, &loop, [&] {
                        sender.SMTPSend(Settings(NOTHING_LISTENS), QStringLiteral("second"), QStringLiteral("b"),
                                        false);
                    });
                    QTimer::singleShot(900, &loop, [&] {
                        pendingInsideSlot = sender.GetPendingRequests().size();
                        busyInsideSlot = sender.IsBusy();
                    });
                    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
                    loop.exec();
                });
        sender.SMTPSend(Settings(NOTHING_LISTENS), QStringLiteral("first"), QStringLiteral("b"), true);
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 2, 10000);
        QCOMPARE(pendingInsideSlot, 1);
        QCOMPARE(busyInsideSlot, true);
        QCOMPARE(results, (QList<int>{R::FailedConnect, R::FailedConnect}));
        QTest::qWait(100);
        QCOMPARE(results.size(), 2);
    }

    void handlerTable()
    {
        CSMTPSend sender;
        QVERIFY(sender.f_GetEventFunction(CSMTPSendEventSMTPSend::KEY) != nullptr);
        QCOMPARE(sender.f_AddEvent(CSMTPSendEventSMTPSend::KEY, nullptr), -2);
    }
};

QTEST_GUILESS_MAIN(tst_CSMTPSend)
#include "tst_CSMTPSend.moc"
