#include "FormAutoSearchSerial.h"
#include "ui_FormAutoSearchSerial.h"

FormAutoSearchSerial::FormAutoSearchSerial(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_FormAutoSearchSerial)
{
    ui->setupUi(this);
}

FormAutoSearchSerial::~FormAutoSearchSerial()
{
    delete ui;
}

void FormAutoSearchSerial::on_pushButton_clicked() {}
