#ifndef FORMCALENDAR_H
#define FORMCALENDAR_H

#include <QDateTime>
#include <QDialog>
#include <QMap>
#include <QString>

#include <memory>

class CNoOperatingDate;
class CalenderDateProperty;
class QEvent;
class QGraphicsViewEx;
class QLabelEx;
class QShowEvent;

namespace Ui {
class FormCalendar;
}

// One month as a grid of 6 x 7 day cells, Sunday first. In no-operating-date
// mode the operator marks and unmarks days (a red cross over the day) in the
// dialog's own set; in date-picking mode a double click picks a day. Openers
// write and read the public members around exec(): 1 for OK (or a picked
// day), 0 for Cancel, Escape and the window's close button.
class FormCalendar : public QDialog
{
    Q_OBJECT
public:
    struct CALENDARMODE
    {
        enum Enum { SettingNoOperatingDate = 0, SelectDate = 1 };
    };
    // Object-name prefix of the day cells ("lblCalendarDay0" to "lblCalendarDay41").
    static const QString COMMON_DAY_LABEL_NAME;
    static const int DAY_CELL_COUNT = 42;
    // The years whose days can be chosen.
    static const int FIRST_YEAR = 2000;
    static const int LAST_YEAR = 2050;

    FormCalendar(CALENDARMODE::Enum mode, QString title, QWidget* parent = nullptr);
    explicit FormCalendar(QWidget* parent = nullptr);
    explicit FormCalendar(CALENDARMODE::Enum mode, QWidget* parent = nullptr);
    ~FormCalendar() override;

    // The selected date; the grid shows its month. An invalid date shows today.
    QDateTime m_CurrentDate;
    // The dialog's working set of no-operating dates; owned, empty at first.
    CNoOperatingDate* m_NoOperatingDate;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_btnCancel_clicked();
    void on_btnOK_clicked();
    void on_btnDeselect_clicked();
    void on_btnSelect_clicked();
    void on_btnToday_clicked();
    void on_btnNextMonth_clicked();
    void on_btnLastMonth_clicked();
    void f_OnDayClickedLbl();
    void f_OnDayClickedGvw();
    void f_OnDayDoubleClickedLbl();
    void f_OnDayDoubleClickedGvw();

private:
    Q_DISABLE_COPY(FormCalendar)

    void f_InitCalendar();
    void f_CorrectLayout();
    void f_UpdateCarendar();
    void f_UpdateButtonEnable();
    void f_SetCurrentDay(QDateTime date);
    void f_DayClicked(QLabelEx* cell);
    void f_DayDoubleClicked();
    void f_GoToday();
    void f_GoNextMonth();
    void f_GoLastMonth();
    void f_AddCurrentDate();
    void f_RemoveCurrentDate();
    void f_ReverseCurrentDate();
    // Redraw and buttons, in that order.
    void f_Refresh();
    // Lays out the cells' dates and flags for the month of m_CurrentDate.
    void f_LayOutMonth();
    // Day number, mark and colours of one cell.
    void f_PaintCell(CalenderDateProperty& cell);
    void f_ApplyTitle();

    std::unique_ptr<Ui::FormCalendar> ui;
    QString m_Title;
    CALENDARMODE::Enum m_Mode;
    // Cell object name -> the icon view over that cell (a child of the cell).
    QMap<QString, QGraphicsViewEx*> m_DayViews;
    // Cell index 0..41 -> the cell's record; owned.
    QMap<int, CalenderDateProperty*> m_DayProperties;
};

#endif // FORMCALENDAR_H
