// The projector clipboard.
#include "Lumivox5Main.h"

void Lumivox5Main::ProjectorCut() {}
void Lumivox5Main::ProjectorCopy() {}
void Lumivox5Main::ProjectorPaste() {}
void Lumivox5Main::ProjectorPaste(QString) {}
void Lumivox5Main::ProjectorDelete() {}
void Lumivox5Main::on_actMenuPJCut_triggered() {}
void Lumivox5Main::on_actMenuPJCopy_triggered() {}
void Lumivox5Main::on_actMenuPJPaste_triggered() {}
void Lumivox5Main::on_actMenuPJDelete_triggered() {}

int Lumivox5Main::f_UpdateTargetList(QList<int>*, QList<bool>*, QMap<int, CProjectorData*>*,
                                     QMap<int, CProjectorData*>*)
{
    return 0;
}
void Lumivox5Main::f_AutoSearchLANShowHelp(QWidget*) {}
