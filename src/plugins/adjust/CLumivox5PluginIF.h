#ifndef CLUMIVOX5PLUGINIF_H
#define CLUMIVOX5PLUGINIF_H

#include <QObject>
#include <QString>

class CConnectIF;
class CGroupTreeView;
class CLumivox5Data;
class CProjectorTreeView;
class QGridLayout;
class QMenuBar;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QWidget;

// The base of a panel that the main window hosts as a page of its main tab
// widget. The host fills the fields below before it calls SetupUi; a plug-in
// talks to the host only through the objects GetIF hands out, and learns of
// the window's events through its connect object. Nothing here is owned: the
// widgets are the window's, the hub is the application's.
class CLumivox5PluginIF : public QObject
{
public:
    CLumivox5PluginIF();
    ~CLumivox5PluginIF() override;

    // Builds the plug-in's page into the handed-over widgets (the host passes itself).
    virtual void SetupUi(QWidget* mainWindow) = 0;
    // The objects that carry requests out and results in.
    virtual int GetIFCount() = 0;
    // The object of that index, or null outside 0 to count - 1.
    virtual QObject* GetIF(int index) = 0;

    // Set by the host before SetupUi.
    QString m_CultureName;
    QString m_ClassName;
    CLumivox5Data* m_Lumivox5Data;
    QMenuBar* menuBar;
    QToolBar* mainToolBar;
    CGroupTreeView* treeViewGroup;
    QStatusBar* statusBar;
    CProjectorTreeView* treeViewPJList;
    CProjectorTreeView* treeViewPJListSub;
    QGridLayout* gridLayout_3;
    QWidget* widgetSearch;
    QTabWidget* tabMain;
    // Set by the plug-in: where its page sits in tabMain (-1 until inserted),
    // and which of the window's signals it wants to hear (null: none).
    int m_TabIndex;
    CConnectIF* m_pConnectIF;

protected:
    // Installs the plug-in's own catalogue, "<class name less its last four
    // letters>.<culture>" in the folder plugins/<culture> of the program
    // folder. It need not exist: its texts are in the main catalogue too.
    void LoadTranslator();
    // Enables or disables the direct children of a widget (of each page of a
    // tab widget); labels keep their state unless bLabel is set.
    void SetEnableAll(QWidget* baseWidget, bool bEnable, bool bLabel);

private:
    Q_DISABLE_COPY(CLumivox5PluginIF)
};

Q_DECLARE_INTERFACE(CLumivox5PluginIF, "Tessiva.Lumivox5Plugin.Interface/1.0")

#endif // CLUMIVOX5PLUGINIF_H
