// What does a burst of error mails cost? A site-wide fault makes one mail per
// projector at once: all of them are queued with the mail sender in one go
// and delivered one after another to aiosmtpd (a process of its own), plain
// on port 25 and then TLS on port 465. The mail traces are formatted as in the
// program but not printed.
//
//   bench_mail [mails]   (default 2000; needs root for the ports)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>

#include <cstdio>

#include "CAiosmtpdServer.h"
#include "CMailTestCertificates.h"
#include "CSMTPSend.h"
#include "MailTestAddresses.h"
#include "ProcessFigures.h"

namespace {

// This run's own loopback addresses.
const QHostAddress Receiver = MailTestAddress(1);

void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

struct Run
{
    bool ok = false;
    qint64 wallMs = 0;
    double cpuMs = 0;
    double serverCpuMs = 0;
    qint64 longestStallMs = 0;
    int longestStallAtMail = 0;
    int stallsOver50Ms = 0;
    double longestBusyMs = 0;
    double bytesPerWaitingRequest = 0;
    int completed = 0;
    int delivered = 0;
    bool inOrder = true;
};

CMailSettings Settings(bool tls)
{
    CMailSettings s;
    s.m_Recipients = {QStringLiteral("ops@example.test"), QStringLiteral("night-shift@example.test"),
                      QStringLiteral("facilities@example.test")};
    s.m_Sender = QStringLiteral("lumivox@example.test");
    s.m_SMTPServer = Receiver.toString();
    s.m_SMTPOverSSL = tls;
    return s;
}

Run RunBurst(bool tls, int mails, const CMailTestCertificates& certificates)
{
    Run run;
    CAiosmtpdServer server;
    AiosmtpdOptions options;
    options.address = Receiver;
    (tls ? options.tlsPorts : options.plainPorts) = {quint16(tls ? 465 : 25)};
    options.certificateFile = certificates.certificateFile(CMailTestCertificates::Trusted);
    options.keyFile = certificates.keyFile(CMailTestCertificates::Trusted);
    options.noAuth = true;
    QString error;
    if (!server.start(options, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return run;
    }
    const double serverCpuBefore = CpuMs(RUSAGE_CHILDREN);

    CSMTPSend sender;
    QEventLoop loop;
    QObject::connect(&sender, &CSMTPSend::CompletedMailSignal, &loop,
                     [&](CMailSettings::SMTP_RESULT::Enum result, bool isTestMail) {
                         // The test flag carries the request's parity, so order shows.
                         if (result != CMailSettings::SMTP_RESULT::Completed || isTestMail != (run.completed % 2 == 1))
                             run.inOrder = false;
                         if (++run.completed == mails)
                             loop.quit();
                     });
    QElapsedTimer tick;
    QTimer stallProbe;
    stallProbe.setTimerType(Qt::PreciseTimer);
    stallProbe.setInterval(5);
    double lastTickCpu = 0;
    QObject::connect(&stallProbe, &QTimer::timeout, [&] {
        const double cpu = ThreadCpuMs();
        run.longestBusyMs = qMax(run.longestBusyMs, cpu - lastTickCpu);
        lastTickCpu = cpu;
        const qint64 stall = tick.restart() - 5;
        if (stall > 50)
            ++run.stallsOver50Ms;
        if (stall > run.longestStallMs) {
            run.longestStallMs = stall;
            run.longestStallAtMail = run.completed;
        }
    });
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);

    const CMailSettings settings = Settings(tls);
    const QString body = QStringLiteral(
        "An error occurred on a projector.\n\nName: PJ-0001\nAddress: 192.168.10.21\n"
        "Error: Lamp failure\nTime: 2026/12/10 17:00:00\n");
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = CpuMs(RUSAGE_SELF);
    const size_t heapBefore = HeapInUse();
    for (int i = 0; i < mails; ++i)
        sender.SMTPSend(settings, QStringLiteral("[Lumivox 5] Error %1").arg(i, 4, 10, QLatin1Char('0')), body,
                        i % 2 == 1);
    run.bytesPerWaitingRequest = double(HeapInUse() - heapBefore) / mails;
    tick.start();
    lastTickCpu = ThreadCpuMs();
    stallProbe.start();
    loop.exec();
    stallProbe.stop();
    run.wallMs = wall.elapsed();
    run.cpuMs = CpuMs(RUSAGE_SELF) - cpuBefore;

    server.waitForMessages(mails, 30000);
    run.delivered = server.messageCount();
    for (int i = 0; i < run.delivered && run.inOrder; ++i) {
        const QString subject = server.summary(i).value(QStringLiteral("subject")).toString();
        if (subject != QStringLiteral("[Lumivox 5] Error %1").arg(i, 4, 10, QLatin1Char('0')))
            run.inOrder = false;
    }
    server.stop();
    run.serverCpuMs = CpuMs(RUSAGE_CHILDREN) - serverCpuBefore;
    run.ok = run.completed == mails && run.delivered == mails && run.inOrder;
    return run;
}

void Print(const char* mode, int mails, const Run& run, double cpuTargetMs)
{
    printf("%-5s %5d mails: %s, wall %.1f s (%.1f mails/s), our CPU %.2f ms per mail (target <= %.0f), "
           "server CPU %.1f s, longest event-loop stall %lld ms (target <= 50) after %d mails, "
           "%d stalls over 50 ms, most CPU between two ticks %.1f ms, a waiting request %.0f bytes (target <= 4096)\n",
           mode, mails, run.ok ? "all delivered with outcome 0, in order" : "FAILED",
           run.wallMs / 1000.0, run.wallMs > 0 ? mails * 1000.0 / run.wallMs : 0.0, run.cpuMs / mails,
           cpuTargetMs, run.serverCpuMs / 1000.0, static_cast<long long>(run.longestStallMs),
           run.longestStallAtMail, run.stallsOver50Ms, run.longestBusyMs, run.bytesPerWaitingRequest);
    if (!run.ok)
        printf("      completed %d, delivered %d, in order %s\n", run.completed, run.delivered,
               run.inOrder ? "yes" : "no");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(Quiet);
    const int mails = argc > 1 ? qMax(1, atoi(argv[1])) : 2000;

    CMailTestCertificates certificates;
    QString error;
    if (!certificates.create({Receiver}, MailTestAddress(2), &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    certificates.trustInThisProcess();

    const Run plain = RunBurst(false, mails, certificates);
    Print("plain", mails, plain, 2);
    const Run tls = RunBurst(true, mails, certificates);
    Print("TLS", mails, tls, 10);
    printf("peak memory (resident) %ld KiB\n", PeakKiB());
    return plain.ok && tls.ok ? 0 : 1;
}
