#include <QtTest>

#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QFileInfo>
#include <QProcess>

namespace {

// In-process window tests that run once more on a real display (xcb): their
// paths, separated by "|", as the build passes them.
QStringList listedTests()
{
    return QString::fromUtf8(LUMIVOX_REAL_PLATFORM_TESTS).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

const int TEST_TIMEOUT_MS = 240000;

} // namespace

// Window tests of the test process, run again on a virtual X display instead
// of the offscreen platform: what focus, activation, menus and modal loops do
// there is what the operator gets.
class tst_RealPlatform : public QObject
{
    Q_OBJECT

    XvfbSession m_Session;

private slots:
    void initTestCase()
    {
        QString why;
        bool skip = false;
        if (!ProgramCopy::StartDisplay(m_Session, &why, &skip) && skip)
            QSKIP(qPrintable(why));
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    void passesOnXcb_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : listedTests())
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }

    void passesOnXcb()
    {
        QFETCH(QString, path);
        QProcess test;
        test.setProcessEnvironment(m_Session.Environment());
        test.setProcessChannelMode(QProcess::MergedChannels);
        test.start(path, QStringList());
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
};

QTEST_MAIN(tst_RealPlatform)
#include "tst_RealPlatform.moc"
