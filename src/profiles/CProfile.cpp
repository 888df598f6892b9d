#include "CProfile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLoggingCategory>

#include "CIniFileAccess.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

const QString CProfile::HEAD_SECTION = QStringLiteral("Header Info");
const QString CProfile::MODELS_SECTION = QStringLiteral("Models");
const QString CProfile::FUNC_SECTION = QStringLiteral("Functions");
const QString CProfile::TERM_SECTION = QStringLiteral("InputTerminal");
const QString CProfile::ECO_SECTION = QStringLiteral("EcologicalMark");
const QString CProfile::MULTI_TERM_SECTION = QStringLiteral("MultipleSelected InputTerminal");
const QString CProfile::PRESET_SECTION = QStringLiteral("GainPicturePreset");
const QString CProfile::GAMMA_SECTION = QStringLiteral("GainPictureGamma");
const QString CProfile::COLORTEMPRATURE_SECTION = QStringLiteral("GainPictureColorTemprature");
const QString CProfile::OVERSCAN_SECTION = QStringLiteral("GainImageOverscan");
const QString CProfile::ASPECT_SECTION = QStringLiteral("GainImageAspect");
const QString CProfile::RANDOMNR_SECTION = QStringLiteral("GainVideoRandomNR");
const QString CProfile::MOSQUITONR_SECTION = QStringLiteral("GainVideoMosquitoNR");
const QString CProfile::BLOCKNR_SECTION = QStringLiteral("GainVideoBlockNR");
const QString CProfile::DEINTERLACE_SECTION = QStringLiteral("GainVideoDeinterlace");
const QString CProfile::_3DYCSEPARATION_SECTION = QStringLiteral("GainVideo3DYCSeparation");
const QString CProfile::_3DSURROUND_SECTION = QStringLiteral("GainVolume3DSurround");

Q_LOGGING_CATEGORY(lcProfileLoad, "lumivox.profiles.load", QtWarningMsg)

