#include <QtTest>

#include <QScopedPointer>
#include <QSet>

#include "CIniFileAccess.h"
#include "CProfile.h"
#include "CSectionItemList.h"
#include "ProfileTestSupport.h"

namespace {
// Flags whose key, when missing, reads FALSE; every other flag reads TRUE
// (ids 35-37 only in the dummy profile, FALSE for a model read from a file).
const QSet<int> kDefaultFalse = { 0, 1, 3, 20, 21, 22, 23, 29, 32, 33, 104, 105 };
const QSet<int> kUseNewCommand = { 35, 36, 37 };
}

class tst_CProfile : public QObject
{
    Q_OBJECT

    QScopedPointer<EnglishCatalogue> m_Catalogue;

    // A loading profile on a file holding the given text.
    static CProfile* LoadingProfile(const QTemporaryDir& dir, const QString& text)
    {
        const QString path = WriteProfileFile(dir, "Profile.ini", text);
        CIniFileAccess ini(path);
        return new CProfile(&ini); // keeps its own copy of the reader
    }

private slots:
    void initTestCase()
    {
        m_Catalogue.reset(new EnglishCatalogue);
        QVERIFY(m_Catalogue->isInstalled());
    }

    void modelCodeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("code");
        QTest::addColumn<int>("length");
        QTest::newRow("six digits") << "A1B2C3" << qint32(0xA1B2C3FF) << 6;
        QTest::newRow("eight digits") << "0102030A" << qint32(0x0102030A) << 8;
        QTest::newRow("lower case") << "a1b2c3" << qint32(0xA1B2C3FF) << 6;
        QTest::newRow("lower case eight") << "0102030a" << qint32(0x0102030A) << 8;
        QTest::newRow("non-hex pair counts 0") << "ZZ0102" << qint32(0x000102FF) << 6;
        QTest::newRow("all F eight") << "FFFFFFFF" << qint32(-1) << 8;
        QTest::newRow("all F six") << "FFFFFF" << qint32(-1) << 6;
        QTest::newRow("seven digits") << "1234567" << qint32(-1) << 0;
        QTest::newRow("nine digits") << "123456789" << qint32(-1) << 0;
        QTest::newRow("empty") << "" << qint32(-1) << 0;
    }

    void modelCodeText()
    {
        QFETCH(QString, text);
        QFETCH(qint32, code);
        QFETCH(int, length);
        CProfile profile;
        QCOMPARE(profile.f_IsEffectMdlCode(text), code);
        // A refused length leaves the stored length alone.
        QCOMPARE(profile.m_ModelCodeLength, length);
    }

    void flagAccessorsUseFlagIds()
    {
        CProfile dummy;
        QCOMPARE(dummy.GetProfileBoolParameter(28), false);
        QCOMPARE(dummy.GetProfileIntParameter(28), 1);
        QCOMPARE(dummy.GetProfileBoolParameter(107), false);
        QCOMPARE(dummy.GetProfileBoolParameter(-1), false);
        QCOMPARE(dummy.GetProfileIntParameter(0), 0);
        QCOMPARE(dummy.GetProfileBoolParameter(ProfileFlag::LaserBeam), false);
        dummy.m_Flags[ProfileFlag::LaserBeam] = true;
        QCOMPARE(dummy.GetProfileBoolParameter(105), true);
        QCOMPARE(CProfile::FunctionKey(105), QString("LaserBeam"));
        QCOMPARE(CProfile::FunctionKey(28), QString("SetFreezeSupported"));
        QCOMPARE(CProfile::FunctionKey(91), QString("ReqGainVideoVelomira"));
        QCOMPARE(CProfile::FunctionKey(107), QString());
    }

    void dummyProfileHoldsDefaults()
    {
        CProfile dummy(CLanguageCodeTable::LANG_FRENCH);
        QVERIFY(dummy.m_Dummy);
        QVERIFY(dummy.m_LanguageGiven);
        QCOMPARE(dummy.m_Language, CLanguageCodeTable::LANG_FRENCH);
        QVERIFY(!dummy.m_Ini);
        QCOMPARE(dummy.m_ModelCode, 0u);
        QCOMPARE(dummy.m_ModelCodeLength, 0);
        QCOMPARE(dummy.m_FreezeSupported, 1);
        QVERIFY(dummy.m_ModelImage.isEmpty());
        for (int id = 0; id < ProfileFlag::Count; ++id) {
            if (id == ProfileFlag::SetFreezeSupported)
                continue;
            QCOMPARE(dummy.GetProfileBoolParameter(id), !kDefaultFalse.contains(id));
        }
        QVERIFY(dummy.m_Flags[ProfileFlag::UseNewCommandProjectorName]);
        QVERIFY(!dummy.m_EcoMarksLoaded);
        QCOMPARE(dummy.m_ItemCount[CProfile::ListEcologicalMark], 0);
        QVERIFY(dummy.EcoMarks()->isEmpty());
        for (int list = 0; list < CProfile::ListEcologicalMark; ++list) {
            QVERIFY(!dummy.m_ItemList[list]->isEmpty());
            QCOMPARE(dummy.m_ItemCount[list], dummy.m_ItemList[list]->count());
        }
        CProfile plain;
        QVERIFY(!plain.m_LanguageGiven);
        QCOMPARE(int(plain.m_Language), 0);
    }

    void builtInLists_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("input terminals")
            << int(CProfile::ListInputTerminal)
            << QStringList{ "1:COMPUTER1", "2:COMPUTER2", "6:VIDEO", "B:S-VIDEO", "12:COMPONENT",
                            "1A:DIGITAL", "1F:VIEWER", "20:NETWORK" };
        QTest::newRow("presets")
            << int(CProfile::ListPicturePreset)
            << QStringList{ "0:HIGH-BRIGHT", "1:PRESENTATION", "2:VIDEO", "3:MOVIE", "4:GRAPHIC", "5:sRGB",
                            "6:DICOM SIM." };
        QTest::newRow("gammas") << int(CProfile::ListPictureGamma)
                                << QStringList{ "0:DYNAMIC", "1:NATURAL", "2:BLACK DETAIL" };
        QTest::newRow("colour temperatures")
            << int(CProfile::ListPictureColorTemprature)
            << QStringList{ "0:5000", "1:6500", "2:7800", "3:8500", "4:9300", "5:10500" };
        QTest::newRow("overscans") << int(CProfile::ListImageOverscan) << QStringList{ "0:0%", "1:5%", "2:10%" };
        // Code 02 is added twice; the later "WIDE SCREEN" wins and the count
        // is the real size, 8.
        QTest::newRow("aspects")
            << int(CProfile::ListImageAspect)
            << QStringList{ "0:4:3", "1:LETTER BOX", "2:WIDE SCREEN", "4:4:3 FILL", "7:ZOOM", "B:5:4",
                            "C:16:10", "D:15:9" };
        QTest::newRow("random NR") << int(CProfile::ListVideoRandomNR)
                                   << QStringList{ "0:OFF", "1:LOW", "2:MEDIUM", "3:HIGH" };
        QTest::newRow("mosquito NR") << int(CProfile::ListVideoMosquitoNR)
                                     << QStringList{ "0:OFF", "1:LOW", "2:MEDIUM", "3:HIGH" };
        QTest::newRow("block NR") << int(CProfile::ListVideoBlockNR) << QStringList{ "0:OFF", "1:ON" };
        QTest::newRow("deinterlace") << int(CProfile::ListVideoDeinterlace)
                                     << QStringList{ "0:AUTO", "1:VIDEO", "2:FILM" };
        QTest::newRow("3D Y/C") << int(CProfile::ListVideo3DYCSeparation) << QStringList{ "0:OFF", "1:ON" };
        QTest::newRow("3D surround") << int(CProfile::ListVolume3DSurround) << QStringList{ "0:OFF", "1:ON" };
    }

    void builtInLists()
    {
        QFETCH(int, list);
        QFETCH(QStringList, items);
        CProfile dummy;
        QCOMPARE(ItemTexts(dummy.m_ItemList[list]), items);
        QCOMPARE(dummy.m_ItemCount[list], items.size());
        for (const CSectionItem* item : dummy.m_ItemList[list]->values()) {
            QVERIFY(item->builtIn);
            QVERIFY(item->show);
            QVERIFY(!item->hasSub);
            QCOMPARE(item->sub, 0);
        }
        // Filling again gives the same list.
        dummy.f_SetDefaultImageAspects();
        dummy.f_SetDefaultInputTerminals();
        QCOMPARE(ItemTexts(dummy.m_ItemList[list]), items);
    }

    void builtInNameWithoutCatalogueIsTheKey()
    {
        m_Catalogue.reset();
        CProfile dummy;
        m_Catalogue.reset(new EnglishCatalogue);
        QCOMPARE(dummy.m_ItemList[CProfile::ListImageAspect]->value(2)->name,
                 QString("DefaultImageAspect02HWIDESCREEN"));
        QCOMPARE(dummy.InputTerminals()->value(0x1A)->name, QString("DefaultInputTerminal1AH"));
    }

    void setInitResetsFlagsAndLists()
    {
        CProfile dummy;
        dummy.m_ModelImage = "keep.png";
        dummy.f_SetInit();
        for (int id = 0; id < ProfileFlag::Count; ++id)
            QCOMPARE(dummy.m_Flags[id], id == ProfileFlag::EcoModeValueRangeCheck);
        QCOMPARE(dummy.m_FreezeSupported, 0);
        for (int list = 0; list < CProfile::ItemListCount; ++list) {
            QCOMPARE(dummy.m_ItemCount[list], 0);
            QVERIFY(dummy.m_ItemList[list]->isEmpty());
        }
        QCOMPARE(dummy.m_ModelImage, QString("keep.png"));
    }

    void loadingProfileStartsInitialised()
    {
        QTemporaryDir dir;
        QScopedPointer<CProfile> profile(LoadingProfile(dir, "[X]\nk=v\n"));
        QVERIFY(!profile->m_Dummy);
        QVERIFY(profile->m_Ini);
        QVERIFY(!profile->m_LanguageGiven);
        QCOMPARE(profile->m_ModelCode, 0u);
        QCOMPARE(profile->m_ModelCodeLength, 0);
        QVERIFY(!profile->m_EcoMarksLoaded);
        QCOMPARE(profile->m_FreezeSupported, 0);
        for (int id = 0; id < ProfileFlag::Count; ++id)
            QCOMPARE(profile->m_Flags[id], id == ProfileFlag::EcoModeValueRangeCheck);
        for (int list = 0; list < CProfile::ItemListCount; ++list)
            QVERIFY(profile->m_ItemList[list]->isEmpty());
    }

    void functionsSectionWithoutKeysGivesDefaults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty section") << QString("[M Functions]\n[Other]\nx=1\n");
        QTest::newRow("missing section") << QString("[Other]\nx=1\n");
        QTest::newRow("keys present but empty")
            << QString("[M Functions]\nUseNewCommandProjectorName=\nReqRemainingLampTime=\nModelImage=\n");
    }

    void functionsSectionWithoutKeysGivesDefaults()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        QScopedPointer<CProfile> profile(LoadingProfile(dir, text));
        QVERIFY(profile->f_LoadProfileFunction("M Functions"));
        for (int id = 0; id < ProfileFlag::Count; ++id) {
            if (id == ProfileFlag::SetFreezeSupported)
                continue;
            const bool expected = !kDefaultFalse.contains(id) && !kUseNewCommand.contains(id);
            QCOMPARE(profile->GetProfileBoolParameter(id), expected);
        }
        QCOMPARE(profile->m_FreezeSupported, 1);
        QVERIFY(profile->m_ModelImage.isEmpty());
    }

    void functionValues_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("value");
        QTest::newRow("lower-case true") << "ReqProjectorName=true" << int(ProfileFlag::ReqProjectorName) << true;
        QTest::newRow("mixed-case true") << "ReqLongModelName=True" << int(ProfileFlag::ReqLongModelName) << true;
        QTest::newRow("1 is not true") << "ReqRemainingLampTime=1" << int(ProfileFlag::ReqRemainingLampTime) << false;
        QTest::newRow("YES is not true") << "ReqPowerSts=YES" << int(ProfileFlag::ReqPowerSts) << false;
        QTest::newRow("lens cover") << "ChkLensCoverSts=TRUE" << int(ProfileFlag::ChkLensCoverSts) << true;
        QTest::newRow("multiple eco") << "UseMultipleEcoMode=TRUE" << int(ProfileFlag::UseMultipleEcoMode) << true;
        QTest::newRow("new command set") << "UseNewCommandReqGainParameter=TRUE"
                                         << int(ProfileFlag::UseNewCommandReqGainParameter) << true;
        QTest::newRow("laser") << "LaserBeam=TRUE" << int(ProfileFlag::LaserBeam) << true;
        QTest::newRow("last id") << "EcoModeValueRangeCheck=FALSE" << int(ProfileFlag::EcoModeValueRangeCheck)
                                 << false;
        QTest::newRow("velomira") << "SetGainVideoVelomira=no" << int(ProfileFlag::SetGainVideoVelomira) << false;
    }

    void functionValues()
    {
        QFETCH(QString, line);
        QFETCH(int, id);
        QFETCH(bool, value);
        QTemporaryDir dir;
        QScopedPointer<CProfile> profile(LoadingProfile(dir, "[M Functions]\n" + line + "\n"));
        QVERIFY(profile->f_LoadProfileFunction("M Functions"));
        QCOMPARE(profile->GetProfileBoolParameter(id), value);
    }

    void freezeAndModelImage()
    {
        QTemporaryDir dir;
        QScopedPointer<CProfile> profile(
            LoadingProfile(dir, "[M Functions]\nSetFreezeSupported=FALSE\nModelImage=abc.png\n"
                                "[N Functions]\nSetFreezeSupported=true\n[P]\nFile=pic.png\n"));
        QVERIFY(profile->f_LoadProfileFunction("M Functions"));
        QCOMPARE(profile->m_FreezeSupported, 0);
        QCOMPARE(profile->GetProfileIntParameter(28), 0);
        QCOMPARE(profile->GetProfileBoolParameter(28), false);
        QCOMPARE(profile->m_ModelImage, QString("abc.png"));
        QVERIFY(profile->f_LoadProfileFunction("N Functions"));
        QCOMPARE(profile->GetProfileIntParameter(28), 1);
        QCOMPARE(profile->GetProfileBoolParameter(28), false);
        QVERIFY(profile->f_LoadProfileModelImage("P"));
        QCOMPARE(profile->m_ModelImage, QString("pic.png"));
    }

    void profileOwnsItsReaderCopy()
    {
        // The profile reads through its own copy after the caller's reader is gone.
        QTemporaryDir dir;
        const QString path = WriteProfileFile(dir, "Profile.ini", "[M Functions]\nLaserBeam=TRUE\n");
        QScopedPointer<CProfile> profile;
        {
            CIniFileAccess ini(path);
            profile.reset(new CProfile(&ini, CLanguageCodeTable::LANG_JAPANESE));
        }
        QVERIFY(QFile::remove(path));
        QVERIFY(profile->m_LanguageGiven);
        QVERIFY(profile->f_LoadProfileFunction("M Functions"));
        QVERIFY(profile->m_Flags[ProfileFlag::LaserBeam]);
    }
};

QTEST_GUILESS_MAIN(tst_CProfile)
#include "tst_CProfile.moc"
