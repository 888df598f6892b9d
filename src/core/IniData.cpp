#include "IniData.h"

IniData::IniData()
    : quoted(false)
{
}

IniData::IniData(const QString& section, const QString& key, const QString& value, bool quoted)
    : section(section)
    , key(key)
    , value(value)
    , quoted(quoted)
{
}
