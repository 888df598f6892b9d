#include "FormCalendar.h"
#include "ui_FormCalendar.h"

#include "CNoOperatingDate.h"
#include "CSystemClock.h"
#include "CalenderDateProperty.h"
#include "DialogLayout.h"
#include "ExceptionTrace.h"
#include "Lumivox5Icons.h"
#include "QGraphicsViewEx.h"
#include "QLabelEx.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPixmap>
#include <QShowEvent>

namespace {

const char* const NO_OPERATION_ICON = ":/icon/ico/NoOperationDate10.ico";
const qreal NO_OPERATION_ICON_OPACITY = 0.7;
const int DAYS_PER_WEEK = 7;

// Text and background of a label in every colour group, background filled.
void SetLabelColours(QLabel* label, const QColor& text, const QColor& background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    if (palette != label->palette())
        label->setPalette(palette);
    label->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

bool InChoosableYears(const QDate& date)
{
    return date.year() >= FormCalendar::FIRST_YEAR && date.year() <= FormCalendar::LAST_YEAR;
}

} // namespace

const QString FormCalendar::COMMON_DAY_LABEL_NAME = QStringLiteral("lblCalendarDay");

FormCalendar::FormCalendar(CALENDARMODE::Enum mode, QString title, QWidget* parent)
    : QDialog(parent)
    , m_CurrentDate(CSystemClock::Now())
    , m_NoOperatingDate(new CNoOperatingDate())
    , ui(new Ui::FormCalendar)
    , m_Title(title)
    , m_Mode(mode)
{
    RegisterLumivox5Icons();

    ui->setupUi(this);
    f_CorrectLayout();
    f_InitCalendar();
}

FormCalendar::FormCalendar(QWidget* parent)
    : FormCalendar(CALENDARMODE::SettingNoOperatingDate, QString(), parent)
{
}

FormCalendar::FormCalendar(CALENDARMODE::Enum mode, QWidget* parent)
    : FormCalendar(mode, QString(), parent)
{
}

FormCalendar::~FormCalendar()
{
    // The icon views and their scenes go with the cells they lie on.
    qDeleteAll(m_DayProperties);
    delete m_NoOperatingDate;
}

void FormCalendar::f_CorrectLayout()
{
    for (QWidget* button : { ui->btnCancel, ui->btnToday, ui->btnOK, ui->btnSelect, ui->btnDeselect })
        DialogLayout::WidenToMinimumButtonWidth(button);
}

void FormCalendar::f_InitCalendar()
{
    RunTraced([&] {
        // Cancel bottom left, OK bottom right.
        ui->btnOK->move(ui->btnDeselect->x(), ui->btnOK->y());
        ui->btnCancel->move(ui->btnSelect->x(), ui->btnCancel->y());

        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);

        const QPalette application = QApplication::palette();
        SetLabelColours(ui->lblCarendarMonth, application.color(QPalette::Active, QPalette::HighlightedText),
                        application.color(QPalette::Active, QPalette::Highlight));

        const QColor white(Qt::white);
        SetLabelColours(ui->lblCalendarDOW0, Qt::red, white);
        SetLabelColours(ui->lblCalendarDOW6, Qt::blue, white);
        for (QLabel* header : { ui->lblCalendarDOW1, ui->lblCalendarDOW2, ui->lblCalendarDOW3, ui->lblCalendarDOW4,
                                ui->lblCalendarDOW5 })
            SetTextColour(header, Qt::black);

        QPalette frame = ui->fraCalendarBorder->palette();
        frame.setColor(QPalette::Window, white);
        ui->fraCalendarBorder->setPalette(frame);
        ui->fraCalendarBorder->setAutoFillBackground(true);

        const QPixmap cross(QString::fromLatin1(NO_OPERATION_ICON));
        for (int index = 0; index < DAY_CELL_COUNT; ++index) {
            QLabelEx* label = ui->fraCalendarBorder->findChild<QLabelEx*>(COMMON_DAY_LABEL_NAME + QString::number(index));
            if (!label)
                continue;
            SetTextColour(label, Qt::black);
            connect(label, &QLabelEx::clicked, this, &FormCalendar::f_OnDayClickedLbl);
            connect(label, &QLabelEx::doubleclicked, this, &FormCalendar::f_OnDayDoubleClickedLbl);

            CalenderDateProperty* property = new CalenderDateProperty();
            property->m_Label = label;
            m_DayProperties.insert(index, property);

            QGraphicsViewEx* view = new QGraphicsViewEx(label);
            QGraphicsScene* scene = new QGraphicsScene(view);
            QGraphicsPixmapItem* item = scene->addPixmap(cross);
            item->setOpacity(NO_OPERATION_ICON_OPACITY);
            view->setScene(scene);
            view->setStyleSheet(QStringLiteral("background: transparent"));
            view->setFrameShape(QFrame::NoFrame);
            view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setFocusPolicy(Qt::NoFocus);
            view->setGeometry(0, 0, label->width(), label->height());
            view->hide();
            connect(view, &QGraphicsViewEx::clicked, this, &FormCalendar::f_OnDayClickedGvw);
            connect(view, &QGraphicsViewEx::doubleclicked, this, &FormCalendar::f_OnDayDoubleClickedGvw);
            m_DayViews.insert(label->objectName(), view);
        }

        if (m_Mode == CALENDARMODE::SelectDate) {
            const int lower = ui->btnOK->y() - ui->btnSelect->y();
            for (QWidget* button : { static_cast<QWidget*>(ui->btnSelect), static_cast<QWidget*>(ui->btnDeselect) }) {
                button->hide();
                button->setEnabled(false);
            }
            ui->btnOK->move(ui->btnDeselect->pos());
            ui->btnCancel->move(ui->btnSelect->pos());
            const int height = this->height() - lower;
            setMinimumHeight(height);
            setMaximumHeight(height);
            resize(width(), height);
        }

        f_ApplyTitle();

        if (m_Mode == CALENDARMODE::SelectDate)
            f_GoToday();
        else
            f_Refresh();
    });
}

