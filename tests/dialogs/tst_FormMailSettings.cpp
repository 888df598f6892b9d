#include <QtTest>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest/qtestspontaneevent.h>

#include "CMailSettings.h"
#include "FormMailSettings.h"
#include "GuiTestSupport.h"
#include "ScriptedModalBoxes.h"

#include <functional>

namespace {

const QString COMMENT_TOO_LONG =
    QStringLiteral("Comments can contain no more than 1000 characters (including line breaks).");
const QString INPUT_MISTAKE = QStringLiteral("The mistake is found in the content of the input.");

// Settings the check takes as they are.
CMailSettings Complete(int method)
{
    CMailSettings settings;
    settings.m_Enabled = true;
    settings.m_Recipients = QList<QString>{QStringLiteral("ops@example.org"), QString(), QString()};
    settings.m_Comment = QStringLiteral("Hall B");
    settings.m_SMTPServer = QStringLiteral("smtp.example.org");
    settings.m_POP3Server = QStringLiteral("pop.example.org");
    settings.m_User = QStringLiteral("lumivox");
    settings.m_Pass = QStringLiteral("secret");
    settings.m_Sender = QStringLiteral("lumivox@example.org");
    settings.m_Authority = method;
    return settings;
}

template <class T>
T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(QLatin1String(name));
    if (!child)
        qWarning("no %s", name);
    return child;
}

QLineEdit* Edit(QWidget* dialog, const char* name)
{
    return Child<QLineEdit>(dialog, name);
}

QPushButton* BoxButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return Child<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}

// Runs the dialog; `operate` works on it while it is shown. A dialog still
// open afterwards is cancelled, so that a failed check never leaves it waiting.
int Run(FormMailSettings& dialog, const std::function<void()>& operate)
{
    GuiTestSupport::OnNextPopup([&](QWidget*) {
        operate();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.exec();
}

// Hands a show event to the dialog as the window system does, unchanged.
class WindowSystemShow : public FormMailSettings
{
public:
    void deliver(QShowEvent* event) { showEvent(event); }
};

} // namespace

Q_DECLARE_METATYPE(CMailSettings*)

class tst_FormMailSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        qRegisterMetaType<CMailSettings*>();
        qRegisterMetaType<QWidget*>();
    }
    void init() { CMailSettings::m_ExecStatus = CMailSettings::SMTP_RESULT::Completed; }
    void cleanup() { CMailSettings::m_ExecStatus = CMailSettings::SMTP_RESULT::Completed; }

    void layout_data();
    void layout();
    void dialogFrame();
    void tabOrder();
    void inputMask_data();
    void inputMask();
    void enablingByMethod_data();
    void enablingByMethod();
    void okWrites_data();
    void okWrites();
    void recipientsCloseUpAndComeBack();
    void cancelAndCloseWriteNothing_data();
    void cancelAndCloseWriteNothing();
    void helpAsksForItsPage();
    void testMail_data();
    void testMail();
    void unminimisingKeepsEdits();
};

