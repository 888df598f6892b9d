#include <QGraphicsItem>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "CNoOperatingDate.h"
#include "CSystemClock.h"
#include "FormCalendar.h"
#include "GuiTestSupport.h"
#include "QLabelEx.h"

#include <memory>

namespace {

using Mode = FormCalendar::CALENDARMODE;

const QDateTime SYSTEM_NOW(QDate(2031, 5, 20), QTime(10, 15));

QLabelEx* Cell(FormCalendar& dialog, int index)
{
    return dialog.findChild<QLabelEx*>(QString("lblCalendarDay%1").arg(index));
}

QGraphicsView* Mark(FormCalendar& dialog, int index)
{
    return Cell(dialog, index)->findChild<QGraphicsView*>();
}

QPushButton* Button(FormCalendar& dialog, const QString& name)
{
    return dialog.findChild<QPushButton*>(name);
}

QString MonthTitle(FormCalendar& dialog)
{
    return dialog.findChild<QLabel*>("lblCarendarMonth")->text();
}

// The grid as the operator sees it, cell 0 to 41: "-" hidden, "(d)" a grey
// day of a neighbouring month, "[d]" the selected day, "d" a day of the
// month; "x" after a day that carries the no-operating mark.
QString Grid(FormCalendar& dialog)
{
    QStringList cells;
    for (int index = 0; index < 42; ++index) {
        QLabelEx* cell = Cell(dialog, index);
        if (cell->isHidden()) {
            cells << "-";
            continue;
        }
        const QPalette palette = cell->palette();
        const QColor text = palette.color(QPalette::WindowText);
        QString shown = cell->text();
        if (text == QColor(Qt::gray))
            shown = "(" + shown + ")";
        else if (text == QColor(Qt::white) && palette.color(QPalette::Window) == palette.color(QPalette::Highlight))
            shown = "[" + shown + "]";
        else if (text != QColor(Qt::black) || palette.color(QPalette::Window) != QColor(Qt::white))
            shown = "?" + shown;
        if (!Mark(dialog, index)->isHidden())
            shown += "x";
        cells << shown;
    }
    return cells.join(' ');
}

QString Days(int first, int last, const QString& pattern = "%1")
{
    QStringList days;
    for (int day = first; day <= last; ++day)
        days << pattern.arg(day);
    return days.join(' ');
}

// Which of Select and Deselect is enabled, and where the dialog's focus is.
QString SelectButtons(FormCalendar& dialog)
{
    QString state;
    if (Button(dialog, "btnSelect")->isEnabled())
        state += "Select";
    if (Button(dialog, "btnDeselect")->isEnabled())
        state += "Deselect";
    if (QWidget* focus = dialog.focusWidget())
        state += ", focus " + focus->objectName();
    return state;
}

// As the mouse gives it: a click, then the second press that comes as a double click.
void DoubleClick(QWidget* widget)
{
    const QPoint centre(widget->width() / 2, widget->height() / 2);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, centre);
}

// A day cell as the mouse reaches it: through the mark's view when it is shown.
QWidget* UnderMouse(FormCalendar& dialog, int index)
{
    QGraphicsView* mark = Mark(dialog, index);
    return mark->isVisible() ? mark->viewport() : static_cast<QWidget*>(Cell(dialog, index));
}

} // namespace

class tst_FormCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void markingModeLayout();
    void monthLayout_data();
    void monthLayout();
    void monthButtons_data();
    void monthButtons();
    void clickOnGreyDayMovesTheMonth();
    void doubleClickTogglesTheMark();
    void selectAndDeselect();
    void pickingMode();
    void wayOut_data();
    void wayOut();
    void dateSetBeforeExecIsShown();
    void title_data();
    void title();
    void invalidDateShowsToday();
    void todayOutsideTheYears();
    void iconsLoad();
};

void tst_FormCalendar::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
}

void tst_FormCalendar::init()
{
    CSystemClock::SetNowFunction([] { return SYSTEM_NOW; });
}

