#ifndef CPLUGINPJADJUST_H
#define CPLUGINPJADJUST_H

#include "CLumivox5PluginIF.h"

class CCommandIF;
class FormPJAdjust;

// The adjustment plug-in: puts the adjustment panel's page into the main
// window's tab widget and relays between panel and window through one
// command object. It wants to hear of selection changes in the projector
// list and of page changes of the main tab.
class CPluginPJAdjust : public CLumivox5PluginIF
{
    Q_OBJECT
    Q_INTERFACES(CLumivox5PluginIF)
public:
    // The parent is not used: the host owns the plug-in.
    explicit CPluginPJAdjust(QObject* parent = nullptr);
    ~CPluginPJAdjust() override;

    void SetupUi(QWidget* mainWindow) override;
    int GetIFCount() override;
    QObject* GetIF(int index) override;

    CCommandIF* m_pCommandIF;
    // Made by SetupUi; the panel is never shown, only its page, which moves
    // into the main tab widget and belongs to it from then on.
    FormPJAdjust* m_pForm;
    QWidget* m_pPage;

public slots:
    // Refreshes the panel while its page is the current one.
    void f_On_MainTabChanged();
    void f_On_AllEnabled(QWidget* baseWidget, bool bEnable, bool bLabel);
};

#endif // CPLUGINPJADJUST_H
