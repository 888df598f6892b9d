#include <QtTest>

#include <cstdio>
#include <memory>

#include "CStartService.h"
#include "InstanceProcesses.h"

namespace {

const char* const INSTANCE_ARGUMENT = "--instance";

// This program started with INSTANCE_ARGUMENT (and the pages after it) is one
// start of the help viewer's single-instance check: "first" and it keeps
// running until its standard input ends, printing "handed over <pages>" for
// every later start's pages; or "later" and it ends with code 0.
int RunInstance(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList commandLine = QCoreApplication::arguments();
    commandLine.removeAt(1);
    CStartService service;
    if (!service.CheckStart(commandLine)) {
        std::printf("later\n");
        return 0;
    }
    QObject::connect(&service, &CStartService::MultipleStarted, &app, [](const QStringList& pages) {
        std::printf("handed over %s\n", qPrintable(pages.join(QLatin1Char(' '))));
        std::fflush(stdout);
    }, Qt::QueuedConnection);
    std::printf("first\n");
    std::fflush(stdout);
    return InstanceProcesses::execUntilInputEnds();
}

} // namespace

// The help viewer's single-instance check between real processes, as the
// desktop's starts meet it: each start is a process of its own.
class tst_HelpViewerServiceProcesses : public QObject
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

    // Two starts at the same moment: exactly one of them is the viewer, in
    // each of twenty pairs, and the other's page reaches it.
    void twoStartsAtOnceGiveOneViewer()
    {
        for (int pair = 0; pair < 20; ++pair) {
            const QString runtime = m_Runtime->filePath(QString::number(pair));
            QVERIFY(QDir().mkpath(runtime));
            QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            const QString pages[2] = {QStringLiteral("/contents=a%1.htm").arg(pair),
                                      QStringLiteral("/contents=b%1.htm").arg(pair)};
            QProcess* both[2] = {Start(runtime, pages[0]), Start(runtime, pages[1])};
            int firsts = 0;
            int viewer = -1;
            for (int i = 0; i < 2; ++i) {
                const QByteArray said = InstanceProcesses::firstLine(both[i]);
                QVERIFY2(said == "first\n" || said == "later\n", said.constData());
                if (said == "first\n") {
                    ++firsts;
                    viewer = i;
                }
            }
            QVERIFY2(firsts == 1, qPrintable(QStringLiteral("pair %1: %2 first").arg(pair).arg(firsts)));
            QVERIFY(InstanceProcesses::waitForLine(both[viewer], "handed over " + pages[1 - viewer].toUpper().toUtf8()));
            for (QProcess* process : both) {
                process->closeWriteChannel();
                QVERIFY(process->waitForFinished(5000));
                QCOMPARE(process->exitCode(), 0);
            }
        }
    }

private:
    QProcess* Start(const QString& runtime, const QString& page)
    {
        QProcessEnvironment environment;
        environment.insert("XDG_RUNTIME_DIR", runtime);
        return m_Processes.start({INSTANCE_ARGUMENT, page}, environment);
    }

    std::unique_ptr<QTemporaryDir> m_Runtime;
    InstanceProcesses m_Processes;
};

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], INSTANCE_ARGUMENT) == 0)
        return RunInstance(argc, argv);
    QCoreApplication app(argc, argv);
    tst_HelpViewerServiceProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_HelpViewerServiceProcesses.moc"
