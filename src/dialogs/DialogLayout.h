#ifndef DIALOGLAYOUT_H
#define DIALOGLAYOUT_H

class QWidget;

// Layout rules every dialog applies after building its form.
namespace DialogLayout {

// The narrowest a dialog's push button (or button box) may be.
const int MINIMUM_BUTTON_WIDTH = 32;

// Widens a narrower widget to MINIMUM_BUTTON_WIDTH, keeping its left edge,
// top and height.
void WidenToMinimumButtonWidth(QWidget* button);

// The lowest a dialog's button row may be where the form asks for it.
const int MINIMUM_BUTTON_HEIGHT = 32;

// Makes a button (or button box) placed by a layout at least
// MINIMUM_BUTTON_HEIGHT high; the layout keeps its place.
void RaiseToMinimumButtonHeight(QWidget* button);

} // namespace DialogLayout

#endif // DIALOGLAYOUT_H
