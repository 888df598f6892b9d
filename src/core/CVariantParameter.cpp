#include "CVariantParameter.h"

#include "CGetTickMSec.h"
#include "ExceptionTrace.h"

#include <QDebug>
#include <QException>
#include <QTextCodec>

#include <cmath>
#include <limits>

namespace {

// Looked up once: the lookup by name takes a lock and a search, and every
// value constructed needs it.
QTextCodec* defaultCodec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("UTF-8");
    return codec;
}

// 0 ms after 1970-01-01T00:00:00 UTC: a valid date-time meaning "none".
QDateTime epochDateTime()
{
    static const QDateTime epoch = QDateTime::fromMSecsSinceEpoch(0);
    return epoch;
}

// 2^63 as a double; every double at or above it is beyond qint64.
constexpr double kTwoPow63 = 9223372036854775808.0;
constexpr double kTwoPow64 = 18446744073709551616.0;

// Truncation toward zero that never leaves the integer range (a plain cast of
// NaN or of an out-of-range double is undefined).
qint64 realToSigned(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= kTwoPow63)
        return std::numeric_limits<qint64>::max();
    if (value < -kTwoPow63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(value);
}

// From 2^63 on the unsigned form is the value itself; below it the bit
// pattern of the signed truncation (so -1.5 gives all ones).
quint64 realToUnsigned(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= kTwoPow64)
        return std::numeric_limits<quint64>::max();
    if (value >= kTwoPow63)
        return static_cast<quint64>(value);
    return static_cast<quint64>(realToSigned(value));
}

// The four number forms of one datum, by the datum's own type.
quint64 asUnsigned(quint64 value) { return value; }
quint64 asUnsigned(qint64 value) { return static_cast<quint64>(value); }
quint64 asUnsigned(double value) { return realToUnsigned(value); }
qint64 asSigned(quint64 value) { return static_cast<qint64>(value); }
qint64 asSigned(qint64 value) { return value; }
qint64 asSigned(double value) { return realToSigned(value); }
double asReal(quint64 value) { return static_cast<double>(value); }
double asReal(qint64 value) { return static_cast<double>(value); }
double asReal(double value) { return value; }
QString asText(quint64 value) { return QString::number(value, 10); }
QString asText(qint64 value) { return QString::number(value, 10); }
QString asText(double value) { return QString::number(value, 'g', 6); }

// The text source of each number type.
template <typename T> constexpr quint8 textSourceOf();
template <> constexpr quint8 textSourceOf<quint64>() { return 1; }
template <> constexpr quint8 textSourceOf<qint64>() { return 2; }
template <> constexpr quint8 textSourceOf<double>() { return 3; }

} // namespace

CVariantParameter::CVariantParameter()
try
    : m_uValue(0),
      m_nValue(0),
      m_dValue(0.0),
      m_strValue(QLatin1String("")),
      m_pCodec(defaultCodec()),
      m_dtValue(epochDateTime()),
      m_pValue(nullptr),
      m_uSetTick(0),
      m_msSetTime(0)
{
} catch (const QException& e) {
    TraceException(e);
    throw;
}

CVariantParameter::CVariantParameter(const CVariantParameter& other)
try
    : m_uValue(0),
      m_nValue(0),
      m_dValue(0.0),
      m_strValue(QLatin1String("")),
      m_pCodec(defaultCodec()),
      m_dtValue(epochDateTime()),
      m_pValue(nullptr),
      m_uSetTick(0),
      m_msSetTime(0)
{
    f_Copy(other);
} catch (const QException& e) {
    TraceException(e);
    throw;
}

CVariantParameter::~CVariantParameter()
{
}

CVariantParameter& CVariantParameter::operator=(const CVariantParameter& other)
{
    if (this != &other)
        f_Copy(other);
    return *this;
}

