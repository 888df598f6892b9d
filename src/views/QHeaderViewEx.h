#ifndef QHEADERVIEWEX_H
#define QHEADERVIEWEX_H

#include <QHeaderView>

// A header that reports mouse presses and releases before it handles them,
// so that its list can act before a sort, resize or section move starts.
class QHeaderViewEx : public QHeaderView
{
    Q_OBJECT
public:
    explicit QHeaderViewEx(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~QHeaderViewEx() override;

signals:
    void mousePress(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#endif // QHEADERVIEWEX_H