void tst_FormCalendar::cleanup()
{
    CSystemClock::SetNowFunction(CSystemClock::NowFunction());
}

void tst_FormCalendar::markingModeLayout()
{
    FormCalendar dialog;
    QCOMPARE(dialog.size(), QSize(318, 316));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    // Cancel bottom left, OK bottom right.
    QCOMPARE(Button(dialog, "btnCancel")->geometry(), QRect(15, 280, 144, 23));
    QCOMPARE(Button(dialog, "btnOK")->geometry(), QRect(159, 280, 144, 23));
    QCOMPARE(Button(dialog, "btnSelect")->geometry(), QRect(15, 250, 144, 23));
    QCOMPARE(Button(dialog, "btnDeselect")->geometry(), QRect(159, 250, 144, 23));
    QCOMPARE(dialog.windowFlags(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                       | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
}

void tst_FormCalendar::monthLayout_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("grid");

    // Starts on a Sunday: day 1 in cell 0, the first two weeks of March in grey.
    QTest::newRow("February 2015") << QDate(2015, 2, 10) << "February,2015"
                                   << Days(1, 9) + " [10] " + Days(11, 28) + " " + Days(1, 14, "(%1)");
    // Starts on a Saturday; December 1999 is out of reach.
    QTest::newRow("January 2000") << QDate(2000, 1, 1) << "January,2000"
                                  << "- - - - - - [1] " + Days(2, 31) + " " + Days(1, 5, "(%1)");
    // Starts on a Thursday; January 2051 is out of reach.
    QTest::newRow("December 2050") << QDate(2050, 12, 31) << "December,2050"
                                   << Days(27, 30, "(%1)") + " " + Days(1, 30) + " [31] - - - - - - -";
}

void tst_FormCalendar::monthLayout()
{
    QFETCH(QDate, date);
    QFETCH(QString, title);
    QFETCH(QString, grid);

    FormCalendar dialog;
    dialog.m_CurrentDate = QDateTime(date, QTime(9, 30));
    dialog.show();
    QCOMPARE(MonthTitle(dialog), title);
    QCOMPARE(Grid(dialog), grid);

    // Hidden cells take no click.
    for (int index = 0; index < 42; ++index) {
        if (!Cell(dialog, index)->isHidden())
            continue;
        emit Cell(dialog, index)->clicked();
        QCOMPARE(dialog.m_CurrentDate, QDateTime(date, QTime(9, 30)));
    }
}

void tst_FormCalendar::monthButtons_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("to");

    QTest::newRow("< in January 2000") << QDate(2000, 1, 15) << "btnLastMonth" << QDate(2000, 1, 15);
    QTest::newRow("> in December 2050") << QDate(2050, 12, 20) << "btnNextMonth" << QDate(2050, 12, 20);
    QTest::newRow("< in February 2000") << QDate(2000, 2, 29) << "btnLastMonth" << QDate(2000, 1, 29);
    QTest::newRow("> in November 2050") << QDate(2050, 11, 30) << "btnNextMonth" << QDate(2050, 12, 30);
    QTest::newRow("< from 31 March 2015") << QDate(2015, 3, 31) << "btnLastMonth" << QDate(2015, 2, 28);
    QTest::newRow("< from 31 March 2016") << QDate(2016, 3, 31) << "btnLastMonth" << QDate(2016, 2, 29);
    QTest::newRow("> from 31 January 2015") << QDate(2015, 1, 31) << "btnNextMonth" << QDate(2015, 2, 28);
    QTest::newRow("> across the year") << QDate(2049, 12, 5) << "btnNextMonth" << QDate(2050, 1, 5);
    QTest::newRow("Today") << QDate(2040, 1, 1) << "btnToday" << SYSTEM_NOW.date();
}

