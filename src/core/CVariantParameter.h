#ifndef CVARIANTPARAMETER_H
#define CVARIANTPARAMETER_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QTextCodec;

// One datum held at once in every form a producer or consumer may need:
// unsigned and signed 64-bit integer, real, text, encoded bytes and the four
// list forms, plus an independent date-time and pointer, and a set stamp
// (tick and local time of the last setter call; tick 0 = never set).
//
// "Long" in this interface is 32 bits wide, whatever the platform's long is.
class CVariantParameter
{
public:
    CVariantParameter();
    CVariantParameter(const CVariantParameter& other);
    virtual ~CVariantParameter();
    CVariantParameter& operator=(const CVariantParameter& other);

    // Integer setters: the argument is widened to 64 bits (sign- or
    // zero-extended) and stored in every single and list form.
    CVariantParameter& FromBool(bool value);
    CVariantParameter& FromChar(qint8 value);
    CVariantParameter& FromUChar(quint8 value);
    CVariantParameter& FromShort(qint16 value);
    CVariantParameter& FromUShort(quint16 value);
    CVariantParameter& FromInt(qint32 value);
    CVariantParameter& FromUInt(quint32 value);
    CVariantParameter& FromLong(qint32 value);
    CVariantParameter& FromULong(quint32 value);
    CVariantParameter& FromInt64(qint64 value);
    CVariantParameter& FromUInt64(quint64 value);
    // NaN gives 0 in both integer forms; values beyond the integer ranges saturate.
    CVariantParameter& FromReal(double value);

    CVariantParameter& FromString(const QString& value);
    CVariantParameter& FromByteArray(const QByteArray& value);
    CVariantParameter& FromStringList(const QStringList& value);

    CVariantParameter& FromUInt64List(const QList<quint64>& value);
    CVariantParameter& FromInt64List(const QList<qint64>& value);
    CVariantParameter& FromRealList(const QList<double>& value);

    CVariantParameter& FromPointer(void* value);
    CVariantParameter& FromDateTime(const QDateTime& value);

    // Readers: narrow integer readers return the low bits.
    qint8 ToChar() const;
    quint8 ToUChar() const;
    qint16 ToShort() const;
    quint16 ToUShort() const;
    qint32 ToInt() const;
    quint32 ToUInt() const;
    qint32 ToLong() const;
    quint32 ToULong() const;
    qint64 ToInt64() const;
    quint64 ToUInt64() const;
    bool ToBool() const;
    double ToReal() const;
    QString ToString() const;
    QByteArray ToByteArray() const;
    QStringList ToStringList() const;
    QList<quint64> ToUInt64List() const;
    QList<qint64> ToInt64List() const;
    QList<double> ToRealList() const;
    QDateTime ToDateTime() const;
    void* ToPointer() const;
    quint64 GetSetTickMSec() const;
    QDateTime GetSetTime() const;

    // Set stamp.
    bool IsSet() const;
    bool IsNewer(const CVariantParameter& other) const;
    bool IsNewer(quint64 tick) const;
    void ClearSetState(bool all);

    // Codec: converts between the text and the bytes; never copied by assignment.
    CVariantParameter& SetCodec(QTextCodec* codec);
    CVariantParameter& Encode(bool toUnicode);
    CVariantParameter& Encode(bool toUnicode, const QTextCodec* codec);

    // Text rewrites: change the text, bytes and text list only; stamp untouched.
    CVariantParameter& ToDecimal();
    CVariantParameter& ToHex();
    CVariantParameter& ToOctal();
    CVariantParameter& ToBinary();
    CVariantParameter& ToLower();
    CVariantParameter& ToUpper();

protected:
    void f_Copy(const CVariantParameter& other);
    void f_Encode(bool toUnicode, const QTextCodec* codec);

    void f_InitIndependentParameter();
    void f_InitSingleParameter();
    void f_InitArrayParameter();
    void f_InitParameter();
    void f_InitSetTime();
    void f_UpdateSetTime();
    void f_SingleDataToArrayDataAll();
    void f_DetachLists();
    void f_StoreText();

private:
    template <typename T> void f_SetNumber(T value);
    template <typename T> CVariantParameter& f_FromNumber(T value);
    template <typename T> CVariantParameter& f_FromNumberList(const QList<T>& value);
    void f_SetText(const QString& text);
    void f_ParseText();
    void f_ToBase(int base);

    // Where the text and bytes forms come from: stored, or (after a number
    // setter) the number of that setter, written out when read. Most values
    // are numbers whose text nobody reads, and writing it out was most of
    // the cost of a setter call.
    enum TextSource : quint8 { TEXT_STORED, TEXT_FROM_UNSIGNED, TEXT_FROM_SIGNED, TEXT_FROM_REAL };

    QString f_Text() const;

    // Conversions a text or bytes setter leaves to the first reader that
    // needs them: most texts a projector sends are shown but never read as
    // numbers, and most bytes are read back, if at all, as bytes. Each is
    // done with the value's codec, so a change of codec does them first.
    // Each reader does only the conversions its form needs.
    enum Pending : quint8 { PENDING_TEXT = 1, PENDING_NUMBERS = 2, PENDING_BYTES = 4, PENDING_ALL = 7 };
    void f_Resolve(quint8 wanted = PENDING_ALL) const
    {
        if (m_Pending & wanted)
            f_ResolveNow(wanted);
    }
    void f_ResolveNow(quint8 wanted = PENDING_ALL) const;

    mutable quint64 m_uValue;
    mutable qint64 m_nValue;
    mutable double m_dValue;
    mutable QString m_strValue;
    mutable QByteArray m_baValue;
    mutable quint8 m_Pending = 0;
    QList<quint64> m_uList;
    QList<qint64> m_nList;
    QList<double> m_dList;
    QStringList m_strList;
    // The list forms are the single forms as one entry each, read so on
    // demand: most values are single, and four one-entry lists per setter
    // call were most of its allocations.
    bool m_bListsAreSingle = false;
    TextSource m_TextSource = TEXT_STORED;
    QTextCodec* m_pCodec;
    QDateTime m_dtValue;
    void* m_pValue;
    quint64 m_uSetTick;
    // Kept as milliseconds since the epoch: reading the local clock on every
    // setter would consult the time-zone database each time.
    qint64 m_msSetTime;
};

#endif // CVARIANTPARAMETER_H
