#ifndef CVIRTUALTIME_H
#define CVIRTUALTIME_H

#include <QDateTime>
#include <QObject>

class QTimer;

// The scheduler's clock. It ticks once a second and signals each new day
// and each new minute. It follows the computer's clock, or, when virtual
// time is allowed ("/VT") and switched on, a virtual time: the real time
// plus a lead, or a start time plus elapsed virtual seconds, advancing
// `m_Acceleration` seconds per tick.
class CVirtualTime : public QObject
{
    Q_OBJECT
public:
    explicit CVirtualTime(QObject* parent = nullptr);
    CVirtualTime(const CVirtualTime& other, QObject* parent);
    ~CVirtualTime() override;

    void Start();
    void Stop();
    QDateTime GetNowTime() const;

    static int ToDayOffset(const QDateTime& date);
    static QDateTime ToDateTime(int offset);

    // The counter returns to 0 instead of passing this many seconds (18,300 days).
    static const qint32 COUNTER_LIMIT = 1581120000;

    // Written by the owner (the "/VT" switch), the main window's menu action
    // and the virtual time dialog.
    bool m_VirtualTimeAllowed = false;
    bool m_VirtualTimeOn = false;
    bool m_BasedOnNow = true;
    qint32 m_Acceleration = 1;
    // Seconds of lead (based on now) or seconds since the start time.
    qint32 m_Counter = 0;
    QDateTime m_StartTime;
    // "Now" as computed at the last tick.
    QDateTime m_LastTime;

    bool IsRunning() const { return m_Running; }

signals:
    void f_OnUpdateDate(QDateTime date);
    void f_OnUpdateMinute(QDateTime date);

public slots:
    void f_OnTimerUpdateDelay();

private:
    void CreateTimer();
    QDateTime f_UpdateVirtualTime();

    QTimer* m_pTimer = nullptr;
    bool m_Running = false;
};

#endif // CVIRTUALTIME_H
