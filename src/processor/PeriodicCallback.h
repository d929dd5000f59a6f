#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace velk
{
/** Runs a function on the message thread at a fixed interval, from start() until stop() or
    destruction.
*/
class PeriodicCallback : private juce::Timer
{
public:
    explicit PeriodicCallback (std::function<void()> callbackToRun);
    ~PeriodicCallback() override;

    void start (int intervalMs);

    /** Destruction off the message thread needs this first. */
    void stop();

private:
    void timerCallback() override;

    std::function<void()> callback;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PeriodicCallback)
};
} // namespace velk
