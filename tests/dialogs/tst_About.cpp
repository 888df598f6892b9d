#include <QGraphicsView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "About.h"
#include "GuiTestSupport.h"

namespace {

const char* const HEADER_PROPERTIES[] = {"SetupVersion", "ProfileVersion", "ProfileExtraVersion", "CopyrightYear"};

void setHeader(const QStringList& values)
{
    for (int i = 0; i < 4; ++i)
        qApp->setProperty(HEADER_PROPERTIES[i], values.value(i));
}

QString labelText(About& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(name)->text();
}

} // namespace

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        About::SetupVersion();
    }
    void cleanup()
    {
        About::SetupVersion();
        setHeader(QStringList());
    }
    void versionTexts_data();
    void versionTexts();
    void showReadsTheProperties_data();
    void showReadsTheProperties();
    void revisionAsksOnceAtThePress();
    void languageChangeAndNextShow();
};

void tst_About::versionTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("profile 1.10.28") << "profile" << "1.10.28" << "1.10.0.28";
    QTest::newRow("profile 2.03.004") << "profile" << "2.03.004" << "2.3.0.4";
    QTest::newRow("profile 7") << "profile" << "7" << "7";
    QTest::newRow("profile 1.2.3.4") << "profile" << "1.2.3.4" << "1.2.0.3";
    QTest::newRow("profile a.b.c") << "profile" << "a.b.c" << "0.0.0.0";
    QTest::newRow("profile empty") << "profile" << "" << "---";
    QTest::newRow("application 1.10.0.28") << "application" << "1.10.0.28" << "1.10.0.28";
    QTest::newRow("application 1.05.0.3") << "application" << "1.05.0.3" << "1.5.0.3";
    QTest::newRow("application 1.2") << "application" << "1.2" << "";
    QTest::newRow("application x.1.2.3") << "application" << "x.1.2.3" << "";
    QTest::newRow("application 1.2.x.4") << "application" << "1.2.x.4" << "1.2.0.4";
    QTest::newRow("application 1.2.3 reads a fourth 0") << "application" << "1.2.3" << "1.2.3.0";
    QTest::newRow("application 1.2.3.4.5") << "application" << "1.2.3.4.5" << "1.2.3.4";
    QTest::newRow("application empty") << "application" << "" << "";
}

void tst_About::versionTexts()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    if (kind == "profile") {
        QCOMPARE(About::GetVersionString(text), shown);
    } else {
        QCoreApplication::setApplicationVersion(text);
        QCOMPARE(About::f_GetAppVersion(), shown);
    }
}

void tst_About::showReadsTheProperties_data()
{
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("years");

    QTest::newRow("no header values") << QStringList() << "--- " << "---" << false;
    QTest::newRow("full header") << QStringList{"1.10.28", "2.03.004", "b", "YEARS"} << "1.10.0.28 b" << "2.3.0.4"
                                 << true;
}

void tst_About::showReadsTheProperties()
{
    QFETCH(QStringList, header);
    QFETCH(QString, setup);
    QFETCH(QString, profile);
    QFETCH(bool, years);

    setHeader(header);
    About dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("About Lumivox 5"));
    QCOMPARE(dialog.size(), QSize(413, 176));
    QCOMPARE(labelText(dialog, "lblProductName"), QString("Lumivox 5"));
    QCOMPARE(labelText(dialog, "lblSetupVer"), setup);
    QCOMPARE(labelText(dialog, "lblAppVer"), QString("1.10.0.28"));
    QCOMPARE(labelText(dialog, "lblProfileVer"), profile);
    const QString copyright = labelText(dialog, "lblCopyright");
    const QString legal = qApp->property("LegalCopyright").toString();
    if (years) {
        QVERIFY2(copyright.startsWith("Copyright (C) YEARS Corvex Systems"), qPrintable(copyright));
        QVERIFY(copyright != legal);
    } else {
        QCOMPARE(copyright, legal);
    }
    QVERIFY(!dialog.findChild<QGraphicsView*>("gvAppIcon")->scene()->items().isEmpty());
    for (const char* name : {"btnOK", "cmdHelp"})
        QCOMPARE(dialog.findChild<QPushButton*>(name)->height(), 32);
    QCOMPARE(dialog.findChild<QPushButton*>("btnOK")->text(), QString("&OK"));
    QCOMPARE(dialog.findChild<QPushButton*>("cmdHelp")->text(), QString("&Revision"));

    GuiTestSupport::OnNextPopup([&](QWidget*) { dialog.findChild<QPushButton*>("btnOK")->click(); });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
}

// A held button asks at the press; the release asks nothing more.
void tst_About::revisionAsksOnceAtThePress()
{
    About dialog;
    dialog.show();
    QSignalSpy asked(&dialog, &About::on_f_HelpRevision);
    QPushButton* revision = dialog.findChild<QPushButton*>("cmdHelp");
    QTest::mousePress(revision, Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0][0].toString(), QString("_RESOURCE/html/helpversion.htm"));
    QCOMPARE(asked[0][1].value<QWidget*>(), static_cast<QWidget*>(&dialog));
    QTest::mouseRelease(revision, Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
}

// A language change puts the designer texts back; the next show the values.
void tst_About::languageChangeAndNextShow()
{
    setHeader({"1.10.28", "2.03.004", "b", ""});
    About dialog;
    dialog.show();
    QCOMPARE(labelText(dialog, "lblProfileVer"), QString("2.3.0.4"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialog, &change);
    QCOMPARE(labelText(dialog, "lblProfileVer"), QString("0,00,000"));
    QCOMPARE(labelText(dialog, "lblSetup"), QString("Version"));
    dialog.hide();
    dialog.show();
    QCOMPARE(labelText(dialog, "lblProfileVer"), QString("2.3.0.4"));
    QCOMPARE(labelText(dialog, "lblSetupVer"), QString("1.10.0.28 b"));
}

QTEST_MAIN(tst_About)
#include "tst_About.moc"
