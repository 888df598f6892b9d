#include "ScheduleDialogTexts.h"

#include "CScheduleData.h"
#include "CScheduleTargetText.h"

#include <QComboBox>
#include <QStringList>

namespace ScheduleDialogTexts {

QString Describe(const CScheduleData& data)
{
    QString when;
    if (data.DurationType == CScheduleData::DURATION_TYPE::Weekly)
        when = QStringLiteral("weekly 0x%1").arg(data.DayOfWeek, 2, 16, QLatin1Char('0'));
    else
        when = QStringLiteral("dated %1 - %2%3")
                   .arg(data.StartDay.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                        data.FinishDay.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                        data.UseFinishDay ? QString() : QStringLiteral(" (start only)"));
    return QStringLiteral("%1 '%2' | fn %3 term %4 | %5 | %6 | %7 | '%8'")
        .arg(data.TargetType == CScheduleData::TARGET_TYPE::Projector ? QStringLiteral("projector")
                                                                      : QStringLiteral("group"))
        .arg(data.TargetName)
        .arg(data.Function)
        .arg(data.InputTerminal)
        .arg(when)
        .arg(data.ExecuteTime.toString(QStringLiteral("HH:mm:ss")))
        .arg(data.Enable ? QStringLiteral("on") : QStringLiteral("off"))
        .arg(data.Comment);
}

QString Items(const QComboBox* combo)
{
    QStringList items;
    for (int index = 0; index < combo->count(); ++index) {
        const QString text = combo->itemText(index);
        items << (index == combo->currentIndex() ? "[" + text + "]" : text);
    }
    return items.join(QLatin1Char('|'));
}

CScheduleData Weekly(quint8 mask, const QTime& time, int function)
{
    CScheduleData data(QDateTime(QDate(2031, 5, 19), time));
    data.TargetName = CScheduleTargetText::AllProjectors();
    data.DayOfWeek = mask;
    data.ExecuteTime = time;
    data.Function = function;
    return data;
}

CScheduleData Dated(const QDate& start, const QDate& finish, const QTime& time, int function)
{
    CScheduleData data = Weekly(0, time, function);
    data.DurationType = CScheduleData::DURATION_TYPE::Dated;
    data.StartDay = QDateTime(start, QTime(0, 0));
    data.UseFinishDay = finish.isValid();
    data.FinishDay = QDateTime(finish.isValid() ? finish : start, QTime(0, 0));
    return data;
}

} // namespace ScheduleDialogTexts
