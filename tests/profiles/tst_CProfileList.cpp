#include <QtTest>

#include <QScopedPointer>

#include "CIniFileAccess.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CSectionItemList.h"
#include "ProfileTestSupport.h"

namespace {

const QString kHeader = QStringLiteral("[Header Info]\nMagicCode=258-0017-686-1-5F\n");

// A profile file with the cases of the loader side by side.
const QString kFixture = QStringLiteral(
    "; test profile\n"
    "[Header Info]\n"
    "MagicCode=258-0017-686-1-5F\n"
    "RevCode=R1\n"
    "SetupVersion=1.2.3\n"
    "ExtraVersion=\"EX 1\"\n"
    "CopyrightYear=2011\n"
    "\n"
    "[Models]\n"
    "1A2B3C=FamA\n"
    "1A2B3C05=\"ModelB\"\n"
    "0102030A=Laser\n"
    "\n"
    "[FamA Functions]\n"
    "ReqProjectorName=true\n"
    "ReqRemainingLampTime=1\n"
    "ReqRemainingLamp2Time=TRUE\n"
    "SetFreezeSupported=FALSE\n"
    "ModelImage=famA.png\n"
    "[FamA InputTerminal]\n"
    "Count=3\n"
    "Code1=01H\n"
    "Name1=COMPUTER1,PCJA\n"
    "Code3=1AH\n"
    "Code3Sub=A1H\n"
    "Name3=HDMI\n"
    "[FamA GainPictureGamma]\n"
    "Count=0\n"
    "[FamA EcologicalMark]\n"
    "Count=2\n"
    "Code1=00H\n"
    "Name1=OFF\n"
    "Code2=01H\n"
    "Name2=ECO\n"
    "\n"
    "[Laser Functions]\n"
    "LaserBeam=TRUE\n"
    "\n"
    "[MultipleSelected InputTerminal]\n"
    "Count=2\n"
    "Code1=01H\n"
    "Name1=COMPUTER1\n"
    "ShowTerminal1=true\n"
    "Code2=06H\n"
    "Name2=VIDEO\n");

const QStringList kBuiltInTerminals = { "1:COMPUTER1", "2:COMPUTER2", "6:VIDEO", "B:S-VIDEO",
                                        "12:COMPONENT", "1A:DIGITAL", "1F:VIEWER", "20:NETWORK" };

CProfile* Lookup(const CProfileList& list, quint32 code, bool* matched = nullptr)
{
    CProfile* profile = nullptr;
    const bool result = list.f_GetProfile(quint8(code >> 24), quint8(code >> 16), quint8(code >> 8),
                                          quint8(code), &profile);
    if (matched)
        *matched = result;
    return profile;
}

CProfile* Dummy(const CProfileList& list)
{
    return list.m_ProfileMap.value(-1, nullptr);
}

// Everything a loaded profile holds but its code, as text.
QStringList Contents(const CProfile& profile)
{
    QStringList out;
    QString flags;
    for (int id = 0; id < ProfileFlag::Count; ++id)
        flags += profile.m_Flags[id] ? '1' : '0';
    out << flags << QString::number(profile.m_FreezeSupported) << profile.m_ModelImage
        << QString::number(profile.m_EcoMarksLoaded);
    for (int i = 0; i < CProfile::ItemListCount; ++i) {
        QString items = QString::number(profile.m_ItemCount[i]) + ':';
        for (const CSectionItem* item : profile.m_ItemList[i]->values())
            items += QStringLiteral("%1/%2/%3/%4/%5,").arg(item->code).arg(item->name).arg(item->hasSub).arg(item->sub).arg(item->show);
        out << items;
    }
    return out;
}

QStringList g_ProfileLoadTraces;

void RecordProfileLoads(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (QLatin1String(context.category) == QLatin1String("lumivox.profiles.load"))
        g_ProfileLoadTraces << message;
}

} // namespace

class tst_CProfileList : public QObject
{
    Q_OBJECT