void CVariantParameter::f_Copy(const CVariantParameter& other)
{
    // The codec stays: it belongs to the target, not to the datum. What the
    // other value still has to convert is converted with its own codec.
    if (other.m_Pending && other.m_pCodec != m_pCodec)
        other.f_ResolveNow();
    m_Pending = other.m_Pending;
    m_uValue = other.m_uValue;
    m_nValue = other.m_nValue;
    m_dValue = other.m_dValue;
    m_TextSource = other.m_TextSource;
    if (m_TextSource != TEXT_STORED && other.m_pCodec != m_pCodec) {
        // The bytes were made with the other value's codec.
        m_strValue = other.f_Text();
        m_baValue = other.ToByteArray();
        m_TextSource = TEXT_STORED;
    } else {
        m_strValue = other.m_strValue;
        m_baValue = other.m_baValue;
    }
    m_uList = other.m_uList;
    m_nList = other.m_nList;
    m_dList = other.m_dList;
    m_strList = other.m_strList;
    m_bListsAreSingle = other.m_bListsAreSingle;
    m_dtValue = other.m_dtValue;
    m_pValue = other.m_pValue;
    m_uSetTick = other.m_uSetTick;
    m_msSetTime = other.m_msSetTime;
}

// ---- setters ---------------------------------------------------------------

template <typename T>
void CVariantParameter::f_SetNumber(T value)
{
    m_uValue = asUnsigned(value);
    m_nValue = asSigned(value);
    m_dValue = asReal(value);
    m_strValue = QString();
    m_baValue = QByteArray();
    m_TextSource = static_cast<TextSource>(textSourceOf<T>());
    m_Pending = 0;
}

template <typename T>
CVariantParameter& CVariantParameter::f_FromNumber(T value)
{
    f_SetNumber(value);
    f_SingleDataToArrayDataAll();
    f_UpdateSetTime();
    return *this;
}

// The single forms come from the first entry; every list gets one entry per
// argument entry, converted as the single setter converts.
template <typename T>
CVariantParameter& CVariantParameter::f_FromNumberList(const QList<T>& value)
{
    if (value.isEmpty()) {
        f_InitParameter();
    } else {
        f_SetNumber(value.first());
        f_InitArrayParameter();
        for (T entry : value) {
            m_uList.append(asUnsigned(entry));
            m_nList.append(asSigned(entry));
            m_dList.append(asReal(entry));
            m_strList.append(asText(entry));
        }
    }
    f_UpdateSetTime();
    return *this;
}

// The bytes and numbers follow when read.
void CVariantParameter::f_SetText(const QString& text)
{
    m_strValue = text;
    m_TextSource = TEXT_STORED;
    if (m_strValue.isNull())
        m_strValue = QLatin1String("");
    m_Pending = PENDING_BYTES | PENDING_NUMBERS;
}

void CVariantParameter::f_ParseText()
{
    // A text that is no 32-bit integer gives 0; the result is sign-extended.
    const qint64 number = m_strValue.toInt(nullptr, 10);
    m_uValue = static_cast<quint64>(number);
    m_nValue = number;
    m_dValue = m_strValue.toDouble();
}

void CVariantParameter::f_ResolveNow(quint8 wanted) const
{
    // The numbers are read from the text.
    if (wanted & PENDING_NUMBERS)
        wanted |= PENDING_TEXT;
    const quint8 pending = m_Pending & wanted;
    m_Pending &= quint8(~pending);
    auto* self = const_cast<CVariantParameter*>(this);
    if (pending & PENDING_TEXT)
        self->f_Encode(true, m_pCodec);
    if (pending & PENDING_NUMBERS)
        self->f_ParseText();
    if (pending & PENDING_BYTES)
        self->f_Encode(false, m_pCodec);
}

CVariantParameter& CVariantParameter::FromBool(bool value)
{
    return f_FromNumber<quint64>(value ? 1 : 0);
}

CVariantParameter& CVariantParameter::FromChar(qint8 value)
{
    return FromInt64(value);
}

