#ifndef INIDATA_H
#define INIDATA_H

#include <QString>

// One stored line of an INI file. A key line of a section keeps its parsed key
// and value; every other line (comment, blank, junk, a line before the first
// header, a line of a repeated section) keeps the whole line as its value.
class IniData
{
public:
    IniData();
    IniData(const QString& section, const QString& key, const QString& value, bool quoted);

    QString section; // as spelled in the header; null before the first header
    QString key;     // trimmed key; empty for a line that is not a key line
    QString value;
    bool quoted;     // written back between double quotes
};

#endif // INIDATA_H
