#include <QtTest>

#include "CLineEditForIPAddress.h"
#include "DiscoveryResponder.h"
#include "DiscoveryTestRig.h"
#include "CLumivox5Data.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "PJSearchDlg.h"
#include "StartedMainWindow.h"

#include <QComboBox>
#include <QLoggingCategory>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <memory>

namespace {

// Searches here send to documentation addresses: CTest runs this test in a
// private network namespace with only loopback up, where they go nowhere.
// Answers are put into the dialog's engine as a reply would put them.
const QHostAddress Local(QStringLiteral("127.0.0.1"));
const QList<ScopedSearchSetup::Row> Interfaces{{"lan0", "192.0.2.1", 24, "192.0.2.255"}};
const int SearchEndMs = 8000;

QHostAddress net(int host)
{
    return QHostAddress(QStringLiteral("192.0.2.%1").arg(host));
}

bool onlyLoopback()
{
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        if (!(nic.flags() & QNetworkInterface::IsLoopBack) && !nic.addressEntries().isEmpty())
            return false;
    }
    return true;
}

// Each row as "name|address|status|check state", -1 for no check box.
QStringList rowsOf(QTableWidget* table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QVariant check = table->item(r, 0)->data(Qt::CheckStateRole);
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text())
                    .arg(check.isValid() ? check.toInt() : -1);
    }
    return rows;
}

QStringList entriesOf(const PJSearchUdp* engine)
{
    QStringList entries;
    for (int i = 0; i < engine->PJListCount(); ++i) {
        PJ_LIST_INFO info;
        engine->PJListGet(i, info);
        entries << info.address.toString();
    }
    return entries;
}

QString row(int host, const QString& name, const QString& status, int check)
{
    return QStringLiteral("%1|%2|%3|%4").arg(name, net(host).toString(), status).arg(check);
}

// Enters one address (last = 0) or a range through Input Address... and Add.
void enterAddresses(QWidget* searchDialog, int first, int last)
{
    GuiTestSupport::OnNextPopup([=](QWidget* box) {
        box->findChild<QRadioButton*>(last ? QStringLiteral("radioButtonInputIpRange")
                                           : QStringLiteral("radioButtonInputIpSpecify"))
            ->setChecked(true);
        box->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4Start"))->setText(net(first).toString());
        if (last)
            box->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4End"))->setText(net(last).toString());
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("pushButtonAdd")), Qt::LeftButton);
    });
    QTest::mouseClick(searchDialog->findChild<QPushButton*>(QStringLiteral("pushButtonInputAddress")), Qt::LeftButton);
}

// The search dialog on its own (no search until asked).
struct Dialog
{
    PJSearchDlg dialog{0x20, QHostAddress(), 0, nullptr};
    QTableWidget* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidgetPJList"));
    QTimer* timer = dialog.findChild<QTimer*>(QStringLiteral("timerSearch"));

    PJSearchUdp* engine() { return dialog.findChild<PJSearchUdp*>(); }

    void search(int first, int last = 0) { enterAddresses(&dialog, first, last); }
    // Until the search has ended and its last tick has listed what came.
    bool ended() { return QTest::qWaitFor([this] { return !timer->isActive(); }, SearchEndMs); }
    void answer(int host) { engine()->PJListAdd(net(host), QStringLiteral("PJ-%1").arg(host), 0); }
    void tick(int r) { table->item(r, 0)->setCheckState(Qt::Checked); }
};

} // namespace

// Searches of the search dialog at entered addresses.
class tst_PJSearchDlgAddress : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScopedSearchSetup> m_setup;

