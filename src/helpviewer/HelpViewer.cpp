#include "HelpViewer.h"
#include "ui_HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QWebFrame>
#include <QWebPage>
#include <QWebSettings>
#include <QWebView>

#include "AppPaths.h"
#include "ExceptionTrace.h"
#include "HelpNames.h"
#include "HelpPages.h"
#include "LogCategories.h"
#include "VersionProperties.h"

namespace {

// Used when the catalogue has no notice of its own for a missing page.
const char* const ENGLISH_NOT_FOUND =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<html>\n"
    "<head>\n"
    "  <meta http-equiv=content-language content=\"en-us\">\n"
    "  <meta http-equiv=content-type content=\"text/html; charset=iso-8859-1\">\n"
    "</head>\n"
    "<body>\n"
    "  <p>[%1] was not found.</p>\n"
    "</body>\n"
    "</html>\n";

HelpViewer::UrlOpener& urlOpener()
{
    static HelpViewer::UrlOpener opener;
    return opener;
}

// A page text as HTML that reads the same whatever character set the
// notice declares: markup escaped, characters beyond ASCII as references.
QString asciiHtml(const QString& text)
{
    const QString escaped = text.toHtmlEscaped();
    QString result;
    result.reserve(escaped.size());
    const QVector<uint> codePoints = escaped.toUcs4();
    for (uint c : codePoints) {
        if (c < 0x80)
            result += QChar(ushort(c));
        else
            result += QStringLiteral("&#%1;").arg(c);
    }
    return result;
}

} // namespace

void HelpViewer::SetUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

HelpViewer::HelpViewer(QWidget* parent)
    : QMainWindow(parent)
    , m_Ui(new Ui_HelpViewer)
    , m_Shown(false)
    , m_PosX(0)
    , m_PosY(0)
    , m_Width(0)
    , m_Height(0)
    , m_WasMaximized(false)
    , m_LanguageTable(CLanguageCodeTable::LanguageCodeForLocale(QLocale::system()))
{
    try {
        // The form's icon and the version list live in a static library.
        Q_INIT_RESOURCE(HelpViewer);
        m_LanguageTable.SetEnglishCatalogueName(QStringLiteral("Lumivox5Help.en-US"));
        m_LanguageTable.SetCulture(this);
        if (m_LanguageTable.m_TranslatorReady && m_LanguageTable.m_pTranslator)
            QCoreApplication::installTranslator(m_LanguageTable.m_pTranslator);

        m_Ui->setupUi(this);
        // A wider window gives its room to the page, not to the index.
        m_Ui->splitter->setStretchFactor(0, 0);
        m_Ui->splitter->setStretchFactor(1, 1);
        for (QWebView* view : { m_Ui->webViewIndex, m_Ui->webViewContents }) {
            view->page()->setLinkDelegationPolicy(QWebPage::DelegateAllLinks);
            view->pageAction(QWebPage::Back)->setEnabled(false);
            view->pageAction(QWebPage::Forward)->setEnabled(false);
            // The manual needs no scripts; nothing shown here may run any.
            view->settings()->setAttribute(QWebSettings::JavascriptEnabled, false);
            view->settings()->setAttribute(QWebSettings::PluginsEnabled, false);
            view->installEventFilter(this);
        }

        m_Shown = false;
        m_Registry.Read();
    } catch (const std::exception& e) {
        TraceException(e);
        delete m_Ui;
        throw;
    }
}

HelpViewer::~HelpViewer()
{
    delete m_Ui;
}

void HelpViewer::MakeSetupVersion()
{
    RunTraced([] {
        VersionConstants constants;
        constants.programName = QStringLiteral("Lumivox 5 Help Viewer");
        constants.copyright = QStringLiteral("Copyright (C) 2010-2026 Corvex Systems, Ltd. All Rights Reserved.");
        constants.companyName = QStringLiteral("Corvex Systems, Ltd.");
        constants.originalFilename = QStringLiteral("HelpViewer.exe");
        constants.executableName = QStringLiteral("HelpViewer");
        SetupVersionProperties(QStringLiteral(":/app.plist"), constants);
    });
}

QString HelpViewer::HTMLcurrentPath(bool withLanguage) const
{
    QString path = AppPaths::programFolder() + QStringLiteral("/Help/");
    if (withLanguage)
        path += HelpNames::LanguageFolder(LanguageCode());
    return path;
}

void HelpViewer::HTMLViewIndex(QString page)
{
    RunTraced([&] { f_ShowPage(m_Ui->webViewIndex, page); });
}

void HelpViewer::HTMLViewContents(QString page)
{
    RunTraced([&] { f_ShowPage(m_Ui->webViewContents, page); });
}

