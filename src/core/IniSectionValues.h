#ifndef INISECTIONVALUES_H
#define INISECTIONVALUES_H

#include <QHash>
#include <QString>
#include <QStringList>

class CIniFileAccess;

// The keys of one section of a file the program keeps (the user list, the
// schedule file), found whatever the case of the section's name or of a key,
// as a hand-edited file may spell them; a key spelled exactly as asked wins
// over one spelled otherwise. The accessor's own lookups stay exact.
class IniSectionValues
{
public:
    IniSectionValues(const CIniFileAccess* ini, const QString& section);
    // With the spellings of many sections found once.
    IniSectionValues(const CIniFileAccess* ini, const QString& section, const QHash<QString, QString>& spellings);

    // The accessor's sections by upper-case name, as first spelled in it.
    static QHash<QString, QString> Spellings(const CIniFileAccess* ini);

    // The keys in file order, as spelled; empty when there is no section.
    const QStringList& keys() const { return m_Keys; }
    bool contains(const QString& key) const;
    QString value(const QString& key, const QString& defaultValue) const;
    // A base-10 32-bit integer as the accessor reads one; anything else gives
    // the default.
    int intValue(const QString& key, int defaultValue) const;

private:
    void f_Read(const CIniFileAccess* ini, const QString& spelled);

    QStringList m_Keys;
    QHash<QString, QString> m_Exact;
    QHash<QString, QString> m_Folded;
};

#endif // INISECTIONVALUES_H