void tst_FormMailSettings::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("text");

    const struct {
        const char* name;
        const char* className;
        QRect geometry;
        int maxLength;
        const char* text;
    } rows[] = {
        {"chkEnable", "QCheckBox", QRect(8, 10, 391, 16), -1, "&Send error information mail."},
        {"lblTo1", "QLabel", QRect(6, 35, 111, 16), -1, "Recipient 1"},
        {"lblTo2", "QLabel", QRect(6, 60, 111, 16), -1, "Recipient 2"},
        {"lblTo3", "QLabel", QRect(6, 85, 111, 16), -1, "Recipient 3"},
        {"lblComment", "QLabel", QRect(6, 110, 111, 16), -1, "Comment"},
        {"edtTo1", "QLineEditExBase", QRect(131, 32, 340, 19), 256, ""},
        {"edtTo2", "QLineEditExBase", QRect(131, 57, 340, 19), 256, ""},
        {"edtTo3", "QLineEditExBase", QRect(131, 82, 340, 19), 256, ""},
        {"edtComment", "QTextEdit", QRect(131, 107, 340, 111), -1, ""},
        {"lblSMTPServer", "QLabel", QRect(6, 9, 201, 16), -1, "SMTP Server"},
        {"lblSender", "QLabel", QRect(6, 34, 201, 16), -1, "Sender Address"},
        {"lblAuth", "QLabel", QRect(6, 62, 201, 21), -1, "Authentication Method"},
        {"edtSMTPServer", "QLineEditExBase", QRect(211, 6, 261, 20), 256, ""},
        {"edtSenderAddress", "QLineEditExBase", QRect(211, 31, 261, 20), 256, ""},
        {"lblPOP3Server", "QLabel", QRect(5, 160, 201, 16), -1, "POP3 Server"},
        {"lblUserName", "QLabel", QRect(5, 185, 201, 16), -1, "User Name"},
        {"lblPassword", "QLabel", QRect(5, 210, 201, 16), -1, "Password"},
        {"edtPOP3Server", "QLineEditExBase", QRect(211, 157, 261, 20), 256, ""},
        {"edtUserName", "QLineEditExBase", QRect(211, 182, 261, 20), 256, ""},
        {"edtPassword", "QLineEditExBase", QRect(211, 207, 261, 20), 32767, ""},
        {"layoutWidget", "QWidget", QRect(211, 60, 261, 102), -1, ""},
        {"optAuthNone", "QRadioButton", QRect(), -1, "None"},
        {"optAuthPop3", "QRadioButton", QRect(), -1, "POP before SMTP"},
        {"optAuthSmtp", "QRadioButton", QRect(), -1, "SMTP"},
        {"chkSMTPOverSSL", "QCheckBox", QRect(), -1, "SMTP over SSL"},
        {"btnTest", "QPushButton", QRect(), -1, "&Test Mail"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.name << row.className << row.geometry << row.maxLength << row.text;
}

void tst_FormMailSettings::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(int, maxLength);
    QFETCH(QString, text);

    CMailSettings settings;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    dialog.show();
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY(widget);
    // The page holding the widget is shown, so that its layout places it.
    auto* tabs = Child<QTabWidget>(&dialog, "tabMailSettings");
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(widget))
            tabs->setCurrentIndex(page);
    }
    QApplication::sendPostedEvents();
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    if (!geometry.isNull())
        QCOMPARE(widget->geometry(), geometry);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(edit->maxLength(), maxLength);
        QVERIFY(!edit->acceptDrops());
        QCOMPARE(edit->echoMode(), name == "edtPassword" ? QLineEdit::Password : QLineEdit::Normal);
    }
    const QVariant shown = widget->property("text");
    if (shown.isValid())
        QCOMPARE(shown.toString(), text);
    // Nothing the operator reads is cut.
    if (auto* label = qobject_cast<QLabel*>(widget))
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
}

