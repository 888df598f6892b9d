#include <QtTest>

#include "CLineEditForIPAddress.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "EditSettingWindow.h"
#include "GuiTestSupport.h"
#include "HubTestFolders.h"
#include "QLineEditExBase.h"
#include "ScriptedModalBoxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <memory>

// The connection editor: its form, what it shows of a record, the checks of
// OK with the values they store, and the keys of the port and address fields.
class tst_EditSettingWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<HubTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::unique_ptr<CProjectorData> m_Record;
    std::unique_ptr<EditSettingWindow> m_Dialog;

    template <typename W>
    W* child(const char* name) const
    {
        W* widget = m_Dialog->findChild<W*>(QLatin1String(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    CLineEditForIPAddress* ipv4() const { return child<CLineEditForIPAddress>("txtLANIPv4"); }
    CLineEditForIPAddress* host() const { return child<CLineEditForIPAddress>("txtLANHost"); }
    QLineEditExBase* port() const { return child<QLineEditExBase>("txtLANPort"); }
    QDialogButtonBox* buttons() const { return child<QDialogButtonBox>("buttonBox"); }

    // Opens the editor on the test's record and shows it.
    void open()
    {
        m_Dialog->InitializeData(m_Record.get(), QStringLiteral("Edit"));
        m_Dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Dialog.get()));
    }

    void focusInWindow(QWidget* widget)
    {
        m_Dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_Dialog.get()));
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
    }

    // Presses OK; the message shown, empty for none.
    QString pressOk(ScriptedMessageBoxes& boxes)
    {
        buttons()->button(QDialogButtonBox::Ok)->click();
        return boxes.shown.isEmpty() ? QString() : boxes.shown.last().text;
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void init()
    {
        m_Folders.reset(new HubTestFolders);
        m_Folders->writeProfile();
        m_Hub = m_Folders->makeHub();
        m_Record.reset(new CProjectorData(m_Hub->m_pProfileList, 7));
        m_Record->m_SettingName = QStringLiteral("Hall");
        m_Record->m_Address = QStringLiteral("10.0.0.5");
        m_Record->m_Port = QStringLiteral("7142");
        m_Record->m_Comment = QStringLiteral("left");
        m_Dialog.reset(new EditSettingWindow(m_Hub.get()));
    }

    void cleanup()
    {
        m_Dialog.reset();
        m_Record.reset();
        m_Hub.reset();
        m_Folders.reset();
    }

    void form()
    {
        open();
        QCOMPARE(m_Dialog->windowTitle(), QStringLiteral("Edit"));
        QCOMPARE(m_Dialog->size(), QSize(303, 410));
        QCOMPARE(m_Dialog->minimumSize(), m_Dialog->maximumSize());
        QCOMPARE(buttons()->button(QDialogButtonBox::Ok)->text(), QStringLiteral("&OK"));
        QCOMPARE(buttons()->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
        QVERIFY(!buttons()->button(QDialogButtonBox::Help));
        QVERIFY(buttons()->height() >= 32);
        QCOMPARE(child<QRadioButton>("optLANModeIPv4")->text(), QStringLiteral("IP Address"));
        QCOMPARE(child<QLineEditExBase>("txtSettingName")->maxLength(), 32);
        QCOMPARE(child<QLineEditExBase>("txtComment")->maxLength(), 32);
        QCOMPARE(port()->maxLength(), 5);
        QVERIFY(port()->inputMask().isEmpty());
        // The serial page and the IPv6 option never show.
        auto* tabs = child<QTabWidget>("tabConnectType");
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tabPageLAN"));
        QVERIFY(!child<QWidget>("tabPageSerial")->isVisible());
        QVERIFY(!child<QWidget>("optLANModeIPv6")->isVisible());
        QVERIFY(!child<QWidget>("txtLANIPv6")->isVisible());
        QCOMPARE(ipv4()->m_AddressMode, int(CLineEditForIPAddress::MODE_IPV4));
        QCOMPARE(host()->m_AddressMode, int(CLineEditForIPAddress::MODE_HOST));
    }

    // What the fields show of a record, and which address edit is enabled.
    void opening_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("hostMode");
        QTest::addColumn<QString>("ipv4Shown");
        QTest::addColumn<QString>("hostShown");
        QTest::addColumn<QString>("portShown");
        QTest::newRow("IPv4") << 0 << 1 << "10.0.0.5" << false << "10.0.0.5" << "" << "7142";
        QTest::newRow("host name") << 0 << 0 << "pj-hall.local" << true << "192.168.0.10" << "pj-hall.local" << "7142";
        QTest::newRow("serial") << 1 << 1 << "/dev/ttyS0" << false << "192.168.0.10" << "" << "";
    }

    void opening()
    {
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(QString, address);
        QFETCH(bool, hostMode);
        QFETCH(QString, ipv4Shown);
        QFETCH(QString, hostShown);
        QFETCH(QString, portShown);
        m_Record->m_DeviceKind = kind;
        m_Record->m_AddressType = CProjectorData::TYPE_LAN::Enum(type);
        m_Record->m_Address = address;
        open();
        QCOMPARE(child<QLineEditExBase>("txtSettingName")->text(), QStringLiteral("Hall"));
        QCOMPARE(child<QLineEditExBase>("txtComment")->text(), QStringLiteral("left"));
        QCOMPARE(child<QRadioButton>("optLANModeHost")->isChecked(), hostMode);
        QCOMPARE(child<QRadioButton>("optLANModeIPv4")->isChecked(), !hostMode);
        QCOMPARE(ipv4()->isEnabled(), !hostMode);
        QCOMPARE(host()->isEnabled(), hostMode);
        QCOMPARE(ipv4()->text().remove(QLatin1Char(' ')), ipv4Shown);
        QCOMPARE(host()->text(), hostShown);
        QCOMPARE(port()->text(), portShown);
        // Switching the option switches the enabled edit.
        child<QRadioButton>(hostMode ? "optLANModeIPv4" : "optLANModeHost")->setChecked(true);
        QCOMPARE(ipv4()->isEnabled(), hostMode);
        QCOMPARE(host()->isEnabled(), !hostMode);
    }

    // A null record: the dialog's own, with the record defaults.
    void ownRecord()
    {
        m_Dialog->InitializeData(nullptr, QStringLiteral("New Settings"));
        QVERIFY(m_Dialog->Record());
        QCOMPARE(child<QLineEditExBase>("txtSettingName")->text(), QStringLiteral("Setting1"));
        QCOMPARE(ipv4()->text().remove(QLatin1Char(' ')), QStringLiteral("192.168.0.10"));
        QCOMPARE(port()->text(), QStringLiteral("7142"));
    }

    // The address as typed into the masked field: refused, or stored in its
    // plain dotted form.
    void ipv4Address_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("first part 0") << "0.1.2.3" << "";
        QTest::newRow("multicast") << "224.0.0.1" << "";
        QTest::newRow("last part 0") << "192.168.0.0" << "";
        QTest::newRow("last part 255") << "192.168.0.255" << "";
        QTest::newRow("part above 255") << "256.1.1.1" << "";
        QTest::newRow("three parts") << "1.2.3" << "";
        QTest::newRow("empty octet") << "1.   .   2.   3" << "";
        QTest::newRow("lowest") << "1.0.0.1" << "1.0.0.1";
        QTest::newRow("highest") << "223.255.255.254" << "223.255.255.254";
        QTest::newRow("mask blanks") << "10.   1.   2.   3" << "10.1.2.3";
        QTest::newRow("leading zeros") << "010.001.002.003" << "10.1.2.3";
    }

    void ipv4Address()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        m_Record->m_Address = QStringLiteral("10.9.9.9");
        open();
        ipv4()->setText(typed);
        ScriptedMessageBoxes boxes;
        QCOMPARE(pressOk(boxes), stored.isEmpty() ? QStringLiteral("IP address is invalid.") : QString());
        QCOMPARE(m_Record->m_Address, stored.isEmpty() ? QStringLiteral("10.9.9.9") : stored);
        QCOMPARE(m_Record->m_AddressType, CProjectorData::TYPE_LAN::IP);
        QCOMPARE(m_Dialog->isVisible(), stored.isEmpty());
        QCOMPARE(m_Dialog->result(), stored.isEmpty() ? 0 : 1);
    }

    // Host names of 1 to 32 characters, any characters, stored as typed.
    void hostName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("one") << "h" << true;
        QTest::newRow("32") << QString(32, QLatin1Char('h')) << true;
        QTest::newRow("any characters") << " pj_hall#2 " << true;
    }

    void hostName()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        open();
        child<QRadioButton>("optLANModeHost")->setChecked(true);
        host()->setText(typed);
        ScriptedMessageBoxes boxes;
        QCOMPARE(pressOk(boxes), accepted ? QString() : QStringLiteral("Host name is invalid."));
        QCOMPARE(m_Record->m_AddressType, CProjectorData::TYPE_LAN::HOST);
        QCOMPARE(m_Record->m_Address, accepted ? typed : QStringLiteral("10.0.0.5"));
    }

    // Ports 0 to 65535, stored as their number whatever blanks or leading
    // zeros were typed.
    void portNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0") << "0" << "0";
        QTest::newRow("65535") << "65535" << "65535";
        QTest::newRow("blank before") << " 80" << "80";
        QTest::newRow("blanks around") << " 7142 " << "7142";
        QTest::newRow("leading zero") << "07142" << "7142";
        QTest::newRow("65536") << "65536" << "";
        QTest::newRow("-1") << "-1" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("letters") << "abc" << "";
    }

    void portNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        open();
        port()->setText(typed);
        ScriptedMessageBoxes boxes;
        QCOMPARE(pressOk(boxes), stored.isEmpty() ? QStringLiteral("Port number is invalid.") : QString());
        QCOMPARE(m_Record->m_Port, stored.isEmpty() ? QStringLiteral("7142") : stored);
    }

    // Names and comments of up to 32 bytes of the local encoding.
    void nameAndComment_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        for (const char* field : {"txtSettingName", "txtComment"}) {
            QTest::addRow("%s 32 ASCII", field) << field << QString(32, QLatin1Char('n')) << true;
            QTest::addRow("%s 11 three-byte characters", field) << field << QString(11, QChar(0x65E5)) << false;
            QTest::addRow("%s 10 three-byte characters", field) << field << QString(10, QChar(0x65E5)) << true;
            QTest::addRow("%s empty", field) << field << QString() << true;
        }
    }

    void nameAndComment()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        open();
        child<QLineEditExBase>(qPrintable(field))->setText(typed);
        ScriptedMessageBoxes boxes;
        QCOMPARE(pressOk(boxes), accepted ? QString() : QStringLiteral("The mistake is found in the content of the input."));
        const bool name = field == QLatin1String("txtSettingName");
        const QString before = name ? QStringLiteral("Hall") : QStringLiteral("left");
        QCOMPARE(name ? m_Record->m_SettingName : m_Record->m_Comment, accepted ? typed : before);
    }

    // One box with the last failing check's message; what passed is stored.
    void precedence_data()
    {
        QTest::addColumn<QString>("hostText");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("portText");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("host and port") << "" << "" << "abc" << "N" << "Port number is invalid.";
        QTest::newRow("address and name") << "-" << "224.0.0.1" << "80" << QString(33, QLatin1Char('n'))
                                          << "The mistake is found in the content of the input.";
    }

    void precedence()
    {
        QFETCH(QString, hostText);
        QFETCH(QString, address);
        QFETCH(QString, portText);
        QFETCH(QString, name);
        QFETCH(QString, message);
        open();
        if (hostText != QLatin1String("-")) {
            child<QRadioButton>("optLANModeHost")->setChecked(true);
            host()->setText(hostText);
        } else {
            ipv4()->setText(address);
        }
        port()->setText(portText);
        // Longer than the edit takes: the check is on the bytes, the edit counts characters.
        child<QLineEditExBase>("txtSettingName")->setMaxLength(40);
        child<QLineEditExBase>("txtSettingName")->setText(name);
        ScriptedMessageBoxes boxes;
        QCOMPARE(pressOk(boxes), message);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
        QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
        QVERIFY(m_Dialog->isVisible());
        // The checks that passed wrote their values.
        if (portText == QLatin1String("80"))
            QCOMPARE(m_Record->m_Port, QStringLiteral("80"));
        else
            QCOMPARE(m_Record->m_SettingName, name);
    }

    // Cancel and the close box end with 0, also after a failed OK; a
    // successful OK with 1, and the record is a LAN record.
    void results_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "ok" << 1;
        QTest::newRow("Cancel") << "cancel" << 0;
        QTest::newRow("close box") << "close" << 0;
        QTest::newRow("failed OK, then Cancel") << "failed" << 0;
    }

    void results()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        m_Record->m_DeviceKind = 1;
        m_Dialog->InitializeData(m_Record.get(), QStringLiteral("Edit"));
        ScriptedMessageBoxes boxes;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            QCOMPARE(shown, m_Dialog.get());
            if (how == QLatin1String("failed")) {
                port()->setText(QStringLiteral("x"));
                buttons()->button(QDialogButtonBox::Ok)->click();
                QVERIFY(shown->isVisible());
            }
            if (how == QLatin1String("ok")) {
                port()->setText(QStringLiteral("7142"));
                buttons()->button(QDialogButtonBox::Ok)->click();
            } else if (how == QLatin1String("close")) {
                shown->close();
            } else {
                buttons()->button(QDialogButtonBox::Cancel)->click();
            }
        });
        QCOMPARE(m_Dialog->exec(), result);
        QCOMPARE(boxes.shown.size(), how == QLatin1String("failed") ? 1 : 0);
        // A failed OK already wrote the values that passed.
        QCOMPARE(m_Record->m_DeviceKind, how == QLatin1String("ok") || how == QLatin1String("failed") ? 0 : 1);
    }

    // Backtab, Up and Right in the port go to the last octet of the address
    // while the IPv4 option is on; in host mode they stay in the port.
    void portKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("hostMode");
        QTest::addColumn<bool>("toAddress");
        QTest::newRow("Backtab") << int(Qt::Key_Backtab) << false << true;
        QTest::newRow("Up") << int(Qt::Key_Up) << false << true;
        QTest::newRow("Right") << int(Qt::Key_Right) << false << true;
        QTest::newRow("Left stays") << int(Qt::Key_Left) << false << false;
        QTest::newRow("Right in host mode") << int(Qt::Key_Right) << true << false;
    }

    void portKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, hostMode);
        QFETCH(bool, toAddress);
        open();
        if (hostMode)
            child<QRadioButton>("optLANModeHost")->setChecked(true);
        focusInWindow(port());
        port()->setCursorPosition(1);
        ipv4()->setCursorPosition(0);
        QTest::keyClick(port(), Qt::Key(key));
        QCOMPARE(ipv4()->hasFocus(), toAddress);
        if (toAddress)
            QCOMPARE(ipv4()->cursorPosition(), 21);
        else
            QCOMPARE(ipv4()->cursorPosition(), 0);
    }

    // Tab in the last octet and Backtab in the first keep the focus in the address.
    void addressKeepsFocus_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("Tab in the first octet") << int(Qt::Key_Tab) << 0 << 7;
        QTest::newRow("Tab in the last octet") << int(Qt::Key_Tab) << 21 << 21;
        QTest::newRow("Backtab in the first octet") << int(Qt::Key_Backtab) << 1 << 1;
        QTest::newRow("Backtab in the last octet") << int(Qt::Key_Backtab) << 22 << 14;
    }

    void addressKeepsFocus()
    {
        QFETCH(int, key);
        QFETCH(int, from);
        QFETCH(int, to);
        open();
        focusInWindow(ipv4());
        ipv4()->setCursorPosition(from);
        QTest::keyClick(ipv4(), Qt::Key(key));
        QVERIFY(ipv4()->hasFocus());
        QCOMPARE(ipv4()->cursorPosition(), to);
    }

    // A language change keeps the caller's title.
    void languageChange()
    {
        open();
        m_Dialog->setWindowTitle(QStringLiteral("New Settings"));
        child<QLabel>("lblPort")->setText(QStringLiteral("x"));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_Dialog.get(), &change);
        QCOMPARE(child<QLabel>("lblPort")->text(), QStringLiteral("Port"));
        QCOMPARE(m_Dialog->windowTitle(), QStringLiteral("New Settings"));
    }
};

QTEST_MAIN(tst_EditSettingWindow)
#include "tst_EditSettingWindow.moc"
