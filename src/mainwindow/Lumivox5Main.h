#ifndef LUMIVOX5MAIN_H
#define LUMIVOX5MAIN_H

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QIcon>
#include <QPair>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QSystemTrayIcon>

#include <deque>
#include <functional>

#include "CMailSettings.h"
#include "CVariantParameter.h"

class CBackgroundWriter;
class CCreateDemoData;
class CDataFunctions;
class CListViewColumnStatus;
class CLumivox5Data;
class CLumivox5PluginIF;
class CProjectorData;
class QAction;
class QCloseEvent;
class QDialog;
class QLabel;
class QMenu;
class QMoveEvent;
class QResizeEvent;
class QShowEvent;
class QSplitter;
class QToolButton;
class QTimer;
class Ui_Lumivox5Main;

// The main window: builds the data hub, the dispatcher, the demo-data engine
// and the plug-ins, wires them, and turns every menu, toolbar and context
// menu entry into requests for the projectors selected in the list. Its
// slots bind to the form's actions by name, so their names are fixed. The
// bodies live in one source file per area of the window.
class Lumivox5Main : public QMainWindow
{
    Q_OBJECT
public:
    // Which entries an enabling pass updates.
    struct MENU_TYPE
    {
        enum Enum { MAIN_MENU = 0, TOOL_BAR = 1, CONTEXT_MENU = 2 };
    };

    // Takes the application's command line.
    explicit Lumivox5Main(QWidget* parent = nullptr);
    // Takes the given command line (as `main` received it).
    Lumivox5Main(int argc, char** argv, QWidget* parent = nullptr);
    ~Lumivox5Main() override;

    // --- construction (window build)
    void f_CreateControls();
    void f_InitializeUI();
    void f_WorkOfflineEnable(bool on);

    // --- projector list
    void f_InitPjList();
    void f_InitializePjListDisplayIndex();
    void f_PjListColumnCheck();
    void f_UpdatePjListColumn(bool fromView);
    QList<CProjectorData*> f_GetSelectedPjDataList();
    QList<CProjectorData*> f_GetDispPjDataList();
    void f_PjListSelectAll();
    void f_SortPjList(int intColumn = -1, Qt::SortOrder sortOrder = Qt::AscendingOrder);
    void f_MenuSortDropDownCreate(QMenu* menu);

    // --- groups
    void f_InitGroupTree();
    void f_ResetGroupTree();

    // --- property pane and detail view
    void f_UpdateProperty();
    void f_ClearPropertyParam();

    // --- files
    void f_ImportUserList();
    int f_ImportUserList(QString path, bool rememberFolder);
    void f_ExportUserList();
    void f_ImportSchedule();
    void f_ExportSchedule();
    int f_ImportEventLog(QString path, bool rememberFolder);
    void f_ExportEventLog();
    void f_Export();
    QString f_GetTransportLogPath();
    QString f_GetScheduleExecutionHistoryLogPath();
    bool f_IsScheduleExecutionHistoryLogExists();
    void f_ShowFolder(QString path);
    void f_ShowTransportLog();
    void f_ShowScheduleLog();

    // --- schedule
    void f_LoadScheduleData();
    // Writes the schedules and no-operating dates to the schedule file; why
    // they were not written, for the operator, or empty when they were.
    QString f_SaveScheduleData();
    void f_ScheduleExecute(bool start);
    int f_ScheduleExecuteData(bool confirm, bool fromMidnight);
    void f_InitExcuteSchedule();
    void f_UpdateScheduleList();
    // The stored auto-execute value follows the running flag; written only on a change.
    void f_StoreAutoExecuteSchedule();
    // The running flag with the tray image and the group icons that show it.
    void f_ShowScheduleRunning(bool running);
    // About a second of wait cursor for the clock to settle, then the week list.
    void f_WaitAndUpdateScheduleList();
    // Where both schedule file dialogs open: "Schedule.scd" in the folder last used.
    QString f_ScheduleDialogStartFile() const;
    void f_VirtualTimeExecute(bool on);

