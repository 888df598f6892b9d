#include <QtTest>

#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowSelectionRig.h"
#include "ProfileFlag.h"
#include "RequestRecorder.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

using Rig = MainWindowSelectionRig;

// The profiles the rows give their projectors.
enum class Model {
    Full,          // every function
    NoSoundReport, // every function but reporting the sound mute
    NoFreeze,      // every function but freeze
    PowerOnOnly,
    PowerOffOnly,
    SoundOnOnly,   // reports the sound mute, can only switch it on
    None           // no profile
};

// One selected projector as a row gives it.
struct Given
{
    int connect;
    Model model;
    int power;
    int mute; // picture, sound and on-screen display mute alike
    bool freeze;
};

} // namespace

Q_DECLARE_METATYPE(QList<Given>)

namespace {

// A two-entry drop-down's objects in one place; no menu for the toolbar.
struct Dropdown
{
    QObject* menu;
    QObject* on;
    QObject* off;
};

// A family member in the three places and how it is opened there.
struct Family
{
    std::function<Dropdown(Ui_Lumivox5Main*)> menuBar;
    std::function<Dropdown(CProjectorTreeView*)> context;
    std::function<Dropdown(Lumivox5Main*)> toolBar; // empty: no toolbar drop-down
    std::function<void(Lumivox5Main*)> openMenuBar;
    std::function<void(CProjectorTreeView*)> openContext;
    std::function<void(Lumivox5Main*)> openToolBar;
};

const QMap<QString, Family>& families()
{
    using U = Ui_Lumivox5Main;
    using V = CProjectorTreeView;
    using W = Lumivox5Main;
    static const QMap<QString, Family> table = {
        {"power",
         {[](U* u) { return Dropdown{u->menuPJCtrlPower, u->actMenuPJCtrlPowerOn, u->actMenuPJCtrlPowerOff}; },
          [](V* v) { return Dropdown{v->ctxControlPower, v->ctxControlPowerOn, v->ctxControlPowerOff}; },
          nullptr,
          [](W* w) { emit w->ui->menuPJCtrlPower->aboutToShow(); },
          [](V* v) { emit v->f_RequestPowerDropDownShow(); },
          nullptr}},
        {"picture",
         {[](U* u) {
              return Dropdown{u->menuPJCtrlPictureMute, u->actMenuPJCtrlPictureMuteOn, u->actMenuPJCtrlPictureMuteOff};
          },
          [](V* v) { return Dropdown{v->ctxControlPictureMute, v->ctxControlPictureMuteOn, v->ctxControlPictureMuteOff}; },
          [](W* w) { return Dropdown{nullptr, w->actTBPictureMuteOn, w->actTBPictureMuteOff}; },
          [](W* w) { emit w->ui->menuPJCtrlPictureMute->aboutToShow(); },
          [](V* v) { emit v->f_RequestPictureMuteDropDownShow(); },
          [](W* w) { w->f_On_TBAVMuteShowDropDown(); }}},
        {"sound",
         {[](U* u) {
              return Dropdown{u->menuPJCtrlSoundMute, u->actMenuPJCtrlSoundMuteOn, u->actMenuPJCtrlSoundMuteOff};
          },
          [](V* v) { return Dropdown{v->ctxControlSoundMute, v->ctxControlSoundMuteOn, v->ctxControlSoundMuteOff}; },
          [](W* w) { return Dropdown{nullptr, w->actTBSoundMuteOn, w->actTBSoundMuteOff}; },
          [](W* w) { emit w->ui->menuPJCtrlSoundMute->aboutToShow(); },
          [](V* v) { emit v->f_RequestSoundMuteDropDownShow(); },
          [](W* w) { w->f_On_TBAVMuteShowDropDown(); }}},
        {"osd",
         {[](U* u) { return Dropdown{u->menuPJCtrlOSDMute, u->actMenuPJCtrlOSDMuteOn, u->actMenuPJCtrlOSDMuteOff}; },
          [](V* v) { return Dropdown{v->ctxControlOsdMute, v->ctxControlOsdMuteOn, v->ctxControlOsdMuteOff}; },
          [](W* w) { return Dropdown{nullptr, w->actTBOSDMuteOn, w->actTBOSDMuteOff}; },
          [](W* w) { emit w->ui->menuPJCtrlOSDMute->aboutToShow(); },
          [](V* v) { emit v->f_RequestOSDMuteDropDownShow(); },
          [](W* w) { w->f_On_TBAVMuteShowDropDown(); }}},
        {"freeze",
         {[](U* u) { return Dropdown{u->menuPJCtrlFreeze, u->actMenuPJCtrlFreezeOn, u->actMenuPJCtrlFreezeOff}; },
          [](V* v) { return Dropdown{v->ctxControlFreeze, v->ctxControlFreezeOn, v->ctxControlFreezeOff}; },
          [](W* w) { return Dropdown{nullptr, w->actTBFreezeOn, w->actTBFreezeOff}; },
          [](W* w) { emit w->ui->menuPJCtrlFreeze->aboutToShow(); },
          [](V* v) { emit v->f_RequestFreezeDropDownShow(); },
          [](W* w) { w->f_On_TBFreezeShowDropDown(); }}},
    };
    return table;
}

// "on", "off" or "" for the dotted entry; "none" when an entry has no dot icon at all.
QString dotted(const Rig& rig, const Dropdown& dropdown)
{
    const QString on = rig.dotOf(dropdown.on);
    const QString off = rig.dotOf(dropdown.off);
    if (on == QLatin1String("none") || off == QLatin1String("none"))
        return QStringLiteral("none");
    QStringList marked;
    if (on == QLatin1String("dot"))
        marked << QStringLiteral("on");
    if (off == QLatin1String("dot"))
        marked << QStringLiteral("off");
    return marked.join(' ');
}

QString enabled(const Dropdown& dropdown)
{
    QStringList names;
    if (Rig::isEnabled(dropdown.on))
        names << QStringLiteral("on");
    if (Rig::isEnabled(dropdown.off))
        names << QStringLiteral("off");
    return names.join(' ');
}

// Dots on both entries and a preset enabled state, so that an opening must
// clear what it does not set.
void preset(Lumivox5Main* window, const Dropdown& dropdown, bool on, bool off)
{
    window->f_SetMenuCheckedDot(dropdown.on, true);
    window->f_SetMenuCheckedDot(dropdown.off, true);
    qobject_cast<QAction*>(dropdown.on)->setEnabled(on);
    qobject_cast<QAction*>(dropdown.off)->setEnabled(off);
}

} // namespace

