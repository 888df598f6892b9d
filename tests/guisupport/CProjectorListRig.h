#ifndef CPROJECTORLISTRIG_H
#define CPROJECTORLISTRIG_H

#include <QList>
#include <QMap>
#include <QString>

#include <memory>

class CListViewColumnStatus;
class CProjectorData;
class CProjectorTreeView;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;

// A projector list as the main window sets it up: the data hub's default
// column map, the view built from it and records the rig owns.
class CProjectorListRig
{
public:
    // `initialize` false leaves the columns to the test; a view given (a test's
    // subclass, say) is taken over.
    explicit CProjectorListRig(bool initialize = true, CProjectorTreeView* view = nullptr);
    ~CProjectorListRig();
    CProjectorListRig(const CProjectorListRig&) = delete;
    CProjectorListRig& operator=(const CProjectorListRig&) = delete;

    // A connected LAN record named "PJ<id>" at 10.0.<id / 256>.<id % 256>,
    // owned by the rig; not added to the view.
    CProjectorData* makeRecord(int id);
    // The same record, added to the view.
    CProjectorData* addRecord(int id);

    QStandardItemModel* source() const;
    QSortFilterProxyModel* proxy() const;
    // The source-model cell of a row and a column key.
    QStandardItem* cell(int sourceRow, int key) const;
    // Selects the source rows one after the other, as ctrl-clicks would.
    void selectSourceRows(const QList<int>& rows);

    QMap<int, CListViewColumnStatus*> columns;
    std::unique_ptr<CProjectorTreeView> view;

private:
    QList<CProjectorData*> m_Records;
};

#endif // CPROJECTORLISTRIG_H