CVariantParameter& CVariantParameter::FromUChar(quint8 value)
{
    return FromUInt64(value);
}

CVariantParameter& CVariantParameter::FromShort(qint16 value)
{
    return FromInt64(value);
}

CVariantParameter& CVariantParameter::FromUShort(quint16 value)
{
    return FromUInt64(value);
}

CVariantParameter& CVariantParameter::FromInt(qint32 value)
{
    return FromInt64(value);
}

CVariantParameter& CVariantParameter::FromUInt(quint32 value)
{
    return FromUInt64(value);
}

CVariantParameter& CVariantParameter::FromLong(qint32 value)
{
    return FromInt64(value);
}

CVariantParameter& CVariantParameter::FromULong(quint32 value)
{
    return FromUInt64(value);
}

CVariantParameter& CVariantParameter::FromInt64(qint64 value)
{
    return f_FromNumber(value);
}

CVariantParameter& CVariantParameter::FromUInt64(quint64 value)
{
    return f_FromNumber(value);
}

CVariantParameter& CVariantParameter::FromReal(double value)
{
    return f_FromNumber(value);
}

CVariantParameter& CVariantParameter::FromString(const QString& value)
{
    f_SetText(value);
    f_SingleDataToArrayDataAll();
    f_UpdateSetTime();
    return *this;
}

CVariantParameter& CVariantParameter::FromByteArray(const QByteArray& value)
{
    // The text and the numbers follow when read.
    m_baValue = value;
    m_TextSource = TEXT_STORED;
    m_Pending = PENDING_TEXT | PENDING_NUMBERS;
    f_SingleDataToArrayDataAll();
    f_UpdateSetTime();
    return *this;
}

CVariantParameter& CVariantParameter::FromStringList(const QStringList& value)
{
    if (value.isEmpty()) {
        f_InitParameter();
    } else {
        f_SetText(value.first());
        f_Resolve();
        m_strList = value;
        m_uList = QList<quint64>() << m_uValue;
        m_nList = QList<qint64>() << m_nValue;
        m_dList = QList<double>() << m_dValue;
        m_bListsAreSingle = false;
    }
    f_UpdateSetTime();
    return *this;
}

CVariantParameter& CVariantParameter::FromUInt64List(const QList<quint64>& value)
{
    return f_FromNumberList(value);
}

CVariantParameter& CVariantParameter::FromInt64List(const QList<qint64>& value)
{
    return f_FromNumberList(value);
}

CVariantParameter& CVariantParameter::FromRealList(const QList<double>& value)
{
    return f_FromNumberList(value);
}

CVariantParameter& CVariantParameter::FromPointer(void* value)
{
    f_InitIndependentParameter();
    m_pValue = value;
    f_InitSingleParameter();
    f_InitArrayParameter();
    f_UpdateSetTime();
    return *this;
}

CVariantParameter& CVariantParameter::FromDateTime(const QDateTime& value)
{
    f_InitIndependentParameter();
    m_dtValue = value;
    f_InitSingleParameter();
    f_InitArrayParameter();
    f_UpdateSetTime();
    return *this;
}

// ---- readers ---------------------------------------------------------------

qint8 CVariantParameter::ToChar() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<qint8>(m_nValue);
}

quint8 CVariantParameter::ToUChar() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<quint8>(m_uValue);
}

qint16 CVariantParameter::ToShort() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<qint16>(m_nValue);
}

quint16 CVariantParameter::ToUShort() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<quint16>(m_uValue);
}

qint32 CVariantParameter::ToInt() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<qint32>(m_nValue);
}

quint32 CVariantParameter::ToUInt() const
{
    f_Resolve(PENDING_NUMBERS);
    return static_cast<quint32>(m_uValue);
}

qint32 CVariantParameter::ToLong() const
{
    return ToInt();
}

quint32 CVariantParameter::ToULong() const
{
    return ToUInt();
}

qint64 CVariantParameter::ToInt64() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_nValue;
}

