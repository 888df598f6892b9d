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

// The lowest a dialog's button row may be.
const int MINIMUM_BUTTON_HEIGHT = 32;

// Raises a lower widget to MINIMUM_BUTTON_HEIGHT, keeping its left edge, top
// and width. A widget that a layout places gets that height as its minimum,
// so that the layout does not shrink it again.
void RaiseToMinimumButtonHeight(QWidget* widget);

} // namespace DialogLayout

#endif // DIALOGLAYOUT_H
