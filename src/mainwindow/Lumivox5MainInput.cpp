// The input selection drop-downs and switching the selection's input.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

void Lumivox5Main::f_On_menuPJCtrlSignalSelect_showDropDown() {}
void Lumivox5Main::f_OnInputSW_triggered() {}
void Lumivox5Main::f_MenuSignalSelectDropDownCreate(QMenu*) {}