namespace {

struct FunctionKeyEntry
{
    const char* key;
    const char* missing;   // value when the key is missing or empty
    const char* undefined; // overrides `missing` for a model read from the file
};

// Indexed by flag id.
const FunctionKeyEntry kFunctionKeys[ProfileFlag::Count] = {
    { "ReqProjectorName", CProfile::PROFILE_DEFAULT_REQPROJECTORNAME, nullptr },
    { "SetProjectorName", CProfile::PROFILE_DEFAULT_SETPROJECTORNAME, nullptr },
    { "ReqRemainingLampTime", CProfile::PROFILE_DEFAULT_REQREMAININGLAMPTIME, nullptr },
    { "ReqRemainingLamp2Time", CProfile::PROFILE_DEFAULT_REQREMAININGLAMP2TIME, nullptr },
    { "ReqRemainingFilterUsage", CProfile::PROFILE_DEFAULT_REQREMAININGFILTERUSAGE, nullptr },
    { "ReqInputTerminal", CProfile::PROFILE_DEFAULT_REQINPUTTERMINAL, nullptr },
    { "SetInputTerminal", CProfile::PROFILE_DEFAULT_SETINPUTTERMINAL, nullptr },
    { "ReqRemark", CProfile::PROFILE_DEFAULT_REQREMARK, nullptr },
    { "ReqPowerSts", CProfile::PROFILE_DEFAULT_REQPOWERSTS, nullptr },
    { "SetPowerOn", CProfile::PROFILE_DEFAULT_SETPOWERON, nullptr },
    { "SetPowerOff", CProfile::PROFILE_DEFAULT_SETPOWEROFF, nullptr },
    { "ReqPicMuteSts", CProfile::PROFILE_DEFAULT_REQPICMUTESTS, nullptr },
    { "SetPicMuteOn", CProfile::PROFILE_DEFAULT_SETPICMUTEON, nullptr },
    { "SetPicMuteOff", CProfile::PROFILE_DEFAULT_SETPICMUTEOFF, nullptr },
    { "ReqSndMuteSts", CProfile::PROFILE_DEFAULT_REQSNDMUTESTS, nullptr },
    { "SetSndMuteOn", CProfile::PROFILE_DEFAULT_SETSNDMUTEON, nullptr },
    { "SetSndMuteOff", CProfile::PROFILE_DEFAULT_SETSNDMUTEOFF, nullptr },
    { "ReqOsdMuteSts", CProfile::PROFILE_DEFAULT_REQOSDMUTESTS, nullptr },
    { "SetOsdMuteOn", CProfile::PROFILE_DEFAULT_SETOSDMUTEON, nullptr },
    { "SetOsdMuteOff", CProfile::PROFILE_DEFAULT_SETOSDMUTEOFF, nullptr },
    { "ReqSourceName", CProfile::PROFILE_DEFAULT_REQSOURCENAME, nullptr },
    { "ReqHorizontalFrequency", CProfile::PROFILE_DEFAULT_REQHORIZONTALFREQUENCY, nullptr },
    { "ReqVerticalFrequency", CProfile::PROFILE_DEFAULT_REQVERTICALFREQUENCY, nullptr },
    { "ReqSyncPolarity", CProfile::PROFILE_DEFAULT_REQSYNCPOLARITY, nullptr },
    { "ReqGainPicture", CProfile::PROFILE_DEFAULT_REQGAINPICTURE, nullptr },
    { "SetGainPicture", CProfile::PROFILE_DEFAULT_SETGAINPICTURE, nullptr },
    { "ReqGainVolume", CProfile::PROFILE_DEFAULT_REQGAINVOLUME, nullptr },
    { "SetGainVolume", CProfile::PROFILE_DEFAULT_SETGAINVOLUME, nullptr },
    { "SetFreezeSupported", CProfile::PROFILE_DEFAULT_SETFREEZESUPPORTED, nullptr },
    { "ReqLongModelName", CProfile::PROFILE_DEFAULT_REQLONGMODELNAME, nullptr },
    { "ReqMACAddress", CProfile::PROFILE_DEFAULT_REQMACADDRESS, nullptr },
    { "ReqLampMode", CProfile::PROFILE_DEFAULT_REQLAMPMODE, nullptr },
    { "ChkLensCoverSts", CProfile::PROFILE_DEFAULT_CHKLENSCOVERSTS, nullptr },
    { "UseMultipleEcoMode", CProfile::PROFILE_DEFAULT_USEMULTIPLEECOMODE, nullptr },
    { "IsErrorNackOfMAC2", CProfile::PROFILE_DEFAULT_ISERRORNACKOFMAC2, nullptr },
    { "UseNewCommandProjectorName", CProfile::PROFILE_DEFAULT_USENEWCOMMANDPROJECTORNAME, CProfile::PROFILE_UNDEFINED_USENEWCOMMANDPROJECTORNAME },
    { "UseNewCommandReqRemainingLampTime", CProfile::PROFILE_DEFAULT_USENEWCOMMANDREQREMAININGLAMPTIME, CProfile::PROFILE_UNDEFINED_USENEWCOMMANDREQREMAININGLAMPTIME },
    { "UseNewCommandReqGainParameter", CProfile::PROFILE_DEFAULT_USENEWCOMMANDREQGAINPARAMETER, CProfile::PROFILE_UNDEFINED_USENEWCOMMANDREQGAINPARAMETER },
    { "ReqFreezeSts", CProfile::PROFILE_DEFAULT_REQFREEZESTS, nullptr },
    { "ReqGainPictureMode", CProfile::PROFILE_DEFAULT_REQGAINPICTUREMODE, nullptr },
    { "SetGainPictureMode", CProfile::PROFILE_DEFAULT_SETGAINPICTUREMODE, nullptr },
    { "ReqGainPicturePreset", CProfile::PROFILE_DEFAULT_REQGAINPICTUREPRESET, nullptr },
    { "SetGainPicturePreset", CProfile::PROFILE_DEFAULT_SETGAINPICTUREPRESET, nullptr },
    { "ReqGainPictureGamma", CProfile::PROFILE_DEFAULT_REQGAINPICTUREGAMMA, nullptr },
    { "SetGainPictureGamma", CProfile::PROFILE_DEFAULT_SETGAINPICTUREGAMMA, nullptr },
    { "ReqGainPictureColorTemprature", CProfile::PROFILE_DEFAULT_REQGAINPICTURECOLORTEMPRATURE, nullptr },
    { "SetGainPictureColorTemprature", CProfile::PROFILE_DEFAULT_SETGAINPICTURECOLORTEMPRATURE, nullptr },
    { "ReqGainPictureContrastRed", CProfile::PROFILE_DEFAULT_REQGAINPICTURECONTRASTRED, nullptr },
    { "SetGainPictureContrastRed", CProfile::PROFILE_DEFAULT_SETGAINPICTURECONTRASTRED, nullptr },
    { "ReqGainPictureContrastGreen", CProfile::PROFILE_DEFAULT_REQGAINPICTURECONTRASTGREEN, nullptr },
    { "SetGainPictureContrastGreen", CProfile::PROFILE_DEFAULT_SETGAINPICTURECONTRASTGREEN, nullptr },
    { "ReqGainPictureContrastBlue", CProfile::PROFILE_DEFAULT_REQGAINPICTURECONTRASTBLUE, nullptr },
    { "SetGainPictureContrastBlue", CProfile::PROFILE_DEFAULT_SETGAINPICTURECONTRASTBLUE, nullptr },
    { "ReqGainPictureBrightnessRed", CProfile::PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSRED, nullptr },
    { "SetGainPictureBrightnessRed", CProfile::PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSRED, nullptr },
    { "ReqGainPictureBrightnessGreen", CProfile::PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSGREEN, nullptr },
    { "SetGainPictureBrightnessGreen", CProfile::PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSGREEN, nullptr },
    { "ReqGainPictureBrightnessBlue", CProfile::PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSBLUE, nullptr },
    { "SetGainPictureBrightnessBlue", CProfile::PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSBLUE, nullptr },
    { "ReqGainPictureContrast", CProfile::PROFILE_DEFAULT_REQGAINPICTURECONTRAST, nullptr },
    { "SetGainPictureContrast", CProfile::PROFILE_DEFAULT_SETGAINPICTURECONTRAST, nullptr },
    { "ReqGainPictureBrightness", CProfile::PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESS, nullptr },
    { "SetGainPictureBrightness", CProfile::PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESS, nullptr },
    { "ReqGainPictureSharpness", CProfile::PROFILE_DEFAULT_REQGAINPICTURESHARPNESS, nullptr },
    { "SetGainPictureSharpness", CProfile::PROFILE_DEFAULT_SETGAINPICTURESHARPNESS, nullptr },
    { "ReqGainPictureColor", CProfile::PROFILE_DEFAULT_REQGAINPICTURECOLOR, nullptr },
    { "SetGainPictureColor", CProfile::PROFILE_DEFAULT_SETGAINPICTURECOLOR, nullptr },
    { "ReqGainPictureHue", CProfile::PROFILE_DEFAULT_REQGAINPICTUREHUE, nullptr },
    { "SetGainPictureHue", CProfile::PROFILE_DEFAULT_SETGAINPICTUREHUE, nullptr },
    { "ReqGainImageClock", CProfile::PROFILE_DEFAULT_REQGAINIMAGECLOCK, nullptr },
    { "SetGainImageClock", CProfile::PROFILE_DEFAULT_SETGAINIMAGECLOCK, nullptr },
    { "ReqGainImagePhase", CProfile::PROFILE_DEFAULT_REQGAINIMAGEPHASE, nullptr },
    { "SetGainImagePhase", CProfile::PROFILE_DEFAULT_SETGAINIMAGEPHASE, nullptr },
    { "ReqGainImageHorizontal", CProfile::PROFILE_DEFAULT_REQGAINIMAGEHORIZONTAL, nullptr },
    { "SetGainImageHorizontal", CProfile::PROFILE_DEFAULT_SETGAINIMAGEHORIZONTAL, nullptr },
    { "ReqGainImageVertical", CProfile::PROFILE_DEFAULT_REQGAINIMAGEVERTICAL, nullptr },
    { "SetGainImageVertical", CProfile::PROFILE_DEFAULT_SETGAINIMAGEVERTICAL, nullptr },
    { "ReqGainImageOverscan", CProfile::PROFILE_DEFAULT_REQGAINIMAGEOVERSCAN, nullptr },
    { "SetGainImageOverscan", CProfile::PROFILE_DEFAULT_SETGAINIMAGEOVERSCAN, nullptr },
    { "ReqGainImageAspect", CProfile::PROFILE_DEFAULT_REQGAINIMAGEASPECT, nullptr },
    { "SetGainImageAspect", CProfile::PROFILE_DEFAULT_SETGAINIMAGEASPECT, nullptr },
    { "ReqGainImageResolution", CProfile::PROFILE_DEFAULT_REQGAINIMAGERESOLUTION, nullptr },
    { "SetGainImageResolution", CProfile::PROFILE_DEFAULT_SETGAINIMAGERESOLUTION, nullptr },
    { "ReqGainVideoRandomNR", CProfile::PROFILE_DEFAULT_REQGAINVIDEORANDOMNR, nullptr },
    { "SetGainVideoRandomNR", CProfile::PROFILE_DEFAULT_SETGAINVIDEORANDOMNR, nullptr },
    { "ReqGainVideoMosquitoNR", CProfile::PROFILE_DEFAULT_REQGAINVIDEOMOSQUITONR, nullptr },
    { "SetGainVideoMosquitoNR", CProfile::PROFILE_DEFAULT_SETGAINVIDEOMOSQUITONR, nullptr },
    { "ReqGainVideoBlockNR", CProfile::PROFILE_DEFAULT_REQGAINVIDEOBLOCKNR, nullptr },
    { "SetGainVideoBlockNR", CProfile::PROFILE_DEFAULT_SETGAINVIDEOBLOCKNR, nullptr },
    { "ReqGainVideoDeinterlace", CProfile::PROFILE_DEFAULT_REQGAINVIDEODEINTERLACE, nullptr },
    { "SetGainVideoDeinterlace", CProfile::PROFILE_DEFAULT_SETGAINVIDEODEINTERLACE, nullptr },
    { "ReqGainVideoVelomira", CProfile::PROFILE_DEFAULT_REQGAINVIDEOVELOMIRA, nullptr },
    { "SetGainVideoVelomira", CProfile::PROFILE_DEFAULT_SETGAINVIDEOVELOMIRA, nullptr },
    { "ReqGainVideo3DYCSeparation", CProfile::PROFILE_DEFAULT_REQGAINVIDEO3DYCSEPARATION, nullptr },
    { "SetGainVideo3DYCSeparation", CProfile::PROFILE_DEFAULT_SETGAINVIDEO3DYCSEPARATION, nullptr },
    { "ReqGainVolumeBass", CProfile::PROFILE_DEFAULT_REQGAINVOLUMEBASS, nullptr },
    { "SetGainVolumeBass", CProfile::PROFILE_DEFAULT_SETGAINVOLUMEBASS, nullptr },
    { "ReqGainVolumeTreble", CProfile::PROFILE_DEFAULT_REQGAINVOLUMETREBLE, nullptr },
    { "SetGainVolumeTreble", CProfile::PROFILE_DEFAULT_SETGAINVOLUMETREBLE, nullptr },
    { "ReqGainVolumeBalance", CProfile::PROFILE_DEFAULT_REQGAINVOLUMEBALANCE, nullptr },
    { "SetGainVolumeBalance", CProfile::PROFILE_DEFAULT_SETGAINVOLUMEBALANCE, nullptr },
    { "ReqGainVolume3DSurround", CProfile::PROFILE_DEFAULT_REQGAINVOLUME3DSURROUND, nullptr },
    { "SetGainVolume3DSurround", CProfile::PROFILE_DEFAULT_SETGAINVOLUME3DSURROUND, nullptr },
    { "ReqSerialNumber", CProfile::PROFILE_DEFAULT_REQSERIALNUMBER, nullptr },
    { "ReqMACAddress3", CProfile::PROFILE_DEFAULT_REQMACADDRESS3, nullptr },
    { "LaserBeam", CProfile::PROFILE_DEFAULT_LASERBEAM, nullptr },
    { "EcoModeValueRangeCheck", CProfile::PROFILE_DEFAULT_ECOMODEVALUERANGECHECK, nullptr },
};

const QString kTrue = QStringLiteral("TRUE");

} // namespace

