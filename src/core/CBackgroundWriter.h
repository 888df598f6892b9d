#ifndef CBACKGROUNDWRITER_H
#define CBACKGROUNDWRITER_H

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <memory>

class QThread;

// Writes files for the GUI thread on a thread of its own, so that a write
// and its forced sync never hold up the window. The caller builds what is
// to be written and hands over a job that only writes it. One job runs at a
// time; a job handed over while one runs waits, and a newer one replaces
// it unrun (the newest content wins). Each job that ran reports its result
// back on the thread that owns the writer, through the callback handed over
// with it.
class CBackgroundWriter : public QObject
{
    Q_OBJECT
public:
    struct Result
    {
        // 0 written; anything else names the failure for the callback.
        int code = 0;
        // Why it failed, for the operator.
        QString reason;
    };
    using Job = std::function<Result()>;
    using Done = std::function<void(const Result&)>;

    explicit CBackgroundWriter(QObject* parent = nullptr);
    // Waits for the job that runs; a waiting one is dropped.
    ~CBackgroundWriter() override;

    void Submit(Job job, Done done);
    // Blocks until no job runs or waits. Results not yet delivered are
    // dropped: the caller writes next itself and reports that.
    void WaitForIdle();
    // Jobs started so far (a replaced one never starts).
    int StartedJobs() const;

    // For tests: while on, every writer holds each job it starts before the
    // job writes, as a slow disk would, until its owner waits for it
    // (WaitForIdle) or the writer ends.
    static void HoldJobs(bool on);
    // For tests: jobs held so far, by all writers.
    static int HeldJobs();

private:
    struct Entry
    {
        Job job;
        Done done;
    };
    void f_Run();
    void f_Deliver();

    mutable QMutex m_Mutex;
    QWaitCondition m_Wake;
    QWaitCondition m_Idle;
    std::unique_ptr<Entry> m_Pending;
    bool m_Busy = false;
    bool m_Stopping = false;
    int m_Started = 0;
    // Callers blocked in WaitForIdle.
    int m_Waiters = 0;
    // Results waiting to go to their callbacks on the owner's thread.
    QList<QPair<Done, Result>> m_Results;
    QThread* m_Thread;
};

#endif // CBACKGROUNDWRITER_H
