// Which projector entries the menu bar, the toolbar and the lists' context
// menus offer for the current selection, and the check dots of the control
// drop-downs. Every pass recomputes from the records as they are now.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "ProfileFlag.h"

#include <QAction>
#include <QMenu>
#include <QStandardItem>
#include <QToolButton>

#include <array>
#include <iterator>

namespace {

using Place = Lumivox5Main::MENU_TYPE;

// What the three places address. One entry may have an object in several
// places; `f_EntryObjects` finds them.
enum class Entry {
    Adjust,
    Property,
    Refresh,
    Rename,
    Cut,
    Copy,
    Paste,
    Delete,
    Control,
    Web,
    ControlPower,
    ControlSignalSelect,
    ControlFreeze,
    ControlPictureMute,
    ControlSoundMute,
    ControlOsdMute,
    PowerOn,
    PowerOff,
    FreezeOn,
    FreezeOff,
    PictureMuteOn,
    PictureMuteOff,
    SoundMuteOn,
    SoundMuteOff,
    OsdMuteOn,
    OsdMuteOff,
    PowerOnButton,
    PowerOffButton,
    AVMuteButton,
    StopButton,
    ListRefresh,
    ScheduleEdit,
    ScheduleExecute,
    ScheduleCancel,
    NoOperatingDate,
    Communication,
    Mail,
    Option,
    StartApp,
    Count
};

using BarObject = QObject* (*)(const Lumivox5Main&);
using ListObject = QObject* (*)(const CProjectorTreeView&);

template <auto Member> QObject* menuBarObject(const Lumivox5Main& window)
{
    return window.ui->*Member;
}

template <auto Member> QObject* toolBarObject(const Lumivox5Main& window)
{
    return window.*Member;
}

template <auto Member> QObject* contextObject(const CProjectorTreeView& list)
{
    return list.*Member;
}

// An entry's objects: the menu bar's, the toolbar's and the context menu's
// (by its text key, found in both projector lists). Null where the place has none.
struct EntryObjects
{
    Entry entry;
    BarObject menuBar;
    BarObject toolBar;
    ListObject context;
};

using U = Ui_Lumivox5Main;
using W = Lumivox5Main;
using V = CProjectorTreeView;

// In the order of `Entry`.
const EntryObjects ENTRY_OBJECTS[] = {
    {Entry::Adjust, menuBarObject<&U::actMenuPJAdjust>, nullptr, contextObject<&V::ctxAdjust>},
    {Entry::Property, menuBarObject<&U::actMenuPJProperty>, nullptr, contextObject<&V::ctxProperty>},
    {Entry::Refresh, menuBarObject<&U::actMenuPJRefresh>, nullptr, contextObject<&V::ctxRefresh>},
    {Entry::Rename, menuBarObject<&U::actMenuPJRename>, nullptr, contextObject<&V::ctxEditPJName>},
    {Entry::Cut, menuBarObject<&U::actMenuPJCut>, nullptr, contextObject<&V::ctxCut>},
    {Entry::Copy, menuBarObject<&U::actMenuPJCopy>, nullptr, contextObject<&V::ctxCopy>},
    {Entry::Paste, menuBarObject<&U::actMenuPJPaste>, nullptr, contextObject<&V::ctxPaste>},
    {Entry::Delete, menuBarObject<&U::actMenuPJDelete>, nullptr, contextObject<&V::ctxDelete>},
    {Entry::Control, menuBarObject<&U::menuPJCtrl>, nullptr, contextObject<&V::ctxControl>},
    {Entry::Web, menuBarObject<&U::atcMenuPJWeb>, nullptr, contextObject<&V::ctxWeb>},
    {Entry::ControlPower, menuBarObject<&U::menuPJCtrlPower>, nullptr, contextObject<&V::ctxControlPower>},
    {Entry::ControlSignalSelect, menuBarObject<&U::menuPJCtrlSignalSelect>, toolBarObject<&W::btnTBSignalSelect>,
     contextObject<&V::ctxControlSignalSelect>},
    {Entry::ControlFreeze, menuBarObject<&U::menuPJCtrlFreeze>, toolBarObject<&W::actTBFreeze>,
     contextObject<&V::ctxControlFreeze>},
    {Entry::ControlPictureMute, menuBarObject<&U::menuPJCtrlPictureMute>, nullptr,
     contextObject<&V::ctxControlPictureMute>},
    {Entry::ControlSoundMute, menuBarObject<&U::menuPJCtrlSoundMute>, nullptr, contextObject<&V::ctxControlSoundMute>},
    {Entry::ControlOsdMute, menuBarObject<&U::menuPJCtrlOSDMute>, nullptr, contextObject<&V::ctxControlOsdMute>},
    {Entry::PowerOn, menuBarObject<&U::actMenuPJCtrlPowerOn>, nullptr, contextObject<&V::ctxControlPowerOn>},
    {Entry::PowerOff, menuBarObject<&U::actMenuPJCtrlPowerOff>, nullptr, contextObject<&V::ctxControlPowerOff>},
    {Entry::FreezeOn, menuBarObject<&U::actMenuPJCtrlFreezeOn>, toolBarObject<&W::actTBFreezeOn>,
     contextObject<&V::ctxControlFreezeOn>},
    {Entry::FreezeOff, menuBarObject<&U::actMenuPJCtrlFreezeOff>, toolBarObject<&W::actTBFreezeOff>,
     contextObject<&V::ctxControlFreezeOff>},
    {Entry::PictureMuteOn, menuBarObject<&U::actMenuPJCtrlPictureMuteOn>, toolBarObject<&W::actTBPictureMuteOn>,
     contextObject<&V::ctxControlPictureMuteOn>},
    {Entry::PictureMuteOff, menuBarObject<&U::actMenuPJCtrlPictureMuteOff>, toolBarObject<&W::actTBPictureMuteOff>,
     contextObject<&V::ctxControlPictureMuteOff>},
    {Entry::SoundMuteOn, menuBarObject<&U::actMenuPJCtrlSoundMuteOn>, toolBarObject<&W::actTBSoundMuteOn>,
     contextObject<&V::ctxControlSoundMuteOn>},
    {Entry::SoundMuteOff, menuBarObject<&U::actMenuPJCtrlSoundMuteOff>, toolBarObject<&W::actTBSoundMuteOff>,
     contextObject<&V::ctxControlSoundMuteOff>},
    {Entry::OsdMuteOn, menuBarObject<&U::actMenuPJCtrlOSDMuteOn>, toolBarObject<&W::actTBOSDMuteOn>,
     contextObject<&V::ctxControlOsdMuteOn>},
    {Entry::OsdMuteOff, menuBarObject<&U::actMenuPJCtrlOSDMuteOff>, toolBarObject<&W::actTBOSDMuteOff>,
     contextObject<&V::ctxControlOsdMuteOff>},
    {Entry::PowerOnButton, nullptr, toolBarObject<&W::actTBPowerOn>, nullptr},
    {Entry::PowerOffButton, nullptr, toolBarObject<&W::actTBPowerOff>, nullptr},
    {Entry::AVMuteButton, nullptr, toolBarObject<&W::actTBAVMute>, nullptr},
    {Entry::StopButton, nullptr, toolBarObject<&W::actTBStop>, nullptr},
    {Entry::ListRefresh, menuBarObject<&U::actMenuViewRefresh>, toolBarObject<&W::actTBRefresh>, nullptr},
    {Entry::ScheduleEdit, menuBarObject<&U::actMenuScheduleEdit>, toolBarObject<&W::actTBScheduleEdit>, nullptr},
    {Entry::ScheduleExecute, menuBarObject<&U::actMenuScheduleExecute>, toolBarObject<&W::actTBScheduleStart>,
     nullptr},
    {Entry::ScheduleCancel, menuBarObject<&U::actMenuScheduleCancel>, toolBarObject<&W::actTBScheduleCancel>,
     nullptr},
    {Entry::NoOperatingDate, menuBarObject<&U::actMenuScheduleSettingNoOperatingDate>, nullptr, nullptr},
    {Entry::Communication, menuBarObject<&U::actMenuToolCommunication>, toolBarObject<&W::actTBCommunication>,
     nullptr},
    {Entry::Mail, menuBarObject<&U::actMenuToolMail>, toolBarObject<&W::actTBMail>, nullptr},
    {Entry::Option, menuBarObject<&U::actMenuToolOption>, toolBarObject<&W::actTBOption>, nullptr},
    {Entry::StartApp, nullptr, toolBarObject<&W::btnTBStartApp>, nullptr},
};
static_assert(std::size(ENTRY_OBJECTS) == size_t(Entry::Count), "one row per entry");

// At most two objects: the context menu's entry lives in both lists.
using Objects = std::array<QObject*, 2>;

Objects f_EntryObjects(const Lumivox5Main& window, Entry entry, Place::Enum place)
{
    const EntryObjects& row = ENTRY_OBJECTS[int(entry)];
    Q_ASSERT(row.entry == entry);
    switch (place) {
    case Place::MAIN_MENU:
        return {row.menuBar ? row.menuBar(window) : nullptr, nullptr};
    case Place::TOOL_BAR:
        // The toolbar's members stay null until the toolbar is built.
        return {row.toolBar ? row.toolBar(window) : nullptr, nullptr};
    case Place::CONTEXT_MENU:
        if (!row.context)
            return {nullptr, nullptr};
        return {row.context(*window.ui->treeViewPJList), row.context(*window.ui->treeViewPJListSub)};
    }
    return {nullptr, nullptr};
}

void setObjectEnabled(QObject* object, bool enabled)
{
    if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(enabled); // a sub-menu takes its entry in the parent menu along
}

void enableEntry(const Lumivox5Main& window, Entry entry, Place::Enum place, bool enabled)
{
    for (QObject* object : f_EntryObjects(window, entry, place)) {
        if (object)
            setObjectEnabled(object, enabled);
    }
}

// Whether a profile offers a function; freeze support is a count of its own.
bool profileHas(const CProfile* profile, int flag)
{
    if (!profile)
        return false;
    if (flag == ProfileFlag::SetFreezeSupported)
        return profile->m_FreezeSupported != 0;
    return profile->m_Flags[flag];
}

bool isIdentifiedRecord(const CProjectorData* record)
{
    return record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED;
}

// What the identified selected projectors offer, together.
class CapabilitySummary
{
public:
    enum Capability {
        PowerOn,
        PowerOff,
        PictureMuteOn,
        PictureMuteOff,
        SoundMuteOn,
        SoundMuteOff,
        OsdMuteOn,
        OsdMuteOff,
        InputSelection,
        Freeze,
        Count
    };

