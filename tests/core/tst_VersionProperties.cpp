#include <QtTest>

#include "VersionProperties.h"

namespace {

QByteArray Plist(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"0.9\">\n<dict>\n" + body + "</dict>\n</plist>\n";
}

VersionConstants Constants()
{
    VersionConstants c;
    c.programName = "Program";
    c.copyright = "Copyright line";
    c.companyName = "Company";
    c.originalFilename = "Program.exe";
    c.executableName = "Prog";
    return c;
}

} // namespace

// Reading the version from a property list and recording it with the rest of
// a program's identity on the application object.
class tst_VersionProperties : public QObject
{
    Q_OBJECT
private slots:
    void version_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("version");

        QTest::newRow("pair") << Plist("<key>CFBundleVersion</key><string>1.2.3.4</string>\n") << "1.2.3.4";
        QTest::newRow("byte-order mark, CR LF")
            << QByteArray("\xEF\xBB\xBF") + Plist("<key>A</key>\r\n<string>x</string>\r\n"
                                                  "<key>CFBundleVersion</key>\r\n<string>1.10.0.28</string>\r\n")
            << "1.10.0.28";
        QTest::newRow("a true value shifts the later pairs")
            << Plist("<key>Flag</key><true/>\n<key>CFBundleVersion</key><string>1.0.0.1</string>\n"
                     "<key>Next</key><string>9.9.9.9</string>\n")
            << "9.9.9.9";
        QTest::newRow("an integer value shifts the later pairs")
            << Plist("<key>Count</key><integer>3</integer>\n<key>CFBundleVersion</key><string>1.0.0.1</string>\n")
            << "";
        QTest::newRow("leading blank does not match")
            << Plist("<key> CFBundleVersion</key><string>1.0.0.1</string>\n") << "";
        QTest::newRow("trailing blank does not match")
            << Plist("<key>CFBundleVersion </key><string>1.0.0.1</string>\n") << "";
        QTest::newRow("other letter case does not match")
            << Plist("<key>cfbundleversion</key><string>1.0.0.1</string>\n") << "";
        QTest::newRow("the first of two counts")
            << Plist("<key>CFBundleVersion</key><string>1.0.0.1</string>\n"
                     "<key>CFBundleVersion</key><string>2.0.0.2</string>\n")
            << "1.0.0.1";
        QTest::newRow("nested keys and strings count")
            << Plist("<array><dict><key>Inner</key><string>a</string></dict></array>\n"
                     "<key>CFBundleVersion</key><string>b</string>\n")
            << "b";
        QTest::newRow("strings before the keys pair by position")
            << Plist("<string>first</string><string>second</string>\n"
                     "<key>Other</key><key>CFBundleVersion</key>\n")
            << "second";
        QTest::newRow("no string at the key's position")
            << Plist("<key>Other</key><string>x</string><key>CFBundleVersion</key>\n") << "";
        QTest::newRow("text of nested elements belongs to the string")
            << Plist("<key>CFBundleVersion</key><string>1.<b>2</b>.3</string>\n") << "1.2.3";
        QTest::newRow("entities and character data")
            << Plist("<key>CFBundle&#86;ersion</key><string><![CDATA[1&2]]></string>\n") << "1&2";
        QTest::newRow("empty string") << Plist("<key>CFBundleVersion</key><string/>\n") << "";
        QTest::newRow("prefixed names are other elements")
            << Plist("<x:key xmlns:x=\"u\">CFBundleVersion</x:key><x:string xmlns:x=\"u\">1</x:string>\n") << "";
        QTest::newRow("malformed") << QByteArray("<plist><dict><key>CFBundleVersion</key><string>1.0</string>")
                                   << "";
        QTest::newRow("a parse error after the pair")
            << Plist("<key>CFBundleVersion</key><string>1.0.0.1</string><key>x</string>\n") << "";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("not XML") << QByteArray("CFBundleVersion=1.0") << "";
    }

    void version()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, version);
        QCOMPARE(ReadBundleVersion(document), version);
    }

    void propertiesAreSet()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("app.plist");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Plist("<key>CFBundleVersion</key><string>3.4.0.5</string>\n"));
        file.close();

        SetupVersionProperties(path, Constants());
        QCOMPARE(QCoreApplication::applicationName(), QString("Program"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString("3.4.0.5"));
        const QList<QPair<const char*, QString>> expected{
            {"FileDescription", "Program"},
            {"FileVersion", "3.4.0.5"},
            {"LegalCopyright", "Copyright line"},
            {"OriginalFilename", "Program.exe"},
            {"ProductVersion", "3.4.0.5"},
            {"ProductName", "Program"},
            {"InternalName", "Program"},
            {"CompanyName", "Company"},
            {"CFBundleInfoDictionaryVersion", "Copyright line"},
            {"CFBundleExecutable", "Prog"},
            {"CFBundleName", "Program"},
            {"CFBundlePackageType", "APPL"},
            {"NOTE", ""},
        };
        QObject* app = QCoreApplication::instance();
        for (const auto& property : expected) {
            const QVariant value = app->property(property.first);
            QVERIFY2(value.type() == QVariant::String, property.first);
            QCOMPARE(value.toString(), property.second);
        }
        // Keys nothing reads are not set.
        for (const char* name : {"CFBundleGetInfoString", "CFBundleSignature", "CFBundleVersion", "CFBundleIdentifier"})
            QVERIFY2(!app->property(name).isValid(), name);
    }

    void aMissingListGivesTheEmptyVersion()
    {
        SetupVersionProperties("/nonexistent/app.plist", Constants());
        QCOMPARE(QCoreApplication::applicationVersion(), QString());
        QObject* app = QCoreApplication::instance();
        QCOMPARE(app->property("FileVersion").toString(), QString());
        QCOMPARE(app->property("ProductVersion").toString(), QString());
        QVERIFY(app->property("FileVersion").isValid());
        QCOMPARE(app->property("ProductName").toString(), QString("Program"));
    }
};

QTEST_GUILESS_MAIN(tst_VersionProperties)
#include "tst_VersionProperties.moc"
