#include <QtTest>

#include "CCommandFunctions.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "CSectionItemList.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ui_Lumivox5Main.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

#include <map>
#include <memory>

namespace {

// Three projectors; the test gives them their state.
const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=One\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 002]\nSettingName=Two\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 003]\nSettingName=Three\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=\n";

// One input terminal of a test model: code, name, sub code (0 for none).
struct Terminal
{
    int code;
    QString name;
    int sub;
};

} // namespace

class tst_Lumivox5MainInputMenu : public MainWindowTestBase
{
    Q_OBJECT

private:
    // Test models by name. The shipped profile's common list shows
    // 01H COMPUTER1, 06H VIDEO and 1AH HDMI1 and hides 20H NETWORK.
    std::map<QString, std::unique_ptr<CProfile>> m_Models;
    qint64 m_Dot = 0;
    qint64 m_Blank = 0;

    CLumivox5Data* hub() const { return m_Window->m_Lumivox5Data; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }

    void addModel(const QString& name, const QList<Terminal>& terminals)
    {
        std::unique_ptr<CProfile> profile(new CProfile);
        CSectionItemList* inputs = profile->InputTerminals();
        inputs->Clear();
        int key = 1;
        for (const Terminal& terminal : terminals) {
            if (terminal.sub)
                inputs->Add(key++, terminal.code, terminal.name, terminal.sub, false);
            else
                inputs->Add(key++, terminal.code, terminal.name, false);
        }
        m_Models[name] = std::move(profile);
    }

