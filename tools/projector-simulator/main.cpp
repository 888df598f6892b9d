// The projector simulator as a program of its own: runs a fleet of simulated
// projectors on loopback addresses until it is stopped.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QDateTime>
#include <QSocketNotifier>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "CEpollEventDispatcher.h"
#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"
#include "CSimulatorScript.h"
#include "FleetHeap.h"
#include "RaiseOpenFileLimit.h"
#include "ToolArguments.h"

namespace {

int g_SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char c = 1;
    if (::write(g_SignalPipe[1], &c, 1) < 0) {
        // Nothing to do: the process ends with the next signal's default action.
    }
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "projector-simulator: %s\n", qPrintable(message));
    return 2;
}

// Terminals each shipped model lists, so a varied input always has a name.
const QMap<QString, QList<int>>& VariedInputs()
{
    static const QMap<QString, QList<int>> inputs{
        {QStringLiteral("LV-L100"), {0x01, 0x02, 0x06, 0x0B}},
        {QStringLiteral("LV-D200"), {0x01, 0x12, 0x20}},
        {QStringLiteral("LV-X500"), {0x22}},
        {QStringLiteral("LV-E300"), {0x01, 0x06, 0x1F}},
    };
    return inputs;
}

// What every projector gets, whichever thread serves it.
struct Setup
{
    CSimulatorScript script;
    QList<CSimModelSpec> models;
    CSimFaults faults;
    bool vary = false;
    bool refuse = false;
    bool stall = false;
    bool verbose = false;
    int troubledPercent = 0;
    int lateMs = 6000;
    // The error status data projectors report from the start, and which
    // projectors (numbers from 1; none: every one) do.
    bool errorStatus = false;
    QByteArray errorData;
    QSet<int> errorProjectors;
};

