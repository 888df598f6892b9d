#include <QtTest>

#include <QTemporaryDir>
#include <QTextCodec>

#include <csignal>
#include <sys/resource.h>

#include "CIniFileAccess.h"

namespace {

QByteArray utf16le(const QString& s)
{
    QByteArray b;
    for (const QChar c : s) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    return b;
}

QByteArray utf16be(const QString& s)
{
    QByteArray b;
    for (const QChar c : s) {
        b.append(char(c.unicode() >> 8));
        b.append(char(c.unicode() & 0xFF));
    }
    return b;
}

QByteArray utf32(const QString& s, bool littleEndian)
{
    QByteArray b;
    for (const uint u : s.toUcs4()) {
        const char bytes[4] = {char(u >> 24), char((u >> 16) & 0xFF), char((u >> 8) & 0xFF), char(u & 0xFF)};
        for (int i = 0; i < 4; ++i)
            b.append(littleEndian ? bytes[3 - i] : bytes[i]);
    }
    return b;
}

QByteArray shiftJis(const QString& s)
{
    return QTextCodec::codecForName("Shift_JIS")->fromUnicode(s);
}

// What the program writes: "UTF-16" with its mark.
QByteArray written(const QString& s)
{
    return QByteArray("\xFF\xFE", 2) + utf16le(s);
}

} // namespace

class tst_CIniFileAccess : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;

    QString file(const QString& name) const { return dir->filePath(name); }

    static void put(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }

    static QByteArray get(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }

    // The accessor's records as a compact listing: section|key|value|quoted.
    static QStringList records(const QList<IniData*>* list)
    {
        QStringList out;
        for (const IniData* d : *list)
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(d->section.isNull() ? QStringLiteral("<null>") : d->section, d->key, d->value,
                            d->quoted ? QStringLiteral("q") : QString());
        return out;
    }

    static QString lookup(const CIniFileAccess& ini, const QString& section, const QString& key)
    {
        QString v;
        ini.GetIniString(section, key, QStringLiteral("<default>"), &v);
        return v;
    }

    // The records rendered as the file text (without encoding).
    static QString render(const CIniFileAccess& ini)
    {
        QString out;
        ini.f_IniToFile(&out, ini.lines);
        return out;
    }

