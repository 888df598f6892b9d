#ifndef TIMEFIELDSPINBOX_H
#define TIMEFIELDSPINBOX_H

#include <QSpinBox>

// The hour or minute of a time of day: shown with two digits ("07", "05"),
// so that the two boxes read as a time.
class TimeFieldSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    explicit TimeFieldSpinBox(QWidget* parent = nullptr);
    ~TimeFieldSpinBox() override;

protected:
    QString textFromValue(int value) const override;
};

#endif // TIMEFIELDSPINBOX_H
