#ifndef MAILTESTRIG_H
#define MAILTESTRIG_H

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include "CMailSettings.h"

// Mail settings for the tests: every server a test talks to is on a loopback
// address of 127.0.25.0/24 (127.0.0.1 may hold the machine's own mail server);
// each test executable keeps to addresses of its own.
inline QHostAddress MailTestAddress(int last)
{
    return QHostAddress(QStringLiteral("127.0.25.%1").arg(last));
}

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

#endif // MAILTESTRIG_H
