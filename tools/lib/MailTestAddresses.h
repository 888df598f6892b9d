#ifndef MAILTESTADDRESSES_H
#define MAILTESTADDRESSES_H

#include <QHostAddress>

// The mail test servers listen at the clients' fixed ports (25, 465, 110),
// so two runs of the mail tests at the same time (two checkouts, or ctest
// running executables side by side) would fight for the same addresses.
// Each process therefore takes a block of its own: 64 loopback addresses in
// 127.64.0.0/10, chosen by its process id (TestAddressBlocks.h). Nothing
// else of the tests uses that range; 127.0.0.1 may hold the machine's own
// mail server.
//
// `host` (1 to 62) picks an address of this process's block.
QHostAddress MailTestAddress(int host);

#endif // MAILTESTADDRESSES_H
