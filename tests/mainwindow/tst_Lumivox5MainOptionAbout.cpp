#include <QtTest>

#include "About.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "COptionSettings.h"
#include "CProfileList.h"
#include "CTestFolders.h"
#include "FormOptionSettings.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ApplicationLauncher.h"
#include "ui_Lumivox5Main.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QFile>
#include <QTimer>

namespace {

const char* const HEADER_PROPERTIES[] = {"SetupVersion", "ProfileVersion", "ProfileExtraVersion", "CopyrightYear"};

QStringList headerProperties()
{
    QStringList values;
    for (const char* name : HEADER_PROPERTIES)
        values << qApp->property(name).toString();
    return values;
}

} // namespace

// Tool > Option Settings..., Help > Help and Help > About on a main window of the test process.
class tst_Lumivox5MainOptionAbout : public MainWindowTestBase
{
    Q_OBJECT

private:
    QString settingsPath() const { return CLumivox5Reg::SettingsFilePath(); }

private slots:
    void optionSettings_data();
    void optionSettings();
    void aboutShowsTheProfileHeader();
    void helpStartsTheViewer_data();
    void helpStartsTheViewer();
    void helpWithoutTheViewerWarns();
};

void tst_Lumivox5MainOptionAbout::optionSettings_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("autoUpdate");
    QTest::newRow("OK, automatic update on at 5") << "ok" << true;
    QTest::newRow("OK, automatic update off") << "ok" << false;
    QTest::newRow("Cancel") << "cancel" << true;
}

// OK hands the copy back, sets the timer and passes the log settings on in
// order; the settings file gets the options only at exit. Cancel changes and
// sends nothing.
void tst_Lumivox5MainOptionAbout::optionSettings()
{
    QFETCH(QString, ending);
    QFETCH(bool, autoUpdate);

    m_Fixture->saveSettings([](CLumivox5Data* data) {
        data->m_pOptionSettings->m_AutoUpdate = true;
        data->m_pOptionSettings->m_AutoUpdateInterval = 10;
    });
    m_Window = m_Fixture->makeWindow();
    QVERIFY(m_Window->m_blnProfileLoaded);
    QTimer* timer = m_Window->m_tmrUpdateAllProjectors;
    QCOMPARE(timer->interval(), 600000);
    QVERIFY(timer->isActive());
    const COptionSettings before(*hub()->m_pOptionSettings);
    const QByteArray settingsBefore = CTestFolders::readFile(settingsPath());

    RequestRecorder recorder;
    bool modalWhileOpen = false;
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        auto* dialog = qobject_cast<FormOptionSettings*>(shown);
        QVERIFY(dialog);
        modalWhileOpen = hub()->m_ModalDialog;
        QCOMPARE(dialog->windowFlags(), Qt::WindowFlags(0x0A003003));
        QVERIFY(dialog->m_pOptionSettings != hub()->m_pOptionSettings);
        dialog->findChild<QCheckBox*>("chkSaveTransportLog")->setChecked(true);
        dialog->findChild<QLineEdit*>("edtSaveTransportLog")->setText("/logs/comm");
        dialog->findChild<QCheckBox*>("chkSaveScheduleLog")->setChecked(true);
        dialog->findChild<QLineEdit*>("edtSaveScheduleLog")->setText("/logs/schedule");
        dialog->findChild<QCheckBox*>("chkAutoUpdate")->setChecked(autoUpdate);
        dialog->findChild<QLineEdit*>("edtAutoUpdateInterval")->setText("5");
        const auto button = ending == "ok" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(button)->click();
    });
    m_Window->ui->actMenuToolOption->trigger();

    QVERIFY(modalWhileOpen);
    QVERIFY(!hub()->m_ModalDialog);
    QVERIFY(m_Window->findChildren<FormOptionSettings*>().isEmpty());
    QCOMPARE(CTestFolders::readFile(settingsPath()), settingsBefore);
    const COptionSettings& options = *hub()->m_pOptionSettings;
    if (ending == "cancel") {
        QVERIFY(recorder.requests.isEmpty());
        QCOMPARE(options.m_SaveLog, before.m_SaveLog);
        QCOMPARE(options.m_SaveLogPath, before.m_SaveLogPath);
        QCOMPARE(options.m_AutoUpdateInterval, 10);
        QCOMPARE(timer->interval(), 600000);
        QVERIFY(timer->isActive());
        return;
    }
    QCOMPARE(options.m_AutoUpdate, autoUpdate);
    QCOMPARE(options.m_AutoUpdateInterval, 5);
    // Switched off, the timer stops and keeps its interval.
    QCOMPARE(timer->isActive(), autoUpdate);
    QCOMPARE(timer->interval(), autoUpdate ? 300000 : 600000);
    QCOMPARE(recorder.requests.size(), 4);
    const int order[] = {138, 139, 147, 146};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(recorder.requests[i].startsWith(QString::number(order[i]) + " "), qPrintable(recorder.requests[i]));
    QCOMPARE(recorder.parameters[0].value(0).ToString(), QString("/logs/comm"));
    QCOMPARE(recorder.parameters[1].value(0).ToBool(), true);
    QCOMPARE(recorder.parameters[2].value(0).ToBool(), true);
    QCOMPARE(recorder.parameters[3].value(0).ToString(), QString("/logs/schedule"));

    ScriptedMessageBoxes boxes;
    QVERIFY(m_Window->close());
    CLumivox5Reg stored;
    stored.ReadOptionSettings();
    QCOMPARE(stored.m_pOptionSettings->m_AutoUpdate, autoUpdate);
    QCOMPARE(stored.m_pOptionSettings->m_AutoUpdateInterval, 5);
    QCOMPARE(stored.m_pOptionSettings->m_SaveLogPath, QString("/logs/comm"));
}

