// Schedule execution over a fleet: an "All Projectors" power-on instance for
// 2000 simulated projectors (the simulator in a process of its own, replies
// after 0 and 20 ms), and the same instance in offline mode. Prints the time
// from the runner's execution request to the instance's result, how long
// after the last reply the result came, the CPU time of this process per
// projector (schedule log included) and the log lines written.
//
//   bench_schedule_execution [--count N] [--simulator PATH] [--profile PATH] [--debug]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>
#include <QTimer>

#include <memory>
#include <vector>

#include "AppPaths.h"
#include "CCommandFunctions.h"
#include "CCreateDemoData.h"
#include "CDataFunctions.h"
#include "CDeviceAccess.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CSchedule.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CVirtualTime.h"
#include "ProcessFigures.h"
#include "RaiseOpenFileLimit.h"

namespace {

// The simulator program with `count` projectors of one shipped model.
class Simulator
{
public:
    bool Start(const QString& program, int count, int delayMs)
    {
        m_Process.setProgram(program);
        m_Process.setArguments({"--count", QString::number(count), "--model", "LV-L100", "--delay",
                                QString::number(delayMs)});
        m_Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_Process.start();
        if (!m_Process.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (!m_Process.canReadLine() && t.elapsed() < 30000)
            m_Process.waitForReadyRead(100);
        return QString::fromLatin1(m_Process.readLine()).contains(QLatin1String("listening"));
    }
    ~Simulator()
    {
        if (m_Process.state() == QProcess::NotRunning)
            return;
        m_Process.terminate();
        if (!m_Process.waitForFinished(5000))
            m_Process.kill();
        m_Process.waitForFinished(2000);
    }

private:
    QProcess m_Process;
};

struct Figures
{
    qint64 resultMs = -1;     // execution request to the instance's result
    qint64 lastReplyMs = -1;  // execution request to the last reply
    double cpuMsPerProjector = -1;
    int lines = 0;
    int okLines = 0;
    int failed = 0;           // projectors whose command did not complete
};

int countLines(const QString& folder, int* ok)
{
    int lines = 0;
    *ok = 0;
    for (const QFileInfo& info : QDir(folder).entryInfoList({"SCHE*.log"}, QDir::Files)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QTextCodec::codecForName("UTF-16")->toUnicode(file.readAll());
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            ++lines;
            if (line.contains(QLatin1String("OK,   ")))
                ++*ok;
        }
    }
    return lines;
}

// One run: a fresh data hub and dispatcher with `count` projectors at the
// simulator's addresses, one started instance, and the runner's request.
Figures Run(const QString& profile, int count, bool offline)
{
    Figures f;
    QTemporaryDir root;
    QDir(root.path()).mkpath("program");
    QDir(root.path()).mkpath("home");
    AppPaths::setProgramFolder(root.filePath("program"));
    AppPaths::setHomeFolder(root.filePath("home"));
    QFile::copy(profile, root.filePath("program/Profile.ini"));

    QByteArray name("bench_schedule_execution");
    char* argv[] = {name.data(), nullptr};
    std::unique_ptr<CLumivox5Data> hub(new CLumivox5Data(1, argv, nullptr));
    std::unique_ptr<CDataFunctions> dispatcher(new CDataFunctions(hub.get()));
    CCreateDemoData demo;
    demo.m_pDataFunctions = dispatcher.get();
    CCommandFunctions* engine = hub->m_pCommandFunctions;
    QObject::connect(engine, &CCommandFunctions::Completed, dispatcher.get(), &CDataFunctions::f_OnCompleted,
                     Qt::QueuedConnection);
    QObject::connect(engine, &CCommandFunctions::Error, dispatcher.get(), &CDataFunctions::f_OnError,
                     Qt::QueuedConnection);
    QObject::connect(engine, &CCommandFunctions::NackReceived, dispatcher.get(), &CDataFunctions::f_OnNackReceived,
                     Qt::QueuedConnection);
    QObject::connect(engine, &CCommandFunctions::Canceled, dispatcher.get(), &CDataFunctions::f_OnCanceled,
                     Qt::QueuedConnection);
    // The main window's offline slot and its SendCommand.
    CDataFunctions* d = dispatcher.get();
    CLumivox5Data* h = hub.get();
    QObject::connect(
        d, &CDataFunctions::ScheduleExecuteWithOffline, d,
        [d, h, &demo](int cmd, int from, int act, int target, int status, int scheduleid) {
            QList<CVariantParameter> params;
            params << CVariantParameter().FromInt(status) << CVariantParameter().FromInt(scheduleid);
            QList<int> targets{target};
            demo.m_pLumivox5Data = h;
            demo.ChangeData(cmd, &params, from, act, &targets, false, true);
            QString empty;
            d->OnStub(cmd, empty, 0);
            d->SetDataThreadEvent(cmd, &params, from, act, &targets, false, true);
        },
        Qt::QueuedConnection);

    const quint32 first = QHostAddress(QStringLiteral("127.0.0.2")).toIPv4Address();
    for (int i = 0; i < count; ++i) {
        CProjectorData* record = hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                                   QHostAddress(first + quint32(i)).toString(),
                                                   QStringLiteral("7142"), true, QString());
        if (record)
            record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
    }
    hub->m_Offline = offline;
    hub->m_OfflineMenu = offline;

