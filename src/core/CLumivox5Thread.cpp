#include "CLumivox5Thread.h"

CLumivox5Thread::CLumivox5Thread(QObject* parent)
    : CEventThread(parent)
{
}

CLumivox5Thread::~CLumivox5Thread()
{
}
