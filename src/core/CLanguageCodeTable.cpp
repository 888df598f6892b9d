#include "CLanguageCodeTable.h"

#include "AppPaths.h"
#include "ExceptionTrace.h"
#include "QTranslatorEx.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

#include <exception>

// The embedded catalogues live in a static library: its resources must be
// registered by hand, or the linker drops them.
static void initEmbeddedCatalogues()
{
    Q_INIT_RESOURCE(Lumivox5Translations);
}

namespace {

struct LanguageRow
{
    const char* culture;
    int codePage;
    const char* encodingName;
    int stringTableOffset;
};

// Index = LANGUAGE_CODE; the projector code page equals the index.
const LanguageRow LANGUAGE_ROWS[CLanguageCodeTable::LANG_COUNT] = {
    { "en-US", 20127, "us-ascii", 4000 },
    { "ja-JP", 932, "shift_jis", 0 },
    { "de-DE", 28591, "iso-8859-1", 4000 },
    { "fr-FR", 28591, "iso-8859-1", 4000 },
    { "it-IT", 28591, "iso-8859-1", 4000 },
    { "es-ES", 28591, "iso-8859-1", 4000 },
    { "sv-SE", 28591, "iso-8859-1", 4000 },
    { "zh-CN", 20936, "x-cp20936", 4000 },
    { "fi-FI", 28591, "iso-8859-1", 4000 },
    { "nb-NO", 28591, "iso-8859-1", 4000 },
    { "nl-NL", 28591, "iso-8859-1", 4000 },
    { "tr-TR", 28599, "iso-8859-9", 4000 },
    { "pl-PL", 28592, "iso-8859-2", 4000 },
    { "ru-RU", 28595, "iso-8859-5", 4000 },
    { "el-GR", 28597, "iso-8859-7", 4000 },
    { "ko-KR", 949, "ks_c_5601-1987", 4000 },
    { "hu-HU", 28592, "iso-8859-2", 4000 },
    { "pt-PT", 28591, "iso-8859-1", 4000 },
    { "cs-CZ", 28592, "iso-8859-2", 4000 },
    { "ar-SA", 28596, "iso-8859-6", 4000 },
    { "da-DK", 28591, "iso-8859-1", 4000 },
};

struct ArgumentRow
{
    int key;
    const char* text;
};

const ArgumentRow ARGUMENT_ROWS[] = {
    { CLanguageCodeTable::LANG_ENGLISH, "ENG" },
    { CLanguageCodeTable::LANG_JAPANESE, "JPN" },
    { CLanguageCodeTable::LANG_FRENCH, "FRE" },
    { CLanguageCodeTable::LANG_CHINESE, "CHI" },
    { CLanguageCodeTable::ARG_EN, "EN" },
    { CLanguageCodeTable::ARG_JP, "JP" },
};

template <typename T>
void releaseTable(QMap<int, T*>*& table)
{
    if (!table)
        return;
    qDeleteAll(*table);
    delete table;
    table = nullptr;
}

// An index without an entry gives the current language's entry; a current
// language outside the table (written directly by a user) gives English's.
template <typename T>
const T* entryAt(const QMap<int, T*>* table, int language, int current)
{
    if (!table)
        return nullptr;
    for (int key : { language, current, int(CLanguageCodeTable::LANG_ENGLISH) }) {
        if (const T* entry = table->value(key, nullptr))
            return entry;
    }
    return nullptr;
}

int intAt(const QMap<int, CIntBox*>* table, int language, int current)
{
    const CIntBox* box = entryAt(table, language, current);
    return box ? box->m_Value : 0;
}

bool isTableLanguage(int language)
{
    return language >= 0 && language < CLanguageCodeTable::LANG_COUNT;
}

} // namespace

const char* const CLanguageCodeTable::DEFAULT_CATALOGUE = "Lumivox5.en-US";
const char* const CLanguageCodeTable::EMBEDDED_CATALOGUE_DIR = ":/translations";

