// Decoding a projector's error status words into error entries, and the
// remark texts built on them.
#include "CProjectorData.h"

#include <QCoreApplication>

#include "CProfile.h"
#include "ExceptionTrace.h"

namespace {

const char kContext[] = "CProjectorData";

// Message key per bit of word A (bit n is bit n%8 of reply byte Data(n/8+1)).
const char* const kLaserKeysA[32] = {
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageCover2"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageTemperature2"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0102"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0103"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageFan2"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageSystem"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLight"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0107"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0200"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLight"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0202"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0203"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0204"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0205"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0206"),
    nullptr, // bit 15: gate for word B
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0300"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageSystem"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageTemperature2"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0303"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0304"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0305"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0306"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0307"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0400"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0401"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0402"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0403"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0404"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLight"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0406"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLens"),
};

const char* const kLampKeysA[32] = {
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageCover"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageTemperature"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0102"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageFan"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageFan"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessagePower"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp1"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp1Leach"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp1Limit"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageFormatter"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp2"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0203"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0204"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0205"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0206"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0207"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0300"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageFPGA"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageTemperature"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp1Housing"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp1Data"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageMirrorCover"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp2Leach"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp2Limit"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp2Housing"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp2Data"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageDust"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageForeignObject"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessagePomp"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageBallast"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0406"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0407"),
};

