#ifndef QGRAPHICSVIEWEX_H
#define QGRAPHICSVIEWEX_H

#include <QGraphicsView>

class QMouseEvent;

// A graphics view that turns mouse presses into signals: any button's press
// gives clicked(), a double click doubleclicked(). It does nothing else with
// the mouse.
class QGraphicsViewEx : public QGraphicsView
{
    Q_OBJECT
public:
    explicit QGraphicsViewEx(QWidget* parent = nullptr);
    ~QGraphicsViewEx() override;

signals:
    void clicked();
    void doubleclicked();

public slots:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif // QGRAPHICSVIEWEX_H
