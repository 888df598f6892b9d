#ifndef CMAILSETTINGS_H
#define CMAILSETTINGS_H

#include <QList>
#include <QMetaType>
#include <QString>

// The error-notification mail configuration, copied by value between the data
// hub, the settings store, the mail dialog and the mail sender.
class CMailSettings
{
public:
    // Outcome of a mail operation. Executing and Pop3OK are states, not results.
    struct SMTP_RESULT {
        enum Enum : int {
            Completed = 0,
            Executing = 1,
            InvalidSetting = 2,
            Failed = 3,
            FailedConnect = 4,
            FailedSmtpAuth = 5,
            FailedNotSupportAuth = 6,
            FailedTimeOut = 7,
            FaildRecipient = 8,
            Pop3OK = 9,
            Pop3NG = 10,
            Pop3NotFound = 11,
            Pop3NotConnect = 12,
            Pop3NotUserName = 13,
            Pop3NotPassword = 14,
            Pop3NotLogin = 15,
            Pop3NotWrite = 16,
            Pop3NotRead = 17,
            Pop3NotQuit = 18,
            Pop3NotSocket = 19,
            Pop3NotResponse = 20
        };
    };

    // Bits of the input check: which fields keep the settings from being used.
    struct INPUT_ERROR {
        enum Enum : int {
            None = 0,
            Recipients = 0x7,
            Comment = 0x8,
            SMTPServer = 0x10,
            POP3Server = 0x20,
            User = 0x40,
            Pass = 0x80,
            Sender = 0x100
        };
    };

    // Longest comment the dialog and the settings file accept.
    static const int COMMENT_MAX_LENGTH = 1000;

    CMailSettings();
    // A copy of `other`; a null pointer gives the values of initialize().
    explicit CMailSettings(CMailSettings* other);
    CMailSettings(const CMailSettings& other) = default;
    CMailSettings& operator=(const CMailSettings& other) = default;
    ~CMailSettings();

    // Every stored field equal.
    bool operator==(const CMailSettings& other) const;
    bool operator!=(const CMailSettings& other) const { return !(*this == other); }

    // Every field to its initial value, the recipient list empty.
    void initialize();

    // The translated text a mail outcome is reported with.
    static QString MailCompletedMsg(CMailSettings::SMTP_RESULT::Enum result);

    // The mail dialog's input checks on these values, without a dialog: 0 when
    // the settings can be used, else the INPUT_ERROR bits of the wrong fields.
    // Only the first three recipients count, as the dialog shows no more.
    static int GetInputError(const CMailSettings& settings);

    bool m_Enabled;
    QList<QString> m_Recipients;
    QString m_Comment;
    QString m_SMTPServer;
    QString m_POP3Server;
    QString m_User;
    QString m_Pass;
    QString m_Sender;
    qint32 m_Authority;
    bool m_SMTPOverSSL;

    // State of the test mail started from the mail dialog (an SMTP_RESULT value).
    static qint32 m_ExecStatus;
};

Q_DECLARE_METATYPE(CMailSettings)
Q_DECLARE_METATYPE(CMailSettings::SMTP_RESULT::Enum)

#endif // CMAILSETTINGS_H
