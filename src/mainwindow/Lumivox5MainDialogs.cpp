// Settings dialogs, help, about, web page and external applications.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "FormChooseProjectorListColumn.h"
#include "SettingsDialogFrame.h"

#include <memory>
#include <vector>

void Lumivox5Main::f_ShowColumnDetail()
{
    f_UpdatePjListColumn(true);
    // Every copy handed to the chooser is freed here, once: after Default its
    // working list points at the default copies.
    std::vector<std::unique_ptr<CListViewColumnStatus>> copies;
    const auto fill = [&copies](const CListViewColumnStatus::ColumnMap* map, QList<CListViewColumnStatus*>* list) {
        list->clear();
        for (int key = 0; map && key < map->size(); ++key) {
            if (CListViewColumnStatus* record = map->value(key, nullptr)) {
                copies.emplace_back(new CListViewColumnStatus(record));
                list->append(copies.back().get());
            }
        }
    };
    RunSettingsDialog<FormChooseProjectorListColumn>(
        this, m_Lumivox5Data,
        [&](FormChooseProjectorListColumn* dialog) {
            fill(m_Lumivox5Data->m_pPjListColumnStatus, &dialog->m_columnStatusList);
            fill(m_Lumivox5Data->m_pPjListColumnStatusDefault, &dialog->m_defaultColumnStatusList);
        },
        [&](FormChooseProjectorListColumn* dialog) {
            CListViewColumnStatus::ColumnMap* columns = m_Lumivox5Data->m_pPjListColumnStatus;
            CListViewColumnStatus::DeleteColumns(columns);
            for (CListViewColumnStatus* record : qAsConst(dialog->m_columnStatusList))
                CListViewColumnStatus::f_AddPjListColumns(columns, record->m_ID, record->m_Title, record->m_Width,
                                                          record->m_DisplayIndex, record->m_Visible);
            f_UpdatePjListColumn(false);
        });
    f_PjListColumnCheck();
}
void Lumivox5Main::f_ShowMailSettings() {}
void Lumivox5Main::f_ShowOptionSettings() {}
void Lumivox5Main::f_ShowCommunicationSettings() {}
void Lumivox5Main::f_ShowVirtualTimeSetting() {}
void Lumivox5Main::f_ShowStartAppSettings() {}
void Lumivox5Main::f_ShowAbout() {}
void Lumivox5Main::f_ShowHelp() {}
void Lumivox5Main::f_ShowHelpPage(QString, QWidget*) {}
void Lumivox5Main::f_HTMLViewerParentChange(QWidget*) {}
void Lumivox5Main::f_HTMLViewerClosed() {}
void Lumivox5Main::f_ShowWeb() {}

void Lumivox5Main::on_actMenuViewEditColumn_triggered()
{
    f_ShowColumnDetail();
}
void Lumivox5Main::on_actMenuToolMail_triggered() {}
void Lumivox5Main::on_actMenuToolOption_triggered() {}
void Lumivox5Main::on_actMenuToolCommunication_triggered() {}
void Lumivox5Main::on_actMenuToolStartProcessSettings_triggered() {}
void Lumivox5Main::on_actMenuHelpHelp_triggered() {}
void Lumivox5Main::on_actMenuHelpAbout_triggered() {}
void Lumivox5Main::on_actMenuHelpVirtualTime_triggered() {}
void Lumivox5Main::on_actMenuHelpVirtualTimeSetting_triggered() {}
void Lumivox5Main::on_atcMenuPJWeb_triggered() {}