private slots:
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
    }

    // --- reading -----------------------------------------------------------

    void keyLineGrammar_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("quoted");

        QTest::newRow("quoted two words, blanks around") << "Name = \"two words\" " << "Name" << "two words" << true;
        QTest::newRow("two quotes: empty, quoted") << "Name=\"\"" << "Name" << "" << true;
        QTest::newRow("one quote stays") << "Name=\"" << "Name" << "\"" << false;
        QTest::newRow("inner quotes stay") << "k=\"a \" b\"" << "k" << "a \" b" << true;
        QTest::newRow("quote at one end only") << "k=\"abc" << "k" << "\"abc" << false;
        QTest::newRow("empty value") << "Name=" << "Name" << "" << false;
        QTest::newRow("semicolon after equals is value") << "a=b;c" << "a" << "b;c" << false;
        QTest::newRow("second equals is value") << "a = b=c " << "a" << "b=c" << false;
        QTest::newRow("blanks inside key kept") << "StartDay Year=2026" << "StartDay Year" << "2026" << false;
        QTest::newRow("tab trimmed") << "\tk\t=\tv\t" << "k" << "v" << false;
        QTest::newRow("semicolon before equals: raw") << "a;b=c" << "" << "a;b=c" << false;
        QTest::newRow("comment: raw") << "; x=1" << "" << "; x=1" << false;
        QTest::newRow("empty key: raw") << "=x" << "" << "=x" << false;
        QTest::newRow("blank key: raw") << "  =\"x\"" << "" << "  =\"x\"" << false;
        QTest::newRow("no equals: raw") << "just words" << "" << "just words" << false;
        QTest::newRow("blank line: raw") << "" << "" << "" << false;
        QTest::newRow("indented header is no header") << "  [A]" << "" << "  [A]" << false;
        QTest::newRow("empty brackets are no header") << "[]" << "" << "[]" << false;
        QTest::newRow("blank brackets are no header") << "[  ]" << "" << "[  ]" << false;
    }

    void keyLineGrammar()
    {
        QFETCH(QString, line);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, quoted);

        put(file("g.ini"), shiftJis("[S]\r\n" + line + "\r\nlast=1\r\n"));
        CIniFileAccess ini(file("g.ini"));
        QCOMPARE(ini.lines->size(), 2);
        const IniData* d = ini.lines->at(0);
        QCOMPARE(d->section, QStringLiteral("S"));
        QCOMPARE(d->key, key);
        QCOMPARE(d->value, value);
        QCOMPARE(d->quoted, quoted);
        // Empty is not null: a null value would be taken for a deletion.
        QVERIFY(!d->key.isNull());
        QVERIFY(!d->value.isNull());
        if (!key.isEmpty())
            QCOMPARE(lookup(ini, "S", key), value);
    }

    void headerLines_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("section"); // empty: no header

        QTest::newRow("plain") << "[A]" << "A";
        QTest::newRow("word after bracket ignored") << "[A] word" << "A";
        QTest::newRow("no closing bracket") << "[B" << "B";
        QTest::newRow("blanks trimmed") << "[ Header Info ]" << "Header Info";
        QTest::newRow("trailing blank in name trimmed") << "[ScheduleData 001 ]" << "ScheduleData 001";
        QTest::newRow("indented") << "  [A]" << "";
        QTest::newRow("empty") << "[]" << "";
        QTest::newRow("blank") << "[ ]" << "";
    }

    void headerLines()
    {
        QFETCH(QString, header);
        QFETCH(QString, section);
        put(file("h.ini"), shiftJis("[Z]\nz=0\n" + header + "\nk=1\n"));
        CIniFileAccess ini(file("h.ini"));
        QCOMPARE(lookup(ini, section.isEmpty() ? "Z" : section, "k"), QStringLiteral("1"));
        if (!section.isEmpty())
            QCOMPARE(lookup(ini, "Z", "k"), QStringLiteral("<default>"));
    }

    void sectionIndexAndExactMatch()
    {
        put(file("m.ini"), shiftJis("; top\r\n[Models]\r\nA=1\r\n[Empty]\r\n[Other]\r\nB=2\r\nB=3\r\n; c\r\nC=4\r\n"));
        CIniFileAccess ini(file("m.ini"));

        // The header is no record; the section's first line is where its entry points.
        QCOMPARE(ini.index->value("MODELS", -1), 1);
        QCOMPARE(ini.lines->at(1)->key, QStringLiteral("A"));
        // The index test ignores case, the match does not.
        QCOMPARE(lookup(ini, "Models", "A"), QStringLiteral("1"));
        QCOMPARE(lookup(ini, "models", "A"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "Models", "a"), QStringLiteral("<default>"));
        // A header followed directly by a header has no entry.
        QVERIFY(!ini.index->contains("EMPTY"));
        QCOMPARE(lookup(ini, "Empty", "B"), QStringLiteral("<default>"));
        // A repeated key: the first one counts, and both are listed.
        QCOMPARE(lookup(ini, "Other", "B"), QStringLiteral("2"));
        QStringList keys;
        ini.GetIniKeys("Other", keys);
        QCOMPARE(keys, QStringList({"B", "B", "C"}));
        ini.GetIniKeys("Models", keys);
        QCOMPARE(keys, QStringList({"A"}));
        ini.GetIniKeys("Nowhere", keys);
        QVERIFY(keys.isEmpty());
        // The empty key names the section's first plain line.
        QCOMPARE(lookup(ini, "Other", ""), QStringLiteral("; c"));
    }

    void linesBeforeFirstHeader()
    {
        put(file("p.ini"), shiftJis("a=1\r\n; note\r\n[S]\r\nk=v\r\n"));
        CIniFileAccess ini(file("p.ini"));
        QCOMPARE(records(ini.lines), QStringList({"<null>|a|a=1|", "<null>||; note|", "S|k|v|"}));
        QCOMPARE(ini.index->value("", -1), 0);
        QCOMPARE(lookup(ini, "", "a"), QStringLiteral("a=1"));
    }

    void missingAndEmptyFiles_data()
    {
        QTest::addColumn<bool>("create");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }

    void missingAndEmptyFiles()
    {
        QFETCH(bool, create);
        if (create)
            put(file("e.ini"), QByteArray());
        CIniFileAccess ini;
        QCOMPARE(ini.ReadIniFile(file("e.ini")), 0);
        QVERIFY(ini.lines->isEmpty());
        QVERIFY(ini.index->isEmpty());
        QCOMPARE(lookup(ini, "S", "k"), QStringLiteral("<default>"));
        QCOMPARE(ini.GetIniInt("S", "k", 7), 7);
        QStringList keys{"stale"};
        ini.GetIniKeys("S", keys);
        QVERIFY(keys.isEmpty());
    }

    void rereadReplacesContent()
    {
        put(file("1.ini"), shiftJis("[A]\nx=1\n"));
        put(file("2.ini"), shiftJis("[B]\ny=2\n"));
        CIniFileAccess ini(file("1.ini"));
        ini.SetIniString("A", "gone", QString());
        QCOMPARE(ini.ReadIniFile(file("2.ini")), 0);
        QCOMPARE(lookup(ini, "A", "x"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "B", "y"), QStringLiteral("2"));
        // Reading keeps what is pending for the next write.
        QCOMPARE(ini.deleteList.size(), 1);
    }

    void getIniInt_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "n=42" << 42;
        QTest::newRow("blanks inside quotes") << "n=\" 42 \"" << 42;
        QTest::newRow("negative") << "n=-7" << -7;
        QTest::newRow("plus sign") << "n=+5" << 5;
        QTest::newRow("quoted") << "n=\"12\"" << 12;
        QTest::newRow("int max") << "n=2147483647" << 2147483647;
        QTest::newRow("int min") << "n=-2147483648" << int(-2147483647 - 1);
        QTest::newRow("overflow") << "n=2147483648" << -99;
        QTest::newRow("far overflow") << "n=99999999999" << -99;
        QTest::newRow("trailing junk") << "n=4x" << -99;
        QTest::newRow("hex") << "n=0x10" << -99;
        QTest::newRow("empty") << "n=" << -99;
        QTest::newRow("missing") << "m=1" << -99;
    }

    void getIniInt()
    {
        QFETCH(QString, line);
        QFETCH(int, expected);
        put(file("n.ini"), shiftJis("[S]\n" + line + "\n"));
        CIniFileAccess ini(file("n.ini"));
        QCOMPARE(ini.GetIniInt("S", "n", -99), expected);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");

        const QString v = QStringLiteral("名前 č 不」");
        const QString t = "[S]\r\nk=" + v + "\r\n";
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + t.toUtf8() << v;
        QTest::newRow("UTF-16LE mark") << QByteArray("\xFF\xFE", 2) + utf16le(t) << v;
        QTest::newRow("UTF-16BE mark") << QByteArray("\xFE\xFF", 2) + utf16be(t) << v;
        QTest::newRow("UTF-32LE mark") << QByteArray("\xFF\xFE\x00\x00", 4) + utf32(t, true) << v;
        QTest::newRow("UTF-32BE mark") << QByteArray("\x00\x00\xFE\xFF", 4) + utf32(t, false) << v;
        // 0x5C is a backslash here, also as the second byte of 表 (95 5C) it
        // must stay part of the character.
        const QString sj = QStringLiteral("C:\\表\\データ");
        QTest::newRow("no mark: Shift_JIS") << shiftJis("[S]\r\nk=" + sj + "\r\n") << sj;
        QTest::newRow("no mark, LF only") << shiftJis("[S]\nk=" + sj) << sj;
        QTest::newRow("UTF-8 without mark is not UTF-8")
            << QByteArray("[S]\nk=\xC3\xA9\n") << QTextCodec::codecForName("Shift_JIS")->toUnicode("\xC3\xA9");
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        put(file("c.ini"), bytes);
        CIniFileAccess ini(file("c.ini"));
        QCOMPARE(lookup(ini, "S", "k"), expected);
        QVERIFY(!ini.text.startsWith(QChar(0xFEFF)));
    }

    // Every character here has a 0x0D byte in UTF-16, as has every CRLF.
    void utf16WithCarriageReturnBytesReadsExactly()
    {
        const QString name = QStringLiteral("不」č－");
        put(file("u.ini"), written("[Setting 001]\r\nName=" + name + "\r\nIP=10.0.0.13\r\n; \u010D\r\n"));
        CIniFileAccess ini(file("u.ini"));
        QCOMPARE(lookup(ini, "Setting 001", "Name"), name);
        QCOMPARE(lookup(ini, "Setting 001", "IP"), QStringLiteral("10.0.0.13"));
        QCOMPARE(ini.text, "[Setting 001]\r\nName=" + name + "\r\nIP=10.0.0.13\r\n; \u010D\r\n");
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CRLF") << QByteArray("[S]\r\na=1\r\nb=2\r\n");
        QTest::newRow("LF") << QByteArray("[S]\na=1\nb=2\n");
        QTest::newRow("mixed, no final feed") << QByteArray("[S]\r\na=1\nb=2");
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        put(file("l.ini"), bytes);
        CIniFileAccess ini(file("l.ini"));
        QCOMPARE(records(ini.lines), QStringList({"S|a|1|", "S|b|2|"}));
        QCOMPARE(ini.text, QStringLiteral("[S]\r\na=1\r\nb=2\r\n"));
    }

    void feedCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("feed");
        QTest::newRow("crlf") << "a\r\nb" << "\r\n";
        QTest::newRow("lfcr first") << "a\n\rb\r\n" << "\n\r";
        QTest::newRow("lf") << "a\nb" << "\n";
        QTest::newRow("cr") << "a\rb" << "\r";
        QTest::newRow("none") << "ab" << "";
    }

    void feedCode()
    {
        QFETCH(QString, text);
        QFETCH(QString, feed);
        QCOMPARE(CIniFileAccess::f_GetFeedCode(text), feed);
    }

    // A section seen twice: only its first occurrence answers lookups, and its
    // later lines never become values of keys; the file is written back as it was.
    void repeatedSection()
    {
        const QString t = "[A]\nx=1\n[B]\ny=2\n[A]\nx=9\nz=3\n[C]\nw=4\n";
        put(file("r.ini"), written(t));
        CIniFileAccess ini(file("r.ini"));
        QCOMPARE(lookup(ini, "A", "x"), QStringLiteral("1"));
        QCOMPARE(lookup(ini, "A", "z"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "B", "z"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "B", "x"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "C", "w"), QStringLiteral("4"));
        QStringList keys;
        ini.GetIniKeys("B", keys);
        QCOMPARE(keys, QStringList({"y"}));

        // The repeated section's lines go back as comments: they never
        // become keys, whatever edits do to the section before them.
        const QByteArray inert = written("[A]\nx=1\n[B]\ny=2\n;[A]\n;x=9\n;z=3\n[C]\nw=4\n");
        QCOMPARE(ini.WriteIniFile(file("r.ini")), 0);
        QCOMPARE(get(file("r.ini")), inert);
        QCOMPARE(ini.WriteIniFile(file("r2.ini"), true, "UTF-16"), 0);
        QCOMPARE(get(file("r2.ini")), inert);
    }

    void editsAroundRepeatedSection()
    {
        const QString p = file("rep.ini");
        put(p, written("[A]\nx=1\n[B]\n[A]\nz=3\n"));
        CIniFileAccess ini(p);
        ini.SetIniString("B", "k", "v");
        ini.SetIniString("A", "y", "2");
        ini.SetIniString("A", "z", "4");
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\nx=1\ny=2\nz=4\n[B]\nk=v\n;[A]\n;z=3\n"));
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "A", "z"), QStringLiteral("4"));
        QCOMPARE(lookup(back, "B", "k"), QStringLiteral("v"));
    }

    // --- edits ---------------------------------------------------------------

    void editSemantics()
    {
        put(file("s.ini"), written("[A]\nx=1\ny=2\n; end of A\n\n[B]\nq=\"quoted\"\n"));
        CIniFileAccess ini(file("s.ini"));

        // A new key goes after the section's last key, before its closing lines.
        ini.SetIniString("A", "n", "new");
        // A key set through the three-argument form loses its quotes, keeps its place.
        ini.SetIniString("B", "q", "plain");
        ini.SetIniInt("B", "neg", -5);
        ini.SetIniInt("B", "zero", 0);
        ini.SetIniString("C", "k", "v", true);
        ini.SetIniString("A", "e", "");
        QCOMPARE(render(ini), QStringLiteral("[A]\nx=1\ny=2\nn=new\ne=\n; end of A\n\n[B]\nq=plain\nneg=-5\nzero=0\n"
                                             "[C]\nk=\"v\"\n"));
        QCOMPARE(lookup(ini, "A", "n"), QStringLiteral("new"));
        QCOMPARE(lookup(ini, "A", "e"), QStringLiteral(""));
        QCOMPARE(ini.GetIniInt("B", "neg", 0), -5);

        // Deleting a section keeps its plain lines, written without a header.
        ini.SetIniString("A", QString(), "ignored");
        QCOMPARE(render(ini), QStringLiteral("; end of A\n\n[B]\nq=plain\nneg=-5\nzero=0\n[C]\nk=\"v\"\n"));
        QCOMPARE(lookup(ini, "A", "x"), QStringLiteral("<default>"));
        QVERIFY(!ini.index->contains("A"));

        // Set again, the section goes to the end.
        ini.SetIniString("A", "x", "back");
        ini.SetIniString("B", "neg", QString());
        QCOMPARE(render(ini),
                 QStringLiteral("; end of A\n\n[B]\nq=plain\nzero=0\n[C]\nk=\"v\"\n[A]\nx=back\n"));
        QStringList keys;
        ini.GetIniKeys("A", keys);
        QCOMPARE(keys, QStringList({"x"}));

        // A null section clears everything.
        ini.SetIniString(QString(), "k", "v");
        QVERIFY(ini.lines->isEmpty());
        QVERIFY(ini.index->isEmpty());
        QCOMPARE(lookup(ini, "B", "q"), QStringLiteral("<default>"));
    }

    // Spellings of one section that differ in case are one section of the
    // file: edits never write its header twice, so no key is lost on reading.
    void sectionSpelledInAnotherCase()
    {
        const QString p = file("case.ini");
        put(p, written("[Models]\na=1\n[Next]\nn=1\n"));
        CIniFileAccess ini(p);
        ini.SetIniString("MODELS", "b", "2");
        ini.SetIniString("Models", "c", "3");
        QCOMPARE(lookup(ini, "MODELS", "b"), QStringLiteral("2"));
        QCOMPARE(lookup(ini, "Models", "b"), QStringLiteral("<default>"));
        QStringList keys;
        ini.GetIniKeys("Models", keys);
        QCOMPARE(keys, QStringList({"a", "c"}));
        QCOMPARE(render(ini), QStringLiteral("[Models]\na=1\nb=2\nc=3\n[Next]\nn=1\n"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[Models]\na=1\nb=2\nc=3\n[Next]\nn=1\n"));

        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "Models", "a"), QStringLiteral("1"));
        QCOMPARE(lookup(back, "Models", "b"), QStringLiteral("2"));
        QCOMPARE(lookup(back, "Models", "c"), QStringLiteral("3"));

        // Deleting the section under either spelling takes all of it.
        ini.SetIniString("models", QString(), QString());
        QCOMPARE(render(ini), QStringLiteral("[Next]\nn=1\n"));
        ini.SetIniString("Models", "d", "4");
        QCOMPARE(render(ini), QStringLiteral("[Next]\nn=1\n[Models]\nd=4\n"));
    }

    // A key set through another spelling of its section is the key the file
    // holds: changed in place, never added a second time.
    void existingKeyThroughAnotherSpelling()
    {
        const QString p = file("spelling.ini");
        put(p, written("[Models]\na=1\nb=1\n[Next]\nn=1\n"));
        CIniFileAccess ini(p);
        QCOMPARE(ini.SetIniString("MODELS", "a", "2"), 0);
        QCOMPARE(render(ini), QStringLiteral("[Models]\na=2\nb=1\n[Next]\nn=1\n"));
        QCOMPARE(lookup(ini, "Models", "a"), QStringLiteral("2"));
        ini.SetIniString("models", "b", QString());
        QCOMPARE(render(ini), QStringLiteral("[Models]\na=2\n[Next]\nn=1\n"));

        // The merge write lays it over the file's own key the same way.
        CIniFileAccess other;
        other.SetIniString("MODELS", "a", "3");
        QCOMPARE(other.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[Models]\na=3\nb=1\n[Next]\nn=1\n"));
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "Models", "a"), QStringLiteral("3"));
    }

    void namesThatReadBackOtherwise_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("section with ]") << "A]B" << "k" << -1;
        QTest::newRow("section with line break") << "A\n[B" << "k" << -1;
        QTest::newRow("section with a lone CR reads back") << "A\rB" << "k" << 0;
        QTest::newRow("section with blanks around") << " A" << "k" << -1;
        QTest::newRow("key with =") << "A" << "k=x" << -1;
        QTest::newRow("key with leading ;") << "A" << ";k" << -1;
        QTest::newRow("key with ; inside") << "A" << "k;x" << -1;
        QTest::newRow("key with leading [ reads back") << "A" << "[B]" << 0;
        QTest::newRow("key that opens a header reads back") << "A" << "[note" << 0;
        QTest::newRow("key with empty brackets reads back") << "A" << "[]k" << 0;
        QTest::newRow("key with a lone CR reads back") << "A" << "k\rj" << 0;
        QTest::newRow("key with blanks around") << "A" << "k " << -1;
        QTest::newRow("key with line break") << "A" << "k\n[B]" << -1;
        QTest::newRow("key with NUL") << "A" << QString::fromUtf8("k\0x", 3) << -1;
        QTest::newRow("section with = reads back") << "A=B" << "k" << 0;
        QTest::newRow("section with ; reads back") << ";A" << "k" << 0;
        QTest::newRow("key with ] reads back") << "A" << "k]x" << 0;
        QTest::newRow("key with [ inside reads back") << "A" << "k[x" << 0;
    }

    void namesThatReadBackOtherwise()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, result);
        const QString p = file("names.ini");
        CIniFileAccess ini;
        ini.SetIniString("A", "first", "1");
        QCOMPARE(ini.SetIniString(section, key, "v"), result);
        QCOMPARE(ini.SetIniInt(section, key, 5), result);
        QCOMPARE(ini.SetIniString(section, key, QString()), result);
        QCOMPARE(ini.SetIniString(section, key, "v", true), result);
        QCOMPARE(ini.WriteIniFile(p), 0);
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "A", "first"), QStringLiteral("1"));
        if (result == 0) {
            QCOMPARE(lookup(back, section, key), QStringLiteral("v"));
        } else {
            QCOMPARE(records(ini.lines), QStringList{"A|first|1|"});
            QCOMPARE(get(p), written("[A]\nfirst=1\n"));
            QVERIFY(ini.deleteList.isEmpty());
        }
    }

    // Deleting a section whose keys repeat leaves the next copies findable.
    void deleteSectionWithRepeatedKeys()
    {
        const QString p = file("repeat.ini");
        put(p, written("[A]\nx=1\ny=1\nx=2\ny=2\nx=3\n[B]\nx=9\n"));
        CIniFileAccess ini(p);
        ini.SetIniString("A", QString(), QString());
        QCOMPARE(render(ini), QStringLiteral("[B]\nx=9\n"));
        QCOMPARE(lookup(ini, "A", "x"), QStringLiteral("<default>"));
        QCOMPARE(lookup(ini, "B", "x"), QStringLiteral("9"));
        ini.SetIniString("A", "x", "new");
        QCOMPARE(render(ini), QStringLiteral("[B]\nx=9\n[A]\nx=new\n"));
    }

    void deleteListRecording()
    {
        CIniFileAccess ini;
        ini.SetIniString("A", "k", QString());
        ini.SetIniString("A", "k", QString());          // listed once
        ini.SetIniString("A", QString(), "x");          // [A, null]
        ini.SetIniString("A", "", QString());           // [A, ""] differs from [A, null]
        ini.SetIniString("B", "k", "v");
        ini.SetIniString("B", "k", QString());
        ini.SetIniString(QString(), QString(), QString());
        QCOMPARE(ini.deleteList.size(), 5);
        const QList<QStringList> expected{{"A", "k"}, {"A", QString()}, {"A", ""}, {"B", "k"}, {QString(), QString()}};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(ini.deleteList.at(i), expected.at(i));
            QCOMPARE(ini.deleteList.at(i).at(0).isNull(), expected.at(i).at(0).isNull());
            QCOMPARE(ini.deleteList.at(i).at(1).isNull(), expected.at(i).at(1).isNull());
        }
    }

    // Removing a section's only key must not leave its index entry pointing
    // into the next section.
    void removingLastKeyKeepsIndexConsistent()
    {
        put(file("f.ini"), written("[A]\nx=1\n[B]\ny=2\n"));
        CIniFileAccess ini(file("f.ini"));
        ini.SetIniString("A", "x", QString());
        ini.SetIniString("A", "z", "5");
        ini.SetIniString("B", "w", "7");
        QCOMPARE(lookup(ini, "A", "z"), QStringLiteral("5"));
        QCOMPARE(lookup(ini, "B", "w"), QStringLiteral("7"));
        QCOMPARE(ini.WriteIniFile(file("f.ini")), 0);
        QCOMPARE(get(file("f.ini")), written("[B]\ny=2\nw=7\n[A]\nz=5\n"));

        CIniFileAccess back(file("f.ini"));
        QCOMPARE(lookup(back, "A", "z"), QStringLiteral("5"));
        QCOMPARE(lookup(back, "B", "y"), QStringLiteral("2"));
        QCOMPARE(lookup(back, "B", "w"), QStringLiteral("7"));
        QCOMPARE(lookup(back, "A", "x"), QStringLiteral("<default>"));
    }

    // Random edits against a plain model of sections and keys: lookups and the
    // rendered text must match after every step, and so must the file after
    // every merge write.
    void randomEditsMatchModel()
    {
        typedef QList<QPair<QString, QString>> Keys;
        QList<QPair<QString, Keys>> model;
        auto findSection = [&](const QString& s) {
            for (int i = 0; i < model.size(); ++i)
                if (model[i].first == s)
                    return i;
            return -1;
        };
        auto modelText = [&] {
            QString t;
            for (const auto& s : model) {
                t += "[" + s.first + "]\n";
                for (const auto& kv : s.second)
                    t += kv.first + "=" + kv.second + "\n";
            }
            return t;
        };

        CIniFileAccess ini;
        const QString path = file("rand.ini");
        QRandomGenerator rng(20261210);
        for (int step = 0; step < 3000; ++step) {
            const QString s = QStringLiteral("S%1").arg(rng.bounded(6));
            const QString k = QStringLiteral("k%1").arg(rng.bounded(5));
            const int op = rng.bounded(10);
            int si = findSection(s);
            if (op < 6) {
                const QString v = QString::number(step);
                ini.SetIniString(s, k, v);
                if (si < 0) {
                    model.append({s, Keys()});
                    si = model.size() - 1;
                }
                Keys& keys = model[si].second;
                int ki = 0;
                while (ki < keys.size() && keys[ki].first != k)
                    ++ki;
                if (ki < keys.size())
                    keys[ki].second = v;
                else
                    keys.append({k, v});
            } else if (op < 9) {
                ini.SetIniString(s, k, QString());
                if (si >= 0) {
                    Keys& keys = model[si].second;
                    for (int ki = 0; ki < keys.size(); ++ki)
                        if (keys[ki].first == k)
                            keys.removeAt(ki--);
                    if (keys.isEmpty())
                        model.removeAt(si);
                }
            } else {
                ini.SetIniString(s, QString(), QString());
                if (si >= 0)
                    model.removeAt(si);
            }

            QCOMPARE(render(ini), modelText());
            for (const auto& sec : model)
                for (const auto& kv : sec.second)
                    QCOMPARE(lookup(ini, sec.first, kv.first), kv.second);
            QCOMPARE(lookup(ini, s, k), [&] {
                const int i = findSection(s);
                if (i >= 0)
                    for (const auto& kv : model[i].second)
                        if (kv.first == k)
                            return kv.second;
                return QStringLiteral("<default>");
            }());
            if (step % 37 == 0) {
                // The file may order its sections differently (a section that
                // lost its keys on disk goes to the end), never its content.
                QCOMPARE(ini.WriteIniFile(path), 0);
                CIniFileAccess back(path);
                QStringList fileSections;
                for (const IniData* d : *back.lines) {
                    QVERIFY(!d->key.isEmpty());
                    if (!fileSections.contains(d->section))
                        fileSections << d->section;
                }
                QCOMPARE(fileSections.size(), model.size());
                for (const auto& sec : model) {
                    QStringList keys;
                    back.GetIniKeys(sec.first, keys);
                    QStringList expectedKeys;
                    for (const auto& kv : sec.second) {
                        expectedKeys << kv.first;
                        QCOMPARE(lookup(back, sec.first, kv.first), kv.second);
                    }
                    QCOMPARE(keys, expectedKeys);
                }
            }
        }
    }

    // --- writing -------------------------------------------------------------

    void newAccessorWritesUtf16Exactly()
    {
        CIniFileAccess ini;
        ini.SetIniString("Group", "Name", "A B", true);
        ini.SetIniInt("Group", "Count", -5);
        const QString p = file("new.ini");
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), QByteArray::fromHex("FFFE5B00470072006F00750070005D000A004E0061006D0065003D00220041002000"
                                             "420022000A0043006F0075006E0074003D002D0035000A00"));
    }

    void codePages_data()
    {
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArray>("expected");
        const QString t = QStringLiteral("[S]\nk=v\nj=日本\n");
        QTest::newRow("UTF-16") << "UTF-16" << QByteArray("\xFF\xFE", 2) + utf16le(t);
        QTest::newRow("UTF-8") << "UTF-8" << QByteArray("\xEF\xBB\xBF") + t.toUtf8();
        QTest::newRow("Shift_JIS") << "Shift_JIS" << shiftJis(t);
    }

    void codePages()
    {
        QFETCH(QString, codePage);
        QFETCH(QByteArray, expected);
        CIniFileAccess ini;
        ini.SetIniString("S", "k", "v");
        ini.SetIniString("S", "j", QStringLiteral("日本"));
        const QString p = file("cp.ini");
        QCOMPARE(ini.WriteIniFile(p, codePage), 0);
        QCOMPARE(get(p), expected);
        // Without a code page the accessor's own is used.
        CIniFileAccess own(file("none.ini"), codePage);
        own.SetIniString("S", "k", "v");
        own.SetIniString("S", "j", QStringLiteral("日本"));
        QCOMPARE(own.WriteIniFile(), 0);
        QCOMPARE(get(file("none.ini")), expected);
    }

    void roundTrips_data()
    {
        QTest::addColumn<QString>("codePage");
        QTest::newRow("UTF-16") << "UTF-16";
        QTest::newRow("UTF-8") << "UTF-8";
    }

    void roundTrips()
    {
        QFETCH(QString, codePage);
        CIniFileAccess ini;
        ini.SetIniString("S", "jp", QStringLiteral("不」č日本－\\path"));
        ini.SetIniString("S", "padQ", "  padded  ", true);
        ini.SetIniString("S", "padU", "  padded  ");
        ini.SetIniString("S", "looksQuoted", "\"x\"");
        ini.SetIniString("S", "empty", "");
        ini.SetIniString("S", "emptyQ", "", true);
        const QString p = file("rt.ini");
        QCOMPARE(ini.WriteIniFile(p, codePage), 0);

        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "S", "jp"), QStringLiteral("不」č日本－\\path"));
        QCOMPARE(lookup(back, "S", "padQ"), QStringLiteral("  padded  "));
        QCOMPARE(lookup(back, "S", "padU"), QStringLiteral("  padded  "));
        QCOMPARE(lookup(back, "S", "looksQuoted"), QStringLiteral("\"x\""));
        QCOMPARE(lookup(back, "S", "empty"), QStringLiteral(""));
        QCOMPARE(lookup(back, "S", "emptyQ"), QStringLiteral(""));
        QCOMPARE(records(back.lines).at(1), QStringLiteral("S|padQ|  padded  |q"));
        QCOMPARE(records(back.lines).at(3), QStringLiteral("S|looksQuoted|\"x\"|q"));
        QCOMPARE(records(back.lines).at(5), QStringLiteral("S|emptyQ||q"));

        // From then on, writes and reads change nothing: quoting survives.
        QCOMPARE(back.WriteIniFile(p, codePage), 0);
        const QByteArray second = get(p);
        CIniFileAccess again(p);
        QCOMPARE(again.WriteIniFile(p, codePage), 0);
        QCOMPARE(get(p), second);
        QCOMPARE(records(again.lines), records(back.lines));
    }

    // Read, write, read again gives what the first read gave, and a second
    // write gives the same bytes, for lines the writer once changed.
    void readWriteReadKeepsWhatWasRead_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("keys"); // section|key|value of the key lines, in order
        QTest::newRow("indented key that opens a header") << "[A]\n  [x=1\nk=2\n" << QStringList{"A|[x|1", "A|k|2"};
        QTest::newRow("indented key in brackets") << "[A]\n  [B]=1\nk=2\n" << QStringList{"A|[B]|1", "A|k|2"};
        QTest::newRow("key with empty brackets") << "[A]\n[]k=1\n" << QStringList{"A|[]k|1"};
        QTest::newRow("repeated header after a keyless section") << "[S]\n\n[S]\nk=1\n" << QStringList();
        QTest::newRow("repeated header in another case")
            << "[S]\na=1\n[T]\nb=2\n[s]\na=9\nc=3\n" << QStringList{"S|a|1", "T|b|2"};
        QTest::newRow("repeated header without ]") << "[S]\na=1\n[S\nb=2\n" << QStringList{"S|a|1"};
        QTest::newRow("lone CR in a value") << "[A]\nk=a\rb\n" << QStringList{"A|k|a\rb"};
        QTest::newRow("lone CR in a section and a key") << "[A\rB]\nk\rj=1\n" << QStringList{"A\rB|k\rj|1"};
        QTest::newRow("CRs before line ends") << "; top\r\r\n[A]\r\r\nk=1\r\r\n; note\r\r\n" << QStringList{"A|k|1"};
        QTest::newRow("quoted text in quotes") << "[A]\nName=\"\"Lobby\"\"\n" << QStringList{"A|Name|\"Lobby\""};
        QTest::newRow("quoted blanks") << "[A]\nc=\"  lead\"\nd=\"\u3000\"\n" << QStringList{"A|c|  lead", "A|d|\u3000"};
    }

    void readWriteReadKeepsWhatWasRead()
    {
        QFETCH(QString, content);
        QFETCH(QStringList, keys);
        const auto keyLines = [](const CIniFileAccess& ini) {
            QStringList out;
            for (const IniData* d : *ini.lines) {
                if (!d->key.isEmpty() && !d->section.isNull())
                    out << d->section + "|" + d->key + "|" + d->value;
            }
            return out;
        };
        const QString p = file("vector.ini");
        put(p, written(content));
        CIniFileAccess ini(p);
        QCOMPARE(keyLines(ini), keys);

        QCOMPARE(ini.WriteIniFile(p), 0);
        const QByteArray first = get(p);
        CIniFileAccess back(p);
        QCOMPARE(keyLines(back), keys);
        for (const QString& k : keys) {
            const QStringList parts = k.split('|');
            QCOMPARE(lookup(back, parts.at(0), parts.at(1)), parts.at(2));
        }
        QCOMPARE(back.WriteIniFile(p), 0);
        QCOMPARE(get(p), first);
        QCOMPARE(back.WriteIniFile(file("copy.ini"), true, "UTF-16"), 0);
        QCOMPARE(get(file("copy.ini")), first);
    }

    // A value set bare reads back as it was set.
    void valuesReadBackAsSet_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("leading blanks") << "  lead";
        QTest::newRow("trailing blank") << "trail ";
        QTest::newRow("enclosing quotes") << "\"Lobby\"";
        QTest::newRow("one quote") << "\"";
        QTest::newRow("quote at one end") << "\"x";
        QTest::newRow("ideographic space at the end") << QString("name\u3000");
        QTest::newRow("lone CR inside") << "a\rb";
        QTest::newRow("CR at the end") << "ab\r";
        QTest::newRow("tab at the start") << "\tx";
    }

    void valuesReadBackAsSet()
    {
        QFETCH(QString, value);
        const QString p = file("bare.ini");
        CIniFileAccess ini;
        ini.SetIniString("S", "k", value);
        ini.SetIniString("S", "after", "1");
        QCOMPARE(ini.WriteIniFile(p), 0);
        const QByteArray first = get(p);
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "S", "k"), value);
        QCOMPARE(lookup(back, "S", "after"), QStringLiteral("1"));
        QCOMPARE(back.WriteIniFile(p), 0);
        QCOMPARE(get(p), first);
    }

    // Every name the reader gives can be changed and deleted.
    void namesTheReaderGivesCanBeEdited()
    {
        const QString p = file("names.ini");
        put(p, written("[A]\n[]k=1\n  [B]=2\n  [note=3\nz=4\n"));
        CIniFileAccess ini(p);
        QCOMPARE(ini.SetIniString("A", "[]k", "changed"), 0);
        QCOMPARE(ini.SetIniString("A", "[B]", QString()), 0);
        QCOMPARE(ini.SetIniString("A", "[note", "kept"), 0);
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\n[]k=changed\n [note=kept\nz=4\n"));
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "A", "[]k"), QStringLiteral("changed"));
        QCOMPARE(lookup(back, "A", "[B]"), QStringLiteral("<default>"));
        QCOMPARE(lookup(back, "A", "[note"), QStringLiteral("kept"));
        QCOMPARE(lookup(back, "A", "z"), QStringLiteral("4"));
    }

    // New keys added in a row wait and go into the list together: the list
    // and its index come out as if each had gone in at once.
    void addedKeysSettleAsAddedOneByOne()
    {
        const QString text = "; top\n[A]\nx=1\n; a\n[B]\n; only plain\n[C]\ny=1\n\n[D]\n; d\n[E]\nz=1\n";
        put(file("base.ini"), written(text));
        QRandomGenerator rng(35);
        for (int round = 0; round < 40; ++round) {
            CIniFileAccess batched(file("base.ini"));
            CIniFileAccess single(file("base.ini"));
            for (int step = 0; step < 60; ++step) {
                const QString s = QString(QChar('A' + rng.bounded(6)));
                const QString k = QStringLiteral("k%1").arg(rng.bounded(8));
                const int op = rng.bounded(20);
                const QString v = QString::number(step);
                for (CIniFileAccess* ini : {&batched, &single}) {
                    if (op == 0)
                        ini->SetIniString(s, k, QString());
                    else if (op == 1)
                        ini->SetIniString(s.toLower(), k, v);
                    else
                        ini->SetIniString(s, k, v);
                }
                single.f_Settle(single.lines);
                QCOMPARE(lookup(batched, s, k), lookup(single, s, k));
            }
            QCOMPARE(render(batched), render(single));
            QCOMPARE(*batched.index, *single.index);
            QCOMPARE(records(batched.lines), records(single.lines));
            // Each section's entry names its first record.
            for (auto it = batched.index->cbegin(); it != batched.index->cend(); ++it) {
                int first = 0;
                while (batched.lines->at(first)->section.toUpper() != it.key())
                    ++first;
                QCOMPARE(it.value(), first);
            }
        }
    }

    void unrepresentableCharacterGivesOne()
    {
        CIniFileAccess ini;
        ini.SetIniString("S", "name", QStringLiteral("Dvořák č"));
        const QString p = file("sj.ini");
        QCOMPARE(ini.WriteIniFile(p, "Shift_JIS"), 1);
        const QByteArray bytes = get(p);
        QVERIFY(bytes.startsWith("[S]\nname=Dvo"));
        QVERIFY(bytes.endsWith("\n"));
        QCOMPARE(ini.WriteIniFile(p, "UTF-16"), 0);
    }

    void mergeWrite()
    {
        const QString p = file("merge.ini");
        put(p, shiftJis("[S1]\r\na=1\r\n; note\r\n[S2]\r\nb=2\r\n"));
        CIniFileAccess ini;
        ini.SetIniString("S1", "c", "3");
        ini.SetIniString("S2", "b", QString());
        QCOMPARE(ini.WriteIniFile(p), 0);
        const QByteArray first = get(p);
        QCOMPARE(first, written("[S1]\na=1\nc=3\n; note\n"));
        QVERIFY(ini.deleteList.isEmpty());
        // Unchanged data writes the same bytes again.
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), first);
    }

    // A damaged file starting with a NUL: merged and written as UTF-16, it
    // must not begin FF FE 00 00 and read back as UTF-32.
    void mergeIntoFileWithNulsReadsBack()
    {
        const QString p = file("nul.ini");
        put(p, QByteArray("\0[S]\r\nk=a\0b\r\n", 14));
        CIniFileAccess ini;
        ini.SetIniString("T", "m", "1");
        QCOMPARE(ini.WriteIniFile(p), 0);
        QVERIFY(!get(p).startsWith(QByteArray("\xFF\xFE\x00\x00", 4)));
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "T", "m"), QStringLiteral("1"));
        QCOMPARE(lookup(back, "S", "k"), QStringLiteral("ab"));
    }

    // A NUL goes as the text is decoded: a damaged line "\0[B]" is the header
    // it will be written as, and every key stays in its section through a
    // write and a read.
    void nulsGoRightAfterDecoding()
    {
        const QString p = file("nulheader.ini");
        put(p, QByteArray("[A]\r\nk=1\r\n\0[B]\r\nj=2\r\n", 22));
        CIniFileAccess ini(p);
        QCOMPARE(lookup(ini, "A", "k"), QStringLiteral("1"));
        QCOMPARE(lookup(ini, "B", "j"), QStringLiteral("2"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\nk=1\n[B]\nj=2\n"));
        CIniFileAccess back(p);
        QCOMPARE(records(back.lines), records(ini.lines));

        // A value set with a NUL is held as it will read back.
        ini.SetIniString("A", "v", QString::fromUtf8("a\0b", 3));
        QCOMPARE(lookup(ini, "A", "v"), QStringLiteral("ab"));
    }

    void mergeKeepsUntouchedWithoutMergeDrops()
    {
        const QString p = file("keep.ini");
        put(p, written("[Disk]\nd=1\n[Both]\nx=old\nonly=disk\n"));
        CIniFileAccess ini;
        ini.SetIniString("Both", "x", "new");
        ini.SetIniString("Mine", "m", "1");
        ini.SetIniString("Gone", "g", QString()); // never held, still recorded
        QCOMPARE(ini.WriteIniFile(p, true, "UTF-16"), 0);
        QCOMPARE(get(p), written("[Both]\nx=new\n[Mine]\nm=1\n"));
        // A write without merge leaves the deletions for the next merge.
        QCOMPARE(ini.deleteList.size(), 1);

        put(p, written("[Disk]\nd=1\n[Both]\nx=old\nonly=disk\n[Gone]\ng=1\nh=2\n"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[Disk]\nd=1\n[Both]\nx=new\nonly=disk\n[Gone]\nh=2\n[Mine]\nm=1\n"));
        QVERIFY(ini.deleteList.isEmpty());
    }

    // A writer thread writes from a snapshot: what the accessor held when it
    // was taken, its deletions with it, whatever the accessor does after.
    void snapshotWritesWhatWasHeldWhenTaken_data()
    {
        QTest::addColumn<bool>("withoutMerge");
        QTest::addColumn<QString>("expected");
        QTest::newRow("merged") << false
                                << QStringLiteral("[Disk]\nd=1\n[Both]\nx=new\nonly=disk\n[Gone]\nh=2\n[Mine]\nm=1\n");
        QTest::newRow("written over") << true << QStringLiteral("[Both]\nx=new\n[Mine]\nm=1\n");
    }

    void snapshotWritesWhatWasHeldWhenTaken()
    {
        QFETCH(bool, withoutMerge);
        QFETCH(QString, expected);
        const QString p = file("snapshot.ini");
        put(p, written("[Disk]\nd=1\n[Both]\nx=old\nonly=disk\n[Gone]\ng=1\nh=2\n"));
        CIniFileAccess ini;
        ini.SetIniString("Both", "x", "new");
        ini.SetIniString("Mine", "m", "1");
        ini.SetIniString("Gone", "g", QString());
        const CIniFileAccess::Snapshot snapshot = ini.f_Snapshot();
        ini.SetIniString("Both", "x", "later");
        ini.SetIniString("Mine", QString(), QString());
        ini.SetIniString("Disk", "d", QString());

        CIniFileAccess copy(snapshot);
        QCOMPARE(copy.WriteIniFile(p, withoutMerge, "UTF-16"), 0);
        QCOMPARE(get(p), written(expected));
        QCOMPARE(lookup(ini, "Both", "x"), QStringLiteral("later"));
    }

    void clearThenMergeWritesOnlyNewContent()
    {
        const QString p = file("clear.ini");
        put(p, written("[Old]\no=1\n[Header Info]\nMagicCode=x\n"));
        CIniFileAccess ini(p);
        ini.SetIniString(QString(), QString(), QString());
        ini.SetIniString("Header Info", "MagicCode", "ScheduleData");
        ini.SetIniInt("ScheduleData 000", "Function", 3);
        QCOMPARE(ini.WriteIniFile(p, "UTF-16"), 0);
        QCOMPARE(get(p), written("[Header Info]\nMagicCode=ScheduleData\n[ScheduleData 000]\nFunction=3\n"));
    }

    // An empty value read from the file is a value, not a deletion.
    void emptyValueSurvivesMerge()
    {
        const QString p = file("empty.ini");
        put(p, written("[A]\nName=\nx=1\n"));
        CIniFileAccess ini(p);
        ini.SetIniString("A", "x", "2");
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\nName=\nx=2\n"));
        QCOMPARE(ini.WriteIniFile(p, true, "UTF-16"), 0);
        QCOMPARE(get(p), written("[A]\nName=\nx=2\n"));
    }

    // Lines before the first header, comments and blank lines are carried over
    // where they are: they never clear the file nor overwrite each other.
    void plainLinesCarriedOver_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("comment before first header") << "; top\n[A]\nx=1\n";
        QTest::newRow("key line before first header") << "top=1\n[A]\nx=1\n";
        QTest::newRow("comments and blanks") << "[A]\nx=1\n; one\ny=2\n; two\n\n[B]\ny=2\n\n; three\n";
    }

    void plainLinesCarriedOver()
    {
        QFETCH(QString, content);
        const QString p = file("plain.ini");
        put(p, written(content));
        CIniFileAccess ini(p);
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written(content));
        QCOMPARE(ini.WriteIniFile(file("copy.ini"), true, "UTF-16"), 0);
        QCOMPARE(get(file("copy.ini")), written(content));
        // Also into a file that changed meanwhile.
        put(p, written(content + "[Z]\nz=1\n"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written(content + "[Z]\nz=1\n"));
    }

    void editedKeyBeforeFirstHeaderBecomesKeyLine()
    {
        const QString p = file("pre.ini");
        put(p, written("top=1\n[A]\nx=1\n"));
        CIniFileAccess ini(p);
        ini.SetIniString("", "top", "2");
        QCOMPARE(lookup(ini, "", "top"), QStringLiteral("2"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("top=2\n[A]\nx=1\n"));
    }

    void duplicateKeyWritesTheValueLookupsReturn()
    {
        const QString p = file("dup.ini");
        put(p, written("[A]\nx=1\nx=2\n"));
        CIniFileAccess ini(p);
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\nx=1\nx=2\n"));
    }

    // A deleted key is gone with every copy the file holds, whether the
    // accessor read the file or not.
    void deletingAKeyHeldTwice_data()
    {
        QTest::addColumn<bool>("readFirst");
        QTest::newRow("accessor that read the file") << true;
        QTest::newRow("accessor that never read it") << false;
    }

    void deletingAKeyHeldTwice()
    {
        QFETCH(bool, readFirst);
        const QString p = file("dup.ini");
        put(p, written("[A]\nx=1\ny=3\nx=2\n[B]\nx=4\n"));
        CIniFileAccess ini;
        if (readFirst)
            ini.ReadIniFile(p);
        ini.SetIniString("A", "x", QString());
        QCOMPARE(lookup(ini, "A", "x"), QStringLiteral("<default>"));
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\ny=3\n[B]\nx=4\n"));
        CIniFileAccess back(p);
        QCOMPARE(lookup(back, "A", "x"), QStringLiteral("<default>"));
    }

    void lineBreaksInValuesStayInTheirLine()
    {
        CIniFileAccess ini;
        ini.SetIniString("A", "k", "one\n[Evil]\r\nx=1");
        ini.SetIniString("A", "after", "ok");
        const QString p = file("nl.ini");
        QCOMPARE(ini.WriteIniFile(p), 0);
        CIniFileAccess back(p);
        QVERIFY(!back.index->contains("EVIL"));
        QCOMPARE(lookup(back, "A", "k"), QStringLiteral("one [Evil]\r x=1"));
        QCOMPARE(lookup(back, "A", "after"), QStringLiteral("ok"));
    }

    void missingFoldersAreCreated()
    {
        CIniFileAccess ini;
        ini.SetIniString("S", "k", "v");
        const QString p = file("a/b/c/deep.ini");
        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[S]\nk=v\n"));
    }

    void failedWritesAreNegativeAndKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("target");   // relative to the temporary folder
        QTest::addColumn<QString>("codePage");
        QTest::newRow("unknown code page") << "old.ini" << "No-Such-Codepage";
        QTest::newRow("empty code page") << "old.ini" << "";
        QTest::newRow("path is a folder") << "folder" << "UTF-16";
        QTest::newRow("folder cannot be made") << "old.ini/sub/x.ini" << "UTF-16";
    }

    void failedWritesAreNegativeAndKeepTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(QString, codePage);
        const QByteArray old = written("[A]\nx=1\n");
        put(file("old.ini"), old);
        QVERIFY(QDir(dir->path()).mkdir("folder"));
        CIniFileAccess ini;
        ini.SetIniString("A", "x", "2");
        for (bool withoutMerge : {false, true})
            QCOMPARE(ini.WriteIniFile(file(target), withoutMerge, codePage), -1);
        QCOMPARE(get(file("old.ini")), old);
        QVERIFY(QFileInfo(file("folder")).isDir());
        QCOMPARE(QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"folder", "old.ini"}));
    }

    // A write that fails half-way (here: the file size limit) leaves the old
    // file and keeps the recorded deletions for the next write: whether the
    // failure comes while writing or only at the last flush of the buffer.
    void failingWriteKeepsOldFileAndDeletions_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("limit");
        QTest::newRow("while writing") << 20000 << 4096;
        QTest::newRow("at the last flush") << 200 << 64;
    }

    void failingWriteKeepsOldFileAndDeletions()
    {
        QFETCH(int, length);
        QFETCH(int, limit);
        const QString p = file("big.ini");
        const QByteArray old = written("[A]\nx=1\ny=2\n");
        put(p, old);
        CIniFileAccess ini;
        ini.SetIniString("A", "x", QString());
        ini.SetIniString("B", "big", QString(length, QLatin1Char('b')));

        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = rlim_t(limit);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const int failed = ini.WriteIniFile(p);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(failed, -1);
        QCOMPARE(get(p), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"big.ini"}));
        QCOMPARE(ini.deleteList.size(), 1);

        QCOMPARE(ini.WriteIniFile(p), 0);
        QCOMPARE(get(p), written("[A]\ny=2\n[B]\nbig=" + QString(length, QLatin1Char('b')) + "\n"));
    }

    // A literal path must reach the path form, not the without-merge flag.
    void literalPathTakesThePathOverload()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
        CIniFileAccess ini(file("own.ini"));
        ini.SetIniString("S", "k", "v");
        const int r = ini.WriteIniFile("literal.ini");
        QDir::setCurrent(previous);
        QCOMPARE(r, 0);
        QCOMPARE(get(file("literal.ini")), written("[S]\nk=v\n"));
        QVERIFY(!QFile::exists(file("own.ini")));

        // The flag form writes to the accessor's own path.
        QCOMPARE(ini.WriteIniFile(true), 0);
        QCOMPARE(get(file("own.ini")), written("[S]\nk=v\n"));
    }

    void copyIsDeepAndIndependent()
    {
        put(file("src.ini"), written("[A]\nx=1\n; c\n[B]\ny=\"2\"\n"));
        CIniFileAccess original(file("src.ini"), "UTF-8");
        original.SetIniString("Gone", "g", QString());
        CIniFileAccess copy(&original);
        QCOMPARE(records(copy.lines), records(original.lines));
        QCOMPARE(*copy.index, *original.index);
        QCOMPARE(copy.deleteList, original.deleteList);
        QCOMPARE(copy.codePage, QStringLiteral("UTF-8"));
        QCOMPARE(copy.path, file("src.ini"));

        copy.SetIniString("A", "x", "changed");
        copy.SetIniString("A", "n", "new");
        QCOMPARE(lookup(original, "A", "x"), QStringLiteral("1"));
        QCOMPARE(lookup(original, "A", "n"), QStringLiteral("<default>"));
        QCOMPARE(lookup(copy, "B", "y"), QStringLiteral("2"));
        QCOMPARE(lookup(copy, "A", "n"), QStringLiteral("new"));

        CIniFileAccess fromNull(static_cast<const CIniFileAccess*>(nullptr));
        QVERIFY(fromNull.lines->isEmpty());
        QCOMPARE(fromNull.codePage, CIniFileAccess::CODEPAGE_DEFAULT);
    }

    void constants()
    {
        QCOMPARE(CIniFileAccess::CODEPAGE_DEFAULT, QStringLiteral("UTF-16"));
        QCOMPARE(CIniFileAccess::CODEPAGE_SHIFTJIS, QStringLiteral("Shift_JIS"));
        QCOMPARE(CIniFileAccess::CODEPAGE_UTF16, QStringLiteral("UTF-16"));
        QCOMPARE(CIniFileAccess::CODEPAGE_UTF8, QStringLiteral("UTF-8"));
    }
};

QTEST_GUILESS_MAIN(tst_CIniFileAccess)
#include "tst_CIniFileAccess.moc"
