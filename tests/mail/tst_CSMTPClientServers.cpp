// The SMTP client against aiosmtpd, a real server run by the test (Debian's
// python3-aiosmtpd): plain on port 25 and TLS from the first byte on 465,
// with each authentication method, refusals and failed connections. Every
// stored mail is read back by Python's email package.
#include <QHostInfo>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "CAiosmtpdServer.h"
#include "CMailTestCertificates.h"
#include "CSMTPClient.h"
#include "CSystemClock.h"
#include "MailTestRig.h"
#include "MailTraceRecorder.h"

using RESULT = CMailSettings::SMTP_RESULT;

Q_DECLARE_METATYPE(QHostAddress)

namespace {

// This run's addresses.
const QHostAddress AllMechanisms = MailTestAddress(10);
const QHostAddress PlainAndLogin = MailTestAddress(11);
const QHostAddress LoginOnly = MailTestAddress(12);
const QHostAddress NoAuth = MailTestAddress(13);
const QHostAddress SelfSigned = MailTestAddress(14);
const QHostAddress WrongAddress = MailTestAddress(15);
const QHostAddress PlainOn465 = MailTestAddress(16);
const QHostAddress NothingListens = MailTestAddress(17);
const QHostAddress CertifiedElsewhere = MailTestAddress(19);

const QStringList Recipients{"r1@example.org", "", "r3@example.org"};
const QString Refused = QStringLiteral("refused@example.org");
const QString Subject = QStringLiteral("[Lumivox 5] 日本語 Test Mail");
const QString Body = QStringLiteral(
    "Projector PJ-1 (192.168.0.10) reports an error.\n"
    "Fehler: Lampe überhitzt. エラーが発生しました。\n"
    "This line is long enough that the Base64 text of the body takes several lines of 72.\n"
    ".\n"
    "A lone dot above does not end the mail.\n");
const QString WrongPassword = QStringLiteral("wrong-password");

QDateTime Now()
{
    return QDateTime(QDate(2026, 12, 9), QTime(17, 5, 3), Qt::OffsetFromUTC, -(3 * 3600 + 30 * 60));
}

QStringList Strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& v : value.toArray())
        list << v.toString();
    return list;
}

} // namespace

class tst_CSMTPClientServers : public QObject
{
    Q_OBJECT

    std::unique_ptr<MailTraceRecorder> m_Trace;
    CMailTestCertificates m_Certificates;
    QMap<QString, std::shared_ptr<CAiosmtpdServer>> m_Servers; // by address

    AiosmtpdOptions options(const QHostAddress& address, CMailTestCertificates::Kind certificate) const
    {
        AiosmtpdOptions o;
        o.address = address;
        o.plainPorts << CSMTPClient::SmtpPort;
        o.tlsPorts << CSMTPClient::SmtpOverSslPort;
        o.certificateFile = m_Certificates.certificateFile(certificate);
        o.keyFile = m_Certificates.keyFile(certificate);
        o.users << qMakePair(QStringLiteral("user"), QStringLiteral("secret"));
        o.refusals << qMakePair(Refused, QStringLiteral("550 5.1.1 no such user"));
        return o;
    }

    CAiosmtpdServer& server(const QHostAddress& address) { return *m_Servers[address.toString()]; }

