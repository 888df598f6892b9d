#ifndef INSTANCEPROCESSES_H
#define INSTANCEPROCESSES_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QSocketNotifier>
#include <QStringList>

#include <unistd.h>

// Program starts played by the test's own executable, each a process of its
// own that tells what became of it in lines on its standard output.
class InstanceProcesses
{
public:
    InstanceProcesses() = default;
    InstanceProcesses(const InstanceProcesses&) = delete;
    InstanceProcesses& operator=(const InstanceProcesses&) = delete;
    ~InstanceProcesses() { clear(); }

    // The test's executable with `arguments`, in the system's environment
    // with `variables` over it.
    QProcess* start(const QStringList& arguments, const QProcessEnvironment& variables)
    {
        auto* process = new QProcess;
        m_Processes.append(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(variables);
        process->setProcessEnvironment(environment);
        process->start(QCoreApplication::applicationFilePath(), arguments);
        return process;
    }

    // Kills what still runs.
    void clear()
    {
        for (QProcess* process : m_Processes) {
            process->kill();
            process->waitForFinished(5000);
        }
        qDeleteAll(m_Processes);
        m_Processes.clear();
    }

    // The process's first line, newline included (what came before a
    // newline in 10 s); what follows it is kept for waitForLine().
    static QByteArray firstLine(QProcess* process)
    {
        QByteArray said;
        QElapsedTimer clock;
        clock.start();
        while (!said.contains('\n') && clock.elapsed() < 10000 && process->waitForReadyRead(10000))
            said += process->readAllStandardOutput();
        process->setProperty("output", said.mid(said.indexOf('\n') + 1));
        return said.left(said.indexOf('\n') + 1);
    }

    // Waits for the line in the process's output; what follows it is kept
    // for the next wait.
    static bool waitForLine(QProcess* process, const QByteArray& line)
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

    // In a started process: runs the event loop until its standard input
    // ends (the test closes it, or ends itself).
    static int execUntilInputEnds()
    {
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [&input] {
            char byte = 0;
            if (::read(STDIN_FILENO, &byte, 1) <= 0) {
                input.setEnabled(false);
                QCoreApplication::quit();
            }
        });
        return QCoreApplication::exec();
    }

private:
    QList<QProcess*> m_Processes;
};

#endif // INSTANCEPROCESSES_H
