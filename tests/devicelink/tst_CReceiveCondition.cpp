#include <QtTest>

#include "CReceiveCondition.h"

namespace {

CReceiveCondition Condition(int type, int extra, int first, int last, int base = 0)
{
    return CReceiveCondition::Make(type, extra, first, last, base, true, true);
}

// A projector reply header whose length field holds (b3 & 0x0F) * 256 + b4,
// padded to `size` bytes.
QByteArray Reply(unsigned char b3, unsigned char b4, int size)
{
    QByteArray data(size, '\x00');
    if (size > 3)
        data[3] = char(b3);
    if (size > 4)
        data[4] = char(b4);
    return data;
}

} // namespace

Q_DECLARE_METATYPE(CReceiveCondition)

class tst_CReceiveCondition : public QObject
{
    Q_OBJECT
private slots:
    void completion_data()
    {
        QTest::addColumn<CReceiveCondition>("condition");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");

        const CReceiveCondition pj = CReceiveCondition::ProjectorReply();
        QTest::newRow("reply: empty") << pj << QByteArray() << false;
        QTest::newRow("reply: 4 bytes, length not in yet") << pj << QByteArray(4, '\xFF') << false;
        QTest::newRow("reply: header only, L=0, 5 bytes") << pj << Reply(0, 0, 5) << false;
        QTest::newRow("reply: L=0 complete at 6") << pj << Reply(0, 0, 6) << true;
        QTest::newRow("reply: L=5 not at 10") << pj << Reply(0x00, 0x05, 10) << false;
        QTest::newRow("reply: L=5 complete at 11") << pj << Reply(0x00, 0x05, 11) << true;
        QTest::newRow("reply: L=5 more than enough") << pj << Reply(0x00, 0x05, 40) << true;
        QTest::newRow("reply: upper nibble ignored, not at 263") << pj << Reply(0xF1, 0x02, 263) << false;
        QTest::newRow("reply: upper nibble ignored, complete at 264") << pj << Reply(0xF1, 0x02, 264) << true;
        QTest::newRow("reply: largest length 4095, not at 4100") << pj << Reply(0x0F, 0xFF, 4100) << false;
        QTest::newRow("reply: largest length 4095, complete at 4101") << pj << Reply(0x0F, 0xFF, 4101) << true;

        QTest::newRow("fixed: extra 0 on empty") << Condition(1, 0, 0, 0) << QByteArray() << true;
        QTest::newRow("fixed: 3 of 4") << Condition(1, 4, 0, 0) << QByteArray(3, 'x') << false;
        QTest::newRow("fixed: 4 of 4") << Condition(1, 4, 0, 0) << QByteArray(4, 'x') << true;
        QTest::newRow("type 0 at once") << Condition(0, 0, 0, 0) << QByteArray() << true;
        QTest::newRow("type 9 at once") << Condition(9, 0, 0, 0) << QByteArray() << true;
        QTest::newRow("type -1 at once") << Condition(-1, 0, 0, 0) << QByteArray() << true;

        QTest::newRow("negative extra never") << Condition(0, -1, 0, 0) << QByteArray(10, 'x') << false;
        QTest::newRow("negative first never") << Condition(1, 0, -1, 0) << QByteArray(10, 'x') << false;
        QTest::newRow("negative last never") << Condition(1, 0, 0, -1) << QByteArray(10, 'x') << false;
        QTest::newRow("first after last never") << Condition(0, 0, 5, 4) << QByteArray(10, 'x') << false;

        // Type 2: the bit field counts the whole reply (byte 0 holds 3).
        QTest::newRow("bits: L=3 counts all, 2 bytes") << Condition(2, 0, 0, 7) << QByteArray("\x03\x00", 2) << false;
        QTest::newRow("bits: L=3 counts all, 3 bytes") << Condition(2, 0, 0, 7) << QByteArray("\x03\x00\x00", 3) << true;
        QTest::newRow("bits: field of 33 bits") << Condition(2, 0, 0, 32) << QByteArray(10, '\0') << false;
        QTest::newRow("bits: last byte not in") << Condition(3, 0, 8, 23) << QByteArray(2, '\0') << false;
        QTest::newRow("bits: all ones field is -1, never") << Condition(2, 0, 0, 31) << QByteArray(8, '\xFF') << false;
        QTest::newRow("bits: top bit of 32 set, never") << Condition(2, 0, 0, 31) << QByteArray("\x80\x00\x00\x00", 4) << false;
        QTest::newRow("text: '-5' never") << Condition(5, 0, 0, 1, 10) << QByteArray("-5") << false;
        QTest::newRow("bits: huge length plus extra") << Condition(3, 100, 1, 31) << QByteArray(8, '\xFF') << false;

        // Text fields (byte positions).
        QTest::newRow("text: '12' base 16 = 18, at 17") << Condition(4, 0, 0, 1, 16) << QByteArray("12").append(15, ' ') << false;
        QTest::newRow("text: '12' base 16 = 18, at 18") << Condition(4, 0, 0, 1, 16) << QByteArray("12").append(16, ' ') << true;
        QTest::newRow("text: '1G' base 16 never") << Condition(4, 0, 0, 1, 16) << QByteArray("1G").append(40, ' ') << false;
        QTest::newRow("text: 12 + 3 extra, at 14") << Condition(5, 3, 0, 1, 10) << QByteArray("12").append(12, ' ') << false;
        QTest::newRow("text: 12 + 3 extra, at 15") << Condition(5, 3, 0, 1, 10) << QByteArray("12").append(13, ' ') << true;
        QTest::newRow("text: five characters never") << Condition(4, 0, 0, 4, 10) << QByteArray("00001").append(10, ' ') << false;
        QTest::newRow("text: field not in yet") << Condition(4, 0, 2, 3, 10) << QByteArray("ab1") << false;
    }

