// The control protocol spoken to projectors: building request frames and
// judging reply frames. Nothing here keeps state or touches a socket.

#include "CCommandFunctions.h"

#include <QTextCodec>

#include "CGainInfo.h"
#include "CVariantParameter.h"

namespace {

unsigned char ByteAt(const QByteArray& data, int offset)
{
    return static_cast<unsigned char>(data.at(offset));
}

// How the data of one request table entry is made.
enum DataForm {
    DATA_NONE,      // no data
    DATA_FIXED,     // the fixed bytes only
    DATA_PARAMS,    // the fixed bytes, then one byte per parameter
    DATA_TEXT49,    // 0x01 and 49 bytes copied from the first parameter
    DATA_NAME17     // 0x2C and the first parameter's text in Shift_JIS, 17 bytes
};

struct RequestEntry
{
    unsigned char cls;
    unsigned char code;
    DataForm form;
    const char* fixed;  // leading fixed data bytes
    int fixedCount;
    int paramCount;     // parameters appended after the fixed bytes
};

const RequestEntry REQUESTS[] = {
    /*  0 */ {0x00, 0x88, DATA_NONE, "", 0, 0},
    /*  1 */ {0x00, 0x92, DATA_FIXED, "\xFF", 1, 0},
    /*  2 */ {0x02, 0x00, DATA_NONE, "", 0, 0},
    /*  3 */ {0x02, 0x01, DATA_NONE, "", 0, 0},
    /*  4 */ {0x02, 0x03, DATA_PARAMS, "\x01", 1, 1},
    /*  5 */ {0x02, 0x10, DATA_NONE, "", 0, 0},
    /*  6 */ {0x02, 0x11, DATA_NONE, "", 0, 0},
    /*  7 */ {0x02, 0x12, DATA_NONE, "", 0, 0},
    /*  8 */ {0x02, 0x13, DATA_NONE, "", 0, 0},
    /*  9 */ {0x02, 0x14, DATA_NONE, "", 0, 0},
    /* 10 */ {0x02, 0x15, DATA_NONE, "", 0, 0},
    /* 11 */ {0x03, 0x10, DATA_PARAMS, "", 0, 5},
    /* 12 */ {0x03, 0x10, DATA_PARAMS, "", 0, 5},
    /* 13 */ {0x03, 0x8A, DATA_NONE, "", 0, 0},
    /* 14 */ {0x03, 0x8C, DATA_NONE, "", 0, 0},
    /* 15 */ {0x03, 0x95, DATA_NONE, "", 0, 0},
    /* 16 */ {0x03, 0x96, DATA_PARAMS, "", 0, 2},
    /* 17 */ {0x03, 0x8B, DATA_TEXT49, "\x01", 1, 0},
    /* 18 */ {0x03, 0x04, DATA_PARAMS, "", 0, 3},
    /* 19 */ {0x03, 0x05, DATA_PARAMS, "", 0, 3},
    /* 20 */ {0x00, 0x85, DATA_FIXED, "\x00", 1, 0},
    /* 21 */ {0x00, 0x85, DATA_FIXED, "\x04", 1, 0},
    /* 22 */ {0x00, 0x85, DATA_FIXED, "\x05", 1, 0},
    /* 23 */ {0x01, 0x98, DATA_PARAMS, "", 0, 1},
    /* 24 */ {0x00, 0xD0, DATA_PARAMS, "", 0, 3},
    /* 25 */ {0x03, 0xB0, DATA_FIXED, "\x07", 1, 0},
    /* 26 */ {0x03, 0xB0, DATA_FIXED, "\x2C", 1, 0},
    /* 27 */ {0x03, 0xB0, DATA_PARAMS, "\x9A", 1, 1},
    /* 28 */ {0x03, 0xB1, DATA_NAME17, "\x2C", 1, 0},
    /* 29 */ {0x00, 0xBF, DATA_FIXED, "\x00", 1, 0},
    /* 30 */ {0x00, 0xBF, DATA_FIXED, "\x01\x06", 2, 0},
    /* 31 */ {0x00, 0xBF, DATA_FIXED, "\x02", 1, 0},
    /* 32 */ {0x01, 0xD3, DATA_FIXED, "\x01", 1, 0},
};

const int REQUEST_COUNT = int(sizeof REQUESTS / sizeof REQUESTS[0]);

// A missing parameter reads as a default value, so a short list never reads
// past its end.
CVariantParameter ParamAt(const QList<CVariantParameter>* params, int index)
{
    if (params == nullptr || index < 0 || index >= params->size())
        return CVariantParameter();
    return params->at(index);
}

// The first `count` bytes of `source`, padded with 0x00 to `count`.
QByteArray Padded(const QByteArray& source, int count)
{
    QByteArray out = source.left(count);
    out.append(QByteArray(count - out.size(), '\0'));
    return out;
}

} // namespace

