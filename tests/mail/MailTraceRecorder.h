#ifndef MAILTRACERECORDER_H
#define MAILTRACERECORDER_H

#include <QLoggingCategory>
#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the mail clients' trace lines (categories "lumivox.mail.*")
// instead of printing them, while it lives; other messages pass on.
class MailTraceRecorder
{
public:
    MailTraceRecorder()
    {
        s_Instance = this;
        // The mail clients' trace is off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("lumivox.mail.*.debug=true"));
        m_Previous = qInstallMessageHandler(&MailTraceRecorder::handle);
    }
    ~MailTraceRecorder()
    {
        qInstallMessageHandler(m_Previous);
        s_Instance = nullptr;
    }
    MailTraceRecorder(const MailTraceRecorder&) = delete;
    MailTraceRecorder& operator=(const MailTraceRecorder&) = delete;

    QStringList lines() const
    {
        QMutexLocker lock(&m_Mutex);
        return m_Lines;
    }
    void clear()
    {
        QMutexLocker lock(&m_Mutex);
        m_Lines.clear();
    }
    // The first of `secrets` that a trace line holds; empty when none does.
    QString findAny(const QStringList& secrets) const
    {
        QMutexLocker lock(&m_Mutex);
        for (const QString& secret : secrets) {
            for (const QString& line : m_Lines) {
                if (!secret.isEmpty() && line.contains(secret))
                    return secret;
            }
        }
        return QString();
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        MailTraceRecorder* self = s_Instance;
        if (self && context.category && QByteArray(context.category).startsWith("lumivox.mail")) {
            QMutexLocker lock(&self->m_Mutex);
            self->m_Lines << text;
            return;
        }
        if (self && self->m_Previous)
            self->m_Previous(type, context, text);
    }

    static inline MailTraceRecorder* s_Instance = nullptr;
    QtMessageHandler m_Previous = nullptr;
    mutable QMutex m_Mutex;
    QStringList m_Lines;
};

#endif // MAILTRACERECORDER_H