// Section suffix per item list, in loading order.
static const QString& ItemSection(int list)
{
    switch (list) {
    case CProfile::ListInputTerminal: return CProfile::TERM_SECTION;
    case CProfile::ListPicturePreset: return CProfile::PRESET_SECTION;
    case CProfile::ListPictureGamma: return CProfile::GAMMA_SECTION;
    case CProfile::ListPictureColorTemprature: return CProfile::COLORTEMPRATURE_SECTION;
    case CProfile::ListImageOverscan: return CProfile::OVERSCAN_SECTION;
    case CProfile::ListImageAspect: return CProfile::ASPECT_SECTION;
    case CProfile::ListVideoRandomNR: return CProfile::RANDOMNR_SECTION;
    case CProfile::ListVideoMosquitoNR: return CProfile::MOSQUITONR_SECTION;
    case CProfile::ListVideoBlockNR: return CProfile::BLOCKNR_SECTION;
    case CProfile::ListVideoDeinterlace: return CProfile::DEINTERLACE_SECTION;
    case CProfile::ListVideo3DYCSeparation: return CProfile::_3DYCSEPARATION_SECTION;
    case CProfile::ListVolume3DSurround: return CProfile::_3DSURROUND_SECTION;
    default: return CProfile::ECO_SECTION;
    }
}

