#include "ScheduleHubRig.h"

#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorGroup.h"
#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSectionItemList.h"

namespace {

void FillTerminals(CSectionItemList* list, const QList<ScheduleHubRig::Terminal>& terminals)
{
    list->Clear();
    int entry = 1;
    for (const ScheduleHubRig::Terminal& terminal : terminals)
        list->Add(entry++, terminal.code, terminal.name, false, terminal.shown);
}

} // namespace

ScheduleHubRig::ScheduleHubRig()
{
    writeProfile();
    m_Hub = makeHub();
}

ScheduleHubRig::~ScheduleHubRig()
{
    // The projector records point at the profiles: the hub goes first.
    m_Hub.reset();
}

CProjectorData* ScheduleHubRig::addProjector(int id, const QString& address, const QString& settingName,
                                             bool enabled, CProfile* profile)
{
    CProjectorData* record = m_Hub->f_AddProjectorThread(id);
    record->m_Address = address;
    record->m_SettingName = settingName;
    record->m_Enabled = enabled;
    record->m_Profile = profile;
    return record;
}

void ScheduleHubRig::addGroup(int id, const QString& path, bool inUse)
{
    m_Hub->f_AddProjectorGroups(path, id);
    m_Hub->m_ProjectorGroups->last()->m_InTree = inUse;
}

CProfile* ScheduleHubRig::addProfile(const QList<Terminal>& terminals)
{
    m_Profiles.push_back(std::make_unique<CProfile>());
    FillTerminals(m_Profiles.back()->InputTerminals(), terminals);
    return m_Profiles.back().get();
}

void ScheduleHubRig::setMultipleTerminals(const QList<Terminal>& terminals)
{
    FillTerminals(m_Hub->m_pProfileList->m_MultiTermList, terminals);
}

void ScheduleHubRig::fillSchedules(CScheduleManager& schedules, int count)
{
    CScheduleManager::ScheduleMap& map = schedules.f_GetScheduleMap();
    for (int key = 0; key < count; ++key) {
        CScheduleData* data = new CScheduleData(QDateTime(QDate(2031, 5, 19), QTime(8, 0)));
        data->TargetName = CScheduleTargetText::AllProjectors();
        data->Comment = QStringLiteral("Event %1").arg(key + 1);
        delete map.value(key);
        map.insert(key, data);
    }
}
