// The projector list's item context menu and the dispatch of its choices.
#include "CProjectorTreeView.h"

#include "ExceptionTrace.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

typedef QAction* CProjectorTreeView::*TreeActionMember;
typedef QMenu* CProjectorTreeView::*MenuMember;
typedef void (CProjectorTreeView::*ViewSlot)();

const int TOP_LEVEL = -1;
const int NO_ID = -1;
const int RENAME_ID = 21;

// One row per entry, top to bottom; `parent` is the row of the sub-menu the
// entry belongs to. A row without a key is a separator.
struct MenuEntry {
    int parent;
    const char* key;
    TreeActionMember action; // an action, or
    MenuMember menu;     // a sub-menu
    int id;
    ViewSlot aboutToShow; // a sub-menu's
    bool visible;
};

// The request each context action id sends.
struct Request {
    int id;
    void (CProjectorTreeView::*signal)();
};

const Request REQUESTS[] = {
    { 0, &CProjectorTreeView::f_RequestEditColumns },
    { 10, &CProjectorTreeView::f_RequestAdjust },
    { 11, &CProjectorTreeView::f_RequestPowerOn },
    { 12, &CProjectorTreeView::f_RequestPowerOff },
    { 13, &CProjectorTreeView::f_RequestFreezeOn },
    { 14, &CProjectorTreeView::f_RequestFreezeOff },
    { 15, &CProjectorTreeView::f_RequestPicMuteOn },
    { 16, &CProjectorTreeView::f_RequestPicMuteOff },
    { 17, &CProjectorTreeView::f_RequestSoundMuteOn },
    { 18, &CProjectorTreeView::f_RequestSoundMuteOff },
    { 19, &CProjectorTreeView::f_RequestOsdMuteOn },
    { 20, &CProjectorTreeView::f_RequestOsdMuteOff },
    { 21, &CProjectorTreeView::f_RequestProjectorReName },
    { 22, &CProjectorTreeView::f_RequestRefresh },
    { 23, &CProjectorTreeView::f_RequestProjectorCut },
    { 24, &CProjectorTreeView::f_RequestProjectorCopy },
    { 25, &CProjectorTreeView::f_RequestProjectorPaste },
    { 26, &CProjectorTreeView::f_RequestProjectorDelete },
    { 27, &CProjectorTreeView::f_RequestShowWeb },
    { 28, &CProjectorTreeView::f_RequestProperty },
};

} // namespace

