#include "CMailSettings.h"

#include <QCoreApplication>

qint32 CMailSettings::m_ExecStatus = CMailSettings::SMTP_RESULT::Completed;

CMailSettings::CMailSettings()
{
    initialize();
    m_Recipients << QString() << QString() << QString();
}

CMailSettings::CMailSettings(CMailSettings* other)
{
    initialize();
    if (other)
        *this = *other;
}

CMailSettings::~CMailSettings()
{
}

bool CMailSettings::operator==(const CMailSettings& other) const
{
    return m_Enabled == other.m_Enabled && m_Recipients == other.m_Recipients && m_Comment == other.m_Comment
        && m_SMTPServer == other.m_SMTPServer && m_POP3Server == other.m_POP3Server && m_User == other.m_User
        && m_Pass == other.m_Pass && m_Sender == other.m_Sender && m_Authority == other.m_Authority
        && m_SMTPOverSSL == other.m_SMTPOverSSL;
}

void CMailSettings::initialize()
{
    m_Enabled = false;
    m_Recipients.clear();
    m_Comment.clear();
    m_SMTPServer.clear();
    m_POP3Server.clear();
    m_User.clear();
    m_Pass.clear();
    m_Sender.clear();
    m_Authority = 0;
    m_SMTPOverSSL = false;
}

QString CMailSettings::MailCompletedMsg(CMailSettings::SMTP_RESULT::Enum result)
{
    // Indexed by the result value; 1 and 9 are states and share the generic text.
    static const char* const keys[] = {
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgCompleted"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgError"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgInvalidSetting"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFailed"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFailedConnect"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFailedSmtpAuth"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFailedNotSupportAuth"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFailedTimeOut"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgFaildRecipient"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgError"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NG"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotFound"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotConnect"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotUserName"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotPassword"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotLogin"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotWrite"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotRead"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotQuit"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotSocket"),
        QT_TRANSLATE_NOOP("CMailSettings", "SMTPMsgPop3NotResponse"),
    };
    const int value = static_cast<int>(result);
    const int count = static_cast<int>(sizeof(keys) / sizeof(keys[0]));
    const char* key = (value >= 0 && value < count) ? keys[value] : keys[SMTP_RESULT::Executing];
    return QCoreApplication::translate("CMailSettings", key);
}

int CMailSettings::GetInputError(const CMailSettings& settings)
{
    int mask = INPUT_ERROR::None;
    bool anyRecipient = false;
    for (int i = 0; i < settings.m_Recipients.size() && i < 3; ++i)
        anyRecipient = anyRecipient || !settings.m_Recipients.at(i).isEmpty();
    if (!anyRecipient)
        mask |= INPUT_ERROR::Recipients;
    if (settings.m_Comment.size() > COMMENT_MAX_LENGTH)
        mask |= INPUT_ERROR::Comment;
    if (settings.m_SMTPServer.isEmpty())
        mask |= INPUT_ERROR::SMTPServer;
    // Only a known method asks for an account, as the dialog checks no button otherwise.
    const bool popBeforeSmtp = settings.m_Authority == 1;
    const bool withAccount = popBeforeSmtp || settings.m_Authority == 2;
    if (popBeforeSmtp && settings.m_POP3Server.isEmpty())
        mask |= INPUT_ERROR::POP3Server;
    if (withAccount && settings.m_User.isEmpty())
        mask |= INPUT_ERROR::User;
    if (withAccount && settings.m_Pass.isEmpty())
        mask |= INPUT_ERROR::Pass;
    if (settings.m_Sender.isEmpty())
        mask |= INPUT_ERROR::Sender;
    return mask;
}