    // One mail; the outcomes reported.
    QList<int> send(const CMailSettings& settings) { return SendOneMail(settings, Subject, Body); }

private slots:
    void initTestCase()
    {
        m_Trace = std::make_unique<MailTraceRecorder>();
        CSystemClock::SetNowFunction([] { return Now(); });
        QString error;
        QVERIFY2(m_Certificates.create({AllMechanisms, PlainAndLogin, LoginOnly, NoAuth, SelfSigned, WrongAddress,
                                        PlainOn465},
                                       CertifiedElsewhere, &error),
                 qPrintable(error));
        m_Certificates.trustInThisProcess();

        QList<AiosmtpdOptions> all;
        all << options(AllMechanisms, CMailTestCertificates::Trusted);
        AiosmtpdOptions o = options(PlainAndLogin, CMailTestCertificates::Trusted);
        o.excludeMechanisms << QStringLiteral("CRAM-MD5");
        all << o;
        o = options(LoginOnly, CMailTestCertificates::Trusted);
        o.excludeMechanisms << QStringLiteral("CRAM-MD5") << QStringLiteral("PLAIN");
        all << o;
        o = options(NoAuth, CMailTestCertificates::Trusted);
        o.noAuth = true;
        all << o;
        o = options(SelfSigned, CMailTestCertificates::SelfSigned);
        o.plainPorts.clear();
        all << o;
        o = options(WrongAddress, CMailTestCertificates::WrongAddress);
        o.plainPorts.clear();
        all << o;
        o = options(PlainOn465, CMailTestCertificates::Trusted);
        o.plainPorts = {CSMTPClient::SmtpOverSslPort};
        o.tlsPorts.clear();
        all << o;

        // Started side by side, then waited for.
        for (const AiosmtpdOptions& each : all) {
            auto s = std::make_shared<CAiosmtpdServer>();
            QVERIFY2(s->launch(each, &error), qPrintable(error));
            m_Servers.insert(each.address.toString(), s);
        }
        for (const auto& s : qAsConst(m_Servers))
            QVERIFY2(s->waitReady(&error), qPrintable(error));
    }

