#ifndef CPROJECTORGROUP_H
#define CPROJECTORGROUP_H

#include <QMap>
#include <QObject>
#include <QString>

// One projector group: its id (1 to 256), its full path (names from the top
// group down, joined by "\"), its member projector ids and the change not yet
// written to the user list. Groups are created only by the data hub.
class CProjectorGroup : public QObject
{
    Q_OBJECT
public:
    enum GroupNameEditMode {
        EditNone = 0,   // nothing to write: read from the user list, or already written
        EditCreate = 1, // created by the user
        EditRename = 2, // renamed, or moved by a new name of a group above it
        EditDelete = 3, // deleted; its id may be given to a new group
        EditUnused = 4  // id never used (held only in the id table)
    };

    // Between the names of a group path (Floor 1\Hall), wherever paths
    // are built or taken apart.
    static constexpr QLatin1Char PATH_SEPARATOR{'\\'};

    // Lowest and highest group id.
    static const int GROUP_ID_MIN = 1;
    static const int GROUP_ID_MAX = 256;

    explicit CProjectorGroup(QObject* parent = nullptr);
    ~CProjectorGroup() override;

    qint32 m_GroupID;
    GroupNameEditMode m_EditMode;
    QString m_GroupPath;
    // Member projector ids; key and value are both the id.
    QMap<qint32, qint32>* m_Projectors;
    bool m_InTree;

private:
    Q_DISABLE_COPY(CProjectorGroup)
};

#endif // CPROJECTORGROUP_H
