#include "PJSearch.h"

#include "PJSearchDlg.h"

#include <memory>

PJSearch::PJSearch() = default;

PJSearch::~PJSearch() = default;

int PJSearch::SearchDlg(int flags, QHostAddress connectedAddress, int mode, QHostAddress* range, QWidget* parent)
{
    m_Mode = mode;
    if (range) {
        m_Range[0] = range[0];
        m_Range[1] = range[1];
    }
    std::unique_ptr<PJSearchDlg> dialog(new PJSearchDlg(flags, connectedAddress, m_Mode, m_Range, parent));
    m_pDlg = dialog.get();
    connect(m_pDlg, &PJSearchDlg::ShowHelpSignal, this, &PJSearch::f_on_ShowHelp);
    connect(m_pDlg, &PJSearchDlg::HTMLViewerParentChangeSignal, this, &PJSearch::f_on_HTMLViewerParentChange);

    emit HTMLViewerParentChangeSignal(m_pDlg);
    // The broadcast search is already running when the dialog shows.
    m_pDlg->UpdateExec();
    const int result = m_pDlg->exec();
    emit HTMLViewerParentChangeSignal(nullptr);

    if (result == QDialog::Accepted)
        m_SelectList = m_pDlg->GetSelectIpList();
    m_pDlg->GetInputAddress(m_Mode, m_Range);
    m_pDlg = nullptr;
    return result;
}

QList<QHostAddress> PJSearch::GetIpAddress()
{
    return m_SelectList;
}

int PJSearch::GetInputAddress(int& mode, QHostAddress* range)
{
    mode = m_Mode;
    range[0] = m_Range[0];
    range[1] = m_Range[1];
    return 0;
}

void PJSearch::f_on_ShowHelp()
{
    emit ShowHelpSignal(m_pDlg);
}

void PJSearch::f_on_HTMLViewerParentChange(QWidget* parent)
{
    emit HTMLViewerParentChangeSignal(parent);
}