    // --- commands and updates
    void f_SetPowerSelectedConnection(int sts, bool blnConfirm);
    void f_SetInputTerminalSelectedConnection(unsigned char code);
    void f_SetFreezeSelectedConnection(int sts);
    void f_SetFreezeAutoToggle();
    void f_SetPictureMuteSelectedConnection(int sts, bool blnConfirm);
    void f_SetSoundMuteSelectedConnection(int sts, bool blnConfirm);
    void f_SetOSDMuteSelectedConnection(int sts, bool blnConfirm);
    void f_AllSwitchingMute();
    void f_PJRefresh();
    void f_PJRefresh(QMap<int, CProjectorData*>* targetDatas);
    void f_UpdateAllConnection(bool blnOnlyShowDevices);
    void f_UpdateAllUnconnectedConnection(bool blnOnlyShowDevices);
    void f_DisconnectAllConnection();
    void f_Stop(bool blnAllStop);
    void f_SetUpdateAllProjectorsTimerInterval(int minutes);
    void f_EnableUpdateAllProjectorsTimer(bool enable);
    // A status pass and the plug-in relay over the reports taken for it.
    void f_OnUpdateTimingProc(const QList<QList<int>>& reports);
    void f_OnUpdateTimingToPluginProc(const QList<QList<int>>& reports);
    void f_OnUpdateErrorToPluginProc(QString msg, QString strTarget, int code, int cmd, int from, int act,
                                     int nTargetID);
    void f_RequestTransportLogPath(int from);
    void f_RequestTransportLogEnable(int from);
    void f_RequestScheduleLogEnable(int from);
    void f_RequestScheduleChangeLogPath(int from);
    void f_RequestScheduleStart(int from);
    void f_RequestScheduleStop(int from);

    // --- mail
    void f_SendMail(CMailSettings settings, QString subject, QString body, bool isTestMail);
    void f_ErrorMailProc(CProjectorData* record);

    // --- plug-ins
    void f_LoadPlugin();
    // Binds a plug-in candidate and keeps it; one that is no plug-in is
    // deleted (null is returned).
    CLumivox5PluginIF* f_BindPlugin(QObject* candidate);

    // --- menus, toolbar, tray icon, status bar
    void f_UpdateProjectorMenuEnabled(MENU_TYPE::Enum type);
    void f_UpdateScheduleMenuEnabled(MENU_TYPE::Enum type);
    bool f_RenameMenuAvailable();
    void f_SetMenuCheckedDot(QObject* entry, bool checked);
    void f_MenuPJCtrlDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuPowerDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuFreezeDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuPictureMuteDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuSoundMuteDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuOSDMuteDropDownOpening(MENU_TYPE::Enum type);
    void f_MenuAppStartDropDownCreate(QMenu* menu);
    void f_CreateToolBar();
    void f_CreateTrayIcon();
    void f_SetNotifyScheduleRunningIcon(bool running);
    void f_CreateEventStringStatusBar(int index);
    void f_SetStatusbarCenterMessage();

    // --- window state
    void f_InitPosition();
    bool f_FormClosePreparation();
    void f_LANAutoSearch();

    // Where `SendCommand` hands every request: the demo-data engine (offline)
    // and the dispatcher, unless a sink is installed, which then receives the
    // request instead (tests record with it). An empty sink restores the
    // dispatcher. It serves every window, those being built included.
    using RequestSink = std::function<void(int id, QList<CVariantParameter>* param, int from, int act,
                                           QList<int>* target, bool cache, bool log)>;
    static void SetRequestSink(RequestSink sink);

