#include <QtTest>
#include <QTextCodec>

#include <cmath>
#include <functional>
#include <limits>

#include "CGetTickMSec.h"
#include "CVariantParameter.h"

using Setter = std::function<void(CVariantParameter&)>;
Q_DECLARE_METATYPE(Setter)

namespace {

const quint64 kAllOnes = std::numeric_limits<quint64>::max();
const QDateTime kEpoch = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);

// Real lists compared bit for bit so NaN entries compare equal to themselves.
bool sameReals(const QList<double>& a, const QList<double>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (std::isnan(a[i]) != std::isnan(b[i]))
            return false;
        if (!std::isnan(a[i]) && a[i] != b[i])
            return false;
    }
    return true;
}

void waitForNextTick()
{
    const qint64 start = CGetTickMSec::GetTickMSec();
    while (CGetTickMSec::GetTickMSec() == start)
        QThread::usleep(200);
}

void verifyInitialForms(const CVariantParameter& v)
{
    QCOMPARE(v.ToUInt64(), quint64(0));
    QCOMPARE(v.ToInt64(), qint64(0));
    QCOMPARE(v.ToReal(), 0.0);
    QVERIFY(v.ToString().isEmpty());
    QVERIFY(!v.ToString().isNull());
    QVERIFY(v.ToByteArray().isEmpty());
    QVERIFY(v.ToStringList().isEmpty());
    QVERIFY(v.ToUInt64List().isEmpty());
    QVERIFY(v.ToInt64List().isEmpty());
    QVERIFY(v.ToRealList().isEmpty());
    QCOMPARE(v.ToPointer(), static_cast<void*>(nullptr));
    QVERIFY(v.ToDateTime().isValid());
    QCOMPARE(v.ToDateTime(), kEpoch);
}

} // namespace

class tst_CVariantParameter : public QObject
{
    Q_OBJECT
private slots:
    void newValue()
    {
        CVariantParameter v;
        verifyInitialForms(v);
        QVERIFY(!v.IsSet());
        QCOMPARE(v.GetSetTickMSec(), quint64(0));
        QCOMPARE(v.GetSetTime(), kEpoch);
        QCOMPARE(v.ToInt(), 0);
        QVERIFY(!v.ToBool());
    }

    // Every single-datum setter: the forms it leaves behind, and that each list
    // holds exactly the one matching single form.
    void singleSetters_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<quint64>("u");
        QTest::addColumn<qint64>("s");
        QTest::addColumn<double>("real");
        QTest::addColumn<QString>("text");

        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const qint64 minI64 = std::numeric_limits<qint64>::min();
        const qint64 maxI64 = std::numeric_limits<qint64>::max();

