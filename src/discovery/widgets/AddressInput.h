#ifndef ADDRESSINPUT_H
#define ADDRESSINPUT_H

#include <QDialog>
#include <QHostAddress>

class CLineEditForIPAddress;
class Ui_AddressInput;

// What an address search probes: one IPv4 address (mode 0) or a range within
// one /24 network (mode 1). It closes accepted only through a valid Add; the
// caller then reads the mode and addresses back with GetInputAddress.
class AddressInput : public QDialog
{
    Q_OBJECT
public:
    enum Mode { MODE_SINGLE = 0, MODE_RANGE = 1 };

    // `addresses` points at two addresses, start and end, shown in the fields.
    AddressInput(int mode, QHostAddress* addresses, QWidget* parent = nullptr);
    ~AddressInput() override;

    // Writes the mode and the start address; the end address only in range
    // mode (in single mode the caller's end address stays as it was).
    int GetInputAddress(int& mode, QHostAddress* addresses);

    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_pushButtonAdd_clicked();
    void on_txtLANIPv4Start_textChanged(QString text);
    void on_radioButtonInputIpRange_toggled(bool checked);

private:
    void f_CorrectLayout();
    // Puts the cursor at the start of the field's last octet and the focus there.
    static void f_FocusLastOctet(CLineEditForIPAddress* field);

    Ui_AddressInput* ui;
    bool m_Constructing = true;
    QHostAddress m_PreviousStart;
};

#endif // ADDRESSINPUT_H