    // The window's parts; public so that tests and `main` can reach them.
    Ui_Lumivox5Main* ui;
    CLumivox5Data* m_Lumivox5Data;
    CDataFunctions* m_DataThread;
    CCreateDemoData* m_demoData;
    QList<CLumivox5PluginIF*> m_plugins;
    bool m_blnProfileLoaded;
    bool m_blnFirstShowDone;
    QTimer* m_tmrUpdateAllProjectors;
    QTimer* m_tmrUpdateDelay;
    QTimer* m_tmrUpdateMidFlow;
    // How long one slice of a status pass writes rows; the clock is read
    // every 64 rows, so a short list is always written at once.
    qint64 m_PassSliceNs = 12 * 1000 * 1000;
    QTimer* m_tmrUpdateScheduleList;
    QTimer* m_tmrStatusMessage;
    // The status bar's labels at positions 0 (left), 1 (centre) and 2 (right).
    QLabel* m_lblStatus[3];
    // The toolbar's buttons and drop-down entries, made by `f_CreateToolBar`
    // (the window owns them through parenting).
    QAction* actTBPowerOn = nullptr;
    QAction* actTBPowerOff = nullptr;
    QToolButton* btnTBSignalSelect = nullptr;
    QAction* actTBAVMute = nullptr;
    QAction* actTBFreeze = nullptr;
    QAction* actTBRefresh = nullptr;
    QAction* actTBStop = nullptr;
    QAction* actTBScheduleEdit = nullptr;
    QAction* actTBScheduleStart = nullptr;
    QAction* actTBScheduleCancel = nullptr;
    QAction* actTBMail = nullptr;
    QAction* actTBCommunication = nullptr;
    QAction* actTBOption = nullptr;
    QToolButton* btnTBStartApp = nullptr;
    QAction* actTBPictureMuteOn = nullptr;
    QAction* actTBPictureMuteOff = nullptr;
    QAction* actTBSoundMuteOn = nullptr;
    QAction* actTBSoundMuteOff = nullptr;
    QAction* actTBOSDMuteOn = nullptr;
    QAction* actTBOSDMuteOff = nullptr;
    QAction* actTBFreezeOn = nullptr;
    QAction* actTBFreezeOff = nullptr;

signals:
    void ShowAllProjectorsSignal();
    void f_ShowHelpSignal();
    void UpdateTimingToCommandIF(int id, int from, int act, int target);
    void UpdateErrorToCommandIF(QString msg, QString strTarget, int code, int cmd, int from, int act,
                                int nTargetID);

public slots:
    // --- File menu
    void on_actMenuFileOffline_triggered(bool checked);
    void on_actMenuFileImportPJList_triggered();
    void on_actMenuFileImportSchedule_triggered();
    void on_actMenuFileImportEventLog_triggered();
    void on_actMenuFileExportCSVFile_triggered();
    void on_actMenuFileExportPJList_triggered();
    void on_actMenuFileExportSchedule_triggered();
    void on_actMenuFileExportEventLog_triggered();
    void on_actMenuFileShowLogTransport_triggered();
    void on_actMenuFileShowLogSchedule_triggered();
    void on_actMenuFileExit_triggered();
    // --- View menu
    void on_actMenuViewDetail_triggered();
    void on_actMenuViewSchedule_triggered();
    void on_actMenuViewEditColumn_triggered();
    void on_actMenuViewSelectAll_triggered();
    void on_actMenuViewStop_triggered();
    void on_actMenuViewRefresh_triggered();
    void on_actMenuViewRefreshAll_triggered();
    // --- Tool menu
    void on_actMenuToolMail_triggered();
    void on_actMenuToolOption_triggered();
    void on_actMenuToolCommunication_triggered();
    void on_actMenuToolLANAutoSearch_triggered();
    void on_actMenuToolSerialAutoSearch_triggered();
    void on_actMenuToolStartProcessSettings_triggered();
    // --- Group menu
    void on_actMenuGroupCreate_triggered();
    void on_actMenuGroupDelete_triggered();
    void on_actMenuGroupRename_triggered();
    // --- Projector menu
    void on_actMenuPJAdjust_triggered();
    void on_menuPJCtrl_hovered();
    void on_actMenuPJCtrlPowerOn_triggered();
    void on_actMenuPJCtrlPowerOff_triggered();
    void on_actMenuPJCtrlFreezeOn_triggered();
    void on_actMenuPJCtrlFreezeOff_triggered();
    void on_actMenuPJCtrlPictureMuteOn_triggered();
    void on_actMenuPJCtrlPictureMuteOff_triggered();
    void on_actMenuPJCtrlSoundMuteOn_triggered();
    void on_actMenuPJCtrlSoundMuteOff_triggered();
    void on_actMenuPJCtrlOSDMuteOn_triggered();
    void on_actMenuPJCtrlOSDMuteOff_triggered();
    void on_actMenuPJRename_triggered();
    void on_actMenuPJRefresh_triggered();
    void on_actMenuPJCut_triggered();
    void on_actMenuPJCopy_triggered();
    void on_actMenuPJPaste_triggered();
    void on_actMenuPJDelete_triggered();
    void on_actMenuPJProperty_triggered();
    void on_atcMenuPJWeb_triggered();
    // --- Schedule menu
    void on_actMenuScheduleEdit_triggered();
    void on_actMenuScheduleExecute_triggered();
    void on_actMenuScheduleCancel_triggered();
    void on_actMenuScheduleSettingNoOperatingDate_triggered();
    // --- Help menu
    void on_actMenuHelpHelp_triggered();
    void on_actMenuHelpAbout_triggered();
    void on_actMenuHelpVirtualTime_triggered();
    void on_actMenuHelpVirtualTimeSetting_triggered();
    // --- main tab
    void on_tabMain_currentChanged(int index);

