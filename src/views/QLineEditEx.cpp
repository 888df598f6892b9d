#include "QLineEditEx.h"

#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>

QLineEditEx::QLineEditEx(QWidget* parent)
    : QLineEditExBase(parent)
{
}

QLineEditEx::~QLineEditEx()
{
    f_ReleaseGrab();
}

void QLineEditEx::mouseReleaseEvent(QMouseEvent* event)
{
    RunTraced([&] {
        qCDebug(lcViews, "mouseReleaseEvent()");
        if (!event || QWidget::mouseGrabber() != this)
            return;
        const QPoint position = event->pos();
        // A position exactly at the width or the height still counts as inside.
        const bool outside = position.x() < 0 || position.x() > width() || position.y() < 0
                             || position.y() > height();
        if (outside)
            f_EndEditIfGrabbing();
    });
}

void QLineEditEx::focusOutEvent(QFocusEvent*)
{
    RunTraced([&] {
        qCDebug(lcViews, "focusOutEvent()");
        f_EndEditIfGrabbing();
    });
}

void QLineEditEx::hideEvent(QHideEvent* event)
{
    f_ReleaseGrab();
    QLineEditExBase::hideEvent(event);
}

void QLineEditEx::f_EndEditIfGrabbing()
{
    if (QWidget::mouseGrabber() != this)
        return;
    releaseMouse();
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier,
                                                    QString(), false, 1));
}

void QLineEditEx::f_ReleaseGrab()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}