int CCommandFunctions::CreateSum(const QByteArray* data, int count)
{
    if (data == nullptr || count < 1)
        return 0;
    const int n = qMin(count, data->size());
    unsigned char sum = 0;
    for (int i = 0; i < n; ++i)
        sum = static_cast<unsigned char>(sum + ByteAt(*data, i));
    return sum;
}

int CCommandFunctions::CreateSum(const QByteArray* data)
{
    return data == nullptr ? 0 : CreateSum(data, data->size());
}

int CCommandFunctions::f_MakePJPcCmd(QByteArray* out, unsigned char cls, unsigned char code, int length,
                                     QByteArray* data)
{
    if (out == nullptr)
        return 0;
    out->clear();
    out->append(char(cls));
    out->append(char(code));
    out->append(char(0x00));
    out->append(char((length >> 8) & 0x0F));
    out->append(char(length & 0xFF));
    if (data != nullptr)
        out->append(*data);
    out->append(char(CreateSum(out)));
    return out->size();
}

int CCommandFunctions::f_MakeStaticCommand(QByteArray* out, int index, QList<CVariantParameter>* params)
{
    if (out == nullptr || index < 0 || index >= REQUEST_COUNT)
        return 0;
    const RequestEntry& e = REQUESTS[index];
    QByteArray data(e.fixed, e.fixedCount);
    switch (e.form) {
    case DATA_NONE:
    case DATA_FIXED:
        break;
    case DATA_PARAMS:
        for (int i = 0; i < e.paramCount; ++i)
            data.append(char(ParamAt(params, i).ToChar()));
        break;
    case DATA_TEXT49:
        data.append(Padded(ParamAt(params, 0).ToByteArray(), 49));
        break;
    case DATA_NAME17: {
        // The name travels as UTF-8 bytes up to the first NUL; the projector
        // wants Shift_JIS.
        QByteArray utf8 = ParamAt(params, 0).ToByteArray();
        const int nul = utf8.indexOf('\0');
        if (nul >= 0)
            utf8.truncate(nul);
        const QString name = QString::fromUtf8(utf8);
        QTextCodec* sjis = QTextCodec::codecForName("Shift-JIS");
        const QByteArray encoded = sjis != nullptr ? sjis->fromUnicode(name) : name.toLatin1();
        data.append(Padded(encoded, 17));
        break;
    }
    }
    return f_MakePJPcCmd(out, e.cls, e.code, data.size(), &data);
}

int CCommandFunctions::f_GetCorvexPjPcCmdLen(QByteArray& frame)
{
    if (frame.size() < 5)
        return -1;
    return ((ByteAt(frame, 3) & 0x0F) << 8) + ByteAt(frame, 4);
}

bool CCommandFunctions::f_IsCommandFrameReceived(QByteArray& frame)
{
    const int n = f_GetCorvexPjPcCmdLen(frame);
    return n >= 0 && frame.size() == n + 6;
}