    void cleanupTestCase()
    {
        m_Servers.clear();
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        // No run may have written a secret into the trace: the password, its
        // Base64, the PLAIN blob, or a CRAM-MD5 answer (Base64 of "user " and the digest).
        const QString found = m_Trace->findAny(
            {QStringLiteral("secret"), QStringLiteral("c2VjcmV0"), QStringLiteral("dXNlcgB1c2VyAHNlY3JldA"),
             QStringLiteral("dXNlciA"), WrongPassword, QString::fromLatin1(WrongPassword.toUtf8().toBase64())});
        m_Trace.reset();
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("the trace holds ") + found));
    }

    void delivered_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<int>("authority");
        QTest::addColumn<QHostAddress>("address");
        QTest::addColumn<QString>("mechanism"); // empty: none used
        QTest::addColumn<QStringList>("commands");

        const QStringList withAuth{"EHLO", "AUTH", "MAIL", "RCPT", "RCPT", "DATA"};
        const QStringList withoutAuth{"EHLO", "MAIL", "RCPT", "RCPT", "DATA"};
        for (bool tls : {false, true}) {
            const char* port = tls ? "465" : "25";
            QTest::addRow("%s none", port) << tls << 0 << AllMechanisms << QString() << withoutAuth;
            QTest::addRow("%s POP3 before (no AUTH here)", port) << tls << 1 << AllMechanisms << QString() << withoutAuth;
            QTest::addRow("%s CRAM-MD5", port) << tls << 2 << AllMechanisms << "CRAM-MD5" << withAuth;
            QTest::addRow("%s PLAIN", port) << tls << 2 << PlainAndLogin << "PLAIN" << withAuth;
            QTest::addRow("%s LOGIN", port) << tls << 2 << LoginOnly << "LOGIN" << withAuth;
        }
    }

    void delivered()
    {
        QFETCH(bool, tls);
        QFETCH(int, authority);
        QFETCH(QHostAddress, address);
        QFETCH(QString, mechanism);
        QFETCH(QStringList, commands);

        CAiosmtpdServer& s = server(address);
        const int before = s.messageCount();
        QCOMPARE(send(MailTestSettings(address, authority, Recipients, tls)), QList<int>{RESULT::Completed});
        QVERIFY(s.waitForMessages(before + 1));
        const QJsonObject m = s.summary(before);

        QCOMPARE(m.value("tls").toBool(), tls);
        QCOMPARE(m.value("port").toInt(), tls ? 465 : 25);
        QCOMPARE(m.value("ehlo").toString(), address.toString());
        QCOMPARE(Strings(m.value("commands")), commands);
        QCOMPARE(m.value("authenticated").toBool(), !mechanism.isEmpty());
        if (!mechanism.isEmpty()) {
            QCOMPARE(m.value("auth_mechanism").toString(), mechanism);
            QCOMPARE(m.value("login").toString(), QStringLiteral("user"));
        }
        QCOMPARE(m.value("mail_from").toString(), QStringLiteral("from@example.org"));
        QCOMPARE(Strings(m.value("rcpt_tos")), (QStringList{"r1@example.org", "r3@example.org"}));
        QCOMPARE(m.value("mime_version").toString().trimmed(), QStringLiteral("1.0"));
        QCOMPARE(m.value("from").toString(), QStringLiteral("from@example.org"));
        QCOMPARE(Strings(m.value("to")), (QStringList{"r1@example.org", "r3@example.org"}));
        QCOMPARE(m.value("subject").toString(), Subject);
        QCOMPARE(m.value("date").toString(), QStringLiteral("09 Dec 2026 17:05:03 -0330"));
        QCOMPARE(m.value("date_offset_minutes").toInt(), -210);
        QCOMPARE(m.value("content_type").toString(), QStringLiteral("text/plain"));
        QCOMPARE(m.value("charset").toString(), QStringLiteral("utf-8"));
        QCOMPARE(m.value("content_transfer_encoding").toString(), QStringLiteral("base64"));
        QCOMPARE(m.value("body").toString(), Body);
        QVERIFY(m.value("body_line_max").toInt() <= 72);
        QVERIFY(m.value("body_line_max").toInt() > 0);
        QVERIFY(m.value("crlf_only").toBool());
    }

    void wrongPassword_data()
    {
        QTest::addColumn<QHostAddress>("address");
        QTest::addColumn<bool>("tls");
        QTest::newRow("CRAM-MD5") << AllMechanisms << false;
        QTest::newRow("PLAIN") << PlainAndLogin << true;
        QTest::newRow("LOGIN") << LoginOnly << false;
    }

    void wrongPassword()
    {
        QFETCH(QHostAddress, address);
        QFETCH(bool, tls);
        CAiosmtpdServer& s = server(address);
        const int sessions = s.closedSessions().size();
        CMailSettings settings = MailTestSettings(address, 2, Recipients, tls);
        settings.m_Pass = WrongPassword;
        QCOMPARE(send(settings), QList<int>{RESULT::FailedSmtpAuth});
        // The session ended at the refusal: no MAIL FROM went out.
        QVERIFY(s.waitForClosedSessions(sessions + 1));
        QCOMPARE(s.closedSessions().at(sessions), (QStringList{"EHLO", "AUTH"}));
    }

    // SMTP authentication asked for, but the server offers none: the mail
    // ends at once, naming the cause, instead of at RCPT as a refused recipient.
    void noAuthOffered_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::newRow("25") << false;
        QTest::newRow("465") << true;
    }

    void noAuthOffered()
    {
        QFETCH(bool, tls);
        CAiosmtpdServer& s = server(NoAuth);
        const int sessions = s.closedSessions().size();
        const int stored = s.messageCount();
        QCOMPARE(send(MailTestSettings(NoAuth, 2, Recipients, tls)), QList<int>{RESULT::FailedNotSupportAuth});
        QVERIFY(s.waitForClosedSessions(sessions + 1));
        QCOMPARE(s.closedSessions().at(sessions), QStringList{"EHLO"});
        QCOMPARE(s.messageCount(), stored);
    }

    // What a receiver checks in the header, read by Python's mail package:
    // display names with specials or other than ASCII, a subject far longer
    // than a line, and a Message-ID. No defects, no header line over 78.
    void headerReadBack_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("fromAddress");  // display name, address
        QTest::addColumn<QStringList>("toAddresses");  // display name, address, ...

        QString longSubject;
        while (longSubject.size() < 1000)
            longSubject += QStringLiteral("Lampe überhitzt 日本語 ") + QString::fromUcs4(U"\U0001F4A1 ");
        longSubject.truncate(1000);
        QTest::newRow("display names")
            << QStringLiteral("Jörg Müller <from@example.org>")
            << QStringList{QStringLiteral("Smith, John <r1@example.org>"), "", QStringLiteral("\"Ops (night)\" <r3@example.org>")}
            << Subject << QStringList{QStringLiteral("Jörg Müller"), "from@example.org"}
            << QStringList{"Smith, John", "r1@example.org", "Ops (night)", "r3@example.org"};
        QTest::newRow("1000-character subject")
            << QStringLiteral("from@example.org") << Recipients << longSubject
            << QStringList{"", "from@example.org"} << QStringList{"", "r1@example.org", "", "r3@example.org"};
    }

    void headerReadBack()
    {
        QFETCH(QString, sender);
        QFETCH(QStringList, recipients);
        QFETCH(QString, subject);
        QFETCH(QStringList, fromAddress);
        QFETCH(QStringList, toAddresses);

        CAiosmtpdServer& s = server(AllMechanisms);
        const int before = s.messageCount();
        CMailSettings settings = MailTestSettings(AllMechanisms, 0, recipients);
        settings.m_Sender = sender;
        QCOMPARE(SendOneMail(settings, subject, Body), QList<int>{RESULT::Completed});
        QVERIFY(s.waitForMessages(before + 1));
        const QJsonObject m = s.summary(before);

        QCOMPARE(Strings(m.value("defects")), QStringList());
        QVERIFY2(m.value("header_line_max").toInt() <= 78, qPrintable(QString::number(m.value("header_line_max").toInt())));
        QCOMPARE(m.value("subject").toString(), subject);
        QStringList from;
        for (const QJsonValue& a : m.value("from_addresses").toArray())
            from << Strings(a);
        QCOMPARE(from, fromAddress);
        QStringList to;
        for (const QJsonValue& a : m.value("to_addresses").toArray())
            to << Strings(a);
        QCOMPARE(to, toAddresses);
        QCOMPARE(m.value("mail_from").toString(), QStringLiteral("from@example.org"));
        QCOMPARE(Strings(m.value("rcpt_tos")), (QStringList{"r1@example.org", "r3@example.org"}));
        const QString id = m.value("message_id").toString();
        QVERIFY2(QRegularExpression(QStringLiteral("^<[^<>@\\s]+@example\\.org>$")).match(id).hasMatch(), qPrintable(id));
        QCOMPARE(m.value("body").toString(), Body);
    }

    void oneRecipientRefused()
    {
        CAiosmtpdServer& s = server(AllMechanisms);
        const int before = s.messageCount();
        QCOMPARE(send(MailTestSettings(AllMechanisms, 2, {"r1@example.org", Refused, ""})),
                 QList<int>{RESULT::FaildRecipient});
        QVERIFY(s.waitForMessages(before + 1));
        const QJsonObject m = s.summary(before);
        QCOMPARE(Strings(m.value("rcpt_tos")), QStringList{"r1@example.org"});
        QCOMPARE(Strings(m.value("to")), (QStringList{"r1@example.org", Refused}));
        QCOMPARE(m.value("body").toString(), Body);
    }

    void connectionFails_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<bool>("reached"); // a session began at a test server
        // The client gives up in the handshake: the server never sees a session.
        QTest::newRow("self-signed certificate") << SelfSigned.toString() << true << false;
        QTest::newRow("certificate for another address") << WrongAddress.toString() << true << false;
        QTest::newRow("plain server on 465") << PlainOn465.toString() << true << true;
        QTest::newRow("nothing listening on 25") << NothingListens.toString() << false << false;
        QTest::newRow("nothing listening on 465") << NothingListens.toString() << true << false;
        QTest::newRow("no such host") << "no such host" << false << false;
    }

    void connectionFails()
    {
        QFETCH(QString, server);
        QFETCH(bool, tls);
        QFETCH(bool, reached);

        CAiosmtpdServer* s = m_Servers.value(server).get();
        const int connections = s ? s->connectionCount() : 0;
        CMailSettings settings = MailTestSettings(AllMechanisms, 0, Recipients, tls);
        settings.m_SMTPServer = server;
        QCOMPARE(send(settings), QList<int>{RESULT::FailedConnect});
        if (s) {
            QTest::qWait(100);
            QCOMPARE(s->connectionCount(), connections + (reached ? 1 : 0));
            QCOMPARE(s->messageCount(), 0);
        }
    }

    void noSuchHostNeedsNoNameService()
    {
        // A name that cannot be a host name fails inside Qt, before any
        // question to a name server: the test does not depend on the network.
        const QHostInfo info = QHostInfo::fromName(QStringLiteral("no such host"));
        QCOMPARE(info.error(), QHostInfo::HostNotFound);
        QCOMPARE(info.errorString(), QStringLiteral("Invalid hostname"));
    }
};

QTEST_GUILESS_MAIN(tst_CSMTPClientServers)
#include "tst_CSMTPClientServers.moc"