// "DATA[@N,N...]": the error status data in hex and the numbers of the
// projectors that report it; false for anything else.
bool ParseErrorStatus(const QString& text, int count, Setup* setup)
{
    const QString hex = text.section(QLatin1Char('@'), 0, 0);
    static const QRegularExpression hexDigits(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    if (hex.isEmpty() || !hexDigits.match(hex).hasMatch() || hex.size() / 2 > CSimProjectorState::ERROR_STATUS_BYTES)
        return false;
    setup->errorData = QByteArray::fromHex(hex.toLatin1());
    if (text.contains(QLatin1Char('@'))) {
        for (const QString& part : text.section(QLatin1Char('@'), 1).split(QLatin1Char(','))) {
            int number = 0;
            if (!ParseInt(part.trimmed(), 1, count, &number))
                return false;
            setup->errorProjectors.insert(number);
        }
    }
    setup->errorStatus = true;
    return true;
}

// A share of the fleet served by a thread of its own: its projectors live in
// that thread and only that thread touches them once they run.
struct Shard
{
    QThread thread;
    std::unique_ptr<CProjectorSimulator> simulator{new CProjectorSimulator};
    std::vector<std::unique_ptr<CSimProjectorModel>> protocols;
    QString error;
};

// Of every hundred projectors, `percent` misbehave, in turn refusing the
// connection, never answering and answering after `lateMs`: 0 for a good one,
// 1, 2 or 3 for those.
int TroubleOf(int index, int percent)
{
    if (percent <= 0)
        return 0;
    const int step = qMax(1, 100 / percent);
    if (index % step != step - 1)
        return 0;
    return (index / step) % 3 + 1;
}

// Starts projectors [first, first + count) of the fleet in the calling thread.
bool StartShard(Shard& shard, const Setup& setup, int first, int count, CProjectorSimulator::AddressMode mode,
                quint16 port, const QHostAddress& firstAddress)
{
    CProjectorSimulator& simulator = *shard.simulator;
    quint16 shardPort = port;
    QHostAddress shardAddress = firstAddress;
    if (mode == CProjectorSimulator::ADDRESS_PER_PROJECTOR)
        shardAddress = QHostAddress(firstAddress.toIPv4Address() + quint32(first));
    else if (port != 0 && port + first > 65535) {
        shard.error = QStringLiteral("projector %1 would lie past port 65535").arg(first + 1);
        return false;
    } else if (port != 0)
        shardPort = quint16(port + first);
    if (!simulator.Start(count, mode, shardPort, shardAddress)) {
        shard.error = simulator.ErrorString();
        return false;
    }
    const CSimulatorScript script = setup.script;
    simulator.SetHandler([script](const QByteArray& request) { return script.Reply(request); });
    for (int i = 0; i < simulator.Count(); ++i) {
        CSimulatedProjector* projector = simulator.Projector(i);
        const int index = first + i;
        CSimFaults faults = setup.faults;
        const int trouble = TroubleOf(index, setup.troubledPercent);
        faults.silent = faults.silent || trouble == 2;
        if (trouble == 3)
            faults.extraDelayMs += setup.lateMs;
        projector->SetFaults(faults);
        if (!setup.models.isEmpty()) {
            const CSimModelSpec& spec = setup.models.at(index % setup.models.size());
            shard.protocols.emplace_back(new CSimProjectorModel(spec));
            CSimProjectorModel* protocol = shard.protocols.back().get();
            if (setup.vary) {
                const QList<int> choices = VariedInputs().value(spec.name, {0x01});
                CSimProjectorState& state = protocol->State();
                state.projectorName = QStringLiteral("PJ-%1").arg(index + 1);
                state.power = index % 3 == 2 ? int(CSimProjectorState::POWER_STANDBY)
                                             : int(CSimProjectorState::POWER_ON);
                state.inputTerminal = choices.at((index / setup.models.size()) % choices.size());
                state.lampUsage[0] = 3600 * (100 + 37 * index);
                state.lampUsage[1] = 3600 * (50 + 11 * index);
            }
            if (setup.errorStatus && (setup.errorProjectors.isEmpty() || setup.errorProjectors.contains(index + 1)))
                protocol->State().SetErrorStatus(setup.errorData);
            projector->SetHandler([protocol](const QByteArray& request) { return protocol->Answer(request); });
        }
        if (setup.refuse || trouble == 1)
            projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE);
        else if (setup.stall && !projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL)) {
            shard.error = projector->ErrorString();
            return false;
        }
        if (!setup.verbose)
            continue;
        const QString where = projector->AddressText() + QLatin1Char(':') + projector->PortText();
        QObject::connect(projector, &CSimulatedProjector::ClientConnected, [where]() {
            std::printf("%s connected\n", qPrintable(where));
            std::fflush(stdout);
        });
        QObject::connect(projector, &CSimulatedProjector::RequestReceived, [where](const QByteArray& request) {
            std::printf("%s request %s\n", qPrintable(where), request.toHex(' ').toUpper().constData());
            std::fflush(stdout);
        });
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    StartAsFleetProgram(argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("projector-simulator"));
    RaiseOpenFileLimit();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs simulated projectors for testing Lumivox 5. Each projector listens on its own\n"
        "loopback address (127.0.0.2, 127.0.0.3, ...) on one port, or, with --consecutive-ports,\n"
        "on consecutive ports of 127.0.0.1. Request frames are answered from a script file\n"
        "whose lines read \"<request hex> -> <reply hex | silence | close>\", with \"*\" on the\n"
        "left for every other request; lines starting with '#' are comments. Nothing is bound\n"
        "or sent outside 127.0.0.0/8. With --model, each projector instead speaks the whole\n"
        "control protocol as a model of the shipped Profile.ini, from state of its own that\n"
        "set requests change. Stop it with Ctrl+C."));
    parser.addHelpOption();

    const QCommandLineOption countOption({QStringLiteral("n"), QStringLiteral("count")},
        QStringLiteral("Number of projectors (default 1)."), QStringLiteral("count"), QStringLiteral("1"));
    const QCommandLineOption addressOption(QStringLiteral("first-address"),
        QStringLiteral("Address of the first projector, in 127.0.0.0/8 (default 127.0.0.2; "
                       "127.0.0.1 with --consecutive-ports)."), QStringLiteral("address"));
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("TCP port (default 7142); 0 lets the system choose."), QStringLiteral("port"),
        QStringLiteral("7142"));
    const QCommandLineOption consecutiveOption(QStringLiteral("consecutive-ports"),
        QStringLiteral("Put all projectors on one address, on port, port+1, ..."));
    const QCommandLineOption scriptOption({QStringLiteral("s"), QStringLiteral("script")},
        QStringLiteral("Script of requests and their replies (without one, nothing is answered)."),
        QStringLiteral("file"));
    const QCommandLineOption modelOption({QStringLiteral("m"), QStringLiteral("model")},
        QStringLiteral("Answer as this model (LV-L100, LV-D200, LV-X500, LV-E300), or \"all\" to give the\n"
                       "projectors the four models in turn."), QStringLiteral("model"));
    const QCommandLineOption varyOption(QStringLiteral("vary"),
        QStringLiteral("With --model: give the projectors names, power states, inputs and lamp hours of\n"
                       "their own (PJ-1, PJ-2, ...; every third in standby)."));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
        QStringLiteral("Wait this long before every reply."), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption chunksOption(QStringLiteral("chunks"),
        QStringLiteral("Split every reply: sizes of the leading chunks, e.g. 3,4 (the rest comes last)."),
        QStringLiteral("sizes"));
    const QCommandLineOption gapOption(QStringLiteral("gap"),
        QStringLiteral("Pause between chunks (default 100)."), QStringLiteral("ms"), QStringLiteral("100"));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
        QStringLiteral("Accept connections but never answer."));
    const QCommandLineOption closeOption(QStringLiteral("close"),
        QStringLiteral("Close the connection on every request."));
    const QCommandLineOption refuseOption(QStringLiteral("refuse"),
        QStringLiteral("Refuse every connection."));
    const QCommandLineOption stallOption(QStringLiteral("stall"),
        QStringLiteral("Never accept a connection: connecting hangs."));
    const QCommandLineOption verboseOption({QStringLiteral("v"), QStringLiteral("verbose")},
        QStringLiteral("Print every connection and request."));
    const QCommandLineOption threadsOption(QStringLiteral("threads"),
        QStringLiteral("Serve the projectors from this many threads (default: one per 250 projectors,\n"
                       "at most as many as there are cores)."), QStringLiteral("count"));
    const QCommandLineOption troubledOption(QStringLiteral("troubled"),
        QStringLiteral("This percentage of the projectors misbehaves, in turn refusing connections,\n"
                       "never answering and answering after --late."), QStringLiteral("percent"),
        QStringLiteral("0"));
    const QCommandLineOption lateOption(QStringLiteral("late"),
        QStringLiteral("How late the late ones of --troubled answer (default 6000)."), QStringLiteral("ms"),
        QStringLiteral("6000"));
    const QCommandLineOption errorStatusOption(QStringLiteral("error-status"),
        QStringLiteral("With --model: report this error status from the start: the data bytes of the error\n"
                       "status reply in hex (at most twelve, the rest zero), e.g. 40 for a lamp failure;\n"
                       "after @ the numbers of the projectors that report it (e.g. 40@2,5), else all."),
        QStringLiteral("data[@numbers]"));
    parser.addOptions({countOption, addressOption, portOption, consecutiveOption, scriptOption, modelOption,
                       varyOption, delayOption, chunksOption, gapOption, silentOption, closeOption,
                       refuseOption, stallOption, verboseOption, threadsOption, troubledOption, lateOption,
                       errorStatusOption});
    parser.process(app);

    int count = 0;
    int port = 0;
    Setup setup;
    CSimFaults& faults = setup.faults;
    if (!ParseInt(parser.value(countOption), 1, 100000, &count))
        return Fail(QStringLiteral("--count wants a number of at least 1"));
    if (!ParseInt(parser.value(portOption), 0, 65535, &port))
        return Fail(QStringLiteral("--port wants a number from 0 to 65535"));
    if (!ParseInt(parser.value(delayOption), 0, 3600000, &faults.extraDelayMs))
        return Fail(QStringLiteral("--delay wants milliseconds"));
    if (!ParseInt(parser.value(gapOption), 0, 3600000, &faults.gapMs))
        return Fail(QStringLiteral("--gap wants milliseconds"));
    if (!ParseInt(parser.value(troubledOption), 0, 100, &setup.troubledPercent))
        return Fail(QStringLiteral("--troubled wants a percentage"));
    if (!ParseInt(parser.value(lateOption), 0, 3600000, &setup.lateMs))
        return Fail(QStringLiteral("--late wants milliseconds"));
    if (parser.isSet(chunksOption)) {
        for (const QString& part : parser.value(chunksOption).split(QLatin1Char(','))) {
            int size = 0;
            if (!ParseInt(part.trimmed(), 1, 65536, &size))
                return Fail(QStringLiteral("--chunks wants sizes like 3,4"));
            faults.chunkSizes.append(size);
        }
    }
    faults.silent = parser.isSet(silentOption);
    faults.closeOnRequest = parser.isSet(closeOption);
    setup.refuse = parser.isSet(refuseOption);
    setup.stall = parser.isSet(stallOption);
    setup.vary = parser.isSet(varyOption);
    setup.verbose = parser.isSet(verboseOption);
    if (setup.refuse && setup.stall)
        return Fail(QStringLiteral("--refuse and --stall exclude each other"));
    const int cores = qMax(1, QThread::idealThreadCount());
    int threads = qBound(1, (count + 249) / 250, cores);
    if (parser.isSet(threadsOption) && !ParseInt(parser.value(threadsOption), 1, 256, &threads))
        return Fail(QStringLiteral("--threads wants a number from 1 to 256"));
    threads = qMin(threads, count);

    if (parser.isSet(scriptOption) && !setup.script.Load(parser.value(scriptOption)))
        return Fail(setup.script.Error());
    if (parser.isSet(modelOption)) {
        if (parser.isSet(scriptOption))
            return Fail(QStringLiteral("--model and --script exclude each other"));
        const QString name = parser.value(modelOption);
        if (name == QLatin1String("all"))
            setup.models = CSimModelSpec::ShippedModels();
        else if (!CSimModelSpec::Shipped(name).name.isEmpty())
            setup.models << CSimModelSpec::Shipped(name);
        else
            return Fail(QStringLiteral("--model wants LV-L100, LV-D200, LV-X500, LV-E300 or all"));
    }
    if (parser.isSet(errorStatusOption)) {
        if (!parser.isSet(modelOption))
            return Fail(QStringLiteral("--error-status needs --model"));
        if (!ParseErrorStatus(parser.value(errorStatusOption), count, &setup))
            return Fail(QStringLiteral("--error-status wants up to twelve bytes in hex, e.g. 40 or 40@2,5"));
    }

    const bool consecutive = parser.isSet(consecutiveOption);
    const QHostAddress first(parser.isSet(addressOption)
                                 ? parser.value(addressOption)
                                 : (consecutive ? QStringLiteral("127.0.0.1") : QStringLiteral("127.0.0.2")));
    const auto mode = consecutive ? CProjectorSimulator::CONSECUTIVE_PORTS
                                  : CProjectorSimulator::ADDRESS_PER_PROJECTOR;
    bool isIPv4 = false;
    first.toIPv4Address(&isIPv4);
    if (!isIPv4 || !CSimulatedProjector::IsAllowedAddress(first))
        return Fail(QStringLiteral("%1 is not a loopback address (127.0.0.0/8)").arg(first.toString()));

    // Each shard is started, and later stopped, in its own thread.
    std::vector<std::unique_ptr<Shard>> shards;
    QString error;
    for (int t = 0; t < threads && error.isEmpty(); ++t) {
        const int from = int(qint64(count) * t / threads);
        const int to = int(qint64(count) * (t + 1) / threads);
        shards.emplace_back(new Shard);
        Shard& shard = *shards.back();
        shard.simulator->moveToThread(&shard.thread);
        // Thousands of sockets per thread: epoll instead of a poll over all.
        shard.thread.setEventDispatcher(new CEpollEventDispatcher);
        shard.thread.start();
        QMetaObject::invokeMethod(shard.simulator.get(), [&]() {
            StartShard(shard, setup, from, to - from, mode, quint16(port), first);
        }, Qt::BlockingQueuedConnection);
        error = shard.error;
    }
    const auto stopAll = [&shards]() {
        for (const std::unique_ptr<Shard>& shard : shards) {
            QMetaObject::invokeMethod(shard->simulator.get(), [&shard]() {
                shard->simulator->Stop();
                shard->protocols.clear();
            }, Qt::BlockingQueuedConnection);
            shard->thread.quit();
            shard->thread.wait();
            shard->simulator.reset();
        }
    };
    if (!error.isEmpty()) {
        stopAll();
        return Fail(error);
    }

    const CSimulatedProjector* firstProjector = shards.front()->simulator->Projector(0);
    const CProjectorSimulator& lastShard = *shards.back()->simulator;
    const CSimulatedProjector* last = lastShard.Projector(lastShard.Count() - 1);
    std::printf("%d projector(s) listening: %s:%u", count, qPrintable(firstProjector->AddressText()),
                unsigned(firstProjector->Port()));
    if (count > 1)
        std::printf(" ... %s:%u", qPrintable(last->AddressText()), unsigned(last->Port()));
    if (threads > 1)
        std::printf(" (%d threads)", threads);
    std::printf("\n");
    std::fflush(stdout);

    // Ctrl+C and termination end the event loop, so sockets close cleanly.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_SignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(g_SignalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    const int result = app.exec();
    stopAll();
    return result;
}
