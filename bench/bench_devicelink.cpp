// How long does one request to every projector of a large fleet take, each
// over its own connection? The simulated projectors run in this process and
// thread, so the figures include their side of the work too.
//
//   bench_devicelink [projectors]   (default 2000)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>

#include "CDeviceAccess.h"
#include "CProjectorSimulator.h"
#include "RaiseOpenFileLimit.h"
#include "SimFrame.h"

namespace {

struct Round
{
    qint64 ms = 0;
    int replies = 0;
    int errors = 0;
};

Round RunRound(CDeviceAccess& access, CProjectorSimulator& simulator, int count)
{
    Round round;
    QEventLoop loop;
    auto done = [&]() {
        if (round.replies + round.errors == count)
            loop.quit();
    };
    QMetaObject::Connection received = QObject::connect(&access, &CDeviceAccess::Received, &loop,
        [&](QDateTime, QString, QByteArray, int) { ++round.replies; done(); });
    QMetaObject::Connection failed = QObject::connect(&access, &CDeviceAccess::Error, &loop,
        [&](QDateTime, QString, int, int) { ++round.errors; done(); });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        QByteArray frame = MakeSimFrame(0x00, 0x85, QByteArray(1, char(i & 0xFF)));
        QString host = simulator.Projector(i)->AddressText();
        QString port = simulator.Projector(i)->PortText();
        access.SendCommand(i, &frame, 0, 0, &host, &port, false);
    }
    loop.exec();
    round.ms = clock.elapsed();
    QObject::disconnect(received);
    QObject::disconnect(failed);
    return round;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const long limit = RaiseOpenFileLimit();
    QLoggingCategory::setFilterRules(QStringLiteral("lumivox.devicelink*.debug=false\ndefault.debug=false"));

    int count = 2000;
    if (argc > 1)
        count = qBound(1, QString::fromLocal8Bit(argv[1]).toInt(), 4999);

    CProjectorSimulator simulator;
    if (!simulator.Start(count, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(simulator.ErrorString()));
        return 1;
    }
    simulator.SetHandler([](const QByteArray& request) {
        return CSimReply::Answer(MakeSimFrame(0x20, 0x85, request.mid(5, 1)));
    });

    CDeviceAccess access;
    const Round first = RunRound(access, simulator, count);
    const Round second = RunRound(access, simulator, count);

    std::printf("open-file limit:                          %ld\n", limit);
    std::printf("projectors:                               %d\n", count);
    std::printf("round 1 (connect + request + reply):      %lld ms, %d replies, %d errors\n",
                static_cast<long long>(first.ms), first.replies, first.errors);
    std::printf("round 2 (request + reply, open):          %lld ms, %d replies, %d errors\n",
                static_cast<long long>(second.ms), second.replies, second.errors);
    std::printf("transports open:                          %d\n", access.GetTransportCount());
    return (first.errors || second.errors) ? 1 : 0;
}