    explicit CapabilitySummary(const QList<CProjectorData*>& selection)
    {
        static const int FLAGS[Count] = {ProfileFlag::SetPowerOn,    ProfileFlag::SetPowerOff,
                                         ProfileFlag::SetPicMuteOn,  ProfileFlag::SetPicMuteOff,
                                         ProfileFlag::SetSndMuteOn,  ProfileFlag::SetSndMuteOff,
                                         ProfileFlag::SetOsdMuteOn,  ProfileFlag::SetOsdMuteOff,
                                         ProfileFlag::SetInputTerminal, ProfileFlag::SetFreezeSupported};
        const unsigned all = (1u << Count) - 1;
        for (const CProjectorData* record : selection) {
            if (!isIdentifiedRecord(record) || !record->m_Profile)
                continue;
            for (int capability = 0; capability < Count; ++capability) {
                if (profileHas(record->m_Profile, FLAGS[capability]))
                    m_Bits |= 1u << capability;
            }
            if (m_Bits == all)
                break;
        }
    }

    bool has(Capability capability) const { return m_Bits & (1u << capability); }
    bool either(Capability on, Capability off) const { return has(on) || has(off); }
    bool any() const { return m_Bits != 0; }
    bool anyMute() const
    {
        return either(PictureMuteOn, PictureMuteOff) || either(SoundMuteOn, SoundMuteOff) ||
               either(OsdMuteOn, OsdMuteOff);
    }

private:
    unsigned m_Bits = 0;
};
using Cap = CapabilitySummary;

// Everything the enabling rules of the projector entries read.
struct Situation
{
    QList<CProjectorData*> selection;
    CapabilitySummary capabilities;
    bool groupItemSelected;
    bool topItemSelected;
    bool groupTreeActive;
    bool listsFocused;
    bool groupTreeFocused;
    bool clipboardFilled;
    bool renameAvailable;

