#include "files/BatchThread.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

void yieldToInteractiveThreads()
{
#ifdef Q_OS_LINUX
    const sched_param parameters{};
    sched_setscheduler(0, SCHED_BATCH, &parameters);
#endif
}
