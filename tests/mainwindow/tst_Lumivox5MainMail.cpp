#include <QtTest>

#include "CAiosmtpdServer.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "DovecotLauncher.h"
#include "FormMailSettings.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MailTestAddresses.h"
#include "MainWindowSelectionRig.h"
#include "ProfileFlag.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QLoggingCategory>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace {

const QString TEST_SUBJECT = QStringLiteral("[Lumivox 5] Test Mail");
const QString ERROR_SUBJECT = QStringLiteral("[Lumivox 5] Projector Information");
const QString POP_USER = QStringLiteral("lumivox");
const QString POP_PASSWORD = QStringLiteral("pop-secret");

// Bits of the first error word of a lamp model: temperature and lamp.
const quint32 TEMPERATURE = 1u << 1;
const quint32 LAMP = 1u << 6;

// The mails the window hands on in place of the dispatcher, each with a
// copy of its settings, taken while the request is made.
struct MailSink
{
    struct Mail
    {
        QString request; // "141 - from act - cache log"
        CMailSettings settings;
        QString subject;
        QString body;
        bool test = false;
    };
    QList<Mail> mails;
    QStringList others;

    MailSink()
    {
        Lumivox5Main::SetRequestSink([this](int id, QList<CVariantParameter>* params, int from, int act,
                                            QList<int>* targets, bool cache, bool log) {
            const QString request = RequestRecorder::Describe(id, nullptr, from, act, targets, cache, log);
            if (id != 141 || !params || params->size() != 4) {
                others << request;
                return;
            }
            Mail mail;
            mail.request = request;
            mail.settings = *static_cast<const CMailSettings*>(params->at(0).ToPointer());
            mail.subject = params->at(1).ToString();
            mail.body = params->at(2).ToString();
            mail.test = params->at(3).ToBool();
            mails << mail;
        });
    }
    ~MailSink() { Lumivox5Main::SetRequestSink(Lumivox5Main::RequestSink()); }
    MailSink(const MailSink&) = delete;
    MailSink& operator=(const MailSink&) = delete;

    QStringList bodies() const
    {
        QStringList texts;
        for (const Mail& mail : mails)
            texts << mail.body;
        return texts;
    }
};

CMailSettings Settings()
{
    CMailSettings settings;
    settings.m_Enabled = true;
    settings.m_Recipients = QList<QString>{QStringLiteral("ops@example.org"), QStringLiteral("desk@example.org")};
    settings.m_Comment = QStringLiteral("Call the\nfacility desk");
    settings.m_SMTPServer = QStringLiteral("smtp.example.org");
    settings.m_POP3Server = QStringLiteral("pop.example.org");
    settings.m_User = QStringLiteral("lumivox");
    settings.m_Pass = QStringLiteral("secret");
    settings.m_Sender = QStringLiteral("lumivox@example.org");
    return settings;
}

// The record as a connected projector reports it.
void Identify(CProjectorData* record, CProfile* profile)
{
    record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    record->m_Profile = profile;
    record->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("Hall-East"));
    record->m_Status[CProjectorData::StModelName].FromString(QStringLiteral("LV-L100"));
    record->m_Status[CProjectorData::StLamp1Info].FromUChar(0);
    record->m_Status[CProjectorData::StLamp1Usage].FromLong(1234 * 3600 + 3599);
    record->m_Status[CProjectorData::StLamp2Info].FromUChar(0);
    record->m_Status[CProjectorData::StLamp2Usage].FromLong(56 * 3600);
    record->m_Status[CProjectorData::StFilterInfo].FromUChar(0);
    record->m_Status[CProjectorData::StFilterUsed].FromLong(500 * 3600);
    record->m_Status[CProjectorData::StFilterAlarm].FromLong(1000 * 3600);
}

// Runs the window's mail settings dialog; `operate` works on it while it is
// shown. A dialog still open afterwards is cancelled.
void RunMailDialog(Lumivox5Main* window, const std::function<void(FormMailSettings*)>& operate)
{
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        auto* dialog = qobject_cast<FormMailSettings*>(shown);
        if (dialog)
            operate(dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    window->f_ShowMailSettings();
}

QLineEdit* Edit(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QLatin1String(name));
}

} // namespace