void HelpViewer::f_ShowPage(QWebView* view, const QString& page)
{
    if (page.isEmpty())
        return;
    view->page()->triggerAction(QWebPage::Stop);
    const HelpPages::PageTarget target = HelpPages::ResolvePage(page, HTMLcurrentPath(false));
    qCDebug(lcHelpViewer) << view->objectName() << page << "->" << (target.found ? target.url.toString() : "not found");
    if (target.found)
        view->load(target.url);
    else
        view->page()->mainFrame()->setHtml(f_NotFoundPage(page), QUrl());
}

QString HelpViewer::f_NotFoundPage(const QString& page) const
{
    QString html = tr("FileNotFound");
    if (html == QLatin1String("FileNotFound"))
        html = QString::fromLatin1(ENGLISH_NOT_FOUND);
    return html.replace(QLatin1String("%1"), asciiHtml(page));
}

void HelpViewer::MultipleLaunch(QStringList argv)
{
    RunTraced([&] {
        if (!argv.isEmpty()) {
            const QList<HelpPages::PageRequest> requests = HelpPages::LaunchRequests(argv, HTMLcurrentPath(false));
            for (const HelpPages::PageRequest& request : requests) {
                if (request.pane == HelpPages::PageRequest::Index)
                    HTMLViewIndex(request.page);
                else
                    HTMLViewContents(request.page);
            }
        }
        if (m_Shown)
            SetActivateWindow();
    });
}

void HelpViewer::SetActivateWindow()
{
    RunTraced([&] {
        if (windowState() == Qt::WindowMinimized)
            showNormal();
        raise();
        QApplication::setActiveWindow(this);
        activateWindow();
    });
}

void HelpViewer::on_webViewIndex_linkClicked(QUrl link)
{
    HTMLViewContents(link.toString());
}

void HelpViewer::on_webViewContents_linkClicked(QUrl link)
{
    RunTraced([&] {
        if (HelpPages::RouteLink(false, link) == HelpPages::LinkRoute::Desktop) {
            if (urlOpener())
                urlOpener()(link);
            else
                QDesktopServices::openUrl(link);
            return;
        }
        HTMLViewContents(link.toString());
    });
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    // Backspace would go back a page or edit: neither pane does either.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void HelpViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QMainWindow::keyPressEvent(event);
}

void HelpViewer::showEvent(QShowEvent*)
{
    RunTraced([&] {
        if (m_Shown)
            return;
        m_Ui->splitter->setSizes({ 192, m_Ui->splitter->width() - 192 });

        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, width(), height());
        const QRect available = screen ? screen->availableGeometry() : desktop;
        HelpPages::StoredGeometry stored;
        stored.x = m_Registry.m_MainX;
        stored.y = m_Registry.m_MainY;
        stored.width = m_Registry.m_MainWidth;
        stored.height = m_Registry.m_MainHeight;
        stored.positionValid = m_Registry.m_PositionValid;
        stored.sizeValid = m_Registry.m_SizeValid;
        const QRect frame = HelpPages::FirstShowFrame(size(), desktop, available, stored);

        m_PosX = frame.x();
        m_PosY = frame.y();
        m_Width = frame.width();
        m_Height = frame.height();
        move(frame.topLeft());
        // The stored size is the frame's; the window's own area is that less the decoration.
        const QSize decoration = frameGeometry().size() - size();
        const int w = frame.width() - decoration.width();
        const int h = frame.height() - decoration.height();
        resize(w > 0 ? w : frame.width(), h > 0 ? h : frame.height());
        m_Shown = true;
        m_WasMaximized = false;
    });
}

void HelpViewer::moveEvent(QMoveEvent*)
{
    if (!m_Shown || !isVisible() || isMinimized())
        return;
    const QRect frame = frameGeometry();
    m_PosX = frame.x();
    m_PosY = frame.y();
    m_WasMaximized = false;
}

void HelpViewer::resizeEvent(QResizeEvent*)
{
    if (!m_Shown || !isVisible() || isMinimized())
        return;
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        if (m_WasMaximized) {
            m_PosX = 0;
            m_PosY = 0;
        }
        const QRect frame = frameGeometry();
        m_Width = frame.width();
        m_Height = frame.height();
    }
    m_WasMaximized = isMaximized();
}

void HelpViewer::closeEvent(QCloseEvent* event)
{
    RunTraced([&] {
        m_Registry.m_MainX = m_PosX;
        m_Registry.m_MainY = m_PosY;
        m_Registry.m_MainWidth = m_Width;
        m_Registry.m_MainHeight = m_Height;
        m_Registry.Write();
    });
    event->accept();
}
