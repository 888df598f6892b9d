// The SMTP client without a mail server: commands, CRAM-MD5, address checks,
// reply assembly, the AUTH scan, the mail text, the state queue and f_Send.
#include <QHostInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

#include "CMailHeader.h"
#include "CMailSettings.h"
#include "CSMTPClient.h"
#include "CSmtpReplyReader.h"
#include "CSystemClock.h"
#include "MailTestRig.h"
#include "MailTraceRecorder.h"

using STATES = CSMTPClient::STATES;
using METHOD = CSMTPClient::AUTH_METHOD;
using RESULT = CMailSettings::SMTP_RESULT;

Q_DECLARE_METATYPE(CSMTPClient::CommandInput)
Q_DECLARE_METATYPE(QList<int>)

namespace {

// Nothing listens here: SendMail's connection attempt is refused, and these
// tests only look at what SendMail prepared before it.
const QHostAddress UnusedServer = MailTestAddress(9);

const char* const Body54 = "01234567890123456789012345678901234567890123456789abcd";
const char* const Body54Base64 = "MDEyMzQ1Njc4OTAxMjM0NTY3ODkwMTIzNDU2Nzg5MDEyMzQ1Njc4OTAxMjM0NTY3ODlhYmNk";

CSMTPClient::CommandInput Input(int method)
{
    CSMTPClient::CommandInput input;
    input.server = QStringLiteral("mail.example.org");
    input.user = QStringLiteral("user");
    input.password = QStringLiteral("secret");
    input.sender = QStringLiteral("from@example.org");
    input.hasRecipient = true;
    input.recipient = QStringLiteral("to@example.org");
    input.message = QStringLiteral("MIME-Version: 1.0 \r\n\r\nQUJD");
    input.cramMd5Answer = "dXNlciBhbnN3ZXI=";
    input.method = method;
    return input;
}

QList<int> Ints(const QList<STATES::Enum>& states)
{
    QList<int> values;
    for (STATES::Enum s : states)
        values << int(s);
    return values;
}

QDateTime At(int y, int mo, int d, int h, int mi, int s, int offsetSeconds)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::OffsetFromUTC, offsetSeconds);
}

// Every mail has a Message-ID of its own; compared, all stand as this one.
const QString SameMessageId = QStringLiteral("<id@example.org>");

QString WithSameMessageId(QString text)
{
    static const QRegularExpression id(QStringLiteral("Message-ID: <[^>\r\n]*>"));
    return text.replace(id, QStringLiteral("Message-ID: ") + SameMessageId);
}

QString Headers(const QString& to, const QString& subjectBase64,
                const QString& date = QStringLiteral("09 Dec 2026 17:05:03 +0900"))
{
    return QStringLiteral("MIME-Version: 1.0 \r\n"
                          "From: from@example.org\r\n"
                          "To: %1\r\n"
                          "Date: %3\r\n"
                          "Message-ID: <id@example.org>\r\n"
                          "Subject: =?utf-8?B?%2?=\r\n"
                          "Content-Type: text/plain; charset=utf-8\r\n"
                          "Content-Transfer-Encoding: base64\r\n"
                          "\r\n")
        .arg(to, subjectBase64, date);
}

CMailSettings Settings(const QStringList& recipients, int authority = 0)
{
    return MailTestSettings(UnusedServer, authority, recipients);
}

} // namespace

class tst_CSMTPClientProtocol : public QObject
{
    Q_OBJECT

    std::unique_ptr<MailTraceRecorder> m_Trace;

private slots:
    void initTestCase()
    {
        m_Trace = std::make_unique<MailTraceRecorder>();
        // Month names must not follow the user's language.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        CSystemClock::SetNowFunction([] { return At(2026, 12, 9, 17, 5, 3, 9 * 3600); });
    }

    void cleanupTestCase()
    {
        m_Trace.reset();
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        QLocale::setDefault(QLocale::c());
    }

    void commandPerStateAndMethod_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<CSMTPClient::CommandInput>("input");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("trace");

        CSMTPClient::CommandInput noRecipient = Input(METHOD::None);
        noRecipient.hasRecipient = false;
        CSMTPClient::CommandInput emptyCredentials = Input(METHOD::Plain);
        emptyCredentials.user.clear();
        emptyCredentials.password.clear();
        CSMTPClient::CommandInput utf8Plain = Input(METHOD::Plain);
        utf8Plain.user = QStringLiteral("ユーザー");
        utf8Plain.password = QStringLiteral("pässwörd");
        CSMTPClient::CommandInput utf8Login = utf8Plain;
        utf8Login.method = METHOD::Login;
        CSMTPClient::CommandInput noAnswer = Input(METHOD::CramMd5);
        noAnswer.cramMd5Answer.clear();
        CSMTPClient::CommandInput named = Input(METHOD::None);
        named.sender = QStringLiteral("Lumivox <from@example.org>");
        named.recipient = QStringLiteral("<to@example.org>");

