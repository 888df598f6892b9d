#ifndef SCHEDULETESTCATALOGUE_H
#define SCHEDULETESTCATALOGUE_H

// Installs the program's embedded English catalogue into the application, so
// that translation keys resolve to the English texts the files and logs carry.
// Returns false when the catalogue could not be loaded.
bool InstallEnglishCatalogue();

#endif // SCHEDULETESTCATALOGUE_H