// One-lamp models name the lamp-1 bits without a number; every other bit,
// the lamp-2 bits included, reads as for two-lamp models.
struct LampBitKey
{
    int bit;
    const char* key;
};
const LampBitKey kOneLampKeysA[] = {
    { 6, QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLamp") },
    { 7, QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLampLeach") },
    { 8, QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLampLimit") },
    { 19, QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLampHousing") },
    { 20, QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageLampData") },
};

// Word B (reply bytes Data9..Data12), laser models only.
const char* const kLaserKeysB[32] = {
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageInstallation"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageInterlock"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageSystem"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessageSystem"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0904"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0905"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0906"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage0907"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1000"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1001"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1002"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1003"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1004"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1005"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1006"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1007"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1100"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1101"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1102"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1103"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1104"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1105"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1106"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1107"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1200"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1201"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1202"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1203"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1204"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1205"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1206"),
    QT_TRANSLATE_NOOP("CProjectorData", "RemarkErrorMessage1207"),
};

const char* const kFilterErrorKey = QT_TRANSLATE_NOOP("CProjectorData", "RemarkFilterError");
const char* const kNoErrorKey = QT_TRANSLATE_NOOP("CProjectorData", "RemarkNoError");

const quint32 kWordBGate = 1u << 15;

void AddBit(CPJErrorStatusList& list, const char* key, int bit, bool wordB)
{
    const quint32 mask = 1u << bit;
    list.Add(CPJErrorStatus(wordB ? 0 : mask, wordB ? mask : 0, 0, QCoreApplication::translate(kContext, key)));
}

const char* LampKey(int bit, bool twoLamps)
{
    if (!twoLamps) {
        for (const LampBitKey& entry : kOneLampKeysA) {
            if (entry.bit == bit)
                return entry.key;
        }
    }
    return kLampKeysA[bit];
}

CPJErrorStatus Entry(const char* key, qint32 kind)
{
    return CPJErrorStatus(0, 0, kind, QCoreApplication::translate(kContext, key));
}

} // namespace

CPJErrorStatusList CProjectorData::GetPjErrMessage(int, bool onlyNew)
{
    CPJErrorStatusList list;
    try {
        if (onlyNew && m_Status[StErrorWordA].ToULong() == m_Status[StPrevErrorWordA].ToULong()
            && m_Status[StErrorData56].ToShort() == m_Status[StPrevErrorData56].ToShort()
            && m_Status[StErrorData7].ToUChar() == m_Status[StPrevErrorData7].ToUChar()
            && m_Status[StErrorData8].ToUChar() == m_Status[StPrevErrorData8].ToUChar()
            && m_Status[StErrorWordB].ToULong() == m_Status[StPrevErrorWordB].ToULong())
            return list;
        if (m_Status[StErrorWordA].ToULong() == 0)
            return list;
        list = CommonErrSts(onlyNew);
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return list;
}

CPJErrorStatusList CProjectorData::CommonErrSts(bool onlyNew)
{
    CPJErrorStatusList list;
    try {
        quint32 wordA = m_Status[StErrorWordA].ToULong();
        quint32 wordB = m_Status[StErrorWordB].ToULong();
        // Word B is read while the projector flags it in word A, also when that
        // flag was already set last time: a new word-B error must still be reported.
        const bool decodeB = (wordA & kWordBGate) != 0;
        if (onlyNew) {
            wordA &= ~m_Status[StPrevErrorWordA].ToULong();
            wordB &= ~m_Status[StPrevErrorWordB].ToULong();
        }
        if (f_IsLaser()) {
            for (int bit = 0; bit < 32; ++bit) {
                if (bit != 15 && (wordA & (1u << bit)))
                    AddBit(list, kLaserKeysA[bit], bit, false);
            }
            if (decodeB) {
                for (int bit = 0; bit < 32; ++bit) {
                    if (wordB & (1u << bit))
                        AddBit(list, kLaserKeysB[bit], bit, true);
                }
            }
        } else {
            const bool twoLamps = f_Flag(ProfileFlag::ReqRemainingLamp2Time);
            // Lamp life bits 7 and 22 come last.
            for (int bit = 0; bit < 32; ++bit) {
                if (bit != 7 && bit != 22 && (wordA & (1u << bit)))
                    AddBit(list, LampKey(bit, twoLamps), bit, false);
            }
            for (int bit : { 7, 22 }) {
                if (wordA & (1u << bit))
                    AddBit(list, LampKey(bit, twoLamps), bit, false);
            }
        }
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return list;
}

CPJErrorStatusList CProjectorData::GetRemarkErrorStatusList(bool summary, bool onlyNew)
{
    CPJErrorStatusList list;
    try {
        const bool laser = f_IsLaser();
        list = GetPjErrMessage(0, onlyNew);
        if (summary) {
            if (!f_IsConnected())
                list.Clear();
            if (!laser && f_IsRemainingFilterUsageError())
                list.Add(Entry(kFilterErrorKey, CPJErrorStatus::KIND_FILTER_ALARM));
            return list;
        }
        if (onlyNew) {
            for (int i = 0; i < 5; ++i)
                m_Status[StPrevErrorWordA + i] = m_Status[StErrorWordA + i];
        }
        bool hasEntries = !list.m_List.isEmpty();
        if (!laser) {
            const qint32 state = m_Status[StRemarkState].ToLong();
            if (f_IsRemainingFilterUsageError()) {
                if (!onlyNew) {
                    list.Add(Entry(kFilterErrorKey, CPJErrorStatus::KIND_FILTER_ALARM));
                    hasEntries = true;
                } else if (!(state & REMARK_FILTER_ALARM_SENT)) {
                    list.Add(Entry(kFilterErrorKey, CPJErrorStatus::KIND_FILTER_ALARM));
                    m_Status[StRemarkState].FromLong(state | REMARK_FILTER_ALARM_SENT);
                    hasEntries = true;
                }
            } else if (onlyNew) {
                m_Status[StRemarkState].FromLong(state & ~REMARK_FILTER_ALARM_SENT);
            }
        }
        if (f_IsConnected()) {
            if (onlyNew || hasEntries)
                return list;
        } else if (onlyNew) {
            // The new-errors list feeds the error mail: a projector that is not
            // connected has nothing new to report, not a "no errors" mail.
            list.Clear();
            return list;
        }
        list.Clear();
        list.Add(Entry(kNoErrorKey, 0));
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return list;
}

CPJErrorStatusList CProjectorData::GetNewRemarkErrorStatusList()
{
    return GetRemarkErrorStatusList(false, true);
}

QString CProjectorData::GetRemarkString(bool summary, bool onlyNew)
{
    QString text("");
    try {
        const CPJErrorStatusList list = GetRemarkErrorStatusList(summary, onlyNew);
        if (summary || onlyNew)
            return list.m_List.isEmpty() ? text : list.m_List.first().GetFirstLineErrorString();
        for (const CPJErrorStatus& entry : list.m_List)
            text += entry.ErrorString + QStringLiteral("\r\n");
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return text;
}