void tst_FormCalendar::monthButtons()
{
    QFETCH(QDate, from);
    QFETCH(QString, button);
    QFETCH(QDate, to);

    FormCalendar dialog;
    dialog.m_CurrentDate = QDateTime(from, QTime(9, 30));
    dialog.show();
    QTest::mouseClick(Button(dialog, button), Qt::LeftButton);
    QCOMPARE(dialog.m_CurrentDate.date(), to);
    if (button != "btnToday")
        QCOMPARE(dialog.m_CurrentDate.time(), QTime(9, 30));
    QCOMPARE(MonthTitle(dialog), QLocale::system().toString(to, "MMMM,yyyy"));
    QVERIFY2(Grid(dialog).contains(QString("[%1]").arg(to.day())), qPrintable(Grid(dialog)));
}

void tst_FormCalendar::clickOnGreyDayMovesTheMonth()
{
    FormCalendar dialog;
    dialog.m_NoOperatingDate->Add(QDateTime(QDate(2015, 3, 3), QTime(0, 0)));
    dialog.m_CurrentDate = QDateTime(QDate(2015, 2, 10), QTime(9, 30));
    dialog.show();
    QCOMPARE(SelectButtons(dialog).section(',', 0, 0), QString("Select"));
    // Cell 30 shows 3 March in grey.
    QTest::mouseClick(UnderMouse(dialog, 30), Qt::LeftButton);
    QCOMPARE(dialog.m_CurrentDate, QDateTime(QDate(2015, 3, 3), QTime(9, 30)));
    QCOMPARE(MonthTitle(dialog), QString("March,2015"));
    // March 2015 starts on a Sunday: 3 March is cell 2.
    QCOMPARE(Grid(dialog).section(' ', 0, 3), QString("1 2 [3]x 4"));
    QCOMPARE(SelectButtons(dialog).section(',', 0, 0), QString("Deselect"));
}

void tst_FormCalendar::doubleClickTogglesTheMark()
{
    FormCalendar dialog;
    dialog.m_CurrentDate = QDateTime(QDate(2015, 2, 10), QTime(9, 30));
    dialog.show();
    const QDateTime eleventh(QDate(2015, 2, 11), QTime(0, 0));

    // Cell 10 is 11 February.
    DoubleClick(UnderMouse(dialog, 10));
    QVERIFY(dialog.m_NoOperatingDate->IsNoOperatingDate(eleventh));
    QCOMPARE(Grid(dialog).section(' ', 9, 11), QString("10 [11]x 12"));
    QCOMPARE(SelectButtons(dialog).section(',', 0, 0), QString("Deselect"));
    // The mark covers the day now; a double click on it unmarks the day.
    DoubleClick(UnderMouse(dialog, 10));
    QVERIFY(!dialog.m_NoOperatingDate->IsNoOperatingDate(eleventh));
    QCOMPARE(Grid(dialog).section(' ', 9, 11), QString("10 [11] 12"));

    // A grey day: marked, and shown marked in both months.
    DoubleClick(UnderMouse(dialog, 30));
    QVERIFY(dialog.m_NoOperatingDate->IsNoOperatingDate(QDateTime(QDate(2015, 3, 3), QTime(0, 0))));
    QCOMPARE(MonthTitle(dialog), QString("March,2015"));
    QCOMPARE(Grid(dialog).section(' ', 2, 2), QString("[3]x"));
    QTest::mouseClick(Button(dialog, "btnLastMonth"), Qt::LeftButton);
    QCOMPARE(Grid(dialog).section(' ', 28, 30), QString("(1) (2) (3)x"));
}

