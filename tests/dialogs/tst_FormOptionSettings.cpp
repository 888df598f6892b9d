#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "COptionSettings.h"
#include "FormOptionSettings.h"
#include "GuiTestSupport.h"
#include "ScriptedModalBoxes.h"

namespace {

const QString ROOTED = QStringLiteral("/var/log/lumivox");

// A rooted path of exactly `length` characters.
QString rootedPath(int length)
{
    return QStringLiteral("/") + QString(length - 1, QLatin1Char('p'));
}

// The operator's view of the dialog.
struct OptionControls
{
    explicit OptionControls(FormOptionSettings& dialog)
        : transport(dialog.findChild<QCheckBox*>("chkSaveTransportLog"))
        , transportPath(dialog.findChild<QLineEdit*>("edtSaveTransportLog"))
        , transportButton(dialog.findChild<QPushButton*>("btnSaveTransportLog"))
        , schedule(dialog.findChild<QCheckBox*>("chkSaveScheduleLog"))
        , schedulePath(dialog.findChild<QLineEdit*>("edtSaveScheduleLog"))
        , scheduleButton(dialog.findChild<QPushButton*>("btnSaveScheduleLog"))
        , autoUpdate(dialog.findChild<QCheckBox*>("chkAutoUpdate"))
        , interval(dialog.findChild<QLineEdit*>("edtAutoUpdateInterval"))
        , import(dialog.findChild<QCheckBox*>("chkBootImport"))
        , importPath(dialog.findChild<QLineEdit*>("edtBootImport"))
        , importButton(dialog.findChild<QPushButton*>("btnBootImport"))
        , eventButton(dialog.findChild<QPushButton*>("btnSaveEventLog"))
        , buttons(dialog.findChild<QDialogButtonBox*>("buttonBox"))
    {
    }
    QCheckBox* transport;
    QLineEdit* transportPath;
    QPushButton* transportButton;
    QCheckBox* schedule;
    QLineEdit* schedulePath;
    QPushButton* scheduleButton;
    QCheckBox* autoUpdate;
    QLineEdit* interval;
    QCheckBox* import;
    QLineEdit* importPath;
    QPushButton* importButton;
    QPushButton* eventButton;
    QDialogButtonBox* buttons;
};

} // namespace

class tst_FormOptionSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }
    void showFillsTheControls_data();
    void showFillsTheControls();
    void okChecksEveryRow_data();
    void okChecksEveryRow();
    void hiddenValuesPassThrough();
    void importWarnsAtEachTurnOn();
    void folderChoosers_data();
    void folderChoosers();
    void importChooser_data();
    void importChooser();
    void endings_data();
    void endings();
};

void tst_FormOptionSettings::showFillsTheControls_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("every row off") << false;
    QTest::newRow("every row on") << true;
}

// Each edit and its button follow their check box; focus starts on Cancel.
void tst_FormOptionSettings::showFillsTheControls()
{
    QFETCH(bool, on);
    COptionSettings options;
    options.m_SaveLog = options.m_SaveScheduleLog = options.m_AutoUpdate = options.m_Import = on;
    options.m_SaveLogPath = "/t";
    options.m_SaveScheduleLogPath = "/s";
    options.m_ImportPath = "/i.lst";
    options.m_AutoUpdateInterval = 7;
    ScriptedMessageBoxes boxes;
    FormOptionSettings dialog;
    dialog.m_pOptionSettings = &options;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    OptionControls c(dialog);

    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(dialog.windowTitle(), QString("Option Setting"));
    QCOMPARE(dialog.size(), QSize(504, 335));
    QCOMPARE(c.transport->text(), QString("Save transport log."));
    QCOMPARE(c.transportPath->text(), QString("/t"));
    QCOMPARE(c.schedulePath->text(), QString("/s"));
    QCOMPARE(c.importPath->text(), QString("/i.lst"));
    QCOMPARE(c.interval->text(), QString("7"));
    for (QCheckBox* box : {c.transport, c.schedule, c.autoUpdate, c.import})
        QCOMPARE(box->isChecked(), on);
    for (QWidget* control : std::initializer_list<QWidget*>{c.transportPath, c.transportButton, c.schedulePath,
                                                           c.scheduleButton, c.interval, c.importPath,
                                                           c.importButton})
        QCOMPARE(control->isEnabled(), on);
    for (const char* hidden : {"chkAppExitByMainClose", "chkSaveEventLog", "edtSaveEventLog", "btnSaveEventLog"})
        QVERIFY2(dialog.findChild<QWidget*>(hidden)->isHidden(), hidden);
    QCOMPARE(QApplication::focusWidget(), c.buttons->button(QDialogButtonBox::Cancel));
    QCOMPARE(c.buttons->button(QDialogButtonBox::Ok)->text(), QString("&OK"));
    QCOMPARE(c.buttons->button(QDialogButtonBox::Help)->text(), QString("&Help"));
    QVERIFY(c.buttons->height() >= 32);
}

