#include <QtTest>

#include "ByteMutator.h"
#include "CCommandFunctions.h"
#include "CProjectorData.h"
#include "CReceiveCondition.h"
#include "CSimProjectorModel.h"
#include "EngineTestData.h"

namespace {

QByteArray Request(int index, const QList<int>& values)
{
    QList<CVariantParameter> params = IntParams(values);
    QByteArray frame;
    CCommandFunctions::f_MakeStaticCommand(&frame, index, &params);
    return frame;
}

// Runs every reply check and every store on one received frame, as the
// engine would on whatever arrives.
void RunEveryCheck(CProjectorData& record, const QByteArray& sent, const QByteArray& received, int index)
{
    QByteArray s = sent;
    QByteArray r = received;
    const CReceiveCondition condition = CReceiveCondition::ProjectorReply();
    IsReceiveCompleted(r, condition);
    CCommandFunctions::f_GetCorvexPjPcCmdLen(r);
    CCommandFunctions::f_IsCommandFrameReceived(r);
    CCommandFunctions::f_IsCommandSumSubmit(r);
    CCommandFunctions::f_IsMatchCommandID(s, r);
    const int nack = CCommandFunctions::f_GetNackCode(r);
    QVERIFY(nack == 0 || CCommandFunctions::f_IsNackResponse(nack));
    const int id = CCommandFunctions::f_GetCommandID(r);
    QVERIFY(id >= -1 && id <= 32);

    record.m_SendFrame = s;
    record.m_ReceiveFrame = r;
    const int stored = CCommandFunctions::f_StoreReceivedData(&record, index);
    QVERIFY(stored == 0 || stored == 1);
    if (id >= 0)
        CCommandFunctions::f_StoreReceivedData(&record, id);
    CCommandFunctions::f_ModelInfoUpdate(&record);
    CCommandFunctions::f_ProjectorCommonStatusUpdate(&record);
}

} // namespace

Q_DECLARE_METATYPE(QList<int>)

// Damaged, cut and overlong replies to every request kind: the checks and the
// stores must neither crash nor read outside the frame.
class tst_CCommandFunctionsRobustness : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    }

    void mutatedReplies_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("params");
        const QMap<int, QList<int>> params{
            {4, {0x06}}, {11, {1, 0xFF, 0, 40, 0}}, {12, {5, 0, 0, 7, 0}}, {16, {1, 1}}, {18, {2, 0, 1}},
            {19, {5, 0, 1}}, {23, {1}}, {24, {0, 4, 1}}, {27, {2}}};
        for (int index = 0; index <= 32; ++index)
            QTest::addRow("%d", index) << index << params.value(index);
        QTest::newRow("16 lamp 1 remaining") << 16 << QList<int>{0, 4};
        QTest::newRow("24 horizontal") << 24 << QList<int>{0, 3, 1};
        QTest::newRow("24 polarity") << 24 << QList<int>{0, 5, 1};
        QTest::newRow("27 mac 1") << 27 << QList<int>{0};
    }

    void mutatedReplies()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, params);
        CSimModelSpec spec = CSimModelSpec::Unlisted(true);
        spec.lampCount = 2;
        spec.hasMac3 = true;
        CSimProjectorModel model(spec);
        const QByteArray request = Request(index, params);
        const QByteArray valid = model.ReplyFrame(request);
        QVERIFY(IsReceiveCompleted(valid, CReceiveCondition::ProjectorReply()));

        CProjectorData record(nullptr, 1);
        ByteMutator mutator(0x5EED0000u + quint32(index) * 131u + quint32(params.value(0)));
        for (int i = 0; i < 600; ++i) {
            QByteArray reply = mutator.Mutate(valid, 6);
            // Length fields at their extremes, with the data that is there.
            if (reply.size() >= 5 && mutator.Below(4) == 0) {
                static const char high[] = {'\x00', '\x0F', '\xFF', '\xF0'};
                reply[3] = high[mutator.Below(4)];
                reply[4] = mutator.Below(2) ? '\xFF' : '\x00';
            }
            RunEveryCheck(record, mutator.Below(8) == 0 ? mutator.Mutate(request) : request, reply, index);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("reply %1").arg(QString::fromLatin1(reply.toHex(' ')))));
        }
    }

    // Every prefix of a stream of random bytes and replies, against every
    // store: nothing the peer sends may be read past.
    void randomFramesEveryStore()
    {
        CProjectorData record(nullptr, 1);
        ByteMutator mutator(0xF00Du);
        for (int i = 0; i < 3000; ++i) {
            QByteArray reply = mutator.Random(mutator.Below(4) == 0 ? 4200 : 64);
            const int index = mutator.Below(40) - 4; // some out of range
            RunEveryCheck(record, mutator.Random(12), reply, index);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Random conditions over random bytes: every field position and type,
    // including ones beyond the data and beyond int range of the sum.
    void randomReceiveConditions()
    {
        ByteMutator mutator(0xC0DEu);
        static const int extremes[] = {0, 1, 7, 8, 31, 32, 39, 255, 4096, INT_MAX, -1, INT_MIN};
        auto pick = [&]() { return mutator.Below(3) == 0 ? extremes[mutator.Below(12)] : mutator.Below(80); };
        for (int i = 0; i < 20000; ++i) {
            const CReceiveCondition c = CReceiveCondition::Make(
                mutator.Below(8) - 1, pick(), pick(), pick(), mutator.Below(3) == 0 ? pick() : mutator.Below(37),
                mutator.Below(2), mutator.Below(2));
            const QByteArray data = mutator.Random(12);
            const bool done = IsReceiveCompleted(data, c);
            const int length = GetReceivedLength(data, c);
            // A length is never negative: a negative one would declare any data complete.
            QVERIFY(length >= -1);
            if (length >= 0 && c.type >= CReceiveCondition::TYPE_BITS && c.type <= CReceiveCondition::TYPE_TEXT_PLUS_EXTRA
                && c.extra >= 0)
                QCOMPARE(done, data.size() >= qint64(length) + (c.type % 2 ? c.extra : 0));
            if (c.type == CReceiveCondition::TYPE_FIXED && c.extra >= 0 && c.first >= 0 && c.last >= c.first)
                QCOMPARE(done, data.size() >= c.extra);
        }
    }

    // A reply fed in random pieces is complete exactly when all of it is there.
    void piecewiseReplies()
    {
        ByteMutator mutator(0xBEEFu);
        CSimProjectorModel model(CSimModelSpec::Unlisted(true));
        const CReceiveCondition condition = CReceiveCondition::ProjectorReply();
        for (int index = 0; index <= 32; ++index) {
            const QByteArray valid = model.ReplyFrame(Request(index, {0, 0, 0, 0, 0}));
            QByteArray stream;
            while (stream.size() < valid.size()) {
                QVERIFY(!IsReceiveCompleted(stream, condition));
                stream.append(valid.mid(stream.size(), 1 + mutator.Below(8)));
            }
            QVERIFY(IsReceiveCompleted(stream, condition));
        }
    }
};

QTEST_GUILESS_MAIN(tst_CCommandFunctionsRobustness)
#include "tst_CCommandFunctionsRobustness.moc"
