#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSystemClock.h"
#include "FormCalendar.h"
#include "FormScheduleEdit.h"
#include "GuiTestSupport.h"
#include "ScheduleDialogTexts.h"
#include "ScheduleHubRig.h"
#include "ScriptedModalBoxes.h"

#include <memory>

using namespace ScheduleDialogTexts;
using Mode = FormScheduleEdit::EDITMODE;

Q_DECLARE_METATYPE(CScheduleData)

namespace {

// The computer's clock: Monday 19 May 2031, 10:00:30.
const QDateTime SYSTEM_NOW(QDate(2031, 5, 19), QTime(10, 0, 30));

template <typename T>
T* Find(QWidget& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QComboBox* Combo(QWidget& dialog, const char* name)
{
    return Find<QComboBox>(dialog, name);
}

QPushButton* OkButton(QWidget& dialog)
{
    return Find<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok);
}

QString CurrentText(QWidget& dialog, const char* combo)
{
    const QComboBox* box = Combo(dialog, combo);
    return box->currentIndex() < 0 ? QStringLiteral("none") : box->currentText();
}

const char* const WEEKDAYS[] = { "chkSunday",   "chkMonday", "chkTuesday", "chkWednesday",
                                 "chkThursday", "chkFriday", "chkSaturday" };

// The dialog as the operator reads it:
// "<target> | <duration> | HH:mm | <function>: <command> | Enable <on|off> | OK <on|off>".
QString Controls(QWidget& dialog)
{
    QString target;
    if (Find<QRadioButton>(dialog, "optTargetGroup")->isChecked())
        target = "Group " + CurrentText(dialog, "cmbTargetGroup");
    else if (Find<QRadioButton>(dialog, "optTargetProjector")->isChecked())
        target = "Projector " + CurrentText(dialog, "cmbTargetProjector");
    if (!Find<QRadioButton>(dialog, "optTargetProjector")->isEnabled())
        target += " (no Projector)";

    QString duration = CurrentText(dialog, "cmbDayOfTheWeekDate") + ":";
    if (Find<QCheckBox>(dialog, "chkSunday")->isHidden()) {
        duration += " " + Find<QLineEdit>(dialog, "edtStart")->text();
        if (Find<QCheckBox>(dialog, "chkFinishDate")->isChecked())
            duration += " - " + Find<QLineEdit>(dialog, "edtFinish")->text();
    } else {
        for (const char* day : WEEKDAYS) {
            const QCheckBox* box = Find<QCheckBox>(dialog, day);
            if (box->isChecked())
                duration += " " + box->text().left(3);
        }
    }
    const QCheckBox* enable = Find<QCheckBox>(dialog, "chkEnable");
    return QStringLiteral("%1 | %2 | %3:%4 | %5: %6 | Enable %7%8 | OK %9")
        .arg(target, duration)
        .arg(Find<QSpinBox>(dialog, "udcHour")->value(), 2, 10, QLatin1Char('0'))
        .arg(Find<QSpinBox>(dialog, "udcMinute")->value(), 2, 10, QLatin1Char('0'))
        .arg(CurrentText(dialog, "cmbFunction"), CurrentText(dialog, "cmbAdvancedSetting"))
        .arg(enable->isChecked() ? "on" : "off", enable->isEnabled() ? "" : " (locked)")
        .arg(OkButton(dialog)->isEnabled() ? "on" : "off");
}

void Choose(QWidget& dialog, const char* combo, const QString& text)
{
    QComboBox* box = Combo(dialog, combo);
    const int index = box->findText(text);
    if (index < 0)
        qFatal("no item %s", qPrintable(text));
    box->setCurrentIndex(index);
}

QDateTime Day(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(0, 0));
}

// Answers the next calendar: picks `date` (OK) or, for an invalid one, cancels.
// What the calendar opened with lands in `shown`.
void AnswerCalendar(const QDateTime& date, QString* shown)
{
    GuiTestSupport::OnNextPopup([=](QWidget* popup) {
        FormCalendar* calendar = qobject_cast<FormCalendar*>(popup);
        if (!calendar) {
            popup->close();
            return;
        }
        *shown = calendar->windowTitle() + " " + calendar->m_CurrentDate.date().toString(Qt::ISODate);
        if (!date.isValid()) {
            calendar->reject();
            return;
        }
        calendar->m_CurrentDate = date;
        calendar->accept();
    });
}

} // namespace

