#include <QtTest>

#include <QDateTime>
#include <QLoggingCategory>
#include <QUdpSocket>

#include <memory>

#include "DiscoveryResponder.h"
#include "DiscoveryTestRig.h"
#include "PJSearchUdp.h"

namespace {

const QHostAddress Local(QStringLiteral("127.0.0.1"));
const QHostAddress Pj(QStringLiteral("127.0.0.2"));
const QHostAddress Stranger(QStringLiteral("127.0.0.3"));
const int StopWaitMs = 5000;

QList<QHostAddress> addressesOf(const PJSearchUdp &engine)
{
    QList<QHostAddress> result;
    for (int i = 0; i < engine.PJListCount(); ++i) {
        PJ_LIST_INFO info;
        engine.PJListGet(i, info);
        result.append(info.address);
    }
    return result;
}

QList<QHostAddress> addresses(const QStringList &texts)
{
    QList<QHostAddress> result;
    for (const QString &t : texts)
        result.append(QHostAddress(t));
    return result;
}

} // namespace

class tst_PJSearchUdp : public QObject
{
    Q_OBJECT

    quint16 m_port = 0;
    std::unique_ptr<DiscoveryResponder> m_responder;

    std::unique_ptr<PJSearchUdp> engine(int flags, const QList<QHostAddress> &list)
    {
        std::unique_ptr<PJSearchUdp> e(new PJSearchUdp(nullptr, flags, list));
        e->SetBindAddress(Local, m_port);
        return e;
    }