namespace {

std::shared_ptr<const CIniFileAccess> privateCopy(CIniFileAccess* ini)
{
    return RunTraced(std::shared_ptr<const CIniFileAccess>(),
                     [&] { return ini ? std::make_shared<const CIniFileAccess>(ini) : nullptr; });
}

} // namespace

CProfile::CProfile(CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE lang)
{
    f_Construct(privateCopy(ini), true, lang);
}

CProfile::CProfile(CIniFileAccess* ini)
{
    f_Construct(privateCopy(ini), false, CLanguageCodeTable::LANGUAGE_CODE(0));
}

CProfile::CProfile(std::shared_ptr<const CIniFileAccess> ini, CLanguageCodeTable::LANGUAGE_CODE lang)
{
    f_Construct(std::move(ini), true, lang);
}

CProfile::CProfile(std::shared_ptr<const CIniFileAccess> ini)
{
    f_Construct(std::move(ini), false, CLanguageCodeTable::LANGUAGE_CODE(0));
}

CProfile::CProfile(CLanguageCodeTable::LANGUAGE_CODE lang)
{
    f_Construct(nullptr, true, lang);
    m_Dummy = true;
    f_SetDummy();
}

CProfile::CProfile()
{
    f_Construct(nullptr, false, CLanguageCodeTable::LANGUAGE_CODE(0));
    m_Dummy = true;
    f_SetDummy();
}