class tst_FormScheduleEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void targetFallbacks_data();
    void targetFallbacks();
    void timeWraps_data();
    void timeWraps();
    void enableFollowsTheWeekdays();
    void datePickers_data();
    void datePickers();
    void wayOut_data();
    void wayOut();
    void targetItems();
    void terminalsOffered_data();
    void terminalsOffered();
    void terminalWarnings_data();
    void terminalWarnings();
    void addLimit_data();
    void addLimit();

private:
    // A dialog on `record` in `mode`, shown.
    std::unique_ptr<FormScheduleEdit> open(CScheduleData& record, Mode::Enum mode = Mode::Edit);

    std::unique_ptr<ScheduleHubRig> m_Rig;
    std::unique_ptr<ScriptedMessageBoxes> m_Boxes;
    CScheduleManager m_Schedules;
};

void tst_FormScheduleEdit::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
}

// Groups A and A\B; five projectors:
//   1 10.0.0.1(Hall)  model: 01H COMPUTER1, 06H VIDEO
//   2 10.0.0.2(Lobby) model: 1AH HDMI1 (hidden), 02H COMPUTER2, 01H COMPUTER1
//   3 10.0.0.3(Stage) disabled
//   4 10.0.0.4(Foyer) model not identified yet
//   5 10.0.0.5(Annex) model: 06H VIDEO, 1AH HDMI1
// For several models: 1AH HDMI (hidden), 06H VIDEO, 01H COMPUTER1.
void tst_FormScheduleEdit::init()
{
    CSystemClock::SetNowFunction([] { return SYSTEM_NOW; });
    m_Rig = std::make_unique<ScheduleHubRig>();
    m_Boxes = std::make_unique<ScriptedMessageBoxes>();
    m_Rig->addGroup(1, "A");
    m_Rig->addGroup(2, "A\\B");
    m_Rig->setMultipleTerminals({ { 0x1A, "HDMI", false }, { 0x06, "VIDEO", true }, { 0x01, "COMPUTER1", true } });
    CProfile* oneSix = m_Rig->addProfile({ { 0x01, "COMPUTER1", true }, { 0x06, "VIDEO", true } });
    CProfile* noSix = m_Rig->addProfile(
        { { 0x1A, "HDMI1", false }, { 0x02, "COMPUTER2", true }, { 0x01, "COMPUTER1", true } });
    CProfile* sixOnly = m_Rig->addProfile({ { 0x06, "VIDEO", true }, { 0x1A, "HDMI1", true } });
    m_Rig->addProjector(1, "10.0.0.1", "Hall", true, oneSix);
    m_Rig->addProjector(2, "10.0.0.2", "Lobby", true, noSix);
    m_Rig->addProjector(3, "10.0.0.3", "Stage", false, oneSix);
    m_Rig->addProjector(4, "10.0.0.4", "Foyer", true, nullptr);
    m_Rig->addProjector(5, "10.0.0.5", "Annex", true, sixOnly);
}

void tst_FormScheduleEdit::cleanup()
{
    m_Schedules.f_ClearSchedule();
    m_Boxes.reset();
    m_Rig.reset();
    CSystemClock::SetNowFunction(CSystemClock::NowFunction());
}

std::unique_ptr<FormScheduleEdit> tst_FormScheduleEdit::open(CScheduleData& record, Mode::Enum mode)
{
    std::unique_ptr<FormScheduleEdit> dialog(
        new FormScheduleEdit(&m_Schedules, mode, m_Rig->hub(), mode == Mode::Add ? "Add" : "Edit"));
    dialog->m_ScheduleData = &record;
    dialog->show();
    return dialog;
}