    // Waits for the engine's own stop, then lets late datagrams land.
    static bool waitStopped(PJSearchUdp &e)
    {
        QElapsedTimer t;
        t.start();
        while (e.isRunning() && t.elapsed() < StopWaitMs)
            QTest::qWait(20);
        QTest::qWait(150);
        return !e.isRunning();
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));
    }

    void init()
    {
        m_port = DiscoveryResponder::findFreePort({Local, Pj, Stranger});
        QVERIFY(m_port != 0);
        m_responder.reset(new DiscoveryResponder(m_port));
        QVERIFY(m_responder->addResponder(Pj));
    }

    void cleanup()
    {
        m_responder.reset();
    }

    // A silent broadcast search: four identical requests half a second apart, then stop.
    void broadcastSendsFourIdenticalRequests()
    {
        DiscoveryReplyScript silent;
        silent.silent = true;
        m_responder->setDefaultScript(silent);
        auto e = engine(0x20, {Local, Pj});

        const quint32 before = quint32(QDateTime::currentMSecsSinceEpoch());
        QVERIFY(e->Start(SRCH_CMD_BROADCAST));
        const quint32 after = quint32(QDateTime::currentMSecsSinceEpoch());
        QVERIFY(e->isRunning());
        QVERIFY(waitStopped(*e));

        const QList<DiscoveryDatagram> got = m_responder->log();
        QCOMPARE(got.size(), 4);
        const quint32 stamp = timeStampOf(got.at(0).data);
        QVERIFY(quint32(stamp - before) <= quint32(after - before));
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got.at(i).data, expectedRequest(1, stamp, SRCH_CMD_BROADCAST, 0x20));
            QCOMPARE(got.at(i).sender, Local);
            QCOMPARE(got.at(i).senderPort, m_port);
            QCOMPARE(got.at(i).receiver, Pj);
            if (i > 0) {
                // Half a second apart; wide bounds, the sanitizer build runs slowly.
                const qint64 gap = got.at(i).arrivalMs - got.at(i - 1).arrivalMs;
                QVERIFY2(gap >= 350 && gap <= 1500, qPrintable(QString::number(gap)));
            }
        }
        QTest::qWait(700);
        QCOMPARE(m_responder->log().size(), 4);
    }

    // An address search sends once to every target at once, lists every
    // answer of the burst and stops at the first tick.
    void addressSearchSendsOncePerTarget()
    {
        DiscoveryResponder many(m_port);
        QList<QHostAddress> list{Local};
        for (int i = 1; i <= 254; ++i) {
            const QHostAddress a(QStringLiteral("127.0.1.%1").arg(i));
            QVERIFY2(many.addResponder(a), qPrintable(a.toString()));
            list.append(a);
        }
        auto e = engine(0x20, list);
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QTest::qWait(550);

        const QList<DiscoveryDatagram> got = many.log();
        QCOMPARE(got.size(), 254);
        QSet<quint32> receivers;
        for (const DiscoveryDatagram &d : got) {
            QCOMPARE(d.data, expectedRequest(1, timeStampOf(got.at(0).data), SRCH_CMD_UNICAST, 0x20));
            receivers.insert(d.receiver.toIPv4Address());
        }
        QCOMPARE(receivers.size(), 254);
        QCOMPARE(many.repliesSent(), 254);
        QCOMPARE(e->PJListCount(), 254);
        QCOMPARE(many.acceptsReceived(), 0);
        QCOMPARE(addressesOf(*e), list.mid(1));
    }

    // Each search has its own sequence number; replies to an earlier one are dropped.
    void sequenceNumbersSeparateSearches()
    {
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(e->PJListCount(), 1);
        QCOMPARE(DiscoveryResponder::seqNoOf(m_responder->log(SRCH_CMD_UNICAST).value(0).data), quint16(1));

        DiscoveryReplyScript stale;
        stale.seqNoOffset = -1;
        m_responder->setDefaultScript(stale);
        m_responder->clearLog();
        e->PJListClear();
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        const QList<DiscoveryDatagram> requests = m_responder->log(SRCH_CMD_UNICAST);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(DiscoveryResponder::seqNoOf(requests.at(0).data), quint16(2));
        QCOMPARE(m_responder->repliesSent(), 2);
        QCOMPARE(e->PJListCount(), 0);
    }

    // A Start while a search runs keeps the socket and starts a new search.
    void startDuringSearchKeepsSocket()
    {
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_BROADCAST));
        QVERIFY(e->Start(SRCH_CMD_BROADCAST));
        QVERIFY(waitStopped(*e));
        const QList<DiscoveryDatagram> requests = m_responder->log(SRCH_CMD_BROADCAST);
        QCOMPARE(requests.size(), 5);
        QCOMPARE(DiscoveryResponder::seqNoOf(requests.first().data), quint16(1));
        QCOMPARE(DiscoveryResponder::seqNoOf(requests.last().data), quint16(2));
        QCOMPARE(e->PJListCount(), 1);
    }

    // Every broadcast reply gets exactly one accept: the request with CommandID 5.
    void broadcastReplyIsAccepted()
    {
        DiscoveryReplyScript s;
        s.status = 0x01020304;
        s.name = QByteArray("\x83\x76\x83\x8D-Hall");  // Shift_JIS
        m_responder->setDefaultScript(s);
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_BROADCAST));
        QVERIFY(waitStopped(*e));

        QCOMPARE(m_responder->repliesSent(), 4);
        const QList<DiscoveryDatagram> accepts = m_responder->log(SRCH_CMD_ACCEPT);
        QCOMPARE(accepts.size(), 4);
        const QByteArray request = m_responder->log(SRCH_CMD_BROADCAST).value(0).data;
        QByteArray expected = request;
        expected[16] = char(SRCH_CMD_ACCEPT);
        for (const DiscoveryDatagram &a : accepts) {
            QCOMPARE(a.data, expected);
            QCOMPARE(a.receiver, Pj);
            QCOMPARE(a.senderPort, m_port);
        }
        QCOMPARE(e->PJListCount(), 1);
        PJ_LIST_INFO info;
        QVERIFY(e->PJListGet(0, info));
        QCOMPARE(info.address, Pj);
        QCOMPARE(info.name, QStringLiteral("\u30D7\u30ED-Hall"));
        QCOMPARE(info.status, 0x01020304);
    }

    // A broadcast domain: every responder answers every request and each answer is accepted once.
    void broadcastDomainListsEveryResponder()
    {
        const QHostAddress fanOut(QStringLiteral("127.0.2.255"));
        DiscoveryResponder domain(m_port);
        QList<QHostAddress> members;
        for (int i = 1; i <= 3; ++i) {
            members.append(QHostAddress(QStringLiteral("127.0.2.%1").arg(i)));
            QVERIFY(domain.addResponder(members.last()));
        }
        QVERIFY(domain.setFanOutAddress(fanOut));
        QVERIFY(!domain.addResponder(QHostAddress(QStringLiteral("10.0.0.1")))); // never off loopback

        auto e = engine(0x20, {Local, fanOut});
        QVERIFY(e->Start(SRCH_CMD_BROADCAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(domain.requestsReceived(), 4);
        QCOMPARE(domain.repliesSent(), 12);
        QCOMPARE(domain.acceptsReceived(), 12);
        QCOMPARE(addressesOf(*e), members);
        for (const QHostAddress &m : members) {
            int accepts = 0;
            for (const DiscoveryDatagram &d : domain.log(SRCH_CMD_ACCEPT))
                accepts += d.receiver == m ? 1 : 0;
            QCOMPARE(accepts, 4);
        }
    }

    // The reported address is listed before the sender, unless no device could have it.
    void reportedAddress_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("listed");
        const QString pj = Pj.toString();
        QTest::newRow("other address") << QByteArray("192.168.0.20") << QStringList{"192.168.0.20", pj};
        QTest::newRow("leading zeros are decimal") << QByteArray("192.168.000.020") << QStringList{"192.168.0.20", pj};
        QTest::newRow("same as sender") << Pj.toString().toLatin1() << QStringList{pj};
        QTest::newRow("unparsable") << QByteArray("projector") << QStringList{pj};
        QTest::newRow("empty") << QByteArray("") << QStringList{pj};
        QTest::newRow("octet over 255") << QByteArray("192.168.0.256") << QStringList{pj};
        QTest::newRow("hexadecimal") << QByteArray("0x10.1.1.1") << QStringList{pj};
        QTest::newRow("any") << QByteArray("0.0.0.0") << QStringList{pj};
        QTest::newRow("broadcast") << QByteArray("255.255.255.255") << QStringList{pj};
        QTest::newRow("loopback") << QByteArray("127.0.0.1") << QStringList{pj};
        QTest::newRow("field without NUL") << QByteArray(64, '7') << QStringList{pj};
    }

    void reportedAddress()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, listed);
        DiscoveryReplyScript s;
        s.addressText = text;
        s.status = 7;
        s.copies = 2; // the repeat adds nothing
        m_responder->setDefaultScript(s);
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(m_responder->repliesSent(), 2);
        QCOMPARE(addressesOf(*e), addresses(listed));
        for (int i = 0; i < e->PJListCount(); ++i) {
            PJ_LIST_INFO info;
            QVERIFY(e->PJListGet(i, info));
            QCOMPARE(info.name, QStringLiteral("PJ-127.0.0.2"));
            QCOMPARE(info.status, 7);
        }
    }

    // Replies that fail a check are dropped and not accepted.
    void replyChecks_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("wrongMagic");
        QTest::addColumn<int>("seqNoOffset");
        QTest::addColumn<quint32>("appFlag");
        QTest::addColumn<bool>("listed");
        QTest::newRow("255 bytes") << 0x20 << 255 << false << 0 << 0x20u << false;
        QTest::newRow("300 bytes, cut to 256") << 0x20 << 300 << false << 0 << 0x20u << true;
        QTest::newRow("wrong magic") << 0x20 << 256 << true << 0 << 0x20u << false;
        QTest::newRow("wrong sequence number") << 0x20 << 256 << false << 1 << 0x20u << false;
        QTest::newRow("flag test shares a bit") << 0x820 << 256 << false << 0 << 0x20u << true;
        QTest::newRow("flag test shares none") << 0x800 << 256 << false << 0 << 0x20u << false;
        QTest::newRow("flag test not applied") << 0x20 << 256 << false << 0 << 0u << true;
    }

    void replyChecks()
    {
        QFETCH(int, flags);
        QFETCH(int, length);
        QFETCH(bool, wrongMagic);
        QFETCH(int, seqNoOffset);
        QFETCH(quint32, appFlag);
        QFETCH(bool, listed);
        DiscoveryReplyScript s;
        s.length = length;
        s.wrongMagic = wrongMagic;
        s.seqNoOffset = seqNoOffset;
        s.appFlag = appFlag;
        s.commandId = SRCH_CMD_BROADCAST; // a broadcast reply is also taken in an address search
        m_responder->setDefaultScript(s);
        auto e = engine(flags, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(m_responder->repliesSent(), 1);
        QCOMPARE(e->PJListCount(), listed ? 1 : 0);
        QCOMPARE(m_responder->log(SRCH_CMD_ACCEPT).size(), listed ? 1 : 0);
    }

    // A notification is listed whatever its header holds, and never accepted.
    void notificationSkipsHeaderChecks()
    {
        DiscoveryReplyScript s;
        s.commandId = SRCH_CMD_NOTIFY;
        s.wrongMagic = true;
        s.seqNoOffset = 4321;
        m_responder->setDefaultScript(s);
        auto e = engine(0x800, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(m_responder->sendUnsolicited(Pj, Local, 999));
        QVERIFY(waitStopped(*e));
        QCOMPARE(m_responder->repliesSent(), 1);
        QCOMPARE(addressesOf(*e), QList<QHostAddress>{Pj});
        QCOMPARE(m_responder->log(SRCH_CMD_ACCEPT).size(), 0);
    }

    // In an address search a reply must come from a target, unless it is a
    // broadcast reply or a notification.
    void replyFromOutsideTheTargets_data()
    {
        QTest::addColumn<quint32>("command");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("accepts");
        const QString pj = Pj.toString();
        QTest::newRow("address search reply") << quint32(SRCH_CMD_UNICAST) << QStringList{pj} << 0;
        QTest::newRow("other command") << 7u << QStringList{pj} << 0;
        QTest::newRow("broadcast reply") << quint32(SRCH_CMD_BROADCAST) << QStringList{pj, Stranger.toString()} << 1;
        QTest::newRow("notification") << quint32(SRCH_CMD_NOTIFY) << QStringList{pj, Stranger.toString()} << 0;
    }

    void replyFromOutsideTheTargets()
    {
        QFETCH(quint32, command);
        QFETCH(QStringList, listed);
        QFETCH(int, accepts);
        QVERIFY(m_responder->addResponder(Stranger));
        DiscoveryReplyScript s;
        s.commandId = command;
        m_responder->setScript(Stranger, s);
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QTest::qWait(50); // the target's answer first
        QVERIFY(m_responder->sendUnsolicited(Stranger, Local, 1));
        QVERIFY(waitStopped(*e));
        QCOMPARE(addressesOf(*e), addresses(listed));
        QCOMPARE(m_responder->log(SRCH_CMD_ACCEPT).size(), accepts);
    }

    // Datagrams from the engine's own interface address are its own echo.
    void ownAddressIsEcho()
    {
        m_responder->setDefaultScript(DiscoveryReplyScript());
        DiscoveryReplyScript s;
        s.commandId = SRCH_CMD_BROADCAST;
        m_responder->setDefaultScript(s);
        auto e = engine(0x20, {Pj, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(m_responder->repliesSent(), 1);
        QCOMPARE(e->PJListCount(), 0);
        QCOMPARE(m_responder->log(SRCH_CMD_ACCEPT).size(), 0);
    }

    // A Start without an interface address fails and uses no sequence number.
    void startWithoutInterfaceAddress_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::newRow("empty list") << QStringList{};
        QTest::newRow("IPv6 interface") << QStringList{"::1", Pj.toString()};
        QTest::newRow("null interface") << QStringList{"", Pj.toString()};
        QTest::newRow("0.0.0.0") << QStringList{"0.0.0.0", Pj.toString()};
    }

    void startWithoutInterfaceAddress()
    {
        QFETCH(QStringList, list);
        auto e = engine(0x20, addresses(list));
        e->PJListAdd(QHostAddress(QStringLiteral("10.0.0.9")), QStringLiteral("kept"), 0);
        QVERIFY(!e->Start(SRCH_CMD_UNICAST));
        QVERIFY(!e->isRunning());
        QCOMPARE(e->PJListCount(), 1);
        QVERIFY(!e->Start(SRCH_CMD_BROADCAST));
        QCOMPARE(e->PJListCount(), 0); // a broadcast Start empties the list first
        QTest::qWait(100);
        QCOMPARE(m_responder->log().size(), 0);

        e->SearchIpListUpdate({Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(m_responder->log().size(), 1);
        QCOMPARE(DiscoveryResponder::seqNoOf(m_responder->log().at(0).data), quint16(1));
    }

    // A port held by another program fails the Start instead of searching deaf.
    void occupiedPortFailsStart()
    {
        QUdpSocket foreign;
        QVERIFY(foreign.bind(Local, m_port, QUdpSocket::DontShareAddress));
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(!e->Start(SRCH_CMD_BROADCAST));
        QVERIFY(!e->isRunning());
        QTest::qWait(600);
        QCOMPARE(m_responder->log().size(), 0);

        foreign.close();
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(DiscoveryResponder::seqNoOf(m_responder->log().value(0).data), quint16(1));
        QCOMPARE(e->PJListCount(), 1);
    }

    // Engines made after the process-wide default is set bind there (the
    // search dialog makes its own); a null address restores the production port.
    void defaultBindEndpoint()
    {
        PJSearchUdp::SetDefaultBindAddress(Local, m_port);
        PJSearchUdp made(nullptr, 0x20, {Local, Pj});
        PJSearchUdp::SetDefaultBindAddress(QHostAddress(), 0);
        PJSearchUdp later(nullptr, 0x20, {Local, Pj});
        QCOMPARE(later.Port(), quint16(PJSearchUdp::DefaultPort));

        QCOMPARE(made.Port(), m_port);
        QVERIFY(made.Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(made));
        QCOMPARE(m_responder->log().value(0).sender, Local);
        QCOMPARE(m_responder->log().value(0).senderPort, m_port);
        QCOMPARE(addressesOf(made), QList<QHostAddress>{Pj});
    }

    // Stopping closes the socket: later replies are not seen.
    void stopEndsListening()
    {
        DiscoveryReplyScript late;
        late.delayMs = 300;
        m_responder->setDefaultScript(late);
        auto e = engine(0x20, {Local, Pj});
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(e->Stop());
        QVERIFY(!e->isRunning());
        QTest::qWait(600);
        QCOMPARE(m_responder->repliesSent(), 1);
        QCOMPARE(e->PJListCount(), 0);
    }

    // Found list: first entry of an address wins; an address search adds to it.
    void foundList()
    {
        auto e = engine(0x20, {Local, Pj});
        const QHostAddress a(QStringLiteral("192.168.0.10"));
        QCOMPARE(e->PJListAdd(a, QStringLiteral("first"), 1), 0);
        QCOMPARE(e->PJListAdd(a, QStringLiteral("second"), 2), 0);
        QCOMPARE(e->PJListCount(), 1);

        PJ_LIST_INFO info;
        info.name = QStringLiteral("untouched");
        info.status = 42;
        QVERIFY(!e->PJListGet(-1, info));
        QVERIFY(!e->PJListGet(e->PJListCount(), info));
        QCOMPARE(info.name, QStringLiteral("untouched"));
        QCOMPARE(info.status, 42);
        QVERIFY(info.address.isNull());
        QVERIFY(e->PJListGet(0, info));
        QCOMPARE(info.name, QStringLiteral("first"));
        QCOMPARE(info.status, 1);

        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(waitStopped(*e));
        QCOMPARE(addressesOf(*e), (QList<QHostAddress>{a, Pj}));

        QCOMPARE(e->PJListClear(), 0);
        QCOMPARE(e->PJListCount(), 0);
        QCOMPARE(e->PJListAdd(a, QStringLiteral("again"), 3), 0);
        QCOMPARE(e->PJListCount(), 1);
    }

    // Text reads stay inside the datagram, with the debug output on.
    void unterminatedTextsStayInside()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=true"));
        QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        auto e = engine(0x20, {Local, Pj});
        DiscoveryReplyScript s;
        s.commandId = SRCH_CMD_NOTIFY;
        s.addressText = QByteArray(64, '1');
        s.name = "Name";
        s.nameWithoutNul = true;
        m_responder->setDefaultScript(s);
        QVERIFY(e->Start(SRCH_CMD_UNICAST));
        QVERIFY(m_responder->sendRaw(Pj, Local, QByteArray(256, 'A'))); // no NUL at all
        QVERIFY(waitStopped(*e));
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.discovery.*.debug=false"));

        QCOMPARE(e->PJListCount(), 1);
        PJ_LIST_INFO info;
        QVERIFY(e->PJListGet(0, info));
        QCOMPARE(info.address, Pj);
        QCOMPARE(info.name.size(), 160);
        QVERIFY(info.name.startsWith(QStringLiteral("NameNameName")));
    }
};

QTEST_GUILESS_MAIN(tst_PJSearchUdp)
#include "tst_PJSearchUdp.moc"