void CProfile::f_Construct(std::shared_ptr<const CIniFileAccess> ini, bool languageGiven,
                           CLanguageCodeTable::LANGUAGE_CODE lang)
{
    m_Ini = std::move(ini);
    m_Dummy = false;
    for (bool& flag : m_Flags)
        flag = false;
    m_Flags[ProfileFlag::EcoModeValueRangeCheck] = true;
    m_FreezeSupported = 0;
    m_EcoMarksLoaded = false;
    for (int i = 0; i < ItemListCount; ++i) {
        m_ItemCount[i] = 0;
        m_ItemList[i] = nullptr;
    }
    m_ModelCodeLength = 0;
    m_ModelCode = 0;
    m_LanguageGiven = languageGiven;
    m_Language = lang;
    RunTraced([&] {
        for (int i = 0; i < ItemListCount; ++i)
            m_ItemList[i] = new CSectionItemList();
    });
}

CProfile::~CProfile()
{
    for (CSectionItemList* list : m_ItemList)
        delete list;
}

QString CProfile::FunctionKey(int id)
{
    if (id < 0 || id >= ProfileFlag::Count)
        return QString();
    return QString::fromLatin1(kFunctionKeys[id].key);
}

bool CProfile::f_LoadProfile(QString modelKey)
{
    return f_LoadProfile(modelKey, nullptr);
}

