#ifndef FORMAUTOSEARCHSERIAL_H
#define FORMAUTOSEARCHSERIAL_H

#include <QDialog>

class Ui_FormAutoSearchSerial;

// "Serial Auto Search": a placeholder form. Its Start button does nothing,
// and the form neither searches nor returns anything.
class FormAutoSearchSerial : public QDialog
{
    Q_OBJECT
public:
    explicit FormAutoSearchSerial(QWidget* parent = nullptr);
    ~FormAutoSearchSerial() override;

private slots:
    void on_pushButton_clicked();

private:
    Ui_FormAutoSearchSerial* ui;
};

#endif // FORMAUTOSEARCHSERIAL_H