quint64 CVariantParameter::ToUInt64() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_uValue;
}

bool CVariantParameter::ToBool() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_nValue != 0;
}

double CVariantParameter::ToReal() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_dValue;
}

QString CVariantParameter::f_Text() const
{
    f_Resolve(PENDING_TEXT);
    switch (m_TextSource) {
    case TEXT_FROM_UNSIGNED:
        return asText(m_uValue);
    case TEXT_FROM_SIGNED:
        return asText(m_nValue);
    case TEXT_FROM_REAL:
        return asText(m_dValue);
    case TEXT_STORED:
        break;
    }
    return m_strValue;
}

QString CVariantParameter::ToString() const
{
    return f_Text();
}

QByteArray CVariantParameter::ToByteArray() const
{
    f_Resolve(PENDING_BYTES);
    return m_TextSource == TEXT_STORED ? m_baValue : m_pCodec->fromUnicode(f_Text());
}

// Writes out a text kept as its number, with the codec of now.
void CVariantParameter::f_StoreText()
{
    f_Resolve();
    if (m_TextSource == TEXT_STORED)
        return;
    m_strValue = f_Text();
    m_TextSource = TEXT_STORED;
    f_Encode(false, m_pCodec);
}

QStringList CVariantParameter::ToStringList() const
{
    f_Resolve(PENDING_TEXT);
    return m_bListsAreSingle ? QStringList{f_Text()} : m_strList;
}

QList<quint64> CVariantParameter::ToUInt64List() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_bListsAreSingle ? QList<quint64>{m_uValue} : m_uList;
}

QList<qint64> CVariantParameter::ToInt64List() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_bListsAreSingle ? QList<qint64>{m_nValue} : m_nList;
}

QList<double> CVariantParameter::ToRealList() const
{
    f_Resolve(PENDING_NUMBERS);
    return m_bListsAreSingle ? QList<double>{m_dValue} : m_dList;
}

QDateTime CVariantParameter::ToDateTime() const
{
    return m_dtValue;
}

void* CVariantParameter::ToPointer() const
{
    return m_pValue;
}

quint64 CVariantParameter::GetSetTickMSec() const
{
    return m_uSetTick;
}

QDateTime CVariantParameter::GetSetTime() const
{
    return m_msSetTime == 0 ? epochDateTime() : QDateTime::fromMSecsSinceEpoch(m_msSetTime);
}

// ---- set stamp -------------------------------------------------------------

bool CVariantParameter::IsSet() const
{
    return m_uSetTick != 0;
}

bool CVariantParameter::IsNewer(const CVariantParameter& other) const
{
    return m_uSetTick > other.m_uSetTick;
}

bool CVariantParameter::IsNewer(quint64 tick) const
{
    return m_uSetTick > tick;
}

void CVariantParameter::ClearSetState(bool all)
{
    if (!all) {
        m_uSetTick = 0;
        return;
    }
    f_InitSetTime();
    f_InitParameter();
}

// ---- codec -----------------------------------------------------------------

CVariantParameter& CVariantParameter::SetCodec(QTextCodec* codec)
{
    // A value must always be able to convert; a missing codec keeps the old one.
    if (codec) {
        f_StoreText(); // its bytes stay those of the old codec
        m_pCodec = codec;
    }
    return *this;
}

CVariantParameter& CVariantParameter::Encode(bool toUnicode)
{
    return Encode(toUnicode, m_pCodec);
}

CVariantParameter& CVariantParameter::Encode(bool toUnicode, const QTextCodec* codec)
{
    // A new text from the bytes leaves the text list as it was.
    if (toUnicode)
        f_DetachLists();
    f_StoreText();
    f_Encode(toUnicode, codec ? codec : m_pCodec);
    return *this;
}

void CVariantParameter::f_DetachLists()
{
    if (!m_bListsAreSingle)
        return;
    m_strList = ToStringList();
    m_uList = ToUInt64List();
    m_nList = ToInt64List();
    m_dList = ToRealList();
    m_bListsAreSingle = false;
}

