#ifndef CSIMPROJECTORMODEL_H
#define CSIMPROJECTORMODEL_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include "CSimReply.h"

// What one projector model answers: its model code and name, and which
// requests of the control protocol it supports. The shipped models mirror the
// entries of the program's Profile.ini.
struct CSimModelSpec
{
    QString name;                 // the Profile.ini section prefix, e.g. "LV-L100"
    QByteArray code;              // the four model code bytes
    QByteArray modelName;         // up to 9 bytes, as the model information reply carries it
    QByteArray makerField;        // 16 bytes of the maker information reply (field 2)
    QSet<int> unsupported;        // request indexes answered "not supported" (class 0, detail 1)
    int lampCount = 1;            // 0 for a laser light source
    bool hasMac3 = false;         // a third MAC address
    bool hasVolume = true;        // a volume adjustment

    static QList<CSimModelSpec> ShippedModels();
    static CSimModelSpec Shipped(const QString& name);
    // A model code that no profile lists; the maker field passes the maker test
    // unless `ownMaker` is false.
    static CSimModelSpec Unlisted(bool ownMaker);
};

// One adjustment value of the simulated projector.
struct CSimGain
{
    int status = 2;   // 2 adjustable, 1 not
    int maximum = 100;
    int minimum = 0;
    int defaultValue = 50;
    int current = 50;
};

// What a simulated projector is: everything its replies report, changed by
// its set requests.
struct CSimProjectorState
{
    enum Power { POWER_STANDBY = 0, POWER_ON = 1, POWER_COOLING = 2, POWER_WARMING = 3,
                 POWER_1W_STANDBY = 15 };

    int power = POWER_STANDBY;    // the power status byte; 15 or 16 is 1 W standby
    int warmUpMs = 0;             // how long power-on takes
    int coolDownMs = 0;           // how long power-off takes
    int inputTerminal = 0x01;     // terminal code; reported as a + 5b - 5
    bool pictureMute = false;
    bool soundMute = false;
    bool osdMute = false;
    bool freeze = false;
    int lampMode = 0;
    int cover = 0;
    QString projectorName = QStringLiteral("PJ-1");
    qint32 lampUsage[2] = {3600, 7200};       // seconds
    qint32 lampRemaining[2] = {7200000, 7100000};
    qint32 filterUsage = 1800;
    qint32 filterAlarm = 360000;
    qint32 errorWordA = 0;        // error status data 1-4
    qint16 errorWord2 = 0;        // data 5-6
    quint8 errorByte7 = 0;
    quint8 errorByte8 = 0;
    qint32 errorWordB = 0;        // data 9-12
    QByteArray versions = QByteArray("FW 1.00 / DATA 1.00");
    QByteArray mac[3];
    QByteArray serialNumber = QByteArray("0123456789AB");
    QByteArray signalName = QByteArray("COMPUTER1");
    QByteArray horizontalFrequency = QByteArray("63.96[kHz]");
    QByteArray verticalFrequency = QByteArray("60.02[Hz]");
    QByteArray syncPolarity = QByteArray("H:(-) V:(-)");
    QMap<int, CSimGain> gains;    // key = kind << 8 | sub index

    // The data of the error status reply.
    static const int ERROR_STATUS_BYTES = 12;

    CSimProjectorState();
    // Sets the error fields from the data bytes of the error status reply
    // (fewer than twelve are padded with zeros); false, changing nothing,
    // for more.
    bool SetErrorStatus(const QByteArray& data);
};

// The control protocol of one simulated projector: maps a request frame to
// the reply a projector of the given model would send, from its state, with
// the faults set for it. Use it as a `CSimulatedProjector` handler.
class CSimProjectorModel
{
public:
    explicit CSimProjectorModel(const CSimModelSpec& spec);

    CSimReply Answer(const QByteArray& request);
    // The frame alone, for tests that build replies.
    QByteArray ReplyFrame(const QByteArray& request);

    CSimModelSpec& Spec() { return m_Spec; }
    CSimProjectorState& State();

    // Faults, each for one request index (-1: every request).
    void SetNack(int requestIndex, int errorClass, int detail);
    void SetBadChecksum(int requestIndex);
    void SetWrongEcho(int requestIndex);   // the echoed data byte differs
    void SetWrongCode(int requestIndex);   // the reply repeats another code byte
    void ClearFaults();

    // The request index (0 to 32) a request frame is, or -1.
    static int RequestIndex(const QByteArray& request);

private:
    struct Nack { int errorClass; int detail; };

    QByteArray f_Positive(int index, const QByteArray& request);
    void f_UpdatePower();
    bool f_Supported(int index, const QByteArray& request) const;
    static bool f_Applies(const QSet<int>& set, int index);

    CSimModelSpec m_Spec;
    CSimProjectorState m_State;
    qint64 m_PowerChangeAt = 0;   // tick at which a warm-up or cool-down ends
    QMap<int, Nack> m_Nacks;
    QSet<int> m_BadChecksum;
    QSet<int> m_WrongEcho;
    QSet<int> m_WrongCode;
};

#endif // CSIMPROJECTORMODEL_H
