#include "QGraphicsViewEx.h"

QGraphicsViewEx::QGraphicsViewEx(QWidget* parent)
    : QGraphicsView(parent)
{
}

QGraphicsViewEx::~QGraphicsViewEx()
{
}

void QGraphicsViewEx::mousePressEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    emit clicked();
}

void QGraphicsViewEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    emit doubleclicked();
}
