#include "DialogOpening.h"

#include "ExceptionTrace.h"

#include <QShowEvent>

namespace DialogOpening {

void FillWhenOpened(const QShowEvent* event, const std::function<void()>& fill)
{
    if (!event || event->spontaneous())
        return;
    RunTraced([&] { fill(); });
}

} // namespace DialogOpening
