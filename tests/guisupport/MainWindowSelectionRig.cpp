#include "MainWindowSelectionRig.h"

#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "ProfileFlag.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QtTest>

namespace {

const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=One\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                         "[Setting 002]\nSettingName=Two\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                         "[Setting 003]\nSettingName=Three\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                         "[Setting 004]\nSettingName=Four\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.14\nLanPort=7142\nEnabled=True\nGroupList=2\n"
                         "[Group]\n"
                         "001=\"Floor 1\"\n"
                         "002=\"Floor 2\"\n"
                         "003=\"Empty\"\n";

} // namespace

MainWindowSelectionRig::MainWindowSelectionRig() = default;

MainWindowSelectionRig::~MainWindowSelectionRig()
{
    // The window goes before the profiles its records point at.
    window.reset();
}

bool MainWindowSelectionRig::start(const QStringList& arguments)
{
    if (!fixture.writeProfile(CTestFolders::readFile(QStringLiteral(":/mainwindow/Profile.ini"))) ||
        !fixture.writeUserList(USER_LIST))
        return false;
    window = fixture.makeWindow(arguments);
    return window->m_blnProfileLoaded && selectGroupNode(QStringLiteral("All Projectors"));
}

CProfile* MainWindowSelectionRig::profile(const QList<int>& flags, int freeze)
{
    m_Profiles.emplace_back(new CProfile);
    CProfile* made = m_Profiles.back().get();
    for (bool& flag : made->m_Flags)
        flag = false;
    for (int flag : flags)
        made->m_Flags[flag] = true;
    made->m_FreezeSupported = freeze;
    return made;
}

QList<int> MainWindowSelectionRig::everyFunction()
{
    QList<int> every;
    for (int flag = 0; flag < ProfileFlag::Count; ++flag) {
        if (flag != ProfileFlag::SetFreezeSupported)
            every << flag;
    }
    return every;
}

CProfile* MainWindowSelectionRig::fullProfile()
{
    return profile(everyFunction(), 1);
}

CProjectorData* MainWindowSelectionRig::record(int id) const
{
    return window->m_Lumivox5Data->GetProjectorData(id);
}

void MainWindowSelectionRig::setState(int id, const State& state)
{
    CProjectorData* target = record(id);
    QVERIFY(target);
    target->m_ConnectState = state.connect;
    target->m_Profile = state.profile;
    target->m_Status[CProjectorData::StPowerStatus] = CVariantParameter().FromInt(state.power);
    target->m_Status[CProjectorData::StPictureMute] = CVariantParameter().FromInt(state.pictureMute);
    target->m_Status[CProjectorData::StSoundMute] = CVariantParameter().FromInt(state.soundMute);
    target->m_Status[CProjectorData::StOsdMute] = CVariantParameter().FromInt(state.osdMute);
    target->m_Status[CProjectorData::StFreeze] = CVariantParameter().FromBool(state.freeze);
}

CProjectorTreeView* MainWindowSelectionRig::list() const
{
    return window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
}

CGroupTreeView* MainWindowSelectionRig::tree() const
{
    return window->findChild<CGroupTreeView*>(QStringLiteral("treeViewGroup"));
}

void MainWindowSelectionRig::select(const QList<int>& ids)
{
    MainWindowFixture::selectProjectors(window.get(), ids);
}

QModelIndex MainWindowSelectionRig::groupNode(const QString& name) const
{
    QAbstractItemModel* model = tree()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex top = model->index(row, 0);
        if (top.data().toString() == name)
            return top;
        for (int child = 0; child < model->rowCount(top); ++child) {
            if (model->index(child, 0, top).data().toString() == name)
                return model->index(child, 0, top);
        }
    }
    return QModelIndex();
}

bool MainWindowSelectionRig::selectGroupNode(const QString& name)
{
    CGroupTreeView* tree = this->tree();
    if (name.isEmpty()) {
        tree->selectionModel()->clearSelection();
        return true;
    }
    const QModelIndex index = groupNode(name);
    if (!index.isValid())
        return false;
    tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    emit tree->clicked(index);
    return true;
}

bool MainWindowSelectionRig::focus(QWidget* widget)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return false;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return false;
    widget->setFocus(Qt::OtherFocusReason);
    return widget->hasFocus();
}

qint64 MainWindowSelectionRig::dotKey(bool checked) const
{
    QAction probe(nullptr);
    window->f_SetMenuCheckedDot(&probe, checked);
    return probe.icon().cacheKey();
}

QString MainWindowSelectionRig::dotOf(const QObject* entry) const
{
    QIcon icon;
    if (auto* menu = qobject_cast<const QMenu*>(entry))
        icon = menu->icon();
    else if (auto* action = qobject_cast<const QAction*>(entry))
        icon = action->icon();
    if (icon.cacheKey() == dotKey(true))
        return QStringLiteral("dot");
    if (icon.cacheKey() == dotKey(false))
        return QStringLiteral("blank");
    return QStringLiteral("none");
}

bool MainWindowSelectionRig::isEnabled(const QObject* entry)
{
    if (auto* action = qobject_cast<const QAction*>(entry))
        return action->isEnabled();
    if (auto* widget = qobject_cast<const QWidget*>(entry))
        return widget->isEnabled();
    return false;
}
