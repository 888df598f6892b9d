#ifndef FORMSCHEDULEEDIT_H
#define FORMSCHEDULEEDIT_H

#include <QDateTime>
#include <QDialog>
#include <QMap>
#include <QString>

#include <array>
#include <memory>

class CLumivox5Data;
class CProjectorData;
class CScheduleData;
class CScheduleManager;
class QCheckBox;
class QComboBox;
class QEvent;
class QShowEvent;

namespace Ui {
class FormScheduleEdit;
}

// Writes one schedule: its target (all projectors, a group or one
// projector), its command, weekly days or a date range, the time of day, a
// comment and the enable flag. The caller sets m_ScheduleData before exec()
// and owns it: exec() gives 1 after OK, with the operator's entries written
// into the record, and 0 after Cancel, Escape or the window's close button,
// with the record untouched. Each opening loads the controls from the record
// and the data hub again; a restore from the minimised state keeps them.
class FormScheduleEdit : public QDialog
{
    Q_OBJECT
public:
    struct EDITMODE
    {
        enum Enum { Add = 0, Edit = 1 };
    };

    FormScheduleEdit(CScheduleManager* schedules, EDITMODE::Enum mode, CLumivox5Data* data, QString title,
                     QWidget* parent = nullptr);
    ~FormScheduleEdit() override;

    // The record edited; the caller's.
    CScheduleData* m_ScheduleData;

signals:
    // The calendar before a date picker runs, this dialog after it.
    void HTMLViewerParentChangeSignal(QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_cmbFunction_currentIndexChanged(int index);
    void on_udcHour_valueChanged(int value);
    void on_udcMinute_valueChanged(int value);
    void on_btnFinish_clicked();
    void on_btnStart_clicked();
    void on_chkFinishDate_toggled(bool checked);
    void on_cmbDayOfTheWeekDate_currentIndexChanged(int index);
    void on_cmbTargetProjector_currentIndexChanged(int index);
    void on_cmbTargetGroup_currentIndexChanged(int index);
    void on_optTargetProjector_toggled(bool checked);
    void on_optTargetGroup_toggled(bool checked);

private:
    Q_DISABLE_COPY(FormScheduleEdit)

    void f_Init();
    void f_InitTargetGroup();
    void f_InitTargetProjector();
    // false: the record into the controls; true: the controls into the record.
    void f_UpdateData(bool save);
    void f_LoadTarget();
    void f_TargetKindToggled(bool checked);
    void f_UpdateTargetSelectControls();
    void f_UpdateEntryButton();
    void f_SelectFunction(int function);
    void f_UpdateAdvancedSetting();
    void f_UpdateInputTerminal();
    void f_SelectDayOfWeekDate(int kind);
    void f_UpdateEnableCheckEnable();
    void f_UpdateDateEnable();
    void f_UpdateDateLimit();
    void f_CorrectLayout();
    // The weekday boxes, Sunday (bit 0 of the weekday mask) to Saturday.
    std::array<QCheckBox*, 7> f_WeekdayBoxes() const;

    // Runs the month calendar on `date`; true with the picked date, kept
    // within the limits, in it.
    bool f_PickDate(QDateTime& date, const QDateTime& lowest, const QDateTime& highest);
    // The target name OK would store.
    QString f_TargetName() const;
    CProjectorData* f_CurrentProjector() const;
    void f_SetOkEnabled(bool enabled);
    // The date as the start and finish fields show it.
    static QString f_DateText(const QDateTime& date);
    // Today at 00:00 by the computer's clock.
    static QDateTime f_Today();

    std::unique_ptr<Ui::FormScheduleEdit> ui;
    QString m_Title;
    bool m_Initializing;
    EDITMODE::Enum m_EditMode;
    QDateTime m_StartDateMin;
    QDateTime m_StartDateMax;
    QDateTime m_FinishDateMin;
    QDateTime m_FinishDateMax;
    QDateTime m_StartDate;
    QDateTime m_FinishDate;
    CLumivox5Data* m_Data;
    // Index of the projector combo -> the projector shown there (the hub's).
    QMap<int, CProjectorData*> m_ProjectorList;
    CScheduleManager* m_ScheduleManager;
};

#endif // FORMSCHEDULEEDIT_H
