#include "DialogLayout.h"

#include <QWidget>

namespace DialogLayout {

void WidenToMinimumButtonWidth(QWidget* button)
{
    if (!button || button->width() >= MINIMUM_BUTTON_WIDTH)
        return;
    const QRect area = button->geometry();
    button->setGeometry(area.x(), area.y(), MINIMUM_BUTTON_WIDTH, area.height());
}

void RaiseToMinimumButtonHeight(QWidget* button)
{
    if (!button || button->height() >= MINIMUM_BUTTON_HEIGHT)
        return;
    const QRect area = button->geometry();
    button->setGeometry(area.x(), area.y(), area.width(), MINIMUM_BUTTON_HEIGHT);
}

} // namespace DialogLayout
