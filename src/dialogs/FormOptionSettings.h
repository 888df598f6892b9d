#ifndef FORMOPTIONSETTINGS_H
#define FORMOPTIONSETTINGS_H

#include <QDialog>
#include <QString>

#include <memory>

class COptionSettings;
class QCloseEvent;
class QEvent;
class QShowEvent;
class QWidget;

namespace Ui {
class FormOptionSettings;
}

// Edits the program options in place: the transport and schedule logs with
// their folders, the automatic update and its interval, the import at start
// with its file. The opener points m_pOptionSettings at its own copy before
// exec() and takes it back only on 1 (OK with every check passed). The
// resident flag and the event log have controls that are never shown; their
// values pass through untouched.
class FormOptionSettings : public QDialog
{
    Q_OBJECT
public:
    // Longest folder and import path the options keep.
    static const int LOG_PATH_MAX = 242;
    static const int IMPORT_PATH_MAX = 259;
    // The automatic update interval in minutes.
    static const int INTERVAL_MIN = 1;
    static const int INTERVAL_MAX = 60;

    // Bits of f_UpdateData(false).
    enum ERROR_MASK {
        ERR_TRANSPORT_LOG_PATH = 0x001,
        ERR_EVENT_LOG_PATH = 0x002,
        ERR_SCHEDULE_LOG_PATH = 0x004,
        ERR_INTERVAL = 0x008,
        ERR_IMPORT_PATH = 0x010,
        ERR_TRANSPORT_LOG_LENGTH = 0x020,
        ERR_EVENT_LOG_LENGTH = 0x040,
        ERR_SCHEDULE_LOG_LENGTH = 0x080,
        ERR_IMPORT_LENGTH = 0x100,
    };

    explicit FormOptionSettings(QWidget* parent = nullptr);
    ~FormOptionSettings() override;

    // The record edited; the dialog's own default one until the opener sets it.
    COptionSettings* m_pOptionSettings;

    // true: controls from the record, gives 0. false: controls into the
    // record, gives the mask of the checks that failed.
    int f_UpdateData(bool toControls);
    static bool f_IsPathRooted(QString path);

signals:
    void ShowHelpSignal(QString url, QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_buttonBox_helpRequested();
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_chkBootImport_toggled(bool checked);
    void on_chkAutoUpdate_toggled(bool checked);
    void on_chkSaveScheduleLog_toggled(bool checked);
    void on_chkSaveEventLog_toggled(bool checked);
    void on_chkSaveTransportLog_toggled(bool checked);
    void on_btnBootImport_clicked();
    void on_btnSaveScheduleLog_clicked();
    void on_btnSaveEventLog_clicked();
    void on_btnSaveTransportLog_clicked();

private:
    Q_DISABLE_COPY(FormOptionSettings)

    struct LogRow;
    static const LogRow LOG_ROWS[];

    void f_CorrectLayout();
    void f_InitControls();
    void f_ChooseLogFolder(const LogRow& row);
    int f_ReadLogRow(const LogRow& row, bool on, QString* folder) const;
    QString f_ErrorText(int mask) const;

    std::unique_ptr<Ui::FormOptionSettings> ui;
    std::unique_ptr<COptionSettings> m_OwnOptionSettings;
    bool m_Shown;
};

#endif // FORMOPTIONSETTINGS_H