void tst_FormScheduleEdit::roundTrip_data()
{
    QTest::addColumn<CScheduleData>("record");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("controls");
    QTest::addColumn<QString>("stored");

    // What the list dialog hands over for a new schedule at Monday 10:00:30.
    QTest::newRow("new schedule") << CScheduleData(SYSTEM_NOW) << int(Mode::Add)
                                  << "Group All Projectors | Day of the Week: Mon | 11:00 | Power: Power ON"
                                     " | Enable on | OK on"
                                  << "group 'All Projectors' | fn 1 term 1 | weekly 0x02 | 11:00:00 | on | ''";

    CScheduleData weekly = Weekly(0x49, QTime(23, 45), 6);
    weekly.TargetName = CScheduleTargetText::Group("A\\B");
    weekly.Enable = false;
    weekly.Comment = "Hall lights";
    QTest::newRow("weekly, nested group") << weekly << int(Mode::Edit)
                                          << "Group Group\\A\\B | Day of the Week: Sun Wed Sat | 23:45"
                                             " | AV-MUTE: Sound Mute OFF | Enable off | OK on"
                                          << "group 'Group\\A\\B' | fn 6 term 1 | weekly 0x49 | 23:45:00 | off"
                                             " | 'Hall lights'";

    // The start lies before today: opened and stored as it is.
    CScheduleData range = Dated(QDate(2031, 5, 1), QDate(2031, 6, 30), QTime(7, 5), 2);
    range.StartDay.setTime(QTime(9, 30));
    QTest::newRow("dated range") << range << int(Mode::Edit)
                                 << "Group All Projectors | Date: 2031/05/01 - 2031/06/30 | 07:05"
                                    " | Power: Power OFF | Enable on | OK on"
                                 << "group 'All Projectors' | fn 2 term 1 | dated 2031-05-01 00:00 - 2031-06-30 00:00"
                                    " | 07:05:00 | on | ''";

    CScheduleData projector = Dated(QDate(2031, 6, 2), QDate(), QTime(18, 0), 9);
    projector.TargetType = CScheduleData::TARGET_TYPE::Projector;
    projector.TargetName = "10.0.0.2";
    projector.ExecuteTime = QTime(18, 0, 59);
    QTest::newRow("projector target, one date")
        << projector << int(Mode::Edit)
        << "Projector 10.0.0.2(Lobby) | Date: 2031/06/02 | 18:00 | AV-MUTE: AV-MUTE ON | Enable on | OK on"
        << "projector '10.0.0.2' | fn 9 term 1 | dated 2031-06-02 00:00 - 2031-06-02 00:00 (start only)"
           " | 18:00:00 | on | ''";

    CScheduleData signal = Weekly(0x7F, QTime(0, 0), 11);
    signal.InputTerminal = 0x06;
    QTest::newRow("Signal Select") << signal << int(Mode::Edit)
                                   << "Group All Projectors | Day of the Week: Sun Mon Tue Wed Thu Fri Sat | 00:00"
                                      " | Signal Select: VIDEO | Enable on | OK on"
                                   << "group 'All Projectors' | fn 11 term 6 | weekly 0x7f | 00:00:00 | on | ''";

    CScheduleData unknown = Weekly(0x02, QTime(12, 0), 12);
    unknown.InputTerminal = 0x06;
    QTest::newRow("unknown function") << unknown << int(Mode::Edit)
                                      << "Group All Projectors | Day of the Week: Mon | 12:00 | none: none"
                                         " | Enable on | OK on"
                                      << "group 'All Projectors' | fn 0 term 6 | weekly 0x02 | 12:00:00 | on | ''";
}

void tst_FormScheduleEdit::roundTrip()
{
    QFETCH(CScheduleData, record);
    QFETCH(int, mode);
    QFETCH(QString, controls);
    QFETCH(QString, stored);

    std::unique_ptr<FormScheduleEdit> dialog = open(record, Mode::Enum(mode));
    QCOMPARE(Controls(*dialog), controls);
    QCOMPARE(dialog->windowTitle(), QString(mode == Mode::Add ? "Add" : "Edit"));
    OkButton(*dialog)->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Describe(record), stored);
    QCOMPARE(m_Boxes->shown.size(), 0);
}

void tst_FormScheduleEdit::targetFallbacks_data()
{
    QTest::addColumn<QString>("projectors");
    QTest::addColumn<bool>("groups");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("controls");

    QTest::newRow("no projector, no group") << "none" << false << "10.0.0.1"
                                            << "Group All Projectors (no Projector) | OK on";
    QTest::newRow("no projector enabled") << "disabled" << true << "10.0.0.1"
                                          << "Group none (no Projector) | OK off";
    QTest::newRow("no projector enabled, group schedule") << "disabled" << true << "Group\\A"
                                                          << "Group Group\\A (no Projector) | OK on";
    QTest::newRow("projector removed") << "all" << true << "10.0.0.9" << "Projector none | OK off";
    QTest::newRow("projector disabled") << "all" << true << "10.0.0.3" << "Projector none | OK off";
}

