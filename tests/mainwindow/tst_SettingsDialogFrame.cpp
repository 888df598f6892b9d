#include <QtTest>

#include "CLumivox5Data.h"
#include "CTestFolders.h"
#include "SettingsDialogFrame.h"

#include <QDialog>
#include <QMainWindow>

#include <stdexcept>

namespace {

// A dialog that records how it was run and answers at once.
class DummyDialog : public QDialog
{
public:
    explicit DummyDialog(QWidget* parent)
        : QDialog(parent)
    {
        ++alive;
    }
    ~DummyDialog() override { --alive; }

    int exec() override
    {
        ran = true;
        flagInside = hub && hub->m_ModalDialog;
        flags = windowFlags();
        parent = parentWidget();
        modal = isModal();
        preparedBeforeExec = prepared;
        return answer;
    }

    bool prepared = false;

    static int alive;
    static CLumivox5Data* hub;
    static int answer;
    static bool ran;
    static bool flagInside;
    static bool modal;
    static bool preparedBeforeExec;
    static Qt::WindowFlags flags;
    static QWidget* parent;
};

int DummyDialog::alive = 0;
CLumivox5Data* DummyDialog::hub = nullptr;
int DummyDialog::answer = 0;
bool DummyDialog::ran = false;
bool DummyDialog::flagInside = false;
bool DummyDialog::modal = false;
bool DummyDialog::preparedBeforeExec = false;
Qt::WindowFlags DummyDialog::flags;
QWidget* DummyDialog::parent = nullptr;

} // namespace

class tst_SettingsDialogFrame : public QObject
{
    Q_OBJECT

private slots:
    void runsTheDialogInTheFrame_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("throwing");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("applied");
        QTest::newRow("accepted") << 1 << false << 1 << true;
        QTest::newRow("rejected") << 0 << false << 0 << false;
        QTest::newRow("accepted, apply throws") << 1 << true << 0 << true;
        QTest::newRow("rejected, nothing thrown") << 0 << true << 0 << false;
    }

    void runsTheDialogInTheFrame()
    {
        QFETCH(int, answer);
        QFETCH(bool, throwing);
        QFETCH(int, result);
        QFETCH(bool, applied);
        CTestFolders folders;
        std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
        QMainWindow window;
        DummyDialog::hub = hub.get();
        DummyDialog::answer = answer;
        DummyDialog::ran = false;
        bool didApply = false;
        const int got = RunSettingsDialog<DummyDialog>(
            &window, hub.get(), [](DummyDialog* dialog) { dialog->prepared = true; },
            [&](DummyDialog*) {
                didApply = true;
                if (throwing)
                    throw std::runtime_error("apply failed");
            });
        QCOMPARE(got, result);
        QVERIFY(DummyDialog::ran);
        QCOMPARE(didApply, applied);
        QVERIFY(DummyDialog::flagInside);
        QVERIFY(!hub->m_ModalDialog);
        QVERIFY(DummyDialog::modal);
        QVERIFY(DummyDialog::preparedBeforeExec);
        QCOMPARE(DummyDialog::parent, static_cast<QWidget*>(&window));
        QCOMPARE(int(DummyDialog::flags), 0x0A003003);
        QCOMPARE(DummyDialog::alive, 0);
        QVERIFY(window.findChildren<QDialog*>().isEmpty());
    }

    void aThrowingPreparationRunsNoDialog()
    {
        CTestFolders folders;
        std::unique_ptr<CLumivox5Data> hub = CTestFolders::makeHub();
        DummyDialog::hub = hub.get();
        DummyDialog::ran = false;
        bool didApply = false;
        const int got = RunSettingsDialog<DummyDialog>(
            nullptr, hub.get(), [](DummyDialog*) { throw std::runtime_error("no data"); },
            [&](DummyDialog*) { didApply = true; });
        QCOMPARE(got, 0);
        QVERIFY(!DummyDialog::ran);
        QVERIFY(!didApply);
        QVERIFY(!hub->m_ModalDialog);
        QCOMPARE(DummyDialog::alive, 0);
    }
};

QTEST_MAIN(tst_SettingsDialogFrame)
#include "tst_SettingsDialogFrame.moc"