class tst_Lumivox5MainControlDots : public QObject
{
    Q_OBJECT

private:
    CProfile* profileFor(Rig& rig, Model model)
    {
        QList<int> every = Rig::everyFunction();
        switch (model) {
        case Model::Full:
            return rig.profile(every, 1);
        case Model::NoSoundReport:
            every.removeAll(ProfileFlag::ReqSndMuteSts);
            return rig.profile(every, 1);
        case Model::NoFreeze:
            return rig.profile(every, 0);
        case Model::PowerOnOnly:
            return rig.profile({ProfileFlag::ReqPowerSts, ProfileFlag::SetPowerOn});
        case Model::PowerOffOnly:
            return rig.profile({ProfileFlag::ReqPowerSts, ProfileFlag::SetPowerOff});
        case Model::SoundOnOnly:
            return rig.profile({ProfileFlag::ReqSndMuteSts, ProfileFlag::SetSndMuteOn});
        case Model::None:
            break;
        }
        return nullptr;
    }

    // Gives projectors 1, 2, ... the rows' states and selects them.
    void giveAndSelect(Rig& rig, const QList<Given>& given)
    {
        QList<int> ids;
        for (int i = 0; i < given.size(); ++i) {
            const Given& g = given.at(i);
            Rig::State state;
            state.connect = g.connect;
            state.profile = profileFor(rig, g.model);
            state.power = g.power;
            state.pictureMute = g.mute;
            state.soundMute = g.mute;
            state.osdMute = g.mute;
            state.freeze = g.freeze;
            rig.setState(i + 1, state);
            ids << i + 1;
        }
        rig.select(ids);
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    // Dots show a state every selected projector shares; the entries are
    // enabled by what any selected profile allows (freeze's left alone), the
    // sub-menu by what the identified ones allow; alike in the three places.
    void dotsAndEnabling_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QList<Given>>("given");
        QTest::addColumn<QString>("dot");
        QTest::addColumn<QString>("entries"); // enabled entries, both preset enabled
        QTest::addColumn<bool>("subMenu");

        const int on = 3;
        QTest::newRow("sound: all muted") << "sound"
            << QList<Given>{{on, Model::Full, 1, 1, false}, {on, Model::Full, 2, 1, false}, {on, Model::Full, 1, 1, false}}
            << "on" << "on off" << true;
        QTest::newRow("sound: one not muted") << "sound"
            << QList<Given>{{on, Model::Full, 1, 1, false}, {on, Model::Full, 1, 1, false}, {on, Model::Full, 1, 0, false}}
            << "" << "on off" << true;
        QTest::newRow("sound: none muted") << "sound"
            << QList<Given>{{on, Model::Full, 1, 0, false}, {on, Model::Full, 1, 0, false}} << "off" << "on off" << true;
        QTest::newRow("sound: one cannot report it") << "sound"
            << QList<Given>{{on, Model::Full, 1, 1, false}, {on, Model::NoSoundReport, 1, 1, false}}
            << "" << "on off" << true;
        QTest::newRow("sound: only switching on allowed") << "sound"
            << QList<Given>{{on, Model::SoundOnOnly, 1, 1, false}} << "on" << "on" << true;
        QTest::newRow("sound: not identified") << "sound"
            << QList<Given>{{0, Model::Full, 1, 1, false}} << "" << "on off" << false;
        QTest::newRow("power: running 1 and 2") << "power"
            << QList<Given>{{on, Model::Full, 1, 0, false}, {on, Model::Full, 2, 0, false}} << "" << "on off" << true;
        QTest::newRow("power: both 5") << "power"
            << QList<Given>{{on, Model::Full, 5, 0, false}, {on, Model::Full, 5, 0, false}} << "on" << "on off" << true;
        QTest::newRow("power: standby") << "power"
            << QList<Given>{{on, Model::Full, 0, 0, false}} << "off" << "on off" << true;
        QTest::newRow("power: off-only identified, on-only not") << "power"
            << QList<Given>{{on, Model::PowerOffOnly, 1, 0, false}, {0, Model::PowerOnOnly, 1, 0, false}}
            << "" << "on off" << true;
        QTest::newRow("power: no profile") << "power"
            << QList<Given>{{on, Model::None, 1, 0, false}} << "" << "" << false;
        QTest::newRow("picture: standby") << "picture"
            << QList<Given>{{on, Model::Full, 0, 0, false}} << "" << "on off" << true;
        QTest::newRow("picture: all 2") << "picture"
            << QList<Given>{{on, Model::Full, 1, 2, false}, {on, Model::Full, 1, 2, false}} << "" << "on off" << true;
        QTest::newRow("picture: only power offered") << "picture"
            << QList<Given>{{on, Model::PowerOnOnly, 1, 1, false}} << "" << "" << false;
        QTest::newRow("osd: all muted") << "osd"
            << QList<Given>{{on, Model::Full, 1, 1, false}, {on, Model::Full, 3, 1, false}} << "on" << "on off" << true;
        QTest::newRow("osd: standby") << "osd"
            << QList<Given>{{on, Model::Full, 0, 1, false}} << "" << "on off" << true;
        QTest::newRow("freeze: all frozen") << "freeze"
            << QList<Given>{{on, Model::Full, 1, 0, true}, {on, Model::Full, 1, 0, true}} << "on" << "on off" << true;
        QTest::newRow("freeze: none frozen") << "freeze"
            << QList<Given>{{on, Model::Full, 1, 0, false}} << "off" << "on off" << true;
        QTest::newRow("freeze: mixed") << "freeze"
            << QList<Given>{{on, Model::Full, 1, 0, true}, {on, Model::Full, 1, 0, false}} << "" << "on off" << true;
        QTest::newRow("freeze: standby") << "freeze"
            << QList<Given>{{on, Model::Full, 0, 0, true}} << "" << "on off" << true;
        QTest::newRow("freeze: not supported, entries kept") << "freeze"
            << QList<Given>{{on, Model::NoFreeze, 1, 0, true}} << "" << "on off" << false;
    }

