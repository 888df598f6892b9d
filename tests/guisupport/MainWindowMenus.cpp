#include "MainWindowMenus.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace MainWindowMenus {

QString EntryName(const QAction* action)
{
    if (action->isSeparator())
        return QStringLiteral("-");
    return action->menu() ? action->menu()->objectName() : action->objectName();
}

QStringList Entries(const QMenu* menu)
{
    QStringList names;
    for (const QAction* action : menu->actions())
        names << EntryName(action);
    return names;
}

void AddRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("entries");
    auto menu = [](const char* name, const char* parent, const char* title, std::initializer_list<const char*> entries) {
        QStringList list;
        for (const char* entry : entries)
            list << QString::fromUtf8(entry);
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(parent) << QString::fromUtf8(title) << list;
    };
    menu("menuFile", "menuBar", "&File", { "actMenuFileOffline", "menuFileImport", "actMenuFileExport", "-", "menuFileShowLog", "-", "actMenuFileExit" });
    menu("menuFileImport", "menuFile", "&Import", { "actMenuFileImportPJList", "actMenuFileImportSchedule", "actMenuFileImportEventLog" });
    menu("actMenuFileExport", "menuFile", "&Export", { "actMenuFileExportCSVFile", "actMenuFileExportPJList", "actMenuFileExportSchedule", "actMenuFileExportEventLog" });
    menu("menuFileShowLog", "menuFile", "&Display log", { "actMenuFileShowLogTransport", "actMenuFileShowLogSchedule", "actMenuFileShowLogEvent" });
    menu("menuView", "menuBar", "&View", { "actMenuViewDetail", "-", "menuViewSort", "actMenuViewEditColumn", "actMenuViewSelectAll", "-", "actMenuViewStop", "actMenuViewRefresh", "actMenuViewRefreshAll", "actMenuViewEventListClear" });
    menu("menuViewSort", "menuView", "S&ort", {  });
    menu("menuTool", "menuBar", "&Tool", { "actMenuToolMail", "actMenuToolOption", "-", "actMenuToolCommunication", "actMenuToolLANAutoSearch", "actMenuToolSerialAutoSearch", "-", "actMenuToolStartProcessSettings", "menuToolStartProcess" });
    menu("menuToolStartProcess", "menuTool", "&Launch application", {  });
    menu("menuGroup", "menuBar", "&Group", { "actMenuGroupCreate", "actMenuGroupDelete", "actMenuGroupRename" });
    menu("menuProjector", "menuBar", "&Projector", { "actMenuPJAdjust", "menuPJCtrl", "actMenuPJRename", "actMenuPJRefresh", "-", "actMenuPJCut", "actMenuPJCopy", "actMenuPJPaste", "actMenuPJDelete", "actMenuPJProperty", "-", "atcMenuPJWeb" });
    menu("menuPJCtrl", "menuProjector", "C&ontrol", { "menuPJCtrlPower", "-", "menuPJCtrlSignalSelect", "-", "menuPJCtrlFreeze", "menuPJCtrlPictureMute", "menuPJCtrlSoundMute", "menuPJCtrlOSDMute" });
    menu("menuPJCtrlPower", "menuPJCtrl", "&Power", { "actMenuPJCtrlPowerOn", "actMenuPJCtrlPowerOff" });
    menu("menuPJCtrlSoundMute", "menuPJCtrl", "So&und Mute", { "actMenuPJCtrlSoundMuteOn", "actMenuPJCtrlSoundMuteOff" });
    menu("menuPJCtrlFreeze", "menuPJCtrl", "&Freeze", { "actMenuPJCtrlFreezeOn", "actMenuPJCtrlFreezeOff" });
    menu("menuPJCtrlPictureMute", "menuPJCtrl", "P&icture Blank", { "actMenuPJCtrlPictureMuteOn", "actMenuPJCtrlPictureMuteOff" });
    menu("menuPJCtrlOSDMute", "menuPJCtrl", "&On-screen Display", { "actMenuPJCtrlOSDMuteOn", "actMenuPJCtrlOSDMuteOff" });
    menu("menuPJCtrlSignalSelect", "menuPJCtrl", "&Signal Select", {  });
    menu("menuSchedule", "menuBar", "&Schedule", { "actMenuScheduleEdit", "actMenuScheduleExecute", "actMenuScheduleCancel", "-", "actMenuScheduleSettingNoOperatingDate" });
    menu("menuHelp", "menuBar", "&Help ", { "actMenuHelpHelp", "-", "actMenuHelpAbout", "actMenuHelpVirtualTime", "actMenuHelpVirtualTimeSetting" });
}

} // namespace MainWindowMenus
