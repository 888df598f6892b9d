#include "ModalBoxes.h"

#include "CLumivox5Data.h"

#include <QAbstractButton>
#include <QFileDialog>

namespace {

CMessageBoxes::Script& messageScript()
{
    static CMessageBoxes::Script script;
    return script;
}

CFileDialogs::Script& fileScript()
{
    static CFileDialogs::Script script;
    return script;
}

} // namespace

CModalDialogFlag::CModalDialogFlag(CLumivox5Data* hub)
    : m_Hub(hub)
    , m_Prior(hub ? hub->m_ModalDialog : false)
{
    if (m_Hub)
        m_Hub->m_ModalDialog = true;
}

CModalDialogFlag::~CModalDialogFlag()
{
    if (m_Hub)
        m_Hub->m_ModalDialog = m_Prior;
}

QMessageBox::StandardButton CMessageBoxes::Show(QWidget* parent, CLumivox5Data* hub, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton,
                                                const QMap<QMessageBox::StandardButton, QString>& buttonTexts)
{
    CModalDialogFlag modal(hub);
    if (const Script& script = messageScript())
        return script(Box{icon, title, text, buttons, defaultButton, hub && hub->m_ModalDialog, buttonTexts, parent});
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    for (auto it = buttonTexts.constBegin(); it != buttonTexts.constEnd(); ++it) {
        if (QAbstractButton* button = box.button(it.key()))
            button->setText(it.value());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton CMessageBoxes::Warning(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                   const QString& text)
{
    return Show(parent, hub, QMessageBox::Warning, title, text);
}

QMessageBox::StandardButton CMessageBoxes::Critical(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                    const QString& text)
{
    return Show(parent, hub, QMessageBox::Critical, title, text);
}

QMessageBox::StandardButton CMessageBoxes::Information(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                       const QString& text)
{
    return Show(parent, hub, QMessageBox::Information, title, text);
}

QMessageBox::StandardButton CMessageBoxes::Question(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                    const QString& text, QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    return Show(parent, hub, QMessageBox::Question, title, text, buttons, defaultButton);
}

void CMessageBoxes::SetScript(Script script)
{
    messageScript() = std::move(script);
}

QString CFileDialogs::GetOpenFileName(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                      const QString& directory, const QString& filter, QString* selectedFilter)
{
    return f_Run(OPEN_FILE, parent, hub, caption, directory, filter, selectedFilter);
}

QString CFileDialogs::GetSaveFileName(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                      const QString& directory, const QString& filter, QString* selectedFilter)
{
    return f_Run(SAVE_FILE, parent, hub, caption, directory, filter, selectedFilter);
}

QString CFileDialogs::GetExistingDirectory(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                           const QString& directory)
{
    return f_Run(FOLDER, parent, hub, caption, directory, QString(), nullptr);
}

void CFileDialogs::SetScript(Script script)
{
    fileScript() = std::move(script);
}

QString CFileDialogs::f_Run(Kind kind, QWidget* parent, CLumivox5Data* hub, const QString& caption,
                            const QString& directory, const QString& filter, QString* selectedFilter)
{
    CModalDialogFlag modal(hub);
    if (const Script& script = fileScript()) {
        const Answer answer = script(Request{kind, caption, directory, filter, hub && hub->m_ModalDialog});
        if (selectedFilter)
            *selectedFilter = answer.selectedFilter;
        return answer.path;
    }
    switch (kind) {
    case OPEN_FILE:
        return QFileDialog::getOpenFileName(parent, caption, directory, filter, selectedFilter);
    case SAVE_FILE:
        return QFileDialog::getSaveFileName(parent, caption, directory, filter, selectedFilter);
    case FOLDER:
        break;
    }
    return QFileDialog::getExistingDirectory(parent, caption, directory);
}
