#include <QtTest>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdio>

#include "XvfbSession.h"

namespace {

const char* const WINDOW_ARGUMENT = "--show-window";
const char* const TITLE = "Harness check 5";

// The window the harness is checked on: this same program started with
// WINDOW_ARGUMENT shows a red window at (100, 50), 400 x 300, and prints the
// keys it is given; Ctrl+Q ends it with code 3.
class KeyWindow : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Q && (event->modifiers() & Qt::ControlModifier)) {
            QApplication::exit(3);
            return;
        }
        if (event->text().isEmpty())
            return; // a modifier alone
        std::printf("key %s\n", qPrintable(event->text()));
        std::fflush(stdout);
    }
};

int ShowWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    KeyWindow window;
    window.setWindowTitle(QString::fromLatin1(TITLE));
    window.setPalette(QPalette(Qt::red));
    window.setAutoFillBackground(true);
    window.setGeometry(100, 50, 400, 300);
    window.show();
    return app.exec();
}

} // namespace

// The virtual display harness of the window checks, on a window of its own.
class tst_XvfbSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QStringList missing = XvfbSession::MissingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable("not installed: " + missing.join(", ") + " (scripts/install-deps.sh installs them)"));
    }

    void startsFindsTypesPhotographsAndStops()
    {
        XvfbSession session;
        QVERIFY2(session.Start(), qPrintable(session.Error()));
        QVERIFY(session.Display().startsWith(':'));
        QVERIFY(session.Windows(TITLE).isEmpty());

        QProcess program;
        program.setProcessEnvironment(session.Environment());
        program.start(QCoreApplication::applicationFilePath(), {WINDOW_ARGUMENT});
        QVERIFY(program.waitForStarted());
        const QString window = session.WaitForWindow(TITLE, 20000);
        QVERIFY2(!window.isEmpty(), qPrintable(session.Error()));
        QCOMPARE(session.Windows(TITLE), QStringList{window});
        QCOMPARE(session.Geometry(window), QRect(100, 50, 400, 300));

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString shot = folder.filePath("screen.png");
        QVERIFY2(session.Screenshot(shot), qPrintable(session.Error()));
        QCOMPARE(QImage(shot).size(), QSize(XvfbSession::WIDTH, XvfbSession::HEIGHT));
        QCOMPARE(QImage(shot).pixelColor(300, 200), QColor(Qt::red));
        QCOMPARE(QImage(shot).pixelColor(10, 10), QColor(Qt::black));
        QCOMPARE(XvfbSession::Colours(shot), 2);
        QVERIFY(session.Screenshot(folder.filePath("window.png"), window));
        QCOMPARE(QImage(folder.filePath("window.png")).size(), QSize(400, 300));

        QVERIFY2(session.SendKeys(window, {"a", "b", "ctrl+q"}), qPrintable(session.Error()));
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 3);
        QCOMPARE(program.readAllStandardOutput(), QByteArray("key a\nkey b\n"));
        QVERIFY(session.Windows(TITLE).isEmpty());

        session.Stop();
        QVERIFY(!session.IsRunning());
    }

    void aMissingWindowIsNotFound()
    {
        XvfbSession session;
        QVERIFY2(session.Start(), qPrintable(session.Error()));
        QVERIFY(session.WaitForWindow("No such window", 1000).isEmpty());
        QVERIFY(!session.Error().isEmpty());
        QCOMPARE(session.Geometry("0"), QRect());
    }

    void twoSessionsGetTwoDisplays()
    {
        XvfbSession first;
        XvfbSession second;
        QVERIFY(first.Start());
        QVERIFY(second.Start());
        QVERIFY(first.Display() != second.Display());
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], WINDOW_ARGUMENT) == 0)
        return ShowWindow(argc, argv);
    QCoreApplication app(argc, argv);
    tst_XvfbSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_XvfbSession.moc"
