// Adding projectors from the LAN search, and the serial search form.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "ExceptionTrace.h"
#include "FormAutoSearchSerial.h"
#include "ModalBoxes.h"
#include "PJSearch.h"
#include "SettingsDialogFrame.h"

#include <QDir>
#include <QLoggingCategory>

#include <memory>
#include <vector>

Q_LOGGING_CATEGORY(lcLanSearch, "lumivox.mainwindow.lansearch", QtWarningMsg)

namespace {

// Carried in every search request.
const int SEARCH_FLAGS = 0x20;
const char* const SEARCH_PORT = "7142";

} // namespace

void Lumivox5Main::on_actMenuToolLANAutoSearch_triggered()
{
    f_LANAutoSearch();
}

void Lumivox5Main::f_LANAutoSearch()
{
    qCDebug(lcLanSearch, "Call f_LANAutoSearch");
    RunTraced([&] {
        QHostAddress range[2] = {m_LastSearchRange[0], m_LastSearchRange[1]};
        std::unique_ptr<PJSearch> search(new PJSearch);
        connect(search.get(), &PJSearch::ShowHelpSignal, this, &Lumivox5Main::f_AutoSearchLANShowHelp);
        connect(search.get(), &PJSearch::HTMLViewerParentChangeSignal, this,
                &Lumivox5Main::f_HTMLViewerParentChange);
        int result = 0;
        {
            CModalDialogFlag modal(m_Lumivox5Data);
            result = search->SearchDlg(SEARCH_FLAGS, m_SearchInterfaceAddress, m_LastSearchMode, range, this);
        }
        if (result == QDialog::Accepted) {
            std::vector<std::unique_ptr<CProjectorData>> owned;
            QMap<int, CProjectorData*> templates;
            for (const QHostAddress& address : search->GetIpAddress()) {
                const QString text = address.toString();
                qCDebug(lcLanSearch) << "--- Connect IP Address List ---" << text;
                // The user list reader would drop such an address at the next start.
                if (!CProjectorData::IsIPAdrrCheck(text, CProjectorData::TYPE_LAN::IP)) {
                    qCDebug(lcLanSearch) << "not registered, no device address:" << text;
                    continue;
                }
                owned.emplace_back(new CProjectorData(nullptr, 0));
                CProjectorData* record = owned.back().get();
                record->m_SettingName.clear();
                record->m_DeviceKind = 0;
                record->m_AddressType = CProjectorData::TYPE_LAN::IP;
                record->m_Address = text;
                record->m_Port = QString::fromLatin1(SEARCH_PORT);
                record->m_Enabled = true;
                record->m_Comment.clear();
                templates.insert(templates.size(), record);
            }
            f_DirectAddProjector(&templates, true);
        } else {
            qCDebug(lcLanSearch, "cancel");
        }
        search->GetInputAddress(m_LastSearchMode, range);
        m_LastSearchRange[0] = range[0];
        m_LastSearchRange[1] = range[1];
    });
}

int Lumivox5Main::f_DirectAddProjector(QMap<int, CProjectorData*>* datas, bool blnAutoUpdate,
                                       const char* unsavedMessage)
{
    return RunTraced(-1, [&] {
        QMap<int, CProjectorData*> added;
        if (datas) {
            for (auto entry = datas->cbegin(); entry != datas->cend(); ++entry) {
                if (m_Lumivox5Data->f_GetProjectorCount() >= CLumivox5Data::USERLIST_PROJECTOR_MAX) {
                    CMessageBoxes::Critical(this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                                            tr("CommSettingMsgSettingSettingCountOverMessage"));
                    break;
                }
                const CProjectorData* source = entry.value();
                if (!source)
                    continue;
                CProjectorData* record = m_Lumivox5Data->AddProjector(
                    source->m_SettingName, source->m_DeviceKind, source->m_AddressType, source->m_Address,
                    source->m_Port, source->m_Enabled, source->m_Comment);
                if (!record)
                    return -1;
                added.insert(record->m_Id, record);
            }
        }
        if (m_Lumivox5Data->SaveUserList() != 0)
            CMessageBoxes::Warning(
                this, m_Lumivox5Data, tr("Lumivox5MsgTitle"),
                (unsavedMessage ? tr(unsavedMessage) : tr("MainMsgUserListSaveFailed"))
                    .arg(QDir::toNativeSeparators(m_Lumivox5Data->GetDefaultUserListPath())));
        emit ShowAllProjectorsSignal();
        if (blnAutoUpdate)
            f_PJRefresh(&added);
        return 0;
    });
}

void Lumivox5Main::on_actMenuToolSerialAutoSearch_triggered()
{
    RunSettingsDialog<FormAutoSearchSerial>(
        this, m_Lumivox5Data, [](FormAutoSearchSerial*) {}, [](FormAutoSearchSerial*) {});
}
