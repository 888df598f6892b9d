// The group tree: rebuild and selection; group commands and renaming.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "ExceptionTrace.h"

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

void Lumivox5Main::f_On_TreeViewAfterChangeGroupName() {}
void Lumivox5Main::on_actMenuGroupCreate_triggered() {}
void Lumivox5Main::on_actMenuGroupDelete_triggered() {}
void Lumivox5Main::on_actMenuGroupRename_triggered() {}
void Lumivox5Main::f_PJRenameEnd(int, QString) {}
