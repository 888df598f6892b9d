#include "ScriptedModalBoxes.h"

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    CMessageBoxes::SetScript([this](const CMessageBoxes::Box& box) {
        shown.append(box);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return box.defaultButton != QMessageBox::NoButton ? box.defaultButton : QMessageBox::Ok;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    CMessageBoxes::SetScript(CMessageBoxes::Script());
}

ScriptedFileDialogs::ScriptedFileDialogs()
{
    CFileDialogs::SetScript([this](const CFileDialogs::Request& request) {
        asked.append(request);
        return answers.isEmpty() ? CFileDialogs::Answer() : answers.takeFirst();
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    CFileDialogs::SetScript(CFileDialogs::Script());
}
