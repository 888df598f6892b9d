#include <QtTest>

#include <QApplication>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSettings>
#include <QWebFrame>
#include <QWebHistory>
#include <QWebPage>
#include <QWebView>

#include "CLanguageCodeTable.h"
#include "CPlistSettingsFormat.h"
#include "CRegistry.h"
#include "HelpNames.h"
#include "HelpPages.h"
#include "HelpViewer.h"
#include "HelpViewerRig.h"

Q_DECLARE_METATYPE(HelpPages::LinkRoute)
Q_DECLARE_METATYPE(HelpPages::PageRequest)

namespace {

using HelpPages::PageRequest;

// Waits for the pane's running load to end.
bool helpViewerLoaded(QWebView* view, QSignalSpy& finished)
{
    Q_UNUSED(view);
    return finished.count() > 0 || finished.wait(10000);
}

void helpViewerSeed(const QString& name, const QVariant& value)
{
    QSettings settings(CRegistry::SettingsFilePath(), CPlistSettingsFormat::Format());
    settings.setValue(CRegistry::APPREG_KEY_POSITION + QLatin1Char('/') + name, value);
}

QVariant helpViewerStored(const QString& name)
{
    QSettings settings(CRegistry::SettingsFilePath(), CPlistSettingsFormat::Format());
    return settings.value(CRegistry::APPREG_KEY_POSITION + QLatin1Char('/') + name);
}

} // namespace

