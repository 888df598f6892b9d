#include "FormScheduleEdit.h"
#include "ui_FormScheduleEdit.h"

#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorGroup.h"
#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSectionItemList.h"
#include "CSystemClock.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "FormCalendar.h"
#include "LoadedIcon.h"
#include "ModalBoxes.h"

#include <QCheckBox>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

// Items of the function combo; its data is the function kind.
const int KIND_POWER = 1;
const int KIND_MUTE = 3;
const int KIND_SIGNAL_SELECT = 11;
// The command each kind starts with, and the input terminal Signal Select starts with.
const int FIRST_POWER_COMMAND = 1;
const int FIRST_MUTE_COMMAND = 3;
const int FIRST_INPUT_TERMINAL = 1;

const int HOURS_PER_DAY = 24;
const int MINUTES_PER_HOUR = 60;
const QDate LAST_DATE(2050, 12, 31);

struct ComboItem {
    const char* key;
    int data;
};

const ComboItem DURATION_ITEMS[] = {
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemDayOfTheWeek"), CScheduleData::DURATION_TYPE::Weekly },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemDate"), CScheduleData::DURATION_TYPE::Dated },
};

const ComboItem FUNCTION_ITEMS[] = {
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemPower"), KIND_POWER },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemSignalSelect"), KIND_SIGNAL_SELECT },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemMute"), KIND_MUTE },
};

// The commands of the two kinds; the data is the schedule's function code.
const ComboItem POWER_ITEMS[] = {
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemPowerOn"), 1 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemPowerOff"), 2 },
};

const ComboItem MUTE_ITEMS[] = {
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemPictureMuteON"), 3 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemPictureMuteOFF"), 4 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemSoundMuteON"), 5 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemSoundMuteOFF"), 6 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemOSDMuteON"), 7 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemOSDMuteOFF"), 8 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemAllMuteON"), 9 },
    { QT_TRANSLATE_NOOP("FormScheduleEdit", "ScheduleEditComboItemAllMuteOFF"), 10 },
};

// The function kind a schedule's function code belongs to; 0 for none.
int FunctionKind(int function)
{
    if (function == 1 || function == 2)
        return KIND_POWER;
    if (function >= 3 && function <= 10)
        return KIND_MUTE;
    if (function == 11)
        return KIND_SIGNAL_SELECT;
    return 0;
}

// The data of the current item; 0 when no item is current.
int CurrentData(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? 0 : combo->currentData().toInt();
}

// Makes the first item with `data` current, or none.
void SelectData(QComboBox* combo, int data)
{
    combo->setCurrentIndex(combo->findData(data));
}

template <size_t N>
void Fill(QComboBox* combo, const ComboItem (&items)[N])
{
    combo->clear();
    for (const ComboItem& item : items)
        combo->addItem(QIcon(), FormScheduleEdit::tr(item.key), item.data);
}

// The items of a terminal list by ascending code; items of one code keep the list's order.
QList<const CSectionItem*> TerminalsByCode(const CSectionItemList* list, bool shownOnly)
{
    QList<const CSectionItem*> items;
    if (!list)
        return items;
    for (const CSectionItem* item : list->values()) {
        if (item && (item->show || !shownOnly))
            items << item;
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const CSectionItem* a, const CSectionItem* b) { return a->code < b->code; });
    return items;
}

QDateTime AtMidnight(const QDate& date)
{
    return QDateTime(date, QTime(0, 0));
}

} // namespace

FormScheduleEdit::FormScheduleEdit(CScheduleManager* schedules, EDITMODE::Enum mode, CLumivox5Data* data,
                                   QString title, QWidget* parent)
    : QDialog(parent)
    , m_ScheduleData(nullptr)
    , ui(new Ui::FormScheduleEdit)
    , m_Title(title)
    , m_Initializing(true)
    , m_EditMode(mode)
    , m_Data(data)
    , m_ScheduleManager(schedules)
{
    RegisterWindowIcons();
    ui->setupUi(this);
    f_CorrectLayout();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    for (QCheckBox* day : f_WeekdayBoxes())
        connect(day, &QCheckBox::clicked, this, &FormScheduleEdit::f_UpdateEnableCheckEnable);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    m_StartDateMin = f_Today();
    m_StartDateMax = AtMidnight(LAST_DATE);
    m_FinishDateMin = m_StartDateMin;
    m_FinishDateMax = m_StartDateMax;
}

FormScheduleEdit::~FormScheduleEdit()
{
}