void CVariantParameter::f_Encode(bool toUnicode, const QTextCodec* codec)
{
    if (toUnicode) {
        m_strValue = codec->toUnicode(m_baValue);
        m_TextSource = TEXT_STORED;
        // The text form is never null, only empty: callers tell null texts apart.
        if (m_strValue.isNull())
            m_strValue = QLatin1String("");
    } else
        m_baValue = codec->fromUnicode(m_strValue);
}

// ---- text rewrites ---------------------------------------------------------

void CVariantParameter::f_ToBase(int base)
{
    f_Resolve();
    m_strValue = QString::number(m_uValue, base);
    m_TextSource = TEXT_STORED;
    f_Encode(false, m_pCodec);
    if (m_bListsAreSingle)
        return; // the text list follows the text
    m_strList.clear();
    for (quint64 entry : qAsConst(m_uList))
        m_strList.append(QString::number(entry, base));
}

CVariantParameter& CVariantParameter::ToDecimal()
{
    f_ToBase(10);
    return *this;
}

CVariantParameter& CVariantParameter::ToHex()
{
    f_ToBase(16);
    return *this;
}

CVariantParameter& CVariantParameter::ToOctal()
{
    f_ToBase(8);
    return *this;
}

CVariantParameter& CVariantParameter::ToBinary()
{
    f_ToBase(2);
    return *this;
}

CVariantParameter& CVariantParameter::ToLower()
{
    f_StoreText();
    m_strValue = m_strValue.toLower();
    f_Encode(false, m_pCodec);
    for (QString& entry : m_strList)
        entry = entry.toLower();
    return *this;
}

CVariantParameter& CVariantParameter::ToUpper()
{
    f_StoreText();
    m_strValue = m_strValue.toUpper();
    f_Encode(false, m_pCodec);
    for (QString& entry : m_strList)
        entry = entry.toUpper();
    return *this;
}

// ---- resets ----------------------------------------------------------------

void CVariantParameter::f_InitIndependentParameter()
{
    m_dtValue = epochDateTime();
    m_pValue = nullptr;
}

void CVariantParameter::f_InitSingleParameter()
{
    m_Pending = 0;
    m_uValue = 0;
    m_nValue = 0;
    m_dValue = 0.0;
    m_strValue = QLatin1String("");
    m_baValue.clear();
    m_TextSource = TEXT_STORED;
}

void CVariantParameter::f_InitArrayParameter()
{
    m_uList.clear();
    m_nList.clear();
    m_dList.clear();
    m_strList.clear();
    m_bListsAreSingle = false;
}

void CVariantParameter::f_InitParameter()
{
    f_InitIndependentParameter();
    f_InitSingleParameter();
    f_InitArrayParameter();
}

void CVariantParameter::f_InitSetTime()
{
    m_msSetTime = 0;
    m_uSetTick = 0;
}

void CVariantParameter::f_UpdateSetTime()
{
    // One clock reading per setter: the wall time follows from the tick and
    // an offset between the two clocks read again each second per thread, so
    // a clock set meanwhile shows within a second.
    thread_local qint64 offsetTick = 0;
    thread_local qint64 offsetMs = 0;
    const qint64 tick = CGetTickMSec::GetTickMSec();
    if (offsetTick == 0 || tick < offsetTick || tick - offsetTick >= 1000) {
        offsetMs = QDateTime::currentMSecsSinceEpoch() - tick;
        offsetTick = tick;
    }
    m_uSetTick = static_cast<quint64>(tick);
    m_msSetTime = tick + offsetMs;
}

void CVariantParameter::f_SingleDataToArrayDataAll()
{
    if (m_bListsAreSingle)
        return; // the lists are empty and follow the single forms already
    f_InitArrayParameter();
    m_bListsAreSingle = true;
}
