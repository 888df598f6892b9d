#include "CSMTPEvent.h"

CSMTPEvent::~CSMTPEvent()
{
}

CSMTPSendEventSMTPSend::CSMTPSendEventSMTPSend(const CMailSettings& settings, const QString& subject,
                                               const QString& body, bool isTestMail)
    : m_MailSettings(settings),
      m_Subject(subject),
      m_Body(body),
      m_bTestMail(isTestMail)
{
    m_nEventKey = KEY;
}

CSMTPSendEventSMTPSend::~CSMTPSendEventSMTPSend()
{
}
