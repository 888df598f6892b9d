#include <QLoggingCategory>
#include <QtTest>

#include "CCommLogFile.h"
#include "CDeviceAccess.h"
#include "CProjectorSimulator.h"
#include "CTransportLog.h"
#include "SimFrame.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

// The communication log wired to a device access manager as the main window
// wires it, against a simulated projector.
class tst_CTransportLogWiring : public QObject
{
    Q_OBJECT

    QTemporaryDir* m_Dir = nullptr;
    CProjectorSimulator* m_Simulator = nullptr;
    CDeviceAccess* m_Access = nullptr;
    CTransportLog* m_Log = nullptr;

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.devicelink*.debug=false"));
    }

    void init()
    {
        m_Dir = new QTemporaryDir;
        m_Simulator = new CProjectorSimulator;
        m_Access = new CDeviceAccess;
        m_Log = new CTransportLog;
        m_Log->LogPath(m_Dir->path());
        connect(m_Access, &CDeviceAccess::ConnectCompleted, m_Log, &CTransportLog::AddFreeLog);
        connect(m_Access, &CDeviceAccess::DisconnectCompleted, m_Log, &CTransportLog::AddFreeLog);
        connect(m_Access, &CDeviceAccess::SendCompleted, m_Log, &CTransportLog::AddTxLog);
        connect(m_Access, &CDeviceAccess::Received, m_Log, &CTransportLog::AddRxLog);
        QVERIFY(m_Simulator->Start(1, CProjectorSimulator::ADDRESS_PER_PROJECTOR, 0));
    }

    void cleanup()
    {
        m_Access->CancelAll();
        delete m_Access;
        delete m_Log;
        delete m_Simulator;
        delete m_Dir;
    }

    void connectSendReceiveDisconnect()
    {
        CSimulatedProjector* projector = m_Simulator->Projector(0);
        const QByteArray request = MakeSimFrame(0x00, 0xBF, QByteArray(1, '\0'));
        const QByteArray reply = MakeSimFrame(0x20, 0xBF, QByteArray("\x00\x01\x02", 3));
        projector->SetHandler([reply](const QByteArray&) { return CSimReply::Answer(reply); });

        QSignalSpy received(m_Access, &CDeviceAccess::Received);
        QSignalSpy disconnected(m_Access, &CDeviceAccess::DisconnectCompleted);
        QByteArray frame = request;
        QString host = projector->AddressText();
        QString port = projector->PortText();
        m_Access->SendCommand(4, &frame, 0, 0, &host, &port, false);
        QTRY_COMPARE(received.count(), 1);
        m_Access->DisconnectTimerStart(4);
        QTRY_COMPARE(disconnected.count(), 1);

        QStringList stamps;
        const QStringList lines = CCommLogFile::Lines(m_Dir->path(), &stamps);
        QCOMPARE(lines, (QStringList{host + QStringLiteral(",Ex,Connected."),
                                     host + QStringLiteral(",Tx,") + CCommLogFile::Hex(request),
                                     host + QStringLiteral(",Rx,") + CCommLogFile::Hex(reply),
                                     host + QStringLiteral(",Ex,Disconnected.")}));
        QCOMPARE(lines.at(1), host + QStringLiteral(",Tx,00,BF,00,00,01,00,C0"));
        const QRegularExpression stamp(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}$"));
        for (const QString& s : stamps)
            QVERIFY2(stamp.match(s).hasMatch(), qPrintable(s));
    }

    void refusedConnectionLogsOnlyTheDisconnect()
    {
        CSimulatedProjector* projector = m_Simulator->Projector(0);
        projector->SetConnectMode(CSimulatedProjector::CONNECT_REFUSE);
        QSignalSpy disconnected(m_Access, &CDeviceAccess::DisconnectCompleted);
        QByteArray frame = MakeSimFrame(0x00, 0xBF, QByteArray(1, '\0'));
        QString host = projector->AddressText();
        QString port = projector->PortText();
        m_Access->SendCommand(2, &frame, 0, 0, &host, &port, false);
        QTRY_COMPARE(disconnected.count(), 1);
        // Errors are not logged.
        QCOMPARE(CCommLogFile::Lines(m_Dir->path()), QStringList{host + QStringLiteral(",Ex,Disconnected.")});
    }

    void logSwitchedOffWritesNothing()
    {
        m_Log->LogEnabled(false);
        CSimulatedProjector* projector = m_Simulator->Projector(0);
        projector->SetHandler([](const QByteArray& r) {
            return CSimReply::Answer(MakeSimFrame(0x20, static_cast<unsigned char>(r.at(1)), QByteArray(1, '\0')));
        });
        QSignalSpy received(m_Access, &CDeviceAccess::Received);
        QByteArray frame = MakeSimFrame(0x00, 0xBF, QByteArray(1, '\0'));
        QString host = projector->AddressText();
        QString port = projector->PortText();
        m_Access->SendCommand(1, &frame, 0, 0, &host, &port, false);
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(QDir(m_Dir->path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_CTransportLogWiring)
#include "tst_CTransportLogWiring.moc"
