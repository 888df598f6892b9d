#include <QtTest>

#include <QScopedPointer>

#include "../profiles/ProfileTestSupport.h"
#include "CPJErrorStatus.h"
#include "CPJErrorStatusList.h"
#include "CProfile.h"
#include "CProjectorData.h"

using P = CProjectorData;

namespace {

const QString kLamp1Limit = QStringLiteral(
    "The lamp1 has been used beyond its limit.\nPlease replace the lamp.\nUse the specified lamp for safety and performance.");

// "A<mask hex>" or "B<mask hex>" and the text, per entry.
QStringList Describe(const CPJErrorStatusList& list)
{
    QStringList out;
    for (const CPJErrorStatus& e : list.m_List) {
        QString head = e.ErrorBitB ? "B" + QString::number(e.ErrorBitB, 16) : "A" + QString::number(e.ErrorBitA, 16);
        if (e.RemarkKind)
            head = "K" + QString::number(e.RemarkKind);
        out << head + " " + e.ErrorString;
    }
    return out;
}

void SetWords(CProjectorData& r, quint32 a, quint32 b, quint32 prevA = 0, quint32 prevB = 0)
{
    r.m_Status[P::StErrorWordA].FromULong(a);
    r.m_Status[P::StErrorWordB].FromLong(qint32(b));
    r.m_Status[P::StPrevErrorWordA].FromULong(prevA);
    r.m_Status[P::StPrevErrorWordB].FromLong(qint32(prevB));
}

void DueFilterAlarm(CProjectorData& r, bool due)
{
    r.m_Status[P::StFilterInfo].FromUChar(0);
    r.m_Status[P::StFilterAlarm].FromLong(3600);
    r.m_Status[P::StFilterUsed].FromLong(due ? 3600 : 10);
}

// A connected projector of the given model; its filter alarm is due or not.
void Connect(CProjectorData& r, CProfile* profile, bool filterDue)
{
    r.m_Profile = profile;
    r.m_ConnectState = 3;
    DueFilterAlarm(r, filterDue);
}

} // namespace

class tst_CProjectorDataErrors : public QObject
{
    Q_OBJECT

    QScopedPointer<EnglishCatalogue> m_Catalogue;
    CProfile m_OneLamp;
    CProfile m_TwoLamp;
    CProfile m_Laser;

    CProfile* ProfileFor(const QString& model)
    {
        if (model == "one") return &m_OneLamp;
        if (model == "two") return &m_TwoLamp;
        if (model == "laser") return &m_Laser;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        m_Catalogue.reset(new EnglishCatalogue);
        QVERIFY(m_Catalogue->isInstalled());
        m_OneLamp.m_Flags[ProfileFlag::ReqRemainingLamp2Time] = false;
        m_TwoLamp.m_Flags[ProfileFlag::ReqRemainingLamp2Time] = true;
        m_Laser.m_Flags[ProfileFlag::LaserBeam] = true;
    }

