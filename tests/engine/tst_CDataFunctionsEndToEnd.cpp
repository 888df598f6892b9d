#include <QtTest>

#include "CCommLogFile.h"
#include "CDataFunctions.h"
#include "CTransportLog.h"
#include "DispatcherTestRig.h"

#include <QSignalSpy>

// A request tuple as the main window sends it, through the dispatcher, the
// command engine and the device link to simulated projectors, with the
// communication log wired to the device access object.
class tst_CDataFunctionsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void powerOnForThreeProjectors()
    {
        DispatcherTestRig<> rig;
        CLumivox5Data* hub = rig.Hub();
        CDataFunctions* dispatcher = rig.Dispatcher();
        CTransportLog* log = dispatcher->GetTransportLog();
        QObject::connect(hub->m_pDeviceAccess, &CDeviceAccess::ConnectCompleted, log, &CTransportLog::AddFreeLog);
        QObject::connect(hub->m_pDeviceAccess, &CDeviceAccess::DisconnectCompleted, log, &CTransportLog::AddFreeLog);
        QObject::connect(hub->m_pDeviceAccess, &CDeviceAccess::SendCompleted, log, &CTransportLog::AddTxLog);
        QObject::connect(hub->m_pDeviceAccess, &CDeviceAccess::Received, log, &CTransportLog::AddRxLog);
        QObject::connect(hub->m_pCommandFunctions, &CCommandFunctions::Completed, dispatcher,
                         &CDataFunctions::f_OnCompleted, Qt::QueuedConnection);

        // The log settings as the main window pushes them at start.
        const QString folder = rig.Folder(QStringLiteral("comm"));
        QList<CVariantParameter> path;
        path << CVariantParameter().FromString(folder);
        QCOMPARE(dispatcher->SetDataThreadEvent(138, &path, 1, 0, nullptr, false, false), 0);
        QList<CVariantParameter> on;
        on << CVariantParameter().FromBool(true);
        QCOMPARE(dispatcher->SetDataThreadEvent(139, &on, 1, 0, nullptr, false, false), 0);

        QList<int> ids;
        for (const char* model : {"LV-L100", "LV-E300", "LV-L100"}) {
            const int id = rig.AddSimulated(CSimModelSpec::Shipped(QLatin1String(model)));
            QVERIFY(id > 0);
            ids << id;
        }

        QSignalSpy timing(hub->m_pCommandFunctions, &CCommandFunctions::UpdateTiming);
        QSignalSpy errors(hub->m_pCommandFunctions, &CCommandFunctions::UpdateError);
        QList<CVariantParameter> params;
        params << CVariantParameter().FromInt(1);
        QList<int> targets = ids;
        QCOMPARE(dispatcher->SetDataThreadEvent(2, &params, 1, 2, &targets, false, true), 0);

        QTRY_COMPARE_WITH_TIMEOUT(timing.count(), 3, 15000);
        QCOMPARE(errors.count(), 0);
        QList<int> reported;
        for (const QList<QVariant>& args : qAsConst(timing)) {
            QCOMPARE(args.at(0).toInt(), 2); // command id
            QCOMPARE(args.at(1).toInt(), 1); // from
            QCOMPARE(args.at(2).toInt(), 2); // act
            reported << args.at(3).toInt();
        }
        std::sort(reported.begin(), reported.end());
        QCOMPARE(reported, ids);

        for (int id : ids) {
            // Model information, common status, then the power-on frame.
            QCOMPARE(rig.Requests(id), (QList<int>{29, 31, 2}));
            const QList<QByteArray> frames = rig.Simulated(id)->Requests();
            QCOMPARE(frames.last(), QByteArray("\x02\x00\x00\x00\x00\x02", 6));
            QCOMPARE(rig.Hub()->GetProjectorData(id)->m_PendingEvents.size(), 0);
        }

        // The connections close once the projectors are idle; then every
        // projector's exchange is in the log, in order.
        QSignalSpy disconnected(hub->m_pDeviceAccess, &CDeviceAccess::DisconnectCompleted);
        QTRY_COMPARE_WITH_TIMEOUT(disconnected.count(), 3, 5000);
        const QStringList lines = CCommLogFile::Lines(folder);
        for (int id : ids) {
            const QString address = rig.Simulated(id)->AddressText();
            QStringList mine;
            for (const QString& line : lines) {
                if (line.startsWith(address + QLatin1Char(',')))
                    mine << line.mid(address.size() + 1);
            }
            const QList<QByteArray> frames = rig.Simulated(id)->Requests();
            QCOMPARE(mine.size(), 8);
            QCOMPARE(mine.first(), QStringLiteral("Ex,Connected."));
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(mine.at(1 + 2 * i), QStringLiteral("Tx,") + CCommLogFile::Hex(frames.at(i)));
                QVERIFY2(mine.at(2 + 2 * i).startsWith(QStringLiteral("Rx,")), qPrintable(mine.at(2 + 2 * i)));
            }
            QCOMPARE(mine.last(), QStringLiteral("Ex,Disconnected."));
        }
    }
};

QTEST_GUILESS_MAIN(tst_CDataFunctionsEndToEnd)
#include "tst_CDataFunctionsEndToEnd.moc"
