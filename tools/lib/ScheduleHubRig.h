#ifndef SCHEDULEHUBRIG_H
#define SCHEDULEHUBRIG_H

#include "HubTestFolders.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class CLumivox5Data;
class CProfile;
class CProjectorData;
class CScheduleData;
class CScheduleManager;

// A data hub on temporary folders, as the schedule dialogs read it:
// projectors with addresses, setting names and model profiles, groups, and
// the input terminals offered for several models.
class ScheduleHubRig : public HubTestFolders
{
public:
    // One input terminal: its code, name and shown flag.
    struct Terminal {
        int code;
        QString name;
        bool shown;
    };

    ScheduleHubRig();
    ~ScheduleHubRig();

    CLumivox5Data* hub() const { return m_Hub.get(); }

    CProjectorData* addProjector(int id, const QString& address, const QString& settingName, bool enabled = true,
                                 CProfile* profile = nullptr);
    // A group that is not in use stays in the hub's list, as a deleted one does.
    void addGroup(int id, const QString& path, bool inUse = true);
    // A model profile, owned by the rig, whose input terminals are these, in
    // this order of the profile file.
    CProfile* addProfile(const QList<Terminal>& terminals);
    // Replaces the terminals offered for several models, in this file order.
    void setMultipleTerminals(const QList<Terminal>& terminals);

    // `count` schedules keyed 0 to count - 1: weekly on Monday at 09:00 for
    // all projectors, the comment "Event <key + 1>".
    static void fillSchedules(CScheduleManager& schedules, int count);

private:
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::vector<std::unique_ptr<CProfile>> m_Profiles;
};

#endif // SCHEDULEHUBRIG_H