    void firstLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("first");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one line") << "Fan error" << "Fan error";
        QTest::newRow("three lines") << kLamp1Limit << "The lamp1 has been used beyond its limit.";
        QTest::newRow("CR LF") << "abc\r\ndef" << "abc";
        QTest::newRow("CR only") << "abc\rdef" << "abc\rdef";
        QTest::newRow("CR in second line") << "abc\ndef\rg" << "abc";
    }

    void firstLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, first);
        CPJErrorStatus entry;
        QVERIFY(!entry.ErrorString.isNull());
        QCOMPARE(entry.ErrorBitA, 0u);
        entry.ErrorString = text;
        QCOMPARE(entry.GetFirstLineErrorString(), first);
    }

    void decoder_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<quint32>("wordA");
        QTest::addColumn<quint32>("wordB");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("one lamp 0x41") << "one" << 0x41u << 0u
                                       << QStringList{ "A1 Lamp cover error", "A40 Lamp error" };
        QTest::newRow("two lamps 0x41") << "two" << 0x41u << 0u
                                        << QStringList{ "A1 Lamp cover error", "A40 Lamp1 error" };
        QTest::newRow("no profile is one lamp") << "none" << 0x40u << 0u << QStringList{ "A40 Lamp error" };
        QTest::newRow("lamp order 0, 7, 22")
            << "one" << 0x400081u << 0u
            << QStringList{ "A1 Lamp cover error",
                            "A80 The lamp has reached the end of its usable life.\nPlease replace the lamp.\n"
                            "Use the specified lamp for safety and performance.",
                            "A400000 The lamp2 has reached the end of its usable life.\nPlease replace the lamp.\n"
                            "Use the specified lamp for safety and performance." };
        QTest::newRow("lamp order with 31") << "two" << 0x80400080u << 0u
                                            << QStringList{ "A80000000 Other error ( Data4 / bit7 )",
                                                            "A80 The lamp1 has reached the end of its usable life.\n"
                                                            "Please replace the lamp.\nUse the specified lamp for "
                                                            "safety and performance.",
                                                            "A400000 The lamp2 has reached the end of its usable life.\n"
                                                            "Please replace the lamp.\nUse the specified lamp for "
                                                            "safety and performance." };
        QTest::newRow("lamp bit 15 and word B") << "one" << 0x8000u << 3u
                                                << QStringList{ "A8000 Other error ( Data2 / bit7 )" };
        QTest::newRow("lamp fallback and shared keys")
            << "one" << 0x4000018u << 0u
            << QStringList{ "A8 Fan error", "A10 Fan error", "A4000000 High temperature due to dust pile-up" };
        QTest::newRow("laser A 0, B 3") << "laser" << 0u << 3u << QStringList{};
        QTest::newRow("laser gate") << "laser" << 0x8000u << 3u
                                    << QStringList{ "B1 Current installation is not appropriate for portrait projection.",
                                                    "B2 The interlock switch is open." };
        QTest::newRow("laser no gate") << "laser" << 1u << 3u
                                       << QStringList{ "A1 The covers are not mounted properly.\nCheck and remount them if necessary." };
        QTest::newRow("laser bit 31") << "laser" << 0x80000000u << 0u
                                      << QStringList{ "A80000000 The lens is not mounted properly.\nCheck and remount it if necessary." };
        QTest::newRow("laser B fallbacks") << "laser" << 0x8000u << 0x80000010u
                                           << QStringList{ "B10 Other error ( Data9 / bit4 )",
                                                           "B80000000 Other error ( Data12 / bit7 )" };
        QTest::newRow("laser shared keys") << "laser" << 0x20000262u << 0u
                                           << QStringList{ "A2 The projector is overheated.", "A20 System error has occurred.",
                                                           "A40 Light source problem.", "A200 Light source problem.",
                                                           "A20000000 Light source problem." };
    }

    void decoder()
    {
        QFETCH(QString, model);
        QFETCH(quint32, wordA);
        QFETCH(quint32, wordB);
        QFETCH(QStringList, entries);
        CProjectorData r(nullptr, 1);
        r.m_Profile = ProfileFor(model);
        SetWords(r, wordA, wordB);
        const CPJErrorStatusList list = r.GetPjErrMessage(0, false);
        QCOMPARE(Describe(list), entries);
        for (const CPJErrorStatus& e : list.m_List) {
            QCOMPARE(e.RemarkKind, 0);
            QVERIFY((e.ErrorBitA == 0) != (e.ErrorBitB == 0));
        }
    }

    void everyBitHasAText()
    {
        for (const char* model : { "one", "two", "laser" }) {
            CProjectorData r(nullptr, 1);
            r.m_Profile = ProfileFor(model);
            SetWords(r, 0xFFFFFFFFu, 0xFFFFFFFFu);
            const CPJErrorStatusList list = r.GetPjErrMessage(0, false);
            QCOMPARE(list.m_List.size(), QLatin1String(model) == "laser" ? 31 + 32 : 32);
            for (const CPJErrorStatus& e : list.m_List)
                QVERIFY2(!e.ErrorString.startsWith("RemarkErrorMessage"), qPrintable(e.ErrorString));
        }
    }

    void onlyNew_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<quint32>("prevA");
        QTest::addColumn<quint32>("prevB");
        QTest::addColumn<quint32>("wordA");
        QTest::addColumn<quint32>("wordB");
        QTest::addColumn<int>("data7");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("nothing changed") << "one" << 0x41u << 0u << 0x41u << 0u << 0 << QStringList{};
        QTest::newRow("new bit only") << "one" << 0x1u << 0u << 0x3u << 0u << 0
                                      << QStringList{ "A2 Temperature error" };
        QTest::newRow("only Data7 changed") << "one" << 0x1u << 0u << 0x1u << 0u << 5 << QStringList{};
        QTest::newRow("cleared bit") << "one" << 0x3u << 0u << 0x1u << 0u << 0 << QStringList{};
        // Word-A bit 15 stays set while a second word-B error arrives: the new
        // one is still reported.
        QTest::newRow("laser new B under set gate") << "laser" << 0x8000u << 0u << 0x8000u << 2u << 0
                                                    << QStringList{ "B2 The interlock switch is open." };
        QTest::newRow("laser new gate") << "laser" << 0u << 0u << 0x8000u << 2u << 0
                                        << QStringList{ "B2 The interlock switch is open." };
        QTest::newRow("laser known B") << "laser" << 0x8000u << 1u << 0x8000u << 3u << 0
                                       << QStringList{ "B2 The interlock switch is open." };
        QTest::newRow("laser B without gate") << "laser" << 0x1u << 0u << 0x1u << 2u << 0 << QStringList{};
    }

    void onlyNew()
    {
        QFETCH(QString, model);
        QFETCH(quint32, prevA);
        QFETCH(quint32, prevB);
        QFETCH(quint32, wordA);
        QFETCH(quint32, wordB);
        QFETCH(int, data7);
        QFETCH(QStringList, entries);
        CProjectorData r(nullptr, 1);
        r.m_Profile = ProfileFor(model);
        SetWords(r, wordA, wordB, prevA, prevB);
        r.m_Status[P::StErrorData7].FromUChar(quint8(data7));
        QCOMPARE(Describe(r.GetPjErrMessage(0, true)), entries);
        // The decoder itself changes nothing: asking again gives the same.
        QCOMPARE(Describe(r.GetPjErrMessage(0, true)), entries);
    }

    void remarkConnectedWithoutErrors()
    {
        CProjectorData r(nullptr, 1);
        Connect(r, &m_OneLamp, false);
        QCOMPARE(r.GetRemarkString(false, false), QString("No errors occurred.\r\n"));
        QCOMPARE(r.GetRemarkString(true, false), QString(""));
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
    }

    void remarkConnectedWithErrorAndFilter()
    {
        CProjectorData r(nullptr, 1);
        Connect(r, &m_OneLamp, true);
        SetWords(r, 0x1, 0);
        QCOMPARE(r.GetRemarkString(false, false),
                 QString("Lamp cover error\r\nFilter has reached its end of life\r\n"));
        QCOMPARE(r.GetRemarkString(true, false), QString("Lamp cover error"));
        const CPJErrorStatusList summary = r.GetRemarkErrorStatusList(true, false);
        QCOMPARE(Describe(summary), (QStringList{ "A1 Lamp cover error", "K4 Filter has reached its end of life" }));
        // Neither form touches the previous copies.
        QCOMPARE(r.m_Status[P::StPrevErrorWordA].ToULong(), 0u);
    }

    void remarkLaserHasNoFilterAlarm()
    {
        CProjectorData r(nullptr, 1);
        Connect(r, &m_Laser, true);
        QCOMPARE(r.GetRemarkString(false, false), QString("No errors occurred.\r\n"));
        QCOMPARE(r.GetRemarkString(true, false), QString(""));
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        QCOMPARE(r.m_Status[P::StRemarkState].ToLong(), 0);
    }

    void remarkNotConnected()
    {
        CProjectorData r(nullptr, 1);
        r.m_Profile = &m_OneLamp;
        SetWords(r, 0x2, 0);
        r.m_Status[P::StRemarkState].FromLong(4);
        QCOMPARE(r.GetRemarkString(true, false), QString(""));
        QCOMPARE(r.GetRemarkString(false, false), QString("No errors occurred.\r\n"));
        // No mail for a projector that is not connected, not even "no errors";
        // the bookkeeping still runs.
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        QCOMPARE(r.m_Status[P::StRemarkState].ToLong(), 0);
        QCOMPARE(r.m_Status[P::StPrevErrorWordA].ToULong(), 2u);
    }

    void newErrorsSequence()
    {
        CProjectorData r(nullptr, 1);
        Connect(r, &m_OneLamp, true);
        SetWords(r, 0x2, 0);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()),
                 (QStringList{ "A2 Temperature error", "K4 Filter has reached its end of life" }));
        QCOMPARE(r.m_Status[P::StPrevErrorWordA].ToULong(), 2u);
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        // The other forms still report everything current.
        QCOMPARE(r.GetRemarkString(false, false),
                 QString("Temperature error\r\nFilter has reached its end of life\r\n"));
        // The filter alarm is handed out again only after a list built while
        // it was not due.
        DueFilterAlarm(r, false);
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        DueFilterAlarm(r, true);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()), QStringList{ "K4 Filter has reached its end of life" });
        QCOMPARE(r.GetRemarkString(false, true), QString(""));
    }

    void errorReportedAgainOnlyAfterSeenClear()
    {
        CProjectorData r(nullptr, 1);
        Connect(r, &m_TwoLamp, false);
        SetWords(r, 0x101, 0);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()),
                 (QStringList{ "A1 Lamp cover error", "A100 " + kLamp1Limit }));
        // Cleared and set again between two lists: not new.
        r.m_Status[P::StErrorWordA].FromULong(0x1);
        r.m_Status[P::StErrorWordA].FromULong(0x101);
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        // Seen clear by a list, then set again: new.
        r.m_Status[P::StErrorWordA].FromULong(0x1);
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
        r.m_Status[P::StErrorWordA].FromULong(0x101);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()), QStringList{ "A100 " + kLamp1Limit });
        QCOMPARE(r.GetRemarkString(true, false), QString("Lamp cover error"));
        r.m_Status[P::StErrorWordA].FromULong(0x100);
        QCOMPARE(r.GetRemarkString(true, false), QString("The lamp1 has been used beyond its limit."));
        QCOMPARE(r.GetRemarkString(false, false), kLamp1Limit + "\r\n");
    }

    void laserNewWordBErrorReachesTheMail()
    {
        CProjectorData r(nullptr, 1);
        r.m_Profile = &m_Laser;
        r.m_ConnectState = 3;
        SetWords(r, 0x8000, 0x1);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()),
                 QStringList{ "B1 Current installation is not appropriate for portrait projection." });
        r.m_Status[P::StErrorWordB].FromLong(0x3);
        QCOMPARE(Describe(r.GetNewRemarkErrorStatusList()), QStringList{ "B2 The interlock switch is open." });
        QVERIFY(r.GetNewRemarkErrorStatusList().m_List.isEmpty());
    }

    void listValueSemantics()
    {
        CPJErrorStatusList list;
        list.Add(CPJErrorStatus(1, 0, 0, "a"));
        CPJErrorStatusList copy = list;
        copy.Add(CPJErrorStatus(2, 0, 0, "b"));
        QCOMPARE(list.m_List.size(), 1);
        QCOMPARE(copy.m_List.size(), 2);
        QCOMPARE(copy.m_List.value(5).ErrorString, QString(""));
        copy.Clear();
        QVERIFY(copy.m_List.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_CProjectorDataErrors)
#include "tst_CProjectorDataErrors.moc"
