#include "CFleetSweep.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QThread>
#include <QTimer>

#include "CCommandFunctions.h"
#include "CDeviceAccess.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "ProcessFigures.h"
#include "SimFrame.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

const char* const FIRST_ADDRESS = "127.0.0.2";

// The first existing file of the candidates, relative to this program's folder.
QString FindBeside(const QString& given, const QStringList& candidates)
{
    if (!given.isEmpty())
        return given;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& c : candidates) {
        const QFileInfo info(dir + QLatin1Char('/') + c);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}

// A port that is free on the first projector address now.
quint16 FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress(QString::fromLatin1(FIRST_ADDRESS)), 0))
        return 0;
    return probe.serverPort();
}

} // namespace

QHostAddress CFleetSweep::FirstAddress()
{
    return QHostAddress(QString::fromLatin1(FIRST_ADDRESS));
}

CFleetSweep::CFleetSweep()
{
    // Per-frame debug lines would be most of the work at fleet sizes.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

CFleetSweep::~CFleetSweep()
{
    if (m_Access)
        m_Access->CancelAll();
    m_Engine.reset();
    m_Access.reset();
    qDeleteAll(m_Records);
    if (m_Simulator.state() != QProcess::NotRunning) {
        m_Simulator.terminate();
        if (!m_Simulator.waitForFinished(5000))
            m_Simulator.kill();
        m_Simulator.waitForFinished(2000);
    }
}

QString CFleetSweep::FindSimulator(const QString& given)
{
    return FindBeside(given, {QStringLiteral("projector-simulator"), QStringLiteral("../tools/projector-simulator"),
                              QStringLiteral("../projector-simulator/projector-simulator")});
}

QString CFleetSweep::FindProfile(const QString& given)
{
    return FindBeside(given, {QStringLiteral("Profile.ini"), QStringLiteral("../Lumivox 5/Profile.ini")});
}

bool CFleetSweep::StartSimulator(const QString& program, int count, const QString& model, int delayMs,
                                 const QStringList& extra)
{
    m_Count = count;
    m_Port = FreePort();
    if (program.isEmpty() || m_Port == 0) {
        m_Error = program.isEmpty() ? QStringLiteral("the projector simulator was not found")
                                    : QStringLiteral("no free port on %1").arg(QString::fromLatin1(FIRST_ADDRESS));
        return false;
    }
    m_Simulator.setProcessChannelMode(QProcess::SeparateChannels);
    QStringList arguments{QStringLiteral("--count"), QString::number(count), QStringLiteral("--port"),
                          QString::number(m_Port), QStringLiteral("--first-address"),
                          QString::fromLatin1(FIRST_ADDRESS), QStringLiteral("--model"), model,
                          QStringLiteral("--delay"), QString::number(delayMs)};
    m_Simulator.start(program, arguments + extra);
    if (!m_Simulator.waitForStarted(10000)) {
        m_Error = QStringLiteral("the projector simulator did not start: %1").arg(m_Simulator.errorString());
        return false;
    }
    // It says so once every projector listens.
    QByteArray said;
    QElapsedTimer clock;
    clock.start();
    while (!said.contains("listening") && clock.elapsed() < 60000) {
        if (!m_Simulator.waitForReadyRead(1000) && m_Simulator.state() == QProcess::NotRunning)
            break;
        said += m_Simulator.readAllStandardOutput();
    }
    if (!said.contains("listening")) {
        m_Error = QStringLiteral("the projector simulator did not come up: %1")
                      .arg(QString::fromLocal8Bit(m_Simulator.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

bool CFleetSweep::CreateRecords(const QString& profilePath)
{
    m_Profiles.reset(new CProfileList(profilePath));
    if (m_Profiles->m_LoadFailed) {
        m_Error = QStringLiteral("cannot read %1").arg(profilePath);
        return false;
    }
    m_Access.reset(new CDeviceAccess());
    m_Engine.reset(new CCommandFunctions());
    m_Engine->SetProjectorDatas(&m_Records);
    m_Engine->SetDeviceAccess(m_Access.get());
    m_Access->StartWorkerThread(m_LinkThreads); // as the program's data hub does, unless told
    connect(m_Engine.get(), &CCommandFunctions::Completed, this,
            [this](int, int target, int, int, int) { f_OnEnd(target, 0); });
    connect(m_Engine.get(), &CCommandFunctions::Error, this,
            [this](int code, int, int target, int, int, int) { f_OnEnd(target, code); });
    connect(m_Engine.get(), &CCommandFunctions::NackReceived, this,
            [this](int code, int, int target, int, int, int) { f_OnEnd(target, code); });
    connect(m_Engine.get(), &CCommandFunctions::Canceled, this,
            [this](int, int target, int, int, int) { f_OnEnd(target, -10); });
    const quint32 first = QHostAddress(QString::fromLatin1(FIRST_ADDRESS)).toIPv4Address();
    for (int i = 0; i < m_Count; ++i) {
        const int id = i + 1;
        CProjectorData* record = new CProjectorData(m_Profiles.get(), id);
        record->m_SettingName = QStringLiteral("Projector %1").arg(id);
        record->m_Address = QHostAddress(first + quint32(i)).toString();
        record->m_Port = QString::number(m_Port);
        m_Records.insert(id, record);
    }
    return true;
}

void CFleetSweep::f_OnEnd(int targetID, int code)
{
    if (m_Outcome.codes.contains(targetID)) {
        ++m_Outcome.doubled;
        return;
    }
    m_Outcome.codes.insert(targetID, code);
    if (code == 0)
        ++m_Outcome.completed;
    else
        ++m_Outcome.failed;
    if (--m_Pending <= 0 && m_pLoop != nullptr) {
        m_Outcome.wallMs = m_Clock.elapsed();
        m_Outcome.cpuMs = CpuMs() - m_CpuBefore;
        m_Outcome.mainCpuMs = ThreadCpuMs() - m_MainCpuBefore;
        if (m_GraceMs > 0)
            QTimer::singleShot(m_GraceMs, m_pLoop, &QEventLoop::quit);
        else
            m_pLoop->quit();
    }
}

CFleetSweep::Outcome CFleetSweep::Sweep(int timeoutMs, int graceMs)
{
    m_Outcome = Outcome();
    m_Pending = m_Records.size();
    m_GraceMs = graceMs;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, [&]() {
        m_Outcome.timedOut = true;
        loop.quit();
    });
    // How long this thread goes without returning to its event loop.
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    connect(&probe, &QTimer::timeout, &loop, [&]() {
        if (m_Pending > 0)
            m_Outcome.longestStallMs = qMax(m_Outcome.longestStallMs, sinceTick.elapsed());
        sinceTick.restart();
    });

    // The same in each of the device link's threads, when it has its own.
    const QList<QThread*> linkThreads = m_Access->WorkerThreads();
    std::unique_ptr<QAtomicInteger<qint64>[]> linkStalls(new QAtomicInteger<qint64>[linkThreads.size()]);
    QAtomicInt linkProbing(1);
    QList<QTimer*> linkProbes;
    for (int i = 0; i < linkThreads.size(); ++i) {
        auto* linkProbe = new QTimer;
        linkProbe->setTimerType(Qt::PreciseTimer);
        linkProbe->moveToThread(linkThreads.at(i));
        linkProbes.append(linkProbe);
        QAtomicInteger<qint64>* stall = &linkStalls[i];
        QMetaObject::invokeMethod(linkProbe, [linkProbe, stall, &linkProbing]() {
            std::shared_ptr<QElapsedTimer> tick(new QElapsedTimer);
            tick->start();
            connect(linkProbe, &QTimer::timeout, linkProbe, [stall, &linkProbing, tick]() {
                if (linkProbing.loadRelaxed() && tick->elapsed() > stall->loadRelaxed())
                    stall->storeRelaxed(tick->elapsed());
                tick->restart();
            });
            linkProbe->start(5);
        }, Qt::BlockingQueuedConnection);
    }

    QMetaObject::Connection counting = connect(m_Access.get(), &CDeviceAccess::SendCompleted, this,
                                               [this](const QDateTime&, const QString&, const QByteArray&, int) { ++m_Outcome.frames; });
    m_CpuBefore = CpuMs();
    m_MainCpuBefore = ThreadCpuMs();
    const double simulatorBefore = ProcessCpuMs(m_Simulator.processId());
    const QMap<QString, double> threadsBefore = ProcessThreadCpuMs(m_Simulator.processId());
    m_Clock.start();
    for (auto it = m_Records.cbegin(); it != m_Records.cend(); ++it)
        m_Engine->GetGeneralData(0, it.key(), 1, 1, 1, false);
    limit.start(timeoutMs);
    probe.start(5);
    sinceTick.start();
    m_pLoop = &loop;
    if (m_Pending > 0)
        loop.exec();
    m_pLoop = nullptr;
    disconnect(counting);
    linkProbing.storeRelaxed(0);
    for (int i = 0; i < linkProbes.size(); ++i) {
        QTimer* linkProbe = linkProbes.at(i);
        QMetaObject::invokeMethod(linkProbe, [linkProbe]() { delete linkProbe; }, Qt::BlockingQueuedConnection);
        m_Outcome.linkStallsMs.append(linkStalls[i].loadRelaxed());
        m_Outcome.longestLinkStallMs = qMax(m_Outcome.longestLinkStallMs, linkStalls[i].loadRelaxed());
    }
    if (m_Outcome.timedOut) {
        m_Outcome.wallMs = m_Clock.elapsed();
        m_Outcome.cpuMs = CpuMs() - m_CpuBefore;
        m_Outcome.mainCpuMs = ThreadCpuMs() - m_MainCpuBefore;
    }
    m_Outcome.simulatorCpuMs = ProcessCpuMs(m_Simulator.processId()) - simulatorBefore;
    const QMap<QString, double> threadsAfter = ProcessThreadCpuMs(m_Simulator.processId());
    for (auto it = threadsAfter.cbegin(); it != threadsAfter.cend(); ++it)
        m_Outcome.simulatorBusiestThreadMs
            = qMax(m_Outcome.simulatorBusiestThreadMs, it.value() - threadsBefore.value(it.key()));
    return m_Outcome;
}

CFleetSweep::Outcome CFleetSweep::BareSweep(int exchanges, int timeoutMs)
{
    Outcome outcome;
    struct Peer
    {
        int fd = -1;
        int left = 0;
        bool connected = false;
        QByteArray in;
    };
    const QByteArray request = MakeSimFrame(0x00, 0x88, QByteArray());
    std::vector<Peer> peers{size_t(m_Count)};
    const int poller = epoll_create1(EPOLL_CLOEXEC);
    const quint32 first = QHostAddress(QString::fromLatin1(FIRST_ADDRESS)).toIPv4Address();
    const double cpuBefore = CpuMs();
    QElapsedTimer clock;
    clock.start();
    int open = 0;
    for (int i = 0; i < m_Count; ++i) {
        Peer& p = peers[size_t(i)];
        p.fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const int one = 1;
        setsockopt(p.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(m_Port);
        to.sin_addr.s_addr = htonl(first + quint32(i));
        if (::connect(p.fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 && errno != EINPROGRESS) {
            ::close(p.fd);
            p.fd = -1;
            ++outcome.failed;
            continue;
        }
        p.left = exchanges;
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLOUT;
        ev.data.u32 = quint32(i);
        epoll_ctl(poller, EPOLL_CTL_ADD, p.fd, &ev);
        ++open;
    }
    auto finish = [&](Peer& p, bool ok) {
        epoll_ctl(poller, EPOLL_CTL_DEL, p.fd, nullptr);
        ::close(p.fd);
        p.fd = -1;
        --open;
        ++(ok ? outcome.completed : outcome.failed);
    };
    std::vector<epoll_event> ready(256);
    char buffer[4096];
    while (open > 0 && clock.elapsed() < timeoutMs) {
        const int n = epoll_wait(poller, ready.data(), int(ready.size()), 100);
        for (int k = 0; k < n; ++k) {
            Peer& p = peers[ready[size_t(k)].data.u32];
            if (p.fd < 0)
                continue;
            if (!p.connected) {
                int error = 0;
                socklen_t size = sizeof error;
                getsockopt(p.fd, SOL_SOCKET, SO_ERROR, &error, &size);
                if (error != 0) {
                    finish(p, false);
                    continue;
                }
                p.connected = true;
                epoll_event ev{};
                ev.events = EPOLLIN;
                ev.data.u32 = ready[size_t(k)].data.u32;
                epoll_ctl(poller, EPOLL_CTL_MOD, p.fd, &ev);
                ::write(p.fd, request.constData(), size_t(request.size()));
                ++outcome.frames;
                continue;
            }
            const ssize_t got = ::read(p.fd, buffer, sizeof buffer);
            if (got <= 0) {
                if (got < 0 && errno == EAGAIN)
                    continue;
                finish(p, false);
                continue;
            }
            p.in.append(buffer, int(got));
            const int length = SimFrameLength(p.in);
            if (length == 0)
                continue;
            p.in.remove(0, length);
            if (--p.left == 0) {
                finish(p, true);
                continue;
            }
            ::write(p.fd, request.constData(), size_t(request.size()));
            ++outcome.frames;
        }
    }
    outcome.wallMs = clock.elapsed();
    outcome.cpuMs = CpuMs() - cpuBefore;
    outcome.timedOut = open > 0;
    for (Peer& p : peers)
        if (p.fd >= 0)
            ::close(p.fd);
    ::close(poller);
    return outcome;
}
