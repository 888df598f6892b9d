#ifndef PJSEARCH_H
#define PJSEARCH_H

#include <QHostAddress>
#include <QList>
#include <QObject>

class PJSearchDlg;
class QWidget;

// Runs the search dialog for the main window and keeps what came of it: the
// addresses the operator chose to connect and the last address input.
class PJSearch : public QObject
{
    Q_OBJECT
public:
    PJSearch();
    ~PJSearch() override;

    // Shows the dialog modally with a broadcast search already running;
    // 1 when the operator chose Connect, 0 otherwise. `range` points at the
    // start and end address of the last address input.
    int SearchDlg(int flags, QHostAddress connectedAddress, int mode, QHostAddress* range, QWidget* parent);
    // The chosen addresses, in the dialog's row order; empty unless the last run was accepted.
    QList<QHostAddress> GetIpAddress();
    // The last address input, whether the run was accepted or not.
    int GetInputAddress(int& mode, QHostAddress* range);

signals:
    void ShowHelpSignal(QWidget* dialog);
    void HTMLViewerParentChangeSignal(QWidget* parent);

public slots:
    void f_on_ShowHelp();
    void f_on_HTMLViewerParentChange(QWidget* parent);

private:
    int m_Mode = 0;
    QHostAddress m_Range[2];
    QList<QHostAddress> m_SelectList;
    PJSearchDlg* m_pDlg = nullptr;
};

#endif // PJSEARCH_H