void tst_FormScheduleEdit::targetFallbacks()
{
    QFETCH(QString, projectors);
    QFETCH(bool, groups);
    QFETCH(QString, target);
    QFETCH(QString, controls);

    if (projectors == "none")
        m_Rig->hub()->DeleteAllProjectors();
    for (int id = 1; projectors == "disabled" && id <= 5; ++id)
        m_Rig->hub()->GetProjectorData(id)->m_Enabled = false;
    for (int id = 1; !groups && id <= 2; ++id)
        m_Rig->hub()->f_DeleteProjectorGroups(id);
    CScheduleData record = Weekly(0x02, QTime(9, 0));
    record.TargetType = target.startsWith("Group") ? CScheduleData::TARGET_TYPE::Group
                                                   : CScheduleData::TARGET_TYPE::Projector;
    record.TargetName = target;
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    const QString shown = Controls(*dialog);
    QCOMPARE(shown.section(" | ", 0, 0) + " | " + shown.section(" | ", -1), controls);

    // A choice makes OK available.
    if (Find<QRadioButton>(*dialog, "optTargetProjector")->isChecked())
        Choose(*dialog, "cmbTargetProjector", "10.0.0.4(Foyer)");
    else
        Choose(*dialog, "cmbTargetGroup", "All Projectors");
    QVERIFY(OkButton(*dialog)->isEnabled());
}

void tst_FormScheduleEdit::timeWraps_data()
{
    QTest::addColumn<QString>("spin");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("shown");

    QTest::newRow("hour up from 23") << "udcHour" << 23 << "up" << 0;
    QTest::newRow("hour down from 0") << "udcHour" << 0 << "down" << 23;
    QTest::newRow("hour up from 22") << "udcHour" << 22 << "up" << 23;
    QTest::newRow("hour typed 24") << "udcHour" << 5 << "24" << 0;
    QTest::newRow("minute up from 59") << "udcMinute" << 59 << "up" << 0;
    QTest::newRow("minute down from 0") << "udcMinute" << 0 << "down" << 59;
    QTest::newRow("minute typed 60") << "udcMinute" << 5 << "60" << 0;
}