void tst_FormCalendar::selectAndDeselect()
{
    FormCalendar dialog;
    dialog.m_CurrentDate = QDateTime(QDate(2015, 2, 10), QTime(9, 30));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Button(dialog, "btnSelect")->setFocus();
    QCOMPARE(SelectButtons(dialog), QString("Select, focus btnSelect"));

    QTest::keyClick(Button(dialog, "btnSelect"), Qt::Key_Space);
    QVERIFY(dialog.m_NoOperatingDate->IsNoOperatingDate(QDateTime(QDate(2015, 2, 10), QTime(0, 0))));
    QCOMPARE(SelectButtons(dialog), QString("Deselect, focus btnDeselect"));
    QCOMPARE(Grid(dialog).section(' ', 9, 9), QString("[10]x"));

    QTest::keyClick(Button(dialog, "btnDeselect"), Qt::Key_Space);
    QVERIFY(!dialog.m_NoOperatingDate->IsNoOperatingDate(QDateTime(QDate(2015, 2, 10), QTime(0, 0))));
    QCOMPARE(SelectButtons(dialog), QString("Select, focus btnSelect"));

    // The focus stays where it was when it is on neither of the two.
    Button(dialog, "btnToday")->setFocus();
    dialog.m_NoOperatingDate->Add(QDateTime(QDate(2015, 2, 12), QTime(0, 0)));
    QTest::mouseClick(Cell(dialog, 11), Qt::LeftButton);
    QCOMPARE(SelectButtons(dialog), QString("Deselect, focus btnToday"));
}

void tst_FormCalendar::pickingMode()
{
    FormCalendar dialog(Mode::SelectDate, "Calendar", nullptr);
    dialog.m_NoOperatingDate->Add(QDateTime(QDate(2015, 2, 11), QTime(0, 0)));
    dialog.m_CurrentDate = QDateTime(QDate(2015, 2, 10), QTime(9, 30));
    QCOMPARE(dialog.size(), QSize(318, 286));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(Button(dialog, "btnCancel")->geometry(), QRect(15, 250, 144, 23));
    QCOMPARE(Button(dialog, "btnOK")->geometry(), QRect(159, 250, 144, 23));

    QString shownGrid;
    bool selectShown = true;
    GuiTestSupport::OnNextPopup([&](QWidget*) {
        shownGrid = Grid(dialog);
        selectShown = Button(dialog, "btnSelect")->isVisible() || Button(dialog, "btnDeselect")->isVisible()
                      || Button(dialog, "btnSelect")->isEnabled() || Button(dialog, "btnDeselect")->isEnabled();
        DoubleClick(Cell(dialog, 12)); // 13 February
    });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(dialog.m_CurrentDate, QDateTime(QDate(2015, 2, 13), QTime(9, 30)));
    // No marks in this mode.
    QCOMPARE(shownGrid.section(' ', 9, 10), QString("[10] 11"));
    QVERIFY(!selectShown);
}

void tst_FormCalendar::wayOut_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");
    for (int mode : { int(Mode::SettingNoOperatingDate), int(Mode::SelectDate) }) {
        const char* name = mode == Mode::SelectDate ? "picking" : "marking";
        QTest::addRow("%s, OK", name) << mode << "btnOK" << 1;
        QTest::addRow("%s, Cancel", name) << mode << "btnCancel" << 0;
        QTest::addRow("%s, Escape", name) << mode << "Escape" << 0;
        QTest::addRow("%s, close button", name) << mode << "close" << 0;
    }
}

void tst_FormCalendar::wayOut()
{
    QFETCH(int, mode);
    QFETCH(QString, way);
    QFETCH(int, result);

    FormCalendar dialog(Mode::Enum(mode), nullptr);
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        if (way == "Escape")
            QTest::keyClick(shown, Qt::Key_Escape);
        else if (way == "close")
            shown->close();
        else
            QTest::mouseClick(Button(dialog, way), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), result);
}

void tst_FormCalendar::dateSetBeforeExecIsShown()
{
    FormCalendar dialog(Mode::SelectDate, nullptr); // starts on today
    dialog.m_CurrentDate = QDateTime(QDate(2030, 7, 4), QTime(0, 0));
    QString title;
    QString grid;
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        title = MonthTitle(dialog);
        grid = Grid(dialog);
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), 0);
    QCOMPARE(title, QString("July,2030"));
    // July 2030 starts on a Monday.
    QCOMPARE(grid.section(' ', 0, 5), QString("(30) 1 2 3 [4] 5"));
}

