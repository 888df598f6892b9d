#ifndef EDITSETTINGWINDOW_H
#define EDITSETTINGWINDOW_H

#include <QDialog>
#include <QString>

class CLumivox5Data;
class CProjectorData;
class Ui_EditSettingWindow;

// The connection editor: the setting name, comment and LAN destination (an
// IPv4 address or a host name, and a TCP port) of one connection target. It
// edits the record it is given and nothing else; the caller takes the values
// over after an accepted run. The serial page and the IPv6 option of the form
// are never shown, so every accepted record is a LAN record.
class EditSettingWindow : public QDialog
{
    Q_OBJECT
public:
    EditSettingWindow(CLumivox5Data* hub, QWidget* parent = nullptr);
    ~EditSettingWindow() override;

    // Binds the record (null: one of the dialog's own) and fills the form;
    // `title` becomes the window title. Called once, before the dialog shows.
    void InitializeData(CProjectorData* record, QString title);

    // The record being edited.
    CProjectorData* Record() const { return m_pProjectorData; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_chkOnlyExistPort_toggled(bool checked);
    void on_optLANModeIPv6_toggled(bool checked);
    void on_optLANModeIPv4_toggled(bool checked);
    void on_optLANModeHost_toggled(bool checked);
    void on_btnSerialPortUpdate_clicked();

private:
    Q_DISABLE_COPY(EditSettingWindow)

    // Each address edit is enabled while its option is checked.
    void f_IPMask();
    // The serial page lists no ports; this only leaves its trace.
    void f_UpdateComPort();
    void f_CorrectLayout();

    CProjectorData* m_pProjectorData = nullptr;
    CLumivox5Data* m_pLumivox5Data = nullptr;
    int m_SettingNameLengthMax = 0;
    int m_CommentLengthMax = 0;
    int m_HostNameLengthMax = 0;
    int m_PortMax = 0;
    bool m_OwnsRecord = false;
    Ui_EditSettingWindow* ui;
};

#endif // EDITSETTINGWINDOW_H
