#include <QtTest>

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorSimulator.h"
#include "CProjectorTreeView.h"
#include "CSimProjectorModel.h"
#include "CGroupTreeView.h"
#include "DiscoveryResponder.h"
#include "DiscoveryTestRig.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "ProjectorTestAddresses.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QByteArray EMPTY_USER_LIST = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n";
const QHostAddress Local(QStringLiteral("127.0.0.1"));
const QHostAddress FanOut(QStringLiteral("127.0.0.250"));
// The projectors answer discovery and the projector protocol at these
// addresses, at the projector port a search registers them with: this
// process's own, apart from any simulated fleet and other test runs.
const QStringList ProjectorAddresses{ProjectorTestAddress(1).toString(), ProjectorTestAddress(2).toString(),
                                     ProjectorTestAddress(3).toString()};

// Counts the writes that leave a new file at `path` (in place, or renamed over it).
class FileWrites
{
public:
    explicit FileWrites(const QString& path)
        : m_Name(QFile::encodeName(QFileInfo(path).fileName()))
        , m_Fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_Fd >= 0)
            inotify_add_watch(m_Fd, QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              IN_CLOSE_WRITE | IN_MOVED_TO);
    }
    ~FileWrites()
    {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }
    FileWrites(const FileWrites&) = delete;
    FileWrites& operator=(const FileWrites&) = delete;

    bool isValid() const { return m_Fd >= 0; }
    int count()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t got;
        while ((got = ::read(m_Fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len && m_Name == event->name)
                    ++m_Count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_Count;
    }

private:
    QByteArray m_Name;
    int m_Fd;
    int m_Count = 0;
};

} // namespace

// Registering the projectors the LAN search found, the serial search form,
// and a search from the Tool menu to the first refresh of what it found.
class tst_Lumivox5MainSearch : public MainWindowTestBase
{
    Q_OBJECT

    quint16 m_port = 0;
    std::unique_ptr<ScopedSearchSetup> m_setup;

    Ui_Lumivox5Main* ui() const { return m_Window->ui; }

    int shownRows() const { return ui()->treeViewPJList->GetDispPjDataIDList().size(); }

    void startWindow()
    {
        QVERIFY(m_Fixture->writeUserList(EMPTY_USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
    }

    // Runs Tool > LAN Auto Search...: the answers of `answers` are listed,
    // the rows of `ticked` ticked, then Connect (or Close).
    void search(const QStringList& answers, const QStringList& ticked, bool connect = true)
    {
        bool modalWhileUp = false;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            modalWhileUp = hub()->m_ModalDialog;
            auto* engine = dialog->findChild<PJSearchUdp*>();
            for (const QString& a : answers)
                engine->PJListAdd(QHostAddress(a), QStringLiteral("PJ"), 0);
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidgetPJList"));
            QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), answers.size(), 3000);
            for (int r = 0; r < table->rowCount(); ++r) {
                if (ticked.contains(table->item(r, 1)->text()))
                    table->item(r, 0)->setCheckState(Qt::Checked);
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>(connect ? QStringLiteral("pushButtonConnect")
                                                                      : QStringLiteral("pushButtonClose")),
                              Qt::LeftButton);
        });
        ui()->actMenuToolLANAutoSearch->trigger();
        QVERIFY(modalWhileUp);
        QVERIFY(!hub()->m_ModalDialog);
    }

