#include "IniSectionValues.h"

#include "CIniFileAccess.h"

IniSectionValues::IniSectionValues(const CIniFileAccess* ini, const QString& section)
    : IniSectionValues(ini, section, Spellings(ini))
{
}

IniSectionValues::IniSectionValues(const CIniFileAccess* ini, const QString& section,
                                   const QHash<QString, QString>& spellings)
{
    const QString spelled = spellings.value(section.toUpper());
    if (ini && !spelled.isEmpty())
        f_Read(ini, spelled);
}

QHash<QString, QString> IniSectionValues::Spellings(const CIniFileAccess* ini)
{
    QHash<QString, QString> spellings;
    if (!ini)
        return spellings;
    QStringList sections;
    ini->GetIniSections(sections);
    for (const QString& section : qAsConst(sections)) {
        const QString folded = section.toUpper();
        if (!spellings.contains(folded))
            spellings.insert(folded, section);
    }
    return spellings;
}

void IniSectionValues::f_Read(const CIniFileAccess* ini, const QString& spelled)
{
    ini->GetIniKeys(spelled, m_Keys);
    for (const QString& key : qAsConst(m_Keys)) {
        if (m_Exact.contains(key))
            continue;
        QString value;
        ini->GetIniString(spelled, key, QString(QLatin1String("")), &value);
        m_Exact.insert(key, value);
        const QString folded = key.toUpper();
        if (!m_Folded.contains(folded))
            m_Folded.insert(folded, value);
    }
}

bool IniSectionValues::contains(const QString& key) const
{
    return m_Exact.contains(key) || m_Folded.contains(key.toUpper());
}

QString IniSectionValues::value(const QString& key, const QString& defaultValue) const
{
    const auto exact = m_Exact.constFind(key);
    if (exact != m_Exact.constEnd())
        return exact.value();
    return m_Folded.value(key.toUpper(), defaultValue);
}

int IniSectionValues::intValue(const QString& key, int defaultValue) const
{
    if (!contains(key))
        return defaultValue;
    bool ok = false;
    const int number = value(key, QString()).toInt(&ok, 10);
    return ok ? number : defaultValue;
}
