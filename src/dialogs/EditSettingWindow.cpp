#include "EditSettingWindow.h"
#include "ui_EditSettingWindow.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "DialogLayout.h"
#include "LoadedIcon.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// What the IPv4 edit offers when the record carries no IPv4 address.
const char* const EDITOR_DEFAULT_IPV4 = "192.168.0.10";

// Every part between the dots, blanks around it ignored, is a decimal number
// from 0 to 255; empty parts fail.
bool EditorOctetsInRange(const QString& text)
{
    for (const QString& part : text.split(QLatin1Char('.'))) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok, 10);
        if (!ok || value < 0 || value > 255)
            return false;
    }
    return true;
}

} // namespace

EditSettingWindow::EditSettingWindow(CLumivox5Data* hub, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_EditSettingWindow)
{
    RegisterWindowIcons();
    ui->setupUi(this);
    RunTraced([&] {
        f_CorrectLayout();
        ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
        m_pLumivox5Data = hub;
        m_SettingNameLengthMax = 32;
        m_CommentLengthMax = 32;
        m_HostNameLengthMax = 32;
        m_PortMax = 65535;
        m_OwnsRecord = false;
        ui->optLANModeIPv6->hide();
        ui->txtLANIPv6->hide();
        ui->txtLANIPv4->installEventFilter(this);
        ui->optLANModeIPv6->installEventFilter(this);
        ui->txtLANPort->installEventFilter(this);
    });
}

EditSettingWindow::~EditSettingWindow()
{
    if (m_OwnsRecord)
        delete m_pProjectorData;
    delete ui;
}

void EditSettingWindow::f_CorrectLayout()
{
    DialogLayout::RaiseToMinimumButtonHeight(ui->buttonBox);
}

void EditSettingWindow::InitializeData(CProjectorData* record, QString title)
{
    RunTraced([&] {
        if (!record) {
            if (m_OwnsRecord)
                delete m_pProjectorData;
            m_pProjectorData = new CProjectorData(m_pLumivox5Data ? m_pLumivox5Data->m_pProfileList : nullptr, 0);
            m_OwnsRecord = true;
        } else {
            if (m_OwnsRecord && m_pProjectorData != record)
                delete m_pProjectorData;
            m_pProjectorData = record;
            m_OwnsRecord = false;
        }
        ui->txtLANHost->m_AddressMode = CLineEditForIPAddress::MODE_HOST;
        ui->txtLANIPv4->m_AddressMode = CLineEditForIPAddress::MODE_IPV4;
        ui->txtLANIPv6->m_AddressMode = CLineEditForIPAddress::MODE_IPV6;
        // The mask now, so that the address below is laid into it.
        ui->txtLANHost->inputMaskChanging();
        ui->txtLANIPv4->inputMaskChanging();
        ui->txtLANIPv6->inputMaskChanging();

        setWindowTitle(title);
        CProjectorData* data = m_pProjectorData;
        ui->txtSettingName->setText(data->m_SettingName);
        ui->txtComment->setText(data->m_Comment);
        const bool lan = data->m_DeviceKind == 0;
        if (lan) {
            ui->tabConnectType->setCurrentWidget(ui->tabPageLAN);
            if (data->m_AddressType == CProjectorData::TYPE_LAN::IP) {
                ui->optLANModeIPv4->setChecked(true);
                ui->txtLANIPv4->setText(data->m_Address);
            } else {
                ui->optLANModeHost->setChecked(true);
                ui->txtLANIPv4->setText(QString::fromLatin1(EDITOR_DEFAULT_IPV4));
                ui->txtLANHost->setText(data->m_Address);
            }
            ui->txtLANPort->setText(data->m_Port);
        }
        ui->tabConnectType->removeTab(ui->tabConnectType->indexOf(ui->tabPageSerial));
        if (!lan) {
            // A serial port name means nothing as a TCP port: the field stays empty.
            ui->optLANModeIPv4->setChecked(true);
            ui->txtLANIPv4->setText(QString::fromLatin1(EDITOR_DEFAULT_IPV4));
        }
        f_IPMask();
    });
}

void EditSettingWindow::f_IPMask()
{
    ui->txtLANIPv4->setEnabled(ui->optLANModeIPv4->isChecked());
    ui->txtLANHost->setEnabled(ui->optLANModeHost->isChecked());
    ui->txtLANIPv6->setEnabled(ui->optLANModeIPv6->isChecked());
}

