#include <QtTest>

#include "AppPaths.h"
#include "CLumivox5Data.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QRegularExpression>
#include <QTextCodec>

namespace {

const QString TITLE = QStringLiteral("^Lumivox 5$");
const QString REPORTED_NAME = QStringLiteral("Hall-East");

} // namespace

// The built program on a virtual display, driven by keys, against two
// simulated projectors of its user list: one answers, the other refuses
// every connection.
class tst_MainProgramCommands : public QObject
{
    Q_OBJECT

private:
    XvfbSession m_Session;

    // Whether the program's error output so far has a line that matches.
    static bool hasLine(QProcess* process, QByteArray* seen, const QRegularExpression& line)
    {
        *seen += process->readAllStandardError();
        return line.match(QString::fromUtf8(*seen)).hasMatch();
    }

private slots:
    void initTestCase()
    {
        QString why;
        bool skip = false;
        if (!ProgramCopy::StartDisplay(m_Session, &why, &skip) && skip)
            QSKIP(qPrintable(why));
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    void refreshPowerOnAndExitWithTwoSimulatedProjectors()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));

        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        model.State().projectorName = REPORTED_NAME;
        CSimulatedProjector answering(QHostAddress(QStringLiteral("127.0.0.2")), 0);
        answering.SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
        QVERIFY2(answering.Start(), qPrintable(answering.ErrorString()));
        // The next address on the same port: connections there are refused.
        CSimulatedProjector refusing(QHostAddress(QStringLiteral("127.0.0.3")), answering.Port());
        QVERIFY2(refusing.Start(), qPrintable(refusing.ErrorString()));
        QVERIFY(refusing.SetConnectMode(CSimulatedProjector::CONNECT_REFUSE));

        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        {
            auto hub = CTestFolders::makeHub();
            const bool written =
                FleetUserList::Write(hub.get(), 2, QHostAddress(QStringLiteral("127.0.0.2")), answering.Port(), &error);
            hub.reset();
            AppPaths::setProgramFolder(QString());
            AppPaths::setHomeFolder(QString());
            QVERIFY2(written, qPrintable(error));
        }

        QProcess* program = copy.Launch(m_Session);
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        QVERIFY2(!window.isEmpty(), program->readAllStandardError().right(2000).constData());
        // What the start-up wrote is not the refresh's.
        program->readAllStandardError();
        QByteArray seen;

        // View > Refresh: a row for each, code 0 for the one that answers.
        QVERIFY2(m_Session.SendKeys(window, {"alt+v", "r"}), qPrintable(m_Session.Error()));
        const QRegularExpression reached(
            QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[127\.0\.0\.2[^\]]*\] errCode\[0\])"));
        const QRegularExpression refused(
            QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[127\.0\.0\.3[^\]]*\] errCode\[-\d+\])"));
        QTRY_VERIFY2_WITH_TIMEOUT(hasLine(program, &seen, reached) && hasLine(program, &seen, refused),
                                  seen.right(3000).constData(), 20000);

        // Select all, Projector > Control > Power > Power On, confirmed.
        answering.ClearRequests();
        QVERIFY2(m_Session.SendKeys(window, {"ctrl+a", "alt+p", "o", "p", "n"}), qPrintable(m_Session.Error()));
        QString box;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QString& other : m_Session.Windows(QStringLiteral(".")))
                    if (other != window)
                        box = other;
                return !box.isEmpty();
            }(),
            20000);
        QVERIFY2(m_Session.SendKeys(box, {"Return"}), qPrintable(m_Session.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(model.State().power, int(CSimProjectorState::POWER_ON), 20000);
        bool powerOnFrame = false;
        for (const QByteArray& request : answering.Requests())
            powerOnFrame |= request.startsWith(QByteArray("\x02\x00", 2));
        QVERIFY(powerOnFrame);

        // File > Exit saves the name the projector reported.
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        const QString userList =
            QTextCodec::codecForName("UTF-16")->toUnicode(CTestFolders::readFile(copy.UserListPath()));
        QVERIFY2(userList.contains(REPORTED_NAME), qPrintable(userList.left(3000)));
        QVERIFY2(userList.contains(QStringLiteral("127.0.0.3")), qPrintable(userList.left(3000)));
    }
};

QTEST_MAIN(tst_MainProgramCommands)
#include "tst_MainProgramCommands.moc"
