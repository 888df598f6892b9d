#include <QtTest>

#include "DiscoveryResponder.h"
#include "DiscoveryTestRig.h"
#include "GuiTestSupport.h"
#include "PJSearch.h"
#include "PJSearchDlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <memory>

namespace {

const QHostAddress Local(QStringLiteral("127.0.0.1"));
const QHostAddress FanOut(QStringLiteral("127.0.0.250"));
const QList<QHostAddress> Projectors{QHostAddress(QStringLiteral("127.0.0.2")), QHostAddress(QStringLiteral("127.0.0.3"))};
// Row 0's broadcast domain holds the projectors; nobody answers on row 1's.
const QList<ScopedSearchSetup::Row> Interfaces{{"lan0", "127.0.0.9", 24, "127.0.0.250"},
                                               {"lan1", "127.0.0.10", 24, "127.0.0.251"}};
const int SearchEndMs = 8000;

QTableWidget* tableOf(QWidget* dialog)
{
    return dialog->findChild<QTableWidget*>(QStringLiteral("tableWidgetPJList"));
}

QPushButton* button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

PJSearchUdp* engineOf(QWidget* dialog)
{
    return dialog->findChild<PJSearchUdp*>();
}

// Each row as "name|address|status|check state", -1 for no check box.
QStringList rowsOf(QTableWidget* table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem* name = table->item(r, 0);
        const QVariant check = name->data(Qt::CheckStateRole);
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(name->text(), table->item(r, 1)->text(), table->item(r, 2)->text())
                    .arg(check.isValid() ? check.toInt() : -1);
    }
    return rows;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString answered(const QHostAddress& address, const QString& status = QString())
{
    return QStringLiteral("PJ-%1|%1|%2|0").arg(address.toString(), status);
}

void tick(QTableWidget* table, int row, Qt::CheckState state)
{
    table->item(row, 0)->setCheckState(state);
}

} // namespace

// The search dialog and its facade over a broadcast domain of simulated
// projectors on loopback.
class tst_PJSearchDlg : public QObject
{
    Q_OBJECT

    quint16 m_port = 0;
    std::unique_ptr<DiscoveryResponder> m_responder;
    std::unique_ptr<ScopedSearchSetup> m_setup;

