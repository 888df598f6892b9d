#ifndef FORMPJADJUSTDETAIL_H
#define FORMPJADJUSTDETAIL_H

#include <QDialog>

class Ui_FormPJAdjustDetail;

// Detailed picture settings (reference, gamma correction, colour
// temperature, white balance per channel). Its controls move locally only:
// it sends and stores nothing.
class FormPJAdjustDetail : public QDialog
{
    Q_OBJECT
public:
    explicit FormPJAdjustDetail(QWidget* parent = nullptr);
    ~FormPJAdjustDetail() override;

    Ui_FormPJAdjustDetail* ui;

private:
    Q_DISABLE_COPY(FormPJAdjustDetail)
};

#endif // FORMPJADJUSTDETAIL_H
