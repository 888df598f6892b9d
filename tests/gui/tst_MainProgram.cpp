#include <QtTest>

#include "CTestFolders.h"
#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

namespace {

const QString TITLE = QStringLiteral("^Lumivox 5$");
const char ALREADY_RUNNING[] = "!!! Lumivox5 is already exists !!!";

// The stored display index of every projector list column, by key (the
// settings hold them as bytes in hexadecimal, separated by commas).
QList<int> StoredDisplayIndexes(const QString& settingsPath)
{
    const QRegularExpression entry(
        QStringLiteral("<key>PJListColumnDisplayIndex</key>\\s*<string>([^<]*)</string>"));
    const QRegularExpressionMatch found = entry.match(QString::fromUtf8(CTestFolders::readFile(settingsPath)));
    QList<int> indexes;
    for (const QString& part : found.captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        indexes << part.trimmed().toInt(nullptr, 16);
    return indexes;
}

} // namespace

// The built program as the operator starts it, on a virtual display: one
// instance per user, the first place of its window, the profile error and
// what File > Exit leaves behind.
class tst_MainProgram : public QObject
{
    Q_OBJECT

private:
    XvfbSession m_Session;
    std::unique_ptr<ProgramCopy> m_Copy;

    QString programFolder() const { return m_Copy->ProgramFolder(); }
    QProcess* launch() { return m_Copy->Launch(m_Session); }
    // Types the keys one by one, letting the program take each in turn.
    bool typeSlowly(const QString& window, const QStringList& keys)
    {
        for (const QString& key : keys) {
            if (!m_Session.SendKeys(window, {key}))
                return false;
            QTest::qWait(250);
        }
        return true;
    }
    static bool finish(QProcess* process, int timeoutMs) { return ProgramCopy::Finish(process, timeoutMs); }

private slots:
    void initTestCase()
    {
        ProgramCopy::StartDisplayForTestCase(m_Session);
    }

    void init()
    {
        m_Copy.reset(new ProgramCopy);
        QString error;
        QVERIFY2(m_Copy->Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
    }

    void cleanup() { m_Copy.reset(); }

    void firstStartPlacesTheWindowAndASecondStartHandsOver()
    {
        QProcess* first = launch();
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), first->readAllStandardError().right(2000).constData());
        QCOMPARE(m_Session.Geometry(window), QRect(240, 100, 800, 600));
        // No box beside the window.
        QCOMPARE(m_Session.Windows(TITLE), QStringList{window});
        const QString shot = QCoreApplication::applicationDirPath() + "/tst_MainProgram-first-start.png";
        QVERIFY2(m_Session.Screenshot(shot, window), qPrintable(m_Session.Error()));
        QVERIFY(XvfbSession::Colours(shot) > 10);

        QProcess* second = launch();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(second->waitForFinished(10000));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardError().contains(ALREADY_RUNNING));
        QCOMPARE(m_Session.Windows(TITLE), QStringList{window});
        QCOMPARE(first->state(), QProcess::Running);

