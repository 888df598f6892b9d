#include "CProjectorSimulator.h"

CProjectorSimulator::CProjectorSimulator(QObject* parent)
    : QObject(parent)
{
}

CProjectorSimulator::~CProjectorSimulator()
{
    Stop();
}

bool CProjectorSimulator::Start(int count, AddressMode mode, quint16 port, const QHostAddress& first)
{
    bool isIPv4 = false;
    const quint32 firstIp = first.toIPv4Address(&isIPv4);
    if (!isIPv4 || !CSimulatedProjector::IsAllowedAddress(first)) {
        m_ErrorString = QStringLiteral("%1 is not a loopback address (127.0.0.0/8)").arg(first.toString());
        return false;
    }
    for (int i = 0; i < count; ++i) {
        quint32 ip = firstIp;
        quint32 p = port;
        if (mode == ADDRESS_PER_PROJECTOR)
            ip += quint32(i);
        else if (port != 0)
            p += quint32(i);
        if (p > 65535 || (ip >> 24) != 127) {
            m_ErrorString = QStringLiteral("projector %1 would lie outside 127.0.0.0/8 or past port 65535").arg(i + 1);
            return false;
        }
        if (!AddProjector(QHostAddress(ip), quint16(p)))
            return false;
    }
    return true;
}

CSimulatedProjector* CProjectorSimulator::AddProjector(const QHostAddress& address, quint16 port)
{
    auto* projector = new CSimulatedProjector(address, port, this);
    if (!projector->Start()) {
        m_ErrorString = QStringLiteral("%1:%2: %3").arg(address.toString()).arg(port).arg(projector->ErrorString());
        delete projector;
        return nullptr;
    }
    m_Projectors.append(projector);
    return projector;
}

void CProjectorSimulator::Stop()
{
    qDeleteAll(m_Projectors);
    m_Projectors.clear();
}

void CProjectorSimulator::SetHandler(const CSimulatedProjector::Handler& handler)
{
    for (CSimulatedProjector* projector : m_Projectors)
        projector->SetHandler(handler);
}

void CProjectorSimulator::SetFaults(const CSimFaults& faults)
{
    for (CSimulatedProjector* projector : m_Projectors)
        projector->SetFaults(faults);
}
