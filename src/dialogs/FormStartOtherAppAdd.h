#ifndef FORMSTARTOTHERAPPADD_H
#define FORMSTARTOTHERAPPADD_H

#include <QDialog>
#include <QString>

#include <memory>

class QCloseEvent;
class QShowEvent;
class QWidget;

namespace Ui {
class FormStartOtherAppAdd;
}

// Enters or changes one entry of the launch list: display name, path and
// arguments. The caller sets the title (and for a change the entry) before
// exec() and reads the three fields back on 1. OK needs a name and a path;
// blanks count, nothing else is checked.
class FormStartOtherAppAdd : public QDialog
{
    Q_OBJECT
public:
    explicit FormStartOtherAppAdd(QWidget* parent = nullptr);
    ~FormStartOtherAppAdd() override;

    QString m_Title;
    QString m_DisplayName;
    QString m_Path;
    QString m_Argument;

    void SetAppData(QString displayName, QString path, QString arguments);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void on_txtDisplayName_textChanged(QString str);
    void on_txtPath_textChanged(QString str);
    void on_btnRefer_clicked();
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    Q_DISABLE_COPY(FormStartOtherAppAdd)

    bool f_ItemCheck() const;
    void f_UpdateOk();

    std::unique_ptr<Ui::FormStartOtherAppAdd> ui;
};

#endif // FORMSTARTOTHERAPPADD_H
