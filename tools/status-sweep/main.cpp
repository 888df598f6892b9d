// Starts a fleet of simulated projectors, runs one status update over all of
// them through the command engine and prints what was read.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>

#include "CFleetSweep.h"
#include "CProjectorData.h"
#include "FleetHeap.h"
#include "RaiseOpenFileLimit.h"

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "status-sweep: %s\n", qPrintable(message));
    return 2;
}

QString OrDash(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text.trimmed();
}

QString Cell(const QString& text, int width)
{
    return text.left(width).leftJustified(width);
}

} // namespace

int main(int argc, char* argv[])
{
    StartAsFleetProgram(argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("status-sweep"));
    RaiseOpenFileLimit();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Starts simulated projectors (the projector-simulator program, each projector on its own\n"
        "loopback address), runs one status update over all of them and prints what was read."));
    parser.addHelpOption();
    const QCommandLineOption countOption({QStringLiteral("n"), QStringLiteral("count")},
        QStringLiteral("Number of projectors (default 20)."), QStringLiteral("count"), QStringLiteral("20"));
    const QCommandLineOption modelOption({QStringLiteral("m"), QStringLiteral("model")},
        QStringLiteral("Model of the projectors, or \"all\" (default) for the shipped models in turn."),
        QStringLiteral("model"), QStringLiteral("all"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
        QStringLiteral("Reply delay of the projectors (default 20)."), QStringLiteral("ms"), QStringLiteral("20"));
    const QCommandLineOption simulatorOption(QStringLiteral("simulator"),
        QStringLiteral("The projector-simulator program (default: found in the build tree)."), QStringLiteral("path"));
    const QCommandLineOption profileOption(QStringLiteral("profile"),
        QStringLiteral("The Profile.ini to read (default: the one in the program folder)."), QStringLiteral("path"));
    parser.addOptions({countOption, modelOption, delayOption, simulatorOption, profileOption});
    parser.process(app);

    bool ok = false;
    const int count = parser.value(countOption).toInt(&ok);
    if (!ok || count < 1 || count > 2256)
        return Fail(QStringLiteral("--count wants a number from 1 to 2256"));
    const int delay = parser.value(delayOption).toInt(&ok);
    if (!ok || delay < 0 || delay > 60000)
        return Fail(QStringLiteral("--delay wants milliseconds"));

    // English texts from the program's catalogue when the build made one.
    QTranslator catalogue;
    for (const QString& dir : {QStringLiteral("/../resources/translations"), QStringLiteral("/../Lumivox 5")}) {
        if (catalogue.load(QStringLiteral("Lumivox5.en-US"), QCoreApplication::applicationDirPath() + dir)) {
            QCoreApplication::installTranslator(&catalogue);
            break;
        }
    }

    CFleetSweep sweep;
    const QString simulator = CFleetSweep::FindSimulator(parser.value(simulatorOption));
    const QString profile = CFleetSweep::FindProfile(parser.value(profileOption));
    if (profile.isEmpty())
        return Fail(QStringLiteral("Profile.ini was not found; give it with --profile"));
    if (!sweep.StartSimulator(simulator, count, parser.value(modelOption), delay, {QStringLiteral("--vary")}) || !sweep.CreateRecords(profile))
        return Fail(sweep.Error());

    const CFleetSweep::Outcome outcome = sweep.Sweep(60000 + 100 * delay);
    std::printf("%s %s %s %s %s %s %s\n", qPrintable(Cell(QStringLiteral("Address"), 15)),
                qPrintable(Cell(QStringLiteral("Name"), 18)), qPrintable(Cell(QStringLiteral("Model"), 9)),
                qPrintable(Cell(QStringLiteral("Power"), 12)), qPrintable(Cell(QStringLiteral("Input"), 10)),
                qPrintable(Cell(QStringLiteral("Lamp h"), 7)), "Errors");
    for (CProjectorData* record : sweep.Records()) {
        const int code = outcome.codes.value(record->m_Id, 1);
        QString power = OrDash(record->GetStatusString());
        if (record->m_Status[CProjectorData::StStatusValid].ToBool())
            power += QStringLiteral(" (%1)").arg(record->m_Status[CProjectorData::StPowerStatus].ToInt());
        QString errors = OrDash(record->GetRemarkString(true, false));
        if (code == 1)
            errors = QStringLiteral("no answer in time");
        else if (code != 0)
            errors = QStringLiteral("update ended with %1").arg(code);
        std::printf("%s %s %s %s %s %s %s\n", qPrintable(Cell(record->m_Address, 15)),
                    qPrintable(Cell(OrDash(record->GetProjectorNameString()), 18)),
                    qPrintable(Cell(OrDash(record->GetModelNameString()), 9)), qPrintable(Cell(power, 12)),
                    qPrintable(Cell(OrDash(record->GetInputTerminalString()), 10)),
                    qPrintable(Cell(OrDash(record->GetLampUsageString()), 7)), qPrintable(errors));
    }
    std::printf("\n%d of %d projectors read in %lld ms (reply delay %d ms); %d failed.\n", outcome.completed, count,
                static_cast<long long>(outcome.wallMs), delay, outcome.failed);
    return outcome.failed == 0 && !outcome.timedOut ? 0 : 1;
}
