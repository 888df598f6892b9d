#ifndef CGENERALSLIDER_H
#define CGENERALSLIDER_H

#include <QSlider>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

// The adjustment panel's slider: it handles each mouse, wheel, key and focus
// event as a slider does, then reports the event, so that the panel sees a
// value the slider has already taken.
class CGeneralSlider : public QSlider
{
    Q_OBJECT
public:
    explicit CGeneralSlider(QWidget* parent = nullptr);
    ~CGeneralSlider() override;

signals:
    void mousePressed(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);
    void focusIn(QFocusEvent* event);
    void focusOut(QFocusEvent* event);
    void wheelMoved(QWheelEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

#endif // CGENERALSLIDER_H
