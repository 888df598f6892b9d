#ifndef CLANGUAGECODETABLE_H
#define CLANGUAGECODETABLE_H

#include <QLocale>
#include <QMap>
#include <QPointer>
#include <QString>

#include "CIntBox.h"

#include "QTranslatorEx.h"

// The 21 user-interface languages with their culture names, text encodings,
// projector code pages and string-table offsets; the current language; and the
// translator carrying the message catalogue of that language.
class CLanguageCodeTable
{
public:
    // Values 0..20 index the table. ARG_EN and ARG_JP occur only as keys of the
    // argument table and never become the current language.
    enum LANGUAGE_CODE : int {
        LANG_ENGLISH = 0,
        LANG_JAPANESE = 1,
        LANG_GERMAN = 2,
        LANG_FRENCH = 3,
        LANG_ITALIAN = 4,
        LANG_SPANISH = 5,
        LANG_SWEDISH = 6,
        LANG_CHINESE = 7,
        LANG_FINNISH = 8,
        LANG_NORWEGIAN = 9,
        LANG_DUTCH = 10,
        LANG_TURKISH = 11,
        LANG_POLISH = 12,
        LANG_RUSSIAN = 13,
        LANG_GREEK = 14,
        LANG_KOREAN = 15,
        LANG_HUNGARIAN = 16,
        LANG_PORTUGUESE = 17,
        LANG_CZECH = 18,
        LANG_ARABIC = 19,
        LANG_DANISH = 20,
        LANG_COUNT = 21,

        ARG_EN = 1000,
        ARG_JP = 1001
    };

    // The main program's catalogue; the help viewer sets its own name with
    // SetEnglishCatalogueName before SetCulture.
    static const char* const DEFAULT_CATALOGUE;    // "Lumivox5.en-US"
    static const char* const EMBEDDED_CATALOGUE_DIR; // ":/translations"

    CLanguageCodeTable();
    explicit CLanguageCodeTable(LANGUAGE_CODE language);
    ~CLanguageCodeTable();

    void MakeLanguageTables();

    // 0 when the text names a language (exact, case-sensitive), -1 otherwise;
    // the current language changes only on success.
    int SetLanguageCodeByArg(QString arg);

    // The language a country runs in: France French, Japan Japanese, China
    // Simplified Chinese, every other country English.
    static LANGUAGE_CODE LanguageCodeForLocale(const QLocale& locale);
    // Sets the current language from the locale's country.
    void SetLanguageCodeByLocale(const QLocale& locale = QLocale::system());
    // The program's choice at start: the command line's language text in any
    // letter case ("/l=jp" works as "/L=JP"), else the locale's country.
    // Returns SetLanguageCodeByArg's result for the upper-cased text.
    int SelectLanguage(const QString& arg, const QLocale& locale = QLocale::system());

    // Lookups by index; an index without an entry gives the current language's.
    int GetEncodingInt(int language) const;
    int GetEncodingInt() const;
    const QString* GetEncodingString(int language) const;
    const QString* GetEncodingString() const;
    int GetPJCodePage(int language) const;
    int GetPJCodePage() const;
    int GetStringTableOffset(int language) const;
    int GetStringTableOffset() const;
    const QString* GetCultureString(int language) const;
    const QString* GetCultureString() const;

    // The catalogue loaded for English, and for any other language whose own
    // catalogue is missing; it is looked up in the embedded resources.
    void SetEnglishCatalogueName(const QString& name);
    QString GetEnglishCatalogueName() const;

    // Creates the translator (child of parent), loads the current language's
    // catalogue into it and sets the translator-ready flag. Call once, after the
    // language is final; installing the translator is the caller's job.
    void SetCulture(QObject* parent);

    // Written and read directly by the data hub, start-up code and the
    // profile loader. The table owns the translator; its Qt parent may delete
    // it first, so the pointer tracks that.
    LANGUAGE_CODE m_LanguageCode;
    bool m_TranslatorReady;
    QPointer<QTranslatorEx> m_pTranslator;

private:
    Q_DISABLE_COPY(CLanguageCodeTable)

    void f_Init(LANGUAGE_CODE language);
    void f_ReleaseTables();

    QMap<int, CIntBox*>* m_pCodePageTable;
    QMap<int, QString*>* m_pEncodingNameTable;
    QMap<int, CIntBox*>* m_pPJCodePageTable;
    QMap<int, CIntBox*>* m_pStringTableOffsetTable;
    QMap<int, QString*>* m_pCultureTable;
    QMap<int, QString*>* m_pArgumentTable;
    QString m_EnglishCatalogueName;
};

#endif // CLANGUAGECODETABLE_H