private slots:
    void initTestCase()
    {
        if (qgetenv("LUMIVOX_PRIVATE_NETWORK") != "1" || !onlyLoopback())
            QSKIP("sends to 192.0.2.x: runs only in a private network namespace (scripts/in-private-network.sh)");
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));
    }

    void init()
    {
        const quint16 port = DiscoveryResponder::findFreePort({Local});
        QVERIFY(port != 0);
        m_setup.reset(new ScopedSearchSetup(Interfaces, Local, port));
    }

    void cleanup() { m_setup.reset(); }

    // The targets: the interface's own address, then the range in order.
    // Silent addresses of a range give no rows.
    void rangeTargets()
    {
        Dialog d;
        d.search(10, 12);
        QVERIFY(d.engine());
        QCOMPARE(d.engine()->Mode(), unsigned(SRCH_CMD_UNICAST));
        QCOMPARE(d.engine()->SearchIpList(), QList<QHostAddress>({net(1), net(10), net(11), net(12)}));
        QVERIFY(d.ended());
        QCOMPARE(d.table->rowCount(), 0);
        int mode = -1;
        QHostAddress range[2];
        d.dialog.GetInputAddress(mode, range);
        QCOMPARE(mode, 1);
        QCOMPARE(range[0], net(10));
        QCOMPARE(range[1], net(12));
    }

    // A single address that stays silent is listed as failed: no check box,
    // disabled, greyed. One that answers gets its ordinary row; the failed
    // row goes when the next address search starts.
    void singleAddress()
    {
        Dialog d;
        d.search(20);
        QVERIFY(d.ended());
        QCOMPARE(rowsOf(d.table), QStringList{row(20, QString(), QStringLiteral("Search Failed"), -1)});
        const QBrush grey = d.table->palette().brush(QPalette::Disabled, QPalette::WindowText);
        for (int column = 0; column < 3; ++column) {
            QVERIFY(!(d.table->item(0, column)->flags() & Qt::ItemIsEnabled));
            QVERIFY(d.table->item(0, column)->flags() & Qt::ItemIsSelectable);
            QCOMPARE(d.table->item(0, column)->foreground(), grey);
        }

        d.search(21);
        d.answer(21);
        QVERIFY(d.ended());
        QCOMPARE(rowsOf(d.table), QStringList{row(21, QStringLiteral("PJ-21"), QString(), 0)});
        QVERIFY(d.table->item(0, 0)->flags() & Qt::ItemIsEnabled);
    }

    // Rows of a broadcast search stay; an address search appends its
    // answers below them, each address once.
    void broadcastRowsStay()
    {
        Dialog d;
        d.dialog.UpdateExec();
        d.answer(30);
        d.answer(31);
        QVERIFY(d.ended());
        QCOMPARE(d.table->rowCount(), 2);
        d.search(30, 32);
        d.answer(31);
        d.answer(32);
        QVERIFY(d.ended());
        QCOMPARE(rowsOf(d.table), QStringList({row(30, "PJ-30", QString(), 0), row(31, "PJ-31", QString(), 0),
                                               row(32, "PJ-32", QString(), 0)}));
    }

    // An address that failed before is listed when it answers a later
    // search; the rows stay those of the found list, the ticks kept.
    void failedAddressAnswersLater()
    {
        Dialog d;
        d.search(41);
        d.answer(41);
        QVERIFY(d.ended());
        d.search(40);
        QVERIFY(d.ended());
        d.tick(0);
        QCOMPARE(rowsOf(d.table), QStringList({row(41, "PJ-41", QString(), 2),
                                               row(40, QString(), QStringLiteral("Search Failed"), -1)}));

        d.search(40);
        QCOMPARE(entriesOf(d.engine()), QStringList{net(41).toString()});
        QCOMPARE(d.table->rowCount(), 1);
        d.answer(40);
        QVERIFY(d.ended());
        QCOMPARE(rowsOf(d.table), QStringList({row(41, "PJ-41", QString(), 2), row(40, "PJ-40", QString(), 0)}));
        QCOMPARE(entriesOf(d.engine()), QStringList({net(41).toString(), net(40).toString()}));
        QVERIFY(d.dialog.findChild<QPushButton*>(QStringLiteral("pushButtonConnect"))->isEnabled());
    }

    // The main window opens its next search with the last address input,
    // also when that search was closed without Connect.
    void windowRemembersTheInputAfterClose()
    {
        MainWindowFixture fixture;
        std::unique_ptr<Lumivox5Main> window =
            StartMainWindow(fixture, "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n");
        QVERIFY(window);
        const auto close = [](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButtonClose")), Qt::LeftButton);
        };
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            enterAddresses(dialog, 60, 62);
            close(dialog);
        });
        window->f_LANAutoSearch();

        QStringList shown;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            GuiTestSupport::OnNextPopup([&](QWidget* input) {
                shown << QString::number(input->findChild<QRadioButton*>(QStringLiteral("radioButtonInputIpRange"))->isChecked())
                      << input->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4Start"))->text()
                      << input->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4End"))->text();
                QTest::mouseClick(input->findChild<QPushButton*>(QStringLiteral("pushButtonCancel")), Qt::LeftButton);
            });
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButtonInputAddress")), Qt::LeftButton);
            close(dialog);
        });
        window->f_LANAutoSearch();
        QCOMPARE(shown, QStringList({"1", "192.   0.   2.   60", "192.   0.   2.   62"}));
        QCOMPARE(window->m_Lumivox5Data->f_GetProjectorCount(), 0);
    }

    // Without an interface an accepted input starts nothing and is not kept.
    void noInterfaceNoSearch()
    {
        m_setup.reset();
        m_setup.reset(new ScopedSearchSetup({}, Local, 0));
        Dialog d;
        d.search(50);
        QVERIFY(!d.engine());
        QVERIFY(!d.timer->isActive());
        int mode = -1;
        QHostAddress range[2];
        d.dialog.GetInputAddress(mode, range);
        QCOMPARE(mode, 0);
        QVERIFY(range[0].isNull());
    }
};

QTEST_MAIN(tst_PJSearchDlgAddress)
#include "tst_PJSearchDlgAddress.moc"
