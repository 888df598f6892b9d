#include <QtTest>

#include "CCommandIF.h"
#include "CConnectIF.h"
#include "CPluginPJAdjust.h"
#include "CTestFolders.h"
#include "FormPJAdjust.h"
#include "GuiTestSupport.h"
#include "PluginTestSupport.h"
#include "RequestRecorder.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <memory>

namespace {

const char CHILD_RUN[] = "LUMIVOX_PLUGIN_TEST_CHILD";

// A label and a tab widget of the program's own, as a panel might use: not
// the toolkit's classes, so the enabling treats them as any other widget.
class CaptionLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

class PageTabs : public QTabWidget
{
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;
};

// The main window's tab widget with its two pages, and the plug-in set up in it.
struct PluginInTabs
{
    QTabWidget tabs;
    CPluginPJAdjust plugin;
    PluginInTabs()
    {
        tabs.addTab(new QWidget, QStringLiteral("Property"));
        tabs.addTab(new QWidget, QStringLiteral("Schedule"));
        plugin.tabMain = &tabs;
        plugin.m_ClassName = QStringLiteral("CPluginPJAdjust");
        plugin.m_CultureName = QStringLiteral("en-US");
        plugin.SetupUi(nullptr);
    }
};

// The test's widgets below the root, and a tab widget's stack and bar, each
// with its own enabled flag ("name on" or "name off"), by name.
QString ownFlags(QWidget* root)
{
    QStringList flags;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        QString name = widget->objectName();
        if (name.startsWith(QLatin1String("w_")))
            name = name.mid(2);
        else if (name == QLatin1String("qt_tabwidget_stackedwidget"))
            name = QStringLiteral("stack");
        else if (name == QLatin1String("qt_tabwidget_tabbar"))
            name = QStringLiteral("bar");
        else
            continue;
        flags << name + (widget->testAttribute(Qt::WA_ForceDisabled) ? " off" : " on");
    }
    flags.sort();
    return flags.join(QStringLiteral(", "));
}

QWidget* named(QWidget* widget, const QString& name)
{
    widget->setObjectName(QStringLiteral("w_") + name);
    return widget;
}

} // namespace

