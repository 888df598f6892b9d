#ifndef CPROFILE_H
#define CPROFILE_H

#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

#include "CLanguageCodeTable.h"
#include "ProfileFlag.h"

class CIniFileAccess;
class CSectionItemList;

// What one projector model supports and offers: its supported-function flags,
// its freeze support, a picture file name and thirteen item lists. The profile
// list builds one per model of "Profile.ini" plus one dummy profile for models
// that are not (yet) identified. After loading a profile is read-only; readers
// use its fields directly. Never copied.
class CProfile
{
public:
    // The thirteen item lists, in loading order. The last one (EcologicalMark)
    // has no built-in list.
    enum ItemList : int {
        ListInputTerminal = 0,
        ListPicturePreset,
        ListPictureGamma,
        ListPictureColorTemprature,
        ListImageOverscan,
        ListImageAspect,
        ListVideoRandomNR,
        ListVideoMosquitoNR,
        ListVideoBlockNR,
        ListVideoDeinterlace,
        ListVideo3DYCSeparation,
        ListVolume3DSurround,
        ListEcologicalMark,
        ItemListCount
    };

    static const QString HEAD_SECTION;
    static const QString MODELS_SECTION;
    static const QString FUNC_SECTION;
    static const QString TERM_SECTION;
    static const QString ECO_SECTION;
    static const QString MULTI_TERM_SECTION;
    static const QString PRESET_SECTION;
    static const QString GAMMA_SECTION;
    static const QString COLORTEMPRATURE_SECTION;
    static const QString OVERSCAN_SECTION;
    static const QString ASPECT_SECTION;
    static const QString RANDOMNR_SECTION;
    static const QString MOSQUITONR_SECTION;
    static const QString BLOCKNR_SECTION;
    static const QString DEINTERLACE_SECTION;
    static const QString _3DYCSEPARATION_SECTION;
    static const QString _3DSURROUND_SECTION;

    static constexpr quint32 DUMMY_PROFILECODE = 0xFFFFFFFFu;

