#include "CProfileList.h"

#include <QDir>
#include <QScopedPointer>

#include <memory>
#include <vector>

#include "AppPaths.h"
#include "CIniFileAccess.h"
#include "CProfile.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"

const QString CProfileList::PROFILE_NAME = QStringLiteral("Profile.ini");
const QString CProfileList::HEAD_SECTION = QStringLiteral("Header Info");
const QString CProfileList::MODELS_SECTION = QStringLiteral("Models");
const QString CProfileList::FILE_MAGIC_CODE = QStringLiteral("258-0017-686-1-5F");

CProfileList::CProfileList()
{
    f_Construct(PROFILE_NAME, false, CLanguageCodeTable::LANGUAGE_CODE(0));
}

CProfileList::CProfileList(QString fileName)
{
    f_Construct(fileName, false, CLanguageCodeTable::LANGUAGE_CODE(0));
}

CProfileList::CProfileList(QString fileName, CLanguageCodeTable::LANGUAGE_CODE language)
{
    f_Construct(fileName, true, language);
}

CProfileList::CProfileList(CLanguageCodeTable::LANGUAGE_CODE language)
{
    f_Construct(PROFILE_NAME, true, language);
}

void CProfileList::f_Construct(const QString& fileName, bool languageGiven,
                               CLanguageCodeTable::LANGUAGE_CODE language)
{
    m_FileName = fileName;
    m_LoadFailed = false;
    m_LanguageGiven = languageGiven;
    m_Language = language;
    m_MultiTermCount = 0;
    m_MultiTermList = nullptr;
    RunTraced([&] {
        m_MultiTermList = new CSectionItemList();
    });
    m_LoadFailed = !f_LoadProfile();
}

CProfileList::~CProfileList()
{
    f_ClearProfiles();
    delete m_MultiTermList;
}

void CProfileList::f_ClearProfiles()
{
    qDeleteAll(m_ProfileMap);
    m_ProfileMap.clear();
}

QString CProfileList::f_GetProfilePath(QString fileName)
{
    // An absolute name (a test fixture) is used as it is; QDir::filePath gives
    // the plain-name result "<program folder>/<name>" unchanged.
    return QDir(AppPaths::programFolder()).filePath(fileName);
}

QString CProfileList::f_GetProfilePath()
{
    return f_GetProfilePath(PROFILE_NAME);
}

bool CProfileList::f_LoadProfile()
{
    return RunTraced(false, [&]() -> bool {
        const QString path = f_GetProfilePath(m_FileName);
        f_ClearProfiles();
        m_ProfileMap.insert(qint32(CProfile::DUMMY_PROFILECODE), new CProfile(m_Language));

        // One reader for all the profiles of this load.
        const std::shared_ptr<const CIniFileAccess> ini = std::make_shared<const CIniFileAccess>(path);
        QString magic;
        ini->GetIniString(HEAD_SECTION, QStringLiteral("MagicCode"), QString(""), &magic);
        if (magic != FILE_MAGIC_CODE)
            return false;
        m_MagicCode = magic;
        ini->GetIniString(HEAD_SECTION, QStringLiteral("RevCode"), QString(""), &m_RevCode);
        ini->GetIniString(HEAD_SECTION, QStringLiteral("SetupVersion"), QString(""), &m_SetupVersion);
        ini->GetIniString(HEAD_SECTION, QStringLiteral("ProfileVersion"), QStringLiteral("---"), &m_ProfileVersion);
        ini->GetIniString(HEAD_SECTION, QStringLiteral("ExtraVersion"), QString(""), &m_ExtraVersion);
        ini->GetIniString(HEAD_SECTION, QStringLiteral("CopyrightYear"), QString(""), &m_CopyrightYear);

        auto newProfile = [&]() {
            return m_LanguageGiven ? new CProfile(ini, m_Language) : new CProfile(ini);
        };

        QStringList keys;
        ini->GetIniKeys(MODELS_SECTION, keys);
        // Each profile's sections are read once, however many codes name it;
        // profiles that a later key replaces stay until the loop is done, as
        // later models may take their values.
        QHash<QString, const CProfile*> loaded;
        std::vector<std::unique_ptr<CProfile>> replaced;
        for (const QString& key : keys) {
            std::unique_ptr<CProfile> profile(newProfile());
            if (!profile->f_LoadProfile(key, &loaded))
                return false;
            const qint32 mapKey = qint32(profile->m_ModelCode);
            // A later key with the same code replaces the earlier profile.
            replaced.emplace_back(m_ProfileMap.take(mapKey));
            m_ProfileMap.insert(mapKey, profile.release());
        }

        QScopedPointer<CProfile> reader(newProfile());
        if (m_MultiTermList)
            reader->f_LoadMultipleSelectedTermList(m_MultiTermCount, m_MultiTermList);
        return true;
    });
}

bool CProfileList::f_GetProfile(unsigned char b1, unsigned char b2, unsigned char b3, unsigned char b4,
                                CProfile** profile) const
{
    return RunTraced(false, [&]() -> bool {
        const quint32 top = (quint32(b1) << 24) | (quint32(b2) << 16) | (quint32(b3) << 8);
        for (auto it = m_ProfileMap.cbegin(); it != m_ProfileMap.cend(); ++it) {
            const CProfile* candidate = it.value();
            if ((candidate->m_ModelCode & 0xFFFFFF00u) != top)
                continue;
            if (candidate->m_ModelCodeLength == 6 || (candidate->m_ModelCode & 0xFFu) == b4) {
                if (profile)
                    *profile = it.value();
                return true;
            }
        }
        // No match: always the dummy profile, never a real model that merely
        // sorts first, so an unknown projector is not driven as some other model.
        if (profile)
            *profile = m_ProfileMap.value(qint32(CProfile::DUMMY_PROFILECODE), nullptr);
        return false;
    });
}