    void start()
    {
        QVERIFY(m_Fixture->writeUserList(USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
        QAction probe;
        m_Window->f_SetMenuCheckedDot(&probe, true);
        m_Dot = probe.icon().cacheKey();
        m_Window->f_SetMenuCheckedDot(&probe, false);
        m_Blank = probe.icon().cacheKey();
    }

    // Gives projector `id` its state: "model identified state power input",
    // model "-" for none, input in hex; e.g. "plain 1 3 1 6".
    void setRecord(int id, const QString& spec)
    {
        const QStringList parts = spec.split(' ');
        QCOMPARE(parts.size(), 5);
        CProjectorData* record = hub()->GetProjectorData(id);
        QVERIFY(record);
        record->m_Profile = parts.at(0) == QLatin1String("-") ? nullptr : m_Models.at(parts.at(0)).get();
        record->m_EngineFlags[CCommandFunctions::FLAG_IDENTIFIED] = quint8(parts.at(1).toInt());
        record->m_ConnectState = parts.at(2).toInt();
        record->m_Status[CProjectorData::StPowerStatus].FromInt(parts.at(3).toInt());
        record->m_Status[CProjectorData::StInputTerminal].FromInt(parts.at(4).toInt(nullptr, 16));
    }

    void select(const QList<int>& ids)
    {
        MainWindowFixture::selectProjectors(m_Window.get(), ids);
        QCOMPARE(m_Window->f_GetSelectedPjDataList().size(), ids.size());
    }

    // Projectors 1, 2... as the specs say, selected.
    void selectRecords(const QStringList& specs)
    {
        QList<int> ids;
        for (int i = 0; i < specs.size(); ++i) {
            setRecord(i + 1, specs.at(i));
            ids << i + 1;
        }
        select(ids);
    }

    // The menu's entries: text, " *" for the check dot, " (off)" when disabled.
    QStringList entries(QMenu* menu)
    {
        QStringList texts;
        for (QAction* entry : menu->actions()) {
            QString text = entry->text();
            if (!entry->icon().isNull()) {
                const qint64 key = entry->icon().cacheKey();
                if (key == m_Dot)
                    text += QStringLiteral(" *");
                else if (key != m_Blank)
                    text += QStringLiteral(" (other icon)");
            }
            if (!entry->isEnabled())
                text += QStringLiteral(" (off)");
            texts << text;
        }
        return texts;
    }

    QMenu* fillMenuBarMenu()
    {
        m_Window->f_On_menuPJCtrlSignalSelect_showDropDown();
        return m_Window->ui->menuPJCtrlSignalSelect;
    }

private slots:
    void initTestCase()
    {
        MainWindowTestBase::initTestCase();
        addModel(QStringLiteral("plain"), {{0x01, "COMPUTER1", 0}, {0x06, "VIDEO", 0}, {0x1A, "HDMI1", 0}});
        addModel(QStringLiteral("small"), {{0x01, "COMPUTER1", 0}, {0x06, "VIDEO", 0}});
        // Its HDMI terminal answers A1H and stands for the common 1AH as well.
        addModel(QStringLiteral("sub"), {{0x01, "COMPUTER1", 0}, {0xA1, "HDMI-A", 0x1A}, {0x06, "VIDEO", 0}});
        addModel(QStringLiteral("alone"), {{0x30, "DVI", 0}});
    }

    void sourceAndDot_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<bool>("emptyCommon");
        QTest::addColumn<QStringList>("expected");
        const QStringList common{"&1. COMPUTER1", "&2. VIDEO", "&3. HDMI1"};
        QTest::newRow("nothing selected") << QStringList() << false << common;
        QTest::newRow("one identified, on its sub code")
            << QStringList{"sub 1 3 1 1A"} << false << QStringList{"&1. COMPUTER1", "&2. HDMI-A *", "&3. VIDEO"};
        QTest::newRow("one identified, on its code")
            << QStringList{"sub 1 3 2 A1"} << false << QStringList{"&1. COMPUTER1", "&2. HDMI-A *", "&3. VIDEO"};
        QTest::newRow("one identified, standby")
            << QStringList{"sub 1 3 0 1A"} << false << QStringList{"&1. COMPUTER1", "&2. HDMI-A", "&3. VIDEO"};
        QTest::newRow("one identified, not connected")
            << QStringList{"sub 1 0 1 1A"} << false << QStringList{"&1. COMPUTER1", "&2. HDMI-A", "&3. VIDEO"};
        QTest::newRow("one not identified") << QStringList{"- 0 0 0 6"} << false << common;
        QTest::newRow("one not identified, connected and on")
            << QStringList{"- 0 3 1 6"} << false << QStringList{"&1. COMPUTER1", "&2. VIDEO *", "&3. HDMI1"};
        QTest::newRow("one with a profile, flag clear: the priority code")
            << QStringList{"sub 0 3 1 A1"} << false << QStringList{"&1. COMPUTER1", "&2. VIDEO", "&3. HDMI1 *"};
        QTest::newRow("two on one input") << QStringList{"plain 1 3 1 6", "small 1 3 2 6"} << false
                                          << QStringList{"&1. COMPUTER1", "&2. VIDEO *"};
        QTest::newRow("two, one in standby") << QStringList{"plain 1 3 1 6", "plain 1 3 0 6"} << false << common;
        QTest::newRow("two on different inputs") << QStringList{"plain 1 3 1 6", "plain 1 3 1 1"} << false
                                                 << common;
        QTest::newRow("a record without profile does not restrict")
            << QStringList{"small 1 3 1 1", "- 0 0 0 0"} << false << QStringList{"&1. COMPUTER1", "&2. VIDEO"};
        QTest::newRow("sub codes make the common entry available")
            << QStringList{"plain 1 3 1 1A", "sub 1 3 1 A1"} << false
            << QStringList{"&1. COMPUTER1", "&2. VIDEO", "&3. HDMI1 *"};
        QTest::newRow("nothing shared") << QStringList{"plain 1 3 1 1", "alone 1 3 1 30"} << false
                                        << QStringList{"None (off)"};
        QTest::newRow("empty common list") << QStringList() << true << QStringList{"None (off)"};
        QTest::newRow("empty common list, two selected")
            << QStringList{"plain 1 3 1 1", "plain 1 3 1 1"} << true << QStringList{"None (off)"};
        QTest::newRow("empty common list, one identified")
            << QStringList{"small 1 3 1 6"} << true << QStringList{"&1. COMPUTER1", "&2. VIDEO *"};
    }

    void sourceAndDot()
    {
        QFETCH(QStringList, records);
        QFETCH(bool, emptyCommon);
        QFETCH(QStringList, expected);
        start();
        if (emptyCommon)
            hub()->m_pMultiInputTerminalList->Clear();
        selectRecords(records);
        QMenu* menu = fillMenuBarMenu();
        QCOMPARE(entries(menu), expected);
        // Entries belong to the window and carry their input code.
        for (QAction* entry : menu->actions()) {
            QCOMPARE(entry->parent(), m_Window.get());
            QVERIFY(!entry->isCheckable());
            QCOMPARE(entry->data().isValid(), entry->isEnabled());
        }
    }

    // One identified projector of a model with twelve inputs, the common
    // list's hidden one among them.
    void twelveInputsAreNumbered()
    {
        QList<Terminal> terminals;
        for (int i = 1; i <= 12; ++i) {
            if (i == 7)
                terminals.append({0x20, QStringLiteral("NETWORK"), 0});
            else
                terminals.append({0x40 + i, QStringLiteral("IN%1").arg(i), 0});
        }
        addModel(QStringLiteral("twelve"), terminals);
        start();
        setRecord(1, QStringLiteral("twelve 1 3 0 0"));
        select({1});
        QStringList expected;
        for (int i = 0; i < 12; ++i)
            expected << (i < 9 ? QStringLiteral("&%1. %2") : QStringLiteral("%1. %2")).arg(i + 1).arg(terminals.at(i).name);
        QCOMPARE(entries(fillMenuBarMenu()), expected);
    }

    // The three places the menu is offered: the menu bar, the toolbar and the
    // projector list's context menu.
    void everyPlaceIsFilled_data()
    {
        QTest::addColumn<int>("place");
        QTest::newRow("menu bar") << 0;
        QTest::newRow("toolbar") << 1;
        QTest::newRow("context menu") << 2;
    }

    void everyPlaceIsFilled()
    {
        QFETCH(int, place);
        start();
        setRecord(1, QStringLiteral("plain 1 3 1 6"));
        select({1});
        QMenu context;
        QMenu* menu = nullptr;
        if (place == 0) {
            menu = m_Window->ui->menuPJCtrlSignalSelect;
            emit menu->aboutToShow();
        } else if (place == 1) {
            menu = m_Window->btnTBSignalSelect->menu();
            emit menu->aboutToShow();
        } else {
            menu = &context;
            emit list()->f_RequestSignalSelectDropDownCreate(menu);
        }
        QCOMPARE(entries(menu), (QStringList{"&1. COMPUTER1", "&2. VIDEO *", "&3. HDMI1"}));
    }

    void reopeningFreesTheOldEntries()
    {
        start();
        QMenu* menu = fillMenuBarMenu();
        QList<QPointer<QAction>> old;
        for (QAction* entry : menu->actions())
            old << entry;
        QCOMPARE(old.size(), 3);
        fillMenuBarMenu();
        QCOMPARE(menu->actions().size(), 3);
        for (const QPointer<QAction>& entry : qAsConst(old))
            QVERIFY(entry.isNull());
    }

    void choosingSwitches_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a common entry for two") << QStringList{"plain 1 3 1 1", "- 0 0 0 0"} << "&2. VIDEO"
                                                << QStringList{"3 [6] 1 2 [1] 1 1"};
        QTest::newRow("the model's entry") << QStringList{"sub 1 3 1 1"} << "&2. HDMI-A"
                                           << QStringList{"3 [161] 1 2 [1] 1 1"};
        QTest::newRow("a name with a full stop") << QStringList{"stops 1 3 1 1"} << "&2. Cam. 2"
                                                 << QStringList{"3 [82] 1 2 [1] 1 1"};
        QTest::newRow("None sends nothing") << QStringList{"plain 1 3 1 1", "alone 1 3 1 30"} << "None"
                                            << QStringList();
    }

