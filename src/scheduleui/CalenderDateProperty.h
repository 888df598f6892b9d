#ifndef CALENDERDATEPROPERTY_H
#define CALENDERDATEPROPERTY_H

#include <QDateTime>

class QLabelEx;

// What one day cell of the month calendar shows.
class CalenderDateProperty
{
public:
    CalenderDateProperty();
    ~CalenderDateProperty();

    // The cell's label; not owned.
    QLabelEx* m_Label;
    // The date the cell shows.
    QDateTime m_Date;
    // The date lies in the years 2000 to 2050: the cell is shown and can be clicked.
    bool m_Enabled;
    // The cell shows a day of the month before, or after, the displayed one.
    bool m_PrevMonth;
    bool m_NextMonth;

private:
    Q_DISABLE_COPY(CalenderDateProperty)
};

#endif // CALENDERDATEPROPERTY_H
