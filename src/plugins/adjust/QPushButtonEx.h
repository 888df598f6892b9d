#ifndef QPUSHBUTTONEX_H
#define QPUSHBUTTONEX_H

#include <QPushButton>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

// The adjustment panel's step button: it handles each mouse, key and focus
// event as a push button does (pressed, released and clicked are emitted by
// then), then reports the event.
class QPushButtonEx : public QPushButton
{
    Q_OBJECT
public:
    explicit QPushButtonEx(QWidget* parent = nullptr);
    ~QPushButtonEx() override;

signals:
    void mousePressed(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);
    void focusIn(QFocusEvent* event);
    void focusOut(QFocusEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

#endif // QPUSHBUTTONEX_H
