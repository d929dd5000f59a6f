#include "processor/PeriodicCallback.h"

namespace velk
{
PeriodicCallback::PeriodicCallback (std::function<void()> callbackToRun)
    : callback (std::move (callbackToRun))
{
}

PeriodicCallback::~PeriodicCallback()
{
    stop();
}

void PeriodicCallback::start (int intervalMs)
{
    startTimer (intervalMs);
}

void PeriodicCallback::stop()
{
    stopTimer();
}

void PeriodicCallback::timerCallback()
{
    callback();
}
} // namespace velk
