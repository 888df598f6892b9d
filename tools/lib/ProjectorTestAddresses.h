#ifndef PROJECTORTESTADDRESSES_H
#define PROJECTORTESTADDRESSES_H

#include <QHostAddress>

// Where a test puts simulated projectors that must sit at a fixed port (the
// projector port 7142, as a LAN search registers them) or at the addresses
// of a user list that a program under test polls: on this process's own
// block of 64 loopback addresses in 127.128.0.0/10 (TestAddressBlocks.h),
// never on 127.0.0.2, 127.0.0.3, ..., where the projector simulator puts a
// fleet (`./run.sh --fleet` may run while the tests do) and where the same
// test of another ctest job or checkout would bind the same place.
//
// Any port may be used there, 7142 included. A projector that may listen
// anywhere can also take a free port (port 0 to CProjectorSimulator or
// CSimulatedProjector) on 127.0.0.x; it must never use the fleet's port there.
//
// `host` (1 to 62) picks an address of this process's block; consecutive
// hosts are consecutive addresses, none ending in .0 or .255, so a user list
// written from host 1 (FleetUserList::Write) names hosts 1, 2, 3, ...
QHostAddress ProjectorTestAddress(int host);

#endif // PROJECTORTESTADDRESSES_H
