#ifndef CSMTPEVENT_H
#define CSMTPEVENT_H

#include <QString>

#include "CEventBase.h"
#include "CMailSettings.h"

// Base of the mail sender's requests.
class CSMTPEvent : public CEventBase
{
public:
    ~CSMTPEvent() override;
};

// One mail to send, with copies of everything it needs.
class CSMTPSendEventSMTPSend : public CSMTPEvent
{
public:
    enum { KEY = 1 };

    CSMTPSendEventSMTPSend(const CMailSettings& settings, const QString& subject, const QString& body,
                           bool isTestMail);
    ~CSMTPSendEventSMTPSend() override;

    CMailSettings m_MailSettings;
    QString m_Subject;
    QString m_Body;
    bool m_bTestMail;
};

#endif // CSMTPEVENT_H