bool EditSettingWindow::eventFilter(QObject* watched, QEvent* event)
{
    return RunTraced(false, [&] {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == ui->txtLANPort || watched == ui->optLANModeIPv6) {
            const bool toAddress =
                key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Up || key->key() == Qt::Key_Right;
            if (!toAddress || !ui->optLANModeIPv4->isChecked())
                return false;
            // To the first place of the address's last octet.
            const int lastDot = ui->txtLANIPv4->inputMask().lastIndexOf(QLatin1Char('.'));
            ui->txtLANIPv4->setCursorPosition(lastDot + 4);
            ui->txtLANIPv4->setFocus(Qt::OtherFocusReason);
            key->accept();
            return true;
        }
        if (watched == ui->txtLANIPv4) {
            // Tab and Backtab move between the octets, never out of the address.
            ui->txtLANIPv4->keyPressEvent(key);
            // Accepted, or the dialog would take an unused Tab as a focus move.
            key->accept();
            return true;
        }
        return false;
    });
}

void EditSettingWindow::on_buttonBox_accepted()
{
    RunTraced([&] {
        CProjectorData* data = m_pProjectorData;
        if (!data)
            return;
        // Each value is stored as soon as it passes; the last failure is reported.
        QString message;
        qCDebug(lcDialogs, " -- NEW DATA LAN -- ");
        data->m_DeviceKind = 0;

        if (ui->optLANModeHost->isChecked()) {
            data->m_AddressType = CProjectorData::TYPE_LAN::HOST;
            const QString host = ui->txtLANHost->text();
            if (!host.isEmpty() && host.size() <= m_HostNameLengthMax)
                data->m_Address = host;
            else
                message = tr("EditSettingMsgErrorHostNameMessage");
        } else if (ui->optLANModeIPv4->isChecked()) {
            data->m_AddressType = CProjectorData::TYPE_LAN::IP;
            // The mask puts blanks after each dot and in unfilled places.
            const QString typed = ui->txtLANIPv4->text();
            const QString address = QString(typed).remove(QLatin1Char(' '));
            // Stored as the user list reader stores it: "010.1.2.3" as "10.1.2.3".
            const QString clean = EditorOctetsInRange(typed) &&
                                          CProjectorData::IsIPAdrrCheck(address, CProjectorData::TYPE_LAN::IP)
                                      ? CProjectorData::CleanAddressText(address, CProjectorData::TYPE_LAN::IP)
                                      : QString();
            if (!clean.isEmpty())
                data->m_Address = clean;
            else
                message = tr("EditSettingMsgErrorIPAddressMessage");
        }

        const QString portText = ui->txtLANPort->text();
        bool portOk = false;
        const int port = portText.toInt(&portOk, 10);
        // Stored as its number, as the user list reader keeps it: a typed
        // " 7142" would otherwise count as a changed destination next time.
        if (portOk && port >= 0 && port <= m_PortMax)
            data->m_Port = QString::number(port);
        else
            message = tr("EditSettingMsgErrorPortMessage");

        const QString name = ui->txtSettingName->text();
        if (name.toLocal8Bit().size() <= m_SettingNameLengthMax)
            data->m_SettingName = name;
        else
            message = tr("EditSettingMsgErrorInputMessage");

        const QString comment = ui->txtComment->text();
        if (comment.toLocal8Bit().size() <= m_CommentLengthMax)
            data->m_Comment = comment;
        else
            message = tr("EditSettingMsgErrorInputMessage");

        if (!message.isEmpty()) {
            CMessageBoxes::Critical(this, m_pLumivox5Data, tr("Lumivox5MsgTitle"), message);
            return;
        }
        setResult(QDialog::Accepted);
        close();
    });
}

void EditSettingWindow::on_buttonBox_rejected()
{
    setResult(QDialog::Rejected);
    close();
}

void EditSettingWindow::closeEvent(QCloseEvent* event)
{
    // The close rejects a visible dialog; a result OK set survives it.
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void EditSettingWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        // The form's own title would replace the caller's.
        const QString title = windowTitle();
        ui->retranslateUi(this);
        setWindowTitle(title);
    }
}

void EditSettingWindow::on_chkOnlyExistPort_toggled(bool)
{
    f_UpdateComPort();
}

void EditSettingWindow::on_btnSerialPortUpdate_clicked()
{
    f_UpdateComPort();
}

void EditSettingWindow::f_UpdateComPort()
{
    qCDebug(lcDialogs, "***** Call f_UpdateComPort Start *****");
    qCDebug(lcDialogs, "***** Call f_UpdateComPort End *****");
}

void EditSettingWindow::on_optLANModeIPv6_toggled(bool)
{
    f_IPMask();
}

void EditSettingWindow::on_optLANModeIPv4_toggled(bool)
{
    f_IPMask();
}

void EditSettingWindow::on_optLANModeHost_toggled(bool)
{
    f_IPMask();
}
