#ifndef ENGLISHCATALOGUE_H
#define ENGLISHCATALOGUE_H

#include <QCoreApplication>

#include "CLanguageCodeTable.h"

// Installs the embedded English catalogue for the life of the object, so
// built-in item names read as the user sees them.
class EnglishCatalogue
{
public:
    EnglishCatalogue() : m_Table(CLanguageCodeTable::LANG_ENGLISH)
    {
        m_Table.SetCulture(nullptr);
        if (m_Table.m_pTranslator)
            QCoreApplication::installTranslator(m_Table.m_pTranslator);
    }
    ~EnglishCatalogue()
    {
        if (m_Table.m_pTranslator)
            QCoreApplication::removeTranslator(m_Table.m_pTranslator);
    }
    bool isInstalled() const { return !m_Table.m_pTranslator.isNull(); }

private:
    CLanguageCodeTable m_Table;
};

#endif // ENGLISHCATALOGUE_H
