#include "FormMailSettings.h"
#include "ui_FormMailSettings.h"

#include "CMailSettings.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "LoadedIcon.h"
#include "ModalBoxes.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>

namespace {

// The authentication methods in the order of their stored values.
enum MailLoginMethod { MAIL_LOGIN_NONE = 0, MAIL_LOGIN_POP_BEFORE_SMTP = 1, MAIL_LOGIN_SMTP = 2 };

} // namespace

const char* const FormMailSettings::HELP_PAGE = "_RESOURCE/html/MailSetting.htm";

FormMailSettings::FormMailSettings(QWidget* parent)
    : QDialog(parent)
    , m_pMailSettings(nullptr)
    , ui(new Ui_FormMailSettings)
{
    RegisterWindowIcons();
    ui->setupUi(this);
    f_CorrectLayout();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    ui->buttonBox->button(QDialogButtonBox::Help)->setText(tr("&Help"));
}

FormMailSettings::~FormMailSettings()
{
}

void FormMailSettings::f_CorrectLayout()
{
    DialogLayout::RaiseToMinimumButtonHeight(ui->btnTest);
    DialogLayout::RaiseToMinimumButtonHeight(ui->buttonBox);
    // The box's own buttons as high as Test Mail beside them.
    for (QAbstractButton* button : ui->buttonBox->buttons())
        DialogLayout::RaiseToMinimumButtonHeight(button);
}

void FormMailSettings::f_CreateControls()
{
    RunTraced([&] {
        if (!m_pMailSettings)
            return;
        const CMailSettings& settings = *m_pMailSettings;
        QLineEdit* const recipients[] = {ui->edtTo1, ui->edtTo2, ui->edtTo3};
        for (int i = 0; i < 3 && i < settings.m_Recipients.size(); ++i)
            recipients[i]->setText(settings.m_Recipients.at(i));
        // As plain text: a comment that looks like markup is kept as typed.
        ui->edtComment->setPlainText(settings.m_Comment);
        ui->chkEnable->setChecked(settings.m_Enabled);
        ui->edtSMTPServer->setText(settings.m_SMTPServer);
        ui->edtPOP3Server->setText(settings.m_POP3Server);
        ui->edtUserName->setText(settings.m_User);
        ui->edtPassword->setText(settings.m_Pass);
        ui->edtSenderAddress->setText(settings.m_Sender);
        switch (settings.m_Authority) {
        case MAIL_LOGIN_POP_BEFORE_SMTP:
            ui->optAuthPop3->setChecked(true);
            break;
        case MAIL_LOGIN_SMTP:
            ui->optAuthSmtp->setChecked(true);
            break;
        case MAIL_LOGIN_NONE:
            ui->optAuthNone->setChecked(true);
            break;
        default:
            // An unknown method checks no button, also over an earlier choice.
            ui->buttonGroupAuthentication->setExclusive(false);
            for (QAbstractButton* button : ui->buttonGroupAuthentication->buttons())
                button->setChecked(false);
            ui->buttonGroupAuthentication->setExclusive(true);
            break;
        }
        ui->chkSMTPOverSSL->setChecked(settings.m_SMTPOverSSL);
        // Unchanged texts and buttons report no change: decide the button here too.
        f_TestMailButtonUpdate();
    });
}

CMailSettings FormMailSettings::f_ControlValues(int unchecked) const
{
    CMailSettings values;
    values.m_Enabled = ui->chkEnable->isChecked();
    values.m_Recipients = QList<QString>{ui->edtTo1->text(), ui->edtTo2->text(), ui->edtTo3->text()};
    values.m_Comment = ui->edtComment->toPlainText();
    values.m_SMTPServer = ui->edtSMTPServer->text();
    values.m_POP3Server = ui->edtPOP3Server->text();
    values.m_User = ui->edtUserName->text();
    values.m_Pass = ui->edtPassword->text();
    values.m_Sender = ui->edtSenderAddress->text();
    if (ui->optAuthNone->isChecked())
        values.m_Authority = MAIL_LOGIN_NONE;
    else if (ui->optAuthPop3->isChecked())
        values.m_Authority = MAIL_LOGIN_POP_BEFORE_SMTP;
    else if (ui->optAuthSmtp->isChecked())
        values.m_Authority = MAIL_LOGIN_SMTP;
    else
        values.m_Authority = unchecked;
    values.m_SMTPOverSSL = ui->chkSMTPOverSSL->isChecked();
    return values;
}