    // --- menu drop-downs
    void f_UpdateMenuFileDropDown();
    void f_UpdateMenuFileImportDropDown();
    void f_UpdateMenuFileShowLogDropDown();
    void f_UpdateMenuViewDropDown();
    void f_UpdateMenuToolDropDown();
    void f_UpdateMenuGroupDropDown(bool focusIn);
    void onUpdateMenuGroupDropDown();
    void f_UpdateMenuProjectorDropDown();
    void f_UpdateMenuScheduleDropDown();
    void f_UpdateMenuHelpDropDown();
    void f_On_MenuHelp_hovered();
    void f_On_MenuViewSort_hovered();
    void f_On_MenuToolStartProcess_hovered();
    void f_On_menuPJCtrlPower_showDropDown();
    void f_On_menuPJCtrlSignalSelect_showDropDown();
    void f_On_menuPJCtrlFreeze_showDropDown();
    void f_On_menuPJCtrlPictureMute_showDropDown();
    void f_On_menuPJCtrlSoundMute_showDropDown();
    void f_On_menuPJCtrlOSDMute_showDropDown();
    void f_On_ViewSortSelected();
    void f_OnInputSW_triggered();
    void f_On_AppStartSelected();
    void f_MenuSignalSelectDropDownCreate(QMenu* targetMenu);
    void f_UpdateToolbarEnabled();

    // --- projector list context menu
    void f_PJCtxDropDownShow();
    void f_PJCtxControlDropDownShow();
    void f_PJCtxPowerDropDownShow();
    void f_PJCtxFreezeDropDownShow();
    void f_PJCtxPictureMuteDropDownShow();
    void f_PJCtxSoundMuteDropDownShow();
    void f_PJCtxOSDMuteDropDownShow();

    // --- toolbar
    void f_On_TBPWOn();
    void f_On_TBPWOff();
    void f_On_TBSWInputShowDropDown();
    void f_On_TBAVMute();
    void f_On_TBAVMuteShowDropDown();
    void f_On_TBPictureMuteOn();
    void f_On_TBPictureMuteOff();
    void f_On_TBSoundMuteOn();
    void f_On_TBSoundMuteOff();
    void f_On_TBOSDMuteOn();
    void f_On_TBOSDMuteOff();
    void f_On_TBFreeze();
    void f_On_TBFreezeOn();
    void f_On_TBFreezeOff();
    void f_On_TBFreezeShowDropDown();
    void f_On_TBRefresh();
    void f_On_TBStop();
    void f_On_TBScheduleEdit();
    void f_On_TBScheduleStart();
    void f_On_TBScheduleCancel();

