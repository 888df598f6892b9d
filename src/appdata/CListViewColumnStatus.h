#ifndef CLISTVIEWCOLUMNSTATUS_H
#define CLISTVIEWCOLUMNSTATUS_H

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

// One column of the projector list: id (0 to 24), translated title, width,
// position among the visible columns and visibility. A column layout is a
// map from column id to records the map owns.
class CListViewColumnStatus : public QObject
{
    Q_OBJECT
public:
    typedef QMap<int, CListViewColumnStatus*> ColumnMap;

    // Number of columns of the built-in table.
    static const int COLUMN_COUNT = 25;
    // The built-in sort column: the setting name.
    static const int DEFAULT_SORT_ID = 3;

    CListViewColumnStatus(int id, const QString& title, int width, int displayIndex, bool visible);
    // Display index = id, visible.
    CListViewColumnStatus(int id, const QString& title, int width);
    // Id 0, no title, width 0, display index 0, hidden.
    explicit CListViewColumnStatus(QObject* parent = nullptr);
    // A copy of all five fields of `other`, without a parent.
    explicit CListViewColumnStatus(CListViewColumnStatus* other);
    ~CListViewColumnStatus() override;

    // The data hub's column-table operations, shared with whoever builds layouts.
    // A record already under the id is deleted, as the map owns it.
    static void f_AddPjListColumns(ColumnMap* columns, int id, const QString& title, int width,
                                   int displayIndex, bool visible);
    // The same with id = number of records in the map before the insertion.
    static void f_AddPjListColumns(ColumnMap* columns, const QString& title, int width,
                                   int displayIndex, bool visible);
    // Empties the map (deleting its records) and fills it with the built-in
    // table, titles translated in the context "CLumivox5Data".
    static void f_MakePjListColumns(ColumnMap* columns);
    // Titles again from the installed catalogue: the maps are made before the
    // window installs the hub's translator.
    static void f_TranslatePjListColumns(ColumnMap* columns);
    // Deletes every record and empties the map.
    static void DeleteColumns(ColumnMap* columns);
    // Replaces `target`'s records with copies of `source`'s, keyed by the copies' ids.
    static void CopyColumns(const ColumnMap& source, ColumnMap* target);
    // The records by display index, equal indexes in key order.
    static QList<CListViewColumnStatus*> SortedByDisplayIndex(QList<CListViewColumnStatus*> records);
    // Gives the visible records display indexes 0, 1, ... in the order of
    // `order`, and the hidden ones the indexes after them in key order.
    static void NumberVisibleFirst(const QList<CListViewColumnStatus*>& order);

    int m_ID;
    QString m_Title;
    int m_Width;
    int m_DisplayIndex;
    bool m_Visible;
};

#endif // CLISTVIEWCOLUMNSTATUS_H
