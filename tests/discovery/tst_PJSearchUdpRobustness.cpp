#include <QtTest>

#include <QLoggingCategory>
#include <QtEndian>

#include <cstring>
#include <memory>

#include "ByteMutator.h"
#include "DiscoveryResponder.h"
#include "PJSearchUdp.h"

namespace {

const QHostAddress Local(QStringLiteral("127.0.0.1"));
const QHostAddress Pj(QStringLiteral("127.0.0.2"));

// A sound reply to the first unicast search (sequence number 1).
QByteArray ValidReply(quint32 command)
{
    SEARCH_ACK ack;
    std::memset(&ack, 0, sizeof ack);
    std::memcpy(ack.Header.PacketID, "QRPJ", 4);
    ack.Header.Fixed[0] = 0x13;
    ack.Header.SeqNo = qToLittleEndian<quint16>(1);
    ack.Header.DataLength = qToLittleEndian<quint16>(240);
    ack.CommandID = qToLittleEndian<quint32>(command);
    ack.Status = qToLittleEndian<quint32>(4);
    std::strcpy(ack.IpAddress, "192.168.1.20");
    std::strcpy(ack.Name, "PJ-Hall");
    ack.AppFlag = qToLittleEndian<quint32>(0x20);
    return QByteArray(reinterpret_cast<const char *>(&ack), int(sizeof ack));
}

} // namespace

// Damaged discovery replies, checked directly and through a loopback socket.
class tst_PJSearchUdpRobustness : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));
    }

    void replyCheckOfRandomReplies()
    {
        PJSearchUdp engine(nullptr, 0x04044820, {Local, Pj});
        ByteMutator mutator(0xD15Cu);
        const QByteArray valid = ValidReply(SRCH_CMD_UNICAST);
        for (int i = 0; i < 20000; ++i) {
            QByteArray bytes = mutator.Below(2) ? mutator.Mutate(valid) : mutator.Random(256);
            bytes = bytes.leftJustified(int(sizeof(SEARCH_ACK)), '\0', true);
            SEARCH_ACK ack;
            std::memcpy(&ack, bytes.constData(), sizeof ack);
            QHostAddress sender = mutator.Below(2) ? Pj : QHostAddress(quint32(mutator.Below(1 << 30)));
            const int result = engine.SearchAckDataCheck(&ack, mutator.Below(10) ? &sender : nullptr);
            QVERIFY(result >= 0 && result <= 3);
        }
    }

    // Every damaged datagram reaches the engine's reader; the found list takes
    // at most the senders and reported addresses, with names no longer than
    // the datagram allows.
    void mutatedDatagramsOverLoopback()
    {
        const quint16 port = DiscoveryResponder::findFreePort({Local, Pj});
        QVERIFY(port != 0);
        DiscoveryResponder responder(port);
        QVERIFY(responder.addResponder(Pj));
        DiscoveryReplyScript silent;
        silent.silent = true;
        responder.setDefaultScript(silent);

        PJSearchUdp engine(nullptr, 0x20, {Local, Pj});
        engine.SetBindAddress(Local, port);
        QVERIFY(engine.Start(SRCH_CMD_UNICAST));

        ByteMutator mutator(0x0DDu);
        const QByteArray valid[] = {ValidReply(SRCH_CMD_UNICAST), ValidReply(SRCH_CMD_BROADCAST),
                                    ValidReply(SRCH_CMD_NOTIFY)};
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes = mutator.Mutate(valid[mutator.Below(3)], 3);
            if (mutator.Below(3) == 0) // an address or name field with no NUL
                std::memset(bytes.data() + 32, mutator.Below(2) ? '9' : '\xFF', size_t(qMax(0, qMin(bytes.size(), 256) - 32)));
            if (i % 50 == 0)
                bytes = mutator.Random(1400);
            QVERIFY(responder.sendRaw(Pj, Local, bytes));
        }
        QElapsedTimer timer;
        timer.start();
        while (engine.isRunning() && timer.elapsed() < 5000)
            QTest::qWait(20);
        QVERIFY(!engine.isRunning());
        // Replies damaged only where nothing is checked still find the projector.
        QVERIFY(engine.PJListCount() >= 1);
        QVERIFY(engine.PJListCount() <= 301);
        for (int i = 0; i < engine.PJListCount(); ++i) {
            PJ_LIST_INFO info;
            QVERIFY(engine.PJListGet(i, info));
            QVERIFY(info.name.size() <= 160);
        }
    }
};

QTEST_GUILESS_MAIN(tst_PJSearchUdpRobustness)
#include "tst_PJSearchUdpRobustness.moc"