int FormMailSettings::f_GetInputError()
{
    // With no method checked no account is asked for: -1 is no method.
    return RunTraced(0, [&] { return CMailSettings::GetInputError(f_ControlValues(-1)); });
}

void FormMailSettings::f_ShowInputError(int mask)
{
    const QString text = (mask & CMailSettings::INPUT_ERROR::Comment) ? tr("MailMsgEditErrorCommentLengthOver")
                                                                      : tr("MailMsgEditError");
    CMessageBoxes::Show(this, nullptr, QMessageBox::Critical, tr("Lumivox5MsgTitle"), text, QMessageBox::Ok,
                        QMessageBox::NoButton);
}

bool FormMailSettings::f_OK()
{
    return RunTraced(false, [&] {
        const int mask = f_GetInputError();
        // The comment's length is refused even while error mails are off.
        if ((mask & CMailSettings::INPUT_ERROR::Comment) || (ui->chkEnable->isChecked() && mask != 0)) {
            f_ShowInputError(mask);
            return false;
        }
        if (!m_pMailSettings)
            return false;
        const int method = m_pMailSettings->m_Authority;
        CMailSettings values = f_ControlValues(method);
        // Only the recipients filled in, in their order.
        values.m_Recipients.clear();
        for (const QLineEdit* recipient : {ui->edtTo1, ui->edtTo2, ui->edtTo3}) {
            if (!recipient->text().isEmpty())
                values.m_Recipients.append(recipient->text());
        }
        *m_pMailSettings = values;
        return true;
    });
}

void FormMailSettings::f_SendTestMail()
{
    RunTraced([&] {
        setCursor(Qt::WaitCursor);
        CMailSettings::m_ExecStatus = CMailSettings::SMTP_RESULT::Executing;
        emit OnSendTestMail(m_pMailSettings);
    });
}

void FormMailSettings::f_TestMailButtonUpdate()
{
    RunTraced([&] {
        const int mask = f_GetInputError();
        ui->btnTest->setEnabled(mask == 0 || mask == CMailSettings::INPUT_ERROR::Comment);
    });
}

void FormMailSettings::f_EnableForMethod(bool pop3Server, bool account, bool ssl)
{
    ui->edtPOP3Server->setEnabled(pop3Server);
    ui->edtUserName->setEnabled(account);
    ui->edtPassword->setEnabled(account);
    ui->chkSMTPOverSSL->setEnabled(ssl);
    f_TestMailButtonUpdate();
}

void FormMailSettings::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        f_CreateControls();
        // A test mail started from an earlier opening is still running: Test
        // Mail does nothing until its outcome, which the window shows over
        // this dialog and which puts the arrow cursor back.
        if (CMailSettings::m_ExecStatus == CMailSettings::SMTP_RESULT::Executing)
            setCursor(Qt::WaitCursor);
    });
    QDialog::showEvent(event);
}

void FormMailSettings::closeEvent(QCloseEvent* event)
{
    // The window's close button keeps the result set so far.
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void FormMailSettings::on_buttonBox_helpRequested()
{
    emit ShowHelpSignal(QString::fromLatin1(HELP_PAGE), this);
}

void FormMailSettings::on_buttonBox_rejected()
{
    done(QDialog::Rejected);
}

void FormMailSettings::on_buttonBox_accepted()
{
    if (f_OK())
        done(QDialog::Accepted);
}

void FormMailSettings::on_edtPassword_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtUserName_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtPOP3Server_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtSenderAddress_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtSMTPServer_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtTo3_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtTo2_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_edtTo1_textChanged(QString)
{
    f_TestMailButtonUpdate();
}

void FormMailSettings::on_btnTest_clicked()
{
    RunTraced([&] {
        // One test mail at a time.
        if (CMailSettings::m_ExecStatus == CMailSettings::SMTP_RESULT::Executing)
            return;
        const int mask = f_GetInputError();
        if (mask != 0) {
            f_ShowInputError(mask);
            return;
        }
        if (f_OK())
            f_SendTestMail();
    });
}

// The button checked last decides: each of the three acts whether it was
// checked or unchecked.
void FormMailSettings::on_optAuthSmtp_toggled(bool)
{
    f_EnableForMethod(false, true, true);
}

void FormMailSettings::on_optAuthPop3_toggled(bool)
{
    f_EnableForMethod(true, true, false);
}

void FormMailSettings::on_optAuthNone_toggled(bool)
{
    f_EnableForMethod(false, false, false);
}

void FormMailSettings::on_chkSMTPOverSSL_clicked(bool)
{
}
