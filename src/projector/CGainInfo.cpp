#include "CGainInfo.h"

#include "ExceptionTrace.h"

CGainInfo::CGainInfo()
{
    try {
        m_Kind.FromInt(0);
        m_Index.FromInt(0);
        m_Max.FromInt(0);
        m_Min.FromInt(0);
        m_Current.FromInt(0);
        m_DefaultKnown.FromInt(0);
        m_Default.FromInt(0);
        m_Status.FromInt(0);
    } catch (const std::exception& e) {
        TraceException(e);
        throw;
    }
}

CGainInfo::CGainInfo(const CGainInfo& other)
{
    f_Copy(other);
}

CGainInfo& CGainInfo::operator=(const CGainInfo& other)
{
    return f_Copy(other);
}

CGainInfo::~CGainInfo() = default;

CGainInfo& CGainInfo::f_Copy(const CGainInfo& other)
{
    try {
        m_Kind = other.m_Kind;
        m_Index = other.m_Index;
        m_Max = other.m_Max;
        m_Min = other.m_Min;
        m_Current = other.m_Current;
        m_DefaultKnown = other.m_DefaultKnown;
        m_Default = other.m_Default;
        m_Status = other.m_Status;
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return *this;
}
