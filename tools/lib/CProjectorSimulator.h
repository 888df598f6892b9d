#ifndef CPROJECTORSIMULATOR_H
#define CPROJECTORSIMULATOR_H

#include <QHostAddress>
#include <QList>
#include <QObject>

#include "CSimulatedProjector.h"

// A fleet of simulated projectors, each on its own loopback address
// (127.0.0.2, 127.0.0.3, ...) on one port, or on consecutive ports of
// 127.0.0.1. Nothing is bound or sent outside 127.0.0.0/8.
class CProjectorSimulator : public QObject
{
    Q_OBJECT
public:
    enum AddressMode {
        ADDRESS_PER_PROJECTOR, // first address, +1, +2, ... on one port
        CONSECUTIVE_PORTS      // one address, port, port+1, ...
    };

    explicit CProjectorSimulator(QObject* parent = nullptr);
    ~CProjectorSimulator() override;

    // Starts `count` more projectors. Port 0 gives each projector a free port
    // of the system's choosing (what tests use, so parallel runs never clash).
    // False, with ErrorString set, when one cannot start; those started stay.
    bool Start(int count, AddressMode mode = ADDRESS_PER_PROJECTOR, quint16 port = 7142,
               const QHostAddress& first = QHostAddress(QStringLiteral("127.0.0.2")));
    // One more projector at the given place.
    CSimulatedProjector* AddProjector(const QHostAddress& address, quint16 port);
    void Stop();

    int Count() const { return m_Projectors.size(); }
    CSimulatedProjector* Projector(int index) const { return m_Projectors.value(index); }
    QList<CSimulatedProjector*> Projectors() const { return m_Projectors; }
    QString ErrorString() const { return m_ErrorString; }

    // The same handler or faults for every projector.
    void SetHandler(const CSimulatedProjector::Handler& handler);
    void SetFaults(const CSimFaults& faults);

private:
    QList<CSimulatedProjector*> m_Projectors;
    QString m_ErrorString;
};

#endif // CPROJECTORSIMULATOR_H