// Each opening puts the profile header on the application object anew; the
// dialog's help goes on queued; the dialog is gone afterwards.
void tst_Lumivox5MainOptionAbout::aboutShowsTheProfileHeader()
{
    for (const char* name : HEADER_PROPERTIES)
        qApp->setProperty(name, QVariant());
    m_Window = m_Fixture->makeWindow();
    QVERIFY(m_Window->m_blnProfileLoaded);
    QVERIFY(!qApp->property("SetupVersion").isValid());
    CProfileList* profiles = hub()->m_pProfileList;

    const QList<QStringList> openings{{"1.10.28", "2.03.004", "b", "2009-2031"}, {"3.0.1", "4.5.6", "", ""}};
    for (const QStringList& header : openings) {
        profiles->m_SetupVersion = header[0];
        profiles->m_ProfileVersion = header[1];
        profiles->m_ExtraVersion = header[2];
        profiles->m_CopyrightYear = header[3];
        bool modalWhileOpen = false;
        QStringList shownProperties;
        QString setupShown;
        bool helpConnected = false;
        GuiTestSupport::OnNextPopup([&](QWidget* shown) {
            auto* dialog = qobject_cast<About*>(shown);
            QVERIFY(dialog);
            modalWhileOpen = hub()->m_ModalDialog;
            shownProperties = headerProperties();
            setupShown = dialog->findChild<QLabel*>("lblSetupVer")->text();
            QCOMPARE(dialog->windowFlags(), Qt::WindowFlags(0x0A003003));
            QVERIFY(dialog->isModal());
            // True only when the launcher had connected the two.
            helpConnected =
                QObject::disconnect(dialog, &About::on_f_HelpRevision, m_Window.get(), &Lumivox5Main::f_ShowHelpPage);
            dialog->findChild<QPushButton*>("btnOK")->click();
        });
        m_Window->ui->actMenuHelpAbout->trigger();
        QVERIFY(modalWhileOpen);
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(shownProperties, header);
        QCOMPARE(setupShown, About::GetVersionString(header[0]) + " " + header[2]);
        QVERIFY(helpConnected);
        QVERIFY(m_Window->findChildren<About*>().isEmpty());
    }
}

void tst_Lumivox5MainOptionAbout::helpStartsTheViewer_data()
{
    QTest::addColumn<QStringList>("startArguments");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("viewerArguments");
    const auto pages = [](const QString& folder, const QString& page) {
        return QStringList{"/INDEX=" + folder + "index.htm", "/CONTENTS=" + folder + "_RESOURCE/html/" + page};
    };
    QTest::newRow("Help > Help") << QStringList() << "menu" << pages("en-US/", "about.htm");
    QTest::newRow("Help > Help, Japanese") << QStringList{"/L=JP"} << "menu" << pages("ja-JP/", "about.htm");
    QTest::newRow("a dialog's page, French") << QStringList{"/L=FRE"} << "_RESOURCE/html/Option.htm"
                                             << pages("fr-FR/", "Option.htm");
    QTest::newRow("an empty page, Chinese") << QStringList{"/L=CHI"} << "" << pages("zh-CN/", "about.htm");
    QTest::newRow("LAN search") << QStringList() << "lan" << pages("en-US/", "lan_search.htm");
}

// The viewer beside the program gets the index and the page of the
// program's language folder, as its own command line.
void tst_Lumivox5MainOptionAbout::helpStartsTheViewer()
{
    QFETCH(QStringList, startArguments);
    QFETCH(QString, request);
    QFETCH(QStringList, viewerArguments);
    const QString record = m_Fixture->path("viewer-arguments");
    const QString viewer = m_Fixture->programFolder() + "/Lumivox 5 Help";
    QFile script(viewer);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + QFile::encodeName(record)
                 + ".part\" && mv \"" + QFile::encodeName(record) + ".part\" \"" + QFile::encodeName(record) + "\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    m_Window = m_Fixture->makeWindow(startArguments);
    QVERIFY(m_Window->m_blnProfileLoaded);
    ScriptedMessageBoxes boxes;
    CMessageBoxes::SetScript([&](const CMessageBoxes::Box& box) {
        boxes.shown << box;
        return QMessageBox::Ok;
    });
    if (request == "menu")
        m_Window->ui->actMenuHelpHelp->trigger();
    else if (request == "lan")
        m_Window->f_AutoSearchLANShowHelp(nullptr);
    else
        m_Window->f_ShowHelpPage(request, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile written(record);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()).split('\n', Qt::SkipEmptyParts), viewerArguments);
    QVERIFY(boxes.shown.isEmpty());
}

void tst_Lumivox5MainOptionAbout::helpWithoutTheViewerWarns()
{
    m_Window = m_Fixture->makeWindow();
    QVERIFY(m_Window->m_blnProfileLoaded);
    QList<QString> started;
    CApplicationLauncher::SetScript([&](const QString& path, const QStringList&) { started << path; });
    ScriptedMessageBoxes boxes;
    bool modalDuringWarning = false;
    CMessageBoxes::SetScript([&](const CMessageBoxes::Box& box) {
        boxes.shown << box;
        modalDuringWarning = box.modalFlag;
        return QMessageBox::Ok;
    });
    m_Window->ui->actMenuHelpHelp->trigger();
    CApplicationLauncher::SetScript(CApplicationLauncher::Script());
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].title, QString("Lumivox 5"));
    QCOMPARE(boxes.shown[0].text, QString("Lumivox 5 Help does not exist."));
    QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
    QVERIFY(modalDuringWarning);
    QVERIFY(started.isEmpty());
}

QTEST_MAIN(tst_Lumivox5MainOptionAbout)
#include "tst_Lumivox5MainOptionAbout.moc"
