#ifndef QTCATALOGUE_H
#define QTCATALOGUE_H

#include <QLoggingCategory>

class CLanguageCodeTable;
class QTranslatorEx;

// Loads Qt's own catalogue for the table's language into a new translator
// and installs it: the English one from the embedded catalogues, the others
// from the program's culture folders. A missing catalogue leaves Qt's texts
// in English. The caller owns the translator.
QTranslatorEx* InstallQtCatalogue(const CLanguageCodeTable& languages, const QLoggingCategory& trace);

#endif // QTCATALOGUE_H
