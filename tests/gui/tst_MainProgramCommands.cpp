#include <QtTest>

#include "AppPaths.h"
#include "CAiosmtpdServer.h"
#include "CFleetSweep.h"
#include "CIniFileAccess.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "DovecotLauncher.h"
#include "MailTestAddresses.h"
#include "ProjectorTestAddresses.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "ProgramCopy.h"
#include "XvfbSession.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QTextCodec>

#include <functional>

namespace {

const QString TITLE = QStringLiteral("^Lumivox 5$");
const QString REPORTED_NAME = QStringLiteral("Hall-East");
const QString POP_USER = QStringLiteral("lumivox");
const QString POP_PASSWORD = QStringLiteral("pop-secret");

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

    // Writes the copy's user list (`count` projectors from `first` on
    // `port`, in the groups of FleetUserList in turn) and the mail settings
    // `settings` makes, starts it and waits for its window; what the
    // start-up wrote to the error output is passed over. The window's id,
    // empty on failure.
    QString launch(ProgramCopy& copy, int count, const QHostAddress& first, quint16 port, QProcess** program,
                   const std::function<void(CLumivox5Data*)>& settings = {})
    {
        QString error;
        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        auto hub = CTestFolders::makeHub();
        bool written =
            FleetUserList::Write(hub.get(), count, first, port, &error);
        if (written && settings) {
            settings(hub.get());
            // The mail group alone: the window keeps its first-start place.
            written = !hub->WriteRegistryFunc(CLumivox5Reg::REG_MAIL);
            error = QStringLiteral("the settings were not written");
        }
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

    // The first window other than `window` that shows within the time; empty when none.
    QString otherWindow(const QString& window, int timeoutMs)
    {
        QString other;
        QElapsedTimer clock;
        clock.start();
        while (other.isEmpty() && clock.elapsed() < timeoutMs) {
            for (const QString& shown : m_Session.Windows(QStringLiteral(".")))
                if (shown != window)
                    other = shown;
            if (other.isEmpty())
                QTest::qWait(100);
        }
        return other;
    }

    // Keeps a picture of the screen for a failed step.
    void keepScreen(const QString& step)
    {
        const QString path = QDir::temp().filePath(QStringLiteral("tst_MainProgramCommands-%1.png").arg(step));
        if (m_Session.Screenshot(path))
            qWarning("screen kept in %s", qPrintable(path));
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

    // The key names that type `text` (letters, digits and the signs below).
    static QStringList typing(const QString& text)
    {
        static const QHash<QChar, QString> signs{
            {'.', "period"},    {' ', "space"},      {'/', "slash"},     {'-', "minus"},
            {'_', "underscore"}, {'"', "quotedbl"},  {'$', "dollar"},    {'(', "parenleft"},
            {')', "parenright"}, {';', "semicolon"}, {'~', "asciitilde"}};
        QStringList keys;
        for (const QChar c : text)
            keys << signs.value(c, QString(c));
        return keys;
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
        ProgramCopy::StartDisplayForTestCase(m_Session);
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
        const QString window = launch(copy, 2, answering.Address(), answering.Port(), &program);
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

    // Tool > Communication Settings by keys with three simulated projectors:
    // the dialog lists them; Down, Space and Alt+O disable one, which leaves
    // the main list (a refresh reaches only the other two) and is saved
    // disabled at exit.
    void communicationSettingsDisablesATarget()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        const QStringList addresses{"127.0.0.2", "127.0.0.3", "127.0.0.4"};
        std::vector<std::unique_ptr<CSimulatedProjector>> projectors;
        for (const QString& address : addresses) {
            projectors.emplace_back(
                new CSimulatedProjector(QHostAddress(address), projectors.empty() ? 0 : projectors.front()->Port()));
            projectors.back()->SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
            QVERIFY2(projectors.back()->Start(), qPrintable(projectors.back()->ErrorString()));
        }
        QProcess* program = nullptr;
        const QString window = launch(copy, 3, projectors.front()->Address(), projectors.front()->Port(), &program);
        QVERIFY(!window.isEmpty());
        QByteArray seen;

        QVERIFY2(m_Session.SendKeys(window, {"alt+t", "c"}), qPrintable(m_Session.Error()));
        const QString dialog = m_Session.WaitForWindow(QStringLiteral("^Communication Settings$"), 20000);
        QVERIFY(!dialog.isEmpty());
        QCOMPARE(m_Session.Geometry(dialog).size(), QSize(740, 295));
        // The dialog's trace says how many targets it listed.
        QTRY_VERIFY2_WITH_TIMEOUT(hasLine(program, &seen, QRegularExpression(QStringLiteral(R"(listed targets \[3\])"))),
                                  seen.right(2000).constData(), 10000);
        QVERIFY2(m_Session.SendKeys(dialog, {"Down", "space", "alt+o"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Communication Settings$")).isEmpty(), 10000);

        // View > Refresh goes to the listed projectors only (all three were
        // refreshed at start).
        seen += program->readAllStandardError();
        seen.clear();
        QVERIFY2(m_Session.SendKeys(window, {"alt+v", "r"}), qPrintable(m_Session.Error()));
        const auto refreshed = [&](const QString& address) {
            return hasLine(program, &seen,
                           QRegularExpression(QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[%1[^\]]*\] errCode\[0\])")
                                                  .arg(QRegularExpression::escape(address))));
        };
        QTRY_VERIFY2_WITH_TIMEOUT(std::count_if(addresses.begin(), addresses.end(), refreshed) == 2,
                                  seen.right(3000).constData(), 20000);

        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        CIniFileAccess list;
        QCOMPARE(list.ReadIniFile(copy.UserListPath()), 0);
        QStringList disabled;
        for (int id = 1; id <= 3; ++id) {
            const QString section = QStringLiteral("Setting %1").arg(id, 3, 10, QLatin1Char('0'));
            QString enabled;
            QString address;
            list.GetIniString(section, QStringLiteral("Enabled"), QString(), &enabled);
            list.GetIniString(section, QStringLiteral("IPAddress"), QString(), &address);
            QVERIFY2(enabled == QLatin1String("True") || enabled == QLatin1String("False"), qPrintable(section));
            if (enabled == QLatin1String("False"))
                disabled << address;
        }
        QCOMPARE(disabled.size(), 1);
        QVERIFY(!refreshed(disabled.first()));
    }

    // A new target typed into the connection editor by keys (host-name mode,
    // a port with a blank before it) reaches the main list, is polled with
    // success, and is saved at exit.
    void communicationSettingsAddsATarget()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimulatedProjector first(QHostAddress(QStringLiteral("127.0.0.2")), 0);
        first.SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
        QVERIFY2(first.Start(), qPrintable(first.ErrorString()));
        // At the projector port: on an address of this process's own.
        CSimulatedProjector added(ProjectorTestAddress(1), 7142);
        added.SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
        QVERIFY2(added.Start(), qPrintable(added.ErrorString()));
        QProcess* program = nullptr;
        const QString window = launch(copy, 1, first.Address(), first.Port(), &program);
        QVERIFY(!window.isEmpty());
        QByteArray seen;

        QVERIFY2(m_Session.SendKeys(window, {"alt+t", "c"}), qPrintable(m_Session.Error()));
        const QString dialog = m_Session.WaitForWindow(QStringLiteral("^Communication Settings$"), 20000);
        QVERIFY(!dialog.isEmpty());
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+n"}), qPrintable(m_Session.Error()));
        const QString editor = m_Session.WaitForWindow(QStringLiteral("^New Settings$"), 20000);
        QVERIFY(!editor.isEmpty());
        QCOMPARE(m_Session.Geometry(editor).size(), QSize(303, 410));
        // Name; past the page tab to the address options, Down to the host name.
        QStringList keys{"ctrl+a"};
        keys << typing(QStringLiteral("Annex")) << "Tab" << "Tab" << "Down" << "Tab"
             << typing(added.AddressText()) << "Tab" << "ctrl+a" << typing(QStringLiteral(" 7142")) << "Return";
        QVERIFY2(m_Session.SendKeys(editor, keys), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^New Settings$")).isEmpty(), 10000);
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+o"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Communication Settings$")).isEmpty(), 10000);

        QVERIFY2(m_Session.SendKeys(window, {"alt+v", "r"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY2_WITH_TIMEOUT(
            hasLine(program, &seen,
                    QRegularExpression(QStringLiteral(R"(SetPjDataVisual row\[\d+\] data\[%1[^\]]*\] errCode\[0\])")
                                           .arg(QRegularExpression::escape(added.AddressText())))),
            seen.right(3000).constData(), 20000);

        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        CIniFileAccess list;
        QCOMPARE(list.ReadIniFile(copy.UserListPath()), 0);
        QString name;
        QString host;
        QString type;
        list.GetIniString(QStringLiteral("Setting 002"), QStringLiteral("SettingName"), QString(), &name);
        list.GetIniString(QStringLiteral("Setting 002"), QStringLiteral("HostName"), QString(), &host);
        list.GetIniString(QStringLiteral("Setting 002"), QStringLiteral("LanType"), QString(), &type);
        QCOMPARE(QStringList({name, type, host}), QStringList({"Annex", "HOST", added.AddressText()}));
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
        const QString window = launch(copy, 3, first.Address(), first.Port(), &program);
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

    // Error mails by POP before SMTP: three simulated projectors in three
    // groups, the second reporting a lamp error from its start, while
    // another group is shown. Then a test mail from the mail settings dialog.
    void errorMailAndTestMail()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        DovecotLauncher pop;
        DovecotLauncher::Options popOptions;
        popOptions.addresses = {MailTestAddress(1)};
        popOptions.users = {{POP_USER, POP_PASSWORD}};
        QVERIFY2(pop.start(popOptions), qPrintable(pop.error()));
        CAiosmtpdServer smtp;
        AiosmtpdOptions smtpOptions;
        smtpOptions.address = MailTestAddress(2);
        smtpOptions.plainPorts = {25};
        smtpOptions.noAuth = true;
        smtpOptions.script = QStringLiteral("pop_before_smtp.py");
        smtpOptions.scriptArguments = QStringList{QStringLiteral("--pop-log"), pop.logPath(),
                                                  QStringLiteral("--pop-user"), POP_USER};
        QVERIFY2(smtp.start(smtpOptions, &error), qPrintable(error));
        CFleetSweep simulator;
        QVERIFY2(simulator.StartSimulator(CFleetSweep::FindSimulator(QString()), 3, QStringLiteral("LV-L100"), 0,
                                          {QStringLiteral("--vary"), QStringLiteral("--error-status"),
                                           QStringLiteral("40@2")}),
                 qPrintable(simulator.Error()));

        QProcess* program = nullptr;
        const QString window = launch(copy, 3, simulator.FirstAddress(), simulator.Port(), &program, [&](CLumivox5Data* hub) {
            CMailSettings& mail = *hub->m_pMailSettings;
            mail.m_Enabled = true;
            mail.m_Recipients = QList<QString>{QStringLiteral("ops@example.org")};
            mail.m_Comment = QStringLiteral("Hall B");
            mail.m_SMTPServer = smtpOptions.address.toString();
            mail.m_POP3Server = MailTestAddress(1).toString();
            mail.m_User = POP_USER;
            mail.m_Pass = POP_PASSWORD;
            mail.m_Sender = QStringLiteral("lumivox@example.org");
            mail.m_Authority = 1;
        });
        QVERIFY(!window.isEmpty());
        QByteArray seen;

        // "Floor 3" shown (the third projector; the group tree starts with
        // the focus and its groups open), then View > Refresh All.
        QVERIFY2(m_Session.SendKeys(window, {"End", "Up"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY2_WITH_TIMEOUT(hasLine(program, &seen, QRegularExpression(QStringLiteral(R"(Group::\[Group.Floor 3\])"))),
                                  seen.right(3000).constData(), 10000);
        // Each status pass traces itself once.
        const QRegularExpression pass(QStringLiteral(R"(Lumivox5Main::f_OnUpdateTimingProc entries)"));
        const auto refreshAll = [&](int passes) {
            QVERIFY2(m_Session.SendKeys(window, {"alt+v", "f"}), qPrintable(m_Session.Error()));
            QTRY_VERIFY2_WITH_TIMEOUT(
                [&] {
                    hasLine(program, &seen, pass);
                    return QString::fromUtf8(seen).count(pass) >= passes;
                }(),
                seen.right(3000).constData(), 20000);
        };
        refreshAll(1);
        if (QTest::currentTestFailed())
            return keepScreen(QStringLiteral("refresh"));
        QTRY_COMPARE_WITH_TIMEOUT(smtp.messageCount(), 1, 10000);
        const QJsonObject mail = smtp.summary(0);
        QCOMPARE(mail.value(QStringLiteral("subject")).toString(), QStringLiteral("[Lumivox 5] Projector Information"));
        QCOMPARE(mail.value(QStringLiteral("body")).toString(),
                 QStringLiteral("Lamp error\n[Information]\n    Projector Name    : PJ-2\n"
                                "    Connection        : 127.0.0.3\n    Lamp Used Hours   : 137 [H]\n"
                                "[Comment]\nHall B\n"));
        // The same error at the next poll: no second mail.
        refreshAll(2);
        QTest::qWait(1500);
        QCOMPARE(smtp.messageCount(), 1);

        // Tool > Mail Settings..., Test Mail: the mail, then its outcome.
        QVERIFY2(m_Session.SendKeys(window, {"alt+t", "m"}), qPrintable(m_Session.Error()));
        const QString dialog = m_Session.WaitForWindow(QStringLiteral("^Mail Setting$"), 10000);
        if (dialog.isEmpty())
            keepScreen(QStringLiteral("dialog"));
        QVERIFY(!dialog.isEmpty());
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+t"}), qPrintable(m_Session.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(smtp.messageCount(), 2, 10000);
        QCOMPARE(smtp.summary(1).value(QStringLiteral("subject")).toString(), QStringLiteral("[Lumivox 5] Test Mail"));
        QString box;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QString& shown : m_Session.Windows(QStringLiteral(".")))
                    if (shown != window && shown != dialog)
                        box = shown;
                return !box.isEmpty();
            }(),
            10000);
        QVERIFY2(m_Session.SendKeys(box, {"Return"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_Session.Windows(QStringLiteral(".")).contains(box), 10000);
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+c"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_Session.Windows(QStringLiteral(".")).contains(dialog), 10000);

        // File > Exit asks first, as error mails stop with the program: OK.
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        const QString question = otherWindow(window, 10000);
        if (question.isEmpty())
            keepScreen(QStringLiteral("exit"));
        QVERIFY(!question.isEmpty());
        QVERIFY2(m_Session.SendKeys(question, {"Tab", "space"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        QCOMPARE(smtp.messageCount(), 2);
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
        const QString window = launch(copy, 3, ProjectorTestAddress(1), 7142, &program);
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

    // A script added to the launch list by keys, with arguments a shell
    // would split, expand and run, is started from Tool > Launch
    // application with its arguments as typed, split at blanks only; the
    // list is saved in its ten slots at exit and offered after a restart.
    void launchListStartsAScriptWithoutAShell()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        const QString script = copy.Path(QStringLiteral("args.sh"));
        const QString written = copy.Path(QStringLiteral("args.out"));
        // Its folder, then each argument in brackets, one a line.
        QVERIFY(CTestFolders::writeFile(
            script, QStringLiteral("#!/bin/sh\npwd > '%1.tmp'\nprintf '[%s]\\n' \"$@\" >> '%1.tmp'\nmv '%1.tmp' '%1'\n")
                        .arg(written)
                        .toUtf8()));
        QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
        const QString arguments = QStringLiteral(R"(one  "two" $(touch pwned);x)");
        const QStringList expected{"[one]", "[]", "[\"two\"]", "[$(touch]", "[pwned);x]"};
        QProcess* program = nullptr;
        QString window = launch(copy, 1, ProjectorTestAddress(1), 7142, &program);
        QVERIFY(!window.isEmpty());

        // Tool > Launch application (the menu's last item, reached by Up),
        // its settings item (the last again), Add.
        const QStringList launchMenu{"alt+t", "Up", "Right"};
        QVERIFY2(m_Session.SendKeys(window, launchMenu + QStringList{"Up", "Return"}), qPrintable(m_Session.Error()));
        const QString dialog = m_Session.WaitForWindow(QStringLiteral("^Application launch setting$"), 20000);
        if (dialog.isEmpty())
            keepScreen(QStringLiteral("launch-list"));
        QVERIFY(!dialog.isEmpty());
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+a"}), qPrintable(m_Session.Error()));
        const QString editor = m_Session.WaitForWindow(QStringLiteral("^Add$"), 20000);
        QVERIFY(!editor.isEmpty());
        QStringList keys = typing(QStringLiteral("Args"));
        keys << "Tab" << typing(script) << "Tab" << "Tab" << typing(arguments);
        QVERIFY2(m_Session.SendKeys(editor, keys), qPrintable(m_Session.Error()));
        const QString shots = QCoreApplication::applicationDirPath() + "/tst_MainProgramCommands-launch-";
        QVERIFY2(m_Session.Screenshot(shots + "editor.png"), qPrintable(m_Session.Error()));
        QVERIFY2(m_Session.SendKeys(editor, {"Return"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Add$")).isEmpty(), 10000);
        QVERIFY2(m_Session.Screenshot(shots + "list.png"), qPrintable(m_Session.Error()));
        QVERIFY2(m_Session.SendKeys(dialog, {"alt+o"}), qPrintable(m_Session.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_Session.Windows(QStringLiteral("^Application launch setting$")).isEmpty(), 10000);

        // The entry stands first in the sub-menu.
        const auto launchFirst = [&] {
            QVERIFY2(m_Session.SendKeys(window, launchMenu + QStringList{"Return"}), qPrintable(m_Session.Error()));
            QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(written), program->readAllStandardError().right(2000).constData(),
                                      10000);
            const QStringList seen = QString::fromUtf8(CTestFolders::readFile(written)).split('\n', Qt::SkipEmptyParts);
            // Nothing ran the command substitution in the folder it was started in.
            QVERIFY(!QFile::exists(QDir(seen.value(0)).filePath(QStringLiteral("pwned"))));
            QCOMPARE(seen.mid(1), expected);
            QVERIFY(QFile::remove(written));
        };
        launchFirst();
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
        QCOMPARE(program->exitCode(), 0);
        const QString settings = QString::fromUtf8(CTestFolders::readFile(copy.ProgramFolder() + "/Lumivox 5.plist"));
        for (int slot = 0; slot < 10; ++slot)
            for (const char* name : {"StartAppDisplayName", "StartAppPath", "StartAppArguments"})
                QVERIFY2(settings.contains(QStringLiteral("<key>%1%2</key>").arg(QLatin1String(name)).arg(slot)),
                         qPrintable(settings.left(3000)));

        // Started again, the program offers the entry and starts it alike.
        window = launch(copy, 1, ProjectorTestAddress(1), 7142, &program);
        QVERIFY(!window.isEmpty());
        launchFirst();
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "x"}), qPrintable(m_Session.Error()));
        QVERIFY(ProgramCopy::Finish(program, 20000));
    }
};

QTEST_MAIN(tst_MainProgramCommands)
#include "tst_MainProgramCommands.moc"