void tst_FormOptionSettings::okChecksEveryRow_data()
{
    QTest::addColumn<bool>("transport");
    QTest::addColumn<QString>("transportPath");
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<QString>("schedulePath");
    QTest::addColumn<bool>("autoUpdate");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<bool>("import");
    QTest::addColumn<QString>("importPath");
    // The box's lines; none when OK closes the dialog.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("storedInterval");

    const QString badTransport = "\"Save transport log path\" is invalid.";
    const QString badSchedule = "\"Save schedule log path\" is invalid.";
    const QString badInterval = "Effective values at update intervals are from 1 to 60.";
    const QString badImport = "\"Import the Projector List automatically\" is invalid.";
    const QString longTransport = "Up to 242 characters can be set in \"Save transport log path\".";
    const QString longSchedule = "Up to 242 characters can be set in \"Save schedule log path\".";
    const QString longImport = "Up to 259 characters can be set in \"Import the Projector List automatically\".";

    QTest::newRow("transport off, empty folder kept") << false << "" << false << ROOTED << false << "5" << false
                                                      << "" << QStringList() << 5;
    QTest::newRow("transport on, relative") << true << "logs" << false << ROOTED << false << "5" << false << ""
                                            << QStringList{badTransport} << 5;
    QTest::newRow("schedule on, relative") << false << "" << true << "logs" << false << "5" << false << ""
                                           << QStringList{badSchedule} << 5;
    QTest::newRow("schedule on, empty") << false << "" << true << "" << false << "5" << false << ""
                                        << QStringList{badSchedule} << 5;
    QTest::newRow("schedule off, relative kept") << false << "" << false << "logs" << false << "5" << false << ""
                                                 << QStringList() << 5;
    QTest::newRow("interval 0, on") << false << "" << false << ROOTED << true << "0" << false << ""
                                    << QStringList{badInterval} << 0;
    QTest::newRow("interval 61, on") << false << "" << false << ROOTED << true << "61" << false << ""
                                     << QStringList{badInterval} << 61;
    QTest::newRow("interval 1, on") << false << "" << false << ROOTED << true << "1" << false << ""
                                    << QStringList() << 1;
    QTest::newRow("interval 60, on") << false << "" << false << ROOTED << true << "60" << false << ""
                                     << QStringList() << 60;
    QTest::newRow("interval text, on") << false << "" << false << ROOTED << true << "abc" << false << ""
                                       << QStringList{badInterval} << 10;
    QTest::newRow("interval 0, off, stored") << false << "" << false << ROOTED << false << "0" << false << ""
                                             << QStringList() << 0;
    QTest::newRow("interval text, off, kept") << false << "" << false << ROOTED << false << "abc" << false << ""
                                              << QStringList() << 10;
    QTest::newRow("import on, rooted") << false << "" << false << ROOTED << false << "5" << true << "/a/b.lst"
                                       << QStringList() << 5;
    QTest::newRow("242 characters pass") << true << rootedPath(242) << true << rootedPath(242) << false << "5"
                                         << false << "" << QStringList() << 5;
    QTest::newRow("every failure, order one")
        << true << "logs" << false << rootedPath(243) << true << "0" << true << "b.lst"
        << QStringList{badTransport, longSchedule, badInterval, badImport} << 0;
    QTest::newRow("every failure, order two") << false << rootedPath(243) << true << "" << true << "x" << false
                                              << rootedPath(260) << QStringList{longTransport, badSchedule,
                                                                                badInterval, longImport}
                                              << 10;
}

