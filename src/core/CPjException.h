#ifndef CPJEXCEPTION_H
#define CPJEXCEPTION_H

#include <QDateTime>
#include <QException>
#include <QString>

// The system's own exception: a code, a detail value, when it arose, a message
// and optionally the exception that caused it. Each object owns deep copies of
// its causes, so a chain can be copied and destroyed freely. what(), raise()
// and clone() are QException's own.
class CPjException : public QException
{
    friend class tst_CPjException;

public:
    enum ErrorCode {
        ErrorNone = 0,
        ErrorUnknown = 1,
        ErrorArgument = 2,
        ErrorMemory = 3,
        ErrorFile = 4,
        ErrorCommunication = 5
    };

    CPjException();
    explicit CPjException(ErrorCode code);
    CPjException(ErrorCode code, int detail);
    explicit CPjException(const QString& message);
    CPjException(ErrorCode code, const QString& message);
    CPjException(ErrorCode code, int detail, const QString& message);
    CPjException(const QString& message, const CPjException& cause);
    CPjException(ErrorCode code, const QString& message, const CPjException& cause);
    CPjException(ErrorCode code, int detail, const QString& message, const CPjException& cause);
    CPjException(const QString& message, const QException& cause);
    CPjException(ErrorCode code, const QString& message, const QException& cause);
    CPjException(ErrorCode code, int detail, const QString& message, const QException& cause);

    CPjException(const CPjException& other);
    CPjException& operator=(const CPjException& other);
    ~CPjException() override;

    CPjException& f_Copy(const CPjException& other);

private:
    void f_Init(ErrorCode code, int detail, const QString* message,
                const CPjException* cause, const QException* baseCause);

    ErrorCode m_Code = ErrorNone;
    int m_Detail = 0;
    QDateTime m_Time;
    QString m_Message;
    CPjException* m_NestedCause = nullptr;
    QException* m_NestedBaseCause = nullptr;
};

#endif // CPJEXCEPTION_H