    bool selected() const { return !selection.isEmpty(); }
    // The browser entry: one identified projector on the LAN.
    bool webAvailable() const
    {
        return selection.size() == 1 && isIdentifiedRecord(selection.first()) && selection.first()->m_DeviceKind == 0;
    }
};

struct EnablingRule
{
    Entry entry;
    bool (*enabled)(const Situation&);
};

const EnablingRule MENU_BAR_RULES[] = {
    {Entry::Adjust, [](const Situation&) { return true; }},
    {Entry::Property, [](const Situation&) { return true; }},
    {Entry::Refresh, [](const Situation& s) { return s.selected(); }},
    {Entry::Rename, [](const Situation& s) { return s.renameAvailable; }},
    {Entry::Cut, [](const Situation& s) { return !s.groupTreeActive && s.groupItemSelected && s.selected(); }},
    {Entry::Delete, [](const Situation& s) { return !s.groupTreeActive && s.groupItemSelected && s.selected(); }},
    {Entry::Copy, [](const Situation& s) { return !s.groupTreeActive && s.selected(); }},
    {Entry::Paste, [](const Situation& s) { return !s.topItemSelected && s.clipboardFilled; }},
    {Entry::Control, [](const Situation& s) { return s.selected() && s.capabilities.any(); }},
    {Entry::Web, [](const Situation& s) { return s.webAvailable(); }},
};

const EnablingRule TOOL_BAR_RULES[] = {
    {Entry::PowerOnButton, [](const Situation& s) { return s.capabilities.has(Cap::PowerOn); }},
    {Entry::PowerOffButton, [](const Situation& s) { return s.capabilities.has(Cap::PowerOff); }},
    {Entry::AVMuteButton, [](const Situation& s) { return s.capabilities.anyMute(); }},
    {Entry::ControlFreeze, [](const Situation& s) { return s.capabilities.has(Cap::Freeze); }},
    {Entry::ControlSignalSelect, [](const Situation& s) { return s.capabilities.has(Cap::InputSelection); }},
    {Entry::StopButton, [](const Situation&) { return true; }},
};

const EnablingRule CONTEXT_RULES[] = {
    {Entry::Adjust, [](const Situation&) { return true; }},
    {Entry::Property, [](const Situation&) { return true; }},
    {Entry::Refresh, [](const Situation& s) { return s.selected(); }},
    {Entry::Rename, [](const Situation& s) { return s.renameAvailable; }},
    {Entry::Cut, [](const Situation& s) { return s.listsFocused && s.groupItemSelected && s.selected(); }},
    {Entry::Delete, [](const Situation& s) { return s.listsFocused && s.groupItemSelected && s.selected(); }},
    {Entry::Copy, [](const Situation& s) { return s.selected(); }},
    {Entry::Paste,
     [](const Situation& s) {
         return (s.listsFocused || s.groupTreeFocused) && !s.topItemSelected && s.clipboardFilled;
     }},
    {Entry::Control, [](const Situation& s) { return s.selected() && s.capabilities.any(); }},
    {Entry::Web, [](const Situation& s) { return s.webAvailable(); }},
};

// The control sub-menus, each enabled by what its drop-down can do.
struct SubMenuRule
{
    Entry entry;
    Cap::Capability on;
    Cap::Capability off;
};

const SubMenuRule SUB_MENU_RULES[] = {
    {Entry::ControlPower, Cap::PowerOn, Cap::PowerOff},
    {Entry::ControlSignalSelect, Cap::InputSelection, Cap::InputSelection},
    {Entry::ControlFreeze, Cap::Freeze, Cap::Freeze},
    {Entry::ControlPictureMute, Cap::PictureMuteOn, Cap::PictureMuteOff},
    {Entry::ControlSoundMute, Cap::SoundMuteOn, Cap::SoundMuteOff},
    {Entry::ControlOsdMute, Cap::OsdMuteOn, Cap::OsdMuteOff},
};

// A two-entry control drop-down. The "on" entry is dotted when the shared
// status reads as on, the "off" entry when it reads as off.
struct TwoEntryMember
{
    enum Reading {
        Running, // power: 1 to 5 on, anything else off
        OneZero  // mutes and freeze: 1 on, 0 off, anything else neither
    };
    int status;         // the record's status slot compared
    bool boolStatus;    // the slot holds a bool (freeze)
    Reading reading;
    bool needsPower;    // a projector switched off keeps the dots away
    int reportFlag;     // what the profile must report for a dot
    int onFlag;         // what enables the entries; -1: their enabling is left alone
    int offFlag;
    Entry on;
    Entry off;
};

const TwoEntryMember POWER_MEMBER = {CProjectorData::StPowerStatus, false, TwoEntryMember::Running, false,
                                     ProfileFlag::ReqPowerSts, ProfileFlag::SetPowerOn, ProfileFlag::SetPowerOff,
                                     Entry::PowerOn, Entry::PowerOff};
const TwoEntryMember PICTURE_MUTE_MEMBER = {CProjectorData::StPictureMute, false, TwoEntryMember::OneZero, true,
                                            ProfileFlag::ReqPicMuteSts, ProfileFlag::SetPicMuteOn,
                                            ProfileFlag::SetPicMuteOff, Entry::PictureMuteOn, Entry::PictureMuteOff};
const TwoEntryMember SOUND_MUTE_MEMBER = {CProjectorData::StSoundMute, false, TwoEntryMember::OneZero, true,
                                          ProfileFlag::ReqSndMuteSts, ProfileFlag::SetSndMuteOn,
                                          ProfileFlag::SetSndMuteOff, Entry::SoundMuteOn, Entry::SoundMuteOff};
const TwoEntryMember OSD_MUTE_MEMBER = {CProjectorData::StOsdMute, false, TwoEntryMember::OneZero, true,
                                        ProfileFlag::ReqOsdMuteSts, ProfileFlag::SetOsdMuteOn,
                                        ProfileFlag::SetOsdMuteOff, Entry::OsdMuteOn, Entry::OsdMuteOff};
const TwoEntryMember FREEZE_MEMBER = {CProjectorData::StFreeze, true, TwoEntryMember::OneZero, true,
                                      ProfileFlag::SetFreezeSupported, -1, -1, Entry::FreezeOn, Entry::FreezeOff};

int statusValue(const CProjectorData* record, const TwoEntryMember& member)
{
    const CVariantParameter& value = record->m_Status[member.status];
    return member.boolStatus ? int(value.ToBool()) : value.ToInt();
}

// Blanks both entries, then dots the one matching a state every selected
// projector shares, and enables each entry some selected profile allows.
void f_TwoEntryDropDownOpening(Lumivox5Main& window, const TwoEntryMember& member, Place::Enum place)
{
    const Objects on = f_EntryObjects(window, member.on, place);
    const Objects off = f_EntryObjects(window, member.off, place);
    auto dot = [&](const Objects& objects, bool checked) {
        for (QObject* object : objects) {
            if (object)
                window.f_SetMenuCheckedDot(object, checked);
        }
    };
    dot(on, false);
    dot(off, false);

    const QList<CProjectorData*> selection = window.f_GetSelectedPjDataList();
    if (selection.isEmpty())
        return;

    const bool enabling = member.onFlag >= 0;
    const int reference = statusValue(selection.first(), member);
    bool uniform = true;
    bool onAllowed = false;
    bool offAllowed = false;
    for (const CProjectorData* record : selection) {
        const CProfile* profile = record->m_Profile;
        if (uniform) {
            uniform = isIdentifiedRecord(record) &&
                      (!member.needsPower || record->m_Status[CProjectorData::StPowerStatus].ToInt() != 0) &&
                      profileHas(profile, member.reportFlag) && statusValue(record, member) == reference;
        }
        if (enabling && profile) {
            onAllowed = onAllowed || profileHas(profile, member.onFlag);
            offAllowed = offAllowed || profileHas(profile, member.offFlag);
        }
        if (!uniform && (!enabling || (onAllowed && offAllowed)))
            break;
    }

    if (uniform) {
        if (member.reading == TwoEntryMember::Running) {
            const bool running = reference >= 1 && reference <= 5;
            dot(running ? on : off, true);
        } else if (reference == 1) {
            dot(on, true);
        } else if (reference == 0) {
            dot(off, true);
        }
    }
    if (enabling) {
        enableEntry(window, member.on, place, onAllowed);
        enableEntry(window, member.off, place, offAllowed);
    }
}

} // namespace