    void completion()
    {
        QFETCH(CReceiveCondition, condition);
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QCOMPARE(IsReceiveCompleted(data, condition), complete);
    }

    // The part of what came in that makes the reply; what follows is no
    // part of it.
    void completedSize_data()
    {
        QTest::addColumn<CReceiveCondition>("condition");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("size");
        const CReceiveCondition pj = CReceiveCondition::ProjectorReply();
        QTest::newRow("reply: L=5, exactly") << pj << Reply(0x00, 0x05, 11) << 11;
        QTest::newRow("reply: L=5 and a trailing byte") << pj << Reply(0x00, 0x05, 12) << 11;
        QTest::newRow("reply: L=0 and a second frame") << pj << Reply(0x00, 0x00, 13) << 6;
        QTest::newRow("reply: not complete") << pj << Reply(0x00, 0x05, 10) << -1;
        QTest::newRow("fixed: 4 of 6") << Condition(1, 4, 0, 0) << QByteArray(6, 'x') << 4;
        QTest::newRow("at once: everything") << Condition(0, 0, 0, 0) << QByteArray(7, 'x') << 7;
        QTest::newRow("bits: L=3 of 5") << Condition(2, 0, 0, 7) << QByteArray("\x03\x00\x00\x00\x00", 5) << 3;
        QTest::newRow("bits: L=0 keeps its field") << Condition(2, 0, 8, 15) << QByteArray(4, '\0') << 2;
        QTest::newRow("text: 12 + 3 extra of 20") << Condition(5, 3, 0, 1, 10) << QByteArray("12").append(18, ' ') << 15;
    }

    void completedSize()
    {
        QFETCH(CReceiveCondition, condition);
        QFETCH(QByteArray, data);
        QFETCH(int, size);
        QCOMPARE(GetReceiveCompletedSize(data, condition), size);
        QCOMPARE(IsReceiveCompleted(data, condition), size >= 0);
    }

    void bitField_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("forwardBytes");
        QTest::addColumn<bool>("msbFirst");
        QTest::addColumn<int>("length");

