#ifndef HELPVIEWER_H
#define HELPVIEWER_H

#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include <functional>

#include "CLanguageCodeTable.h"
#include "CRegistry.h"

class QWebView;
class Ui_HelpViewer;

// The help viewer's window: the manual's index pane on the left, its contents
// pane on the right. Links of the index open in the contents pane; web and
// mail links of the contents go to the desktop's handler. A page that does
// not exist shows a short notice instead. The window keeps its place and size
// in its own settings file.
class HelpViewer : public QMainWindow
{
    Q_OBJECT

public:
    // Opens a web or mail link outside the viewer; tests replace it.
    using UrlOpener = std::function<void(const QUrl&)>;
    static void SetUrlOpener(UrlOpener opener); // empty: the desktop's handler again

    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Records the program's name, version and identity on the application object.
    void MakeSetupVersion();

    // Show a page (a path or a file URL) in the index or the contents pane; an
    // empty text changes nothing.
    void HTMLViewIndex(QString page);
    void HTMLViewContents(QString page);
    // The manual's folder beside the program, ending in "/"; with the
    // language's folder when `withLanguage` is set.
    QString HTMLcurrentPath(bool withLanguage) const;

    void SetActivateWindow();

    // The language the window runs in.
    int LanguageCode() const { return int(m_LanguageTable.m_LanguageCode); }

public slots:
    // The pages a command line asks for; brings the window forward once it is shown.
    void MultipleLaunch(QStringList argv);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void on_webViewIndex_linkClicked(QUrl link);
    void on_webViewContents_linkClicked(QUrl link);

private:
    void f_ShowPage(QWebView* view, const QString& page);
    QString f_NotFoundPage(const QString& page) const;

    Ui_HelpViewer* m_Ui;
    bool m_Shown;
    int m_PosX;
    int m_PosY;
    int m_Width;
    int m_Height;
    bool m_WasMaximized;
    CRegistry m_Registry;
    CLanguageCodeTable m_LanguageTable;
};

#endif // HELPVIEWER_H