void tst_FormMailSettings::dialogFrame()
{
    CMailSettings settings;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    dialog.show();
    QCOMPARE(dialog.objectName(), QStringLiteral("FormMailSettings"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Mail Setting"));
    QCOMPARE(dialog.size(), QSize(515, 330));
    QCOMPARE(dialog.minimumSize(), QSize(515, 330));
    QCOMPARE(dialog.maximumSize(), QSize(515, 330));
    // The icon is drawn, not only named.
    QVERIFY(!dialog.windowIcon().pixmap(16, 16).isNull());

    auto* tabs = Child<QTabWidget>(&dialog, "tabMailSettings");
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("tpgTemplate"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Template"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tpgServer"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Server"));
    QVERIFY(tabs->minimumHeight() >= 260);

    auto* comment = Child<QTextEdit>(&dialog, "edtComment");
    QVERIFY(!comment->acceptDrops());
    QCOMPARE(comment->lineWrapMode(), QTextEdit::NoWrap);
    QVERIFY(comment->tabChangesFocus());
    QCOMPARE(comment->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(comment->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(comment->frameShadow(), QFrame::Sunken);

    // The three methods exclude each other, none chosen at first.
    const QList<QRadioButton*> methods{Child<QRadioButton>(&dialog, "optAuthNone"),
                                       Child<QRadioButton>(&dialog, "optAuthPop3"),
                                       Child<QRadioButton>(&dialog, "optAuthSmtp")};
    for (QRadioButton* method : methods) {
        QVERIFY(method->group());
        QCOMPARE(method->group()->objectName(), QStringLiteral("buttonGroupAuthentication"));
        QVERIFY(method->group()->exclusive());
    }

    auto* test = Child<QPushButton>(&dialog, "btnTest");
    QVERIFY(!test->autoDefault());
    QCOMPARE(BoxButton(&dialog, QDialogButtonBox::Ok)->text(), QStringLiteral("&OK"));
    QCOMPARE(BoxButton(&dialog, QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
    QCOMPARE(BoxButton(&dialog, QDialogButtonBox::Help)->text(), QStringLiteral("&Help"));
    // Buttons the operator can hit: at least 32 pixels high, the Test Mail one as wide as given.
    QVERIFY(test->height() >= 32);
    QVERIFY(Child<QDialogButtonBox>(&dialog, "buttonBox")->height() >= 32);
    for (QAbstractButton* button : Child<QDialogButtonBox>(&dialog, "buttonBox")->buttons())
        QVERIFY(button->height() >= 32);
    QVERIFY(test->width() >= 156);
}

void tst_FormMailSettings::tabOrder()
{
    CMailSettings settings = Complete(0);
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    dialog.show();
    const QStringList expected{"tabMailSettings", "chkEnable",        "edtTo1",      "edtTo2",      "edtTo3",
                               "edtComment",      "edtSMTPServer",    "edtSenderAddress",
                               "optAuthNone",     "optAuthPop3",      "optAuthSmtp", "edtPOP3Server",
                               "edtUserName",     "edtPassword",      "btnTest"};
    // The focus chain from the first, restricted to the named widgets.
    QStringList chain;
    QWidget* first = Child<QWidget>(&dialog, "tabMailSettings");
    QWidget* widget = first;
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget && widget != first);
    QCOMPARE(chain, expected);
}

void tst_FormMailSettings::inputMask_data()
{
    QTest::addColumn<CMailSettings>("settings");
    QTest::addColumn<int>("mask");

    // Method 5 checks no button.
    const auto with = [](int method, const std::function<void(CMailSettings&)>& change) {
        CMailSettings settings = Complete(method);
        change(settings);
        return settings;
    };
    const auto none = [](CMailSettings&) {};
    const auto noAccount = [](CMailSettings& s) {
        s.m_POP3Server.clear();
        s.m_User.clear();
        s.m_Pass.clear();
    };
    QTest::newRow("complete") << with(0, none) << 0;
    QTest::newRow("None asks for no account") << with(0, noAccount) << 0;
    QTest::newRow("POP before SMTP asks for server, user and password") << with(1, noAccount) << 0xE0;
    QTest::newRow("SMTP asks for user and password, not the POP3 server") << with(2, noAccount) << 0xC0;
    QTest::newRow("no method asks for no account") << with(5, noAccount) << 0;
    QTest::newRow("no recipient") << with(0, [](CMailSettings& s) { s.m_Recipients = {"", "", ""}; }) << 0x7;
    QTest::newRow("recipient 3 alone") << with(0, [](CMailSettings& s) { s.m_Recipients = {"", "", "c@x"}; }) << 0;
    QTest::newRow("a blank recipient counts") << with(0, [](CMailSettings& s) { s.m_Recipients = {" "}; }) << 0;
    QTest::newRow("a blank server counts") << with(0, [](CMailSettings& s) { s.m_SMTPServer = " "; }) << 0;
    QTest::newRow("no SMTP server") << with(0, [](CMailSettings& s) { s.m_SMTPServer.clear(); }) << 0x10;
    QTest::newRow("no sender") << with(0, [](CMailSettings& s) { s.m_Sender.clear(); }) << 0x100;
    QTest::newRow("comment of 1000") << with(0, [](CMailSettings& s) { s.m_Comment = QString(1000, 'c'); }) << 0;
    QTest::newRow("comment of 1001") << with(0, [](CMailSettings& s) { s.m_Comment = QString(1001, 'c'); }) << 0x8;
    QTest::newRow("line breaks count") << with(0, [](CMailSettings& s) {
        s.m_Comment = QString(500, 'c') + '\n' + QString(500, 'c');
    }) << 0x8;
    QTest::newRow("long comment, no sender") << with(0, [](CMailSettings& s) {
        s.m_Comment = QString(1001, 'c');
        s.m_Sender.clear();
    }) << 0x108;
    QTest::newRow("nothing") << CMailSettings() << 0x117;
}

// The dialog and the hub's check without a dialog agree on every mask; Test
// Mail is offered at 0 and at the comment's length alone.
void tst_FormMailSettings::inputMask()
{
    QFETCH(CMailSettings, settings);
    QFETCH(int, mask);

    QCOMPARE(CMailSettings::GetInputError(settings), mask);
    CMailSettings edited = settings;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &edited;
    dialog.show();
    QCOMPARE(dialog.f_GetInputError(), mask);
    QCOMPARE(Child<QPushButton>(&dialog, "btnTest")->isEnabled(), mask == 0 || mask == 0x8);
}

void tst_FormMailSettings::enablingByMethod_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("clicked");
    // POP3 server, user name, password, SSL box.
    QTest::addColumn<QList<bool>>("enabled");
    // With an empty POP3 server.
    QTest::addColumn<bool>("testMail");

    QTest::newRow("None") << 2 << "optAuthNone" << QList<bool>{false, false, false, false} << true;
    QTest::newRow("POP before SMTP") << 0 << "optAuthPop3" << QList<bool>{true, true, true, false} << false;
    QTest::newRow("SMTP") << 1 << "optAuthSmtp" << QList<bool>{false, true, true, true} << true;
    QTest::newRow("stored None") << 0 << "" << QList<bool>{false, false, false, false} << true;
    QTest::newRow("stored POP before SMTP") << 1 << "" << QList<bool>{true, true, true, false} << false;
    QTest::newRow("stored SMTP") << 2 << "" << QList<bool>{false, true, true, true} << true;
    QTest::newRow("stored unknown") << 5 << "" << QList<bool>{true, true, true, true} << true;
}

void tst_FormMailSettings::enablingByMethod()
{
    QFETCH(int, stored);
    QFETCH(QString, clicked);
    QFETCH(QList<bool>, enabled);
    QFETCH(bool, testMail);

    CMailSettings settings = Complete(stored);
    settings.m_POP3Server.clear();
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    dialog.show();
    if (!clicked.isEmpty())
        QTest::mouseClick(Child<QRadioButton>(&dialog, qPrintable(clicked)), Qt::LeftButton);
    const QList<bool> got{Edit(&dialog, "edtPOP3Server")->isEnabled(), Edit(&dialog, "edtUserName")->isEnabled(),
                          Edit(&dialog, "edtPassword")->isEnabled(),
                          Child<QCheckBox>(&dialog, "chkSMTPOverSSL")->isEnabled()};
    QCOMPARE(got, enabled);
    QCOMPARE(Child<QPushButton>(&dialog, "btnTest")->isEnabled(), testMail);
}

void tst_FormMailSettings::okWrites_data()
{
    QTest::addColumn<CMailSettings>("before");
    QTest::addColumn<QString>("box");
    QTest::addColumn<CMailSettings>("after");

    CMailSettings longComment = Complete(0);
    longComment.m_Enabled = false;
    longComment.m_Comment = QString(1001, 'c');
    QTest::newRow("comment too long, mail off") << longComment << COMMENT_TOO_LONG << longComment;

    CMailSettings noSender = Complete(0);
    noSender.m_Sender.clear();
    QTest::newRow("mail on with a mistake") << noSender << INPUT_MISTAKE << noSender;

    CMailSettings offWithout = CMailSettings();
    offWithout.m_Comment = QStringLiteral("kept");
    CMailSettings offStored = offWithout;
    offStored.m_Recipients.clear();
    QTest::newRow("mail off, nothing set: taken, no recipients") << offWithout << QString() << offStored;

    CMailSettings noMethod = Complete(5);
    CMailSettings noMethodStored = noMethod;
    noMethodStored.m_Recipients = {QStringLiteral("ops@example.org")};
    QTest::newRow("no method checked: the stored one stays") << noMethod << QString() << noMethodStored;

    CMailSettings sslWhileOff = Complete(1);
    sslWhileOff.m_SMTPOverSSL = true;
    CMailSettings sslStored = sslWhileOff;
    sslStored.m_Recipients = {QStringLiteral("ops@example.org")};
    QTest::newRow("SSL stored while its box is off") << sslWhileOff << QString() << sslStored;

    CMailSettings markup = Complete(2);
    markup.m_Comment = QStringLiteral("<b>x</b>\n&amp; line two");
    CMailSettings markupStored = markup;
    markupStored.m_Recipients = {QStringLiteral("ops@example.org")};
    QTest::newRow("a comment that looks like markup stays as typed") << markup << QString() << markupStored;
}

void tst_FormMailSettings::okWrites()
{
    QFETCH(CMailSettings, before);
    QFETCH(QString, box);
    QFETCH(CMailSettings, after);

    CMailSettings settings = before;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    ScriptedMessageBoxes boxes;
    bool stayedOpen = false;
    const int result = Run(dialog, [&] {
        QTest::mouseClick(BoxButton(&dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        stayedOpen = dialog.isVisible();
    });
    if (box.isEmpty()) {
        QCOMPARE(boxes.shown.size(), 0);
        QCOMPARE(result, int(QDialog::Accepted));
    } else {
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).text, box);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
        QCOMPARE(boxes.shown.at(0).title, QStringLiteral("Lumivox 5"));
        QCOMPARE(boxes.shown.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(boxes.shown.at(0).defaultButton, QMessageBox::NoButton);
        QCOMPARE(boxes.shown.at(0).parent, static_cast<QWidget*>(&dialog));
        QVERIFY(stayedOpen);
    }
    QCOMPARE(settings.m_Recipients, after.m_Recipients);
    QCOMPARE(settings.m_Comment, after.m_Comment);
    QCOMPARE(settings.m_Authority, after.m_Authority);
    QCOMPARE(settings.m_SMTPOverSSL, after.m_SMTPOverSSL);
    QVERIFY(settings == after);
}

// Recipients typed with a gap are stored closed up and shown so on reopening.
void tst_FormMailSettings::recipientsCloseUpAndComeBack()
{
    CMailSettings settings = Complete(0);
    {
        FormMailSettings dialog;
        dialog.m_pMailSettings = &settings;
        const int result = Run(dialog, [&] {
            Edit(&dialog, "edtTo1")->clear();
            QTest::keyClicks(Edit(&dialog, "edtTo2"), QStringLiteral("b@example.org"));
            QTest::keyClicks(Edit(&dialog, "edtTo3"), QStringLiteral("c@example.org"));
            QTest::mouseClick(BoxButton(&dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Accepted));
    }
    QCOMPARE(settings.m_Recipients, (QList<QString>{"b@example.org", "c@example.org"}));
    FormMailSettings again;
    again.m_pMailSettings = &settings;
    again.show();
    QCOMPARE(Edit(&again, "edtTo1")->text(), QStringLiteral("b@example.org"));
    QCOMPARE(Edit(&again, "edtTo2")->text(), QStringLiteral("c@example.org"));
    QCOMPARE(Edit(&again, "edtTo3")->text(), QString());
}

void tst_FormMailSettings::cancelAndCloseWriteNothing_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("resultBefore");
    QTest::addColumn<int>("result");
    QTest::newRow("Cancel") << "Cancel" << 1 << 0;
    QTest::newRow("Escape") << "Escape" << 1 << 0;
    QTest::newRow("close button") << "close" << 0 << 0;
    QTest::newRow("close button keeps an earlier result") << "close" << 1 << 1;
}

void tst_FormMailSettings::cancelAndCloseWriteNothing()
{
    QFETCH(QString, way);
    QFETCH(int, resultBefore);
    QFETCH(int, result);

    const CMailSettings before = Complete(1);
    CMailSettings settings = before;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    const int got = Run(dialog, [&] {
        Edit(&dialog, "edtTo1")->setText(QStringLiteral("changed@example.org"));
        Child<QCheckBox>(&dialog, "chkEnable")->setChecked(false);
        dialog.setResult(resultBefore);
        if (way == "Cancel")
            QTest::mouseClick(BoxButton(&dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
        else if (way == "Escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(got, result);
    QVERIFY(settings == before);
}

void tst_FormMailSettings::helpAsksForItsPage()
{
    CMailSettings settings = Complete(0);
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    QSignalSpy help(&dialog, &FormMailSettings::ShowHelpSignal);
    dialog.show();
    QTest::mouseClick(BoxButton(&dialog, QDialogButtonBox::Help), Qt::LeftButton);
    QCOMPARE(help.count(), 1);
    QCOMPARE(help.at(0).at(0).toString(), QStringLiteral("_RESOURCE/html/MailSetting.htm"));
    QCOMPARE(help.at(0).at(1).value<QWidget*>(), static_cast<QWidget*>(&dialog));
    QVERIFY(dialog.isVisible());
}

void tst_FormMailSettings::testMail_data()
{
    QTest::addColumn<CMailSettings>("before");
    QTest::addColumn<int>("execStatus");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("asked");

    CMailSettings off = Complete(0);
    off.m_Enabled = false;
    CMailSettings longComment = off;
    longComment.m_Comment = QString(1001, 'c');
    CMailSettings noServer = off;
    noServer.m_SMTPServer.clear();
    QTest::newRow("a test mail running: ignored") << Complete(0) << 1 << QString() << false;
    QTest::newRow("comment too long, mail off") << longComment << 0 << COMMENT_TOO_LONG << false;
    QTest::newRow("no SMTP server, mail off") << noServer << 0 << INPUT_MISTAKE << false;
    QTest::newRow("mail off, otherwise complete") << off << 0 << QString() << true;
    QTest::newRow("after an earlier outcome") << Complete(2) << 14 << QString() << true;
}

// Test Mail (its slot, as a disabled button would not be clicked) commits the
// form without closing and asks for the mail with the dialog's settings.
void tst_FormMailSettings::testMail()
{
    QFETCH(CMailSettings, before);
    QFETCH(int, execStatus);
    QFETCH(QString, box);
    QFETCH(bool, asked);

    CMailSettings settings = before;
    FormMailSettings dialog;
    dialog.m_pMailSettings = &settings;
    QSignalSpy requests(&dialog, &FormMailSettings::OnSendTestMail);
    ScriptedMessageBoxes boxes;
    dialog.show();
    CMailSettings::m_ExecStatus = execStatus;
    Edit(&dialog, "edtTo2")->setText(QStringLiteral("second@example.org"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "on_btnTest_clicked"));

    QCOMPARE(boxes.shown.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty()) {
        QCOMPARE(boxes.shown.at(0).text, box);
        QCOMPARE(boxes.shown.at(0).icon, QMessageBox::Critical);
    }
    QCOMPARE(requests.count(), asked ? 1 : 0);
    QVERIFY(dialog.isVisible());
    if (!asked) {
        QCOMPARE(CMailSettings::m_ExecStatus, execStatus);
        QVERIFY(settings == before);
        QVERIFY(!dialog.testAttribute(Qt::WA_SetCursor));
        return;
    }
    QCOMPARE(requests.at(0).at(0).value<CMailSettings*>(), &settings);
    QCOMPARE(CMailSettings::m_ExecStatus, int(CMailSettings::SMTP_RESULT::Executing));
    QCOMPARE(dialog.cursor().shape(), Qt::WaitCursor);
    QCOMPARE(settings.m_Recipients, (QList<QString>{"ops@example.org", "second@example.org"}));
    QCOMPARE(settings.m_Enabled, before.m_Enabled);
}

// Coming back from the minimised state (a spontaneous show) keeps what was
// typed; showing the dialog again fills it from the settings.
void tst_FormMailSettings::unminimisingKeepsEdits()
{
    CMailSettings settings = Complete(0);
    WindowSystemShow dialog;
    dialog.m_pMailSettings = &settings;
    dialog.show();
    Edit(&dialog, "edtTo1")->setText(QStringLiteral("typed@example.org"));
    // The window system's show, as it comes when the window is restored.
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    dialog.deliver(&restored);
    QCOMPARE(Edit(&dialog, "edtTo1")->text(), QStringLiteral("typed@example.org"));
    dialog.hide();
    dialog.show();
    QCOMPARE(Edit(&dialog, "edtTo1")->text(), QStringLiteral("ops@example.org"));
}

QTEST_MAIN(tst_FormMailSettings)
#include "tst_FormMailSettings.moc"
