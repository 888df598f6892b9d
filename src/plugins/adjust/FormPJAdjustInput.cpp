// The adjustment panel's input: how presses, keys, wheel turns and focus on
// a gain row's slider and step buttons start an adjustment, and decide (send)
// or cancel it.
#include "FormPJAdjust.h"

#include "CGainInfo.h"
#include "CGeneralSlider.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "QPushButtonEx.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

namespace {

// Keys that move a slider start an adjustment; Tab and the modifiers leave it
// running; any other key cancels it.
enum class SliderKey { Moves, Ignored, Cancels };

SliderKey sliderKeyKind(int key)
{
    if (key >= Qt::Key_Home && key <= Qt::Key_PageDown)
        return SliderKey::Moves;
    if (key == Qt::Key_Tab || (key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock) || key == Qt::Key_AltGr)
        return SliderKey::Ignored;
    return SliderKey::Cancels;
}

} // namespace

void FormPJAdjust::f_ConnectGainRow(const GainRow& row)
{
    const int type = row.type;
    CGeneralSlider* slider = row.slider;
    connect(slider, &CGeneralSlider::mousePressed, this,
            [this, type](QMouseEvent* e) { f_OnSliderMousePressed(type, 0, e); });
    connect(slider, &CGeneralSlider::mouseReleased, this,
            [this, type](QMouseEvent* e) { f_OnSliderMouseReleased(type, 0, e); });
    connect(slider, &CGeneralSlider::keyPressed, this, [this, type](QKeyEvent* e) { f_OnSliderKeyPressed(type, 0, e); });
    connect(slider, &CGeneralSlider::keyReleased, this,
            [this, type](QKeyEvent* e) { f_OnSliderKeyReleased(type, 0, e); });
    connect(slider, &CGeneralSlider::focusIn, this, [this, type](QFocusEvent* e) { f_OnSliderGotFocus(type, 0, e); });
    connect(slider, &CGeneralSlider::focusOut, this, [this, type](QFocusEvent* e) { f_OnSliderLostFocus(type, 0, e); });
    connect(slider, &CGeneralSlider::wheelMoved, this,
            [this, type](QWheelEvent* e) { f_OnSliderWheelMoved(type, 0, e); });
    connect(slider, &QSlider::valueChanged, this, [this, type](int value) { f_OnSliderValueChanged(type, value); });

    for (QPushButtonEx* button : {row.decrement, row.increment}) {
        const bool up = button == row.increment;
        connect(button, &QPushButtonEx::mousePressed, this,
                [=](QMouseEvent* e) { f_OnSpinButtonMousePressed(type, 0, up, button, e); });
        connect(button, &QPushButtonEx::mouseReleased, this,
                [=](QMouseEvent* e) { f_OnSpinButtonMouseReleased(type, 0, up, button, e); });
        connect(button, &QPushButtonEx::keyPressed, this,
                [=](QKeyEvent* e) { f_OnSpinButtonKeyPressed(type, 0, up, button, e); });
        connect(button, &QPushButtonEx::keyReleased, this,
                [=](QKeyEvent* e) { f_OnSpinButtonKeyReleased(type, 0, up, button, e); });
        connect(button, &QPushButtonEx::focusOut, this,
                [=](QFocusEvent* e) { f_OnSpinButtonLostFocus(type, 0, up, button, e); });
    }
}

void FormPJAdjust::f_StartAdjustControl(int type, int sub)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_StartAdjustControl type[%d] sub[%d]", type, sub);
    m_blnAdjusting = true;
    m_AdjustingKey = CGainInfo::Key(type, sub);
    // An offset always starts from 0, after the slider's own move.
    if (const GainRow* row = m_blnRelative ? f_Gain(type) : nullptr)
        row->slider->setValue(0);
}

void FormPJAdjust::f_DecideAdjustControl(int type, int sub)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_DecideAdjustControl type[%d] sub[%d]", type, sub);
    RunTraced([&] {
        m_blnAdjusting = false;
        if (const GainRow* row = f_Gain(type))
            f_SetData(row->command, nullptr, false);
        f_UpdateParam();
    });
}

void FormPJAdjust::f_CancelAdjustControl(int type, int sub)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_CancelAdjustControl type[%d] sub[%d]", type, sub);
    RunTraced([&] {
        m_blnAdjusting = false;
        f_UpdateParam();
    });
}

