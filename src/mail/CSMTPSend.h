#ifndef CSMTPSEND_H
#define CSMTPSEND_H

#include <QList>
#include <QString>

#include "CLumivox5Thread.h"
#include "CMailSettings.h"

class CEventBase;
class CEventContainer;
class CPop3Client;
class CSMTPClient;
class CSMTPSendEventSMTPSend;

// The one way the application sends a mail. Requests wait in a first-in
// first-out queue and run one at a time: the POP3 log-in first when the
// settings ask for "POP before SMTP", then the SMTP session. Each request
// reports exactly one outcome, with its own test flag, through
// CompletedMailSignal. The thread is never started: everything runs on the
// owner's thread, and a request starts only from the event loop, never
// inside SMTPSend.
class CSMTPSend : public CLumivox5Thread
{
    Q_OBJECT
public:
    explicit CSMTPSend(QObject* parent = nullptr);
    ~CSMTPSend() override;

    void SMTPSend(CMailSettings settings, QString subject, QString body, bool isTestMail);

    // Requests not yet started, oldest first; owned by the queue.
    QList<const CSMTPSendEventSMTPSend*> GetPendingRequests() const;
    bool IsBusy() const { return m_nBusy != 0; }
    CPop3Client* GetPop3Client() const { return m_pPop3Client; }
    CSMTPClient* GetSMTPClient() const { return m_pSMTPClient; }

    // Whether a request may be started with these settings: a recipient
    // entry, a server name, and no line break or NUL in anything the
    // request would send.
    static bool IsSendable(const CMailSettings& settings);

signals:
    void CheckCommand();
    void CompletedMailSignal(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail);

private slots:
    void f_OnPop3ProcessEnd(CMailSettings::SMTP_RESULT::Enum ret);
    void f_OnSmtpProcessEnd(CMailSettings::SMTP_RESULT::Enum ret);
    void f_OnCheckCommand();

protected:
    void f_CreateEventList() override;
    void SMTPSendProc(CEventBase* event);

private:
    void f_StartSmtp();
    void f_Report(CMailSettings::SMTP_RESULT::Enum result);

    CSMTPClient* m_pSMTPClient;
    CPop3Client* m_pPop3Client;
    CMailSettings m_MailSettings;
    QString m_Subject;
    QString m_Body;
    bool m_bTestMail;
    QList<CEventContainer*> m_Requests;
    int m_nBusy;
};

#endif // CSMTPSEND_H
