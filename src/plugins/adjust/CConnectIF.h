#ifndef CCONNECTIF_H
#define CCONNECTIF_H

#include <QList>
#include <QObject>

// Which of the main window's signals a plug-in wants to hear: the host wires
// the source of each kind in the list to ConnectSignal(). Kinds: 0 the group
// tree's current item, 1 the projector list's selection, 2 the second
// projector list's selection, 3 the main tab's page; others are ignored.
class CConnectIF : public QObject
{
    Q_OBJECT
public:
    explicit CConnectIF(QObject* parent = nullptr);
    ~CConnectIF() override;

    QList<int> m_TriggerList;

signals:
    void ConnectSignal();
};

#endif // CCONNECTIF_H