void FormPJAdjust::f_OnSliderMousePressed(int type, int sub, QMouseEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderMousePressed type[%d] button[%d]", type, int(event->button()));
    if (event->button() == Qt::LeftButton)
        f_StartAdjustControl(type, sub);
    else if (event->button() == Qt::RightButton)
        f_CancelAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSliderMouseReleased(int type, int sub, QMouseEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderMouseReleased type[%d] button[%d]", type, int(event->button()));
    if (event->button() == Qt::LeftButton)
        f_DecideAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSliderKeyPressed(int type, int sub, QKeyEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderKeyPressed type[%d] key[%x]", type, event->key());
    switch (sliderKeyKind(event->key())) {
    case SliderKey::Moves:
        f_StartAdjustControl(type, sub);
        break;
    case SliderKey::Ignored:
        break;
    case SliderKey::Cancels:
        f_CancelAdjustControl(type, sub);
        break;
    }
}

void FormPJAdjust::f_OnSliderKeyReleased(int type, int sub, QKeyEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderKeyReleased type[%d] key[%x]", type, event->key());
    const GainRow* row = f_Gain(type);
    if (!m_blnAdjusting || !row || event->isAutoRepeat() || QWidget::mouseGrabber() == row->slider
        || QWidget::keyboardGrabber() == row->slider)
        return;
    f_DecideAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSliderLostFocus(int type, int sub, QFocusEvent*)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderLostFocus type[%d]", type);
    if (m_blnAdjusting)
        f_CancelAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSliderGotFocus(int type, int, QFocusEvent*)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderGotFocus type[%d]", type);
}

void FormPJAdjust::f_OnSliderWheelMoved(int type, int sub, QWheelEvent*)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSliderWheelMoved type[%d]", type);
    // A run of steps less than 100 ms apart is one adjustment, sent once.
    m_pTimerMouseWheel->stop();
    if (!m_blnAdjusting)
        f_StartAdjustControl(type, sub);
    m_pTimerMouseWheel->start();
}

void FormPJAdjust::f_On_TimerMouseWheel()
{
    const int type = (m_AdjustingKey >> 8) & 0xFF;
    const int sub = m_AdjustingKey & 0xFF;
    if (!m_blnAdjusting)
        f_StartAdjustControl(type, sub);
    f_DecideAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSliderValueChanged(int type, int value)
{
    const GainRow* row = f_Gain(type);
    if (!row)
        return;
    if (m_AdjustingKey == CGainInfo::Key(type, 0))
        m_AdjustedValue = value;
    f_SetValueStringInt(row->value, value);
    f_ChangeDefaultValueView(type, 0, value);
}

// A step button steps once at once and every 100 ms while held; the value is
// sent once, when it is let go.
void FormPJAdjust::f_StartStepping(int type, int sub, bool increment)
{
    const GainRow* row = f_Gain(type);
    if (!row)
        return;
    m_pStepSlider = row->slider;
    m_blnStepIncrement = increment;
    f_StartAdjustControl(type, sub);
    f_On_TimerStepChange();
    m_pTimerStepChange->start();
}

void FormPJAdjust::f_OnSpinButtonMousePressed(int type, int sub, bool increment, QWidget* button,
                                              QMouseEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSpinButtonMousePressed type[%d] up[%d] button[%d]", type, int(increment),
            int(event->button()));
    if (event->button() == Qt::LeftButton) {
        if (m_blnAdjusting) {
            if (!QWidget::mouseGrabber())
                button->grabMouse();
            return;
        }
        f_StartStepping(type, sub, increment);
        button->grabMouse();
    } else if (event->button() == Qt::RightButton) {
        m_pTimerStepChange->stop();
        f_CancelAdjustControl(type, sub);
    }
}

void FormPJAdjust::f_OnSpinButtonMouseReleased(int type, int sub, bool increment, QWidget* button,
                                               QMouseEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSpinButtonMouseReleased type[%d] up[%d] button[%d]", type,
            int(increment), int(event->button()));
    if (event->button() != Qt::LeftButton)
        return;
    if (QWidget::mouseGrabber() == button)
        button->releaseMouse();
    if (m_blnAdjusting) {
        m_pTimerStepChange->stop();
        f_DecideAdjustControl(type, sub);
    }
}

void FormPJAdjust::f_OnSpinButtonKeyPressed(int type, int sub, bool increment, QWidget*, QKeyEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSpinButtonKeyPressed type[%d] up[%d] key[%x]", type, int(increment),
            event->key());
    if (event->key() == Qt::Key_Space) {
        if (!m_blnAdjusting)
            f_StartStepping(type, sub, increment);
    } else if (event->key() == Qt::Key_Escape) {
        m_pTimerStepChange->stop();
        f_CancelAdjustControl(type, sub);
    }
}

void FormPJAdjust::f_OnSpinButtonKeyReleased(int type, int sub, bool increment, QWidget* button, QKeyEvent* event)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSpinButtonKeyReleased type[%d] up[%d] key[%x]", type, int(increment),
            event->key());
    if (QWidget::mouseGrabber() == button || event->key() != Qt::Key_Space || event->isAutoRepeat())
        return;
    m_pTimerStepChange->stop();
    f_DecideAdjustControl(type, sub);
}

void FormPJAdjust::f_OnSpinButtonLostFocus(int type, int sub, bool increment, QWidget* button, QFocusEvent*)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_OnSpinButtonLostFocus type[%d] up[%d]", type, int(increment));
    if (QWidget::mouseGrabber() == button)
        button->releaseMouse();
    if (m_blnAdjusting) {
        m_pTimerStepChange->stop();
        f_CancelAdjustControl(type, sub);
    }
}

void FormPJAdjust::f_On_TimerStepChange()
{
    if (!m_pStepSlider)
        return;
    if (m_blnStepIncrement)
        f_SetValueIncrement(m_pStepSlider);
    else
        f_SetValueDecrement(m_pStepSlider);
}

void FormPJAdjust::f_SetValueIncrement(QSlider* slider)
{
    slider->setValue(slider->value() + slider->singleStep());
}

void FormPJAdjust::f_SetValueDecrement(QSlider* slider)
{
    slider->setValue(slider->value() - slider->singleStep());
}
