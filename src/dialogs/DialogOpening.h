#ifndef DIALOGOPENING_H
#define DIALOGOPENING_H

#include <functional>

class QShowEvent;

// When a dialog fills its controls from its data. It does so once per
// opening: at the show that opens it (show(), exec(), open()). The window
// system also sends a show, a spontaneous one, when the minimised window is
// restored (a transient dialog is iconified with its main window on many
// desktops); filling then would throw away what the operator typed.
namespace DialogOpening {

// Runs `fill` (an exception traced, not thrown on) when the show opens the
// dialog.
void FillWhenOpened(const QShowEvent* event, const std::function<void()>& fill);

} // namespace DialogOpening

#endif // DIALOGOPENING_H
