#ifndef SCRIPTEDMODALBOXES_H
#define SCRIPTEDMODALBOXES_H

#include "ModalBoxes.h"

#include <QList>

// While it lives, message boxes are answered from `answers` (in order; the
// box's default button, or Ok, once they run out) and recorded in `shown`.
class ScriptedMessageBoxes
{
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    QList<QMessageBox::StandardButton> answers;
    QList<CMessageBoxes::Box> shown;
};

// While it lives, file and folder choosers are answered from `answers` (in
// order; an empty path, as a cancel, once they run out) and recorded in `asked`.
class ScriptedFileDialogs
{
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    QList<CFileDialogs::Answer> answers;
    QList<CFileDialogs::Request> asked;
};

#endif // SCRIPTEDMODALBOXES_H
