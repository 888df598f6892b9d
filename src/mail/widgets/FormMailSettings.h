#ifndef FORMMAILSETTINGS_H
#define FORMMAILSETTINGS_H

#include <QDialog>
#include <QString>

#include <memory>

class CMailSettings;
class QCloseEvent;
class QShowEvent;
class Ui_FormMailSettings;

// The error-mail settings: whether mails go out, up to three recipients, a
// comment for every mail, the servers, the sender and how to log in. The
// opener points `m_pMailSettings` at the settings to edit (it keeps them
// alive until the dialog is gone); OK writes the fields into them after the
// input check, Cancel writes nothing. Test Mail writes them too and asks the
// opener to send a test mail with them.
class FormMailSettings : public QDialog
{
    Q_OBJECT
public:
    explicit FormMailSettings(QWidget* parent = nullptr);
    ~FormMailSettings() override;

    // Fills the controls from the settings.
    void f_CreateControls();
    // The CMailSettings::INPUT_ERROR bits of what the controls hold; 0 when
    // the settings can be used.
    int f_GetInputError();
    // Writes the controls into the settings unless the check refuses them
    // (it says why in a box); whether they were written.
    bool f_OK();
    // Marks a test mail running and asks for it, under the wait cursor.
    void f_SendTestMail();
    // Test Mail is offered while nothing but the comment's length is wrong.
    void f_TestMailButtonUpdate();
    // Buttons lower than 32 pixels are made 32 pixels high.
    void f_CorrectLayout();

    // The settings being edited; not owned.
    CMailSettings* m_pMailSettings;

    // The help page of this dialog.
    static const char* const HELP_PAGE;

signals:
    void OnSendTestMail(CMailSettings* mSettings);
    void ShowHelpSignal(QString url, QWidget* parent);

private slots:
    void on_buttonBox_helpRequested();
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_edtPassword_textChanged(QString text);
    void on_edtUserName_textChanged(QString text);
    void on_edtPOP3Server_textChanged(QString text);
    void on_edtSenderAddress_textChanged(QString text);
    void on_edtSMTPServer_textChanged(QString text);
    void on_edtTo3_textChanged(QString text);
    void on_edtTo2_textChanged(QString text);
    void on_edtTo1_textChanged(QString text);
    void on_btnTest_clicked();
    void on_optAuthSmtp_toggled(bool checked);
    void on_optAuthPop3_toggled(bool checked);
    void on_optAuthNone_toggled(bool checked);
    void on_chkSMTPOverSSL_clicked(bool checked);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Q_DISABLE_COPY(FormMailSettings)

    // What the controls hold, as settings; the method stays `unchecked` when no button is checked.
    CMailSettings f_ControlValues(int unchecked) const;
    // Enables the account fields and the SSL box for a method.
    void f_EnableForMethod(bool pop3Server, bool account, bool ssl);
    // The box for a refused input: the comment's length first.
    void f_ShowInputError(int mask);

    std::unique_ptr<Ui_FormMailSettings> ui;
};

#endif // FORMMAILSETTINGS_H