std::array<QCheckBox*, 7> FormScheduleEdit::f_WeekdayBoxes() const
{
    return { ui->chkSunday,   ui->chkMonday, ui->chkTuesday, ui->chkWednesday,
             ui->chkThursday, ui->chkFriday, ui->chkSaturday };
}

void FormScheduleEdit::f_CorrectLayout()
{
    DialogLayout::WidenToMinimumButtonWidth(ui->buttonBox);
}

QDateTime FormScheduleEdit::f_Today()
{
    return AtMidnight(CSystemClock::Now().date());
}

QString FormScheduleEdit::f_DateText(const QDateTime& date)
{
    return date.toString(tr("ScheduleDateTimePickerFormat"));
}

void FormScheduleEdit::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] { f_Init(); });
    m_Initializing = false;
    QDialog::showEvent(event);
}

void FormScheduleEdit::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void FormScheduleEdit::f_Init()
{
    setWindowTitle(m_Title);
    f_InitTargetGroup();
    f_InitTargetProjector();
    Fill(ui->cmbDayOfTheWeekDate, DURATION_ITEMS);
    Fill(ui->cmbFunction, FUNCTION_ITEMS);
    f_UpdateData(false);
}

void FormScheduleEdit::f_InitTargetGroup()
{
    ui->cmbTargetGroup->clear();
    ui->cmbTargetGroup->addItem(QIcon(), CScheduleTargetText::AllProjectors(), 0);
    if (!m_Data || !m_Data->m_ProjectorGroups)
        return;
    for (const CProjectorGroup* group : *m_Data->m_ProjectorGroups) {
        if (!group || group->m_GroupPath.isEmpty() || !group->m_InTree)
            continue;
        ui->cmbTargetGroup->addItem(QIcon(), CScheduleTargetText::Group(group->m_GroupPath), group->m_GroupID);
    }
}

void FormScheduleEdit::f_InitTargetProjector()
{
    ui->cmbTargetProjector->clear();
    m_ProjectorList.clear();
    if (!m_Data || m_Data->f_GetProjectorCount() == 0)
        return;
    for (CProjectorData* record : *m_Data->m_pProjectorDatas) {
        if (!record || !record->m_Enabled)
            continue;
        m_ProjectorList.insert(ui->cmbTargetProjector->count(), record);
        ui->cmbTargetProjector->addItem(QIcon(), record->m_Address + QLatin1Char('(') + record->m_SettingName
                                                     + QLatin1Char(')'),
                                        record->m_Id);
    }
}

void FormScheduleEdit::f_UpdateData(bool save)
{
    if (!m_ScheduleData)
        return;
    CScheduleData& record = *m_ScheduleData;
    const std::array<QCheckBox*, 7> weekdays = f_WeekdayBoxes();
    if (save) {
        record.TargetType = ui->optTargetGroup->isChecked() ? CScheduleData::TARGET_TYPE::Group
                                                            : CScheduleData::TARGET_TYPE::Projector;
        record.TargetName = f_TargetName();
        record.DurationType = CurrentData(ui->cmbDayOfTheWeekDate);
        record.StartDay = AtMidnight(m_StartDate.date());
        record.UseFinishDay = ui->chkFinishDate->isChecked();
        record.FinishDay = AtMidnight(m_FinishDate.date());
        quint8 mask = 0;
        for (int day = 0; day < int(weekdays.size()); ++day) {
            if (weekdays[day]->isChecked())
                mask |= quint8(1u << day);
        }
        record.DayOfWeek = mask;
        record.ExecuteTime = QTime(ui->udcHour->value(), ui->udcMinute->value(), 0, 0);
        if (CurrentData(ui->cmbFunction) == KIND_SIGNAL_SELECT) {
            record.Function = KIND_SIGNAL_SELECT;
            record.InputTerminal = CurrentData(ui->cmbAdvancedSetting);
        } else {
            record.Function = CurrentData(ui->cmbAdvancedSetting);
        }
        record.Comment = ui->edtComment->text();
        record.Enable = ui->chkEnable->isChecked() && ui->chkEnable->isEnabled();
        return;
    }

    f_LoadTarget();
    ui->cmbDayOfTheWeekDate->setCurrentIndex(record.DurationType);

    m_StartDate = record.StartDay;
    ui->edtStart->setText(f_DateText(m_StartDate));
    m_FinishDate = record.FinishDay;
    ui->edtFinish->setText(f_DateText(m_FinishDate));
    // A finish date before the start date cannot be picked, from the start.
    const QDateTime startDay = AtMidnight(m_StartDate.date());
    m_FinishDateMin = startDay.isValid() && startDay > f_Today() ? startDay : f_Today();
    ui->chkFinishDate->setChecked(record.UseFinishDay);
    f_UpdateDateLimit();
    f_UpdateDateEnable();

    for (int day = 0; day < int(weekdays.size()); ++day)
        weekdays[day]->setChecked(record.DayOfWeek & (1u << day));
    f_UpdateEnableCheckEnable();

    const QTime time = record.ExecuteTime.isValid() ? record.ExecuteTime : QTime(0, 0);
    ui->udcHour->setValue(time.hour());
    ui->udcMinute->setValue(time.minute());

    SelectData(ui->cmbFunction, FunctionKind(record.Function));
    f_UpdateAdvancedSetting();
    SelectData(ui->cmbAdvancedSetting, CurrentData(ui->cmbFunction) == KIND_SIGNAL_SELECT ? record.InputTerminal
                                                                                          : record.Function);

    ui->edtComment->setText(record.Comment);
    ui->chkEnable->setChecked(record.Enable);
    f_SelectDayOfWeekDate(CurrentData(ui->cmbDayOfTheWeekDate));
}