CLanguageCodeTable::CLanguageCodeTable()
{
    f_Init(LANG_JAPANESE);
}

CLanguageCodeTable::CLanguageCodeTable(LANGUAGE_CODE language)
{
    // Only table languages may become current; anything else keeps the default.
    f_Init(isTableLanguage(language) ? language : LANG_JAPANESE);
}

void CLanguageCodeTable::f_Init(LANGUAGE_CODE language)
{
    m_pCodePageTable = nullptr;
    m_pEncodingNameTable = nullptr;
    m_pPJCodePageTable = nullptr;
    m_pStringTableOffsetTable = nullptr;
    m_pCultureTable = nullptr;
    m_pArgumentTable = nullptr;
    m_pTranslator = nullptr;
    m_TranslatorReady = false;
    m_LanguageCode = language;
    m_EnglishCatalogueName = QLatin1String(DEFAULT_CATALOGUE);
    MakeLanguageTables();
}

CLanguageCodeTable::~CLanguageCodeTable()
{
    f_ReleaseTables();
    delete m_pTranslator;
    m_pTranslator = nullptr;
}

void CLanguageCodeTable::f_ReleaseTables()
{
    releaseTable(m_pCodePageTable);
    releaseTable(m_pEncodingNameTable);
    releaseTable(m_pPJCodePageTable);
    releaseTable(m_pStringTableOffsetTable);
    releaseTable(m_pCultureTable);
    releaseTable(m_pArgumentTable);
}

void CLanguageCodeTable::MakeLanguageTables()
{
    RunTraced([&] {
        f_ReleaseTables();
        m_pCodePageTable = new QMap<int, CIntBox*>;
        m_pEncodingNameTable = new QMap<int, QString*>;
        m_pPJCodePageTable = new QMap<int, CIntBox*>;
        m_pStringTableOffsetTable = new QMap<int, CIntBox*>;
        m_pCultureTable = new QMap<int, QString*>;
        m_pArgumentTable = new QMap<int, QString*>;
        for (int i = 0; i < LANG_COUNT; ++i) {
            const LanguageRow& row = LANGUAGE_ROWS[i];
            m_pCodePageTable->insert(i, new CIntBox(row.codePage));
            m_pEncodingNameTable->insert(i, new QString(QLatin1String(row.encodingName)));
            m_pPJCodePageTable->insert(i, new CIntBox(i));
            m_pStringTableOffsetTable->insert(i, new CIntBox(row.stringTableOffset));
            m_pCultureTable->insert(i, new QString(QLatin1String(row.culture)));
        }
        for (const ArgumentRow& row : ARGUMENT_ROWS)
            m_pArgumentTable->insert(row.key, new QString(QLatin1String(row.text)));
    });
}

int CLanguageCodeTable::SetLanguageCodeByArg(QString arg)
{
    return RunTraced(-1, [&] {
        if (arg.isEmpty() || !m_pArgumentTable)
            return -1;
        for (auto it = m_pArgumentTable->constBegin(); it != m_pArgumentTable->constEnd(); ++it) {
            if (*it.value() != arg)
                continue;
            switch (it.key()) {
            case ARG_EN:
                m_LanguageCode = LANG_ENGLISH;
                break;
            case ARG_JP:
                m_LanguageCode = LANG_JAPANESE;
                break;
            default:
                m_LanguageCode = static_cast<LANGUAGE_CODE>(it.key());
                break;
            }
            return 0;
        }
        return -1;
    });
}

CLanguageCodeTable::LANGUAGE_CODE CLanguageCodeTable::LanguageCodeForLocale(const QLocale& locale)
{
    switch (locale.country()) {
    case QLocale::France:
        return LANG_FRENCH;
    case QLocale::Japan:
        return LANG_JAPANESE;
    case QLocale::China:
        return LANG_CHINESE;
    default:
        return LANG_ENGLISH;
    }
}