        QTest::newRow("FromBool(false)") << Setter([](CVariantParameter& v) { v.FromBool(false); })
                                         << quint64(0) << qint64(0) << 0.0 << "0";
        QTest::newRow("FromBool(true)") << Setter([](CVariantParameter& v) { v.FromBool(true); })
                                        << quint64(1) << qint64(1) << 1.0 << "1";
        QTest::newRow("FromChar(-128) sign-extends") << Setter([](CVariantParameter& v) { v.FromChar(-128); })
                                                     << quint64(0xFFFFFFFFFFFFFF80ull) << qint64(-128) << -128.0 << "-128";
        QTest::newRow("FromUChar(255) zero-extends") << Setter([](CVariantParameter& v) { v.FromUChar(255); })
                                                     << quint64(255) << qint64(255) << 255.0 << "255";
        QTest::newRow("FromShort(-2)") << Setter([](CVariantParameter& v) { v.FromShort(-2); })
                                       << quint64(kAllOnes - 1) << qint64(-2) << -2.0 << "-2";
        QTest::newRow("FromUShort(65535)") << Setter([](CVariantParameter& v) { v.FromUShort(65535); })
                                           << quint64(65535) << qint64(65535) << 65535.0 << "65535";
        QTest::newRow("FromInt(-1)") << Setter([](CVariantParameter& v) { v.FromInt(-1); })
                                     << kAllOnes << qint64(-1) << -1.0 << "-1";
        QTest::newRow("FromUInt(max) zero-extends") << Setter([](CVariantParameter& v) { v.FromUInt(4294967295u); })
                                                    << quint64(4294967295u) << qint64(4294967295ll)
                                                    << 4294967295.0 << "4294967295";
        QTest::newRow("FromLong(min) is 32-bit") << Setter([](CVariantParameter& v) { v.FromLong(std::numeric_limits<qint32>::min()); })
                                                 << quint64(0xFFFFFFFF80000000ull) << qint64(-2147483648ll)
                                                 << -2147483648.0 << "-2147483648";
        QTest::newRow("FromULong(2^31) zero-extends") << Setter([](CVariantParameter& v) { v.FromULong(0x80000000u); })
                                                      << quint64(0x80000000u) << qint64(2147483648ll)
                                                      << 2147483648.0 << "2147483648";
        QTest::newRow("FromInt64(min)") << Setter([](CVariantParameter& v) { v.FromInt64(std::numeric_limits<qint64>::min()); })
                                        << quint64(0x8000000000000000ull) << minI64
                                        << -9223372036854775808.0 << "-9223372036854775808";
        QTest::newRow("FromUInt64(max)") << Setter([](CVariantParameter& v) { v.FromUInt64(kAllOnes); })
                                         << kAllOnes << qint64(-1) << 18446744073709551616.0
                                         << "18446744073709551615";

        QTest::newRow("FromReal(0.5)") << Setter([](CVariantParameter& v) { v.FromReal(0.5); })
                                       << quint64(0) << qint64(0) << 0.5 << "0.5";
        QTest::newRow("FromReal(-1.5) all ones") << Setter([](CVariantParameter& v) { v.FromReal(-1.5); })
                                                 << kAllOnes << qint64(-1) << -1.5 << "-1.5";
        QTest::newRow("FromReal six digits") << Setter([](CVariantParameter& v) { v.FromReal(123456789.0); })
                                             << quint64(123456789) << qint64(123456789) << 123456789.0 << "1.23457e+08";
        QTest::newRow("FromReal(1.5e19) unsigned exact") << Setter([](CVariantParameter& v) { v.FromReal(1.5e19); })
                                                         << quint64(15000000000000000000ull) << maxI64
                                                         << 1.5e19 << "1.5e+19";
        QTest::newRow("FromReal(2^64) saturates") << Setter([](CVariantParameter& v) { v.FromReal(18446744073709551616.0); })
                                                  << kAllOnes << maxI64 << 18446744073709551616.0 << "1.84467e+19";
        QTest::newRow("FromReal(1e20) saturates") << Setter([](CVariantParameter& v) { v.FromReal(1e20); })
                                                  << kAllOnes << maxI64 << 1e20 << "1e+20";
        QTest::newRow("FromReal(-1e20) saturates") << Setter([](CVariantParameter& v) { v.FromReal(-1e20); })
                                                   << quint64(0x8000000000000000ull) << minI64 << -1e20 << "-1e+20";
        QTest::newRow("FromReal(+inf)") << Setter([=](CVariantParameter& v) { v.FromReal(inf); })
                                        << kAllOnes << maxI64 << inf << "inf";
        QTest::newRow("FromReal(NaN) gives 0") << Setter([=](CVariantParameter& v) { v.FromReal(nan); })
                                               << quint64(0) << qint64(0) << nan << "nan";

