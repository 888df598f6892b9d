// Files: user list, schedule file, event log, log folders (the CSV export
// has a file of its own).
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

#include "COptionSettings.h"
#include "CIniFileAccess.h"
#include "LogCategories.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

int Lumivox5Main::f_ImportUserList(QString path, bool rememberFolder)
{
    int result = -1;
    RunTraced([&] {
        result = m_Lumivox5Data->LoadUserList(path);
        if (result == 0) {
            // The import stays in use when its copy cannot be written; the
            // operator hears of it, and the exit save tries again.
            const QString target = m_Lumivox5Data->GetDefaultUserListPath();
            const int written = m_Lumivox5Data->ExportUserList(target);
            if (written != 0 && written != 1)
                CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                       tr("MainMsgImportNotKept").arg(QDir::toNativeSeparators(target)));
            if (rememberFolder)
                m_Lumivox5Data->m_PathExportUserList = QFileInfo(path).absolutePath();
        }
        f_ResetGroupTree();
        f_InitPjList();
        f_PjListColumnCheck();
        f_UpdateScheduleList();
    });
    return result;
}

int Lumivox5Main::f_ImportEventLog(QString, bool)
{
    return 0;
}
void Lumivox5Main::f_ExportEventLog() {}
QString Lumivox5Main::f_GetScheduleExecutionHistoryLogPath()
{
    return RunTraced(QString(), [&] {
        const COptionSettings options(*m_Lumivox5Data->m_pOptionSettings);
        const QString folder = options.m_SaveScheduleLogPath;
        return !folder.isEmpty() && QFileInfo::exists(folder) ? folder : QString();
    });
}

bool Lumivox5Main::f_IsScheduleExecutionHistoryLogExists()
{
    return !f_GetScheduleExecutionHistoryLogPath().isEmpty();
}

void Lumivox5Main::on_actMenuFileImportEventLog_triggered() {}
void Lumivox5Main::on_actMenuFileExportEventLog_triggered() {}

namespace {

// Both dialogs of the user list start at "user.lst" in the remembered folder.
QString UserListStartPath(const CLumivox5Data* hub)
{
    return hub->m_PathExportUserList + CLumivox5Data::USERLIST_NAME;
}

// The import filter, and for the export the same with the compatible one after it.
QString UserListFilter(bool withCompatible)
{
    QString filter = Lumivox5Main::tr("UserListFileFilter");
    if (withCompatible)
        filter += QStringLiteral(";;") + Lumivox5Main::tr("UserListFileANSIFilter");
    return filter;
}

} // namespace

void Lumivox5Main::f_ImportUserList()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        const QString title = tr("Lumivox5MsgTitle");
        if (CMessageBoxes::Question(this, hub, title, tr("MainMsgUserListOverWriteMessage"),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
            != QMessageBox::Ok)
            return;
        const QString fileName =
            CFileDialogs::GetOpenFileName(this, hub, QString(), UserListStartPath(hub), UserListFilter(false));
        activateWindow();
        if (fileName.isEmpty())
            return;
        const int result = f_ImportUserList(fileName, true);
        if (result == 0)
            CMessageBoxes::Information(this, hub, title, tr("UserListMsgImportComp"));
        else if (result == -2)
            CMessageBoxes::Critical(this, hub, title, tr("MainMsgUserListReadErrorMessage"));
        else
            CMessageBoxes::Critical(this, hub, title, tr("UserListMsgImportFailed"));
    });
}

void Lumivox5Main::f_ExportUserList()
{
    RunTraced([&] {
        CLumivox5Data* hub = m_Lumivox5Data;
        // One flag from the file dialog until the result has been read.
        CModalDialogFlag modal(hub);
        QString selectedFilter;
        const QString fileName = CFileDialogs::GetSaveFileName(this, hub, QString(), UserListStartPath(hub),
                                                               UserListFilter(true), &selectedFilter);
        activateWindow();
        if (fileName.isEmpty())
            return;
        hub->SaveUserList();
        const QString codePage = selectedFilter.contains(tr("UserListFileANSIFilter"))
                                     ? CIniFileAccess::CODEPAGE_SHIFTJIS
                                     : CIniFileAccess::CODEPAGE_UTF16;
        const int result = hub->ExportUserList(fileName, codePage);
        const QString title = tr("Lumivox5MsgTitle");
        if (result == 0 || result == 1) {
            hub->m_PathExportUserList = QFileInfo(fileName).absolutePath();
            if (result == 0)
                CMessageBoxes::Information(this, hub, title, tr("UserListMsgExportComp"));
            else
                CMessageBoxes::Warning(this, hub, title, tr("UserListMsgExportConvertedError"));
        } else {
            CMessageBoxes::Critical(this, hub, title, tr("UserListMsgExportFailed"));
        }
    });
}

QString Lumivox5Main::f_GetTransportLogPath()
{
    return RunTraced(QString(), [&] {
        const COptionSettings options = *m_Lumivox5Data->m_pOptionSettings;
        return QFileInfo::exists(options.m_SaveLogPath) ? options.m_SaveLogPath : QString();
    });
}

void Lumivox5Main::f_ShowFolder(QString path)
{
    RunTraced([&] {
        if (!QFileInfo::exists(path)) {
            qCDebug(lcMainWindow, "Not exists : %s", qUtf8Printable(path));
            return;
        }
        // The desktop's own handler opens a folder in the file browser and a
        // file in its program; it does not wait for either.
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    });
}

void Lumivox5Main::f_ShowLogFolder(const QString& path, const QString& missingText)
{
    RunTraced([&] {
        if (QFileInfo::exists(path))
            f_ShowFolder(path);
        else
            CMessageBoxes::Warning(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"), missingText);
    });
}

void Lumivox5Main::f_ShowTransportLog()
{
    f_ShowLogFolder(f_GetTransportLogPath(), tr("MainMsgNotExistTransportLogPath"));
}

void Lumivox5Main::f_ShowScheduleLog()
{
    f_ShowLogFolder(f_GetScheduleExecutionHistoryLogPath(), tr("MainMsgNotExistScheduleLogPath"));
}

void Lumivox5Main::on_actMenuFileImportPJList_triggered()
{
    f_ImportUserList();
}

void Lumivox5Main::on_actMenuFileExportCSVFile_triggered()
{
    f_Export();
}

void Lumivox5Main::on_actMenuFileExportPJList_triggered()
{
    f_ExportUserList();
}

void Lumivox5Main::on_actMenuFileShowLogTransport_triggered()
{
    f_ShowTransportLog();
}

void Lumivox5Main::on_actMenuFileShowLogSchedule_triggered()
{
    f_ShowScheduleLog();
}
