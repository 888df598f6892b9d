#include "AddressInput.h"
#include "ui_AddressInput.h"

#include "DialogLayout.h"
#include "Ipv4Text.h"
#include "ModalBoxes.h"
#include "SettingsDialogFrame.h"

#include <QKeyEvent>

namespace {

// A field's address as typed: always decimal, the mask's blanks ignored.
// Null when the text is no IPv4 address.
QHostAddress parsedField(const QLineEdit* field)
{
    quint32 value = 0;
    return parseIpv4Text(field->text(), &value) ? QHostAddress(value) : QHostAddress();
}

// The address's 32-bit value, 0 for a null or unparsable address.
quint32 valueOf(const QHostAddress& address)
{
    return address.isNull() ? 0 : address.toIPv4Address();
}

QString dotted(const QHostAddress& address)
{
    return address.isNull() ? QString() : address.toString();
}

} // namespace

AddressInput::AddressInput(int mode, QHostAddress* addresses, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_AddressInput)
{
    ui->setupUi(this);
    f_CorrectLayout();
    // Set before the focus below: a change of flags makes the window anew.
    setWindowFlags(SETTINGS_DIALOG_FLAGS);
    if (mode == MODE_SINGLE)
        ui->radioButtonInputIpSpecify->setChecked(true);
    else if (mode == MODE_RANGE)
        ui->radioButtonInputIpRange->setChecked(true);
    ui->txtLANIPv4Start->m_AddressMode = CLineEditForIPAddress::MODE_IPV4;
    ui->txtLANIPv4End->m_AddressMode = CLineEditForIPAddress::MODE_IPV4;
    if (addresses) {
        ui->txtLANIPv4Start->setText(dotted(addresses[0]));
        ui->txtLANIPv4End->setText(dotted(addresses[1]));
    }
    if (mode == MODE_RANGE)
        ui->radioButtonInputIpRange->setFocus(Qt::OtherFocusReason);
    ui->txtLANIPv4Start->installEventFilter(this);
    ui->txtLANIPv4End->installEventFilter(this);
    ui->pushButtonAdd->installEventFilter(this);
    m_Constructing = false;
}

AddressInput::~AddressInput()
{
    delete ui;
}

int AddressInput::GetInputAddress(int& mode, QHostAddress* addresses)
{
    mode = ui->radioButtonInputIpSpecify->isChecked() ? MODE_SINGLE : MODE_RANGE;
    addresses[0] = parsedField(ui->txtLANIPv4Start);
    if (mode == MODE_RANGE)
        addresses[1] = parsedField(ui->txtLANIPv4End);
    return 0;
}

void AddressInput::f_CorrectLayout()
{
    for (QWidget* button : {ui->pushButtonAdd, ui->pushButtonCancel})
        DialogLayout::WidenToMinimumButtonWidth(button);
}

void AddressInput::on_radioButtonInputIpRange_toggled(bool checked)
{
    // Leaving single mode: an end field that holds no address takes the start.
    if (!ui->txtLANIPv4End->isEnabled() && !m_Constructing && valueOf(parsedField(ui->txtLANIPv4End)) == 0)
        ui->txtLANIPv4End->setText(ui->txtLANIPv4Start->text());
    ui->txtLANIPv4End->setEnabled(checked);
}

void AddressInput::on_txtLANIPv4Start_textChanged(QString)
{
    if (!ui->txtLANIPv4End->isEnabled()) {
        m_PreviousStart = QHostAddress();
        return;
    }
    // In range mode the end follows every change of the start address.
    const QHostAddress start = parsedField(ui->txtLANIPv4Start);
    if (start != m_PreviousStart)
        ui->txtLANIPv4End->setText(ui->txtLANIPv4Start->text());
    m_PreviousStart = start;
}

void AddressInput::on_pushButtonAdd_clicked()
{
    const quint32 s = valueOf(parsedField(ui->txtLANIPv4Start));
    const quint32 e = valueOf(parsedField(ui->txtLANIPv4End));
    bool valid = isUsableIpv4Address(s);
    if (valid && ui->radioButtonInputIpRange->isChecked())
        valid = isUsableIpv4Address(e) && (s & 0xFFFFFF00u) == (e & 0xFFFFFF00u) && s <= e;
    if (valid) {
        accept();
        return;
    }
    CMessageBoxes::Warning(this, nullptr, tr("Lumivox5MsgTitle"), tr("An invalid address is being used."));
}

void AddressInput::f_FocusLastOctet(CLineEditForIPAddress* field)
{
    field->setCursorPosition(field->inputMask().lastIndexOf(QLatin1Char('.')) + 4);
    field->setFocus(Qt::OtherFocusReason);
}

bool AddressInput::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool backwards = key == Qt::Key_Backtab || key == Qt::Key_Up || key == Qt::Key_Right;
    if (watched == ui->pushButtonAdd) {
        if (!backwards)
            return false;
        f_FocusLastOctet(ui->radioButtonInputIpRange->isChecked() ? ui->txtLANIPv4End : ui->txtLANIPv4Start);
        return true;
    }
    if (watched == ui->txtLANIPv4End && backwards && ui->txtLANIPv4End->cursorPosition() == 0) {
        f_FocusLastOctet(ui->txtLANIPv4Start);
        return true;
    }
    // Every other key of the fields goes straight to the field's own
    // handling, before the focus chain sees Tab and Backtab, so that they move
    // between the field's octets. A key the field leaves unused stays ignored
    // and goes on to the dialog: Escape closes it, Enter presses Add, Tab in
    // the last octet moves to the next widget.
    if (watched == ui->txtLANIPv4Start || watched == ui->txtLANIPv4End) {
        static_cast<CLineEditForIPAddress*>(watched)->keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return false;
}
