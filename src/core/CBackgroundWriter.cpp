#include "CBackgroundWriter.h"

#include "ExceptionTrace.h"

#include <QAtomicInt>
#include <QMutexLocker>
#include <QThread>

namespace {

QAtomicInt g_HoldJobs;
QAtomicInt g_HeldJobs;

} // namespace

CBackgroundWriter::CBackgroundWriter(QObject* parent)
    : QObject(parent)
    , m_Thread(QThread::create([this] { f_Run(); }))
{
    m_Thread->setObjectName(QStringLiteral("file writer"));
    m_Thread->start();
}

CBackgroundWriter::~CBackgroundWriter()
{
    {
        QMutexLocker lock(&m_Mutex);
        m_Stopping = true;
        m_Pending.reset();
        m_Wake.wakeAll();
    }
    m_Thread->wait();
    delete m_Thread;
}

void CBackgroundWriter::Submit(Job job, Done done)
{
    QMutexLocker lock(&m_Mutex);
    m_Pending.reset(new Entry{std::move(job), std::move(done)});
    m_Wake.wakeAll();
}

void CBackgroundWriter::WaitForIdle()
{
    QMutexLocker lock(&m_Mutex);
    ++m_Waiters;
    m_Wake.wakeAll();
    while (m_Busy || m_Pending)
        m_Idle.wait(&m_Mutex);
    --m_Waiters;
    m_Results.clear();
}

void CBackgroundWriter::HoldJobs(bool on)
{
    g_HoldJobs.storeRelease(on ? 1 : 0);
}

int CBackgroundWriter::HeldJobs()
{
    return g_HeldJobs.loadAcquire();
}

int CBackgroundWriter::StartedJobs() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Started;
}

void CBackgroundWriter::f_Run()
{
    QMutexLocker lock(&m_Mutex);
    for (;;) {
        while (!m_Pending && !m_Stopping)
            m_Wake.wait(&m_Mutex);
        if (m_Stopping)
            break;
        std::unique_ptr<Entry> entry = std::move(m_Pending);
        m_Busy = true;
        ++m_Started;
        if (g_HoldJobs.loadAcquire()) {
            g_HeldJobs.ref();
            while (m_Waiters == 0 && !m_Stopping)
                m_Wake.wait(&m_Mutex);
        }
        lock.unlock();
        Result result = RunTraced(Result{-1, QStringLiteral("unexpected failure")}, entry->job);
        lock.relock();
        m_Busy = false;
        if (entry->done) {
            const bool first = m_Results.isEmpty();
            m_Results.append(qMakePair(entry->done, result));
            if (first)
                QMetaObject::invokeMethod(this, [this] { f_Deliver(); }, Qt::QueuedConnection);
        }
        if (!m_Pending)
            m_Idle.wakeAll();
    }
    m_Busy = false;
    m_Idle.wakeAll();
}

void CBackgroundWriter::f_Deliver()
{
    QList<QPair<Done, Result>> results;
    {
        QMutexLocker lock(&m_Mutex);
        results.swap(m_Results);
    }
    for (const auto& entry : qAsConst(results))
        entry.first(entry.second);
}
