#ifndef CBATCHEDSOCKETIO_H
#define CBATCHEDSOCKETIO_H

#include <memory>

// Many non-blocking socket reads and sends handed to the kernel in one call
// (an io_uring of the calling thread) instead of one system call each: a
// thread that serves thousands of sockets does dozens of them per turn, and
// entering the kernel is a good part of each one's cost. Where the system
// has no such ring (or refuses one) the operations are done one by one, with
// the same results. Every operation is complete when Run() returns; none
// waits for data or for room.
//
// One object per thread; created and used by that thread only.
class CBatchedSocketIo
{
public:
    struct Op
    {
        int fd;
        char* data;   // read into, or sent from
        int length;
        bool send;
        int result;   // bytes done, or a negative errno (-EAGAIN: nothing now)
    };

    CBatchedSocketIo();
    ~CBatchedSocketIo();
    CBatchedSocketIo(const CBatchedSocketIo&) = delete;
    CBatchedSocketIo& operator=(const CBatchedSocketIo&) = delete;

    // Performs `count` operations, in order per descriptor, and fills in
    // their results.
    void Run(Op* ops, int count);

    // Whether a ring does them (for tests and figures).
    bool IsBatched() const;

private:
    static void f_RunOne(Op& op);

    struct Ring;
    std::unique_ptr<Ring> m_pRing;
};

#endif // CBATCHEDSOCKETIO_H