// The plug-in interface, the adjustment plug-in and its two interface
// objects, without a main window: a tab widget stands for its main tab.
class tst_CPluginPJAdjust : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        GuiTestSupport::InstallEnglishCatalogue();
    }

    void theInterfaceCastFindsPlugInsOnly()
    {
        CPluginPJAdjust plugin;
        QObject plain;
        QObject* asObject = &plugin;
        QCOMPARE(qobject_cast<CLumivox5PluginIF*>(asObject), static_cast<CLumivox5PluginIF*>(&plugin));
        QCOMPARE(asObject->qt_metacast("Tessiva.Lumivox5Plugin.Interface/1.0"), static_cast<void*>(&plugin));
        QVERIFY(!qobject_cast<CLumivox5PluginIF*>(&plain));
        QVERIFY(!qobject_cast<CLumivox5PluginIF*>(static_cast<QObject*>(nullptr)));
        QCOMPARE(plugin.metaObject()->className(), "CPluginPJAdjust");
        // Before SetupUi: no panel, no page, no triggers.
        QCOMPARE(plugin.m_TabIndex, -1);
        QVERIFY(!plugin.m_pForm && !plugin.m_pPage);
        QVERIFY(plugin.m_pConnectIF && plugin.m_pConnectIF->m_TriggerList.isEmpty());
        QVERIFY(!plugin.parent());
    }

    void theCommandObjectIsTheOneInterface_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("command");
        QTest::newRow("0") << 0 << true;
        QTest::newRow("1") << 1 << false;
        QTest::newRow("-1") << -1 << false;
    }
    void theCommandObjectIsTheOneInterface()
    {
        QFETCH(int, index);
        QFETCH(bool, command);
        CPluginPJAdjust plugin;
        QCOMPARE(plugin.GetIFCount(), 1);
        QCOMPARE(plugin.GetIF(index), command ? static_cast<QObject*>(plugin.m_pCommandIF) : nullptr);
        QVERIFY(plugin.m_pCommandIF && !plugin.m_pCommandIF->parent());
    }

    void setupPutsThePageIntoTheMainTab()
    {
        CTestFolders folders;
        PluginInTabs host;
        QTabWidget& tabs = host.tabs;
        QCOMPARE(tabs.count(), 3);
        QCOMPARE(tabs.tabText(0), QStringLiteral("Property"));
        QCOMPARE(tabs.tabText(1), QStringLiteral("Adjustment"));
        QCOMPARE(tabs.tabText(2), QStringLiteral("Schedule"));
        QCOMPARE(tabs.widget(1)->objectName(), QStringLiteral("tabWidgetAdjust"));
        QCOMPARE(tabs.widget(1), host.plugin.m_pPage);
        QCOMPARE(host.plugin.m_TabIndex, 1);
        QCOMPARE(host.plugin.m_pConnectIF->m_TriggerList, (QList<int>{1, 3}));
        // The panel itself stays hidden and parentless.
        QVERIFY(host.plugin.m_pForm && !host.plugin.m_pForm->parent() && !host.plugin.m_pForm->isVisible());

        // The panel's enabling request reaches the plug-in's own.
        QWidget* frame = host.plugin.m_pPage->findChild<QWidget*>(QStringLiteral("frame_2"));
        QVERIFY(frame);
        emit host.plugin.m_pForm->f_On_AllEnabled(frame, false, false);
        QVERIFY(!host.plugin.m_pPage->findChild<QSlider*>(QStringLiteral("hSlidePictureHue"))->isEnabled());
        QVERIFY(host.plugin.m_pPage->findChild<QLabel*>(QStringLiteral("lblPictureHue"))->isEnabled());
    }

    void withoutTheMainTabNothingIsBuilt()
    {
        CPluginPJAdjust plugin;
        plugin.SetupUi(nullptr);
        QVERIFY(!plugin.m_pForm && !plugin.m_pPage);
        QCOMPARE(plugin.m_TabIndex, -1);
        QVERIFY(plugin.m_pConnectIF->m_TriggerList.isEmpty());
    }

    void variantDataTakesTheFirstThreeEntries_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("five entries: the last two stay") << 5 << QList<int>{2, 0, 7, 103, 104};
        QTest::newRow("one entry: filled up to three") << 1 << QList<int>{2, 0, 7};
        QTest::newRow("none") << 0 << QList<int>{2, 0, 7};
    }
    void variantDataTakesTheFirstThreeEntries()
    {
        QFETCH(int, entries);
        QFETCH(QList<int>, expected);
        CTestFolders folders;
        PluginInTabs host;
        QList<CVariantParameter> values;
        for (int i = 0; i < entries; ++i)
            values << CVariantParameter().FromInt(100 + i);
        const QList<CVariantParameter> shared = values; // written in place, not into a copy
        emit host.plugin.m_pForm->SetVariantData(values, 2, false, 7);
        QList<int> read;
        for (const CVariantParameter& value : values)
            read << value.ToInt();
        QCOMPARE(read, expected);
        QVERIFY(values.at(0).IsSet() && values.at(1).IsSet() && values.at(2).IsSet());
        QVERIFY(!values.at(1).ToBool());
        QCOMPARE(shared.size(), entries);
    }

    void aPanelRequestReachesTheHostWithinItsEmit()
    {
        CTestFolders folders;
        PluginInTabs host;
        QStringList seen;
        bool returned = false;
        connect(host.plugin.m_pCommandIF, &CCommandIF::SendCommand, this,
                [&](int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                    bool log) {
                    seen << RequestRecorder::Describe(id, param, from, act, target, cache, log)
                                + (returned ? " late" : "");
                },
                Qt::DirectConnection);
        QList<CVariantParameter> params{CVariantParameter().FromInt(0), CVariantParameter().FromInt(60)};
        auto* targets = new QList<int>{5, 3};
        emit host.plugin.m_pForm->SendCommand(24, &params, 7, 2, targets, false, true);
        // The panel frees the list as soon as its emit returns.
        delete targets;
        returned = true;
        QCOMPARE(seen, QStringList{"24 [0,60] 7 2 [5,3] 0 1"});
    }

    void thePanelRefreshesOnlyWhileItsPageIsShown_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("refreshes");
        QTest::newRow("another page") << 0 << 0;
        QTest::newRow("the page after it") << 2 << 0;
        QTest::newRow("the adjustment page") << 1 << 1;
    }
    void thePanelRefreshesOnlyWhileItsPageIsShown()
    {
        QFETCH(int, current);
        QFETCH(int, refreshes);
        CTestFolders folders;
        PluginInTabs host;
        host.tabs.setCurrentIndex(current);
        TraceRecorder trace("lumivox.plugins.adjust");
        // What the window's selection and tab signals reach.
        emit host.plugin.m_pConnectIF->ConnectSignal();
        QCOMPARE(trace.Starting(QStringLiteral("CPluginPJAdjust::f_On_MainTabChanged")).size(), 1);
        QCOMPARE(trace.Starting(QStringLiteral("FormPJAdjust::MainTabChanged")).size(), refreshes);
    }

    void thePageOutlivesThePlugIn()
    {
        CTestFolders folders;
        QTabWidget tabs;
        tabs.addTab(new QWidget, QStringLiteral("Property"));
        auto plugin = std::make_unique<CPluginPJAdjust>();
        plugin->tabMain = &tabs;
        plugin->SetupUi(nullptr);
        QPointer<QWidget> page = plugin->m_pPage;
        QPointer<FormPJAdjust> form = plugin->m_pForm;
        plugin.reset();
        QVERIFY(form.isNull());
        QVERIFY(!page.isNull());
        QCOMPARE(tabs.widget(1), page.data());
        tabs.setCurrentIndex(1);
        tabs.resize(600, 420);
        QVERIFY(!tabs.grab().isNull());
        QCOMPARE(page->findChildren<QSlider*>().size(), 6);
    }

    // The catalogue's file name comes from the class name, its folder from
    // the program folder and the culture.
    void thePlugInCatalogueIsLookedUpBesideTheProgram_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("file");
        QTest::newRow("the adjustment plug-in") << "CPluginPJAdjust" << "CPluginPJAd.en-US";
        QTest::newRow("five letters") << "Abcde" << "A.en-US";
        QTest::newRow("four letters: no file") << "Abcd" << "";
        QTest::newRow("none") << "" << "";
    }
    void thePlugInCatalogueIsLookedUpBesideTheProgram()
    {
        QFETCH(QString, className);
        QFETCH(QString, file);
        CTestFolders folders;
        RecordingPlugin plugin;
        plugin.m_ClassName = className;
        plugin.m_CultureName = QStringLiteral("en-US");
        TraceRecorder trace("lumivox.plugins.adjust");
        plugin.LoadTranslator();
        const QString rule(73, QLatin1Char('='));
        QCOMPARE(trace.m_Lines,
                 (QStringList{rule,
                              QStringLiteral("translateFile load complete \n  dir[%1/plugins/en-US] \n  filename[%2]")
                                  .arg(folders.programFolder(), file),
                              rule}));
        // Installed whether it loaded or not; nothing else changes.
        QCOMPARE(QCoreApplication::translate("CPluginPJAdjust", "PJAdjust"), QStringLiteral("Adjustment"));
    }

    // Translators stay installed for the process's life, so the retitled run
    // has a process of its own.
    void aPlugInCatalogueRetitlesThePage()
    {
        if (!qEnvironmentVariableIsSet(CHILD_RUN)) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(CHILD_RUN), QStringLiteral("1"));
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("aPlugInCatalogueRetitlesThePage")});
            QVERIFY(child.waitForFinished(60000));
            QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                     child.readAll().constData());
            return;
        }
        CTestFolders folders;
        const QString folder = folders.programFolder() + QStringLiteral("/plugins/en-US");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(QStringLiteral(LUMIVOX_PLUGIN_CATALOGUE), folder + QStringLiteral("/CPluginPJAd.en-US.qm")));
        PluginInTabs host;
        QCOMPARE(host.tabs.tabText(1), QStringLiteral("Picture and Sound"));
        // The plug-in's catalogue comes before the main one only for its own texts.
        QCOMPARE(host.plugin.m_pPage->findChild<QPushButton*>(QStringLiteral("pushButtonUpdate"))->text(),
                 QStringLiteral("R&efresh"));
    }

    void enablingTakesTheDirectChildren_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<bool>("labels");
        QTest::addColumn<QString>("expected");
        const QString pages = "bar on, label1 %1, label2 %1, label3 %1, page1 on, page2 on, page3 on, "
                              "slider1 off, slider2 off, slider3 off, stack on";
        QTest::newRow("tab widget: the pages' children, labels kept")
            << "tabs" << false << false << pages.arg("on");
        QTest::newRow("tab widget: labels too") << "tabs" << false << true << pages.arg("off");
        QTest::newRow("tab widget: enabled again, labels kept disabled")
            << "tabs disabled" << true << false
            << "bar off, label1 off, label2 off, label3 off, page1 off, page2 off, page3 off, slider1 on, "
               "slider2 on, slider3 on, stack off";
        QTest::newRow("group box: its own flag, not its button's")
            << "group" << false << false << "box off, button on, label on";
        QTest::newRow("a label of the program's own is no label") << "caption" << false << false << "caption off";
        QTest::newRow("a tab widget of the program's own: its own children")
            << "own tabs" << false << false << "bar off, label1 on, page1 on, slider1 on, stack off";
    }
    void enablingTakesTheDirectChildren()
    {
        QFETCH(QString, base);
        QFETCH(bool, enable);
        QFETCH(bool, labels);
        QFETCH(QString, expected);
        std::unique_ptr<QWidget> root;
        if (base.startsWith(QLatin1String("tabs")) || base == QLatin1String("own tabs")) {
            auto* tabs = base == QLatin1String("own tabs") ? new PageTabs : new QTabWidget;
            const int count = base == QLatin1String("own tabs") ? 1 : 3;
            for (int i = 1; i <= count; ++i) {
                QWidget* page = named(new QWidget, QStringLiteral("page%1").arg(i));
                named(new QLabel(page), QStringLiteral("label%1").arg(i));
                named(new QSlider(page), QStringLiteral("slider%1").arg(i));
                tabs->addTab(page, QString::number(i));
            }
            root.reset(tabs);
            if (base.endsWith(QLatin1String("disabled"))) {
                for (QWidget* widget : root->findChildren<QWidget*>())
                    widget->setEnabled(false);
            }
        } else if (base == QLatin1String("group")) {
            root.reset(new QWidget);
            QWidget* box = named(new QGroupBox(root.get()), QStringLiteral("box"));
            named(new QPushButton(box), QStringLiteral("button"));
            named(new QLabel(root.get()), QStringLiteral("label"));
        } else {
            root.reset(new QWidget);
            named(new CaptionLabel(root.get()), QStringLiteral("caption"));
        }
        RecordingPlugin plugin;
        plugin.SetEnableAll(root.get(), enable, labels);
        QCOMPARE(ownFlags(root.get()), expected);
        QVERIFY(root->isEnabled());
        // A null base is left alone.
        plugin.SetEnableAll(nullptr, enable, labels);
    }
};

QTEST_MAIN(tst_CPluginPJAdjust)
#include "tst_CPluginPJAdjust.moc"
