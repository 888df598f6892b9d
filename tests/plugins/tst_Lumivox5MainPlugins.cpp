#include <QtTest>

#include "CCommandIF.h"
#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CGainInfo.h"
#include "CPluginPJAdjust.h"
#include "CProjectorData.h"
#include "CProjectorSimulator.h"
#include "CProjectorTreeView.h"
#include "CSimProjectorModel.h"
#include "FleetUserList.h"
#include "FormPJAdjust.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "PluginTestSupport.h"
#include "ui_FormPJAdjust.h"
#include "WindowPlacement.h"
#include "ui_Lumivox5Main.h"

#include <QItemSelectionModel>
#include <QPointer>

namespace {

using Entries = QList<QList<int>>;

QStringList pageNames(QTabWidget* tabs)
{
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        names << tabs->widget(i)->objectName() + QLatin1Char(' ') + tabs->tabText(i);
    return names;
}

// A frame to a projector with its checksum (the low byte of the sum of its bytes).
QByteArray framed(QByteArray bytes)
{
    int sum = 0;
    for (char b : bytes)
        sum += quint8(b);
    return bytes.append(char(sum & 0xFF));
}

// The set frames among a simulated projector's requests, in hex.
QStringList setFrames(const CSimulatedProjector* projector)
{
    QStringList sets;
    for (const QByteArray& request : projector->Requests()) {
        if (request.startsWith(QByteArray::fromHex("0310")))
            sets << QString::fromLatin1(request.toHex(' '));
    }
    return sets;
}

// A set frame of the adjustment `kind` (sub index 255, or 0 for volume),
// relative or not.
QString setFrame(int kind, bool relative, int value)
{
    QByteArray bytes = QByteArray::fromHex("0310000005");
    bytes += char(kind);
    bytes += char(kind == 5 ? 0 : 0xFF);
    bytes += char(relative ? 1 : 0);
    bytes += char(value & 0xFF);
    bytes += char((value >> 8) & 0xFF);
    return QString::fromLatin1(framed(bytes).toHex(' '));
}

// Simulated projectors for a window, each on a free port of its own loopback
// address; the window goes before them.
struct SimulatedProjectors
{
    explicit SimulatedProjectors(std::unique_ptr<Lumivox5Main>& window)
        : window(window)
    {
    }
    ~SimulatedProjectors() { window.reset(); }

    std::unique_ptr<Lumivox5Main>& window;
    CProjectorSimulator simulator;
    QList<CSimulatedProjector*> projectors;
    // The hub's id of each projector, in the same order.
    QList<int> ids;
};

// Whether the whole of a widget is inside each of its ancestors up to its
// window, so nothing of it is cut off.
bool shownWhole(QWidget* widget)
{
    QRect shown = widget->rect();
    for (QWidget* w = widget; !w->isWindow(); w = w->parentWidget())
        shown = shown.translated(w->pos()) & w->parentWidget()->rect();
    return shown.size() == widget->size();
}

} // namespace

// The main window as host of plug-ins: the built-in adjustment plug-in, and
// recording plug-ins bound beside it.
class tst_Lumivox5MainPlugins : public MainWindowTestBase
{
    Q_OBJECT

private:
    Ui_Lumivox5Main* ui() const { return m_Window->ui; }

    void start()
    {
        // Three projectors the hub knows, with the ids 1, 2 and 3.
        QString error;
        QVERIFY2(FleetUserList::Write(m_Fixture->makeHub().get(), 3, QHostAddress(QStringLiteral("192.168.0.11")), 7142,
                                      &error),
                 qPrintable(error));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
    }

    // A window started in demo mode on a list of one projector.
    void startDemo()
    {
        QString error;
        QVERIFY2(FleetUserList::Write(m_Fixture->makeHub().get(), 1, QHostAddress(QStringLiteral("192.168.0.11")),
                                      7142, &error),
                 qPrintable(error));
        m_Window = m_Fixture->makeWindow({QStringLiteral("/DEMO")});
        QVERIFY(m_Window->m_blnProfileLoaded);
    }