    void dotsAndEnabling()
    {
        QFETCH(QString, family);
        QFETCH(QList<Given>, given);
        QFETCH(QString, dot);
        QFETCH(QString, entries);
        QFETCH(bool, subMenu);

        Rig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        Ui_Lumivox5Main* ui = window->ui;
        const Family& member = families()[family];
        giveAndSelect(rig, given);

        // The menu bar.
        const Dropdown bar = member.menuBar(ui);
        preset(window, bar, true, true);
        emit ui->menuPJCtrl->aboutToShow();
        member.openMenuBar(window);
        QCOMPARE(dotted(rig, bar), dot);
        QCOMPARE(enabled(bar), entries);
        QCOMPARE(Rig::isEnabled(bar.menu), subMenu);

        // Both lists' context menus, from the shown list's requests.
        for (CProjectorTreeView* list : {ui->treeViewPJList, ui->treeViewPJListSub})
            preset(window, member.context(list), true, true);
        emit ui->treeViewPJList->f_RequestControlDropDownShow();
        member.openContext(ui->treeViewPJList);
        for (CProjectorTreeView* list : {ui->treeViewPJList, ui->treeViewPJListSub}) {
            const Dropdown context = member.context(list);
            QCOMPARE(dotted(rig, context), dot);
            QCOMPARE(enabled(context), entries);
            QCOMPARE(Rig::isEnabled(context.menu), subMenu);
        }

        if (!member.toolBar)
            return;
        QVERIFY(window->actTBFreezeOn);
        const Dropdown tool = member.toolBar(window);
        preset(window, tool, true, true);
        member.openToolBar(window);
        QCOMPARE(dotted(rig, tool), dot);
        QCOMPARE(enabled(tool), entries);
    }

