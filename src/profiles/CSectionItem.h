#ifndef CSECTIONITEM_H
#define CSECTIONITEM_H

#include <QString>
#include <QtGlobal>

// One choice of an item list: an input terminal, a picture preset, a lamp mode...
class CSectionItem
{
public:
    // The code the projector knows the item by ("1AH" in the profile file is 26).
    qint32 code = 0;
    // Display name in the chosen language.
    QString name;
    // True for items the program supplies itself, false for items of the profile file.
    bool builtIn = false;
    // True when the item has a second code (sub) that also denotes it.
    bool hasSub = false;
    qint32 sub = 0;
    // Whether menus and the schedule editor offer the item.
    bool show = true;
};

#endif // CSECTIONITEM_H
