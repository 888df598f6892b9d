#include <QtTest>

#include "AddressInput.h"
#include "CLineEditForIPAddress.h"
#include "GuiTestSupport.h"
#include "Ipv4Text.h"
#include "ScriptedModalBoxes.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace {

// Qt reports the mask without its blank character.
const QString IPV4_MASK = QStringLiteral("000.   000.   000.   000");

quint32 ipv4(const QString& text)
{
    quint32 value = 0;
    return parseIpv4Text(text, &value) ? value : 0;
}

// The address dialog shown and active, so that focus moves can be seen.
struct ShownInput
{
    std::unique_ptr<AddressInput> dialog;
    CLineEditForIPAddress* start = nullptr;
    CLineEditForIPAddress* end = nullptr;
    QPushButton* add = nullptr;

    ShownInput(int mode, QHostAddress* addresses)
        : dialog(new AddressInput(mode, addresses))
    {
        start = dialog->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4Start"));
        end = dialog->findChild<CLineEditForIPAddress*>(QStringLiteral("txtLANIPv4End"));
        add = dialog->findChild<QPushButton*>(QStringLiteral("pushButtonAdd"));
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    bool active() const { return QTest::qWaitForWindowActive(dialog.get()); }
    void setRange(bool on)
    {
        dialog->findChild<QRadioButton*>(on ? QStringLiteral("radioButtonInputIpRange")
                                            : QStringLiteral("radioButtonInputIpSpecify"))
            ->setChecked(true);
    }
};

} // namespace

