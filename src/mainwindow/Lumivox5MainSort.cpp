// The View menu's sort drop-down.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

void Lumivox5Main::f_On_MenuViewSort_hovered() {}
void Lumivox5Main::f_On_ViewSortSelected() {}
void Lumivox5Main::f_MenuSortDropDownCreate(QMenu*) {}
