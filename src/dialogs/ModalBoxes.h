#ifndef MODALBOXES_H
#define MODALBOXES_H

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <functional>

class CLumivox5Data;
class QWidget;

// Holds the data hub's modal-dialog flag set while it lives and puts the
// prior value back afterwards, so that a box shown inside a dialog leaves the
// dialog's flag set. A null hub is allowed and changes nothing.
class CModalDialogFlag
{
public:
    explicit CModalDialogFlag(CLumivox5Data* hub);
    ~CModalDialogFlag();
    CModalDialogFlag(const CModalDialogFlag&) = delete;
    CModalDialogFlag& operator=(const CModalDialogFlag&) = delete;

private:
    CLumivox5Data* m_Hub;
    bool m_Prior;
};

// Every message box of the main window goes through here: the box runs
// with the modal-dialog flag set. Tests install a script that answers in
// place of the operator and sees what would have been shown.
class CMessageBoxes
{
public:
    struct Box
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        // The hub's modal-dialog flag while the box is up.
        bool modalFlag;
        // Texts of the buttons that say more than their standard text.
        QMap<QMessageBox::StandardButton, QString> buttonTexts;
        // The window the box stands over.
        QWidget* parent;
    };
    using Script = std::function<QMessageBox::StandardButton(const Box&)>;

    static QMessageBox::StandardButton Show(QWidget* parent, CLumivox5Data* hub, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                            const QMap<QMessageBox::StandardButton, QString>& buttonTexts = {});
    static QMessageBox::StandardButton Warning(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                               const QString& text);
    static QMessageBox::StandardButton Critical(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                const QString& text);
    static QMessageBox::StandardButton Information(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                   const QString& text);
    static QMessageBox::StandardButton Question(QWidget* parent, CLumivox5Data* hub, const QString& title,
                                                const QString& text, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton);

    // An empty script shows real boxes again.
    static void SetScript(Script script);

private:
    CMessageBoxes() = delete;
};

// The file and folder choosers of the main window, bracketed and scriptable
// like the message boxes. An empty path means the operator cancelled.
class CFileDialogs
{
public:
    enum Kind { OPEN_FILE, SAVE_FILE, FOLDER };
    struct Request
    {
        Kind kind;
        QString caption;
        QString directory;
        QString filter;
        bool modalFlag;
    };
    struct Answer
    {
        QString path;
        QString selectedFilter;
    };
    using Script = std::function<Answer(const Request&)>;

    static QString GetOpenFileName(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                   const QString& directory, const QString& filter,
                                   QString* selectedFilter = nullptr);
    static QString GetSaveFileName(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                   const QString& directory, const QString& filter,
                                   QString* selectedFilter = nullptr);
    static QString GetExistingDirectory(QWidget* parent, CLumivox5Data* hub, const QString& caption,
                                        const QString& directory);

    static void SetScript(Script script);

private:
    CFileDialogs() = delete;
    static QString f_Run(Kind kind, QWidget* parent, CLumivox5Data* hub, const QString& caption,
                         const QString& directory, const QString& filter, QString* selectedFilter);
};

#endif // MODALBOXES_H
