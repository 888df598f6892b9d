#include "CLineEditForIPAddress.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QStringList>

const char* const CLineEditForIPAddress::IPV4_MASK = "000.   000.   000.   000; ";

CLineEditForIPAddress::CLineEditForIPAddress(QWidget* parent)
    : QLineEdit(parent)
{
}

void CLineEditForIPAddress::inputMaskChanging()
{
    switch (m_AddressMode) {
    case MODE_IPV4:
        setInputMethodHints(Qt::ImhHiddenText);
        setInputMask(QString::fromLatin1(IPV4_MASK));
        setAlignment(Qt::AlignHCenter);
        break;
    case MODE_IPV6:
        setInputMethodHints(Qt::ImhHiddenText);
        setAlignment(Qt::AlignLeft);
        break;
    case MODE_HOST:
        setMaxLength(HOST_NAME_LENGTH);
        setInputMethodHints(Qt::ImhHiddenText);
        setAlignment(Qt::AlignLeft);
        break;
    default:
        break;
    }
}

void CLineEditForIPAddress::onLineEdit_Changed(int, int) {}

void CLineEditForIPAddress::onLineEdit_SelectedChanged() {}

void CLineEditForIPAddress::showEvent(QShowEvent* event)
{
    inputMaskChanging();
    QLineEdit::showEvent(event);
}

bool CLineEditForIPAddress::event(QEvent* event)
{
    if (m_AddressMode == MODE_IPV4 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            key->accept();
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
            // Unused: the focus moves on as for any edit.
            key->accept();
        }
    }
    return QLineEdit::event(event);
}

void CLineEditForIPAddress::keyPressEvent(QKeyEvent* event)
{
    if (m_AddressMode != MODE_IPV4) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString mask = inputMask();
    const int p = cursorPosition();
    const bool backtab = event->key() == Qt::Key_Backtab ||
                         (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    if (backtab) {
        // To the first position of the octet before the dot left of the cursor.
        const int dot = mask.left(p).lastIndexOf(QLatin1Char('.'));
        if (dot >= 0) {
            setCursorPosition(dot - 3);
            event->accept();
            return;
        }
    } else if (event->key() == Qt::Key_Tab) {
        // Just behind the next dot right of the cursor.
        const int dot = mask.indexOf(QLatin1Char('.'), p);
        if (dot >= 0) {
            setCursorPosition(dot + 1);
            event->accept();
            return;
        }
    } else if (event->key() == Qt::Key_Period) {
        // A dot in an empty octet would skip it. So would one at an octet's
        // first place: the edit moves there by itself after three digits, so
        // "192.0.2.30" typed over a filled field would leave out octet 2.
        const int octet = mask.left(p).split(QLatin1Char('.')).size() - 1;
        const bool octetStart = p == 0 || (p <= mask.size() && mask.at(p - 1) == QLatin1Char(' '));
        if (octetStart || text().split(QLatin1Char('.')).value(octet).trimmed().isEmpty()) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