void CLanguageCodeTable::SetLanguageCodeByLocale(const QLocale& locale)
{
    m_LanguageCode = LanguageCodeForLocale(locale);
}

int CLanguageCodeTable::SelectLanguage(const QString& arg, const QLocale& locale)
{
    const int result = SetLanguageCodeByArg(arg.toUpper());
    if (result < 0)
        SetLanguageCodeByLocale(locale);
    return result;
}

int CLanguageCodeTable::GetEncodingInt(int language) const
{
    return intAt(m_pCodePageTable, language, m_LanguageCode);
}

int CLanguageCodeTable::GetEncodingInt() const
{
    return GetEncodingInt(m_LanguageCode);
}

const QString* CLanguageCodeTable::GetEncodingString(int language) const
{
    return entryAt(m_pEncodingNameTable, language, m_LanguageCode);
}

const QString* CLanguageCodeTable::GetEncodingString() const
{
    return GetEncodingString(m_LanguageCode);
}

int CLanguageCodeTable::GetPJCodePage(int language) const
{
    return intAt(m_pPJCodePageTable, language, m_LanguageCode);
}

int CLanguageCodeTable::GetPJCodePage() const
{
    return GetPJCodePage(m_LanguageCode);
}

int CLanguageCodeTable::GetStringTableOffset(int language) const
{
    return intAt(m_pStringTableOffsetTable, language, m_LanguageCode);
}

int CLanguageCodeTable::GetStringTableOffset() const
{
    return GetStringTableOffset(m_LanguageCode);
}

const QString* CLanguageCodeTable::GetCultureString(int language) const
{
    return entryAt(m_pCultureTable, language, m_LanguageCode);
}

const QString* CLanguageCodeTable::GetCultureString() const
{
    return GetCultureString(m_LanguageCode);
}

void CLanguageCodeTable::SetEnglishCatalogueName(const QString& name)
{
    m_EnglishCatalogueName = name;
}

QString CLanguageCodeTable::GetEnglishCatalogueName() const
{
    return m_EnglishCatalogueName;
}

void CLanguageCodeTable::SetCulture(QObject* parent)
{
    RunTraced([&] {
        static const bool resourcesRegistered = (initEmbeddedCatalogues(), true);
        Q_UNUSED(resourcesRegistered);

        delete m_pTranslator;
        m_pTranslator = nullptr;
        m_pTranslator = new QTranslatorEx(parent);

        const QString englishDir = QLatin1String(EMBEDDED_CATALOGUE_DIR);
        QString folder = englishDir;
        QString name = m_EnglishCatalogueName;
        if (m_LanguageCode != LANG_ENGLISH) {
            const QString culture = *GetCultureString();
            // The base name stops at the file name's first dot.
            const QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
            folder = AppPaths::programFolder() + QLatin1Char('/') + culture;
            name = baseName + QLatin1Char('.') + culture;
        }

        const bool loaded = m_pTranslator->load(name, folder);

        const QByteArray separator(73, '=');
        qCDebug(lcCore, "%s", separator.constData());
        qCDebug(lcCore, "translateFile load complete \n  dir[%s] \n  filename[%s]",
               folder.toLocal8Bit().constData(), name.toLocal8Bit().constData());
        qCDebug(lcCore, "%s", separator.constData());

        // Without its own catalogue a language shows English texts rather than
        // the bare translation keys. The language itself stays as chosen: it
        // still picks the profile name column, Qt's catalogue and the help pages.
        if (!loaded && m_LanguageCode != LANG_ENGLISH) {
            const bool english = m_pTranslator->load(m_EnglishCatalogueName, englishDir);
            qCDebug(lcCore, "translateFile fallback to English \n  dir[%s] \n  filename[%s] %s",
                   englishDir.toLocal8Bit().constData(),
                   m_EnglishCatalogueName.toLocal8Bit().constData(),
                   english ? "loaded" : "not found");
        }

        m_TranslatorReady = true;
    });
}
