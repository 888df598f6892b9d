// The projector clipboard: cut, copy, paste and delete change group
// membership only; no record is made or removed here.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "ModalBoxes.h"

#include <QItemSelectionModel>

void Lumivox5Main::ProjectorCopy()
{
    RunTraced([&] {
        const QList<int> ids = ui->treeViewPJList->GetPjDataIDList(true);
        if (!ids.isEmpty())
            m_Lumivox5Data->m_PasteProjectorIDs = ids;
    });
}

void Lumivox5Main::ProjectorCut()
{
    f_RemoveSelectedProjectorsFromGroup(true);
}

void Lumivox5Main::ProjectorDelete()
{
    f_RemoveSelectedProjectorsFromGroup(false);
}

void Lumivox5Main::f_RemoveSelectedProjectorsFromGroup(bool cut)
{
    RunTraced([&] {
        CGroupTreeView* tree = ui->treeViewGroup;
        const QModelIndexList nodes = tree->selectionModel()->selectedRows();
        // Only a group has members to take out.
        if (nodes.isEmpty() || !nodes.first().parent().isValid())
            return;
        const QModelIndex node = nodes.first();
        const QList<int> ids = ui->treeViewPJList->GetPjDataIDList(true);
        if (ids.isEmpty())
            return;

        QString text;
        if (ids.size() == 1) {
            CProjectorData* record = m_Lumivox5Data->GetProjectorData(ids.first());
            if (!record)
                return;
            text = tr("MainMsgDeleteSettingsMessage")
                       .arg(record->m_SettingName, record->m_Status[CProjectorData::StProjectorName].ToString());
        } else {
            text = tr("MainMsgDeleteSettingsMessage2").arg(ids.size());
        }
        if (CMessageBoxes::Question(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"), text,
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Cancel)
            return;

        if (cut)
            m_Lumivox5Data->m_PasteProjectorIDs = ids;
        const QString path = tree->GetFullPath(false, node);
        for (int id : ids)
            m_Lumivox5Data->UpdateGroupDataAtDeleteProjector(path, id);
        f_InitPjList();
    });
}

void Lumivox5Main::ProjectorPaste()
{
    RunTraced([&] {
        CGroupTreeView* tree = ui->treeViewGroup;
        const QModelIndexList nodes = tree->selectionModel()->selectedRows();
        if (nodes.size() == 1)
            ProjectorPaste(tree->GetFullPath(true, nodes.first()));
    });
}

// `pathGroup` is a full path, top node first. A drop onto the tree reaches
// here directly, while the dropped ids stand in for the clipboard.
void Lumivox5Main::ProjectorPaste(QString pathGroup)
{
    RunTraced([&] {
        const int separator = pathGroup.indexOf(CGroupTreeView::GROUP_SEPARATOR);
        if (separator < 0 || m_Lumivox5Data->m_PasteProjectorIDs.isEmpty())
            return;
        const int result = m_Lumivox5Data->UpdateGroupDataAtPasteProjector(
            pathGroup.mid(separator + CGroupTreeView::GROUP_SEPARATOR.size()));
        if (result == 0) {
            CGroupTreeView* tree = ui->treeViewGroup;
            const QModelIndexList nodes = tree->selectionModel()->selectedRows();
            // The list shows the pasted group only when it is the selected one.
            if (!nodes.isEmpty() && tree->GetFullPath(true, nodes.first()) == pathGroup)
                f_InitPjList();
        } else if (result == -3) {
            CMessageBoxes::Show(this, m_Lumivox5Data, QMessageBox::Warning, tr("Lumivox5MsgTitle"),
                                tr("MainMsgOverMaxGroupsToRegist").arg(CLumivox5Data::PROJECTOR_GROUP_MAX), QMessageBox::Ok,
                                QMessageBox::Ok);
        }
    });
}

void Lumivox5Main::on_actMenuPJCut_triggered()
{
    ProjectorCut();
}

void Lumivox5Main::on_actMenuPJCopy_triggered()
{
    ProjectorCopy();
}

void Lumivox5Main::on_actMenuPJPaste_triggered()
{
    ProjectorPaste();
}

void Lumivox5Main::on_actMenuPJDelete_triggered()
{
    ProjectorDelete();
}

int Lumivox5Main::f_UpdateTargetList(QList<int>*, QList<bool>*, QMap<int, CProjectorData*>*,
                                     QMap<int, CProjectorData*>*)
{
    return 0;
}
void Lumivox5Main::f_AutoSearchLANShowHelp(QWidget* parent)
{
    f_ShowHelpPage(QStringLiteral("_RESOURCE/html/lan_search.htm"), parent);
}
