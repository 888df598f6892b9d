#ifndef WINDOWPLACEMENT_H
#define WINDOWPLACEMENT_H

#include <QRect>

// Where the main window goes on its first show, from the stored frame
// geometry and the desktop. A stored size larger than the desktop is cut to
// it; a stored position off the left, right or bottom edge is pulled back,
// one above the top edge moved down to it. Without a stored size the window
// takes 800 x 600; without a stored position it is centred on the primary
// screen's available area.
struct WindowPlacement
{
    static const int DEFAULT_WIDTH = 800;
    static const int DEFAULT_HEIGHT = 600;

    // desktop: the whole desktop; available: the primary screen's available
    // area; stored: the stored frame, its position and size valid as flagged.
    static QRect Place(const QRect& desktop, const QRect& available, const QRect& stored, bool positionValid,
                       bool sizeValid);
};

#endif // WINDOWPLACEMENT_H