void tst_FormCalendar::title_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("shown");
    QTest::newRow("marking, no title") << int(Mode::SettingNoOperatingDate) << "" << "Setting No Operating Date";
    QTest::newRow("picking, no title") << int(Mode::SelectDate) << "" << "Setting No Operating Date";
    QTest::newRow("picking, a title") << int(Mode::SelectDate) << "Calendar" << "Calendar";
    QTest::newRow("marking, a title") << int(Mode::SettingNoOperatingDate) << "Holidays" << "Holidays";
}

void tst_FormCalendar::title()
{
    QFETCH(int, mode);
    QFETCH(QString, given);
    QFETCH(QString, shown);
    FormCalendar dialog(Mode::Enum(mode), given, nullptr);
    QCOMPARE(dialog.windowTitle(), shown);
    // A change of language keeps it.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialog, &change);
    QCOMPARE(dialog.windowTitle(), shown);
}

void tst_FormCalendar::invalidDateShowsToday()
{
    FormCalendar dialog;
    dialog.m_CurrentDate = QDateTime();
    dialog.show();
    QCOMPARE(dialog.m_CurrentDate, SYSTEM_NOW);
    QCOMPARE(MonthTitle(dialog), QString("May,2031"));
    QVERIFY2(Grid(dialog).contains(" [20] "), qPrintable(Grid(dialog)));
}

// A system date after 2050: shown, but its days can be neither chosen nor marked.
void tst_FormCalendar::todayOutsideTheYears()
{
    const QDateTime later(QDate(2060, 3, 10), QTime(8, 0));
    CSystemClock::SetNowFunction([later] { return later; });
    FormCalendar dialog;
    dialog.show();
    QCOMPARE(MonthTitle(dialog), QString("March,2060"));
    // March 2060 starts on a Monday: 15 March is cell 15.
    QCOMPARE(Cell(dialog, 15)->text(), QString("15"));
    QTest::mouseClick(Cell(dialog, 15), Qt::LeftButton);
    QCOMPARE(dialog.m_CurrentDate, later);
    QTest::mouseClick(Button(dialog, "btnSelect"), Qt::LeftButton);
    DoubleClick(Cell(dialog, 10));
    QCOMPARE(dialog.m_CurrentDate, later);
    QVERIFY(!dialog.m_NoOperatingDate->IsNoOperatingDate(later));
    QCOMPARE(SelectButtons(dialog).section(',', 0, 0), QString("Select"));
}

void tst_FormCalendar::iconsLoad()
{
    FormCalendar dialog; // registers the icons
    const QImage cross(":/icon/ico/NoOperationDate10.ico");
    QCOMPARE(cross.size(), QSize(10, 10));
    // A red cross on a transparent ground.
    QCOMPARE(qAlpha(cross.pixel(4, 0)), 0);
    QCOMPARE(qAlpha(cross.pixel(1, 1)), 255);
    QVERIFY(qRed(cross.pixel(1, 1)) > 200 && qGreen(cross.pixel(1, 1)) == 0);
    QVERIFY(!QImage(":/icon/ico/ProjectorImage.ico").isNull());
    // Every cell carries the cross, a little see-through, over its middle.
    for (int index = 0; index < 42; ++index) {
        QGraphicsView* mark = Mark(dialog, index);
        QCOMPARE(mark->geometry(), QRect(QPoint(0, 0), Cell(dialog, index)->size()));
        const QList<QGraphicsItem*> items = mark->scene()->items();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first()->opacity(), 0.7);
        QCOMPARE(items.first()->boundingRect(), QRectF(0, 0, 10, 10));
    }
    QVERIFY(!dialog.windowIcon().isNull());
}

QTEST_MAIN(tst_FormCalendar)
#include "tst_FormCalendar.moc"
