#include <QtTest>

#include "CPlistSettingsFormat.h"
#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>

namespace {

const QString VIEWER_TITLE = QStringLiteral("^Lumivox 5 Help$");

// The colour-coded manual: each page a plain colour, so that a screenshot
// tells which page a pane shows.
struct ColouredPage {
    const char* path;
    QRgb colour;
};
const ColouredPage COLOURED_PAGES[] = {
    { "en-US/index.htm", qRgb(255, 0, 0) },
    { "en-US/_RESOURCE/html/about.htm", qRgb(0, 255, 0) },
    { "en-US/_RESOURCE/html/Option.htm", qRgb(0, 0, 255) },
    { "ja-JP/index.htm", qRgb(255, 255, 0) },
    { "ja-JP/_RESOURCE/html/about.htm", qRgb(255, 0, 255) },
};

bool helpColoursClose(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 16 && qAbs(qGreen(a) - qGreen(b)) < 16 && qAbs(qBlue(a) - qBlue(b)) < 16;
}

} // namespace

// The help viewer as the main program starts it, on a virtual display: its
// first place and pages, the language by country, the pages of its command
// line, one viewer per user, and what closing it leaves behind.
class tst_HelpViewerProgram : public QObject
{
    Q_OBJECT

private:
    XvfbSession m_Session;
    std::unique_ptr<ProgramCopy> m_Copy;

