#include <QtTest>

#include "CGetTickMSec.h"

class tst_CGetTickMSec : public QObject
{
    Q_OBJECT
private slots:
    void readingsNeverDecreaseAndAreNeverZero()
    {
        qint64 previous = CGetTickMSec::GetTickMSec();
        QVERIFY(previous > 0);
        for (int i = 0; i < 100000; ++i) {
            const qint64 now = CGetTickMSec::GetTickMSec();
            QVERIFY(now >= previous);
            previous = now;
        }
    }

    void deadlineIsReached()
    {
        // The guard starts first: a pause between the two readings (a busy
        // machine) then only lengthens what it measures.
        QElapsedTimer guard;
        guard.start();
        const qint64 deadline = CGetTickMSec::GetTickMSec() + 20;
        while (CGetTickMSec::GetTickMSec() < deadline)
            QVERIFY(guard.elapsed() < 5000);
        QVERIFY(guard.elapsed() >= 19);
    }

    void deadlineAcrossLow32BitWrap()
    {
        // A deadline compared in 64 bits stays correct where the low word wraps.
        const qint64 first = Q_INT64_C(0x00000001FFFFFFF0);
        const qint64 deadline = first + 30000;
        QVERIFY(Q_INT64_C(0x0000000200000010) < deadline);
        QVERIFY(Q_INT64_C(0x0000000200007600) >= deadline);
    }
};

QTEST_APPLESS_MAIN(tst_CGetTickMSec)
#include "tst_CGetTickMSec.moc"
