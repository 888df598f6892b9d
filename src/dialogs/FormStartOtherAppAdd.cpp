#include "FormStartOtherAppAdd.h"
#include "ui_FormStartOtherAppAdd.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>

#include "DialogLayout.h"
#include "DialogOpening.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

FormStartOtherAppAdd::FormStartOtherAppAdd(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FormStartOtherAppAdd)
{
    RunTraced([&] {
        ui->setupUi(this);
        DialogLayout::RaiseToMinimumButtonHeight(ui->buttonBox);
        ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
        ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint
                       | Qt::WindowCloseButtonHint);
        ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    });
}

FormStartOtherAppAdd::~FormStartOtherAppAdd()
{
}

void FormStartOtherAppAdd::SetAppData(QString displayName, QString path, QString arguments)
{
    m_DisplayName = displayName;
    m_Path = path;
    m_Argument = arguments;
}

bool FormStartOtherAppAdd::f_ItemCheck() const
{
    return !ui->txtDisplayName->text().isEmpty() && !ui->txtPath->text().isEmpty();
}

void FormStartOtherAppAdd::f_UpdateOk()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(f_ItemCheck());
}

void FormStartOtherAppAdd::showEvent(QShowEvent* event)
{
    DialogOpening::FillWhenOpened(event, [&] {
        setWindowTitle(m_Title);
        ui->txtDisplayName->setText(m_DisplayName);
        ui->txtPath->setText(m_Path);
        ui->txtArgument->setText(m_Argument);
        f_UpdateOk();
    });
    QDialog::showEvent(event);
}

void FormStartOtherAppAdd::closeEvent(QCloseEvent* event)
{
    const int kept = result();
    QDialog::closeEvent(event);
    setResult(kept);
}

void FormStartOtherAppAdd::on_txtDisplayName_textChanged(QString)
{
    f_UpdateOk();
}

void FormStartOtherAppAdd::on_txtPath_textChanged(QString)
{
    f_UpdateOk();
}

void FormStartOtherAppAdd::on_btnRefer_clicked()
{
    RunTraced([&] {
        // Linux programs have no extension of their own: the first filter
        // shows every file too, the second is there for the familiar choice.
        const QString filter = tr("application files(%1);;all files(*.*)").arg(QStringLiteral("*"));
        QString start = ui->txtPath->text();
        if (start.trimmed().isEmpty())
            start = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
        const QString chosen = CFileDialogs::GetOpenFileName(this, nullptr, QString(), start, filter);
        activateWindow();
        if (!chosen.isEmpty())
            ui->txtPath->setText(chosen);
    });
}

void FormStartOtherAppAdd::on_buttonBox_accepted()
{
    RunTraced([&] {
        if (!f_ItemCheck())
            return;
        m_DisplayName = ui->txtDisplayName->text();
        m_Path = ui->txtPath->text();
        m_Argument = ui->txtArgument->text();
        setResult(QDialog::Accepted);
        close();
    });
}

void FormStartOtherAppAdd::on_buttonBox_rejected()
{
    setResult(QDialog::Rejected);
    close();
}