// The record takes the flags and every path that passes; the failed ones stay.
void tst_FormOptionSettings::okChecksEveryRow()
{
    QFETCH(bool, transport);
    QFETCH(QString, transportPath);
    QFETCH(bool, schedule);
    QFETCH(QString, schedulePath);
    QFETCH(bool, autoUpdate);
    QFETCH(QString, interval);
    QFETCH(bool, import);
    QFETCH(QString, importPath);
    QFETCH(QStringList, lines);
    QFETCH(int, storedInterval);

    COptionSettings options;
    options.m_AutoUpdateInterval = 10;
    options.m_SaveLogPath = options.m_SaveScheduleLogPath = options.m_ImportPath = "/before";
    ScriptedMessageBoxes boxes;
    FormOptionSettings dialog;
    dialog.m_pOptionSettings = &options;
    dialog.show();
    OptionControls c(dialog);
    // Longer texts than the edits take can only come from a stored record.
    for (QLineEdit* edit : {c.transportPath, c.schedulePath, c.importPath})
        edit->setMaxLength(1000);
    c.transport->setChecked(transport);
    c.transportPath->setText(transportPath);
    c.schedule->setChecked(schedule);
    c.schedulePath->setText(schedulePath);
    c.autoUpdate->setChecked(autoUpdate);
    c.interval->setText(interval);
    c.importPath->setText(importPath);
    boxes.shown.clear();
    c.import->setChecked(import);
    boxes.shown.clear();
    c.buttons->button(QDialogButtonBox::Ok)->click();

    QCOMPARE(dialog.isVisible(), !lines.isEmpty());
    QCOMPARE(dialog.result(), lines.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (lines.isEmpty()) {
        QVERIFY(boxes.shown.isEmpty());
    } else {
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.shown[0].title, QString("Lumivox 5"));
        QCOMPARE(boxes.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(boxes.shown[0].text, lines.join("\r\n"));
        // The operator's input stays as typed.
        QCOMPARE(c.interval->text(), interval);
    }
    QCOMPARE(options.m_SaveLog, transport);
    QCOMPARE(options.m_SaveScheduleLog, schedule);
    QCOMPARE(options.m_AutoUpdate, autoUpdate);
    QCOMPARE(options.m_Import, import);
    QCOMPARE(options.m_AutoUpdateInterval, storedInterval);
    const bool transportFails = (transport && !transportPath.startsWith('/')) || transportPath.size() > 242;
    const bool scheduleFails = (schedule && !schedulePath.startsWith('/')) || schedulePath.size() > 242;
    const bool importFails = (import && !importPath.startsWith('/')) || importPath.size() > 259;
    QCOMPARE(options.m_SaveLogPath, transportFails ? QString("/before") : transportPath);
    QCOMPARE(options.m_SaveScheduleLogPath, scheduleFails ? QString("/before") : schedulePath);
    QCOMPARE(options.m_ImportPath, importFails ? QString("/before") : importPath);
}

// Nobody sees the resident flag and the event log: whatever they hold passes
// OK unchanged, a relative or overlong event folder included.
void tst_FormOptionSettings::hiddenValuesPassThrough()
{
    for (const QString& folder : {QString("logs"), rootedPath(300)}) {
        COptionSettings options;
        options.m_Resident = true;
        options.m_SaveEventLog = true;
        options.m_SaveEventLogPath = folder;
        ScriptedMessageBoxes boxes;
        FormOptionSettings dialog;
        dialog.m_pOptionSettings = &options;
        dialog.show();
        OptionControls(dialog).buttons->button(QDialogButtonBox::Ok)->click();
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(options.m_Resident, true);
        QCOMPARE(options.m_SaveEventLog, true);
        QCOMPARE(options.m_SaveEventLogPath, folder);
    }
}

// Filling at show never warns, also at a later opening; each turn-on by hand
// warns once and stays on.
void tst_FormOptionSettings::importWarnsAtEachTurnOn()
{
    COptionSettings options;
    options.m_Import = true;
    ScriptedMessageBoxes boxes;
    FormOptionSettings dialog;
    dialog.m_pOptionSettings = &options;
    dialog.show();
    OptionControls c(dialog);
    QVERIFY(boxes.shown.isEmpty());
    c.import->click();
    QVERIFY(boxes.shown.isEmpty());
    c.import->click();
    c.import->click();
    c.import->click();
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.shown[0].title, QString("Lumivox 5"));
    QCOMPARE(boxes.shown[0].text, QString("The existing connection target list will be overwritten by imported data."));
    QCOMPARE(boxes.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(c.import->isChecked());
    QVERIFY(c.importPath->isEnabled());
    QVERIFY(c.importButton->isEnabled());
    // Opened once more, the fill turns the box on again without a warning.
    c.import->click();
    c.buttons->button(QDialogButtonBox::Cancel)->click();
    QVERIFY(!dialog.isVisible());
    dialog.show();
    QVERIFY(c.import->isChecked());
    QCOMPARE(boxes.shown.size(), 2);
}

void tst_FormOptionSettings::folderChoosers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("startInEdit");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("refusal");

    const QString transport = "Please choose the path which saves a transport log.";
    const QString schedule = "Please choose the path which saves a schedule log.";
    const QString event = "Please choose the path which saves a event log.";
    QTest::newRow("transport, 242 taken") << "btnSaveTransportLog" << "edtSaveTransportLog" << true << 242
                                          << transport << "";
    QTest::newRow("transport, 243 refused")
        << "btnSaveTransportLog" << "edtSaveTransportLog" << false << 243 << transport
        << "Up to 242 characters can be set in \"Save transport log path\".";
    QTest::newRow("schedule, 243 refused")
        << "btnSaveScheduleLog" << "edtSaveScheduleLog" << true << 243 << schedule
        << "Up to 242 characters can be set in \"Save schedule log path\".";
    QTest::newRow("schedule, cancelled") << "btnSaveScheduleLog" << "edtSaveScheduleLog" << false << 0 << schedule
                                         << "";
    QTest::newRow("event, 243 refused") << "btnSaveEventLog" << "edtSaveEventLog" << true << 243 << event
                                        << "Up to 242 characters can be set in \"Save event log path\".";
}