// The address edit's kinds and octet navigation, and the address input
// dialog's rules, field coupling and keys.
class tst_AddressInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }

    // A kind takes effect at a show or on request, never when it is set.
    void kindsApplyAtShowOrOnRequest_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("byShow");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("hiddenText");
        const int left = int(Qt::AlignLeft);
        const int centre = int(Qt::AlignHCenter);
        const int plain = int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("plain") << 0 << true << QString() << plain << 32767 << false;
        // The mask's own length.
        QTest::newRow("ipv4 at show") << 1 << true << IPV4_MASK << centre << 24 << true;
        QTest::newRow("ipv4 on request") << 1 << false << IPV4_MASK << centre << 24 << true;
        QTest::newRow("ipv6") << 2 << true << QString() << left << 32767 << true;
        QTest::newRow("host name") << 3 << false << QString() << left << 32 << true;
        QTest::newRow("unknown kind acts as plain") << 7 << true << QString() << plain << 32767 << false;
    }

    void kindsApplyAtShowOrOnRequest()
    {
        QFETCH(int, kind);
        QFETCH(bool, byShow);
        QFETCH(QString, mask);
        QFETCH(int, alignment);
        QFETCH(int, maxLength);
        QFETCH(bool, hiddenText);
        CLineEditForIPAddress edit;
        edit.m_AddressMode = kind;
        QCOMPARE(edit.inputMask(), QString());
        QCOMPARE(int(edit.alignment()), int(Qt::AlignLeft | Qt::AlignVCenter));
        if (byShow)
            edit.show();
        else
            edit.inputMaskChanging();
        QCOMPARE(edit.inputMask(), mask);
        QCOMPARE(int(edit.alignment()), alignment);
        QCOMPARE(edit.maxLength(), maxLength);
        QCOMPARE(bool(edit.inputMethodHints() & Qt::ImhHiddenText), hiddenText);

        // Every show applies the kind again (whatever it is by then).
        edit.setAlignment(Qt::AlignRight);
        edit.hide();
        edit.show();
        QCOMPARE(int(edit.alignment()), kind >= 1 && kind <= 3 ? alignment : int(Qt::AlignRight));
        if (kind == 3) {
            QTest::keyClicks(&edit, QString(40, QLatin1Char('h')));
            QCOMPARE(edit.text().size(), 32);
        }
    }

    void maskedTextParses()
    {
        CLineEditForIPAddress edit;
        edit.m_AddressMode = CLineEditForIPAddress::MODE_IPV4;
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("10.1.2.3"));
        QCOMPARE(edit.text(), QStringLiteral("10.   1.   2.   3"));
        QCOMPARE(ipv4(edit.text()), QHostAddress(QStringLiteral("10.1.2.3")).toIPv4Address());
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("192168001010"));
        QCOMPARE(edit.text(), QStringLiteral("192.   168.   001.   010"));
        QCOMPARE(ipv4(edit.text()), QHostAddress(QStringLiteral("192.168.1.10")).toIPv4Address());
        // Typed over a filled field, each dot still ends its own octet.
        edit.setText(QStringLiteral("192.0.2.20"));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("192.0.2.30"));
        QCOMPARE(edit.text(), QStringLiteral("192.   0.   2.   30"));
    }

    // Octet navigation of the IPv4 kind: where the cursor goes and whether
    // the key was used; an unused key goes on to the widget's owner.
    void octetNavigation_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<QString>("textAfter");
        const QString full = QStringLiteral("192.168.1.10");
        const QString fullMasked = QStringLiteral("192.   168.   1.   10");
        // Tab goes just behind the next dot (4, 11, 18); the masked edit puts
        // a cursor there on the octet's first digit place (7, 14, 21).
        for (int p = 0; p <= 2; ++p)
            QTest::newRow(qPrintable(QStringLiteral("tab at %1").arg(p)))
                << 1 << full << p << int(Qt::Key_Tab) << 7 << true << fullMasked;
        QTest::newRow("tab on the first dot") << 1 << full << 3 << int(Qt::Key_Tab) << 7 << true << fullMasked;
        QTest::newRow("tab in octet 3") << 1 << full << 14 << int(Qt::Key_Tab) << 21 << true << fullMasked;
        QTest::newRow("backtab in octet 3") << 1 << full << 14 << int(Qt::Key_Backtab) << 7 << true << fullMasked;
        QTest::newRow("backtab in octet 2") << 1 << full << 8 << int(Qt::Key_Backtab) << 0 << true << fullMasked;
        QTest::newRow("tab in octet 4 passes on") << 1 << full << 22 << int(Qt::Key_Tab) << 22 << false << fullMasked;
        QTest::newRow("backtab in octet 1 passes on")
            << 1 << full << 1 << int(Qt::Key_Backtab) << 1 << false << fullMasked;
        QTest::newRow("dot in an empty octet is ignored")
            << 1 << QStringLiteral("192...") << 7 << int(Qt::Key_Period) << 7 << true << QStringLiteral("192.   .   .   ");
        QTest::newRow("dot at the start of a filled octet is ignored")
            << 1 << full << 7 << int(Qt::Key_Period) << 7 << true << fullMasked;
        QTest::newRow("dot at the start of the field is ignored")
            << 1 << full << 0 << int(Qt::Key_Period) << 0 << true << fullMasked;
        QTest::newRow("dot after a short octet moves on")
            << 1 << full << 8 << int(Qt::Key_Period) << 14 << true << fullMasked;
        QTest::newRow("dot after three digits moves on")
            << 1 << QStringLiteral("192") << 3 << int(Qt::Key_Period) << 7 << true << QStringLiteral("192.   .   .   ");
        QTest::newRow("plain kind types the dot") << 0 << QStringLiteral("192") << 3 << int(Qt::Key_Period) << 4
                                                  << true << QStringLiteral("192.");
        QTest::newRow("plain kind leaves tab") << 0 << full << 0 << int(Qt::Key_Tab) << 0 << false << full;
    }

    void octetNavigation()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(int, after);
        QFETCH(bool, consumed);
        QFETCH(QString, textAfter);
        CLineEditForIPAddress edit;
        edit.m_AddressMode = kind;
        edit.inputMaskChanging();
        edit.setText(text);
        edit.setCursorPosition(cursor);
        const QString typed = key == Qt::Key_Period ? QStringLiteral(".") : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        press.setAccepted(true);
        edit.keyPressEvent(&press);
        QCOMPARE(edit.cursorPosition(), after);
        QCOMPARE(press.isAccepted(), consumed);
        QCOMPARE(edit.text(), textAfter);
    }

    // Which entries Add accepts, in both modes; a refusal is one warning
    // and leaves the dialog open with its fields as they were.
    void validity_data()
    {
        QTest::addColumn<bool>("range");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("range 10 to 20") << true << "192.168.1.10" << "192.168.1.20" << true;
        QTest::newRow("range 20 to 10") << true << "192.168.1.20" << "192.168.1.10" << false;
        QTest::newRow("range across networks") << true << "192.168.1.10" << "192.168.2.10" << false;
        QTest::newRow("range of one") << true << "192.168.1.10" << "192.168.1.10" << true;
        QTest::newRow("range to loopback end") << true << "10.0.0.1" << "127.0.0.1" << false;
        QTest::newRow("leading zeros are decimal") << true << "192.168.001.008" << "192.168.1.9" << true;
        QTest::newRow("single ignores an empty end") << false << "10.0.0.1" << "" << true;
        QTest::newRow("single ignores an unusable end") << false << "10.0.0.1" << "0.0.0.0" << true;
        const char* refused[] = {"127.0.0.1", "0.1.2.3", "0.0.0.0", "255.255.255.255", ""};
        const char* accepted[] = {"224.0.0.1", "10.0.0.255"};
        for (bool range : {false, true}) {
            const QString mode = range ? QStringLiteral("range") : QStringLiteral("single");
            for (const char* a : refused)
                QTest::newRow(qPrintable(mode + " " + (*a ? a : "empty"))) << range << a << a << false;
            for (const char* a : accepted)
                QTest::newRow(qPrintable(mode + " " + a)) << range << a << a << true;
        }
    }

    void validity()
    {
        QFETCH(bool, range);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, accepted);
        ScriptedMessageBoxes boxes;
        ShownInput input(range ? 1 : 0, nullptr);
        input.start->setText(start);
        input.end->setText(end);
        const QString startShown = input.start->text();
        const QString endShown = input.end->text();
        QTest::mouseClick(input.add, Qt::LeftButton);
        QCOMPARE(input.dialog->result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(input.dialog->isVisible(), !accepted);
        QCOMPARE(boxes.shown.size(), accepted ? 0 : 1);
        if (!accepted) {
            QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Warning);
            QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
            QCOMPARE(boxes.shown.at(0).text, QStringLiteral("An invalid address is being used."));
            QCOMPARE(input.start->text(), startShown);
            QCOMPARE(input.end->text(), endShown);
        }
    }

    // Leaving single mode copies the start into an end field without an
    // address; in range mode the end follows each change of the start address.
    void endFieldFollowsTheStart_data()
    {
        QTest::addColumn<QString>("endBefore");
        QTest::addColumn<QString>("endAfterToggle");
        QTest::newRow("empty end takes the start") << "" << "10.   0.   0.   5";
        QTest::newRow("unparsable end takes the start") << "300.1.1.1" << "10.   0.   0.   5";
        QTest::newRow("an end address stays") << "10.0.0.9" << "10.   0.   0.   9";
    }

    void endFieldFollowsTheStart()
    {
        QFETCH(QString, endBefore);
        QFETCH(QString, endAfterToggle);
        ShownInput input(0, nullptr);
        QVERIFY(!input.end->isEnabled());
        input.start->setText(QStringLiteral("10.0.0.5"));
        input.end->setText(endBefore);
        input.setRange(true);
        QVERIFY(input.end->isEnabled());
        QCOMPARE(input.end->text(), endAfterToggle);

        input.start->setText(QStringLiteral("10.0.0.6"));
        QCOMPARE(input.end->text(), input.start->text());
        // The same address in another spelling is no change.
        input.end->setText(QStringLiteral("10.0.0.9"));
        input.start->setText(QStringLiteral("10.0.0.06"));
        QCOMPARE(input.end->text(), QStringLiteral("10.   0.   0.   9"));
        input.start->setText(QStringLiteral("10.0.0.7"));
        QCOMPARE(input.end->text(), input.start->text());
        // A text that does not parse is a change too.
        input.start->setText(QStringLiteral("10.0"));
        QCOMPARE(input.end->text(), input.start->text());

        input.setRange(false);
        QVERIFY(!input.end->isEnabled());
        input.start->setText(QStringLiteral("10.0.0.8"));
        QCOMPARE(input.end->text(), QStringLiteral("10.   0.   .   "));
    }

    void openingInRangeModeShowsBothAddresses()
    {
        QHostAddress addresses[2] = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("10.0.0.9"))};
        ShownInput input(1, addresses);
        QVERIFY(input.active());
        QCOMPARE(ipv4(input.start->text()), addresses[0].toIPv4Address());
        QCOMPARE(ipv4(input.end->text()), addresses[1].toIPv4Address());
        QVERIFY(input.end->isEnabled());
        QCOMPARE(input.dialog->focusWidget()->objectName(), QStringLiteral("radioButtonInputIpRange"));
        QCOMPARE(input.dialog->windowFlags(), Qt::WindowFlags(0x0A003003));
        QCOMPARE(input.dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(input.dialog->size(), QSize(438, 135));
        QCOMPARE(input.dialog->windowTitle(), QStringLiteral("Address Input"));
    }

    // GetInputAddress writes the end address only in range mode.
    void inputAddressKeepsTheEndInSingleMode_data()
    {
        QTest::addColumn<bool>("range");
        QTest::newRow("single") << false;
        QTest::newRow("range") << true;
    }

    void inputAddressKeepsTheEndInSingleMode()
    {
        QFETCH(bool, range);
        QHostAddress shown[2] = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("10.0.0.9"))};
        ShownInput input(range ? 1 : 0, shown);
        input.start->setText(QStringLiteral("192.168.1.10"));
        input.end->setText(QStringLiteral("192.168.1.20"));
        QTest::mouseClick(input.add, Qt::LeftButton);
        QCOMPARE(input.dialog->result(), int(QDialog::Accepted));
        int mode = -1;
        const QHostAddress kept(QStringLiteral("172.16.0.1"));
        QHostAddress read[2] = {QHostAddress(), kept};
        QCOMPARE(input.dialog->GetInputAddress(mode, read), 0);
        QCOMPARE(mode, range ? 1 : 0);
        QCOMPARE(read[0], QHostAddress(QStringLiteral("192.168.1.10")));
        QCOMPARE(read[1], range ? QHostAddress(QStringLiteral("192.168.1.20")) : kept);
    }

    // The dialog's keys: Add and the end field lead back to the last octet
    // of a field; the fields' own keys move between their octets.
    void keys_data()
    {
        QTest::addColumn<bool>("range");
        QTest::addColumn<QString>("watched");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("cursorAfter");
        const QString add = QStringLiteral("pushButtonAdd");
        const QString start = QStringLiteral("txtLANIPv4Start");
        const QString end = QStringLiteral("txtLANIPv4End");
        QTest::newRow("add backtab, range") << true << add << -1 << int(Qt::Key_Backtab) << end << 21;
        QTest::newRow("add up, range") << true << add << -1 << int(Qt::Key_Up) << end << 21;
        QTest::newRow("add right, single") << false << add << -1 << int(Qt::Key_Right) << start << 21;
        QTest::newRow("add backtab, single") << false << add << -1 << int(Qt::Key_Backtab) << start << 21;
        // Left is the button's own: to the previous widget, whose cursor goes home.
        QTest::newRow("add left") << true << add << -1 << int(Qt::Key_Left) << end << 0;
        QTest::newRow("end backtab at 0") << true << end << 0 << int(Qt::Key_Backtab) << start << 21;
        QTest::newRow("end up at 0") << true << end << 0 << int(Qt::Key_Up) << start << 21;
        QTest::newRow("end right at 0") << true << end << 0 << int(Qt::Key_Right) << start << 21;
        QTest::newRow("end backtab in octet 3") << true << end << 14 << int(Qt::Key_Backtab) << end << 7;
        QTest::newRow("end right in octet 2") << true << end << 7 << int(Qt::Key_Right) << end << 8;
        QTest::newRow("start tab in octet 1") << true << start << 1 << int(Qt::Key_Tab) << start << 7;
        QTest::newRow("start backtab in octet 2") << true << start << 8 << int(Qt::Key_Backtab) << start << 0;
        // Past the last octet the focus moves on, so the keyboard never stays caught in a field.
        QTest::newRow("start tab in octet 4") << true << start << 22 << int(Qt::Key_Tab) << end << -1;
    }

    void keys()
    {
        QFETCH(bool, range);
        QFETCH(QString, watched);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(int, cursorAfter);
        QHostAddress addresses[2] = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("10.0.0.9"))};
        ShownInput input(range ? 1 : 0, addresses);
        QVERIFY(input.active());
        QWidget* target = input.dialog->findChild<QWidget*>(watched);
        target->setFocus(Qt::OtherFocusReason);
        if (cursor >= 0)
            static_cast<QLineEdit*>(target)->setCursorPosition(cursor);
        QTest::keyClick(target, Qt::Key(key));
        QWidget* focused = input.dialog->focusWidget();
        QCOMPARE(focused->objectName(), focus);
        if (cursorAfter >= 0)
            QCOMPARE(static_cast<QLineEdit*>(focused)->cursorPosition(), cursorAfter);
    }

    // Escape and Enter keep their meaning in a field: close, and Add.
    void escapeAndEnterFromAField_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    }

    void escapeAndEnterFromAField()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        QHostAddress addresses[2] = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress()};
        ShownInput input(0, addresses);
        QVERIFY(input.active());
        input.start->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(input.start, Qt::Key(key));
        QVERIFY(!input.dialog->isVisible());
        QCOMPARE(input.dialog->result(), result);
    }
};

QTEST_MAIN(tst_AddressInput)
#include "tst_AddressInput.moc"
