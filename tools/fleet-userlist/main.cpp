// Writes a user list for a fleet of simulated projectors into a home folder,
// through the data hub's own save: N projectors on consecutive loopback
// addresses, spread over three groups. Optionally turns on the automatic
// update in a program folder's settings file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "AppPaths.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "FleetUserList.h"
#include "ToolArguments.h"

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "fleet-userlist: %s\n", qPrintable(message));
    return 2;
}

// The hub's trace lines are of no use here; warnings still show.
void DropDebugLines(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fleet-userlist"));
    qInstallMessageHandler(DropDebugLines);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the Lumivox 5 user list of a home folder: projectors on 127.0.0.2, 127.0.0.3, ...\n"
        "(as the projector simulator places them), in the groups \"Floor 1\", \"Floor 2\" and\n"
        "\"Floor 3\" in turn. An existing user list there is replaced. Addresses the program\n"
        "refuses (ending in .0 or .255) are passed over; --span tells how many projectors a\n"
        "simulator must run from the first address to cover the list."));
    parser.addHelpOption();
    const QCommandLineOption homeOption(QStringLiteral("home"),
        QStringLiteral("The home folder to write the user list into."), QStringLiteral("folder"));
    const QCommandLineOption countOption({QStringLiteral("n"), QStringLiteral("count")},
        QStringLiteral("Number of projectors (default 20, at most 2000)."), QStringLiteral("count"),
        QStringLiteral("20"));
    const QCommandLineOption addressOption(QStringLiteral("first-address"),
        QStringLiteral("Address of the first projector (default 127.0.0.2)."), QStringLiteral("address"),
        QStringLiteral("127.0.0.2"));
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("TCP port of the projectors (default 7142)."), QStringLiteral("port"),
        QStringLiteral("7142"));
    const QCommandLineOption programOption(QStringLiteral("program"),
        QStringLiteral("A program folder whose settings file gets the automatic update."), QStringLiteral("folder"));
    const QCommandLineOption updateOption(QStringLiteral("auto-update"),
        QStringLiteral("With --program: turn the automatic update on at this interval."), QStringLiteral("minutes"));
    const QCommandLineOption spanOption(QStringLiteral("span"),
        QStringLiteral("Only print how many consecutive addresses the projectors take; write nothing."));
    parser.addOptions({homeOption, countOption, addressOption, portOption, programOption, updateOption, spanOption});
    parser.process(app);

    int count = 0;
    int port = 0;
    int minutes = 0;
    if (!ParseInt(parser.value(countOption), 1, CLumivox5Data::USERLIST_PROJECTOR_MAX, &count))
        return Fail(QStringLiteral("--count wants a number from 1 to %1").arg(CLumivox5Data::USERLIST_PROJECTOR_MAX));
    if (!ParseInt(parser.value(portOption), 1, 65535, &port))
        return Fail(QStringLiteral("--port wants a number from 1 to 65535"));
    QHostAddress first;
    if (!first.setAddress(parser.value(addressOption)) || first.protocol() != QAbstractSocket::IPv4Protocol)
        return Fail(QStringLiteral("--first-address wants an IPv4 address"));
    if (parser.isSet(spanOption)) {
        std::printf("%d\n", FleetUserList::Span(first, count));
        return 0;
    }
    if (!parser.isSet(homeOption))
        return Fail(QStringLiteral("--home is needed"));
    if (parser.isSet(updateOption)) {
        if (!parser.isSet(programOption))
            return Fail(QStringLiteral("--auto-update needs --program"));
        if (!ParseInt(parser.value(updateOption), 1, 1440, &minutes))
            return Fail(QStringLiteral("--auto-update wants minutes from 1 to 1440"));
    }

    const QString home = QDir(parser.value(homeOption)).absolutePath();
    if (!QDir().mkpath(home))
        return Fail(QStringLiteral("cannot make %1").arg(home));
    // Without a program folder the hub reads no settings file at all.
    QTemporaryDir scratch;
    const QString program = parser.isSet(programOption) ? QDir(parser.value(programOption)).absolutePath()
                                                        : scratch.path();
    if (program.isEmpty() || !QDir(program).exists())
        return Fail(QStringLiteral("no program folder %1").arg(program));
    AppPaths::setHomeFolder(home);
    AppPaths::setProgramFolder(program);

    char name[] = "Lumivox 5";
    char* hubArgv[] = {name, nullptr};
    std::unique_ptr<CLumivox5Data> hub(new CLumivox5Data(1, hubArgv, nullptr));
    QString error;
    if (!FleetUserList::Write(hub.get(), count, first, quint16(port), &error))
        return Fail(error);
    std::printf("%s: %d projectors (%s ... %s, port %d) in the groups %s\n", qPrintable(hub->GetDefaultUserListPath()),
                count, qPrintable(first.toString()), qPrintable(FleetUserList::Addresses(first, count).last().toString()),
                port, qPrintable(FleetUserList::Groups().join(QStringLiteral(", "))));
    if (minutes > 0) {
        if (!FleetUserList::EnableAutoUpdate(hub.get(), minutes, &error))
            return Fail(QStringLiteral("%1: %2").arg(program, error));
        std::printf("%s: automatic update every %d minute(s)\n",
                    qPrintable(program + QLatin1Char('/') + CLumivox5Reg::APPREG_FILE_NAME), minutes);
    }
    return 0;
}