bool CCommandFunctions::f_IsCommandSumSubmit(QByteArray& frame)
{
    if (frame.size() < 2)
        return false;
    return CreateSum(&frame, frame.size() - 1) == ByteAt(frame, frame.size() - 1);
}

bool CCommandFunctions::f_IsMatchCommandID(QByteArray& sent, QByteArray& received)
{
    if (sent.size() < 2 || received.size() < 2)
        return false;
    const unsigned char s0 = ByteAt(sent, 0);
    const unsigned char r0 = ByteAt(received, 0);
    if (r0 != (s0 | 0x20) && r0 != (s0 | 0xA0))
        return false;
    return ByteAt(received, 1) == ByteAt(sent, 1);
}

int CCommandFunctions::f_GetNackCode(QByteArray& reply)
{
    if (reply.isEmpty() || (ByteAt(reply, 0) & 0x80) == 0)
        return 0;
    // Without its class and detail data bytes a negative reply says nothing more.
    if (f_GetCorvexPjPcCmdLen(reply) < 2 || reply.size() < 7)
        return -190;
    const int errorClass = ByteAt(reply, 5);
    const int detail = ByteAt(reply, 6);
    struct ClassRange { int base; int lastDetail; int outOfRange; };
    static const ClassRange ranges[] = {
        {-100, 8, -109}, {-110, 8, -119}, {-120, 18, -139},
        {-140, 8, -149}, {-150, 8, -159}, {-160, 8, -169},
    };
    if (errorClass <= 5) {
        const ClassRange& r = ranges[errorClass];
        return detail <= r.lastDetail ? r.base - detail : r.outOfRange;
    }
    if (errorClass == 6)
        return -179;
    if (errorClass == 7)
        return -189;
    return -190;
}

bool CCommandFunctions::f_IsNackResponse(int code)
{
    return code >= -190 && code <= -100;
}

int CCommandFunctions::f_GetCommandID(QByteArray& reply)
{
    if (reply.size() < 2)
        return -1;
    const unsigned char cls = ByteAt(reply, 0) & 0xDF;
    const unsigned char code = ByteAt(reply, 1);
    const unsigned char b5 = reply.size() < 7 ? 0 : ByteAt(reply, 5);
    switch (cls) {
    case 0x00:
        switch (code) {
        case 0x88: return 0;
        case 0x92: return b5 == 0x63 ? 1 : -1;
        case 0x85: return b5 == 0x00 ? 20 : b5 == 0x04 ? 21 : b5 == 0x05 ? 22 : -1;
        case 0xBF: return b5 == 0x00 ? 29 : b5 == 0x01 ? 30 : b5 == 0x02 ? 31 : -1;
        case 0xD0: return 24;
        }
        return -1;
    case 0x01:
        return code == 0x98 ? 23 : code == 0xD3 ? 32 : -1;
    case 0x02:
        switch (code) {
        case 0x00: return 2;
        case 0x01: return 3;
        case 0x03: return 4;
        case 0x10: return 5;
        case 0x11: return 6;
        case 0x12: return 7;
        case 0x13: return 8;
        case 0x14: return 9;
        case 0x15: return 10;
        }
        return -1;
    case 0x03:
        switch (code) {
        case 0x04: return 18;
        case 0x05: return 19;
        case 0x10: return b5 <= 4 ? 11 : b5 == 5 ? 12 : -1;
        case 0x8A: return 13;
        case 0x8C: return 14;
        case 0x95: return 15;
        case 0x96: return 16;
        case 0x8B: return b5 == 0x00 ? 17 : -1;
        case 0xB0: return b5 == 0x07 ? 25 : b5 == 0x2C ? 26 : b5 == 0x9A ? 27 : -1;
        case 0xB1: return b5 == 0x2C ? 28 : -1;
        }
        return -1;
    }
    return -1;
}

