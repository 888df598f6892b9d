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

    // Writes the copy's user list (`count` projectors from 127.0.0.2 on
    // `port`), starts it and waits for its window; what the start-up wrote to
    // the error output is passed over. The window's id, empty on failure.
    QString launch(ProgramCopy& copy, int count, quint16 port, QProcess** program)
    {
        QString error;
        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        auto hub = CTestFolders::makeHub();
        const bool written =
            FleetUserList::Write(hub.get(), count, QHostAddress(QStringLiteral("127.0.0.2")), port, &error);
        hub.reset();
        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());
        if (!written) {
            qWarning("%s", qPrintable(error));
            return QString();
        }
        *program = copy.Launch(m_Session);
        const QString window = m_Session.WaitForWindow(TITLE, 60000);
        if (window.isEmpty())
            qWarning("%s", (*program)->readAllStandardError().right(2000).constData());
        (*program)->readAllStandardError();
        return window;
    }

    // View > Refresh, until the rows of the answering and of the refusing
    // addresses were redrawn with what came back.
    void refreshRows(const QString& window, QProcess* program, QByteArray* seen, const QStringList& answering,
                     const QString& refusing)
    {
        QVERIFY2(m_Session.SendKeys(window, {"alt+v", "r"}), qPrintable(m_Session.Error()));
        QList<QRegularExpression> rows;
        for (const QString& address : answering)
            rows << QRegularExpression(QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[%1[^\]]*\] errCode\[0\])")
                                           .arg(QRegularExpression::escape(address)));
        rows << QRegularExpression(QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[%1[^\]]*\] errCode\[-\d+\])")
                                       .arg(QRegularExpression::escape(refusing)));
        QTRY_VERIFY2_WITH_TIMEOUT(std::all_of(rows.begin(), rows.end(),
                                              [&](const QRegularExpression& row) { return hasLine(program, seen, row); }),
                                  seen->right(3000).constData(), 20000);
    }

    // A window other than the main window (a message box), or empty.
    QString otherWindow(const QString& window)
    {
        for (const QString& other : m_Session.Windows(QStringLiteral(".")))
            if (other != window)
                return other;
        return QString();
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
        QProcess* program = nullptr;
        const QString window = launch(copy, 2, answering.Port(), &program);
        QVERIFY(!window.isEmpty());
        QByteArray seen;

        // View > Refresh: a row for each, code 0 for the one that answers.
        refreshRows(window, program, &seen, {QStringLiteral("127.0.0.2")}, QStringLiteral("127.0.0.3"));
        if (QTest::currentTestFailed())
            return;

        // Select all, Projector > Control > Power > Power On, confirmed.
        answering.ClearRequests();
        QVERIFY2(m_Session.SendKeys(window, {"ctrl+a", "alt+p", "o", "p", "n"}), qPrintable(m_Session.Error()));
        QString box;
        QTRY_VERIFY_WITH_TIMEOUT(!(box = otherWindow(window)).isEmpty(), 20000);
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

    // Input selection from the Control menu with three projectors: two
    // models that share one common input, and an address that refuses.
    void inputSelectionReachesTheIdentifiedProjectors()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));

        // COMPUTER1 (01H) is the only shown common input both models have.
        CSimProjectorModel lamp(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        lamp.State().inputTerminal = 0x06;
        CSimProjectorModel digital(CSimModelSpec::Shipped(QStringLiteral("LV-D200")));
        digital.State().inputTerminal = 0x1A;
        CSimulatedProjector first(QHostAddress(QStringLiteral("127.0.0.2")), 0);
        first.SetHandler([&lamp](const QByteArray& request) { return lamp.Answer(request); });
        QVERIFY2(first.Start(), qPrintable(first.ErrorString()));
        CSimulatedProjector second(QHostAddress(QStringLiteral("127.0.0.3")), first.Port());
        second.SetHandler([&digital](const QByteArray& request) { return digital.Answer(request); });
        QVERIFY2(second.Start(), qPrintable(second.ErrorString()));
        CSimulatedProjector refusing(QHostAddress(QStringLiteral("127.0.0.4")), first.Port());
        QVERIFY2(refusing.Start(), qPrintable(refusing.ErrorString()));
        QVERIFY(refusing.SetConnectMode(CSimulatedProjector::CONNECT_REFUSE));
        QProcess* program = nullptr;
        const QString window = launch(copy, 3, first.Port(), &program);
        QVERIFY(!window.isEmpty());
        QByteArray seen;
        const QStringList chooseFirstInput{"ctrl+a", "alt+p", "o", "s", "1", "Escape", "Escape", "Escape"};
        const auto inputFrames = [](const CSimulatedProjector& projector) {
            int frames = 0;
            for (const QByteArray& request : projector.Requests())
                frames += CSimProjectorModel::RequestIndex(request) == 4 ? 1 : 0;
            return frames;
        };

        // Nothing is identified before the first poll: nothing goes out.
        QVERIFY2(m_Session.SendKeys(window, chooseFirstInput), qPrintable(m_Session.Error()));
        QTest::qWait(2000);
        QVERIFY(first.Requests().isEmpty());
        QVERIFY(second.Requests().isEmpty());

        refreshRows(window, program, &seen, {QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.3")},
                    QStringLiteral("127.0.0.4"));
        if (QTest::currentTestFailed())
            return;
        first.ClearRequests();
        second.ClearRequests();
        QVERIFY2(m_Session.SendKeys(window, chooseFirstInput), qPrintable(m_Session.Error()));
        QTRY_VERIFY2_WITH_TIMEOUT(lamp.State().inputTerminal == 0x01 && digital.State().inputTerminal == 0x01,
                                  program->readAllStandardError().right(3000).constData(), 20000);
        QCOMPARE(inputFrames(first), 1);
        QCOMPARE(inputFrames(second), 1);

        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
    }

    // Groups made and filled by keyboard alone: a group created from the
    // Group menu and named, three projectors copied into it from All
    // Projectors, its Delete question declined, a group below it filled
    // from it; the user list written at exit holds both with the members.
    void groupsMadeAndFilledByKeyboard()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        QProcess* program = nullptr;
        // Nothing answers at these addresses; the groups need no answer.
        const QString window = launch(copy, 3, 7142, &program);
        QVERIFY(!window.isEmpty());
        const auto keys = [&](const QStringList& names) {
            QVERIFY2(m_Session.SendKeys(window, names), qPrintable(m_Session.Error()));
        };

        // Group > Create Group below the Group node, named "Hall A".
        keys({"alt+g", "c", "shift+h", "a", "l", "l", "space", "shift+a", "Return"});
        // All Projectors, the list, every row copied; back to Hall A, pasted.
        // (Hall A stands last among the groups, above Search Result.)
        keys({"Home", "Tab", "ctrl+a", "ctrl+c", "shift+Tab", "End", "Up", "ctrl+v"});
        // Del on the group asks; declined.
        keys({"Delete"});
        QString box;
        QTRY_VERIFY_WITH_TIMEOUT(!(box = otherWindow(window)).isEmpty(), 20000);
        QVERIFY2(m_Session.SendKeys(box, {"Escape"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(otherWindow(window).isEmpty(), 20000);
        // A group below Hall A, "Floor 2", filled from Hall A.
        keys({"alt+g", "c", "shift+f", "l", "o", "o", "r", "space", "2", "Return"});
        keys({"Up", "Tab", "ctrl+a", "ctrl+c", "shift+Tab", "Down", "ctrl+v"});

        keys({"alt+f", "x"});
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        const QString userList =
            QTextCodec::codecForName("UTF-16")->toUnicode(CTestFolders::readFile(copy.UserListPath()));
        // The fleet's list has groups of its own: the new ones' ids come after.
        const QRegularExpressionMatch hall = QRegularExpression(QStringLiteral("(\\d+)=\"Hall A\"")).match(userList);
        const QRegularExpressionMatch floor =
            QRegularExpression(QStringLiteral("(\\d+)=\"Hall A\\\\Floor 2\"")).match(userList);
        QVERIFY2(hall.hasMatch() && floor.hasMatch(), qPrintable(userList.right(400)));
        const QRegularExpression members(QStringLiteral("^GroupList=\\d+,%1,%2$")
                                             .arg(hall.captured(1).toInt())
                                             .arg(floor.captured(1).toInt()),
                                         QRegularExpression::MultilineOption);
        QVERIFY2(QString(userList).remove(QLatin1Char('\r')).count(members) == 3, qPrintable(userList.right(600)));
    }
};

QTEST_MAIN(tst_MainProgramCommands)
#include "tst_MainProgramCommands.moc"
