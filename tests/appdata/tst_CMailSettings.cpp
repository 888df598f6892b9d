#include <QtTest>

#include "CKeyEchoTranslator.h"
#include "CLanguageCodeTable.h"
#include "CMailSettings.h"

Q_DECLARE_METATYPE(QList<QString>)

class tst_CMailSettings : public QObject
{
    Q_OBJECT
private slots:
    void defaultHasThreeEmptyRecipientsAndInitialValues()
    {
        const CMailSettings mail;
        QCOMPARE(mail.m_Recipients, (QList<QString>() << QString() << QString() << QString()));
        QCOMPARE(mail.m_Enabled, false);
        QVERIFY(mail.m_Comment.isEmpty() && mail.m_SMTPServer.isEmpty() && mail.m_POP3Server.isEmpty());
        QVERIFY(mail.m_User.isEmpty() && mail.m_Pass.isEmpty() && mail.m_Sender.isEmpty());
        QCOMPARE(mail.m_Authority, 0);
        QCOMPARE(mail.m_SMTPOverSSL, false);
        QCOMPARE(CMailSettings::m_ExecStatus, 0);
    }

    void initializeEmptiesTheRecipientList()
    {
        CMailSettings mail;
        mail.m_Enabled = true;
        mail.m_Pass = QStringLiteral("secret");
        mail.m_Authority = 2;
        mail.initialize();
        QVERIFY(mail.m_Recipients.isEmpty());
        QCOMPARE(mail.m_Enabled, false);
        QVERIFY(mail.m_Pass.isEmpty());
        QCOMPARE(mail.m_Authority, 0);
    }

    void copyFromPointerTakesTheRecipientsExactly_data()
    {
        QTest::addColumn<QList<QString>>("recipients");
        QTest::newRow("none") << QList<QString>();
        QTest::newRow("one") << (QList<QString>() << "a@example.org");
        QTest::newRow("four") << (QList<QString>() << "a" << "" << "c" << "d");
    }

    void copyFromPointerTakesTheRecipientsExactly()
    {
        QFETCH(QList<QString>, recipients);
        CMailSettings source;
        source.m_Recipients = recipients;
        source.m_Enabled = true;
        source.m_Comment = QStringLiteral("comment");
        source.m_SMTPServer = QStringLiteral("smtp.example.org");
        source.m_POP3Server = QStringLiteral("pop.example.org");
        source.m_User = QStringLiteral("user");
        source.m_Pass = QStringLiteral("pass");
        source.m_Sender = QStringLiteral("from@example.org");
        source.m_Authority = 1;
        source.m_SMTPOverSSL = true;

        CMailSettings copy(&source);
        QCOMPARE(copy.m_Recipients, recipients);
        QCOMPARE(copy.m_Enabled, true);
        QCOMPARE(copy.m_Comment, source.m_Comment);
        QCOMPARE(copy.m_SMTPServer, source.m_SMTPServer);
        QCOMPARE(copy.m_POP3Server, source.m_POP3Server);
        QCOMPARE(copy.m_User, source.m_User);
        QCOMPARE(copy.m_Pass, source.m_Pass);
        QCOMPARE(copy.m_Sender, source.m_Sender);
        QCOMPARE(copy.m_Authority, 1);
        QCOMPARE(copy.m_SMTPOverSSL, true);

        // The copy is its own: changing it leaves the source alone.
        copy.m_Recipients.append(QStringLiteral("extra"));
        copy.m_Pass = QStringLiteral("other");
        QCOMPARE(source.m_Recipients, recipients);
        QCOMPARE(source.m_Pass, QStringLiteral("pass"));
    }

    void copyFromNullIsInitialized()
    {
        CMailSettings copy(static_cast<CMailSettings*>(nullptr));
        QVERIFY(copy.m_Recipients.isEmpty());
        QCOMPARE(copy.m_Authority, 0);
    }