bool CCommandFunctions::f_CompareByteArray(const QByteArray& a, const QByteArray& b, int count)
{
    if (count < 1)
        return true;
    if (a.isNull() || b.isNull() || a.size() < count || b.size() < count)
        return false;
    return memcmp(a.constData(), b.constData(), size_t(count)) == 0;
}

// ---------------------------------------------------------------------------
// Storing replies

namespace {

qint32 LE32(const QByteArray& d, int offset)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | ByteAt(d, offset + i);
    return qint32(v);
}

qint16 LE16(const QByteArray& d, int offset)
{
    return qint16(quint16(ByteAt(d, offset) | (ByteAt(d, offset + 1) << 8)));
}

// True when the frame's data holds at least `need` bytes that are really there.
bool HasData(const QByteArray& frame, int need)
{
    QByteArray header = frame.left(5);
    const int n = CCommandFunctions::f_GetCorvexPjPcCmdLen(header);
    return n >= need && frame.size() >= 5 + need;
}

QByteArray CutAtNul(const QByteArray& bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul >= 0 ? bytes.left(nul) : bytes;
}

} // namespace

int CCommandFunctions::f_StoreReceivedData(CProjectorData* record, int index)
{
    if (record == nullptr)
        return 0;
    const QByteArray d = record->m_ReceiveFrame;
    CVariantParameter* st = record->m_Status;
    switch (index) {
    case 0:
        if (!HasData(d, 12))
            return 0;
        st[RawErrorData1_4].FromLong(LE32(d, 5));
        st[RawErrorData5_6].FromShort(LE16(d, 9));
        st[RawErrorData7].FromUChar(ByteAt(d, 11));
        st[RawErrorData8].FromUChar(ByteAt(d, 12));
        st[RawErrorData9_12].FromLong(LE32(d, 13));
        return 1;
    case 1:
        if (!HasData(d, 40))
            return 0;
        st[RawSignalName].FromByteArray(d.mid(8, 15));
        st[RawSignalByte1].FromUChar(ByteAt(d, 43));
        st[RawSignalByte2].FromUChar(ByteAt(d, 44));
        return 1;
    case 13:
        if (!HasData(d, 49))
            return 0;
        st[RawInformation49].FromByteArray(d.mid(5, 49));
        return 1;
    case 14:
        if (!HasData(d, 16))
            return 0;
        st[RawLampTime1].FromLong(LE32(d, 5));
        st[RawLampTime2].FromLong(LE32(d, 9));
        st[RawLampTime3].FromLong(LE32(d, 13));
        st[RawLampTime4].FromLong(LE32(d, 17));
        return 1;
    case 15:
        if (!HasData(d, 8))
            return 0;
        st[RawFilterUsage].FromLong(LE32(d, 5));
        st[RawFilterAlarm].FromLong(LE32(d, 9));
        return 1;
    case 16: {
        if (!HasData(d, 6))
            return 0;
        const int base = ByteAt(d, 5) == 1 ? RawLamp2Content0 : RawLamp1Content0;
        switch (ByteAt(d, 6)) {
        case 0: st[base].FromLong(LE32(d, 7)); return 1;
        case 1: st[base + 1].FromLong(LE32(d, 7)); return 1;
        case 2: st[base + 2].FromLong(LE32(d, 7)); return 1;
        case 3: st[base + 3].FromLong(LE32(d, 7)); return 1;
        case 8: st[base + 4].FromLong(LE32(d, 7)); return 1;
        case 4: {
            const qint8 value = qint8(ByteAt(d, 10));
            if (value < 0)
                return 0;
            st[base + 5].FromChar(value);
            return 1;
        }
        }
        return 0;
    }
    case 18:
    case 19: {
        const QByteArray& sent = record->m_SendFrame;
        if (!HasData(d, index == 18 ? 9 : 10) || sent.size() < 7)
            return 0;
        const int key = (ByteAt(sent, 5) << 8) + ByteAt(sent, 6);
        CGainInfo* gain = record->m_ReceivedGainInfo.value(key, nullptr);
        if (gain == nullptr)
            return 0;
        gain->m_Status.FromInt(ByteAt(d, 5));
        gain->m_Max.FromInt(LE16(d, 6));
        gain->m_Min.FromInt(LE16(d, 8));
        gain->m_Default.FromInt(LE16(d, 10));
        gain->m_Current.FromInt(LE16(d, 12));
        gain->m_DefaultKnown.FromInt(index == 18 ? 1 : ByteAt(d, 14));
        gain->m_Kind.FromInt(gain->m_Kind.ToInt());
        gain->m_Index.FromInt(gain->m_Index.ToInt());
        return 1;
    }
    case 20:
        if (!HasData(d, 3))
            return 0;
        st[RawStatus1].FromUChar(ByteAt(d, 5));
        st[RawStatus2].FromUChar(ByteAt(d, 6));
        st[RawStatus3].FromUChar(ByteAt(d, 7));
        return 1;
    case 21:
        if (!HasData(d, 32))
            return 0;
        st[RawStatusBlock].FromByteArray(d.mid(5, 32));
        return 1;
    case 22:
        // The cover value is the first data byte.
        if (!HasData(d, 1))
            return 0;
        st[RawCover].FromUChar(ByteAt(d, 5));
        return 1;
    case 24: {
        if (!HasData(d, 3) || ByteAt(d, 6) != 1)
            return 0;
        const int length = ByteAt(d, 7) + 1;
        if (!HasData(d, 3 + length))
            return 0;
        const int kind = ByteAt(d, 5);
        const int slot = kind == 3 ? RawFreqHorizontal : kind == 4 ? RawFreqVertical : kind == 5 ? RawSyncPolarity : -1;
        if (slot < 0)
            return 0;
        st[slot].FromByteArray(d.mid(8, length));
        return 1;
    }
    case 25:
        if (!HasData(d, 2))
            return 0;
        st[RawLampMode].FromUChar(ByteAt(d, 6));
        return 1;
    case 26: {
        if (!HasData(d, 18))
            return 0;
        QTextCodec* sjis = QTextCodec::codecForName("Shift_JIS");
        const QByteArray name = CutAtNul(d.mid(6, 17));
        st[RawProjectorName].FromString(sjis != nullptr ? sjis->toUnicode(name) : QString::fromLatin1(name));
        return 1;
    }
    case 27: {
        if (!HasData(d, 8))
            return 0;
        const int which = ByteAt(d, 6);
        const int slot = which == 1 ? RawMacAddress2 : which == 2 ? RawMacAddress3 : RawMacAddress1;
        st[slot].FromByteArray(d.mid(7, 6));
        return 1;
    }
    case 29:
        if (!HasData(d, 14))
            return 0;
        st[RawModelCode1].FromUChar(ByteAt(d, 7));
        st[RawModelCode2].FromUChar(ByteAt(d, 17));
        st[RawModelCode3].FromUChar(ByteAt(d, 18));
        st[RawModelCode4].FromUChar(ByteAt(d, 6));
        st[RawModelName].FromByteArray(d.mid(8, 9));
        return 1;
    case 30:
        if (!HasData(d, 18))
            return 0;
        st[RawSerialNumber].FromByteArray(d.mid(7, 16));
        return 1;
    case 31:
        if (!HasData(d, 10))
            return 0;
        for (int i = 0; i < 9; ++i)
            st[RawCommonB6 + i].FromUChar(ByteAt(d, 6 + i));
        return 1;
    case 32:
        if (!HasData(d, 50))
            return 0;
        st[RawMakerByte].FromUChar(ByteAt(d, 6));
        st[RawMakerField1].FromByteArray(d.mid(7, 16));
        st[RawMakerField2].FromByteArray(d.mid(23, 16));
        st[RawMakerField3].FromByteArray(d.mid(39, 16));
        return 1;
    }
    return 0;
}
