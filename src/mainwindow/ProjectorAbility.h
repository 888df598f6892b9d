#ifndef PROJECTORABILITY_H
#define PROJECTORABILITY_H

#include "CProfile.h"
#include "CProjectorData.h"
#include "ProfileFlag.h"

// What the main window asks of a projector before it offers or sends a
// function: whether its model has been identified, and whether its profile
// offers the function.

inline bool isIdentified(const CProjectorData* record)
{
    return record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED;
}

// Freeze support is a count of its own in the profile.
inline bool profileHas(const CProfile* profile, int flag)
{
    if (!profile)
        return false;
    if (flag == ProfileFlag::SetFreezeSupported)
        return profile->m_FreezeSupported != 0;
    return profile->m_Flags[flag];
}

#endif // PROJECTORABILITY_H