void FormCalendar::f_ApplyTitle()
{
    if (!m_Title.isEmpty())
        setWindowTitle(m_Title);
}

void FormCalendar::f_Refresh()
{
    f_UpdateCarendar();
    f_UpdateButtonEnable();
}

void FormCalendar::f_UpdateCarendar()
{
    RunTraced([&] {
        // A date the opener could not fill in (an invalid one) shows today.
        if (!m_CurrentDate.isValid())
            m_CurrentDate = CSystemClock::Now();

        const QString title = m_CurrentDate.date().toString(tr("CalendarDateFormat"));
        if (ui->lblCarendarMonth->text() != title)
            ui->lblCarendarMonth->setText(title);

        f_LayOutMonth();
        for (CalenderDateProperty* cell : qAsConst(m_DayProperties))
            f_PaintCell(*cell);
    });
}

void FormCalendar::f_LayOutMonth()
{
    const QDate current = m_CurrentDate.date();
    const QDate first(current.year(), current.month(), 1);
    const int lead = first.dayOfWeek() % DAYS_PER_WEEK;
    const int last = lead + first.daysInMonth() - 1;
    QDate running = first.addDays(-lead);
    for (auto it = m_DayProperties.begin(); it != m_DayProperties.end(); ++it, running = running.addDays(1)) {
        const int index = it.key();
        CalenderDateProperty* cell = it.value();
        // Every cell date carries the selected date's time of day.
        cell->m_Date = m_CurrentDate;
        cell->m_Date.setDate(running);
        cell->m_PrevMonth = index < lead;
        cell->m_NextMonth = index > last;
        if (cell->m_PrevMonth)
            cell->m_Enabled = running.year() >= FIRST_YEAR;
        else if (cell->m_NextMonth)
            cell->m_Enabled = running.year() <= LAST_YEAR;
        else
            cell->m_Enabled = true;
        if (cell->m_Label && cell->m_Label->isHidden() == cell->m_Enabled)
            cell->m_Label->setVisible(cell->m_Enabled);
    }
}

void FormCalendar::f_PaintCell(CalenderDateProperty& cell)
{
    QLabelEx* label = cell.m_Label;
    if (!label)
        return;
    const int day = cell.m_Date.date().day();
    bool isNumber = false;
    if (label->text().toInt(&isNumber, 10) != day || !isNumber)
        label->setText(QString::number(day));

    if (m_Mode == CALENDARMODE::SettingNoOperatingDate) {
        if (QGraphicsViewEx* view = m_DayViews.value(label->objectName()))
            view->setVisible(m_NoOperatingDate->IsNoOperatingDate(cell.m_Date));
    }

    if (cell.m_Date.date() == m_CurrentDate.date())
        SetLabelColours(label, Qt::white, label->palette().color(QPalette::Active, QPalette::Highlight));
    else if (cell.m_PrevMonth || cell.m_NextMonth)
        SetLabelColours(label, Qt::gray, Qt::white);
    else
        SetLabelColours(label, Qt::black, Qt::white);
}

