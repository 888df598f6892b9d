#include "FormPJAdjustDetail.h"
#include "ui_FormPJAdjustDetail.h"

FormPJAdjustDetail::FormPJAdjustDetail(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_FormPJAdjustDetail)
{
    ui->setupUi(this);
}

FormPJAdjustDetail::~FormPJAdjustDetail()
{
    delete ui;
}
