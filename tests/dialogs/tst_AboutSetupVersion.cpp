#include <QtTest>

#include "About.h"

// The main program's identity as recorded at start-up from its embedded
// property list.
class tst_AboutSetupVersion : public QObject
{
    Q_OBJECT
private slots:
    void shippedListGivesTheVersion()
    {
        About::SetupVersion();
        QCOMPARE(QCoreApplication::applicationName(), QString("Lumivox 5"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString("1.10.0.28"));
        QObject* app = QCoreApplication::instance();
        QCOMPARE(app->property("ProductName").toString(), QString("Lumivox 5"));
        QCOMPARE(app->property("FileVersion").toString(), QString("1.10.0.28"));
        QCOMPARE(app->property("ProductVersion").toString(), QString("1.10.0.28"));
        QCOMPARE(app->property("CompanyName").toString(), QString("Corvex Systems, Ltd."));
        QCOMPARE(app->property("OriginalFilename").toString(), QString("Lumivox5.exe"));
        QCOMPARE(app->property("CFBundleExecutable").toString(), QString("Lumivox5"));
        QVERIFY(!app->property("LegalCopyright").toString().isEmpty());
        QCOMPARE(app->property("CFBundleInfoDictionaryVersion").toString(),
                 app->property("LegalCopyright").toString());
    }

    void shippedListIsUtf8WithByteOrderMarkAndCrLf()
    {
        About::SetupVersion();
        QFile file(":/app.plist");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(bytes.endsWith("</plist>\r\n"));
        const QList<QPair<QByteArray, QByteArray>> entries{
            {"CFBundleIconFile", "ProjectorImage.icns"},
            {"CFBundleGetInfoString", "Lumivox 5(1.10.0.28)"},
            {"CFBundleInfoDictionaryVersion", "1.10.0.28"},
            {"CFBundleExecutable", "Lumivox 5"},
            {"CFBundleVersion", "1.10.0.28"},
            {"CFBundleName", "Lumivox 5"},
            {"CFBundlePackageType", "APPL"},
            {"CFBundleSignature", "????"},
            {"CFBundleIdentifier", "Corvex Systems, Ltd."},
            {"NOTE", ""},
        };
        int from = 0;
        for (const auto& entry : entries) {
            const QByteArray pair = "<key>" + entry.first + "</key>\r\n\t<string>" + entry.second + "</string>";
            const int at = bytes.indexOf(pair, from);
            QVERIFY2(at >= 0, entry.first.constData());
            from = at + pair.size();
        }
        QVERIFY(bytes.contains("<plist version=\"0.9\">"));
    }
};

QTEST_GUILESS_MAIN(tst_AboutSetupVersion)
#include "tst_AboutSetupVersion.moc"
