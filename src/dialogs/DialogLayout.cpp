#include "DialogLayout.h"

#include <QLayout>
#include <QWidget>

// The resource registration names a function of global scope.
static void RegisterDialogIconResources()
{
    Q_INIT_RESOURCE(Lumivox5Icons);
}

namespace DialogLayout {

void RegisterWindowIcons()
{
    static const bool registered = (RegisterDialogIconResources(), true);
    Q_UNUSED(registered);
}

void WidenToMinimumButtonWidth(QWidget* button)
{
    if (!button || button->width() >= MINIMUM_BUTTON_WIDTH)
        return;
    const QRect area = button->geometry();
    button->setGeometry(area.x(), area.y(), MINIMUM_BUTTON_WIDTH, area.height());
}

void RaiseToMinimumButtonHeight(QWidget* widget)
{
    if (!widget || widget->height() >= MINIMUM_BUTTON_HEIGHT)
        return;
    const QRect area = widget->geometry();
    widget->setGeometry(area.x(), area.y(), area.width(), MINIMUM_BUTTON_HEIGHT);
    if (widget->parentWidget() && widget->parentWidget()->layout())
        widget->setMinimumHeight(MINIMUM_BUTTON_HEIGHT);
}

} // namespace DialogLayout