    void choosingSwitches()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, entry);
        QFETCH(QStringList, expected);
                // Cut at the last ". ", the name would read "2", the first entry.
        addModel(QStringLiteral("stops"), {{0x51, "2", 0}, {0x52, "Cam. 2", 0}});
        start();
        selectRecords(records);
        QAction* chosen = nullptr;
        for (QAction* action : fillMenuBarMenu()->actions()) {
            if (action->text() == entry)
                chosen = action;
        }
        QVERIFY(chosen);
        RequestRecorder recorder;
        chosen->trigger();
        QCOMPARE(recorder.requests, expected);
    }

    // The menu was made for one identified projector; when the click comes the
    // projector has lost its identification, so the common list is searched
    // and lacks the name: the entry's own input goes out.
    void aNameNoLongerListedSendsTheEntrysInput()
    {
        start();
        setRecord(1, QStringLiteral("sub 1 3 1 1"));
        select({1});
        QAction* hdmi = fillMenuBarMenu()->actions().value(1);
        QVERIFY(hdmi);
        QCOMPARE(hdmi->text(), QStringLiteral("&2. HDMI-A"));
        hub()->GetProjectorData(1)->m_EngineFlags[CCommandFunctions::FLAG_IDENTIFIED] = 0;
        RequestRecorder recorder;
        hdmi->trigger();
        QCOMPARE(recorder.requests, QStringList{"3 [161] 1 2 [1] 1 1"});
    }

    void nothingSelectedSendsNothing()
    {
        start();
        select({});
        QAction* first = fillMenuBarMenu()->actions().value(0);
        QVERIFY(first);
        RequestRecorder recorder;
        first->trigger();
        QVERIFY(recorder.requests.isEmpty());
    }
};

QTEST_MAIN(tst_Lumivox5MainInputMenu)
#include "tst_Lumivox5MainInputMenu.moc"
