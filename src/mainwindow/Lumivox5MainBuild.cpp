// Construction and wiring of the main window, and its teardown.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CBackgroundWriter.h"

#include "CCommandFunctions.h"
#include "CCreateDemoData.h"
#include "CDataFunctions.h"
#include "CDeviceAccess.h"
#include "CGroupTreeView.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProjectorTreeView.h"
#include "CSchedule.h"
#include "CTransportLog.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"
#include "PJDataSortProxyModel.h"
#include "QStyledItemDelegateEx.h"
#include "ScheduleListView.h"

#include <QCoreApplication>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTimer>

#include <vector>

namespace {

// One signal-slot connection of the wiring tables.
struct Wire
{
    QObject* sender;
    const char* signal;
    const char* slot;
    Qt::ConnectionType type;
};

void connectAll(QObject* receiver, const std::vector<Wire>& wires)
{
    for (const Wire& wire : wires)
        QObject::connect(wire.sender, wire.signal, receiver, wire.slot, wire.type);
}

} // namespace

Lumivox5Main::Lumivox5Main(QWidget* parent)
    : Lumivox5Main(0, nullptr, parent)
{
}

Lumivox5Main::Lumivox5Main(int argc, char** argv, QWidget* parent)
    : QMainWindow(parent)
    , ui(nullptr)
    , m_Lumivox5Data(nullptr)
    , m_DataThread(nullptr)
    , m_demoData(nullptr)
    , m_blnProfileLoaded(false)
    , m_blnFirstShowDone(false)
    , m_tmrUpdateAllProjectors(nullptr)
    , m_tmrUpdateDelay(nullptr)
    , m_tmrUpdateMidFlow(nullptr)
    , m_tmrUpdateScheduleList(nullptr)
    , m_tmrStatusMessage(nullptr)
    , m_lblStatus{nullptr, nullptr, nullptr}
    , m_blnGroupTreeActive(false)
    , m_pFormMailSettings(nullptr)
    , m_trayIcon(nullptr)
    , m_trayIconMenu(nullptr)
{
    ui = new Ui_Lumivox5Main;
    // Without a command line of its own the window takes the application's.
    QList<QByteArray> texts;
    std::vector<char*> arguments;
    if (argv == nullptr) {
        for (const QString& argument : QCoreApplication::arguments())
            texts.append(argument.toLocal8Bit());
        for (QByteArray& text : texts)
            arguments.push_back(text.data());
        arguments.push_back(nullptr);
        argc = int(texts.size());
        argv = arguments.data();
    }
    RunTraced([&] { f_Construct(argc, argv); });
}

void Lumivox5Main::f_Construct(int argc, char** argv)
{
    m_Lumivox5Data = new CLumivox5Data(argc, argv, this);
    if (m_Lumivox5Data->m_LanguageCodeTable.m_TranslatorReady && m_Lumivox5Data->m_LanguageCodeTable.m_pTranslator)
        QCoreApplication::installTranslator(m_Lumivox5Data->m_LanguageCodeTable.m_pTranslator);

    m_blnProfileLoaded = m_Lumivox5Data->InitializeAfterReadProfile();
    if (!m_blnProfileLoaded)
        return;
    m_pUserListWriter = new CBackgroundWriter(this);

    ui->setupUi(this);
    ui->menuBar->installEventFilter(this);
    ui->mainToolBar->installEventFilter(this);

    ui->treeViewPJListSub->hide();
    ui->tabMain->removeTab(ui->tabMain->indexOf(ui->tabPJList));
    ui->tabMain->removeTab(ui->tabMain->indexOf(ui->tabEventLog));

    ui->treeViewGroup->m_appData = m_Lumivox5Data;
    ui->treeViewSchedule->m_appData = m_Lumivox5Data;
    ui->widgetSearch->hide();

    f_InitializePjListDisplayIndex();
    ui->treeViewPJList->InitializePjListColumn(m_Lumivox5Data->m_pPjListColumnStatus);

    ui->actMenuFileOffline->setVisible(m_Lumivox5Data->m_OfflineMenu);
    ui->actMenuFileOffline->setChecked(m_Lumivox5Data->m_Offline);

    QPalette detail = ui->scrollAreaDetail->palette();
    detail.setBrush(QPalette::Window, QBrush(palette().color(QPalette::Active, QPalette::Base), Qt::SolidPattern));
    ui->scrollAreaDetail->setPalette(detail);
    ui->scrollAreaDetail->setAutoFillBackground(true);

    ui->treeViewGroup->setItemDelegate(new QStyledItemDelegateEx(ui->treeViewGroup));

    f_ConnectViews();

    f_CreateToolBar();
    f_CreateTrayIcon();

    ui->lblSearchResultTitle->hide();
    ui->lblSearchResultCondition->hide();
    ui->treeViewGroup->m_searchTitleLabel = ui->lblSearchResultTitle;
    ui->treeViewGroup->m_searchConditionLabel = ui->lblSearchResultCondition;

    f_UpdateProperty();
    for (QWidget* page : {ui->tabPropertyGeneral, ui->tabPropertyInput, ui->tabPropertyNetwork,
                          ui->tabPropertyVersion})
        ui->tabWidget_2->removeTab(ui->tabWidget_2->indexOf(page));
    ui->tabWidget_2->hide();

    f_LoadScheduleData();

    f_CreateTimers();

    m_DataThread = new CDataFunctions(m_Lumivox5Data);
    m_demoData = new CCreateDemoData(nullptr);
    m_demoData->m_pLumivox5Data = m_Lumivox5Data;
    m_demoData->m_pDataFunctions = m_DataThread;
    f_ConnectEngine();

    f_LoadPlugin();

    f_RequestTransportLogPath(1);
    f_RequestTransportLogEnable(1);
    f_RequestScheduleLogEnable(1);
    f_RequestScheduleChangeLogPath(1);

    f_CreateControls();
    f_UpdateToolbarEnabled();

    if (ui->tabMain->currentWidget() != ui->tabPropery)
        ui->tabMain->setCurrentWidget(ui->tabPropery);

    ui->actMenuViewDetail->setChecked(m_Lumivox5Data->m_MainTabVisible);
    on_actMenuViewDetail_triggered();

    // Maximising first would reach the stored geometry through a late resize.
    showNormal();
}