        const QString masked = QStringLiteral("****");
        QTest::newRow("0 idle") << 0 << Input(METHOD::Plain) << QByteArray() << QString();
        QTest::newRow("1 greeting") << 1 << Input(METHOD::Plain) << QByteArray() << QString();
        QTest::newRow("2 EHLO names the server") << 2 << Input(METHOD::None)
                                                 << QByteArray("EHLO mail.example.org\r\n")
                                                 << QStringLiteral("EHLO mail.example.org");
        QTest::newRow("3 none") << 3 << Input(METHOD::None) << QByteArray() << QString();
        QTest::newRow("3 PLAIN") << 3 << Input(METHOD::Plain)
                                 << QByteArray("AUTH PLAIN dXNlcgB1c2VyAHNlY3JldA==\r\n")
                                 << QStringLiteral("AUTH PLAIN ****");
        QTest::newRow("3 PLAIN empty user and password") << 3 << emptyCredentials
                                                         << QByteArray("AUTH PLAIN AAA=\r\n")
                                                         << QStringLiteral("AUTH PLAIN ****");
        QTest::newRow("3 PLAIN UTF-8 user")
            << 3 << utf8Plain << QByteArray("AUTH PLAIN 44Om44O844K244O8AOODpuODvOOCtuODvABww6Rzc3fDtnJk\r\n")
            << QStringLiteral("AUTH PLAIN ****");
        QTest::newRow("3 LOGIN") << 3 << Input(METHOD::Login) << QByteArray("AUTH LOGIN\r\n")
                                 << QStringLiteral("AUTH LOGIN");
        QTest::newRow("3 CRAM-MD5") << 3 << Input(METHOD::CramMd5) << QByteArray("AUTH CRAM-MD5\r\n")
                                    << QStringLiteral("AUTH CRAM-MD5");
        QTest::newRow("4 none") << 4 << Input(METHOD::None) << QByteArray() << QString();
        QTest::newRow("4 PLAIN") << 4 << Input(METHOD::Plain) << QByteArray() << QString();
        QTest::newRow("4 LOGIN user") << 4 << Input(METHOD::Login) << QByteArray("dXNlcg==\r\n") << masked;
        QTest::newRow("4 LOGIN UTF-8 user") << 4 << utf8Login << QByteArray("44Om44O844K244O8\r\n") << masked;
        QTest::newRow("4 CRAM-MD5 answer") << 4 << Input(METHOD::CramMd5) << QByteArray("dXNlciBhbnN3ZXI=\r\n")
                                           << masked;
        QTest::newRow("4 CRAM-MD5 without answer") << 4 << noAnswer << QByteArray() << QString();
        QTest::newRow("5 none") << 5 << Input(METHOD::None) << QByteArray() << QString();
        QTest::newRow("5 PLAIN") << 5 << Input(METHOD::Plain) << QByteArray() << QString();
        QTest::newRow("5 LOGIN password") << 5 << Input(METHOD::Login) << QByteArray("c2VjcmV0\r\n") << masked;
        QTest::newRow("5 LOGIN UTF-8 password") << 5 << utf8Login << QByteArray("cMOkc3N3w7ZyZA==\r\n") << masked;
        CSMTPClient::CommandInput emptyLogin = emptyCredentials;
        emptyLogin.method = METHOD::Login;
        QTest::newRow("4 LOGIN empty user: an empty line") << 4 << emptyLogin << QByteArray("\r\n") << masked;
        QTest::newRow("5 LOGIN empty password: an empty line") << 5 << emptyLogin << QByteArray("\r\n") << masked;
        QTest::newRow("5 CRAM-MD5") << 5 << Input(METHOD::CramMd5) << QByteArray() << QString();
        QTest::newRow("6 MAIL FROM, a blank after the colon")
            << 6 << Input(METHOD::None) << QByteArray("MAIL FROM: <from@example.org>\r\n")
            << QStringLiteral("MAIL FROM: <from@example.org>");
        QTest::newRow("6 display name") << 6 << named << QByteArray("MAIL FROM: <from@example.org>\r\n")
                                        << QStringLiteral("MAIL FROM: <from@example.org>");
        QTest::newRow("7 RCPT TO, no blank") << 7 << Input(METHOD::None)
                                             << QByteArray("RCPT TO:<to@example.org>\r\n")
                                             << QStringLiteral("RCPT TO:<to@example.org>");
        QTest::newRow("7 bracketed") << 7 << named << QByteArray("RCPT TO:<to@example.org>\r\n")
                                     << QStringLiteral("RCPT TO:<to@example.org>");
        QTest::newRow("7 no recipient left") << 7 << noRecipient << QByteArray() << QString();
        QTest::newRow("8 DATA") << 8 << Input(METHOD::Login) << QByteArray("DATA\r\n") << QStringLiteral("DATA");
        QTest::newRow("9 message and dot line")
            << 9 << Input(METHOD::None) << QByteArray("MIME-Version: 1.0 \r\n\r\nQUJD\r\n.\r\n")
            << QStringLiteral("MIME-Version: 1.0 \r\n\r\nQUJD\r\n.");
        QTest::newRow("10 QUIT") << 10 << Input(METHOD::CramMd5) << QByteArray("QUIT\r\n") << QStringLiteral("QUIT");
        QTest::newRow("11 unknown") << 11 << Input(METHOD::Login) << QByteArray() << QString();
        QTest::newRow("-1 unknown") << -1 << Input(METHOD::Login) << QByteArray() << QString();
    }

    void commandPerStateAndMethod()
    {
        QFETCH(int, state);
        QFETCH(CSMTPClient::CommandInput, input);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, trace);
        const CSMTPClient::Command command = CSMTPClient::f_BuildCommand(STATES::Enum(state), input);
        QCOMPARE(command.bytes, bytes);
        QCOMPARE(command.trace, trace);
    }

    void cramMd5Answer_data()
    {
        QTest::addColumn<QByteArray>("challenge");
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray rfc = "PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+";
        const QByteArray short5 = QByteArray("<x@y>").toBase64();
        QTest::newRow("RFC 2195") << rfc << QByteArray("tim") << QByteArray("tanstaaftanstaaf")
                                  << QByteArray("dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
        QTest::newRow("user/secret") << QByteArray("PDE5NzIuOTg3NjU0MzIxQGN1cmw+") << QByteArray("user")
                                     << QByteArray("secret")
                                     << QByteArray("dXNlciA3MDMxNzI1NTk5ZmRiYjVkNDEyNjg5YWEzMjNlM2UwYg==");
        QTest::newRow("65-byte key is hashed first") << short5 << QByteArray("u") << QByteArray(65, 'k')
                                                     << QByteArray("dSBlMGZjZGQ2ODY0YzViZDc1ODk0NDVjY2U3YjljNDNmMQ==");
        QTest::newRow("64-byte key as it is") << short5 << QByteArray("u") << QByteArray(64, 'k')
                                              << QByteArray("dSBiOTU0N2M0NzNhODJkODZiZTk0OWMzMTk1ZmVkZGEwZg==");
        QTest::newRow("UTF-8 user and password")
            << rfc << QStringLiteral("ユーザー").toUtf8() << QStringLiteral("pässwörd").toUtf8()
            << QByteArray("44Om44O844K244O8IGYwNjkyZDU4ZDBkZjBhOTc5NDk2ZmQ2ODFlZDllZjJi");
        QTest::newRow("challenge with its line end") << rfc + "\r\n" << QByteArray("tim")
                                                     << QByteArray("tanstaaftanstaaf")
                                                     << QByteArray("dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
    }

    void cramMd5Answer()
    {
        QFETCH(QByteArray, challenge);
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, answer);
        QCOMPARE(CSMTPClient::f_authCramMd5(challenge, user, password), answer);
    }

    void addressCheck_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("bare") << "a@example.org" << true;
        QTest::newRow("bracketed") << "<a@example.org>" << true;
        QTest::newRow("display name") << "Anna <a@example.org>" << true;
        QTest::newRow("no @") << "a.example.org" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("only <") << "<a@example.org" << false;
        QTest::newRow("only >") << "a@example.org>" << false;
        QTest::newRow("brackets in the wrong order") << ">a@example.org<" << false;
        QTest::newRow("blanks after the brackets") << "Anna <a@example.org> \t " << true;
        QTest::newRow("ESMTP parameters after a recipient") << "<a@example.org> NOTIFY=SUCCESS ORCPT=rfc822;x@y.org"
                                                            << false;
        QTest::newRow("ESMTP parameters after a sender") << "Ops <from@example.org> RET=FULL" << false;
        QTest::newRow("a second address") << "<a@example.org> <b@example.org>" << false;
        QTest::newRow("doubled brackets") << "<<a@example.org>>" << false;
        QTest::newRow("< and > inside a quoted name") << "\"Ops <x> desk\" <a@example.org>" << true;
        QTest::newRow("CR LF and a command") << "a@example.org>\r\nRCPT TO:<b@example.org" << false;
        QTest::newRow("LF") << "a@example.org\n" << false;
        QTest::newRow("CR") << "a@exa\rmple.org" << false;
        QTest::newRow("NUL") << QString("a@example.org") + QChar(0) << false;
    }

    void addressCheck()
    {
        QFETCH(QString, address);
        QFETCH(bool, accepted);
        QCOMPARE(CSMTPClient::f_CheckMailAddress(address), accepted);
    }

    void addressConversion_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("envelope");
        QTest::newRow("bare") << "a@example.org" << "a@example.org" << "<a@example.org>";
        QTest::newRow("bracketed") << "<a@example.org>" << "a@example.org" << "<a@example.org>";
        QTest::newRow("display name") << "Anna <a@example.org>" << "Anna <a@example.org>" << "<a@example.org>";
        QTest::newRow("blanks around") << "  Rui  Ramos  < a@example.org >  " << "Rui Ramos <a@example.org>"
                                       << "<a@example.org>";
        QTest::newRow("a comma is quoted") << "Smith, John <a@example.org>" << "\"Smith, John\" <a@example.org>"
                                           << "<a@example.org>";
        QTest::newRow("a dot is quoted") << "J. Smith <a@example.org>" << "\"J. Smith\" <a@example.org>"
                                         << "<a@example.org>";
        QTest::newRow("quote and backslash escaped") << "Ops \"Night\" \\ Desk <a@example.org>"
                                                     << "\"Ops \\\"Night\\\" \\\\ Desk\" <a@example.org>"
                                                     << "<a@example.org>";
        QTest::newRow("already quoted") << "\"Smith, John\" <a@example.org>" << "\"Smith, John\" <a@example.org>"
                                        << "<a@example.org>";
        QTest::newRow("what reads as an encoded word is quoted") << "=?utf-8?B?SGk=?= <a@example.org>"
                                                                 << "\"=?utf-8?B?SGk=?=\" <a@example.org>"
                                                                 << "<a@example.org>";
        QTest::newRow("not ASCII: an encoded word") << QStringLiteral("Jörg Müller <a@example.org>")
                                                    << "=?utf-8?B?SsO2cmcgTcO8bGxlcg==?= <a@example.org>"
                                                    << "<a@example.org>";
        QTest::newRow("quoted and not ASCII") << QStringLiteral("\"Müller, Jörg\" <a@example.org>")
                                              << "=?utf-8?B?TcO8bGxlciwgSsO2cmc=?= <a@example.org>"
                                              << "<a@example.org>";
        QTest::newRow("empty quoted name") << "\"\" <a@example.org>" << "a@example.org" << "<a@example.org>";
    }

    void addressConversion()
    {
        QFETCH(QString, address);
        QFETCH(QString, header);
        QFETCH(QString, envelope);
        QCOMPARE(CSMTPClient::f_ConvertMailAddress(address, false), header);
        QCOMPARE(CSMTPClient::f_ConvertMailAddress(address, true), envelope);
    }

    void replyAssembly_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<QStringList>("replies"); // lines of one reply joined by "|"
        QTest::addColumn<int>("lastStatus");
        QTest::addColumn<QStringList>("rest");

        const int complete = CSmtpReplyReader::Complete;
        const int incomplete = CSmtpReplyReader::Incomplete;
        const int overflow = CSmtpReplyReader::Overflow;
        QTest::newRow("one line") << QByteArrayList{"220 ready\r\n"} << QStringList{"220 ready"} << complete
                                  << QStringList();
        QTest::newRow("split mid-line") << QByteArrayList{"220 rea", "dy\r\n"} << QStringList{"220 ready"}
                                        << complete << QStringList();
        QTest::newRow("split between CR and LF") << QByteArrayList{"220 ready\r", "\n"}
                                                 << QStringList{"220 ready"} << complete << QStringList();
        QTest::newRow("no line end yet") << QByteArrayList{"220 ready"} << QStringList() << incomplete
                                         << QStringList{"220 ready"};
        QTest::newRow("220- greeting") << QByteArrayList{"220-first\r\n220-second\r\n", "220 last\r\n"}
                                       << QStringList{"220-first|220-second|220 last"} << complete
                                       << QStringList();
        QTest::newRow("EHLO one line per read")
            << QByteArrayList{"250-localhost\r\n", "250-AUTH PLAIN\r\n", "250 HELP\r\n"}
            << QStringList{"250-localhost|250-AUTH PLAIN|250 HELP"} << complete << QStringList();
        QTest::newRow("bare code") << QByteArrayList{"250\r\n"} << QStringList{"250"} << complete << QStringList();
        QTest::newRow("garbage ends a reply") << QByteArrayList{"250-x\r\nhello\r\n"}
                                              << QStringList{"250-x|hello"} << complete << QStringList();
        QTest::newRow("text after a NUL is left out") << QByteArrayList{QByteArray("250 ok\0junk\r\n", 13)}
                                                      << QStringList{"250 ok"} << complete << QStringList();
        QTest::newRow("LF alone ends a line") << QByteArrayList{"250 ok\n"} << QStringList{"250 ok"} << complete
                                              << QStringList();
        QTest::newRow("two replies in one read") << QByteArrayList{"250 one\r\n250 two\r\n25"}
                                                 << QStringList{"250 one"} << complete
                                                 << QStringList{"250 two", "25"};
        QTest::newRow("a 70 KiB line after a reply is held as one line")
            << QByteArrayList{"250 one\r\n" + QByteArray(70 * 1024, 'x') + "\r\n250 two\r\n"}
            << QStringList{"250 one"} << complete << QStringList{QString(70 * 1024, 'x'), "250 two"};
        QTest::newRow("64 KiB unfinished line") << QByteArrayList{QByteArray(64 * 1024, 'x')} << QStringList()
                                                << incomplete << QStringList{QString(64 * 1024, 'x')};
        QTest::newRow("one byte over 64 KiB") << QByteArrayList{QByteArray(64 * 1024, 'x'), "y"}
                                              << QStringList() << overflow << QStringList();
        QByteArrayList continuing;
        for (int i = 0; i < 6600; ++i)
            continuing << "250-continued\r\n"; // 15 bytes each, 99000 in all
        QTest::newRow("continuation lines past 64 KiB") << continuing << QStringList() << overflow << QStringList();
        // The cap does not depend on how the bytes arrive.
        QTest::newRow("continuation lines past 64 KiB in one read")
            << QByteArrayList{continuing.join() + "250 end\r\n"} << QStringList() << overflow << QStringList();
        QTest::newRow("70 KiB line in one read")
            << QByteArrayList{"250 " + QByteArray(70 * 1024, 'x') + "\r\n"} << QStringList() << overflow << QStringList();
        QTest::newRow("64 KiB reply in one read")
            << QByteArrayList{"250 " + QByteArray(64 * 1024 - 6, 'x') + "\r\n"}
            << QStringList{"250 " + QString(64 * 1024 - 6, 'x')} << complete << QStringList();
        QTest::newRow("one byte over 64 KiB in one read")
            << QByteArrayList{"250 " + QByteArray(64 * 1024 - 5, 'x') + "\r\n"} << QStringList() << overflow
            << QStringList();
    }

    void replyAssembly()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(QStringList, replies);
        QFETCH(int, lastStatus);
        QFETCH(QStringList, rest);

        CSmtpReplyReader reader;
        QStringList taken;
        int status = CSmtpReplyReader::Incomplete;
        for (const QByteArray& chunk : chunks) {
            reader.Append(chunk);
            QStringList reply;
            status = reader.TakeReply(&reply);
            if (status == CSmtpReplyReader::Complete)
                taken << reply.join(QLatin1Char('|'));
            if (status == CSmtpReplyReader::Overflow)
                break;
        }
        QCOMPARE(taken, replies);
        QCOMPARE(status, lastStatus);
        const QStringList left = reader.TakeRest();
        if (status != CSmtpReplyReader::Overflow)
            QCOMPARE(left, rest);
        QCOMPARE(reader.TakeRest(), QStringList());
    }

    void manyRepliesInOddPieces()
    {
        // Replies of one to three lines cut at every possible kind of place:
        // each comes out whole and in order, however the buffer moves its bytes.
        QByteArray stream;
        QStringList expected;
        for (int i = 0; i < 2000; ++i) {
            QStringList lines;
            for (int c = 0; c < i % 3; ++c)
                lines << QStringLiteral("250-line %1.%2").arg(i).arg(c);
            lines << QStringLiteral("250 end %1").arg(i);
            for (const QString& line : lines)
                stream += line.toLatin1() + "\r\n";
            expected << lines.join(QLatin1Char('|'));
        }
        CSmtpReplyReader reader;
        QStringList taken;
        int at = 0;
        for (int piece = 1; at < stream.size(); piece = piece % 37 + 1) {
            reader.Append(stream.mid(at, piece));
            at += piece;
            QStringList reply;
            while (reader.TakeReply(&reply) == CSmtpReplyReader::Complete)
                taken << reply.join(QLatin1Char('|'));
        }
        QCOMPARE(taken.size(), expected.size());
        QCOMPARE(taken, expected);
        QCOMPARE(reader.TakeRest(), QStringList());
    }

    void authScan_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("method");
        QTest::newRow("CRAM-MD5 first") << QStringList{"250-localhost", "250-AUTH PLAIN LOGIN CRAM-MD5", "250 HELP"}
                                        << int(METHOD::CramMd5);
        QTest::newRow("PLAIN before LOGIN") << QStringList{"250-localhost", "250-AUTH LOGIN PLAIN", "250 HELP"}
                                            << int(METHOD::Plain);
        QTest::newRow("LOGIN alone") << QStringList{"250-AUTH LOGIN", "250 HELP"} << int(METHOD::Login);
        QTest::newRow("AUTH as the last line") << QStringList{"250-localhost", "250 AUTH PLAIN LOGIN"}
                                               << int(METHOD::Plain);
        QTest::newRow("AUTH= form") << QStringList{"250-localhost", "250-AUTH=LOGIN", "250 HELP"}
                                    << int(METHOD::Login);
        QTest::newRow("lower case") << QStringList{"250-auth cram-md5", "250 HELP"} << int(METHOD::CramMd5);
        QTest::newRow("tabs and blanks") << QStringList{"250-AUTH\tGSSAPI   LOGIN", "250 HELP"}
                                         << int(METHOD::Login);
        QTest::newRow("PLAINX is not PLAIN") << QStringList{"250-AUTH PLAINX", "250 HELP"} << int(METHOD::None);
        QTest::newRow("none supported") << QStringList{"250-AUTH GSSAPI NTLM", "250 HELP"} << int(METHOD::None);
        QTest::newRow("AUTH with no mechanism") << QStringList{"250-AUTH", "250 HELP"} << int(METHOD::None);
        QTest::newRow("first AUTH line decides")
            << QStringList{"250-AUTH LOGIN", "250-AUTH CRAM-MD5", "250 HELP"} << int(METHOD::Login);
        QTest::newRow("no AUTH line") << QStringList{"250-localhost", "250-8BITMIME", "250 HELP"} << -1;
        QTest::newRow("AUTHX is no AUTH line") << QStringList{"250-AUTHX PLAIN", "250 HELP"} << -1;
        QTest::newRow("AUTH in another reply code") << QStringList{"220-AUTH PLAIN", "250 HELP"} << -1;
    }

    void authScan()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, method);
        QCOMPARE(CSMTPClient::f_AuthMethodOffered(lines), method);
    }

    void dateText_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("text");
        QTest::newRow("+0900") << At(2026, 12, 9, 17, 5, 3, 9 * 3600) << "09 Dec 2026 17:05:03 +0900";
        QTest::newRow("-0330") << At(2026, 1, 5, 8, 0, 9, -(3 * 3600 + 30 * 60)) << "05 Jan 2026 08:00:09 -0330";
        QTest::newRow("+0000") << At(2028, 2, 29, 0, 0, 0, 0) << "29 Feb 2028 00:00:00 +0000";
        QTest::newRow("+0545") << At(2027, 5, 31, 23, 59, 59, 5 * 3600 + 45 * 60) << "31 May 2027 23:59:59 +0545";
        QTest::newRow("UTC") << QDateTime(QDate(2027, 8, 1), QTime(12, 0), Qt::UTC) << "01 Aug 2027 12:00:00 +0000";
    }

    void dateText()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, text);
        QCOMPARE(CSMTPClient::f_DateText(now), text);
    }

    void message_data()
    {
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QDateTime>("now");

        const QDateTime now = At(2026, 12, 9, 17, 5, 3, 9 * 3600);
        const QStringList two{"r1@example.org", "", "r3@example.org"};
        QTest::newRow("all recipients empty") << QStringList{"", "", ""} << "Test" << "x"
                                              << Headers("", "VGVzdA==") + "eA==" << now;
        QTest::newRow("second empty") << two << "Test" << "x"
                                      << Headers("r1@example.org, r3@example.org", "VGVzdA==") + "eA==" << now;
        QTest::newRow("bracketed and display name")
            << QStringList{"<r1@example.org>", "Rui Ramos <r2@example.org>", ""} << "Test" << "x"
            << Headers("r1@example.org, Rui Ramos <r2@example.org>", "VGVzdA==") + "eA==" << now;
        QTest::newRow("empty subject") << two << "" << "x"
                                       << Headers("r1@example.org, r3@example.org", "") + "eA==" << now;
        QTest::newRow("Japanese subject") << two << QStringLiteral("日本語") << "x"
                                          << Headers("r1@example.org, r3@example.org", "5pel5pys6Kqe") + "eA==" << now;
        QTest::newRow("empty body, no line end") << two << "Test" << ""
                                                 << Headers("r1@example.org, r3@example.org", "VGVzdA==") << now;
        QTest::newRow("54-byte body: one full line")
            << two << "Test" << Body54
            << Headers("r1@example.org, r3@example.org", "VGVzdA==") + Body54Base64 + "\r\n" << now;
        QTest::newRow("55-byte body: a second line of 4")
            << two << "Test" << QString(Body54) + "e"
            << Headers("r1@example.org, r3@example.org", "VGVzdA==")
                   + "MDEyMzQ1Njc4OTAxMjM0NTY3ODkwMTIzNDU2Nzg5MDEyMzQ1Njc4OTAxMjM0NTY3ODlhYmNk\r\nZQ==" << now;
        QTest::newRow("body of several lines")
            << two << "Test" << QStringLiteral("Line one\nLine two\nÄrger\n")
            << Headers("r1@example.org, r3@example.org", "VGVzdA==") + "TGluZSBvbmUKTGluZSB0d28Kw4RyZ2VyCg==" << now;
        QTest::newRow("offset -0330") << two << "Test" << "x"
                               << Headers("r1@example.org, r3@example.org", "VGVzdA==", "05 Jan 2026 08:00:09 -0330")
                                      + "eA=="
                               << At(2026, 1, 5, 8, 0, 9, -(3 * 3600 + 30 * 60));
        QTest::newRow("offset +0000") << two << "Test" << "x"
                               << Headers("r1@example.org, r3@example.org", "VGVzdA==", "29 Feb 2028 00:00:00 +0000")
                                      + "eA=="
                               << At(2028, 2, 29, 0, 0, 0, 0);
    }

    void message()
    {
        QFETCH(QStringList, recipients);
        QFETCH(QString, subject);
        QFETCH(QString, body);
        QFETCH(QString, message);
        QFETCH(QDateTime, now);

        CSystemClock::SetNowFunction([now] { return now; });
        CSMTPClient client;
        client.SendMail(Settings(recipients), subject, body);
        QCOMPARE(WithSameMessageId(client.GetMessage()), message);
    }

    void headerNamesAndAddresses_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QString>("lines"); // From and To as composed
        QTest::newRow("display names") << QStringLiteral("Lumivox 5 <from@example.org>")
                                       << QStringList{QStringLiteral("Smith, John <r1@example.org>"),
                                                      QStringLiteral("Jörg Müller <r2@example.org>")}
                                       << "From: Lumivox 5 <from@example.org>\r\n"
                                          "To: \"Smith, John\" <r1@example.org>, =?utf-8?B?SsO2cmcgTcO8bGxlcg==?=\r\n"
                                          " <r2@example.org>\r\n";
        QTest::newRow("three short addresses on one line")
            << QStringLiteral("from@example.org") << QStringList{"a@example.org", "b@example.org", "c@example.org"}
            << "From: from@example.org\r\nTo: a@example.org, b@example.org, c@example.org\r\n";
    }

    void headerNamesAndAddresses()
    {
        QFETCH(QString, sender);
        QFETCH(QStringList, recipients);
        QFETCH(QString, lines);
        const QString text = CSMTPClient::f_ComposeMessage(sender, recipients, QStringLiteral("s"), QString(),
                                                           At(2026, 1, 1, 0, 0, 0, 0), SameMessageId);
        QVERIFY2(text.contains(QStringLiteral("MIME-Version: 1.0 \r\n") + lines + QStringLiteral("Date: ")),
                 qPrintable(text));
    }

    // However long the subject, it is encoded words of whole characters, at
    // most 75 characters each, on header lines of at most 78 octets, and
    // reads back whole.
    void longSubjectIsFolded_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<int>("words");
        QTest::newRow("42 bytes: one word") << QString(42, QLatin1Char('a')) << 1;
        QTest::newRow("43 bytes: two words") << QString(43, QLatin1Char('a')) << 2;
        QTest::newRow("1000 ASCII characters") << QString(1000, QLatin1Char('x')) << 24;
        QTest::newRow("1000 characters of three bytes") << QString(1000, QChar(0x65E5)) << 72;
        QString mixed;
        for (int i = 0; i < 250; ++i)
            mixed += QStringLiteral("a\u00e9\u65e5") + QString::fromUcs4(U"\U0001F600");
        QTest::newRow("1000 characters of 1 to 4 bytes") << mixed << 63;
    }

    void longSubjectIsFolded()
    {
        QFETCH(QString, subject);
        QFETCH(int, words);
        const QString text = CSMTPClient::f_ComposeMessage(QStringLiteral("from@example.org"), {}, subject,
                                                           QString(), At(2026, 1, 1, 0, 0, 0, 0), SameMessageId);
        const QString header = text.left(text.indexOf(QStringLiteral("\r\n\r\n")));
        for (const QString& line : header.split(QStringLiteral("\r\n")))
            QVERIFY2(line.toUtf8().size() <= 78, qPrintable(line));
        const int start = header.indexOf(QStringLiteral("\r\nSubject: ")) + 2;
        const int end = header.indexOf(QStringLiteral("\r\nContent-Type: "));
        QStringList lines = header.mid(start, end - start).split(QStringLiteral("\r\n"));
        QVERIFY(lines.first().startsWith(QStringLiteral("Subject: =?")));
        lines.first().remove(0, 8);
        QByteArray decoded;
        static const QRegularExpression word(QStringLiteral("^ =\\?utf-8\\?B\\?([A-Za-z0-9+/=]*)\\?=$"));
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = word.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            QVERIFY(line.size() - 1 <= 75);
            const QByteArray bytes = QByteArray::fromBase64(match.captured(1).toLatin1());
            // Each word holds whole characters.
            QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);
            QVERIFY(!QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter));
            decoded += bytes;
        }
        QCOMPARE(lines.size(), words);
        QCOMPARE(QString::fromUtf8(decoded), subject);
    }

    void messageIdPerMail_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("domain"); // empty: the local host name's
        QTest::newRow("bare sender") << "from@example.org" << "example.org";
        QTest::newRow("display name") << "Lumivox <ops@Mail.Example.ORG>" << "Mail.Example.ORG";
        QTest::newRow("address literal") << "ops@[192.0.2.7]" << "[192.0.2.7]";
        QTest::newRow("no usable domain") << "ops@exa_mple.org" << "";
        QTest::newRow("not ASCII") << QStringLiteral("ops@bücher.example") << "";
    }

    void messageIdPerMail()
    {
        QFETCH(QString, sender);
        QFETCH(QString, domain);
        if (domain.isEmpty())
            domain = QHostInfo::localHostName();
        const QDateTime now = At(2026, 1, 1, 0, 0, 0, 0);
        const QString first = CSMTPClient::f_MessageId(sender, now);
        const QString second = CSMTPClient::f_MessageId(sender, now);
        static const QRegularExpression wellFormed(
            QStringLiteral("^<[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(?:\\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*@([^<>@\\s]+)>$"));
        for (const QString& id : {first, second}) {
            const QRegularExpressionMatch match = wellFormed.match(id);
            QVERIFY2(match.hasMatch(), qPrintable(id));
            QCOMPARE(match.captured(1), domain);
        }
        QVERIFY(first != second);

        // Every mail gets its own, in its header.
        CSystemClock::SetNowFunction([now] { return now; });
        CSMTPClient client;
        QStringList ids;
        for (int i = 0; i < 2; ++i) {
            client.Init();
            client.SendMail(Settings({"r1@example.org", "", ""}), QStringLiteral("s"), QStringLiteral("b"));
            static const QRegularExpression line(QStringLiteral("\r\nMessage-ID: (<[^>]*>)\r\n"));
            const QRegularExpressionMatch match = line.match(client.GetMessage());
            QVERIFY(match.hasMatch());
            QVERIFY(wellFormed.match(match.captured(1)).hasMatch());
            ids << match.captured(1);
        }
        QVERIFY(ids.at(0) != ids.at(1));
    }

    // The body goes out as Base64: a body line holding a lone dot (which
    // would end the mail text early) never reaches the wire as one.
    void bodyLineOfADotNeverEndsTheMail()
    {
        const QString body = QStringLiteral(".\nline\n.\n..\n.x\r\n.\r\n");
        const QString text = CSMTPClient::f_ComposeMessage(QStringLiteral("a@example.org"), {}, QString(), body,
                                                           At(2026, 1, 1, 0, 0, 0, 0), SameMessageId);
        QVERIFY(!text.contains(QStringLiteral("\r\n.\r\n")));
        QVERIFY(!text.startsWith(QStringLiteral(".\r\n")));
        const QString encoded = text.mid(text.indexOf(QStringLiteral("\r\n\r\n")) + 4);
        QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(encoded.toLatin1())), body);
    }

    void stateQueue_data()
    {
        QTest::addColumn<int>("authority");
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QList<int>>("queue");
        const QStringList one{"r1@example.org", "", ""};
        const QStringList three{"r1@example.org", "r2@example.org", "r3@example.org"};
        QTest::newRow("authority 0") << 0 << one << QList<int>{1, 2, 6, 7, 8, 9, 10};
        QTest::newRow("authority 1: POP3 came before") << 1 << one << QList<int>{1, 2, 6, 7, 8, 9, 10};
        QTest::newRow("authority 2") << 2 << one << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("three recipients") << 2 << three << QList<int>{1, 2, 3, 4, 5, 6, 7, 7, 7, 8, 9, 10};
        QTest::newRow("no recipient") << 0 << QStringList{"", "", ""} << QList<int>{1, 2, 6, 8, 9, 10};
        QTest::newRow("second empty") << 1 << QStringList{"r1@example.org", "", "r3@example.org"}
                                      << QList<int>{1, 2, 6, 7, 7, 8, 9, 10};
    }

    void stateQueue()
    {
        QFETCH(int, authority);
        QFETCH(QStringList, recipients);
        QFETCH(QList<int>, queue);

        CSMTPClient client;
        QSignalSpy ends(&client, &CSMTPClient::EndSignal);
        client.SendMail(Settings(recipients, authority), QStringLiteral("s"), QStringLiteral("b"));
        QCOMPARE(Ints(client.GetStateQueue()), queue);
        QVERIFY(client.GetSocket());
        QCOMPARE(ends.count(), 0);
    }

    void sendGoesThroughTheStates()
    {
        // Authority 2 before any EHLO reply: no method chosen, so the
        // authentication states have no command. A silent listener takes
        // what is written.
        QTcpServer listener;
        QVERIFY2(listener.listen(UnusedServer, CSMTPClient::SmtpPort), qPrintable(listener.errorString()));
        CSMTPClient client;
        client.SendMail(Settings({"r1@example.org", "", "r3@example.org"}, 2), QStringLiteral("s"),
                        QStringLiteral("b"));
        QVERIFY(listener.waitForNewConnection(5000));
        QTcpSocket* server = listener.nextPendingConnection();
        QTRY_COMPARE(int(client.GetCurrentState()), int(STATES::Connected));

        const QList<QPair<int, QByteArray>> steps{
            {2, "EHLO " + UnusedServer.toString().toLatin1() + "\r\n"},
            {3, ""},
            {4, ""},
            {5, ""},
            {6, "MAIL FROM: <from@example.org>\r\n"},
            {7, "RCPT TO:<r1@example.org>\r\n"},
            {7, "RCPT TO:<r3@example.org>\r\n"},
            {7, ""},
            {8, "DATA\r\n"},
            {9, client.GetMessage().toUtf8() + "\r\n.\r\n"},
            {10, "QUIT\r\n"},
            {1, ""},
            {0, ""},
            {11, ""}};
        QByteArray expected;
        for (const auto& step : steps) {
            QCOMPARE(client.f_Send(STATES::Enum(step.first)), !step.second.isEmpty());
            QCOMPARE(int(client.GetCurrentState()), step.first);
            expected += step.second;
        }
        QByteArray received;
        QTRY_VERIFY((received += server->readAll()).size() >= expected.size());
        QTest::qWait(50);
        received += server->readAll();
        QCOMPARE(received, expected);
    }

    void invalidAddressesEndAtOnce_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QStringList>("recipients");
        QTest::newRow("sender without @") << "from.example.org" << QStringList{"r1@example.org", "", ""};
        QTest::newRow("sender with a line break") << "from@example.org\r\nDATA"
                                                  << QStringList{"r1@example.org", "", ""};
        QTest::newRow("recipient with only <") << "from@example.org"
                                               << QStringList{"r1@example.org", "", "<r3@example.org"};
    }

    void invalidAddressesEndAtOnce()
    {
        QFETCH(QString, sender);
        QFETCH(QStringList, recipients);

        CSMTPClient client;
        QSignalSpy ends(&client, &CSMTPClient::EndSignal);
        CMailSettings settings = Settings(recipients);
        settings.m_Sender = sender;
        client.SendMail(settings, QStringLiteral("s"), QStringLiteral("b"));
        QCOMPARE(ends.count(), 1);
        QCOMPARE(ends.at(0).at(0).value<RESULT::Enum>(), RESULT::InvalidSetting);
        QCOMPARE(client.GetResult(), RESULT::InvalidSetting);
        QVERIFY(!client.GetSocket());
        QVERIFY(client.GetStateQueue().isEmpty());
        QTest::qWait(50);
        QCOMPARE(ends.count(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_CSMTPClientProtocol)
#include "tst_CSMTPClientProtocol.moc"
