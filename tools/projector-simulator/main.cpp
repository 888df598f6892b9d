// The projector simulator as a program of its own: runs a fleet of simulated
// projectors on loopback addresses until it is stopped.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QDateTime>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"
#include "CSimulatorScript.h"
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

} // namespace

int main(int argc, char* argv[])
{
    // Qt's glib dispatcher spends time linear in the number of open sockets on
    // every socket change; its poll dispatcher does not.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
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
    parser.addOptions({countOption, addressOption, portOption, consecutiveOption, scriptOption, modelOption,
                       varyOption, delayOption, chunksOption, gapOption, silentOption, closeOption,
                       refuseOption, stallOption, verboseOption});
    parser.process(app);

    int count = 0;
    int port = 0;
    CSimFaults faults;
    if (!ParseInt(parser.value(countOption), 1, 100000, &count))
        return Fail(QStringLiteral("--count wants a number of at least 1"));
    if (!ParseInt(parser.value(portOption), 0, 65535, &port))
        return Fail(QStringLiteral("--port wants a number from 0 to 65535"));
    if (!ParseInt(parser.value(delayOption), 0, 3600000, &faults.extraDelayMs))
        return Fail(QStringLiteral("--delay wants milliseconds"));
    if (!ParseInt(parser.value(gapOption), 0, 3600000, &faults.gapMs))
        return Fail(QStringLiteral("--gap wants milliseconds"));
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
    if (parser.isSet(refuseOption) && parser.isSet(stallOption))
        return Fail(QStringLiteral("--refuse and --stall exclude each other"));

    CSimulatorScript script;
    if (parser.isSet(scriptOption) && !script.Load(parser.value(scriptOption)))
        return Fail(script.Error());
    QList<CSimModelSpec> models;
    if (parser.isSet(modelOption)) {
        if (parser.isSet(scriptOption))
            return Fail(QStringLiteral("--model and --script exclude each other"));
        const QString name = parser.value(modelOption);
        if (name == QLatin1String("all"))
            models = CSimModelSpec::ShippedModels();
        else if (!CSimModelSpec::Shipped(name).name.isEmpty())
            models << CSimModelSpec::Shipped(name);
        else
            return Fail(QStringLiteral("--model wants LV-L100, LV-D200, LV-X500, LV-E300 or all"));
    }

    const bool consecutive = parser.isSet(consecutiveOption);
    const QHostAddress first(parser.isSet(addressOption)
                                 ? parser.value(addressOption)
                                 : (consecutive ? QStringLiteral("127.0.0.1") : QStringLiteral("127.0.0.2")));

    CProjectorSimulator simulator;
    const auto mode = consecutive ? CProjectorSimulator::CONSECUTIVE_PORTS
                                  : CProjectorSimulator::ADDRESS_PER_PROJECTOR;
    if (!simulator.Start(count, mode, quint16(port), first))
        return Fail(simulator.ErrorString());

    const bool verbose = parser.isSet(verboseOption);
    simulator.SetHandler([script](const QByteArray& request) { return script.Reply(request); });
    simulator.SetFaults(faults);
    std::vector<std::unique_ptr<CSimProjectorModel>> protocols;
    for (int i = 0; i < simulator.Count() && !models.isEmpty(); ++i) {
        protocols.emplace_back(new CSimProjectorModel(models.at(i % models.size())));
        CSimProjectorModel* protocol = protocols.back().get();
        if (parser.isSet(varyOption)) {
            // Terminals each shipped model lists, so the varied input always has a name.
            static const QMap<QString, QList<int>> inputs{
                {QStringLiteral("LV-L100"), {0x01, 0x02, 0x06, 0x0B}},
                {QStringLiteral("LV-D200"), {0x01, 0x12, 0x20}},
                {QStringLiteral("LV-X500"), {0x22}},
                {QStringLiteral("LV-E300"), {0x01, 0x06, 0x1F}},
            };
            const QList<int> choices = inputs.value(models.at(i % models.size()).name, {0x01});
            CSimProjectorState& state = protocol->State();
            state.projectorName = QStringLiteral("PJ-%1").arg(i + 1);
            state.power = i % 3 == 2 ? int(CSimProjectorState::POWER_STANDBY) : int(CSimProjectorState::POWER_ON);
            state.inputTerminal = choices.at((i / models.size()) % choices.size());
            state.lampUsage[0] = 3600 * (100 + 37 * i);
            state.lampUsage[1] = 3600 * (50 + 11 * i);
        }
        simulator.Projector(i)->SetHandler([protocol](const QByteArray& request) { return protocol->Answer(request); });
    }
    for (CSimulatedProjector* projector : simulator.Projectors()) {
        if (parser.isSet(refuseOption))
            projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE);
        else if (parser.isSet(stallOption) && !projector->SetConnectMode(CSimulatedProjector::CONNECT_STALL))
            return Fail(projector->ErrorString());
        if (!verbose)
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

    const CSimulatedProjector* last = simulator.Projector(simulator.Count() - 1);
    std::printf("%d projector(s) listening: %s:%u", simulator.Count(),
                qPrintable(simulator.Projector(0)->AddressText()), unsigned(simulator.Projector(0)->Port()));
    if (simulator.Count() > 1)
        std::printf(" ... %s:%u", qPrintable(last->AddressText()), unsigned(last->Port()));
    std::printf("\n");
    std::fflush(stdout);

    // Ctrl+C and termination end the event loop, so sockets close cleanly.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_SignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(g_SignalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    return app.exec();
}
