#include "CPluginPJAdjust.h"

#include "CCommandIF.h"
#include "CConnectIF.h"
#include "ExceptionTrace.h"
#include "FormPJAdjust.h"
#include "LogCategories.h"

#include <QTabWidget>

CPluginPJAdjust::CPluginPJAdjust(QObject*)
    : m_pCommandIF(new CCommandIF)
    , m_pForm(nullptr)
    , m_pPage(nullptr)
{
    m_pConnectIF = new CConnectIF;
}

CPluginPJAdjust::~CPluginPJAdjust()
{
    // The panel goes too; its page, moved into the main tab widget, stays there.
    delete m_pForm;
    delete m_pCommandIF;
    delete m_pConnectIF;
}

int CPluginPJAdjust::GetIFCount()
{
    return 1;
}

QObject* CPluginPJAdjust::GetIF(int index)
{
    return index == 0 ? m_pCommandIF : nullptr;
}

void CPluginPJAdjust::SetupUi(QWidget*)
{
    RunTraced([&] {
        if (!tabMain)
            return;
        LoadTranslator();

        m_pForm = new FormPJAdjust;
        m_pForm->m_Lumivox5Data = m_Lumivox5Data;
        m_pForm->m_pTreeViewPJList = treeViewPJList;
        m_pForm->m_pTreeViewPJListSub = treeViewPJListSub;

        m_pConnectIF->m_TriggerList << 1 << 3;

        // A request from the panel reaches the window inside the panel's emit,
        // and the command object's slot fills the caller's list before it returns.
        connect(m_pConnectIF, &CConnectIF::ConnectSignal, this, &CPluginPJAdjust::f_On_MainTabChanged);
        connect(m_pForm, &FormPJAdjust::SendCommand, m_pCommandIF, &CCommandIF::SendCommand, Qt::DirectConnection);
        connect(m_pCommandIF, &CCommandIF::UpdateTiming, m_pForm, &FormPJAdjust::UpdateTiming);
        connect(m_pCommandIF, &CCommandIF::UpdateError, m_pForm, &FormPJAdjust::UpdateError);
        connect(m_pForm, &FormPJAdjust::f_On_AllEnabled, this, &CPluginPJAdjust::f_On_AllEnabled,
                Qt::DirectConnection);
        connect(m_pForm, &FormPJAdjust::SetVariantData, m_pCommandIF, &CCommandIF::SetVariantData,
                Qt::DirectConnection);

        m_pPage = m_pForm->findChild<QWidget*>(QStringLiteral("tabWidgetAdjust"));
        m_TabIndex = 1;
        tabMain->insertTab(m_TabIndex, m_pPage, tr("PJAdjust"));
    });
}

void CPluginPJAdjust::f_On_MainTabChanged()
{
    qCDebug(lcAdjust, "CPluginPJAdjust::f_On_MainTabChanged");
    RunTraced([&] {
        if (!tabMain || tabMain->currentIndex() != m_TabIndex || !m_pForm)
            return;
        m_pForm->MainTabChanged();
    });
}

void CPluginPJAdjust::f_On_AllEnabled(QWidget* baseWidget, bool bEnable, bool bLabel)
{
    SetEnableAll(baseWidget, bEnable, bLabel);
}
