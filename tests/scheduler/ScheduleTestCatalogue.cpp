#include "ScheduleTestCatalogue.h"

#include "CLanguageCodeTable.h"
#include "QTranslatorEx.h"

#include <QCoreApplication>

bool InstallEnglishCatalogue()
{
    // The translator is a child of the application and goes with it.
    static CLanguageCodeTable table(CLanguageCodeTable::LANG_ENGLISH);
    if (!table.m_TranslatorReady)
        table.SetCulture(QCoreApplication::instance());
    return table.m_TranslatorReady && table.m_pTranslator
           && QCoreApplication::installTranslator(table.m_pTranslator);
}
