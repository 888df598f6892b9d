#ifndef VIRTUALTIMESETTING_H
#define VIRTUALTIMESETTING_H

#include <QDateTime>
#include <QDialog>

#include <memory>

class QShowEvent;

namespace Ui {
class VirtualTimeSetting;
}

// Edits how the scheduler clock makes virtual time: from the current time
// or from a chosen start date and time, and how many seconds it advances
// per second. The opener copies the clock's three values in before exec()
// and back out on 1 (OK); Cancel and the window's close button give 0.
class VirtualTimeSetting : public QDialog
{
    Q_OBJECT
public:
    explicit VirtualTimeSetting(QWidget* parent = nullptr);
    ~VirtualTimeSetting() override;

    // The clock's based-on-now flag, start time and acceleration.
    bool m_BasedOnNow;
    QDateTime m_StartTime;
    qint32 m_Acceleration;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_chkTimeBase_toggled(bool checked);
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    Q_DISABLE_COPY(VirtualTimeSetting)

    void f_CorrectLayout();

    std::unique_ptr<Ui::VirtualTimeSetting> ui;
};

#endif // VIRTUALTIMESETTING_H
