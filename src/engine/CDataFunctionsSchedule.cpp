// The dispatcher's side of schedule execution: the runner's execution
// requests and the results of the commands it started. Carrying out a
// schedule's command and folding the results into its instance is not part
// of this build yet, so these take the requests and results and drop them.
#include "CDataFunctions.h"

void CDataFunctions::ScheduleExecute(int /*key*/, int /*CommID*/)
{
}

void CDataFunctions::ScheduleExecuteProc(CEventBase* /*event*/)
{
}

void CDataFunctions::CommandCompletedProcSchedule(CEventBase* /*event*/)
{
}

void CDataFunctions::CommandErrorEndProcSchedule(CEventBase* /*event*/)
{
}

void CDataFunctions::f_StubSetDataThreadEvent(int /*cmd*/, QList<CVariantParameter>* /*params*/, int /*from*/,
                                              int /*act*/, QList<int>* /*targets*/, bool /*cache*/, bool /*log*/)
{
}