    // Value of each "Functions" key when it is missing or empty.
    static constexpr const char PROFILE_DEFAULT_REQPROJECTORNAME[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_SETPROJECTORNAME[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQREMAININGLAMPTIME[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQREMAININGLAMP2TIME[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQREMAININGFILTERUSAGE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQINPUTTERMINAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETINPUTTERMINAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQREMARK[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQPOWERSTS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETPOWERON[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETPOWEROFF[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQPICMUTESTS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETPICMUTEON[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETPICMUTEOFF[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQSNDMUTESTS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETSNDMUTEON[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETSNDMUTEOFF[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQOSDMUTESTS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETOSDMUTEON[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETOSDMUTEOFF[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQSOURCENAME[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQHORIZONTALFREQUENCY[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQVERTICALFREQUENCY[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQSYNCPOLARITY[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVOLUME[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVOLUME[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETFREEZESUPPORTED[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQLONGMODELNAME[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_REQMACADDRESS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQLAMPMODE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_CHKLENSCOVERSTS[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_USEMULTIPLEECOMODE[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_ISERRORNACKOFMAC2[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_USENEWCOMMANDPROJECTORNAME[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_USENEWCOMMANDREQREMAININGLAMPTIME[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_USENEWCOMMANDREQGAINPARAMETER[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQFREEZESTS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREMODE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREMODE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREPRESET[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREPRESET[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREGAMMA[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREGAMMA[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECOLORTEMPRATURE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECOLORTEMPRATURE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECONTRASTRED[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECONTRASTRED[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECONTRASTGREEN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECONTRASTGREEN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECONTRASTBLUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECONTRASTBLUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSRED[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSRED[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSGREEN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSGREEN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESSBLUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESSBLUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECONTRAST[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECONTRAST[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREBRIGHTNESS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREBRIGHTNESS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURESHARPNESS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURESHARPNESS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTURECOLOR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTURECOLOR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINPICTUREHUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINPICTUREHUE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGECLOCK[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGECLOCK[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGEPHASE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGEPHASE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGEHORIZONTAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGEHORIZONTAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGEVERTICAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGEVERTICAL[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGEOVERSCAN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGEOVERSCAN[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGEASPECT[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGEASPECT[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINIMAGERESOLUTION[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINIMAGERESOLUTION[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEORANDOMNR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEORANDOMNR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEOMOSQUITONR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEOMOSQUITONR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEOBLOCKNR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEOBLOCKNR[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEODEINTERLACE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEODEINTERLACE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEOVELOMIRA[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEOVELOMIRA[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVIDEO3DYCSEPARATION[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVIDEO3DYCSEPARATION[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVOLUMEBASS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVOLUMEBASS[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVOLUMETREBLE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVOLUMETREBLE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVOLUMEBALANCE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVOLUMEBALANCE[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQGAINVOLUME3DSURROUND[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_SETGAINVOLUME3DSURROUND[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQSERIALNUMBER[] = "TRUE";
    static constexpr const char PROFILE_DEFAULT_REQMACADDRESS3[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_LASERBEAM[] = "FALSE";
    static constexpr const char PROFILE_DEFAULT_ECOMODEVALUERANGECHECK[] = "TRUE";

    // A model read from the file that lacks these keys gets FALSE; the dummy
    // profile takes the PROFILE_DEFAULT_ value above.
    static constexpr const char PROFILE_UNDEFINED_USENEWCOMMANDPROJECTORNAME[] = "FALSE";
    static constexpr const char PROFILE_UNDEFINED_USENEWCOMMANDREQREMAININGLAMPTIME[] = "FALSE";
    static constexpr const char PROFILE_UNDEFINED_USENEWCOMMANDREQGAINPARAMETER[] = "FALSE";

    // Loading profiles: each keeps a private copy of the reader.
    CProfile(CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE lang);
    explicit CProfile(CIniFileAccess* ini);
    // The profiles of one load share the reader: a copy per model would make
    // loading quadratic in the file's size.
    CProfile(std::shared_ptr<const CIniFileAccess> ini, CLanguageCodeTable::LANGUAGE_CODE lang);
    explicit CProfile(std::shared_ptr<const CIniFileAccess> ini);
    // The dummy profile.
    explicit CProfile(CLanguageCodeTable::LANGUAGE_CODE lang);
    CProfile();
    ~CProfile();

    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    // Loads the model listed under modelKey in "Models"; false when the key is
    // refused, has no section prefix or the Functions section cannot be read.
    bool f_LoadProfile(QString modelKey);
    // The same, given the profiles loaded so far by their section prefix: a
    // model whose prefix was loaded before takes that profile's values
    // instead of reading its sections again, and a model read now is added.
    bool f_LoadProfile(QString modelKey, QHash<QString, const CProfile*>* loaded);

    bool f_LoadProfileFunction(QString section);
    bool f_LoadProfileModelImage(QString section);
    void f_SetInit();
    void f_SetDummy();
    qint32 f_IsEffectMdlCode(QString code);

    bool GetProfileBoolParameter(int id) const;
    qint32 GetProfileIntParameter(int id) const;

    // Item lists read from the profile file.
    static int f_LC2PLC(CLanguageCodeTable::LANGUAGE_CODE language);
    QStringList f_GetInputTermNameList(QString section, QString key);
    bool f_LoadProfileSectionItems(QString section, int& count, CSectionItemList* list);
    bool f_LoadMultipleSelectedTermList(int& count, CSectionItemList* list);

    // Built-in item lists.
    void f_SetDefaultInputTerminals();
    void f_SetDefaultPicturePresets();
    void f_SetDefaultPictureGammas();
    void f_SetDefaultPictureColorTempratures();
    void f_SetDefaultImageOverscans();
    void f_SetDefaultImageAspects();
    void f_SetDefaultVideoRandomNRs();
    void f_SetDefaultVideoMosquitoNRs();
    void f_SetDefaultVideoBlockNRs();
    void f_SetDefaultVideoDeinterlaces();
    void f_SetDefaultVideo3DYCSeparations();
    void f_SetDefaultVolume3DSurrounds();

    // The "Functions" key of a flag id (ProfileFlag::Id), empty outside 0..106.
    static QString FunctionKey(int id);

    // Read only; null in the dummy profile.
    std::shared_ptr<const CIniFileAccess> m_Ini;
    bool m_Dummy;
    // Supported-function flags by ProfileFlag::Id; index 28 is unused.
    bool m_Flags[ProfileFlag::Count];
    // ProfileFlag::SetFreezeSupported: 1 when the model can freeze the picture.
    qint32 m_FreezeSupported;
    // True when the model's EcologicalMark section gave its own lamp-mode names.
    bool m_EcoMarksLoaded;
    QString m_ModelImage;
    // Count and list per ItemList; the profile owns the lists.
    qint32 m_ItemCount[ItemListCount];
    CSectionItemList* m_ItemList[ItemListCount];
    // 6 or 8 (hex digits of the model code); 0 in the dummy or before loading.
    qint32 m_ModelCodeLength;
    // The model code, first byte in bits 31..24; low byte 0xFF for a 6-digit code.
    quint32 m_ModelCode;
    bool m_LanguageGiven;
    CLanguageCodeTable::LANGUAGE_CODE m_Language;

    CSectionItemList* InputTerminals() const { return m_ItemList[ListInputTerminal]; }
    CSectionItemList* EcoMarks() const { return m_ItemList[ListEcologicalMark]; }

private:
    void f_Construct(std::shared_ptr<const CIniFileAccess> ini, bool languageGiven,
                     CLanguageCodeTable::LANGUAGE_CODE lang);
};

#endif // CPROFILE_H