    // --- projector list, groups, clipboard
    void f_ShowAllProjectors();
    void f_On_treeViewPJList_selectionChanged();
    void f_On_UpdateSubPJList();
    void f_On_treeViewPJListSub_selectionChanged();
    void f_OnChangePjListSortConditions();
    void f_On_TreeViewAfterSelect();
    void f_On_TreeViewAfterChangeGroupName();
    void f_On_UpdateShowDetail();
    void f_IsSetProjectorNameEnabled(int dataId, bool& enabled);
    void f_PJRenameEnd(int dataId, QString newName);
    void f_ShowMsgBoxWarn(QString text);
    void ProjectorCut();
    void ProjectorCopy();
    void ProjectorPaste();
    void ProjectorPaste(QString pathGroup);
    void ProjectorDelete();
    // Registers one projector per template (in key order) up to the limit of
    // 2000, saves the user list, shows all projectors and, when asked,
    // refreshes the new ones; -1 when the hub could make no record. A failed
    // save is reported with `unsavedMessage` (a key with the list's path as
    // %1) when the caller has more than the added projectors unsaved.
    int f_DirectAddProjector(QMap<int, CProjectorData*>* datas, bool blnAutoUpdate,
                             const char* unsavedMessage = nullptr);
    int f_UpdateTargetList(QList<int>* lstDelete, QList<bool>* lstModifyOnly, QMap<int, CProjectorData*>* lstAdd,
                           QMap<int, CProjectorData*>* result);

