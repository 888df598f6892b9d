// Files: user list, schedule file, event log, CSV export, log folders.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

#include <QDir>

#include <QFileInfo>

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

void Lumivox5Main::f_ImportUserList() {}
void Lumivox5Main::f_ExportUserList() {}
int Lumivox5Main::f_ImportEventLog(QString, bool)
{
    return 0;
}
void Lumivox5Main::f_ExportEventLog() {}
void Lumivox5Main::f_Export() {}
QString Lumivox5Main::f_GetTransportLogPath()
{
    return QString();
}
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

void Lumivox5Main::f_ShowFolder(QString) {}
void Lumivox5Main::f_ShowTransportLog() {}
void Lumivox5Main::f_ShowScheduleLog() {}

void Lumivox5Main::on_actMenuFileImportPJList_triggered() {}
void Lumivox5Main::on_actMenuFileImportEventLog_triggered() {}
void Lumivox5Main::on_actMenuFileExportCSVFile_triggered() {}
void Lumivox5Main::on_actMenuFileExportPJList_triggered() {}
void Lumivox5Main::on_actMenuFileExportEventLog_triggered() {}
void Lumivox5Main::on_actMenuFileShowLogTransport_triggered() {}
void Lumivox5Main::on_actMenuFileShowLogSchedule_triggered() {}
