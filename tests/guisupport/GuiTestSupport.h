#ifndef GUITESTSUPPORT_H
#define GUITESTSUPPORT_H

#include <QEvent>

#include <functional>

class QWidget;

// Helpers every GUI test folder shares.
namespace GuiTestSupport {

// Installs the program's embedded English catalogue for the rest of the
// test run (once), so that widgets show the texts the operator reads.
void InstallEnglishCatalogue();

// Runs `action` once on the popup menu or modal dialog that opens next, as
// soon as it shows, so that a test can drive code that waits in exec(). The
// action usually closes what it was given. Gives up after `timeoutMs`.
void OnNextPopup(std::function<void(QWidget*)> action, int timeoutMs = 5000);

// Sends a focus event (QEvent::FocusIn or FocusOut) straight to the widget,
// as the window system would when the keyboard focus comes or goes.
void SendFocus(QWidget* widget, QEvent::Type type);

} // namespace GuiTestSupport

#endif // GUITESTSUPPORT_H
