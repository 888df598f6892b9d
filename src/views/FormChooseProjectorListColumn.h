#ifndef FORMCHOOSEPROJECTORLISTCOLUMN_H
#define FORMCHOOSEPROJECTORLISTCOLUMN_H

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class CListViewColumnStatus;
class QCloseEvent;
class QEvent;
class QShowEvent;
class QStandardItemModel;

namespace Ui {
class FormChooseProjectorListColumn;
}

// "Choose Details": which projector list columns are shown, in which order
// and how wide. The caller fills both lists with one record per column (the
// two icon columns, keys 0 and 1, included: they are never listed here),
// runs the dialog modally and, on 1 (OK), finds the new layout in the records
// of the working list. The records stay the caller's; after Default the
// working list points at the default list's records.
class FormChooseProjectorListColumn : public QDialog
{
    Q_OBJECT
public:
    // The roles of the list model's cells beside the title.
    static const int ROLE_VALUE = Qt::UserRole + 1;
    // Model columns of a listed row.
    enum { COL_TITLE = 0, COL_WIDTH = 1, COL_KEY = 2, COL_DISPLAY_INDEX = 3, COL_VISIBLE = 4, COL_COUNT = 5 };
    // The widest column the width edit (three characters) can show.
    static const int MAXIMUM_WIDTH = 999;
    // What a negative width becomes on OK.
    static const int NEGATIVE_WIDTH = 12;

    explicit FormChooseProjectorListColumn(QWidget* parent = nullptr);
    ~FormChooseProjectorListColumn() override;

    // The layout being edited, and the default layout Default turns to.
    QList<CListViewColumnStatus*> m_columnStatusList;
    QList<CListViewColumnStatus*> m_defaultColumnStatusList;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_buttonBox_rejected();
    void on_buttonBox_accepted();
    void on_edtWidth_textChanged(QString strWidth);
    void on_btnInit_clicked();
    void on_btnHide_clicked();
    void on_btnShow_clicked();
    void on_btnMoveDown_clicked();
    void on_btnMoveUp_clicked();
    void f_On_tvDetails_SelectionChanged();
    void f_On_tvDetails_DataChanged();

private:
    Q_DISABLE_COPY(FormChooseProjectorListColumn)

    void f_CorrectLayout();
    void f_UpdateColumnData(bool toStatus);
    void f_ItemMove(bool up);
    void f_SetCheck(bool check);
    void f_UpdateButtons();
    void f_UpdateWidth();
    void f_SetInitialize();
    // The texts the constructor sets beside the form's own.
    void f_SetButtonTexts();
    // The model rows with a selected cell, ascending; the first one is "the
    // selected row".
    QList<int> f_SelectedRows() const;

    std::unique_ptr<Ui::FormChooseProjectorListColumn> ui;
    QStandardItemModel* m_model;
};

#endif // FORMCHOOSEPROJECTORLISTCOLUMN_H