    // The demo projector connected and selected, the adjustment page shown,
    // and the projector's values read onto it (its rows enabled).
    void adjustDemoProjector(CProjectorData** pj, FormPJAdjust** panel)
    {
        m_Window->f_ShowAllProjectors();
        m_Window->on_actMenuViewRefreshAll_triggered();
        const QList<int> ids = ui()->treeViewPJList->GetDispPjDataIDList();
        QCOMPARE(ids.size(), 1);
        *pj = hub()->GetProjectorData(ids.first());
        QTRY_COMPARE_WITH_TIMEOUT((*pj)->m_ConnectState, int(CProjectorData::CONNECT_STATE_CONNECTED), 5000);

        ui()->treeViewPJList->selectionModel()->select(
            ui()->treeViewPJList->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ui()->tabMain->setCurrentIndex(1);
        *panel = qobject_cast<CPluginPJAdjust*>(m_Window->m_plugins.at(0))->m_pForm;
        (*panel)->ui->pushButtonUpdate->click();
        QTRY_VERIFY_WITH_TIMEOUT((*panel)->ui->btnPictureIncBrightness->isEnabled()
                                     && (*panel)->ui->hSlideAudioVolume->isEnabled(),
                                 5000);
    }

    // A window with one simulated projector answering as each model, listed
    // and polled until those of a model the profile knows are connected.
    void startSimulated(SimulatedProjectors& fleet, const QList<CSimProjectorModel*>& models)
    {
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->m_tmrUpdateDelay->setInterval(300);
        for (CSimProjectorModel* model : models) {
            CSimulatedProjector* projector = fleet.simulator.AddProjector(
                QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + fleet.projectors.size())), 0);
            QVERIFY(projector);
            projector->SetHandler([model](const QByteArray& request) { return model->Answer(request); });
            CProjectorData* pj = hub()->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                                     projector->AddressText(), projector->PortText(), true, QString());
            QVERIFY(pj);
            fleet.projectors << projector;
            fleet.ids << pj->m_Id;
        }
        m_Window->f_ShowAllProjectors();
        m_Window->on_actMenuViewRefreshAll_triggered();
        const auto connected = [&] {
            for (int i = 0; i < models.size(); ++i) {
                if (models.at(i)->Spec().name != CSimModelSpec::Unlisted(true).name
                    && hub()->GetProjectorData(fleet.ids.at(i))->m_ConnectState
                           != CProjectorData::CONNECT_STATE_CONNECTED)
                    return false;
            }
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
    }

    FormPJAdjust* panel() const { return qobject_cast<CPluginPJAdjust*>(m_Window->m_plugins.at(0))->m_pForm; }

    // Selects this projector alone in one change of the list's selection, as a click does.
    void clickProjector(int id)
    {
        QAbstractItemModel* rows = ui()->treeViewPJList->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QModelIndex index = rows->index(row, 0);
            if (index.data(CProjectorTreeView::ROLE_PJDATA_ID).toInt() == id)
                ui()->treeViewPJList->selectionModel()->select(
                    index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }

    RecordingPlugin* bind(const QList<int>& triggers = QList<int>(), int commandObjects = 1)
    {
        auto* plugin = new RecordingPlugin(triggers, commandObjects);
        m_Window->f_BindPlugin(plugin);
        return plugin;
    }

private slots:
    void theAdjustmentPageStandsBetweenPropertyAndSchedule()
    {
        start();
        QCOMPARE(pageNames(ui()->tabMain),
                 (QStringList{"tabPropery Property", "tabWidgetAdjust Adjustment", "tabSchedule Schedule"}));
        QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabPropery);
        QCOMPARE(m_Window->m_plugins.size(), 1);
        auto* plugin = qobject_cast<CPluginPJAdjust*>(m_Window->m_plugins.at(0));
        QVERIFY(plugin);
        QCOMPARE(plugin->m_ClassName, QStringLiteral("CPluginPJAdjust"));
        QCOMPARE(plugin->m_CultureName, QStringLiteral("en-US"));
        QCOMPARE(plugin->m_pForm->m_Lumivox5Data, hub());
        QCOMPARE(plugin->m_pForm->m_pTreeViewPJList, ui()->treeViewPJList);
        QCOMPARE(plugin->m_pForm->m_pTreeViewPJListSub, ui()->treeViewPJListSub);
        // Its six rows, with their buttons, are there to be used.
        QCOMPARE(ui()->tabMain->widget(1)->findChildren<QSlider*>().size(), 6);
    }

    void theHostFillsEveryFieldBeforeSetup()
    {
        start();
        RecordingPlugin* plugin = bind();
        QCOMPARE(plugin->m_FieldsAtSetup,
                 (QStringList{"culture en-US", "class RecordingPlugin", "hub set", "menuBar set", "mainToolBar set",
                              "treeViewGroup set", "statusBar set", "treeViewPJList set", "treeViewPJListSub set",
                              "gridLayout_3 set", "widgetSearch set", "tabMain set"}));
        QCOMPARE(plugin->tabMain, ui()->tabMain);
        QCOMPARE(plugin->treeViewPJList, ui()->treeViewPJList);
        QCOMPARE(m_Window->m_plugins.size(), 2);
        QCOMPARE(m_Window->m_plugins.at(1), static_cast<CLumivox5PluginIF*>(plugin));
    }

    void aCandidateThatIsNoPlugInIsDeleted()
    {
        start();
        QPointer<QObject> plain = new QObject;
        QVERIFY(!m_Window->f_BindPlugin(plain));
        QVERIFY(plain.isNull());
        QCOMPARE(m_Window->m_plugins.size(), 1);
    }

    // Each source of the window is worked once, in the order projector list,
    // second projector list, main tab, group tree (which changes the list);
    // the plug-in hears those of the kinds it asked for, once each.
    void eachRequestedSourceReachesThePlugInOnce_data()
    {
        QTest::addColumn<QList<int>>("triggers");
        QTest::addColumn<QString>("heard");
        QTest::newRow("every kind, and one unknown") << QList<int>{0, 1, 2, 3, 9} << "1 1 1 1";
        QTest::newRow("group tree") << QList<int>{0} << "0 0 0 1";
        QTest::newRow("projector list") << QList<int>{1} << "1 0 0 0";
        QTest::newRow("second projector list") << QList<int>{2} << "0 1 0 0";
        QTest::newRow("main tab") << QList<int>{3} << "0 0 1 0";
        QTest::newRow("the adjustment plug-in's") << QList<int>{1, 3} << "1 0 1 0";
        QTest::newRow("unknown kinds only") << QList<int>{9, -1, 4} << "0 0 0 0";
    }
    void eachRequestedSourceReachesThePlugInOnce()
    {
        QFETCH(QList<int>, triggers);
        QFETCH(QString, heard);
        start();
        RecordingPlugin* plugin = bind(triggers);
        QStringList counts;
        const auto count = [&] {
            counts << QString::number(plugin->m_Events);
            plugin->m_Events = 0;
        };
        MainWindowFixture::selectProjectors(m_Window.get(), {2});
        count();
        // The hidden list has no rows to select; its selection model speaks for it.
        emit ui()->treeViewPJListSub->selectionModel()->selectionChanged(QItemSelection(), QItemSelection());
        count();
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        count();
        // Another group fills the list anew, which would change a selection.
        ui()->treeViewPJList->clearSelection();
        plugin->m_Events = 0;
        CGroupTreeView* tree = ui()->treeViewGroup;
        tree->setCurrentIndex(tree->model()->index(CGroupTreeView::ROW_GROUP, 0));
        count();
        QCOMPARE(counts.join(QLatin1Char(' ')), heard);
    }

    void completionsReachEveryPlugInOncePerProjector_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("commandObjects");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two for 5: the first")
            << Entries{{0, 5, 0, 24, 7, 2}, {0, 5, 0, 23, 7, 1}} << 1 << QStringList{"0 24 7 2 5"};
        QTest::newRow("two for 0: the last")
            << Entries{{0, 0, 0, 24, 1, 1}, {0, 0, 0, 23, 3, 2}} << 1 << QStringList{"0 23 3 2 0"};
        QTest::newRow("ascending by projector")
            << Entries{{0, 9, 0, 1, 1, 1}, {0, 2, 0, 2, 1, 1}, {0, 5, 0, 3, 1, 1}} << 1
            << QStringList{"0 2 1 1 2", "0 3 1 1 5", "0 1 1 1 9"};
        QTest::newRow("errors are no completions")
            << Entries{{1, 5, -7, 24, 7, 2}, {0, 6, 0, 23, 7, 1}, {1, 6, -7, 42, 7, 1}} << 1
            << QStringList{"0 23 7 1 6"};
        QTest::newRow("only errors") << Entries{{1, 5, -7, 24, 7, 2}} << 1 << QStringList();
        QTest::newRow("each command object")
            << Entries{{0, 4, 0, 24, 7, 2}, {0, 3, 0, 26, 7, 2}} << 2
            << QStringList{"0 26 7 2 3", "0 24 7 2 4", "1 26 7 2 3", "1 24 7 2 4"};
    }
    void completionsReachEveryPlugInOncePerProjector()
    {
        QFETCH(Entries, entries);
        QFETCH(int, commandObjects);
        QFETCH(QStringList, expected);
        start();
        RecordingPlugin* first = bind({}, commandObjects);
        RecordingPlugin* second = bind();
        // With another page shown: completions go to every plug-in.
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        m_Window->f_OnUpdateTimingToPluginProc(entries);
        QCOMPARE(first->m_Timings, expected);
        QCOMPARE(second->m_Timings.size(), expected.size() / commandObjects);
        // No relay connection is left behind.
        emit m_Window->UpdateTimingToCommandIF(1, 1, 1, 1);
        QCOMPARE(first->m_Timings.size(), expected.size());
    }

    // Through the status pass: a report made synchronously from a relayed
    // handler (as an offline request reports) goes to the next pass.
    void aReportFromARelayedHandlerWaitsForTheNextPass()
    {
        start();
        m_Window->m_tmrUpdateDelay->setInterval(100);
        RecordingPlugin* plugin = bind();
        bool reported = false;
        plugin->m_OnTiming = [&](int target) {
            if (reported)
                return;
            reported = true;
            m_Window->OnReceiveUpdateTiming(42, 7, 1, 2);
            QCOMPARE(target, 1);
        };
        m_Window->OnReceiveUpdateTiming(24, 7, 2, 3);
        m_Window->OnReceiveUpdateTiming(24, 7, 1, 1);
        m_Window->OnReceiveUpdateTiming(23, 7, 1, 3);
        QTRY_COMPARE(plugin->m_Timings.size(), 2);
        QCOMPARE(plugin->m_Timings, (QStringList{"0 24 7 1 1", "0 24 7 2 3"}));
        QTRY_COMPARE(plugin->m_Timings.size(), 3);
        QCOMPARE(plugin->m_Timings.at(2), QStringLiteral("0 42 7 1 2"));
        QTest::qWait(300);
        QCOMPARE(plugin->m_Timings.size(), 3);
    }

    void errorsReachEveryPlugInWhateverPageIsShown_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("property") << "tabPropery";
        QTest::newRow("adjustment") << "tabWidgetAdjust";
        QTest::newRow("schedule") << "tabSchedule";
    }
    void errorsReachEveryPlugInWhateverPageIsShown()
    {
        QFETCH(QString, page);
        start();
        RecordingPlugin* first = bind();
        RecordingPlugin* second = bind();
        ui()->tabMain->setCurrentWidget(ui()->tabMain->findChild<QWidget*>(page));
        QCOMPARE(ui()->tabMain->currentWidget()->objectName(), page);
        m_Window->OnReceiveUpdateError(QStringLiteral("no answer"), QStringLiteral("One"), -7, 24, 7, 2, 1);
        // A report naming no projector, twice in one pass: taken once.
        m_Window->OnReceiveUpdateError(QStringLiteral("cannot write"), QString(), -3, 0, 0, 0, 0);
        m_Window->OnReceiveUpdateError(QStringLiteral("cannot write"), QString(), -3, 0, 0, 0, 0);
        const QStringList expected{"0 no answer -7 1", "0 cannot write -3 0"};
        QCOMPARE(first->m_Errors, expected);
        QCOMPARE(second->m_Errors, expected);
        emit m_Window->UpdateErrorToCommandIF(QStringLiteral("stray"), QString(), -1, 0, 0, 0, 0);
        QCOMPARE(first->m_Errors, expected);
    }

    void theAdjustmentEntriesBringThePageForward_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("page");
        QTest::newRow("Projector > Adjustment") << "menu" << true;
        QTest::newRow("the list's context menu") << "list" << true;
        QTest::newRow("no adjustment page: nothing changes") << "menu" << false;
    }
    void theAdjustmentEntriesBringThePageForward()
    {
        QFETCH(QString, entry);
        QFETCH(bool, page);
        start();
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        if (!page)
            ui()->tabMain->removeTab(1);
        if (entry == QLatin1String("menu"))
            ui()->actMenuPJAdjust->trigger();
        else
            emit ui()->treeViewPJList->f_RequestAdjust();
        QCOMPARE(ui()->tabMain->currentWidget()->objectName(),
                 page ? QStringLiteral("tabWidgetAdjust") : QStringLiteral("tabSchedule"));
    }

    void thePlugInsGoWithTheWindow()
    {
        start();
        QPointer<QObject> recording = bind();
        QPointer<QObject> builtIn = m_Window->m_plugins.at(0);
        TraceRecorder trace("lumivox.mainwindow");
        m_Window.reset();
        QVERIFY(recording.isNull());
        QVERIFY(builtIn.isNull());
        QCOMPARE(trace.Starting(QStringLiteral("delete")), QStringList{"delete  m_plugins"});
    }

    // End to end: a polled, powered simulated projector selected on the
    // adjustment page shows its brightness; "+" held and let go sends it one
    // set frame with the new value, and the value read back stays shown. A
    // projector in standby selected with it gets nothing.
    void aHeldStepReachesASimulatedProjectorOnce()
    {
        CSimProjectorModel on(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel standby(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        on.State().power = CSimProjectorState::POWER_ON;
        on.State().gains[0].current = 40;
        SimulatedProjectors fleet(m_Window);
        startSimulated(fleet, {&on, &standby});
        if (QTest::currentTestFailed())
            return;
        const QList<CSimulatedProjector*>& projectors = fleet.projectors;

        // The powered one alone, on the adjustment page, read once more by Refresh.
        clickProjector(fleet.ids.at(0));
        ui()->tabMain->setCurrentIndex(1);
        FormPJAdjust* panel = this->panel();
        panel->ui->pushButtonUpdate->click();
        QTRY_COMPARE_WITH_TIMEOUT(panel->ui->hSlidePictureBrightness->value(), 40, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(panel->ui->btnPictureIncBrightness->isEnabled(), 5000);

        projectors.at(0)->ClearRequests();
        QTest::mousePress(panel->ui->btnPictureIncBrightness, Qt::LeftButton);
        QTest::qWait(250);
        QTest::mouseRelease(panel->ui->btnPictureIncBrightness, Qt::LeftButton);
        const int value = panel->ui->hSlidePictureBrightness->value();
        QVERIFY(value > 40);
        const QByteArray set = framed(QByteArray::fromHex("031000000500FF00") + char(value) + char(0));
        QTRY_VERIFY_WITH_TIMEOUT(projectors.at(0)->Requests().contains(set), 5000);
        QTest::qWait(500);
        QCOMPARE(setFrames(projectors.at(0)).size(), 1);
        QCOMPARE(on.State().gains[0].current, value);
        QTRY_COMPARE_WITH_TIMEOUT(panel->ui->hSlidePictureBrightness->value(), value, 2000);

        // Both selected: the sliders show offsets; one press on volume "-"
        // reaches the powered one only.
        projectors.at(0)->ClearRequests();
        projectors.at(1)->ClearRequests();
        QAbstractItemModel* rows = ui()->treeViewPJList->model();
        ui()->treeViewPJList->selectionModel()->select(QItemSelection(rows->index(0, 0), rows->index(1, 0)),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(panel->ui->hSlideAudioVolume->minimum(), -100);
        QTest::mouseClick(panel->ui->btnAudioDecVolume, Qt::LeftButton);
        const QByteArray step = QByteArray::fromHex("0310000005050001FFFF1C");
        QTRY_VERIFY_WITH_TIMEOUT(projectors.at(0)->Requests().contains(step), 5000);
        QTest::qWait(300);
        QCOMPARE(projectors.at(0)->Requests().count(step), 1);
        QCOMPARE(setFrames(projectors.at(1)), QStringList());

        // The powered one alone again: Reset reads it once more, then sets
        // back the two values that left their defaults, each once.
        QTRY_COMPARE_WITH_TIMEOUT(on.State().gains[5 << 8].current, 49, 5000);
        clickProjector(fleet.ids.at(0));
        QTRY_VERIFY_WITH_TIMEOUT(panel->ui->pushButtonReset->isEnabled(), 5000);
        projectors.at(0)->ClearRequests();
        panel->ui->pushButtonReset->click();
        const QByteArray brightness = framed(QByteArray::fromHex("031000000500FF003200"));
        const QByteArray volume = framed(QByteArray::fromHex("03100000050500003200"));
        QTRY_VERIFY_WITH_TIMEOUT(projectors.at(0)->Requests().contains(brightness), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(projectors.at(0)->Requests().contains(volume), 5000);
        QTest::qWait(500);
        QCOMPARE(setFrames(projectors.at(0)).size(), 2);
        for (auto gain = on.State().gains.cbegin(); gain != on.State().gains.cend(); ++gain)
            QCOMPARE(gain->current, gain->defaultValue);
        QTRY_COMPARE_WITH_TIMEOUT(panel->ui->hSlidePictureBrightness->value(), 50, 2000);
    }

    // Two simulated projectors selected on the adjustment page, Refresh, and
    // once every value is read and relayed, "+": each projector with a
    // profile receives a step of one, relative; none a value of one. One of
    // another maker, whose model no profile lists, is not read and receives
    // no set.
    void aStepAfterARefreshOfSeveralIsRelative_data()
    {
        QTest::addColumn<bool>("secondListed");
        QTest::newRow("both with a profile") << true;
        QTest::newRow("one without a profile") << false;
    }
    void aStepAfterARefreshOfSeveralIsRelative()
    {
        QFETCH(bool, secondListed);
        CSimProjectorModel first(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel second(secondListed ? CSimModelSpec::Shipped(QStringLiteral("LV-L100"))
                                               : CSimModelSpec::Unlisted(false));
        first.State().power = second.State().power = CSimProjectorState::POWER_ON;
        SimulatedProjectors fleet(m_Window);
        startSimulated(fleet, {&first, &second});
        if (QTest::currentTestFailed())
            return;
        m_Window->m_tmrUpdateDelay->setInterval(100);
        RecordingPlugin* plugin = bind();
        const QList<int> readers = secondListed ? fleet.ids : fleet.ids.mid(0, 1);
        // Set by a relay made when the readers had every value and nothing more to do.
        bool settled = false;
        plugin->m_OnTiming = [&](int) {
            for (int id : readers) {
                CProjectorData* pj = hub()->GetProjectorData(id);
                if (!pj->m_PendingEvents.isEmpty() || pj->m_StepNo != 0)
                    return;
                for (const CGainInfo* gain : qAsConst(pj->m_GainInfo)) {
                    if (!gain->m_Current.IsSet())
                        return;
                }
            }
            settled = true;
        };

        MainWindowFixture::selectProjectors(m_Window.get(), fleet.ids);
        ui()->tabMain->setCurrentIndex(1);
        FormPJAdjust* panel = this->panel();
        QCOMPARE(panel->ui->hSlidePictureBrightness->minimum(), -100);
        settled = false;
        panel->ui->pushButtonUpdate->click();
        QTRY_VERIFY_WITH_TIMEOUT(settled, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(panel->ui->hSlidePictureBrightness->minimum(), -100);

        for (CSimulatedProjector* projector : qAsConst(fleet.projectors))
            projector->ClearRequests();
        QTest::mouseClick(panel->ui->btnPictureIncBrightness, Qt::LeftButton);
        const QStringList step{setFrame(0, true, 1)};
        QTRY_COMPARE_WITH_TIMEOUT(setFrames(fleet.projectors.at(0)), step, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(setFrames(fleet.projectors.at(1)), secondListed ? step : QStringList(), 5000);
    }

    // A projector shown on the adjustment page and read again by Refresh:
    // while its brightness read goes unanswered, a completion shows the other
    // rows anew, and the brightness row keeps its value and stays usable.
    // Once another projector has been shown, that row has no value of this
    // one to keep and shows none.
    void aValueBeingReadKeepsItsRow()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimProjectorModel other(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        model.State().power = other.State().power = CSimProjectorState::POWER_ON;
        model.State().gains[0].current = 40;
        other.State().gains[0].current = 70;
        SimulatedProjectors fleet(m_Window);
        startSimulated(fleet, {&model, &other});
        if (QTest::currentTestFailed())
            return;
        ui()->tabMain->setCurrentIndex(1);
        FormPJAdjust* panel = this->panel();
        QSlider* brightness = panel->ui->hSlidePictureBrightness;
        for (int place : {1, 0}) {
            clickProjector(fleet.ids.at(place));
            panel->ui->pushButtonUpdate->click();
            QTRY_COMPARE_WITH_TIMEOUT(brightness->value(), place == 0 ? 40 : 70, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(panel->ui->btnPictureIncBrightness->isEnabled(), 5000);
        }

        const auto brightnessRead = [](const QByteArray& request) {
            const int index = CSimProjectorModel::RequestIndex(request);
            return (index == 18 || index == 19) && request.at(5) == 0;
        };
        CSimulatedProjector* projector = fleet.projectors.first();
        projector->SetHandler([&model, brightnessRead](const QByteArray& request) {
            return brightnessRead(request) ? CSimReply::Silence() : model.Answer(request);
        });
        model.State().gains[1 << 8].current = 60;
        projector->ClearRequests();
        panel->ui->pushButtonUpdate->click();
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(projector->Requests().cbegin(), projector->Requests().cend(), brightnessRead),
                                 5000);
        // The contrast read before it has ended: the window relays that.
        const int id = fleet.ids.first();
        m_Window->f_OnUpdateTimingToPluginProc({{0, id, 0, 23, 7, 1}});
        QCoreApplication::processEvents();
        QCOMPARE(panel->ui->hSlidePictureContrast->value(), 60);
        QCOMPARE(brightness->value(), 40);
        QCOMPARE(panel->ui->lblParamPictureBrightness->text(), QStringLiteral("40"));
        QVERIFY(brightness->isEnabled());
        QVERIFY(panel->ui->btnPictureIncBrightness->isEnabled());

        clickProjector(fleet.ids.at(1));
        QCOMPARE(brightness->value(), 70);
        clickProjector(id);
        QCOMPARE(panel->ui->hSlidePictureContrast->value(), 60);
        QCOMPARE(brightness->value(), 0);
        QVERIFY(!panel->ui->btnPictureIncBrightness->isEnabled());
    }

    // Offline ("/DEMO"): the demo answers inside the request, so its reports
    // come from within the relay. A decided value shows once the batch is
    // relayed; Reset, whose sets leave from inside the relay, neither blocks
    // nor loses a report.
    void offlineDecideAndResetGoThroughTheDemo()
    {
        startDemo();
        if (QTest::currentTestFailed())
            return;
        m_Window->m_tmrUpdateDelay->setInterval(100);
        RecordingPlugin* plugin = bind();
        CProjectorData* pj = nullptr;
        FormPJAdjust* panel = nullptr;
        adjustDemoProjector(&pj, &panel);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(panel->ui->hSlidePictureBrightness->value(), 30);
        CGainInfo* brightness = pj->m_GainInfo.value(CGainInfo::Key(0, 0));

        QTRY_VERIFY_WITH_TIMEOUT(!plugin->m_Timings.isEmpty(), 2000);
        plugin->m_Timings.clear();
        // One step up: the demo takes 31, and the display shows what it holds.
        QTest::mouseClick(panel->ui->btnPictureIncBrightness, Qt::LeftButton);
        const QString set = QStringLiteral("0 24 7 2 %1").arg(pj->m_Id);
        QTRY_COMPARE_WITH_TIMEOUT(plugin->m_Timings, QStringList{set}, 2000);
        QCOMPARE(brightness->m_Current.ToInt(), 31);
        QCOMPARE(panel->ui->hSlidePictureBrightness->value(), 31);

        // Reset returns at once; nothing waits on the reports it causes.
        plugin->m_Timings.clear();
        QVERIFY(panel->ui->pushButtonReset->isEnabled());
        panel->ui->pushButtonReset->click();
        // One pass relays the refresh; the set the reset sends from inside
        // that relay is reported in the next one.
        const QStringList passes{QStringLiteral("0 11 7 1 %1").arg(pj->m_Id), set};
        QTRY_COMPARE_WITH_TIMEOUT(plugin->m_Timings, passes, 5000);
        QCOMPARE(brightness->m_Current.ToInt(), 30);
        QTRY_COMPARE_WITH_TIMEOUT(panel->ui->hSlidePictureBrightness->value(), 30, 2000);
        QTest::qWait(300);
        QCOMPARE(plugin->m_Timings, passes);
    }

    // At the first-start size the tab area is lower than the panel and its
    // lower rows start out of view. Every control Tab reaches on the page,
    // down to Reset, is scrolled into view whole, a slider with its row's name.
    void everyRowIsReachedAtTheFirstStartSize()
    {
        startDemo();
        if (QTest::currentTestFailed())
            return;
        m_Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Window.get()));
        m_Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_Window.get()));
        QTRY_COMPARE(m_Window->frameGeometry().size(),
                     QSize(WindowPlacement::DEFAULT_WIDTH, WindowPlacement::DEFAULT_HEIGHT));
        QCOMPARE(ui()->splitter_3->sizes().at(1), 280);
        CProjectorData* pj = nullptr;
        FormPJAdjust* panel = nullptr;
        adjustDemoProjector(&pj, &panel);
        if (QTest::currentTestFailed())
            return;
        QWidget* page = ui()->tabMain->currentWidget();
        QVERIFY(!shownWhole(panel->ui->pushButtonReset));

        // From the page's tab into the page and through it, as far as it goes.
        ui()->tabMain->setFocus(Qt::TabFocusReason);
        QStringList reached;
        for (int presses = 0; presses < 40; ++presses) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (!page->isAncestorOf(focus)) {
                if (!reached.isEmpty())
                    break;
            } else {
                const QString name = focus->objectName();
                reached << name;
                QVERIFY2(shownWhole(focus), qPrintable(name));
                if (name.startsWith(QLatin1String("hSlide"))) {
                    QString row = name;
                    auto* label = page->findChild<QLabel*>(row.replace(QLatin1String("hSlide"), QLatin1String("lbl")));
                    QVERIFY2(label && shownWhole(label), qPrintable(row));
                }
            }
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        for (const char* slider : {"hSlidePictureContrast", "hSlidePictureBrightness", "hSlidePictureSharpness",
                                   "hSlidePictureColor", "hSlidePictureHue", "hSlideAudioVolume"})
            QVERIFY2(reached.contains(QLatin1String(slider)), qPrintable(reached.join(' ')));
        QCOMPARE(reached.mid(reached.size() - 2), (QStringList{"pushButtonUpdate", "pushButtonReset"}));
    }
};

QTEST_MAIN(tst_Lumivox5MainPlugins)
#include "tst_Lumivox5MainPlugins.moc"
