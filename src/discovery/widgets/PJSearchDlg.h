#ifndef PJSEARCHDLG_H
#define PJSEARCHDLG_H

#include <QDialog>
#include <QHostAddress>
#include <QList>

class NetworkInterfaceCard;
class PJSearchUdp;
class QTableWidgetItem;
class QTimer;
class Ui_PJSearchDlg;
struct PJ_LIST_INFO;

// "Projector List": searches for projectors on the chosen network interface,
// by broadcast (Update, on opening, on another interface) or at entered
// addresses (Input Address...), lists what answers, refreshing every 500 ms,
// and closes with the ticked rows' addresses on Connect.
class PJSearchDlg : public QDialog
{
    Q_OBJECT
public:
    // Timer ticks that may find a search still running before it is stopped.
    static const int TIMEOUT_TICKS = 10;
    static const int TICK_MS = 500;
    // The status of an entered address that did not answer.
    static const int STATUS_NO_ANSWER = 255;

    // `flags` goes into every search request; a row whose address equals
    // `connectedAddress` shows "Connected". `range` points at the start and
    // end address of the last address input, `mode` is its mode.
    PJSearchDlg(int flags, QHostAddress connectedAddress, int mode, QHostAddress* range, QWidget* parent = nullptr);
    ~PJSearchDlg() override;

    // The same as a click on Update.
    void UpdateExec();
    // The ticked rows' addresses, in row order, once Connect was clicked.
    QList<QHostAddress> GetSelectIpList();
    int GetInputAddress(int& mode, QHostAddress* range);

signals:
    void ShowHelpSignal();
    void HTMLViewerParentChangeSignal(QWidget* parent);

private slots:
    void on_tableWidgetPJList_itemChanged(QTableWidgetItem* item);
    void on_pushButtonInputAddress_clicked();
    void on_pushButtonConnect_clicked();
    void on_pushButtonUpdate_clicked();
    void on_pushButtonHelp_clicked();
    void on_pushButtonClose_clicked();
    void SearchTimerTimuout();
    void comboBoxNicCurrentIndexChanged();

private:
    void f_CorrectLayout();
    void InitPJListView();
    // The targets go to the engine, which the first search makes.
    void f_SetSearchTargets(const QList<QHostAddress>& targets);
    // Starts the engine unless it is running, when `button` waits for its end.
    void f_StartSearch(unsigned int command, QWidget* button);
    // Entered addresses that did not answer leave the found list and the
    // table, so that an address search can find them now.
    void f_DropUnanswered();
    void f_AppendNewRows();
    void f_FillRow(int row, const PJ_LIST_INFO& info);
    // Connect is enabled exactly while a row is ticked; `ticked` tells that
    // one is known to be, which spares the look through the table.
    void f_EnableConnectByTicks(bool ticked);

    Ui_PJSearchDlg* ui;
    int m_Flags;
    QHostAddress m_ConnectedAddress;
    QList<QHostAddress> m_SelectList;
    int m_Mode;
    QHostAddress m_Range[2];
    QList<QHostAddress> m_InputTargets;
    NetworkInterfaceCard* m_pNic = nullptr;
    PJSearchUdp* m_pSearch = nullptr;
    QTimer* m_pTimer = nullptr;
    int m_TimeoutCount = 0;
    bool m_Filling = false;
};

#endif // PJSEARCHDLG_H