void tst_FormScheduleEdit::timeWraps()
{
    QFETCH(QString, spin);
    QFETCH(int, from);
    QFETCH(QString, keys);
    QFETCH(int, shown);

    CScheduleData record = Weekly(0x02, QTime(9, 0));
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    QSpinBox* box = Find<QSpinBox>(*dialog, qPrintable(spin));
    box->setValue(from);
    if (keys == "up" || keys == "down") {
        QTest::keyClick(box, keys == "up" ? Qt::Key_Up : Qt::Key_Down);
    } else {
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    QCOMPARE(box->value(), shown);
    QCOMPARE(box->text(), QString("%1").arg(shown, 2, 10, QLatin1Char('0')));
}

void tst_FormScheduleEdit::enableFollowsTheWeekdays()
{
    CScheduleData record = Weekly(0x02, QTime(9, 0));
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    QCheckBox* monday = Find<QCheckBox>(*dialog, "chkMonday");
    QCheckBox* tuesday = Find<QCheckBox>(*dialog, "chkTuesday");

    monday->click();
    QCOMPARE(Controls(*dialog).section(" | ", 1, 1), QString("Day of the Week:"));
    QCOMPARE(Controls(*dialog).section(" | ", 4, 4), QString("Enable on (locked)"));
    // A weekday gives the box back with its check.
    tuesday->click();
    QCOMPARE(Controls(*dialog).section(" | ", 4, 4), QString("Enable on"));
    // Dated schedules run on their dates: the box stays free.
    tuesday->click();
    Choose(*dialog, "cmbDayOfTheWeekDate", "Date");
    QCOMPARE(Controls(*dialog).section(" | ", 4, 4), QString("Enable on"));
    Choose(*dialog, "cmbDayOfTheWeekDate", "Day of the Week");
    QCOMPARE(Controls(*dialog).section(" | ", 4, 4), QString("Enable on (locked)"));

    OkButton(*dialog)->click();
    QCOMPARE(Describe(record), QString("group 'All Projectors' | fn 1 term 1 | weekly 0x00 | 09:00:00 | off | ''"));
}

void tst_FormScheduleEdit::datePickers_data()
{
    QTest::addColumn<CScheduleData>("record");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDateTime>("picked");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("dates");

    const CScheduleData thisWeek = Dated(QDate(2031, 5, 20), QDate(2031, 5, 25), QTime(9, 0));
    const CScheduleData later = Dated(QDate(2031, 6, 10), QDate(2031, 6, 20), QTime(9, 0));
    const CScheduleData past = Dated(QDate(2031, 5, 1), QDate(2031, 5, 25), QTime(9, 0));

    QTest::newRow("start before today") << thisWeek << "btnStart" << Day(2031, 5, 2)
                                        << "Calendar 2031-05-20" << "2031/05/19 - 2031/05/25";
    QTest::newRow("start after the last day") << thisWeek << "btnStart" << Day(2051, 1, 5)
                                              << "Calendar 2031-05-20" << "2050/12/31 - 2050/12/31";
    QTest::newRow("start after the finish") << thisWeek << "btnStart" << Day(2031, 6, 10)
                                            << "Calendar 2031-05-20" << "2031/06/10 - 2031/06/10";
    QTest::newRow("start picked, finish stays") << thisWeek << "btnStart" << Day(2031, 5, 22)
                                                << "Calendar 2031-05-20" << "2031/05/22 - 2031/05/25";
    QTest::newRow("start picker cancelled") << past << "btnStart" << QDateTime() << "Calendar 2031-05-01"
                                            << "2031/05/01 - 2031/05/25";
    QTest::newRow("finish before the stored start") << later << "btnFinish"
                                                    << Day(2031, 6, 1) << "Calendar 2031-06-20"
                                                    << "2031/06/10 - 2031/06/10";
    QTest::newRow("finish before today") << past << "btnFinish" << Day(2031, 5, 5)
                                         << "Calendar 2031-05-25" << "2031/05/01 - 2031/05/19";
    QTest::newRow("finish after the last day") << past << "btnFinish" << Day(2052, 2, 1)
                                               << "Calendar 2031-05-25" << "2031/05/01 - 2050/12/31";
}

void tst_FormScheduleEdit::datePickers()
{
    QFETCH(CScheduleData, record);
    QFETCH(QString, button);
    QFETCH(QDateTime, picked);
    QFETCH(QString, opened);
    QFETCH(QString, dates);

    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    // The class of each announced parent, as it was announced.
    QStringList parents;
    QObject::connect(dialog.get(), &FormScheduleEdit::HTMLViewerParentChangeSignal, dialog.get(),
                     [&parents](QWidget* parent) { parents << parent->metaObject()->className(); });
    QString shown;
    AnswerCalendar(picked, &shown);
    Find<QPushButton>(*dialog, qPrintable(button))->click();
    QCOMPARE(shown, opened);
    QCOMPARE(Controls(*dialog).section(" | ", 1, 1), "Date: " + dates);
    // The help window's parent: the calendar while it runs, then the dialog again.
    QCOMPARE(parents, QStringList({ "FormCalendar", "FormScheduleEdit" }));
    QVERIFY(dialog->findChildren<FormCalendar*>().isEmpty());

    OkButton(*dialog)->click();
    const QString stored = dates.section(" - ", 0, 0).replace('/', '-') + " 00:00 - "
                           + dates.section(" - ", 1, 1).replace('/', '-') + " 00:00";
    QCOMPARE(Describe(record).section(" | ", 2, 2), "dated " + stored);
}

void tst_FormScheduleEdit::wayOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");

    QTest::newRow("Escape") << "Escape" << 0;
    QTest::newRow("Cancel") << "Cancel" << 0;
    QTest::newRow("close button") << "close" << 0;
    QTest::newRow("OK") << "OK" << 1;
}

