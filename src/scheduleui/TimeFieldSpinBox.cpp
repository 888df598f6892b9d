#include "TimeFieldSpinBox.h"

TimeFieldSpinBox::TimeFieldSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
}

TimeFieldSpinBox::~TimeFieldSpinBox()
{
}

QString TimeFieldSpinBox::textFromValue(int value) const
{
    if (value < 0)
        return QSpinBox::textFromValue(value);
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
