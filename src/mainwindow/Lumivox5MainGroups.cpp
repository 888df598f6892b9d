// The group tree: rebuild and selection; group commands and renaming.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "CVariantParameter.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"
#include "LogCategories.h"

void Lumivox5Main::f_InitGroupTree()
{
    f_ResetGroupTree();
}

void Lumivox5Main::f_ResetGroupTree()
{
    RunTraced([&] { ui->treeViewGroup->ResetGroupTree(m_Lumivox5Data->m_ProjectorGroups); });
}

void Lumivox5Main::f_On_TreeViewAfterSelect()
{
    RunTraced([&] {
        f_InitPjList();
        f_PjListColumnCheck();
        f_UpdateScheduleList();
    });
}

// A group name or a group's members changed: the shown record's groups may
// read differently now. The list itself still holds the same rows.
void Lumivox5Main::f_On_TreeViewAfterChangeGroupName()
{
    RunTraced([&] {
        f_UpdateScheduleList();
        f_UpdateProperty();
    });
}

// The tree carries out the group commands with its own limits and messages.
void Lumivox5Main::on_actMenuGroupCreate_triggered()
{
    RunTraced([&] { ui->treeViewGroup->CreateNewGrpTree(); });
}

void Lumivox5Main::on_actMenuGroupDelete_triggered()
{
    RunTraced([&] { ui->treeViewGroup->DeleteGrpTree(); });
}

void Lumivox5Main::on_actMenuGroupRename_triggered()
{
    RunTraced([&] { ui->treeViewGroup->RenameGrpTree(); });
}

// The list edits the name in place and asks here before it starts.
void Lumivox5Main::on_actMenuPJRename_triggered()
{
    RunTraced([&] { ui->treeViewPJList->ProjectorRename(); });
}

// The projector keeps the name itself: the window only asks it to take the new one.
void Lumivox5Main::f_PJRenameEnd(int dataId, QString newName)
{
    RunTraced([&] {
        qCDebug(lcMainWindow, "call f_PJRenameEnd : dataId = %d, newName = %s", dataId, qPrintable(newName));
        if (!m_Lumivox5Data->GetProjectorData(dataId))
            return;
        QList<int> targets{dataId};
        QList<CVariantParameter> params{CVariantParameter().FromString(newName)};
        SendCommand(93, &params, 1, 2, &targets, true, true);
    });
}

// What the list refuses (a name too long) is told through this box.
void Lumivox5Main::f_ShowMsgBoxWarn(QString text)
{
    RunTraced([&] {
        CMessageBoxes::Show(this, m_Lumivox5Data, QMessageBox::Warning, tr("Lumivox5MsgTitle"), text, QMessageBox::Ok,
                            QMessageBox::Ok);
    });
}
