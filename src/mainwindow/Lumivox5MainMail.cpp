// Mail requests: error mails for new projector errors, the test mail of the
// mail settings dialog, and what a mail's outcome shows.
#include "Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "CMailSettings.h"
#include "CPJErrorStatusList.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"
#include "ProfileFlag.h"
#include "ProjectorAbility.h"

#include <QDialog>

namespace {

// Request 141 hands a mail to the dispatcher's mail sender.
const int COMMAND_SEND_MAIL = 141;

const QLatin1String MAIL_HOURS_SUFFIX(" [H]\n");

// The test mail's recipient lines, first to third.
const char* const TEST_MAIL_RECIPIENT_LABELS[] = {
    QT_TRANSLATE_NOOP("Lumivox5Main", "TestMailToAddress1"),
    QT_TRANSLATE_NOOP("Lumivox5Main", "TestMailToAddress2"),
    QT_TRANSLATE_NOOP("Lumivox5Main", "TestMailToAddress3"),
};

} // namespace

void Lumivox5Main::f_SendMail(CMailSettings settings, QString subject, QString body, bool isTestMail)
{
    RunTraced([&] {
        qCDebug(lcMainWindow, "call f_SendMail subject:[%s]", qUtf8Printable(subject));
        // The dispatcher copies the settings while the request is handed on.
        QList<CVariantParameter> params{CVariantParameter().FromPointer(&settings),
                                        CVariantParameter().FromString(subject), CVariantParameter().FromString(body),
                                        CVariantParameter().FromBool(isTestMail)};
        SendCommand(COMMAND_SEND_MAIL, &params, 1, 0, nullptr, false, true);
    });
}

void Lumivox5Main::f_OnSendTestMail(CMailSettings* setting)
{
    RunTraced([&] {
        if (!setting)
            return;
        const CMailSettings settings(*setting);
        QString body;
        body += tr("TestMailHeader") + QLatin1Char('\n');
        body += tr("TestMailSenderAddress") + settings.m_Sender + QLatin1Char('\n');
        body += tr("TestMailSMTPServer") + settings.m_SMTPServer + QLatin1Char('\n');
        body += tr("TestMailPOP3Server") + settings.m_POP3Server + QLatin1Char('\n');
        for (int i = 0; i < 3; ++i) {
            // A missing entry reads "-"; an entry that is there but empty stays empty.
            const QString recipient =
                i < settings.m_Recipients.size() ? settings.m_Recipients.at(i) : QStringLiteral("-");
            body += tr(TEST_MAIL_RECIPIENT_LABELS[i]) + recipient + QLatin1Char('\n');
        }
        body += tr("TestMailComment") + QLatin1Char('\n');
        body += settings.m_Comment + QLatin1Char('\n');
        f_SendMail(settings, tr("TestMailSubject"), body, true);
    });
}

void Lumivox5Main::f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail)
{
    RunTraced([&] {
        qCDebug(lcMainWindow, "Call f_OnCompletedMail()");
        // Only the outcome of the test mail the dialog is waiting for is shown.
        if (!isTestMail || CMailSettings::m_ExecStatus != CMailSettings::SMTP_RESULT::Executing)
            return;
        CMailSettings::m_ExecStatus = result;
        QDialog* dialog = m_pFormMailSettings;
        if (!dialog)
            return;
        const QString text = CMailSettings::MailCompletedMsg(result);
        dialog->setCursor(Qt::ArrowCursor);
        const QMessageBox::Icon icon =
            result == CMailSettings::SMTP_RESULT::Completed ? QMessageBox::Information : QMessageBox::Critical;
        CMessageBoxes::Show(dialog, m_Lumivox5Data, icon, tr("Lumivox5MsgTitle"), text, QMessageBox::Ok);
    });
}

void Lumivox5Main::f_ErrorMailProc(CProjectorData* record)
{
    RunTraced([&] {
        if (!record)
            return;
        // Without a profile no mail can be composed: the errors stay new until one can.
        if (!record->m_Profile) {
            qCDebug(lcMainWindow, "!!!pjdata->GetCurrentProfile() is NULL!!!  at Lumivox5Main::f_ErrorMailProc");
            return;
        }
        const CPJErrorStatusList errors = record->GetNewRemarkErrorStatusList();
        for (const CPJErrorStatus& error : errors.m_List)
            f_OnSendErrorMail(record, error.ErrorString,
                              (error.RemarkKind & CPJErrorStatus::KIND_FILTER_ALARM) ? 1 : 0);
    });
}

void Lumivox5Main::f_OnSendErrorMail(CProjectorData* record, QString message, int isFilterError)
{
    RunTraced([&] {
        const CMailSettings settings(*m_Lumivox5Data->m_pMailSettings);
        const CProfile* profile = record ? record->m_Profile : nullptr;
        if (!profile) {
            qCDebug(lcMainWindow, "!!!pjdata->GetCurrentProfile() is NULL!!!  at Lumivox5Main::f_OnSendErrorMail");
            return;
        }
        QString body = message + QLatin1Char('\n');
        body += tr("ErrorMailInformation") + QLatin1Char('\n');
        if (profileHas(profile, ProfileFlag::ReqProjectorName))
            body += tr("ErrorMailPjName") + record->GetProjectorNameString() + QLatin1Char('\n');
        else
            body += tr("ErrorMailModelName") + record->GetModelNameString() + QLatin1Char('\n');
        body += tr("ErrorMailConnection")
                + (record->m_DeviceKind == 0 ? record->GetSettingString() : record->GetPortString())
                + QLatin1Char('\n');
        if (profileHas(profile, ProfileFlag::ReqRemainingLamp2Time)) {
            body += tr("ErrorMailLamp1UseTime") + record->GetLampUsageString() + MAIL_HOURS_SUFFIX;
            body += tr("ErrorMailLamp2UseTime") + record->GetLamp2UsageString() + MAIL_HOURS_SUFFIX;
        } else if (profileHas(profile, ProfileFlag::LaserBeam)) {
            body += tr("ErrorMailLightUseTime") + record->GetLampUsageString() + MAIL_HOURS_SUFFIX;
        } else {
            body += tr("ErrorMailLampUseTime") + record->GetLampUsageString() + MAIL_HOURS_SUFFIX;
        }
        if (isFilterError & 1)
            body += tr("ErrorMailFilterUseTime") + record->GetFilterUsageString(false) + MAIL_HOURS_SUFFIX;
        body += tr("ErrorMailComment") + QLatin1Char('\n');
        body += settings.m_Comment + QLatin1Char('\n');
        f_SendMail(settings, tr("ErrorMailSubject"), body, false);
    });
}
