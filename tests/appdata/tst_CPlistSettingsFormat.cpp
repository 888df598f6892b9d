#include <QtTest>

#include "CPlistSettingsFormat.h"
#include "CTestFolders.h"

#include <cmath>
#include <limits>

namespace {

using Files = CTestFolders;

// Walks the whole file with a plain XML reader, independent of the format's
// own reader: it must be well-formed XML with a <plist> root holding one <dict>.
QString checkWellFormedPlist(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    QStringList elements;
    bool sawDoctype = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD())
            sawDoctype = true;
        if (xml.isStartElement())
            elements.append(xml.name().toString());
    }
    if (xml.hasError())
        return QStringLiteral("not well-formed: ") + xml.errorString();
    if (!sawDoctype)
        return QStringLiteral("no document type");
    if (elements.size() < 2 || elements.at(0) != QLatin1String("plist") || elements.at(1) != QLatin1String("dict"))
        return QStringLiteral("root is not plist > dict");
    const QStringList known = { "plist", "dict", "key", "string", "integer", "real",
                                "true", "false", "data", "date", "array" };
    for (const QString& name : elements) {
        if (!known.contains(name))
            return QStringLiteral("unknown element ") + name;
    }
    return QString();
}

} // namespace

class tst_CPlistSettingsFormat : public QObject
{
    Q_OBJECT
private:
    QScopedPointer<QTemporaryDir> m_Dir;
    QString m_Path;

private slots:
    void init()
    {
        // A new folder per test: QSettings caches files by name.
        m_Dir.reset(new QTemporaryDir);
        QVERIFY(m_Dir->isValid());
        m_Path = m_Dir->filePath(QStringLiteral("Lumivox 5.plist"));
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("string") << QVariant(QStringLiteral("hello")) << QVariant(QStringLiteral("hello"));
        QTest::newRow("empty string") << QVariant(QString("")) << QVariant(QString(""));
        QTest::newRow("markup characters") << QVariant(QStringLiteral("<a href=\"x\">&amp;</a>'"))
                                           << QVariant(QStringLiteral("<a href=\"x\">&amp;</a>'"));
        QTest::newRow("surrounding blanks") << QVariant(QStringLiteral("  two  ")) << QVariant(QStringLiteral("  two  "));
        QTest::newRow("line breaks") << QVariant(QStringLiteral("a\nb\r\nc\rd\t"))
                                     << QVariant(QStringLiteral("a\nb\r\nc\rd\t"));
        QTest::newRow("non-latin") << QVariant(QStringLiteral("プロジェクター é 𝄞"))
                                   << QVariant(QStringLiteral("プロジェクター é 𝄞"));
        QTest::newRow("hex text stays text") << QVariant(QStringLiteral("0A,FF,01"))
                                             << QVariant(QStringLiteral("0A,FF,01"));
        QTest::newRow("text true stays text") << QVariant(QStringLiteral("true")) << QVariant(QStringLiteral("true"));
        QTest::newRow("int") << QVariant(42) << QVariant(42);
        QTest::newRow("negative int") << QVariant(-7) << QVariant(-7);
        QTest::newRow("int min") << QVariant(std::numeric_limits<int>::min())
                                 << QVariant(std::numeric_limits<int>::min());
        QTest::newRow("long long") << QVariant(qlonglong(1) << 40) << QVariant(qlonglong(1) << 40);
        QTest::newRow("unsigned 64") << QVariant(std::numeric_limits<qulonglong>::max())
                                     << QVariant(std::numeric_limits<qulonglong>::max());
        QTest::newRow("real") << QVariant(0.1) << QVariant(0.1);
        QTest::newRow("real large") << QVariant(-1.5e300) << QVariant(-1.5e300);
        QTest::newRow("true") << QVariant(true) << QVariant(true);
        QTest::newRow("false") << QVariant(false) << QVariant(false);
        QTest::newRow("data") << QVariant(QByteArray("\x00\x01\xff" "abc", 6))
                              << QVariant(QByteArray("\x00\x01\xff" "abc", 6));
        QTest::newRow("empty data") << QVariant(QByteArray()) << QVariant(QByteArray());
        QTest::newRow("date") << QVariant(QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15), Qt::UTC))
                              << QVariant(QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15), Qt::UTC));
        QTest::newRow("date with milliseconds")
            << QVariant(QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15, 678), Qt::UTC))
            << QVariant(QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15, 678), Qt::UTC));
        QTest::newRow("string list") << QVariant(QStringList{ "a", "", "c" })
                                     << QVariant(QVariantList{ "a", "", "c" });
        QTest::newRow("empty array") << QVariant(QStringList()) << QVariant(QVariantList());
        QTest::newRow("deep but sensible nesting")
            << QVariant(QVariantList{ QVariantList{ QVariantList{ QVariantList{ QVariantList{ 1 } } } } })
            << QVariant(QVariantList{ QVariantList{ QVariantList{ QVariantList{ QVariantList{ 1 } } } } });
        QTest::newRow("nested array")
            << QVariant(QVariantList{ 1, QVariantList{ true, "x" }, QVariantMap{ { "k", 2 } } })
            << QVariant(QVariantList{ 1, QVariantList{ true, "x" }, QVariantMap{ { "k", 2 } } });
    }

    void valuesRoundTrip()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("Software/Group Name/Value"), value);
            settings.sync();
            QCOMPARE(settings.status(), QSettings::NoError);
        }
        QCOMPARE(checkWellFormedPlist(Files::readFile(m_Path)), QString());

        QFile file(m_Path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSettings::SettingsMap map;
        QVERIFY(CPlistSettingsFormat::Read(file, map));
        QCOMPARE(map.keys(), QStringList{ QStringLiteral("Software/Group Name/Value") });
        const QVariant read = map.value(QStringLiteral("Software/Group Name/Value"));
        QCOMPARE(read, expected);
        QCOMPARE(read.type(), expected.type());
    }

    void specialRealsRoundTrip()
    {
        QSettings::SettingsMap map;
        map.insert(QStringLiteral("nan"), std::numeric_limits<double>::quiet_NaN());
        map.insert(QStringLiteral("plus"), std::numeric_limits<double>::infinity());
        map.insert(QStringLiteral("minus"), -std::numeric_limits<double>::infinity());
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        QVERIFY(CPlistSettingsFormat::Write(buffer, map));
        buffer.seek(0);
        QSettings::SettingsMap read;
        QVERIFY(CPlistSettingsFormat::Read(buffer, read));
        QVERIFY(std::isnan(read.value(QStringLiteral("nan")).toDouble()));
        QCOMPARE(read.value(QStringLiteral("plus")).toDouble(), std::numeric_limits<double>::infinity());
        QCOMPARE(read.value(QStringLiteral("minus")).toDouble(), -std::numeric_limits<double>::infinity());
    }

    void textXmlCannotHoldKeepsItsCharacters()
    {
        // A control character has no XML form; the text survives as bytes.
        const QString text = QStringLiteral("pa") + QChar(0x01) + QStringLiteral("ss\x1b");
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("Mail/Pass"), text);
        }
        QCOMPARE(checkWellFormedPlist(Files::readFile(m_Path)), QString());
        QSettings settings(m_Path, CPlistSettingsFormat::Format());
        QCOMPARE(settings.status(), QSettings::NoError);
        QCOMPARE(settings.value(QStringLiteral("Mail/Pass")).toString(), text);
    }

    void textsWithBrokenCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("control character") << QStringLiteral("a") + QChar(0x01) + QStringLiteral("b");
        QTest::newRow("lone high surrogate") << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
        QTest::newRow("lone low surrogate") << QStringLiteral("a") + QChar(0xDC00);
        QTest::newRow("not a character") << QStringLiteral("x") + QChar(0xFFFE);
    }

    void textsWithBrokenCharacters()
    {
        // Whatever is stored, the file stays a readable property list, and
        // a key keeps the characters XML can carry.
        QFETCH(QString, text);
        const QString keyText = QStringLiteral("K") + text + QString::fromUtf8("\xF0\x9D\x84\x9E");
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("G/Value"), text);
            settings.setValue(QStringLiteral("G/") + keyText, 1);
        }
        QCOMPARE(checkWellFormedPlist(Files::readFile(m_Path)), QString());
        QSettings settings(m_Path, CPlistSettingsFormat::Format());
        QCOMPARE(settings.status(), QSettings::NoError);
        QCOMPARE(settings.allKeys().size(), 2);
        QVERIFY(settings.value(QStringLiteral("G/Value")).isValid());
        for (const QString& child : settings.allKeys()) {
            if (child != QLatin1String("G/Value"))
                QVERIFY2(child.endsWith(QString::fromUtf8("\xF0\x9D\x84\x9E")), qPrintable(child));
        }
    }

    void keysFormADictionaryTree()
    {
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("Software/A/One"), 1);
            settings.setValue(QStringLiteral("Software/A/Two"), QStringLiteral("2"));
            settings.setValue(QStringLiteral("Software/B"), true);
        }
        const QByteArray bytes = Files::readFile(m_Path);
        QCOMPARE(checkWellFormedPlist(bytes), QString());

        // Software > A > {One, Two}, Software > B: three dictionaries in all.
        QXmlStreamReader xml(bytes);
        int dicts = 0;
        QStringList keys;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("dict"))
                ++dicts;
            if (xml.isStartElement() && xml.name() == QLatin1String("key"))
                keys.append(xml.readElementText());
        }
        QCOMPARE(dicts, 3);
        QCOMPARE(keys, (QStringList{ "Software", "A", "One", "Two", "B" }));
    }

    // Keys a file may hold that the setting interface never makes: written,
    // they read back as they were read.
    void keysReadBackAsRead_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("double slash") << QStringList{ "Mail//Server" };
        QTest::newRow("double slash beside the plain key") << QStringList{ "Mail//Server", "Mail/Server" };
        QTest::newRow("leading slash") << QStringList{ "/Mail" };
        QTest::newRow("trailing slash") << QStringList{ "Mail/", "Mail/User/" };
        QTest::newRow("only slashes") << QStringList{ "//" };
    }

    void keysReadBackAsRead()
    {
        QFETCH(QStringList, keys);
        QSettings::SettingsMap map;
        for (const QString& key : keys)
            map.insert(key, key);
        map.insert(QStringLiteral("Mail/User"), QStringLiteral("plain"));
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        QVERIFY(CPlistSettingsFormat::Write(buffer, map));
        QCOMPARE(checkWellFormedPlist(buffer.data()), QString());
        buffer.seek(0);
        QSettings::SettingsMap read;
        QVERIFY(CPlistSettingsFormat::Read(buffer, read));
        QCOMPARE(read, map);
        QBuffer again;
        QVERIFY(again.open(QIODevice::ReadWrite));
        QVERIFY(CPlistSettingsFormat::Write(again, read));
        QCOMPARE(again.data(), buffer.data());
    }

    void aKeyThatIsAlsoAGroupKeepsBoth()
    {
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("G"), QStringLiteral("group value"));
            settings.setValue(QStringLiteral("G/Child"), 5);
        }
        QCOMPARE(checkWellFormedPlist(Files::readFile(m_Path)), QString());
        QSettings settings(m_Path, CPlistSettingsFormat::Format());
        QCOMPARE(settings.value(QStringLiteral("G")).toString(), QStringLiteral("group value"));
        QCOMPARE(settings.value(QStringLiteral("G/Child")).toInt(), 5);
    }

    void readsWhatAnotherWriterProduces()
    {
        const QByteArray handWritten =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!-- edited by hand -->\n"
            "<plist version=\"1.0\"><dict>\n"
            "  <key>S</key><dict>\n"
            "    <key>Text</key><string>a &lt;b&gt; &#x3042;</string>\n"
            "    <key>Number</key><integer> 12 </integer>\n"
            "    <key>Flag</key><true/>\n"
            "    <key>Bytes</key><data>\n  AAEC\n  /w==\n</data>\n"
            "    <key>When</key><date>2001-02-03T04:05:06Z</date>\n"
            "    <key>List</key><array><string>x</string><integer>3</integer></array>\n"
            "    <key>Empty</key><string/>\n"
            "  </dict>\n"
            "</dict></plist>\n";
        QBuffer buffer;
        buffer.setData(handWritten);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QSettings::SettingsMap map;
        QVERIFY(CPlistSettingsFormat::Read(buffer, map));
        QCOMPARE(map.value("S/Text").toString(), QString::fromUtf8("a <b> あ"));
        QCOMPARE(map.value("S/Number"), QVariant(12));
        QCOMPARE(map.value("S/Flag"), QVariant(true));
        QCOMPARE(map.value("S/Bytes").toByteArray(), QByteArray("\x00\x01\x02\xff", 4));
        QCOMPARE(map.value("S/When").toDateTime(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC));
        QCOMPARE(map.value("S/List"), QVariant(QVariantList{ "x", 3 }));
        QVERIFY(map.contains("S/Empty"));
        QCOMPARE(map.value("S/Empty"), QVariant(QString("")));
    }

    void damagedDocumentsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
        QTest::newRow("not xml") << QByteArray("garbage \x01\x02");
        QTest::newRow("cut short") << QByteArray(head + "<dict><key>a</key><string>b</str");
        QTest::newRow("no closing plist") << QByteArray(head + "<dict></dict>");
        QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?><dict></dict>");
        QTest::newRow("array at the top") << QByteArray(head + "<array/></plist>");
        QTest::newRow("two top values") << QByteArray(head + "<dict/><dict/></plist>");
        QTest::newRow("value without key") << QByteArray(head + "<dict><string>b</string></dict></plist>");
        QTest::newRow("key without value") << QByteArray(head + "<dict><key>a</key></dict></plist>");
        QTest::newRow("bad integer") << QByteArray(head + "<dict><key>a</key><integer>1x</integer></dict></plist>");
        QTest::newRow("bad real") << QByteArray(head + "<dict><key>a</key><real>one</real></dict></plist>");
        QTest::newRow("bad data") << QByteArray(head + "<dict><key>a</key><data>@@@</data></dict></plist>");
        QTest::newRow("bad date") << QByteArray(head + "<dict><key>a</key><date>yesterday</date></dict></plist>");
        QTest::newRow("unknown element") << QByteArray(head + "<dict><key>a</key><blob/></dict></plist>");
        QTest::newRow("text in true") << QByteArray(head + "<dict><key>a</key><true>x</true></dict></plist>");
        QTest::newRow("stray text") << QByteArray(head + "<dict>junk<key>a</key><true/></dict></plist>");
        QTest::newRow("trailing element") << QByteArray(head + "<dict/></plist><x/>");
        QTest::newRow("nested beyond reason")
            << QByteArray(head + "<dict><key>a</key>" + QByteArray("<array>").repeated(100000)
                          + QByteArray("</array>").repeated(100000) + "</dict></plist>");
        QTest::newRow("mismatched tags") << QByteArray(head + "<dict><key>a</key><string>b</key></dict></plist>");
    }

    void damagedDocumentsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer;
        buffer.setData(bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QSettings::SettingsMap map;
        map.insert(QStringLiteral("untouched"), 1);
        QVERIFY(!CPlistSettingsFormat::Read(buffer, map));
        QCOMPARE(map.keys(), QStringList{ QStringLiteral("untouched") });

        QVERIFY(Files::writeFile(m_Path, bytes));
        QCOMPARE(CPlistSettingsFormat::CheckFile(m_Path), QSettings::FormatError);
        QSettings settings(m_Path, CPlistSettingsFormat::Format());
        QCOMPARE(settings.status(), QSettings::FormatError);
        QCOMPARE(Files::readFile(m_Path), bytes);
    }

    void checkFileOfMissingEmptyAndSoundFiles()
    {
        QCOMPARE(CPlistSettingsFormat::CheckFile(m_Path), QSettings::NoError);
        QVERIFY(Files::writeFile(m_Path, QByteArray()));
        QCOMPARE(CPlistSettingsFormat::CheckFile(m_Path), QSettings::NoError);
        QVERIFY(Files::writeFile(m_Path, "<?xml version=\"1.0\"?><plist version=\"1.0\"/>"));
        QCOMPARE(CPlistSettingsFormat::CheckFile(m_Path), QSettings::NoError);
    }

    void pythonPlistlibReadsOurFile()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        {
            QSettings settings(m_Path, CPlistSettingsFormat::Format());
            settings.setValue(QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Mail/Pass"),
                              QStringLiteral("true"));
            settings.setValue(QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Mail/Authority"), 2);
            settings.setValue(QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Mail/Comment"),
                              QStringLiteral("a\r\nb <&>"));
            settings.setValue(QStringLiteral("X/Flag"), true);
            settings.setValue(QStringLiteral("X/Bytes"), QByteArray("\x01\x02", 2));
            settings.setValue(QStringLiteral("X/List"), QStringList{ "p", "q" });
        }
        const char* script =
            "import plistlib, sys\n"
            "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "m = d['Software']['Corvex Projector User Fennick']['Lumivox5']['Mail']\n"
            "assert m['Pass'] == 'true', m\n"
            "assert m['Authority'] == 2, m\n"
            "assert m['Comment'] == 'a\\r\\nb <&>', repr(m['Comment'])\n"
            "x = d['X']\n"
            "assert x['Flag'] is True and x['Bytes'] == b'\\x01\\x02' and x['List'] == ['p', 'q'], x\n"
            "print('ok')\n";
        QProcess process;
        process.start(python, { QStringLiteral("-c"), QString::fromLatin1(script), m_Path });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
        QCOMPARE(process.readAllStandardOutput().trimmed(), QByteArray("ok"));
    }
};

QTEST_GUILESS_MAIN(tst_CPlistSettingsFormat)
#include "tst_CPlistSettingsFormat.moc"
