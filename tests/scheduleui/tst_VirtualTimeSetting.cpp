#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

#include "CSystemClock.h"
#include "GuiTestSupport.h"
#include "VirtualTimeSetting.h"

#include <functional>

namespace {

const QDateTime SYSTEM_NOW(QDate(2031, 5, 20), QTime(10, 15, 42));
const QDateTime START(QDate(2030, 1, 1), QTime(8, 59, 50));

struct Fields {
    explicit Fields(VirtualTimeSetting& dialog)
        : timeBase(dialog.findChild<QCheckBox*>("chkTimeBase"))
        , date(dialog.findChild<QDateEdit*>("dateStartDate"))
        , time(dialog.findChild<QTimeEdit*>("dateStartTime"))
        , acceleration(dialog.findChild<QLineEdit*>("txtAcceleration"))
        , buttons(dialog.findChild<QDialogButtonBox*>("buttonBox"))
    {
    }
    QCheckBox* timeBase;
    QDateEdit* date;
    QTimeEdit* time;
    QLineEdit* acceleration;
    QDialogButtonBox* buttons;
};

// Runs the dialog; `operate` works on it while it is shown.
int Run(VirtualTimeSetting& dialog, const std::function<void(Fields&)>& operate)
{
    GuiTestSupport::OnNextPopup([&](QWidget*) {
        Fields fields(dialog);
        operate(fields);
    });
    return dialog.exec();
}

} // namespace

class tst_VirtualTimeSetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void shownValues_data();
    void shownValues();
    void okTakesTheFields_data();
    void okTakesTheFields();
    void cancelAndCloseGiveZero_data();
    void cancelAndCloseGiveZero();
};

void tst_VirtualTimeSetting::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
}

void tst_VirtualTimeSetting::init()
{
    CSystemClock::SetNowFunction([] { return SYSTEM_NOW; });
}

void tst_VirtualTimeSetting::cleanup()
{
    CSystemClock::SetNowFunction(CSystemClock::NowFunction());
}

void tst_VirtualTimeSetting::shownValues_data()
{
    QTest::addColumn<bool>("basedOnNow");
    QTest::addColumn<int>("acceleration");
    QTest::newRow("based on now") << true << 60;
    QTest::newRow("from a start time") << false << -5;
}

void tst_VirtualTimeSetting::shownValues()
{
    QFETCH(bool, basedOnNow);
    QFETCH(int, acceleration);

    VirtualTimeSetting dialog;
    QCOMPARE(dialog.m_BasedOnNow, true);
    QCOMPARE(dialog.m_Acceleration, 1);
    QCOMPARE(dialog.m_StartTime, SYSTEM_NOW);
    dialog.m_BasedOnNow = basedOnNow;
    dialog.m_StartTime = START;
    dialog.m_Acceleration = acceleration;
    dialog.show();

    Fields fields(dialog);
    QCOMPARE(fields.timeBase->isChecked(), basedOnNow);
    QCOMPARE(fields.timeBase->text(), QString("Use the current time as a base."));
    QCOMPARE(fields.date->text(), QString("2030/01/01"));
    QCOMPARE(fields.time->text(), QString("08:59:50"));
    QCOMPARE(fields.date->isEnabled(), !basedOnNow);
    QCOMPARE(fields.time->isEnabled(), !basedOnNow);
    QCOMPARE(fields.acceleration->text(), QString::number(acceleration));
    QCOMPARE(fields.buttons->button(QDialogButtonBox::Ok)->text(), QString("&OK"));
    QCOMPARE(fields.buttons->button(QDialogButtonBox::Cancel)->text(), QString("&Cancel"));
    QCOMPARE(dialog.size(), QSize(325, 183));
    QCOMPARE(dialog.windowTitle(), QString("Virtual Time Setting"));

    // The box decides at once whether the date and time can be edited.
    fields.timeBase->click();
    QCOMPARE(fields.date->isEnabled(), basedOnNow);
    QCOMPARE(fields.time->isEnabled(), basedOnNow);
}

void tst_VirtualTimeSetting::okTakesTheFields_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("accelerationText");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("acceleration");

    const QDateTime typed(QDate(2029, 12, 31), QTime(23, 58, 7), Qt::LocalTime);
    QTest::newRow("based on now") << true << "12" << SYSTEM_NOW << 12;
    QTest::newRow("from the typed date and time") << false << "60" << typed << 60;
    QTest::newRow("empty acceleration") << false << "" << typed << 0;
    QTest::newRow("letters") << true << "abc" << SYSTEM_NOW << 0;
    QTest::newRow("negative") << false << "-5" << typed << -5;
}

void tst_VirtualTimeSetting::okTakesTheFields()
{
    QFETCH(bool, checked);
    QFETCH(QString, accelerationText);
    QFETCH(QDateTime, start);
    QFETCH(int, acceleration);

    VirtualTimeSetting dialog;
    dialog.m_BasedOnNow = !checked;
    dialog.m_StartTime = START;
    const int result = Run(dialog, [&](Fields& fields) {
        fields.timeBase->setChecked(checked);
        fields.date->setDate(QDate(2029, 12, 31));
        fields.time->setTime(QTime(23, 58, 7));
        fields.acceleration->setText(accelerationText);
        QTest::mouseClick(fields.buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QCOMPARE(result, 1);
    QCOMPARE(dialog.m_BasedOnNow, checked);
    QCOMPARE(dialog.m_StartTime, start);
    QCOMPARE(dialog.m_StartTime.timeSpec(), Qt::LocalTime);
    QCOMPARE(dialog.m_Acceleration, acceleration);
}

void tst_VirtualTimeSetting::cancelAndCloseGiveZero_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close button") << "close";
    QTest::newRow("Escape") << "Escape";
}

void tst_VirtualTimeSetting::cancelAndCloseGiveZero()
{
    QFETCH(QString, way);
    VirtualTimeSetting dialog;
    dialog.m_BasedOnNow = false;
    dialog.m_StartTime = START;
    dialog.m_Acceleration = 7;
    const int result = Run(dialog, [&](Fields& fields) {
        fields.timeBase->setChecked(true);
        fields.acceleration->setText("99");
        if (way == "Cancel")
            QTest::mouseClick(fields.buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        else if (way == "close")
            dialog.close();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QCOMPARE(result, 0);
    QCOMPARE(dialog.m_BasedOnNow, false);
    QCOMPARE(dialog.m_StartTime, START);
    QCOMPARE(dialog.m_Acceleration, 7);
}

QTEST_MAIN(tst_VirtualTimeSetting)
#include "tst_VirtualTimeSetting.moc"
