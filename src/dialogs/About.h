#ifndef ABOUT_H
#define ABOUT_H

#include <QDialog>
#include <QString>

#include <memory>

class QEvent;
class QGraphicsScene;
class QShowEvent;
class QWidget;

namespace Ui {
class About;
}

// The about dialog of the main program: product name, setup, application and
// model profile versions, a help row and the copyright line. It keeps no data:
// every text is read from the application object's properties at each show
// (the identity recorded at start-up, the profile header values the opener
// puts there just before).
class About : public QDialog
{
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);
    ~About() override;

    // Sets the application name, the version from the embedded ":/app.plist"
    // and the identity properties. Called once, right after the application
    // object is created.
    static void SetupVersion();

    // The application property "SetupVersion".
    static QString f_GetSetupVersion();
    // The application version as shown: four decimal numbers, empty when it
    // has fewer than three parts or its first two are no numbers.
    static QString f_GetAppVersion();
    // A model profile version as shown: "a.b.c" reads "a.b.0.c"; fewer parts
    // stay as they are; nothing reads "---".
    static QString GetVersionString(QString text);

signals:
    void on_f_HelpRevision(QString url, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_cmdHelp_pressed();
    void on_btnOK_clicked();

private:
    Q_DISABLE_COPY(About)

    void f_CorrectLayout();

    std::unique_ptr<Ui::About> ui;
    std::unique_ptr<QGraphicsScene> m_IconScene;
    QString m_ProfileVersion;
    QString m_ProfileExtraVersion;
};

#endif // ABOUT_H
