#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <csignal>
#include <cstdint>

namespace velk
{
/** Points the fatal signals at the plug-in's crash handler for as long as at least one of these
    objects exists.

    The handler runs in signal context on the faulting thread, so it makes only async-signal-safe
    calls. When the faulting instruction lies in our own code it has the recorder write its
    record; whoever's fault it is, it then puts back the handler that was there before ours and
    raises the signal again with its original details, so that the host's own crash handling
    runs, or the default action ends the process with that signal. Should the same thread come
    back into our handler (a host handler that hands the signal back), the default action ends
    it instead of the two handlers passing it round for ever.

    The first object saves the handlers that the host had for the fatal signals, prepares the
    recorder and installs ours; later objects only count. When the last one goes, the saved
    handlers are put back and the recorder released: the plug-in's code may be unloaded after its
    last instance is deleted, and a signal handler left pointing into it would turn the host's
    next fault into a jump into unmapped memory. A signal that someone else has taken over since
    we installed ours is left to them.

    Create and destroy these on the message thread (processor construction and destruction).
*/
class ScopedCrashHandler
{
public:
    /** The signals that are taken, in the order the framework's own crash handler takes them. */
    static constexpr std::array<int, 6> fatalSignals{ SIGFPE, SIGILL, SIGSEGV, SIGBUS, SIGABRT, SIGSYS };

    /** What is written for a fault in our own code. Plain functions, as the handler outlives
        any one object that installs it.
    */
    struct Recorder
    {
        /** Called when the handler is installed: open files, format text, load what the
            signal handler will need.
        */
        void (*prepare)();

        /** Called inside the signal handler, at most once per process: no allocation, no lock,
            nothing but async-signal-safe calls.
        */
        void (*write)() noexcept;

        /** Called when the handler is taken away: gives back what prepare took. */
        void (*release)();
    };

    /** The addresses [begin, end) that one loaded object (the executable or a shared library)
        occupies.
    */
    struct CodeRange
    {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;

        bool contains (std::uintptr_t address) const noexcept { return begin <= address && address < end; }

        /** The object whose loaded segments hold the address; empty if none does. */
        static CodeRange ofObjectContaining (std::uintptr_t address);

        /** Our own code: the plug-in's library, or the program that our code is linked into. */
        static CodeRange ofOwnCode();
    };

    /** Only the first of the objects alive at a time installs, with its recorder and its range
        of our own code (taken from the loaded objects unless given).
    */
    explicit ScopedCrashHandler (const Recorder& recorder, CodeRange ownCode = CodeRange::ofOwnCode());
    ~ScopedCrashHandler();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScopedCrashHandler)
};
} // namespace velk
