#include "VirtualTimeSetting.h"
#include "ui_VirtualTimeSetting.h"

#include "CSystemClock.h"
#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"

#include <QPushButton>
#include <QShowEvent>

VirtualTimeSetting::VirtualTimeSetting(QWidget* parent)
    : QDialog(parent)
    , m_BasedOnNow(true)
    , m_StartTime(CSystemClock::Now())
    , m_Acceleration(1)
    , ui(new Ui::VirtualTimeSetting)
{
    ui->setupUi(this);
    f_CorrectLayout();
    // The edits show seconds and four-digit years; they widen where the
    // font would cut their text.
    for (QWidget* edit : { static_cast<QWidget*>(ui->dateStartDate), static_cast<QWidget*>(ui->dateStartTime) }) {
        if (edit->sizeHint().width() > edit->width())
            edit->resize(edit->sizeHint().width(), edit->height());
    }
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
}

VirtualTimeSetting::~VirtualTimeSetting()
{
}

void VirtualTimeSetting::f_CorrectLayout()
{
    DialogLayout::WidenToMinimumButtonWidth(ui->buttonBox);
}

void VirtualTimeSetting::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        ui->dateStartDate->setDate(m_StartTime.date());
        ui->dateStartTime->setTime(m_StartTime.time());
        ui->dateStartDate->setEnabled(!m_BasedOnNow);
        ui->dateStartTime->setEnabled(!m_BasedOnNow);
        ui->txtAcceleration->setText(QString::number(m_Acceleration));
        ui->chkTimeBase->setChecked(m_BasedOnNow);
    });
    QDialog::showEvent(event);
}

void VirtualTimeSetting::on_chkTimeBase_toggled(bool checked)
{
    ui->dateStartDate->setEnabled(!checked);
    ui->dateStartTime->setEnabled(!checked);
}

void VirtualTimeSetting::on_buttonBox_accepted()
{
    RunTraced([&] {
        m_BasedOnNow = ui->chkTimeBase->isChecked();
        m_StartTime = m_BasedOnNow ? CSystemClock::Now()
                                   : QDateTime(ui->dateStartDate->date(), ui->dateStartTime->time(), Qt::LocalTime);
        // Not a number gives 0; no range is enforced.
        m_Acceleration = ui->txtAcceleration->text().toInt();
    });
    done(QDialog::Accepted);
}

void VirtualTimeSetting::on_buttonBox_rejected()
{
    done(QDialog::Rejected);
}
