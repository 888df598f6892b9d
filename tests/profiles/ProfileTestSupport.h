#ifndef PROFILETESTSUPPORT_H
#define PROFILETESTSUPPORT_H

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "CLanguageCodeTable.h"
#include "CSectionItemList.h"

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

// Writes text (LF line ends turned into CRLF, no byte-order mark) to name in dir.
inline QString WriteProfileFile(const QTemporaryDir& dir, const QString& name, const QString& text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QString crlf = text;
        crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        file.write(crlf.toUtf8());
    }
    return path;
}

// "code:name" per item in list order, with "/sub" when the item has a sub-code.
inline QStringList ItemTexts(const CSectionItemList* list)
{
    QStringList texts;
    for (const CSectionItem* item : list->values()) {
        QString text = QString::number(item->code, 16).toUpper() + QLatin1Char(':') + item->name;
        if (item->hasSub)
            text += QLatin1Char('/') + QString::number(item->sub, 16).toUpper();
        texts << text;
    }
    return texts;
}

#endif // PROFILETESTSUPPORT_H