void FormScheduleEdit::f_LoadTarget()
{
    const CScheduleData& record = *m_ScheduleData;
    const bool projectorsOffered = m_Data && m_Data->f_GetProjectorCount() > 0 && !m_ProjectorList.isEmpty();
    if (record.TargetType == CScheduleData::TARGET_TYPE::Projector && projectorsOffered) {
        ui->optTargetProjector->setChecked(true);
        ui->cmbTargetGroup->setCurrentIndex(0);
        ui->cmbTargetProjector->setCurrentIndex(-1);
        for (auto it = m_ProjectorList.cbegin(); it != m_ProjectorList.cend(); ++it) {
            if (it.value()->m_Address == record.TargetName) {
                ui->cmbTargetProjector->setCurrentIndex(it.key());
                break;
            }
        }
        return;
    }

    ui->optTargetGroup->setChecked(true);
    ui->cmbTargetGroup->setCurrentIndex(-1);
    ui->cmbTargetProjector->setCurrentIndex(projectorsOffered ? 0 : -1);
    if (ui->cmbTargetGroup->count() == 1 || record.TargetName == CScheduleTargetText::AllProjectors()) {
        ui->cmbTargetGroup->setCurrentIndex(0);
        return;
    }
    if (!m_Data || !m_Data->m_ProjectorGroups)
        return;
    for (const CProjectorGroup* group : *m_Data->m_ProjectorGroups) {
        const int index = group ? ui->cmbTargetGroup->findData(group->m_GroupID) : -1;
        if (index >= 0 && CScheduleTargetText::Group(group->m_GroupPath) == record.TargetName) {
            ui->cmbTargetGroup->setCurrentIndex(index);
            return;
        }
    }
}

CProjectorData* FormScheduleEdit::f_CurrentProjector() const
{
    if (!m_Data || ui->cmbTargetProjector->currentIndex() < 0)
        return nullptr;
    return m_Data->GetProjectorData(CurrentData(ui->cmbTargetProjector));
}

QString FormScheduleEdit::f_TargetName() const
{
    if (ui->optTargetGroup->isChecked())
        return ui->cmbTargetGroup->currentText();
    const CProjectorData* record = f_CurrentProjector();
    return record ? record->m_Address : QString();
}

void FormScheduleEdit::f_SetOkEnabled(bool enabled)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(enabled);
}

void FormScheduleEdit::f_UpdateTargetSelectControls()
{
    ui->cmbTargetGroup->setEnabled(ui->optTargetGroup->isChecked());
    ui->cmbTargetProjector->setEnabled(ui->optTargetProjector->isChecked());
    const bool projectorsOffered = m_Data && m_Data->f_GetProjectorCount() > 0 && !m_ProjectorList.isEmpty();
    ui->optTargetProjector->setEnabled(projectorsOffered);
    if (!projectorsOffered)
        ui->optTargetGroup->setChecked(true); // its slot runs this again
    f_UpdateEntryButton();
}

