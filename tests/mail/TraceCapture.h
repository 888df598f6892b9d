#ifndef TRACECAPTURE_H
#define TRACECAPTURE_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the debug output while it lives (one at a time), so a test can
// look at what the traces hold.
class TraceCapture
{
public:
    TraceCapture() { m_Previous = qInstallMessageHandler(&TraceCapture::handler); }
    ~TraceCapture() { qInstallMessageHandler(m_Previous); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    static QStringList& lines()
    {
        static QStringList s_Lines;
        return s_Lines;
    }
    static QString text() { return lines().join(QLatin1Char('\n')); }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& message) { lines() << message; }
    QtMessageHandler m_Previous;
};

#endif // TRACECAPTURE_H
