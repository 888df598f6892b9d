#include "CSimProjectorModel.h"

#include <QTextCodec>

#include "CGetTickMSec.h"
#include "SimFrame.h"

namespace {

unsigned char At(const QByteArray& data, int offset)
{
    return offset >= 0 && offset < data.size() ? static_cast<unsigned char>(data.at(offset)) : 0;
}

void AppendLE32(QByteArray& out, qint32 value)
{
    const quint32 v = quint32(value);
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void AppendLE16(QByteArray& out, int value)
{
    const quint16 v = quint16(value);
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

QByteArray Padded(const QByteArray& bytes, int size)
{
    QByteArray out = bytes.left(size);
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

QTextCodec* ShiftJis()
{
    return QTextCodec::codecForName("Shift_JIS");
}

QByteArray OwnMakerField()
{
    return Padded(QByteArray("CorvexPJ"), 16);
}

CSimModelSpec Make(const QString& name, const QByteArray& code, QSet<int> unsupported, int lamps,
                   bool mac3, bool volume)
{
    CSimModelSpec s;
    s.name = name;
    s.code = code;
    s.modelName = name.toLatin1().left(9);
    s.makerField = OwnMakerField();
    s.unsupported = std::move(unsupported);
    s.lampCount = lamps;
    s.hasMac3 = mac3;
    s.hasVolume = volume;
    return s;
}

} // namespace

// The models of the shipped Profile.ini. A request is unsupported where the
// model's "Functions" section (or the built-in default for a missing key) says
// the model does not answer it.
QList<CSimModelSpec> CSimModelSpec::ShippedModels()
{
    return {
        // One lamp, one filter; no lens cover, no third MAC address.
        Make(QStringLiteral("LV-L100"), QByteArray::fromHex("4C100100"), {22}, 1, false, true),
        // Two lamps; no signal information, no freeze, no sound mute, no volume.
        Make(QStringLiteral("LV-D200"), QByteArray::fromHex("4C200207"), {1, 7, 8, 12, 22, 23, 24}, 2, true,
             false),
        // Laser: no lamps, no filter, no lamp mode, no signal information.
        Make(QStringLiteral("LV-X500"), QByteArray::fromHex("4C500501"), {1, 14, 15, 16, 22, 24, 25}, 0, true,
             true),
        // One lamp with a lens cover; the name cannot be set.
        Make(QStringLiteral("LV-E300"), QByteArray::fromHex("4C300301"), {1, 24, 28}, 1, false, true),
    };
}

CSimModelSpec CSimModelSpec::Shipped(const QString& name)
{
    for (const CSimModelSpec& s : ShippedModels()) {
        if (s.name == name)
            return s;
    }
    return CSimModelSpec();
}

CSimModelSpec CSimModelSpec::Unlisted(bool ownMaker)
{
    CSimModelSpec s = Make(QStringLiteral("LV-Z999"), QByteArray::fromHex("4CEE0E01"), {}, 1, false, true);
    if (!ownMaker)
        s.makerField = Padded(QByteArray("OtherMaker"), 16);
    return s;
}

CSimProjectorState::CSimProjectorState()
{
    mac[0] = QByteArray::fromHex("001122334455");
    mac[1] = QByteArray::fromHex("001122334456");
    mac[2] = QByteArray::fromHex("001122334457");
    for (int kind = 0; kind <= 5; ++kind)
        gains.insert(kind << 8, CSimGain());
}

bool CSimProjectorState::SetErrorStatus(const QByteArray& data)
{
    if (data.size() > ERROR_STATUS_BYTES)
        return false;
    const QByteArray d = Padded(data, ERROR_STATUS_BYTES);
    const auto le32 = [&d](int offset) {
        return qint32(quint32(At(d, offset)) | quint32(At(d, offset + 1)) << 8 | quint32(At(d, offset + 2)) << 16
                      | quint32(At(d, offset + 3)) << 24);
    };
    errorWordA = le32(0);
    errorWord2 = qint16(quint16(At(d, 4) | At(d, 5) << 8));
    errorByte7 = At(d, 6);
    errorByte8 = At(d, 7);
    errorWordB = le32(8);
    return true;
}

CSimProjectorModel::CSimProjectorModel(const CSimModelSpec& spec)
    : m_Spec(spec)
{
    m_Spec.code = Padded(m_Spec.code, 4);
}

CSimProjectorState& CSimProjectorModel::State()
{
    f_UpdatePower();
    return m_State;
}

void CSimProjectorModel::SetNack(int requestIndex, int errorClass, int detail)
{
    m_Nacks.insert(requestIndex, Nack{errorClass, detail});
}

void CSimProjectorModel::SetBadChecksum(int requestIndex)
{
    m_BadChecksum.insert(requestIndex);
}

void CSimProjectorModel::SetWrongEcho(int requestIndex)
{
    m_WrongEcho.insert(requestIndex);
}

void CSimProjectorModel::SetWrongCode(int requestIndex)
{
    m_WrongCode.insert(requestIndex);
}

void CSimProjectorModel::ClearFaults()
{
    m_Nacks.clear();
    m_BadChecksum.clear();
    m_WrongEcho.clear();
    m_WrongCode.clear();
}

bool CSimProjectorModel::f_Applies(const QSet<int>& set, int index)
{
    return set.contains(index) || set.contains(-1);
}

int CSimProjectorModel::RequestIndex(const QByteArray& request)
{
    if (request.size() < 6)
        return -1;
    const unsigned char cls = At(request, 0);
    const unsigned char code = At(request, 1);
    const int n = ((At(request, 3) & 0x0F) << 8) + At(request, 4);
    const unsigned char d0 = n > 0 ? At(request, 5) : 0xFF;
    switch (cls << 8 | code) {
    case 0x0088: return 0;
    case 0x0092: return 1;
    case 0x0200: return 2;
    case 0x0201: return 3;
    case 0x0203: return 4;
    case 0x0210: return 5;
    case 0x0211: return 6;
    case 0x0212: return 7;
    case 0x0213: return 8;
    case 0x0214: return 9;
    case 0x0215: return 10;
    case 0x0310: return d0 == 5 ? 12 : 11;
    case 0x038A: return 13;
    case 0x038C: return 14;
    case 0x0395: return 15;
    case 0x0396: return 16;
    case 0x038B: return 17;
    case 0x0304: return 18;
    case 0x0305: return 19;
    case 0x0085: return d0 == 0x00 ? 20 : d0 == 0x04 ? 21 : d0 == 0x05 ? 22 : -1;
    case 0x0198: return 23;
    case 0x00D0: return 24;
    case 0x03B0: return d0 == 0x07 ? 25 : d0 == 0x2C ? 26 : d0 == 0x9A ? 27 : -1;
    case 0x03B1: return 28;
    case 0x00BF: return d0 == 0x00 ? 29 : d0 == 0x01 ? 30 : d0 == 0x02 ? 31 : -1;
    case 0x01D3: return 32;
    }
    return -1;
}

void CSimProjectorModel::f_UpdatePower()
{
    if (m_State.power != CSimProjectorState::POWER_WARMING && m_State.power != CSimProjectorState::POWER_COOLING)
        return;
    if (CGetTickMSec::GetTickMSec() < m_PowerChangeAt)
        return;
    m_State.power = m_State.power == CSimProjectorState::POWER_WARMING ? CSimProjectorState::POWER_ON
                                                                       : CSimProjectorState::POWER_STANDBY;
}

bool CSimProjectorModel::f_Supported(int index, const QByteArray& request) const
{
    if (m_Spec.unsupported.contains(index))
        return false;
    const int d0 = At(request, 5);
    switch (index) {
    case 14:
        return m_Spec.lampCount > 0;
    case 16:
        return d0 < m_Spec.lampCount;
    case 27: {
        const int which = At(request, 6);
        return which < 2 || (which == 2 && m_Spec.hasMac3);
    }
    case 12:
        return m_Spec.hasVolume;
    case 18:
    case 19:
        return d0 != 5 || m_Spec.hasVolume;
    }
    return true;
}

CSimReply CSimProjectorModel::Answer(const QByteArray& request)
{
    const QByteArray frame = ReplyFrame(request);
    return frame.isEmpty() ? CSimReply::Silence() : CSimReply::Answer(frame);
}

QByteArray CSimProjectorModel::ReplyFrame(const QByteArray& request)
{
    f_UpdatePower();
    const int index = RequestIndex(request);
    if (index < 0)
        return QByteArray();
    const unsigned char cls = At(request, 0);
    unsigned char code = At(request, 1);
    if (f_Applies(m_WrongCode, index))
        code = static_cast<unsigned char>(code + 1);

    QByteArray reply;
    if (m_Nacks.contains(index) || m_Nacks.contains(-1)) {
        const Nack nack = m_Nacks.value(m_Nacks.contains(index) ? index : -1);
        reply = MakeSimFrame(cls | 0xA0, code, QByteArray().append(char(nack.errorClass)).append(char(nack.detail)));
    } else if (!f_Supported(index, request)) {
        reply = MakeSimFrame(cls | 0xA0, code, QByteArray("\x00\x01", 2));
    } else {
        QByteArray data = f_Positive(index, request);
        if (f_Applies(m_WrongEcho, index) && !data.isEmpty())
            data[0] = char(data.at(0) ^ 0xFF);
        reply = MakeSimFrame(cls | 0x20, code, data);
    }
    if (f_Applies(m_BadChecksum, index))
        reply[reply.size() - 1] = char(reply.at(reply.size() - 1) ^ 0x5A);
    return reply;
}

// The data of a positive reply; set requests change the state first.
QByteArray CSimProjectorModel::f_Positive(int index, const QByteArray& request)
{
    CSimProjectorState& s = m_State;
    const int n = ((At(request, 3) & 0x0F) << 8) + At(request, 4);
    const QByteArray in = request.mid(5, n);
    QByteArray d;
    switch (index) {
    case 0:
        AppendLE32(d, s.errorWordA);
        AppendLE16(d, s.errorWord2);
        d.append(char(s.errorByte7)).append(char(s.errorByte8));
        AppendLE32(d, s.errorWordB);
        return d;
    case 1: {
        d.append(char(0x63)).append(char(0x00)).append(char(0x00));
        d.append(Padded(s.signalName, 15));
        d.append(QByteArray(20, '\0'));
        d.append(char(0x01)).append(char(0x00));
        return d;
    }
    case 2:
        if (s.power == CSimProjectorState::POWER_STANDBY || s.power >= CSimProjectorState::POWER_1W_STANDBY) {
            s.power = s.warmUpMs > 0 ? int(CSimProjectorState::POWER_WARMING) : int(CSimProjectorState::POWER_ON);
            m_PowerChangeAt = CGetTickMSec::GetTickMSec() + s.warmUpMs;
        }
        return d;
    case 3:
        if (s.power == CSimProjectorState::POWER_ON || s.power == CSimProjectorState::POWER_WARMING) {
            s.power = s.coolDownMs > 0 ? int(CSimProjectorState::POWER_COOLING) : int(CSimProjectorState::POWER_STANDBY);
            m_PowerChangeAt = CGetTickMSec::GetTickMSec() + s.coolDownMs;
        }
        return d;
    case 4:
        s.inputTerminal = At(in, 1);
        return d;
    case 5: s.pictureMute = true; return d;
    case 6: s.pictureMute = false; return d;
    case 7: s.soundMute = true; return d;
    case 8: s.soundMute = false; return d;
    case 9: s.osdMute = true; return d;
    case 10: s.osdMute = false; return d;
    case 11:
    case 12: {
        const int kind = At(in, 0);
        const int sub = At(in, 1) == 0xFF ? 0 : At(in, 1);
        const int key = kind << 8 | sub;
        if (s.gains.contains(key)) {
            CSimGain& g = s.gains[key];
            const int value = qint16(quint16(At(in, 3) | At(in, 4) << 8));
            const int wanted = At(in, 2) == 1 ? g.current + value : value;
            g.current = qBound(g.minimum, wanted, g.maximum);
        }
        // The acknowledgement names the kind, so a late one can still be told apart.
        return QByteArray(1, char(kind));
    }
    case 13:
        return Padded(s.versions, 49);
    case 14: {
        AppendLE32(d, s.lampUsage[0]);
        AppendLE32(d, 0);
        AppendLE32(d, s.lampUsage[0] + s.lampRemaining[0]);
        AppendLE32(d, 0);
        return d;
    }
    case 15:
        AppendLE32(d, s.filterUsage);
        AppendLE32(d, s.filterAlarm);
        return d;
    case 16: {
        const int lamp = At(in, 0) == 1 ? 1 : 0;
        const int content = At(in, 1);
        d.append(char(lamp)).append(char(content));
        if (content == 1)
            AppendLE32(d, s.lampUsage[lamp]);
        else if (content == 2)
            AppendLE32(d, s.lampRemaining[lamp]);
        else if (content == 4) {
            const qint64 life = qint64(s.lampUsage[lamp]) + s.lampRemaining[lamp];
            const int percent = life > 0 ? int(qint64(s.lampRemaining[lamp]) * 100 / life) : 0;
            d.append(QByteArray(3, '\0')).append(char(percent));
        } else
            AppendLE32(d, 0);
        return d;
    }
    case 17:
        s.versions = in.mid(1, 49);
        return QByteArray(1, '\0');
    case 18:
    case 19: {
        const int key = At(in, 0) << 8 | At(in, 1);
        const CSimGain g = s.gains.value(key);
        d.append(char(s.gains.contains(key) ? g.status : 1));
        AppendLE16(d, g.maximum);
        AppendLE16(d, g.minimum);
        AppendLE16(d, g.defaultValue);
        AppendLE16(d, g.current);
        if (index == 19)
            d.append(char(0x01));
        return d;
    }
    // The first status byte repeats the request's form.
    case 20:
        return QByteArray().append(char(0x00)).append(char(s.power)).append(char(0));
    case 21:
        return QByteArray().append(char(0x04)).append(char(s.power)).append(QByteArray(30, '\0'));
    case 22:
        return QByteArray(1, char(s.cover));
    case 23:
        s.freeze = At(in, 0) == 1;
        return d;
    case 24: {
        const int kind = At(in, 1);
        const QByteArray text = kind == 3   ? s.horizontalFrequency
                                : kind == 4 ? s.verticalFrequency
                                : kind == 5 ? s.syncPolarity
                                            : QByteArray();
        d.append(char(kind)).append(char(0x01)).append(char(qMax(0, text.size() - 1)));
        d.append(text.isEmpty() ? QByteArray(1, '\0') : text);
        return d;
    }
    case 25:
        return QByteArray().append(char(0x07)).append(char(s.lampMode));
    case 26: {
        QTextCodec* sjis = ShiftJis();
        const QByteArray name = sjis ? sjis->fromUnicode(s.projectorName) : s.projectorName.toLatin1();
        return QByteArray(1, char(0x2C)).append(Padded(name, 17));
    }
    case 27: {
        const int which = At(in, 1) <= 2 ? At(in, 1) : 0;
        return QByteArray().append(char(0x9A)).append(char(which)).append(Padded(s.mac[which], 6));
    }
    case 28: {
        QByteArray name = in.mid(1, 17);
        const int nul = name.indexOf('\0');
        if (nul >= 0)
            name.truncate(nul);
        QTextCodec* sjis = ShiftJis();
        s.projectorName = sjis ? sjis->toUnicode(name) : QString::fromLatin1(name);
        return QByteArray(1, char(0x2C));
    }
    case 29: {
        d.append(char(0x00)).append(m_Spec.code.at(3)).append(m_Spec.code.at(0));
        d.append(Padded(m_Spec.modelName, 9));
        d.append(m_Spec.code.at(1)).append(m_Spec.code.at(2));
        return d;
    }
    case 30:
        return QByteArray().append(char(0x01)).append(char(0x06)).append(Padded(s.serialNumber, 16));
    case 31: {
        const int t = qMax(1, s.inputTerminal);
        d.append(char(0x02)).append(char(s.power)).append(char(0));
        d.append(char((t - 1) % 5 + 1)).append(char((t - 1) / 5 + 1)).append(char(0));
        d.append(char(s.pictureMute ? 1 : 0)).append(char(s.soundMute ? 1 : 0)).append(char(s.osdMute ? 1 : 0));
        d.append(char(s.freeze ? 1 : 0));
        return d;
    }
    case 32: {
        d.append(char(0x01)).append(char(0x00));
        d.append(Padded(m_Spec.modelName, 16));
        d.append(Padded(m_Spec.makerField, 16));
        d.append(QByteArray(16, '\0'));
        return d;
    }
    }
    return d;
}
