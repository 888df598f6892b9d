#ifndef DEVICEACCESSRECORDER_H
#define DEVICEACCESSRECORDER_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include "CDeviceAccess.h"

// Everything a device access manager reports, in the order it was reported,
// with the milliseconds since the recorder started.
struct DeviceEvent
{
    QString kind; // "connect", "send", "received", "disconnect", "error", "canceled", "state"
    QString target;
    QByteArray data;
    QString msg;
    int code = 0;
    int id = 0;
    qint64 atMs = 0;
};

class DeviceAccessRecorder : public QObject
{
public:
    explicit DeviceAccessRecorder(CDeviceAccess* access)
    {
        m_Clock.start();
        connect(access, &CDeviceAccess::ConnectCompleted, this,
                [this](QDateTime, QString target, QString msg, int id) { Add("connect", target, {}, msg, 0, id); });
        connect(access, &CDeviceAccess::SendCompleted, this,
                [this](QDateTime, QString target, QByteArray data, int id) { Add("send", target, data, {}, 0, id); });
        connect(access, &CDeviceAccess::Received, this,
                [this](QDateTime, QString target, QByteArray data, int id) { Add("received", target, data, {}, 0, id); });
        connect(access, &CDeviceAccess::DisconnectCompleted, this,
                [this](QDateTime, QString target, QString msg, int id) { Add("disconnect", target, {}, msg, 0, id); });
        connect(access, &CDeviceAccess::Error, this,
                [this](QDateTime, QString target, int code, int id) { Add("error", target, {}, {}, code, id); });
        connect(access, &CDeviceAccess::Canceled, this, [this](int id) { Add("canceled", {}, {}, {}, 0, id); });
    }

    QList<DeviceEvent> events;

    QList<DeviceEvent> Of(int id, const QString& kind = QString()) const
    {
        QList<DeviceEvent> found;
        for (const DeviceEvent& e : events) {
            if (e.id == id && (kind.isEmpty() || e.kind == kind))
                found.append(e);
        }
        return found;
    }
    int Count(int id, const QString& kind) const { return Of(id, kind).size(); }

    // What ends a request: a reply (complete or partial), an error, a cancel.
    QList<DeviceEvent> Results(int id) const
    {
        QList<DeviceEvent> found;
        for (const DeviceEvent& e : events) {
            if (e.id == id && (e.kind == "received" || e.kind == "error" || e.kind == "canceled"))
                found.append(e);
        }
        return found;
    }

    QStringList Kinds(int id) const
    {
        QStringList kinds;
        for (const DeviceEvent& e : Of(id))
            kinds.append(e.kind);
        return kinds;
    }

    qint64 Now() const { return m_Clock.elapsed(); }

private:
    void Add(const char* kind, const QString& target, const QByteArray& data, const QString& msg, int code, int id)
    {
        DeviceEvent e;
        e.kind = QString::fromLatin1(kind);
        e.target = target;
        e.data = data;
        e.msg = msg;
        e.code = code;
        e.id = id;
        e.atMs = m_Clock.elapsed();
        events.append(e);
    }

    QElapsedTimer m_Clock;
};

#endif // DEVICEACCESSRECORDER_H