        // A crashed first instance leaves its socket behind; the next start runs.
        first->kill();
        QVERIFY(first->waitForFinished(5000));
        QProcess* third = launch();
        const QString again = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!again.isEmpty(), third->readAllStandardError().right(2000).constData());
        QCOMPARE(third->state(), QProcess::Running);
    }

    void withoutProfileOneBoxThenExit()
    {
        QVERIFY(QFile::remove(programFolder() + "/Profile.ini"));
        QProcess* process = launch();
        const QString box = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!box.isEmpty(), process->readAllStandardError().right(2000).constData());
        QTest::qWait(300);
        QCOMPARE(m_Session.Windows(TITLE), QStringList{box});
        QVERIFY(m_Session.Geometry(box).width() < 800);
        QVERIFY2(m_Session.SendKeys(box, {"Return"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 10000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
        QVERIFY(!QFile::exists(programFolder() + "/Lumivox 5.plist"));
    }

    void fileExitSavesAndAMovedWindowComesBackThere()
    {
        QProcess* process = launch();
        QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), process->readAllStandardError().right(2000).constData());
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));
        QCOMPARE(process->exitCode(), 0);
        const QByteArray settings = CTestFolders::readFile(programFolder() + "/Lumivox 5.plist");
        // The window was centred on the 1280 wide screen: "MainX" holds 240.
        const QRegularExpression mainX(QStringLiteral("<key>MainX</key>\\s*<integer>(-?\\d+)</integer>"));
        const QRegularExpressionMatch stored = mainX.match(QString::fromUtf8(settings));
        QVERIFY2(stored.hasMatch(), settings.left(2000).constData());
        QCOMPARE(stored.captured(1), QStringLiteral("240"));
        QVERIFY(CTestFolders::readFile(m_Copy->UserListPath()).startsWith("\xFF\xFE"));

        // Moved, closed and started again: the window comes back where it was left.
        process = launch();
        window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY(!window.isEmpty());
        QProcess mover;
        mover.setProcessEnvironment(m_Session.Environment());
        mover.start("xdotool", {"windowmove", window, "300", "150"});
        QVERIFY(mover.waitForFinished(10000));
        QTRY_COMPARE(m_Session.Geometry(window), QRect(300, 150, 800, 600));
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));
        process = launch();
        window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY(!window.isEmpty());
        QCOMPARE(m_Session.Geometry(window), QRect(300, 150, 800, 600));
    }

    void columnsChosenByKeyboardComeBackAfterARestart()
    {
        QProcess* process = launch();
        QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), process->readAllStandardError().right(2000).constData());
        QVERIFY2(m_Session.SendKeys(window, {"alt+v", "d"}), qPrintable(m_Session.Error()));
        const QString chooser = m_Session.WaitForWindow(QStringLiteral("^Choose Details$"), 20000);
        QVERIFY2(!chooser.isEmpty(), process->readAllStandardError().right(2000).constData());
        QCOMPARE(m_Session.Geometry(chooser).size(), QSize(436, 436));
        // Status (third row) up twice, then Eco Mode (fourth row by then) up three times.
        QVERIFY2(typeSlowly(chooser, {"Home", "Down", "Down", "alt+u", "alt+u", "Home", "Down", "Down", "Down", "alt+u",
                                      "alt+u", "alt+u"}),
                 qPrintable(m_Session.Error()));
        const QString shot = QCoreApplication::applicationDirPath() + "/tst_MainProgram-choose-details.png";
        QVERIFY2(m_Session.Screenshot(shot), qPrintable(m_Session.Error()));
        QVERIFY2(typeSlowly(chooser, {"alt+o"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY(m_Session.Windows(QStringLiteral("^Choose Details$")).isEmpty());
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));

        // Key: 0 1 2 3 4 5 6 7 8 9 10 11 12 ... Eco Mode (12) now third, Status (8) fourth.
        const QString settings = programFolder() + "/Lumivox 5.plist";
        const QList<int> chosen = StoredDisplayIndexes(settings);
        QCOMPARE(chosen.size(), 25);
        const QList<int> keysInOrder = {0, 1, 12, 8, 3, 5, 13, 15, 16, 17, 21};
        for (int place = 0; place < keysInOrder.size(); ++place)
            QCOMPARE(chosen.at(keysInOrder.at(place)), place);

        // Read back at the next start and written again unchanged.
        process = launch();
        window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY(!window.isEmpty());
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));
        QCOMPARE(StoredDisplayIndexes(settings), chosen);
    }

    // Help > About shows the shipped profile's versions (the screenshot is
    // for the eye); OK closes it.
    void aboutByKeyboard()
    {
        QProcess* process = launch();
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), process->readAllStandardError().right(2000).constData());
        QVERIFY2(m_Session.SendKeys(window, {"alt+h", "a"}), qPrintable(m_Session.Error()));
        const QString about = m_Session.WaitForWindow(QStringLiteral("^About Lumivox 5$"), 20000);
        QVERIFY(!about.isEmpty());
        QCOMPARE(m_Session.Geometry(about).size(), QSize(413, 176));
        const QString shot = QCoreApplication::applicationDirPath() + "/tst_MainProgram-about.png";
        QVERIFY2(m_Session.Screenshot(shot, about), qPrintable(m_Session.Error()));
        QVERIFY(XvfbSession::Colours(shot) > 10);
        QVERIFY2(m_Session.SendKeys(about, {"Return"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^About Lumivox 5$")).isEmpty(), 10000);
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));
    }

    // Tool > Option Settings..., automatic update on at 5 minutes, OK; the
    // settings file has it after File > Exit.
    void optionsByKeyboardReachTheSettingsFile()
    {
        QProcess* process = launch();
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), process->readAllStandardError().right(2000).constData());
        QVERIFY2(m_Session.SendKeys(window, {"alt+t", "o"}), qPrintable(m_Session.Error()));
        const QString options = m_Session.WaitForWindow(QStringLiteral("^Option Setting$"), 20000);
        QVERIFY(!options.isEmpty());
        // From Cancel: Help, the two log boxes, then the automatic update box.
        QVERIFY2(m_Session.SendKeys(options, {"Tab", "Tab", "Tab", "Tab", "space", "Tab", "ctrl+a", "5", "alt+o"}),
                 qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Option Setting$")).isEmpty(), 10000);
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(finish(process, 20000));
        QCOMPARE(process->exitCode(), 0);
        const QString settings = QString::fromUtf8(CTestFolders::readFile(programFolder() + "/Lumivox 5.plist"));
        QVERIFY2(settings.contains(QRegularExpression("<key>AutoUpdate</key>\\s*<string>True</string>")),
                 qPrintable(settings.left(3000)));
        QVERIFY2(settings.contains(QRegularExpression("<key>AutoUpdateInterval</key>\\s*<integer>5</integer>")),
                 qPrintable(settings.left(3000)));
    }
};

QTEST_MAIN(tst_MainProgram)
#include "tst_MainProgram.moc"