void Lumivox5Main::f_ConnectViews()
{
    CProjectorTreeView* list = ui->treeViewPJList;
    CGroupTreeView* groups = ui->treeViewGroup;
    ScheduleListView* schedules = ui->treeViewSchedule;
    const Qt::ConnectionType automatic = Qt::AutoConnection;
    const Qt::ConnectionType direct = Qt::DirectConnection;
    const Qt::ConnectionType queued = Qt::QueuedConnection;
    connectAll(this, {
        // menus
        {ui->menuFile, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuFileDropDown()), automatic},
        {ui->menuFileImport, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuFileImportDropDown()), automatic},
        {ui->menuView, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuViewDropDown()), automatic},
        {ui->menuTool, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuToolDropDown()), automatic},
        {ui->menuProjector, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuProjectorDropDown()), automatic},
        {ui->menuSchedule, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuScheduleDropDown()), automatic},
        {ui->menuFileShowLog, SIGNAL(aboutToShow()), SLOT(f_UpdateMenuFileShowLogDropDown()), automatic},
        {ui->menuHelp, SIGNAL(aboutToShow()), SLOT(f_On_MenuHelp_hovered()), automatic},
        {ui->menuViewSort, SIGNAL(aboutToShow()), SLOT(f_On_MenuViewSort_hovered()), automatic},
        {ui->menuToolStartProcess, SIGNAL(aboutToShow()), SLOT(f_On_MenuToolStartProcess_hovered()), automatic},
        {ui->menuPJCtrl, SIGNAL(aboutToShow()), SLOT(on_menuPJCtrl_hovered()), automatic},
        {ui->menuPJCtrlPower, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlPower_showDropDown()), automatic},
        {ui->menuPJCtrlSignalSelect, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlSignalSelect_showDropDown()),
         automatic},
        {ui->menuPJCtrlFreeze, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlFreeze_showDropDown()), automatic},
        {ui->menuPJCtrlPictureMute, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlPictureMute_showDropDown()),
         automatic},
        {ui->menuPJCtrlSoundMute, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlSoundMute_showDropDown()), automatic},
        {ui->menuPJCtrlOSDMute, SIGNAL(aboutToShow()), SLOT(f_On_menuPJCtrlOSDMute_showDropDown()), automatic},
        // projector list
        {list->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
         SLOT(f_On_treeViewPJList_selectionChanged()), automatic},
        {list, SIGNAL(clicked(QModelIndex)), SLOT(f_On_treeViewPJList_selectionChanged()), automatic},
        {list, SIGNAL(f_RequestProjectorCut()), SLOT(ProjectorCut()), direct},
        {list, SIGNAL(f_RequestProjectorCopy()), SLOT(ProjectorCopy()), direct},
        {list, SIGNAL(f_RequestProjectorPaste()), SLOT(ProjectorPaste()), direct},
        {list, SIGNAL(f_RequestProjectorDelete()), SLOT(ProjectorDelete()), direct},
        {list, SIGNAL(f_RequestProperty()), SLOT(on_actMenuPJProperty_triggered()), direct},
        {list, SIGNAL(f_RequestAdjust()), SLOT(on_actMenuPJAdjust_triggered()), direct},
        {list, SIGNAL(f_RequestPowerOn()), SLOT(on_actMenuPJCtrlPowerOn_triggered()), direct},
        {list, SIGNAL(f_RequestPowerOff()), SLOT(on_actMenuPJCtrlPowerOff_triggered()), direct},
        {list, SIGNAL(f_RequestFreezeOn()), SLOT(on_actMenuPJCtrlFreezeOn_triggered()), direct},
        {list, SIGNAL(f_RequestFreezeOff()), SLOT(on_actMenuPJCtrlFreezeOff_triggered()), direct},
        {list, SIGNAL(f_RequestPicMuteOn()), SLOT(on_actMenuPJCtrlPictureMuteOn_triggered()), direct},
        {list, SIGNAL(f_RequestPicMuteOff()), SLOT(on_actMenuPJCtrlPictureMuteOff_triggered()), direct},
        {list, SIGNAL(f_RequestSoundMuteOn()), SLOT(on_actMenuPJCtrlSoundMuteOn_triggered()), direct},
        {list, SIGNAL(f_RequestSoundMuteOff()), SLOT(on_actMenuPJCtrlSoundMuteOff_triggered()), direct},
        {list, SIGNAL(f_RequestOsdMuteOn()), SLOT(on_actMenuPJCtrlOSDMuteOn_triggered()), direct},
        {list, SIGNAL(f_RequestOsdMuteOff()), SLOT(on_actMenuPJCtrlOSDMuteOff_triggered()), direct},
        {list, SIGNAL(f_RequestSignalSelectDropDownCreate(QMenu*)), SLOT(f_MenuSignalSelectDropDownCreate(QMenu*)),
         direct},
        {list, SIGNAL(f_RequestProjectorReName()), SLOT(on_actMenuPJRename_triggered()), direct},
        {list, SIGNAL(f_RequestRefresh()), SLOT(on_actMenuPJRefresh_triggered()), direct},
        {list, SIGNAL(f_RequestShowWeb()), SLOT(on_atcMenuPJWeb_triggered()), direct},
        {list, SIGNAL(f_RequestDropDownShow()), SLOT(f_PJCtxDropDownShow()), direct},
        {list, SIGNAL(f_RequestControlDropDownShow()), SLOT(f_PJCtxControlDropDownShow()), direct},
        {list, SIGNAL(f_RequestPowerDropDownShow()), SLOT(f_PJCtxPowerDropDownShow()), direct},
        {list, SIGNAL(f_RequestFreezeDropDownShow()), SLOT(f_PJCtxFreezeDropDownShow()), direct},
        {list, SIGNAL(f_RequestPictureMuteDropDownShow()), SLOT(f_PJCtxPictureMuteDropDownShow()), direct},
        {list, SIGNAL(f_RequestSoundMuteDropDownShow()), SLOT(f_PJCtxSoundMuteDropDownShow()), direct},
        {list, SIGNAL(f_RequestOSDMuteDropDownShow()), SLOT(f_PJCtxOSDMuteDropDownShow()), direct},
        {list, SIGNAL(f_RequestIsSetProjectorNameEnabled(int, bool&)), SLOT(f_IsSetProjectorNameEnabled(int, bool&)),
         direct},
        {list, SIGNAL(f_RequestRenameEnd(int, QString)), SLOT(f_PJRenameEnd(int, QString)), direct},
        {list, SIGNAL(f_RequestShowMsgBoxWarn(QString)), SLOT(f_ShowMsgBoxWarn(QString)), direct},
        {list, SIGNAL(f_ChangePjListSortConditions()), SLOT(f_OnChangePjListSortConditions()), automatic},
        // schedule list
        {schedules, SIGNAL(f_RequestScheduleEdit()), SLOT(on_actMenuScheduleEdit_triggered()), queued},
        {schedules, SIGNAL(f_RequestScheduleExecute()), SLOT(on_actMenuScheduleExecute_triggered()), queued},
        {schedules, SIGNAL(f_RequestScheduleCancel()), SLOT(on_actMenuScheduleCancel_triggered()), queued},
        {schedules, SIGNAL(f_RequestScheduleSettingNoOperatingDate()),
         SLOT(on_actMenuScheduleSettingNoOperatingDate_triggered()), queued},
        {schedules, SIGNAL(f_RequestScheduleIsInExecution()), SLOT(f_OnScheduleIsInExecution()), automatic},
        {schedules, SIGNAL(f_RequestOfflineStatus()), SLOT(f_OnOfflineStatus()), automatic},
        // group tree: the list is rebuilt before the menus look at it
        {groups->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
         SLOT(f_On_TreeViewAfterSelect()), automatic},
        {groups, SIGNAL(clicked(QModelIndex)), SLOT(onUpdateMenuGroupDropDown()), automatic},
        {groups->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
         SLOT(onUpdateMenuGroupDropDown()), automatic},
        {groups->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
         SLOT(f_UpdateMenuProjectorDropDown()), automatic},
        {groups, SIGNAL(f_RequestChangeGroupName()), SLOT(f_On_TreeViewAfterChangeGroupName()), automatic},
        {groups, SIGNAL(f_RequestProjectorPaste(QString)), SLOT(ProjectorPaste(QString)), direct},
        // the window's own requests run after the current event
        {this, SIGNAL(ShowAllProjectorsSignal()), SLOT(f_ShowAllProjectors()), queued},
        {this, SIGNAL(f_ShowHelpSignal()), SLOT(f_ShowHelp()), queued},
    });
}

