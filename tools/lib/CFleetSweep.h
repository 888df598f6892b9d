#ifndef CFLEETSWEEP_H
#define CFLEETSWEEP_H

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class CCommandFunctions;
class QEventLoop;
class CDeviceAccess;
class CProfileList;
class CProjectorData;

// One status update of a whole fleet of simulated projectors through the
// command engine: starts the projector simulator as a process of its own
// (every projector on its own loopback address, with a reply delay), makes a
// projector record for each, asks every one at once and waits for all ends.
class CFleetSweep : public QObject
{
public:
    struct Outcome
    {
        qint64 wallMs = 0;      // from the first request to the last end
        double cpuMs = 0;       // this process's CPU time meanwhile
        double mainCpuMs = 0;   // the calling (GUI) thread's share of it
        double simulatorCpuMs = 0; // the simulator's (10 ms steps)
        double simulatorBusiestThreadMs = 0; // its busiest thread's share of that
        qint64 longestStallMs = 0; // longest gap between two ticks of a 5 ms timer in this thread
        qint64 longestLinkStallMs = -1; // the same in the device link's own threads, the longest (-1: none)
        QList<qint64> linkStallsMs; // each device link thread's
        int completed = 0;
        int failed = 0;         // errors, negative replies, cancels
        int doubled = 0;        // further results for a projector that had one
        int frames = 0;         // request frames the device link sent
        bool timedOut = false;
        QMap<int, int> codes;   // projector id -> end code (0 completed)
    };

    CFleetSweep();
    ~CFleetSweep() override;

    // The simulator program and Profile.ini: found beside this program in the
    // build tree unless given.
    static QString FindSimulator(const QString& given);
    static QString FindProfile(const QString& given);

    // Starts `count` projectors answering as `model` ("all" mixes the shipped
    // models) after `delayMs`, with `extra` simulator options. False with Error() when they do not come up.
    bool StartSimulator(const QString& program, int count, const QString& model, int delayMs,
                        const QStringList& extra = QStringList());
    // Reads the profiles and makes one record per projector (ids 1..count).
    bool CreateRecords(const QString& profilePath);
    // How many threads the device link spreads its connections over (0, the
    // default: as many as it picks itself). Before CreateRecords.
    void SetLinkThreads(int threads) { m_LinkThreads = threads; }
    // One status update of every projector at once. After the last result the
    // event loop runs `graceMs` longer, so that a second result would be seen.
    Outcome Sweep(int timeoutMs, int graceMs = 0);

    // The same exchanges without this program: one thread, plain non-blocking
    // sockets and epoll, `exchanges` request/reply pairs per projector one
    // after the other. What is left of the sweep's cost is the kernel's and
    // the simulator's: the floor a sweep through the program can approach.
    Outcome BareSweep(int exchanges, int timeoutMs);

    QMap<int, CProjectorData*>& Records() { return m_Records; }
    // The port every simulated projector listens on, once started.
    quint16 Port() const { return m_Port; }
    // Where the first projector listens; the others follow on the next addresses.
    static QHostAddress FirstAddress();
    QString Error() const { return m_Error; }

private:
    void f_OnEnd(int targetID, int code);

    QProcess m_Simulator;
    int m_Count = 0;
    quint16 m_Port = 0;
    QString m_Error;
    int m_LinkThreads = 0;
    std::unique_ptr<CProfileList> m_Profiles;
    std::unique_ptr<CDeviceAccess> m_Access;
    std::unique_ptr<CCommandFunctions> m_Engine;
    QMap<int, CProjectorData*> m_Records;
    Outcome m_Outcome;
    int m_Pending = 0;
    int m_GraceMs = 0;
    double m_CpuBefore = 0;
    double m_MainCpuBefore = 0;
    QEventLoop* m_pLoop = nullptr;
    QElapsedTimer m_Clock;
};

#endif // CFLEETSWEEP_H
