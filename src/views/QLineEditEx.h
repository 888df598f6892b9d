#ifndef QLINEEDITEX_H
#define QLINEEDITEX_H

#include "QLineEditExBase.h"

// The in-place editor of the projector list and the group tree. The delegate
// makes it grab the mouse; while it still holds the grab, a button released
// outside it or a loss of focus ends the edit as an Enter key press would.
class QLineEditEx : public QLineEditExBase
{
    Q_OBJECT
public:
    explicit QLineEditEx(QWidget* parent = nullptr);
    // A grab left behind would keep every later click of the program.
    ~QLineEditEx() override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Releases the grab and posts Enter to itself, when it holds the grab.
    void f_EndEditIfGrabbing();
    void f_ReleaseGrab();
};

#endif // QLINEEDITEX_H
