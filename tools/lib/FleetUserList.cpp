#include "FleetUserList.h"

#include <QFile>

#include "CFleetSweep.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "COptionSettings.h"
#include "CTestFolders.h"

QStringList FleetUserList::Groups()
{
    return {QStringLiteral("Floor 1"), QStringLiteral("Floor 2"), QStringLiteral("Floor 3")};
}

QList<QHostAddress> FleetUserList::Addresses(const QHostAddress& first, int count)
{
    QList<QHostAddress> addresses;
    for (quint32 ip = first.toIPv4Address(); addresses.size() < count && ip != 0xFFFFFFFFu; ++ip) {
        const QHostAddress address(ip);
        if (CProjectorData::IsIPAdrrCheck(address.toString(), CProjectorData::TYPE_LAN::IP))
            addresses.append(address);
    }
    return addresses;
}

int FleetUserList::Span(const QHostAddress& first, int count)
{
    const QList<QHostAddress> addresses = Addresses(first, count);
    return addresses.isEmpty() ? 0 : int(addresses.last().toIPv4Address() - first.toIPv4Address()) + 1;
}

bool FleetUserList::Write(CLumivox5Data* hub, int count, const QHostAddress& first, quint16 port, QString* error)
{
    const QStringList groups = Groups();
    hub->InitGroupIDUsedList();
    for (const QString& group : groups) {
        if (hub->UpdateGroupDataAtCreateGroup(group) < 0) {
            *error = QStringLiteral("cannot make the group %1").arg(group);
            return false;
        }
    }
    const QList<QHostAddress> addresses = Addresses(first, count);
    if (addresses.size() < count) {
        *error = QStringLiteral("no room for %1 projectors from %2").arg(count).arg(first.toString());
        return false;
    }
    QVector<QList<int>> members(groups.size());
    for (int i = 0; i < count; ++i) {
        CProjectorData* record = hub->AddProjector(QStringLiteral("Projector %1").arg(i + 1), 0,
                                                   CProjectorData::TYPE_LAN::IP, addresses.at(i).toString(),
                                                   QString::number(port), true, QString());
        if (!record) {
            *error = QStringLiteral("cannot add projector %1").arg(i + 1);
            return false;
        }
        members[i % groups.size()].append(record->m_Id);
    }
    for (int g = 0; g < groups.size(); ++g) {
        hub->m_PasteProjectorIDs = members.at(g);
        if (hub->UpdateGroupDataAtPasteProjector(groups.at(g)) != 0) {
            *error = QStringLiteral("cannot fill the group %1").arg(groups.at(g));
            return false;
        }
    }
    hub->m_PasteProjectorIDs.clear();
    // Replaces whatever is there, even a file the hub would refuse to write over.
    QFile::remove(hub->GetDefaultUserListPath());
    const int saved = hub->SaveUserList();
    if (saved != 0) {
        *error = QStringLiteral("the user list was not written (%1)").arg(saved);
        return false;
    }
    return true;
}

bool FleetUserList::PrepareWindowFolders(const CTestFolders& folders, int count, QString* error)
{
    return PrepareFolders(folders, count, QHostAddress(QStringLiteral("10.1.0.1")), 7142, error);
}

bool FleetUserList::EnableAutoUpdate(CLumivox5Data* hub, int minutes, QString* error)
{
    hub->m_pOptionSettings->m_AutoUpdate = true;
    hub->m_pOptionSettings->m_AutoUpdateInterval = minutes;
    *hub->m_pReg->m_pOptionSettings = *hub->m_pOptionSettings;
    // Only the options: no window place or other value is written.
    if (hub->m_pReg->Write(CLumivox5Reg::REG_OPTION)) {
        *error = QStringLiteral("the settings file was not written");
        return false;
    }
    return true;
}

bool FleetUserList::PrepareFolders(const CTestFolders& folders, int count, const QHostAddress& first, quint16 port,
                                   QString* error)
{
    const QString profile = CFleetSweep::FindProfile(QString());
    if (profile.isEmpty() || !QFile::copy(profile, folders.programFolder() + QStringLiteral("/Profile.ini"))) {
        *error = QStringLiteral("Profile.ini not found beside the program");
        return false;
    }
    auto hub = CTestFolders::makeHub();
    return Write(hub.get(), count, first, port, error);
}
