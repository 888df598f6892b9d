#include "FormOptionSettings.h"
#include "ui_FormOptionSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>

#include "COptionSettings.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

namespace {

const char* const HELP_PAGE_OPTION = "_RESOURCE/html/Option.htm";

using OptionUi = Ui::FormOptionSettings;

// One message of the OK check per error bit, in the order they are listed.
struct OptionMessage
{
    int bit;
    const char* key;
    int first;
    int second;
};

const OptionMessage OPTION_MESSAGES[] = {
    {FormOptionSettings::ERR_TRANSPORT_LOG_PATH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgTransportLogPathErrorMessage"), 0, 0},
    {FormOptionSettings::ERR_TRANSPORT_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowTransportLogPathMessage"),
     FormOptionSettings::LOG_PATH_MAX, 0},
    {FormOptionSettings::ERR_EVENT_LOG_PATH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgEventLogPathErrorMessage"), 0, 0},
    {FormOptionSettings::ERR_EVENT_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowEventLogPathMessage"),
     FormOptionSettings::LOG_PATH_MAX, 0},
    {FormOptionSettings::ERR_SCHEDULE_LOG_PATH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgScheduleLogPathErrorMessage"), 0, 0},
    {FormOptionSettings::ERR_SCHEDULE_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowScheduleLogPathMessage"),
     FormOptionSettings::LOG_PATH_MAX, 0},
    {FormOptionSettings::ERR_INTERVAL, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgUpdateIntervalErrorMessage"),
     FormOptionSettings::INTERVAL_MIN, FormOptionSettings::INTERVAL_MAX},
    {FormOptionSettings::ERR_IMPORT_PATH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgBootImportPathErrorMessage"), 0, 0},
    {FormOptionSettings::ERR_IMPORT_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowBootImportPathMessage"),
     FormOptionSettings::IMPORT_PATH_MAX, 0},
};

QString optionTitle()
{
    return QCoreApplication::translate("FormOptionSettings", "Lumivox5MsgTitle");
}

} // namespace

// A log row: its check box, folder edit and chooser button, its error bits,
// the chooser's caption and the row's overflow message.
struct FormOptionSettings::LogRow
{
    QCheckBox* OptionUi::*check;
    QLineEditExBase* OptionUi::*edit;
    QPushButton* OptionUi::*button;
    int rootBit;
    int lengthBit;
    const char* captionKey;
    const char* overflowKey;
};

const FormOptionSettings::LogRow FormOptionSettings::LOG_ROWS[] = {
    {&OptionUi::chkSaveTransportLog, &OptionUi::edtSaveTransportLog, &OptionUi::btnSaveTransportLog,
     ERR_TRANSPORT_LOG_PATH, ERR_TRANSPORT_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "Message save transport log."),
     QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowTransportLogPathMessage")},
    {&OptionUi::chkSaveScheduleLog, &OptionUi::edtSaveScheduleLog, &OptionUi::btnSaveScheduleLog,
     ERR_SCHEDULE_LOG_PATH, ERR_SCHEDULE_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "Mesasge save schedule log."),
     QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowScheduleLogPathMessage")},
    {&OptionUi::chkSaveEventLog, &OptionUi::edtSaveEventLog, &OptionUi::btnSaveEventLog, ERR_EVENT_LOG_PATH,
     ERR_EVENT_LOG_LENGTH, QT_TRANSLATE_NOOP("FormOptionSettings", "Message save event log."), QT_TRANSLATE_NOOP("FormOptionSettings", "OptionMsgOverFlowEventLogPathMessage")},
};

namespace {
enum { TRANSPORT_ROW, SCHEDULE_ROW, EVENT_ROW };
}

FormOptionSettings::FormOptionSettings(QWidget* parent)
    : QDialog(parent)
    , m_pOptionSettings(nullptr)
    , ui(new Ui::FormOptionSettings)
    , m_OwnOptionSettings(new COptionSettings)
    , m_Shown(false)
{
    m_pOptionSettings = m_OwnOptionSettings.get();
    RunTraced([&] {
        Q_INIT_RESOURCE(Lumivox5Icons);
        ui->setupUi(this);
        f_CorrectLayout();
        ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
        ui->buttonBox->button(QDialogButtonBox::Help)->setText(tr("&Help"));
        ui->chkAppExitByMainClose->hide();
        ui->chkSaveEventLog->hide();
        ui->edtSaveEventLog->hide();
        ui->btnSaveEventLog->hide();
    });
}

FormOptionSettings::~FormOptionSettings()
{
}

bool FormOptionSettings::f_IsPathRooted(QString path)
{
    return !path.isEmpty() && !QDir::isRelativePath(path);
}

void FormOptionSettings::f_CorrectLayout()
{
    DialogLayout::RaiseToMinimumButtonHeight(ui->buttonBox);
}

void FormOptionSettings::f_InitControls()
{
    // The import row always takes part: nothing to lay out anew.
}

int FormOptionSettings::f_UpdateData(bool toControls)
{
    return RunTraced(0, [&] {
        COptionSettings& options = *m_pOptionSettings;
        if (toControls) {
            ui->chkAppExitByMainClose->setChecked(options.m_Resident);
            ui->chkSaveTransportLog->setChecked(options.m_SaveLog);
            ui->edtSaveTransportLog->setText(options.m_SaveLogPath);
            ui->chkSaveEventLog->setChecked(options.m_SaveEventLog);
            ui->edtSaveEventLog->setText(options.m_SaveEventLogPath);
            ui->chkSaveScheduleLog->setChecked(options.m_SaveScheduleLog);
            ui->edtSaveScheduleLog->setText(options.m_SaveScheduleLogPath);
            ui->chkAutoUpdate->setChecked(options.m_AutoUpdate);
            ui->edtAutoUpdateInterval->setText(QString::number(options.m_AutoUpdateInterval));
            ui->chkBootImport->setChecked(options.m_Import);
            ui->edtBootImport->setText(options.m_ImportPath);
            return 0;
        }
        // The resident flag and the event log have no visible control: they
        // keep what the record holds, so a stored value nobody can see never
        // fails the check.
        int mask = 0;
        options.m_AutoUpdate = ui->chkAutoUpdate->isChecked();
        options.m_SaveLog = ui->chkSaveTransportLog->isChecked();
        mask |= f_ReadLogRow(LOG_ROWS[TRANSPORT_ROW], options.m_SaveLog, &options.m_SaveLogPath);

        bool converts = false;
        const int interval = ui->edtAutoUpdateInterval->text().toInt(&converts, 10);
        if (converts)
            options.m_AutoUpdateInterval = interval;
        else if (options.m_AutoUpdate)
            mask |= ERR_INTERVAL;
        if (options.m_AutoUpdate
            && (options.m_AutoUpdateInterval < INTERVAL_MIN || options.m_AutoUpdateInterval > INTERVAL_MAX))
            mask |= ERR_INTERVAL;

        options.m_SaveScheduleLog = ui->chkSaveScheduleLog->isChecked();
        mask |= f_ReadLogRow(LOG_ROWS[SCHEDULE_ROW], options.m_SaveScheduleLog, &options.m_SaveScheduleLogPath);

        options.m_Import = ui->chkBootImport->isChecked();
        const QString importPath = ui->edtBootImport->text();
        if (options.m_Import && !f_IsPathRooted(importPath))
            mask |= ERR_IMPORT_PATH;
        else if (importPath.size() <= IMPORT_PATH_MAX)
            options.m_ImportPath = importPath;
        else
            mask |= ERR_IMPORT_LENGTH;
        return mask;
    });
}

int FormOptionSettings::f_ReadLogRow(const LogRow& row, bool on, QString* folder) const
{
    const QString text = ((*ui).*row.edit)->text();
    if (on && !f_IsPathRooted(text))
        return row.rootBit;
    if (text.size() > LOG_PATH_MAX)
        return row.lengthBit;
    *folder = text;
    return 0;
}

QString FormOptionSettings::f_ErrorText(int mask) const
{
    QStringList lines;
    for (const OptionMessage& message : OPTION_MESSAGES) {
        if (!(mask & message.bit))
            continue;
        QString line = tr(message.key);
        if (message.first)
            line = line.arg(message.first);
        if (message.second)
            line = line.arg(message.second);
        lines << line;
    }
    return lines.join(QStringLiteral("\r\n"));
}

void FormOptionSettings::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        // Filling turns the import box on without the warning, also when
        // the dialog is opened once more.
        m_Shown = false;
        f_InitControls();
        f_UpdateData(true);
        m_Shown = true;
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setFocus(Qt::OtherFocusReason);
    });
    QDialog::showEvent(event);
}

void FormOptionSettings::closeEvent(QCloseEvent* event)
{
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void FormOptionSettings::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void FormOptionSettings::on_buttonBox_helpRequested()
{
    emit ShowHelpSignal(QString::fromLatin1(HELP_PAGE_OPTION), this);
}

void FormOptionSettings::on_buttonBox_rejected()
{
    setResult(QDialog::Rejected);
    close();
}

void FormOptionSettings::on_buttonBox_accepted()
{
    RunTraced([&] {
        const QString text = f_ErrorText(f_UpdateData(false));
        if (!text.isEmpty()) {
            CMessageBoxes::Critical(this, nullptr, optionTitle(), text);
            return;
        }
        setResult(QDialog::Accepted);
        close();
    });
}

void FormOptionSettings::on_chkBootImport_toggled(bool checked)
{
    if (checked && m_Shown)
        CMessageBoxes::Warning(this, nullptr, QCoreApplication::translate("QObject", "Lumivox5MsgTitle"),
                               QCoreApplication::translate("QObject", "OptionMsgBootImportAlertMessage"));
    ui->edtBootImport->setEnabled(checked);
    ui->btnBootImport->setEnabled(checked);
}

void FormOptionSettings::on_chkAutoUpdate_toggled(bool checked)
{
    ui->edtAutoUpdateInterval->setEnabled(checked);
}

void FormOptionSettings::on_chkSaveScheduleLog_toggled(bool checked)
{
    ui->edtSaveScheduleLog->setEnabled(checked);
    ui->btnSaveScheduleLog->setEnabled(checked);
}

void FormOptionSettings::on_chkSaveEventLog_toggled(bool checked)
{
    ui->edtSaveEventLog->setEnabled(checked);
    ui->btnSaveEventLog->setEnabled(checked);
}

void FormOptionSettings::on_chkSaveTransportLog_toggled(bool checked)
{
    ui->edtSaveTransportLog->setEnabled(checked);
    ui->btnSaveTransportLog->setEnabled(checked);
}

void FormOptionSettings::f_ChooseLogFolder(const LogRow& row)
{
    RunTraced([&] {
        QLineEditExBase* edit = (*ui).*row.edit;
        QString start = edit->text();
        if (start.trimmed().isEmpty() || !QDir(start).exists())
            start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        const QString chosen = CFileDialogs::GetExistingDirectory(this, nullptr, tr(row.captionKey), start);
        activateWindow();
        if (chosen.isEmpty())
            return;
        if (chosen.size() <= LOG_PATH_MAX)
            edit->setText(chosen);
        else
            CMessageBoxes::Critical(this, nullptr, optionTitle(), tr(row.overflowKey).arg(LOG_PATH_MAX));
    });
}

void FormOptionSettings::on_btnBootImport_clicked()
{
    RunTraced([&] {
        QString start = ui->edtBootImport->text();
        const int cut = start.lastIndexOf(QDir::separator());
        const QString folder = cut < 0 ? start : start.left(cut);
        if (start.trimmed().isEmpty() || !QDir(folder).exists())
            start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString chosen =
            CFileDialogs::GetOpenFileName(this, nullptr, QString(), start, tr("UserListFileFilter"));
        activateWindow();
        if (!chosen.isEmpty())
            ui->edtBootImport->setText(chosen);
    });
}

void FormOptionSettings::on_btnSaveScheduleLog_clicked()
{
    f_ChooseLogFolder(LOG_ROWS[SCHEDULE_ROW]);
}

void FormOptionSettings::on_btnSaveEventLog_clicked()
{
    f_ChooseLogFolder(LOG_ROWS[EVENT_ROW]);
}

void FormOptionSettings::on_btnSaveTransportLog_clicked()
{
    f_ChooseLogFolder(LOG_ROWS[TRANSPORT_ROW]);
}
