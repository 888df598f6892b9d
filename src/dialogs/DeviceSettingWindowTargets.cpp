// Creating, editing, renaming and deleting connection targets.
#include "DeviceSettingWindow.h"
#include "ui_DeviceSettingWindow.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "ClmnSortProxyModel.h"
#include "EditSettingWindow.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "ModalBoxes.h"

#include <QStandardItemModel>

#include <algorithm>
#include <memory>

namespace {

// What the connection editor changes of a target.
void TakeOverEditedConnection(CProjectorData* to, const CProjectorData* from)
{
    to->m_SettingName = from->m_SettingName;
    to->m_DeviceKind = from->m_DeviceKind;
    to->m_AddressType = from->m_AddressType;
    to->m_Address = from->m_Address;
    to->m_Port = from->m_Port;
    to->m_Comment = from->m_Comment;
}

} // namespace

void DeviceSettingWindow::f_CreateNewConnection()
{
    RunTraced([&] {
        if (!m_Lumivox5Data)
            return;
        if (f_TargetCount() >= TARGET_MAX) {
            CMessageBoxes::Critical(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                    tr("CommSettingMsgSettingSettingCountOverMessage"));
            return;
        }
        // The id is only looked at here; it is taken after the editor's OK.
        const int id = m_Lumivox5Data->GetUnusedIDTemp();
        if (id < 0) {
            CMessageBoxes::Critical(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"), tr("CommSettingMsgSettingIDError"));
            return;
        }
        qCDebug(lcDialogs, "■ create temporary pj data add");
        std::unique_ptr<CProjectorData> model(new CProjectorData(m_Lumivox5Data->m_pProfileList, 0));
        model->m_ConnectState = 3;
        // A new target starts as a copy of the selected one's connection.
        const QList<QPair<int, int>> selected = f_SelectedSourceRows();
        if (!selected.isEmpty()) {
            if (CProjectorData* source = f_TempRecord(selected.first().second)) {
                model->m_Comment = source->m_Comment;
                model->m_Address = source->m_Address;
                model->m_Port = source->m_Port;
                model->m_DeviceKind = source->m_DeviceKind;
                if (source->m_DeviceKind == 0)
                    model->m_AddressType = source->m_AddressType;
            }
        }
        model->m_SettingName = m_Lumivox5Data->GetUniqueSettingNameFromTemp(tr("Setting"));
        f_ShowEditSettingWindow(model.get(), id, tr("CommSettingEditTitleNewConnection"));
    });
}

void DeviceSettingWindow::f_CreateEditConnection()
{
    RunTraced([&] {
        const QList<QPair<int, int>> selected = f_SelectedSourceRows();
        if (selected.size() != 1)
            return;
        const int id = selected.first().second;
        if (CProjectorData* record = f_TempRecord(id))
            f_ShowEditSettingWindow(record, id, tr("CommSettingEditTitleEditConnection"));
    });
}

void DeviceSettingWindow::f_ShowEditSettingWindow(CProjectorData* record, int id, QString title)
{
    RunTraced([&] {
        if (!record || !m_Lumivox5Data)
            return;
        // The editor works on a copy: a failed or cancelled run leaves the record alone.
        std::unique_ptr<CProjectorData> copy(record->CopyConnection());
        if (!copy)
            return;
        copy->m_ConnectState = record->m_ConnectState;
        std::unique_ptr<EditSettingWindow> editor(new EditSettingWindow(m_Lumivox5Data, this));
        editor->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
        editor->InitializeData(copy.get(), title);
        emit HTMLViewerParentChangeSignal(editor.get());
        editor->setModal(true);
        const int result = editor->exec();
        emit HTMLViewerParentChangeSignal(this);
        if (result != QDialog::Accepted)
            return;

        CProjectorData* temporary = f_TempRecord(id);
        if (!temporary) {
            qCDebug(lcDialogs, "■ new pj data add");
            auto* added = new CProjectorData(m_Lumivox5Data->m_pProfileList, 0);
            added->m_Enabled = true;
            TakeOverEditedConnection(added, copy.get());
            added->m_NewEntry = true;
            added->m_SectionName = QStringLiteral("Setting %1").arg(id);
            // The temporary map owns the record from here on.
            if (m_Lumivox5Data->AddProjectorTemp(id, added) > 0)
                f_UpdateListViewItem(id, added, true);
            aryNewDatas->insert(id, added);
        } else {
            if (!f_IsConnectDestinationCompare(temporary, copy.get()) || !f_IsOtherSettingCompare(temporary, copy.get()))
                f_MarkAsChanged(id);
            // An edited target is always enabled afterwards.
            temporary->m_Enabled = true;
            TakeOverEditedConnection(temporary, copy.get());
            temporary->m_ConnectState = copy->m_ConnectState;
            f_UpdateListViewItem(id, temporary, true);
        }
        f_UpdateButtonsEnable();
    });
}

void DeviceSettingWindow::f_EditSettingName()
{
    RunTraced([&] {
        const QModelIndexList selected = ui->tvDeviceSettings->selectionModel()->selectedRows(0);
        if (selected.size() != 1)
            return;
        const QModelIndex name = m_pProxy->index(selected.first().row(), 0);
        ui->tvDeviceSettings->edit(name);
        ui->tvDeviceSettings->scrollTo(name, QAbstractItemView::EnsureVisible);
    });
}

QList<QPair<int, int>> DeviceSettingWindow::f_SelectedSourceRows() const
{
    QModelIndexList selected = ui->tvDeviceSettings->selectionModel()->selectedRows(0);
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<QPair<int, int>> rows;
    for (const QModelIndex& index : selected) {
        const int row = m_pProxy->mapToSource(index).row();
        rows.append(qMakePair(row, f_SourceRowId(row)));
    }
    return rows;
}

void DeviceSettingWindow::f_DeleteConnection()
{
    RunTraced([&] {
        QModelIndexList selected = ui->tvDeviceSettings->selectionModel()->selectedRows(0);
        if (selected.isEmpty())
            return;
        std::sort(selected.begin(), selected.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        // Source rows and ids are read now, before the current row moves.
        const QList<QPair<int, int>> targets = f_SelectedSourceRows();

        // A row's name and its address: the Setting column of a LAN target,
        // the Port column (the serial port) of any other.
        const QString lan = tr("DeviceStrLan");
        const auto nameAndAddress = [&](const QModelIndex& index) {
            const int row = index.row();
            const bool isLan = m_pProxy->index(row, 1).data().toString() == lan;
            return qMakePair(m_pProxy->index(row, 0).data().toString(),
                             m_pProxy->index(row, isLan ? 2 : 3).data().toString());
        };
        QString question;
        if (selected.size() == 1) {
            const QPair<QString, QString> entry = nameAndAddress(selected.first());
            question = tr("CommSettingMsgSettingDeleteMessage").arg(entry.first, entry.second);
        } else {
            question = tr("CommSettingMsgSettingDeleteMessage2").arg(selected.size());
            for (int i = 0; i < selected.size() && i < 3; ++i) {
                const QPair<QString, QString> entry = nameAndAddress(selected.at(i));
                question += QStringLiteral("\n%1(%2)").arg(entry.first, entry.second);
            }
            if (selected.size() > 3)
                question += QStringLiteral("...");
        }
        if (CMessageBoxes::Question(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"), question,
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) != QMessageBox::Ok)
            return;

        // The row below the last deleted one becomes current, else the one above the first.
        const int below = selected.last().row() + 1;
        const int above = selected.first().row() - 1;
        QModelIndex next;
        if (below < m_pProxy->rowCount())
            next = m_pProxy->index(below, 0);
        else if (above >= 0)
            next = m_pProxy->index(above, 0);
        ui->tvDeviceSettings->setCurrentIndex(next);
        if (!next.isValid())
            ui->tvDeviceSettings->selectionModel()->clearSelection();
        f_RemoveTargets(targets);
    });
}

void DeviceSettingWindow::f_DeleteAllConnection(bool blenDlg)
{
    RunTraced([&] {
        if (blenDlg &&
            CMessageBoxes::Question(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                    tr("CommSettingMsgSettingAllDeleteMessage"), QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Ok) != QMessageBox::Ok)
            return;
        QList<QPair<int, int>> targets;
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            targets.append(qMakePair(row, f_SourceRowId(row)));
        f_RemoveTargets(targets);
    });
}

void DeviceSettingWindow::f_RemoveTargets(QList<QPair<int, int>> targets)
{
    // Highest source row first, so that the rows still to go keep their numbers.
    std::sort(targets.begin(), targets.end(),
              [](const QPair<int, int>& a, const QPair<int, int>& b) { return a.first > b.first; });
    int runEnd = -1;
    int runStart = -1;
    const auto removeRun = [&] {
        if (runStart >= 0)
            m_pModel->removeRows(runStart, runEnd - runStart + 1);
    };
    for (const QPair<int, int>& target : targets) {
        const int id = target.second;
        if (id > 0 && m_Lumivox5Data) {
            m_Lumivox5Data->DeleteProjectorTemp(id);
            f_MarkAsDeleted(id);
            m_RowItems.remove(id);
        }
        // Neighbouring rows go in one removal.
        if (target.first == runStart - 1) {
            runStart = target.first;
            continue;
        }
        removeRun();
        runStart = runEnd = target.first;
    }
    removeRun();
    f_UpdateButtonsEnable();
}

void DeviceSettingWindow::on_btnNewConnection_clicked()
{
    f_CreateNewConnection();
}

void DeviceSettingWindow::on_btnEdit_clicked()
{
    f_CreateEditConnection();
}

void DeviceSettingWindow::on_btnDelete_clicked()
{
    f_DeleteConnection();
}