    void outcomeMessageKeys_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("key");
        QTest::newRow("0 completed") << 0 << "SMTPMsgCompleted";
        QTest::newRow("1 executing") << 1 << "SMTPMsgError";
        QTest::newRow("2 invalid setting") << 2 << "SMTPMsgInvalidSetting";
        QTest::newRow("3 failed") << 3 << "SMTPMsgFailed";
        QTest::newRow("4 connect") << 4 << "SMTPMsgFailedConnect";
        QTest::newRow("5 smtp auth") << 5 << "SMTPMsgFailedSmtpAuth";
        QTest::newRow("6 unsupported auth") << 6 << "SMTPMsgFailedNotSupportAuth";
        QTest::newRow("7 time out") << 7 << "SMTPMsgFailedTimeOut";
        QTest::newRow("8 recipient") << 8 << "SMTPMsgFaildRecipient";
        QTest::newRow("9 pop3 ok") << 9 << "SMTPMsgError";
        QTest::newRow("10 pop3 ng") << 10 << "SMTPMsgPop3NG";
        QTest::newRow("11") << 11 << "SMTPMsgPop3NotFound";
        QTest::newRow("12") << 12 << "SMTPMsgPop3NotConnect";
        QTest::newRow("13") << 13 << "SMTPMsgPop3NotUserName";
        QTest::newRow("14") << 14 << "SMTPMsgPop3NotPassword";
        QTest::newRow("15") << 15 << "SMTPMsgPop3NotLogin";
        QTest::newRow("16") << 16 << "SMTPMsgPop3NotWrite";
        QTest::newRow("17") << 17 << "SMTPMsgPop3NotRead";
        QTest::newRow("18") << 18 << "SMTPMsgPop3NotQuit";
        QTest::newRow("19") << 19 << "SMTPMsgPop3NotSocket";
        QTest::newRow("20") << 20 << "SMTPMsgPop3NotResponse";
        QTest::newRow("21 past the end") << 21 << "SMTPMsgError";
        QTest::newRow("-1 below") << -1 << "SMTPMsgError";
        QTest::newRow("huge") << 0x7fffffff << "SMTPMsgError";
    }

    void outcomeMessageKeys()
    {
        QFETCH(int, result);
        QFETCH(QString, key);
        const auto value = static_cast<CMailSettings::SMTP_RESULT::Enum>(result);

        // Without a catalogue the key comes back as it is.
        QCOMPARE(CMailSettings::MailCompletedMsg(value), key);

        // With one, it is looked up in the context "CMailSettings".
        CKeyEchoTranslator catalogue(QStringLiteral("T"));
        QCoreApplication::installTranslator(&catalogue);
        const QString translated = CMailSettings::MailCompletedMsg(value);
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(translated, QStringLiteral("T:CMailSettings:") + key);
    }

    void englishTextsFromTheEmbeddedCatalogue_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        const QString generic = QStringLiteral("Mail Sending has been failed. (An uncertain error occurs. )");
        QTest::newRow("0") << 0 << "Mail Sending has been completed.";
        QTest::newRow("8") << 8
                           << "One addressee or more in recipient was not able to deliver the message.";
        QTest::newRow("9") << 9 << generic;
        QTest::newRow("10 has a line break") << 10 << "POP3 Server\nThe connection was refused.";
        QTest::newRow("18 keeps its trailing blank") << 18 << "POP3 Server\nIt failed in disconnect. ";
        QTest::newRow("21") << 21 << generic;
        QTest::newRow("-1") << -1 << generic;
    }

    void englishTextsFromTheEmbeddedCatalogue()
    {
        QFETCH(int, result);
        QFETCH(QString, text);
        CLanguageCodeTable language(CLanguageCodeTable::LANG_ENGLISH);
        language.SetCulture(nullptr);
        QVERIFY(language.m_pTranslator);
        QCoreApplication::installTranslator(language.m_pTranslator);
        const QString message =
            CMailSettings::MailCompletedMsg(static_cast<CMailSettings::SMTP_RESULT::Enum>(result));
        QCoreApplication::removeTranslator(language.m_pTranslator);
        QCOMPARE(message, text);
    }

    void inputCheck_data()
    {
        QTest::addColumn<QList<QString>>("recipients");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("smtp");
        QTest::addColumn<QString>("pop3");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("pass");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<int>("authority");
        QTest::addColumn<int>("mask");

        const QList<QString> one = QList<QString>() << "to@example.org";
        const QString ok1000(1000, QLatin1Char('c'));
        QTest::newRow("complete, no auth") << one << ok1000 << "smtp" << "" << "" << "" << "from" << 0 << 0;
        QTest::newRow("no recipients") << QList<QString>() << "" << "smtp" << "" << "" << "" << "from" << 0 << 0x7;
        QTest::newRow("three empty recipients")
            << (QList<QString>() << "" << "" << "") << "" << "smtp" << "" << "" << "" << "from" << 0 << 0x7;
        QTest::newRow("fourth recipient does not count")
            << (QList<QString>() << "" << "" << "" << "d") << "" << "smtp" << "" << "" << "" << "from" << 0 << 0x7;
        QTest::newRow("blank is content")
            << (QList<QString>() << "" << " ") << "" << "smtp" << "" << "" << "" << "from" << 0 << 0;
        QTest::newRow("comment 1001") << one << QString(1001, QLatin1Char('c')) << "smtp" << "" << "" << ""
                                      << "from" << 0 << 0x8;
        QTest::newRow("no smtp, no sender") << one << "" << "" << "" << "" << "" << "" << 0 << 0x110;
        QTest::newRow("pop before smtp needs all")
            << one << "" << "smtp" << "" << "" << "" << "from" << 1 << (0x20 | 0x40 | 0x80);
        QTest::newRow("smtp auth needs account only")
            << one << "" << "smtp" << "" << "" << "" << "from" << 2 << (0x40 | 0x80);
        QTest::newRow("smtp auth complete") << one << "" << "smtp" << "" << "u" << "p" << "from" << 2 << 0;
        QTest::newRow("unknown method asks nothing") << one << "" << "smtp" << "" << "" << "" << "from" << 7 << 0;
    }

    void inputCheck()
    {
        QFETCH(QList<QString>, recipients);
        CMailSettings mail;
        mail.m_Recipients = recipients;
        QFETCH(QString, comment);
        QFETCH(QString, smtp);
        QFETCH(QString, pop3);
        QFETCH(QString, user);
        QFETCH(QString, pass);
        QFETCH(QString, sender);
        QFETCH(int, authority);
        QFETCH(int, mask);
        mail.m_Comment = comment;
        mail.m_SMTPServer = smtp;
        mail.m_POP3Server = pop3;
        mail.m_User = user;
        mail.m_Pass = pass;
        mail.m_Sender = sender;
        mail.m_Authority = authority;
        QCOMPARE(CMailSettings::GetInputError(mail), mask);
    }

    void outcomePassesThroughAQueuedConnection()
    {
        // The mail sender reports outcomes across the event loop.
        qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>();
        QVariant boxed = QVariant::fromValue(CMailSettings::SMTP_RESULT::Pop3NotRead);
        QCOMPARE(boxed.value<CMailSettings::SMTP_RESULT::Enum>(), CMailSettings::SMTP_RESULT::Pop3NotRead);
        CMailSettings mail;
        mail.m_User = QStringLiteral("x");
        QCOMPARE(QVariant::fromValue(mail).value<CMailSettings>().m_User, QStringLiteral("x"));
    }
};

QTEST_GUILESS_MAIN(tst_CMailSettings)
#include "tst_CMailSettings.moc"