void Lumivox5Main::f_UpdateProjectorMenuEnabled(MENU_TYPE::Enum type)
{
    RunTraced([&] {
        const QList<CProjectorData*> selection = f_GetSelectedPjDataList();

        const QAbstractItemModel* rows = ui->treeViewPJList->model();
        const bool listFilled = rows && rows->rowCount() > 0;
        enableEntry(*this, Entry::ListRefresh, MENU_TYPE::MAIN_MENU, listFilled);
        enableEntry(*this, Entry::ListRefresh, MENU_TYPE::TOOL_BAR, listFilled);

        const EnablingRule* begin = nullptr;
        const EnablingRule* end = nullptr;
        switch (type) {
        case MENU_TYPE::MAIN_MENU:
            begin = std::begin(MENU_BAR_RULES);
            end = std::end(MENU_BAR_RULES);
            break;
        case MENU_TYPE::TOOL_BAR:
            begin = std::begin(TOOL_BAR_RULES);
            end = std::end(TOOL_BAR_RULES);
            break;
        case MENU_TYPE::CONTEXT_MENU:
            begin = std::begin(CONTEXT_RULES);
            end = std::end(CONTEXT_RULES);
            break;
        }
        if (!begin)
            return;

        const QStandardItem* groupItem = ui->treeViewGroup->GetSelectedGrpItem();
        const bool isGroup = groupItem && groupItem->index().parent().isValid();
        const Situation situation{selection,
                                  CapabilitySummary(selection),
                                  isGroup,
                                  groupItem && !isGroup,
                                  m_blnGroupTreeActive,
                                  ui->treeViewPJList->hasFocus() || ui->treeViewPJListSub->hasFocus(),
                                  ui->treeViewGroup->hasFocus(),
                                  !m_Lumivox5Data->m_PasteProjectorIDs.isEmpty(),
                                  f_RenameMenuAvailable()};
        for (const EnablingRule* rule = begin; rule != end; ++rule)
            enableEntry(*this, rule->entry, type, rule->enabled(situation));
    });
}