        const QByteArray d("\x12\x34", 2);
        QTest::newRow("across bytes, forward, msb first") << d << 4 << 11 << true << true << 0x23;
        QTest::newRow("across bytes, backward, lsb first") << d << 4 << 11 << false << false << 0xC4;
        QTest::newRow("across bytes, forward, lsb first: whole bytes") << d << 4 << 11 << true << false << 0x482C;
        QTest::newRow("across bytes, backward, msb first: whole bytes") << d << 4 << 11 << false << true << 0x3412;
        QTest::newRow("one byte, forward, lsb first") << d << 0 << 3 << true << false << 0x8;
        QTest::newRow("one byte, backward, msb first") << d << 0 << 3 << false << true << 0x1;
        QTest::newRow("projector length bits 28..39") << QByteArray("\x20\x81\x01\xF1\x02", 5) << 28 << 39 << true << true << 0x102;
        QTest::newRow("40 visited bits keep the last 32")
            << QByteArray("\xFF\x00\x00\x00\x01", 5) << 7 << 38 << true << false << 0x80;
        QTest::newRow("32 bits accepted") << QByteArray("\x00\x00\x01\x00", 4) << 0 << 31 << true << true << 0x100;
        QTest::newRow("32 bits above INT_MAX refused") << QByteArray("\x80\x00\x00\x01", 4) << 0 << 31 << true << true << -1;
        QTest::newRow("33 bits refused") << QByteArray(8, '\x01') << 0 << 32 << true << true << -1;
        QTest::newRow("last byte missing") << d << 8 << 16 << true << true << -1;
        QTest::newRow("first after last") << d << 9 << 8 << true << true << -1;
        QTest::newRow("negative first") << d << -1 << 8 << true << true << -1;
    }

    void bitField()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, forwardBytes);
        QFETCH(bool, msbFirst);
        QFETCH(int, length);
        QCOMPARE(GetReceivedBitFieldLength(data, first, last, forwardBytes, msbFirst), length);
    }

    void textField_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("forwardBytes");
        QTest::addColumn<int>("length");

        QTest::newRow("'12' base 16") << QByteArray("12") << 0 << 1 << 16 << true << 18;
        QTest::newRow("'12' base 10") << QByteArray("12") << 0 << 1 << 10 << true << 12;
        QTest::newRow("'12' backward base 10") << QByteArray("12") << 0 << 1 << 10 << false << 21;
        QTest::newRow("'1G' base 16") << QByteArray("1G") << 0 << 1 << 16 << true << -1;
        QTest::newRow("four characters") << QByteArray("x0400") << 1 << 4 << 10 << true << 400;
        QTest::newRow("five characters") << QByteArray("00001") << 0 << 4 << 10 << true << -1;
        QTest::newRow("last not in yet") << QByteArray("1") << 0 << 1 << 10 << true << -1;
        QTest::newRow("negative '-5'") << QByteArray("-5") << 0 << 1 << 10 << true << -1;
        QTest::newRow("invalid base") << QByteArray("12") << 0 << 1 << 99 << true << -1;
    }

    void textField()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, base);
        QFETCH(bool, forwardBytes);
        QFETCH(int, length);
        QCOMPARE(GetReceivedTextFieldLength(data, first, last, base, forwardBytes), length);
    }

    void readerByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        // Byte 0 '1' = 0x31, byte 1 '2' = 0x32: bits 0..7 read 0x31, text 0..1 reads 12.
        QTest::newRow("type 2 bits") << 2 << 0x31;
        QTest::newRow("type 3 bits") << 3 << 0x31;
        QTest::newRow("type 4 text") << 4 << 12;
        QTest::newRow("type 5 text") << 5 << 12;
        QTest::newRow("type 1 none") << 1 << -1;
        QTest::newRow("type 0 none") << 0 << -1;
    }

    void readerByType()
    {
        QFETCH(int, type);
        QFETCH(int, length);
        CReceiveCondition c = Condition(type, 0, 0, type >= 4 ? 1 : 7, 10);
        QCOMPARE(GetReceivedLength(QByteArray("12"), c), length);
    }
};

QTEST_APPLESS_MAIN(tst_CReceiveCondition)
#include "tst_CReceiveCondition.moc"