    const QString logFolder = root.filePath("log");
    QList<CVariantParameter> on{CVariantParameter().FromBool(true)};
    d->SetDataThreadEvent(147, &on, 1, 0, nullptr, false, false);
    QList<CVariantParameter> folder{CVariantParameter().FromString(logFolder)};
    d->SetDataThreadEvent(146, &folder, 1, 0, nullptr, false, false);
    const QDateTime now = d->GetVirtualTime()->GetNowTime();
    QList<CVariantParameter> start{CVariantParameter().FromDateTime(now)};
    d->SetDataThreadEvent(144, &start, 1, 0, nullptr, false, false);

    auto* instance = new CScheduleData(now);
    instance->TargetName = CScheduleTargetText::AllProjectors();
    instance->Function = 1;
    instance->StartDay = now;
    instance->Enable = true;
    instance->AdminInfo->ExcuteStatus = CScheduleExcuteAdminInfo::EXCUTE_STATE::Executing;
    hub->m_pScheduleExcuteManager->f_GetScheduleMap().insert(0, instance);

    QElapsedTimer wall;
    QObject::connect(hub->m_pDeviceAccess, &CDeviceAccess::Received, d,
                     [&f, &wall](QDateTime, QString, QByteArray, int) { f.lastReplyMs = wall.elapsed(); });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (instance->AdminInfo->ExcuteStatus == CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished
            || wall.elapsed() > 120000)
            loop.quit();
    });
    // The instance's result is what the run waits for.
    QObject::connect(d->GetSchedule(), &CSchedule::UpdateScheduleList, &loop, [&] {
        if (instance->AdminInfo->ExcuteStatus == CScheduleExcuteAdminInfo::EXCUTE_STATE::Finished) {
            f.resultMs = wall.elapsed();
            loop.quit();
        }
    });
    poll.start(50);

    const double cpu0 = CpuMs() / 1000.0;
    wall.start();
    emit d->GetSchedule()->ScheduleExecution(0, -1);
    loop.exec();
    const double cpu = CpuMs() / 1000.0 - cpu0;
    f.cpuMsPerProjector = cpu * 1000.0 / count;
    for (const CScheduleExcuteAdminInfoSub* sub : qAsConst(*instance->AdminInfo->DetailesData)) {
        if (sub->Status != CScheduleExcuteAdminInfoSub::EXCUTE_STATUS::Completed)
            ++f.failed;
    }
    f.failed += count - instance->AdminInfo->DetailesData->size();
    f.lines = countLines(logFolder, &f.okLines);

    // Let the connections close before the hub goes.
    hub->m_pDeviceAccess->CancelAll();
    dispatcher.reset();
    // The hub's records free the commands still waiting in them.
    hub.reset();
    AppPaths::setProgramFolder(QString());
    AppPaths::setHomeFolder(QString());
    return f;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    RaiseOpenFileLimit();

    QString simulator = QDir(app.applicationDirPath()).filePath("../tools/projector-simulator");
    QString profile = QDir(app.applicationDirPath()).filePath("../../resources/Profile.ini");
    int count = 2000;
    bool debug = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == "--simulator" && i + 1 < args.size())
            simulator = args.at(++i);
        else if (args.at(i) == "--profile" && i + 1 < args.size())
            profile = args.at(++i);
        else if (args.at(i) == "--count" && i + 1 < args.size())
            count = qBound(1, args.at(++i).toInt(), 2256);
        else if (args.at(i) == "--debug")
            debug = true;
    }
    if (!QFileInfo(simulator).isExecutable() || !QFileInfo::exists(profile)) {
        out << "simulator or Profile.ini not found: " << simulator << ", " << profile << Qt::endl;
        return 2;
    }
    if (!debug)
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                fprintf(stderr, "%s\n", qPrintable(msg));
        });

    out << "schedule execution, \"All Projectors\" power on, " << count << " projectors" << Qt::endl;
    int status = 0;
    auto report = [&](const QString& label, const Figures& f) {
        out << label << ": result after " << f.resultMs << " ms";
        if (f.lastReplyMs >= 0)
            out << " (" << (f.resultMs - f.lastReplyMs) << " ms after the last reply)";
        out << ", CPU " << QString::number(f.cpuMsPerProjector, 'f', 3) << " ms per projector, " << f.lines
            << " log lines (" << f.okLines << " OK), " << f.failed << " failed" << Qt::endl;
        if (f.resultMs < 0 || f.failed != 0)
            status = 1;
    };
    for (int delay : {0, 20}) {
        Simulator sim;
        if (!sim.Start(simulator, count, delay)) {
            out << "simulator did not start" << Qt::endl;
            return 2;
        }
        report(QStringLiteral("online, reply delay %1 ms").arg(delay), Run(profile, count, false));
    }
    report(QStringLiteral("offline"), Run(profile, count, true));
    return status;
}
