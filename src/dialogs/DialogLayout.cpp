#include "DialogLayout.h"

#include <QLayout>
#include <QWidget>

namespace DialogLayout {

void WidenToMinimumButtonWidth(QWidget* button)
{
    if (!button || button->width() >= MINIMUM_BUTTON_WIDTH)
        return;
    const QRect area = button->geometry();
    button->setGeometry(area.x(), area.y(), MINIMUM_BUTTON_WIDTH, area.height());
}

void RaiseToMinimumButtonHeight(QWidget* widget)
{
    if (!widget)
        return;
    // Under a layout the minimum is what keeps the height once laid out.
    if (widget->parentWidget() && widget->parentWidget()->layout() && widget->minimumHeight() < MINIMUM_BUTTON_HEIGHT)
        widget->setMinimumHeight(MINIMUM_BUTTON_HEIGHT);
    if (widget->height() >= MINIMUM_BUTTON_HEIGHT)
        return;
    const QRect area = widget->geometry();
    widget->setGeometry(area.x(), area.y(), area.width(), MINIMUM_BUTTON_HEIGHT);
}

} // namespace DialogLayout
