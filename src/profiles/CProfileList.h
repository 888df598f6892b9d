#ifndef CPROFILELIST_H
#define CPROFILELIST_H

#include <QMap>
#include <QString>

#include "CLanguageCodeTable.h"

class CProfile;
class CSectionItemList;

// The model profiles of "Profile.ini": one CProfile per model code plus the
// dummy profile for unidentified models, the file's header values and the
// global multiple-selected input-terminal list. Loaded once in the
// constructor; read-only afterwards. Owns every profile it hands out.
class CProfileList
{
public:
    static const QString PROFILE_NAME;
    static const QString HEAD_SECTION;
    static const QString MODELS_SECTION;
    static const QString FILE_MAGIC_CODE;

    // A plain file name is looked up in the program folder; an absolute one is
    // taken as it is.
    CProfileList();
    explicit CProfileList(QString fileName);
    CProfileList(QString fileName, CLanguageCodeTable::LANGUAGE_CODE language);
    explicit CProfileList(CLanguageCodeTable::LANGUAGE_CODE language);
    ~CProfileList();

    CProfileList(const CProfileList&) = delete;
    CProfileList& operator=(const CProfileList&) = delete;

    bool f_LoadProfile();
    static QString f_GetProfilePath(QString fileName);
    static QString f_GetProfilePath();

    // The profile for the reported model code b1 b2 b3 b4. True for a match;
    // false when *profile received only the dummy profile.
    bool f_GetProfile(unsigned char b1, unsigned char b2, unsigned char b3, unsigned char b4,
                      CProfile** profile) const;

    // Keyed by the model code taken as a signed 32-bit number; the dummy is -1.
    QMap<qint32, CProfile*> m_ProfileMap;
    QString m_FileName;
    bool m_LoadFailed;
    QString m_MagicCode;
    QString m_RevCode;
    QString m_SetupVersion;
    QString m_ProfileVersion;
    QString m_ExtraVersion;
    QString m_CopyrightYear;
    bool m_LanguageGiven;
    CLanguageCodeTable::LANGUAGE_CODE m_Language;
    int m_MultiTermCount;
    CSectionItemList* m_MultiTermList;

private:
    void f_Construct(const QString& fileName, bool languageGiven, CLanguageCodeTable::LANGUAGE_CODE language);
    void f_ClearProfiles();
};

#endif // CPROFILELIST_H
