#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FleetHeap.h"

// The test program starts itself with "--child": that run says it started,
// calls StartWithFleetHeap and says which tuning it runs with and what its
// environment holds afterwards.
namespace {

int ChildMain(char** argv)
{
    std::printf("started\n");
    StartWithFleetHeap(argv);
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const char* mark = std::getenv("LUMIVOX_FLEET_HEAP");
    std::printf("env %s %s\n", tunables ? tunables : "-", mark ? mark : "-");
    // The restarted process keeps its name.
    char name[64] = {};
    if (FILE* comm = std::fopen("/proc/self/comm", "r")) {
        if (std::fgets(name, sizeof name, comm) == nullptr)
            name[0] = '\0';
        std::fclose(comm);
    }
    std::printf("name %s", name);
    std::fflush(stdout);
    return 0;
}

} // namespace

class tst_FleetHeap : public QObject
{
    Q_OBJECT
private:
    QStringList Run(const QProcessEnvironment& environment)
    {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        if (!child.waitForFinished(20000))
            return {QStringLiteral("(no end)")};
        return QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void restartsOnceAndGivesTheEnvironmentBack()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("GLIBC_TUNABLES"));
        environment.remove(QStringLiteral("LUMIVOX_FLEET_HEAP"));
        // Started twice, the second time tuned; afterwards nothing is left
        // for the programs it starts.
        QCOMPARE(Run(environment), QStringList({QStringLiteral("started"), QStringLiteral("started"),
                                                QStringLiteral("env - -"),
                                                QStringLiteral("name tst_FleetHeap")}));
    }

    void leavesTheUsersOwnTuningAlone()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.check=0"));
        environment.remove(QStringLiteral("LUMIVOX_FLEET_HEAP"));
        QCOMPARE(Run(environment), QStringList({QStringLiteral("started"),
                                                QStringLiteral("env glibc.malloc.check=0 -"),
                                                QStringLiteral("name tst_FleetHeap")}));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return ChildMain(argv);
    QCoreApplication app(argc, argv);
    tst_FleetHeap test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FleetHeap.moc"