void FormScheduleEdit::f_UpdateEntryButton()
{
    // Whatever the mode, the checked radio's combo must have a current item.
    const QComboBox* chosen = ui->optTargetGroup->isChecked()       ? ui->cmbTargetGroup
                              : ui->optTargetProjector->isChecked() ? ui->cmbTargetProjector
                                                                    : nullptr;
    if (!chosen || chosen->currentIndex() < 0) {
        f_SetOkEnabled(false);
        return;
    }
    if (m_EditMode == EDITMODE::Edit || !m_ScheduleManager) {
        f_SetOkEnabled(true);
        return;
    }
    f_SetOkEnabled(!m_ScheduleManager->f_IsMaxSchedule(f_TargetName(), true));
}

void FormScheduleEdit::on_optTargetGroup_toggled(bool checked)
{
    f_TargetKindToggled(checked);
}

void FormScheduleEdit::on_optTargetProjector_toggled(bool checked)
{
    f_TargetKindToggled(checked);
}

// The radio switched on does the work; the terminals follow the target kind.
void FormScheduleEdit::f_TargetKindToggled(bool checked)
{
    RunTraced([&] {
        if (!checked)
            return;
        f_UpdateTargetSelectControls();
        if (CurrentData(ui->cmbFunction) == KIND_SIGNAL_SELECT)
            f_UpdateAdvancedSetting();
    });
}

void FormScheduleEdit::on_cmbTargetGroup_currentIndexChanged(int)
{
    RunTraced([&] {
        ui->cmbTargetGroup->setToolTip(ui->cmbTargetGroup->currentText());
        f_UpdateEntryButton();
    });
}

void FormScheduleEdit::on_cmbTargetProjector_currentIndexChanged(int)
{
    RunTraced([&] {
        ui->cmbTargetProjector->setToolTip(ui->cmbTargetProjector->currentText());
        f_UpdateEntryButton();
        if (ui->cmbTargetProjector->currentIndex() >= 0 && CurrentData(ui->cmbFunction) == KIND_SIGNAL_SELECT)
            f_UpdateAdvancedSetting();
    });
}

void FormScheduleEdit::on_cmbFunction_currentIndexChanged(int)
{
    RunTraced([&] {
        if (ui->cmbFunction->currentIndex() >= 0)
            f_SelectFunction(CurrentData(ui->cmbFunction));
    });
}

void FormScheduleEdit::f_SelectFunction(int function)
{
    f_UpdateAdvancedSetting();
    int first = -1;
    if (function == KIND_POWER)
        first = FIRST_POWER_COMMAND;
    else if (function == KIND_MUTE)
        first = FIRST_MUTE_COMMAND;
    else if (function == KIND_SIGNAL_SELECT)
        first = FIRST_INPUT_TERMINAL;
    ui->cmbAdvancedSetting->setCurrentIndex(first < 0 ? -1 : ui->cmbAdvancedSetting->findData(first));
}

void FormScheduleEdit::f_UpdateAdvancedSetting()
{
    if (ui->cmbFunction->currentIndex() < 0)
        return;
    switch (CurrentData(ui->cmbFunction)) {
    case KIND_MUTE:
        Fill(ui->cmbAdvancedSetting, MUTE_ITEMS);
        break;
    case KIND_SIGNAL_SELECT:
        f_UpdateInputTerminal();
        break;
    default:
        Fill(ui->cmbAdvancedSetting, POWER_ITEMS);
        break;
    }
}

void FormScheduleEdit::f_UpdateInputTerminal()
{
    const int previous = CurrentData(ui->cmbAdvancedSetting);
    ui->cmbAdvancedSetting->clear();

    // A projector whose model is known offers all its model's terminals;
    // anything else the shown ones of the list for several models.
    const CProjectorData* projector = ui->optTargetProjector->isChecked() ? f_CurrentProjector() : nullptr;
    QList<const CSectionItem*> terminals;
    if (projector && projector->m_Profile)
        terminals = TerminalsByCode(projector->m_Profile->InputTerminals(), false);
    else if (m_Data && m_Data->m_pProfileList)
        terminals = TerminalsByCode(m_Data->m_pProfileList->m_MultiTermList, true);
    for (const CSectionItem* terminal : terminals)
        ui->cmbAdvancedSetting->addItem(QIcon(), terminal->name, terminal->code);

    const int index = ui->cmbAdvancedSetting->findData(previous);
    if (index >= 0) {
        ui->cmbAdvancedSetting->setCurrentIndex(index);
        return;
    }
    CMessageBoxes::Show(this, m_Data, QMessageBox::Warning, tr("Lumivox5MsgTitle"), tr("Reset Input Terminal."),
                        QMessageBox::Ok, QMessageBox::Ok);
}

