#ifndef QLINEEDITEXBASE_H
#define QLINEEDITEXBASE_H

#include <QLineEdit>

// A line edit that never holds more than one line: a text with a line feed
// is cut at the first one, however it arrived (typing, pasting, setText).
class QLineEditExBase : public QLineEdit
{
    Q_OBJECT
public:
    explicit QLineEditExBase(QWidget* parent = nullptr);
    ~QLineEditExBase() override;

private slots:
    void TextChanged(const QString& text);
};

#endif // QLINEEDITEXBASE_H
