#include "CSMTPSend.h"

#include <QDebug>

#include "CEventContainer.h"
#include "CPop3Client.h"
#include "CSMTPClient.h"
#include "CSMTPEvent.h"
#include "ExceptionTrace.h"

namespace {

bool HasLineBreakOrNul(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0));
}

} // namespace

CSMTPSend::CSMTPSend(QObject* parent)
    : CLumivox5Thread(parent),
      m_pSMTPClient(nullptr),
      m_pPop3Client(nullptr),
      m_Subject(QLatin1String("")),
      m_Body(QLatin1String("")),
      m_bTestMail(false),
      m_nBusy(0)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");
    m_pPop3Client = new CPop3Client();
    m_pSMTPClient = new CSMTPClient();
    connect(m_pPop3Client, &CPop3Client::EndSignal, this, &CSMTPSend::f_OnPop3ProcessEnd);
    connect(m_pSMTPClient, &CSMTPClient::EndSignal, this, &CSMTPSend::f_OnSmtpProcessEnd);
    connect(this, &CSMTPSend::CheckCommand, this, &CSMTPSend::f_OnCheckCommand, Qt::QueuedConnection);
    f_CreateEventList();
}

CSMTPSend::~CSMTPSend()
{
    // Waiting requests are dropped without a report, and so is a running one.
    while (!m_Requests.isEmpty()) {
        CEventContainer* box = m_Requests.takeFirst();
        delete box->GetEvent();
        delete box;
    }
    m_pPop3Client->disconnect(this);
    m_pSMTPClient->disconnect(this);
    delete m_pPop3Client;
    m_pPop3Client = nullptr;
    delete m_pSMTPClient;
    m_pSMTPClient = nullptr;
}

void CSMTPSend::f_CreateEventList()
{
    f_AddEvent(CSMTPSendEventSMTPSend::KEY, static_cast<EventFunction>(&CSMTPSend::SMTPSendProc));
}

void CSMTPSend::SMTPSend(CMailSettings settings, QString subject, QString body, bool isTestMail)
{
    RunTraced([&] {
        auto* event = new CSMTPSendEventSMTPSend(settings, subject, body, isTestMail);
        m_Requests.append(new CEventContainer(event));
    });
    emit CheckCommand();
}

QList<const CSMTPSendEventSMTPSend*> CSMTPSend::GetPendingRequests() const
{
    QList<const CSMTPSendEventSMTPSend*> pending;
    for (const CEventContainer* box : m_Requests)
        pending << static_cast<const CSMTPSendEventSMTPSend*>(box->GetEvent());
    return pending;
}

bool CSMTPSend::IsSendable(const CMailSettings& s)
{
    if (s.m_Recipients.isEmpty() || s.m_SMTPServer.length() == 0)
        return false;
    // Anything sent verbatim must not be able to start a command or header line of its own.
    QStringList sent = s.m_Recipients;
    sent << s.m_Sender << s.m_SMTPServer;
    if (s.m_Authority == 1)
        sent << s.m_POP3Server << s.m_User << s.m_Pass;
    else if (s.m_Authority == 2)
        sent << s.m_User << s.m_Pass;
    for (const QString& text : sent) {
        if (HasLineBreakOrNul(text))
            return false;
    }
    return true;
}

void CSMTPSend::f_OnCheckCommand()
{
    if (m_Requests.isEmpty() || m_nBusy == 1)
        return;
    CEventContainer* box = m_Requests.takeFirst();
    CEventBase* event = box->GetEvent();
    SMTPSendProc(event);
    delete event;
    delete box;
}

void CSMTPSend::SMTPSendProc(CEventBase* event)
{
    m_nBusy = 1;
    const bool started = RunTraced(false, [&] {
        const auto* request = dynamic_cast<const CSMTPSendEventSMTPSend*>(event);
        if (!request)
            return false;
        m_MailSettings = request->m_MailSettings;
        m_Subject = request->m_Subject;
        m_Body = request->m_Body;
        m_bTestMail = request->m_bTestMail;
        if (!IsSendable(m_MailSettings)) {
            f_Report(CMailSettings::SMTP_RESULT::InvalidSetting);
            return true;
        }
        if (m_MailSettings.m_Authority == 1) {
            m_pPop3Client->Init();
            m_pPop3Client->StartAuth(m_MailSettings.m_POP3Server, m_MailSettings.m_User, m_MailSettings.m_Pass);
        } else {
            f_StartSmtp();
        }
        return true;
    });
    if (!started && m_nBusy == 1)
        f_Report(CMailSettings::SMTP_RESULT::Failed);
}

void CSMTPSend::f_StartSmtp()
{
    m_pSMTPClient->Init();
    m_pSMTPClient->SendMail(m_MailSettings, m_Subject, m_Body);
}

void CSMTPSend::f_OnPop3ProcessEnd(CMailSettings::SMTP_RESULT::Enum ret)
{
    if (m_nBusy == 0)
        return;
    if (ret != CMailSettings::SMTP_RESULT::Pop3OK) {
        f_Report(ret);
        return;
    }
    const bool started = RunTraced(false, [&] {
        f_StartSmtp();
        return true;
    });
    if (!started && m_nBusy == 1)
        f_Report(CMailSettings::SMTP_RESULT::Failed);
    else
        emit CheckCommand();
}

void CSMTPSend::f_OnSmtpProcessEnd(CMailSettings::SMTP_RESULT::Enum ret)
{
    if (m_nBusy == 0)
        return;
    f_Report(ret);
}

void CSMTPSend::f_Report(CMailSettings::SMTP_RESULT::Enum result)
{
    // Reported while still busy: a receiver that runs an event loop of its
    // own here (a message box) starts no other request meanwhile, so no
    // client frees a socket whose signal is still running.
    emit CompletedMailSignal(result, m_bTestMail);
    m_nBusy = 0;
    emit CheckCommand();
}