void FormScheduleEdit::on_cmbDayOfTheWeekDate_currentIndexChanged(int)
{
    RunTraced([&] { f_SelectDayOfWeekDate(CurrentData(ui->cmbDayOfTheWeekDate)); });
}

void FormScheduleEdit::f_SelectDayOfWeekDate(int kind)
{
    const bool dated = kind == CScheduleData::DURATION_TYPE::Dated;
    for (QWidget* widget : { static_cast<QWidget*>(ui->lblStartDate), static_cast<QWidget*>(ui->chkFinishDate),
                             static_cast<QWidget*>(ui->edtStart), static_cast<QWidget*>(ui->edtFinish),
                             static_cast<QWidget*>(ui->btnStart), static_cast<QWidget*>(ui->btnFinish) })
        widget->setVisible(dated);
    for (QCheckBox* day : f_WeekdayBoxes())
        day->setVisible(!dated);
    if (dated)
        ui->chkEnable->setEnabled(true);
    else
        f_UpdateEnableCheckEnable();
}

void FormScheduleEdit::f_UpdateEnableCheckEnable()
{
    const std::array<QCheckBox*, 7> days = f_WeekdayBoxes();
    ui->chkEnable->setEnabled(std::any_of(days.begin(), days.end(), [](QCheckBox* day) { return day->isChecked(); }));
}

void FormScheduleEdit::on_chkFinishDate_toggled(bool)
{
    f_UpdateDateEnable();
}

void FormScheduleEdit::f_UpdateDateEnable()
{
    const bool finish = ui->chkFinishDate->isChecked();
    ui->edtFinish->setEnabled(finish);
    ui->btnFinish->setEnabled(finish);
}

void FormScheduleEdit::f_UpdateDateLimit()
{
    if (m_Initializing)
        return;
    m_StartDateMin = f_Today();
    if (m_StartDate < m_StartDateMin) {
        m_StartDate = QDateTime(m_StartDateMin.date(), m_StartDate.time());
        ui->edtStart->setText(f_DateText(m_StartDate));
    }
    m_FinishDateMin = AtMidnight(m_StartDate.date());
    if (m_FinishDate < m_FinishDateMin) {
        m_FinishDate = QDateTime(m_FinishDateMin.date(), m_FinishDate.time());
        ui->edtFinish->setText(f_DateText(m_FinishDate));
    }
}

bool FormScheduleEdit::f_PickDate(QDateTime& date, const QDateTime& lowest, const QDateTime& highest)
{
    QPointer<FormCalendar> calendar =
        new FormCalendar(FormCalendar::CALENDARMODE::SelectDate, tr("FormCalendarTitle"), this);
    calendar->m_CurrentDate = date;
    calendar->setModal(true);
    emit HTMLViewerParentChangeSignal(calendar);
    const int result = calendar->exec();
    emit HTMLViewerParentChangeSignal(this);
    const bool picked = calendar && result == QDialog::Accepted;
    if (picked)
        date = std::min(std::max(calendar->m_CurrentDate, lowest), highest);
    delete calendar;
    return picked;
}

void FormScheduleEdit::on_btnStart_clicked()
{
    RunTraced([&] {
        if (!f_PickDate(m_StartDate, m_StartDateMin, m_StartDateMax))
            return;
        ui->edtStart->setText(f_DateText(m_StartDate));
        f_UpdateDateLimit();
    });
}

void FormScheduleEdit::on_btnFinish_clicked()
{
    RunTraced([&] {
        if (!f_PickDate(m_FinishDate, m_FinishDateMin, m_FinishDateMax))
            return;
        ui->edtFinish->setText(f_DateText(m_FinishDate));
    });
}

void FormScheduleEdit::on_udcHour_valueChanged(int value)
{
    if (value >= HOURS_PER_DAY)
        ui->udcHour->setValue(0);
    else if (value < 0)
        ui->udcHour->setValue(HOURS_PER_DAY - 1);
}

void FormScheduleEdit::on_udcMinute_valueChanged(int value)
{
    if (value >= MINUTES_PER_HOUR)
        ui->udcMinute->setValue(0);
    else if (value < 0)
        ui->udcMinute->setValue(MINUTES_PER_HOUR - 1);
}

void FormScheduleEdit::on_buttonBox_accepted()
{
    RunTraced([&] { f_UpdateData(true); });
    done(QDialog::Accepted);
}

void FormScheduleEdit::on_buttonBox_rejected()
{
    done(QDialog::Rejected);
}
