#ifndef QLABELEX_H
#define QLABELEX_H

#include <QLabel>

class QMouseEvent;

// A label that turns mouse presses into signals: any button's press gives
// clicked(), a double click doubleclicked(). It does nothing else with the mouse.
class QLabelEx : public QLabel
{
    Q_OBJECT
public:
    explicit QLabelEx(QWidget* parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());
    ~QLabelEx() override;

signals:
    void clicked();
    void doubleclicked();

public slots:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif // QLABELEX_H
