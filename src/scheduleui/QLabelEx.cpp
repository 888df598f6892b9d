#include "QLabelEx.h"

QLabelEx::QLabelEx(QWidget* parent, Qt::WindowFlags f)
    : QLabel(parent, f)
{
}

QLabelEx::~QLabelEx()
{
}

void QLabelEx::mousePressEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    emit clicked();
}

void QLabelEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    emit doubleclicked();
}
