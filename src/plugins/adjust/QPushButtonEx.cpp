#include "QPushButtonEx.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

QPushButtonEx::QPushButtonEx(QWidget* parent)
    : QPushButton(parent)
{
}

QPushButtonEx::~QPushButtonEx() = default;

void QPushButtonEx::mousePressEvent(QMouseEvent* event)
{
    QAbstractButton::mousePressEvent(event);
    emit mousePressed(event);
}

void QPushButtonEx::mouseReleaseEvent(QMouseEvent* event)
{
    QAbstractButton::mouseReleaseEvent(event);
    emit mouseReleased(event);
}

void QPushButtonEx::keyPressEvent(QKeyEvent* event)
{
    QPushButton::keyPressEvent(event);
    emit keyPressed(event);
}

void QPushButtonEx::keyReleaseEvent(QKeyEvent* event)
{
    QAbstractButton::keyReleaseEvent(event);
    emit keyReleased(event);
}

void QPushButtonEx::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    emit focusIn(event);
}

void QPushButtonEx::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    emit focusOut(event);
}
