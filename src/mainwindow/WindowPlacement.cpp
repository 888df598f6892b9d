#include "WindowPlacement.h"

#include <QtGlobal>

QRect WindowPlacement::Place(const QRect& desktop, const QRect& available, const QRect& stored, bool positionValid,
                             bool sizeValid)
{
    int w = DEFAULT_WIDTH;
    int h = DEFAULT_HEIGHT;
    if (sizeValid) {
        w = qMin(stored.width(), desktop.width());
        h = qMin(stored.height(), desktop.height());
    }
    int x;
    int y;
    if (positionValid) {
        x = stored.x();
        y = stored.y();
        if (x + w <= desktop.left())
            x = desktop.left();
        if (x + w >= desktop.left() + desktop.width())
            x = desktop.left() + desktop.width() - w;
        y = qMax(y, desktop.top());
        if (y >= desktop.top() + desktop.height())
            y = desktop.top() + desktop.height() - h;
    } else {
        // The available area's own offset is not added.
        x = (available.width() - DEFAULT_WIDTH) / 2;
        y = (available.height() - DEFAULT_HEIGHT) / 2;
    }
    return QRect(x, y, w, h);
}
