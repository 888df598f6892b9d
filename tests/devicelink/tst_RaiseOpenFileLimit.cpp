#include <QtTest>

#include <sys/resource.h>

#include "RaiseOpenFileLimit.h"

class tst_RaiseOpenFileLimit : public QObject
{
    Q_OBJECT
private slots:
    void raisesTheSoftLimitToTheHardLimit()
    {
        struct rlimit limit;
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
        if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max < 64)
            QSKIP("needs a finite hard limit on open files");

        struct rlimit lowered = limit;
        lowered.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &lowered), 0);

        QCOMPARE(RaiseOpenFileLimit(), long(limit.rlim_max));
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
        QCOMPARE(limit.rlim_cur, limit.rlim_max);
        // Already at the hard limit: nothing changes.
        QCOMPARE(RaiseOpenFileLimit(), long(limit.rlim_max));
    }
};

QTEST_APPLESS_MAIN(tst_RaiseOpenFileLimit)
#include "tst_RaiseOpenFileLimit.moc"