    QProcess* startViewer(const QStringList& arguments, const QString& locale = QStringLiteral("en_US.UTF-8"))
    {
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("LC_ALL"), locale);
        extra.insert(QStringLiteral("LANG"), locale);
        extra.insert(QStringLiteral("PATH"), m_Copy->Path(QStringLiteral("bin")) + ':'
                                                 + qEnvironmentVariable("PATH"));
        return m_Copy->LaunchProgram(m_Session, m_Copy->HelpViewer(), arguments, extra);
    }

    // The colour at a point of the left or right pane of the window.
    QRgb paneColour(const QString& window, bool left)
    {
        const QRect frame = m_Session.Geometry(window);
        const QString shot = m_Copy->Path(QStringLiteral("shot.png"));
        if (frame.isNull() || !m_Session.Screenshot(shot))
            return 0;
        const QImage image(shot);
        const QPoint at = frame.topLeft() + QPoint(left ? 11 + 96 : 11 + 192 + 100, frame.height() / 2);
        return image.pixel(at);
    }
    bool paneShows(const QString& window, bool left, QRgb colour, int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        do {
            if (helpColoursClose(paneColour(window, left), colour))
                return true;
            QTest::qWait(200);
        } while (clock.elapsed() < timeoutMs);
        return false;
    }
    // Asks the window to close as a window manager does.
    bool closeWindow(const QString& window)
    {
        QProcess python;
        python.setProcessEnvironment(m_Session.Environment());
        python.start(QStringLiteral("/usr/bin/python3"),
                     { QStringLiteral("-c"),
                       QStringLiteral("import sys\n"
                                      "from Xlib import display, protocol, X\n"
                                      "d = display.Display()\n"
                                      "w = d.create_resource_object('window', int(sys.argv[1]))\n"
                                      "p = d.intern_atom('WM_PROTOCOLS')\n"
                                      "e = protocol.event.ClientMessage(window=w, client_type=p,\n"
                                      "    data=(32, [d.intern_atom('WM_DELETE_WINDOW'), X.CurrentTime, 0, 0, 0]))\n"
                                      "w.send_event(e)\n"
                                      "d.sync()\n"),
                       window });
        return python.waitForFinished(10000) && python.exitCode() == 0;
    }

    // Asks again when the program is still there after a while.
    bool closeAndWait(const QString& window, QProcess* process)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!closeWindow(window))
                return false;
            if (ProgramCopy::Finish(process, 3000))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QStringLiteral(LUMIVOX_PROGRAM_DIR "/Lumivox 5 Help")))
            QSKIP("the help viewer was not built");
        QProcess check;
        check.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), QStringLiteral("import Xlib") });
        if (!check.waitForFinished(10000) || check.exitCode() != 0)
            QSKIP("python3-xlib is not installed (scripts/install-deps.sh installs it)");
        ProgramCopy::StartDisplayForTestCase(m_Session);
    }

    void init()
    {
        m_Copy.reset(new ProgramCopy);
        QString error;
        QVERIFY2(m_Copy->Prepare(QStringLiteral(LUMIVOX_PROGRAM_DIR), &error), qPrintable(error));
        const QString help = m_Copy->ProgramFolder() + QStringLiteral("/Help/");
        for (const ColouredPage& page : COLOURED_PAGES) {
            QFile file(help + QLatin1String(page.path));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            // Contents pages carry a web link.
            const QString link = QByteArray(page.path).contains("_RESOURCE")
                ? QStringLiteral("<a href=\"http://example.invalid/\">web</a>") : QString();
            file.write(QStringLiteral("<html><body style=\"background:%1\">%2</body></html>")
                           .arg(QColor(page.colour).name(), link)
                           .toUtf8());
        }
        // A desktop handler that notes what it is asked to open.
        QVERIFY(QDir().mkpath(m_Copy->Path(QStringLiteral("bin"))));
        QFile opener(m_Copy->Path(QStringLiteral("bin/xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + QFile::encodeName(m_Copy->Path("opened")) + "\"\n");
        opener.close();
        QVERIFY(opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner));
    }

    void cleanup() { m_Copy.reset(); }

    // A start without pages shows the index and the about page of the
    // country's language, centred; a later start hands its pages over and
    // ends; closing writes the window's frame beside the program.
    void firstStartLaterStartAndClose()
    {
        QProcess* first = startViewer({});
        const QString window = m_Session.WaitForWindow(VIEWER_TITLE, 20000);
        QVERIFY2(!window.isEmpty(), "no viewer window");
        QCOMPARE(m_Session.Geometry(window), QRect((XvfbSession::WIDTH - 640) / 2, (XvfbSession::HEIGHT - 480) / 2, 640, 480));
        QVERIFY(paneShows(window, true, qRgb(255, 0, 0)));
        QVERIFY(paneShows(window, false, qRgb(0, 255, 0)));

        QProcess* later = startViewer({ QStringLiteral("/index=en-US/index.htm"),
                                        QStringLiteral("/contents=en-us/_resource/html/option.htm") });
        QVERIFY(ProgramCopy::Finish(later, 5000));
        QCOMPARE(later->exitStatus(), QProcess::NormalExit);
        QCOMPARE(later->exitCode(), 0);
        QVERIFY(paneShows(window, false, qRgb(0, 0, 255)));
        QCOMPARE(m_Session.Windows(VIEWER_TITLE).size(), 1);

        // A web link of the contents pane goes to the desktop's handler, by keys.
        // Tab walks from pane to link; Return on the link opens it.
        const QString opened = m_Copy->Path(QStringLiteral("opened"));
        for (int tabs = 0; tabs < 5 && !QFile::exists(opened); ++tabs) {
            QVERIFY(m_Session.SendKeys(window, { QStringLiteral("Tab"), QStringLiteral("Return") }));
            QTest::qWait(500);
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opened), 5000);
        QFile record(opened);
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll().trimmed(), QByteArray("http://example.invalid/"));
        QVERIFY(paneShows(window, false, qRgb(0, 0, 255), 1000));

        // Escape does not close it; the window manager's close does.
        QVERIFY(m_Session.SendKeys(window, { QStringLiteral("Escape") }));
        QTest::qWait(300);
        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY(closeAndWait(window, first));
        QCOMPARE(first->exitCode(), 0);

        QSettings settings(m_Copy->ProgramFolder() + QStringLiteral("/Lumivox 5 Help.plist"),
                           CPlistSettingsFormat::Format());
        const QString key = QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Help/Position/");
        QCOMPARE(settings.value(key + "MainX").toInt(), 320);
        QCOMPARE(settings.value(key + "MainY").toInt(), 160);
        QCOMPARE(settings.value(key + "MainWidth").toInt(), 640);
        QCOMPARE(settings.value(key + "MainHeight").toInt(), 480);
    }

    // Japan reads the Japanese folder; its stored place is used again.
    void languageByCountryAndStoredPlace()
    {
        QSettings settings(m_Copy->ProgramFolder() + QStringLiteral("/Lumivox 5 Help.plist"),
                           CPlistSettingsFormat::Format());
        const QString key = QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Help/Position/");
        settings.setValue(key + "MainX", 40);
        settings.setValue(key + "MainY", 30);
        settings.setValue(key + "MainWidth", 700);
        settings.setValue(key + "MainHeight", 500);
        settings.sync();
        QProcess* viewer = startViewer({}, QStringLiteral("ja_JP.UTF-8"));
        const QString window = m_Session.WaitForWindow(VIEWER_TITLE, 20000);
        QVERIFY(!window.isEmpty());
        QCOMPARE(m_Session.Geometry(window), QRect(40, 30, 700, 500));
        QVERIFY(paneShows(window, true, qRgb(255, 255, 0)));
        QVERIFY(paneShows(window, false, qRgb(255, 0, 255)));
        QVERIFY(closeAndWait(window, viewer));
    }
};

QTEST_MAIN(tst_HelpViewerProgram)
#include "tst_HelpViewerProgram.moc"