// Over the selection rig's window: "Floor 1" holds projectors 1 to 3,
// "Floor 2" holds 4.
class tst_Lumivox5MainMail : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindowSelectionRig> m_Rig;
    // Lamp models with and without a projector name, two lamps, laser.
    CProfile* m_Lamp = nullptr;
    CProfile* m_Unnamed = nullptr;
    CProfile* m_TwoLamps = nullptr;
    CProfile* m_Laser = nullptr;

    // Mail servers, started once for the tests that need them: POP3, a
    // receiver, and a receiver taking a mail only after a POP3 log-in.
    std::unique_ptr<DovecotLauncher> m_Pop;
    std::unique_ptr<CAiosmtpdServer> m_Receiver;
    std::unique_ptr<CAiosmtpdServer> m_Gate;

    void startMailServers()
    {
        if (m_Gate)
            return;
        m_Pop.reset(new DovecotLauncher);
        DovecotLauncher::Options pop;
        pop.addresses = {MailTestAddress(1)};
        pop.users = {{POP_USER, POP_PASSWORD}};
        QVERIFY2(m_Pop->start(pop), qPrintable(m_Pop->error()));
        AiosmtpdOptions smtp;
        smtp.address = MailTestAddress(2);
        smtp.plainPorts = {25};
        smtp.noAuth = true;
        QString error;
        m_Receiver.reset(new CAiosmtpdServer);
        QVERIFY2(m_Receiver->start(smtp, &error), qPrintable(error));
        smtp.address = MailTestAddress(3);
        smtp.script = QStringLiteral("pop_before_smtp.py");
        smtp.scriptArguments =
            QStringList{QStringLiteral("--pop-log"), m_Pop->logPath(), QStringLiteral("--pop-user"), POP_USER};
        m_Gate.reset(new CAiosmtpdServer);
        QVERIFY2(m_Gate->start(smtp, &error), qPrintable(error));
    }

    Lumivox5Main* window() const { return m_Rig->window.get(); }
    CLumivox5Data* hub() const { return m_Rig->window->m_Lumivox5Data; }
    CProjectorData* record(int id) const { return m_Rig->record(id); }

    void start()
    {
        QVERIFY(m_Rig->start());
        *hub()->m_pMailSettings = Settings();
        m_Lamp = m_Rig->profile({ProfileFlag::ReqProjectorName});
        m_Unnamed = m_Rig->profile({});
        m_TwoLamps = m_Rig->profile({ProfileFlag::ReqProjectorName, ProfileFlag::ReqRemainingLamp2Time});
        m_Laser = m_Rig->profile({ProfileFlag::ReqProjectorName, ProfileFlag::LaserBeam});
    }

    // A status report of the projector and the pass that takes it.
    void poll(int id)
    {
        window()->OnReceiveUpdateTiming(1, 1, 1, id);
        window()->OnTimerUpdateDelay();
    }

    static void setErrors(CProjectorData* record, quint32 wordA)
    {
        record->m_Status[CProjectorData::StErrorWordA].FromULong(wordA);
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void init()
    {
        m_Rig.reset(new MainWindowSelectionRig);
        CMailSettings::m_ExecStatus = CMailSettings::SMTP_RESULT::Completed;
    }

    void cleanup() { m_Rig.reset(); }

    void cleanupTestCase()
    {
        m_Gate.reset();
        m_Receiver.reset();
        m_Pop.reset();
    }

    void testMailBody_data()
    {
        QTest::addColumn<QList<QString>>("recipients");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("body");

        const QString head = QStringLiteral("The content of [Mail Setting] set is as follows.\n"
                                            "    Sender Address   : lumivox@example.org\n"
                                            "    SMTP Server      : smtp.example.org\n"
                                            "    POP3 Server      : pop.example.org\n");
        QTest::newRow("two recipients, no comment")
            << QList<QString>{"ops@example.org", "desk@example.org"} << QString()
            << head + "    To Address1      : ops@example.org\n    To Address2      : desk@example.org\n"
                      "    To Address3      : -\n[Comment]\n\n";
        QTest::newRow("an empty entry stays empty")
            << QList<QString>{"ops@example.org", "", "night@example.org"} << QStringLiteral("Hall B\nfloor 2")
            << head + "    To Address1      : ops@example.org\n    To Address2      : \n"
                      "    To Address3      : night@example.org\n[Comment]\nHall B\nfloor 2\n";
        QTest::newRow("no recipients") << QList<QString>() << QStringLiteral("x")
                                       << head + "    To Address1      : -\n    To Address2      : -\n"
                                                 "    To Address3      : -\n[Comment]\nx\n";
    }

    // The test mail from the dialog's settings, handed on as request 141.
    void testMailBody()
    {
        QFETCH(QList<QString>, recipients);
        QFETCH(QString, comment);
        QFETCH(QString, body);
        start();
        CMailSettings settings = Settings();
        settings.m_Recipients = recipients;
        settings.m_Comment = comment;
        // The POP3 server is named whatever the method.
        settings.m_Authority = 0;
        MailSink sink;
        window()->f_OnSendTestMail(&settings);
        QCOMPARE(sink.others, QStringList());
        QCOMPARE(sink.mails.size(), 1);
        const MailSink::Mail& mail = sink.mails.first();
        QCOMPARE(mail.request, QStringLiteral("141 - 1 0 - 0 1"));
        QCOMPARE(mail.subject, TEST_SUBJECT);
        QCOMPARE(mail.body, body);
        QCOMPARE(mail.test, true);
        QVERIFY(mail.settings == settings);
    }

    void completedMail_data()
    {
        QTest::addColumn<bool>("test");
        QTest::addColumn<int>("execStatus");
        QTest::addColumn<bool>("dialogOpen");
        QTest::addColumn<int>("result");
        // -1 no box.
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("execStatusAfter");

        const int info = QMessageBox::Information;
        const int critical = QMessageBox::Critical;
        QTest::newRow("test mail sent") << true << 1 << true << 0 << info
                                        << QStringLiteral("Mail Sending has been completed.") << 0;
        QTest::newRow("test mail: POP3 log-in only")
            << true << 1 << true << 9 << critical
            << QStringLiteral("Mail Sending has been failed. (An uncertain error occurs. )") << 9;
        QTest::newRow("test mail: wrong POP3 password")
            << true << 1 << true << 14 << critical
            << QStringLiteral("POP3 Server\nThe user name or the password is wrong.") << 14;
        QTest::newRow("test mail, dialog closed") << true << 1 << false << 0 << -1 << QString() << 0;
        QTest::newRow("error mail failed") << false << 1 << true << 4 << -1 << QString() << 1;
        QTest::newRow("no test mail running") << true << 3 << true << 0 << -1 << QString() << 3;
    }

    void completedMail()
    {
        QFETCH(bool, test);
        QFETCH(int, execStatus);
        QFETCH(bool, dialogOpen);
        QFETCH(int, result);
        QFETCH(int, icon);
        QFETCH(QString, text);
        QFETCH(int, execStatusAfter);
        start();
        ScriptedMessageBoxes boxes;
        Qt::CursorShape cursor = Qt::WaitCursor;
        QWidget* shownDialog = nullptr;
        const auto outcome = [&](QWidget* dialog) {
            if (dialog)
                dialog->setCursor(Qt::WaitCursor);
            CMailSettings::m_ExecStatus = execStatus;
            window()->f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum(result), test);
            if (dialog)
                cursor = dialog->cursor().shape();
        };
        // With the dialog closed again: the window no longer points at it.
        RunMailDialog(window(), [&](FormMailSettings* dialog) {
            shownDialog = dialog;
            if (dialogOpen)
                outcome(dialog);
        });
        if (!dialogOpen)
            outcome(nullptr);

        QVERIFY(shownDialog);
        QCOMPARE(CMailSettings::m_ExecStatus, execStatusAfter);
        QCOMPARE(boxes.shown.size(), icon < 0 ? 0 : 1);
        if (dialogOpen)
            QCOMPARE(cursor, icon < 0 ? Qt::WaitCursor : Qt::ArrowCursor);
        if (icon < 0)
            return;
        const CMessageBoxes::Box& box = boxes.shown.first();
        QCOMPARE(int(box.icon), icon);
        QCOMPARE(box.text, text);
        QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.parent, shownDialog);
    }

    // A test mail still running when its dialog was closed: the next opening
    // shows it running (the wait cursor), a click there sends nothing, and
    // the outcome box over that dialog puts the arrow cursor back.
    void testMailRunningShowsInTheNextOpening()
    {
        start();
        MailSink sink;
        ScriptedMessageBoxes boxes;
        RunMailDialog(window(), [&](FormMailSettings* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("btnTest"))->click();
        });
        QCOMPARE(sink.mails.size(), 1);
        QCOMPARE(CMailSettings::m_ExecStatus, int(CMailSettings::SMTP_RESULT::Executing));

        QWidget* shownDialog = nullptr;
        QList<Qt::CursorShape> cursors;
        RunMailDialog(window(), [&](FormMailSettings* dialog) {
            shownDialog = dialog;
            cursors << dialog->cursor().shape();
            dialog->findChild<QPushButton*>(QStringLiteral("btnTest"))->click();
            cursors << dialog->cursor().shape();
            window()->f_OnCompletedMail(CMailSettings::SMTP_RESULT::Completed, true);
            cursors << dialog->cursor().shape();
        });
        QCOMPARE(cursors, (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor, Qt::ArrowCursor}));
        QCOMPARE(sink.mails.size(), 1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text, QStringLiteral("Mail Sending has been completed."));
        QCOMPARE(boxes.shown.first().parent, shownDialog);
    }

    void errorMailBody_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("deviceKind");
        QTest::addColumn<bool>("lampKnown");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("body");

        const QString comment = QStringLiteral("Call the\nfacility desk");
        const QString end = QStringLiteral("[Comment]\nCall the\nfacility desk\n");
        QTest::newRow("named, one lamp, LAN")
            << "lamp" << 0 << true << 0 << comment
            << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n    Connection        : 192.168.0.11\n"
               "    Lamp Used Hours   : 1234 [H]\n" + end;
        QTest::newRow("model name") << "unnamed" << 0 << true << 0 << comment
                                    << "Lamp error\n[Information]\n    Model Name        : LV-L100\n"
                                       "    Connection        : 192.168.0.11\n    Lamp Used Hours   : 1234 [H]\n" + end;
        QTest::newRow("two lamps") << "two lamps" << 0 << true << 0 << comment
                                   << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                      "    Connection        : 192.168.0.11\n    Lamp1 Used Hours  : 1234 [H]\n"
                                      "    Lamp2 Used Hours  : 56 [H]\n" + end;
        QTest::newRow("laser") << "laser" << 0 << true << 0 << comment
                               << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                  "    Connection        : 192.168.0.11\n    Light Hours Used  : 1234 [H]\n" + end;
        QTest::newRow("serial") << "lamp" << 1 << true << 0 << comment
                                << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                   "    Connection        : COM3\n    Lamp Used Hours   : 1234 [H]\n" + end;
        QTest::newRow("hours not available") << "lamp" << 0 << false << 0 << comment
                                             << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                                "    Connection        : 192.168.0.11\n    Lamp Used Hours   : --- [H]\n" +
                                                    end;
        QTest::newRow("filter entry") << "lamp" << 0 << true << 1 << comment
                                      << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                         "    Connection        : 192.168.0.11\n    Lamp Used Hours   : 1234 [H]\n"
                                         "    Filter Used Hours : 500 [H]\n" + end;
        QTest::newRow("only bit 0 marks the filter") << "lamp" << 0 << true << 6 << QString()
                                                     << "Lamp error\n[Information]\n    Projector Name    : Hall-East\n"
                                                        "    Connection        : 192.168.0.11\n"
                                                        "    Lamp Used Hours   : 1234 [H]\n[Comment]\n\n";
    }

    void errorMailBody()
    {
        QFETCH(QString, profile);
        QFETCH(int, deviceKind);
        QFETCH(bool, lampKnown);
        QFETCH(int, filter);
        QFETCH(QString, comment);
        QFETCH(QString, body);
        start();
        CProfile* profiles[] = {m_Lamp, m_Unnamed, m_TwoLamps, m_Laser};
        const QStringList names{"lamp", "unnamed", "two lamps", "laser"};
        CProjectorData* projector = record(1);
        Identify(projector, profiles[names.indexOf(profile)]);
        if (deviceKind != 0) {
            projector->m_DeviceKind = deviceKind;
            projector->m_Address = QStringLiteral("COM3");
        }
        if (!lampKnown)
            projector->m_Status[CProjectorData::StLamp1Info].FromUChar(CProjectorData::INFO_NOT_AVAILABLE);
        hub()->m_pMailSettings->m_Comment = comment;
        MailSink sink;
        window()->f_OnSendErrorMail(projector, QStringLiteral("Lamp error"), filter);
        QCOMPARE(sink.mails.size(), 1);
        QCOMPARE(sink.mails.first().request, QStringLiteral("141 - 1 0 - 0 1"));
        QCOMPARE(sink.mails.first().subject, ERROR_SUBJECT);
        QCOMPARE(sink.mails.first().body, body);
        QCOMPARE(sink.mails.first().test, false);
        QVERIFY(sink.mails.first().settings == *hub()->m_pMailSettings);
    }

    // Every label of a value line is 24 characters, its colon the 23rd.
    void labelsLineUp()
    {
        for (const char* key : {"ErrorMailPjName", "ErrorMailModelName", "ErrorMailConnection", "ErrorMailLamp1UseTime",
                                "ErrorMailLamp2UseTime", "ErrorMailLightUseTime", "ErrorMailLampUseTime",
                                "ErrorMailFilterUseTime"}) {
            const QString label = Lumivox5Main::tr(key);
            QVERIFY2(label.size() == 24 && label.startsWith(QLatin1String("    ")) && label.at(22) == ':'
                         && label.at(23) == ' ',
                     key);
        }
    }

    // Through the status passes: a mail per new error, in decoding order, for
    // projectors listed or not, while error mails are on.
    void errorMailsFollowNewErrors()
    {
        start();
        // A group is shown that holds projector 4 only.
        QVERIFY(m_Rig->selectGroupNode(QStringLiteral("Floor 2")));
        QCOMPARE(m_Rig->list()->GetDispPjDataIDList(), QList<int>{4});
        CProjectorData* unlisted = record(3);
        Identify(unlisted, m_Lamp);
        MailSink sink;

        hub()->m_pMailSettings->m_Enabled = false;
        setErrors(unlisted, TEMPERATURE | LAMP);
        poll(3);
        QCOMPARE(sink.mails.size(), 0);

        hub()->m_pMailSettings->m_Enabled = true;
        poll(3);
        QCOMPARE(sink.mails.size(), 2);
        QVERIFY(sink.mails.at(0).body.startsWith(QLatin1String("Temperature error\n[Information]\n")));
        QVERIFY(sink.mails.at(1).body.startsWith(QLatin1String("Lamp error\n[Information]\n")));
        QCOMPARE(sink.mails.at(1).subject, ERROR_SUBJECT);

        // The same errors again: nothing new.
        poll(3);
        QCOMPARE(sink.mails.size(), 2);
        // Cleared, then the lamp error back: one mail.
        setErrors(unlisted, TEMPERATURE);
        poll(3);
        QCOMPARE(sink.mails.size(), 2);
        setErrors(unlisted, TEMPERATURE | LAMP);
        poll(3);
        QCOMPARE(sink.mails.size(), 3);
        QVERIFY(sink.mails.at(2).body.startsWith(QLatin1String("Lamp error\n")));

        // The filter at its end of life: one mail with the filter line, once.
        unlisted->m_Status[CProjectorData::StFilterUsed].FromLong(1000 * 3600);
        poll(3);
        poll(3);
        QCOMPARE(sink.mails.size(), 4);
        QVERIFY(sink.mails.at(3).body.startsWith(QLatin1String("Filter has reached its end of life\n")));
        QVERIFY(sink.mails.at(3).body.contains(QLatin1String("\n    Filter Used Hours : 1000 [H]\n")));
        QVERIFY(!sink.mails.at(2).body.contains(QLatin1String("Filter")));
        QCOMPARE(sink.others, QStringList());
    }

    // A projector whose model is not known yet keeps its errors until it is.
    void errorsWaitForTheProfile()
    {
        start();
        CProjectorData* projector = record(2);
        Identify(projector, nullptr);
        setErrors(projector, LAMP);
        MailSink sink;
        poll(2);
        QCOMPARE(sink.mails.size(), 0);
        projector->m_Profile = m_Lamp;
        poll(2);
        QCOMPARE(sink.mails.size(), 1);
        QVERIFY(sink.mails.at(0).body.startsWith(QLatin1String("Lamp error\n")));
    }

    void launcherAppliesOnOk_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("writable");
        QTest::newRow("OK") << true << true;
        QTest::newRow("Cancel") << false << true;
        QTest::newRow("OK, the settings file cannot be written") << true << false;
    }

    // The dialog edits a copy; OK hands it to the hub and writes the mail
    // group of the settings file, nothing else.
    void launcherAppliesOnOk()
    {
        QFETCH(bool, ok);
        QFETCH(bool, writable);
        m_Rig->fixture.saveSettings([](CLumivox5Data* h) {
            *h->m_pMailSettings = Settings();
            h->m_MainX = 240;
        });
        start();
        const CMailSettings before = *hub()->m_pMailSettings;
        // Changed in memory only, in the hub and in its store alike: the
        // mail dialog must not write it.
        hub()->m_MainX = 480;
        hub()->m_pReg->m_MainX = 480;
        const QString path = CLumivox5Reg::SettingsFilePath();
        if (!writable) {
            // A folder where the file should go.
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkpath(path));
        }
        const QByteArray fileBefore = CTestFolders::readFile(path);
        ScriptedMessageBoxes boxes;
        bool modalWhileOpen = false;
        QString shownRecipient;
        RunMailDialog(window(), [&](FormMailSettings* dialog) {
            modalWhileOpen = hub()->m_ModalDialog;
            shownRecipient = Edit(dialog, "edtTo1")->text();
            QVERIFY(dialog->m_pMailSettings != hub()->m_pMailSettings);
            Edit(dialog, "edtTo3")->setText(QStringLiteral("night@example.org"));
            dialog->findChild<QRadioButton*>(QStringLiteral("optAuthSmtp"))->click();
            dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                ->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
                ->click();
        });
        QVERIFY(modalWhileOpen);
        QCOMPARE(shownRecipient, QStringLiteral("ops@example.org"));
        QVERIFY(!hub()->m_ModalDialog);
        QVERIFY(window()->findChildren<FormMailSettings*>().isEmpty());

        CMailSettings expected = before;
        if (ok) {
            expected.m_Recipients = {"ops@example.org", "desk@example.org", "night@example.org"};
            expected.m_Authority = 2;
        }
        QVERIFY(*hub()->m_pMailSettings == expected);
        // A settings file that could not be written is reported; the settings apply all the same.
        QCOMPARE(boxes.shown.size(), writable ? 0 : 1);
        if (!writable) {
            QCOMPARE(boxes.shown.first().icon, QMessageBox::Warning);
            QVERIFY2(boxes.shown.first().text.contains(QDir::toNativeSeparators(path)),
                     qPrintable(boxes.shown.first().text));
            QVERIFY(QFileInfo(path).isDir());
            return;
        }
        if (!ok) {
            QCOMPARE(CTestFolders::readFile(path), fileBefore);
            return;
        }
        CLumivox5Reg stored;
        stored.Read();
        QVERIFY(*stored.m_pMailSettings == expected);
        QCOMPARE(stored.m_MainX, 240);
    }

    // The tool menu entry opens the same dialog.
    void toolMenuOpensTheDialog()
    {
        start();
        bool opened = false;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            opened = qobject_cast<FormMailSettings*>(shown) != nullptr;
            shown->close();
        });
        window()->ui->actMenuToolMail->trigger();
        QVERIFY(opened);
    }

    void testMailThroughTheServers_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("delivered");

        QTest::newRow("no log-in") << 0 << QString() << QStringLiteral("Mail Sending has been completed.") << true;
        QTest::newRow("POP before SMTP") << 1 << POP_PASSWORD << QStringLiteral("Mail Sending has been completed.")
                                         << true;
        QTest::newRow("POP before SMTP, wrong password")
            << 1 << QStringLiteral("wrong") << QStringLiteral("POP3 Server\nThe user name or the password is wrong.")
            << false;
    }

    // Test Mail in the real dialog, through the dispatcher and the mail
    // sender, to test servers: the message as it arrives, and the outcome box.
    void testMailThroughTheServers()
    {
        QFETCH(int, method);
        QFETCH(QString, password);
        QFETCH(QString, outcome);
        QFETCH(bool, delivered);

        startMailServers();
        if (QTest::currentTestFailed())
            return;
        // POP before SMTP goes to the server that takes a mail only after a POP3 log-in.
        CAiosmtpdServer& smtp = method == 1 ? *m_Gate : *m_Receiver;
        const int before = smtp.messageCount();

        start();
        ScriptedMessageBoxes boxes;
        RunMailDialog(window(), [&](FormMailSettings* dialog) {
            Edit(dialog, "edtTo1")->setText(QStringLiteral("ops@example.org"));
            Edit(dialog, "edtTo2")->clear();
            Edit(dialog, "edtSMTPServer")->setText(smtp.options().address.toString());
            Edit(dialog, "edtPOP3Server")->setText(MailTestAddress(1).toString());
            dialog->findChild<QRadioButton*>(method == 1 ? QStringLiteral("optAuthPop3") : QStringLiteral("optAuthNone"))
                ->click();
            Edit(dialog, "edtUserName")->setText(POP_USER);
            Edit(dialog, "edtPassword")->setText(password);
            dialog->findChild<QPushButton*>(QStringLiteral("btnTest"))->click();
            QCOMPARE(CMailSettings::m_ExecStatus, int(CMailSettings::SMTP_RESULT::Executing));
            QTRY_COMPARE_WITH_TIMEOUT(boxes.shown.size(), 1, 20000);
            QCOMPARE(dialog->cursor().shape(), Qt::ArrowCursor);
        });
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text, outcome);
        QCOMPARE(boxes.shown.first().icon, delivered ? QMessageBox::Information : QMessageBox::Critical);
        if (!delivered) {
            QCOMPARE(smtp.messageCount(), before);
            return;
        }
        QVERIFY(smtp.waitForMessages(before + 1));
        const QJsonObject mail = smtp.summary(before);
        QCOMPARE(mail.value(QStringLiteral("subject")).toString(), TEST_SUBJECT);
        QCOMPARE(mail.value(QStringLiteral("body")).toString(),
                 QStringLiteral("The content of [Mail Setting] set is as follows.\n"
                                "    Sender Address   : lumivox@example.org\n"
                                "    SMTP Server      : %1\n"
                                "    POP3 Server      : %2\n"
                                "    To Address1      : ops@example.org\n"
                                "    To Address2      : -\n"
                                "    To Address3      : -\n"
                                "[Comment]\n"
                                "Call the\nfacility desk\n")
                     .arg(smtp.options().address.toString(), MailTestAddress(1).toString()));
    }
};

QTEST_MAIN(tst_Lumivox5MainMail)
#include "tst_Lumivox5MainMail.moc"
