#ifndef CSECTIONITEMLIST_H
#define CSECTIONITEMLIST_H

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "CLanguageCodeTable.h"
#include "CSectionItem.h"

class CIniFileAccess;

// An owning list of at most TERM_MAX items, at most one per key. Items read
// from the profile file are keyed by their entry number (so they keep the
// file's order), items added by code by their code. Readers take the items in
// ascending key order.
class CSectionItemList
{
public:
    static const int TERM_MAX = 35;

    CSectionItemList();
    ~CSectionItemList();

    // Destroys every item.
    void Clear();
    // Makes this list a copy of another, item by item.
    void CopyFrom(const CSectionItemList& other);
    // Diagnostic hook the profile loader calls after each load.
    void qDebugSnapShot() const;

    // Each Add does nothing on a full list; an item already stored under the
    // key is destroyed and replaced.
    // Keyed by the item's code; the list owns the item from then on. Returns
    // false when the list is full (the item then stays with the caller) or
    // already holds the item under another key (nothing changes).
    bool Add(CSectionItem* item);
    void Add(int key, int code, QString name, bool builtIn, bool show);
    // With a sub-code.
    void Add(int key, int code, QString name, int sub, bool builtIn);
    void Add(int key, int code, QString name, bool builtIn);
    // Keyed by code.
    void Add(int code, QString name, bool builtIn);

    // The name column of the profile file (0..20) for an application language.
    static int f_LC2PLC(CLanguageCodeTable::LANGUAGE_CODE language);
    // The 21 names of one entry, by column: key, key_1 .. key_4 each give up to
    // four comma-separated names.
    static QStringList f_GetInputTermNameList(const CIniFileAccess* ini, const QString& section,
                                              const QString& key);
    // Reads a model's item-list section into this list, names in the column of
    // the language. True when the section gave a list, which may be empty for
    // a Count of 0; false when the built-in list is to be used. Writes count
    // only as the profile file's format prescribes.
    bool f_LoadProfileSectionItems(const CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE language,
                                   const QString& section, int& count);
    // Reads the multiple-selected input-terminal section into this list; its
    // entries have no sub-code and a ShowTerminal flag. True when an item was read.
    bool f_LoadMultipleSelectedTermList(const CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE language,
                                        const QString& section, int& count);

    // The items in ascending key order; the list keeps owning them.
    QList<CSectionItem*> values() const { return m_Items.values(); }
    QList<int> keys() const { return m_Items.keys(); }
    CSectionItem* value(int key) const { return m_Items.value(key, nullptr); }
    // The name of the first item, in key order, whose code is `code`; "" when none is.
    QString f_GetNameOfCode(int code) const;
    int count() const { return m_Items.size(); }
    bool isEmpty() const { return m_Items.isEmpty(); }

private:
    Q_DISABLE_COPY(CSectionItemList)

    void f_Add(int key, int code, const QString& name, bool builtIn, bool hasSub, int sub, bool show);
    void f_Store(int key, CSectionItem* item);
    bool f_Load(const CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE language,
                const QString& section, int& count, bool multipleSelected);

    QMap<int, CSectionItem*> m_Items;
};

#endif // CSECTIONITEMLIST_H
