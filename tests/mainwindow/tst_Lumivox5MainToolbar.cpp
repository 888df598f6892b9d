#include <QtTest>

#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// Two projectors, both identified with every function.
const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=One\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 002]\nSettingName=Two\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n";

QImage picture(const QIcon& icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_Lumivox5MainToolbar : public MainWindowTestBase
{
    Q_OBJECT

private:
    CProfile m_Full;

    QToolBar* bar() const { return m_Window->ui->mainToolBar; }

    void start()
    {
        QVERIFY(m_Fixture->writeUserList(USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
        for (int id : {1, 2}) {
            CProjectorData* record = m_Window->m_Lumivox5Data->GetProjectorData(id);
            QVERIFY(record);
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
            record->m_Profile = &m_Full;
        }
        m_Window->ui->treeViewPJList->selectAll();
        QCOMPARE(m_Window->f_GetSelectedPjDataList().size(), 2);
    }

private slots:
    void initTestCase()
    {
        MainWindowTestBase::initTestCase();
        for (bool& flag : m_Full.m_Flags)
            flag = true;
    }

    void itemsInOrder()
    {
        start();
        // "-" a separator; else icon file and tool tip.
        const QStringList expected{
            "PowerOn32 Power On",
            "PowerOff32 Power Off",
            "PjCtl_MltInpSw32 Signal Select",
            "PjCtl_MltMute32 AV-MUTE",
            "Freeze32 Freeze",
            "Refresh32 Refresh",
            "Stop32 Stop",
            "-",
            "ScheduleEdit32 Schedule Edit",
            "ScheduleExec32 Schedule Execute",
            "ScheduleCancel32 Schedule Cancel",
            "-",
            "MailSetting32 Mail Settings",
            "Option_Device32 Communication Settings",
            "Option32 Option Settings",
            "-",
            "StartApp32 Launch application",
        };
        const QList<QAction*> actions = bar()->actions();
        QCOMPARE(actions.size(), expected.size());
        for (int i = 0; i < actions.size(); ++i) {
            QAction* action = actions.at(i);
            if (expected.at(i) == QLatin1String("-")) {
                QVERIFY2(action->isSeparator(), qPrintable(QString::number(i)));
                continue;
            }
            auto* button = qobject_cast<QToolButton*>(bar()->widgetForAction(action));
            QVERIFY2(button, qPrintable(expected.at(i)));
            const QString icon = expected.at(i).section(' ', 0, 0);
            const QString tip = expected.at(i).section(' ', 1);
            QCOMPARE(button->toolTip(), tip);
            QVERIFY(button->text().isEmpty());
            QVERIFY(action->text().isEmpty());
            const QImage drawn = picture(QIcon(QStringLiteral(":/icon/ico/%1.ico").arg(icon)), 32);
            QVERIFY2(!drawn.isNull(), qPrintable(icon));
            QCOMPARE(picture(button->icon(), 32), drawn);
            QCOMPARE(button->iconSize(), QSize(32, 32));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
        QVERIFY(!bar()->isMovable());
        QCOMPARE(bar()->iconSize(), QSize(32, 32));
        QCOMPARE(bar()->windowTitle(), QStringLiteral("Toolbar"));
        QCOMPARE(bar()->toolButtonStyle(), Qt::ToolButtonIconOnly);

        // The two menu buttons open on one click; AV-MUTE and Freeze have a
        // main part of their own beside the arrow.
        QCOMPARE(m_Window->btnTBSignalSelect->popupMode(), QToolButton::InstantPopup);
        QCOMPARE(m_Window->btnTBStartApp->popupMode(), QToolButton::InstantPopup);
        for (QAction* split : {m_Window->actTBAVMute, m_Window->actTBFreeze}) {
            auto* button = qobject_cast<QToolButton*>(bar()->widgetForAction(split));
            QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
        }
        const QList<QPair<QAction*, QStringList>> dropDowns{
            {m_Window->actTBAVMute,
             {"Picture Blank On", "Picture Blank Off", "Sound Mute On", "Sound Mute Off", "On-screen Display Off",
              "On-screen Display On"}},
            {m_Window->actTBFreeze, {"Freeze O&n", "Freeze O&ff"}},
        };
        for (const auto& dropDown : dropDowns) {
            QStringList texts;
            for (QAction* entry : dropDown.first->menu()->actions())
                texts << entry->text();
            QCOMPARE(texts, dropDown.second);
        }
    }

    // Each toolbar entry reaches the operation of its menu twin: both record
    // the same requests.
    void entriesReachTheirOperation_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QByteArray>("twin");
        QTest::addColumn<QStringList>("expected");
        const QString targets = QStringLiteral(" 1 2 [1,2] 1 1");
        QTest::newRow("power on") << QByteArray("actTBPowerOn") << QByteArray("on_actMenuPJCtrlPowerOn_triggered")
                                  << QStringList{"2 [1]" + targets};
        QTest::newRow("power off") << QByteArray("actTBPowerOff")
                                   << QByteArray("on_actMenuPJCtrlPowerOff_triggered")
                                   << QStringList{"2 [0]" + targets};
        QTest::newRow("picture blank on") << QByteArray("actTBPictureMuteOn")
                                          << QByteArray("on_actMenuPJCtrlPictureMuteOn_triggered")
                                          << QStringList{"5 [1]" + targets};
        QTest::newRow("picture blank off") << QByteArray("actTBPictureMuteOff")
                                           << QByteArray("on_actMenuPJCtrlPictureMuteOff_triggered")
                                           << QStringList{"5 [0]" + targets};
        QTest::newRow("sound mute on") << QByteArray("actTBSoundMuteOn")
                                       << QByteArray("on_actMenuPJCtrlSoundMuteOn_triggered")
                                       << QStringList{"4 [1]" + targets};
        QTest::newRow("sound mute off") << QByteArray("actTBSoundMuteOff")
                                        << QByteArray("on_actMenuPJCtrlSoundMuteOff_triggered")
                                        << QStringList{"4 [0]" + targets};
        QTest::newRow("display off mutes it") << QByteArray("actTBOSDMuteOn")
                                              << QByteArray("on_actMenuPJCtrlOSDMuteOn_triggered")
                                              << QStringList{"6 [1]" + targets};
        QTest::newRow("display on") << QByteArray("actTBOSDMuteOff")
                                    << QByteArray("on_actMenuPJCtrlOSDMuteOff_triggered")
                                    << QStringList{"6 [0]" + targets};
        QTest::newRow("freeze on") << QByteArray("actTBFreezeOn") << QByteArray("on_actMenuPJCtrlFreezeOn_triggered")
                                   << QStringList{"7 [1]" + targets};
        QTest::newRow("freeze off") << QByteArray("actTBFreezeOff")
                                    << QByteArray("on_actMenuPJCtrlFreezeOff_triggered")
                                    << QStringList{"7 [2]" + targets};
        QTest::newRow("refresh") << QByteArray("actTBRefresh") << QByteArray("on_actMenuViewRefresh_triggered")
                                 << QStringList{"1 - 0 1 [1,2] 0 0"};
        QTest::newRow("stop") << QByteArray("actTBStop") << QByteArray("on_actMenuViewStop_triggered")
                              << QStringList{"129 - 1 0 [1,2] 1 1"};
        // Main parts: picture, sound and display mute together; freeze toggles.
        QTest::newRow("AV-MUTE") << QByteArray("actTBAVMute") << QByteArray()
                                 << QStringList{"5 [1]" + targets, "4 [1]" + targets, "6 [1]" + targets};
        QTest::newRow("freeze toggle") << QByteArray("actTBFreeze") << QByteArray() << QStringList{"7 [1]" + targets};
    }

    void entriesReachTheirOperation()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QByteArray, twin);
        QFETCH(QStringList, expected);
        start();
        const std::map<QByteArray, QAction*> entries{
            {"actTBPowerOn", m_Window->actTBPowerOn},
            {"actTBPowerOff", m_Window->actTBPowerOff},
            {"actTBPictureMuteOn", m_Window->actTBPictureMuteOn},
            {"actTBPictureMuteOff", m_Window->actTBPictureMuteOff},
            {"actTBSoundMuteOn", m_Window->actTBSoundMuteOn},
            {"actTBSoundMuteOff", m_Window->actTBSoundMuteOff},
            {"actTBOSDMuteOn", m_Window->actTBOSDMuteOn},
            {"actTBOSDMuteOff", m_Window->actTBOSDMuteOff},
            {"actTBFreezeOn", m_Window->actTBFreezeOn},
            {"actTBFreezeOff", m_Window->actTBFreezeOff},
            {"actTBRefresh", m_Window->actTBRefresh},
            {"actTBStop", m_Window->actTBStop},
            {"actTBAVMute", m_Window->actTBAVMute},
            {"actTBFreeze", m_Window->actTBFreeze},
        };
        QAction* action = entries.at(entry);
        ScriptedMessageBoxes boxes;
        QStringList fromToolbar;
        {
            RequestRecorder recorder;
            action->setEnabled(true);
            action->trigger();
            fromToolbar = recorder.requests;
        }
        QCOMPARE(fromToolbar, expected);
        if (!twin.isEmpty()) {
            RequestRecorder recorder;
            QVERIFY(QMetaObject::invokeMethod(m_Window.get(), twin.constData(), Qt::DirectConnection));
            QCOMPARE(recorder.requests, fromToolbar);
        }
    }

    // The Signal Select button fills its menu as it opens, on a single click.
    void signalSelectOpensOnOneClick()
    {
        start();
        m_Window->ui->treeViewPJList->clearSelection();
        QToolButton* button = m_Window->btnTBSignalSelect;
        button->setEnabled(true);
        m_Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Window.get()));
        QStringList shown;
        GuiTestSupport::OnNextPopup([&](QWidget* popup) {
            auto* menu = qobject_cast<QMenu*>(popup);
            QVERIFY(menu);
            for (QAction* entry : menu->actions())
                shown << entry->text();
            menu->close();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        // Nothing selected: the shown common inputs.
        QCOMPARE(shown, (QStringList{"&1. COMPUTER1", "&2. VIDEO", "&3. HDMI1"}));
    }
};

QTEST_MAIN(tst_Lumivox5MainToolbar)
#include "tst_Lumivox5MainToolbar.moc"
