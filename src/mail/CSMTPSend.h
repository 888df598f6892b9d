#ifndef CSMTPSEND_H
#define CSMTPSEND_H

#include <QList>
#include <QObject>
#include <QString>

#include "CMailSettings.h"

// The mail sender. Send requests are queued with copies of their arguments
// and taken one at a time by a queued check; each ends with
// CompletedMailSignal. This build has no mail transport yet, so every
// request ends as failed rather than being dropped or reported as sent.
class CSMTPSend : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        CMailSettings settings;
        QString subject;
        QString body;
        bool isTestMail = false;
    };

    explicit CSMTPSend(QObject* parent = nullptr);
    ~CSMTPSend() override;

    int SMTPSend(CMailSettings settings, QString subject, QString body, bool isTestMail);

    // Requests not yet taken by the check, oldest first.
    const QList<Request>& GetPendingRequests() const { return m_Requests; }

signals:
    void CompletedMailSignal(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail);
    void CheckRequest();

private slots:
    void f_OnCheckRequest();

private:
    QList<Request> m_Requests;
};

#endif // CSMTPSEND_H