class tst_HelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        HelpViewerRig::usePrivateRuntimeFolder();
    }

    void resolvePage_data()
    {
        // Texts as given ("%h" the help folder, "%p" the program folder) and the
        // file expected (relative to the program folder), empty for not found.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("exact path") << "%hen-US/index.htm" << "Help/en-US/index.htm" << "";
        QTest::newRow("file url") << "file://%hen-US/index.htm" << "Help/en-US/index.htm" << "";
        QTest::newRow("FILE url in capitals") << "FILE://%hen-US/index.htm" << "Help/en-US/index.htm" << "";
        QTest::newRow("upper-cased below Help") << "%hEN-US/_RESOURCE/HTML/OPTION.HTM"
                                                << "Help/en-US/_RESOURCE/html/Option.htm" << "";
        QTest::newRow("upper-cased file url") << "FILE://%hEN-US/INDEX.HTM" << "Help/en-US/index.htm" << "";
        QTest::newRow("outside Help is exact only") << "%pOUTSIDE.HTM" << "" << "";
        QTest::newRow("outside Help exact") << "%poutside.htm" << "outside.htm" << "";
        QTest::newRow("dot-dot out of Help, upper-cased") << "%hEN-US/../../OUTSIDE.HTM" << "" << "";
        QTest::newRow("names differing in case: exact") << "%hen-US/page.htm" << "Help/en-US/page.htm" << "";
        QTest::newRow("names differing in case: first in order")
            << "%hEN-US/PAGE.HTM" << "Help/en-US/Page.htm" << "";
        QTest::newRow("folder") << "%hEN-US/_RESOURCE" << "Help/en-US/_RESOURCE" << "";
        QTest::newRow("section") << "%hEN-US/INDEX.HTM#SEC" << "Help/en-US/index.htm" << "#SEC";
        QTest::newRow("query") << "%hen-US/index.htm?q=1" << "Help/en-US/index.htm" << "?q=1";
        QTest::newRow("missing") << "%hEN-US/NOPE.HTM" << "" << "";
        QTest::newRow("missing with section") << "%hEN-US/NOPE.HTM#A" << "" << "";
    }
    void resolvePage()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, suffix);
        HelpViewerRig rig;
        for (const char* file : { "Help/en-US/index.htm", "Help/en-US/_RESOURCE/html/Option.htm",
                                  "Help/en-US/page.htm", "Help/en-US/Page.htm", "outside.htm" })
            QVERIFY(rig.write(QString::fromLatin1(file)));
        text.replace(QLatin1String("%h"), rig.helpFolder()).replace(QLatin1String("%p"), rig.programFolder() + '/');

        const HelpPages::PageTarget target = HelpPages::ResolvePage(text, rig.helpFolder());
        QCOMPARE(target.found, !expected.isEmpty());
        if (expected.isEmpty())
            return;
        QCOMPARE(target.url.toLocalFile(), rig.path(expected));
        QString tail;
        if (target.url.hasQuery())
            tail += '?' + target.url.query();
        if (target.url.hasFragment())
            tail += '#' + target.url.fragment();
        QCOMPARE(tail, suffix);
    }

    void launchRequests_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<PageRequest>>("expected");
        const auto index = [](const char* page) { return PageRequest{ PageRequest::Index, "B/" + QString(page) }; };
        const auto contents = [](const char* page) {
            return PageRequest{ PageRequest::Contents, "B/" + QString(page) };
        };
        QTest::newRow("both") << QStringList{ "/INDEX=en-US/index.htm", "/CONTENTS=en-US/x.htm" }
                              << QList<PageRequest>{ index("EN-US/INDEX.HTM"), contents("EN-US/X.HTM") };
        QTest::newRow("keywords alone") << QStringList{ "/INDEX=", "/CONTENTS=" } << QList<PageRequest>{};
        QTest::newRow("keyword not at the start") << QStringList{ "x/INDEX=a.htm", " /CONTENTS=a.htm" }
                                                  << QList<PageRequest>{};
        QTest::newRow("unknown argument") << QStringList{ "foo", "" } << QList<PageRequest>{};
        QTest::newRow("lower-case keyword, quoted value")
            << QStringList{ "/contents=\"ja-JP/a b.htm\"" } << QList<PageRequest>{ contents("JA-JP/A B.HTM") };
        QTest::newRow("two contents in order") << QStringList{ "/CONTENTS=a.htm", "/CONTENTS=b.htm" }
                                               << QList<PageRequest>{ contents("A.HTM"), contents("B.HTM") };
    }
    void launchRequests()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QList<PageRequest>, expected);
        QCOMPARE(HelpPages::LaunchRequests(arguments, QStringLiteral("B/")), expected);
    }

    void routeLink_data()
    {
        QTest::addColumn<bool>("indexPane");
        QTest::addColumn<QString>("link");
        QTest::addColumn<HelpPages::LinkRoute>("expected");
        using R = HelpPages::LinkRoute;
        QTest::newRow("index: web link") << true << "http://example.invalid/" << R::ContentsPane;
        QTest::newRow("index: page") << true << "file:///h/a.htm" << R::ContentsPane;
        QTest::newRow("contents: page") << false << "file:///h/a.htm" << R::ContentsPane;
        QTest::newRow("contents: http") << false << "http://example.invalid/" << R::Desktop;
        QTest::newRow("contents: HTTP") << false << "HTTP://EXAMPLE.INVALID/" << R::Desktop;
        QTest::newRow("contents: https") << false << "HtTpS://example.invalid/" << R::Desktop;
        QTest::newRow("contents: mailto") << false << "MAILTO:ops@example.invalid" << R::Desktop;
        QTest::newRow("contents: ftp") << false << "ftp://example.invalid/" << R::ContentsPane;
    }
    void routeLink()
    {
        QFETCH(bool, indexPane);
        QFETCH(QString, link);
        QFETCH(HelpPages::LinkRoute, expected);
        QCOMPARE(HelpPages::RouteLink(indexPane, QUrl(link)), expected);
    }

    void languageFolderByCountry_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("folder");
        QTest::newRow("France") << "fr_FR" << "fr-FR/";
        QTest::newRow("Canada, French") << "fr_CA" << "en-US/";
        QTest::newRow("Japan") << "ja_JP" << "ja-JP/";
        QTest::newRow("China") << "zh_CN" << "zh-CN/";
        QTest::newRow("Taiwan") << "zh_TW" << "en-US/";
        QTest::newRow("Germany") << "de_DE" << "en-US/";
    }
    void languageFolderByCountry()
    {
        QFETCH(QString, locale);
        QFETCH(QString, folder);
        QCOMPARE(HelpNames::LanguageFolder(CLanguageCodeTable::LanguageCodeForLocale(QLocale(locale))), folder);
    }

    void firstShowFrame_data()
    {
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<bool>("positionValid");
        QTest::addColumn<bool>("sizeValid");
        QTest::addColumn<QRect>("expected");
        const QRect hd(0, 0, 1920, 1080);
        QTest::newRow("nothing stored: centred") << hd << QRect() << false << false << QRect(640, 300, 640, 480);
        QTest::newRow("stored place and size") << hd << QRect(100, 50, 800, 600) << true << true
                                               << QRect(100, 50, 800, 600);
        QTest::newRow("too wide") << hd << QRect(0, 0, 5000, 600) << true << true << QRect(0, 0, 1920, 600);
        QTest::newRow("far left") << hd << QRect(-3000, 10, 800, 600) << true << true << QRect(0, 10, 800, 600);
        QTest::newRow("partly left stays") << hd << QRect(-100, 10, 800, 600) << true << true
                                           << QRect(-100, 10, 800, 600);
        QTest::newRow("above") << hd << QRect(10, -50, 800, 600) << true << true << QRect(10, 0, 800, 600);
        QTest::newRow("below") << hd << QRect(10, 5000, 800, 480) << true << true << QRect(10, 600, 800, 480);
        QTest::newRow("size only: centred on the old size") << hd << QRect(0, 0, 800, 600) << false << true
                                                            << QRect(640, 300, 800, 600);
    }
    void firstShowFrame()
    {
        QFETCH(QRect, desktop);
        QFETCH(QRect, stored);
        QFETCH(bool, positionValid);
        QFETCH(bool, sizeValid);
        QFETCH(QRect, expected);
        HelpPages::StoredGeometry values;
        values.x = stored.x();
        values.y = stored.y();
        values.width = stored.width();
        values.height = stored.height();
        values.positionValid = positionValid;
        values.sizeValid = sizeValid;
        QCOMPARE(HelpPages::FirstShowFrame(QSize(640, 480), desktop, desktop, values), expected);
    }

    void registryRead_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QRect>("values");
        QTest::addColumn<bool>("positionValid");
        QTest::addColumn<bool>("sizeValid");
        QTest::newRow("no file") << QVariantMap() << QRect(0, 0, 0, 0) << false << false;
        QTest::newRow("only MainX") << QVariantMap{ { "MainX", 40 } } << QRect(40, 0, 0, 0) << false << false;
        QTest::newRow("MainY without MainX") << QVariantMap{ { "MainY", 40 } } << QRect(0, 0, 0, 0) << false << false;
        QTest::newRow("width not a number") << QVariantMap{ { "MainWidth", "abc" }, { "MainHeight", 300 } }
                                            << QRect(0, 0, 0, 300) << false << true;
        QTest::newRow("negative position") << QVariantMap{ { "MainX", -1500 }, { "MainY", -20 } }
                                           << QRect(-1500, -20, 0, 0) << true << false;
    }
    void registryRead()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QRect, values);
        QFETCH(bool, positionValid);
        QFETCH(bool, sizeValid);
        HelpViewerRig rig;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            helpViewerSeed(it.key(), it.value());
        CRegistry registry;
        registry.Read();
        QCOMPARE(QRect(registry.m_MainX, registry.m_MainY, registry.m_MainWidth, registry.m_MainHeight), values);
        QCOMPARE(registry.m_PositionValid, positionValid);
        QCOMPARE(registry.m_SizeValid, sizeValid);
    }

    void registryWritesAndReadsBack()
    {
        HelpViewerRig rig;
        CRegistry written;
        written.m_MainX = -300;
        written.m_MainY = 20;
        written.m_MainWidth = 700;
        written.m_MainHeight = 500;
        written.Write();
        CRegistry read;
        read.Read();
        QCOMPARE(QRect(read.m_MainX, read.m_MainY, read.m_MainWidth, read.m_MainHeight), QRect(-300, 20, 700, 500));
        QVERIFY(read.m_PositionValid);
        QVERIFY(read.m_SizeValid);
        QVERIFY(QFile::exists(rig.path(QStringLiteral("Lumivox 5 Help.plist"))));
    }

    void registryWritesTruthAsText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("true") << QVariant(true) << QVariant("True");
        QTest::newRow("false text, any case") << QVariant("fAlSe") << QVariant("False");
        QTest::newRow("other text") << QVariant("other") << QVariant("other");
    }
    void registryWritesTruthAsText()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, stored);
        HelpViewerRig rig;
        CRegistry registry;
        QVERIFY(!registry.WriteSettings(CRegistry::APPREG_KEY_POSITION, QStringLiteral("Flag"), value));
        const QVariant read = helpViewerStored(QStringLiteral("Flag"));
        QCOMPARE(read.userType(), int(QMetaType::QString));
        QCOMPARE(read.toString(), stored.toString());
    }

    // ------------------------------------------------------------ the window

    void missingPageShowsItsTextLiterally()
    {
        HelpViewerRig rig;
        HelpViewer viewer;
        auto* contents = viewer.findChild<QWebView*>(QStringLiteral("webViewContents"));
        QVERIFY(contents);
        const QString text = QStringLiteral("/nowhere/<b>x</b>&amp;");
        viewer.HTMLViewContents(text);
        QCOMPARE(contents->page()->mainFrame()->toPlainText().trimmed(), QStringLiteral("[%1] was not found.").arg(text));
    }

    void pagesLoadTheirRealFile()
    {
        HelpViewerRig rig;
        QVERIFY(rig.write(QStringLiteral("Help/en-US/_RESOURCE/html/Option.htm"), "<html><body>Options</body></html>"));
        HelpViewer viewer;
        auto* contents = viewer.findChild<QWebView*>(QStringLiteral("webViewContents"));
        QSignalSpy finished(contents, &QWebView::loadFinished);
        viewer.MultipleLaunch({ QStringLiteral("/contents=en-US/_resource/html/option.htm") });
        QVERIFY(helpViewerLoaded(contents, finished));
        QCOMPARE(contents->url(), QUrl::fromLocalFile(rig.path(QStringLiteral("Help/en-US/_RESOURCE/html/Option.htm"))));
        QCOMPARE(contents->page()->mainFrame()->toPlainText().trimmed(), QStringLiteral("Options"));

        // An empty text leaves the page alone.
        finished.clear();
        viewer.HTMLViewContents(QString());
        QVERIFY(!finished.wait(300));
        QCOMPARE(contents->page()->mainFrame()->toPlainText().trimmed(), QStringLiteral("Options"));
    }

    void linksGoWhereTheyBelong()
    {
        HelpViewerRig rig;
        QVERIFY(rig.write(QStringLiteral("Help/en-US/a.htm"), "<html><body>A</body></html>"));
        QList<QUrl> opened;
        HelpViewer::SetUrlOpener([&](const QUrl& url) { opened << url; });
        HelpViewer viewer;
        auto* contents = viewer.findChild<QWebView*>(QStringLiteral("webViewContents"));
        QSignalSpy finished(contents, &QWebView::loadFinished);
        const QUrl page = QUrl::fromLocalFile(rig.path(QStringLiteral("Help/en-US/a.htm")));
        QVERIFY(QMetaObject::invokeMethod(&viewer, "on_webViewIndex_linkClicked", Q_ARG(QUrl, page)));
        QVERIFY(helpViewerLoaded(contents, finished));
        QCOMPARE(contents->url(), page);

        const QUrl web(QStringLiteral("https://example.invalid/"));
        QVERIFY(QMetaObject::invokeMethod(&viewer, "on_webViewContents_linkClicked", Q_ARG(QUrl, web)));
        QCOMPARE(opened, QList<QUrl>{ web });
        QCOMPARE(contents->url(), page);
        HelpViewer::SetUrlOpener(nullptr);
    }

    void activatesOnlyOnceShown()
    {
        HelpViewerRig rig;
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        HelpViewer viewer;
        viewer.MultipleLaunch({ QStringLiteral("/CONTENTS=en-US/a.htm") });
        QCOMPARE(QApplication::activeWindow(), &other);
        QVERIFY(!viewer.isVisible());

        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QApplication::setActiveWindow(&other);
        viewer.MultipleLaunch({ QString() });
        QCOMPARE(QApplication::activeWindow(), &viewer);
    }

    void closeWritesTheTrackedFrame()
    {
        HelpViewerRig rig;
        helpViewerSeed(QStringLiteral("MainX"), 30);
        helpViewerSeed(QStringLiteral("MainY"), 40);
        QRect frame;
        {
            HelpViewer viewer;
            viewer.show();
            QVERIFY(QTest::qWaitForWindowExposed(&viewer));
            // Only the place was stored: the window keeps its size.
            QCOMPARE(viewer.frameGeometry().topLeft(), QPoint(30, 40));
            viewer.move(120, 90);
            viewer.resize(700, 520);
            QTRY_COMPARE(viewer.size(), QSize(700, 520));
            frame = viewer.frameGeometry();
            QCOMPARE(frame.topLeft(), QPoint(120, 90));
            // A move while minimized is not the window's place.
            viewer.showMinimized();
            viewer.move(500, 500);
            viewer.close();
        }
        QCOMPARE(helpViewerStored(QStringLiteral("MainX")).toInt(), frame.x());
        QCOMPARE(helpViewerStored(QStringLiteral("MainY")).toInt(), frame.y());
        QCOMPARE(helpViewerStored(QStringLiteral("MainWidth")).toInt(), frame.width());
        QCOMPARE(helpViewerStored(QStringLiteral("MainHeight")).toInt(), frame.height());
    }

    void escapeAndBackspaceDoNothing()
    {
        HelpViewerRig rig;
        QVERIFY(rig.write(QStringLiteral("Help/en-US/a.htm"), "<html><body>A</body></html>"));
        QVERIFY(rig.write(QStringLiteral("Help/en-US/b.htm"),
                          "<html><body contenteditable=\"true\" style=\"font-size:40px\">BCD</body></html>"));
        HelpViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* contents = viewer.findChild<QWebView*>(QStringLiteral("webViewContents"));
        QSignalSpy finished(contents, &QWebView::loadFinished);
        viewer.HTMLViewContents(rig.helpFolder() + QStringLiteral("en-US/a.htm"));
        QVERIFY(helpViewerLoaded(contents, finished));
        finished.clear();
        viewer.HTMLViewContents(rig.helpFolder() + QStringLiteral("en-US/b.htm"));
        QVERIFY(helpViewerLoaded(contents, finished));
        QVERIFY(contents->history()->canGoBack());

        // The caret after the text of an editable page: Backspace would delete
        // a letter there, or go back a page.
        contents->setFocus();
        QTest::mouseClick(contents, Qt::LeftButton, Qt::NoModifier, QPoint(contents->width() - 5, 25));
        QTest::keyClick(contents, Qt::Key_End);
        QTest::keyClick(contents, Qt::Key_Right);
        finished.clear();
        QTest::keyClick(contents, Qt::Key_Backspace);
        QVERIFY(!finished.wait(300));
        QCOMPARE(contents->page()->mainFrame()->toPlainText().trimmed(), QStringLiteral("BCD"));

        // Escape stops at the window: nothing else gets it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&viewer, &escape);
        QVERIFY(escape.isAccepted());
        QVERIFY(viewer.isVisible());
    }

    // ------------------------------------------------------------ the manual

    // Every page the programs ask for is there in every language folder, and
    // the manual stays self-contained: relative links that resolve exactly,
    // no scripts, nothing from outside.
    void manualIsComplete()
    {
        const QDir help(QStringLiteral(LUMIVOX_PROGRAM_DIR "/Help"));
        QVERIFY2(help.exists(), qPrintable(help.path()));

        QSet<QString> named{ HelpNames::IndexPage(), HelpNames::AboutPage() };
        const QRegularExpression pageName(QStringLiteral("_RESOURCE/html/[A-Za-z0-9_]+\\.htm"));
        QDirIterator sources(QStringLiteral(LUMIVOX_SOURCE_DIR "/src"), { "*.cpp", "*.h" }, QDir::Files,
                             QDirIterator::Subdirectories);
        while (sources.hasNext()) {
            QFile file(sources.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto it = pageName.globalMatch(text); it.hasNext();)
                named.insert(it.next().captured());
        }
        QVERIFY2(named.size() > 2, "no page names found in the sources");

        const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                      QRegularExpression::CaseInsensitiveOption);
        for (const char* language : { "en-US", "ja-JP", "fr-FR", "zh-CN" }) {
            const QDir folder(help.filePath(QLatin1String(language)));
            for (const QString& page : qAsConst(named))
                QVERIFY2(QFileInfo(folder.filePath(page)).isFile(), qPrintable(folder.filePath(page)));
            QDirIterator pages(folder.path(), { "*.htm" }, QDir::Files, QDirIterator::Subdirectories);
            while (pages.hasNext()) {
                const QString path = pages.next();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString html = QString::fromUtf8(file.readAll());
                QVERIFY2(!html.contains(QLatin1String("<script"), Qt::CaseInsensitive), qPrintable(path));
                QVERIFY2(html.contains(QLatin1String("<meta charset=\"utf-8\">")), qPrintable(path));
                for (auto it = link.globalMatch(html); it.hasNext();) {
                    const QString target = it.next().captured(1);
                    QVERIFY2(!target.contains(QLatin1Char(':')), qPrintable(path + ": " + target));
                    const QString file = QFileInfo(path).dir().filePath(target.section(QLatin1Char('#'), 0, 0));
                    // Exact case: the file's real name must be the one linked.
                    const QFileInfo info(file);
                    QVERIFY2(info.isFile() && info.dir().entryList().contains(info.fileName()),
                             qPrintable(path + ": " + target));
                }
            }
        }
    }
};

QTEST_MAIN(tst_HelpViewer)
#include "tst_HelpViewer.moc"
