#include "CPjException.h"

CPjException::CPjException()
{
    f_Init(ErrorNone, 0, nullptr, nullptr, nullptr);
}

CPjException::CPjException(ErrorCode code)
{
    f_Init(code, 0, nullptr, nullptr, nullptr);
}

CPjException::CPjException(ErrorCode code, int detail)
{
    f_Init(code, detail, nullptr, nullptr, nullptr);
}

CPjException::CPjException(const QString& message)
{
    f_Init(ErrorNone, 0, &message, nullptr, nullptr);
}

CPjException::CPjException(ErrorCode code, const QString& message)
{
    f_Init(code, 0, &message, nullptr, nullptr);
}

CPjException::CPjException(ErrorCode code, int detail, const QString& message)
{
    f_Init(code, detail, &message, nullptr, nullptr);
}

CPjException::CPjException(const QString& message, const CPjException& cause)
{
    f_Init(ErrorNone, 0, &message, &cause, nullptr);
}

CPjException::CPjException(ErrorCode code, const QString& message, const CPjException& cause)
{
    f_Init(code, 0, &message, &cause, nullptr);
}

CPjException::CPjException(ErrorCode code, int detail, const QString& message,
                           const CPjException& cause)
{
    f_Init(code, detail, &message, &cause, nullptr);
}

CPjException::CPjException(const QString& message, const QException& cause)
{
    f_Init(ErrorNone, 0, &message, nullptr, &cause);
}

CPjException::CPjException(ErrorCode code, const QString& message, const QException& cause)
{
    f_Init(code, 0, &message, nullptr, &cause);
}

CPjException::CPjException(ErrorCode code, int detail, const QString& message,
                           const QException& cause)
{
    f_Init(code, detail, &message, nullptr, &cause);
}

CPjException::CPjException(const CPjException& other)
    : QException(other)
{
    try {
        f_Copy(other);
    } catch (...) {
        // A copy that cannot be completed stays as far as it got.
    }
}

CPjException& CPjException::operator=(const CPjException& other)
{
    try {
        f_Copy(other);
    } catch (...) {
    }
    return *this;
}

CPjException::~CPjException()
{
    delete m_NestedCause;
    delete m_NestedBaseCause;
}

void CPjException::f_Init(ErrorCode code, int detail, const QString* message,
                          const CPjException* cause, const QException* baseCause)
{
    m_Code = code;
    m_Detail = detail;
    try {
        m_Time = QDateTime::currentDateTime();
        if (message)
            m_Message = *message;
        if (cause)
            m_NestedCause = new CPjException(*cause);
        else if (baseCause)
            m_NestedBaseCause = new QException(*baseCause); // deliberately the base type
    } catch (...) {
        // Nothing escapes construction; members not yet written keep their start values.
    }
}

CPjException& CPjException::f_Copy(const CPjException& other)
{
    if (&other == this)
        return *this;
    // Copy the source's causes before releasing ours: the source may be one of them.
    CPjException* cause = other.m_NestedCause ? new CPjException(*other.m_NestedCause) : nullptr;
    QException* baseCause = nullptr;
    try {
        baseCause = other.m_NestedBaseCause ? new QException(*other.m_NestedBaseCause) : nullptr;
    } catch (...) {
        delete cause;
        throw;
    }
    m_Code = other.m_Code;
    m_Detail = other.m_Detail;
    m_Message = other.m_Message;
    m_Time = other.m_Time;
    delete m_NestedCause;
    delete m_NestedBaseCause;
    m_NestedCause = cause;
    m_NestedBaseCause = baseCause;
    return *this;
}