void FormCalendar::f_UpdateButtonEnable()
{
    RunTraced([&] {
        if (m_Mode != CALENDARMODE::SettingNoOperatingDate)
            return;
        const bool marked = m_NoOperatingDate->IsNoOperatingDate(m_CurrentDate);
        // The button that stays enabled takes the focus before the other is
        // disabled, so the keyboard stays on the pair.
        QPushButton* enabled = marked ? ui->btnDeselect : ui->btnSelect;
        QPushButton* disabled = marked ? ui->btnSelect : ui->btnDeselect;
        enabled->setEnabled(true);
        if (focusWidget() == disabled)
            enabled->setFocus(Qt::OtherFocusReason);
        disabled->setEnabled(false);
    });
}

void FormCalendar::f_SetCurrentDay(QDateTime date)
{
    if (!InChoosableYears(date.date()))
        return;
    m_CurrentDate = date;
    f_Refresh();
}

void FormCalendar::f_DayClicked(QLabelEx* cell)
{
    RunTraced([&] {
        if (!cell)
            return;
        QString name = cell->objectName();
        name.remove(COMMON_DAY_LABEL_NAME, Qt::CaseSensitive);
        bool ok = false;
        const int index = name.toInt(&ok, 10);
        const CalenderDateProperty* property = ok ? m_DayProperties.value(index) : nullptr;
        if (property && property->m_Enabled)
            f_SetCurrentDay(property->m_Date);
    });
}

void FormCalendar::f_DayDoubleClicked()
{
    RunTraced([&] {
        if (m_Mode == CALENDARMODE::SelectDate) {
            on_btnOK_clicked();
            return;
        }
        f_ReverseCurrentDate();
        f_Refresh();
    });
}

void FormCalendar::f_GoToday()
{
    m_CurrentDate = CSystemClock::Now();
    f_Refresh();
}

void FormCalendar::f_GoNextMonth()
{
    const QDate current = m_CurrentDate.date();
    if (current.year() == LAST_YEAR && current.month() == 12)
        return;
    m_CurrentDate = m_CurrentDate.addMonths(1);
    f_Refresh();
}

void FormCalendar::f_GoLastMonth()
{
    const QDate current = m_CurrentDate.date();
    if (current.year() == FIRST_YEAR && current.month() == 1)
        return;
    m_CurrentDate = m_CurrentDate.addMonths(-1);
    f_Refresh();
}

void FormCalendar::f_AddCurrentDate()
{
    m_NoOperatingDate->Add(m_CurrentDate);
}

void FormCalendar::f_RemoveCurrentDate()
{
    m_NoOperatingDate->Remove(m_CurrentDate);
}

void FormCalendar::f_ReverseCurrentDate()
{
    if (m_NoOperatingDate->IsNoOperatingDate(m_CurrentDate))
        f_RemoveCurrentDate();
    else
        f_AddCurrentDate();
}

void FormCalendar::showEvent(QShowEvent* event)
{
    f_Refresh();
    QDialog::showEvent(event);
}

void FormCalendar::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    RunTraced([&] {
        ui->retranslateUi(this);
        // The opener's title and the month title outlive a change of language.
        f_ApplyTitle();
        f_UpdateCarendar();
    });
}

void FormCalendar::on_btnOK_clicked()
{
    done(QDialog::Accepted);
}

void FormCalendar::on_btnCancel_clicked()
{
    done(QDialog::Rejected);
}

void FormCalendar::on_btnToday_clicked()
{
    RunTraced([&] { f_GoToday(); });
}

void FormCalendar::on_btnNextMonth_clicked()
{
    RunTraced([&] { f_GoNextMonth(); });
}

void FormCalendar::on_btnLastMonth_clicked()
{
    RunTraced([&] { f_GoLastMonth(); });
}

void FormCalendar::on_btnSelect_clicked()
{
    RunTraced([&] {
        f_AddCurrentDate();
        f_Refresh();
    });
}

void FormCalendar::on_btnDeselect_clicked()
{
    RunTraced([&] {
        f_RemoveCurrentDate();
        f_Refresh();
    });
}

void FormCalendar::f_OnDayClickedLbl()
{
    f_DayClicked(qobject_cast<QLabelEx*>(sender()));
}

void FormCalendar::f_OnDayClickedGvw()
{
    QWidget* view = qobject_cast<QWidget*>(sender());
    f_DayClicked(view ? qobject_cast<QLabelEx*>(view->parentWidget()) : nullptr);
}

void FormCalendar::f_OnDayDoubleClickedLbl()
{
    f_DayDoubleClicked();
}

void FormCalendar::f_OnDayDoubleClickedGvw()
{
    f_DayDoubleClicked();
}