    QSet<quint16> requestSeqNos()
    {
        QSet<quint16> seqNos;
        for (const DiscoveryDatagram& d : m_responder->log(SRCH_CMD_BROADCAST))
            seqNos.insert(DiscoveryResponder::seqNoOf(d.data));
        return seqNos;
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        // A desktop's font; the offscreen platform's own is larger.
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));
    }

    void init()
    {
        m_port = DiscoveryResponder::findFreePort({Local, FanOut, Projectors.at(0), Projectors.at(1)});
        QVERIFY(m_port != 0);
        m_responder.reset(new DiscoveryResponder(m_port));
        for (const QHostAddress& a : Projectors)
            QVERIFY(m_responder->addResponder(a));
        QVERIFY(m_responder->setFanOutAddress(FanOut));
        m_setup.reset(new ScopedSearchSetup(Interfaces, Local, m_port));
    }

    void cleanup()
    {
        m_setup.reset();
        m_responder.reset();
    }

    // Building the dialog starts no search; UpdateExec starts one broadcast
    // search on interface row 0 and the ticks list who answered.
    void openingSearchesTheFirstInterface()
    {
        PJSearchDlg dialog(0x20, Projectors.at(1), 0, nullptr);
        QComboBox* combo = dialog.findChild<QComboBox*>(QStringLiteral("comboBoxNic"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("lan0"));
        QCOMPARE(combo->itemText(1), QStringLiteral("lan1"));
        QCOMPARE(dialog.windowFlags(), Qt::WindowFlags(0x0A003003));
        QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog.minimumSize(), QSize(541, 265));
        QCOMPARE(dialog.maximumSize(), QSize(541, 265));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Projector List"));
        QVERIFY(!button(&dialog, "pushButtonConnect")->isEnabled());
        QTest::qWait(100);
        QCOMPARE(m_responder->log().size(), 0);

        dialog.UpdateExec();
        dialog.show();
        QTableWidget* table = tableOf(&dialog);
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 2000);
        QCOMPARE(sorted(rowsOf(table)),
                 QStringList({answered(Projectors.at(0)), answered(Projectors.at(1), QStringLiteral("Connected"))}));
        QCOMPARE(table->rowHeight(0), QFontMetrics(QApplication::font()).height() + 6);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("IP Address"));
        // The columns fit the table: nothing to scroll sideways, no status cut off.
        QHeaderView* header = table->horizontalHeader();
        QVERIFY2(header->length() <= table->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(header->length()).arg(table->viewport()->width())));
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        const QFontMetrics metrics(table->font());
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Search Failed")) < header->sectionSize(2));
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("255.255.255.255")) < header->sectionSize(1));
        QVERIFY(header->sectionSize(0) >= 90);

        QTRY_VERIFY_WITH_TIMEOUT(!engineOf(&dialog)->isRunning(), SearchEndMs);
        const QList<DiscoveryDatagram> sent = m_responder->log(SRCH_CMD_BROADCAST);
        QVERIFY(!sent.isEmpty());
        for (const DiscoveryDatagram& d : sent) {
            QCOMPARE(d.receiver, FanOut);
            QCOMPARE(d.data, expectedRequest(1, timeStampOf(sent.at(0).data), SRCH_CMD_BROADCAST, 0x20));
        }
    }

    // Connect follows the ticks; the chosen addresses come back in row
    // order. Close gives nothing, and both keep the address input.
    void facadeResults_data()
    {
        QTest::addColumn<bool>("connect");
        QTest::newRow("connect") << true;
        QTest::newRow("close") << false;
    }

    void facadeResults()
    {
        QFETCH(bool, connect);
        QStringList shownRows;
        bool runningAtShow = false;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            runningAtShow = engineOf(dialog) && engineOf(dialog)->isRunning();
            QTableWidget* table = tableOf(dialog);
            QPushButton* connectButton = button(dialog, "pushButtonConnect");
            QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 2000);
            shownRows = rowsOf(table);
            QVERIFY(!connectButton->isEnabled());
            tick(table, 1, Qt::Checked);
            QVERIFY(connectButton->isEnabled());
            tick(table, 1, Qt::Unchecked);
            QVERIFY(!connectButton->isEnabled());
            tick(table, 1, Qt::Checked);
            tick(table, 0, Qt::Checked);
            QTest::mouseClick(button(dialog, connect ? "pushButtonConnect" : "pushButtonClose"), Qt::LeftButton);
        });
        PJSearch search;
        QHostAddress range[2] = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("10.0.0.9"))};
        const int result = search.SearchDlg(0x20, QHostAddress(), 1, range, nullptr);
        QVERIFY(runningAtShow);
        QCOMPARE(shownRows.size(), 2);
        // A null connected address marks no row.
        for (const QString& row : shownRows)
            QVERIFY2(row.endsWith(QStringLiteral("||0")), qPrintable(row));
        QCOMPARE(result, connect ? 1 : 0);
        QList<QHostAddress> expected;
        for (const QString& row : shownRows)
            expected << QHostAddress(row.section(QLatin1Char('|'), 1, 1));
        QCOMPARE(search.GetIpAddress(), connect ? expected : QList<QHostAddress>());
        int mode = -1;
        QHostAddress back[2];
        QCOMPARE(search.GetInputAddress(mode, back), 0);
        QCOMPARE(mode, 1);
        QCOMPARE(back[0], range[0]);
        QCOMPARE(back[1], range[1]);
    }

    // Update during a search clears the table and waits for the search's
    // end; another interface does the same with its own targets.
    void updateAndInterfaceChangeDuringASearch()
    {
        PJSearchDlg dialog(0x20, QHostAddress(), 0, nullptr);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QTableWidget* table = tableOf(&dialog);
        QPushButton* update = button(&dialog, "pushButtonUpdate");
        dialog.UpdateExec();
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 2000);
        PJSearchUdp* engine = engineOf(&dialog);
        QVERIFY(engine->isRunning());

        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!update->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(update->isEnabled(), SearchEndMs);
        QCOMPARE(dialog.focusWidget(), update);
        QCOMPARE(requestSeqNos(), QSet<quint16>{1});

        // Idle: another interface starts its own search at once.
        dialog.findChild<QComboBox*>(QStringLiteral("comboBoxNic"))->setCurrentIndex(1);
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(engine->isRunning());
        QVERIFY(update->isEnabled());
        QCOMPARE(engine->SearchIpList(),
                 QList<QHostAddress>({QHostAddress(QStringLiteral("127.0.0.10")), QHostAddress(QStringLiteral("127.0.0.251"))}));
        // Running: back to row 0 only hands the engine the targets, where
        // its next requests go.
        dialog.findChild<QComboBox*>(QStringLiteral("comboBoxNic"))->setCurrentIndex(0);
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!update->isEnabled());
        QCOMPARE(engine->SearchIpList(), QList<QHostAddress>({QHostAddress(QStringLiteral("127.0.0.9")), FanOut}));
        QTRY_VERIFY_WITH_TIMEOUT(update->isEnabled(), SearchEndMs);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(requestSeqNos(), QSet<quint16>({1, 2}));
    }

    // A search anew clears the table and its ticks: Connect goes with them.
    void newSearchDisablesConnect_data()
    {
        QTest::addColumn<bool>("byUpdate");
        QTest::newRow("Update") << true;
        QTest::newRow("another interface") << false;
    }

    void newSearchDisablesConnect()
    {
        QFETCH(bool, byUpdate);
        PJSearchDlg dialog(0x20, QHostAddress(), 0, nullptr);
        dialog.show();
        QTableWidget* table = tableOf(&dialog);
        QPushButton* connect = button(&dialog, "pushButtonConnect");
        dialog.UpdateExec();
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 2, 2000);
        tick(table, 0, Qt::Checked);
        QVERIFY(connect->isEnabled());
        if (byUpdate)
            QTest::mouseClick(button(&dialog, "pushButtonUpdate"), Qt::LeftButton);
        else
            dialog.findChild<QComboBox*>(QStringLiteral("comboBoxNic"))->setCurrentIndex(1);
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!connect->isEnabled());
    }

    // The eleventh tick that finds a search running stops it; each search
    // gets its ten ticks anew.
    void searchStoppedAtTheTickLimit()
    {
        PJSearchDlg dialog(0x20, QHostAddress(), 0, nullptr);
        auto* timer = dialog.findChild<QTimer*>(QStringLiteral("timerSearch"));
        QVERIFY(timer);
        // The engine's own broadcast search lasts four of its half seconds.
        timer->setInterval(20);
        QSignalSpy ticks(timer, &QTimer::timeout);
        for (int search = 0; search < 2; ++search) {
            ticks.clear();
            dialog.UpdateExec();
            QVERIFY(engineOf(&dialog)->isRunning());
            QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), SearchEndMs);
            QVERIFY(!engineOf(&dialog)->isRunning());
            QCOMPARE(ticks.count(), PJSearchDlg::TIMEOUT_TICKS + 1);
        }
    }

    // The facade hands on help and help-parent changes, the address input
    // announced while it is up.
    void facadeSignals()
    {
        PJSearch search;
        QList<QWidget*> help;
        QList<QWidget*> announced;
        connect(&search, &PJSearch::ShowHelpSignal, this, [&](QWidget* w) { help << w; });
        connect(&search, &PJSearch::HTMLViewerParentChangeSignal, this, [&](QWidget* w) { announced << w; });
        QWidget* searchDialog = nullptr;
        QWidget* inputDialog = nullptr;
        QStringList classes;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            searchDialog = dialog;
            classes << dialog->metaObject()->className();
            QTest::mouseClick(button(dialog, "pushButtonHelp"), Qt::LeftButton);
            GuiTestSupport::OnNextPopup([&](QWidget* input) {
                inputDialog = input;
                classes << input->metaObject()->className();
                QTest::mouseClick(button(input, "pushButtonCancel"), Qt::LeftButton);
            });
            QTest::mouseClick(button(dialog, "pushButtonInputAddress"), Qt::LeftButton);
            QTest::mouseClick(button(dialog, "pushButtonClose"), Qt::LeftButton);
        });
        QHostAddress range[2];
        QCOMPARE(search.SearchDlg(0x20, QHostAddress(), 0, range, nullptr), 0);
        // Both are gone by now; only their addresses are compared.
        QCOMPARE(classes, QStringList({"PJSearchDlg", "AddressInput"}));
        QCOMPARE(help, QList<QWidget*>{searchDialog});
        QCOMPARE(announced, QList<QWidget*>({searchDialog, inputDialog, searchDialog, nullptr}));
    }
};

QTEST_MAIN(tst_PJSearchDlg)
#include "tst_PJSearchDlg.moc"