    // Without a selection every entry is blanked and keeps its enabled state;
    // the sub-menus are disabled instead.
    void anEmptySelectionBlanksAndKeepsEnabling_data()
    {
        QTest::addColumn<QString>("family");
        for (const QString& family : families().keys())
            QTest::newRow(qPrintable(family)) << family;
    }

    void anEmptySelectionBlanksAndKeepsEnabling()
    {
        QFETCH(QString, family);
        Rig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        Ui_Lumivox5Main* ui = window->ui;
        const Family& member = families()[family];
        rig.select({});

        const Dropdown bar = member.menuBar(ui);
        preset(window, bar, true, false);
        emit ui->menuPJCtrl->aboutToShow();
        member.openMenuBar(window);
        QCOMPARE(dotted(rig, bar), QString());
        QCOMPARE(enabled(bar), QStringLiteral("on"));
        QVERIFY(!Rig::isEnabled(bar.menu));

        const Dropdown context = member.context(ui->treeViewPJListSub);
        preset(window, context, false, true);
        member.openContext(ui->treeViewPJList);
        QCOMPARE(dotted(rig, context), QString());
        QCOMPARE(enabled(context), QStringLiteral("off"));
    }

    // The toolbar's arrow menus compute their dots as they open, from the
    // records as they are then.
    void arrowMenusShowFreshDots_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("AV-MUTE") << "AV-MUTE";
        QTest::newRow("Freeze") << "Freeze";
    }

    void arrowMenusShowFreshDots()
    {
        QFETCH(QString, button);
        Rig rig;
        QVERIFY(rig.start());
        Lumivox5Main* window = rig.window.get();
        QAction* action = button == QLatin1String("Freeze") ? window->actTBFreeze : window->actTBAVMute;
        QVERIFY(action && action->menu());
        auto* arrow = qobject_cast<QToolButton*>(window->ui->mainToolBar->widgetForAction(action));
        QVERIFY(arrow);
        const QList<QAction*> entries = action->menu()->actions();

        // The dots of the entries while the menu is up, on then off per pair.
        auto openAndRead = [&] {
            QStringList dots;
            GuiTestSupport::OnNextPopup([&](QWidget* popup) {
                for (QAction* entry : entries)
                    dots << rig.dotOf(entry);
                popup->close();
            });
            arrow->showMenu();
            return dots.join(' ');
        };
        const QString onDotted = button == QLatin1String("Freeze") ? "dot blank" : "dot blank dot blank dot blank";
        const QString offDotted = button == QLatin1String("Freeze") ? "blank dot" : "blank dot blank dot blank dot";

        giveAndSelect(rig, {{3, Model::Full, 1, 1, true}, {3, Model::Full, 1, 1, true}});
        QCOMPARE(openAndRead(), onDotted);
        giveAndSelect(rig, {{3, Model::Full, 1, 0, false}, {3, Model::Full, 1, 0, false}});
        QCOMPARE(openAndRead(), offDotted);
    }

    // Muting the on-screen display turns it off: the entry dotted while the
    // display is muted reads "Off", in the menu bar and the context menu.
    void osdMuteWording()
    {
        Rig rig;
        QVERIFY(rig.start());
        giveAndSelect(rig, {{3, Model::Full, 1, 1, false}});
        Ui_Lumivox5Main* ui = rig.window->ui;
        emit ui->menuPJCtrlOSDMute->aboutToShow();
        emit ui->treeViewPJList->f_RequestOSDMuteDropDownShow();
        for (QAction* muted : {ui->actMenuPJCtrlOSDMuteOn, ui->treeViewPJList->ctxControlOsdMuteOn}) {
            QCOMPARE(rig.dotOf(muted), QStringLiteral("dot"));
            QCOMPARE(muted->text(), QStringLiteral("On-screen Display O&ff"));
        }
        for (QAction* shown : {ui->actMenuPJCtrlOSDMuteOff, ui->treeViewPJList->ctxControlOsdMuteOff})
            QCOMPARE(shown->text(), QStringLiteral("On-screen Display O&n"));
        // Choosing the dotted entry asks for the mute to be switched on.
        RequestRecorder recorder;
        ui->actMenuPJCtrlOSDMuteOn->trigger();
        QCOMPARE(recorder.requests, QStringList{QStringLiteral("6 [1] 1 2 [1] 1 1")});
    }
};

QTEST_MAIN(tst_Lumivox5MainControlDots)
#include "tst_Lumivox5MainControlDots.moc"
