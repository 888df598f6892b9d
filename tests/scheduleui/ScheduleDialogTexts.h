#ifndef SCHEDULEDIALOGTEXTS_H
#define SCHEDULEDIALOGTEXTS_H

#include <QDateTime>
#include <QString>

class CScheduleData;
class QComboBox;

// Texts the schedule dialog tests compare records and controls by.
namespace ScheduleDialogTexts {

// Every field the dialogs write, one line:
// "<type> '<target>' | fn <function> term <terminal> | <weekly mask|dated start - finish> | <time> | on|off | '<comment>'".
QString Describe(const CScheduleData& data);

// The items of a combo, "|" between them; the current one in brackets.
QString Items(const QComboBox* combo);

// A record for all projectors, weekly on the days of `mask`, at `time`.
CScheduleData Weekly(quint8 mask, const QTime& time, int function = 1);

// A record for all projectors on the dates from `start` (to `finish`, when valid).
CScheduleData Dated(const QDate& start, const QDate& finish, const QTime& time, int function = 1);

} // namespace ScheduleDialogTexts

#endif // SCHEDULEDIALOGTEXTS_H
