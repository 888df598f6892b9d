#include "CGeneralSlider.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

CGeneralSlider::CGeneralSlider(QWidget* parent)
    : QSlider(parent)
{
}

CGeneralSlider::~CGeneralSlider() = default;

void CGeneralSlider::mousePressEvent(QMouseEvent* event)
{
    QSlider::mousePressEvent(event);
    emit mousePressed(event);
}

void CGeneralSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
    emit mouseReleased(event);
}

void CGeneralSlider::wheelEvent(QWheelEvent* event)
{
    QAbstractSlider::wheelEvent(event);
    emit wheelMoved(event);
}

void CGeneralSlider::keyPressEvent(QKeyEvent* event)
{
    QAbstractSlider::keyPressEvent(event);
    emit keyPressed(event);
}

void CGeneralSlider::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
    emit keyReleased(event);
}

void CGeneralSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    emit focusIn(event);
}

void CGeneralSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    emit focusOut(event);
}
