#ifndef CLINEEDITFORIPADDRESS_H
#define CLINEEDITFORIPADDRESS_H

#include <QLineEdit>

class QEvent;
class QKeyEvent;
class QShowEvent;

// The edit the operator types a projector's network address into. Its owner
// sets the address mode after construction; the mode's settings take effect
// when the edit is shown (or on inputMaskChanging()). In IPv4 mode the edit
// has a dotted mask of three-digit octets, and Tab, Backtab and "." move the
// cursor from octet to octet.
class CLineEditForIPAddress : public QLineEdit
{
    Q_OBJECT
public:
    enum AddressMode { MODE_PLAIN = 0, MODE_IPV4 = 1, MODE_IPV6 = 2, MODE_HOST = 3 };
    // Each "." is followed by three literal blanks; the blank character is a space.
    static const char* const IPV4_MASK;
    static const int HOST_NAME_LENGTH = 32;

    explicit CLineEditForIPAddress(QWidget* parent = nullptr);

    // One of AddressMode; any other value behaves as MODE_PLAIN.
    int m_AddressMode = MODE_PLAIN;

    // The octet navigation of the IPv4 mode; every other key, and every key
    // in the other modes, gets the standard handling. Public, so that an
    // owner that watches the edit's keys can hand them on.
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    // Applies the settings of the current mode now, as a show does.
    void inputMaskChanging();
    // Unused hooks, connected to nothing.
    void onLineEdit_Changed(int oldPos, int newPos);
    void onLineEdit_SelectedChanged();

protected:
    // Tab and Backtab reach the octet navigation before the focus moves on;
    // a key it leaves unused moves the focus as usual.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

#endif // CLINEEDITFORIPADDRESS_H