// The start is the edit's folder when it exists, else the desktop.
void tst_FormOptionSettings::folderChoosers()
{
    QFETCH(QString, button);
    QFETCH(QString, edit);
    QFETCH(bool, startInEdit);
    QFETCH(int, length);
    QFETCH(QString, caption);
    QFETCH(QString, refusal);

    QTemporaryDir existing;
    const QString before = startInEdit ? existing.path() : existing.path() + "/gone";
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    files.answers << CFileDialogs::Answer{length ? rootedPath(length) : QString(), QString()};
    FormOptionSettings dialog;
    dialog.show();
    QLineEdit* field = dialog.findChild<QLineEdit*>(edit);
    field->setText(before);
    dialog.findChild<QCheckBox*>("chk" + button.mid(3))->setChecked(true);
    dialog.findChild<QPushButton*>(button)->click();

    QCOMPARE(files.asked.size(), 1);
    QCOMPARE(files.asked[0].kind, CFileDialogs::FOLDER);
    QCOMPARE(files.asked[0].caption, caption);
    QCOMPARE(files.asked[0].directory,
             startInEdit ? before : QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    const bool taken = length && refusal.isEmpty();
    QCOMPARE(field->text(), taken ? rootedPath(length) : before);
    QCOMPARE(boxes.shown.size(), refusal.isEmpty() ? 0 : 1);
    if (!refusal.isEmpty()) {
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.shown[0].text, refusal);
    }
}

void tst_FormOptionSettings::importChooser_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("startInEdit");
    QTest::addColumn<QString>("answer");

    QTest::newRow("file in an existing folder") << "%1/list.lst" << true << "/x/new.lst";
    QTest::newRow("file in a missing folder") << "%1/gone/list.lst" << false << "/x/new.lst";
    QTest::newRow("blanks") << "   " << false << "";
}

void tst_FormOptionSettings::importChooser()
{
    QFETCH(QString, text);
    QFETCH(bool, startInEdit);
    QFETCH(QString, answer);

    QTemporaryDir existing;
    const QString before = text.contains("%1") ? text.arg(existing.path()) : text;
    ScriptedFileDialogs files;
    files.answers << CFileDialogs::Answer{answer, QString()};
    COptionSettings options;
    options.m_Import = true;
    FormOptionSettings dialog;
    dialog.m_pOptionSettings = &options;
    dialog.show();
    OptionControls c(dialog);
    c.importPath->setText(before);
    c.importButton->click();

    QCOMPARE(files.asked.size(), 1);
    QCOMPARE(files.asked[0].kind, CFileDialogs::OPEN_FILE);
    QCOMPARE(files.asked[0].caption, QString());
    QCOMPARE(files.asked[0].filter, QString("projector list files(*.lst);;all files(*)"));
    QCOMPARE(files.asked[0].directory,
             startInEdit ? before : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QCOMPARE(c.importPath->text(), answer.isEmpty() ? before : answer);
}

void tst_FormOptionSettings::endings_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "ok" << 1;
    QTest::newRow("Cancel") << "cancel" << 0;
    QTest::newRow("close button") << "close" << 0;
    QTest::newRow("Escape") << "escape" << 0;
    QTest::newRow("Help, then Cancel") << "help" << 0;
}

// exec() gives 1 only after an OK that passed; help asks for the options page.
void tst_FormOptionSettings::endings()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    FormOptionSettings dialog;
    QSignalSpy help(&dialog, &FormOptionSettings::ShowHelpSignal);
    GuiTestSupport::OnNextPopup([&](QWidget*) {
        QDialogButtonBox* buttons = OptionControls(dialog).buttons;
        if (how.startsWith("ok"))
            buttons->button(QDialogButtonBox::Ok)->click();
        if (how == "close")
            dialog.close();
        if (how == "cancel")
            buttons->button(QDialogButtonBox::Cancel)->click();
        if (how == "escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        if (how == "help") {
            buttons->button(QDialogButtonBox::Help)->click();
            buttons->button(QDialogButtonBox::Cancel)->click();
        }
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(help.size(), how == "help" ? 1 : 0);
    if (how == "help") {
        QCOMPARE(help[0][0].toString(), QString("_RESOURCE/html/Option.htm"));
        QCOMPARE(help[0][1].value<QWidget*>(), static_cast<QWidget*>(&dialog));
    }
}

QTEST_MAIN(tst_FormOptionSettings)
#include "tst_FormOptionSettings.moc"
