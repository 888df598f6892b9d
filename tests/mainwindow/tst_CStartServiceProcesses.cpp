#include <QtTest>

#include <csignal>
#include <cstdio>

#include "CStartService.h"
#include "InstanceProcesses.h"

namespace {

const char* const INSTANCE_ARGUMENT = "--instance";

// This program started with INSTANCE_ARGUMENT is one start of a program with
// the single-instance check: "first" and it keeps running until its standard
// input ends, printing "handed over" for every later start; or "later" and it
// ends with code 0.
int RunInstance(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CStartService service;
    if (!service.CheckStart()) {
        std::printf("later\n");
        return 0;
    }
    QObject::connect(&service, &CStartService::MultipleStarted, &app, [] {
        std::printf("handed over\n");
        std::fflush(stdout);
    }, Qt::QueuedConnection);
    service.StartHandingOver();
    std::printf("first\n");
    std::fflush(stdout);
    return InstanceProcesses::execUntilInputEnds();
}

} // namespace

// The single-instance check between real processes, as the program's
// starts meet it: each start is a process of its own.
class tst_CStartServiceProcesses : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_Runtime.reset(new QTemporaryDir);
        QVERIFY(m_Runtime->isValid());
    }

    void cleanup()
    {
        m_Processes.clear();
        m_Runtime.reset();
    }

    void aLaterStartEndsAndIsHandedOver()
    {
        QProcess* first = Start();
        QVERIFY(WaitForLine(first, "first"));
        QProcess* later = Start();
        QVERIFY(later->waitForFinished(10000));
        QCOMPARE(later->exitStatus(), QProcess::NormalExit);
        QCOMPARE(later->exitCode(), 0);
        QVERIFY(later->readAllStandardOutput().contains("later\n"));
        QVERIFY(later->readAllStandardError().contains("Lumivox5 already exist"));
        QVERIFY(WaitForLine(first, "handed over"));
        QCOMPARE(first->state(), QProcess::Running);
    }

    void aStartAfterACrashRunsAsTheFirst()
    {
        QProcess* crashed = Start();
        QVERIFY(WaitForLine(crashed, "first"));
        ::kill(pid_t(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));
        // The killed process could not remove its socket.
        QVERIFY(QFileInfo::exists(m_Runtime->path() + "/Lumivox 5"));

        QProcess* next = Start();
        QVERIFY(WaitForLine(next, "first"));
        QProcess* later = Start();
        QVERIFY(later->waitForFinished(10000));
        QCOMPARE(later->exitCode(), 0);
        QVERIFY(WaitForLine(next, "handed over"));
    }

    void theFirstInstanceRemovesItsSocketWhenItEnds()
    {
        QProcess* first = Start();
        QVERIFY(WaitForLine(first, "first"));
        QVERIFY(QFileInfo::exists(m_Runtime->path() + "/Lumivox 5"));
        first->closeWriteChannel();
        QVERIFY(first->waitForFinished(5000));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(!QFileInfo::exists(m_Runtime->path() + "/Lumivox 5"));
    }

    // Two starts at the same moment: exactly one of them is the first, in
    // each of twenty pairs.
    void twoStartsAtOnceGiveOneFirst()
    {
        for (int pair = 0; pair < 20; ++pair) {
            const QString runtime = m_Runtime->filePath(QString::number(pair));
            QVERIFY(QDir().mkpath(runtime));
            QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            QProcess* both[2] = {Start(runtime), Start(runtime)};
            int firsts = 0;
            for (QProcess* process : both) {
                const QByteArray said = InstanceProcesses::firstLine(process);
                QVERIFY2(said == "first\n" || said == "later\n", said.constData());
                firsts += said == "first\n";
            }
            QVERIFY2(firsts == 1, qPrintable(QStringLiteral("pair %1: %2 first").arg(pair).arg(firsts)));
            for (QProcess* process : both) {
                process->closeWriteChannel();
                QVERIFY(process->waitForFinished(5000));
            }
        }
    }

private:
    QProcess* Start(const QString& runtime = QString())
    {
        QProcessEnvironment environment;
        // A later start says so in its trace.
        environment.insert("QT_LOGGING_RULES", "lumivox.mainwindow.debug=true");
        environment.insert("XDG_RUNTIME_DIR", runtime.isEmpty() ? m_Runtime->path() : runtime);
        return m_Processes.start({INSTANCE_ARGUMENT}, environment);
    }

    static bool WaitForLine(QProcess* process, const QByteArray& line)
    {
        return InstanceProcesses::waitForLine(process, line);
    }

    std::unique_ptr<QTemporaryDir> m_Runtime;
    InstanceProcesses m_Processes;
};

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], INSTANCE_ARGUMENT) == 0)
        return RunInstance(argc, argv);
    QCoreApplication app(argc, argv);
    tst_CStartServiceProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CStartServiceProcesses.moc"
