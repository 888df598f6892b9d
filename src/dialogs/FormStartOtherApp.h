#ifndef FORMSTARTOTHERAPP_H
#define FORMSTARTOTHERAPP_H

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QCloseEvent;
#include <QItemSelection>
#include <QModelIndex>
class QShowEvent;
class QStandardItem;
class QStandardItemModel;
class QWidget;

namespace Ui {
class FormStartOtherApp;
}

// Keeps the ordered launch list: entries are added and changed through the
// entry editor, removed after a question and moved one place at a time.
// Every change lives in the dialog's model until OK refills the list given in
// m_AppList (or a new one when none was given); Cancel leaves it untouched.
class FormStartOtherApp : public QDialog
{
    Q_OBJECT
public:
    // Keys of an entry's map held by each row.
    static const QString KEY_DISPLAY_NAME;
    static const QString KEY_PATH;
    static const QString KEY_ARGUMENTS;
    // The item data role of that map.
    static const int ENTRY_ROLE = Qt::UserRole + 1;

    explicit FormStartOtherApp(QWidget* parent = nullptr);
    ~FormStartOtherApp() override;

    // Not owned; null until the creator sets it (OK then makes a new list).
    QList<QStringList>* m_AppList;
    int m_MaxCount;

signals:
    void ShowHelpSignal(QString url, QWidget* parent);
    void HTMLViewerParentChangeSignal(QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void on_btnAdd_clicked();
    void on_btnEdit_clicked();
    void on_treeViewAppList_doubleClicked(QModelIndex index);
    void on_btnRemove_clicked();
    void on_btnMoveUp_clicked();
    void on_btnMoveDown_clicked();
    void f_On_SelectionChanged(QItemSelection selected, QItemSelection deselected);
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void on_buttonBox_helpRequested();

private:
    Q_DISABLE_COPY(FormStartOtherApp)

    void f_UpdateButton();
    void f_ItemAdd();
    void f_ItemEdit();
    void f_ItemRemove();
    void f_ItemMove(bool up);
    // Runs an entry editor between the two parent-change signals; true on OK.
    bool f_RunEditor(const QString& title, const QStringList& entry, QStringList* result);
    QList<int> f_SelectedRows() const;
    static QStandardItem* f_NewItem(const QStringList& entry);
    static QStringList f_Entry(const QStandardItem* item);

    std::unique_ptr<Ui::FormStartOtherApp> ui;
    QStandardItemModel* m_Model;
};

#endif // FORMSTARTOTHERAPP_H
