#include "CBatchedSocketIo.h"

#include <QtGlobal>

#include <cerrno>
#include <sys/socket.h>

#ifdef LUMIVOX_HAVE_IO_URING
#include <liburing.h>
#endif

namespace {
// Operations per call into the kernel.
const unsigned RING_ENTRIES = 256;
} // namespace

struct CBatchedSocketIo::Ring
{
#ifdef LUMIVOX_HAVE_IO_URING
    io_uring ring;
#endif
};

CBatchedSocketIo::CBatchedSocketIo()
{
#ifdef LUMIVOX_HAVE_IO_URING
    if (qEnvironmentVariableIsSet("LUMIVOX_NO_IO_URING"))
        return;
    std::unique_ptr<Ring> ring(new Ring);
    // Only this thread submits; completions are collected right away.
    const unsigned flags[] = {IORING_SETUP_SINGLE_ISSUER | IORING_SETUP_COOP_TASKRUN, 0u};
    for (unsigned f : flags) {
        if (io_uring_queue_init(RING_ENTRIES, &ring->ring, f) == 0) {
            m_pRing = std::move(ring);
            return;
        }
    }
#endif
}

CBatchedSocketIo::~CBatchedSocketIo()
{
#ifdef LUMIVOX_HAVE_IO_URING
    if (m_pRing)
        io_uring_queue_exit(&m_pRing->ring);
#endif
}

bool CBatchedSocketIo::IsBatched() const
{
    return m_pRing != nullptr;
}

void CBatchedSocketIo::f_RunOne(Op& op)
{
    ssize_t done;
    do
        done = op.send ? ::send(op.fd, op.data, size_t(op.length), MSG_NOSIGNAL | MSG_DONTWAIT)
                       : ::recv(op.fd, op.data, size_t(op.length), MSG_DONTWAIT);
    while (done < 0 && errno == EINTR);
    op.result = done < 0 ? -errno : int(done);
}

void CBatchedSocketIo::Run(Op* ops, int count)
{
    int done = 0; // ops before this one have their results
#ifdef LUMIVOX_HAVE_IO_URING
    while (m_pRing && done < count) {
        io_uring* ring = &m_pRing->ring;
        const int chunk = qMin(count - done, int(RING_ENTRIES));
        for (int i = 0; i < chunk; ++i) {
            Op& op = ops[done + i];
            io_uring_sqe* sqe = io_uring_get_sqe(ring);
            // MSG_DONTWAIT: the ring answers "nothing now" instead of waiting.
            if (op.send)
                io_uring_prep_send(sqe, op.fd, op.data, size_t(op.length), MSG_NOSIGNAL | MSG_DONTWAIT);
            else
                io_uring_prep_recv(sqe, op.fd, op.data, size_t(op.length), MSG_DONTWAIT);
            io_uring_sqe_set_data64(sqe, quint64(done + i));
        }
        for (int i = 0; i < chunk; ++i)
            ops[done + i].result = -EINPROGRESS;
        int submitted;
        do
            submitted = io_uring_submit(ring);
        while (submitted == -EINTR);
        // Done at once, so their completions are normally there already.
        bool failed = submitted != chunk;
        for (int seen = 0; seen < submitted;) {
            io_uring_cqe* cqe = nullptr;
            const int waited = io_uring_wait_cqe(ring, &cqe);
            if (waited == -EINTR)
                continue;
            if (waited < 0 || !cqe) {
                failed = true;
                break;
            }
            const quint64 index = io_uring_cqe_get_data64(cqe);
            if (index < quint64(count))
                ops[index].result = cqe->res;
            io_uring_cqe_seen(ring, cqe);
            ++seen;
        }
        if (failed) {
            // The ring failed us: the operations it took and did not answer
            // count as failed (never done twice); the rest, and all later
            // ones, are done directly. The kernel takes the queued ones in
            // order, so those it took came first.
            const int taken = qMax(submitted, 0);
            for (int i = 0; i < taken; ++i)
                if (ops[done + i].result == -EINPROGRESS)
                    ops[done + i].result = -EIO;
            done += taken;
            io_uring_queue_exit(ring);
            m_pRing.reset();
            break;
        }
        done += chunk;
    }
#endif
    for (int i = done; i < count; ++i)
        f_RunOne(ops[i]);
}
