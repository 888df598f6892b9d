#include <QtTest>

#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QProcess>

namespace {

// In-process window tests that run once more on a real display (xcb), as the
// build passes them: "<test>=<executable>" entries separated by "|".
QStringList listedTests()
{
    return QString::fromUtf8(LUMIVOX_REAL_PLATFORM_TESTS).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

const int TEST_TIMEOUT_MS = 240000;
const QString TITLE = QStringLiteral("^Lumivox 5$");

} // namespace

// Window tests of the test process, run again on a virtual X display instead
// of the offscreen platform: what focus, activation, menus and modal loops do
// there is what the operator gets. And the built program's adjustment page,
// reached and left by keyboard.
class tst_RealPlatform : public QObject
{
    Q_OBJECT

    XvfbSession m_Session;

private slots:
    void initTestCase()
    {
        ProgramCopy::StartDisplayForTestCase(m_Session);
    }

    void passesOnXcb_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        for (const QString& entry : listedTests()) {
            const int split = entry.indexOf(QLatin1Char('='));
            const QString name = entry.left(split);
            QTest::newRow(qPrintable(name)) << entry.mid(split + 1) << name;
        }
    }

    void passesOnXcb()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QProcess test;
        test.setProcessEnvironment(m_Session.Environment());
        test.setProcessChannelMode(QProcess::MergedChannels);
        test.start(path, {name});
        QVERIFY2(test.waitForStarted(10000), qPrintable(test.errorString()));
        if (!test.waitForFinished(TEST_TIMEOUT_MS)) {
            test.kill();
            test.waitForFinished(5000);
            QFAIL("did not end in time");
        }
        const QByteArray output = test.readAll();
        QVERIFY2(test.exitStatus() == QProcess::NormalExit && test.exitCode() == 0, output.right(6000).constData());
        QVERIFY2(output.contains("Totals:"), output.right(2000).constData());
    }

    // The adjustment page, reached by keyboard as its menu entry is hidden
    // (Tab from the group tree over the list to the main tab's bar, then
    // Right), shows its six rows once the window fills the display (the
    // screenshots stay beside the test); File > Exit ends the program.
    void theProgramShowsTheAdjustmentPage()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        QProcess* program = copy.Launch(m_Session);
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), program->readAllStandardError().right(2000).constData());
        // The plug-in looked for its own catalogue beside the program.
        QByteArray seen;
        const auto saw = [&](const QByteArray& text) { return (seen += program->readAllStandardError()).contains(text); };
        const QByteArray folder = QStringLiteral("dir[%1/plugins/en-US]").arg(copy.ProgramFolder()).toUtf8();
        QTRY_VERIFY2_WITH_TIMEOUT(saw(folder) && saw("filename[CPluginPJAd.en-US]"), seen.left(3000).constData(), 20000);

        QVERIFY2(m_Session.SendKeys(window, {"Tab", "Tab", "Right"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY2_WITH_TIMEOUT(saw("FormPJAdjust::MainTabChanged"), seen.right(3000).constData(), 20000);
        // At the first-start size the tab area shows the upper rows and
        // scrolls to the rest; the whole display's height shows all of them.
        const QString shots = QCoreApplication::applicationDirPath();
        const QString firstStart = shots + QStringLiteral("/tst_RealPlatform-adjustment-first-start.png");
        QTest::qWait(300);
        QVERIFY2(m_Session.Screenshot(firstStart, window), qPrintable(m_Session.Error()));
        QVERIFY(XvfbSession::Colours(firstStart) > 10);
        const QRect display(0, 0, XvfbSession::WIDTH, XvfbSession::HEIGHT);
        QVERIFY2(m_Session.SetGeometry(window, display), qPrintable(m_Session.Error()));
        QTRY_COMPARE(m_Session.Geometry(window), display);
        const QString shot = shots + QStringLiteral("/tst_RealPlatform-adjustment.png");
        QTest::qWait(300);
        QVERIFY2(m_Session.Screenshot(shot, window), qPrintable(m_Session.Error()));
        QVERIFY(XvfbSession::Colours(shot) > 10);

        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
    }
};

QTEST_MAIN(tst_RealPlatform)
#include "tst_RealPlatform.moc"