void Lumivox5Main::f_UpdateToolbarEnabled()
{
    RunTraced([&] {
        f_UpdateProjectorMenuEnabled(MENU_TYPE::TOOL_BAR);
        f_UpdateScheduleMenuEnabled(MENU_TYPE::TOOL_BAR);
        const bool running = m_Lumivox5Data->m_ScheduleRunning;
        enableEntry(*this, Entry::Communication, MENU_TYPE::TOOL_BAR, !running);
        for (Entry entry : {Entry::Mail, Entry::Option, Entry::StartApp})
            enableEntry(*this, entry, MENU_TYPE::TOOL_BAR, true);
    });
}

void Lumivox5Main::f_UpdateScheduleMenuEnabled(MENU_TYPE::Enum type)
{
    if (type != MENU_TYPE::MAIN_MENU && type != MENU_TYPE::TOOL_BAR)
        return;
    // Each entry with whether it serves while a schedule runs.
    static const struct
    {
        Entry entry;
        bool whileRunning;
    } SCHEDULE_RULES[] = {{Entry::ScheduleEdit, false},
                          {Entry::ScheduleExecute, false},
                          {Entry::NoOperatingDate, false},
                          {Entry::ScheduleCancel, true}};
    const bool running = m_Lumivox5Data->m_ScheduleRunning;
    for (const auto& rule : SCHEDULE_RULES)
        enableEntry(*this, rule.entry, type, rule.whileRunning == running);
}

