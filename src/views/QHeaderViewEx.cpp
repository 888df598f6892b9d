#include "QHeaderViewEx.h"

QHeaderViewEx::QHeaderViewEx(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
}

QHeaderViewEx::~QHeaderViewEx()
{
}

void QHeaderViewEx::mousePressEvent(QMouseEvent* event)
{
    emit mousePress(event);
    QHeaderView::mousePressEvent(event);
}

void QHeaderViewEx::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseRelease(event);
    QHeaderView::mouseReleaseEvent(event);
}