    // --- commands and status updates
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                     bool log);
    // The same with the trailing arguments left at null, 0 and false.
    void SendCommand(int id);
    void SendCommand(int id, QList<CVariantParameter>* param);
    void SendCommand(int id, QList<CVariantParameter>* param, int from);
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act);
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target);
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache);
    void OnReceiveUpdateTiming(int cmd, int from, int act, int target);
    void OnReceiveUpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act, int target);
    void OnTransportStateUpdate(int target);
    void OnTimerUpdateDelay();
    void OnTimerUpdateMidFlow();
    void f_TmrUpdateAllProjectors_Tick();
    void f_OnCheckTimerUpdate();

    // --- schedule
    bool f_OnScheduleIsInExecution();
    bool f_OnOfflineStatus();
    bool f_OnScheduleLogExists();
    void f_OnDateUpdateProc();
    void f_OnTimerUpdateScheduleList();
    void f_OnTimerUpdateScheduleListProc();
    void f_OnScheduleExecuteWithOffline(int cmd, int from, int act, int target, int status, int scheduleid);

    // --- mail
    void f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum result, bool isTestMail);
    void f_OnSendTestMail(CMailSettings* setting);
    void f_OnSendErrorMail(CProjectorData* record, QString message, int isFilterError);

    // --- settings dialogs, help, external programs
    void f_ShowColumnDetail();
    void f_ShowMailSettings();
    void f_ShowOptionSettings();
    void f_ShowCommunicationSettings();
    void f_ShowVirtualTimeSetting();
    void f_ShowStartAppSettings();
    void f_ShowAbout();
    void f_ShowHelp();
    void f_ShowHelpPage(QString page, QWidget* parent);
    void f_HTMLViewerParentChange(QWidget* parent);
    void f_HTMLViewerClosed();
    void f_AutoSearchLANShowHelp(QWidget* parent);
    void f_ShowWeb();

    // --- window state, tray icon, status bar
    void f_EnableWindowProc();
    void f_EnableWindowProc(bool UpdateScheduleList);
    void f_EnableWindowClose();
    void f_On_IconActivated(QSystemTrayIcon::ActivationReason reason);
    void f_UpdateEventStringStatusBar(QString text);
    void f_UpdateEventStringStatusBar(QString message, QString target, int code);
    void updateStatusMessage();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Q_DISABLE_COPY(Lumivox5Main)

    void f_Construct(int argc, char** argv);
    void f_ConnectViews();
    void f_ConnectEngine();
    void f_CreateTimers();
    void f_CreateStatusBar();
    // The check-dot icons shared by every menu entry.
    const QIcon& f_DotIcon(bool checked);
    // Records column and order as the user's sort.
    void f_RecordSort(int column, Qt::SortOrder order);
    void f_RefreshDetailAndMenus();
    // Deletes the plug-ins (their pages stay with the main tab).
    void f_DeletePlugins();
    // Cut and delete: takes the listed projectors out of the selected group
    // after the operator agreed; a cut also puts them on the clipboard.
    void f_RemoveSelectedProjectorsFromGroup(bool cut);

    // Hands a request to the demo-data engine (offline) and the dispatcher.
    void f_HandOnRequest(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target,
                         bool cache, bool log);
    // Queues a report and arms the timers when the hub knows its projector.
    void f_QueueReport(const QList<int>& entry);
    // Runs one status pass over the reports queued so far; `stop` is the other timer.
    void f_RunUpdatePass(QTimer* stop, QMutex* stopGuard);

    // A status pass writes the list a slice of rows at a time, one slice per
    // turn of the event loop, so that a pass over 2000 rows never holds the
    // GUI thread for long. Passes are written in the order they were taken:
    // a later one waits until the earlier one's rows are written.
    struct PassRun
    {
        QHash<int, int> newestCode; // projector id -> result code of its newest report
        QList<QList<int>> reports;  // relayed once the rows are written
        int nextRow = 0;            // source row the next slice starts at
        bool restart = false;       // rows came or went: walk again from row 0
        QSet<int> written;          // projectors whose row the pass wrote: never twice
        QList<int> renamed;         // projectors whose shown name the pass changed
    };
    std::deque<PassRun> m_PassRuns; // keeps the first in place while a handler adds one
    bool m_blnPassSliceRunning = false;
    QTimer* m_tmrPassSlice = nullptr;
    // Writes rows of the waiting passes until a slice's time is used up, and
    // ends each pass whose rows are all written.
    void f_WritePassSlice();
    // Writes the first pass's rows from where it stopped; false when the
    // slice's time ran out first.
    bool f_WritePassRows(PassRun& run, const QElapsedTimer& slice);
    // What follows a pass's rows: sort, mails, save, details, relay.
    void f_EndPass(const PassRun& run);

    // Pending status updates (six values each) and their guards.
    QList<QList<int>> m_UpdateQueue;
    // Errors naming no projector (a log line that cannot be written, say) come
    // in floods: one per (message, code) is taken per pass, the repeats counted.
    QHash<QPair<QString, int>, int> m_SeenGeneralErrors;
    QMutex m_mtxUpdateQueue;
    QMutex m_mtxUpdateDelay;
    QMutex m_mtxUpdateMidFlow;
    // Writes the user list saved by a status pass, off the GUI thread.
    CBackgroundWriter* m_pUserListWriter = nullptr;
    // Whether the last background save failed (and the operator was told).
    bool m_blnUserListSaveFailed = false;
    // Saves the user list through the writer; a failure is shown once,
    // until a save succeeds again.
    // `onlyIds`: the records to write into the list (null: all).
    void f_SaveUserListInBackground(const QList<int>* onlyIds = nullptr);
    // One line for the operator on a failed save of the user list.
    QString f_UserListFailureLine(int code, const QString& path, const QString& reason);
    // The three splitters, in the order their sizes are stored.
    QList<QSplitter*> f_Splitters() const;
    // Writes the schedules, the settings and the user list at exit; the
    // failures, one line each.
    QStringList f_SaveAtExit();
    // Opens a log folder, or tells the operator that it is missing.
    void f_ShowLogFolder(const QString& path, const QString& missingText);
    // The CSV text of what the projector list shows, line 1 stamped `now`.
    QString f_CsvText(const QDateTime& now);
    // Whether the group tree was the last list the operator worked in.
    bool m_blnGroupTreeActive;
    // The mail settings dialog while it is open.
    QDialog* m_pFormMailSettings;
    QSystemTrayIcon* m_trayIcon;
    QMenu* m_trayIconMenu;
    // The last LAN search's address input, which the next search opens with
    // (for this run only), and the interface address the search is given.
    int m_LastSearchMode = 0;
    QHostAddress m_LastSearchRange[2];
    QHostAddress m_SearchInterfaceAddress;
};

#endif // LUMIVOX5MAIN_H
