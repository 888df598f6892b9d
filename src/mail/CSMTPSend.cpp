#include "CSMTPSend.h"

CSMTPSend::CSMTPSend(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CMailSettings::SMTP_RESULT::Enum>("CMailSettings::SMTP_RESULT::Enum");
    connect(this, &CSMTPSend::CheckRequest, this, &CSMTPSend::f_OnCheckRequest, Qt::QueuedConnection);
}

CSMTPSend::~CSMTPSend()
{
}

int CSMTPSend::SMTPSend(CMailSettings settings, QString subject, QString body, bool isTestMail)
{
    Request request;
    request.settings = settings;
    request.subject = subject;
    request.body = body;
    request.isTestMail = isTestMail;
    m_Requests.append(request);
    emit CheckRequest();
    return 0;
}

void CSMTPSend::f_OnCheckRequest()
{
    if (m_Requests.isEmpty())
        return;
    const Request request = m_Requests.takeFirst();
    emit CompletedMailSignal(CMailSettings::SMTP_RESULT::Failed, request.isTestMail);
}
