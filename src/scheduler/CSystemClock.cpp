#include "CSystemClock.h"

CSystemClock::NowFunction& CSystemClock::Function()
{
    static NowFunction function;
    return function;
}

QDateTime CSystemClock::Now()
{
    const NowFunction& function = Function();
    return function ? function() : QDateTime::currentDateTime();
}

void CSystemClock::SetNowFunction(NowFunction function)
{
    Function() = std::move(function);
}
