#ifndef MAILTESTRIG_H
#define MAILTESTRIG_H

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <QList>
#include <QSignalSpy>
#include <QTest>

#include "CMailSettings.h"
#include "CSMTPClient.h"
#include "MailTestAddresses.h"

// Mail settings for the tests: every server a test talks to is at an address
// of this process's own block (MailTestAddress).

inline CMailSettings MailTestSettings(const QHostAddress& server, int authority,
                                      const QStringList& recipients, bool overSsl = false)
{
    CMailSettings settings;
    settings.m_SMTPServer = server.toString();
    settings.m_Sender = QStringLiteral("from@example.org");
    settings.m_Recipients = recipients;
    settings.m_User = QStringLiteral("user");
    settings.m_Pass = QStringLiteral("secret");
    settings.m_Authority = authority;
    settings.m_SMTPOverSSL = overSsl;
    return settings;
}

// One mail through a new client: the outcomes it reported, waiting for the
// first and then a little longer for a second one that must not come.
inline QList<int> SendOneMail(const CMailSettings& settings, const QString& subject, const QString& body,
                              int sessionTimeOutMs = 0)
{
    CSMTPClient client;
    if (sessionTimeOutMs > 0)
        client.SetTimeOut(sessionTimeOutMs);
    QSignalSpy ends(&client, &CSMTPClient::EndSignal);
    client.Init();
    client.SendMail(settings, subject, body);
    ends.wait(20000);
    QTest::qWait(100);
    QList<int> codes;
    for (const QList<QVariant>& args : ends)
        codes << int(args.at(0).value<CMailSettings::SMTP_RESULT::Enum>());
    return codes;
}

#endif // MAILTESTRIG_H
