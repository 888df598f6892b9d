#ifndef SETTINGSDIALOGFRAME_H
#define SETTINGSDIALOGFRAME_H

#include <QDialog>
#include <QWidget>

#include <memory>

#include "ExceptionTrace.h"
#include "ModalBoxes.h"

class CLumivox5Data;

// A dialog window whose title bar carries only the close button.
static const Qt::WindowFlags SETTINGS_DIALOG_FLAGS = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;

// The frame every settings-dialog launcher of the main window runs in: the
// dialog is made with the window as parent, handed its data by `prepare`,
// run modally with the hub's modal-dialog flag set, and `apply` runs only
// when it was accepted. The flag is put back and the dialog deleted on every
// path, an exception's too (traced, never thrown on). Gives the dialog's
// result, 0 when an exception stopped it.
template <class Dialog, class Prepare, class Apply>
int RunSettingsDialog(QWidget* window, CLumivox5Data* hub, Prepare&& prepare, Apply&& apply)
{
    std::unique_ptr<Dialog> dialog;
    int result = 0;
    RunTraced([&] {
        dialog.reset(new Dialog(window));
        dialog->setWindowFlags(SETTINGS_DIALOG_FLAGS);
        prepare(dialog.get());
        CModalDialogFlag modal(hub);
        dialog->setModal(true);
        const int answer = dialog->exec();
        if (answer == QDialog::Accepted)
            apply(dialog.get());
        result = answer;
    });
    return result;
}

#endif // SETTINGSDIALOGFRAME_H