void CProjectorTreeView::f_CreateContextMenu()
{
    typedef CProjectorTreeView V;
    // Row numbers in the comments are what `parent` refers to.
    static const MenuEntry entries[] = {
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxAdjust"), &V::ctxAdjust, nullptr, 10, nullptr, false }, // 0
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControl"), nullptr, &V::ctxControl, NO_ID, &V::f_CtxControlAboutToShow, true }, // 1
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPower"), nullptr, &V::ctxControlPower, NO_ID, &V::f_CtxPowerAboutToShow, true }, // 2
        { 2, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPowerOn"), &V::ctxControlPowerOn, nullptr, 11, nullptr, true }, // 3
        { 2, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPowerOff"), &V::ctxControlPowerOff, nullptr, 12, nullptr, true }, // 4
        { 1, nullptr, nullptr, nullptr, NO_ID, nullptr, true }, // 5
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlSignalSelect"), nullptr, &V::ctxControlSignalSelect, NO_ID, &V::f_CtxSignalSelectAboutToShow, true }, // 6
        { 1, nullptr, nullptr, nullptr, NO_ID, nullptr, true }, // 7
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlFreeze"), nullptr, &V::ctxControlFreeze, NO_ID, &V::f_CtxFreezeAboutToShow, true }, // 8
        { 8, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlFreezeOn"), &V::ctxControlFreezeOn, nullptr, 13, nullptr, true }, // 9
        { 8, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlFreezeOff"), &V::ctxControlFreezeOff, nullptr, 14, nullptr, true }, // 10
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPictureMute"), nullptr, &V::ctxControlPictureMute, NO_ID, &V::f_CtxPictureMuteAboutToShow, true }, // 11
        { 11, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPictureMuteOn"), &V::ctxControlPictureMuteOn, nullptr, 15, nullptr, true }, // 12
        { 11, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlPictureMuteOff"), &V::ctxControlPictureMuteOff, nullptr, 16, nullptr, true }, // 13
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlSoundMute"), nullptr, &V::ctxControlSoundMute, NO_ID, &V::f_CtxSoundMuteAboutToShow, true }, // 14
        { 14, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlSoundMuteOn"), &V::ctxControlSoundMuteOn, nullptr, 17, nullptr, true }, // 15
        { 14, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlSoundMuteOff"), &V::ctxControlSoundMuteOff, nullptr, 18, nullptr, true }, // 16
        { 1, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlOsdMute"), nullptr, &V::ctxControlOsdMute, NO_ID, &V::f_CtxOSDMuteAboutToShow, true }, // 17
        { 17, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlOsdMuteOn"), &V::ctxControlOsdMuteOn, nullptr, 19, nullptr, true }, // 18
        { 17, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxControlOsdMuteOff"), &V::ctxControlOsdMuteOff, nullptr, 20, nullptr, true }, // 19
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxEditPJName"), &V::ctxEditPJName, nullptr, 21, nullptr, true }, // 20
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxRefresh"), &V::ctxRefresh, nullptr, 22, nullptr, true }, // 21
        { TOP_LEVEL, nullptr, nullptr, nullptr, NO_ID, nullptr, true }, // 22
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxCut"), &V::ctxCut, nullptr, 23, nullptr, true }, // 23
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxCopy"), &V::ctxCopy, nullptr, 24, nullptr, true }, // 24
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxPaste"), &V::ctxPaste, nullptr, 25, nullptr, true }, // 25
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxDelete"), &V::ctxDelete, nullptr, 26, nullptr, true }, // 26
        { TOP_LEVEL, nullptr, nullptr, nullptr, NO_ID, nullptr, true }, // 27
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxWeb"), &V::ctxWeb, nullptr, 27, nullptr, true }, // 28
        { TOP_LEVEL, QT_TRANSLATE_NOOP("CProjectorTreeView", "ctxProperty"), &V::ctxProperty, nullptr, 28, nullptr, false }, // 29
    };

    m_contextMenu = new QMenu();
    connect(m_contextMenu, &QMenu::aboutToShow, this, &CProjectorTreeView::f_CtxAboutToShow);
    const int count = int(sizeof(entries) / sizeof(entries[0]));
    QVector<QMenu*> menus(count, nullptr);
    for (int row = 0; row < count; ++row) {
        const MenuEntry& entry = entries[row];
        QMenu* parentMenu = entry.parent == TOP_LEVEL ? m_contextMenu : menus.at(entry.parent);
        if (!entry.key) {
            parentMenu->addSeparator();
            continue;
        }
        const QString text = QCoreApplication::translate("CProjectorTreeView", entry.key);
        if (entry.menu) {
            QMenu* menu = parentMenu->addMenu(text);
            menus[row] = menu;
            this->*entry.menu = menu;
            connect(menu, &QMenu::aboutToShow, this, entry.aboutToShow);
            continue;
        }
        QAction* action = parentMenu->addAction(text);
        action->setData(QVariant(entry.id));
        action->setVisible(entry.visible);
        this->*entry.action = action;
        // Rename starts the in-place edit at once, without a round trip.
        if (entry.id == RENAME_ID)
            connect(action, &QAction::triggered, this, &CProjectorTreeView::ProjectorRename);
        else
            connect(action, &QAction::triggered, this, &CProjectorTreeView::f_CtxSendSignal);
    }
}

void CProjectorTreeView::f_CtxSendSignal()
{
    RunTraced([&] {
        const QAction* action = qobject_cast<QAction*>(sender());
        if (!action)
            return;
        bool ok = false;
        const int id = action->data().toInt(&ok);
        if (!ok)
            return;
        for (const Request& request : REQUESTS) {
            if (request.id == id) {
                emit(this->*request.signal)();
                return;
            }
        }
    });
}

void CProjectorTreeView::f_CtxAboutToShow()
{
    emit f_RequestDropDownShow();
}

void CProjectorTreeView::f_CtxControlAboutToShow()
{
    emit f_RequestControlDropDownShow();
}

void CProjectorTreeView::f_CtxPowerAboutToShow()
{
    emit f_RequestPowerDropDownShow();
}

void CProjectorTreeView::f_CtxSignalSelectAboutToShow()
{
    emit f_RequestSignalSelectDropDownCreate(qobject_cast<QMenu*>(sender()));
}

void CProjectorTreeView::f_CtxFreezeAboutToShow()
{
    emit f_RequestFreezeDropDownShow();
}

void CProjectorTreeView::f_CtxPictureMuteAboutToShow()
{
    emit f_RequestPictureMuteDropDownShow();
}

void CProjectorTreeView::f_CtxSoundMuteAboutToShow()
{
    emit f_RequestSoundMuteDropDownShow();
}

void CProjectorTreeView::f_CtxOSDMuteAboutToShow()
{
    emit f_RequestOSDMuteDropDownShow();
}