void Lumivox5Main::f_CreateTimers()
{
    m_tmrUpdateAllProjectors = new QTimer(this);
    connect(m_tmrUpdateAllProjectors, &QTimer::timeout, this, &Lumivox5Main::f_TmrUpdateAllProjectors_Tick);
    // Always through the setter, so that a saved 0 never leaves a 0 ms timer.
    const COptionSettings options = *m_Lumivox5Data->m_pOptionSettings;
    f_SetUpdateAllProjectorsTimerInterval(options.m_AutoUpdateInterval);

    m_tmrUpdateDelay = new QTimer(this);
    m_tmrUpdateDelay->setInterval(1000);
    m_tmrUpdateDelay->setSingleShot(true);
    connect(m_tmrUpdateDelay, &QTimer::timeout, this, &Lumivox5Main::OnTimerUpdateDelay, Qt::QueuedConnection);

    m_tmrUpdateMidFlow = new QTimer(this);
    m_tmrUpdateMidFlow->setInterval(5000);
    m_tmrUpdateMidFlow->setSingleShot(true);
    connect(m_tmrUpdateMidFlow, &QTimer::timeout, this, &Lumivox5Main::OnTimerUpdateMidFlow, Qt::QueuedConnection);

    m_tmrPassSlice = new QTimer(this);
    m_tmrPassSlice->setInterval(0);
    m_tmrPassSlice->setSingleShot(true);
    connect(m_tmrPassSlice, &QTimer::timeout, this, &Lumivox5Main::f_WritePassSlice);
    // A pass written in slices walks the list's rows by position: rows that
    // came or went between two slices make it walk again from the top,
    // passing over the rows it already wrote, so that none is missed and
    // none written twice however often the list changes.
    if (auto* proxy = qobject_cast<QSortFilterProxyModel*>(ui->treeViewPJList->model())) {
        QAbstractItemModel* rows = proxy->sourceModel();
        const auto restart = [this] {
            if (!m_PassRuns.empty())
                m_PassRuns.front().restart = true;
        };
        connect(rows, &QAbstractItemModel::rowsInserted, this, restart);
        connect(rows, &QAbstractItemModel::rowsRemoved, this, restart);
        connect(rows, &QAbstractItemModel::rowsMoved, this, restart);
        connect(rows, &QAbstractItemModel::modelReset, this, restart);
        connect(rows, &QAbstractItemModel::layoutChanged, this, restart);
    }

    m_tmrUpdateScheduleList = new QTimer(this);
    m_tmrUpdateScheduleList->setInterval(3000);
    connect(m_tmrUpdateScheduleList, &QTimer::timeout, this, &Lumivox5Main::f_OnTimerUpdateScheduleListProc,
            Qt::QueuedConnection);
}

