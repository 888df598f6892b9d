#ifndef CSECTIONITEMLIST_H
#define CSECTIONITEMLIST_H

#include <QList>
#include <QMap>
#include <QString>

#include "CSectionItem.h"

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
    // Diagnostic hook the profile loader calls after each load.
    void qDebugSnapShot() const;

    // Each Add does nothing on a full list; an item already stored under the
    // key is destroyed and replaced.
    // Keyed by the item's code; the list owns the item from then on. Returns
    // false when the list is full: the item then stays with the caller.
    bool Add(CSectionItem* item);
    void Add(int key, int code, QString name, bool builtIn, bool show);
    // With a sub-code.
    void Add(int key, int code, QString name, int sub, bool builtIn);
    void Add(int key, int code, QString name, bool builtIn);
    // Keyed by code.
    void Add(int code, QString name, bool builtIn);

    // The items in ascending key order; the list keeps owning them.
    QList<CSectionItem*> values() const { return m_Items.values(); }
    QList<int> keys() const { return m_Items.keys(); }
    CSectionItem* value(int key) const { return m_Items.value(key, nullptr); }
    int count() const { return m_Items.size(); }
    bool isEmpty() const { return m_Items.isEmpty(); }

private:
    Q_DISABLE_COPY(CSectionItemList)

    void f_Add(int key, int code, const QString& name, bool builtIn, bool hasSub, int sub, bool show);
    void f_Store(int key, CSectionItem* item);

    QMap<int, CSectionItem*> m_Items;
};

#endif // CSECTIONITEMLIST_H