bool Lumivox5Main::f_RenameMenuAvailable()
{
    return RunTraced(false, [&] {
        CProjectorTreeView* list = ui->treeViewPJList;
        const QList<int> ids = list->GetPjDataIDList(true);
        if (ids.size() != 1)
            return false;
        const CProjectorData* record = m_Lumivox5Data->GetProjectorData(ids.first());
        if (!record)
            return false;
        if (!isIdentifiedRecord(record) || !profileHas(record->m_Profile, ProfileFlag::SetProjectorName))
            return false;
        if (!list->IsVisibleColumn(list->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME, 0)))
            return false;
        return !m_blnGroupTreeActive;
    });
}

void Lumivox5Main::f_IsSetProjectorNameEnabled(int, bool& enabled)
{
    enabled = f_RenameMenuAvailable();
}

void Lumivox5Main::f_PJCtxDropDownShow()
{
    f_UpdateProjectorMenuEnabled(MENU_TYPE::CONTEXT_MENU);
}

const QIcon& Lumivox5Main::f_DotIcon(bool checked)
{
    QIcon& icon = checked ? m_CheckedDotIcon : m_BlankDotIcon;
    if (icon.isNull())
        icon = QIcon(checked ? QStringLiteral(":/icon/ico/CheckedDot.ico") : QStringLiteral(":/icon/ico/BlankChecked.ico"));
    return icon;
}