bool CProfile::f_LoadProfile(QString modelKey, QHash<QString, const CProfile*>* loaded)
{
    return RunTraced(false, [&]() -> bool {
        const qint32 code = f_IsEffectMdlCode(modelKey);
        if (code == -1)
            return false;
        m_ModelCode = quint32(code);

        // The prefix is looked up under the key rebuilt from the code, so only a
        // key written exactly in its own canonical form loads.
        QString rebuilt = QStringLiteral("%1").arg(m_ModelCode, 8, 16, QLatin1Char('0')).toUpper();
        if (m_ModelCodeLength == 6)
            rebuilt.truncate(6);
        QString prefix;
        if (m_Ini)
            m_Ini->GetIniString(MODELS_SECTION, rebuilt, QString(""), &prefix);
        if (prefix.isEmpty())
            return false;

        if (const CProfile* same = loaded ? loaded->value(prefix, nullptr) : nullptr) {
            // Several models share one profile: its sections are read once.
            for (int i = 0; i < ProfileFlag::Count; ++i)
                m_Flags[i] = same->m_Flags[i];
            m_FreezeSupported = same->m_FreezeSupported;
            m_EcoMarksLoaded = same->m_EcoMarksLoaded;
            m_ModelImage = same->m_ModelImage;
            for (int i = 0; i < ItemListCount; ++i) {
                m_ItemCount[i] = same->m_ItemCount[i];
                if (m_ItemList[i] && same->m_ItemList[i])
                    m_ItemList[i]->CopyFrom(*same->m_ItemList[i]);
            }
            return true;
        }
        qCDebug(lcProfileLoad, "profile sections [%s] read", qUtf8Printable(prefix));

        qCDebug(lcProfiles, " *** f_LoadProfile Start [%s] ***", prefix.toUtf8().constData());
        f_SetInit();
        const bool ok = f_LoadProfileFunction(prefix + QLatin1Char(' ') + FUNC_SECTION);
        for (int i = ListInputTerminal; i < ListEcologicalMark; ++i) {
            const QString section = prefix + QLatin1Char(' ') + ItemSection(i);
            if (!f_LoadProfileSectionItems(section, m_ItemCount[i], m_ItemList[i])) {
                switch (i) {
                case ListInputTerminal: f_SetDefaultInputTerminals(); break;
                case ListPicturePreset: f_SetDefaultPicturePresets(); break;
                case ListPictureGamma: f_SetDefaultPictureGammas(); break;
                case ListPictureColorTemprature: f_SetDefaultPictureColorTempratures(); break;
                case ListImageOverscan: f_SetDefaultImageOverscans(); break;
                case ListImageAspect: f_SetDefaultImageAspects(); break;
                case ListVideoRandomNR: f_SetDefaultVideoRandomNRs(); break;
                case ListVideoMosquitoNR: f_SetDefaultVideoMosquitoNRs(); break;
                case ListVideoBlockNR: f_SetDefaultVideoBlockNRs(); break;
                case ListVideoDeinterlace: f_SetDefaultVideoDeinterlaces(); break;
                case ListVideo3DYCSeparation: f_SetDefaultVideo3DYCSeparations(); break;
                case ListVolume3DSurround: f_SetDefaultVolume3DSurrounds(); break;
                }
            }
            if (m_ItemList[i])
                m_ItemList[i]->qDebugSnapShot();
        }
        m_EcoMarksLoaded = f_LoadProfileSectionItems(prefix + QLatin1Char(' ') + ECO_SECTION,
                                                     m_ItemCount[ListEcologicalMark],
                                                     m_ItemList[ListEcologicalMark]);
        if (m_ItemList[ListEcologicalMark])
            m_ItemList[ListEcologicalMark]->qDebugSnapShot();
        if (!ok)
            f_SetInit();
        else if (loaded)
            loaded->insert(prefix, this);
        qCDebug(lcProfiles, " *** f_LoadProfile End %s ***", prefix.toUtf8().constData());
        return ok;
    });
}