void Lumivox5Main::f_ConnectEngine()
{
    CCommandFunctions* engine = m_Lumivox5Data->m_pCommandFunctions;
    CDeviceAccess* device = m_Lumivox5Data->m_pDeviceAccess;
    CTransportLog* log = m_DataThread->GetTransportLog();
    CSchedule* runner = m_DataThread->GetSchedule();
    const Qt::ConnectionType automatic = Qt::AutoConnection;
    const Qt::ConnectionType queued = Qt::QueuedConnection;

    connectAll(this, {
        {engine, SIGNAL(UpdateTiming(int, int, int, int)), SLOT(OnReceiveUpdateTiming(int, int, int, int)), automatic},
        {engine, SIGNAL(UpdateError(QString, QString, int, int, int, int, int)),
         SLOT(OnReceiveUpdateError(QString, QString, int, int, int, int, int)), automatic},
        {engine, SIGNAL(TransportStateUpdate(int)), SLOT(OnTransportStateUpdate(int)), automatic},
        {runner, SIGNAL(UpdateDate()), SLOT(f_OnDateUpdateProc()), queued},
        {runner, SIGNAL(UpdateScheduleList()), SLOT(f_OnTimerUpdateScheduleList()), automatic},
    });
    // Every exchange with a projector goes into the communication log.
    connectAll(log, {
        {device, SIGNAL(ConnectCompleted(QDateTime, QString, QString, int)),
         SLOT(AddFreeLog(QDateTime, QString, QString, int)), automatic},
        {device, SIGNAL(SendCompleted(QDateTime, QString, QByteArray, int)),
         SLOT(AddTxLog(QDateTime, QString, QByteArray, int)), automatic},
        {device, SIGNAL(Received(QDateTime, QString, QByteArray, int)),
         SLOT(AddRxLog(QDateTime, QString, QByteArray, int)), automatic},
        {device, SIGNAL(DisconnectCompleted(QDateTime, QString, QString, int)),
         SLOT(AddFreeLog(QDateTime, QString, QString, int)), automatic},
    });
    // Results reach the dispatcher after the engine's own handling is done.
    connectAll(m_DataThread, {
        {engine, SIGNAL(Completed(int, int, int, int, int)), SLOT(f_OnCompleted(int, int, int, int, int)), queued},
        {engine, SIGNAL(Error(int, int, int, int, int, int)), SLOT(f_OnError(int, int, int, int, int, int)), queued},
        {engine, SIGNAL(NackReceived(int, int, int, int, int, int)),
         SLOT(f_OnNackReceived(int, int, int, int, int, int)), queued},
        {engine, SIGNAL(Canceled(int, int, int, int, int)), SLOT(f_OnCanceled(int, int, int, int, int)), queued},
    });
    connectAll(this, {
        {m_DataThread, SIGNAL(UpdateTiming(int, int, int, int)), SLOT(OnReceiveUpdateTiming(int, int, int, int)),
         automatic},
        {m_DataThread, SIGNAL(UpdateError(QString, QString, int, int, int, int, int)),
         SLOT(OnReceiveUpdateError(QString, QString, int, int, int, int, int)), automatic},
        {m_DataThread, SIGNAL(ScheduleExecuteWithOffline(int, int, int, int, int, int)),
         SLOT(f_OnScheduleExecuteWithOffline(int, int, int, int, int, int)), queued},
        {m_DataThread, SIGNAL(CompletedMailSignal(CMailSettings::SMTP_RESULT::Enum, bool)),
         SLOT(f_OnCompletedMail(CMailSettings::SMTP_RESULT::Enum, bool)), automatic},
    });
}