void Lumivox5Main::f_SetMenuCheckedDot(QObject* entry, bool checked)
{
    if (auto* menu = qobject_cast<QMenu*>(entry))
        menu->setIcon(f_DotIcon(checked));
    else if (auto* action = qobject_cast<QAction*>(entry))
        action->setIcon(f_DotIcon(checked));
}

void Lumivox5Main::f_MenuPJCtrlDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] {
        if (type == MENU_TYPE::TOOL_BAR)
            return;
        const CapabilitySummary capabilities(f_GetSelectedPjDataList());
        for (const SubMenuRule& rule : SUB_MENU_RULES)
            enableEntry(*this, rule.entry, type, capabilities.either(rule.on, rule.off));
    });
}

void Lumivox5Main::f_MenuPowerDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] { f_TwoEntryDropDownOpening(*this, POWER_MEMBER, type); });
}

void Lumivox5Main::f_MenuPictureMuteDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] { f_TwoEntryDropDownOpening(*this, PICTURE_MUTE_MEMBER, type); });
}

void Lumivox5Main::f_MenuSoundMuteDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] { f_TwoEntryDropDownOpening(*this, SOUND_MUTE_MEMBER, type); });
}

void Lumivox5Main::f_MenuOSDMuteDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] { f_TwoEntryDropDownOpening(*this, OSD_MUTE_MEMBER, type); });
}

void Lumivox5Main::f_MenuFreezeDropDownOpening(MENU_TYPE::Enum type)
{
    RunTraced([&] { f_TwoEntryDropDownOpening(*this, FREEZE_MEMBER, type); });
}

// The slots of the three places.
void Lumivox5Main::on_menuPJCtrl_hovered()
{
    f_MenuPJCtrlDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxControlDropDownShow()
{
    f_MenuPJCtrlDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_menuPJCtrlPower_showDropDown()
{
    f_MenuPowerDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxPowerDropDownShow()
{
    f_MenuPowerDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_menuPJCtrlPictureMute_showDropDown()
{
    f_MenuPictureMuteDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxPictureMuteDropDownShow()
{
    f_MenuPictureMuteDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_menuPJCtrlSoundMute_showDropDown()
{
    f_MenuSoundMuteDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxSoundMuteDropDownShow()
{
    f_MenuSoundMuteDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_menuPJCtrlOSDMute_showDropDown()
{
    f_MenuOSDMuteDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxOSDMuteDropDownShow()
{
    f_MenuOSDMuteDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_TBAVMuteShowDropDown()
{
    f_MenuPictureMuteDropDownOpening(MENU_TYPE::TOOL_BAR);
    f_MenuSoundMuteDropDownOpening(MENU_TYPE::TOOL_BAR);
    f_MenuOSDMuteDropDownOpening(MENU_TYPE::TOOL_BAR);
}

void Lumivox5Main::f_On_menuPJCtrlFreeze_showDropDown()
{
    f_MenuFreezeDropDownOpening(MENU_TYPE::MAIN_MENU);
}

void Lumivox5Main::f_PJCtxFreezeDropDownShow()
{
    f_MenuFreezeDropDownOpening(MENU_TYPE::CONTEXT_MENU);
}

void Lumivox5Main::f_On_TBFreezeShowDropDown()
{
    f_MenuFreezeDropDownOpening(MENU_TYPE::TOOL_BAR);
}
