#ifndef TESTADDRESSBLOCKS_H
#define TESTADDRESSBLOCKS_H

#include <QHostAddress>

// Test servers that listen at a fixed port take their loopback addresses from
// a block of their own process, so that two test processes (ctest runs
// several at once, and two checkouts may run at the same time) never fight
// for an address, and neither meets a simulated fleet. The ranges of
// 127.0.0.0/8:
//
//   127.0.0.0/16    the projector simulator's fleet (`./run.sh --fleet`:
//                   127.0.0.2, 127.0.0.3, ... port 7142, up to 127.0.7.x for
//                   2000 projectors); tests use it only with a free port
//   127.64.0.0/10   mail servers (MailTestAddresses.h)
//   127.128.0.0/10  simulated projectors (ProjectorTestAddresses.h)
//
// Within a range a process takes the 64 addresses of block (process id mod
// 65536): process ids below 65536 never share a block.
//
// `range` is the second byte where the range starts (64 or 128); `host`
// (1 to 62) picks an address of the block, never one ending in .0 or .255.
QHostAddress TestBlockAddress(int range, int host, qint64 processId);

#endif // TESTADDRESSBLOCKS_H