private slots:
    void init()
    {
        MainWindowTestBase::init();
        m_port = DiscoveryResponder::findFreePort({Local, FanOut});
        QVERIFY(m_port != 0);
        m_setup.reset(new ScopedSearchSetup({{"lan0", "127.0.0.9", 24, FanOut.toString()}}, Local, m_port));
    }

    void cleanup()
    {
        MainWindowTestBase::cleanup();
        m_setup.reset();
    }

    // Each usable pick becomes a LAN projector at port 7142, numbered on
    // from those there; the list is saved once, All Projectors shown (queued)
    // and the new projectors refreshed in one request.
    void picksAreRegistered_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("requests");
        QTest::newRow("three") << 0 << QStringList{"127.0.0.2", "127.0.0.3", "127.0.0.4"}
                               << QStringList{"1 Setting1 127.0.0.2 7142 1 0 1 ", "2 Setting2 127.0.0.3 7142 1 0 1 ",
                                              "3 Setting3 127.0.0.4 7142 1 0 1 "}
                               << QStringList{"1 - 1 1 [1,2,3] 0 1"};
        // Such an address would be dropped when the list is read at the next start.
        QTest::newRow("no device address skipped")
            << 0 << QStringList{"127.0.0.2", "127.0.0.255", "127.0.1.0", "127.0.0.3"}
            << QStringList{"1 Setting1 127.0.0.2 7142 1 0 1 ", "2 Setting2 127.0.0.3 7142 1 0 1 "}
            << QStringList{"1 - 1 1 [1,2] 0 1"};
        QTest::newRow("nothing usable") << 0 << QStringList{"127.0.0.255"} << QStringList() << QStringList();
        QTest::newRow("registered again") << 1 << QStringList{"127.0.0.2"}
                                          << QStringList{"2 Setting2 127.0.0.2 7142 1 0 1 "}
                                          << QStringList{"1 - 1 1 [2] 0 1"};
    }

    void picksAreRegistered()
    {
        QFETCH(int, existing);
        QFETCH(QStringList, picks);
        QFETCH(QStringList, added);
        QFETCH(QStringList, requests);
        startWindow();
        for (int i = 0; i < existing; ++i)
            QVERIFY(hub()->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP, QStringLiteral("127.0.0.2"),
                                        QStringLiteral("7142"), true, QString()));
        const QStringList before = registered();
        m_Window->f_ShowAllProjectors();
        QCOMPARE(shownRows(), existing);
        FileWrites saves(m_Fixture->userListPath());
        QVERIFY(saves.isValid());
        RequestRecorder recorder;
        ScriptedMessageBoxes boxes;

        search(picks, picks);
        QCOMPARE(registered(), before + added);
        QCOMPARE(recorder.requests, requests);
        QCOMPARE(saves.count(), 1);
        QCOMPARE(boxes.shown.size(), 0);
        // Shown only once the event loop runs again.
        QCOMPARE(shownRows(), existing);
        QTRY_COMPARE(shownRows(), existing + added.size());
        QVERIFY(ui()->treeViewGroup->IsSelectedAllProjectors());
    }

    // Closed without Connect: nothing registered, nothing saved.
    void closeRegistersNothing()
    {
        startWindow();
        FileWrites saves(m_Fixture->userListPath());
        RequestRecorder recorder;
        search({"127.0.0.2"}, {"127.0.0.2"}, false);
        QCOMPARE(registered(), QStringList());
        QCOMPARE(recorder.requests, QStringList());
        QTest::qWait(50);
        QCOMPARE(saves.count(), 0);
    }

    // At most 2000 projectors: one box where the limit stops the walk; what
    // was added is still saved, shown and refreshed.
    void limitOf2000_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<int>("picked");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("boxes");
        QTest::newRow("1997 and 3") << 1997 << 3 << 3 << 0;
        QTest::newRow("1998 and 5") << 1998 << 5 << 2 << 1;
        QTest::newRow("2000 and 1") << 2000 << 1 << 0 << 1;
    }

    void limitOf2000()
    {
        QFETCH(int, existing);
        QFETCH(int, picked);
        QFETCH(int, added);
        QFETCH(int, boxes);
        startWindow();
        for (int i = 0; i < existing; ++i)
            QVERIFY(hub()->AddProjector(QStringLiteral("P%1").arg(i), 0, CProjectorData::TYPE_LAN::IP,
                                        QStringLiteral("10.0.%1.%2").arg(i / 200).arg(i % 200 + 1),
                                        QStringLiteral("7142"), true, QString()));
        std::vector<std::unique_ptr<CProjectorData>> owned;
        QMap<int, CProjectorData*> templates;
        for (int i = 0; i < picked; ++i) {
            owned.emplace_back(new CProjectorData(nullptr, 0));
            owned.back()->m_Address = QStringLiteral("10.9.0.%1").arg(i + 1);
            owned.back()->m_Port = QStringLiteral("7142");
            templates.insert(i, owned.back().get());
        }
        FileWrites saves(m_Fixture->userListPath());
        RequestRecorder recorder;
        ScriptedMessageBoxes script;

        QCOMPARE(m_Window->f_DirectAddProjector(&templates, true), 0);
        QCOMPARE(hub()->f_GetProjectorCount(), existing + added);
        QCOMPARE(script.shown.size(), boxes);
        if (boxes) {
            QCOMPARE(script.shown.at(0).icon, QMessageBox::Critical);
            QCOMPARE(script.shown.at(0).title, QStringLiteral("Lumivox 5"));
            QCOMPARE(script.shown.at(0).text, QStringLiteral("Up to 2000 settings can be entered."));
            QVERIFY(script.shown.at(0).modalFlag);
        }
        QStringList ids;
        for (int id = existing + 1; id <= existing + added; ++id)
            ids << QString::number(id);
        QCOMPARE(recorder.requests,
                 added ? QStringList{QStringLiteral("1 - 1 1 [%1] 0 1").arg(ids.join(','))} : QStringList());
        QCOMPARE(saves.count(), 1);
    }

    // When the hub has no id left, registration stops with -1: nothing is
    // saved, shown or refreshed. A save that fails is reported.
    void registrationFailures()
    {
        startWindow();
        CProjectorData pick(nullptr, 0);
        pick.m_Address = QStringLiteral("10.9.0.1");
        pick.m_Port = QStringLiteral("7142");
        QMap<int, CProjectorData*> templates{{0, &pick}};
        FileWrites saves(m_Fixture->userListPath());
        RequestRecorder recorder;
        ScriptedMessageBoxes boxes;
        QList<bool>* used = hub()->m_pIDUsedList;
        const QList<bool> free = *used;
        for (int id = 1; id < used->size(); ++id)
            (*used)[id] = true;
        QCOMPARE(m_Window->f_DirectAddProjector(&templates, true), -1);
        *used = free;
        QCOMPARE(hub()->f_GetProjectorCount(), 0);
        QCOMPARE(recorder.requests, QStringList());
        QCOMPARE(boxes.shown.size(), 0);
        QTest::qWait(50);
        QCOMPARE(saves.count(), 0);

        // The list's place taken by a folder: the save fails and says where.
        QVERIFY(QFile::remove(m_Fixture->userListPath()));
        QVERIFY(QDir().mkpath(m_Fixture->userListPath()));
        QCOMPARE(m_Window->f_DirectAddProjector(&templates, true), 0);
        QCOMPARE(hub()->f_GetProjectorCount(), 1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Warning);
        QVERIFY2(boxes.shown.at(0).text.contains(QDir::toNativeSeparators(m_Fixture->userListPath())),
                 qPrintable(boxes.shown.at(0).text));
        QCOMPARE(recorder.requests, QStringList{"1 - 1 1 [1] 0 1"});
    }

    // The serial search form only shows itself, modally, with a close button.
    void serialSearchFormShowsOnly()
    {
        startWindow();
        FileWrites saves(m_Fixture->userListPath());
        QString title;
        Qt::WindowFlags flags;
        bool modal = false;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            title = dialog->windowTitle();
            flags = dialog->windowFlags();
            modal = hub()->m_ModalDialog;
            QCOMPARE(dialog->size(), QSize(368, 278));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButton")), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            dialog->close();
        });
        m_Window->on_actMenuToolSerialAutoSearch_triggered();
        QCOMPARE(title, QStringLiteral("Serial Auto Search"));
        QCOMPARE(flags, Qt::WindowFlags(0x0A003003));
        QVERIFY(modal);
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(hub()->f_GetProjectorCount(), 0);
        QCOMPARE(saves.count(), 0);
    }

    // Tool > LAN Auto Search... by keyboard over three simulated projectors
    // that answer discovery and the projector protocol: two ticked, Connect;
    // they are saved, listed, and their first refresh shows their model.
    void endToEnd()
    {
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CProjectorSimulator simulator;
        DiscoveryResponder responder(m_port);
        QVERIFY(responder.setFanOutAddress(FanOut));
        for (const QString& a : ProjectorAddresses) {
            CSimulatedProjector* projector = simulator.AddProjector(QHostAddress(a), 7142);
            QVERIFY2(projector, qPrintable(simulator.ErrorString()));
            projector->SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
            QVERIFY(responder.addResponder(QHostAddress(a)));
        }
        startWindow();
        // The window goes before the simulator it talks to.
        struct Teardown
        {
            std::unique_ptr<Lumivox5Main>& window;
            ~Teardown() { window.reset(); }
        } teardown{m_Window};
        m_Window->show();
        QApplication::setActiveWindow(m_Window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_Window.get()));

        const QStringList picked = ProjectorAddresses.mid(0, 2);
        QStringList rows;
        QTest::keyClick(m_Window.get(), Qt::Key_T, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu, ui()->menuTool);
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidgetPJList"));
            QVERIFY(table);
            QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 3, 3000);
            table->setFocus();
            for (int r = 0; r < table->rowCount(); ++r) {
                rows << table->item(r, 1)->text();
                QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
                for (int down = 0; down < r; ++down)
                    QTest::keyClick(table, Qt::Key_Down);
                if (picked.contains(rows.last()))
                    QTest::keyClick(table, Qt::Key_Space);
            }
            QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
        });
        // "&Launch application" shares the L: it selects, Return runs.
        QTest::keyClick(menu, Qt::Key_L);
        QCOMPARE(menu->activeAction(), ui()->actMenuToolLANAutoSearch);
        QTest::keyClick(menu, Qt::Key_Return);

        rows.sort();
        QCOMPARE(rows, ProjectorAddresses);
        QStringList saved = m_Fixture->savedProjectors({"SettingName", "IPAddress", "LanPort", "LanType"});
        saved.sort();
        QCOMPARE(saved, QStringList({QStringLiteral("Setting1 %1 7142 IP").arg(picked.at(0)),
                                     QStringLiteral("Setting2 %1 7142 IP").arg(picked.at(1))}));
        QTRY_COMPARE(shownRows(), 2);
        // The first refresh reaches the projectors and shows their model.
        for (int id : {1, 2})
            QTRY_COMPARE_WITH_TIMEOUT(hub()->GetProjectorData(id)->GetModelNameString(), QStringLiteral("LV-L100"),
                                      15000);
        CProjectorTreeView* list = ui()->treeViewPJList;
        int modelColumn = -1;
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            if (list->model()->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Model Name"))
                modelColumn = c;
        }
        QVERIFY(modelColumn >= 0);
        for (int r = 0; r < list->model()->rowCount(); ++r)
            QTRY_COMPARE(list->model()->index(r, modelColumn).data().toString(), QStringLiteral("LV-L100"));
    }
};

QTEST_MAIN(tst_Lumivox5MainSearch)
#include "tst_Lumivox5MainSearch.moc"