void Lumivox5Main::f_CreateControls()
{
    CLumivox5Data* hub = m_Lumivox5Data;
    ui->treeViewPJList->UpdatePjListColumn(false, hub->m_pPjListColumnStatus);
    connect(ui->treeViewPJList, &CProjectorTreeView::f_RequestEditColumns, this, &Lumivox5Main::f_ShowColumnDetail);
    connect(ui->treeViewPJListSub, &CProjectorTreeView::f_RequestEditColumns, this,
            &Lumivox5Main::f_ShowColumnDetail);

    const COptionSettings options = *hub->m_pOptionSettings;
    bool imported = false;
    if (options.m_Import && !options.m_ImportPath.isEmpty()) {
        const int result = f_ImportUserList(options.m_ImportPath, false);
        if (result == 0)
            imported = true;
        else if (result == -2)
            CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"), tr("MainMsgUserListReadErrorMessage"));
        else
            CMessageBoxes::Critical(this, hub, tr("Lumivox5MsgTitle"), tr("UserListMsgImportFailed"));
    }
    if (!imported && hub->LoadUserList() == -2) {
        // The hub has set the rejected file aside; the operator hears of it once.
        CMessageBoxes::Warning(this, hub, tr("Lumivox5MsgTitle"), tr("MainMsgUserListReadErrorMessage"));
    }

    // An import has built the group tree and the list from the list it read.
    if (!imported) {
        f_InitGroupTree();
        f_InitPjList();
        f_PjListColumnCheck();
    }
    f_InitializeUI();

    f_EnableUpdateAllProjectorsTimer(true);

    f_CreateStatusBar();

    m_tmrStatusMessage = new QTimer(this);
    connect(m_tmrStatusMessage, &QTimer::timeout, this, &Lumivox5Main::updateStatusMessage);
    m_tmrStatusMessage->start(500);

    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (hub->m_AutoExecuteSchedule) {
        f_ScheduleExecute(true);
        f_UpdateToolbarEnabled();
    }
}