    QScopedPointer<EnglishCatalogue> m_Catalogue;

private slots:
    void initTestCase()
    {
        m_Catalogue.reset(new EnglishCatalogue);
        QVERIFY(m_Catalogue->isInstalled());
    }

    void profilePath()
    {
        const QString appDir = QCoreApplication::applicationDirPath();
        QCOMPARE(CProfileList::f_GetProfilePath(), appDir + "/Profile.ini");
        QCOMPARE(CProfileList::f_GetProfilePath("Other.ini"), appDir + "/Other.ini");
        QCOMPARE(CProfileList::f_GetProfilePath("/tmp/x/Profile.ini"), QString("/tmp/x/Profile.ini"));
    }

    void fixtureHeaderAndModels()
    {
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kFixture));
        QVERIFY(!list.m_LoadFailed);
        QCOMPARE(list.m_MagicCode, QString("258-0017-686-1-5F"));
        QCOMPARE(list.m_RevCode, QString("R1"));
        QCOMPARE(list.m_SetupVersion, QString("1.2.3"));
        QCOMPARE(list.m_ProfileVersion, QString("---"));
        QCOMPARE(list.m_ExtraVersion, QString("EX 1"));
        QCOMPARE(list.m_CopyrightYear, QString("2011"));
        QCOMPARE(list.m_ProfileMap.keys(),
                 (QList<qint32>{ -1, 0x0102030A, 0x1A2B3C05, 0x1A2B3CFF }));
        QVERIFY(Dummy(list)->m_Dummy);

        const CProfile* famA = list.m_ProfileMap.value(0x1A2B3CFF);
        QCOMPARE(famA->m_ModelCodeLength, 6);
        QVERIFY(famA->m_Flags[ProfileFlag::ReqProjectorName]);
        QVERIFY(!famA->m_Flags[ProfileFlag::ReqRemainingLampTime]);
        QVERIFY(famA->m_Flags[ProfileFlag::ReqRemainingLamp2Time]);
        QCOMPARE(famA->m_FreezeSupported, 0);
        QVERIFY(!famA->GetProfileBoolParameter(28));
        QCOMPARE(famA->m_ModelImage, QString("famA.png"));
        QVERIFY(!famA->m_Flags[35] && !famA->m_Flags[36] && !famA->m_Flags[37]);
        QVERIFY(famA->m_Flags[106] && !famA->m_Flags[105] && !famA->m_Flags[20] && famA->m_Flags[8]);
        // Entries keep the file's order; entry 2 is missing.
        QCOMPARE(famA->InputTerminals()->keys(), (QList<int>{ 1, 3 }));
        QCOMPARE(ItemTexts(famA->InputTerminals()), (QStringList{ "1:COMPUTER1", "1A:HDMI/A1" }));
        QCOMPARE(famA->m_ItemCount[CProfile::ListInputTerminal], 2);
        QVERIFY(!famA->InputTerminals()->value(1)->builtIn);
        // An explicit Count of 0 keeps the list empty: no built-in list.
        QVERIFY(famA->m_ItemList[CProfile::ListPictureGamma]->isEmpty());
        QCOMPARE(famA->m_ItemCount[CProfile::ListPictureGamma], 0);
        QVERIFY(famA->m_EcoMarksLoaded);
        QCOMPARE(ItemTexts(famA->EcoMarks()), (QStringList{ "0:OFF", "1:ECO" }));
        QCOMPARE(famA->m_ItemList[CProfile::ListPicturePreset]->count(), 7);

        // A model without any section of its own: every flag at its default.
        const CProfile* modelB = list.m_ProfileMap.value(0x1A2B3C05);
        QCOMPARE(modelB->m_ModelCodeLength, 8);
        for (int id = 0; id < ProfileFlag::Count; ++id) {
            if (id == ProfileFlag::SetFreezeSupported)
                continue;
            const bool defaultFalse = QList<int>{ 0, 1, 3, 20, 21, 22, 23, 29, 32, 33, 35, 36, 37, 104, 105 }.contains(id);
            QCOMPARE(modelB->GetProfileBoolParameter(id), !defaultFalse);
        }
        QVERIFY(!modelB->m_EcoMarksLoaded);
        QVERIFY(modelB->EcoMarks()->isEmpty());
        QCOMPARE(ItemTexts(modelB->InputTerminals()), kBuiltInTerminals);
        QCOMPARE(modelB->m_ItemCount[CProfile::ListInputTerminal], 8);
        QCOMPARE(modelB->m_FreezeSupported, 1);
        QVERIFY(!modelB->m_Flags[ProfileFlag::UseNewCommandProjectorName]);

        QVERIFY(list.m_ProfileMap.value(0x0102030A)->m_Flags[ProfileFlag::LaserBeam]);

        QCOMPARE(list.m_MultiTermCount, 2);
        QCOMPARE(ItemTexts(list.m_MultiTermList), (QStringList{ "1:COMPUTER1", "6:VIDEO" }));
        QVERIFY(list.m_MultiTermList->value(1)->show);
        QVERIFY(!list.m_MultiTermList->value(2)->show);
    }

    void matching_data()
    {
        QTest::addColumn<quint32>("reported");
        QTest::addColumn<qint32>("expectedKey");
        QTest::addColumn<bool>("matched");
        QTest::newRow("exact eight-digit code") << 0x1A2B3C05u << qint32(0x1A2B3C05) << true;
        QTest::newRow("six-digit family") << 0x1A2B3C07u << qint32(0x1A2B3CFF) << true;
        QTest::newRow("six-digit family, FF") << 0x1A2B3CFFu << qint32(0x1A2B3CFF) << true;
        QTest::newRow("laser") << 0x0102030Au << qint32(0x0102030A) << true;
        QTest::newRow("laser family, other byte") << 0x0102030Bu << qint32(-1) << false;
        QTest::newRow("all zero is the dummy") << 0x00000000u << qint32(-1) << true;
        QTest::newRow("zero family") << 0x00000007u << qint32(-1) << false;
        QTest::newRow("unknown high code") << 0x9A000000u << qint32(-1) << false;
    }

    void matching()
    {
        QFETCH(quint32, reported);
        QFETCH(qint32, expectedKey);
        QFETCH(bool, matched);
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kFixture));
        bool result = !matched;
        CProfile* profile = Lookup(list, reported, &result);
        QCOMPARE(result, matched);
        QCOMPARE(profile, list.m_ProfileMap.value(expectedKey));
    }

    void unknownCodeFallsBackToDummyNotFirstModel()
    {
        // A code at or above 0x80000000 sorts before the dummy; an unknown
        // projector must still get the dummy, not that model.
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini",
                                           kHeader + "[Models]\n8A0000=High\n1A2B3C=Low\n"));
        QVERIFY(!list.m_LoadFailed);
        QCOMPARE(list.m_ProfileMap.firstKey(), qint32(0x8A0000FF));
        bool matched = true;
        QCOMPARE(Lookup(list, 0x12345678u, &matched), Dummy(list));
        QVERIFY(!matched);
        QCOMPARE(Lookup(list, 0x8A000042u, &matched), list.m_ProfileMap.value(qint32(0x8A0000FF)));
        QVERIFY(matched);
        list.f_GetProfile(1, 2, 3, 4, nullptr); // a null out-parameter is ignored
    }

    void duplicateCodeLaterKeyWins_data()
    {
        QTest::addColumn<QString>("models");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("matchesOtherByte");
        QTest::newRow("eight-digit FF last") << "1A2B3C=Six\n1A2B3CFF=Eight\n" << 8 << false;
        QTest::newRow("six-digit last") << "1A2B3CFF=Eight\n1A2B3C=Six\n" << 6 << true;
    }

    void duplicateCodeLaterKeyWins()
    {
        QFETCH(QString, models);
        QFETCH(int, length);
        QFETCH(bool, matchesOtherByte);
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kHeader + "[Models]\n" + models));
        QVERIFY(!list.m_LoadFailed);
        QCOMPARE(list.m_ProfileMap.size(), 2);
        QCOMPARE(list.m_ProfileMap.value(qint32(0x1A2B3CFF))->m_ModelCodeLength, length);
        bool matched = false;
        Lookup(list, 0x1A2B3C01u, &matched);
        QCOMPARE(matched, matchesOtherByte);
    }

    void fileWithoutModels()
    {
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kHeader + "ProfileVersion=7\n"));
        QVERIFY(!list.m_LoadFailed);
        QCOMPARE(list.m_ProfileVersion, QString("7"));
        QCOMPARE(list.m_RevCode, QString(""));
        QCOMPARE(list.m_ProfileMap.keys(), QList<qint32>{ -1 });
        bool matched = false;
        QCOMPARE(Lookup(list, 0, &matched), Dummy(list));
        QVERIFY(matched);
        QCOMPARE(Lookup(list, 0x01000000u, &matched), Dummy(list));
        QVERIFY(!matched);
        QCOMPARE(list.m_MultiTermCount, 0);
        QVERIFY(list.m_MultiTermList->isEmpty());
    }

    void rejectedFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<qint32>>("keptKeys");
        const QString models = kHeader + "[Models]\n0A0B0C=Good\n";
        const QString multi = "[MultipleSelected InputTerminal]\nCount=1\nCode1=01H\nName1=PC\n";
        QTest::newRow("no magic code") << QString("[Header Info]\nRevCode=1\n[Models]\n0A0B0C=Good\n")
                                       << QList<qint32>{ -1 };
        QTest::newRow("magic code case")
            << QString("[Header Info]\nMagicCode=258-0017-686-1-5f\n[Models]\n0A0B0C=Good\n") << QList<qint32>{ -1 };
        QTest::newRow("all F eight") << models + "FFFFFFFF=Bad\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
        QTest::newRow("all F six") << models + "FFFFFF=Bad\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
        QTest::newRow("seven digits") << models + "1234567=Bad\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
        QTest::newRow("lower case") << models + "1a2b3c05=Bad\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
        QTest::newRow("non-hex pair") << models + "1A2G3C=Bad\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
        QTest::newRow("empty prefix") << models + "1A2B3C=\n" + multi << QList<qint32>{ -1, 0x0A0B0CFF };
    }

    void rejectedFiles()
    {
        QFETCH(QString, text);
        QFETCH(QList<qint32>, keptKeys);
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", text));
        QVERIFY(list.m_LoadFailed);
        QCOMPARE(list.m_ProfileMap.keys(), keptKeys);
        QVERIFY(list.m_MultiTermList->isEmpty());
    }

    void missingFileFails()
    {
        QTemporaryDir dir;
        CProfileList list(dir.filePath("absent.ini"));
        QVERIFY(list.m_LoadFailed);
        QCOMPARE(list.m_ProfileMap.keys(), QList<qint32>{ -1 });
        QVERIFY(list.m_MagicCode.isEmpty());
        QVERIFY(list.m_ProfileVersion.isEmpty());
        CProfileList inProgramFolder(QStringLiteral("no-such-profile-file.ini"));
        QVERIFY(inProgramFolder.m_LoadFailed);
    }

    void languageChoosesNameColumn()
    {
        QTemporaryDir dir;
        const QString path = WriteProfileFile(dir, "Profile.ini", kFixture);
        CProfileList japanese(path, CLanguageCodeTable::LANG_JAPANESE);
        QVERIFY(!japanese.m_LoadFailed);
        const CProfile* famA = japanese.m_ProfileMap.value(0x1A2B3CFF);
        QVERIFY(famA->m_LanguageGiven);
        QCOMPARE(famA->InputTerminals()->value(1)->name, QString("PCJA"));
        CProfileList french(path, CLanguageCodeTable::LANG_FRENCH);
        QCOMPARE(french.m_ProfileMap.value(0x1A2B3CFF)->InputTerminals()->value(1)->name, QString("COMPUTER1"));
        QCOMPARE(Dummy(french)->m_Language, CLanguageCodeTable::LANG_FRENCH);
        CProfileList plain(path);
        QVERIFY(!plain.m_ProfileMap.value(0x1A2B3CFF)->m_LanguageGiven);
    }

    void reloadDiscardsEarlierProfiles()
    {
        // Every profile, the replaced duplicate included, is freed exactly once
        // (the sanitizer build checks the releases).
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kFixture));
        QVERIFY(list.f_LoadProfile());
        QCOMPARE(list.m_ProfileMap.size(), 4);
    }

    // The profiles of one load read through one accessor, not a copy each.
    void profilesOfOneLoadShareTheReader()
    {
        QTemporaryDir dir;
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kFixture));
        QVERIFY(!list.m_LoadFailed);
        const CIniFileAccess* shared = nullptr;
        int models = 0;
        for (const CProfile* profile : qAsConst(list.m_ProfileMap)) {
            if (profile->m_Dummy)
                continue;
            QVERIFY(profile->m_Ini);
            if (!shared)
                shared = &*profile->m_Ini;
            QCOMPARE(&*profile->m_Ini, shared);
            ++models;
        }
        QCOMPARE(models, 3);
    }

    // Models that name one profile get its values; its sections are read
    // once however many codes name it.
    void profileNamedByManyCodes_data()
    {
        QTest::addColumn<QString>("models");
        QTest::addColumn<QList<qint32>>("famA"); // the models that must hold FamA's values
        QTest::newRow("three codes") << "1A2B3C=FamA\n1A2B3D=FamA\n1A2B3E05=FamA\n"
                                     << QList<qint32>{0x1A2B3CFF, 0x1A2B3DFF, 0x1A2B3E05};
        QTest::newRow("one code twice") << "1A2B3C=FamA\n1A2B3C=FamA\n" << QList<qint32>{0x1A2B3CFF};
        QTest::newRow("the first model replaced by a later key")
            << "1A2B3C=FamA\n1A2B3C=Laser\n1A2B3D=FamA\n" << QList<qint32>{0x1A2B3DFF};
    }

    void profileNamedByManyCodes()
    {
        QFETCH(QString, models);
        QFETCH(QList<qint32>, famA);
        QTemporaryDir dir;
        const QString sections = kFixture.mid(kFixture.indexOf("[FamA Functions]"));
        CProfileList reference(WriteProfileFile(dir, "Reference.ini", kFixture));
        const QStringList expected = Contents(*reference.m_ProfileMap.value(qint32(0x1A2B3CFF)));

        g_ProfileLoadTraces.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.profiles.load.debug=true"));
        const QtMessageHandler previous = qInstallMessageHandler(RecordProfileLoads);
        CProfileList list(WriteProfileFile(dir, "Profile.ini", kHeader + "[Models]\n" + models + sections));
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());

        QVERIFY(!list.m_LoadFailed);
        for (qint32 code : famA) {
            QVERIFY(list.m_ProfileMap.contains(code));
            QCOMPARE(Contents(*list.m_ProfileMap.value(code)), expected);
        }
        QCOMPARE(g_ProfileLoadTraces.filter("[FamA]").size(), 1);
    }

    void shippedProfileUsesOnlyKnownNames()
    {
        // A misspelt key or section in the shipped file would silently fall
        // back to a default.
        QTemporaryDir dir;
        const QString path = dir.filePath("Profile.ini");
        QVERIFY(QFile::copy(":/shipped/Profile.ini", path));
        QStringList known{ "ModelImage" };
        for (int id = 0; id < ProfileFlag::Count; ++id)
            known << CProfile::FunctionKey(id);
        const QStringList sections{ CProfile::FUNC_SECTION, CProfile::TERM_SECTION, CProfile::PRESET_SECTION,
                                    CProfile::GAMMA_SECTION, CProfile::COLORTEMPRATURE_SECTION,
                                    CProfile::OVERSCAN_SECTION, CProfile::ASPECT_SECTION,
                                    CProfile::RANDOMNR_SECTION, CProfile::MOSQUITONR_SECTION,
                                    CProfile::BLOCKNR_SECTION, CProfile::DEINTERLACE_SECTION,
                                    CProfile::_3DYCSEPARATION_SECTION, CProfile::_3DSURROUND_SECTION,
                                    CProfile::ECO_SECTION };
        CIniFileAccess ini(path);
        QStringList models;
        ini.GetIniKeys(CProfile::MODELS_SECTION, models);
        QCOMPARE(models.size(), 8);
        QStringList expectedSections{ CProfile::HEAD_SECTION, CProfile::MODELS_SECTION,
                                      CProfile::MULTI_TERM_SECTION };
        for (const QString& code : models) {
            QString prefix;
            ini.GetIniString(CProfile::MODELS_SECTION, code, QString(""), &prefix);
            for (const QString& word : sections)
                expectedSections << prefix + ' ' + word;
            QStringList keys;
            ini.GetIniKeys(prefix + ' ' + CProfile::FUNC_SECTION, keys);
            QVERIFY2(!keys.isEmpty(), qPrintable(prefix));
            for (const QString& key : keys)
                QVERIFY2(known.contains(key), qPrintable(prefix + ": " + key));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.startsWith('['))
                QVERIFY2(expectedSections.contains(line.mid(1, line.size() - 2)), qPrintable(line));
        }
    }

    void shippedProfile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Profile.ini");
        QVERIFY(QFile::copy(":/shipped/Profile.ini", path));
        CProfileList list(path);
        QVERIFY(!list.m_LoadFailed);
        QCOMPARE(list.m_RevCode, QString("R5.00"));
        QCOMPARE(list.m_SetupVersion, QString("5.0.0"));
        QCOMPARE(list.m_ProfileVersion, QString("5.00.001"));
        QCOMPARE(list.m_ExtraVersion, QString("Fleet models"));
        QCOMPARE(list.m_CopyrightYear, QString("2026"));
        QCOMPARE(list.m_ProfileMap.keys(),
                 (QList<qint32>{ -1, 0x130010FF, 0x150010FF, 0x170010FF, 0x190010FF, 0x4C100100, 0x4C2002FF,
                                 0x4C300301, 0x4C500501 }));

        bool matched = false;
        CProfile* oneLamp = Lookup(list, 0x4C100100u, &matched);
        QVERIFY(matched);
        QVERIFY(!oneLamp->m_Flags[ProfileFlag::ReqRemainingLamp2Time]);
        QVERIFY(!oneLamp->m_Flags[ProfileFlag::LaserBeam]);
        QVERIFY(oneLamp->m_Flags[ProfileFlag::ReqSourceName]);
        QVERIFY(oneLamp->m_Flags[ProfileFlag::UseNewCommandReqGainParameter]);
        QVERIFY(!oneLamp->m_Flags[ProfileFlag::ReqGainVideoVelomira]);
        QCOMPARE(oneLamp->m_FreezeSupported, 1);
        QCOMPARE(oneLamp->m_ModelImage, QString("LV-L100.png"));
        QCOMPARE(ItemTexts(oneLamp->InputTerminals()),
                 (QStringList{ "1:COMPUTER1", "2:COMPUTER2", "6:VIDEO", "B:S-VIDEO" }));
        QCOMPARE(ItemTexts(oneLamp->m_ItemList[CProfile::ListImageAspect]),
                 (QStringList{ "0:4:3", "2:WIDE SCREEN", "7:ZOOM" }));
        QCOMPARE(oneLamp->m_ItemList[CProfile::ListPictureGamma]->count(), 3); // built-in
        QVERIFY(!oneLamp->m_EcoMarksLoaded);

        CProfile* twoLamp = Lookup(list, 0x4C200233u, &matched);
        QVERIFY(matched);
        QCOMPARE(twoLamp->m_ModelCodeLength, 6);
        QVERIFY(twoLamp->m_Flags[ProfileFlag::ReqRemainingLamp2Time]);
        QVERIFY(!twoLamp->m_Flags[ProfileFlag::ReqSndMuteSts]);
        QVERIFY(twoLamp->m_Flags[ProfileFlag::ReqMACAddress3]);
        QCOMPARE(twoLamp->m_FreezeSupported, 0);
        QCOMPARE(ItemTexts(twoLamp->InputTerminals()),
                 (QStringList{ "1:COMPUTER1", "1A:HDMI1/A1", "1B:HDMI2/A2", "12:COMPONENT", "20:NETWORK" }));
        QCOMPARE(ItemTexts(twoLamp->m_ItemList[CProfile::ListPictureGamma]), (QStringList{ "0:DYNAMIC", "1:NATURAL" }));
        QVERIFY(twoLamp->m_ItemList[CProfile::ListVolume3DSurround]->isEmpty());

        CProfile* laser = Lookup(list, 0x4C500501u, &matched);
        QVERIFY(matched);
        QVERIFY(laser->m_Flags[ProfileFlag::LaserBeam]);
        QVERIFY(!laser->m_Flags[ProfileFlag::ReqRemainingLampTime]);
        QVERIFY(!laser->m_Flags[ProfileFlag::EcoModeValueRangeCheck]);
        QVERIFY(laser->m_Flags[ProfileFlag::ReqLongModelName]);
        QCOMPARE(ItemTexts(laser->InputTerminals()), (QStringList{ "1A:HDMI1/A1", "1B:HDMI2/A2", "22:HDBaseT" }));
        QCOMPARE(ItemTexts(laser->m_ItemList[CProfile::ListPicturePreset]),
                 (QStringList{ "0:HIGH-BRIGHT", "1:PRESENTATION", "3:MOVIE", "6:DICOM SIM." }));

        CProfile* eco = Lookup(list, 0x4C300301u, &matched);
        QVERIFY(matched);
        QVERIFY(eco->m_EcoMarksLoaded);
        QVERIFY(eco->m_Flags[ProfileFlag::UseMultipleEcoMode]);
        QVERIFY(eco->m_Flags[ProfileFlag::ChkLensCoverSts]);
        QVERIFY(!eco->m_Flags[ProfileFlag::SetProjectorName]);
        QCOMPARE(ItemTexts(eco->EcoMarks()), (QStringList{ "0:OFF", "1:AUTO ECO", "2:NORMAL", "3:ECO" }));
        QCOMPARE(ItemTexts(eco->InputTerminals()), (QStringList{ "1:COMPUTER", "6:VIDEO", "1F:VIEWER" }));

        QCOMPARE(Lookup(list, 0x4C300302u, &matched), Dummy(list));
        QVERIFY(!matched);

        QCOMPARE(list.m_MultiTermCount, 4);
        QCOMPARE(ItemTexts(list.m_MultiTermList),
                 (QStringList{ "1:COMPUTER1", "6:VIDEO", "1A:HDMI1", "20:NETWORK" }));
        QVERIFY(list.m_MultiTermList->value(3)->show);
        QVERIFY(!list.m_MultiTermList->value(4)->show);

        CProfileList french(path, CLanguageCodeTable::LANG_FRENCH);
        QCOMPARE(french.m_ProfileMap.value(0x4C100100)->InputTerminals()->value(1)->name, QString("ORDINATEUR1"));
    }
};

QTEST_GUILESS_MAIN(tst_CProfileList)
#include "tst_CProfileList.moc"