        QTest::newRow("FromString(12.7) no integer") << Setter([](CVariantParameter& v) { v.FromString("12.7"); })
                                                     << quint64(0) << qint64(0) << 12.7 << "12.7";
        QTest::newRow("FromString(3000000000) beyond 32 bits") << Setter([](CVariantParameter& v) { v.FromString("3000000000"); })
                                                               << quint64(0) << qint64(0) << 3000000000.0 << "3000000000";
        QTest::newRow("FromString(-5) sign-extends") << Setter([](CVariantParameter& v) { v.FromString("-5"); })
                                                     << quint64(kAllOnes - 4) << qint64(-5) << -5.0 << "-5";
        QTest::newRow("FromString(abc)") << Setter([](CVariantParameter& v) { v.FromString("abc"); })
                                         << quint64(0) << qint64(0) << 0.0 << "abc";
        QTest::newRow("FromString(0x10) is decimal only") << Setter([](CVariantParameter& v) { v.FromString("0x10"); })
                                                          << quint64(0) << qint64(0) << 0.0 << "0x10";
        QTest::newRow("FromString(null) gives empty text") << Setter([](CVariantParameter& v) { v.FromString(QString()); })
                                                           << quint64(0) << qint64(0) << 0.0 << "";
        QTest::newRow("FromByteArray(2147483647)") << Setter([](CVariantParameter& v) { v.FromByteArray("2147483647"); })
                                                   << quint64(2147483647) << qint64(2147483647) << 2147483647.0 << "2147483647";
        QTest::newRow("FromByteArray(UTF-8 text)") << Setter([](CVariantParameter& v) { v.FromByteArray("\xC3\xA9t\xC3\xA9"); })
                                                   << quint64(0) << qint64(0) << 0.0 << QString::fromUtf8("\xC3\xA9t\xC3\xA9");
        QTest::newRow("FromByteArray(empty)") << Setter([](CVariantParameter& v) { v.FromByteArray(QByteArray()); })
                                              << quint64(0) << qint64(0) << 0.0 << "";
    }

    void singleSetters()
    {
        QFETCH(Setter, setter);
        QFETCH(quint64, u);
        QFETCH(qint64, s);
        QFETCH(double, real);
        QFETCH(QString, text);

        int marker = 0;
        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(Q_INT64_C(1700000000000));
        CVariantParameter v;
        v.FromDateTime(moment);
        CVariantParameter p;
        p.FromPointer(&marker);

        const QDateTime before = QDateTime::currentDateTime();
        setter(v);
        setter(p);

        QCOMPARE(v.ToUInt64(), u);
        QCOMPARE(v.ToInt64(), s);
        QVERIFY(sameReals({v.ToReal()}, {real}));
        QCOMPARE(v.ToString(), text);
        QVERIFY(!v.ToString().isNull());
        QCOMPARE(v.ToByteArray(), text.toUtf8());
        QCOMPARE(v.ToStringList(), QStringList{text});
        QCOMPARE(v.ToUInt64List(), QList<quint64>{u});
        QCOMPARE(v.ToInt64List(), QList<qint64>{s});
        QVERIFY(sameReals(v.ToRealList(), {real}));

        QVERIFY(v.IsSet());
        QVERIFY(v.GetSetTime() >= before.addMSecs(-1000));
        QVERIFY(v.GetSetTime() <= QDateTime::currentDateTime().addMSecs(1000));

        // The independent data stay as they were.
        QCOMPARE(v.ToDateTime(), moment);
        QCOMPARE(p.ToPointer(), static_cast<void*>(&marker));
    }

    void narrowReaders_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("asChar");
        QTest::addColumn<uint>("asUChar");
        QTest::addColumn<int>("asShort");
        QTest::addColumn<uint>("asUShort");
        QTest::addColumn<qint32>("asInt");
        QTest::addColumn<quint32>("asUInt");
        QTest::addColumn<bool>("asBool");

        QTest::newRow("-1") << qint64(-1) << -1 << 255u << -1 << 65535u << qint32(-1) << quint32(4294967295u) << true;
        QTest::newRow("0x80 low byte negative") << qint64(0x80) << -128 << 128u << 128 << 128u << qint32(128) << quint32(128) << true;
        QTest::newRow("0x8000 low word negative") << qint64(0x8000) << 0 << 0u << -32768 << 32768u << qint32(32768) << quint32(32768) << true;
        QTest::newRow("mixed pattern") << qint64(0x1234567890ABCDEFll) << int(qint8(0xEF)) << 0xEFu << int(qint16(0xCDEF)) << 0xCDEFu
                                       << qint32(0x90ABCDEF) << quint32(0x90ABCDEFu) << true;
        QTest::newRow("2^32: narrow forms 0, still true") << qint64(0x100000000ll) << 0 << 0u << 0 << 0u << qint32(0) << quint32(0) << true;
        QTest::newRow("0") << qint64(0) << 0 << 0u << 0 << 0u << qint32(0) << quint32(0) << false;
    }

    void narrowReaders()
    {
        QFETCH(qint64, value);
        CVariantParameter v;
        v.FromInt64(value);
        QTEST(int(v.ToChar()), "asChar");
        QTEST(uint(v.ToUChar()), "asUChar");
        QTEST(int(v.ToShort()), "asShort");
        QTEST(uint(v.ToUShort()), "asUShort");
        QTEST(v.ToInt(), "asInt");
        QTEST(v.ToLong(), "asInt");
        QTEST(v.ToUInt(), "asUInt");
        QTEST(v.ToULong(), "asUInt");
        QTEST(v.ToBool(), "asBool");
    }

    void listSetters_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<QList<quint64>>("uList");
        QTest::addColumn<QList<qint64>>("sList");
        QTest::addColumn<QList<double>>("realList");
        QTest::addColumn<QStringList>("textList");
        QTest::addColumn<QString>("text");

        const double nan = std::numeric_limits<double>::quiet_NaN();

        QTest::newRow("FromUInt64List")
            << Setter([](CVariantParameter& v) { v.FromUInt64List({10, kAllOnes}); })
            << QList<quint64>{10, kAllOnes} << QList<qint64>{10, -1}
            << QList<double>{10.0, 18446744073709551616.0}
            << QStringList{"10", "18446744073709551615"} << "10";
        QTest::newRow("FromInt64List")
            << Setter([](CVariantParameter& v) { v.FromInt64List({-1, 2}); })
            << QList<quint64>{kAllOnes, 2} << QList<qint64>{-1, 2} << QList<double>{-1.0, 2.0}
            << QStringList{"-1", "2"} << "-1";
        QTest::newRow("FromRealList")
            << Setter([=](CVariantParameter& v) { v.FromRealList({-1.5, 2.25e10, nan, 1e30}); })
            << QList<quint64>{kAllOnes, 22500000000ull, 0, kAllOnes}
            << QList<qint64>{-1, 22500000000ll, 0, std::numeric_limits<qint64>::max()}
            << QList<double>{-1.5, 2.25e10, nan, 1e30}
            << QStringList{"-1.5", "2.25e+10", "nan", "1e+30"} << "-1.5";
        QTest::newRow("FromStringList")
            << Setter([](CVariantParameter& v) { v.FromStringList({"7", "x", "9"}); })
            << QList<quint64>{7} << QList<qint64>{7} << QList<double>{7.0}
            << QStringList{"7", "x", "9"} << "7";
    }

    void listSetters()
    {
        QFETCH(Setter, setter);
        QFETCH(QList<quint64>, uList);
        QFETCH(QList<qint64>, sList);
        QFETCH(QList<double>, realList);
        QFETCH(QStringList, textList);
        QFETCH(QString, text);

        int marker = 0;
        CVariantParameter v;
        v.FromPointer(&marker);
        setter(v);

        QCOMPARE(v.ToUInt64List(), uList);
        QCOMPARE(v.ToInt64List(), sList);
        QVERIFY(sameReals(v.ToRealList(), realList));
        QCOMPARE(v.ToStringList(), textList);
        // Single forms come from the first entry.
        QCOMPARE(v.ToUInt64(), uList.first());
        QCOMPARE(v.ToInt64(), sList.first());
        QVERIFY(sameReals({v.ToReal()}, {realList.first()}));
        QCOMPARE(v.ToString(), text);
        QCOMPARE(v.ToByteArray(), text.toUtf8());
        QVERIFY(v.IsSet());
        QCOMPARE(v.ToPointer(), static_cast<void*>(&marker));
    }

    void emptyListResetsEverythingButCountsAsSet_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::newRow("FromStringList") << Setter([](CVariantParameter& v) { v.FromStringList({}); });
        QTest::newRow("FromUInt64List") << Setter([](CVariantParameter& v) { v.FromUInt64List({}); });
        QTest::newRow("FromInt64List") << Setter([](CVariantParameter& v) { v.FromInt64List({}); });
        QTest::newRow("FromRealList") << Setter([](CVariantParameter& v) { v.FromRealList({}); });
    }

    void emptyListResetsEverythingButCountsAsSet()
    {
        QFETCH(Setter, setter);
        int marker = 0;
        CVariantParameter v;
        v.FromPointer(&marker).FromInt(5);
        v.ClearSetState(false);
        QCOMPARE(v.ToPointer(), static_cast<void*>(&marker));

        setter(v);
        verifyInitialForms(v);
        QVERIFY(v.IsSet());
    }

    void independentSettersClearTheDatum()
    {
        int marker = 0;
        CVariantParameter v;
        v.FromString("hello");
        v.FromPointer(&marker);
        QVERIFY(v.ToString().isEmpty());
        QVERIFY(!v.ToString().isNull());
        QVERIFY(v.ToStringList().isEmpty());
        QVERIFY(v.ToByteArray().isEmpty());
        QCOMPARE(v.ToPointer(), static_cast<void*>(&marker));
        QCOMPARE(v.ToDateTime(), kEpoch);
        QVERIFY(v.IsSet());

        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(Q_INT64_C(1700000000000));
        v.FromInt(3).FromDateTime(moment);
        QCOMPARE(v.ToDateTime(), moment);
        QCOMPARE(v.ToPointer(), static_cast<void*>(nullptr));
        QCOMPARE(v.ToInt(), 0);
        QVERIFY(v.ToUInt64List().isEmpty());
    }

    void textRewrites_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<Setter>("rewrite");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("textList");

        const Setter tenAnd255 = [](CVariantParameter& v) { v.FromUInt64List({10, 255}); };
        QTest::newRow("ToHex") << tenAnd255 << Setter([](CVariantParameter& v) { v.ToHex(); })
                               << "a" << QStringList{"a", "ff"};
        QTest::newRow("ToOctal") << tenAnd255 << Setter([](CVariantParameter& v) { v.ToOctal(); })
                                 << "12" << QStringList{"12", "377"};
        QTest::newRow("ToBinary") << tenAnd255 << Setter([](CVariantParameter& v) { v.ToBinary(); })
                                  << "1010" << QStringList{"1010", "11111111"};
        QTest::newRow("ToDecimal after ToHex") << tenAnd255 << Setter([](CVariantParameter& v) { v.ToHex().ToDecimal(); })
                                               << "10" << QStringList{"10", "255"};
        QTest::newRow("ToHex of -1 uses the unsigned form")
            << Setter([](CVariantParameter& v) { v.FromInt(-1); }) << Setter([](CVariantParameter& v) { v.ToHex(); })
            << "ffffffffffffffff" << QStringList{"ffffffffffffffff"};
        QTest::newRow("ToHex rebuilds the text list from the numbers")
            << Setter([](CVariantParameter& v) { v.FromStringList({"12", "x"}); })
            << Setter([](CVariantParameter& v) { v.ToHex(); }) << "c" << QStringList{"c"};
        QTest::newRow("ToLower") << Setter([](CVariantParameter& v) { v.FromStringList({"AbC", "X", "y"}); })
                                 << Setter([](CVariantParameter& v) { v.ToLower(); })
                                 << "abc" << QStringList{"abc", "x", "y"};
        QTest::newRow("ToUpper") << Setter([](CVariantParameter& v) { v.FromStringList({"AbC", "X", "y"}); })
                                 << Setter([](CVariantParameter& v) { v.ToUpper(); })
                                 << "ABC" << QStringList{"ABC", "X", "Y"};
        QTest::newRow("ToUpper of a single text") << Setter([](CVariantParameter& v) { v.FromString("AbC"); })
                                                  << Setter([](CVariantParameter& v) { v.ToUpper(); })
                                                  << "ABC" << QStringList{"ABC"};
        QTest::newRow("ToHex of a single number") << Setter([](CVariantParameter& v) { v.FromInt(255); })
                                                  << Setter([](CVariantParameter& v) { v.ToHex(); })
                                                  << "ff" << QStringList{"ff"};
    }

    // The bytes of a number are made with the codec the value had when the
    // number was set: a later codec, a copy into a value with another codec
    // and a decoding anew all start from those bytes.
    void numberBytesKeepTheirCodec()
    {
        QTextCodec* utf16 = QTextCodec::codecForName("UTF-16LE");
        CVariantParameter v;
        v.FromInt(-42);
        v.SetCodec(utf16);
        QCOMPARE(v.ToByteArray(), QByteArray("-42"));
        QCOMPARE(v.ToString(), QStringLiteral("-42"));

        CVariantParameter wide;
        wide.SetCodec(utf16);
        CVariantParameter plain;
        plain.FromReal(2.5);
        wide = plain;
        QCOMPARE(wide.ToByteArray(), QByteArray("2.5"));
        wide.Encode(true);
        QVERIFY(wide.ToString() != QStringLiteral("2.5")); // the three bytes read as UTF-16
        QCOMPARE(wide.ToReal(), 2.5);

        wide.FromUInt64(18446744073709551615ULL);
        QCOMPARE(wide.ToString(), QStringLiteral("18446744073709551615"));
        QCOMPARE(wide.ToByteArray(), utf16->fromUnicode(QStringLiteral("18446744073709551615")));
        QCOMPARE(wide.ToStringList(), QStringList{"18446744073709551615"});
        wide.Encode(false, QTextCodec::codecForName("ISO-8859-1"));
        QCOMPARE(wide.ToByteArray(), QByteArray("18446744073709551615"));
    }

    // A text decoded anew from the bytes replaces the text only: the lists
    // keep what the setter stored.
    void decodingLeavesTheLists_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<QStringList>("textList");
        QTest::newRow("number") << Setter([](CVariantParameter& v) { v.FromInt(65); }) << QStringList{"65"};
        QTest::newRow("text") << Setter([](CVariantParameter& v) { v.FromString("A"); }) << QStringList{"A"};
        QTest::newRow("list") << Setter([](CVariantParameter& v) { v.FromInt64List({65, 66}); })
                              << QStringList{"65", "66"};
    }

    void decodingLeavesTheLists()
    {
        QFETCH(Setter, setter);
        QFETCH(QStringList, textList);
        CVariantParameter v;
        v.SetCodec(QTextCodec::codecForName("ISO-8859-1"));
        setter(v);
        const QList<qint64> numbers = v.ToInt64List();
        const QList<double> reals = v.ToRealList();
        v.FromPointer(nullptr); // nothing of the pointer setter lingers either
        setter(v);
        v.Encode(true, QTextCodec::codecForName("UTF-16LE"));
        QVERIFY(v.ToString() != textList.first());
        QCOMPARE(v.ToStringList(), textList);
        QCOMPARE(v.ToInt64List(), numbers);
        QCOMPARE(v.ToRealList(), reals);
        QCOMPARE(v.ToUInt64List().size(), textList.size());
        // Copies carry the lists as they are.
        CVariantParameter copy(v);
        QCOMPARE(copy.ToStringList(), textList);
        QCOMPARE(copy.ToString(), v.ToString());
    }

    void textRewrites()
    {
        QFETCH(Setter, setter);
        QFETCH(Setter, rewrite);
        QFETCH(QString, text);
        QFETCH(QStringList, textList);

        CVariantParameter v;
        setter(v);
        const quint64 tick = v.GetSetTickMSec();
        const QDateTime time = v.GetSetTime();
        const QList<quint64> numbers = v.ToUInt64List();
        waitForNextTick();

        rewrite(v);
        QCOMPARE(v.ToString(), text);
        QCOMPARE(v.ToByteArray(), text.toUtf8());
        QCOMPARE(v.ToStringList(), textList);
        QCOMPARE(v.ToUInt64List(), numbers);
        QCOMPARE(v.GetSetTickMSec(), tick);
        QCOMPARE(v.GetSetTime(), time);
    }

    void clearSetState()
    {
        CVariantParameter v;
        v.FromString("42");
        const QDateTime setTime = v.GetSetTime();
        QVERIFY(setTime != kEpoch);

        v.ClearSetState(false);
        QVERIFY(!v.IsSet());
        QCOMPARE(v.GetSetTime(), setTime);
        QCOMPARE(v.ToInt(), 42);
        QCOMPARE(v.ToString(), QStringLiteral("42"));
        QCOMPARE(v.ToStringList(), QStringList{"42"});

        v.SetCodec(QTextCodec::codecForName("ISO-8859-1"));
        v.FromString(QString::fromUtf8("\xC3\xA9"));
        v.ClearSetState(true);
        QVERIFY(!v.IsSet());
        QCOMPARE(v.GetSetTime(), kEpoch);
        verifyInitialForms(v);
        // The codec outlives the reset.
        v.FromString(QString::fromUtf8("\xC3\xA9"));
        QCOMPARE(v.ToByteArray(), QByteArray("\xE9"));
    }

    void isNewer()
    {
        CVariantParameter earlier;
        earlier.FromInt(1);
        waitForNextTick();
        CVariantParameter later;
        later.FromInt(1);

        QVERIFY(later.IsNewer(earlier));
        QVERIFY(!earlier.IsNewer(later));
        QVERIFY(later.IsNewer(earlier.GetSetTickMSec()));
        QVERIFY(!later.IsNewer(later.GetSetTickMSec()));

        CVariantParameter same(later);
        QCOMPARE(same.GetSetTickMSec(), later.GetSetTickMSec());
        QVERIFY(!same.IsNewer(later));
        QVERIFY(!later.IsNewer(same));

        CVariantParameter never;
        QVERIFY(earlier.IsNewer(never));
        QVERIFY(!never.IsNewer(earlier));
    }

    void codecStaysWithTheTarget()
    {
        QTextCodec* latin1 = QTextCodec::codecForName("ISO-8859-1");
        QVERIFY(latin1);
        const QString eAcute = QString::fromUtf8("\xC3\xA9");

        CVariantParameter source;
        source.SetCodec(latin1);
        source.FromString(eAcute);
        QCOMPARE(source.ToByteArray(), QByteArray("\xE9"));

        // Assignment carries the datum and its stamp, not the codec.
        CVariantParameter target;
        target = source;
        QCOMPARE(target.ToByteArray(), QByteArray("\xE9"));
        QCOMPARE(target.GetSetTickMSec(), source.GetSetTickMSec());
        QCOMPARE(target.GetSetTime(), source.GetSetTime());
        target.Encode(false);
        QCOMPARE(target.ToByteArray(), QByteArray("\xC3\xA9"));

        // A copy starts with UTF-8 whatever the source used.
        CVariantParameter copy(source);
        QCOMPARE(copy.ToString(), eAcute);
        copy.FromString(eAcute);
        QCOMPARE(copy.ToByteArray(), QByteArray("\xC3\xA9"));

        // Assigning into a Latin-1 value keeps Latin-1.
        CVariantParameter latinTarget;
        latinTarget.SetCodec(latin1);
        latinTarget = copy;
        latinTarget.FromString(eAcute);
        QCOMPARE(latinTarget.ToByteArray(), QByteArray("\xE9"));

        // A missing codec is refused; the value keeps converting.
        latinTarget.SetCodec(nullptr);
        latinTarget.FromString(eAcute);
        QCOMPARE(latinTarget.ToByteArray(), QByteArray("\xE9"));
    }

    void encodeWithGivenCodec()
    {
        QTextCodec* latin1 = QTextCodec::codecForName("ISO-8859-1");
        CVariantParameter v;
        v.FromByteArray("\xC3\xA9");
        QCOMPARE(v.ToString(), QString::fromUtf8("\xC3\xA9"));
        const quint64 tick = v.GetSetTickMSec();
        waitForNextTick();

        // Decoding the same bytes as Latin-1 gives two characters.
        v.Encode(true, latin1);
        QCOMPARE(v.ToString(), QString::fromLatin1("\xC3\xA9"));
        QCOMPARE(v.ToByteArray(), QByteArray("\xC3\xA9"));

        // The given codec was for that call only.
        v.Encode(false);
        QCOMPARE(v.ToByteArray(), QByteArray("\xC3\x83\xC2\xA9"));
        QCOMPARE(v.GetSetTickMSec(), tick);

        v.FromByteArray("\xE9");
        QCOMPARE(v.ToString(), QString(QChar(0xFFFD)));
        v.Encode(true, latin1);
        QCOMPARE(v.ToString(), QString(QChar(0xE9)));
    }

    // A text or bytes setter's conversions are those of the codec the value
    // had when it was set, however late they are first read: after a change
    // of codec, in a copy with another codec, or before a decoding anew.
    void conversionsFollowTheSetterCodec_data()
    {
        QTest::addColumn<Setter>("setter");
        QTest::addColumn<Setter>("then");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        const QString eAcute = QString::fromUtf8("\xC3\xA9");
        QTextCodec* utf16 = QTextCodec::codecForName("UTF-16LE");
        const Setter toUtf16 = [utf16](CVariantParameter& v) { v.SetCodec(utf16); };
        const Setter intoUtf16Copy = [utf16](CVariantParameter& v) {
            CVariantParameter wide;
            wide.SetCodec(utf16);
            wide = v;
            v.SetCodec(utf16);
            v = wide;
        };
        QTest::newRow("text, new codec") << Setter([eAcute](CVariantParameter& v) { v.FromString(eAcute); })
                                         << toUtf16 << eAcute << QByteArray("\xE9") << 0;
        QTest::newRow("bytes, new codec") << Setter([](CVariantParameter& v) { v.FromByteArray("\xE9"); })
                                          << toUtf16 << eAcute << QByteArray("\xE9") << 0;
        QTest::newRow("number text, new codec") << Setter([](CVariantParameter& v) { v.FromString("-42"); })
                                                << toUtf16 << QStringLiteral("-42") << QByteArray("-42") << -42;
        QTest::newRow("number bytes, copied") << Setter([](CVariantParameter& v) { v.FromByteArray("17"); })
                                              << intoUtf16Copy << QStringLiteral("17") << QByteArray("17") << 17;
        QTest::newRow("bytes, copied") << Setter([](CVariantParameter& v) { v.FromByteArray("\xE9"); })
                                       << intoUtf16Copy << eAcute << QByteArray("\xE9") << 0;
        QTest::newRow("text, lowered") << Setter([](CVariantParameter& v) { v.FromString("AB"); })
                                       << Setter([](CVariantParameter& v) { v.ToLower(); }) << QStringLiteral("ab")
                                       << QByteArray("ab") << 0;
    }

    void conversionsFollowTheSetterCodec()
    {
        QFETCH(Setter, setter);
        QFETCH(Setter, then);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        CVariantParameter v;
        v.SetCodec(QTextCodec::codecForName("ISO-8859-1"));
        setter(v);
        then(v);
        QCOMPARE(v.ToInt(), number);
        QCOMPARE(v.ToString(), text);
        QCOMPARE(v.ToByteArray(), bytes);
        QCOMPARE(v.ToStringList(), QStringList{text});
        QCOMPARE(v.ToInt64List(), QList<qint64>{number});
    }

    void shiftJisBytes()
    {
        QTextCodec* sjis = QTextCodec::codecForName("Shift_JIS");
        QVERIFY(sjis);
        CVariantParameter v;
        v.SetCodec(sjis);
        v.FromByteArray("\x83\x76\x83\x8D");
        QCOMPARE(v.ToString(), QString::fromUtf8("\xE3\x83\x97\xE3\x83\xAD"));
        v.FromString(QString::fromUtf8("\xE3\x83\x97"));
        QCOMPARE(v.ToByteArray(), QByteArray("\x83\x76"));
    }
};

QTEST_APPLESS_MAIN(tst_CVariantParameter)
#include "tst_CVariantParameter.moc"
