#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <csignal>

namespace velk
{
/** Keeps a crash handler installed through juce::SystemStats::setApplicationCrashHandler for as
    long as at least one of these objects exists.

    The first object saves the handlers that the host had for the fatal signals and installs
    ours; later objects only count. When the last one goes, the saved handlers are put back: the
    plug-in's code may be unloaded after its last instance is deleted, and a signal handler left
    pointing into it would turn the host's next fault into a jump into unmapped memory. A signal
    that someone else has taken over since we installed ours is left to them.

    Every object is given the same handler (only the first one installs it). Create and destroy
    these on the message thread (processor construction and destruction).
*/
class ScopedCrashHandler
{
public:
    /** The signals that the framework points at its crash handler, in its order. */
    static constexpr std::array<int, 6> fatalSignals{ SIGFPE, SIGILL, SIGSEGV, SIGBUS, SIGABRT, SIGSYS };

    explicit ScopedCrashHandler (juce::SystemStats::CrashHandlerFunction handler);
    ~ScopedCrashHandler();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScopedCrashHandler)
};
} // namespace velk
