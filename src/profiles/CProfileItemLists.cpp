// The profile's item-list readers: the list does the reading, through this
// profile's own copy of the file and in its language's name column.
#include "CProfile.h"

#include "CSectionItemList.h"

int CProfile::f_LC2PLC(CLanguageCodeTable::LANGUAGE_CODE language)
{
    return CSectionItemList::f_LC2PLC(language);
}

QStringList CProfile::f_GetInputTermNameList(QString section, QString key)
{
    return CSectionItemList::f_GetInputTermNameList(m_Ini.get(), section, key);
}

bool CProfile::f_LoadProfileSectionItems(QString section, int& count, CSectionItemList* list)
{
    return list && list->f_LoadProfileSectionItems(m_Ini.get(), m_Language, section, count);
}

bool CProfile::f_LoadMultipleSelectedTermList(int& count, CSectionItemList* list)
{
    return list && list->f_LoadMultipleSelectedTermList(m_Ini.get(), m_Language, MULTI_TERM_SECTION, count);
}