void Lumivox5Main::f_InitializeUI()
{
    RunTraced([&] {
        QMap<int, CListViewColumnStatus*>* columns = m_Lumivox5Data->m_pPjListColumnStatus;
        auto* model = new QStandardItemModel(0, 6, this);
        QList<int> widths;
        int column = 0;
        for (int id = 0; id < columns->size() && column < 6; ++id) {
            CListViewColumnStatus* status = columns->value(id, nullptr);
            if (!status)
                continue;
            QString title;
            if (id == 3 || id == 4 || id == 13)
                title = QCoreApplication::translate("CLumivox5Data", status->m_Title.toUtf8().constData());
            else if (id > 2)
                continue;
            model->setHorizontalHeaderItem(column++, new QStandardItem(title));
            widths << status->m_Width;
        }
        auto* proxy = new PJDataSortProxyModel(this);
        proxy->setSourceModel(model);
        CProjectorTreeView* sub = ui->treeViewPJListSub;
        sub->setModel(proxy);
        for (int i = 0; i < widths.size(); ++i)
            sub->setColumnWidth(i, widths.at(i));
        sub->setRootIsDecorated(ui->treeViewPJList->rootIsDecorated());
        sub->setAutoScroll(true);
        sub->setSortingEnabled(true);
        sub->setSelectionBehavior(QAbstractItemView::SelectRows);
        sub->setSelectionMode(QAbstractItemView::ExtendedSelection);
        sub->setEditTriggers(QAbstractItemView::NoEditTriggers);
        f_On_UpdateShowDetail();
    });
}

void Lumivox5Main::f_WorkOfflineEnable(bool on)
{
    m_Lumivox5Data->SetOfflineMode(on);
    f_UpdateToolbarEnabled();
}

void Lumivox5Main::on_actMenuFileOffline_triggered(bool checked)
{
    f_WorkOfflineEnable(checked);
}

bool Lumivox5Main::f_OnOfflineStatus()
{
    return m_DataThread ? m_DataThread->f_IsOfflineMode() : false;
}

Lumivox5Main::~Lumivox5Main()
{
    delete m_pFormMailSettings;
    m_pFormMailSettings = nullptr;
    for (QTimer* timer : {m_tmrUpdateAllProjectors, m_tmrUpdateDelay, m_tmrUpdateMidFlow, m_tmrPassSlice,
                          m_tmrUpdateScheduleList, m_tmrStatusMessage}) {
        if (timer) {
            timer->stop();
            timer->disconnect();
        }
    }
    if (m_Lumivox5Data && m_Lumivox5Data->m_pCommandFunctions)
        m_Lumivox5Data->m_pCommandFunctions->disconnect();
    if (m_DataThread) {
        if (m_DataThread->GetSchedule())
            m_DataThread->GetSchedule()->disconnect();
        m_DataThread->disconnect();
    }
    disconnect();

    // A write in flight ends before the hub it reports to goes.
    delete m_pUserListWriter;
    m_pUserListWriter = nullptr;
    delete m_demoData;
    m_demoData = nullptr;
    f_DeletePlugins();
    delete m_DataThread;
    m_DataThread = nullptr;
    if (m_blnProfileLoaded) {
        // The views outlive the hub by a moment: they must not reach it then.
        ui->treeViewGroup->m_appData = nullptr;
        ui->treeViewSchedule->m_appData = nullptr;
    }
    if (m_Lumivox5Data) {
        if (m_Lumivox5Data->m_pDeviceAccess)
            m_Lumivox5Data->m_pDeviceAccess->CancelAll();
        delete m_Lumivox5Data;
        m_Lumivox5Data = nullptr;
    }
    delete ui;
}