bool CProfile::f_LoadProfileFunction(QString section)
{
    return RunTraced(false, [&]() -> bool {
        for (int id = 0; id < ProfileFlag::Count; ++id) {
            if (id == ProfileFlag::ReqSerialNumber) {
                QString image;
                if (m_Ini)
                    m_Ini->GetIniString(section, QStringLiteral("ModelImage"), QString(""), &image);
                m_ModelImage = image;
            }
            const FunctionKeyEntry& entry = kFunctionKeys[id];
            QString value;
            if (m_Ini)
                m_Ini->GetIniString(section, QString::fromLatin1(entry.key), QString(""), &value);
            if (value.isEmpty())
                value = QString::fromLatin1(entry.undefined ? entry.undefined : entry.missing);
            const bool on = value.toUpper() == kTrue;
            if (id == ProfileFlag::SetFreezeSupported)
                m_FreezeSupported = on ? 1 : 0;
            else
                m_Flags[id] = on;
        }
        return true;
    });
}

bool CProfile::f_LoadProfileModelImage(QString section)
{
    return RunTraced(false, [&]() -> bool {
        QString image;
        if (m_Ini)
            m_Ini->GetIniString(section, QStringLiteral("File"), QString(""), &image);
        m_ModelImage = image;
        return true;
    });
}

void CProfile::f_SetInit()
{
    RunTraced([&] {
        for (bool& flag : m_Flags)
            flag = false;
        m_Flags[ProfileFlag::EcoModeValueRangeCheck] = true;
        m_FreezeSupported = 0;
        for (int i = 0; i < ItemListCount; ++i) {
            m_ItemCount[i] = 0;
            if (m_ItemList[i])
                m_ItemList[i]->Clear();
        }
    });
}

void CProfile::f_SetDummy()
{
    RunTraced([&] {
        for (int id = 0; id < ProfileFlag::Count; ++id) {
            const bool on = QLatin1String(kFunctionKeys[id].missing) == kTrue;
            if (id == ProfileFlag::SetFreezeSupported) {
                m_Flags[id] = false;
                m_FreezeSupported = on ? 1 : 0;
            } else {
                m_Flags[id] = on;
            }
        }
        f_SetDefaultInputTerminals();
        f_SetDefaultPicturePresets();
        f_SetDefaultPictureGammas();
        f_SetDefaultPictureColorTempratures();
        f_SetDefaultImageOverscans();
        f_SetDefaultImageAspects();
        f_SetDefaultVideoRandomNRs();
        f_SetDefaultVideoMosquitoNRs();
        f_SetDefaultVideoBlockNRs();
        f_SetDefaultVideoDeinterlaces();
        f_SetDefaultVideo3DYCSeparations();
        f_SetDefaultVolume3DSurrounds();
        m_ItemCount[ListEcologicalMark] = 0;
        if (m_ItemList[ListEcologicalMark])
            m_ItemList[ListEcologicalMark]->Clear();
        m_EcoMarksLoaded = false;
    });
}

qint32 CProfile::f_IsEffectMdlCode(QString code)
{
    return RunTraced(qint32(-1), [&]() -> qint32 {
        const int length = code.length();
        if (length != 8 && length != 6)
            return -1;
        m_ModelCodeLength = length;
        const QString pieces[4] = { code.mid(0, 2), code.mid(2, 2), code.mid(4, 2),
                                    length == 8 ? code.mid(6, 2) : QStringLiteral("FF") };
        quint32 value = 0;
        for (const QString& piece : pieces) {
            bool ok = false;
            const int byte = piece.toInt(&ok, 16);
            value = (value << 8) | quint32(ok ? byte & 0xFF : 0);
        }
        return qint32(value);
    });
}

bool CProfile::GetProfileBoolParameter(int id) const
{
    if (id < 0 || id >= ProfileFlag::Count || id == ProfileFlag::SetFreezeSupported)
        return false;
    return m_Flags[id];
}

qint32 CProfile::GetProfileIntParameter(int id) const
{
    return id == ProfileFlag::SetFreezeSupported ? m_FreezeSupported : 0;
}
