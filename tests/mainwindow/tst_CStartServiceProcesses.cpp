#include <QtTest>

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "CStartService.h"

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
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    std::printf("first\n");
    std::fflush(stdout);
    return app.exec();
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
        for (QProcess* process : m_Processes) {
            process->kill();
            process->waitForFinished(5000);
        }
        qDeleteAll(m_Processes);
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
                QByteArray said;
                QElapsedTimer clock;
                clock.start();
                while (!said.contains('\n') && clock.elapsed() < 10000 && process->waitForReadyRead(10000))
                    said += process->readAllStandardOutput();
                said = said.left(said.indexOf('\n') + 1);
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
        auto* process = new QProcess;
        m_Processes.append(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A later start says so in its trace.
        environment.insert("QT_LOGGING_RULES", "lumivox.mainwindow.debug=true");
        environment.insert("XDG_RUNTIME_DIR", runtime.isEmpty() ? m_Runtime->path() : runtime);
        process->setProcessEnvironment(environment);
        process->start(QCoreApplication::applicationFilePath(), {INSTANCE_ARGUMENT});
        return process;
    }

    // Waits for the line in the process's output; what follows it is kept
    // for the next wait.
    static bool WaitForLine(QProcess* process, const QByteArray& line)
    {
        QByteArray output = process->property("output").toByteArray();
        QElapsedTimer clock;
        clock.start();
        int at = -1;
        while ((at = ("\n" + output).indexOf("\n" + line + "\n")) < 0) {
            const int left = 10000 - int(clock.elapsed());
            if (left <= 0 || !process->waitForReadyRead(left))
                break;
            output += process->readAllStandardOutput();
        }
        process->setProperty("output", at < 0 ? output : output.mid(at + line.size() + 1));
        return at >= 0;
    }

    std::unique_ptr<QTemporaryDir> m_Runtime;
    QList<QProcess*> m_Processes;
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