void tst_FormScheduleEdit::wayOut()
{
    QFETCH(QString, way);
    QFETCH(int, result);

    CScheduleData record = Weekly(0x02, QTime(9, 0));
    const QString before = Describe(record);
    FormScheduleEdit dialog(&m_Schedules, Mode::Edit, m_Rig->hub(), "Edit");
    dialog.m_ScheduleData = &record;
    GuiTestSupport::OnNextPopup([way](QWidget* shown) {
        Find<QSpinBox>(*shown, "udcHour")->setValue(15);
        QDialogButtonBox* buttons = Find<QDialogButtonBox>(*shown, "buttonBox");
        if (way == "Escape")
            QTest::keyClick(shown, Qt::Key_Escape);
        else if (way == "Cancel")
            buttons->button(QDialogButtonBox::Cancel)->click();
        else if (way == "close")
            shown->close();
        else
            buttons->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(Describe(record), result ? QString(before).replace("09:00:00", "15:00:00") : before);
}

void tst_FormScheduleEdit::targetItems()
{
    m_Rig->addGroup(3, "");
    m_Rig->addGroup(4, "Old", false);
    m_Rig->addGroup(5, "C");
    CScheduleData record = Weekly(0x02, QTime(9, 0));
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    QCOMPARE(Items(Combo(*dialog, "cmbTargetGroup")), QString("[All Projectors]|Group\\A|Group\\A\\B|Group\\C"));
    QCOMPARE(Items(Combo(*dialog, "cmbTargetProjector")),
             QString("[10.0.0.1(Hall)]|10.0.0.2(Lobby)|10.0.0.4(Foyer)|10.0.0.5(Annex)"));
    QCOMPARE(Combo(*dialog, "cmbTargetGroup")->itemData(3).toInt(), 5);
    QCOMPARE(Combo(*dialog, "cmbTargetProjector")->itemData(3).toInt(), 5);
    // The combo of the other target kind waits, disabled.
    QVERIFY(!Combo(*dialog, "cmbTargetProjector")->isEnabled());
    Find<QRadioButton>(*dialog, "optTargetProjector")->click();
    QVERIFY(!Combo(*dialog, "cmbTargetGroup")->isEnabled());
    Choose(*dialog, "cmbTargetProjector", "10.0.0.5(Annex)");
    OkButton(*dialog)->click();
    QCOMPARE(Describe(record).section(" | ", 0, 0), QString("projector '10.0.0.5'"));
}

void tst_FormScheduleEdit::terminalsOffered_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("terminals");

    QTest::newRow("group") << "All Projectors" << "[COMPUTER1]|VIDEO";
    QTest::newRow("projector of a known model") << "10.0.0.2" << "[COMPUTER1]|COMPUTER2|HDMI1";
    QTest::newRow("projector of a model not known yet") << "10.0.0.4" << "[COMPUTER1]|VIDEO";
}

void tst_FormScheduleEdit::terminalsOffered()
{
    QFETCH(QString, target);
    QFETCH(QString, terminals);

    CScheduleData record = Weekly(0x02, QTime(9, 0), 11);
    if (target.startsWith("10.")) {
        record.TargetType = CScheduleData::TARGET_TYPE::Projector;
        record.TargetName = target;
    }
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    QCOMPARE(Items(Combo(*dialog, "cmbAdvancedSetting")), terminals);
    QCOMPARE(m_Boxes->shown.size(), 0);
}

void tst_FormScheduleEdit::terminalWarnings_data()
{
    QTest::addColumn<CScheduleData>("record");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("videoForSeveralModels");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("terminal");

    CScheduleData video = Weekly(0x02, QTime(9, 0), 11);
    video.TargetType = CScheduleData::TARGET_TYPE::Projector;
    video.TargetName = "10.0.0.1";
    video.InputTerminal = 0x06;
    QTest::newRow("to a model without the terminal") << video << "cmbTargetProjector 10.0.0.2(Lobby)" << true << 1
                                                     << "COMPUTER1";
    QTest::newRow("to a model with the terminal") << video << "cmbTargetProjector 10.0.0.5(Annex)" << true << 0
                                                  << "VIDEO";
    QTest::newRow("to a group that offers it") << video << "optTargetGroup" << true << 0 << "VIDEO";
    QTest::newRow("to a group that does not offer it") << video << "optTargetGroup" << false << 1 << "COMPUTER1";

    const CScheduleData soundMuteOff = Weekly(0x02, QTime(9, 0), 6);
    QTest::newRow("AV-MUTE code listed") << soundMuteOff << "cmbFunction Signal Select" << true << 0 << "COMPUTER1";
    QTest::newRow("AV-MUTE code not listed") << soundMuteOff << "cmbFunction Signal Select" << false << 1
                                             << "COMPUTER1";
    QTest::newRow("under Power, a target change") << Weekly(0x02, QTime(9, 0), 2) << "optTargetProjector" << false
                                                  << 0 << "Power OFF";

    // The model of 10.0.0.5 lacks code 1: the function's own choice and the
    // record's terminal both look for it.
    CScheduleData hdmi = video;
    hdmi.TargetName = "10.0.0.5";
    hdmi.InputTerminal = 0x1A;
    QTest::newRow("opened without code 1") << hdmi << "" << true << 2 << "HDMI1";
    hdmi.InputTerminal = 0x20;
    QTest::newRow("opened without code 1 or its own") << hdmi << "" << true << 2 << "none";
}

void tst_FormScheduleEdit::terminalWarnings()
{
    QFETCH(CScheduleData, record);
    QFETCH(QString, step);
    QFETCH(bool, videoForSeveralModels);
    QFETCH(int, warnings);
    QFETCH(QString, terminal);

    if (!videoForSeveralModels)
        m_Rig->setMultipleTerminals({ { 0x01, "COMPUTER1", true }, { 0x1A, "HDMI", true } });
    std::unique_ptr<FormScheduleEdit> dialog = open(record);
    const QString widget = step.section(' ', 0, 0);
    if (widget.startsWith("cmb"))
        Choose(*dialog, qPrintable(widget), step.section(' ', 1));
    else if (!widget.isEmpty())
        Find<QRadioButton>(*dialog, qPrintable(widget))->click();

    QCOMPARE(m_Boxes->shown.size(), warnings);
    QCOMPARE(CurrentText(*dialog, "cmbAdvancedSetting"), terminal);
    for (const CMessageBoxes::Box& box : m_Boxes->shown) {
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.title, QString("Lumivox 5"));
        QCOMPARE(box.text, QString("Return to the default.\n  - Advanced Settings"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.defaultButton, QMessageBox::Ok);
    }
    if (terminal == "none") {
        OkButton(*dialog)->click();
        QCOMPARE(Describe(record).section(" | ", 1, 1), QString("fn 11 term 0"));
    }
}

void tst_FormScheduleEdit::addLimit_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("schedules");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("ok");

    QTest::newRow("add, 999 schedules") << int(Mode::Add) << 999 << "All Projectors" << true;
    QTest::newRow("add, 1000 schedules") << int(Mode::Add) << 1000 << "All Projectors" << false;
    QTest::newRow("add, 1000 schedules, a projector") << int(Mode::Add) << 1000 << "10.0.0.1" << false;
    QTest::newRow("edit, 1000 schedules") << int(Mode::Edit) << 1000 << "All Projectors" << true;
    QTest::newRow("edit, 1000 schedules, a projector") << int(Mode::Edit) << 1000 << "10.0.0.1" << true;
}

void tst_FormScheduleEdit::addLimit()
{
    QFETCH(int, mode);
    QFETCH(int, schedules);
    QFETCH(QString, target);
    QFETCH(bool, ok);

    ScheduleHubRig::fillSchedules(m_Schedules, schedules);
    CScheduleData record = Weekly(0x02, QTime(9, 0));
    std::unique_ptr<FormScheduleEdit> dialog = open(record, Mode::Enum(mode));
    if (target.startsWith("10.")) {
        Find<QRadioButton>(*dialog, "optTargetProjector")->click();
        Combo(*dialog, "cmbTargetProjector")->setCurrentIndex(-1);
        QVERIFY(!OkButton(*dialog)->isEnabled());
        Choose(*dialog, "cmbTargetProjector", "10.0.0.1(Hall)");
    }
    QCOMPARE(OkButton(*dialog)->isEnabled(), ok);
}

QTEST_MAIN(tst_FormScheduleEdit)
#include "tst_FormScheduleEdit.moc"
